#include "gateway/LoRaWANSetAccess.h"

#include "app/ShellTexts.h"

#include "GatewayTestSupport.h"
#include "app/ULanguage.h"
#include "gateway/LoRaWANTexts.h"
#include "support/TempDir.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

TLoRaUplinkRule Up(std::string enable, std::string start, std::string num, std::string onTimer = "N",
                   std::string time = "", std::string fport = "") {
  TLoRaUplinkRule r;
  r.Enable = std::move(enable);
  r.StartByte = std::move(start);
  r.NumByte = std::move(num);
  r.OnTimer = std::move(onTimer);
  r.Time = std::move(time);
  r.FPort = std::move(fport);
  return r;
}

TLoRaDownlinkRule Down(std::string enable, std::string start, std::string num, std::string fport = "") {
  TLoRaDownlinkRule r;
  r.Enable = std::move(enable);
  r.StartByte = std::move(start);
  r.NumByte = std::move(num);
  r.FPort = std::move(fport);
  return r;
}

class LoRaWANSetAccess : public ::testing::Test {
protected:
  void SetUp() override { Load_Default_Texts(); }
  TTempDir Dir;
};

TEST_F(LoRaWANSetAccess, OneRuleDecidesWhetherARuleIsEnabled) {
  for (const char* on : {"Y", "y", " Y ", "\ty"})
    EXPECT_TRUE(Is_LoRaWAN_Rule_Enabled(on)) << on;
  for (const char* off : {"N", "", " ", "YES", "1", "Y Y"})
    EXPECT_FALSE(Is_LoRaWAN_Rule_Enabled(off)) << off;
  EXPECT_TRUE(Is_LoRaWAN_Rule_Enabled(TLoRaUplinkRule{}.Enable)) << "a missing attribute reads as enabled";
  EXPECT_EQ(LoRaWAN_Capacity(true), 256);
  EXPECT_EQ(LoRaWAN_Capacity(false), 223);
}

TEST_F(LoRaWANSetAccess, ReaderTakesRowsByPositionWithTheDefaultsOfMissingAttributes) {
  TLoRaWANLoad load = Load_LoRaWAN_SetAccess(Gateway_Data("LoRaWAN_SetAccess_full.xml"));
  ASSERT_EQ(load.State, TXmlFileState::Loaded) << load.Error;
  ASSERT_EQ(load.Rules.Uplink.size(), 4u);
  ASSERT_EQ(load.Rules.Downlink.size(), 3u);
  TLoRaUplinkRule third = Up(" y ", "1536", "220", "N", "", "");
  third.OnCMD = "Y";
  third.Mnemonic = "lower case";
  EXPECT_EQ(load.Rules.Uplink[2], third) << "values stay as typed, blanks included";
  TLoRaUplinkRule fourth = Up("Y", "$14", "4", " Y", "86400", "223");
  fourth.OnChange = "y";
  fourth.OnCMD = "y";
  EXPECT_EQ(load.Rules.Uplink[3], fourth) << "Enable and Mnemonic missing";

  TXmlDocument doc;
  ASSERT_TRUE(
      doc.LoadFromString("<?xml version=\"1.0\"?><!-- c --><AnyName><LoRaWAN_Uplink><item NumByte=\"3\"/>"
                         "</LoRaWAN_Uplink><LoRaWAN_Downlink/></AnyName>")
          .Ok);
  TLoRaWANSetAccess rules;
  std::string error;
  ASSERT_TRUE(LoRaWAN_From_Root(doc.DocumentElement(), rules, error));
  TLoRaUplinkRule defaults;
  defaults.NumByte = "3";
  EXPECT_EQ(rules.Uplink, std::vector<TLoRaUplinkRule>{defaults});
  EXPECT_TRUE(rules.Downlink.empty());
}

