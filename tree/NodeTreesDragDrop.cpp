// Dragging nodes out of the tree and dropping onto it: drop target node and mode, the suggested
// effect, expanding a collapsed parent held under the mouse, and scrolling at the edges.
#include "tree/NodeTrees.h"

#include "platform/ui/DragDrop.h"
#include "platform/ui/KeyState.h"
#include "tree/VTDataObject.h"

#include <algorithm>

namespace {

TRect UnionRect(const TRect& a, const TRect& b) {
  if (a.Right <= a.Left || a.Bottom <= a.Top) return b;
  if (b.Right <= b.Left || b.Bottom <= b.Top) return a;
  return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
          std::max(a.Bottom, b.Bottom)};
}

} // namespace

// ---------------------------------------------------------------- drag source

void TBaseNodeTree::BeginDrag(bool Immediate, int Threshold) {
  if (FDragType == dtVCL) {
    DoStateChange({tsVCLDragPending});
    return;
  }
  const TNodeTreeStates s = TreeStates();
  if (s.Has(tsOLEDragging) || s.Has(tsOLEDragPending)) return;
  FDragThreshold = Threshold < 0 ? 5 : Threshold;
  if (Immediate)
    StartOLEDrag(FLastClickPos);
  else
    DoStateChange({tsOLEDragPending});
}

bool TBaseNodeTree::Dragging() const {
  const TNodeTreeStates s = TreeStates();
  return s.Has(tsOLEDragging) || s.Has(tsOLEDragPending) || s.Has(tsVCLDragging);
}

void TBaseNodeTree::StartOLEDrag(TPoint P) {
  if (IsEditing()) CancelEditNode();
  if (FCurrentHotNode) {
    InvalidateNode(FCurrentHotNode);
    FCurrentHotNode = nullptr;
  }
  if (FFocusedNode && !Selected(FFocusedNode)) AddToSelection(FFocusedNode);
  FDragSelection = GetSortedSelection(true);
  DoStateChange({tsOLEDragging}, {tsOLEDragPending, tsClearPending});
  if (OnStartDrag) OnStartDrag(this);
  IDataObjectPtr data = DragManager()->GetDataObject();
  PrepareDragImage(P, data);
  FLastDropMode = dmOnNode;
  FLastDragEffect = DROPEFFECT_NONE;
  unsigned allowed = 0;
  if (FDragOperations.Has(doCopy)) allowed |= DROPEFFECT_COPY;
  if (FDragOperations.Has(doMove)) allowed |= DROPEFFECT_MOVE;
  if (FDragOperations.Has(doLink)) allowed |= DROPEFFECT_LINK;
  auto finish = [&] {
    const TPoint at = FLastMousePos;
    if (OnEndDrag) OnEndDrag(this, nullptr, at.X, at.Y);
    EndDragCleanup();
    FDragImage.EndDrag();
    if (FLastDragEffect == DROPEFFECT_MOVE && Has(toAutoDeleteMovedNodes)) DeleteSelectedNodes();
    DoStateChange({}, {tsOLEDragging});
    FDragSelection.clear();
  };
  try {
    RunOLEDragLoop(allowed, data, FLastDragEffect);
    DragManager()->ForceDragLeave();
  } catch (...) {
    finish();
    throw;
  }
  finish();
}

void TBaseNodeTree::RunOLEDragLoop(unsigned AllowedEffects, const IDataObjectPtr& DataObject,
                                   unsigned& DragEffect) {
  auto source = std::dynamic_pointer_cast<IDropSource>(DragManager());
  if (!source) source = std::make_shared<TDefaultDropSource>();
  ::DoDragDrop(DataObject, source, AllowedEffects, DragEffect);
}

void TBaseNodeTree::EndDragCleanup() {
  const TNodeTreeStates s = TreeStates();
  if (!s.Has(tsOLEDragging) && !s.Has(tsVCLDragging) && !s.Has(tsVCLDragPending) && !s.Has(tsVCLDragFinished))
    return;
  DoStateChange({}, {tsUserDragObject, tsVCLDragging, tsVCLDragPending, tsVCLDragFinished});
  // The click that started the drag ends as a button release at the mouse.
  TMessage message{};
  message.Msg = s.Has(tsRightButtonDown)    ? WM_RBUTTONUP
                : s.Has(tsMiddleButtonDown) ? WM_MBUTTONUP
                                            : WM_LBUTTONUP;
  message.LParam =
      static_cast<std::intptr_t>((FLastMousePos.X & 0xFFFF) | ((FLastMousePos.Y & 0xFFFF) << 16));
  if (s.Has(tsRightButtonDown) || s.Has(tsMiddleButtonDown) || s.Has(tsLeftButtonDown)) WndProc(message);
}

