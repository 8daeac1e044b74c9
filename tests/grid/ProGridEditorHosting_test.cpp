#include "ProGridFixture.h"

#include "grid/GridCombo.h"
#include "platform/ui/Headless.h"

#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Messages.h"
#include "support/FakeTimers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Opens the wheel steps to the test.
class TWheelGrid : public TProStringGrid {
public:
  using TProStringGrid::DoMouseWheelDown;
  using TProStringGrid::DoMouseWheelUp;
  using TProStringGrid::TProStringGrid;
};

class ProGridEditorHosting : public TProGridTest<TWheelGrid> {
protected:
  void SetUp() override {
    TProGridTest::SetUp();
    Grid->SetBounds(0, 0, 480, 380);
    Grid->SetColCount(6);
    Grid->SetRowCount(10);
    Grid->SetOptions(Grid->Options() | goEditing);
    Grid->SetFocus();
    Application->ProcessMessages();
  }
  // Opens the runtime edit on a cell with a new text typed into it.
  void EditWith(int c, int r, const std::string& text) {
    Grid->MoveCurrentCell(c, r);
    Grid->ShowInplaceEdit();
    ASSERT_TRUE(Grid->EditMode());
    ASSERT_TRUE(Grid->InplaceEditor() && Grid->InplaceEditor()->Visible());
    Grid->InplaceEditor()->SetText(text);
  }
};

TEST_F(ProGridEditorHosting, EditCellDoneComesAfterTheCallerReturned) {
  std::vector<std::string> log;
  Grid->OnEditingDone = [&](TObject*) { log.push_back("editingdone"); };
  Grid->OnEditCellDone = [&](TObject*, int c, int r) {
    log.push_back("celldone " + std::to_string(c) + " " + std::to_string(r));
  };
  Grid->PostEditDone(2, 3);
  log.push_back("returned");
  Application->ProcessMessages();
  EXPECT_EQ(log, (std::vector<std::string>{"editingdone", "returned", "celldone 2 3"}));
}

TEST_F(ProGridEditorHosting, DownOnTheLastNormalRowAppendsAndMovesIntoIt) {
  Grid->Navigation().SetAppendOnArrowDown(true);
  EditWith(2, 9, "last");
  Grid->DoneInplaceEdit(VK_DOWN, 0);
  EXPECT_EQ(Grid->Cells(2, 9), "last") << "written back first";
  EXPECT_EQ(Grid->RowCount(), 11);
  EXPECT_EQ(Grid->Row(), 10);
  EXPECT_FALSE(Grid->EditMode());
}

TEST_F(ProGridEditorHosting, AFloatingFooterStaysLastWhenARowIsAppended) {
  Grid->Navigation().SetAppendOnArrowDown(true);
  Grid->FloatingFooter().SetVisible(true);
  Grid->SetCells(1, 9, "footer");
  EditWith(2, 8, "x");
  Grid->DoneInplaceEdit(VK_DOWN, 0);
  EXPECT_EQ(Grid->RowCount(), 11);
  EXPECT_EQ(Grid->Row(), 9);
  EXPECT_EQ(Grid->Cells(1, 10), "footer");
}

TEST_F(ProGridEditorHosting, ClosingKeysMoveAsTheyDoInTheGrid) {
  Grid->SetOptions(Grid->Options() | goTabs);
  struct Case {
    std::uint16_t Key;
    int Col, Row;
  };
  for (const Case& c :
       {Case{VK_TAB, 3, 4}, Case{VK_RIGHT, 3, 4}, Case{VK_DOWN, 2, 5}, Case{VK_ESCAPE, 2, 4}}) {
    EditWith(2, 4, "t" + std::to_string(c.Key));
    Grid->DoneInplaceEdit(c.Key, 0);
    EXPECT_EQ(Grid->Col(), c.Col) << "key " << c.Key;
    EXPECT_EQ(Grid->Row(), c.Row) << "key " << c.Key;
    EXPECT_EQ(Grid->Cells(2, 4), "t" + std::to_string(c.Key)) << "committed also on Escape";
  }
}

