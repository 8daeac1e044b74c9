// The header under the mouse: hot tracking, pressing and clicking columns (check controls and
// automatic sorting), context menus, dragging a column to a new place, dragging a splitter or the
// bottom edge, double clicks on splitters, the cursor, and cancelling with Escape or lost focus.
#include "platform/ui/KeyState.h"
#include "tree/NodeTrees.h"
#include "tree/VTHeader.h"
#include "tree/VTHeaderPopup.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {
TPoint PointOf(const TMessage& Message) {
  return TPoint{LParamX(Message.LParam), LParamY(Message.LParam)};
}

bool IsNonClient(unsigned msg) {
  return msg >= WM_NCMOUSEMOVE && msg <= WM_NCMBUTTONDBLCLK;
}
} // namespace

TShiftState TVTHeader::CurrentShiftState() const {
  return KeyboardShiftState();
}

TPoint TVTHeader::MessageClientPoint(const TMessage& Message, bool NonClient) const {
  const TPoint p = PointOf(Message);
  if (!NonClient) return p;
  return FOwner->ScreenToClient(p);
}

bool TVTHeader::HoverTimerRunning() const {
  return FOwner->TreeTimerRunning(HeaderHoverTimer);
}

void TVTHeader::NoteMousePosition(TPoint Client, bool Inside) {
  FMousePos = Client;
  FMouseInside = Inside;
}

void TVTHeader::HoverTimerTick() {
  const TPoint p = FMousePos;
  TNodeTreeColumns& c = *FColumns;
  if (!FMouseInside || !InHeader(p) || (c.FDownIndex > NoColumn && c.FDownIndex != c.FHoverIndex)) {
    FOwner->StopTreeTimer(HeaderHoverTimer);
    c.FHoverIndex = c.FClickIndex = c.FDownIndex = NoColumn;
    c.FCheckBoxHit = false;
    Invalidate(nullptr);
  }
}

bool TVTHeader::CanSizeHeader(TPoint P) {
  return DoCanSplitterResizeHeader(P, Has(hoHeightResize));
}

bool TNodeTreeColumns::CanSizeColumn(TColumnIndex Index, TPoint P) {
  return DoCanSplitterResizeColumn(P, Index);
}

bool TNodeTreeColumns::DoCanSplitterResizeColumn(TPoint P, TColumnIndex Column) {
  bool allowed = Column > NoColumn && IsValidColumn(Column) && Items(Column)->Has(coVisible) &&
                 Items(Column)->Has(coResizable);
  if (TBaseNodeTree* tree = Tree(); tree && tree->OnCanSplitterResizeColumn)
    tree->OnCanSplitterResizeColumn(FHeader, P, Column, allowed);
  return allowed;
}

bool TVTHeader::FindSplitterColumn(TPoint P) {
  TNodeTreeColumns& c = *FColumns;
  if (c.Count() == 0) return false;
  c.FTrackIndex = NoColumn;
  const int t = FSplitterHitTolerance;
  const int r = static_cast<int>(std::lround(t * 0.6));
  const int offset = FOwner->EffectiveOffsetX();
  const bool rtl = FOwner->BiDiMode() == bdRightToLeft;
  const int fixedWidth = c.GetVisibleFixedWidth();
  auto test = [&](TColumnIndex index, int edge, int opposite) {
    TNodeTreeColumn* column = c.Items(index);
    int e = edge;
    if (column->Has(coFixed))
      e += offset;
    else if (P.X <= fixedWidth)
      return false; // a scrolled splitter under the fixed area cannot be grabbed
    const bool inZone = rtl ? (e - r < P.X && P.X < e + (t - r)) : (e - (t - r) < P.X && P.X < e + r);
    if (!inZone || !c.CanSizeColumn(index, P)) return false;
    c.FTrackIndex = index;
    FTrackPoint = TPoint{opposite + (column->Has(coFixed) ? offset : 0), P.Y};
    return true;
  };
  const auto& map = c.FPositionToIndex;
  if (!rtl) {
    int e = static_cast<int>(FOwner->RangeX()) - offset;
    for (auto it = map.rbegin(); it != map.rend(); ++it) {
      TNodeTreeColumn* column = c.Items(*it);
      if (!column->Has(coVisible)) continue;
      if (test(*it, e, e - column->Width())) return true;
      e -= column->Width();
    }
  } else {
    int e = -offset;
    if (FOwner->ClientWidth() > static_cast<int>(FOwner->RangeX()))
      e += FOwner->ClientWidth() - static_cast<int>(FOwner->RangeX());
    for (TColumnIndex index : map) {
      TNodeTreeColumn* column = c.Items(index);
      if (!column->Has(coVisible)) continue;
      if (test(index, e, e + column->Width())) return true;
      e += column->Width();
    }
  }
  return false;
}

