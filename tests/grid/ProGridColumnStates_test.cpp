// The column layout kept between runs: the column states text, the "Col" and "Pos" keys of the
// ColumnSize store, and hostile texts that must leave the grid as it was.
#include "ProGridFixture.h"
#include "grid/ProCGrid.h"
#include "platform/Files.h"
#include "platform/IniFiles.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

using TColumnStatesTest = TProGridTest<TProStringGrid, false>;

// Three columns headed a, b and c in row 0, no fixed column.
void Headed(TProStringGrid& g, int cols = 3) {
  g.SetColCount(cols);
  g.SetRowCount(2);
  g.SetFixedCols(0);
  for (int c = 0; c < cols; ++c)
    g.SetCells(c, 0, std::string(1, static_cast<char>('a' + c)));
}

// Row 0 as shown, hidden columns left out.
std::string Row0(TProStringGrid& g) {
  std::string s;
  for (int c = 0; c < g.ColCount(); ++c)
    s += g.Cells(g.DisplToRealCol(c), 0);
  return s;
}

TEST_F(TColumnStatesTest, GoldenTextAndApplyingItChangesNothing) {
  Headed(*Grid);
  EXPECT_EQ(Grid->ColumnStatesToString(), "3#64,64,64#0,1,2#1,1,1");
  Grid->StringToColumnStates("3#64,64,64#0,1,2#1,1,1");
  EXPECT_EQ(Grid->ColumnStatesToString(), "3#64,64,64#0,1,2#1,1,1");
  EXPECT_EQ(Row0(*Grid), "abc");
}

TEST_F(TColumnStatesTest, TextWithoutSeparatorIsIgnored) {
  Headed(*Grid);
  Grid->SetColWidths(1, 40);
  Grid->StringToColumnStates("5,64,64");
  EXPECT_EQ(Grid->ColumnStatesToString(), "3#64,40,64#0,1,2#1,1,1");
}

TEST_F(TColumnStatesTest, HiddenFlagHidesTheRealColumnAndTheOthersTakeTheFirstWidths) {
  Headed(*Grid);
  Grid->StringToColumnStates("3#10,20,30#0,1,2#1,0,1");
  EXPECT_EQ(Grid->ColCount(), 2);
  EXPECT_TRUE(Grid->IsHiddenColumn(1));
  EXPECT_EQ(Grid->ColWidths(0), 10);
  EXPECT_EQ(Grid->ColWidths(1), 20);
  EXPECT_EQ(Row0(*Grid), "ac");
}

TEST_F(TColumnStatesTest, MovedLayoutCarriesOverToAFreshGrid) {
  Headed(*Grid, 4);
  Grid->SetColWidths(0, 11);
  Grid->MoveColumn(0, 3); // b c d a
  Grid->MoveColumn(0, 1); // c b d a
  Grid->HideColumn(2);    // c b a
  const std::string states = Grid->ColumnStatesToString();

  TGridOnForm other(false);
  Headed(*other.Grid, 4);
  other.Grid->StringToColumnStates(states);
  EXPECT_EQ(Row0(*other.Grid), "cba");
  EXPECT_EQ(other.Grid->ColumnOrder(), Grid->ColumnOrder());
  EXPECT_EQ(other.Grid->ColumnStatesToString(), states);
  EXPECT_EQ(other.Grid->ColWidths(2), 11);
  // Putting the columns back reaches the initial layout.
  other.Grid->ResetColumnOrder();
  EXPECT_EQ(Row0(*other.Grid), "abcd");
}

TEST_F(TColumnStatesTest, ApplyingAMovedGridsOwnTextKeepsItsLayout) {
  // Mended: the text describes the layout from the initial order, so columns moved earlier are put
  // back before it is applied.
  Headed(*Grid);
  Grid->MoveColumn(2, 0); // c a b
  const std::string states = Grid->ColumnStatesToString();
  Grid->StringToColumnStates(states);
  EXPECT_EQ(Row0(*Grid), "cab");
  EXPECT_EQ(Grid->ColumnStatesToString(), states);
}

TEST_F(TColumnStatesTest, StretchedColumnIsStretchedAgainAfterTheWidths) {
  Headed(*Grid);
  Grid->ColumnSize().SetStretch(true);
  Grid->StringToColumnStates("3#50,60,70#0,1,2#1,1,1");
  EXPECT_TRUE(Grid->ColumnSize().Stretch());
  EXPECT_EQ(Grid->ColWidths(0), 50);
  EXPECT_EQ(Grid->ColWidths(1), 60);
}

