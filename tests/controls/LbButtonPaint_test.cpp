// What the glow button draws, read back from the rendered window: face colours by state and while
// fading, caption shift and bold, grey disabled caption, glyph frames by state, caption cut to fit,
// see-through styles, borders and the drop-down arrow.
#include "LbButtonFixture.h"

#include "platform/Clock.h"
#include "platform/ui/Menus.h"

#include <functional>
#include <string>
#include <vector>

namespace {

class LbButtonPaintTest : public LbButtonTest {
protected:
  // The button as the window shows it (the form rendered, the button's area cut out).
  TBitmap Shot(TLbButton& b) {
    TBitmap whole = RenderPicture(Dialog());
    TBitmap part(b.Width(), b.Height());
    BitBlt(part.Canvas(), 0, 0, b.Width(), b.Height(), &whole.Canvas(), b.Left(), b.Top(), SRCCOPY);
    return part;
  }
  TColor Centre(TLbButton& b) { return Shot(b).Pixel(b.Width() / 2, b.Height() / 2); }
  // A fresh dialog with a plain button of its own, without caption or glyph.
  TLbButton& Plain(TLbButtonStyle style) {
    TLbButton* b = nullptr;
    Fresh([&](TFLbDialog& f) {
      b = f.Make("Btn_Test", 220, "", mrNone);
      b->SetStyle(style);
    });
    return *b;
  }
};

struct TInk {
  int Left = 1 << 20, Top = 1 << 20, Right = -1, Bottom = -1, Count = 0;
};
// Pixels of one colour inside the button, away from its two-pixel border.
TInk InkOf(const TBitmap& shot, TColor color) {
  TInk ink;
  for (int y = 2; y < shot.Height() - 2; ++y)
    for (int x = 2; x < shot.Width() - 2; ++x)
      if (shot.Pixel(x, y) == color) {
        ink.Left = std::min(ink.Left, x);
        ink.Top = std::min(ink.Top, y);
        ink.Right = std::max(ink.Right, x);
        ink.Bottom = std::max(ink.Bottom, y);
        ++ink.Count;
      }
  return ink;
}

// The pixels of one colour inside the button, row by row.
std::vector<TPoint> InkPixels(const TBitmap& shot, TColor color) {
  std::vector<TPoint> ink;
  for (int y = 2; y < shot.Height() - 2; ++y)
    for (int x = 2; x < shot.Width() - 2; ++x)
      if (shot.Pixel(x, y) == color) ink.push_back({x, y});
  return ink;
}
std::vector<TPoint> Shifted(std::vector<TPoint> points, int dx, int dy) {
  for (TPoint& p : points)
    p = {p.X + dx, p.Y + dy};
  return points;
}

// A strip of `frames` 12 x 12 frames, each a square of its own colour on the key colour.
const TColor FrameColors[] = {RGB(200, 0, 0), RGB(0, 160, 0), RGB(0, 0, 200), RGB(200, 200, 0)};
TBitmap Strip(int frames) {
  TBitmap strip(12 * frames, 12);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 12 * frames; ++x) {
      const bool edge = x % 12 == 0 || x % 12 == 11 || y == 0 || y == 11;
      strip.SetPixel(x, y, edge ? LbKeyColor : FrameColors[x / 12]);
    }
  return strip;
}

