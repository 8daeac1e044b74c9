// The grid control driven as a user would: keys, the in-place edit, the mouse, the wheel and
// painting, on the offscreen platform.
#include "platform/Clock.h"
#include "platform/ui/Application.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Grids.h"
#include "platform/ui/Headless.h"
#include "platform/ui/HeadlessPaint.h"
#include "tests/support/ControlPicture.h"
#include "tests/support/PixelTools.h"
#include "tests/support/UiTestFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace {

class TTestGrid : public TStringGrid {
public:
  using TStringGrid::PermuteRows;
  using TStringGrid::SetCellCapacity;
  using TStringGrid::TStringGrid;
  int ColWidthsCount = 0;
  int RowHeightsCount = 0;
  std::vector<std::pair<int, int>> Painted;
  std::vector<TGridDrawState> States;

protected:
  void ColWidthsChanged() override {
    TStringGrid::ColWidthsChanged();
    ++ColWidthsCount;
  }
  void RowHeightsChanged() override {
    TStringGrid::RowHeightsChanged();
    ++RowHeightsCount;
  }
  void DrawCell(int c, int r, const TRect& rect, TGridDrawState s) override {
    Painted.push_back({c, r});
    States.push_back(s);
    EXPECT_EQ(rect, CellRect(c, r));
    TStringGrid::DrawCell(c, r, rect, s);
  }
};

// A form with a 10 x 100 string grid (cells "c,r") and an edit after it in the Tab order.
struct TGridForm {
  explicit TGridForm(TGridOptions options, int cols = 10, int rows = 100) {
    Application->Initialize();
    Form = new TForm(nullptr);
    Form->SetName("FGrid");
    Form->SetClientWidth(420);
    Form->SetClientHeight(320);
    Grid = new TTestGrid(Form);
    Grid->SetName("Grid");
    Grid->SetParent(Form);
    Grid->SetBounds(0, 0, 400, 300);
    Grid->SetColCount(cols);
    Grid->SetRowCount(rows);
    Grid->SetOptions(options);
    for (int r = 0; r < rows; ++r)
      for (int c = 0; c < cols; ++c)
        Grid->SetCells(c, r, std::to_string(c) + "," + std::to_string(r));
    Next = new TEdit(Form);
    Next->SetName("Next");
    Next->SetParent(Form);
    Next->SetBounds(0, 302, 100, 18);
    Next->SetTabStop(true);
    Form->Show();
    Application->ProcessMessages();
    Grid->SetFocus();
  }
  ~TGridForm() { Form->Free(); }
  TGridForm(const TGridForm&) = delete;
  TGridForm& operator=(const TGridForm&) = delete;

  void Key(std::uint16_t key, TShiftState shift = 0) { Headless::PressKey(*Form, key, shift); }
  TPoint Inside(int c, int r) const {
    TRect rect = Grid->CellRect(c, r);
    return {rect.Left + 3, rect.Top + 3};
  }
  void Drag(TPoint from, TPoint to) {
    Headless::MouseDown(*Grid, from);
    Headless::MouseMove(*Grid, to);
    Headless::MouseUp(*Grid, to);
  }
  bool Editing() const { return Grid->InplaceEditor() && Grid->InplaceEditor()->Visible(); }
  TGridCoord Current() const { return {Grid->Col(), Grid->Row()}; }

  TForm* Form = nullptr;
  TTestGrid* Grid = nullptr;
  TEdit* Next = nullptr;
};

class GridsControl : public ::testing::Test {
protected:
  void SetUp() override {
    Headless::SetFailureReporter([](const std::string& m) { ADD_FAILURE() << m; });
  }
};

struct Case {
  const char* name;
  TGridOptions options;
  std::function<void(TGridForm&)> act;
  std::function<void(TGridForm&)> check;
};

