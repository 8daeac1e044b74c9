// Tab painting: the strip, the page border and margin, tab shapes in both styles, captions,
// images, close buttons, hover, skins, and the gradient of a page.
#include "PageControlTestSupport.h"

#include "platform/ui/ImageList.h"
#include "tests/support/ControlPicture.h"

#include <functional>
#include <string>
#include <vector>

namespace {

struct TProbe {
  int X, Y;
  TColor Expected;
};

const TColor Cream = RGB(248, 247, 237);
const TColor Grey = RGB(128, 128, 128);

} // namespace

class PageControlPaintTest : public PageControlTest {
protected:
  void SetUp() override {
    PageControlTest::SetUp();
    PC->SetColor(RGB(236, 233, 216));
    PC->SetTabBorderColor(RGB(60, 60, 60));
    PC->SetTabSheetBorderColor(RGB(90, 90, 90));
    PC->SetTabBackGroundColor(RGB(200, 210, 220));
    for (TProTabSheet* s : Sheets)
      s->SetColor(PC->Color());
  }

  // The one instance of the program: left tabs in the dotted-net style.
  void NetworkWindowLook() {
    PC->SetBounds(10, 10, 300, 500);
    PC->SetTabPosition(tpLeft);
    PC->SetTabStyle(tsDotNet);
    PC->SetMultiLine(true);
    PC->Font().SetName("Verdana");
    PC->Font().SetHeight(-13);
    PC->ActiveFont().SetName("Verdana");
    PC->ActiveFont().SetHeight(-13);
    PC->SetDefaultTabColor(Cream);
    PC->SetTabBackGroundColor(Cream);
    PC->SetActiveColor(clSkyBlue);
    PC->TabMargin().SetTopMargin(10);
    PC->TabMargin().SetRightMargin(20);
    PC->SetTabOverlap(0);
    PC->SetLowerActive(0);
    for (TProTabSheet* s : Sheets) {
      s->SetColor(Cream);
      s->SetTabColor(Cream);
    }
  }
};

TEST_F(PageControlPaintTest, LeftDotNetTabsSeparatorsAndColours) {
  NetworkWindowLook();
  struct TCase {
    int Active;
    std::vector<bool> Separator; // per page
  };
  // Every inactive tab has the double line except the one right above the active tab; the lowest
  // always has it.
  const std::vector<TCase> cases = {
      {1, {false, false, true}}, {0, {false, true, true}}, {2, {true, false, false}}};
  for (const TCase& c : cases) {
    PC->SetActivePage(Sheets[static_cast<std::size_t>(c.Active)]);
    TBitmap b = PaintArea();
    for (int i = 0; i < 3; ++i) {
      SCOPED_TRACE("active " + std::to_string(c.Active) + ", tab " + std::to_string(i));
      const TRect r = TabRectOf(Sheets[static_cast<std::size_t>(i)]);
      const bool active = i == c.Active;
      EXPECT_EQ(b.Pixel(r.Left + 3, r.Top + 3), active ? clSkyBlue : Cream);
      if (active) continue;
      const bool separator = c.Separator[static_cast<std::size_t>(i)] && i != c.Active;
      for (int y : {r.Bottom - 2, r.Bottom - 3})
        EXPECT_EQ(b.Pixel(r.Left + 4, y), separator ? clSkyBlue : Cream) << "y " << y;
      // The inactive tab's line on the page side.
      EXPECT_EQ(b.Pixel(r.Right, r.Top + 5), PC->TabBorderColor());
    }
    // The active tab is open toward the page.
    const TRect a = TabRectOf(Sheets[static_cast<std::size_t>(c.Active)]);
    EXPECT_EQ(b.Pixel(a.Right, a.Top + 5), Cream);
  }
  // Captions read upward: their ink is taller than wide.
  TBitmap b = PaintArea();
  const TRect caption = ColorBounds(b, clBlack, TabRectOf(Sheets[0]));
  ASSERT_FALSE(caption.IsEmpty());
  EXPECT_GT(caption.Height(), 2 * caption.Width());
  EXPECT_LE(caption.Bottom, TabRectOf(Sheets[0]).Bottom - 4 - 10 + 1); // above the top margin
}

