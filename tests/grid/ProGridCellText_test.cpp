// The text layer of the cell painter on screen: first lines, masks, the filter row, the selection
// frame, data check boxes, tree lines, backgrounds and cell borders.
#include "ProGridFixture.h"

#include "platform/Colors.h"
#include "support/ControlPicture.h"
#include "support/PixelTools.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Whether two areas of the same size show the same pixels.
bool SameArea(const TBitmap& a, const TRect& ra, const TBitmap& b, const TRect& rb) {
  if (ra.Width() != rb.Width() || ra.Height() != rb.Height()) return false;
  for (int y = 0; y < ra.Height(); ++y)
    for (int x = 0; x < ra.Width(); ++x)
      if (a.Pixel(ra.Left + x, ra.Top + y) != b.Pixel(rb.Left + x, rb.Top + y)) return false;
  return true;
}

bool Ink(TColor c) {
  return c != clWhite;
}

class ProGridCellTextTest : public TProGridTest<> {
protected:
  void SetUp() override {
    TProGridTest::SetUp();
    Grid->SetColCount(5);
    Grid->SetRowCount(8);
    Grid->SetColor(clWhite);
    Grid->SetSelectionColor(clWhite);
    Grid->SetSelection({4, 7, 4, 7});
    Grid->SetColWidths(2, 120);
  }
  TRect Inner(int c, int r) const {
    TRect cell = Grid->CellRect(c, r);
    return {cell.Left + 1, cell.Top + 1, cell.Right - 2, cell.Bottom - 2};
  }
};

} // namespace

TEST_F(ProGridCellTextTest, WithoutMultilineCellsOnlyTheFirstLineShows) {
  Grid->SetWordWrap(false);
  Grid->SetRowHeights(2, 60);
  Grid->SetCells(2, 2, "First\rSecond\rThird");
  Grid->SetCells(2, 3, "First");
  Grid->SetRowHeights(3, 60);
  TBitmap shot = RenderPicture(*Grid);
  EXPECT_NE(PixelTools::BoundsWhere(shot, Inner(2, 2), Ink), TRect());
  EXPECT_TRUE(SameArea(shot, Inner(2, 2), shot, Inner(2, 3)));
  Grid->SetMultilineCells(true);
  TBitmap multi = RenderPicture(*Grid);
  EXPECT_GT(PixelTools::BoundsWhere(multi, Inner(2, 2), Ink).Height(),
            2 * PixelTools::BoundsWhere(multi, Inner(2, 3), Ink).Height());
}

TEST_F(ProGridCellTextTest, PasswordCellsShowOneMaskPerCharacter) {
  Grid->OnIsPasswordCell = [](TObject*, int ARow, int ACol, bool& IsPassword) {
    IsPassword = ACol == 2 && ARow == 2;
  };
  struct TCase {
    std::string Text, Shown;
  } cases[] = {{"secret", "******"}, {"\xC3\xA9t\xC3\xA9", "***"}, {"<b>ab</b>", "*********"}};
  for (const TCase& c : cases) {
    Grid->SetCells(2, 2, c.Text);
    Grid->SetCells(2, 3, c.Shown);
    TBitmap shot = RenderPicture(*Grid);
    EXPECT_NE(PixelTools::BoundsWhere(shot, Inner(2, 2), Ink), TRect()) << c.Text;
    EXPECT_TRUE(SameArea(shot, Inner(2, 2), shot, Inner(2, 3))) << c.Text;
  }
}

TEST_F(ProGridCellTextTest, LongSingleLinesEndInAnEllipsisOnlyWithEnhTextSize) {
  Grid->SetWordWrap(false);
  Grid->SetCells(2, 2, std::string(60, 'W'));
  TBitmap cut = RenderPicture(*Grid);
  EXPECT_NE(PixelTools::BoundsWhere(cut, Inner(2, 2), Ink), TRect());
  Grid->SetEnhTextSize(true);
  TBitmap ellipsis = RenderPicture(*Grid);
  EXPECT_FALSE(SameArea(cut, Inner(2, 2), ellipsis, Inner(2, 2)));
  Grid->SetCells(2, 2, "short");
  TBitmap shortText = RenderPicture(*Grid);
  Grid->SetEnhTextSize(false);
  EXPECT_TRUE(SameArea(shortText, Inner(2, 2), RenderPicture(*Grid), Inner(2, 2)))
      << "a fitting text is not touched";
}