TEST_F(GridsControl, KeyboardAndEditing) {
  const TGridOptions d = DefaultGridOptions;
  const TGridOptions e = DefaultGridOptions | goEditing;
  const std::vector<Case> cases = {
      {"arrow keys move the current cell", d,
       [](TGridForm& f) {
         f.Key(VK_DOWN);
         f.Key(VK_RIGHT);
       },
       [](TGridForm& f) {
         EXPECT_EQ(f.Current(), (TGridCoord{2, 2}));
       }},
      {"shift extends the range", d,
       [](TGridForm& f) {
         f.Key(VK_DOWN, ssShift);
         f.Key(VK_RIGHT, ssShift);
       },
       [](TGridForm& f) {
         EXPECT_EQ(f.Grid->Selection(), (TGridRect{1, 1, 2, 2}));
       }},
      {"page down moves by the visible rows", d, [](TGridForm& f) { f.Key(VK_NEXT); },
       [](TGridForm& f) {
         int visible = f.Grid->VisibleRowCount();
         EXPECT_GT(visible, 3);
         EXPECT_EQ(f.Grid->Row(), 1 + visible);
         EXPECT_FALSE(f.Grid->CellRect(1, f.Grid->Row()).IsEmpty());
       }},
      {"page up moves by the visible rows", d,
       [](TGridForm& f) {
         f.Grid->SetRow(50);
         f.Key(VK_PRIOR);
       },
       [](TGridForm& f) { EXPECT_EQ(f.Grid->Row(), 50 - f.Grid->VisibleRowCount()); }},
      {"end and home", d,
       [](TGridForm& f) {
         f.Key(VK_END);
         EXPECT_EQ(f.Current(), (TGridCoord{9, 1}));
         f.Key(VK_HOME);
       },
       [](TGridForm& f) {
         EXPECT_EQ(f.Current(), (TGridCoord{1, 1}));
       }},
      {"ctrl+end and ctrl+home", d,
       [](TGridForm& f) {
         f.Key(VK_END, ssCtrl);
         EXPECT_EQ(f.Current(), (TGridCoord{9, 99}));
         EXPECT_EQ(f.Grid->TopRow(), f.Grid->MaxTopRow());
         f.Key(VK_HOME, ssCtrl);
       },
       [](TGridForm& f) {
         EXPECT_EQ(f.Current(), (TGridCoord{1, 1}));
         EXPECT_EQ(f.Grid->TopRow(), 1);
       }},
      {"tab walks the cells with goTabs", d | goTabs,
       [](TGridForm& f) {
         f.Key(VK_TAB);
         f.Key(VK_TAB);
         f.Key(VK_TAB, ssShift);
       },
       [](TGridForm& f) {
         EXPECT_EQ(f.Current(), (TGridCoord{2, 1}));
         EXPECT_TRUE(f.Grid->Focused());
       }},
      {"tab without goTabs leaves the grid", d, [](TGridForm& f) { f.Key(VK_TAB); },
       [](TGridForm& f) {
         EXPECT_EQ(f.Current(), (TGridCoord{1, 1}));
         EXPECT_TRUE(f.Next->Focused());
       }},
      {"F2 shows the editor with the cell's text", e, [](TGridForm& f) { f.Key(VK_F2); },
       [](TGridForm& f) {
         ASSERT_TRUE(f.Editing());
         EXPECT_EQ(f.Grid->InplaceEditor()->Text(), "1,1");
         EXPECT_EQ(f.Grid->InplaceEditor()->BoundsRect(), f.Grid->CellRect(1, 1));
         EXPECT_TRUE(f.Grid->EditorMode());
       }},
      {"F2 without goEditing shows nothing", d, [](TGridForm& f) { f.Key(VK_F2); },
       [](TGridForm& f) { EXPECT_FALSE(f.Editing()); }},
      {"enter toggles the editor and writes the text back", e,
       [](TGridForm& f) {
         f.Key(VK_RETURN);
         ASSERT_TRUE(f.Editing());
         f.Grid->InplaceEditor()->SetText("typed");
         f.Key(VK_RETURN);
       },
       [](TGridForm& f) {
         EXPECT_FALSE(f.Editing());
         EXPECT_EQ(f.Grid->Cells(1, 1), "typed");
         EXPECT_TRUE(f.Grid->Focused());
       }},
      {"enter leaves an always shown editor alone", e | goAlwaysShowEditor,
       [](TGridForm& f) { f.Key(VK_RETURN); }, [](TGridForm& f) { EXPECT_TRUE(f.Editing()); }},
      {"a typed character opens the editor with it", e,
       [](TGridForm& f) {
         f.Key('X');
         ASSERT_TRUE(f.Editing());
         EXPECT_EQ(f.Grid->InplaceEditor()->Text(), "x");
         f.Key('Y');
         f.Key(VK_RETURN);
       },
       [](TGridForm& f) { EXPECT_EQ(f.Grid->Cells(1, 1), "xy"); }},
      {"escape in the editor cancels", e,
       [](TGridForm& f) {
         f.Key(VK_F2);
         f.Grid->InplaceEditor()->SetText("changed");
         f.Key(VK_ESCAPE);
       },
       [](TGridForm& f) {
         EXPECT_FALSE(f.Editing());
         EXPECT_EQ(f.Grid->Cells(1, 1), "1,1");
       }},
      {"the editor hides on a cell change and keeps the text", e,
       [](TGridForm& f) {
         f.Key(VK_F2);
         f.Grid->InplaceEditor()->SetText("moved away");
         f.Key(VK_DOWN); // into the editor, handed to the grid
       },
       [](TGridForm& f) {
         EXPECT_FALSE(f.Editing());
         EXPECT_EQ(f.Grid->Cells(1, 1), "moved away");
         EXPECT_EQ(f.Current(), (TGridCoord{1, 2}));
       }},
      {"the editor, not the grid, hears of the focus moving in and out of it", e,
       [](TGridForm& f) {
         std::vector<std::string> log;
         f.Grid->OnEnter = [&](TObject*) { log.push_back("grid enter"); };
         f.Grid->OnExit = [&](TObject*) { log.push_back("grid exit"); };
         f.Key(VK_F2);
         ASSERT_TRUE(f.Editing());
         TInplaceEdit* ed = f.Grid->InplaceEditor();
         ed->OnEnter = [&](TObject*) { log.push_back("editor enter"); };
         ed->OnExit = [&](TObject*) { log.push_back("editor exit"); };
         f.Key(VK_RETURN);
         EXPECT_TRUE(f.Grid->Focused());
         f.Key(VK_F2);
         f.Next->SetFocus();
         EXPECT_EQ(log,
                   (std::vector<std::string>{"editor exit", "editor enter", "editor exit", "grid exit"}));
         f.Grid->OnEnter = f.Grid->OnExit = nullptr;
         ed->OnEnter = ed->OnExit = nullptr;
       },
       [](TGridForm& f) { EXPECT_FALSE(f.Grid->Focused()); }},
      {"an editor whose exit ends the edit writes the text back once", e,
       [](TGridForm& f) {
         int writes = 0;
         f.Grid->OnSetEditText = [&](TObject*, int, int, const std::string&) { ++writes; };
         f.Key(VK_F2);
         ASSERT_TRUE(f.Editing());
         f.Grid->InplaceEditor()->OnExit = [&f](TObject*) { f.Grid->SetEditorMode(false); };
         f.Grid->InplaceEditor()->SetText("once");
         f.Key(VK_RETURN);
         EXPECT_EQ(writes, 1);
         f.Grid->OnSetEditText = nullptr;
         f.Grid->InplaceEditor()->OnExit = nullptr;
       },
       [](TGridForm& f) {
         EXPECT_FALSE(f.Editing());
         EXPECT_EQ(f.Grid->Cells(1, 1), "once");
       }},
      {"the editor loads its cell afresh each time it opens", e,
       [](TGridForm& f) {
         f.Key(VK_F2);
         f.Key(VK_RETURN);
         f.Grid->SetCells(1, 1, "set by code");
         f.Key(VK_F2);
         EXPECT_EQ(f.Grid->InplaceEditor()->Text(), "set by code");
         f.Key(VK_RETURN);
       },
       [](TGridForm& f) { EXPECT_EQ(f.Grid->Cells(1, 1), "set by code"); }},
      {"an edit scrolled out of view is kept and written back when the cell changes", e,
       [](TGridForm& f) {
         f.Key(VK_F2);
         f.Grid->InplaceEditor()->SetText("pending");
         f.Grid->Perform(WM_VSCROLL, SB_PAGEDOWN);
         EXPECT_FALSE(f.Editing());
         EXPECT_EQ(f.Grid->Cells(1, 1), "1,1");
         f.Grid->SetRow(50);
       },
       [](TGridForm& f) {
         EXPECT_EQ(f.Grid->Cells(1, 1), "pending");
         EXPECT_EQ(f.Grid->Cells(1, 50), "1,50");
       }},
      {"page down and tab reach the grid from the editor", e | goTabs,
       [](TGridForm& f) {
         f.Key(VK_F2);
         f.Key(VK_NEXT);
         f.Key(VK_F2);
         f.Key(VK_TAB);
       },
       [](TGridForm& f) {
         EXPECT_EQ(f.Current(), (TGridCoord{2, 1 + f.Grid->VisibleRowCount()}));
       }},
      {"an always shown editor follows the current cell", e | goAlwaysShowEditor,
       [](TGridForm& f) { f.Key(VK_DOWN); },
       [](TGridForm& f) {
         ASSERT_TRUE(f.Editing());
         EXPECT_EQ(f.Grid->InplaceEditor()->Text(), "1,2");
         EXPECT_EQ(f.Grid->InplaceEditor()->BoundsRect(), f.Grid->CellRect(1, 2));
       }},
      {"a click on the current cell opens the editor", e,
       [](TGridForm& f) {
         f.Drag(f.Inside(3, 3), f.Inside(3, 3)); // makes (3, 3) current
         EXPECT_FALSE(f.Editing());
         f.Drag(f.Inside(3, 3), f.Inside(3, 3));
       },
       [](TGridForm& f) { EXPECT_TRUE(f.Editing()); }},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    TGridForm f(k.options);
    k.act(f);
    k.check(f);
  }
}

