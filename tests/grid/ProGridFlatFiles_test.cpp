// CSV forms, the column-aligned export and fixed-width files: their bytes, the cases each format
// must give back, and input they must refuse without touching the grid.
#include "ProGridFixture.h"
#include "platform/Streams.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

using TFlatFileTest = TProGridTest<TProStringGrid, false>;

// A grid of `cols` x `rows` without fixed cells.
void Plain(TProStringGrid& g, int cols, int rows) {
  g.SetColCount(cols);
  g.SetRowCount(rows);
  g.SetFixedCols(0);
  g.SetFixedRows(0);
}

TEST_F(TFlatFileTest, CSVFieldsReadBackAsWritten) {
  struct TCase {
    const char* Name;
    std::string Cell;
    bool Java;
    std::string Field; // as written
  };
  const TCase cases[] = {
      {"delimiter quoted", "a,b", false, "\"a,b\""},
      {"one quote doubled and enclosed", "\"", false, "\"\"\"\""},
      {"line break as U+000B in quotes", "a\r\nb", false, "\"a\vb\""},
      {"lone LF as well (mended)", "a\nb", false, "\"a\vb\""},
      {"leading blank quoted (mended)", "  x", false, "\"  x\""},
      {"Java: empty as ^", "", true, "^"},
      {"Java: line break as ~", "a\r\nb", true, "a~b"},
      {"Java: delimiter quoted (mended)", "a,b", true, "\"a,b\""},
      {"Java: a lone ^ quoted (mended)", "^", true, "\"^\""},
  };
  for (const TCase& c : cases) {
    TGridOnForm<> from(false), to(false);
    Plain(*from.Grid, 2, 1);
    from.Grid->SetCells(0, 0, c.Cell);
    from.Grid->SetCells(1, 0, "z");
    from.Grid->FileOptions().JavaCSV = c.Java;
    const std::string bytes = from.Grid->CSVBytes(false);
    EXPECT_EQ(bytes, c.Field + ",z\r\n") << c.Name;
    Plain(*to.Grid, 1, 1);
    to.Grid->FileOptions().JavaCSV = c.Java;
    to.Grid->SetDelimiter(',');
    to.Grid->LoadCSVBytes(bytes);
    const std::string back = c.Cell == "a\nb" ? "a\r\nb" : c.Cell;
    EXPECT_EQ(to.Grid->Cells(0, 0), back) << c.Name;
    EXPECT_EQ(to.Grid->Cells(1, 0), "z") << c.Name;
  }
}

