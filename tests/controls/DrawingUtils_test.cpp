// Drawing utilities: gradients, button faces, colour arithmetic, buttons in their looks,
// transparent bitmaps, the down triangle and the wavy underline.
#include "DrawingUtilsTestSupport.h"

#include "controls/ProUtilDraw.h"
#include "platform/ui/Resources.h"
#include "tests/support/TempDir.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

struct TProbe {
  int X, Y;
  TColor Expected;
};

std::string Where(const TProbe& p) {
  return "(" + std::to_string(p.X) + ", " + std::to_string(p.Y) + ")";
}

void ExpectProbes(const TBitmap& b, const std::vector<TProbe>& probes, const std::string& name) {
  for (const TProbe& p : probes)
    EXPECT_EQ(b.Pixel(p.X, p.Y), p.Expected) << name << " at " << Where(p) << "\n" << Sketch(b);
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Gradients

TEST_F(DrawingTest, GradientCases) {
  const TColor end = RGB(200, 100, 40);
  struct TCase {
    const char* Name;
    TColor From, To;
    bool Horizontal;
    TRect Rect;
    int Steps;
    std::vector<TProbe> Probes;
  };
  const std::vector<TCase> cases = {
      {"one pixel high: both bands on the row, so it ends in the end colour",
       clBlack,
       clRed,
       false,
       {0, 0, 3, 1},
       16,
       {{0, 0, clRed}, {2, 0, clRed}, {1, 1, clWhite}}},
      {"five high, 16 asked: 4 steps, five bands of two overlapping by one",
       clBlack,
       end,
       false,
       {0, 0, 3, 5},
       16,
       {{1, 0, clBlack},
        {1, 1, RGB(50, 25, 10)},
        {1, 2, RGB(100, 50, 20)},
        {1, 3, RGB(150, 75, 30)},
        {1, 4, end},
        {1, 5, clWhite}}},
      {"horizontal runs left to right",
       clBlack,
       end,
       true,
       {0, 0, 5, 2},
       16,
       {{0, 0, clBlack}, {2, 1, RGB(100, 50, 20)}, {4, 0, end}, {5, 0, clWhite}}},
      {"fewer steps than pixels: bands of bandSize + 1",
       clBlack,
       RGB(90, 30, 0),
       false,
       {0, 0, 2, 10},
       3,
       {{0, 2, clBlack}, {0, 3, RGB(30, 10, 0)}, {0, 8, RGB(60, 20, 0)}, {0, 9, RGB(90, 30, 0)}}},
      {"bottom above top is swapped", clBlack, end, false, {0, 5, 3, 0}, 16, {{1, 0, clBlack}, {1, 4, end}}},
      {"no height draws nothing", clBlack, end, false, {0, 3, 3, 3}, 16, {{0, 3, clWhite}, {0, 2, clWhite}}},
      {"start clNone: solid in the end colour",
       clNone,
       clRed,
       false,
       {0, 0, 3, 3},
       16,
       {{0, 0, clRed}, {2, 2, clRed}}},
      {"end clNone: solid in the start colour",
       clBlue,
       clNone,
       true,
       {0, 0, 3, 3},
       16,
       {{0, 0, clBlue}, {2, 2, clBlue}}},
      {"both clNone draw nothing", clNone, clNone, false, {0, 0, 3, 3}, 16, {{1, 1, clWhite}}},
      {"system colours are resolved",
       clBtnFace,
       clBtnFace,
       false,
       {0, 0, 3, 3},
       4,
       {{1, 1, ColorToRGB(clBtnFace)}}},
      {"zero steps count as one", clBlack, clRed, false, {0, 0, 2, 4}, 0, {{0, 2, clBlack}, {0, 3, clRed}}},
  };
  for (const TCase& c : cases) {
    TBitmap b = Filled(12, 12);
    DrawGradient(b.Canvas(), c.From, c.To, c.Horizontal, c.Rect, c.Steps);
    ExpectProbes(b, c.Probes, c.Name);
  }
}

// ---------------------------------------------------------------------------------------------
// Colour arithmetic

TEST(ColorArithmetic, Cases) {
  struct TCase {
    const char* Name;
    std::function<TColor()> Compute;
    TColor Expected;
  };
  const std::vector<TCase> cases = {
      {"interpolating toward clNone gives the colour back unconverted",
       [] { return InterpolateColor(clBtnFace, clNone, 0, 3, 10); }, clBtnFace},
      {"interpolating half way rounds a tie to even",
       [] { return InterpolateColor(clBlack, clWhite, 0, 5, 10); }, RGB(128, 128, 128)},
      {"interpolating resolves system colours", [] { return InterpolateColor(clBtnFace, clBlack, 0, 0, 4); },
       ColorToRGB(clBtnFace)},
      // Mended: a scale without length used to divide by zero; it stays at its start.
      {"a scale without length stays at the start", [] { return InterpolateColor(clRed, clBlue, 3, 3, 3); },
       clRed},
      {"halving every channel", [] { return HalveColor(RGB(201, 100, 3)); }, RGB(100, 50, 1)},
      {"halving resolves system colours", [] { return HalveColor(clBtnFace); },
       RGB(GetRValue(ColorToRGB(clBtnFace)) / 2, GetGValue(ColorToRGB(clBtnFace)) / 2,
           GetBValue(ColorToRGB(clBtnFace)) / 2)},
      // Mended: 200 + 50 % used to wrap to 44, turning a lightened colour dark.
      {"lightening clamps at 255", [] { return ScaleColorPercent(RGB(200, 100, 0), 50); }, RGB(255, 150, 0)},
      {"lightening rounds ties to even", [] { return ScaleColorPercent(RGB(5, 3, 1), 50); }, RGB(8, 4, 2)},
      {"darkening by half", [] { return ScaleColorPercent(RGB(200, 100, 10), -50); }, RGB(100, 50, 5)},
      {"darkening beyond black clamps at 0", [] { return ScaleColorPercent(RGB(200, 100, 10), -150); },
       RGB(0, 0, 0)},
      {"scaling resolves system colours", [] { return ScaleColorPercent(clWindow, 0); },
       ColorToRGB(clWindow)},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(c.Compute(), c.Expected) << c.Name;
}

// ---------------------------------------------------------------------------------------------
// Segment button faces

TEST_F(DrawingTest, SegmentButtonFaceCases) {
  const TColor bg = RGB(10, 10, 10), edge = RGB(20, 20, 20), border = RGB(30, 30, 30), top = RGB(40, 40, 40),
               bottom = RGB(50, 50, 50), fill = RGB(200, 0, 0), fillTo = RGB(0, 0, 200),
               mirror = RGB(0, 200, 0), mirrorTo = RGB(0, 100, 100);
  struct TCase {
    const char* Name;
    int Kind;
    TColor ColorTo, Mirror;
    std::vector<TProbe> Probes;
  };
  // Face in (0, 0, 20, 12): worked on as (0, 0, 19, 10) with the middle at 5.
  const std::vector<TCase> cases = {
      {"whole button: rounded corners, edges, solid fill",
       skWhole,
       clNone,
       clNone,
       {{0, 0, bg},       {0, 10, bg},      {18, 0, bg},     {18, 10, bg}, {1, 0, edge},   {0, 1, edge},
        {1, 1, edge},     {17, 0, edge},    {18, 1, edge},   {1, 9, edge}, {17, 10, edge}, {10, 0, border},
        {10, 10, border}, {0, 5, border},   {18, 5, border}, {10, 1, top}, {1, 3, top},    {17, 3, top},
        {10, 9, bottom},  {1, 7, bottom},   {17, 7, bottom}, {2, 2, fill}, {10, 5, fill},  {16, 8, fill},
        {17, 5, bottom},  {5, 11, clWhite}, {19, 5, clWhite}}},
      {"middle segment: no vertical edges and no corner pixels, fill across the full width",
       skMiddle,
       clNone,
       clNone,
       {{0, 0, border},
        {18, 0, border},
        {0, 10, border},
        {1, 1, top},
        {0, 5, fill},
        {18, 5, fill},
        {0, 9, bottom}}},
      {"left end: rounded on the left only",
       skLeftEnd,
       clNone,
       clNone,
       {{0, 0, bg}, {0, 5, border}, {18, 0, border}, {18, 5, fill}}},
      {"right end: rounded on the right only",
       skRightEnd,
       clNone,
       clNone,
       {{0, 0, border}, {0, 5, fill}, {18, 0, bg}, {18, 5, border}}},
      {"one gradient from top to bottom", skWhole, fillTo, clNone, {{10, 2, fill}, {10, 8, fillTo}}},
      {"mirrored: upper half colour..colour-to, lower half mirror..mirror-to",
       skWhole,
       fillTo,
       mirror,
       {{10, 2, fill}, {10, 4, fillTo}, {10, 5, mirror}, {10, 8, mirrorTo}}},
  };
  for (const TCase& c : cases) {
    TBitmap b = Filled(22, 13);
    DrawSegmentButtonFace(b.Canvas(), Rect(0, 0, 20, 12), c.Kind, fill, c.ColorTo, c.Mirror, mirrorTo, bg,
                          edge, border, top, bottom);
    ExpectProbes(b, c.Probes, c.Name);
  }
}

TEST_F(DrawingTest, MirrorGradientRectCases) {
  const TColor from = RGB(200, 0, 0), to = RGB(0, 0, 200), mirror = RGB(0, 200, 0),
               mirrorTo = RGB(0, 100, 100), border = RGB(30, 30, 30);
  struct TCase {
    const char* Name;
    bool Fill, SideLines, Vertical;
    TColor ColorTo, Mirror, Border;
    std::vector<TProbe> Probes;
  };
  // Rectangle (2, 2, 8, 6).
  const std::vector<TCase> cases = {
      {"solid fill reaches one pixel lower",
       true,
       false,
       true,
       clNone,
       clNone,
       clNone,
       {{5, 2, from}, {5, 6, from}, {5, 7, clWhite}, {8, 4, clWhite}}},
      {"vertical gradient top to bottom", true, false, true, to, clNone, clNone, {{4, 2, from}, {4, 5, to}}},
      {"horizontal gradient left to right",
       true,
       false,
       false,
       to,
       clNone,
       clNone,
       {{2, 4, from}, {7, 4, to}}},
      {"mirror halves above each other",
       true,
       false,
       true,
       to,
       mirror,
       clNone,
       {{4, 2, from}, {4, 3, to}, {4, 4, mirror}, {4, 5, mirrorTo}}},
      {"mirror halves side by side",
       true,
       false,
       false,
       to,
       mirror,
       clNone,
       {{2, 3, from}, {4, 3, to}, {5, 3, mirror}, {7, 3, mirrorTo}}},
      {"no fill, framed",
       false,
       false,
       true,
       clNone,
       clNone,
       border,
       {{2, 2, border}, {7, 5, border}, {5, 4, clWhite}}},
      {"side lines only",
       false,
       true,
       true,
       clNone,
       clNone,
       border,
       {{2, 4, border}, {7, 4, border}, {4, 2, clWhite}, {4, 5, clWhite}}},
  };
  for (const TCase& c : cases) {
    TBitmap b = Filled(10, 10);
    DrawMirrorGradientRect(b.Canvas(), Rect(2, 2, 8, 6), from, c.Fill, c.SideLines, c.Border, c.Vertical,
                           mirrorTo, c.Mirror, c.ColorTo);
    ExpectProbes(b, c.Probes, c.Name);
  }
}

// ---------------------------------------------------------------------------------------------
// Buttons

namespace {

TColorTones SampleTones() {
  TColorTones t;
  t.Background = {RGB(10, 0, 0), RGB(11, 0, 0), RGB(12, 0, 0)};
  t.Hover = {RGB(20, 0, 0), RGB(21, 0, 0), RGB(22, 0, 0)};
  t.Selected = {RGB(30, 0, 0), RGB(31, 0, 0), RGB(32, 0, 0)};
  t.Disabled = {RGB(40, 0, 0), RGB(41, 0, 0), RGB(42, 0, 0)};
  t.Foreground = {RGB(50, 0, 0), RGB(51, 0, 0), RGB(52, 0, 0)};
  return t;
}

using TButtonRoutine = void (*)(TCanvas&, const TControl*, TRect, const TColorTones&, int, int);

TBitmap DrawButton(TButtonRoutine routine, int state, int style, int w = 40, int h = 20) {
  TBitmap b(w + 4, h + 4);
  b.Canvas().Brush().SetColor(clWhite);
  b.Canvas().FillRect(Rect(0, 0, w + 4, h + 4));
  routine(b.Canvas(), nullptr, Rect(0, 0, w, h), SampleTones(), state, style);
  return b;
}

} // namespace

TEST_F(DrawingTest, ToneButtonsTakeTheStatesTone) {
  const TColorTones t = SampleTones();
  const TColorTone* tone[] = {&t.Background, &t.Hover, &t.Selected, &t.Disabled};
  for (int state = btsNormal; state <= btsDisabled; ++state) {
    const TColor brush = tone[state]->BrushColor;
    SCOPED_TRACE("state " + std::to_string(state));

    TBitmap push = DrawButton(DrawPushButton, state, bdsTones, 30, 20);
    ExpectProbes(push,
                 {{15, 10, brush},
                  {0, 0, tone[state]->BorderColor},
                  {29, 19, tone[state]->BorderColor},
                  {30, 10, clWhite}},
                 "push button");

    // Drop-down: the last 17 pixels, one shorter at top and bottom, 2 to the left, then 3 in.
    TBitmap combo = DrawButton(DrawComboButton, state, bdsTones);
    ExpectProbes(combo,
                 {{30, 4, brush},
                  {37, 18, brush},
                  {38, 10, clWhite},
                  {23, 10, clWhite},
                  {30, 0, clWhite},
                  {25, 3, t.Background.BorderColor},
                  {32, 10, t.Background.TextColor}},
                 "drop-down button");

    // Spin: the last 15 pixels one up and left; mid at 9; black arrows.
    TBitmap spin = DrawButton(DrawSpinButtons, state, bdsTones);
    ExpectProbes(spin,
                 {{26, 6, brush},
                  {26, 15, brush},
                  {31, 3, clBlack},
                  {31, 12, clBlack},
                  {23, 5, clWhite},
                  {39, 5, clWhite}},
                 "spin buttons");
  }
}

TEST_F(DrawingTest, FrameControlLooksStayInTheirRectangleAndShowTheState) {
  for (TButtonRoutine routine : {DrawPushButton, DrawComboButton, DrawSpinButtons}) {
    for (int style : {bdsClassic, bdsFlat}) {
      TBitmap normal = DrawButton(routine, btsNormal, style);
      TBitmap disabled = DrawButton(routine, btsDisabled, style);
      EXPECT_FALSE(InkBounds(normal).IsEmpty());
      const TRect ink = InkBounds(normal);
      EXPECT_LE(ink.Right, 40);
      EXPECT_LE(ink.Bottom, 20);
      // A push frame has no glyph to grey; the arrows of the others are.
      if (routine != DrawPushButton) {
        EXPECT_FALSE(SamePixels(normal, disabled)) << "style " << style;
      }
    }
    EXPECT_FALSE(
        SamePixels(DrawButton(routine, btsNormal, bdsClassic), DrawButton(routine, btsNormal, bdsFlat)));
  }
  EXPECT_FALSE(SamePixels(DrawButton(DrawPushButton, btsNormal, bdsClassic),
                          DrawButton(DrawPushButton, btsPressed, bdsClassic)));
}

TEST_F(DrawingTest, ThemedPushButtonStatesRenderedToPng) {
  // The four states side by side, each 60 x 24 in a 64 x 28 cell of a light grey sheet.
  const TColor sheet = RGB(230, 230, 230);
  TBitmap b = Filled(4 * 64, 28, sheet);
  for (int state = btsNormal; state <= btsDisabled; ++state)
    DrawPushButton(b.Canvas(), nullptr, Bounds(state * 64 + 2, 2, 60, 24), SampleTones(), state, bdsThemed);
  TTempDir dir;
  const std::string path = dir.File("push-button-states.png");
  ASSERT_TRUE(b.SaveToFile(path));
  TBitmap png;
  ASSERT_TRUE(png.LoadFromFile(path));
  ASSERT_EQ(png.Width(), 4 * 64);

  std::vector<TBitmap> cells;
  for (int state = 0; state < 4; ++state) {
    TBitmap cell(64, 28);
    BitBlt(cell.Canvas(), 0, 0, 64, 28, &png.Canvas(), state * 64, 0, SRCCOPY);
    const TRect ink = InkBounds(cell, sheet);
    EXPECT_FALSE(ink.IsEmpty()) << "state " << state;
    // Drawn inside its rectangle, filling most of it.
    EXPECT_GE(ink.Left, 2);
    EXPECT_GE(ink.Top, 2);
    EXPECT_LE(ink.Right, 62);
    EXPECT_LE(ink.Bottom, 26);
    EXPECT_GE(ink.Width(), 50);
    EXPECT_GE(ink.Height(), 18);
    cells.push_back(std::move(cell));
  }
  // Normal, pressed and disabled look different; the pressed face is not the normal one.
  EXPECT_FALSE(SamePixels(cells[btsNormal], cells[btsPressed]));
  EXPECT_FALSE(SamePixels(cells[btsNormal], cells[btsDisabled]));
  EXPECT_FALSE(SamePixels(cells[btsPressed], cells[btsDisabled]));
  EXPECT_NE(cells[btsNormal].Pixel(32, 14), cells[btsPressed].Pixel(32, 14));
}

TEST_F(DrawingTest, ThemedComboAndSpinButtonsDrawAtTheRightEnd) {
  TBitmap combo = DrawButton(DrawComboButton, btsNormal, bdsThemed, 80, 22);
  const TRect comboInk = InkBounds(combo);
  ASSERT_FALSE(comboInk.IsEmpty());
  EXPECT_GE(comboInk.Left, 80 - 17 - 2);
  EXPECT_LE(comboInk.Right, 80 - 2);
  EXPECT_FALSE(SamePixels(combo, DrawButton(DrawComboButton, btsDisabled, bdsThemed, 80, 22)));

  TBitmap spin = DrawButton(DrawSpinButtons, btsNormal, bdsThemed, 80, 22);
  const TRect spinInk = InkBounds(spin);
  ASSERT_FALSE(spinInk.IsEmpty());
  EXPECT_GE(spinInk.Left, 80 - 15 - 1);
  EXPECT_LE(spinInk.Right, 80 - 1);
  // Two buttons: the halves differ from each other (up and down arrows).
  TBitmap up(15, 10), down(15, 10);
  BitBlt(up.Canvas(), 0, 0, 15, 10, &spin.Canvas(), 64, 0, SRCCOPY);
  BitBlt(down.Canvas(), 0, 0, 15, 10, &spin.Canvas(), 64, 10, SRCCOPY);
  EXPECT_FALSE(SamePixels(up, down));
}

// ---------------------------------------------------------------------------------------------
// Bitmaps, triangle, wavy underline, layered windows

TEST_F(DrawingTest, TransparentBitmapReplacesTheTopLeftColour) {
  const TColor key = RGB(255, 0, 255);
  TBitmap source(4, 3);
  source.Canvas().Brush().SetColor(key);
  source.Canvas().FillRect(Rect(0, 0, 4, 3));
  source.SetPixel(1, 1, clBlue);
  source.SetPixel(2, 1, clBlue);

  TBitmap b = Filled(10, 10);
  DrawTransparentBitmap(b.Canvas(), source, clLime, Rect(2, 2, 100, 100));
  ExpectProbes(
      b, {{2, 2, clLime}, {5, 4, clLime}, {3, 3, clBlue}, {4, 3, clBlue}, {6, 3, clWhite}, {2, 5, clWhite}},
      "background colour");

  TBitmap kept = Filled(10, 10, clYellow);
  DrawTransparentBitmap(kept.Canvas(), source, clNone, Rect(2, 2, 6, 5));
  ExpectProbes(kept, {{2, 2, clYellow}, {3, 3, clBlue}}, "clNone keeps what is below");
}

TEST_F(DrawingTest, BitmapResourceByName) {
  TBitmap b = Filled(20, 20);
  DrawBitmapResource(b.Canvas(), clYellow, Rect(1, 1, 20, 20), "CBX_BMP_UP");
  EXPECT_EQ(b.Pixel(1, 1), clYellow);
  EXPECT_EQ(InkBounds(b), Rect(1, 1, 14, 12)); // 13 x 11
  EXPECT_GT(CountColor(b, clBlack, Rect(1, 1, 14, 12)), 0);
  EXPECT_THROW(DrawBitmapResource(b.Canvas(), clYellow, Rect(0, 0, 5, 5), "NO_SUCH_BITMAP"), EResNotFound);
}

TEST_F(DrawingTest, DownTriangle) {
  TBitmap b = Filled(20, 12);
  DrawDownTriangle(b.Canvas(), 10, 5, clRed);
  ExpectProbes(b, {{10, 5, clRed}, {8, 5, clRed}, {10, 7, clRed}, {10, 9, clWhite}, {5, 5, clWhite}},
               "triangle");
  EXPECT_EQ(b.Canvas().Pen().Color(), clRed);
  EXPECT_EQ(b.Canvas().Brush().Color(), clRed);
}

TEST_F(DrawingTest, WavyUnderlineCases) {
  const std::string text = "abcdefgh";
  TFont font;
  font.SetName("Tahoma");
  font.SetHeight(-11);
  const int left = 10;
  struct TCase {
    const char* Name;
    int First, Count;
    int MinLeft, MaxLeft; // of the red ink
    int MinRight, MaxRight;
  };
  const int c2 = EditCharPos(font, text, 2).X, c5 = EditCharPos(font, text, 5).X,
            c7 = EditCharPos(font, text, 7).X, end = EditCharPos(font, text, 8).X;
  ASSERT_LT(c2, c5);
  const std::vector<TCase> cases = {
      {"under characters 2 to 4", 2, 3, left + c2 - 1, left + c2 + 1, left + EditCharPos(font, text, 4).X,
       left + EditCharPos(font, text, 4).X + 9},
      {"a range reaching the end stops 4 past the last character", 5, 10, left + c5 - 1, left + c5 + 1,
       left + c7 + 4, left + c7 + 4 + 9},
      {"a range starting past the end starts 4 past the text", 8, 2, left + end + 3, left + end + 5,
       left + end + 4, left + end + 4 + 12},
  };
  for (const TCase& c : cases) {
    TBitmap canvasBitmap = Filled(240, 30);
    canvasBitmap.Canvas().Font().Assign(font);
    DrawWavyUnderline(nullptr, canvasBitmap.Canvas(), text, c.First, c.Count, 2, Rect(left, 4, 230, 24));
    const TRect red = ColorBounds(canvasBitmap, clRed);
    ASSERT_FALSE(red.IsEmpty()) << c.Name;
    EXPECT_GE(red.Left, c.MinLeft) << c.Name;
    EXPECT_LE(red.Left, c.MaxLeft) << c.Name;
    EXPECT_GE(red.Right, c.MinRight) << c.Name;
    EXPECT_LE(red.Right, c.MaxRight) << c.Name;
    // Zig-zag between 3 below the offset line and the line itself (pen 2 wide).
    EXPECT_GE(red.Top, 4 + 2 - 1) << c.Name;
    EXPECT_LE(red.Bottom, 4 + 2 + 3 + 2) << c.Name;
    EXPECT_EQ(CountColor(canvasBitmap, clWhite, Rect(0, 0, left, 30)), left * 30) << c.Name;
  }
  TBitmap none = Filled(240, 30);
  DrawWavyUnderline(nullptr, none.Canvas(), text, 2, 0, 0, Rect(left, 4, 230, 24));
  EXPECT_TRUE(InkBounds(none).IsEmpty());
}

TEST(LayeredWindowCalls, AnswerTrueWhereThePlatformHasNone) {
  EXPECT_TRUE(CallSetLayeredWindowAttributes(nullptr, clBlack, 128, LWA_ALPHA));
  TBlendFunction blend;
  EXPECT_TRUE(CallUpdateLayeredWindow(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, clNone, &blend,
                                      ULW_ALPHA));
}
