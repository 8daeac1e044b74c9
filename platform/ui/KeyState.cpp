#include "platform/ui/KeyState.h"

#include "platform/ui/Messages.h"
#include "platform/ui/QtBridge.h"

namespace {

// The tracked keys, one bit each.
enum : unsigned {
  kShift = 1u << 0,
  kCtrl = 1u << 1,
  kLAlt = 1u << 2,
  kRAlt = 1u << 3,
  kLBtn = 1u << 4,
  kRBtn = 1u << 5,
  kMBtn = 1u << 6
};

unsigned Held = 0;

unsigned BitOf(int vk) {
  switch (vk) {
  case VK_SHIFT:
  case VK_LSHIFT:
  case VK_RSHIFT:
    return kShift;
  case VK_CONTROL:
  case VK_LCONTROL:
  case VK_RCONTROL:
    return kCtrl;
  case VK_MENU:
    return kLAlt | kRAlt;
  case VK_LMENU:
    return kLAlt;
  case VK_RMENU:
    return kRAlt;
  case VK_LBUTTON:
    return kLBtn;
  case VK_RBUTTON:
    return kRBtn;
  case VK_MBUTTON:
    return kMBtn;
  default:
    return 0;
  }
}

void Set(unsigned bits, bool down) {
  Held = down ? (Held | bits) : (Held & ~bits);
}

} // namespace

short GetKeyState(int vk) {
  unsigned bit = BitOf(vk);
  return (bit && (Held & bit)) ? static_cast<short>(0x8000 - 0x10000) : 0;
}

short GetAsyncKeyState(int vk) {
  return GetKeyState(vk);
}

TShiftState KeyboardShiftState() {
  TShiftState s = 0;
  if (Held & kShift) s |= ssShift;
  if (Held & kCtrl) s |= ssCtrl;
  if (Held & (kLAlt | kRAlt)) s |= ssAlt;
  return s;
}

void SetKeyHeld(std::uint16_t vk, bool down) {
  // VK_MENU alone means the left Alt key when pressed; releasing it lets go of both.
  unsigned bit = vk == VK_MENU && down ? kLAlt : BitOf(vk);
  Set(bit, down);
}

void SyncKeyState(Qt::KeyboardModifiers modifiers) {
  Set(kShift, modifiers & Qt::ShiftModifier);
  Set(kCtrl, modifiers & Qt::ControlModifier);
  bool left = modifiers & Qt::AltModifier, right = modifiers & Qt::GroupSwitchModifier;
  // The event says only that an Alt key is held; which one is known from its own key event.
  if (!left && !right)
    Set(kLAlt | kRAlt, false);
  else if (!(Held & (kLAlt | kRAlt)))
    Set(right && !left ? kRAlt : kLAlt, true);
}

void SyncButtonState(Qt::MouseButtons buttons) {
  Set(kLBtn, buttons & Qt::LeftButton);
  Set(kRBtn, buttons & Qt::RightButton);
  Set(kMBtn, buttons & Qt::MiddleButton);
}
