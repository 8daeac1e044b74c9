// Each cell's colours, font and alignment as the painter asks for them.
#include "ProGridFixture.h"

#include "controls/ProUtilDraw.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class ProGridCellColorsTest : public TProGridTest<TProStringGrid, false> {
protected:
  void SetUp() override {
    TProGridTest::SetUp();
    Grid->SetColCount(6);
    Grid->SetRowCount(10);
    Grid->SetColor(clWhite);
  }
  struct TLook {
    TColor Brush = clNone;
    TColor ColorTo = clNone;
    TColor FontColor = clNone;
    TGridDrawState State = 0;
    TAlignment HA = taLeftJustify;
    TCellGradientDirection GD = GradientVertical;
  };
  TLook Visual(int ACol, int ARow, bool Select = true, TGridDrawState State = 0) {
    TBrush brush;
    TFont font;
    TLook l;
    l.State = State;
    TColor mirror = clNone, mirrorTo = clNone;
    TVAlignment va = vtaTop;
    bool ww = true;
    Grid->GetVisualProperties(ACol, ARow, l.State, false, Select, true, brush, l.ColorTo, mirror, mirrorTo,
                              font, l.HA, va, ww, l.GD);
    l.Brush = brush.Color();
    l.FontColor = font.Color();
    return l;
  }
};

} // namespace

