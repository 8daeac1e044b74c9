#include "TreeFixture.h"

#include <algorithm>
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
  Tree.reset(); // clearing reports state changes to the handler, which writes this test's local
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
  Fill(43750);
  for (PVNode n = Tree->GetFirstNoInit(); n; n = n->NextSibling)
    if (n->Index % 7 == 0) Tree->SetChildCount(n, 1);
  Tree->FullExpand();
  Tree->WaitForPositionCache();
  ASSERT_TRUE(Tree->TreeStates().Has(tsUseCache));
  auto check = [&](const char* phase, std::size_t stride) {
    // One walk gives every row edge; the node at each edge and a pixel either side is compared.
    std::vector<std::pair<std::int64_t, PVNode>> rows;
    std::int64_t top = 0;
    for (PVNode n = Tree->GetFirstVisibleNoInit(); n; n = Tree->GetNextVisibleNoInit(n)) {
      rows.emplace_back(top, n);
      top += n->NodeHeight;
    }
    auto expected = [&](std::int64_t y) -> PVNode {
      y = std::max<std::int64_t>(y, 0);
      if (y >= top) return nullptr;
      auto it = std::upper_bound(rows.begin(), rows.end(), y,
                                 [](std::int64_t v, const auto& r) { return v < r.first; });
      return std::prev(it)->second;
    };
    for (std::size_t i = 0; i < rows.size(); i += stride)
      for (int d : {-1, 0, 1}) {
        const std::int64_t edge = rows[i].first;
        int nodeTop = 0;
        ASSERT_EQ(Tree->GetNodeAt(0, static_cast<int>(edge + d), false, nodeTop), expected(edge + d))
            << phase << " at " << edge + d;
      }
    int nodeTop = 0;
    EXPECT_EQ(Tree->GetNodeAt(0, static_cast<int>(top), false, nodeTop), nullptr);
    EXPECT_EQ(Tree->GetNodeAt(0, -5, false, nodeTop), rows.front().second);
  };
  check("cached", 1);
  Tree->SetNodeHeight(Tree->GetFirstNoInit(), 30);
  EXPECT_FALSE(Tree->TreeStates().Has(tsUseCache));
  // Without the cache every lookup walks from the top: a sample of the edges.
  check("invalid", 97);
}

TEST_F(TCacheTest, LastTreeEndsTheWorkerAndANewOneStartsIt) {
  Fill(5000);
  Tree.reset();
  EXPECT_FALSE(TBaseNodeTree::WorkerThreadRunning());
  Tree.reset(new TTestTree(nullptr));
  EXPECT_TRUE(TBaseNodeTree::WorkerThreadRunning());
  // The new worker builds the first cache asked of it.
  Fill(10000);
  EXPECT_TRUE(Tree->TreeStates().Has(tsUseCache));
}

TEST_F(TCacheTest, TreeDestroyedWhileItsCacheBuilds) {
  Tree->TreeOptions().SetAutoOptions({});
  Tree->SetRootNodeCount(200000);
  Tree.reset();
  SUCCEED();
}

TEST_F(TCacheTest, VariableHeightsAreMeasuredOnTheUserInterfaceThread) {
  Tree->TreeOptions().SetAutoOptions({});
  Tree->TreeOptions().SetMiscOptions(Tree->TreeOptions().MiscOptions() +
                                     TVTMiscOptions{toVariableNodeHeight});
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
  // The scroll-bar update a build with measured heights asks for runs on this thread too.
  EXPECT_EQ(Tree->OffThreadScrollBarUpdates, 0);
  int top = 0;
  EXPECT_EQ(Tree->GetNodeAt(0, 11, false, top), Walk(11));
}
