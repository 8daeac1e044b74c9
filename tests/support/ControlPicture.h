// What a control or window shows now, rendered offscreen and read back as a bitmap, for the tests
// that look at pixels.
#pragma once

#include "platform/ui/Graphics.h"

class TControl;

// A failure to render or to read the picture back fails the test and gives an empty bitmap.
TBitmap RenderPicture(TControl& control);
