// The communication parameters window: the gateway's Ethernet connection, LoRaWAN and Ethernet
// parameters of the open configuration, kept in its ParGen.xml. One collapsible panel per
// protocol of this model, numbered in display order; the panels relay out after every change
// that shows or hides rows.
#pragma once

#include "controls/LbButton.h"
#include "gateway/ParGenFile.h"
#include "platform/ui/CategoryPanels.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"

#include <array>
#include <string>

constexpr int ParGen_Client_Width = 460;
constexpr int ParGen_Client_Height = 700;

using TOctetEdits = std::array<TEdit*, 4>;

class TFParGen : public TForm {
public:
  explicit TFParGen(TComponent* AOwner);
  ~TFParGen() override;

  // ---- frame
  TPanel* P_Title = nullptr;
  TLabel* L_SW_Code = nullptr;
  TLabel* L_SW_Desc = nullptr;
  TPanel* P_Button = nullptr;
  TLbButton* Btn_OK = nullptr;
  TLbButton* Btn_Cancel = nullptr;
  TCategoryPanelGroup* CPG = nullptr;
  TCategoryPanel* CP_Ethernet_Connection = nullptr;
  TCategoryPanel* CP_LoRa = nullptr;
  TCategoryPanel* CP_Ethernet = nullptr;

  // ---- "Ethernet Connection" (octet boxes named E_EthConn_Pri_DNS_IP1 .. 4 and so on)
  TLabel* L_EthConn_Device_Name = nullptr;
  TEdit* E_EthConn_Device_Name = nullptr;
  TCheckBox* CB_EthConn_En_DHCP_Cable = nullptr;
  TCheckBox* CB_EthConn_En_DHCP_WiFi = nullptr;
  TCheckBox* CB_EthConn_Enable_DNS = nullptr;
  TLabel* L_EthConn_Primary_DNS = nullptr;
  TOctetEdits E_EthConn_Pri_DNS_IP{};
  TLabel* L_EthConn_Secondary_DNS = nullptr;
  TOctetEdits E_EthConn_Sec_DNS_IP{};

  // ---- "LoRaWAN"
  TLabel* L_LoRa_RF_Band = nullptr;
  TComboBox* CB_LoRa_RF_Band = nullptr;
  TLabel* L_LoRa_FrequencySubBand = nullptr;
  TComboBox* CB_LoRa_FrequencySubBand = nullptr;
  TLabel* L_LoRa_Network_Type = nullptr;
  TComboBox* CB_LoRa_Network_Type = nullptr;
  TCheckBox* CB_LoRa_Adaptive_DataRate = nullptr;
  TLabel* L_LoRa_DataRate = nullptr;
  TComboBox* CB_LoRa_DataRate = nullptr;
  TLabel* L_LoRa_Transmission_Type = nullptr;
  TComboBox* CB_LoRa_Transmission_Type = nullptr;
  TLabel* L_LoRa_Payload_Size = nullptr;
  TEdit* E_LoRa_Payload_Size = nullptr;
  TLabel* L_LoRa_JoinEUI = nullptr;
  TEdit* E_LoRa_JoinEUI = nullptr;
  TLabel* L_LoRa_Activation_Method = nullptr;
  TComboBox* CB_LoRa_Activation_Method = nullptr;
  TLabel* L_LoRa_Device_Address = nullptr;
  TEdit* E_LoRa_Device_Address = nullptr;
  TLabel* L_LoRa_Network_Session_Key = nullptr;
  TEdit* E_LoRa_Network_Session_Key = nullptr;
  TLabel* L_LoRa_Application_Session_Key = nullptr;
  TEdit* E_LoRa_Application_Session_Key = nullptr;
  TLabel* L_LoRa_Application_Key = nullptr;
  TEdit* E_LoRa_Application_Key = nullptr;
  TLabel* L_LoRa_FPort = nullptr;
  TComboBox* CB_LoRa_FPort = nullptr;

  // ---- "Ethernet"
  TLabel* L_Ethernet_IP = nullptr;
  TOctetEdits E_Ethernet_IP{};
  TLabel* L_Ethernet_SM = nullptr;
  TOctetEdits E_Ethernet_SM{};
  TCheckBox* CB_Ethernet_En_GAT = nullptr;
  TOctetEdits E_Ethernet_GAT{};
  TLabel* L_Ethernet_TCP_Port = nullptr;
  TEdit* E_Ethernet_TCP_Port = nullptr;
  TLabel* L_Ethernet_UDP_Port = nullptr;
  TEdit* E_Ethernet_UDP_Port = nullptr;

  // ---- window events
  void FormCreate(TObject* Sender);
  // Loads ParGen.xml (the defaults when it is missing or cannot be read), then relays out.
  void FormShow(TObject* Sender);
  void FormResize(TObject* Sender);
  void FormMouseWheel(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled);
  // Checks the values; the first failure is shown and nothing is written. Otherwise writes
  // ParGen.xml and closes with OK.
  void Btn_OKClick(TObject* Sender);

  // ---- layout
  void Order_TAB_Panels();
  void Move_GroupBoxs();
  void RePosition_Object_Ethernet_Connection();
  void RePosition_Object_LoRa();
  void RePosition_Object_Ethernet();

  // ---- shared handlers
  void On_Change(TObject* Sender);
  void On_Click(TObject* Sender);
  // "." in an octet box moves along its chain and is never typed.
  void Octet_KeyPress(TObject* Sender, WideChar& Key);
  // The key boxes take hexadecimal digits, the blank and control keys only.
  void Hex_KeyPress(TObject* Sender, WideChar& Key);

  // ---- texts and LoRaWAN lists
  void Set_Lang();
  void Change_LoRa_DataRate();
  void Set_Max_Payload_Size();
  int Find_Max_PayLoad() const;
  // The first failing check shown as an error; true when all pass.
  bool Controllo_Dati();

  // ---- the controls as values
  TParGen Values_From_Controls() const;
  void Values_To_Controls(const TParGen& values);

private:
  void Create_Frame();
  void Create_Ethernet_Connection();
  void Create_LoRa();
  void Create_Ethernet();
  TOctetEdits Create_Octets(TCategoryPanel* panel, const std::string& prefix, int top);
  // The box after `edit` in its "." chain, or nullptr at a chain's end.
  TEdit* Next_Octet(const TObject* edit) const;
};

// The single instance (created at program start by the shell; cleared when it is destroyed).
extern TFParGen* FParGen;
