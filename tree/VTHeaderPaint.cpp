// Header painting: every visible column becomes a button-like cell with its glyph or check control,
// caption and sort arrow, drawn off-screen into the collection's bitmap and copied in one block.
#include "platform/ui/ImageList.h"
#include "tree/CheckImages.h"
#include "tree/DrawingUtils.h"
#include "tree/NodeTrees.h"
#include "tree/VTHeader.h"

#include <algorithm>

namespace {
// The sort arrows and drop marks of the header, drawn as the utility images would show them.
constexpr int UtilityImageSize = 16;

void DrawSortArrow(TCanvas& Canvas, TPoint At, bool Ascending) {
  Canvas.Brush().SetStyle(bsSolid);
  Canvas.Brush().SetColor(clBtnShadow);
  Canvas.Pen().SetColor(clBtnShadow);
  const int cx = At.X + UtilityImageSize / 2, top = At.Y + 5, bottom = At.Y + 10;
  if (Ascending)
    Canvas.Polygon({TPoint{cx, top}, TPoint{cx + 4, bottom}, TPoint{cx - 4, bottom}});
  else
    Canvas.Polygon({TPoint{cx - 4, top}, TPoint{cx + 4, top}, TPoint{cx, bottom}});
}

void DrawDropMark(TCanvas& Canvas, TPoint At, bool Left) {
  Canvas.Brush().SetStyle(bsSolid);
  Canvas.Brush().SetColor(clHighlight);
  Canvas.Pen().SetColor(clHighlight);
  const int x = Left ? At.X : At.X + UtilityImageSize - 3;
  Canvas.FillRect(TRect{x, At.Y, x + 3, At.Y + UtilityImageSize});
}

struct TButtonStyles {
  unsigned NormalEdge, NormalFlags, PressedEdge, PressedFlags, RaisedEdge, RaisedFlags;
};

TButtonStyles PrepareButtonStyles(TVTHeaderStyle Style) {
  switch (Style) {
  case hsFlatButtons:
    return {BDR_RAISEDINNER, 0x280B, BDR_SUNKENOUTER, 0x280F, 0, 0};
  case hsPlates:
    return {BDR_RAISEDINNER, 0x380F, BDR_SUNKENOUTER, 0x280F, BDR_RAISEDINNER, 0x280B};
  case hsThickButtons:
  default:
    return {EDGE_RAISED, 0x380B, EDGE_RAISED, 0x780F, 0, 0};
  }
}

struct TPaintState {
  THeaderPaintInfo Info;
  TButtonStyles Styles;
  bool ShowRightBorder = false;
  bool Advanced = false;
  bool Plain = false;
};
} // namespace

void TNodeTreeColumns::PaintHeader(TCanvas& Target, const TRect& R, int HOffset) {
  TBaseNodeTree* tree = Tree();
  const TRect header = FHeader->HeaderRect();
  FHeaderBitmap->SetSize(std::max(R.Right - R.Left, header.Right), header.Bottom);
  const int fixedWidth = GetVisibleFixedWidth();
  const int rtl = 0; // right-to-left layout keeps the left-to-right column order here
  TCanvas& canvas = FHeaderBitmap->Canvas();
  auto fixedPart = [&] {
    if (fixedWidth > 0)
      PaintHeader(canvas, TRect{0, 0, std::min(R.Right, fixedWidth), R.Bottom - R.Top}, TPoint{R.Left, R.Top},
                  rtl);
  };
  fixedPart();
  PaintHeader(canvas, TRect{fixedWidth - HOffset, 0, R.Right + fixedWidth - HOffset, R.Bottom - R.Top},
              TPoint{R.Left + fixedWidth, R.Top}, rtl);
  (void)tree;
  BitBlt(Target, R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top, &canvas, R.Left, R.Top, SRCCOPY);
}

