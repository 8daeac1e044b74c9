// The focus frame's window around a cell: shown over the cell without taking the activation or
// the focus, only its frame taking room, moved with the current cell, hidden, and gone with its
// grid.
#include "ProGridFixture.h"

#include "grid/ProGridUnit.h"
#include "grid/TGridFocusWindow.h"

#include <gtest/gtest.h>

namespace {

class ProGridFocusHelperTest : public TProGridTest<> {
protected:
  void SetUp() override {
    TProGridTest::SetUp();
    Grid->SetColCount(6);
    Grid->SetRowCount(10);
    Grid->SetFocus();
    Application->ProcessMessages();
  }
  // The window's place on the screen, as the cell's rectangle around it should give it.
  TRect ExpectedAround(const TRect& cell) const {
    TPoint at = Grid->ClientToScreen({cell.Left, cell.Top});
    return {at.X - 4, at.Y - 4, at.X - 4 + cell.Right - cell.Left + 9, at.Y - 4 + cell.Bottom - cell.Top + 9};
  }
  static TRect Bounds(const TControl& c) {
    return {c.Left(), c.Top(), c.Left() + c.Width(), c.Top() + c.Height()};
  }
};

} // namespace

TEST_F(ProGridFocusHelperTest, FrameShowsAroundTheCellWithoutTakingTheFocus) {
  EXPECT_EQ(Grid->FocusWindow(), nullptr) << "made on first use";
  const TRect cell = Grid->CellRect(2, 3);
  Grid->ShowFocusHelper(cell);
  Application->ProcessMessages();
  TGridFocusWindow* w = Grid->FocusWindow();
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(w->Visible());
  EXPECT_EQ(Bounds(*w), ExpectedAround(cell));
  EXPECT_EQ(w->ImageWidth(), w->Width());
  EXPECT_EQ(w->ImageHeight(), w->Height());
  EXPECT_EQ(w->Opacity(), 230);
  EXPECT_EQ(Screen->ActiveForm(), Form) << "the form stays active";
  EXPECT_TRUE(Grid->Focused());

  // Only the 4-pixel frame belongs to the window; the cell inside stays the grid's.
  const int cw = cell.Right - cell.Left, ch = cell.Bottom - cell.Top;
  for (TPoint p : {TPoint{0, 0}, TPoint{3, 3}, TPoint{cw + 4, ch + 4}, TPoint{cw + 8, ch / 2}})
    EXPECT_TRUE(w->RegionContains(p)) << p.X << "," << p.Y;
  for (TPoint p : {TPoint{4, 4}, TPoint{cw / 2, ch / 2}, TPoint{cw + 3, ch + 3}})
    EXPECT_FALSE(w->RegionContains(p)) << p.X << "," << p.Y;

  // Shown again around another rectangle: the same window, new size and place.
  const TRect wide = Grid->CellRect(1, 5);
  Grid->ShowFocusHelper({wide.Left, wide.Top, wide.Right + 40, wide.Bottom});
  EXPECT_EQ(Grid->FocusWindow(), w);
  EXPECT_EQ(w->Width(), cw + 40 + 9);
  EXPECT_EQ(Bounds(*w).Left, ExpectedAround(wide).Left);
}

TEST_F(ProGridFocusHelperTest, MovesWithTheCurrentCellAndHides) {
  Grid->MoveFocusHelper(); // nothing shown yet: nothing happens
  EXPECT_EQ(Grid->FocusWindow(), nullptr);
  Grid->ShowFocusHelper(Grid->CellRect(Grid->Col(), Grid->Row()));
  Grid->MoveColRow(4, 6, true, true);
  Grid->MoveFocusHelper();
  EXPECT_EQ(Bounds(*Grid->FocusWindow()), ExpectedAround(Grid->CellRect(4, 6)));

  SetCurrentGrid(Grid);
  Grid->HideFocusHelper();
  EXPECT_FALSE(Grid->FocusWindow()->Visible());
  EXPECT_EQ(CurrentGrid(), nullptr);
  Grid->HideFocusHelper(); // twice: still hidden
  EXPECT_FALSE(Grid->FocusWindow()->Visible());
}

TEST_F(ProGridFocusHelperTest, FocusHelperStaysOffInANewGrid) {
  EXPECT_FALSE(Grid->FocusHelper().Enabled());
}
