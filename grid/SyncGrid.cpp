#include "grid/SyncGrid.h"

void TSyncGrid::SetGrid(TBaseGrid* Value) {
  if (Value != FOwner) FGrid = Value;
}

void TSyncGrid::Assign(const TPersistent* Source) {
  auto* s = dynamic_cast<const TSyncGrid*>(Source);
  if (!s) return;
  SetGrid(s->FGrid);
  FScrollHorizontal = s->FScrollHorizontal;
  FScrollVertical = s->FScrollVertical;
  FSelectionRow = s->FSelectionRow;
  FSelectionColumn = s->FSelectionColumn;
  FMoveRow = s->FMoveRow;
  FMoveColumn = s->FMoveColumn;
}
