// Walks over the tree: tree order and display order, siblings, children, levels, leaves,
// initialised nodes; positions; iteration with a callback; for-in enumerations.
#include "tree/NodeTrees.h"

namespace {
constexpr const char* RootText = "Node must not be the hidden root node.";

// The walks come in two forms, with and without initialising what they touch; one body each.
struct TWalk {
  TBaseNodeTree* Tree;
  PVNode Root;
  bool DoInit;

  void Init(PVNode n) const;
  void Create(PVNode n) const;
  bool ChildrenAbove(bool cca) const { return cca && Tree->Has(toChildrenAbove); }
};
} // namespace

// Access for the walk helpers to the protected initialisation.
struct TNavigationAccess : TBaseNodeTree {
  static void Init(TBaseNodeTree* t, PVNode n) { (t->*&TNavigationAccess::InitNode)(n); }
  static void InitKids(TBaseNodeTree* t, PVNode n) { (t->*&TNavigationAccess::InitChildren)(n); }
};

void TWalk::Init(PVNode n) const {
  if (DoInit && n && n != Root && !n->States.Has(vsInitialized)) TNavigationAccess::Init(Tree, n);
}

void TWalk::Create(PVNode n) const {
  if (DoInit && n->States.Has(vsHasChildren) && n->ChildCount == 0) TNavigationAccess::InitKids(Tree, n);
}

namespace {

PVNode FirstOf(const TWalk& w, bool cca) {
  PVNode result = w.Root->FirstChild;
  if (!w.ChildrenAbove(cca)) {
    w.Init(result);
    return result;
  }
  while (result) {
    w.Init(result);
    w.Create(result);
    if (!result->FirstChild) break;
    result = result->FirstChild;
  }
  return result;
}

PVNode NextOf(const TWalk& w, PVNode node, bool cca) {
  if (!node) return nullptr;
  Assert(node != w.Root, RootText);
  PVNode result;
  if (!w.ChildrenAbove(cca)) {
    w.Create(node);
    if (node->FirstChild) {
      result = node->FirstChild;
    } else {
      PVNode run = node;
      result = nullptr;
      while (run != w.Root) {
        if (run->NextSibling) {
          result = run->NextSibling;
          break;
        }
        run = run->Parent;
      }
    }
    w.Init(result);
    return result;
  }
  if (node->NextSibling) {
    result = node->NextSibling;
    for (;;) {
      w.Init(result);
      w.Create(result);
      if (!result->FirstChild) break;
      result = result->FirstChild;
    }
    return result;
  }
  result = node->Parent == w.Root ? nullptr : node->Parent;
  w.Init(result);
  return result;
}

PVNode LastChildOf(const TWalk& w, PVNode node) {
  if (!node || node == w.Root) {
    w.Init(w.Root->LastChild);
    return w.Root->LastChild;
  }
  w.Init(node);
  if (!node->States.Has(vsHasChildren)) return nullptr;
  w.Create(node);
  w.Init(node->LastChild);
  return node->LastChild;
}

PVNode LastOf(const TWalk& w, PVNode node, bool cca) {
  PVNode result = LastChildOf(w, node);
  if (!w.ChildrenAbove(cca))
    while (result) {
      PVNode next = LastChildOf(w, result);
      if (!next) break;
      result = next;
    }
  return result;
}

PVNode PreviousOf(const TWalk& w, PVNode node, bool cca) {
  if (!node) return nullptr;
  Assert(node != w.Root, RootText);
  PVNode result;
  if (!w.ChildrenAbove(cca)) {
    if (node->PrevSibling) {
      result = LastOf(w, node->PrevSibling, false);
      if (!result) result = node->PrevSibling;
    } else {
      result = node->Parent == w.Root ? nullptr : node->Parent;
    }
    w.Init(result);
    return result;
  }
  w.Create(node);
  if (node->LastChild) {
    result = node->LastChild;
  } else {
    PVNode run = node;
    while (run != w.Root && !run->PrevSibling) run = run->Parent;
    result = run == w.Root ? nullptr : run->PrevSibling;
  }
  w.Init(result);
  return result;
}

} // namespace

