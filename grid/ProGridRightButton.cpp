// The right button: it may select the cell it presses, and every press is reported.
#include "grid/ProGrid.h"

#include <algorithm>

void TProStringGrid::WMRButtonDown(TMessage& Message) {
  const int X = LParamX(Message.LParam), Y = LParamY(Message.LParam);
  RuntimeWndProc(Message);
  TGridCoord hit = MouseToCell(X, Y);
  const int ACol = hit.X, ARow = hit.Y;
  const bool inCells = ACol >= 0 && ARow >= 0 && ACol < ColCount() && ARow < RowCount();
  if (FMouseActions->SelectOnRightClick() && inCells && ACol >= FixedCols() && ARow >= FixedRows() &&
      !IsFixed(ACol, ARow) && !(FMouseActions->DisjunctCellSelect() && SelectedCells(ACol, ARow))) {
    const int rc = RealColIndex(ACol);
    if (!HasControlGraphic(rc, ARow)) {
      if (OnRightClickCell) {
        FocusCell(ACol, ARow);
      } else {
        MouseDown(mbLeft, 0, X, Y);
        MouseUp(mbLeft, 0, X, Y);
      }
    }
    if (ACol < ColCount() && ARow < RowCount()) {
      if (Selection().Contains(ACol, ARow)) {
        bool canSelect = true;
        if (OnSelectCell) OnSelectCell(this, ACol, ARow, canSelect);
      } else {
        const TPoint base = BaseCell(rc, ARow);
        const bool keepLeft = FNavigation.KeepHorizScroll();
        const int oldLeft = LeftCol();
        if (keepLeft) BeginUpdate();
        MoveColRow(RealToDisplCol(base.X), base.Y, true, true);
        if (keepLeft) {
          SetLeftCol(std::min(oldLeft, std::max(FixedCols(), ColCount() - 1)));
          EndUpdate();
        }
      }
    }
    if (FMouseActions->DisjunctRowSelect() && ARow < RowCount()) {
      const int r = FMouseActions->RowSelectPersistent() ? RealRowIndex(ARow) : ARow;
      if ((KeyShiftState() & ssCtrl) || FMouseActions->DisjunctRowSelectNoCtrl()) {
        SetRowSelect(r, !RowSelect(r));
      } else if (!(RowSelectCount() > 1 && PopupMenu() && RowSelect(r))) {
        ClearRowSelect();
        SetRowSelect(r, true);
      }
    }
  }
  if (OnRightClickCell) OnRightClickCell(this, inCells ? ARow : -1, inCells ? ACol : -1);
}

void TProStringGrid::WMRButtonUp(TMessage& Message) {
  // The right button does not end an enhanced move.
  if (FEnhMoving && (GridState() == gsColMoving || GridState() == gsRowMoving)) {
    Message.Result = 0;
    return;
  }
  RuntimeWndProc(Message);
}
