#include "grid/FilterDropList.h"

#include "platform/ui/Messages.h"

TDropList::TDropList(TComponent* AOwner) : TListBox(AOwner) {
  SetVisible(false);
}

void TDropList::Pick() {
  SetVisible(false);
  if (OnSelect) OnSelect(this, ItemIndex());
}

void TDropList::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TListBox::MouseUp(Button, Shift, X, Y);
  Pick();
}

void TDropList::KeyDown(std::uint16_t& Key, TShiftState Shift) {
  TListBox::KeyDown(Key, Shift);
  if (Key == VK_RETURN) Pick();
}

void TDropList::DoExit() {
  TListBox::DoExit();
  if (!Visible()) return;
  SetVisible(false);
  if (OnCancel) OnCancel(this);
}
