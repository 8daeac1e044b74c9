// Built-in English texts of the LoRaWAN rule editor and the numbers its code uses.
#pragma once

#include "app/DefaultTexts.h"

TTextBlock LoRaWANSetAccessTexts();

constexpr int Txt_LoRa_Payload_Not_Set = 1242;
constexpr int Txt_LoRa_Error_Row = 1243; // "Error row " before the row number
constexpr int Txt_LoRa_Up_StartByte = 1244;
constexpr int Txt_LoRa_Up_NumByte = 1245; // followed by the limit
constexpr int Txt_LoRa_Up_Time = 1246;
constexpr int Txt_LoRa_Down_StartByte = 1247;
constexpr int Txt_LoRa_Down_NumByte = 1248; // followed by the limit
constexpr int Txt_LoRa_Delete_Row = 1249;
constexpr int Txt_LoRa_Up_FPort = 1254;
constexpr int Txt_LoRa_Down_FPort = 1255;
// Files that cannot be read or saved; "%s" takes the reason.
constexpr int Txt_LoRa_Read_Error = 1256;
constexpr int Txt_LoRa_Save_Error = 1257;
constexpr int Txt_LoRa_ParGen_Read_Error = 1258;
// More rules in a section than the table shows; "%d" takes the capacity.
constexpr int Txt_LoRa_Too_Many_Rules = 1259;
