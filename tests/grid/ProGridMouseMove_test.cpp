#include "ProGridFixture.h"

#include "platform/ui/Messages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class ProGridMouseMove : public TProGridTest<> {
protected:
  void SetUp() override {
    TProGridTest::SetUp();
    Grid->SetBounds(0, 0, 480, 380);
    Grid->SetColCount(6);
    Grid->SetRowCount(10);
    Grid->SetFocus();
    Application->ProcessMessages();
  }
  TPoint Mid(int c, int r) const {
    const TRect cr = Grid->CellRect(c, r);
    return {(cr.Left + cr.Right) / 2, (cr.Top + cr.Bottom) / 2};
  }
};

TEST_F(ProGridMouseMove, RefusingColumnSizePreventsTheDrag) {
  Grid->SetOptions(Grid->Options() | goColSizing);
  std::vector<int> asked;
  Grid->OnColumnSize = [&](TObject*, int c, bool& allow) {
    asked.push_back(c);
    allow = false;
  };
  const int before = Grid->ColWidths(2);
  const TRect h = Grid->CellRect(2, 0);
  Headless::MouseDown(*Grid, {h.Right - 1, h.Top + 5});
  EXPECT_EQ(Grid->GridState(), gsNormal);
  Headless::MouseMove(*Grid, {h.Right + 30, h.Top + 5});
  Headless::MouseUp(*Grid, {h.Right + 30, h.Top + 5});
  EXPECT_EQ(Grid->ColWidths(2), before);
  ASSERT_FALSE(asked.empty());
  EXPECT_EQ(asked.back(), 2) << "asked for the column left of the pointer";
}

TEST_F(ProGridMouseMove, SizingReportsTheWidthAndShowsItsHint) {
  Grid->SetOptions(Grid->Options() | goColSizing);
  Grid->SetHintShowSizing(true);
  std::vector<int> widths;
  Grid->OnColumnSizing = [&](TObject*, int c, int w) {
    if (c == 1) widths.push_back(w);
  };
  const TRect h = Grid->CellRect(1, 0);
  Headless::MouseDown(*Grid, {h.Right - 1, h.Top + 5});
  ASSERT_EQ(Grid->GridState(), gsColSizing);
  const int x = h.Left + 60 - 1;
  Headless::MouseMove(*Grid, {x, h.Top + 5});
  ASSERT_FALSE(widths.empty());
  EXPECT_EQ(widths.back(), 60);
  EXPECT_EQ(Grid->SizingHint(), "cw=<b>60</b>");
  EXPECT_EQ(Grid->SizingHintPos().X, h.Left) << "at the sized column's header";
  Headless::MouseUp(*Grid, {x, h.Top + 5});
  EXPECT_EQ(Grid->ColWidths(1), 60);
  EXPECT_EQ(Grid->SizingHint(), "") << "the release closes it";
}

// Records the sorts a header click would run.
class TSortGrid : public TProStringGrid {
public:
  using TProStringGrid::TProStringGrid;
  int Sorts = 0;
  void QSort() override { ++Sorts; }
};

class ProGridSortingMove : public TProGridTest<TSortGrid> {};

TEST_F(ProGridSortingMove, DoubleClickOnAHeaderBorderSizesTheColumnAndDoesNotSort) {
  Grid->SetBounds(0, 0, 480, 380);
  Grid->SetColCount(6);
  Grid->SetRowCount(10);
  Grid->SetOptions(Grid->Options() | goColSizing);
  Grid->SortSettings().SetShow(true);
  Grid->SetCells(2, 3, "A rather long text in the column");
  Application->ProcessMessages();
  Grid->Canvas().Font().Assign(Grid->Font());
  const int text = Grid->Canvas().TextWidth("A rather long text in the column");
  const TRect h = Grid->CellRect(3, 0);
  Headless::DoubleClick(*Grid, {h.Left + 1, h.Top + 5});
  EXPECT_GE(Grid->ColWidths(2), text);
  EXPECT_LE(Grid->ColWidths(2), text + 12);
  EXPECT_EQ(Grid->Sorts, 0);
}

TEST_F(ProGridMouseMove, MovedColumnsTakeTheSortColumnAlong) {
  Grid->SetColCount(8);
  struct Case {
    int From, To, SortBefore, SortAfter;
  };
  // The column standing at the target moves aside with the others between.
  for (const Case& c : {Case{2, 5, 3, 2}, Case{5, 2, 2, 3}, Case{2, 5, 2, 5}, Case{2, 5, 5, 4},
                        Case{2, 5, 6, 6}, Case{5, 2, 1, 1}}) {
    Grid->SortSettings().SetColumn(c.SortBefore);
    Grid->MoveColumn(c.From, c.To);
    EXPECT_EQ(Grid->SortSettings().Column(), c.SortAfter)
        << c.From << " to " << c.To << " sorted " << c.SortBefore;
  }
}

