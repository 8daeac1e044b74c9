// Selection and focus. The selected nodes are kept in an array sorted by address; batch
// operations mark entries they take out and compact the array once.
#include "tree/NodeTrees.h"
#include "tree/VTHeader.h"

#include "platform/Thread.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>

namespace {
constexpr const char* NilNodeText = "Node must not be nil!";
constexpr const char* NilEndText = "EndNode must not be nil!";

bool AddressLess(PVNode a, PVNode b) {
  return std::less<PVNode>()(a, b);
}

// An entry taken out of the selection inside an update keeps its address with the low bit set
// (nodes are aligned), so the array stays ordered and lookups stay binary searches however
// many entries are marked before the array is compacted.
std::uintptr_t AddressOf(PVNode n) {
  return reinterpret_cast<std::uintptr_t>(n);
}
bool IsRemovedMark(PVNode n) {
  return (AddressOf(n) & 1u) != 0;
}
PVNode RemovedMark(PVNode n) {
  return reinterpret_cast<PVNode>(AddressOf(n) | 1u);
}
} // namespace

// Drops null and removal marks from the first `count` entries, keeping the order; -1 when count is 0.
int CompactNodeArray(TNodeArray& items, int count) {
  if (count == 0) return -1;
  int kept = 0;
  for (int i = 0; i < count; ++i)
    if (items[i] && !IsRemovedMark(items[i])) items[kept++] = items[i];
  return kept;
}

void TBaseNodeTree::MarkRemovedFromSelection(int Index) {
  FSelection[static_cast<std::size_t>(Index)] = RemovedMark(FSelection[static_cast<std::size_t>(Index)]);
  FSelectionMarked = true;
}

void TBaseNodeTree::CompactSelection() {
  if (!FSelectionMarked) return;
  FSelectionMarked = false;
  const int kept = CompactNodeArray(FSelection, FSelectionCount);
  if (kept >= 0) {
    FSelectionCount = kept;
    FSelection.resize(kept);
  }
}

bool TBaseNodeTree::LocateInSelection(PVNode Node, int& Index, int LowBound, int HighBound) const {
  int low = LowBound < 0 ? 0 : LowBound;
  int high = HighBound < 0 ? FSelectionCount - 1 : HighBound;
  const std::uintptr_t key = AddressOf(Node);
  while (low <= high) {
    const int mid = (low + high) / 2;
    const PVNode entry = FSelection[static_cast<std::size_t>(mid)];
    const std::uintptr_t address = AddressOf(entry) & ~std::uintptr_t(1);
    if (address < key) {
      low = mid + 1;
    } else if (address > key) {
      high = mid - 1;
    } else {
      // The node itself, or the mark it left when it was taken out: it belongs here either way.
      Index = mid;
      return entry == Node;
    }
  }
  Index = low;
  return false;
}

bool TBaseNodeTree::MergeIntoSelection(TNodeArray& NewItems, int NewLength, bool ForceInsert) {
  const int oldCount = FSelectionCount;
  // Marks left by batch removals are dropped first so the merge sees a gap-free array.
  CompactSelection();
  const int baseCount = FSelectionCount;
  if (ForceInsert) {
    for (int i = 0; i < NewLength; ++i) {
      NewItems[i]->States.Include(vsSelected);
      if (OnAddToSelection) OnAddToSelection(this, NewItems[i]);
    }
  } else {
    if (Has(toLevelSelectConstraint) && FLastSelectionLevel == -1 && NewLength > 0)
      FLastSelectionLevel = static_cast<int>(GetNodeLevel(NewItems[0]));
    if (Has(toSiblingSelectConstraint) && !FRangeAnchor && NewLength > 0) FRangeAnchor = NewItems[0];
    for (int i = 0; i < NewLength; ++i) {
      PVNode item = NewItems[i];
      const bool refused =
          item->States.Has(vsDisabled) || item->States.Has(vsSelected) ||
          (Has(toLevelSelectConstraint) && static_cast<int>(GetNodeLevel(item)) != FLastSelectionLevel) ||
          (Has(toSiblingSelectConstraint) && FRangeAnchor && item->Parent != FRangeAnchor->Parent);
      if (refused) {
        NewItems[i] = nullptr;
        continue;
      }
      item->States.Include(vsSelected);
      if (OnAddToSelection) OnAddToSelection(this, item);
    }
  }
  int n = CompactNodeArray(NewItems, NewLength);
  if (n < 0) n = 0;
  if (n == 0) return false;
  std::sort(NewItems.begin(), NewItems.begin() + n, AddressLess);
  // Merged in place from where the first new item belongs: adding behind the last selected node
  // costs only the additions, not a copy of the whole selection.
  FSelection.resize(static_cast<std::size_t>(baseCount));
  const auto offset =
      std::upper_bound(FSelection.begin(), FSelection.end(), NewItems[0], AddressLess) - FSelection.begin();
  if (n == 1) {
    // One node (a click, a node read from a stream): a plain insertion moves the entries
    // behind it once, where a merge would also copy them through a buffer of its own.
    FSelection.insert(FSelection.begin() + offset, NewItems[0]);
  } else {
    FSelection.insert(FSelection.end(), NewItems.begin(), NewItems.begin() + n);
    std::inplace_merge(FSelection.begin() + offset, FSelection.begin() + baseCount, FSelection.end(),
                       AddressLess);
  }
  FSelectionCount = baseCount + n;
  (void)oldCount;
  return true;
}

