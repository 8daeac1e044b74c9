// Window messages, control notifications and virtual key codes, numbered as on Windows so that code
// written against those numbers (custom WM_USER / WM_APP messages, scroll codes, keys) reads the same.
#pragma once

#include <cstdint>

using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

struct TMessage {
  unsigned Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  LRESULT Result = 0;
};

// Window messages
constexpr unsigned WM_NULL = 0x0000, WM_SIZE = 0x0005, WM_SETFOCUS = 0x0007, WM_KILLFOCUS = 0x0008,
                   WM_SETTEXT = 0x000C, WM_GETTEXT = 0x000D, WM_PAINT = 0x000F, WM_CLOSE = 0x0010,
                   WM_KEYDOWN = 0x0100, WM_KEYUP = 0x0101, WM_CHAR = 0x0102, WM_SYSKEYDOWN = 0x0104,
                   WM_SYSKEYUP = 0x0105, WM_SYSCHAR = 0x0106, WM_TIMER = 0x0113, WM_HSCROLL = 0x0114,
                   WM_VSCROLL = 0x0115, WM_MOUSEMOVE = 0x0200, WM_LBUTTONDOWN = 0x0201, WM_LBUTTONUP = 0x0202,
                   WM_LBUTTONDBLCLK = 0x0203, WM_RBUTTONDOWN = 0x0204, WM_RBUTTONUP = 0x0205,
                   WM_RBUTTONDBLCLK = 0x0206, WM_MBUTTONDOWN = 0x0207, WM_MBUTTONUP = 0x0208,
                   WM_MBUTTONDBLCLK = 0x0209, WM_MOUSEWHEEL = 0x020A, WM_CUT = 0x0300, WM_COPY = 0x0301,
                   WM_PASTE = 0x0302, WM_CLEAR = 0x0303, WM_CONTEXTMENU = 0x007B, WM_USER = 0x0400,
                   WM_APP = 0x8000;

// Edit-box requests. EM_CHARFROMPOS: LParam the client point (MakeLParam), answer the character
// index (-1 outside the text); EM_LINEFROMCHAR: WParam the character index (-1: the caret's),
// answer the line; EM_POSFROMCHAR: WParam the index, answer the client point (MakeLParam).
constexpr unsigned EM_LINEFROMCHAR = 0x00C9, EM_POSFROMCHAR = 0x00D6, EM_CHARFROMPOS = 0x00D7;

// Combo box messages
constexpr unsigned CB_GETDROPPEDWIDTH = 0x015F; // Result: the width of the open list in pixels
constexpr unsigned CB_SETDROPPEDWIDTH = 0x0160; // WParam: the least width of the open list

// Scroll request codes (WParam of WM_VSCROLL and WM_HSCROLL)
constexpr unsigned SB_LINEUP = 0, SB_LINELEFT = 0, SB_LINEDOWN = 1, SB_LINERIGHT = 1, SB_PAGEUP = 2,
                   SB_PAGELEFT = 2, SB_PAGEDOWN = 3, SB_PAGERIGHT = 3, SB_THUMBPOSITION = 4,
                   SB_THUMBTRACK = 5, SB_TOP = 6, SB_LEFT = 6, SB_BOTTOM = 7, SB_RIGHT = 7, SB_ENDSCROLL = 8;

// Key and character messages (WM_ and CN_ KEYDOWN, KEYUP, CHAR and the dialog keys) carry the shift
// state in the low bits of LParam and KeyDataKeypad when the key is one of the numeric keypad's, so
// the keypad's "." is told from the main keyboard's.
constexpr std::intptr_t KeyDataKeypad = 0x400000;
constexpr bool IsKeypadKey(std::intptr_t keyData) {
  return (keyData & KeyDataKeypad) != 0;
}
constexpr unsigned ShiftOfKeyData(std::intptr_t keyData) {
  return static_cast<unsigned>(keyData & 0xFFFF);
}

// WM_SETFOCUS carries in WParam the control that lost the focus, WM_KILLFOCUS the one that gets it
// (a TWinControl*; 0 for none or a window outside the program).

// WM_MOUSEWHEEL carries the shift state in the low word of WParam, the signed wheel delta in its
// high word, and the mouse's screen point in LParam (MakeLParam); Result 1 when handled.

