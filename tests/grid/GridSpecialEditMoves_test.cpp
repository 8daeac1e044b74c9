// The special editors when the current cell moves other than by their own keys: by code or by a
// click on another cell, the value is validated first, and a refusal keeps the edit on its cell.
#include "grid/GridCombo.h"
#include "grid/GridDatePicker.h"
#include "grid/GridEditBtn.h"
#include "grid/GridSpin.h"
#include "grid/ProInplaceEdit.h"

#include "EditorKindsFixture.h"
#include "controls/ProUtilCellText.h"
#include "controls/ProUtilDates.h"
#include "platform/DateText.h"
#include "platform/SysUtils.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

class GridSpecialEditMoves : public EditorKindsTest {
protected:
  static constexpr int ComboEditCol = UnitCol, ComboListCol = TimeCol;

  void SetUp() override {
    EditorKindsTest::SetUp();
    // In view together with the spin, button and date columns.
    for (int c : {ComboEditCol, ComboListCol}) {
      TGridColumnItem& item = *Grid->Columns().Items(c);
      item.SetEditor(c == ComboEditCol ? edComboEdit : edComboList);
      for (const char* s : {"alpha", "beta", "gamma"})
        item.ComboItems().Add(s);
    }
    Grid->OnCellValidate = [this](TObject*, int ACol, int ARow, std::string& Value, bool& Valid) {
      Asked.push_back(std::to_string(ACol) + "," + std::to_string(ARow) + " " + Value);
      Valid = Value != Bad;
      if (Valid && Value == Corrected) Value = "corrected";
    };
  }

  struct TCase {
    const char* name;
    int col;
    const char* start;
    std::function<std::string(GridSpecialEditMoves&)> enterBad;  // returns the text validated
    std::function<std::string(GridSpecialEditMoves&)> enterGood; // likewise
    std::function<TWinControl*(GridSpecialEditMoves&)> editor;
  };

  static void Retype(TWinControl& c, const std::string& text) {
    c.SetText("");
    Headless::TypeText(c, text);
  }
  static std::vector<TCase> Cases() {
    auto date = [](GridSpecialEditMoves& t, int day) {
      TGridDatePicker* p = t.Grid->DateTimePicker();
      TDateTime d = 0;
      TryEncodeDate(2021, 3, day, d);
      p->SetDate(d);
      return p->Text();
    };
    return {
        {"combo edit", ComboEditCol, "alpha",
         [](GridSpecialEditMoves& t) {
           Retype(*t.Grid->EditCombo(), "bad");
           return std::string("bad");
         },
         [](GridSpecialEditMoves& t) {
           Retype(*t.Grid->EditCombo(), "fine");
           return std::string("fine");
         },
         [](GridSpecialEditMoves& t) -> TWinControl* { return t.Grid->EditCombo(); }},
        {"combo list", ComboListCol, "alpha",
         [](GridSpecialEditMoves& t) {
           Headless::PressKey(*t.Grid->EditCombo(), VK_DOWN);
           Headless::PressKey(*t.Grid->EditCombo(), VK_DOWN);
           return std::string("gamma");
         },
         [](GridSpecialEditMoves& t) {
           Headless::PressKey(*t.Grid->EditCombo(), VK_UP);
           return std::string("beta");
         },
         [](GridSpecialEditMoves& t) -> TWinControl* { return t.Grid->EditCombo(); }},
        {"spin", SpinCol, "10",
         [](GridSpecialEditMoves& t) {
           Retype(*t.Grid->SpinEdit(), "70");
           return std::string("70");
         },
         [](GridSpecialEditMoves& t) {
           Retype(*t.Grid->SpinEdit(), "50");
           return std::string("50");
         },
         [](GridSpecialEditMoves& t) -> TWinControl* { return t.Grid->SpinEdit(); }},
        {"edit button", EllipsCol, "old",
         [](GridSpecialEditMoves& t) {
           Retype(*t.Grid->EditBtn(), "bad");
           return std::string("bad");
         },
         [](GridSpecialEditMoves& t) {
           Retype(*t.Grid->EditBtn(), "fine");
           return std::string("fine");
         },
         [](GridSpecialEditMoves& t) -> TWinControl* { return t.Grid->EditBtn(); }},
        {"date", DateCol, "", [date](GridSpecialEditMoves& t) { return date(t, 5); },
         [date](GridSpecialEditMoves& t) { return date(t, 6); },
         [](GridSpecialEditMoves& t) -> TWinControl* { return t.Grid->DateTimePicker(); }},
    };
  }

  std::string Bad, Corrected;
  std::vector<std::string> Asked;
};

