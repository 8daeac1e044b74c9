// Mouse input: presses, releases and double clicks of the three buttons, the pending states they
// leave for the release (check, clear, band, edit), moves (band, hot node, height tracking) and
// the context menu, mouse enter and leave and cancel mode.
#include "platform/ui/Application.h"
#include "platform/ui/Menus.h"
#include "tree/NodeTrees.h"

#include <algorithm>
#include <cstdlib>

namespace {

// The system's drag threshold in pixels.
constexpr int SystemDragThreshold = 5;

TShiftState ShiftOf(const TMessage& M) {
  return static_cast<TShiftState>(M.WParam) & (ssShift | ssCtrl | ssAlt);
}

TPoint PointOf(const TMessage& M) {
  return {LParamX(M.LParam), LParamY(M.LParam)};
}

// What lies under the mouse position a button message carries.
THitInfo HitAt(TBaseNodeTree& Tree, const TMessage& M) {
  THitInfo hit;
  const TPoint p = PointOf(M);
  Tree.GetHitTestInfoAt(p.X, p.Y, true, hit);
  return hit;
}

bool HasAny(const THitPositions& p, std::initializer_list<THitPosition> list) {
  for (THitPosition h : list)
    if (p.Has(h)) return true;
  return false;
}

} // namespace

// ---------------------------------------------------------------- button messages

void TBaseNodeTree::WMLButtonDown(TMessage& Message) {
  DoStateChange({tsLeftButtonDown});
  TCustomControl::WndProc(Message);
  THitInfo hit = HitAt(*this, Message);
  HandleMouseDown(Message, hit);
}

void TBaseNodeTree::WMLButtonUp(TMessage& Message) {
  DoStateChange({}, {tsNodeHeightTracking, tsNodeHeightTrackPending, tsLeftButtonDown});
  THitInfo hit = HitAt(*this, Message);
  HandleMouseUp(Message, hit);
  TCustomControl::WndProc(Message);
}

void TBaseNodeTree::WMLButtonDblClk(TMessage& Message) {
  DoStateChange({tsLeftDblClick});
  TCustomControl::WndProc(Message);
  THitInfo hit = HitAt(*this, Message);
  HandleMouseDblClick(Message, hit);
  DoStateChange({}, {tsLeftDblClick});
}

void TBaseNodeTree::WMRButtonDown(TMessage& Message) {
  DoStateChange({tsRightButtonDown});
  TCustomControl::WndProc(Message);
  if (Has(toRightClickSelect)) {
    THitInfo hit = HitAt(*this, Message);
    HandleMouseDown(Message, hit);
  }
}

void TBaseNodeTree::WMRButtonUp(TMessage& Message) {
  DoStateChange({}, {tsRightButtonDown, tsPopupMenuShown});
  Application->CancelHint();
  if (IsMouseSelecting() && PopupMenu()) {
    DoStateChange({}, {tsDrawSelPending, tsDrawSelecting});
    Invalidate();
  }
  TCustomControl::WndProc(Message);
  const TPoint p = PointOf(Message);
  THitInfo hit = HitAt(*this, Message);
  if (Has(toRightClickSelect)) HandleMouseUp(Message, hit);
  if (!PopupMenu()) DoPopupMenu(hit.HitNode, hit.HitColumn, p);
}

void TBaseNodeTree::WMRButtonDblClk(TMessage& Message) {
  DoStateChange({tsRightDblClick});
  TCustomControl::WndProc(Message);
  if (Has(toRightClickSelect)) {
    THitInfo hit = HitAt(*this, Message);
    HandleMouseDblClick(Message, hit);
  }
  DoStateChange({}, {tsRightDblClick});
}

