#include "grid/ProGrid.h"

#include "ProGridFixture.h"
#include "grid/ProGridUnit.h"
#include "platform/Dialogs.h"
#include "platform/Locale.h"
#include "platform/ui/Forms.h"

#include <gtest/gtest.h>

namespace {

class ProGridCurrentTest : public TProGridTest<> {
protected:
  void TearDown() override {
    TProGridTest::TearDown();
    ResetFormatSettings();
  }
};

struct TRecorder : ITProStringGridSelect {
  std::vector<std::pair<int, int>> Seen;
  void CellSelected(int ACol, int ARow) override { Seen.push_back({ACol, ARow}); }
};

struct TCountingNotifier : TGridChangeNotifier {
  using TGridChangeNotifier::TGridChangeNotifier;
  int Calls = 0;
  void CellsChanged(TProStringGrid*, const TRect&) override { ++Calls; }
};

} // namespace

TEST_F(ProGridCurrentTest, FooterRowNeverBecomesCurrent) {
  Grid->FloatingFooter().SetVisible(true);
  Grid->SetRow(9);
  EXPECT_NE(Grid->Row(), 9);
  Grid->FloatingFooter().SetVisible(false);
  Grid->SetRow(9);
  EXPECT_EQ(Grid->Row(), 9);
}

TEST_F(ProGridCurrentTest, MergedCellsDisabledRowsAndRefusals) {
  Grid->SetOptions(Grid->Options() & ~goRangeSelect);
  Grid->MergeCells(2, 3, 2, 2);
  Grid->GotoCell(3, 4);
  EXPECT_EQ(Grid->Col(), 2);
  EXPECT_EQ(Grid->Row(), 3) << "the area's base cell";
  Grid->SetRowEnabled(6, false);
  Grid->SetRow(6);
  EXPECT_EQ(Grid->Row(), 3) << "disabled rows are skipped";
  int asked = 0;
  Grid->OnCellChanging = [&](TObject*, int oldRow, int oldCol, int newRow, int newCol, bool& allow) {
    ++asked;
    EXPECT_EQ(oldRow, 3);
    EXPECT_EQ(oldCol, 2);
    EXPECT_EQ(newRow, 7);
    EXPECT_EQ(newCol, 2);
    allow = false;
  };
  Grid->SetRow(7);
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(Grid->Row(), 3);
}

TEST_F(ProGridCurrentTest, RowUpdateListenerAndNotifiers) {
  std::vector<std::pair<int, int>> updates;
  Grid->OnRowUpdate = [&](TObject*, int oldRow, int newRow) { updates.push_back({oldRow, newRow}); };
  TRecorder rec;
  Grid->RegisterSelListener(&rec);
  Grid->GotoCell(2, 5);
  Grid->GotoCell(3, 5);
  Grid->GotoCell(3, 7);
  ASSERT_EQ(updates.size(), 2u) << "once per change of the current row";
  EXPECT_EQ(updates[1], (std::pair<int, int>{5, 7}));
  ASSERT_FALSE(rec.Seen.empty());
  EXPECT_EQ(rec.Seen.back(), (std::pair<int, int>{3, 7}));
  Grid->UnRegisterSelListener(nullptr);
  Grid->SetRow(2);
  size_t seen = rec.Seen.size();
  Grid->SetRow(3);
  EXPECT_EQ(rec.Seen.size(), seen);
  TCountingNotifier n(nullptr);
  Grid->RegisterNotifier(&n);
  Grid->RegisterNotifier(&n);
  TRect changed{};
  Grid->OnCellsChanged = [&](TObject*, const TRect& r) { changed = r; };
  Grid->CellsChanged({1, 2, 3, 4});
  EXPECT_EQ(n.Calls, 1) << "registered once";
  EXPECT_EQ(changed.Right, 3);
  Grid->UnRegisterNotifier(&n);
  Grid->CellsChanged({1, 2, 3, 4});
  EXPECT_EQ(n.Calls, 1);
}

// Mended: with the search footer showing, scrolling the last row clear of its panel ends even
// when the grid is too low for it.
TEST_F(ProGridCurrentTest, SearchFooterScrollingEnds) {
  Grid->SetRowCount(50);
  Grid->SearchFooter().SetVisible(true);
  Grid->SetBounds(0, 0, 400, 40);
  Grid->SetRow(49);
  Grid->ShowLastRowAboveSearchPanel();
  Grid->SetBounds(0, 0, 400, 300);
  Grid->SetRow(49);
  EXPECT_EQ(Grid->Row(), 49);
  EXPECT_EQ(Grid->TopRow(), Grid->MaxTopRow()) << "scrolled as far as the grid goes";
}

TEST_F(ProGridCurrentTest, CopyingFromAnotherGrid) {
  TProStringGrid other(Form);
  other.SetColCount(7);
  other.SetRowCount(4);
  other.SetCells(6, 3, "last");
  other.SetColWidths(2, 99);
  other.SetActiveCellShow(true);
  Grid->Assign(&other);
  EXPECT_EQ(Grid->ColCount(), 7);
  EXPECT_EQ(Grid->Cells(6, 3), "last");
  EXPECT_EQ(Grid->ColWidths(2), 99);
  EXPECT_TRUE(Grid->ActiveCellShow());
  TObject stranger;
  Grid->Assign(&stranger);
  EXPECT_EQ(Grid->ColCount(), 7) << "another class changes nothing";
}

TEST_F(ProGridCurrentTest, UnitServices) {
  TFormatSettings fs;
  fs.DecimalSeparator = ',';
  fs.ThousandSeparator = '.';
  fs.TimeSeparator = '.';
  fs.DateSeparator = '-';
  fs.LongTimeFormat = "hh.nn.ss";
  SetFormatSettings(fs);
  EXPECT_EQ(GetDecimalSeparator(), ',');
  EXPECT_EQ(GetThousandSeparator(), '.');
  EXPECT_EQ(GetTimeSeparator(), '.');
  EXPECT_EQ(GetDateSeparator(), '-');
  EXPECT_EQ(GetShortTimeFormat(), "hh.nn");
  EXPECT_EQ(GetLongTimeFormat(), "hh.nn.ss");
  EXPECT_EQ(GetFileVersion("COMCTL32.DLL") >> 16, 6);
  EXPECT_EQ(GetFileVersion("user32.dll"), -1);
  EXPECT_EQ(LinkCursor(), crHandPoint);
  SetCurrentGrid(Grid);
  EXPECT_EQ(CurrentGrid(), Grid);
}

// An accessor misused in a key handler ends as an error message; the grid lives on.
TEST_F(ProGridCurrentTest, ErrorsLeavingHandlersBecomeMessages) {
  std::vector<std::string> shown;
  TMessageHandler previous = SetMessageHandler([&](const TMessageRequest& m) {
    shown.push_back(m.Text);
    return mrOk;
  });
  Grid->SetCells(2, 2, "abc");
  Grid->OnKeyDown = [&](TObject*, std::uint16_t&, TShiftState) { Grid->SetInts(1, 1, Grid->Ints(2, 2)); };
  Grid->SetFocus();
  Headless::PressKey(*Grid, 0x41);
  SetMessageHandler(previous);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], "Cell does not contain integer value");
  EXPECT_EQ(Grid->Cells(1, 1), "");
}
