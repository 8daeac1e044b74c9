// Dragging out of the string grid through scripted drags: when a press and a move start a drag,
// what is offered, what a taken move removes, the effect the source keeps, the picture that
// follows the pointer, and the release of a kept selection when no drag started.
#include "ProGridFixture.h"

#include "grid/AsgDD.h"
#include "grid/GridAuxWindows.h"
#include "grid/GridDropSource.h"
#include "platform/Streams.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/HeadlessServices.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A foreign drop target that takes a chosen effect and keeps what it was offered.
class TRecordingTarget : public IDropTarget {
public:
  unsigned Take = DROPEFFECT_MOVE;       // shown while over it
  unsigned TakeOnDrop = DROPEFFECT_MOVE; // taken at the drop
  IDataObjectPtr Data;
  int Drops = 0;

  HRESULT DragEnter(const IDataObjectPtr& data, unsigned, TPoint, unsigned& effect) override {
    Data = data;
    effect &= Take;
    return S_OK;
  }
  HRESULT DragOver(unsigned, TPoint, unsigned& effect) override {
    effect &= Take;
    return S_OK;
  }
  HRESULT DragLeave() override { return S_OK; }
  HRESULT Drop(const IDataObjectPtr& data, unsigned, TPoint, unsigned& effect) override {
    Data = data;
    ++Drops;
    effect &= TakeOnDrop;
    return S_OK;
  }
};

class ProGridOleDrag : public TProGridTest<> {
protected:
  void SetUp() override {
    TProGridTest::SetUp();
    SetAcceptDropRTF(false);
    Grid->SetBounds(0, 0, 480, 300);
    Grid->SetColCount(6);
    Grid->SetRowCount(10);
    for (int c = 0; c < 6; ++c)
      for (int r = 0; r < 10; ++r)
        Grid->SetCells(c, r, std::to_string(c) + "," + std::to_string(r));
    Grid->DragDropSettings().SetOleDropSource(true);
    Grid->SetSelection(TGridRect{1, 1, 2, 2});
    Other = new TPanel(Form);
    Other->SetParent(Form);
    Other->SetBounds(0, 310, 480, 80);
    Target = std::make_shared<TRecordingTarget>();
    ASSERT_EQ(RegisterDragDrop(Other, Target), S_OK);
    Grid->OnOleDragStop = [this](TObject*, int effect) { Stops.push_back(effect); };
    Grid->SetFocus();
    Application->ProcessMessages();
  }
  void TearDown() override {
    Headless::ClearDragScripts();
    SetAcceptDropRTF(false);
    TProGridTest::TearDown();
  }
  TPoint Mid(int c, int r) const {
    const TRect cr = Grid->CellRect(c, r);
    return {(cr.Left + cr.Right) / 2, (cr.Top + cr.Bottom) / 2};
  }
  // Presses at `from`, moves the held mouse to `to` (where a drag may start and run the script)
  // and lets go there.
  void PressMoveRelease(TPoint from, TPoint to) {
    Headless::MouseDown(*Grid, from);
    Headless::MouseMove(*Grid, to);
    Headless::MouseUp(*Grid, to);
    Application->ProcessMessages();
  }
  // Drags cell (1, 1) of the selection onto the other control and drops it there.
  void DragToOther(TPoint from = {}, TPoint at = {20, 20}) {
    if (from.X == 0 && from.Y == 0) from = Mid(1, 1);
    Headless::OnNextDrag([this, at](Headless::TDragDriver& d) {
      d.MoveOver(*Other, at);
      d.Drop();
    });
    PressMoveRelease(from, {from.X + 10, from.Y});
  }
  bool DragStarted() const { return Headless::PendingDragScripts() == 0; }

  TPanel* Other = nullptr;
  std::shared_ptr<TRecordingTarget> Target;
  std::vector<int> Stops;
};

