#include "TreeFixture.h"

#include <algorithm>
#include <functional>

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
  for (int i = 1; i < Tree->SelectedCount(); ++i)
    EXPECT_TRUE(std::less<PVNode>()(sel[i - 1], sel[i]));
  for (PVNode n : sel)
    EXPECT_TRUE(n->States.Has(vsSelected));
}

// Nodes added one at a time, before, between and behind the selected ones, and after removals
// inside an update left marks, still give one array sorted by address without marks.
TEST_F(TSelectionTest, SingleAdditionsAroundMarksKeepTheArraySorted) {
  TNodeArray byAddress = Nodes;
  std::sort(byAddress.begin(), byAddress.end(), std::less<PVNode>());
  Tree->SetSelected(byAddress[2], true);
  Tree->SetSelected(byAddress[4], true);
  Tree->SetSelected(byAddress[0], true);
  Tree->SetSelected(byAddress[3], true);
  Tree->BeginUpdate();
  Tree->DeleteNode(byAddress[2]);
  Tree->SetSelected(byAddress[1], true);
  Tree->EndUpdate();
  EXPECT_EQ(Tree->SelectionArray(), (TNodeArray{byAddress[0], byAddress[1], byAddress[3], byAddress[4]}));
  EXPECT_EQ(Tree->SelectedCount(), 4);
}

// Removals inside an update, from the front, the back and every third node, each find their own
// entry however many marks lie before it; the array left holds exactly the nodes still selected.
TEST_F(TSelectionTest, ManyRemovalsInsideAnUpdateEachFindTheirEntry) {
  struct TCase {
    const char* name;
    std::function<bool(int)> removed;
  };
  const TCase cases[] = {
      {"the first 150", [](int i) { return i < 150; }},
      {"the last 150", [](int i) { return i >= 50; }},
      {"every third", [](int i) { return i % 3 == 0; }},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    Tree->Clear();
    TNodeArray nodes;
    for (int i = 0; i < 200; ++i)
      nodes.push_back(Tree->AddChild(nullptr));
    Tree->SelectAll(false);
    std::sort(nodes.begin(), nodes.end(), std::less<PVNode>());
    TNodeArray kept;
    Tree->BeginUpdate();
    for (int i = 0; i < 200; ++i)
      if (c.removed(i)) {
        Tree->DeleteNode(nodes[static_cast<std::size_t>(i)]);
      } else {
        kept.push_back(nodes[static_cast<std::size_t>(i)]);
      }
    Tree->EndUpdate();
    EXPECT_EQ(Tree->SelectionArray(), kept);
    EXPECT_EQ(Tree->SelectedCount(), static_cast<int>(kept.size()));
  }
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

// Drives the band as the mouse handling does: a start point, then moves of the corner.
class TBandTree : public TTestTree {
public:
  using TTestTree::TTestTree;
  void Start(int x, int y, TShiftState shift) {
    FDrawSelShiftState = shift;
    FNewSelRect = FLastSelRect = Rect(x, y, x, y);
    DoStateChange({tsDrawSelecting});
  }
  bool MoveTo(int x, int y) {
    TrackSelectionRect(x, y);
    return ApplyBandSelection();
  }
};

TEST_F(TTreeTest, BandWithCtrlTogglesAndUntogglesWhenItShrinks) {
  TOwned<TBandTree> tree(new TBandTree(nullptr));
  tree->TreeOptions().SetSelectionOptions({toMultiSelect, toSimpleDrawSelection});
  tree->SetRootNodeCount(5);
  std::vector<PVNode> nodes = AllNodes(*tree);
  tree->SetSelected(nodes[1], true);
  tree->Start(10, 1, ssCtrl);        // left of the rows: the start point takes no node
  EXPECT_TRUE(tree->MoveTo(60, 40)); // rows 0, 1 and 2
  EXPECT_TRUE(nodes[0]->States.Has(vsSelected));
  EXPECT_FALSE(nodes[1]->States.Has(vsSelected));
  EXPECT_TRUE(nodes[2]->States.Has(vsSelected));
  EXPECT_TRUE(tree->MoveTo(60, 10)); // back to row 0
  EXPECT_TRUE(nodes[0]->States.Has(vsSelected));
  EXPECT_TRUE(nodes[1]->States.Has(vsSelected));
  EXPECT_FALSE(nodes[2]->States.Has(vsSelected));
  EXPECT_EQ(tree->SelectedCount(), 2);
}