TEST_F(GridsControl, SelectCellIsAskedBeforeEveryMoveAndCanVeto) {
  TGridForm f(DefaultGridOptions);
  std::vector<TGridCoord> asked;
  f.Grid->OnSelectCell = [&](TObject*, int c, int r, bool& can) {
    asked.push_back({c, r});
    can = !(c == 2 && r == 1);
  };
  f.Key(VK_RIGHT);
  Headless::MouseDown(*f.Grid, f.Inside(2, 1));
  Headless::MouseUp(*f.Grid, f.Inside(2, 1));
  EXPECT_EQ(f.Current(), (TGridCoord{1, 1}));
  f.Key(VK_DOWN);
  Headless::MouseWheel(*f.Grid, f.Inside(3, 3), -120);
  EXPECT_EQ(f.Current(), (TGridCoord{1, 3}));
  EXPECT_EQ(asked, (std::vector<TGridCoord>{{2, 1}, {2, 1}, {1, 2}, {1, 3}}));
}

TEST_F(GridsControl, MouseDragsAndScrolling) {
  const TGridOptions d = DefaultGridOptions;
  const std::vector<Case> cases = {
      {"a range drag selects", d, [](TGridForm& f) { f.Drag(f.Inside(2, 2), f.Inside(4, 5)); },
       [](TGridForm& f) {
         EXPECT_EQ(f.Grid->Selection(), (TGridRect{2, 2, 4, 5}));
         EXPECT_EQ(f.Grid->GridState(), gsNormal);
       }},
      {"a press on a cell clicks once, on the new current cell, before OnMouseDown", d | goColSizing,
       [](TGridForm& f) {
         std::vector<std::string> log;
         f.Grid->OnClick = [&](TObject*) {
           log.push_back("click " + std::to_string(f.Grid->Col()) + "," + std::to_string(f.Grid->Row()));
         };
         f.Grid->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { log.push_back("down"); };
         f.Grid->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { log.push_back("up"); };
         f.Grid->OnDblClick = [&](TObject*) { log.push_back("double"); };
         f.Drag(f.Inside(3, 4), f.Inside(3, 4));
         f.Drag(f.Inside(3, 0), f.Inside(3, 0)); // a fixed cell
         int border = f.Grid->CellRect(2, 0).Right;
         f.Drag({border, 5}, {border, 5}); // a column border
         EXPECT_EQ(log, (std::vector<std::string>{"click 3,4", "down", "up", "down", "up", "down", "up"}));
         EXPECT_EQ(f.Current(), (TGridCoord{3, 4}));
         log.clear();
         Headless::DoubleClick(*f.Grid); // at its centre
         EXPECT_EQ(log.back(), "up");
         EXPECT_EQ(std::count(log.begin(), log.end(), "double"), 1);
         EXPECT_EQ(std::count_if(log.begin(), log.end(),
                                 [](const std::string& e) { return e.starts_with("click"); }),
                   1);
         f.Grid->OnDblClick = nullptr;
         f.Grid->OnClick = nullptr;
         f.Grid->OnMouseDown = nullptr;
         f.Grid->OnMouseUp = nullptr;
       },
       [](TGridForm& f) {
         EXPECT_EQ(f.Current(), f.Grid->MouseToCell(f.Grid->Width() / 2, f.Grid->Height() / 2));
       }},
      {"a range drag below the cells scrolls while the timer runs", d,
       [](TGridForm& f) {
         TFakeClock clock;
         TScopedClock scoped(clock);
         Headless::MouseDown(*f.Grid, f.Inside(2, 2));
         Headless::MouseMove(*f.Grid, {f.Inside(2, 2).X, f.Grid->ClientHeight() + 20});
         int top = f.Grid->TopRow();
         for (int i = 0; i < 5; ++i) {
           clock.Advance(100);
           Application->ProcessTimers();
         }
         EXPECT_EQ(f.Grid->TopRow(), top + 5);
         Headless::MouseUp(*f.Grid, {f.Inside(2, 2).X, f.Grid->ClientHeight() + 20});
         clock.Advance(100);
         Application->ProcessTimers(); // the drag is over: no more scrolling
         EXPECT_EQ(f.Grid->TopRow(), top + 5);
       },
       [](TGridForm& f) {
         TGridRect s = f.Grid->Selection();
         EXPECT_EQ(s.Top, 2);
         EXPECT_EQ(s.Bottom, f.Grid->TopRow() + f.Grid->VisibleRowCount() - 1);
       }},
      {"dragging a column border resizes the column", d | goColSizing,
       [](TGridForm& f) {
         int border = f.Grid->CellRect(2, 0).Right;
         f.Drag({border, 5}, {border + 30, 5});
       },
       [](TGridForm& f) {
         EXPECT_EQ(f.Grid->ColWidths(2), 94);
         EXPECT_EQ(f.Grid->ColWidthsCount, 1);
         EXPECT_EQ(f.Current(), (TGridCoord{1, 1}));
       }},
      {"dragging a row border resizes the row", d | goRowSizing,
       [](TGridForm& f) {
         int border = f.Grid->CellRect(0, 3).Bottom;
         f.Drag({5, border}, {5, border + 10});
       },
       [](TGridForm& f) {
         EXPECT_EQ(f.Grid->RowHeights(3), 34);
         EXPECT_EQ(f.Grid->RowHeightsCount, 1);
       }},
      {"dragging a column header moves the column", d | goColMoving,
       [](TGridForm& f) {
         f.Grid->OnColumnMoved = [](TObject*, int from, int to) {
           EXPECT_EQ(from, 1);
           EXPECT_EQ(to, 3);
         };
         f.Drag(f.Inside(1, 0), f.Inside(3, 0));
       },
       [](TGridForm& f) {
         EXPECT_EQ(f.Grid->Rows(5).ToVector(), (std::vector<std::string>{"0,5", "2,5", "3,5", "1,5", "4,5",
                                                                         "5,5", "6,5", "7,5", "8,5", "9,5"}));
       }},
      {"dragging a row header moves the row", d | goRowMoving,
       [](TGridForm& f) {
         int moves = 0;
         f.Grid->OnRowMoved = [&moves](TObject*, int from, int to) {
           ++moves;
           EXPECT_EQ(from, 4);
           EXPECT_EQ(to, 2);
         };
         f.Drag(f.Inside(0, 4), f.Inside(0, 2));
         EXPECT_EQ(moves, 1);
         f.Grid->OnRowMoved = nullptr;
       },
       [](TGridForm& f) {
         EXPECT_EQ(f.Grid->Cells(3, 2), "3,4");
         EXPECT_EQ(f.Grid->Cells(3, 3), "3,2");
       }},
      {"an edit under way goes with its cell when columns or rows move", d | goEditing | goColMoving,
       [](TGridForm& f) {
         f.Key(VK_F2);
         f.Grid->InplaceEditor()->SetText("moved");
         f.Drag(f.Inside(1, 0), f.Inside(3, 0));
         f.Grid->SetRow(3);
         f.Key(VK_F2);
         f.Grid->InplaceEditor()->SetText("deleted");
         f.Grid->DeleteRow(3);
         f.Key(VK_RETURN);
       },
       [](TGridForm& f) {
         EXPECT_EQ(f.Grid->Rows(1).ToVector(), (std::vector<std::string>{"0,1", "2,1", "3,1", "moved", "4,1",
                                                                         "5,1", "6,1", "7,1", "8,1", "9,1"}));
         EXPECT_EQ(f.Grid->Cells(1, 3), "2,4");
         EXPECT_EQ(f.Grid->RowCount(), 99);
       }},
      {"TopLeftChanged fires on scrolling", d,
       [](TGridForm& f) {
         int count = 0;
         f.Grid->OnTopLeftChanged = [&count](TObject*) { ++count; };
         f.Grid->Perform(WM_VSCROLL, SB_LINEDOWN);
         f.Grid->Perform(WM_HSCROLL, SB_PAGEDOWN);
         f.Grid->Perform(WM_VSCROLL, SB_ENDSCROLL);
         f.Grid->Perform(WM_VSCROLL, (static_cast<WPARAM>(127) << 16) | SB_THUMBPOSITION);
         EXPECT_EQ(count, 3);
         f.Grid->OnTopLeftChanged = nullptr;
       },
       [](TGridForm& f) {
         EXPECT_EQ(f.Grid->TopRow(), f.Grid->MaxTopRow());
         EXPECT_GT(f.Grid->LeftCol(), 1);
         ASSERT_NE(f.Grid->VertScrollBar(), nullptr);
         EXPECT_EQ(f.Grid->VertScrollBar()->Position(), TGridCore::ThumbMax);
       }},
      {"the wheel moves the current row and scrolls", d,
       [](TGridForm& f) {
         for (int i = 0; i < 30; ++i)
           Headless::MouseWheel(*f.Grid, f.Inside(2, 2), -120);
         Headless::MouseWheel(*f.Grid, f.Inside(2, 2), 120);
       },
       [](TGridForm& f) {
         EXPECT_EQ(f.Grid->Row(), 30);
         EXPECT_GT(f.Grid->TopRow(), 1);
         EXPECT_FALSE(f.Grid->CellRect(1, 30).IsEmpty());
       }},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    TGridForm f(k.options);
    k.act(f);
    k.check(f);
  }
}

