#include "gateway/SaveBin.h"

#include "GatewayTestSupport.h"
#include "app/ULanguage.h"
#include "gateway/ParGenFile.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

using TBytes = std::vector<std::uint8_t>;

TBytes Slice(std::span<const std::uint8_t> image, std::size_t offset, std::size_t count) {
  return TBytes(image.begin() + static_cast<std::ptrdiff_t>(offset),
                image.begin() + static_cast<std::ptrdiff_t>(offset + count));
}

std::string ParGenXml(const std::string& elements) {
  return "<Par_Gen>" + elements + "</Par_Gen>";
}

std::string RulesXml(const std::string& uplink, const std::string& downlink = "") {
  return "<LoRaWAN_Set_Access><LoRaWAN_Uplink>" + uplink + "</LoRaWAN_Uplink><LoRaWAN_Downlink>" + downlink +
         "</LoRaWAN_Downlink></LoRaWAN_Set_Access>";
}

class SaveBin : public ::testing::Test {
protected:
  void SetUp() override { Load_Default_Texts(); }

  // Compiles from the given file texts; an empty text means the file is missing.
  TCompileResult Compile(const std::string& parGen, const std::string& rules = "") {
    std::filesystem::remove(Dir.File("ParGen.xml"));
    std::filesystem::remove(Dir.File("LoRaWAN_SetAccess.xml"));
    if (!parGen.empty()) Dir.Write("ParGen.xml", parGen);
    if (!rules.empty()) Dir.Write("LoRaWAN_SetAccess.xml", rules);
    return Compile_Bin(Dir.File("ParGen.xml"), Dir.File("LoRaWAN_SetAccess.xml"));
  }
  TCompileResult CompileFixtures(const std::string& parGen, const std::string& rules) {
    return Compile_Bin(parGen.empty() ? Dir.File("none.xml") : Gateway_Data(parGen),
                       rules.empty() ? Dir.File("none.xml") : Gateway_Data(rules));
  }

  TTempDir Dir;
};

void ExpectGolden(const TDeviceImages& images, const std::string& bank1, const std::string& bank2) {
  TBytes expected1 = Read_Golden(bank1, Bank1_Size);
  TBytes expected2 = Read_Golden(bank2, Bank2_Size);
  EXPECT_TRUE(std::equal(images.Bank1.begin(), images.Bank1.end(), expected1.begin()))
      << bank1 << "\n"
      << Describe_Differences(images.Bank1, expected1);
  EXPECT_TRUE(std::equal(images.Bank2.begin(), images.Bank2.end(), expected2.begin()))
      << bank2 << "\n"
      << Describe_Differences(images.Bank2, expected2);
}

TEST_F(SaveBin, ImagesMatchTheGoldenBytes) {
  struct TCase {
    const char* ParGen;
    const char* Rules;
    const char* Bank1;
    const char* Bank2;
  };
  const TCase cases[] = {
      {"", "", "bank1_no_pargen.golden", "bank2_no_pargen.golden"},
      {"ParGen_new.xml", "", "bank1_new.golden", "bank2_new.golden"},
      {"ParGen_full.xml", "LoRaWAN_SetAccess_full.xml", "bank1_full.golden", "bank2_full.golden"},
      {"ParGen_otaa.xml", "LoRaWAN_SetAccess_otaa.xml", "bank1_otaa.golden", "bank2_otaa.golden"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::string(c.ParGen) + " / " + c.Rules);
    TCompileResult r = CompileFixtures(c.ParGen, c.Rules);
    ASSERT_TRUE(r.Ok) << r.Message;
    ExpectGolden(r.Images, c.Bank1, c.Bank2);
  }
}

TEST_F(SaveBin, NewConfigurationWrittenByTheFormGivesTheGoldenImages) {
  ASSERT_TRUE(Save_ParGen(Dir.File("ParGen.xml"), New_ParGen()).Ok);
  TCompileResult r = Compile_Bin(Dir.File("ParGen.xml"), Dir.File("LoRaWAN_SetAccess.xml"));
  ASSERT_TRUE(r.Ok) << r.Message;
  ExpectGolden(r.Images, "bank1_new.golden", "bank2_new.golden");
  EXPECT_EQ(Slice(r.Images.Bank1, 2044, 4), (TBytes{0x00, 0x0E, 0x00, 0x00}));
  EXPECT_EQ(Slice(r.Images.Bank2, 0, 4), (TBytes{0x00, 0x00, 0x00, 0x06}));
  EXPECT_EQ(r.Images.Bank2[66], 230);
  EXPECT_EQ(r.Images.Bank2[84], 1);
}

