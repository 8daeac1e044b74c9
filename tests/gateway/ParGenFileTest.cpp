#include "gateway/ParGenFile.h"

#include "GatewayTestSupport.h"
#include "app/ULanguage.h"
#include "gateway/ParGenTexts.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

using TElements = std::vector<std::pair<std::string, std::string>>;

TElements ElementsOf(const TXmlNode& root) {
  TElements out;
  for (const TXmlNode& child : root.Children())
    out.emplace_back(child.Name(), child.Text());
  return out;
}

TElements ElementsOf(const TParGen& values) {
  TElements out;
  for (auto& [name, text] : ParGen_Elements(values))
    out.emplace_back(std::string(name), text);
  return out;
}

TParGen ReadText(std::string_view xml) {
  TXmlDocument doc;
  EXPECT_TRUE(doc.LoadFromString(xml).Ok) << xml;
  return ParGen_From_Root(doc.DocumentElement());
}

class ParGenFile : public ::testing::Test {
protected:
  void SetUp() override { Load_Default_Texts(); }
  TTempDir Dir;
};

TEST_F(ParGenFile, NewConfigurationWritesTheDocumentedValueSequence) {
  TXmlDocument fixture;
  ASSERT_TRUE(fixture.LoadFromFile(Gateway_Data("ParGen_new.xml")).Ok);
  ASSERT_EQ(fixture.DocumentElement().Children().size(), 41u);
  EXPECT_EQ(ElementsOf(New_ParGen()), ElementsOf(fixture.DocumentElement()));

  const std::string path = Dir.File("ParGen.xml");
  ASSERT_TRUE(Save_ParGen(path, New_ParGen()).Ok);
  const std::string saved = Dir.Read("ParGen.xml");
  EXPECT_TRUE(saved.starts_with("<Par_Gen>")) << "no declaration before the root";
  EXPECT_NE(saved.find("</Par_Gen>\n<!--SW_VERSION = 1.000-->"), std::string::npos) << saved;
  TXmlDocument written;
  ASSERT_TRUE(written.LoadFromFile(path).Ok);
  EXPECT_EQ(written.DocumentElement().Name(), "Par_Gen");
  EXPECT_EQ(ElementsOf(written.DocumentElement()), ElementsOf(fixture.DocumentElement()));
}

TEST_F(ParGenFile, ReadingAndWritingBackChangesNothing) {
  TParGenLoad first = Load_ParGen(Gateway_Data("ParGen_new.xml"));
  ASSERT_EQ(first.State, TXmlFileState::Loaded);
  EXPECT_EQ(first.Values, New_ParGen());
  const std::string path = Dir.File("ParGen.xml");
  ASSERT_TRUE(Save_ParGen(path, first.Values).Ok);
  const std::string once = Dir.Read("ParGen.xml");
  TParGenLoad second = Load_ParGen(path);
  EXPECT_EQ(second.Values, first.Values);
  ASSERT_TRUE(Save_ParGen(path, second.Values).Ok);
  EXPECT_EQ(Dir.Read("ParGen.xml"), once);

  // Texts keep every blank, leading zeros and letters as typed.
  TParGen typed = New_ParGen();
  typed.Eth_Conn_Device_Name = " name  with blanks ";
  typed.Ethernet_IP = {"010", "$A", "0x0", " 7"};
  typed.LoRa_JoinEUI = "70b3d57ed0000001";
  typed.LoRa_Device_Address = " ";
  ASSERT_TRUE(Save_ParGen(path, typed).Ok);
  EXPECT_EQ(Load_ParGen(path).Values, typed);
}

TEST_F(ParGenFile, MissingFileShowsTheNewConfigurationValues) {
  TParGenLoad load = Load_ParGen(Dir.File("ParGen.xml"));
  EXPECT_EQ(load.State, TXmlFileState::Missing);
  EXPECT_EQ(load.Values, New_ParGen());
  EXPECT_EQ(load.Values.LoRa_DataRate, "6\t- LoRa: SF7/250kHz 11000 [bit/s]");
  EXPECT_EQ(load.Values.LoRa_Payload_Size, "230");
  EXPECT_TRUE(load.Message.empty());
}

