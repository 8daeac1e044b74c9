// Update batching, synchronous mode, long operations and the position cache.
#include "tree/NodeTrees.h"
#include "tree/NodeTreesWorkerThread.h"

#include "platform/ui/ExtCtrls.h"

void TBaseNodeTree::BeginUpdate() {
  Assert(TThread::IsMainThread(),
         "UI controls like " + ClassName() + " should only be manipulated through the main thread.");
  if (!Destroying()) {
    if (FUpdateCount == 0) {
      DoUpdating(usBegin);
      if (Visible()) SuspendRedraw(true);
    } else {
      DoUpdating(usUpdate);
    }
  }
  ++FUpdateCount;
  DoStateChange({tsUpdating});
}

void TBaseNodeTree::EndUpdate() {
  if (FUpdateCount > 0) --FUpdateCount;
  if (Destroying()) return;
  if (FUpdateCount == 0 && !FReindexPending.empty()) ReindexPendingChildren();
  if (FUpdateCount == 0 && TreeStates().Has(tsUpdating)) {
    if (TreeStates().Has(tsUpdateHiddenChildrenNeeded)) {
      RefreshAllChildrenHiddenFlags();
      DoStateChange({}, {tsUpdateHiddenChildrenNeeded});
    }
    DoStateChange({}, {tsUpdating});
    CompactSelection();
    InvalidatePositionCache();
    ValidatePositionCache();
    UpdateScrollBars(false);
    if (TreeStates().Has(tsStructureChangePending))
      DoStructureChange(FLastStructureChangeNode, FLastStructureChangeReason);
    try {
      if (TreeStates().Has(tsChangePending)) DoChange(FLastChangedNode);
    } catch (...) {
      if (Has(toAutoSort)) SortTree(FSortColumn, FSortDirection, true);
      SuspendRedraw(false);
      InvalidateTree();
      throw;
    }
    if (Has(toAutoSort)) SortTree(FSortColumn, FSortDirection, true);
    SuspendRedraw(false);
    InvalidateTree();
  }
  if (FUpdateCount > 0) {
    DoUpdating(usUpdate);
  } else {
    DoUpdating(usEnd);
    EnsureNodeSelected();
  }
}

void TBaseNodeTree::BeginSynch() {
  if (!Destroying()) {
    if (FSynchUpdateCount == 0) {
      DoUpdating(usBeginSynch);
      FChangeTimer->SetEnabled(false);
      FStructureChangeTimer->SetEnabled(false);
      FLastSearchNode = nullptr;
      DoStateChange({}, {tsEditPending, tsIncrementalSearching, tsScrolling, tsScrollPending});
      if (TreeStates().Has(tsStructureChangePending))
        DoStructureChange(FLastStructureChangeNode, FLastStructureChangeReason);
      if (TreeStates().Has(tsChangePending)) DoChange(FLastChangedNode);
    } else {
      DoUpdating(usSynch);
    }
  }
  ++FSynchUpdateCount;
  DoStateChange({tsSynchMode});
}

void TBaseNodeTree::EndSynch() {
  if (FSynchUpdateCount > 0) --FSynchUpdateCount;
  if (Destroying()) return;
  if (FSynchUpdateCount > 0) {
    DoUpdating(usSynch);
  } else {
    DoStateChange({}, {tsSynchMode});
    DoUpdating(usEndSynch);
  }
}

// ---------------------------------------------------------------- long operations

void TBaseNodeTree::StartOperation(TVTOperationKind Kind) {
  ++FOperationCount;
  if (OnStartOperation) OnStartOperation(this, Kind);
  if (FOperationCount == 1) FOperationCanceled = false;
}

void TBaseNodeTree::EndOperation(TVTOperationKind Kind) {
  Assert(FOperationCount > 0, "EndOperation must not be called when no operation in progress.");
  --FOperationCount;
  if (OnEndOperation) OnEndOperation(this, Kind);
}

void TBaseNodeTree::CancelOperation() {
  if (FOperationCount > 0) FOperationCanceled = true;
}

