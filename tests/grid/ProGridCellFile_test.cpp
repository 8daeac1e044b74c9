// The cell text file and CSV: their bytes, round trips of random texts over grids with fixed and
// hidden columns, and hostile files that must leave the grid as it was.
#include "ProGridFixture.h"
#include "platform/Locale.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using TCellFileTest = TProGridTest<TProStringGrid, false>;

std::string Utf16(std::string_view ascii) {
  std::string out;
  for (char c : ascii)
    out += std::string{c, '\0'};
  return out;
}

// Two columns and two rows, no fixed cells, widths 64 and 30.
void SmallGrid(TProStringGrid& g) {
  g.SetColCount(2);
  g.SetRowCount(2);
  g.SetFixedCols(0);
  g.SetFixedRows(0);
  g.SetColWidths(0, 64);
  g.SetColWidths(1, 30);
  g.SetCells(0, 0, "a");
  g.SetCells(1, 1, "\xC3\xA9\r\nz"); // é CR LF z
}

TEST_F(TCellFileTest, GoldenBytesOfTheTextFile) {
  SmallGrid(*Grid);
  EXPECT_EQ(Grid->CellFileBytes(true), std::string("\xFF\xFE", 2) +
                                           Utf16("2,2\r\ncw 0,64\r\ncw 1,30\r\n0,0,a\r\n1,1,") +
                                           std::string("\xE9\0\t\0\b\0z\0\r\0\n\0", 12));
  EXPECT_EQ(Grid->CellFileBytes(false), "2,2\r\ncw 0,64\r\ncw 1,30\r\n0,0,a\r\n1,1,\xE9\t\bz\r\n");
}

TEST_F(TCellFileTest, GoldenBytesOfCSV) {
  Grid->SetColCount(3);
  Grid->SetRowCount(2);
  Grid->SetFixedCols(0);
  Grid->SetFixedRows(0);
  Grid->SetCells(0, 0, "a");
  Grid->SetCells(1, 0, "x,y");
  Grid->SetCells(0, 1, "say \"hi\"");
  Grid->SetCells(1, 1, " lead");
  Grid->SetCells(2, 1, "1\r\n2");
  EXPECT_EQ(Grid->CSVBytes(true), "\xEF\xBB\xBF"
                                  "a,\"x,y\",\"\"\r\n"
                                  "\"say \"\"hi\"\"\",\" lead\",\"1\v2\"\r\n");
  Grid->FileOptions().Delimiter = ';';
  Grid->FileOptions().QuoteEmptyCells = false;
  EXPECT_EQ(Grid->CSVBytes(false), "a;x,y;\r\n\"say \"\"hi\"\"\";\" lead\";\"1\v2\"\r\n");
}

TEST_F(TCellFileTest, MultilineCellsKeepsEveryLineOrTheFirst) {
  SmallGrid(*Grid);
  const std::string bytes = Grid->CellFileBytes(true);
  for (bool multi : {true, false}) {
    TGridOnForm<> other(false);
    other.Grid->SetMultilineCells(multi);
    other.Grid->LoadCellFileBytes(bytes, "x");
    EXPECT_EQ(other.Grid->Cells(1, 1), multi ? "\xC3\xA9\r\nz" : "\xC3\xA9") << multi;
    EXPECT_EQ(other.Grid->ColWidths(1), 30);
  }
}

TEST_F(TCellFileTest, CellLinesOutsideTheGridOrMalformedAreSkipped) {
  Grid->LoadCellFileBytes("5,2\r\ncw 0,1\r\ncw 1,1\r\ncw 2,1\r\ncw 3,1\r\ncw 4,1\r\n7,0,far\r\n-1,0,neg\r\n"
                          "nocomma\r\n0x1,0,hex\r\n 2,0,blank\r\n2,1,kept\r\n",
                          "f");
  EXPECT_EQ(Grid->ColCount(), 5);
  EXPECT_EQ(Grid->Cells(0, 0), ""); // the line without commas no longer lands in (0, 0)
  EXPECT_EQ(Grid->Cells(2, 1), "kept");
  for (int c = 0; c < 5; ++c)
    EXPECT_EQ(Grid->Cells(c, 0), "") << c;
}

