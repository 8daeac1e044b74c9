// Built-in English texts of the shell's windows and shared messages.
#pragma once

#include "app/DefaultTexts.h"

TTextBlock MainWindowTexts();  // 0 .. 99: main window
TTextBlock NewProjectTexts();  // 100 .. 199: New Configuration dialog
TTextBlock OpenConfTexts();    // 200 .. 299: Open Configuration dialog
TTextBlock SoftOptionsTexts(); // 300 .. 399: options window
TTextBlock RowRoutineTexts();  // 1100 .. 1106: messages of the shared row routines

// Messages of the main window's steps that other units show too.
constexpr int Text_Project_Not_Valid = 18;
constexpr int Text_Config_NumByte_Error = 30;

// Spare numbers of the main window's block for the failures its steps report.
constexpr int Text_Settings_Not_Saved = 86;
constexpr int Text_Images_Not_Built = 87;         // "%s": what was refused
constexpr int Text_Folder_Not_Created = 88;       // "%s": the folder
constexpr int Text_File_Not_Written = 89;         // "%s": the file, then the reason
constexpr int Text_Configuration_Unreadable = 90; // "%s": the parser's reason
constexpr int Text_Configuration_Missing = 91;    // "%s": the configuration's folder
// The options window's version check got no answer.
constexpr int Text_Update_Check_Failed = 322;
