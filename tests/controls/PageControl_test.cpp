// The page control: pages and tabs, the active page, closing and reopening, keys, veto and events.
#include "PageControlTestSupport.h"

#include "tests/support/MessageResponder.h"

#include <algorithm>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

int TrailingBlanks(const std::string& s) {
  int n = 0;
  for (auto it = s.rbegin(); it != s.rend() && *it == ' '; ++it)
    ++n;
  return n;
}

} // namespace

TEST_F(PageControlTest, EdgeCases) {
  struct TCase {
    const char* Name;
    std::function<void()> Run;
  };
  const std::vector<TCase> cases = {
      {"a caption with five trailing blanks: three in the tab, six with a close button",
       [&] {
         EXPECT_EQ(PC->TabText(0), "Nodes   ");
         Sheets[0]->SetShowClose(true);
         EXPECT_EQ(PC->TabText(0), "Nodes      ");
         EXPECT_EQ(TrailingBlanks(PC->TabText(0)), 6);
       }},
      {"a caption of one or two characters gives an empty tab text",
       [&] {
         Sheets[1]->SetCaption("AB");
         EXPECT_EQ(PC->TabText(1), "");
         Sheets[1]->SetCaption("A");
         EXPECT_EQ(Sheets[1]->TabText(), "");
       }},
      {"a bold active font pads the active tab only, and only while it is active",
       [&] {
         PC->ActiveFont().SetStyle(fsBold);
         const int padded = TrailingBlanks(PC->TabText(0));
         EXPECT_GT(padded, 3);
         EXPECT_EQ(TrailingBlanks(PC->TabText(1)), 3);
         PC->SetActivePage(Sheets[1]);
         EXPECT_EQ(PC->TabText(0), "Nodes   ");
         EXPECT_GT(TrailingBlanks(PC->TabText(1)), 3);
       }},
      {"a hidden tab: no tab, later tabs shift down, the page is still listed",
       [&] {
         Sheets[1]->SetTabVisible(false);
         EXPECT_EQ(PC->TabCount(), 2);
         EXPECT_EQ(Sheets[1]->TabIndex(), -1);
         EXPECT_EQ(Sheets[2]->TabIndex(), 1);
         EXPECT_EQ(PC->TabObject(1), Sheets[2]);
         EXPECT_EQ(PC->Pages(1), Sheets[1]);
         EXPECT_EQ(PC->PageCount(), 3);
         Sheets[1]->SetTabVisible(true);
         EXPECT_EQ(Sheets[1]->TabIndex(), 1);
         EXPECT_EQ(Sheets[2]->TabIndex(), 2);
       }},
      {"a disabled page cannot be made active at run time",
       [&] {
         Sheets[2]->SetTabEnable(false);
         PC->SetActivePage(Sheets[2]);
         EXPECT_EQ(PC->ActivePage(), Sheets[0]);
         EXPECT_TRUE(Sheets[0]->Visible());
         EXPECT_FALSE(Sheets[2]->Visible());
       }},
      {"finding the next page wraps; with every tab hidden there is none",
       [&] {
         EXPECT_EQ(PC->FindNextPage(Sheets[2], true, true), Sheets[0]);
         EXPECT_EQ(PC->FindNextPage(Sheets[0], false, true), Sheets[2]);
         EXPECT_EQ(PC->FindNextPage(nullptr, true, true), Sheets[0]);
         EXPECT_EQ(PC->FindNextPage(nullptr, false, true), Sheets[2]);
         for (TProTabSheet* s : Sheets)
           s->SetTabVisible(false);
         EXPECT_EQ(PC->FindNextPage(Sheets[0], true, true), nullptr);
         EXPECT_EQ(PC->FindNextPage(Sheets[0], true, false), Sheets[1]);
       }},
      {"closing the active page keeps it by name; reopening puts it last and keeps the name",
       [&] {
         Sheets[0]->SetShowClose(true);
         const TPoint at = CentreOf(PC->CloseButtonHitRect(Sheets[0]));
         Headless::MouseDown(*PC, at);
         Headless::MouseUp(*PC, at);
         EXPECT_EQ(PC->PageCount(), 2);
         EXPECT_EQ(Sheets[0]->ProPageControl(), nullptr);
         EXPECT_EQ(PC->ActivePage(), Sheets[1]);
         ASSERT_EQ(PC->ClosedTabList().size(), 1u);
         EXPECT_EQ(PC->ClosedTabList()[0].first, "TS_0");
         EXPECT_FALSE(PC->OpenClosedTab("TS_9"));
         EXPECT_TRUE(PC->OpenClosedTab("ts_0"));
         EXPECT_EQ(PC->Pages(2), Sheets[0]);
         EXPECT_EQ(Sheets[0]->TabIndex(), 2);
         EXPECT_EQ(PC->ClosedTabList().size(), 1u);
       }},
      {"tabs are measured anew for a new font or text, not for a new size",
       [&] {
         const TRect plain = TabRectOf(Sheets[1]);
         const int height = PC->Font().Height();
         PC->SetBounds(10, 10, 320, 220);
         EXPECT_EQ(TabRectOf(Sheets[1]).Width(), plain.Width());
         PC->Font().SetHeight(-20);
         EXPECT_GT(TabRectOf(Sheets[1]).Height(), plain.Height());
         EXPECT_GT(TabRectOf(Sheets[1]).Width(), plain.Width());
         PC->Font().SetHeight(height);
         EXPECT_EQ(TabRectOf(Sheets[1]), plain);
         Sheets[1]->SetCaption("Variables and values     ");
         EXPECT_GT(TabRectOf(Sheets[1]).Width(), plain.Width());
         EXPECT_EQ(TabRectOf(Sheets[1]).Height(), plain.Height());
       }},
      {"left tabs with top margin 10 and right margin 20 are 30 pixels longer",
       [&] {
         PC->SetBounds(10, 10, 300, 600);
         PC->SetTabPosition(tpLeft);
         const int plain = TabRectOf(Sheets[0]).Height();
         PC->TabMargin().SetTopMargin(10);
         PC->TabMargin().SetRightMargin(20);
         EXPECT_EQ(PC->DummyImageSize().cy, 30);
         EXPECT_EQ(TabRectOf(Sheets[0]).Height(), plain + 30);
         PC->TabMargin().SetLeftMargin(7); // along top and bottom tabs only
         EXPECT_EQ(TabRectOf(Sheets[0]).Height(), plain + 30);
         PC->SetTabPosition(tpTop);
         EXPECT_EQ(PC->DummyImageSize().cx, 27);
       }},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TearDown();
    Sheets.clear();
    SetUp();
    c.Run();
  }
}

