// Helpers of the drawing tests of the controls: a GUI application with the program's faces, and
// views of bitmap pixels.
#pragma once

#include "platform/ui/Fonts.h"
#include "platform/ui/Graphics.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

class DrawingTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    ASSERT_TRUE(EnsureGuiApplication());
    std::string error;
    ASSERT_TRUE(LoadProgramFonts(&error)) << error;
  }

  // A bitmap of the size filled with one colour.
  static TBitmap Filled(int w, int h, TColor color = clWhite) {
    TBitmap b(w, h);
    b.Canvas().Brush().SetColor(color);
    b.Canvas().FillRect(Rect(0, 0, w, h));
    return b;
  }
};

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

// Bounding box of the pixels of one colour; empty when there are none.
inline TRect ColorBounds(const TBitmap& b, TColor color) {
  TRect r{b.Width(), b.Height(), 0, 0};
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x)
      if (b.Pixel(x, y) == color) {
        r.Left = std::min(r.Left, x);
        r.Top = std::min(r.Top, y);
        r.Right = std::max(r.Right, x + 1);
        r.Bottom = std::max(r.Bottom, y + 1);
      }
  return r.IsEmpty() ? TRect{} : r;
}

inline int CountColor(const TBitmap& b, TColor color, const TRect& area) {
  int n = 0;
  for (int y = area.Top; y < area.Bottom; ++y)
    for (int x = area.Left; x < area.Right; ++x)
      if (b.Pixel(x, y) == color) ++n;
  return n;
}

inline bool SamePixels(const TBitmap& a, const TBitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.Pixel(x, y) != b.Pixel(x, y)) return false;
  return true;
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
