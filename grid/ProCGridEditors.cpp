// What a column definition gives the grid's spin editor and edit link.
#include "grid/GridSpin.h"
#include "grid/ProCGrid.h"

void TProColumnGrid::ApplyColumnEditor(const TGridColumnItem& Item) {
  switch (Item.Editor()) {
  case edSpinEdit:
  case edFloatSpinEdit:
  case edTimeSpinEdit:
  case edDateSpinEdit: {
    // Painting asks for every cell: the spin editor is made only for a spin column.
    TGridSpin* spin = SpinEdit();
    spin->SetMinValue(Item.SpinMin());
    spin->SetMaxValue(Item.SpinMax());
    spin->SetIncrement(Item.SpinStep());
    break;
  }
  default:
    break;
  }
  if (Item.EditLink()) SetEditLink(Item.EditLink());
}
