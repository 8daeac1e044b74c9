// Printing the tree: the pages it takes, the pixels on them, trees taller than any bitmap, and
// printers that give nothing to scale by.
#include "TreeFixture.h"

#include "platform/ui/Printers.h"
#include "support/PixelTools.h"
#include "support/TempDir.h"
#include "tree/StringTree.h"
#include "tree/TreePrintTarget.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <memory>

namespace {

// A printer of bitmap pages at the screen's resolution; it counts pages and keeps the pictures of
// the first page only, or of all of them.
class TTestPrintTarget : public TTreePrintTarget {
public:
  TTestPrintTarget(int width, int height, bool keepAll) : FKeepAll(keepAll) {
    FPage.SetPixelFormat(pf32bit);
    FPage.SetSize(width, height);
    FWidth = width;
    FHeight = height;
  }
  void BeginDoc() override {
    Pages = 1;
    Clear();
  }
  void NewPage() override {
    Keep();
    ++Pages;
    Clear();
  }
  void EndDoc() override {
    Keep();
    Ended = true;
  }
  void Abort() override { Aborted = true; }
  int PageWidth() const override { return FWidth; }
  int PageHeight() const override { return FHeight; }
  TCanvas& Canvas() override { return FPage.Canvas(); }

  int Pages = 0;
  bool Ended = false;
  bool Aborted = false;
  std::vector<TBitmap> Kept;

private:
  void Clear() {
    if (FPage.Empty()) return;
    FPage.Canvas().Brush().SetColor(clWhite);
    FPage.Canvas().FillRect(TRect{0, 0, FWidth, FHeight});
  }
  void Keep() {
    if (FKeepAll || Kept.empty()) Kept.push_back(FPage);
  }
  TBitmap FPage;
  bool FKeepAll;
  int FWidth, FHeight;
};

class TreePrintTest : public TUiTest {
protected:
  void SetUp() override {
    TUiTest::SetUp();
    Tree.reset(new TNodeStringTree(nullptr));
    Tree->SetBounds(0, 0, 217, 100); // 200 px of client beside the vertical bar
    Tree->Font().SetName("DejaVu Sans");
    Tree->SetNodeDataSize(0);
    Tree->SetColor(clCream);
  }
  void TearDown() override {
    if (Printer()->Printing()) Printer()->Abort();
    Printer()->SetFileName("");
    Tree.reset();
    TUiTest::TearDown();
  }
  // n top-level nodes; every third has two children, expanded.
  void Fill(std::uint32_t n) {
    Tree->SetRootNodeCount(n);
    int i = 0;
    for (PVNode node = Tree->GetFirst(); node; node = Tree->GetNextSibling(node))
      if (i++ % 3 == 0) {
        Tree->SetChildCount(node, 2);
        Tree->SetExpanded(node, true);
      }
  }
  int PdfPages(const std::string& pdf) {
    const std::string command = "pdfinfo '" + pdf + "' 2>/dev/null";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    if (!pipe) return -1;
    char line[512];
    while (fgets(line, sizeof line, pipe.get())) {
      int pages = 0;
      if (std::sscanf(line, "Pages: %d", &pages) == 1) return pages;
    }
    return -1;
  }
  TOwned<TNodeStringTree> Tree;
  TTempDir Dir;
};

} // namespace

TEST_F(TreePrintTest, PagesCoverTheTreeWithoutAnEmptyPage) {
  Fill(15); // 25 rows: 450 px high, 200 px wide
  ASSERT_EQ(Tree->GetTreeRect().Bottom, 450);
  ASSERT_EQ(Tree->GetTreeRect().Right, 200);
  struct TCase {
    int width, height, pages;
    const char* what;
  };
  for (const TCase& c :
       {TCase{200, 225, 2, "an exact multiple both ways"}, TCase{100, 150, 6, "exact, 2 x 3"},
        TCase{500, 200, 3, "narrower than a page: one page per row"}, TCase{90, 449, 6, "just short: 3 x 2"},
        TCase{1000, 1000, 1, "all on one page"}}) {
    SCOPED_TRACE(c.what);
    TTestPrintTarget target(c.width, c.height, false);
    Tree->Print(target, false);
    EXPECT_EQ(target.Pages, c.pages);
    EXPECT_TRUE(target.Ended);
    EXPECT_FALSE(target.Aborted);
  }
  EXPECT_EQ(Tree->Color(), clCream) << "the colour comes back";
  EXPECT_EQ(Tree->UpdateCount(), 0u);
}

