// The rubber band: the rectangle drawn with the mouse and the nodes it takes in or lets go.
#include "tree/NodeTrees.h"
#include "tree/VTHeader.h"

#include <algorithm>

namespace {

TRect Ordered(const TRect& r) {
  return Rect(std::min(r.Left, r.Right), std::min(r.Top, r.Bottom), std::max(r.Left, r.Right),
              std::max(r.Top, r.Bottom));
}

TAlignment Mirrored(TAlignment a) {
  return a == taLeftJustify ? taRightJustify : a == taRightJustify ? taLeftJustify : a;
}

} // namespace

bool TBaseNodeTree::TrackSelectionRect(int X, int Y) {
  if (TreeStates().Has(tsDrawSelecting)) FLastSelRect = FNewSelRect;
  const int width = static_cast<int>(std::max<std::int64_t>(ClientWidth(), RangeX()));
  const int height = static_cast<int>(std::max<std::int64_t>(ClientHeight(), RangeY()));
  FNewSelRect.Right = std::clamp(X + EffectiveOffsetX(), 0, width);
  FNewSelRect.Bottom = std::clamp(Y - FOffsetY, 0, height);
  return !(FLastSelRect == FNewSelRect);
}

bool TBaseNodeTree::ApplyBandSelection() {
  if (IsEmpty() || !TreeStates().Has(tsDrawSelecting)) return false;
  const TRect oldRect = Ordered(FLastSelRect), newRect = Ordered(FNewSelRect);
  ClearTempNodes();
  // With columns only the main column's cell (unscrolled) takes part.
  TColumnIndex main = NoColumn;
  int mainLeft = 0, mainRight = ClientWidth();
  TAlignment alignment = FAlignment;
  if (FHeader->UseColumns() && FHeader->Columns().IsValidColumn(MainColumn())) {
    main = MainColumn();
    const TNodeTreeColumn& column = *FHeader->Columns()[main];
    mainLeft = column.UnscrolledLeft();
    mainRight = mainLeft + column.Width();
    alignment = column.Alignment();
  }
  const bool changed =
      FBiDiMode == bdLeftToRight
          ? GatherBandNodesLeftToRight(main, mainLeft, mainRight, alignment, oldRect, newRect)
          : GatherBandNodesRightToLeft(main, mainLeft, mainRight, alignment, oldRect, newRect);
  if (changed) {
    CompactSelection();
    if (FTempNodeCount > 0) AddNodesToSelection(FTempNodeCache, static_cast<int>(FTempNodeCount), false);
    ClearTempNodes();
    NotifyChange(nullptr);
  }
  return changed;
}

bool TBaseNodeTree::GatherBandNodesLeftToRight(TColumnIndex MainColumn, int MainLeft, int MainRight,
                                               TAlignment Alignment, const TRect& OldRect,
                                               const TRect& NewRect) {
  const bool toggle = FDrawSelShiftState & ssCtrl;
  const int checkWidth = Has(toCheckSupport) && CheckImageWidth() > 0 ? CheckImageWidth() + 2 : 0;
  const bool simple = Has(toSimpleDrawSelection) || Has(toFullRowSelect);
  int nodeTop = 0;
  PVNode node = GetNodeAt(0, std::min(OldRect.Top, NewRect.Top), false, nodeTop);
  if (!node) return false;
  int nodeLeft =
      MainLeft + FMargin + static_cast<int>((GetNodeLevel(node) + (Has(toShowRoot) ? 1 : 0)) * FIndent);
  const int bottom = std::max(OldRect.Bottom, NewRect.Bottom);
  bool changed = false;
  for (;;) {
    int textLeft = nodeLeft + (node->CheckType != ctNone ? checkWidth : 0);
    if (FImages) {
      const int w = ImageWidth(node, ikNormal, MainColumn);
      if (w > 0) textLeft += w + 2;
    }
    if (FStateImages) {
      const int w = ImageWidth(node, ikState, MainColumn);
      if (w > 0) textLeft += w + 2;
    }
    const int nodeBottom = nodeTop + static_cast<int>(NodeHeight(node));
    const int content = GetNodeContentWidth(node, MainColumn, nullptr);
    auto takes = [&](const TRect& r) {
      if (simple) return r.Top < nodeBottom && nodeTop < r.Bottom && nodeLeft < r.Right;
      int left = textLeft, right = MainRight;
      const bool whole =
          (Alignment == taLeftJustify && textLeft >= OldRect.Left && textLeft >= NewRect.Left) ||
          content >= MainRight - textLeft;
      if (!whole) {
        if (Alignment == taLeftJustify) {
          right = textLeft + content;
        } else if (Alignment == taCenter) {
          left = (textLeft + MainRight - content) / 2;
          right = left + content;
        } else {
          left = MainRight - content;
        }
      }
      return right >= r.Left && r.Right >= left && r.Top < nodeBottom && nodeTop < r.Bottom;
    };
    const bool inOld = takes(OldRect), inNew = takes(NewRect);
    if (inOld != inNew) {
      changed = true;
      const bool add = toggle ? !node->States.Has(vsSelected) : inNew;
      if (add)
        AppendTempNode(node);
      else
        DetachFromSelection(node);
    }
    nodeTop = nodeBottom;
    PVNode next = GetNextVisibleNoInit(node, true);
    if (!next || nodeTop > bottom) break;
    nodeLeft += LevelDistance(node, next) * static_cast<int>(FIndent);
    node = next;
  }
  return changed;
}