void TBaseNodeTree::WMMButtonDown(TMessage& Message) {
  DoStateChange({tsMiddleButtonDown});
  TCustomControl::WndProc(Message);
  const TPoint p = PointOf(Message);
  const bool panning = TreeStates().Has(tsWheelPanning) || TreeStates().Has(tsWheelScrolling);
  const bool larger = static_cast<int>(FRangeX) > ClientWidth() || static_cast<int>(RangeY()) > ClientHeight();
  if (Has(toWheelPanning) && !panning && larger) {
    FLastClickPos = p;
    BeginWheelPanning(FLastClickPos);
    return;
  }
  EndWheelPanning();
  if (Has(toMiddleClickSelect)) {
    THitInfo hit = HitAt(*this, Message);
    HandleMouseDown(Message, hit);
  }
}

void TBaseNodeTree::WMMButtonUp(TMessage& Message) {
  DoStateChange({}, {tsMiddleButtonDown});
  if (TreeStates().Has(tsWheelPanning) || TreeStates().Has(tsWheelScrolling)) {
    // Released without moving: the pan goes on until the next click.
    if (TreeStates().Has(tsWheelScrolling))
      DoStateChange({}, {tsWheelPanning});
    else
      EndWheelPanning();
    return;
  }
  TCustomControl::WndProc(Message);
  if (Has(toMiddleClickSelect)) {
    THitInfo hit = HitAt(*this, Message);
    HandleMouseUp(Message, hit);
  }
}

void TBaseNodeTree::WMMButtonDblClk(TMessage& Message) {
  DoStateChange({tsMiddleDblClick});
  TCustomControl::WndProc(Message);
  if (Has(toMiddleClickSelect)) {
    THitInfo hit = HitAt(*this, Message);
    HandleMouseDblClick(Message, hit);
  }
  DoStateChange({}, {tsMiddleDblClick});
}

// ---------------------------------------------------------------- press

