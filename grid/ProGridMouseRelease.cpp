// The left release and the double click: held buttons, the end of drags, check-box and radio
// releases and the header click that sorts.
#include "grid/ProGrid.h"

#include "platform/Clock.h"
#include "platform/ui/Application.h"

#include <algorithm>
#include <cmath>

void TProStringGrid::WMLButtonUp(TMessage& Message) {
  const int X = LParamX(Message.LParam), Y = LParamY(Message.LParam);
  FColMoveFlg = FColSizeFlg = false;
  FMouseDownDisjunct = FMouseKeepDown = FMouseDownMove = false;
  FMouseSelectMode = msNormal;
  FMouseSelectStart = -1;
  if (FCtrlDown) {
    FCtrlDown = false;
    if (FCtrlXY.X >= 0 && FCtrlXY.X < ColCount() && FCtrlXY.Y < RowCount()) RepaintCell(FCtrlXY.X, FCtrlXY.Y);
  }
  if (FFixedCellPushed) {
    FFixedCellPushed = false;
    InvalidateRect(FPushedFixedCell);
  }

  TGridCoord hit = MouseToCell(X, Y);
  const bool inCells = hit.X >= 0 && hit.Y >= 0;
  bool onButton = false;
  if (FPushedCellButton.X >= 0) {
    onButton = inCells;
    ReleaseHeldButton(hit.X, hit.Y, X, Y);
    if (onButton) {
      const int rc = RealColIndex(hit.X);
      onButton = (HasButton(rc, hit.Y) && GetCellButtonRect(hit.X, hit.Y).Contains({X, Y})) ||
                 (HasExpand(rc, hit.Y) && GetExpandRect(rc, hit.Y).Contains({X, Y}));
    }
  }
  HideSizingHint();
  if (onButton) return;

  const bool fixedRelease = inCells && (hit.X < FixedCols() || hit.Y < FixedRows());
  if (FDoOnClick && fixedRelease &&
      !(hit.Y < FixedRows() && (Options() & goColSizing) && IsSizingBorder(X, Y)))
    Click();
  FDoOnClick = false;

  if (FSelectionClick && inCells && hit.X >= FixedCols() && hit.Y >= FixedRows()) {
    FSelectionClick = false;
    const bool disjunctDrag = FMouseActions->DisjunctRowSelect() && FDragDropSettings.OleDropSource();
    const bool ctrl = (KeyShiftState() & ssCtrl) != 0;
    if (disjunctDrag && !ctrl) ClearRowSelect();
    if (disjunctDrag && (ctrl || FMouseActions->DisjunctRowSelectNoCtrl())) {
      const int row = FMouseActions->RowSelectPersistent() ? RealRowIndex(hit.Y) : hit.Y;
      SetRowSelect(row, !RowSelect(row));
      if (OnMouseUp) OnMouseUp(this, mbLeft, ssCtrl, X, Y);
      return;
    }
    const bool indicator = FixedCols() > 0 && Row() < RowCount();
    if (indicator) RepaintCell(0, Row());
    if (Options() & goRowSelect)
      SetSelection(TGridRect{FixedCols(), hit.Y, ColCount() - 1, hit.Y});
    else
      SetSelection(TGridRect{hit.X, hit.Y, hit.X, hit.Y});
    if (indicator && Row() < RowCount()) RepaintCell(0, Row());
  }

  bool deselected = false;
  if (FMouseActions->DisjunctRowSelect() && inCells && !(hit.X == 0 && IsNode(hit.Y))) {
    if (!(hit.X == 0 && FMouseActions->HotmailRowSelect())) {
      const TGridRect s = Selection();
      for (int r = std::max(s.Top, FixedRows()); r <= s.Bottom && r < RowCount(); ++r)
        SetRowSelect(FMouseActions->RowSelectPersistent() ? RealRowIndex(r) : r, true);
    }
    if (FDeselectState && hit.Y >= FixedRows() && hit.Y < RowCount() - FFixedFooters) {
      SetRowSelect(FMouseActions->RowSelectPersistent() ? RealRowIndex(hit.Y) : hit.Y, false);
      deselected = true;
    }
  }
  if (FMouseActions->DisjunctColSelect() && inCells) {
    const TGridRect s = Selection();
    for (int c = std::max(s.Left, FixedCols()); c <= s.Right && c < ColCount(); ++c)
      SetColSelect(c, true);
    if (FDeselectState && hit.X >= FixedCols() && hit.X < ColCount() - FFixedRightCols)
      SetColSelect(hit.X, false);
  }
  FDeselectState = false;

  // A move or size that this release ends is no header click.
  const TGridState state = GridState();
  if (state == gsColMoving || state == gsRowMoving) FColMoveFlg = true;
  if (state == gsColSizing || state == gsRowSizing) FColSizeFlg = true;
  if (FEnhMoving) {
    FEnhMoving = false;
    FColMoveFlg = true;
    const bool drop = Screen->Cursor() == crDrag;
    Screen->SetCursor(crDefault);
    if (drop && state == gsColMoving && hit.X >= FixedCols() && hit.X != FMoveCell && FMoveCell >= 0)
      MoveColumn(FMoveCell, hit.X);
    else if (drop && state == gsRowMoving && hit.Y >= FixedRows() && hit.Y != FMoveCell && FMoveCell >= 0)
      MoveRow(FMoveCell, hit.Y);
    // The runtime must not move a second time.
    SetGridState(gsNormal);
  }
  if (FMouseResize) {
    FMouseResize = false;
    const TGridRect now = Selection();
    if (OnSelectionResize) OnSelectionResize(this, FDropSelection, now);
    FillFromResizedSelection();
    if (OnSelectionResized) OnSelectionResized(this, FDropSelection, Selection());
    SetGridState(gsNormal);
  }

  const bool selecting = GridState() == gsSelecting;
  RuntimeWndProc(Message);
  if (selecting) Click();
  if (deselected) FSelChange = false;
  if (GridState() == gsSelecting) SetGridState(gsNormal);

  // Handlers may have changed the grid: look at the point again.
  hit = MouseToCell(X, Y);
  if (FColMoveFlg || FColSizeFlg || hit.X < 0 || hit.Y < 0) return;
  if (hit.X < FixedCols() && !FSortSettings.FixedCols()) return;
  const int rc = RealColIndex(hit.X);
  if (rc < 0) return;
  if (HasCheckBox(rc, hit.Y) && OnCheckBoxMouseUp) {
    bool checked = false;
    GetCheckBoxState(rc, hit.Y, checked);
    OnCheckBoxMouseUp(this, rc, hit.Y, checked);
  } else if (IsRadio(rc, hit.Y) && OnRadioMouseUp) {
    int idx = -1;
    GetRadioIdx(rc, hit.Y, idx);
    OnRadioMouseUp(this, rc, hit.Y, idx);
  }
  if (FDblClk) {
    FDblClk = false;
    return;
  }
  hit = MouseToCell(X, Y);
  if (hit.X >= 0 && hit.Y >= 0) HeaderClickSort(hit.X, hit.Y, X, Y);
}

