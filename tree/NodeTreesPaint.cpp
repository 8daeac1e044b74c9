// Painting the tree: row by row into a one-row bitmap, each row's background, selection and focus
// rectangle, then lines, button, check box, images and content; the empty-list message.
#include "tree/NodeTrees.h"
#include "tree/VTHeader.h"

#include "platform/ui/ImageList.h"
#include "tree/CheckImages.h"

#include <algorithm>
#include <cmath>

void TBaseNodeTree::SetEmptyListMessage(const std::string& value) {
  if (FEmptyListMessage == value) return;
  FEmptyListMessage = value;
  InvalidateTree();
}

bool TBaseNodeTree::PaintsFocused() const {
  return Focused() || Has(toPopupMode);
}

void TBaseNodeTree::Paint() {
  const TVTInternalPaintOptions options{poBackground,    poColumnColor,  poDrawFocusRect,
                                        poDrawSelection, poDrawDropMark, poGridLines};
  // The shown header takes the top of the surface; the client area starts below it.
  const int headerHeight = HeaderHeightShown();
  if (headerHeight > 0) {
    const TRect clip = Canvas().ClipRect();
    if (clip.Top < headerHeight && !clip.IsEmpty())
      FHeader->Columns().PaintHeader(Canvas(), TRect{clip.Left, 0, clip.Right, headerHeight},
                                     -EffectiveOffsetX());
    Canvas().SetWindowOrg(TPoint{0, -headerHeight});
    Canvas().IntersectClipRect(TRect{0, 0, Width(), ClientHeight()});
  }
  TRect update = Canvas().ClipRect();
  if (update.IsEmpty()) return;
  const TPoint target{update.Left, update.Top};
  update.Left += EffectiveOffsetX();
  update.Right += EffectiveOffsetX();
  update.Top -= FOffsetY;
  update.Bottom -= FOffsetY;
  PaintTree(Canvas(), update, target, options);
  if (headerHeight > 0) Canvas().SetWindowOrg(TPoint{0, 0});
}

void TBaseNodeTree::EraseNodeBackground(TVTPaintInfo& PaintInfo, const TRect& Area) {
  TColor colour = FColors->BackGroundColor();
  TItemEraseAction action = eaDefault;
  TRect r = Area;
  DoBeforeItemErase(*PaintInfo.Canvas, PaintInfo.Node, r, colour, action);
  TCanvas& c = *PaintInfo.Canvas;
  c.Brush().SetStyle(bsSolid);
  if (action == eaColor || action == eaDefault) {
    const bool rowSelection = action == eaDefault && PaintInfo.PaintOptions.Has(poDrawSelection) &&
                              Has(toFullRowSelect) && PaintInfo.Node->States.Has(vsSelected) &&
                              !Has(toUseBlendedSelection);
    if (rowSelection) {
      if (Has(toShowHorzGridLines)) {
        c.Brush().SetColor(colour);
        c.FillRect(TRect{r.Left, r.Bottom - 1, r.Right, r.Bottom});
        --r.Bottom;
      }
      const bool focused = PaintsFocused();
      c.Brush().SetColor(focused ? FColors->FocusedSelectionColor() : FColors->UnfocusedSelectionColor());
      c.Pen().SetColor(focused ? FColors->FocusedSelectionBorderColor()
                               : FColors->UnfocusedSelectionBorderColor());
      const int radius = static_cast<int>(FSelectionCurveRadius);
      c.RoundRect(r.Left, r.Top, r.Right, r.Bottom, radius, radius);
    } else {
      c.Brush().SetColor(colour);
      c.FillRect(r);
    }
  }
  DoAfterItemErase(c, PaintInfo.Node, r);
}