TEST_F(PageControlTest, FailureCases) {
  PC->SetTabStyle(tsDotNet);
  struct TCase {
    const char* Name;
    std::function<void()> Run;
    std::string Message;
  };
  const std::vector<TCase> cases = {
      {"disabling the active page", [&] { Sheets[0]->SetTabEnable(false); }, "Can not disable active tab."},
      {"enabling the active page", [&] { Sheets[0]->SetTabEnable(true); }, "Can not disable active tab."},
      {"split lines with dotted-net tabs", [&] { PC->SetTabSplitLine(true); },
       "TabSplitLine must be false when TabStyle is tsDotNet"},
      {"a page index past the last page", [&] { Sheets[0]->SetPageIndex(3); },
       "3 is an invalid PageIndex value.  PageIndex must be between 0 and 2"},
      {"a negative page index", [&] { Sheets[0]->SetPageIndex(-1); }, "List index out of bounds (-1)"},
  };
  for (const TCase& c : cases) {
    try {
      c.Run();
      ADD_FAILURE() << c.Name << ": nothing raised";
    } catch (const std::exception& e) {
      EXPECT_EQ(e.what(), c.Message) << c.Name;
    }
  }
  // Nothing changed.
  EXPECT_TRUE(Sheets[0]->TabEnable());
  EXPECT_FALSE(PC->TabSplitLine());
  EXPECT_EQ(Sheets[0]->PageIndex(), 0);
  PC->SetTabStyle(tsClassic);
  PC->SetTabSplitLine(true);
  EXPECT_TRUE(PC->TabSplitLine());
  Sheets[1]->SetTabEnable(false);
  EXPECT_FALSE(Sheets[1]->TabEnable());
}

