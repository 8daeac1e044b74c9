#include "grid/ProGrid.h"

#include "ProGridFixture.h"
#include "platform/Locale.h"
#include "platform/Persistent.h"
#include "platform/ui/Forms.h"

#include <gtest/gtest.h>

namespace {

class ProGridValuesTest : public TProGridTest<TProStringGrid, false> {
protected:
  void TearDown() override {
    TProGridTest::TearDown();
    ResetFormatSettings();
  }
};

} // namespace

TEST_F(ProGridValuesTest, IntsAndFloatsReadFromText) {
  struct Case {
    const char* text;
    bool isInt;
    int i;
    bool isFloat;
    double f;
  } cases[] = {
      {"", true, 0, true, 0},
      {"   ", true, 0, true, 0},
      {"-", true, 0, true, 0},
      {" 42\t", true, 42, true, 42},
      {"<b>12</b>", true, 12, true, 12},
      {"-7", true, -7, true, -7},
      {"1.5", false, 0, true, 1.5},
      {"abc", false, 0, false, 0},
      {"99999999999", false, 0, true, 99999999999.0},
  };
  for (const Case& c : cases) {
    Grid->SetCells(2, 3, c.text);
    if (c.isInt)
      EXPECT_EQ(Grid->Ints(2, 3), c.i) << c.text;
    else
      EXPECT_THROW(
          {
            try {
              Grid->Ints(2, 3);
            } catch (const EProGridError& e) {
              EXPECT_STREQ(e.what(), "Cell does not contain integer value");
              throw;
            }
          },
          EProGridError)
          << c.text;
    if (c.isFloat)
      EXPECT_DOUBLE_EQ(Grid->Floats(2, 3), c.f) << c.text;
    else
      EXPECT_THROW(Grid->Floats(2, 3), EProGridError) << c.text;
    EXPECT_EQ(Grid->Cells(2, 3), c.text) << "reading changes nothing";
  }
  // By real row the tags are not stripped.
  Grid->SetCells(2, 3, "<b>12</b>");
  EXPECT_THROW(Grid->AllInts(2, 3), EProGridError);
}

TEST_F(ProGridValuesTest, FloatsWriteWithTheFormatAndTheRegionalSeparator) {
  TFormatSettings fs;
  fs.DecimalSeparator = ',';
  fs.ThousandSeparator = '.';
  SetFormatSettings(fs);
  Grid->SetFloats(2, 3, 3.14159);
  EXPECT_EQ(Grid->Cells(2, 3), "3,14");
  EXPECT_DOUBLE_EQ(Grid->Floats(2, 3), 3.14);
  // Mended: a stored pattern that does not take one number formats with "%.2f".
  for (const char* bad : {"%d", "%s %s", "no number", "%q"}) {
    Grid->SetFloatFormat(bad);
    Grid->SetFloats(2, 3, 2.5);
    EXPECT_EQ(Grid->Cells(2, 3), "2,50") << bad;
    Grid->SetAllFloats(2, 4, 1.0);
    EXPECT_EQ(Grid->Cells(2, 4), "1,00") << bad;
  }
  Grid->SetFloatFormat("%.3f");
  Grid->SetAllFloats(2, 4, 1.0);
  EXPECT_EQ(Grid->AllCells(2, 4), "1,000");
}

TEST_F(ProGridValuesTest, IntsByRealRowReachHiddenRows) {
  Grid->HideRow(4);
  Grid->SetAllInts(2, 4, 17);
  EXPECT_EQ(Grid->AllInts(2, 4), 17);
  Grid->UnHideRow(4);
  EXPECT_EQ(Grid->Ints(2, 4), 17);
}

TEST_F(ProGridValuesTest, DatesAndTimes) {
  TFormatSettings fs;
  fs.ShortDateFormat = "dd/mm/yyyy";
  SetFormatSettings(fs);
  Grid->SetDates(1, 1, 46095);
  EXPECT_EQ(Grid->Cells(1, 1), "14/03/2026");
  EXPECT_EQ(Grid->Dates(1, 1), 46095);
  Grid->SetDates(1, 1, 0);
  EXPECT_EQ(Grid->Cells(1, 1), "30/12/1899");
  Grid->SetShowNullDates(false);
  Grid->SetDates(1, 1, 0);
  EXPECT_EQ(Grid->Cells(1, 1), "");
  Grid->SetTimes(1, 2, 0.5);
  EXPECT_EQ(Grid->Cells(1, 2), "12:00:00");
  EXPECT_DOUBLE_EQ(Grid->Times(1, 2), 0.5);
  Grid->SetCells(1, 3, "soon");
  EXPECT_THROW(Grid->Dates(1, 3), EConvertError);
  EXPECT_THROW(Grid->Times(1, 3), EConvertError);
}

