// The tree's drawing routines: rectangles, shortening and wrapping, the integer blend formulas.
#include "platform/Assert.h"
#include "support/UiTestFixture.h"
#include "tree/DrawingUtils.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

class DrawingUtilsTest : public TUiTest {
protected:
  void SetUp() override {
    TUiTest::SetUp();
    Canvas.Font().SetName("DejaVu Sans");
  }
  TCanvas Canvas;
};

std::uint32_t Pixel(int b, int g, int r, int a) {
  return static_cast<std::uint32_t>(b | g << 8 | r << 16 | a << 24);
}

} // namespace

TEST_F(DrawingUtilsTest, NormalizedRectSwapsReversedEdges) {
  struct TCase {
    TRect in, out;
  };
  for (const TCase& c : {TCase{{10, 20, 0, 5}, {0, 5, 10, 20}}, TCase{{0, 5, 10, 20}, {0, 5, 10, 20}},
                         TCase{{3, 1, 3, 1}, {3, 1, 3, 1}}, TCase{{-1, 7, -9, 2}, {-9, 2, -1, 7}}}) {
    const TRect r = NormalizedRect(c.in);
    EXPECT_EQ(r.Left, c.out.Left);
    EXPECT_EQ(r.Top, c.out.Top);
    EXPECT_EQ(r.Right, c.out.Right);
    EXPECT_EQ(r.Bottom, c.out.Bottom);
  }
}

TEST_F(DrawingUtilsTest, ShortenStringKeepsWhatFitsWithTheEllipsis) {
  const std::string text = "Wireless M-Bus meter";
  const int full = Canvas.TextWidth(text);
  const int dots = Canvas.TextWidth("...");
  EXPECT_EQ(ShortenString(Canvas, text, full + dots), text) << "fits together with the ellipsis room";
  EXPECT_EQ(ShortenString(Canvas, "", 100), "");
  EXPECT_EQ(ShortenString(Canvas, text, 0), "");
  EXPECT_EQ(ShortenString(Canvas, text, dots), "") << "no room beside the ellipsis";
  EXPECT_EQ(ShortenString(Canvas, text, dots, dots), "");
  for (int width : {dots + 1, full / 2, full + dots - 1}) {
    SCOPED_TRACE(width);
    const std::string s = ShortenString(Canvas, text, width);
    ASSERT_GE(s.size(), 3u);
    EXPECT_EQ(s.substr(s.size() - 3), "...");
    const std::string kept = s.substr(0, s.size() - 3);
    EXPECT_EQ(text.compare(0, kept.size(), kept), 0) << "a leading part";
    EXPECT_LE(Canvas.TextWidth(kept) + dots, width);
    // One character more would not have fitted.
    EXPECT_GT(Canvas.TextWidth(text.substr(0, kept.size() + 1)) + dots, width);
  }
  // Characters are never cut in the middle.
  const std::string umlauts = "\xC3\xA4\xC3\xB6\xC3\xBC\xC3\xA4\xC3\xB6\xC3\xBC";
  const std::string s = ShortenString(Canvas, umlauts, Canvas.TextWidth(umlauts) / 2 + dots);
  EXPECT_EQ((s.size() - 3) % 2, 0u);
}

TEST_F(DrawingUtilsTest, WrapTextBreaksAtBlanksAndSplitsLongWords) {
  const int w = Canvas.TextWidth("alpha beta");
  const TRect bounds{0, 0, w, 100};
  EXPECT_EQ(WrapText(Canvas, "  alpha beta gamma  ", bounds, false, DT_SINGLELINE), "alpha beta\ngamma");
  EXPECT_EQ(WrapText(Canvas, "   ", bounds, false, DT_SINGLELINE), "");
  const TRect rtl{0, 0, Canvas.TextWidth("beta gamma"), 100};
  EXPECT_EQ(WrapText(Canvas, "alpha beta gamma", rtl, true, DT_SINGLELINE), "beta gamma\nalpha")
      << "right to left fills from the end";
  const std::string wrapped = WrapText(Canvas, "abcdefghijklmnopqrstuvwxyz", TRect{0, 0, 40, 100}, false, 0);
  std::istringstream lines(wrapped);
  std::string line, joined;
  int count = 0;
  while (std::getline(lines, line)) {
    EXPECT_LE(Canvas.TextWidth(line), 40);
    EXPECT_FALSE(line.empty());
    joined += line;
    ++count;
  }
  EXPECT_GT(count, 1);
  EXPECT_EQ(joined, "abcdefghijklmnopqrstuvwxyz");
}

