#include "platform/DateText.h"
#include "platform/Clock.h"
#include "platform/Locale.h"
#include "platform/Persistent.h"

#include <gtest/gtest.h>

namespace {

class DateTextTest : public ::testing::Test {
protected:
  void TearDown() override { ResetFormatSettings(); }
};

// 2026-03-14 09:26:53
constexpr double Moment = 46095.0 + (9 * 3600 + 26 * 60 + 53) / 86400.0;

} // namespace

TEST_F(DateTextTest, RegionalPatterns) {
  struct TCase {
    const char* Date;
    const char* Time;
    char DateSep, TimeSep;
    const char* ExpectedDate;
    const char* ExpectedTime;
  };
  const TCase cases[] = {
      {"dd/mm/yyyy", "hh:nn:ss", '/', ':', "14/03/2026", "09:26:53"},
      {"dd.mm.yyyy", "hh:nn:ss", '.', ':', "14.03.2026", "09:26:53"},
      {"mm/dd/yy", "h.nn.ss", '-', '.', "03-14-26", "9.26.53"},
      {"yyyy-mm-dd", "hh:nn", '/', ':', "2026-03-14", "09:26"},
      {"d/m/yyyy", "hh:nn:ss", '/', ':', "14/3/2026", "09:26:53"},
  };
  for (const TCase& c : cases) {
    TFormatSettings fs;
    fs.ShortDateFormat = c.Date;
    fs.LongTimeFormat = c.Time;
    fs.DateSeparator = c.DateSep;
    fs.TimeSeparator = c.TimeSep;
    SetFormatSettings(fs);
    EXPECT_EQ(DateToStr(Moment), c.ExpectedDate) << c.Date;
    EXPECT_EQ(TimeToStr(Moment), c.ExpectedTime) << c.Time;
  }
}

TEST_F(DateTextTest, DayCountsAndTheEndOfADay) {
  const TDateParts epoch = DecodeDateTime(0);
  EXPECT_EQ(epoch.Year, 1899);
  EXPECT_EQ(epoch.Month, 12);
  EXPECT_EQ(epoch.Day, 30);
  const TDateParts leap =
      DecodeDateTime(45351.999999999); // 29 Feb 2024, under half a millisecond before midnight
  EXPECT_EQ(leap.Month, 3);
  EXPECT_EQ(leap.Day, 1);
  EXPECT_EQ(leap.Hour, 0);
  const TDateParts late = DecodeDateTime(45351.0 + 86399.0 / 86400.0);
  EXPECT_EQ(late.Day, 29);
  EXPECT_EQ(late.Second, 59);
}

TEST_F(DateTextTest, ClocksGiveTheWallTime) {
  TFakeClock fake;
  fake.Local = Moment;
  {
    TScopedClock scope(fake);
    EXPECT_DOUBLE_EQ(Clock().LocalNow(), Moment);
  }
  // The real clock is somewhere after 2020.
  EXPECT_GT(Clock().LocalNow(), 43831.0);
}

TEST_F(DateTextTest, DatesAndTimesReadBackInTheRegionalOrder) {
  struct TCase {
    const char* Format;
    char Sep;
    const char* Text;
    double Expected; // -1: not a date
  } cases[] = {
      {"dd/mm/yyyy", '/', "14/03/2026", 46095.0}, {"mm/dd/yy", '-', "03-14-26", 46095.0},
      {"yyyy.mm.dd", '.', "2026.3.14", 46095.0},  {"dd/mm/yyyy", '/', "30/12/1899", 0.0},
      {"dd/mm/yyyy", '/', "31/04/2026", -1},      {"dd/mm/yyyy", '/', "29/02/2025", -1},
      {"dd/mm/yyyy", '/', "14-03-2026", -1},      {"dd/mm/yyyy", '/', "", -1},
      {"dd/mm/yyyy", '/', "x/3/2026", -1},
  };
  for (const TCase& c : cases) {
    TFormatSettings fs;
    fs.ShortDateFormat = c.Format;
    fs.DateSeparator = c.Sep;
    SetFormatSettings(fs);
    if (c.Expected < 0)
      EXPECT_THROW(StrToDate(c.Text), EConvertError) << c.Text;
    else
      EXPECT_EQ(StrToDate(c.Text), c.Expected) << c.Text;
  }
  ResetFormatSettings();
  TFormatSettings fs;
  fs.TimeSeparator = ':';
  SetFormatSettings(fs);
  EXPECT_DOUBLE_EQ(StrToTime("09:26:53"), (9 * 3600 + 26 * 60 + 53) / 86400.0);
  EXPECT_DOUBLE_EQ(StrToTime("9:26 PM"), (21 * 3600 + 26 * 60) / 86400.0);
  EXPECT_NEAR(StrToTime(TimeToStr(Moment)), Moment - 46095.0, 1e-9);
  for (const char* bad : {"24:00", "12:60", "13:00 PM", "noon", "9"})
    EXPECT_THROW(StrToTime(bad), EConvertError) << bad;
}
