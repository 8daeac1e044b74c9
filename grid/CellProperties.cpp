#include "grid/CellProperties.h"

#include "grid/BaseGrid.h"

TCellProperties::TCellProperties(TBaseGrid* AOwner, int ACol, int ARow)
    : FOwnerGrid(AOwner), FOwnerCol(ACol), FOwnerRow(ARow), FWordWrap(AOwner ? AOwner->WordWrap() : true) {
  if (AOwner) AOwner->SetHasCellProps(true);
}

void TCellProperties::Assign(const TPersistent* Source) {
  auto* s = dynamic_cast<const TCellProperties*>(Source);
  if (!s) {
    TPersistent::Assign(Source);
    return;
  }
  FIsBaseCell = s->FIsBaseCell;
  FCellSpanX = s->FCellSpanX;
  FCellSpanY = s->FCellSpanY;
  FOwnerRow = s->FOwnerRow;
  FOwnerCol = s->FOwnerCol;
  FObject = s->FObject;
  FAlignment = s->FAlignment;
  FBorderColor = s->FBorderColor;
  FBorderWidth = s->FBorderWidth;
  FBrushColor = s->FBrushColor;
  FBrushStyle = s->FBrushStyle;
  FFontColor = s->FFontColor;
  FFontStyle = s->FFontStyle;
  FFontName = s->FFontName;
  FFontSize = s->FFontSize;
  FReadOnly = s->FReadOnly;
  FEditor = s->FEditor;
  FVAlignment = s->FVAlignment;
  FWordWrap = s->FWordWrap;
  FNodeLevel = s->FNodeLevel;
  FControl = s->FControl;
}

void TCellProperties::Repaint() {
  if (FOwnerGrid) FOwnerGrid->RepaintCell(FOwnerCol, FOwnerRow);
}

void TCellProperties::SetBrushColor(TColor Value) {
  FBrushColor = Value;
  Repaint();
}

void TCellProperties::SetBrushColorTo(TColor Value) {
  FBrushColorTo = Value;
  Repaint();
}

void TCellProperties::SetVAlignment(TVAlignment Value) {
  FVAlignment = Value;
  Repaint();
}

void TCellProperties::SetWordWrap(bool Value) {
  FWordWrap = Value;
  Repaint();
}
