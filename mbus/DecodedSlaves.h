// Meters found on the wired bus, devices heard on the radio, and their decoded data records.
#pragma once

#include "mbus/Aes128.h"

#include <cstdint>
#include <string>
#include <vector>

// One data record of a wired or wireless meter.
struct TVariable_MBus {
  std::int32_t dato_A = 0; // value bytes 0 to 3, little-endian
  std::int32_t dato_B = 0; // value bytes 4 to 7
  std::uint8_t dimension = 0;
  std::int16_t function_fild = 0;
  std::int64_t storage_number = 0;
  std::int16_t tarif = 0;
  std::int16_t device = 0;
  std::uint16_t type_data = 0;
  std::int16_t scale = 0;
  bool errata = false;
  std::string sterror;
  std::int32_t nbyte = 0;
  std::string descdim;
  std::int32_t numdife = 0;
  std::int32_t numvife = 0;
  std::int32_t vifvalue = -1;
  std::int32_t PrinVIFE = 0;
  std::uint8_t casovif = 0;
  std::int32_t numdato = 0;
  std::uint8_t VIF = 0;
  std::string VIFE;
  std::string DIF;
  std::string DIFE;
  std::string totdati;
  std::string VIF_ASCII;
  std::string Description;
  std::string datagiorno;
  std::string tempo;
  std::string icon;
  std::int32_t Type_Data_Vife = 0;
  std::string Desc_Type_Data;
  std::string ValueStr;
  std::string FunctionFieldStr;
  std::string DataFieldStr;
  bool Enable = true;
  bool Real_Wireless_Var = false;
  bool Is_BCD = false;
  void* Node = nullptr; // the record's node in the window's result tree
};

// One meter read on the wired bus.
struct TSlave_MBus {
  std::uint16_t Primary_Addresss = 0;
  std::string Secondary_Addresss;
  std::int32_t Manufacture = 0;
  std::int32_t Version = 0;
  std::int32_t Medium = 0;
  std::int32_t Status = 0;
  std::string descManufacture;
  std::string descmedium;
  std::string description;
  std::vector<TVariable_MBus> List_Var;
  void* Node = nullptr;
};

// One device heard on the radio; the application-layer address is its identity.
struct TSlave_wMBus {
  std::uint8_t Message_Type = 0;
  std::uint16_t LLA_Manufacturer = 0;
  std::string LLA_Manu_str;
  std::int32_t LLA_Address = 0;
  std::uint8_t LLA_Version = 0;
  std::uint8_t LLA_DeviceType = 0;
  std::uint16_t ALA_Manufacturer = 0;
  std::string ALA_Manu_str;
  std::int32_t ALA_Address = 0;
  std::uint8_t ALA_Version = 0;
  std::uint8_t ALA_DeviceType = 0;
  std::int8_t RSSI = 0;
  double DateTime = 0;
  bool Cripted = false;
  bool Enable = true;
  bool Enable_Key = false;
  Aes128Key Key{};
  std::int32_t RadioCrafts_Ind_Tab_Decript = -1; // slot of the key in the radio module
  std::vector<TVariable_MBus> List_Var;
  void* Node = nullptr;

  // Drops the records of the last telegram; the device keeps its address and key.
  void Cancel_Var() { List_Var.clear(); }
};
