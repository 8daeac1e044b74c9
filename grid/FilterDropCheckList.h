// The header filter list with check boxes: every toggled check reports at once and the list
// stays open.
#pragma once

#include "controls/CheckListBox.h"
#include "grid/FilterDropList.h"

class TDropCheckList : public TCheckListBox {
public:
  explicit TDropCheckList(TComponent* AOwner);
  // Fired with -1 for every check toggled.
  TDropSelectEvent OnSelect;
  // Fired when the list closes: the focus went elsewhere.
  TNotifyEvent OnCancel;

protected:
  void DoExit() override;
};
