#include "grid/ProGrid.h"

#include "platform/ui/Forms.h"
#include "platform/ui/Graphics.h"
#include "support/PixelTools.h"
#include "support/UiTestFixture.h"

#include <gtest/gtest.h>

namespace {

struct TGlyphGrid {
  TGlyphGrid() {
    Form = new TForm(nullptr);
    Grid = new TProStringGrid(Form);
    Grid->SetParent(Form);
  }
  ~TGlyphGrid() { Form->Free(); }
  TGlyphGrid(const TGlyphGrid&) = delete;
  TGlyphGrid& operator=(const TGlyphGrid&) = delete;
  // The glyph drawn on white in a 20 x 20 area.
  TBitmap Draw(TGridControlStyle Style, bool Checked, bool Enabled, bool TriState = false,
               TCheckBoxState State = cbUnchecked) {
    TBitmap b(20, 20);
    b.Canvas().Brush().SetColor(clWhite);
    b.Canvas().FillRect(Rect(0, 0, 20, 20));
    Grid->DrawCheck(b.Canvas(), Rect(0, 0, 20, 20), Checked, Enabled, false, Style, TriState, State);
    return b;
  }
  TForm* Form;
  TProStringGrid* Grid;
};

TEST(ProGridCheckGlyphs, CheckedUncheckedAndDisabledLooksDiffer) {
  TGlyphGrid f;
  for (TGridControlStyle style : {csTheme, csWinXP, csZUZ, csClassic, csFlat, csBorland}) {
    TBitmap on = f.Draw(style, true, true), off = f.Draw(style, false, true);
    EXPECT_FALSE(SamePixels(on, off)) << "style " << style;
    EXPECT_NE(InkBounds(off), TRect()) << "an unchecked box is drawn too, style " << style;
  }
  for (TGridControlStyle style : {csWinXP, csZUZ, csClassic})
    EXPECT_FALSE(SamePixels(f.Draw(style, true, true), f.Draw(style, true, false))) << "style " << style;
}

TEST(ProGridCheckGlyphs, AlwaysActiveUsesTheEnabledLook) {
  TGlyphGrid f;
  f.Grid->ControlLook().SetCheckAlwaysActive(true);
  for (TGridControlStyle style : {csWinXP, csClassic})
    EXPECT_TRUE(SamePixels(f.Draw(style, true, true), f.Draw(style, true, false))) << "style " << style;
}

TEST(ProGridCheckGlyphs, TriStateTakesItsLookFromTheState) {
  TGlyphGrid f;
  // Bitmaps have no grayed glyph: the grayed box shows unchecked.
  EXPECT_TRUE(SamePixels(f.Draw(csWinXP, true, true, true, cbGrayed), f.Draw(csWinXP, false, true)));
  EXPECT_TRUE(SamePixels(f.Draw(csWinXP, false, true, true, cbChecked), f.Draw(csWinXP, true, true)));
  // The classic frame control shows a grayed box as checked three-state.
  EXPECT_FALSE(SamePixels(f.Draw(csClassic, false, true, true, cbGrayed), f.Draw(csClassic, false, true)));
}

TEST(ProGridCheckGlyphs, ClassicBoxIsCentred) {
  TGlyphGrid f;
  // The 15-pixel square starts at (R width - 15) / 2: 2 in a 20-pixel area, 7 in a 30-pixel one.
  TBitmap small = f.Draw(csClassic, false, true);
  TBitmap wide(40, 40);
  wide.Canvas().Brush().SetColor(clWhite);
  wide.Canvas().FillRect(Rect(0, 0, 40, 40));
  f.Grid->DrawCheck(wide.Canvas(), Rect(0, 0, 30, 40), false, true, false, csClassic, false, cbUnchecked);
  TRect a = InkBounds(small), b = InkBounds(wide);
  EXPECT_EQ(b.Left - a.Left, 5);
  EXPECT_EQ(b.Top - a.Top, 10);
  EXPECT_EQ(b.Width(), a.Width());
}

} // namespace
