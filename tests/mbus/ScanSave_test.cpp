#include "mbus/DataRecords.h"
#include "mbus/NetworkFile.h"
#include "mbus/ScanResultFile.h"
#include "mbus/ScanSave.h"
#include "mbus/SlaveLists.h"
#include "platform/AtomicFile.h"
#include "platform/Xml.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

TVariable_MBus Record(std::uint8_t dimension, int nbyte = 0) {
  TVariable_MBus v;
  v.dimension = dimension;
  v.nbyte = nbyte;
  v.Desc_Type_Data = "Energy";
  v.device = 1;
  v.storage_number = 2;
  v.tarif = 3;
  v.type_data = 4;
  return v;
}

TSlave_MBus W1() {
  TSlave_MBus s;
  s.Primary_Addresss = 5;
  s.Secondary_Addresss = "12345678";
  s.descManufacture = "ABC";
  s.List_Var = {Record(4), Record(2), Record(1)};
  return s;
}

TSaveConfXML Options(const std::string& file) {
  TSaveConfXML o;
  o.File_Name = file;
  return o;
}

struct TSaved {
  TXmlDocument Doc;
  TXmlNode Root;
  std::vector<TXmlNode> Nodes() const { return Root.Children("Nodo"); }
};

TSaved Load(const std::string& path) {
  TSaved s;
  EXPECT_TRUE(s.Doc.LoadFromFile(path));
  s.Root = s.Doc.DocumentElement();
  return s;
}

std::vector<std::string> ModRegs(TXmlNode nodo) {
  std::vector<std::string> out;
  for (TXmlNode v : nodo.Children("Variabile"))
    out.push_back(v.Attribute("ModReg", "-"));
  return out;
}

// A fake tree: a node pointer to this flag means the record's box is unticked.
bool Unticked = false;
bool Checked(const void* node) {
  return node != &Unticked;
}

} // namespace

TEST(ScanSave, PerNodeStartWithNodeStateAndIdentNumberNumbersAsTheWorkedExample) {
  TTempDir dir;
  TSaveConfXML o = Options(dir.File("M_Bus.xml"));
  o.StartModnode = 1;
  o.SMN_Array = {100};
  o.En_NodeState = o.En_IdeNum = true;
  ASSERT_TRUE(Save_XML_Conf_Wired({W1()}, o, false));
  TSaved saved = Load(o.File_Name);
  EXPECT_EQ(saved.Root.Name(), "M-Bus_Network");
  TXmlNode nodo = saved.Nodes().at(0);
  EXPECT_EQ(nodo.Attribute("Node_State"), "100");
  EXPECT_EQ(nodo.Attribute("Ident_Num"), "101");
  EXPECT_EQ(ModRegs(nodo), (std::vector<std::string>{"103", "105", "106"}));
  std::vector<TXmlNode> vars = nodo.Children("Variabile");
  EXPECT_EQ(vars[0].Attribute("Dim"), "2");
  EXPECT_EQ(vars[1].Attribute("Dim"), "1");
  EXPECT_EQ(vars[2].Attribute("Dim"), "0");
  EXPECT_EQ(vars[0].Attribute("Desc"), "Energy (U1S2T3)");
  EXPECT_EQ(vars[2].Attribute("Position"), "3");
  EXPECT_FALSE(nodo.HasAttribute("MBus_Type"));
}

TEST(ScanSave, UntickedRecordKeepsNextRegisterOnlyWithPerNodeStarts) {
  TSlave_MBus s = W1();
  s.List_Var[1].Node = &Unticked;
  struct TCase {
    int StartModnode;
    std::vector<std::string> Regs;
  };
  for (const TCase& c : {TCase{1, {"1", "3", "3"}}, TCase{0, {"1", "3", "4"}}}) {
    TTempDir dir;
    TSaveConfXML o = Options(dir.File("M_Bus.xml"));
    o.StartModnode = c.StartModnode;
    // No entry for the slave in SMN_Array: it starts at register 1.
    ASSERT_TRUE(Save_XML_Conf_Wired({s}, o, false, Checked));
    const TSaved saved = Load(o.File_Name);
    TXmlNode nodo = saved.Nodes().at(0);
    EXPECT_EQ(ModRegs(nodo), c.Regs) << c.StartModnode;
    EXPECT_EQ(nodo.Children("Variabile")[1].Attribute("Enable"), "0");
    EXPECT_EQ(nodo.Children("Variabile")[0].Attribute("Enable"), "1");
  }
}

