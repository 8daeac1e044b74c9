// Merged areas: their spans and queries, the cell rectangles, and the cursor kept off covered cells
// whatever moves it (keys, clicks, the wheel).
#include "BaseGridFixture.h"

#include <gtest/gtest.h>

TEST_F(BaseGridTest, MergedAreaSpansAndQueries) {
  TBaseGridForm f;
  TTestBaseGrid& g = *f.Grid;
  g.MergeCells(2, 3, 3, 2);
  EXPECT_EQ(g.MergeCount(), 1);
  TCellProperties* base = g.CellProperties(2, 3);
  EXPECT_TRUE(base->IsBaseCell());
  EXPECT_EQ((TPoint{base->CellSpanX(), base->CellSpanY()}), (TPoint{2, 1}));
  TCellProperties* last = g.CellProperties(4, 4);
  EXPECT_FALSE(last->IsBaseCell());
  EXPECT_EQ((TPoint{last->CellSpanX(), last->CellSpanY()}), (TPoint{2, 1}));
  EXPECT_EQ(g.CellSpan(4, 4), (TPoint{2, 1}));
  EXPECT_EQ(g.CellExt(3, 3), (TPoint{1, 1}));
  EXPECT_EQ(g.CellExt(2, 3), (TPoint{2, 1}));
  EXPECT_EQ(g.FullCell(4, 4), (TRect{2, 3, 4, 4}));
  EXPECT_EQ(g.BaseCell(3, 4), (TPoint{2, 3}));
  EXPECT_TRUE(g.IsMergedCell(2, 3));
  EXPECT_TRUE(g.IsMergedCell(2, 4)) << "covered below the base";
  EXPECT_TRUE(g.IsMergedNonBaseCell(3, 4));
  EXPECT_FALSE(g.IsMergedNonBaseCell(2, 3));
  EXPECT_TRUE(g.IsXMergedCell(2, 4));
  EXPECT_TRUE(g.IsYMergedCell(4, 3));
  EXPECT_FALSE(g.IsMergedCell(5, 3));
  int bc = 0, br = 0;
  EXPECT_FALSE(g.ResolveBaseCell(4, 4, bc, br));
  EXPECT_EQ((TPoint{bc, br}), (TPoint{2, 3}));
  EXPECT_TRUE(g.ResolveBaseCell(6, 6, bc, br));
  EXPECT_EQ((TPoint{bc, br}), (TPoint{6, 6}));
  EXPECT_EQ(g.MinRowSpan(3), 1);
  EXPECT_EQ(g.MaxRowSpan(3), 1);
  EXPECT_EQ(g.MinRowSpan(7), g.RowCount()) << "none merged";
  EXPECT_EQ(g.MaxRowSpan(7), 0);

  TRect whole = g.CellRect(2, 3);
  EXPECT_EQ(whole.Right - whole.Left, 3 * g.DefaultColWidth());
  EXPECT_EQ(whole.Bottom - whole.Top, 2 * g.DefaultRowHeight());
  for (auto [c, r] : {std::pair{3, 3}, {4, 3}, {2, 4}, {4, 4}})
    EXPECT_EQ(g.CellRect(c, r), whole) << c << "," << r;
  EXPECT_EQ(g.CellSize(4, 4), (TSize{whole.Right - whole.Left, whole.Bottom - whole.Top}));

  g.SplitCells(3, 4);
  EXPECT_EQ(g.MergeCount(), 0);
  EXPECT_FALSE(g.IsMergedCell(4, 4));
  EXPECT_TRUE(g.IsBaseCell(4, 4));
  EXPECT_EQ(g.CellSpan(2, 3), (TPoint{0, 0}));
}

TEST_F(BaseGridTest, OneByOneMergeAndSplittingWhatIsNotMerged) {
  TBaseGridForm f;
  TTestBaseGrid& g = *f.Grid;
  g.MergeCells(5, 5, 1, 1);
  EXPECT_EQ(g.MergeCount(), 1);
  EXPECT_TRUE(g.IsBaseCell(5, 5));
  EXPECT_FALSE(g.IsMergedCell(5, 5));
  EXPECT_EQ(g.CellSpan(5, 5), (TPoint{0, 0}));
  EXPECT_EQ(g.CellRect(5, 5), g.ComputeCellRect(5, 5)) << "the merged path, which sees any cell";
  // Mended: splitting a cell that is no area changes nothing, the count included.
  g.CellProperties(7, 7);
  g.SplitCells(7, 7);
  g.SplitCells(8, 8);
  EXPECT_EQ(g.MergeCount(), 1);
  EXPECT_FALSE(g.HasCellProperties(8, 8)) << "asking made nothing";
  g.SplitCells(5, 5);
  EXPECT_EQ(g.MergeCount(), 0);
  g.SplitCells(5, 5);
  EXPECT_EQ(g.MergeCount(), 0) << "never below what was merged";
}

TEST_F(BaseGridTest, SpanComparisonsOfRowsAndColumns) {
  TBaseGridForm f;
  TTestBaseGrid& g = *f.Grid;
  EXPECT_FALSE(g.RowSpanIdentical(1, 2)) << "no vertical merges";
  g.MergeCells(2, 1, 1, 2); // rows 1 and 2 in column 2
  EXPECT_TRUE(g.RowSpanIdentical(1, 2));
  g.MergeCells(4, 3, 1, 2); // rows 3 and 4 in column 4
  EXPECT_TRUE(g.RowSpanIdentical(1, 2));
  g.MergeCells(2, 3, 1, 2);
  EXPECT_FALSE(g.RowSpanIdentical(2, 3)) << "column 2 has two different areas there";

  EXPECT_FALSE(g.ColSpanIdentical(6, 7)) << "nothing merged";
  g.MergeCells(6, 8, 2, 1); // columns 6 and 7 in row 8
  EXPECT_TRUE(g.ColSpanIdentical(6, 7));
  g.MergeCells(7, 10, 2, 1); // row 10 merged in column 7 only (of the two)
  EXPECT_FALSE(g.ColSpanIdentical(6, 7));
}