void TBaseNodeTree::PaintCellBackground(TVTPaintInfo& PaintInfo) {
  TCanvas& c = *PaintInfo.Canvas;
  PVNode node = PaintInfo.Node;
  DoBeforeCellPaint(c, node, PaintInfo.Column, cpmPaint, PaintInfo.CellRect, PaintInfo.ContentRect);
  TRect inner = PaintInfo.ContentRect;
  if (!Has(toGridExtensions) && PaintInfo.NodeWidth < inner.Width()) {
    switch (PaintInfo.Alignment) {
    case taLeftJustify:
      inner.Right = inner.Left + PaintInfo.NodeWidth;
      break;
    case taRightJustify:
      inner.Left = inner.Right - PaintInfo.NodeWidth;
      break;
    case taCenter:
      inner.Left = (inner.Left + inner.Right - PaintInfo.NodeWidth) / 2;
      inner.Right = inner.Left + PaintInfo.NodeWidth;
      break;
    }
  }
  const bool cellOfFocus = PaintInfo.Column == FFocusedColumn || Has(toFullRowSelect);
  if (!cellOfFocus) return;
  const bool focused = PaintsFocused();
  const TRect area = Has(toGridExtensions) || Has(toFullRowSelect) ? PaintInfo.CellRect : inner;
  if (PaintInfo.PaintOptions.Has(poDrawSelection) && !area.IsEmpty()) {
    const int radius = static_cast<int>(FSelectionCurveRadius);
    c.Brush().SetStyle(bsSolid);
    if (node == FDropTargetNode && node->States.Has(vsSelected)) {
      c.Brush().SetColor(FColors->DropTargetColor());
      c.Pen().SetColor(FColors->DropTargetBorderColor());
      c.RoundRect(area.Left, area.Top, area.Right, area.Bottom, radius, radius);
    } else if (node->States.Has(vsSelected)) {
      c.Brush().SetColor(focused ? FColors->FocusedSelectionColor() : FColors->UnfocusedSelectionColor());
      c.Pen().SetColor(focused ? FColors->FocusedSelectionBorderColor()
                               : FColors->UnfocusedSelectionBorderColor());
      c.RoundRect(area.Left, area.Top, area.Right, area.Bottom, radius, radius);
    }
  }
  if (PaintInfo.PaintOptions.Has(poDrawFocusRect) && focused && node == FFocusedNode) {
    const TRect focusRect = Has(toGridExtensions) ? PaintInfo.CellRect : inner;
    if (!focusRect.IsEmpty()) {
      c.Font().SetColor(clWhite);
      c.Brush().SetColor(clBlack);
      c.DrawFocusRect(focusRect);
    }
  }
}

