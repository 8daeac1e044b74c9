// The spin edit's value rules on a pinned locale ("," decimals, day-month-year with "."): reading
// with fallbacks, clamping, the character filter, and stepping dates and times by the caret,
// including the year step from 29 February and increments of a day or an hour and more.
#include "grid/asgspin.h"

#include "platform/DateText.h"
#include "platform/Locale.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

class AsgSpinRules : public ::testing::Test {
protected:
  void SetUp() override {
    Previous = FormatSettings();
    TFormatSettings fs;
    fs.DecimalSeparator = ',';
    fs.ThousandSeparator = '.';
    fs.DateSeparator = '.';
    fs.TimeSeparator = ':';
    fs.ShortDateFormat = "dd.mm.yyyy";
    fs.LongTimeFormat = "hh:nn:ss";
    SetFormatSettings(fs);
  }
  void TearDown() override { SetFormatSettings(Previous); }
  static TDateTime Date(int y, int m, int d) {
    TDateTime v = 0;
    EXPECT_TRUE(TryEncodeDate(y, m, d, v));
    return v;
  }
  static TDateTime Time(int h, int n, int s) { return (h * 3600 + n * 60 + s) / 86400.0; }
  TFormatSettings Previous;
};

TEST_F(AsgSpinRules, ReadingFallsBackAndClampingNeedsDistinctBounds) {
  EXPECT_EQ(SpinTextToInt("abc", 7), 7) << "unparsable reads MinValue";
  EXPECT_EQ(SpinTextToInt("  ", 7), 0);
  EXPECT_EQ(SpinTextToInt(" -12 ", 7), -12);
  EXPECT_EQ(SpinTextToFloat("x", 1.0), 1.0);
  EXPECT_EQ(SpinTextToFloat("1,25", 0), 1.25);
  EXPECT_EQ(SpinTextToFloat("1.25", 0), 0) << "the point is not this locale's separator";
  EXPECT_EQ(ClampSpinValue(9.0, 1.0, 5.0), 5.0);
  EXPECT_EQ(ClampSpinValue(-3, 0, 0), -3) << "equal bounds never clamp";
  EXPECT_EQ(SpinFloatToText(1.5, 2), "1,50");
  EXPECT_EQ(SpinFloatToText(0.1, 0), "0,1");
}

TEST_F(AsgSpinRules, CharacterFilter) {
  struct Case {
    const char* name;
    TAsgSpinType kind;
    const char* text;
    int selStart, selLength;
    char16_t key;
    bool accepted;
  };
  const Case cases[] = {
      {"digit in integer", sptNormal, "12", 2, 0, u'3', true},
      {"point in integer", sptNormal, "12", 2, 0, u'.', false},
      {"Ctrl+V in integer", sptNormal, "12", 2, 0, 22, false},
      {"minus at 0", sptNormal, "12", 0, 0, u'-', true},
      {"second minus", sptNormal, "-12", 0, 0, u'-', false},
      {"minus replacing the selected one", sptNormal, "-12", 0, 1, u'-', true},
      {"minus not at 0", sptNormal, "12", 1, 0, u'-', false},
      {"Enter", sptFloat, "1", 1, 0, 13, false},
      {"precision full after the separator", sptFloat, "1,25", 4, 0, u'7', false},
      {"digit before the separator", sptFloat, "1,25", 1, 0, u'7', true},
      {"second decimal separator", sptFloat, "1,2", 3, 0, u',', false},
      {"thousand separator in float", sptFloat, "1", 1, 0, u'.', false},
      {"time separator in date", sptDate, "1", 1, 0, u':', false},
      {"third time separator", sptTime, "12:30:15", 8, 0, u':', false},
      {"second time separator", sptTime, "12:30", 5, 0, u':', true},
      {"letter", sptTime, "", 0, 0, u'a', false},
  };
  for (const Case& c : cases) {
    TSpinCharContext ctx{c.kind, c.text, c.selStart, c.selLength, c.kind == sptFloat ? 2 : 0, true};
    EXPECT_EQ(SpinIsValidChar(c.key, ctx), c.accepted) << c.name;
  }
  TSpinCharContext locked{sptNormal, "12", 2, 0, 0, false};
  EXPECT_FALSE(SpinIsValidChar(u'3', locked));
  EXPECT_FALSE(SpinIsValidChar(8, locked)) << "Backspace follows EditorEnabled";
}

TEST_F(AsgSpinRules, DateStepsFollowTheCaretPart) {
  const TDateTime jan31 = Date(2026, 1, 31);
  const std::string text = "31.01.2026";
  EXPECT_EQ(SpinStepDate(jan31, text, 1, true), Date(2026, 2, 1)) << "day part";
  EXPECT_EQ(SpinStepDate(jan31, text, 4, true), Date(2026, 2, 28)) << "month: the last day of February";
  EXPECT_EQ(SpinStepDate(jan31, text, 8, false), Date(2025, 1, 31)) << "year";
  // Mended: the year step from 29 February raised the date-encoding error.
  EXPECT_EQ(SpinStepDate(Date(2024, 2, 29), "29.02.2024", 8, true), Date(2025, 2, 28));
  EXPECT_EQ(SpinStepDate(Date(2024, 2, 29), "29.02.2024", 8, false), Date(2023, 2, 28));
}

TEST_F(AsgSpinRules, TimeStepsWrapAtMidnight) {
  struct Case {
    const char* name;
    TDateTime from;
    const char* text;
    int caret;
    int h, n, s;
    bool up;
    TDateTime expected;
  };
  const Case cases[] = {
      {"seconds after the second separator", Time(12, 30, 15), "12:30:15", 6, 1, 1, 5, true,
       Time(12, 30, 20)},
      {"minutes", Time(12, 30, 15), "12:30:15", 4, 1, 10, 1, true, Time(12, 40, 15)},
      {"hours up past midnight", Time(23, 30, 0), "23:30:00", 0, 1, 1, 1, true, Time(0, 30, 0)},
      {"hours down below midnight", 0.0, "00:00:00", 1, 1, 1, 1, false, Time(23, 0, 0)},
      // Mended: increments beyond a time component raised the date-encoding error.
      {"25 hours as a span", Time(10, 0, 0), "10:00:00", 0, 25, 1, 1, true, Time(11, 0, 0)},
      {"90 minutes as a span", Time(10, 0, 0), "10:00:00", 4, 1, 90, 1, true, Time(11, 30, 0)},
      {"75 seconds down", Time(10, 0, 0), "10:00:00", 7, 1, 1, 75, false, Time(9, 58, 45)},
  };
  for (const Case& c : cases) {
    const TDateTime got = SpinStepTime(c.from, c.text, c.caret, true, c.h, c.n, c.s, c.up);
    EXPECT_NEAR(got, c.expected, 1e-9) << c.name << ": " << TimeToStr(got);
  }
  EXPECT_NEAR(SpinStepTime(Time(12, 30, 15), "12:30", 4, false, 1, 1, 1, true), Time(12, 31, 15), 1e-9)
      << "without seconds the last part is the minutes";
}

} // namespace