TEST_F(LbButtonPaintTest, FaceCentreFollowsHotAndPressedState) {
  struct Case {
    const char* name;
    std::function<void(TFLbDialog&, TLbButton&)> act;
    TColor expected;
  };
  const Case cases[] = {
      {"at rest", [](TFLbDialog&, TLbButton&) {}, LbFace},
      {"mouse over",
       [](TFLbDialog&, TLbButton& b) {
         Headless::MouseMove(b, {3, 3});
       },
       clYellow},
      {"focused only: the hot face follows the mouse", [](TFLbDialog&, TLbButton& b) { b.SetFocus(); },
       LbFace},
      {"pressed",
       [](TFLbDialog&, TLbButton& b) {
         Headless::MouseDown(b, {3, 3});
       },
       LbDown},
      {"pressed without a down colour: the hot face",
       [](TFLbDialog&, TLbButton& b) {
         b.SetColorWhenDown(clNone);
         Headless::MouseDown(b, {3, 3});
       },
       clYellow},
      {"mouse over without a hot colour",
       [](TFLbDialog&, TLbButton& b) {
         b.SetHotTrackColor(clNone);
         Headless::MouseMove(b, {3, 3});
       },
       LbFace},
      {"disabled under the mouse: no hot colour",
       [](TFLbDialog&, TLbButton& b) {
         Headless::MouseMove(b, {3, 3});
         b.SetEnabled(false);
       },
       LbFace},
      {"disabled while pressed: never looks pressed",
       [](TFLbDialog&, TLbButton& b) {
         b.SetHotTrackColor(clNone);
         Headless::MouseDown(b, {3, 3});
         b.SetEnabled(false);
       },
       LbFace},
      {"released", [](TFLbDialog&, TLbButton& b) { Headless::Click(b); }, clYellow},
      {"the mouse gone",
       [](TFLbDialog& f, TLbButton& b) {
         Headless::MouseMove(*f.E_Name, {3, 3});
       },
       LbFace},
      {"a system colour face",
       [](TFLbDialog&, TLbButton& b) {
         b.SetColor(clBtnFace);
         b.SetHotTrackColor(clNone);
         Headless::MouseMove(b, {3, 3});
       },
       ColorToRGB(clBtnFace)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto& f = Fresh();
    f.Btn_OK->SetCaption("");
    f.Btn_OK->SetModalResult(mrNone);
    c.act(f, *f.Btn_OK);
    EXPECT_EQ(ColorText(Centre(*f.Btn_OK)), ColorText(c.expected));
  }
}

TEST_F(LbButtonPaintTest, FadeBlendsTheFaceBackStepByStep) {
  TFakeClock clock;
  TScopedClock scoped(clock);
  auto& f = Dialog();
  TLbButton& b = *f.Btn_OK;
  b.SetCaption("");
  b.SetSlowDecease(true);
  Headless::MouseMove(b, {3, 3});
  Headless::MouseMove(*f.E_Name, {3, 3});
  std::vector<std::string> faces;
  for (int step = 8; step >= 0; --step) {
    faces.push_back(ColorText(Centre(b)));
    clock.Advance(30);
    Application->ProcessTimers();
  }
  EXPECT_EQ(faces[0], ColorText(clYellow)) << "the face stays hot until the first step";
  EXPECT_EQ(faces[2], "RGB(253, 253, 59)") << "6 eighths of the hot colour";
  EXPECT_EQ(faces[6], "RGB(250, 249, 178)") << "2 eighths of the hot colour";
  EXPECT_EQ(faces[8], ColorText(LbFace));
  for (std::size_t i = 1; i < faces.size(); ++i)
    EXPECT_NE(faces[i], faces[i - 1]) << "each step repaints a new face, step " << i;
}

TEST_F(LbButtonPaintTest, PressedEncartaCaptionIsBoldAndUnshiftedOtherStylesShift) {
  struct Case {
    TLbButtonStyle style;
    bool bold;
  };
  const Case cases[] = {{bsEncarta, true}, {bsNormal, false}, {bsModern, false}, {bsQuicken, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.style));
    TLbButton& b = Plain(c.style);
    b.SetCaption("Weiter");
    b.SetFocus(); // the press takes the focus: both pictures show it
    if (c.bold) b.Font().SetStyle(fsBold);
    const std::vector<TPoint> up = InkPixels(Shot(b), clBlack);
    b.Font().SetStyle(0);
    Headless::MouseDown(b, {3, 3});
    ASSERT_TRUE(b.Down());
    const std::vector<TPoint> down = InkPixels(Shot(b), clBlack);
    ASSERT_GT(up.size(), 20u);
    const int shift = c.bold ? 0 : 1;
    EXPECT_EQ(down, Shifted(up, shift, shift))
        << (c.bold ? "drawn as with a bold font, in place" : "the same caption one pixel right and down");
    Headless::MouseUp(b, {3, 3});
  }
}

TEST_F(LbButtonPaintTest, DisabledCaptionIsGreyExceptOnShapeButtons) {
  struct Case {
    TLbButtonStyle style;
    bool enabled;
    TColor ink;
  };
  const TColor grey = RGB(128, 128, 128);
  const Case cases[] = {{bsEncarta, true, clBlack},
                        {bsEncarta, false, grey},
                        {bsNormal, false, grey},
                        {bsModern, false, grey},
                        {bsShape, false, clBlack}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.style) + (c.enabled ? " enabled" : " disabled"));
    TLbButton& b = Plain(c.style);
    b.SetCaption("Weiter");
    b.SetEnabled(c.enabled);
    const TBitmap shot = Shot(b);
    EXPECT_GT(InkOf(shot, c.ink).Count, 10);
    EXPECT_EQ(InkOf(shot, c.ink == grey ? clBlack : grey).Count, 0);
  }
}

