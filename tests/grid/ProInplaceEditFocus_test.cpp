// Where the caret stands when an editor takes the focus: under the mouse when a click opened it
// (with CaretPositioning), else all selected or at the end as EditSelectAll says, and the first
// mask position with ImproveMaskSel.
#include "grid/GridCombo.h"
#include "grid/ProCGrid.h"
#include "grid/ProInplaceEdit.h"

#include "ProGridFixture.h"
#include "platform/ui/Headless.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class ProInplaceEditFocus : public TProGridTest<TProColumnGrid> {
protected:
  void SetUp() override {
    TProGridTest::SetUp();
    Grid->SetBounds(0, 0, 480, 300);
    Grid->SetColCount(5);
    Grid->SetRowCount(5);
    Grid->SetDefaultColWidth(120);
    Grid->SetOptions(Grid->Options() | goEditing);
    Grid->SetCells(1, 1, "abcdefgh");
    Grid->SetCells(2, 1, "abcdefgh");
    TGridColumnItem& combo = *Grid->Columns().Items(2);
    combo.SetEditor(edComboEdit);
    combo.ComboItems().Add("abcdefgh");
  }
  // The grid point over the left half of character `Index` of the cell's editor text.
  template <class TEditor> TPoint PointAtChar(TEditor& Editor, int Index) {
    const TPoint p = Editor.PosFromChar(Index);
    return {Editor.Left() + p.X + 1, Editor.Top() + Editor.Height() / 2};
  }
  void Click(TPoint At) {
    Headless::MouseDown(*Grid, At);
    Headless::MouseUp(*Grid, At);
    Application->ProcessMessages();
  }
  TProInplaceEdit* OpenByKey(int ACol, int ARow) {
    Grid->SetFocus();
    Grid->GotoCell(ACol, ARow);
    Headless::PressKey(*Grid, VK_F2);
    Application->ProcessMessages();
    return Grid->NormalEdit();
  }
};

TEST_F(ProInplaceEditFocus, TheCaretStandsWhereTheWayOfOpeningSays) {
  TProInplaceEdit* e = OpenByKey(1, 1);
  ASSERT_TRUE(e && e->Visible());
  const TPoint atD = PointAtChar(*e, 3);
  Grid->HideInplaceEdit();
  struct TCase {
    const char* name;
    bool byClick, caretPositioning, selectAll;
    int selStart, selLength;
  };
  const TCase cases[] = {
      {"click, caret positioning", true, true, true, 3, 0},
      {"click, caret positioning, no select all", true, true, false, 3, 0},
      {"click, select all", true, false, true, 0, 8},
      {"click, caret at the end", true, false, false, 8, 0},
      {"key, select all", false, true, true, 0, 8},
      {"key, caret at the end", false, true, false, 8, 0},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    Grid->MouseActions().SetCaretPositioning(c.caretPositioning);
    Grid->Navigation().SetEditSelectAll(c.selectAll);
    if (c.byClick) {
      Grid->SetFocus();
      Grid->GotoCell(1, 1);
      Click(atD);
      e = Grid->NormalEdit();
    } else {
      e = OpenByKey(1, 1);
    }
    ASSERT_TRUE(e && e->Visible());
    EXPECT_EQ(e->Text(), "abcdefgh");
    EXPECT_EQ(e->SelStart(), c.selStart);
    EXPECT_EQ(e->SelLength(), c.selLength);
    Grid->HideInplaceEdit();
  }
}

TEST_F(ProInplaceEditFocus, AClickOutsideTheTextKeepsTheFlagForTheNextEdit) {
  Grid->MouseActions().SetCaretPositioning(true);
  Grid->Navigation().SetEditSelectAll(false);
  Grid->SetFocus();
  Grid->GotoCell(1, 2);
  // A click on another cell opens no editor there; the key that opens one later finds the mouse
  // outside its editor and puts the caret at the end.
  const TRect other = Grid->CellRect(3, 3);
  Headless::MouseDown(*Grid, {other.Left + 3, other.Top + 3});
  Headless::MouseUp(*Grid, {other.Left + 3, other.Top + 3});
  TProInplaceEdit* e = OpenByKey(1, 1);
  ASSERT_TRUE(e && e->Visible());
  EXPECT_EQ(e->SelStart(), 8);
}

TEST_F(ProInplaceEditFocus, AFilledMaskSelectsItsFirstPositionWithImproveMaskSel) {
  Grid->Columns().Items(1)->SetEditMask("99-99;1;_");
  Grid->SetCells(1, 1, "12-34");
  Grid->Navigation().SetImproveMaskSel(true);
  TProInplaceEdit* e = OpenByKey(1, 1);
  ASSERT_TRUE(e && e->Visible());
  EXPECT_EQ(e->SelStart(), 0);
  EXPECT_EQ(e->SelLength(), 1);
}

TEST_F(ProInplaceEditFocus, AClickPutsTheComboCaretUnderTheMouse) {
  Grid->Navigation().SetEditSelectAll(false);
  Grid->SetFocus();
  Grid->GotoCell(2, 1);
  Grid->ShowInplaceEdit();
  Application->ProcessMessages();
  TGridCombo* combo = Grid->EditCombo();
  ASSERT_TRUE(combo->Visible());
  EXPECT_EQ(combo->SelStart(), 8) << "opened by code: the caret at the end";
  const int y = combo->Height() / 2;
  int x = 0;
  while (x < combo->Width() && combo->CharFromPos({x, y}) != 3)
    ++x;
  ASSERT_LT(x, combo->Width());
  EXPECT_EQ(combo->CharFromPos({-1, y}), -1) << "outside the box";
  const TPoint atD{combo->Left() + x, combo->Top() + y};
  Grid->HideInplaceEdit();
  Grid->MouseActions().SetCaretPositioning(true);
  Grid->SetFocus();
  Click(atD);
  ASSERT_TRUE(combo->Visible());
  EXPECT_EQ(combo->SelStart(), 3);
  EXPECT_EQ(combo->SelLength(), 0);
}

} // namespace
