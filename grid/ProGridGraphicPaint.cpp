// Placing and drawing a cell's graphic inside the cell: pictures, images, check boxes, radio
// groups, node symbols, indicators, comments, buttons, shapes and ratings.
#include "controls/CellPainters.h"
#include "controls/ProStyleIF.h"
#include "controls/ProUtilDraw.h"
#include "grid/FilePicture.h"
#include "grid/GridCellObject.h"
#include "grid/IntList.h"
#include "grid/ProGrid.h"
#include "platform/StringList.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Graphics.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/ThemeDraw.h"

#include <algorithm>
#include <cmath>
#include <exception>

namespace {

bool IsCheckKind(TCellType t) {
  return t == ctCheckBox || t == ctDataCheckBox || t == ctVirtCheckBox || t == ctRowCheckBox ||
         t == ctTriStateCheckBox || t == ctRadioButton;
}

// Plain check boxes and radio buttons sit beside the text; data-bound ones ignore it.
bool FollowsText(TCellType t) {
  return t == ctCheckBox || t == ctRadioButton || t == ctTriStateCheckBox;
}

IGridCellObject* CellObjectOf(const TCellGraphic& g) {
  return g.CellType() == ctInterface ? dynamic_cast<IGridCellObject*>(g.CellInterface()) : nullptr;
}

int ButtonWidth(const TCellGraphic& g) {
  return g.CellIndex() & 0xFFFF;
}
int ButtonHeight(const TCellGraphic& g) {
  return static_cast<int>(static_cast<unsigned>(g.CellIndex()) >> 16);
}

// Start of rotated text whose turned box is aligned in R.
TPoint RotatedTextStart(TCanvas& C, const std::string& Text, int Angle, const TRect& R, TAlignment HA,
                        TVAlignment VA) {
  const double a = Angle * M_PI / 180.0;
  const double w = C.TextWidth(Text), h = C.TextHeight(Text);
  // Corners of the text box turned counter-clockwise around its start (y grows downward).
  const double xs[4] = {0, w * std::cos(a), h * std::sin(a), w * std::cos(a) + h * std::sin(a)};
  const double ys[4] = {0, -w * std::sin(a), h * std::cos(a), -w * std::sin(a) + h * std::cos(a)};
  const double minx = *std::min_element(xs, xs + 4), maxx = *std::max_element(xs, xs + 4);
  const double miny = *std::min_element(ys, ys + 4), maxy = *std::max_element(ys, ys + 4);
  const double bw = maxx - minx, bh = maxy - miny;
  double left = R.Left;
  if (HA == taRightJustify) left = R.Right - bw;
  if (HA == taCenter) left = R.Left + (R.Width() - bw) / 2;
  double top = R.Top;
  if (VA == vtaBottom) top = R.Bottom - bh;
  if (VA == vtaCenter) top = R.Top + (R.Height() - bh) / 2;
  return {static_cast<int>(std::lround(left - minx)), static_cast<int>(std::lround(top - miny))};
}

} // namespace

