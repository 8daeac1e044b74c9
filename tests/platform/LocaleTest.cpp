#include "platform/Locale.h"

#include <gtest/gtest.h>

TEST(Locale, InjectedSettingsHoldUntilReset) {
  ResetFormatSettings();
  TFormatSettings fromEnvironment = FormatSettings();
  EXPECT_NE(fromEnvironment.DecimalSeparator, '\0');
  EXPECT_NE(fromEnvironment.DecimalSeparator, fromEnvironment.ThousandSeparator);
  EXPECT_NE(fromEnvironment.ShortDateFormat.find("dd"), std::string::npos);

  TFormatSettings mine;
  mine.DecimalSeparator = ',';
  mine.ThousandSeparator = '.';
  SetFormatSettings(mine);
  EXPECT_EQ(FormatSettings().DecimalSeparator, ',');
  EXPECT_EQ(FormatSettings().ThousandSeparator, '.');
  ResetFormatSettings();
  EXPECT_EQ(FormatSettings().DecimalSeparator, fromEnvironment.DecimalSeparator);
}
