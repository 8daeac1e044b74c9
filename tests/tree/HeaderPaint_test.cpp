// The header as the window shows it, rendered to PNG and checked at sample points: shortened and
// wrapped captions, the sort arrow beside right-aligned and right-to-left captions, the pressed
// cell's shift and the embossed disabled caption.
#include "InputFixture.h"
#include "support/ControlPicture.h"
#include "support/PixelTools.h"
#include "tree/TreePrintTarget.h"
#include "tree/VTHeader.h"

namespace {

const TColor Text = ColorToRGB(clWindowText);
const TColor Arrow = ColorToRGB(clBtnShadow);
const TColor Hot = clRed;

bool IsText(TColor c) {
  return c == Text;
}

class THeaderPaintTest : public TTreeInputTest {
protected:
  void SetUp() override {
    TTreeInputTest::SetUp();
    Tree->Font().SetName("DejaVu Sans");
    Header().Font().SetName("DejaVu Sans");
    Header().SetOptions(Header().Options() + TVTHeaderOptions{hoVisible});
    Tree->Colors().SetColor(vcHeaderHot, Hot);
  }
  TVTHeader& Header() { return Tree->Header(); }
  TNodeTreeColumns& Columns() { return Header().Columns(); }
  TNodeTreeColumn& Add(const std::string& text, int width) {
    TNodeTreeColumn* c = Columns().Add();
    c->SetText(text);
    c->SetWidth(width);
    return *c;
  }
  // The tree's pixels through a PNG of the form, the tree's top-left at (0, 0).
  TBitmap Shot() {
    Tree->Invalidate();
    Application->ProcessMessages();
    const TBitmap whole = RenderPicture(*Form);
    TBitmap tree;
    const TPoint origin = Tree->TControl::ClientToScreen(TPoint{0, 0}); // the window, header included
    const TPoint form = Form->ClientToScreen(TPoint{0, 0});
    tree.SetSize(Tree->Width(), Tree->Height());
    for (int y = 0; y < tree.Height(); ++y)
      for (int x = 0; x < tree.Width(); ++x)
        tree.SetPixel(x, y, whole.Pixel(x + origin.X - form.X, y + origin.Y - form.Y));
    return tree;
  }
  // The inside of a column's header cell, without its edges.
  TRect Inside(TColumnIndex c) {
    return TRect{Columns()[c]->Left() + 2, 2, Columns()[c]->Left() + Columns()[c]->Width() - 2,
                 Header().Height() - 2};
  }
  TRect TextInk(const TBitmap& b, TColumnIndex c) { return PixelTools::BoundsWhere(b, Inside(c), IsText); }
};

TEST_F(THeaderPaintTest, LongCaptionIsShortenedOrWrapped) {
  Add("Flow temperature of the return", 70);
  Add("Flow temperature of the return", 70)
      .SetOptions(Columns()[1]->Options() + TVTColumnOptions{coWrapCaption});
  Header().SetHeight(44);
  const TBitmap b = Shot();
  const TRect shortened = TextInk(b, 0);
  ASSERT_FALSE(shortened.IsEmpty());
  EXPECT_LE(shortened.Right, Columns()[0]->Left() + 70 - 2 - Columns()[0]->Margin() + 1) << Sketch(b);
  EXPECT_EQ(Columns()[0]->CaptionText(), "Flow temperature of the return");

  const TRect wrapped = TextInk(b, 1);
  ASSERT_FALSE(wrapped.IsEmpty());
  EXPECT_NE(Columns()[1]->CaptionText().find('\n'), std::string::npos);
  EXPECT_GT(wrapped.Height(), shortened.Height() + 6) << "more than one line";
  EXPECT_LE(wrapped.Right, Inside(1).Right);
}

TEST_F(THeaderPaintTest, SortArrowSitsAtTheRightMarginOfARightAlignedCaption) {
  TNodeTreeColumn& right = Add("Flow", 90);
  right.SetCaptionAlignment(taRightJustify);
  TNodeTreeColumn& rtl = Add("Flow", 90);
  rtl.SetCaptionAlignment(taRightJustify);
  rtl.SetBiDiMode(bdRightToLeft);
  Header().SetSortColumn(0);
  TBitmap b = Shot();
  TRect arrow = ColorBounds(b, Arrow, Inside(0));
  TRect text = TextInk(b, 0);
  ASSERT_FALSE(arrow.IsEmpty());
  ASSERT_FALSE(text.IsEmpty());
  EXPECT_LE(arrow.Right, Inside(0).Right - right.Margin());
  EXPECT_GE(arrow.Left, Inside(0).Right - right.Margin() - 16);
  EXPECT_LT(text.Right, arrow.Left) << "the caption ends before the arrow";

  Header().SetSortColumn(1);
  b = Shot();
  arrow = ColorBounds(b, Arrow, Inside(1));
  text = TextInk(b, 1);
  ASSERT_FALSE(arrow.IsEmpty());
  ASSERT_FALSE(text.IsEmpty());
  EXPECT_LT(arrow.Right, text.Left) << "right to left: the arrow comes first";
  EXPECT_LE(arrow.Left, Inside(1).Left + rtl.Margin() + 16);
  EXPECT_TRUE(ColorBounds(b, Arrow, Inside(0)).IsEmpty()) << "only the sort column has an arrow";
}

TEST_F(THeaderPaintTest, AnOwnerDrawnCaptionLeavesTheBackgroundAndTheSortArrowToTheTree) {
  Add("Flow", 90);
  Header().SetSortColumn(0);
  Header().SetOptions(Header().Options() + TVTHeaderOptions{hoOwnerDraw});
  Tree->OnHeaderDrawQueryElements = [](TVTHeader*, THeaderPaintInfo& info, THeaderPaintElements& e) {
    if (info.Column) e.Include(hpeText);
  };
  int captions = 0;
  Tree->OnAdvancedHeaderDraw = [&](TVTHeader*, THeaderPaintInfo& info, THeaderPaintElements e) {
    EXPECT_FALSE(e.Has(hpeSortGlyph)) << "not asked for";
    if (!e.Has(hpeText)) return;
    ++captions;
    info.TargetCanvas->Brush().SetColor(clLime);
    const TRect& r = info.PaintRectangle;
    info.TargetCanvas->FillRect(TRect{r.Left + 4, r.Top + 4, r.Left + 14, r.Top + 9});
  };
  const TBitmap b = Shot();
  EXPECT_GT(captions, 0);
  EXPECT_TRUE(TextInk(b, 0).IsEmpty()) << "the tree draws no caption";
  EXPECT_FALSE(ColorBounds(b, clLime, Inside(0)).IsEmpty()) << "the application's caption";
  EXPECT_FALSE(ColorBounds(b, Arrow, Inside(0)).IsEmpty()) << "the tree's sort arrow";
  EXPECT_EQ(b.Pixel(Inside(0).Right - 30, Inside(0).Bottom - 2), ColorToRGB(clBtnFace))
      << "the tree's background";
  // Without hoOwnerDraw the handlers are not asked and the caption is the tree's.
  Header().SetOptions(Header().Options() - TVTHeaderOptions{hoOwnerDraw});
  captions = 0;
  const TBitmap plain = Shot();
  EXPECT_EQ(captions, 0);
  EXPECT_FALSE(TextInk(plain, 0).IsEmpty());
}

TEST_F(THeaderPaintTest, EveryColumnOfAFlatAutoSizedHeaderHasItsRightEdge) {
  // A tree here has no bevel: the last column keeps its right edge whatever the style.
  Add("A", 60);
  Add("B", 60);
  Header().SetAutoSizeIndex(1);
  Header().SetOptions(Header().Options() + TVTHeaderOptions{hoAutoResize});
  for (TVTHeaderStyle style : {hsThickButtons, hsFlatButtons, hsPlates}) {
    SCOPED_TRACE(static_cast<int>(style));
    Header().SetStyle(style);
    const TBitmap b = Shot();
    const int y = Header().Height() / 2;
    const TColor first = b.Pixel(Columns()[0]->Left() + Columns()[0]->Width() - 1, y);
    EXPECT_NE(first, ColorToRGB(clBtnFace));
    EXPECT_EQ(b.Pixel(Columns()[1]->Left() + Columns()[1]->Width() - 1, y), first);
  }
}

TEST_F(THeaderPaintTest, PressedCellDrawsItsCaptionOnePixelRightAndDown) {
  Add("Name", 80);
  Add("Value", 80);
  const TRect normal = TextInk(Shot(), 1);
  Headless::MouseMove(*Tree, TPoint{120, 8});
  Headless::MouseDown(*Tree, TPoint{120, 8});
  ASSERT_EQ(Columns().DownIndex(), 1);
  const TRect pressed = TextInk(Shot(), 1);
  Headless::MouseUp(*Tree, TPoint{120, 8});
  ASSERT_FALSE(normal.IsEmpty());
  EXPECT_EQ(pressed.Left, normal.Left + 1);
  EXPECT_EQ(pressed.Top, normal.Top + 1);
}

TEST_F(THeaderPaintTest, DisabledColumnIsEmbossedAndNeverHot) {
  Add("Name", 80);
  TNodeTreeColumn& off = Add("Value", 80);
  off.SetOptions(off.Options() - TVTColumnOptions{coEnabled});
  Header().SetOptions(Header().Options() + TVTHeaderOptions{hoHotTrack});
  Headless::MouseMove(*Tree, TPoint{40, 8});
  ASSERT_EQ(Columns().HoverIndex(), 0);
  TBitmap b = Shot();
  EXPECT_GT(CountColor(b, Hot, Inside(0)), 0) << "an enabled column shows hot";

  Headless::MouseMove(*Tree, TPoint{120, 8});
  ASSERT_EQ(Columns().HoverIndex(), 1);
  b = Shot();
  EXPECT_EQ(CountColor(b, Hot, Inside(1)), 0) << "never hot";
  EXPECT_TRUE(TextInk(b, 1).IsEmpty()) << "no caption in the normal colour";
  const TRect shadow = ColorBounds(b, Arrow, Inside(1));
  const TRect light = ColorBounds(b, ColorToRGB(clBtnHighlight), Inside(1));
  ASSERT_FALSE(shadow.IsEmpty());
  ASSERT_FALSE(light.IsEmpty());
  EXPECT_EQ(light.Right, shadow.Right + 1) << "the highlight lies one pixel right of the shadow";
  EXPECT_EQ(light.Bottom, shadow.Bottom + 1);
}

} // namespace

