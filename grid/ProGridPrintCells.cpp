// Printed cells: the size a cell takes on the page, and the drawing of one row of a column strip
// (background, text in its kinds, the cell graphic through the screen painter, borders).
#include "controls/AsgHTMLE.h"
#include "controls/ProUtilCellText.h"
#include "controls/ProUtilDraw.h"
#include "controls/ProUtilText.h"
#include "grid/PrintRun.h"
#include "grid/ProGrid.h"
#include "platform/ui/RichEditText.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

int Round(double x) {
  return static_cast<int>(std::lround(x));
}
int Trunc(double x) {
  return static_cast<int>(std::trunc(x));
}

// Page units of a logical rectangle as the canvas's text mode sees them (device pixels).
TRect ToTextMode(TCanvas& c, const TRect& logical) {
  TPoint pts[2] = {{logical.Left, logical.Top}, {logical.Right, logical.Bottom}};
  LPtoDP(c, pts, 2);
  const int mode = SetMapMode(c, MM_TEXT);
  DPtoLP(c, pts, 2);
  SetMapMode(c, mode);
  return {std::min(pts[0].X, pts[1].X), std::min(pts[0].Y, pts[1].Y), std::max(pts[0].X, pts[1].X),
          std::max(pts[0].Y, pts[1].Y)};
}

unsigned AlignFlags(TAlignment a) {
  return a == taRightJustify ? DT_RIGHT : a == taCenter ? DT_CENTER : DT_LEFT;
}

} // namespace

TPoint TProStringGrid::MeasurePrintCell(TPrintRun& Run, int ACol, int ARow) {
  TCanvas& c = *Run.Canvas;
  std::string text = IsDataGraphicCell(ACol, ARow) ? std::string() : GetFormattedCell(ACol, ARow);
  const int kind = CellTextKind(text, FEnableHTML);
  TPoint size{0, 0};

  if (kind == 1) {
    const int dpiX = std::max(1, GetDeviceCaps(c, LOGPIXELSX)),
              dpiY = std::max(1, GetDeviceCaps(c, LOGPIXELSY));
    const int displ = RealToDisplCol(ACol);
    const int right = FPrintSettings.NoAutoSize() && displ >= 0 ? ColWidths(displ) + 12 : 65535;
    const int mode = SetMapMode(c, MM_TEXT);
    const TFont keep = c.Font();
    c.Font().SetSize(FPrintSettings.Font().Size());
    THTMLDrawParams p;
    p.MeasureOnly = true;
    p.Print = true;
    p.ScaleFactor = Run.Ratio;
    p.Images = GetGridImages();
    p.URLColor = FURLColor;
    THTMLDrawResult res;
    DrawHTML(c, text, {0, 0, Round(right * Run.Ratio), 65535}, p, res);
    c.Font().Assign(keep);
    SetMapMode(c, mode);
    size = {Round(res.XSize * 254.0 / dpiX), Round(res.YSize * 254.0 / dpiY) - Round(Run.h8 * Run.L)};
  } else {
    if (kind == 2) text = RichTextToPlain(text);
    if (kind == 3) text = GetCalculatedCell(ACol, ARow);
    const TFont keep = c.Font();
    TGridDrawState state = 0;
    TBrush brush;
    TColor colorTo, mirror, mirrorTo;
    TAlignment ha = taLeftJustify;
    TVAlignment va = vtaTop;
    bool wordWrap = false;
    TCellGradientDirection gd = GradientVertical;
    TFont font;
    const int displ = RealToDisplCol(ACol);
    GetVisualProperties(displ >= 0 ? displ : ACol, ARow, state, true, false, true, brush, colorTo, mirror,
                        mirrorTo, font, ha, va, wordWrap, gd);
    c.Font().Assign(font);
    c.Font().SetHeight(MapFontHeight(font.Size()));
    GetCellWordWrap(ACol, ARow, wordWrap);
    int angle = 0;
    const bool rotated = IsRotated(ACol, ARow, angle);

    TPoint graphic{0, 0};
    if (FPrintSettings.PrintGraphics()) {
      TCellVAlign gva;
      TCellHAlign gha;
      bool textToo;
      int gh = 0, gwid = 0;
      if (GetCellGraphicInfo(ACol, ARow, gva, gha, textToo, gh, gwid))
        graphic = {Round(gwid * Run.L), Round(gh * Run.L)};
    }
    if (text.empty()) text = "gh";
    int widest = 0, height = 0;
    if (!wordWrap || !FPrintSettings.NoAutoSize() || rotated) {
      const int lineHeight = c.TextHeight("gh");
      int lines = 0;
      std::string rest = text;
      do {
        std::string line = TakeFirstLine(rest, FMultilineCells);
        if (FURLShow && !FURLFull) StripURLScheme(line);
        widest = std::max(widest, c.TextWidth(line));
        ++lines;
      } while (!rest.empty());
      size = {widest + graphic.X, lineHeight * lines};
      height = size.Y;
    } else {
      const int column =
          displ >= 0 && displ < static_cast<int>(FPrintColWidths.size()) ? FPrintColWidths[displ] : 0;
      TRect r{0, 0, IsXMergedCell(ACol, ARow) ? 65535 : column, -50};
      const int h = c.DrawText(text, r, BiDiDrawTextFlags(DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX, 0));
      size = {r.Right - r.Left, std::abs(h)};
      widest = size.X;
      height = size.Y;
    }
    if (rotated) {
      const double t = angle * std::numbers::pi / 180.0;
      size = {std::abs(Round(std::cos(t) * size.X)) + std::abs(Round(std::sin(t) * height)),
              std::abs(Round(std::sin(t) * widest)) + std::abs(Round(std::cos(t) * height))};
    }
    size.Y = std::max(size.Y, graphic.Y);
    size.X = std::max(size.X, graphic.X);
    c.Font().Assign(keep);
  }
  if (OnCustomCellSize) OnCustomCellSize(this, c, ACol, ARow, size, true);
  return size;
}

