// The text layer of the cell painter: colours of the text area, filter glyph, background picture,
// selection frame, and the text itself as mini-HTML, rich text (its plain text) or plain text with
// links, password masks and the sort indicator.
#include "grid/ProGrid.h"

#include "controls/AsgHTMLE.h"
#include "controls/ProUtilCellText.h"
#include "controls/ProUtilDraw.h"
#include "controls/ProUtilText.h"
#include "grid/GlyphDraw.h"
#include "platform/ui/RichEditText.h"

namespace {

// Every character (not byte) of a UTF-8 text replaced by the mask.
std::string MaskText(const std::string& text, const std::string& mask) {
  std::string out;
  for (unsigned char ch : text)
    if ((ch & 0xC0) != 0x80) out += mask;
  return out;
}

unsigned HFlag(TAlignment a) {
  return a == taRightJustify ? DT_RIGHT : a == taCenter ? DT_CENTER : DT_LEFT;
}

unsigned VFlag(TVAlignment a) {
  return a == vtaCenter ? DT_VCENTER : a == vtaBottom ? DT_BOTTOM : 0;
}

int GlyphY(const TRect& r, TVAlignment va) {
  return va == vtaTop ? r.Top + 8 : va == vtaCenter ? r.Top + (r.Bottom - r.Top) / 2 : r.Bottom - 8;
}

} // namespace

