#include "grid/GridLookSettings.h"
#include "grid/GridOwnedSettings.h"

#include <gtest/gtest.h>

namespace {
TBitmap Square(int size, TColor color) {
  TBitmap b(size, size);
  b.SetPixel(0, 0, color);
  return b;
}
} // namespace

TEST(GridProgressAppearance, DefaultsChangesAndCopying) {
  TGridProgressAppearance a;
  EXPECT_EQ(a.CompleteColor(), TColor(0x0000FF));
  EXPECT_EQ(a.UnCompleteColor(), clNone);
  EXPECT_EQ(a.Level2Color(), TColor(0x53A9FF));
  EXPECT_EQ(a.Level1Perc(), 70);
  EXPECT_EQ(a.Level2Perc(), 90);
  EXPECT_TRUE(a.ShowPercentage());
  EXPECT_FALSE(a.Stacked());
  EXPECT_EQ(a.Steps(), 11);
  EXPECT_EQ(a.Style(), psXP);

  int changes = 0;
  a.OnChange = [&](TObject*) { ++changes; };
  a.SetSteps(11); // unchanged: quiet
  EXPECT_EQ(changes, 0);
  a.SetSteps(20);
  EXPECT_EQ(changes, 1);

  TGridProgressAppearance b;
  b.SetStyle(psClassic);
  b.SetLevel1Perc(50);
  b.SetShowBorder(true);
  a.Assign(&b);
  EXPECT_EQ(changes, 2); // once for the whole copy
  EXPECT_EQ(a.Style(), psClassic);
  EXPECT_EQ(a.Level1Perc(), 50);
  EXPECT_EQ(a.Steps(), 11);
  EXPECT_TRUE(a.ShowBorder());
  a.Assign(nullptr);
  EXPECT_EQ(changes, 2);
}

TEST(FilterDropDown, DefaultsGlyphChangesAndCopying) {
  TFilterDropDown d;
  EXPECT_FALSE(d.AutoSize());
  EXPECT_EQ(d.Height(), 150);
  EXPECT_EQ(d.Width(), 150);
  EXPECT_EQ(d.Color(), clWindow);
  EXPECT_TRUE(d.Glyph().Empty());
  EXPECT_FALSE(d.ColumnWidth());

  int changes = 0;
  d.OnChange = [&](TObject*) { ++changes; };
  TBitmap glyph = Square(8, 0x112233);
  d.SetGlyph(glyph);
  EXPECT_EQ(changes, 1);
  glyph.SetPixel(0, 0, 0x445566); // the grid's copy is its own
  EXPECT_EQ(d.Glyph().Pixel(0, 0), TColor(0x112233));

  TFilterDropDown s;
  s.SetAutoSize(true);
  s.SetHeight(80);
  s.SetColor(0x00FF00);
  s.SetColumnWidth(true);
  s.Font().SetHeight(20);
  s.SetGlyphActive(Square(4, 0x0000FF));
  d.Assign(&s);
  EXPECT_FALSE(d.AutoSize()); // not copied
  EXPECT_EQ(d.Height(), 80);
  EXPECT_EQ(d.Color(), TColor(0x00FF00));
  EXPECT_TRUE(d.ColumnWidth());
  EXPECT_EQ(d.Font().Height(), 20);
  EXPECT_EQ(d.GlyphActive().Width(), 4);
  EXPECT_TRUE(d.Glyph().Empty());
  EXPECT_GT(changes, 1);
}

TEST(SortSettings, GlyphsAreCopiedBySettersAndAssign) {
  TSortSettings s;
  EXPECT_TRUE(s.UpGlyph().Empty());
  EXPECT_TRUE(s.IndexDownGlyph().Empty());
  TBitmap up = Square(6, 0x010203);
  s.SetUpGlyph(up);
  s.SetIndexDownGlyph(Square(3, 0x0A0B0C));
  s.SetColumn(2);
  up.SetPixel(0, 0, 0);
  EXPECT_EQ(s.UpGlyph().Pixel(0, 0), TColor(0x010203));
  TSortSettings t;
  t.Assign(&s);
  EXPECT_EQ(t.Column(), 2);
  EXPECT_EQ(t.UpGlyph().Width(), 6);
  EXPECT_EQ(t.IndexDownGlyph().Pixel(0, 0), TColor(0x0A0B0C));
  EXPECT_TRUE(t.DownGlyph().Empty());
}
