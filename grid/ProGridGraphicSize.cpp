// How much room a cell's graphic takes on screen, for sizing rows and columns and for painting.
#include "grid/ProGrid.h"

#include "platform/StringList.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Graphics.h"

#include <algorithm>

void TProStringGrid::CalcCellGraphicSize(int ACol, int ARow, TPoint& Size, int Reserve) {
  Size = {0, 0};
  TCellGraphic* g = GetCellGraphic(ACol, ARow);
  if (!g) return;
  const bool noText = Cells(ACol, ARow).empty();
  const bool beside = g->CellHAlign() == haBeforeText || g->CellHAlign() == haAfterText;
  const bool over = g->CellVAlign() == vaUnderText || g->CellVAlign() == vaAboveText;
  TCanvas& c = Canvas();
  const int xOffset = 2 * XYOffset().X;
  const int yOffset = 2 * XYOffset().Y;
  const TSize cell = CellSize(ACol, ARow);
  bool keepWidth = false;
  switch (g->CellType()) {
  case ctIcon:
    if (TBitmap* icon = g->CellIcon()) Size = {beside || noText ? icon->Width() : 0, icon->Height()};
    break;
  case ctBitmap:
    if (TBitmap* bmp = g->CellBitmap())
      Size = {beside || noText ? bmp->Width() : 0, over || noText ? bmp->Height() : 0};
    break;
  case ctPicture:
  case ctFilePicture:
    Size = g->GetPictureSize(cell.cx - (xOffset + 1), cell.cy - (yOffset + Reserve + 1), !noText);
    break;
  case ctButton:
  case ctBitButton: {
    const int bw = g->CellIndex() & 0xFFFF;
    const int bh = static_cast<int>(static_cast<unsigned>(g->CellIndex()) >> 16);
    if (noText) {
      Size = {bw, bh};
      if (g->CellHAlign() == haFull) {
        if (!g->CellText().empty()) keepWidth = true;
        Size.X = c.TextWidth(g->CellText()) + 4;
      }
    } else {
      Size.X = g->CellHAlign() == haCenter ? 0
               : g->CellHAlign() == haFull ? c.TextWidth(g->CellText()) + 4
                                           : bw;
      if (over) Size.X = 0;
      Size.Y = over ? bh : 0;
    }
    break;
  }
  case ctInterface:
    Size = {cell.cx, cell.cy};
    break;
  case ctProgressPie:
    Size = {20, 20};
    break;
  case ctRadioButton:
    Size = {ControlLook().RadioSize(), ControlLook().RadioSize()};
    break;
  case ctCheckBox:
  case ctDataCheckBox:
  case ctVirtCheckBox:
  case ctRowCheckBox:
  case ctTriStateCheckBox:
    Size = {ControlLook().CheckSize(), ControlLook().CheckSize()};
    break;
  case ctRadio: {
    const TStringList* items = g->CellStrings();
    const int n = items ? items->Count() : 0;
    const int h = c.TextHeight("gh");
    if (g->CellBoolean()) {
      for (int i = 0; i < n; ++i)
        Size.X += c.TextWidth(items->Strings(i)) + 12;
      Size.Y = h;
    } else {
      Size.X = 12;
      for (int i = 0; i < n; ++i)
        Size.X = std::max(Size.X, c.TextWidth(items->Strings(i)) + 12);
      Size.Y = std::max(16, h) * n;
    }
    break;
  }
  case ctRating:
    Size = {g->CellAngle() * 18, 16};
    keepWidth = true;
    break;
  default:
    break; // image-list kinds take room only once an image list is given
  }
  if (g->CellVAlign() == vaFull) Size.Y = CellRect(RealToDisplCol(ACol), ARow).Height();
  if (g->CellHAlign() == haFull && !keepWidth) Size.X = CellRect(RealToDisplCol(ACol), ARow).Width();
}
