// Cell graphic painters: progress bar, pie, range indicator, level bar and the cell shapes.
#include "DrawingUtilsTestSupport.h"

#include "controls/CellPainters.h"
#include "tests/support/TempDir.h"

#include <string>
#include <vector>

namespace {

struct TProbe {
  int X, Y;
  TColor Expected;
};

const TColor FilledPart = RGB(0, 160, 0), Empty = RGB(230, 230, 230), FilledText = RGB(255, 255, 0),
             EmptyText = RGB(0, 0, 128), Border = RGB(90, 90, 90), Cell = RGB(250, 240, 200);

struct TBar {
  TBitmap Bitmap;
  int TextWidth = 0;
};

// A bar in (0, 0, 100, 20) with margins 2 on a cell-coloured bitmap; the inner bar is (2, 2, 98, 18).
TBar Bar(const std::string& format, int maximum, int minimum, double value, bool print = false,
         int height = 20) {
  TBar bar;
  bar.Bitmap.SetSize(104, height + 4);
  TCanvas& c = bar.Bitmap.Canvas();
  c.Font().SetName("Tahoma");
  c.Font().SetHeight(-11);
  c.Brush().SetColor(Cell);
  c.FillRect(Rect(0, 0, 104, height + 4));
  DrawProgressBar(c, Rect(0, 0, 100, height), FilledPart, print, Border, format, maximum, minimum, 2, 2,
                  value, EmptyText, Empty, FilledText);
  return bar;
}

int TextWidthOf(const std::string& text) {
  TCanvas measure;
  measure.Font().SetName("Tahoma");
  measure.Font().SetHeight(-11);
  return measure.TextWidth(text);
}

// Horizontal extent of the text (pixels of either text colour).
TRect TextInk(const TBitmap& b) {
  return PixelTools::BoundsWhere(b, PixelTools::Whole(b),
                                 [](TColor c) { return c == FilledText || c == EmptyText; });
}

} // namespace

TEST_F(DrawingTest, ProgressBarCases) {
  struct TCase {
    const char* Name;
    std::string Format;
    int Maximum, Minimum;
    double Value;
    std::string ExpectedText;
    int FilledRight; // first x of the empty part inside (2 .. 98)
  };
  const std::vector<TCase> cases = {
      {"without a format the value is the percentage and is limited to 100", "", 100, 0, 150, "150%", 98},
      {"with a format the value is placed between minimum and maximum", "%d items", 200, 0, 50, "50 items",
       26},
      {"a negative percentage fills nothing", "", 100, 0, -20, "-20%", 2},
      {"a real format gets the real value", "%.1f kWh", 100, 0, 12.34, "12.3 kWh", 14},
      // Mended: any "d" in the pattern used to pick a whole-number argument and break "%.0f".
      {"a real conversion stays real beside a d", "%.0f done", 10, 0, 5, "5 done", 50},
      // Mended: a scale without length divided by zero; it is full once the value reaches it.
      {"a scale without length is full at its value", "%d", 5, 5, 5, "5", 98},
      {"a scale without length is empty below it", "%d", 5, 5, 4, "4", 2},
      {"a pattern that does not fit is shown as it stands", "%s pieces", 10, 0, 5, "%s pieces", 50},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TBar bar = Bar(c.Format, c.Maximum, c.Minimum, c.Value);
    const TBitmap& b = bar.Bitmap;
    // Frames: the border colour, then the cell's own background around it.
    EXPECT_EQ(b.Pixel(1, 1), Border);
    EXPECT_EQ(b.Pixel(98, 10), Border);
    EXPECT_EQ(b.Pixel(0, 0), Cell);
    EXPECT_EQ(b.Pixel(99, 19), Cell);
    // Fill up to FilledRight, empty after it (probed at the top row, clear of the text).
    if (c.FilledRight > 2) {
      EXPECT_EQ(b.Pixel(2, 2), FilledPart);
      EXPECT_EQ(b.Pixel(c.FilledRight - 1, 2), FilledPart);
    }
    if (c.FilledRight < 98) {
      EXPECT_EQ(b.Pixel(c.FilledRight, 2), Empty);
      EXPECT_EQ(b.Pixel(97, 2), Empty);
    }
    // The text, centred, as wide as the expected text.
    const TRect ink = TextInk(b);
    ASSERT_FALSE(ink.IsEmpty());
    const int width = TextWidthOf(c.ExpectedText);
    EXPECT_NEAR(ink.Width(), width, 3);
    EXPECT_NEAR(ink.Left + ink.Width() / 2.0, 50, 3);
    // Text colour follows the part it lies on.
    for (int y = 0; y < b.Height(); ++y)
      for (int x = 0; x < b.Width(); ++x) {
        if (b.Pixel(x, y) == FilledText) {
          EXPECT_LT(x, c.FilledRight);
        }
        if (b.Pixel(x, y) == EmptyText) {
          EXPECT_GE(x, c.FilledRight);
        }
      }
  }
}