void TBaseNodeTree::PaintTree(TCanvas& TargetCanvas, const TRect& Window, TPoint Target,
                              TVTInternalPaintOptions PaintOptions) {
  if (TreeStates().Has(tsPainting)) return;
  DoStateChange({tsPainting});
  struct TLeave {
    TBaseNodeTree* tree;
    ~TLeave() { tree->DoStateChange({}, {tsPainting}); }
  } leave{this};

  DoBeforePaint(TargetCanvas);
  TVTPaintInfo info;
  const int paintWidth = Window.Right - Window.Left;
  if (paintWidth <= 0 || Window.Bottom <= Window.Top) return;
  TBitmap row;
  row.SetPixelFormat(pf32bit);
  row.SetSize(paintWidth, 0);
  info.Canvas = &row.Canvas();
  const int maximumRight = std::max<int>(ClientWidth(), static_cast<int>(FRangeX));
  TRect treeRect{0, 0, maximumRight, 0};

  const bool showImages = FImages != nullptr;
  const bool showStateImages = FStateImages != nullptr;
  const bool showCheckImages = Has(toCheckSupport) && CheckImageWidth() > 0;
  if (Has(toAlwaysHideSelection) || (!Focused() && Has(toHideSelection)))
    PaintOptions.Exclude(poDrawSelection);
  if (Has(toHideFocusRect)) PaintOptions.Exclude(poDrawFocusRect);

  int nodeTop = 0;
  PVNode node = GetNodeAt(0, Window.Top, false, nodeTop);
  if (!node) nodeTop = Window.Top;
  TRect targetRect{Target.X, Target.Y - (Window.Top - nodeTop), Target.X + paintWidth, 0};
  targetRect.Bottom = targetRect.Top;
  const int maxY = Target.Y + (Window.Bottom - Window.Top);
  TargetCanvas.Font() = Font();
  DrawButtonBitmaps();
  TLineImage lineImage;
  // The cells of a row: the whole width without columns, else each visible column, the scrolled
  // ones first so that the fixed ones (which never scroll) lie on top.
  struct TCellPlan {
    TColumnIndex Column;
    int Left, Right;
  };
  std::vector<TCellPlan> cells;
  const TNodeTreeColumns& columns = FHeader->Columns();
  if (!FHeader->UseColumns()) {
    cells.push_back({NoColumn, 0, maximumRight});
  } else {
    for (bool fixedPass : {false, true})
      for (TNodeTreeColumn* column : columns.GetVisibleColumns()) {
        if (column->Has(coFixed) != fixedPass) continue;
        const int left = column->UnscrolledLeft() + (fixedPass ? EffectiveOffsetX() : 0);
        cells.push_back({column->Index(), left, left + column->Width()});
      }
  }

  while (node) {
    int selectLevel = ComputeLineImage(node, lineImage);
    const int indentSize = static_cast<int>(lineImage.size());
    const int levelTerm = Has(toFixedIndent) ? 0 : (indentSize - 1) * static_cast<int>(FIndent);
    const int buttonX =
        static_cast<int>(std::nearbyint((static_cast<int>(FIndent) - FPlusBM.Width()) / 2.0)) + 1 + levelTerm;
    if (!node->States.Has(vsInitialized)) InitNode(node);
    if (node->States.Has(vsSelected) && !Has(toChildrenAbove)) ++selectLevel;
    MeasureItemHeight(info.Canvas, node);
    const int nodeHeight = static_cast<int>(node->NodeHeight);
    info.BrushOrigin = TPoint{((Window.Left % 2) + 2) % 2, ((nodeTop % 2) + 2) % 2};
    nodeTop += nodeHeight;
    targetRect.Bottom = targetRect.Top + nodeHeight;

    if (selectLevel > 0 || !PaintOptions.Has(poSelectedOnly)) {
      if (row.Height() != nodeHeight) row.SetSize(paintWidth, nodeHeight);
      TCanvas& c = row.Canvas();
      c.SetWindowOrg(TPoint{Window.Left, 0});
      c.Font() = Font();
      treeRect.Bottom = nodeHeight;
      int vAlign = 0, buttonY = 0;
      info.Node = node;
      ComputeNodeVAlign(showImages, showStateImages, node, vAlign, buttonY);
      if (!DoBeforeItemPaint(c, node, treeRect)) {
        info.PaintOptions = PaintOptions;
        EraseNodeBackground(info, TRect{Window.Left, 0, Window.Right, nodeHeight});
        for (const TCellPlan& plan : cells) {
          info.CellRect = TRect{plan.Left, 0, plan.Right, nodeHeight};
          info.Column = plan.Column;
          const bool isMain = plan.Column == MainColumn();
          info.Alignment = plan.Column >= 0 ? columns[plan.Column]->Alignment() : FAlignment;
          info.BidiMode = plan.Column >= 0 ? columns[plan.Column]->BiDiMode() : FBiDiMode;
          info.PaintOptions = PaintOptions;
          if (plan.Column < 0) info.PaintOptions.Exclude(poColumnColor);
          if (info.CellRect.Right <= Window.Left || info.CellRect.Left >= Window.Right) continue;
          const int saved = c.SaveDC();
          if (plan.Column >= 0) {
            c.IntersectClipRect(info.CellRect);
            // A column of its own colour fills its cell before anything else.
            const TColor colour = columns[plan.Column]->Color();
            if (info.PaintOptions.Has(poColumnColor) && colour != FColors->BackGroundColor()) {
              c.Brush().SetStyle(bsSolid);
              c.Brush().SetColor(colour);
              c.FillRect(info.CellRect);
            }
          }
          info.NodeWidth = GetNodeContentWidth(node, plan.Column, &c);
          info.ContentRect = info.CellRect;
          info.ContentRect.Left += FMargin;
          for (auto& slot : info.ImageInfo)
            slot = TVTImageSlot{};
          if (isMain && showCheckImages && node->CheckType != ctNone) {
            TVTImageSlot& slot = info.ImageInfo[imgCheck];
            slot.Index = CheckImageIndex(node, ctNone, csUncheckedNormal, true);
            PlaceImage(CheckImageSize, CheckImageSize, vAlign, info.ContentRect, slot);
          }
          QueryImage(info, ikState, imgState, FStateImages);
          if (info.ImageInfo[imgState].Index >= 0)
            PlaceImage(info.ImageInfo[imgState].ImageList->Width(),
                       info.ImageInfo[imgState].ImageList->Height(), vAlign, info.ContentRect,
                       info.ImageInfo[imgState]);
          QueryImage(info, node->States.Has(vsSelected) ? ikSelected : ikNormal, imgNormal, FImages);
          if (info.ImageInfo[imgNormal].Index >= 0)
            PlaceImage(info.ImageInfo[imgNormal].ImageList->Width(),
                       info.ImageInfo[imgNormal].ImageList->Height(), vAlign, info.ContentRect,
                       info.ImageInfo[imgNormal]);
          // Only the main column shows the structure: indentation, lines and buttons.
          const int shift = isMain ? (Has(toFixedIndent) ? 1 : indentSize) * static_cast<int>(FIndent) : 0;
          info.ContentRect.Left += shift;
          for (TVTImageSlotKind k : {imgNormal, imgState, imgCheck})
            info.ImageInfo[k].X += shift;
          PaintCellBackground(info);
          if (isMain && Has(toShowTreeLines) &&
              !(Has(toHideTreeLinesIfThemed) && TreeStates().Has(tsUseThemes)))
            PaintNodeLines(info, vAlign, indentSize, lineImage);
          if (isMain && Has(toShowButtons) && node->States.Has(vsHasChildren) &&
              !(node->States.Has(vsAllChildrenHidden) && Has(toAutoHideButtons)))
            PaintExpandButton(c, node, info.CellRect, buttonX, buttonY);
          if (info.ImageInfo[imgCheck].Index > -1) PaintCheckBox(c, info.ImageInfo[imgCheck]);
          if (info.ImageInfo[imgState].Index > -1) PaintNodeImage(info, imgState);
          if (info.ImageInfo[imgNormal].Index > -1) PaintNodeImage(info, imgNormal);
          PaintNodeContent(info);
          if (plan.Column >= 0 && Has(toShowVertGridLines) && PaintOptions.Has(poGridLines)) {
            c.Pen().SetColor(FColors->GridLineColor());
            c.MoveTo(info.CellRect.Right - 1, 0);
            c.LineTo(info.CellRect.Right - 1, nodeHeight);
          }
          DoAfterCellPaint(c, node, plan.Column, info.CellRect);
          c.RestoreDC(saved);
        }
      }
      DoAfterItemPaint(c, node, treeRect);
      c.SetWindowOrg(TPoint{0, 0});
      TargetCanvas.Draw(targetRect.Left, targetRect.Top, row);
    }
    targetRect.Top += nodeHeight;
    if (targetRect.Top >= maxY) break;
    node = GetNextVisible(node, true);
  }

  if (targetRect.Top < maxY) {
    const TRect below{Target.X, targetRect.Top, Target.X + paintWidth, maxY};
    if (!DoPaintBackground(TargetCanvas, below)) {
      TargetCanvas.Brush().SetStyle(bsSolid);
      TargetCanvas.Brush().SetColor(FColors->BackGroundColor());
      TargetCanvas.FillRect(below);
    }
  }

  if (RootNodeCount() == 0 && !FEmptyListMessage.empty()) {
    TargetCanvas.Font() = Font();
    TargetCanvas.Font().SetColor(clGrayText);
    TargetCanvas.Brush().SetStyle(bsClear);
    TRect r{FOffsetX + 2, 2, FOffsetX + Width(), Height() - 2};
    TargetCanvas.DrawText(FEmptyListMessage, r, DT_LEFT | DT_NOCLIP | DT_WORDBREAK);
  }
  DoAfterPaint(TargetCanvas);
}
