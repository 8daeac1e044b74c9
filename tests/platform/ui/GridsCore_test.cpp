// The grid's window-free core: geometry, clamping, navigation, scroll mapping and drags.
#include "platform/ui/GridsCore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

using namespace GridKeys;

// Records the hooks and can refuse cells.
class TTestCore : public TGridCore {
public:
  std::set<std::pair<int, int>> Refused;
  std::vector<TGridCoord> Asked;
  int TopLeftCount = 0;
  int ColWidthsCount = 0;
  int RowHeightsCount = 0;
  std::vector<std::pair<int, int>> ColMoves, RowMoves;
  std::vector<TGridCoord> FixedClicks;
  std::vector<TRect> Invalidated;
  bool InvalidatedAll = false;

  using TGridCore::CalcSizingState;

  // True when the cell with its grid lines lies inside what was invalidated.
  bool Repainted(const TRect& cell) const {
    if (InvalidatedAll) return true;
    return std::any_of(Invalidated.begin(), Invalidated.end(), [&](const TRect& r) {
      return r.Left <= cell.Left && r.Top <= cell.Top && r.Right >= cell.Right && r.Bottom >= cell.Bottom;
    });
  }

protected:
  bool SelectCell(int col, int row) override {
    Asked.push_back({col, row});
    return !Refused.count({col, row});
  }
  void TopLeftChanged() override { ++TopLeftCount; }
  void ColWidthsChanged() override { ++ColWidthsCount; }
  void RowHeightsChanged() override { ++RowHeightsCount; }
  void ColumnMoved(int f, int t) override { ColMoves.push_back({f, t}); }
  void RowMoved(int f, int t) override { RowMoves.push_back({f, t}); }
  void FixedCellClick(int c, int r) override { FixedClicks.push_back({c, r}); }
  void GridInvalidate(const TRect& r) override { Invalidated.push_back(r); }
  void GridInvalidateAll() override { InvalidatedAll = true; }
};

// 10 columns of 64 + 1 line, 100 rows of 24 + 1 line, client 300 x 200, one fixed row and column.
void Standard(TGridCore& g) {
  g.SetColCount(10);
  g.SetRowCount(100);
  g.SetGridClientSize(300, 200);
}

// Every visible cell: its rectangle and the hit test agree, also on its grid line.
void ExpectGeometryAgrees(const TGridCore& g) {
  for (const TGridSpan& c : g.VisibleColumns()) {
    for (const TGridSpan& r : g.VisibleRows()) {
      TRect rect = g.CellRect(c.Index, r.Index);
      EXPECT_EQ(rect, (TRect{c.Start, r.Start, c.End, r.End})) << c.Index << "," << r.Index;
      for (int x : {c.Start, c.End - 1, c.LineEnd - 1}) {
        for (int y : {r.Start, r.End - 1, r.LineEnd - 1}) {
          if (x < c.Start || y < r.Start || x >= g.GridClientWidth() || y >= g.GridClientHeight()) continue;
          if (c.LineEnd == c.Start || r.LineEnd == r.Start) continue; // nothing to hit
          EXPECT_EQ(g.MouseToCell(x, y), (TGridCoord{c.Index, r.Index})) << x << "," << y;
        }
      }
    }
  }
}

TEST(GridsCore, GeometryAgreesForEveryVisibleCell) {
  struct Case {
    int lineWidth, fixedCols, fixedRows, left, top;
    TGridOptions options;
  } cases[] = {
      {1, 1, 1, 1, 1, DefaultGridOptions},           {0, 1, 1, 3, 40, DefaultGridOptions},
      {3, 2, 2, 4, 10, DefaultGridOptions},          {2, 0, 0, 0, 0, goVertLine},
      {1, 1, 1, 2, 5, goFixedVertLine | goHorzLine},
  };
  for (const Case& k : cases) {
    TTestCore g;
    Standard(g);
    g.SetColWidths(3, 0);
    g.SetRowHeights(7, 0);
    g.SetColWidths(5, 150);
    g.SetOptions(k.options);
    g.SetGridLineWidth(k.lineWidth);
    g.SetFixedCols(k.fixedCols);
    g.SetFixedRows(k.fixedRows);
    g.SetLeftCol(k.left);
    g.SetTopRow(k.top);
    SCOPED_TRACE(k.lineWidth * 100 + k.left);
    ExpectGeometryAgrees(g);
    // Outside the view: scrolled-away cells, cells past the client edge, indexes outside the grid.
    if (g.LeftCol() > g.FixedCols()) {
      EXPECT_TRUE(g.CellRect(g.LeftCol() - 1, g.TopRow()).IsEmpty());
    }
    if (g.TopRow() > g.FixedRows()) {
      EXPECT_EQ(g.CellRect(g.LeftCol(), g.TopRow() - 1), TRect{});
    }
    EXPECT_EQ(g.CellRect(g.LeftCol(), 99), TRect{});
    EXPECT_EQ(g.CellRect(-1, 0), TRect{});
    EXPECT_EQ(g.CellRect(0, 100), TRect{});
    EXPECT_EQ(g.MouseToCell(-1, 5), (TGridCoord{-1, -1}));
    EXPECT_EQ(g.MouseToCell(5, 200), (TGridCoord{-1, -1}));
  }
}