TEST_F(DrawingTest, ProgressBarTextForPrintingSitsLower) {
  // The print canvas's vertical axis runs the other way, so the text is placed below the middle.
  const TRect screen = TextInk(Bar("", 100, 0, 40, false, 60).Bitmap);
  const TRect print = TextInk(Bar("", 100, 0, 40, true, 60).Bitmap);
  ASSERT_FALSE(screen.IsEmpty());
  ASSERT_FALSE(print.IsEmpty());
  EXPECT_GT(print.Top, screen.Top);
}

TEST_F(DrawingTest, ProgressBarSampleRenderedToPng) {
  TBitmap sheet = Bar("%d%%", 100, 0, 60).Bitmap;
  TTempDir dir;
  const std::string path = dir.File("progress-bar.png");
  ASSERT_TRUE(sheet.SaveToFile(path));
  TBitmap png;
  ASSERT_TRUE(png.LoadFromFile(path));
  EXPECT_EQ(png.Width(), 104);
  EXPECT_EQ(png.Height(), 24);
  EXPECT_EQ(ColorBounds(png, Border), Rect(1, 1, 99, 19));
  EXPECT_EQ(png.Pixel(2, 17), FilledPart);
  EXPECT_EQ(png.Pixel(59, 17), FilledPart); // 60 % of 96 is 57.6, so the fill ends at 2 + 58
  EXPECT_EQ(png.Pixel(60, 17), Empty);
  EXPECT_NEAR(TextInk(png).Width(), TextWidthOf("60%"), 3);
}

// ---------------------------------------------------------------------------------------------

TEST_F(DrawingTest, ProgressPieCases) {
  const TColor fill = RGB(200, 0, 0), grey = RGB(128, 128, 128);
  struct TCase {
    const char* Name;
    int Percentage;
    std::vector<std::pair<int, int>> FilledAt, EmptyAt;
  };
  // Circle in (0, 0, 41, 41), centre (20, 20).
  const std::vector<TCase> cases = {
      {"0 % fills nothing", 0, {}, {{30, 10}, {30, 30}, {10, 30}, {10, 10}}},
      {"25 % is the upper right quarter", 25, {{30, 10}, {25, 5}}, {{30, 30}, {10, 30}, {10, 10}}},
      {"50 % is the right half", 50, {{30, 10}, {30, 30}}, {{10, 30}, {10, 10}}},
      {"75 % leaves the upper left quarter", 75, {{30, 10}, {30, 30}, {10, 30}}, {{10, 10}}},
      {"100 % fills the circle", 100, {{30, 10}, {30, 30}, {10, 30}, {10, 10}}, {}},
      // Mended: a thin sector used to flood the rest of the circle from its fixed seed.
      {"1 % stays a sliver", 1, {}, {{30, 10}, {30, 30}, {10, 30}, {10, 10}, {22, 6}}},
  };
  for (const TCase& c : cases) {
    for (bool print : {false, true}) {
      TBitmap b = Filled(44, 44);
      DrawProgressPie(b.Canvas(), Rect(0, 0, 41, 41), fill, print, c.Percentage);
      const std::string name = std::string(c.Name) + (print ? " (print)" : "");
      for (auto [x, y] : c.FilledAt)
        EXPECT_EQ(b.Pixel(x, y), fill) << name << " at " << x << "," << y << "\n" << Sketch(b);
      for (auto [x, y] : c.EmptyAt)
        EXPECT_EQ(b.Pixel(x, y), clWhite) << name << " at " << x << "," << y << "\n" << Sketch(b);
      EXPECT_EQ(b.Pixel(20, 10), grey) << name << ": the twelve o'clock radius";
      EXPECT_EQ(CountColor(b, fill, Rect(41, 0, 44, 44)) + CountColor(b, fill, Rect(0, 41, 44, 44)), 0)
          << name;
      if (c.Percentage == 1) {
        EXPECT_LT(CountColor(b, fill, Rect(0, 0, 41, 41)), 40) << name;
      }
    }
  }
}

