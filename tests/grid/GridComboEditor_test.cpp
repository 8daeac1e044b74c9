// The combo and check-box editors at the edges: typed picks reported by real column, closing keys
// of editable and list combos, the walk out at the text's edges, list width, remembered texts.
#include "grid/GridCheckBox.h"
#include "grid/GridCombo.h"
#include "grid/ProCGrid.h"

#include "EditGridFixture.h"
#include "platform/ui/Headless.h"
#include "platform/ui/StdCtrls.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class GridComboEditor : public TEditGridTest {
protected:
  GridComboEditor() : TEditGridTest({460, 240, 5, 5, 260}) {}
  void SetUp() override {
    TEditGridTest::SetUp();
    for (int c : {1, 2}) {
      TGridColumnItem& item = *Grid->Columns().Items(c);
      item.SetEditor(c == 1 ? edComboList : edComboEdit);
      for (const char* s : {"alpha", "beta", "gamma"})
        item.ComboItems().Add(s);
    }
    Grid->OnComboChange = [this](TObject*, int col, int row, int i, const std::string& s) {
      Log.push_back("combo " + std::to_string(col) + "," + std::to_string(row) + " " + std::to_string(i) +
                    " " + s);
    };
  }
  TGridCombo* Open(int ACol, int ARow) {
    ShowEditorAt(ACol, ARow);
    TGridCombo* combo = Grid->EditCombo();
    EXPECT_TRUE(combo->Visible());
    return combo;
  }
};

TEST_F(GridComboEditor, AKeyThatChangesThePickReportsTheRealColumn) {
  TGridColumnItem& item = *Grid->Columns().Items(3);
  item.SetEditor(edComboList);
  item.ComboItems().Assign(Grid->Columns().Items(1)->ComboItems());
  Grid->HideColumn(2);
  // Display column 2 is now real column 3.
  Grid->SetCells(3, 1, "alpha");
  TGridCombo* combo = Open(2, 1);
  Headless::PressKey(*combo, VK_DOWN);
  EXPECT_EQ(combo->ItemIndex(), 1);
  ASSERT_FALSE(Log.empty());
  EXPECT_EQ(Log.back(), "combo 3,1 1 beta");
}

TEST_F(GridComboEditor, ARefusedComboEditStaysWithTheCorrectedTextSelected) {
  Grid->Navigation().SetAdvanceOnEnter(true);
  Grid->OnCellValidate = [](TObject*, int, int, std::string& Value, bool& Valid) {
    Valid = false;
    Value = "fixed";
  };
  TGridCombo* combo = Open(2, 1);
  combo->SetText("typed");
  Headless::PressKey(*combo, VK_RETURN);
  Application->ProcessMessages();
  EXPECT_EQ(Cell(), (TGridCoord{2, 1})) << "no advance";
  ASSERT_TRUE(Grid->EditCombo()->Visible());
  EXPECT_EQ(Grid->EditCombo()->Text(), "fixed");
}

TEST_F(GridComboEditor, DownStaysInAListAndLeavesAClosedEditableCombo) {
  Grid->SetCells(1, 1, "alpha");
  TGridCombo* combo = Open(1, 1);
  Headless::PressKey(*combo, VK_DOWN);
  EXPECT_TRUE(combo->Visible());
  EXPECT_EQ(combo->ItemIndex(), 1);
  EXPECT_EQ(Cell(), (TGridCoord{1, 1}));
  Grid->HideInplaceEdit();

  combo = Open(2, 1);
  combo->SetText("own text");
  Headless::PressKey(*combo, VK_DOWN);
  Application->ProcessMessages();
  EXPECT_EQ(Grid->Cells(2, 1), "own text") << "validated and stored";
  EXPECT_EQ(Cell(), (TGridCoord{2, 2}));
}

