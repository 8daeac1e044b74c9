// Where the mouse and the focus stand on a control with a drop-down button on its right (the
// grid's combo, the flat date pickers): what its frame and button are drawn from.
#pragma once

class TControl;

struct TDropDownHotState {
  bool HasFocus = false;
  bool MouseInControl = false; // kept while the control is disabled
  bool ButtonHover = false;

  // The mouse over the control, or the control active.
  bool Hot(const TControl& Control) const;
  // The mouse entered the control; answers whether it turned hot.
  bool MouseEnter(bool Enabled);
  // The mouse left the control; answers whether it cooled. The button is no longer hovered.
  bool MouseLeave(bool Enabled);
  // The mouse at X across a control Width wide; answers whether the button's hover changed.
  bool MouseMove(int X, int Width, int ButtonWidth);
};
