#include "TreeFixture.h"

#include "platform/Clock.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

TEST_F(TTreeTest, NewTreeIsEmptyWithTheDefaults) {
  EXPECT_EQ(Tree->RootNodeCount(), 0u);
  EXPECT_EQ(Tree->TotalCount(), 0u);
  EXPECT_EQ(Tree->GetNodeLevel(nullptr), 0u);
  EXPECT_TRUE(Tree->IsEmpty());
  EXPECT_EQ(Tree->NodeDataSize(), -1);
  EXPECT_EQ(Tree->DefaultNodeHeight(), 18u);
  EXPECT_EQ(Tree->TreeOptions().PaintOptions().Bits(), 0x1B60u);
  EXPECT_EQ(Tree->TreeOptions().AutoOptions().Bits(), 0x559u);
  EXPECT_EQ(Tree->TreeOptions().MiscOptions().Bits(), 0x41A9u);
  EXPECT_EQ(Tree->TreeOptions().SelectionOptions().Bits(), 0u);
  EXPECT_EQ(Tree->Width(), 200);
  EXPECT_EQ(Tree->Height(), 100);
}

TEST_F(TTreeTest, FirstNodeFixesTheDataSizeAndChildrenCount) {
  PVNode a = Tree->AddChild(nullptr);
  EXPECT_EQ(Tree->NodeDataSize(), 4);
  PVNode b = Tree->AddChild(nullptr);
  EXPECT_EQ(a->Index, 0u);
  EXPECT_EQ(b->Index, 1u);
  EXPECT_EQ(Tree->RootNodeCount(), 2u);
  PVNode a1 = Tree->AddChild(a);
  EXPECT_EQ(Tree->GetNodeLevel(a), 0u);
  EXPECT_EQ(Tree->GetNodeLevel(a1), 1u);
  EXPECT_EQ(Tree->GetNodeData(nullptr), nullptr);
  EXPECT_EQ(Tree->GetNodeData(Tree->RootNode()), nullptr);
  EXPECT_EQ(CheckCounts(*Tree), "");
}

// Automatic sorting initialises every node it sorts; these tests need nodes left alone.
static void NoAutoSort(TBaseNodeTree& t) {
  t.TreeOptions().SetAutoOptions(t.TreeOptions().AutoOptions() - TVTAutoOptions{toAutoSort});
}

TEST_F(TTreeTest, NodeDataSizeChangeClearsAndRecreatesUninitialisedNodes) {
  NoAutoSort(*Tree);
  Tree->SetRootNodeCount(3);
  int freed = 0;
  Tree->OnFreeNode = [&](TBaseNodeTree*, PVNode) { ++freed; };
  Tree->GetNodeData(Tree->GetFirstNoInit()); // data handed out
  Tree->GetNext(Tree->GetFirstNoInit());     // second node initialised
  Tree->SetNodeDataSize(8);
  EXPECT_EQ(freed, 2);
  ASSERT_EQ(Tree->RootNodeCount(), 3u);
  for (PVNode n : AllNodes(*Tree)) {
    EXPECT_FALSE(n->States.Has(vsInitialized));
    auto* data = static_cast<unsigned char*>(n->GetData());
    for (int i = 0; i < 8; ++i) EXPECT_EQ(data[i], 0);
  }
}

// Pointer-sized user data needs room for a whole pointer, and every area is aligned for any type.
TEST_F(TTreeTest, UserDataPointerNeedsPointerRoomAndAlignment) {
  Tree->SetNodeDataSize(4);
  PVNode n = Tree->AddChild(nullptr);
  int value = 0;
  EXPECT_THROW(Tree->SetNodeData(n, &value), EAssertionFailed);
  EXPECT_THROW(Tree->AddChild(nullptr, &value), EAssertionFailed);
  Tree->SetNodeDataSize(static_cast<int>(sizeof(void*)));
  PVNode m = Tree->AddChild(nullptr, &value);
  EXPECT_EQ(*static_cast<int**>(Tree->GetNodeData(m)), &value);
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(Tree->GetNodeData(m)) % alignof(std::max_align_t), 0u);
}

struct TRec {
  std::string Caption = "unset";
  static inline int Alive = 0;
  TRec() { ++Alive; }
  ~TRec() { --Alive; }
};

