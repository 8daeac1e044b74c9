// The mouse moving over the grid: hover feedback, the hint of a cell, the sizing events and hint,
// the enhanced move and what a moved column takes along.
#include "grid/ProGrid.h"

#include "platform/ui/Application.h"

#include <algorithm>
#include <cmath>

void TProStringGrid::MouseMove(TShiftState Shift, int X, int Y) {
  if (FPanning) FPanPoint = {X, Y};
  if (FMouseDownMove && FMouseActions->RangeSelectAndEdit() && (Options() & goEditing) && !FEditMode &&
      !(InplaceEditor() && InplaceEditor()->Visible()))
    SetOptions(Options() & ~goEditing);
  const TGridRect before = Selection();
  const TGridCoord hit = MouseToCell(X, Y);
  const bool inCells = hit.X >= 0 && hit.Y >= 0 && hit.X < ColCount() && hit.Y < RowCount();

  if (inCells && HoverRow() && hit.Y != HoverRowIdx()) {
    const int old = HoverRowIdx();
    SetHoverRowIdx(hit.Y);
    if (old >= 0 && old < RowCount()) InvalidateRow(old);
    InvalidateRow(hit.Y);
  }

  if (FHoverFixedCells != hfNone && (hit.X != FHoverFixedX || hit.Y != FHoverFixedY)) {
    const int oldX = FHoverFixedX, oldY = FHoverFixedY;
    const bool fixedCol = hit.X < FixedCols(), fixedRow = hit.Y < FixedRows();
    const bool hover = FHoverFixedCells == hfAll         ? fixedCol || fixedRow
                       : FHoverFixedCells == hfFixedRows ? fixedRow
                                                         : fixedCol;
    const bool newFixed = inCells && hover;
    FHoverFixedX = newFixed ? hit.X : -1;
    FHoverFixedY = newFixed ? hit.Y : -1;
    if (oldX >= 0 && oldX < ColCount() && oldY >= 0 && oldY < RowCount()) RepaintCell(oldX, oldY);
    if (newFixed) RepaintCell(hit.X, hit.Y);
  }

  {
    TPoint over{-1, -1};
    if (inCells) {
      const int rc = RealColIndex(hit.X);
      if ((HasButton(rc, hit.Y) && GetCellButtonRect(hit.X, hit.Y).Contains({X, Y})) ||
          (HasExpand(rc, hit.Y) && GetExpandRect(rc, hit.Y).Contains({X, Y})))
        over = {hit.X, hit.Y};
    }
    if (over.X != FHoverButton.X || over.Y != FHoverButton.Y) {
      const TPoint old = FHoverButton;
      FHoverButton = over;
      if (old.X >= 0 && old.X < ColCount() && old.Y < RowCount()) RepaintCell(old.X, old.Y);
      if (over.X >= 0) RepaintCell(over.X, over.Y);
    }
  }

  // The pointer over the resizer's handle at the selection's bottom-right corner.
  if (FSelectionResizer && FSelectionRectangle && GridState() == gsNormal && !FMouseResize) {
    const TGridRect s = Selection();
    const TRect cr = CellRect(s.Right, s.Bottom);
    const TRect handle{cr.Right - 3, cr.Bottom - 3, cr.Right + 3, cr.Bottom + 3};
    if (handle.Contains({X, Y}))
      FMouseSelectMode = msResize;
    else if (FMouseSelectMode == msResize)
      FMouseSelectMode = msNormal;
  }

  // The kept selection leaves the grid once the held pointer moved more than 3 pixels; the drag
  // takes the pressed cell, not the one the pointer has reached.
  if (FSelectionClick && inCells && (Shift & ssLeft) && FDragDropSettings.OleDropSource() &&
      (std::abs(X - FClickPos.X) > 3 || std::abs(Y - FClickPos.Y) > 3) && GridState() != gsColSizing &&
      FMouseSelectMode != msResize) {
    StartOleDrag(FOlePressCell.X, FOlePressCell.Y);
    // A drag has run to its end and the grid may have changed under the pointer; a refused one
    // goes on as a range selection.
    if (GridState() != gsSelecting) return;
  }

  if (GridState() == gsColMoving && FMoveCell >= 0 && !FEnhMoving) {
    bool allow = true;
    if (OnColumnMove) OnColumnMove(this, FMoveCell, allow);
    if (!allow) SetGridState(gsNormal);
  } else if (GridState() == gsRowMoving && FMoveCell >= 0 && !FEnhMoving) {
    bool allow = true;
    if (OnRowMove) OnRowMove(this, FMoveCell, allow);
    if (!allow) SetGridState(gsNormal);
  }
  const bool moving = GridState() == gsColMoving || GridState() == gsRowMoving;
  if (FEnhRowColMove && moving && RowCount() > 1 && (X != FClickPos.X || Y != FClickPos.Y)) {
    FEnhMoving = true;
    bool allow = true;
    if (GridState() == gsColMoving) {
      FMoveColInd = hit.X;
      if (OnColumnMoving && hit.X >= 0) OnColumnMoving(this, hit.X, allow);
    } else {
      FMoveRowInd = hit.Y;
      if (OnRowMoving && hit.Y >= 0) OnRowMoving(this, hit.Y, allow);
    }
    Screen->SetCursor(allow ? crDrag : crNoDrop);
  }

  // A shown cell hint goes when the pointer enters another cell; a merged area is one cell.
  if (FLastHintPos.X >= 0) {
    TPoint base{-1, -1};
    if (inCells) {
      base = BaseCell(RealColIndex(hit.X), hit.Y);
    }
    if (base.X != FLastHintPos.X || base.Y != FLastHintPos.Y) {
      FLastHintPos = {-1, -1};
      Application->CancelHint();
    }
  }
  TBaseGrid::MouseMove(Shift, X, Y);
  BalloonMouseMove(X, Y);
  if (FNavigation.KeepHorizScroll() && FMouseKeepDown && GridState() != gsColMoving &&
      LeftCol() != FOldKeepLeftCol && FOldKeepLeftCol < ColCount()) {
    StartUpdate();
    SetLeftCol(FOldKeepLeftCol);
    ResetUpdate();
  }

  if (GridState() == gsColSizing && FColClicked >= 0 && FColClicked < ColCount()) {
    const int width = X - ComputeCellRect(FColClicked, 0).Left - FClickPosDX;
    if (OnColumnSizing) OnColumnSizing(this, FColClicked, width);
    if (FHintShowSizing) {
      const TRect at = ComputeCellRect(FColClicked, 0);
      ShowSizingHint("cw=<b>" + std::to_string(width) + "</b>", {at.Left, at.Top});
    }
  } else if (GridState() == gsRowSizing && FRowClicked >= 0 && FRowClicked < RowCount()) {
    const int height = Y - ComputeCellRect(0, FRowClicked).Top - FClickPosDY;
    if (OnRowSizing) OnRowSizing(this, FRowClicked, height);
    if (FHintShowSizing) {
      const TRect at = ComputeCellRect(0, FRowClicked);
      ShowSizingHint("rh=<b>" + std::to_string(height) + "</b>", {at.Left, at.Top});
    }
  }

  const TGridRect after = Selection();
  if (!(after == before)) SelectionChanged(after.Left, after.Top, after.Right, after.Bottom);
}