TColumnIndex TNodeTreeColumns::PressColumn(TPoint P) {
  const TPoint h{P.X, P.Y + FHeader->Height()};
  const TColumnIndex index = ColumnFromPosition(h, true);
  if (index > NoColumn && index != FDownIndex && Items(index)->Has(coAllowClick) &&
      Items(index)->Has(coEnabled)) {
    InvalidateColumn(FDownIndex);
    FDownIndex = index;
    TNodeTreeColumn* column = Items(index);
    FCheckBoxHit = column->FHasImage && column->FImageRect.Contains(h) && column->CheckBox();
    InvalidateColumn(index);
  }
  return index;
}

bool TNodeTreeColumns::UpdateHoverColumn(TPoint P) {
  const TColumnIndex index = ColumnFromPosition(TPoint{P.X, P.Y + FHeader->Height()}, true);
  if (index == FHoverIndex) return false;
  InvalidateColumn(FHoverIndex);
  FHoverIndex = index;
  InvalidateColumn(index);
  return true;
}

void TNodeTreeColumns::ProcessHeaderClick(TPoint P, TMouseButton Button, bool Force, bool DblClick) {
  TBaseNodeTree* tree = Tree();
  const TPoint h{P.X, P.Y + FHeader->Height()};
  const TColumnIndex index = ColumnFromPosition(h, true);
  TVTHeaderHitInfo hit;
  hit.X = h.X;
  hit.Y = h.Y;
  hit.Button = Button;
  hit.Shift = FHeader->CurrentShiftState() | (DblClick ? ssDouble : 0u);
  if (index > NoColumn && Items(index)->Has(coAllowClick) && (Force || index == FDownIndex)) {
    FClickIndex = index;
    hit.Column = index;
    hit.HitPosition = {hhiOnColumn};
    TNodeTreeColumn* column = Items(index);
    if (column->FHasImage && column->FImageRect.Contains(h)) {
      hit.HitPosition.Include(hhiOnIcon);
      if (column->CheckBox()) {
        if (Button == mbLeft) tree->CycleColumnCheckState(index);
        hit.HitPosition.Include(hhiOnCheckbox);
      }
    }
  } else {
    FClickIndex = NoColumn;
    hit.Column = NoColumn;
    hit.HitPosition = {hhiNoWhere};
  }
  if (DblClick) {
    if (tree->OnHeaderDblClick) tree->OnHeaderDblClick(FHeader, hit);
  } else {
    if (FHeader->Has(hoHeaderClickAutoSort) && Button == mbLeft && !hit.HitPosition.Has(hhiOnCheckbox) &&
        hit.Column >= 0) {
      if (hit.Column == tree->SortColumn()) {
        FHeader->SetSortDirection(tree->SortDirection() == sdAscending ? sdDescending : sdAscending);
      } else {
        FHeader->SetSortColumn(hit.Column);
        FHeader->SetSortDirection(Items(hit.Column)->DefaultSortDirection());
      }
    }
    if (Button == mbRight && FHeader->Has(hoAutoColumnPopupMenu)) {
      FColumnPopupMenu = std::make_unique<TVTHeaderPopupMenu>(nullptr);
      FColumnPopupMenu->OnColumnChange = [tree](TBaseNodeTree*, TColumnIndex column, bool visible) {
        tree->DoColumnVisibilityChanged(column, visible);
      };
      FColumnPopupMenu->SetPopupComponent(tree);
      FColumnPopupMenu->SetOptions(FHeader->Has(hoDblClickResize) && tree->RootNodeCount() > 0
                                       ? TVTHeaderPopupOptions{poResizeToFitItem}
                                       : TVTHeaderPopupOptions{});
      const TPoint screen = tree->ClientToScreen(h);
      FColumnPopupMenu->Popup(screen.X, screen.Y);
    }
    if (tree->OnHeaderClick) tree->OnHeaderClick(FHeader, hit);
  }
  if (!hit.HitPosition.Has(hhiNoWhere)) InvalidateColumn(index);
}