// Every cell has its span's rectangle when its row and column are visible, none otherwise.
void ExpectRectsOnlyForVisibleCells(const TGridCore& g) {
  std::map<int, TGridSpan> cols, rows;
  for (const TGridSpan& c : g.VisibleColumns())
    cols[c.Index] = c;
  for (const TGridSpan& r : g.VisibleRows())
    rows[r.Index] = r;
  const TGridSpan& top = rows.at(g.TopRow());
  const TGridSpan& left = cols.at(g.LeftCol());
  for (int c = 0; c < g.ColCount(); ++c) {
    TRect expected = cols.count(c) ? TRect{cols[c].Start, top.Start, cols[c].End, top.End} : TRect{};
    EXPECT_EQ(g.CellRect(c, g.TopRow()), expected) << "column " << c;
  }
  for (int r = 0; r < g.RowCount(); ++r) {
    TRect expected = rows.count(r) ? TRect{left.Start, rows[r].Start, left.End, rows[r].End} : TRect{};
    EXPECT_EQ(g.CellRect(g.LeftCol(), r), expected) << "row " << r;
  }
}

// A cell out of view is told without walking the rows before it; whatever moves cells into or out
// of view must be seen by that shortcut too.
TEST(GridsCore, EveryLayoutChangeMovesCellsIntoAndOutOfView) {
  TTestCore g;
  Standard(g);
  struct Step {
    const char* name;
    std::function<void(TGridCore&)> change;
  } steps[] = {
      {"row heights", [](TGridCore& x) { x.SetRowHeights(2, 0), x.SetRowHeights(3, 0); }},
      {"column widths", [](TGridCore& x) { x.SetColWidths(1, 10); }},
      {"default row height", [](TGridCore& x) { x.SetDefaultRowHeight(12); }},
      {"shrink and regrow", [](TGridCore& x) { x.SetRowCount(5), x.SetRowCount(100); }},
      {"a tall row in view", [](TGridCore& x) { x.SetRowHeights(2, 150); }},
      {"moved out of view", [](TGridCore& x) { x.MoveRow(2, 50); }},
      {"moved back", [](TGridCore& x) { x.MoveRow(50, 2); }},
      {"a wide column in view", [](TGridCore& x) { x.SetColWidths(1, 200); }},
      {"moved out of view", [](TGridCore& x) { x.MoveColumn(1, 8); }},
      {"moved back", [](TGridCore& x) { x.MoveColumn(8, 1); }},
      {"line width", [](TGridCore& x) { x.SetGridLineWidth(6); }},
      {"no lines", [](TGridCore& x) { x.SetOptions(0); }},
      {"client size", [](TGridCore& x) { x.SetGridClientSize(500, 400); }},
      {"fixed rows", [](TGridCore& x) { x.SetFixedRows(3); }},
      {"scrolled", [](TGridCore& x) { x.SetTopRow(20), x.SetLeftCol(3); }},
  };
  ExpectRectsOnlyForVisibleCells(g);
  for (const Step& s : steps) {
    SCOPED_TRACE(s.name);
    s.change(g);
    ExpectRectsOnlyForVisibleCells(g);
    ExpectGeometryAgrees(g);
  }
}

