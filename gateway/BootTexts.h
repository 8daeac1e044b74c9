// Built-in English texts of the device update dialog and the numbers its code uses.
#pragma once

#include "app/DefaultTexts.h"

TTextBlock BootTexts();

// Caption and description by transport: serial, Ethernet (UDP), USB.
constexpr int Txt_Boot_Caption_Serial = 1000;
constexpr int Txt_Boot_Caption_Ethernet = 1002;
constexpr int Txt_Boot_Caption_USB = 1004;
constexpr int Txt_Boot_IP_Address = 1006;
constexpr int Txt_Boot_List_Device = 1009;
constexpr int Txt_Boot_Search = 1010;
constexpr int Txt_Boot_Device_IP = 1011;
constexpr int Txt_Boot_Device_MAC = 1012;
constexpr int Txt_Boot_Find_All = 1013;
constexpr int Txt_Boot_Update_Option = 1014;
constexpr int Txt_Boot_Option_First = 1015; // .. 1017, the three update options
constexpr int Txt_Boot_Read_Back = 1018;
constexpr int Txt_Boot_Cancel = 1019;
constexpr int Txt_Boot_Update = 1020;
constexpr int Txt_Boot_Hint_IP1 = 1021; // .. 1024
constexpr int Txt_Boot_Hint_Search = 1029;
constexpr int Txt_Boot_Hint_List_Devices = 1030;
constexpr int Txt_Boot_Hint_Find_All = 1031;
constexpr int Txt_Boot_Hint_Options = 1032;
constexpr int Txt_Boot_Hint_Read_Back = 1033;
constexpr int Txt_Boot_Hint_Cancel = 1034;
constexpr int Txt_Boot_Hint_Update = 1035;
constexpr int Txt_Boot_Device_Not_Found = 1036;
constexpr int Txt_Boot_Check_IP = 1037;
// The computer cannot send echo requests at all; "%s" takes the reason.
constexpr int Txt_Boot_No_Echo = 1038;
// The updater could not be started; "%s" the program file, then the reason.
constexpr int Txt_Boot_Updater_Not_Started = 1039;
// The updater's command file could not be written; "%s" the file, then the reason.
constexpr int Txt_Boot_Command_Not_Written = 1040;
// The updater or the firmware file it is to write is not there; "%s" the file.
constexpr int Txt_Boot_Updater_Missing = 1041;
constexpr int Txt_Boot_Firmware_Missing = 1042;