void TProStringGrid::PrintCellGraphic(TPrintRun& Run, const TRect& R, int ACol, int ARow, TAlignment HA,
                                      TVAlignment VA) {
  // The screen painter places and draws the graphic in screen pixels; a mapping of its own turns
  // those pixels into the cell's place on the page.
  TCanvas& c = *Run.Canvas;
  const TRect device = ToTextMode(c, R);
  TPoint corner{R.Left, R.Top};
  LPtoDP(c, &corner, 1);
  const int dpiX = std::max(1, GetDeviceCaps(c, LOGPIXELSX)),
            dpiY = std::max(1, GetDeviceCaps(c, LOGPIXELSY));
  const int saved = c.SaveDC();
  TPoint viewOrg;
  SetViewportOrgEx(c, 0, 0, &viewOrg);
  SetMapMode(c, MM_ANISOTROPIC);
  SetWindowExtEx(c, ScreenPixelsPerInch, ScreenPixelsPerInch);
  SetViewportExtEx(c, dpiX, dpiY);
  SetWindowOrgEx(c, 0, 0);
  SetViewportOrgEx(c, corner.X, corner.Y);
  const int w = (device.Right - device.Left) * ScreenPixelsPerInch / dpiX;
  const int h = (device.Bottom - device.Top) * ScreenPixelsPerInch / dpiY;
  TRect cell{0, 0, w, h};
  DrawCellGraphic(c, cell, ACol, ARow, HA, VA, 0, 0);
  c.RestoreDC(saved);
  SetViewportOrgEx(c, viewOrg.X, viewOrg.Y);
}