#define WALK(init) TWalk{const_cast<TBaseNodeTree*>(this), FRoot, init}

// ---------------------------------------------------------------- tree order

PVNode TBaseNodeTree::GetFirst(bool ConsiderChildrenAbove) {
  return FirstOf(WALK(true), ConsiderChildrenAbove);
}
PVNode TBaseNodeTree::GetFirstNoInit(bool ConsiderChildrenAbove) const {
  return FirstOf(WALK(false), ConsiderChildrenAbove);
}
PVNode TBaseNodeTree::GetNext(PVNode Node, bool ConsiderChildrenAbove) {
  return NextOf(WALK(true), Node, ConsiderChildrenAbove);
}
PVNode TBaseNodeTree::GetNextNoInit(PVNode Node, bool ConsiderChildrenAbove) const {
  return NextOf(WALK(false), Node, ConsiderChildrenAbove);
}
PVNode TBaseNodeTree::GetPrevious(PVNode Node, bool ConsiderChildrenAbove) {
  return PreviousOf(WALK(true), Node, ConsiderChildrenAbove);
}
PVNode TBaseNodeTree::GetPreviousNoInit(PVNode Node, bool ConsiderChildrenAbove) const {
  return PreviousOf(WALK(false), Node, ConsiderChildrenAbove);
}
PVNode TBaseNodeTree::GetLast(PVNode Node, bool ConsiderChildrenAbove) {
  return LastOf(WALK(true), Node, ConsiderChildrenAbove);
}
PVNode TBaseNodeTree::GetLastNoInit(PVNode Node, bool ConsiderChildrenAbove) const {
  return LastOf(WALK(false), Node, ConsiderChildrenAbove);
}

PVNode TBaseNodeTree::GetFirstChild(PVNode Node) {
  const TWalk w = WALK(true);
  if (!Node || Node == FRoot) {
    w.Init(FRoot->FirstChild);
    return FRoot->FirstChild;
  }
  w.Init(Node);
  if (!Node->States.Has(vsHasChildren)) return nullptr;
  w.Create(Node);
  w.Init(Node->FirstChild);
  return Node->FirstChild;
}

PVNode TBaseNodeTree::GetLastChild(PVNode Node) {
  return LastChildOf(WALK(true), Node);
}

PVNode TBaseNodeTree::GetFirstChildNoInit(PVNode Node) const {
  if (!Node || Node == FRoot) return FRoot->FirstChild;
  return Node->States.Has(vsHasChildren) ? Node->FirstChild : nullptr;
}

PVNode TBaseNodeTree::GetLastChildNoInit(PVNode Node) const {
  return LastChildOf(WALK(false), Node);
}

PVNode TBaseNodeTree::GetNextSibling(PVNode Node) {
  if (!Node) return nullptr;
  Assert(Node != FRoot, RootText);
  WALK(true).Init(Node->NextSibling);
  return Node->NextSibling;
}

PVNode TBaseNodeTree::GetPreviousSibling(PVNode Node) {
  if (!Node) return nullptr;
  Assert(Node != FRoot, RootText);
  WALK(true).Init(Node->PrevSibling);
  return Node->PrevSibling;
}

PVNode TBaseNodeTree::GetNextSiblingNoInit(PVNode Node) const {
  if (!Node) return nullptr;
  Assert(Node != FRoot, RootText);
  return Node->NextSibling;
}

PVNode TBaseNodeTree::GetPreviousSiblingNoInit(PVNode Node) const {
  if (!Node) return nullptr;
  Assert(Node != FRoot, RootText);
  return Node->PrevSibling;
}

PVNode TBaseNodeTree::GetFirstInitialized(bool ConsiderChildrenAbove) const {
  PVNode run = GetFirstNoInit(ConsiderChildrenAbove);
  while (run && !run->States.Has(vsInitialized)) run = GetNextNoInit(run, ConsiderChildrenAbove);
  return run;
}

PVNode TBaseNodeTree::GetNextInitialized(PVNode Node, bool ConsiderChildrenAbove) const {
  PVNode run = GetNextNoInit(Node, ConsiderChildrenAbove);
  while (run && !run->States.Has(vsInitialized)) run = GetNextNoInit(run, ConsiderChildrenAbove);
  return run;
}

