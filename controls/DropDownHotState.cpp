#include "controls/DropDownHotState.h"

#include "platform/ui/Application.h"

bool TDropDownHotState::Hot(const TControl& Control) const {
  return MouseInControl || Screen->ActiveControl() == &Control;
}

bool TDropDownHotState::MouseEnter(bool Enabled) {
  if (MouseInControl || !Enabled) return false;
  MouseInControl = true;
  return true;
}

bool TDropDownHotState::MouseLeave(bool Enabled) {
  ButtonHover = false;
  if (!MouseInControl || !Enabled) return false;
  MouseInControl = false;
  return true;
}

bool TDropDownHotState::MouseMove(int X, int Width, int ButtonWidth) {
  const bool hover = X > Width - ButtonWidth && X < Width;
  if (hover == ButtonHover) return false;
  ButtonHover = hover;
  return true;
}
