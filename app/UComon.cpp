#include "app/UComon.h"

#include "platform/Files.h"

#include <utility>

std::string Program_Dir;
std::string Master_Dir;
std::string Projects_Dir;
std::string Language_Dir;

std::string Project_Name;
std::string Project_Path;

std::string SW_Title;
std::string SW_Code;
std::string SW_Desc;

std::string Last_IP_Address = Default_IP_Address;
std::int32_t Last_Update_Option = 0;
bool Last_Read_Back = true;
std::string Language_Name = Default_Language_Name;

bool Opt_Enable_Internet = false;
bool Opt_Enable_Update = false;
bool Opt_Jump_Field_Tables = false;
bool Opt_Double_Click_Auto_Size = false;

std::string EDE_Import_Dir;

std::string FileName_ParGen;
std::string FileName_LoRaWAN_SetAccess;
std::string FileName_BACnet_Master_Access;
std::string FileName_BACnet_Slave_SetAccess;
std::string FileName_M_Bus;
std::string FileName_ModbusM_SetAccess;
std::string FileName_ModbusTCPM_SetAccess;
std::string FileName_CAN_Rec_Frames;
std::string FileName_CAN_Send_Frames;
std::string FileName_PDO_CANopen;
std::string FileName_SDO_Client_CANopen;
std::string FileName_SDO_Server_CANopen;
std::string FileName_DNETM_Net;
std::string FileName_DNETM_DefOff;
std::string FileName_DMX_Default_Values;
std::string FileName_EtherNetIP_Master_Rules;
std::string FileName_J1939_Rec_Frames;
std::string FileName_J1939_Send_Frames;
std::string FileName_KNX_SetAccess;
std::string FileName_NMEA_Rec_Frames;
std::string FileName_NMEA_Send_Frames;
std::string FileName_IEC_61850_Client;
std::string FileName_TLS_Known_Cert;
std::string FileName_IEC61850_Variables;
std::string FileName_MQTT_Set_Topic;
std::string FileName_OPC_UA_Client;
std::string FileName_OPC_UA_Server;
std::string FileName_S7_Protocol;
std::string FileName_SNMP_Manager;
std::string FileName_SNMP_Trap;

std::vector<std::string> Row_Clipboard;
std::vector<bool> Clipboard_CheckBox_Cols;

std::vector<std::string> List_MIB_Read;
std::vector<std::string> List_MIB_Write;

namespace {

struct TTableFile {
  std::string* Path;
  const char* Name;
};

const TTableFile Table_Files[] = {
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

} // namespace

void Reset_Shared_State() {
  Program_Dir.clear();
  Master_Dir.clear();
  Projects_Dir.clear();
  Language_Dir.clear();
  Project_Name.clear();
  Project_Path.clear();
  SW_Title.clear();
  SW_Code.clear();
  SW_Desc.clear();
  Last_IP_Address = Default_IP_Address;
  Last_Update_Option = 0;
  Last_Read_Back = true;
  Language_Name = Default_Language_Name;
  Opt_Enable_Internet = false;
  Opt_Enable_Update = false;
  Opt_Jump_Field_Tables = false;
  Opt_Double_Click_Auto_Size = false;
  EDE_Import_Dir.clear();
  for (const TTableFile& file : Table_Files)
    file.Path->clear();
  Row_Clipboard.clear();
  Clipboard_CheckBox_Cols.clear();
  List_MIB_Read.clear();
  List_MIB_Write.clear();
}

void Set_Program_Folders(const std::string& programDir) {
  Program_Dir = programDir;
  Master_Dir = JoinPath(Program_Dir, "MASTER");
  Projects_Dir = JoinPath(Program_Dir, "PROJECTS");
  Language_Dir = JoinPath(Program_Dir, "LANGUAGE");
  for (const std::string* folder : {&Master_Dir, &Projects_Dir, &Language_Dir})
    if (!DirectoryExists(*folder)) CreateDir(*folder);
}

void Set_Model_Identity() {
  SW_Title = Build_SW_Title;
  SW_Code = Build_SW_Code;
  SW_Desc = Build_SW_Desc;
}

void Open_Last_Project() {
  Project_Path.clear();
  if (!IsSafeFileName(Project_Name)) return;
  std::string folder = JoinPath(Projects_Dir, Project_Name);
  if (DirectoryExists(folder)) Project_Path = std::move(folder);
}

void Set_Files() {
  // Without an open configuration a bare file name would point into the current or root folder.
  for (const TTableFile& file : Table_Files)
    *file.Path = Project_Path.empty() ? std::string() : JoinPath(Project_Path, file.Name);
}

int Get_BACnet_EngUnit(std::uint16_t, std::uint32_t) {
  return 95;
}

int Get_ScanDecode_Form_Type() {
  return 0;
}

int Get_XML_Code_Dev() {
  return 0;
}