TEST_F(ProGridOleDrag, DragStartsOnlyPastThreePixelsFromAPressOnTheSelection) {
  struct Case {
    const char* name;
    TPoint press; // cell
    TPoint move;  // pixels from the press
    bool source;
    bool editing;
    bool starts;
  };
  const Case cases[] = {
      {"3 pixels right", {1, 1}, {3, 0}, true, false, false},
      {"3 pixels up and left", {1, 1}, {-3, -3}, true, false, false},
      {"4 pixels right", {1, 1}, {4, 0}, true, false, true},
      {"4 pixels up", {2, 2}, {0, -4}, true, false, true},
      {"press outside the selection", {3, 3}, {10, 0}, true, false, false},
      {"no drop source", {1, 1}, {10, 0}, false, false, false},
      {"editing", {1, 1}, {10, 0}, true, true, false},
  };
  for (const Case& c : cases) {
    Headless::ClearDragScripts();
    Grid->SetOptions(c.editing ? Grid->Options() | goEditing : Grid->Options() & ~goEditing);
    Grid->DragDropSettings().SetOleDropSource(c.source);
    Grid->SetSelection(TGridRect{1, 1, 2, 2});
    Headless::OnNextDrag([](Headless::TDragDriver& d) { d.Cancel(); });
    const TPoint from = Mid(c.press.X, c.press.Y);
    Headless::MouseDown(*Grid, from);
    Headless::MouseMove(*Grid, {from.X + c.move.X, from.Y + c.move.Y});
    EXPECT_EQ(DragStarted(), c.starts) << c.name;
    Headless::MouseUp(*Grid, {from.X + c.move.X, from.Y + c.move.Y});
    Application->ProcessMessages();
  }
}

TEST_F(ProGridOleDrag, AReleaseWithoutADragSelectsThePressedCell) {
  Headless::MouseDown(*Grid, Mid(2, 2));
  EXPECT_EQ(Grid->Selection(), (TGridRect{1, 1, 2, 2})) << "the press keeps the selection";
  Headless::MouseUp(*Grid, Mid(2, 2));
  EXPECT_EQ(Grid->Selection(), (TGridRect{2, 2, 2, 2}));

  Grid->SetOptions(Grid->Options() | goRowSelect);
  Grid->SetSelection(TGridRect{1, 3, 5, 4});
  Headless::MouseDown(*Grid, Mid(2, 4));
  Headless::MouseUp(*Grid, Mid(2, 4));
  EXPECT_EQ(Grid->Selection(), (TGridRect{1, 4, 5, 4}));
}

TEST_F(ProGridOleDrag, ARefusedDragBecomesARangeSelectionFromThePressedCell) {
  struct Case {
    const char* name;
    bool columnsOnly;
    bool handlerRefuses;
  };
  const Case cases[] = {
      {"columns only, from a normal row", true, false},
      {"OnOleDrag refuses", false, true},
  };
  for (const Case& c : cases) {
    Headless::ClearDragScripts();
    Grid->DragDropSettings().SetOleColumnsOnly(c.columnsOnly);
    std::vector<std::string> asked;
    Grid->OnOleDrag = [&](TObject*, int r, int col, const std::string& text, bool& allow) {
      asked.push_back(std::to_string(col) + " " + std::to_string(r) + " " + text);
      if (c.handlerRefuses) allow = false;
    };
    Grid->SetSelection(TGridRect{1, 1, 2, 2});
    Headless::OnNextDrag([](Headless::TDragDriver& d) { d.Cancel(); });
    Headless::MouseDown(*Grid, Mid(2, 2));
    Headless::MouseMove(*Grid, Mid(3, 2));
    EXPECT_FALSE(DragStarted()) << c.name;
    EXPECT_EQ(Grid->GridState(), gsSelecting) << c.name;
    Headless::MouseMove(*Grid, Mid(4, 3));
    Headless::MouseUp(*Grid, Mid(4, 3));
    EXPECT_EQ(Grid->Selection(), (TGridRect{2, 2, 4, 3})) << c.name;
    EXPECT_EQ(asked, c.handlerRefuses ? std::vector<std::string>{"2 2 2,2"} : std::vector<std::string>{})
        << c.name;
  }
}

