// Cell graphics and fixed-cell looks in the rendered grid: data check boxes, a progress bar, node
// symbols, the comment mark, and the fixed row under every look and style.
#include "ProGridFixture.h"

#include "platform/Colors.h"
#include "platform/ui/Graphics.h"
#include "support/ControlPicture.h"
#include "support/PixelTools.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>

namespace {

// Every channel within tol of the other colour's.
bool Near(TColor a, TColor b, int tol) {
  a = ColorToRGB(a);
  b = ColorToRGB(b);
  for (int shift : {0, 8, 16})
    if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > tol)
      return false;
  return true;
}

std::string Hex(TColor c) {
  std::ostringstream s;
  s << std::hex << ColorToRGB(c);
  return s.str();
}

// The pixels of two equally sized areas compare equal.
bool SameArea(const TBitmap& b, const TRect& x, const TRect& y) {
  if (x.Width() != y.Width() || x.Height() != y.Height()) return false;
  for (int dy = 0; dy < x.Height(); ++dy)
    for (int dx = 0; dx < x.Width(); ++dx)
      if (b.Pixel(x.Left + dx, x.Top + dy) != b.Pixel(y.Left + dx, y.Top + dy)) return false;
  return true;
}

class ProGridGraphicRenderTest : public TProGridTest<> {
protected:
  void SetUp() override {
    TProGridTest::SetUp();
    Grid->SetColCount(6);
    Grid->SetRowCount(8);
    Grid->SetColor(clWhite);
    Grid->SetHideFocusRect(true);
  }
  // Inner area of a cell, clear of the grid lines.
  TRect Inner(int c, int r) {
    TRect x = Grid->CellRect(c, r);
    return Rect(x.Left + 1, x.Top + 1, x.Right - 1, x.Bottom - 1);
  }
};

TEST_F(ProGridGraphicRenderTest, DataCheckBoxShowsCheckedExactlyForY) {
  for (TGridControlStyle style : {csTheme, csWinXP, csClassic}) {
    Grid->ControlLook().SetControlStyle(style);
    const char* texts[] = {"Y", "N", "", "y", "yes"};
    for (int r = 2; r < 7; ++r) {
      Grid->AddCheckBox(3, r, false, true);
      Grid->SetCells(3, r, texts[r - 2]);
    }
    const TBitmap shot = RenderPicture(*Grid);
    EXPECT_FALSE(SameArea(shot, Inner(3, 2), Inner(3, 3))) << "style " << style;
    for (int r = 4; r < 7; ++r)
      EXPECT_TRUE(SameArea(shot, Inner(3, 3), Inner(3, r))) << "style " << style << ", row " << r;
    EXPECT_FALSE(SameArea(shot, Inner(3, 3), Inner(4, 3))) << "the unchecked box shows, style " << style;
  }
}

TEST_F(ProGridGraphicRenderTest, HalfProgressBarIsFilledToTheMiddle) {
  Grid->SetColWidths(3, 104);
  Grid->ControlLook().SetControlStyle(csClassic);
  Grid->AddProgress(3, 3, clRed, clWhite);
  Grid->SetCells(3, 3, "50");
  const TBitmap shot = RenderPicture(*Grid);
  const TRect cell = Grid->CellRect(3, 3);
  const TRect red = ColorBounds(shot, clRed, cell);
  ASSERT_FALSE(red.IsEmpty());
  EXPECT_NEAR(red.Left + red.Width() * 2, cell.Right - (red.Left - cell.Left), 4)
      << "the filled part ends half way along the bar";
  EXPECT_NEAR(red.Right, (cell.Left + cell.Right) / 2, 3);
}

TEST_F(ProGridGraphicRenderTest, NodeSymbolsCollapsedAndExpanded) {
  Grid->AddNode(1, 2);
  Grid->AddNode(4, 2);
  Grid->ContractNode(4);
  const TBitmap shot = RenderPicture(*Grid);
  const TRect open = Inner(0, 1), closed = Inner(0, 4), plain = Inner(0, 6);
  EXPECT_FALSE(SameArea(shot, open, closed));
  // The symbol is what sets the node row apart from a plain row, tree lines aside: at the node's
  // indent (level 1, indent 12), inside the first 24 pixels.
  const TColor tree = Grid->CellNode().TreeColor();
  TRect ink{closed.Right, closed.Bottom, closed.Left, closed.Top};
  for (int y = 0; y < closed.Height(); ++y)
    for (int x = 0; x < closed.Width(); ++x)
      if (shot.Pixel(closed.Left + x, closed.Top + y) != shot.Pixel(plain.Left + x, plain.Top + y) &&
          shot.Pixel(closed.Left + x, closed.Top + y) != tree) {
        ink.Left = std::min(ink.Left, closed.Left + x);
        ink.Right = std::max(ink.Right, closed.Left + x + 1);
      }
  ASSERT_LT(ink.Left, ink.Right);
  EXPECT_GE(ink.Left, closed.Left);
  EXPECT_LE(ink.Right, closed.Left + 24);
}

