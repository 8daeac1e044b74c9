// Visual-style parts (buttons, drop-down and spin buttons, check boxes, tabs, progress bars) drawn
// with the toolkit's own style, through the open / draw / close calls of a visual-styles library,
// and turned text, which the canvas does not offer.
#pragma once

#include "platform/ui/Graphics.h"

#include <string>

class TControl;

// A theme opened for a window and a class of parts.
struct TThemeData;
using HTHEME = TThemeData*;

// Parts and states, numbered as the visual-styles library numbers them.
// Class "button"
constexpr int BP_PUSHBUTTON = 1, BP_RADIOBUTTON = 2, BP_CHECKBOX = 3;
constexpr int PBS_NORMAL = 1, PBS_HOT = 2, PBS_PRESSED = 3, PBS_DISABLED = 4, PBS_DEFAULTED = 5;
constexpr int CBS_UNCHECKEDNORMAL = 1, CBS_UNCHECKEDHOT = 2, CBS_UNCHECKEDPRESSED = 3,
              CBS_UNCHECKEDDISABLED = 4, CBS_CHECKEDNORMAL = 5, CBS_CHECKEDHOT = 6, CBS_CHECKEDPRESSED = 7,
              CBS_CHECKEDDISABLED = 8, CBS_MIXEDNORMAL = 9, CBS_MIXEDHOT = 10, CBS_MIXEDPRESSED = 11,
              CBS_MIXEDDISABLED = 12;
constexpr int RBS_UNCHECKEDNORMAL = 1, RBS_UNCHECKEDHOT = 2, RBS_UNCHECKEDPRESSED = 3,
              RBS_UNCHECKEDDISABLED = 4, RBS_CHECKEDNORMAL = 5, RBS_CHECKEDHOT = 6, RBS_CHECKEDPRESSED = 7,
              RBS_CHECKEDDISABLED = 8;
// Class "combobox"
constexpr int CP_DROPDOWNBUTTON = 1;
constexpr int CBXS_NORMAL = 1, CBXS_HOT = 2, CBXS_PRESSED = 3, CBXS_DISABLED = 4;
// Class "spin"
constexpr int SPNP_UP = 1, SPNP_DOWN = 2;
constexpr int UPS_NORMAL = 1, UPS_HOT = 2, UPS_PRESSED = 3, UPS_DISABLED = 4;
constexpr int DNS_NORMAL = 1, DNS_HOT = 2, DNS_PRESSED = 3, DNS_DISABLED = 4;
// Class "tab"
constexpr int TABP_TABITEM = 1, TABP_PANE = 9;
constexpr int TIS_NORMAL = 1, TIS_HOT = 2, TIS_SELECTED = 3, TIS_DISABLED = 4, TIS_FOCUSED = 5;
// Class "progress"
constexpr int PP_BAR = 1, PP_BARVERT = 2, PP_CHUNK = 3, PP_CHUNKVERT = 4;

// The theme of a class ("button", "combobox", "spin", "tab", "progress"; a ";"-separated list
// takes the first class known) for a window, which may be null. Null when there is nothing to
// draw themed parts with (no GUI application) or no class is known.
HTHEME OpenThemeData(const TControl* window, const std::string& classList);
void CloseThemeData(HTHEME theme);
// Draws the part in the state into r, within clip when one is given. False for a null theme or a
// part the class does not have; true (nothing drawn) when the canvas has no surface.
bool DrawThemeBackground(HTHEME theme, TCanvas& canvas, int partId, int stateId, const TRect& r,
                         const TRect* clip = nullptr);

// Text in the canvas's font turned by `escapement` tenths of a degree counter-clockwise (900 reads
// upward, 2700 or -900 downward); (x, y) is the corner that is the top-left of the text before
// turning. Background as TextOut (opaque mode fills the text's cell with the background colour).
void TextOutRotated(TCanvas& canvas, int x, int y, int escapement, const std::string& text);