void TProStringGrid::CMMouseLeave(TMessage& Message) {
  TBaseGrid::CMMouseLeave(Message);
  FMouseSelectMode = msNormal;
  HoverLinkLeave();
  if (FHoverFixedCells != hfNone && FHoverFixedX >= 0) {
    const int c = FHoverFixedX, r = FHoverFixedY;
    FHoverFixedX = FHoverFixedY = -1;
    if (c < ColCount() && r < RowCount()) RepaintCell(c, r);
  }
  if (HoverRow() && HoverRowIdx() >= 0) {
    const int old = HoverRowIdx();
    SetHoverRowIdx(-1);
    if (old < RowCount()) InvalidateRow(old);
  }
}

void TProStringGrid::CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos,
                                     int& SizingOfs) {
  TBaseGrid::CalcSizingState(X, Y, State, Index, SizingPos, SizingOfs);
  if (State == gsColSizing) {
    const TGridCoord left = MouseToCell(X - 6, Y);
    if (left.X >= 0 && left.Y >= 0 && left.Y < FixedRows() && OnColumnSize) {
      bool allow = true;
      OnColumnSize(this, left.X, allow);
      if (!allow) State = gsNormal;
    }
  } else if (State == gsRowSizing) {
    const TGridCoord above = MouseToCell(X, Y - 6);
    if (above.X >= 0 && above.Y >= 0 && above.X < FixedCols() && OnRowSize) {
      bool allow = true;
      OnRowSize(this, above.Y, allow);
      if (!allow) State = gsNormal;
    }
  }
}

