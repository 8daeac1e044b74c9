// Scrolling a tree: offsets clamp to the content, the bars follow, requests of the bars and the
// wheel move by their steps, and nodes are brought into view.
#include "TreeFixture.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class TreeScrollTest : public TUiTest {
protected:
  void SetUp() override {
    TUiTest::SetUp();
    Tree.reset(new TBaseNodeTree(nullptr));
    Tree->SetBounds(0, 0, 200, 100);
    Tree->SetNodeDataSize(0);
    Tree->OnScroll = [this](TBaseNodeTree*, int dx, int dy) { Scrolls.push_back({dx, dy}); };
  }
  void TearDown() override {
    Tree.reset();
    TUiTest::TearDown();
  }
  TOwned<TBaseNodeTree> Tree;
  std::vector<TPoint> Scrolls;
};

} // namespace

TEST_F(TreeScrollTest, OffsetYClampsToTheContentAndReportsOnlyChanges) {
  Tree->SetRootNodeCount(20); // 360 px of rows in 100 px
  struct TCase {
    int set, expected;
    bool scrolled;
  };
  for (const TCase c : {TCase{10, 0, false}, TCase{-50, -50, true}, TCase{-50, -50, false},
                        TCase{-1000, -260, true}, TCase{-260, -260, false}, TCase{0, 0, true}}) {
    SCOPED_TRACE(c.set);
    Scrolls.clear();
    Tree->SetOffsetY(c.set);
    EXPECT_EQ(Tree->OffsetY(), c.expected);
    EXPECT_EQ(Scrolls.size(), c.scrolled ? 1u : 0u);
  }
  Scrolls.clear();
  Tree->SetOffsetY(-30);
  ASSERT_EQ(Scrolls.size(), 1u);
  EXPECT_EQ(Scrolls[0].Y, -30);
}

TEST_F(TreeScrollTest, BarsShowOnlyWhenNeededOrDisabledWhenAlwaysVisible) {
  Tree->SetRootNodeCount(3);
  Tree->UpdateVerticalScrollBar(true);
  EXPECT_FALSE(Tree->VerticalBar().Shown);
  Tree->ScrollBarOptions().SetAlwaysVisible(true);
  EXPECT_TRUE(Tree->VerticalBar().Shown);
  EXPECT_FALSE(Tree->VerticalBar().Enabled);
  Tree->ScrollBarOptions().SetAlwaysVisible(false);
  Tree->SetRootNodeCount(20);
  Tree->UpdateVerticalScrollBar(true);
  EXPECT_TRUE(Tree->VerticalBar().Shown);
  EXPECT_TRUE(Tree->VerticalBar().Enabled);
  EXPECT_EQ(Tree->VerticalBar().Max, 360);
  EXPECT_EQ(Tree->VerticalBar().Page, 101);
  Tree->SetOffsetY(-90);
  EXPECT_EQ(Tree->VerticalBar().Position, 90);
  Tree->ScrollBarOptions().SetScrollBars(ssHorizontal);
  EXPECT_FALSE(Tree->VerticalBar().Shown);
}

TEST_F(TreeScrollTest, BarRequestsAndTheWheelMoveByTheirSteps) {
  Tree->SetRootNodeCount(20);
  struct TCase {
    unsigned code;
    int expected;
  };
  for (const TCase c : {TCase{SB_LINEDOWN, -20}, TCase{SB_PAGEDOWN, -120}, TCase{SB_BOTTOM, -260},
                        TCase{SB_LINEUP, -240}, TCase{SB_PAGEUP, -140}, TCase{SB_TOP, 0}}) {
    Tree->HandleVScroll(c.code);
    EXPECT_EQ(Tree->OffsetY(), c.expected) << c.code;
  }
  Tree->HandleVScroll(SB_THUMBTRACK, 77);
  EXPECT_EQ(Tree->OffsetY(), -77);
  EXPECT_TRUE(Tree->TreeStates().Has(tsThumbTracking));
  Tree->HandleVScroll(SB_ENDSCROLL);
  EXPECT_FALSE(Tree->TreeStates().Has(tsThumbTracking));

  Tree->SetOffsetY(0);
  Tree->HandleWheelScroll(-120, 0);
  EXPECT_EQ(Tree->OffsetY(), -3 * 18) << "lines x DefaultNodeHeight";
  Tree->HandleWheelScroll(-120, ssCtrl);
  EXPECT_EQ(Tree->OffsetY(), -3 * 18 - 100) << "a page with Ctrl";
  Tree->HandleWheelScroll(-120, ssShift);
  EXPECT_EQ(Tree->OffsetY(), -3 * 18 - 100) << "Shift scrolls sideways";
  Tree->SetWheelScrollLines(-1);
  Tree->HandleWheelScroll(120, 0);
  EXPECT_EQ(Tree->OffsetY(), -54) << "one screen per notch";
}

