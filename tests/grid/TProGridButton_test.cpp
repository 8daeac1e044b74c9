// The search panel's button: groups and the check style, clicks released outside, the drop-down
// part, colour presets, the grey disabled glyph, the glyph-only layout and the faces it paints.
#include "grid/TProGridButton.h"

#include "platform/ui/Forms.h"
#include "platform/ui/Menus.h"
#include "support/ControlPicture.h"
#include "support/UiTestFixture.h"

#include <gtest/gtest.h>

namespace {

class ProGridButtonTest : public TUiTest {
protected:
  void SetUp() override {
    TUiTest::SetUp();
    Form.reset(new TForm(nullptr));
    Form->SetBounds(0, 0, 200, 100);
    Form->SetColor(clWhite);
    Form->Show();
    Application->ProcessMessages();
  }
  TProGridButton* Make(int left) {
    auto* b = new TProGridButton(Form.get());
    b->SetParent(Form.get());
    b->SetBounds(left, 10, 40, 24);
    b->OnClick = [this](TObject*) { ++Clicks; };
    Application->ProcessMessages();
    return b;
  }
  void ClickAt(TProGridButton& b, TPoint down, TPoint up) {
    Headless::MouseDown(b, down);
    Headless::MouseMove(b, up);
    Headless::MouseUp(b, up);
  }
  // The offscreen platform may report the pointer over a new button; move it away for sure.
  void Away(TProGridButton& b) {
    Headless::MouseMove(b, {1, 1});
    Headless::MouseMove(*Form, {190, 90});
  }
  TBitmap Render() {
    Form->Show();
    return RenderPicture(*Form);
  }
  TOwned<TForm> Form;
  int Clicks = 0;
};

TEST_F(ProGridButtonTest, NewButtonHoldsItsDefaults) {
  TProGridButton b(nullptr);
  EXPECT_EQ(b.Width(), 22);
  EXPECT_EQ(b.Height(), 23);
  EXPECT_EQ(b.Color(), clBtnFace);
  EXPECT_TRUE(b.Flat());
  EXPECT_TRUE(b.Shaded());
  EXPECT_EQ(b.Spacing(), 4);
  EXPECT_EQ(b.Margin(), -1);
  EXPECT_EQ(b.ColorHot(), 0xCAC7C7u);
  EXPECT_EQ(b.ColorDown(), 0xD8D3D2u);
  EXPECT_EQ(b.ColorChecked(), 0x808080u);
  EXPECT_EQ(b.Style(), tasButton);
  EXPECT_EQ(b.State(), bsUp);
}

TEST_F(ProGridButtonTest, ButtonWithoutGroupNeverStaysDownButCheckStyleFlipsOnEveryClick) {
  auto* b = Make(10);
  b->SetDown(true);
  EXPECT_FALSE(b->Down());
  b->SetStyle(tasCheck);
  ClickAt(*b, {5, 5}, {6, 6});
  EXPECT_TRUE(b->Down());
  ClickAt(*b, {5, 5}, {6, 6});
  EXPECT_FALSE(b->Down());
  EXPECT_EQ(Clicks, 2);
}

TEST_F(ProGridButtonTest, GroupButtonsStayDownExclusively) {
  auto* a = Make(10);
  auto* c = Make(60);
  a->SetGroupIndex(1);
  c->SetGroupIndex(1);
  ClickAt(*a, {5, 5}, {5, 5});
  EXPECT_TRUE(a->Down());
  ClickAt(*c, {5, 5}, {5, 5});
  EXPECT_TRUE(c->Down());
  EXPECT_FALSE(a->Down()) << "pressing the second puts the first up";
  ClickAt(*c, {5, 5}, {5, 5});
  EXPECT_TRUE(c->Down()) << "without AllowAllUp the down button stays down";
  c->SetAllowAllUp(true);
  EXPECT_TRUE(a->AllowAllUp()) << "the group takes over AllowAllUp";
  ClickAt(*c, {5, 5}, {5, 5});
  EXPECT_FALSE(c->Down());
}

TEST_F(ProGridButtonTest, ReleaseOutsideFiresNoClick) {
  auto* b = Make(10);
  ClickAt(*b, {5, 5}, {80, 5});
  EXPECT_EQ(Clicks, 0);
  EXPECT_EQ(b->State(), bsUp);
  ClickAt(*b, {5, 5}, {39, 23});
  EXPECT_EQ(Clicks, 1);
}

TEST_F(ProGridButtonTest, DropDownPartOpensTheMenuWithoutAClick) {
  auto* b = Make(10);
  auto* menu = new TPopupMenu(Form.get());
  b->SetDropDownButton(true);
  b->SetDropDownMenu(menu);
  int dropped = 0;
  b->OnDropDown = [&](TObject*) { ++dropped; };
  ClickAt(*b, {29, 5}, {29, 5});
  EXPECT_EQ(dropped, 1);
  EXPECT_EQ(Headless::LastPopupMenu(), menu);
  EXPECT_EQ(Clicks, 0);
  ClickAt(*b, {27, 5}, {27, 5});
  EXPECT_EQ(dropped, 1) << "left of the drop-down part is the button";
  EXPECT_EQ(Clicks, 1);
}

TEST_F(ProGridButtonTest, LookPresets) {
  auto* b = Make(10);
  b->SetFlat(false);
  b->SetRounded(true);
  b->SetLook(3);
  EXPECT_TRUE(b->Flat());
  EXPECT_FALSE(b->Rounded());
  EXPECT_EQ(b->Color(), 0xCFF0EAu);
  EXPECT_EQ(b->ColorTo(), 0x8CC0B1u);
  EXPECT_EQ(b->BorderHotColor(), 0u);
  b->SetLook(7);
  EXPECT_EQ(b->Look(), 7);
  EXPECT_EQ(b->Color(), 0xCFF0EAu) << "an unknown preset changes nothing";
  b->SetLook(0);
  EXPECT_TRUE(b->Rounded());
  EXPECT_EQ(b->BorderDownColor(), 0xAF987Au);
  EXPECT_EQ(b->BorderHotColor(), 0xC3CECEu);
}

TEST_F(ProGridButtonTest, GlyphGivesGreyDisabledCopyAndShadow) {
  auto* b = Make(10);
  TBitmap g(4, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x)
      g.SetPixel(x, y, clFuchsia);
  g.SetPixel(1, 1, clWhite);
  g.SetPixel(2, 1, RGB(30, 60, 90));
  b->SetGlyph(g);
  EXPECT_EQ(b->GlyphDisabled().Pixel(1, 1), RGB(223, 223, 223));
  EXPECT_EQ(b->GlyphDisabled().Pixel(2, 1), RGB(126, 126, 126));
  EXPECT_EQ(b->GlyphShade().Pixel(1, 1), RGB(128, 128, 128));
  EXPECT_EQ(b->GlyphShade().Pixel(0, 0), clFuchsia);
  TBitmap other(4, 4);
  b->SetGlyph(other);
  EXPECT_EQ(b->GlyphDisabled().Pixel(1, 1), RGB(223, 223, 223)) << "a set disabled glyph is kept";
}

TEST_F(ProGridButtonTest, GlyphOnlyButtonDrawsItsGlyphAtTheTopLeft) {
  auto* b = Make(10);
  b->SetColor(clWhite);
  TBitmap g(6, 6);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6; ++x)
      g.SetPixel(x, y, x == 0 && y == 5 ? clWhite : clRed);
  b->SetGlyph(g);
  TPoint glyph;
  TRect text;
  b->CalcLayout(glyph, text);
  EXPECT_EQ(glyph.X, 0);
  EXPECT_EQ(glyph.Y, 0);
  Away(*b);
  const TBitmap shot = Render();
  EXPECT_EQ(shot.Pixel(10 + 1, 10 + 1), clRed);
  EXPECT_EQ(shot.Pixel(10 + 8, 10 + 8), clWhite);
}

