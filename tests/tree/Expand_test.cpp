#include "TreeFixture.h"

class TExpandTest : public TTreeTest {
protected:
  void SetUp() override {
    TTreeTest::SetUp();
    A = Tree->AddChild(nullptr);
    for (int i = 0; i < 3; ++i) Tree->AddChild(A);
    B = Tree->AddChild(nullptr);
  }
  PVNode A = nullptr, B = nullptr;
};

TEST_F(TExpandTest, CollapsingThreeChildrenLowersHeightAndCount) {
  Tree->SetExpanded(A, true);
  const std::uint32_t height = Tree->RootNode()->TotalHeight;
  const std::uint32_t visible = Tree->VisibleCount();
  Tree->ToggleNode(A);
  EXPECT_EQ(Tree->RootNode()->TotalHeight, height - 54);
  EXPECT_EQ(Tree->VisibleCount(), visible - 3);
  EXPECT_EQ(CheckCounts(*Tree), "");
}

TEST_F(TExpandTest, NoChildrenFromTheHandlerLeavesTheNodeCollapsed) {
  PVNode c = Tree->AddChild(nullptr);
  Tree->SetHasChildren(c, true);
  Tree->OnInitChildren = [](TBaseNodeTree*, PVNode, std::uint32_t& count) { count = 0; };
  Tree->ToggleNode(c);
  EXPECT_FALSE(c->States.Has(vsHasChildren));
  EXPECT_FALSE(c->States.Has(vsExpanded));
}

TEST_F(TExpandTest, RefusedCollapseChangesNothing) {
  Tree->SetExpanded(A, true);
  int collapsed = 0;
  Tree->OnCollapsing = [](TBaseNodeTree*, PVNode, bool& allowed) { allowed = false; };
  Tree->OnCollapsed = [&](TBaseNodeTree*, PVNode) { ++collapsed; };
  Tree->ToggleNode(A);
  EXPECT_TRUE(A->States.Has(vsExpanded));
  EXPECT_EQ(collapsed, 0);
}

TEST_F(TExpandTest, AutoFreeOnCollapseAsksForChildrenAgain) {
  Tree->TreeOptions().SetAutoOptions(Tree->TreeOptions().AutoOptions() + TVTAutoOptions{toAutoFreeOnCollapse});
  int asked = 0, freed = 0;
  Tree->OnInitChildren = [&](TBaseNodeTree*, PVNode, std::uint32_t& count) {
    ++asked;
    count = 2;
  };
  Tree->OnFreeNode = [&](TBaseNodeTree*, PVNode) { ++freed; };
  Tree->SetExpanded(A, true);
  Tree->GetFirstChild(A);
  Tree->ToggleNode(A);
  EXPECT_GE(freed, 1);
  EXPECT_EQ(A->ChildCount, 0u);
  Tree->ToggleNode(A);
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(A->ChildCount, 2u);
  EXPECT_EQ(CheckCounts(*Tree), "");
  Tree.reset(); // its nodes are freed through the handlers, which count into this test's locals
}

TEST_F(TExpandTest, HidingInsideACollapsedParentChangesNoTotals) {
  const std::uint32_t height = Tree->RootNode()->TotalHeight;
  const std::uint32_t visible = Tree->VisibleCount();
  Tree->SetVisible(A->FirstChild, false);
  EXPECT_EQ(Tree->RootNode()->TotalHeight, height);
  EXPECT_EQ(Tree->VisibleCount(), visible);
  EXPECT_EQ(CheckCounts(*Tree), "");
}

TEST_F(TExpandTest, FilteringRemovesOnlyTheOwnRow) {
  Tree->SetExpanded(A, true);
  const std::uint32_t height = Tree->RootNode()->TotalHeight;
  Tree->SetFiltered(A, true);
  EXPECT_EQ(Tree->RootNode()->TotalHeight, height - 18);
  EXPECT_EQ(Tree->GetFirstVisible(), A->FirstChild);
  EXPECT_EQ(CheckCounts(*Tree), "");
  Tree->SetNodeHeight(A, 30);
  EXPECT_EQ(A->NodeHeight, 30u);
  EXPECT_EQ(Tree->RootNode()->TotalHeight, height - 18);
}

TEST_F(TExpandTest, AnimationDurationSwitchesTheAnimationOption) {
  Tree->TreeOptions().SetAnimationOptions({toAnimatedToggle});
  Tree->SetAnimationDuration(0);
  EXPECT_FALSE(Tree->TreeOptions().AnimationOptions().Has(toAnimatedToggle));
}

TEST_F(TExpandTest, FullExpandAndCollapse) {
  int started = 0;
  Tree->OnStartOperation = [&](TBaseNodeTree*, TVTOperationKind) { ++started; };
  Tree->FullExpand();
  EXPECT_TRUE(A->States.Has(vsExpanded));
  EXPECT_EQ(Tree->VisibleCount(), 5u);
  Tree->FullCollapse();
  EXPECT_FALSE(A->States.Has(vsExpanded));
  EXPECT_EQ(CheckCounts(*Tree), "");
  Tree->Clear();
  started = 0;
  Tree->FullExpand();
  EXPECT_EQ(started, 0);
}

TEST_F(TExpandTest, InitNodeAnswersExpandAndFilter) {
  TOwned<TTestTree> tree(new TTestTree(nullptr));
  tree->OnInitNode = [](TBaseNodeTree*, PVNode parent, PVNode, TVNodeInitStates& states) {
    if (!parent) states = {ivsHasChildren, ivsExpanded};
    if (parent) states.Include(ivsFiltered);
  };
  tree->OnInitChildren = [](TBaseNodeTree*, PVNode, std::uint32_t& count) { count = 2; };
  tree->SetRootNodeCount(1);
  PVNode top = tree->GetFirst();
  EXPECT_TRUE(top->States.Has(vsExpanded));
  tree->GetNext(top);
  tree->GetNext(tree->GetNext(top));
  EXPECT_EQ(tree->RootNode()->TotalHeight, 18u + 18u);
  EXPECT_EQ(CheckCounts(*tree), "");
}

TEST_F(TExpandTest, DefaultNodeHeightAndAlignmentLimits) {
  Tree->SetDefaultNodeHeight(0);
  EXPECT_EQ(Tree->DefaultNodeHeight(), 18u);
  Tree->SetDefaultNodeHeight(25);
  EXPECT_EQ(A->NodeHeight, 18u);
  EXPECT_EQ(Tree->AddChild(nullptr)->NodeHeight, 25u);
  Tree->SetVerticalAlignment(A, 150);
  EXPECT_EQ(A->Align, 100);
}

TEST_F(TExpandTest, CancelledFullExpandStopsAtTheNextNode) {
  PVNode c = Tree->AddChild(nullptr);
  Tree->AddChild(c);
  std::vector<PVNode> expanded;
  Tree->OnExpanded = [&](TBaseNodeTree* t, PVNode n) {
    expanded.push_back(n);
    t->CancelOperation();
  };
  Tree->CancelOperation(); // nothing runs: no effect
  Tree->FullExpand();
  EXPECT_EQ(expanded, std::vector<PVNode>{A});
  EXPECT_FALSE(c->States.Has(vsExpanded));
  EXPECT_FALSE(Tree->OperationCanceled());
}
