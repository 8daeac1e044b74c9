// Printing a string grid: measures, page layout, page texts, borders and printed cells, looked at
// through a canvas that records its drawing calls in page units (tenths of a millimetre, y up).
#include "ProGridFixture.h"
#include "support/PixelTools.h"
#include "support/TempDir.h"

#include "platform/Clock.h"
#include "platform/ui/HeadlessCanvas.h"
#include "platform/ui/Printers.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <optional>
#include <set>

namespace {

using Headless::TCanvasRecorder;
using Headless::TDrawCall;

bool AtBottom(TPrintPosition p) {
  return p >= ppBottomLeft;
}

// A4 at the screen's resolution: 2100 x 2970 page units.
constexpr int PageW = 794, PageH = 1123;

class TRecordingGrid : public TProStringGrid {
public:
  using TProStringGrid::TProStringGrid;
  void ExportNotification(TGridExportState State, int ARow) override {
    if (ARow < 0)
      States.push_back(State);
    else
      RowStates.emplace_back(State, ARow);
  }
  std::vector<TGridExportState> States;
  std::vector<std::pair<TGridExportState, int>> RowStates;
};

struct TPageShot {
  std::vector<TDrawCall> Calls;
  std::vector<std::string> Texts;
  std::vector<TDrawCall> Of(Headless::TDrawKind k) const {
    std::vector<TDrawCall> out;
    for (const TDrawCall& c : Calls)
      if (c.Kind == k) out.push_back(c);
    return out;
  }
  bool Has(const std::string& text) const { return std::count(Texts.begin(), Texts.end(), text) > 0; }
  int Count(const std::string& text) const {
    return static_cast<int>(std::count(Texts.begin(), Texts.end(), text));
  }
  // Rows whose column-1 text "r<n>c1" is on the page.
  std::set<int> Rows() const {
    std::set<int> rows;
    for (const std::string& t : Texts)
      if (t.size() > 3 && t[0] == 'r' && t.ends_with("c1")) rows.insert(std::stoi(t.substr(1)));
    return rows;
  }
};

class ProGridPrintTest : public TProGridTest<TRecordingGrid, false> {
protected:
  void SetUp() override {
    TProGridTest::SetUp();
    Grid->Font().SetName("DejaVu Sans");
    Grid->PrintSettings().Font().SetName("DejaVu Sans");
  }
  void TearDown() override {
    if (Printer()->Printing()) Printer()->Abort();
    Printer()->SetFileName("");
    TProGridTest::TearDown();
  }
  // Cells "r<row>c<col>"; row 0 is a fixed header row "h<col>".
  void Fill(int cols, int rows, int fixedRows = 1) {
    Grid->SetColCount(cols);
    Grid->SetRowCount(rows);
    Grid->SetFixedCols(0);
    Grid->SetFixedRows(fixedRows);
    for (int r = 0; r < rows; ++r)
      for (int c = 0; c < cols; ++c)
        Grid->SetCells(c, r,
                       r < fixedRows ? "h" + std::to_string(c)
                                     : "r" + std::to_string(r) + "c" + std::to_string(c));
  }
  TPageShot Preview(int page) {
    TBitmap b(PageW, PageH);
    TCanvasRecorder seen(b.Canvas());
    Grid->SetPreviewPage(page);
    Grid->PrintPreview(b.Canvas(), {0, 0, PageW, PageH});
    return {seen.Calls(), seen.Texts()};
  }
  TPageShot Draw() {
    TBitmap b(PageW, PageH);
    TCanvasRecorder seen(b.Canvas());
    Grid->PrintDraw(b.Canvas(), {0, 0, PageW, PageH});
    return {seen.Calls(), seen.Texts()};
  }
  // All pages of a preview.
  std::vector<TPageShot> AllPages() {
    Preview(1);
    std::vector<TPageShot> pages;
    for (int p = 1; p <= Grid->PrintNrOfPages(); ++p)
      pages.push_back(Preview(p));
    return pages;
  }
  int TextHeightOf(const TFont& f, int height) {
    TBitmap b(10, 10);
    SetMapMode(b.Canvas(), MM_LOMETRIC);
    b.Canvas().Font().Assign(f);
    b.Canvas().Font().SetHeight(height);
    return b.Canvas().TextHeight("gh");
  }
  TTempDir Dir;
};

// ---------------------------------------------------------------------------------------------
// Measures

TEST_F(ProGridPrintTest, FontHeightsMapToPageUnitsAndBack) {
  EXPECT_EQ(Grid->MapFontHeight(10), -35);
  EXPECT_EQ(Grid->MapFontSize(35), 9);
  Grid->SetFontscalefactor(0.5);
  EXPECT_EQ(Grid->MapFontHeight(10), -17);
  EXPECT_EQ(Grid->MapFontSize(35), 9); // without the factor
}

TEST_F(ProGridPrintTest, RotatedTextStartsWhereItsBoxIsAlignedInEachQuadrant) {
  struct Case {
    int angle, h, v;
    int b; // the only extent that varies
    TPoint origin;
  };
  // R = (100, 200, 300, 260), a = 10, c = 30, d = 40.
  const Case cases[] = {
      {0, 0, 0, 20, {100, 220}},   {0, 0, 0, 0, {100, 200}},    {90, 1, 2, 20, {230, 250}},
      {180, 2, 1, 20, {205, 245}}, {270, 0, 2, 20, {170, 240}}, {300, 1, 0, 20, {260, 200}},
      {45, 2, 2, 20, {165, 250}},  {135, 0, 0, 20, {140, 230}}, {225, 1, 1, 20, {300, 225}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.angle) + " degrees, h " + std::to_string(c.h) + " v " +
                 std::to_string(c.v));
    TRect r{100, 200, 300, 260};
    RotatedTextOrigin(r, c.h, c.v, 10, c.b, 30, 40, c.angle);
    EXPECT_EQ(r.Left, c.origin.X);
    EXPECT_EQ(r.Top, c.origin.Y);
    EXPECT_EQ(r.Right, 300);
    EXPECT_EQ(r.Bottom, 260);
  }
}

TEST_F(ProGridPrintTest, AlignRotatedTextPutsTurnedTextInItsRectangleOnTheNamedSides) {
  Grid->Canvas().Font().SetName("DejaVu Sans");
  Grid->Canvas().Font().SetHeight(-16);
  const TRect box{20, 10, 220, 150};
  struct Case {
    int h, v; // 0 left/top, 1 right/centre... as the routine numbers them
  };
  for (int angle : {0, 90, 180, 270})
    for (const Case& k : {Case{0, 0}, Case{1, 2}, Case{2, 1}}) {
      SCOPED_TRACE(std::to_string(angle) + " degrees, h " + std::to_string(k.h) + " v " +
                   std::to_string(k.v));
      TBitmap b(240, 160);
      b.Canvas().Font().Assign(Grid->Canvas().Font());
      b.Canvas().Brush().SetStyle(bsClear);
      TRect r = box;
      Grid->AlignRotatedText(r, angle, k.v, k.h, "WWW");
      RotatedTextOut(b.Canvas(), r.Left, r.Top, angle * 10, "WWW");
      const TRect ink = InkBounds(b);
      ASSERT_FALSE(ink.IsEmpty());
      const int left = ink.Left - box.Left, right = box.Right - ink.Right;
      const int top = ink.Top - box.Top, bottom = box.Bottom - ink.Bottom;
      EXPECT_GE(std::min({left, right, top, bottom}), 1); // within its 2-pixel inset, give or take a pixel
      const int hGap = k.h == 0 ? left : k.h == 1 ? right : std::abs(left - right);
      const int vGap = k.v == 0 ? top : k.v == 2 ? bottom : std::abs(top - bottom);
      EXPECT_LT(hGap, 8);
      EXPECT_LT(vGap, 8);
    }
}

