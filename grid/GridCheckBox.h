// The check box over an edCheckBox cell; its commit writes nothing into the cell.
#pragma once

#include "platform/ui/StdCtrls.h"

class TProStringGrid;

class TGridCheckBox : public TCheckBox {
public:
  explicit TGridCheckBox(TComponent* AOwner);
  TProStringGrid* Grid() const { return FGrid; }

protected:
  void KeyDown(std::uint16_t& Key, TShiftState Shift) override;
  void DoExit() override;

private:
  TProStringGrid* FGrid;
};
