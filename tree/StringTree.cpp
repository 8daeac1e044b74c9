// The text tree: texts through the events, their painting and measuring, and the per-node cache of
// the main text's width that keeps painting and scrolling from asking for texts to measure them.
#include "tree/StringTree.h"

#include "tree/DrawingUtils.h"

#include <climits>
#include <cstring>

namespace {

constexpr const char* NilNodeText = "Node must not be nil.";

unsigned AlignmentFlag(TAlignment a) {
  switch (a) {
  case taRightJustify:
    return DT_RIGHT;
  case taCenter:
    return DT_CENTER;
  default:
    return DT_LEFT;
  }
}

// What decides a text's extent; a colour change does not count.
bool SameShape(const TFont& a, const TFont& b) {
  TFont copy;
  copy = b;
  copy.SetColor(a.Color());
  return a.SameAs(copy);
}

} // namespace

// ---------------------------------------------------------------- options

void TCustomStringTreeOptions::SetStringOptions(TVTStringOptions value) {
  if (value == FStringOptions) return;
  const bool staticChanged = value.Has(toShowStaticText) != FStringOptions.Has(toShowStaticText);
  FStringOptions = value;
  if (staticChanged && Owner() && !Owner()->Destroying()) Owner()->Invalidate();
}

void TCustomStringTreeOptions::ReadLegacyStringOptions(const std::vector<std::string>& Names) {
  SetStringOptions({});
  for (const std::string& name : Names) {
    if (name == "soSaveCaptions") SetStringOptions(FStringOptions + TVTStringOptions{toSaveCaptions});
    if (name == "soShowStaticText") SetStringOptions(FStringOptions + TVTStringOptions{toShowStaticText});
  }
}

void TCustomStringTreeOptions::Assign(const TCustomNodeTreeOptions& source) {
  if (auto* other = dynamic_cast<const TCustomStringTreeOptions*>(&source))
    SetStringOptions(other->StringOptions());
  TCustomNodeTreeOptions::Assign(source);
}

// ---------------------------------------------------------------- life cycle

TCustomNodeStringTree::TCustomNodeStringTree(TComponent* AOwner) : TBaseNodeTree(AOwner) {
  FOptions = std::make_unique<TCustomStringTreeOptions>(this);
  FInternalDataOffset = ReserveInternalNodeData(sizeof(std::uint32_t));
  FontReceived();
}

TNodeStringTree::TNodeStringTree(TComponent* AOwner) : TCustomNodeStringTree(AOwner) {
  FOptions = std::make_unique<TStringTreeOptions>(this);
}

void TCustomNodeStringTree::CMFontChanged(TMessage& Message) {
  TBaseNodeTree::CMFontChanged(Message);
  FontReceived();
}

void TCustomNodeStringTree::FontReceived() {
  FFontMeasured = false;
  ResetAllCachedWidths();
}

void TCustomNodeStringTree::MeasureFont() const {
  if (FFontMeasured) return;
  TCanvas measure;
  measure.Font() = Font();
  FTextHeight = measure.TextMetric().tmHeight;
  FEllipsisWidth = measure.TextWidth("...");
  FFontMeasured = true;
}

// ---------------------------------------------------------------- texts

std::string TCustomNodeStringTree::Text(PVNode Node, TColumnIndex Column) {
  Assert(Node != nullptr, NilNodeText);
  auto e = TVSTGetCellTextEventArgs::Create(Node, Column, etNone);
  e.CellText = FDefaultText;
  DoGetText(e);
  return e.CellText;
}

std::string TCustomNodeStringTree::StaticText(PVNode Node, TColumnIndex Column) {
  Assert(Node != nullptr, NilNodeText);
  auto e = TVSTGetCellTextEventArgs::Create(Node, Column, etNone);
  DoGetText(e);
  return e.StaticText;
}

std::string TCustomNodeStringTree::ImageText(PVNode Node, TVTImageKind Kind, TColumnIndex Column) {
  Assert(Node != nullptr, NilNodeText);
  if (!Node->States.Has(vsInitialized)) InitNode(Node);
  return DoGetImageText(Node, Kind, Column);
}

void TCustomNodeStringTree::SetText(PVNode Node, TColumnIndex Column, const std::string& Value) {
  DoNewText(Node, Column, Value);
  InvalidateNode(Node);
}