// ---------------------------------------------------------------------------------------------

TEST_F(DrawingTest, RangeIndicatorCases) {
  const TColor pos = RGB(0, 0, 200), neg = RGB(200, 0, 0);
  struct TCase {
    const char* Name;
    int Value, Range;
    std::vector<TProbe> Probes;
  };
  // (0, 0, 44, 10) shrinks to (2, 2, 42, 8): half 20, middle at x 22.
  const std::vector<TCase> cases = {
      {"-5 of 10 fills the quarter left of the middle",
       -5,
       10,
       {{12, 5, neg}, {21, 5, neg}, {11, 5, clWhite}, {22, 5, clWhite}, {15, 2, neg}, {15, 8, clWhite}}},
      {"+5 of 10 fills the quarter right of the middle",
       5,
       10,
       {{22, 5, pos}, {31, 5, pos}, {32, 5, clWhite}}},
      {"values beyond the range are limited", 15, 10, {{41, 5, pos}, {42, 5, clWhite}}},
      {"-15 of 10 reaches the left end", -15, 10, {{2, 5, neg}, {1, 5, clWhite}}},
      {"0 draws nothing", 0, 10, {{22, 5, clWhite}, {21, 5, clWhite}}},
      // Mended: a range of 0 divided by zero; nothing is drawn.
      {"a range of 0 draws nothing", 5, 0, {{22, 5, clWhite}, {30, 5, clWhite}}},
  };
  for (const TCase& c : cases) {
    TBitmap b = Filled(46, 12);
    DrawRangeIndicator(b.Canvas(), Rect(0, 0, 44, 10), c.Value, pos, neg, false, c.Range);
    for (const TProbe& p : c.Probes)
      EXPECT_EQ(b.Pixel(p.X, p.Y), p.Expected) << c.Name << " at " << p.X << "," << p.Y;
  }
  TBitmap b = Filled(46, 12);
  DrawRangeIndicator(b.Canvas(), Rect(0, 0, 44, 10), 3, pos, neg, true, 10);
  EXPECT_EQ(b.Canvas().BkMode(), TRANSPARENT);
}

// ---------------------------------------------------------------------------------------------

namespace {

const TColor L0 = RGB(200, 0, 0), L1 = RGB(0, 200, 0), L2 = RGB(0, 0, 200), L3 = RGB(200, 200, 0),
             Back = RGB(255, 255, 255), Frame = RGB(60, 60, 60);

TLevelProgressParams LevelParams() {
  TLevelProgressParams p;
  p.Level0Color = L0;
  p.Level1Color = L1;
  p.Level2Color = L2;
  p.Level3Color = L3;
  p.Level0ColorTo = p.Level1ColorTo = p.Level2ColorTo = p.Level3ColorTo = clNone;
  p.Level1Perc = 70;
  p.Level2Perc = 90;
  p.BorderColor = Frame;
  p.ShowBorder = true;
  p.Stacked = false;
  p.ShowPercentage = false;
  p.CompletionSmooth = true;
  p.ShowGradient = false;
  p.Steps = 4;
  p.UnCompleteColor = Back;
  p.Font.SetName("Tahoma");
  p.Font.SetHeight(-11);
  p.CompleteFontColor = RGB(1, 2, 3);
  return p;
}

// A horizontal bar (0, 0, 102, 12): its length is 100, so a percentage is a pixel count.
TBitmap LevelBar(int percentage, const TLevelProgressParams& p, TRect rect = Rect(0, 0, 102, 12)) {
  TBitmap b(rect.Right + 2, rect.Bottom + 2);
  b.Canvas().Brush().SetColor(clSilver);
  b.Canvas().FillRect(Rect(0, 0, b.Width(), b.Height()));
  DrawLevelProgressBar(b.Canvas(), rect, percentage, p);
  return b;
}

} // namespace