TEST(GridsCore, VisibleCountsCountOnlyFullyVisibleCells) {
  TTestCore g;
  Standard(g);
  // Columns: fixed 0..65, then 65..129, 130..194, 195..259, 260..324 (cut at 300).
  EXPECT_EQ(g.VisibleColCount(), 3);
  EXPECT_EQ(g.CellRect(4, 1), (TRect{260, 25, 324, 49}));
  EXPECT_EQ(g.MouseToCell(299, 30), (TGridCoord{4, 1}));
  // Rows: fixed 0..25, then 24 + 1 each: 25..49 .. 175..199 fits, 200.. does not.
  EXPECT_EQ(g.VisibleRowCount(), 7);
  g.SetGridClientSize(300, 199);
  EXPECT_EQ(g.VisibleRowCount(), 7);
  g.SetGridClientSize(300, 198);
  EXPECT_EQ(g.VisibleRowCount(), 6);
  g.SetGridClientSize(10, 10); // not even the fixed cells fit
  EXPECT_EQ(g.VisibleColCount(), 0);
  EXPECT_EQ(g.VisibleRowCount(), 0);
  EXPECT_FALSE(g.CellRect(0, 0).IsEmpty());
  EXPECT_TRUE(g.CellRect(1, 1).IsEmpty());
}

TEST(GridsCore, TopRowAndLeftColClamp) {
  TTestCore g;
  Standard(g);
  EXPECT_EQ(g.MaxTopRow(), 93); // 7 rows of 25 fit below the fixed row
  g.SetTopRow(-5);
  EXPECT_EQ(g.TopRow(), 1);
  g.SetTopRow(1000);
  EXPECT_EQ(g.TopRow(), 93);
  EXPECT_EQ(g.VisibleRowCount(), 7);
  EXPECT_LE(g.CellRect(1, 99).Bottom, 200);
  EXPECT_EQ(g.MaxLeftCol(), 7);
  g.SetLeftCol(50);
  EXPECT_EQ(g.LeftCol(), 7);
  g.SetLeftCol(0);
  EXPECT_EQ(g.LeftCol(), 1);
  // A larger client pulls the view back so that no empty space is scrolled into view.
  g.SetLeftCol(7);
  g.SetTopRow(93);
  g.SetGridClientSize(2000, 3000);
  EXPECT_EQ(g.LeftCol(), 1);
  EXPECT_EQ(g.TopRow(), 1);
  // Fewer rows than the view: the top row follows.
  g.SetGridClientSize(300, 200);
  g.SetTopRow(93);
  g.SetRowCount(20);
  EXPECT_EQ(g.TopRow(), g.MaxTopRow());
}

TEST(GridsCore, TopLeftChangedFiresOnEveryScrollOnly) {
  TTestCore g;
  Standard(g);
  g.TopLeftCount = 0;
  g.SetTopRow(5);
  g.SetTopRow(5);
  EXPECT_EQ(g.TopLeftCount, 1);
  g.ScrollVert(gscLineDown);
  g.ScrollHorz(gscPageDown);
  EXPECT_EQ(g.TopLeftCount, 3);
  g.SetRow(3); // above the top row 6: scrolls
  EXPECT_EQ(g.TopLeftCount, 4);
  g.SetRow(9); // in view
  EXPECT_EQ(g.TopLeftCount, 4);
  g.SetRow(10);
  EXPECT_EQ(g.TopLeftCount, 5);
}

// Keyboard navigation: one table.
struct KeyCase {
  const char* name;
  TGridOptions options;
  TGridCoord start;
  int top;
  unsigned key;
  bool shift, ctrl;
  TGridCoord expected;
  TGridRect selection;
  int expectedTop; // -1: not checked
};

// The wheel goes through the same table as the keys.
constexpr unsigned WheelUpNotch = 0x10001, WheelDownNotch = 0x10002;

