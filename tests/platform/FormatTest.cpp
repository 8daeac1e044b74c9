#include "platform/Format.h"

#include "platform/Locale.h"

#include <gtest/gtest.h>

namespace {

class FormatTest : public ::testing::Test {
protected:
  void SetUp() override { SetFormatSettings(TFormatSettings{}); } // '.' and ','
  void TearDown() override { ResetFormatSettings(); }
};

} // namespace

TEST_F(FormatTest, ConversionsWithWidthAndPrecision) {
  struct TCase {
    std::string Pattern;
    TFormatArg Arg;
    std::string Expected;
  };
  const TCase cases[] = {
      {"%d", std::int64_t{42}, "42"},
      {"%d", std::int64_t{-42}, "-42"},
      {"[%5d]", std::int64_t{42}, "[   42]"},
      {"[%-5d]", std::int64_t{42}, "[42   ]"},
      {"%.8d", std::int64_t{255}, "00000255"},
      {"%.3d", std::int64_t{-5}, "-005"},
      {"%u", std::int64_t{-1}, "4294967295"},
      {"%x", std::int64_t{255}, "FF"},
      {"%.4x", std::int64_t{10}, "000A"},
      {"%x", std::int64_t{-1}, "FFFFFFFF"},
      {"%D", std::int64_t{7}, "7"},
      {"%s", std::string("text"), "text"},
      {"[%6s]", std::string("äb"), "[    äb]"},
      {"[%-4s]", std::string("ab"), "[ab  ]"},
      {"%.2s", std::string("äöü"), "äö"},
      {"%f", 1.005e3, "1005.00"},
      {"%.2f", 3.14159, "3.14"},
      {"%.0f", 2.5, "2"},
      {"%.2f", -0.001, "0.00"},
      {"%f", std::int64_t{3}, "3.00"},
      {"[%8.3f]", -1.5, "[  -1.500]"},
      {"%n", 1234567.891, "1,234,567.89"},
      {"%.0n", -1234567.0, "-1,234,567"},
      {"%n", 999.0, "999.00"},
      {"%m", 1234.5, "1,234.50"},
      {"%e", 1.0, "1.00000000000000E+000"},
      {"%.3e", 1234.5, "1.23E+003"},
      {"%.3e", 0.000123, "1.23E-004"},
      {"%g", 1.5, "1.5"},
      {"%g", 100.0, "100"},
      {"%g", 0.0, "0"},
      {"%g", -0.25, "-0.25"},
      {"%g", 0.1 + 0.2, "0.3"},
      {"%g", 1e20, "1E20"},
      {"%g", 1.5e-7, "1.5E-7"},
      {"%g", 0.0001, "0.0001"},
      {"%f", 1.0 / 0.0, "INF"},
      {"%g", 0.0 / 0.0, "NAN"},
      {"100%%: %d", std::int64_t{1}, "100%: 1"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Format(c.Pattern, {c.Arg}), c.Expected) << c.Pattern;
}

TEST_F(FormatTest, SeveralArgumentsInOrder) {
  EXPECT_EQ(Format("Row %d, column %s: %.1f", {std::int64_t{3}, std::string("Name"), 2.25}),
            "Row 3, column Name: 2.2");
  EXPECT_EQ(Format("no conversions", {}), "no conversions");
  EXPECT_EQ(Format("%d", {std::int64_t{1}, std::int64_t{2}}), "1"); // extra arguments are ignored
}

TEST_F(FormatTest, PatternsThatDoNotMatchGiveTheirOwnText) {
  struct TCase {
    std::string Pattern;
    std::vector<TFormatArg> Args;
  };
  const TCase cases[] = {
      {"%d", {}},
      {"%s and %s", {std::string("one")}},
      {"%d", {std::string("text")}},
      {"%d", {1.5}},
      {"%s", {std::int64_t{1}}},
      {"%f", {std::string("1.5")}},
      {"%q", {std::int64_t{1}}},
      {"%*d", {std::int64_t{1}, std::int64_t{2}}},
      {"%0:s", {std::string("x")}},
      {"50%", {std::int64_t{1}}},
      {"%-", {std::int64_t{1}}},
      {"%5.", {std::int64_t{1}}},
      {"%999999999999d", {std::int64_t{1}}},
      {"%.99999999999f", {1.0}},
      {"%n%n%s%s%s%s%s%s", {}},
  };
  for (const auto& c : cases) {
    std::string result;
    switch (c.Args.size()) {
    case 0:
      result = Format(c.Pattern, {});
      break;
    case 1:
      result = Format(c.Pattern, {c.Args[0]});
      break;
    default:
      result = Format(c.Pattern, {c.Args[0], c.Args[1]});
      break;
    }
    EXPECT_EQ(result, c.Pattern);
  }
}

TEST_F(FormatTest, SeparatorsComeFromTheRegionalSettings) {
  TFormatSettings german;
  german.DecimalSeparator = ',';
  german.ThousandSeparator = '.';
  SetFormatSettings(german);
  EXPECT_EQ(Format("%.2f", {1234.5}), "1234,50");
  EXPECT_EQ(Format("%n", {1234567.5}), "1.234.567,50");
  EXPECT_EQ(Format("%m", {-1234.5}), "-1.234,50");
  EXPECT_EQ(Format("%g", {2.5}), "2,5");
  EXPECT_EQ(Format("%.3e", {1234.5}), "1,23E+003");
}

TEST_F(FormatTest, HugeValuesAndLongTextsDoNotBreakIt) {
  EXPECT_EQ(Format("%.2f", {1e300}).size(), 301u + 3u);
  EXPECT_EQ(Format("%d", {std::int64_t{INT64_MIN}}), "-9223372036854775808");
  std::string longText(100000, 'x');
  EXPECT_EQ(Format("%s!", {longText}), longText + "!");
  EXPECT_EQ(Format("%.18f", {1.0}), "1.000000000000000000");
  EXPECT_EQ(Format("%.40f", {1.0}), "1.000000000000000000"); // capped precision
}

// The checked form tells a pattern that does not take exactly its arguments; extra arguments count
// as not fitting, since their values would be lost.
TEST_F(FormatTest, CheckedFormTellsPatternsThatDoNotFit) {
  struct TCase {
    const char* Pattern;
    std::vector<TFormatArg> Args;
    const char* Expected; // nullptr: does not fit
  } cases[] = {
      {"%.2f", {3.14159}, "3.14"},
      {"%d:%d", {std::int64_t{2}, std::int64_t{5}}, "2:5"},
      {" (%d)", {std::int64_t{7}}, " (7)"},
      {"%d", {1.5}, nullptr},
      {"%s", {3.0}, nullptr},
      {"%d %d", {std::int64_t{1}}, nullptr},
      {"abc", {1.0}, nullptr},
      {"%d", {std::int64_t{1}, std::int64_t{2}}, nullptr},
      {"%q", {1.0}, nullptr},
  };
  for (const TCase& c : cases) {
    std::string out = "untouched";
    bool ok = c.Args.size() == 1 ? TryFormat(c.Pattern, {c.Args[0]}, out)
                                 : TryFormat(c.Pattern, {c.Args[0], c.Args[1]}, out);
    if (c.Expected) {
      EXPECT_TRUE(ok) << c.Pattern;
      EXPECT_EQ(out, c.Expected) << c.Pattern;
    } else {
      EXPECT_FALSE(ok) << c.Pattern;
      EXPECT_EQ(out, "untouched") << c.Pattern;
    }
  }
}