void TNodeTreeColumns::PaintHeader(TCanvas& TargetCanvas, TRect R, TPoint Target, int RTLOffset) {
  if (R.IsEmpty()) return;
  TBaseNodeTree* tree = Tree();
  TPaintState state;
  state.Advanced = FHeader->Has(hoOwnerDraw) && tree->OnAdvancedHeaderDraw && tree->OnHeaderDrawQueryElements;
  state.Plain = FHeader->Has(hoOwnerDraw) && tree->OnHeaderDraw && !state.Advanced;
  state.Info.TargetCanvas = &TargetCanvas;
  TargetCanvas.Font() = FHeader->Font();
  state.Styles = PrepareButtonStyles(FHeader->Style());

  THeaderPaintElements requested;
  const int width = R.Right - R.Left;
  const TRect background{Target.X, Target.Y, Target.X + width, Target.Y + FHeader->Height()};
  if (state.Advanced) {
    state.Info.PaintRectangle = R;
    state.Info.Column = nullptr;
    tree->OnHeaderDrawQueryElements(FHeader, state.Info, requested);
  }
  if (requested.Has(hpeBackground)) {
    state.Info.PaintRectangle = background;
    tree->OnAdvancedHeaderDraw(FHeader, state.Info, {hpeBackground});
  } else {
    FillRect(TargetCanvas, background, FHeader->Background());
  }

  R.Left = std::max(R.Left, 0);
  R.Top = std::max(R.Top, 0);
  R.Right = std::min(R.Right, TotalWidth());
  R.Bottom = std::min(R.Bottom, FHeader->Height());
  const int maxX = Target.X + width;
  TColumnIndex run = ColumnFromPosition(TPoint{R.Left + RTLOffset, 0}, false);
  if (run < 0) return;
  int left = Items(run)->UnscrolledLeft() + Target.X - R.Left + RTLOffset;
  // Only a bevelled tree leaves the last auto-sized column without its right edge; controls here
  // have no bevel, so every tree is one without.
  constexpr bool Bevelled = false;
  state.ShowRightBorder = FHeader->Style() == hsThickButtons || !FHeader->Has(hoAutoResize) || !Bevelled;
  const int cellBottom = Target.Y + (R.Bottom - R.Top);
  while (run >= 0 && left < maxX) {
    TNodeTreeColumn* column = Items(run);
    const int right = left + column->Width();
    const TRect cell{left, Target.Y, right, cellBottom};
    const int saved = TargetCanvas.SaveDC();
    TargetCanvas.IntersectClipRect(
        TRect{std::max(Target.X, left), Target.Y + R.Top, std::min(maxX, right), cellBottom});
    PaintCell(TargetCanvas, *column, run, cell, state.ShowRightBorder, state.Advanced, state.Plain,
              &state.Info);
    TargetCanvas.RestoreDC(saved);
    left = right;
    run = GetNextVisibleColumn(run);
  }
}

