// Trees driven without being shown, and a recomputation of every count the tree keeps.
#pragma once

#include "support/UiTestFixture.h"
#include "platform/Thread.h"
#include "tree/NodeTrees.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

// A tree whose painting-side calls are counted, so tests can see them.
class TTestTree : public TBaseNodeTree {
public:
  using TBaseNodeTree::TBaseNodeTree;
  using TBaseNodeTree::CompareTreeOrder;
  using TBaseNodeTree::FindCacheEntryAtY;
  int ScrollBarUpdates = 0;
  int SuspendCalls = 0;
  std::atomic<int> OffThreadScrollBarUpdates{0};

protected:
  void UpdateScrollBars(bool) override {
    if (!TThread::IsMainThread()) ++OffThreadScrollBarUpdates;
    ++ScrollBarUpdates;
  }
  void SuspendRedraw(bool) override { ++SuspendCalls; }
};

class TTreeTest : public TUiTest {
protected:
  void SetUp() override {
    TUiTest::SetUp();
    Tree.reset(new TTestTree(nullptr));
  }
  void TearDown() override {
    // Handlers of a test may hold its locals; the tree frees its nodes after the test has ended.
    if (Tree) Tree->OnFreeNode = nullptr;
    Tree.reset();
    TUiTest::TearDown();
  }
  TOwned<TTestTree> Tree;
};

// Nodes in tree order, found without initialising anything.
inline std::vector<PVNode> AllNodes(const TBaseNodeTree& t) {
  std::vector<PVNode> nodes;
  for (PVNode n = t.GetFirstNoInit(); n; n = t.GetNextNoInit(n)) nodes.push_back(n);
  return nodes;
}

// Compares every kept count with a recomputation from scratch; returns the first difference.
inline std::string CheckCounts(const TBaseNodeTree& t) {
  std::string error;
  std::uint32_t visible = 0;
  auto fully = [&](PVNode n) {
    if (!n->States.Has(vsVisible)) return false;
    for (PVNode p = n->Parent; p != t.RootNode(); p = p->Parent)
      if (!p->States.Has(vsExpanded) || !p->States.Has(vsVisible)) return false;
    return true;
  };
  struct TCheck {
    const TBaseNodeTree& T;
    std::string& Error;
    std::uint32_t& Visible;
    decltype(fully)& Fully;
    // Returns TotalCount and TotalHeight as recomputed.
    std::pair<std::uint32_t, std::uint32_t> Walk(PVNode n) {
      std::uint32_t count = 1, height = 0, children = 0, index = 0;
      bool anyShown = false;
      PVNode prev = nullptr;
      for (PVNode c = n->FirstChild; c; c = c->NextSibling) {
        if (c->Parent != n) Fail("parent link");
        if (c->PrevSibling != prev) Fail("previous link");
        if (c->Index != index++) Fail("index " + std::to_string(c->Index) + " at " + std::to_string(index - 1));
        prev = c;
        ++children;
        auto [cc, ch] = Walk(c);
        count += cc;
        if (c->States.Has(vsVisible)) height += ch;
        if (T.IsEffectivelyVisible(c)) anyShown = true;
      }
      if (n->LastChild != prev) Fail("last child link");
      if (children != n->ChildCount) Fail("ChildCount");
      if (count != n->TotalCount) Fail("TotalCount " + std::to_string(n->TotalCount) + " != " + std::to_string(count));
      const std::uint32_t own = T.IsEffectivelyFiltered(n) ? 0 : n->NodeHeight;
      const std::uint32_t total = own + (n->States.Has(vsExpanded) ? height : 0);
      if (total != n->TotalHeight)
        Fail("TotalHeight " + std::to_string(n->TotalHeight) + " != " + std::to_string(total));
      if (n != T.RootNode()) {
        if (n->ChildCount > 0 && n->States.Has(vsAllChildrenHidden) == anyShown) Fail("vsAllChildrenHidden");
        if (n->States.Has(vsExpanded) && n->ChildCount == 0) Fail("expanded without children");
        if (Fully(n) && T.IsEffectivelyVisible(n)) ++Visible;
      }
      return {count, total};
    }
    void Fail(const std::string& what) {
      if (Error.empty()) Error = what;
    }
  } check{t, error, visible, fully};
  check.Walk(t.RootNode());
  if (error.empty() && visible != t.VisibleCount())
    error = "visible count " + std::to_string(t.VisibleCount()) + " != " + std::to_string(visible);
  return error;
}