PVNode TBaseNodeTree::GetPreviousInitialized(PVNode Node, bool ConsiderChildrenAbove) const {
  PVNode run = GetPreviousNoInit(Node, ConsiderChildrenAbove);
  while (run && !run->States.Has(vsInitialized)) run = GetPreviousNoInit(run, ConsiderChildrenAbove);
  return run;
}

PVNode TBaseNodeTree::GetLastInitialized(PVNode Node, bool ConsiderChildrenAbove) const {
  PVNode run = GetLastNoInit(Node, ConsiderChildrenAbove);
  while (run && !run->States.Has(vsInitialized)) run = GetPreviousNoInit(run, ConsiderChildrenAbove);
  return run;
}

// ---------------------------------------------------------------- leaves and levels

PVNode TBaseNodeTree::GetFirstLeaf() {
  return GetNextLeaf(nullptr);
}

PVNode TBaseNodeTree::GetNextLeaf(PVNode Node) {
  PVNode run;
  if (!Node || Node == FRoot) {
    run = FRoot->FirstChild;
    WALK(true).Init(run);
  } else {
    run = GetNext(Node);
  }
  while (run && run->States.Has(vsHasChildren)) run = GetNext(run);
  return run;
}

PVNode TBaseNodeTree::GetPreviousLeaf(PVNode Node) {
  PVNode run;
  if (!Node || Node == FRoot) {
    run = FRoot->LastChild;
    WALK(true).Init(run);
  } else {
    run = GetPrevious(Node);
  }
  while (run && run->States.Has(vsHasChildren)) run = GetPrevious(run);
  return run;
}

PVNode TBaseNodeTree::GetFirstLevel(std::uint32_t NodeLevel) {
  PVNode run = GetFirstNoInit(true);
  while (run && GetNodeLevel(run) != NodeLevel) run = GetNextNoInit(run, true);
  WALK(true).Init(run);
  return run;
}

PVNode TBaseNodeTree::GetNextLevel(PVNode Node, std::uint32_t NodeLevel) {
  if (!Node || Node == FRoot) return nullptr;
  PVNode run = Node;
  for (;;) {
    const std::uint32_t level = GetNodeLevel(run);
    if (level < NodeLevel) {
      run = GetNext(run);
      if (!run) return nullptr;
      if (GetNodeLevel(run) == NodeLevel) return run;
    } else if (level == NodeLevel) {
      if (run->NextSibling) {
        WALK(true).Init(run->NextSibling);
        return run->NextSibling;
      }
      PVNode up = run->Parent;
      while (up != FRoot && !up->NextSibling) up = up->Parent;
      if (up == FRoot) return nullptr;
      run = up->NextSibling;
    } else {
      run = run->Parent;
    }
  }
}

PVNode TBaseNodeTree::GetPreviousLevel(PVNode Node, std::uint32_t NodeLevel) {
  if (!Node || Node == FRoot) return nullptr;
  const TWalk w = WALK(true);
  PVNode run = Node;
  for (;;) {
    const std::uint32_t level = GetNodeLevel(run);
    if (level == NodeLevel) {
      if (run->PrevSibling) {
        w.Init(run->PrevSibling);
        return run->PrevSibling;
      }
      run = run->Parent;
    } else if (level > NodeLevel) {
      run = run->Parent;
    } else if (run->PrevSibling) {
      PVNode deepest = run->PrevSibling;
      w.Init(deepest);
      while (GetNodeLevel(deepest) < NodeLevel) {
        PVNode child = GetLastChild(deepest);
        if (!child) break;
        deepest = child;
      }
      if (GetNodeLevel(deepest) == NodeLevel) return deepest;
      run = deepest->PrevSibling ? deepest : deepest->Parent;
    } else {
      run = run->Parent;
    }
    if (run == FRoot) return nullptr;
  }
}

// ---------------------------------------------------------------- display order

