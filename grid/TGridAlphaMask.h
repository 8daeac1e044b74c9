// The soft glowing frame of the focused cell: its shape (DrawGlowMask), softened along the edges
// (BlurBitmap24), and the 32-bit picture with per-pixel opacity (TGridAlphaMask) that the focus
// window is painted from.
#pragma once

#include "platform/ui/Graphics.h"

#include <cstdint>
#include <vector>

// Premultiplied blue, green, red and alpha per pixel, numerically 0xAARRGGBB.
class TGridAlphaMask {
public:
  TGridAlphaMask() = default;
  TGridAlphaMask(int width, int height);

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  // New pixels are transparent black.
  void SetSize(int width, int height);
  std::uint8_t Opacity() const { return FOpacity; }
  void SetOpacity(std::uint8_t value) { FOpacity = value; }
  std::uint32_t Pixel(int x, int y) const;
  void SetPixel(int x, int y, std::uint32_t argb);

  // Takes the source's opacity and the part of its pixels that overlaps this mask, which keeps its
  // size; the rest becomes transparent.
  void Assign(const TGridAlphaMask& source);
  // A plain bitmap: its size and its pixels fully opaque.
  void Assign(const TBitmap& source);
  // For a 24-bit bitmap only: takes its size; alpha is the red of the mask's pixel, the colours
  // are premultiplied with it. Pixels the mask does not cover stay transparent.
  void MergeMask(const TBitmap& mask, const TBitmap& bitmap, TColor color);

private:
  int FWidth = 0;
  int FHeight = 0;
  std::uint8_t FOpacity = 255;
  std::vector<std::uint32_t> FPixels;
};

// channel * alpha / 255, rounded to nearest with ties to even.
std::uint8_t Premultiply(std::uint8_t channel, std::uint8_t alpha);

// Size s (1..10) and the weights for offsets -10..10 of a Gaussian blur of the radius.
struct TBlurKernel {
  int Size = 0;
  float Weights[21] = {};
};
TBlurKernel MakeBlurKernel(double radius);

// Black W x H 24-bit bitmap with a white rounded rectangle (outlined with PenWidth, filled when
// below 1), blurred when Blur > 0.
void DrawGlowMask(TBitmap& bitmap, int W, int H, int PenWidth, int Corner, double Blur);
// Blurs the 21-pixel bands along the edges; the inside repeats row and column 15. Throws
// std::runtime_error "Blur only works for 24-bit bitmaps" for any other format; a radius of 0 or
// less leaves the bitmap as it is.
void BlurBitmap24(TBitmap& bitmap, double radius);