struct TFieldCase {
  const char* Name;
  std::string ParGen; // elements inside Par_Gen
  std::size_t Offset;
  TBytes Bytes;
  bool Bank2 = false;
};

TEST_F(SaveBin, ParGenValuesBecomeImageFields) {
  const std::string otaa = "<LoRa_Activation_Method>Over-the-Air Activation [OTAA]</LoRa_Activation_Method>"
                           "<LoRa_Device_Address>1234</LoRa_Device_Address>"
                           "<LoRa_Network_Session_Key>11</LoRa_Network_Session_Key>"
                           "<LoRa_Application_Session_Key>22</LoRa_Application_Session_Key>"
                           "<LoRa_Application_Key>0123</LoRa_Application_Key>";
  TBytes appKey(16, 0);
  appKey[14] = 0x01;
  appKey[15] = 0x23;
  const TFieldCase cases[] = {
      {"missing elements: IP default of an existing file", "", 40, {192, 168, 0, 10}},
      {"missing gateway switch: no gateway", "<Ethernet_GAT1>1</Ethernet_GAT1>", 48, {255, 255, 255, 255}},
      {"gateway switch 0",
       "<Ethernet_EN_GAT>0</Ethernet_EN_GAT><Ethernet_GAT4>9</Ethernet_GAT4>",
       48,
       {255, 255, 255, 255}},
      {"gateway enabled, default octets", "<Ethernet_EN_GAT>1</Ethernet_EN_GAT>", 48, {192, 168, 0, 1}},
      {"octet not a number takes its default", "<Ethernet_SM2>abc</Ethernet_SM2>", 44, {255, 255, 255, 0}},
      {"hex octet", "<Ethernet_IP4>$FE</Ethernet_IP4>", 43, {0xFE}},
      {"DNS enabled without elements", "<Eth_Conn_Enable_DNS>1</Eth_Conn_Enable_DNS>", 1420, {8, 8, 8, 8}},
      {"secondary DNS defaults", "<Eth_Conn_Enable_DNS>1</Eth_Conn_Enable_DNS>", 1340, {8, 8, 4, 4}},
      {"DNS disabled",
       "<Eth_Conn_Enable_DNS>true</Eth_Conn_Enable_DNS><Eth_Conn_Primary_DNS1>1</Eth_Conn_Primary_DNS1>",
       1420,
       {0, 0, 0, 0}},
      {"DHCP compared exactly",
       "<Eth_Conn_DHCP_Cable> 1</Eth_Conn_DHCP_Cable><Eth_Conn_DHCP_WiFi>1</Eth_Conn_DHCP_WiFi>",
       1256,
       {2, 0}},
      {"device name of 31 characters",
       "<Eth_Conn_Device_Name>" + std::string(31, 'N') + "</Eth_Conn_Device_Name>",
       1330,
       {'N', 0}},
      {"device name, Latin-1 character",
       "<Eth_Conn_Device_Name>\xC3\xA9t\xC3\xA9</Eth_Conn_Device_Name>",
       1300,
       {0xE9, 't', 0xE9, 0}},
      {"device name with y diaeresis",
       "<Eth_Conn_Device_Name>\xC3\xBF</Eth_Conn_Device_Name>",
       1300,
       {0xFF, 0}},
      {"port as typed", "<Ethernet_TCP_Port>0x1F90</Ethernet_TCP_Port>", 54, {0x90, 0x1F}},
      {"band with blanks and small letters", "<LoRa_RF_Band> us915-hybrid </LoRa_RF_Band>", 0, {9}, true},
      {"band with a blank inside", "<LoRa_RF_Band>US 915</LoRa_RF_Band>", 0, {0}, true},
      {"EU868", "<LoRa_RF_Band>eu868</LoRa_RF_Band>", 0, {5}, true},
      {"data rate number",
       "<LoRa_DataRate>11 - LoRa: SF9/500kHz 7000 [bit/s]</LoRa_DataRate>",
       3,
       {11},
       true},
      {"data rate without dash", "<LoRa_DataRate>LoRa</LoRa_DataRate>", 3, {0}, true},
      {"data rate missing", "", 3, {0}, true},
      {"confirmed in small letters",
       "<LoRa_Transmission_Type>confirmed</LoRa_Transmission_Type>",
       65,
       {0},
       true},
      {"payload, sub-band and interval defaults", "", 66, {1, 0, 1, 0, 0, 0}, true},
      {"transmit interval of a day",
       "<LoRa_Transmit_Interval>86400</LoRa_Transmit_Interval>",
       68,
       {0x80, 0x51, 0x01, 0x00},
       true},
      {"transmit interval 0", "<LoRa_Transmit_Interval>0</LoRa_Transmit_Interval>", 68, {0, 0, 0, 0}, true},
      {"sub-band default", "<LoRa_Frequency_SubBand>x</LoRa_Frequency_SubBand>", 84, {1}, true},
      {"adaptive data rate as stored", "<LoRa_Adaptive_DataRate>1</LoRa_Adaptive_DataRate>", 64, {1}, true},
      {"variable port mode", "<LoRa_FPort> variable</LoRa_FPort>", 67, {1}, true},
      {"device address padded on the left",
       "<LoRa_Device_Address>1234</LoRa_Device_Address>",
       4,
       {0x00, 0x00, 0x12, 0x34},
       true},
      {"JoinEUI padded", "<LoRa_JoinEUI>abc</LoRa_JoinEUI>", 8, {0, 0, 0, 0, 0, 0, 0x0A, 0xBC}, true},
      {"with OTAA no device address", otaa, 2, {1, 0, 0, 0, 0}, true},
      {"with OTAA no session keys", otaa, 16, TBytes(32, 0), true},
      {"with OTAA the application key", otaa, 48, appKey, true},
      {"with ABP no application key", "<LoRa_Application_Key>FF</LoRa_Application_Key>", 48, TBytes(16, 0),
       true},
  };
  for (const TFieldCase& c : cases) {
    TCompileResult r = Compile(ParGenXml(c.ParGen));
    ASSERT_TRUE(r.Ok) << c.Name << ": " << r.Message;
    std::span<const std::uint8_t> image = c.Bank2 ? std::span<const std::uint8_t>(r.Images.Bank2)
                                                  : std::span<const std::uint8_t>(r.Images.Bank1);
    EXPECT_EQ(Slice(image, c.Offset, c.Bytes.size()), c.Bytes) << c.Name;
  }
}