TEST_F(LbButtonPaintTest, GlyphFrameFollowsStateAndFrameCount) {
  enum TState { Rest, Disabled, Hot, Pressed };
  struct Case {
    int frames;
    int expected[4]; // frame shown at rest, disabled, hot, pressed
  };
  const Case cases[] = {
      {1, {0, 0, 0, 0}}, // one frame shows in every state, disabled too
      {2, {0, 1, 0, 0}},
      {3, {0, 1, 0, 2}},
      {4, {0, 1, 3, 2}},
  };
  const char* names[] = {"rest", "disabled", "hot", "pressed"};
  for (const auto& c : cases)
    for (TState state : {Rest, Disabled, Hot, Pressed}) {
      SCOPED_TRACE(std::to_string(c.frames) + " frames, " + names[state]);
      TLbButton& b = Plain(bsEncarta);
      auto& f = Dialog();
      const TBitmap strip = Strip(c.frames);
      b.SetGlyph(&strip);
      ASSERT_EQ(b.NumGlyphs(), c.frames);
      f.E_Name->SetFocus();
      if (state == Disabled) b.SetEnabled(false);
      if (state == Hot) Headless::MouseMove(b, {3, 3});
      if (state == Pressed) Headless::MouseDown(b, {3, 3});
      EXPECT_EQ(ColorText(Centre(b)), ColorText(FrameColors[c.expected[state]]));
    }
}

TEST_F(LbButtonPaintTest, GlyphSitsBesideTheCaptionAsLayoutAndAlignmentSay) {
  enum TSide { LeftOf, RightOf, Above, Below };
  struct Case {
    TLbButtonLayout layout;
    TAlignment alignment;
    TSide glyph;   // where the glyph is seen from the caption
    int glyphLeft; // first column of the frame's square, -1: not fixed
  };
  // 100 x 50 button, 12 x 12 frame whose square starts one pixel in.
  const Case cases[] = {
      {blGlyphLeft, taLeftJustify, LeftOf, 4 + 1},
      {blGlyphLeft, taCenter, LeftOf, -1},
      {blGlyphLeft, taRightJustify, LeftOf, -1},
      {blGlyphRight, taLeftJustify, RightOf, -1},
      {blGlyphRight, taRightJustify, RightOf, 100 - 4 - 12 + 1},
      {blGlyphTop, taCenter, Above, (100 - 12) / 2 + 1},
      {blGlyphTop, taLeftJustify, Above, 4 + 1},
      {blGlyphBottom, taRightJustify, Below, 100 - 12 - 4 + 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.layout) + " / " + std::to_string(c.alignment));
    TLbButton& b = Plain(bsEncarta);
    b.SetHeight(50);
    const TBitmap strip = Strip(1);
    b.SetGlyph(&strip);
    b.SetCaption("Go");
    b.SetLayout(c.layout);
    b.SetAlignment(c.alignment);
    const TBitmap shot = Shot(b);
    const TInk glyph = InkOf(shot, FrameColors[0]);
    const TInk text = InkOf(shot, clBlack);
    ASSERT_EQ(glyph.Count, 10 * 10);
    ASSERT_GT(text.Count, 10);
    switch (c.glyph) {
    case LeftOf:
      EXPECT_LT(glyph.Right, text.Left);
      break;
    case RightOf:
      EXPECT_GT(glyph.Left, text.Right);
      break;
    case Above:
      EXPECT_LT(glyph.Bottom, text.Top);
      break;
    case Below:
      EXPECT_GT(glyph.Top, text.Bottom);
      break;
    }
    if (c.glyph == LeftOf || c.glyph == RightOf) {
      EXPECT_EQ(glyph.Top, (50 - 12) / 2 + 1) << "centred in height";
    }
    if (c.glyphLeft >= 0) {
      EXPECT_EQ(glyph.Left, c.glyphLeft);
    }
  }
}

TEST_F(LbButtonPaintTest, KindGlyphShowsItsDisabledFrameWhenDisabled) {
  auto& f = Dialog();
  TLbButton& b = *f.Btn_OK;
  b.SetKind(bkOK);
  b.SetCaption("");
  const TBitmap enabled = Shot(b);
  b.SetEnabled(false);
  const TBitmap disabled = Shot(b);
  const TBitmap& strip = b.Glyph();
  const int gx = (b.Width() - 18) / 2, gy = (b.Height() - 18) / 2;
  int differing = 0, matching = 0;
  for (int y = 0; y < 18; ++y)
    for (int x = 0; x < 18; ++x) {
      if (strip.Pixel(x + 18, y) == strip.Pixel(0, 17)) continue; // see-through
      matching += disabled.Pixel(gx + x, gy + y) == strip.Pixel(x + 18, y);
      differing += enabled.Pixel(gx + x, gy + y) != disabled.Pixel(gx + x, gy + y);
    }
  EXPECT_GT(matching, 10) << "the second frame of the strip";
  EXPECT_GT(differing, 10);
}