// Fields are written sixteen bytes at a time: a quote, the delimiter, a line break, a leading blank
// or a byte past ASCII at every position around the sixteen- and thirty-two-byte boundaries, once
// or twice in a text, give the bytes each of them asks for.
TEST_F(TFlatFileTest, CSVFieldsAtEveryPositionAcrossBlocks) {
  struct TForm {
    const char* Name;
    char Delimiter;
    bool Java, Always;
  };
  struct TSpecial {
    std::string Text, Written;
    bool Quoted;
  };
  for (const TForm& f : {TForm{"comma", ',', false, false}, TForm{"tab", '\t', false, false},
                         TForm{"JavaCSV", ';', true, false}, TForm{"always quoted", ',', false, true}}) {
    const std::string lineBreak = f.Java ? "~" : "\v";
    const std::vector<TSpecial> specials = {
        {"\"", "\"\"", true},
        {"\"\"", "\"\"\"\"", true},
        {std::string(1, f.Delimiter), std::string(1, f.Delimiter), true},
        {"\v", "\v", true},
        {"\r\n", lineBreak, !f.Java},
        {"\r", lineBreak, !f.Java},
        {"\n", lineBreak, !f.Java},
        {"\r\r\n\n", lineBreak + lineBreak + lineBreak, !f.Java},
        {f.Delimiter == ',' ? ";" : ",", f.Delimiter == ',' ? ";" : ",", false},
        {f.Delimiter == '\t' ? " " : "\t", f.Delimiter == '\t' ? " " : "\t", false},
        {"\xC3\xA9", "\xC3\xA9", false},
        {"\xE2\x82\xAC", "\xE2\x82\xAC", false},
    };
    std::vector<std::string> cells, fields;
    for (const TSpecial& s : specials)
      for (std::size_t before = 0; before <= 34; ++before)
        for (std::size_t after :
             {std::size_t(0), std::size_t(1), 16 - std::min<std::size_t>(16, before), std::size_t(17)})
          for (bool twice : {false, true}) {
            const std::string head(before, 'x'), tail(after, 'y');
            cells.push_back(head + s.Text + tail + (twice ? s.Text : ""));
            const bool blank = before == 0 && s.Text == " ";
            const bool quoted = f.Always || s.Quoted || blank;
            const std::string q = quoted ? "\"" : "";
            fields.push_back(q + head + s.Written + tail + (twice ? s.Written : "") + q);
          }
    TGridOnForm<> g(false);
    Plain(*g.Grid, 2, static_cast<int>(cells.size()));
    g.Grid->SetDelimiter(f.Delimiter);
    g.Grid->FileOptions().JavaCSV = f.Java;
    g.Grid->FileOptions().AlwaysQuotes = f.Always;
    for (std::size_t r = 0; r < cells.size(); ++r) {
      g.Grid->SetCells(0, static_cast<int>(r), cells[r]);
      g.Grid->SetCells(1, static_cast<int>(r), "z");
    }
    const std::string bytes = g.Grid->CSVBytes(true);
    const std::string z = f.Always ? "\"z\"" : "z";
    std::size_t at = 3; // past the byte order mark
    for (std::size_t r = 0; r < cells.size() && at <= bytes.size(); ++r) {
      const std::string line = fields[r] + f.Delimiter + z + "\r\n";
      ASSERT_EQ(bytes.substr(at, line.size()), line) << f.Name << ", row " << r;
      at += line.size();
    }
    EXPECT_EQ(at, bytes.size()) << f.Name;
  }
}

// An empty field empties its cell wherever it stands, the last of a line (mended: the old text
// stayed) and the only one of an empty line included; the columns count it too.
TEST_F(TFlatFileTest, AnEmptyLastFieldEmptiesItsCell) {
  const struct {
    const char* Line;
    int Cols;
    std::vector<std::string> Cells;
  } cases[] = {
      {"a,b,\r\n", 3, {"a", "b", ""}},    {"a,,\r\n", 3, {"a", "", ""}}, {"\"x,y\",\r\n", 2, {"x,y", ""}},
      {"\"x,y\"\r\n", 2, {"x,y", "old"}}, {"\r\nz\r\n", 2, {"", "old"}},
  };
  for (const auto& c : cases) {
    TGridOnForm<> g(false);
    Plain(*g.Grid, 2, 1);
    g.Grid->SetDelimiter(',');
    for (int col = 0; col < 2; ++col)
      g.Grid->SetCells(col, 0, "old");
    g.Grid->LoadCSVBytes(c.Line);
    EXPECT_EQ(g.Grid->ColCount(), c.Cols) << c.Line;
    for (int col = 0; col < static_cast<int>(c.Cells.size()); ++col)
      EXPECT_EQ(g.Grid->Cells(col, 0), c.Cells[col]) << c.Line << " column " << col;
  }
  // A grid whose last column is empty comes back whole without quoted empty cells.
  TGridOnForm<> from(false), to(false);
  Plain(*from.Grid, 3, 1);
  from.Grid->SetCells(0, 0, "a");
  from.Grid->FileOptions().QuoteEmptyCells = false;
  Plain(*to.Grid, 1, 1);
  to.Grid->LoadCSVBytes(from.Grid->CSVBytes(true));
  EXPECT_EQ(to.Grid->ColCount(), 3);
}

