#include "grid/ProCGrid.h"
#include "grid/ProGrid.h"

#include "ProGridFixture.h"
#include "platform/ui/StdCtrls.h"

#include <gtest/gtest.h>

namespace {

// A 4 x 10 grid whose column 1 holds each row's starting index, so a row is known wherever it went.
class ProGridStructureTest : public TProGridTest<> {
protected:
  void SetUp() override {
    TProGridTest::SetUp();
    Grid->SetColCount(4);
    for (int r = 0; r < Grid->RowCount(); ++r)
      for (int c = 0; c < Grid->TotalColCount(); ++c)
        Grid->SetCells(c, r, c == 1 ? std::to_string(r) : std::to_string(c) + "," + std::to_string(r));
  }
  // Column 1 of every row, hidden rows in their places.
  std::vector<std::string> Rows() const {
    std::vector<std::string> out;
    for (int r = 0; r < Grid->TotalRowCount(); ++r)
      out.push_back(Grid->AllCells(1, r));
    return out;
  }
  std::vector<std::string> Shown() const {
    std::vector<std::string> out;
    for (int r = 0; r < Grid->RowCount(); ++r)
      out.push_back(Grid->Cells(1, r));
    return out;
  }
  using V = std::vector<std::string>;
};

} // namespace

TEST_F(ProGridStructureTest, RemoveRowsCases) {
  struct Case {
    int index, count;
    V want;
  } cases[] = {
      {2, 3, {"0", "1", "5", "6", "7", "8", "9"}},
      {0, 1, {"1", "2", "3", "4", "5", "6", "7", "8", "9"}},
      // Mended: an index equal to RowCount removes nothing, a count past the end is cut to the
      // rows there.
      {10, 1, {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}},
      {5, 1000000, {"0", "1", "2", "3", "4"}},
      {-1, 2, {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}},
      {3, 0, {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}},
  };
  for (const Case& c : cases) {
    SetUp();
    Grid->RemoveRows(c.index, c.count);
    EXPECT_EQ(Shown(), c.want) << c.index << "," << c.count;
    EXPECT_GE(Grid->RowCount(), Grid->FixedRows());
  }
}

TEST_F(ProGridStructureTest, HiddenRowsKeepTheirPlacesAcrossInsertAndRemove) {
  Grid->HideRow(7);
  Grid->InsertRows(2, 2); // mended: the hidden row below the insertion moves down with its rows
  EXPECT_TRUE(Grid->IsHiddenRow(9));
  Grid->UnHideRowsAll();
  EXPECT_EQ(Rows(), (V{"0", "1", "", "", "2", "3", "4", "5", "6", "7", "8", "9"}));

  SetUp();
  Grid->HideRow(7);
  Grid->RemoveRows(2, 3); // the hidden row at 7 comes to 4
  EXPECT_TRUE(Grid->IsHiddenRow(4));
  Grid->UnHideRowsAll();
  EXPECT_EQ(Rows(), (V{"0", "1", "5", "6", "7", "8", "9"}));
}

TEST_F(ProGridStructureTest, RowsCarryPropertiesFlagsSelectionAndControls) {
  Grid->MouseActions().SetDisjunctRowSelect(true);
  Grid->SetColors(2, 6, 0x0000FF);
  Grid->SetRowModified(6, true);
  Grid->SetRowSelect(7, true);
  Grid->SetRowHeights(6, 40);
  auto* box = new TEdit(Form);
  box->SetParent(Form);
  Grid->SetCellControls(2, 7, box);

  Grid->InsertRows(1, 2);
  EXPECT_EQ(Grid->Cells(1, 8), "6");
  EXPECT_EQ(Grid->Colors(2, 8), 0x0000FF);
  EXPECT_TRUE(Grid->RowModified(8));
  EXPECT_FALSE(Grid->RowModified(6));
  EXPECT_TRUE(Grid->RowSelect(9));
  EXPECT_EQ(Grid->RowHeights(8), 40);
  EXPECT_EQ(Grid->CellControls(2, 9), box);
  EXPECT_EQ(Grid->RowHeights(1), Grid->DefaultRowHeight());

  Grid->RemoveRows(2, 3);
  EXPECT_EQ(Grid->Cells(1, 5), "6");
  EXPECT_EQ(Grid->Colors(2, 5), 0x0000FF);
  EXPECT_TRUE(Grid->RowModified(5));
  EXPECT_TRUE(Grid->RowSelect(6));
  EXPECT_EQ(Grid->CellControls(2, 6), box);
  EXPECT_EQ(Grid->RowHeights(5), 40);

  // A removed row's control is hidden, the others' list entries follow their rows.
  Grid->RemoveRows(6, 1);
  EXPECT_FALSE(box->Visible());
}

