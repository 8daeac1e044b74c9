// The layered window: painted from premultiplied pixels, composed over what lies beneath by
// per-pixel alpha and the overall opacity, shown without taking the activation.
#include "platform/ui/LayeredWindow.h"

#include "support/ControlPicture.h"
#include "support/UiTestFixture.h"

#include <vector>

namespace {

class LayeredWindowTest : public TUiTest {};

TEST_F(LayeredWindowTest, ComposesPremultipliedPixelsByAlphaAndOpacity) {
  TOwned<TLayeredWindow> w(new TLayeredWindow(nullptr));
  // Opaque red, half-covering red (premultiplied: 128 of red at alpha 128), clear.
  w->SetLayeredImage(3, 1, {0xFFFF0000u, 0x80800000u, 0x00000000u}, 255);
  EXPECT_EQ(w->Width(), 3);
  EXPECT_EQ(w->Height(), 1);
  struct Case {
    int x;
    TColor under, shown;
  } cases[] = {
      {0, clBlack, RGB(255, 0, 0)}, {1, clBlack, RGB(128, 0, 0)},      {1, clWhite, RGB(255, 127, 127)},
      {2, clWhite, clWhite},        {5, clGreen, ColorToRGB(clGreen)},
  };
  for (const Case& c : cases)
    EXPECT_EQ(w->ComposedPixel(c.x, 0, c.under), c.shown) << c.x;
  w->SetLayeredImage(1, 1, {0xFFFF0000u}, 128);
  EXPECT_EQ(w->ComposedPixel(0, 0, clBlack), RGB(128, 0, 0)) << "the opacity scales it all";
  EXPECT_EQ(w->ComposedPixel(0, 0, clWhite), RGB(255, 127, 127));
}

TEST_F(LayeredWindowTest, RendersItsPicture) {
  TOwned<TLayeredWindow> w(new TLayeredWindow(nullptr));
  w->SetLayeredImage(4, 4, std::vector<std::uint32_t>(16, 0xFF0000FFu), 255);
  w->Show();
  const TBitmap shot = RenderPicture(*w);
  EXPECT_EQ(shot.Pixel(2, 2), RGB(0, 0, 255));
}

} // namespace
