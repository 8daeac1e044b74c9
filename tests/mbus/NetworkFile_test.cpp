#include "app/ULanguage.h"
#include "mbus/NetworkFile.h"
#include "mbus/NetworkValueLists.h"
#include "platform/Files.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

std::string Fixture() {
  std::string text;
  EXPECT_TRUE(ReadFileBytes(std::string(VELMARIC_TEST_DATA) + "/mbus/M_Bus_two_nodes.xml", text));
  return text;
}

// The network the fixture holds, built field by field.
TNodi_List Two_Nodes() {
  TNodo wired;
  wired.Enable = 1;
  wired.Node_Pri = 5;
  wired.Node_Sec = 12345678;
  wired.Description = "Heat & water \"A\"";
  wired.Send_SNK = 1;
  wired.Enable_NS = 1;
  wired.Node_State = 10;
  wired.Enable_IN = 1;
  wired.Ident_Num = 11;
  wired.BCDtoINT_IN = 1;
  wired.Swap_Ident = 1;
  wired.Var_List_Type = 1;
  wired.Cut_After = 2;
  wired.Enable_MS = 1;
  wired.Manufacturer_Spec = 20;
  wired.MSD_Length = 4;
  wired.MSD_Offset = 2;
  wired.Enable_AN = 1;
  wired.Access_Number = 12;
  wired.MBus_Type = 1;
  TVariabile energy;
  energy.Enable = true;
  energy.Description = "Energy";
  energy.Dimension = 2;
  energy.PositionData = 100;
  energy.Storage_Number = 4294967295u;
  energy.VIFE = 255;
  energy.Conv_Float = true;
  energy.Position = 1;
  energy.Post_Operation = 3;
  TVariabile date;
  date.Description = "Date";
  date.Type_Of_Data = 20;
  date.Function_Field = 1;
  date.Dimension = 7;
  date.Unita = 1;
  date.PositionData = 102;
  date.Storage_Number = 1;
  date.Tariff = 2;
  date.VIFE = 3;
  date.BCDtoINT = true;
  date.VIF_ASCII = "kWh";
  date.Length = 6;
  date.Force_Int32 = true;
  date.TP_Mod_Regs = true;
  date.TP_Mod_Year = 110;
  date.Position = 2;
  wired.Var_List = {energy, date};

  TNodo radio;
  radio.Node_Pri = 1;
  radio.Node_Sec = 1;
  radio.Description = "Radio";
  radio.Reset_App = 1;
  radio.Node_State = 200;
  radio.Ident_Num = -1;
  radio.Node_ID_Type = 1;
  radio.Cut_After = 249;
  radio.MSD_Length = 1;
  radio.wMBus_ManID = "0x2C2D";
  radio.wMBus_Add = "$12345678";
  radio.wMBus_Ver = "1";
  radio.wMBus_DevType = "7";
  radio.wMBus_En_Key = 1;
  for (int k = 0; k < 16; ++k)
    radio.wMBus_Key[static_cast<std::size_t>(k)] = std::to_string(k);
  radio.wMBus_Key[14] = "x0E";
  radio.wMBus_Key[15] = "255";
  radio.Enable_RSSI = 1;
  radio.RSSI = 59999;
  TVariabile volume;
  volume.Enable = true;
  volume.Description = "Volume";
  volume.Type_Of_Data = 2;
  volume.Function_Field = 3;
  volume.Dimension = 6;
  volume.Unita = 10;
  volume.PositionData = 59999;
  volume.Tariff = 1048575;
  volume.VIFE = 151;
  volume.Length = 191;
  volume.Position = 512;
  volume.Post_Operation = 12;
  TVariabile bus;
  bus.Enable = true;
  bus.Type_Of_Data = 25;
  bus.PositionData = 1;
  bus.Position = 1;
  radio.Var_List = {volume, bus};
  return {wired, radio};
}

class NetworkFile : public ::testing::Test {
protected:
  void SetUp() override { Load_Default_Texts(); }
  TTempDir Dir;
};

