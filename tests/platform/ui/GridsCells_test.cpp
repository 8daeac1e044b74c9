// The string grid's cell store.
#include "platform/ui/GridsCells.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

TObject* Obj(int n) {
  return reinterpret_cast<TObject*>(static_cast<std::uintptr_t>(n * 16));
}

TEST(GridsCells, CellsOutsideReadEmptyAndIgnoreWrites) {
  TGridCellStore s;
  s.Resize(3, 2);
  s.SetText(3, 0, "x");
  s.SetText(-1, 0, "x");
  s.SetObject(0, 2, Obj(1));
  EXPECT_EQ(s.Text(3, 0), "");
  EXPECT_EQ(s.Text(0, -1), "");
  EXPECT_EQ(s.Object(0, 2), nullptr);
  s.SetText(2, 1, "b");
  s.SetObject(1, 1, Obj(2));
  EXPECT_EQ(s.Text(2, 1), "b");
  EXPECT_EQ(s.Object(1, 1), Obj(2));
}

TEST(GridsCells, ShrinkingKeepsColumnsButDropsRows) {
  TGridCellStore s;
  s.Resize(4, 4);
  s.SetText(3, 3, "corner");
  s.SetText(3, 1, "hidden");
  s.SetObject(3, 1, Obj(5));
  s.SetText(1, 1, "kept");
  s.Resize(3, 3);
  EXPECT_EQ(s.Capacity(), 4);
  EXPECT_EQ(s.Text(3, 1), "hidden") << "a column behind the displayed ones is still addressable";
  s.SetText(3, 0, "written");
  s.Resize(4, 4);
  EXPECT_EQ(s.Text(3, 3), "") << "the dropped row comes back empty";
  EXPECT_EQ(s.Text(3, 1), "hidden");
  EXPECT_EQ(s.Object(3, 1), Obj(5));
  EXPECT_EQ(s.Text(3, 0), "written");
  EXPECT_EQ(s.Text(1, 1), "kept");
  s.Resize(-1, -1);
  EXPECT_EQ(s.ColCount(), 0);
  EXPECT_EQ(s.Text(0, 0), "");
}

TEST(GridsCells, CapacityNeverBelowColCountAndLoweringDrops) {
  TGridCellStore s;
  s.Resize(2, 2);
  s.SetCapacity(5);
  EXPECT_EQ(s.Capacity(), 5);
  s.SetText(4, 1, "far");
  EXPECT_EQ(s.Text(4, 1), "far");
  EXPECT_EQ(s.RowTexts(1).size(), 2u) << "a row lists the displayed columns";
  EXPECT_EQ(s.ColTexts(4), (std::vector<std::string>{"", "far"}));
  s.MoveColumn(4, 0);
  EXPECT_EQ(s.Text(0, 1), "far");
  s.SetText(3, 1, "gone");
  s.SetCapacity(1);
  EXPECT_EQ(s.Capacity(), 2);
  s.MoveColumn(0, 4);
  s.Resize(5, 2);
  EXPECT_EQ(s.Text(0, 1), "far") << "moves outside the capacity are ignored";
  EXPECT_EQ(s.Text(3, 1), "") << "lowering the capacity dropped it";
}

TEST(GridsCells, HundredThousandPermutedRowsKeepTheirCells) {
  const int rows = 100000, cols = 20;
  TGridCellStore s;
  s.Resize(cols, rows);
  for (int r = 0; r < rows; ++r) {
    s.SetText(0, r, std::to_string(r));
    s.SetObject(cols - 1, r, Obj(r + 1));
  }
  std::vector<int> order(rows);
  for (int i = 0; i < rows; ++i)
    order[static_cast<size_t>(i)] = (i * 7919) % rows; // 7919 is prime to 100000
  ASSERT_TRUE(s.PermuteRows(order));
  s.MoveRow(0, rows - 1);
  for (int i = 0; i < rows; ++i) {
    const int from = order[static_cast<size_t>(i == rows - 1 ? 0 : i + 1)];
    ASSERT_EQ(s.Text(0, i), std::to_string(from)) << i;
    ASSERT_EQ(s.Object(cols - 1, i), Obj(from + 1)) << i;
  }
  s.Resize(cols, 3); // dropping rows keeps the survivors in display order
  EXPECT_EQ(s.Text(0, 2), std::to_string(order[3]));
  s.Resize(cols, 5);
  EXPECT_EQ(s.Text(0, 4), "");
  EXPECT_EQ(s.Object(cols - 1, 1), Obj(order[2] + 1));
}

TEST(GridsCells, PermutationThatIsNoneIsRefused) {
  TGridCellStore s;
  s.Resize(1, 3);
  for (int r = 0; r < 3; ++r)
    s.SetText(0, r, std::to_string(r));
  for (const std::vector<int>& bad : {std::vector<int>{0, 1}, {0, 0, 1}, {0, 1, 3}, {-1, 0, 1}})
    EXPECT_FALSE(s.PermuteRows(bad));
  EXPECT_EQ(s.ColTexts(0), (std::vector<std::string>{"0", "1", "2"}));
  EXPECT_TRUE(s.PermuteRows({2, 0, 1}));
  EXPECT_EQ(s.ColTexts(0), (std::vector<std::string>{"2", "0", "1"}));
}

