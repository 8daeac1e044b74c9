// Scrolling: the two offsets and their clamping, the scroll bars' state and requests, the wheel,
// and bringing a node into view.
#include "tree/NodeTrees.h"
#include "tree/VTHeader.h"

#include "platform/ui/ImageList.h"

#include <algorithm>
#include <cmath>

void TScrollBarOptions::SetAlwaysVisible(bool value) {
  if (FAlwaysVisible == value) return;
  FAlwaysVisible = value;
  FOwner->UpdateScrollBars(true);
}

void TScrollBarOptions::SetScrollBars(TScrollStyle value) {
  if (FScrollBars == value) return;
  FScrollBars = value;
  FOwner->UpdateScrollBars(true);
}

void TScrollBarOptions::SetHorizontalIncrement(int value) {
  FIncrementX = std::clamp(value, 1, 10000);
}

void TScrollBarOptions::SetVerticalIncrement(int value) {
  FIncrementY = std::clamp(value, 1, 10000);
}

void TScrollBarOptions::Assign(const TScrollBarOptions& source) {
  SetAlwaysVisible(source.FAlwaysVisible);
  FIncrementX = source.FIncrementX;
  SetScrollBars(source.FScrollBars);
  FScrollBarStyle = source.FScrollBarStyle;
  FIncrementY = source.FIncrementY;
}

bool TBaseNodeTree::ApplyScrollOffsets(TPoint Value, unsigned Options) {
  const int x = std::min(std::max(Value.X, ClientWidth() - static_cast<int>(RangeX())), 0);
  const int y = std::min(std::max(Value.Y, ClientHeight() - static_cast<int>(RangeY())), 0);
  int deltaX = x - FOffsetX;
  if (FBiDiMode != bdLeftToRight) deltaX = -deltaX;
  const int deltaY = y - FOffsetY;
  if (deltaX == 0 && deltaY == 0) return false;
  FOffsetX = x;
  FOffsetY = y;
  if (FUpdateCount == 0) {
    // Our surface repaints whole; scrolling the client means repainting it.
    if (Options & ScrollClient) Invalidate();
    if (Options & ScrollUpdateBars) {
      if (deltaX != 0 && !TreeStates().Has(tsSizing) && FScrollBarOptions.HasHorizontal())
        UpdateHorizontalScrollBar(Options & ScrollRepaintBars);
      if (deltaY != 0 && !TreeStates().Has(tsSizing) && !TreeStates().Has(tsThumbTracking)) {
        UpdateVerticalScrollBar(Options & ScrollRepaintBars);
        // Other rows came into view: the widest of them sets the horizontal range.
        if (FScrollBarOptions.HasHorizontal() && !TreeStates().Has(tsDrawSelecting))
          UpdateHorizontalScrollBar(Options & ScrollRepaintBars);
      }
    }
  }
  DoScroll(deltaX, deltaY);
  return true;
}

void TBaseNodeTree::UpdateVerticalRange() {
  // RangeY is read from the root's total height whenever asked; nothing is kept.
}

void TBaseNodeTree::UpdateVerticalScrollBar(bool DoRepaint) {
  UpdateVerticalRange();
  if (TreeStates().Has(tsUpdating) || FUpdateCount > 0) return;
  const int range = static_cast<int>(RangeY());
  TVTScrollBarState bar;
  if (!FScrollBarOptions.HasVertical()) {
    if (FVertBar.Shown) DoShowScrollBar(SB_VERT, false);
    FVertBar = bar;
    SetOffsetY(FOffsetY);
    return;
  }
  const bool needed = ClientHeight() < range;
  if (needed || FScrollBarOptions.AlwaysVisible()) {
    bar.Shown = true;
    bar.Enabled = needed;
    bar.Max = range;
    bar.Page = std::max(ClientHeight() + 1, 0);
    // As the platform corrects it: never past the last full page.
    bar.Position = std::clamp(-FOffsetY, 0, std::max(bar.Max - bar.Page + 1, 0));
  }
  if (bar.Shown != FVertBar.Shown) DoShowScrollBar(SB_VERT, bar.Shown);
  FVertBar = bar;
  (void)DoRepaint;
  SetOffsetY(-bar.Position);
  PlaceScrollBarControls();
}

