// Tree lines, expand buttons, check boxes and node images: the pictures left of a node's content.
#include "tree/NodeTrees.h"
#include "tree/VTHeader.h"

#include "platform/ui/ImageList.h"
#include "tree/CheckImages.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr std::array<std::uint8_t, 8> DottedPattern{0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
constexpr std::array<std::uint8_t, 8> SolidPattern{};

// Round halves to even, as the layout of lines and buttons expects (17 / 2 gives 8).
// As Windows' MulDiv: the product over the divisor, rounded.
int MulDiv(int a, int b, int c) {
  return static_cast<int>(std::lround(static_cast<double>(a) * b / c));
}

int RoundHalfEven(double v) {
  return static_cast<int>(std::nearbyint(v));
}

void DrawButtonPicture(TBitmap& bm, bool plus, TVTButtonStyle style, TVTButtonFillMode fill, TColor back,
                       TColor lineColor, TColor fontColor) {
  constexpr int size = 9;
  bm.SetSize(size, size);
  TCanvas& c = bm.Canvas();
  c.Brush().SetStyle(bsSolid);
  c.Brush().SetColor(clFuchsia);
  c.FillRect(TRect{0, 0, size, size});
  bm.SetTransparentColor(clFuchsia);
  bm.SetTransparent(true);
  if (style == bsTriangle) {
    c.Brush().SetColor(clBlack);
    c.Pen().SetColor(clBlack);
    if (plus)
      c.Polygon({{2, 0}, {6, 4}, {2, 8}});
    else
      c.Polygon({{0, 2}, {8, 2}, {4, 6}});
    return;
  }
  if (fill != fmTransparent) {
    c.Brush().SetColor(fill == fmWindowColor ? clWindow : back);
    c.FillRect(TRect{0, 0, size, size});
  }
  c.Brush().SetStyle(bsClear);
  c.Pen().SetColor(lineColor);
  c.Rectangle(0, 0, size, size);
  c.Pen().SetColor(fontColor);
  c.MoveTo(2, size / 2);
  c.LineTo(size - 2, size / 2);
  if (plus) {
    c.MoveTo(size / 2, 2);
    c.LineTo(size / 2, size - 2);
  }
}
} // namespace

void TBaseNodeTree::RebuildBitmaps(bool NeedButtons, bool NeedLines) {
  if (NeedButtons) {
    if (OnPrepareButtonBitmaps) {
      FPendingButtons.reset();
      TSize size{9, 9};
      for (TBitmap* bm :
           {&FPlusBM, &FHotPlusBM, &FSelectedHotPlusBM, &FMinusBM, &FHotMinusBM, &FSelectedHotMinusBM}) {
        bm->SetSize(size.cx, size.cy);
        bm->Canvas().Brush().SetColor(clFuchsia);
        bm->Canvas().FillRect(TRect{0, 0, size.cx, size.cy});
      }
      OnPrepareButtonBitmaps(this, &FPlusBM, &FHotPlusBM, &FSelectedHotPlusBM, &FMinusBM, &FHotMinusBM,
                             &FSelectedHotMinusBM, size);
    } else {
      FPendingButtons = TButtonLook{FButtonStyle, FButtonFillMode, FColors->BackGroundColor(),
                                    FColors->TreeLineColor(), FColors->NodeFontColor()};
    }
  }
  if (NeedLines) {
    FLinePattern = FLineStyle == lsSolid ? SolidPattern : DottedPattern;
    if (FLineStyle == lsCustomStyle) {
      void* bits = FLinePattern.data();
      DoGetLineStyle(bits);
      if (bits && bits != FLinePattern.data()) {
        // The handler hands 8 rows of 16 bits; the low byte of each row is the pattern.
        const auto* rows = static_cast<const std::uint16_t*>(bits);
        for (int i = 0; i < 8; ++i)
          FLinePattern[i] = static_cast<std::uint8_t>(rows[i] & 0xFF);
      }
    }
  }
}

