// The grid's window messages: the posted end of an edit, the grid's half-second timer, the wheel,
// focus entry and exit.
#include "grid/ProGrid.h"

#include "grid/GridAuxWindows.h"
#include "grid/ProGridUnit.h"
#include "platform/ui/Application.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/KeyState.h"

#include <algorithm>
#include <cmath>

void TProStringGrid::StartGridTimer() {
  FGridTimer = new TTimer(this);
  FGridTimer->SetInterval(500);
  FGridTimer->OnTimer = [this](TObject*) { GridTimerTick(); };
}

void TProStringGrid::GridTimerTick() {
  ++FTimerTicks;
  if (FNavigation.AutoGotoIncremental() && ++FSearchTics >= 4) {
    FSearchInc.clear();
    FSearchTics = 0;
  }
}

void TProStringGrid::ResetUpdate() {
  FUpdateCount = 0;
  // The window must not stay switched off once no lock is held; nothing is repainted here.
  if (!Redraw()) SetRedraw(true);
}

void TProStringGrid::Paint() {
  if (FUpdateCount > 0) return;
  PaintGrid();
}

void TProStringGrid::WndProc(TMessage& Message) {
  if (MouseMessage(Message)) return;
  if (Message.Msg == GridEditDoneMessage() && GridEditDoneMessage() != 0) {
    if (OnEditCellDone && CanFire())
      OnEditCellDone(this, static_cast<int>(Message.WParam), static_cast<int>(Message.LParam));
    if (FMouseActions->EditOnDblClickOnly()) {
      HideInplaceEdit();
      FEditMode = false;
      SetOptions(Options() & ~goEditing);
    }
  }
  TBaseGrid::WndProc(Message);
}

void TProStringGrid::WMMouseWheel(TMessage& Message) {
  const auto shift = static_cast<TShiftState>(Message.WParam & 0xFFFF);
  const int delta = static_cast<std::int16_t>((Message.WParam >> 16) & 0xFFFF);
  const bool towardsUser = delta < 0;
  Message.Result = 0;
  if (!FEnableWheel || (FFixedRowAlways && RowCount() == 1)) return;
  const int lines = WheelScrollLines();
  int step = FMouseActions->WheelIncrement();
  if (step < 1) step = lines > 0 ? lines : std::max(1, VisibleRowCount());
  const TGridRect before = Selection();
  const bool moveSelection = FMouseActions->WheelAction() == waMoveSelection;
  int target = Row();
  if (!moveSelection) {
    if (towardsUser) {
      if (TopRow() < RowCount() - VisibleRowCount()) SetTopRow(TopRow() + step);
    } else {
      const int s = std::min(step, TopRow() - FixedRows());
      if (TopRow() > FixedRows()) SetTopRow(TopRow() - s);
    }
  } else {
    target = towardsUser ? Row() + step : Row() - step;
  }
  target = std::clamp(target, FixedRows(), std::max(FixedRows(), RowCount() - FFixedFooters - 1));
  if (Col() > ColCount() - 1) SetCol(ColCount() - 1);
  if (Col() < FixedCols()) SetCol(FixedCols());
  int moved = 0;
  if (target >= 0 && target < RowCount()) {
    const int oldLeft = LeftCol();
    StartUpdate();
    if (FMouseActions->DisjunctRowSelect() && moveSelection) ClearRowSelect();
    moved = target - Row();
    if (moveSelection) {
      SetRow(target);
      if (Row() != target) {
        // A refused row: go half the way.
        const int half = static_cast<int>(std::nearbyint((target - Row()) / 2.0));
        SetRow(Row() + half);
        if (TopRow() > FixedRows()) SetTopRow(TopRow() - 1);
      }
    }
    if ((Options() & goRowSelect) && FNavigation.KeepHorizScroll()) SetLeftCol(oldLeft);
    ResetUpdate();
    Invalidate();
  }
  bool handled = true;
  MouseWheelMoved(moved, handled);
  if ((FMouseActions->WheelIncrement() != 0 || FMouseActions->DisjunctRowSelect()) && handled) {
    Message.Result = 1;
    bool h = false;
    const TPoint pos{LParamX(Message.LParam), LParamY(Message.LParam)};
    if (towardsUser && OnMouseWheelDown) OnMouseWheelDown(this, shift, pos, h);
    if (!towardsUser && OnMouseWheelUp) OnMouseWheelUp(this, shift, pos, h);
  }
  Message.Result = 1;
  const TGridRect after = Selection();
  if (!(after == before)) SelectionChanged(after.Left, after.Top, after.Right, after.Bottom);
}