TEST_F(GridComboEditor, LeftAndRightCloseAListAndMoveTheCaretInAnEditableCombo) {
  Grid->SetCells(1, 1, "alpha");
  TGridCombo* combo = Open(1, 1);
  Headless::PressKey(*combo, VK_DOWN);
  Headless::PressKey(*combo, VK_RIGHT);
  Application->ProcessMessages();
  EXPECT_EQ(Grid->Cells(1, 1), "beta") << "the selected item is stored";
  EXPECT_EQ(Cell(), (TGridCoord{2, 1}));

  combo = Open(2, 1);
  combo->SetText("abc");
  combo->SetSelStart(1);
  Headless::PressKey(*combo, VK_RIGHT);
  Headless::PressKey(*combo, VK_LEFT);
  EXPECT_TRUE(combo->Visible()) << "inside the text the keys move the caret";
  EXPECT_EQ(Cell(), (TGridCoord{2, 1}));

  Grid->Navigation().SetCursorWalkEditor(true);
  combo->SetSelStart(3);
  Headless::PressKey(*combo, VK_RIGHT);
  Application->ProcessMessages();
  EXPECT_EQ(Grid->Cells(2, 1), "abc");
  EXPECT_EQ(Cell(), (TGridCoord{3, 1})) << "at the text's end it walks out";
}

TEST_F(GridComboEditor, EndInAClosedEditableComboMovesTheCaret) {
  TGridCombo* combo = Open(2, 1);
  combo->SetText("abc");
  combo->SetSelStart(0);
  Headless::PressKey(*combo, VK_END);
  EXPECT_TRUE(combo->Visible());
  EXPECT_EQ(combo->SelStart(), 3);
}

TEST_F(GridComboEditor, AutoComboDropSizeFitsTheWidestItem) {
  TGridColumnItem& item = *Grid->Columns().Items(2);
  item.ComboItems().Clear();
  const std::string longest = "an item text much longer than the cell is wide, the longest";
  for (int i = 0; i < 8; ++i)
    item.ComboItems().Add("an item text longer than the cell " + std::to_string(i));
  item.ComboItems().Add(longest);
  Grid->Navigation().SetAutoComboDropSize(true);
  TGridCombo* combo = Open(2, 1);
  const int widest = Grid->Canvas().TextWidth(longest);
  EXPECT_EQ(combo->SizeDropDownWidth(), widest + 25) << "nine items: a scroll bar beside them";
  EXPECT_GE(combo->DroppedWidth(), widest + 25);
  Grid->HideInplaceEdit();
  item.ComboItems().Delete(0);
  combo = Open(2, 1);
  EXPECT_EQ(combo->SizeDropDownWidth(), widest + 8) << "eight items show without one";
}

TEST_F(GridComboEditor, LeavingStoresTheTextAndLookupHistoryRemembersIt) {
  Grid->SetLookupHistory(true);
  TGridCombo* combo = Open(2, 1);
  combo->SetText("delta");
  Grid->SetComboTouched(true);
  Other->SetFocus();
  Application->ProcessMessages();
  EXPECT_EQ(Grid->Cells(2, 1), "delta");
  EXPECT_GE(combo->Items().IndexOf("delta"), 0);
}

TEST_F(GridComboEditor, LookupCompletesFromTheItemsThenTheGridsList) {
  Grid->SetLookup(true);
  Grid->LookupItems().Add("zeta");
  TGridCombo* combo = Open(2, 1);
  combo->SetText("");
  Headless::TypeText(*combo, "ga");
  EXPECT_EQ(combo->Text(), "gamma");
  combo->SetText("");
  Headless::TypeText(*combo, "z");
  EXPECT_EQ(combo->Text(), "zeta");
  EXPECT_EQ(combo->ItemIndex(), -1) << "a grid list entry selects no item";
}

TEST_F(GridComboEditor, CheckBoxEditorTogglesAndEscPutsTheCaptionBack) {
  Grid->Columns().Items(3)->SetEditor(edCheckBox);
  Grid->SetCells(3, 1, "label");
  Grid->SetFocus();
  Grid->GotoCell(3, 1);
  Grid->ShowInplaceEdit();
  Application->ProcessMessages();
  TGridCheckBox* check = Grid->EditCheck();
  ASSERT_TRUE(check->Visible());
  EXPECT_FALSE(check->Checked()) << "opens unchecked";
  Headless::PressKey(*check, VK_SPACE);
  EXPECT_TRUE(check->Checked());
  check->SetCaption("changed");
  Headless::PressKey(*check, VK_ESCAPE);
  Application->ProcessMessages();
  EXPECT_FALSE(check->Visible());
  EXPECT_EQ(check->Caption(), "label");
  EXPECT_EQ(Grid->Cells(3, 1), "label") << "the check box writes nothing";
}

} // namespace