// ---------------------------------------------------------------------------------------------
// Entry points

TEST_F(ProGridPrintTest, APreviewOfPageThreeDrawsPageThreeOnly) {
  Fill(3, 200);
  Grid->PrintSettings().SetPageNr(ppTopRight);
  std::vector<int> pages;
  Grid->OnPrintPage = [&](TObject*, TCanvas&, int page, int, int) { pages.push_back(page); };
  Grid->SetPreviewPage(3);
  EXPECT_EQ(Grid->PrintPageFrom(), 3);
  EXPECT_EQ(Grid->PrintPageTo(), 3);
  const TPageShot third = Preview(3);
  const int n = Grid->PrintNrOfPages();
  ASSERT_GE(n, 4);
  EXPECT_EQ(pages, std::vector<int>{3});
  EXPECT_TRUE(third.Has("  3/" + std::to_string(n) + " "));
  // Its rows follow the second page's and come before the fourth's.
  const std::set<int> second = Preview(2).Rows(), fourth = Preview(4).Rows();
  ASSERT_FALSE(third.Rows().empty());
  EXPECT_EQ(*third.Rows().begin(), *second.rbegin() + 1);
  EXPECT_EQ(*fourth.begin(), *third.Rows().rbegin() + 1);
  EXPECT_FALSE(Grid->IsPrintPreview());
}

TEST_F(ProGridPrintTest, PrintDrawDrawsOnePageWithoutAskingForTheRange) {
  Fill(3, 200);
  bool asked = false;
  std::vector<int> pages;
  Grid->OnPrintStart = [&](TObject*, int, int&, int&) { asked = true; };
  Grid->OnPrintPage = [&](TObject*, TCanvas&, int page, int, int) { pages.push_back(page); };
  Grid->SetPreviewPage(4);
  const TPageShot shot = Draw();
  EXPECT_FALSE(asked);
  EXPECT_EQ(pages, std::vector<int>{1});
  EXPECT_EQ(Grid->PrintPageFrom(), 1);
  EXPECT_TRUE(shot.Has("r1c1"));
  EXPECT_FALSE(shot.Has("r199c1"));
  EXPECT_TRUE(Grid->States.empty()); // no export notifications
}

TEST_F(ProGridPrintTest, APreviewRangeRefusedByOnPrintStartDrawsNothing) {
  Fill(3, 20);
  for (auto range : {std::pair{0, 1}, std::pair{1, 0}, std::pair{2, 1}}) {
    Grid->OnPrintStart = [&](TObject*, int, int& from, int& to) {
      from = range.first;
      to = range.second;
    };
    const TPageShot shot = Preview(1);
    EXPECT_TRUE(shot.Calls.empty());
    EXPECT_FALSE(Grid->IsPrintPreview());
  }
}

TEST_F(ProGridPrintTest, PrintingAsksForTheRangeAndPrintsItToTheOutputFile) {
  Fill(3, 200);
  Printer()->SetFileName(Dir.File("grid.pdf"));
  Grid->Print();
  const int n = Grid->PrintNrOfPages();
  ASSERT_GE(n, 3);
  std::vector<int> all;
  for (int p = 1; p <= n; ++p)
    all.push_back(p);
  struct Case {
    bool fast;
    int from, to;
    bool written;
    std::vector<int> pages;
  };
  for (const Case& c : {Case{false, 2, 3, true, {2, 3}}, Case{true, 0, 0, true, all},
                        Case{false, 0, 3, false, {}}, Case{false, 3, 2, false, {}}}) {
    SCOPED_TRACE(std::to_string(c.from) + ".." + std::to_string(c.to) + (c.fast ? " fast" : ""));
    std::remove(Dir.File("grid.pdf").c_str());
    Grid->SetFastPrint(c.fast);
    int offered = 0;
    std::vector<int> pages;
    Grid->OnPrintStart = [&](TObject*, int count, int& from, int& to) {
      offered = count;
      if (!c.fast) from = c.from, to = c.to;
    };
    Grid->OnPrintPage = [&](TObject*, TCanvas&, int page, int, int) { pages.push_back(page); };
    Grid->States.clear();
    Grid->Print();
    EXPECT_EQ(offered, c.fast ? 2147483647 : n);
    EXPECT_EQ(pages, c.pages); // a fast print keeps its later pages
    EXPECT_EQ(Dir.Exists("grid.pdf"), c.written);
    if (c.written) {
      EXPECT_EQ(Grid->States.back(), esExportDone);
    }
  }
}

TEST_F(ProGridPrintTest, ThePrintLaysItsPagesOutOnThePageItCounted) {
  Fill(3, 300);
  Printer()->SetFileName(Dir.File("pages.pdf"));
  for (int dpi : {600, 300, 97})
    for (TPrinterOrientation orientation : {poPortrait, poLandscape}) {
      SCOPED_TRACE(std::to_string(dpi) + " dpi, orientation " + std::to_string(orientation));
      Printer()->SetResolution(dpi);
      Grid->PrintSettings().SetOrientation(orientation);
      TRect counted{};
      int count = 0, printed = 0;
      Grid->OnPrintStart = [&](TObject*, int n, int&, int&) {
        counted = Grid->PrintPageRect();
        count = n;
      };
      Grid->OnPrintPage = [&](TObject*, TCanvas&, int, int, int) { ++printed; };
      Grid->Print();
      EXPECT_EQ(Grid->PrintPageRect(), counted);
      EXPECT_EQ(printed, count);
      EXPECT_EQ(Printer()->PageNumber(), count);
    }
  Printer()->SetResolution(600);
}

TEST_F(ProGridPrintTest, AFastPrintNumbersItsPagesWithoutTheCountItNeverMade) {
  Fill(2, 130);
  Grid->PrintSettings().SetPageNr(ppTopRight);
  Printer()->SetFileName(Dir.File("fast.pdf"));
  for (bool fast : {false, true}) {
    Grid->SetFastPrint(fast);
    TCanvasRecorder seen(Printer()->Canvas());
    Grid->Print();
    const std::vector<std::string> texts = seen.Texts();
    const char* first = fast ? "  1 " : "  1/3 ";
    EXPECT_EQ(std::count(texts.begin(), texts.end(), first), 1) << fast;
    EXPECT_EQ(std::count(texts.begin(), texts.end(), fast ? "  3 " : "  3/3 "), 1) << fast;
  }
}

TEST_F(ProGridPrintTest, TurnedTextPrintsTheSameWayWithThePrinterDriverFix) {
  // The PDF printer turns landscape pages as drivers the fix leaves alone do.
  Fill(2, 3);
  Grid->AddRotated(1, 1, 90, "up");
  Printer()->SetFileName(Dir.File("turned.pdf"));
  for (TPrinterOrientation orientation : {poPortrait, poLandscape})
    for (bool fix : {false, true}) {
      Grid->PrintSettings().SetOrientation(orientation);
      Grid->SetPrinterDriverFix(fix);
      TCanvasRecorder seen(Printer()->Canvas());
      Grid->Print();
      std::vector<int> escapements;
      for (const TDrawCall& t : seen.Of(Headless::dkText))
        if (t.Text == "up") escapements.push_back(t.Escapement);
      EXPECT_EQ(escapements, std::vector<int>{900}) << orientation << fix;
    }
}