namespace {
// Places glyph, caption and sort arrow inside the cell's client rectangle.
void LayoutCaption(TNodeTreeColumn& C, TCanvas& Canvas, const TRect& CR, unsigned DrawFormat,
                   TRect& TextBounds, TSize SortSize, TPoint& SortPos, TPoint& GlyphPos, bool ShowSort,
                   bool ShowGlyph, TSize GlyphSize, bool IsMainImage, std::string& CaptionText) {
  const int w = CR.Right - CR.Left, h = CR.Bottom - CR.Top;
  const int m = C.Margin(), sp0 = C.Spacing();
  const bool hasText = !C.Text().empty();
  if (!hasText && !ShowSort && !ShowGlyph) return;
  TAlignment a = C.CaptionAlignment();
  const bool rtl = C.BiDiMode() != bdLeftToRight;
  if (rtl && a == taLeftJustify)
    a = taRightJustify;
  else if (rtl && a == taRightJustify)
    a = taLeftJustify;
  const int gw = ShowGlyph ? GlyphSize.cx : 0, gh = ShowGlyph ? GlyphSize.cy : 0;
  const int sw = ShowSort ? SortSize.cx : 0, sh = ShowSort ? SortSize.cy : 0;
  SortPos.Y = (h - sh) / 2;
  int tw = 0, th = 0, sp = 0;
  const bool wrap = C.Has(coWrapCaption);
  if (hasText) {
    sp = sp0;
    if (!wrap) {
      CaptionText = C.Text();
      const TSize extent = Canvas.TextExtent(CaptionText);
      tw = extent.cx + 2;
      th = extent.cy;
    } else {
      if (CaptionText.empty()) CaptionText = WrapText(Canvas, C.Text(), CR, rtl, DrawFormat);
      TRect measure{0, 0, w, 0};
      MeasureTextRect(Canvas, CaptionText, measure, DrawFormat);
      tw = w;
      th = measure.Bottom - measure.Top;
    }
  }
  TextBounds = TRect{0, 0, tw, th};
  const TVTHeaderColumnLayout layout = C.Layout();
  const bool sideways = layout == blGlyphLeft || layout == blGlyphRight || !ShowGlyph;
  int textX = 0, textY = 0;
  const bool onlySort = !hasText && !ShowGlyph && ShowSort;
  if (onlySort) {
    SortPos = TPoint{(w - sw) / 2, (h - sh) / 2};
  } else {
    if (sideways) {
      GlyphPos.Y = (h - gh) / 2;
      textY = std::max((h - th) / 2, -5);
    } else if (layout == blGlyphTop) {
      GlyphPos.Y = (h - gh - th - sp) / 2;
      textY = GlyphPos.Y + gh + sp;
    } else {
      textY = (h - gh - th - sp) / 2;
      GlyphPos.Y = textY + th + sp;
    }
    const bool glyphBeside = layout == blGlyphLeft || layout == blGlyphRight;
    if (a == taLeftJustify) {
      int x = m;
      if (rtl) {
        SortPos.X = x;
        x += sw + sp0;
      }
      if (glyphBeside) {
        if (layout == blGlyphLeft && ShowGlyph) {
          GlyphPos.X = x;
          x += gw + sp0;
        }
        textX = x;
        x += sp + tw;
        if (layout == blGlyphRight && ShowGlyph) {
          GlyphPos.X = x;
          x += gw + sp0;
        }
      } else {
        textX = x;
        if (!ShowGlyph) {
          x += tw + sp;
        } else {
          GlyphPos.X = std::max((w - gw) / 2, x);
          x = std::max(GlyphPos.X + gw + sp0, textX + tw + sp);
        }
      }
      if (!rtl) SortPos.X = x;
    } else if (a == taCenter) {
      if (!glyphBeside && ShowGlyph) {
        GlyphPos.X = (w - gw) / 2;
        textX = (w - tw) / 2;
        if (ShowSort) textX -= sw / 2;
      } else {
        textX = (w - gw - sp - tw) / 2;
        if (ShowGlyph && layout == blGlyphLeft) {
          GlyphPos.X = textX;
          textX += gw + sp;
        } else if (ShowGlyph) {
          GlyphPos.X = textX + sp + tw;
        }
      }
      int lo = textX, hi = textX + tw;
      if (ShowGlyph) {
        lo = std::min(GlyphPos.X, textX);
        hi = std::max(GlyphPos.X + gw, textX + tw);
      }
      SortPos.X = rtl ? lo - sp0 - sw : hi + sp0;
    } else {
      int x = w - m;
      if (!rtl) {
        SortPos.X = x - sw;
        x = SortPos.X - sp0;
      }
      if (glyphBeside) {
        if (layout == blGlyphRight && ShowGlyph) {
          GlyphPos.X = x - gw;
          x = GlyphPos.X - sp0;
        }
        textX = x - tw;
        x = x - tw - sp;
        if (layout == blGlyphLeft && ShowGlyph) {
          GlyphPos.X = x - gw;
          x = GlyphPos.X - sp0;
        }
      } else {
        textX = x - tw;
        if (!ShowGlyph) {
          x = x - tw - sp;
        } else {
          GlyphPos.X = (w - gw) / 2;
          if (GlyphPos.X + gw + sp0 > x) GlyphPos.X = x - gw - sp0;
          x = std::min(textX - sp, GlyphPos.X - sp0);
        }
      }
      if (rtl) SortPos.X = x - sw;
    }
  }
  // Bounds: nothing leaves the margins.
  int lo = m, hi = w - m;
  if (ShowSort) {
    if (!rtl) {
      if (SortPos.X + sw > hi) SortPos.X = hi - sw;
      hi = SortPos.X - sp0;
    }
    SortPos.X = std::max(SortPos.X, lo);
    if (rtl) lo = SortPos.X + sw + sp0;
    SortPos.X += CR.Left;
    SortPos.Y += CR.Top;
  }
  if (ShowGlyph) {
    if (GlyphPos.X + gw > hi) GlyphPos.X = hi - gw;
    if (layout == blGlyphRight) hi = GlyphPos.X - sp0;
    GlyphPos.X = std::max(GlyphPos.X, lo);
    if (layout == blGlyphLeft) lo = GlyphPos.X + gw + sp0;
    if (!IsMainImage) GlyphPos.X -= 2;
    GlyphPos.X += CR.Left;
    GlyphPos.Y += CR.Top;
  }
  textX = std::max(textX, lo);
  TextBounds = TRect{textX, textY, textX + tw, textY + th};
  TextBounds.Right = std::min(TextBounds.Right, hi);
  TextBounds = TRect{TextBounds.Left + CR.Left, TextBounds.Top + CR.Top, TextBounds.Right + CR.Left,
                     TextBounds.Bottom + CR.Top};
  if (wrap && hasText) {
    CaptionText = WrapText(Canvas, C.Text(), TextBounds, rtl, DrawFormat);
    TRect measure{TextBounds.Left, TextBounds.Top, TextBounds.Right, TextBounds.Top};
    MeasureTextRect(Canvas, CaptionText, measure, DrawFormat);
    TextBounds.Bottom = measure.Bottom;
  }
}

void DrawCaptionText(TCanvas& Canvas, std::string Text, TRect Bounds, bool Wrap, unsigned DrawFormat,
                     bool Hot, bool Enabled, TColor FontColor, TColor HotColor) {
  if (!Wrap) {
    if (Canvas.TextWidth(Text) > Bounds.Right - Bounds.Left)
      Text = ShortenString(Canvas, Text, Bounds.Right - Bounds.Left);
    DrawFormat |= DT_SINGLELINE | DT_VCENTER;
  } else {
    DrawFormat |= DT_WORDBREAK;
  }
  Canvas.Brush().SetStyle(bsClear);
  if (Enabled) {
    Canvas.Font().SetColor(Hot ? HotColor : FontColor);
    DrawText(Canvas, Text, Bounds, DrawFormat);
    return;
  }
  // Disabled: embossed, a highlight one pixel right and down under the shadow.
  TRect shifted{Bounds.Left + 1, Bounds.Top + 1, Bounds.Right + 1, Bounds.Bottom + 1};
  Canvas.Font().SetColor(clBtnHighlight);
  DrawText(Canvas, Text, shifted, DrawFormat);
  Canvas.Font().SetColor(clBtnShadow);
  DrawText(Canvas, Text, Bounds, DrawFormat);
}
} // namespace