TEST_F(SaveBin, EnabledRulesFillTheSlotsInFileOrderWithoutGaps) {
  const std::string fixedPort = ParGenXml("<LoRa_FPort>Fixed</LoRa_FPort>");
  TCompileResult r =
      Compile(fixedPort, RulesXml("<row Enable=\"Y\" StartByte=\"1\" NumByte=\"2\" FPort=\"9\"/>"
                                  "<row Enable=\"N\" StartByte=\"3\" NumByte=\"4\"/>"
                                  "<row Enable=\"Y\" StartByte=\"5\" NumByte=\"6\" OnTimer=\"Y\"/>",
                                  "<row Enable=\"Y\" StartByte=\"7\" NumByte=\"8\" FPort=\"9\"/>"));
  ASSERT_TRUE(r.Ok) << r.Message;
  const auto& b = r.Images.Bank2;
  EXPECT_EQ(Slice(b, 80, 4), (TBytes{2, 0, 1, 0}));
  EXPECT_EQ(Slice(b, 1024, 12), (TBytes{1, 0, 2, 0, 0, 2, 0, 0, 30, 0, 0, 0})) << "fixed mode: port 2";
  EXPECT_EQ(Slice(b, 1036, 12), (TBytes{5, 0, 6, 0, 4, 2, 0, 0, 30, 0, 0, 0})) << "no gap, default time 30";
  EXPECT_EQ(Slice(b, 1048, 12), TBytes(12, 0));
  EXPECT_EQ(Slice(b, 4096, 12), (TBytes{7, 0, 8, 0, 0, 2, 0, 0, 0, 0, 0, 0}));

  // Ten rules, then three: the slots the second compilation does not use are zero.
  std::string ten, three;
  for (int i = 0; i < 10; ++i)
    ten += "<row Enable=\"Y\" StartByte=\"9\" NumByte=\"9\" OnChange=\"Y\" Time=\"99\"/>";
  for (int i = 0; i < 3; ++i)
    three += "<row Enable=\"Y\" StartByte=\"1\" NumByte=\"1\"/>";
  ASSERT_TRUE(Compile(fixedPort, RulesXml(ten, ten)).Ok);
  r = Compile(fixedPort, RulesXml(three, three));
  ASSERT_TRUE(r.Ok);
  EXPECT_EQ(Slice(r.Images.Bank2, 80, 4), (TBytes{3, 0, 3, 0}));
  EXPECT_EQ(Slice(r.Images.Bank2, 1024 + 3 * 12, 253 * 12), TBytes(253 * 12, 0));
  EXPECT_EQ(Slice(r.Images.Bank2, 4096 + 3 * 12, 253 * 12), TBytes(253 * 12, 0));

  // Variable mode: a missing or non-numeric port gives 2.
  r = Compile(
      ParGenXml("<LoRa_FPort>Variable</LoRa_FPort>"),
      RulesXml("<row StartByte=\"1\" NumByte=\"1\"/><row StartByte=\"1\" NumByte=\"1\" FPort=\"abc\"/>"));
  ASSERT_TRUE(r.Ok);
  EXPECT_EQ(r.Images.Bank2[1024 + 5], 2);
  EXPECT_EQ(r.Images.Bank2[1036 + 5], 2);
}

