// Hit testing and node geometry: the node at a position, the part of a node under a point, the
// rectangle of a node, and the order of two nodes.
#include "tree/NodeTrees.h"
#include "tree/VTHeader.h"

#include "platform/ui/ImageList.h"

#include <algorithm>

namespace {
// Width of the expand button bitmap.
constexpr int ButtonWidth = 9;
} // namespace

std::uint32_t TBaseNodeTree::HitIndentWidth(PVNode Node) const {
  if (Has(toFixedIndent)) return FIndent;
  return FIndent * GetNodeLevel(Node) + (Has(toShowRoot) ? FIndent : 0);
}

bool TBaseNodeTree::ShowsCheckBox(PVNode Node) const {
  return Has(toCheckSupport) && CheckImageWidth() > 0 && Node->CheckType != ctNone;
}

int TBaseNodeTree::ImageWidth(PVNode Node, TVTImageKind Kind, TColumnIndex Column) {
  bool ghosted = false;
  int index = -1;
  TImageList* list = DoGetImageIndex(Node, Kind, Column, ghosted, index);
  if (!OnGetImageIndexEx) list = Kind == ikState ? FStateImages : FImages;
  return index >= 0 && list ? list->Width() : 0;
}

void TBaseNodeTree::GetHitTestInfoAt(int X, int Y, bool Relative, THitInfo& HitInfo) {
  HitInfo = THitInfo{};
  const std::int64_t width = std::max<std::int64_t>(ClientWidth(), RangeX());
  const std::int64_t height = std::max<std::int64_t>(ClientHeight(), RangeY());
  if (X < 0)
    HitInfo.HitPositions.Include(hiToLeft);
  else if (X > width)
    HitInfo.HitPositions.Include(hiToRight);
  if (Y < 0)
    HitInfo.HitPositions.Include(hiAbove);
  else if (Y > height)
    HitInfo.HitPositions.Include(hiBelow);
  const TNodeTreeColumns& columns = FHeader->Columns();
  if (Relative) {
    // The fixed columns never scroll.
    if (X >= columns.GetVisibleFixedWidth()) X += EffectiveOffsetX();
    Y -= FOffsetY;
  }
  HitInfo.HitPoint = Point(X, Y);
  if (!HitInfo.HitPositions.Empty()) return;
  int top = 0;
  HitInfo.HitNode = GetNodeAt(X, Y, false, top);
  if (!HitInfo.HitNode) {
    HitInfo.HitPositions.Include(hiNowhere);
    return;
  }
  if (!HitInfo.HitNode->States.Has(vsInitialized)) InitNode(HitInfo.HitNode);
  HitInfo.HitColumn = NoColumn;
  int cellWidth = static_cast<int>(width);
  TAlignment alignment = FAlignment;
  TBiDiMode bidi = FBiDiMode;
  if (FHeader->UseColumns()) {
    int left = 0, right = 0;
    HitInfo.HitColumn = columns.ColumnAndEdgesAt(Point(X, Y), left, false, right);
    if (HitInfo.HitColumn >= 0 && Has(toAutoSpanColumns)) {
      // Empty neighbour cells join the cell.
      const TColumnIndex found = HitInfo.HitColumn;
      while (HitInfo.HitColumn >= 0 && DoGetCellIsEmpty(HitInfo.HitNode, HitInfo.HitColumn)) {
        const TColumnIndex previous = columns.GetPreviousVisibleColumn(HitInfo.HitColumn);
        if (previous < 0) break;
        HitInfo.HitColumn = previous;
        left -= columns[previous]->Width();
      }
      for (TColumnIndex next = columns.GetNextVisibleColumn(found);
           next >= 0 && DoGetCellIsEmpty(HitInfo.HitNode, next); next = columns.GetNextVisibleColumn(next))
        right += columns[next]->Width();
    }
    if (HitInfo.HitColumn == InvalidColumn) {
      HitInfo.HitPositions.Include(hiNowhere);
      return;
    }
    X -= left;
    cellWidth = right - left;
    alignment = columns[HitInfo.HitColumn]->Alignment();
    bidi = columns[HitInfo.HitColumn]->BiDiMode();
  }
  HitInfo.HitPositions = {hiOnItem};
  if (Has(toNodeHeightResize)) {
    const TRect r = GetDisplayRect(HitInfo.HitNode, HitInfo.HitColumn, false);
    if (Y <= r.Top - FOffsetY + 1)
      HitInfo.HitPositions.Include(hiUpperSplitter);
    else if (Y >= r.Bottom - FOffsetY - 3)
      HitInfo.HitPositions.Include(hiLowerSplitter);
  }
  if (bidi == bdLeftToRight)
    ClassifyHitLeftToRight(HitInfo, X, cellWidth, alignment);
  else
    ClassifyHitRightToLeft(HitInfo, X, cellWidth, alignment);
}

