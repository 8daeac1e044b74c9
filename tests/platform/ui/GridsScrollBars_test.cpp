// The grid's scroll bars: the default thumb mapping and a descendant's own, one row per line step
// on a 256-row table, and a bar that shows disabled when there is nothing to scroll.
#include "support/ControlPicture.h"
#include "support/UiTestFixture.h"

#include "platform/ui/Forms.h"
#include "platform/ui/Grids.h"

#include <string>

namespace {

// A grid whose bar has a position per row (as proportional scrolling wants it).
class TRowBarGrid : public TStringGrid {
public:
  using TStringGrid::TStringGrid;
  bool ByRow = false;
  bool AlwaysShown = false;
  TGridScrollInfo GetScrollInfo(bool vertical) const override {
    return ByRow ? IndexScrollInfo(vertical) : TStringGrid::GetScrollInfo(vertical);
  }
  int ScrollPosToIndex(bool vertical, int pos) const override {
    return ByRow ? pos : TStringGrid::ScrollPosToIndex(vertical, pos);
  }
  bool ScrollBarAlwaysShown(bool vertical) const override { return AlwaysShown && vertical; }
};

class GridsScrollBars : public TUiTest {
protected:
  void SetUp() override {
    TUiTest::SetUp();
    Form.reset(new TForm(nullptr));
    Form->SetClientWidth(420);
    Form->SetClientHeight(320);
    Grid = new TRowBarGrid(Form.get());
    Grid->SetParent(Form.get());
    Grid->SetBounds(0, 0, 400, 300);
    Grid->SetColCount(5);
    Grid->SetRowCount(256);
    Form->Show();
    Application->ProcessMessages();
  }
  void TearDown() override {
    Form.reset();
    TUiTest::TearDown();
  }
  void BarStep(unsigned code, int pos = 0) {
    ASSERT_NE(Grid->VertScrollBar(), nullptr);
    Grid->VertScrollBar()->Perform(WM_VSCROLL, (static_cast<WPARAM>(pos) << 16) | code);
  }
  TOwned<TForm> Form;
  TRowBarGrid* Grid = nullptr;
};

TEST_F(GridsScrollBars, A256RowTableScrollsOneRowPerLineStep) {
  for (bool byRow : {false, true}) {
    SCOPED_TRACE(byRow ? "a position per row" : "thumb mapping");
    Grid->ByRow = byRow;
    Grid->SetTopRow(1);
    for (int step = 1; step <= 10; ++step) {
      BarStep(SB_LINEDOWN);
      ASSERT_EQ(Grid->TopRow(), 1 + step);
      EXPECT_EQ(Grid->VertScrollBar()->Position(), Grid->GetScrollInfo(true).Pos);
    }
    BarStep(SB_LINEUP);
    EXPECT_EQ(Grid->TopRow(), 10);
    BarStep(SB_BOTTOM);
    EXPECT_EQ(Grid->TopRow(), Grid->MaxTopRow());
  }

  // With a position per row the bar's numbers are rows: its range ends at the last top row and its
  // thumb lands on the row it names.
  TScrollBar* bar = Grid->VertScrollBar();
  EXPECT_EQ(bar->Min(), 1);
  EXPECT_EQ(bar->PageSize(), Grid->VisibleRowCount());
  EXPECT_EQ(bar->Max() - bar->PageSize() + 1, Grid->MaxTopRow());
  Grid->Perform(WM_VSCROLL, (static_cast<WPARAM>(200) << 16) | SB_THUMBPOSITION);
  EXPECT_EQ(Grid->TopRow(), 200);
  EXPECT_EQ(bar->Position(), 200);

  // The thumb mapping spreads the rows over 0 .. ThumbMax.
  Grid->ByRow = false;
  Grid->Perform(WM_VSCROLL, (static_cast<WPARAM>(TGridCore::ThumbMax) << 16) | SB_THUMBPOSITION);
  EXPECT_EQ(Grid->TopRow(), Grid->MaxTopRow());
  Grid->Perform(WM_VSCROLL, SB_THUMBPOSITION);
  EXPECT_EQ(Grid->TopRow(), 1);
}

TEST_F(GridsScrollBars, APositionPerRowReachesRowsBeyondSixteenBits) {
  Grid->ByRow = true;
  Grid->SetRowCount(100'000);
  ASSERT_NE(Grid->VertScrollBar(), nullptr);
  Grid->VertScrollBar()->Perform(WM_VSCROLL, (static_cast<WPARAM>(70'000) << 16) | SB_THUMBPOSITION);
  EXPECT_EQ(Grid->TopRow(), 70'000);
  EXPECT_EQ(Grid->VertScrollBar()->Position(), 70'000);
  BarStep(SB_BOTTOM);
  EXPECT_EQ(Grid->TopRow(), Grid->MaxTopRow());
}

TEST_F(GridsScrollBars, ABarThatIsNotNeededShowsDisabledWhenAskedTo) {
  Grid->SetRowCount(3);
  EXPECT_EQ(Grid->VertScrollBar(), nullptr);
  int fullWidth = Grid->ClientWidth();
  Grid->AlwaysShown = true;
  Grid->SetScrollBars(ssBoth);
  ASSERT_NE(Grid->VertScrollBar(), nullptr);
  EXPECT_FALSE(Grid->VertScrollBar()->Enabled());
  EXPECT_LT(Grid->ClientWidth(), fullWidth) << "the shown bar takes its room";
  Grid->SetRowCount(256);
  EXPECT_TRUE(Grid->VertScrollBar()->Enabled());
}

} // namespace

namespace {

// A grid built in a window that is not shown places its bar controls only when they are asked
// for or its widget comes; they must then say what the bars of a grid built shown say.
TEST_F(GridsScrollBars, BarsOfAGridBuiltHiddenMatchABuiltShownOne) {
  auto bars = [](TCustomGrid& g) {
    std::string s;
    for (TScrollBar* b : {g.VertScrollBar(), g.HorzScrollBar()}) {
      if (!b) {
        s += "none; ";
        continue;
      }
      s += std::to_string(b->Position()) + " " + std::to_string(b->Min()) + "-" + std::to_string(b->Max()) +
           " page " + std::to_string(b->PageSize()) + " at " + std::to_string(b->Left()) + "," +
           std::to_string(b->Top()) + " " + std::to_string(b->Width()) + "x" + std::to_string(b->Height()) +
           (b->Enabled() ? "" : " disabled") + (b->Visible() ? "; " : " hidden; ");
    }
    return s;
  };
  auto build = [](TForm& form) {
    auto* g = new TStringGrid(&form);
    g->SetParent(&form);
    g->SetBounds(0, 0, 300, 200);
    g->SetColCount(12);
    g->SetRowCount(80);
    g->SetTopRow(30);
    g->SetColWidths(3, 150);
    g->SetRowCount(20);
    return g;
  };
  TOwned<TForm> hiddenForm(new TForm(nullptr));
  hiddenForm->SetClientWidth(420);
  hiddenForm->SetClientHeight(320);
  TStringGrid* hidden = build(*hiddenForm);
  TStringGrid* shown = build(*Form);
  Application->ProcessMessages();
  EXPECT_FALSE(hidden->HasWidget());
  EXPECT_EQ(bars(*hidden), bars(*shown));
  hidden->SetRowCount(2);
  shown->SetRowCount(2);
  hiddenForm->Show();
  Application->ProcessMessages();
  // Drawn before anything asks for the bars again: the widget's coming placed them.
  ASSERT_LT(shown->ClientHeight(), 200) << "the horizontal bar shows";
  const TBitmap a = RenderPicture(*shown), b = RenderPicture(*hidden);
  ASSERT_EQ(a.Width(), b.Width());
  ASSERT_EQ(a.Height(), b.Height());
  int differing = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if ((x >= shown->ClientWidth() || y >= shown->ClientHeight()) && a.Pixel(x, y) != b.Pixel(x, y))
        ++differing;
  EXPECT_EQ(differing, 0) << "the bars look alike (the cells show the focus of one grid only)";
  EXPECT_EQ(bars(*hidden), bars(*shown)) << "the vertical bar went when the rows did";
}

} // namespace