TEST_F(ProGridPrintTest, AnErrorInsideAPrintedRowLeavesTheCanvasAndTheFontScaleAsTheyWere) {
  Fill(2, 20);
  Grid->PrintSettings().SetFitToPage(fpAlways); // rows drawn at a scale other than 1
  Grid->OnCustomCellDraw = [](TObject*, TCanvas&, int, int ARow, TGridDrawState, const TRect&, bool) {
    if (ARow == 3) throw std::runtime_error("broken");
  };
  Printer()->SetFileName(Dir.File("broken.pdf"));
  const std::vector<std::pair<const char*, std::function<void(TCanvas&)>>> entries{
      {"draw",
       [&](TCanvas& c) {
         Grid->PrintDraw(c, {0, 0, PageW, PageH});
       }},
      {"preview",
       [&](TCanvas& c) {
         Grid->PrintPreview(c, {0, 0, PageW, PageH});
       }},
      {"print", [&](TCanvas&) { Grid->Print(); }},
  };
  for (const auto& [name, run] : entries) {
    SCOPED_TRACE(name);
    TBitmap b(PageW, PageH);
    b.Canvas().Font().SetName("DejaVu Sans");
    b.Canvas().Font().SetHeight(-13);
    EXPECT_THROW(run(b.Canvas()), std::runtime_error);
    EXPECT_EQ(Grid->Fontscalefactor(), 1.0);
    EXPECT_EQ(GetMapMode(b.Canvas()), MM_TEXT);
    EXPECT_EQ(b.Canvas().Font().Height(), -13);
    EXPECT_FALSE(Printer()->Printing());
  }
  EXPECT_FALSE(Dir.Exists("broken.pdf"));
}

TEST_F(ProGridPrintTest, AnOutputFileThatCannotBeWrittenIsReportedAndLeavesNothingBehind) {
  Fill(3, 20);
  Printer()->SetFileName(Dir.File("missing/out.pdf"));
  try {
    Grid->Print();
    ADD_FAILURE() << "no error";
  } catch (const EPrinter& e) {
    EXPECT_NE(std::string(e.what()).find("out.pdf"), std::string::npos);
  }
  EXPECT_FALSE(Printer()->Printing());
  EXPECT_EQ(GetMapMode(Printer()->Canvas()), MM_TEXT);
  EXPECT_EQ(Grid->Fontscalefactor(), 1.0);
  EXPECT_EQ(Grid->States, (std::vector<TGridExportState>{esExportStart, esExportFail}));
  EXPECT_TRUE(Dir.Entries().empty());

  // An unsafe job name for the default file is refused before anything is written.
  Printer()->SetFileName("");
  Grid->PrintSettings().SetJobName("../up");
  EXPECT_THROW(Grid->Print(), EPrinter);
  EXPECT_FALSE(Printer()->Printing());
}

TEST_F(ProGridPrintTest, AnEngineErrorDuringAPreviewStillEndsIt) {
  Fill(3, 20);
  Grid->OnPrintPage = [](TObject*, TCanvas&, int, int, int) { throw std::runtime_error("broken"); };
  TBitmap b(PageW, PageH);
  EXPECT_THROW(Grid->PrintPreview(b.Canvas(), {0, 0, PageW, PageH}), std::runtime_error);
  EXPECT_FALSE(Grid->IsPrintPreview());
  EXPECT_EQ(GetMapMode(b.Canvas()), MM_TEXT);
  EXPECT_EQ(Grid->States, (std::vector<TGridExportState>{esExportStart, esExportDone}));
}

// ---------------------------------------------------------------------------------------------
// The engine

TEST_F(ProGridPrintTest, BlockFramesAndCellBordersFollowTheBorderScheme) {
  Fill(3, 4);
  struct Case {
    TPrintBorders borders;
    int frames;       // rectangles per page
    int linesPerCell; // cell border lines
    int blockLines;   // lines of the block frame
  };
  for (const Case& c : {Case{pbSingle, 0, 4, 0}, Case{pbAround, 1, 0, 0}, Case{pbNoborder, 0, 0, 0},
                        Case{pbHorizontal, 0, 2, 1}, Case{pbVertical, 0, 2, 0}, Case{pbCustom, 0, 0, 0}}) {
    SCOPED_TRACE(static_cast<int>(c.borders));
    Grid->PrintSettings().SetBorders(c.borders);
    const TPageShot shot = Preview(1);
    EXPECT_EQ(shot.Of(Headless::dkRectangle).size(), static_cast<std::size_t>(c.frames));
    EXPECT_EQ(shot.Of(Headless::dkLine).size(), static_cast<std::size_t>(12 * c.linesPerCell + c.blockLines));
  }
  // One frame on every page of a longer table, none with single borders.
  Fill(3, 130);
  for (TPrintBorders b : {pbAround, pbSingle}) {
    Grid->PrintSettings().SetBorders(b);
    const std::vector<TPageShot> pages = AllPages();
    ASSERT_GE(pages.size(), 2u);
    for (const TPageShot& page : pages)
      EXPECT_EQ(page.Of(Headless::dkRectangle).size(), b == pbAround ? 1u : 0u);
  }

  // The border event adds lines where the scheme has none.
  Fill(3, 4);
  Grid->PrintSettings().SetBorders(pbNoborder);
  Grid->OnGetCellPrintBorder = [](TObject*, int ARow, int ACol, TPen&, TCellBorders& b) {
    if (ARow == 1 && ACol == 1) b = {cbTop};
  };
  EXPECT_EQ(Preview(1).Of(Headless::dkLine).size(), 1u);
}

TEST_F(ProGridPrintTest, FitToPageScalesColumnWidthsOnlyTheWayItIsAllowedTo) {
  Fill(2, 3);
  Grid->SetCells(0, 1, std::string(150, 'W')); // wider than the page
  Draw();
  const int wide0 = Grid->PrintColWidth(0), wide1 = Grid->PrintColWidth(1);
  Grid->SetCells(0, 1, "W");
  Draw();
  const int narrow0 = Grid->PrintColWidth(0);
  ASSERT_GT(wide0, 2100);

  struct Case {
    TFitToPage fit;
    bool wide;
    bool allow;
    bool scaled;
  };
  for (const Case& c :
       {Case{fpShrink, false, true, false}, Case{fpShrink, true, true, true}, Case{fpGrow, true, true, false},
        Case{fpGrow, false, true, true}, Case{fpCustom, true, false, false}, Case{fpCustom, true, true, true},
        Case{fpAlways, false, true, true}}) {
    SCOPED_TRACE(std::to_string(static_cast<int>(c.fit)) + (c.wide ? " wide" : " narrow"));
    Grid->SetCells(0, 1, c.wide ? std::string(150, 'W') : "W");
    Grid->PrintSettings().SetFitToPage(c.fit);
    double offered = 0;
    Grid->OnFitToPage = [&](TObject*, double& f, bool& allow) {
      offered = f;
      allow = c.allow;
    };
    Draw();
    const int base = c.wide ? wide0 : narrow0;
    if (c.scaled) {
      EXPECT_NE(Grid->PrintColWidth(0), base);
      const int total = Grid->PrintColWidth(0) + Grid->PrintColWidth(1) + 2 * 20;
      EXPECT_NEAR(total, 2100, 4); // the block fills the page
    } else {
      EXPECT_EQ(Grid->PrintColWidth(0), base);
    }
    if (c.fit == fpCustom) {
      EXPECT_LT(offered, 1.0);
    }
  }
  (void)wide1;
}

TEST_F(ProGridPrintTest, ColumnStripsNumberTheirPagesPageThenStrip) {
  Fill(4, 90);
  for (int c = 0; c < 4; ++c)
    Grid->SetCells(c, 1, std::string(35, 'M')); // two columns a page
  Grid->PrintSettings().SetPageNr(ppTopRight);
  const std::vector<TPageShot> pages = AllPages();
  ASSERT_EQ(pages.size(), 4u);
  const char* numbers[] = {"  1-1 ", "  2-1 ", "  1-2 ", "  2-2 "};
  for (int p = 0; p < 4; ++p)
    EXPECT_TRUE(pages[p].Has(numbers[p])) << p;
  EXPECT_TRUE(pages[0].Has("r5c0"));
  EXPECT_FALSE(pages[0].Has("r5c2"));
  EXPECT_TRUE(pages[2].Has("r5c2"));
}

