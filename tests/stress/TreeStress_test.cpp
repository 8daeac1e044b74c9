// The user-interface thread changes a large tree while the shared worker rebuilds its position
// cache: built under ThreadSanitizer only, outside the test suite (make tsan).
#include "platform/ui/Application.h"
#include "tree/NodeTrees.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

struct TFree {
  void operator()(TBaseNodeTree* t) const { t->Free(); }
};

// The node at Y by walking the shown nodes from the top.
PVNode WalkTo(TBaseNodeTree& tree, std::int64_t y) {
  std::int64_t top = 0;
  for (PVNode n = tree.GetFirstVisibleNoInit(); n; n = tree.GetNextVisibleNoInit(n)) {
    if (y < top + n->NodeHeight) return n;
    top += n->NodeHeight;
  }
  return nullptr;
}

void Stress(bool variableHeights, int rounds) {
  Application->Initialize();
  std::unique_ptr<TBaseNodeTree, TFree> tree(new TBaseNodeTree(nullptr));
  tree->TreeOptions().SetAutoOptions({});
  tree->TreeOptions().SetSelectionOptions({toMultiSelect});
  if (variableHeights) {
    tree->TreeOptions().SetMiscOptions(tree->TreeOptions().MiscOptions() + TVTMiscOptions{toVariableNodeHeight});
    tree->OnMeasureItem = [](TBaseNodeTree*, TCanvas*, PVNode n, int& h) { h = 12 + static_cast<int>(n->Index % 9); };
  }
  tree->SetRootNodeCount(3000);
  std::mt19937 rng(variableHeights ? 7 : 11);
  auto randomNode = [&]() -> PVNode {
    std::uint32_t skip = rng() % std::max<std::uint32_t>(tree->RootNodeCount(), 1);
    PVNode n = tree->GetFirstNoInit();
    while (n && skip-- > 0) n = n->NextSibling;
    return n;
  };
  for (int round = 0; round < rounds; ++round) {
    PVNode node = randomNode();
    if (!node) {
      tree->SetRootNodeCount(3000);
      continue;
    }
    switch (rng() % 6) {
    case 0: tree->SetChildCount(node, rng() % 40); break;
    case 1: tree->AddChild(nullptr); break;
    case 2: tree->DeleteNode(node); break;
    case 3: tree->ToggleNode(node); break;
    case 4: tree->SetNodeHeight(node, 10 + rng() % 20); break;
    case 5: tree->SetRootNodeCount(2500 + rng() % 1500); break;
    }
    // Selection and cut marks change while the worker walks the node states.
    for (int i = 0; i < 50; ++i)
      if (PVNode n = randomNode()) tree->SetSelected(n, !n->States.Has(vsSelected));
    tree->WaitForPositionCache();
    const std::int64_t height = tree->RangeY();
    for (int probe = 0; probe < 5; ++probe) {
      const std::int64_t y = height > 0 ? static_cast<std::int64_t>(rng() % height) : 0;
      int top = 0;
      ASSERT_EQ(tree->GetNodeAt(0, static_cast<int>(y), false, top), WalkTo(*tree, y)) << "round " << round;
    }
  }
}

} // namespace

TEST(TreeStress, WorkerBuildsWhileTheTreeChanges) {
  Stress(false, 400);
}

TEST(TreeStress, WorkerMeasuresThroughTheUserInterfaceThread) {
  Stress(true, 150);
}

TEST(TreeStress, TreesComeAndGoWhileTheWorkerBuilds) {
  Application->Initialize();
  for (int i = 0; i < 30; ++i) {
    std::unique_ptr<TBaseNodeTree, TFree> a(new TBaseNodeTree(nullptr));
    std::unique_ptr<TBaseNodeTree, TFree> b(new TBaseNodeTree(nullptr));
    a->SetRootNodeCount(5000 + i);
    b->SetRootNodeCount(8000);
    if (i % 2) a.reset();
  }
}
