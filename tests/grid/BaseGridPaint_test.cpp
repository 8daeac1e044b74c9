// The base grid paints its cells itself: footer row, selection faces, active row, merged areas
// under the fixed cells, lines, and the background-only painting of PaintCellExt.
#include "BaseGridFixture.h"

#include "platform/ui/HeadlessPaint.h"
#include "platform/ui/StdCtrls.h"
#include "support/ControlPicture.h"
#include "support/PixelTools.h"

#include <gtest/gtest.h>

#include <map>

namespace {

TPoint Centre(const TRect& r) {
  return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
}

// A white grid whose cells show texts, so that painting text would show as ink.
struct TWhiteGrid : TBaseGridForm {
  explicit TWhiteGrid(int rows = 20) : TBaseGridForm(10, rows) {
    Grid->SetColor(clWhite);
    for (int r = 0; r < Grid->RowCount(); ++r)
      for (int c = 0; c < Grid->ColCount(); ++c)
        Grid->SetCells(c, r, "W" + std::to_string(c));
  }
};

} // namespace

TEST_F(BaseGridTest, FooterRowShowsOnlyTheGridColour) {
  TWhiteGrid f(6);
  f.Grid->SetHideLastRow(true);
  TBitmap shot = RenderPicture(*f.Grid);
  for (int c : {0, 1, 4}) {
    TRect cell = f.Grid->CellRect(c, 5);
    EXPECT_EQ(CountColor(shot, clWhite, cell), (cell.Right - cell.Left) * (cell.Bottom - cell.Top)) << c;
  }
  EXPECT_FALSE(InkBounds(shot, clWhite).IsEmpty()) << "the other rows show their texts";
}

TEST_F(BaseGridTest, VistaSelectionFaceFocusedAndNot) {
  TBaseGridForm f;
  f.Grid->SetColor(clWhite);
  f.Grid->SetSelectionStyle(ssVista);
  f.Grid->SetSelection({2, 3, 4, 3});
  auto* other = new TEdit(f.Form);
  other->SetParent(f.Form);
  other->SetBounds(0, 302, 60, 18);
  f.Grid->SetFocus();
  TRect middle = f.Grid->CellRect(3, 3);
  TBitmap focused = RenderPicture(*f.Grid);
  EXPECT_GT(CountColor(focused, 0xFDF8F1, middle), 0);
  EXPECT_EQ(CountColor(focused, 0xF8F8F8, middle), 0);
  other->SetFocus();
  Application->ProcessMessages();
  TBitmap unfocused = RenderPicture(*f.Grid);
  EXPECT_GT(CountColor(unfocused, 0xF8F8F8, middle), 0);
  EXPECT_EQ(CountColor(unfocused, 0xFDF8F1, middle), 0);
}

TEST_F(BaseGridTest, SelectionSegmentsByColumn) {
  TBaseGridForm f;
  f.Grid->SetSelectionStyle(ssWin7);
  f.Grid->SetOptions(f.Grid->Options() | goDrawFocusSelected);
  std::map<std::pair<int, int>, int> kinds;
  f.Grid->OnSelectionSegment = [&](int c, int r, int kind) { kinds[{c, r}] = kind; };
  f.Grid->SetSelection({2, 3, 4, 3});
  RenderPicture(*f.Grid);
  EXPECT_EQ(kinds, (std::map<std::pair<int, int>, int>{{{2, 3}, 1}, {{3, 3}, 3}, {{4, 3}, 2}}));
  kinds.clear();
  f.Grid->SetSelection({5, 5, 5, 7});
  RenderPicture(*f.Grid);
  EXPECT_EQ(kinds, (std::map<std::pair<int, int>, int>{{{5, 5}, 0}, {{5, 6}, 0}, {{5, 7}, 0}}));
  kinds.clear();
  f.Grid->SetShowSel(false); // no faces while the selection is not shown
  RenderPicture(*f.Grid);
  EXPECT_TRUE(kinds.empty());
}

TEST_F(BaseGridTest, AreaWhoseBaseIsScrolledOutPaintsOnceAndStaysOffTheFixedCells) {
  TBaseGridForm f(20, 200);
  TTestBaseGrid& g = *f.Grid;
  g.SetColor(clWhite);
  g.MergeCells(2, 3, 2, 2);
  g.CellProperties(2, 3)->SetBrushColor(clLime);
  g.SetTopRow(4);
  g.SetLeftCol(3); // only the covered cell (3, 4) is in view
  Application->ProcessMessages();
  g.Contents.clear();
  g.ContentRects.clear();
  TBitmap shot = RenderPicture(g);
  int times = static_cast<int>(std::count(g.Contents.begin(), g.Contents.end(), std::pair{2, 3}));
  EXPECT_EQ(times, 1) << "once per pass";
  TRect area = g.CellRect(3, 4);
  ASSERT_EQ(g.ContentRects.size(), g.Contents.size());
  auto at = std::find(g.Contents.begin(), g.Contents.end(), std::pair{2, 3}) - g.Contents.begin();
  EXPECT_EQ(g.ContentRects[static_cast<std::size_t>(at)],
            (TRect{area.Left + 1, area.Top + 1, area.Right - 1, area.Bottom - 1}))
      << "with the whole area's rectangle";
  const int fw = g.ColWidths(0), fh = g.RowHeights(0);
  EXPECT_LT(area.Left, fw);
  EXPECT_LT(area.Top, fh);
  EXPECT_EQ(shot.Pixel(fw + 5, fh + 5), clLime);
  EXPECT_NE(shot.Pixel(fw - 5, fh + 5), clLime) << "clipped at the fixed column";
  EXPECT_NE(shot.Pixel(fw + 5, fh - 5), clLime) << "clipped at the fixed row";
}

