// The grid's keyboard: its own commands around the runtime grid's moves (key down, the typed
// character, key up), Tab navigation and appending rows from the keyboard.
#include "grid/ProGrid.h"
#include "grid/SearchPanel.h"

#include "controls/ProUtilText.h"
#include "platform/Locale.h"
#include "platform/SysUtils.h"
#include "platform/ui/Application.h"
#include "platform/ui/Forms.h"
#include "platform/ui/KeyState.h"

#include <algorithm>

namespace {
bool IsDown(int vk) {
  return GetKeyState(vk) < 0;
}
bool IsArrow(unsigned Key) {
  return Key >= VK_LEFT && Key <= VK_DOWN;
}
bool IsPageToArrow(unsigned Key) {
  return Key >= VK_PRIOR && Key <= VK_DOWN;
}
// Mini-HTML form controls take their own keys and characters.
bool HoldsFormControl(const std::string& Text) {
  return PosInUpperCase("<CONTROL", Text) > 0;
}
} // namespace

TShiftState TProStringGrid::KeyShiftState() {
  TShiftState s = 0;
  if (IsDown(VK_CONTROL)) s |= ssCtrl;
  if (IsDown(VK_SHIFT)) s |= ssShift;
  if (IsDown(VK_LMENU)) s |= ssAlt;
  return s;
}

int TProStringGrid::FirstNavCol() const {
  return FixedCols();
}

int TProStringGrid::NumFixedRightCols() const {
  // Right fixed columns are the last displayed ones; hidden columns never count among them.
  return std::min(FFixedRightCols, std::max(0, ColCount() - FixedCols()));
}

bool TProStringGrid::IsLastNormalRow() const {
  if (FFloatingFooter.Visible()) return Row() + 2 == RowCount();
  return Row() + 1 == RowCount() - FFixedFooters;
}

bool TProStringGrid::CanTabToCell(int ACol, int ARow) {
  bool can = (Options() & goEditing) ? IsEditable(RealColIndex(ACol), ARow) : !IsFixed(ACol, ARow);
  if (OnSelectCell) OnSelectCell(this, ACol, ARow, can);
  return can;
}

int TProStringGrid::FirstTabCol(int ARow) {
  for (int c = 0; c < ColCount(); ++c)
    if (CanTabToCell(c, ARow)) return c;
  return -1;
}

int TProStringGrid::LastTabCol(int ARow) {
  for (int c = ColCount() - 1; c >= 0; --c)
    if (CanTabToCell(c, ARow)) return c;
  return -1;
}

void TProStringGrid::ReportSelectionChange() {
  const TGridRect s = Selection();
  if (s == FMoveSelection) return;
  SelectionChanged(s.Left, s.Top, s.Right, s.Bottom);
  FMoveSelection = s;
}

void TProStringGrid::AutoAppendRow() {
  bool allow = true;
  CanAddRow(allow);
  if (!allow) return;
  if (FFloatingFooter.Visible()) {
    // The footer stays the last row: its texts move down into the new row.
    std::vector<std::string> footer;
    for (int c = 0; c < TotalColCount(); ++c)
      footer.push_back(GridCells(c, RowCount() - 1));
    AppendRow();
    ClearRows(RowCount() - 2, 1);
    for (int c = 0; c < TotalColCount(); ++c)
      SetGridCells(c, RowCount() - 1, footer[c]);
  } else {
    AppendRow();
    ClearRows(RowCount() - 1, 1);
  }
  if (FFloatingFooter.Visible() || FFixedFooters > 0) SetRow(Row() + 1);
  if (FFloatingFooter.Visible()) CalcFooter(-1);
  if (OnAutoAddRow) OnAutoAddRow(this, RowCount() - FFixedFooters - 1);
}

// --- Tab navigation ------------------------------------------------------------------------------

// One step of the walk from cell `at`, without moving the current cell. `Stay` when the step has
// no cell to go to; `AtEnd` when it wrapped past the end of the grid.
struct TProStringGrid::TTabStep {
  TGridCoord Cell;
  bool AtEnd = false;
  bool Stay = false;
};

