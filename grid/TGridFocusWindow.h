// The borderless top-most window that carries the soft glowing frame around the focused cell: it
// never takes the activation or the mouse, and shows a glow mask with per-pixel opacity.
#pragma once

#include "grid/TGridAlphaMask.h"
#include "platform/ui/LayeredWindow.h"

class TGridFocusWindow : public TLayeredWindow {
public:
  // 0 x 0, red, disabled, hidden.
  explicit TGridFocusWindow(TComponent* AOwner);
  // Shows the mask's pixels with its opacity; the window takes its size.
  void SetMask(const TGridAlphaMask& mask);
};

// The focus frame's glow for a W x H window: a 4-pixel outline with corners of 5, blurred with
// radius 3.0, in the colour 0xFDD397, at opacity 230.
TGridAlphaMask MakeFocusGlow(int W, int H);
