#include "grid/ProCGrid.h"
#include "grid/ProGrid.h"

#include "ProGridFixture.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

class ProGridGroupTest : public TProGridTest<> {
protected:
  // Rows of (column 1, column 2, column 3) below one fixed row.
  void Load(const std::vector<std::vector<std::string>>& Rows) {
    Grid->SetColCount(4);
    Grid->SetRowCount(static_cast<int>(Rows.size()) + 1);
    Grid->SetCells(1, 0, "one");
    Grid->SetCells(2, 0, "two");
    Grid->SetCells(3, 0, "three");
    for (int i = 0; i < static_cast<int>(Rows.size()); ++i)
      for (int c = 0; c < 3; ++c)
        Grid->SetCells(c + 1, i + 1, Rows[i][c]);
  }
  std::vector<std::string> Snapshot() const {
    std::vector<std::string> out;
    for (int r = 0; r < Grid->RowCount(); ++r) {
      std::string row;
      for (int c = 0; c < Grid->ColCount(); ++c)
        row += Grid->Cells(c, r) + "|";
      out.push_back(row);
    }
    return out;
  }
  using V = std::vector<std::string>;
};

} // namespace

TEST_F(ProGridGroupTest, GroupBuildsHeadersAndUnGroupGivesTheGridBack) {
  Load({{"1", "A", "x"}, {"2", "A", "y"}, {"3", "B", "x"}, {"4", "C", "x"}, {"5", "C", "y"}});
  Grid->SetColWidths(2, 77);
  const V flat = Snapshot();
  Grid->Group(2);
  EXPECT_EQ(Grid->GroupColumn(), 2);
  ASSERT_EQ(Grid->RowCount(), 9);
  EXPECT_TRUE(Grid->IsNode(1));
  EXPECT_EQ(Grid->GetNodeSpan(1), 3);
  EXPECT_EQ(Grid->Cells(1, 1), "A");
  EXPECT_EQ(Grid->Cells(1, 4), "B");
  EXPECT_EQ(Grid->GetNodeSpan(6), 3);
  EXPECT_EQ(Grid->ColCount(), 3) << "the group column is gone";
  EXPECT_EQ(Grid->Cells(2, 2), "x");

  Grid->UnGroup();
  EXPECT_EQ(Grid->GroupColumn(), -1);
  EXPECT_EQ(Snapshot(), flat);
  EXPECT_EQ(Grid->ColWidths(2), 77);
  EXPECT_EQ(Grid->NodeCount(), 0);
}

TEST_F(ProGridGroupTest, SubGroupThenUnGroupLosesNothing) {
  Grid->SortSettings().SetAutoSortForGrouping(false);
  Load({{"A", "p", "1"}, {"A", "p", "2"}, {"A", "q", "3"}, {"B", "q", "4"}});
  const V flat = Snapshot();
  Grid->Group(1);
  Grid->SubGroup(1); // column 1 now holds what column 2 held
  EXPECT_TRUE(Grid->SubGrouped());
  Grid->UnGroup(); // mended: the sub-group goes first
  EXPECT_FALSE(Grid->SubGrouped());
  EXPECT_EQ(Grid->GroupColumn(), 1);
  Grid->UnGroup();
  EXPECT_EQ(Snapshot(), flat);
}

TEST_F(ProGridGroupTest, SummaryRowsTakeTheGroupFigures) {
  Grid->Grouping().SetSummary(true);
  Load({{"1", "A", "10"}, {"2", "A", "20"}, {"3", "B", "5"}});
  Grid->Group(2);
  // header A, 2 rows, summary, header B, 1 row, summary
  ASSERT_EQ(Grid->RowCount(), 8);
  EXPECT_TRUE(Grid->IsSummary(4));
  Grid->GroupSum(2);
  EXPECT_DOUBLE_EQ(Grid->Floats(2, 4), 30);
  EXPECT_DOUBLE_EQ(Grid->Floats(2, 7), 5);
  EXPECT_DOUBLE_EQ(Grid->ColumnSum(2, -1, -1), 35) << "header and summary rows are not data";
  Grid->GroupCount(2);
  EXPECT_EQ(Grid->Cells(2, 4), "2");
}

