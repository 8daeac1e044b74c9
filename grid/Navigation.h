// Keyboard navigation, editing and clipboard options of the string grid.
#pragma once

#include "grid/GridOptionTypes.h"
#include "platform/Persistent.h"

// The options that only store their value, in stream order: type, name, default.
#define VELMARIC_NAVIGATION_OPTIONS(X)                                                                       \
  X(bool, AllowInsertRow, false)                                                                             \
  X(bool, AllowDeleteRow, false)                                                                             \
  X(bool, AlwaysEdit, false)                                                                                 \
  X(bool, AdvanceOnEnter, false)                                                                             \
  X(bool, AdvanceOnEnterLoop, true)                                                                          \
  X(bool, AdvanceAutoEdit, true)                                                                             \
  X(bool, AdvanceSkipReadOnlyCells, true)                                                                    \
  X(bool, AutoGotoWhenSorted, false)                                                                         \
  X(bool, AutoGotoIncremental, false)                                                                        \
  X(bool, AutoComboDropSize, false)                                                                          \
  X(bool, AllowClipboardShortCuts, false)                                                                    \
  X(bool, AllowCtrlEnter, true)                                                                              \
  X(bool, AllowSmartClipboard, false)                                                                        \
  X(bool, AllowRTFClipboard, false)                                                                          \
  X(bool, AllowFmtClipboard, false)                                                                          \
  X(bool, AllowClipboardAlways, false)                                                                       \
  X(bool, AllowClipboardRowGrow, true)                                                                       \
  X(bool, AllowClipboardColGrow, true)                                                                       \
  X(bool, AppendOnArrowDown, false)                                                                          \
  X(bool, EditSelectAll, true)                                                                               \
  X(TInsertPosition, InsertPosition, pInsertBefore)                                                          \
  X(TClipboardPasteAction, ClipboardPasteAction, paReplace)                                                  \
  X(bool, ComboGetUpDown, true)                                                                              \
  X(TCursorAdvance, CursorAdvance, caDefault)                                                                \
  X(bool, CursorWalkEditor, false)                                                                           \
  X(bool, CursorWalkAlwaysEdit, true)                                                                        \
  X(bool, CursorMoveRows, false)                                                                             \
  X(bool, MoveRowOnSort, false)                                                                              \
  X(bool, KeepScrollOnSort, false)                                                                           \
  X(bool, MoveScrollOnly, false)                                                                             \
  X(bool, ImproveMaskSel, false)                                                                             \
  X(bool, LeftRightRowSelect, true)                                                                          \
  X(bool, CopyHTMLTagsToClipboard, true)                                                                     \
  X(bool, KeepHorizScroll, false)                                                                            \
  X(bool, LineFeedOnEnter, false)                                                                            \
  X(THomeEndAction, HomeEndKey, heFirstLastColumn)                                                           \
  X(bool, SkipFixedCells, true)                                                                              \
  X(bool, SkipDisabledRows, true)                                                                            \
  X(bool, TabToNextAtEnd, false)                                                                             \
  X(TAdvanceDirection, TabAdvanceDirection, adLeftRight)

#define VELMARIC_PLAIN_OPTION_ACCESS(Type, Name, Default)                                                    \
  Type Name() const {                                                                                        \
    return F##Name;                                                                                          \
  }                                                                                                          \
  void Set##Name(Type Value) {                                                                               \
    F##Name = Value;                                                                                         \
  }
#define VELMARIC_PLAIN_OPTION_FIELD(Type, Name, Default) Type F##Name = Default;

class TNavigation : public TPersistent {
public:
  VELMARIC_NAVIGATION_OPTIONS(VELMARIC_PLAIN_OPTION_ACCESS)

  // These two fire OnChange when the value changes.
  TAdvanceDirection AdvanceDirection() const { return FAdvanceDirection; }
  void SetAdvanceDirection(TAdvanceDirection Value);
  bool AdvanceInsert() const { return FAdvanceInsert; }
  void SetAdvanceInsert(bool Value);
  // Switching it on switches AdvanceOnEnter on as well (no OnChange).
  bool AdvanceAuto() const { return FAdvanceAuto; }
  void SetAdvanceAuto(bool Value);

  // Copies every option of another navigation but KeepScrollOnSort, without OnChange; any other
  // source is ignored.
  void Assign(const TPersistent* Source) override;

  TNotifyEvent OnChange;

private:
  VELMARIC_NAVIGATION_OPTIONS(VELMARIC_PLAIN_OPTION_FIELD)
  TAdvanceDirection FAdvanceDirection = adLeftRight;
  bool FAdvanceInsert = false;
  bool FAdvanceAuto = false;
};
