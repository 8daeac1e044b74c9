// The base grid's cell painter: backgrounds, selection faces, grid lines and merged areas.
#include "grid/BaseGrid.h"

#include "controls/ProUtilDraw.h"

namespace {

// Colours of a selection face: fill from, to, mirror from, to, top line, bottom line, border, corner.
struct TFaceColors {
  TColor From, To, Mirror, MirrorTo, TopLine, BottomLine, Border, Corner;
};

TFaceColors SelectionFace(TGridSelectionStyle style, bool focused) {
  if (!focused) return {0xF8F8F8, 0xE5E5E5, clNone, clNone, 0xFBFAFA, 0xF0F0F0, 0xD9D9D9, 0xEFEFEF};
  switch (style) {
  case ssWin7:
    return {0xFCEBDC, 0xFCDBC1, clNone, clNone, 0xFDF4EB, 0xFDEADB, 0xCEA27D, 0xE0C5AE};
  case ssOffice2007:
    return {0xD7FFFD, 0x58D4FC, 0x58D4FC, 0xB3F1FC, 0xF4FEFF, 0xCAF8FF, 0x8DD7D3, 0xC3D9DF};
  default:
    return {0xFDF8F1, 0xFCEFD5, clNone, clNone, 0xFDFBF6, 0xFDF5E7, 0xFDDE99, 0xFCEDCB};
  }
}

} // namespace

void TBaseGrid::Paint() {
  TStringGrid::Paint();
  ++FPaintID;
}

void TBaseGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
  PaintCellCore(Canvas(), ACol, ARow, ARect, AState, true);
}

void TBaseGrid::PaintCell(TCanvas& ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState) {
  PaintCellCore(ACanvas, ACol, ARow, ARect, AState, true);
}

void TBaseGrid::PaintCellExt(TCanvas& ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState) {
  PaintCellCore(ACanvas, ACol, ARow, ARect, AState, false);
}