void TProStringGrid::DrawCellText(TCellPaint& P) {
  TCanvas& c = *P.Canvas;
  const int RCol = P.RCol, ARow = P.ARow;
  TColor U = FURLColor;

  const TGridRect sel = Selection();
  bool rowSelected = (Options() & goRowSelect) && ARow >= std::min(sel.Top, sel.Bottom) &&
                     ARow <= std::max(sel.Top, sel.Bottom) && RCol >= FixedCols() &&
                     RCol < ColCount() - FFixedRightCols;
  if (((P.State & gdSelected) || rowSelected) && !P.Fixed) {
    if (FShowSelection) {
      if (FSelectionColor != clNone) c.Brush().SetColor(FSelectionColor);
      if (FSelectionTextColor != clNone && Enabled()) c.Font().SetColor(FSelectionTextColor);
      U = FSelectionTextColor;
    }
    if ((!Focused() || HasCheckBox(RCol, ARow)) && !FShowSelection) {
      c.Brush().SetColor(P.SavedBrush);
      c.Font().SetColor(P.SavedFont);
      U = FURLColor;
    }
  }

  std::string text = GetFormattedCell(RCol, ARow);
  int kind = CellTextKind(text, FEnableHTML);
  if (kind == 3) {
    text = GetCalculatedCell(RCol, ARow);
    kind = CellTextKind(text, FEnableHTML);
  }
  bool password = false;
  IsPasswordCell(RCol, ARow, password);
  if (password) text = MaskText(text, FPasswordChar);

  int markFrom = 0, markLen = 0;
  GetMarker(RCol, ARow, markFrom, markLen);

  TRect T = P.Rect;
  if (P.Fixed) {
    T.Left += GridLineWidth();
    T.Top += GridLineWidth();
  }
  // A scrolled cell shows the part of its text below the position, inside the cell only.
  struct TClipGuard {
    TCanvas* Canvas = nullptr;
    int Saved = 0;
    ~TClipGuard() {
      if (Canvas) Canvas->RestoreDC(Saved);
    }
  } clip;
  if (P.ScrollPos > 0) {
    clip.Canvas = &c;
    clip.Saved = c.SaveDC();
    c.IntersectClipRect(P.Rect);
    T.Top -= P.ScrollPos;
  }

  if (P.FilterGlyph) {
    TRect g{P.Rect.Right - 16, P.Rect.Top, P.Rect.Right, P.Rect.Top + 16};
    if (FFilterDropDown.Glyph().Empty()) {
      try {
        DrawBitmapResource(c, FixedColor(), g, "ASGFILT");
      } catch (const std::exception&) {
        // A build without the filter bitmap shows no glyph.
      }
    } else {
      DrawTransparentGlyph(c, g.Left, g.Top, FFilterDropDown.Glyph());
    }
    T = P.Rect;
  }

  // Rows and columns not picked in disjunct selection show their own colours.
  const TMouseActions& ma = *FMouseActions;
  if (P.ACol >= FixedCols() && ARow >= FixedRows() && GridState() != gsSelecting &&
      ((ma.DisjunctRowSelect() && !RowSelect(ma.RowSelectPersistent() ? DisplToRealRow(ARow) : ARow)) ||
       (ma.DisjunctColSelect() && !ColSelect(P.ACol)))) {
    U = FURLColor;
    c.Brush().SetColor(Color());
    c.Font().SetColor(Font().Color());
    GetCellColor(RCol, ARow, P.State, c.Brush(), c.Font());
    c.Font().SetSize(c.Font().Size() + FZoomFactor);
  }

  DrawCellBackground(P, P.Rect);

  // Selection frame.
  if (FSelectionRectangle && !P.Fixed && P.ACol >= std::min(sel.Left, sel.Right) &&
      P.ACol <= std::max(sel.Left, sel.Right) && ARow >= std::min(sel.Top, sel.Bottom) &&
      ARow <= std::max(sel.Top, sel.Bottom)) {
    const TRect& r = P.Rect;
    const int L = GridLineWidth();
    int left = std::min(sel.Left, sel.Right), right = std::max(sel.Left, sel.Right);
    int top = std::min(sel.Top, sel.Bottom), bottom = std::max(sel.Top, sel.Bottom);
    // A merged selection is framed around its base cell only.
    TPoint base = BaseCell(left, top);
    if (IsMergedCell(left, top)) {
      TRect area = FullCell(base.X, base.Y);
      left = area.Left;
      right = area.Right;
      top = area.Top;
      bottom = area.Bottom;
    }
    c.Pen().SetColor(FSelectionRectangleColor);
    c.Pen().SetWidth(2);
    auto line = [&](int x1, int y1, int x2, int y2) {
      c.MoveTo(x1, y1);
      c.LineTo(x2, y2);
    };
    bool isRight = right == P.ACol || (IsMergedCell(P.ACol, ARow) && FullCell(P.ACol, ARow).Right == right);
    bool isBottom = bottom == ARow || (IsMergedCell(P.ACol, ARow) && FullCell(P.ACol, ARow).Bottom == bottom);
    if (left == P.ACol) line(r.Left - L + 1, r.Bottom, r.Left - L + 1, r.Top - L);
    if (isRight) line(r.Right - 1, r.Bottom, r.Right - 1, r.Top - L);
    if (top == ARow) line(r.Left - L, r.Top - L + 1, isRight ? r.Right - 1 : r.Right, r.Top - L + 1);
    if (isBottom) line(r.Left - L, r.Bottom, isRight ? r.Right - 1 : r.Right, r.Bottom);
    if (FSelectionResizer && isRight && isBottom) {
      TColor keep = c.Brush().Color();
      c.Brush().SetColor(FSelectionRectangleColor);
      c.FillRect({r.Right - 4, r.Bottom - 4, r.Right + L, r.Bottom + L});
      c.Brush().SetColor(keep);
    }
    c.Pen().SetWidth(1);
  }

  if (!P.TextToo && P.Graphic) return;

  if (!FXYOffsetTopLeftOnly) T.Right -= FXYOffset.X;
  T.Left += FXYOffset.X;
  T.Top += FXYOffset.Y;

  int indent = 0;
  switch (P.GHAlign) {
  case haBeforeText:
    T.Left += P.GW;
    if (P.HA == taLeftJustify) indent = P.GW;
    break;
  case haAfterText:
    T.Right -= P.GW;
    break;
  case haLeft:
    indent = P.GW;
    break;
  default:
    break;
  }
  if (P.GVAlign == vaAboveText) T.Top += P.GH;
  if (P.GVAlign == vaUnderText) T.Bottom -= P.GH;
  if (RCol == 0 && HasNodes()) T.Left += GetRowIndent(ARow);

  // The sort header and whether its glyph shows.
  int sortRow = ARow;
  if (IsMergedCell(P.ACol, ARow)) sortRow = FullCell(P.ACol, ARow).Bottom;
  const int sortKey = FSortIndexes.FindIndex(RCol);
  bool sortHeader = sortRow == FSortSettings.Row() && FSortSettings.Show() && RowCount() > FixedRows() + 1 &&
                    (RCol == FSortSettings.Column() || sortKey >= 0);
  bool sortGlyph = sortHeader && FixedRows() > 0 && (P.ACol >= FixedCols() || FSortSettings.FixedCols()) &&
                   (sortKey <= 0 || FSortSettings.IndexShow());

  P.TextWidth = 0;
  if (kind == 1) {
    if (P.FilterGlyph) T.Right -= 18;
    T.Left -= 1;
    if (sortHeader) T.Right -= 10;
    THTMLDrawParams p;
    p.Window = this;
    p.Images = GetGridImages();
    p.HoverLink = FHoverCell.X == P.ACol && FHoverCell.Y == ARow ? FHoverlink : -1;
    p.HoverStyle = FURLUnderlineOnHover;
    p.ShadowOffset = 1;
    p.WordWrap = !FEnhTextSize;
    p.URLColor = U;
    p.ShadowColor = 0x808080;
    p.X = T.Left;
    p.Y = T.Top;
    THTMLDrawResult res;
    DrawHTML(c, text, T, p, res);
    P.TextWidth = res.XSize + 2;
    if (sortGlyph) DrawSortIndicator(c, RCol, GlyphY(P.Rect, P.VA), T.Right + 2);
    return;
  }
  if (kind == 2) {
    c.Pen().SetColor(c.Brush().Color());
    bool keepBack = (P.State & gdSelected) && !(P.State & gdFocused) && FSelectionColor == clNone;
    if (!keepBack) c.FillRect(T);
    c.Brush().SetStyle(bsClear);
    DrawRichCell(RCol, ARow, T, c);
    c.Brush().SetStyle(bsSolid);
    c.Font().SetColor(clBlack);
    return;
  }

  if (P.HA == taCenter && sortHeader) T.Left += 10;
  bool url = FURLShow && IsURLText(GridCells(RCol, ARow));
  if (url) {
    if (!FURLFull) StripURLScheme(text);
    c.Font().SetStyle(c.Font().Style() | fsUnderline);
    c.Font().SetColor(U);
  }

  unsigned flags = DT_EDITCONTROL;
  if (CountTextLines(text, FMultilineCells) <= 1 && !P.WordWrap) {
    std::string rest = text;
    text = TakeFirstLine(rest, false);
    flags = DT_SINGLELINE | (FEnhTextSize ? DT_END_ELLIPSIS : 0u);
  }
  if (P.WordWrap && !FMultilineCells && FEnhTextSize) flags |= DT_END_ELLIPSIS;
  flags |= VFlag(P.VA) | HFlag(P.HA);
  if (P.WordWrap || FMultilineCells)
    flags |= DT_EDITCONTROL | DT_NOPREFIX | DT_EXPANDTABS | DT_WORDBREAK;
  else
    flags |= DT_NOPREFIX | DT_EXPANDTABS | DT_SINGLELINE;

  c.SetBkMode(TRANSPARENT);
  c.Brush().SetStyle(bsClear);
  if (P.FilterGlyph) T.Right -= 16;
  if (P.Graphic && !text.empty()) {
    TRect m = T;
    c.DrawText(text, m, flags | DT_CALCRECT);
    P.TextWidth = m.Right - T.Left + 2;
  }
  TRect drawn = T;
  c.DrawText(text, drawn, flags);
  c.Brush().SetStyle(bsSolid);
  if (markLen > 0 && (!P.Graphic || P.Graphic->CellType() == ctEmpty || P.Graphic->CellType() == ctValue)) {
    DrawWavyUnderline(nullptr, c, text, markFrom, markLen, c.TextHeight("hg"), T);
    c.Pen().SetWidth(1);
  }

  if (sortGlyph) {
    TRect s = P.Rect;
    if (P.FilterGlyph) s.Right -= 16;
    int w = std::max(0, std::min(c.TextWidth(text), s.Right - s.Left - 16));
    int x = P.HA == taLeftJustify    ? s.Left + w + indent + 10
            : P.HA == taRightJustify ? s.Right - w - 10
                                     : s.Left + 8;
    DrawSortIndicator(c, RCol, GlyphY(P.Rect, P.VA), x);
  }
  if (url) c.Font().SetStyle(c.Font().Style() & ~fsUnderline);
}