TEST_F(ProGridStructureTest, BulkRemovalsCompactInOnePass) {
  for (int r = 1; r < 10; ++r)
    Grid->SetCells(2, r, r % 3 == 0 ? "a" : r % 3 == 1 ? "A" : "b");
  Grid->RemoveDuplicates(2, false);
  EXPECT_EQ(Shown(), (V{"0", "1", "2"}));

  SetUp();
  for (int r = 1; r < 10; ++r)
    Grid->SetCells(2, r, r % 3 == 0 ? "a" : r % 3 == 1 ? "A" : "b");
  Grid->RemoveDuplicates(2, true); // mended: with case "A" and "a" both stay
  EXPECT_EQ(Shown(), (V{"0", "1", "2", "3"}));

  SetUp();
  Grid->MouseActions().SetDisjunctRowSelect(true);
  Grid->SetRowSelect(2, true);
  Grid->SetRowSelect(5, true);
  Grid->RemoveSelectedRows();
  EXPECT_EQ(Shown(), (V{"0", "1", "3", "4", "6", "7", "8", "9"}));
  EXPECT_EQ(Grid->RowSelectCount(), 0);

  SetUp();
  Grid->AddCheckBoxColumn(3, false, false);
  Grid->SetCheckBoxState(3, 4, true);
  Grid->SetCheckBoxState(3, 8, true);
  Grid->RemoveCheckedRows(3, true);
  EXPECT_EQ(Shown(), (V{"0", "1", "2", "3", "5", "6", "7", "9"}));
}

TEST_F(ProGridStructureTest, ColumnsInsertAndRemoveWithWhatTheyCarry) {
  Grid->SetColWidths(2, 90);
  Grid->SetColors(3, 4, 0x00FF00);
  Grid->SortSettings().SetColumn(3);
  Grid->SetColumnOrder();
  Grid->InsertCols(2, 1);
  EXPECT_EQ(Grid->ColCount(), 5);
  EXPECT_EQ(Grid->Cells(2, 4), "");
  EXPECT_EQ(Grid->Cells(3, 4), "2,4");
  EXPECT_EQ(Grid->ColWidths(3), 90);
  EXPECT_EQ(Grid->ColWidths(2), Grid->DefaultColWidth());
  EXPECT_EQ(Grid->Colors(4, 4), 0x00FF00);
  EXPECT_EQ(Grid->SortSettings().Column(), 4);
  EXPECT_EQ(Grid->ColumnOrder(), (std::vector<int>{0, 1, 2, 3, 4}));

  Grid->RemoveCols(1, 2);
  EXPECT_EQ(Grid->ColCount(), 3);
  EXPECT_EQ(Grid->Cells(1, 4), "2,4");
  EXPECT_EQ(Grid->Colors(2, 4), 0x00FF00);
  EXPECT_EQ(Grid->SortSettings().Column(), 2);
  EXPECT_EQ(Grid->ColumnOrder(), (std::vector<int>{0, 1, 2}));
  Grid->RemoveCols(2, 1); // the sort column goes
  EXPECT_EQ(Grid->SortSettings().Column(), -1);
  Grid->RemoveCols(1, 100); // a count past the end is cut
  EXPECT_EQ(Grid->ColCount(), 1);
}

