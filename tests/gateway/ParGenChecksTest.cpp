#include "gateway/ParGenChecks.h"

#include "GatewayTestSupport.h"
#include "app/ULanguage.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

struct TCheckCase {
  const char* Name;
  std::function<void(TParGen&)> Change;
  int Text; // 0: the checks pass
};

class ParGenChecks : public ::testing::Test {
protected:
  void SetUp() override { Load_Default_Texts(); }
};

TEST_F(ParGenChecks, FirstFailingFieldAnswersWithItsText) {
  const TCheckCase cases[] = {
      {"new configuration", [](TParGen&) {}, 0},
      // DNS only while enabled.
      {"bad DNS while disabled",
       [](TParGen& v) {
         v.Eth_Conn_Primary_DNS = {"300", "abc", "", "-1"};
       },
       0},
      {"DNS 1",
       [](TParGen& v) {
         v.Eth_Conn_Enable_DNS = true;
         v.Eth_Conn_Primary_DNS[0] = "256";
       },
       2925},
      {"DNS 4",
       [](TParGen& v) {
         v.Eth_Conn_Enable_DNS = true;
         v.Eth_Conn_Primary_DNS[3] = "abc";
       },
       2928},
      {"secondary DNS 3",
       [](TParGen& v) {
         v.Eth_Conn_Enable_DNS = true;
         v.Eth_Conn_Secondary_DNS[2] = "";
       },
       2931},
      {"DNS before IP",
       [](TParGen& v) {
         v.Eth_Conn_Enable_DNS = true;
         v.Eth_Conn_Secondary_DNS[3] = "999";
         v.Ethernet_IP[0] = "999";
       },
       2932},
      // Lists.
      {"band",
       [](TParGen& v) {
         v.LoRa_RF_Band = "";
         v.LoRa_DataRate = "";
       },
       493},
      {"network type of blanks", [](TParGen& v) { v.LoRa_Network_Type = " \t"; }, 494},
      {"data rate", [](TParGen& v) { v.LoRa_DataRate = ""; }, 495},
      {"transmission type", [](TParGen& v) { v.LoRa_Transmission_Type = ""; }, 496},
      {"payload 0", [](TParGen& v) { v.LoRa_Payload_Size = "0"; }, 497},
      {"payload above the maximum", [](TParGen& v) { v.LoRa_Payload_Size = "231"; }, 497},
      {"payload at the maximum", [](TParGen& v) { v.LoRa_Payload_Size = "230"; }, 0},
      {"payload 1", [](TParGen& v) { v.LoRa_Payload_Size = "1"; }, 0},
      {"activation method", [](TParGen& v) { v.LoRa_Activation_Method = ""; }, 499},
      // Identifiers and keys: hexadecimal digits only, at most the field.
      {"full ABP keys",
       [](TParGen& v) {
         v.LoRa_JoinEUI = "70B3D57ED0000001";
         v.LoRa_Device_Address = "26011BDA";
         v.LoRa_Network_Session_Key = "2B7E151628AED2A6ABF7158809CF4F3C";
         v.LoRa_Application_Session_Key = "000102030405060708090a0b0c0d0e0f";
       },
       0},
      {"short keys are padded later",
       [](TParGen& v) {
         v.LoRa_Device_Address = "1234";
         v.LoRa_JoinEUI = "1";
       },
       0},
      {"JoinEUI too long", [](TParGen& v) { v.LoRa_JoinEUI = "70B3D57ED00000011"; }, 2933},
      {"JoinEUI with a blank", [](TParGen& v) { v.LoRa_JoinEUI = "70B3 D57E"; }, 2940},
      {"device address not hex", [](TParGen& v) { v.LoRa_Device_Address = "12G4"; }, 2941},
      {"device address of 9 digits", [](TParGen& v) { v.LoRa_Device_Address = "123456789"; }, 2934},
      {"device address a blank", [](TParGen& v) { v.LoRa_Device_Address = " "; }, 2941},
      {"device address too long and not hex", [](TParGen& v) { v.LoRa_Device_Address = "12345678Z"; }, 2941},
      {"network session key with 0x", [](TParGen& v) { v.LoRa_Network_Session_Key = "0x2B7E"; }, 2942},
      {"network session key of 33", [](TParGen& v) { v.LoRa_Network_Session_Key = std::string(33, '0'); },
       2935},
      {"application session key with a blank", [](TParGen& v) { v.LoRa_Application_Session_Key = "12AB CD"; },
       2943},
      {"application session key of 33",
       [](TParGen& v) { v.LoRa_Application_Session_Key = std::string(33, 'A'); }, 2936},
      {"application key unused with ABP", [](TParGen& v) { v.LoRa_Application_Key = "not a key"; }, 0},
      {"application key with OTAA",
       [](TParGen& v) {
         v.LoRa_Activation_Method = "Over-the-Air Activation [OTAA]";
         v.LoRa_Application_Key = "not a key";
       },
       2944},
      {"application key of 33 with OTAA",
       [](TParGen& v) {
         v.LoRa_Activation_Method = "Over-the-Air Activation [OTAA]";
         v.LoRa_Application_Key = std::string(33, 'f');
       },
       2937},
      {"full OTAA application key",
       [](TParGen& v) {
         v.LoRa_Activation_Method = "Over-the-Air Activation [OTAA]";
         v.LoRa_Application_Key = "2B7E151628AED2A6ABF7158809CF4F3C";
       },
       0},
      {"session keys unused with OTAA",
       [](TParGen& v) {
         v.LoRa_Activation_Method = "Over-the-Air Activation [OTAA]";
         v.LoRa_Device_Address = "zz";
         v.LoRa_Network_Session_Key = "-";
       },
       0},
      // Ethernet.
      {"IP 1 greyed by DHCP still checked",
       [](TParGen& v) {
         v.Eth_Conn_DHCP_Cable = true;
         v.Ethernet_IP[0] = "999";
       },
       465},
      {"IP 4", [](TParGen& v) { v.Ethernet_IP[3] = "12a"; }, 468},
      {"hex octets",
       [](TParGen& v) {
         v.Ethernet_IP = {"$FF", "0x1F", "x0", " 1"};
       },
       0},
      {"mask 2", [](TParGen& v) { v.Ethernet_SM[1] = "-1"; }, 470},
      {"gateway unchecked",
       [](TParGen& v) {
         v.Ethernet_GAT = {"999", "", "x", "-1"};
       },
       0},
      {"gateway 3",
       [](TParGen& v) {
         v.Ethernet_EN_GAT = true;
         v.Ethernet_GAT[2] = "256";
       },
       475},
      {"TCP 10000", [](TParGen& v) { v.Ethernet_TCP_Port = "10000"; }, 481},
      {"TCP $2710", [](TParGen& v) { v.Ethernet_TCP_Port = "$2710"; }, 481},
      {"TCP 0", [](TParGen& v) { v.Ethernet_TCP_Port = "0"; }, 0},
      {"TCP 65535", [](TParGen& v) { v.Ethernet_TCP_Port = "65535"; }, 0},
      {"TCP 65536", [](TParGen& v) { v.Ethernet_TCP_Port = "65536"; }, 481},
      {"TCP -1", [](TParGen& v) { v.Ethernet_TCP_Port = "-1"; }, 481},
      {"TCP empty", [](TParGen& v) { v.Ethernet_TCP_Port = ""; }, 481},
      {"TCP trailing blank", [](TParGen& v) { v.Ethernet_TCP_Port = "80 "; }, 481},
      {"UDP 10000", [](TParGen& v) { v.Ethernet_UDP_Port = "10000"; }, 482},
      {"UDP of 2^31", [](TParGen& v) { v.Ethernet_UDP_Port = "2147483648"; }, 482},
      {"UDP $FFFFFFFF", [](TParGen& v) { v.Ethernet_UDP_Port = "$FFFFFFFF"; }, 482},
  };
  for (const TCheckCase& c : cases) {
    TParGen values = New_ParGen();
    c.Change(values);
    TGatewayResult r = Check_ParGen_Values(values);
    EXPECT_EQ(r.Ok, c.Text == 0) << c.Name;
    EXPECT_EQ(r.TextNumber, c.Text) << c.Name << ": " << r.Message;
  }
}