void TVTHeader::StartColumnDrag(TPoint P, TPoint Start) {
  TNodeTreeColumns& c = *FColumns;
  c.FDropTarget = NoColumn;
  const TPoint local = FOwner->ScreenToClient(Start);
  c.FDragIndex = c.ColumnFromPosition(TPoint{local.X, local.Y + FHeight}, true);
  if (!c.IsValidColumn(c.FDragIndex)) return;
  TNodeTreeColumn* column = c.Items(c.FDragIndex);
  // The image position: the column's header cell in screen coordinates.
  const TPoint origin = FOwner->ClientToScreen(TPoint{column->Left(), -FHeight});
  FDragImagePos = origin;
  FDragHotSpot = TPoint{P.X - origin.X, P.Y - origin.Y};
  FDragHorizontalOnly = Has(hoRestrictDrag);
  FDragImageShown = true;
}

void TVTHeader::EndColumnDrag() {
  FDragImageShown = false;
}

void TVTHeader::MoveDragImage(TPoint P) {
  TNodeTreeColumns& c = *FColumns;
  const TPoint local = FOwner->ScreenToClient(P);
  const TPoint h{local.X, local.Y + FHeight};
  const TColumnIndex column = c.ColumnFromPosition(h, true);
  bool repaint = column != InvalidColumn && column != c.FDropTarget;
  if (column >= 0) {
    int left = 0, right = 0;
    c.GetColumnBounds(column, left, right);
    const bool before = h.X < (left + right) / 2;
    if (before != c.FDropBefore) {
      c.FDropBefore = before;
      repaint = true;
    }
  }
  if (repaint) {
    c.InvalidateColumn(c.FDropTarget);
    c.FDropTarget = NoColumn;
    if (column >= 0) {
      c.InvalidateColumn(column);
      c.FDropTarget = column;
    }
  }
  const TPoint target{P.X - FDragHotSpot.X, FDragHorizontalOnly ? FDragImagePos.Y : P.Y - FDragHotSpot.Y};
  FDragImagePos = target;
}

bool TVTHeader::TrackMouseMove(TMessage& Message) {
  const TPoint p = PointOf(Message);
  TNodeTreeColumns& c = *FColumns;
  if (FStates.Has(hsColumnWidthTrackPending)) {
    FOwner->StopTreeTimer(HeaderHoverTimer);
    FStates.Exclude(hsColumnWidthTrackPending);
    FStates.Include(hsColumnWidthTracking);
    Message.Result = 0;
    return true;
  }
  if (FStates.Has(hsHeightTrackPending)) {
    FOwner->StopTreeTimer(HeaderHoverTimer);
    FStates.Exclude(hsHeightTrackPending);
    FStates.Include(hsHeightTracking);
    Message.Result = 0;
    return true;
  }
  if (FStates.Has(hsColumnWidthTracking)) {
    Message.Result = 0;
    if (!c.IsValidColumn(c.FTrackIndex)) return true;
    if (DoColumnWidthTracking(c.FTrackIndex, CurrentShiftState(), FTrackPoint, p)) {
      const bool rtl = FOwner->BiDiMode() == bdRightToLeft;
      const int w = rtl ? FTrackPoint.X - p.X : p.X - FTrackPoint.X;
      const TColumnIndex next =
          rtl ? c.GetPreviousVisibleColumn(c.FTrackIndex) : c.GetNextVisibleColumn(c.FTrackIndex);
      TNodeTreeColumn* tracked = c.Items(c.FTrackIndex);
      if (Has(hoAutoResize) && c.FTrackIndex == FAutoSizeIndex && next > NoColumn &&
          c.Items(next)->Has(coResizable) && tracked->MinWidth() < w && w < tracked->MaxWidth()) {
        c.Items(next)->SetWidth(c.Items(next)->Width() + tracked->Width() - w);
        c.FitAutoSizeColumn(false);
      } else {
        tracked->SetWidth(w);
      }
    }
    return true;
  }
  if (FStates.Has(hsHeightTracking)) {
    Message.Result = 0;
    TPoint q = p;
    if (DoHeaderHeightTracking(q, CurrentShiftState())) SetHeight(FHeight + q.Y);
    return true;
  }
  if (FStates.Has(hsDragPending)) {
    const TPoint screen = FOwner->ClientToScreen(p);
    bool allowed = Has(hoDrag);
    if (allowed) {
      allowed = true;
      if (FOwner->OnHeaderDragging) FOwner->OnHeaderDragging(this, c.FDownIndex, allowed);
    }
    if (allowed && (std::abs(FDragStart.X - screen.X) > FOwner->DragThreshold() ||
                    std::abs(FDragStart.Y - screen.Y) > FOwner->DragThreshold())) {
      FOwner->StopTreeTimer(HeaderHoverTimer);
      const TColumnIndex pressed = c.FDownIndex;
      c.FDownIndex = c.FHoverIndex = NoColumn;
      c.InvalidateColumn(pressed);
      StartColumnDrag(screen, FDragStart);
      FStates.Exclude(hsDragPending);
      FStates.Include(hsDragging);
      Message.Result = 0;
      return true;
    }
    return false;
  }
  if (FStates.Has(hsDragging)) {
    MoveDragImage(FOwner->ClientToScreen(p));
    Message.Result = 0;
    return true;
  }
  return false;
}