TEST_F(DrawingUtilsTest, RowBlendingFollowsTheIntegerFormulas) {
  const std::uint32_t src = Pixel(200, 100, 0, 255), dst = Pixel(10, 250, 128, 40);
  auto channel = [](std::uint32_t p, int k) { return static_cast<int>((p >> (8 * k)) & 0xFF); };
  struct TCase {
    int alpha, bias;
    const char* what;
  };
  for (const TCase& c :
       {TCase{0, 0, "alpha 0"}, TCase{255, 0, "alpha 255"}, TCase{128, 0, "half"}, TCase{77, 255, "bias 255"},
        TCase{77, -255, "bias -255"}, TCase{200, 30, "bias 30"}}) {
    SCOPED_TRACE(c.what);
    std::uint32_t d = dst;
    BlendLineConstant(&src, &d, 1, c.alpha, c.bias);
    for (int k = 0; k < 4; ++k) {
      const int s = channel(src, k), dd = channel(dst, k);
      const int expected = std::clamp((dd * (256 - c.alpha) + s * c.alpha) / 256 + c.bias, 0, 255);
      EXPECT_EQ(channel(d, k), expected) << "channel " << k;
    }
  }
  std::uint32_t d = dst;
  BlendLineConstant(&src, &d, 1, 0, 0);
  EXPECT_EQ(d, dst) << "alpha 0 leaves the destination";
  BlendLineConstant(&src, &d, 1, 255, 0);
  EXPECT_EQ(channel(d, 0), (10 + 255 * 200) / 256);
  d = dst;
  BlendLineConstant(&src, &d, 1, 90, 255);
  EXPECT_EQ(d, 0xFFFFFFFFu) << "bias 255 saturates every channel";

  // Per pixel: the source's own alpha; master: scaled by the constant.
  const std::uint32_t half = Pixel(200, 100, 0, 128);
  std::uint32_t a = dst, b = dst, m = dst;
  BlendLinePerPixel(&half, &a, 1, 0);
  BlendLineConstant(&half, &b, 1, 128, 0);
  EXPECT_EQ(a, b);
  BlendLineMaster(&half, &m, 1, 128, 0);
  std::uint32_t m2 = dst;
  BlendLineConstant(&half, &m2, 1, 128 * 128 / 256, 0);
  EXPECT_EQ(m, m2);

  // A colour over the destination: the colour is 0x00BBGGRR, the pixel's low byte is blue.
  std::uint32_t row[3] = {dst, dst, dst};
  BlendLineMasterAndColor(row, 3, 64, 0x00102030);
  for (std::uint32_t p : row) {
    EXPECT_EQ(channel(p, 0), (0x10 * 64 + 10 * 192) / 256);
    EXPECT_EQ(channel(p, 1), (0x20 * 64 + 250 * 192) / 256);
    EXPECT_EQ(channel(p, 2), (0x30 * 64 + 128 * 192) / 256);
    EXPECT_EQ(channel(p, 3), (40 * 192) / 256);
  }
}

TEST_F(DrawingUtilsTest, ScanlinesOfBottomUpAndTopDownBits) {
  std::uint32_t bits[4 * 3] = {};
  EXPECT_EQ(ScanlinePointer(bits, 4, 3, 0), bits + 8) << "bottom-up: row 0 is the last scan line";
  EXPECT_EQ(ScanlinePointer(bits, 4, 3, 2), bits);
  EXPECT_EQ(ScanlinePointer(bits, 4, -3, 2), bits + 8);
}

