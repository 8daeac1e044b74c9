// Individual cell borders, the background picture or gradient behind cells and in the empty client
// area, and the XOR lines of column and row sizing.
#include "grid/ProGrid.h"

#include "controls/ProUtilDraw.h"

namespace {

void Line(TCanvas& c, int x1, int y1, int x2, int y2) {
  c.MoveTo(x1, y1);
  c.LineTo(x2, y2);
}

// A dotted line inverting the pixels under it: drawn twice at the same place, it leaves no trace.
void SizingLine(TCanvas& c, int x1, int y1, int x2, int y2) {
  TPen saved;
  saved.Assign(c.Pen());
  // A black pen in XOR mode changes no pixel; white inverts them.
  c.Pen().SetColor(clWhite);
  c.Pen().SetStyle(psDot);
  c.Pen().SetWidth(1);
  c.Pen().SetMode(pmXor);
  Line(c, x1, y1, x2, y2);
  c.Pen().Assign(saved);
}

int PositiveMod(int a, int m) {
  return m > 0 ? ((a % m) + m) % m : 0;
}

// Tiles the picture over target, the tile grid starting at `origin` (client coordinates).
void TilePicture(TCanvas& c, const TBitmap& bmp, const TRect& target, TPoint origin) {
  int w = bmp.Width(), h = bmp.Height();
  if (w <= 0 || h <= 0) return;
  int saved = c.SaveDC();
  c.IntersectClipRect(target);
  int x0 = target.Left - PositiveMod(target.Left - origin.X, w);
  int y0 = target.Top - PositiveMod(target.Top - origin.Y, h);
  for (int y = y0; y < target.Bottom; y += h)
    for (int x = x0; x < target.Right; x += w)
      c.Draw(x, y, bmp);
  c.RestoreDC(saved);
}

} // namespace

void TProStringGrid::DrawCellBorders(TCellPaint& P, TRect R) {
  TCanvas& c = *P.Canvas;
  TPen saved;
  saved.Assign(c.Pen());
  TCellBorders borders;
  GetCellBorder(P.RCol, P.ARow, c.Pen(), borders);
  if (borders.Bits() == 0 && !OnGetCellBorderProp) {
    c.Pen().Assign(saved);
    return;
  }
  TPen left, top, right, bottom;
  left.Assign(c.Pen());
  top.Assign(c.Pen());
  right.Assign(c.Pen());
  bottom.Assign(c.Pen());
  if (OnGetCellBorderProp) OnGetCellBorderProp(this, P.ARow, P.RCol, left, top, right, bottom);

  int h = (c.Pen().Width() + 1) / 2;
  int dx = (Options() & goVertLine) ? h : 0;
  int dy = (Options() & goHorzLine) ? h : 0;
  R.Left += dx;
  R.Bottom -= dy;
  if (borders.Contains(cbLeft)) {
    c.Pen().Assign(left);
    Line(c, std::max(0, R.Left), R.Top, std::max(0, R.Left), R.Bottom);
  }
  R.Right -= dx;
  if (borders.Contains(cbRight)) {
    c.Pen().Assign(right);
    Line(c, R.Right - 1, R.Top, R.Right - 1, R.Bottom);
  }
  if (borders.Contains(cbTop)) {
    c.Pen().Assign(top);
    R.Top += dy;
    int y = GridLineWidth() != 0 ? std::max(0, R.Top - GridLineWidth()) : R.Top + 1;
    Line(c, R.Left, y, R.Right, y);
  }
  if (borders.Contains(cbBottom)) {
    c.Pen().Assign(bottom);
    Line(c, R.Left - GridLineWidth() - 1, R.Bottom - 1, R.Right, R.Bottom - 1);
  }
  c.Pen().Assign(saved);
}

void TProStringGrid::DrawCellBackground(TCellPaint& P, const TRect& R) {
  TCanvas& c = *P.Canvas;
  const TBackGround& bg = FBackGround;
  const bool fixed = (P.State & gdFixed) != 0;
  const bool kindMatches = bg.Cells() == bcAll || (fixed ? bg.Cells() == bcFixed : bg.Cells() == bcNormal);
  if (!kindMatches) return;
  const TCellProperties* props = FindCellProperties(P.RCol, P.ARow);
  const bool ownColor = props && props->BrushColor() != clNone;
  const bool selected = (P.State & gdSelected) != 0;
  const int L = GridLineWidth();

  if (!bg.Bitmap().Empty() && !ownColor && !(selected && FShowSelection)) {
    TRect target{R.Left - (L - 1), R.Top - (L - 1), R.Right, R.Bottom};
    if (bg.Display() == bdTile) {
      // The tiles line up from the first background cell's corner on screen, which costs the same
      // for any row and keeps neighbouring cells seamless.
      int x0 = bg.Cells() == bcNormal ? CellRect(FixedCols(), 0).Left : 0;
      int y0 = bg.Cells() == bcNormal ? CellRect(0, FixedRows()).Top : 0;
      if (bg.Cells() == bcNormal && FixedCols() > 0) x0 = CellRect(FixedCols() - 1, 0).Right;
      if (bg.Cells() == bcNormal && FixedRows() > 0) y0 = CellRect(0, FixedRows() - 1).Bottom;
      TilePicture(c, bg.Bitmap(), target, {x0 - 1, y0 - 1});
    } else {
      int saved = c.SaveDC();
      c.IntersectClipRect(target);
      c.Draw(bg.Left(), bg.Top(), bg.Bitmap());
      c.RestoreDC(saved);
    }
  }

  const bool gradient = bg.Display() == bdGradientHorz || bg.Display() == bdGradientVert;
  const bool focusedCell = (P.State & gdFocused) && !(Options() & goDrawFocusSelected);
  const bool selectedShown = selected && FShowSelection && !focusedCell;
  if (gradient && (!ownColor || HasControlGraphic(P.RCol, P.ARow)) && !selectedShown) {
    TRect target{R.Left - 1, R.Top - L, R.Right, R.Bottom + L - 1};
    bool horz = bg.Display() == bdGradientHorz;
    int extent = horz ? Width() : Height();
    int a = horz ? target.Left : target.Top, b = horz ? target.Right : target.Bottom;
    TColor from = InterpolateColor(bg.Color(), bg.ColorTo(), 0, a, extent);
    TColor to = InterpolateColor(bg.Color(), bg.ColorTo(), 0, b, extent);
    DrawGradient(c, from, to, horz, target, 128);
    c.Brush().SetColor(to);
    c.Pen().SetColor(to);
  }
}