namespace {

bool Qualifies(const TBaseNodeTree* t, PVNode n, bool includeFiltered) {
  return n->States.Has(vsVisible) && (includeFiltered || !t->IsEffectivelyFiltered(n));
}

// `shown`: the node is known to be fully visible (it came from this walk), so that is not asked.
PVNode NextVisibleStep(const TWalk& w, PVNode node, bool cca, bool shown = false) {
  TBaseNodeTree* t = w.Tree;
  if (!w.ChildrenAbove(cca)) {
    if (!shown && !t->FullyVisible(node)) node = t->GetVisibleParent(node, true);
    if (node->States.Has(vsExpanded)) w.Create(node);
    PVNode run = node;
    if (node->States.Has(vsExpanded) && node->FirstChild) {
      run = node->FirstChild;
      w.Init(run);
      if (run->States.Has(vsVisible)) return run;
    } else if (node == w.Root) {
      return nullptr;
    }
    for (;;) {
      if (run->NextSibling) {
        run = run->NextSibling;
        w.Init(run);
        if (run->States.Has(vsVisible)) return run;
        continue;
      }
      run = run->Parent;
      if (run == w.Root) return nullptr;
    }
  }
  PVNode run = node;
  for (;;) {
    if (run == w.Root) return nullptr;
    if (run->NextSibling) {
      run = run->NextSibling;
      w.Init(run);
      if (!run->States.Has(vsVisible)) continue;
      for (;;) {
        if (!run->States.Has(vsExpanded)) break;
        w.Create(run);
        PVNode child = run->FirstChild;
        if (!child) break;
        w.Init(child);
        if (!child->States.Has(vsVisible)) break;
        run = child;
      }
      return run;
    }
    run = run->Parent;
    if (run == w.Root) return nullptr;
    if (run->States.Has(vsVisible)) return run;
  }
}

PVNode NextVisibleOf(const TWalk& w, PVNode node, bool cca, bool shown = false) {
  if (!node) return nullptr;
  Assert(node != w.Root, RootText);
  PVNode result = node;
  do {
    result = NextVisibleStep(w, result, cca, shown);
    // Every step lands on a node with vsVisible below expanded, shown ancestors.
    shown = true;
  } while (result && !w.Tree->IsEffectivelyVisible(result));
  return result;
}

PVNode LastVisibleNoInitOf(const TBaseNodeTree* t, PVNode node, bool cca, bool includeFiltered) {
  PVNode run = t->GetLastNoInit(node, cca);
  while (run && run != node && (!t->FullyVisible(run) || (!includeFiltered && t->IsEffectivelyFiltered(run))))
    run = t->GetPreviousNoInit(run, cca);
  return run == node ? nullptr : run;
}

PVNode LastVisibleOf(const TWalk& w, PVNode node, bool cca, bool includeFiltered) {
  PVNode result = LastVisibleNoInitOf(w.Tree, node, cca, includeFiltered);
  if (w.DoInit && result)
    for (PVNode up = result; up && up != node && up != w.Root; up = up->Parent) w.Init(up);
  return result;
}

PVNode PreviousVisibleOf(const TWalk& w, PVNode node, bool cca) {
  if (!node) return nullptr;
  Assert(node != w.Root, RootText);
  TBaseNodeTree* t = w.Tree;
  PVNode result = node;
  do {
    PVNode n = result;
    if (!t->FullyVisible(n)) {
      PVNode parent = t->GetVisibleParent(n, true);
      result = LastVisibleOf(w, parent == w.Root ? nullptr : parent, true, false);
      continue;
    }
    if (!w.ChildrenAbove(cca)) {
      PVNode prev = n->PrevSibling;
      while (prev && !prev->States.Has(vsVisible)) prev = prev->PrevSibling;
      if (prev) {
        w.Init(prev);
        result = LastVisibleOf(w, prev, true, true);
        if (!result) result = prev;
      } else {
        result = n->Parent == w.Root ? nullptr : n->Parent;
        w.Init(result);
      }
      continue;
    }
    PVNode run = n;
    for (;;) {
      if (run->States.Has(vsExpanded)) w.Create(run);
      if (run->States.Has(vsExpanded) && run->LastChild) {
        run = run->LastChild;
      } else if (run->PrevSibling) {
        run = run->PrevSibling;
      } else {
        PVNode up = run->Parent;
        while (up != w.Root && !up->PrevSibling) up = up->Parent;
        run = up == w.Root ? nullptr : up->PrevSibling;
      }
      if (!run) break;
      w.Init(run);
      if (run->States.Has(vsVisible)) break;
    }
    result = run;
  } while (result && !t->IsEffectivelyVisible(result));
  return result;
}

PVNode FirstVisibleOf(const TWalk& w, PVNode node, bool cca, bool includeFiltered) {
  if (!node) node = w.Root;
  if (!node->States.Has(vsHasChildren)) return nullptr;
  if (node != w.Root) w.Create(node);
  PVNode result = node->FirstChild;
  if (!result) return nullptr;
  w.Init(result);
  if (!w.ChildrenAbove(cca)) {
    while (!result->States.Has(vsVisible)) {
      PVNode run = result;
      while (!run->NextSibling) {
        run = run->Parent;
        if (run == w.Root) return nullptr;
      }
      result = run->NextSibling;
      w.Init(result);
    }
  } else {
    for (;;) {
      while (!result->States.Has(vsVisible) && result->NextSibling) {
        result = result->NextSibling;
        w.Init(result);
      }
      if (!result->States.Has(vsVisible)) {
        result = result->Parent == w.Root ? nullptr : result->Parent;
        break;
      }
      if (result->States.Has(vsExpanded)) {
        w.Create(result);
        if (result->FirstChild) {
          result = result->FirstChild;
          w.Init(result);
          continue;
        }
      }
      break;
    }
  }
  if (result && !includeFiltered && w.Tree->IsEffectivelyFiltered(result)) result = NextVisibleOf(w, result, true);
  return result;
}

PVNode SiblingVisibleOf(const TWalk& w, PVNode node, bool includeFiltered, bool forward) {
  Assert(node != nullptr && node != w.Root, "Invalid parameter.");
  PVNode run = node;
  do {
    run = forward ? run->NextSibling : run->PrevSibling;
    w.Init(run);
  } while (run && !Qualifies(w.Tree, run, includeFiltered));
  return run;
}

} // namespace

