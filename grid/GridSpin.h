// The grid's spin editor of edSpinEdit, edFloatSpinEdit, edTimeSpinEdit and edDateSpinEdit cells.
#pragma once

#include "grid/asgspinedit.h"

class TProStringGrid;

class TGridSpin : public TAsgSpinEdit {
public:
  explicit TGridSpin(TComponent* AOwner);
  TProStringGrid* Grid() const { return FGrid; }
  void ReCreate() {}
  void UpButtonClick() override;
  void DownButtonClick() override;
  // Enter and Esc stay in the editor; Tab with goTabs.
  unsigned DialogCode() const override;

protected:
  void KeyDown(std::uint16_t& Key, TShiftState Shift) override;
  void KeyPress(WideChar& Key) override;
  void WMKeyDown(TMessage& Message) override;
  void WMChar(TMessage& Message) override;
  void Change() override;
  void DoExit() override;

private:
  // PgUp, PgDn, Home and End change the value within its bounds.
  void ValueKey(std::uint16_t Key);
  void FireSpinClick(bool UpDown);
  TProStringGrid* FGrid;
};
