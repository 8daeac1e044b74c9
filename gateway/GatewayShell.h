// The gateway steps on the open configuration: thin wrappers that take the paths from the shell's
// program-wide state (app/UComon.h) for the main window and the update dialog.
#pragma once

#include "gateway/SaveBin.h"
#include "gateway/UpdateCommandFile.h"

// A configuration is open and its folder still exists (it may be deleted outside the program).
TGatewayResult Check_Project_Folder();
// FileName_ParGen and FileName_LoRaWAN_SetAccess of the open configuration.
TGatewayResult Check_Config_LoraWAN();
TCompileResult Compile_Bin();
// Into Project_Path/bin.
TGatewayResult Save_Bin(const TDeviceImages& images);

// The command for the updater: firmware from Master_Dir, images from Project_Path, SW_Code.
TUpdateCommand Update_Command(const std::string& ipAddress, int updateOption, bool readBack);
// Writes Program_Dir/Ethernet_Update.xml.
TGatewayResult Compile_XML_Parameter_New_Boot(const TUpdateCommand& command);
