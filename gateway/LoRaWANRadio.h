// The LoRaWAN radio lists of the communication parameters, the data rates of each band with their
// maximum payloads, and the codes the device image uses for them.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

struct TLoRaDataRateItem {
  std::string_view Text; // shown and stored exactly as here: blanks and tabs are part of the key
  int MaxPayload;
};

struct TLoRaBand {
  std::string_view Name;
  std::span<const TLoRaDataRateItem> DataRates;
};

// The fixed lists of the LoRaWAN panel, in item order.
std::span<const TLoRaBand> LoRa_Bands();
std::span<const std::string_view> LoRa_RF_Band_Items();
std::span<const std::string_view> LoRa_Network_Type_Items();
std::span<const std::string_view> LoRa_Transmission_Type_Items();
std::span<const std::string_view> LoRa_Activation_Method_Items();
std::span<const std::string_view> LoRa_FPort_Items();
std::span<const std::string_view> LoRa_FrequencySubBand_Items();

// Index of the first item equal to `text` ignoring letter case, or -1.
int Find_List_Item(std::span<const std::string_view> items, std::string_view text);

// The data-rate items offered for a band name (exact match); empty for any other text.
std::span<const TLoRaDataRateItem> LoRa_DataRate_Items(std::string_view band);
// Maximum payload of a band and data-rate text (both exact); 0 when either matches nothing.
int Find_Max_PayLoad(std::string_view band, std::string_view dataRate);

// Device codes of the list texts.
std::uint8_t Get_LoRa_Band_Code(std::string_view text);
std::uint8_t Get_LoRa_Network_Type(std::string_view text);
std::uint8_t Get_LoRa_Activation(std::string_view text);
std::uint8_t Get_LoRa_Confirmed(std::string_view text);
// The number before the first "-" of a data-rate text; 0 when there is none or it is no number.
std::int32_t LoRa_DataRate_Number(std::string_view text);