TEST_F(DrawingUtilsTest, AlphaBlendRectBlendsThePartOntoTheTarget) {
  TBitmap source(4, 4), dest(6, 6);
  source.SetPixelFormat(pf32bit);
  dest.SetPixelFormat(pf32bit);
  source.Canvas().Brush().SetColor(clBlack);
  source.Canvas().FillRect(TRect{0, 0, 4, 4});
  dest.Canvas().Brush().SetColor(clWhite);
  dest.Canvas().FillRect(TRect{0, 0, 6, 6});
  AlphaBlendRect(&source, &dest, TRect{0, 0, 2, 2}, TPoint{3, 3}, abConstant, 128, 0);
  EXPECT_EQ(dest.Pixel(3, 3), static_cast<TColor>(0x7F7F7F));
  EXPECT_EQ(dest.Pixel(4, 4), static_cast<TColor>(0x7F7F7F));
  EXPECT_EQ(dest.Pixel(5, 5), clWhite) << "outside the part";
  EXPECT_EQ(dest.Pixel(2, 3), clWhite);
  AlphaBlendRect(nullptr, &dest, TRect{0, 0, 1, 1}, TPoint{}, abConstantAndColor, 255, 0x0000FF);
  EXPECT_EQ(dest.Pixel(0, 0), clRed) << "red over white at 255: (255 * 255 + 255) / 256 and 255 / 256";
  TBitmap device(2, 2);
  EXPECT_THROW(AlphaBlendRect(&device, &dest, TRect{0, 0, 1, 1}, TPoint{}, abConstant, 9, 0),
               EAssertionFailed);
  AlphaBlendRect(&device, &dest, TRect{}, TPoint{}, abConstant, 9, 0); // an empty part touches nothing
}

TEST_F(DrawingUtilsTest, SmallAnswers) {
  EXPECT_TRUE(CpuHasMMX());
  EXPECT_EQ(ColorToImageListRGB(clNone), CLR_NONE);
  EXPECT_EQ(ColorToImageListRGB(clDefault), CLR_DEFAULT);
  EXPECT_EQ(ColorToImageListRGB(clRed), static_cast<std::uint32_t>(0x0000FF));
}

TEST_F(DrawingUtilsTest, DragRectsForEachDirection) {
  struct TCase {
    int dx, dy;
    TRect scroll, draw2;
  };
  const int w = 100, h = 50;
  for (const TCase& c :
       {TCase{0, 5, {0, 0, w, h - 5}, {0, h - 5, w, 5}}, TCase{0, -5, {0, 5, w, h}, {0, 0, w, 5}},
        TCase{-4, 6, {4, 0, w, h}, {4, h - 6, w - 4, 6}}, TCase{-4, -6, {4, 6, w, h}, {4, 0, w - 4, 6}}}) {
    SCOPED_TRACE(std::to_string(c.dx) + "," + std::to_string(c.dy));
    TRect clip, scroll, s1, s2, d1, d2;
    ComputeDragRects(w, h, c.dx, c.dy, clip, scroll, s1, s2, d1, d2);
    EXPECT_EQ(clip.Right, w);
    EXPECT_EQ(clip.Bottom, h);
    for (auto [got, want] : {std::pair{scroll, c.scroll}, std::pair{d2, c.draw2}}) {
      EXPECT_EQ(got.Left, want.Left);
      EXPECT_EQ(got.Top, want.Top);
      EXPECT_EQ(got.Right, want.Right);
      EXPECT_EQ(got.Bottom, want.Bottom);
    }
  }
  // Rectangles a case does not name keep what they held.
  TRect clip, scroll, s1{1, 2, 3, 4}, s2, d1{5, 6, 7, 8}, d2;
  ComputeDragRects(w, h, 0, 3, clip, scroll, s1, s2, d1, d2);
  EXPECT_EQ(s1.Left, 1);
  EXPECT_EQ(d1.Bottom, 8);
}
