// The focus frame's glow: the blur kernel, the edge-band blur and its guards, the drawn shape, and
// the alpha mask's merging and copying, including sources smaller than the mask.
#include "grid/TGridAlphaMask.h"

#include "platform/ui/Application.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TBitmap Filled(int w, int h, TColor c, TPixelFormat format = pf24bit) {
  TBitmap b;
  b.SetPixelFormat(format);
  b.SetSize(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      b.SetPixel(x, y, c);
  return b;
}

TEST(GlowBlur, KernelSizeFollowsTheRadius) {
  EXPECT_EQ(MakeBlurKernel(3.0).Size, 8);
  const TBlurKernel k = MakeBlurKernel(3.0);
  float sum = 0;
  for (int i = -k.Size; i <= k.Size; ++i)
    sum += k.Weights[i + 10];
  EXPECT_NEAR(sum, 1.0f, 1e-5);
  EXPECT_EQ(k.Weights[9 + 10], 0.0f) << "offsets beyond the size take no part";
}

TEST(GlowBlur, OnlyTwentyFourBitBitmapsAreBlurred) {
  TBitmap b = Filled(10, 10, clWhite, pf32bit);
  try {
    BlurBitmap24(b, 3.0);
    FAIL() << "no exception";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "Blur only works for 24-bit bitmaps");
  }
}

TEST(GlowBlur, RadiusOfZeroOrBelowLeavesTheBitmapUnchanged) { // mended: divided by zero
  for (double radius : {0.0, -2.0}) {
    TBitmap b = Filled(30, 30, clBlack);
    b.SetPixel(5, 5, clWhite);
    BlurBitmap24(b, radius);
    EXPECT_EQ(b.Pixel(5, 5), clWhite) << radius;
    EXPECT_EQ(b.Pixel(6, 5), clBlack) << radius;
  }
}

TEST(GlowBlur, UniformWhiteStaysWhite) {
  TBitmap b = Filled(50, 50, clWhite);
  BlurBitmap24(b, 3.0);
  for (TPoint p : {TPoint{0, 0}, TPoint{10, 3}, TPoint{25, 25}, TPoint{49, 49}})
    EXPECT_EQ(b.Pixel(p.X, p.Y), clWhite) << p.X << "," << p.Y;
}

TEST(GlowBlur, FortyOneRowsAreAllBlurredTallerCopyRowFifteen) {
  // A white dot in the middle row: blurred in place when 41 high, replaced by row 15 when 60 high.
  TBitmap low = Filled(41, 41, clBlack);
  low.SetPixel(20, 20, clWhite);
  BlurBitmap24(low, 1.0);
  EXPECT_GT(GetRValue(low.Pixel(20, 21)), 0) << "row 21 of 41 is blurred";
  TBitmap tall = Filled(60, 60, clBlack);
  tall.SetPixel(30, 30, clWhite);
  BlurBitmap24(tall, 1.0);
  EXPECT_EQ(tall.Pixel(30, 30), clBlack) << "the inside repeats row 15";
}

TEST(GlowMask, DrawsAWhiteRoundedFrameOnBlack) {
  TBitmap b;
  DrawGlowMask(b, 60, 40, 4, 5, 0);
  EXPECT_EQ(b.PixelFormat(), pf24bit);
  EXPECT_EQ(b.Width(), 60);
  EXPECT_EQ(b.Height(), 40);
  EXPECT_EQ(b.Pixel(0, 0), clBlack);
  EXPECT_EQ(b.Pixel(30, 4), clWhite) << "the top edge of the frame";
  EXPECT_EQ(b.Pixel(30, 20), clBlack) << "outlined, not filled";
  TBitmap filled;
  DrawGlowMask(filled, 60, 40, 0, 5, 0);
  EXPECT_EQ(filled.Pixel(30, 20), clWhite);
  TBitmap soft;
  DrawGlowMask(soft, 60, 40, 4, 5, 3.0);
  const int v = GetRValue(soft.Pixel(30, 1));
  EXPECT_GT(v, 0);
  EXPECT_LT(v, 255) << "the blur softens the edge";
}

TEST(AlphaMask, PremultipliesRoundingToNearest) {
  struct Case {
    int channel, alpha, expected;
  };
  const Case cases[] = {{255, 255, 255}, {255, 0, 0},    {1, 128, 1},
                        {1, 127, 0},     {200, 100, 78}, {151, 230, 136}};
  for (const Case& c : cases)
    EXPECT_EQ(Premultiply(static_cast<std::uint8_t>(c.channel), static_cast<std::uint8_t>(c.alpha)),
              c.expected)
        << c.channel << " x " << c.alpha;
}

TEST(AlphaMask, MergeTakesAlphaFromTheMaskRed) {
  TBitmap mask = Filled(4, 3, RGB(128, 0, 0));
  mask.SetPixel(1, 1, RGB(255, 9, 9));
  TBitmap colour = Filled(4, 3, static_cast<TColor>(0xFDD397));
  TGridAlphaMask a;
  EXPECT_EQ(a.Opacity(), 255);
  a.MergeMask(mask, colour, clRed);
  EXPECT_EQ(a.Width(), 4);
  EXPECT_EQ(a.Pixel(1, 1), 0xFF97D3FDu);
  EXPECT_EQ(a.Pixel(0, 0) >> 24, 128u);
  EXPECT_EQ((a.Pixel(0, 0) >> 16) & 0xFF, Premultiply(0x97, 128));
}

TEST(AlphaMask, MergeWithA32BitSourceChangesNothing) {
  TGridAlphaMask a(2, 2);
  a.SetPixel(0, 0, 0x80102030u);
  a.MergeMask(Filled(5, 5, clWhite), Filled(5, 5, clWhite, pf32bit), clNone);
  EXPECT_EQ(a.Width(), 2);
  EXPECT_EQ(a.Pixel(0, 0), 0x80102030u);
}

TEST(AlphaMask, SmallerSourcesCopyOnlyTheirPart) { // mended: read past the source
  TGridAlphaMask small(2, 2);
  small.SetOpacity(230);
  small.SetPixel(1, 1, 0xFF112233u);
  TGridAlphaMask big(4, 3);
  big.SetPixel(3, 2, 0xFFFFFFFFu);
  big.Assign(small);
  EXPECT_EQ(big.Width(), 4) << "the mask keeps its size";
  EXPECT_EQ(big.Opacity(), 230);
  EXPECT_EQ(big.Pixel(1, 1), 0xFF112233u);
  EXPECT_EQ(big.Pixel(3, 2), 0u) << "beyond the source: transparent";

  TGridAlphaMask merged;
  merged.MergeMask(Filled(2, 2, clWhite), Filled(4, 4, clRed), clNone);
  EXPECT_EQ(merged.Pixel(1, 1), 0xFFFF0000u);
  EXPECT_EQ(merged.Pixel(3, 3), 0u) << "beyond a smaller mask: transparent";
}

} // namespace
