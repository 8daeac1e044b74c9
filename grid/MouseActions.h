// Mouse options of the string grid.
#pragma once

#include "grid/GridOptionTypes.h"
#include "grid/GridTypes.h"
#include "grid/Navigation.h"
#include "platform/Persistent.h"
#include "platform/StringList.h"

// The options that only store their value, in stream order: type, name, default.
#define VELMARIC_MOUSE_OPTIONS(X)                                                                            \
  X(bool, AllColumnSize, false)                                                                              \
  X(bool, AllRowSize, false)                                                                                 \
  X(bool, AllSelect, false)                                                                                  \
  X(bool, AutoSizeColOnDblClick, true)                                                                       \
  X(bool, CaretPositioning, false)                                                                           \
  X(bool, CheckAllCheck, false)                                                                              \
  X(bool, ColSelect, false)                                                                                  \
  X(bool, DirectComboClose, false)                                                                           \
  X(bool, DirectComboDrop, false)                                                                            \
  X(bool, DirectDateClose, false)                                                                            \
  X(bool, DirectDateDrop, false)                                                                             \
  X(bool, DirectEdit, false)                                                                                 \
  X(bool, DisjunctRowSelectNoCtrl, false)                                                                    \
  X(TGridFixedCellEdit, FixedRowsEdit, fceNone)                                                              \
  X(TGridFixedCellEditor, FixedRowsEditor, fceEdit)                                                          \
  X(TGridFixedCellEditor, FixedColsEditor, fceEdit)                                                          \
  X(TGridFixedCellEdit, FixedColsEdit, fceNone)                                                              \
  X(bool, MoveRowOnNodeClick, false)                                                                         \
  X(bool, NoAutoRangeScroll, false)                                                                          \
  X(bool, NodeAllExpandContract, false)                                                                      \
  X(bool, NoScrollOnPartialRow, false)                                                                       \
  X(bool, PreciseCheckBoxCheck, false)                                                                       \
  X(bool, PreciseNodeClick, true)                                                                            \
  X(bool, RangeSelectAndEdit, false)                                                                         \
  X(bool, RowSelect, false)                                                                                  \
  X(bool, RowSelectPersistent, false)                                                                        \
  X(bool, SelectOnRightClick, false)                                                                         \
  X(bool, SizeFixedCol, false)                                                                               \
  X(bool, SizeFixedRow, false)                                                                               \
  X(int, WheelIncrement, 0)

class TMouseActions : public TPersistent {
public:
  explicit TMouseActions(TComponent* AOwner) : FOwner(AOwner) {}

  VELMARIC_MOUSE_OPTIONS(VELMARIC_PLAIN_OPTION_ACCESS)

  // Switching one of the three on while the designer works switches the other two off.
  bool DisjunctRowSelect() const { return FDisjunctRowSelect; }
  void SetDisjunctRowSelect(bool Value);
  bool DisjunctColSelect() const { return FDisjunctColSelect; }
  void SetDisjunctColSelect(bool Value);
  bool DisjunctCellSelect() const { return FDisjunctCellSelect; }
  void SetDisjunctCellSelect(bool Value);
  // The value alone, without the setter's rule.
  bool DisjunctRowSelectDirect() const { return FDisjunctRowSelect; }
  void SetDisjunctRowSelectDirect(bool Value) { FDisjunctRowSelect = Value; }
  // On also switches DisjunctRowSelect and CheckAllCheck on; OnInvalidate fires either way.
  bool HotmailRowSelect() const { return FHotmailRowSelect; }
  void SetHotmailRowSelect(bool Value);
  // On fires OnDisableEdit.
  bool EditOnDblClickOnly() const { return FEditOnDblClickOnly; }
  void SetEditOnDblClickOnly(bool Value);
  // Fires OnChange when the value changes.
  TWheelAction WheelAction() const { return FWheelAction; }
  void SetWheelAction(TWheelAction Value);
  // The owned list; writing copies the lines.
  TStringList& FixedComboValues() { return FFixedComboValues; }
  void SetFixedComboValues(const TStrings& Value) { FFixedComboValues.Assign(Value); }

  // Copies every option of other mouse actions but SizeFixedRow, HotmailRowSelect,
  // EditOnDblClickOnly and FixedComboValues, with no events; any other source is ignored.
  void Assign(const TPersistent* Source) override;

  TNotifyEvent OnChange;
  TNotifyEvent OnInvalidate;
  TNotifyEvent OnDisableEdit;
  TIsDesigningEvent OnIsDesigning;

  TComponent* Owner() const { return FOwner; }

private:
  bool Designing();
  TComponent* FOwner;
  VELMARIC_MOUSE_OPTIONS(VELMARIC_PLAIN_OPTION_FIELD)
  bool FDisjunctRowSelect = false;
  bool FDisjunctColSelect = false;
  bool FDisjunctCellSelect = false;
  bool FHotmailRowSelect = false;
  bool FEditOnDblClickOnly = false;
  TWheelAction FWheelAction = waMoveSelection;
  TStringList FFixedComboValues;
};