TEST_F(SaveBin, AllTwoHundredFiftySixSlotsCanBeUsed) {
  std::string rows;
  for (int i = 0; i < 256; ++i)
    rows += "<row StartByte=\"" + std::to_string(i) + "\" NumByte=\"1\"/>";
  TCompileResult r = Compile(ParGenXml(""), RulesXml(rows + "<row Enable=\"N\" StartByte=\"70000\"/>", rows));
  ASSERT_TRUE(r.Ok) << r.Message;
  EXPECT_EQ(Slice(r.Images.Bank2, 80, 4), (TBytes{0, 1, 0, 1}));
  EXPECT_EQ(Slice(r.Images.Bank2, 1024 + 255 * 12, 2), (TBytes{255, 0}));
  EXPECT_EQ(Slice(r.Images.Bank2, 4096 + 255 * 12, 2), (TBytes{255, 0}));
}

struct TRefusal {
  const char* Name;
  std::string ParGen; // elements inside Par_Gen
  std::string Rules;  // whole file, "" for none
  const char* Names;  // what the message must name
};

TEST_F(SaveBin, ValuesThatWouldNotFitAreRefusedNamingTheElement) {
  std::string rows257;
  for (int i = 0; i < 257; ++i)
    rows257 += "<row StartByte=\"0\" NumByte=\"1\"/>";
  const std::string otaa = "<LoRa_Activation_Method>Over-the-Air Activation [OTAA]</LoRa_Activation_Method>";
  const TRefusal cases[] = {
      {"octet 256", "<Ethernet_IP1>256</Ethernet_IP1>", "", "Ethernet_IP1"},
      {"octet -1", "<Ethernet_SM4>-1</Ethernet_SM4>", "", "Ethernet_SM4"},
      {"hex octet 0x100", "<Ethernet_IP3>0x100</Ethernet_IP3>", "", "Ethernet_IP3"},
      {"gateway octet when enabled", "<Ethernet_EN_GAT>1</Ethernet_EN_GAT><Ethernet_GAT2>300</Ethernet_GAT2>",
       "", "Ethernet_GAT2"},
      {"DNS octet when enabled",
       "<Eth_Conn_Enable_DNS>1</Eth_Conn_Enable_DNS><Eth_Conn_Secondary_DNS1>999</Eth_Conn_Secondary_DNS1>",
       "", "Eth_Conn_Secondary_DNS1"},
      {"port 65536", "<Ethernet_TCP_Port>65536</Ethernet_TCP_Port>", "", "Ethernet_TCP_Port"},
      {"port -1", "<Ethernet_UDP_Port>-1</Ethernet_UDP_Port>", "", "Ethernet_UDP_Port"},
      {"payload 256", "<LoRa_Payload_Size>256</LoRa_Payload_Size>", "", "LoRa_Payload_Size"},
      {"adaptive data rate 300", "<LoRa_Adaptive_DataRate>300</LoRa_Adaptive_DataRate>", "",
       "LoRa_Adaptive_DataRate"},
      {"data rate number 300", "<LoRa_DataRate>300 - LoRa</LoRa_DataRate>", "", "LoRa_DataRate"},
      {"sub-band 256", "<LoRa_Frequency_SubBand>256</LoRa_Frequency_SubBand>", "", "LoRa_Frequency_SubBand"},
      {"negative interval", "<LoRa_Transmit_Interval>-1</LoRa_Transmit_Interval>", "",
       "LoRa_Transmit_Interval"},
      {"device name of 32 characters",
       "<Eth_Conn_Device_Name>" + std::string(32, 'x') + "</Eth_Conn_Device_Name>", "",
       "Eth_Conn_Device_Name"},
      {"device name with a euro sign", "<Eth_Conn_Device_Name>5\xE2\x82\xAC</Eth_Conn_Device_Name>", "",
       "Eth_Conn_Device_Name"},
      {"device address of 9 digits", "<LoRa_Device_Address>123456789</LoRa_Device_Address>", "",
       "LoRa_Device_Address"},
      {"device address with a blank", "<LoRa_Device_Address>12 4</LoRa_Device_Address>", "",
       "LoRa_Device_Address"},
      {"JoinEUI not hex", "<LoRa_JoinEUI>G0</LoRa_JoinEUI>", "", "LoRa_JoinEUI"},
      {"network session key too long",
       "<LoRa_Network_Session_Key>" + std::string(33, '1') + "</LoRa_Network_Session_Key>", "",
       "LoRa_Network_Session_Key"},
      {"application session key with a sign",
       "<LoRa_Application_Session_Key>+1</LoRa_Application_Session_Key>", "", "LoRa_Application_Session_Key"},
      {"application key with OTAA", otaa + "<LoRa_Application_Key>0x12</LoRa_Application_Key>", "",
       "LoRa_Application_Key"},
      {"start byte 70000", "", RulesXml("<row StartByte=\"70000\" NumByte=\"1\"/>"), "StartByte"},
      {"byte count -1", "", RulesXml("<row StartByte=\"0\" NumByte=\"-1\"/>"), "NumByte"},
      {"negative time", "", RulesXml("<row StartByte=\"0\" NumByte=\"1\" Time=\"-5\"/>"), "Time"},
      {"port 256 in variable mode", "<LoRa_FPort>Variable</LoRa_FPort>",
       RulesXml("", "<row StartByte=\"0\" NumByte=\"1\" FPort=\"256\"/>"), "LoRaWAN_Downlink"},
      {"257 enabled uplink rules", "", RulesXml(rows257), "LoRaWAN_Uplink"},
      {"257 enabled downlink rules", "", RulesXml("", rows257), "LoRaWAN_Downlink"},
      {"rule file without downlink", "", "<LoRaWAN_Set_Access><LoRaWAN_Uplink/></LoRaWAN_Set_Access>",
       "LoRaWAN_Downlink"},
      {"rule file not well-formed", "", "<LoRaWAN_Set_Access><LoRaWAN_Uplink>", "LoRaWAN_SetAccess.xml"},
  };
  for (const TRefusal& c : cases) {
    TCompileResult r = Compile(ParGenXml(c.ParGen), c.Rules);
    EXPECT_FALSE(r.Ok) << c.Name;
    EXPECT_TRUE(r.Message.starts_with("Error!! The device images are not built"))
        << c.Name << ": " << r.Message;
    EXPECT_NE(r.Message.find(c.Names), std::string::npos) << c.Name << ": " << r.Message;
  }

  TCompileResult broken = Compile("<Par_Gen><Ethernet_IP1>1</Par_Gen>");
  EXPECT_FALSE(broken.Ok);
  EXPECT_NE(broken.Message.find("ParGen.xml"), std::string::npos) << broken.Message;
}