PVNode TBaseNodeTree::GetFirstVisible(PVNode Node, bool ConsiderChildrenAbove, bool IncludeFiltered) {
  return FirstVisibleOf(WALK(true), Node, ConsiderChildrenAbove, IncludeFiltered);
}
PVNode TBaseNodeTree::GetFirstVisibleNoInit(PVNode Node, bool ConsiderChildrenAbove, bool IncludeFiltered) const {
  return FirstVisibleOf(WALK(false), Node, ConsiderChildrenAbove, IncludeFiltered);
}
PVNode TBaseNodeTree::GetNextVisible(PVNode Node, bool ConsiderChildrenAbove) {
  return NextVisibleOf(WALK(true), Node, ConsiderChildrenAbove);
}
PVNode TBaseNodeTree::GetNextVisibleNoInit(PVNode Node, bool ConsiderChildrenAbove) const {
  return NextVisibleOf(WALK(false), Node, ConsiderChildrenAbove);
}
PVNode TBaseNodeTree::NextShownNoInit(PVNode Node) const {
  return NextVisibleOf(WALK(false), Node, true, true);
}
PVNode TBaseNodeTree::GetPreviousVisible(PVNode Node, bool ConsiderChildrenAbove) {
  return PreviousVisibleOf(WALK(true), Node, ConsiderChildrenAbove);
}
PVNode TBaseNodeTree::GetPreviousVisibleNoInit(PVNode Node, bool ConsiderChildrenAbove) const {
  return PreviousVisibleOf(WALK(false), Node, ConsiderChildrenAbove);
}
PVNode TBaseNodeTree::GetLastVisible(PVNode Node, bool ConsiderChildrenAbove, bool IncludeFiltered) {
  return LastVisibleOf(WALK(true), Node, ConsiderChildrenAbove, IncludeFiltered);
}
PVNode TBaseNodeTree::GetLastVisibleNoInit(PVNode Node, bool ConsiderChildrenAbove, bool IncludeFiltered) const {
  return LastVisibleNoInitOf(this, Node, ConsiderChildrenAbove, IncludeFiltered);
}