TProStringGrid::TTabStep TProStringGrid::NextTabCell(TGridCoord at, bool Backward) {
  TTabStep step;
  const int lastCol = ColCount() - NumFixedRightCols() - 1;
  const int lastRow =
      RowCount() - FFixedFooters - (FFloatingFooter.Visible() && FFixedFooters == 0 ? 1 : 0) - 1;
  const int nav = FirstNavCol();
  int c = at.X, r = at.Y;
  auto finish = [&](int col, int row) {
    if (col < 0) {
      step.Stay = true; // the row reached has no cell Tab may stop on
      return step;
    }
    step.Cell = {col, row};
    return step;
  };
  const bool rowMode = FNavigation.TabAdvanceDirection() == adLeftRight;
  if (Backward) {
    if (!rowMode) {
      if (r > FixedRows()) return finish(c, r - 1);
      return finish(c > nav ? c - 1 : lastCol, lastRow);
    }
    if (c > nav) {
      for (int k = c - 1; k >= nav; --k)
        if (CanTabToCell(k, r) && IsBaseCell(RealColIndex(k), r)) return finish(k, r);
      const int row = r > FixedRows() ? r - 1 : lastRow;
      const int col = LastTabCol(row);
      if (col < 0) return finish(col, row);
      const TPoint base = BaseCell(col, row);
      return finish(base.X, base.Y);
    }
    for (int k = lastCol; k >= FixedCols(); --k)
      if (CanTabToCell(k, r)) return finish(k, r > FixedRows() ? r - 1 : lastRow);
    return finish(-1, r);
  }
  if (!rowMode) {
    const int span = CellSpan(RealColIndex(c), r).Y;
    if (r + span + 1 <= lastRow) return finish(c, r + span + 1);
    if (c < lastCol) return finish(c + 1, FixedRows());
    step.AtEnd = true;
    return finish(nav, FixedRows());
  }
  const int spanX = c >= 0 ? CellSpan(RealColIndex(c), r).X : 0;
  if (c + spanX + 1 <= lastCol) {
    for (int k = c + spanX + 1; k <= lastCol; ++k)
      if (CanTabToCell(k, r)) return finish(k, r);
    if (r < lastRow) {
      const int col = FirstTabCol(r + 1);
      return finish(col < 0 ? FixedCols() : col, r + 1);
    }
    step.AtEnd = true;
    return finish(FirstTabCol(FixedRows()), FixedRows());
  }
  if (r < lastRow) {
    for (int row = r + 1; row <= lastRow; ++row) {
      const int col = FirstTabCol(row);
      if (col >= 0) return finish(col, row);
    }
  }
  // The last normal row: wrap, or append a row to Tab into.
  int row = FixedRows();
  if (!FNavigation.TabToNextAtEnd() && FNavigation.AdvanceInsert()) {
    bool allow = true;
    CanAddRow(allow);
    if (allow) {
      if (FFloatingFooter.Visible()) {
        InsertRows(RowCount() - 1, 1);
        row = RowCount() - 2;
      } else {
        SetRowCount(RowCount() + 1);
        row = RowCount() - 1;
      }
      if (OnAutoAddRow) OnAutoAddRow(this, RowCount() - FFixedFooters - 1);
    }
  }
  step.AtEnd = true;
  return finish(FirstTabCol(row), row);
}

bool TProStringGrid::TabNavigate(bool Backward) {
  if (OnKeyDown) {
    std::uint16_t key = VK_TAB;
    OnKeyDown(this, key, Backward ? TShiftState(ssShift) : TShiftState(0));
    if (key != VK_TAB) return true;
  }
  if (Col() == FLastTabCol && Row() == FLastTabRow) return true;
  FLastTabCol = Col();
  FLastTabRow = Row();
  const TGridCoord start{Col(), Row()};
  const bool editing = (Options() & goEditing) != 0;
  bool result = true;
  // A walk that skips cells it may not stop on ends after one pass over the grid.
  long long budget = static_cast<long long>(std::max(1, ColCount())) * std::max(1, RowCount()) + 1;
  TGridCoord at = start;
  bool found = false;
  while (budget-- > 0) {
    const TTabStep step = NextTabCell(at, Backward);
    if (step.Stay) break;
    at = step.Cell;
    if (step.AtEnd && FNavigation.TabToNextAtEnd() && Parent()) {
      // The dialog moves the focus on after this message.
      PostMessage(Parent(), WM_KEYDOWN, VK_TAB, 0);
      result = false;
      found = true;
      break;
    }
    const bool skip = (editing && !IsEditable(RealColIndex(at.X), at.Y)) ||
                      (!Backward && !IsBaseCell(RealColIndex(at.X), at.Y));
    if (!skip) {
      found = true;
      break;
    }
    if (at == start) break;
  }
  if (found && !(at == start)) {
    FForceSel = true;
    if (at.Y != Row()) SetRow(at.Y);
    MoveColRow(at.X, at.Y, true, true);
    FForceSel = false;
  }
  if (FNavigation.AdvanceAutoEdit() && found && !(at == start) &&
      !HasControlGraphic(RealColIndex(Col()), Row()))
    SimulateCellClick(Col(), Row());
  FLastTabCol = -1;
  FLastTabRow = -1;
  if (FNavigation.AlwaysEdit() && CanFocus()) SetFocus();
  return result;
}

