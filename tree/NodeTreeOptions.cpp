#include "tree/NodeTreeOptions.h"
#include "tree/NodeTrees.h"

#include <array>
#include <string_view>

namespace {

// The 32 options of old forms, each with the set it went to and its place there.
enum class TOldSet { Paint, Animation, Auto, Selection, Misc };
struct TOldVTOption {
  std::string_view Name;
  TOldSet Set;
  int Option;
};
constexpr std::array<TOldVTOption, 32> OldOptions{{
    {"voAcceptOLEDrop", TOldSet::Misc, toAcceptOLEDrop},
    {"voAnimatedToggle", TOldSet::Animation, toAnimatedToggle},
    {"voAutoDropExpand", TOldSet::Auto, toAutoDropExpand},
    {"voAutoExpand", TOldSet::Auto, toAutoExpand},
    {"voAutoScroll", TOldSet::Auto, toAutoScroll},
    {"voAutoSort", TOldSet::Auto, toAutoSort},
    {"voAutoSpanColumns", TOldSet::Auto, toAutoSpanColumns},
    {"voAutoTristateTracking", TOldSet::Auto, toAutoTristateTracking},
    {"voCheckSupport", TOldSet::Misc, toCheckSupport},
    {"voDisableDrawSelection", TOldSet::Selection, toDisableDrawSelection},
    {"voEditable", TOldSet::Misc, toEditable},
    {"voExtendedFocus", TOldSet::Selection, toExtendedFocus},
    {"voFullRowSelect", TOldSet::Selection, toFullRowSelect},
    {"voGridExtensions", TOldSet::Misc, toGridExtensions},
    {"voHideFocusRect", TOldSet::Paint, toHideFocusRect},
    {"voHideSelection", TOldSet::Paint, toHideSelection},
    {"voHotTrack", TOldSet::Paint, toHotTrack},
    {"voInitOnSave", TOldSet::Misc, toInitOnSave},
    {"voLevelSelectConstraint", TOldSet::Selection, toLevelSelectConstraint},
    {"voMiddleClickSelect", TOldSet::Selection, toMiddleClickSelect},
    {"voMultiSelect", TOldSet::Selection, toMultiSelect},
    {"voPopupMode", TOldSet::Paint, toPopupMode},
    {"voRightClickSelect", TOldSet::Selection, toRightClickSelect},
    {"voShowBackground", TOldSet::Paint, toShowBackground},
    {"voShowButtons", TOldSet::Paint, toShowButtons},
    {"voShowDropmark", TOldSet::Paint, toShowDropmark},
    {"voShowHorzGridLines", TOldSet::Paint, toShowHorzGridLines},
    {"voShowRoot", TOldSet::Paint, toShowRoot},
    {"voShowTreeLines", TOldSet::Paint, toShowTreeLines},
    {"voShowVertGridLines", TOldSet::Paint, toShowVertGridLines},
    {"voSiblingSelectConstraint", TOldSet::Selection, toSiblingSelectConstraint},
    {"voToggleOnDblClick", TOldSet::Misc, toToggleOnDblClick},
}};

} // namespace

void TCustomNodeTreeOptions::ReadLegacyOptions(const std::vector<std::string>* Names) {
  if (!Names) return;
  SetPaintOptions({});
  SetAnimationOptions({});
  SetAutoOptions({});
  SetSelectionOptions({});
  SetMiscOptions({});
  for (const std::string& name : *Names)
    for (const TOldVTOption& old : OldOptions) {
      if (old.Name != name) continue;
      switch (old.Set) {
      case TOldSet::Paint:
        SetPaintOptions(FPaintOptions + TVTPaintOptions{static_cast<TVTPaintOption>(old.Option)});
        break;
      case TOldSet::Animation:
        SetAnimationOptions(FAnimationOptions +
                            TVTAnimationOptions{static_cast<TVTAnimationOption>(old.Option)});
        break;
      case TOldSet::Auto:
        SetAutoOptions(FAutoOptions + TVTAutoOptions{static_cast<TVTAutoOption>(old.Option)});
        break;
      case TOldSet::Selection:
        SetSelectionOptions(FSelectionOptions +
                            TVTSelectionOptions{static_cast<TVTSelectionOption>(old.Option)});
        break;
      case TOldSet::Misc:
        SetMiscOptions(FMiscOptions + TVTMiscOptions{static_cast<TVTMiscOption>(old.Option)});
        break;
      }
    }
}

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
        tree->AddToTotalHeight(node, shown ? node->NodeHeight : -static_cast<std::int64_t>(node->NodeHeight),
                               true);
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
