// The M-Bus network of a configuration: the meters (nodes) the gateway reads, and for each the
// data records (variables) it places in its Modbus register map. Stored in M_Bus.xml.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct TVariabile {
  bool Enable = false;
  std::string Description;
  std::int32_t Type_Of_Data = 0;   // index in Type_Of_Data_Texts
  std::int32_t Function_Field = 0; // index in Function_Field_Texts (not the DIF's bit order)
  std::int32_t Dimension = 0;      // index in Dimension_Texts
  std::int32_t Unita = 0;
  std::int32_t PositionData = 0; // Modbus register of the value
  std::uint32_t Storage_Number = 0;
  std::int32_t Tariff = 0;
  std::uint8_t VIFE = 0; // index in VIFE_Texts; 255 also means "Not Selected"
  bool BCDtoINT = false;
  std::int32_t Length = 0;
  std::string VIF_ASCII;
  bool Conv_Float = false;
  bool Force_Int32 = false;
  bool TP_Mod_Regs = false;
  std::int32_t TP_Mod_Year = 0; // first of six registers: year, month, day, hour, minute, second
  std::uint16_t Position = 0;
  std::uint8_t Post_Operation = 0; // index in Post_Operation_Texts

  bool operator==(const TVariabile&) const = default;
};

struct TNodo {
  std::uint8_t Enable = 0;
  std::string Description;
  std::int32_t Node_Pri = 0;
  std::int32_t Node_Sec = 0;
  std::uint8_t Send_SNK = 0;
  std::uint8_t Reset_App = 0;
  std::vector<TVariabile> Var_List;
  std::uint8_t Enable_NS = 0;
  std::int32_t Node_State = 0;
  std::uint8_t Enable_IN = 0;
  std::int32_t Ident_Num = 0;
  std::uint8_t BCDtoINT_IN = 0;
  std::int32_t Swap_Ident = 0;
  std::uint8_t Node_ID_Type = 0;  // 0 primary address, 1 secondary
  std::uint8_t Var_List_Type = 0; // 0 "By Type", 1 "By Position"
  std::uint8_t Cut_After = 0;     // n stands for n + 1 frames
  std::uint8_t Enable_MS = 0;
  std::int32_t Manufacturer_Spec = 0;
  std::uint8_t MSD_Length = 0;
  std::uint8_t MSD_Offset = 0;
  std::uint8_t MBus_Type = 0; // 0 wireless, 1 wired
  std::string wMBus_ManID;    // the four wireless numbers and the key bytes stay as typed
  std::string wMBus_Add;
  std::string wMBus_Ver;
  std::string wMBus_DevType;
  std::uint8_t wMBus_En_Key = 0;
  std::array<std::string, 16> wMBus_Key;
  std::uint8_t Enable_RSSI = 0;
  std::int32_t RSSI = 0;
  std::uint8_t Enable_AN = 0;
  std::int32_t Access_Number = 0;

  bool operator==(const TNodo&) const = default;
};

using TNodi_List = std::vector<TNodo>;

constexpr int Type_Of_Data_Time_Point = 20;
constexpr int Dimension_Variable_Length = 7;
