// The string grid's cell store.
#include "platform/ui/GridsCells.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
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

namespace {

// Lines of "|"-separated fields, field k written to column Columns()[k]; counts its decodings.
class TBarRows final : public TGridRowSource {
public:
  TBarRows(std::string text, std::vector<int> columns)
      : FText(std::move(text)), FColumns(std::move(columns)) {}
  const std::vector<int>& Columns() const override { return FColumns; }
  void Decode(const TGridLazyRow& row, TGridCellRow& cells, int colCount) const override {
    ++Decoded;
    std::string_view line = std::string_view(FText).substr(row.Begin, row.Size);
    for (std::size_t k = 0;; ++k) {
      const std::size_t bar = line.find('|');
      const std::string_view field = line.substr(0, bar);
      const int c = FColumns[k];
      if (c >= 0) {
        if (static_cast<std::size_t>(c) >= cells.size() && !field.empty())
          cells.resize(
              std::max<std::size_t>(static_cast<std::size_t>(c) + 1, static_cast<std::size_t>(colCount)));
        if (static_cast<std::size_t>(c) < cells.size()) cells[static_cast<std::size_t>(c)].Text = field;
      }
      if (bar == line.npos) break;
      line.remove_prefix(bar + 1);
    }
  }
  // The lines' ranges, split at "\n".
  std::vector<TGridLazyRow> Rows() const {
    std::vector<TGridLazyRow> rows;
    for (std::size_t start = 0; start <= FText.size();) {
      const std::size_t end = std::min(FText.find('\n', start), FText.size());
      const auto fields = std::count(FText.begin() + static_cast<std::ptrdiff_t>(start),
                                     FText.begin() + static_cast<std::ptrdiff_t>(end), '|') +
                          1;
      rows.push_back({static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(end - start),
                      static_cast<std::int32_t>(fields)});
      start = end + 1;
    }
    return rows;
  }
  mutable int Decoded = 0;

private:
  std::string FText;
  std::vector<int> FColumns;
};

// Both stores as the eager one would hold them: every text and object within the capacity.
void ExpectSameCells(const TGridCellStore& lazy, const TGridCellStore& eager, const char* name) {
  ASSERT_EQ(lazy.RowCount(), eager.RowCount()) << name;
  ASSERT_EQ(lazy.Capacity(), eager.Capacity()) << name;
  for (int r = 0; r < eager.RowCount(); ++r)
    for (int c = 0; c < eager.Capacity(); ++c) {
      EXPECT_EQ(lazy.Text(c, r), eager.Text(c, r)) << name << " cell " << c << "," << r;
      EXPECT_EQ(lazy.Object(c, r), eager.Object(c, r)) << name << " cell " << c << "," << r;
    }
}

// Rows loaded lazily answer every entry point as rows whose cells were written at the load:
// each case runs on a store loaded lazily and on one that decoded the same rows at once, and
// tells how many rows stay undecoded after it (a read decodes its row only, moves none).
TEST(GridsCells, LazyRowsActAsRowsDecodedAtTheLoad) {
  struct TCase {
    const char* Name;
    std::function<void(TGridCellStore&)> Act;
    int LazyAfter;
  };
  const auto load = [](TGridCellStore& s, const TBarRows& src, int row, bool lazy,
                       const std::shared_ptr<const TBarRows>& owner) {
    const std::vector<TGridLazyRow> rows = src.Rows();
    if (lazy) {
      s.PutLazyRows(row, owner, rows);
      return;
    }
    for (std::size_t k = 0; k < rows.size() && row + static_cast<int>(k) < s.RowCount(); ++k) {
      TGridCellRow cells = s.TakeRow(row + static_cast<int>(k));
      src.Decode(rows[k], cells, s.ColCount());
      s.PutRow(row + static_cast<int>(k), std::move(cells));
    }
  };
  // A second file, writing three fields to the same columns (covering every line of the first
  // but the four-field one) or to other columns.
  const auto second = [&](std::vector<int> columns, bool& lazy) {
    return [&lazy, columns, load](TGridCellStore& s) {
      auto src = std::make_shared<const TBarRows>("n0|n1|n2\n\nn|\nm0|m1|m2", columns);
      load(s, *src, 0, lazy, src);
    };
  };
  bool lazyMode = true;
  const TCase cases[] = {
      {"nothing", [](TGridCellStore&) {}, 4},
      {"read one cell", [](TGridCellStore& s) { (void)s.Text(1, 2); }, 3},
      {"read a row past its fields", [](TGridCellStore& s) { (void)s.Row(1).ToVector(); }, 3},
      {"read a cell outside", [](TGridCellStore& s) { (void)s.Text(9, 1); }, 4},
      {"read a row's stored cells", [](TGridCellStore& s) { EXPECT_EQ(s.RowCells(0).size(), 4u); }, 3},
      {"object of a cell", [](TGridCellStore& s) { (void)s.CellAt(3, 1); }, 3},
      {"write a field's cell", [](TGridCellStore& s) { s.SetText(0, 1, std::string("w")); }, 3},
      {"write past the fields", [](TGridCellStore& s) { s.SetText(3, 0, "x"); }, 3},
      {"change a text", [](TGridCellStore& s) { EXPECT_TRUE(s.ChangeText(1, 0, "c")); }, 3},
      {"set an object", [](TGridCellStore& s) { s.SetObject(2, 3, Obj(9)); }, 3},
      {"row texts", [](TGridCellStore& s) { s.SetRowTexts(2, {"r"}); }, 3},
      {"column texts",
       [](TGridCellStore& s) {
         s.SetColTexts(1, {"k0", "k1"});
       },
       0},
      {"move a row", [](TGridCellStore& s) { s.MoveRow(0, 4); }, 4},
      {"sort",
       [](TGridCellStore& s) {
         EXPECT_TRUE(s.PermuteRows({4, 3, 2, 1, 0}));
       },
       4},
      {"delete rows", [](TGridCellStore& s) { s.Resize(4, 2); }, 2},
      {"insert a row", [](TGridCellStore& s) { s.Resize(4, 6), s.MoveRow(5, 1); }, 4},
      {"copy a row over another",
       [](TGridCellStore& s) {
         TGridCellRow row = s.TakeRow(0);
         s.PutRow(3, row);
         s.PutRow(0, std::move(row));
       },
       2},
      {"move a column", [](TGridCellStore& s) { s.MoveColumn(0, 3); }, 0},
      {"lower the capacity", [](TGridCellStore& s) { s.Resize(2, 5), s.SetCapacity(2); }, 0},
      {"fewer columns keep their cells", [](TGridCellStore& s) { s.Resize(1, 5); }, 4},
      {"clear", [](TGridCellStore& s) { s.Clear(); }, 0},
      {"a second file over the rows", second({0, 1, 2}, lazyMode), 4},
      {"a second file to other columns", second({2, -1, 3}, lazyMode), 4},
  };
  for (const TCase& c : cases) {
    TGridCellStore stores[2];
    for (int mode = 0; mode < 2; ++mode) {
      TGridCellStore& s = stores[mode];
      lazyMode = mode == 0;
      s.Resize(4, 5);
      s.SetText(3, 1, "kept past the fields");
      s.SetObject(0, 1, Obj(1));
      s.SetText(1, 2, "overwritten");
      s.SetText(0, 4, "not loaded");
      auto src =
          std::make_shared<const TBarRows>("a0|b0|c0\na1\n|b2|\na3|b3|c3|d3", std::vector<int>{0, 1, 2, 3});
      load(s, *src, 0, lazyMode, src);
      c.Act(s);
      if (lazyMode) {
        EXPECT_EQ(s.LazyRowCount(), c.LazyAfter) << c.Name;
      }
    }
    ExpectSameCells(stores[0], stores[1], c.Name);
  }
}

// A lazy row is decoded once; its source (the file's bytes) goes with the last row needing it.
TEST(GridsCells, LazyRowsDecodeOnceAndLetTheirSourceGo) {
  TGridCellStore s;
  s.Resize(3, 3);
  auto src = std::make_shared<const TBarRows>("a|b\nc\nd|e|f", std::vector<int>{0, 1, 2});
  const std::weak_ptr<const TBarRows> watch = src;
  s.PutLazyRows(0, src, src->Rows());
  const TBarRows& rows = *src;
  src.reset();
  EXPECT_EQ(s.Text(1, 0), "b");
  EXPECT_EQ(s.Text(0, 0), "a");
  EXPECT_EQ(rows.Decoded, 1);
  EXPECT_EQ(s.Text(2, 2), "f");
  EXPECT_FALSE(watch.expired());
  s.Resize(3, 1); // the last lazy row is dropped undecoded
  EXPECT_EQ(rows.Decoded, 2);
  EXPECT_TRUE(watch.expired());
  // Rows past the store are not taken.
  auto more = std::make_shared<const TBarRows>("x\ny", std::vector<int>{0});
  s.PutLazyRows(0, more, more->Rows());
  EXPECT_EQ(s.LazyRowCount(), 1);
  EXPECT_EQ(s.Text(0, 0), "x");
  EXPECT_EQ(s.Text(1, 0), "b") << "cells past the row's fields stay";
}

} // namespace
