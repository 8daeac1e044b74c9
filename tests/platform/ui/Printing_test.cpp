// Printing: mapping modes and device capabilities of canvases, upright text under a flipped
// axis, and a three-page table printed to PDF and looked at as pictures.
#include "support/PixelTools.h"
#include "support/TempDir.h"
#include "support/UiTestFixture.h"

#include "platform/Files.h"
#include "platform/ui/Graphics.h"
#include "platform/ui/HeadlessCanvas.h"
#include "platform/ui/Printers.h"

#include <cstdlib>
#include <string>

namespace {

class PrintingTest : public TUiTest {};

TEST_F(PrintingTest, LogicalAndDevicePointsMapByTheModeExtentsAndOrigins) {
  struct Case {
    const char* name;
    std::function<void(TCanvas&)> setup;
    TPoint logical;
    TPoint device;
  };
  const Case cases[] = {
      {"text: one unit a pixel", [](TCanvas&) {}, {7, 9}, {7, 9}},
      {"text, window origin", [](TCanvas& c) { SetWindowOrgEx(c, 5, 5); }, {10, 10}, {5, 5}},
      {"text, extents ignored",
       [](TCanvas& c) {
         EXPECT_TRUE(SetWindowExtEx(c, 10, 10));
         EXPECT_TRUE(SetViewportExtEx(c, 20, 20));
       },
       {10, 10},
       {10, 10}},
      {"lometric: y up, 254 units an inch",
       [](TCanvas& c) { SetMapMode(c, MM_LOMETRIC); },
       {254, -254},
       {96, 96}},
      {"lometric, viewport origin",
       [](TCanvas& c) {
         SetMapMode(c, MM_LOMETRIC);
         SetViewportOrgEx(c, 10, 20);
       },
       {254, -254},
       {106, 116}},
      {"anisotropic: extents and both origins",
       [](TCanvas& c) {
         SetMapMode(c, MM_ANISOTROPIC);
         SetWindowExtEx(c, 1000, 1000);
         SetViewportExtEx(c, 100, -100);
         SetWindowOrgEx(c, 500, 0);
         SetViewportOrgEx(c, 0, 60);
       },
       {1500, 500},
       {100, 10}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TBitmap b(200, 100);
    c.setup(b.Canvas());
    TPoint p = c.logical;
    ASSERT_TRUE(LPtoDP(b.Canvas(), &p, 1));
    EXPECT_EQ(p, c.device);
    ASSERT_TRUE(DPtoLP(b.Canvas(), &p, 1));
    EXPECT_EQ(p, c.logical);
  }
  TBitmap b(10, 10);
  EXPECT_EQ(SetMapMode(b.Canvas(), 99), 0);
  EXPECT_EQ(GetMapMode(b.Canvas()), MM_TEXT);
  SetMapMode(b.Canvas(), MM_ANISOTROPIC);
  EXPECT_FALSE(SetWindowExtEx(b.Canvas(), 0, 5));
}

TEST_F(PrintingTest, CanvasesReportTheirDeviceAndTheClipInLogicalUnits) {
  TBitmap b(200, 100);
  TCanvas& c = b.Canvas();
  EXPECT_EQ(GetDeviceCaps(c, HORZRES), 200);
  EXPECT_EQ(GetDeviceCaps(c, VERTRES), 100);
  EXPECT_EQ(GetDeviceCaps(c, LOGPIXELSX), 96);
  EXPECT_EQ(GetDeviceCaps(c, TECHNOLOGY), DT_RASDISPLAY);
  EXPECT_EQ(GetDeviceCaps(c, PHYSICALWIDTH), 0);
  EXPECT_EQ(GetDeviceCaps(c, HORZSIZE), 53);
  const int saved = c.SaveDC();
  SetMapMode(c, MM_LOMETRIC);
  SetViewportOrgEx(c, 0, 0);
  // The page runs downward to negative y: the bottom is below the top.
  EXPECT_EQ(c.ClipRect(), (TRect{0, 0, 529, -265}));
  c.RestoreDC(saved);
  EXPECT_EQ(GetMapMode(c), MM_TEXT);
  EXPECT_EQ(c.ClipRect(), (TRect{0, 0, 200, 100}));
}

TEST_F(PrintingTest, ShapesLandWhereTheMappingPutsThemAndTextStaysUpright) {
  TBitmap b(200, 200);
  TCanvas& c = b.Canvas();
  SetMapMode(c, MM_LOMETRIC);
  c.Brush().SetColor(clRed);
  c.FillRect({254, -254, 508, -508}); // top above bottom, as pages are laid out
  EXPECT_EQ(b.Pixel(100, 100), clRed);
  EXPECT_EQ(b.Pixel(190, 190), clRed);
  EXPECT_EQ(b.Pixel(90, 100), clWhite);
  EXPECT_EQ(b.Pixel(100, 195), clWhite);

  // A picture lands upright in the rectangle: its top row at the top of the page.
  TBitmap picture(2, 2);
  picture.SetPixel(0, 0, clBlue);
  picture.SetPixel(1, 0, clBlue);
  picture.SetPixel(0, 1, clLime);
  picture.SetPixel(1, 1, clLime);
  c.StretchDraw({0, 0, 254, -254}, picture);
  EXPECT_EQ(b.Pixel(40, 10), clBlue);
  EXPECT_EQ(b.Pixel(40, 85), clLime);

  // The same text through a flipped y axis and straight: the same pixels.
  auto draw = [](bool flipped) {
    TBitmap t(120, 60);
    TCanvas& tc = t.Canvas();
    tc.Font().SetName("DejaVu Sans");
    tc.Font().SetHeight(-24);
    tc.Brush().SetStyle(bsClear);
    if (flipped) {
      SetMapMode(tc, MM_ANISOTROPIC);
      SetWindowExtEx(tc, 1, 1);
      SetViewportExtEx(tc, 1, -1);
      SetViewportOrgEx(tc, 0, 60);
      tc.TextOut(10, 50, "Fg7");
    } else {
      tc.TextOut(10, 10, "Fg7");
    }
    return t;
  };
  const TBitmap straight = draw(false), flipped = draw(true);
  const TRect ink = PixelTools::BoundsWhere(straight, PixelTools::Whole(straight),
                                            [](TColor col) { return col != clWhite; });
  ASSERT_FALSE(ink.IsEmpty());
  bool same = true;
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 120; ++x)
      same &= straight.Pixel(x, y) == flipped.Pixel(x, y);
  EXPECT_TRUE(same);
}

// ---------------------------------------------------------------------------------------------

class PdfTest : public TUiTest {
protected:
  void TearDown() override {
    if (Printer()->Printing()) Printer()->Abort();
    Printer()->SetFileName("");
    TUiTest::TearDown();
  }
  TTempDir Dir;
};

constexpr int RowsPerPage = 20, RowHeight = 100, Left = 200, Top = -200, Width = 1600;

// A table of 60 rows on three pages in tenths of a millimetre: a frame around each page's block,
// a line under each row, the row's text, and a large "L" on the first page.
void PrintTable(TPrinter& p) {
  p.BeginDoc();
  TCanvas& c = p.Canvas();
  for (int page = 0; page < 3; ++page) {
    if (page > 0) p.NewPage();
    SetMapMode(c, MM_LOMETRIC);
    c.Font().SetName("DejaVu Sans");
    c.Font().SetHeight(-50);
    c.Brush().SetStyle(bsClear);
    c.Pen().SetWidth(5);
    c.Rectangle(Left, Top, Left + Width, Top - RowsPerPage * RowHeight);
    c.Pen().SetWidth(2);
    for (int r = 0; r < RowsPerPage; ++r) {
      const int y = Top - r * RowHeight;
      c.TextOut(Left + 30, y - 20, "Row " + std::to_string(page * RowsPerPage + r + 1));
      c.MoveTo(Left, y - RowHeight);
      c.LineTo(Left + Width, y - RowHeight);
    }
    if (page == 0) {
      c.Font().SetHeight(-300);
      c.TextOut(1200, -2400, "L");
    }
  }
  p.EndDoc();
}

bool Dark(TColor c) {
  return c != clNone && GetRValue(ColorToRGB(c)) < 160 && GetGValue(ColorToRGB(c)) < 160 &&
         GetBValue(ColorToRGB(c)) < 160;
}
// Ink within two pixels of a point.
bool InkNear(const TBitmap& b, int x, int y) {
  return !PixelTools::BoundsWhere(b, {x - 2, y - 2, x + 3, y + 3}, Dark).IsEmpty();
}
int Px(int tenthsMm, int dpi) {
  return static_cast<int>(tenthsMm / 254.0 * dpi + 0.5);
}

TEST_F(PdfTest, AThreePageTablePrintsThreeUprightFramedPages) {
  TPrinter& p = *Printer();
  const std::string pdf = Dir.File("table.pdf");
  p.SetFileName(pdf);
  p.SetTitle("Table");
  PrintTable(p);
  EXPECT_EQ(p.PageNumber(), 3);
  ASSERT_TRUE(Dir.Exists("table.pdf"));
  EXPECT_EQ(Dir.Read("table.pdf").rfind("%PDF", 0), 0u);

  const int dpi = 50;
  const std::string command =
      "pdftoppm -r " + std::to_string(dpi) + " -png '" + pdf + "' '" + Dir.File("page") + "'";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  EXPECT_EQ(Dir.Entries(), (std::vector<std::string>{"page-1.png", "page-2.png", "page-3.png", "table.pdf"}));

  for (int page = 1; page <= 3; ++page) {
    SCOPED_TRACE("page " + std::to_string(page));
    TBitmap b;
    ASSERT_TRUE(b.LoadFromFile(Dir.File("page-" + std::to_string(page) + ".png")));
    EXPECT_NEAR(b.Width(), Px(2100, dpi), 1);
    const int left = Px(Left, dpi), top = Px(-Top, dpi), right = Px(Left + Width, dpi);
    const int bottom = Px(-Top + RowsPerPage * RowHeight, dpi);
    // The frame where drawn, white inside and outside it.
    EXPECT_TRUE(InkNear(b, left, (top + bottom) / 2));
    EXPECT_TRUE(InkNear(b, right, (top + bottom) / 2));
    EXPECT_TRUE(InkNear(b, (left + right) / 2, top));
    EXPECT_TRUE(InkNear(b, (left + right) / 2, bottom));
    EXPECT_FALSE(InkNear(b, left - 10, top - 10));
    EXPECT_FALSE(InkNear(b, right - 20, top + Px(RowHeight, dpi) / 2)); // a row's empty right part
    // Each row's text lies inside its row, below the row's top.
    const TRect firstRow{left + 3, top + 2, left + Px(600, dpi), top + Px(RowHeight, dpi) - 2};
    const TRect text = PixelTools::BoundsWhere(b, firstRow, Dark);
    ASSERT_FALSE(text.IsEmpty());
    EXPECT_GE(text.Top, top + Px(20, dpi) - 1);
  }

  // The large L: its stem on the left, its foot at the bottom, nothing at the top right.
  TBitmap first;
  ASSERT_TRUE(first.LoadFromFile(Dir.File("page-1.png")));
  const int lx = Px(1200, dpi), ly = Px(2400, dpi);
  const TRect l =
      PixelTools::BoundsWhere(first, {lx - 5, ly - 5, lx + Px(300, dpi), ly + Px(400, dpi)}, Dark);
  ASSERT_FALSE(l.IsEmpty());
  EXPECT_GE(l.Top, ly); // drawn downward from its point, not above it
  EXPECT_GT(l.Height(), l.Width());
  EXPECT_TRUE(Dark(first.Pixel(l.Left + 1, l.Top + 1)));
  EXPECT_TRUE(Dark(first.Pixel(l.Right - 2, l.Bottom - 2)));
  EXPECT_FALSE(Dark(first.Pixel(l.Right - 2, l.Top + 1)));
}

TEST_F(PdfTest, ThePrinterCanvasReportsThePageAndDotsOfTheJob) {
  TPrinter& p = *Printer();
  p.SetFileName(Dir.File("caps.pdf"));
  p.SetResolution(300);
  p.SetMargins(5, 10, 5, 10);
  p.BeginDoc();
  TCanvas& c = p.Canvas();
  EXPECT_EQ(GetDeviceCaps(c, TECHNOLOGY), DT_RASPRINTER);
  EXPECT_EQ(GetDeviceCaps(c, LOGPIXELSX), 300);
  EXPECT_EQ(GetDeviceCaps(c, LOGPIXELSY), 300);
  EXPECT_NEAR(GetDeviceCaps(c, PHYSICALWIDTH), 2480, 1); // 210 mm
  EXPECT_NEAR(GetDeviceCaps(c, PHYSICALHEIGHT), 3508, 1);
  EXPECT_NEAR(GetDeviceCaps(c, PHYSICALOFFSETX), 59, 1); // 5 mm
  EXPECT_NEAR(GetDeviceCaps(c, PHYSICALOFFSETY), 118, 1);
  EXPECT_EQ(GetDeviceCaps(c, HORZRES), p.PageWidth());
  EXPECT_NEAR(p.PageWidth(), 2362, 1); // 200 mm
  // A font measured in screen pixels keeps its size on paper: 300 / 96 times the dots.
  c.Font().SetName("DejaVu Sans");
  c.Font().SetHeight(-16);
  TBitmap screen(10, 10);
  screen.Canvas().Font().SetName("DejaVu Sans");
  screen.Canvas().Font().SetHeight(-16);
  EXPECT_NEAR(c.TextHeight("Tj"), screen.Canvas().TextHeight("Tj") * 300.0 / 96, 3);
  p.EndDoc();
  EXPECT_EQ(GetDeviceCaps(c, LOGPIXELSX), 96);
  p.SetResolution(600);
  p.SetMargins(0, 0, 0, 0);
}

TEST_F(PdfTest, MisuseAndAFileThatCannotBeWrittenAreReportedAndLeaveNoFile) {
  TPrinter& p = *Printer();
  EXPECT_THROW(p.NewPage(), EPrinter);
  EXPECT_THROW(p.EndDoc(), EPrinter);
  p.SetFileName(Dir.File("missing/folder/out.pdf"));
  p.BeginDoc();
  EXPECT_THROW(p.SetFileName("x.pdf"), EPrinter);
  EXPECT_THROW(p.BeginDoc(), EPrinter);
  p.Canvas().TextOut(10, 10, "x");
  try {
    p.EndDoc();
    ADD_FAILURE() << "no error";
  } catch (const EPrinter& e) {
    EXPECT_NE(std::string(e.what()).find("out.pdf"), std::string::npos);
  }
  EXPECT_FALSE(p.Printing());

  Dir.Write("old.pdf", "old");
  p.SetFileName(Dir.File("old.pdf"));
  p.BeginDoc();
  p.Abort();
  EXPECT_TRUE(p.Aborted());
  EXPECT_EQ(Dir.Read("old.pdf"), "old");
  EXPECT_EQ(Dir.Entries(), (std::vector<std::string>{"old.pdf"}));
}

} // namespace