TEST(ScanSave, RegistersRunOnFromSlaveToSlaveAndRestartPerNode) {
  TTempDir dir;
  TSaveConfXML o = Options(dir.File("M_Bus.xml"));
  o.Mod_Start = 10;
  TSlave_MBus second = W1();
  second.Primary_Addresss = 200;
  ASSERT_TRUE(Save_XML_Conf_Wired({W1(), second}, o, false));
  EXPECT_EQ(ModRegs(Load(o.File_Name).Nodes().at(1)), (std::vector<std::string>{"14", "16", "17"}));
  o.StartModnode = 1;
  o.SMN_Array = {50, 60};
  ASSERT_TRUE(Save_XML_Conf_Wired({W1(), second}, o, false));
  TSaved saved = Load(o.File_Name);
  EXPECT_EQ(ModRegs(saved.Nodes().at(1)), (std::vector<std::string>{"60", "62", "63"}));
  EXPECT_EQ(saved.Nodes().at(1).Attribute("Node_State"), "0");
}

TEST(ScanSave, DataFieldsGiveDimensionAndRegisters) {
  struct TCase {
    int Dimension, Nbyte, Dim, Registers;
  };
  const TCase cases[] = {{1, 0, 0, 1},  {2, 0, 1, 1},  {3, 0, 4, 2},   {4, 0, 2, 2},   {5, 0, 6, 2},
                         {6, 0, 5, 3},  {7, 0, 3, 4},  {9, 0, 0, 1},   {10, 0, 1, 1},  {11, 0, 4, 2},
                         {12, 0, 2, 2}, {14, 0, 5, 3}, {0, 0, 255, 0}, {8, 0, 255, 0}, {15, 0, 255, 0},
                         {13, 1, 7, 1}, {13, 2, 7, 2}, {13, 3, 7, 2},  {13, 4, 7, 2},  {13, 5, 7, 3},
                         {13, 6, 7, 4}, {13, 8, 7, 4}};
  for (const TCase& c : cases) {
    EXPECT_EQ(Save_Dim_Of(c.Dimension), c.Dim) << c.Dimension;
    EXPECT_EQ(Save_Registers_Of(c.Dimension, c.Nbyte), c.Registers) << c.Dimension << "/" << c.Nbyte;
  }
}

TEST(ScanSave, FunctionFieldLengthAndBcdAttributes) {
  TSlave_MBus s = W1();
  s.List_Var = {Record(13, 4), Record(2), Record(2), Record(2)};
  for (int i = 0; i < 4; ++i)
    s.List_Var[static_cast<std::size_t>(i)].function_fild = static_cast<std::int16_t>(i);
  s.List_Var[1].Is_BCD = true;
  s.List_Var[0].type_data = 21;
  s.List_Var[0].VIF_ASCII = "kWh";
  s.List_Var[1].VIF_ASCII = "kept out";
  TTempDir dir;
  TSaveConfXML o = Options(dir.File("M_Bus.xml"));
  ASSERT_TRUE(Save_XML_Conf_Wired({s}, o, true));
  const TSaved saved = Load(o.File_Name);
  std::vector<TXmlNode> vars = saved.Nodes().at(0).Children("Variabile");
  EXPECT_EQ(vars[0].Attribute("Fun_Field"), "0");
  EXPECT_EQ(vars[1].Attribute("Fun_Field"), "2");
  EXPECT_EQ(vars[2].Attribute("Fun_Field"), "1");
  EXPECT_EQ(vars[3].Attribute("Fun_Field"), "3");
  EXPECT_EQ(vars[0].Attribute("Length"), "4");
  EXPECT_EQ(vars[1].Attribute("Length"), "0");
  EXPECT_EQ(vars[0].Attribute("VIF_ASCII"), "kWh");
  EXPECT_EQ(vars[1].Attribute("VIF_ASCII", "absent"), "");
  EXPECT_EQ(vars[1].Attribute("BCDtoINT"), "1");
  EXPECT_EQ(vars[2].Attribute("BCDtoINT"), "0");
  EXPECT_EQ(vars[0].Attribute("ModScale"), "0");
  EXPECT_EQ(vars[0].Attribute("SWAP"), "0");
}

