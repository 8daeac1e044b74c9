#include "grid/GridCheckBox.h"

#include "grid/ProGrid.h"

TGridCheckBox::TGridCheckBox(TComponent* AOwner)
    : TCheckBox(AOwner), FGrid(dynamic_cast<TProStringGrid*>(AOwner)) {}

void TGridCheckBox::KeyDown(std::uint16_t& Key, TShiftState Shift) {
  if (Key == VK_SPACE) {
    Toggle();
    Key = 0;
    return;
  }
  const bool closing = Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_PRIOR || Key == VK_NEXT ||
                       Key == VK_END || Key == VK_LEFT || Key == VK_UP || Key == VK_RIGHT || Key == VK_DOWN;
  if (!FGrid || !closing) {
    TCheckBox::KeyDown(Key, Shift);
    return;
  }
  if (Key == VK_ESCAPE) SetCaption(FGrid->CurrentCell());
  const std::uint16_t k = Key;
  Key = 0;
  FGrid->HideInplaceEdit();
  if (FGrid->CanFocus()) FGrid->SetFocus();
  if (k == VK_RETURN) FGrid->AdvanceEdit(FGrid->Col(), FGrid->Row(), true, false);
  if (k == VK_UP || k == VK_DOWN) {
    std::uint16_t g = k;
    FGrid->KeyDown(g, Shift);
  }
}

void TGridCheckBox::DoExit() {
  if (FGrid) FGrid->HideInplaceEdit();
  TCheckBox::DoExit();
}
