// Another grid kept in step with this one, and which of its moves follow.
#pragma once

#include "platform/Persistent.h"

class TBaseGrid;

class TSyncGrid : public TPersistent {
public:
  explicit TSyncGrid(TBaseGrid* AOwner) : FOwner(AOwner) {}
  TBaseGrid* Grid() const { return FGrid; }
  // A grid is never kept in step with itself: its owner is refused.
  void SetGrid(TBaseGrid* Value);
  bool ScrollHorizontal() const { return FScrollHorizontal; }
  void SetScrollHorizontal(bool Value) { FScrollHorizontal = Value; }
  bool ScrollVertical() const { return FScrollVertical; }
  void SetScrollVertical(bool Value) { FScrollVertical = Value; }
  bool SelectionRow() const { return FSelectionRow; }
  void SetSelectionRow(bool Value) { FSelectionRow = Value; }
  bool SelectionColumn() const { return FSelectionColumn; }
  void SetSelectionColumn(bool Value) { FSelectionColumn = Value; }
  bool MoveRow() const { return FMoveRow; }
  void SetMoveRow(bool Value) { FMoveRow = Value; }
  bool MoveColumn() const { return FMoveColumn; }
  void SetMoveColumn(bool Value) { FMoveColumn = Value; }
  // Sets Grid by the rule above and copies the six flags; other sources are ignored.
  void Assign(const TPersistent* Source) override;

private:
  TBaseGrid* FOwner;
  bool FScrollHorizontal = false;
  TBaseGrid* FGrid = nullptr;
  bool FScrollVertical = false;
  bool FSelectionRow = false;
  bool FSelectionColumn = false;
  bool FMoveRow = false;
  bool FMoveColumn = false;
};

// One switch: the frame around the cell being edited.
class TFocusHelper : public TPersistent {
public:
  explicit TFocusHelper(TComponent* AOwner) : FOwner(AOwner) {}
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value) { FEnabled = Value; }
  TComponent* Owner() const { return FOwner; }
  void Assign(const TPersistent* Source) override {
    if (auto* s = dynamic_cast<const TFocusHelper*>(Source)) FEnabled = s->FEnabled;
  }

private:
  TComponent* FOwner;
  bool FEnabled = false;
};
