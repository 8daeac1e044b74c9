#include "grid/GridAuxWindows.h"

#include "controls/AsgHTMLE.h"
#include "grid/ProGrid.h"
#include "platform/ui/Popup.h"

#include <algorithm>
#include <cmath>

// --- Mark-up hints -------------------------------------------------------------------------------

TRect THTMLHintWindow::CalcHintRect(int MaxWidth, const std::string& AHint, const void*) {
  TBitmap measure;
  measure.SetSize(1, 1);
  measure.Canvas().Font().Assign(Font());
  THTMLDrawParams params;
  params.MeasureOnly = true;
  THTMLDrawResult result;
  DrawHTML(measure.Canvas(), AHint, {0, 0, std::max(1, MaxWidth), 10000}, params, result);
  return {0, 0, result.XSize, result.YSize};
}

void THTMLHintWindow::ActivateHint(const TRect& Rect, const std::string& AHint) {
  FHintText = AHint;
  const TRect text = CalcHintRect(MaxHintWidth, AHint, nullptr);
  FTextHeight = text.Height();
  TRect r{Rect.Left, Rect.Top, Rect.Left + text.Width() + 16, Rect.Top + text.Height() + 4};
  const TRect area = WorkAreaAt({r.Left, r.Top});
  if (r.Right > area.Right) {
    const int shift = r.Right - (area.Right - 2);
    r.Left -= shift;
    r.Right -= shift;
  }
  if (r.Bottom > area.Bottom) {
    const int shift = r.Bottom - (area.Bottom - 2);
    r.Top -= shift;
    r.Bottom -= shift;
  }
  THintWindow::ActivateHint(r, AHint);
}

void THTMLHintWindow::PaintHint(TCanvas& Canvas) {
  const TRect Client = ClientRect();
  Canvas.Brush().SetColor(Color());
  Canvas.FillRect(Client);
  Canvas.Pen().SetColor(cl3DLight);
  Canvas.MoveTo(Client.Left, Client.Bottom - 1);
  Canvas.LineTo(Client.Left, Client.Top);
  Canvas.LineTo(Client.Right - 1, Client.Top);
  Canvas.Pen().SetColor(cl3DDkShadow);
  Canvas.LineTo(Client.Right - 1, Client.Bottom - 1);
  Canvas.LineTo(Client.Left, Client.Bottom - 1);
  const int top = Client.Top + std::max(0, (Client.Height() - FTextHeight) / 2);
  const TRect text{Client.Left + 4, top, Client.Right - 4, top + FTextHeight};
  THTMLDrawParams params;
  params.URLColor = 0xFF0000;
  params.ShadowColor = clGray;
  params.Window = this;
  THTMLDrawResult result;
  Canvas.Font().Assign(Font());
  Canvas.Brush().SetStyle(bsClear);
  DrawHTML(Canvas, FHintText, text, params, result);
}

// --- Scroll indicators ---------------------------------------------------------------------------

namespace {
int RoundEven(double v) {
  return static_cast<int>(std::nearbyint(v));
}
} // namespace

TScrollControl::TScrollControl(TComponent* AOwner) : TCustomControl(AOwner) {}

TProStringGrid* TScrollControl::Grid() const {
  return dynamic_cast<TProStringGrid*>(Parent());
}

void TScrollControl::SetScrollColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  Invalidate();
}

bool TScrollControl::Thumb(int& Start, int& Length) const {
  const TProStringGrid* g = Grid();
  if (!g) return false;
  const bool vertical = FDirection == sdVertical;
  const int count = vertical ? g->RowCount() : g->ColCount();
  const int fixed = vertical ? g->FixedRows() : g->FixedCols();
  const int visible = vertical ? g->VisibleRowCount() : g->VisibleColCount();
  const int first = vertical ? g->TopRow() : g->LeftCol();
  if (count - fixed <= visible || count <= fixed) return false;
  int fixedExtent = 0;
  for (int i = 0; i < fixed; ++i)
    fixedExtent += vertical ? g->RowHeights(i) : g->ColWidths(i);
  int track = vertical ? Height() : Width();
  const int end = track;
  track -= fixedExtent;
  if (vertical)
    for (int i = 0; i < g->FixedFooters(); ++i)
      track -= g->RowHeights(count - 1 - i);
  Start = fixedExtent + RoundEven(static_cast<double>(track) * (first - fixed) / (count - fixed));
  Length = std::max(20, RoundEven(static_cast<double>(track) * visible / count));
  if (Start + Length > end) Start = end - Length;
  return true;
}

