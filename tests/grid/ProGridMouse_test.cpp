#include "ProGridFixture.h"

#include "platform/Process.h"
#include "platform/StringList.h"
#include "platform/ui/Messages.h"
#include "support/ControlPicture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Opened;
void RecordOpen(const std::string& url) {
  Opened.push_back(url);
}

// Logs the grid's mouse events in the order they fire.
class ProGridMouse : public TProGridTest<> {
protected:
  void SetUp() override {
    TProGridTest::SetUp();
    Grid->SetBounds(0, 0, 480, 380);
    Grid->SetColCount(6);
    Grid->SetRowCount(10);
    auto cell = [this](const char* what) {
      return [this, what](TObject*, int r, int c) { Log.push_back(Event(what, c, r)); };
    };
    Grid->OnClickCell = cell("clickcell");
    Grid->OnDblClickCell = cell("dblclickcell");
    Grid->OnRightClickCell = cell("rightclickcell");
    Grid->OnCheckBoxChange = [this](TObject*, int c, int r, bool s) {
      Log.push_back(Event("change", c, r, s));
    };
    Grid->OnCheckBoxClick = [this](TObject*, int c, int r, bool s) {
      Log.push_back(Event("checkclick", c, r, s));
    };
    Grid->OnCheckBoxMouseUp = [this](TObject*, int c, int r, bool s) {
      Log.push_back(Event("checkup", c, r, s));
    };
    Grid->OnSelectCell = [this](TObject*, int c, int r, bool&) { Log.push_back(Event("select", c, r)); };
    Grid->OnMouseDown = [this](TObject*, TMouseButton b, TShiftState, int, int) {
      Log.push_back(b == mbRight ? "mousedown right" : "mousedown");
    };
    Grid->OnMouseUp = [this](TObject*, TMouseButton b, TShiftState, int, int) {
      Log.push_back(b == mbRight ? "mouseup right" : "mouseup");
    };
    Grid->OnClick = [this](TObject*) { Log.push_back("click"); };
    Grid->OnDblClick = [this](TObject*) { Log.push_back("dblclick"); };
    Grid->OnButtonClick = [this](TObject*, int c, int r) { Log.push_back(Event("button", c, r)); };
    Grid->SetFocus();
    Application->ProcessMessages();
    Opened.clear();
    PreviousOpener = SetUrlOpener(RecordOpen);
  }
  void TearDown() override {
    SetUrlOpener(PreviousOpener);
    TProGridTest::TearDown();
  }
  static std::string Event(const char* what, int c, int r, int v = -2) {
    std::string s = std::string(what) + " " + std::to_string(c) + " " + std::to_string(r);
    return v == -2 ? s : s + " " + std::to_string(v);
  }
  TPoint Mid(int c, int r) const {
    const TRect cr = Grid->CellRect(c, r);
    return {(cr.Left + cr.Right) / 2, (cr.Top + cr.Bottom) / 2};
  }
  void Click(TPoint at, TMouseButton b = mbLeft) {
    Headless::MouseDown(*Grid, at, b);
    Headless::MouseUp(*Grid, at, b);
    Application->ProcessMessages();
  }
  void Editing() { Grid->SetOptions(Grid->Options() | goEditing); }
  bool EditorShows() const { return Grid->InplaceEditor() && Grid->InplaceEditor()->Visible(); }
  std::vector<std::string> Log;
  TUrlOpener PreviousOpener = nullptr;
};

using Log = std::vector<std::string>;

TEST_F(ProGridMouse, ClickOnADataCheckBoxTogglesItInTheFixedEventOrder) {
  Editing();
  Grid->SetCells(2, 3, "N");
  Grid->AddCheckBox(2, 3, false, true);
  Log.clear();
  Headless::MouseDown(*Grid, Mid(2, 3));
  EXPECT_EQ(Grid->Cells(2, 3), "Y");
  EXPECT_EQ(Log, (::Log{"change 2 3 1", "select 2 3", "checkclick 2 3 1", "mousedown", "click"}));
  EXPECT_EQ(Grid->Col(), 2);
  EXPECT_EQ(Grid->Row(), 3);
  Log.clear();
  Headless::MouseUp(*Grid, Mid(2, 3));
  EXPECT_EQ(Log, (::Log{"mouseup", "checkup 2 3 1"}));
}

