// The three panels of this model: their rows, their order and their relayout.
#include "app/ULanguage.h"
#include "gateway/LoRaWANRadio.h"
#include "gateway/UParGen.h"
#include "gateway/UParGenRows.h"

using namespace ParGenRows;

namespace {

// Places a row's label at `y` and its control 3 px higher, shown.
void Place_Row(TControl* label, TControl* control, int y) {
  label->SetTop(y);
  label->Show();
  control->SetTop(y - Label_Below_Control);
  control->Show();
}

void Hide_Row(TControl* label, TControl* control) {
  label->Hide();
  control->Hide();
}

// A panel is as tall as its lowest control plus the margin and its header.
void Fit_Panel(TCategoryPanel* panel, const TControl* lowest, int headerHeight) {
  panel->SetHeight(lowest->Top() + lowest->Height() + Panel_Bottom_Margin + headerHeight);
}

} // namespace

TOctetEdits TFParGen::Create_Octets(TCategoryPanel* panel, const std::string& prefix, int top) {
  TOctetEdits edits{};
  for (std::size_t i = 0; i < 4; ++i) {
    TEdit* e = Make<TEdit>(this, panel, prefix + std::to_string(i + 1));
    e->SetBounds(Octet_Lefts[i], top, Octet_Width, Edit_Height);
    e->OnKeyPress = [this](TObject* s, WideChar& key) { Octet_KeyPress(s, key); };
    e->OnChange = [this](TObject* s) { On_Change(s); };
    edits[i] = e;
    if (i < 3) {
      auto* dot = Make<TLabel>(this, panel, prefix + "_Dot" + std::to_string(i + 1));
      dot->SetBounds(Dot_Lefts[i], top + Label_Below_Control, 4, 13);
      dot->SetCaption(".");
    }
  }
  return edits;
}

void TFParGen::Create_Ethernet_Connection() {
  TCategoryPanel* p = CP_Ethernet_Connection;
  L_EthConn_Device_Name = Row_Label(this, p, "L_EthConn_Device_Name", 12);
  E_EthConn_Device_Name = Row_Edit(this, p, "E_EthConn_Device_Name", 12);
  E_EthConn_Device_Name->SetMaxLength(31);
  E_EthConn_Device_Name->OnChange = [this](TObject* s) { On_Change(s); };
  CB_EthConn_En_DHCP_Cable = Row_Check(this, p, "CB_EthConn_En_DHCP_Cable", 40);
  CB_EthConn_En_DHCP_WiFi = Row_Check(this, p, "CB_EthConn_En_DHCP_WiFi", 68);
  CB_EthConn_Enable_DNS = Row_Check(this, p, "CB_EthConn_Enable_DNS", 96);
  for (TCheckBox* c : {CB_EthConn_En_DHCP_Cable, CB_EthConn_En_DHCP_WiFi, CB_EthConn_Enable_DNS})
    c->OnClick = [this](TObject* s) { On_Click(s); };
  L_EthConn_Primary_DNS = Row_Label(this, p, "L_EthConn_Primary_DNS", 124);
  E_EthConn_Pri_DNS_IP = Create_Octets(p, "E_EthConn_Pri_DNS_IP", 124 - Label_Below_Control);
  L_EthConn_Secondary_DNS = Row_Label(this, p, "L_EthConn_Secondary_DNS", 152);
  E_EthConn_Sec_DNS_IP = Create_Octets(p, "E_EthConn_Sec_DNS_IP", 152 - Label_Below_Control);
}