TEST_F(LoRaWANSetAccess, FileThatIsNotARuleFileIsReportedAndGivesEmptyTables) {
  const char* broken[] = {
      "<LoRaWAN_Set_Access><LoRaWAN_Uplink><row StartByte=\"1\"/></LoRaWAN_Uplink></LoRaWAN_Set_Access>",
      "<LoRaWAN_Set_Access><LoRaWAN_Downlink/></LoRaWAN_Set_Access>",
      "<LoRaWAN_Set_Access><LoRaWAN_Uplink><row StartByte=\"1\"></LoRaWAN_Uplink>",
      "<LoRaWAN_Set_Access><LoRaWAN_Uplink><row StartByte=\"1\" StartByte=\"2\"/></LoRaWAN_Uplink>"
      "<LoRaWAN_Downlink/></LoRaWAN_Set_Access>",
  };
  for (const char* text : broken) {
    TLoRaWANLoad load = Load_LoRaWAN_SetAccess(Dir.Write("LoRaWAN_SetAccess.xml", text));
    EXPECT_EQ(load.State, TXmlFileState::Unreadable) << text;
    EXPECT_TRUE(load.Rules.Uplink.empty() && load.Rules.Downlink.empty()) << text;
    EXPECT_TRUE(load.Message.starts_with("Error!! The LoRaWAN Access List cannot be read")) << load.Message;
  }
  EXPECT_EQ(Load_LoRaWAN_SetAccess(Dir.File("none.xml")).State, TXmlFileState::Missing);
}

TEST_F(LoRaWANSetAccess, WriterStopsAtTheFirstBlankStartByteAndAtTheCapacity) {
  TLoRaWANSetAccess rules;
  rules.Uplink = {Up("Y", "0", "10", "Y", "60", "5"), Up("N", "x", "", "", "", ""), Up("Y", " ", "1"),
                  Up("Y", "7", "7")};
  rules.Uplink[0].OnChange = "Y";
  rules.Uplink[0].Mnemonic = "a <b> & \"c\"";
  rules.Downlink = {Down("Y", "\t", "1")};
  const std::string path = Dir.File("LoRaWAN_SetAccess.xml");
  ASSERT_TRUE(Save_LoRaWAN_SetAccess(path, rules, true).Ok);
  const std::string text = Dir.Read("LoRaWAN_SetAccess.xml");
  EXPECT_TRUE(text.starts_with("<LoRaWAN_Set_Access>")) << text;
  EXPECT_NE(
      text.find("<row Enable=\"Y\" StartByte=\"0\" NumByte=\"10\" OnChange=\"Y\" OnCMD=\"N\" OnTimer=\"Y\" "
                "Time=\"60\" FPort=\"5\" Mnemonic=\"a &lt;b"),
      std::string::npos)
      << text;
  EXPECT_NE(text.find("</LoRaWAN_Set_Access>\n<!--SW_VERSION = 1.000-->"), std::string::npos) << text;
  TLoRaWANLoad back = Load_LoRaWAN_SetAccess(path);
  ASSERT_EQ(back.State, TXmlFileState::Loaded);
  EXPECT_EQ(back.Rules.Uplink, (std::vector<TLoRaUplinkRule>{rules.Uplink[0], rules.Uplink[1]}));
  EXPECT_TRUE(back.Rules.Downlink.empty()) << "a blank first start byte writes an empty section";

  // 256 rows in fixed mode, 223 when each rule carries its port.
  TLoRaWANSetAccess many;
  for (int i = 0; i < 300; ++i) {
    many.Uplink.push_back(Up("Y", std::to_string(i), "1"));
    many.Downlink.push_back(Down("N", std::to_string(i), "1"));
  }
  ASSERT_TRUE(Save_LoRaWAN_SetAccess(path, many, true).Ok);
  back = Load_LoRaWAN_SetAccess(path);
  EXPECT_EQ(back.Rules.Uplink.size(), 256u);
  EXPECT_EQ(back.Rules.Downlink.size(), 256u);
  ASSERT_TRUE(Save_LoRaWAN_SetAccess(path, back.Rules, false).Ok);
  back = Load_LoRaWAN_SetAccess(path);
  EXPECT_EQ(back.Rules.Uplink.size(), 223u);
  EXPECT_EQ(back.Rules.Downlink.size(), 223u);
  EXPECT_EQ(back.Rules.Uplink.back().StartByte, "222");
}