TEST_F(PageControlPaintTest, PageMarginAndBorderCases) {
  const int W = PC->Width(), H = PC->Height();
  struct TCase {
    const char* Name;
    TColor PageColor, PageColorTo;
    std::vector<TProbe> Probes;
  };
  const TColor control = ColorToRGB(PC->Color()), border = PC->TabSheetBorderColor(),
               page = RGB(255, 250, 200);
  const int top = PC->DisplayRect().Top - 4; // the strip's lower edge
  const std::vector<TCase> cases = {
      {"a page in the control's colour leaves the margin alone and gets an inner border line",
       PC->Color(),
       clNone,
       {{2, 100, clWhite},
        {W - 3, 100, clWhite},
        {10, H - 1, border},
        {10, H - 2, control},
        {W - 2, 100, control},
        {0, 100, border},
        {CentreOf(TabRectOf(Sheets[0])).X, top, control}}}, // the active tab joins the page
      {"a page of its own colour spreads it to the control's edges",
       page,
       clNone,
       {{2, 100, page},
        {W - 3, 100, page},
        {100, H - 3, page},
        {150, top + 2, page},
        {100, 100, clWhite},
        {10, H - 1, border},
        {10, H - 2, page}}},
      {"a page gradient reaches the margin, its top band solid",
       page,
       RGB(0, 0, 255),
       {{150, top + 2, page}, {100, 100, clWhite}}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Sheets[0]->SetColor(c.PageColor);
    Sheets[0]->SetColorTo(c.PageColorTo);
    TBitmap b = PaintArea();
    for (const TProbe& p : c.Probes)
      EXPECT_EQ(b.Pixel(p.X, p.Y), p.Expected) << "at " << p.X << "," << p.Y;
    if (c.PageColorTo != clNone) {
      // Lower down the side bands the gradient has moved toward the end colour.
      EXPECT_GT(GetBValue(b.Pixel(2, H - 10)), GetBValue(b.Pixel(2, top + 10)));
    }
  }
}

TEST_F(PageControlPaintTest, SingleRowLeavesTheArrowAreaInTheControlColour) {
  TBitmap b = PaintArea();
  const int strip = PC->DisplayRect().Top - 4;
  const TColor control = ColorToRGB(PC->Color());
  EXPECT_EQ(b.Pixel(PC->Width() - 10, 5), control);
  EXPECT_EQ(b.Pixel(PC->Width() - 34, strip - 2), control);
  EXPECT_EQ(b.Pixel(PC->Width() - 40, 5), PC->TabBackGroundColor());
  PC->SetMultiLine(true);
  EXPECT_EQ(PaintArea().Pixel(PC->Width() - 10, 5), PC->TabBackGroundColor());
}

TEST_F(PageControlPaintTest, ClassicTabsOutlinesAndJoin) {
  PC->SetActivePage(Sheets[1]);
  TBitmap b = PaintArea();
  const int strip = PC->DisplayRect().Top - 4;
  const TRect active = TabRectOf(Sheets[1]), inactive = TabRectOf(Sheets[2]);
  // The active tab has no line toward the page; an inactive one is closed there.
  EXPECT_EQ(b.Pixel((active.Left + active.Right) / 2, strip), ColorToRGB(PC->Color()));
  EXPECT_EQ(b.Pixel((inactive.Left + inactive.Right) / 2, strip), PC->TabBorderColor());
  EXPECT_EQ(b.Pixel(active.Left, active.Top + 3), PC->TabBorderColor());
  EXPECT_EQ(b.Pixel((active.Left + active.Right) / 2, active.Top - 1), PC->TabBorderColor());
  // The active tab's colour and the others' colour.
  PC->SetActiveColor(clSkyBlue);
  b = PaintArea();
  EXPECT_EQ(b.Pixel(active.Left + 2, active.Top + 1), clSkyBlue);
  EXPECT_EQ(b.Pixel(inactive.Left + 2, inactive.Top + 1), ColorToRGB(clBtnFace));
}

TEST_F(PageControlPaintTest, CaptionPlacementCases) {
  TImageList images(16, 16);
  TBitmap red(16, 16);
  red.Canvas().Brush().SetColor(clRed);
  red.Canvas().FillRect(Rect(0, 0, 16, 16));
  images.Add(red);

  // Left and bottom of the caption's ink relative to its tab's left and bottom.
  struct TPlace {
    int Left = 0, Bottom = 0;
    bool Found = false;
  };
  const TColor captionColor = RGB(0, 0, 160); // apart from the close button's black cross
  Sheets[2]->SetTextColor(captionColor);
  auto captionOf = [&](TProTabSheet* page) {
    TBitmap b = PaintArea();
    const TRect r = TabRectOf(page);
    const TRect ink = ColorBounds(b, captionColor, Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom));
    return TPlace{ink.Left - r.Left, ink.Bottom - r.Bottom, !ink.IsEmpty()};
  };
  const TPlace plain = captionOf(Sheets[2]);
  ASSERT_TRUE(plain.Found);

  Sheets[2]->SetShowClose(true);
  EXPECT_EQ(captionOf(Sheets[2]).Left, plain.Left + 14) << "a close button moves a top caption right";
  Sheets[2]->SetShowClose(false);

  PC->SetImages(&images);
  Sheets[2]->SetImageIndex(0);
  EXPECT_EQ(captionOf(Sheets[2]).Left, plain.Left + 16) << "an image moves a top caption by its width";
  TBitmap withImage = PaintArea();
  EXPECT_GT(CountColor(withImage, clRed, TabRectOf(Sheets[2])), 100);
  PC->SetImages(nullptr);
  Sheets[2]->SetImageIndex(-1);

  PC->SetBounds(10, 10, 300, 500);
  PC->SetTabPosition(tpLeft);
  const TPlace left = captionOf(Sheets[2]);
  ASSERT_TRUE(left.Found);
  Sheets[2]->SetShowClose(true);
  EXPECT_EQ(captionOf(Sheets[2]).Bottom, left.Bottom - 13) << "a close button lifts a left caption";
  Sheets[2]->SetShowClose(false);

  PC->SetImages(&images);
  Sheets[2]->SetImageIndex(0);
  EXPECT_EQ(captionOf(Sheets[2]).Bottom, left.Bottom - 16) << "an image lifts a left caption by its height";
  PC->SetImages(nullptr);
}

