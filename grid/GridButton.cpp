#include "grid/GridButton.h"

#include "grid/ProGrid.h"

TGridButton::TGridButton(TComponent* AOwner)
    : TButton(AOwner), FGrid(dynamic_cast<TProStringGrid*>(AOwner)) {}

unsigned TGridButton::DialogCode() const {
  // Esc and the arrows stay with the button, which hands them on to the grid.
  return TButton::DialogCode() | (FGrid ? DLGC_WANTARROWS | DLGC_WANTALLKEYS : 0);
}

void TGridButton::WndProc(TMessage& Message) {
  if (Message.Msg == WM_LBUTTONUP && FGrid && Parent() == FGrid) {
    SetCaption(FGrid->EllipsClick(Caption()));
    FGrid->SetCurrentCell(Caption());
  }
  TButton::WndProc(Message);
}

void TGridButton::Close() {
  SetVisible(false);
  SetEnabled(false);
  FGrid->HideInplaceEdit();
  FGrid->SetEditMode(false);
  if (FGrid->CanFocus()) FGrid->SetFocus();
}

void TGridButton::KeyDown(std::uint16_t& Key, TShiftState Shift) {
  if (!FGrid) {
    TButton::KeyDown(Key, Shift);
    return;
  }
  if (Key == VK_LEFT || Key == VK_UP || Key == VK_RIGHT || Key == VK_DOWN) {
    const std::uint16_t k = Key;
    Key = 0;
    Close();
    FGrid->Perform(WM_KEYDOWN, k, static_cast<LPARAM>(Shift));
    FGrid->Perform(WM_KEYUP, k, static_cast<LPARAM>(Shift));
    return;
  }
  if (Key == VK_ESCAPE) {
    Key = 0;
    FGrid->SetEditRestored(true);
    Close();
    FGrid->RestoreCellCache();
    FGrid->Perform(WM_KEYDOWN, VK_ESCAPE, 0);
    return;
  }
  TButton::KeyDown(Key, Shift);
}

void TGridButton::KeyUp(std::uint16_t& Key, TShiftState Shift) {
  if (!FGrid || Key != VK_SPACE) return;
  SetCaption(FGrid->EllipsClick(Caption()));
  FGrid->SetCurrentCell(Caption());
  if (CanFocus()) SetFocus();
  Repaint();
}

void TGridButton::DoExit() {
  if (FGrid) FGrid->HideInplaceEdit();
  TButton::DoExit();
}
