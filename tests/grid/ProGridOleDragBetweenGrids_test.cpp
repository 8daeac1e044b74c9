// Cells dragged from one grid into another, and within one grid, through scripted drags: what
// arrives, and what a move leaves behind in the source.
#include "ProGridFixture.h"

#include "platform/ui/HeadlessServices.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class ProGridOleDragBetweenGrids : public TProGridTest<> {
protected:
  void SetUp() override {
    TProGridTest::SetUp();
    Grid->SetBounds(0, 0, 480, 190);
    Target = new TProStringGrid(Form);
    Target->SetParent(Form);
    Target->SetBounds(0, 200, 480, 190);
    for (TProStringGrid* g : {Grid, Target}) {
      g->SetColCount(6);
      g->SetRowCount(6);
    }
    Fill();
    Grid->DragDropSettings().SetOleDropSource(true);
    Target->DragDropSettings().SetOleDropTarget(true);
    // Dropped text is pasted under the editing rules.
    Target->SetOptions(Target->Options() | goEditing);
    Application->ProcessMessages();
  }
  void TearDown() override {
    Headless::ClearDragScripts();
    TProGridTest::TearDown();
  }
  void Fill() {
    Grid->SetCells(1, 1, "a");
    Grid->SetCells(2, 1, "b");
    Grid->SetCells(1, 2, "c");
    Grid->SetCells(2, 2, "d");
    Grid->SetColors(2, 2, clRed);
  }
  TPoint Mid(TProStringGrid* g, int c, int r) const {
    const TRect cr = g->CellRect(c, r);
    return {(cr.Left + cr.Right) / 2, (cr.Top + cr.Bottom) / 2};
  }
  // Drags the selection from its cell (1, 1) and drops it on cell (c, r) of `to`.
  void DragTo(TProStringGrid* to, int c, int r) {
    const TPoint at = Mid(to, c, r);
    Headless::OnNextDrag([to, at](Headless::TDragDriver& d) {
      d.MoveOver(*to, at);
      d.Drop();
    });
    const TPoint from = Mid(Grid, 1, 1);
    Headless::MouseDown(*Grid, from);
    Headless::MouseMove(*Grid, {from.X + 8, from.Y});
    Headless::MouseUp(*Grid, {from.X + 8, from.Y});
    Application->ProcessMessages();
    ASSERT_EQ(Headless::PendingDragScripts(), 0);
  }

  TProStringGrid* Target = nullptr;
};

TEST_F(ProGridOleDragBetweenGrids, CellsArriveWithTheirPropertiesAndAMoveClearsTheSource) {
  struct Case {
    const char* name;
    bool ownFormat;
    bool copyAlways;
    bool ctrl;
    bool colourArrives;
    bool sourceCleared;
  };
  const Case cases[] = {
      {"own format, move", true, false, false, true, true},
      {"own format, move with OleCopyAlways", true, true, false, true, false},
      {"own format, Ctrl copies", true, false, true, true, false},
      {"text only, move", false, false, false, false, true},
  };
  for (const Case& c : cases) {
    Fill();
    Target->ClearAll();
    Grid->Navigation().SetAllowFmtClipboard(c.ownFormat);
    Grid->DragDropSettings().SetOleCopyAlways(c.copyAlways);
    Grid->SetSelection(TGridRect{1, 1, 2, 2});
    {
      std::optional<Headless::THeldKeys> ctrl;
      if (c.ctrl) ctrl.emplace(std::initializer_list<std::uint16_t>{VK_CONTROL});
      DragTo(Target, 3, 2);
    }
    EXPECT_EQ(Target->Cells(3, 2), "a") << c.name;
    EXPECT_EQ(Target->Cells(4, 2), "b") << c.name;
    EXPECT_EQ(Target->Cells(3, 3), "c") << c.name;
    EXPECT_EQ(Target->Cells(4, 3), "d") << c.name;
    EXPECT_EQ(Target->Colors(4, 3) == clRed, c.colourArrives) << c.name;
    EXPECT_EQ(Grid->Cells(1, 1).empty(), c.sourceCleared) << c.name;
    EXPECT_EQ(Grid->Cells(2, 2).empty(), c.sourceCleared) << c.name;
  }
}

TEST_F(ProGridOleDragBetweenGrids, AMoveTheTargetDoesNotTakeLeavesTheSourceAlone) {
  // Text goes in under the editing rules: a grid without editing places nothing, so nothing moved.
  Target->SetOptions(Target->Options() & ~goEditing);
  int stopEffect = -1;
  Grid->OnOleDragStop = [&](TObject*, int effect) { stopEffect = effect; };
  Grid->SetSelection(TGridRect{1, 1, 2, 2});
  DragTo(Target, 3, 2);
  EXPECT_EQ(Target->Cells(3, 2), "");
  EXPECT_EQ(Grid->Cells(1, 1), "a");
  EXPECT_EQ(Grid->Cells(2, 2), "d");
  EXPECT_EQ(stopEffect, static_cast<int>(DROPEFFECT_NONE));
}

TEST_F(ProGridOleDragBetweenGrids, AMoveOntoItsOwnCellsKeepsWhatItDropped) {
  Grid->Navigation().SetAllowFmtClipboard(true);
  Grid->DragDropSettings().SetOleDropTarget(true);
  Grid->SetSelection(TGridRect{1, 1, 2, 2});
  DragTo(Grid, 2, 2);
  EXPECT_EQ(Grid->Cells(2, 2), "a");
  EXPECT_EQ(Grid->Cells(3, 2), "b");
  EXPECT_EQ(Grid->Cells(2, 3), "c");
  EXPECT_EQ(Grid->Cells(3, 3), "d");
  EXPECT_EQ(Grid->Cells(1, 1), "");
  EXPECT_EQ(Grid->Cells(2, 1), "");
  EXPECT_EQ(Grid->Cells(1, 2), "");
}

} // namespace
