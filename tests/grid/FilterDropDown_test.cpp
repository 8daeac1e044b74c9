// The header filter list: opened from a filter button of the filter row, and what a pick does.
#include "ProGridFixture.h"
#include "grid/FilterDropCheckList.h"
#include "grid/FilterDropList.h"
#include "grid/ProCGrid.h"
#include "platform/ui/Messages.h"

#include <gtest/gtest.h>

namespace {

class FilterDropDownTest : public TProGridTest<> {
protected:
  void SetUp() override {
    TProGridTest<>::SetUp();
    Grid->SetColCount(4);
    Grid->SetRowCount(6);
    const char* fruit[] = {"apple", "pear", "apple", "fig", "pear"};
    const char* size[] = {"big", "small", "small", "big", "big"};
    for (int r = 1; r <= 5; ++r) {
      Grid->SetCells(1, r, fruit[r - 1]);
      Grid->SetCells(2, r, size[r - 1]);
    }
    Grid->SetFilterRow(0);
    Grid->SetFilterDropDownAuto(true);
  }
  // A release on the filter button of a header cell.
  void ReleaseOnButton(int ACol) {
    const TRect r = Grid->CellRect(ACol, 0);
    Grid->FilterListRelease(r.Right - 8, r.Top + 5);
  }
  std::vector<std::string> Shown() const {
    std::vector<std::string> out;
    for (int r = Grid->FixedRows(); r < Grid->RowCount(); ++r)
      out.push_back(Grid->Cells(1, r));
    return out;
  }
};

TEST_F(FilterDropDownTest, AReleaseOnTheButtonOpensTheColumnsList) {
  ReleaseOnButton(1);
  TDropList* list = Grid->DropList();
  ASSERT_TRUE(list->Visible());
  EXPECT_EQ(Grid->FilterCol(), 1);
  ASSERT_EQ(list->Items().Count(), 4);
  EXPECT_EQ(list->Items()[0], "(All)");
  EXPECT_EQ(list->Items()[1], "apple");
  EXPECT_EQ(list->ItemIndex(), 0) << "the first entry is chosen";
  const TRect r = Grid->CellRect(1, 0);
  EXPECT_EQ(list->Left(), r.Right - 16);
  EXPECT_EQ(list->Top(), r.Top + 16);
  EXPECT_EQ(list->Width(), 150);

  const TRect body = Grid->CellRect(1, 2);
  Grid->FilterListRelease(body.Left + 2, body.Top + 2);
  EXPECT_FALSE(list->Visible()) << "a release elsewhere closes it";
  EXPECT_EQ(Grid->FilterCol(), -1);
  const TRect mid = Grid->CellRect(1, 0);
  Grid->FilterListRelease(mid.Left + 2, mid.Top + 2);
  EXPECT_FALSE(list->Visible()) << "left of the button";
}

TEST_F(FilterDropDownTest, APickFiltersTheColumnAndTheClearEntryUndoesIt) {
  std::vector<std::string> names;
  Grid->OnFilterSelect = [&](TObject*, int Column, int, const std::string& Name, std::string&) {
    names.push_back(std::to_string(Column) + ":" + Name);
  };
  int done = 0;
  Grid->OnFilterDone = [&](TObject*) { ++done; };
  ReleaseOnButton(1);
  Grid->DropList()->SetItemIndex(1);
  Headless::PressKey(*Grid->DropList(), VK_RETURN);
  EXPECT_FALSE(Grid->DropList()->Visible());
  EXPECT_EQ(Grid->FilterCol(), -1);
  EXPECT_EQ(Shown(), (std::vector<std::string>{"apple", "apple"}));
  EXPECT_EQ(Grid->Row(), 1);
  EXPECT_EQ(done, 1);

  // A second column's condition stacks with the first.
  Grid->FilterSelect(2, 2); // "small"
  EXPECT_EQ(Shown(), (std::vector<std::string>{"apple"}));
  Grid->FilterSelect(1, 0); // "(All)": column 1's condition goes, column 2's stays
  EXPECT_FALSE(Grid->Filter().HasFilter(1));
  EXPECT_TRUE(Grid->Filter().HasFilter(2));
  EXPECT_EQ(Shown(), (std::vector<std::string>{"pear", "apple"}));
  EXPECT_EQ(names, (std::vector<std::string>{"1:apple", "2:small", "1:(All)"}));

  Grid->FilterSelect(7, 0);
  Grid->FilterSelect(1, 99);
  EXPECT_EQ(names.size(), 3u) << "an invalid column or entry is ignored";
}

TEST_F(FilterDropDownTest, TickingValuesInTheCheckListKeepsRowsHoldingAnyOfThem) {
  Grid->SetFilterDropDownCheck(true);
  Grid->Filter().ColumnFilter(2)->SetCondition("big");
  Grid->SetFilterActive(true);
  ASSERT_EQ(Grid->RowCount(), 4);
  ReleaseOnButton(1);
  TDropCheckList* list = Grid->DropCheckList();
  ASSERT_TRUE(list->Visible());
  ASSERT_EQ(list->Count(), 4); // (All), apple, fig, pear
  int checks = 0;
  Grid->OnFilterCheck = [&](TObject*, int Column, int, const std::string&, std::string&, TCheckListBox* l) {
    EXPECT_EQ(Column, 1);
    EXPECT_EQ(l, list);
    ++checks;
  };
  list->ToggleByUser(1); // apple
  const int h = list->ItemHeight();
  const TPoint pear{20, 2 + 3 * h + h / 2};
  Headless::MouseDown(*list, pear);
  Headless::MouseUp(*list, pear);
  EXPECT_TRUE(list->Visible()) << "the check list stays open";
  EXPECT_EQ(Grid->FilterCol(), 1);
  EXPECT_FALSE(Grid->Filter().HasFilter(2)) << "the other column's condition is gone";
  EXPECT_EQ(Shown(), (std::vector<std::string>{"apple", "pear", "apple", "pear"}));
  EXPECT_GE(checks, 2);
}

TEST_F(FilterDropDownTest, TheColumnGridsPickTakesTheColumnsCase) {
  TGridOnForm<TProColumnGrid> place;
  TProColumnGrid& g = *place.Grid;
  g.SetColCount(3);
  g.SetRowCount(4);
  g.SetCells(1, 1, "Low");
  g.SetCells(1, 2, "low");
  g.SetCells(1, 3, "high");
  g.Columns()[1]->Filter().Add("Low=Low");
  g.Columns()[1]->SetFilterCaseSensitive(true);
  g.SetFilterCol(1);
  g.FilterSelect(1, 0);
  EXPECT_EQ(g.FilterCol(), -1);
  EXPECT_EQ(g.RowCount(), 2) << "only the row in the same case stays";
  EXPECT_EQ(g.Cells(1, 1), "Low");
  g.Columns()[1]->SetFilterCaseSensitive(false);
  g.FilterSelect(1, 0);
  EXPECT_EQ(g.RowCount(), 3);
}

} // namespace