TEST_F(ProGridMouse, WithoutEditingACheckBoxCellIsOnlySelected) {
  Grid->SetCells(2, 3, "N");
  Grid->AddCheckBox(2, 3, false, true);
  Log.clear();
  Headless::MouseDown(*Grid, Mid(2, 3));
  EXPECT_EQ(Grid->Cells(2, 3), "N");
  EXPECT_EQ(std::count(Log.begin(), Log.end(), "clickcell 2 3"), 1);
  EXPECT_EQ(std::count(Log.begin(), Log.end(), "change 2 3 1"), 0);
  EXPECT_EQ(Grid->Col(), 2);
}

TEST_F(ProGridMouse, SecondClickOnTheCurrentEditableCellOpensTheEditorBeforeClickCell) {
  Editing();
  bool editorAtClickCell = false;
  Grid->OnClickCell = [&](TObject*, int, int) { editorAtClickCell = EditorShows(); };
  Click(Mid(3, 2));
  EXPECT_FALSE(editorAtClickCell) << "the first click only moves there";
  EXPECT_EQ(Grid->Col(), 3);
  Click(Mid(3, 2));
  EXPECT_TRUE(editorAtClickCell);
}

TEST_F(ProGridMouse, HeaderBorderWithColumnSizingFiresNoClickCell) {
  Grid->SetOptions(Grid->Options() | goColSizing);
  const TRect h = Grid->CellRect(2, 0);
  Log.clear();
  Click({h.Right - 2, h.Top + 5});
  Click({h.Left + 2, h.Top + 5});
  EXPECT_EQ(std::count_if(Log.begin(), Log.end(),
                          [](const std::string& s) { return s.rfind("clickcell", 0) == 0; }),
            0);
  Click(Mid(2, 0));
  EXPECT_EQ(std::count(Log.begin(), Log.end(), "clickcell 2 0"), 1);
}

TEST_F(ProGridMouse, GreyAreaClosesTheEditor) {
  Grid->SetColCount(3);
  Grid->SetRowCount(3);
  Editing();
  Grid->MoveCurrentCell(1, 1);
  Grid->ShowInplaceEdit();
  ASSERT_TRUE(Grid->EditMode());
  Click({400, 300});
  EXPECT_FALSE(Grid->EditMode());
  EXPECT_FALSE(EditorShows());
  Log.clear();
  Click({400, 300}, mbRight);
  EXPECT_EQ(Log, (::Log{"mousedown right", "rightclickcell -1 -1", "mouseup right"}));
}

TEST_F(ProGridMouse, CellReferenceAnchorsMoveOnlyToCellsOfTheGrid) {
  Grid->SetColCount(8);
  Grid->SetRowCount(60);
  Grid->SetURLShow(true);
  Grid->SetCells(1, 1, "cell://R5C2");
  Grid->SetCells(1, 2, "CELL://X9");
  Grid->SetCells(1, 3, "cell://R500C2");
  Grid->SetCells(1, 4, "cell://R40C3");
  Click(Mid(1, 1));
  EXPECT_EQ(Grid->Col(), 2);
  EXPECT_EQ(Grid->Row(), 5);
  Grid->MoveCurrentCell(4, 4);
  Click(Mid(1, 2));
  Click(Mid(1, 3));
  EXPECT_EQ(Grid->Col(), 4);
  EXPECT_EQ(Grid->Row(), 4) << "no reference, or none inside the grid: nothing";
  Click(Mid(1, 4));
  EXPECT_EQ(Grid->Row(), 40);
  EXPECT_LE(Grid->TopRow(), 40);
  EXPECT_GT(Grid->TopRow() + Grid->VisibleRowCount(), 40) << "scrolled into view";
  EXPECT_TRUE(Opened.empty());
}