TEST_F(DrawingTest, LevelBarBlocksCases) {
  struct TCase {
    const char* Name;
    int Percentage;
    std::vector<int> FilledX, BackX;
  };
  // Blocks of 7 with gaps of 2 from offset 2, probed at y 6 (blocks span y 2 .. 9).
  const std::vector<TCase> cases = {
      {"t = 9: one block of 8", 9, {2, 9}, {1, 10}},
      {"t = 20: two full blocks and no partial one (20 mod 9 = 2)", 20, {2, 8, 11, 17}, {9, 10, 18, 20, 21}},
      {"t = 23: a partial block of 4 after two full ones", 23, {2, 11, 17, 20, 23}, {9, 18, 19, 24}},
      {"t = 5: one block of 4", 5, {2, 5}, {6}},
      {"t = 1: no block", 1, {}, {1, 2, 3}},
      {"0: nothing", 0, {}, {2, 5}},
  };
  TLevelProgressParams p = LevelParams();
  p.CompletionSmooth = false;
  for (const TCase& c : cases) {
    TBitmap b = LevelBar(c.Percentage, p);
    for (int x : c.FilledX)
      EXPECT_EQ(b.Pixel(x, 6), L0) << c.Name << " at x " << x;
    for (int x : c.BackX)
      EXPECT_EQ(b.Pixel(x, 6), Back) << c.Name << " at x " << x;
    EXPECT_EQ(b.Pixel(5, 1), Back) << c.Name << ": blocks keep 2 pixels from the frame";
    EXPECT_EQ(b.Pixel(0, 0), Frame) << c.Name;
  }
}

TEST_F(DrawingTest, LevelBarColourAndStackCases) {
  struct TCase {
    const char* Name;
    bool Stacked;
    int Level1, Level2, Percentage;
    std::vector<std::pair<int, TColor>> Probes; // x at y 6
  };
  const std::vector<TCase> cases = {
      {"below level 1: level 0 colour", false, 70, 90, 50, {{1, L0}, {50, L0}, {51, Back}}},
      {"below level 2: level 1 colour", false, 70, 90, 75, {{1, L1}, {75, L1}, {76, Back}}},
      {"from level 2: level 2 colour", false, 70, 90, 95, {{1, L2}, {95, L2}}},
      {"at 100: level 3 colour", false, 70, 90, 100, {{1, L3}, {100, L3}}},
      {"stacked: level 0, level 1, then the level 3 colour",
       true,
       50,
       75,
       80,
       {{1, L0}, {50, L0}, {51, L1}, {75, L1}, {76, L3}, {80, L3}, {81, Back}}},
      {"stacked at 100: the last part takes the rest", true, 50, 75, 100, {{76, L3}, {100, L3}}},
      {"stacked below level 1: only level 0", true, 50, 75, 30, {{30, L0}, {31, Back}}},
      {"never past the frame", false, 70, 90, 150, {{100, L3}, {101, Frame}, {102, clSilver}}},
  };
  for (const TCase& c : cases) {
    TLevelProgressParams p = LevelParams();
    p.Stacked = c.Stacked;
    p.Level1Perc = c.Level1;
    p.Level2Perc = c.Level2;
    TBitmap b = LevelBar(c.Percentage, p);
    for (auto [x, color] : c.Probes)
      EXPECT_EQ(b.Pixel(x, 6), color) << c.Name << " at x " << x;
  }
}

TEST_F(DrawingTest, LevelBarVerticalStackGrowsUpward) {
  TLevelProgressParams p = LevelParams();
  p.Stacked = true;
  p.Vertical = true;
  p.Level1Perc = 50;
  p.Level2Perc = 75;
  TBitmap b = LevelBar(80, p, Rect(0, 0, 12, 102));
  // Level 0: y 51 .. 100; level 1: y 26 .. 50; one pixel left out; level 3: y 20 .. 24.
  const std::vector<std::pair<int, TColor>> probes = {{100, L0},  {51, L0}, {50, L1}, {26, L1},
                                                      {25, Back}, {24, L3}, {20, L3}, {19, Back}};
  for (auto [y, color] : probes)
    EXPECT_EQ(b.Pixel(6, y), color) << "at y " << y;
}

TEST_F(DrawingTest, LevelBarGradientIsMirroredAcrossTheBar) {
  TLevelProgressParams p = LevelParams();
  p.ShowGradient = true;
  p.Level0ColorTo = RGB(0, 0, 255);
  TBitmap b = LevelBar(50, p);
  // Part (1, 1, 51, 11): upper half colour-to .. colour, lower half colour .. colour-to.
  EXPECT_EQ(b.Pixel(20, 1), RGB(0, 0, 255));
  EXPECT_EQ(b.Pixel(20, 5), L0);
  EXPECT_EQ(b.Pixel(20, 6), L0);
  EXPECT_EQ(b.Pixel(20, 10), RGB(0, 0, 255));
}