TEST_F(ProGridValuesTest, Fills) {
  Grid->LinearFill(false);
  EXPECT_EQ(Grid->Cells(1, 1), "1:1");
  EXPECT_EQ(Grid->Cells(4, 9), "4:9");
  EXPECT_EQ(Grid->Cells(0, 1), "") << "fixed cells left";
  Grid->FormatFill(true, "%d-%d");
  EXPECT_EQ(Grid->Cells(0, 0), "0-0");
  EXPECT_EQ(Grid->Cells(3, 2), "3-2");
  // Mended: a pattern that does not take two whole numbers leaves the cells as they are.
  for (const char* bad : {"%s", "%d", "%d %d %d", "%d %s"}) {
    Grid->FormatFill(true, bad);
    EXPECT_EQ(Grid->Cells(3, 2), "3-2") << bad;
  }
  Grid->RandomFill(false, 5);
  for (int r = 1; r < 10; ++r)
    for (int c = 1; c < 5; ++c) {
      int v = Grid->Ints(c, r);
      EXPECT_TRUE(v >= 0 && v < 5) << v;
    }
  for (int rnd : {0, -3}) { // mended: no division by a zero or negative range
    Grid->RandomFill(false, rnd);
    EXPECT_EQ(Grid->Cells(2, 2), "0");
  }
  Grid->TextFill(false, "t");
  EXPECT_EQ(Grid->Cells(4, 9), "t");
}

TEST_F(ProGridValuesTest, HeadersSwapAndUsedCells) {
  Grid->SetColumnHeaders({"A", "B\\nC", "D"});
  EXPECT_EQ(Grid->Cells(1, 0), "B\rC"); // the line break cells hold
  Grid->SetRowHeaders({"", "r1"});
  EXPECT_EQ(Grid->Cells(0, 1), "r1");
  Grid->ClearColumnHeaders();
  Grid->ClearRowHeaders();
  EXPECT_EQ(Grid->UsedCells(), (TGridRect{0, 0, 0, 0}));
  Grid->SetCells(3, 2, "x");
  Grid->SetCells(1, 5, "y");
  EXPECT_EQ(Grid->UsedCells(), (TGridRect{1, 2, 3, 5}));
  Grid->SwapCells({3, 2}, {4, 8});
  EXPECT_EQ(Grid->Cells(4, 8), "x");
  EXPECT_EQ(Grid->Cells(3, 2), "");
  Grid->SwapCells({3, 2}, {40, 8}); // outside: nothing
  EXPECT_EQ(Grid->Cells(4, 8), "x");
  EXPECT_THROW(Grid->PrintColWidth(512), EProGridError);
  EXPECT_THROW(Grid->PrintColOffset(-1), EProGridError);
  EXPECT_EQ(Grid->PrintColWidth(511), 0);
}

TEST_F(ProGridValuesTest, SaveRange) {
  Grid->SetFixedFooters(1);
  Grid->SetFixedRightCols(1);
  EXPECT_EQ(Grid->SaveStartCol(), 0);
  EXPECT_EQ(Grid->SaveRowCount(), 10);
  Grid->SetSaveFixedCells(false);
  EXPECT_EQ(Grid->SaveStartCol(), 1);
  EXPECT_EQ(Grid->SaveEndCol(), 3);
  EXPECT_EQ(Grid->SaveColCount(), 3);
  EXPECT_EQ(Grid->SaveStartRow(), 1);
  EXPECT_EQ(Grid->SaveEndRow(), 8);
  EXPECT_EQ(Grid->SaveRowCount(), 8);
}

// --- Selection ------------------------------------------------------------------------------------

TEST_F(ProGridValuesTest, SelectRowsCutsAtTheLastRow) {
  Grid->SelectRows(8, 5);
  EXPECT_EQ(Grid->Selection(), (TGridRect{1, 8, 4, 9}));
  EXPECT_EQ(Grid->RowSelectCount(), 2);
  EXPECT_TRUE(Grid->RowSelect(9));
  EXPECT_FALSE(Grid->RowSelect(7));
}

