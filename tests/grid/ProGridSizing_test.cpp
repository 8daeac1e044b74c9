#include "grid/ProGrid.h"

#include "platform/ui/Forms.h"
#include "platform/ui/Headless.h"
#include "support/UiTestFixture.h"

#include <gtest/gtest.h>

namespace {

class ProGridSizingTest : public TUiTest {
protected:
  void SetUp() override {
    TUiTest::SetUp();
    Form = new TForm(nullptr);
    Form->SetClientWidth(600);
    Form->SetClientHeight(400);
    Grid = new TProStringGrid(Form);
    Grid->SetParent(Form);
    Grid->SetBounds(0, 0, 560, 300);
    Grid->SetColCount(5);
    Grid->SetRowCount(6);
    Grid->SetOptions(Grid->Options() | goColSizing | goRowSizing);
    Form->Show();
    Application->ProcessMessages();
  }
  void TearDown() override {
    Form->Free();
    TUiTest::TearDown();
  }
  // Drags the right border of column c (in the fixed row) by dx pixels.
  void DragColBorder(int c, int dx) {
    const TRect r = Grid->CellRect(c, 0);
    Headless::MouseDown(*Grid, {r.Right, r.Top + 5});
    Headless::MouseMove(*Grid, {r.Right + dx, r.Top + 5});
    Headless::MouseUp(*Grid, {r.Right + dx, r.Top + 5});
  }
  void DragRowBorder(int r, int dy) {
    const TRect rc = Grid->CellRect(0, r);
    Headless::MouseDown(*Grid, {rc.Left + 5, rc.Bottom});
    Headless::MouseMove(*Grid, {rc.Left + 5, rc.Bottom + dy});
    Headless::MouseUp(*Grid, {rc.Left + 5, rc.Bottom + dy});
  }
  std::vector<int> Widths() const {
    std::vector<int> w;
    for (int c = 0; c < Grid->ColCount(); ++c)
      w.push_back(Grid->ColWidths(c));
    return w;
  }
  TForm* Form = nullptr;
  TProStringGrid* Grid = nullptr;
};

} // namespace

TEST_F(ProGridSizingTest, UserColumnResizeScalesOthersOnlyWithAllColumnSize) {
  struct Case {
    bool all;
    std::vector<int> start, want;
  } cases[] = {
      {false, {64, 50, 40, 64, 30}, {64, 75, 40, 64, 30}},
      // 50 -> 75 is factor 1.5 for every other normal column; the fixed column keeps its width.
      {true, {64, 50, 40, 64, 30}, {64, 75, 60, 96, 45}},
  };
  for (const Case& c : cases) {
    for (int i = 0; i < 5; ++i)
      Grid->SetColWidths(i, c.start[i]);
    Grid->MouseActions().SetAllColumnSize(c.all);
    DragColBorder(1, 25);
    EXPECT_EQ(Widths(), c.want) << "all " << c.all;
  }
}

TEST_F(ProGridSizingTest, EndAndUpdateColumnSizeFireOnceForTheUserResize) {
  std::vector<int> ended;
  Grid->OnEndColumnSize = [&](TObject* Sender, int ACol) {
    EXPECT_EQ(Sender, Grid);
    ended.push_back(ACol);
  };
  Grid->OnUpdateColumnSize = [&](TObject*, int ACol, int& AWidth) {
    if (ACol == 2) AWidth = std::min(AWidth, 70); // a handler clamps the width
  };
  DragColBorder(2, 40);
  EXPECT_EQ(ended, std::vector<int>{2});
  EXPECT_EQ(Grid->ColWidths(2), 70);
  // Widths set by code are no user resize.
  Grid->SetColWidths(3, 90);
  EXPECT_EQ(ended, std::vector<int>{2});
  // Unassigned events leave the user's width.
  Grid->OnEndColumnSize = nullptr;
  Grid->OnUpdateColumnSize = nullptr;
  DragColBorder(3, 10);
  EXPECT_EQ(Grid->ColWidths(3), 100);
}

TEST_F(ProGridSizingTest, UserRowResizeWithAllRowSizeAndEndRowSize) {
  std::vector<int> ended;
  Grid->OnEndRowSize = [&](TObject*, int ARow) { ended.push_back(ARow); };
  Grid->MouseActions().SetAllRowSize(true);
  DragRowBorder(2, 11); // 22 -> 33: factor 1.5
  EXPECT_EQ(ended, std::vector<int>{2});
  EXPECT_EQ(Grid->RowHeights(0), 22);
  for (int r = 1; r < Grid->RowCount(); ++r)
    EXPECT_EQ(Grid->RowHeights(r), 33) << r;
}

TEST_F(ProGridSizingTest, IsSizingBorderCases) {
  const TRect head = Grid->CellRect(2, 0);
  const TRect fixed = Grid->CellRect(0, 3);
  const TRect normal = Grid->CellRect(3, 4);
  struct Case {
    TGridOptions extra; // options removed
    int x, y;
    bool want;
  } cases[] = {
      {0, head.Left + 2, head.Top + 8, true},
      {0, head.Right - 3, head.Top + 8, true},
      {0, head.Left + 20, head.Top + 8, false},
      {goColSizing, head.Left + 2, head.Top + 8, false},
      {0, fixed.Left + 20, fixed.Top + 2, true},
      {0, fixed.Left + 20, fixed.Top + 10, false},
      {goRowSizing, fixed.Left + 20, fixed.Top + 2, false},
      {0, normal.Left + 1, normal.Top + 1, false},
      {0, 2000, 2000, false},
  };
  const TGridOptions base = Grid->Options();
  for (const Case& c : cases) {
    Grid->SetOptions(base & ~c.extra);
    EXPECT_EQ(Grid->IsSizingBorder(c.x, c.y), c.want) << c.x << "," << c.y;
  }
}
