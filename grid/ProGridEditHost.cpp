// Opening and closing the editor over the current cell, the editability queries and the
// end-of-edit message.
#include "grid/ProGrid.h"

#include "grid/ProGridUnit.h"
#include "platform/ui/Application.h"

bool TProStringGrid::IsEditable(int ACol, int ARow) {
  if (!(Options() & goEditing) && !FMouseActions->RangeSelectAndEdit() && !FEditDisable) return false;
  return IsCellEditable(ACol, ARow);
}

bool TProStringGrid::IsCellEditable(int ACol, int ARow) {
  if (ACol < 0 || ARow < 0) return false;
  const TPoint base = BaseCell(ACol, ARow);
  bool canEdit = true;
  CanEditCell(base.X, base.Y, canEdit);
  if (!canEdit) return false;
  // IsFixedCell works on display columns, as IsFixed asks it.
  bool fixed = false;
  IsFixedCell(RealToDisplCol(base.X), base.Y, fixed);
  return !fixed;
}

void TProStringGrid::CheckBoxClick(int ACol, int ARow, bool State) {
  if (OnCheckBoxClick) OnCheckBoxClick(this, ACol, ARow, State);
}

void TProStringGrid::ShowInplaceEdit() {
  const TPoint base = BaseCell(RealColIndex(Col()), Row());
  if (base.X >= 0 && HasControlGraphic(base.X, base.Y)) return;
  if (Row() < TopRow()) SetTopRow(Row());
  if (Col() < LeftCol()) SetLeftCol(Col());
  ShowEditor();
  if (InplaceEditor() && InplaceEditor()->Visible()) FEditMode = true;
}

void TProStringGrid::HideInplaceEdit() {
  if (!FEditMode) return;
  HideEditor();
  CommitSpecialEdit(Col(), Row());
  FEditMode = false;
  SelectCell(Col(), Row());
}

void TProStringGrid::SimulateCellClick(int ACol, int ARow) {
  const TRect r = CellRect(ACol, ARow);
  FForceSel = true;
  TMouseEvent down = std::move(OnMouseDown), up = std::move(OnMouseUp);
  OnMouseDown = nullptr;
  OnMouseUp = nullptr;
  MouseDown(mbLeft, 0, r.Left + 2, r.Top + 2);
  MouseUp(mbLeft, 0, r.Left + 2, r.Top + 2);
  OnMouseDown = std::move(down);
  OnMouseUp = std::move(up);
  FForceSel = false;
}

void TProStringGrid::SaveOldCell(int ACol, int ARow) {
  FOldCol = ACol;
  FOldRow = ARow;
  FOldModifiedValue = FGridModified;
  const int rc = RealColIndex(ACol);
  FOldCellText = rc >= 0 && ARow >= 0 && ARow < RowCount() ? GridCells(rc, ARow) : std::string();
}

void TProStringGrid::PostEditDone(int ACol, int ARow) {
  if (OnEditingDone) OnEditingDone(this);
  FEditMode = false;
  PostMessage(this, GridEditDoneMessage(), static_cast<WPARAM>(ACol), static_cast<LPARAM>(ARow));
}