TEST_F(PageControlPaintTest, DisabledPageHasAGreyCaption) {
  Sheets[2]->SetTabEnable(false);
  TBitmap b = PaintArea();
  const TRect r = TabRectOf(Sheets[2]), enabled = TabRectOf(Sheets[1]);
  EXPECT_GT(CountColor(b, Grey, Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1)), 10);
  EXPECT_EQ(CountColor(b, clBlack, Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1)), 0);
  EXPECT_EQ(
      CountColor(b, Grey, Rect(enabled.Left + 1, enabled.Top + 1, enabled.Right - 1, enabled.Bottom - 1)), 0);
}

TEST_F(PageControlPaintTest, CloseButtonStates) {
  Form->Show();
  Sheets[0]->SetShowClose(true);
  Sheets[1]->SetShowClose(true);
  PC->SetTabHoverColor(clYellow);
  const TRect active = TabRectOf(Sheets[0]), other = TabRectOf(Sheets[1]);
  const int la = PC->LowerActive();
  // Box from (x0 + 2, y0 + 2) to (x0 + 14, y0 + 13) with x0 the tab's left and y0 its top (plus the
  // active offset).
  struct TCase {
    const char* Name;
    std::function<void()> Mouse;
    TColor Box, Frame, Cross;
  };
  const TPoint hit = CentreOf(PC->CloseButtonHitRect(Sheets[0]));
  const std::vector<TCase> cases = {
      {"normal", [] {}, clWhite, Grey, clBlack},
      {"hot", [&] { Headless::MouseMove(*PC, hit); }, clWhite, clBlack, Grey},
      {"pressed", [&] { Headless::MouseDown(*PC, hit); }, RGB(192, 192, 192), clBlack, clBlack},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    c.Mouse();
    TBitmap b = PaintArea();
    const int x0 = active.Left, y0 = active.Top + la;
    EXPECT_EQ(b.Pixel(x0 + 2, y0 + 6), c.Frame);
    EXPECT_EQ(b.Pixel(x0 + 13, y0 + 12), c.Frame);
    EXPECT_EQ(b.Pixel(x0 + 3, y0 + 11), c.Box);
    EXPECT_EQ(b.Pixel(x0 + 5, y0 + 5), c.Cross);
    // Other tabs always show the normal button, not lowered.
    EXPECT_EQ(b.Pixel(other.Left + 2, other.Top + 6), Grey);
    EXPECT_EQ(b.Pixel(other.Left + 3, other.Top + 11), clWhite);
  }
  Headless::MouseUp(*PC, {1, PC->Height() - 2}); // released elsewhere: nothing closes
  EXPECT_EQ(PC->PageCount(), 3);
}