void TProStringGrid::DrawSortIndicator(TCanvas& ACanvas, int ACol, int Y, int X) {
  auto line = [&](int x1, int y1, int x2, int y2) {
    ACanvas.MoveTo(x1, y1);
    ACanvas.LineTo(x2, y2);
  };
  if (FSortSettings.IndexShow()) {
    const int i = FSortIndexes.FindIndex(ACol);
    if (i < 0) return;
    const TBitmap& indexUp = FSortSettings.IndexUpGlyph();
    const TBitmap& indexDown = FSortSettings.IndexDownGlyph();
    const bool glyphs = !indexUp.Empty() && !indexDown.Empty();
    const bool descending = !FSortIndexes.SortDirections(i);
    const int saved = ACanvas.SaveDC();
    ACanvas.Brush().SetColor(FSortSettings.IndexColor());
    ACanvas.Pen().SetColor(clBlack);
    if (glyphs) {
      DrawTransparentGlyph(ACanvas, X - 7, Y - 7, descending ? indexUp : indexDown);
    } else if (descending) {
      ACanvas.Polygon({{X - 7, Y - 5}, {X + 7, Y - 5}, {X, Y + 8}});
    } else {
      ACanvas.Polygon({{X - 6, Y + 8}, {X + 6, Y + 8}, {X, Y - 4}});
    }
    ACanvas.SetBkMode(TRANSPARENT);
    ACanvas.Brush().SetStyle(bsClear);
    ACanvas.Font().SetColor(clBlack);
    ACanvas.Font().SetSize(6);
    ACanvas.TextOut(X - 2, descending ? Y - 4 : Y - 2, std::to_string(i + 1));
    ACanvas.RestoreDC(saved);
    return;
  }
  const TBitmap& up = FSortSettings.UpGlyph();
  const TBitmap& down = FSortSettings.DownGlyph();
  bool descending = FSortSettings.Descending();
  if (up.Empty() || down.Empty()) {
    if (descending) {
      ACanvas.Pen().SetColor(clWhite);
      line(X + 4, Y - 4, X, Y + 4);
      ACanvas.Pen().SetColor(0x808080);
      ACanvas.LineTo(X - 4, Y - 4);
      ACanvas.LineTo(X + 4, Y - 4);
    } else {
      ACanvas.Pen().SetColor(clWhite);
      line(X - 4, Y + 4, X + 4, Y + 4);
      ACanvas.LineTo(X, Y - 4);
      ACanvas.Pen().SetColor(0x808080);
      ACanvas.LineTo(X - 4, Y + 4);
    }
    ACanvas.Pen().SetColor(clBlack);
  } else {
    DrawTransparentGlyph(ACanvas, X - 4, Y - 4, descending ? down : up);
    ACanvas.SetBkColor(FixedColor());
  }
}

