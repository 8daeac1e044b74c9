// The device image compiler: ParGen.xml and LoRaWAN_SetAccess.xml become the parameter image
// bank1.bin and the LoRaWAN image bank2.bin that the updater writes into the device.
#pragma once

#include "gateway/GatewayResult.h"
#include "gateway/LoRaWANSetAccess.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>

constexpr std::size_t Bank1_Size = 2048;
constexpr std::size_t Bank2_Size = 8192;
constexpr std::size_t Bank1_Checksum_Offset = 2044;
// Device address of the LoRaWAN image, named by the parameter image at offset 1628.
constexpr std::uint32_t LoRaWAN_Bank_Address = 0x80000;

// The parameter image in device order (little-endian); only the fields of this model are set.
struct TBank1 {
  std::array<std::uint8_t, Bank1_Size> Bytes{};
};

struct TLoRaWAN_Rule {
  std::uint16_t Start_Byte = 0;
  std::uint16_t Num_Byte = 0;
  std::uint8_t Flags = 0; // bit 0 on change, bit 1 on command, bit 2 on timer
  std::uint8_t FPort = 0;
  std::uint32_t Time = 0;
  bool operator==(const TLoRaWAN_Rule&) const = default;
};

struct TBank2 {
  std::uint8_t RF_Band = 0;
  std::uint8_t Network_Type = 0;
  std::uint8_t Activation = 0;
  std::uint8_t DataRate = 6;
  std::array<std::uint8_t, 4> Dev_Addr{};
  std::array<std::uint8_t, 8> Join_EUI{};
  std::array<std::uint8_t, 16> Nwk_SKey{};
  std::array<std::uint8_t, 16> App_SKey{};
  std::array<std::uint8_t, 16> App_Key{};
  std::uint8_t ADR = 0;
  std::uint8_t Confirmed = 0;
  std::uint8_t Payload_Size = 1;
  std::uint8_t FPort_Variable = 0;
  std::uint32_t Tx_Interval = 1;
  std::uint32_t Uplink_Table_Addr = 0;
  std::uint32_t Downlink_Table_Addr = 0;
  std::uint16_t Uplink_Count = 0;
  std::uint16_t Downlink_Count = 0;
  std::uint8_t Sub_Band = 0;
  std::array<TLoRaWAN_Rule, LoRaWAN_Table_Slots> Uplink{};
  std::array<TLoRaWAN_Rule, LoRaWAN_Table_Slots> Downlink{};
};

struct TDeviceImages {
  std::array<std::uint8_t, Bank1_Size> Bank1{};
  std::array<std::uint8_t, Bank2_Size> Bank2{};
};

struct TCompileResult : TGatewayResult {
  TDeviceImages Images; // only meaningful when Ok

  static TCompileResult Failed(TGatewayResult why) {
    TCompileResult result;
    static_cast<TGatewayResult&>(result) = std::move(why);
    return result;
  }
};

// Builds both images from the two files. A file that cannot be read, or a value that would not
// fit its field, fails the compilation with a message naming the element.
TCompileResult Compile_Bin(const std::string& parGenPath, const std::string& setAccessPath);
// Writes <projectPath>/bin/bank1.bin and bank2.bin, creating the bin folder when missing.
TGatewayResult Save_Bin(const std::string& projectPath, const TDeviceImages& images);
// The update step's build: compiles, and writes the images only when the compilation succeeded.
TGatewayResult Compile_And_Save_Bin(const std::string& parGenPath, const std::string& setAccessPath,
                                    const std::string& projectPath);
std::string Bank1_Path(const std::string& projectPath);
std::string Bank2_Path(const std::string& projectPath);

// The steps of a compilation.
void Init_Bank1(TBank1& bank);
void Set_Bank1_Version(TBank1& bank);
void Init_LoRaWAN_Bank(TBank2& bank);
TGatewayResult Read_ParGen_To_Banks(const TXmlNode& root, TBank1& bank1, TBank2& bank2);
// `rules` is null when the configuration has no rule file.
TGatewayResult Read_LoRaWAN_Rules(const TLoRaWANSetAccess* rules, std::uint32_t base, TBank2& bank);
std::size_t Build_Bank1(TBank1& bank, std::size_t pos, std::span<std::uint8_t> buffer);
std::size_t Build_Bank2(const TBank2& bank, std::size_t pos, std::span<std::uint8_t> buffer);

// "0" in front until the text has `width` characters; longer texts stay as they are.
std::string Pad_Hex_Left(std::string_view text, std::size_t width);
// Stores the digit pairs of a hex text, padded on the left, into a key field: the first pair
// gives the first byte. A text longer than the field or with other characters is refused.
TGatewayResult Hex_To_Bytes(std::string_view text, std::span<std::uint8_t> field, std::string_view element);
TGatewayResult Hex_To_DevAddr(TBank2& bank, std::string_view text);
TGatewayResult Hex_To_JoinEUI(TBank2& bank, std::string_view text);
TGatewayResult Hex_To_NwkSKey(TBank2& bank, std::string_view text);
TGatewayResult Hex_To_AppSKey(TBank2& bank, std::string_view text);
TGatewayResult Hex_To_AppKey(TBank2& bank, std::string_view text);
