// Which modifier keys and mouse buttons are held now, as code asks in the middle of a message:
// Shift, Ctrl, the left and right Alt keys and the three mouse buttons. Every input event that
// reaches a control brings the state up to date first; the headless driver holds keys through it.
#pragma once

#include "platform/ui/Classes.h"

#include <cstdint>

// Negative (the high bit set) while the key is held, 0 otherwise. VK_MENU is either Alt key;
// VK_LSHIFT and VK_RSHIFT read as Shift, VK_LCONTROL and VK_RCONTROL as Ctrl. Keys not tracked
// read as up.
short GetKeyState(int vk);
// The same state: there is one input thread, so "now" and "at this message" agree.
short GetAsyncKeyState(int vk);
// Shift, Ctrl and Alt (either Alt key) as held now.
TShiftState KeyboardShiftState();