TEST_F(PageControlTest, NewControlAndPages) {
  EXPECT_EQ(PC->Version(), "1.4.0.0");
  EXPECT_EQ(PC->ActiveFont().Name(), "Tahoma");
  EXPECT_EQ(PC->Font().Name(), "Tahoma");
  EXPECT_EQ(PC->TabStyle(), tsClassic);
  EXPECT_EQ(PC->LowerActive(), 2);
  EXPECT_EQ(PC->TabBorderColor(), RGB(128, 128, 128));
  EXPECT_EQ(PC->TabBackGroundColor(), clBtnFace);
  // The first page inserted became active; the others stay hidden and take the defaults.
  EXPECT_EQ(PC->ActivePage(), Sheets[0]);
  EXPECT_EQ(PC->ActivePageIndex(), 0);
  EXPECT_EQ(PC->TabIndex(), 0);
  EXPECT_TRUE(Sheets[0]->Visible());
  EXPECT_FALSE(Sheets[1]->Visible());
  EXPECT_EQ(Sheets[1]->TabColor(), clBtnFace);
  EXPECT_EQ(Sheets[1]->TabColorTo(), clNone);
  EXPECT_EQ(Sheets[1]->ImageIndex(), -1);
  EXPECT_EQ(Sheets[1]->PageIndex(), 1);
  // Pages fill the page area.
  EXPECT_EQ(Sheets[0]->BoundsRect(), PC->DisplayRect());
  EXPECT_GT(PC->DisplayRect().Top, TabRectOf(Sheets[0]).Bottom);
}

TEST_F(PageControlTest, DefaultColoursReachPagesThatKeptTheOldDefault) {
  Sheets[1]->SetTabColor(clRed);
  PC->SetDefaultTabColor(clYellow);
  EXPECT_EQ(Sheets[0]->TabColor(), clYellow);
  EXPECT_EQ(Sheets[1]->TabColor(), clRed);
  PC->SetDefaultTextColor(clBlue);
  EXPECT_EQ(Sheets[2]->TextColor(), clBlue);
  auto* later = new TProTabSheet(Form.get());
  later->SetProPageControl(PC);
  EXPECT_EQ(later->TabColor(), clYellow);
  EXPECT_EQ(later->TextColor(), clBlue);
}

TEST_F(PageControlTest, ActivePageByIndexAndByControl) {
  PC->SetActivePageIndex(2);
  EXPECT_EQ(PC->ActivePage(), Sheets[2]);
  EXPECT_EQ(PC->TabIndex(), 2);
  EXPECT_FALSE(Sheets[0]->Visible());
  EXPECT_TRUE(Sheets[2]->Visible());
  PC->ShowControl(Sheets[1]);
  EXPECT_EQ(PC->ActivePage(), Sheets[1]);
  PC->SetActivePageIndex(7);
  EXPECT_EQ(PC->ActivePage(), nullptr);
  EXPECT_EQ(PC->TabIndex(), -1);
  EXPECT_EQ(PC->ActivePageIndex(), -1);
  // A page of another control is ignored.
  auto* other = new TProPageControl(Form.get());
  other->SetParent(Form.get());
  auto* foreign = new TProTabSheet(Form.get());
  foreign->SetProPageControl(other);
  PC->SetActivePage(Sheets[0]);
  PC->SetActivePage(foreign);
  EXPECT_EQ(PC->ActivePage(), Sheets[0]);
}

TEST_F(PageControlTest, MovingPagesMovesTheirTabs) {
  Sheets[2]->SetPageIndex(0);
  EXPECT_EQ(PC->Pages(0), Sheets[2]);
  EXPECT_EQ(PC->TabObject(0), Sheets[2]);
  EXPECT_EQ(PC->TabText(0), "Values");
  EXPECT_EQ(PC->TabObject(1), Sheets[0]);
  EXPECT_EQ(PC->ActivePage(), Sheets[0]);
  EXPECT_EQ(PC->TabIndex(), 1);
  // A page moved to another control leaves this one; the next page becomes active.
  auto* other = new TProPageControl(Form.get());
  other->SetParent(Form.get());
  Sheets[0]->SetProPageControl(other);
  EXPECT_EQ(PC->PageCount(), 2);
  EXPECT_EQ(PC->ActivePage(), Sheets[1]);
  EXPECT_EQ(other->ActivePage(), Sheets[0]);
  EXPECT_EQ(Sheets[0]->Parent(), other);
}

