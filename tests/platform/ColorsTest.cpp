#include "platform/Colors.h"

#include <gtest/gtest.h>

TEST(Colors, SystemColoursComeFromOneFixedTable) {
  EXPECT_EQ(ColorToRGB(clWindow), RGB(255, 255, 255));
  EXPECT_EQ(ColorToRGB(clWindowText), RGB(0, 0, 0));
  EXPECT_EQ(ColorToRGB(clBtnFace), RGB(240, 240, 240));
  EXPECT_EQ(ColorToRGB(clInfoBk), RGB(255, 255, 225));
  EXPECT_EQ(ColorToRGB(cl3DDkShadow), RGB(105, 105, 105));
  EXPECT_NE(ColorToRGB(clHighlight), ColorToRGB(clHighlightText));
  EXPECT_EQ(ColorToRGB(SystemColor(200)), clBlack); // no such index
  for (unsigned i = 0; i <= 30; ++i)
    EXPECT_FALSE(IsSystemColor(ColorToRGB(SystemColor(i)))) << i;
}

TEST(Colors, PlainColoursPassAndSpecialOnesAreResolved) {
  EXPECT_EQ(ColorToRGB(RGB(248, 247, 237)), RGB(248, 247, 237));
  EXPECT_EQ(ColorToRGB(clSkyBlue), clSkyBlue);
  EXPECT_EQ(ColorToRGB(clNone), clBlack);
  EXPECT_EQ(ColorToRGB(clDefault), ColorToRGB(clWindow));
  EXPECT_EQ(GetRValue(RGB(1, 2, 3)), 1u);
  EXPECT_EQ(GetGValue(RGB(1, 2, 3)), 2u);
  EXPECT_EQ(GetBValue(RGB(1, 2, 3)), 3u);
}