// Each page carries exactly the pixels of the tree rendered whole, on white.
TEST_F(TreePrintTest, PagesShowThePixelsOfTheWholeTree) {
  Fill(15);
  Tree->OnGetText = [](TBaseNodeTree*, PVNode n, TColumnIndex, TVSTTextType type, std::string& text) {
    if (type == ttNormal) text = "Meter " + std::to_string(n->Index);
  };
  const TRect r = Tree->GetTreeRect();
  TBitmap whole(r.Width(), r.Height());
  Tree->SetColor(clWhite);
  Tree->PaintTree(whole.Canvas(), r, TPoint{0, 0}, TVTInternalPaintOptions{poGridLines});
  Tree->SetColor(clCream);
  // Odd page sizes move the dotted lines' parity from page to page.
  const int pw = 91, ph = 97;
  TTestPrintTarget target(pw, ph, true);
  Tree->Print(target, false);
  ASSERT_EQ(target.Pages, 3 * 5);
  ASSERT_EQ(target.Kept.size(), 15u);
  int differing = 0, inked = 0;
  for (int row = 0; row < 5; ++row)
    for (int column = 0; column < 3; ++column) {
      const TBitmap& page = target.Kept[row * 3 + column];
      for (int y = 0; y < ph; ++y)
        for (int x = 0; x < pw; ++x) {
          const int tx = column * pw + x, ty = row * ph + y;
          const TColor expected = tx < r.Right && ty < r.Bottom ? whole.Pixel(tx, ty) : clWhite;
          if (page.Pixel(x, y) != expected) ++differing;
          if (expected != clWhite) ++inked;
        }
    }
  EXPECT_EQ(differing, 0);
  EXPECT_GT(inked, 500) << "lines, buttons and texts were on the pages";
}

// A tree taller than any bitmap the platform makes still prints all its pages.
TEST_F(TreePrintTest, ATreeTallerThanTheLargestBitmapPrintsAllItsPages) {
  Tree->SetRootNodeCount(50000); // 900,000 px high
  const TRect r = Tree->GetTreeRect();
  ASSERT_EQ(r.Bottom, 900000);
  ASSERT_TRUE(TBitmap(r.Width(), r.Height()).Empty()) << "no bitmap of the whole tree can be made";
  TTestPrintTarget target(200, 5000, false);
  Tree->Print(target, false);
  EXPECT_EQ(target.Pages, 180);
  EXPECT_TRUE(target.Ended);
  ASSERT_EQ(target.Kept.size(), 1u);
  const TBitmap& first = target.Kept[0];
  EXPECT_FALSE(
      PixelTools::BoundsWhere(first, TRect{0, 0, 200, 18}, [](TColor c) { return c != clWhite; }).IsEmpty());
}

// A printer whose text has no height gives a scale of 0.
class TFlatPrintTarget : public TTestPrintTarget {
public:
  using TTestPrintTarget::TTestPrintTarget;
  int TextHeight(const std::string&) override { return 0; }
};

TEST_F(TreePrintTest, APrinterWithNothingToScaleByIsRefusedWithAClearError) {
  Fill(3);
  TTestPrintTarget noPage(0, 0, false);
  TFlatPrintTarget flat(200, 200, false);
  for (TTestPrintTarget* target : {&noPage, static_cast<TTestPrintTarget*>(&flat)}) {
    try {
      Tree->Print(*target, false);
      ADD_FAILURE() << "printed";
    } catch (const EPrinter& e) {
      EXPECT_NE(std::string(e.what()).find("cannot be printed"), std::string::npos) << e.what();
    }
    EXPECT_TRUE(target->Aborted);
    EXPECT_FALSE(target->Ended);
    EXPECT_EQ(Tree->Color(), clCream);
    EXPECT_EQ(Tree->UpdateCount(), 0u);
  }
  Tree->Print(static_cast<TPrinter*>(nullptr), false); // no printer: nothing
}

// On the platform printer: the PDF has the pages the tree's picture needs at the printer's scale.
TEST_F(TreePrintTest, PdfHasThePagesOfTheScaledTree) {
  TPrinter& p = *Printer();
  p.SetResolution(150);
  // The tree's pixels per page, as the printer's text compares with the screen's.
  p.SetFileName(Dir.File("probe.pdf"));
  p.BeginDoc();
  p.Canvas().Font() = Tree->Font();
  TCanvas screen;
  screen.Font() = Tree->Font();
  const double scale = static_cast<double>(p.Canvas().TextHeight("Tj")) / screen.TextHeight("Tj");
  const int pw = static_cast<int>(std::lround(p.PageWidth() / scale));
  const int ph = static_cast<int>(std::lround(p.PageHeight() / scale));
  p.Abort();
  ASSERT_GT(pw, 200) << "an A4 page is wider than the tree";
  struct TCase {
    int clientHeight;
    std::uint32_t nodes;
    int pages;
    const char* what;
  };
  const TCase cases[] = {
      {100, 3, 1, "a small tree"},
      {100, static_cast<std::uint32_t>(ph / 18 + 1), 2, "one row more than a page"},
      {2 * ph, 3, 2, "exactly two pages high"},
  };
  int n = 0;
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.what);
    Tree->Clear();
    Tree->SetBounds(0, 0, 200, c.clientHeight);
    Tree->SetRootNodeCount(c.nodes);
    ASSERT_LT(Tree->GetTreeRect().Right, pw);
    const std::string pdf = Dir.File("tree" + std::to_string(n++) + ".pdf");
    p.SetFileName(pdf);
    Tree->Print(&p, false);
    EXPECT_EQ(PdfPages(pdf), c.pages);
  }
  p.SetResolution(600);
}
