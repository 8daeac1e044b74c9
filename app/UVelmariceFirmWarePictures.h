// Pictures of the main window's corner buttons, kept as rows of characters. Each is one square
// glyph frame whose lower-left pixel is its see-through colour.
#pragma once

#include "platform/ui/Graphics.h"

constexpr int Corner_Picture_Size = 40;

TBitmap Info_Picture();
TBitmap Options_Picture();
TBitmap Close_Picture();