TEST_F(ParGenChecks, MessagesAreTheTextsOfTheTable) {
  TParGen values = New_ParGen();
  values.Ethernet_SM[3] = "256";
  EXPECT_EQ(Check_ParGen_Values(values).Message, "Error Ethernet!! SubNet Mask 4 must be between 0 and 255");

  // The payload message carries the maximum of band and data rate.
  values = New_ParGen();
  values.LoRa_RF_Band = "KR920";
  values.LoRa_DataRate = "5 -\tLoRa: SF7/125kHz 5470 [bit/s]";
  values.LoRa_Payload_Size = "223";
  EXPECT_EQ(Check_ParGen_Values(values).Message, "Error LoRa!! Payload Size must be between 1 and 222");

  // A key that is not too long but holds a blank or another character names it and its place.
  values = New_ParGen();
  values.LoRa_Network_Session_Key = "12AB CD";
  EXPECT_EQ(Check_ParGen_Values(values).Message,
            "Error LoRa!! Network Session Key holds \" \" at position 5, "
            "which is not a hexadecimal digit (0-9, A-F)");
  values.LoRa_Network_Session_Key = "12\xC3\xA9";
  EXPECT_EQ(Check_ParGen_Values(values).Message,
            "Error LoRa!! Network Session Key holds \"\xC3\xA9\" at position 3, "
            "which is not a hexadecimal digit (0-9, A-F)");
  values = New_ParGen();
  values.LoRa_Device_Address = "ABCDEF012";
  EXPECT_EQ(Check_ParGen_Values(values).Message,
            "Error LoRa!! Device Address must be at most 8 hexadecimal digits (0-9, A-F)");
}

} // namespace
