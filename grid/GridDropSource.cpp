#include "grid/GridDropSource.h"

#include "grid/GridAuxWindows.h"
#include "grid/ProGrid.h"

void TGridDropSource::CurrentEffect(unsigned dwEffect) {
  if (dwEffect == DROPEFFECT_MOVE || dwEffect == DROPEFFECT_COPY) FLastEffect = dwEffect;
}

void TGridDropSource::QueryDrag() {
  if (!FGrid) return;
  const TPoint pt = DragPointerPos();
  if (FGrid->DragDropSettings().ShowCells()) {
    FGrid->MoveOleDragPicture(pt);
    return;
  }
  FGrid->MoveOleDragButton(pt);
}

void TGridDropSource::DragEnded() {
  TASGDropSource::DragEnded();
  FEndPoint = DragPointerPos();
  if (FGrid && FGrid->DragDropSettings().ShowCells()) FGrid->FreeMoveForm();
}
