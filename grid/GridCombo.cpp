#include "grid/GridCombo.h"

#include "grid/ProGrid.h"

TGridCombo::TGridCombo(TComponent* AOwner)
    : TAsgComboBox(AOwner), FGrid(dynamic_cast<TProStringGrid*>(AOwner)) {
  SetButtonWidth(16);
}

bool TGridCombo::IsClosingKey(std::uint16_t Key, TShiftState Shift) const {
  if (Key == VK_DOWN && (Shift & ssAlt)) return false;
  if (Style() == csDropDownList || DroppedDown())
    return Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_LEFT || Key == VK_RIGHT;
  return Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_PRIOR || Key == VK_NEXT ||
         Key == VK_END || Key == VK_UP || Key == VK_DOWN;
}

void TGridCombo::KeyDown(std::uint16_t& Key, TShiftState Shift) {
  FWorkMode = Key != VK_BACK && Key != VK_DELETE;
  if (!FGrid || !IsClosingKey(Key, Shift)) {
    TAsgComboBox::KeyDown(Key, Shift);
    return;
  }
  if (Key == VK_ESCAPE) {
    // The cell keeps exactly the text it had, whatever was picked meanwhile.
    FGrid->SetComboTouched(false);
    const std::string stored = FGrid->CurrentCell();
    const int i = Items().IndexOf(stored);
    if (i >= 0) SetItemIndex(i);
    FGrid->HideInplaceEdit();
    if (FGrid->CanFocus()) FGrid->SetFocus();
    Key = 0;
    return;
  }
  if (Key == VK_TAB && !FGrid->EditorWantsTab()) {
    TAsgComboBox::KeyDown(Key, Shift);
    return;
  }
  // A closing key: what the combo shows is the value, once validated.
  if (!FGrid->ValidateCell(Text())) {
    if (Style() == csDropDownList) {
      const int i = Items().IndexOf(FGrid->NewCellText());
      if (i >= 0) SetItemIndex(i);
    } else {
      SetText(FGrid->NewCellText());
    }
    Key = 0;
    return;
  }
  FGrid->SetComboTouched(true);
  const std::uint16_t k = Key;
  Key = 0;
  FGrid->DoneInplaceEdit(k == VK_LEFT || k == VK_RIGHT || k == VK_TAB || k == VK_RETURN ? k : 0, Shift);
}

void TGridCombo::KeyPress(WideChar& Key) {
  const int before = ItemIndex();
  if (FGrid && FGrid->OnKeyPress) FGrid->OnKeyPress(this, Key);
  if (Key == 27) Key = 0;
  if (Key == u'\r' && OnReturnKey) OnReturnKey(this);
  if (Key == u'\r' || Key == u'\t') Key = 0;
  TAsgComboBox::KeyPress(Key);
  if (FGrid && ItemIndex() != before) {
    FGrid->SetComboTouched(true);
    FGrid->FireComboChange(ItemIndex(), Text());
  }
}

void TGridCombo::Change() {
  TAsgComboBox::Change();
  if (!FGrid) return;
  FGrid->SetComboTouched(true);
  if (FGrid->OnEditChange) FGrid->OnEditChange(FGrid, FGrid->Col(), FGrid->Row(), Text());
}

void TGridCombo::Select() {
  TAsgComboBox::Select();
  if (!FGrid) return;
  FGrid->SetComboTouched(true);
  FGrid->FireComboChange(ItemIndex(), Text());
}

void TGridCombo::DoExit() {
  if (FGrid) FGrid->HideInplaceEdit();
  TAsgComboBox::DoExit();
}

void TGridCombo::DropDown() {
  TAsgComboBox::DropDown();
  if (FGrid) FGrid->ComboDropDown(FGrid->Row(), FGrid->Col());
}

void TGridCombo::CloseUp() {
  TAsgComboBox::CloseUp();
  if (!FGrid) return;
  // A pick ends the edit at once; with nothing picked the text stays and nothing happens.
  if (FGrid->MouseActions().DirectComboClose() && FGrid->EditMode() && ItemIndex() >= 0) {
    const std::string item = Items()[ItemIndex()];
    SetText(item);
    FGrid->SetComboTouched(true);
    FGrid->FireComboChange(ItemIndex(), item);
    const bool direct = FGrid->MouseActions().DirectEdit();
    FGrid->MouseActions().SetDirectEdit(false);
    FGrid->HideInplaceEdit();
    FGrid->MouseActions().SetDirectEdit(direct);
    if (FGrid->CanFocus()) FGrid->SetFocus();
  }
  FGrid->ComboCloseUp(FGrid->Row(), FGrid->Col());
}

bool TGridCombo::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
  if (!FGrid) return TAsgComboBox::DoMouseWheel(Shift, WheelDelta, MousePos);
  // Towards the user: the next item; away: the previous one; never past the list's ends.
  const int last = Items().Count() - 1;
  if (WheelDelta < 0 && ItemIndex() < last) SetItemIndex(ItemIndex() + 1);
  if (WheelDelta > 0 && ItemIndex() > 0) SetItemIndex(ItemIndex() - 1);
  FGrid->SetComboTouched(true);
  if (FGrid->OnEditChange) FGrid->OnEditChange(FGrid, FGrid->RealCol(), FGrid->Row(), Text());
  FGrid->FireComboChange(ItemIndex(), Text());
  return true;
}