TCellGraphic* TProStringGrid::GetCellGraphicInfo(int ACol, int ARow, TCellVAlign& GVAlign,
                                                 TCellHAlign& GHAlign, bool& TextToo, int& H, int& W) {
  W = H = 0;
  TextToo = true;
  GHAlign = haLeft;
  GVAlign = vaTop;
  TCellGraphic* g = GetCellGraphic(ACol, ARow);
  if (!g) return nullptr;
  GHAlign = g->CellHAlign();
  GVAlign = g->CellVAlign();
  const TImageList* images = GetGridImages();
  switch (g->CellType()) {
  case ctBitmap:
    if (const TBitmap* b = g->CellBitmap()) W = b->Width(), H = b->Height();
    break;
  case ctIcon:
    if (const TBitmap* b = g->CellIcon()) W = b->Width(), H = b->Height();
    break;
  case ctImageList:
  case ctDataImage:
    if (images) W = images->Width(), H = images->Height();
    TextToo = g->CellType() == ctImageList;
    break;
  case ctCheckBox:
  case ctTriStateCheckBox:
    W = H = ControlLook().CheckSize();
    break;
  case ctDataCheckBox:
  case ctVirtCheckBox:
  case ctRowCheckBox:
    W = H = ControlLook().CheckSize();
    TextToo = false;
    break;
  case ctRotated:
  case ctRadio:
  case ctProgress:
  case ctRangeIndicator:
  case ctXPProgress:
    TextToo = false;
    break;
  case ctImages:
    if (images && g->CellIntList()) {
      const int n = g->CellIntList()->Count();
      W = g->CellBoolean() ? n * images->Width() : images->Width();
      H = g->CellBoolean() ? images->Height() : n * images->Height();
    }
    break;
  case ctPicture:
  case ctFilePicture: {
    const TSize cell = CellSize(ACol, ARow);
    const TPoint p = g->GetPictureSize(cell.cx, cell.cy, !Cells(ACol, ARow).empty());
    W = p.X;
    H = p.Y;
    break;
  }
  case ctButton:
  case ctBitButton:
    W = ButtonWidth(*g);
    H = ButtonHeight(*g);
    break;
  case ctProgressPie:
    W = H = 20;
    break;
  case ctInterface:
    if (IGridCellObject* o = CellObjectOf(*g)) W = o->Width(), H = o->Height();
    break;
  case ctRadioButton:
    W = H = ControlLook().RadioSize() + 4;
    break;
  case ctShape:
    W = H = RowHeights(ARow) - 2 * XYOffset().Y;
    break;
  case ctRating:
    W = g->CellAngle() * 18;
    H = 16;
    TextToo = false;
    break;
  default:
    break;
  }
  return g;
}

namespace {

// The cell's number for an indicator; a text that is no number paints as 0.
template <class F> auto ValueOr0(F read) -> decltype(read()) {
  try {
    return read();
  } catch (const std::exception&) {
    return 0;
  }
}

} // namespace

