// Cell graphics painted on their own, on a bitmap: check boxes bound to their text, indicators
// whose value is the cell's number, images by index, comments, ratings, buttons and radio groups.
#include "ProGridFixture.h"

#include "grid/CellGraphic.h"
#include "grid/GridCellObject.h"
#include "grid/IntList.h"
#include "platform/StringList.h"
#include "platform/ui/Graphics.h"
#include "platform/ui/ImageList.h"
#include "support/PixelTools.h"

#include <gtest/gtest.h>

namespace {

class ProGridGraphicPaintTest : public TProGridTest<> {
protected:
  // The graphic of cell (c, r) painted alone on white into (0, 0, w, h).
  TBitmap Paint(int c, int r, int w = 100, int h = 20, TGridDrawState State = 0) {
    TBitmap b(w, h);
    b.Canvas().Brush().SetColor(clWhite);
    b.Canvas().FillRect(Rect(0, 0, w, h));
    TRect R = Rect(0, 0, w, h);
    Grid->DrawCellGraphic(b.Canvas(), R, c, r, taLeftJustify, vtaTop, 0, State);
    return b;
  }
};

TEST_F(ProGridGraphicPaintTest, DataCheckBoxIsCheckedExactlyWhenItsTextIsY) {
  Grid->AddCheckBox(1, 1, false, true);
  for (TGridControlStyle style : {csTheme, csWinXP, csClassic}) {
    Grid->ControlLook().SetControlStyle(style);
    Grid->SetCells(1, 1, "N");
    const TBitmap unchecked = Paint(1, 1);
    Grid->SetCells(1, 1, "Y");
    const TBitmap checked = Paint(1, 1);
    EXPECT_FALSE(SamePixels(checked, unchecked)) << "style " << style;
    EXPECT_NE(InkBounds(unchecked), TRect()) << "style " << style;
    for (const char* text : {"", "y", "YES", "1"}) {
      Grid->SetCells(1, 1, text);
      EXPECT_TRUE(SamePixels(Paint(1, 1), unchecked)) << "style " << style << ", text '" << text << "'";
    }
  }
}

TEST_F(ProGridGraphicPaintTest, CheckBoxesAndRadioButtonsOfOtherKinds) {
  Grid->ControlLook().SetControlStyle(csWinXP);
  Grid->AddCheckBox(1, 1, true, false);
  Grid->AddCheckBox(2, 1, false, false);
  EXPECT_FALSE(SamePixels(Paint(1, 1), Paint(2, 1)));
  Grid->AddRadioButton(1, 2, true);
  Grid->AddRadioButton(2, 2, false);
  const TBitmap on = Paint(1, 2), off = Paint(2, 2);
  EXPECT_FALSE(SamePixels(on, off));
  EXPECT_NE(InkBounds(off), TRect()) << "an unchecked radio button is drawn too";
}

TEST_F(ProGridGraphicPaintTest, ProgressBarFilledToItsValue) {
  Grid->ControlLook().SetControlStyle(csClassic);
  Grid->AddProgress(1, 1, clRed, clWhite);
  Grid->SetCells(1, 1, "50");
  const TBitmap half = Paint(1, 1, 104, 20);
  const TRect red = ColorBounds(half, clRed);
  ASSERT_FALSE(red.IsEmpty());
  // The bar runs over the cell less its margins; half of it is filled.
  const TRect bar = InkBounds(half);
  EXPECT_NEAR(red.Right - bar.Left, (bar.Width()) / 2, 2) << Sketch(half);
  Grid->SetCells(1, 1, "100");
  EXPECT_GT(ColorBounds(Paint(1, 1, 104, 20), clRed).Width(), red.Width() + 40);
}

TEST_F(ProGridGraphicPaintTest, IndicatorOfATextThatIsNoNumberPaintsAsZero) {
  // Mended: reading the value raised out of the paint.
  Grid->AddProgress(1, 1, clRed, clWhite);
  Grid->AddRating(2, 1, 5, clRed, clSilver);
  Grid->AddProProgress(3, 1, 0, 100);
  Grid->AddRangeIndicator(4, 1, 10, clRed, clGreen, false);
  for (int c = 1; c <= 4; ++c) {
    Grid->SetCells(c, 1, "0");
    const TBitmap zero = Paint(c, 1);
    Grid->SetCells(c, 1, "abc");
    TBitmap text;
    EXPECT_NO_THROW(text = Paint(c, 1)) << "column " << c;
    EXPECT_TRUE(SamePixels(text, zero)) << "column " << c;
  }
}

TEST_F(ProGridGraphicPaintTest, XPProgressWithAnEmptyRangeDrawsNothingDone) {
  // Mended: the percentage divided by maximum - minimum.
  Grid->AddProProgress(1, 1, 0, 100);
  Grid->SetCells(1, 1, "0");
  const TBitmap none = Paint(1, 1);
  Grid->AddProProgress(1, 1, 5, 5);
  Grid->SetCells(1, 1, "7");
  EXPECT_TRUE(SamePixels(Paint(1, 1), none));
}

TEST_F(ProGridGraphicPaintTest, DataImageOnlyForAnIndexInTheList) {
  TImageList images(16, 16);
  TBitmap red(16, 16), blue(16, 16);
  red.Canvas().Brush().SetColor(clRed);
  red.Canvas().FillRect(Rect(0, 0, 16, 16));
  blue.Canvas().Brush().SetColor(clBlue);
  blue.Canvas().FillRect(Rect(0, 0, 16, 16));
  images.Add(red);
  images.Add(blue);
  Grid->SetGridImages(&images);
  Grid->CreateCellGraphic(1, 1)->SetDataImage(0, haLeft, vaTop);
  struct {
    const char* Text;
    TColor Seen; // clNone: nothing drawn
  } cases[] = {{"0", clRed}, {"1", clBlue}, {"2", clNone}, {"-1", clNone}, {"x", clRed}};
  for (const auto& c : cases) {
    Grid->SetCells(1, 1, c.Text);
    const TBitmap b = Paint(1, 1, 40, 20);
    if (c.Seen == clNone)
      EXPECT_EQ(InkBounds(b), TRect()) << c.Text;
    else
      EXPECT_GT(CountColor(b, c.Seen, PixelTools::Whole(b)), 100) << c.Text;
  }
  Grid->SetGridImages(nullptr);
}

TEST_F(ProGridGraphicPaintTest, ImagesOfTheImageList) {
  TImageList images(10, 10);
  for (TColor c : {clRed, clBlue}) {
    TBitmap b(10, 10);
    b.Canvas().Brush().SetColor(c);
    b.Canvas().FillRect(Rect(0, 0, 10, 10));
    images.Add(b);
  }
  int idx = -5;
  Grid->AddImageIdx(1, 1, 1, haLeft, vaTop);
  EXPECT_FALSE(Grid->GetImageIdx(1, 1, idx)) << "no image list: no image";
  Grid->SetGridImages(&images);
  Grid->AddImageIdx(1, 1, 1, haLeft, vaTop);
  EXPECT_TRUE(Grid->GetImageIdx(1, 1, idx));
  EXPECT_EQ(idx, 1);
  EXPECT_GT(CountColor(Paint(1, 1, 40, 20), clBlue, Rect(0, 0, 40, 20)), 90);
  Grid->SetImageIdx(1, 1, 0);
  EXPECT_GT(CountColor(Paint(1, 1, 40, 20), clRed, Rect(0, 0, 40, 20)), 90);

  Grid->AddDataImage(2, 1, 1, haLeft, vaTop);
  EXPECT_EQ(Grid->Cells(2, 1), "1") << "an empty cell takes the index as its number";
  EXPECT_TRUE(Grid->HasDataImage(2, 1));
  EXPECT_TRUE(Grid->RemoveDataImage(2, 1));
  EXPECT_EQ(Grid->Cells(2, 1), "");

  Grid->AddMultiImage(3, 1, 0, haLeft, vaTop);
  TIntList* list = Grid->GetCellGraphic(3, 1)->CellIntList();
  ASSERT_NE(list, nullptr);
  list->Add(0);
  list->Add(1);
  const TBitmap both = Paint(3, 1, 40, 20);
  EXPECT_LT(ColorBounds(both, clRed).Right, ColorBounds(both, clBlue).Left + 1) << "side by side";
  EXPECT_EQ(ColorBounds(both, clBlue).Width(), 10);
  Grid->SetGridImages(nullptr);
}

TEST_F(ProGridGraphicPaintTest, RatingShowsWholeAndHalfStars) {
  const TColor on = clRed, off = clSilver;
  Grid->AddRating(1, 1, 5, on, off);
  struct {
    const char* Value;
    int Full;
    bool Half;
  } cases[] = {{"2.25", 2, false}, {"2.5", 2, true}, {"2.75", 2, true}, {"3.0", 3, false}, {"0", 0, false}};
  for (const auto& c : cases) {
    Grid->SetCells(1, 1, c.Value);
    const TBitmap b = Paint(1, 1, 100, 20);
    const TRect stars = InkBounds(b);
    ASSERT_FALSE(stars.IsEmpty());
    int full = 0, half = 0;
    for (int i = 0; i < 5; ++i) {
      const TRect star = Rect(stars.Left + 18 * i, 0, stars.Left + 18 * i + 16, 20);
      const int onPixels = CountColor(b, on, star), offPixels = CountColor(b, off, star);
      if (onPixels > 0 && offPixels == 0) ++full;
      if (onPixels > 0 && offPixels > 0) ++half;
    }
    EXPECT_EQ(full, c.Full) << c.Value << "\n" << Sketch(b);
    EXPECT_EQ(half, c.Half ? 1 : 0) << c.Value;
  }
}

TEST_F(ProGridGraphicPaintTest, CommentTriangleInTheTopRightCorner) {
  Grid->AddComment(1, 1, "note");
  const TBitmap b = Paint(1, 1, 60, 20);
  // (Right - 7, Top), (Right - 2, Top), (Right - 2, Top + 5)
  EXPECT_EQ(b.Pixel(56, 1), TColor(0x0000FF));
  EXPECT_EQ(b.Pixel(50, 4), clWhite);
  EXPECT_EQ(ColorBounds(b, 0x0000FF).Right, 59);
  Grid->AddColorComment(2, 1, "own colour", clGreen);
  EXPECT_EQ(Paint(2, 1, 60, 20).Pixel(56, 1), clGreen);
  // Without a look colour no mark shows, whatever the comment's own colour.
  Grid->ControlLook().SetCommentColor(clNone);
  EXPECT_EQ(InkBounds(Paint(2, 1, 60, 20)), TRect());
}

TEST_F(ProGridGraphicPaintTest, ButtonRemembersWhereItWasPlaced) {
  Grid->AddButton(1, 1, 30, 14, "Go", haLeft, vaTop);
  const TRect cell = Grid->CellRect(1, 1);
  TBitmap b(Grid->ClientWidth(), Grid->ClientHeight());
  TRect R = cell;
  Grid->DrawCellGraphic(b.Canvas(), R, 1, 1, taLeftJustify, vtaTop, 0, 0);
  const TRect placed = Grid->GetCellButtonRect(1, 1);
  EXPECT_EQ(placed.Width(), 30);
  EXPECT_EQ(placed.Height(), 14);
  EXPECT_TRUE(placed.Left >= cell.Left && placed.Top >= cell.Top && placed.Right <= cell.Right);
  // The same cell painted somewhere else, as on a printed page, leaves the click area alone.
  TBitmap page(600, 600);
  TRect elsewhere = Rect(400, 500, 400 + cell.Width(), 500 + cell.Height());
  Grid->DrawCellGraphic(page.Canvas(), elsewhere, 1, 1, taLeftJustify, vtaTop, 0, 0);
  EXPECT_EQ(Grid->GetCellButtonRect(1, 1), placed);
}

TEST_F(ProGridGraphicPaintTest, ButtonRectangleFromTheStoredOffset) {
  Grid->AddButton(1, 1, 60, 20, "Go", haLeft, vaTop);
  EXPECT_EQ(Grid->GetCellGraphic(1, 1)->CellIndex(), 20 * 65536 + 60);
  // Put the cell at (100, 40).
  Grid->SetColWidths(0, 100 - (Grid->CellRect(1, 1).Left - Grid->ColWidths(0)));
  Grid->SetRowHeights(0, 40 - (Grid->CellRect(1, 1).Top - Grid->RowHeights(0)));
  ASSERT_EQ(Grid->CellRect(1, 1).Left, 100);
  ASSERT_EQ(Grid->CellRect(1, 1).Top, 40);
  Grid->GetCellGraphic(1, 1)->SetCellValue(2 * 65536 + 4); // placed at (4, 2) by a paint
  EXPECT_EQ(Grid->GetCellButtonRect(1, 1), Rect(104, 42, 164, 62));
  EXPECT_EQ(Grid->GetCellButtonRect(2, 1), Rect(0, 0, 0, 0));
}

TEST_F(ProGridGraphicPaintTest, InterfaceObjectPaintsInItsPass) {
  struct TObjectCell : TPersistent, IGridCellObject {
    bool Before = false;
    int Draws = 0;
    void Draw(TCanvas&, const TRect&, TProStringGrid*, bool, int, int) override { ++Draws; }
    int Width() const override { return 10; }
    int Height() const override { return 10; }
    bool DrawsBeforeText() const override { return Before; }
  } obj;
  Grid->CreateCellGraphic(1, 1)->SetInterfacedCell(&obj);
  TBitmap b(20, 20);
  TRect R = Rect(0, 0, 20, 20);
  Grid->DrawCellGraphic(b.Canvas(), R, 1, 1, taLeftJustify, vtaTop, 0, 0, true);
  EXPECT_EQ(obj.Draws, 0);
  Grid->DrawCellGraphic(b.Canvas(), R, 1, 1, taLeftJustify, vtaTop, 0, 0);
  EXPECT_EQ(obj.Draws, 1);
  obj.Before = true;
  Grid->DrawCellGraphic(b.Canvas(), R, 1, 1, taLeftJustify, vtaTop, 0, 0);
  EXPECT_EQ(obj.Draws, 1);
  Grid->DrawCellGraphic(b.Canvas(), R, 1, 1, taLeftJustify, vtaTop, 0, 0, true);
  EXPECT_EQ(obj.Draws, 2);
  Grid->RemoveCellGraphic(1, 1);
}

TEST_F(ProGridGraphicPaintTest, PlacementByAlignmentBesideTheText) {
  TBitmap red(10, 10);
  red.Canvas().Brush().SetColor(clRed);
  red.Canvas().FillRect(Rect(0, 0, 10, 10));
  struct {
    TCellHAlign H;
    TCellVAlign V;
    TAlignment TextAlign;
    int TextWidth;
    TPoint At;
  } cases[] = {
      // The 60 x 30 cell less (XYOffset - 1) on each side: (1, 1, 59, 29).
      {haLeft, vaTop, taLeftJustify, 0, {2, 2}},
      {haRight, vaBottom, taLeftJustify, 0, {48, 18}},
      {haCenter, vaCenter, taLeftJustify, 0, {25, 10}},
      {haBeforeText, vaTop, taRightJustify, 20, {27, 2}},
      {haBeforeText, vaTop, taLeftJustify, 20, {2, 2}},
      {haAfterText, vaTop, taLeftJustify, 20, {23, 2}},
      {haAfterText, vaUnderText, taRightJustify, 20, {48, 19}},
  };
  Grid->SetXYOffset({2, 2});
  for (const auto& c : cases) {
    Grid->AddBitmap(1, 1, &red, false, c.H, c.V);
    TBitmap b(60, 30);
    b.Canvas().Brush().SetColor(clWhite);
    b.Canvas().FillRect(Rect(0, 0, 60, 30));
    TRect R = Rect(0, 0, 60, 30);
    Grid->DrawCellGraphic(b.Canvas(), R, 1, 1, c.TextAlign, vtaTop, c.TextWidth, 0);
    const TRect at = ColorBounds(b, clRed);
    EXPECT_EQ(at.Left, c.At.X) << c.H << " " << c.V;
    EXPECT_EQ(at.Top, c.At.Y) << c.H << " " << c.V;
  }
  Grid->RemoveBitmap(1, 1);
}

TEST_F(ProGridGraphicPaintTest, CheckBoxBesideRightJustifiedText) {
  Grid->ControlLook().SetControlStyle(csWinXP);
  Grid->SetXYOffset({2, 2});
  auto left = [&](int ACol, int TextWidth) {
    TBitmap b(100, 20);
    b.Canvas().Brush().SetColor(clWhite);
    b.Canvas().FillRect(Rect(0, 0, 100, 20));
    TRect R = Rect(0, 0, 100, 20);
    Grid->DrawCellGraphic(b.Canvas(), R, ACol, 1, taRightJustify, vtaTop, TextWidth, 0);
    return InkBounds(b).Left;
  };
  Grid->AddCheckBox(1, 1, true, false);
  Grid->AddCheckBox(2, 1, true, true);
  Grid->SetCells(2, 1, "Y");
  // At the right edge (99 - 15 - 1, the glyph's own margin aside); the plain box moves left of
  // the 30-pixel text and its 2-pixel gap.
  EXPECT_EQ(left(1, 0), left(2, 0));
  EXPECT_NEAR(left(2, 0), 99 - 15 - 1, 1);
  EXPECT_EQ(left(1, 30), left(2, 0) - 32);
  EXPECT_EQ(left(2, 30), left(2, 0)) << "a data check box ignores the text";
}

TEST_F(ProGridGraphicPaintTest, RotatedTextStaysInItsCell) {
  Grid->Canvas().Font().SetName("DejaVu Sans");
  Grid->AddRotated(1, 1, 90, "Rotated");
  TBitmap b(40, 80);
  b.Canvas().Font().SetName("DejaVu Sans");
  b.Canvas().Font().SetColor(clBlack);
  b.Canvas().Brush().SetColor(clWhite);
  b.Canvas().FillRect(Rect(0, 0, 40, 80));
  TRect R = Rect(5, 5, 35, 75);
  Grid->DrawCellGraphic(b.Canvas(), R, 1, 1, taLeftJustify, vtaTop, 0, 0);
  const TRect ink = InkBounds(b);
  ASSERT_FALSE(ink.IsEmpty());
  EXPECT_GT(ink.Height(), ink.Width()) << "upright text turned by 90 degrees runs up the cell";
  EXPECT_GE(ink.Left, 7);
  EXPECT_LE(ink.Bottom, 73);
}

TEST_F(ProGridGraphicPaintTest, RotatedSortHeaderKeepsItsSortGlyph) {
  Grid->AddRotated(2, 0, 90, "");
  auto paint = [&] {
    TBitmap b(60, 40);
    b.Canvas().Brush().SetColor(clWhite);
    b.Canvas().FillRect(Rect(0, 0, 60, 40));
    TRect R = Rect(0, 0, 60, 40);
    Grid->DrawCellGraphic(b.Canvas(), R, 2, 0, taLeftJustify, vtaTop, 0, 0);
    return b;
  };
  EXPECT_EQ(InkBounds(paint()), TRect());
  Grid->SortSettings().SetShow(true);
  Grid->SortSettings().SetColumn(2);
  const TRect glyph = InkBounds(paint());
  EXPECT_FALSE(glyph.IsEmpty());
  EXPECT_GT(glyph.Left, 40) << "at the right end of the cell";
}

TEST_F(ProGridGraphicPaintTest, GraphicInfoSizesAndTextFlag) {
  Grid->AddRating(1, 1, 5, clRed, clSilver);
  Grid->AddCheckBox(2, 1, false, true);
  Grid->AddCheckBox(3, 1, false, false);
  TCellVAlign va;
  TCellHAlign ha;
  bool textToo;
  int h, w;
  EXPECT_NE(Grid->GetCellGraphicInfo(1, 1, va, ha, textToo, h, w), nullptr);
  EXPECT_EQ(w, 90);
  EXPECT_EQ(h, 16);
  EXPECT_FALSE(textToo);
  EXPECT_EQ(ha, haFull);
  Grid->GetCellGraphicInfo(2, 1, va, ha, textToo, h, w);
  EXPECT_EQ(w, 15);
  EXPECT_FALSE(textToo) << "a data check box is its text";
  Grid->GetCellGraphicInfo(3, 1, va, ha, textToo, h, w);
  EXPECT_TRUE(textToo);
  EXPECT_EQ(Grid->GetCellGraphicInfo(4, 1, va, ha, textToo, h, w), nullptr);
  EXPECT_EQ(w, 0);
  EXPECT_TRUE(textToo);
}

} // namespace
