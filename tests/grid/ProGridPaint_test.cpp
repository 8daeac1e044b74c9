// The string grid's cell painter on screen: fixed looks, selection colour, modified bar, focus
// rectangle, drawing events with their columns and rectangles, and the hover row.
#include "ProGridFixture.h"

#include "platform/Colors.h"
#include "platform/ui/StdCtrls.h"
#include "support/ControlPicture.h"
#include "support/PixelTools.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

int Brightness(TColor c) {
  c = ColorToRGB(c);
  return (c & 0xFF) + ((c >> 8) & 0xFF) + ((c >> 16) & 0xFF);
}

class ProGridPaintTest : public TProGridTest<> {
protected:
  void SetUp() override {
    TProGridTest::SetUp();
    Grid->SetColCount(6);
    Grid->SetRowCount(8);
    Grid->SetColor(clWhite);
  }
  // A cell's inner pixel away from any text: the right part, middle height.
  static TPoint Blank(const TRect& r) { return {r.Right - 4, (r.Top + r.Bottom) / 2}; }
};

} // namespace

TEST_F(ProGridPaintTest, XPFixedCellsShadeFromWhiteToButtonFace) {
  ASSERT_EQ(Grid->Look(), glXP);
  TBitmap shot = RenderPicture(*Grid);
  TRect r = Grid->CellRect(2, 0);
  int x = (r.Left + r.Right) / 2;
  TColor top = shot.Pixel(x, r.Top + 2), bottom = shot.Pixel(x, r.Bottom - 4);
  EXPECT_GT(Brightness(top), Brightness(bottom)) << std::hex << top << " " << bottom;
  EXPECT_GE(Brightness(top), 3 * 0xF0) << "near white at the top";
  EXPECT_LE(Brightness(bottom), Brightness(ColorToRGB(clBtnFace)) + 3 * 8) << "towards the button face";
}

TEST_F(ProGridPaintTest, FlatFixedCellsHaveNoGradient) {
  Grid->SetFlat(true);
  Grid->SetLook(glStandard);
  TBitmap shot = RenderPicture(*Grid);
  TRect r = Grid->CellRect(2, 0);
  int x = (r.Left + r.Right) / 2;
  EXPECT_EQ(shot.Pixel(x, r.Top + 3), shot.Pixel(x, r.Bottom - 4));
}

TEST_F(ProGridPaintTest, SelectedCellsShowTheSelectionColour) {
  ASSERT_EQ(Grid->SelectionColor(), 0xEACAB6);
  Grid->SetOptions(Grid->Options() | goRangeSelect);
  Grid->SetSelection({2, 2, 4, 3});
  TBitmap shot = RenderPicture(*Grid);
  TPoint p = Blank(Grid->CellRect(3, 3));
  EXPECT_EQ(shot.Pixel(p.X, p.Y), 0xEACAB6);
  p = Blank(Grid->CellRect(3, 5));
  EXPECT_EQ(shot.Pixel(p.X, p.Y), clWhite);
}

TEST_F(ProGridPaintTest, ModifiedRowsShowABarInDisplayColumnZero) {
  Grid->ShowModified().SetEnabled(true);
  Grid->ShowModified().SetColor(0x0000FF);
  Grid->SetRowModified(3, true);
  TBitmap shot = RenderPicture(*Grid);
  TRect c0 = Grid->CellRect(0, 3);
  TRect bar = ColorBounds(shot, 0x0000FF, c0);
  EXPECT_EQ(bar.Width(), 4);
  EXPECT_EQ(bar.Right, c0.Right - 1) << "at the right edge, inside the grid line";
  EXPECT_GE(CountColor(shot, 0x0000FF, c0), 4 * (bar.Height() - 1)) << "full height but the edge line";
  EXPECT_EQ(CountColor(shot, 0x0000FF, Grid->CellRect(1, 3)), 0) << "column 0 only";
  EXPECT_EQ(CountColor(shot, 0x0000FF, Grid->CellRect(0, 4)), 0) << "modified rows only";
}

