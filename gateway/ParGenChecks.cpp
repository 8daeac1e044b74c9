#include "gateway/ParGenChecks.h"

#include "app/ULanguage.h"
#include "gateway/IntegerText.h"
#include "gateway/LoRaWANRadio.h"
#include "gateway/ParGenTexts.h"
#include "platform/Format.h"

#include <algorithm>
#include <optional>
#include <string>

namespace {

TGatewayResult Fail(int number) {
  return TGatewayResult::Failure(Lang_Text(number), number);
}

// The first octet of the four that is not 0 to 255, as 0..3, or -1.
int BadOctet(const std::array<std::string, 4>& octets) {
  for (int i = 0; i < 4; ++i)
    if (!IsIntInRange(octets[static_cast<std::size_t>(i)], 0, 255)) return i;
  return -1;
}

bool IsPort(std::string_view text) {
  return IsIntInRange(text, 0, 65535) && StrToIntDef(text, -1) != 10000;
}

// A key or identifier fits when it holds only hexadecimal digits, at most `digits` of them. A
// character that is no digit is named with its place, so a blank is not taken for a length fault.
std::optional<TGatewayResult> Check_Hex_Key(std::string_view text, std::size_t digits, int tooLong,
                                            int badChar) {
  int position = 0;
  for (std::size_t i = 0; i < text.size();) {
    ++position;
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    if (!IsHexDigit(text[i])) {
      const std::string character(text.substr(i, std::min(length, text.size() - i)));
      return TGatewayResult::Failure(Format(Lang_Text(badChar), {character, std::int64_t{position}}),
                                     badChar);
    }
    i += length;
  }
  if (text.size() > digits) return Fail(tooLong);
  return std::nullopt;
}

} // namespace

TGatewayResult Check_ParGen_Values(const TParGen& v) {
  if (v.Eth_Conn_Enable_DNS) {
    if (int i = BadOctet(v.Eth_Conn_Primary_DNS); i >= 0) return Fail(Txt_Error_Pri_DNS1 + i);
    if (int i = BadOctet(v.Eth_Conn_Secondary_DNS); i >= 0) return Fail(Txt_Error_Sec_DNS1 + i);
  }
  if (IsBlank(v.LoRa_RF_Band)) return Fail(Txt_Error_RF_Band);
  if (IsBlank(v.LoRa_Network_Type)) return Fail(Txt_Error_Network_Type);
  if (IsBlank(v.LoRa_DataRate)) return Fail(Txt_Error_DataRate);
  if (IsBlank(v.LoRa_Transmission_Type)) return Fail(Txt_Error_Transmission_Type);
  const int maxPayload = Find_Max_PayLoad(v.LoRa_RF_Band, v.LoRa_DataRate);
  if (!IsIntInRange(v.LoRa_Payload_Size, 1, maxPayload))
    return TGatewayResult::Failure(Format(Lang_Text(Txt_Error_Payload_Size), {std::int64_t{maxPayload}}),
                                   Txt_Error_Payload_Size);
  if (IsBlank(v.LoRa_Activation_Method)) return Fail(Txt_Error_Activation_Method);

  // Only the identifiers of the chosen activation method reach the device; the others are hidden.
  if (auto bad = Check_Hex_Key(v.LoRa_JoinEUI, 16, Txt_Error_JoinEUI, Txt_Error_JoinEUI_Char)) return *bad;
  if (Is_ABP_Activation(v)) {
    if (auto bad =
            Check_Hex_Key(v.LoRa_Device_Address, 8, Txt_Error_Device_Address, Txt_Error_Device_Address_Char))
      return *bad;
    if (auto bad = Check_Hex_Key(v.LoRa_Network_Session_Key, 32, Txt_Error_Network_Session_Key,
                                 Txt_Error_Network_Session_Key_Char))
      return *bad;
    if (auto bad = Check_Hex_Key(v.LoRa_Application_Session_Key, 32, Txt_Error_Application_Session_Key,
                                 Txt_Error_Application_Session_Key_Char))
      return *bad;
  } else if (auto bad = Check_Hex_Key(v.LoRa_Application_Key, 32, Txt_Error_Application_Key,
                                      Txt_Error_Application_Key_Char)) {
    return *bad;
  }

  if (int i = BadOctet(v.Ethernet_IP); i >= 0) return Fail(Txt_Error_Ethernet_IP1 + i);
  if (int i = BadOctet(v.Ethernet_SM); i >= 0) return Fail(Txt_Error_Ethernet_SM1 + i);
  if (v.Ethernet_EN_GAT)
    if (int i = BadOctet(v.Ethernet_GAT); i >= 0) return Fail(Txt_Error_Ethernet_GAT1 + i);
  if (!IsPort(v.Ethernet_TCP_Port)) return Fail(Txt_Error_TCP_Port);
  if (!IsPort(v.Ethernet_UDP_Port)) return Fail(Txt_Error_UDP_Port);
  return TGatewayResult::Success();
}