TEST_F(NetworkFile, WritesTheFixtureAndReadsItBackUnchanged) {
  const std::string fixture = Fixture();
  EXPECT_EQ(MBus_Network_Xml(Two_Nodes()), fixture);

  const TNetworkRead read = Parse_MBus_Network(fixture);
  EXPECT_TRUE(read.Complete);
  EXPECT_EQ(read.Message, "");
  EXPECT_EQ(read.Nodes, Two_Nodes());

  const std::string path = Dir.File("M_Bus.xml");
  ASSERT_TRUE(Write_MBus_Network(path, read.Nodes));
  EXPECT_EQ(Dir.Read("M_Bus.xml"), fixture);
  EXPECT_EQ(Read_MBus_Network(path).Nodes, Two_Nodes());
}

TEST_F(NetworkFile, EmptyAndMissingNetworks) {
  EXPECT_EQ(MBus_Network_Xml({}), "<M-Bus_Network />\n<!--SW_VERSION = 1.002-->\n");
  const TNetworkRead empty = Parse_MBus_Network(MBus_Network_Xml({}));
  EXPECT_TRUE(empty.Nodes.empty());
  EXPECT_TRUE(empty.Complete);

  const TNetworkRead missing = Read_MBus_Network(Dir.File("none.xml"));
  EXPECT_TRUE(missing.Nodes.empty());
  EXPECT_TRUE(missing.Complete);
  EXPECT_EQ(missing.Message, "");
}

struct TReadCase {
  const char* Name;
  const char* Xml; // inside the root
  std::function<void(const TNodi_List&)> Check;
};

TEST_F(NetworkFile, ReaderEdgeCases) {
  const TReadCase cases[] = {
      {"a node without attributes is an enabled wired node at address 1", "<Nodo/>",
       [](const TNodi_List& n) {
         TNodo expected;
         expected.Enable = 1;
         expected.Node_Pri = 1;
         expected.Node_Sec = 1;
         expected.MBus_Type = 1;
         EXPECT_EQ(n.at(0), expected);
       }},
      {"ID with secondary type", R"(<Nodo ID="7" Node_ID_Type="1"/>)",
       [](const TNodi_List& n) {
         EXPECT_EQ(n.at(0).Node_Sec, 7);
         EXPECT_EQ(n.at(0).Node_Pri, 1);
       }},
      {"ID without a type is primary", R"(<Nodo ID="7"/>)",
       [](const TNodi_List& n) {
         EXPECT_EQ(n.at(0).Node_Pri, 7);
         EXPECT_EQ(n.at(0).Node_Sec, 1);
       }},
      {"ID in hexadecimal", R"(<Nodo ID="x7" ID_Primary="3"/>)",
       [](const TNodi_List& n) { EXPECT_EQ(n.at(0).Node_Pri, 7); }},
      {"ID not a number falls back", R"(<Nodo ID="abc" ID_Primary="3" ID_Secondary="4"/>)",
       [](const TNodi_List& n) {
         EXPECT_EQ(n.at(0).Node_Pri, 3);
         EXPECT_EQ(n.at(0).Node_Sec, 4);
       }},
      {"both explicit addresses win over the export's ID",
       R"(<Nodo ID="5" Node_ID_Type="1" ID_Primary="5" ID_Secondary="12345678"/>)",
       [](const TNodi_List& n) {
         EXPECT_EQ(n.at(0).Node_Pri, 5);
         EXPECT_EQ(n.at(0).Node_Sec, 12345678);
       }},
      {"byte fields keep their low 8 bits, bad numbers their default",
       R"(<Nodo Cut_After="257" MBus_Type="wired" Node_State=" 12" Ident_Num="12 "/>)",
       [](const TNodi_List& n) {
         EXPECT_EQ(n.at(0).Cut_After, 1);
         EXPECT_EQ(n.at(0).MBus_Type, 1);
         EXPECT_EQ(n.at(0).Node_State, 12);
         EXPECT_EQ(n.at(0).Ident_Num, 0);
       }},
      {"variable flags are exactly \"1\"; a missing position is 1",
       R"(<Nodo><Variabile Type="1" Fun_Field="0" Dim="0" Enable="true" BCDtoINT="1"/><Variabile Type="1" Fun_Field="0" Dim="0"/></Nodo>)",
       [](const TNodi_List& n) {
         const TVariabile& v = n.at(0).Var_List.at(0);
         EXPECT_FALSE(v.Enable);
         EXPECT_TRUE(v.BCDtoINT);
         EXPECT_EQ(v.Position, 1);
         EXPECT_FALSE(n.at(0).Var_List.at(1).Enable);
       }},
      {"storage number and VIFE at their limits",
       R"(<Nodo><Variabile Type="1" Fun_Field="0" Dim="0" StoNumber="4294967295" VIFE="255" Position="65537"/></Nodo>)",
       [](const TNodi_List& n) {
         const TVariabile& v = n.at(0).Var_List.at(0);
         EXPECT_EQ(v.Storage_Number, 4294967295u);
         EXPECT_EQ(v.VIFE, 255);
         EXPECT_EQ(v.Position, 1);
       }},
      {"elements of any name are nodes and variables; text and comments are not",
       R"(<Meter>text<!--c--><Reading Type="2" Fun_Field="1" Dim="3"/></Meter>)",
       [](const TNodi_List& n) {
         ASSERT_EQ(n.size(), 1u);
         ASSERT_EQ(n[0].Var_List.size(), 1u);
         EXPECT_EQ(n[0].Var_List[0].Dimension, 3);
       }},
      {"the scan export's register is read as ModReg when PositionData is missing",
       R"(<Nodo><Variabile Type="1" Fun_Field="0" Dim="1" ModReg="103" ModScale="0" SWAP="0"/>)"
       R"(<Variabile Type="1" Fun_Field="0" Dim="1" ModReg="103" PositionData="7"/></Nodo>)",
       [](const TNodi_List& n) {
         EXPECT_EQ(n.at(0).Var_List.at(0).PositionData, 103);
         EXPECT_EQ(n.at(0).Var_List.at(1).PositionData, 7);
       }},
  };
  for (const TReadCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const TNetworkRead read = Parse_MBus_Network(std::string("<M-Bus_Network>") + c.Xml + "</M-Bus_Network>");
    EXPECT_TRUE(read.Complete);
    c.Check(read.Nodes);
  }
}

