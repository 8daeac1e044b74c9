#include "gateway/UParGen.h"

#include "app/UComon.h"
#include "app/ULanguage.h"
#include "gateway/GatewayLook.h"
#include "gateway/LoRaWANRadio.h"
#include "gateway/ParGenChecks.h"
#include "gateway/UParGenRows.h"
#include "platform/Dialogs.h"
#include "platform/ui/Application.h"

using namespace ParGenRows;

TFParGen* FParGen = nullptr;

namespace {

using namespace GatewayLook;
const TColor Header_Gradient = RGB(231, 216, 216);

std::string List_Text(const TComboBox* list) {
  const int index = list->ItemIndex();
  return index < 0 ? std::string() : list->Items().Strings(index);
}

// Selects the first item equal to the text ignoring case; nothing when none is.
void Select_Item(TComboBox* list, const std::string& text) {
  list->SetItemIndex(list->Items().IndexOf(text));
}

std::array<std::string, 4> Octet_Texts(const TOctetEdits& edits) {
  std::array<std::string, 4> texts;
  for (std::size_t i = 0; i < 4; ++i)
    texts[i] = edits[i]->Text();
  return texts;
}

void Set_Octet_Texts(const TOctetEdits& edits, const std::array<std::string, 4>& texts) {
  for (std::size_t i = 0; i < 4; ++i)
    edits[i]->SetText(texts[i]);
}

bool Is_Ascii_Hex(WideChar key) {
  return (key >= '0' && key <= '9') || (key >= 'A' && key <= 'F') || (key >= 'a' && key <= 'f');
}

} // namespace

TFParGen::TFParGen(TComponent* AOwner) : TForm(AOwner) {
  SetName("FParGen");
  SetBorderIcons(biSystemMenu);
  SetPosition(poScreenCenter);
  SetClientWidth(ParGen_Client_Width);
  SetClientHeight(ParGen_Client_Height);
  SetColor(Form_Color);
  Font().SetName("Verdana");
  Font().SetHeight(-11);
  SetShowHint(true);

  Create_Frame();
  Create_Ethernet_Connection();
  Create_LoRa();
  Create_Ethernet();

  OnCreate = [this](TObject* s) { FormCreate(s); };
  OnShow = [this](TObject* s) { FormShow(s); };
  OnResize = [this](TObject* s) { FormResize(s); };
  OnMouseWheel = [this](TObject* s, TShiftState shift, int delta, TPoint pos, bool& handled) {
    FormMouseWheel(s, shift, delta, pos, handled);
  };
}

TFParGen::~TFParGen() {
  if (FParGen == this) FParGen = nullptr;
}

void TFParGen::Create_Frame() {
  P_Title = Make_Title(this, L_SW_Code, L_SW_Desc);

  P_Button = Make_Panel(this, "P_Button", 40);
  P_Button->SetAlign(alBottom);
  Btn_OK = Make<TLbButton>(this, P_Button, "Btn_OK");
  Btn_OK->SetBounds(217, 6, 110, 28);
  Btn_OK->SetAnchors(akTop | akRight);
  Btn_OK->OnClick = [this](TObject* s) { Btn_OKClick(s); };
  Btn_Cancel = Make<TLbButton>(this, P_Button, "Btn_Cancel");
  Btn_Cancel->SetBounds(335, 6, 110, 28);
  Btn_Cancel->SetAnchors(akTop | akRight);
  Btn_Cancel->SetModalResult(mrCancel);
  Style_Button(Btn_OK);
  Style_Button(Btn_Cancel);

  CPG = Make<TCategoryPanelGroup>(this, this, "CPG");
  CPG->SetAlign(alClient);
  CPG->SetColor(Form_Color);
  CPG->SetHeaderHeight(24);
  CPG->HeaderFont().SetName("Verdana");
  CPG->HeaderFont().SetHeight(-15);
  CPG->HeaderFont().SetStyle(fsBold);
  CPG->HeaderFont().SetColor(clGray);
  CPG->SetGradientBaseColor(Header_Gradient);
  CPG->SetGradientColor(Header_Gradient);
  CPG->SetChevronHotColor(clRed);
  auto panel = [this](const char* name) {
    auto* p = new TCategoryPanel(this);
    p->SetName(name);
    p->SetPanelGroup(CPG);
    p->SetColor(Form_Color);
    p->SetParentShowHint(true);
    return p;
  };
  CP_Ethernet_Connection = panel("CP_Ethernet_Connection");
  CP_LoRa = panel("CP_LoRa");
  CP_Ethernet = panel("CP_Ethernet");
}

