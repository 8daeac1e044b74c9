// Glyphs the grid paints over its cells with the bitmap's transparent colour left out.
#pragma once

#include "platform/ui/Graphics.h"

// Draws a copy of the glyph made transparent, so the glyph itself stays as it is.
inline void DrawTransparentGlyph(TCanvas& Canvas, int X, int Y, const TBitmap& Glyph) {
  TBitmap b(Glyph);
  b.SetTransparent(true);
  Canvas.Draw(X, Y, b);
}