// JavaCSV has no way to write a "~" of the text itself: such a save is refused, nothing written.
TEST_F(TFlatFileTest, JavaCSVRefusesATildeItCannotGiveBack) {
  TTempDir dir;
  const std::string path = dir.Write("j.csv", "old");
  Plain(*Grid, 2, 2);
  Grid->SetCells(1, 1, "a~b");
  Grid->FileOptions().JavaCSV = true;
  try {
    Grid->SaveToCSV(path, true);
    ADD_FAILURE() << "saved";
  } catch (const EProGridError& e) {
    EXPECT_NE(std::string(e.what()).find("[1, 1]"), std::string::npos) << e.what();
  }
  EXPECT_EQ(dir.Read("j.csv"), "old");
  Grid->FileOptions().JavaCSV = false;
  Grid->SaveToCSV(path, true);
  EXPECT_NE(dir.Read("j.csv").find("a~b"), std::string::npos);
}

TEST_F(TFlatFileTest, DelimiterGuessTakesTheEqualCountsFirst) {
  Plain(*Grid, 1, 1);
  Grid->LoadCSVBytes("a;b,c;d\r\ne;f,g;h\r\n");
  EXPECT_EQ(Grid->Cells(1, 0), "b,c");
  EXPECT_EQ(Grid->Cells(2, 1), "h");
  TGridOnForm<> one(false);
  Plain(*one.Grid, 1, 1);
  one.Grid->LoadCSVBytes("x|y|z");
  EXPECT_EQ(one.Grid->ColCount(), 3);
  EXPECT_EQ(one.Grid->Cells(2, 0), "z");
}

TEST_F(TFlatFileTest, MaxRowsCountsFromTheFirstLineRead) {
  Plain(*Grid, 1, 1);
  Grid->FileOptions().LoadFirstRow = false;
  Grid->LoadCSVBytes("1\r\n2\r\n3\r\n4\r\n5\r\n", 2);
  EXPECT_EQ(Grid->RowCount(), 2);
  EXPECT_EQ(Grid->Cells(0, 0), "2");
  EXPECT_EQ(Grid->Cells(0, 1), "3");
}

TEST_F(TFlatFileTest, InsertGoesBeforeTheFooterRowWhichKeepsItsTexts) {
  Plain(*Grid, 2, 3);
  Grid->SetCells(0, 0, "first");
  Grid->FloatingFooter().SetVisible(true);
  ASSERT_EQ(Grid->FixedFooters(), 1);
  Grid->SetCells(0, 2, "sum");
  Grid->SetCells(1, 2, "7");
  Grid->InsertCSVBytes("a,b\r\nc,d\r\n");
  ASSERT_EQ(Grid->RowCount(), 5);
  EXPECT_EQ(Grid->Cells(0, 0), "first");
  EXPECT_EQ(Grid->Cells(0, 2), "a");
  EXPECT_EQ(Grid->Cells(1, 3), "d");
  EXPECT_EQ(Grid->Cells(0, 4), "sum");
  EXPECT_EQ(Grid->Cells(1, 4), "7");
}

TEST_F(TFlatFileTest, EmptyInputsAreIgnoredFromFilesAndRefusedFromStreams) {
  TTempDir dir;
  const std::string empty = dir.Write("e.csv", "");
  Grid->SetCells(1, 1, "keep");
  Grid->LoadFromCSV(empty);
  Grid->InsertFromCSV(empty);
  EXPECT_EQ(Grid->Cells(1, 1), "keep");
  TMemoryStream stream;
  try {
    Grid->LoadFromCSVStream(stream);
    ADD_FAILURE() << "loaded";
  } catch (const EProGridError& e) {
    EXPECT_STREQ(e.what(), "File is empty");
  }
  EXPECT_THROW(Grid->LoadFromCSV(dir.File("missing.csv")), EProGridError);
  stream.WriteBuffer(std::string_view("x;y\r\n"));
  stream.SetPosition(0);
  Grid->LoadFromCSVStream(stream);
  EXPECT_EQ(Grid->Cells(1, 0), "y"); // from the first saved cell
}