TEST_F(ProGridStructureTest, HiddenColumnsKeepTheirCellsAcrossColumnEdits) {
  Grid->HideColumn(2);
  Grid->InsertCols(1, 1);
  EXPECT_TRUE(Grid->IsHiddenColumn(3));
  EXPECT_EQ(Grid->AllCells(3, 5), "2,5");
  Grid->RemoveCols(1, 1);
  EXPECT_TRUE(Grid->IsHiddenColumn(2));
  Grid->UnHideColumnsAll();
  EXPECT_EQ(Grid->Cells(2, 5), "2,5");
  EXPECT_EQ(Grid->ColCount(), 4);
}

TEST_F(ProGridStructureTest, ClearSwapMergeCases) {
  Grid->SetColors(2, 3, 0x0000FF);
  Grid->SetClearTextOnly(true);
  Grid->ClearRect(2, 3, 2, 3);
  EXPECT_EQ(Grid->Cells(2, 3), "");
  EXPECT_EQ(Grid->Colors(2, 3), 0x0000FF) << "ClearTextOnly keeps the look";
  Grid->SetClearTextOnly(false);
  Grid->ClearRect(2, 3, 2, 3);
  EXPECT_NE(Grid->Colors(2, 3), 0x0000FF);

  Grid->SetColors(3, 2, 0x00FF00);
  Grid->SortSettings().SetColumn(3);
  Grid->SwapColumns(2, 3);
  EXPECT_EQ(Grid->Cells(2, 2), "3,2");
  EXPECT_EQ(Grid->Colors(2, 2), 0x00FF00);
  EXPECT_EQ(Grid->SortSettings().Column(), 2);

  Grid->SetRowHeights(2, 33);
  Grid->SwapRows(2, 5);
  EXPECT_EQ(Grid->Cells(1, 5), "2");
  EXPECT_EQ(Grid->RowHeights(5), 33);

  SetUp();
  for (int r = 1; r <= 5; ++r)
    Grid->SetCells(2, r, r <= 2 ? "A" : "B");
  for (int r = 6; r < 10; ++r)
    Grid->SetCells(2, r, std::to_string(r));
  Grid->MergeColumnCells(2, true);
  EXPECT_EQ(Grid->CellSpan(2, 1).Y, 1);
  EXPECT_EQ(Grid->CellSpan(2, 3).Y, 2);
  Grid->SplitColumnCells(2);
  EXPECT_FALSE(Grid->IsMergedCell(2, 3));

  Grid->SetCells(1, 1, "  x\t");
  Grid->TrimColumn(1);
  EXPECT_EQ(Grid->Cells(1, 1), "x");
  Grid->MergeCols(1, 2, "-");
  EXPECT_EQ(Grid->Cells(1, 1), "x-A");
  int c = -1, r = -1;
  EXPECT_TRUE(Grid->IsCell("x-A", c, r));
  EXPECT_EQ(c, 1);
  EXPECT_EQ(r, 1);
}

TEST_F(ProGridStructureTest, FloatingFooterStaysLastWhenRowsComeAndGo) {
  Grid->FloatingFooter().SetVisible(true);
  Grid->SetCells(1, 9, "footer");
  Grid->AddRow();
  EXPECT_EQ(Grid->Cells(1, Grid->RowCount() - 1), "footer");
  Grid->RemoveRows(2, 2);
  EXPECT_EQ(Grid->Cells(1, Grid->RowCount() - 1), "footer");
}

namespace {
class ProCGridStructureTest : public TProGridTest<TProColumnGrid> {};
} // namespace

TEST_F(ProCGridStructureTest, ColumnItemsFollowColumnEdits) {
  Grid->SetColCount(4);
  Grid->Columns().Items(2)->SetHeader("two");
  Grid->Columns().Items(3)->SetHeader("three");
  Grid->InsertCols(2, 1);
  ASSERT_EQ(Grid->Columns().Count(), 5);
  EXPECT_EQ(Grid->Columns().Items(3)->Header(), "two");
  EXPECT_EQ(Grid->Columns().Items(2)->Header(), "");
  Grid->RemoveCols(2, 2);
  ASSERT_EQ(Grid->Columns().Count(), 3);
  EXPECT_EQ(Grid->Columns().Items(2)->Header(), "three");
}