TEST_F(PageControlPaintTest, CloseGlyphReplacesTheDrawnButton) {
  Sheets[0]->SetShowClose(true);
  TBitmap glyph(20, 20);
  glyph.Canvas().Brush().SetColor(clLime);
  glyph.Canvas().FillRect(Rect(0, 0, 20, 20));
  glyph.SetPixel(0, 19, clFuchsia); // the lower-left colour is transparent
  PC->SetCloseGlyph(glyph);
  TBitmap b = PaintArea();
  const TRect r = TabRectOf(Sheets[0]);
  const int y0 = r.Top + PC->LowerActive();
  EXPECT_EQ(ColorBounds(b, clLime, r), Rect(r.Left + 2, y0 + 2, r.Left + 14, y0 + 13)); // clipped to 12 x 11
}

TEST_F(PageControlPaintTest, HoveredTabColoursAndOutline) {
  Form->Show();
  PC->SetTabHoverColor(clYellow);
  PC->SetTabHoverBorder(clRed);
  Headless::MouseMove(*PC, CentreOf(TabRectOf(Sheets[2])));
  ASSERT_EQ(PC->HoverTab(), 2);
  TBitmap b = PaintArea();
  const TRect r = TabRectOf(Sheets[2]);
  EXPECT_EQ(b.Pixel(r.Left + 3, r.Top + 1), clYellow);
  EXPECT_EQ(b.Pixel(r.Left, r.Top + 3), clRed);
  EXPECT_EQ(b.Pixel((r.Left + r.Right) / 2, r.Top - 1), clRed);
  EXPECT_EQ(CountColor(b, clRed, TabRectOf(Sheets[1])), 0);
  // The active tab under the mouse gets no outline.
  Headless::MouseMove(*PC, CentreOf(TabRectOf(Sheets[0])));
  EXPECT_EQ(CountColor(PaintArea(), clRed, Rect(0, 0, PC->Width(), PC->Height())), 0);
}

TEST_F(PageControlPaintTest, FocusFrameOnTheActiveTab) {
  Form->Show();
  PC->SetFocus();
  const TRect r = TabRectOf(Sheets[0]);
  const int row = r.Top - 1 + 3;
  const TRect frameRow{r.Left + 5, row, r.Right - 5, row + 1};
  EXPECT_EQ(CountColor(PaintArea(), clBlack, frameRow), 0);
  PC->SetShowFocus(true);
  EXPECT_GT(CountColor(PaintArea(), clBlack, frameRow), 5);
}

TEST_F(PageControlPaintTest, RoundEdgesCutTheFarCorners) {
  const int W = PC->Width(), H = PC->Height();
  const TColor control = ColorToRGB(PC->Color()), border = PC->TabSheetBorderColor();
  TBitmap square = PaintArea();
  EXPECT_EQ(square.Pixel(0, H - 1), border);
  PC->SetRoundEdges(true);
  TBitmap round = PaintArea();
  EXPECT_EQ(round.Pixel(0, H - 1), control);
  EXPECT_EQ(round.Pixel(W - 1, H - 1), control);
  EXPECT_EQ(round.Pixel(1, H - 3), border);
  EXPECT_EQ(round.Pixel(0, H - 20), border);
}