TEST_F(GridsControl, ScrollBarsTakeTheirRoomFromTheClientArea) {
  TGridForm f(DefaultGridOptions);
  ASSERT_NE(f.Grid->VertScrollBar(), nullptr);
  ASSERT_NE(f.Grid->HorzScrollBar(), nullptr);
  EXPECT_EQ(f.Grid->ClientWidth(), 400 - f.Grid->VertScrollBar()->Width());
  EXPECT_EQ(f.Grid->ClientHeight(), 300 - f.Grid->HorzScrollBar()->Height());
  EXPECT_EQ(f.Grid->GridClientWidth(), f.Grid->ClientWidth());
  f.Grid->SetRowCount(3);
  f.Grid->SetColCount(3);
  EXPECT_EQ(f.Grid->VertScrollBar(), nullptr);
  EXPECT_EQ(f.Grid->ClientWidth(), 400);
}

// Painting visits exactly the cells on screen, whatever the row count.
TEST_F(GridsControl, PaintingVisitsOnlyVisibleCells) {
  for (int rows : {100, 100000}) {
    SCOPED_TRACE(rows);
    TGridForm f(DefaultGridOptions, 10, rows);
    f.Grid->SetTopRow(rows / 2);
    f.Grid->SetSelection({3, rows / 2 + 1, 3, rows / 2 + 1});
    f.Grid->Painted.clear();
    f.Grid->States.clear();
    f.Grid->Repaint();
    std::set<std::pair<int, int>> expected;
    for (const TGridSpan& c : f.Grid->VisibleColumns())
      for (const TGridSpan& r : f.Grid->VisibleRows())
        expected.insert({c.Index, r.Index});
    std::set<std::pair<int, int>> painted(f.Grid->Painted.begin(), f.Grid->Painted.end());
    EXPECT_EQ(painted, expected);
    EXPECT_EQ(f.Grid->Painted.size(), expected.size());
    for (size_t i = 0; i < f.Grid->Painted.size(); ++i) {
      auto [c, r] = f.Grid->Painted[i];
      TGridDrawState s = f.Grid->States[i];
      EXPECT_EQ(bool(s & gdFixed), c == 0 || r == 0);
      EXPECT_EQ(bool(s & gdFocused), c == 3 && r == rows / 2 + 1);
    }
  }
}

