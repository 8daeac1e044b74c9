#include "tree/NodeTreeOptions.h"
#include "tree/NodeTrees.h"

void TCustomNodeTreeOptions::SetPaintOptions(TVTPaintOptions value) {
  if (value == FPaintOptions) return;
  TBaseNodeTree* tree = FOwner;
  // The position-cache worker reads these; it must not be on the tree while they change.
  if (tree->FRoot) tree->StopCacheValidation();
  TVTPaintOptions toBeSet = value - FPaintOptions;
  const TVTPaintOptions old = FPaintOptions;
  FPaintOptions = value;
  if (toBeSet.Has(toFixedIndent)) {
    FPaintOptions.Include(toShowRoot);
    toBeSet.Include(toShowRoot);
  }
  if (old.Has(toShowFilteredNodes) != value.Has(toShowFilteredNodes)) {
    const bool shown = value.Has(toShowFilteredNodes);
    tree->BeginUpdate();
    try {
      for (PVNode node = tree->GetFirstNoInit(); node; node = tree->GetNextNoInit(node)) {
        if (!node->States.Has(vsFiltered)) continue;
        if (tree->FullyVisible(node)) tree->FVisibleCount += shown ? 1 : -1;
        tree->AddToTotalHeight(node, shown ? node->NodeHeight : -static_cast<std::int64_t>(node->NodeHeight), true);
      }
      // Filtered children count as shown or hidden now; the parents' marks follow.
      tree->DoStateChange({tsUpdateHiddenChildrenNeeded});
    } catch (...) {
      tree->EndUpdate();
      throw;
    }
    tree->EndUpdate();
  }
  if (old.Has(toChildrenAbove) != value.Has(toChildrenAbove)) {
    tree->InvalidatePositionCache();
    if (tree->UpdateCount() == 0) tree->ValidatePositionCache();
  }
  tree->InvalidateTree();
}

void TCustomNodeTreeOptions::SetAutoOptions(TVTAutoOptions value) {
  const bool spanChanged = value.Has(toAutoSpanColumns) != FAutoOptions.Has(toAutoSpanColumns);
  FAutoOptions = value;
  if (spanChanged) FOwner->InvalidateTree();
}

void TCustomNodeTreeOptions::SetSelectionOptions(TVTSelectionOptions value) {
  if (value == FSelectionOptions) return;
  const TVTSelectionOptions toBeSet = value - FSelectionOptions;
  const bool multiChanged = value.Has(toMultiSelect) != FSelectionOptions.Has(toMultiSelect);
  FSelectionOptions = value;
  if (multiChanged || toBeSet.Has(toLevelSelectConstraint) || toBeSet.Has(toSiblingSelectConstraint))
    FOwner->ClearSelection();
  if (!value.Has(toExtendedFocus)) FOwner->FFocusedColumn = FOwner->MainColumn();
}

void TCustomNodeTreeOptions::SetMiscOptions(TVTMiscOptions value) {
  if (value == FMiscOptions) return;
  const TVTMiscOptions toBeSet = value - FMiscOptions;
  const bool checkChanged = value.Has(toCheckSupport) != FMiscOptions.Has(toCheckSupport);
  // The position-cache worker reads these; it must not be on the tree while they change.
  if (FOwner->FRoot) FOwner->StopCacheValidation();
  FMiscOptions = value;
  if (!FOwner->FRoot || FOwner->Destroying()) return;
  if (checkChanged) FOwner->InvalidateTree();
  if (toBeSet.Has(toVariableNodeHeight)) {
    FOwner->BeginUpdate();
    try {
      FOwner->ReinitChildren(nullptr, true);
    } catch (...) {
      FOwner->EndUpdate();
      throw;
    }
    FOwner->EndUpdate();
  }
}

void TCustomNodeTreeOptions::Assign(const TCustomNodeTreeOptions& source) {
  SetPaintOptions(source.FPaintOptions);
  SetAnimationOptions(source.FAnimationOptions);
  SetAutoOptions(source.FAutoOptions);
  SetSelectionOptions(source.FSelectionOptions);
  SetMiscOptions(source.FMiscOptions);
}