TEST(GridsCore, KeyboardNavigation) {
  const TGridOptions d = DefaultGridOptions;
  const KeyCase cases[] = {
      {"down", d, {2, 2}, 1, Down, false, false, {2, 3}, {2, 3, 2, 3}, 1},
      {"up at first normal row stays", d, {2, 1}, 1, Up, false, false, {2, 1}, {2, 1, 2, 1}, 1},
      {"left stops at fixed column", d, {1, 5}, 1, Left, false, false, {1, 5}, {1, 5, 1, 5}, -1},
      {"right", d, {1, 5}, 1, Right, false, false, {2, 5}, {2, 5, 2, 5}, -1},
      {"right at last column stays", d, {9, 5}, 1, Right, false, false, {9, 5}, {9, 5, 9, 5}, -1},
      {"shift extends with range select", d, {2, 2}, 1, Down, true, false, {2, 3}, {2, 2, 2, 3}, -1},
      {"shift without range select moves",
       goVertLine,
       {2, 2},
       1,
       Right,
       true,
       false,
       {3, 2},
       {3, 2, 3, 2},
       -1},
      {"down scrolls at the bottom", d, {2, 7}, 1, Down, false, false, {2, 8}, {2, 8, 2, 8}, 2},
      {"down onto a row that fits exactly does not scroll",
       d,
       {2, 6},
       1,
       Down,
       false,
       false,
       {2, 7},
       {2, 7, 2, 7},
       1},
      {"right onto a half-visible column scrolls it in",
       d,
       {3, 5},
       1,
       Right,
       false,
       false,
       {4, 5},
       {4, 5, 4, 5},
       1},
      {"wheel down moves one row", d, {2, 3}, 1, WheelDownNotch, false, false, {2, 4}, {2, 4, 2, 4}, 1},
      {"wheel up on the first data row stays",
       d,
       {2, 1},
       1,
       WheelUpNotch,
       false,
       false,
       {2, 1},
       {2, 1, 2, 1},
       1},
      {"wheel up", d, {2, 3}, 1, WheelUpNotch, false, false, {2, 2}, {2, 2, 2, 2}, 1},
      {"page down by visible rows", d, {2, 3}, 1, PageDown, false, false, {2, 10}, {2, 10, 2, 10}, 8},
      {"page up by visible rows", d, {2, 50}, 45, PageUp, false, false, {2, 43}, {2, 43, 2, 43}, 38},
      {"page up clamps", d, {2, 3}, 1, PageUp, false, false, {2, 1}, {2, 1, 2, 1}, 1},
      {"page down clamps", d, {2, 97}, 93, PageDown, false, false, {2, 99}, {2, 99, 2, 99}, 93},
      {"home", d, {5, 50}, 45, Home, false, false, {1, 50}, {1, 50, 1, 50}, 45},
      {"end", d, {2, 50}, 45, End, false, false, {9, 50}, {9, 50, 9, 50}, 45},
      {"ctrl home", d, {5, 50}, 45, Home, false, true, {1, 1}, {1, 1, 1, 1}, 1},
      {"ctrl end", d, {5, 50}, 45, End, false, true, {9, 99}, {9, 99, 9, 99}, 93},
      {"shift ctrl end selects to the end", d, {5, 50}, 45, End, true, true, {9, 99}, {5, 50, 9, 99}, 93},
      {"ctrl down scrolls only", d, {2, 2}, 1, Down, false, true, {2, 2}, {2, 2, 2, 2}, 2},
      {"tab without goTabs does nothing", d, {2, 2}, 1, Tab, false, false, {2, 2}, {2, 2, 2, 2}, -1},
      {"tab walks the row", d | goTabs, {2, 2}, 1, Tab, false, false, {3, 2}, {3, 2, 3, 2}, -1},
      {"tab wraps to the next row", d | goTabs, {9, 2}, 1, Tab, false, false, {1, 3}, {1, 3, 1, 3}, -1},
      {"tab wraps at the end", d | goTabs, {9, 99}, 93, Tab, false, false, {1, 1}, {1, 1, 1, 1}, 1},
      {"shift tab goes back", d | goTabs, {1, 3}, 1, Tab, true, false, {9, 2}, {9, 2, 9, 2}, -1},
      {"shift tab wraps at the start", d | goTabs, {1, 1}, 1, Tab, true, false, {9, 99}, {9, 99, 9, 99}, 93},
      {"row select: left scrolls", d | goRowSelect, {2, 2}, 1, Left, false, false, {2, 2}, {1, 2, 9, 2}, -1},
      {"row select: home goes to the first row",
       d | goRowSelect,
       {2, 50},
       45,
       Home,
       false,
       false,
       {2, 1},
       {1, 1, 9, 1},
       1},
      {"row select: tab goes down",
       d | goRowSelect | goTabs,
       {2, 5},
       1,
       Tab,
       false,
       false,
       {2, 6},
       {1, 6, 9, 6},
       -1},
  };
  for (const KeyCase& k : cases) {
    SCOPED_TRACE(k.name);
    TTestCore g;
    Standard(g);
    g.SetOptions(k.options);
    g.SetTopRow(k.top);
    g.SetSelection({k.start.X, k.start.Y, k.start.X, k.start.Y});
    const TRect before = g.CellRect(k.start.X, k.start.Y);
    g.Invalidated.clear();
    g.InvalidatedAll = false;
    bool handled = k.key == WheelUpNotch     ? g.WheelUp()
                   : k.key == WheelDownNotch ? g.WheelDown()
                                             : g.NavigateKey(k.key, k.shift, k.ctrl);
    EXPECT_EQ(handled, k.key != Tab || (k.options & goTabs));
    EXPECT_EQ((TGridCoord{g.Col(), g.Row()}), k.expected);
    EXPECT_EQ(g.Selection(), k.selection);
    if (k.expectedTop >= 0) {
      EXPECT_EQ(g.TopRow(), k.expectedTop);
    }
    // The current cell shows whole after every move (row select does not scroll sideways).
    const TRect now = g.CellRect(g.Col(), g.Row());
    EXPECT_FALSE(now.IsEmpty());
    EXPECT_LE(now.Bottom, g.GridClientHeight());
    if (!(k.options & goRowSelect)) {
      EXPECT_LE(now.Right, g.GridClientWidth());
    }
    // The old and the new current cell are repainted, each a one-cell range.
    if (!(k.expected == k.start)) {
      if (!before.IsEmpty()) {
        EXPECT_TRUE(g.Repainted(before)) << "old cell";
      }
      EXPECT_TRUE(g.Repainted(now)) << "new cell";
    }
  }
}