TEST_F(ProGridGraphicRenderTest, CommentMarkInTheCellsTopRightCorner) {
  Grid->AddComment(3, 3, "note");
  const TBitmap shot = RenderPicture(*Grid);
  const TRect cell = Grid->CellRect(3, 3);
  const TRect mark = ColorBounds(shot, 0x0000FF, cell);
  ASSERT_FALSE(mark.IsEmpty());
  EXPECT_LE(cell.Right - mark.Right, 4);
  EXPECT_LE(mark.Top - cell.Top, 2);
  EXPECT_LE(mark.Width(), 6);
  EXPECT_LE(mark.Height(), 6);
  EXPECT_TRUE(ColorBounds(shot, 0x0000FF, Grid->CellRect(3, 4)).IsEmpty());
}

TEST_F(ProGridGraphicRenderTest, GraphicsOfTheRealColumnShowWhereItIsDisplayed) {
  Grid->AddComment(3, 3, "note"); // real column 3
  Grid->AddButton(4, 2, 20, 12, "", haLeft, vaTop);
  Grid->HideColumn(1);
  const TBitmap shot = RenderPicture(*Grid);
  EXPECT_FALSE(ColorBounds(shot, 0x0000FF, Grid->CellRect(2, 3)).IsEmpty());
  EXPECT_TRUE(ColorBounds(shot, 0x0000FF, Grid->CellRect(3, 3)).IsEmpty());
  // The button's click area lies in its displayed cell.
  const TRect button = Grid->GetCellButtonRect(3, 2), cell = Grid->CellRect(3, 2);
  EXPECT_GE(button.Left, cell.Left);
  EXPECT_LE(button.Right, cell.Right);
  EXPECT_EQ(button.Width(), 20);
}

// Top and bottom of a fixed cell's face, clear of its edges.
struct TFace {
  TColor Top, Bottom;
};

class ProGridFixedLookTest : public ProGridGraphicRenderTest {
protected:
  TFace Face() {
    const TBitmap shot = RenderPicture(*Grid);
    const TRect r = Grid->CellRect(2, 0);
    const int x = (r.Left + r.Right) / 2;
    return {shot.Pixel(x, r.Top + 2), shot.Pixel(x, r.Bottom - 5)};
  }
};

TEST_F(ProGridFixedLookTest, FixedRowUnderEveryLook) {
  struct {
    TGridLook Look;
    TColor Top, Bottom;
  } cases[] = {
      {glStandard, clBtnFace, clBtnFace}, {glSoft, clBtnFace, clBtnFace},
      {glClassic, clBtnFace, clBtnFace},  {glZUZ, 0xFFFFFF, 0xC0C0C0},
      {glXP, 0xFFFFFF, clBtnFace},        {glVista, 0xFFFFFF, 0xF4F2F1},
      {glWin7, 0xFDFCFA, 0xF7E9DD},       {glOffice2007, 0xFBF9F6, 0xE8DBD2},
  };
  for (const auto& c : cases) {
    Grid->SetLook(glCustom);
    Grid->SetLook(c.Look);
    const TFace f = Face();
    EXPECT_TRUE(Near(f.Top, c.Top, 12)) << "look " << c.Look << ": top " << Hex(f.Top);
    EXPECT_TRUE(Near(f.Bottom, c.Bottom, 12)) << "look " << c.Look << ": bottom " << Hex(f.Bottom);
  }
  // The list-view look is drawn by the header theme or as a button face; either way plain.
  Grid->SetLook(glListView);
  const TFace lv = Face();
  EXPECT_TRUE(Near(lv.Top, lv.Bottom, 24)) << Hex(lv.Top) << " " << Hex(lv.Bottom);
}

TEST_F(ProGridFixedLookTest, FixedRowUnderEveryStyle) {
  struct {
    TProGridStyle Style;
    TColor Top, Bottom;
  } cases[] = {
      {gsOffice2003Blue, 0xFCE1CB, 0xE0A57D},   {gsOffice2003Silver, 0xECE2E1, 0xB39698},
      {gsOffice2003Olive, 0xCFF0EA, 0x8CC0B1},  {gsOffice2003Classic, 0xFFFFFF, 0xCCD4D8},
      {gsOffice2007Luna, 0xFBF9F6, 0xE8DBD2},   {gsOffice2007Obsidian, 0xF7F7F7, 0xDEDEDE},
      {gsWindowsXP, clBtnFace, clBtnFace},      {gsWhidbey, 0xFFFFFF, clBtnFace},
      {gsOffice2007Silver, 0xF3F3F1, 0xCAC9C8}, {gsWindowsVista, 0xFFFFFF, 0xF4F2F1},
      {gsWindows7, 0xFDFCFA, 0xF7E9DD},         {gsTerminal, clBtnFace, clBtnFace},
      {gsOffice2010Blue, 0xF5E7DA, 0xF5E7DA},   {gsOffice2010Silver, 0xE8E3DF, 0xE8E3DF},
      {gsOffice2010Black, 0x6A6A6A, 0x6A6A6A},
  };
  for (const auto& c : cases) {
    Grid->SetLook(glXP); // Whidbey keeps the look it finds
    Grid->SetStyle(c.Style);
    if (c.Style == gsTerminal) Grid->SetFixedColor(clBtnFace);
    const TFace f = Face();
    EXPECT_TRUE(Near(f.Top, c.Top, 12)) << "style " << c.Style << ": top " << Hex(f.Top);
    EXPECT_TRUE(Near(f.Bottom, c.Bottom, 12)) << "style " << c.Style << ": bottom " << Hex(f.Bottom);
  }
}

} // namespace