void TVTHeader::CancelTracking(TMessage& Message) {
  TNodeTreeColumns& c = *FColumns;
  if (FStates.Has(hsDragging)) {
    FOwner->SetMouseCapture(false);
    EndColumnDrag();
    FStates.Exclude(hsDragging);
    c.FDropTarget = NoColumn;
    Invalidate(nullptr);
    Message.Result = 0;
    return;
  }
  if (FStates.Has(hsColumnWidthTracking) || FStates.Has(hsHeightTracking)) {
    FOwner->SetMouseCapture(false);
    if (FStates.Has(hsColumnWidthTracking))
      DoAfterColumnWidthTracking(c.FTrackIndex);
    else
      DoAfterHeaderHeightTracking();
    Message.Result = 0;
  }
  for (THeaderState s :
       {hsColumnWidthTrackPending, hsColumnWidthTracking, hsHeightTrackPending, hsHeightTracking})
    FStates.Exclude(s);
}

bool TVTHeader::ProcessMessage(TMessage& Message) {
  TNodeTreeColumns& c = *FColumns;
  const unsigned msg = Message.Msg;
  const bool nonClient = IsNonClient(msg);
  auto columnSplit = [&](TPoint p) {
    if (!Has(hoColumnResize) || !FindSplitterColumn(p)) return false;
    if (InHeader(p)) return true;
    // In the node area only the border between the fixed and the scrolled columns, down to the last node.
    if (!c.IsValidColumn(c.FTrackIndex) || !c.Items(c.FTrackIndex)->Has(coFixed)) return false;
    const TColumnIndex next = c.GetNextVisibleColumn(c.FTrackIndex);
    return next >= 0 && !c.Items(next)->Has(coFixed) && p.Y <= static_cast<int>(FOwner->RangeY());
  };
  switch (msg) {
  case WM_LBUTTONDOWN:
  case WM_NCLBUTTONDOWN: {
    if (nonClient) FDragStart = PointOf(Message);
    const TPoint p = MessageClientPoint(Message, nonClient);
    NoteMousePosition(p, true);
    const bool inHeader = InHeader(p);
    const bool heightSplit = InHeaderSplitterArea(p) && CanSizeHeader(p);
    const bool split = !heightSplit && columnSplit(p);
    bool handled = false;
    if (heightSplit || split) {
      FTrackStart = p;
      c.FHoverIndex = NoColumn;
      if (heightSplit) {
        DoBeforeHeaderHeightTracking(CurrentShiftState());
        FStates.Include(hsHeightTrackPending);
      } else {
        DoBeforeColumnWidthTracking(c.FTrackIndex, CurrentShiftState());
        FStates.Include(hsColumnWidthTrackPending);
      }
      FOwner->SetMouseCapture(true);
      Message.Result = 0;
      handled = true;
    } else if (inHeader) {
      const TColumnIndex index = c.PressColumn(p);
      if (index > NoColumn && Has(hoDrag) && c.Items(index)->Has(coDraggable)) {
        FStates.Include(hsDragPending);
        FOwner->SetMouseCapture(true);
        Message.Result = 0;
        handled = true;
      }
    }
    if (inHeader && FOwner->OnHeaderMouseDown)
      FOwner->OnHeaderMouseDown(this, mbLeft, CurrentShiftState(), p.X, p.Y + FHeight);
    return handled;
  }
  case WM_MOUSEMOVE:
    NoteMousePosition(PointOf(Message), true);
    return TrackMouseMove(Message);
  case WM_LBUTTONUP:
  case WM_NCLBUTTONUP: {
    const TPoint p = MessageClientPoint(Message, nonClient);
    bool handled = false;
    const bool hadStates = !FStates.Empty();
    if (hadStates) {
      FOwner->SetMouseCapture(false);
      handled = true;
      Message.Result = 0;
      if (FStates.Has(hsDragging)) {
        EndColumnDrag();
        const TPoint screen = FOwner->ClientToScreen(p);
        const TPoint topLeft = FOwner->TControl::ClientToScreen(TPoint{0, 0});
        const TRect window{topLeft.X, topLeft.Y, topLeft.X + FOwner->Width(), topLeft.Y + FOwner->Height()};
        const TColumnIndex drag = c.FDragIndex;
        if (c.FDropTarget > NoColumn && c.FDropTarget != drag && c.IsValidColumn(drag) &&
            window.Contains(screen)) {
          const TColumnPosition d = c.Items(drag)->Position(), t = c.Items(c.FDropTarget)->Position();
          const TColumnPosition to = c.FDropBefore ? (d < t ? t - 1 : t) : (d < t ? t : t + 1);
          c.Items(drag)->SetPosition(to);
          if (FOwner->OnHeaderDragged) FOwner->OnHeaderDragged(this, drag, static_cast<int>(d));
        } else if (FOwner->OnHeaderDraggedOut) {
          FOwner->OnHeaderDraggedOut(this, drag, screen);
        }
        c.FDropTarget = NoColumn;
        Invalidate(nullptr);
      }
    }
    if (nonClient) {
      c.ProcessHeaderClick(p, mbLeft, false, false);
      if (FOwner->OnHeaderMouseUp)
        FOwner->OnHeaderMouseUp(this, mbLeft, CurrentShiftState(), p.X, p.Y + FHeight);
    } else {
      if (c.FDownIndex > NoColumn) c.ProcessHeaderClick(p, mbLeft, false, false);
      if (hadStates && FOwner->OnHeaderMouseUp)
        FOwner->OnHeaderMouseUp(this, mbLeft, static_cast<TShiftState>(Message.WParam), p.X, p.Y);
    }
    if (c.FTrackIndex > NoColumn) {
      if (FStates.Has(hsColumnWidthTracking)) DoAfterColumnWidthTracking(c.FTrackIndex);
      c.InvalidateColumn(c.FTrackIndex);
      c.FTrackIndex = NoColumn;
    }
    if (c.FDownIndex > NoColumn) {
      c.InvalidateColumn(c.FDownIndex);
      c.FDownIndex = NoColumn;
    }
    if (FStates.Has(hsHeightTracking)) DoAfterHeaderHeightTracking();
    for (THeaderState s : {hsDragging, hsDragPending, hsColumnWidthTracking, hsColumnWidthTrackPending,
                           hsHeightTracking, hsHeightTrackPending})
      FStates.Exclude(s);
    return handled;
  }
  case WM_NCRBUTTONDOWN:
  case WM_NCMBUTTONDOWN: {
    const TPoint p = MessageClientPoint(Message, true);
    if (InHeader(p) && FOwner->OnHeaderMouseDown)
      FOwner->OnHeaderMouseDown(this, msg == WM_NCRBUTTONDOWN ? mbRight : mbMiddle, CurrentShiftState(), p.X,
                                p.Y + FHeight);
    return false;
  }
  case WM_NCMBUTTONUP: {
    const TPoint p = MessageClientPoint(Message, true);
    if (InHeader(p)) {
      c.ProcessHeaderClick(p, mbMiddle, true, false);
      if (FOwner->OnHeaderMouseUp)
        FOwner->OnHeaderMouseUp(this, mbMiddle, CurrentShiftState(), p.X, p.Y + FHeight);
      c.FDownIndex = NoColumn;
      c.FCheckBoxHit = false;
    }
    return false;
  }
  case WM_NCRBUTTONUP: {
    const TPoint p = MessageClientPoint(Message, true);
    if (!InHeader(p)) return false;
    c.ProcessHeaderClick(p, mbRight, true, false);
    if (FOwner->OnHeaderMouseUp)
      FOwner->OnHeaderMouseUp(this, mbRight, CurrentShiftState(), p.X, p.Y + FHeight);
    c.FDownIndex = c.FTrackIndex = NoColumn;
    c.FCheckBoxHit = false;
    TPopupMenu* menu = FPopupMenu;
    if (!menu) menu = DoGetHeaderPopupMenu(c.ColumnFromPosition(TPoint{p.X, p.Y + FHeight}, true), p);
    if (!menu) return false;
    FOwner->StopTreeTimer(HeaderHoverTimer);
    c.FHoverIndex = NoColumn;
    menu->SetPopupComponent(FOwner);
    const TPoint screen = PointOf(Message);
    menu->Popup(screen.X, screen.Y);
    Message.Result = 0;
    return true;
  }
  case WM_LBUTTONDBLCLK:
  case WM_NCLBUTTONDBLCLK:
  case WM_NCRBUTTONDBLCLK:
  case WM_NCMBUTTONDBLCLK: {
    const TPoint p = MessageClientPoint(Message, nonClient);
    const TShiftState shift = CurrentShiftState();
    if (Has(hoHeightDblClickResize) && InHeaderSplitterArea(p) && FDefaultHeight > 0) {
      TPoint q = p;
      if (DoHeaderHeightDblClickResize(q, shift) && FDefaultHeight > 0) SetHeight(FMinHeight);
      Message.Result = 0;
      return true;
    }
    const bool leftDouble = msg == WM_LBUTTONDBLCLK || msg == WM_NCLBUTTONDBLCLK;
    if (columnSplit(p) && leftDouble && Has(hoDblClickResize) && c.FTrackIndex > NoColumn) {
      if (DoColumnWidthDblClickResize(c.FTrackIndex, p, shift)) {
        const int position = static_cast<int>(c.Items(c.FTrackIndex)->Position());
        AutoFitColumns(true, smaUseColumnOption, position, position);
      }
      Message.Result = 0;
      return true;
    }
    if (InHeader(p) && nonClient) {
      const TMouseButton button = msg == WM_NCRBUTTONDBLCLK   ? mbRight
                                  : msg == WM_NCMBUTTONDBLCLK ? mbMiddle
                                                              : mbLeft;
      if (button == mbLeft) c.PressColumn(p);
      c.ProcessHeaderClick(p, button, true, true);
    }
    return false;
  }
  case WM_NCMOUSEMOVE: {
    const TPoint p = MessageClientPoint(Message, true);
    NoteMousePosition(p, true);
    if (FOwner->OnHeaderMouseMove) FOwner->OnHeaderMouseMove(this, CurrentShiftState(), p.X, p.Y + FHeight);
    if (InHeader(p) &&
        (c.UpdateHoverColumn(p) || (c.FDownIndex > NoColumn && c.FDownIndex != c.FHoverIndex))) {
      FOwner->StopTreeTimer(HeaderHoverTimer);
      FOwner->SetTreeTimer(HeaderHoverTimer, 50);
    }
    return false;
  }
  case WM_TIMER:
    if (Message.WParam != HeaderHoverTimer) return false;
    HoverTimerTick();
    return !HoverTimerRunning();
  case WM_SETCURSOR: {
    if (!FStates.Empty()) {
      Message.Result = 1;
      return true;
    }
    const TPoint p = FMousePos;
    const bool split = columnSplit(p);
    const bool heightSplit = InHeaderSplitterArea(p) && CanSizeHeader(p);
    if (!split && !heightSplit) return false;
    int cursor = FOwner->Cursor();
    if (heightSplit && Has(hoHeightResize))
      cursor = crVSplit;
    else if (split)
      cursor = crHSplit;
    if (FOwner->OnGetHeaderCursor) FOwner->OnGetHeaderCursor(this, cursor);
    if (cursor == crDefault) return false;
    Message.LParam = cursor;
    Message.Result = 1;
    return true;
  }
  case WM_SIZE:
    if (Has(hoAutoResize)) {
      c.FitAutoSizeColumn(false);
      Invalidate(nullptr);
    } else if (!FStates.Has(hsScaling)) {
      ApplyFixedAreaConstraints();
      Invalidate(nullptr);
    }
    return false;
  case CM_PARENTFONTCHANGED:
    if (FParentFont) FFont.Assign(FOwner->Font());
    return false;
  case WM_KILLFOCUS:
  case WM_KEYDOWN:
    if (msg == WM_KEYDOWN && Message.WParam != VK_ESCAPE) return false;
    {
      const bool wasActive =
          FStates.Has(hsDragging) || FStates.Has(hsColumnWidthTracking) || FStates.Has(hsHeightTracking);
      CancelTracking(Message);
      return wasActive;
    }
  default:
    return false;
  }
}