TEST_F(GridSpecialEditMoves, AMoveValidatesTheEditorsValueAndARefusalKeepsTheEdit) {
  struct TMove {
    const char* name;
    std::function<void(TProColumnGrid&, int ACol)> move;
  };
  const TMove moves[] = {
      {"code", [](TProColumnGrid& g, int) { g.SetRow(2); }},
      {"click",
       [](TProColumnGrid& g, int ACol) {
         const TRect r = g.CellRect(ACol, 2);
         Headless::MouseDown(g, {r.Left + 3, r.Top + 3});
         Headless::MouseUp(g, {r.Left + 3, r.Top + 3});
       }},
  };
  for (const TMove& m : moves)
    for (const TCase& c : Cases()) {
      SCOPED_TRACE(std::string(m.name) + ", " + c.name);
      Grid->SetCells(c.col, 1, c.start);
      Grid->SetCells(c.col, 2, "");
      Open(c.col, 1);
      TWinControl* editor = c.editor(*this);
      ASSERT_TRUE(editor->Visible());
      Asked.clear();
      Bad = c.enterBad(*this);
      m.move(*Grid, c.col);
      Application->ProcessMessages();
      EXPECT_EQ(Asked, std::vector<std::string>{std::to_string(c.col) + ",1 " + Bad});
      EXPECT_EQ(Grid->Col(), c.col);
      EXPECT_EQ(Grid->Row(), 1) << "refused: the cell stays current";
      EXPECT_EQ(Grid->Cells(c.col, 1), c.start) << "and keeps its text";
      ASSERT_TRUE(editor->Visible()) << "with its editor open";
      EXPECT_FALSE(Grid->NormalEdit() && Grid->NormalEdit()->Visible());
      EXPECT_EQ(Grid->PendingEditValue().value_or("(none)"), Bad) << "showing the refused value";

      Asked.clear();
      const std::string good = c.enterGood(*this);
      m.move(*Grid, c.col);
      Application->ProcessMessages();
      EXPECT_EQ(Asked, std::vector<std::string>{std::to_string(c.col) + ",1 " + good});
      EXPECT_EQ(Grid->Row(), 2);
      EXPECT_EQ(Grid->Cells(c.col, 1), good);
      EXPECT_FALSE(editor->Visible());
      Grid->HideInplaceEdit();
    }
}

TEST_F(GridSpecialEditMoves, AValueTheHandlerCorrectsIsStoredCorrected) {
  Corrected = "typed";
  Grid->SetCells(ComboEditCol, 1, "alpha");
  Open(ComboEditCol, 1);
  Retype(*Grid->EditCombo(), "typed");
  Grid->SetRow(3);
  Application->ProcessMessages();
  EXPECT_EQ(Grid->Row(), 3);
  EXPECT_EQ(Grid->Cells(ComboEditCol, 1), "corrected");
  EXPECT_FALSE(Grid->EditCombo()->Visible());
}

TEST_F(GridSpecialEditMoves, AnUntouchedEditorOrOneWithoutValueMovesWithoutValidation) {
  for (int col : {ComboListCol, ButtonCol, CheckCol}) {
    SCOPED_TRACE(col);
    Grid->SetCells(col, 1, "gamma");
    Open(col, 1);
    Asked.clear();
    Grid->SetRow(2);
    Application->ProcessMessages();
    EXPECT_TRUE(Asked.empty());
    EXPECT_EQ(Grid->Row(), 2);
    EXPECT_EQ(Grid->Cells(col, 1), "gamma");
    EXPECT_FALSE(Grid->EditMode());
  }
}

TEST_F(GridSpecialEditMoves, AWideTextCellIsValidatedAsWideText) {
  std::vector<std::string> wide;
  Grid->OnCellValidateWide = [&](TObject*, int, int, std::string& Value, bool& Valid) {
    wide.push_back(Value);
    Valid = Value != "bad";
  };
  Grid->SetCells(ComboEditCol, 1, EncodeWideCellText("wide"));
  Open(ComboEditCol, 1);
  Retype(*Grid->EditCombo(), "bad");
  Grid->SetRow(2);
  Application->ProcessMessages();
  EXPECT_EQ(wide, std::vector<std::string>{"bad"});
  EXPECT_TRUE(Asked.empty()) << "the narrow event stays silent";
  EXPECT_EQ(Grid->Row(), 1);

  Grid->HideInplaceEdit();
  Grid->SetCells(1, 3, EncodeWideCellText("wide"));
  Grid->Columns().Items(1)->SetEditor(edNormal);
  Open(1, 3);
  Grid->NormalEdit()->SetText("bad");
  Grid->SetRow(4);
  Application->ProcessMessages();
  EXPECT_EQ(wide.size(), 2u) << "the text editor too";
  EXPECT_EQ(Grid->Row(), 3);
}

} // namespace
