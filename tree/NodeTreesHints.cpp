// Hints: the tree's answer to the hint request in its four modes, and the placing of the hint.
#include "platform/ui/Application.h"
#include "tree/NodeTrees.h"
#include "tree/TreeHintWindow.h"
#include "tree/VTHeader.h"

#include <algorithm>

// The base tree has no node texts: its hint is the control's own.
std::string TBaseNodeTree::GetNodeHintText(PVNode, TColumnIndex, TVTTooltipLineBreakStyle& LineBreakStyle) {
  LineBreakStyle = hlbDefault;
  return Hint();
}

std::string TBaseNodeTree::GetNodeTooltipText(PVNode, TColumnIndex,
                                              TVTTooltipLineBreakStyle& LineBreakStyle) {
  LineBreakStyle = hlbDefault;
  return Hint();
}

void TBaseNodeTree::CMHintShow(TMessage& Message) {
  auto* info = reinterpret_cast<THintInfo*>(Message.LParam);
  Message.Result = 1;
  if (!info) return;
  // The platform's point counts from the window's top; the client area lies below a shown header.
  const int shown = HeaderHeightShown();
  if (shown > 0 && info->CursorPos.Y < shown) {
    if (ShowHeaderHint(*info)) Message.Result = 0;
    return;
  }
  const TPoint cursor{info->CursorPos.X, info->CursorPos.Y - shown};
  // The hint for this area was produced already; it comes again only after the mouse left it.
  if (!FLastHintRect.IsEmpty() && FLastHintRect.Contains(cursor)) return;
  THitInfo hit;
  GetHitTestInfoAt(cursor.X, cursor.Y, true, hit);
  const bool mayShow = !IsEditing() || hit.HitNode != FFocusedNode;
  const TNodeTreeStates s = TreeStates();
  bool show = false;
  std::string text;
  TRect cursorRect = ClientRect();
  if (!MouseCapture() && EffectiveShowHint() && !IsMouseSelecting() && !s.Has(tsScrolling) && mayShow &&
      !s.Has(tsOLEDragging)) {
    Message.Result = 0;
    FHintData = TVTHintData{};
    FHintData.Tree = this;
    if (FHintMode == hmDefault) {
      text = GetShortHint(Hint());
      show = !text.empty();
    } else if (hit.HitNode && hit.HitColumn >= NoColumn) {
      PVNode node = hit.HitNode;
      const TColumnIndex column = hit.HitColumn;
      const int left = 0, right = ClientWidth();
      TVTTooltipLineBreakStyle lineBreak = hlbDefault;
      if (FHintMode == hmTooltip) {
        if (!MultiLine(node)) {
          const TRect r = GetDisplayRect(node, column, true, true, true);
          const bool inside = r.Contains(cursor) && cursor.X >= left && cursor.X < right;
          const bool cut = r.Right > std::min(right - 1, ClientWidth()) || r.Left < std::max(left, 0) ||
                           r.Bottom > ClientHeight() || r.Top < 0;
          show = inside && cut;
          cursorRect = r;
        } else {
          show = hit.HitPositions.Has(hiOnItemLabel);
          cursorRect = GetDisplayRect(node, column, true);
        }
        if (show) {
          text = GetNodeTooltipText(node, column, lineBreak);
          info->HintPos = ClientToScreen({cursorRect.Left, cursorRect.Top});
        }
      } else {
        cursorRect = GetDisplayRect(node, column, false);
        cursorRect.Left = left;
        cursorRect.Right = right;
        text = GetNodeHintText(node, column, lineBreak);
        show = true;
        const TPoint bottom = ClientToScreen({0, cursorRect.Bottom});
        info->HintPos.Y = std::max(info->HintPos.Y, bottom.Y) + 2;
      }
      FHintData.Node = node;
      FHintData.Column = column;
      FHintData.HintText = text;
      FHintData.LineBreakStyle = lineBreak;
      show = show && !text.empty();
    } else if (FHintMode == hmHintAndDefault) {
      text = GetShortHint(Hint());
      show = !text.empty();
    }
    if (!show) Message.Result = 1;
  }
  if (Message.Result != 0) {
    FLastHintRect = Rect(0, 0, 0, 0);
    DoStateChange({}, {tsHint});
    info->HintStr.clear();
    return;
  }
  FLastHintRect = cursorRect;
  info->CursorRect =
      TRect{cursorRect.Left, cursorRect.Top + shown, cursorRect.Right, cursorRect.Bottom + shown};
  info->HintStr = text;
  if (!FHintData.Node) FHintData.DefaultHint = text;
  FHintData.HintText = text;
  info->HintWindowClass = [] { return new TNodeTreeHintWindow(nullptr); };
  info->HintData = &FHintData;
  DoStateChange({tsHint});
}

// ---------------------------------------------------------------- the hint window

bool HintWindowDestroyed = true;

TNodeTreeHintWindow::TNodeTreeHintWindow(TComponent* AOwner) : THintWindow(AOwner) {
  HintWindowDestroyed = false;
}

TNodeTreeHintWindow::~TNodeTreeHintWindow() {
  HintWindowDestroyed = true;
}