// ---------------------------------------------------------------- position cache

void TBaseNodeTree::InvalidatePositionCache() {
  // A cache the worker finished before this change must not be taken up after it.
  TWorkerThread::DeliverMail(this);
  DoStateChange({tsValidationNeeded}, {tsUseCache});
}

void TBaseNodeTree::StopCacheValidation() {
  DoStateChange({tsStopValidation}, {tsUseCache});
  if (!FWorkerReferenced) return;
  const bool wasValidating = TreeStates().Has(tsValidating);
  TWorkerThread::RemoveTree(this);
  // A build that ran alongside the change that stopped it is worthless.
  if (wasValidating || TreeStates().Has(tsUseCache)) InvalidatePositionCache();
}

void TBaseNodeTree::ValidatePositionCache() {
  StopCacheValidation();
  if (TreeStates().Has(tsValidationNeeded) && FVisibleCount > CacheThreshold && FWorkerReferenced)
    TWorkerThread::AddTree(this);
}

void TBaseNodeTree::WaitForPositionCache() {
  TWorkerThread::WaitForTree(this, true);
}

std::uint32_t TBaseNodeTree::PositionCacheSize() const {
  if (FVisibleCount < 2) return 0;
  return (FVisibleCount + CacheThreshold - 1) / CacheThreshold;
}

std::uint32_t TBaseNodeTree::WorkerNodeHeight(PVNode Node) {
  if (Has(toVariableNodeHeight) && !Node->States.Has(vsHeightMeasured))
    TWorkerThread::RunOnUiThread(this, [this, Node] { NodeHeight(Node); });
  return Node->NodeHeight;
}

bool TBaseNodeTree::BuildPositionCache(TCache& cache) {
  if (TreeStates().Has(tsStopValidation)) return false;
  cache.Entries.assign(PositionCacheSize(), TCacheEntry{});
  cache.EndsWithBottom = false;
  std::uint32_t index = 0;
  std::uint32_t top = 0;
  std::uint32_t count = 0;
  PVNode last = nullptr;
  for (PVNode node = GetFirstVisibleNoInit(nullptr, true, false); node && !TreeStates().Has(tsStopValidation);
       node = NextShownNoInit(node)) {
    if (count % CacheThreshold == 0) {
      if (index >= cache.Entries.size()) break;
      cache.Entries[index++] = {node, top};
    }
    top += WorkerNodeHeight(node);
    ++count;
    last = node;
  }
  const bool stopped = TreeStates().Has(tsStopValidation);
  if (!stopped && index < cache.Entries.size() && last) {
    cache.Entries.resize(index + 1);
    cache.Entries[index] = {last, top};
    cache.EndsWithBottom = true;
  }
  return count > 1 && !stopped;
}

PVNode TBaseNodeTree::FindCacheEntryAtY(std::uint32_t Y, std::uint32_t& Top) const {
  int low = 0;
  int high = static_cast<int>(FPositionCache.SearchCount()) - 1;
  while (low <= high) {
    const int mid = (low + high) / 2;
    if (Y < FPositionCache.Entries[mid].AbsoluteTop)
      high = mid - 1;
    else
      low = mid + 1;
  }
  if (low == 0) {
    Top = 0;
    return nullptr;
  }
  Top = FPositionCache.Entries[low - 1].AbsoluteTop;
  return FPositionCache.Entries[low - 1].Node;
}

PVNode TBaseNodeTree::FindCacheEntryForNode(PVNode Node, std::uint32_t& Top) const {
  int low = 0;
  int high = static_cast<int>(FPositionCache.SearchCount()) - 1;
  while (low <= high) {
    const int mid = (low + high) / 2;
    if (CompareTreeOrder(FPositionCache.Entries[mid].Node, Node, false) > 0)
      high = mid - 1;
    else
      low = mid + 1;
  }
  if (low == 0) {
    Top = 0;
    return nullptr;
  }
  Top = FPositionCache.Entries[low - 1].AbsoluteTop;
  return FPositionCache.Entries[low - 1].Node;
}