bool TBaseNodeTree::GatherBandNodesRightToLeft(TColumnIndex MainColumn, int MainLeft, int MainRight,
                                               TAlignment Alignment, const TRect& OldRect,
                                               const TRect& NewRect) {
  Alignment = Mirrored(Alignment);
  const bool toggle = FDrawSelShiftState & ssCtrl;
  const int checkWidth = Has(toCheckSupport) && CheckImageWidth() > 0 ? CheckImageWidth() + 2 : 0;
  const bool simple = Has(toSimpleDrawSelection);
  int nodeTop = 0;
  PVNode node = GetNodeAt(0, std::min(OldRect.Top, NewRect.Top), false, nodeTop);
  if (!node) return false;
  int nodeRight = MainRight - FMargin - static_cast<int>(GetNodeLevel(node) * FIndent);
  const int bottom = std::max(OldRect.Bottom, NewRect.Bottom);
  bool changed = false;
  for (;;) {
    int textRight = nodeRight - (node->CheckType != ctNone ? checkWidth : 0);
    if (FImages) {
      const int w = ImageWidth(node, ikNormal, MainColumn);
      if (w > 0) textRight -= w + 2;
    }
    if (FStateImages) {
      const int w = ImageWidth(node, ikState, MainColumn);
      if (w > 0) textRight -= w + 2;
    }
    const int nodeBottom = nodeTop + static_cast<int>(NodeHeight(node));
    const int content = GetNodeContentWidth(node, MainColumn, nullptr);
    auto takes = [&](const TRect& r) {
      if (simple) return r.Top < nodeBottom && nodeTop < r.Bottom;
      int left = MainLeft, right = textRight;
      const bool whole =
          (Alignment == taRightJustify && textRight <= OldRect.Right && textRight <= NewRect.Right) ||
          content >= textRight - MainLeft;
      if (!whole) {
        if (Alignment == taLeftJustify) {
          right = MainLeft + content;
        } else if (Alignment == taCenter) {
          left = (MainLeft + textRight - content) / 2;
          right = left + content;
        } else {
          left = textRight - content;
        }
      }
      return right >= r.Left && r.Right >= left && r.Top < nodeBottom && nodeTop < r.Bottom;
    };
    const bool inOld = takes(OldRect), inNew = takes(NewRect);
    if (inOld != inNew) {
      changed = true;
      const bool add = toggle ? !node->States.Has(vsSelected) : inNew;
      if (add)
        AppendTempNode(node);
      else
        DetachFromSelection(node);
    }
    nodeTop = nodeBottom;
    PVNode next = GetNextVisibleNoInit(node, true);
    if (!next || nodeTop > bottom) break;
    nodeRight -= LevelDistance(node, next) * static_cast<int>(FIndent);
    node = next;
  }
  return changed;
}