TEST_F(ProGridPaintTest, FocusRectangleOnlyOnTheFocusedCurrentBaseCell) {
  Grid->SetSelectionColor(clWhite);
  Grid->SetSelectionTextColor(clNone);
  Grid->MergeCells(2, 2, 2, 2);
  Grid->GotoCell(2, 2);
  Grid->SetFocus();
  Application->ProcessMessages();
  TBitmap focused = RenderPicture(*Grid);
  Grid->SetHideFocusRect(true);
  TBitmap hidden = RenderPicture(*Grid);
  TRect area = Grid->CellRect(2, 2);
  EXPECT_FALSE(SamePixels(focused, hidden));
  EXPECT_NE(PixelTools::BoundsWhere(focused, area, [](TColor c) { return c != clWhite; }), TRect());

  Grid->SetHideFocusRect(false);
  Grid->SetOptions(Grid->Options() | goRowSelect);
  EXPECT_TRUE(SamePixels(RenderPicture(*Grid), hidden)) << "never with goRowSelect";
  Grid->SetOptions(Grid->Options() & ~goRowSelect);

  auto* other = new TEdit(Form);
  other->SetParent(Form);
  other->SetBounds(0, 380, 60, 18);
  other->SetFocus();
  Application->ProcessMessages();
  EXPECT_TRUE(SamePixels(RenderPicture(*Grid), hidden)) << "never without focus";
}

TEST_F(ProGridPaintTest, DrawingEventsGetTheRealColumnAndTheInnerRectangle) {
  Grid->HideColumn(1);
  std::vector<std::string> order;
  TRect drawRect{};
  int drawCol = -1;
  Grid->OnCustomCellBkgDraw = [&](TObject*, TCanvas&, int ACol, int ARow, TGridDrawState, const TRect&,
                                  bool) {
    if (ARow == 4 && ACol == 3) order.push_back("bkg");
  };
  Grid->OnDrawCell = [&](TObject*, int ACol, int ARow, TRect Rect, TGridDrawState) {
    if (ARow != 4 || ACol != 3) return;
    order.push_back("draw");
    drawRect = Rect;
    drawCol = ACol;
  };
  Grid->OnCustomCellDraw = [&](TObject*, TCanvas&, int ACol, int ARow, TGridDrawState, const TRect&, bool) {
    if (ARow == 4 && ACol == 3) order.push_back("custom");
  };
  RenderPicture(*Grid);
  ASSERT_GE(order.size(), 3u);
  EXPECT_EQ(std::vector<std::string>(order.begin(), order.begin() + 3),
            (std::vector<std::string>{"bkg", "draw", "custom"}));
  EXPECT_EQ(drawCol, 3) << "display column 2 shows real column 3";
  TRect cell = Grid->CellRect(2, 4);
  int g = Grid->GridLineWidth();
  EXPECT_EQ(drawRect, (TRect{cell.Left + g + 1, cell.Top + g + 1, cell.Right - 2 * g, cell.Bottom - 2 * g}));
}

TEST_F(ProGridPaintTest, NoDefaultDrawLeavesTextOutButKeepsBorders) {
  Grid->SetCells(2, 3, "WWWWWW");
  Grid->OnGetCellBorder = [](TObject*, int ARow, int ACol, TPen& Pen, TCellBorders& Borders) {
    if (ACol == 2 && ARow == 3) {
      Pen.SetColor(0x00FF00);
      Borders = {cbLeft, cbTop, cbRight, cbBottom};
    }
  };
  Grid->OnCustomCellDraw = [](TObject*, TCanvas&, int, int, TGridDrawState, const TRect&, bool) {};
  TRect cell = Grid->CellRect(2, 3);
  TRect inside{cell.Left + 3, cell.Top + 3, cell.Right - 3, cell.Bottom - 3};
  TBitmap withText = RenderPicture(*Grid);
  EXPECT_NE(PixelTools::BoundsWhere(withText, inside, [](TColor c) { return c != clWhite && c != 0x00FF00; }),
            TRect());
  Grid->SetNoDefaultDraw(true);
  TBitmap without = RenderPicture(*Grid);
  EXPECT_EQ(PixelTools::BoundsWhere(without, inside, [](TColor c) { return c != clWhite && c != 0x00FF00; }),
            TRect());
  EXPECT_GT(CountColor(without, 0x00FF00, cell), 0) << "borders still drawn";
}

