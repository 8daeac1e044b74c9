#include "GraphicsTestSupport.h"

namespace {

class Edges : public GraphicsTest {};

TColor Sys(TColor c) {
  return ColorToRGB(c);
}

TEST_F(Edges, ThreeDEdgesUseTheirColours) {
  const struct {
    const char* Name;
    unsigned Edge, Flags;
    TColor OuterTopLeft, InnerTopLeft, InnerBottomRight, OuterBottomRight;
  } cases[] = {
      {"raised", EDGE_RAISED, BF_RECT, cl3DLight, clBtnHighlight, clBtnShadow, cl3DDkShadow},
      {"sunken", EDGE_SUNKEN, BF_RECT, clBtnShadow, cl3DDkShadow, cl3DLight, clBtnHighlight},
      {"etched", EDGE_ETCHED, BF_RECT, clBtnShadow, clBtnHighlight, clBtnShadow, clBtnHighlight},
      {"bump", EDGE_BUMP, BF_RECT, cl3DLight, cl3DDkShadow, cl3DLight, cl3DDkShadow},
      {"raised soft", EDGE_RAISED, BF_RECT | BF_SOFT, clBtnHighlight, cl3DLight, clBtnShadow, cl3DDkShadow},
      {"flat", EDGE_SUNKEN, BF_RECT | BF_FLAT, clBtnShadow, clBtnFace, clBtnFace, clBtnShadow},
      {"mono", EDGE_SUNKEN, BF_RECT | BF_MONO, clWindowFrame, clWindow, clWindow, clWindowFrame},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.Name);
    TBitmap b(10, 8);
    FillRect(b.Canvas(), Rect(0, 0, 10, 8), clFuchsia);
    TRect r = Rect(0, 0, 10, 8);
    ASSERT_TRUE(DrawEdge(b.Canvas(), r, k.Edge, k.Flags));
    EXPECT_EQ(b.Pixel(0, 0), Sys(k.OuterTopLeft));
    EXPECT_EQ(b.Pixel(4, 0), Sys(k.OuterTopLeft));
    EXPECT_EQ(b.Pixel(0, 4), Sys(k.OuterTopLeft));
    EXPECT_EQ(b.Pixel(1, 1), Sys(k.InnerTopLeft));
    EXPECT_EQ(b.Pixel(9, 7), Sys(k.OuterBottomRight));
    EXPECT_EQ(b.Pixel(9, 0), Sys(k.OuterBottomRight)) << "upper right corner belongs to the right side";
    EXPECT_EQ(b.Pixel(0, 7), Sys(k.OuterBottomRight)) << "lower left corner belongs to the bottom";
    EXPECT_EQ(b.Pixel(8, 6), Sys(k.InnerBottomRight));
    EXPECT_EQ(b.Pixel(4, 4), clFuchsia) << "the middle stays";
    EXPECT_EQ(r, Rect(0, 0, 10, 8)) << "no BF_ADJUST";
  }
}

TEST_F(Edges, SidesMiddleAndAdjust) {
  TBitmap b(10, 10);
  FillRect(b.Canvas(), Rect(0, 0, 10, 10), clFuchsia);
  TRect r = Rect(0, 0, 10, 10);
  DrawEdge(b.Canvas(), r, BDR_RAISEDINNER, BF_TOP | BF_LEFT | BF_MIDDLE | BF_ADJUST);
  EXPECT_EQ(r, Rect(1, 1, 10, 10));
  EXPECT_EQ(b.Pixel(0, 0), Sys(clBtnHighlight));
  EXPECT_EQ(b.Pixel(9, 9), Sys(clBtnFace)) << "the middle is filled, no bottom edge";
  EXPECT_EQ(PixelsOf(b, clFuchsia).size(), 0u);
  r = Rect(0, 0, 10, 10);
  DrawEdge(b.Canvas(), r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  EXPECT_EQ(r, Rect(2, 2, 8, 8));
  EXPECT_FALSE(DrawEdge(b.Canvas(), r, 0x30, BF_RECT)) << "unknown edge bits";
  TRect tiny = Rect(0, 0, 1, 1), inverted = Rect(5, 5, 0, 0);
  EXPECT_TRUE(DrawEdge(b.Canvas(), tiny, EDGE_RAISED, BF_RECT | BF_ADJUST | BF_MIDDLE));
  EXPECT_TRUE(DrawEdge(b.Canvas(), inverted, EDGE_RAISED, BF_RECT | BF_MIDDLE));
}

TEST_F(Edges, FrameControlsDrawInsideTheirRectangleAndShowTheirState) {
  const struct {
    const char* Name;
    unsigned Type, Plain, Changed;
  } cases[] = {
      {"check box", DFC_BUTTON, DFCS_BUTTONCHECK, DFCS_BUTTONCHECK | DFCS_CHECKED},
      {"flat check box", DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_FLAT,
       DFCS_BUTTONCHECK | DFCS_FLAT | DFCS_CHECKED},
      {"inactive check box", DFC_BUTTON, DFCS_BUTTONCHECK, DFCS_BUTTONCHECK | DFCS_INACTIVE},
      {"radio", DFC_BUTTON, DFCS_BUTTONRADIO, DFCS_BUTTONRADIO | DFCS_CHECKED},
      {"push button", DFC_BUTTON, DFCS_BUTTONPUSH, DFCS_BUTTONPUSH | DFCS_PUSHED},
      {"combo button", DFC_SCROLL, DFCS_SCROLLCOMBOBOX, DFCS_SCROLLCOMBOBOX | DFCS_INACTIVE},
      {"scroll up and down", DFC_SCROLL, DFCS_SCROLLUP, DFCS_SCROLLDOWN},
      {"caption close", DFC_CAPTION, DFCS_CAPTIONCLOSE, DFCS_CAPTIONHELP},
      {"menu check", DFC_MENU, DFCS_MENUCHECK, DFCS_MENUBULLET},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.Name);
    auto render = [&](unsigned state) {
      TBitmap b(24, 24);
      FillRect(b.Canvas(), Rect(0, 0, 24, 24), clFuchsia);
      TRect r = Rect(4, 4, 20, 20);
      EXPECT_TRUE(DrawFrameControl(b.Canvas(), r, k.Type, state));
      return b;
    };
    const TBitmap plain = render(k.Plain), changed = render(k.Changed);
    EXPECT_FALSE(InkBounds(plain, clFuchsia).IsEmpty());
    const TRect ink = InkBounds(plain, clFuchsia);
    EXPECT_TRUE(ink.Left >= 4 && ink.Top >= 4 && ink.Right <= 20 && ink.Bottom <= 20)
        << Sketch(plain, clFuchsia);
    EXPECT_FALSE(SamePixels(plain, changed)) << "the state shows";
  }
  TBitmap b(8, 8);
  TRect r = Rect(0, 0, 8, 8);
  EXPECT_FALSE(DrawFrameControl(b.Canvas(), r, 99, 0));
  TRect empty = Rect(3, 3, 3, 3);
  EXPECT_TRUE(DrawFrameControl(b.Canvas(), empty, DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED));
  EXPECT_EQ(PixelsOf(b, clWhite).size(), 64u);
}

} // namespace