namespace {

// Pages as bitmaps at the screen's resolution; the first page is kept.
class TPageTarget : public TTreePrintTarget {
public:
  TPageTarget(int width, int height) {
    FPage.SetSize(width, height);
    FPage.Canvas().Brush().SetColor(clWhite);
    FPage.Canvas().FillRect(TRect{0, 0, width, height});
  }
  void BeginDoc() override { Pages = 1; }
  void NewPage() override {
    if (First.Empty()) First = FPage;
    ++Pages;
  }
  void EndDoc() override {
    if (First.Empty()) First = FPage;
  }
  void Abort() override {}
  int PageWidth() const override { return FPage.Width(); }
  int PageHeight() const override { return FPage.Height(); }
  TCanvas& Canvas() override { return FPage.Canvas(); }
  int Pages = 0;
  TBitmap First;

private:
  TBitmap FPage;
};

TEST_F(THeaderPaintTest, PrintedPagesAreHeadedByTheHeader) {
  Add("Name", 90);
  Add("Value", 90);
  Tree->SetRootNodeCount(10); // 180 pixels of rows
  const int height = Header().Height();
  TPageTarget without(200, 180);
  Tree->Print(without, false);
  EXPECT_EQ(without.Pages, 1);
  EXPECT_EQ(CountColor(without.First, Text, TRect{0, 0, 180, height}), 0);

  TPageTarget with(200, 180);
  Tree->Print(with, true);
  EXPECT_EQ(with.Pages, 2) << "the header's rows push the last node onto a second page";
  EXPECT_GT(CountColor(with.First, Text, TRect{0, 0, 90, height}), 0) << "the first caption";
  EXPECT_GT(CountColor(with.First, Text, TRect{90, 0, 180, height}), 0) << "the second caption";
}

} // namespace