void TProStringGrid::ShowSizingHint(const std::string& Text, TPoint At) {
  FSizingHint = Text;
  FSizingHintPos = At;
}

void TProStringGrid::HideSizingHint() {
  FSizingHint.clear();
  FSizingHintPos = {-1, -1};
}

void TProStringGrid::ColumnMovedFollow(int FromIndex, int ToIndex, int RealFrom, int RealTo) {
  // Hidden rows keep their texts by real column.
  for (TGridItem& item : FGridItems) {
    auto& cells = item.Cells;
    const int need = std::max(RealFrom, RealTo) + 1;
    if (static_cast<int>(cells.size()) < need) cells.resize(need);
    auto moved = std::move(cells[RealFrom]);
    cells.erase(cells.begin() + RealFrom);
    cells.insert(cells.begin() + RealTo, std::move(moved));
  }
  // The sorted column follows the move; the column that stood at RealTo moves one place too.
  const int sc = FSortSettings.Column();
  if (sc >= 0) {
    int now = sc;
    if (sc == RealFrom)
      now = RealTo;
    else if (RealFrom < RealTo && sc > RealFrom && sc <= RealTo)
      now = sc - 1;
    else if (RealTo < RealFrom && sc >= RealTo && sc < RealFrom)
      now = sc + 1;
    FSortSettings.SetColumn(now);
  }
  if (FFloatingFooter.Visible()) Invalidate();
  (void)FromIndex;
  (void)ToIndex;
}

void TProStringGrid::CMHintShow(TMessage& Message) {
  TBaseGrid::CMHintShow(Message);
  auto* info = reinterpret_cast<THintInfo*>(Message.LParam);
  if (!info) return;
  BuildCellHint(info->HintStr, *info);
  Message.Result = 0;
}

void TProStringGrid::BuildCellHint(std::string& HintStr, THintInfo& Info) {
  const TGridCoord hit = MouseToCell(Info.CursorPos.X, Info.CursorPos.Y);
  if (hit.X < 0 || hit.Y < 0 || hit.X >= ColCount() || hit.Y >= RowCount()) return;
  const int rc = RealColIndex(hit.X);
  const TPoint base = BaseCell(rc, hit.Y);
  FLastHintPos = base;
  const TRect area = CellRect(RealToDisplCol(base.X), base.Y);
  Info.CursorRect = area;
  std::string comment;
  TPoint pos = IsComment(base.X, base.Y, comment) ? TPoint{area.Right, area.Top}
                                                  : TPoint{Info.CursorPos.X, area.Bottom + 6};
  const bool normal = hit.X >= FixedCols() && hit.Y >= FixedRows() && hit.X < ColCount() - FFixedRightCols &&
                      hit.Y < RowCount() - FFixedFooters;
  if (FHintShowCells && normal) {
    HintStr = StrippedCells(base.X, base.Y);
    pos.Y = area.Top;
  }
  const bool footerRow =
      FFloatingFooter.Visible() && hit.Y == RowCount() - 1 && FFloatingFooter.FooterStyle() == fsFixedLastRow;
  if (!footerRow) {
    std::string wide;
    GetCellHint(base.X, base.Y, HintStr, wide);
  }
  Info.HintStr = HintStr;
  Info.HintPos = ClientToScreen(pos);
}
