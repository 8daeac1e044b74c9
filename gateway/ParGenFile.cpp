#include "gateway/ParGenFile.h"

#include "app/ULanguage.h"
#include "gateway/LoRaWANRadio.h"
#include "gateway/ParGenTexts.h"
#include "platform/Format.h"

namespace {

std::string CheckText(bool checked) {
  return checked ? "1" : "0";
}

// A stored list text selects the first item equal to it ignoring case; no match shows blank.
std::string ListItem(std::span<const std::string_view> items, std::string_view text) {
  int index = Find_List_Item(items, text);
  return index < 0 ? std::string() : std::string(items[static_cast<std::size_t>(index)]);
}

std::string Indexed(std::string_view prefix, int i) {
  return std::string(prefix) + std::to_string(i);
}

} // namespace

TParGen New_ParGen() {
  TParGen values;
  values.LoRa_DataRate = std::string(LoRa_DataRate_Items(values.LoRa_RF_Band)[6].Text);
  Set_Max_Payload_Size(values);
  return values;
}

void Change_LoRa_DataRate(TParGen& values) {
  auto items = LoRa_DataRate_Items(values.LoRa_RF_Band);
  values.LoRa_DataRate = items.empty() ? std::string() : std::string(items.front().Text);
}

void Set_Max_Payload_Size(TParGen& values) {
  values.LoRa_Payload_Size = std::to_string(Find_Max_PayLoad(values.LoRa_RF_Band, values.LoRa_DataRate));
}

bool Is_ABP_Activation(const TParGen& values) {
  return Get_LoRa_Activation(values.LoRa_Activation_Method) == 0;
}

std::vector<std::pair<std::string_view, std::string>> ParGen_Elements(const TParGen& v) {
  std::vector<std::pair<std::string_view, std::string>> e;
  e.reserve(41);
  e.emplace_back("Eth_Conn_Device_Name", v.Eth_Conn_Device_Name);
  e.emplace_back("Eth_Conn_DHCP_Cable", CheckText(v.Eth_Conn_DHCP_Cable));
  e.emplace_back("Eth_Conn_DHCP_WiFi", CheckText(v.Eth_Conn_DHCP_WiFi));
  e.emplace_back("Eth_Conn_Enable_DNS", CheckText(v.Eth_Conn_Enable_DNS));
  static constexpr std::string_view PriDNS[] = {"Eth_Conn_Primary_DNS1", "Eth_Conn_Primary_DNS2",
                                                "Eth_Conn_Primary_DNS3", "Eth_Conn_Primary_DNS4"};
  static constexpr std::string_view SecDNS[] = {"Eth_Conn_Secondary_DNS1", "Eth_Conn_Secondary_DNS2",
                                                "Eth_Conn_Secondary_DNS3", "Eth_Conn_Secondary_DNS4"};
  for (int i = 0; i < 4; ++i)
    e.emplace_back(PriDNS[i], v.Eth_Conn_Primary_DNS[i]);
  for (int i = 0; i < 4; ++i)
    e.emplace_back(SecDNS[i], v.Eth_Conn_Secondary_DNS[i]);
  e.emplace_back("LoRa_RF_Band", v.LoRa_RF_Band);
  e.emplace_back("LoRa_Network_Type", v.LoRa_Network_Type);
  e.emplace_back("LoRa_Adaptive_DataRate", CheckText(v.LoRa_Adaptive_DataRate));
  e.emplace_back("LoRa_DataRate", v.LoRa_DataRate);
  e.emplace_back("LoRa_Transmission_Type", v.LoRa_Transmission_Type);
  e.emplace_back("LoRa_Payload_Size", v.LoRa_Payload_Size);
  e.emplace_back("LoRa_Activation_Method", v.LoRa_Activation_Method);
  e.emplace_back("LoRa_Device_Address", v.LoRa_Device_Address);
  e.emplace_back("LoRa_JoinEUI", v.LoRa_JoinEUI);
  e.emplace_back("LoRa_Network_Session_Key", v.LoRa_Network_Session_Key);
  e.emplace_back("LoRa_Application_Session_Key", v.LoRa_Application_Session_Key);
  e.emplace_back("LoRa_Application_Key", v.LoRa_Application_Key);
  e.emplace_back("LoRa_FPort", v.LoRa_FPort);
  e.emplace_back("LoRa_Frequency_SubBand", v.LoRa_Frequency_SubBand);
  static constexpr std::string_view IP[] = {"Ethernet_IP1", "Ethernet_IP2", "Ethernet_IP3", "Ethernet_IP4"};
  static constexpr std::string_view SM[] = {"Ethernet_SM1", "Ethernet_SM2", "Ethernet_SM3", "Ethernet_SM4"};
  static constexpr std::string_view GAT[] = {"Ethernet_GAT1", "Ethernet_GAT2", "Ethernet_GAT3",
                                             "Ethernet_GAT4"};
  for (int i = 0; i < 4; ++i)
    e.emplace_back(IP[i], v.Ethernet_IP[i]);
  for (int i = 0; i < 4; ++i)
    e.emplace_back(SM[i], v.Ethernet_SM[i]);
  for (int i = 0; i < 4; ++i)
    e.emplace_back(GAT[i], v.Ethernet_GAT[i]);
  e.emplace_back("Ethernet_EN_GAT", CheckText(v.Ethernet_EN_GAT));
  e.emplace_back("Ethernet_TCP_Port", v.Ethernet_TCP_Port);
  e.emplace_back("Ethernet_UDP_Port", v.Ethernet_UDP_Port);
  return e;
}

