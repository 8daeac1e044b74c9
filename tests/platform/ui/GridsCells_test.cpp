// The string grid's cell store.
#include "platform/ui/GridsCells.h"

#include <gtest/gtest.h>

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

TEST(GridsCells, ResizeDropsWhatFallsOutside) {
  TGridCellStore s;
  s.Resize(4, 4);
  s.SetText(3, 3, "corner");
  s.SetText(1, 1, "kept");
  s.Resize(3, 3);
  s.Resize(4, 4);
  EXPECT_EQ(s.Text(3, 3), "");
  EXPECT_EQ(s.Text(1, 1), "kept");
  s.Resize(-1, -1);
  EXPECT_EQ(s.ColCount(), 0);
  EXPECT_EQ(s.Text(0, 0), "");
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
}

} // namespace
