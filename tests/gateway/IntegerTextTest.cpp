#include "gateway/IntegerText.h"

#include "controls/ProUtilUnicode.h"

#include <gtest/gtest.h>

namespace {

struct TIntCase {
  const char* Text;
  std::optional<std::int32_t> Value;
};

TEST(IntegerText, ReadsDecimalAndHexadecimalWholeTextsWithinSigned32Bits) {
  const TIntCase cases[] = {
      {"0", 0},
      {"255", 255},
      {"  42", 42}, // leading blanks are skipped
      {"+7", 7},
      {"-1", -1},
      {"007", 7},
      {"$FF", 255},
      {"$ff", 255},
      {"x1F", 31},
      {"X1f", 31},
      {"0x1F", 31},
      {"0X10", 16},
      {"-$10", -16},
      {"-0x10", -16},
      {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN},
      {"$7FFFFFFF", 2147483647},
      {"", std::nullopt},
      {" ", std::nullopt},
      {"12a", std::nullopt},
      {"80 ", std::nullopt}, // a trailing blank is not allowed
      {"\t80", std::nullopt},
      {"1 2", std::nullopt},
      {"+", std::nullopt},
      {"-", std::nullopt},
      {"$", std::nullopt},
      {"0x", std::nullopt},
      {"x", std::nullopt},
      {"$G", std::nullopt},
      {"1.5", std::nullopt},
      {"--1", std::nullopt},
      {"2147483648", std::nullopt},
      {"-2147483649", std::nullopt},
      {"$FFFFFFFF", std::nullopt}, // does not fit a signed 32-bit integer
      {"$80000000", std::nullopt},
      {"99999999999999999999", std::nullopt},
      {"0x0x1", std::nullopt},
      {"999999999", 999999999},   // the longest text read without an overflow check
      {"1234567890", 1234567890}, // one digit more goes the checked way
      {"9/", std::nullopt},       // the characters either side of the digits
      {"9:", std::nullopt},
  };
  for (const TIntCase& c : cases) {
    EXPECT_EQ(TryStrToInt(c.Text), c.Value) << '"' << c.Text << '"';
    EXPECT_EQ(StrToIntDef(c.Text, -1), c.Value.value_or(-1)) << '"' << c.Text << '"';
  }
}

TEST(IntegerText, TrimDropsBlanksAndControlCharactersAtBothEnds) {
  EXPECT_EQ(Trim(" \t us915-hybrid \r\n"), "us915-hybrid");
  EXPECT_EQ(Trim("US 915"), "US 915");
  EXPECT_EQ(Trim("   "), "");
  EXPECT_EQ(AsciiUpperCase("us915-Hybrid"), "US915-HYBRID");
  EXPECT_TRUE(SameText("Over-the-Air Activation [OTAA]", "OVER-THE-AIR ACTIVATION [otaa]"));
  EXPECT_FALSE(SameText("Fixed", "Fixed "));
}

} // namespace
