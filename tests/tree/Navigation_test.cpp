#include "TreeFixture.h"

// A(A1, A2), B
class TNavigationTest : public TTreeTest {
protected:
  void SetUp() override {
    TTreeTest::SetUp();
    A = Tree->AddChild(nullptr);
    A1 = Tree->AddChild(A);
    A2 = Tree->AddChild(A);
    B = Tree->AddChild(nullptr);
  }
  std::vector<PVNode> Walk(bool childrenAbove) {
    std::vector<PVNode> order;
    for (PVNode n : Tree->Nodes(childrenAbove)) order.push_back(n);
    return order;
  }
  PVNode A = nullptr, A1 = nullptr, A2 = nullptr, B = nullptr;
};

TEST_F(TNavigationTest, TreeOrderAndChildrenAboveOrder) {
  EXPECT_EQ(Walk(false), (std::vector<PVNode>{A, A1, A2, B}));
  EXPECT_EQ(Walk(true), (std::vector<PVNode>{A, A1, A2, B}));
  Tree->TreeOptions().SetPaintOptions(Tree->TreeOptions().PaintOptions() + TVTPaintOptions{toChildrenAbove});
  EXPECT_EQ(Walk(true), (std::vector<PVNode>{A1, A2, A, B}));
  EXPECT_EQ(Tree->CompareTreeOrder(A, A1, false), -1);
  EXPECT_EQ(Tree->CompareTreeOrder(A, A1, true), 1);
}

TEST_F(TNavigationTest, PositionsAndEnds) {
  EXPECT_EQ(Tree->AbsoluteIndex(A1), 1u);
  EXPECT_EQ(Tree->AbsoluteIndex(B), 3u);
  EXPECT_EQ(Tree->GetNext(nullptr), nullptr);
  EXPECT_EQ(Tree->GetPrevious(nullptr), nullptr);
  EXPECT_EQ(Tree->GetNext(B), nullptr);
  EXPECT_EQ(Tree->GetPrevious(B), A2);
  EXPECT_EQ(Tree->GetLast(), B);
  EXPECT_EQ(Tree->GetPreviousLeaf(nullptr), B);
  EXPECT_FALSE(Tree->HasAsParent(A, A));
  EXPECT_TRUE(Tree->HasAsParent(A1, A));
  EXPECT_EQ(Tree->GetFirstLevel(1), A1);
  EXPECT_EQ(Tree->GetNextLevel(A1, 1), A2);
  EXPECT_EQ(Tree->GetNextLevel(A2, 1), nullptr);
  EXPECT_EQ(Tree->GetPreviousLevel(A2, 1), A1);
}

TEST_F(TNavigationTest, ChildrenAreCreatedOnlyByTheInitialisingForms) {
  PVNode c = Tree->AddChild(nullptr);
  Tree->SetHasChildren(c, true);
  int asked = 0;
  Tree->OnInitChildren = [&](TBaseNodeTree*, PVNode, std::uint32_t& count) {
    ++asked;
    count = 2;
  };
  EXPECT_EQ(Tree->GetFirstChildNoInit(c), nullptr);
  EXPECT_EQ(asked, 0);
  PVNode first = Tree->GetFirstChild(c);
  EXPECT_EQ(asked, 1);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->Parent, c);
}

TEST_F(TNavigationTest, DisplayOrderSkipsCollapsedAndFilteredButShowsChildrenOfFiltered) {
  std::vector<PVNode> shown;
  for (PVNode n : Tree->VisibleNodes()) shown.push_back(n);
  EXPECT_EQ(shown, (std::vector<PVNode>{A, B}));
  Tree->SetExpanded(A, true);
  Tree->SetFiltered(A, true);
  shown.clear();
  for (PVNode n : Tree->VisibleNodes()) shown.push_back(n);
  EXPECT_EQ(shown, (std::vector<PVNode>{A1, A2, B}));
  Tree->SetFiltered(A1, true);
  EXPECT_EQ(Tree->GetFirstVisibleChild(A), A2);
  EXPECT_EQ(Tree->GetFirstVisibleChild(A, true), A1);
  EXPECT_EQ(Tree->GetPreviousVisible(B), A2);
}

TEST_F(TNavigationTest, IterateSubtreeCoversTheSubtreeOnly) {
  std::vector<PVNode> seen;
  auto collect = [&](TBaseNodeTree*, PVNode n, void*, bool&) { seen.push_back(n); };
  Tree->IterateSubtree(A, collect, nullptr);
  EXPECT_EQ(seen, (std::vector<PVNode>{A, A1, A2}));
  seen.clear();
  Tree->IterateSubtree(A, collect, nullptr, {}, false, true);
  EXPECT_EQ(seen, (std::vector<PVNode>{A1, A2}));
  PVNode hit = Tree->IterateSubtree(
      nullptr, [](TBaseNodeTree*, PVNode n, void* data, bool& abort) { abort = n == data; }, A2);
  EXPECT_EQ(hit, A2);
}
