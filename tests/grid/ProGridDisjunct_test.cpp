#include "ProGridFixture.h"

#include <gtest/gtest.h>

namespace {

using ProGridDisjunct = TProGridTest<>;

TEST_F(ProGridDisjunct, PickedCellsKeepTheirCoordinatesExactly) {
  Grid->MouseActions().SetDisjunctCellSelect(true);
  Grid->SetColCount(70);
  Grid->SetRowCount(70010);
  Grid->SetSelectedCells(65, 70000, true);
  Grid->SetSelectedCells(3, 65536, true);
  Grid->SetSelectedCells(65, 70000, true);
  EXPECT_EQ(Grid->SelectedCellsCount(), 2) << "a cell is listed once";
  EXPECT_EQ(Grid->SelectedCell(0), (TGridCoord{65, 70000}));
  EXPECT_EQ(Grid->SelectedCell(1), (TGridCoord{3, 65536}));
  EXPECT_TRUE(Grid->SelectedCells(65, 70000));
  EXPECT_FALSE(Grid->SelectedCells(65, 70000 - 65536)) << "no wrapping past 16 bits";
  Grid->SetSelectedCells(1, 1, false);
  EXPECT_EQ(Grid->SelectedCellsCount(), 2) << "removing an unlisted cell does nothing";
  EXPECT_EQ(Grid->SelectedCell(2), (TGridCoord{-1, -1}));
}

TEST_F(ProGridDisjunct, WithoutPickingTheRectangleIsListedColumnByColumn) {
  Grid->SetSelectedCells(4, 4, true);
  Grid->SelectCells(1, 2, 3, 3);
  EXPECT_EQ(Grid->SelectedCellsCount(), 6) << "the list is rebuilt from the rectangle";
  EXPECT_EQ(Grid->SelectedCell(0), (TGridCoord{1, 2}));
  EXPECT_EQ(Grid->SelectedCell(1), (TGridCoord{1, 3}));
  EXPECT_EQ(Grid->SelectedCell(2), (TGridCoord{2, 2}));
}

TEST_F(ProGridDisjunct, RowAndColumnSpans) {
  Grid->SetRowCount(10);
  Grid->SetFixedFooters(2);
  Grid->SelectCells(1, 5, 2, 9);
  EXPECT_EQ(Grid->SelectedRowCount(), 3) << "footer rows never count";
  EXPECT_EQ(Grid->SelectedRow(0), 5);
  EXPECT_EQ(Grid->SelectedRow(5), -1);

  Grid->MergeCells(2, 2, 3, 3);
  Grid->SelectCells(2, 2, 2, 2);
  EXPECT_EQ(Grid->SelectedRowCount(), 3) << "a merged cell of span 2 counts 3";
  EXPECT_EQ(Grid->SelectedColCount(), 3);

  Grid->MouseActions().SetDisjunctRowSelect(true);
  Grid->SetRowSelect(4, true);
  EXPECT_EQ(Grid->SelectedRowCount(), 1);
  EXPECT_EQ(Grid->SelectedRow(0), 4);
  EXPECT_EQ(Grid->SelectedRow(1), -1);
}

TEST_F(ProGridDisjunct, ShiftArrowPicksTheRangeAndSpaceTogglesWithCtrl) {
  Grid->MouseActions().SetDisjunctCellSelect(true);
  Grid->SetFocus();
  Grid->MoveCurrentCell(1, 1);
  Headless::PressKey(*Grid, VK_RIGHT, ssShift);
  EXPECT_TRUE(Grid->SelectedCells(1, 1));
  EXPECT_FALSE(Grid->SelectedCells(2, 1)) << "the current cell stays out";
  Grid->MoveCurrentCell(3, 3);
  Headless::PressKey(*Grid, VK_SPACE, ssCtrl);
  EXPECT_TRUE(Grid->SelectedCells(3, 3));
  Headless::PressKey(*Grid, VK_SPACE, ssCtrl);
  EXPECT_FALSE(Grid->SelectedCells(3, 3));
  Headless::PressKey(*Grid, VK_SPACE);
  EXPECT_EQ(Grid->SelectedCellsCount(), 1) << "Space alone starts the list anew";
}

TEST_F(ProGridDisjunct, AllColWidthsReachEveryRealColumn) {
  Grid->SetColCount(620);
  Grid->HideColumn(600);
  Grid->SetAllColWidths(600, 40000);
  EXPECT_EQ(Grid->AllColWidths(600), 40000);
  EXPECT_EQ(Grid->AllColWidths(5000), 0) << "outside reads 0";
  Grid->SetAllColWidths(5000, 10);
  EXPECT_EQ(Grid->AllColWidths(5000), 0) << "outside writes are ignored";
  EXPECT_EQ(Grid->AllColWidths(601), Grid->ColWidths(600)) << "the next column shows at 600";
}

TEST_F(ProGridDisjunct, ColumnOrder) {
  Grid->SetColCount(3);
  Grid->SetFixedCols(0);
  EXPECT_EQ(Grid->ColumnPosition(2), 2) << "no order recorded";
  EXPECT_EQ(Grid->ColumnAtPosition(2), 2);
  EXPECT_FALSE(Grid->ColumnOrder().empty()) << "asking for a place records the order";
  for (int c = 0; c < 3; ++c)
    Grid->SetCells(c, 0, std::string(1, static_cast<char>('A' + c)));
  Grid->MoveColumn(0, 2);
  EXPECT_EQ(Grid->ColumnPosition(0), 2);
  EXPECT_EQ(Grid->OriginalCells(0, 0), "A");
  Grid->ResetColumnOrder();
  EXPECT_EQ(Grid->Cells(0, 0), "A");
  EXPECT_EQ(Grid->Cells(2, 0), "C");
  EXPECT_EQ(Grid->ColumnByHeader("B"), 1);
  EXPECT_EQ(Grid->ColumnByHeader("b"), -1);
}

TEST_F(ProGridDisjunct, AnOrderThatIsNoPermutationEndsAndMovesNothing) {
  Grid->SetColCount(4);
  for (int c = 0; c < 4; ++c)
    Grid->SetCells(c, 0, std::to_string(c));
  Grid->SetColumnOrder();
  Grid->MoveColumn(1, 3);
  Grid->MoveColumn(1, 3); // now 0 3 1 2 ... with the order recorded
  Grid->HideColumn(2);
  // A stored layout with a duplicate and an entry out of range.
  Grid->LoadColumnOrder({0, 2, 2, 9});
  const std::vector<std::string> before{Grid->Cells(0, 0), Grid->Cells(1, 0), Grid->Cells(2, 0)};
  Grid->ResetColumnOrder();
  EXPECT_EQ(Grid->NumHiddenColumns(), 0) << "hidden columns are shown";
  EXPECT_EQ(Grid->ColCount(), 4);
  EXPECT_EQ(Grid->Cells(0, 0), before[0]);
  EXPECT_EQ(Grid->Cells(1, 0), before[1]);
}

} // namespace