TEST_F(ProGridCellTextTest, FilterRowTextUsesTheWholeCell) {
  Grid->SetGridLineWidth(3);
  Grid->SetCells(2, 0, "Head");
  Grid->SetFixedRows(2);
  Grid->SetCells(2, 1, "Head");
  TBitmap plain = RenderPicture(*Grid);
  Grid->SetFilterRow(1);
  Grid->OnGetColumnFilter = [](TObject*, int, TStrings* Filter) { Filter->Add("x"); };
  TBitmap filtered = RenderPicture(*Grid);
  TRect header = Grid->CellRect(2, 0), filter = Grid->CellRect(2, 1);
  auto text = [](const TBitmap& b, const TRect& r) {
    return PixelTools::BoundsWhere(b, {r.Left, r.Top, r.Left + 40, r.Bottom - 4},
                                   [](TColor c) { return (ColorToRGB(c) & 0xFF) < 0x60; });
  };
  TRect inHeader = text(plain, header), inFilter = text(filtered, filter);
  ASSERT_NE(inHeader, TRect());
  ASSERT_NE(inFilter, TRect());
  EXPECT_EQ(inHeader.Left - header.Left - (inFilter.Left - filter.Left), 3) << "no line-width indent";
}

TEST_F(ProGridCellTextTest, SelectionFrameOfAMergedSelectionGoesAroundItsBaseCell) {
  Grid->SetSelectionRectangle(true);
  Grid->SetSelectionRectangleColor(0x00C000);
  Grid->MergeCells(1, 2, 2, 2);
  Grid->SetSelection({1, 2, 2, 3});
  TBitmap shot = RenderPicture(*Grid);
  TRect area = Grid->CellRect(1, 2);
  TRect frame = ColorBounds(shot, 0x00C000);
  ASSERT_NE(frame, TRect());
  EXPECT_LE(std::abs(frame.Left - area.Left), 2);
  EXPECT_LE(std::abs(frame.Top - area.Top), 2);
  EXPECT_LE(std::abs(frame.Right - area.Right), 2);
  EXPECT_LE(std::abs(frame.Bottom - area.Bottom), 2);
}

TEST_F(ProGridCellTextTest, DataCheckBoxShowsCheckedExactlyForTheCheckText) {
  Grid->AddCheckBoxColumn(2, false, true);
  Grid->SetCells(2, 1, "Y");
  Grid->SetCells(2, 2, "N");
  Grid->SetCells(2, 3, "x");
  Grid->SetCells(2, 4, "Y");
  for (TGridControlStyle style : {csTheme, csWinXP, csClassic}) {
    Grid->ControlLook().SetControlStyle(style);
    TBitmap shot = RenderPicture(*Grid);
    EXPECT_TRUE(SameArea(shot, Inner(2, 1), shot, Inner(2, 4))) << style;
    EXPECT_TRUE(SameArea(shot, Inner(2, 2), shot, Inner(2, 3)))
        << "any other text is unchecked, style " << style;
    EXPECT_FALSE(SameArea(shot, Inner(2, 1), shot, Inner(2, 2))) << style;
    EXPECT_NE(PixelTools::BoundsWhere(shot, Inner(2, 2), Ink), TRect()) << "the box shows, style " << style;
  }
}

TEST_F(ProGridCellTextTest, TreeLinesRunDownTheGroup) {
  Grid->SetRowCount(8);
  Grid->CellNode().SetShowTree(true);
  Grid->CellNode().SetTreeColor(0x00C000);
  Grid->AddNode(2, 4);
  Application->ProcessMessages();
  TBitmap shot = RenderPicture(*Grid);
  EXPECT_GT(CountColor(shot, 0x00C000, Grid->CellRect(0, 3)), 0);
  EXPECT_GT(CountColor(shot, 0x00C000, Grid->CellRect(0, 5)), 0);
  EXPECT_EQ(CountColor(shot, 0x00C000, Grid->CellRect(0, 7)), 0) << "below the group";
  EXPECT_EQ(CountColor(shot, 0x00C000, Grid->CellRect(1, 3)), 0) << "column 0 only";
}

TEST_F(ProGridCellTextTest, BackgroundPictureByCellKind) {
  TBitmap picture(8, 8);
  picture.Canvas().Brush().SetColor(0x0000C0);
  picture.Canvas().FillRect({0, 0, 8, 8});
  Grid->BackGround().SetBitmap(picture);
  Grid->SetFlat(true);
  Grid->SetLook(glStandard);
  Grid->CellProperties(3, 3)->SetBrushColor(0x00FFFF);
  struct TCase {
    TBackGroundCells Cells;
    bool Normal, Fixed;
  } cases[] = {{bcNormal, true, false}, {bcFixed, false, true}, {bcAll, true, true}};
  for (const TCase& c : cases) {
    Grid->BackGround().SetCells(c.Cells);
    TBitmap shot = RenderPicture(*Grid);
    EXPECT_EQ(CountColor(shot, 0x0000C0, Inner(2, 4)) > 0, c.Normal) << c.Cells;
    EXPECT_EQ(CountColor(shot, 0x0000C0, Inner(2, 0)) > 0, c.Fixed) << c.Cells;
    EXPECT_EQ(CountColor(shot, 0x0000C0, Inner(3, 3)), 0) << "a cell of its own colour, " << c.Cells;
  }
}