PVNode TBaseNodeTree::GetFirstVisibleChild(PVNode Node, bool IncludeFiltered) {
  PVNode result = GetFirstChild(Node);
  if (result && !Qualifies(this, result, IncludeFiltered)) result = GetNextVisibleSibling(result, IncludeFiltered);
  return result;
}

PVNode TBaseNodeTree::GetFirstVisibleChildNoInit(PVNode Node, bool IncludeFiltered) const {
  PVNode result = GetFirstChildNoInit(Node);
  if (result && !Qualifies(this, result, IncludeFiltered))
    result = GetNextVisibleSiblingNoInit(result, IncludeFiltered);
  return result;
}

PVNode TBaseNodeTree::GetLastVisibleChild(PVNode Node, bool IncludeFiltered) {
  PVNode result = nullptr;
  if (!Node || Node == FRoot)
    result = GetLastChild(nullptr);
  else if (FullyVisible(Node) && Node->States.Has(vsExpanded))
    result = GetLastChild(Node);
  if (result && !Qualifies(this, result, IncludeFiltered))
    result = GetPreviousVisibleSibling(result, IncludeFiltered);
  WALK(true).Init(result);
  return result;
}

PVNode TBaseNodeTree::GetLastVisibleChildNoInit(PVNode Node, bool IncludeFiltered) const {
  PVNode result = nullptr;
  if (!Node || Node == FRoot)
    result = FRoot->LastChild;
  else if (FullyVisible(Node) && Node->States.Has(vsExpanded))
    result = GetLastChildNoInit(Node);
  if (result && !Qualifies(this, result, IncludeFiltered))
    result = GetPreviousVisibleSiblingNoInit(result, IncludeFiltered);
  return result;
}

PVNode TBaseNodeTree::GetNextVisibleSibling(PVNode Node, bool IncludeFiltered) {
  return SiblingVisibleOf(WALK(true), Node, IncludeFiltered, true);
}
PVNode TBaseNodeTree::GetPreviousVisibleSibling(PVNode Node, bool IncludeFiltered) {
  return SiblingVisibleOf(WALK(true), Node, IncludeFiltered, false);
}
PVNode TBaseNodeTree::GetNextVisibleSiblingNoInit(PVNode Node, bool IncludeFiltered) const {
  return SiblingVisibleOf(WALK(false), Node, IncludeFiltered, true);
}
PVNode TBaseNodeTree::GetPreviousVisibleSiblingNoInit(PVNode Node, bool IncludeFiltered) const {
  return SiblingVisibleOf(WALK(false), Node, IncludeFiltered, false);
}

PVNode TBaseNodeTree::GetVisibleParent(PVNode Node, bool IncludeFiltered) const {
  Assert(Node != nullptr, "Node must not be nil.");
  Assert(Node != FRoot, RootText);
  PVNode result = Node->Parent;
  while (result != FRoot && (!FullyVisible(result) || (!IncludeFiltered && IsEffectivelyFiltered(result))))
    result = result->Parent;
  return result;
}

// ---------------------------------------------------------------- positions

std::uint32_t TBaseNodeTree::AbsoluteIndex(PVNode Node) {
  if (!Node || Node == FRoot) return 0;
  std::uint32_t result = 0;
  PVNode run = Node;
  while (run != FRoot) {
    if (!run->States.Has(vsInitialized)) InitNode(run);
    if (run->PrevSibling) {
      run = run->PrevSibling;
      result += run->TotalCount;
    } else {
      run = run->Parent;
      if (run != FRoot) ++result;
    }
  }
  return result;
}

bool TBaseNodeTree::HasAsParent(PVNode Node, PVNode PotentialParent) const {
  if (!Node || !PotentialParent || Node == PotentialParent || Node == FRoot) return false;
  for (PVNode run = Node->Parent;; run = run->Parent) {
    if (run == PotentialParent) return true;
    if (run == FRoot) return false;
  }
}