bool TBaseNodeTree::MergeNodeIntoSelection(PVNode Node, bool ForceInsert) {
  Assert(Node != nullptr, NilNodeText);
  FSingletonNodeArray.assign(1, Node);
  return MergeIntoSelection(FSingletonNodeArray, 1, ForceInsert);
}

void TBaseNodeTree::AddToSelection(PVNode Node) {
  if (FSelectionLocked) return;
  Assert(Node != nullptr, NilNodeText);
  if (MergeNodeIntoSelection(Node, false)) {
    if (FSelectionCount == 1) SetFocusedNode(Node);
    InvalidateNode(Node);
    NotifyChange(Node);
  }
}

void TBaseNodeTree::AddNodesToSelection(TNodeArray& NewItems, int NewLength, bool ForceInsert) {
  if (NewLength <= 0) return;
  PVNode first = NewItems[0];
  if (!MergeIntoSelection(NewItems, NewLength, ForceInsert)) return;
  if (NewLength == 1) {
    InvalidateNode(first);
    NotifyChange(first);
  } else {
    InvalidateTree();
    NotifyChange(nullptr);
  }
}

void TBaseNodeTree::RemoveFromSelection(PVNode Node) {
  if (FSelectionLocked) return;
  Assert(Node != nullptr, NilNodeText);
  Assert(TThread::IsMainThread(), ClassName() + ".RemoveFromSelection() must only be called from UI thread.");
  if (!Node->States.Has(vsSelected)) return;
  Node->States.Exclude(vsSelected);
  CompactSelection();
  int index;
  if (LocateInSelection(Node, index, -1, -1)) {
    FSelection.erase(FSelection.begin() + index);
    FSelectionCount = std::max(FSelectionCount - 1, 0);
  }
  if (FSelectionCount == 0) ResetSelectionAnchor();
  if (FSelectionCount <= 1) ChooseNextNodeToSelect(Node);
  DoRemoveFromSelection(Node);
  NotifyChange(Node);
}

void TBaseNodeTree::DetachFromSelection(PVNode Node) {
  int index;
  if (!LocateInSelection(Node, index, -1, -1)) return;
  Node->States.Exclude(vsSelected);
  MarkRemovedFromSelection(index);
  DoRemoveFromSelection(Node);
  RecordPendingChange(false, Node, crIgnore);
}

void TBaseNodeTree::EmptySelection() {
  CompactSelection();
  while (FSelectionCount > 0) {
    PVNode node = FSelection[--FSelectionCount];
    node->States.Exclude(vsSelected);
    DoRemoveFromSelection(node);
  }
  ResetSelectionAnchor();
  FSelection.clear();
  DoStateChange({}, {tsClearPending});
}

void TBaseNodeTree::ResetSelection(bool Notify) {
  if (FSelectionLocked || FSelectionCount == 0 || Destroying()) return;
  EmptySelection();
  if (Notify) NotifyChange(nullptr);
}

void TBaseNodeTree::ResetSelectionAnchor() {
  FRangeAnchor = FFocusedNode;
  FLastSelectionLevel = -1;
}

void TBaseNodeTree::ChooseNextNodeToSelect(PVNode Node) {
  if (!Has(toAlwaysSelectNode)) return;
  if (Node->NextSibling)
    FNextNodeToSelect = Node->NextSibling;
  else if (Node->PrevSibling)
    FNextNodeToSelect = Node->PrevSibling;
  else if (Node->Parent != FRoot)
    FNextNodeToSelect = Node->Parent;
  else
    FNextNodeToSelect = Node->FirstChild;
}