// Every text here is refused whole: the grid keeps its columns, widths, order and cells.
TEST_F(TColumnStatesTest, HostileTextsLeaveTheGridAsItWas) {
  struct TCase {
    const char* Why;
    std::string Text;
  };
  const TCase cases[] = {
      {"count past 32 bits", "2147483648#64#0#1"},
      {"count of 2^31 - 1 past the load maximum", "2147483647#64#0#1"},
      {"negative count", "-1###"},
      {"count not a number", "x#64,64,64#0,1,2#1,1,1"},
      {"fewer widths than columns", "3#64,64#0,1,2#1,1,1"},
      {"more widths than columns", "3#64,64,64,64#0,1,2#1,1,1"},
      {"fewer flags than columns", "3#64,64,64#0,1,2#1,1"},
      {"order with a repeat (mended: looped for ever)", "3#64,64,64#0,1,1#1,1,1"},
      {"order too short", "3#64,64,64#0,1#1,1,1"},
      {"order with -1 (the Part skips it and then fails half-applied)", "3#64,64,64#0,-1,2#1,1,1"},
      {"order past the columns", "3#64,64,64#0,1,3#1,1,1"},
      {"bad width after good ones (mended: half-applied)", "3#64,x,64#2,1,0#1,1,1"},
      {"negative width", "3#64,-5,64#0,1,2#1,1,1"},
      {"width past the grid's extent", "3#64,99999,64#0,1,2#1,1,1"},
      {"flag neither 0 nor 1", "3#64,64,64#0,1,2#1,2,1"},
      {"three parts", "3#64,64,64#0,1,2"},
      {"five parts", "3#64,64,64#0,1,2#1,1,1#0"},
      {"a line of 100,000 separators", "100001#" + std::string(100000, ',') + "#0#1"},
  };
  Headed(*Grid);
  Grid->SetColWidths(1, 40);
  Grid->MoveColumn(0, 2); // b c a
  const std::string before = Grid->ColumnStatesToString();
  for (const TCase& c : cases) {
    EXPECT_THROW(Grid->StringToColumnStates(c.Text), EProGridError) << c.Why;
    EXPECT_EQ(Grid->ColumnStatesToString(), before) << c.Why;
    EXPECT_EQ(Row0(*Grid), "bca") << c.Why;
  }
}

class TColumnSizeStoreTest : public TColumnStatesTest {
protected:
  void SetUp() override {
    TColumnStatesTest::SetUp();
    Headed(*Grid);
    Grid->ColumnSize().SetLocation(clIniFile);
    Grid->ColumnSize().SetKey(Dir.File("cols.ini"));
    Grid->ColumnSize().SetSection("Grid");
  }
  TTempDir Dir;
};

TEST_F(TColumnSizeStoreTest, WidthsGoToColKeysAndComeBack) {
  Grid->SetColWidths(0, 21);
  Grid->SetColWidths(2, 23);
  Grid->SaveColSizes();
  EXPECT_NE(Dir.Read("cols.ini").find("Col2=23"), std::string::npos);
  Grid->SetColWidths(0, 64);
  Grid->SetColWidths(2, 64);
  Grid->LoadColSizes();
  EXPECT_EQ(Grid->ColWidths(0), 21);
  EXPECT_EQ(Grid->ColWidths(1), 64);
  EXPECT_EQ(Grid->ColWidths(2), 23);
}

TEST_F(TColumnSizeStoreTest, MissingKeysKeepWidthsAndLoadingWritesNothing) {
  Grid->SetColWidths(1, 33);
  Grid->LoadColSizes();
  EXPECT_EQ(Grid->ColWidths(1), 33);
  EXPECT_FALSE(Dir.Exists("cols.ini"));
}

TEST_F(TColumnSizeStoreTest, NoKeyOrSectionDoesNothing) {
  Grid->ColumnSize().SetSection("");
  Grid->SaveColSizes();
  Grid->MoveColumn(0, 1);
  Grid->SaveColPositions();
  EXPECT_FALSE(Dir.Exists("cols.ini"));
}

TEST_F(TColumnSizeStoreTest, PositionsBeforeAnyMoveWriteNoKey) {
  Grid->SaveColPositions();
  EXPECT_FALSE(Dir.Exists("cols.ini"));
}

TEST_F(TColumnSizeStoreTest, PositionsComeBackWithHiddenColumnsKept) {
  Grid->MoveColumn(0, 2); // b c a
  Grid->SaveColPositions();
  const std::vector<int> order = Grid->ColumnOrder();

  TGridOnForm other(false);
  Headed(*other.Grid);
  other.Grid->ColumnSize().Assign(&Grid->ColumnSize());
  other.Grid->HideColumn(0);
  other.Grid->LoadColPositions();
  EXPECT_EQ(other.Grid->ColumnOrder(), order);
  EXPECT_TRUE(other.Grid->IsHiddenColumn(0));
  other.Grid->UnHideColumnsAll();
  EXPECT_EQ(Row0(*other.Grid), "bca");
}