// --- Key down ------------------------------------------------------------------------------------

bool TProStringGrid::HomeEndKey(std::uint16_t Key, TShiftState Shift) {
  const bool ctrl = Shift & ssCtrl, shift = Shift & ssShift;
  const bool rowSelect = (Options() & goRowSelect) != 0;
  const THomeEndAction mode = FNavigation.HomeEndKey();
  const bool single = FFixedRowAlways && RowCount() == 1;
  const int oldRow = Row();
  const int oldLeft = LeftCol();
  auto keepLeft = [&] {
    if (rowSelect && FNavigation.KeepHorizScroll()) {
      StartUpdate();
      SetLeftCol(oldLeft);
      ResetUpdate();
    }
  };
  auto rowSelection = [&] {
    if (FMouseActions->DisjunctRowSelect() && !shift) ClearRowSelect();
    if (shift) SetSelection({0, oldRow, ColCount() - 1, Row()});
    if (FMouseActions->DisjunctRowSelect()) {
      const TGridRect s = Selection();
      for (int r = s.Top; r <= s.Bottom; ++r)
        SetRowSelect(r, true);
    }
  };
  switch (mode) {
  case heFirstLastCell:
    if (ctrl) return false;
    if (Key == VK_HOME)
      GotoCell(FixedCols(), FixedRows());
    else
      GotoCell(ColCount() - 1, RowCount() - 1);
    SnapToBaseCell();
    return true;
  case heFirstLastRow:
    if (ctrl || single) return false;
    if (Key == VK_HOME) {
      SetRow(FixedRows());
    } else {
      const int last =
          FFloatingFooter.Visible() && RowCount() > 2 ? RowCount() - 2 : RowCount() - FFixedFooters - 1;
      SetRow(last);
      if ((FFixedFooters > 0 && !FFloatingFooter.Visible()) || FFloatingFooter.Visible())
        SetTopRow(RowCount() - VisibleRowCount());
    }
    SnapToBaseCell();
    rowSelection();
    keepLeft();
    return true;
  default: // heFirstLastColumn
    if (ctrl) {
      if (Key != VK_HOME) return false; // Ctrl+End is the runtime grid's
      SetRow(FixedRows());
      const int col = FirstTabCol(Row());
      if (col >= 0) SetCol(col);
      SnapToBaseCell();
      SetLeftCol(FirstNavCol());
      return true;
    }
    if (rowSelect || single) return false;
    if (shift) {
      const int to = Key == VK_HOME ? FixedCols() : ColCount() - FFixedRightCols - 1;
      SetSelection({Col(), Row(), to, Row()});
      RepaintRow(Row());
      return true;
    }
    if (Key == VK_HOME) {
      const int col = FirstTabCol(Row());
      if (col >= 0) SetCol(col);
      SnapToBaseCell();
      SetLeftCol(FirstNavCol());
    } else {
      SetCol(ColCount() - 1);
      SnapToBaseCell();
      SetLeftCol(ColCount() - VisibleColCount());
    }
    return true;
  }
}