void TScrollControl::Paint() {
  int start = 0, length = 0;
  if (!Thumb(start, length)) return;
  TCanvas& c = Canvas();
  c.Pen().SetColor(FColor);
  c.Brush().SetColor(FColor);
  if (FDirection == sdVertical)
    c.Rectangle(0, start, FScrollWidth, start + length);
  else
    c.Rectangle(start, 0, start + length, FScrollWidth);
}

void TScrollControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  TProStringGrid* g = Grid();
  int start = 0, length = 0;
  if (!g || !Thumb(start, length)) return;
  const bool vertical = FDirection == sdVertical;
  const int p = vertical ? Y : X;
  if (p < start) {
    if (vertical)
      g->SetTopRow(std::max(g->FixedRows(), g->TopRow() - g->VisibleRowCount()));
    else
      g->SetLeftCol(std::max(g->FixedCols(), g->LeftCol() - g->VisibleColCount()));
  } else if (p >= start + length) {
    if (vertical)
      g->SetTopRow(std::min(g->TopRow() + g->VisibleRowCount(), g->RowCount() - g->VisibleRowCount()));
    else
      g->SetLeftCol(std::min(g->LeftCol() + g->VisibleColCount(), g->ColCount() - g->VisibleColCount()));
  } else {
    FDownOnScroller = true;
    FDownPos = p;
    FDownRow = vertical ? g->TopRow() : g->LeftCol();
  }
  Invalidate();
}

void TScrollControl::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  TProStringGrid* g = Grid();
  if (!FDownOnScroller || !g) return;
  if (FDirection == sdVertical) {
    const int track = std::max(1, Height() - g->RowHeights(0));
    const int to = FDownRow + RoundEven(static_cast<double>(Y - FDownPos) / track * g->RowCount());
    g->SetTopRow(std::max(g->FixedRows(), std::min(to, g->RowCount() - g->VisibleRowCount())));
  } else {
    const int track = std::max(1, Width() - g->ColWidths(0));
    const int to = FDownRow + RoundEven(static_cast<double>(X - FDownPos) / track * g->ColCount());
    g->SetLeftCol(std::max(g->FixedCols(), std::min(to, g->ColCount() - g->VisibleColCount())));
  }
  Invalidate();
}

void TScrollControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseUp(Button, Shift, X, Y);
  FDownOnScroller = false;
}

// --- Drag header and the form that never activates ------------------------------------------------

THeaderDragButton::THeaderDragButton(TComponent* AOwner, TProStringGrid* Grid)
    : TCustomControl(AOwner), FGrid(Grid) {
  SetColor(clBtnFace);
}

void THeaderDragButton::Paint() {
  TCanvas& c = Canvas();
  const TRect r = ClientRect();
  c.Brush().SetColor(FGrid ? FGrid->FixedColor() : clBtnFace);
  c.FillRect(r);
  c.Brush().SetStyle(bsClear);
  c.Font().Assign(FGrid ? FGrid->FixedFont() : Font());
  const std::string text = Caption();
  if (text.find("</") == std::string::npos) {
    const TSize s = c.TextExtent(text);
    c.TextRect(r, r.Left + std::max(0, (r.Width() - s.cx) / 2), r.Top + std::max(0, (r.Height() - s.cy) / 2), text);
    return;
  }
  THTMLDrawParams params;
  params.Window = this;
  THTMLDrawResult result;
  DrawHTML(c, text, r, params, result);
}

TNoActiveForm::TNoActiveForm(TComponent* AOwner) : TForm(AOwner) {
  SetBorderStyle(bsNone);
  SetEnabled(false);
}