// Control messages of the framework. Key messages carry the key in WParam and the shift state in
// LParam; CM_DIALOGCHAR carries the character in WParam.
constexpr unsigned CM_BASE = 0xB000;
constexpr unsigned CM_ACTIVATE = CM_BASE + 0, CM_DEACTIVATE = CM_BASE + 1, CM_DIALOGKEY = CM_BASE + 5,
                   CM_DIALOGCHAR = CM_BASE + 6, CM_FOCUSCHANGED = CM_BASE + 7,
                   CM_PARENTFONTCHANGED = CM_BASE + 8, CM_PARENTCOLORCHANGED = CM_BASE + 9,
                   CM_VISIBLECHANGED = CM_BASE + 11, CM_ENABLEDCHANGED = CM_BASE + 12,
                   CM_COLORCHANGED = CM_BASE + 13, CM_FONTCHANGED = CM_BASE + 14,
                   CM_CURSORCHANGED = CM_BASE + 15, CM_TEXTCHANGED = CM_BASE + 18,
                   CM_MOUSEENTER = CM_BASE + 19, CM_MOUSELEAVE = CM_BASE + 20,
                   CM_BUTTONPRESSED = CM_BASE + 24, CM_SHOWINGCHANGED = CM_BASE + 25, CM_ENTER = CM_BASE + 26,
                   CM_EXIT = CM_BASE + 27, CM_WANTSPECIALKEY = CM_BASE + 30, CM_RELEASE = CM_BASE + 33,
                   CM_SHOWHINTCHANGED = CM_BASE + 34, CM_PARENTSHOWHINTCHANGED = CM_BASE + 35,
                   CM_TABSTOPCHANGED = CM_BASE + 40, CM_CHILDKEY = CM_BASE + 46, CM_HINTSHOW = CM_BASE + 48;

// Notifications reflected to the control itself (the key messages before the control sees them).
constexpr unsigned CN_BASE = 0xBC00;
constexpr unsigned CN_KEYDOWN = CN_BASE + WM_KEYDOWN, CN_KEYUP = CN_BASE + WM_KEYUP,
                   CN_CHAR = CN_BASE + WM_CHAR, CN_SYSKEYDOWN = CN_BASE + WM_SYSKEYDOWN,
                   CN_SYSCHAR = CN_BASE + WM_SYSCHAR;

// What a control wants of the dialog keys (answer of TWinControl::DialogCode).
constexpr unsigned DLGC_WANTARROWS = 0x0001, DLGC_WANTTAB = 0x0002, DLGC_WANTALLKEYS = 0x0004,
                   DLGC_WANTMESSAGE = 0x0004, DLGC_HASSETSEL = 0x0008, DLGC_WANTCHARS = 0x0080,
                   DLGC_BUTTON = 0x2000;

// Virtual keys
constexpr std::uint16_t VK_LBUTTON = 0x01, VK_RBUTTON = 0x02, VK_CANCEL = 0x03, VK_MBUTTON = 0x04,
                        VK_BACK = 0x08, VK_TAB = 0x09, VK_CLEAR = 0x0C, VK_RETURN = 0x0D, VK_SHIFT = 0x10,
                        VK_CONTROL = 0x11, VK_MENU = 0x12, VK_PAUSE = 0x13, VK_CAPITAL = 0x14,
                        VK_ESCAPE = 0x1B, VK_SPACE = 0x20, VK_PRIOR = 0x21, VK_NEXT = 0x22, VK_END = 0x23,
                        VK_HOME = 0x24, VK_LEFT = 0x25, VK_UP = 0x26, VK_RIGHT = 0x27, VK_DOWN = 0x28,
                        VK_SELECT = 0x29, VK_PRINT = 0x2A, VK_EXECUTE = 0x2B, VK_SNAPSHOT = 0x2C,
                        VK_INSERT = 0x2D, VK_DELETE = 0x2E, VK_HELP = 0x2F, VK_LWIN = 0x5B, VK_RWIN = 0x5C,
                        VK_APPS = 0x5D, VK_NUMPAD0 = 0x60, VK_NUMPAD1 = 0x61, VK_NUMPAD2 = 0x62,
                        VK_NUMPAD3 = 0x63, VK_NUMPAD4 = 0x64, VK_NUMPAD5 = 0x65, VK_NUMPAD6 = 0x66,
                        VK_NUMPAD7 = 0x67, VK_NUMPAD8 = 0x68, VK_NUMPAD9 = 0x69, VK_MULTIPLY = 0x6A,
                        VK_ADD = 0x6B, VK_SEPARATOR = 0x6C, VK_SUBTRACT = 0x6D, VK_DECIMAL = 0x6E,
                        VK_DIVIDE = 0x6F, VK_F1 = 0x70, VK_F2 = 0x71, VK_F3 = 0x72, VK_F4 = 0x73,
                        VK_F5 = 0x74, VK_F6 = 0x75, VK_F7 = 0x76, VK_F8 = 0x77, VK_F9 = 0x78, VK_F10 = 0x79,
                        VK_F11 = 0x7A, VK_F12 = 0x7B, VK_NUMLOCK = 0x90, VK_SCROLL = 0x91, VK_LSHIFT = 0xA0,
                        VK_RSHIFT = 0xA1, VK_LCONTROL = 0xA2, VK_RCONTROL = 0xA3, VK_LMENU = 0xA4,
                        VK_RMENU = 0xA5, VK_OEM_1 = 0xBA, VK_OEM_PLUS = 0xBB, VK_OEM_COMMA = 0xBC,
                        VK_OEM_MINUS = 0xBD, VK_OEM_PERIOD = 0xBE, VK_OEM_2 = 0xBF, VK_OEM_3 = 0xC0,
                        VK_OEM_4 = 0xDB, VK_OEM_5 = 0xDC, VK_OEM_6 = 0xDD, VK_OEM_7 = 0xDE;
// Letters and digits are their capital ASCII codes ('A' .. 'Z', '0' .. '9').
