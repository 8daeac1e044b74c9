#include "grid/ProGrid.h"

#include "ProGridFixture.h"
#include "platform/Clock.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Messages.h"

#include <gtest/gtest.h>

namespace {

class ProGridScrollTest : public TProGridTest<> {
protected:
  void Fill() {
    for (int r = 0; r < Grid->RowCount(); ++r)
      for (int c = 0; c < Grid->TotalColCount(); ++c)
        Grid->SetCells(c, r, std::to_string(c) + "," + std::to_string(r));
  }
  std::vector<std::string> Column(int c) const {
    std::vector<std::string> out;
    for (int r = 0; r < Grid->RowCount(); ++r)
      out.push_back(Grid->Cells(c, r).substr(Grid->Cells(c, r).find(',') + 1));
    return out;
  }
};

} // namespace

TEST_F(ProGridScrollTest, MoveRowsCases) {
  struct Case {
    int from, to, count;
    std::vector<std::string> want; // rows 0 .. 9 by their old index
  } cases[] = {
      {2, 6, 2, {"0", "1", "4", "5", "2", "3", "6", "7", "8", "9"}},
      {2, 2, 3, {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}},
      {2, 6, 0, {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}},
      {6, 1, 2, {"0", "6", "7", "1", "2", "3", "4", "5", "8", "9"}},
      // Mended: a block or target past the last row is cut to the rows there.
      {8, 2, 5, {"0", "1", "8", "9", "2", "3", "4", "5", "6", "7"}},
      {1, 50, 2, {"0", "3", "4", "5", "6", "7", "8", "9", "1", "2"}},
      {12, 1, 2, {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}},
  };
  for (const Case& c : cases) {
    Fill();
    Grid->MoveRows(c.from, c.to, c.count);
    EXPECT_EQ(Column(1), c.want) << c.from << "->" << c.to << " x" << c.count;
  }
}

TEST_F(ProGridScrollTest, MoveColumnMovesTheRealColumnsAndTheirVisibility) {
  Fill();
  Grid->HideColumn(2);
  Grid->MoveColumn(1, 3); // display 1 = real 1, display 3 = real 4
  EXPECT_EQ(Grid->ColumnOrder(), (std::vector<int>{0, 2, 3, 1}));
  EXPECT_EQ(Grid->Cells(4, 1), "1,1");
  EXPECT_EQ(Grid->Cells(1, 1), "2,1") << "the hidden column moved one place left";
  EXPECT_TRUE(Grid->IsHiddenColumn(1));
  EXPECT_EQ(Grid->RealColIndex(3), 4);
  Grid->UnHideColumnsAll();
  EXPECT_EQ(Grid->Cells(1, 1), "2,1");
}

TEST_F(ProGridScrollTest, HideAndUnHideSelection) {
  Grid->SetSelection({1, 2, 3, 4});
  Grid->HideSelection();
  EXPECT_EQ(Grid->Selection().Left, Grid->ColCount());
  Grid->UnHideSelection();
  EXPECT_EQ(Grid->Selection(), (TGridRect{1, 2, 3, 4}));
  Grid->HideSelection();
  Grid->SetRowCount(2);
  Grid->UnHideSelection();
  EXPECT_EQ(Grid->Selection(), (TGridRect{1, 1, 1, 1}));
}

TEST_F(ProGridScrollTest, ScrollInView) {
  Grid->SetRowCount(100);
  Grid->SetColCount(30);
  int top = Grid->TopRow(), left = Grid->LeftCol();
  Grid->ScrollInView(2, 3);
  EXPECT_EQ(Grid->TopRow(), top);
  EXPECT_EQ(Grid->LeftCol(), left);
  Grid->ScrollInView(100, 3);
  Grid->ScrollInView(2, 100);
  EXPECT_EQ(Grid->TopRow(), top);
  Grid->ScrollInView(2, 60);
  EXPECT_EQ(Grid->Row(), 60);
  EXPECT_LE(Grid->TopRow(), 60);
  EXPECT_GT(Grid->TopRow() + Grid->VisibleRowCount(), 60);
  Grid->SetTopRow(0);
  Grid->SetTopRow(100);
  EXPECT_GT(Grid->TopRow(), 1) << "values outside the scrolling rows are ignored";
}

TEST_F(ProGridScrollTest, ScrollHintsAndEmptyGrids) {
  Grid->SetRowCount(100);
  Grid->SetBounds(0, 0, 400, 22 * 21 + 4);
  Grid->SetScrollHints(shBoth);
  int visible = Grid->VisibleRowCount();
  Grid->Perform(WM_VSCROLL, SB_THUMBTRACK | (127u << 16));
  EXPECT_EQ(Grid->ScrollHintText(), "Row : " + std::to_string(100 - visible));
  Grid->OnScrollHint = [](TObject*, int r, std::string& s) { s = "to " + std::to_string(r); };
  Grid->Perform(WM_VSCROLL, SB_THUMBTRACK | (0u << 16));
  EXPECT_EQ(Grid->ScrollHintText(), "to 1");
  Grid->Perform(WM_VSCROLL, SB_ENDSCROLL);
  EXPECT_EQ(Grid->ScrollHintText(), "");
  // No columns or rows at all: scroll messages change nothing and raise nothing.
  Grid->SetColCount(0);
  Grid->SetRowCount(0);
  for (unsigned code : {SB_THUMBTRACK, SB_THUMBPOSITION, SB_LINEDOWN, SB_ENDSCROLL}) {
    Grid->Perform(WM_HSCROLL, code | (64u << 16));
    Grid->Perform(WM_VSCROLL, code | (64u << 16));
  }
  EXPECT_EQ(Grid->ColCount(), 0);
}