void TBaseNodeTree::DrawButtonBitmaps() const {
  if (!FPendingButtons) return;
  const TButtonLook look = *FPendingButtons;
  FPendingButtons.reset();
  DrawButtonPicture(FMinusBM, false, look.Style, look.Fill, look.Back, look.Line, look.Font);
  DrawButtonPicture(FPlusBM, true, look.Style, look.Fill, look.Back, look.Line, look.Font);
  FHotMinusBM = FMinusBM;
  FSelectedHotMinusBM = FMinusBM;
  FHotPlusBM = FPlusBM;
  FSelectedHotPlusBM = FPlusBM;
}

void TBaseNodeTree::CMColorChanged(TMessage& Message) {
  TCustomControl::CMColorChanged(Message);
  RebuildBitmaps(true, false);
  HeaderParentChanged();
}

void TBaseNodeTree::CMFontChanged(TMessage& Message) {
  TCustomControl::CMFontChanged(Message);
  RebuildBitmaps(true, false);
  HeaderParentChanged();
}

void TBaseNodeTree::SetLineStyle(TVTLineStyle value) {
  if (FLineStyle == value) return;
  FLineStyle = value;
  RebuildBitmaps(false, true);
  InvalidateTree();
}

void TBaseNodeTree::SetButtonStyle(TVTButtonStyle value) {
  if (FButtonStyle == value) return;
  FButtonStyle = value;
  RebuildBitmaps(true, false);
  InvalidateTree();
}

void TBaseNodeTree::SetButtonFillMode(TVTButtonFillMode value) {
  if (FButtonFillMode == value) return;
  FButtonFillMode = value;
  RebuildBitmaps(true, false);
  InvalidateTree();
}

int TBaseNodeTree::ComputeLineImage(PVNode Node, TLineImage& LineImage) {
  int levels = Has(toShowRoot) ? 1 : 0;
  int selected = 0;
  for (PVNode p = Node->Parent; p != FRoot; p = p->Parent) {
    ++levels;
    if (p->States.Has(vsSelected)) ++selected;
  }
  LineImage.assign(levels, ltNone);
  if (!Has(toShowTreeLines) || (Has(toHideTreeLinesIfThemed) && TreeStates().Has(tsUseThemes)))
    return selected;
  auto hasNext = [this](PVNode n) { return GetNextVisibleSiblingNoInit(n) != nullptr; };
  auto hasPrevious = [this](PVNode n) { return GetPreviousVisibleSiblingNoInit(n) != nullptr; };
  const bool topLevel = Node->Parent == FRoot;
  if (levels == 0) return selected;
  if (Has(toChildrenAbove)) {
    std::uint8_t own;
    if (!hasPrevious(Node))
      own = !topLevel || hasNext(Node) ? ltBottomRight : ltRight;
    else
      own = topLevel && !hasNext(Node) ? ltTopRight : ltTopDownRight;
    LineImage[levels - 1] = own;
    int i = levels - 2;
    for (PVNode p = Node->Parent; p != FRoot && i >= 0; p = p->Parent, --i)
      LineImage[i] = hasPrevious(p) ? ltTopDown : ltNone;
    return selected;
  }
  int i = levels - 1;
  if (!topLevel) {
    LineImage[i--] = hasNext(Node) ? ltTopDownRight : ltTopRight;
    for (PVNode p = Node->Parent; p->Parent != FRoot; p = p->Parent)
      LineImage[i--] = hasNext(p) ? ltTopDown : ltNone;
  }
  if (Has(toShowRoot)) {
    PVNode top = Node;
    while (top->Parent != FRoot)
      top = top->Parent;
    if (topLevel) {
      const bool first = !hasPrevious(Node), last = !hasNext(Node);
      LineImage[0] = first && last ? ltRight : first ? ltBottomRight : last ? ltTopRight : ltTopDownRight;
    } else {
      LineImage[0] = hasNext(top) ? ltTopDown : ltNone;
    }
  }
  return selected;
}

