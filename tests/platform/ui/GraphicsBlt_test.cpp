#include "GraphicsTestSupport.h"

#include <functional>

namespace {

class BlockTransfer : public GraphicsTest {};

TBitmap Filled(int w, int h, TColor color) {
  TBitmap b(w, h);
  FillRect(b.Canvas(), Rect(0, 0, w, h), color);
  return b;
}

TEST_F(BlockTransfer, RasterOperationsCombinePixels) {
  const TColor D = RGB(0x50, 0xA0, 0xF0), S = RGB(0x99, 0x66, 0x33), P = RGB(0x0F, 0xF0, 0x3C);
  const auto inv = [](TColor c) { return ~c & 0xFFFFFFu; };
  const struct {
    const char* Name;
    unsigned Rop;
    TColor Expected;
  } cases[] = {
      {"SRCCOPY", SRCCOPY, S},
      {"SRCAND", SRCAND, S & D},
      {"SRCPAINT", SRCPAINT, S | D},
      {"SRCINVERT", SRCINVERT, S ^ D},
      {"SRCERASE", SRCERASE, S & inv(D)},
      {"NOTSRCCOPY", NOTSRCCOPY, inv(S)},
      {"NOTSRCERASE", NOTSRCERASE, inv(S | D)},
      {"MERGEPAINT", MERGEPAINT, inv(S) | D},
      {"MERGECOPY", MERGECOPY, S & P},
      {"DSTINVERT", DSTINVERT, inv(D)},
      {"PATCOPY", PATCOPY, P},
      {"PATINVERT", PATINVERT, P ^ D},
      {"PATPAINT", PATPAINT, P | inv(S) | D},
      {"BLACKNESS", BLACKNESS, clBlack},
      {"WHITENESS", WHITENESS, clWhite},
  };
  const TBitmap source = Filled(4, 4, S);
  for (const auto& k : cases) {
    SCOPED_TRACE(k.Name);
    TBitmap dest = Filled(6, 6, D);
    dest.Canvas().Brush().SetColor(P);
    ASSERT_TRUE(BitBlt(dest.Canvas(), 1, 1, 4, 4, &source.Canvas(), 0, 0, k.Rop));
    EXPECT_EQ(PixelsOf(dest, k.Expected), Area(1, 1, 5, 5)) << std::hex << dest.Pixel(1, 1);
    EXPECT_EQ(dest.Pixel(0, 0), D) << "outside the block untouched";
    EXPECT_EQ(dest.Pixel(5, 5), D);
  }
}

TEST_F(BlockTransfer, RespectsClipAndOrigin) {
  for (unsigned rop : {SRCCOPY, MERGECOPY}) { // a composition and a pixel-by-pixel operation
    SCOPED_TRACE(rop);
    const TBitmap source = Filled(8, 8, clRed);
    TBitmap dest(8, 8);
    dest.Canvas().Brush().SetColor(clWhite);
    IntersectClipRect(dest.Canvas(), 2, 2, 4, 4);
    BitBlt(dest.Canvas(), 0, 0, 8, 8, &source.Canvas(), 0, 0, rop);
    EXPECT_EQ(PixelsOf(dest, clRed), Area(2, 2, 4, 4));

    TBitmap moved(8, 8);
    moved.Canvas().Brush().SetColor(clWhite);
    moved.Canvas().SetWindowOrg({2, 2});
    BitBlt(moved.Canvas(), 2, 2, 3, 3, &source.Canvas(), 0, 0, rop);
    EXPECT_EQ(PixelsOf(moved, clRed), Area(0, 0, 3, 3));
  }
}

TEST_F(BlockTransfer, OverlappingCopyWithinOneBitmap) {
  TBitmap b(6, 1);
  for (int x = 0; x < 6; ++x)
    b.SetPixel(x, 0, RGB(x * 40, 0, 0));
  BitBlt(b.Canvas(), 1, 0, 5, 1, &b.Canvas(), 0, 0, SRCCOPY);
  for (int x = 1; x < 6; ++x)
    EXPECT_EQ(b.Pixel(x, 0), RGB((x - 1) * 40, 0, 0)) << x;
}

TEST_F(BlockTransfer, PartsOutsideTheSourceAreLeftAlone) {
  const TBitmap source = Filled(3, 3, clRed);
  TBitmap dest = Filled(8, 8, clBlue);
  EXPECT_TRUE(BitBlt(dest.Canvas(), 0, 0, 8, 8, &source.Canvas(), -2, -2, SRCCOPY));
  EXPECT_EQ(PixelsOf(dest, clRed), Area(2, 2, 5, 5));
  EXPECT_EQ(PixelsOf(dest, clBlue).size(), 64u - 9u);
}

TEST_F(BlockTransfer, StretchingAndMirroring) {
  TBitmap source(2, 1);
  source.SetPixel(0, 0, clRed);
  source.SetPixel(1, 0, clBlue);
  TBitmap dest(4, 2);
  ASSERT_TRUE(StretchBlt(dest.Canvas(), 0, 0, 4, 2, source.Canvas(), 0, 0, 2, 1, SRCCOPY));
  EXPECT_EQ(PixelsOf(dest, clRed), Area(0, 0, 2, 2));
  EXPECT_EQ(PixelsOf(dest, clBlue), Area(2, 0, 4, 2));
  ASSERT_TRUE(StretchBlt(dest.Canvas(), 4, 0, -4, 2, source.Canvas(), 0, 0, 2, 1, SRCCOPY));
  EXPECT_EQ(PixelsOf(dest, clBlue), Area(0, 0, 2, 2)) << "negative width mirrors";

  TBitmap canvas(4, 2);
  canvas.Canvas().StretchDraw(Rect(0, 0, 4, 2), source);
  EXPECT_EQ(PixelsOf(canvas, clRed), Area(0, 0, 2, 2));
}

TEST_F(BlockTransfer, KeyColourLeavesTheTargetUntouched) {
  // A glyph: a green cross on a fuchsia key colour.
  TBitmap glyph = Filled(5, 5, clFuchsia);
  for (int i = 0; i < 5; ++i)
    glyph.SetPixel(i, 2, clGreen), glyph.SetPixel(2, i, clGreen);
  const PixelSet cross = [] {
    PixelSet s;
    for (int i = 0; i < 5; ++i)
      s.insert({3 + i, 5}), s.insert({5, 3 + i});
    return s;
  }();

  const std::vector<std::pair<const char*, std::function<void(TCanvas&)>>> cases = {
      {"TransparentBlt",
       [&](TCanvas& c) { TransparentBlt(c, 3, 3, 5, 5, glyph.Canvas(), 0, 0, 5, 5, clFuchsia); }},
      {"transparent bitmap, automatic colour",
       [&](TCanvas& c) {
         TBitmap g = glyph;
         g.SetTransparent(true);
         EXPECT_EQ(g.TransparentColor(), clFuchsia) << "lower-left pixel";
         c.Draw(3, 3, g);
       }},
      {"transparent bitmap, fixed colour",
       [&](TCanvas& c) {
         TBitmap g = glyph;
         g.SetTransparent(true);
         g.SetTransparentColor(clFuchsia);
         EXPECT_EQ(g.TransparentMode(), tmFixed);
         c.Draw(3, 3, g);
       }},
  };
  for (const auto& [name, draw] : cases) {
    SCOPED_TRACE(name);
    TBitmap dest(10, 10);
    for (int y = 0; y < 10; ++y)
      for (int x = 0; x < 10; ++x)
        dest.SetPixel(x, y, RGB(x * 20, y * 20, 100)); // a pattern to keep
    const TBitmap before = dest;
    draw(dest.Canvas());
    EXPECT_EQ(PixelsOf(dest, clGreen), cross);
    for (int y = 0; y < 10; ++y)
      for (int x = 0; x < 10; ++x)
        if (!cross.count({x, y})) {
          ASSERT_EQ(dest.Pixel(x, y), before.Pixel(x, y)) << x << "," << y;
        }
  }
}

TEST_F(BlockTransfer, OpaqueDrawAndBrushCopy) {
  TBitmap glyph = Filled(3, 3, clFuchsia);
  glyph.SetPixel(1, 1, clGreen);
  TBitmap dest = Filled(5, 5, clBlue);
  dest.Canvas().Draw(1, 1, glyph);
  EXPECT_EQ(PixelsOf(dest, clFuchsia).size(), 8u) << "not transparent: the key colour is copied";

  TBitmap brushed = Filled(5, 5, clBlue);
  brushed.Canvas().Brush().SetColor(clYellow);
  brushed.Canvas().BrushCopy(Rect(1, 1, 4, 4), glyph, Rect(0, 0, 3, 3), clFuchsia);
  EXPECT_EQ(PixelsOf(brushed, clYellow).size(), 8u);
  EXPECT_EQ(PixelsOf(brushed, clGreen), PixelSet({{2, 2}}));

  TBitmap copied = Filled(5, 5, clBlue);
  copied.Canvas().CopyRect(Rect(0, 0, 3, 3), glyph.Canvas(), Rect(0, 0, 3, 3));
  EXPECT_EQ(PixelsOf(copied, clGreen), PixelSet({{1, 1}}));
}

TEST_F(BlockTransfer, AlphaBlendMixes) {
  const TBitmap source = Filled(2, 2, RGB(200, 0, 100));
  TBitmap dest = Filled(2, 2, RGB(0, 200, 100));
  ASSERT_TRUE(AlphaBlend(dest.Canvas(), 0, 0, 2, 2, source.Canvas(), 0, 0, 2, 2, 128));
  const TColor c = dest.Pixel(0, 0);
  EXPECT_NEAR(GetRValue(c), 100, 2);
  EXPECT_NEAR(GetGValue(c), 100, 2);
  EXPECT_NEAR(GetBValue(c), 100, 2);
}

TEST_F(BlockTransfer, BadArgumentsAreHarmless) {
  const TBitmap source = Filled(3, 3, clRed);
  TBitmap dest = Filled(4, 4, clBlue);
  TCanvas unbound;
  EXPECT_FALSE(BitBlt(dest.Canvas(), 0, 0, 3, 3, nullptr, 0, 0, SRCCOPY))
      << "a source operation needs a source";
  EXPECT_FALSE(BitBlt(dest.Canvas(), 0, 0, 3, 3, &unbound, 0, 0, SRCCOPY));
  EXPECT_FALSE(BitBlt(unbound, 0, 0, 3, 3, &source.Canvas(), 0, 0, SRCCOPY));
  EXPECT_TRUE(BitBlt(dest.Canvas(), 0, 0, 0, 3, &source.Canvas(), 0, 0, SRCCOPY));
  EXPECT_TRUE(BitBlt(dest.Canvas(), 0, 0, -3, -3, &source.Canvas(), 0, 0, SRCCOPY));
  EXPECT_TRUE(BitBlt(dest.Canvas(), 0, 0, 3, 3, &source.Canvas(), 50, 50, SRCCOPY));
  EXPECT_TRUE(BitBlt(dest.Canvas(), 100, 100, 3, 3, &source.Canvas(), 0, 0, SRCCOPY));
  EXPECT_TRUE(TransparentBlt(dest.Canvas(), 0, 0, 0, 0, source.Canvas(), 0, 0, 3, 3, clRed));
  EXPECT_FALSE(PatBlt(dest.Canvas(), 0, 0, 2, 2, SRCCOPY));
  EXPECT_TRUE(StretchBlt(dest.Canvas(), 0, 0, 4, 4, source.Canvas(), 0, 0, 0, 3, SRCCOPY));
  TBitmap empty;
  dest.Canvas().Draw(0, 0, empty);
  dest.Canvas().StretchDraw(Rect(4, 4, 0, 0), source);
  EXPECT_EQ(PixelsOf(dest, clBlue).size(), 16u);
}

} // namespace
