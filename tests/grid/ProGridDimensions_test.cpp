#include "grid/ProGrid.h"

#include "ProGridFixture.h"
#include "platform/ui/Forms.h"

#include <gtest/gtest.h>

namespace {

class ProGridDimensionsTest : public TProGridTest<TProStringGrid, false> {
protected:
  // A fixed-last-row footer under rows 1 .. 8 holding 1 .. 8 in column 1.
  void Footer(TColumnCalcType type) {
    Grid->FloatingFooter().SetVisible(true);
    for (int r = 1; r < Grid->RowCount() - 1; ++r)
      Grid->SetInts(1, r, r);
    Grid->CellProperties(1, Grid->RowCount() - 1)->SetCalcType(type);
  }
};

} // namespace

TEST_F(ProGridDimensionsTest, FooterCalculations) {
  struct Case {
    TColumnCalcType type;
    const char* want;
  } cases[] = {{acSUM, "36.00"}, {acAVG, "4.50"},    {acCOUNT, "8"},       {acMIN, "1.00"},
               {acMAX, "8.00"},  {acSTDDEV, "2.29"}, {acDISTINCT, "8.00"}, {acSPREAD, ""}};
  for (const Case& c : cases) {
    Footer(c.type);
    Grid->SetCells(1, 9, "");
    Grid->CalcFooter(-1);
    EXPECT_EQ(Grid->Cells(1, 9), c.want) << EnumName(c.type);
  }
  // Hidden rows count with CalculateHiddenRows.
  Footer(acCOUNT);
  Grid->HideRow(2);
  Grid->CalcFooter(1);
  EXPECT_EQ(Grid->Cells(1, 8), "8");
  Grid->FloatingFooter().SetCalculateHiddenRows(false);
  Grid->CalcFooter(1);
  EXPECT_EQ(Grid->Cells(1, 8), "7");
}

TEST_F(ProGridDimensionsTest, NoFooterCalculationWithoutAFixedLastRowFooter) {
  Footer(acSUM);
  Grid->FloatingFooter().SetFooterStyle(fsColumnPreview);
  Grid->CalcFooter(-1);
  EXPECT_EQ(Grid->Cells(1, 9), "");
}

// Mended: an average or deviation over no rows shows 0 rather than dividing by zero.
TEST_F(ProGridDimensionsTest, AverageAndDeviationOverNoRowsShowZero) {
  for (TColumnCalcType type : {acAVG, acSTDDEV}) {
    Grid->SetRowCount(2);
    Grid->FloatingFooter().SetVisible(true);
    Grid->CellProperties(1, 1)->SetCalcType(type);
    Grid->CalcFooter(-1);
    EXPECT_EQ(Grid->Cells(1, 1), "0.00") << EnumName(type);
  }
  EXPECT_EQ(Grid->ColumnAvg(1, 5, 4), 0);
  EXPECT_EQ(Grid->ColumnStdDev(1, 5, 4), 0);
}

// Mended: the footer row is taken before the count changes, so it survives a shrinking grid and a
// count of 0 moves nothing.
TEST_F(ProGridDimensionsTest, FooterRowStaysLastWhenTheCountChanges) {
  Footer(acSUM);
  Grid->CalcFooter(-1);
  Grid->SetCells(2, 9, "label");
  Grid->SetRowCount(12);
  EXPECT_EQ(Grid->Cells(2, 11), "label");
  EXPECT_EQ(Grid->Cells(2, 9), "") << "the old footer row is empty";
  EXPECT_EQ(Grid->Cells(1, 11), "36.00");
  Grid->SetRowCount(5);
  EXPECT_EQ(Grid->Cells(2, 4), "label");
  EXPECT_EQ(Grid->Cells(1, 4), "6.00") << "recalculated over rows 1 .. 3";
  Grid->SetRowCount(0);
  EXPECT_EQ(Grid->RowCount(), 0);
  Grid->SetRowCount(3);
  EXPECT_EQ(Grid->Cells(2, 2), "");
}

TEST_F(ProGridDimensionsTest, FixedRowAlwaysRestoresTheFixedRows) {
  Grid->SetFixedRowAlways(true);
  Grid->SetRowCount(1);
  Grid->SetFixedRows(1);
  // The base grid keeps no fixed row on a one-row grid, but the grid reports the one it keeps.
  EXPECT_EQ(static_cast<const TGridCore*>(Grid)->TGridCore::FixedRows(), 0);
  EXPECT_EQ(Grid->FixedRows(), 1);
  Grid->SetRowCount(5);
  EXPECT_EQ(Grid->FixedRows(), 1);
  EXPECT_EQ(Grid->MaxRowCount(), 10);
  Grid->AppendRow();
  EXPECT_EQ(Grid->RowCount(), 6);
}

TEST_F(ProGridDimensionsTest, FixedSizes) {
  Grid->SetColWidths(0, 50);
  Grid->SetFixedColWidth(Grid->DefaultColWidth());
  EXPECT_EQ(Grid->FixedColWidth(), 50) << "the default width changes nothing";
  Grid->SetFixedColWidth(40);
  EXPECT_EQ(Grid->FixedColWidth(), 40);
  Grid->SetRowHeights(4, 30);
  Grid->SetFixedRowHeight(30);
  EXPECT_EQ(Grid->FixedRowHeight(), 30);
  Grid->SetFixedRowHeight(Grid->DefaultRowHeight());
  EXPECT_EQ(Grid->RowHeights(4), 22) << "every row takes the default";
  EXPECT_EQ(Grid->FixedRowHeight(), 22);
}