TEST_F(TreeScrollTest, ScrollIntoViewExpandsParentsAndScrollsOnlyWhenNeeded) {
  Tree->SetRootNodeCount(10);
  PVNode last = Tree->GetLast();
  Tree->SetChildCount(last, 3);
  PVNode child = Tree->GetLastChild(last);
  ASSERT_FALSE(Tree->Expanded(last));
  EXPECT_TRUE(Tree->ScrollIntoView(child, false));
  EXPECT_TRUE(Tree->Expanded(last));
  const TRect r = Tree->GetDisplayRect(child, NoColumn, false);
  EXPECT_EQ(r.Bottom, Tree->ClientHeight()) << "the node's bottom at the window's bottom";
  EXPECT_FALSE(Tree->ScrollIntoView(child, false)) << "already in view";
  EXPECT_TRUE(Tree->ScrollIntoView(Tree->GetFirst(), false));
  EXPECT_EQ(Tree->OffsetY(), 0);
  EXPECT_FALSE(Tree->ScrollIntoView(nullptr, false));
}

TEST_F(TreeScrollTest, TopAndBottomNode) {
  Tree->SetRootNodeCount(20);
  PVNode fifth = Tree->GetFirst();
  for (int i = 0; i < 5; ++i)
    fifth = Tree->GetNext(fifth);
  Tree->SetTopNode(fifth);
  EXPECT_EQ(Tree->OffsetY(), -90);
  EXPECT_EQ(Tree->TopNode(), fifth);
  Tree->SetBottomNode(fifth);
  EXPECT_EQ(Tree->OffsetY(), -8) << "100 px window: the sixth row ends at its bottom";
  EXPECT_EQ(Tree->BottomNode(), fifth);
}

namespace {
// Nodes 150 px wide, so the content is wider than the 200 px window from level 2 on.
class TWideTree : public TBaseNodeTree {
public:
  using TBaseNodeTree::TBaseNodeTree;
  int GetNodeContentWidth(PVNode, TColumnIndex, TCanvas*) override { return 150; }
};
} // namespace

TEST_F(TreeScrollTest, HorizontalRangeIsTheWidestNodeInView) {
  TOwned<TWideTree> wide(new TWideTree(nullptr));
  wide->SetBounds(0, 0, 200, 100);
  wide->SetRootNodeCount(2);
  wide->UpdateHorizontalScrollBar(true);
  EXPECT_EQ(wide->RangeX(), 18u + 150 + 4);
  EXPECT_FALSE(wide->HorizontalBar().Shown);
  PVNode first = wide->GetFirst();
  wide->SetChildCount(first, 1);
  wide->SetChildCount(wide->GetFirstChild(first), 1);
  wide->FullExpand();
  wide->UpdateHorizontalScrollBar(true);
  EXPECT_EQ(wide->RangeX(), 3u * 18 + 150 + 4) << "the level-2 node";
  EXPECT_TRUE(wide->HorizontalBar().Shown);
  wide->HandleHScroll(SB_RIGHT);
  EXPECT_EQ(wide->OffsetX(), 200 - static_cast<int>(wide->RangeX()));
  wide->HandleHScroll(SB_LINELEFT);
  EXPECT_EQ(wide->OffsetX(), 0);
}