PVNode TBaseNodeTree::IterateSubtree(PVNode Node, const TVTGetNodeProc& Callback, void* Data,
                                     TVNodeStates Filter, bool DoInit, bool ChildNodesOnly) {
  Assert(Node != FRoot, RootText);
  const bool wasIterating = TreeStates().Has(tsIterating);
  DoStateChange({tsIterating});
  auto step = [&](PVNode n) { return DoInit ? GetNext(n) : GetNextNoInit(n); };
  PVNode result = nullptr;
  try {
    PVNode stop = nullptr;
    PVNode run;
    if (Node) {
      if (DoInit && !Node->States.Has(vsInitialized)) InitNode(Node);
      for (PVNode up = Node; up != FRoot && !stop; up = up->Parent) stop = up->NextSibling;
      run = Node;
    } else {
      run = GetFirstNoInit(false);
    }
    if (DoInit && run && !run->States.Has(vsInitialized)) InitNode(run);
    if (ChildNodesOnly) run = (Node && Node->ChildCount > 0) ? step(Node) : (Node ? nullptr : run);
    bool abort = false;
    while (run && run != stop) {
      if (Filter.Empty() || run->States.Contains(Filter)) {
        Callback(this, run, Data, abort);
        if (abort) {
          result = run;
          break;
        }
      }
      run = step(run);
    }
  } catch (...) {
    if (!wasIterating) DoStateChange({}, {tsIterating});
    throw;
  }
  if (!wasIterating) DoStateChange({}, {tsIterating});
  return result;
}

// ---------------------------------------------------------------- enumerations

PVNode TVTVNodeEnumeration::First() const {
  TBaseNodeTree* t = FTree;
  switch (FMode) {
  case vneAll: return t->GetFirst(FConsiderChildrenAbove);
  case vneChecked: return t->GetFirstChecked(FState, FConsiderChildrenAbove);
  case vneChild: return t->GetFirstChild(FNode);
  case vneCutCopy: {
    PVNode n = t->GetFirstNoInit(false);
    while (n && !n->States.Has(vsCutOrCopy)) n = t->GetNextNoInit(n, false);
    return n;
  }
  case vneInitialized: return t->GetFirstInitialized(FConsiderChildrenAbove);
  case vneLeaf: return t->GetFirstLeaf();
  case vneLevel: return t->GetFirstLevel(FNodeLevel);
  case vneNoInit: return t->GetFirstNoInit(FConsiderChildrenAbove);
  case vneSelected: return t->GetFirstSelected(FConsiderChildrenAbove);
  case vneVisible: return t->GetFirstVisible(FNode, FConsiderChildrenAbove, FIncludeFiltered);
  case vneVisibleChild: return t->GetFirstVisibleChild(FNode, FIncludeFiltered);
  case vneVisibleNoInitChild: return t->GetFirstVisibleChildNoInit(FNode, FIncludeFiltered);
  case vneVisibleNoInit: return t->GetFirstVisibleNoInit(FNode, FConsiderChildrenAbove, FIncludeFiltered);
  }
  return nullptr;
}

PVNode TVTVNodeEnumeration::Next(PVNode current) const {
  TBaseNodeTree* t = FTree;
  switch (FMode) {
  case vneAll: return t->GetNext(current, FConsiderChildrenAbove);
  case vneChecked: return t->GetNextChecked(current, FState, FConsiderChildrenAbove);
  case vneChild: return t->GetNextSibling(current);
  case vneCutCopy: {
    PVNode n = t->GetNextNoInit(current, false);
    while (n && !n->States.Has(vsCutOrCopy)) n = t->GetNextNoInit(n, false);
    return n;
  }
  case vneInitialized: return t->GetNextInitialized(current, FConsiderChildrenAbove);
  case vneLeaf: return t->GetNextLeaf(current);
  case vneLevel: return t->GetNextLevel(current, FNodeLevel);
  case vneNoInit: return t->GetNextNoInit(current, FConsiderChildrenAbove);
  case vneSelected: return t->GetNextSelected(current, FConsiderChildrenAbove);
  case vneVisible: return t->GetNextVisible(current, true);
  case vneVisibleChild: return t->GetNextVisibleSibling(current, FIncludeFiltered);
  case vneVisibleNoInitChild: return t->GetNextVisibleSiblingNoInit(current, FIncludeFiltered);
  case vneVisibleNoInit: return t->GetNextVisibleNoInit(current, FConsiderChildrenAbove);
  }
  return nullptr;
}

