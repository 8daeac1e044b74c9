#include "grid/GridOptionTypes.h"
#include "grid/GridTypes.h"

#include <gtest/gtest.h>

TEST(GridTypes, PinnedValuesAndCounts) {
  EXPECT_EQ(edDataCheckBox, 10);
  EXPECT_EQ(edMaskEditBtn, 42);
  EXPECT_EQ(EnumCount<TEditorType>(), 43);
  EXPECT_EQ(EnumCount<TSortStyle>(), 20);
  EXPECT_EQ(ssAlphaNumericNoCase, 19);
  EXPECT_EQ(EnumCount<TColumnCalcType>(), 10);
  EXPECT_EQ(acSTDDEV, 9);
  EXPECT_EQ(THoverRowCells({hcNormal, hcSelected}).Bits(), 0b101u);
  EXPECT_EQ(TCellBorders({cbBottom}).Bits(), 0b1000u);
}

TEST(GridTypes, ValuesCarryTheirNamesBothWays) {
  EXPECT_EQ(EnumName(edMaskEditBtn), "edMaskEditBtn");
  EXPECT_EQ(EnumName(ssOffice2007), "ssOffice2007");
  EXPECT_EQ(EnumName(GradientHorizontal), "GradientHorizontal");
  EXPECT_EQ(EnumName(tasCheck), "tasCheck");
  EXPECT_EQ(EnumNameAt<TVAlignment>(2), "vtaBottom");
  EXPECT_EQ(EnumNameAt<TVAlignment>(3), ""); // an ordinal from a file outside the type
  EXPECT_EQ(EnumNameAt<TVAlignment>(-1), "");
  TSortStyle s = ssAutomatic;
  EXPECT_TRUE(EnumValue("ssAlphaNumeric", s));
  EXPECT_EQ(s, ssAlphaNumeric);
  EXPECT_FALSE(EnumValue("ssalphanumeric", s)); // the files write the exact names
  EXPECT_EQ(s, ssAlphaNumeric);
  // Every name reads back as its own value.
  for (int i = 0; i < EnumCount<TEditorType>(); ++i) {
    TEditorType e = edNormal;
    ASSERT_TRUE(EnumValue(EnumName(static_cast<TEditorType>(i)), e)) << i;
    EXPECT_EQ(e, i);
  }
}