TEST_F(PdfTest, WithoutAFileNameTheJobWritesItsTitleAsAPdfBesideTheProgram) {
  const std::string program = ProgramFolder();
  SetProgramFolder(Dir.Path());
  TPrinter& p = *Printer();
  p.SetFileName("");
  struct Case {
    std::string title;
    std::string file; // "" when refused
  };
  for (const Case& c : {Case{"Report", "Report.pdf"}, Case{"", "Untitled.pdf"}, Case{"../up", ""},
                        Case{"a/b", ""}, Case{"x.", ""}}) {
    SCOPED_TRACE(c.title);
    p.SetTitle(c.title);
    if (c.file.empty()) {
      EXPECT_THROW(p.BeginDoc(), EPrinter);
      EXPECT_FALSE(p.Printing());
      continue;
    }
    EXPECT_EQ(p.OutputFile(), Dir.File(c.file));
    p.BeginDoc();
    p.Canvas().TextOut(10, 10, "x");
    p.EndDoc();
    EXPECT_EQ(Dir.Read(c.file).rfind("%PDF", 0), 0u);
  }
  EXPECT_EQ(Dir.Entries(), (std::vector<std::string>{"Report.pdf", "Untitled.pdf"}));
  p.SetTitle("");
  SetProgramFolder(program);
}

