#include "grid/TGridFocusWindow.h"

#include <vector>

TGridFocusWindow::TGridFocusWindow(TComponent* AOwner) : TLayeredWindow(AOwner) {
  SetBounds(0, 0, 0, 0);
  SetColor(clRed);
  SetEnabled(false);
}

void TGridFocusWindow::SetMask(const TGridAlphaMask& mask) {
  std::vector<std::uint32_t> pixels;
  pixels.reserve(static_cast<std::size_t>(mask.Width()) * mask.Height());
  for (int y = 0; y < mask.Height(); ++y)
    for (int x = 0; x < mask.Width(); ++x)
      pixels.push_back(mask.Pixel(x, y));
  SetLayeredImage(mask.Width(), mask.Height(), pixels, mask.Opacity());
}

TGridAlphaMask MakeFocusGlow(int W, int H) {
  TBitmap shape;
  DrawGlowMask(shape, W, H, 4, 5, 3.0);
  TBitmap fill;
  fill.SetPixelFormat(pf24bit);
  fill.SetSize(W, H);
  fill.Canvas().Brush().SetColor(0xFDD397);
  fill.Canvas().FillRect(Rect(0, 0, W, H));
  TGridAlphaMask mask;
  mask.MergeMask(shape, fill, clNone);
  mask.SetOpacity(230);
  return mask;
}