// A descendant hides a column by shrinking the displayed count; the cells stay in the store by
// their real column and show again when the count grows back.
TEST_F(GridsControl, HiddenColumnsKeepTheirCellsAndRowsPermuteWhole) {
  TGridForm f(DefaultGridOptions | goEditing, 5, 10);
  f.Grid->SetObjects(4, 2, f.Grid);
  f.Grid->SetColCount(4);
  EXPECT_EQ(f.Grid->CellCapacity(), 5);
  EXPECT_EQ(f.Grid->Cells(4, 2), "4,2");
  f.Grid->SetCells(4, 3, "written while hidden");
  EXPECT_EQ(f.Grid->Rows(2).Count(), 4);
  f.Grid->SetColCount(5);
  f.Grid->Painted.clear();
  f.Grid->Repaint();
  EXPECT_NE(std::find(f.Grid->Painted.begin(), f.Grid->Painted.end(), std::make_pair(4, 2)),
            f.Grid->Painted.end());
  EXPECT_EQ(f.Grid->Cells(4, 2), "4,2");
  EXPECT_EQ(f.Grid->Objects(4, 2), f.Grid);
  EXPECT_EQ(f.Grid->Cells(4, 3), "written while hidden");

  // Sorting: the edit under way is stored first, then whole rows move.
  f.Key(VK_F2);
  ASSERT_TRUE(f.Editing());
  f.Grid->InplaceEditor()->SetText("edited");
  std::vector<int> order(10);
  for (int i = 0; i < 10; ++i)
    order[static_cast<size_t>(i)] = 9 - i;
  ASSERT_TRUE(f.Grid->PermuteRows(order));
  EXPECT_FALSE(f.Editing());
  EXPECT_EQ(f.Grid->Cells(1, 8), "edited");
  EXPECT_EQ(f.Grid->Cells(4, 7), "4,2");
  EXPECT_EQ(f.Grid->Objects(4, 7), f.Grid);
  EXPECT_FALSE(f.Grid->PermuteRows({0, 1}));
  EXPECT_EQ(f.Grid->Cells(0, 0), "0,9");
}