void TProStringGrid::DrawCellGraphic(TCanvas& C, TRect& R, int RCol, int ARow, TAlignment HA, TVAlignment VA,
                                     int TW, TGridDrawState State, bool BeforeText) {
  TCellVAlign gva;
  TCellHAlign gha;
  bool textToo;
  int H, W;
  TCellGraphic* g = GetCellGraphicInfo(RCol, ARow, gva, gha, textToo, H, W);
  if (!g) return;
  const TCellType type = g->CellType();
  IGridCellObject* object = CellObjectOf(*g);
  if (BeforeText || (object && object->DrawsBeforeText())) {
    if (BeforeText && object && object->DrawsBeforeText())
      object->Draw(C, Rect(R.Left - 1, R.Top - 1, R.Right, R.Bottom), this, (State & gdSelected) != 0, RCol,
                   ARow);
    return;
  }
  TControlLook& look = ControlLook();
  const bool selected = (State & gdSelected) != 0;

  // Placement: G = (gl, gt, gr, gb) inside r.
  TRect r = R;
  if (type != ctNode && type != ctProgress && type != ctRangeIndicator && type != ctXPProgress) {
    r.Left += XYOffset().X - 1;
    r.Right -= XYOffset().X - 1;
    r.Top += XYOffset().Y - 1;
    r.Bottom -= XYOffset().Y - 1;
  }
  if (TW > 0) TW += 2;
  int gl = r.Left + 1, gr = 0, gt = r.Top + 1, gb = 0;
  switch (gha) {
  case haLeft:
    gl = r.Left + 1;
    break;
  case haRight:
    gl = r.Right - W - 1;
    break;
  case haCenter:
    gl = W < r.Width() ? r.Left + (r.Width() - W) / 2 : r.Left + 1;
    break;
  case haBeforeText:
    gl = HA == taLeftJustify    ? r.Left + 1
         : HA == taRightJustify ? r.Right - TW - W
                                : r.Left + (r.Width() - TW - W) / 2;
    if (gl < r.Left) gl = r.Left + 1;
    break;
  case haAfterText:
    gl = HA == taLeftJustify    ? r.Left + TW
         : HA == taRightJustify ? r.Right - W - 1
                                : r.Left + TW + (r.Width() - TW - W) / 2;
    if (gl < r.Left) gl = r.Left + 1;
    break;
  case haFull:
    gl = r.Left;
    break;
  }
  gr = gha == haFull ? r.Right : gha == haRight ? r.Right - 1 : gl + W;
  if (IsCheckKind(type) && VA != VAlignment())
    gva = VA == vtaTop ? vaTop : VA == vtaCenter ? vaCenter : vaBottom;
  switch (gva) {
  case vaTop:
  case vaAboveText:
    gt = r.Top + 1;
    gb = gt + H;
    break;
  case vaBottom:
    gt = r.Bottom - H - 1;
    gb = r.Bottom - 1;
    break;
  case vaCenter:
    gt = H < r.Height() ? r.Top + (r.Height() - H) / 2 : r.Top + 1;
    gb = gt + H;
    break;
  case vaUnderText:
    gt = r.Bottom - H;
    gb = r.Bottom;
    break;
  case vaFull:
    gt = r.Top;
    gb = r.Bottom;
    break;
  }

  const auto editable = [&] {
    bool can = true;
    CanEditCell(RCol, ARow, can);
    return can;
  };
  TImageList* images = GetGridImages();

  switch (type) {
  case ctBitmap:
    if (const TBitmap* b = g->CellBitmap()) {
      if (g->CellTransparent()) {
        TBitmap t(*b);
        t.SetTransparent(true);
        C.Draw(gl, gt, t);
      } else {
        C.Draw(gl, gt, *b);
      }
    }
    break;
  case ctIcon:
    if (const TBitmap* icon = g->CellIcon()) C.Draw(gl, gt, *icon);
    break;
  case ctImageList:
    if (images) images->Draw(C, gl, gt, g->CellIndex(), true);
    break;
  case ctDataImage:
    if (images) {
      const long long idx =
          static_cast<long long>(ValueOr0([&] { return Ints(RCol, ARow); })) + g->CellIndex();
      if (idx >= 0 && idx < images->Count()) images->Draw(C, gl, gt, static_cast<int>(idx), true);
    }
    break;
  case ctCheckBox:
  case ctDataCheckBox:
  case ctVirtCheckBox:
  case ctRowCheckBox:
  case ctTriStateCheckBox:
  case ctRadioButton: {
    const bool withText = FollowsText(type);
    if (HA == taLeftJustify)
      gl = r.Left + 1;
    else if (HA == taRightJustify)
      gl = r.Right - (withText ? TW : 0) - W - 1;
    else if (withText && TW > 0)
      gl = r.Left + std::max(0, r.Right - TW - r.Left) / 2 - W;
    else
      gl = r.Left + std::max(0, r.Right - W - r.Left) / 2;
    if (gl < r.Left) gl = r.Left + 1;
    const bool ed = editable();
    const TGridControlStyle style = look.ControlStyle();
    const TRect box = Rect(gl, gt, gl + W, gt + H);
    if (type == ctCheckBox || type == ctRowCheckBox) {
      DrawCheck(C, box, g->CellBoolean(), ed, g->CellAngle() > 0, style, false, cbUnchecked);
    } else if (type == ctDataCheckBox || type == ctVirtCheckBox) {
      std::string yes;
      GetCheckTrue(RCol, ARow, yes);
      DrawCheck(C, box, Cells(RCol, ARow) == yes, ed, false, style, false, cbUnchecked);
    } else if (type == ctTriStateCheckBox) {
      DrawCheck(C, box, false, ed, g->CellAngle() > 0, style, true, g->CellCheckBoxState());
    } else {
      gl += XYOffset().X;
      const int rs = look.RadioSize();
      DrawRadioButtons(C, Rect(gl, gt, gl + rs, gt + rs), 1, g->CellBoolean() ? 0 : -2, false, !ed, nullptr,
                       selected, RCol, ARow, style, 1.0, false);
    }
    break;
  }
  case ctRotated: {
    const std::string text = Cells(RCol, ARow);
    TRect tr = R;
    tr.Left += 2;
    tr.Top += 2;
    tr.Right -= 2;
    tr.Bottom -= 2;
    const TPoint p = RotatedTextStart(C, text, g->CellAngle(), tr, HA, VA);
    const int saved = C.SaveDC();
    C.IntersectClipRect(tr);
    C.Brush().SetStyle(bsClear);
    TextOutRotated(C, p.X, p.Y, g->CellAngle() * 10, text);
    C.RestoreDC(saved);
    // A rotated sort header keeps its sort glyph, at the cell's right end (the graphic itself has
    // no width to place it by).
    const TSortSettings& sort = FSortSettings;
    const int dcol = RealToDisplCol(RCol);
    if (ARow == sort.Row() && sort.Show() && RowCount() > FixedRows() + 1 && RCol == sort.Column() &&
        FixedRows() > 0 && (dcol >= FixedCols() || sort.FixedCols()))
      DrawSortIndicator(C, RCol, gt + 8, r.Right - 10);
    break;
  }
  case ctNode:
    DrawNodeGlyph(C, R, *g, RCol, ARow, State);
    break;
  case ctRadio: {
    const TStringList* items = g->CellStrings();
    DrawRadioButtons(C, R, items ? items->Count() : 0, g->CellIndex(), g->CellBoolean(), !editable(), items,
                     selected, RCol, ARow, look.ControlStyle(), 1.0, false);
    break;
  }
  case ctImages:
    if (images && g->CellIntList())
      for (int idx : g->CellIntList()->ToVector()) {
        images->Draw(C, gl, gt, idx, true);
        if (g->CellBoolean())
          gl += images->Width();
        else
          gt += images->Height();
      }
    break;
  case ctPicture:
    if (const TPicture* p = g->CellPicture(); p && !p->Empty()) {
      TBitmap b(p->Bitmap());
      b.SetTransparent(g->CellTransparent());
      if (g->CellAngle() != noStretch)
        C.StretchDraw(Rect(gl, gt, gr, gb), b);
      else
        C.Draw(gl, gt, b);
    }
    break;
  case ctFilePicture:
    if (TFilePicture* p = g->CellFilePicture()) p->DrawPicture(C, Rect(gl, gt, gr, gb));
    break;
  case ctProgress: {
    const double v = ValueOr0([&] { return Floats(RCol, ARow); });
    const TGridControlStyle style = look.ControlStyle();
    HTHEME theme = nullptr;
    if ((style == csWinXP || style == csTheme) && IsThemeActive() && look.ProgressXP())
      theme = OpenThemeData(this, "progress");
    if (theme) {
      TRect pr = R;
      InflateRect(pr, -look.ProgressMarginX(), -look.ProgressMarginY());
      DrawThemeBackground(theme, C, PP_BAR, 1, pr);
      InflateRect(pr, -2, -2);
      pr.Right = pr.Left + static_cast<int>(std::lround(LimitPercent(v) * pr.Width() / 100));
      DrawThemeBackground(theme, C, PP_CHUNK, 1, pr);
      CloseThemeData(theme);
    } else {
      TRect pr = R;
      InflateRect(pr, -2, -2);
      const TColor bar = g->CellColor(), back = g->CellColorTo();
      const TColor barText = g->CellBoolean() ? TColor(g->CellIndex()) : ColorToRGB(bar) ^ 0xFFFFFF;
      const TColor backText = g->CellBoolean() ? TColor(g->CellAngle()) : ColorToRGB(back) ^ 0xFFFFFF;
      DrawProgressBar(C, pr, bar, false, look.ProgressBorderColor(), g->CellText(), g->CellErrLen(),
                      g->CellErrFrom(), look.ProgressMarginY(), look.ProgressMarginX(), v, backText, back,
                      barText);
    }
    break;
  }
  case ctComment: {
    if (look.CommentColor() == clNone) break;
    TColor c = static_cast<TColor>(g->CellIndex());
    if (c == clNone) c = look.CommentColor();
    C.Pen().SetColor(c);
    C.Brush().SetColor(c);
    C.Brush().SetStyle(bsSolid);
    C.Polygon({{R.Right - 7, R.Top}, {R.Right - 2, R.Top}, {R.Right - 2, R.Top + 5}});
    C.Brush().SetColor(Color());
    break;
  }
  case ctButton:
  case ctBitButton:
  case ctExpand:
    DrawCellButton(C, R, *g, RCol, ARow, gl, gt, gr, gb);
    break;
  case ctProgressPie:
    DrawProgressPie(C, Rect(gl, gt, gl + 20, gt + 20), g->CellColor(), false, g->CellAngle());
    break;
  case ctRangeIndicator: {
    TRect pr = R;
    InflateRect(pr, -look.ProgressMarginX(), -look.ProgressMarginY());
    DrawRangeIndicator(C, pr, ValueOr0([&] { return Ints(RCol, ARow); }), g->CellColorTo(), g->CellColor(),
                       g->CellBoolean(), g->CellIndex());
    break;
  }
  case ctXPProgress: {
    const TGridProgressAppearance& pa = ProgressAppearance();
    TLevelProgressParams p;
    p.Level0Color = pa.Level0Color();
    p.Level0ColorTo = pa.Level0ColorTo();
    p.Level1Color = pa.Level1Color();
    p.Level1ColorTo = pa.Level1ColorTo();
    p.Level2Color = pa.Level2Color();
    p.Level2ColorTo = pa.Level2ColorTo();
    p.Level3Color = pa.Level3Color();
    p.Level3ColorTo = pa.Level3ColorTo();
    p.Level1Perc = pa.Level1Perc();
    p.Level2Perc = pa.Level2Perc();
    p.ShowBorder = pa.ShowBorder();
    p.BorderColor = pa.BorderColor();
    p.Stacked = pa.Stacked();
    p.ShowPercentage = pa.ShowPercentage();
    p.CompletionSmooth = pa.CompletionSmooth();
    p.ShowGradient = pa.ShowGradient();
    p.Font.Assign(Font());
    p.CompleteFontColor = pa.CompleteFontColor();
    p.Steps = pa.Steps();
    p.UnCompleteColor = pa.UnCompleteColor() != clNone ? pa.UnCompleteColor() : C.Brush().Color();
    TRect pr = R;
    InflateRect(pr, -look.ProgressMarginX(), -look.ProgressMarginY());
    pr.Right -= 1;
    pr.Bottom -= 1;
    // An empty range shows nothing done instead of dividing by zero.
    const int span = g->CellErrLen() - g->CellErrFrom();
    int percent = 0;
    if (span != 0) {
      const double v = ValueOr0([&] { return Ints(RCol, ARow); });
      percent = static_cast<int>(std::lround(std::fabs(v - g->CellErrFrom()) / span * 100));
    }
    DrawLevelProgressBar(C, pr, percent, p);
    break;
  }
  case ctInterface:
    if (object) object->Draw(C, Rect(R.Left - 1, R.Top - 1, R.Right, R.Bottom), this, selected, RCol, ARow);
    break;
  case ctShape:
    DrawCellShape(C, gl, gt, g->CellColor(), static_cast<TColor>(g->CellIndex()), g->CellAngle(), gb - gt - 1,
                  gr - gl - 1);
    break;
  case ctRating: {
    const double v = std::floor(2 * ValueOr0([&] { return Floats(RCol, ARow); })) / 2;
    const TColor on = static_cast<TColor>(g->CellIndex()), off = g->CellColor();
    for (int i = 0; i < g->CellAngle(); ++i) {
      const TColor c = i + 1 > v ? off : on;
      DrawCellShape(C, gl, gt, c, c, csStar, 16, 16);
      if (i < v && v < i + 1) DrawCellShape(C, gl, gt, on, on, csHalfStar, 16, 16);
      gl += 18;
    }
    break;
  }
  default:
    break;
  }
}