TEST_F(ProGridPaintTest, HoverRowWithFixedCellsPaintsThemPlain) {
  Grid->SetHoverRow(true);
  Grid->SetHoverRowColor(0x00FFFF);
  Grid->SetHoverRowCells({hcNormal, hcFixed});
  Grid->SetHoverRowIdx(3);
  TBitmap shot = RenderPicture(*Grid);
  TRect fixedCell = Grid->CellRect(0, 3);
  int x = (fixedCell.Left + fixedCell.Right) / 2;
  EXPECT_EQ(shot.Pixel(x, fixedCell.Top + 2), 0x00FFFF);
  EXPECT_EQ(shot.Pixel(x, fixedCell.Bottom - 4), 0x00FFFF) << "no gradient over the hover colour";
}

TEST_F(ProGridPaintTest, PaintedFiresAfterEveryCell) {
  int painted = 0, cells = 0, cellsAtPainted = -1;
  Grid->OnCustomCellDraw = [&](TObject*, TCanvas&, int, int, TGridDrawState, const TRect&, bool) { ++cells; };
  Grid->OnPainted = [&](TObject*) {
    ++painted;
    cellsAtPainted = cells;
  };
  RenderPicture(*Grid);
  EXPECT_GE(painted, 1);
  EXPECT_EQ(cellsAtPainted, cells);
  EXPECT_EQ(cells % (6 * 8), 0) << "every visible cell";
}

TEST_F(ProGridPaintTest, GridBorderOfTheGradientLooks) {
  struct TCase {
    TGridLook Look;
    bool Flat;
    bool Border;
  } cases[] = {{glXP, false, true}, {glSoft, false, true}, {glXP, true, false}, {glStandard, false, false}};
  for (const TCase& c : cases) {
    Grid->SetLook(c.Look);
    Grid->SetFlat(c.Flat);
    Grid->SetBorderColor(0x00C0C0);
    TBitmap shot = RenderPicture(*Grid);
    const int w = Grid->ClientWidth(), h = Grid->ClientHeight();
    EXPECT_EQ(shot.Pixel(w - 1, h / 2) == 0x00C0C0, c.Border) << c.Look << " flat " << c.Flat;
    EXPECT_EQ(shot.Pixel(w / 2, 0) == 0x00C0C0, c.Border) << c.Look << " flat " << c.Flat;
  }
}

namespace {

TRect InnerOf(const TRect& r) {
  return {r.Left + 2, r.Top + 2, r.Right - 3, r.Bottom - 3};
}

} // namespace

TEST_F(ProGridPaintTest, SortGlyphOnTheFirstSortColumnUnlessIndexesShow) {
  Grid->SortSettings().SetShow(true);
  Grid->SortSettings().SetRow(0);
  Grid->SortSettings().SetColumn(-1);
  Grid->SortIndexes().AddIndex(2, true);
  Grid->SortIndexes().AddIndex(3, false);
  TBitmap shot = RenderPicture(*Grid);
  EXPECT_GT(CountColor(shot, 0x808080, InnerOf(Grid->CellRect(2, 0))), 0);
  EXPECT_EQ(CountColor(shot, 0x808080, InnerOf(Grid->CellRect(3, 0))), 0);
  EXPECT_EQ(CountColor(shot, 0x808080, InnerOf(Grid->CellRect(4, 0))), 0);
  Grid->SortSettings().SetIndexShow(true);
  TBitmap indexed = RenderPicture(*Grid);
  EXPECT_GT(CountColor(indexed, 0x00FFFF, InnerOf(Grid->CellRect(2, 0))), 0);
  EXPECT_GT(CountColor(indexed, 0x00FFFF, InnerOf(Grid->CellRect(3, 0))), 0);
  EXPECT_EQ(CountColor(indexed, 0x00FFFF, InnerOf(Grid->CellRect(4, 0))), 0);
}

