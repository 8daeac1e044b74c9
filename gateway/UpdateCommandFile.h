// The command file Ethernet_Update.xml that tells the maker's updater what to write into the device.
#pragma once

#include "gateway/GatewayResult.h"
#include "platform/Xml.h"

#include <string>

// What the update dialog hands over. Folders without a trailing separator.
struct TUpdateCommand {
  std::string IP_Address; // the four octet boxes joined with "." as typed
  int Update_Option = 0;  // 0 firmware + configuration, 1 firmware, 2 configuration
  bool Read_Back = true;
  std::string SW_Code = "SWZ9K59";
  std::string Master_Dir;   // holds the firmware file
  std::string Project_Path; // the configuration folder with its bin folder
};

// Whether the option writes the firmware, and the firmware file it names.
bool Updates_Firmware(int updateOption);
std::string Firmware_Path(const TUpdateCommand& command);

void Build_Update_Command(const TUpdateCommand& command, TXmlDocument& doc);
// Writes <programDir>/Ethernet_Update.xml.
TGatewayResult Compile_XML_Parameter_New_Boot(const std::string& programDir, const TUpdateCommand& command);
std::string Update_Command_Path(const std::string& programDir);