void TProStringGrid::DrawCellButton(TCanvas& C, const TRect& R, TCellGraphic& g, int RCol, int ARow, int gl,
                                    int gt, int gr, int gb) {
  const TCellType type = g.CellType();
  const TRect cell = CellRect(RealToDisplCol(RCol), ARow);
  // Kept for hit-testing clicks: the button's offset in the cell. Painting elsewhere (a page being
  // printed) must not move where clicks find the button.
  const int offX = gl - cell.Left, offY = gt - cell.Top;
  if (offX >= 0 && offY >= 0 && offX < cell.Width() && offY < cell.Height())
    g.SetCellValue(static_cast<double>(offY) * 65536 + offX);
  const TColor oldBk = C.BkColor();
  C.SetBkColor(clBtnFace);
  TControlLook& look = ControlLook();
  bool ed = true;
  if (!look.NoDisabledButtonLook()) CanEditCell(RCol, ARow, ed);
  int style = look.FlatButton() ? bdsFlat : IsThemeActive() ? bdsThemed : bdsClassic;
  if (FFlat && FTones.Background.BrushColor != clNone) style = bdsTones;
  int state = g.CellBoolean()                                      ? btsPressed
              : (FHoverButton.X == RCol && FHoverButton.Y == ARow) ? btsHot
                                                                   : btsNormal;
  if (!ed && type != ctExpand) state = btsDisabled;
  TRect G = Rect(gl, gt, gr, gb);
  if (type == ctExpand) G = Rect(R.Right - 13, R.Top, R.Right, R.Top + 13);
  DrawPushButton(C, this, G, FTones, state, style);
  if (g.CellBoolean()) OffsetRect(G, 1, 1);
  if (type == ctExpand) {
    C.Pen().SetColor(clBlack);
    C.Pen().SetWidth(1);
    const bool* expanded = std::get_if<bool>(&g.CellVar());
    if (expanded && !*expanded)
      C.Polyline({{R.Right - 10, R.Top + 5}, {R.Right - 7, R.Top + 8}, {R.Right - 3, R.Top + 4}});
    else
      C.Polyline({{R.Right - 10, R.Top + 8}, {R.Right - 7, R.Top + 5}, {R.Right - 3, R.Top + 9}});
  } else {
    const std::string& caption = g.CellText();
    if (type == ctBitButton && g.CellBitmap() && !g.CellBitmap()->Empty()) {
      TBitmap glyph(*g.CellBitmap());
      glyph.SetTransparent(true);
      const int spare = G.Width() - glyph.Width();
      int dy = (G.Height() - glyph.Height()) / 2;
      if (G.Height() - glyph.Height() < 1) dy = 3;
      if (spare <= 0 || !caption.empty()) {
        C.Draw(G.Left + 3, G.Top + dy, glyph);
        G.Left += glyph.Width() + 4;
      } else {
        C.Draw(G.Left + spare / 2, G.Top + dy, glyph);
      }
    }
    G.Left += 1;
    C.Brush().SetStyle(bsClear);
    if (style == bdsTones) {
      const TColorTone* tone[] = {&FTones.Background, &FTones.Hover, &FTones.Selected, &FTones.Disabled};
      C.Font().SetColor(tone[state]->TextColor);
    }
    unsigned flags = DT_CENTER | DT_VCENTER | DT_NOPREFIX;
    flags |= caption.find('\r') != std::string::npos ? DT_WORDBREAK : DT_SINGLELINE;
    C.DrawText(caption, G, flags);
    C.Brush().SetStyle(bsSolid);
  }
  C.SetBkColor(oldBk);
}