void TBaseNodeTree::ClassifyHitLeftToRight(THitInfo& HitInfo, int X, int Width, TAlignment Alignment) {
  PVNode node = HitInfo.HitNode;
  const bool isMain = MainColumn() == HitInfo.HitColumn;
  const int indentWidth = isMain ? static_cast<int>(HitIndentWidth(node)) : 0;
  if (isMain && X < indentWidth + FMargin) {
    if (Has(toShowButtons) && node->States.Has(vsHasChildren)) {
      if (X >= indentWidth - static_cast<int>(FIndent)) HitInfo.HitPositions.Include(hiOnItemButton);
      if (X >= indentWidth - ButtonWidth) HitInfo.HitPositions.Include(hiOnItemButtonExact);
    }
    return;
  }
  if (!isMain && Has(toReportMode)) return;
  int pos = indentWidth + FMargin;
  if (isMain) {
    if (ShowsCheckBox(node)) pos += CheckImageWidth() + 2;
    if (X < pos) {
      HitInfo.HitPositions = {hiOnItem};
      if (node->CheckType != ctNone) HitInfo.HitPositions.Include(hiOnItemCheckbox);
      return;
    }
  }
  if (FStateImages) {
    const int w = ImageWidth(node, ikState, HitInfo.HitColumn);
    if (w > 0) {
      pos += w + 2;
      if (X < pos) {
        HitInfo.HitPositions.Include(hiOnStateIcon);
        return;
      }
    }
  }
  if (FImages) {
    const int w = ImageWidth(node, ikNormal, HitInfo.HitColumn);
    if (w > 0) {
      pos += w + 2;
      if (X < pos) {
        HitInfo.HitPositions.Include(hiOnNormalIcon);
        return;
      }
    }
  }
  const int textWidth = GetNodeContentWidth(node, HitInfo.HitColumn, nullptr);
  if (textWidth > Width - pos) {
    HitInfo.HitPositions.Include(hiOnItemLabel);
    return;
  }
  switch (Alignment) {
  case taRightJustify:
    HitInfo.HitPositions.Include(X < Width - textWidth ? hiOnItemLeft : hiOnItemLabel);
    break;
  case taCenter: {
    const int mid = (pos + Width - textWidth) / 2;
    HitInfo.HitPositions.Include(X < mid               ? hiOnItemLeft
                                 : X < mid + textWidth ? hiOnItemLabel
                                                       : hiOnItemRight);
    break;
  }
  default:
    HitInfo.HitPositions.Include(X < pos + textWidth ? hiOnItemLabel : hiOnItemRight);
  }
}