TEST_F(LbButtonPaintTest, CaptionIsCutFromTheEndUntilItFits) {
  struct Case {
    const char* caption;
    int width;
    bool glyph;
  };
  const Case cases[] = {
      {"Configuration window", 76, false}, {"Configuration window", 96, true}, {"Schließen ß", 60, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.caption) + (c.glyph ? " with a glyph" : ""));
    TLbButton& b = Plain(bsEncarta);
    b.SetWidth(c.width);
    if (c.glyph) {
      const TBitmap strip = Strip(1);
      b.SetGlyph(&strip);
    }
    TBitmap measure(1, 1);
    measure.Canvas().Font().Assign(b.Font());
    const int width = c.width - 8 - (c.glyph ? 12 + 4 : 0);
    const std::string caption = c.caption;
    const std::string fitted = LbFitCaption(measure.Canvas(), caption, width);
    ASSERT_GT(fitted.size(), 1u);
    ASSERT_LT(fitted.size(), caption.size());
    ASSERT_EQ(caption.rfind(fitted, 0), 0u) << "a beginning of the caption";

    b.SetCaption(caption);
    const TBitmap whole = Shot(b);
    b.SetCaption(fitted);
    const TBitmap cut = Shot(b);
    b.SetCaption(fitted.substr(0, fitted.size() - 1));
    const TBitmap shorter = Shot(b);
    EXPECT_EQ(whole.SaveToBytes(), cut.SaveToBytes()) << "drawn as the cut caption, no ellipsis";
    EXPECT_NE(whole.SaveToBytes(), shorter.SaveToBytes()) << "cut no further than needed";
  }
}

TEST_F(LbButtonPaintTest, FitCaptionKeepsWholeCharactersAtEveryWidth) {
  TBitmap measure(1, 1);
  const std::string caption = "Schließen";
  for (int width = 0; width <= measure.Canvas().TextWidth(caption) + 1; ++width) {
    SCOPED_TRACE(width);
    const std::string fitted = LbFitCaption(measure.Canvas(), caption, width);
    ASSERT_EQ(caption.rfind(fitted, 0), 0u);
    EXPECT_LE(measure.Canvas().TextWidth(fitted), width);
    if (fitted.size() < caption.size()) {
      EXPECT_NE(static_cast<unsigned char>(caption[fitted.size()]) & 0xC0, 0x80) << "cut inside a character";
      std::size_t next = fitted.size() + 1;
      while (next < caption.size() && (static_cast<unsigned char>(caption[next]) & 0xC0) == 0x80)
        ++next;
      EXPECT_GT(measure.Canvas().TextWidth(caption.substr(0, next)), width) << "one more would still fit";
    }
  }
}

// The window's face draws its caption from the shaping made to measure it; a picture's face
// shapes it again to draw it. Both must give the same pixels.
TEST_F(LbButtonPaintTest, FaceOnTheWindowIsThePictureFacePixelForPixel) {
  struct Case {
    const char* caption;
    const char* font;
    int height;
    TFontStyles style;
    TAlignment alignment;
    bool wordWrap;
  };
  const Case cases[] = {
      {"New Configuration", "Verdana", -11, 0, taLeftJustify, false},
      {"&Open && close", "Verdana", -11, fsBold, taCenter, false},
      {"Schlie\xC3\x9F"
       "en \xE2\x82\xAC fi AV Wa",
       "Tahoma", -13, fsItalic, taRightJustify, false},
      {"Configuration window of the gateway", "Verdana", -11, 0, taCenter, false},
      {"Open the configuration of the gateway", "Courier New", -12, fsBold, taLeftJustify, true},
      {"Tabs\tand  double  blanks ", "Verdana", -32, 0, taCenter, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.caption);
    TLbButton& b = Plain(bsEncarta);
    b.SetBounds(110, 10, 200, 100);
    b.Font().SetName(c.font);
    b.Font().SetHeight(c.height);
    b.Font().SetStyle(c.style);
    b.SetAlignment(c.alignment);
    b.SetWordWrap(c.wordWrap);
    b.SetCaption(c.caption);
    TBitmap picture;
    b.PaintTo(picture);
    EXPECT_EQ(Shot(b).SaveToBytes(), picture.SaveToBytes());
  }
}

