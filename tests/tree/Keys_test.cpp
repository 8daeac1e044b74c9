// Keyboard input on a shown tree: focus movement and range selection, scrolling with Ctrl, the
// space-key check, select all, and incremental search with its time-out.
#include "InputFixture.h"

#include "platform/ui/Menus.h"

namespace {

class TreeKeysTest : public TTreeInputTest {};

} // namespace

TEST_F(TreeKeysTest, ShiftDownExtendsAndShiftUpShrinksTowardTheAnchor) {
  Build({"a", "b", "c", "d"});
  Use(toMultiSelect);
  Tree->SetFocusedNode(Top(0));
  Key(VK_DOWN); // plain: the anchor becomes the focused node
  Key(VK_UP);
  ASSERT_EQ(Selection(), std::vector<PVNode>{Top(0)});
  struct TStep {
    std::uint16_t key;
    std::vector<int> selected;
    int focused;
  };
  for (const TStep& s : {TStep{VK_DOWN, {0, 1}, 1}, TStep{VK_DOWN, {0, 1, 2}, 2}, TStep{VK_UP, {0, 1}, 1},
                        TStep{VK_UP, {0}, 0}}) {
    SCOPED_TRACE(s.focused);
    Key(s.key, ssShift);
    std::vector<PVNode> expected;
    for (int i : s.selected) expected.push_back(Top(i));
    EXPECT_EQ(Selection(), expected);
    EXPECT_EQ(Tree->FocusedNode(), Top(s.focused));
  }
}

TEST_F(TreeKeysTest, DownMovesTheFocusAndSelectionAndOnTheLastNodeOnlyRepaints) {
  Build({"a", "b", "c"});
  Use(toMultiSelect);
  Tree->SetFocusedNode(Top(0));
  Tree->SetSelected(Top(0), true);
  Tree->SetSelected(Top(2), true);
  Key(VK_DOWN);
  EXPECT_EQ(Tree->FocusedNode(), Top(1));
  EXPECT_EQ(Selection(), std::vector<PVNode>{Top(1)});
  Key(VK_DOWN);
  int changes = 0;
  Tree->OnFocusChanged = [&](TBaseNodeTree*, PVNode, TColumnIndex) { ++changes; };
  Key(VK_DOWN);
  EXPECT_EQ(Tree->FocusedNode(), Top(2));
  EXPECT_EQ(Selection(), std::vector<PVNode>{Top(2)});
  EXPECT_EQ(changes, 0);
}

TEST_F(TreeKeysTest, CtrlDownAndUpScrollByTheDefaultNodeHeightWithoutMovingTheFocus) {
  Build(std::vector<std::string>(30, "n"));
  Tree->SetFocusedNode(Top(0));
  Tree->SetSelected(Top(0), true);
  Key(VK_DOWN, ssCtrl);
  EXPECT_EQ(Tree->OffsetY(), -18);
  Key(VK_DOWN, ssCtrl);
  Key(VK_UP, ssCtrl);
  EXPECT_EQ(Tree->OffsetY(), -18);
  EXPECT_EQ(Tree->FocusedNode(), Top(0));
}

TEST_F(TreeKeysTest, SpaceHeldPressesTheCheckAndAnArrowBeforeTheReleaseCancelsIt) {
  Build({"a", "b"});
  Use(toCheckSupport);
  Tree->SetCheckType(Top(0), ctCheckBox);
  Tree->SetFocusedNode(Top(0));
  int checked = 0;
  Tree->OnChecked = [&](TBaseNodeTree*, PVNode) { ++checked; };
  Headless::KeyDown(*Form, VK_SPACE);
  EXPECT_EQ(Top(0)->CheckState, csUncheckedPressed);
  Headless::KeyUp(*Form, VK_SPACE);
  EXPECT_EQ(Top(0)->CheckState, csCheckedNormal);
  EXPECT_EQ(checked, 1);

  Headless::KeyDown(*Form, VK_SPACE);
  EXPECT_EQ(Top(0)->CheckState, csCheckedPressed);
  Key(VK_DOWN);
  EXPECT_EQ(Top(0)->CheckState, csCheckedNormal);
  Headless::KeyUp(*Form, VK_SPACE);
  EXPECT_EQ(Top(0)->CheckState, csCheckedNormal);
  EXPECT_EQ(checked, 1);
}

TEST_F(TreeKeysTest, CtrlASelectsTheVisibleNodesOfAMultiSelectTree) {
  Build({"a", "b", "c"}, {"b"});
  Use(toMultiSelect);
  Tree->SetFocusedNode(Top(0));
  Key('A', ssCtrl);
  EXPECT_EQ(Selection().size(), 3u) << "the collapsed children stay out";
  Key('B', ssCtrl);
  EXPECT_EQ(Selection().size(), 3u);
  EXPECT_TRUE(Tree->SearchBuffer().empty());
}