TEST(ScanSave, CodeFourGroupsNodesAndCodeTwelveWritesBacnetWithoutRegisters) {
  TTempDir dir;
  TSaveConfXML o = Options(dir.File("M_Bus.xml"));
  o.XML_Code_Dev = 4;
  o.Index_Baud = 3;
  o.Index_Par = 1;
  ASSERT_TRUE(Save_XML_Conf_Wired({W1(), W1()}, o, false));
  {
    TSaved saved = Load(o.File_Name);
    ASSERT_EQ(saved.Root.Children().size(), 1u);
    TXmlNode group = saved.Root.Child("Group");
    EXPECT_EQ(group.Attribute("Baudrate"), "3");
    EXPECT_EQ(group.Attribute("Parity"), "1");
    ASSERT_EQ(group.Children("Nodo").size(), 2u);
    EXPECT_EQ(group.Children("Nodo")[0].Attribute("ID"), "5");
    EXPECT_EQ(group.Children("Nodo")[0].Attribute("Secondary_address"), "12345678");
  }
  o.XML_Code_Dev = 12;
  o.StartModnode = 1;
  o.En_NodeState = true;
  ASSERT_TRUE(Save_XML_Conf_Wired({W1()}, o, false));
  TSaved saved = Load(o.File_Name);
  EXPECT_TRUE(saved.Root.Child("Group").IsNull());
  TXmlNode nodo = saved.Nodes().at(0);
  EXPECT_EQ(nodo.Attribute("MBus_Type"), "1");
  EXPECT_EQ(nodo.Attribute("Node_State"), "0");
  EXPECT_EQ(nodo.Attribute("IN_VarType"), "0");
  TXmlNode v = nodo.Child("Variabile");
  EXPECT_FALSE(v.HasAttribute("ModReg"));
  EXPECT_FALSE(v.HasAttribute("ModScale"));
  EXPECT_EQ(v.Attribute("BACnet_EngUnits"), "95");
  EXPECT_EQ(v.Attribute("BACnet_DataType"), "0");
  EXPECT_EQ(v.Attribute("Post_Operation"), "0");
}

TEST(ScanSave, AppendAddsAfterExistingNodesAndRefusesAnUnparsableFile) {
  TTempDir dir;
  const std::string existing = "<M-Bus_Network>\n\t<Nodo Node_Enable=\"1\" />\n</M-Bus_Network>\n";
  TSaveConfXML o = Options(dir.Write("M_Bus.xml", existing));
  o.Append = 1;
  o.Mod_Start = 40;
  ASSERT_TRUE(Save_XML_Conf_Wired({W1()}, o, false));
  TSaved saved = Load(o.File_Name);
  ASSERT_EQ(saved.Nodes().size(), 2u);
  EXPECT_EQ(ModRegs(saved.Nodes()[1]).front(), "40");

  const std::string broken = "<M-Bus_Network><Nodo></M-Bus_Network>";
  dir.Write("M_Bus.xml", broken);
  TSaveConfResult result = Save_XML_Conf_Wired({W1()}, o, false);
  EXPECT_FALSE(result);
  EXPECT_FALSE(result.Error.empty());
  EXPECT_EQ(dir.Read("M_Bus.xml"), broken);
  EXPECT_EQ(dir.Entries().size(), 1u);
}

TEST(ScanSave, NoSlavesWritesNothingAndAnUnwritableFolderIsReported) {
  TTempDir dir;
  TSaveConfXML o = Options(dir.File("M_Bus.xml"));
  TSaveConfResult none = Save_XML_Conf_Wired({}, o, false);
  EXPECT_FALSE(none);
  EXPECT_TRUE(none.Error.empty());
  EXPECT_FALSE(dir.Exists("M_Bus.xml"));
  o.File_Name = dir.File("missing/M_Bus.xml");
  TSaveConfResult failed = Save_XML_Conf_Wired({W1()}, o, false);
  EXPECT_FALSE(failed);
  EXPECT_FALSE(failed.Error.empty());
}