TEST_F(ProGridMouse, OnlyWebAndMailAnchorsAreOpened) {
  Grid->SetURLShow(true);
  const std::vector<std::string> links = {"http://example.org/a",
                                          "file:///bin/sh",
                                          "/usr/bin/xterm",
                                          "javascript:x",
                                          "HTTPS://example.org",
                                          "mailto:a@b.c",
                                          "<a href=\"file:///etc/passwd\">f</a>"};
  for (size_t i = 0; i < links.size(); ++i)
    Grid->SetCells(1, static_cast<int>(i) + 1, links[i]);
  for (size_t i = 0; i < links.size(); ++i) {
    const TRect r = Grid->CellRect(1, static_cast<int>(i) + 1);
    Click({r.Left + 6, r.Top + 8});
  }
  EXPECT_EQ(Opened,
            (std::vector<std::string>{"http://example.org/a", "HTTPS://example.org", "mailto:a@b.c"}));
}

TEST_F(ProGridMouse, RadioGroupItemsAreHitBetweenTheirBoundaries) {
  Editing();
  Grid->ControlLook().SetControlStyle(csClassic);
  Grid->ControlLook().SetRadioSize(10);
  TStringList items;
  items.Add("One");
  items.Add("Two");
  Grid->AddRadio(2, 2, 1, 0, &items);
  std::vector<int> picked;
  Grid->OnRadioClick = [&](TObject*, int, int, int idx) { picked.push_back(idx); };
  Grid->Canvas().Font().Assign(Grid->GetCellFont(2, 2));
  const int end1 = Grid->Canvas().TextWidth("One") + 10;
  struct Case {
    int X;
    int Want;
  };
  for (const Case& c : {Case{end1, -1}, Case{end1 + 1, 1}, Case{0, -1}, Case{1, 0}}) {
    picked.clear();
    Grid->RadioGroupClick(2, 2, c.X, 5);
    if (c.Want < 0)
      EXPECT_TRUE(picked.empty()) << "X " << c.X;
    else
      EXPECT_EQ(picked, std::vector<int>{c.Want}) << "X " << c.X;
  }
  Grid->AddRadio(3, 2, 1, 0, nullptr);
  picked.clear();
  Grid->RadioGroupClick(3, 2, 5, 5);
  EXPECT_TRUE(picked.empty()) << "no item list";
}

TEST_F(ProGridMouse, RatingClickProposesHalfSteps) {
  Editing();
  Grid->AddRating(2, 2, 5, clRed, clGray);
  double proposed = -1;
  Grid->OnRatingChange = [&](TObject*, int, int, double& v, bool&) { proposed = v; };
  const TRect r = Grid->CellRect(2, 2);
  Click({r.Left + 27, r.Top + 4});
  EXPECT_DOUBLE_EQ(proposed, 1.5);
}

TEST_F(ProGridMouse, RefusedContractChangesNothing) {
  Grid->AddNode(2, 3);
  Grid->OnBeforeContractNode = [](TObject*, int, int, bool& allow) { allow = false; };
  int contracted = 0;
  Grid->OnContractNode = [&](TObject*, int, int) { ++contracted; };
  const int rows = Grid->RowCount();
  int x = 0;
  const TRect r = Grid->CellRect(0, 2);
  for (x = r.Left; x < r.Right && !Grid->IsNodeClick(2, x); ++x) {
  }
  ASSERT_LT(x, r.Right);
  Click({x, (r.Top + r.Bottom) / 2});
  EXPECT_EQ(Grid->RowCount(), rows);
  EXPECT_FALSE(Grid->GetNodeState(2));
  EXPECT_EQ(contracted, 0);
}