TEST_F(ProGridEditorHosting, ScrollingLeavesTheEditOpen) {
  Grid->SetRowCount(60);
  EditWith(2, 10, "open");
  Grid->SetTopRow(3);
  EXPECT_TRUE(Grid->EditMode());
  EXPECT_TRUE(Grid->InplaceEditor()->Visible());
  EXPECT_EQ(Grid->InplaceEditor()->Text(), "open");
}

TEST_F(ProGridEditorHosting, ScrollingCommitsAndClosesASpecialEditor) {
  Grid->SetRowCount(60);
  Grid->OnGetEditorType = [](TObject*, int, int, TEditorType& Kind) { Kind = edComboEdit; };
  Grid->MoveCurrentCell(2, 10);
  Grid->ShowInplaceEdit();
  Application->ProcessMessages();
  TGridCombo* combo = Grid->EditCombo();
  ASSERT_TRUE(combo->Visible());
  combo->SetText("");
  Headless::TypeText(*combo, "typed");
  Grid->SetTopRow(3);
  Application->ProcessMessages();
  EXPECT_FALSE(combo->Visible());
  EXPECT_FALSE(Grid->EditMode());
  EXPECT_EQ(Grid->Cells(2, 10), "typed");
  EXPECT_TRUE(Grid->Focused()) << "the focus the editor had goes back to the grid";
}

TEST_F(ProGridEditorHosting, ScrollingWheelStepsOnlyReport) {
  Grid->SetRowCount(60);
  Grid->MouseActions().SetWheelAction(waScroll);
  Grid->MoveCurrentCell(2, 5);
  std::vector<std::string> log;
  Grid->OnMouseWheelDown = [&](TObject*, TShiftState, TPoint, bool&) { log.push_back("down"); };
  Grid->OnMouseWheelUp = [&](TObject*, TShiftState, TPoint, bool&) { log.push_back("up"); };
  Grid->DoMouseWheelDown(0, {10, 10});
  Grid->DoMouseWheelUp(0, {10, 10});
  EXPECT_EQ(log, (std::vector<std::string>{"down", "up"}));
  EXPECT_EQ(Grid->Row(), 5);
}

TEST_F(ProGridEditorHosting, CellControlsFollowTheView) {
  Grid->SetRowCount(60);
  auto* normal = new TPanel(Form);
  normal->SetParent(Grid);
  auto* fixed = new TPanel(Form);
  fixed->SetParent(Grid);
  fixed->SetBounds(1, 1, 10, 10);
  Grid->SetCellControls(2, 3, normal);
  Grid->SetCellControls(2, 0, fixed);
  const TRect r = Grid->CellRect(2, 3);
  EXPECT_TRUE(normal->Visible());
  EXPECT_EQ(normal->Left(), r.Left - 1);
  EXPECT_EQ(normal->Width(), r.Width() + 1);
  Grid->SetTopRow(30);
  EXPECT_FALSE(normal->Visible()) << "scrolled out";
  EXPECT_EQ(fixed->Left(), 1) << "controls in fixed cells keep their place";
  Grid->SetTopRow(1);
  EXPECT_TRUE(normal->Visible());
}

TEST_F(ProGridEditorHosting, Version) {
  EXPECT_EQ(Grid->Version(), "6.2.1.3");
  EXPECT_EQ(Grid->GetVersionString(), "6.2.1.3 Sep, 2012");
}

TEST_F(ProGridEditorHosting, SimulatedClickFiresNoMouseEvents) {
  int mouse = 0;
  Grid->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++mouse; };
  Grid->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { ++mouse; };
  Grid->SimulateCellClick(3, 4);
  EXPECT_EQ(mouse, 0);
  EXPECT_EQ(Grid->Col(), 3);
  EXPECT_EQ(Grid->Row(), 4);
  Headless::MouseDown(*Grid, {5, 5});
  EXPECT_EQ(mouse, 1) << "handlers are back";
}