bool TProStringGrid::SkipFixedCellsKey(std::uint16_t Key) {
  const int c = Col(), r = Row();
  auto fixedAt = [this](int col, int row) { return IsFixed(col, row); };
  switch (Key) {
  case VK_LEFT:
    if (c > FixedCols() && fixedAt(c - 1, r)) {
      for (int k = c - 1; k >= FixedCols(); --k)
        if (!fixedAt(k, r)) {
          SetCol(k);
          return true;
        }
      return true;
    }
    return false;
  case VK_RIGHT:
    if (c < ColCount() - FFixedRightCols && c + 1 < ColCount() && fixedAt(c + 1, r)) {
      for (int k = c + 1; k <= ColCount() - FFixedRightCols - 1; ++k)
        if (!fixedAt(k, r)) {
          SetCol(k);
          return true;
        }
      return true;
    }
    return false;
  case VK_UP:
    if (r > FixedRows() && fixedAt(c, r - 1)) {
      if (Options() & goRowSelect) {
        SetRow(r - 1);
        return true;
      }
      for (int k = r - 1; k >= FixedRows(); --k)
        if (!fixedAt(c, k)) {
          SetRow(k);
          return true;
        }
      return true;
    }
    return false;
  case VK_DOWN:
    if (r < RowCount() - FFixedFooters && r + 1 < RowCount() && fixedAt(c, r + 1)) {
      if (Options() & goRowSelect) {
        if (r + 1 < RowCount() - FFixedFooters) SetRow(r + 1);
        return true;
      }
      for (int k = r + 1; k < RowCount() - FFixedFooters; ++k)
        if (!fixedAt(c, k)) {
          SetRow(k);
          return true;
        }
      return true;
    }
    return false;
  default:
    return false;
  }
}

