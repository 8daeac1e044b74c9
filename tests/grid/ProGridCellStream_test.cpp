// The cell text file's stream form: two grids in one stream, relative indexes, the stop before
// foreign data, hostile streams, and AssignCells going through it.
#include "ProGridFixture.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {

using TCellStreamTest = TProGridTest<TProStringGrid, false>;

std::string Fixture(const char* name) {
  std::ifstream in(std::string(VELMARIC_TEST_DATA) + "/fuzz/grid_cell_stream/" + name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string Utf16(std::string_view ascii) {
  std::string out;
  for (char c : ascii)
    out += std::string{c, '\0'};
  return out;
}

void Plain(TProStringGrid& g, int cols, int rows) {
  g.SetFixedCols(0);
  g.SetFixedRows(0);
  g.SetColCount(cols);
  g.SetRowCount(rows);
}

TEST_F(TCellStreamTest, TwoGridsShareOneStreamAndLoadBackOneAfterTheOther) {
  Plain(*Grid, 2, 2);
  Grid->SetColWidths(0, 64);
  Grid->SetColWidths(1, 30);
  Grid->SetCells(0, 0, "a");
  Grid->SetCells(1, 1, "\xC3\xA9\r\nz");
  TGridOnForm<> second(false);
  Plain(*second.Grid, 1, 1);
  second.Grid->SetColWidths(0, 10);
  second.Grid->SetCells(0, 0, "b");
  TMemoryStream s;
  Grid->SaveToStream(s);
  second.Grid->SaveToStream(s);
  ASSERT_EQ(s.Bytes(), Fixture("two_grids"));

  TGridOnForm<> one(false), two(false);
  one.Grid->SetMultilineCells(true);
  s.SetPosition(0);
  one.Grid->LoadFromStream(s);
  EXPECT_EQ(s.Position(), static_cast<std::int64_t>(Fixture("two_grids").size() -
                                                    Utf16("1,1\r\ncw 0,10\r\n0,0,b\r\n").size()));
  two.Grid->LoadFromStream(s);
  EXPECT_EQ(s.Position(), s.Size());
  EXPECT_EQ(one.Grid->ColCount(), 2);
  EXPECT_EQ(one.Grid->ColWidths(1), 30);
  EXPECT_EQ(one.Grid->Cells(1, 1), "\xC3\xA9\r\nz");
  EXPECT_EQ(two.Grid->ColCount(), 1);
  EXPECT_EQ(two.Grid->RowCount(), 1);
  EXPECT_EQ(two.Grid->ColWidths(0), 10);
  EXPECT_EQ(two.Grid->Cells(0, 0), "b");
}

TEST_F(TCellStreamTest, IndexesAreRelativeToTheSaveRangeAndForeignDataStopsTheReader) {
  Plain(*Grid, 3, 3);
  Grid->SetFixedCols(1);
  Grid->SetFixedRows(1);
  Grid->SetSaveFixedCells(false);
  Grid->SetCells(1, 1, "one");
  TMemoryStream s;
  Grid->SaveToStream(s);
  EXPECT_NE(s.Bytes().find(Utf16("\r\n0,0,one\r\n")), std::string::npos);
  s.WriteBuffer(Utf16("tail"));
  TGridOnForm<> other(false);
  other.Grid->SetColCount(3);
  other.Grid->SetRowCount(3);
  other.Grid->SetFixedCols(1);
  other.Grid->SetFixedRows(1);
  other.Grid->SetSaveFixedCells(false);
  s.SetPosition(0);
  other.Grid->LoadFromStream(s);
  EXPECT_EQ(other.Grid->Cells(1, 1), "one");
  EXPECT_EQ(other.Grid->ColCount(), 3);
  EXPECT_EQ(s.ReadRest(), Utf16("tail"));
}

TEST_F(TCellStreamTest, HostileStreamsAreRefusedAndTheGridStaysAsItWas) {
  const struct {
    const char* Name;
    std::string Bytes;
  } cases[] = {
      {"counts of 2^31", Utf16("2147483647,2147483647\r\ncw 0,1\r\n")},
      {"more columns than width lines", Utf16("100,1\r\ncw 0,1\r\n")},
      {"more columns than the grid loads", Utf16("16385,1\r\n")},
      {"cw line past the columns", Utf16("1,1\r\ncw 0,1\r\ncw 5,1\r\n")},
      {"junk header", Utf16("x,1\r\n")},
      {"junk width", Utf16("1,1\r\ncw 0,wide\r\n")},
      {"junk row", Utf16("1,1\r\ncw 0,1\r\n0,zz,text\r\n")},
      {"a good cell before a junk one", Utf16("1,1\r\ncw 0,1\r\n0,0,new\r\n0,y,x\r\n")},
  };
  for (const auto& c : cases) {
    Plain(*Grid, 3, 3);
    Grid->SetColWidths(0, 50);
    Grid->SetCells(0, 0, "old");
    TMemoryStream s;
    s.WriteBuffer(c.Bytes);
    s.SetPosition(0);
    EXPECT_THROW(Grid->LoadFromStream(s), EProGridError) << c.Name;
    EXPECT_EQ(s.Position(), 0) << c.Name;
    EXPECT_EQ(Grid->ColCount(), 3) << c.Name;
    EXPECT_EQ(Grid->RowCount(), 3) << c.Name;
    EXPECT_EQ(Grid->ColWidths(0), 50) << c.Name;
    EXPECT_EQ(Grid->Cells(0, 0), "old") << c.Name;
  }
  // An odd byte count: the lone last byte is no code unit; cells outside the grid are dropped.
  TMemoryStream odd;
  odd.WriteBuffer(Utf16("1,1\r\ncw 0,1\r\n0,0,a\r\n4,4,far\r\n") + "\x31");
  odd.SetPosition(0);
  Grid->LoadFromStream(odd);
  EXPECT_EQ(Grid->Cells(0, 0), "a");
  EXPECT_EQ(Grid->ColCount(), 1);
}

TEST_F(TCellStreamTest, AssignCellsCopiesThroughTheStreamForm) {
  Plain(*Grid, 3, 2);
  Grid->SetColWidths(2, 44);
  Grid->SetCells(2, 1, "x\r\ny");
  Grid->SetCells(0, 0, "\xF0\x9F\x98\x80");
  TGridOnForm<> other(false);
  Plain(*other.Grid, 1, 1);
  other.Grid->SetMultilineCells(true);
  other.Grid->AssignCells(Grid);
  EXPECT_EQ(other.Grid->ColCount(), 3);
  EXPECT_EQ(other.Grid->RowCount(), 2);
  EXPECT_EQ(other.Grid->ColWidths(2), 44);
  EXPECT_EQ(other.Grid->Cells(2, 1), "x\r\ny");
  EXPECT_EQ(other.Grid->Cells(0, 0), "\xF0\x9F\x98\x80");
}

} // namespace