void TBaseNodeTree::HandleMouseDown(TMessage& Message, THitInfo& HitInfo) {
  const TPoint p = PointOf(Message);
  if (TreeStates().Has(tsWheelPanning) || TreeStates().Has(tsWheelScrolling)) {
    // The click only ends the pan.
    EndWheelPanning();
    return;
  }
  if (TreeStates().Has(tsEditPending)) {
    StopTreeTimer(EditTimer);
    DoStateChange({}, {tsEditPending});
  }
  if (IsEditing() && !DoEndEdit()) return;
  if (!Focused() && CanFocus()) {
    SetFocus();
    // Taking the focus may have scrolled.
    GetHitTestInfoAt(p.X, p.Y, true, HitInfo);
  }
  PVNode hitNode = HitInfo.HitNode;
  const THitPositions& pos = HitInfo.HitPositions;
  const TColumnIndex hitColumn = HitInfo.HitColumn;

  bool columnChange = false;
  TColumnIndex newColumn = FFocusedColumn;
  if (pos.Has(hiOnItemLabel) || Has(toFullRowSelect) || Has(toGridExtensions)) {
    columnChange = hitColumn != FFocusedColumn;
    newColumn = Has(toExtendedFocus) ? hitColumn : MainColumn();
  }
  const bool nodeChange = hitNode != FFocusedNode;

  TShiftState shift = ShiftOf(Message);
  bool altPressed = false;
  if (shift & ssAlt) {
    altPressed = true;
    shift &= ~ssAlt;
  }
  const bool shiftEmpty = shift == 0;
  const bool multiSelect = Has(toMultiSelect);

  const bool labelHit = !altPressed && !Has(toSimpleDrawSelection) && HasAny(pos, {hiOnItemLabel, hiOnNormalIcon});
  const bool cellHit = !altPressed && !labelHit && hitNode && !pos.Has(hiNowhere) && !pos.Has(hiOnItemButton) &&
                       !pos.Has(hiOnItemCheckbox) &&
                       (Has(toFullRowSelect) || (Has(toGridExtensions) && hitColumn >= 0));
  const bool nodeHit = labelHit || cellHit;
  const bool hitSelected = nodeHit && hitNode->States.Has(vsSelected);
  bool fullRowDrag = Has(toFullRowDrag);
  if (multiSelect && !Has(toDisableDrawSelection))
    fullRowDrag = Has(toFullRowDrag) && cellHit && !pos.Has(hiNowhere) &&
                  (hitSelected || HasAny(pos, {hiOnItemLabel, hiOnNormalIcon}));
  const bool heightTrack = Message.Msg == WM_LBUTTONDOWN && pos.Has(hiOnItem) &&
                           (pos.Has(hiUpperSplitter) || pos.Has(hiLowerSplitter));
  // Dragging belongs to drag and drop; a tree asks its handler only.
  bool autoDrag = false;
  if (hitNode) autoDrag = DoBeforeDrag(hitNode, newColumn) && (fullRowDrag || labelHit);

  if (heightTrack) {
    PVNode sized = pos.Has(hiUpperSplitter) ? GetPreviousVisible(hitNode) : hitNode;
    if (NodeSplitterAllowed(p, sized, hitColumn)) {
      FHeightTrackNode = sized;
      FHeightTrackColumn = hitColumn;
      const TRect r = GetDisplayRect(sized, hitColumn, false);
      FHeightTrackPoint = {r.Left, r.Top};
      DoStateChange({tsNodeHeightTrackPending});
      return;
    }
  }

  if (pos.Has(hiOnItemButton) && hitNode && hitNode->States.Has(vsHasChildren)) {
    ToggleNode(hitNode);
    return;
  }

  if (pos.Has(hiOnItemCheckbox) && hitNode) {
    const TNodeTreeStates s = TreeStates();
    if (s.Has(tsKeyCheckPending) || s.Has(tsMouseCheckPending) || hitNode->States.Has(vsDisabled)) return;
    TCheckState newState = NextCheckState(hitNode->CheckType, hitNode->CheckState);
    if (Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK) {
      if (DoChecking(hitNode, newState)) {
        DoStateChange({tsMouseCheckPending});
        FCheckNode = hitNode;
        FPendingCheckState = newState;
        hitNode->CheckState = PressedCheckState(hitNode->CheckState);
        InvalidateNode(hitNode);
      }
    }
    return;
  }

  if ((RootNodeCount() > 0 && shiftEmpty) || FSelectionCount == 0) {
    PVNode levelNode = hitNode ? hitNode : GetLastVisible();
    if (levelNode) FLastSelectionLevel = static_cast<int>(GetNodeLevel(levelNode));
  }

  if (multiSelect && shiftEmpty && nodeHit && autoDrag && hitSelected && !FSelectionLocked)
    DoStateChange({tsClearPending});

  const bool noDragNoMenu = !autoDrag && (!TreeStates().Has(tsRightButtonDown) ||
                                          !PopupMenuAvailable(hitNode, hitColumn, p));

  const bool mayBand = !Has(toDisableDrawSelection) && !(labelHit || fullRowDrag);
  if (mayBand && multiSelect) {
    SetMouseCapture(true);
    DoStateChange({tsDrawSelPending});
    FDrawSelShiftState = shift;
    FNewSelRect = Rect(p.X + EffectiveOffsetX(), p.Y - FOffsetY, p.X + EffectiveOffsetX(), p.Y - FOffsetY);
    FLastSelRect = Rect(0, 0, 0, 0);
  }

  if (!FSelectionLocked) {
    const bool resetEmpty = !nodeHit && !fullRowDrag && multiSelect && shiftEmpty;
    const bool resetHit = nodeHit && (!hitSelected || noDragNoMenu) && (shiftEmpty || !multiSelect);
    if (resetEmpty || resetHit) {
      Assert(!TreeStates().Has(tsClearPending), "Pending and direct clearance are mutual exclusive!");
      if (hitSelected || (altPressed && hitNode && hitColumn == MainColumn() && !pos.Has(hiNowhere))) {
        const bool several = FSelectionCount > 1;
        EmptySelection();
        MergeNodeIntoSelection(hitNode, true);
        if (several) {
          Invalidate();
          NotifyChange(nullptr);
        }
      } else if (!(pos.Has(hiNowhere) && Has(toAlwaysSelectNode))) {
        ResetSelection(false);
      }
    }
  }

  if (Focused() && (pos.Has(hiOnItemLabel) || (Has(toGridExtensions) && pos.Has(hiOnItem))) && hitSelected &&
      !columnChange && shiftEmpty)
    DoStateChange({tsEditPending});

  if (mayBand && (multiSelect || pos.Has(hiNowhere)) && !cellHit) return;

  FLastClickPos = p;
  if (nodeHit && DoFocusChanging(FFocusedNode, hitNode, FFocusedColumn, newColumn)) {
    if (columnChange) {
      InvalidateColumn(FFocusedColumn);
      InvalidateColumn(newColumn);
      FFocusedColumn = newColumn;
    }
    if (nodeChange) MoveFocusTo(hitNode, false);
    if (multiSelect && !shiftEmpty) {
      ApplyClickSelection(hitNode, autoDrag, shift);
    } else {
      if (shiftEmpty) FRangeAnchor = hitNode;
      if (!hitNode->States.Has(vsSelected)) AddToSelection(hitNode);
    }
    if (nodeChange || columnChange) {
      ScrollIntoView(FFocusedNode, Has(toCenterScrollIntoView),
                     !Has(toDisableAutoscrollOnFocus) && !Has(toFullRowSelect));
      DoFocusChange(FFocusedNode, FFocusedColumn);
    }
  }
  if (FSelectionCount == 0) NotifyChange(nullptr);
}