std::string TCustomNodeStringTree::Path(PVNode Node, TColumnIndex Column, char Delimiter) {
  std::string result;
  if (!Node || Node == FRoot) return std::string(1, Delimiter);
  for (PVNode n = Node; n != FRoot; n = n->Parent)
    result = Text(n, Column) + Delimiter + result;
  return result;
}

void TCustomNodeStringTree::SetDefaultText(const std::string& value) {
  if (FDefaultText == value) return;
  FDefaultText = value;
  Invalidate();
}

void TCustomNodeStringTree::DoGetText(TVSTGetCellTextEventArgs& E) {
  if (!E.Node->States.Has(vsInitialized)) InitNode(E.Node);
  if (OnGetCellText) {
    OnGetCellText(this, E);
  } else if (OnGetText) {
    OnGetText(this, E.Node, E.Column, ttNormal, E.CellText);
    OnGetText(this, E.Node, E.Column, ttStatic, E.StaticText);
  }
}

void TCustomNodeStringTree::DoNewText(PVNode Node, TColumnIndex Column, const std::string& Text) {
  if (OnNewText) OnNewText(this, Node, Column, Text);
  if (FUpdateCount == 0) UpdateHorizontalScrollBar(true);
}

void TCustomNodeStringTree::DoPaintText(PVNode Node, TCanvas& Canvas, TColumnIndex Column,
                                        TVSTTextType TextType) {
  if (OnPaintText) OnPaintText(this, Canvas, Node, Column, TextType);
}

std::string TCustomNodeStringTree::DoShortenString(TCanvas& Canvas, PVNode Node, TColumnIndex Column,
                                                   const std::string& S, int Width, int EllipsisWidth) {
  bool done = false;
  std::string result;
  if (OnShortenString) OnShortenString(this, Canvas, Node, Column, S, Width, result, done);
  if (!done) result = ShortenString(Canvas, S, Width, EllipsisWidth);
  return result;
}

void TCustomNodeStringTree::DoDrawText(TVTPaintInfo& PaintInfo, const std::string& Text, unsigned DrawFormat,
                                       const TRect& CellRect) {
  bool defaultDraw = true;
  if (OnDrawText)
    OnDrawText(this, *PaintInfo.Canvas, PaintInfo.Node, PaintInfo.Column, Text, CellRect, defaultDraw);
  if (!defaultDraw) return;
  TRect r = CellRect;
  PaintInfo.Canvas->DrawText(Text, r, DrawFormat);
}

TSize TCustomNodeStringTree::DoMeasureText(TCanvas& Canvas, PVNode Node, TColumnIndex Column,
                                           const std::string& Text) {
  TSize extent = Canvas.TextExtent(Text);
  if (Node->States.Has(vsMultiline)) {
    unsigned format = AlignmentFlag(FAlignment) | DT_CALCRECT | DT_NOPREFIX | DT_WORDBREAK | DT_END_ELLIPSIS |
                      DT_EDITCONTROL;
    if (FBiDiMode != bdLeftToRight) format |= DT_RTLREADING;
    TRect r{0, 0, extent.cx, INT_MAX};
    Canvas.DrawText(Text, r, format);
    extent.cx = r.Right - r.Left;
  }
  if (OnMeasureTextWidth) OnMeasureTextWidth(this, Canvas, Node, Column, Text, extent.cx);
  if (OnMeasureTextHeight) OnMeasureTextHeight(this, Canvas, Node, Column, Text, extent.cy);
  return extent;
}

// ---------------------------------------------------------------- painting

void TCustomNodeStringTree::PaintNodeContent(TVTPaintInfo& PaintInfo) {
  int flags = ETO_CLIPPED;
  if (PaintInfo.BidiMode != bdLeftToRight) flags |= ETO_RTLREADING;
  // Painting presets no default text: a handler that leaves the text alone paints nothing.
  auto e = TVSTGetCellTextEventArgs::Create(PaintInfo.Node, PaintInfo.Column, etNone);
  DoGetText(e);
  if (!e.CellText.empty()) PaintNormalText(PaintInfo, flags, e.CellText);
  if (FAlignment != taCenter && !PaintInfo.Node->States.Has(vsMultiline) && Has(toShowStaticText) &&
      !e.StaticText.empty())
    PaintStaticText(PaintInfo, flags, e.StaticText);
}