int TBaseNodeTree::MaxVisibleRight() {
  int top = 0;
  PVNode node = GetNodeAt(0, 0, true, top);
  if (!node) return 0;
  const int indent = static_cast<int>(FIndent);
  const int images = (FStateImages ? FStateImages->Width() + 2 : 0) + (FImages ? FImages->Width() + 2 : 0);
  int level = static_cast<int>(GetNodeLevel(node)) + (Has(toShowRoot) ? 1 : 0);
  int widest = 0;
  const int height = ClientHeight();
  while (node && top < height) {
    if (!node->States.Has(vsInitialized)) InitNode(node);
    int start = level * indent + images;
    if (Has(toCheckSupport) && CheckImageWidth() > 0 && node->CheckType != ctNone)
      start += CheckImageWidth() + 2;
    widest = std::max(widest, start + GetNodeContentWidth(node, NoColumn, nullptr) +
                                  GetNodeExtraWidth(node, NoColumn, nullptr));
    top += static_cast<int>(node->NodeHeight);
    PVNode next = GetNextVisible(node, true);
    if (next) level += static_cast<int>(GetNodeLevel(next)) - static_cast<int>(GetNodeLevel(node));
    node = next;
  }
  return widest + FMargin;
}

void TBaseNodeTree::UpdateHorizontalRange() {
  // With columns the content is as wide as the columns together.
  if (FHeader && FHeader->UseColumns())
    FRangeX = static_cast<std::uint32_t>(std::max(FHeader->Columns().TotalWidth(), 0));
  else
    FRangeX = static_cast<std::uint32_t>(std::max(MaxVisibleRight(), 0));
}

void TBaseNodeTree::UpdateHorizontalScrollBar(bool DoRepaint) {
  UpdateHorizontalRange();
  if (TreeStates().Has(tsUpdating) || FUpdateCount > 0) return;
  const int range = static_cast<int>(RangeX());
  TVTScrollBarState bar;
  int newOffset = FOffsetX;
  if (FScrollBarOptions.HasHorizontal()) {
    const bool needed = ClientWidth() < range;
    if (needed || FScrollBarOptions.AlwaysVisible()) {
      bar.Shown = true;
      bar.Enabled = needed;
      bar.Max = range;
      bar.Page = std::max(ClientWidth() + 1, 0);
      const int effective = FBiDiMode == bdLeftToRight ? -FOffsetX : range + FOffsetX - ClientWidth();
      bar.Position = std::clamp(effective, 0, std::max(bar.Max - bar.Page + 1, 0));
    }
    newOffset = FBiDiMode == bdLeftToRight ? -bar.Position : ClientWidth() + bar.Position - range;
  }
  if (bar.Shown != FHorzBar.Shown) DoShowScrollBar(SB_HORZ, bar.Shown);
  FHorzBar = bar;
  (void)DoRepaint;
  SetOffsetX(newOffset);
  PlaceScrollBarControls();
}

void TBaseNodeTree::UpdateScrollBars(bool DoRepaint) {
  // A bar that comes or goes changes the room of the other: once more when one did.
  for (int pass = 0; pass < 2; ++pass) {
    const bool vertical = FVertBar.Shown, horizontal = FHorzBar.Shown;
    UpdateVerticalScrollBar(DoRepaint);
    UpdateHorizontalScrollBar(DoRepaint);
    if (vertical == FVertBar.Shown && horizontal == FHorzBar.Shown) break;
  }
}

void TBaseNodeTree::SetBottomSpace(std::uint32_t value) {
  if (FBottomSpace == value) return;
  FBottomSpace = value;
  UpdateVerticalScrollBar(true);
}

namespace {
void ExpandParents(TBaseNodeTree& tree, PVNode Node) {
  std::vector<PVNode> collapsed;
  for (PVNode p = Node->Parent; p != tree.RootNode(); p = p->Parent)
    if (!p->States.Has(vsExpanded)) collapsed.push_back(p);
  // Outermost first, so every toggle sees its own parents open.
  for (auto it = collapsed.rbegin(); it != collapsed.rend(); ++it)
    tree.ToggleNode(*it);
}
} // namespace

void TBaseNodeTree::SetTopNode(PVNode Node) {
  if (!Node) return;
  ExpandParents(*this, Node);
  const TRect r = GetDisplayRect(Node, NoColumn, true);
  SetOffsetY(FOffsetY - r.Top);
}

void TBaseNodeTree::SetBottomNode(PVNode Node) {
  if (!Node) return;
  ExpandParents(*this, Node);
  const TRect r = GetDisplayRect(Node, NoColumn, true);
  ApplyScrollOffsets(TPoint{FOffsetX, ClientHeight() + FOffsetY - r.Top - static_cast<int>(NodeHeight(Node))},
                     ScrollRepaintBars | ScrollUpdateBars);
}

bool TBaseNodeTree::ScrollIntoView(PVNode Node, bool Center, bool Horizontally) {
  if (!Node || Node == FRoot) return false;
  ExpandParents(*this, Node);
  const bool columnFocus = FHeader->UseColumns() && FHeader->Columns().IsValidColumn(FFocusedColumn);
  const TRect r = GetDisplayRect(Node, columnFocus ? FFocusedColumn : NoColumn, !Has(toGridExtensions));
  const int height = ClientHeight();
  const int before = FOffsetY;
  if (r.Top < 0) {
    SetOffsetY(FOffsetY - r.Top + (Center ? height / 2 : 0));
  } else if (r.Bottom > height || Center) {
    SetOffsetY(FOffsetY + (Center ? height / 2 : height) - r.Bottom);
  }
  const bool horizontal = Horizontally && ScrollIntoView(FFocusedColumn, Center);
  return FOffsetY != before || horizontal;
}

