// Helpers of the drawing tests: a GUI application for the faces, and views of bitmap pixels.
#pragma once

#include "platform/ui/Fonts.h"
#include "platform/ui/Graphics.h"
#include "tests/support/PixelTools.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

class GraphicsTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() { ASSERT_TRUE(EnsureGuiApplication()); }

  // A white bitmap of the given size.
  static TBitmap White(int w, int h) {
    TBitmap b(w, h);
    return b;
  }
};

using PixelSet = std::set<std::pair<int, int>>;

// Pixels of the bitmap that have the colour.
inline PixelSet PixelsOf(const TBitmap& b, TColor color) {
  PixelSet out;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x)
      if (b.Pixel(x, y) == color) out.insert({x, y});
  return out;
}

// Pixels of a rectangle (exclusive right and bottom).
inline PixelSet Area(int l, int t, int r, int b) {
  PixelSet out;
  for (int y = t; y < b; ++y)
    for (int x = l; x < r; ++x)
      out.insert({x, y});
  return out;
}