// Random texts from pieces that trouble these formats.
std::string RandomText(std::mt19937& rng, bool tabs) {
  static const std::vector<std::string> pieces = {"\t",
                                                  "a",
                                                  "Z",
                                                  "\"",
                                                  "\"\"",
                                                  ",",
                                                  ";",
                                                  "&",
                                                  "<",
                                                  ">",
                                                  "\r\n",
                                                  " ",
                                                  "  ",
                                                  "\xC3\xA9",
                                                  "\xD0\x96",
                                                  "\xE4\xB8\xAD",
                                                  "\xF0\x9F\x98\x80",
                                                  "\xF0\x90\x8D\x88",
                                                  "~",
                                                  "^",
                                                  "1"};
  std::string s;
  int n = std::uniform_int_distribution<int>(0, 6)(rng);
  for (int i = 0; i < n; ++i)
    s += pieces[std::uniform_int_distribution<std::size_t>(tabs ? 0 : 1, pieces.size() - 1)(rng)];
  return s;
}

struct TRoundTrip {
  const char* Name;
  bool Csv;
  bool SaveHidden;
  char Delimiter;
};

class TRoundTripTest : public TUiTest, public ::testing::WithParamInterface<TRoundTrip> {};

TEST_P(TRoundTripTest, EveryTextComesBackExactly) {
  const TRoundTrip p = GetParam();
  for (unsigned seed = 1; seed <= 12; ++seed) {
    std::mt19937 rng(seed);
    TGridOnForm<> from(false);
    TProStringGrid& g = *from.Grid;
    FillRoundTripGrid(g, [&] { return RandomText(rng, p.Csv); });
    g.HideColumn(2);
    g.HideColumn(4);
    g.FileOptions().SaveHiddenCells = p.SaveHidden;
    g.FileOptions().Delimiter = p.Delimiter;
    TGridOnForm<> to(false);
    to.Grid->SetMultilineCells(true);
    to.Grid->SetColCount(2);
    to.Grid->FileOptions() = g.FileOptions();
    if (p.Csv)
      to.Grid->LoadCSVBytes(g.CSVBytes(true));
    else
      to.Grid->LoadCellFileBytes(g.CellFileBytes(true), "x");
    const int cols = p.SaveHidden ? g.TotalColCount() : g.ColCount();
    ASSERT_EQ(to.Grid->ColCount(), cols) << seed;
    ASSERT_EQ(to.Grid->RowCount(), g.RowCount()) << seed;
    for (int r = 0; r < g.RowCount(); ++r)
      for (int c = 0; c < cols; ++c) {
        int real = p.SaveHidden ? c : g.DisplToRealCol(c);
        ASSERT_EQ(to.Grid->GridCells(c, r), g.GridCells(real, r))
            << "seed " << seed << " cell " << c << "," << r;
      }
  }
}

INSTANTIATE_TEST_SUITE_P(Formats, TRoundTripTest,
                         ::testing::Values(TRoundTrip{"TextFile", false, false, 0},
                                           TRoundTrip{"TextFileHidden", false, true, 0},
                                           TRoundTrip{"CSVComma", true, false, ','},
                                           TRoundTrip{"CSVHiddenSemicolon", true, true, ';'},
                                           TRoundTrip{"CSVTab", true, false, '\t'}),
                         [](const auto& test) { return std::string(test.param.Name); });