TEST_F(ProGridOleDrag, DragOffersTheSelectionTheCellsAndTheColumn) {
  SetAcceptDropRTF(true);
  Target->Take = Target->TakeOnDrop = DROPEFFECT_COPY;
  // A header press keeps the selection for a drag only without the grid's own column move.
  Grid->SetEnhRowColMove(false);
  struct Case {
    const char* name;
    bool fmt;
    bool header; // press on the header of column 3
    bool text, rtf, cells, col;
  };
  const Case cases[] = {
      {"selection", false, false, true, true, false, false},
      {"selection with the grid's own format", true, false, true, true, true, false},
      {"column by its header", true, true, false, false, false, true},
  };
  for (const Case& c : cases) {
    Grid->Navigation().SetAllowFmtClipboard(c.fmt);
    Grid->DragDropSettings().SetOleColumnDragDrop(c.header);
    Grid->SetSelection(TGridRect{1, 1, 2, 2});
    Target->Data.reset();
    DragToOther(c.header ? Mid(3, 0) : Mid(1, 1));
    ASSERT_TRUE(Target->Data) << c.name;
    TEnumFormats offered(Target->Data);
    // The format list always names text and RTF; what counts is what the object renders.
    EXPECT_EQ(Target->Data->QueryGetData(FormatEtc(CF_UNICODETEXT)) == S_OK, c.text) << c.name;
    EXPECT_EQ(Target->Data->QueryGetData(FormatEtc(CF_GRIDRTF())) == S_OK, c.rtf) << c.name;
    EXPECT_EQ(offered.HasGridCells(), c.cells) << c.name;
    EXPECT_EQ(offered.HasCol(), c.col) << c.name;
    if (c.text) {
      EXPECT_EQ(offered.Text(), "1,1\t2,1\r\n1,2\t2,2\r\n") << c.name;
      EXPECT_EQ(offered.RTF(), "1,1") << c.name;
    }
    if (c.cells) {
      TMemoryStream expected;
      Grid->SaveRectToBinStream(TGridRect{1, 1, 2, 2}, expected);
      auto stream = offered.Stream();
      ASSERT_TRUE(stream) << c.name;
      EXPECT_EQ(stream->Bytes(), expected.Bytes()) << c.name;
    }
    if (c.col) {
      EXPECT_EQ(offered.Col(), 3) << c.name;
    }
  }
}

TEST_F(ProGridOleDrag, ATakenMoveClearsTheDraggedCellsUnlessCopyAlways) {
  struct Case {
    const char* name;
    unsigned shown, taken;
    bool copyAlways;
    bool cleared;
    std::vector<int> stops;
  };
  const Case cases[] = {
      {"move", DROPEFFECT_MOVE, DROPEFFECT_MOVE, false, true, {DROPEFFECT_MOVE}},
      {"copy", DROPEFFECT_COPY, DROPEFFECT_COPY, false, false, {DROPEFFECT_COPY}},
      {"move with OleCopyAlways", DROPEFFECT_MOVE, DROPEFFECT_MOVE, true, false, {DROPEFFECT_MOVE}},
      {"move shown, nothing taken at the drop", DROPEFFECT_MOVE, DROPEFFECT_NONE, false, false, {0}},
      {"nothing shown: cancelled", DROPEFFECT_NONE, DROPEFFECT_MOVE, false, false, {}},
  };
  for (const Case& c : cases) {
    Grid->SetCells(1, 1, "a");
    Grid->SetCells(2, 2, "b");
    Grid->SetSelection(TGridRect{1, 1, 2, 2});
    Grid->DragDropSettings().SetOleCopyAlways(c.copyAlways);
    Target->Take = c.shown;
    Target->TakeOnDrop = c.taken;
    Stops.clear();
    DragToOther();
    EXPECT_EQ(Grid->Cells(1, 1).empty(), c.cleared) << c.name;
    EXPECT_EQ(Grid->Cells(2, 2).empty(), c.cleared) << c.name;
    EXPECT_EQ(Grid->Cells(3, 3), "3,3") << c.name;
    EXPECT_EQ(Stops, c.stops) << c.name;
  }
}

