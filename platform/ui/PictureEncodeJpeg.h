// JPEG encoding of a bitmap through libjpeg, for pictures written beside exported pages.
#pragma once

#include "platform/ui/Graphics.h"

#include <string>

// The bitmap as a baseline JPEG of the given quality (1 to 100); "" for an empty bitmap or when
// the library fails.
std::string EncodeJpeg(const TBitmap& bitmap, int quality = 90);