// Out-of-range indexes: the accessors answer nothing and change no cell.
TEST_F(ProGridDimensionsTest, OutOfRangeIndexesChangeNothing) {
  Grid->SetCells(1, 1, "keep");
  for (int c : {-1, -100, 5, 1000})
    for (int r : {-1, 10, 100000}) {
      Grid->SetAllCells(c, r, "x");
      Grid->SetCells(c, r, "x");
      EXPECT_EQ(Grid->AllCells(c, r), "");
      EXPECT_EQ(Grid->Ints(c, r), 0);
      Grid->SetInts(c, r, 3);
      Grid->SetFloats(c, r, 3);
      EXPECT_EQ(Grid->AllColWidths(c), c >= 0 && c < 5 ? 64 : 0);
    }
  Grid->HideRows(-5, -1);
  Grid->HideRows(50, 60);
  Grid->UnHideRows(-3, 4);
  Grid->HideColumns(-4, -1);
  Grid->UnHideColumns(7, 9);
  EXPECT_EQ(Grid->UsedCells(), (TGridRect{1, 1, 1, 1}));
  EXPECT_EQ(Grid->RowCount(), 10);
  EXPECT_EQ(Grid->ColCount(), 5);
}

// Changing the column count while columns are hidden keeps every cell of the columns that stay,
// hidden ones included, and new columns behind hidden ones take text.
TEST_F(ProGridDimensionsTest, ColumnCountWithHiddenColumnsLosesNoCell) {
  struct Case {
    std::vector<int> hide; // real columns
    int newCount;
    std::vector<std::string> displayed;       // row 1 of each displayed column
    std::vector<std::string> hiddenAfterShow; // row 1 of every real column after showing all
  } cases[] = {
      {{1}, 3, {"c0", "c2", "c3"}, {"c0", "c1", "c2", "c3"}},
      // The hidden last column is renumbered behind the cut instead of being dropped.
      {{5}, 2, {"c0", "c1"}, {"c0", "c1", "c5"}},
      {{0, 4}, 1, {"c1"}, {"c0", "c1", "c4"}},
      {{2, 3}, 0, {}, {"c2", "c3"}},
      // Growing behind hidden columns: the new columns hold text.
      {{1, 2}, 6, {"c0", "c3", "c4", "c5", "n", "n"}, {"c0", "c1", "c2", "c3", "c4", "c5", "n", "n"}},
  };
  for (const Case& c : cases) {
    Grid->UnHideColumnsAll();
    Grid->SetColCount(6);
    Grid->SetFixedCols(0);
    for (int col = 0; col < 6; ++col)
      Grid->SetCells(col, 1, "c" + std::to_string(col));
    Grid->HideRow(2); // a hidden row's cells follow the columns too
    for (int h : c.hide)
      Grid->HideColumn(h);
    Grid->SetColCount(c.newCount);
    EXPECT_EQ(Grid->NumHiddenColumns(), static_cast<int>(c.hide.size()));
    EXPECT_EQ(Grid->TotalColCount(), c.newCount + static_cast<int>(c.hide.size()));
    for (int d = 0; d < Grid->ColCount(); ++d) {
      const int real = Grid->RealColIndex(d);
      if (d < static_cast<int>(c.displayed.size()) && c.displayed[d] == "n") Grid->SetCells(real, 1, "n");
      EXPECT_EQ(Grid->Cells(real, 1), c.displayed[d]) << c.newCount << " display " << d;
    }
    Grid->UnHideColumnsAll();
    Grid->UnHideRowsAll();
    ASSERT_EQ(Grid->ColCount(), static_cast<int>(c.hiddenAfterShow.size())) << c.newCount;
    for (int col = 0; col < Grid->ColCount(); ++col)
      EXPECT_EQ(Grid->Cells(col, 1), c.hiddenAfterShow[col]) << c.newCount << " col " << col;
  }
}

// Changing the row count while rows are hidden keeps the hidden rows, in order, and their cells.
TEST_F(ProGridDimensionsTest, RowCountWithHiddenRowsLosesNoRow) {
  struct Case {
    std::vector<int> hide; // display rows, hidden one by one from the last
    int newCount;
    std::vector<std::string> afterShow; // column 1 of every row after showing all
  } cases[] = {
      {{8}, 5, {"r0", "r1", "r2", "r3", "r4", "r8"}},
      {{9, 8}, 5, {"r0", "r1", "r2", "r3", "r4", "r8", "r9"}},
      {{6, 2}, 4, {"r0", "r1", "r2", "r3", "r4", "r6"}},
      {{3}, 0, {"r3"}},
      {{9, 8}, 10, {"r0", "r1", "r2", "r3", "r4", "r5", "r6", "r7", "r8", "r9", "", ""}},
  };
  for (const Case& c : cases) {
    Grid->UnHideRowsAll();
    Grid->SetRowCount(10);
    for (int r = 0; r < 10; ++r)
      Grid->SetCells(1, r, "r" + std::to_string(r));
    for (int h : c.hide)
      Grid->HideRow(h);
    Grid->SetRowCount(c.newCount);
    EXPECT_EQ(Grid->NumHiddenRows(), static_cast<int>(c.hide.size())) << c.newCount;
    Grid->UnHideRowsAll();
    ASSERT_EQ(Grid->RowCount(), static_cast<int>(c.afterShow.size())) << c.newCount;
    for (int r = 0; r < Grid->RowCount(); ++r)
      EXPECT_EQ(Grid->Cells(1, r), c.afterShow[r]) << c.newCount << " row " << r;
  }
}
