// The string grid's cell painter: the layers of one cell in their order (fixed looks, indicators,
// editor buttons, text, borders, edges, graphic, drawing events, focus rectangle), and the paint of
// the whole grid around it. Only visible cells are painted; nothing is cached between paints.
#include "grid/ProGrid.h"

#include "controls/ProUtilDraw.h"
#include "grid/GlyphDraw.h"
#include "platform/ui/ThemeDraw.h"

namespace {

// Header parts of the visual styles.
constexpr int HP_HEADERITEM = 1, HP_HEADERITEMRIGHT = 3;
constexpr int HIS_NORMAL = 1, HIS_HOT = 2, HIS_PRESSED = 3;

bool GradientLook(TGridLook look) {
  return look == glZUZ || look == glXP || look == glVista || look == glWin7 || look == glOffice2007;
}

void Line(TCanvas& c, int x1, int y1, int x2, int y2) {
  c.MoveTo(x1, y1);
  c.LineTo(x2, y2);
}

// A vertical scroll bar in r: arrow buttons at both ends and the thumb on the track between.
void DrawCellScrollBar(TCanvas& c, const TRect& r, int page, int range, int position) {
  const int w = r.Right - r.Left;
  TRect up{r.Left, r.Top, r.Right, r.Top + std::min(w, (r.Bottom - r.Top) / 2)};
  TRect down{r.Left, r.Bottom - (up.Bottom - up.Top), r.Right, r.Bottom};
  TColor keep = c.Brush().Color();
  c.Brush().SetColor(0xF0F0F0);
  c.FillRect({r.Left, up.Bottom, r.Right, down.Top});
  c.Brush().SetColor(keep);
  DrawFrameControl(c, up, DFC_SCROLL, DFCS_SCROLLUP);
  DrawFrameControl(c, down, DFC_SCROLL, DFCS_SCROLLDOWN);
  const int track = down.Top - up.Bottom;
  if (track <= 8 || range <= 0) return;
  const int thumb = std::max(8, track * page / range);
  const int free = track - thumb;
  const int span = std::max(1, range - page);
  const int offset = free * std::clamp(position, 0, span) / span;
  TRect t{r.Left, up.Bottom + offset, r.Right, up.Bottom + offset + thumb};
  DrawFrameControl(c, t, DFC_BUTTON, DFCS_BUTTONPUSH);
}

} // namespace

void TProStringGrid::PaintGrid() {
  TCanvas& c = Canvas();
  c.Pen().SetStyle(psSolid);
  c.Brush().SetStyle(bsSolid);
  TBaseGrid::Paint();
  if (EditorMode() && InplaceEditor() && InplaceEditor()->Visible()) {
    TGridOptions o = Options();
    bool lines = GridLineWidth() >= 1 && (o & (goHorzLine | goVertLine));
    c.Pen().SetColor(lines ? GridLineColor() : Color());
    c.Brush().SetStyle(bsClear);
    c.Rectangle(CellRect(Col(), Row()));
    c.Brush().SetStyle(bsSolid);
  }
  c.Pen().SetColor(clBlack);
  if (!FBackGround.Bitmap().Empty() || FBackGround.ColorTo() != clNone) PaintEmptyArea();
  PaintGridBorder(c);
  if (OnPainted) OnPainted(this);
}

void TProStringGrid::DrawTreeLines(TCellPaint& P) {
  if (!FCellNode.ShowTree()) return;
  TCanvas& c = *P.Canvas;
  TRect& R = P.Rect;
  const int ARow = P.ARow;
  const int ni = FCellNode.NodeIndent();
  const int L = GetRowIndent(ARow);
  const int x = L + ni / 2 - ni + 2;
  const int level = ni > 0 ? L / ni : 0;
  R.Left = L;
  const int mid = R.Top + (R.Bottom - R.Top) / 2;
  c.Pen().SetColor(FCellNode.TreeColor());
  c.Pen().SetWidth(1);
  if (level > 0) Line(c, x, mid, FCellNode.ShowTreeFull() ? R.Right : L + 4, mid);
  int span = GetNodeSpanType(ARow);
  if (span == 1) Line(c, x, R.Top, x, mid);
  if (span == 2) Line(c, x, R.Top, x, R.Bottom + 4);
  const bool last = ARow >= RowCount() - 1;
  const int nextIndent = last ? 0 : GetRowIndent(ARow + 1);
  for (int i = 1; i <= level; ++i) {
    Line(c, x - ni * i, R.Top, x - ni * i, mid);
    if (last || nextIndent == 0) {
      if (i < level) c.LineTo(x + ni - ni * i, mid);
    } else {
      c.LineTo(x - ni * i, R.Bottom + 4);
    }
  }
  c.Pen().SetStyle(psSolid);
}