TEST_F(LoRaWANSetAccess, FailedSaveIsReportedAndKeepsTheOldFile) {
  const std::string path = Dir.Write("cfg/LoRaWAN_SetAccess.xml", "old");
  Dir.SetReadOnly("cfg", true);
  const bool refused = RunUnprivileged(Dir, [&] {
    TGatewayResult r = Save_LoRaWAN_SetAccess(path, {}, true);
    return !r.Ok && r.TextNumber == Txt_LoRa_Save_Error;
  });
  Dir.SetReadOnly("cfg", false);
  EXPECT_TRUE(refused);
  EXPECT_EQ(Dir.Read("cfg/LoRaWAN_SetAccess.xml"), "old");
}

struct TRuleCase {
  const char* Name;
  std::vector<TLoRaUplinkRule> Uplink;
  std::vector<TLoRaDownlinkRule> Downlink;
  int MaxPayload;
  bool FPortFixed;
  int Text; // 0: the check passes
  const char* Message = nullptr;
};

TEST_F(LoRaWANSetAccess, RuleCheckAnswersTheFirstFailingRow) {
  const TRuleCase cases[] = {
      {"empty tables", {}, {}, 0, true, 0},
      {"valid rule", {Up("Y", "0", "10")}, {Down("Y", "1536", "49")}, 51, true, 0},
      {"first rule is row 1",
       {Up("Y", "1537", "0")},
       {},
       51,
       true,
       1244,
       "Error row 1!! [LoraWAN Uplink] Start Byte must be between 0 and 1536"},
      {"start byte not a number",
       {Up("Y", "0", "1"), Up("Y", "12a", "1")},
       {},
       51,
       true,
       1244,
       "Error row 2!! [LoraWAN Uplink] Start Byte must be between 0 and 1536"},
      {"start byte -1", {Up("Y", "-1", "1")}, {}, 51, true, 1244},
      {"payload 51 lets 49 pass", {Up("Y", "0", "49")}, {}, 51, true, 0},
      {"payload 51 refuses 50",
       {Up("Y", "0", "50")},
       {},
       51,
       true,
       1245,
       "Error row 1!! [LoraWAN Uplink] Number Byte must be between 0 and 49"},
      {"no payload size refuses every enabled rule",
       {Up("Y", "0", "0")},
       {},
       0,
       true,
       1245,
       "Error row 1!! [LoraWAN Uplink] Number Byte must be between 0 and -2"},
      {"disabled rules are not checked",
       {Up("N", "x", "x", "Y", "1", "0"), Up(" n", "-5", "999")},
       {},
       0,
       true,
       0},
      {"lower-case y is enabled", {Up("y", "0", "99")}, {}, 51, true, 1245},
      {"rows after a blank start byte are not checked",
       {Up("Y", "0", "1"), Up("Y", " ", "1"), Up("Y", "x", "x")},
       {},
       51,
       true,
       0},
      {"time not checked without timer", {Up("Y", "0", "1", "N", "5")}, {}, 51, true, 0},
      {"time 29",
       {Up("Y", "0", "1", "Y", "29")},
       {},
       51,
       true,
       1246,
       "Error row 1!! [LoraWAN Uplink] Time (s) must be between 30 and 86400"},
      {"time 86401", {Up("Y", "0", "1", "Y", "86401")}, {}, 51, true, 1246},
      {"time 30 and 86400", {Up("Y", "0", "1", "Y", "30"), Up("Y", "0", "1", "Y", "86400")}, {}, 51, true, 0},
      {"timer y in lower case still checks the time", {Up("Y", "0", "1", "y", "5")}, {}, 51, true, 1246},
      {"port not checked in fixed mode",
       {Up("Y", "0", "1", "N", "", "0")},
       {Down("Y", "0", "1", "999")},
       51,
       true,
       0},
      {"port 0",
       {Up("Y", "0", "1", "N", "", "0")},
       {},
       51,
       false,
       1254,
       "Error row 1!! [LoraWAN Uplink] FPort must be between 1 and 223"},
      {"port 224", {Up("Y", "0", "1", "N", "", "224")}, {}, 51, false, 1254},
      {"port 1 and 223",
       {Up("Y", "0", "1", "N", "", "1"), Up("Y", "0", "1", "N", "", "223")},
       {},
       51,
       false,
       0},
      {"downlink start byte",
       {Up("Y", "0", "1")},
       {Down("Y", "0", "1"), Down("Y", "2000", "1")},
       51,
       true,
       1247,
       "Error row 2!! [LoraWAN Downlink] Start Byte must be between 0 and 1536"},
      {"downlink bytes",
       {},
       {Down("Y", "0", "50")},
       51,
       true,
       1248,
       "Error row 1!! [LoraWAN Downlink] Number Byte must be between 0 and 49"},
      {"downlink port",
       {},
       {Down("Y", "0", "1", "")},
       51,
       false,
       1255,
       "Error row 1!! [LoraWAN Downlink] FPort must be between 1 and 223"},
      {"uplink reported before downlink", {Up("Y", "0", "60")}, {Down("Y", "-1", "1")}, 51, true, 1245},
      {"lowest payload size does not wrap round",
       {Up("Y", "0", "1000")},
       {},
       -2147483647 - 1,
       true,
       1245,
       "Error row 1!! [LoraWAN Uplink] Number Byte must be between 0 and -2147483650"},
      {"payload size 1 lets no byte through", {}, {Down("Y", "0", "0")}, 1, true, 1248},
      {"uplink start byte 1536", {Up("Y", "1536", "1")}, {}, 51, true, 0},
      {"downlink port 0 in variable mode", {}, {Down("Y", "0", "1", "0")}, 51, false, 1255},
      {"disabled downlink row is not checked", {}, {Down("N", "99999", "999", "0")}, 51, false, 0},
      {"timer Y with a blank from a file checks the time",
       {Up("Y", "0", "1", " Y", "29")},
       {},
       51,
       true,
       1246},
  };
  for (const TRuleCase& c : cases) {
    TGatewayResult r = Check_LoRaWAN_Rules({c.Uplink, c.Downlink}, c.MaxPayload, c.FPortFixed);
    EXPECT_EQ(r.Ok, c.Text == 0) << c.Name;
    EXPECT_EQ(r.TextNumber, c.Text) << c.Name << ": " << r.Message;
    if (c.Message) {
      EXPECT_EQ(r.Message, c.Message) << c.Name;
    }
  }
}

