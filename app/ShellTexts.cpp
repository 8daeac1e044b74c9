#include "app/ShellTexts.h"

TTextBlock MainWindowTexts() {
  static constexpr TDefaultText Texts[] = {
      {0, "Begin"},
      {1, "Step 1"},
      {2, "Step 2"},
      {3, "Step 3"},
      {4, "Step 4"},
      {5, "Step 5"},
      {6, "Step 6"},
      {7, "Step 7"},
      {8, "Step 8"},
      {9, "None Configuration Opened "},
      {10, "Use Step1 to open or create new configuration"},
      {11, "Opened Configuration of the Converter : "},
      {12, "Information"},
      {13, "Options"},
      {14, "Close Configurator"},
      {15, "New Configuration"},
      {16, "Open Configuration"},
      {17, "Update Device UDP"},
      {18, "Error! Project not Valid"},
      {19, "New Version Available. Click Here for more Details"},
      {20, "Set Communication"},
      {21, "Set LoRaWAN Access"},
      {22, "Create a new configuration for the device"},
      {23, "Open an exists configuration"},
      {24, "Set the main parameters of Protocols"},
      {25, "Set the Rules in Uplink and Downlink for LoRaWAN"},
      {26, "Update the actual Firmware and/or Configuration in the device"},
      {27, "Set BACnet Access"},
      {30, "Error in configuration, Num. Byte not conformed with Max Payload Size"},
      {35, "M_Bus network configuration already exists for this configuration. Do you want to continue?"},
      {84, "SNMP MIB"},
      {85, "Create the SNMP MIB for Actual Configuration"},
      {Text_Settings_Not_Saved, "Error! Settings not saved"},
      {Text_Images_Not_Built, "Error!! The device images are not built: %s"},
      {Text_Folder_Not_Created, "Error!! The folder %s cannot be created"},
      {Text_File_Not_Written, "Error!! The file %s cannot be written: %s"},
      {Text_Configuration_Unreadable, "Error!! The configuration cannot be read: %s"},
      {Text_Configuration_Missing, "Error!! The folder of the configuration is missing: %s"},
  };
  return Texts;
}

TTextBlock NewProjectTexts() {
  static constexpr TDefaultText Texts[] = {
      {100, "Create New Configuration"},
      {101, "Create New Configuration"},
      {102, "Name of the new Configuration"},
      {103, "OK"},
      {104, "Cancel"},
      {105, "Error! Name project is not valid"},
      {106, "Error! Name project is not valid because directory already exists"},
      {107, "Error! Name Project is not valid"},
      {108, "Insert here the name of new configuration"},
      {109, "Confirm the Name of new Configuration"},
      {110, "Cancel the New Configuration"},
  };
  return Texts;
}

TTextBlock OpenConfTexts() {
  static constexpr TDefaultText Texts[] = {
      {200, "Open Configuration"},
      {201, "Open an Existing Configuration"},
      {202, "List of Avaliable Configurations"},
      {203, "OK"},
      {204, "Cancel"},
      {205, "Select from this list the configuration to open"},
      {206, "Open the Selected Configuration"},
      {207, "Cancel open of Configuration"},
  };
  return Texts;
}

TTextBlock SoftOptionsTexts() {
  static constexpr TDefaultText Texts[] = {
      {300, "Software Options"},
      {301, "Software Options"},
      {302, "Language"},
      {303, "Connection Options"},
      {304, "Selected Language : "},
      {305, "Page "},
      {306, " / "},
      {307, "Previous"},
      {308, "Next"},
      {309, "Enable Internet Connection"},
      {310, "Check Software Update at Start of Program"},
      {311, "Check Available Update"},
      {312, "OK"},
      {313, "Cancel"},
      {314, "New Version Available. Click Here for more Details"},
      {315, "No Update Available"},
      {316, "Do you want to change the Language from "},
      {317, " to "},
      {318, "?"},
      {319, "Software Settings"},
      {320, "Jump into next field in the tables by pressing the Enter Key"},
      {321, "Enable Auto Size of Table Columns by Double Click"},
      {Text_Update_Check_Failed, "Update Check not Possible. Check the Internet Connection"},
  };
  return Texts;
}

TTextBlock RowRoutineTexts() {
  static constexpr TDefaultText Texts[] = {
      {1100, "Row Already used. Do you want to overwrite the values?"},
      {1101, "Error in the Copy values!!! Copy a valid row before Paste it"},
      {1102, "Error!!! Copy a valid row before Paste it"},
      {1106, "Error!!! The table is full. Delete a row before Insert a new one"},
  };
  return Texts;
}