TEST_F(TCellFileTest, AnAnsiSaveOfTextOutsideWindows1252IsRefusedAndWritesNothing) {
  TTempDir dir;
  const std::string old = dir.Write("g.txt", "old");
  const std::string csv = dir.Write("g.csv", "old");
  Grid->SetCells(2, 3, "\xD0\x96"); // Ж
  for (auto save : {+[](TProStringGrid&g, const std::string&f) { g.SaveToFile(f, false); },
                    +[](TProStringGrid&g, const std::string&f) { g.SaveToCSV(f, false); }}) {
    try {
      save(*Grid, old);
      ADD_FAILURE() << "saved";
    } catch (const EProGridError& e) {
      EXPECT_NE(std::string(e.what()).find("[2, 3]"), std::string::npos) << e.what();
    }
  }
  EXPECT_THROW(Grid->SaveToCSV(csv, false), EProGridError);
  EXPECT_EQ(dir.Read("g.txt"), "old");
  EXPECT_EQ(dir.Read("g.csv"), "old");
  EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"g.csv", "g.txt"}));
  Grid->SaveToCSV(csv, true);
  TGridOnForm<> other(false);
  other.Grid->LoadFromCSV(csv);
  EXPECT_EQ(other.Grid->Cells(2, 3), "\xD0\x96");
}

// Mended: "Ã©" went out as C3 A9, which the reader takes for UTF-8 and loads as "é".
TEST_F(TCellFileTest, AnAnsiSaveThatWouldLoadAsOtherTextIsRefusedAndWritesNothing) {
  TTempDir dir;
  const std::string file = dir.Write("g.txt", "old");
  Grid->SetCells(1, 1, "plain");
  Grid->SetCells(2, 3, "\xC3\x83\xC2\xA9");
  try {
    Grid->SaveToFile(file, false);
    ADD_FAILURE() << "saved";
  } catch (const EProGridError& e) {
    EXPECT_NE(std::string(e.what()).find("[2, 3]"), std::string::npos) << e.what();
  }
  EXPECT_EQ(dir.Read("g.txt"), "old");
  // Beside a character that is no UTF-8 the file reads as Windows-1252 and the save goes ahead.
  Grid->SetCells(1, 1, "\xC3\xA9");
  Grid->SaveToFile(file, false);
  TGridOnForm<> other(false);
  other.Grid->LoadFromFile(file);
  EXPECT_EQ(other.Grid->Cells(2, 3), "\xC3\x83\xC2\xA9");
  EXPECT_EQ(other.Grid->Cells(1, 1), "\xC3\xA9");
}

TEST_F(TCellFileTest, CSVDelimiterIsGuessedForTheLoadOnly) {
  const std::pair<const char*, const char*> cases[] = {
      {"a;b;c\r\nd;e;f\r\n", "b"}, {"a\tb\r\nc\td\r\n", "b"}, {"\"x;y\",b\r\nc,d\r\n", "b"}, {"ab\r\n", ""}};
  for (auto [file, second] : cases) {
    TGridOnForm<> g(false);
    g.Grid->LoadCSVBytes(file);
    EXPECT_EQ(g.Grid->Cells(1, 0), second) << file;
    EXPECT_EQ(g.Grid->Delimiter(), 0);
  }
}

TEST_F(TCellFileTest, UnclosedQuoteGivesAnEmptyFieldAndGoesOnAfterTheNextDelimiter) {
  Grid->FileOptions().Delimiter = ',';
  Grid->LoadCSVBytes("\"open,b,c\r\n");
  EXPECT_EQ(Grid->Cells(0, 0), "");
  EXPECT_EQ(Grid->Cells(1, 0), "b");
  EXPECT_EQ(Grid->Cells(2, 0), "c");
}