TEST_F(LoRaWANSetAccess, RowsBeyondTheCapacityAreNotChecked) {
  TLoRaWANSetAccess rules;
  for (int i = 0; i < 223; ++i)
    rules.Uplink.push_back(Up("Y", "0", "1", "N", "", "1"));
  rules.Uplink.push_back(Up("Y", "bad", "1", "N", "", "0"));
  EXPECT_TRUE(Check_LoRaWAN_Rules(rules, 51, false).Ok);
  EXPECT_EQ(Check_LoRaWAN_Rules(rules, 51, true).TextNumber, 1244);
}

TEST_F(LoRaWANSetAccess, EditorReadsPayloadSizeAndPortModeFromParGen) {
  EXPECT_EQ(Read_LoRaWAN_ParGen_Settings(Dir.File("ParGen.xml")).MaxPayloadSize, 0);
  EXPECT_TRUE(Read_LoRaWAN_ParGen_Settings(Dir.File("ParGen.xml")).FPortFixed);
  struct TCase {
    const char* Xml;
    int Payload;
    bool Fixed;
  };
  const TCase cases[] = {
      {"<Par_Gen><LoRa_Payload_Size>222</LoRa_Payload_Size><LoRa_FPort> variable </LoRa_FPort></Par_Gen>",
       222, false},
      {"<X><LoRa_Payload_Size>$33</LoRa_Payload_Size><LoRa_FPort>Fixed</LoRa_FPort></X>", 51, true},
      {"<Par_Gen><LoRa_Payload_Size>abc</LoRa_Payload_Size><LoRa_FPort/></Par_Gen>", 0, true},
      {"<Par_Gen/>", 0, true},
  };
  for (const TCase& c : cases) {
    TLoRaWANParGenSettings s = Read_LoRaWAN_ParGen_Settings(Dir.Write("ParGen.xml", c.Xml));
    EXPECT_EQ(s.State, TXmlFileState::Loaded);
    EXPECT_EQ(s.MaxPayloadSize, c.Payload) << c.Xml;
    EXPECT_EQ(s.FPortFixed, c.Fixed) << c.Xml;
  }
  TLoRaWANParGenSettings broken = Read_LoRaWAN_ParGen_Settings(Dir.Write("ParGen.xml", "<Par_Gen>"));
  EXPECT_EQ(broken.State, TXmlFileState::Unreadable);
  EXPECT_EQ(broken.MaxPayloadSize, 0);
  EXPECT_TRUE(broken.FPortFixed);
  EXPECT_TRUE(broken.Message.starts_with("Error!! The Communication Setting cannot be read"))
      << broken.Message;
}

