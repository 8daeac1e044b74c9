#include "gateway/LoRaWANRadio.h"

#include "gateway/IntegerText.h"

#include <array>

namespace {

constexpr TLoRaDataRateItem AS923[] = {
    {"0\t- LoRa: SF12/125kHz 250 [bit/s]", 59},   {"1\t- LoRa: SF11/125kHz 440 [bit/s]", 59},
    {"2\t- LoRa: SF10/125kHz 980 [bit/s]", 59},   {"3\t- LoRa: SF9/125kHz 1760 [bit/s]", 123},
    {"4\t- LoRa: SF8/125kHz 3125 [bit/s]", 230},  {"5\t- LoRa: SF7/125kHz 5470 [bit/s]", 230},
    {"6\t- LoRa: SF7/250kHz 11000 [bit/s]", 230}, {"7\t- FSK: 50kbps 50000 [bit/s]", 230},
};

constexpr TLoRaDataRateItem AU915[] = {
    {"0  - LoRa: SF12/125kHz 250 [bit/s]", 51},   {"1  - LoRa: SF11/125kHz 440 [bit/s]", 51},
    {"2  - LoRa: SF10/125kHz 980 [bit/s]", 51},   {"3  - LoRa: SF9/125kHz 1760 [bit/s]", 115},
    {"4  - LoRa: SF8/125kHz 3125 [bit/s]", 222},  {"5  - LoRa: SF7/125kHz 5470 [bit/s]", 222},
    {"6  - LoRa: SF8/500kHz 12500 [bit/s]", 222}, {"8  - LoRa: SF12/500kHz 980 [bit/s]", 33},
    {"9  - LoRa: SF11/500kHz 1760 [bit/s]", 109}, {"10 - LoRa: SF10/500kHz 3900 [bit/s]", 222},
    {"11 - LoRa: SF9/500kHz 7000 [bit/s]", 222},  {"12 - LoRa: SF8/500kHz 12500 [bit/s]", 222},
    {"13 - LoRa: SF7/500kHz 21900 [bit/s]", 222},
};

constexpr TLoRaDataRateItem EU868[] = {
    {"0 -\tLoRa: SF12/125kHz 250 [bit/s]", 51},  {"1 -\tLoRa: SF11/125kHz 440 [bit/s]", 51},
    {"2 -\tLoRa: SF10/125kHz 980 [bit/s]", 51},  {"3 -\tLoRa: SF9/125kHz 1760 [bit/s]", 115},
    {"4 -\tLoRa: SF8/125kHz 3125 [bit/s]", 222}, {"5 -\tLoRa: SF7/125kHz 5470 [bit/s]", 222},
    {"6 - LoRa: SF7/250kHz 11000 [bit/s]", 222}, {"7 - FSK: 50kbps 50000 [bit/s]", 222},
};

constexpr TLoRaDataRateItem KR920[] = {
    {"0 - LoRa: SF12/125kHz 250 [bit/s]", 51},   {"1 -\tLoRa: SF11/125kHz 440 [bit/s]", 51},
    {"2 -\tLoRa: SF10/125kHz 980 [bit/s]", 51},  {"3 -\tLoRa: SF9/125kHz 1760 [bit/s]", 115},
    {"4 -\tLoRa: SF8/125kHz 3125 [bit/s]", 222}, {"5 -\tLoRa: SF7/125kHz 5470 [bit/s]", 222},
};

constexpr TLoRaDataRateItem IN865[] = {
    {"0 - LoRa: SF12/125kHz 250 [bit/s]", 51},   {"1 -\tLoRa: SF11/125kHz 440 [bit/s]", 51},
    {"2 -\tLoRa: SF10/125kHz 980 [bit/s]", 51},  {"3 -\tLoRa: SF9/125kHz 1760 [bit/s]", 115},
    {"4 -\tLoRa: SF8/125kHz 3125 [bit/s]", 222}, {"5 -\tLoRa: SF7/125kHz 5470 [bit/s]", 222},
    {"7 -\tFSK: 50kbps 50000 [bit/s]", 222},
};

constexpr TLoRaDataRateItem US915[] = {
    {"0  -\tLoRa: SF10/125kHz 980 [bit/s]", 11},   {"1  -\tLoRa: SF9/125kHz 1760 [bit/s]", 53},
    {"2  -\tLoRa: SF8/125kHz 3125 [bit/s]", 125},  {"3  -\tLoRa: SF7/125kHz 5470 [bit/s]", 242},
    {"4  -\tLoRa: SF8/500kHz 12500 [bit/s]", 242}, {"8  -\tLoRa: SF12/500kHz 980 [bit/s]", 33},
    {"9  -\tLoRa: SF11/500kHz 1760 [bit/s]", 109}, {"10 - LoRa: SF10/500kHz 3900 [bit/s]", 222},
    {"11 - LoRa: SF9/500kHz 7000 [bit/s]", 222},   {"12 - LoRa: SF8/500kHz 12500 [bit/s]", 222},
    {"13 - LoRa: SF7/500kHz 21900 [bit/s]", 222},
};

constexpr TLoRaDataRateItem US915_Hybrid[] = {
    {"0  - LoRa: SF10/125kHz 980 [bit/s]", 11},   {"1  - LoRa: SF9/125kHz 1760 [bit/s]", 53},
    {"2  - LoRa: SF8/125kHz 3125 [bit/s]", 125},  {"3  - LoRa: SF7/125kHz 5470 [bit/s]", 242},
    {"4  - LoRa: SF8/500kHz 12500 [bit/s]", 242}, {"8  - LoRa: SF12/500kHz 980 [bit/s]", 33},
    {"9  - LoRa: SF11/500kHz 1760 [bit/s]", 109}, {"10 - LoRa: SF10/500kHz 3900 [bit/s]", 222},
    {"11 - LoRa: SF9/500kHz 7000 [bit/s]", 222},  {"12 - LoRa: SF8/500kHz 12500 [bit/s]", 222},
    {"13 - LoRa: SF7/500kHz 21900 [bit/s]", 222},
};

constexpr TLoRaBand Bands[] = {
    {"AS923", AS923},
    {"AU915", AU915},
    {"EU868", EU868},
    {"KR920", KR920},
    {"IN865", IN865},
    {"US915", US915},
    {"US915-Hybrid", US915_Hybrid},
};

constexpr std::string_view RF_Band_Items[] = {"AS923", "AU915", "EU868",       "KR920",
                                              "IN865", "US915", "US915-Hybrid"};
constexpr std::string_view Network_Type_Items[] = {"Private", "Public"};
constexpr std::string_view Transmission_Type_Items[] = {"Unconfirmed", "Confirmed"};
constexpr std::string_view Activation_Method_Items[] = {"Activation by Personalization [ABP]",
                                                        "Over-the-Air Activation [OTAA]"};
constexpr std::string_view FPort_Items[] = {"Fixed", "Variable"};
constexpr std::string_view SubBand_Items[] = {"1", "2", "3", "4", "5", "6", "7", "8"};

// Band codes of the device; the gaps belong to bands this family does not offer.
struct TBandCode {
  std::string_view Text;
  std::uint8_t Code;
};
constexpr TBandCode Band_Codes[] = {{"AS923", 0}, {"AU915", 1}, {"EU868", 5},       {"KR920", 6},
                                    {"IN865", 7}, {"US915", 8}, {"US915-HYBRID", 9}};

} // namespace