TEST(GridsCells, MovesCarryTextsAndObjects) {
  TGridCellStore s;
  s.Resize(4, 3);
  for (int c = 0; c < 4; ++c)
    s.SetText(c, 1, std::string(1, char('a' + c)));
  s.SetObject(0, 1, Obj(7));
  s.MoveColumn(0, 2);
  EXPECT_EQ(s.RowTexts(1), (std::vector<std::string>{"b", "c", "a", "d"}));
  EXPECT_EQ(s.Object(2, 1), Obj(7));
  s.MoveColumn(3, 0);
  EXPECT_EQ(s.RowTexts(1), (std::vector<std::string>{"d", "b", "c", "a"}));
  EXPECT_EQ(s.RowTexts(0), (std::vector<std::string>{"", "", "", ""}));
  s.MoveRow(1, 2);
  EXPECT_EQ(s.Text(0, 2), "d");
  EXPECT_EQ(s.Object(3, 2), Obj(7));
  EXPECT_EQ(s.Text(0, 1), "");
  s.MoveRow(0, 5); // outside: nothing
  EXPECT_EQ(s.Text(0, 2), "d");
}

TEST(GridsCells, RowsAndColsAsLists) {
  TGridCellStore s;
  s.Resize(3, 3);
  s.SetRowTexts(0, {"a", "b", "c", "ignored"});
  s.SetObject(1, 0, Obj(3));
  s.SetRowTexts(0, {"x"}); // the rest empties, objects stay
  EXPECT_EQ(s.RowTexts(0), (std::vector<std::string>{"x", "", ""}));
  EXPECT_EQ(s.Object(1, 0), Obj(3));
  s.SetColTexts(2, {"1", "2", "3"});
  EXPECT_EQ(s.ColTexts(2), (std::vector<std::string>{"1", "2", "3"}));
  EXPECT_TRUE(s.RowTexts(5).empty());
  const TGridCellLine col = s.Col(2);
  std::string joined;
  for (const std::string& t : col)
    joined += t;
  EXPECT_EQ(joined, "123");
  EXPECT_EQ(&col[1], &s.Text(2, 1)) << "reading a column copies nothing";
}

// A row's stored cells are the ones its texts read, through the row order and behind the
// displayed columns; a row never written and rows outside the store hold none.
TEST(GridsCells, StoredRowCellsFollowTheRowOrder) {
  TGridCellStore s;
  s.Resize(2, 3);
  s.SetCapacity(3);
  s.SetText(0, 0, "a");
  s.SetText(2, 0, "hidden");
  s.SetObject(1, 0, Obj(4));
  s.PermuteRows({2, 1, 0}); // row 0 is now row 2
  const TGridCellRow& row = s.RowCells(2);
  ASSERT_EQ(row.size(), 3u);
  EXPECT_EQ(row[0].Text, "a");
  EXPECT_EQ(row[1].Object, Obj(4));
  EXPECT_EQ(&row[2].Text, &s.Text(2, 2)) << "reading a row copies nothing";
  EXPECT_TRUE(s.RowCells(0).empty());
  EXPECT_TRUE(s.RowCells(3).empty());
  EXPECT_TRUE(s.RowCells(-1).empty());
}

} // namespace

namespace {

// A row taken out leaves an empty row behind and comes back whole into another row, also after
// the rows were reordered; cells beyond a lowered capacity do not come back.
TEST(GridsCells, RowsTakenOutAndPutBack) {
  TGridCellStore s;
  s.Resize(3, 4);
  s.SetCapacity(5);
  s.SetText(4, 1, "hidden col");
  s.SetText(0, 1, "a");
  s.SetObject(2, 1, Obj(3));
  s.PermuteRows({3, 2, 1, 0}); // row 1 is now row 2
  TGridCellRow row = s.TakeRow(2);
  EXPECT_EQ(s.Text(0, 2), "");
  EXPECT_EQ(s.Object(2, 2), nullptr);
  s.PutRow(0, std::move(row));
  EXPECT_EQ(s.Text(0, 0), "a");
  EXPECT_EQ(s.Text(4, 0), "hidden col");
  EXPECT_EQ(s.Object(2, 0), Obj(3));
  EXPECT_TRUE(s.TakeRow(4).empty());
  s.PutRow(-1, TGridCellRow(2)); // ignored
  row = s.TakeRow(0);
  s.SetCapacity(3);
  s.PutRow(3, std::move(row));
  EXPECT_EQ(s.Text(0, 3), "a");
  EXPECT_EQ(s.Text(4, 3), "");
}

} // namespace
