// The shared button images of a combo box with buttons, loaded once and kept for the program's life.
#pragma once

#include "platform/ui/Graphics.h"

#include <array>

enum TComboBoxXImage {
  cbxEdit,        // CBX_BMP_EDIT
  cbxNew,         // CBX_BMP_NEW
  cbxNewDisabled, // CBX_BMP_NEW_D
  cbxDel,         // CBX_BMP_DEL
  cbxDelDisabled, // CBX_BMP_DEL_D
  cbxUp,          // CBX_BMP_UP
  cbxDown,        // CBX_BMP_DOWN
  cbxPins         // CBX_BMP_PINS: four 13 x 11 frames side by side
};

// The eight images in the order above (13 x 11 each, the pins 52 x 11); a missing resource raises
// EResNotFound on first use.
const std::array<TBitmap, 8>& ComboBoxXImages();