TEST_F(ProGridPrintTest, RepeatedFixedColumnsLeadEveryStrip) {
  Fill(4, 6);
  Grid->SetFixedCols(1);
  for (int c = 1; c < 4; ++c)
    Grid->SetCells(c, 1, std::string(45, 'M')); // with the fixed column, one such column a page
  for (bool repeat : {false, true}) {
    SCOPED_TRACE(repeat);
    Grid->PrintSettings().SetRepeatFixedCols(repeat);
    const std::vector<TPageShot> pages = AllPages();
    ASSERT_EQ(pages.size(), 3u);
    for (int p = 0; p < 3; ++p) {
      const std::string fixed = "r5c0", own = "r5c" + std::to_string(p + 1);
      ASSERT_TRUE(pages[p].Has(own)) << p;
      EXPECT_EQ(pages[p].Has(fixed), p == 0 || repeat) << p;
      if (!pages[p].Has(fixed)) continue;
      // The fixed cell lies left of the strip's own, which starts where the fixed block ends.
      int fixedX = 0, ownX = 0;
      for (const TDrawCall& t : pages[p].Of(Headless::dkText)) {
        if (t.Text == fixed) fixedX = t.R.Left;
        if (t.Text == own) ownX = t.R.Left;
      }
      EXPECT_LT(fixedX, ownX) << p;
    }
  }
  // The last strip: the repeated fixed column, then column 3 right after it.
  EXPECT_EQ(Grid->PrintColOffset(1) - Grid->PrintColOffset(0), Grid->PrintColWidth(0) + 20);
  EXPECT_EQ(Grid->PrintColOffset(3), Grid->PrintColOffset(1));
}

TEST_F(ProGridPrintTest, PageNumbersJoinPrefixNumberAndSuffixWithBlanks) {
  Fill(2, 130);
  Grid->PrintSettings().SetPageNr(ppTopRight);
  Grid->PrintSettings().SetPagePrefix("Page");
  const std::vector<TPageShot> pages = AllPages();
  ASSERT_EQ(pages.size(), 3u);
  EXPECT_TRUE(pages[0].Has(" Page 1/3 "));
  EXPECT_TRUE(pages[2].Has(" Page 3/3 "));

  Grid->PrintSettings().SetPageNumberOffset(10);
  Grid->PrintSettings().SetMaxPagesOffset(INT_MAX);
  Grid->PrintSettings().SetPageNr(ppBottomLeft);
  Grid->OnPrintGetPageNum = [](TObject*, int page, int strip, std::string& s) {
    s += "(" + std::to_string(page) + "," + std::to_string(strip) + ")";
  };
  // The count never overflows, whatever offset is added to it.
  EXPECT_TRUE(Preview(1).Has("Page 11/2147483647(1,1)  "));
}

TEST_F(ProGridPrintTest, PageTextsTakeTheirSlotsAndTheTestClocksTime) {
  TFakeClock clock;
  clock.Local = 46088 + (14 * 3600 + 5 * 60 + 30) / 86400.0; // 7 March 2026, 14:05:30
  TScopedClock scoped(clock);
  Fill(2, 4);
  TPrintSettings& ps = Grid->PrintSettings();
  ps.SetLeftSize(100);
  ps.SetHeaderSize(50);
  ps.SetTime(ppTopLeft);
  ps.SetDate(ppTopLeft);
  ps.SetDateFormat("yyyy-mm-dd");
  ps.SetTitle(ppBottomCenter);
  ps.SetTitleText("Report");
  const TPageShot shot = Preview(1);
  std::optional<TDrawCall> stamp, title;
  for (const TDrawCall& t : shot.Of(Headless::dkText)) {
    if (t.Text == "2026-03-07 14:05 ") stamp = t;
    if (t.Text == "Report") title = t;
  }
  ASSERT_TRUE(stamp);
  EXPECT_EQ(stamp->R.Left, 100);
  EXPECT_EQ(stamp->R.Top, -50);
  ASSERT_TRUE(title);
  TBitmap m(10, 10);
  SetMapMode(m.Canvas(), MM_LOMETRIC);
  m.Canvas().Font().Assign(ps.FooterFont());
  m.Canvas().Font().SetHeight(Grid->MapFontHeight(ps.FooterFont().Size()));
  EXPECT_NEAR(2 * title->R.Left + m.Canvas().TextWidth("Report"), 2100, 1); // centred
  EXPECT_GT(title->Device.Top, PageH * 9 / 10);                             // at the page's foot
}

TEST_F(ProGridPrintTest, ACancelEndsThePrintAfterItsPage) {
  Fill(4, 300);
  for (int c = 0; c < 4; ++c)
    Grid->SetCells(c, 1, std::string(35, 'M')); // two strips
  Printer()->SetFileName(Dir.File("cancel.pdf"));
  std::vector<int> pages;
  Grid->OnPrintPage = [&](TObject*, TCanvas&, int page, int, int) { pages.push_back(page); };
  Grid->OnPrintCancel = [](TObject*, int page, bool& cancel) { cancel = page == 2; };
  Grid->Print();
  EXPECT_GE(Grid->PrintNrOfPages(), 8);
  EXPECT_EQ(pages, (std::vector<int>{1, 2}));
  EXPECT_EQ(Printer()->PageNumber(), 2);
  EXPECT_TRUE(Dir.Exists("cancel.pdf"));
}

TEST_F(ProGridPrintTest, TheFormSetsPrintedWidthsAndHeightsAndHearsOfEveryRow) {
  Fill(2, 40);
  Grid->OnPrintSetColumnWidth = [](TObject*, int ACol, int& Width) {
    if (ACol == 1) Width = 600;
  };
  Grid->OnPrintSetRowHeight = [](TObject*, int, int& Height) { Height = 150; };
  const int h8 =
      TextHeightOf(Grid->PrintSettings().Font(), Grid->MapFontHeight(Grid->PrintSettings().Font().Size())) /
      8;
  const TPageShot shot = Preview(1);
  EXPECT_EQ(Grid->PrintColWidth(1), 600);
  EXPECT_EQ(Grid->PrintColOffset(2) - Grid->PrintColOffset(1), 620);
  // Each row advances by its height and two eighths of a text line: so many rows on a page (the
  // footer block of a line takes one at most).
  const int rows = 2970 / (150 + 2 * h8);
  EXPECT_NEAR(static_cast<int>(shot.Rows().size()) + 1, rows, 1); // the header row is one of them

  // Every row visited is announced: as a selection's row when the range is part of the grid.
  Grid->RowStates.clear();
  TBitmap b(PageW, PageH);
  Grid->PrintPreviewRect(b.Canvas(), {0, 0, PageW, PageH}, {0, 5, 1, 7});
  std::set<std::pair<TGridExportState, int>> announced(Grid->RowStates.begin(), Grid->RowStates.end());
  EXPECT_EQ(announced, (std::set<std::pair<TGridExportState, int>>{
                           {esExportSelRow, 5}, {esExportSelRow, 6}, {esExportSelRow, 7}}));
  Grid->RowStates.clear();
  Grid->PrintDraw(b.Canvas(), {0, 0, PageW, PageH});
  ASSERT_FALSE(Grid->RowStates.empty());
  EXPECT_EQ(Grid->RowStates.front(), std::make_pair(esExportNewRow, 0));
}

TEST_F(ProGridPrintTest, RepeatedFixedRowsHeadEveryPage) {
  Fill(2, 130);
  for (bool repeat : {false, true}) {
    Grid->PrintSettings().SetRepeatFixedRows(repeat);
    const std::vector<TPageShot> pages = AllPages();
    ASSERT_GE(pages.size(), 2u);
    for (std::size_t p = 0; p < pages.size(); ++p)
      EXPECT_EQ(pages[p].Count("h1"), p == 0 || repeat ? 1 : 0) << p;
  }
}