std::span<const TLoRaBand> LoRa_Bands() {
  return Bands;
}
std::span<const std::string_view> LoRa_RF_Band_Items() {
  return RF_Band_Items;
}
std::span<const std::string_view> LoRa_Network_Type_Items() {
  return Network_Type_Items;
}
std::span<const std::string_view> LoRa_Transmission_Type_Items() {
  return Transmission_Type_Items;
}
std::span<const std::string_view> LoRa_Activation_Method_Items() {
  return Activation_Method_Items;
}
std::span<const std::string_view> LoRa_FPort_Items() {
  return FPort_Items;
}
std::span<const std::string_view> LoRa_FrequencySubBand_Items() {
  return SubBand_Items;
}

int Find_List_Item(std::span<const std::string_view> items, std::string_view text) {
  for (std::size_t i = 0; i < items.size(); ++i)
    if (SameText(items[i], text)) return static_cast<int>(i);
  return -1;
}

std::span<const TLoRaDataRateItem> LoRa_DataRate_Items(std::string_view band) {
  for (const TLoRaBand& b : Bands)
    if (b.Name == band) return b.DataRates;
  return {};
}

int Find_Max_PayLoad(std::string_view band, std::string_view dataRate) {
  for (const TLoRaDataRateItem& item : LoRa_DataRate_Items(band))
    if (item.Text == dataRate) return item.MaxPayload;
  return 0;
}

std::uint8_t Get_LoRa_Band_Code(std::string_view text) {
  const std::string_view key = Trim(text);
  for (const TBandCode& b : Band_Codes)
    if (SameText(b.Text, key)) return b.Code;
  return 0;
}

std::uint8_t Get_LoRa_Network_Type(std::string_view text) {
  return SameText(Trim(text), "PUBLIC") ? 1 : 0;
}

std::uint8_t Get_LoRa_Activation(std::string_view text) {
  return SameText(Trim(text), "OVER-THE-AIR ACTIVATION [OTAA]") ? 1 : 0;
}

std::uint8_t Get_LoRa_Confirmed(std::string_view text) {
  return text == "Confirmed" ? 1 : 0;
}

std::int32_t LoRa_DataRate_Number(std::string_view text) {
  std::size_t dash = text.find('-');
  if (dash == std::string_view::npos) return 0;
  return StrToIntDef(Trim(text.substr(0, dash)), 0);
}
