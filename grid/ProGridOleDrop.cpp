// The drop indicators of the string grid: the arrows beside a drop's target and the header that
// follows a dragged column.
#include "grid/GridAuxWindows.h"
#include "grid/ProGrid.h"
#include "grid/TArrowWindow.h"

namespace {

// The arrows stand beside cells at the grid's edges too, so they sit on the form over the grid.
void RaiseToForm(TControl& control, TProStringGrid& grid) {
  if (TForm* form = GetParentForm(&grid)) control.SetParent(form);
}

} // namespace

TArrowWindow* TProStringGrid::DropArrow(TArrowDirection Dir) {
  TArrowWindow*& arrow = FDropArrows[Dir];
  if (!arrow) {
    arrow = new TArrowWindow(this, Dir);
    RaiseToForm(*arrow, *this);
  }
  return arrow;
}

void TProStringGrid::HideDropArrows() {
  for (TArrowWindow* arrow : FDropArrows)
    if (arrow) arrow->SetVisible(false);
}

THeaderDragButton* TProStringGrid::MoveButton() {
  if (!FMoveButton) {
    FMoveButton = new THeaderDragButton(this, this);
    FMoveButton->SetVisible(false);
    RaiseToForm(*FMoveButton, *this);
  }
  return FMoveButton;
}