void TBaseNodeTree::ClassifyHitRightToLeft(THitInfo& HitInfo, int X, int Width, TAlignment Alignment) {
  PVNode node = HitInfo.HitNode;
  const bool isMain = MainColumn() == HitInfo.HitColumn;
  const int edge = Width - (isMain ? static_cast<int>(HitIndentWidth(node)) : 0);
  if (X >= edge) {
    if (Has(toShowButtons) && node->States.Has(vsHasChildren)) {
      if (X <= edge + static_cast<int>(FIndent)) HitInfo.HitPositions.Include(hiOnItemButton);
      if (X <= edge + ButtonWidth) HitInfo.HitPositions.Include(hiOnItemButtonExact);
    }
    return;
  }
  if (!isMain && Has(toReportMode)) return;
  int pos = edge - FMargin;
  if (isMain && ShowsCheckBox(node)) pos -= CheckImageWidth() + 2;
  if (isMain && X > pos) {
    HitInfo.HitPositions = {hiOnItem};
    if (node->CheckType != ctNone) HitInfo.HitPositions.Include(hiOnItemCheckbox);
    return;
  }
  if (FStateImages) {
    const int w = ImageWidth(node, ikState, HitInfo.HitColumn);
    if (w > 0) {
      pos -= w + 2;
      if (X > pos) {
        HitInfo.HitPositions.Include(hiOnStateIcon);
        return;
      }
    }
  }
  if (FImages) {
    const int w = ImageWidth(node, ikNormal, HitInfo.HitColumn);
    if (w > 0) {
      pos -= w + 2;
      if (X > pos) {
        HitInfo.HitPositions.Include(hiOnNormalIcon);
        return;
      }
    }
  }
  const int textWidth = GetNodeContentWidth(node, HitInfo.HitColumn, nullptr);
  if (textWidth > pos) {
    HitInfo.HitPositions.Include(hiOnItemLabel);
    return;
  }
  if (Alignment == taLeftJustify)
    Alignment = taRightJustify;
  else if (Alignment == taRightJustify)
    Alignment = taLeftJustify;
  switch (Alignment) {
  case taRightJustify:
    HitInfo.HitPositions.Include(X < pos - textWidth ? hiOnItemLeft : hiOnItemLabel);
    break;
  case taCenter: {
    const int mid = (pos - textWidth) / 2;
    HitInfo.HitPositions.Include(X < mid               ? hiOnItemLeft
                                 : X < mid + textWidth ? hiOnItemLabel
                                                       : hiOnItemRight);
    break;
  }
  default:
    HitInfo.HitPositions.Include(X > textWidth ? hiOnItemRight : hiOnItemLabel);
  }
}

PVNode TBaseNodeTree::GetNodeAt(int X, int Y) {
  int top = 0;
  return GetNodeAt(X, Y, true, top);
}

PVNode TBaseNodeTree::GetNodeAt(int X, int Y, bool Relative, int& NodeTop) {
  std::int64_t y = std::max(Y, 0);
  if (Relative) y -= FOffsetY;
  const auto target = static_cast<std::uint32_t>(y);
  PVNode node;
  std::uint32_t top = 0;
  if (TreeStates().Has(tsUseCache))
    node = FindCacheEntryAtY(target, top);
  else
    node = GetFirstVisibleNoInit(nullptr, true);
  while (node && node != FRoot) {
    const std::uint32_t height = NodeHeight(node);
    if (target < top + height) break;
    top += height;
    node = NextShownNoInit(node);
  }
  if (node == FRoot) node = nullptr;
  if (node) NodeTop = static_cast<int>(top) + (Relative ? FOffsetY : 0);
  return node;
}

