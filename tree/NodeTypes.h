// The node record of the tree view, its state sets and the small types every tree file shares.
#pragma once

#include "platform/ui/Types.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

class TBaseNodeTree;

// A set of enumeration values stored as bits (bit = ordinal).
template <class E, class Word> class TEnumSet {
public:
  constexpr TEnumSet() = default;
  constexpr TEnumSet(std::initializer_list<E> values) {
    for (E v : values) FBits |= Bit(v);
  }
  static constexpr TEnumSet FromBits(Word bits) {
    TEnumSet s;
    s.FBits = bits;
    return s;
  }
  constexpr Word Bits() const { return FBits; }
  constexpr bool Has(E v) const { return (FBits & Bit(v)) != 0; }
  constexpr bool Empty() const { return FBits == 0; }
  constexpr void Include(E v) { FBits |= Bit(v); }
  constexpr void Exclude(E v) { FBits &= ~Bit(v); }
  constexpr TEnumSet operator+(TEnumSet o) const { return FromBits(FBits | o.FBits); }
  constexpr TEnumSet operator-(TEnumSet o) const { return FromBits(FBits & ~o.FBits); }
  constexpr TEnumSet operator*(TEnumSet o) const { return FromBits(FBits & o.FBits); }
  constexpr bool operator==(const TEnumSet&) const = default;
  // Every value of `o` is in the set.
  constexpr bool Contains(TEnumSet o) const { return (FBits & o.FBits) == o.FBits; }

private:
  static constexpr Word Bit(E v) { return static_cast<Word>(Word(1) << static_cast<unsigned>(v)); }
  Word FBits = 0;
};

enum TVNodeState {
  vsInitialized,
  vsChecking,
  vsCutOrCopy,
  vsDisabled,
  vsDeleting,
  vsExpanded,
  vsHasChildren,
  vsVisible,
  vsSelected,
  vsOnFreeNodeCallRequired,
  vsAllChildrenHidden,
  vsReleaseCallOnUserDataRequired,
  vsMultiline,
  vsHeightMeasured,
  vsToggling,
  vsFiltered,
  vsInitializing,
  // Not a state of the record's meaning: the typed user data was constructed and is destroyed
  // with the node. Never stored in streams.
  vsUserDataConstructed = 31,
};
using TVNodeStates = TEnumSet<TVNodeState, std::uint32_t>;

// The states a stream may carry; the others only describe a running operation or memory.
inline constexpr TVNodeStates PersistentNodeStates{vsInitialized, vsDisabled,  vsExpanded,
                                                   vsHasChildren, vsVisible,   vsSelected,
                                                   vsAllChildrenHidden, vsMultiline, vsFiltered};

enum TVNodeInitState { ivsDisabled, ivsExpanded, ivsHasChildren, ivsMultiline, ivsSelected, ivsFiltered, ivsReInit };
using TVNodeInitStates = TEnumSet<TVNodeInitState, std::uint8_t>;

enum TCheckType : std::uint8_t { ctNone, ctTriStateCheckBox, ctCheckBox, ctRadioButton, ctButton };
enum TCheckState : std::uint8_t {
  csUncheckedNormal,
  csUncheckedPressed,
  csCheckedNormal,
  csCheckedPressed,
  csMixedNormal,
  csMixedPressed,
  csUncheckedDisabled,
  csCheckedDisabled,
  csMixedDisabled,
};

// The form a check box shows while the mouse button or space key holds it down, and the form it
// returns to when released; other states pass through unchanged.
constexpr TCheckState PressedCheckState(TCheckState s) {
  switch (s) {
  case csUncheckedNormal:
    return csUncheckedPressed;
  case csCheckedNormal:
    return csCheckedPressed;
  case csMixedNormal:
    return csMixedPressed;
  default:
    return s;
  }
}

constexpr TCheckState UnpressedCheckState(TCheckState s) {
  switch (s) {
  case csUncheckedPressed:
    return csUncheckedNormal;
  case csCheckedPressed:
    return csCheckedNormal;
  case csMixedPressed:
    return csMixedNormal;
  default:
    return s;
  }
}

enum TCheckImageKind { ckLightCheck, ckDarkCheck, ckLightTick, ckDarkTick, ckFlat, ckXP, ckCustom, ckSystemFlat, ckSystemDefault };

// The node states in one word that the position-cache worker may read while the user-interface
// thread flips selection and cut marks.
class TAtomicNodeStates {
public:
  bool Has(TVNodeState s) const { return (FBits.load(std::memory_order_relaxed) & Bit(s)) != 0; }
  void Include(TVNodeState s) { FBits.fetch_or(Bit(s), std::memory_order_relaxed); }
  void Exclude(TVNodeState s) { FBits.fetch_and(~Bit(s), std::memory_order_relaxed); }
  void Include(TVNodeStates s) { FBits.fetch_or(s.Bits(), std::memory_order_relaxed); }
  void Exclude(TVNodeStates s) { FBits.fetch_and(~s.Bits(), std::memory_order_relaxed); }
  TVNodeStates Value() const { return TVNodeStates::FromBits(FBits.load(std::memory_order_relaxed)); }
  void Set(TVNodeStates s) { FBits.store(s.Bits(), std::memory_order_relaxed); }
  bool Contains(TVNodeStates s) const { return Value().Contains(s); }

private:
  static std::uint32_t Bit(TVNodeState s) { return std::uint32_t(1) << static_cast<unsigned>(s); }
  std::atomic<std::uint32_t> FBits{0};
};