void TBaseNodeTree::PrepareDragImage(TPoint HotSpot, const IDataObjectPtr& DataObject) {
  if (FDragImageKind == diNoImage) return;
  TPoint p{HotSpot.X + EffectiveOffsetX(), HotSpot.Y - FOffsetY};
  TRect area{p.X - FDragWidth / 2, p.Y - FDragHeight / 2, p.X + FDragWidth / 2, p.Y + FDragHeight / 2};
  TPoint target{0, 0};
  if (area.Left < 0) {
    target.X = -area.Left;
    area.Left = 0;
  }
  if (area.Top < 0) {
    target.Y = -area.Top;
    area.Top = 0;
  }
  TBitmap image;
  image.SetPixelFormat(pf32bit);
  image.SetSize(area.Right - area.Left + target.X, area.Bottom - area.Top + target.Y);
  image.Canvas().Brush().SetColor(FColors->BackGroundColor());
  image.Canvas().FillRect({0, 0, image.Width(), image.Height()});
  TVTInternalPaintOptions options{poDrawSelection, poSelectedOnly};
  if (FDragImageKind == diMainColumnOnly) options.Include(poMainOnly);
  PaintTree(image.Canvas(), area, target, options);
  const TPoint position =
      ClientToScreen({area.Left - target.X - EffectiveOffsetX(), area.Top - target.Y + FOffsetY});
  FDragImage.SetColorKey(FColors->BackGroundColor());
  FDragImage.PrepareDrag(image, position, ClientToScreen(HotSpot), DataObject);
}

// ---------------------------------------------------------------- drop target

TShiftState TBaseNodeTree::DragShiftState(unsigned KeyState, bool ForDrop) const {
  TShiftState shift = 0;
  if (KeyState & MK_SHIFT) shift |= ssShift;
  if (KeyState & MK_CONTROL) shift |= ssCtrl;
  if (KeyState & MK_ALT) shift |= ssAlt;
  const TNodeTreeStates s = TreeStates();
  if (ForDrop) {
    shift |= s.Has(tsRightButtonDown) ? ssRight : s.Has(tsMiddleButtonDown) ? ssMiddle : ssLeft;
  } else {
    if (s.Has(tsLeftButtonDown)) shift |= ssLeft;
    if (s.Has(tsMiddleButtonDown)) shift |= ssMiddle;
    if (s.Has(tsRightButtonDown)) shift |= ssRight;
  }
  return shift;
}

bool TBaseNodeTree::DoDragOver(TObject* Source, TShiftState Shift, TDragState State, TPoint Pt,
                               TDropMode Mode, unsigned& Effect) {
  bool accept = false;
  if (OnDragOver) OnDragOver(this, Source, Shift, State, Pt, Mode, Effect, accept);
  return accept;
}

void TBaseNodeTree::DoDragDrop(TObject* Source, const IDataObjectPtr& DataObject, const TFormatArray& Formats,
                               TShiftState Shift, TPoint Pt, unsigned& Effect, TDropMode Mode) {
  if (OnDragDrop) OnDragDrop(this, Source, DataObject, Formats, Shift, Pt, Effect, Mode);
}

unsigned TBaseNodeTree::SuggestDropEffect(TObject* Source, TShiftState Shift, TPoint,
                                          unsigned AllowedEffects) {
  unsigned result;
  if (Source == this && (AllowedEffects & DROPEFFECT_MOVE))
    result = DROPEFFECT_MOVE;
  else if (Source != this && (AllowedEffects & DROPEFFECT_COPY))
    result = DROPEFFECT_COPY;
  else
    result = AllowedEffects;
  const bool ctrl = Shift & ssCtrl, shift = Shift & ssShift, alt = Shift & ssAlt;
  unsigned wanted = 0;
  if (ctrl && shift)
    wanted = DROPEFFECT_LINK;
  else if (ctrl)
    wanted = DROPEFFECT_COPY;
  else if (shift)
    wanted = DROPEFFECT_MOVE;
  else if (alt)
    wanted = DROPEFFECT_LINK;
  if (wanted && (AllowedEffects & wanted)) result = wanted;
  return result;
}