void TCustomNodeStringTree::PaintNormalText(TVTPaintInfo& PaintInfo, int, std::string Text) {
  TCanvas& canvas = *PaintInfo.Canvas;
  PVNode node = PaintInfo.Node;
  const TColumnIndex column = PaintInfo.Column;
  const bool explorer = TreeStates().Has(tsUseExplorerTheme);
  canvas.Font() = Font();
  canvas.Font().SetColor(Enabled() ? FColors->NodeFontColor() : FColors->DisabledColor());
  if (Has(toHotTrack) && node == FCurrentHotNode && !explorer) {
    canvas.Font().SetStyle(canvas.Font().Style() | fsUnderline);
    canvas.Font().SetColor(FColors->HotColor());
  }
  if (!explorer && PaintInfo.PaintOptions.Has(poDrawSelection) &&
      (column == FFocusedColumn || Has(toFullRowSelect))) {
    if (node == FDropTargetNode) {
      if (node->States.Has(vsSelected)) canvas.Font().SetColor(FColors->SelectionTextColor());
    } else if (node->States.Has(vsSelected) && PaintsFocused()) {
      canvas.Font().SetColor(FColors->SelectionTextColor());
    }
  }

  TRect r = PaintInfo.ContentRect;
  canvas.SetTextFlags(0);
  r.Left += FTextMargin;
  r.Right -= FTextMargin;
  const bool disabled = node->States.Has(vsDisabled) || !Enabled();
  unsigned format;
  if (node->States.Has(vsMultiline)) {
    DoPaintText(node, canvas, column, ttNormal);
    const int h = ComputeNodeHeight(&canvas, node, column);
    if (disabled) canvas.Font().SetColor(FColors->DisabledColor());
    format =
        AlignmentFlag(PaintInfo.Alignment) | DT_NOPREFIX | DT_WORDBREAK | DT_END_ELLIPSIS | DT_EDITCONTROL;
    if (PaintInfo.BidiMode != bdLeftToRight) format |= DT_RTLREADING;
    if (h < r.Height()) {
      const int shrink = (r.Height() - h) / 2;
      r.Top += shrink;
      r.Bottom -= shrink;
    }
  } else {
    int ellipsis = EllipsisWidth();
    TFont before;
    before = canvas.Font();
    DoPaintText(node, canvas, column, ttNormal);
    FFontChanged = !SameShape(before, canvas.Font());
    if (FFontChanged) {
      // The cached width belongs to the tree's font: measure again in the handler's.
      ellipsis = 0;
      PaintInfo.NodeWidth = 2 * FTextMargin + canvas.TextWidth(Text);
    }
    if (disabled) canvas.Font().SetColor(FColors->DisabledColor());
    format = DT_NOPREFIX | DT_VCENTER | DT_SINGLELINE;
    if (PaintInfo.BidiMode != bdLeftToRight) format |= DT_RTLREADING;
    if (column >= 0 && PaintInfo.NodeWidth - 2 * FTextMargin > r.Width()) {
      Text = DoShortenString(canvas, node, column, Text, r.Width(), ellipsis);
      // A shortened text is never centred.
      if (PaintInfo.Alignment == taRightJustify) format |= DT_RIGHT;
    } else {
      format |= AlignmentFlag(PaintInfo.Alignment);
    }
  }
  canvas.SetBkMode((canvas.TextFlags() & ETO_OPAQUE) ? OPAQUE : TRANSPARENT);
  DoDrawText(PaintInfo, Text, format, r);
}

void TCustomNodeStringTree::PaintStaticText(TVTPaintInfo& PaintInfo, int, const std::string& Text) {
  TCanvas& canvas = *PaintInfo.Canvas;
  PVNode node = PaintInfo.Node;
  canvas.Font() = Font();
  if (Has(toFullRowSelect)) {
    const bool selected = node->States.Has(vsSelected);
    if (node == FDropTargetNode)
      canvas.Font().SetColor(selected ? FColors->SelectionTextColor() : FColors->NodeFontColor());
    else if (selected)
      canvas.Font().SetColor(PaintsFocused() ? FColors->SelectionTextColor() : FColors->NodeFontColor());
  }
  canvas.SetTextFlags(0);
  DoPaintText(node, canvas, PaintInfo.Column, ttStatic);
  if (node->States.Has(vsDisabled) || !Enabled()) canvas.Font().SetColor(FColors->DisabledColor());
  TRect r = PaintInfo.ContentRect;
  if (PaintInfo.Alignment == taRightJustify)
    r.Right -= PaintInfo.NodeWidth + FTextMargin;
  else
    r.Left += PaintInfo.NodeWidth + FTextMargin;
  canvas.SetBkMode((canvas.TextFlags() & ETO_OPAQUE) ? OPAQUE : TRANSPARENT);
  canvas.DrawText(Text, r, DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER);
}

