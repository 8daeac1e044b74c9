// The XML format: the bytes written, documents of records read back into cells, round trips of
// random texts in UTF-8 and ISO-8859-1, and documents that must leave the grid as it was.
#include "ProGridFixture.h"
#include "platform/StringList.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using TXmlFileTest = TProGridTest<TProStringGrid, false>;

void Plain(TProStringGrid& g, int cols, int rows) {
  g.SetColCount(cols);
  g.SetRowCount(rows);
  g.SetFixedCols(0);
  g.SetFixedRows(0);
}

TEST_F(TXmlFileTest, GoldenBytesInTheDeclaredEncoding) {
  Plain(*Grid, 2, 1);
  Grid->SetCells(0, 0, "a&b <\"$amp;\">");
  Grid->SetCells(1, 0, "\xC3\xA9\r\n\xD0\x96"); // é CR LF Ж
  EXPECT_EQ(Grid->XMLBytes("LIST", "REC", nullptr, false),
            "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" ?>\r\n<LIST>\r\n<REC>\r\n"
            "<FIELD0>a&amp;b &lt;&quot;$amp;&quot;&gt;</FIELD0>\r\n"
            "<FIELD1>\xE9&#13;\n&#1046;</FIELD1>\r\n</REC>\r\n</LIST>\r\n");
  Grid->SetXMLEncoding("UTF-8");
  TStringList names;
  names.Add("Name");
  EXPECT_EQ(Grid->XMLBytes("L", "R", &names, false),
            "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n<L>\r\n<R>\r\n<Name>a&amp;b "
            "&lt;&quot;$amp;&quot;&gt;</Name>\r\n"
            "<FIELD1>\xC3\xA9&#13;\n\xD0\x96</FIELD1>\r\n</R>\r\n</L>\r\n");
  Grid->SetXMLEncoding("UTF-16");
  EXPECT_EQ(Grid->XMLBytes("L", "R", nullptr, false).substr(0, 6), std::string("\xFF\xFE<\0?\0", 6));
}

TEST_F(TXmlFileTest, EmptyCellsAsTwoQuotesReadBackEmpty) {
  Plain(*Grid, 3, 1);
  Grid->SetCells(0, 0, "a");
  Grid->SetCells(2, 0, "c");
  const std::string bytes = Grid->XMLBytes("L", "R", nullptr, true);
  EXPECT_NE(bytes.find("<FIELD1>&quot;&quot;</FIELD1>"), std::string::npos);
  EXPECT_EQ(Grid->XMLBytes("L", "R", nullptr, false).find("FIELD1"), std::string::npos);
  TGridOnForm<> other(false);
  Plain(*other.Grid, 1, 1);
  other.Grid->SetCells(0, 0, "old");
  other.Grid->LoadXMLBytes(bytes);
  EXPECT_EQ(other.Grid->ColCount(), 3);
  EXPECT_EQ(other.Grid->Cells(0, 0), "a");
  EXPECT_EQ(other.Grid->Cells(1, 0), "");
  EXPECT_EQ(other.Grid->Cells(2, 0), "c");
}

// Empty cells not exported and cells covered by a merged area leave gaps in the field numbers;
// the fields after them still load into their own columns (mended: they moved left).
TEST_F(TXmlFileTest, FieldsLeftOutKeepTheColumnsOfTheRest) {
  Plain(*Grid, 5, 2);
  Grid->SetCells(0, 0, "a");
  Grid->SetCells(3, 0, "d");
  Grid->SetCells(0, 1, "m");
  Grid->MergeCells(0, 1, 2, 1);
  Grid->SetCells(4, 1, "e");
  const std::string bytes = Grid->XMLBytes("L", "R", nullptr, false);
  TGridOnForm<> other(false);
  Plain(*other.Grid, 1, 1);
  other.Grid->LoadXMLBytes(bytes);
  EXPECT_EQ(other.Grid->ColCount(), 5);
  const std::vector<std::vector<std::string>> rows = {{"a", "", "", "d", ""}, {"m", "", "", "", "e"}};
  for (int r = 0; r < 2; ++r)
    for (int c = 0; c < 5; ++c)
      EXPECT_EQ(other.Grid->Cells(c, r), rows[r][c]) << c << "," << r;
  // Names other than the writer's own numbered ones still go by position.
  other.Grid->LoadXMLBytes("<L><R><FIELD007>x</FIELD007><B>y</B></R></L>");
  EXPECT_EQ(other.Grid->Cells(0, 0), "x");
  EXPECT_EQ(other.Grid->Cells(1, 0), "y");
}