TEST_F(ProGridCellTextTest, WideBorderPenMovesTheLeftBorderIn) {
  Grid->SetOptions(Grid->Options() | goVertLine | goHorzLine);
  Grid->OnGetCellBorder = [](TObject*, int ARow, int ACol, TPen& Pen, TCellBorders& Borders) {
    if (ACol != 2 || ARow != 3) return;
    Pen.SetColor(0x00C000);
    Pen.SetWidth(3);
    Borders = {cbLeft};
  };
  TBitmap shot = RenderPicture(*Grid);
  TRect cell = Grid->CellRect(2, 3);
  TRect line = ColorBounds(shot, 0x00C000);
  ASSERT_NE(line, TRect());
  // The inner rectangle starts GridLineWidth in; the border is drawn on it grown by 1, moved 2 in.
  const int centre = cell.Left + Grid->GridLineWidth() - 1 + 2;
  EXPECT_EQ((line.Left + line.Right - 1) / 2, centre);
}

TEST_F(ProGridCellTextTest, EmptyAreaGradientNeedsAnEndColour) {
  Grid->SetColCount(2);
  Grid->SetRowCount(3);
  Grid->BackGround().SetDisplay(bdGradientHorz);
  Grid->BackGround().SetColor(0x0000FF);
  Grid->BackGround().SetColorTo(0xFF0000);
  TBitmap painted = RenderPicture(*Grid);
  TRect below{0, Grid->CellRect(0, 2).Bottom + 4, Grid->ClientWidth(), Grid->ClientHeight() - 4};
  EXPECT_EQ(CountColor(painted, clWhite, below), 0);
  Grid->BackGround().SetColorTo(clNone);
  TBitmap plain = RenderPicture(*Grid);
  EXPECT_EQ(PixelTools::BoundsWhere(plain, below,
                                    [](TColor c) { return (c & 0xFF0000) == 0xFF0000 && (c & 0xFF) < 0x80; }),
            TRect());
}

TEST_F(ProGridCellTextTest, CellScrollBarTakesTheRightEdgeAndMovesTheTextUp) {
  Grid->SetRowHeights(2, 40);
  Grid->SetRowHeights(3, 40);
  Grid->SetMultilineCells(true);
  Grid->SetCells(2, 2, "One\rTwo\rThree\rFour");
  Grid->SetCells(2, 3, "One\rTwo\rThree\rFour");
  Grid->AddScrollBar(2, 2, false);
  Grid->SetScrollProp(2, 2, {2, 4});
  TBitmap top = RenderPicture(*Grid);
  TRect cell = Grid->CellRect(2, 2);
  TRect bar{cell.Right - 12, cell.Top + 2, cell.Right - 2, cell.Bottom - 2};
  EXPECT_NE(PixelTools::BoundsWhere(top, bar, Ink), TRect()) << "the bar shows";
  EXPECT_EQ(PixelTools::BoundsWhere(
                top, {Inner(2, 3).Right - 12, Inner(2, 3).Top, Inner(2, 3).Right, Inner(2, 3).Bottom}, Ink),
            TRect())
      << "no bar without one";
  const int firstInk =
      PixelTools::BoundsWhere(top, {cell.Left, cell.Top, cell.Left + 30, cell.Bottom}, Ink).Top;
  Grid->SetScrollPosition(2, 2, 10);
  TBitmap scrolled = RenderPicture(*Grid);
  const int scrolledInk =
      PixelTools::BoundsWhere(scrolled, {cell.Left, cell.Top, cell.Left + 30, cell.Bottom}, Ink).Top;
  EXPECT_TRUE(scrolledInk < firstInk || scrolledInk == cell.Top + 1) << firstInk << " " << scrolledInk;
}

TEST_F(ProGridCellTextTest, MarkedRangeIsUnderlinedInRed) {
  Grid->SetCells(2, 2, "Wrong value");
  TBitmap plain = RenderPicture(*Grid);
  EXPECT_EQ(CountColor(plain, clRed, Inner(2, 2)), 0);
  Grid->AddMarker(2, 2, 0, 5);
  TBitmap marked = RenderPicture(*Grid);
  EXPECT_GT(CountColor(marked, clRed, Inner(2, 2)), 0);
}

TEST_F(ProGridCellTextTest, RichTextShowsItsPlainText) {
  Grid->SetCells(2, 2, "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Hello}");
  Grid->SetCells(2, 3, "Hello");
  TBitmap shot = RenderPicture(*Grid);
  EXPECT_NE(PixelTools::BoundsWhere(shot, Inner(2, 2), Ink), TRect());
  EXPECT_EQ(PixelTools::BoundsWhere(shot, Inner(2, 2), Ink).Width(),
            PixelTools::BoundsWhere(shot, Inner(2, 3), Ink).Width());
}