void TFParGen::FormCreate(TObject*) {
  L_SW_Code->SetCaption(SW_Code);
  SetClientWidth(ParGen_Client_Width);
  SetClientHeight(ParGen_Client_Height);
  for (int i = 0; i < CPG->PanelCount(); ++i)
    CPG->Panels(i)->Hide();
  Order_TAB_Panels();
  Move_GroupBoxs();
  Set_Lang();
}

void TFParGen::FormShow(TObject*) {
  // Every showing starts at the first panel, wherever the last one was left.
  CPG->SetVertScrollPosition(0);
  TParGenLoad load = Load_ParGen(FileName_ParGen);
  // A damaged file is reported; the defaults are shown, never what an earlier showing left.
  if (load.State == TXmlFileState::Unreadable) MessageDlg(load.Message, mtError, mbOK);
  Values_To_Controls(load.Values);
  Move_GroupBoxs();
  Set_Max_Payload_Size();
}

void TFParGen::FormResize(TObject*) {
  if (ClientWidth() != ParGen_Client_Width) SetClientWidth(ParGen_Client_Width);
}

void TFParGen::FormMouseWheel(TObject*, TShiftState, int WheelDelta, TPoint MousePos, bool& Handled) {
  Handled = CPG->ClientRect().Contains(CPG->ScreenToClient(MousePos));
  if (!Handled) return;
  const int lines = WheelScrollLines();
  for (int i = 0; i < lines; ++i) {
    CPG->Perform(WM_VSCROLL, WheelDelta > 0 ? SB_LINEUP : SB_LINEDOWN);
    CPG->Perform(WM_VSCROLL, SB_ENDSCROLL);
  }
}

void TFParGen::Btn_OKClick(TObject*) {
  if (!Controllo_Dati()) return;
  TGatewayResult saved = Save_ParGen(FileName_ParGen, Values_From_Controls());
  if (!saved) {
    MessageDlg(saved.Message, mtError, mbOK);
    return;
  }
  SetModalResult(mrOk);
}

bool TFParGen::Controllo_Dati() {
  TGatewayResult checked = Check_ParGen_Values(Values_From_Controls());
  if (!checked) MessageDlg(checked.Message, mtError, mbOK);
  return checked.Ok;
}

// ---- shared handlers

void TFParGen::On_Change(TObject* Sender) {
  if (Sender == CB_LoRa_Activation_Method) {
    Move_GroupBoxs();
  } else if (Sender == CB_LoRa_RF_Band) {
    Change_LoRa_DataRate();
    Set_Max_Payload_Size();
    Move_GroupBoxs();
  } else if (Sender == CB_LoRa_DataRate) {
    Set_Max_Payload_Size();
  }
}

void TFParGen::On_Click(TObject* Sender) {
  if (Sender == CB_EthConn_En_DHCP_Cable || Sender == CB_EthConn_En_DHCP_WiFi) Move_GroupBoxs();
}

TEdit* TFParGen::Next_Octet(const TObject* edit) const {
  const TOctetEdits* dnsChain[] = {&E_EthConn_Pri_DNS_IP, &E_EthConn_Sec_DNS_IP};
  const TOctetEdits* ethernetChain[] = {&E_Ethernet_IP, &E_Ethernet_SM, &E_Ethernet_GAT};
  auto next = [edit](std::span<const TOctetEdits* const> chain) -> TEdit* {
    for (std::size_t group = 0; group < chain.size(); ++group)
      for (std::size_t i = 0; i < 4; ++i)
        if ((*chain[group])[i] == edit) {
          if (i < 3) return (*chain[group])[i + 1];
          return group + 1 < chain.size() ? (*chain[group + 1])[0] : nullptr;
        }
    return nullptr;
  };
  if (TEdit* e = next(dnsChain)) return e;
  return next(ethernetChain);
}

void TFParGen::Octet_KeyPress(TObject* Sender, WideChar& Key) {
  if (Key != '.') return;
  TEdit* next = Next_Octet(Sender);
  if (next && next->CanFocus()) next->SetFocus();
  Key = 0;
}

void TFParGen::Hex_KeyPress(TObject*, WideChar& Key) {
  if (Key <= 32 || Is_Ascii_Hex(Key)) return;
  Key = 0;
}

// ---- LoRaWAN lists

void TFParGen::Change_LoRa_DataRate() {
  TControlItems& items = CB_LoRa_DataRate->Items();
  items.BeginUpdate();
  items.Clear();
  for (const TLoRaDataRateItem& item : LoRa_DataRate_Items(List_Text(CB_LoRa_RF_Band)))
    items.Add(std::string(item.Text));
  items.EndUpdate();
  CB_LoRa_DataRate->SetItemIndex(items.Count() > 0 ? 0 : -1);
}