TEST_F(SaveBin, ValuesThatDoNotReachTheDeviceAreNotRefused) {
  const char* accepted[] = {
      "<Ethernet_EN_GAT>0</Ethernet_EN_GAT><Ethernet_GAT1>999</Ethernet_GAT1>",
      "<Eth_Conn_Enable_DNS>0</Eth_Conn_Enable_DNS><Eth_Conn_Primary_DNS1>999</Eth_Conn_Primary_DNS1>",
      "<LoRa_Application_Key>not hex</LoRa_Application_Key>", // ABP does not use it
      "<LoRa_Activation_Method>Over-the-Air Activation [OTAA]</LoRa_Activation_Method>"
      "<LoRa_Device_Address>zz zz</LoRa_Device_Address>",
      "<Ethernet_IP1>abc</Ethernet_IP1><LoRa_Payload_Size></LoRa_Payload_Size>", // no number: the default
  };
  for (const char* elements : accepted)
    EXPECT_TRUE(Compile(ParGenXml(elements)).Ok) << elements;
  // A disabled rule, and a port in fixed mode, never reach the device.
  EXPECT_TRUE(
      Compile(ParGenXml(""), RulesXml("<row Enable=\"N\" StartByte=\"70000\" NumByte=\"-1\" Time=\"-1\"/>",
                                      "<row StartByte=\"0\" NumByte=\"1\" FPort=\"999\"/>"))
          .Ok);
}

