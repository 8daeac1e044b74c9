// The option sets of a tree: what painting, input, selection and the structure operations consult.
#pragma once

#include "tree/NodeTypes.h"

#include <string>
#include <vector>

enum TVTPaintOption {
  toHideFocusRect, toHideSelection, toHotTrack, toPopupMode, toShowBackground, toShowButtons,
  toShowDropmark, toShowHorzGridLines, toShowRoot, toShowTreeLines, toShowVertGridLines, toThemeAware,
  toUseBlendedImages, toGhostedIfUnfocused, toFullVertGridLines, toAlwaysHideSelection,
  toUseBlendedSelection, toStaticBackground, toChildrenAbove, toFixedIndent, toUseExplorerTheme,
  toHideTreeLinesIfThemed, toShowFilteredNodes,
};
using TVTPaintOptions = TEnumSet<TVTPaintOption, std::uint32_t>;

enum TVTAnimationOption { toAnimatedToggle, toAdvancedAnimatedToggle };
using TVTAnimationOptions = TEnumSet<TVTAnimationOption, std::uint8_t>;

enum TVTAutoOption {
  toAutoDropExpand, toAutoExpand, toAutoScroll, toAutoScrollOnExpand, toAutoSort, toAutoSpanColumns,
  toAutoTristateTracking, toAutoHideButtons, toAutoDeleteMovedNodes, toDisableAutoscrollOnFocus,
  toAutoChangeScale, toAutoFreeOnCollapse, toDisableAutoscrollOnEdit, toAutoBidiColumnOrdering,
};
using TVTAutoOptions = TEnumSet<TVTAutoOption, std::uint16_t>;

enum TVTSelectionOption {
  toDisableDrawSelection, toExtendedFocus, toFullRowSelect, toLevelSelectConstraint, toMiddleClickSelect,
  toMultiSelect, toRightClickSelect, toSiblingSelectConstraint, toCenterScrollIntoView,
  toSimpleDrawSelection, toAlwaysSelectNode, toRestoreSelection,
};
using TVTSelectionOptions = TEnumSet<TVTSelectionOption, std::uint16_t>;

enum TVTMiscOption {
  toAcceptOLEDrop, toCheckSupport, toEditable, toFullRepaintOnResize, toGridExtensions, toInitOnSave,
  toReportMode, toToggleOnDblClick, toWheelPanning, toReadOnly, toVariableNodeHeight, toFullRowDrag,
  toNodeHeightResize, toNodeHeightDblClickResize, toEditOnClick, toEditOnDblClick,
  toReverseFullExpandHotKey,
};
using TVTMiscOptions = TEnumSet<TVTMiscOption, std::uint32_t>;

enum TVTExportMode { emAll, emChecked, emUnchecked, emVisibleDueToExpansion, emSelected };

inline constexpr TVTPaintOptions DefaultPaintOptions{toShowButtons, toShowDropmark, toShowRoot,
                                                     toShowTreeLines, toThemeAware, toUseBlendedImages};
inline constexpr TVTAutoOptions DefaultAutoOptions{toAutoDropExpand,      toAutoScrollOnExpand,
                                                   toAutoSort,            toAutoTristateTracking,
                                                   toAutoDeleteMovedNodes, toAutoChangeScale};
inline constexpr TVTMiscOptions DefaultMiscOptions{toAcceptOLEDrop, toFullRepaintOnResize, toInitOnSave,
                                                   toToggleOnDblClick, toWheelPanning, toEditOnClick};

class TCustomNodeTreeOptions {
public:
  explicit TCustomNodeTreeOptions(TBaseNodeTree* owner) : FOwner(owner) {}
  virtual ~TCustomNodeTreeOptions() = default;

  TVTPaintOptions PaintOptions() const { return FPaintOptions; }
  void SetPaintOptions(TVTPaintOptions value);
  TVTAnimationOptions AnimationOptions() const { return FAnimationOptions; }
  void SetAnimationOptions(TVTAnimationOptions value) { FAnimationOptions = value; }
  TVTAutoOptions AutoOptions() const { return FAutoOptions; }
  void SetAutoOptions(TVTAutoOptions value);
  TVTSelectionOptions SelectionOptions() const { return FSelectionOptions; }
  void SetSelectionOptions(TVTSelectionOptions value);
  TVTMiscOptions MiscOptions() const { return FMiscOptions; }
  void SetMiscOptions(TVTMiscOptions value);
  TVTExportMode ExportMode() const { return FExportMode; }
  void SetExportMode(TVTExportMode mode) { FExportMode = mode; }

  // Copies the five sets through this object's setters (not the export mode).
  virtual void Assign(const TCustomNodeTreeOptions& source);

  // A stored property "Options" of old forms. Null for a value that is not a set: nothing
  // changes. A set empties all five sets, then each old "vo" name adds its "to" option to its
  // set; names not of the old option list are skipped.
  void ReadLegacyOptions(const std::vector<std::string>* Names);

  TBaseNodeTree* Owner() const { return FOwner; }

private:
  TBaseNodeTree* FOwner;
  TVTPaintOptions FPaintOptions = DefaultPaintOptions;
  TVTAnimationOptions FAnimationOptions;
  TVTAutoOptions FAutoOptions = DefaultAutoOptions;
  TVTSelectionOptions FSelectionOptions;
  TVTMiscOptions FMiscOptions = DefaultMiscOptions;
  TVTExportMode FExportMode = emAll;
};