TEST_F(ProGridScrollTest, HintRowForAHundredRows) {
  // 100 rows, 1 fixed, 20 visible, thumb at 127: "Row : 80".
  Grid->SetRowCount(100);
  Grid->SetScrollBars(ssVertical);
  int h = 22 + 20 * 22 + 3;
  while (Grid->VisibleRowCount() != 20 && h > 0) {
    Grid->SetBounds(0, 0, 400, h);
    h += Grid->VisibleRowCount() < 20 ? 1 : -1;
  }
  ASSERT_EQ(Grid->VisibleRowCount(), 20);
  Grid->SetScrollHints(shVertical);
  Grid->Perform(WM_VSCROLL, SB_THUMBTRACK | (127u << 16));
  EXPECT_EQ(Grid->ScrollHintText(), "Row : 80");
}

TEST_F(ProGridScrollTest, StretchColumn) {
  Grid->SetColCount(3);
  Grid->SetBorderStyle(bsNone);
  Grid->SetScrollBars(ssNone);
  Grid->SetBounds(0, 0, 300, 200);
  ASSERT_EQ(Grid->ClientWidth(), 300);
  Grid->ColumnSize().SetStretch(true);
  EXPECT_EQ(Grid->ColWidths(2), 171);
  Grid->SetColWidths(0, 200);
  Grid->SetColWidths(1, 200);
  EXPECT_EQ(Grid->ColWidths(2), 64) << "no room: the default width";
  for (int bad : {3, -2})
    EXPECT_THROW(Grid->DoStretchColumn(bad), std::out_of_range) << bad;
  // Mended: after columns were removed an internal stretch skips the column that is gone.
  Grid->ColumnSize().SetStretchColumn(2);
  Grid->SetColCount(2);
  Grid->SetColWidths(0, 50);
  Form->SetBounds(0, 0, 600, 500);
  EXPECT_EQ(Grid->ColCount(), 2);
}

TEST_F(ProGridScrollTest, DragScrollingOnTheTestClock) {
  TFakeClock clock;
  TScopedClock use(clock);
  Grid->SetRowCount(100);
  Grid->SetTopRow(5);
  Grid->DragScrollOptions().SetActive(true);
  Grid->DragScrollOver(100, 3, false);
  EXPECT_EQ(Grid->DragScrollVert(), dsdUp);
  Application->ProcessTimers();
  EXPECT_EQ(Grid->TopRow(), 5) << "not before the initial delay";
  clock.Advance(999);
  Application->ProcessTimers();
  EXPECT_EQ(Grid->TopRow(), 5) << "not before the initial delay";
  clock.Advance(1);
  Application->ProcessTimers();
  EXPECT_EQ(Grid->TopRow(), 4);
  clock.Advance(250);
  Application->ProcessTimers();
  EXPECT_EQ(Grid->TopRow(), 3);
  int calls = 0;
  Grid->OnDragScroll = [&](TObject*, int, int, TDragScrollDirection&, bool& can) {
    ++calls;
    can = false;
  };
  clock.Advance(250);
  Application->ProcessTimers();
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(Grid->TopRow(), 3);
  Grid->OnDragScroll = nullptr;
  for (int i = 0; i < 10; ++i) {
    clock.Advance(250);
    Application->ProcessTimers();
  }
  EXPECT_EQ(Grid->TopRow(), 1) << "stops at the fixed rows";
  Grid->DragScrollOver(100, 100, true);
}

TEST_F(ProGridScrollTest, InsertAndRemoveRowsKeepHiddenRowsAndFlags) {
  Fill();
  Grid->HideRow(6);
  Grid->SetRowModified(7, true); // display 7 = real 8
  Grid->InsertRows(2, 2);
  EXPECT_EQ(Grid->RowCount(), 11);
  EXPECT_EQ(Grid->Cells(1, 2), "");
  EXPECT_EQ(Grid->Cells(1, 4), "1,2");
  EXPECT_TRUE(Grid->RowModified(9));
  EXPECT_TRUE(Grid->IsHiddenRow(8));
  EXPECT_EQ(Grid->AllCells(1, 8), "1,6");
  Grid->RemoveRows(2, 3);
  EXPECT_EQ(Grid->RowCount(), 8);
  EXPECT_EQ(Grid->Cells(1, 2), "1,3");
  EXPECT_TRUE(Grid->RowModified(6));
  EXPECT_TRUE(Grid->IsHiddenRow(5));
  Grid->UnHideRowsAll();
  EXPECT_EQ(Column(1), (std::vector<std::string>{"0", "1", "3", "4", "5", "6", "7", "8", "9"}));
  Grid->ClearRows(1, 2);
  EXPECT_EQ(Grid->Cells(1, 1), "");
  EXPECT_EQ(Grid->Cells(1, 3), "1,4");
  Grid->RemoveRows(5, 100);
  EXPECT_EQ(Grid->RowCount(), 5);
}