class ProGridPanning : public TProGridTest<> {
protected:
  void SetUp() override {
    TProGridTest::SetUp();
    Grid->SetBounds(0, 0, 480, 380);
    Grid->SetColCount(20);
    Grid->SetRowCount(100);
    Application->ProcessMessages();
  }
  TFakeTimers Timers{1000};
};

TEST_F(ProGridPanning, MiddleClickStartsOnlyWithNormalRows) {
  // A header row and nothing else.
  Grid->SetFixedRowAlways(true);
  Grid->SetRowCount(1);
  ASSERT_EQ(Grid->FixedRows(), 1);
  Headless::MouseDown(*Grid, {200, 10}, mbMiddle);
  EXPECT_FALSE(Grid->Panning());
  Headless::MouseUp(*Grid, {200, 10}, mbMiddle);
  Grid->SetRowCount(100);
  Headless::MouseDown(*Grid, {200, 100}, mbMiddle);
  Headless::MouseUp(*Grid, {200, 100}, mbMiddle);
  EXPECT_TRUE(Grid->Panning());
  EXPECT_EQ(Grid->Cursor(), 8000);
}

TEST_F(ProGridPanning, TheCursorFollowsTheDirectionOutsideTheDeadZone) {
  Grid->MouseActions().SetWheelAction(waScroll);
  Headless::MouseDown(*Grid, {200, 100}, mbMiddle);
  Headless::MouseUp(*Grid, {200, 100}, mbMiddle);
  struct Case {
    TPoint At;
    int Cursor;
  };
  for (const Case& c : {Case{{204, 104}, 8000}, Case{{200, 150}, 8001}, Case{{150, 100}, 8002},
                        Case{{260, 100}, 8003}, Case{{200, 50}, 8004}, Case{{260, 50}, 8005},
                        Case{{150, 50}, 8006}, Case{{260, 150}, 8007}, Case{{150, 150}, 8008}}) {
    Headless::MouseMove(*Grid, c.At);
    Timers.Advance(10);
    EXPECT_EQ(Grid->Cursor(), c.Cursor) << c.At.X << "," << c.At.Y;
  }
  const int top = Grid->TopRow();
  Headless::MouseMove(*Grid, {200, 150});
  Timers.Advance(10);
  Timers.Advance(10);
  EXPECT_EQ(Grid->TopRow(), top + 2) << "one row a step";
}

TEST_F(ProGridPanning, AnyButtonOrKeyStopsIt) {
  const TCursor before = Grid->Cursor();
  struct Stop {
    const char* What;
    std::function<void()> Do;
  };
  for (const Stop& s : {Stop{"left",
                             [&] {
                               Headless::MouseDown(*Grid, {100, 100});
                               Headless::MouseUp(*Grid, {100, 100});
                             }},
                        Stop{"right",
                             [&] {
                               Headless::MouseDown(*Grid, {100, 100}, mbRight);
                               Headless::MouseUp(*Grid, {100, 100}, mbRight);
                             }},
                        Stop{"middle",
                             [&] {
                               Headless::MouseDown(*Grid, {100, 100}, mbMiddle);
                             }},
                        Stop{"key", [&] { Headless::PressKey(*Grid, VK_SHIFT); }}}) {
    Headless::MouseDown(*Grid, {200, 100}, mbMiddle);
    Headless::MouseUp(*Grid, {200, 100}, mbMiddle);
    ASSERT_TRUE(Grid->Panning()) << s.What;
    s.Do();
    EXPECT_FALSE(Grid->Panning()) << s.What;
    EXPECT_EQ(Grid->Cursor(), before) << s.What;
    Headless::MouseUp(*Grid, {100, 100}, mbMiddle);
  }
}

} // namespace