int TFParGen::Find_Max_PayLoad() const {
  return ::Find_Max_PayLoad(List_Text(CB_LoRa_RF_Band), List_Text(CB_LoRa_DataRate));
}

void TFParGen::Set_Max_Payload_Size() {
  E_LoRa_Payload_Size->SetText(std::to_string(Find_Max_PayLoad()));
}

// ---- values

TParGen TFParGen::Values_From_Controls() const {
  TParGen v;
  v.Eth_Conn_Device_Name = E_EthConn_Device_Name->Text();
  v.Eth_Conn_DHCP_Cable = CB_EthConn_En_DHCP_Cable->Checked();
  v.Eth_Conn_DHCP_WiFi = CB_EthConn_En_DHCP_WiFi->Checked();
  v.Eth_Conn_Enable_DNS = CB_EthConn_Enable_DNS->Checked();
  v.Eth_Conn_Primary_DNS = Octet_Texts(E_EthConn_Pri_DNS_IP);
  v.Eth_Conn_Secondary_DNS = Octet_Texts(E_EthConn_Sec_DNS_IP);
  v.LoRa_RF_Band = List_Text(CB_LoRa_RF_Band);
  v.LoRa_Network_Type = List_Text(CB_LoRa_Network_Type);
  v.LoRa_Adaptive_DataRate = CB_LoRa_Adaptive_DataRate->Checked();
  v.LoRa_DataRate = List_Text(CB_LoRa_DataRate);
  v.LoRa_Transmission_Type = List_Text(CB_LoRa_Transmission_Type);
  v.LoRa_Payload_Size = E_LoRa_Payload_Size->Text();
  v.LoRa_Activation_Method = List_Text(CB_LoRa_Activation_Method);
  v.LoRa_Device_Address = E_LoRa_Device_Address->Text();
  v.LoRa_JoinEUI = E_LoRa_JoinEUI->Text();
  v.LoRa_Network_Session_Key = E_LoRa_Network_Session_Key->Text();
  v.LoRa_Application_Session_Key = E_LoRa_Application_Session_Key->Text();
  v.LoRa_Application_Key = E_LoRa_Application_Key->Text();
  v.LoRa_FPort = List_Text(CB_LoRa_FPort);
  v.LoRa_Frequency_SubBand = List_Text(CB_LoRa_FrequencySubBand);
  v.Ethernet_IP = Octet_Texts(E_Ethernet_IP);
  v.Ethernet_SM = Octet_Texts(E_Ethernet_SM);
  v.Ethernet_GAT = Octet_Texts(E_Ethernet_GAT);
  v.Ethernet_EN_GAT = CB_Ethernet_En_GAT->Checked();
  v.Ethernet_TCP_Port = E_Ethernet_TCP_Port->Text();
  v.Ethernet_UDP_Port = E_Ethernet_UDP_Port->Text();
  return v;
}

void TFParGen::Values_To_Controls(const TParGen& v) {
  E_EthConn_Device_Name->SetText(v.Eth_Conn_Device_Name);
  CB_EthConn_En_DHCP_Cable->SetChecked(v.Eth_Conn_DHCP_Cable);
  CB_EthConn_En_DHCP_WiFi->SetChecked(false); // this model cannot use it
  CB_EthConn_Enable_DNS->SetChecked(v.Eth_Conn_Enable_DNS);
  Set_Octet_Texts(E_EthConn_Pri_DNS_IP, v.Eth_Conn_Primary_DNS);
  Set_Octet_Texts(E_EthConn_Sec_DNS_IP, v.Eth_Conn_Secondary_DNS);
  // The band decides the data rates offered, so it goes first.
  Select_Item(CB_LoRa_RF_Band, v.LoRa_RF_Band);
  Change_LoRa_DataRate();
  Select_Item(CB_LoRa_Network_Type, v.LoRa_Network_Type);
  CB_LoRa_Adaptive_DataRate->SetChecked(v.LoRa_Adaptive_DataRate);
  if (int index = CB_LoRa_DataRate->Items().IndexOf(v.LoRa_DataRate); index >= 0)
    CB_LoRa_DataRate->SetItemIndex(index);
  Select_Item(CB_LoRa_Transmission_Type, v.LoRa_Transmission_Type);
  E_LoRa_Payload_Size->SetText(v.LoRa_Payload_Size);
  Select_Item(CB_LoRa_Activation_Method, v.LoRa_Activation_Method);
  E_LoRa_Device_Address->SetText(v.LoRa_Device_Address);
  E_LoRa_JoinEUI->SetText(v.LoRa_JoinEUI);
  E_LoRa_Network_Session_Key->SetText(v.LoRa_Network_Session_Key);
  E_LoRa_Application_Session_Key->SetText(v.LoRa_Application_Session_Key);
  E_LoRa_Application_Key->SetText(v.LoRa_Application_Key);
  Select_Item(CB_LoRa_FPort, v.LoRa_FPort);
  Select_Item(CB_LoRa_FrequencySubBand, v.LoRa_Frequency_SubBand);
  Set_Octet_Texts(E_Ethernet_IP, v.Ethernet_IP);
  Set_Octet_Texts(E_Ethernet_SM, v.Ethernet_SM);
  Set_Octet_Texts(E_Ethernet_GAT, v.Ethernet_GAT);
  CB_Ethernet_En_GAT->SetChecked(v.Ethernet_EN_GAT);
  E_Ethernet_TCP_Port->SetText(v.Ethernet_TCP_Port);
  E_Ethernet_UDP_Port->SetText(v.Ethernet_UDP_Port);
}