TEST_F(DrawingTest, LevelBarPercentageText) {
  TLevelProgressParams p = LevelParams();
  p.ShowPercentage = true;
  TBitmap horizontal = LevelBar(40, p, Rect(0, 0, 102, 20));
  const TRect ink = ColorBounds(horizontal, p.CompleteFontColor);
  ASSERT_FALSE(ink.IsEmpty());
  EXPECT_NEAR(ink.Left + ink.Width() / 2.0, 51, 3);
  EXPECT_GT(ink.Width(), ink.Height());

  p.Vertical = true;
  TBitmap vertical = LevelBar(40, p, Rect(0, 0, 20, 102));
  const TRect turned = ColorBounds(vertical, p.CompleteFontColor);
  ASSERT_FALSE(turned.IsEmpty());
  EXPECT_GT(turned.Height(), turned.Width()); // the text reads upward
  EXPECT_NEAR(turned.Top + turned.Height() / 2.0, 51, 3);
  EXPECT_NEAR(turned.Left + turned.Width() / 2.0, 10, 3);
}

// ---------------------------------------------------------------------------------------------

TEST_F(DrawingTest, CellShapeCases) {
  const TColor fill = RGB(220, 0, 0);
  struct TCase {
    int Shape;
    int Width, Height;
    std::vector<std::pair<int, int>> Inside, Outside;
  };
  // Box at (5, 5); inside points are filled, outside points untouched.
  const std::vector<TCase> cases = {
      {csRectangle, 30, 30, {{20, 20}, {7, 7}}, {{5, 5}, {34, 20}}},
      {csCircle, 30, 20, {{15, 15}}, {{6, 6}, {30, 15}}}, // 20 x 20
      {csTriangleLeft, 30, 30, {{30, 20}}, {{8, 8}, {8, 32}}},
      {csTriangleRight, 30, 30, {{10, 20}}, {{32, 8}, {32, 32}}},
      {csTriangleUp, 30, 30, {{20, 30}}, {{8, 8}, {32, 8}}},
      {csTriangleDown, 30, 30, {{20, 10}}, {{8, 32}, {32, 32}}},
      {csDiamond, 30, 30, {{20, 20}}, {{7, 7}, {33, 33}}},
      {csRoundRect, 30, 30, {{20, 20}, {7, 20}}, {{5, 5}}},
      {csEllips, 30, 20, {{20, 15}}, {{6, 6}, {33, 24}}},
      {csSquare, 30, 20, {{15, 15}}, {{28, 15}}},      // 20 x 20
      {csRoundSquare, 20, 30, {{15, 15}}, {{15, 30}}}, // 20 x 20
      {csStar, 30, 30, {{20, 20}, {20, 8}}, {{6, 6}, {33, 33}, {30, 12}}},
      {csArrowUp, 30, 30, {{20, 10}, {20, 32}}, {{8, 30}, {32, 30}}},
      {csArrowDown, 30, 30, {{20, 30}, {20, 8}}, {{8, 8}, {32, 8}}},
      {csArrowLeft, 30, 30, {{10, 20}, {32, 20}}, {{30, 8}, {30, 32}}},
      {csArrowRight, 30, 30, {{30, 20}, {8, 20}}, {{8, 8}, {8, 32}}},
      {csHalfStar, 30, 30, {{15, 20}}, {{28, 20}, {25, 10}}},
  };
  for (const TCase& c : cases) {
    TBitmap b = Filled(40, 40);
    DrawCellShape(b.Canvas(), 5, 5, clBlack, fill, c.Shape, c.Height, c.Width);
    for (auto [x, y] : c.Inside)
      EXPECT_EQ(b.Pixel(x, y), fill) << "shape " << c.Shape << " at " << x << "," << y << "\n" << Sketch(b);
    for (auto [x, y] : c.Outside)
      EXPECT_EQ(b.Pixel(x, y), clWhite) << "shape " << c.Shape << " at " << x << "," << y << "\n"
                                        << Sketch(b);
  }
  // The lines are one pixel wide.
  for (int shape : {csLineVert, csLineHorz}) {
    TBitmap b = Filled(40, 40);
    DrawCellShape(b.Canvas(), 5, 5, clBlack, fill, shape, 30, 30);
    EXPECT_EQ(InkBounds(b), shape == csLineVert ? Rect(20, 5, 21, 35) : Rect(5, 20, 35, 21))
        << "shape " << shape;
  }
  for (int shape : {19, 25, -1}) {
    TBitmap b = Filled(40, 40);
    DrawCellShape(b.Canvas(), 5, 5, clBlack, fill, shape, 30, 30);
    EXPECT_TRUE(InkBounds(b).IsEmpty()) << "shape " << shape;
  }
}