TEST_F(PageControlPaintTest, SkinPictures) {
  TBitmap skin(8, 8);
  skin.Canvas().Brush().SetColor(clGreen);
  skin.Canvas().FillRect(Rect(0, 0, 8, 8));
  skin.SetPixel(0, 7, clFuchsia);
  TBitmap activeSkin = skin;
  activeSkin.Canvas().Brush().SetColor(clNavy);
  activeSkin.Canvas().FillRect(Rect(1, 0, 8, 8));
  PC->SetTabBackGround(skin);
  TBitmap b = PaintArea();
  for (TProTabSheet* s : Sheets)
    EXPECT_GT(CountColor(b, clGreen, TabRectOf(s)), 50);
  PC->SetTabBackGroundActive(activeSkin);
  b = PaintArea();
  EXPECT_GT(CountColor(b, clNavy, TabRectOf(Sheets[0])), 50);
  EXPECT_EQ(CountColor(b, clNavy, TabRectOf(Sheets[2])), 0);
  EXPECT_FALSE(ColorBounds(b, clBlack, TabRectOf(Sheets[0])).IsEmpty()); // its caption is drawn over it
}

TEST_F(PageControlPaintTest, OwnDrawingOnlyWithoutBorder3D) {
  const TColor strip = RGB(1, 2, 3);
  PC->SetTabBackGroundColor(strip);
  Form->Show();
  EXPECT_GT(CountColor(RenderPicture(*PC), strip, Rect(0, 0, PC->Width(), PC->Height())), 0);
  PC->SetTabBorder3D(true);
  EXPECT_EQ(CountColor(RenderPicture(*PC), strip, Rect(0, 0, PC->Width(), PC->Height())), 0);
}

TEST_F(PageControlPaintTest, TabStripSampleRenderedToPng) {
  // Three top tabs, the first active with a close button, each tab in a colour of its own.
  PC->SetActiveColor(RGB(255, 220, 150));
  Sheets[1]->SetTabColor(RGB(200, 230, 200));
  Sheets[2]->SetTabColor(RGB(200, 200, 240));
  Sheets[0]->SetShowClose(true);
  for (TProTabSheet* s : Sheets)
    s->SetColor(Cream);
  Form->Show();
  const TBitmap png = RenderPicture(*PC);
  ASSERT_EQ(png.Width(), PC->Width());
  ASSERT_EQ(png.Height(), PC->Height());

  const TColor fills[] = {RGB(255, 220, 150), RGB(200, 230, 200), RGB(200, 200, 240)};
  int previousRight = 0;
  for (int i = 0; i < 3; ++i) {
    const TRect r = TabRectOf(Sheets[static_cast<std::size_t>(i)]);
    EXPECT_GE(r.Left, previousRight) << "tabs in page order";
    previousRight = r.Right;
    EXPECT_EQ(png.Pixel(r.Right - 4, r.Top + 2), fills[i]) << "tab " << i;
    EXPECT_FALSE(ColorBounds(png, clBlack, r).IsEmpty()) << "caption of tab " << i;
  }
  // The close button of the active tab: white box, grey frame, black cross.
  const TRect a = TabRectOf(Sheets[0]);
  const int x0 = a.Left, y0 = a.Top + PC->LowerActive();
  EXPECT_EQ(png.Pixel(x0 + 2, y0 + 6), Grey);
  EXPECT_EQ(png.Pixel(x0 + 3, y0 + 11), clWhite);
  EXPECT_EQ(png.Pixel(x0 + 5, y0 + 5), clBlack);
  // The page below the strip shows its own colour, inside the border.
  const TRect page = PC->DisplayRect();
  EXPECT_EQ(png.Pixel((page.Left + page.Right) / 2, (page.Top + page.Bottom) / 2), Cream);
  EXPECT_EQ(png.Pixel(0, (page.Top + page.Bottom) / 2), PC->TabSheetBorderColor());
}

TEST_F(PageControlPaintTest, PageGradientFromColourToColourTo) {
  Sheets[0]->SetColor(RGB(250, 250, 250));
  Sheets[0]->SetColorTo(RGB(0, 0, 160));
  Form->Show();
  const TBitmap png = RenderPicture(*Sheets[0]);
  EXPECT_EQ(png.Pixel(5, 0), RGB(250, 250, 250));
  const TColor bottom = png.Pixel(5, png.Height() - 1);
  EXPECT_NEAR(static_cast<int>(GetRValue(bottom)), 0, 5);
  EXPECT_NEAR(static_cast<int>(GetBValue(bottom)), 160, 3);
  EXPECT_EQ(png.Pixel(5, 40), png.Pixel(png.Width() - 5, 40)); // bands run across
}

