#include "TreeFixture.h"

#include <random>

// Random structure and visibility changes keep every count equal to a recomputation.
TEST_F(TTreeTest, RandomChangesKeepEveryCountRight) {
  std::mt19937 rng(20261210);
  auto pick = [&](bool allowNull) -> PVNode {
    std::vector<PVNode> nodes = AllNodes(*Tree);
    if (nodes.empty() || (allowNull && rng() % 8 == 0)) return nullptr;
    return nodes[rng() % nodes.size()];
  };
  const TVTNodeAttachMode modes[] = {amInsertBefore, amInsertAfter, amAddChildFirst, amAddChildLast};
  for (int step = 0; step < 3000; ++step) {
    const bool batch = rng() % 10 == 0;
    if (batch) Tree->BeginUpdate();
    const int op = static_cast<int>(rng() % 13);
    PVNode node = pick(true);
    switch (op) {
    case 0: Tree->AddChild(node); break;
    case 1: Tree->InsertNode(node, modes[rng() % 4]); break;
    case 2: Tree->SetChildCount(node, rng() % 4); break;
    case 3: Tree->DeleteNode(node); break;
    case 4: Tree->DeleteChildren(node, rng() % 2); break;
    case 5:
      if (rng() % 20 == 0) Tree->Clear();
      break;
    case 6:
    case 7: {
      PVNode target = pick(true);
      if (!node) break;
      try {
        if (op == 6)
          Tree->MoveTo(node, target, modes[rng() % 4], rng() % 4 == 0);
        else if (Tree->TotalCount() < 400)
          Tree->CopyTo(node, target, modes[rng() % 4], rng() % 4 == 0);
      } catch (const ENodeTreeError& e) {
        EXPECT_EQ(e.HelpContext(), 2001);
      }
      break;
    }
    case 8:
    case 9:
      if (node) Tree->ToggleNode(node);
      break;
    case 10:
      if (node) Tree->SetVisible(node, !node->States.Has(vsVisible));
      break;
    case 11:
      if (node) Tree->SetFiltered(node, !node->States.Has(vsFiltered));
      break;
    case 12:
      if (rng() % 10 == 0) {
        TVTPaintOptions p = Tree->TreeOptions().PaintOptions();
        p.Has(toShowFilteredNodes) ? p.Exclude(toShowFilteredNodes) : p.Include(toShowFilteredNodes);
        Tree->TreeOptions().SetPaintOptions(p);
      }
      break;
    }
    if (batch) Tree->EndUpdate();
    const std::string error = CheckCounts(*Tree);
    ASSERT_EQ(error, "") << "after step " << step << " (operation " << op << ")";
  }
}