TEST_F(ProGridPaintTest, FixedCellFills) {
  Grid->SetFixedColor(clBtnFace);
  Grid->GotoCell(2, 3);
  auto centre = [&](const TBitmap& b, int c, int r) {
    TRect cell = Grid->CellRect(c, r);
    return b.Pixel((cell.Left + cell.Right) / 2 + 8, (cell.Top + cell.Bottom) / 2);
  };
  Grid->SetActiveCellShow(true);
  Grid->SetActiveCellColor(0x00FF00);
  Grid->SetActiveCellColorTo(clNone);
  Grid->SortSettings().SetColumn(4);
  Grid->SortSettings().SetRow(0);
  Grid->SortSettings().SetHeaderColor(0x0000FF);
  TBitmap shot = RenderPicture(*Grid);
  EXPECT_EQ(centre(shot, 0, 3), 0x00FF00) << "the head of the current row";
  EXPECT_EQ(centre(shot, 2, 0), 0x00FF00) << "the head of the current column";
  EXPECT_EQ(centre(shot, 4, 0), 0x0000FF) << "the sorted column's header";
  Grid->SortSettings().SetHeaderColor(clNone);
  Grid->SetActiveCellShow(false);
  TBitmap plain = RenderPicture(*Grid);
  TRect head = Grid->CellRect(4, 0);
  const int x = (head.Left + head.Right) / 2 + 8;
  EXPECT_GT(Brightness(plain.Pixel(x, head.Top + 2)), Brightness(plain.Pixel(x, head.Bottom - 4)))
      << "without a header colour the normal gradient";
  Grid->SetHoverFixedCells(hfFixedRows);
  Grid->SetHoverFixedCell(4, 0);
  TBitmap hover = RenderPicture(*Grid);
  EXPECT_FALSE(SamePixels(hover, plain));
  EXPECT_NEAR(Brightness(hover.Pixel(x, head.Top + 3)), Brightness(0xCFD0D1), 30)
      << "the hover gradient starts near its from colour";
  Grid->SetHoverFixedCells(hfFixedColumns);
  EXPECT_TRUE(SamePixels(RenderPicture(*Grid), plain)) << "hover only where the setting covers the cell";
}

TEST_F(ProGridPaintTest, FixedRowUnderEachLook) {
  for (TGridLook look :
       {glStandard, glSoft, glClassic, glZUZ, glXP, glListView, glVista, glWin7, glOffice2007}) {
    Grid->SetLook(look);
    TBitmap shot = RenderPicture(*Grid);
    TRect head = Grid->CellRect(3, 0);
    const int x = (head.Left + head.Right) / 2;
    const bool gradient =
        look == glZUZ || look == glXP || look == glVista || look == glWin7 || look == glOffice2007;
    if (gradient) {
      EXPECT_NE(shot.Pixel(x, head.Top + 3), shot.Pixel(x, head.Bottom - 4)) << look;
    }
    EXPECT_NE(shot.Pixel(x, (head.Top + head.Bottom) / 2), clWhite)
        << "fixed cells are not blank, look " << look;
  }
}

TEST_F(ProGridPaintTest, SizingLinesDrawnTwiceLeaveTheCanvasAsItWas) {
  const int x = Grid->CellRect(2, 2).Left + 5, y = Grid->CellRect(2, 2).Top + 5;
  TBitmap before = RenderPicture(*Grid);
  int times = 1;
  Grid->OnPainted = [&](TObject*) {
    for (int i = 0; i < times; ++i) {
      Grid->DrawColumnSizeLine(x);
      Grid->DrawRowSizeLine(y);
    }
  };
  TBitmap once = RenderPicture(*Grid);
  EXPECT_FALSE(SamePixels(before, once));
  int changed = 0;
  for (int i = 0; i < 60; ++i)
    changed += once.Pixel(x, i) != before.Pixel(x, i);
  EXPECT_GT(changed, 10) << "a dotted line down column x";
  times = 2;
  EXPECT_TRUE(SamePixels(before, RenderPicture(*Grid)));
}

TEST_F(ProGridPaintTest, RowIndicatorInColumnZeroOfTheCurrentRow) {
  TBitmap mark(8, 8);
  mark.Canvas().Brush().SetColor(clWhite);
  mark.Canvas().FillRect({0, 0, 8, 8});
  mark.Canvas().Brush().SetColor(0x0000C0);
  mark.Canvas().FillRect({1, 1, 7, 7});
  Grid->SetRowIndicator(mark);
  Grid->GotoCell(2, 3);
  TBitmap shot = RenderPicture(*Grid);
  TRect c0 = Grid->CellRect(0, 3);
  TRect at = ColorBounds(shot, 0x0000C0);
  EXPECT_EQ(at.Width(), 6);
  EXPECT_EQ(at.Left, c0.Left + 2 + 1) << "two pixels in from the left";
  EXPECT_GE(CountColor(shot, 0x0000C0, c0), 30) << "all but the row under the fixed cell's edge line";
  Grid->SetFixedRowAlways(true);
  Grid->SetRowCount(1);
  EXPECT_EQ(ColorBounds(RenderPicture(*Grid), 0x0000C0), TRect()) << "not while only the fixed row remains";
}