void TProStringGrid::DrawCellContent(TCanvas& Canvas, int ACol, int ARow, const TRect& Rect,
                                     TGridDrawState State) {
  TCellPaint P;
  P.Canvas = &Canvas;
  P.ACol = ACol;
  P.RCol = DisplToRealCol(ACol);
  if (P.RCol < 0) return;
  P.ARow = ARow;
  P.State = State;
  P.Rect = Rect;
  P.CellRect = Rect;
  const int RCol = P.RCol;
  TRect& R = P.Rect;
  TBrush& brush = Canvas.Brush();
  TFont& font = Canvas.Font();

  // Filter glyph of the filter row.
  // The automatic filter list of a column holds something whenever rows do, so the paint need
  // not gather it from every row; a handler may change the list and is asked.
  if (ARow == FFilterRow) {
    bool autoList = FFilterDropDownAuto && (RCol >= FixedCols() || FFilterDropDownColumns == fdAll);
    if (autoList && !OnGetColumnFilter)
      P.FilterGlyph = !FFilterDropDownClear.empty() || TotalRowCount() > FixedRows() + FFixedFooters;
    else
      P.FilterGlyph = GetColumnFilter(RCol);
  }

  // A cell scroll bar at the right edge; its position moves the text up.
  if (HasScrollBar(RCol, ARow)) {
    TScrollProp sp = GetScrollProp(RCol, ARow);
    if (sp.PageSize < sp.Range) {
      P.ScrollPos = GetScrollPosition(RCol, ARow);
      const int w = std::min(FScrollWidth, R.Right - R.Left);
      DrawCellScrollBar(Canvas, {R.Right - w, R.Top, R.Right, R.Bottom}, sp.PageSize, sp.Range, P.ScrollPos);
      R.Right -= w;
    }
  }

  // Colours, font and alignment for the text.
  P.WordWrap = WordWrap();
  GetVisualProperties(ACol, ARow, P.State, false, false, true, brush, P.ColorTo, P.MirrorColor,
                      P.MirrorColorTo, font, P.HA, P.VA, P.WordWrap, P.GD);

  P.Graphic = GetCellGraphicInfo(RCol, ARow, P.GVAlign, P.GHAlign, P.TextToo, P.GH, P.GW);
  if (RCol == 0 && P.Graphic && P.Graphic->CellType() == ctNode) P.GW = GetNodeLevel(ARow) * 12 + 4;

  if ((P.State & gdSelected) && !(P.State & gdFocused) && FSelectionColor == clNone)
    brush.SetColor(clHighlight);

  font.SetSize(font.Size() + FZoomFactor);
  P.SavedBrush = brush.Color();
  P.SavedFont = font.Color();

  bool fixedLook = IsFixed(ACol, ARow) || ACol < FixedCols() || ARow < FixedRows();
  if (ARow == HoverRowIdx() && HoverRowCells().Contains(hcFixed)) fixedLook = false;
  P.Fixed = fixedLook;

  // Gradient fixed cells.
  if (fixedLook && GradientLook(FLook)) {
    bool covered = FHoverFixedCells == hfAll || (FHoverFixedCells == hfFixedRows && ARow < FixedRows()) ||
                   (FHoverFixedCells == hfFixedColumns && ACol < FixedCols());
    const bool moving = GridState() == gsColMoving;
    const bool movingThis = moving && MoveIndex() >= 0 && MoveIndex() == ACol;
    const bool hot = covered && ((FHoverFixedX == ACol && FHoverFixedY == ARow && !moving) || movingThis);
    const bool mouseDrag = GridState() == gsSelecting || movingThis;
    if (hot) {
      TRect h = R;
      ++h.Bottom;
      if (!mouseDrag) {
        DrawMirrorGradientRect(Canvas, h, FZUZGradHoverFrom, true, false, FZUZGradHoverBorder, true,
                               FZUZGradHoverMirrorTo, FZUZGradHoverMirrorFrom, FZUZGradHoverTo);
      } else {
        bool canShow = FControlLook.FixedDropDownButton();
        if (canShow && OnCanShowFixedDropDown) OnCanShowFixedDropDown(this, RCol, canShow);
        auto hover = [&](const TRect& r) {
          DrawMirrorGradientRect(Canvas, r, FZUZGradHoverFrom, true, false, FZUZGradHoverBorder, true,
                                 FZUZGradHoverMirrorTo, FZUZGradHoverMirrorFrom, FZUZGradHoverTo);
        };
        auto down = [&](const TRect& r) {
          DrawMirrorGradientRect(Canvas, r, FZUZGradDownFrom, true, false, FZUZGradDownBorder, true,
                                 FZUZGradDownMirrorTo, FZUZGradDownMirrorFrom, FZUZGradDownTo);
        };
        if (canShow) {
          TRect left = h, right = h;
          left.Right = right.Left = h.Right - 16;
          if (FDropDownDown) {
            hover(left);
            down(right);
          } else {
            down(left);
            hover(right);
          }
          Canvas.Pen().SetColor(mouseDrag ? FZUZGradDownBorder : FZUZGradHoverBorder);
          Line(Canvas, R.Right - 16, R.Top, R.Right - 16, R.Bottom);
          DrawDownTriangle(Canvas, R.Right - 8, R.Top + 8, clBlack);
          R.Right -= 16;
        } else {
          down(h);
        }
      }
    } else if (FActiveCellShow &&
               ((FixedCols() == ACol + 1 && ARow == Row()) || (ACol == Col() && FixedRows() == ARow + 1))) {
      DrawMirrorGradientRect(Canvas, R, FActiveCellColor, true, false, clNone, true, clNone, clNone,
                             FActiveCellColorTo);
    } else if (FSortSettings.Column() != -1 && FSortSettings.HeaderColor() != clNone &&
               RCol == FSortSettings.Column() && ARow == FixedRows() - 1 &&
               (ACol >= FixedCols() || FSortSettings.FixedCols())) {
      DrawMirrorGradientRect(Canvas, R, FSortSettings.HeaderColor(), true, false, clNone, true,
                             FSortSettings.HeaderMirrorColorTo(), FSortSettings.HeaderMirrorColor(),
                             FSortSettings.HeaderColorTo());
    } else if (!FFlat) {
      TRect g = R;
      if (FLook == glVista) {
        DrawMirrorGradientRect(Canvas, g, brush.Color(), true, true, clWhite, true, P.MirrorColorTo,
                               P.MirrorColor, P.ColorTo);
      } else {
        DrawMirrorGradientRect(Canvas, g, brush.Color(), true, false, clNone, true, P.MirrorColorTo,
                               P.MirrorColor, P.ColorTo);
      }
    }
  }

  // Row indicator in column 0 of the current row.
  const bool indicator = RCol == 0 && ARow == Row() && FixedCols() > 0 && !FRowIndicator.Empty() &&
                         !(FFixedRowAlways && RowCount() <= FixedRows());
  if (indicator) {
    int y = R.Top;
    if (FVAlignment == vtaCenter) y = R.Top + (R.Bottom - R.Top - FRowIndicator.Height()) / 2;
    if (FVAlignment == vtaBottom) y = R.Bottom - FRowIndicator.Height();
    DrawTransparentGlyph(Canvas, R.Left + 2, y, FRowIndicator);
    R.Left += FRowIndicator.Width() + 2;
  }

  // List-view fixed cells.
  if (fixedLook && FLook == glListView && !FFlat) {
    if (HTHEME theme = OpenThemeData(this, "header")) {
      TRect h = R;
      ++h.Bottom;
      bool inside = FHoverFixedX == ACol && FHoverFixedY == ARow;
      if (!inside)
        DrawThemeBackground(theme, Canvas, HP_HEADERITEMRIGHT, HIS_NORMAL, h);
      else
        DrawThemeBackground(theme, Canvas, HP_HEADERITEM, GridState() == gsSelecting ? HIS_PRESSED : HIS_HOT,
                            h);
      CloseThemeData(theme);
      Canvas.Pen().SetColor(clWhite);
      Line(Canvas, R.Left, R.Top, R.Right, R.Top);
    } else {
      brush.SetColor(clBtnFace);
      Canvas.Pen().SetColor(clWhite);
      Canvas.Rectangle(R);
    }
  }

  // Modified row: a bar at the right edge of display column 0.
  if (ACol == 0 && FShowModified.Enabled() && RowModified(DisplToRealRow(ARow))) {
    TColor keep = brush.Color();
    brush.SetColor(FShowModified.Color());
    Canvas.Pen().SetColor(FShowModified.Color());
    Canvas.FillRect({R.Right - 4, R.Top, R.Right, R.Bottom});
    brush.SetColor(keep);
  }

  if (OnCustomCellBkgDraw) OnCustomCellBkgDraw(this, Canvas, RCol, ARow, P.State, R, false);

  // Editor buttons of idle cells.
  const int savedRight = R.Right;
  if (!fixedLook && (FControlLook.DropDownAlwaysVisible() || FControlLook.SpinButtonsAlwaysVisible())) {
    int style = FControlLook.FlatButton() ? bdsFlat : IsThemeActive() ? bdsThemed : bdsClassic;
    // Tones that were never set leave the look of the platform's buttons.
    if (FFlat && FTones.Background.BrushColor != clNone && !(FTones == TColorTones{})) style = bdsTones;
    bool canEdit = true;
    CanEditCell(RCol, ARow, canEdit);
    int state = canEdit ? btsNormal : btsDisabled;
    const TColorTones& tones = FTones;
    if (FControlLook.DropDownAlwaysVisible() && HasComboBox(RCol, ARow)) {
      DrawComboButton(Canvas, this, {R.Left - 2, R.Top - 1, R.Right + 1, R.Bottom}, tones, state, style);
      R.Right -= 16;
    }
    if (FControlLook.SpinButtonsAlwaysVisible() && HasSpinEdit(RCol, ARow)) {
      DrawSpinButtons(Canvas, this, R, tones, state, style);
      R.Right -= 16;
    }
  }

  // Interface objects that paint under the text.
  if (P.Graphic && P.Graphic->CellType() == ctInterface) {
    TRect g = R;
    DrawCellGraphic(Canvas, g, RCol, ARow, P.HA, P.VA, 0, P.State, true);
  }

  // Text.
  bool drawingEvents = OnDrawCell || OnCustomCellDraw;
  if ((!drawingEvents || !FNoDefaultDraw) && (!P.Graphic || !FNoImageAndText)) DrawCellText(P);

  R.Right = savedRight;
  brush.SetColor(P.SavedBrush);
  font.SetColor(P.SavedFont);

  DrawCellBorders(P, {R.Left - 1, R.Top - 1, R.Right + 1, R.Bottom + 1});

  if (indicator) R.Left -= FRowIndicator.Width() + 2;

  // Fixed-cell edges by look.
  if (fixedLook && !FFlat) {
    TCanvas& c = Canvas;
    TGridOptions o = Options();
    TRect e = R;
    c.Pen().SetWidth(1);
    switch (FLook) {
    case glClassic: {
      --e.Top;
      ++e.Bottom;
      --e.Left;
      TRect l = e;
      DrawEdge(c, l, BDR_RAISEDINNER, BF_LEFT | BF_TOP);
      TRect rb = e;
      DrawEdge(c, rb, EDGE_RAISED, BF_RIGHT | BF_BOTTOM);
      c.Pen().SetColor(clBlack);
      Line(c, e.Right - 1, e.Top, e.Right - 1, e.Bottom - 1);
      c.LineTo(e.Left - 1, e.Bottom - 1);
      break;
    }
    case glZUZ:
    case glXP:
      ++e.Bottom;
      if (o & goFixedHorzLine) {
        c.Pen().SetColor(HalveColor(FixedColor()));
        Line(c, e.Left, e.Bottom - 1, e.Right - 1, e.Bottom - 1);
        c.Pen().SetColor(clWhite);
        Line(c, e.Right - 2, e.Top + 1, e.Left + 1, e.Top + 1);
        c.LineTo(e.Left + 1, e.Bottom - 1);
      }
      break;
    case glSoft:
      if (!FFlat) {
        ++e.Right;
        ++e.Bottom;
        if (o & goFixedHorzLine) {
          c.Pen().SetColor(HalveColor(FixedColor()));
          Line(c, e.Left, e.Bottom - 1, e.Right - 1, e.Bottom - 1);
          c.Pen().SetColor(clWhite);
          Line(c, e.Right, e.Top + 1, e.Left + 1, e.Top + 1);
          c.LineTo(e.Left + 1, e.Bottom - 1);
        }
        if (o & goFixedVertLine) {
          c.Pen().SetColor(HalveColor(FixedColor()));
          Line(c, e.Right - 2, e.Top, e.Right - 2, e.Bottom - 1);
          c.Pen().SetColor(clWhite);
          Line(c, e.Right - 1, e.Top, e.Right - 1, e.Bottom - 1);
        }
      }
      break;
    default:
      break;
    }
  }

  // Right fixed columns of a flat grid (the 3-D border is the negation of Flat).
  if (FFixedRightCols > 0 && RCol >= ColCount() + FNumHidden - FFixedRightCols && FLook != glClassic &&
      FFlat) {
    TCanvas& c = Canvas;
    c.Pen().SetColor(0x808080);
    c.Pen().SetWidth(1);
    TGridOptions o = Options();
    if (o & goFixedHorzLine) {
      Line(c, R.Left - 1, R.Top - 1, R.Right + 1, R.Top - 1);
      Line(c, R.Left - 1, R.Bottom + 1, R.Right + 1, R.Bottom + 1);
    }
    if (o & goFixedVertLine) {
      Line(c, R.Left - 1, R.Top - 1, R.Left - 1, R.Bottom + 1);
      Line(c, R.Right + 1, R.Top - 1, R.Right + 1, R.Bottom + 1);
    }
  }

  if (HasNodes() && RCol == 0 && ARow >= FixedRows()) DrawTreeLines(P);

  // The graphic, one pixel lower in a fixed cell.
  if (P.Graphic) {
    if (fixedLook) ++R.Top;
    DrawCellGraphic(Canvas, R, RCol, ARow, P.HA, P.VA, P.TextWidth, P.State, false);
    if (fixedLook) --R.Top;
  }

  if (OnDrawCell) {
    TRect keep = R;
    OnDrawCell(this, RCol, ARow,
               {R.Left + 1, R.Top + 1, R.Right - GridLineWidth(), R.Bottom - GridLineWidth()}, P.State);
    R = keep;
  }
  if (OnCustomCellDraw) OnCustomCellDraw(this, Canvas, RCol, ARow, P.State, R, false);

  // Focus rectangle on the current cell (the base cell of a merged area).
  if (!FHideFocusRect && !(Options() & goRowSelect) && Focused()) {
    TPoint base = BaseCell(ACol, ARow);
    if (base.X == Col() && base.Y == Row() && Row() >= FixedRows() && Col() >= FixedCols()) {
      int g = GridLineWidth() - 1;
      TRect f{R.Left - g, R.Top - g, R.Right + g - 1, R.Bottom + g - 1};
      Canvas.DrawFocusRect(f);
    }
  }
}