struct TVNode;
using PVNode = TVNode*;

struct TVNode {
  std::uint32_t Index = 0;
  std::uint32_t ChildCount = 0;
  std::uint16_t NodeHeight = 0;
  TAtomicNodeStates States;
  std::uint8_t Align = 0;
  TCheckState CheckState = csUncheckedNormal;
  TCheckType CheckType = ctNone;
  std::uint32_t TotalCount = 0;
  std::uint32_t TotalHeight = 0;
  PVNode Parent = nullptr;
  PVNode PrevSibling = nullptr;
  PVNode NextSibling = nullptr;
  PVNode FirstChild = nullptr;
  PVNode LastChild = nullptr;

  // Every area of a node block starts at this alignment, so user data may hold any type.
  static constexpr std::size_t AreaAlignment = alignof(std::max_align_t);
  static constexpr std::size_t AlignUp(std::size_t n) { return (n + AreaAlignment - 1) / AreaAlignment * AreaAlignment; }
  static constexpr std::size_t DataOffset() { return AlignUp(sizeof(TVNode)); }
  // The user data area, without marking it handed out (GetNodeData does that).
  void* GetData() { return reinterpret_cast<std::byte*>(this) + DataOffset(); }
};

inline bool Assigned(const TVNode* node) {
  return node != nullptr;
}

using TNodeArray = std::vector<PVNode>;

enum TNodeTreeState {
  tsCancelHintAnimation, tsChangePending, tsCheckPropagation, tsCollapsing, tsToggleFocusedSelection,
  tsClearPending, tsClipboardFlushing, tsCopyPending, tsCutPending, tsDrawSelPending, tsDrawSelecting,
  tsEditing, tsEditPending, tsExpanding, tsNodeHeightTracking, tsNodeHeightTrackPending, tsHint,
  tsInAnimation, tsIncrementalSearching, tsIncrementalSearchPending, tsIterating, tsKeyCheckPending,
  tsLeftButtonDown, tsLeftDblClick, tsMouseCheckPending, tsMiddleButtonDown, tsMiddleDblClick,
  tsNeedRootCountUpdate, tsOLEDragging, tsOLEDragPending, tsPainting, tsRightButtonDown, tsRightDblClick,
  tsPopupMenuShown, tsScrolling, tsScrollPending, tsSizing, tsStopValidation, tsStructureChangePending,
  tsSynchMode, tsThumbTracking, tsToggling, tsUpdateHiddenChildrenNeeded, tsUpdating, tsUseCache,
  tsUserDragObject, tsUseThemes, tsValidating, tsPreviouslySelectedLocked, tsValidationNeeded,
  tsVCLDragging, tsVCLDragPending, tsVCLDragFinished, tsWheelPanning, tsWheelScrolling,
  tsWindowCreating, tsUseExplorerTheme,
};
using TNodeTreeStates = TEnumSet<TNodeTreeState, std::uint64_t>;

enum TChangeReason { crIgnore, crAccumulated, crChildAdded, crChildDeleted, crNodeAdded, crNodeCopied, crNodeMoved };
enum TVTUpdateState { usBegin, usBeginSynch, usSynch, usUpdate, usEnd, usEndSynch };
enum TVTNodeAttachMode { amNoWhere, amInsertBefore, amInsertAfter, amAddChildFirst, amAddChildLast };
enum TVTNodeAlignment { naFromBottom, naFromTop, naProportional };
enum TVTOperationKind { okAutoFitColumns, okGetMaxColumnWidth, okSortNode, okSortTree, okExport, okExpand };
enum TSortDirection { sdAscending, sdDescending };
enum TVTImageKind { ikNormal, ikSelected, ikState, ikOverlay };
enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };

using TColumnIndex = std::int32_t;
constexpr TColumnIndex NoColumn = -1;
constexpr TColumnIndex InvalidColumn = -2;

enum THitPosition {
  hiAbove, hiBelow, hiNowhere, hiOnItem, hiOnItemButton, hiOnItemButtonExact, hiOnItemCheckbox,
  hiOnItemIndent, hiOnItemLabel, hiOnItemLeft, hiOnItemRight, hiOnNormalIcon, hiOnStateIcon, hiToLeft,
  hiToRight, hiUpperSplitter, hiLowerSplitter,
};
using THitPositions = TEnumSet<THitPosition, std::uint32_t>;

struct THitInfo {
  PVNode HitNode = nullptr;
  THitPositions HitPositions;
  TColumnIndex HitColumn = NoColumn;
  TPoint HitPoint;
};

// Data errors of streams and moves, with the help context 2001 to 2006.
class ENodeTreeError : public std::runtime_error {
public:
  ENodeTreeError(const std::string& message, int helpContext)
      : std::runtime_error(message), FHelpContext(helpContext) {}
  int HelpContext() const { return FHelpContext; }

private:
  int FHelpContext;
};