void TProStringGrid::ReleaseHeldButton(int ACol, int ARow, int X, int Y) {
  const TPoint held = FPushedCellButton;
  FPushedCellButton = {-1, -1};
  SetMouseCapture(false);
  if (held.X < 0 || held.X >= ColCount() || held.Y >= RowCount()) return;
  const bool inCells = ACol >= 0 && ARow >= 0;
  bool enabled;
  if (inCells && !FControlLook.NoDisabledButtonLook())
    enabled = IsCellEditable(RealColIndex(ACol), ARow);
  else
    enabled = (Options() & goEditing) != 0;
  const bool heldFixed = held.X < FixedCols() || held.Y < FixedRows();
  if (!(enabled || FControlLook.NoDisabledButtonLook() || heldFixed)) return;
  if (!IsNode(held.Y)) PushButton(held.X, held.Y, false);
  if (!inCells) return;
  const int rc = RealColIndex(ACol);
  const TPoint base = BaseCell(rc, ARow);
  const int bcol = RealToDisplCol(base.X);
  const bool fixedTrigger = (held.X < FixedCols() && FFixedAsButtons) || held.Y < FixedRows();
  if ((HasButton(base.X, base.Y) && GetCellButtonRect(bcol, base.Y).Contains({X, Y})) || fixedTrigger)
    ButtonClick(held.X, held.Y);
  if (held.X >= ColCount() || held.Y >= RowCount()) return;
  const int heldReal = RealColIndex(held.X);
  if ((HasExpand(base.X, base.Y) && GetExpandRect(base.X, base.Y).Contains({X, Y})) ||
      (fixedTrigger && HasExpand(heldReal, held.Y))) {
    const bool expanded = ToggleExpand(heldReal, held.Y);
    ExpandClick(held.X, held.Y, expanded);
  }
}