void TBaseGrid::DrawCellContent(TCanvas& ACanvas, int ACol, int ARow, const TRect& Rect,
                                TGridDrawState State) {
  TRect r = Rect;
  ACanvas.Brush().SetStyle(bsClear);
  ACanvas.DrawText(Cells(ACol, ARow), r, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
  ACanvas.Brush().SetStyle(bsSolid);
}

void TBaseGrid::PaintCellCore(TCanvas& Canvas, int ACol, int ARow, TRect R, TGridDrawState State, bool Full) {
  // The footer's row shows nothing of its own.
  if (ARow == RowCount() - 1 && FHideLastRow) {
    Canvas.Brush().SetStyle(bsSolid);
    Canvas.Brush().SetColor(Color());
    Canvas.Pen().SetColor(Color());
    Canvas.FillRect(R);
    return;
  }
  // A covered cell paints its area once per pass, through whichever covered cell comes first.
  int bc = ACol, br = ARow;
  if (!ResolveBaseCell(ACol, ARow, bc, br)) {
    TCellProperties* base = FindCellProperties(bc, br);
    if (base && base->PaintID() != FPaintID) {
      base->SetPaintID(FPaintID);
      PaintCell(Canvas, bc, br, R, State);
    }
    return;
  }

  if (Full && IsFixed(ACol, ARow)) {
    State |= gdFixed;
    State &= ~gdSelected;
  }
  if (Full) R = CellRect(ACol, ARow);

  // An area scrolled partly under the fixed cells must not paint over them. Only on the grid
  // itself: on another canvas the rectangle is the caller's and nothing lies under it.
  int fw = ACol >= FixedCols() ? FixedColsWidth() : 0;
  int fh = ARow >= FixedRows() ? FixedRowsHeight() : 0;
  bool clip = &Canvas == &this->Canvas() && ((ACol >= FixedCols() && FixedCols() > 0 && R.Left < fw) ||
                                             (ARow >= FixedRows() && FixedRows() > 0 && R.Top < fh));
  int saved = 0;
  if (clip) {
    saved = Canvas.SaveDC();
    Canvas.IntersectClipRect({fw, fh, Width(), Height()});
  }

  bool selected = (State & gdSelected) != 0;
  bool fixed = (State & gdFixed) != 0;
  Canvas.Pen().SetWidth(1);
  Canvas.Pen().SetStyle(psSolid);
  Canvas.Font().Assign(Font());
  Canvas.Brush().SetStyle(bsSolid);
  // Starting looks for a grid whose descendant sets none: fixed, selected, the cell's own colour.
  TColor colorTo = clNone, mirror = clNone, mirrorTo = clNone;
  TAlignment ha = taLeftJustify;
  TVAlignment va = vtaTop;
  bool ww = FWordWrap;
  TCellGradientDirection gd = GradientVertical;
  TColor back = Color();
  if (fixed) {
    back = FixedColor();
  } else if (selected && FSelectionStyle == ssDefault && FShowSel) {
    back = clHighlight;
    Canvas.Font().SetColor(clHighlightText);
  } else if (const TCellProperties* p = FindCellProperties(ACol, ARow); p && p->BrushColor() != clNone) {
    back = p->BrushColor();
    colorTo = p->BrushColorTo();
    gd = p->GradientDirection();
  }
  Canvas.Brush().SetColor(back);
  GetVisualProperties(ACol, ARow, State, false, true, true, Canvas.Brush(), colorTo, mirror, mirrorTo,
                      Canvas.Font(), ha, va, ww, gd);
  selected = (State & gdSelected) != 0;
  fixed = (State & gdFixed) != 0;
  Canvas.Pen().SetColor(Canvas.Brush().Color());

  if (ARow == FHoverRowIdx && FHoverRow && !(selected && !FHoverRowCells.Contains(hcSelected)) &&
      !(fixed && !FHoverRowCells.Contains(hcFixed))) {
    Canvas.Brush().SetColor(FHoverRowColor);
    colorTo = FHoverRowColorTo;
    mirror = mirrorTo = clNone;
    gd = GradientVertical;
  }
  if ((FActiveRowShow && ARow == Row() && (ACol != Col() || !FShowSel) && ACol >= FixedCols()) ||
      (!Full && selected)) {
    Canvas.Brush().SetColor(FActiveRowColor);
    colorTo = FActiveRowColorTo;
    mirror = FActiveRowMirrorColor;
    mirrorTo = FActiveRowMirrorColorTo;
    Canvas.Pen().SetColor(Canvas.Brush().Color());
  }

  if (selected && FSelectionStyle != ssDefault && FShowSel) {
    TGridRect sel = Selection();
    int l = std::min(sel.Left, sel.Right), rt = std::max(sel.Left, sel.Right);
    int kind = 0;
    if (l == ACol && ACol < rt)
      kind = 1;
    else if (rt == ACol && ACol > l)
      kind = 2;
    else if (l < ACol && ACol < rt)
      kind = 3;
    TRect f = R;
    if (!(Options() & goHorzLine)) ++f.Bottom;
    if (!(Options() & goVertLine)) ++f.Right;
    TFaceColors c = SelectionFace(FSelectionStyle, Focused() || (Options() & goDrawFocusSelected));
    DrawSegmentButtonFace(Canvas, f, kind, c.From, c.To, c.Mirror, c.MirrorTo, Color(), c.Corner, c.Border,
                          c.TopLine, c.BottomLine);
    if (OnSelectionSegment) OnSelectionSegment(ACol, ARow, kind);
  } else if (!(IsStyled() && (fixed || selected))) {
    if (mirrorTo == clNone)
      DrawGradient(Canvas, Canvas.Brush().Color(), colorTo, gd == GradientHorizontal, R, 64);
    else
      DrawMirrorGradientRect(Canvas, R, Canvas.Brush().Color(), true, false, clNone, true, mirrorTo, mirror,
                             colorTo);
  }

  // Lines inside the cell: right and bottom edge.
  int h = 1;
  if (fixed) {
    Canvas.Pen().SetColor(FGridFixedLineColor);
    Canvas.Pen().SetWidth(1);
  } else {
    if (FGridLineWidth > 0) Canvas.Pen().SetColor(FGridLineColor);
    Canvas.Pen().SetWidth(FGridLineWidth);
    h = (FGridLineWidth + 1) / 2;
  }
  TGridOptions o = Options();
  if (!(bc == 0 && HasNodes()) && (((o & goHorzLine) && !fixed) || ((o & goFixedHorzLine) && fixed))) {
    Canvas.MoveTo(R.Left - h + 1, R.Bottom - h);
    Canvas.LineTo(R.Right - h + 1, R.Bottom - h);
  }
  if (((o & goVertLine) && !fixed) || ((o & goFixedVertLine) && fixed)) {
    Canvas.MoveTo(R.Right - h, R.Bottom - h);
    Canvas.LineTo(R.Right - h, R.Top - h);
  }

  TRect content = R;
  if (fixed) {
    content.Right -= 1;
    content.Bottom -= 2;
  } else {
    content = {R.Left + FGridLineWidth, R.Top + FGridLineWidth, R.Right - FGridLineWidth,
               R.Bottom - FGridLineWidth};
  }
  if (Full) DrawCellContent(Canvas, ACol, ARow, content, State);
  if (clip) Canvas.RestoreDC(saved);
  Canvas.Brush().SetStyle(bsSolid);
  Canvas.Pen().SetStyle(psSolid);
}
