// The header filter list of the string grid: a plain list that closes and reports its pick on a
// mouse release or Enter.
#pragma once

#include "platform/ui/StdCtrls.h"

#include <functional>

using TDropSelectEvent = std::function<void(TObject* Sender, int ItemIndex)>;

class TDropList : public TListBox {
public:
  explicit TDropList(TComponent* AOwner);
  TDropSelectEvent OnSelect;
  // Fired when the list closes without a pick: the focus went elsewhere.
  TNotifyEvent OnCancel;

protected:
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(std::uint16_t& Key, TShiftState Shift) override;
  void DoExit() override;

private:
  void Pick();
};