TEST_F(ProGridPrintTest, SelectedRowsOnlyPrintsTheSelectionsRows) {
  Fill(3, 20);
  Grid->SetSelection({0, 5, 2, 9});
  TBitmap b(PageW, PageH);
  for (bool fixedToo : {false, true}) {
    Grid->PrintSettings().SetFixedCellsAlways(fixedToo);
    TCanvasRecorder seen(b.Canvas());
    Grid->PrintPreviewSelectedRows(b.Canvas(), {0, 0, PageW, PageH});
    TPageShot shot{seen.Calls(), seen.Texts()};
    EXPECT_EQ(shot.Rows(), (std::set<int>{5, 6, 7, 8, 9}));
    EXPECT_EQ(shot.Has("h1"), fixedToo);
    EXPECT_EQ(Grid->States.back(), esExportDone);
  }
  // Only the selection's columns, and nothing of the others takes room.
  Grid->PrintSettings().SetFixedCellsAlways(false);
  Grid->SetSelection({1, 5, 1, 9});
  TCanvasRecorder seen(b.Canvas());
  Grid->PrintPreviewSelectedCols(b.Canvas(), {0, 0, PageW, PageH});
  TPageShot shot{seen.Calls(), seen.Texts()};
  EXPECT_EQ(shot.Rows(), (std::set<int>{5, 6, 7, 8, 9}));
  EXPECT_FALSE(shot.Has("r5c0"));
  EXPECT_FALSE(shot.Has("r5c2"));
  EXPECT_EQ(Grid->PrintColWidth(0), 0);
  EXPECT_EQ(Grid->PrintColWidth(2), 0);
}

TEST_F(ProGridPrintTest, APreviewDrawsItsPageInsideTheDisplayRectangle) {
  Fill(3, 200);
  Grid->PrintSettings().SetPageNr(ppBottomRight);
  Grid->PrintSettings().SetTime(ppTopLeft);
  TBitmap b(PageW, PageH);
  const TRect display{100, 60, 100 + PageW / 2, 60 + PageH / 2};
  Grid->SetPreviewPage(2);
  Grid->PrintPreview(b.Canvas(), display);
  const TRect ink = InkBounds(b);
  ASSERT_FALSE(ink.IsEmpty());
  EXPECT_GE(ink.Left, display.Left);
  EXPECT_GE(ink.Top, display.Top);
  EXPECT_LE(ink.Right, display.Right);
  EXPECT_LE(ink.Bottom, display.Bottom);
  // The page fills it: the time at its top, the page number at its bottom.
  EXPECT_LT(ink.Top, display.Top + 20);
  EXPECT_GT(ink.Bottom, display.Bottom - 30);
  EXPECT_EQ(Grid->PrintPageRect().Right, 1050);
}

TEST_F(ProGridPrintTest, OnPrintNewPageStartsTheNextRowOnANewPage) {
  Fill(2, 10);
  Grid->OnPrintNewPage = [](TObject*, int ARow, bool& NewPage) { NewPage = ARow == 4; };
  const std::vector<TPageShot> pages = AllPages();
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(pages[0].Rows(), (std::set<int>{1, 2, 3}));
  EXPECT_EQ(pages[1].Rows(), (std::set<int>{4, 5, 6, 7, 8, 9}));
}

TEST_F(ProGridPrintTest, RowHeightsFromTheScreenAdvanceByTheirPrintedHeight) {
  Fill(2, 4);
  Grid->PrintSettings().SetNoAutoSizeRow(true);
  Grid->PrintSettings().SetRowSpacing(7);
  for (int r = 0; r < 4; ++r)
    Grid->SetRowHeights(r, 21);
  const int h8 =
      TextHeightOf(Grid->PrintSettings().Font(), Grid->MapFontHeight(Grid->PrintSettings().Font().Size())) /
      8;
  std::vector<int> tops;
  for (const TDrawCall& l : Preview(1).Of(Headless::dkLine))
    if (l.R.Left < l.R.Right && l.R.Top == l.R.Bottom && l.R.Left == Grid->PrintColOffset(0))
      tops.push_back(l.R.Top);
  // Top and bottom line of each row; the row advance is round(21 x L) - 4 + 2 x h8 + spacing.
  std::sort(tops.begin(), tops.end());
  tops.erase(std::unique(tops.begin(), tops.end()), tops.end());
  ASSERT_EQ(tops.size(), 5u);
  const int advance = static_cast<int>(std::lround(21 * 254.0 / 96)) - 4 + 2 * h8 + 7;
  for (std::size_t i = 1; i < tops.size(); ++i)
    EXPECT_EQ(tops[i] - tops[i - 1], advance);
}

TEST_F(ProGridPrintTest, ARowTallerThanThePagePrintsClippedOnAPageOfItsOwn) {
  Fill(2, 4);
  Grid->SetMultilineCells(true);
  Grid->PrintSettings().SetFooterSize(200);
  std::string tall;
  for (int i = 0; i < 150; ++i)
    tall += "line\r\n";
  Grid->SetCells(0, 2, tall + "end");
  const std::vector<TPageShot> pages = AllPages();
  ASSERT_EQ(pages.size(), 3u);
  EXPECT_EQ(pages[0].Rows(), (std::set<int>{1}));
  EXPECT_EQ(pages[1].Rows(), (std::set<int>{2}));
  EXPECT_EQ(pages[2].Rows(), (std::set<int>{3}));
  // On its page the row stops at the bottom margin.
  TBitmap page(PageW, PageH);
  Grid->SetPreviewPage(2);
  Grid->PrintPreview(page.Canvas(), {0, 0, PageW, PageH});
  const int margin = 200 * 96 / 254;
  EXPECT_FALSE(InkBounds(page).IsEmpty());
  EXPECT_TRUE(PixelTools::BoundsWhere(page, {0, PageH - margin + 2, PageW, PageH}, [](TColor c) {
                return c != clWhite;
              }).IsEmpty());
}

TEST_F(ProGridPrintTest, ColumnsAllWiderThanThePagePrintOneColumnAStripAndEnd) {
  Fill(3, 3);
  for (int c = 0; c < 3; ++c)
    Grid->SetCells(c, 1, std::string(200, 'W'));
  const std::vector<TPageShot> pages = AllPages();
  ASSERT_EQ(pages.size(), 3u);
  for (int c = 0; c < 3; ++c) {
    EXPECT_TRUE(pages[c].Has("r2c" + std::to_string(c))) << c;
    EXPECT_FALSE(pages[c].Has("r2c" + std::to_string((c + 1) % 3))) << c;
  }
  EXPECT_EQ(Grid->PrintColStart(), 2);
  EXPECT_EQ(Grid->PrintColEnd(), 2);
}

TEST_F(ProGridPrintTest, ColumnsPastTheFiveHundredAndTwelfthPrintLikeAnyOther) {
  Fill(600, 3);
  TBitmap b(PageW, PageH);
  TCanvasRecorder seen(b.Canvas());
  Grid->SetPreviewPage(1);
  Grid->PrintPreviewRect(b.Canvas(), {0, 0, PageW, PageH}, {590, 0, 599, 2});
  const TPageShot shot{seen.Calls(), seen.Texts()};
  EXPECT_TRUE(shot.Has("r2c599"));
  EXPECT_EQ(Grid->PrintColEnd(), 599);
  EXPECT_GT(Grid->PrintColWidth(599), 0);
  EXPECT_EQ(Grid->PrintColOffset(599) - Grid->PrintColOffset(598), Grid->PrintColWidth(598) + 20);
}