// ------------------------------------------------------------------------------------------ dispatchers

void TVTHeader::DoAfterAutoFitColumn(TColumnIndex Column) {
  if (FOwner->OnAfterAutoFitColumn) FOwner->OnAfterAutoFitColumn(this, Column);
}

void TVTHeader::DoAfterColumnWidthTracking(TColumnIndex Column) {
  if (FOwner->OnAfterColumnWidthTracking) FOwner->OnAfterColumnWidthTracking(this, Column);
}

void TVTHeader::DoAfterHeaderHeightTracking() {
  if (FOwner->OnAfterHeaderHeightTracking) FOwner->OnAfterHeaderHeightTracking(this);
}

bool TVTHeader::DoBeforeAutoFitColumn(TColumnIndex Column, TSmartAutoFitType SmartAutoFitType) {
  bool allowed = true;
  if (FOwner->OnBeforeAutoFitColumn) FOwner->OnBeforeAutoFitColumn(this, Column, SmartAutoFitType, allowed);
  return allowed;
}

void TVTHeader::DoBeforeColumnWidthTracking(TColumnIndex Column, TShiftState Shift) {
  if (FOwner->OnBeforeColumnWidthTracking) FOwner->OnBeforeColumnWidthTracking(this, Column, Shift);
}

void TVTHeader::DoBeforeHeaderHeightTracking(TShiftState Shift) {
  if (FOwner->OnBeforeHeaderHeightTracking) FOwner->OnBeforeHeaderHeightTracking(this, Shift);
}

