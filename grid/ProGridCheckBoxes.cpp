// Check-box and radio-button cells: adding them, reading and changing their states.
#include "grid/ProGrid.h"
#include "grid/UndoRedo.h"

namespace {

TCellVAlign CheckVAlign(TVAlignment a) {
  switch (a) {
  case vtaCenter:
    return vaCenter;
  case vtaBottom:
    return vaBottom;
  default:
    return vaTop;
  }
}

bool IsCheckKind(TCellType t) {
  return t == ctCheckBox || t == ctDataCheckBox || t == ctVirtCheckBox || t == ctRowCheckBox ||
         t == ctTriStateCheckBox;
}

} // namespace

// Negative indexes are refused as well: they would reach the cell store.
#define CHECK_CELL(ACol, ARow)                                                                               \
  if ((ACol) < 0 || (ARow) < 0 || (ACol) >= TotalColCount() || (ARow) >= TotalRowCount())                    \
    throw EProGridError("Invalid cell");

void TProStringGrid::AddCheckBox(int ACol, int ARow, bool State, bool Data) {
  CHECK_CELL(ACol, ARow)
  if (Data) {
    std::string t = Cells(ACol, ARow);
    if (t != CheckTrue() && t != CheckFalse()) SetCells(ACol, ARow, State ? CheckTrue() : CheckFalse());
  }
  if (TCellGraphic* g = CreateCellGraphic(ACol, ARow))
    g->SetCheckBox(State, Data, true, haBeforeText, CheckVAlign(VAlignment()));
}

void TProStringGrid::AddCheckBox(int ACol, int ARow, TCheckBoxState State) {
  CHECK_CELL(ACol, ARow)
  if (TCellGraphic* g = CreateCellGraphic(ACol, ARow))
    g->SetCheckBox(State, true, haBeforeText, CheckVAlign(VAlignment()));
}

void TProStringGrid::AddRadioButton(int ACol, int ARow, bool State) {
  CHECK_CELL(ACol, ARow)
  if (TCellGraphic* g = CreateCellGraphic(ACol, ARow))
    g->SetRadioButton(State, true, haBeforeText, CheckVAlign(VAlignment()));
}

#undef CHECK_CELL

void TProStringGrid::AddCheckBoxColumn(int ACol, bool DefaultState, bool DataCheckBox) {
  int first = MouseActions().CheckAllCheck() ? 0 : FixedRows();
  for (int r = first; r < RowCount(); ++r)
    AddCheckBox(ACol, r, DefaultState, DataCheckBox);
}

void TProStringGrid::AddTriStateCheckBoxColumn(int ACol, TCheckBoxState State) {
  int first = MouseActions().CheckAllCheck() ? 0 : FixedRows();
  for (int r = first; r < RowCount(); ++r)
    AddCheckBox(ACol, r, State);
}

void TProStringGrid::RemoveCheckBox(int ACol, int ARow) {
  TCellType t = GetCellType(ACol, ARow);
  if (t == ctCheckBox || t == ctDataCheckBox || t == ctTriStateCheckBox) RemoveCellGraphic(ACol, ARow);
}

void TProStringGrid::RemoveCheckBoxColumn(int ACol) {
  int first = MouseActions().CheckAllCheck() ? 0 : FixedRows();
  for (int r = first; r < RowCount(); ++r)
    if (HasCheckBox(ACol, r)) RemoveCheckBox(ACol, r);
}

void TProStringGrid::AddRadioButtonColumn(int ACol) {
  for (int r = FixedRows(); r < RowCount(); ++r)
    AddRadioButton(ACol, r, false);
}

void TProStringGrid::RemoveRadioButton(int ACol, int ARow) {
  RemoveCellGraphicOfKind(ACol, ARow, ctRadioButton);
}

void TProStringGrid::RemoveRadioButtonColumn(int ACol) {
  for (int r = FixedRows(); r < RowCount(); ++r)
    if (HasRadioButton(ACol, r)) RemoveRadioButton(ACol, r);
}

bool TProStringGrid::HasCheckBox(int ACol, int ARow) const {
  return HasCellGraphicOf(ACol, ARow,
                          {ctCheckBox, ctDataCheckBox, ctVirtCheckBox, ctRowCheckBox, ctTriStateCheckBox});
}

bool TProStringGrid::HasDataCheckBox(int ACol, int ARow) const {
  return HasCellGraphicOf(ACol, ARow, {ctDataCheckBox, ctVirtCheckBox, ctRowCheckBox});
}

bool TProStringGrid::HasControlGraphic(int ACol, int ARow) {
  return HasCellGraphicOf(ACol, ARow,
                          {ctCheckBox, ctDataCheckBox, ctRadio, ctButton, ctVirtCheckBox, ctRowCheckBox,
                           ctRadioButton, ctTriStateCheckBox});
}