int TProStringGrid::PrintRow(TPrintRun& Run, int Y, int First, int Last, int ARow) {
  TPrintSettings& ps = FPrintSettings;
  const int rowHeight = PrintRowHeight(Run, ARow);
  const int RH = 2 * Run.h8 + rowHeight + ps.RowSpacing();
  const bool inRange = Run.P + 1 >= FPrintPageFrom && Run.P + 1 <= FPrintPageTo;
  if (!Run.Drawing() || !inRange) return RH;
  TCanvas& c = *Run.Canvas;
  FFontscalefactor = Run.Fit;
  const std::vector<int>& ind = FPrintColOffsets;
  const int m = Run.m;
  const int stripRight = Run.W;
  const bool printing = Run.Mode == 1 && FPrintJob;
  // A row taller than the page's space is cut at the bottom margin.
  const int floor = Run.B + ps.FooterSize();
  const bool cut = Y - RH < floor;
  int clipSave = 0;
  if (cut) {
    clipSave = c.SaveDC();
    c.IntersectClipRect({0, Y, Run.W, floor});
  }
  auto rowAdvance = [&](int r) {
    const int x = Trunc((RowHeights(r) - 4) * Run.L);
    return x + x / 8 + 2 * Run.h8 + ps.RowSpacing();
  };

  for (int col = First; col <= Last; ++col) {
    if (!IsPrintedCol(Run, col)) continue;
    const int ACol = DisplToRealCol(col);
    if (ACol < 0) continue;
    const TPoint ext = CellExt(ACol, ARow);
    const TPoint span = CellSpan(ACol, ARow);
    int CW = 0;
    for (int k = col; k <= col + std::max(0, ext.X) && k < static_cast<int>(FPrintColWidths.size()); ++k)
      CW += FPrintColWidths[k] + m;
    int CH = 0;
    if (ps.NoAutoSizeRow()) {
      if (ext.Y <= 0)
        CH = RH;
      else
        for (int k = ARow; k <= ARow + ext.Y && k < RowCount(); ++k)
          CH += rowAdvance(k);
    } else {
      CH = RH;
      for (int k = ARow + 1; k <= ARow + std::max(0, ext.Y) && k < RowCount(); ++k)
        CH += rowAdvance(k);
    }
    TRect R{ind[col], Y, ind[col] + CW, Y - CH};

    // Borders of the scheme, which the form may change.
    TCellBorders borders;
    if (ps.Borders() == pbSingle || ps.Borders() == pbDouble)
      borders = {cbTop, cbLeft, cbRight, cbBottom};
    else if (ps.Borders() == pbHorizontal || ps.Borders() == pbAroundHorizontal)
      borders = {cbTop, cbBottom};
    else if (ps.Borders() == pbVertical || ps.Borders() == pbAroundVertical)
      borders = {cbLeft, cbRight};
    TPen borderPen;
    borderPen.SetWidth(1);
    borderPen.SetColor(ps.BorderColor());
    GetCellPrintBorder(ACol, ARow, borderPen, borders);

    if (IsBaseCell(ACol, ARow)) {
      TGridDrawState state = 0;
      TColor colorTo = clNone, mirror = clNone, mirrorTo = clNone;
      TAlignment ha = taLeftJustify;
      TVAlignment va = vtaTop;
      bool wordWrap = false;
      TCellGradientDirection gd = GradientVertical;
      TFont font;
      font.Assign(c.Font());
      GetVisualProperties(col, ARow, state, true, false, true, c.Brush(), colorTo, mirror, mirrorTo, font, ha,
                          va, wordWrap, gd);
      c.Font().Assign(font);
      c.Font().SetHeight(MapFontHeight(font.Size()));
      GetCellWordWrap(ACol, ARow, wordWrap);

      // Background, leaving the neighbours' border lines visible.
      TRect fill = R;
      const int pw = 2 * borderPen.Width();
      if (!borders.Contains(cbLeft)) fill.Left += pw;
      if (!borders.Contains(cbTop)) fill.Top -= pw;
      c.Brush().SetStyle(bsSolid);
      if (colorTo != clNone)
        DrawGradient(c, c.Brush().Color(), colorTo, false, fill, 64);
      else
        c.FillRect(fill);

      std::string text = IsDataGraphicCell(ACol, ARow) ? std::string() : GetFormattedCell(ACol, ARow);
      const int kind = CellTextKind(text, FEnableHTML);
      if (kind == 3) text = GetCalculatedCell(ACol, ARow);
      CalcCellAlignment(ACol, ARow, ha, va);
      int angle = 0;
      const bool rotated = IsRotated(ACol, ARow, angle);
      int LH = c.TextHeight("gh") + ps.RowSpacing();
      LH += LH / 8;

      TRect textRect = R;
      TCellVAlign gva = vaTop;
      TCellHAlign gha = haLeft;
      bool textToo = true;
      int gh = 0, gwid = 0;
      const TCellGraphic* graphic =
          ps.PrintGraphics() ? GetCellGraphicInfo(ACol, ARow, gva, gha, textToo, gh, gwid) : nullptr;
      if (graphic) {
        const int gW = Round(gwid * Run.L), gH = Round(gh * Run.L);
        if (graphic->CellType() == ctRadio) text.clear();
        if (gha == haLeft || gha == haBeforeText) textRect.Left += gW + Round(Run.L);
        if (gha == haRight || gha == haAfterText) textRect.Right -= gW + Round(Run.L);
        if (gva == vaUnderText) textRect.Bottom += gH;
        if (gva == vaAboveText) textRect.Top -= gH;
      }

      c.Brush().SetStyle(bsClear);
      const int clipRight = std::min(textRect.Right, stripRight);
      const int lines = CountTextLines(text, FMultilineCells);
      const int gw = Run.gw;
      if (kind == 1) {
        TRect hr = ToTextMode(c, {textRect.Left, textRect.Top, textRect.Right - gw - Round(2 * Run.L),
                                  textRect.Bottom - Round(Run.h8 * Run.L)});
        const int mode = SetMapMode(c, MM_TEXT);
        c.Font().SetSize(Trunc(font.Size() * Run.Fit));
        THTMLDrawParams p;
        p.Print = true;
        p.ScaleFactor = Run.Ratio;
        p.Images = GetGridImages();
        p.URLColor = FURLColor;
        THTMLDrawResult res;
        DrawHTML(c, text, hr, p, res);
        SetMapMode(c, mode);
      } else if (kind == 2) {
        DrawRichCell(ACol, ARow, textRect, c);
      } else if (wordWrap && ps.NoAutoSize() && !rotated) {
        TRect r{textRect.Left + Round(2 * Run.L) + gw, textRect.Top, clipRight - gw, textRect.Bottom};
        c.DrawText(text, r,
                   BiDiDrawTextFlags(
                       DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX | DT_EDITCONTROL | AlignFlags(ha), 0));
      } else if (lines <= 1) {
        if (FURLShow && !FURLFull) StripURLScheme(text);
        // The cell over its merged rows and columns: its text, at any alignment, stays inside
        // and clear of the next row (the y axis runs upward).
        const TRect r{textRect.Left, textRect.Top, clipRight, textRect.Bottom};
        if (rotated) {
          const double t = angle * std::numbers::pi / 180.0;
          const int width = c.TextWidth(text);
          // Turned text keeps the text inset gw on every side, clear of the border lines.
          TRect o{r.Left + gw, r.Top - gw, r.Right - gw, r.Bottom + gw};
          RotatedTextOrigin(o,
                            ha == taRightJustify ? 1
                            : ha == taCenter     ? 2
                                                 : 0,
                            va == vtaBottom   ? 2
                            : va == vtaCenter ? 1
                                              : 0,
                            -std::abs(Trunc(std::cos(t) * LH)), -std::abs(Trunc(std::sin(t) * width)),
                            std::abs(Trunc(std::sin(t) * LH)), std::abs(Trunc(std::cos(t) * width)), angle);
          int escapement = angle * 10;
          // Drivers that turn landscape pages by 90 degrees turn text the other way.
          if (printing && FPrinterDriverFix && FPrintJob->LandscapeAngle() != 270) escapement = -escapement;
          RotatedTextOut(c, o.Left, o.Top, escapement, text);
        } else if (FEnhTextSize && ps.NoAutoSize()) {
          TRect e{r.Left + gw + XYOffset().X, r.Top - XYOffset().Y, r.Right - gw, r.Bottom};
          c.DrawText(text, e, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX | AlignFlags(ha));
        } else {
          TRect e{r.Left + gw, r.Top - Run.h8, r.Right - gw, r.Bottom + Run.h8};
          const unsigned v = va == vtaCenter ? DT_VCENTER : va == vtaBottom ? DT_BOTTOM : DT_TOP;
          c.DrawText(text, e, BiDiDrawTextFlags(DT_SINGLELINE | DT_NOPREFIX | AlignFlags(ha) | v, 0));
        }
      } else {
        const int step = LH - ps.RowSpacing();
        int offset = 0;
        if (!IsMergedCell(ACol, ARow)) {
          if (va == vtaCenter) offset = (RH - step * lines) / 2;
          if (va == vtaBottom) offset = RH - step * lines;
        }
        std::string rest = text;
        int y = textRect.Top - offset;
        do {
          std::string line = TakeFirstLine(rest, FMultilineCells);
          const int tw = c.TextWidth(line);
          const int x = ha == taRightJustify ? textRect.Right - gw - tw
                        : ha == taCenter     ? (textRect.Left + textRect.Right - tw) / 2
                                             : textRect.Left + gw;
          c.TextOut(x, y, line);
          y -= step;
        } while (!rest.empty());
      }
      c.Brush().SetStyle(bsSolid);
      if (graphic) PrintCellGraphic(Run, R, ACol, ARow, ha, va);

      if (OnCustomCellDraw) {
        const TRect dr = ToTextMode(c, {R.Left, Y, R.Right, Y - RH});
        const int mode = SetMapMode(c, MM_TEXT);
        c.Font().SetSize(ps.Font().Size());
        OnCustomCellDraw(this, c, ACol, ARow, 0, dr, true);
        SetMapMode(c, mode);
      }
    }

    // Border lines of every printed cell.
    if (!IsBaseCell(ACol, ARow)) {
      if (span.X > 0) {
        borders.Exclude(cbLeft);
        borders.Exclude(cbRight);
      }
      if (span.Y > 0) {
        borders.Exclude(cbTop);
        borders.Exclude(cbBottom);
      }
    }
    if (IsYMergedCell(ACol, ARow) && ext.Y <= 0 && !IsBaseCell(ACol, ARow)) borders.Exclude(cbTop);
    if (IsXMergedCell(ACol, ARow) && ext.X <= 0 && !IsBaseCell(ACol, ARow)) borders.Exclude(cbLeft);
    if (borders.Bits() == 0) continue;
    c.Pen().Assign(borderPen);
    if (printing) c.Pen().SetWidth(std::max(1, Round(borderPen.Width() * Run.L)));
    TRect b = R;
    if (b.Bottom < Run.B + ps.FooterSize()) {
      b.Bottom = Y - RH;
      borders.Exclude(cbBottom);
    }
    if (b.Right > Run.W) b.Right = Run.W;
    const int pw = c.Pen().Width();
    if (borders.Contains(cbLeft)) {
      const int x = col != Run.v ? b.Left - pw : b.Left;
      c.MoveTo(x, b.Top);
      c.LineTo(x, b.Bottom);
    }
    if (borders.Contains(cbRight)) {
      c.MoveTo(b.Right, b.Top);
      c.LineTo(b.Right, b.Bottom);
    }
    if (borders.Contains(cbTop)) {
      c.MoveTo(b.Left, b.Top);
      c.LineTo(b.Right, b.Top);
    }
    if (borders.Contains(cbBottom)) {
      c.MoveTo(b.Left, b.Bottom);
      c.LineTo(b.Right, b.Bottom);
    }
  }
  if (cut) c.RestoreDC(clipSave);
  FFontscalefactor = 1.0;
  return RH;
}