void TBaseNodeTree::SetSelected(PVNode Node, bool Value) {
  if (FSelectionLocked || !Node || Node == FRoot || Node->States.Has(vsSelected) == Value) return;
  if (Value) {
    if (FSelectionCount == 0)
      FRangeAnchor = Node;
    else if (!Has(toMultiSelect))
      ClearSelection();
    AddToSelection(Node);
    if (!Has(toMultiSelect)) SetFocusedNode(Node);
    if (!FRangeAnchor) FRangeAnchor = Node;
  } else {
    RemoveFromSelection(Node);
    if (FSelectionCount == 0) ResetSelectionAnchor();
  }
  if (FullyVisible(Node) && !IsEffectivelyFiltered(Node)) InvalidateNode(Node);
}

void TBaseNodeTree::SelectRange(PVNode StartNode, PVNode EndNode, bool AddOnly) {
  Assert(EndNode != nullptr, NilEndText);
  if (FSelectionLocked) return;
  ClearTempNodes();
  if (!StartNode || (!FullyVisible(StartNode) && !GetPreviousVisibleNoInit(StartNode, true)))
    StartNode = GetFirstVisibleNoInit(nullptr, true);
  else if (!FullyVisible(StartNode))
    StartNode = GetPreviousVisibleNoInit(StartNode, true);
  if (!StartNode) return;
  PVNode first = StartNode, last = EndNode;
  if (CompareTreeOrder(first, last, true) > 0) std::swap(first, last);
  PVNode anchor = FRangeAnchor;
  if (!AddOnly) EmptySelection();
  for (PVNode run = first; run; run = GetNextVisible(run, true)) {
    AppendTempNode(run);
    if (run == last) break;
  }
  AddNodesToSelection(FTempNodeCache, static_cast<int>(FTempNodeCount), false);
  ClearTempNodes();
  if (anchor && anchor->States.Has(vsSelected)) FRangeAnchor = anchor;
}

void TBaseNodeTree::ToggleRange(PVNode StartNode, PVNode EndNode) {
  if (FSelectionLocked) return;
  Assert(EndNode != nullptr, NilEndText);
  if (!StartNode)
    StartNode = FRoot->FirstChild;
  else if (!FullyVisible(StartNode))
    StartNode = GetPreviousVisible(StartNode, true);
  if (!StartNode) return;
  const int d = CompareTreeOrder(StartNode, EndNode, true);
  if (d == 0) return;
  ClearTempNodes();
  PVNode first = d < 0 ? StartNode : EndNode;
  PVNode last = d < 0 ? EndNode : StartNode;
  auto toggle = [this](PVNode n) {
    if (n->States.Has(vsSelected))
      DetachFromSelection(n);
    else
      AppendTempNode(n);
  };
  if (FRangeAnchor && CompareTreeOrder(first, FRangeAnchor, true) < 0) toggle(first);
  for (PVNode run = GetNextVisible(first, true); run && run != last; run = GetNextVisible(run, true))
    toggle(run);
  if (FRangeAnchor && CompareTreeOrder(last, FRangeAnchor, true) > 0) toggle(last);
  CompactSelection();
  if (FRangeAnchor && !FRangeAnchor->States.Has(vsSelected)) AppendTempNode(FRangeAnchor);
  if (FTempNodeCount > 0) AddNodesToSelection(FTempNodeCache, static_cast<int>(FTempNodeCount), false);
  ClearTempNodes();
}

void TBaseNodeTree::UnselectRange(PVNode StartNode, PVNode EndNode) {
  if (FSelectionLocked) return;
  Assert(EndNode != nullptr, NilEndText);
  if (!StartNode || (!FullyVisible(StartNode) && !GetPreviousVisibleNoInit(StartNode, true)))
    StartNode = FRoot->FirstChild;
  if (!StartNode) return;
  PVNode first = StartNode, last = EndNode;
  if (CompareTreeOrder(first, last, true) > 0) std::swap(first, last);
  for (PVNode run = first; run; run = GetNextVisible(run, true)) {
    DetachFromSelection(run);
    if (run == last) break;
  }
  CompactSelection();
}