void TProStringGrid::WMKeyDown(TMessage& Message) {
  std::uint16_t key = static_cast<std::uint16_t>(Message.WParam);
  const TShiftState shift = KeyShiftState() | (ShiftOfKeyData(Message.LParam) & (ssShift | ssCtrl));
  const bool ctrl = shift & ssCtrl, shifted = shift & ssShift;
  FMoveSelection = Selection();
  const int oldLeft = LeftCol();
  auto fireKeyDown = [&] {
    std::uint16_t k = key;
    if (OnKeyDown && CanFire()) OnKeyDown(this, k, shift);
  };
  auto swallow = [&] {
    Message.WParam = 0;
    Message.Result = 1;
  };
  const int rc = RealColIndex(Col());
  const bool editKey = key == VK_RETURN || key == VK_F2;

  const bool keepScroll = (key == VK_PRIOR || key == VK_NEXT || key == VK_UP || key == VK_DOWN) &&
                          (Options() & goRowSelect) && LeftCol() != FixedCols() &&
                          FNavigation.KeepHorizScroll();

  if (FNavigation.MoveScrollOnly() && (IsPageToArrow(key) && key != VK_LEFT && key != VK_RIGHT)) {
    const int vis = VisibleRowCount();
    switch (key) {
    case VK_PRIOR:
      SetTopRow(TopRow() > vis + FixedRows() ? TopRow() - vis : FixedRows());
      break;
    case VK_NEXT:
      if (TopRow() + vis < RowCount()) SetTopRow(TopRow() + vis);
      break;
    case VK_END:
      SetTopRow(RowCount() - vis);
      break;
    case VK_HOME:
      SetTopRow(FixedRows());
      break;
    case VK_UP:
      if (TopRow() > FixedRows()) SetTopRow(TopRow() - 1);
      break;
    case VK_DOWN:
      if (TopRow() + vis < RowCount()) SetTopRow(TopRow() + 1);
      break;
    }
    Message.Result = 1;
    return;
  }

  if (FMouseActions->EditOnDblClickOnly() && editKey && !(Options() & goEditing)) {
    const bool old = FMouseActions->RangeSelectAndEdit();
    FMouseActions->SetRangeSelectAndEdit(true);
    const bool editable = IsEditable(rc, Row());
    FMouseActions->SetRangeSelectAndEdit(old);
    if (editable) SetOptions(Options() | goEditing);
  }

  if (FMouseActions->RangeSelectAndEdit() && !(Options() & goEditing) && editKey) {
    if (!IsEditable(rc, Row())) {
      fireKeyDown();
      swallow();
      return;
    }
    SetOptions(Options() | goEditing);
    ShowInplaceEdit();
  }

  if (key == 'F' && ctrl && FSearchFooter->Visible() && FSearchPanel && FSearchPanel->Edit()->CanFocus())
    FSearchPanel->Edit()->SetFocus();

  if (editKey) {
    if ((Options() & goEditing) && !IsEditable(rc, Row())) {
      fireKeyDown();
      swallow();
      return;
    }
    if (HoldsFormControl(Cells(rc, Row()))) {
      Message.Result = 1;
      return;
    }
  }

  if (key == VK_RETURN && !IsEditable(rc, Row())) {
    TForm* form = GetParentForm(this);
    if (form && form->KeyPreview()) {
      TBaseGrid::WMKeyDown(Message);
      return;
    }
    fireKeyDown();
    swallow();
    return;
  }

  if ((key == VK_RETURN || key == VK_SPACE) && rc >= 0 && HasControlGraphic(rc, Row())) {
    bool canEdit = (Options() & goEditing) || FMouseActions->RangeSelectAndEdit();
    CanEditCell(rc, Row(), canEdit);
    TCellGraphic* g = GetCellGraphic(rc, Row());
    const TCellType kind = g ? g->CellType() : ctEmpty;
    const bool check = HasCheckBox(rc, Row());
    if (key == VK_SPACE && check && (canEdit || FControlLook.CheckAlwaysActive())) {
      if (DoToggleCheck(rc, Row(), true)) {
        if (FShowModified.Enabled()) {
          SetRowModified(Row(), true);
          RepaintCell(0, Row());
        }
        bool state = false;
        GetCheckBoxState(rc, RealRowIndex(Row()), state);
        CheckBoxClick(rc, Row(), state);
      }
    } else if (key == VK_SPACE && kind == ctRadioButton && (canEdit || FControlLook.RadioAlwaysActive())) {
      DoToggleRadioButton(rc, Row(), true);
      if (OnRadioButtonClick) OnRadioButtonClick(this, rc, Row());
    } else if (kind == ctButton && canEdit) {
      ButtonClick(rc, Row());
    }
    RepaintCell(Col(), Row());
  }

  if ((key == VK_HOME || key == VK_END)) {
    if (HomeEndKey(key, shift)) {
      fireKeyDown();
      Message.Result = 0;
      Message.WParam = 0;
      ReportSelectionChange();
      return;
    }
  }

  // The general path, before the runtime grid.
  if ((key == VK_LEFT || key == VK_RIGHT) && (Options() & goRowSelect) && VisibleColCount() < ColCount()) {
    const int step = key == VK_LEFT ? -1 : 1;
    if (FNavigation.LeftRightRowSelect()) {
      if (ctrl)
        SetLeftCol(
            std::clamp(LeftCol() + step, FixedCols(), std::max(FixedCols(), ColCount() - VisibleColCount())));
    } else {
      SetLeftCol(
          std::clamp(LeftCol() + step, FixedCols(), std::max(FixedCols(), ColCount() - VisibleColCount())));
      fireKeyDown();
      Message.Result = 0;
      Message.WParam = 0;
      return;
    }
  }
  if (key == VK_TAB && (Options() & goTabs)) {
    TabNavigate(shifted);
    ReportSelectionChange();
    Message.WParam = 0;
    return;
  }
  if (FNavigation.SkipFixedCells() && IsArrow(key) && SkipFixedCellsKey(key)) {
    fireKeyDown();
    swallow();
    ReportSelectionChange();
    return;
  }
  if (key == VK_DOWN && IsLastNormalRow() && FNavigation.AppendOnArrowDown()) AutoAppendRow();
  // With the search bar showing at the bottom of the view, the last row stays above the bar.
  const bool bar = FSearchFooter->Visible();
  const bool atBottom = bar && TopRow() >= RowCount() - VisibleRowCount();
  const bool onLastRow = Row() == RowCount() - 1;
  const bool moveKey = key >= VK_PRIOR && key <= VK_DOWN;
  const bool lastRowKey =
      onLastRow && (key == VK_NEXT || key == VK_END || key == VK_LEFT || key == VK_RIGHT || key == VK_DOWN);
  const int barTop = TopRow();
  bool barUpdate = false;
  if (atBottom) {
    if (onLastRow && (key == VK_DOWN || (key == VK_RIGHT && Col() == ColCount() - 1) ||
                      (key == VK_LEFT && Col() == FixedCols()))) {
      if (key == VK_DOWN) ShowLastRowAboveSearchPanel();
      Message.Result = 1;
      fireKeyDown();
      return;
    }
    barUpdate = lastRowKey || (key != VK_SHIFT && key != VK_MENU && !moveKey);
  }
  if (barUpdate) BeginUpdate();
  if (keepScroll) BeginUpdate();

  TBaseGrid::WMKeyDown(Message);

  if (atBottom && key != VK_SHIFT && key != VK_MENU && !moveKey && barTop < RowCount()) SetTopRow(barTop);
  if (barUpdate) EndUpdate();
  if (bar && lastRowKey) ShowLastRowAboveSearchPanel();
  if (keepScroll) {
    SetLeftCol(oldLeft);
    EndUpdate();
  }

  // Post-processing.
  const int selRow = FMouseActions->RowSelectPersistent() ? RealRowIndex(Row()) : Row();
  const bool alt = IsDown(VK_MENU);
  if (FNavigation.AllowClipboardShortCuts() &&
      ((ctrl && (key == 'X' || key == 'V' || key == 'C' || key == VK_INSERT)) ||
       (shifted && (key == VK_INSERT || key == VK_DELETE)))) {
    bool allow = true;
    if (ctrl && key == 'X') {
      if (OnClipboardCut) OnClipboardCut(this, "", allow);
      if (allow) CutSelectionToClipboard();
    } else if (ctrl && key == 'V') {
      if (OnClipboardPaste) OnClipboardPaste(this, "", allow);
      if (allow) PasteSelectionFromClipboard();
    } else if (ctrl) {
      if (OnClipboardCopy) OnClipboardCopy(this, "", allow);
      if (allow) CopySelectionToClipboard();
    } else if (key == VK_INSERT) {
      if (OnClipboardPaste) OnClipboardPaste(this, "", allow);
      if (allow) PasteSelectionFromClipboard();
    } else {
      if (OnClipboardCut) OnClipboardCut(this, "", allow);
      if (allow) CutSelectionToClipboard();
    }
  } else if (key == VK_INSERT && FNavigation.AllowInsertRow() && !ctrl && !shifted && !alt) {
    bool canInsert = true;
    CanInsertRow(Row(), canInsert);
    if (!canInsert) return;
    const bool filtered = FilterActive();
    SetFilterActive(false);
    int at = Row();
    int newRow = Row();
    if (FNavigation.InsertPosition() == pInsertAfter) {
      if (FFixedRowAlways && RowCount() == FixedRows()) {
        newRow = 1;
      } else {
        at = Row() + 1;
        newRow = Row() + 1;
      }
    }
    InsertRows(at, 1);
    if (OnAutoInsertRow) OnAutoInsertRow(this, at);
    SetFilterActive(filtered);
    if (newRow < RowCount()) SetRow(newRow);
    CalcFooter(-1);
  } else if (key == 'A' && ctrl && (Options() & (goRowSelect | goRangeSelect))) {
    TGridRect R{FirstNavCol(), FixedRows(), ColCount() - FFixedRightCols - 1, RowCount() - FFixedFooters - 1};
    if (R.Right < R.Left || R.Bottom < R.Top) return;
    if (FMouseActions->DisjunctRowSelect())
      for (int r = R.Top; r <= R.Bottom; ++r)
        SetRowSelect(r, true);
    GetSelectAllRect(R);
    MoveColRow(R.Right, R.Bottom, true, true);
    SetSelection(R);
  } else {
    if (IsPageToArrow(key) && FMouseActions->DisjunctRowSelect()) {
      if (!shifted && !ctrl) {
        ClearRowSelect();
        SetRowSelect(selRow, true);
      } else if (shifted) {
        ClearRowSelect();
        const TGridRect s = Selection();
        for (int r = s.Top; r <= s.Bottom; ++r)
          SetRowSelect(FMouseActions->RowSelectPersistent() ? RealRowIndex(r) : r, true);
      } else {
        SetRowSelect(selRow, true);
      }
    }
    if (IsPageToArrow(key) && FMouseActions->DisjunctColSelect()) {
      if (!shifted && !ctrl) {
        ClearColSelect();
        SetColSelect(Col(), true);
      } else if (shifted) {
        ClearColSelect();
        const TGridRect s = Selection();
        for (int c = s.Left; c <= s.Right; ++c)
          SetColSelect(c, true);
      } else {
        SetColSelect(Col(), true);
      }
    }
    if (key == VK_SPACE) {
      if (FMouseActions->DisjunctRowSelect()) SetRowSelect(selRow, !RowSelect(selRow));
      if (FMouseActions->DisjunctColSelect()) SetColSelect(Col(), !ColSelect(Col()));
    }
  }
  if (key == VK_DELETE && FNavigation.AllowDeleteRow() && !alt && RowCount() > FixedRows() + FFixedFooters) {
    const bool filtered = FilterActive();
    SetFilterActive(false);
    bool canDelete = true;
    const int realRow = RealRowIndex(Row());
    if (OnCanDeleteRow) OnCanDeleteRow(this, realRow, canDelete);
    if (!canDelete) {
      SetFilterActive(filtered);
      return;
    }
    const bool wasLast = Row() == RowCount() - 1;
    RemoveRows(Row(), 1);
    if (OnAutoDeleteRow) OnAutoDeleteRow(this, realRow);
    SetFilterActive(filtered);
    if (FFloatingFooter.Visible() && wasLast) SetRow(RowCount() - 2);
    SaveOldCell(Col(), Row());
    CalcFooter(-1);
  }
  if (editKey) {
    SaveOldCell(Col(), Row());
    if (HoldsFormControl(Cells(RealColIndex(Col()), Row()))) EditControlByID("");
    if (key == VK_F2) EditKeyF2();
  }
  ReportSelectionChange();
}