TEST_F(BaseGridTest, ActiveRowWithAndWithoutShownSelection) {
  for (bool showSel : {true, false}) {
    SCOPED_TRACE(showSel);
    TBaseGridForm f;
    f.Grid->SetColor(clWhite);
    f.Grid->SetActiveRowShow(true);
    f.Grid->SetActiveRowColor(clAqua);
    f.Grid->SetShowSel(showSel);
    f.Grid->MoveColRow(2, 4, true, true);
    TBitmap shot = RenderPicture(*f.Grid);
    EXPECT_EQ(shot.Pixel(Centre(f.Grid->CellRect(3, 4)).X, Centre(f.Grid->CellRect(3, 4)).Y), clAqua);
    EXPECT_EQ(shot.Pixel(Centre(f.Grid->CellRect(1, 4)).X, Centre(f.Grid->CellRect(1, 4)).Y), clAqua);
    TPoint current = Centre(f.Grid->CellRect(2, 4));
    EXPECT_EQ(shot.Pixel(current.X, current.Y), showSel ? clWhite : clAqua);
    EXPECT_NE(shot.Pixel(Centre(f.Grid->CellRect(0, 4)).X, Centre(f.Grid->CellRect(0, 4)).Y), clAqua)
        << "not the fixed column";
    EXPECT_EQ(shot.Pixel(Centre(f.Grid->CellRect(3, 5)).X, Centre(f.Grid->CellRect(3, 5)).Y), clWhite);
  }
}

TEST_F(BaseGridTest, PaintCellExtPaintsBackgroundAndLinesOnly) {
  TBaseGridForm f;
  f.Grid->SetActiveRowColor(clAqua);
  f.Grid->SetCells(2, 2, "WWWW");
  TBitmap b(60, 30);
  for (TGridDrawState state : {TGridDrawState(gdSelected), TGridDrawState(0)}) {
    SCOPED_TRACE(state);
    b.Canvas().Brush().SetColor(clWhite);
    b.Canvas().FillRect({0, 0, 60, 30});
    f.Grid->PaintCellExt(b.Canvas(), 2, 2, {0, 0, 60, 30}, state);
    EXPECT_EQ(b.Pixel(30, 15), state ? clAqua : ColorToRGB(f.Grid->Color())) << "the rectangle as given";
    EXPECT_EQ(CountColor(b, clBlack, {0, 0, 59, 29}), 0) << "no text";
    EXPECT_EQ(b.Pixel(59, 10), 0xC0C0C0u) << "the right line";
  }
}

TEST_F(BaseGridTest, GridLineWidthZeroDrawsNoLinesAndGivesTheWholeCell) {
  TBaseGridForm f;
  f.Grid->SetColor(clWhite);
  TRect normal = f.Grid->CellRect(3, 3);
  TBitmap withLines = RenderPicture(*f.Grid);
  EXPECT_GT(CountColor(withLines, 0xC0C0C0, normal), 0);
  f.Grid->SetGridLineWidth(0);
  f.Grid->Contents.clear();
  f.Grid->ContentRects.clear();
  TBitmap without = RenderPicture(*f.Grid);
  EXPECT_EQ(CountColor(without, 0xC0C0C0, normal), 0);
  auto at =
      std::find(f.Grid->Contents.begin(), f.Grid->Contents.end(), std::pair{3, 3}) - f.Grid->Contents.begin();
  ASSERT_LT(static_cast<std::size_t>(at), f.Grid->Contents.size());
  EXPECT_EQ(f.Grid->ContentRects[static_cast<std::size_t>(at)], normal);
}

TEST_F(BaseGridTest, WritingAMergedCellRepaintsItsAreaOnly) {
  TBaseGridForm f;
  f.Grid->MergeCells(2, 2, 3, 2);
  Application->ProcessMessages();
  Headless::TPaintObserver seen;
  f.Grid->SetCells(4, 3, "x");
  Application->ProcessMessages();
  ASSERT_EQ(seen.Count(*f.Grid), 1);
  EXPECT_EQ(seen.Regions(*f.Grid).front(), f.Grid->CellRect(2, 2));
  seen.Clear();
  f.Grid->CellProperties(5, 6)->SetBrushColor(clRed);
  Application->ProcessMessages();
  ASSERT_EQ(seen.Count(*f.Grid), 1);
  EXPECT_EQ(seen.Regions(*f.Grid).front(), f.Grid->CellRect(5, 6));
}