TEST(ScanSave, WirelessWritesRealRecordsAtTheirPositionsWithUnsignedAddress) {
  TSlave_wMBus s;
  s.ALA_Manu_str = "KAM";
  s.ALA_Manufacturer = 0x2C2D;
  s.ALA_Address = static_cast<std::int32_t>(0x87654321u);
  s.ALA_Version = 27;
  s.ALA_DeviceType = 22;
  s.Enable_Key = true;
  s.Key[0] = 0xAB;
  s.Key[15] = 7;
  s.List_Var = {Record(2), Record(2), Record(4), Record(2), Record(1)};
  for (std::size_t i = 2; i < 5; ++i)
    s.List_Var[i].Real_Wireless_Var = true;
  s.List_Var[3].Enable = false;
  TTempDir dir;
  TSaveConfXML o = Options(dir.File("M_Bus.xml"));
  o.StartModnode = 1;
  o.SMN_Array = {20};
  o.En_NodeState = o.En_IdeNum = true;
  ASSERT_TRUE(Save_XML_Conf_Wireless({s}, o, false));
  const TSaved saved = Load(o.File_Name);
  TXmlNode nodo = saved.Nodes().at(0);
  EXPECT_EQ(nodo.Attribute("MBus_Type"), "0");
  EXPECT_EQ(nodo.Attribute("Descrizione"), "KAM");
  EXPECT_EQ(nodo.Attribute("ID_Primary"), "1");
  EXPECT_EQ(nodo.Attribute("wMBus_ManID"), "11309");
  EXPECT_EQ(nodo.Attribute("wMBus_Add"), "2271560481");
  EXPECT_EQ(nodo.Attribute("wMBus_Ver"), "27");
  EXPECT_EQ(nodo.Attribute("wMBus_DevType"), "22");
  EXPECT_EQ(nodo.Attribute("wMBus_En_Key"), "1");
  EXPECT_EQ(nodo.Attribute("wMBus_Key_1"), "171");
  EXPECT_EQ(nodo.Attribute("wMBus_Key_16"), "7");
  // Node state takes two registers, the identification number one.
  EXPECT_EQ(nodo.Attribute("Node_State"), "20");
  EXPECT_EQ(nodo.Attribute("Ident_Num"), "22");
  std::vector<TXmlNode> vars = nodo.Children("Variabile");
  ASSERT_EQ(vars.size(), 3u);
  EXPECT_EQ(vars[0].Attribute("Position"), "3");
  EXPECT_EQ(vars[1].Attribute("Position"), "4");
  EXPECT_EQ(vars[2].Attribute("Position"), "5");
  EXPECT_EQ(vars[1].Attribute("Enable"), "0");
  EXPECT_EQ(ModRegs(nodo), (std::vector<std::string>{"23", "25", "25"}));
}

TEST(ScanResultFile, WiredAndWirelessFilesNameEveryRecord) {
  TTempDir dir;
  TSlave_MBus s = W1();
  s.Manufacture = 1234;
  s.Version = 3;
  s.Medium = 7;
  s.List_Var.resize(1);
  s.List_Var[0].VIF = 0x0B;
  s.List_Var[0].totdati = "1234";
  s.List_Var[0].ValueStr = "12.34";
  ASSERT_TRUE(Save_XML_File_DLL(dir.File("wired.xml"), {s}));
  TSaved wired = Load(dir.File("wired.xml"));
  EXPECT_EQ(wired.Root.Name(), "SCAN_M-Bus_Wired");
  TXmlNode node = wired.Root.Child("Node");
  EXPECT_EQ(node.Attribute("Manufacturer"), "ABC (1234)");
  EXPECT_EQ(node.Attribute("Type"), "7");
  TXmlNode var = node.Child("Variable");
  EXPECT_EQ(var.Attribute("UST"), "(U1S2T3)");
  std::vector<std::string> names;
  for (TXmlNode c : var.Children())
    names.push_back(c.Name());
  EXPECT_EQ(names,
            (std::vector<std::string>{"Storage_Number", "Tariff", "Unit", "Data_Field", "Function_Field",
                                      "Type", "Value", "DIF", "VIF", "DIFE", "VIFE", "DATA"}));
  EXPECT_EQ(var.ChildText("VIF"), "$0B");
  EXPECT_EQ(var.ChildText("DATA"), "$1234");

  TSlave_wMBus w;
  w.ALA_Address = static_cast<std::int32_t>(0x80000001u);
  w.Cripted = true;
  ASSERT_TRUE(Save_Wireless_XML_File_DLL(dir.File("wireless.xml"), {w}));
  const TSaved wireless = Load(dir.File("wireless.xml"));
  TXmlNode wnode = wireless.Root.Child("Node");
  EXPECT_EQ(wnode.Attribute("Address"), "80000001");
  EXPECT_EQ(wnode.Attribute("Cripted"), "True");
  EXPECT_FALSE(Save_XML_File_DLL(dir.File("none/x.xml"), {s}));
}