TEST_F(ParGenFile, ReaderAppliesEachElementOnItsOwn) {
  struct TCase {
    const char* Name;
    const char* Xml;
    std::function<void(TParGen&)> Expect; // changes from the missing-element defaults
  };
  auto defaults = [] {
    TParGen v; // every element missing: first items everywhere
    v.LoRa_DataRate = "0\t- LoRa: SF12/125kHz 250 [bit/s]";
    v.LoRa_Payload_Size = "59";
    return v;
  };
  const TCase cases[] = {
      {"empty root", "<Par_Gen/>", [](TParGen&) {}},
      {"root of another name",
       "<Other><Ethernet_IP1>10</Ethernet_IP1><Ethernet_EN_GAT>1</Ethernet_EN_GAT></Other>",
       [](TParGen& v) {
         v.Ethernet_IP[0] = "10";
         v.Ethernet_EN_GAT = true;
       }},
      {"declaration and comment before the root",
       "<?xml version=\"1.0\"?><!-- saved by hand "
       "--><Par_Gen><Ethernet_TCP_Port>502</Ethernet_TCP_Port></Par_Gen>",
       [](TParGen& v) { v.Ethernet_TCP_Port = "502"; }},
      {"band in other letter case, no data rate",
       "<Par_Gen><LoRa_RF_Band>us915-hybrid</LoRa_RF_Band></Par_Gen>",
       [](TParGen& v) {
         v.LoRa_RF_Band = "US915-Hybrid";
         v.LoRa_DataRate = "0  - LoRa: SF10/125kHz 980 [bit/s]";
         v.LoRa_Payload_Size = "11";
       }},
      {"band unknown: list blank, no data rate",
       "<Par_Gen><LoRa_RF_Band>CN470</LoRa_RF_Band><LoRa_DataRate>6\t- LoRa: SF7/250kHz 11000 "
       "[bit/s]</LoRa_DataRate></Par_Gen>",
       [](TParGen& v) {
         v.LoRa_RF_Band = "";
         v.LoRa_DataRate = "";
         v.LoRa_Payload_Size = "0";
       }},
      {"stored payload replaced by the maximum",
       "<Par_Gen><LoRa_RF_Band>EU868</LoRa_RF_Band><LoRa_DataRate>5 -\tLoRa: SF7/125kHz 5470 "
       "[bit/s]</LoRa_DataRate><LoRa_Payload_Size>100</LoRa_Payload_Size></Par_Gen>",
       [](TParGen& v) {
         v.LoRa_RF_Band = "EU868";
         v.LoRa_DataRate = "5 -\tLoRa: SF7/125kHz 5470 [bit/s]";
         v.LoRa_Payload_Size = "222";
       }},
      {"data rate matched ignoring case, kept in the item's spelling",
       "<Par_Gen><LoRa_RF_Band>EU868</LoRa_RF_Band><LoRa_DataRate>3 -\tlora: sf9/125KHZ 1760 "
       "[BIT/S]</LoRa_DataRate></Par_Gen>",
       [](TParGen& v) {
         v.LoRa_RF_Band = "EU868";
         v.LoRa_DataRate = "3 -\tLoRa: SF9/125kHz 1760 [bit/s]";
         v.LoRa_Payload_Size = "115";
       }},
      {"data rate of another band falls back to the first item",
       "<Par_Gen><LoRa_RF_Band>EU868</LoRa_RF_Band><LoRa_DataRate>6\t- LoRa: SF7/250kHz 11000 "
       "[bit/s]</LoRa_DataRate></Par_Gen>",
       [](TParGen& v) {
         v.LoRa_RF_Band = "EU868";
         v.LoRa_DataRate = "0 -\tLoRa: SF12/125kHz 250 [bit/s]";
         v.LoRa_Payload_Size = "51";
       }},
      {"data rate read after the band whatever the element order",
       "<Par_Gen><LoRa_DataRate>4 -\tLoRa: SF8/125kHz 3125 "
       "[bit/s]</LoRa_DataRate><LoRa_RF_Band>KR920</LoRa_RF_Band></Par_Gen>",
       [](TParGen& v) {
         v.LoRa_RF_Band = "KR920";
         v.LoRa_DataRate = "4 -\tLoRa: SF8/125kHz 3125 [bit/s]";
         v.LoRa_Payload_Size = "222";
       }},
      {"lists of other case and unknown items",
       "<Par_Gen><LoRa_Network_Type>public</LoRa_Network_Type><LoRa_Transmission_Type></"
       "LoRa_Transmission_Type>"
       "<LoRa_Activation_Method>OVER-THE-AIR ACTIVATION [OTAA]</LoRa_Activation_Method>"
       "<LoRa_FPort>Sometimes</LoRa_FPort><LoRa_Frequency_SubBand>9</LoRa_Frequency_SubBand></Par_Gen>",
       [](TParGen& v) {
         v.LoRa_Network_Type = "Public";
         v.LoRa_Transmission_Type = "";
         v.LoRa_Activation_Method = "Over-the-Air Activation [OTAA]";
         v.LoRa_FPort = "";
         v.LoRa_Frequency_SubBand = "";
       }},
      {"check boxes only for exactly 1",
       "<Par_Gen><Eth_Conn_DHCP_Cable> 1</Eth_Conn_DHCP_Cable><Eth_Conn_DHCP_WiFi>1</Eth_Conn_DHCP_WiFi>"
       "<Eth_Conn_Enable_DNS>1</Eth_Conn_Enable_DNS><Ethernet_EN_GAT>true</Ethernet_EN_GAT>"
       "<LoRa_Adaptive_DataRate>1</LoRa_Adaptive_DataRate></Par_Gen>",
       [](TParGen& v) {
         v.Eth_Conn_Enable_DNS = true;
         v.LoRa_Adaptive_DataRate = true;
       }},
      {"only the first element of a name counts",
       "<Par_Gen><Ethernet_UDP_Port>1</Ethernet_UDP_Port><Ethernet_UDP_Port>2</Ethernet_UDP_Port></Par_Gen>",
       [](TParGen& v) { v.Ethernet_UDP_Port = "1"; }},
      {"empty elements are empty texts",
       "<Par_Gen><Ethernet_IP1/><Eth_Conn_Primary_DNS4></Eth_Conn_Primary_DNS4></Par_Gen>",
       [](TParGen& v) {
         v.Ethernet_IP[0] = "";
         v.Eth_Conn_Primary_DNS[3] = "";
       }},
  };
  for (const TCase& c : cases) {
    TParGen expected = defaults();
    c.Expect(expected);
    EXPECT_EQ(ElementsOf(ReadText(c.Xml)), ElementsOf(expected)) << c.Name;
  }
}