void TNodeTreeColumns::PaintCell(TCanvas& Canvas, TNodeTreeColumn& C, TColumnIndex I, const TRect& Cell,
                                 bool ShowRightBorder, bool Advanced, bool Plain, void* InfoPtr) {
  TBaseNodeTree* tree = Tree();
  THeaderPaintInfo& info = *static_cast<THeaderPaintInfo*>(InfoPtr);
  info.Column = &C;
  info.IsHoverIndex = I == FHoverIndex && FHeader->Has(hoHotTrack) && C.Has(coEnabled);
  info.IsDownIndex = I == FDownIndex && !FCheckBoxHit;
  info.DropMark = dmmNone;
  if (C.Has(coShowDropMark) && I == FDropTarget && I != FDragIndex)
    info.DropMark = FDropBefore ? dmmLeft : dmmRight;
  info.IsEnabled = C.Has(coEnabled) && tree->Enabled();
  info.ShowHeaderGlyph =
      FHeader->Has(hoShowImages) && (C.CheckBox() || (FHeader->Images() && C.ImageIndex() >= 0));
  info.ShowSortGlyph = I == tree->SortColumn() && FHeader->Has(hoShowSortGlyphs);
  info.ShowRightBorder = ShowRightBorder;
  info.PaintRectangle = Cell;
  // A disabled column is never drawn pressed or hot.
  if (!C.Has(coEnabled)) info.IsDownIndex = false;

  if (C.Style() == vsOwnerDraw && Plain) {
    tree->OnHeaderDraw(FHeader, Canvas, &C, Cell, info.IsHoverIndex, info.IsDownIndex, info.DropMark);
    return;
  }
  THeaderPaintElements requested;
  if (Advanced) tree->OnHeaderDrawQueryElements(FHeader, info, requested);

  if (!requested.Has(hpeBackground)) {
    const TButtonStyles& s = PrepareButtonStyles(FHeader->Style());
    TRect r = Cell;
    Canvas.Brush().SetStyle(bsSolid);
    Canvas.Brush().SetColor(FHeader->Background());
    const bool rightSide = ShowRightBorder || I < Count() - 1;
    if (info.IsDownIndex) {
      DrawEdge(Canvas, r, s.PressedEdge, s.PressedFlags);
    } else if (info.IsHoverIndex && FHeader->Style() == hsPlates && C.Has(coAllowClick) && C.Has(coEnabled)) {
      DrawEdge(Canvas, r, s.RaisedEdge, s.RaisedFlags | (rightSide ? BF_RIGHT : 0u));
    } else {
      DrawEdge(Canvas, r, s.NormalEdge, s.NormalFlags | (rightSide ? BF_RIGHT : 0u));
    }
  } else {
    tree->OnAdvancedHeaderDraw(FHeader, info, {hpeBackground});
  }

  TRect client{Cell.Left + 2, Cell.Top + 2, Cell.Right - 2, Cell.Bottom - 2};
  info.PaintRectangle = client;
  unsigned format = DT_NOPREFIX;
  switch (C.CaptionAlignment()) {
  case taRightJustify:
    format |= DT_RIGHT;
    break;
  case taCenter:
    format |= DT_CENTER;
    break;
  default:
    format |= DT_LEFT;
  }
  if (C.BiDiMode() != bdLeftToRight) format |= DT_RTLREADING;

  TSize glyphSize{0, 0};
  if (info.ShowHeaderGlyph)
    glyphSize = C.CheckBox() ? TSize{CheckImageSize, CheckImageSize}
                             : TSize{FHeader->Images()->Width(), FHeader->Images()->Height()};
  const TSize sortSize{UtilityImageSize, UtilityImageSize};
  TRect textRect;
  info.GlyphPos = TPoint{};
  info.SortGlyphPos = TPoint{};
  LayoutCaption(C, Canvas, client, format, textRect, sortSize, info.SortGlyphPos, info.GlyphPos,
                info.ShowSortGlyph, info.ShowHeaderGlyph, glyphSize,
                I == FHeader->MainColumn() && !C.CheckBox(), C.FCaptionText);
  if (info.IsDownIndex) {
    textRect = TRect{textRect.Left + 1, textRect.Top + 1, textRect.Right + 1, textRect.Bottom + 1};
    info.GlyphPos = TPoint{info.GlyphPos.X + 1, info.GlyphPos.Y + 1};
    info.SortGlyphPos = TPoint{info.SortGlyphPos.X + 1, info.SortGlyphPos.Y + 1};
  }
  info.TextRectangle = textRect;

  C.FHasImage = false;
  const int glyphWidth = FHeader->Images() ? FHeader->Images()->Width() : 0;
  if (!requested.Has(hpeHeaderGlyph) && info.ShowHeaderGlyph &&
      (!info.ShowSortGlyph || C.UseRightToLeftReading() ||
       info.GlyphPos.X + glyphWidth <= info.SortGlyphPos.X)) {
    if (C.CheckBox()) {
      const int index = tree->CheckImageIndex(nullptr, C.CheckType(), C.CheckState(), info.IsEnabled);
      tree->DrawCheckImageAt(Canvas, info.GlyphPos.X, info.GlyphPos.Y, index);
      C.FImageRect = TRect{info.GlyphPos.X, info.GlyphPos.Y, info.GlyphPos.X + CheckImageSize,
                           info.GlyphPos.Y + CheckImageSize};
    } else {
      FHeader->Images()->Draw(Canvas, info.GlyphPos.X, info.GlyphPos.Y, C.ImageIndex(), info.IsEnabled);
      C.FImageRect = TRect{info.GlyphPos.X, info.GlyphPos.Y, info.GlyphPos.X + FHeader->Images()->Width(),
                           info.GlyphPos.Y + FHeader->Images()->Height()};
    }
    C.FHasImage = true;
  }
  if (!requested.Has(hpeText) && !C.Text().empty()) {
    const bool wrap = C.Has(coWrapCaption);
    DrawCaptionText(Canvas, wrap ? C.FCaptionText : C.Text(), textRect, wrap, format,
                    info.IsHoverIndex && FHeader->Has(hoHotTrack), info.IsEnabled, FHeader->Font().Color(),
                    tree->Colors().HeaderHotColor());
  }
  if (!requested.Has(hpeSortGlyph) && info.ShowSortGlyph)
    DrawSortArrow(Canvas, info.SortGlyphPos, tree->SortDirection() == sdAscending);
  if (!requested.Has(hpeDropMark) && info.DropMark != dmmNone) {
    const int y = (client.Top + client.Bottom - UtilityImageSize) / 2;
    DrawDropMark(Canvas, TPoint{info.DropMark == dmmLeft ? client.Left : client.Right - UtilityImageSize, y},
                 info.DropMark == dmmLeft);
  }
  const THeaderPaintElements foreground{hpeDropMark, hpeHeaderGlyph, hpeSortGlyph, hpeText};
  if (!(requested * foreground).Empty()) {
    const int saved = Canvas.SaveDC();
    tree->OnAdvancedHeaderDraw(FHeader, info, requested * foreground);
    Canvas.RestoreDC(saved);
  }
}
