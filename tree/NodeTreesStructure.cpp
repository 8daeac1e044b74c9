// Adding, inserting, linking, unlinking and deleting nodes, and the change notifications.
#include "tree/NodeTrees.h"

#include "platform/ui/ExtCtrls.h"

#include <algorithm>

namespace {
constexpr const char* IteratingText = "Deleting nodes during tree iteration leads to invalid pointers.";
constexpr const char* UnlinkText = "Node must neither be nil nor the root node.";
} // namespace

void TBaseNodeTree::SetChildCount(PVNode Node, std::uint32_t NewChildCount) {
  if (Has(toReadOnly)) return;
  if (!Node) Node = FRoot;
  if (NewChildCount == 0) {
    DeleteChildren(Node, false);
    return;
  }
  if (NewChildCount == Node->ChildCount) return;
  StopCacheValidation();
  if (NewChildCount > Node->ChildCount) {
    const std::uint32_t delta = NewChildCount - Node->ChildCount;
    std::uint32_t index = 0;
    if (Node->LastChild)
      index = Node->LastChild->Index + 1;
    else
      Node->States.Include(vsHasChildren);
    Node->States.Exclude({vsAllChildrenHidden, vsHeightMeasured});
    if (Node->States.Has(vsExpanded) && FullyVisible(Node)) FVisibleCount += delta;
    std::int64_t heights = 0;
    for (std::uint32_t i = 0; i < delta; ++i) {
      PVNode child = AllocateNode();
      child->Index = index++;
      child->PrevSibling = Node->LastChild;
      if (Node->LastChild) Node->LastChild->NextSibling = child;
      child->Parent = Node;
      Node->LastChild = child;
      if (!Node->FirstChild) Node->FirstChild = child;
      if (Has(toVariableNodeHeight)) NodeHeight(child);
      heights += child->TotalHeight;
    }
    if (Node->States.Has(vsExpanded)) AddToTotalHeight(Node, Node->TotalHeight + heights, false);
    AddToTotalCount(Node, delta, true);
    Node->ChildCount = NewChildCount;
    if (FUpdateCount == 0 && Has(toAutoSort) && FSortColumn >= NoColumn)
      Sort(Node, FSortColumn, FSortDirection, true);
    InvalidatePositionCache();
  } else {
    while (Node->ChildCount > NewChildCount) DeleteNode(Node->LastChild);
  }
  if (FUpdateCount == 0) {
    ValidatePositionCache();
    UpdateScrollBars(true);
    InvalidateTree();
  }
  NotifyStructureChange(Node == FRoot ? nullptr : Node, crChildAdded);
}

