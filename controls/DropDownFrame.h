#pragma once

#include "controls/DropDownHotState.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Graphics.h"

#include <optional>

// The border of a control with a drop-down button on its right (combo box, date picker):
// the disabled, border-colour and focus-colour frames, else the flat double frame in the
// parent's colour, sunken while hot.
struct TDropDownFrame {
  bool Enabled = true;
  bool Themed = false;
  bool DisabledBorder = false;
  bool HasFocus = false;
  bool HotFocus = false; // hot with the focus border on
  TColor BorderColor = clNone;
  TColor FocusBorderColor = clNone;
  TColor ParentColor = clBtnFace;
  TColor Color = clWindow;
  int ButtonWidth = 0;
};

// Draws the frame into the control's rectangle R. Answers the rectangle inside the flat frame
// when the flat frame was drawn, else nothing.
std::optional<TRect> DrawDropDownFrame(TCanvas& canvas, TRect R, const TDropDownFrame& look);

// The look of `control`'s frame: its own settings, its focus and hot state (sunken while hot only
// with FocusBorder), its enabled state and colour, and its parent's colour (the button face
// without a parent).
TDropDownFrame DropDownFrameOf(const TControl& control, const TDropDownHotState& State, bool FocusBorder,
                               bool Themed, bool DisabledBorder, TColor BorderColor, TColor FocusBorderColor,
                               int ButtonWidth);

// Fills the face of a flat drop-down button B around its arrow area, which stays.
void FillButtonFaceAroundArrow(TCanvas& canvas, const TRect& B, int ClientWidth, int ClientHeight,
                               int ButtonWidth);

// The theme state of the drop-down button: disabled, pressed while held down with the list open,
// hot while hovered with the list closed (and not held, unless HotWhileHeld), else normal.
int DropDownButtonThemeState(bool Enabled, bool Down, bool Hover, bool DroppedDown, bool HotWhileHeld);

// A drop-down button drawn in colours of its own; with Color unset the theme or the platform
// draws it.
struct TDropDownButtonColors {
  TColor Color = clNone, ColorHot = clNone, ColorDown = clNone;
  TColor TextColor = clNone, TextColorHot = clNone, TextColorDown = clNone;
  TColor BorderColor = clNone;
};

class TControl;

// One drop-down button: where each way of drawing it stands and the state it shows.
struct TDropDownButton {
  TDropDownButtonColors Colors;
  TRect Face; // the coloured face; its arrow stands ArrowInset right of the face's edge
  int ArrowInset = 4;
  TRect Themed;  // the theme's combo-box button
  TRect Classic; // the platform's flat combo-box frame control
  bool Enabled = true;
  bool ThemesOn = false;
  bool Down = false;  // a mouse button is held
  bool Hover = false; // the mouse is over the button
  bool DroppedDown = false;
  bool HotWhileHeld = false;        // the themed button shows hot while a mouse button is held
  bool UnsetColorsFallBack = false; // an unset hot, down or border colour takes the normal one
};

// Draws the button in its colours when Colors.Color is set, else the theme's button (opened for
// Owner) when themes are on, else the platform's frame control.
void DrawDropDownButton(TCanvas& canvas, const TControl& Owner, const TDropDownButton& b);

// A mouse button (left or right) is held down now.
bool DropDownMouseHeld();