TEST(ScanSave, PerNodeGridCaptionsShowWirelessAddressesUnsigned) {
  TSlave_wMBus w;
  w.ALA_Address = static_cast<std::int32_t>(0x80000000u);
  EXPECT_EQ(Start_Add_Captions(std::vector<TSlave_wMBus>{w}), std::vector<std::string>{"2147483648"});
  EXPECT_EQ(Start_Add_Captions(std::vector<TSlave_MBus>{W1()}), std::vector<std::string>{"5 - 12345678"});
}

TEST(ScanResultFile, EngineWriterTakesTheListOfTheScansKind) {
  TTempDir dir;
  List_Slave_MBus().Locked([](std::vector<TSlave_MBus>& list) { list = {W1()}; });
  List_Slave_wMBus().Locked([](std::vector<TSlave_wMBus>& list) { list = {TSlave_wMBus{}, TSlave_wMBus{}}; });
  Write_Scan_Result_File(dir.File("wired.xml"), TMBusType::mtWired);
  Write_Scan_Result_File(dir.File("wireless.xml"), TMBusType::mtWireless);
  List_Slave_MBus().Clear();
  List_Slave_wMBus().Clear();
  EXPECT_EQ(Load(dir.File("wired.xml")).Root.Child("Node").Attribute("Primary_Address"), "5");
  TSaved wireless = Load(dir.File("wireless.xml"));
  EXPECT_EQ(wireless.Root.Name(), "SCAN_M-Bus_Wireless");
  EXPECT_EQ(wireless.Root.Children("Node").size(), 2u);
}

// The whole file, written out by hand from the attribute tables, so the order of attributes counts.
TEST(ScanSave, WiredFileMatchesTheHandWrittenFixture) {
  TTempDir dir;
  TSaveConfXML o = Options(dir.File("M_Bus.xml"));
  o.StartModnode = 1;
  o.SMN_Array = {100};
  o.En_NodeState = o.En_IdeNum = true;
  TSlave_MBus s = W1();
  s.List_Var.resize(1);
  ASSERT_TRUE(Save_XML_Conf_Wired({s}, o, false));
  const std::string expected =
      "<M-Bus_Network>\n"
      "\t<Nodo Node_Enable=\"1\" ID_Primary=\"5\" ID_Secondary=\"12345678\" Node_ID_Type=\"0\" "
      "Descrizione=\"ABC\" Send_SND_NKE=\"0\" Reset_App=\"0\" Cut_After=\"3\" Node_State=\"100\" "
      "Ident_Num=\"101\">\n"
      "\t\t<Variabile Enable=\"1\" Position=\"1\" Desc=\"Energy (U1S2T3)\" Type=\"4\" VIF_ASCII=\"\" "
      "Fun_Field=\"0\" Length=\"0\" ModReg=\"103\" Dim=\"2\" Unit=\"1\" StoNumber=\"2\" Tariff=\"3\" "
      "VIFE=\"0\" ModScale=\"0\" BCDtoINT=\"0\" SWAP=\"0\" />\n"
      "\t</Nodo>\n"
      "</M-Bus_Network>\n";
  EXPECT_EQ(dir.Read("M_Bus.xml"), expected);
}

// What the export writes, the network editor reads back whole.
TEST(ScanSave, NetworkReaderTakesTheWirelessExportWhole) {
  TSlave_wMBus s;
  s.ALA_Address = static_cast<std::int32_t>(0x80000000u);
  s.List_Var = {Record(2), Record(4)};
  s.List_Var[1].Real_Wireless_Var = true;
  TTempDir dir;
  TSaveConfXML o = Options(dir.File("M_Bus.xml"));
  ASSERT_TRUE(Save_XML_Conf_Wireless({s, s}, o, false));
  TNetworkRead read = Read_MBus_Network(o.File_Name);
  EXPECT_TRUE(read.Complete) << read.Message;
  ASSERT_EQ(read.Nodes.size(), 2u);
  EXPECT_EQ(read.Nodes[0].MBus_Type, 0);
  EXPECT_EQ(read.Nodes[0].wMBus_Add, "2147483648");
  ASSERT_EQ(read.Nodes[1].Var_List.size(), 1u);
  EXPECT_EQ(read.Nodes[1].Var_List[0].Position, 2);
  EXPECT_EQ(read.Nodes[1].Var_List[0].PositionData, 3);
}