TEST_F(ProGridMouseMove, ARowMoveOntoTheFooterRowDoesNothing) {
  Grid->FloatingFooter().SetVisible(true);
  Grid->SetCells(1, 3, "three");
  const int last = Grid->RowCount() - 1;
  Grid->MoveRow(3, last);
  EXPECT_EQ(Grid->Cells(1, 3), "three");
}

TEST_F(ProGridMouseMove, LeavingTheGridClearsTheHoverRow) {
  Grid->SetHoverRow(true);
  Headless::MouseMove(*Grid, Mid(2, 4));
  EXPECT_EQ(Grid->HoverRowIdx(), 4);
  Headless::MouseMove(*Grid, Mid(2, 5));
  EXPECT_EQ(Grid->HoverRowIdx(), 5);
  Headless::MouseLeave();
  EXPECT_EQ(Grid->HoverRowIdx(), -1);
}

TEST_F(ProGridMouseMove, AHintGoesInAnotherCellButNotInsideOneMergedArea) {
  Grid->SetHintShowCells(true);
  Grid->SetShowHint(true);
  Grid->SetCells(1, 1, "first");
  Grid->SetCells(3, 3, "merged");
  Grid->MergeCells(3, 3, 2, 2);
  EXPECT_EQ(Headless::HintAt(*Grid, Mid(3, 3)), "merged");
  EXPECT_EQ(Grid->LastHintPos().X, 3);
  Headless::MouseMove(*Grid, Mid(4, 4));
  EXPECT_EQ(Headless::ShownHint(), "merged") << "still the same area";
  EXPECT_EQ(Grid->LastHintPos().X, 3);
  Headless::MouseMove(*Grid, Mid(1, 1));
  EXPECT_EQ(Headless::ShownHint(), "first") << "the old hint went; the new cell's shows";
  EXPECT_EQ(Grid->LastHintPos().X, 1);
}

TEST_F(ProGridMouseMove, EnhancedColumnMoveDropsWhereReleased) {
  Grid->SetOptions(Grid->Options() | goColMoving);
  for (int c = 0; c < Grid->ColCount(); ++c)
    Grid->SetCells(c, 0, "H" + std::to_string(c));
  bool refuse = false;
  Grid->OnColumnMoving = [&](TObject*, int, bool& allow) { allow = !refuse; };
  Headless::MouseDown(*Grid, Mid(1, 0));
  Headless::MouseMove(*Grid, {Mid(1, 0).X + 20, Mid(1, 0).Y});
  Headless::MouseMove(*Grid, Mid(3, 0));
  ASSERT_EQ(Grid->GridState(), gsColMoving);
  EXPECT_EQ(Screen->Cursor(), crDrag);
  Headless::MouseUp(*Grid, Mid(3, 0));
  EXPECT_EQ(Grid->Cells(3, 0), "H1");
  EXPECT_EQ(Grid->GridState(), gsNormal);
  EXPECT_EQ(Screen->Cursor(), crDefault);

  refuse = true;
  Headless::MouseDown(*Grid, Mid(1, 0));
  Headless::MouseMove(*Grid, {Mid(1, 0).X + 20, Mid(1, 0).Y});
  Headless::MouseMove(*Grid, Mid(4, 0));
  EXPECT_EQ(Screen->Cursor(), crNoDrop);
  Headless::MouseUp(*Grid, Mid(4, 0));
  EXPECT_EQ(Grid->Cells(4, 0), "H4") << "a refused move stays";
  EXPECT_EQ(Screen->Cursor(), crDefault);
}

TEST_F(ProGridMouseMove, TheResizerReportsTheOriginalAndTheNewSelection) {
  Grid->SetOptions(Grid->Options() | goRangeSelect);
  Grid->SetSelectionRectangle(true);
  Grid->SetSelectionResizer(true);
  Grid->SelectCells(1, 1, 2, 2);
  std::vector<TGridRect> reported;
  Grid->OnSelectionResize = [&](TObject*, TGridRect from, TGridRect to) {
    reported.push_back(from);
    reported.push_back(to);
  };
  const TRect corner = Grid->CellRect(2, 2);
  const TPoint handle{corner.Right - 1, corner.Bottom - 1};
  Headless::MouseMove(*Grid, handle);
  EXPECT_EQ(Grid->MouseSelectMode(), TProStringGrid::msResize);
  Headless::MouseDown(*Grid, handle);
  Headless::MouseMove(*Grid, Mid(2, 5));
  Headless::MouseUp(*Grid, Mid(2, 5));
  ASSERT_EQ(reported.size(), 2u);
  EXPECT_EQ(reported[0], (TGridRect{1, 1, 2, 2}));
  EXPECT_EQ(reported[1].Bottom, 5);
  EXPECT_EQ(reported[1].Top, 1);
}

} // namespace