HRESULT TBaseNodeTree::HandleOLEDragEnter(unsigned KeyState, TPoint Pt, unsigned& Effect) {
  try {
    FDragScrollStart = 0;
    const TShiftState shift = DragShiftState(KeyState, false);
    Pt = ScreenToClient(Pt);
    TBaseNodeTree* source = DragManager()->GetDragSource();
    Effect = SuggestDropEffect(source, shift, Pt, Effect);
    if (!DoDragOver(source, shift, dsDragEnter, Pt, FLastDropMode, Effect)) {
      Effect = DROPEFFECT_NONE;
    } else {
      THitInfo hit;
      GetHitTestInfoAt(Pt.X, Pt.Y, true, hit);
      if (hit.HitNode) {
        FDropTargetNode = hit.HitNode;
        const TRect r = GetDisplayRect(hit.HitNode, MainColumn(), false);
        if (hit.HitPositions.Has(hiOnItemLabel) ||
            (hit.HitPositions.Has(hiOnItem) && (Has(toFullRowDrag) || Has(toFullRowSelect))))
          FLastDropMode = dmOnNode;
        else
          FLastDropMode = (r.Top + r.Bottom) / 2 > Pt.Y ? dmAbove : dmBelow;
      } else {
        FLastDropMode = dmNowhere;
      }
    }
    if (source) source->DragImage().ShowDragImage();
    return S_OK;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

TDropMode TBaseNodeTree::DropModeAt(TPoint P, THitInfo& HitInfo, TRect& NodeRect) {
  const bool imageHit = HitInfo.HitPositions.Has(hiOnNormalIcon) || HitInfo.HitPositions.Has(hiOnStateIcon) ||
                        HitInfo.HitPositions.Has(hiOnItemLabel);
  const bool rowHit = HitInfo.HitPositions.Has(hiOnItem) && (Has(toFullRowDrag) || Has(toFullRowSelect));
  if (Has(toReportMode) && !rowHit && !(imageHit && HitInfo.HitColumn == MainColumn()))
    HitInfo.HitNode = nullptr;
  if (!HitInfo.HitNode) return dmNowhere;
  if (imageHit || !Has(toShowDropmark)) return dmOnNode;
  return P.Y < (NodeRect.Top + NodeRect.Bottom) / 2 ? dmAbove : dmBelow;
}

HRESULT TBaseNodeTree::HandleDragOver(TObject* Source, unsigned KeyState, TDragState State, TPoint Pt,
                                      unsigned& Effect) {
  try {
    auto* sourceTree = dynamic_cast<TBaseNodeTree*>(Source);
    TPoint client = ScreenToClient(Pt);
    bool scrolled = false;
    if (AutoScrollAllowed()) {
      const TScrollDirections dirs = ScrollDirectionsAt(client.X, client.Y);
      int dx = 0, dy = 0;
      if (dirs.Has(sdUp) && FOffsetY != 0)
        dy = std::min(FScrollBarOptions.VerticalIncrement(), ClientHeight());
      if (dirs.Has(sdDown) && ClientHeight() - FOffsetY != static_cast<int>(RangeY()))
        dy = -std::min(FScrollBarOptions.VerticalIncrement(), ClientHeight());
      if (dirs.Has(sdLeft) && EffectiveOffsetX() != 0) dx = FScrollBarOptions.HorizontalIncrement();
      if (dirs.Has(sdRight) && ClientWidth() + EffectiveOffsetX() != static_cast<int>(FRangeX))
        dx = -FScrollBarOptions.HorizontalIncrement();
      if (dx || dy) {
        const TPoint before{FOffsetX, FOffsetY};
        SetOffsetXY(FOffsetX + dx, FOffsetY + dy);
        scrolled = before.X != FOffsetX || before.Y != FOffsetY;
      }
    }
    const TShiftState shift = DragShiftState(KeyState, false);
    THitInfo hit;
    GetHitTestInfoAt(client.X, client.Y, true, hit);
    TRect r = hit.HitNode ? GetDisplayRect(hit.HitNode, NoColumn, false) : TRect{};
    const TDropMode mode = DropModeAt(client, hit, r);
    const bool willMove = sourceTree && sourceTree->DragImage().WillMove(Pt);
    if (hit.HitNode != FDropTargetNode || mode != FLastDropMode) {
      FLastDropMode = mode;
      if (hit.HitNode != FDropTargetNode) {
        StopTreeTimer(ExpandTimer);
        const TRect old = FDropTargetNode ? GetDisplayRect(FDropTargetNode, NoColumn, false) : TRect{};
        FDropTargetNode = hit.HitNode;
        if (FFocusedColumn < 0) FFocusedColumn = MainColumn();
        InvalidateRect(UnionRect(old, r));
        if (Has(toAutoDropExpand) && FDropTargetNode && FDropTargetNode->States.Has(vsHasChildren))
          SetTreeTimer(ExpandTimer, FAutoExpandDelay);
      } else {
        InvalidateRect(r);
      }
    } else if (scrolled) {
      Invalidate();
    }
    if (willMove) sourceTree->DragImage().DragTo(Pt, false);
    Effect = SuggestDropEffect(Source, shift, client, Effect);
    if (!DoDragOver(Source, shift, State, client, FLastDropMode, Effect)) Effect = DROPEFFECT_NONE;
    if (scrolled) Effect |= DROPEFFECT_SCROLL;
    return S_OK;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

void TBaseNodeTree::HandleOLEDragLeave() {
  StopTreeTimer(ExpandTimer);
  if (TBaseNodeTree* source = DragManager()->GetDragSource()) source->DragImage().HideDragImage();
  if (FDropTargetNode) {
    InvalidateNode(FDropTargetNode);
    FDropTargetNode = nullptr;
  }
  unsigned effect = 0;
  DoDragOver(nullptr, 0, dsDragLeave, {0, 0}, FLastDropMode, effect);
}

HRESULT TBaseNodeTree::HandleOLEDrop(const IDataObjectPtr& DataObject, unsigned KeyState, TPoint Pt,
                                     unsigned& Effect) {
  HRESULT result = S_OK;
  StopTreeTimer(ExpandTimer);
  StopTreeTimer(ScrollTimer);
  DoStateChange({}, {tsScrollPending, tsScrolling});
  TBaseNodeTree* source = DragManager()->GetDragSource();
  if (HandleDragOver(source, KeyState, dsDragMove, Pt, Effect) != S_OK ||
      (Effect & ~DROPEFFECT_SCROLL) == 0) {
    result = E_FAIL;
  } else {
    const TShiftState shift = DragShiftState(KeyState, true);
    const TPoint client = ScreenToClient(Pt);
    TFormatArray formats;
    std::shared_ptr<IEnumFormatEtc> formatEnum;
    if (DataObject && DataObject->EnumFormatEtc(DATADIR_GET, formatEnum) == S_OK && formatEnum &&
        formatEnum->Reset() == S_OK) {
      std::vector<TFormatEtc> one;
      while (formatEnum->Next(1, one, nullptr) == S_OK && !one.empty()) {
        formats.push_back(one.back().cfFormat);
        one.clear();
      }
    }
    try {
      DoDragDrop(source, DataObject, formats, shift, client, Effect, FLastDropMode);
    } catch (...) {
      result = E_UNEXPECTED;
    }
  }
  if (FDropTargetNode) {
    InvalidateNode(FDropTargetNode);
    FDropTargetNode = nullptr;
  }
  return result;
}

void TBaseNodeTree::ExpandDropTarget() {
  StopTreeTimer(ExpandTimer);
  if (FDropTargetNode && FDropTargetNode->States.Has(vsHasChildren) &&
      !FDropTargetNode->States.Has(vsExpanded)) {
    TBaseNodeTree* source = FDragManager ? FDragManager->GetDragSource() : nullptr;
    if (source) source->DragImage().HideDragImage();
    ToggleNode(FDropTargetNode);
    Update();
    if (source) source->DragImage().ShowDragImage();
  }
}