void TBaseNodeTree::ComputeNodeVAlign(bool ShowImages, bool ShowStateImages, PVNode Node, int& VAlign,
                                      int& ButtonY) {
  DrawButtonBitmaps();
  const int height = static_cast<int>(Node->NodeHeight);
  if (FNodeAlignment == naFromBottom)
    VAlign = height - Node->Align;
  else if (FNodeAlignment == naFromTop)
    VAlign = Node->Align;
  else {
    int base = -1;
    if (ShowImages || ShowStateImages)
      base = ShowImages ? FImages->Height() : FStateImages->Height();
    else if (Has(toShowButtons))
      base = FPlusBM.Height();
    if (base >= 0)
      VAlign = MulDiv(height - base, Node->Align, 100) + base / 2;
    else
      VAlign = MulDiv(height, Node->Align, 100);
  }
  ButtonY = VAlign - FPlusBM.Height() / 2 - FPlusBM.Height() % 2;
}

namespace {
// Fills r (logical coordinates) with the pattern: 0 bits in `line`, 1 bits in `back`. The pattern
// is anchored at the brush origin so it runs on across rows and scroll positions.
void FillPattern(TVTPaintInfo& info, const std::array<std::uint8_t, 8>& pattern, TRect r, TColor line,
                 TColor back) {
  TCanvas& c = *info.Canvas;
  const TPoint org = c.WindowOrg();
  const TColor lineRgb = ColorToRGB(line), backRgb = ColorToRGB(back);
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x) {
      const int dx = x - org.X - info.BrushOrigin.X, dy = y - org.Y - info.BrushOrigin.Y;
      const bool bit = (pattern[dy & 7] >> (7 - (dx & 7))) & 1;
      c.SetPixels(x, y, bit ? backRgb : lineRgb);
    }
}
} // namespace

void TBaseNodeTree::PaintHorzDottedLine(TVTPaintInfo& PaintInfo, int Left, int Right, int Top) {
  FillPattern(PaintInfo, FLinePattern, TRect{std::min(Left, Right), Top, std::max(Left, Right) + 1, Top + 1},
              PaintInfo.Canvas->Font().Color(), FColors->BackGroundColor());
}

void TBaseNodeTree::PaintVertDottedLine(TVTPaintInfo& PaintInfo, int Top, int Bottom, int Left) {
  FillPattern(PaintInfo, FLinePattern,
              TRect{Left, std::min(Top, Bottom), Left + 1, std::max(Top, Bottom) + 1},
              PaintInfo.Canvas->Font().Color(), FColors->BackGroundColor());
}

void TBaseNodeTree::PaintLineImageCell(TVTPaintInfo& PaintInfo, int X, int Y, int H, int VAlign,
                                       TVTLineType Style, bool Reverse) {
  const int half = RoundHalfEven(static_cast<int>(FIndent) / 2.0);
  const int end = Reverse ? X : X + static_cast<int>(FIndent);
  const int mid = X + half;
  switch (Style) {
  case ltNone:
    break;
  case ltBottomRight:
    PaintVertDottedLine(PaintInfo, Y + VAlign, Y + H, mid);
    PaintHorzDottedLine(PaintInfo, mid, end, Y + VAlign);
    break;
  case ltTopDown:
    PaintVertDottedLine(PaintInfo, Y, Y + H, mid);
    break;
  case ltTopDownRight:
    PaintVertDottedLine(PaintInfo, Y, Y + H, mid);
    PaintHorzDottedLine(PaintInfo, mid, end, Y + VAlign);
    break;
  case ltRight:
    PaintHorzDottedLine(PaintInfo, mid, end, Y + VAlign);
    break;
  case ltTopRight:
    PaintVertDottedLine(PaintInfo, Y, Y + VAlign, mid);
    PaintHorzDottedLine(PaintInfo, mid, end, Y + VAlign);
    break;
  case ltLeft:
  case ltLeftBottom: {
    const int x = Reverse ? X + static_cast<int>(FIndent) : X;
    PaintVertDottedLine(PaintInfo, Y, Y + H, x);
    if (Style == ltLeftBottom) PaintHorzDottedLine(PaintInfo, X, X + static_cast<int>(FIndent), Y + H);
    break;
  }
  }
}

