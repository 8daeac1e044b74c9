// The communication parameters of a configuration and their file ParGen.xml.
#pragma once

#include "gateway/GatewayResult.h"
#include "gateway/XmlFile.h"

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The values of the communication-parameters form. Texts are kept exactly as typed; a list holds
// the text of its shown item, empty when nothing is selected.
struct TParGen {
  std::string Eth_Conn_Device_Name;
  bool Eth_Conn_DHCP_Cable = false;
  bool Eth_Conn_DHCP_WiFi = false; // the box cannot be checked in this model
  bool Eth_Conn_Enable_DNS = false;
  std::array<std::string, 4> Eth_Conn_Primary_DNS{"8", "8", "8", "8"};
  std::array<std::string, 4> Eth_Conn_Secondary_DNS{"8", "8", "4", "4"};
  std::string LoRa_RF_Band = "AS923";
  std::string LoRa_Network_Type = "Private";
  bool LoRa_Adaptive_DataRate = false;
  std::string LoRa_DataRate;
  std::string LoRa_Transmission_Type = "Unconfirmed";
  std::string LoRa_Payload_Size = "0";
  std::string LoRa_Activation_Method = "Activation by Personalization [ABP]";
  std::string LoRa_Device_Address;
  std::string LoRa_JoinEUI;
  std::string LoRa_Network_Session_Key;
  std::string LoRa_Application_Session_Key;
  std::string LoRa_Application_Key;
  std::string LoRa_FPort = "Fixed";
  std::string LoRa_Frequency_SubBand = "1";
  std::array<std::string, 4> Ethernet_IP{"192", "168", "0", "10"};
  std::array<std::string, 4> Ethernet_SM{"255", "255", "255", "0"};
  std::array<std::string, 4> Ethernet_GAT{"192", "168", "0", "1"};
  bool Ethernet_EN_GAT = false;
  std::string Ethernet_TCP_Port = "10001";
  std::string Ethernet_UDP_Port = "10001";

  bool operator==(const TParGen&) const = default;
};

// The values a configuration without ParGen.xml shows: band AS923 at its seventh data rate.
TParGen New_ParGen();

// The data-rate list refilled for the band: its first item, or empty for an unknown band.
void Change_LoRa_DataRate(TParGen& values);
// The payload size becomes the maximum of band and data rate, as decimal text.
void Set_Max_Payload_Size(TParGen& values);
// Whether the activation method shows the device address and the session keys.
bool Is_ABP_Activation(const TParGen& values);

// The 41 elements of the file in their order, each with its text.
std::vector<std::pair<std::string_view, std::string>> ParGen_Elements(const TParGen& values);

// Reads the values below a root element; every missing element takes its default and lists are
// matched ignoring letter case, the band first.
TParGen ParGen_From_Root(const TXmlNode& root);
void ParGen_To_Document(const TParGen& values, TXmlDocument& doc);

struct TParGenLoad {
  TXmlFileState State = TXmlFileState::Missing;
  TParGen Values;      // the missing-file values unless the file was read
  std::string Message; // for an unreadable file: what the form shows
};

TParGenLoad Load_ParGen(const std::string& path);
TGatewayResult Save_ParGen(const std::string& path, const TParGen& values);