TParGen ParGen_From_Root(const TXmlNode& root) {
  TParGen v; // member defaults are the defaults of a missing element
  auto text = [&](std::string_view name, std::string& target) {
    if (auto t = Element_Text(root, name)) target = *t;
  };
  auto check = [&](std::string_view name, bool& target) {
    if (auto t = Element_Text(root, name)) target = *t == "1";
  };
  auto list = [&](std::string_view name, std::span<const std::string_view> items, std::string& target) {
    if (auto t = Element_Text(root, name)) target = ListItem(items, *t);
  };
  auto octets = [&](std::string_view prefix, std::array<std::string, 4>& target) {
    for (int i = 0; i < 4; ++i)
      text(Indexed(prefix, i + 1), target[static_cast<std::size_t>(i)]);
  };

  // The band decides which data rates exist, so it goes first.
  list("LoRa_RF_Band", LoRa_RF_Band_Items(), v.LoRa_RF_Band);
  Change_LoRa_DataRate(v);

  text("Eth_Conn_Device_Name", v.Eth_Conn_Device_Name);
  check("Eth_Conn_DHCP_Cable", v.Eth_Conn_DHCP_Cable);
  v.Eth_Conn_DHCP_WiFi = false;
  check("Eth_Conn_Enable_DNS", v.Eth_Conn_Enable_DNS);
  octets("Eth_Conn_Primary_DNS", v.Eth_Conn_Primary_DNS);
  octets("Eth_Conn_Secondary_DNS", v.Eth_Conn_Secondary_DNS);
  list("LoRa_Network_Type", LoRa_Network_Type_Items(), v.LoRa_Network_Type);
  check("LoRa_Adaptive_DataRate", v.LoRa_Adaptive_DataRate);
  if (auto t = Element_Text(root, "LoRa_DataRate")) {
    std::vector<std::string_view> items;
    for (const TLoRaDataRateItem& item : LoRa_DataRate_Items(v.LoRa_RF_Band))
      items.push_back(item.Text);
    std::string found = ListItem(items, *t);
    if (!found.empty()) v.LoRa_DataRate = found; // otherwise the first item stays selected
  }
  list("LoRa_Transmission_Type", LoRa_Transmission_Type_Items(), v.LoRa_Transmission_Type);
  text("LoRa_Payload_Size", v.LoRa_Payload_Size);
  list("LoRa_Activation_Method", LoRa_Activation_Method_Items(), v.LoRa_Activation_Method);
  text("LoRa_Device_Address", v.LoRa_Device_Address);
  text("LoRa_JoinEUI", v.LoRa_JoinEUI);
  text("LoRa_Network_Session_Key", v.LoRa_Network_Session_Key);
  text("LoRa_Application_Session_Key", v.LoRa_Application_Session_Key);
  text("LoRa_Application_Key", v.LoRa_Application_Key);
  list("LoRa_FPort", LoRa_FPort_Items(), v.LoRa_FPort);
  list("LoRa_Frequency_SubBand", LoRa_FrequencySubBand_Items(), v.LoRa_Frequency_SubBand);
  octets("Ethernet_IP", v.Ethernet_IP);
  octets("Ethernet_SM", v.Ethernet_SM);
  octets("Ethernet_GAT", v.Ethernet_GAT);
  check("Ethernet_EN_GAT", v.Ethernet_EN_GAT);
  text("Ethernet_TCP_Port", v.Ethernet_TCP_Port);
  text("Ethernet_UDP_Port", v.Ethernet_UDP_Port);

  // The shown payload is always the maximum of band and data rate, whatever the file held.
  Set_Max_Payload_Size(v);
  return v;
}

void ParGen_To_Document(const TParGen& values, TXmlDocument& doc) {
  TXmlNode root = doc.CreateRoot("Par_Gen");
  doc.AddCommentAfterRoot("SW_VERSION = 1.000");
  for (const auto& [name, text] : ParGen_Elements(values))
    root.AddChild(name, text);
}

TParGenLoad Load_ParGen(const std::string& path) {
  TParGenLoad load;
  load.Values = New_ParGen();
  TXmlFile file = Load_Xml_File(path);
  load.State = file.State;
  if (file.State == TXmlFileState::Loaded)
    load.Values = ParGen_From_Root(file.Root);
  else if (file.State == TXmlFileState::Unreadable)
    load.Message = Format(Lang_Text(Txt_ParGen_Read_Error), {file.Error});
  return load;
}

TGatewayResult Save_ParGen(const std::string& path, const TParGen& values) {
  TXmlDocument doc;
  ParGen_To_Document(values, doc);
  std::string error;
  if (!doc.SaveToFile(path, &error))
    return TGatewayResult::Failure(Format(Lang_Text(Txt_ParGen_Save_Error), {error}), Txt_ParGen_Save_Error);
  return TGatewayResult::Success();
}