TEST_F(BaseGridTest, ArrowsLeaveAreasAtTheirEdges) {
  struct TCase {
    const char* Name;
    TPoint Start;
    std::uint16_t Key;
    TPoint End;
  };
  // Areas: columns 2..4 of row 1, rows 3..5 of column 2, and 2 x 2 at (6, 6).
  const TCase cases[] = {
      {"right from the base", {2, 1}, GridKeys::Right, {5, 1}},
      {"left from the base", {2, 1}, GridKeys::Left, {1, 1}},
      {"right into an area", {1, 1}, GridKeys::Right, {2, 1}},
      {"left into an area", {5, 1}, GridKeys::Left, {2, 1}},
      {"down from the base", {2, 3}, GridKeys::Down, {2, 6}},
      {"up from the base", {2, 3}, GridKeys::Up, {2, 2}},
      {"down into an area", {7, 5}, GridKeys::Down, {6, 6}},
      {"up into an area", {7, 8}, GridKeys::Up, {6, 6}},
      {"right out of the square", {6, 6}, GridKeys::Right, {8, 6}},
      {"down out of the square", {6, 6}, GridKeys::Down, {6, 8}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TBaseGridForm f;
    f.Grid->MergeCells(2, 1, 3, 1);
    f.Grid->MergeCells(2, 3, 1, 3);
    f.Grid->MergeCells(6, 6, 2, 2);
    f.Grid->MoveColRow(c.Start.X, c.Start.Y, true, true);
    f.Key(c.Key);
    EXPECT_EQ(f.Current(), c.End);
    EXPECT_TRUE(f.Grid->IsBaseCell(f.Grid->Col(), f.Grid->Row()));
  }
}

// Placed on a covered cell by code, any move lands on a base cell or outside the area; Left and
// Up land on the cell just before the area.
TEST_F(BaseGridTest, FromACoveredCellEveryMoveLeavesIt) {
  struct TCase {
    std::uint16_t Key;
    TPoint End;
  };
  const TCase cases[] = {{GridKeys::Left, {2, 7}}, {GridKeys::Up, {4, 5}},   {GridKeys::Right, {6, 7}},
                         {GridKeys::Down, {4, 8}}, {GridKeys::Home, {1, 7}}, {GridKeys::PageDown, {4, 17}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Key);
    TBaseGridForm f;
    f.Grid->MergeCells(3, 6, 3, 2); // columns 3..5, rows 6..7
    f.Grid->MoveColRow(4, 7, true, true);
    ASSERT_TRUE(f.Grid->IsMergedNonBaseCell(4, 7));
    f.Key(c.Key);
    EXPECT_FALSE(f.Grid->IsMergedNonBaseCell(f.Grid->Col(), f.Grid->Row()));
    EXPECT_EQ(f.Current(), c.End);
  }
}

TEST_F(BaseGridTest, ClicksAndTheWheelNeverRestOnACoveredCell) {
  TBaseGridForm f;
  TTestBaseGrid& g = *f.Grid;
  g.MergeCells(2, 2, 2, 3); // columns 2..3, rows 2..4
  Headless::Click(g);
  TRect area = g.CellRect(3, 4);
  Headless::MouseDown(g, {area.Right - 3, area.Bottom - 3});
  Headless::MouseUp(g, {area.Right - 3, area.Bottom - 3});
  EXPECT_EQ(f.Current(), (TPoint{2, 2})) << "a click on a covered cell selects the area's base";

  Headless::MouseWheel(g, {10, 10}, -120); // one notch down
  EXPECT_EQ(f.Current(), (TPoint{2, 5})) << "the wheel passes the area";
  Headless::MouseWheel(g, {10, 10}, 120);
  EXPECT_EQ(f.Current(), (TPoint{2, 2}));
  Headless::MouseWheel(g, {10, 10}, 120);
  EXPECT_EQ(f.Current(), (TPoint{2, 1}));
}

TEST_F(BaseGridTest, PageDownNeverReachesTheFootersRow) {
  TBaseGridForm f;
  f.Grid->SetHideLastRow(true);
  for (int i = 0; i < 5; ++i)
    f.Key(GridKeys::PageDown);
  EXPECT_EQ(f.Grid->Row(), 18);
  f.Grid->SetHideLastRow(false);
  f.Key(GridKeys::PageDown);
  EXPECT_EQ(f.Grid->Row(), 19);
}

TEST_F(BaseGridTest, CellRectsOfAreasScrolledOutOfView) {
  TBaseGridForm f(10, 200);
  TTestBaseGrid& g = *f.Grid;
  g.MergeCells(2, 3, 2, 2);
  g.SetTopRow(4); // the base row is above the view, row 4 shows
  TRect r = g.CellRect(3, 4);
  EXPECT_EQ(r.Top, g.RowHeights(0) - g.RowHeights(3)) << "the area starts under the fixed row";
  EXPECT_EQ(r.Bottom - r.Top, 2 * g.DefaultRowHeight());
  EXPECT_EQ(g.CellRect(2, 3), r);
  g.MergeCells(2, 150, 2, 2);
  g.SetTopRow(150);
  EXPECT_EQ(g.CellRect(3, 151).Top, g.RowHeights(0)) << "the same far down";
}
