// Built-in English texts of the communication-parameters window and the numbers its code uses.
#pragma once

#include "app/DefaultTexts.h"

TTextBlock ParGenTexts();

// Messages of the parameter checks.
constexpr int Txt_Error_Pri_DNS1 = 2925; // .. 2928 for the four octets
constexpr int Txt_Error_Sec_DNS1 = 2929; // .. 2932
constexpr int Txt_Error_RF_Band = 493;
constexpr int Txt_Error_Network_Type = 494;
constexpr int Txt_Error_DataRate = 495;
constexpr int Txt_Error_Transmission_Type = 496;
constexpr int Txt_Error_Payload_Size = 497; // "%d" takes the maximum
constexpr int Txt_Error_Activation_Method = 499;
constexpr int Txt_Error_Ethernet_IP1 = 465;  // .. 468
constexpr int Txt_Error_Ethernet_SM1 = 469;  // .. 472
constexpr int Txt_Error_Ethernet_GAT1 = 473; // .. 476
constexpr int Txt_Error_TCP_Port = 481;
constexpr int Txt_Error_UDP_Port = 482;
// Identifiers and keys must be hexadecimal digits and fit their field.
constexpr int Txt_Error_JoinEUI = 2933;
constexpr int Txt_Error_Device_Address = 2934;
constexpr int Txt_Error_Network_Session_Key = 2935;
constexpr int Txt_Error_Application_Session_Key = 2936;
constexpr int Txt_Error_Application_Key = 2937;
// A key holding something else than hexadecimal digits: "%s" the character, "%d" its position.
constexpr int Txt_Error_JoinEUI_Char = 2940;
constexpr int Txt_Error_Device_Address_Char = 2941;
constexpr int Txt_Error_Network_Session_Key_Char = 2942;
constexpr int Txt_Error_Application_Session_Key_Char = 2943;
constexpr int Txt_Error_Application_Key_Char = 2944;
// ParGen.xml that cannot be read or saved; "%s" takes the reason.
constexpr int Txt_ParGen_Read_Error = 2938;
constexpr int Txt_ParGen_Save_Error = 2939;