void TProStringGrid::KeyDown(std::uint16_t& Key, TShiftState Shift) {
  FLastKeyCell = {Col(), Row()};
  const int rowBefore = Row();
  TBaseGrid::KeyDown(Key, Shift);
  const TGridRect s = Selection();
  const int top = std::min(s.Top, s.Bottom), bottom = std::max(s.Top, s.Bottom);
  if ((Shift & ssCtrl) && FNavigation.CursorMoveRows()) {
    const int count = bottom - top + 1;
    if (Key == VK_DOWN && bottom < RowCount() - 1) {
      if (count == 1) {
        MoveRow(top, top + 1);
        SetRow(top + 1);
      } else {
        MoveRows(top, top + 1, count);
        SetSelection({FixedCols(), top + 1, ColCount() - 1, bottom + 1});
      }
    } else if (Key == VK_UP && top > FixedRows()) {
      if (count == 1) {
        MoveRow(top, top - 1);
        SetRow(top - 1);
      } else {
        MoveRows(top, top - 1, count);
        SetSelection({FixedCols(), top - 1, ColCount() - 1, bottom - 1});
      }
    }
  }
  const TCursorAdvance adv = FNavigation.CursorAdvance();
  if (adv != caDefault && Key != 0) {
    const bool snake = adv == caSnake;
    const TGridCoord from = FLastKeyCell;
    const int lastCol = ColCount() - FFixedRightCols - 1;
    const int lastRow = RowCount() - FFixedFooters - 1;
    if (Key == VK_LEFT && from.X == FixedCols()) {
      const int row = snake && from.Y > FixedRows() ? from.Y - 1 : from.Y;
      MoveColRow(lastCol, row, true, true);
    } else if (Key == VK_UP && from.Y == FixedRows()) {
      const int col = snake && from.X > FixedCols() ? from.X - 1 : from.X;
      MoveColRow(col, lastRow, true, true);
    } else if (Key == VK_RIGHT && from.X == ColCount() - 1) {
      const int row = snake && from.Y < lastRow ? from.Y + 1 : from.Y;
      MoveColRow(FixedCols(), row, true, true);
    } else if (Key == VK_DOWN && from.Y == RowCount() - 1) {
      const int col = snake && from.X < lastCol ? from.X + 1 : from.X;
      MoveColRow(col, FixedRows(), true, true);
    }
  }
  if (FUseEnabledRows && FNavigation.SkipDisabledRows() && Row() == rowBefore) {
    if (Key == VK_UP) {
      for (int r = Row() - 1; r >= FixedRows(); --r)
        if (RowEnabled(r)) {
          SetRow(r);
          break;
        }
    } else if (Key == VK_DOWN) {
      for (int r = Row() + 1; r <= RowCount() - 1; ++r)
        if (RowEnabled(r)) {
          SetRow(r);
          break;
        }
    }
  }
}