void TBaseNodeTree::ApplyClickSelection(PVNode Node, bool DragPending, TShiftState Shift) {
  const bool ctrl = Shift & ssCtrl, shift = Shift & ssShift;
  if (ctrl && shift) {
    SelectRange(FRangeAnchor, Node, true);
    InvalidateTree();
  } else if (ctrl) {
    if (!Has(toSiblingSelectConstraint)) FRangeAnchor = Node;
    if (DragPending)
      DoStateChange({tsToggleFocusedSelection});
    else if (Node->States.Has(vsSelected))
      RemoveFromSelection(Node);
    else
      AddToSelection(Node);
    InvalidateTree();
  } else if (shift) {
    if (!FRangeAnchor) {
      FRangeAnchor = FRoot->FirstChild;
    } else {
      SelectRange(FRangeAnchor, Node, false);
      InvalidateTree();
    }
  } else {
    if (!Node->States.Has(vsSelected)) {
      AddToSelection(Node);
      InvalidateNode(Node);
    }
    FRangeAnchor = Node;
  }
}

void TBaseNodeTree::SelectAll(bool VisibleOnly) {
  if (FSelectionLocked || !Has(toMultiSelect)) return;
  ClearTempNodes();
  if (VisibleOnly) {
    for (PVNode run = GetFirstVisible(nullptr, true); run; run = GetNextVisible(run, false))
      if (!run->States.Has(vsSelected)) AppendTempNode(run);
  } else {
    for (PVNode run = GetFirst(); run; run = GetNext(run))
      if (!run->States.Has(vsSelected)) AppendTempNode(run);
  }
  AddNodesToSelection(FTempNodeCache, static_cast<int>(FTempNodeCount), false);
  ClearTempNodes();
  InvalidateTree();
}

void TBaseNodeTree::InvertSelection(bool VisibleOnly) {
  if (FSelectionLocked || !Has(toMultiSelect)) return;
  ClearTempNodes();
  bool detached = false;
  for (PVNode run = FRoot->FirstChild; run;
       run = VisibleOnly ? GetNextVisibleNoInit(run, false) : GetNextNoInit(run)) {
    if (run->States.Has(vsSelected)) {
      DetachFromSelection(run);
      detached = true;
    } else {
      AppendTempNode(run);
    }
  }
  CompactSelection();
  const bool added = FTempNodeCount > 0;
  if (added) AddNodesToSelection(FTempNodeCache, static_cast<int>(FTempNodeCount), false);
  ClearTempNodes();
  InvalidateTree();
  if (!added && detached) NotifyChange(nullptr);
  if (FSelectionCount == 0) FNextNodeToSelect = nullptr;
}

PVNode TBaseNodeTree::GetFirstSelected(bool ConsiderChildrenAbove) {
  return GetNextSelected(nullptr, ConsiderChildrenAbove);
}

PVNode TBaseNodeTree::GetNextSelected(PVNode Node, bool ConsiderChildrenAbove) {
  if (FSelectionCount == 0) return nullptr;
  PVNode run = (!Node || Node == FRoot) ? GetFirstNoInit(ConsiderChildrenAbove)
                                        : GetNextNoInit(Node, ConsiderChildrenAbove);
  while (run && !run->States.Has(vsSelected))
    run = GetNextNoInit(run, ConsiderChildrenAbove);
  if (run && !run->States.Has(vsInitialized)) InitNode(run);
  return run;
}

PVNode TBaseNodeTree::GetPreviousSelected(PVNode Node, bool ConsiderChildrenAbove) {
  if (FSelectionCount == 0) return nullptr;
  PVNode run = (!Node || Node == FRoot) ? FRoot->LastChild : GetPreviousNoInit(Node, ConsiderChildrenAbove);
  while (run && !run->States.Has(vsSelected))
    run = GetPreviousNoInit(run, ConsiderChildrenAbove);
  if (run && !run->States.Has(vsInitialized)) InitNode(run);
  return run;
}

TNodeArray TBaseNodeTree::GetSortedSelection(bool Resolve) {
  TNodeArray result;
  result.reserve(static_cast<std::size_t>(FSelectionCount));
  PVNode run = FRoot->FirstChild;
  while (run) {
    if (run->States.Has(vsSelected)) {
      result.push_back(run);
      if (Resolve) {
        PVNode next = nullptr;
        for (PVNode up = run; up != FRoot && !next; up = up->Parent)
          next = up->NextSibling;
        run = next;
        continue;
      }
    }
    run = GetNextNoInit(run, false);
  }
  return result;
}

