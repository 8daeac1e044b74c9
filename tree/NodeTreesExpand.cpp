// Expanding, collapsing, hiding and filtering nodes, keeping heights and counts right.
#include "tree/NodeTrees.h"

namespace {
constexpr const char* InvalidParameter = "Invalid parameter.";
} // namespace

bool TBaseNodeTree::IsEffectivelyFiltered(PVNode Node) const {
  return Node && Node->States.Has(vsFiltered) && !Has(toShowFilteredNodes);
}

bool TBaseNodeTree::IsEffectivelyVisible(PVNode Node) const {
  return Node->States.Has(vsVisible) && !IsEffectivelyFiltered(Node);
}

void TBaseNodeTree::SetExpanded(PVNode Node, bool value) {
  if (Node && Node != FRoot && Node->States.Has(vsExpanded) != value) ToggleNode(Node);
}

void TBaseNodeTree::ToggleNode(PVNode Node) {
  Assert(Node != nullptr, "Node must not be nil.");
  // The hidden root is always expanded; collapsing it would hide the whole tree for good.
  if (Node == FRoot) return;
  const bool wasToggling = TreeStates().Has(tsToggling);
  if (Node->States.Has(vsDeleting) || Node->States.Has(vsToggling)) return;
  StopCacheValidation();
  DoStateChange({tsToggling});
  Node->States.Include(vsToggling);
  try {
    ToggleNodeNoStop(Node);
  } catch (...) {
    Node->States.Exclude(vsToggling);
    if (!wasToggling) DoStateChange({}, {tsToggling});
    throw;
  }
  Node->States.Exclude(vsToggling);
  if (!wasToggling) DoStateChange({}, {tsToggling});
}

void TBaseNodeTree::ToggleNodeNoStop(PVNode Node) {
  bool allowed = false;
  if (Node->States.Has(vsExpanded)) {
    if (DoCollapsing(Node)) {
      allowed = true;
      // No animation inside an update or a full collapse.
      if (FUpdateCount == 0 && Has(toAnimatedToggle) && !TreeStates().Has(tsCollapsing))
        AnimateToggle(Node, static_cast<std::int64_t>(NodeHeight(Node)) - Node->TotalHeight, true,
                      GetDisplayRect(Node, NoColumn, false));
      const std::uint32_t own = IsEffectivelyFiltered(Node) ? 0 : NodeHeight(Node);
      AddToTotalHeight(Node, own, false);
      if (FullyVisible(Node)) FVisibleCount -= CountVisibleDescendants(Node);
      Node->States.Exclude(vsExpanded);
      DoCollapsed(Node);
      if (Has(toAutoFreeOnCollapse) && Node->ChildCount > 0) {
        DeleteChildren(Node);
        Node->States.Include(vsHasChildren);
      }
    }
  } else if (DoExpanding(Node)) {
    allowed = true;
    if (!Node->States.Has(vsInitialized)) InitNode(Node);
    if (Node->States.Has(vsHasChildren) && Node->ChildCount == 0) InitChildren(Node);
    if (Node->ChildCount > 0 && !Node->States.Has(vsExpanded)) {
      std::int64_t delta = 0;
      for (PVNode child = Node->FirstChild; child; child = child->NextSibling)
        if (child->States.Has(vsVisible)) {
          MeasureItemHeight(&Canvas(), child);
          delta += child->TotalHeight;
        }
      if (FUpdateCount == 0) {
        // No animation inside an update or a full expansion.
        const TRect r = GetDisplayRect(Node, NoColumn, false);
        if (r.Top < ClientHeight() && !TreeStates().Has(tsExpanding) && !TreeStates().Has(tsPainting) &&
            Has(toAnimatedToggle))
          AnimateToggle(Node, delta, false, r);
        if (Has(toAutoSort)) Sort(Node, FSortColumn, FSortDirection, false);
      }
      Node->States.Include(vsExpanded);
      AddToTotalHeight(Node, delta, true);
      if (FullyVisible(Node)) FVisibleCount += CountVisibleDescendants(Node);
      DoExpanded(Node);
    }
  }
  if (!allowed) return;
  InvalidatePositionCache();
  if (FUpdateCount > 0) {
    UpdateVerticalRange();
    return;
  }
  ValidatePositionCache();
  if (Node->ChildCount == 0) {
    InvalidateNode(Node);
  } else {
    UpdateScrollBars(true);
    InvalidateTree();
  }
}

void TBaseNodeTree::FullExpand(PVNode Node) {
  if (RootNodeCount() == 0) return;
  if (Node == FRoot) Node = nullptr;
  DoStateChange({tsExpanding});
  StartOperation(okExpand);
  BeginUpdate();
  auto finish = [this] {
    EndOperation(okExpand);
    EndUpdate();
    DoStateChange({}, {tsExpanding});
  };
  try {
    PVNode stop = nullptr;
    PVNode run = FRoot->FirstChild;
    if (Node) {
      run = Node;
      for (PVNode up = Node; up != FRoot && !stop; up = up->Parent) stop = up->NextSibling;
    }
    if (!run->States.Has(vsInitialized)) InitNode(run);
    while (run && run != stop && !OperationCanceled()) {
      if (!run->States.Has(vsExpanded)) ToggleNode(run);
      run = GetNext(run);
    }
  } catch (...) {
    finish();
    throw;
  }
  finish();
}