bool TVTHeader::DoCanSplitterResizeHeader(TPoint P, bool Allowed) {
  if (FOwner->OnCanSplitterResizeHeader) FOwner->OnCanSplitterResizeHeader(this, P, Allowed);
  return Allowed;
}

bool TVTHeader::DoColumnWidthDblClickResize(TColumnIndex Column, TPoint P, TShiftState Shift) {
  bool allowed = true;
  if (FOwner->OnColumnWidthDblClickResize)
    FOwner->OnColumnWidthDblClickResize(this, Column, Shift, P, allowed);
  return allowed;
}

bool TVTHeader::DoColumnWidthTracking(TColumnIndex Column, TShiftState Shift, TPoint& TrackPoint, TPoint P) {
  bool allowed = true;
  if (FOwner->OnColumnWidthTracking)
    FOwner->OnColumnWidthTracking(this, Column, Shift, TrackPoint, P, allowed);
  return allowed;
}

TPopupMenu* TVTHeader::DoGetHeaderPopupMenu(TColumnIndex Column, TPoint Position) {
  TPopupMenu* menu = nullptr;
  bool askParent = true;
  if (FOwner->OnGetPopupMenu) FOwner->OnGetPopupMenu(FOwner, nullptr, Column, Position, askParent, menu);
  return menu;
}

bool TVTHeader::DoHeaderHeightTracking(TPoint& P, TShiftState Shift) {
  bool allowed = true;
  if (FOwner->OnHeaderHeightTracking) FOwner->OnHeaderHeightTracking(this, P, Shift, allowed);
  return allowed;
}

bool TVTHeader::DoHeaderHeightDblClickResize(TPoint& P, TShiftState Shift) {
  bool allowed = true;
  if (FOwner->OnHeaderHeightDblClickResize) FOwner->OnHeaderHeightDblClickResize(this, P, Shift, allowed);
  return allowed;
}