TEST_F(TTreeTest, TypedUserDataIsConstructedOnFirstUseAndDestroyedWithTheNode) {
  NoAutoSort(*Tree);
  Tree->SetNodeDataType<TRec>();
  EXPECT_GE(Tree->NodeDataSize(), static_cast<int>(sizeof(TRec)));
  Tree->OnInitNode = [](TBaseNodeTree* t, PVNode, PVNode n, TVNodeInitStates&) {
    t->GetNodeData<TRec>(n)->Caption = "node " + std::to_string(n->Index);
  };
  for (int i = 0; i < 5; ++i) Tree->AddChild(nullptr);
  EXPECT_EQ(TRec::Alive, 0);
  PVNode first = Tree->GetFirst();
  EXPECT_EQ(Tree->GetNodeData<TRec>(first)->Caption, "node 0");
  EXPECT_EQ(TRec::Alive, 1);
  EXPECT_THROW(Tree->GetNodeData<int>(first), EAssertionFailed);
  Tree->GetNext(first);
  Tree->Clear();
  EXPECT_EQ(TRec::Alive, 0);
}

TEST_F(TTreeTest, InsertNodeTakesThePlaceOfItsTarget) {
  PVNode x = Tree->AddChild(nullptr);
  PVNode first = Tree->InsertNode(nullptr, amInsertBefore);
  EXPECT_EQ(Tree->GetFirstNoInit(), first);
  PVNode y = Tree->InsertNode(x, amInsertBefore);
  EXPECT_EQ(y->Index, 1u);
  EXPECT_EQ(x->Index, 2u);
  EXPECT_EQ(Tree->InsertNode(x, amNoWhere), nullptr);
  EXPECT_EQ(CheckCounts(*Tree), "");
}

TEST_F(TTreeTest, ReadOnlyTreeRefusesStructureChanges) {
  PVNode a = Tree->AddChild(nullptr);
  Tree->TreeOptions().SetMiscOptions(Tree->TreeOptions().MiscOptions() + TVTMiscOptions{toReadOnly});
  EXPECT_EQ(Tree->AddChild(nullptr), nullptr);
  Tree->DeleteNode(a);
  Tree->Clear();
  EXPECT_EQ(Tree->RootNodeCount(), 1u);
}

TEST_F(TTreeTest, ChildCountOfACollapsedNodeChangesCountsNotHeight) {
  PVNode a = Tree->AddChild(nullptr);
  const std::uint32_t height = Tree->RootNode()->TotalHeight;
  Tree->SetChildCount(a, 5);
  EXPECT_EQ(Tree->RootNode()->TotalHeight, height);
  EXPECT_EQ(Tree->TotalCount(), 6u);
  EXPECT_EQ(CheckCounts(*Tree), "");
}

TEST_F(TTreeTest, DeletingTheOnlyChildClearsTheParentsMarks) {
  PVNode a = Tree->AddChild(nullptr);
  PVNode a1 = Tree->AddChild(a);
  Tree->SetExpanded(a, true);
  Tree->DeleteNode(a1);
  EXPECT_FALSE(a->States.Has(vsHasChildren));
  EXPECT_FALSE(a->States.Has(vsExpanded));
  EXPECT_FALSE(a->States.Has(vsAllChildrenHidden));
  EXPECT_EQ(CheckCounts(*Tree), "");
}

TEST_F(TTreeTest, ClearFreesOnlyNodesThatWereUsedAndResetsOffsets) {
  NoAutoSort(*Tree);
  Tree->SetRootNodeCount(4);
  std::vector<PVNode> freed;
  Tree->OnFreeNode = [&](TBaseNodeTree*, PVNode n) { freed.push_back(n); };
  PVNode first = Tree->GetFirst();
  Tree->SetOffsetXY(-5, -40);
  Tree->Clear();
  ASSERT_EQ(freed.size(), 1u);
  EXPECT_EQ(freed[0], first);
  EXPECT_EQ(Tree->RootNodeCount(), 0u);
  EXPECT_EQ(Tree->OffsetX(), 0);
  EXPECT_EQ(Tree->OffsetY(), 0);
}