void TProStringGrid::KeyUp(std::uint16_t& Key, TShiftState Shift) {
  if (IsPageToArrow(Key) && Key != VK_HOME) FSearchInc.clear();
  if (Key == VK_INSERT || Key == VK_DELETE) FSearchInc.clear();
  const std::uint16_t key = Key;
  TBaseGrid::KeyUp(Key, Shift);
  if (FNavigation.AlwaysEdit() && (IsArrow(key) || (key == VK_TAB && (Options() & goTabs))) &&
      !HasControlGraphic(RealColIndex(Col()), Row()))
    ShowInplaceEdit();
  if (key == VK_TAB || IsArrow(key)) ReportSelectionChange();
  if (FMouseActions->DisjunctCellSelect() && !(Options() & goEditing)) {
    const TGridRect s = Selection();
    if (Shift & ssShift) {
      for (int c = s.Left; c <= s.Right; ++c)
        for (int r = s.Top; r <= s.Bottom; ++r)
          if (c != Col() || r != Row()) SetSelectedCells(c, r, true);
    }
    if (key == VK_SPACE) {
      const TPoint base = BaseCell(Col(), Row());
      bool can = !IsFixed(base.X, base.Y);
      if (can && OnSelectCell) OnSelectCell(this, base.X, base.Y, can);
      if (can) {
        if (Shift & ssCtrl) {
          SetSelectedCells(base.X, base.Y, !SelectedCells(base.X, base.Y));
        } else {
          for (const TGridCoord& cell : std::vector<TGridCoord>(FPickedCells.Cells()))
            SetSelectedCells(cell.X, cell.Y, false);
          SetSelectedCells(base.X, base.Y, true);
        }
        if (s.Left != s.Right || s.Top != s.Bottom)
          for (int c = s.Left; c <= s.Right; ++c)
            for (int r = s.Top; r <= s.Bottom; ++r)
              SetSelectedCells(c, r, true);
      }
    }
    RepaintCell(Col(), Row());
  }
}