void TBaseNodeTree::SetRootNodeCount(std::uint32_t value) {
  if (value == FRoot->ChildCount) return;
  BeginUpdate();
  try {
    StopCacheValidation();
    SetChildCount(FRoot, value);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

PVNode TBaseNodeTree::AddChild(PVNode Parent, void* UserData) {
  if (Has(toReadOnly)) return nullptr;
  CancelEditNode();
  if (!Parent) Parent = FRoot;
  if (Parent != FRoot && !Parent->States.Has(vsInitialized)) InitNode(Parent);
  ++FUpdateCount;
  try {
    SetChildCount(Parent, Parent->ChildCount + 1);
  } catch (...) {
    --FUpdateCount;
    throw;
  }
  --FUpdateCount;
  Parent->States.Exclude(vsAllChildrenHidden);
  PVNode result = Parent->LastChild;
  if (UserData) SetNodeData(result, UserData);
  InvalidatePositionCache();
  if (FUpdateCount == 0) {
    ValidatePositionCache();
    // The change the child count recorded is delivered now; it is one change, not two.
    if (TreeStates().Has(tsStructureChangePending)) {
      if (FChangeDelay > 0 && !TreeStates().Has(tsSynchMode)) {
        FStructureChangeTimer->SetInterval(FChangeDelay);
        FStructureChangeTimer->SetEnabled(true);
      } else {
        DoStructureChange(FLastStructureChangeNode, FLastStructureChangeReason);
      }
    }
    if (Has(toAutoSort) && FSortColumn >= NoColumn) Sort(Parent, FSortColumn, FSortDirection, true);
    InvalidateToBottom(Parent);
    UpdateScrollBars(true);
  }
  return result;
}

PVNode TBaseNodeTree::InsertNode(PVNode Node, TVTNodeAttachMode Mode, void* UserData) {
  if (Mode == amNoWhere) return nullptr;
  if (UserData)
    Assert(FNodeDataSize >= static_cast<int>(sizeof(void*)),
           ClassName() + ": Cannot set initial user data because there is not enough user data space allocated.");
  CancelEditNode();
  if (!Node) Node = FRoot;
  PVNode result = AllocateNode();
  if (Node == FRoot) {
    if (Mode == amInsertBefore) Mode = amAddChildFirst;
    if (Mode == amInsertAfter) Mode = amAddChildLast;
  }
  if ((Mode == amAddChildFirst || Mode == amAddChildLast) && Node != FRoot && !Node->States.Has(vsInitialized))
    InitNode(Node);
  LinkNode(result, Node, this, Mode);
  if (UserData) SetNodeData(result, UserData);
  if (FUpdateCount == 0) {
    if (Has(toAutoSort) && FSortColumn >= NoColumn)
      Sort(Mode == amInsertBefore || Mode == amInsertAfter ? Node->Parent : Node, FSortColumn, FSortDirection,
           true);
    UpdateScrollBars(true);
    InvalidateToBottom(Mode == amInsertBefore ? result : Node);
  }
  NotifyStructureChange(result, crNodeAdded);
  return result;
}

void TBaseNodeTree::LinkNode(PVNode Node, PVNode Destination, TBaseNodeTree* Target, TVTNodeAttachMode Mode) {
  if (Mode == amNoWhere) return;
  Target->StopCacheValidation();
  PVNode parent;
  switch (Mode) {
  case amInsertBefore:
    parent = Destination->Parent;
    Node->PrevSibling = Destination->PrevSibling;
    Node->NextSibling = Destination;
    Node->Parent = parent;
    Node->Index = Destination->Index;
    if (Node->PrevSibling)
      Node->PrevSibling->NextSibling = Node;
    else
      parent->FirstChild = Node;
    Destination->PrevSibling = Node;
    for (PVNode run = Destination; run; run = run->NextSibling) ++run->Index;
    break;
  case amInsertAfter:
    parent = Destination->Parent;
    Node->PrevSibling = Destination;
    Node->NextSibling = Destination->NextSibling;
    Node->Parent = parent;
    Node->Index = Destination->Index + 1;
    Destination->NextSibling = Node;
    if (Node->NextSibling)
      Node->NextSibling->PrevSibling = Node;
    else
      parent->LastChild = Node;
    for (PVNode run = Node->NextSibling; run; run = run->NextSibling) ++run->Index;
    break;
  case amAddChildFirst:
    parent = Destination;
    Node->PrevSibling = nullptr;
    Node->NextSibling = parent->FirstChild;
    Node->Parent = parent;
    Node->Index = 0;
    if (parent->FirstChild)
      parent->FirstChild->PrevSibling = Node;
    else
      parent->LastChild = Node;
    parent->FirstChild = Node;
    for (PVNode run = Node->NextSibling; run; run = run->NextSibling) ++run->Index;
    break;
  default: // amAddChildLast
    parent = Destination;
    Node->PrevSibling = parent->LastChild;
    Node->NextSibling = nullptr;
    Node->Parent = parent;
    Node->Index = parent->LastChild ? parent->LastChild->Index + 1 : 0;
    if (parent->LastChild)
      parent->LastChild->NextSibling = Node;
    else
      parent->FirstChild = Node;
    parent->LastChild = Node;
    break;
  }
  Node->States.Exclude({vsChecking, vsCutOrCopy, vsDeleting});
  ++parent->ChildCount;
  parent->States.Include(vsHasChildren);
  Target->AddToTotalCount(parent, Node->TotalCount, true);
  if (parent->States.Has(vsExpanded) && Node->States.Has(vsVisible)) {
    Target->AddToTotalHeight(parent, Node->TotalHeight, true);
    if (Target->FullyVisible(Node))
      Target->FVisibleCount += Target->CountVisibleDescendants(Node) + (Target->IsEffectivelyVisible(Node) ? 1 : 0);
  }
  if (parent != Target->FRoot) {
    if (Target->IsEffectivelyVisible(Node))
      parent->States.Exclude(vsAllChildrenHidden);
    else if (parent->ChildCount == 1)
      parent->States.Include(vsAllChildrenHidden);
  }
}

void TBaseNodeTree::UnlinkNode(PVNode Node, bool KeepFocus, bool Reindex, bool ParentClearing) {
  Assert(Node != nullptr && Node != FRoot, UnlinkText);
  if (Node == FFocusedNode && !KeepFocus) {
    FFocusedNode = nullptr;
    DoFocusChange(nullptr, FFocusedColumn);
  }
  if (Node == FRangeAnchor) ResetSelectionAnchor();
  if (Node->States.Has(vsDeleting)) return;
  StopCacheValidation();
  PVNode parent = Node->Parent;
  // Judged before the parent may lose its expanded mark below.
  const bool wasFullyVisible = FullyVisible(Node);
  const std::uint32_t shownBelow = wasFullyVisible ? CountVisibleDescendants(Node) + (IsEffectivelyVisible(Node) ? 1 : 0) : 0;
  Node->States.Exclude(vsChecking);
  --parent->ChildCount;
  const bool wasShown = parent->States.Has(vsExpanded) && Node->States.Has(vsVisible);
  if (parent->ChildCount == 0) {
    parent->States.Exclude({vsHasChildren, vsAllChildrenHidden});
    if (parent != FRoot) parent->States.Exclude(vsExpanded);
  }
  AddToTotalCount(parent, -static_cast<std::int64_t>(Node->TotalCount), true);
  if (wasShown) AddToTotalHeight(parent, -static_cast<std::int64_t>(Node->TotalHeight), true);
  FVisibleCount -= shownBelow;
  if (Node->PrevSibling)
    Node->PrevSibling->NextSibling = Node->NextSibling;
  else
    parent->FirstChild = Node->NextSibling;
  if (Node->NextSibling) {
    Node->NextSibling->PrevSibling = Node->PrevSibling;
    if (Reindex) {
      // Within an update the renumbering waits for its end: removing many siblings one by one
      // would otherwise renumber the rest each time. Until then the gaps keep the siblings' order.
      if (FUpdateCount > 0) {
        FReindexPending.insert(parent);
      } else {
        std::uint32_t index = Node->Index;
        for (PVNode run = Node->NextSibling; run; run = run->NextSibling) run->Index = index++;
      }
    }
  } else {
    parent->LastChild = Node->PrevSibling;
  }
  // The parent's hidden-children mark is judged on the children that remain.
  if (parent != FRoot && !ParentClearing && parent->ChildCount > 0) {
    if (FUpdateCount == 0)
      UpdateAllChildrenHiddenFlag(parent);
    else
      FStates.fetch_or(TNodeTreeStates{tsUpdateHiddenChildrenNeeded}.Bits(), std::memory_order_relaxed);
  }
}

// Renumbers the children of Parent, or of every parent still waiting when Parent is nil.
void TBaseNodeTree::ReindexPendingChildren(PVNode Parent) {
  auto renumber = [](PVNode parent) {
    std::uint32_t index = 0;
    for (PVNode run = parent->FirstChild; run; run = run->NextSibling) run->Index = index++;
  };
  if (Parent) {
    if (FReindexPending.erase(Parent)) renumber(Parent);
    return;
  }
  std::unordered_set<PVNode> pending;
  pending.swap(FReindexPending);
  for (PVNode parent : pending) renumber(parent);
}

void TBaseNodeTree::DeleteNode(PVNode Node, bool Reindex, bool ParentClearing) {
  if (!Node || Node == FRoot || Has(toReadOnly)) return;
  Assert(!TreeStates().Has(tsIterating), IteratingText);
  PVNode parent = Node->Parent;
  if (!ParentClearing) NotifyStructureChange(parent == FRoot ? nullptr : parent, crChildDeleted);
  const int oldX = FOffsetX, oldY = FOffsetY;
  if (Node->States.Has(vsSelected)) {
    if (FUpdateCount == 0) {
      const bool wasSynch = TreeStates().Has(tsSynchMode);
      DoStateChange({tsSynchMode});
      try {
        RemoveFromSelection(Node);
      } catch (...) {
        if (!wasSynch) DoStateChange({}, {tsSynchMode});
        throw;
      }
      if (!wasSynch) DoStateChange({}, {tsSynchMode});
      InvalidateToBottom(parent);
    } else {
      int index;
      if (LocateInSelection(Node, index, -1, -1)) {
        Node->States.Exclude(vsSelected);
        MarkRemovedFromSelection(index);
      }
    }
  } else {
    InvalidateToBottom(parent);
  }
  if (TreeStates().Has(tsHint)) DoStateChange({}, {tsHint});
  if (!ParentClearing) StopCacheValidation();
  DeleteChildren(Node, false);
  UnlinkNode(Node, false, Reindex, false);
  DoFreeNode(Node);
  if (!ParentClearing) {
    if (parent != FRoot && parent->ChildCount > 0) UpdateAllChildrenHiddenFlag(parent);
    InvalidatePositionCache();
    if (FUpdateCount == 0) {
      ValidatePositionCache();
      UpdateScrollBars(true);
      if (oldX != FOffsetX || oldY != FOffsetY) InvalidateTree();
    }
  }
}

void TBaseNodeTree::DeleteChildren(PVNode Node, bool ResetHasChildren) {
  if (!Node || Node->ChildCount == 0 || Has(toReadOnly)) {
    if (ResetHasChildren && Node) Node->States.Exclude(vsHasChildren);
    return;
  }
  Assert(!TreeStates().Has(tsIterating), IteratingText);
  ++FUpdateCount;
  const int oldX = FOffsetX, oldY = FOffsetY;
  try {
    StopCacheValidation();
    const bool counted = Node == FRoot || (FullyVisible(Node) && Node->States.Has(vsExpanded));
    PVNode run = Node->LastChild;
    while (run) {
      PVNode previous = run->PrevSibling;
      if (counted && IsEffectivelyVisible(run)) --FVisibleCount;
      run->States.Include(vsDeleting);
      if (previous) previous->NextSibling = nullptr;
      Node->LastChild = previous;
      DeleteNode(run, false, true);
      run = previous;
    }
    if (ResetHasChildren) Node->States.Exclude(vsHasChildren);
    if (Node != FRoot) Node->States.Exclude(vsExpanded);
    Node->ChildCount = 0;
    if (Node == FRoot || Node->States.Has(vsDeleting)) {
      Node->TotalHeight = (Node == FRoot ? 0 : NodeHeight(Node)) + FDefaultNodeHeight;
      Node->TotalCount = 1;
    } else {
      // A filtered node contributes no row of its own.
      AddToTotalHeight(Node, IsEffectivelyFiltered(Node) ? 0 : NodeHeight(Node), false);
      AddToTotalCount(Node, 1, false);
    }
    Node->FirstChild = Node->LastChild = nullptr;
  } catch (...) {
    --FUpdateCount;
    throw;
  }
  --FUpdateCount;
  InvalidatePositionCache();
  if (FUpdateCount == 0) {
    CompactSelection();
    ValidatePositionCache();
    UpdateScrollBars(true);
    if (oldX != FOffsetX || oldY != FOffsetY)
      InvalidateTree();
    else
      InvalidateToBottom(Node);
    if (TreeStates().Has(tsChangePending)) {
      DoChange(FLastChangedNode);
      EnsureNodeSelected();
    }
  }
  NotifyStructureChange(Node == FRoot ? nullptr : Node, crChildDeleted);
}

void TBaseNodeTree::DeleteSelectedNodes() {
  if (FSelectionCount == 0 || Has(toReadOnly)) return;
  BeginUpdate();
  try {
    TNodeArray nodes = GetSortedSelection(true);
    for (std::size_t i = nodes.size(); i-- > 1;)
      DeleteNode(nodes[i], nodes[i]->Parent != nodes[i - 1]->Parent, false);
    if (!nodes.empty()) DeleteNode(nodes[0], true, false);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TBaseNodeTree::Clear() {
  if (!(Destroying() || (FRoot->ChildCount > 0 && !Has(toReadOnly)))) return;
  BeginUpdate();
  try {
    StopCacheValidation();
    CancelEditNode();
    if (TreeStates().Has(tsCutPending) || TreeStates().Has(tsCopyPending))
      DoStateChange({}, {tsCutPending, tsCopyPending});
    ClearSelection();
    FFocusedNode = FLastSelected = FCurrentHotNode = FDropTargetNode = FLastChangedNode = FRangeAnchor =
        FCheckNode = FLastSearchNode = nullptr;
    DeleteChildren(FRoot, true);
    FOffsetX = FOffsetY = 0;
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TBaseNodeTree::DoFreeNode(PVNode Node) {
  if (FLastChangedNode == Node) FLastChangedNode = nullptr;
  if (FCurrentHotNode == Node) FCurrentHotNode = nullptr;
  if (FDropTargetNode == Node) FDropTargetNode = nullptr;
  if (FLastStructureChangeNode == Node) FLastStructureChangeNode = nullptr;
  if (FNextNodeToSelect == Node) FNextNodeToSelect = Node->Parent == FRoot ? nullptr : Node->Parent;
  if (FFocusedNode == Node) FFocusedNode = nullptr;
  if (FRangeAnchor == Node) FRangeAnchor = nullptr;
  if (FLastSelected == Node) FLastSelected = nullptr;
  if (OnFreeNode && (Node->States.Has(vsInitialized) || Node->States.Has(vsOnFreeNodeCallRequired)))
    OnFreeNode(this, Node);
  if (Node->States.Has(vsUserDataConstructed) && FDataDestroy) FDataDestroy(Node->GetData());
  FreeNodeBlock(Node);
  if (FUpdateCount == 0) EnsureNodeSelected();
}

// ---------------------------------------------------------------- notifications

void TBaseNodeTree::RecordPendingChange(bool StructureChange, PVNode Node, TChangeReason Reason) {
  if (StructureChange) {
    if (TreeStates().Has(tsStructureChangePending))
      FStructureChangeTimer->SetEnabled(false);
    else
      DoStateChange({tsStructureChangePending});
    FLastStructureChangeNode = Node;
    if (FLastStructureChangeReason == crIgnore)
      FLastStructureChangeReason = Reason;
    else if (Reason != crIgnore)
      FLastStructureChangeReason = crAccumulated;
  } else {
    if (TreeStates().Has(tsChangePending))
      FChangeTimer->SetEnabled(false);
    else
      DoStateChange({tsChangePending});
    FLastChangedNode = Node;
  }
}

void TBaseNodeTree::NotifyStructureChange(PVNode Node, TChangeReason Reason) {
  RecordPendingChange(true, Node, Reason);
  if (FUpdateCount > 0) return;
  if (FChangeDelay > 0 && !TreeStates().Has(tsSynchMode)) {
    FStructureChangeTimer->SetInterval(FChangeDelay);
    FStructureChangeTimer->SetEnabled(true);
  } else {
    DoStructureChange(Node, FLastStructureChangeReason);
  }
}

void TBaseNodeTree::NotifyChange(PVNode Node) {
  RecordPendingChange(false, Node, crIgnore);
  if (FUpdateCount > 0) return;
  if (FChangeDelay > 0 && !TreeStates().Has(tsSynchMode)) {
    FChangeTimer->SetInterval(FChangeDelay);
    FChangeTimer->SetEnabled(true);
  } else {
    DoChange(Node);
  }
}

void TBaseNodeTree::AppendTempNode(PVNode Node) {
  if (FTempNodeCount == FTempNodeCache.size())
    FTempNodeCache.resize(FTempNodeCache.size() < 100 ? 100 : FTempNodeCache.size() + FTempNodeCache.size() / 10);
  FTempNodeCache[FTempNodeCount++] = Node;
}

void TBaseNodeTree::ClearTempNodes() {
  FTempNodeCache.clear();
  FTempNodeCount = 0;
}