TEST_F(TTreeTest, GuardsHoldInEveryBuild) {
  PVNode a = Tree->AddChild(nullptr);
  Tree->AddChild(a);
  EXPECT_THROW(Tree->ToggleNode(nullptr), EAssertionFailed);
  EXPECT_THROW(Tree->GetNext(Tree->RootNode()), EAssertionFailed);
  EXPECT_THROW(Tree->SetVisible(nullptr, false), EAssertionFailed);
  EXPECT_THROW(Tree->SetFiltered(Tree->RootNode(), true), EAssertionFailed);
  EXPECT_THROW(Tree->GetVisibleParent(nullptr), EAssertionFailed);
  try {
    Tree->IterateSubtree(nullptr, [](TBaseNodeTree* t, PVNode n, void*, bool&) { t->DeleteNode(n); }, nullptr);
    FAIL() << "deleting while iterating was allowed";
  } catch (const EAssertionFailed& e) {
    EXPECT_STREQ(e.what(), "Deleting nodes during tree iteration leads to invalid pointers.");
  }
  EXPECT_FALSE(Tree->TreeStates().Has(tsIterating));
  EXPECT_EQ(Tree->RootNodeCount(), 1u);
}

TEST_F(TTreeTest, StructureChangesAreReportedOnceInsideAnUpdate) {
  std::vector<TChangeReason> reasons;
  std::vector<TVTUpdateState> updates;
  Tree->OnStructureChange = [&](TBaseNodeTree*, PVNode, TChangeReason r) { reasons.push_back(r); };
  Tree->OnUpdating = [&](TBaseNodeTree*, TVTUpdateState s) { updates.push_back(s); };
  Tree->AddChild(nullptr);
  EXPECT_EQ(reasons, std::vector<TChangeReason>{crChildAdded});
  reasons.clear();
  Tree->BeginUpdate();
  Tree->BeginUpdate();
  Tree->AddChild(nullptr);
  Tree->EndUpdate();
  Tree->EndUpdate();
  EXPECT_EQ(reasons, std::vector<TChangeReason>{crChildAdded});
  reasons.clear();
  EXPECT_EQ(updates, (std::vector<TVTUpdateState>{usBegin, usUpdate, usUpdate, usEnd}));
  Tree->BeginUpdate();
  Tree->AddChild(nullptr);
  Tree->DeleteNode(Tree->GetFirstNoInit());
  Tree->EndUpdate();
  EXPECT_EQ(reasons, std::vector<TChangeReason>{crAccumulated});
}

TEST_F(TTreeTest, ChangeDelayHoldsNotificationsOnTheProgramClock) {
  TFakeClock clock;
  TScopedClock scoped(clock);
  int changes = 0;
  Tree->OnStructureChange = [&](TBaseNodeTree*, PVNode, TChangeReason) { ++changes; };
  Tree->SetChangeDelay(100);
  Tree->AddChild(nullptr);
  EXPECT_EQ(changes, 0);
  clock.Advance(150);
  Application->ProcessTimers();
  EXPECT_EQ(changes, 1);
  Tree->AddChild(nullptr);
  Tree->BeginSynch();
  EXPECT_EQ(changes, 2);
  Tree->EndSynch();
}

TEST_F(TTreeTest, DeletingThreeSelectedSiblingsLeavesNoGap) {
  Tree->TreeOptions().SetSelectionOptions({toMultiSelect});
  Tree->SetRootNodeCount(6);
  std::vector<PVNode> nodes = AllNodes(*Tree);
  for (int i : {1, 2, 3}) Tree->SetSelected(nodes[i], true);
  Tree->DeleteSelectedNodes();
  ASSERT_EQ(Tree->RootNodeCount(), 3u);
  EXPECT_EQ(Tree->SelectedCount(), 0);
  EXPECT_EQ(CheckCounts(*Tree), "");
}

TEST_F(TTreeTest, UpdatesSuspendRedrawingAndDeferScrollBars) {
  Tree->AddChild(nullptr);
  EXPECT_GT(Tree->ScrollBarUpdates, 0);
  Tree->ScrollBarUpdates = 0;
  Tree->SuspendCalls = 0;
  Tree->BeginUpdate();
  for (int i = 0; i < 10; ++i) Tree->AddChild(nullptr);
  EXPECT_EQ(Tree->ScrollBarUpdates, 0);
  Tree->EndUpdate();
  EXPECT_EQ(Tree->ScrollBarUpdates, 1);
  EXPECT_EQ(Tree->SuspendCalls, 2); // suspended once, resumed once
}