// The cell with the grid lines right of and below it: what invalidating one cell repaints.
TRect CellWithLines(const TStringGrid& g, int c, int r) {
  TRect rect = g.CellRect(c, r);
  rect.Right += g.GridLineWidth();
  rect.Bottom += g.GridLineWidth();
  return rect;
}

// Changing a cell repaints that cell's rectangle and nothing else, and a locked grid paints
// nothing at all.
TEST_F(GridsControl, RepaintsOnlyTheInvalidatedRegion) {
  Application->Initialize();
  TOwned<TForm> form(new TForm(nullptr));
  form->SetClientWidth(800);
  form->SetClientHeight(600);
  auto* grid = new TTestGrid(form.get());
  grid->SetParent(form.get());
  grid->SetAlign(alClient);
  grid->SetColCount(20);
  grid->SetRowCount(1000);
  form->Show();
  Application->ProcessMessages();
  ASSERT_GT(grid->VisibleColCount() * grid->VisibleRowCount(), 200);

  Headless::TPaintObserver seen;
  grid->Painted.clear();
  grid->SetCells(3, 4, "x");
  grid->SetCells(3, 4, "y"); // twice before the paint: still one paint
  Application->ProcessMessages();
  EXPECT_EQ(seen.Regions(*grid), (std::vector<TRect>{CellWithLines(*grid, 3, 4)}));
  EXPECT_EQ(grid->Painted, (std::vector<std::pair<int, int>>{{3, 4}}));

  // Two far-apart cells: both repainted, none between them.
  seen.Clear();
  grid->Painted.clear();
  grid->SetCells(1, 1, "a");
  grid->SetCells(8, 12, "b");
  Application->ProcessMessages();
  EXPECT_EQ(seen.Count(*grid), 1);
  std::set<std::pair<int, int>> painted(grid->Painted.begin(), grid->Painted.end());
  EXPECT_EQ(painted, (std::set<std::pair<int, int>>{{1, 1}, {8, 12}}));

  // Locked: neither changes nor an explicit repaint paint; unlocking repaints once.
  seen.Clear();
  grid->Painted.clear();
  grid->SetRedraw(false);
  for (int r = 1; r < 30; ++r)
    grid->SetCells(2, r, "locked");
  grid->SetTopRow(10);
  grid->Repaint();
  Application->ProcessMessages();
  EXPECT_EQ(seen.Count(*grid), 0);
  EXPECT_TRUE(grid->Painted.empty());
  grid->SetRedraw(true);
  Application->ProcessMessages();
  EXPECT_EQ(seen.Count(*grid), 1);
  EXPECT_EQ(seen.Regions(*grid).front(), Rect(0, 0, grid->Width(), grid->Height()));
  EXPECT_EQ(grid->Cells(2, 10), "locked");
}