void TProStringGrid::HeaderClickSort(int ACol, int ARow, int X, int Y) {
  const int RealCol = RealColIndex(ACol);
  const TRect r = ComputeCellRect(ACol, ARow);
  if (ARow == 0 && (Options() & goColSizing) && (std::abs(X - r.Left) < 4 || std::abs(r.Right - X) < 4))
    return;
  if (FControlLook.FixedDropDownButton() && X > r.Right - 16 &&
      (CanShowFixedDropDown(RealCol) || GetColumnFilter(RealCol)))
    return;
  const bool pressedHere = MouseToCell(FClickPos.X, FClickPos.Y).Y == FSortSettings.Row();
  if (ARow != FSortSettings.Row() || !pressedHere || FixedRows() <= 0 || IsInCheckBox(RealCol, ARow, X, Y) ||
      !FSortSettings.Show() || FColMoveFlg || RowCount() <= 2)
    return;
  bool canSort = FIgnoreColumns.count(RealCol) == 0;
  if (OnCanSort) OnCanSort(this, RealCol, canSort);
  if (!canSort) {
    if (ACol < ColCount() && FSortSettings.Row() < RowCount()) RepaintCell(ACol, FSortSettings.Row());
    return;
  }
  HideInplaceEdit();
  InitSortXRef();
  const std::int64_t start = Clock().NowMs();
  const bool keepLeft = FNavigation.KeepHorizScroll() && (Options() & goRowSelect);
  const int oldLeft = LeftCol();
  if (keepLeft) BeginUpdate();
  if (FSortSettings.IndexShow()) {
    if (HasNodes())
      QSortGroupIndexed();
    else
      QSortIndexed();
  } else {
    bool unsort = false;
    const bool wasDescending = FSortSettings.Descending();
    if (FSortSettings.Column() == RealCol) {
      if (wasDescending != FInitSortDescending && FUndoSort)
        unsort = true;
      else
        FSortSettings.SetDescending(!wasDescending);
    } else {
      FSortSettings.SetDescending(FInitSortDescending);
      FSortSettings.SetColumn(RealCol);
    }
    if (HasNodes()) {
      QSortGroup();
    } else if (unsort) {
      QUnSort();
      FSortSettings.SetColumn(-1);
    } else {
      QSort();
    }
  }
  if (keepLeft) {
    SetLeftCol(std::min(oldLeft, std::max(FixedCols(), ColCount() - 1)));
    EndUpdate();
  }
  FSortTime = Clock().NowMs() - start;
  if (FControlList.Count() > 0) CellControlsUpdate(false);
  ClickSort(FSortSettings.Column());
}

void TProStringGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const bool notice = Button == mbLeft || (Button == mbRight && FMouseActions->SelectOnRightClick());
  const TGridRect before = Selection();
  FilterListRelease(X, Y);
  FDropDownDown = false;
  // A size dragged out of the grid is cancelled.
  if ((GridState() == gsColSizing && X > Width()) || (GridState() == gsRowSizing && Y > Height())) {
    SetGridState(gsNormal);
    return;
  }
  const TGridCoord cell = MouseToCell(X, Y);
  if (FMouseActions->DisjunctCellSelect() && Button == mbLeft && cell.X >= 0 && cell.Y >= 0) {
    const int rc = RealColIndex(cell.X);
    const TPoint base = BaseCell(rc, cell.Y);
    const int bcol = RealToDisplCol(base.X);
    const bool fixed = cell.X < FixedCols() || cell.Y < FixedRows();
    if (!fixed) {
      bool canSelect = true;
      if (OnSelectCell) OnSelectCell(this, bcol, base.Y, canSelect);
      if (!canSelect) return;
      if (Shift & ssShift) {
        SetSelectedCells(cell.X, cell.Y, true);
      } else if (Shift & ssCtrl) {
        SetSelectedCells(bcol, base.Y, !SelectedCells(bcol, base.Y));
      } else {
        ClearSelectedCells();
        SetSelectedCells(bcol, base.Y, true);
      }
    } else if (!(Shift & ssCtrl)) {
      ClearSelectedCells();
    }
  }
  if (notice) SelectionChanged(before.Left, before.Top, before.Right, before.Bottom);
  if (Button == mbRight && (GridState() == gsColMoving || GridState() == gsRowMoving)) return;
  // The size change the base makes on release is the user's resize.
  FColSized = GridState() == gsColSizing && FColClicked >= 0;
  FRowSized = GridState() == gsRowSizing && FRowClicked >= 0;
  TBaseGrid::MouseUp(Button, Shift, X, Y);
  FColSized = FRowSized = false;
  const TGridRect after = Selection();
  if (!(after == before)) SelectionChanged(after.Left, after.Top, after.Right, after.Bottom);
}