TEST(ProGridMixSelectionColor, Cases) {
  struct TCase {
    TColor Sel, Cell;
    bool Mixer;
    int Factor;
    TColor Expected;
  } cases[] = {
      {0xFF0000, 0x0000FF, false, 50, 0xFF0000}, {0xFF0000, 0x0000FF, true, 100, 0xFF0000},
      {0xFF0000, 0x0000FF, true, 0, 0x0000FF},   {clNone, 0x0000FF, true, 50, 0x0000FF},
      {0xFF0000, clNone, true, 50, 0xFF0000},    {0xFF0000, 0x0000FF, true, 50, 0x800080},
      {0xC8C8C8, 0x000000, true, 25, 0x323232},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(TProStringGrid::MixSelectionColor(c.Sel, c.Cell, c.Mixer, c.Factor), c.Expected)
        << std::hex << c.Sel << " " << c.Cell << " " << std::dec << c.Factor;
}

TEST_F(ProGridCellColorsTest, MixerFactorIsKeptWithinPercent) {
  Grid->SetSelectionColorMixerFactor(150);
  EXPECT_EQ(Grid->SelectionColorMixerFactor(), 100);
  Grid->SetSelectionColorMixerFactor(-5);
  EXPECT_EQ(Grid->SelectionColorMixerFactor(), 0);
}

TEST_F(ProGridCellColorsTest, SelectionOnThePlainColourIsPlainAndOnBandsIsMixed) {
  Grid->SetSelectionColorMixer(true);
  Grid->SetSelectionColor(0xFF0000);
  Grid->SetSelection({1, 1, 3, 4});
  TLook plain = Visual(2, 2);
  EXPECT_EQ(plain.Brush, 0xFF0000);
  EXPECT_TRUE(plain.State & gdSelected);
  Grid->Bands().SetActive(true);
  Grid->Bands().SetPrimaryColor(0x0000FF);
  Grid->Bands().SetSecondaryColor(0x0000FF);
  EXPECT_EQ(Visual(2, 2).Brush, 0x800080);
  EXPECT_EQ(Visual(2, 2, false).Brush, 0x0000FF) << "the text pass leaves the selection out";
}

TEST_F(ProGridCellColorsTest, BandsOfTwoAndOne) {
  TBands& b = Grid->Bands();
  b.SetActive(true);
  b.SetPrimaryColor(0x111111);
  b.SetSecondaryColor(0x222222);
  b.SetPrimaryLength(2);
  b.SetSecondaryLength(1);
  ASSERT_EQ(b.TotalLength(), 3);
  Grid->SetSelection({5, 9, 5, 9});
  std::vector<TColor> got;
  for (int r = 1; r <= 6; ++r)
    got.push_back(Visual(2, r).Brush);
  EXPECT_EQ(got, (std::vector<TColor>{0x111111, 0x111111, 0x222222, 0x111111, 0x111111, 0x222222}));
}

TEST_F(ProGridCellColorsTest, FixedCellsTakeTheLookGradientUnlessTheyHaveTheirOwnColour) {
  TLook fixed = Visual(2, 0);
  EXPECT_EQ(fixed.Brush, 0xFFFFFF);
  EXPECT_EQ(fixed.ColorTo, clBtnFace);
  EXPECT_TRUE(fixed.State & gdFixed);
  Grid->CellProperties(2, 0)->SetBrushColor(0x00FF00);
  EXPECT_EQ(Visual(2, 0).Brush, 0x00FF00);
  Grid->SetLook(glStandard);
  Grid->SetFixedColor(0x0F0F0F);
  Grid->AddCheckBox(3, 0, true, false);
  Grid->CellProperties(3, 0)->SetBrushColor(0x00FF00);
  EXPECT_EQ(Visual(3, 0).Brush, 0x0F0F0F) << "a fixed check-box cell keeps the fixed colour";
}

TEST_F(ProGridCellColorsTest, SelectionKeepsTheVerticalGradient) {
  Grid->CellProperties(2, 2)->SetGradientDirection(GradientHorizontal);
  EXPECT_EQ(Visual(2, 2, true, 0).GD, GradientHorizontal);
  EXPECT_EQ(Visual(2, 2, true, gdSelected).GD, GradientVertical);
}

TEST_F(ProGridCellColorsTest, AutoNumAlignRightJustifiesNumbers) {
  Grid->SetAutoNumAlign(true);
  struct TCase {
    const char* Text;
    TAlignment Expected;
  } cases[] = {{"12", taRightJustify},
               {" -3 ", taRightJustify},
               {"1.5e3", taRightJustify},
               {"abc", taLeftJustify},
               {"", taLeftJustify}};
  for (const TCase& c : cases) {
    Grid->SetCells(2, 3, c.Text);
    EXPECT_EQ(Visual(2, 3).HA, c.Expected) << "'" << c.Text << "'";
  }
  // A formula is aligned by its calculated value and ignores the cell's own alignment.
  Grid->CellProperties(2, 3)->SetAlignment(taCenter);
  Grid->SetCells(2, 3, "abc");
  EXPECT_EQ(Visual(2, 3).HA, taCenter);
  Grid->SetCells(2, 3, "=12");
  EXPECT_NE(Visual(2, 3).HA, taCenter);
}

// Mended: picked cells were keyed by row * 65536 + column, so large grids aliased rows.
TEST_F(ProGridCellColorsTest, PickedCellsAreFoundByColumnAndRowInLargeGrids) {
  Grid->SetRowCount(70000);
  Grid->MouseActions().SetDisjunctCellSelect(true);
  Grid->GotoCell(5, 9);
  Grid->SetSelectedCells(2, 65537, true);
  EXPECT_TRUE(Visual(2, 65537).State & gdSelected);
  EXPECT_FALSE(Visual(2, 1).State & gdSelected);
  EXPECT_FALSE(Visual(3, 1).State & gdSelected);
  EXPECT_TRUE(Grid->SelectedCells(2, 65537));
  EXPECT_FALSE(Grid->SelectedCells(2, 1));
}

TEST_F(ProGridCellColorsTest, ColourAndWordWrapEventsGetTheRealColumn) {
  Grid->HideColumn(1);
  std::vector<std::string> calls;
  Grid->OnGetCellColor = [&](TObject*, int ARow, int ACol, TGridDrawState, TBrush&, TFont&) {
    calls.push_back("color row " + std::to_string(ARow) + " col " + std::to_string(ACol));
  };
  Grid->OnGetWordWrap = [&](TObject*, int ACol, int ARow, bool&) {
    calls.push_back("wrap col " + std::to_string(ACol) + " row " + std::to_string(ARow));
  };
  Visual(3, 5);
  EXPECT_EQ(calls, (std::vector<std::string>{"color row 5 col 4", "wrap col 4 row 5"}));
}

TEST_F(ProGridCellColorsTest, DisabledRowsUseTheDisabledFontColour) {
  Grid->SetUseDisabledFont(true);
  Grid->SetUseEnabledRows(true);
  Grid->SetRowEnabled(4, false);
  EXPECT_EQ(Visual(2, 4, false).FontColor, Grid->DisabledFontColor());
  EXPECT_NE(Visual(2, 5, false).FontColor, Grid->DisabledFontColor());
}

TEST_F(ProGridCellColorsTest, SpreadSheetSwitchesOnItsGroup) {
  Grid->SetSpreadSheet(true);
  EXPECT_TRUE(Grid->SelectionRectangle());
  EXPECT_TRUE(Grid->SelectionResizer());
  EXPECT_TRUE(Grid->Navigation().AllowSmartClipboard());
  EXPECT_TRUE(Grid->MouseActions().RangeSelectAndEdit());
  EXPECT_EQ(Grid->Options() & (goRangeSelect | goEditing), goRangeSelect | goEditing);
}

TEST_F(ProGridCellColorsTest, VAlignmentKeepsItsTextFlag) {
  struct TCase {
    TVAlignment Value;
    unsigned Flag;
  } cases[] = {{vtaTop, 0}, {vtaCenter, DT_VCENTER}, {vtaBottom, DT_BOTTOM}};
  for (const TCase& c : cases) {
    Grid->SetVAlignment(c.Value);
    EXPECT_EQ(Grid->VAlign(), c.Flag);
  }
}

TEST_F(ProGridCellColorsTest, PrintingTakesThePrintFontsAndLeavesSelectionOut) {
  Grid->PrintSettings().SetUseDisplayFont(false);
  Grid->PrintSettings().Font().SetSize(20);
  Grid->PrintSettings().FixedFont().SetSize(16);
  Grid->SetSelection({1, 1, 3, 3});
  auto printed = [&](int c, int r, int& size, TColor& brush) {
    TBrush b;
    TFont f;
    TGridDrawState st = 0;
    TColor to = clNone, m = clNone, mt = clNone;
    TAlignment ha = taLeftJustify;
    TVAlignment va = vtaTop;
    bool ww = true;
    TCellGradientDirection gd = GradientVertical;
    Grid->GetVisualProperties(c, r, st, true, true, true, b, to, m, mt, f, ha, va, ww, gd);
    size = f.Size();
    brush = b.Color();
    return st;
  };
  int size = 0;
  TColor brush = clNone;
  TGridDrawState st = printed(2, 2, size, brush);
  EXPECT_EQ(size, 20);
  EXPECT_EQ(brush, clWhite) << "no selection colour on paper";
  EXPECT_FALSE(st & gdSelected);
  printed(2, 0, size, brush);
  EXPECT_EQ(size, 16);
  EXPECT_EQ(brush, Grid->ZUZGradientFrom()) << "the look's gradient on paper too";
}
