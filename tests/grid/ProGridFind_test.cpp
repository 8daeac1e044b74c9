// Find, FindNext, Replace and the prefix search over the string grid's cells.
#include "ProGridFixture.h"
#include "platform/Collate.h"

#include <gtest/gtest.h>

namespace {

class ProGridFindTest : public TProGridTest<> {
protected:
  void SetUp() override {
    TProGridTest<>::SetUp();
    SetCollationLocale("en_US");
    Grid->SetColCount(4);
    Grid->SetRowCount(5);
  }
  void TearDown() override {
    SetCollationLocale("");
    TProGridTest<>::TearDown();
  }
  void Fill(const std::vector<std::vector<std::string>>& Rows) {
    for (int r = 0; r < static_cast<int>(Rows.size()); ++r)
      for (int c = 0; c < static_cast<int>(Rows[r].size()); ++c)
        Grid->SetCells(c + 1, r + 1, Rows[r][c]);
  }
};

struct TFindCase {
  const char* Name;
  std::string Text;
  TFindParams Params;
  TPoint Expected;
};

TEST_F(ProGridFindTest, OptionsChooseTheMatch) {
  Fill({{"xab", "AB", "abc"}, {"", "<b>q</b>z", "7"}});
  const TFindCase cases[] = {
      {"default finds the first cell holding the text in any case", "ab", 0, {1, 1}},
      {"match start", "ab", fnMatchStart, {2, 1}},
      {"match case", "ab", fnMatchCase, {1, 1}},
      {"match full", "ab", fnMatchFull, {2, 1}},
      {"case and start", "ab", fnMatchCase | fnMatchStart, {3, 1}},
      {"two quotes find the first empty cell", "\"\"", 0, {1, 2}},
      {"an empty text finds nothing", "", 0, {-1, -1}},
      {"tags hide the text", "qz", 0, {-1, -1}},
      {"tags removed", "qz", fnIgnoreHTMLTags | fnMatchFull, {2, 2}},
      {"a condition", "7|9", fnMatchRegular, {3, 2}},
      {"backward starts at the last cell", "b", fnBackward, {3, 1}},
      {"row by row", "b", fnDirectionLeftRight, {1, 1}},
      {"fixed cells left out", "", fnIncludeFixed, {-1, -1}},
  };
  for (const TFindCase& c : cases) {
    const TPoint p = Grid->Find({-1, -1}, c.Text, c.Params);
    EXPECT_EQ(p.X, c.Expected.X) << c.Name;
    EXPECT_EQ(p.Y, c.Expected.Y) << c.Name;
  }
}

TEST_F(ProGridFindTest, FindNextStepsThroughTheMatchesWithoutWrapping) {
  Fill({{"a", "", "a"}, {"", "a", ""}});
  struct TOrder {
    TFindParams Params;
    std::vector<TPoint> Expected;
  } orders[] = {
      {0, {{1, 1}, {2, 2}, {3, 1}}},
      {fnDirectionLeftRight, {{1, 1}, {3, 1}, {2, 2}}},
      {fnBackward, {{3, 1}, {2, 2}, {1, 1}}},
      {fnBackward | fnDirectionLeftRight, {{2, 2}, {3, 1}, {1, 1}}},
  };
  for (const TOrder& o : orders) {
    TPoint p = Grid->FindFirst("A", o.Params);
    for (const TPoint& e : o.Expected) {
      EXPECT_EQ(p.X, e.X) << o.Params;
      EXPECT_EQ(p.Y, e.Y) << o.Params;
      p = Grid->FindNext();
    }
    EXPECT_EQ(p.X, -1) << "no wrap for " << o.Params;
    EXPECT_FALSE(Grid->FindBusy());
  }
}

TEST_F(ProGridFindTest, IgnoredColumnsAreSkippedOnlyRowByRow) {
  Fill({{"x", "x", "x"}});
  Grid->IgnoreColumns().insert(1);
  EXPECT_EQ(Grid->Find({-1, -1}, "x", fnDirectionLeftRight).X, 2);
  EXPECT_EQ(Grid->Find({-1, -1}, "x", 0).X, 1);
}

TEST_F(ProGridFindTest, LimitsToTheCurrentOrPresetLine) {
  Fill({{"q", "", ""}, {"", "q", "q"}, {"q", "", ""}});
  Grid->MoveCurrentCell(3, 2);
  EXPECT_EQ(Grid->FindFirst("q", fnFindInCurrentRow).X, 2);
  EXPECT_EQ(Grid->FindNext().X, 3);
  EXPECT_EQ(Grid->FindNext().X, -1) << "the limited row is not searched again";
  Grid->SetFindCol(1);
  const TPoint p = Grid->Find({-1, -1}, "q", fnFindInPresetCol | fnBackward);
  EXPECT_EQ(p.X, 1);
  EXPECT_EQ(p.Y, 3);
}

TEST_F(ProGridFindTest, ReplaceChangesEveryMatchingCell) {
  struct TReplaceCase {
    const char* Name;
    std::string From, To;
    TFindParams Params;
    std::vector<std::string> Cells, Expected;
    int Count;
  } cases[] = {
      {"without case every variant", "a", "b", 0, {"Aaa", "xyz"}, {"bbb", "xyz"}, 1},
      // Mended: the case counts when asked for.
      {"with case only the same letters", "a", "b", fnMatchCase, {"Aaa", "AAA"}, {"Abb", "AAA"}, 1},
      {"with case a capital", "A", "b", fnMatchCase, {"aaa", "xAx"}, {"aaa", "xbx"}, 1},
      {"longer replacement", "a", "aa", 0, {"a", "ba"}, {"aa", "baa"}, 2},
      {"non-ASCII without case", "ä", "o", 0, {"xÄ", "ä"}, {"xo", "o"}, 2},
  };
  for (const TReplaceCase& c : cases) {
    for (int r = 1; r < Grid->RowCount(); ++r)
      for (int col = 1; col < Grid->ColCount(); ++col)
        Grid->SetCells(col, r, "");
    for (int i = 0; i < static_cast<int>(c.Cells.size()); ++i)
      Grid->SetCells(1, i + 1, c.Cells[i]);
    EXPECT_EQ(Grid->Replace(c.From, c.To, c.Params), c.Count) << c.Name;
    for (int i = 0; i < static_cast<int>(c.Expected.size()); ++i)
      EXPECT_EQ(Grid->Cells(1, i + 1), c.Expected[i]) << c.Name;
  }
}

TEST_F(ProGridFindTest, ReplaceMarksRowsModified) {
  Grid->ShowModified().SetEnabled(true);
  Fill({{"k"}, {"z"}});
  EXPECT_EQ(Grid->Replace("k", "m", 0), 1);
  EXPECT_TRUE(Grid->RowModified(1));
  EXPECT_FALSE(Grid->RowModified(2));
}

TEST_F(ProGridFindTest, AutoGotoMakesTheCellCurrent) {
  Fill({{"", ""}, {"", "", "hit"}});
  const TPoint p = Grid->Find({-1, -1}, "hit", fnAutoGoto);
  EXPECT_EQ(p.X, 3);
  EXPECT_EQ(Grid->Col(), 3);
  EXPECT_EQ(Grid->Row(), 2);
}

TEST_F(ProGridFindTest, AHiddenMatchInACollapsedNodeOpensIt) {
  Grid->SetRowCount(7);
  Fill({{"head"}, {"one"}, {"two"}, {"three"}, {"tail"}});
  Grid->AddNode(1, 4);
  Grid->ContractNode(1);
  ASSERT_EQ(Grid->RowCount(), 4);
  const TPoint p = Grid->Find({-1, -1}, "three", fnAutoGoto | fnIncludeHiddenRows);
  EXPECT_EQ(p.Y, 4) << "the real row";
  EXPECT_EQ(Grid->RowCount(), 7) << "the node opened";
  EXPECT_EQ(Grid->Row(), 4);
  EXPECT_EQ(Grid->Cells(1, Grid->Row()), "three");
}

TEST_F(ProGridFindTest, HiddenRowsAndColumnsAreSearchedOnlyWhenAsked) {
  Fill({{"a"},
        {
            "b",
            "",
            "",
        },
        {"c"}});
  Grid->SetCells(2, 3, "deep");
  Grid->HideRow(3);
  EXPECT_EQ(Grid->Find({-1, -1}, "deep", 0).X, -1);
  const TPoint p = Grid->Find({-1, -1}, "deep", fnIncludeHiddenRows);
  EXPECT_EQ(p.X, 2);
  EXPECT_EQ(p.Y, 3);
  Grid->UnHideRowsAll();
  Grid->HideColumn(2);
  EXPECT_EQ(Grid->Find({-1, -1}, "deep", 0).X, -1);
  EXPECT_EQ(Grid->Find({-1, -1}, "deep", fnIncludeHiddenColumns).Y, 3);
}

TEST_F(ProGridFindTest, SearchFindsTheFirstRowStartingWithTheText) {
  Fill({{"Beta"}, {"<b>al</b>pha"}, {"Alps"}});
  EXPECT_EQ(Grid->Search("AL"), 2) << "tags are not part of the text";
  EXPECT_EQ(Grid->Search("ALPS"), 3);
  EXPECT_EQ(Grid->Search("Z"), -1);
  Grid->SortSettings().SetShow(true);
  Grid->SortSettings().SetColumn(2);
  Grid->SetCells(2, 4, "zulu");
  EXPECT_EQ(Grid->Search("Z"), 4) << "the sorted column is the key";
  Grid->SortSettings().SetColumn(-1);
  EXPECT_EQ(Grid->Search("A"), -1);
  Grid->SetRowCount(1);
  EXPECT_EQ(Grid->Search(""), -1);
}

} // namespace
