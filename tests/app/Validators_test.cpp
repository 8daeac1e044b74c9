#include "app/Validators.h"

#include "platform/Locale.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct TSplitIPCase {
  const char* Text;
  bool Valid;
  const char *A, *B, *C, *D;
};

TEST(Validators, SplitIPAddress) {
  const TSplitIPCase cases[] = {
      {" 192.168.1.10 ", true, "192", "168", "1", "10"},
      {"10 . 0 .0. 1", true, "10", "0", "0", "1"},
      {"0.0.0.0", true, "0", "0", "0", "0"},
      {"255.255.255.255", true, "255", "255", "255", "255"},
      {"192.168.1", false, "192", "168", "", ""},
      {"192", false, "", "", "", ""},
      {"", false, "", "", "", ""},
      {"192.168.1.256", false, "192", "168", "1", "256"},
      {"a.b.c.d", false, "a", "b", "c", "d"},
      {"1.2.3.4.5", false, "1", "2", "3", "4.5"},
      {"-1.2.3.4", false, "-1", "2", "3", "4"},
      {"1.2.3.", false, "1", "2", "3", ""},
  };
  for (const auto& c : cases) {
    std::string a = "x", b = "x", cc = "x", d = "x";
    EXPECT_EQ(Split_IP_Address(c.Text, a, b, cc, d), c.Valid) << c.Text;
    EXPECT_EQ(a, c.A) << c.Text;
    EXPECT_EQ(b, c.B) << c.Text;
    EXPECT_EQ(cc, c.C) << c.Text;
    EXPECT_EQ(d, c.D) << c.Text;
  }
}

struct TIPBytesCase {
  const char* Text;
  bool Error;
  int B1, B2, B3, B4;
};

TEST(Validators, IPTextToBytes) {
  const TIPBytesCase cases[] = {
      {"192.168.1.10", false, 192, 168, 1, 10},
      {"10.0.0.300", true, 10, 0, 0, 0},
      {"1.2.3.4.5", true, 1, 2, 3, 0},
      {"1.2.3", true, 1, 2, 0, 0},
      {" 1.2.3.4", true, 0, 2, 3, 4}, // parts are taken as they stand
      {"x.2.3.4", true, 0, 2, 3, 4},
      {"", true, 7, 7, 7, 7}, // nothing is set
  };
  for (const auto& c : cases) {
    std::uint8_t b1 = 7, b2 = 7, b3 = 7, b4 = 7;
    EXPECT_EQ(IP_Text_To_Bytes(c.Text, b1, b2, b3, b4), c.Error) << c.Text;
    EXPECT_EQ(b1, c.B1) << c.Text;
    EXPECT_EQ(b2, c.B2) << c.Text;
    EXPECT_EQ(b3, c.B3) << c.Text;
    EXPECT_EQ(b4, c.B4) << c.Text;
  }
}

struct TIPPortCase {
  const char* Text;
  bool Valid;
  int B1, B2, B3, B4, Port;
};

TEST(Validators, SplitIPPort) {
  const TIPPortCase cases[] = {
      {"10.0.0.1:502", true, 10, 0, 0, 1, 502},
      {" 192 . 168.1.2 : 65535 ", true, 192, 168, 1, 2, 65535},
      {"0.0.0.0:0", true, 0, 0, 0, 0, 0},
      {"192.168.1.255:502", true, 192, 168, 1, 255, 502},
      // Anything invalid leaves every output 0, also the parts already read.
      {"10.0.0.1", false, 0, 0, 0, 0, 0},
      {"10.0.0.1:70000", false, 0, 0, 0, 0, 0},
      {"10.0.0.1:", false, 0, 0, 0, 0, 0},
      {"10.0.0.256:80", false, 0, 0, 0, 0, 0},
      {"10.0.0:80", false, 0, 0, 0, 0, 0},
      {"10.0.0.1.2:80", false, 0, 0, 0, 0, 0},
      {"10.0.0.1:80:81", false, 0, 0, 0, 0, 0},
      {"", false, 0, 0, 0, 0, 0},
  };
  for (const auto& c : cases) {
    std::uint8_t b1 = 9, b2 = 9, b3 = 9, b4 = 9;
    std::uint16_t port = 9;
    EXPECT_EQ(Split_IP_Port(c.Text, b1, b2, b3, b4, port), c.Valid) << c.Text;
    EXPECT_EQ(b1, c.B1) << c.Text;
    EXPECT_EQ(b2, c.B2) << c.Text;
    EXPECT_EQ(b3, c.B3) << c.Text;
    EXPECT_EQ(b4, c.B4) << c.Text;
    EXPECT_EQ(port, c.Port) << c.Text;
  }
}

struct TKNXCase {
  const char* Text;
  bool IsGroup, AllowZero;
  int Expected;
};