TEST_F(ProGridOleDrag, EscapeCancelsWithoutChangeOrStopEvent) {
  Headless::OnNextDrag([this](Headless::TDragDriver& d) {
    d.MoveOver(*Other, {10, 10});
    d.Cancel();
  });
  PressMoveRelease(Mid(1, 1), Mid(3, 1));
  EXPECT_TRUE(DragStarted());
  EXPECT_EQ(Grid->Cells(1, 1), "1,1");
  EXPECT_TRUE(Stops.empty());
}

TEST_F(ProGridOleDrag, OleRemoveRowsTakesTheDraggedRowsAwayOnAMove) {
  struct Case {
    const char* name;
    bool rowSelect;
    unsigned taken;
    int rows;
    std::string row2; // column 1 of row 2 afterwards
  };
  const Case cases[] = {
      {"rows selected, moved", true, DROPEFFECT_MOVE, 8, "1,4"},
      {"rows selected, copied", true, DROPEFFECT_COPY, 10, "1,2"},
      {"cells selected: cleared, not removed", false, DROPEFFECT_MOVE, 10, ""},
  };
  for (const Case& c : cases) {
    Grid->SetRowCount(10);
    for (int r = 1; r < 10; ++r)
      Grid->SetCells(1, r, "1," + std::to_string(r));
    Grid->DragDropSettings().SetOleRemoveRows(true);
    Grid->SetOptions(c.rowSelect ? Grid->Options() | goRowSelect : Grid->Options() & ~goRowSelect);
    Grid->SetSelection(c.rowSelect ? TGridRect{1, 2, 5, 3} : TGridRect{1, 2, 2, 3});
    Target->Take = Target->TakeOnDrop = c.taken;
    DragToOther(Mid(1, 2));
    EXPECT_EQ(Grid->RowCount(), c.rows) << c.name;
    EXPECT_EQ(Grid->Cells(1, 2), c.row2) << c.name;
    EXPECT_EQ(Grid->Cells(1, 1), "1,1") << c.name;
  }
}

TEST_F(ProGridOleDrag, AMovedColumnLeavesTheCellsAlone) {
  Grid->DragDropSettings().SetOleColumnDragDrop(true);
  Grid->SetEnhRowColMove(false);
  Grid->SetSelection(TGridRect{3, 1, 3, 9});
  DragToOther(Mid(3, 0));
  EXPECT_EQ(Stops, (std::vector<int>{DROPEFFECT_MOVE}));
  for (int r = 0; r < 10; ++r)
    EXPECT_EQ(Grid->Cells(3, r), "3," + std::to_string(r));
}

TEST_F(ProGridOleDrag, TheDragStartsAndEndsAroundBlockedFocus) {
  std::vector<std::string> log;
  Grid->OnOleDragStart = [&](TObject*, int r, int c) {
    log.push_back("start " + std::to_string(c) + " " + std::to_string(r));
  };
  Grid->OnStartBlockFocus = [&](TObject*) { log.push_back("block"); };
  Grid->OnEndBlockFocus = [&](TObject*) { log.push_back("unblock"); };
  Grid->OnOleDragStop = [&](TObject*, int) { log.push_back("stop"); };
  Headless::OnNextDrag([&](Headless::TDragDriver& d) {
    log.push_back("drag");
    d.MoveOver(*Other, {10, 10});
    d.Drop();
  });
  // The pointer reaches the next cell; the drag is still the pressed cell's.
  const TRect cell = Grid->CellRect(2, 1);
  PressMoveRelease({cell.Right - 5, cell.Top + 5}, {cell.Right + 5, cell.Top + 5});
  EXPECT_EQ(log, (std::vector<std::string>{"start 2 1", "block", "drag", "stop", "unblock"}));
}

