#include "TreeFixture.h"

class TSelectionTest : public TTreeTest {
protected:
  void SetUp() override {
    TTreeTest::SetUp();
    Tree->TreeOptions().SetSelectionOptions({toMultiSelect});
    Tree->SetRootNodeCount(5);
    Nodes = AllNodes(*Tree);
  }
  std::vector<PVNode> Nodes;
};

TEST_F(TSelectionTest, AddingIsIdempotentAndSkipsDisabled) {
  int added = 0;
  Tree->OnAddToSelection = [&](TBaseNodeTree*, PVNode) { ++added; };
  Tree->AddToSelection(Nodes[1]);
  Tree->AddToSelection(Nodes[1]);
  Tree->SetDisabled(Nodes[2], true);
  Tree->AddToSelection(Nodes[2]);
  EXPECT_EQ(added, 1);
  EXPECT_EQ(Tree->SelectedCount(), 1);
}

TEST_F(TSelectionTest, ArrayStaysSortedByAddressThroughBatches) {
  Tree->SelectAll(false);
  EXPECT_EQ(Tree->SelectedCount(), 5);
  Tree->InvertSelection(false);
  EXPECT_EQ(Tree->SelectedCount(), 0);
  Tree->SetSelected(Nodes[4], true);
  Tree->SetSelected(Nodes[0], true);
  Tree->InvertSelection(false);
  const TNodeArray& sel = Tree->SelectionArray();
  ASSERT_EQ(Tree->SelectedCount(), 3);
  for (int i = 1; i < Tree->SelectedCount(); ++i) EXPECT_TRUE(std::less<PVNode>()(sel[i - 1], sel[i]));
  for (PVNode n : sel) EXPECT_TRUE(n->States.Has(vsSelected));
}

TEST_F(TSelectionTest, SortedSelectionResolvesChildren) {
  PVNode child = Tree->AddChild(Nodes[0]);
  Tree->SetSelected(Nodes[0], true);
  Tree->SetSelected(child, true);
  EXPECT_EQ(Tree->GetSortedSelection(true), TNodeArray{Nodes[0]});
  EXPECT_EQ(Tree->GetSortedSelection(false), (TNodeArray{Nodes[0], child}));
}

TEST_F(TSelectionTest, SingleSelectTreeRefusesBatches) {
  Tree->TreeOptions().SetSelectionOptions({});
  Tree->SelectAll(false);
  EXPECT_EQ(Tree->SelectedCount(), 0);
  Tree->SetSelected(Nodes[0], true);
  Tree->SetSelected(Nodes[1], true);
  EXPECT_EQ(Tree->SelectedCount(), 1);
  EXPECT_EQ(Tree->FocusedNode(), Nodes[1]);
}

TEST_F(TSelectionTest, RemovingTheLastResetsAnchorAndRemembersNext) {
  Tree->TreeOptions().SetSelectionOptions({toMultiSelect, toAlwaysSelectNode});
  Tree->SetSelected(Nodes[2], true);
  Tree->SetFocusedNode(Nodes[3]);
  Tree->RemoveFromSelection(Nodes[2]);
  EXPECT_EQ(Tree->RangeAnchor(), Nodes[3]);
}