// --- Typed characters ----------------------------------------------------------------------------

void TProStringGrid::WMChar(TMessage& Message) {
  auto ch = static_cast<WideChar>(Message.WParam);
  const int rc = RealColIndex(Col());
  if (rc >= 0 && HoldsFormControl(Cells(rc, Row()))) {
    Message.Result = 1;
    return;
  }
  if (FMouseActions->EditOnDblClickOnly()) {
    bool canEdit = true;
    CanEditCell(rc, Row(), canEdit);
    if (canEdit) SetOptions(Options() | goEditing);
  }
  const bool ctrl = IsDown(VK_CONTROL);
  if (FNavigation.AllowClipboardShortCuts() && ctrl && (ch == 3 || ch == 22 || ch == 24)) return;
  const bool control = rc >= 0 && HasControlGraphic(rc, Row());
  if (FMouseActions->RangeSelectAndEdit() && !control && IsEditable(rc, Row()) && ch != VK_TAB &&
      ch != VK_ESCAPE && !ctrl) {
    WideChar key = ch;
    if (OnKeyPress) OnKeyPress(this, key); // only told; the typed character opens the editor
    FStartEditChar = ch;
    SetOptions(Options() | goEditing);
    if (Col() < LeftCol() || Col() >= LeftCol() + VisibleColCount() || Row() < TopRow() ||
        Row() >= TopRow() + VisibleRowCount())
      ScrollInView(Col(), Row());
    ShowEditorChar(ch);
    return;
  }
  if (ch == '.' && FExcelStyleDecimalSeparator && IsKeypadKey(Message.LParam))
    ch = static_cast<WideChar>(static_cast<unsigned char>(FormatSettings().DecimalSeparator));
  if (control && ch == VK_RETURN && FNavigation.AdvanceOnEnter()) {
    Message.WParam = ch;
    TBaseGrid::WMChar(Message);
    return;
  }
  if ((Options() & goEditing) && ch != VK_TAB && (ch == VK_BACK || (ch >= 32 && ch <= 255))) {
    WideChar key = ch;
    if (OnKeyPress) OnKeyPress(this, key);
    if (key == 0) return;
    FStartEditChar = key;
    if (!control) ShowEditorChar(key);
    return;
  }
  Message.WParam = ch;
  TBaseGrid::WMChar(Message);
}