TEST_F(ProGridGroupTest, GroupCalcOverASpanZeroNodeEnds) {
  Load({{"h", "", ""}, {"1", "2", ""}, {"1", "3", ""}, {"h2", "", ""}, {"1", "4", ""}});
  Grid->AddNode(1, 0); // mended: "up to the next node" no longer loops
  Grid->AddNode(4, -1);
  Grid->GroupCalc(2, 1);
  EXPECT_DOUBLE_EQ(Grid->Floats(2, 1), 5);
}

TEST_F(ProGridGroupTest, CalculationCases) {
  Load({{"", "1", ""}, {"", "2", ""}, {"", "x", ""}, {"", "", ""}});
  EXPECT_DOUBLE_EQ(Grid->ColumnSum(2, 1, 4), 3);
  EXPECT_DOUBLE_EQ(Grid->ColumnAvg(2, 1, 4), 0.75);
  EXPECT_DOUBLE_EQ(Grid->ColumnMin(2, 1, 4), 0);
  EXPECT_DOUBLE_EQ(Grid->ColumnMax(2, 1, 4), 2);
  EXPECT_DOUBLE_EQ(Grid->ColumnDistinct(2, 1, 4), 4);
  // Mended: a text first cell and a text inside the deviation range are skipped.
  EXPECT_DOUBLE_EQ(Grid->ColumnMin(2, 3, 4), 0);
  EXPECT_DOUBLE_EQ(Grid->ColumnMax(2, 3, 3), 0);
  EXPECT_NO_THROW(Grid->ColumnStdDev(2, 1, 4));
  // Mended: empty ranges give 0.
  EXPECT_DOUBLE_EQ(Grid->ColumnAvg(2, 4, 3), 0);
  EXPECT_DOUBLE_EQ(Grid->ColumnStdDev(2, 4, 3), 0);
  EXPECT_DOUBLE_EQ(Grid->RowAvg(1, 3, 2), 0);

  Grid->SetRowCount(9);
  int r = 1;
  for (const char* v : {"2", "4", "4", "4", "5", "5", "7", "9"})
    Grid->SetCells(3, r++, v);
  EXPECT_DOUBLE_EQ(Grid->ColumnStdDev(3, 1, 8), 2);
  Grid->SetCells(3, 4, "text");
  const std::vector<double> kept{2, 4, 4, 5, 5, 7, 9};
  double mean = 0, sq = 0;
  for (double v : kept)
    mean += v / kept.size();
  for (double v : kept)
    sq += (v - mean) * (v - mean);
  EXPECT_NEAR(Grid->ColumnStdDev(3, 1, 8), std::sqrt(sq / kept.size()), 1e-9) << "the text cell is left out";

  Grid->SetCells(1, 2, "a");
  Grid->SetCells(2, 2, "7");
  Grid->SetCells(3, 2, "-1");
  EXPECT_DOUBLE_EQ(Grid->RowSum(2, 1, 3), 6);
  EXPECT_DOUBLE_EQ(Grid->RowMin(2, 1, 3), -1);
  EXPECT_DOUBLE_EQ(Grid->RowMax(2, 1, 3), 7);
  Grid->OnColumnCalc = [](TObject*, int, int, int, double& Res) { Res = 42; };
  EXPECT_DOUBLE_EQ(Grid->ColumnCustomCalc(1, -1, -1), 42);
}

namespace {
class ProCGridGroupTest : public TProGridTest<TProColumnGrid> {};
} // namespace

TEST_F(ProCGridGroupTest, TheGroupedColumnKeepsItsItem) {
  Grid->SetColCount(4);
  Grid->SetRowCount(4);
  Grid->Columns().Items(2)->SetHeader("kind");
  Grid->Columns().Items(3)->SetHeader("last");
  for (int r = 1; r < 4; ++r)
    Grid->SetCells(2, r, r < 3 ? "A" : "B");
  Grid->Group(2);
  EXPECT_EQ(Grid->Columns().Count(), 3);
  EXPECT_EQ(Grid->Columns().Items(2)->Header(), "last");
  Grid->UnGroup();
  ASSERT_EQ(Grid->Columns().Count(), 4);
  EXPECT_EQ(Grid->Columns().Items(2)->Header(), "kind");
  EXPECT_EQ(Grid->Columns().Items(3)->Header(), "last");
}
