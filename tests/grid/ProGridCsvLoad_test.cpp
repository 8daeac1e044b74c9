// CSV loads keep UTF-8 rows as ranges of the file decoded when first reached: whatever is done to
// the grid after such a load gives what it gives after a load that wrote every cell at once.
#include "ProGridFixture.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using TCsvLoadTest = TProGridTest<TProStringGrid, false>;

// A grid of 3 x 6 cells without fixed ones, every cell holding an old text.
void OldGrid(TProStringGrid& g, char delimiter) {
  g.SetColCount(3);
  g.SetRowCount(6);
  g.SetFixedCols(0);
  g.SetFixedRows(0);
  g.SetDelimiter(delimiter);
  for (int r = 0; r < 6; ++r)
    for (int c = 0; c < 3; ++c)
      g.SetCells(c, r, "old " + std::to_string(c) + "," + std::to_string(r));
}

// Every stored cell, row by row, with the grid's size.
std::vector<std::string> AllCells(const TProStringGrid& g) {
  std::vector<std::string> cells{std::to_string(g.ColCount()) + "x" + std::to_string(g.RowCount()) + "+" +
                                 std::to_string(g.TotalColCount() - g.ColCount())};
  for (int r = 0; r < g.RowCount(); ++r)
    for (int c = 0; c < g.CellCapacity(); ++c)
      cells.push_back(g.Cells(c, r));
  return cells;
}

struct TInput {
  const char* Name;
  std::string Bytes;
  char Delimiter;
};

const TInput kInputs[] = {
    {"plain", "a,b,c\r\nd,e,f\r\n", ','},
    {"quotes doubled, delimiters inside", "\"say \"\"hi\"\"\",\"x,y\",z\r\n\"\",\"\"\"\"\r\n", ','},
    {"line breaks inside quotes", "\"1\v2\",b\r\n\"\v\",\"a\"\"\v\"\r\n", ','},
    {"CR, LF, CR LF and trailing empty lines", "a\nb,c\rd\r\n\r\n\r\n", ','},
    {"BOM",
     "\xEF\xBB\xBF"
     "a,b\r\nc\r\n",
     ','},
    {"quotes out of place", "x\"y,\"open\r\n \"lead\",b\r\n\"a\"b\",c\r\n\"a\"\"\r\n\"\"\"a\r\n", ','},
    {"UTF-8", "\xC3\xA4,\xE2\x82\xAC\r\n\xF0\x9F\x98\x80\r\n", ','},
    {"Windows-1252", "\xE4,b\r\n\x80\r\n", ','},
    {"delimiter guessed", "a;b;c\r\nd;e;f\r\n", 0},
    {"blank delimiter", "a b  c\r\n\"x y\" z\r\n", ' '},
    {"no final break", "a,b\r\nc,\"d", ','},
    {"a long line",
     std::string(150, 'x') + ",\"" + std::string(70, '"') + "\"," + std::string(90, ',') + "\r\nq", ','},
};