TEST_F(ProGridPrintTest, AMiniHTMLTitleTakesTheSameRoomOnEveryPageOfTheCount) {
  Fill(2, 120);
  Grid->PrintSettings().SetTitle(ppTopLeft);
  Grid->PrintSettings().TitleLines().Add("<b>Quarterly</b> report<br>of all<br>the<br>meters<br>and more");
  Grid->PrintSettings().SetPageNr(ppBottomRight);
  const std::vector<TPageShot> pages = AllPages();
  const int n = static_cast<int>(pages.size());
  ASSERT_GE(n, 2);
  std::set<int> all;
  for (int p = 0; p < n; ++p) {
    for (int r : pages[p].Rows())
      EXPECT_TRUE(all.insert(r).second) << "row " << r << " twice";
    EXPECT_TRUE(pages[p].Has("  " + std::to_string(p + 1) + "/" + std::to_string(n) + " "));
  }
  EXPECT_EQ(all.size(), 119u); // none lost
  EXPECT_TRUE(Preview(n + 1).Rows().empty());
}

TEST_F(ProGridPrintTest, PageTextsAndTitlesLieOnThePageClearOfTheRows) {
  Fill(2, 300);
  struct Case {
    TPrintPosition title;
    std::vector<std::string> lines;
    int footer;
  };
  const std::vector<std::string> plain{"first", "second", "third"}, html{"<b>first</b><br>second<br>third"};
  for (const Case& k :
       {Case{ppBottomLeft, plain, 0}, Case{ppBottomCenter, plain, 150}, Case{ppBottomRight, html, 0},
        Case{ppBottomLeft, html, 150}, Case{ppTopLeft, plain, 0}, Case{ppTopRight, html, 0}}) {
    SCOPED_TRACE(std::to_string(k.title) + (k.lines.size() > 1 ? " lines" : " mini-HTML") + ", footer " +
                 std::to_string(k.footer));
    TPrintSettings& ps = Grid->PrintSettings();
    ps.SetTitle(k.title);
    ps.TitleLines().Clear();
    for (const std::string& l : k.lines)
      ps.TitleLines().Add(l);
    ps.SetFooterSize(k.footer);
    ps.SetPageNr(k.title == ppBottomLeft ? ppBottomRight : ppBottomLeft);
    for (int page : {1, 2}) {
      const TPageShot shot = Preview(page);
      TRect rows{PageW, PageH, 0, 0}; // the device box of the printed rows' texts
      std::vector<TRect> title, number;
      for (const TDrawCall& t : shot.Of(Headless::dkText)) {
        if (t.Text.starts_with("r")) {
          rows.Top = std::min(rows.Top, t.Device.Top);
          rows.Bottom = std::max(rows.Bottom, t.Device.Bottom);
        }
        if (t.Text == "first" || t.Text == "second" || t.Text == "third") title.push_back(t.Device);
        if (t.Text.find(std::to_string(page) + "/") != std::string::npos) number.push_back(t.Device);
      }
      ASSERT_EQ(title.size(), 3u);
      ASSERT_EQ(number.size(), 1u);
      const int footerPx = k.footer * 96 / 254;
      for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_GE(title[i].Top, -1); // a page unit of rounding at the page top
        EXPECT_LE(title[i].Bottom, PageH - footerPx + 1) << "into the bottom margin";
        if (i > 0) {
          EXPECT_GE(title[i].Top, title[i - 1].Bottom - 1) << "lines out of order";
        }
        EXPECT_TRUE(AtBottom(k.title) ? title[i].Top >= rows.Bottom : title[i].Bottom <= rows.Top)
            << "over the rows";
      }
      EXPECT_GE(number[0].Top, rows.Bottom);
      EXPECT_LE(number[0].Bottom, PageH - footerPx + 1);
    }
  }
}

TEST_F(ProGridPrintTest, PrintedCellsDrawTheirTextsOnceAndWhereTheirAlignmentPutsThem) {
  Fill(3, 6);
  Grid->SetMultilineCells(true);
  Grid->MergeCells(0, 1, 2, 2);
  Grid->SetCells(0, 1, "merged");
  Grid->SetCells(1, 4, "one\r\ntwo\r\nthree");
  Grid->SetRowHeights(4, 80);
  Grid->PrintSettings().SetNoAutoSizeRow(true);
  Grid->OnGetAlignment = [](TObject*, int ARow, int ACol, TAlignment&, TVAlignment& VA) {
    if (ARow == 4 && ACol == 1) VA = vtaBottom;
  };
  const TPageShot shot = Preview(1);
  EXPECT_EQ(shot.Count("merged"), 1);
  // The merged area: borders around the whole area only.
  const int left = Grid->PrintColOffset(0), right = Grid->PrintColOffset(2);
  int verticalInside = 0;
  for (const TDrawCall& l : shot.Of(Headless::dkLine))
    if (l.R.Left == l.R.Right && l.R.Left > left + 5 && l.R.Left < right - 5 && l.R.Top > l.R.Bottom) {
      // a vertical line between the area's columns would cross rows 1 and 2
      const TDrawCall* merged = nullptr;
      for (const TDrawCall& t : shot.Calls)
        if (t.Text == "merged") merged = &t;
      if (merged && l.R.Top >= merged->R.Top - 2 && l.R.Bottom < merged->R.Top) ++verticalInside;
    }
  EXPECT_EQ(verticalInside, 0);

  // Three bottom-aligned lines: the last ends at the cell's bottom border.
  std::vector<TDrawCall> lines;
  for (const TDrawCall& t : shot.Of(Headless::dkText))
    if (t.Text == "one" || t.Text == "two" || t.Text == "three") lines.push_back(t);
  ASSERT_EQ(lines.size(), 3u);
  const int step = lines[0].R.Top - lines[1].R.Top;
  EXPECT_EQ(lines[1].R.Top - lines[2].R.Top, step);
  int bottom = INT_MAX;
  for (const TDrawCall& l : shot.Of(Headless::dkLine))
    if (l.R.Top == l.R.Bottom && l.R.Left == Grid->PrintColOffset(1) && l.R.Top < lines[2].R.Top &&
        (bottom == INT_MAX || l.R.Top > bottom))
      bottom = l.R.Top;
  EXPECT_EQ(lines[2].R.Top - step, bottom);
}

TEST_F(ProGridPrintTest, CellTextsOfEveryKindPrintInsideTheirCells) {
  // One cell of each kind, with an empty row below it, on a preview page that does not start at
  // the canvas's corner. The formula shows as the grid calculates it (here: as it stands).
  struct Case {
    const char* text;
    const char* drawn; // a piece of it among the texts drawn
  };
  const TColor fill = RGB(200, 255, 255);
  Grid->SetMultilineCells(true);
  Grid->PrintSettings().SetBorders(pbNoborder);
  Grid->OnGetCellPrintColor = [&](TObject*, int ARow, int ACol, TGridDrawState, TBrush& b, TFont&) {
    if (ARow == 1 && ACol == 1) b.SetColor(fill);
  };
  for (const Case& k :
       {Case{"<b>Bold</b> and <i>slanted</i> gg", "Bold"}, Case{"{\\rtf1\\ansi Rich gg}", "Rich gg"},
        Case{"=2*21", "=2*21"}, Case{"upper\r\nlower gg", "lower gg"}, Case{"plain gg", "plain gg"}}) {
    SCOPED_TRACE(k.text);
    Fill(2, 3);
    Grid->SetCells(1, 1, k.text);
    Grid->SetCells(0, 2, "");
    Grid->SetCells(1, 2, "");
    TBitmap page(PageW + 200, PageH + 100);
    TCanvasRecorder seen(page.Canvas());
    Grid->SetPreviewPage(1);
    Grid->PrintPreview(page.Canvas(), {150, 80, 150 + PageW, 80 + PageH});
    const std::vector<std::string> texts = seen.Texts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), k.drawn), texts.end());
    const TRect cell = ColorBounds(page, fill);
    ASSERT_FALSE(cell.IsEmpty());
    // All dark ink near the cell is inside it (the row above is the header's, kept out).
    auto dark = [](TColor c) { return GetRValue(c) < 128 && GetGValue(c) < 128 && GetBValue(c) < 128; };
    const TRect ink =
        PixelTools::BoundsWhere(page, {cell.Left - 6, cell.Top, cell.Right + 6, cell.Bottom + 10}, dark);
    ASSERT_FALSE(ink.IsEmpty());
    EXPECT_GE(ink.Left, cell.Left);
    EXPECT_LE(ink.Right, cell.Right);
    EXPECT_LE(ink.Bottom, cell.Bottom);
  }
}