TEST_F(TFlatFileTest, AppendAddsRowsAfterTheLinesOfAnExistingFileOnly) {
  TTempDir dir;
  Plain(*Grid, 2, 1);
  Grid->SetCells(0, 0, "n");
  Grid->SetCells(1, 0, "\xC3\xA9"); // é
  EXPECT_THROW(Grid->AppendToCSV(dir.File("none.csv")), EProGridError);
  EXPECT_TRUE(dir.Entries().empty());
  const std::string file = dir.Write("a.csv", "old,line\n");
  Grid->AppendToCSV(file, false);
  EXPECT_EQ(dir.Read("a.csv"), "old,line\r\nn,\xE9\r\n");
  Grid->AppendToCSV(file, true);
  EXPECT_EQ(dir.Read("a.csv"), "\xEF\xBB\xBFold,line\r\nn,\xC3\xA9\r\nn,\xC3\xA9\r\n");
}

TEST_F(TFlatFileTest, OemConvertWritesAndReadsCP850) {
  Plain(*Grid, 2, 1);
  Grid->SetOemConvert(true);
  Grid->SetCells(0, 0, "\xC3\xA9"); // é, 0x82 in CP850
  Grid->SetCells(1, 0, "x");
  const std::string bytes = Grid->CSVBytes(true);
  EXPECT_EQ(bytes, "\x82,x\r\n");
  TGridOnForm<> other(false);
  Plain(*other.Grid, 1, 1);
  other.Grid->SetOemConvert(true);
  other.Grid->LoadCSVBytes(bytes);
  EXPECT_EQ(other.Grid->Cells(0, 0), "\xC3\xA9");
  Grid->SetCells(1, 0, "\xE2\x82\xAC"); // € has no place in CP850
  try {
    Grid->CSVBytes(true);
    ADD_FAILURE() << "saved";
  } catch (const EProGridError& e) {
    EXPECT_NE(std::string(e.what()).find("[1, 0]"), std::string::npos) << e.what();
  }
}

TEST_F(TFlatFileTest, ColumnAlignedTextPadsEachColumnToItsLongestLine) {
  Plain(*Grid, 3, 2);
  Grid->SetCells(0, 0, "ab");
  Grid->SetCells(1, 0, "x");
  Grid->SetCells(2, 0, "r");
  Grid->SetCells(0, 1, "a");
  Grid->SetCells(1, 1, "1\r\n22\r\n333");
  Grid->SetCells(2, 1, "rrrr");
  Grid->SetAlignments(2, 0, taRightJustify);
  Grid->SetAlignments(1, 0, taCenter);
  Grid->SetMultilineCells(true);
  EXPECT_EQ(Grid->MaxColumnTextLength(1), 3);
  const std::vector<std::string> lines = Grid->ASCIILines();
  EXPECT_EQ(lines, (std::vector<std::string>{"ab  x     r ", "a  1   rrrr ", "   22  ", "   333 "}));
  Grid->SetMultilineCells(false);
  EXPECT_EQ(Grid->MaxColumnTextLength(1), 1);
  EXPECT_EQ(Grid->ASCIILines(), (std::vector<std::string>{"ab x    r ", "a  1 rrrr "}));
}

TEST_F(TFlatFileTest, ColumnAlignedWidthsPassTwoHundredFiftyFive) {
  // Mended: widths are whole numbers, not one byte per column.
  Plain(*Grid, 2, 1);
  Grid->SetCells(0, 0, std::string(300, 'w'));
  Grid->SetCells(1, 0, "end");
  EXPECT_EQ(Grid->ASCIILines(), (std::vector<std::string>{std::string(300, 'w') + " end "}));
}

TEST_F(TFlatFileTest, ColumnAlignedFileIsUtf16OrWindows1252WithQuestionMarks) {
  TTempDir dir;
  Plain(*Grid, 1, 1);
  Grid->SetCells(0, 0, "\xD0\x96\xC3\xA9"); // Жé
  Grid->SaveToASCII(dir.File("u.txt"), true);
  EXPECT_EQ(dir.Read("u.txt"), std::string("\xFF\xFE\x16\x04\xE9\0 \0\r\0\n\0", 12));
  Grid->SaveToASCII(dir.File("a.txt"), false);
  EXPECT_EQ(dir.Read("a.txt"), "?\xE9 \r\n");
  Grid->AppendToASCII(dir.File("a.txt"), false);
  EXPECT_EQ(dir.Read("a.txt"), "?\xE9 \r\n?\xE9 \r\n");
}

