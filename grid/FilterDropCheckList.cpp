#include "grid/FilterDropCheckList.h"

TDropCheckList::TDropCheckList(TComponent* AOwner) : TCheckListBox(AOwner) {
  SetVisible(false);
  OnClickCheck = [this](TObject*) {
    if (OnSelect) OnSelect(this, -1);
  };
}

void TDropCheckList::DoExit() {
  TCheckListBox::DoExit();
  if (!Visible()) return;
  SetVisible(false);
  if (OnCancel) OnCancel(this);
}