TEST_F(TXmlFileTest, HiddenColumnsAreWrittenFromTheirRealColumns) {
  // Mended: the display column number was taken as the real one.
  Plain(*Grid, 3, 1);
  Grid->SetCells(0, 0, "a");
  Grid->SetCells(1, 0, "hidden");
  Grid->SetCells(2, 0, "c");
  Grid->HideColumn(1);
  const std::string shown = Grid->XMLBytes("L", "R", nullptr, false);
  EXPECT_NE(shown.find("<FIELD1>c</FIELD1>"), std::string::npos) << shown;
  EXPECT_EQ(shown.find("hidden"), std::string::npos);
  Grid->SetSaveHiddenCells(true);
  EXPECT_NE(Grid->XMLBytes("L", "R", nullptr, false).find("<FIELD1>hidden</FIELD1>"), std::string::npos);
}

TEST_F(TXmlFileTest, DocumentsLoadAsTheirShapeSays) {
  struct TCase {
    const char* Name;
    std::string Xml;
    bool LevelToRow, FieldDescr, SaveFixed;
    std::vector<std::vector<std::string>> Rows; // expected, from row 0 column 0
  };
  const TCase cases[] = {
      {"attribute records with names in row 0",
       "<L><R a=\"1\" b=\"x&amp;y\"/><R a=\"2\" b=\"\"/></L>",
       false,
       true,
       true,
       {{"a", "b"}, {"1", "x&y"}, {"2", ""}}},
      {"element names fill row 0, data from FixedRows",
       "<L><R><N>n1</N><V>v1</V></R><R><N>n2</N><V> </V></R></L>",
       false,
       true,
       true,
       {{"N", "V"}, {"n1", "v1"}, {"n2", " "}}},
      {"LevelToRow: a record without attributes and one field stays in row 0 (mended)",
       "<L><R><N>only</N></R></L>",
       true,
       false,
       false,
       {{"only"}}},
      {"empty elements are cells inside the grid (mended)",
       "<L><R><A/><B/><C>c</C></R></L>",
       false,
       false,
       false,
       {{"", "", "c"}}},
  };
  for (const TCase& c : cases) {
    TGridOnForm<> place(false);
    TProStringGrid& g = *place.Grid;
    g.SetColCount(2);
    g.SetRowCount(2);
    g.SetFixedCols(0);
    g.SetFixedRows(c.SaveFixed ? 1 : 0);
    g.SetSaveFixedCells(c.SaveFixed);
    g.LoadXMLBytes(c.Xml, c.LevelToRow, c.FieldDescr);
    ASSERT_EQ(g.RowCount(), static_cast<int>(c.Rows.size())) << c.Name;
    ASSERT_EQ(g.ColCount(), static_cast<int>(c.Rows[0].size())) << c.Name;
    for (std::size_t r = 0; r < c.Rows.size(); ++r)
      for (std::size_t k = 0; k < c.Rows[r].size(); ++k)
        EXPECT_EQ(g.Cells(static_cast<int>(k), static_cast<int>(r)), c.Rows[r][k])
            << c.Name << " " << k << "," << r;
  }
  // Without LoadFieldDescr the data starts in row 0 itself.
  TGridOnForm<> place(false);
  place.Grid->SetFixedCols(0);
  place.Grid->SetSaveFixedCells(true);
  place.Grid->LoadXMLBytes("<L><R a=\"1\" b=\"2\"/></L>");
  EXPECT_EQ(place.Grid->Cells(0, 0), "1");
  EXPECT_EQ(place.Grid->Cells(1, 0), "2");
}

// Random texts from pieces that trouble XML: entities, line ends, blanks and characters outside
// Latin-1, surrogate pairs in UTF-16 included.
std::string RandomXmlText(std::mt19937& rng) {
  static const std::vector<std::string> pieces = {"a",
                                                  "Z",
                                                  "\"",
                                                  "&",
                                                  "&amp;",
                                                  "$amp;",
                                                  "<",
                                                  ">",
                                                  "\r\n",
                                                  "\r",
                                                  "\n",
                                                  " ",
                                                  "  ",
                                                  "\t",
                                                  "\xC3\xA9",
                                                  "\xD0\x96",
                                                  ";",
                                                  ",",
                                                  "\xE4\xB8\xAD",
                                                  "\xF0\x9F\x98\x80",
                                                  "\xC2\x80",
                                                  "\xE2\x82\xAC",
                                                  "]]>"};
  std::string s;
  int n = std::uniform_int_distribution<int>(0, 6)(rng);
  for (int i = 0; i < n; ++i)
    s += pieces[std::uniform_int_distribution<std::size_t>(0, pieces.size() - 1)(rng)];
  return s;
}