// ---------------------------------------------------------------- release

void TBaseNodeTree::HandleMouseUp(TMessage& Message, const THitInfo& HitInfo) {
  SetMouseCapture(false);
  if (TreeStates().Has(tsVCLDragPending)) return;
  if (IsMouseSelecting()) {
    DoStateChange({}, {tsToggleFocusedSelection, tsDrawSelPending, tsDrawSelecting});
    Invalidate();
  }
  if (TreeStates().Has(tsClearPending)) {
    const bool focusedSelected = FFocusedNode && FFocusedNode->States.Has(vsSelected);
    ClearSelection();
    if (focusedSelected) AddToSelection(FFocusedNode);
  }
  if (TreeStates().Has(tsToggleFocusedSelection) && HitInfo.HitNode && HitInfo.HitNode == FFocusedNode) {
    PVNode node = HitInfo.HitNode;
    if (!node->States.Has(vsSelected))
      AddToSelection(node);
    else if (!(Has(toAlwaysSelectNode) && FSelectionCount == 1))
      RemoveFromSelection(node);
    InvalidateNode(node);
  }
  DoStateChange({}, {tsToggleFocusedSelection, tsClearPending, tsDrawSelPending, tsOLEDragging, tsOLEDragPending,
                     tsScrolling, tsScrollPending});
  StopTreeTimer(ScrollTimer);

  if (TreeStates().Has(tsMouseCheckPending)) {
    DoStateChange({}, {tsMouseCheckPending});
    if (PVNode node = FCheckNode) {
      FCheckNode = nullptr;
      if (HitInfo.HitNode == node && HitInfo.HitPositions.Has(hiOnItem)) {
        node->CheckState = UnpressedCheckState(node->CheckState);
        ApplyCheckState(node, FPendingCheckState);
      } else {
        node->CheckState = UnpressedCheckState(node->CheckState);
      }
      InvalidateNode(node);
    }
  }

  if (HitInfo.HitNode) DoNodeClick(HitInfo);

  if (TreeStates().Has(tsEditPending)) {
    if (HitInfo.HitNode && HitInfo.HitNode == FFocusedNode && HitInfo.HitPositions.Has(hiOnItem) &&
        Has(toEditOnClick) && HitInfo.HitColumn == FFocusedColumn && CanEdit(FFocusedNode, HitInfo.HitColumn)) {
      FEditColumn = FFocusedColumn;
      SetTreeTimer(EditTimer, FEditDelay);
    } else {
      DoStateChange({}, {tsEditPending});
    }
  }
  (void)Message;
}