bool TProStringGrid::IsDataGraphicCell(int ACol, int ARow) const {
  return HasCellGraphicOf(ACol, ARow, {ctDataCheckBox, ctDataImage, ctVirtCheckBox, ctRowCheckBox});
}

bool TProStringGrid::GetCheckBoxState(int ACol, int ARow, bool& State) {
  const TCellGraphic* g = AllCellGraphic(ACol, ARow);
  if (!g) return false;
  switch (g->CellType()) {
  case ctCheckBox:
    State = g->CellBoolean();
    return true;
  case ctDataCheckBox:
  case ctVirtCheckBox: {
    std::string t;
    GetCheckTrue(ACol, ARow, t);
    State = AllCells(ACol, ARow) == t;
    return true;
  }
  case ctRowCheckBox:
    if (ACol != 0) return false;
    State = RowSelect(ARow);
    return true;
  default:
    return false;
  }
}

bool TProStringGrid::GetCheckBoxState(int ACol, int ARow, TCheckBoxState& State) {
  const TCellGraphic* g = AllCellGraphic(ACol, ARow);
  if (g && g->CellType() == ctTriStateCheckBox) {
    State = g->CellCheckBoxState();
    return true;
  }
  bool b = false;
  if (!GetCheckBoxState(ACol, ARow, b)) return false;
  State = BoolToCheckBoxState(b);
  return true;
}

bool TProStringGrid::IsChecked(int ACol, int ARow) {
  bool b = false;
  return GetCheckBoxState(ACol, ARow, b) && b;
}

bool TProStringGrid::SetCheckBoxState(int ACol, int ARow, bool State) {
  TCellGraphic* g = AllCellGraphic(ACol, ARow);
  if (!g) return false;
  switch (g->CellType()) {
  case ctCheckBox:
    g->SetCellBoolean(State);
    if (!IsHiddenRow(ARow) && RealToDisplCol(ACol) >= 0)
      RepaintCell(RealToDisplCol(ACol), RealToDisplRow(ARow));
    return true;
  case ctDataCheckBox:
  case ctVirtCheckBox: {
    std::string t;
    if (State)
      GetCheckTrue(ACol, ARow, t);
    else
      GetCheckFalse(ACol, ARow, t);
    SetAllCells(ACol, ARow, t);
    return true;
  }
  case ctRowCheckBox:
    if (ACol != 0) return false;
    SetRowSelect(ARow, State);
    return true;
  default:
    return false;
  }
}

bool TProStringGrid::SetCheckBoxState(int ACol, int ARow, TCheckBoxState State) {
  TCellGraphic* g = AllCellGraphic(ACol, ARow);
  if (!g || g->CellType() != ctTriStateCheckBox) return false;
  g->SetCellCheckBoxState(State);
  if (!IsHiddenRow(ARow) && RealToDisplCol(ACol) >= 0)
    RepaintCell(RealToDisplCol(ACol), RealToDisplRow(ARow));
  return true;
}

bool TProStringGrid::ChangeCheckBoxState(int ACol, int ARow, bool State) {
  TCellGraphic* g = GetCellGraphic(ACol, ARow);
  if (!g) return false;
  switch (g->CellType()) {
  case ctCheckBox:
    if (State != g->CellBoolean()) {
      g->SetCellBoolean(State);
      CheckBoxChange(ACol, ARow, State);
      if (RealToDisplCol(ACol) >= 0) RepaintCell(RealToDisplCol(ACol), ARow);
    }
    return true;
  case ctDataCheckBox:
  case ctVirtCheckBox: {
    std::string yes, no;
    GetCheckTrue(ACol, ARow, yes);
    GetCheckFalse(ACol, ARow, no);
    bool was = Cells(ACol, ARow) == yes;
    SetCells(ACol, ARow, State ? yes : no);
    if (State != was) CheckBoxChange(ACol, ARow, State);
    return true;
  }
  case ctRowCheckBox:
    if (ACol != 0) return false;
    if (State != RowSelect(RealRowIndex(ARow))) {
      SetRowSelect(RealRowIndex(ARow), State);
      CheckBoxChange(ACol, ARow, State);
    }
    return true;
  default:
    return false;
  }
}

void TProStringGrid::CheckAll(int ACol) {
  for (int r = FixedRows(); r < RowCount(); ++r)
    ChangeCheckBoxState(ACol, r, true);
}

void TProStringGrid::UnCheckAll(int ACol) {
  for (int r = FixedRows(); r < RowCount(); ++r)
    ChangeCheckBoxState(ACol, r, false);
}