TEST_F(NetworkFile, ScanExportKeepsItsRegistersThroughTheEditorsSave) {
  const char* exported =
      R"(<M-Bus_Network><Nodo Node_Enable="1" ID="5" ID_Primary="5" ID_Secondary="12345678" Node_ID_Type="1" )"
      R"(Descrizione="ACW" Send_SND_NKE="0" Reset_App="0" Cut_After="0" Node_State="100" Ident_Num="101">)"
      R"x(<Variabile Enable="1" Position="1" Desc="Energy (U0S0T0)" Type="0" VIF_ASCII="" Fun_Field="0" Length="0" )x"
      R"(ModReg="103" Dim="2" Unit="0" StoNumber="0" Tariff="0" VIFE="0" ModScale="0" BCDtoINT="0" SWAP="0"/>)"
      R"(</Nodo></M-Bus_Network>)";
  const TNodi_List nodes = Parse_MBus_Network(exported).Nodes;
  const TNodi_List again = Parse_MBus_Network(MBus_Network_Xml(nodes)).Nodes;
  ASSERT_EQ(again.size(), 1u);
  EXPECT_EQ(again[0].Node_Sec, 12345678);
  EXPECT_EQ(again[0].Node_Pri, 5);
  EXPECT_EQ(again[0].Node_State, 100);
  EXPECT_EQ(again[0].Var_List.at(0).PositionData, 103);
  EXPECT_EQ(again, nodes);
}