// The sizing line is drawn over the cells from the paint, not straight onto the screen: it shows
// in a rendered picture, and moving it repaints the two strips it left and entered.
TEST_F(GridsControl, SizingLineIsPaintedAsAnOverlay) {
  TGridForm f(DefaultGridOptions | goColSizing);
  f.Grid->SetColor(clWhite);
  const int border = f.Grid->CellRect(2, 0).Right;
  Headless::MouseDown(*f.Grid, {border, 5});
  Headless::MouseMove(*f.Grid, {border + 30, 5});
  Application->ProcessMessages();
  Headless::TPaintObserver seen;
  Headless::MouseMove(*f.Grid, {border + 40, 5});
  Application->ProcessMessages();
  const int h = f.Grid->ClientHeight();
  EXPECT_EQ(seen.Count(*f.Grid), 1);
  ASSERT_EQ(seen.Paints().back().Rects.size(), 2u);
  EXPECT_EQ(seen.Regions(*f.Grid).front(), Rect(border + 30, 0, border + 41, h));

  TBitmap shot = RenderPicture(*f.Grid);
  EXPECT_EQ(CountColor(shot, clBlack, Rect(border + 40, 0, border + 41, h)), h) << "the line, top to bottom";
  EXPECT_LT(CountColor(shot, clBlack, Rect(border + 30, 0, border + 31, h)), h / 2) << "the old line is gone";
  Headless::MouseUp(*f.Grid, {border + 40, 5});
  Application->ProcessMessages();
  shot = RenderPicture(*f.Grid);
  EXPECT_LT(CountColor(shot, clBlack, Rect(border + 40, 0, border + 41, h)), h / 2) << "the drag is over";
}

TEST_F(GridsControl, DegenerateGridsTakeKeysWheelAndClicks) {
  for (auto [cols, rows] : std::vector<std::pair<int, int>>{{0, 0}, {1, 1}, {1, 5}, {5, 1}, {513, 1025}}) {
    SCOPED_TRACE(cols * 10000 + rows);
    TGridForm f(DefaultGridOptions | goEditing | goTabs | goColSizing | goRowSizing, cols, rows);
    f.Grid->SetFixedRows(rows);
    for (std::uint16_t key :
         {VK_DOWN, VK_NEXT, VK_END, VK_TAB, VK_F2, VK_RETURN, VK_ESCAPE, std::uint16_t('A')})
      f.Key(key);
    f.Key(VK_END, ssCtrl);
    Headless::MouseWheel(*f.Grid, {10, 10}, -360);
    f.Drag({30, 30}, {500, 500});
    f.Grid->Repaint();
    EXPECT_LE(f.Grid->Row(), std::max(0, rows - 1));
    EXPECT_LE(f.Grid->Col(), std::max(0, cols - 1));
  }
}

} // namespace