TVTVNodeEnumeration::Iterator TVTVNodeEnumeration::begin() const {
  return {this, First()};
}

TVTVNodeEnumeration::Iterator& TVTVNodeEnumeration::Iterator::operator++() {
  FNode = FEnum->Next(FNode);
  return *this;
}

namespace {
TVTVNodeEnumeration Enumeration(TBaseNodeTree* tree, TVZVNodeEnumerationMode mode) {
  TVTVNodeEnumeration e;
  e.FMode = mode;
  e.FTree = tree;
  return e;
}
} // namespace

TVTVNodeEnumeration TBaseNodeTree::Nodes(bool ConsiderChildrenAbove) {
  auto e = Enumeration(this, vneAll);
  e.FConsiderChildrenAbove = ConsiderChildrenAbove;
  return e;
}
TVTVNodeEnumeration TBaseNodeTree::CheckedNodes(TCheckState State, bool ConsiderChildrenAbove) {
  auto e = Enumeration(this, vneChecked);
  e.FState = State;
  e.FConsiderChildrenAbove = ConsiderChildrenAbove;
  return e;
}
TVTVNodeEnumeration TBaseNodeTree::ChildNodes(PVNode Node) {
  auto e = Enumeration(this, vneChild);
  e.FNode = Node;
  return e;
}
TVTVNodeEnumeration TBaseNodeTree::InitializedNodes(bool ConsiderChildrenAbove) {
  auto e = Enumeration(this, vneInitialized);
  e.FConsiderChildrenAbove = ConsiderChildrenAbove;
  return e;
}
TVTVNodeEnumeration TBaseNodeTree::LeafNodes() {
  return Enumeration(this, vneLeaf);
}
TVTVNodeEnumeration TBaseNodeTree::LevelNodes(std::uint32_t NodeLevel) {
  auto e = Enumeration(this, vneLevel);
  e.FNodeLevel = NodeLevel;
  return e;
}
TVTVNodeEnumeration TBaseNodeTree::NoInitNodes(bool ConsiderChildrenAbove) {
  auto e = Enumeration(this, vneNoInit);
  e.FConsiderChildrenAbove = ConsiderChildrenAbove;
  return e;
}
TVTVNodeEnumeration TBaseNodeTree::SelectedNodes(bool ConsiderChildrenAbove) {
  auto e = Enumeration(this, vneSelected);
  e.FConsiderChildrenAbove = ConsiderChildrenAbove;
  return e;
}
TVTVNodeEnumeration TBaseNodeTree::VisibleNodes(PVNode Node, bool ConsiderChildrenAbove, bool IncludeFiltered) {
  auto e = Enumeration(this, vneVisible);
  e.FNode = Node;
  e.FConsiderChildrenAbove = ConsiderChildrenAbove;
  e.FIncludeFiltered = IncludeFiltered;
  return e;
}
TVTVNodeEnumeration TBaseNodeTree::VisibleChildNodes(PVNode Node, bool IncludeFiltered) {
  auto e = Enumeration(this, vneVisibleChild);
  e.FNode = Node;
  e.FIncludeFiltered = IncludeFiltered;
  return e;
}
TVTVNodeEnumeration TBaseNodeTree::VisibleChildNoInitNodes(PVNode Node, bool IncludeFiltered) {
  auto e = Enumeration(this, vneVisibleNoInitChild);
  e.FNode = Node;
  e.FIncludeFiltered = IncludeFiltered;
  return e;
}
TVTVNodeEnumeration TBaseNodeTree::VisibleNoInitNodes(PVNode Node, bool ConsiderChildrenAbove,
                                                      bool IncludeFiltered) {
  auto e = Enumeration(this, vneVisibleNoInit);
  e.FNode = Node;
  e.FConsiderChildrenAbove = ConsiderChildrenAbove;
  e.FIncludeFiltered = IncludeFiltered;
  return e;
}
