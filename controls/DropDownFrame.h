#pragma once

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

// Fills the face of a flat drop-down button B around its arrow area, which stays.
void FillButtonFaceAroundArrow(TCanvas& canvas, const TRect& B, int ClientWidth, int ClientHeight,
                               int ButtonWidth);

// The theme state of the drop-down button: disabled, pressed while held down with the list open,
// hot while hovered with the list closed (and not held, unless HotWhileHeld), else normal.
int DropDownButtonThemeState(bool Enabled, bool Down, bool Hover, bool DroppedDown, bool HotWhileHeld);