void TProStringGrid::DrawRichCell(int ACol, int ARow, const TRect& R, TCanvas& ACanvas) {
  // The rich-edit stand-in shows the plain text, inside the cell's offset.
  const int d = FXYOffset.X;
  TRect r{R.Left + d, R.Top + d, R.Right - d, R.Bottom - d};
  const TGridRect sel = Selection();
  const bool inSelection = ACol >= std::min(sel.Left, sel.Right) && ACol <= std::max(sel.Left, sel.Right) &&
                           ARow >= std::min(sel.Top, sel.Bottom) && ARow <= std::max(sel.Top, sel.Bottom);
  const bool focusedCell = ACol == Col() && ARow == Row() && Focused() && !(Options() & goDrawFocusSelected);
  if (inSelection && !focusedCell && !FSelectionRTFKeep && &ACanvas == &Canvas() &&
      FSelectionTextColor != clNone)
    ACanvas.Font().SetColor(FSelectionTextColor);
  ACanvas.DrawText(RichTextToPlain(GridCells(ACol, ARow)), r,
                   DT_EDITCONTROL | DT_NOPREFIX | DT_EXPANDTABS | DT_WORDBREAK);
}

TRect TProStringGrid::HTMLTextRect(int ACol, int ARow) const {
  TRect r = CellRect(ACol, ARow);
  const int g = GridLineWidth();
  r = {r.Left + g, r.Top + g, r.Right - g, r.Bottom - g};
  if (!FXYOffsetTopLeftOnly) r.Right -= FXYOffset.X;
  r.Left += FXYOffset.X - 1;
  r.Top += FXYOffset.Y;
  return r;
}