// ---------------------------------------------------------------- double click

void TBaseNodeTree::HandleMouseDblClick(TMessage& Message, const THitInfo& HitInfo) {
  bool editOnDouble = !IsEditing() && Has(toEditOnDblClick);
  if (TreeStates().Has(tsEditPending)) {
    StopTreeTimer(EditTimer);
    DoStateChange({}, {tsEditPending});
  }
  if (IsEditing() && !DoEndEdit()) return;
  PVNode hitNode = HitInfo.HitNode;
  const THitPositions& pos = HitInfo.HitPositions;
  if (hitNode) DoNodeDblClick(HitInfo);

  PVNode heightNode = nullptr;
  if (pos.Has(hiOnItem) && HitInfo.HitColumn >= 0) {
    // Only fixed columns size rows; a tree without columns has none.
  }
  if (heightNode) {
    // unreachable without columns
  } else if (pos.Has(hiOnItemCheckbox) && hitNode) {
    const TNodeTreeStates s = TreeStates();
    if (!s.Has(tsKeyCheckPending) && !s.Has(tsMouseCheckPending) && !hitNode->States.Has(vsDisabled) &&
        Message.Msg == WM_LBUTTONDBLCLK) {
      TCheckState newState = NextCheckState(hitNode->CheckType, hitNode->CheckState);
      if (DoChecking(hitNode, newState)) {
        DoStateChange({tsMouseCheckPending});
        FCheckNode = hitNode;
        FPendingCheckState = newState;
        hitNode->CheckState = PressedCheckState(hitNode->CheckState);
        InvalidateNode(hitNode);
      }
    }
    editOnDouble = false;
  } else if (hitNode && (pos.Has(hiOnItemButton) ||
                         (Has(toToggleOnDblClick) &&
                          (HasAny(pos, {hiOnItemButton, hiOnItemLabel, hiOnNormalIcon, hiOnStateIcon}) ||
                           Has(toFullRowSelect))))) {
    ToggleNode(hitNode);
    editOnDouble = false;
  }

  if (editOnDouble && FFocusedNode && hitNode == FFocusedNode && HitInfo.HitColumn == FFocusedColumn &&
      CanEdit(FFocusedNode, FFocusedColumn)) {
    DoStateChange({tsEditPending});
    FEditColumn = FFocusedColumn;
    SetTreeTimer(EditTimer, 0);
  }
}

// ---------------------------------------------------------------- moves