TEST_F(ProGridMouse, CellButtonClicksOnlyWhenReleasedOnIt) {
  Editing();
  Grid->AddButton(2, 2, 30, 16, "...", haRight, vaCenter);
  Grid->Repaint();
  const TRect b = Grid->GetCellButtonRect(2, 2);
  ASSERT_GT(b.Width(), 0);
  const TPoint on{(b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2};
  Log.clear();
  Click(on);
  EXPECT_EQ(std::count(Log.begin(), Log.end(), "button 2 2"), 1);
  Log.clear();
  Headless::MouseDown(*Grid, on);
  EXPECT_EQ(Grid->PushedCellButton().X, 2);
  Headless::MouseUp(*Grid, {Grid->CellRect(2, 2).Left + 2, on.Y});
  EXPECT_EQ(std::count(Log.begin(), Log.end(), "button 2 2"), 0);
  EXPECT_EQ(Grid->PushedCellButton().X, -1);
}

TEST_F(ProGridMouse, RangeSelectAndEditKeepsEditingOnTheSelectedCurrentCell) {
  Editing();
  Grid->MouseActions().SetRangeSelectAndEdit(true);
  Grid->MoveCurrentCell(2, 2);
  Click(Mid(2, 2));
  EXPECT_TRUE(Grid->Options() & goEditing);
  EXPECT_TRUE(EditorShows());
}

TEST_F(ProGridMouse, DoubleClicks) {
  Editing();
  Grid->SetCells(4, 4, "N");
  Grid->AddCheckBox(4, 4, false, true);
  Grid->AddButton(2, 2, 30, 16, "...", haRight, vaCenter);
  Grid->Repaint();
  Log.clear();
  Headless::DoubleClick(*Grid, Mid(3, 3));
  const auto dbl = std::find(Log.begin(), Log.end(), "dblclick");
  ASSERT_NE(dbl, Log.end());
  EXPECT_NE(std::find(dbl, Log.end(), "dblclickcell 3 3"), Log.end()) << "OnDblClick first";

  Log.clear();
  Headless::DoubleClick(*Grid, Mid(4, 4));
  EXPECT_EQ(std::count(Log.begin(), Log.end(), "dblclickcell 4 4"), 0);

  const TRect b = Grid->GetCellButtonRect(2, 2);
  Log.clear();
  Headless::DoubleClick(*Grid, {(b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2});
  EXPECT_EQ(std::count(Log.begin(), Log.end(), "dblclick"), 0);
  EXPECT_EQ(std::count(Log.begin(), Log.end(), "dblclickcell 2 2"), 0);
}

TEST_F(ProGridMouse, RightClickWithoutSelectOnRightClick) {
  Grid->MoveCurrentCell(1, 1);
  Log.clear();
  Click(Mid(3, 4), mbRight);
  EXPECT_EQ(Log, (::Log{"mousedown right", "rightclickcell 3 4", "mouseup right"}));
  EXPECT_EQ(Grid->Col(), 1);
  EXPECT_EQ(Grid->Row(), 1);
}

// Records the sorts a header click asks for.
class TSortGrid : public TProStringGrid {
public:
  using TProStringGrid::TProStringGrid;
  std::vector<std::string> Sorts;
  void QSort() override { Sorts.push_back(SortSettings().Descending() ? "descending" : "ascending"); }
  void QUnSort() override { Sorts.push_back("unsorted"); }
};

class ProGridHeaderSort : public TProGridTest<TSortGrid> {
protected:
  void SetUp() override {
    TProGridTest::SetUp();
    Grid->SetBounds(0, 0, 480, 380);
    Grid->SetColCount(6);
    Grid->SetRowCount(10);
    Grid->SortSettings().SetShow(true);
    Grid->SetUndoSort(true);
    Application->ProcessMessages();
  }
  void ClickAt(TPoint p) {
    Headless::MouseDown(*Grid, p);
    Headless::MouseUp(*Grid, p);
  }
  TPoint Header(int c) const {
    const TRect r = Grid->CellRect(c, 0);
    return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
  }
};

TEST_F(ProGridHeaderSort, ThreeClicksSortUpDownAndBack) {
  Grid->SortSettings().SetColumn(1);
  for (int i = 0; i < 3; ++i)
    ClickAt(Header(3));
  EXPECT_EQ(Grid->Sorts, (std::vector<std::string>{"ascending", "descending", "unsorted"}));
  EXPECT_EQ(Grid->SortSettings().Column(), -1);
}

TEST_F(ProGridHeaderSort, NoSortNearABorderNorWithTwoRows) {
  Grid->SetOptions(Grid->Options() | goColSizing);
  const TRect r = Grid->CellRect(3, 0);
  ClickAt({r.Left + 2, r.Top + 5});
  ClickAt({r.Right - 2, r.Top + 5});
  EXPECT_TRUE(Grid->Sorts.empty());
  Grid->SetRowCount(2);
  ClickAt(Header(3));
  EXPECT_TRUE(Grid->Sorts.empty());
}

TEST_F(ProGridHeaderSort, CanSortMayRefuse) {
  Grid->OnCanSort = [](TObject*, int c, bool& doSort) {
    if (c == 2) doSort = false;
  };
  Grid->IgnoreColumns().insert(4);
  ClickAt(Header(2));
  ClickAt(Header(4));
  EXPECT_TRUE(Grid->Sorts.empty());
  ClickAt(Header(3));
  EXPECT_EQ(Grid->Sorts.size(), 1u);
}

} // namespace

namespace {

// Every kind of press, release, double click and move over a point.
void Pummel(TProStringGrid& g, TPoint p) {
  Headless::MouseMove(g, p);
  Headless::MouseDown(g, p);
  Headless::MouseMove(g, {p.X + 7, p.Y + 9});
  Headless::MouseUp(g, {p.X + 7, p.Y + 9});
  Headless::DoubleClick(g, p);
  Headless::MouseDown(g, p, mbRight);
  Headless::MouseUp(g, p, mbRight);
  Headless::MouseDown(g, p, mbMiddle);
  Headless::MouseUp(g, p, mbMiddle);
  Headless::MouseDown(g, p, mbMiddle);
  Application->ProcessMessages();
}

TEST_F(ProGridMouse, EmptyHiddenAndMergedGridsTakeTheMouse) {
  Editing();
  Grid->SetOptions(Grid->Options() | goColSizing | goRowSizing | goRangeSelect);
  Grid->SortSettings().SetShow(true);
  for (const TPoint p : {TPoint{5, 5}, TPoint{70, 30}, TPoint{200, 100}, TPoint{470, 370}}) {
    Grid->SetColCount(1);
    Grid->SetRowCount(1);
    Pummel(*Grid, p);
    Grid->SetColCount(0);
    Grid->SetRowCount(0);
    Pummel(*Grid, p);
    Grid->SetColCount(6);
    Grid->SetRowCount(10);
    Grid->SetCells(2, 2, "N");
    Grid->AddCheckBox(2, 2, false, true);
    Grid->MergeCells(3, 3, 2, 3);
    Grid->HideColumn(1);
    Grid->HideRow(5);
    Pummel(*Grid, p);
    Pummel(*Grid, Mid(3, 4));
    Pummel(*Grid, Mid(1, 2));
    Grid->UnHideColumnsAll();
    Grid->UnHideRowsAll();
    Grid->SplitCells(3, 3);
  }
}

TEST_F(ProGridMouse, HandlersThatShrinkTheGridUnderTheClick) {
  Editing();
  struct Case {
    const char* Name;
    std::function<void()> Shrink;
  };
  for (const Case& c :
       {Case{"rows", [this] { Grid->SetRowCount(2); }}, Case{"cols", [this] { Grid->SetColCount(1); }}}) {
    Grid->SetColCount(6);
    Grid->SetRowCount(10);
    Grid->SetCells(4, 7, "N");
    Grid->AddCheckBox(4, 7, false, true);
    Grid->AddButton(3, 8, 30, 16, "...", haRight, vaCenter);
    Grid->Repaint();
    const TPoint check = Mid(4, 7), ordinary = Mid(2, 6);
    const TRect b = Grid->GetCellButtonRect(3, 8);
    const TPoint button{(b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2};
    Grid->OnClickCell = [&](TObject*, int, int) { c.Shrink(); };
    Grid->OnCheckBoxClick = [&](TObject*, int, int, bool) { c.Shrink(); };
    Grid->OnDblClickCell = [&](TObject*, int, int) { c.Shrink(); };
    Grid->OnCheckBoxMouseUp = nullptr;
    for (TPoint p : {check, ordinary, button}) {
      Grid->SetColCount(6);
      Grid->SetRowCount(10);
      Grid->SetCells(4, 7, "N");
      Grid->AddCheckBox(4, 7, false, true);
      Grid->AddButton(3, 8, 30, 16, "...", haRight, vaCenter);
      Pummel(*Grid, p);
      EXPECT_LE(Grid->Row(), Grid->RowCount() - 1) << c.Name;
      EXPECT_LE(Grid->Col(), Grid->ColCount() - 1) << c.Name;
    }
  }
}

} // namespace

namespace {

TEST_F(ProGridMouse, PressedFixedCellAndHeldCellButtonAreDrawnPressed) {
  Editing();
  Grid->SetFixedAsButtons(true);
  Grid->SetOptions(Grid->Options() | goFixedVertLine | goFixedHorzLine);
  const TRect h = Grid->CellRect(2, 0);
  TBitmap up = RenderPicture(*Grid);
  Headless::MouseDown(*Grid, Mid(2, 0));
  ASSERT_TRUE(Grid->FixedCellPushed());
  TBitmap down = RenderPicture(*Grid);
  const int y = (h.Top + h.Bottom) / 2;
  // Sunken: shadow on the left and top, light on the right and bottom.
  EXPECT_EQ(down.Pixel(h.Left, y), ColorToRGB(clBtnShadow));
  EXPECT_EQ(down.Pixel(h.Left + 8, h.Top), ColorToRGB(clBtnShadow));
  EXPECT_EQ(down.Pixel(h.Right - 1, y), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(down.Pixel(h.Left + 8, h.Bottom - 1), ColorToRGB(clBtnHighlight));
  EXPECT_NE(up.Pixel(h.Left, y), down.Pixel(h.Left, y));
  Headless::MouseUp(*Grid, Mid(2, 0));
  EXPECT_FALSE(Grid->FixedCellPushed());
  TBitmap after = RenderPicture(*Grid);
  EXPECT_EQ(after.Pixel(h.Left, y), up.Pixel(h.Left, y)) << "raised again";

  Grid->AddButton(2, 3, 40, 18, "", haCenter, vaCenter);
  Grid->MoveCurrentCell(2, 3);
  Grid->Repaint();
  const TRect b = Grid->GetCellButtonRect(2, 3);
  ASSERT_GT(b.Width(), 0);
  TBitmap released = RenderPicture(*Grid);
  Headless::MouseDown(*Grid, {(b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2});
  TBitmap held = RenderPicture(*Grid);
  int changed = 0;
  for (int x = b.Left; x < b.Right; ++x)
    for (int yy = b.Top; yy < b.Bottom; ++yy)
      changed += released.Pixel(x, yy) != held.Pixel(x, yy);
  EXPECT_GT(changed, 0) << "the held button looks pushed";
  EXPECT_EQ(held.Pixel(b.Left - 3, b.Top - 3), released.Pixel(b.Left - 3, b.Top - 3))
      << "only the button changes";
  Headless::MouseUp(*Grid, {(b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2});
}

} // namespace