TEST_F(ParGenFile, WiFiDhcpIsWrittenBackUnchecked) {
  const std::string path =
      Dir.Write("ParGen.xml", "<Par_Gen><Eth_Conn_DHCP_WiFi>1</Eth_Conn_DHCP_WiFi></Par_Gen>");
  TParGenLoad load = Load_ParGen(path);
  EXPECT_FALSE(load.Values.Eth_Conn_DHCP_WiFi);
  ASSERT_TRUE(Save_ParGen(path, load.Values).Ok);
  TXmlDocument doc;
  ASSERT_TRUE(doc.LoadFromFile(path).Ok);
  EXPECT_EQ(doc.DocumentElement().ChildText("Eth_Conn_DHCP_WiFi"), "0");
}

TEST_F(ParGenFile, UnreadableFileIsReportedAndShowsTheMissingFileValues) {
  const char* broken[] = {
      "<Par_Gen><Ethernet_IP1>10</Ethernet_IP1>", // not closed
      "<Par_Gen><Ethernet_IP1>10</Ethernet_IP2></Par_Gen>",
      "",                     // no root at all
      "<Par_Gen/><Par_Gen/>", // two roots
      "<!-- only a comment -->",
  };
  for (const char* text : broken) {
    const std::string path = Dir.Write("ParGen.xml", text);
    TParGenLoad load = Load_ParGen(path);
    EXPECT_EQ(load.State, TXmlFileState::Unreadable) << text;
    EXPECT_EQ(load.Values, New_ParGen()) << "no half-applied values for: " << text;
    EXPECT_TRUE(load.Message.starts_with("Error!! The Communication Setting cannot be read")) << load.Message;
    EXPECT_EQ(Dir.Read("ParGen.xml"), text) << "reading never touches the file";
  }
}

TEST_F(ParGenFile, FailedSaveIsReportedAndKeepsTheOldFile) {
  const std::string old = "<Par_Gen><Ethernet_IP1>1</Ethernet_IP1></Par_Gen>";
  const std::string path = Dir.Write("cfg/ParGen.xml", old);
  Dir.SetReadOnly("cfg", true);
  const bool refused = RunUnprivileged(Dir, [&] {
    TGatewayResult r = Save_ParGen(path, New_ParGen());
    return !r.Ok && r.TextNumber == Txt_ParGen_Save_Error &&
           r.Message.starts_with("Error!! The Communication Setting cannot be saved: ");
  });
  Dir.SetReadOnly("cfg", false);
  EXPECT_TRUE(refused);
  EXPECT_EQ(Dir.Read("cfg/ParGen.xml"), old);
  EXPECT_EQ(Dir.Entries("cfg"), std::vector<std::string>{"ParGen.xml"});
}

} // namespace
