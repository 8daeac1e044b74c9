#include "MBusTestSupport.h"
#include "mbus/GatewayProtocol.h"
#include "mbus/RequestFrames.h"
#include "support/FakeGateway.h"

#include <gtest/gtest.h>

namespace {

struct TFrameCase {
  const char* Name;
  TFrameBytes Frame;
  const char* Bytes;
};

TEST(RequestFrames, ExactBytes) {
  const TCFieldChoice byCount{};
  const TCFieldChoice fixed0{true, 0};
  const TCFieldChoice fixed1{true, 1};
  std::array<int, 8> wild;
  wild.fill(-1);
  const TFrameCase cases[] = {
      {"SND_NKE to 5", Build_SND_NKE(5), "10 40 05 45 16"},
      {"SND_NKE broadcast", Build_SND_NKE(0xFF), "10 40 FF 3F 16"},
      {"REQ_UD2 first frame", Build_REQ_UD2(5, 0, byCount), "10 7B 05 80 16"},
      {"REQ_UD2 second frame", Build_REQ_UD2(5, 1, byCount), "10 5B 05 60 16"},
      {"REQ_UD2 third frame", Build_REQ_UD2(5, 2, byCount), "10 7B 05 80 16"},
      {"REQ_UD2 fixed 0", Build_REQ_UD2(5, 0, fixed0), "10 5B 05 60 16"},
      {"REQ_UD2 fixed 1, any frame", Build_REQ_UD2(5, 1, fixed1), "10 7B 05 80 16"},
      {"application reset", Build_App_Reset(5, byCount), "68 03 03 68 73 05 50 C8 16"},
      {"application reset fixed 0", Build_App_Reset(5, fixed0), "68 03 03 68 53 05 50 A8 16"},
      {"application reset fixed 1", Build_App_Reset(5, fixed1), "68 03 03 68 73 05 50 C8 16"},
      {"selection 1234xxxx", Build_Select_Secondary({1, 2, 3, 4, -1, -1, -1, -1}, byCount),
       "68 0B 0B 68 73 FD 52 FF FF 34 12 FF FF FF FF 02 16"},
      {"selection all wildcards", Build_Select_Secondary(wild, byCount),
       "68 0B 0B 68 73 FD 52 FF FF FF FF FF FF FF FF BA 16"},
      {"selection 12345678", Build_Select_Secondary({1, 2, 3, 4, 5, 6, 7, 8}, byCount),
       "68 0B 0B 68 73 FD 52 78 56 34 12 FF FF FF FF D2 16"},
      {"line set-up 2400 even", Build_Serial_Setup(2400, 1), "4F726D6964615F535F4D3A 00 00 09 60 2C 02"},
      {"line set-up 38400 none", Build_Serial_Setup(38400, 0), "4F726D6964615F535F4D3A 00 00 96 00 2C 00"},
      {"line set-up 300 odd", Build_Serial_Setup(300, 2), "4F726D6964615F535F4D3A 00 00 01 2C 2C 01"},
      {"RadioCrafts T", Build_RadioCrafts_Config(5), "03 01 04 00 05 01 12 01 16 17 3A 01 3D 02 37 01"},
      {"RadioCrafts C", Build_RadioCrafts_Config(11), "03 0A 04 00 05 01 12 01 16 17 3A 01 3D 02 37 01"},
      {"RadioCrafts N1", Build_RadioCrafts_Config(15), "03 11 04 00 05 01 12 01 16 17 3A 01 3D 02 37 01"},
      {"RadioCrafts N2", Build_RadioCrafts_Config(17), "03 10 04 00 05 01 12 01 16 17 3A 01 3D 02 37 01"},
      {"RadioCrafts S", Build_RadioCrafts_Config(1), "03 03 04 00 05 01 12 01 16 17 3A 01 3D 02 37 01"},
  };
  for (const TFrameCase& c : cases)
    EXPECT_EQ(c.Frame, Hex(c.Bytes)) << c.Name;
}

TEST(RequestFrames, TimeOutsByBaudRate) {
  struct TCase {
    std::int32_t Baud;
    std::int64_t Short, Long;
  };
  for (const TCase& c : {TCase{300, 1550, 11266}, {2400, 587, 1802}, {9600, 484, 788}, {38400, 458, 534}}) {
    EXPECT_EQ(TimeOut_Short(c.Baud, 0), c.Short) << c.Baud;
    EXPECT_EQ(TimeOut_Long(c.Baud, 0), c.Long) << c.Baud;
    EXPECT_EQ(TimeOut_Short(c.Baud, Remote_Scan_Extra), c.Short + 10000) << c.Baud;
    EXPECT_EQ(TimeOut_Long(c.Baud, Remote_Scan_Extra), c.Long + 10000) << c.Baud;
  }
  EXPECT_EQ(TimeOut_Text(0), 1000);
  EXPECT_FALSE(Timed_Out(2000, 1000, 1000));
  EXPECT_TRUE(Timed_Out(2001, 1000, 1000));
  // Counts past 2^32 are ordinary values of the 64-bit clock.
  EXPECT_FALSE(Timed_Out((1LL << 32) + 5, (1LL << 32) - 10, 1000));
}

TEST(RequestFrames, AnswerTests) {
  EXPECT_TRUE(Answer_Is(Bytes_Of("\n\rAnalyzer_Mode Enabled!\n\r"), Gateway_Text::Analyzer_Enabled));
  EXPECT_FALSE(Answer_Is(Bytes_Of("\n\rAnalyzer_Mode Enabled!\n\r "), Gateway_Text::Analyzer_Enabled));
  EXPECT_FALSE(Answer_Is(Bytes_Of("\r\nAnalyzer_Mode Enabled!\r\n"), Gateway_Text::Analyzer_Enabled));
  EXPECT_FALSE(Answer_Is(Bytes_Of("\n\ranalyzer_Mode Enabled!\n\r"), Gateway_Text::Analyzer_Enabled));
  EXPECT_TRUE(Is_Ack(Hex("E5")));
  EXPECT_FALSE(Is_Ack(Hex("E5 E5")));
  EXPECT_FALSE(Is_Ack({}));
  EXPECT_TRUE(Is_No_Slave(Bytes_Of("NO_SLAVE\n\r")));
  EXPECT_FALSE(Is_No_Slave(Bytes_Of("NO_SLAVE\r\n")));

  // A long frame of 21 bytes is never valid, one of 22 can be.
  const TBytes f21 = LongFrame("08 05 72 78 56 34 12 93 15 33 03 2A 00 00 00");
  const TBytes f22 = LongFrame("08 05 72 78 56 34 12 93 15 33 03 2A 00 00 00 00");
  ASSERT_EQ(f21.size(), 21u);
  ASSERT_EQ(f22.size(), 22u);
  EXPECT_FALSE(Is_Valid_Long_Frame(f21));
  EXPECT_TRUE(Is_Valid_Long_Frame(f22));
  EXPECT_TRUE(Is_Valid_Long_Frame(Hex(telegrams::W1)));
  TBytes shortStart = f22;
  shortStart[0] = 0x10;
  EXPECT_FALSE(Is_Valid_Long_Frame(shortStart));
  TBytes unequal = f22;
  unequal[2] = static_cast<std::uint8_t>(unequal[2] + 1);
  EXPECT_FALSE(Is_Valid_Long_Frame(unequal));
  TBytes badSum = f22;
  badSum[20] = static_cast<std::uint8_t>(badSum[20] + 1);
  EXPECT_FALSE(Is_Valid_Long_Frame(badSum));
  TBytes noStop = f22;
  noStop.back() = 0x17;
  EXPECT_FALSE(Is_Valid_Long_Frame(noStop));
  // The L field is not compared with the length.
  TBytes longL = f22;
  longL[1] = longL[2] = 0x40;
  EXPECT_TRUE(Is_Valid_Long_Frame(longL));
}

} // namespace