TRect TNodeTreeHintWindow::KeepInDesktop(TRect R, const TRect& Desktop) {
  if (R.Bottom > Desktop.Bottom) OffsetRect(R, 0, Desktop.Bottom - R.Bottom);
  if (R.Right > Desktop.Right) OffsetRect(R, Desktop.Right - R.Right, 0);
  if (R.Top < Desktop.Top) OffsetRect(R, 0, Desktop.Top - R.Top);
  if (R.Left < Desktop.Left) OffsetRect(R, Desktop.Left - R.Left, 0);
  return R;
}

TRect TNodeTreeHintWindow::CalcHintRect(int MaxWidth, const std::string&, const void* AData) {
  return CalcHintRect(MaxWidth, static_cast<const TVTHintData*>(AData));
}

TRect TNodeTreeHintWindow::CalcHintRect(int MaxWidth, const TVTHintData* Data) {
  if (!Data || !Data->Tree) return Rect(0, 0, 0, 0);
  FHintData = *Data;
  TBaseNodeTree* tree = FHintData.Tree;
  if (FHintData.Node && !FHintData.HintRect.IsEmpty()) return FHintData.HintRect;
  TCanvas& canvas = tree->Canvas();
  FTextHeight = canvas.TextHeight("Tj");
  FHintData.LineBreakStyle = hlbDefault;
  if (FHintData.DefaultHint.empty() && FHintData.Node) {
    FHintData.HintText =
        tree->HintMode() == hmTooltip
            ? tree->GetNodeTooltipText(FHintData.Node, FHintData.Column, FHintData.LineBreakStyle)
            : tree->GetNodeHintText(FHintData.Node, FHintData.Column, FHintData.LineBreakStyle);
  } else {
    FHintData.HintText = FHintData.DefaultHint;
  }
  if (FHintData.HintText.empty()) return Rect(0, 0, 0, 0);
  if (!FHintData.Node || tree->HintMode() != hmTooltip) {
    TRect r = Rect(0, 0, std::min(MaxWidth, canvas.TextWidth(FHintData.HintText)), FTextHeight);
    r.Bottom += 6;
    r.Right += tree->TextMargin() + FTextHeight;
    return r;
  }
  TRect r = tree->LastHintRect();
  if (tree->Has(toShowHorzGridLines)) --r.Bottom;
  InflateRect(r, 1, 1);
  OffsetRect(r, -1 - r.Left, -1 - r.Top);
  return r;
}

void TNodeTreeHintWindow::ActivateHint(const TRect& Rect_, const std::string& AHint) {
  TBaseNodeTree* tree = FHintData.Tree;
  if (Rect_.IsEmpty() || !tree || !tree->LastHintRect().Contains(tree->MouseClientPos())) {
    Application->CancelHint();
    return;
  }
  const bool nested = tree->TreeStates().Has(tsInAnimation);
  const TRect r = KeepInDesktop(Rect_, Desktop());
  FAnimation = tree->HintAnimation() == hatSystemDefault ? hatNone : tree->HintAnimation();
  FStep = 0;
  THintWindow::ActivateHint(r, AHint);
  if (FAnimation == hatFade)
    tree->Animate(255, 2 * tree->AnimationDuration(), [this](int s, int z) { return HintAnimationStep(s, z); });
  else if (FAnimation == hatSlide)
    tree->Animate(static_cast<std::uint32_t>(r.Height()), tree->AnimationDuration(),
                  [this](int s, int z) { return HintAnimationStep(s, z); });
  (void)nested;
}

bool TNodeTreeHintWindow::HintAnimationStep(int Step, int StepSize) {
  TBaseNodeTree* tree = FHintData.Tree;
  if (HintWindowDestroyed || !Visible() || !tree || tree->TreeStates().Has(tsCancelHintAnimation)) return false;
  FStep = StepSize < 1 ? 0 : Step;
  RepaintHint();
  return true;
}

void TNodeTreeHintWindow::PaintHint(TCanvas& Canvas) {
  const TRect r = ClientRect();
  TBaseNodeTree* tree = FHintData.Tree;
  Canvas.Brush().SetStyle(bsSolid);
  Canvas.Brush().SetColor(clInfoBk);
  Canvas.Pen().SetColor(clBlack);
  Canvas.Rectangle(r);
  int top = 2;
  if (tree && tree->HintMode() == hmTooltip && FHintData.Node) {
    TRect cell;
    std::string text;
    tree->GetTextInfo(FHintData.Node, FHintData.Column, Canvas.Font(), cell, text);
    top = FHintData.LineBreakStyle == hlbForceMultiLine ? 1 : (r.Height() - Canvas.TextHeight("Tj")) / 2;
  }
  // A slide shows the hint's lower rows first; a fade raises the text from the background.
  if (FAnimation == hatSlide && FStep > 0) top -= r.Height() - FStep;
  TColor text = clInfoText;
  if (FAnimation == hatFade && FStep > 0) {
    const int alpha = FStep * 256 / 255;
    const TColor from = ColorToRGB(clInfoBk), to = ColorToRGB(clInfoText);
    auto mix = [alpha](int a, int b) { return (a * (256 - alpha) + b * alpha) >> 8; };
    text = RGB(mix(GetRValue(from), GetRValue(to)), mix(GetGValue(from), GetGValue(to)),
               mix(GetBValue(from), GetBValue(to)));
  }
  Canvas.Font().SetColor(text);
  Canvas.Brush().SetStyle(bsClear);
  Canvas.TextOut(r.Left + 1 + 3, r.Top + top, FHintData.HintText);
}