TEST_F(NetworkFile, BadInputsReportAndMarkTheLoadIncomplete) {
  const TNetworkRead broken = Parse_MBus_Network("<M-Bus_Network><Nodo ID_Primary=\"3\"></M-Bus_Network>");
  EXPECT_FALSE(broken.Complete);
  EXPECT_TRUE(broken.Nodes.empty());
  EXPECT_TRUE(broken.Message.starts_with("Error!! The M-Bus Network file cannot be read: "))
      << broken.Message;

  const TNetworkRead prolog = Parse_MBus_Network(
      "<?xml version=\"1.0\"?><!--saved by hand--><M-Bus_Network><Nodo ID_Primary=\"3\"/></M-Bus_Network>");
  EXPECT_TRUE(prolog.Complete);
  ASSERT_EQ(prolog.Nodes.size(), 1u);
  EXPECT_EQ(prolog.Nodes[0].Node_Pri, 3);

  const TNetworkRead cut = Parse_MBus_Network(
      R"(<M-Bus_Network><Nodo Descrizione="A"><Variabile Type="1" Fun_Field="0" Dim="0" Desc="one"/>)"
      R"(<Variabile Type="1" Fun_Field="0" Dim="0" Desc="two"/><Variabile Fun_Field="0" Dim="0" Desc="three"/>)"
      R"(<Variabile Type="1" Fun_Field="0" Dim="0" Desc="four"/></Nodo><Nodo Descrizione="B"/></M-Bus_Network>)");
  EXPECT_FALSE(cut.Complete);
  ASSERT_EQ(cut.Nodes.size(), 1u);
  ASSERT_EQ(cut.Nodes[0].Var_List.size(), 2u);
  EXPECT_EQ(cut.Nodes[0].Var_List[1].Description, "two");
  EXPECT_EQ(cut.Message,
            "Error!! The M-Bus Network file was read only up to the element \"Variabile\" 3 of node 1: "
            "its attribute \"Type\" is missing or not a number");

  const TNetworkRead badDim = Parse_MBus_Network(
      R"(<M-Bus_Network><Nodo><Variabile Type="1" Fun_Field="0" Dim="two"/></Nodo></M-Bus_Network>)");
  EXPECT_FALSE(badDim.Complete);
  EXPECT_NE(badDim.Message.find("\"Dim\""), std::string::npos);
}

TEST_F(NetworkFile, UnwritableFolderLeavesTheOldFile) {
  Dir.MakeDir("cfg");
  const std::string path = Dir.Write("cfg/M_Bus.xml", "old");
  Dir.SetReadOnly("cfg", true);
  const bool refused = RunUnprivileged(Dir, [&] {
    TWriteResult r = Write_MBus_Network(path, Two_Nodes());
    return !r.Ok && r.Error.starts_with("Error!! The M-Bus Network file cannot be saved: ");
  });
  Dir.SetReadOnly("cfg", false);
  EXPECT_TRUE(refused);
  EXPECT_EQ(Dir.Read("cfg/M_Bus.xml"), "old");
  EXPECT_EQ(Dir.Entries("cfg"), std::vector<std::string>{"M_Bus.xml"});
}

TEST(NetworkValueLists, SizesAndTheTextsAsWritten) {
  EXPECT_EQ(Type_Of_Data_Texts().size(), 26u);
  EXPECT_EQ(Function_Field_Texts().size(), 4u);
  EXPECT_EQ(Dimension_Texts().size(), 8u);
  EXPECT_EQ(Post_Operation_Texts().size(), 13u);
  ASSERT_EQ(VIFE_Texts().size(), 152u);
  EXPECT_EQ(Type_Of_Data_Texts()[17], "Averaging Duration ");
  EXPECT_EQ(Type_Of_Data_Texts()[19], "Type of  Data in VIFE");
  EXPECT_EQ(Function_Field_Texts()[1], "Minimun Value");
  EXPECT_EQ(Post_Operation_Texts()[1], " : 10");
  EXPECT_EQ(VIFE_Texts()[68], "Cold/Worm Temperature Limit °C");
  EXPECT_EQ(VIFE_Texts()[151], "Overflow values");
}

} // namespace
