// Our own pictures of the 25 check images: 0 empty; radio button unchecked 1-4 and checked 5-8;
// check box unchecked 9-12, checked 13-16, mixed 17-20; push button 21-24. Each group of four is
// normal, hot, pressed, disabled.
#pragma once

#include "platform/ui/Graphics.h"

constexpr int CheckImageSize = 16;

// Draws image `index` with its top-left at (x, y); out-of-range indices draw nothing.
void DrawCheckImage(TCanvas& canvas, int x, int y, int index);