TEST_F(TFlatFileTest, FixedWidthSaveCompletesThePositions) {
  Plain(*Grid, 3, 2);
  Grid->SetCells(0, 0, "abc");
  Grid->SetCells(1, 1, "toolong");
  Grid->SetCells(2, 0, "z");
  TIntList widths(0, 0);
  widths.Add(2);
  EXPECT_EQ(Grid->FixedBytes(widths), "ab        z \r\n  toolong   \r\n");
  EXPECT_EQ(widths.ToVector(), (std::vector<int>{2, 8, 2}));
}

TEST_F(TFlatFileTest, FixedWidthLoadTakesFieldsBetweenPositions) {
  Plain(*Grid, 1, 1);
  TIntList pos(0, 0);
  for (int p : {11, 1, 5})
    pos.Add(p);
  Grid->LoadFixedBytes("abcdefghijKL\r\n  x   y   \r\n", pos, true, -1);
  EXPECT_EQ(pos.ToVector(), (std::vector<int>{1, 5, 11}));
  EXPECT_EQ(Grid->ColCount(), 2);
  EXPECT_EQ(Grid->Cells(0, 0), "abcd");
  EXPECT_EQ(Grid->Cells(1, 0), "efghij");
  EXPECT_EQ(Grid->Cells(0, 1), "x");
  EXPECT_EQ(Grid->Cells(1, 1), "y");
  TGridOnForm<> other(false);
  Plain(*other.Grid, 1, 1);
  other.Grid->LoadFixedBytes("abcdefghijKL\r\n  x   y   \r\n", pos, false, 1);
  EXPECT_EQ(other.Grid->RowCount(), 1);
  EXPECT_EQ(other.Grid->Cells(1, 0), "efghij");
}

TEST_F(TFlatFileTest, FixedWidthLoadWithFewerThanTwoPositionsIsRefused) {
  // Mended: one position gave a negative column count.
  TTempDir dir;
  const std::string file = dir.Write("f.txt", "abc\r\n");
  Grid->SetCells(1, 1, "keep");
  const int cols = Grid->ColCount(), rows = Grid->RowCount();
  for (int n : {0, 1}) {
    TIntList pos(0, 0);
    if (n) pos.Add(1);
    EXPECT_THROW(Grid->LoadFromFixed(file, pos), EProGridError) << n;
    EXPECT_EQ(Grid->ColCount(), cols);
    EXPECT_EQ(Grid->RowCount(), rows);
    EXPECT_EQ(Grid->Cells(1, 1), "keep");
  }
  TIntList pos(0, 0);
  pos.Add(1);
  pos.Add(3);
  EXPECT_THROW(Grid->LoadFromFixed(dir.File("missing.txt"), pos), EProGridError);
  Grid->FileOptions().MaxLoadColCount = 3;
  pos.Add(99999);
  pos.Add(999999);
  pos.Add(9999999);
  EXPECT_THROW(Grid->LoadFromFixed(file, pos), EProGridError);
  EXPECT_EQ(Grid->ColCount(), cols);
}

TEST_F(TFlatFileTest, FixedWidthRoundTripOfPaddedTexts) {
  TTempDir dir;
  Plain(*Grid, 2, 2);
  Grid->SetCells(0, 0, "\xC3\xA9t\xC3\xA9");
  Grid->SetCells(1, 0, "x");
  Grid->SetCells(0, 1, "a");
  Grid->SetCells(1, 1, "long text");
  TIntList widths(0, 0);
  Grid->SaveToFixed(dir.File("f.txt"), widths);
  TIntList pos(0, 0);
  pos.Add(1);
  pos.Add(1 + widths.Items(0));
  pos.Add(1 + widths.Items(0) + widths.Items(1));
  TGridOnForm<> other(false);
  Plain(*other.Grid, 1, 1);
  other.Grid->LoadFromFixed(dir.File("f.txt"), pos);
  for (int r = 0; r < 2; ++r)
    for (int c = 0; c < 2; ++c)
      EXPECT_EQ(other.Grid->Cells(c, r), Grid->Cells(c, r)) << c << "," << r;
}

} // namespace
