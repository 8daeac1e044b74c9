// The grid's drop-down editor of edComboList and edComboEdit cells, and the check box of
// edCheckBox cells.
#pragma once

#include "grid/AsgCombo.h"
#include "platform/ui/StdCtrls.h"

class TProStringGrid;

class TGridCombo : public TAsgComboBox {
public:
  explicit TGridCombo(TComponent* AOwner);
  TProStringGrid* Grid() const { return FGrid; }
  bool WorkMode() const { return FWorkMode; }
  // Widens the open list to its widest item (the grid's canvas measures); returns the width set.
  int SizeDropDownWidth();
  // Look-up completion after a key: the combo's items first, then the grid's LookupItems.
  void DoChange();
  TNotifyEvent OnReturnKey;

protected:
  void KeyDown(std::uint16_t& Key, TShiftState Shift) override;
  void KeyPress(WideChar& Key) override;
  void KeyUp(std::uint16_t& Key, TShiftState Shift) override;
  void Change() override;
  void Select() override;
  void DoEnter() override;
  void DoExit() override;
  void DropDown() override;
  void CloseUp() override;
  bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;

private:
  bool IsClosingKey(std::uint16_t Key, TShiftState Shift) const;
  // Left or Right at the text's edge with CursorWalkEditor: the edit walks out of the cell.
  bool WalkOut(bool Forward);
  TProStringGrid* FGrid;
  bool FWorkMode = true;
};