TEST(GridsCore, SelectCellIsAskedBeforeEveryMoveAndCanVeto) {
  TTestCore g;
  Standard(g);
  g.SetSelection({2, 2, 2, 2});
  g.Refused.insert({3, 2});
  g.Asked.clear();
  g.NavigateKey(Right, false, false);
  EXPECT_EQ(g.Col(), 2);
  g.NavigateKey(Down, false, false);
  EXPECT_EQ(g.Row(), 3);
  g.SetCol(5);
  g.GridMouseDown(g.CellRect(4, 3).Left + 2, g.CellRect(4, 3).Top + 2, false);
  g.GridMouseUp(g.CellRect(4, 3).Left + 2, g.CellRect(4, 3).Top + 2);
  g.WheelDown();
  EXPECT_EQ(g.Asked, (std::vector<TGridCoord>{{3, 2}, {2, 3}, {5, 3}, {4, 3}, {4, 4}}));
  // A refused click leaves everything as it was.
  g.Refused.insert({6, 6});
  TRect r = g.CellRect(6, 6);
  g.GridMouseDown(r.Left + 1, r.Top + 1, false);
  EXPECT_EQ((TGridCoord{g.Col(), g.Row()}), (TGridCoord{4, 4}));
  EXPECT_EQ(g.GridState(), gsNormal);
}

TEST(GridsCore, ThumbMapsOverTheScrollableRows) {
  TTestCore g;
  Standard(g); // top rows 1 .. 93
  EXPECT_TRUE(g.CanScrollVert());
  EXPECT_EQ(g.VertThumb(), 0);
  g.ScrollVert(gscBottom);
  EXPECT_EQ(g.TopRow(), 93);
  EXPECT_EQ(g.VertThumb(), 127);
  g.ScrollVert(gscPosition, 64);
  EXPECT_EQ(g.TopRow(), 1 + (64 * 92 + 63) / 127);
  g.SetTopRow(3);
  EXPECT_EQ(g.VertThumb(), 3) << "2 * 127 / 92 = 2.76 rounds";
  g.SetTopRow(2);
  EXPECT_EQ(g.VertThumb(), 1) << "127 / 92 = 1.38 rounds";
  g.ScrollVert(gscTop);
  g.ScrollVert(gscTrack, 127); // tracking is off
  EXPECT_EQ(g.TopRow(), 1);
  g.SetOptions(g.Options() | goThumbTracking);
  g.ScrollVert(gscTrack, 127);
  EXPECT_EQ(g.TopRow(), 93);
  g.ScrollVert(gscLineUp);
  EXPECT_EQ(g.TopRow(), 92);
  g.ScrollVert(gscPageUp);
  EXPECT_EQ(g.TopRow(), 85);
  g.ScrollVert(gscPosition, 500); // out-of-range positions clamp
  EXPECT_EQ(g.TopRow(), 93);
  // Every thumb position maps back to itself closely and positions grow with the row.
  int last = -1;
  for (int top = 1; top <= 93; ++top) {
    g.SetTopRow(top);
    int t = g.VertThumb();
    EXPECT_GE(t, last);
    last = t;
    g.ScrollVert(gscPosition, t);
    EXPECT_LE(std::abs(g.TopRow() - top), 1);
  }
  g.SetRowCount(5); // everything fits
  EXPECT_FALSE(g.CanScrollVert());
  EXPECT_EQ(g.VertThumb(), 0);
}

