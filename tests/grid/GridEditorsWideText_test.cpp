// Cells holding encoded wide text in the combo, spin and edit-button editors: shown decoded, written
// back encoded, whichever way the edit ends.
#include "controls/ProUtilCellText.h"
#include "grid/GridCombo.h"
#include "grid/GridEditBtn.h"
#include "grid/GridSpin.h"

#include "EditorKindsFixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

class GridEditorsWideText : public EditorKindsTest {
protected:
  // Two columns of the fixture that these tests give to the combos.
  static constexpr int ComboEditCol = LinkCol, ComboListCol = RichCol;

  void SetUp() override {
    EditorKindsTest::SetUp();
    for (auto [col, kind] : {std::pair{ComboEditCol, edComboEdit}, std::pair{ComboListCol, edComboList}}) {
      TGridColumnItem& item = *Grid->Columns().Items(col);
      item.SetEditor(kind);
      for (const char* s : {"Grüße", "Straße"})
        item.ComboItems().Add(s);
    }
    Grid->UnitEditBtn()->SetUnits({"kg", "g"});
  }

  struct TKind {
    const char* Name;
    int Col;
    const char* Stored;  // the cell's decoded text
    const char* Changed; // after Change
    const char* Refused; // what it shows when the changed value is refused: that value or the cell's
    std::function<TWinControl*()> Editor;
    std::function<std::string()> Shown;
    std::function<void()> Change;
  };

  std::vector<TKind> Kinds() {
    auto typeAtEnd = [this](TEdit& e, const char* s) {
      e.SetSelStart(static_cast<int>(e.Text().size()));
      e.SetSelLength(0);
      Headless::TypeText(e, s);
    };
    return {
        {"editable combo", ComboEditCol, "Grüße", "Grüße!", "Grüße!", [this] { return Grid->EditCombo(); },
         [this] { return Grid->EditCombo()->Text(); },
         [this] {
           TGridCombo* c = Grid->EditCombo();
           c->SetSelStart(5);
           c->SetSelLength(0);
           Headless::TypeText(*c, "!");
         }},
        {"list combo", ComboListCol, "Grüße", "Straße", "Straße", [this] { return Grid->EditCombo(); },
         [this] { return Grid->EditCombo()->Text(); },
         [this] { Headless::PressKey(*Grid->EditCombo(), VK_DOWN); }},
        {"ellipsis edit", EllipsCol, "Grüße €", "Grüße €!", "Grüße €!", [this] { return Grid->EditBtn(); },
         [this] { return Grid->EditBtn()->Text(); }, [=, this] { typeAtEnd(*Grid->EditBtn(), "!"); }},
        {"unit edit", UnitCol, "5 kg", "7 kg", "5 kg", [this] { return Grid->UnitEditBtn(); },
         [this] { return Grid->UnitEditBtn()->TextAndUnit(); },
         [this] { Grid->UnitEditBtn()->SetText("7 "); }},
        {"spin edit", SpinCol, "12", "22", "12", [this] { return Grid->SpinEdit(); },
         [this] { return Grid->SpinEdit()->Text(); },
         [this] { Headless::PressKey(*Grid->SpinEdit(), VK_PRIOR); }},
    };
  }
};

TEST_F(GridEditorsWideText, OpenedDecodedAndWrittenBackEncoded) {
  enum TEnd { Enter, FocusLoss, Escape, NothingTyped };
  const std::pair<TEnd, const char*> ends[] = {
      {Enter, "Enter"}, {FocusLoss, "focus loss"}, {Escape, "Esc"}, {NothingTyped, "Enter, nothing changed"}};
  for (const TKind& k : Kinds()) {
    for (auto [end, endName] : ends) {
      SCOPED_TRACE(std::string(k.Name) + ", " + endName);
      Grid->SetCells(k.Col, 1, EncodeWideCellText(k.Stored));
      Grid->SetModified(false);
      Open(k.Col, 1);
      TWinControl* editor = k.Editor();
      ASSERT_TRUE(editor->Visible());
      EXPECT_EQ(k.Shown(), k.Stored) << "shown decoded";
      if (end != NothingTyped) {
        k.Change();
        EXPECT_EQ(k.Shown(), k.Changed);
      }
      if (end == FocusLoss)
        Leave();
      else
        Press(*editor, end == Escape ? VK_ESCAPE : VK_RETURN);
      EXPECT_FALSE(editor->Visible());
      const bool changed = end == Enter || end == FocusLoss;
      EXPECT_EQ(Grid->Cells(k.Col, 1), EncodeWideCellText(changed ? k.Changed : k.Stored))
          << "stored encoded";
      Grid->HideInplaceEdit();
    }
  }
}

TEST_F(GridEditorsWideText, ARefusedValueStaysShownDecoded) {
  std::vector<std::string> asked;
  Grid->OnCellValidate = [&](TObject*, int, int, std::string& Value, bool& Valid) {
    asked.push_back(Value);
    Valid = false;
  };
  for (const TKind& k : Kinds()) {
    SCOPED_TRACE(k.Name);
    asked.clear();
    Grid->SetCells(k.Col, 1, EncodeWideCellText(k.Stored));
    Open(k.Col, 1);
    TWinControl* editor = k.Editor();
    k.Change();
    Press(*editor, VK_RETURN);
    ASSERT_TRUE(k.Editor()->Visible()) << "refused: the editor stays";
    // The unit edit shows the cell's text before its unit.
    EXPECT_TRUE(k.Shown().starts_with(k.Refused)) << k.Shown() << ": shown decoded";
    EXPECT_EQ(asked, std::vector<std::string>{EncodeWideCellText(k.Changed)})
        << "validated in the cell's form, as the text editor does";
    EXPECT_EQ(Grid->Cells(k.Col, 1), EncodeWideCellText(k.Stored));
    Press(*k.Editor(), VK_ESCAPE);
    EXPECT_EQ(Grid->Cells(k.Col, 1), EncodeWideCellText(k.Stored));
    Grid->HideInplaceEdit();
  }
  Grid->OnCellValidate = nullptr;
}

} // namespace