TEST_F(TColumnSizeStoreTest, PositionsWithoutPos0OrNoPermutationAreNotApplied) {
  struct TCase {
    const char* Why;
    std::vector<std::pair<const char*, int>> Keys;
  };
  const TCase cases[] = {
      {"Pos1 without Pos0", {{"Pos1", 0}, {"Pos2", 2}}},
      {"a repeat", {{"Pos0", 1}, {"Pos1", 1}, {"Pos2", 0}}},
      {"too few", {{"Pos0", 1}, {"Pos1", 0}}},
      {"past the columns", {{"Pos0", 1}, {"Pos1", 0}, {"Pos2", 7}}},
  };
  for (const TCase& c : cases) {
    {
      TMemIniFile ini(Dir.File("cols.ini"));
      ini.Clear();
      for (auto [key, value] : c.Keys)
        ini.WriteInteger("Grid", key, value);
      ASSERT_TRUE(ini.UpdateFile());
    }
    Grid->LoadColPositions();
    EXPECT_TRUE(Grid->ColumnOrder().empty()) << c.Why;
    EXPECT_EQ(Row0(*Grid), "abc") << c.Why;
  }
}

TEST_F(TColumnStatesTest, RegistryLocationIsAnIniFileBesideTheExecutable) {
  TTempDir dir;
  const std::string was = ProgramFolder();
  SetProgramFolder(dir.Path());
  Headed(*Grid);
  Grid->ColumnSize().SetLocation(clRegistry);
  Grid->ColumnSize().SetKey("Software\\Velmaric\\Grid");
  Grid->ColumnSize().SetSection("Cols");
  Grid->SetColWidths(1, 44);
  Grid->SaveColSizes();
  EXPECT_NE(dir.Read("Software.Velmaric.Grid.ini").find("Col1=44"), std::string::npos);
  for (const char* bad : {"..", "a:b", "Grid.", " Grid", "a*b"}) {
    Grid->ColumnSize().SetKey(bad);
    EXPECT_THROW(Grid->SaveColSizes(), EProGridError) << bad;
    EXPECT_THROW(Grid->LoadColSizes(), EProGridError) << bad;
  }
  SetProgramFolder(was);
  EXPECT_EQ(dir.Entries().size(), 1u);
}

TEST_F(TColumnStatesTest, SavedWidthsLoadWhenTheGridIsLoadedAndSaveWhenItGoes) {
  TTempDir dir;
  {
    TGridOnForm first(false);
    Headed(*first.Grid);
    first.Grid->ColumnSize().SetLocation(clIniFile);
    first.Grid->ColumnSize().SetKey(dir.File("w.ini"));
    first.Grid->ColumnSize().SetSection("S");
    first.Grid->ColumnSize().SetSave(true);
    first.Grid->SetColWidths(2, 77);
  }
  TGridOnForm second(false);
  Headed(*second.Grid);
  second.Grid->ColumnSize().SetLocation(clIniFile);
  second.Grid->ColumnSize().SetKey(dir.File("w.ini"));
  second.Grid->ColumnSize().SetSection("S");
  second.Grid->ColumnSize().SetSave(true);
  second.Grid->Loaded();
  EXPECT_EQ(second.Grid->ColWidths(2), 77);
}

TEST_F(TColumnStatesTest, MaxColumnTextLengthCountsCharactersOfTheLongestLine) {
  struct TCase {
    const char* Why;
    std::vector<std::string> Texts;
    bool Multiline;
    int Expected;
  };
  const TCase cases[] = {
      {"empty column", {"", ""}, false, 0},
      {"longest cell", {"ab", "abcd", "a"}, false, 4},
      {"characters, not bytes", {"\xC3\xA9\xC3\xA9\xC3\xA9", "ab"}, false, 3},
      {"first line only", {"ab\r\nabcdef"}, false, 2},
      {"every line with multi-line cells", {"ab\r\nabcdef\r\nx"}, true, 6},
  };
  for (const TCase& c : cases) {
    Grid->SetColCount(2);
    Grid->SetRowCount(static_cast<int>(c.Texts.size()));
    Grid->SetFixedRows(0);
    Grid->SetMultilineCells(c.Multiline);
    for (int r = 0; r < static_cast<int>(c.Texts.size()); ++r)
      Grid->SetCells(1, r, c.Texts[static_cast<size_t>(r)]);
    EXPECT_EQ(Grid->MaxColumnTextLength(1), c.Expected) << c.Why;
  }
}

using TColumnGridPositionsTest = TProGridTest<TProColumnGrid, false>;

TEST_F(TColumnGridPositionsTest, IniFileStoreTakesTheColumnGridsOwnKeys) {
  TTempDir dir;
  Grid->SetColCount(3);
  Grid->ColumnSize().SetLocation(clIniFile);
  Grid->ColumnSize().SetKey(dir.File("cp.ini"));
  Grid->ColumnSize().SetSection("G");
  Grid->SaveColPositions();
  const std::string text = dir.Read("cp.ini");
  EXPECT_NE(text.find("CP0="), std::string::npos);
  EXPECT_EQ(text.find("Pos0="), std::string::npos);
}

} // namespace
