#include "grid/DragDropSettings.h"

#include "grid/AsgDD.h"
#include "grid/GridDropTarget.h"
#include "grid/ProGrid.h"

TDragDropSettings::~TDragDropSettings() {
  // The registration holds the target, which points back at the grid going away.
  if (FRegistered && FGrid) RevokeDragDrop(FGrid);
}

void TDragDropSettings::SetOleDropTarget(bool Value) {
  FOleDropTarget = Value;
  if (!FGrid) return;
  if (Value) {
    if (FRegistered) return;
    if (!FDropTarget) FDropTarget = std::make_shared<TGridDropTarget>(FGrid);
    FRegistered = RegisterDragDrop(FGrid, FDropTarget) == S_OK;
    if (FRegistered) FDropTarget->TakeSettings();
  } else if (FRegistered) {
    RevokeDragDrop(FGrid);
    FRegistered = false;
  }
}

void TDragDropSettings::SetOleDropRTF(bool Value) {
  FOleDropRTF = Value;
  SetAcceptDropRTF(Value);
}

void TDragDropSettings::Assign(const TPersistent* Source) {
  auto* o = dynamic_cast<const TDragDropSettings*>(Source);
  if (!o) return;
#define VELMARIC_DRAG_DROP_COPY(N, D) F##N = o->F##N;
  VELMARIC_DRAG_DROP(VELMARIC_DRAG_DROP_COPY)
#undef VELMARIC_DRAG_DROP_COPY
}
