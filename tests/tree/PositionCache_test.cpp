#include "TreeFixture.h"

#include <thread>

class TCacheTest : public TTreeTest {
protected:
  void Fill(std::uint32_t count) {
    Tree->TreeOptions().SetAutoOptions({});
    Tree->SetRootNodeCount(count);
    Tree->WaitForPositionCache();
  }
  // The node at Y found by walking the shown nodes.
  PVNode Walk(std::int64_t y) {
    if (y < 0) y = 0;
    std::int64_t top = 0;
    for (PVNode n = Tree->GetFirstVisibleNoInit(); n; n = Tree->GetNextVisibleNoInit(n)) {
      if (y < top + n->NodeHeight) return n;
      top += n->NodeHeight;
    }
    return nullptr;
  }
};

TEST_F(TCacheTest, SmallTreesNeverReachTheWorker) {
  bool validating = false;
  Tree->OnStateChange = [&](TBaseNodeTree*, TNodeTreeStates enter, TNodeTreeStates) {
    validating |= enter.Has(tsValidating);
  };
  Fill(1000);
  EXPECT_FALSE(validating);
  EXPECT_FALSE(Tree->TreeStates().Has(tsUseCache));
}

TEST_F(TCacheTest, TenThousandNodesGiveFiveEntries) {
  Fill(10000);
  ASSERT_TRUE(Tree->TreeStates().Has(tsUseCache));
  const TCache& cache = Tree->PositionCache();
  ASSERT_EQ(cache.Entries.size(), 5u);
  for (std::uint32_t k = 0; k < 5; ++k) {
    EXPECT_EQ(Tree->AbsoluteIndex(cache.Entries[k].Node), 2000 * k);
    EXPECT_EQ(cache.Entries[k].AbsoluteTop, 2000 * k * 18);
  }
}

TEST_F(TCacheTest, NodeAtAgreesWithAWalkWithAndWithoutCache) {
  Fill(25000);
  for (PVNode n = Tree->GetFirstNoInit(); n; n = n->NextSibling)
    if (n->Index % 7 == 0) Tree->SetChildCount(n, 1);
  Tree->FullExpand();
  Tree->WaitForPositionCache();
  ASSERT_TRUE(Tree->TreeStates().Has(tsUseCache));
  const std::int64_t height = Tree->RangeY();
  auto check = [&](const char* phase) {
    for (std::int64_t y = -18; y <= height + 18; y += 18)
      for (int d : {-1, 0, 1}) {
        int top = 0;
        ASSERT_EQ(Tree->GetNodeAt(0, static_cast<int>(y + d), false, top), Walk(y + d)) << phase << " at " << y + d;
      }
  };
  check("cached");
  Tree->SetNodeHeight(Tree->GetFirstNoInit(), 30);
  EXPECT_FALSE(Tree->TreeStates().Has(tsUseCache));
  check("invalid");
}

TEST_F(TCacheTest, LastTreeEndsTheWorkerAndANewOneStartsIt) {
  Fill(5000);
  Tree.reset();
  EXPECT_FALSE(TBaseNodeTree::WorkerThreadRunning());
  Tree.reset(new TTestTree(nullptr));
  EXPECT_TRUE(TBaseNodeTree::WorkerThreadRunning());
}

TEST_F(TCacheTest, TreeDestroyedWhileItsCacheBuilds) {
  Tree->TreeOptions().SetAutoOptions({});
  Tree->SetRootNodeCount(200000);
  Tree.reset();
  SUCCEED();
}

TEST_F(TCacheTest, VariableHeightsAreMeasuredOnTheUserInterfaceThread) {
  Tree->TreeOptions().SetAutoOptions({});
  Tree->TreeOptions().SetMiscOptions(Tree->TreeOptions().MiscOptions() + TVTMiscOptions{toVariableNodeHeight});
  const auto ui = std::this_thread::get_id();
  bool elsewhere = false;
  Tree->OnMeasureItem = [&](TBaseNodeTree*, TCanvas*, PVNode n, int& h) {
    elsewhere |= std::this_thread::get_id() != ui;
    h = 10 + static_cast<int>(n->Index % 3);
  };
  Tree->SetRootNodeCount(6000);
  Tree->WaitForPositionCache();
  EXPECT_FALSE(elsewhere);
  EXPECT_TRUE(Tree->TreeStates().Has(tsUseCache));
  int top = 0;
  EXPECT_EQ(Tree->GetNodeAt(0, 11, false, top), Walk(11));
}
