// The settings file Velmaric.xml beside the executable: last configuration, device address,
// language and the four option flags.
#pragma once

#include <string>

// Program_Dir + "/Velmaric.xml".
std::string Setting_File_Name();

// Reads the settings file into Project_Name, Last_IP_Address, Language_Name and the four option
// flags. Every value missing from the file (or the whole file missing or unreadable) takes its
// default. False only when the file exists but cannot be read or parsed.
bool Load_Setting();

// Writes the settings file whole or not at all. A failure is shown as an error message and leaves
// the old file as it was; the result says whether the file was written.
bool Save_Setting();