bool TBaseNodeTree::ScrollIntoView(TColumnIndex Column, bool Center) {
  const TNodeTreeColumns& columns = FHeader->Columns();
  if (!FHeader->UseColumns() || !columns.IsValidColumn(Column)) return false;
  const TNodeTreeColumn& column = *columns[Column];
  const int left = column.Left(), width = column.Width(), fixedWidth = columns.GetVisibleFixedWidth();
  const int clientWidth = ClientWidth();
  const int before = EffectiveOffsetX();
  int e = before;
  if (Center) {
    e = left + before + width / 2 - fixedWidth / 2 - clientWidth / 2;
  } else if (!column.Has(coFixed)) {
    if (left + width > clientWidth)
      e = left + width + before - clientWidth;
    else if (left < fixedWidth)
      e = before + left - fixedWidth;
  }
  if (e != before) SetOffsetX(FBiDiMode == bdLeftToRight ? -e : clientWidth + e - static_cast<int>(RangeX()));
  return true;
}

void TBaseNodeTree::HandleVScroll(unsigned Code, int TrackPos) {
  const int inc = FScrollBarOptions.VerticalIncrement();
  switch (Code) {
  case SB_LINEUP:
    SetOffsetY(FOffsetY + inc);
    break;
  case SB_LINEDOWN:
    SetOffsetY(FOffsetY - inc);
    break;
  case SB_PAGEUP:
    SetOffsetY(FOffsetY + ClientHeight());
    break;
  case SB_PAGEDOWN:
    SetOffsetY(FOffsetY - ClientHeight());
    break;
  case SB_TOP:
    SetOffsetY(0);
    break;
  case SB_BOTTOM:
    SetOffsetY(-static_cast<int>(FRoot->TotalHeight));
    break;
  case SB_THUMBPOSITION:
  case SB_THUMBTRACK:
    DoStateChange({tsThumbTracking});
    SetOffsetY(-TrackPos);
    break;
  case SB_ENDSCROLL:
    DoStateChange({}, {tsThumbTracking});
    UpdateScrollBars(true);
    break;
  default:
    break;
  }
}

void TBaseNodeTree::HandleHScroll(unsigned Code, int TrackPos) {
  const int dir = FBiDiMode == bdLeftToRight ? 1 : -1;
  const int inc = FScrollBarOptions.HorizontalIncrement();
  const int page = ClientWidth();
  switch (Code) {
  case SB_LINELEFT:
    SetOffsetX(FOffsetX + dir * inc);
    break;
  case SB_LINERIGHT:
    SetOffsetX(FOffsetX - dir * inc);
    break;
  case SB_PAGELEFT:
    SetOffsetX(FOffsetX + dir * page);
    break;
  case SB_PAGERIGHT:
    SetOffsetX(FOffsetX - dir * page);
    break;
  case SB_LEFT:
    SetOffsetX(0);
    break;
  case SB_RIGHT:
    SetOffsetX(-static_cast<int>(RangeX()));
    break;
  case SB_THUMBPOSITION:
  case SB_THUMBTRACK:
    DoStateChange({tsThumbTracking});
    SetOffsetX(FBiDiMode == bdLeftToRight ? -TrackPos
                                          : ClientWidth() + TrackPos - static_cast<int>(RangeX()));
    break;
  case SB_ENDSCROLL:
    DoStateChange({}, {tsThumbTracking});
    UpdateHorizontalScrollBar(false);
    break;
  default:
    break;
  }
}

void TBaseNodeTree::HandleWheelScroll(int WheelDelta, TShiftState Shift) {
  const double steps = WheelDelta / 120.0;
  const bool ctrl = Shift & ssCtrl;
  if (ClientHeight() < static_cast<int>(RangeY()) && !(Shift & ssShift)) {
    const int delta = ctrl || FWheelScrollLines == -1
                          ? static_cast<int>(std::trunc(ClientHeight() * steps))
                          : static_cast<int>(std::trunc(FWheelScrollLines * steps * FDefaultNodeHeight));
    SetOffsetY(FOffsetY + delta);
    return;
  }
  const int dir = FBiDiMode == bdLeftToRight ? 1 : -1;
  // A page per notch when asked for by Ctrl or by the system's "one screen" setting.
  const int delta =
      ctrl || FWheelScrollLines == -1
          ? static_cast<int>(std::trunc(ClientWidth() * steps))
          : static_cast<int>(std::trunc(FScrollBarOptions.HorizontalIncrement() * FWheelScrollLines * steps));
  SetOffsetX(FOffsetX + dir * delta);
}
