// The editor's end on a key, the wheel while an editor may be open, cell controls that follow the
// view, and what a scroll repaints.
#include "grid/ProGrid.h"

#include <algorithm>

void TProStringGrid::DoneInplaceEdit(std::uint16_t Key, TShiftState Shift) {
  SetBlockFocus(true);
  HideInplaceEdit();
  if (Key == VK_DOWN && FNavigation.AppendOnArrowDown() && IsLastNormalRow()) {
    const int before = RowCount();
    AutoAppendRow();
    // The key below moves into the row just appended.
    if (RowCount() == before) Key = 0;
  }
  if (Key == VK_TAB || (Key >= VK_LEFT && Key <= VK_DOWN)) {
    std::uint16_t k = Key;
    KeyDown(k, Shift);
  }
  const bool alwaysEdit = FNavigation.AlwaysEdit();
  FNavigation.SetAlwaysEdit(false);
  if (CanFocus()) SetFocus();
  if (Key == VK_RETURN) AdvanceEdit(Col(), Row(), true, false);
  FNavigation.SetAlwaysEdit(alwaysEdit);
  SetBlockFocus(false);
}

bool TProStringGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  if (FMouseActions->WheelAction() == waScroll || !FEnableWheel) {
    bool handled = false;
    if (OnMouseWheelDown) OnMouseWheelDown(this, Shift, MousePos, handled);
    return handled;
  }
  const bool direct = FMouseActions->DirectEdit();
  FMouseActions->SetDirectEdit(false);
  const bool wasEditing = FEditMode;
  bool result;
  if ((Options() & goRowSelect) && FNavigation.KeepHorizScroll()) {
    StartUpdate();
    const int left = LeftCol();
    result = TBaseGrid::DoMouseWheelDown(Shift, MousePos);
    SetLeftCol(std::min(left, std::max(FixedCols(), ColCount() - 1)));
    ResetUpdate();
  } else {
    result = TBaseGrid::DoMouseWheelDown(Shift, MousePos);
  }
  if (wasEditing && CanFocus()) SetFocus();
  FMouseActions->SetDirectEdit(direct);
  return result;
}

bool TProStringGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  if (FMouseActions->WheelAction() == waScroll || !FEnableWheel) {
    bool handled = false;
    if (OnMouseWheelUp) OnMouseWheelUp(this, Shift, MousePos, handled);
    return handled;
  }
  const bool direct = FMouseActions->DirectEdit();
  FMouseActions->SetDirectEdit(false);
  const bool wasEditing = FEditMode;
  bool result = true;
  if ((Options() & goRowSelect) && FNavigation.KeepHorizScroll()) {
    StartUpdate();
    const int left = LeftCol();
    if (Row() < RowCount() && Col() < ColCount()) result = TBaseGrid::DoMouseWheelUp(Shift, MousePos);
    SetLeftCol(std::min(left, std::max(FixedCols(), ColCount() - 1)));
    ResetUpdate();
  } else if (Row() < RowCount() && Col() < ColCount()) {
    result = TBaseGrid::DoMouseWheelUp(Shift, MousePos);
  }
  if (wasEditing && CanFocus()) SetFocus();
  FMouseActions->SetDirectEdit(direct);
  return result;
}

TControl* TProStringGrid::CellControls(int ACol, int ARow) const {
  const TCellProperties* p = FindCellProperties(ACol, ARow);
  return p ? p->Control() : nullptr;
}

void TProStringGrid::SetCellControls(int ACol, int ARow, TControl* Value) {
  TCellProperties* p = CellProperties(ACol, ARow);
  if (!p) return;
  p->SetControl(Value);
  CellControlsUpdate(true);
}

void TProStringGrid::CellControlsUpdate(bool RebuildList) {
  if (RebuildList) {
    FControlList.Clear();
    if (HasCellProps())
      for (int c = 0; c < TotalColCount(); ++c)
        for (int r = 0; r < RowCount(); ++r)
          if (TControl* ctrl = CellControls(c, r)) FControlList.AddControl(c, r, ctrl);
  }
  if (FControlList.Count() == 0) return;
  const int lastCol = LeftCol() + VisibleColCount(), lastRow = TopRow() + VisibleRowCount();
  for (int i = 0; i < FControlList.Count(); ++i) {
    const TControlItem* item = FControlList.Control(i);
    TControl* ctrl = item->Control();
    const int c = RealToDisplCol(item->X()), r = item->Y();
    if (c < 0 || IsHiddenColumn(item->X())) {
      ctrl->SetVisible(false);
      continue;
    }
    const bool normal = r >= FixedRows() && c >= FixedCols();
    if (!normal) continue;
    // The partly shown column and row after the last whole ones count as in view.
    const bool inView = c >= LeftCol() && c <= lastCol && r >= TopRow() && r <= lastRow && r < RowCount();
    if (!inView) {
      ctrl->SetVisible(false);
      continue;
    }
    const TRect cr = CellRect(c, r);
    if (cr.Width() <= 0) {
      ctrl->SetVisible(false);
      continue;
    }
    ctrl->SetBounds(cr.Left - 1, cr.Top - 1, cr.Width() + 1, cr.Height() + 1);
    ctrl->SetVisible(true);
  }
}

void TProStringGrid::TopLeftChanged() {
  // A picture fixed to the grid: the cells it covered before the scroll are drawn again too.
  const bool fixedPicture = FBackGround.Display() == bdFixed && !FBackGround.Bitmap().Empty();
  TRect oldArea{};
  if (fixedPicture) {
    const TRect pic{FBackGround.Left(), FBackGround.Top(), FBackGround.Left() + FBackGround.Bitmap().Width(),
                    FBackGround.Top() + FBackGround.Bitmap().Height()};
    oldArea = pic;
  }
  TBaseGrid::TopLeftChanged();
  const TGridRect s = Selection();
  if (FSelectionRectangle && s.Top != s.Bottom) Invalidate();
  if (fixedPicture) {
    // The picture stays where it is on screen while the cells move under it: both the cells
    // under it now and those that were under it are repainted.
    InvalidateRect(oldArea);
  } else if (FBackGround.Display() == bdTile && !FBackGround.Bitmap().Empty()) {
    Invalidate();
  } else if ((FBackGround.Display() == bdGradientHorz || FBackGround.Display() == bdGradientVert) &&
             FBackGround.ColorTo() != clNone) {
    Invalidate();
  }
  // Scrolling commits and closes a special editor; the text editor stays with its cell.
  CloseSpecialEdit();
  if (FControlList.Count() > 0) CellControlsUpdate(false);
  FOldLeftCol = LeftCol();
  FOldTopRowScroll = TopRow();
}
