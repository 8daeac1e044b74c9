// Helpers of the drawing tests: a GUI application for the faces, and views of bitmap pixels.
#pragma once

#include "platform/ui/Fonts.h"
#include "platform/ui/Graphics.h"

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

// Bounding box of the pixels that differ from `background`; empty when there are none.
inline TRect InkBounds(const TBitmap& b, TColor background = clWhite) {
  TRect r{b.Width(), b.Height(), 0, 0};
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x)
      if (b.Pixel(x, y) != background) {
        r.Left = std::min(r.Left, x);
        r.Top = std::min(r.Top, y);
        r.Right = std::max(r.Right, x + 1);
        r.Bottom = std::max(r.Bottom, y + 1);
      }
  return r.IsEmpty() ? TRect{} : r;
}

// The picture as text rows ('#' = not background), for readable failure messages.
inline std::string Sketch(const TBitmap& b, TColor background = clWhite) {
  std::string s;
  for (int y = 0; y < b.Height(); ++y) {
    for (int x = 0; x < b.Width(); ++x)
      s += b.Pixel(x, y) == background ? '.' : '#';
    s += '\n';
  }
  return s;
}

inline bool SamePixels(const TBitmap& a, const TBitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.Pixel(x, y) != b.Pixel(x, y)) return false;
  return true;
}