// Every operation on a grid loaded lazily and one loaded at once (a per-cell hook forces it).
TEST_F(TCsvLoadTest, ActionsAfterALazyLoadSeeWhatAnEagerLoadWrote) {
  const struct {
    const char* Name;
    std::function<void(TProStringGrid&)> Act;
  } actions[] = {
      {"read", [](TProStringGrid&) {}},
      {"write", [](TProStringGrid& g) { g.SetCells(1, 1, "w"); }},
      {"move a row", [](TProStringGrid& g) { g.MoveRow(0, 3); }},
      {"remove rows", [](TProStringGrid& g) { g.RemoveRows(0, 2); }},
      {"insert rows", [](TProStringGrid& g) { g.InsertRows(1, 2); }},
      {"sort", [](TProStringGrid& g) { g.SortByColumn(0); }},
      {"swap rows", [](TProStringGrid& g) { g.SwapRows(0, 2); }},
      {"move a column", [](TProStringGrid& g) { g.MoveColumn(0, 2); }},
      {"insert a column", [](TProStringGrid& g) { g.InsertCols(1, 1); }},
      {"remove a column", [](TProStringGrid& g) { g.RemoveCols(0, 1); }},
      {"hide a column", [](TProStringGrid& g) { g.HideColumn(1); }},
      {"hide a row", [](TProStringGrid& g) { g.HideRow(1); }},
      {"clear rows", [](TProStringGrid& g) { g.ClearRows(0, 1); }},
      {"clear", [](TProStringGrid& g) { g.Clear(); }},
      {"fewer rows", [](TProStringGrid& g) { g.SetRowCount(2); }},
      {"load again", [](TProStringGrid& g) { g.LoadCSVBytes("p,q\r\n\"r\"\r\n"); }},
      {"insert a file", [](TProStringGrid& g) { g.InsertCSVBytes("p,q,s,t\r\n"); }},
  };
  for (const TInput& in : kInputs)
    for (const auto& a : actions) {
      TGridOnForm<> lazy(false), eager(false);
      OldGrid(*lazy.Grid, in.Delimiter);
      OldGrid(*eager.Grid, in.Delimiter);
      eager.Grid->OnLoadCell = [](TObject*, int, int, std::string&) {};
      lazy.Grid->LoadCSVBytes(in.Bytes);
      eager.Grid->LoadCSVBytes(in.Bytes);
      eager.Grid->OnLoadCell = nullptr;
      a.Act(*lazy.Grid);
      a.Act(*eager.Grid);
      EXPECT_EQ(AllCells(*lazy.Grid), AllCells(*eager.Grid)) << in.Name << ", " << a.Name;
      EXPECT_EQ(lazy.Grid->CSVBytes(true), eager.Grid->CSVBytes(true)) << in.Name << ", " << a.Name;
    }
}

// A load refused for its rows or columns leaves the grid as it was, rows of an earlier lazy load
// included.
TEST_F(TCsvLoadTest, ARefusedLoadLeavesTheGridAsItWas) {
  const struct {
    const char* Name;
    std::string Bytes;
  } refused[] = {
      {"too many rows", "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n"},
      {"too many fields outside quotes", "a,b,c,d,e,f\r\n"},
      {"too many fields after a quote out of place", "x\"y,b,c,d,e,f\r\n"},
      {"empty after its BOM", "\xEF\xBB\xBF"},
  };
  for (const auto& r : refused) {
    TGridOnForm<> g(false);
    OldGrid(*g.Grid, ',');
    g.Grid->FileOptions().MaxLoadRowCount = 8;
    g.Grid->FileOptions().MaxLoadColCount = 5;
    g.Grid->LoadCSVBytes("\"a\"\"\",b\r\nc\r\n");
    TGridOnForm<> same(false);
    OldGrid(*same.Grid, ',');
    same.Grid->LoadCSVBytes("\"a\"\"\",b\r\nc\r\n");
    EXPECT_THROW(g.Grid->LoadCSVBytes(r.Bytes), EProGridError) << r.Name;
    EXPECT_EQ(AllCells(*g.Grid), AllCells(*same.Grid)) << r.Name;
  }
}

// The rows read the file as it was loaded, whatever becomes of the file afterwards; the first
// rows of a file holding more than asked for load alone.
TEST_F(TCsvLoadTest, RowsKeepTheLoadedBytes) {
  TTempDir dir;
  const std::string path = dir.Write("rows.csv", "a,b\r\nc,d\r\ne,f\r\n");
  OldGrid(*Grid, ',');
  Grid->LoadFromCSV(path, 2);
  dir.Write("rows.csv", "x,y\r\nz,w\r\n");
  EXPECT_EQ(Grid->RowCount(), 2);
  EXPECT_EQ(Grid->Cells(1, 1), "d");
  EXPECT_EQ(Grid->Cells(0, 0), "a");
  Grid->InsertFromCSV(path);
  EXPECT_EQ(Grid->RowCount(), 4);
  EXPECT_EQ(Grid->Cells(1, 3), "w");
}

} // namespace