// ---------------------------------------------------------------- measuring

int TCustomNodeStringTree::MeasureNormalTextWidth(TCanvas& Canvas, PVNode Node, TColumnIndex Column,
                                                  const std::string& Text) {
  int width = 2 * FTextMargin;
  if (!Text.empty()) {
    Canvas.Font() = Font();
    DoPaintText(Node, Canvas, Column, ttNormal);
    width += DoMeasureText(Canvas, Node, Column, Text).cx;
  }
  return width;
}

int TCustomNodeStringTree::MeasureStaticTextWidth(TCanvas& Canvas, PVNode Node, TColumnIndex Column,
                                                  const std::string& Text) {
  if (Text.empty() || FAlignment == taCenter || Node->States.Has(vsMultiline)) return 0;
  DoPaintText(Node, Canvas, Column, ttStatic);
  return DoMeasureText(Canvas, Node, Column, Text).cx + FTextMargin;
}

int TCustomNodeStringTree::GetNodeContentWidth(PVNode Node, TColumnIndex Column, TCanvas* Canvas) {
  TCanvas& canvas = Canvas ? *Canvas : this->Canvas();
  if (Column != MainColumn()) return MeasureNormalTextWidth(canvas, Node, Column, Text(Node, Column));
  auto* cache = static_cast<std::uint32_t*>(InternalData(Node, FInternalDataOffset));
  if (!cache || Node == FRoot) return 0;
  if (*cache == 0)
    *cache = static_cast<std::uint32_t>(MeasureNormalTextWidth(canvas, Node, Column, Text(Node, Column)));
  return static_cast<int>(*cache);
}

int TCustomNodeStringTree::GetNodeExtraWidth(PVNode Node, TColumnIndex Column, TCanvas* Canvas) {
  if (!Has(toShowStaticText)) return 0;
  return MeasureStaticTextWidth(Canvas ? *Canvas : this->Canvas(), Node, Column, StaticText(Node, Column));
}

std::uint32_t TCustomNodeStringTree::CachedTextWidth(PVNode Node) const {
  if (!Node || Node == FRoot) return 0;
  std::uint32_t width;
  std::memcpy(&width, InternalData(Node, FInternalDataOffset), sizeof width);
  return width;
}

int TCustomNodeStringTree::ComputeNodeHeight(TCanvas* Canvas, PVNode Node, TColumnIndex Column,
                                             std::string S) {
  TCanvas& canvas = Canvas ? *Canvas : this->Canvas();
  if (S.empty()) S = Text(Node, Column);
  // Without a header there are no columns of their own: every cell is the whole client width.
  const TBiDiMode bidi = FBiDiMode;
  unsigned format = Node->States.Has(vsMultiline) ? DT_NOPREFIX | DT_WORDBREAK | DT_EDITCONTROL
                                                  : DT_NOPREFIX | DT_VCENTER | DT_SINGLELINE;
  format |= DT_CALCRECT;
  if (bidi != bdLeftToRight) format |= DT_RIGHT | DT_RTLREADING;
  TRect r{0, 0, ClientWidth(), 0};
  canvas.DrawText(S, r, format);
  return r.Bottom - r.Top;
}

// ---------------------------------------------------------------- cache resets

void TCustomNodeStringTree::ResetCachedWidth(PVNode Node) {
  if (!Node || Node == FRoot) return;
  std::uint32_t zero = 0;
  std::memcpy(InternalData(Node, FInternalDataOffset), &zero, sizeof zero);
}

void TCustomNodeStringTree::ResetAllCachedWidths() {
  if (!FRoot) return;
  for (PVNode n = GetFirstNoInit(); n; n = GetNextNoInit(n))
    ResetCachedWidth(n);
}

void TCustomNodeStringTree::InvalidateNode(PVNode Node) {
  if (Node && Node != FRoot) {
    ResetCachedWidth(Node);
    Node->States.Exclude(vsHeightMeasured);
  }
  TBaseNodeTree::InvalidateNode(Node);
}

void TCustomNodeStringTree::ReinitNode(PVNode Node, bool Recursive) {
  TBaseNodeTree::ReinitNode(Node, Recursive);
  ResetCachedWidth(Node);
}

void TCustomNodeStringTree::SetChildCount(PVNode Node, std::uint32_t NewChildCount) {
  TBaseNodeTree::SetChildCount(Node, NewChildCount);
  ResetCachedWidth(Node);
}