TEST(GridsCore, ScrollBarsLayOutAroundWhatFits) {
  TTestCore g;
  g.SetColCount(3);
  g.SetRowCount(3);
  bool v = true, h = true;
  g.LayoutScrollBars(300, 200, 17, 17, v, h);
  EXPECT_FALSE(v);
  EXPECT_FALSE(h);
  EXPECT_EQ(g.GridClientWidth(), 300);
  g.SetRowCount(100);
  g.LayoutScrollBars(300, 200, 17, 17, v, h);
  EXPECT_TRUE(v);
  EXPECT_FALSE(h);
  EXPECT_EQ(g.GridClientWidth(), 283);
  // The vertical bar makes the columns too wide for the rest: both bars.
  g.SetColCount(4);
  g.SetColWidths(3, 300 - 3 * 65 - 10);
  g.LayoutScrollBars(300, 200, 17, 17, v, h);
  EXPECT_TRUE(v);
  EXPECT_TRUE(h);
  EXPECT_EQ(g.GridClientHeight(), 183);
  g.SetScrollBars(gsbNone);
  g.LayoutScrollBars(300, 200, 17, 17, v, h);
  EXPECT_FALSE(v || h);
}

TEST(GridsCore, RangeDragSelectsAndScrolls) {
  TTestCore g;
  Standard(g);
  TRect a = g.CellRect(2, 2), b = g.CellRect(3, 5);
  g.GridMouseDown(a.Left + 3, a.Top + 3, false);
  EXPECT_EQ(g.GridState(), gsSelecting);
  g.GridMouseMove(b.Left + 3, b.Top + 3);
  EXPECT_EQ(g.Selection(), (TGridRect{2, 2, 3, 5}));
  // Below the client: one row per step, the selection following the last full row.
  g.GridMouseMove(b.Left + 3, 250);
  EXPECT_EQ(g.TopRow(), 2);
  g.AutoScrollStep();
  g.AutoScrollStep();
  EXPECT_EQ(g.TopRow(), 4);
  EXPECT_EQ(g.Selection(), (TGridRect{2, 2, 3, 10}));
  g.GridMouseUp(b.Left + 3, 250);
  EXPECT_EQ(g.GridState(), gsNormal);
  g.AutoScrollStep(); // no drag, no scrolling
  EXPECT_EQ(g.TopRow(), 4);
  // Shift+click extends from the anchor.
  TRect c = g.CellRect(3, 6);
  g.GridMouseDown(c.Left + 1, c.Top + 1, true);
  g.GridMouseUp(c.Left + 1, c.Top + 1);
  EXPECT_EQ(g.Selection(), (TGridRect{2, 2, 3, 6}));
}

TEST(GridsCore, BorderDragsResizeColumnsAndRows) {
  TTestCore g;
  Standard(g);
  g.SetOptions(g.Options() | goColSizing | goRowSizing);
  int border = g.CellRect(2, 0).Right; // 194
  TGridState st;
  int index, pos, ofs;
  g.CalcSizingState(border + 1, 5, st, index, pos, ofs);
  EXPECT_EQ(st, gsColSizing);
  EXPECT_EQ(index, 2);
  g.CalcSizingState(border + 1, 40, st, index, pos, ofs); // not in the fixed row
  EXPECT_EQ(st, gsNormal);
  g.CalcSizingState(border - 20, 5, st, index, pos, ofs);
  EXPECT_EQ(st, gsNormal);

  g.GridMouseDown(border + 1, 5, false);
  EXPECT_EQ(g.GridState(), gsColSizing);
  g.GridMouseMove(border + 31, 5);
  EXPECT_EQ(g.ColWidths(2), 64); // applied at the release only
  g.GridMouseUp(border + 31, 5);
  EXPECT_EQ(g.ColWidths(2), 94);
  EXPECT_EQ(g.ColWidthsCount, 1);
  EXPECT_EQ(g.GridState(), gsNormal);

  int rowBorder = g.CellRect(0, 3).Bottom;
  g.GridMouseDown(10, rowBorder, false);
  EXPECT_EQ(g.GridState(), gsRowSizing);
  g.GridMouseUp(10, rowBorder - 50); // shrinking below 0 gives 0
  EXPECT_EQ(g.RowHeights(3), 0);
  EXPECT_EQ(g.RowHeightsCount, 1);
}

