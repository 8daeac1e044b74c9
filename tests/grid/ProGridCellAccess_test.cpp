#include "ProGridFixture.h"

#include "platform/ui/HeadlessPaint.h"

#include <gtest/gtest.h>

namespace {

using ProGridCellAccess = TProGridTest<>;

TEST_F(ProGridCellAccess, RealIndexCells) {
  EXPECT_EQ(Grid->AllCells(-1, 0), "");
  EXPECT_EQ(Grid->AllGridCells(0, -1), "");
  Grid->SetColCount(3);
  Grid->SetCells(1, 4, "x");
  Grid->HideRow(4);
  Grid->SetAllCells(2, 4, "grown");
  EXPECT_EQ(Grid->AllCells(2, 4), "grown") << "the hidden row's texts grow to the column";
  EXPECT_EQ(Grid->AllGridCells(1, 4), "x");
  Grid->UnHideRow(4);
  EXPECT_EQ(Grid->Cells(2, 4), "grown") << "and show when the row does";
}

TEST_F(ProGridCellAccess, LookArraysCreateRecordsOnlyWhenWritten) {
  EXPECT_EQ(Grid->Colors(2, 2), clNone);
  EXPECT_EQ(Grid->FontSizes(2, 2), 0);
  EXPECT_FALSE(Grid->ReadOnly(2, 2));
  EXPECT_FALSE(Grid->HasCellProperties(2, 2)) << "reading creates nothing";
  Grid->WordWraps(2, 2);
  EXPECT_TRUE(Grid->HasCellProperties(2, 2)) << "but WordWraps does";
  Grid->SetColors(3, 3, 0x112233);
  Grid->SetFontNames(3, 3, "DejaVu Sans");
  EXPECT_EQ(Grid->Colors(3, 3), 0x112233u);
  EXPECT_EQ(Grid->FontNames(3, 3), "DejaVu Sans");
}

TEST_F(ProGridCellAccess, RowColorNoneFreesPlainCellsButKeepsGraphics) {
  Grid->SetRowColor(2, 0x00FF00);
  Grid->SetFontColors(2, 2, 0xFF);
  Grid->AddCheckBox(3, 2, true, false);
  Grid->SetRowColor(2, clNone);
  EXPECT_FALSE(Grid->HasCellProperties(2, 2)) << "the plain cell's font went with its record";
  EXPECT_EQ(Grid->FontColors(2, 2), clNone);
  EXPECT_TRUE(Grid->HasCheckBox(3, 2));
  EXPECT_EQ(Grid->Colors(3, 2), clNone);

  Grid->SetRowColorTo(2, 0x0000FF);
  Grid->SetRowColorTo(2, clNone);
  EXPECT_TRUE(Grid->HasCheckBox(3, 2)) << "taking a gradient away never takes a check box";
  EXPECT_FALSE(Grid->HasCellProperties(1, 2));
}

TEST_F(ProGridCellAccess, EditTextOfMarkupAndMergedCells) {
  Grid->SetCells(1, 1, "one<BR>two");
  Grid->MoveCurrentCell(1, 1);
  Grid->SetOptions(Grid->Options() | goEditing);
  Grid->SetFocus();
  Grid->ShowEditor();
  ASSERT_NE(Grid->InplaceEditor(), nullptr);
  EXPECT_EQ(Grid->InplaceEditor()->Text(), "one\r\ntwo") << "edited as two lines";
  Grid->HideEditor();
  Grid->SetEditWithTags(true);
  Grid->SetCells(1, 1, "one<BR>two");
  Grid->InplaceEditor()->Reload();
  Grid->ShowEditor();
  EXPECT_EQ(Grid->InplaceEditor()->Text(), "one<BR>two");
  Grid->HideEditor();

  // A hidden column to the left: the editor reads and writes the real column.
  Grid->SetCells(2, 2, "real");
  Grid->HideColumn(1);
  Grid->MoveCurrentCell(1, 2);
  EXPECT_EQ(Grid->CurrentCell(), "real");
  Grid->SetCurrentCellText("typed");
  EXPECT_EQ(Grid->AllCells(2, 2), "typed");
}

// Behind a hidden column a cell shows one place further left than its real column: writing it
// repaints where it shows, also the last real column, which has no displayed column of its own.
TEST_F(ProGridCellAccess, WritingACellBehindAHiddenColumnRepaintsWhereItShows) {
  Grid->SetColCount(5);
  Grid->SetRowCount(4);
  Grid->HideColumn(2);
  Application->ProcessMessages();
  for (int real : {3, 4}) {
    SCOPED_TRACE(real);
    Headless::TPaintObserver seen;
    Grid->SetCells(real, 1, "x");
    Application->ProcessMessages();
    const TRect shown = Grid->CellRect(real - 1, 1);
    bool covered = false;
    for (const Headless::TPaintRecord& p : seen.Paints())
      for (const TRect& r : p.Rects)
        covered = covered || (p.Control == Grid && r.Left <= shown.Left && r.Top <= shown.Top &&
                              r.Right >= shown.Right && r.Bottom >= shown.Bottom);
    EXPECT_TRUE(covered) << "the displayed cell " << real - 1 << " is repainted";
  }
}

TEST(ProGridLook, InitialLookAndAssign) {
  TControlLook look;
  EXPECT_EQ(look.CheckSize(), 15);
  EXPECT_EQ(look.RadioSize(), 10);
  EXPECT_EQ(look.ControlStyle(), csTheme);
  EXPECT_EQ(look.FixedGradientHoverFrom(), 0x808080u);
  EXPECT_EQ(look.FixedGradientHoverTo(), 0xFFFFFFu);
  EXPECT_EQ(look.FixedGradientDownFrom(), 0x808080u);
  EXPECT_EQ(look.FixedGradientDownTo(), 0xC0C0C0u);

  TControlLook other;
  other.SetFixedGradientMirrorTo(0x123456);
  other.SetFixedGradientHoverBorder(0x654321);
  other.SetFlatButton(true);
  other.SetProgressXP(true);
  other.SetCheckAlwaysActive(true);
  look.Assign(&other);
  EXPECT_EQ(look.FixedGradientMirrorTo(), 0x123456u);
  EXPECT_EQ(look.FixedGradientHoverBorder(), 0x654321u);
  EXPECT_TRUE(look.CheckAlwaysActive());
  EXPECT_FALSE(look.FlatButton()) << "not copied";
  EXPECT_FALSE(look.ProgressXP()) << "not copied";
}

TEST(ProGridLook, AProgressColourWrittenUnchangedFiresNothing) {
  TGridProgressAppearance p;
  int changes = 0;
  p.OnChange = [&](TObject*) { ++changes; };
  p.SetCompleteColor(p.CompleteColor());
  EXPECT_EQ(changes, 0);
  p.SetCompleteColor(0x123456);
  EXPECT_EQ(changes, 1);
}

} // namespace
