#include "platform/StrToInt.h"

#include <gtest/gtest.h>

TEST(StrToInt, WholeTextsAndLeadingNumbers) {
  struct TCase {
    const char* Text;
    bool Whole;  // TryStrToInt succeeds
    int Value;   // its value when it does
    int Leading; // ReadLeadingInt
  };
  const TCase cases[] = {
      {"12", true, 12, 12},
      {" -7", true, -7, -7},
      {"$1F", true, 31, 31},
      {"0x10", true, 16, 16},
      {"$FFFFFFFF", true, -1, -1},
      {"2147483647", true, 2147483647, 2147483647},
      {"-2147483648", true, INT32_MIN, INT32_MIN},
      {"2147483648", false, 0, 214748364}, // the digit that would overflow ends the reading
      {"99999999999", false, 0, 999999999},
      {"12x", false, 0, 12},
      {"x", false, 0, 0},
      {"", false, 0, 0},
      {"-", false, 0, 0},
  };
  for (const auto& c : cases) {
    int v = 0;
    EXPECT_EQ(TryStrToInt(c.Text, v), c.Whole) << c.Text;
    if (c.Whole) {
      EXPECT_EQ(v, c.Value) << c.Text;
    }
    EXPECT_EQ(ReadLeadingInt(c.Text), c.Leading) << c.Text;
  }
}