void TProStringGrid::Click() {
  TBaseGrid::Click();
  SaveOldCell(Col(), Row());
}

void TProStringGrid::DoEnter() {
  if (FBlockFocus) return;
  TBaseGrid::DoEnter();
  SaveOldCell(Col(), Row());
}

void TProStringGrid::DoExit() {
  if (FBlockKill) return;
  if (FSelChange && FMouseActions->DisjunctRowSelect()) {
    // A pending row selection flags the rows of the selection before the focus goes.
    const TGridRect s = Selection();
    for (int r = s.Top; r <= s.Bottom; ++r)
      SetRowSelect(FMouseActions->RowSelectPersistent() ? RealRowIndex(r) : r, true);
  }
  FSelChange = false;
  TBaseGrid::DoExit();
}

void TProStringGrid::WMKillFocus(TMessage& Message) {
  if (FBlockKill) {
    Message.Result = 1;
    return;
  }
  TBaseGrid::WMKillFocus(Message);
  if (IsMergedCell(RealCol(), Row())) RepaintCell(Col(), Row());
}

void TProStringGrid::WMSetFocus(TMessage& Message) {
  if (FInvokedFocusChange) return;
  TBaseGrid::WMSetFocus(Message);
  const int rc = RealCol();
  if (rc < 0 || HasCheckBox(rc, Row())) return;
  const bool visible = LeftCol() <= Col() && Col() < LeftCol() + VisibleColCount() && TopRow() <= Row() &&
                       Row() < TopRow() + VisibleRowCount();
  const bool fromEditor = InplaceEditor() && FocusPeer(Message) == InplaceEditor();
  if (FNavigation.AlwaysEdit() && !fromEditor && GridState() == gsNormal && visible) {
    bool canEdit = true;
    CanEditCell(rc, Row(), canEdit);
    if (canEdit && !HasControlGraphic(rc, Row())) {
      ShowInplaceEdit();
      Message.Result = 0;
      return;
    }
  }
  if (IsMergedCell(rc, Row())) RepaintCell(Col(), Row());
}

void TProStringGrid::ApplyStyleColors() {
  // The platform runs no application styles: the grid keeps its own colours.
  FUseVCLStyles = false;
}

void TProStringGrid::ResetFixedCellHighlight() {
  if (FHoverFixedCells == hfNone || FHoverFixedX < 0) return;
  const int c = FHoverFixedX, r = FHoverFixedY;
  FHoverFixedX = FHoverFixedY = -1;
  RepaintCell(c, r);
}

bool TProStringGrid::IsHoverFixedCell(int ACol, int ARow) const {
  const bool fixedCol = ACol < FixedCols(), fixedRow = ARow < FixedRows();
  switch (FHoverFixedCells) {
  case hfAll:
    return fixedCol || fixedRow;
  case hfFixedRows:
    return fixedRow;
  case hfFixedColumns:
    return fixedCol;
  default:
    return false;
  }
}

void TProStringGrid::SetUseHTMLHints(bool Value) {
  FUseHTMLHints = Value;
}

THintWindowClass TProStringGrid::HintWindowClass() const {
  if (!FUseHTMLHints) return nullptr;
  return [] { return new THTMLHintWindow(nullptr); };
}
