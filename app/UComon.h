// Program-wide state that every window reads, and the identity of the device model this build serves.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Model identity, fixed when the program is built.
inline constexpr char Build_SW_Code[] = "SWZ9K59";
inline constexpr char Build_SW_Desc[] = "Ethernet / LoRaWAN - Converter";
inline constexpr char Update_SW_Name[] = "SWZ9K59"; // query value of the version check
inline constexpr char Build_SW_Version[] = "1.000";
inline constexpr char Build_Doc_Code[] = "MNZ9K59"; // the manual
inline constexpr char Build_SW_Title[] = "Ormida - Configurator SWZ9K59 Ethernet / LoRaWAN ";
inline constexpr char Build_Home_Query[] = "frompg=SWZ9K59";
inline constexpr char Build_Download_Anchor[] = "#HDZ9K59";
inline constexpr char Build_Firmware_File[] = "SimZ9K59.sim"; // in Master_Dir

inline constexpr char Default_IP_Address[] = "192.168.2.205";
inline constexpr char Default_Language_Name[] = "English";

// Folders beside the executable, without a trailing separator.
extern std::string Program_Dir;
extern std::string Master_Dir;
extern std::string Projects_Dir;
extern std::string Language_Dir;

// The configuration last opened or created; its name survives even when its folder is gone.
extern std::string Project_Name;
// Folder of the open configuration; empty when none is open.
extern std::string Project_Path;

extern std::string SW_Title;
extern std::string SW_Code;
extern std::string SW_Desc;

extern std::string Last_IP_Address;
extern std::int32_t Last_Update_Option; // 0 firmware and configuration, 1 firmware, 2 configuration
extern bool Last_Read_Back;
extern std::string Language_Name; // language file name without extension

extern bool Opt_Enable_Internet;
extern bool Opt_Enable_Update;
extern bool Opt_Jump_Field_Tables;
extern bool Opt_Double_Click_Auto_Size;

extern std::string EDE_Import_Dir;

// Full paths of the table files of the open configuration; empty while none is open.
extern std::string FileName_ParGen;
extern std::string FileName_LoRaWAN_SetAccess;
extern std::string FileName_BACnet_Master_Access;
extern std::string FileName_BACnet_Slave_SetAccess;
extern std::string FileName_M_Bus;
extern std::string FileName_ModbusM_SetAccess;
extern std::string FileName_ModbusTCPM_SetAccess;
extern std::string FileName_CAN_Rec_Frames;
extern std::string FileName_CAN_Send_Frames;
extern std::string FileName_PDO_CANopen;
extern std::string FileName_SDO_Client_CANopen;
extern std::string FileName_SDO_Server_CANopen;
extern std::string FileName_DNETM_Net;
extern std::string FileName_DNETM_DefOff;
extern std::string FileName_DMX_Default_Values;
extern std::string FileName_EtherNetIP_Master_Rules;
extern std::string FileName_J1939_Rec_Frames;
extern std::string FileName_J1939_Send_Frames;
extern std::string FileName_KNX_SetAccess;
extern std::string FileName_NMEA_Rec_Frames;
extern std::string FileName_NMEA_Send_Frames;
extern std::string FileName_IEC_61850_Client;
extern std::string FileName_TLS_Known_Cert;
extern std::string FileName_IEC61850_Variables;
extern std::string FileName_MQTT_Set_Topic;
extern std::string FileName_OPC_UA_Client;
extern std::string FileName_OPC_UA_Server;
extern std::string FileName_S7_Protocol;
extern std::string FileName_SNMP_Manager;
extern std::string FileName_SNMP_Trap;

// The cell texts of the last copied grid row, shared by every table editor.
extern std::vector<std::string> Row_Clipboard;
// For each copied column, whether it came from a check-box cell.
extern std::vector<bool> Clipboard_CheckBox_Cols;

// Trap variable descriptions gathered for the MIB writer.
extern std::vector<std::string> List_MIB_Read;
extern std::vector<std::string> List_MIB_Write;

// Puts every variable above back to its start value. The text table is left alone.
void Reset_Shared_State();

// Program_Dir and the three folders beside it; a missing folder is created (one level, a failure
// shows up where the folder is used).
void Set_Program_Folders(const std::string& programDir);
// SW_Title, SW_Code and SW_Desc from the model identity.
void Set_Model_Identity();
// Opens the configuration named by Project_Name when its folder exists; otherwise none is open.
// A name that would leave the configurations folder is never used as a path. Project_Name keeps
// its value either way, so the settings file keeps naming it.
void Open_Last_Project();
// The 30 table-file paths for Project_Path (all empty when no configuration is open).
void Set_Files();

// Per-model answers of this build.
int Get_BACnet_EngUnit(std::uint16_t type_data, std::uint32_t Type_Data_Vife); // 95: no units
int Get_ScanDecode_Form_Type();                                                // 0: wired scan
int Get_XML_Code_Dev(); // the device family of the scan window: 0 in this build
