#include "app/ULanguage.h"
#include "mbus/ScanDialogChecks.h"
#include "mbus/ScanTexts.h"

#include <gtest/gtest.h>

#include <set>

namespace {

std::string Txt(int n) {
  return Lang_Text(n);
}

class ScanDialogChecks : public ::testing::Test {
protected:
  void SetUp() override { Load_Default_Texts(); }
};

TEST_F(ScanDialogChecks, WirelessKey) {
  const std::string good = "00112233445566778899AABBCCDDEEFF";
  struct TCase {
    std::string Typed;
    std::optional<int> Text;
  };
  const TCase cases[] = {
      {good, std::nullopt},
      {"00112233445566778899aabbccddeeff", std::nullopt}, // shown and checked upper case
      {good.substr(0, 31), Txt_Key_Length},
      {"", Txt_Key_Length},
      {"G0112233445566778899AABBCCDDEEFF", Txt_Key_Characters},
      {"0011223344556677 899AABBCCDDEEFF", Txt_Key_Characters},
      {good + "0", std::nullopt}, // the box takes no more than 32 characters
  };
  for (const TCase& c : cases) {
    const std::string shown = Key_As_Typed(c.Typed);
    std::optional<std::string> error = Check_Wireless_Key(shown);
    if (c.Text) {
      EXPECT_EQ(error, Txt(*c.Text)) << c.Typed;
    } else {
      EXPECT_FALSE(error) << c.Typed;
    }
  }
  EXPECT_EQ(Key_As_Typed("abcdef"), "ABCDEF");
}

TEST_F(ScanDialogChecks, StartRegister) {
  struct TCase {
    std::string Text;
    int Value; // 0: refused with 2206
  };
  const TCase cases[] = {{"1", 1},     {"65535", 65535}, {"$10", 16}, {"0x20", 32}, {"0", 0},
                         {"65536", 0}, {"", 0},          {"abc", 0},  {"-5", 0}};
  for (const TCase& c : cases) {
    int value = -7;
    std::optional<std::string> error = Check_Start_Modbus(c.Text, value);
    if (c.Value) {
      EXPECT_FALSE(error) << c.Text;
      EXPECT_EQ(value, c.Value) << c.Text;
    } else {
      EXPECT_EQ(error, Txt(Txt_Scan_Start_Range)) << c.Text;
      EXPECT_EQ(value, -7) << c.Text;
    }
  }
}

TEST_F(ScanDialogChecks, PerNodeRowsNameTheFirstFailingRow) {
  struct TCase {
    std::vector<std::string> Cells;
    std::optional<std::string> Error;
  };
  const TCase cases[] = {
      {{"1", "59999", "$10"}, std::nullopt},
      {{"1", "60000"}, "Error row 2!! Modbus Start Address must be between 1 and 59999"},
      {{"", "60000"}, "Error row 1!! Modbus Start Address cannot be empty"},
      {{"5", "0"}, "Error row 2!! Modbus Start Address must be between 1 and 59999"},
      {{"x"}, "Error row 1!! Modbus Start Address must be between 1 and 59999"},
      {{}, std::nullopt},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(Check_Start_Add_Rows(c.Cells), c.Error);
  EXPECT_EQ(Start_Add_Of_Rows({"100", "", "abc", "$10"}), (std::vector<int>{100, 1, 1, 16}));
}

TEST_F(ScanDialogChecks, TextBlocksHoldTheirRangesOnce) {
  std::set<int> seen;
  for (const TDefaultText& t : MBusScanTexts()) {
    EXPECT_TRUE(seen.insert(t.Number).second) << t.Number << " twice";
    const int n = t.Number;
    EXPECT_TRUE((n >= 2000 && n <= 2019) || (n >= 2100 && n <= 2143) || (n >= 2200 && n <= 2206) ||
                (n >= 2300 && n <= 2304) || (n >= 2400 && n <= 2410))
        << n;
    EXPECT_EQ(Lang_Text(n), t.Text) << n;
  }
  EXPECT_EQ(Txt(2126), "Another Scan Operation in Progress. Try again when finish");
  EXPECT_EQ(Txt(2130), "Configuration saved! To do a new Scan press \"New Scan\" button otherwise "
                       "press top-right \"X\" to close the page");
}

} // namespace
