// The grid's push button of edButton cells.
#pragma once

#include "platform/ui/StdCtrls.h"

class TProStringGrid;

class TGridButton : public TButton {
public:
  explicit TGridButton(TComponent* AOwner);
  TProStringGrid* Grid() const { return FGrid; }
  void ReCreate() {}
  unsigned DialogCode() const override;
  void WndProc(TMessage& Message) override;

protected:
  void KeyDown(std::uint16_t& Key, TShiftState Shift) override;
  void KeyUp(std::uint16_t& Key, TShiftState Shift) override;
  void DoExit() override;

private:
  // Hidden, disabled, the edit ended and the grid focused.
  void Close();
  TProStringGrid* FGrid;
};