TEST_F(TreeKeysTest, IncrementalSearchTypesRepeatsTimesOutAndGoesBack) {
  Build({"apple", "banana", "abc", "axe", "aardvark", "cherry"});
  Tree->SetIncrementalSearch(isAll);
  Tree->SetIncrementalSearchTimeout(1000);
  Tree->SetFocusedNode(Top(5));
  struct TStep {
    const char* what;
    std::uint16_t key;
    int advance;
    int focused;
    const char* buffer;
    int beeps;
  };
  const TStep steps[] = {
      {"a from cherry wraps to apple", 'A', 0, 0, "a", 0},
      {"ab", 'B', 500, 2, "ab", 0},
      {"abz fails, beeps and keeps the buffer", 'Z', 500, 2, "ab", 1},
      {"the time-out empties the buffer", 0, 1000, 2, "", 1},
      {"a starts after the focused node", 'A', 0, 3, "a", 1},
      {"a repeated jumps to the next node starting with a", 'A', 100, 4, "a", 1},
      {"a repeated on aardvark, which starts with aa, appends", 'A', 100, 4, "aa", 1},
      {"backspace shortens and searches backwards", VK_BACK, 100, 3, "a", 1},
  };
  for (const TStep& s : steps) {
    SCOPED_TRACE(s.what);
    if (s.advance) Timers.Advance(s.advance);
    if (s.key) Key(s.key);
    EXPECT_EQ(Tree->FocusedNode(), Top(s.focused));
    EXPECT_EQ(Tree->SearchBuffer(), s.buffer);
    EXPECT_EQ(Beeps, s.beeps);
  }
  EXPECT_EQ(Selection(), std::vector<PVNode>{Top(3)});
}

TEST_F(TreeKeysTest, TheTreeWantsArrowsAndCharactersAndTabsOnlyWhenAsked) {
  EXPECT_EQ(static_cast<TWinControl*>(Tree)->DialogCode(), 129u);
  Tree->SetWantTabs(true);
  EXPECT_EQ(static_cast<TWinControl*>(Tree)->DialogCode(), 131u);
}

TEST_F(TreeKeysTest, NavigationAndExpansionKeys) {
  Build({"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l"}, {"b", "c"});
  struct TStep {
    const char* what;
    std::uint16_t key;
    TShiftState shift;
    int focused; // top-level index, or -1 for the first child of b
    bool bExpanded, cExpanded;
  };
  Tree->SetFocusedNode(Top(1));
  const TStep steps[] = {
      {"Right expands", VK_RIGHT, 0, 1, true, false},
      {"Right again goes to the first child", VK_RIGHT, 0, -1, true, false},
      {"Left goes to the parent", VK_LEFT, 0, 1, true, false},
      {"Left collapses", VK_LEFT, 0, 1, false, false},
      {"Add expands", VK_ADD, 0, 1, true, false},
      {"Subtract collapses", VK_SUBTRACT, 0, 1, false, false},
      {"Multiply expands all below", VK_MULTIPLY, 0, 1, true, false},
      {"Divide collapses all below", VK_DIVIDE, 0, 1, false, false},
      {"End goes to the last node", VK_END, 0, 11, false, false},
      {"Home goes to the first node", VK_HOME, 0, 0, false, false},
      {"Next goes a page down", VK_NEXT, 0, 9, false, false},
      {"Prior goes a page up", VK_PRIOR, 0, 0, false, false},
      {"Ctrl+Add alone fits columns, which there are none of", VK_ADD, ssCtrl, 0, false, false},
      {"Ctrl+Shift+Add expands all", VK_ADD, ssCtrl | ssShift, 0, true, true},
      {"Ctrl+Shift+Subtract collapses all", VK_SUBTRACT, ssCtrl | ssShift, 0, false, false},
  };
  for (const TStep& s : steps) {
    SCOPED_TRACE(s.what);
    if (s.shift & ssCtrl) {
      Headless::THeldKeys ctrl{VK_CONTROL};
      Headless::THeldKeys shift{static_cast<std::uint16_t>(s.shift & ssShift ? VK_SHIFT : VK_CONTROL)};
      Key(s.key, s.shift);
    } else {
      Key(s.key, s.shift);
    }
    EXPECT_EQ(Tree->FocusedNode(), s.focused < 0 ? Top(1)->FirstChild : Top(s.focused));
    EXPECT_EQ(Tree->Expanded(Top(1)), s.bExpanded);
    EXPECT_EQ(Tree->Expanded(Top(2)), s.cExpanded);
  }
}

TEST_F(TreeKeysTest, TheContextMenuKeyAsksForTheFocusedNodesMenu) {
  Build({"a", "b"});
  Tree->SetFocusedNode(Top(1));
  PVNode asked = nullptr;
  TPoint at;
  TPopupMenu menu(nullptr);
  Tree->OnGetPopupMenu = [&](TBaseNodeTree*, PVNode n, TColumnIndex, TPoint p, bool&, TPopupMenu*& m) {
    asked = n;
    at = p;
    m = &menu;
  };
  Key(VK_APPS);
  EXPECT_EQ(asked, Top(1));
  const TRect r = Tree->GetDisplayRect(Top(1), NoColumn, true);
  EXPECT_EQ(at.Y, (r.Top + r.Bottom) / 2);
  EXPECT_EQ(Headless::LastPopupMenu(), &menu);
}