void TProStringGrid::WMLButtonDblClk(TMessage& Message) {
  const int X = LParamX(Message.LParam), Y = LParamY(Message.LParam);
  TGridCoord hit = MouseToCell(X, Y);
  int ACol = hit.X, ARow = hit.Y;
  if (FMouseActions->RangeSelectAndEdit() && ACol >= 0 && ARow >= 0 &&
      !HasControlGraphic(RealColIndex(ACol), ARow))
    FForceSel = true;
  if (ACol < 0) {
    if (FFixedRowAlways || ColCount() == 0 || RowCount() == 0) {
      RuntimeWndProc(Message);
      FForceSel = false;
      return;
    }
    ACol = ColCount() - 1;
    ARow = 0;
  }
  if (ARow < 0) {
    RuntimeWndProc(Message);
    FForceSel = false;
    return;
  }

  if (ARow < FixedRows() && (Options() & goColSizing) && FMouseActions->AutoSizeColOnDblClick()) {
    const TRect r = ComputeCellRect(ACol, ARow);
    int sized = -1;
    if (std::abs(X - r.Left) <= 3) {
      FDblClk = true;
      if (ACol - 1 >= FixedCols()) sized = ACol - 1;
    } else if (std::abs(r.Right - X) <= 3 && ACol >= FixedCols()) {
      FDblClk = true;
      sized = ACol;
    }
    if (sized >= 0) {
      bool allow = true;
      if (OnColumnSize) OnColumnSize(this, sized, allow);
      if (allow && sized < ColCount()) {
        AutoSizeCol(sized, 0);
        if (OnEndColumnSize) OnEndColumnSize(this, sized);
      }
      FForceSel = false;
      RuntimeWndProc(Message);
      return;
    }
  }

  const int rc = RealColIndex(ACol);
  if (ACol < ColCount() && ARow < RowCount()) {
    if ((HasButton(rc, ARow) && GetCellButtonRect(ACol, ARow).Contains({X, Y})) ||
        (HasExpand(rc, ARow) && GetExpandRect(rc, ARow).Contains({X, Y}))) {
      FForceSel = false;
      return;
    }
    if (HasControlGraphic(rc, ARow)) {
      RuntimeWndProc(Message);
      FForceSel = false;
      return;
    }
  }
  RuntimeWndProc(Message);
  if (OnDblClickCell) OnDblClickCell(this, ARow, ACol);

  if (ACol < ColCount() && ARow < RowCount()) {
    if (FMouseActions->EditOnDblClickOnly()) {
      const bool range = FMouseActions->RangeSelectAndEdit();
      FMouseActions->SetRangeSelectAndEdit(true);
      if (IsEditable(RealColIndex(ACol), ARow)) {
        SetOptions(Options() | goEditing);
        FOldCol = ACol;
        FOldRow = ARow;
        ShowInplaceEdit();
      }
      FMouseActions->SetRangeSelectAndEdit(range);
    } else if (FMouseActions->RangeSelectAndEdit() && IsEditable(RealColIndex(ACol), ARow)) {
      SetOptions(Options() | goEditing);
      const TPoint base = BaseCell(RealColIndex(ACol), ARow);
      const TRect b = ComputeCellRect(RealToDisplCol(base.X), base.Y);
      MouseDown(mbLeft, 0, b.Left + 4, b.Top + 4);
    }
  }
  FForceSel = false;
  if (ACol < ColCount() && ARow < RowCount()) {
    if ((ARow < FixedRows() && FMouseActions->FixedRowsEdit() == fceDblClick) ||
        (ACol < FixedCols() && FMouseActions->FixedColsEdit() == fceDblClick))
      StartFixedCellEdit(ACol, ARow);
  }
}