TEST_F(ProGridPrintTest, AnEmptyCellMeasuresAsGhAndGraphicsTakeRoomOnlyWhenPrinted) {
  Fill(3, 2, 0);
  Grid->SetCells(0, 0, "");
  Grid->SetCells(0, 1, "");
  Grid->SetCells(1, 0, "gh");
  Grid->SetCells(1, 1, "gh");
  Draw();
  EXPECT_EQ(Grid->PrintColWidth(0), Grid->PrintColWidth(1));

  Grid->CreateBitmap(2, 1, false, haLeft, vaTop)->SetSize(100, 10);
  Grid->SetCells(2, 0, "gh");
  Grid->SetCells(2, 1, "gh");
  Draw();
  EXPECT_EQ(Grid->PrintColWidth(2), Grid->PrintColWidth(1));
  Grid->PrintSettings().SetPrintGraphics(true);
  Draw();
  EXPECT_EQ(Grid->PrintColWidth(2), Grid->PrintColWidth(1) + static_cast<int>(std::lround(100 * 254.0 / 96)));
}

TEST_F(ProGridPrintTest, ACheckBoxWithoutTextPrintsAtTheRightEdgeOfARightAlignedCell) {
  Fill(2, 3);
  Grid->SetColWidths(1, 200);
  Grid->PrintSettings().SetNoAutoSize(true);
  Grid->PrintSettings().SetPrintGraphics(true);
  Grid->PrintSettings().SetBorders(pbNoborder);
  Grid->AddCheckBox(1, 1, true, false);
  Grid->SetCells(1, 1, "");
  Grid->OnGetAlignment = [](TObject*, int ARow, int ACol, TAlignment& HA, TVAlignment&) {
    if (ARow == 1 && ACol == 1) HA = taRightJustify;
  };
  TBitmap page(PageW, PageH);
  TCanvasRecorder seen(page.Canvas());
  Grid->SetPreviewPage(1);
  Grid->PrintPreview(page.Canvas(), {0, 0, PageW, PageH});
  // The cell's row lies between the texts of rows 0 and 2.
  int top = 0, bottom = 0;
  for (const TDrawCall& t : seen.Of(Headless::dkText)) {
    if (t.Text == "h1") top = t.Device.Bottom;
    if (t.Text == "r2c1") bottom = t.Device.Top;
  }
  const int left = Grid->PrintColOffset(1) * 96 / 254, right = (Grid->PrintColOffset(2)) * 96 / 254;
  const TRect box = PixelTools::BoundsWhere(page, {left + 1, top, right - 1, bottom},
                                            [](TColor c) { return c != clWhite; });
  ASSERT_FALSE(box.IsEmpty());
  EXPECT_GT(box.Left, (left + right) / 2);
  EXPECT_GE(box.Right, right - 12);

  // Without the graphics the cell prints empty.
  Grid->PrintSettings().SetPrintGraphics(false);
  TBitmap plain(PageW, PageH);
  TCanvasRecorder plainSeen(plain.Canvas());
  Grid->PrintPreview(plain.Canvas(), {0, 0, PageW, PageH});
  for (const TDrawCall& t : plainSeen.Of(Headless::dkText)) {
    if (t.Text == "h1") top = t.Device.Bottom;
    if (t.Text == "r2c1") bottom = t.Device.Top;
  }
  ASSERT_LT(top, bottom);
  EXPECT_TRUE(PixelTools::BoundsWhere(plain, {left + 1, top, right - 1, bottom}, [](TColor c) {
                return c != clWhite;
              }).IsEmpty());
}

TEST_F(ProGridPrintTest, RotatedCellTextLandsInsideItsCellOnTheSideItsAlignmentNames) {
  // One cell per angle and alignment: columns left, right, centre; rows top, centre, bottom for
  // each of the four angles. Cells alternate two light colours so each is found by its fill.
  const int angles[] = {-1, 0, 90, 180, 270}; // -1: upright text that is not turned
  const TAlignment hs[] = {taLeftJustify, taRightJustify, taCenter};
  const TVAlignment vs[] = {vtaTop, vtaCenter, vtaBottom};
  Fill(3, 15, 0);
  Grid->PrintSettings().SetNoAutoSize(true);
  Grid->PrintSettings().SetNoAutoSizeRow(true);
  Grid->PrintSettings().SetBorders(pbNoborder);
  Grid->PrintSettings().SetRowSpacing(30);
  Grid->PrintSettings().SetHeaderSize(100);
  for (int c = 0; c < 3; ++c)
    Grid->SetColWidths(c, 150);
  for (int r = 0; r < 15; ++r) {
    Grid->SetRowHeights(r, 56);
    for (int c = 0; c < 3; ++c)
      if (angles[r / 3] >= 0)
        Grid->AddRotated(c, r, angles[r / 3], "WgW");
      else
        Grid->SetCells(c, r, "WgW");
  }
  const TColor light[] = {RGB(255, 255, 200), RGB(200, 255, 255)};
  Grid->OnGetCellPrintColor = [&](TObject*, int ARow, int ACol, TGridDrawState, TBrush& b, TFont&) {
    b.SetColor(light[(ARow + ACol) % 2]);
  };
  Grid->OnGetAlignment = [&](TObject*, int ARow, int ACol, TAlignment& HA, TVAlignment& VA) {
    HA = hs[ACol];
    VA = vs[ARow % 3];
  };
  TBitmap page(PageW, PageH);
  TCanvasRecorder seen(page.Canvas());
  Grid->SetPreviewPage(1);
  Grid->PrintPreview(page.Canvas(), {0, 0, PageW, PageH});
  std::vector<TRect> cells;
  for (const TDrawCall& f : seen.Calls())
    if ((f.Kind == Headless::dkFill || f.Kind == Headless::dkRectangle) &&
        (f.BrushColor == light[0] || f.BrushColor == light[1]))
      cells.push_back(f.Device);
  std::vector<int> escapements;
  for (const TDrawCall& t : seen.Of(Headless::dkText))
    if (t.Text == "WgW") escapements.push_back(t.Escapement);
  ASSERT_EQ(cells.size(), 45u);
  ASSERT_EQ(escapements.size(), 45u);

  auto dark = [](TColor c) { return GetRValue(c) < 128 && GetGValue(c) < 128 && GetBValue(c) < 128; };
  for (int r = 0; r < 15; ++r)
    for (int c = 0; c < 3; ++c) {
      const int angle = std::max(0, angles[r / 3]);
      // The gap on the aligned side: the insets; turned text aligns a box one line high, and a
      // line's height holds the row spacing (30 units, 11 pixels).
      const int slack = angles[r / 3] >= 0 ? 11 : 0;
      const int Near = 14 + slack;
      SCOPED_TRACE(std::to_string(angle) + " degrees, row " + std::to_string(r) + " column " +
                   std::to_string(c));
      const TRect cell = cells[static_cast<std::size_t>(r * 3 + c)];
      EXPECT_EQ(escapements[static_cast<std::size_t>(r * 3 + c)], angle * 10);
      // The cell's own pixels and a thin band of its neighbours' around it: all ink is the cell's.
      const TRect around{cell.Left - 2, cell.Top - 2, cell.Right + 2, cell.Bottom + 2};
      const TRect ink = PixelTools::BoundsWhere(page, around, dark);
      ASSERT_FALSE(ink.IsEmpty());
      const int left = ink.Left - cell.Left, right = cell.Right - ink.Right;
      const int top = ink.Top - cell.Top, bottom = cell.Bottom - ink.Bottom;
      EXPECT_GE(std::min({left, right, top, bottom}), 0) << "ink leaves the cell";
      // Upright text is wider than tall, text on its side taller than wide.
      EXPECT_EQ(ink.Width() > ink.Height(), angle % 180 == 0);
      switch (hs[c]) {
      case taLeftJustify:
        EXPECT_LT(left, Near);
        EXPECT_GT(right, 3 * left);
        break;
      case taRightJustify:
        EXPECT_LT(right, Near);
        EXPECT_GT(left, 3 * right);
        break;
      default: // centred: the text's box holds more than its ink
        EXPECT_NEAR(left, right, 10 + slack);
        break;
      }
      switch (vs[r % 3]) {
      case vtaTop:
        EXPECT_LT(top, Near);
        EXPECT_GT(bottom, 2 * top);
        break;
      case vtaBottom:
        EXPECT_LT(bottom, Near);
        EXPECT_GT(top, 2 * bottom);
        break;
      default:
        EXPECT_NEAR(top, bottom, 10 + slack);
        break;
      }
    }
}