TEST_F(PrintingTest, ARecorderSeesEachDrawingCallOnceInLogicalUnits) {
  TBitmap b(200, 200);
  TCanvas& c = b.Canvas();
  SetMapMode(c, MM_LOMETRIC);
  Headless::TCanvasRecorder seen(c);
  c.MoveTo(0, 0);
  c.LineTo(254, -254);
  c.Rectangle(0, 0, 100, -100);
  c.Polygon({{0, 0}, {50, -50}, {0, -50}}); // its outline lines are not recorded again
  c.TextOut(10, -20, "text");
  TRect r{0, 0, 300, -100};
  c.DrawText("drawn", r, DT_SINGLELINE);
  RotatedTextOut(c, 100, -100, 900, "up");
  const auto& calls = seen.Calls();
  ASSERT_EQ(calls.size(), 6u);
  EXPECT_EQ(calls[0].Kind, Headless::dkLine);
  EXPECT_EQ(calls[0].R, (TRect{0, 0, 254, -254}));
  EXPECT_EQ(calls[0].Device, (TRect{0, 0, 96, 96}));
  EXPECT_EQ(calls[1].Kind, Headless::dkRectangle);
  EXPECT_EQ(calls[2].Kind, Headless::dkPolygon);
  EXPECT_EQ(seen.Texts(), (std::vector<std::string>{"text", "drawn", "up"}));
  EXPECT_EQ(calls[5].Escapement, 900);
  // Turned a quarter counter-clockwise, the text runs up from its start point.
  TBitmap plain(200, 200);
  plain.Canvas().Font().SetHeight(-20);
  RotatedTextOut(plain.Canvas(), 100, 150, 900, "WWW");
  const TRect ink = InkBounds(plain);
  EXPECT_GT(ink.Height(), ink.Width());
  EXPECT_LE(ink.Bottom, 152);
  EXPECT_GE(ink.Left, 99);
}