TEST_F(ProGridOleDrag, ThePictureFollowsThePointerAndGoesAtTheEnd) {
  TRect during{};
  bool shown = false;
  Headless::OnNextDrag([&](Headless::TDragDriver& d) {
    d.MoveOver(*Other, {30, 20});
    d.MoveOver(*Other, {60, 40});
    if (TForm* f = Grid->MoveForm()) {
      shown = f->Visible();
      during = {f->Left(), f->Top(), f->Left() + f->ClientWidth(), f->Top() + f->ClientHeight()};
    }
    d.Drop();
  });
  PressMoveRelease(Mid(1, 1), Mid(3, 1));
  const TPoint pointer = Other->ClientToScreen({60, 40});
  EXPECT_TRUE(shown);
  EXPECT_EQ(during.Left, pointer.X + 4);
  EXPECT_EQ(during.Top, pointer.Y + 4);
  const TRect a = Grid->CellRect(1, 1), b = Grid->CellRect(2, 2);
  EXPECT_EQ(during.Right - during.Left, b.Right - a.Left) << "the two selected columns";
  EXPECT_EQ(during.Bottom - during.Top, b.Bottom - a.Top) << "the two selected rows";
  EXPECT_EQ(Grid->MoveForm(), nullptr);
}

TEST_F(ProGridOleDrag, WithoutShowCellsAColumnDragShowsTheHeaderButton) {
  Grid->DragDropSettings().SetShowCells(false);
  Grid->DragDropSettings().SetOleColumnDragDrop(true);
  Grid->SetEnhRowColMove(false);
  Grid->SetCells(3, 0, "Name");
  std::string caption;
  TPoint bottomLeft{-1, -1};
  bool shown = false;
  Headless::OnNextDrag([&](Headless::TDragDriver& d) {
    d.MoveOver(*Other, {50, 30});
    THeaderDragButton* b = Grid->MoveButton();
    shown = b->Visible();
    caption = b->Caption();
    bottomLeft = b->Parent() ? b->Parent()->ClientToScreen({b->Left(), b->Top() + b->Height()})
                             : TPoint{b->Left(), b->Top() + b->Height()};
    d.Drop();
  });
  PressMoveRelease(Mid(3, 0), Mid(4, 0));
  EXPECT_TRUE(shown);
  EXPECT_EQ(caption, "Name");
  EXPECT_EQ(bottomLeft, Other->ClientToScreen({50, 30}));
  EXPECT_FALSE(Grid->MoveButton()->Visible());
  EXPECT_EQ(Grid->MoveForm(), nullptr);
}

TEST(GridDropSource, CurrentEffectKeepsTheLastMoveOrCopy) {
  struct Case {
    std::vector<unsigned> reported;
    unsigned last;
  };
  const Case cases[] = {
      {{}, 0},
      {{DROPEFFECT_MOVE, DROPEFFECT_LINK}, DROPEFFECT_MOVE},
      {{DROPEFFECT_COPY, DROPEFFECT_NONE}, DROPEFFECT_COPY},
      {{DROPEFFECT_LINK}, 0},
      {{DROPEFFECT_MOVE, DROPEFFECT_COPY}, DROPEFFECT_COPY},
      {{DROPEFFECT_COPY | DROPEFFECT_MOVE}, 0},
  };
  for (const Case& c : cases) {
    TGridDropSource source(nullptr);
    for (unsigned e : c.reported)
      source.CurrentEffect(e);
    EXPECT_EQ(source.LastEffect(), c.last);
  }
}

} // namespace