TEST_F(ProGridButtonTest, CaptionedLayoutCentresAndSpaces) {
  auto* b = Make(10);
  b->SetBounds(10, 10, 100, 24);
  TBitmap g(16, 16);
  b->SetGlyph(g);
  b->SetCaption("Find");
  TPoint glyph;
  TRect text;
  b->CalcLayout(glyph, text);
  const int tw = text.Right - text.Left;
  EXPECT_EQ(glyph.X, (100 - (4 + 16 + tw) + 1) / 2);
  EXPECT_EQ(text.Left, glyph.X + 16 + 4);
  EXPECT_EQ(glyph.Y, (24 - 16 + 1) / 2);
}

TEST_F(ProGridButtonTest, PaintsFlatHotWithGradientAndPressedFaces) {
  auto* b = Make(10);
  b->SetColor(RGB(10, 200, 10));
  b->SetColorHot(RGB(0, 0, 255));
  b->SetColorHotTo(RGB(255, 0, 0));
  b->SetColorDown(RGB(200, 200, 0));
  Away(*b);
  EXPECT_FALSE(b->MouseInControl());
  TBitmap flat = Render();
  EXPECT_EQ(flat.Pixel(10 + 20, 10 + 12), RGB(10, 200, 10));
  EXPECT_EQ(flat.Pixel(10, 10), clWhite) << "the flat face keeps one pixel free";
  Headless::MouseMove(*b, {3, 3});
  TBitmap hot = Render();
  EXPECT_EQ(hot.Pixel(10 + 20, 10 + 1), RGB(0, 0, 255)) << "the gradient starts at the top";
  const TColor low = hot.Pixel(10 + 20, 10 + 21);
  EXPECT_GT(GetRValue(low), 200);
  Headless::MouseDown(*b, {3, 3});
  TBitmap pressed = Render();
  EXPECT_EQ(pressed.Pixel(10 + 20, 10 + 12), RGB(200, 200, 0));
  Headless::MouseUp(*b, {3, 3});
}

} // namespace