// ---- texts

void TFParGen::Set_Lang() {
  SetCaption(Lang_Text(400));
  L_SW_Desc->SetCaption(Lang_Text(401));
  Btn_OK->SetCaption(Lang_Text(402));
  Btn_Cancel->SetCaption(Lang_Text(403));
  Btn_OK->SetHint(Lang_Text(404));
  Btn_Cancel->SetHint(Lang_Text(405));

  auto row = [](TControl* captioned, int caption, TControl* hinted, int hint) {
    captioned->SetCaption(Lang_Text(caption));
    hinted->SetHint(Lang_Text(hint));
  };
  auto octetHints = [](const TOctetEdits& edits, int first) {
    for (int i = 0; i < 4; ++i)
      edits[static_cast<std::size_t>(i)]->SetHint(Lang_Text(first + i));
  };

  // LoRaWAN
  row(L_LoRa_RF_Band, 407, CB_LoRa_RF_Band, 408);
  row(L_LoRa_Network_Type, 409, CB_LoRa_Network_Type, 410);
  row(L_LoRa_Activation_Method, 411, CB_LoRa_Activation_Method, 412);
  row(L_LoRa_Device_Address, 413, E_LoRa_Device_Address, 414);
  row(L_LoRa_JoinEUI, 415, E_LoRa_JoinEUI, 416);
  row(L_LoRa_Network_Session_Key, 417, E_LoRa_Network_Session_Key, 418);
  row(L_LoRa_Application_Session_Key, 419, E_LoRa_Application_Session_Key, 420);
  row(L_LoRa_Application_Key, 421, E_LoRa_Application_Key, 422);
  row(CB_LoRa_Adaptive_DataRate, 483, CB_LoRa_Adaptive_DataRate, 484);
  row(L_LoRa_DataRate, 485, CB_LoRa_DataRate, 486);
  row(L_LoRa_Transmission_Type, 487, CB_LoRa_Transmission_Type, 488);
  row(L_LoRa_Payload_Size, 489, E_LoRa_Payload_Size, 490);
  row(L_LoRa_FPort, 491, CB_LoRa_FPort, 492);
  row(L_LoRa_FrequencySubBand, 2904, CB_LoRa_FrequencySubBand, 2905);

  // Ethernet
  L_Ethernet_IP->SetCaption(Lang_Text(437));
  octetHints(E_Ethernet_IP, 438);
  L_Ethernet_SM->SetCaption(Lang_Text(442));
  octetHints(E_Ethernet_SM, 443);
  row(CB_Ethernet_En_GAT, 447, CB_Ethernet_En_GAT, 448);
  octetHints(E_Ethernet_GAT, 449);
  row(L_Ethernet_TCP_Port, 459, E_Ethernet_TCP_Port, 460);
  row(L_Ethernet_UDP_Port, 461, E_Ethernet_UDP_Port, 462);

  // Ethernet Connection
  row(L_EthConn_Device_Name, 2907, E_EthConn_Device_Name, 2908);
  row(CB_EthConn_En_DHCP_Cable, 2909, CB_EthConn_En_DHCP_Cable, 2910);
  row(CB_EthConn_En_DHCP_WiFi, 2911, CB_EthConn_En_DHCP_WiFi, 2912);
  row(CB_EthConn_Enable_DNS, 2913, CB_EthConn_Enable_DNS, 2914);
  L_EthConn_Primary_DNS->SetCaption(Lang_Text(2915));
  octetHints(E_EthConn_Pri_DNS_IP, 2916);
  L_EthConn_Secondary_DNS->SetCaption(Lang_Text(2920));
  octetHints(E_EthConn_Sec_DNS_IP, 2921);
}