struct TOtherRec {
  std::string Text;
  int Number = 0;
  char Pad[sizeof(TRec) > sizeof(std::string) + sizeof(int) ? sizeof(TRec) - sizeof(std::string) - sizeof(int) : 1];
};

TEST_F(TTreeTest, ChangingTheUserDataTypeFreesTheOldRecords) {
  NoAutoSort(*Tree);
  Tree->SetNodeDataType<TRec>();
  PVNode n = Tree->AddChild(nullptr);
  Tree->GetNodeData<TRec>(n);
  EXPECT_EQ(TRec::Alive, 1);
  Tree->SetNodeDataType<TOtherRec>();
  EXPECT_EQ(TRec::Alive, 0);
  EXPECT_EQ(Tree->RootNodeCount(), 0u);
}

// Removing or moving many siblings inside one update renumbers them once, at its end; the numbers
// read afterwards are those of removing them one by one outside an update.
TEST_F(TTreeTest, BatchedSiblingRemovalsAndMovesLeaveDenseIndices) {
  NoAutoSort(*Tree);
  struct TCase {
    const char* Name;
    std::function<void(TTestTree&, std::vector<PVNode>&)> Change;
    std::vector<std::uint32_t> Kept; // original positions left under the root, in order
  };
  const std::vector<TCase> cases = {
      {"front half deleted",
       [](TTestTree& t, std::vector<PVNode>& n) {
         for (int i = 0; i < 5; ++i)
           t.DeleteNode(n[i]);
       },
       {5, 6, 7, 8, 9}},
      {"every other deleted",
       [](TTestTree& t, std::vector<PVNode>& n) {
         for (int i = 0; i < 10; i += 2)
           t.DeleteNode(n[i]);
       },
       {1, 3, 5, 7, 9}},
      {"moved under the last node",
       [](TTestTree& t, std::vector<PVNode>& n) {
         for (int i = 0; i < 6; ++i)
           t.MoveTo(n[i], n[9], amAddChildLast, false);
       },
       {6, 7, 8, 9}},
      {"moved behind a later sibling",
       [](TTestTree& t, std::vector<PVNode>& n) {
         for (int i = 2; i >= 0; --i)
           t.MoveTo(n[i], n[7], amInsertAfter, false);
       },
       {3, 4, 5, 6, 7, 0, 1, 2, 8, 9}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Tree->Clear();
    Tree->SetRootNodeCount(10);
    std::vector<PVNode> nodes = AllNodes(*Tree);
    Tree->BeginUpdate();
    c.Change(*Tree, nodes);
    Tree->EndUpdate();
    std::vector<std::uint32_t> kept;
    std::uint32_t index = 0;
    for (PVNode n = Tree->GetFirstChildNoInit(nullptr); n; n = n->NextSibling) {
      EXPECT_EQ(n->Index, index++);
      kept.push_back(static_cast<std::uint32_t>(std::find(nodes.begin(), nodes.end(), n) - nodes.begin()));
    }
    EXPECT_EQ(kept, c.Kept);
    EXPECT_EQ(CheckCounts(*Tree), "");
  }
}

// Within the update the siblings keep their order, and a node initialised then sees its final number.
TEST_F(TTreeTest, NodesInitialisedInsideABatchSeeTheirFinalIndex) {
  NoAutoSort(*Tree);
  Tree->SetRootNodeCount(6);
  std::vector<PVNode> nodes = AllNodes(*Tree);
  std::uint32_t seen = 99;
  Tree->OnInitNode = [&](TBaseNodeTree*, PVNode, PVNode n, TVNodeInitStates&) { seen = n->Index; };
  Tree->BeginUpdate();
  Tree->DeleteNode(nodes[0]);
  Tree->DeleteNode(nodes[1]);
  EXPECT_LT(Tree->CompareTreeOrder(nodes[2], nodes[3], false), 0);
  EXPECT_GT(Tree->CompareTreeOrder(nodes[5], nodes[4], false), 0);
  Tree->ValidateNode(nodes[4], false);
  EXPECT_EQ(seen, 2u);
  Tree->EndUpdate();
  EXPECT_EQ(nodes[5]->Index, 3u);
  EXPECT_EQ(CheckCounts(*Tree), "");
}