bool TProStringGrid::DoToggleCheck(int ACol, int ARow, bool UserAction) {
  TCellGraphic* g = GetCellGraphic(ACol, ARow);
  if (!g || !IsCheckKind(g->CellType())) return false;
  if (UserAction && !ControlLook().CheckAlwaysActive()) {
    bool can = true;
    CanEditCell(ACol, ARow, can);
    if (!can) return false;
  }
  bool state = false;
  switch (g->CellType()) {
  case ctCheckBox:
    state = !g->CellBoolean();
    g->SetCellBoolean(state);
    break;
  case ctTriStateCheckBox:
    // Outside node rows the box cycles unchecked, grayed, checked and reports False throughout.
    switch (g->CellCheckBoxState()) {
    case cbUnchecked:
      g->SetCellCheckBoxState(cbGrayed);
      break;
    case cbGrayed:
      g->SetCellCheckBoxState(cbChecked);
      break;
    case cbChecked:
      g->SetCellCheckBoxState(cbUnchecked);
      break;
    }
    break;
  default: {
    std::string yes, no;
    GetCheckTrue(ACol, ARow, yes);
    GetCheckFalse(ACol, ARow, no);
    state = Cells(ACol, ARow) != yes;
    SetCells(ACol, ARow, state ? yes : no);
  }
  }
  if (RealToDisplCol(ACol) >= 0) RepaintCell(RealToDisplCol(ACol), ARow);
  CheckBoxChange(ACol, ARow, state);
  if (UndoRedo()) {
    std::string yes, no;
    GetCheckTrue(ACol, ARow, yes);
    GetCheckFalse(ACol, ARow, no);
    if (state)
      UndoRedo()->RegisterChange(ACol, ARow, no, yes);
    else
      UndoRedo()->RegisterChange(ACol, ARow, yes, no);
  }
  return true;
}

bool TProStringGrid::DoToggleRadioButton(int ACol, int ARow, bool UserAction) {
  TCellGraphic* g = GetCellGraphic(ACol, ARow);
  if (!g || g->CellType() != ctRadioButton) return false;
  if (UserAction && !ControlLook().CheckAlwaysActive()) {
    bool can = true;
    CanEditCell(ACol, ARow, can);
    if (!can) return false;
  }
  if (g->CellBoolean()) return true;
  g->SetCellBoolean(true);
  if (RealToDisplCol(ACol) >= 0) RepaintCell(RealToDisplCol(ACol), ARow);
  for (int r = 0; r < RowCount(); ++r) {
    if (r == ARow) continue;
    TCellGraphic* o = GetCellGraphic(ACol, r);
    if (o && o->CellType() == ctRadioButton && o->CellBoolean()) {
      o->SetCellBoolean(false);
      if (RealToDisplCol(ACol) >= 0) RepaintCell(RealToDisplCol(ACol), r);
    }
  }
  return true;
}

bool TProStringGrid::IsRadioButtonChecked(int ACol, int ARow) const {
  if (!HasRadioButton(ACol, ARow)) return false;
  TPoint b = BaseCell(ACol, ARow);
  return GetCellGraphic(b.X, b.Y)->CellBoolean();
}

int TProStringGrid::GetRadioButtonColumnIndex(int ACol) const {
  for (int r = FixedRows(); r < RowCount(); ++r)
    if (IsRadioButtonChecked(ACol, r)) return r;
  return -1;
}

bool TProStringGrid::SetRadioButtonState(int ACol, int ARow, bool State) {
  if (!HasRadioButton(ACol, ARow)) return false;
  TPoint b = BaseCell(ACol, ARow);
  TCellGraphic* g = GetCellGraphic(b.X, b.Y);
  if (g->CellBoolean() != State) {
    g->SetCellBoolean(State);
    if (RealToDisplCol(ACol) >= 0) RepaintCell(RealToDisplCol(ACol), ARow);
  }
  return true;
}

void TProStringGrid::SetRadioButtonColumnIndex(int ACol, int Index) {
  for (int r = FixedRows(); r < RowCount(); ++r)
    SetRadioButtonState(ACol, r, r == Index);
}

bool TProStringGrid::IsInCheckBox(int ACol, int ARow, int XPos, int YPos) {
  const TCellGraphic* g = GetCellGraphic(ACol, ARow);
  if (!g || !(IsCheckKind(g->CellType()) || g->CellType() == ctRadioButton)) return false;
  if (!MouseActions().PreciseCheckBoxCheck()) return true;
  const int size = ControlLook().CheckSize();
  const TRect r = CellRect(RealToDisplCol(ACol), ARow);
  int y = r.Top + 2;
  if (g->CellVAlign() == vaBottom) y = r.Bottom - 2 - size;
  if (g->CellVAlign() == vaCenter) y = r.Top + (r.Height() - size) / 2;
  TAlignment ha = taLeftJustify;
  TVAlignment va = VAlignment();
  GetCellAlignment(ACol, ARow, ha, va);
  int x = r.Left + 2;
  if (ha == taRightJustify) {
    x = r.Right - 2 - size;
    const std::string t = Cells(ACol, ARow);
    if (!t.empty()) x -= Canvas().TextWidth(t);
  } else if (ha == taCenter) {
    x = r.Left + (r.Width() - size) / 2;
  }
  return XPos >= x && XPos < x + size && YPos >= y && YPos < y + size;
}