void TBaseNodeTree::MouseMove(TShiftState Shift, int X, int Y) {
  FLastMousePos = {X, Y};
  if (TreeStates().Has(tsNodeHeightTrackPending)) {
    Application->CancelHint();
    EndWheelPanning();
    for (unsigned id : {ExpandTimer, EditTimer, HeaderTimer, ScrollTimer, SearchTimer}) StopTreeTimer(id);
    FSearchBuffer.clear();
    FLastSearchNode = nullptr;
    DoStateChange({tsNodeHeightTracking},
                  {tsEditPending, tsNodeHeightTrackPending, tsIncrementalSearching, tsOLEDragPending, tsScrolling,
                   tsScrollPending, tsVCLDragPending});
  }
  if (!TreeStates().Has(tsDrawSelPending)) {
    if (TreeStates().Has(tsNodeHeightTracking) && FHeightTrackNode) {
      TPoint track = FHeightTrackPoint;
      if (DoNodeHeightTracking(FHeightTrackNode, FHeightTrackColumn, Shift, track, {X, Y})) {
        FHeightTrackPoint = track;
        SetNodeHeight(FHeightTrackNode, static_cast<std::uint32_t>(std::max(1, Y - FHeightTrackPoint.Y)));
        Update();
        return;
      }
    }
    if (TreeStates().Has(tsWheelPanning) && TreeStates().Has(tsWheelScrolling) &&
        (std::abs(FLastClickPos.X - X) >= SystemDragThreshold ||
         std::abs(FLastClickPos.Y - Y) >= SystemDragThreshold))
      DoStateChange({}, {tsWheelScrolling});
    if (AutoScrollAllowed()) UpdateAutoScroll(X, Y);
    if (TreeStates().Has(tsWheelPanning) || TreeStates().Has(tsWheelScrolling)) UpdatePanningCursor(X, Y);
    if (!TreeStates().Has(tsDrawSelecting)) {
      TrackHotNode(X, Y);
      WMSetCursor({X, Y});
      TCustomControl::MouseMove(Shift, X, Y);
      return;
    }
    if (TreeStates().Has(tsScrolling) || !TrackSelectionRect(X, Y)) return;
    if (ApplyBandSelection()) {
      Invalidate();
    } else {
      TRect a = FLastSelRect, b = FNewSelRect;
      TRect u = Rect(std::min({a.Left, a.Right, b.Left, b.Right}), std::min({a.Top, a.Bottom, b.Top, b.Bottom}),
                     std::max({a.Left, a.Right, b.Left, b.Right}), std::max({a.Top, a.Bottom, b.Top, b.Bottom}));
      OffsetRect(u, -EffectiveOffsetX(), FOffsetY);
      InflateRect(u, 1, 1);
      InvalidateClientRect(u);
    }
    Update();
    return;
  }
  if (TrackSelectionRect(X, Y)) {
    Invalidate();
    const int w = std::abs(FNewSelRect.Right - FNewSelRect.Left), h = std::abs(FNewSelRect.Bottom - FNewSelRect.Top);
    if (w > SystemDragThreshold || h > SystemDragThreshold) {
      if (TreeStates().Has(tsClearPending)) {
        DoStateChange({}, {tsClearPending});
        ClearSelection();
      }
      DoStateChange({tsDrawSelecting}, {tsDrawSelPending});
      FFocusedColumn = MainColumn();
      if (ApplyBandSelection()) Invalidate();
    }
  }
}

void TBaseNodeTree::TrackHotNode(int X, int Y) {
  PVNode oldHot = FCurrentHotNode;
  THitInfo hit;
  GetHitTestInfoAt(X, Y, true, hit);
  PVNode newHot = nullptr;
  const THitPositions& pos = hit.HitPositions;
  if (hit.HitNode &&
      (pos.Has(hiOnItemLabel) || pos.Has(hiOnItemCheckbox) ||
       (TreeStates().Has(tsUseExplorerTheme) && pos.Has(hiOnItemButtonExact)) ||
       (Has(toFullRowSelect) && !pos.Has(hiNowhere))))
    newHot = hit.HitNode;
  bool repaint = false;
  if (newHot != FCurrentHotNode) {
    repaint = Has(toHotTrack) || Has(toCheckSupport);
    DoHotChange(FCurrentHotNode, newHot);
    if (repaint && FCurrentHotNode) InvalidateNode(FCurrentHotNode);
    FCurrentHotNode = newHot;
  }
  const bool buttonHit = pos.Has(hiOnItemButtonExact);
  if (FCurrentHotNode) {
    if (buttonHit != FHotNodeButtonHit || repaint) {
      FHotNodeButtonHit = buttonHit;
      InvalidateNode(FCurrentHotNode);
    }
  } else {
    FHotNodeButtonHit = false;
  }
  if (oldHot && oldHot != FCurrentHotNode) InvalidateNode(oldHot);
}

bool TBaseNodeTree::NodeSplitterAllowed(TPoint P, PVNode Node, TColumnIndex Column) {
  // Only fixed columns allow sizing; without columns the handler alone decides.
  const bool allowed = false;
  (void)Column;
  if (!Node || Node == FRoot) return false;
  return DoCanSplitterResizeNode(P, Node, Column, allowed);
}