class TXmlRoundTripTest : public TUiTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(TXmlRoundTripTest, EveryTextComesBackExactly) {
  for (unsigned seed = 1; seed <= 12; ++seed) {
    std::mt19937 rng(seed);
    TGridOnForm<> from(false);
    TProStringGrid& g = *from.Grid;
    FillRoundTripGrid(g, [&] { return RandomXmlText(rng); });
    g.HideColumn(2);
    g.SetXMLEncoding(GetParam());
    g.FileOptions().QuoteEmptyCells = false;
    TGridOnForm<> to(false);
    to.Grid->SetFixedCols(1);
    to.Grid->SetFixedRows(1);
    to.Grid->FileOptions().QuoteEmptyCells = false;
    to.Grid->LoadXMLBytes(g.XMLBytes("L", "R", nullptr, true));
    ASSERT_EQ(to.Grid->ColCount(), g.ColCount()) << seed;
    ASSERT_EQ(to.Grid->RowCount(), g.RowCount()) << seed;
    for (int r = 1; r < g.RowCount(); ++r)
      for (int c = 1; c < g.ColCount(); ++c)
        ASSERT_EQ(to.Grid->GridCells(c, r), g.GridCells(g.DisplToRealCol(c), r))
            << "seed " << seed << " cell " << c << "," << r;
  }
}

INSTANTIATE_TEST_SUITE_P(Encodings, TXmlRoundTripTest,
                         ::testing::Values("UTF-8", "ISO-8859-1", "windows-1252", "UTF-16", "US-ASCII"),
                         [](const auto& test) {
                           std::string name = test.param;
                           std::erase_if(name, [](char c) { return c == '-'; });
                           return name;
                         });

// Each of these is refused and the grid keeps its size and cells.
TEST_F(TXmlFileTest, HostileDocumentsLeaveTheGridAsItWas) {
  std::string deep;
  for (int i = 0; i < 100000; ++i)
    deep += "<a>";
  for (int i = 0; i < 100000; ++i)
    deep += "</a>";
  std::string wide = "<L><R>";
  for (int i = 0; i < 300; ++i)
    wide += "<F>x</F>";
  wide += "</R></L>";
  std::string tall = "<L>";
  for (int i = 0; i < 300; ++i)
    tall += "<R a=\"1\"/>";
  tall += "</L>";
  const std::pair<const char*, std::string> cases[] = {
      {"nested 100,000 deep", "<L><R>" + deep + "</R></L>"},
      {"not well-formed", "<L><R><F>x</R></L>"},
      {"no document", ""},
      {"two roots", "<L/><M/>"},
      {"more fields than the columns loaded", wide},
      {"more records than the rows loaded", tall},
  };
  for (const auto& [name, xml] : cases) {
    TGridOnForm<> place(false);
    TProStringGrid& g = *place.Grid;
    g.FileOptions().MaxLoadColCount = 200;
    g.FileOptions().MaxLoadRowCount = 200;
    g.SetCells(1, 1, "keep");
    const int cols = g.ColCount(), rows = g.RowCount();
    EXPECT_THROW(g.LoadXMLBytes(xml), EProGridError) << name;
    EXPECT_EQ(g.ColCount(), cols) << name;
    EXPECT_EQ(g.RowCount(), rows) << name;
    EXPECT_EQ(g.Cells(1, 1), "keep") << name;
  }
}

TEST_F(TXmlFileTest, FilesAreWrittenWholeAndMissingOnesRefused) {
  TTempDir dir;
  Grid->SetCells(1, 1, "x");
  EXPECT_THROW(Grid->SaveToXML(dir.File("no/such/folder.xml"), "L", "R"), EProGridError);
  EXPECT_THROW(Grid->SaveToXML(dir.File("f.xml"), "L", "bad name"), EProGridError);
  EXPECT_TRUE(dir.Entries().empty());
  Grid->SaveToXML(dir.File("f.xml"), "L", "R", nullptr, true);
  TGridOnForm<> other(false);
  other.Grid->LoadFromXML(dir.File("f.xml"));
  EXPECT_EQ(other.Grid->Cells(1, 1), "x");
  EXPECT_EQ(other.Grid->Cells(0, 0), "");
  try {
    other.Grid->LoadFromXML(dir.File("missing.xml"));
    ADD_FAILURE() << "loaded";
  } catch (const EProGridError& e) {
    EXPECT_STREQ(e.what(), "XML file not found");
  }
}

} // namespace
