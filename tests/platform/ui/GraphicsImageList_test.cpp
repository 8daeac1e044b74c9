#include "GraphicsTestSupport.h"

#include "platform/ui/ImageList.h"

namespace {

class ImageLists : public GraphicsTest {};

// A strip of n 4 x 4 images on a fuchsia key: image i has one pixel of colour RGB(i * 50, 0, 0) at (1, 1).
TBitmap Strip(int n) {
  TBitmap b(4 * n, 4);
  FillRect(b.Canvas(), Rect(0, 0, 4 * n, 4), clFuchsia);
  for (int i = 0; i < n; ++i)
    b.SetPixel(4 * i + 1, 1, RGB(i * 50 + 10, 0, 0));
  return b;
}

TEST_F(ImageLists, WideBitmapsBecomeSeveralImages) {
  TImageList list(4, 4);
  int changes = 0;
  list.OnChange = [&] { ++changes; };
  EXPECT_EQ(list.AddMasked(Strip(3), clFuchsia), 0);
  EXPECT_EQ(list.AddMasked(Strip(2), clFuchsia), 3);
  EXPECT_EQ(list.Count(), 5);
  EXPECT_EQ(changes, 2);
  TBitmap out;
  ASSERT_TRUE(list.GetBitmap(2, out));
  EXPECT_EQ(out.Width(), 4);
  EXPECT_EQ(out.Pixel(1, 1), RGB(110, 0, 0));
  EXPECT_TRUE(list.Move(2, 0));
  list.GetBitmap(0, out);
  EXPECT_EQ(out.Pixel(1, 1), RGB(110, 0, 0));
  EXPECT_TRUE(list.Delete(0));
  EXPECT_EQ(list.Count(), 4);
  list.SetSize(8, 8);
  EXPECT_EQ(list.Count(), 0) << "a new size empties the list";
}

TEST_F(ImageLists, MaskedImagesLeaveTheTargetUntouched) {
  TImageList list(4, 4);
  list.AddMasked(Strip(1), clFuchsia);
  TBitmap mask(4, 4); // white = transparent
  mask.SetPixel(1, 1, clBlack);
  list.Add(Strip(1), &mask);
  for (int index : {0, 1}) {
    SCOPED_TRACE(index);
    TBitmap target(6, 6);
    FillRect(target.Canvas(), Rect(0, 0, 6, 6), clBlue);
    list.Draw(target.Canvas(), 1, 1, index);
    EXPECT_EQ(PixelsOf(target, clBlue).size(), 35u);
    EXPECT_EQ(target.Pixel(2, 2), RGB(10, 0, 0));
  }
}

TEST_F(ImageLists, StylesAndStates) {
  TImageList list(4, 4);
  list.AddMasked(Strip(1), clFuchsia);
  auto drawn = [&](TDrawingStyle style, TImageType type, bool enabled) {
    TBitmap target(4, 4);
    FillRect(target.Canvas(), Rect(0, 0, 4, 4), clBlue);
    list.Draw(target.Canvas(), 0, 0, 0, style, type, enabled);
    return target;
  };
  EXPECT_NE(drawn(dsNormal, itImage, false).Pixel(1, 1), RGB(10, 0, 0)) << "disabled looks different";
  list.SetBlendColor(clWhite);
  const TColor selected = drawn(dsSelected, itImage, true).Pixel(1, 1);
  EXPECT_NEAR(GetGValue(selected), 127, 2) << "half way to the blend colour";
  const TBitmap mask = drawn(dsNormal, itMask, true);
  EXPECT_EQ(mask.Pixel(1, 1), clBlack);
  EXPECT_EQ(mask.Pixel(0, 0), clWhite);
  list.SetBkColor(clYellow);
  EXPECT_EQ(drawn(dsNormal, itImage, true).Pixel(0, 0), clYellow);
  EXPECT_EQ(drawn(dsTransparent, itImage, true).Pixel(0, 0), clBlue);
}

TEST_F(ImageLists, BadIndexesAndInputs) {
  TImageList list(4, 4);
  TBitmap target(4, 4), out;
  list.Draw(target.Canvas(), 0, 0, 0);
  list.Draw(target.Canvas(), 0, 0, -1);
  EXPECT_FALSE(list.GetBitmap(3, out));
  EXPECT_FALSE(list.Delete(0));
  EXPECT_FALSE(list.Move(0, 1));
  EXPECT_FALSE(list.Replace(0, Strip(1)));
  EXPECT_EQ(list.Add(TBitmap()), -1);
  EXPECT_EQ(list.AddMasked(Strip(1), clDefault), 0) << "key from the top-left pixel";
  TImageList zero(0, -5);
  EXPECT_EQ(zero.Width(), 1);
  TImageList huge(1 << 30, 1 << 30); // more than memory holds: nothing is added
  EXPECT_EQ(huge.Add(Strip(1)), -1);
  EXPECT_EQ(huge.Count(), 0);
  EXPECT_EQ(PixelsOf(target, clWhite).size(), 16u);
}

} // namespace