void TProStringGrid::PaintEmptyArea() {
  const TBackGround& bg = FBackGround;
  const bool gradient = bg.Display() == bdGradientHorz || bg.Display() == bdGradientVert;
  if (gradient && bg.ColorTo() == clNone) return;
  const int lastCol = ColCount() - 1, lastRow = RowCount() - 1;
  const bool lastColShown = LeftCol() + VisibleColCount() > lastCol;
  const bool lastRowShown = TopRow() + VisibleRowCount() > lastRow;
  if (!lastColShown && !lastRowShown) return;

  TRect client{0, 0, ClientWidth(), ClientHeight()};
  std::vector<TRect> areas;
  if (lastColShown && lastCol >= 0) {
    int right = CellRect(lastCol, TopRow()).Right + GridLineWidth();
    if (right < client.Right) areas.push_back({right, 0, client.Right, client.Bottom});
  }
  if (lastRowShown && lastRow >= 0) {
    int bottom = CellRect(LeftCol(), lastRow).Bottom + GridLineWidth();
    if (bottom < client.Bottom) areas.push_back({0, bottom, client.Right, client.Bottom});
  }
  if (areas.empty()) return;
  client.Bottom -= SearchPanelHeight();
  if (FFloatingFooter.Visible()) client.Bottom -= FFloatingFooter.Height();

  TCanvas& c = Canvas();
  for (const TRect& area : areas) {
    int saved = c.SaveDC();
    c.IntersectClipRect(area);
    if (bg.Bitmap().Empty()) {
      if (gradient) DrawGradient(c, bg.Color(), bg.ColorTo(), bg.Display() == bdGradientHorz, client, 128);
    } else if (bg.Display() == bdFixed) {
      c.IntersectClipRect(client);
      c.Draw(bg.Left(), bg.Top(), bg.Bitmap());
    } else if (bg.Display() == bdTile && bg.Cells() != bcFixed) {
      TPoint origin{0, 0};
      if (bg.Cells() == bcNormal) {
        TRect first = CellRect(FixedCols(), FixedRows());
        origin = {first.Left + FXYOffset.X, first.Top + FXYOffset.Y};
      }
      TilePicture(c, bg.Bitmap(), client, origin);
    }
    c.RestoreDC(saved);
  }
}

void TProStringGrid::DrawColumnSizeLine(int X) {
  int last = RowCount() - 1;
  int bottom = std::min(Height(), CellRect(LeftCol(), std::min(last, TopRow() + VisibleRowCount())).Bottom);
  if (bottom <= 0) bottom = Height();
  SizingLine(Canvas(), X, 0, X, bottom);
}

void TProStringGrid::DrawRowSizeLine(int Y) {
  int last = ColCount() - 1;
  int right = std::min(Width(), CellRect(std::min(last, LeftCol() + VisibleColCount()), TopRow()).Right);
  if (right <= 0) right = Width();
  SizingLine(Canvas(), 0, Y, right, Y);
}

void TProStringGrid::PaintGridBorder(TCanvas& ACanvas) {
  const bool look = FLook == glSoft || (FLook >= glZUZ && FLook <= glOffice2007);
  if (!look || BorderStyle() == bsNone || FBorderColor == clNone || Flat()) return;
  const int w = ClientWidth(), h = ClientHeight();
  if (w <= 0 || h <= 0) return;
  TPen saved;
  saved.Assign(ACanvas.Pen());
  ACanvas.Pen().SetColor(FBorderColor);
  ACanvas.Pen().SetWidth(1);
  ACanvas.Pen().SetStyle(psSolid);
  ACanvas.Pen().SetMode(pmCopy);
  ACanvas.Polyline({{0, 0}, {w - 1, 0}, {w - 1, h - 1}, {0, h - 1}, {0, 0}});
  ACanvas.Pen().Assign(saved);
}
