// Gradient bands of the drop-down painting helpers.
#include "dropdowns/DropDownPaint.h"

#include "support/UiTestFixture.h"

#include <gtest/gtest.h>

namespace {

class DropDownPaintTest : public TUiTest {};

TEST_F(DropDownPaintTest, BandsRunFromOneColourToTheOther) {
  struct TCase {
    const char* Name;
    bool Horizontal;
    int Steps;
    TColor First, Last; // at the start and just before the end of the run
  } cases[] = {
      {"no steps count as one: FromColor only", false, 0, RGB(200, 0, 0), RGB(200, 0, 0)},
      {"vertical", false, 4, RGB(200, 0, 0), RGB(50, 0, 150)},
      {"horizontal", true, 4, RGB(200, 0, 0), RGB(50, 0, 150)},
  };
  for (const TCase& c : cases) {
    TBitmap b(40, 40);
    FillRect(b.Canvas(), {0, 0, 40, 40}, clWhite);
    DrawGradientBands(b.Canvas(), RGB(200, 0, 0), RGB(0, 0, 200), c.Horizontal, {0, 0, 40, 40}, c.Steps);
    const TPoint first{0, 0}, last = c.Horizontal ? TPoint{38, 0} : TPoint{0, 38};
    EXPECT_EQ(b.Pixel(first.X, first.Y), c.First) << c.Name;
    EXPECT_EQ(b.Pixel(last.X, last.Y), c.Last) << c.Name;
    // Bands overlap, so no pixel of the rectangle keeps the background.
    for (int y = 0; y < 39; ++y)
      for (int x = 0; x < 39; ++x)
        ASSERT_NE(b.Pixel(x, y), clWhite) << c.Name << " at " << x << "," << y;
  }
}

} // namespace