bool TBaseNodeTree::PopupMenuAvailable(PVNode Node, TColumnIndex Column, TPoint P) {
  return PopupMenu() != nullptr || DoGetPopupMenu(Node, Column, P) != nullptr;
}

void TBaseNodeTree::DoPopupMenu(PVNode Node, TColumnIndex Column, TPoint Position) {
  TPopupMenu* menu = DoGetPopupMenu(Node, Column, Position);
  if (!menu) return;
  DoStateChange({tsPopupMenuShown});
  StopTreeTimer(ScrollTimer);
  DoStateChange({}, {tsScrolling, tsScrollPending});
  if (Position.X == -1 && Position.Y == -1) Position = {0, 0};
  menu->SetPopupComponent(this);
  const TPoint screen = ClientToScreen(Position);
  menu->Popup(screen.X, screen.Y);
}

void TBaseNodeTree::WMSetCursor(TPoint P) {
  if (TreeStates().Has(tsWheelPanning) || TreeStates().Has(tsWheelScrolling)) return;
  if (ShowHeaderCursor(P)) return;
  TCursor cursor = Cursor();
  bool split = false;
  if (Has(toNodeHeightResize)) {
    THitInfo hit;
    GetHitTestInfoAt(P.X, P.Y, true, hit);
    if (hit.HitNode && (hit.HitPositions.Has(hiUpperSplitter) || hit.HitPositions.Has(hiLowerSplitter))) {
      PVNode node = hit.HitPositions.Has(hiUpperSplitter) ? GetPreviousVisible(hit.HitNode) : hit.HitNode;
      split = NodeSplitterAllowed(P, node, hit.HitColumn);
    }
  }
  if (split)
    cursor = crVSplit;
  else if (Has(toHotTrack) && FCurrentHotNode && FHotCursor != crDefault)
    cursor = FHotCursor;
  DoGetCursor(cursor);
  ShowWindowCursor(cursor);
}

// ---------------------------------------------------------------- context menu, enter, leave, cancel

void TBaseNodeTree::WMContextMenu(TMessage& Message) {
  DoStateChange({}, {tsClearPending, tsEditPending, tsOLEDragPending, tsVCLDragPending});
  if (TreeStates().Has(tsPopupMenuShown)) return;
  TCustomControl::WMContextMenu(Message);
}

void TBaseNodeTree::CMMouseEnter(TMessage& Message) {
  if (OnTreeMouseEnter) OnTreeMouseEnter(this);
  TCustomControl::CMMouseEnter(Message);
}

void TBaseNodeTree::CMMouseLeave(TMessage& Message) {
  FLastHintRect = Rect(0, 0, 0, 0);
  DoStateChange({}, {tsHint});
  if (!TreeStates().Has(tsWheelPanning) && !TreeStates().Has(tsWheelScrolling)) {
    StopTreeTimer(ScrollTimer);
    DoStateChange({}, {tsScrolling, tsScrollPending});
  }
  if (FCurrentHotNode) {
    DoHotChange(FCurrentHotNode, nullptr);
    if (Has(toHotTrack) || Has(toCheckSupport)) InvalidateNode(FCurrentHotNode);
    FCurrentHotNode = nullptr;
    FHotNodeButtonHit = false;
  }
  if (OnTreeMouseLeave) OnTreeMouseLeave(this);
  TCustomControl::CMMouseLeave(Message);
}

void TBaseNodeTree::WMCancelMode() {
  for (unsigned id : {ExpandTimer, EditTimer, HeaderTimer, ScrollTimer, SearchTimer, ThemeChangeTimer})
    StopTreeTimer(id);
  FSearchBuffer.clear();
  FLastSearchNode = nullptr;
  DoStateChange({}, {tsClearPending, tsDrawSelPending, tsDrawSelecting, tsEditPending, tsIncrementalSearching,
                     tsOLEDragPending, tsVCLDragPending});
  SetMouseCapture(false);
}
