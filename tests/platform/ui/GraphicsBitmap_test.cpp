#include "GraphicsTestSupport.h"
#include "support/TempDir.h"

#include "platform/Files.h"

#include <cstdint>
#include <cstring>

namespace {

class Bitmaps : public GraphicsTest {};

TBitmap Pattern(int w, int h) {
  TBitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      b.SetPixel(x, y, RGB(x * 30, y * 40, (x + y) * 10));
  return b;
}

TEST_F(Bitmaps, ResizingKeepsPixelsAndWhitensNewOnes) {
  TBitmap b = Pattern(3, 2);
  b.SetSize(5, 4);
  EXPECT_EQ(b.Width(), 5);
  EXPECT_EQ(b.Height(), 4);
  EXPECT_EQ(b.Pixel(2, 1), RGB(60, 40, 30));
  EXPECT_EQ(b.Pixel(4, 3), clWhite);
  b.SetWidth(1);
  EXPECT_EQ(b.Pixel(0, 1), RGB(0, 40, 10));
  EXPECT_EQ(b.Pixel(1, 1), clNone);
  b.SetSize(0, 0);
  EXPECT_TRUE(b.Empty());
}

TEST_F(Bitmaps, DrawingAfterResizeUsesTheNewSurface) {
  TBitmap b(4, 4);
  b.Canvas().Brush().SetColor(clRed);
  b.Canvas().FillRect(Rect(0, 0, 4, 4));
  b.SetSize(8, 8);
  b.Canvas().FillRect(Rect(6, 6, 8, 8));
  EXPECT_EQ(PixelsOf(b, clRed).size(), 16u + 4u);
}

TEST_F(Bitmaps, CopiesAreDeep) {
  TBitmap a = Pattern(3, 3);
  TBitmap b = a;
  b.Canvas().Brush().SetColor(clBlack);
  b.Canvas().FillRect(Rect(0, 0, 3, 3));
  EXPECT_EQ(a.Pixel(1, 1), RGB(30, 40, 20));
  a.Assign(b);
  EXPECT_EQ(a.Pixel(1, 1), clBlack);
}

TEST_F(Bitmaps, ScanLinesHoldRedGreenBlue) {
  TBitmap b(2, 2);
  b.SetPixel(1, 1, RGB(0x12, 0x34, 0x56));
  EXPECT_EQ(b.ScanLine(1)[1] & 0xFFFFFFu, 0x123456u);
  b.ScanLine(0)[0] = 0xFFABCDEFu;
  EXPECT_EQ(b.Pixel(0, 0), RGB(0xAB, 0xCD, 0xEF));
  EXPECT_EQ(b.Canvas().Pixels(0, 0), RGB(0xAB, 0xCD, 0xEF));
  EXPECT_EQ(b.ScanLine(2), nullptr);
  EXPECT_EQ(b.ScanLine(-1), nullptr);
}

TEST_F(Bitmaps, TransparentColourIsTheLowerLeftPixelUnlessFixed) {
  TBitmap b(3, 3);
  b.SetPixel(0, 2, clLime);
  EXPECT_EQ(b.TransparentColor(), clLime);
  b.SetTransparentColor(clRed);
  EXPECT_EQ(b.TransparentColor(), clRed);
  b.SetTransparentMode(tmAuto);
  EXPECT_EQ(b.TransparentColor(), clLime);
  EXPECT_EQ(TBitmap().TransparentColor(), clDefault);
}

TEST_F(Bitmaps, FilesRoundTrip) {
  TTempDir dir;
  const TBitmap original = Pattern(7, 5);
  for (const char* name : {"picture.bmp", "picture.png", "PICTURE.PNG"}) {
    SCOPED_TRACE(name);
    const std::string path = dir.Path() + "/" + name;
    std::string error;
    ASSERT_TRUE(original.SaveToFile(path, &error)) << error;
    TBitmap loaded;
    ASSERT_TRUE(loaded.LoadFromFile(path, &error)) << error;
    EXPECT_TRUE(SamePixels(loaded, original));
  }
  EXPECT_EQ(dir.Read("picture.bmp").substr(0, 2), "BM");
  EXPECT_EQ(dir.Read("picture.png").substr(1, 3), "PNG");
  EXPECT_EQ(dir.Entries().size(), 3u) << "no temporary files left";
}

TEST_F(Bitmaps, BadFilesLeaveTheBitmapAlone) {
  TTempDir dir;
  const std::string garbage = dir.Write("garbage.bmp", "this is not a picture");
  const std::string cut = dir.Write("cut.png", Pattern(4, 4).SaveToBytes("PNG").substr(0, 30));
  // 58 bytes whose header claims 12,779,540 x 2 pixels: refused before a picture of that size is
  // made (making and clearing it took seconds).
  std::string claim = Pattern(1, 1).SaveToBytes("BMP");
  const std::int32_t width = 12779540, height = -2;
  std::memcpy(claim.data() + 18, &width, 4);
  std::memcpy(claim.data() + 22, &height, 4);
  const std::string huge = dir.Write("claims.bmp", claim);
  for (const std::string& path : {garbage, cut, huge, dir.Path() + "/missing.bmp"}) {
    SCOPED_TRACE(path);
    TBitmap b = Pattern(2, 2);
    std::string error;
    EXPECT_FALSE(b.LoadFromFile(path, &error));
    EXPECT_NE(error.find(path), std::string::npos) << error;
    EXPECT_EQ(b.Width(), 2);
    EXPECT_EQ(b.Pixel(1, 1), RGB(30, 40, 20));
  }
  std::string error;
  EXPECT_FALSE(TBitmap().SaveToFile(dir.Path() + "/empty.bmp", &error));
  EXPECT_FALSE(FileExists(dir.Path() + "/empty.bmp"));
  EXPECT_FALSE(Pattern(2, 2).SaveToFile(dir.Path() + "/no/such/folder/x.bmp", &error));
  EXPECT_FALSE(error.empty());
}

TEST_F(Bitmaps, HugeSizesAreRefused) {
  TBitmap b(100000, 100000);
  EXPECT_TRUE(b.Empty());
  b.Canvas().FillRect(Rect(0, 0, 10, 10));
}

} // namespace