TEST(Validators, CheckKNXAddress) {
  const TKNXCase cases[] = {
      // Individual addresses.
      {"1.1.1", false, false, 0},
      {"15.15.255", false, false, 0},
      {" 1 . 2 . 3 ", false, false, 0},
      {"16.0.0", false, false, 1},
      {"0.16.0", false, false, 1},
      {"0.0.256", false, false, 1},
      {"0.0.0", false, false, 1},
      {"0.0.0", false, true, 0},
      {"1.1.1.1", false, true, 1},
      {"1.x.1", false, false, 1},
      {"1..1", false, false, 1},
      {"1/2/3", false, false, 1},
      {"4660", false, false, 0},
      {"65535", false, false, 0},
      {"65536", false, false, 1},
      {"0", false, true, 1},
      {"", false, true, 1},
      // A two-part individual address has no device part.
      {"1.1", false, false, 1},
      {"1.1", false, true, 1},
      // Group addresses.
      {"31/7/255", true, false, 0},
      {"0/0/1", true, false, 0},
      {"0/0/0", true, true, 1},
      {"32/0/0", true, false, 1},
      {"0/8/0", true, false, 1},
      {"0/0/256", true, false, 1},
      {"31/2047", true, false, 0},
      {" 0 / 1 ", true, false, 0},
      {"0/0", true, true, 1},
      {"0/2048", true, false, 1},
      {"32/1", true, false, 1},
      {"1/2/3/4", true, false, 1},
      {"1.2", true, false, 1},
      {"1", true, false, 0},
      {"0", true, false, 1},
      {"a/1", true, false, 1},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Check_KNX_Address(c.Text, c.IsGroup, c.AllowZero), c.Expected)
        << c.Text << (c.IsGroup ? " group" : " individual") << (c.AllowZero ? " zero allowed" : "");
}

TEST(Validators, KNXGroupAddressIsChosenByDot) {
  EXPECT_TRUE(Is_KNX_Group_Address("1/2/3"));
  EXPECT_TRUE(Is_KNX_Group_Address("4660"));
  EXPECT_FALSE(Is_KNX_Group_Address("1.2.3"));
}

class DecimalSeparator : public ::testing::Test {
protected:
  void UseSeparator(char separator) {
    TFormatSettings settings;
    settings.DecimalSeparator = separator;
    settings.ThousandSeparator = separator == ',' ? '.' : ',';
    SetFormatSettings(settings);
  }
  void TearDown() override { ResetFormatSettings(); }
};

TEST_F(DecimalSeparator, TakesOnlyCommaOrDot) {
  const struct {
    char User, Expected;
  } cases[] = {{'.', '.'}, {',', ','}, {';', ','}, {'\0', ','}, {' ', ','}};
  for (const auto& c : cases) {
    UseSeparator(c.User);
    EXPECT_EQ(Get_Decimal_Separator(), c.Expected) << int(c.User);
  }
}

TEST_F(DecimalSeparator, StrToFloatSepAcceptsEitherSeparator) {
  const struct {
    char User;
    const char* Text;
    bool Ok;
    float Value;
  } cases[] = {
      {'.', "1,5", true, 1.5f},  {'.', "1.5", true, 1.5f},         {',', "1.5", true, 1.5f},
      {',', "1,5", true, 1.5f},  {',', " -2,25E1 ", true, -22.5f}, {'.', "+.5", true, 0.5f},
      {'.', "3", true, 3.0f},    {'.', "abc", false, 1.0f},        {'.', "", false, 1.0f},
      {'.', "-", false, 1.0f},   {'.', "1.2.3", false, 1.0f},      {'.', "1,000.5", false, 1.0f},
      {'.', "1e", false, 1.0f},  {'.', "1e39", false, 1.0f}, // no single holds it
      {'.', "1 5", false, 1.0f}, {'.', "0x10", false, 1.0f},
  };
  for (const auto& c : cases) {
    UseSeparator(c.User);
    float value = 42.0f;
    EXPECT_EQ(Str_To_Float_Sep(c.Text, Get_Decimal_Separator(), value), c.Ok) << c.Text;
    EXPECT_FLOAT_EQ(value, c.Value) << c.Text;
  }
}

TEST(Validators, CheckSNMPOID) {
  const std::string longArc(128, '1');
  const struct {
    std::string Text;
    int Expected;
  } cases[] = {
      {"1.3.6.1.4.1", 0},
      {"1", 0},
      {"1.3.6.1.4.1.4294967295", 0},
      {std::string(129, '1'), 1},
      {std::string(129, 'a'), 1}, // length is tested first
      {"1.3a", 2},
      {"1 .3", 2},
      {".a", 2},
      {"", 2},
      {".1.3", 3},
      {".", 3},
      {"1.3.", 4},
      {"1..3", 5},
      {"1.4294967296", 6},
      {"4294967296.1", 6},
      // Arcs too long for 64 bits are not 0: they are far beyond 32 bits.
      {"1.99999999999999999999", 6},
      {"1.18446744073709551616", 6},
      {longArc, 6},
      {"1.00000000001", 6},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Check_SNMP_OID(c.Text), c.Expected) << c.Text;
}

TEST(Validators, SNMPSecurityLevel) {
  const struct {
    const char* Text;
    int Expected;
  } cases[] = {
      {"  auth priv  ", 3}, {"AUTH PRIV", 3},     {"Auth NoPriv", 1}, {"", -1},
      {"   ", -1},          {"noauth nopriv", 0}, {"AUTH  PRIV", 0},  {"AUTHPRIV", 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(SNMP_Security_Level(c.Text), c.Expected) << c.Text;
}

} // namespace