TEST_F(SaveBin, SaveWritesBothImagesIntoTheBinFolder) {
  const std::string project = Dir.MakeDir("PROJECTS/Plant");
  TCompileResult r = CompileFixtures("ParGen_full.xml", "LoRaWAN_SetAccess_full.xml");
  ASSERT_TRUE(r.Ok);
  ASSERT_TRUE(Save_Bin(project, r.Images).Ok) << "a missing bin folder is created";
  const std::string bank1 = Dir.Read("PROJECTS/Plant/bin/bank1.bin");
  const std::string bank2 = Dir.Read("PROJECTS/Plant/bin/bank2.bin");
  ASSERT_EQ(bank1.size(), Bank1_Size);
  ASSERT_EQ(bank2.size(), Bank2_Size);
  EXPECT_TRUE(std::equal(bank1.begin(), bank1.end(), r.Images.Bank1.begin(),
                         [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; }));
  EXPECT_TRUE(std::equal(bank2.begin(), bank2.end(), r.Images.Bank2.begin(),
                         [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; }));
  EXPECT_EQ(Dir.Entries("PROJECTS/Plant/bin"), (std::vector<std::string>{"bank1.bin", "bank2.bin"}));
}

TEST_F(SaveBin, FailedWriteIsReportedAndLeavesTheOldImages) {
  const std::string project = Dir.MakeDir("Plant");
  Dir.Write("Plant/bin/bank1.bin", "old1");
  Dir.Write("Plant/bin/bank2.bin", "old2");
  Dir.SetReadOnly("Plant/bin", true);
  const TDeviceImages images;
  const bool refused = RunUnprivileged(Dir, [&] {
    TGatewayResult r = Save_Bin(project, images);
    return !r.Ok && r.Message.find("bank1.bin") != std::string::npos;
  });
  Dir.SetReadOnly("Plant/bin", false);
  EXPECT_TRUE(refused);
  EXPECT_EQ(Dir.Read("Plant/bin/bank1.bin"), "old1");
  EXPECT_EQ(Dir.Read("Plant/bin/bank2.bin"), "old2");

  // A bin folder that cannot be created.
  Dir.Write("Blocked/bin", "a file in the way");
  TGatewayResult r = Save_Bin(Dir.File("Blocked"), images);
  EXPECT_FALSE(r.Ok);
  EXPECT_NE(r.Message.find("bin"), std::string::npos) << r.Message;
}

TEST_F(SaveBin, RefusedCompilationWritesNothing) {
  const std::string project = Dir.MakeDir("Plant");
  Dir.Write("Plant/bin/bank1.bin", "old1");
  Dir.Write("Plant/ParGen.xml", ParGenXml("<Ethernet_IP1>256</Ethernet_IP1>"));
  TGatewayResult r =
      Compile_And_Save_Bin(Dir.File("Plant/ParGen.xml"), Dir.File("Plant/LoRaWAN_SetAccess.xml"), project);
  EXPECT_FALSE(r.Ok);
  EXPECT_EQ(Dir.Read("Plant/bin/bank1.bin"), "old1");
  EXPECT_FALSE(Dir.Exists("Plant/bin/bank2.bin"));

  Dir.Write("Plant/ParGen.xml", ParGenXml(""));
  EXPECT_TRUE(
      Compile_And_Save_Bin(Dir.File("Plant/ParGen.xml"), Dir.File("Plant/LoRaWAN_SetAccess.xml"), project)
          .Ok);
  EXPECT_EQ(Dir.Read("Plant/bin/bank2.bin").size(), Bank2_Size);
}

TEST_F(SaveBin, HexKeysArePaddedOnTheLeftAndReadPairByPair) {
  EXPECT_EQ(Pad_Hex_Left("1234", 8), "00001234");
  EXPECT_EQ(Pad_Hex_Left("", 4), "0000");
  EXPECT_EQ(Pad_Hex_Left("123456789", 8), "123456789");
  std::array<std::uint8_t, 4> field{};
  EXPECT_TRUE(Hex_To_Bytes("a1B2", field, "X").Ok);
  EXPECT_EQ(field, (std::array<std::uint8_t, 4>{0, 0, 0xA1, 0xB2}));
  field = {9, 9, 9, 9};
  EXPECT_FALSE(Hex_To_Bytes("1-2", field, "X").Ok);
  EXPECT_FALSE(Hex_To_Bytes("123456789", field, "X").Ok);
}

} // namespace
