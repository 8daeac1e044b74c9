#include "app/StartUp.h"
#include "app/UComon.h"
#include "app/ULanguage.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class SharedStateTest : public testing::Test {
protected:
  void SetUp() override { Reset_Shared_State(); }
  void TearDown() override { Reset_Shared_State(); }
  TTempDir Dir;
};

TEST_F(SharedStateTest, ResetGivesTheStartValues) {
  Program_Dir = Projects_Dir = Project_Name = Project_Path = SW_Code = EDE_Import_Dir = "x";
  Last_IP_Address = "1.1.1.1";
  Language_Name = "Deutsch";
  Last_Update_Option = 2;
  Last_Read_Back = false;
  Opt_Enable_Internet = Opt_Enable_Update = Opt_Jump_Field_Tables = Opt_Double_Click_Auto_Size = true;
  FileName_SNMP_Trap = "x";
  Row_Clipboard = {"a"};
  Clipboard_CheckBox_Cols = {true};

  Reset_Shared_State();
  EXPECT_EQ(Program_Dir, "");
  EXPECT_EQ(Projects_Dir, "");
  EXPECT_EQ(Project_Name, "");
  EXPECT_EQ(Project_Path, "");
  EXPECT_EQ(SW_Code, "");
  EXPECT_EQ(EDE_Import_Dir, "");
  EXPECT_EQ(Last_IP_Address, "192.168.2.205");
  EXPECT_EQ(Language_Name, "English");
  EXPECT_EQ(Last_Update_Option, 0);
  EXPECT_TRUE(Last_Read_Back);
  EXPECT_FALSE(Opt_Enable_Internet || Opt_Enable_Update || Opt_Jump_Field_Tables ||
               Opt_Double_Click_Auto_Size);
  EXPECT_EQ(FileName_SNMP_Trap, "");
  EXPECT_TRUE(Row_Clipboard.empty());
  EXPECT_TRUE(Clipboard_CheckBox_Cols.empty());
}

struct TTableFileCase {
  std::string* Path;
  const char* Name;
};

TEST_F(SharedStateTest, TableFilesLieInTheOpenConfiguration) {
  const TTableFileCase files[] = {
      {&FileName_ParGen, "ParGen.xml"},
      {&FileName_LoRaWAN_SetAccess, "LoRaWAN_SetAccess.xml"},
      {&FileName_BACnet_Master_Access, "BACnet_Master_Access.xml"},
      {&FileName_BACnet_Slave_SetAccess, "BACnet_Slave_SetAccess.xml"},
      {&FileName_M_Bus, "M_Bus.xml"},
      {&FileName_ModbusM_SetAccess, "ModbusM_SetAccess.xml"},
      {&FileName_ModbusTCPM_SetAccess, "ModbusTCPM_SetAccess.xml"},
      {&FileName_CAN_Rec_Frames, "CAN_Rec_Frames.xml"},
      {&FileName_CAN_Send_Frames, "CAN_Send_Frames.xml"},
      {&FileName_PDO_CANopen, "PDO_CANopen.xml"},
      {&FileName_SDO_Client_CANopen, "SDO_Client_CANopen.xml"},
      {&FileName_SDO_Server_CANopen, "SDO_Server_CANopen.xml"},
      {&FileName_DNETM_Net, "DNETM_Net.xml"},
      {&FileName_DNETM_DefOff, "DNETM_DefOff.xml"},
      {&FileName_DMX_Default_Values, "DMX_Default_Values.xml"},
      {&FileName_EtherNetIP_Master_Rules, "EtherNetIP_Master_Rules.xml"},
      {&FileName_J1939_Rec_Frames, "J1939_Rec_Frames.xml"},
      {&FileName_J1939_Send_Frames, "J1939_Send_Frames.xml"},
      {&FileName_KNX_SetAccess, "KNX_SetAccess.xml"},
      {&FileName_NMEA_Rec_Frames, "NMEA_Rec_Frames.xml"},
      {&FileName_NMEA_Send_Frames, "NMEA_Send_Frames.xml"},
      {&FileName_IEC_61850_Client, "IEC_61850_Client.xml"},
      {&FileName_TLS_Known_Cert, "TLS_Known_Cert.xml"},
      {&FileName_IEC61850_Variables, "IEC61850_Variables.xml"},
      {&FileName_MQTT_Set_Topic, "MQTT_Set_Topic.xml"},
      {&FileName_OPC_UA_Client, "OPC_UA_Client.xml"},
      {&FileName_OPC_UA_Server, "OPC_UA_Server.xml"},
      {&FileName_S7_Protocol, "S7_Protocol.xml"},
      {&FileName_SNMP_Manager, "SNMP_Manager.xml"},
      {&FileName_SNMP_Trap, "SNMP_Trap.xml"},
  };
  Project_Path = "/data/PROJECTS/Plant A";
  Set_Files();
  for (const TTableFileCase& f : files)
    EXPECT_EQ(*f.Path, std::string("/data/PROJECTS/Plant A/") + f.Name);

  // Without an open configuration no path points anywhere.
  Project_Path.clear();
  Set_Files();
  for (const TTableFileCase& f : files)
    EXPECT_EQ(*f.Path, "") << f.Name;
}