TEST_F(ProGridPrintTest, AMergedCellReachingBelowThePageIsCutWithoutABottomLine) {
  Fill(2, 130);
  int lastRow = 0;
  Grid->OnPrintPageDone = [&](TObject*, TCanvas&, int row, int, int page, int, int) {
    if (page == 1) lastRow = row - 1;
  };
  Preview(1);
  ASSERT_GT(lastRow, 5);
  Grid->MergeCells(1, lastRow - 1, 1, 6);
  Grid->SetCells(1, lastRow - 1, "tall");
  const TPageShot shot = Preview(1);
  EXPECT_EQ(shot.Count("tall"), 1);
  const int floor = Grid->PrintPageRect().Bottom + Grid->PrintSettings().FooterSize();
  for (const TDrawCall& l : shot.Of(Headless::dkLine))
    EXPECT_GE(std::min(l.R.Top, l.R.Bottom), floor);
}

} // namespace

namespace {

// ---------------------------------------------------------------------------------------------
// A table printed to PDF and looked at as pictures

constexpr TColor HeaderColor = RGB(255, 0, 255);
TColor RowColor(int r) {
  return RGB(20 + 2 * r, 230 - 2 * r, 100);
}
// The row a rendered colour encodes; -1 for none (white, lines, text).
int RowOf(TColor c) {
  const int red = static_cast<int>(GetRValue(c)), green = static_cast<int>(GetGValue(c));
  const int blue = static_cast<int>(GetBValue(c));
  if (std::abs(blue - 100) > 3) return -1;
  const int r = static_cast<int>(std::lround((red - 20) / 2.0));
  return r >= 1 && std::abs(green - (230 - 2 * r)) <= 3 ? r : -1;
}

TEST_F(ProGridPrintTest, ATablePrintsToPdfPagesWithEveryRowOnceAndTheHeaderOnEachPage) {
  const int rows = 90;
  Fill(1, rows);
  Grid->SetLook(glClassic); // plain fixed cells, no gradient
  for (int r = 1; r < rows; ++r)
    Grid->SetCells(0, r, "");
  TPrintSettings& ps = Grid->PrintSettings();
  ps.SetUseFixedWidth(true);
  ps.SetFixedWidth(1000);
  ps.SetNoAutoSizeRow(true);
  ps.SetRepeatFixedRows(true);
  ps.SetPageNr(ppBottomRight);
  ps.SetPagePrefix("Page");
  for (int r = 0; r < rows; ++r)
    Grid->SetRowHeights(r, 30);
  Grid->OnGetCellPrintColor = [](TObject*, int ARow, int, TGridDrawState, TBrush& b, TFont&) {
    b.SetColor(ARow == 0 ? HeaderColor : RowColor(ARow));
  };
  const std::string pdf = Dir.File("table.pdf");
  Printer()->SetFileName(pdf);
  Grid->Print();
  ASSERT_EQ(Grid->PrintNrOfPages(), 3);

  const int dpi = 50;
  const std::string command =
      "pdftoppm -r " + std::to_string(dpi) + " -png '" + pdf + "' '" + Dir.File("page") + "'";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  EXPECT_EQ(Dir.Entries(), (std::vector<std::string>{"page-1.png", "page-2.png", "page-3.png", "table.pdf"}));

  auto px = [dpi](int units) { return static_cast<int>(units * dpi / 254.0); };
  const int x = px(1400); // inside the centred column, right of its text
  std::vector<int> seen;
  for (int page = 1; page <= 3; ++page) {
    SCOPED_TRACE("page " + std::to_string(page));
    TBitmap b;
    ASSERT_TRUE(b.LoadFromFile(Dir.File("page-" + std::to_string(page) + ".png")));
    // The header row first, at the page's top.
    int y = 0;
    while (y < b.Height() && b.Pixel(x, y) != HeaderColor)
      ++y;
    EXPECT_LT(y, px(150));
    int last = -1;
    for (; y < b.Height(); ++y) {
      const int r = RowOf(b.Pixel(x, y));
      if (r > 0 && r != last) {
        seen.push_back(r);
        last = r;
      }
    }
    // The page number's ink in its slot at the bottom right, right of the table (550..1550).
    const TRect slot{px(1600), b.Height() - px(250), b.Width(), b.Height()};
    EXPECT_FALSE(PixelTools::BoundsWhere(b, slot, [](TColor c) { return GetRValue(c) < 100; }).IsEmpty());
  }
  std::vector<int> expected;
  for (int r = 1; r < rows; ++r)
    expected.push_back(r);
  EXPECT_EQ(seen, expected); // in order, none lost or doubled at the breaks
}

} // namespace

#include "platform/ui/PrintPreview.h"
#include "platform/ui/StdCtrls.h"

namespace {

TEST_F(ProGridPrintTest, ThePreviewWindowShowsTheGridsPagesOneByOne) {
  Fill(2, 130);
  Grid->PrintSettings().SetPageNr(ppBottomCenter);
  std::vector<int> drawn;
  TPrintPreviewForm preview(nullptr, [&](TCanvas& c, const TRect& page, int nr) {
    drawn.push_back(nr);
    Grid->SetPreviewPage(nr);
    Grid->PrintPreview(c, page);
    return Grid->PrintNrOfPages();
  });
  EXPECT_EQ(preview.PageCount(), 3);
  EXPECT_EQ(preview.PageLabel()->Caption(), "Page 1 of 3");
  EXPECT_FALSE(preview.PriorButton()->Enabled());
  const TBitmap& image = preview.PageImage();
  EXPECT_NEAR(image.Width(), 794, 1); // A4 at the screen's resolution
  EXPECT_FALSE(InkBounds(image).IsEmpty());
  const TBitmap first = image;
  preview.NextButton()->Click();
  preview.NextButton()->Click();
  EXPECT_EQ(preview.Page(), 3);
  EXPECT_FALSE(preview.NextButton()->Enabled());
  EXPECT_FALSE(SamePixels(first, preview.PageImage()));
  preview.SetPage(9);
  EXPECT_EQ(preview.Page(), 3);
  EXPECT_EQ(drawn.front(), 1);
  EXPECT_EQ(drawn.back(), 3);
}

} // namespace