// Each of these is refused (an EProGridError) or skipped, and the grid keeps its size and cells.
TEST_F(TCellFileTest, HostileFilesLeaveTheGridAsItWas) {
  struct TCase {
    const char* Name;
    bool Csv;
    std::string Bytes;
  };
  const std::string wide(100000, ',');
  std::string oddUtf16 = std::string("\xFF\xFE", 2) + Utf16("1,1\r\ncw 0,5\r\n0,0,x") + "\x41";
  const TCase cases[] = {
      {"header 2^31 columns", false, "2147483648,1\r\ncw 0,5\r\n"},
      {"header 2^31-1 rows", false, "1,2147483647\r\ncw 0,5\r\n"},
      {"header past the column maximum", false, "16385,1\r\ncw 0,5\r\n"},
      {"more columns than cw lines", false, "3,1\r\ncw 0,5\r\n"},
      {"cw lines past the columns", false, "1,1\r\ncw 9,5\r\n"},
      {"negative count", false, "-1,1\r\n"},
      {"no header", false, ""},
      {"odd UTF-16 byte count", false, oddUtf16},
      {"a line of 100,000 delimiters", true, "a" + wide + "\r\n"},
      {"empty input", true, ""},
  };
  for (const TCase& c : cases) {
    TGridOnForm<> place(false);
    TProStringGrid& g = *place.Grid;
    g.SetCells(1, 1, "keep");
    g.FileOptions().Delimiter = c.Csv ? ',' : 0;
    const int cols = g.ColCount(), rows = g.RowCount();
    bool refused = false;
    try {
      c.Csv ? g.LoadCSVBytes(c.Bytes) : g.LoadCellFileBytes(c.Bytes, "f");
    } catch (const EProGridError&) {
      refused = true;
    }
    if (refused) {
      EXPECT_EQ(g.ColCount(), cols) << c.Name;
      EXPECT_EQ(g.RowCount(), rows) << c.Name;
      EXPECT_EQ(g.Cells(1, 1), "keep") << c.Name;
    }
    EXPECT_LE(g.ColCount(), g.FileOptions().MaxLoadColCount) << c.Name;
    EXPECT_LE(g.RowCount(), g.FileOptions().MaxLoadRowCount) << c.Name;
  }
}

TEST_F(TCellFileTest, LoadMaximumsAreTheGridsOwn) {
  Grid->FileOptions().Delimiter = ',';
  Grid->FileOptions().MaxLoadRowCount = 3;
  const int cols = Grid->ColCount(), rows = Grid->RowCount();
  EXPECT_THROW(Grid->LoadCSVBytes("a\r\nb\r\nc\r\nd\r\n"), EProGridError);
  EXPECT_EQ(Grid->RowCount(), rows);
  Grid->FileOptions().MaxLoadColCount = 3;
  EXPECT_THROW(Grid->LoadCellFileBytes("4,1\r\ncw 0,1\r\ncw 1,1\r\ncw 2,1\r\ncw 3,1\r\n", "f"),
               EProGridError);
  EXPECT_EQ(Grid->ColCount(), cols);
}

TEST_F(TCellFileTest, ProgressOfASingleRowRangeStaysWithinAHundred) {
  Grid->SetRowCount(2);
  Grid->SetCells(1, 1, "x");
  std::vector<int> seen;
  Grid->OnFileProgress = [&](TObject*, std::int16_t p) { seen.push_back(p); };
  Grid->CellFileBytes(true);
  Grid->CSVBytes(true);
  Grid->LoadCellFileBytes(Grid->CellFileBytes(true), "f");
  ASSERT_FALSE(seen.empty());
  for (int p : seen)
    EXPECT_TRUE(p >= 0 && p <= 100) << p;
}

TEST_F(TCellFileTest, CellToRealReadsTheDisplayedNumberOrNamesWhereItFails) {
  TFormatSettings fs;
  fs.DecimalSeparator = ',';
  fs.ThousandSeparator = '.';
  SetFormatSettings(fs);
  struct TCase {
    const char* Text;
    double Value;
  } cases[] = {{"", 0}, {"12,5", 12.5}, {"(1.234,5)", -1234.5}, {"-3", -3}, {"EUR -3", -3} /* mended */};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Text);
    Grid->SetCells(1, 1, c.Text);
    EXPECT_NO_THROW(EXPECT_DOUBLE_EQ(Grid->CellToReal(1, 1), c.Value));
  }
  Grid->SetCells(1, 1, "abc");
  try {
    Grid->CellToReal(1, 1);
    ADD_FAILURE() << "a text without a number reads as none";
  } catch (const EProGridError& e) {
    EXPECT_STREQ(e.what(), "Error at position: 1 in Cell [1, 1].");
  }
  ResetFormatSettings();
}

} // namespace