void TFParGen::Create_LoRa() {
  TCategoryPanel* p = CP_LoRa;
  auto list = [&](TLabel*& label, TComboBox*& box, const char* labelName, const char* boxName,
                  std::span<const std::string_view> items) {
    label = Row_Label(this, p, labelName, 0);
    box = Row_List(this, p, boxName, 0, items);
    box->OnChange = [this](TObject* s) { On_Change(s); };
  };
  auto key = [&](TLabel*& label, TEdit*& box, const char* labelName, const char* boxName, int maxLength) {
    label = Row_Label(this, p, labelName, 0);
    box = Row_Edit(this, p, boxName, 0);
    box->SetMaxLength(maxLength);
    box->SetCharCase(ecUpperCase);
    box->OnKeyPress = [this](TObject* s, WideChar& k) { Hex_KeyPress(s, k); };
    box->OnChange = [this](TObject* s) { On_Change(s); };
  };

  // Created in Tab order; the sub-band list, reached last, is created last.
  list(L_LoRa_RF_Band, CB_LoRa_RF_Band, "L_LoRa_RF_Band", "CB_LoRa_RF_Band", LoRa_RF_Band_Items());
  L_LoRa_RF_Band->SetTop(12);
  CB_LoRa_RF_Band->SetTop(12 - Label_Below_Control);
  list(L_LoRa_Network_Type, CB_LoRa_Network_Type, "L_LoRa_Network_Type", "CB_LoRa_Network_Type",
       LoRa_Network_Type_Items());
  CB_LoRa_Adaptive_DataRate = Row_Check(this, p, "CB_LoRa_Adaptive_DataRate", 0);
  CB_LoRa_Adaptive_DataRate->OnClick = [this](TObject* s) { On_Click(s); };
  list(L_LoRa_DataRate, CB_LoRa_DataRate, "L_LoRa_DataRate", "CB_LoRa_DataRate", {});
  list(L_LoRa_Transmission_Type, CB_LoRa_Transmission_Type, "L_LoRa_Transmission_Type",
       "CB_LoRa_Transmission_Type", LoRa_Transmission_Type_Items());
  key(L_LoRa_Payload_Size, E_LoRa_Payload_Size, "L_LoRa_Payload_Size", "E_LoRa_Payload_Size", 32);
  E_LoRa_Payload_Size->SetReadOnly(true);
  key(L_LoRa_JoinEUI, E_LoRa_JoinEUI, "L_LoRa_JoinEUI", "E_LoRa_JoinEUI", 16);
  list(L_LoRa_Activation_Method, CB_LoRa_Activation_Method, "L_LoRa_Activation_Method",
       "CB_LoRa_Activation_Method", LoRa_Activation_Method_Items());
  key(L_LoRa_Device_Address, E_LoRa_Device_Address, "L_LoRa_Device_Address", "E_LoRa_Device_Address", 8);
  key(L_LoRa_Network_Session_Key, E_LoRa_Network_Session_Key, "L_LoRa_Network_Session_Key",
      "E_LoRa_Network_Session_Key", 32);
  key(L_LoRa_Application_Session_Key, E_LoRa_Application_Session_Key, "L_LoRa_Application_Session_Key",
      "E_LoRa_Application_Session_Key", 32);
  key(L_LoRa_Application_Key, E_LoRa_Application_Key, "L_LoRa_Application_Key", "E_LoRa_Application_Key", 32);
  list(L_LoRa_FPort, CB_LoRa_FPort, "L_LoRa_FPort", "CB_LoRa_FPort", LoRa_FPort_Items());
  list(L_LoRa_FrequencySubBand, CB_LoRa_FrequencySubBand, "L_LoRa_FrequencySubBand",
       "CB_LoRa_FrequencySubBand", LoRa_FrequencySubBand_Items());
}

void TFParGen::Create_Ethernet() {
  TCategoryPanel* p = CP_Ethernet;
  L_Ethernet_IP = Row_Label(this, p, "L_Ethernet_IP", 12);
  E_Ethernet_IP = Create_Octets(p, "E_Ethernet_IP", 12 - Label_Below_Control);
  L_Ethernet_SM = Row_Label(this, p, "L_Ethernet_SM", 40);
  E_Ethernet_SM = Create_Octets(p, "E_Ethernet_SM", 40 - Label_Below_Control);
  CB_Ethernet_En_GAT = Row_Check(this, p, "CB_Ethernet_En_GAT", 68);
  CB_Ethernet_En_GAT->SetWidth(175);
  CB_Ethernet_En_GAT->OnClick = [this](TObject* s) { On_Click(s); };
  E_Ethernet_GAT = Create_Octets(p, "E_Ethernet_GAT", 66);
  L_Ethernet_TCP_Port = Row_Label(this, p, "L_Ethernet_TCP_Port", 96);
  E_Ethernet_TCP_Port = Row_Edit(this, p, "E_Ethernet_TCP_Port", 96);
  L_Ethernet_UDP_Port = Row_Label(this, p, "L_Ethernet_UDP_Port", 124);
  E_Ethernet_UDP_Port = Row_Edit(this, p, "E_Ethernet_UDP_Port", 124);
  for (TEdit* e : {E_Ethernet_TCP_Port, E_Ethernet_UDP_Port})
    e->OnChange = [this](TObject* s) { On_Change(s); };
}