TEST_F(PageControlTest, DestroyingPagesAndTheControl) {
  Sheets[0]->Free();
  EXPECT_EQ(PC->PageCount(), 2);
  EXPECT_EQ(PC->ActivePage(), Sheets[1]);
  EXPECT_EQ(PC->TabCount(), 2);
  // The control goes first: its pages go with it and nothing refers back.
  PC->Free();
  EXPECT_EQ(Form->FindComponent("TS_1"), nullptr);
  EXPECT_EQ(Form->FindComponent("PC"), nullptr);
}

TEST_F(PageControlTest, ClickingTabsVetoesAndNotifications) {
  Form->Show();
  std::vector<std::string> log;
  PC->OnCanChange = [&](TObject*, int from, int to, bool& allow) {
    log.push_back("can " + std::to_string(from) + ">" + std::to_string(to));
    allow = to != 2;
  };
  PC->OnChanging = [&](TObject*, bool&) { log.push_back("changing"); };
  PC->OnChange = [&](TObject*) { log.push_back("change " + std::to_string(PC->ActivePageIndex())); };
  Sheets[1]->OnShow = [&](TObject*) { log.push_back("show 1"); };
  Sheets[0]->OnHide = [&](TObject*) { log.push_back("hide 0"); };

  Headless::MouseDown(*PC, CentreOf(TabRectOf(Sheets[1])));
  Headless::MouseUp(*PC, CentreOf(TabRectOf(Sheets[1])));
  EXPECT_EQ(PC->ActivePage(), Sheets[1]);
  EXPECT_EQ(log, (std::vector<std::string>{"can 0>1", "changing", "show 1", "hide 0", "change 1"}));

  log.clear();
  Headless::MouseDown(*PC, CentreOf(TabRectOf(Sheets[2])));
  Headless::MouseUp(*PC, CentreOf(TabRectOf(Sheets[2])));
  EXPECT_EQ(PC->ActivePage(), Sheets[1]);
  EXPECT_EQ(log, (std::vector<std::string>{"can 1>2"}));

  // The selected tab clicked again changes nothing.
  log.clear();
  Headless::MouseDown(*PC, CentreOf(TabRectOf(Sheets[1])));
  Headless::MouseUp(*PC, CentreOf(TabRectOf(Sheets[1])));
  EXPECT_TRUE(log.empty());

  // A disabled page's tab is not chosen.
  Sheets[0]->SetTabEnable(false);
  Headless::MouseDown(*PC, CentreOf(TabRectOf(Sheets[0])));
  EXPECT_EQ(PC->ActivePage(), Sheets[1]);
}

TEST_F(PageControlTest, KeyboardChangeVetoSeesThePageItGoesTo) {
  Form->Show();
  PC->SetFocus();
  ASSERT_TRUE(PC->Focused());
  std::vector<int> targets;
  PC->OnCanChange = [&](TObject*, int, int to, bool&) { targets.push_back(to); };
  // Mended: the page passed was the one under the mouse pointer, whatever the key chose.
  Headless::MouseMove(*PC, CentreOf(TabRectOf(Sheets[2])));
  Headless::PressKey(*Form, VK_RIGHT);
  EXPECT_EQ(PC->ActivePage(), Sheets[1]);
  EXPECT_EQ(targets, std::vector<int>{1});
}

TEST_F(PageControlTest, CtrlTabCyclesThroughVisiblePages) {
  Form->Show();
  auto* edit = new TEdit(Form.get());
  edit->SetParent(Sheets[0]);
  edit->SetBounds(10, 10, 80, 21);
  auto* edit2 = new TEdit(Form.get());
  edit2->SetParent(Sheets[2]);
  edit2->SetBounds(10, 10, 80, 21);
  edit->SetFocus();
  ASSERT_EQ(Form->ActiveControl(), edit);
  Sheets[1]->SetTabVisible(false);

  Headless::PressKey(*Form, VK_TAB, ssCtrl);
  EXPECT_EQ(PC->ActivePage(), Sheets[2]);
  EXPECT_EQ(Form->ActiveControl(), edit2); // the first control of the new page
  Headless::PressKey(*Form, VK_TAB, ssCtrl);
  EXPECT_EQ(PC->ActivePage(), Sheets[0]);
  Headless::PressKey(*Form, VK_TAB, ssCtrl | ssShift);
  EXPECT_EQ(PC->ActivePage(), Sheets[2]);

  // Outside the control Ctrl+Tab does nothing here.
  auto* outside = new TEdit(Form.get());
  outside->SetParent(Form.get());
  outside->SetBounds(10, 250, 80, 21);
  outside->SetFocus();
  Headless::PressKey(*Form, VK_TAB, ssCtrl);
  EXPECT_EQ(PC->ActivePage(), Sheets[2]);
}