TEST_F(ProGridValuesTest, DisjunctRowSelection) {
  Grid->MouseActions().SetDisjunctRowSelect(true);
  std::vector<std::pair<int, bool>> asked;
  std::vector<int> told;
  Grid->OnRowDisjunctSelect = [&](TObject*, int r, bool s, bool&) { asked.push_back({r, s}); };
  Grid->OnRowDisjunctSelected = [&](TObject*, int r) { told.push_back(r); };
  Grid->SetRowSelect(3, true);
  EXPECT_EQ(asked, (std::vector<std::pair<int, bool>>{{3, true}}));
  EXPECT_EQ(Grid->SelectedRows(), std::vector<int>{3});
  Grid->SetRowSelect(3, true);
  EXPECT_EQ(asked.size(), 1u) << "no change: not asked again";
  EXPECT_EQ(Grid->SelectedRows(), std::vector<int>{3});
  Grid->SetRowSelect(0, true);
  EXPECT_TRUE(Grid->RowSelect(0));
  EXPECT_EQ(Grid->SelectedRows(), std::vector<int>{3}) << "fixed rows are never listed";
  Grid->OnRowDisjunctSelect = [&](TObject*, int, bool, bool& allow) { allow = false; };
  Grid->SetRowSelect(5, true);
  EXPECT_FALSE(Grid->RowSelect(5));
  Grid->OnRowDisjunctSelect = nullptr;
  Grid->SelectRows(5, 2);
  EXPECT_EQ(Grid->SelectedRows(), (std::vector<int>{3, 5, 6}));
  EXPECT_EQ(Grid->RowSelectCount(), 4);
  Grid->UnSelectRows(5, 1);
  EXPECT_EQ(Grid->SelectedRows(), (std::vector<int>{3, 6}));
  Grid->ClearRowSelect();
  EXPECT_TRUE(Grid->SelectedRows().empty());
  EXPECT_EQ(Grid->RowSelectCount(), 0);
}

TEST_F(ProGridValuesTest, InvalidRowsAndColumnsRaiseAndChangeNothing) {
  Grid->MouseActions().SetDisjunctRowSelect(true);
  struct Case {
    std::function<void()> call;
    const char* message;
  } cases[] = {
      {[&] { Grid->RowSelect(12); }, "Invalid row 12 accessed"},
      {[&] { Grid->RowSelect(-1); }, "Invalid row -1 accessed"},
      {[&] { Grid->SetRowSelect(-1, true); }, "Invalid row accessed"},
      {[&] { Grid->SetRowSelect(10, true); }, "Invalid row accessed"},
      {[&] { Grid->ColSelect(5); }, "Invalid column accessed"},
      {[&] { Grid->SetColSelect(-1, true); }, "Invalid column accessed"},
  };
  for (const Case& c : cases) {
    try {
      c.call();
      ADD_FAILURE() << c.message << " not raised";
    } catch (const EProGridError& e) {
      EXPECT_STREQ(e.what(), c.message);
    }
  }
  EXPECT_TRUE(Grid->SelectedRows().empty());
  EXPECT_FALSE(Grid->ColSelect(1));
}

TEST_F(ProGridValuesTest, ColumnSelectionAndSync) {
  Grid->SelectCols(2, 2);
  EXPECT_EQ(Grid->Selection(), (TGridRect{2, 1, 3, 9}));
  Grid->SyncColSelect(true);
  EXPECT_TRUE(Grid->ColSelect(2));
  EXPECT_TRUE(Grid->ColSelect(3));
  EXPECT_FALSE(Grid->ColSelect(4));
  Grid->MouseActions().SetDisjunctRowSelect(true);
  Grid->SetSelection({1, 2, 4, 4});
  Grid->SyncRowSelect(true);
  EXPECT_EQ(Grid->SelectedRows(), (std::vector<int>{2, 3, 4}));
}

TEST_F(ProGridValuesTest, ModifiedAndEnabledRows) {
  EXPECT_FALSE(Grid->RowModified(50));
  EXPECT_TRUE(Grid->RowEnabled(50));
  Grid->SetRowModified(3, true);
  Grid->SetRowModified(5, true);
  Grid->SetRowModified(5, false);
  EXPECT_EQ(Grid->ModifiedRowCount(), 1);
  Grid->SetRow(1);
  Grid->SetRowEnabled(2, false);
  Grid->SetRowEnabled(1, false);
  EXPECT_EQ(Grid->Row(), 3) << "first enabled normal row";
  Grid->SetRowEnabled(1, true);
  EXPECT_EQ(Grid->Row(), 3);
}