bool TBaseNodeTree::IsMouseSelecting() const {
  const TNodeTreeStates s = TreeStates();
  return s.Has(tsDrawSelPending) || s.Has(tsDrawSelecting);
}

void TBaseNodeTree::SetSelectionCurveRadius(std::uint32_t value) {
  if (FSelectionCurveRadius == value) return;
  FSelectionCurveRadius = value;
  InvalidateTree();
}

int TBaseNodeTree::LevelDistance(PVNode Node1, PVNode Node2) const {
  Assert(Node1 != nullptr && Node2 != nullptr, "Both nodes must be Assigned.");
  return static_cast<int>(GetNodeLevel(Node2)) - static_cast<int>(GetNodeLevel(Node1));
}

// ---------------------------------------------------------------- focus

void TBaseNodeTree::MoveFocusTo(PVNode Node, bool Ask) {
  if (Node == FRoot) Node = nullptr;
  if (Node != FFocusedNode && (!Ask || DoFocusChanging(FFocusedNode, Node, FFocusedColumn, FFocusedColumn))) {
    if (FFocusedNode) {
      if (Has(toAutoExpand) && Node && Node->Parent == FFocusedNode->Parent &&
          FFocusedNode->States.Has(vsExpanded))
        ToggleNode(FFocusedNode);
      else
        InvalidateNode(FFocusedNode);
    }
    FFocusedNode = Node;
  }
  if (FFocusedNode) {
    // With columns a focused node always has a focused column.
    if (FHeader->UseColumns() && !FHeader->Columns().IsValidColumn(FFocusedColumn))
      FFocusedColumn = FHeader->MainColumn();
    if (Has(toAutoExpand) && !FFocusedNode->States.Has(vsExpanded) && FFocusedNode->ChildCount > 0)
      ToggleNode(FFocusedNode);
    InvalidateNode(FFocusedNode);
    if (FUpdateCount == 0 && !Has(toDisableAutoscrollOnFocus))
      ScrollIntoView(FFocusedNode, Has(toCenterScrollIntoView), !Has(toFullRowSelect));
  }
  if (FSelectionCount == 0) EnsureNodeSelected();
}

void TBaseNodeTree::SetFocusedNode(PVNode Value) {
  PVNode old = FFocusedNode;
  MoveFocusTo(Value, true);
  if (Value != old && FFocusedNode == Value) DoFocusChange(FFocusedNode, FFocusedColumn);
}

void TBaseNodeTree::SetFocusedColumn(TColumnIndex Value) {
  if (FFocusedColumn == Value) return;
  if (!DoFocusChanging(FFocusedNode, FFocusedNode, FFocusedColumn, Value)) return;
  CancelEditNode();
  InvalidateColumn(FFocusedColumn);
  InvalidateColumn(Value);
  FFocusedColumn = Value;
  if (FFocusedNode && !Has(toDisableAutoscrollOnFocus))
    if (ScrollIntoView(FFocusedNode, Has(toCenterScrollIntoView), true)) InvalidateNode(FFocusedNode);
  if (FDropTargetNode) InvalidateNode(FDropTargetNode);
  DoFocusChange(FFocusedNode, FFocusedColumn);
}

void TBaseNodeTree::FocusNodeInColumn(PVNode Node, TColumnIndex Column) {
  const TColumnIndex oldColumn = FFocusedColumn;
  const bool changed = Node != FFocusedNode || Column != FFocusedColumn;
  FFocusedColumn = Column;
  MoveFocusTo(Node, true);
  if (FFocusedNode == Node) {
    CancelEditNode();
    if (changed) DoFocusChange(FFocusedNode, FFocusedColumn);
  } else {
    FFocusedColumn = oldColumn;
  }
}

void TBaseNodeTree::ProvideFocusedNode() {
  if (!FFocusedNode) SetFocusedNode(GetFirstSelected());
  if (!FFocusedNode) SetFocusedNode(GetFirstVisible(nullptr, true));
}

void TBaseNodeTree::EnsureNodeSelected() {
  if (!Has(toAlwaysSelectNode) || IsEmpty()) return;
  if (FSelectionCount == 0 && !FSelectionLocked) {
    if (FNextNodeToSelect)
      SetSelected(FNextNodeToSelect, true);
    else if (Focused())
      SetSelected(GetFirstVisible(nullptr, true), true);
  }
  ProvideFocusedNode();
  ScrollIntoView(GetFirstSelected(), false, false);
}