TRect TBaseNodeTree::GetDisplayRect(PVNode Node, TColumnIndex Column, bool TextOnly, bool Unclipped,
                                    bool ApplyCellContentMargin) {
  Assert(Node != nullptr, "Node must not be nil.");
  Assert(Node != FRoot, "Node must not be the hidden root node.");
  const bool isMainOrNone = Column == NoColumn || Column == MainColumn();
  if (!Node->States.Has(vsInitialized)) InitNode(Node);
  TRect result{};
  if (!IsEffectivelyVisible(Node)) return result;
  int indent = 0;
  if (!Has(toFixedIndent)) {
    for (PVNode run = Node; run != FRoot; run = run->Parent) {
      if (!run->States.Has(vsVisible)) return result;
      if (run->Parent != FRoot) {
        if (!run->Parent->States.Has(vsExpanded)) return result;
        if (isMainOrNone) indent += static_cast<int>(FIndent);
      }
    }
  }
  std::uint32_t top = 0;
  PVNode entry = nullptr;
  if (TreeStates().Has(tsUseCache)) entry = FindCacheEntryForNode(Node, top);
  if (entry) {
    for (PVNode run = entry; run && run != Node; run = GetNextVisibleNoInit(run, true))
      top += NodeHeight(run);
  } else {
    top = 0;
    for (PVNode run = GetPreviousVisibleNoInit(Node, true); run; run = GetPreviousVisibleNoInit(run, true))
      top += NodeHeight(run);
  }
  const int width = static_cast<int>(std::max<std::int64_t>(ClientWidth(), RangeX()));
  TRect r = Rect(0, static_cast<int>(top), width, static_cast<int>(top + NodeHeight(Node)));
  TAlignment alignment = FAlignment;
  bool ltr = FBiDiMode == bdLeftToRight;
  const TNodeTreeColumns& columns = FHeader->Columns();
  if (Column >= 0 && columns.IsValidColumn(Column)) {
    columns.GetColumnBounds(Column, r.Left, r.Right);
    r.Right -= 1;
    OffsetRect(r, 0, FOffsetY);
    alignment = columns[Column]->Alignment();
    ltr = columns[Column]->BiDiMode() == bdLeftToRight;
  } else {
    OffsetRect(r, -EffectiveOffsetX(), FOffsetY);
  }
  if (!TextOnly) return r;

  int offset = FMargin + indent;
  if (isMainOrNone) {
    if (Has(toShowRoot)) offset += static_cast<int>(FIndent);
    if (ShowsCheckBox(Node)) offset += CheckImageWidth() + 2;
  }
  if (FStateImages) {
    const int w = ImageWidth(Node, ikState, Column);
    if (w > 0) offset += w + 2;
  }
  if (FImages) {
    const int w = ImageWidth(Node, ikNormal, Column);
    if (w > 0) offset += w + 2;
  }
  if (ltr) {
    r.Left += offset;
  } else {
    r.Right -= offset;
    if (alignment == taLeftJustify)
      alignment = taRightJustify;
    else if (alignment == taRightJustify)
      alignment = taLeftJustify;
  }
  const int textWidth = GetNodeContentWidth(Node, Column, nullptr);
  const int cellHeight = r.Height();
  (void)ApplyCellContentMargin;
  if (Unclipped) {
    if (r.Width() < textWidth - 1) alignment = ltr ? taLeftJustify : taRightJustify;
    const int h = std::min(Canvas().TextHeight("Tg"), cellHeight);
    const int d = h - r.Height();
    if (d > 0) InflateRect(r, 0, (d + 1) / 2);
    switch (alignment) {
    case taRightJustify:
      r.Left = r.Right - textWidth;
      break;
    case taLeftJustify:
      r.Right = r.Left + textWidth - 1;
      break;
    case taCenter:
      r.Left = (r.Left + r.Right - textWidth) / 2;
      r.Right = r.Left + textWidth;
      break;
    }
    return r;
  }
  if (textWidth >= r.Width()) return r;
  switch (alignment) {
  case taRightJustify:
    r.Left = r.Right - textWidth;
    break;
  case taLeftJustify:
    r.Right = r.Left + textWidth;
    break;
  case taCenter:
    r.Left = (r.Left + r.Right - textWidth) / 2;
    r.Right = r.Left + textWidth;
    break;
  }
  return r;
}

int TBaseNodeTree::CompareTreeOrder(PVNode Node1, PVNode Node2, bool ConsiderChildrenAbove) const {
  Assert(Node1 != nullptr && Node2 != nullptr, "Nodes must never be nil.");
  if (Node1 == Node2) return 0;
  const bool above = ConsiderChildrenAbove && Has(toChildrenAbove);
  if (HasAsParent(Node1, Node2)) return above ? -1 : 1;
  if (HasAsParent(Node2, Node1)) return above ? 1 : -1;
  std::uint32_t l1 = GetNodeLevel(Node1), l2 = GetNodeLevel(Node2);
  while (l1 > l2) {
    Node1 = Node1->Parent;
    --l1;
  }
  while (l2 > l1) {
    Node2 = Node2->Parent;
    --l2;
  }
  while (Node1->Parent != Node2->Parent) {
    Node1 = Node1->Parent;
    Node2 = Node2->Parent;
  }
  return static_cast<int>(Node1->Index) - static_cast<int>(Node2->Index);
}
