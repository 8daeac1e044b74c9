// Views of bitmap pixels for the drawing tests: where ink lies, where a colour lies, how much of
// it there is, and the picture as text for readable failure messages.
#pragma once

#include "platform/ui/Graphics.h"

#include <algorithm>
#include <functional>
#include <string>

namespace PixelTools {
// The area cut to the bitmap.
inline TRect Within(const TBitmap& b, TRect area) {
  area.Left = std::max(area.Left, 0);
  area.Top = std::max(area.Top, 0);
  area.Right = std::min(area.Right, b.Width());
  area.Bottom = std::min(area.Bottom, b.Height());
  return area;
}

// Bounding box of the pixels of the area that pass `keep`; empty when there are none.
inline TRect BoundsWhere(const TBitmap& b, const TRect& area, const std::function<bool(TColor)>& keep) {
  const TRect a = Within(b, area);
  TRect r{a.Right, a.Bottom, a.Left, a.Top};
  for (int y = a.Top; y < a.Bottom; ++y)
    for (int x = a.Left; x < a.Right; ++x)
      if (keep(b.Pixel(x, y))) {
        r.Left = std::min(r.Left, x);
        r.Top = std::min(r.Top, y);
        r.Right = std::max(r.Right, x + 1);
        r.Bottom = std::max(r.Bottom, y + 1);
      }
  return r.IsEmpty() ? TRect{} : r;
}

inline TRect Whole(const TBitmap& b) {
  return TRect{0, 0, b.Width(), b.Height()};
}
} // namespace PixelTools

// Bounding box of the pixels that differ from `background`; empty when there are none.
inline TRect InkBounds(const TBitmap& b, TColor background = clWhite) {
  return PixelTools::BoundsWhere(b, PixelTools::Whole(b), [background](TColor c) { return c != background; });
}

// Bounding box of the pixels of one colour (inside `area`, the whole bitmap by default); empty
// when there are none.
inline TRect ColorBounds(const TBitmap& b, TColor color) {
  return PixelTools::BoundsWhere(b, PixelTools::Whole(b), [color](TColor c) { return c == color; });
}
inline TRect ColorBounds(const TBitmap& b, TColor color, const TRect& area) {
  return PixelTools::BoundsWhere(b, area, [color](TColor c) { return c == color; });
}

// Pixels of one colour inside the area (cut to the bitmap).
inline int CountColor(const TBitmap& b, TColor color, const TRect& area) {
  const TRect a = PixelTools::Within(b, area);
  int n = 0;
  for (int y = a.Top; y < a.Bottom; ++y)
    for (int x = a.Left; x < a.Right; ++x)
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