TEST_F(PageControlTest, CloseButtonVetoEventsAndFreeing) {
  Form->Show();
  for (TProTabSheet* s : Sheets)
    s->SetShowClose(true);
  std::vector<std::string> log;
  bool allow = false;
  Sheets[0]->OnCanClose = [&](TObject*, bool& canClose) {
    log.push_back("can close");
    canClose = allow;
  };
  Sheets[0]->OnClose = [&](TObject*) { log.push_back("close"); };
  auto click = [&](const TRect& r) {
    Headless::MouseDown(*PC, CentreOf(r));
    Headless::MouseUp(*PC, CentreOf(r));
  };
  click(PC->CloseButtonHitRect(Sheets[0]));
  EXPECT_EQ(PC->PageCount(), 3);
  EXPECT_EQ(log, std::vector<std::string>{"can close"});

  // A tab without a close button has none to hit.
  Sheets[2]->SetShowClose(false);
  EXPECT_TRUE(PC->CloseButtonHitRect(Sheets[2]).IsEmpty());

  allow = true;
  PC->SetFreeOnClose(true);
  log.clear();
  click(PC->CloseButtonHitRect(Sheets[0]));
  EXPECT_EQ(log, (std::vector<std::string>{"can close", "close"}));
  EXPECT_EQ(PC->PageCount(), 2);
  EXPECT_EQ(PC->ActivePage(), Sheets[1]);
  EXPECT_EQ(Form->FindComponent("TS_0"), nullptr);
  EXPECT_TRUE(PC->ClosedTabList().empty());

  // With no active page nothing reacts.
  PC->SetActivePage(nullptr);
  Headless::MouseUp(*PC, CentreOf(PC->CloseButtonHitRect(Sheets[1])));
  EXPECT_EQ(PC->PageCount(), 2);
}

TEST_F(PageControlTest, ClosedPageDestroyedLaterLeavesNoDanglingEntry) {
  Sheets[0]->SetShowClose(true);
  const TPoint at = CentreOf(PC->CloseButtonHitRect(Sheets[0]));
  Headless::MouseDown(*PC, at);
  Headless::MouseUp(*PC, at);
  ASSERT_EQ(PC->ClosedTabList().size(), 1u);
  Sheets[0]->Free();
  EXPECT_FALSE(PC->OpenClosedTab("TS_0"));
  PC->OpenAllClosedTabs();
  EXPECT_EQ(PC->PageCount(), 2);
}

TEST_F(PageControlTest, HoverFollowsTheMouseWhenHoverColoursAreSet) {
  Form->Show();
  Headless::MouseMove(*PC, CentreOf(TabRectOf(Sheets[2])));
  EXPECT_EQ(PC->HoverTab(), -1); // no hover colour: no hover
  PC->SetTabHoverColor(clYellow);
  Headless::MouseMove(*PC, CentreOf(TabRectOf(Sheets[2])));
  EXPECT_EQ(PC->HoverTab(), 2);
  Headless::MouseMove(*PC, CentreOf(TabRectOf(Sheets[1])));
  EXPECT_EQ(PC->HoverTab(), 1);
  Headless::MouseLeave();
  EXPECT_EQ(PC->HoverTab(), -1);
}

TEST_F(PageControlTest, PageShowErrorsAreReportedNotPassedOn) {
  TMessageResponder responder({mrOk});
  Sheets[1]->OnShow = [](TObject*) { throw std::runtime_error("Page data missing"); };
  EXPECT_NO_THROW(PC->SetActivePage(Sheets[1]));
  EXPECT_EQ(PC->ActivePage(), Sheets[1]);
  EXPECT_EQ(responder.Texts(), std::vector<std::string>{"Page data missing"});
}