void TFParGen::Order_TAB_Panels() {
  struct TPlace {
    TCategoryPanel* Panel;
    int Title;
  };
  const TPlace order[] = {{CP_Ethernet_Connection, 2906}, {CP_LoRa, 406}, {CP_Ethernet, 436}};
  int top = 0;
  int position = 0;
  for (const TPlace& place : order) {
    // Placed before it shows: the group stacks its panels by their tops.
    place.Panel->SetTop(top);
    place.Panel->Show();
    top += place.Panel->Height();
    ++position;
    // Numbered once, in the language of start-up.
    place.Panel->SetCaption(std::to_string(position) + ". " + Lang_Text(place.Title));
    place.Panel->SetTabOrder(position - 1);
  }
}

void TFParGen::Move_GroupBoxs() {
  RePosition_Object_Ethernet_Connection();
  RePosition_Object_LoRa();
  RePosition_Object_Ethernet();
}

void TFParGen::RePosition_Object_Ethernet_Connection() {
  CB_EthConn_En_DHCP_WiFi->SetEnabled(false);
  Fit_Panel(CP_Ethernet_Connection, E_EthConn_Sec_DNS_IP[3], CPG->HeaderHeight());
}

void TFParGen::RePosition_Object_LoRa() {
  int y = CB_LoRa_RF_Band->Top() + Row_Pitch;
  auto place = [&y](TControl* label, TControl* control) {
    Place_Row(label, control, y);
    y += Row_Pitch;
  };

  const int band = CB_LoRa_RF_Band->ItemIndex();
  if (band == 5 || band == 6) // US915, US915-Hybrid
    place(L_LoRa_FrequencySubBand, CB_LoRa_FrequencySubBand);
  else
    Hide_Row(L_LoRa_FrequencySubBand, CB_LoRa_FrequencySubBand);

  place(L_LoRa_Network_Type, CB_LoRa_Network_Type);
  CB_LoRa_Adaptive_DataRate->SetTop(y);
  CB_LoRa_Adaptive_DataRate->Show();
  y += Row_Pitch;
  place(L_LoRa_DataRate, CB_LoRa_DataRate);
  place(L_LoRa_Transmission_Type, CB_LoRa_Transmission_Type);
  place(L_LoRa_Payload_Size, E_LoRa_Payload_Size);
  place(L_LoRa_JoinEUI, E_LoRa_JoinEUI);
  place(L_LoRa_Activation_Method, CB_LoRa_Activation_Method);

  if (CB_LoRa_Activation_Method->ItemIndex() == 0) { // ABP
    place(L_LoRa_Device_Address, E_LoRa_Device_Address);
    place(L_LoRa_Network_Session_Key, E_LoRa_Network_Session_Key);
    place(L_LoRa_Application_Session_Key, E_LoRa_Application_Session_Key);
    Hide_Row(L_LoRa_Application_Key, E_LoRa_Application_Key);
  } else {
    Hide_Row(L_LoRa_Device_Address, E_LoRa_Device_Address);
    Hide_Row(L_LoRa_Network_Session_Key, E_LoRa_Network_Session_Key);
    Hide_Row(L_LoRa_Application_Session_Key, E_LoRa_Application_Session_Key);
    place(L_LoRa_Application_Key, E_LoRa_Application_Key);
  }

  Place_Row(L_LoRa_FPort, CB_LoRa_FPort, y);
  Fit_Panel(CP_LoRa, CB_LoRa_FPort, CPG->HeaderHeight());
}

void TFParGen::RePosition_Object_Ethernet() {
  for (TControl* c :
       {static_cast<TControl*>(L_Ethernet_TCP_Port), static_cast<TControl*>(E_Ethernet_TCP_Port),
        static_cast<TControl*>(L_Ethernet_UDP_Port), static_cast<TControl*>(E_Ethernet_UDP_Port)})
    c->Show();
  Fit_Panel(CP_Ethernet, E_Ethernet_UDP_Port, CPG->HeaderHeight());

  // With an address from DHCP the static address rows are greyed; they keep their values.
  const bool fixedAddress = !CB_EthConn_En_DHCP_Cable->Checked();
  for (const TOctetEdits* octets : {&E_Ethernet_IP, &E_Ethernet_SM, &E_Ethernet_GAT})
    for (TEdit* e : *octets)
      e->SetEnabled(fixedAddress);
  CB_Ethernet_En_GAT->SetEnabled(fixedAddress);
}