TEST_F(SharedStateTest, LastConfigurationOpensOnlyWhenItsFolderExists) {
  Projects_Dir = Dir.MakeDir("PROJECTS");
  Dir.MakeDir("PROJECTS/Plant A");
  Dir.MakeDir("PROJECTS/a/b");
  Dir.MakeDir("Outside");
  Dir.Write("PROJECTS/File", "not a folder");
  struct {
    const char* Name;
    std::string Path;
  } cases[] = {
      {"Plant A", Dir.File("PROJECTS/Plant A")},
      {"", ""},
      {"Gone", ""},
      {"File", ""},
      {"../Outside", ""},
      {"a/b", ""},
      {"..", ""},
  };
  for (const auto& c : cases) {
    Project_Name = c.Name;
    Project_Path = "stale";
    Open_Last_Project();
    EXPECT_EQ(Project_Path, c.Path) << c.Name;
    EXPECT_EQ(Project_Name, c.Name);
  }
}

TEST_F(SharedStateTest, FirstStartInAnEmptyFolder) {
  Prepare_Shared_State(Dir.Path());
  EXPECT_EQ(Program_Dir, Dir.Path());
  EXPECT_EQ(Master_Dir, Dir.File("MASTER"));
  EXPECT_EQ(Projects_Dir, Dir.File("PROJECTS"));
  EXPECT_EQ(Language_Dir, Dir.File("LANGUAGE"));
  EXPECT_EQ(Dir.Entries(), (std::vector<std::string>{"LANGUAGE", "MASTER", "PROJECTS"}));
  EXPECT_EQ(Project_Name, "");
  EXPECT_EQ(Project_Path, "");
  EXPECT_EQ(FileName_ParGen, "");
  EXPECT_EQ(Last_IP_Address, "192.168.2.205");
  EXPECT_EQ(Language_Name, "English");
  EXPECT_FALSE(Opt_Enable_Internet || Opt_Enable_Update || Opt_Jump_Field_Tables ||
               Opt_Double_Click_Auto_Size);
  EXPECT_TRUE(Last_Read_Back);
  EXPECT_EQ(SW_Title, "Ormida - Configurator SWZ9K59 Ethernet / LoRaWAN ");
  EXPECT_EQ(SW_Code, "SWZ9K59");
  EXPECT_EQ(SW_Desc, "Ethernet / LoRaWAN - Converter");
  EXPECT_EQ(Lang_Texts.size(), 6300u);
  EXPECT_EQ(Lang_Text(9), "None Configuration Opened ");
}

TEST_F(SharedStateTest, StartReopensLastConfigurationInChosenLanguage) {
  Dir.MakeDir("PROJECTS/Plant A/bin");
  Dir.MakeDir("MASTER");
  Dir.Write("LANGUAGE/Italiano.lng", "STR0011=\xC2\xB6"
                                     "Configurazione aperta : \xC2\xB6");
  Dir.Write("Velmaric.xml", "<Conf_Settings><lastproj><projectname>Plant A</projectname></lastproj>"
                            "<lastlang><language>Italiano</language></lastlang></Conf_Settings>");
  Prepare_Shared_State(Dir.Path());
  EXPECT_EQ(Project_Path, Dir.File("PROJECTS/Plant A"));
  EXPECT_EQ(FileName_LoRaWAN_SetAccess, Dir.File("PROJECTS/Plant A/LoRaWAN_SetAccess.xml"));
  EXPECT_EQ(Language_Name, "Italiano");
  EXPECT_EQ(Lang_Text(11), "Configurazione aperta : ");
}

TEST(ModelIdentity, ThisBuildsAnswers) {
  EXPECT_STREQ(Build_SW_Code, "SWZ9K59");
  EXPECT_STREQ(Update_SW_Name, "SWZ9K59");
  EXPECT_STREQ(Build_SW_Version, "1.000");
  EXPECT_STREQ(Build_Doc_Code, "MNZ9K59");
  EXPECT_STREQ(Build_Home_Query, "frompg=SWZ9K59");
  EXPECT_STREQ(Build_Download_Anchor, "#HDZ9K59");
  EXPECT_STREQ(Build_Firmware_File, "SimZ9K59.sim");
  for (auto [type, vife] : {std::pair{0, 0u}, {0x12, 0x3Bu}, {0xFFFF, 0xFFFFFFFFu}})
    EXPECT_EQ(Get_BACnet_EngUnit(static_cast<std::uint16_t>(type), vife), 95);
  EXPECT_EQ(Get_ScanDecode_Form_Type(), 0);
}

} // namespace