TEST_F(PageControlTest, HighlightAndBorder3DTexts) {
  Sheets[1]->SetHighlighted(true);
  EXPECT_TRUE(PC->TabHighlighted(1));
  EXPECT_FALSE(PC->TabHighlighted(0));
  Sheets[1]->SetHighlighted(false);
  EXPECT_FALSE(PC->TabHighlighted(1));
  // The plain tabs show the captions themselves.
  PC->SetTabBorder3D(true);
  EXPECT_FALSE(PC->OwnerDraw());
  EXPECT_EQ(PC->TabText(0), "Nodes     ");
  PC->SetTabBorder3D(false);
  EXPECT_TRUE(PC->OwnerDraw());
  EXPECT_EQ(PC->TabText(0), "Nodes   ");
}

TEST_F(PageControlTest, PagesFillWhatTheTabsLeaveWhereverTheTabsLie) {
  struct TCase {
    TTabPosition Position;
    bool MultiLine;
    int TabHeight;
    int Width;
  };
  const TCase cases[] = {
      {tpTop, false, 0, 300},     {tpTop, false, 0, 120}, {tpTop, false, 30, 300},  {tpBottom, false, 0, 300},
      {tpBottom, false, 24, 120}, {tpTop, true, 0, 120},  {tpBottom, true, 0, 120}, {tpLeft, false, 0, 300},
      {tpRight, false, 0, 300},   {tpTop, false, 0, 300},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.Position) + (c.MultiLine ? " multi-line" : "") + " height " +
                 std::to_string(c.TabHeight) + " width " + std::to_string(c.Width));
    PC->SetTabPosition(c.Position);
    PC->SetMultiLine(c.MultiLine);
    PC->SetTabHeight(c.TabHeight);
    PC->SetBounds(10, 10, c.Width, 200);
    // Placed when the tabs changed, before anything asked where each tab lies.
    const TRect page = Sheets[0]->BoundsRect();
    TRect strip = PC->TabRect(0);
    for (int i = 1; i < PC->TabCount(); ++i) {
      const TRect r = PC->TabRect(i);
      strip = {std::min(strip.Left, r.Left), std::min(strip.Top, r.Top), std::max(strip.Right, r.Right),
               std::max(strip.Bottom, r.Bottom)};
    }
    EXPECT_EQ(page, PC->DisplayRect());
    if (c.TabHeight > 0 && !c.MultiLine) {
      EXPECT_EQ(strip.Height(), c.TabHeight);
    }
    switch (c.Position) {
    case tpTop:
      EXPECT_GT(page.Top, strip.Bottom);
      break;
    case tpBottom:
      EXPECT_LT(page.Bottom, strip.Top);
      break;
    case tpLeft:
      EXPECT_GT(page.Left, strip.Right);
      break;
    case tpRight:
      EXPECT_LT(page.Right, strip.Left);
      break;
    }
  }
}

TEST_F(PageControlTest, TabRowsWrapAndTheSelectedRowMeetsThePages) {
  PC->SetBounds(10, 10, 160, 200);
  EXPECT_EQ(PC->RowCount(), 1);
  PC->SetMultiLine(true);
  ASSERT_GT(PC->RowCount(), 1);
  // The selected tab's row lies next to the pages (the lowest row of top tabs).
  int lowest = 0;
  for (int i = 0; i < PC->TabCount(); ++i)
    lowest = std::max(lowest, PC->TabRect(i).Bottom);
  EXPECT_EQ(TabRectOf(Sheets[0]).Bottom, lowest);
  PC->SetActivePage(Sheets[2]);
  EXPECT_EQ(TabRectOf(Sheets[2]).Bottom, lowest);
  EXPECT_GT(PC->DisplayRect().Top, lowest);
  // Every tab is found where it lies.
  for (int i = 0; i < PC->TabCount(); ++i)
    EXPECT_EQ(PC->IndexOfTabAt(CentreOf(PC->TabRect(i)).X, CentreOf(PC->TabRect(i)).Y), i);
}