TEST(GridsCore, HeaderDragsMoveColumnsAndRows) {
  TTestCore g;
  Standard(g);
  g.SetOptions(g.Options() | goColMoving | goRowMoving);
  g.SetColWidths(1, 40);
  TRect from = g.CellRect(1, 0), to = g.CellRect(3, 0);
  g.GridMouseDown(from.Left + 5, 5, false);
  EXPECT_EQ(g.GridState(), gsColMoving);
  g.GridMouseMove(to.Left + 5, 5);
  EXPECT_EQ(g.MovePos(), 3);
  g.GridMouseUp(to.Left + 5, 5);
  EXPECT_EQ(g.ColMoves, (std::vector<std::pair<int, int>>{{1, 3}}));
  EXPECT_EQ(g.ColWidths(3), 40); // the width went with the column
  EXPECT_EQ(g.ColWidths(1), 64);

  TRect r = g.CellRect(0, 4);
  g.GridMouseDown(5, r.Top + 5, false);
  EXPECT_EQ(g.GridState(), gsRowMoving);
  g.GridMouseMove(5, -30); // above the grid: the first normal row
  g.GridMouseUp(5, -30);
  EXPECT_EQ(g.RowMoves, (std::vector<std::pair<int, int>>{{4, 1}}));
  // A press and release on the same header moves nothing.
  g.GridMouseDown(from.Left + 5, 5, false);
  g.GridMouseUp(from.Left + 5, 5);
  EXPECT_EQ(g.ColMoves.size(), 1u);
}

TEST(GridsCore, FixedCellClicksAndHotTracking) {
  TTestCore g;
  Standard(g);
  g.SetOptions(g.Options() | goFixedColClick | goFixedHotTrack);
  TRect h = g.CellRect(2, 0);
  g.GridMouseMove(h.Left + 2, 2);
  EXPECT_EQ(g.HotCell(), (TGridCoord{2, 0}));
  EXPECT_TRUE(g.CellDrawState(2, 0, true) & gdHotTrack);
  g.GridMouseDown(h.Left + 2, 2, false);
  EXPECT_TRUE(g.CellDrawState(2, 0, true) & gdPressed);
  g.GridMouseUp(h.Left + 2, 2);
  EXPECT_EQ(g.FixedClicks, (std::vector<TGridCoord>{{2, 0}}));
  EXPECT_FALSE(g.CellDrawState(2, 0, true) & gdPressed);
  g.GridMouseLeave();
  EXPECT_EQ(g.HotCell(), (TGridCoord{-1, -1}));
}

TEST(GridsCore, DrawStates) {
  TTestCore g;
  Standard(g);
  g.SetSelection({2, 2, 3, 3}); // current (3, 3)
  EXPECT_EQ(g.CellDrawState(0, 2, true), gdFixed);
  EXPECT_EQ(g.CellDrawState(2, 2, true), gdSelected);
  EXPECT_EQ(g.CellDrawState(3, 3, true), gdFocused);
  EXPECT_EQ(g.CellDrawState(3, 3, false), gdSelected);
  EXPECT_EQ(g.CellDrawState(4, 4, true), 0u);
  g.SetOptions(g.Options() | goDrawFocusSelected);
  EXPECT_EQ(g.CellDrawState(3, 3, true), gdFocused | gdSelected);
  g.SetOptions(DefaultGridOptions | goRowSelect);
  EXPECT_EQ(g.CellDrawState(9, 2, true), gdSelected | gdRowSelected);
}

TEST(GridsCore, SelectionOutsideTheGridSelectsNothing) {
  TTestCore g;
  Standard(g);
  g.SetSelection({10, 100, 10, 100});
  EXPECT_EQ(g.Col(), 10);
  EXPECT_EQ(g.Row(), 100);
  for (const TGridSpan& c : g.VisibleColumns()) {
    for (const TGridSpan& r : g.VisibleRows())
      EXPECT_FALSE(g.CellDrawState(c.Index, r.Index, true) & gdSelected);
  }
  // Navigation starts again from inside the grid.
  g.NavigateKey(Up, false, false);
  EXPECT_EQ((TGridCoord{g.Col(), g.Row()}), (TGridCoord{9, 98}));
}

TEST(GridsCore, DeleteRowMovesItToTheEndAndDropsIt) {
  TTestCore g;
  Standard(g);
  g.SetRowHeights(3, 40);
  g.DeleteRow(3);
  EXPECT_EQ(g.RowCount(), 99);
  EXPECT_EQ(g.RowMoves, (std::vector<std::pair<int, int>>{{3, 99}}));
  EXPECT_EQ(g.RowHeights(3), 24);
  g.DeleteRow(500); // outside: nothing
  EXPECT_EQ(g.RowCount(), 99);
}