TEST_F(LbButtonPaintTest, WordWrapBreaksTheCaptionAndCentresTheBlock) {
  TLbButton& b = Plain(bsEncarta);
  b.SetBounds(220, 20, 76, 64);
  b.SetCaption("Open the configuration");
  const TInk single = InkOf(Shot(b), clBlack);
  b.SetWordWrap(true);
  const TInk wrapped = InkOf(Shot(b), clBlack);
  const int lineHeight = b.Canvas().TextHeight("Ag");
  EXPECT_LT(single.Bottom - single.Top, lineHeight) << "one line without WordWrap";
  EXPECT_GT(wrapped.Bottom - wrapped.Top, lineHeight) << "more lines with it";
  EXPECT_GT(wrapped.Count, single.Count);
  const int above = wrapped.Top, below = b.Height() - 1 - wrapped.Bottom;
  EXPECT_LE(std::abs(above - below), lineHeight / 2) << above << " above, " << below << " below";
}

TEST_F(LbButtonPaintTest, BordersAndSeeThroughStylesByState) {
  struct Case {
    const char* name;
    TLbButtonStyle style;
    std::function<void(TLbButton&)> act;
    TPoint at;
    TColor expected;
  };
  const TColor light = RGB(0, 200, 0), shadow = RGB(0, 0, 200);
  const Case cases[] = {
      {"normal: light top-left", bsNormal, {}, {0, 0}, light},
      {"normal: shadow bottom-right", bsNormal, {}, {99, 24}, shadow},
      {"normal pressed: colours swap",
       bsNormal,
       [](TLbButton& b) {
         Headless::MouseDown(b, {3, 3});
       },
       {0, 0},
       shadow},
      {"flat at rest: no border", bsNormal, [](TLbButton& b) { b.SetFlat(true); }, {0, 0}, LbFace},
      {"flat under the mouse: border",
       bsNormal,
       [](TLbButton& b) {
         b.SetFlat(true);
         Headless::MouseMove(b, {3, 3});
       },
       {0, 0},
       light},
      {"old: dark outer shadow", bsOld, {}, {99, 24}, ColorToRGB(cl3DDkShadow)},
      {"old: inner shadow", bsOld, {}, {98, 12}, shadow},
      {"old focused: black frame", bsOld, [](TLbButton& b) { b.SetFocus(); }, {0, 0}, clBlack},
      {"old focused: face one pixel in", bsOld, [](TLbButton& b) { b.SetFocus(); }, {1, 1}, light},
      {"modern: corner shows the window", bsModern, {}, {0, 0}, LbFormColor},
      {"quicken: corner shows the window", bsQuicken, {}, {0, 0}, LbFormColor},
      {"shape: face shows the window", bsShape, {}, {50, 12}, LbFormColor},
      {"shape: no focus frame", bsShape, [](TLbButton& b) { b.SetFocus(); }, {4, 12}, LbFormColor},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TLbButton& b = Plain(c.style);
    b.SetLightColor(light);
    b.SetShadowColor(shadow);
    b.SetHotTrackColor(clNone);
    b.SetColorWhenDown(clNone);
    Dialog().E_Name->SetFocus();
    if (c.act) c.act(b);
    EXPECT_EQ(ColorText(Shot(b).Pixel(c.at.X, c.at.Y)), ColorText(c.expected));
  }
}

TEST_F(LbButtonPaintTest, FocusedButtonShowsTheDottedFrame) {
  TLbButton& b = Plain(bsEncarta);
  Dialog().E_Name->SetFocus();
  const TBitmap before = Shot(b);
  b.SetFocus();
  const TBitmap after = Shot(b);
  int changed = 0;
  for (int y = 4; y < b.Height() - 4; ++y)
    changed += before.Pixel(4, y) != after.Pixel(4, y);
  EXPECT_GT(changed, 3) << "a dotted line at x = 4";
  EXPECT_EQ(before.Pixel(3, 12), after.Pixel(3, 12));
}

TEST_F(LbButtonPaintTest, AttachedMenuAddsTheArrowElevenPixelsFromTheRight) {
  TLbButton& b = Plain(bsEncarta);
  const int x = b.Width() - 11, y = b.Height() / 2 - 1;
  EXPECT_NE(Shot(b).Pixel(x + 2, y + 2), clBlack);
  b.SetPopupMenu(new TPopupMenu(&Dialog()));
  const TBitmap shot = Shot(b);
  for (int i = 0; i < 5; ++i)
    EXPECT_EQ(shot.Pixel(x + i, y), clBlack) << i;
  EXPECT_EQ(shot.Pixel(x + 2, y + 2), clBlack) << "the tip";
  EXPECT_EQ(ColorText(shot.Pixel(x, y + 2)), ColorText(LbFace)) << "the arrow's white is see-through";
}

} // namespace
