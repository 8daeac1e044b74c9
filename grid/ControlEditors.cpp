#include "grid/ControlEditors.h"

#include "grid/ProGrid.h"

namespace {

// A fixed cell's text through OnCellValidate; stored when accepted.
bool StopFixedEdit(TProStringGrid* Grid, TWinControl& Editor, int ACol, int ARow) {
  if (!Grid) {
    Editor.SetVisible(false);
    return true;
  }
  std::string text = Editor.Text();
  bool valid = true;
  if (Grid->OnCellValidate) Grid->OnCellValidate(Grid, ACol, ARow, text, valid);
  if (!valid) {
    Grid->SetCol(Grid->RealToDisplCol(ACol));
    Grid->SetRow(ARow);
    if (Editor.CanFocus()) Editor.SetFocus();
    return false;
  }
  if (Grid->OnEditingDone) Grid->OnEditingDone(Grid);
  Grid->SetCells(ACol, ARow, text);
  Editor.SetVisible(false);
  return true;
}

} // namespace

void ControlEditorKey(TWinControl& Editor, WideChar& Key) {
  auto* grid = dynamic_cast<TProStringGrid*>(Editor.Parent());
  if (!grid || (Key != u'\r' && Key != u'\t')) return;
  const WideChar key = Key;
  Key = 0;
  const std::string id = grid->ControlEditID();
  grid->EndControlEdit();
  if (key == u'\r' || grid->Navigation().AdvanceAuto()) {
    if (grid->CanFocus()) grid->SetFocus();
    if (key == u'\t') grid->AdvanceEdit(grid->Col(), grid->Row(), true, true);
    return;
  }
  grid->EditControlByID(id);
}

TControlEdit::TControlEdit(TComponent* AOwner) : TEdit(AOwner) {}

void TControlEdit::KeyPress(WideChar& Key) {
  ControlEditorKey(*this, Key);
  if (Key) TEdit::KeyPress(Key);
}

TControlCombo::TControlCombo(TComponent* AOwner) : TAsgComboBox(AOwner) {}

void TControlCombo::KeyPress(WideChar& Key) {
  ControlEditorKey(*this, Key);
  if (Key) TAsgComboBox::KeyPress(Key);
}

template <class TBase>
TFixedCellEditor<TBase>::TFixedCellEditor(TComponent* AOwner)
    : TBase(AOwner), FGrid(dynamic_cast<TProStringGrid*>(AOwner)) {
  this->SetVisible(false);
}

template <class TBase> bool TFixedCellEditor<TBase>::StopEdit() {
  return StopFixedEdit(FGrid, *this, FCol, FRow);
}

template <class TBase> void TFixedCellEditor<TBase>::KeyPress(WideChar& Key) {
  if (Key == u'\r') {
    Key = 0;
    if (StopEdit() && FGrid && FGrid->CanFocus()) FGrid->SetFocus();
    return;
  }
  TBase::KeyPress(Key);
}

template <class TBase> void TFixedCellEditor<TBase>::DoExit() {
  TBase::DoExit();
  if (this->Visible()) StopEdit();
}

template class TFixedCellEditor<TEdit>;
template class TFixedCellEditor<TComboBox>;

TGridTransEdit::TGridTransEdit(TComponent* AOwner) : TFixedCellEditor(AOwner) {
  SetBorderStyle(bsNone);
}