void TBaseNodeTree::FullCollapse(PVNode Node) {
  if (RootNodeCount() == 0) return;
  if (Node == FRoot) Node = nullptr;
  DoStateChange({tsCollapsing});
  BeginUpdate();
  auto finish = [this] {
    EndUpdate();
    DoStateChange({}, {tsCollapsing});
  };
  try {
    const TVNodeStates both{vsExpanded, vsHasChildren};
    for (PVNode run = GetLastVisibleNoInit(Node, true, false); run && run != Node;
         run = GetPreviousNoInit(run, true))
      if (run->States.Contains(both)) ToggleNode(run);
    if (Node && Node->States.Contains(both)) ToggleNode(Node);
  } catch (...) {
    finish();
    throw;
  }
  finish();
}

bool TBaseNodeTree::IsVisible(PVNode Node) {
  if (!Node) Node = FRoot;
  if (!Node->States.Has(vsInitialized)) InitNode(Node);
  return Node->States.Has(vsVisible);
}

void TBaseNodeTree::SetVisible(PVNode Node, bool value) {
  Assert(Node != nullptr && Node != FRoot, InvalidParameter);
  if (Node->States.Has(vsVisible) == value) return;
  StopCacheValidation();
  PVNode parent = Node->Parent;
  bool displayChanged = false;
  const bool onPath = VisiblePath(Node);
  if (value) {
    Node->States.Include(vsVisible);
    if (parent->States.Has(vsExpanded)) AddToTotalHeight(parent, Node->TotalHeight, true);
    if (onPath) {
      FVisibleCount += CountVisibleDescendants(Node) + (IsEffectivelyVisible(Node) ? 1 : 0);
      displayChanged = true;
    }
    if (!IsEffectivelyFiltered(Node)) parent->States.Exclude(vsAllChildrenHidden);
  } else {
    if (parent->States.Has(vsExpanded)) AddToTotalHeight(parent, -static_cast<std::int64_t>(Node->TotalHeight), true);
    if (onPath) {
      FVisibleCount -= CountVisibleDescendants(Node) + (IsEffectivelyVisible(Node) ? 1 : 0);
      displayChanged = true;
    }
    Node->States.Exclude(vsVisible);
    if (FUpdateCount == 0)
      UpdateAllChildrenHiddenFlag(parent);
    else
      FStates.fetch_or(TNodeTreeStates{tsUpdateHiddenChildrenNeeded}.Bits(), std::memory_order_relaxed);
  }
  InvalidatePositionCache();
  if (displayChanged && FUpdateCount == 0) {
    ValidatePositionCache();
    UpdateScrollBars(true);
    InvalidateTree();
  }
}

bool TBaseNodeTree::FullyVisible(PVNode Node) const {
  Assert(Node != nullptr, InvalidParameter);
  if (!Node->States.Has(vsVisible)) return false;
  return Node == FRoot || VisiblePath(Node);
}

void TBaseNodeTree::SetFullyVisible(PVNode Node, bool value) {
  Assert(Node != nullptr && Node != FRoot, "Invalid parameter");
  SetVisible(Node, value);
  if (!value) return;
  for (PVNode up = Node->Parent; up != FRoot; up = up->Parent) {
    if (!up->States.Has(vsExpanded)) ToggleNode(up);
    if (!up->States.Has(vsVisible)) SetVisible(up, true);
  }
}

bool TBaseNodeTree::VisiblePath(PVNode Node) const {
  Assert(Node != nullptr && Node != FRoot, "Invalid parameters.");
  for (PVNode up = Node->Parent; up != FRoot; up = up->Parent)
    if (!up->States.Has(vsExpanded) || !up->States.Has(vsVisible)) return false;
  return true;
}

void TBaseNodeTree::SetVisiblePath(PVNode Node, bool value) {
  Assert(Node != nullptr && Node != FRoot, InvalidParameter);
  if (!value) return;
  for (PVNode up = Node->Parent; up != FRoot; up = up->Parent)
    if (!up->States.Has(vsExpanded)) ToggleNode(up);
}

void TBaseNodeTree::SetFiltered(PVNode Node, bool value) {
  Assert(Node != nullptr && Node != FRoot, InvalidParameter);
  if (!Node->States.Has(vsInitialized)) InitNode(Node);
  if (Node->States.Has(vsFiltered) == value) return;
  StopCacheValidation();
  bool displayChanged = false;
  if (value) {
    Node->States.Include(vsFiltered);
    if (!Has(toShowFilteredNodes)) {
      if (Node->ChildCount == 0 && Node->States.Has(vsInitializing))
        AddToTotalHeight(Node, 0, false);
      else
        AddToTotalHeight(Node, -static_cast<std::int64_t>(NodeHeight(Node)), true);
      if (FullyVisible(Node)) {
        --FVisibleCount;
        displayChanged = true;
      }
    }
    if (FUpdateCount == 0)
      UpdateAllChildrenHiddenFlag(Node->Parent);
    else
      FStates.fetch_or(TNodeTreeStates{tsUpdateHiddenChildrenNeeded}.Bits(), std::memory_order_relaxed);
  } else {
    Node->States.Exclude(vsFiltered);
    if (!Has(toShowFilteredNodes)) {
      AddToTotalHeight(Node, NodeHeight(Node), true);
      if (FullyVisible(Node)) {
        ++FVisibleCount;
        displayChanged = true;
      }
    }
    if (Node->States.Has(vsVisible)) Node->Parent->States.Exclude(vsAllChildrenHidden);
  }
  InvalidatePositionCache();
  if (displayChanged && FUpdateCount == 0) {
    ValidatePositionCache();
    UpdateScrollBars(true);
    InvalidateTree();
  }
}

void TBaseNodeTree::SetAnimationDuration(std::uint32_t value) {
  FAnimationDuration = value;
  TVTAnimationOptions options = FOptions->AnimationOptions();
  value != 0 ? options.Include(toAnimatedToggle) : options.Exclude(toAnimatedToggle);
  FOptions->SetAnimationOptions(options);
}
