// The column grid rendered: a Fixed column in the grid's FixedColor, and data check-box columns
// showing checked and unchecked boxes.
#include "grid/ProCGrid.h"

#include "ProGridFixture.h"
#include "platform/Colors.h"
#include "platform/ui/Graphics.h"
#include "support/ControlPicture.h"
#include "support/PixelTools.h"

#include <gtest/gtest.h>

namespace {

class ProCGridRenderTest : public TProGridTest<TProColumnGrid> {
protected:
  void SetUp() override {
    TProGridTest::SetUp();
    Grid->SetColCount(5);
    Grid->SetRowCount(6);
    Grid->SetColor(clWhite);
    Grid->SetHideFocusRect(true);
  }
  TBitmap Render() { return RenderPicture(*Grid); }
  TRect Inner(int c, int r) {
    TRect x = Grid->CellRect(c, r);
    return Rect(x.Left + 2, x.Top + 2, x.Right - 2, x.Bottom - 2);
  }
  bool SameArea(const TBitmap& b, const TRect& x, const TRect& y) {
    for (int dy = 0; dy < x.Height(); ++dy)
      for (int dx = 0; dx < x.Width(); ++dx)
        if (b.Pixel(x.Left + dx, x.Top + dy) != b.Pixel(y.Left + dx, y.Top + dy)) return false;
    return true;
  }
};

TEST_F(ProCGridRenderTest, FixedColumnInFixedColorAndDataCheckBoxes) {
  Grid->SetFixedColor(0x0000C0FF);
  Grid->Columns().Items(2)->SetFixed(true);
  Grid->Columns().Items(3)->SetEditor(edDataCheckBox);
  Grid->SetCells(3, 1, "Y");
  Grid->SetCells(3, 2, "N");
  Grid->SetCells(3, 3, "");
  const TBitmap shot = Render();
  const TRect fixedCell = Inner(2, 2);
  const TColor sample = ColorToRGB(shot.Pixel(fixedCell.Left + 1, fixedCell.Top + 1));
  // The fixed look may shade the colour a little.
  const TColor want = ColorToRGB(0x0000C0FF);
  for (int shift : {0, 8, 16})
    EXPECT_NEAR(static_cast<int>((sample >> shift) & 0xFF), static_cast<int>((want >> shift) & 0xFF), 48)
        << std::hex << sample;
  EXPECT_NE(ColorToRGB(shot.Pixel(Inner(1, 2).Left + 1, Inner(1, 2).Top + 1)), ColorToRGB(0x0000C0FF));
  EXPECT_FALSE(SameArea(shot, Inner(3, 1), Inner(3, 2))) << "checked differs from unchecked";
  EXPECT_TRUE(SameArea(shot, Inner(3, 2), Inner(3, 3))) << "N and the empty text both unchecked";
  EXPECT_FALSE(SameArea(shot, Inner(3, 2), Inner(4, 2))) << "an unchecked box shows";
}

} // namespace