TEST_F(ProGridScrollTest, UpdateLockNests) {
  Grid->BeginUpdate();
  Grid->BeginUpdate();
  EXPECT_FALSE(Grid->Redraw());
  Grid->EndUpdate();
  EXPECT_FALSE(Grid->Redraw());
  Grid->EndUpdate();
  EXPECT_TRUE(Grid->Redraw());
  Grid->EndUpdate();
  EXPECT_EQ(Grid->UpdateCount(), 0);
}

TEST_F(ProGridScrollTest, SettingsCopyAsTheyShould) {
  THTMLSettings a, b;
  a.SetBorderSize(3);
  a.SetExportImages(false);
  b.Assign(&a);
  EXPECT_EQ(b.BorderSize(), 3);
  EXPECT_TRUE(b.ExportImages()) << "kept";
  TColumnSize cs;
  EXPECT_EQ(cs.StretchColumn(), -1);
  EXPECT_FALSE(cs.Stretch());
  cs.Assign(&a); // another class: ignored
  EXPECT_EQ(cs.StretchColumn(), -1);
}

namespace {
// Records the real columns whose text row 1 shows.
struct TRecordingGrid : TProStringGrid {
  using TProStringGrid::TProStringGrid;
  mutable std::vector<int> Drawn;
  void GetDisplText(int ACol, int ARow, std::string& Value) const override {
    if (ARow == 1) Drawn.push_back(ACol);
    TProStringGrid::GetDisplText(ACol, ARow, Value);
  }
};
} // namespace

// A hidden column's neighbours show their own texts.
TEST_F(ProGridScrollTest, DisplayedColumnsShowTheirRealColumns) {
  auto* g = new TRecordingGrid(Form);
  g->SetParent(Form);
  g->SetBounds(0, 0, 400, 100);
  for (int c = 0; c < 5; ++c)
    g->SetCells(c, 1, "c" + std::to_string(c));
  g->HideColumn(1);
  g->Drawn.clear();
  g->Repaint();
  ASSERT_GE(g->Drawn.size(), 4u);
  EXPECT_EQ(std::vector<int>(g->Drawn.begin(), g->Drawn.begin() + 4), (std::vector<int>{0, 2, 3, 4}));
}

TEST_F(ProGridScrollTest, GroupingAndLookSettings) {
  struct Case {
    const char* format;
    const char* want;
  } cases[] = {{"", " (7)"}, {" [%d]", " [7]"}, {"%s", " (7)"}, {"%d %d", " (7)"}};
  for (const Case& c : cases) {
    Grid->Grouping().SetGroupCountFormat(c.format);
    EXPECT_EQ(Grid->GroupCountText(7), c.want) << c.format; // mended: unfit patterns fall back
  }
  TGrouping g;
  g.SetShowGroupCount(true);
  g.SetHeaderLineWidth(5);
  Grid->Grouping().Assign(&g);
  EXPECT_TRUE(Grid->Grouping().ShowGroupCount());
  EXPECT_EQ(Grid->Grouping().HeaderLineWidth(), 2) << "line widths are not copied";
  TControlLook& look = Grid->ControlLook();
  EXPECT_EQ(look.ControlStyle(), csTheme);
  EXPECT_EQ(look.CheckSize(), 15);
  look.SetFixedGradientHoverFrom(0x123456);
  look.SetCheckSize(20);
  look.Init();
  EXPECT_EQ(look.FixedGradientHoverFrom(), 0x808080u) << "the initial hover colours, gray to white";
  EXPECT_EQ(look.FixedGradientDownBorder(), 0x808080u);
  EXPECT_EQ(look.CheckSize(), 20);
  EXPECT_EQ(Grid->SortSettings().Column(), -1);
  EXPECT_EQ(Grid->BackGround().ColorTo(), clBtnFace);
}

TEST_F(ProGridScrollTest, ScrollBarsAlwaysShownAndLoaded) {
  Grid->SetBounds(0, 0, 480, 380); // everything fits
  Application->ProcessMessages();
  EXPECT_EQ(Grid->VertScrollBar(), nullptr);
  Grid->SetScrollBarAlways(saVert);
  Application->ProcessMessages();
  ASSERT_NE(Grid->VertScrollBar(), nullptr);
  EXPECT_FALSE(Grid->VertScrollBar()->Enabled());
  EXPECT_EQ(Grid->HorzScrollBar(), nullptr);
  Grid->SetOptions(Grid->Options() | goAlwaysShowEditor);
  Grid->SetColumnHeaders({"", "Name"});
  Grid->Loaded();
  EXPECT_FALSE(Grid->Options() & goAlwaysShowEditor);
  EXPECT_TRUE(Grid->Navigation().AlwaysEdit());
  EXPECT_EQ(Grid->Cells(1, 0), "Name");
}