TEST_F(LoRaWANSetAccess, UpdateGateChecksEveryEnabledUplinkRuleAgainstThePayload) {
  const std::string parGen = Dir.File("ParGen.xml");
  const std::string rulesFile = Dir.File("LoRaWAN_SetAccess.xml");
  auto rules = [&](const std::string& rows) {
    Dir.Write("LoRaWAN_SetAccess.xml", "<LoRaWAN_Set_Access><LoRaWAN_Uplink>" + rows +
                                           "</LoRaWAN_Uplink><LoRaWAN_Downlink/></LoRaWAN_Set_Access>");
  };

  EXPECT_TRUE(Check_Config_LoraWAN(parGen, rulesFile).Ok) << "no files at all";
  rules("<row Enable=\"Y\" NumByte=\"0\"/>");
  TGatewayResult r = Check_Config_LoraWAN(parGen, rulesFile);
  EXPECT_EQ(r.TextNumber, 30) << "without ParGen.xml every enabled rule fails";
  EXPECT_EQ(r.Message, "Error in configuration, Num. Byte not conformed with Max Payload Size");

  Dir.Write("ParGen.xml", "<Par_Gen><LoRa_Payload_Size>51</LoRa_Payload_Size></Par_Gen>");
  struct TCase {
    const char* Rows;
    bool Ok;
  };
  const TCase cases[] = {
      {"<row Enable=\"Y\" NumByte=\"49\"/>", true},
      {"<row Enable=\"Y\" NumByte=\"50\"/>", false},
      {"<row Enable=\"N\" NumByte=\"200\"/>", true},
      {"<row NumByte=\"200\"/>", false},               // no Enable attribute: enabled
      {"<row Enable=\" y\" NumByte=\"200\"/>", false}, // the same rule as the editor and the image
      {"<row Enable=\"Y\"/>", false},                  // no byte count
      {"<row Enable=\"Y\" StartByte=\"\" NumByte=\"1\"/><row Enable=\"Y\" NumByte=\"50\"/>", false},
  };
  for (const TCase& c : cases) {
    rules(c.Rows);
    r = Check_Config_LoraWAN(parGen, rulesFile);
    EXPECT_EQ(r.Ok, c.Ok) << c.Rows;
    if (!c.Ok) {
      EXPECT_EQ(r.TextNumber, 30) << c.Rows;
    }
  }

  // A payload size at the lowest integer, however written, lets no byte count through.
  rules("<row Enable=\"Y\" NumByte=\"1000\"/>");
  for (const char* lowest : {"-2147483648", "-0x80000000", "-$80000000"}) {
    Dir.Write("ParGen.xml",
              std::string("<Par_Gen><LoRa_Payload_Size>") + lowest + "</LoRa_Payload_Size></Par_Gen>");
    EXPECT_EQ(Check_Config_LoraWAN(parGen, rulesFile).TextNumber, 30) << lowest;
  }
  Dir.Write("ParGen.xml", "<Par_Gen><LoRa_Payload_Size>51</LoRa_Payload_Size></Par_Gen>");

  Dir.Write("LoRaWAN_SetAccess.xml", "<LoRaWAN_Set_Access><LoRaWAN_Uplink>");
  r = Check_Config_LoraWAN(parGen, rulesFile);
  EXPECT_FALSE(r.Ok);
  EXPECT_EQ(r.TextNumber, Text_Configuration_Unreadable);
  EXPECT_NE(r.Message.find("cannot be read"), std::string::npos) << r.Message;

  Dir.Write("ParGen.xml", "<Par_Gen><LoRa_Payload_Size>51");
  rules("");
  EXPECT_FALSE(Check_Config_LoraWAN(parGen, rulesFile).Ok) << "an unreadable ParGen.xml stops the update";
}

} // namespace