// Degenerate grids never crash and clamp in a defined way.
TEST(GridsCore, DegenerateGridsClamp) {
  struct Case {
    int cols, rows, fixedCols, fixedRows;
    int expFixedCols, expFixedRows;
  } cases[] = {
      {0, 0, 1, 1, 0, 0}, {1, 1, 1, 1, 0, 0}, {0, 5, 0, 2, 0, 2},      {5, 0, 3, 0, 3, 0},
      {3, 3, 5, 5, 2, 2}, {2, 1, 1, 0, 1, 0}, {513, 1025, 1, 1, 1, 1},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.cols * 10000 + k.rows);
    TTestCore g;
    g.SetGridClientSize(300, 200);
    g.SetColCount(k.cols);
    g.SetRowCount(k.rows);
    g.SetFixedCols(k.fixedCols);
    g.SetFixedRows(k.fixedRows);
    EXPECT_EQ(g.FixedCols(), k.expFixedCols);
    EXPECT_EQ(g.FixedRows(), k.expFixedRows);
    EXPECT_GE(g.TopRow(), g.FixedRows());
    EXPECT_GE(g.LeftCol(), g.FixedCols());
    for (unsigned key : {Up, Down, Left, Right, PageUp, PageDown, Home, End, Tab}) {
      g.NavigateKey(key, false, false);
      g.NavigateKey(key, true, true);
    }
    g.WheelDown();
    g.WheelUp();
    g.ScrollVert(gscBottom);
    g.ScrollHorz(gscPageDown);
    g.GridMouseDown(150, 100, false);
    g.GridMouseMove(400, 400);
    g.AutoScrollStep();
    g.GridMouseUp(400, 400);
    ExpectGeometryAgrees(g);
    EXPECT_LE(g.Col(), std::max(0, k.cols - 1));
    EXPECT_LE(g.Row(), std::max(0, k.rows - 1));
  }
}

TEST(GridsCore, SizesOfZeroOrBelowAndHugeSizes) {
  TTestCore g;
  Standard(g);
  g.SetColWidths(2, -10);
  EXPECT_EQ(g.ColWidths(2), 0);
  g.SetDefaultRowHeight(-3);
  EXPECT_EQ(g.RowHeights(50), 0);
  g.SetGridLineWidth(0);
  EXPECT_EQ(g.MaxTopRow(), 1); // rows without height all fit
  g.SetRow(99);
  g.SetDefaultRowHeight(1 << 30);
  EXPECT_EQ(g.RowHeights(0), TGridCore::MaxCellExtent);
  g.SetColWidths(3, 1 << 30);
  EXPECT_EQ(g.ColWidths(3), TGridCore::MaxCellExtent);
  EXPECT_EQ(g.VisibleRowCount(), 0);
  g.NavigateKey(PageDown, false, false);
  g.NavigateKey(End, false, true);
  EXPECT_EQ(g.TopRow(), 99);
  ExpectGeometryAgrees(g);
  // Sizes outside the grid read as the default and are not stored.
  g.SetColWidths(50, 10);
  EXPECT_EQ(g.ColWidths(50), 64);
}

TEST(GridsCore, CountChangesKeepCurrentCellInside) {
  TTestCore g;
  Standard(g);
  g.SetSelection({8, 90, 9, 95});
  g.SetRowCount(50);
  g.SetColCount(5);
  EXPECT_EQ((TGridCoord{g.Col(), g.Row()}), (TGridCoord{4, 49}));
  EXPECT_EQ(g.Anchor(), (TGridCoord{4, 49}));
  g.SetFixedRows(3);
  g.SetSelection({1, 1, 1, 1});
  g.SetFixedRows(4);
  EXPECT_EQ(g.Row(), 4);
  g.SetFixedCols(3);
  EXPECT_EQ(g.Col(), 3) << "raising the fixed columns moves the current cell out of them";
  EXPECT_EQ(g.Anchor().X, 3);
  // One past the last column or row is no cell to go to.
  g.SetCol(g.ColCount());
  g.SetRow(g.RowCount());
  EXPECT_EQ((TGridCoord{g.Col(), g.Row()}), (TGridCoord{3, 4}));
  g.SetCol(g.ColCount() - 1);
  EXPECT_EQ(g.Col(), g.ColCount() - 1);
}

} // namespace