void TBaseNodeTree::PaintNodeLines(TVTPaintInfo& PaintInfo, int VAlignment, int IndentSize,
                                   const TLineImage& LineImage) {
  const bool reverse = PaintInfo.BidiMode != bdLeftToRight;
  int x = reverse ? PaintInfo.CellRect.Right - static_cast<int>(FIndent) : PaintInfo.CellRect.Left;
  const int step = reverse ? -static_cast<int>(FIndent) : static_cast<int>(FIndent);
  PaintInfo.Canvas->Font().SetColor(FColors->TreeLineColor());
  for (int i = 0; i < IndentSize; ++i) {
    DoBeforeDrawLineImage(PaintInfo.Node, i + (Has(toShowRoot) ? 0 : 1), x);
    PaintLineImageCell(PaintInfo, x, PaintInfo.CellRect.Top, static_cast<int>(PaintInfo.Node->NodeHeight),
                       VAlignment - 1, static_cast<TVTLineType>(LineImage[i]), reverse);
    x += step;
  }
}

void TBaseNodeTree::PaintExpandButton(TCanvas& Canvas, PVNode Node, const TRect& R, int ButtonX,
                                      int ButtonY) {
  DrawButtonBitmaps();
  const bool hot = Node == FCurrentHotNode && FHotNodeButtonHit;
  const bool rtl = FBiDiMode != bdLeftToRight;
  const int x = rtl ? R.Right - ButtonX - FPlusBM.Width() : R.Left + ButtonX;
  const bool selected = Node->States.Has(vsSelected);
  const TBitmap* bm;
  if (Node->States.Has(vsExpanded))
    bm = hot && selected ? &FSelectedHotMinusBM : hot ? &FHotMinusBM : &FMinusBM;
  else
    bm = hot && selected ? &FSelectedHotPlusBM : hot ? &FHotPlusBM : &FPlusBM;
  Canvas.Draw(x, R.Top + ButtonY, *bm);
}

void TBaseNodeTree::PaintCheckBox(TCanvas& Canvas, const TVTImageSlot& Slot) {
  DrawCheckImageAt(Canvas, Slot.X, Slot.Y, Slot.Index);
}

void TBaseNodeTree::QueryImage(TVTPaintInfo& PaintInfo, TVTImageKind Kind, TVTImageSlotKind SlotKind,
                               TImageList* DefaultImages) {
  TVTImageSlot& slot = PaintInfo.ImageInfo[SlotKind];
  slot.Index = -1;
  slot.Ghosted = false;
  slot.ImageList = DoGetImageIndex(PaintInfo.Node, Kind, PaintInfo.Column, slot.Ghosted, slot.Index);
  if (!slot.ImageList) slot.ImageList = DefaultImages;
  if (!slot.ImageList) slot.Index = -1;
}

void TBaseNodeTree::PlaceImage(int ImageWidth, int ImageHeight, int VAlign, TRect& R, TVTImageSlot& Slot) {
  Slot.X = R.Left - 1;
  R.Left += ImageWidth + 2;
  Slot.Y = R.Top + VAlign - ImageHeight / 2;
}

void TBaseNodeTree::PaintNodeImage(TVTPaintInfo& PaintInfo, TVTImageSlotKind SlotKind) {
  const TVTImageSlot& slot = PaintInfo.ImageInfo[SlotKind];
  const bool enabled = !PaintInfo.Node->States.Has(vsDisabled) && Enabled();
  slot.ImageList->Draw(*PaintInfo.Canvas, slot.X, slot.Y, slot.Index, enabled);
}
