// A list whose items each carry a check box: a click on an item or Space toggles its check; the
// arrows and the wheel scroll a list longer than the box.
#pragma once

#include "platform/ui/Controls.h"

#include <string>
#include <vector>

class TCheckListBox : public TCustomControl {
public:
  explicit TCheckListBox(TComponent* AOwner);

  void Clear();
  void Add(const std::string& Item);
  int Count() const { return static_cast<int>(FItems.size()); }
  const std::string& Item(int Index) const { return FItems.at(static_cast<size_t>(Index)); }
  // False for an index outside the list.
  bool Checked(int Index) const;
  void SetChecked(int Index, bool Value);
  int ItemIndex() const { return FItemIndex; }
  void SetItemIndex(int Index);
  int ItemHeight() const;
  // The first item shown, kept so that the box stays filled where the list allows.
  int TopIndex() const { return FTopIndex; }
  void SetTopIndex(int Index);
  // The item under a client point, -1 when none.
  int ItemAt(TPoint P) const;
  // Toggles the item's check as the user does, then fires OnClickCheck.
  void ToggleByUser(int Index);
  unsigned DialogCode() const override { return DLGC_WANTARROWS | DLGC_WANTCHARS; }

  TNotifyEvent OnClickCheck;

protected:
  void Paint() override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(std::uint16_t& Key, TShiftState Shift) override;
  bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;

private:
  int VisibleItems() const;

  std::vector<std::string> FItems;
  std::vector<bool> FChecked;
  int FItemIndex = -1;
  int FTopIndex = 0;
};