// ---------------------------------------------------------------------------------------------

TEST_F(DrawingTest, DirectionalGradientCases) {
  struct TCase {
    const char* Name;
    TGradientDirection Direction;
    int Steps;
    std::vector<TProbe> Probes;
  };
  // Black to RGB(200, 0, 0) in (0, 0, 4, 10) (vertical) or (0, 0, 10, 4) (horizontal).
  const std::vector<TCase> cases = {
      {"zero steps count as one: one band in the start colour",
       gdVertical,
       0,
       {{1, 0, clBlack}, {1, 9, clBlack}, {1, 10, clWhite}}},
      {"two bands downward, the last one short of the end colour",
       gdVertical,
       2,
       {{1, 4, clBlack}, {1, 5, RGB(100, 0, 0)}, {1, 9, RGB(100, 0, 0)}, {1, 10, clWhite}, {4, 5, clWhite}}},
      {"three bands, starting at rounded thirds",
       gdVertical,
       3,
       {{1, 2, clBlack},
        {1, 3, RGB(67, 0, 0)},
        {1, 6, RGB(67, 0, 0)},
        {1, 7, RGB(133, 0, 0)},
        {1, 10, clWhite}}},
      {"horizontal bands side by side",
       gdHorizontal,
       2,
       {{4, 1, clBlack}, {5, 1, RGB(100, 0, 0)}, {9, 3, RGB(100, 0, 0)}, {10, 1, clWhite}}},
  };
  for (const TCase& c : cases) {
    TBitmap b = Filled(12, 12);
    const TRect r = c.Direction == gdVertical ? Rect(0, 0, 4, 10) : Rect(0, 0, 10, 4);
    DrawGradient(b.Canvas(), clBlack, RGB(200, 0, 0), c.Direction, r, c.Steps);
    for (const TProbe& p : c.Probes)
      EXPECT_EQ(b.Pixel(p.X, p.Y), p.Expected) << c.Name << " at " << p.X << "," << p.Y;
  }
}

TEST_F(DrawingTest, ThreeSliceCopiesKeepTheEndsAndStretchTheMiddle) {
  // Rows: red, red, green, blue, yellow, yellow; the lower-left pixel is the transparent colour.
  TBitmap picture(3, 6);
  const TColor rows[] = {clRed, clRed, clLime, clBlue, clYellow, clYellow};
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 3; ++x)
      picture.SetPixel(x, y, rows[y]);
  picture.SetPixel(0, 5, clFuchsia);

  TBitmap b = Filled(12, 24);
  DrawThreeSliceVertical(b.Canvas(), 1, 1, 20, picture);
  const std::vector<TProbe> probes = {{2, 1, clRed},    {2, 3, clLime},   {2, 5, clLime},
                                      {2, 16, clBlue},  {2, 18, clBlue},  {2, 20, clYellow},
                                      {1, 20, clWhite}, {2, 21, clWhite}, {4, 10, clWhite}};
  for (const TProbe& p : probes)
    EXPECT_EQ(b.Pixel(p.X, p.Y), p.Expected) << "vertical at " << p.X << "," << p.Y;

  // The same picture turned: columns instead of rows.
  TBitmap turned(6, 3);
  for (int x = 0; x < 6; ++x)
    for (int y = 0; y < 3; ++y)
      turned.SetPixel(x, y, rows[x]);
  turned.SetPixel(0, 2, clFuchsia);
  TBitmap h = Filled(24, 12);
  DrawThreeSliceHorizontal(h.Canvas(), 1, 1, 20, turned);
  EXPECT_EQ(h.Pixel(1, 2), clRed);
  EXPECT_EQ(h.Pixel(1, 3), clWhite); // transparent lower-left
  EXPECT_EQ(h.Pixel(5, 2), clLime);
  EXPECT_EQ(h.Pixel(16, 2), clBlue);
  EXPECT_EQ(h.Pixel(20, 2), clYellow);
  EXPECT_EQ(h.Pixel(21, 2), clWhite);
}
