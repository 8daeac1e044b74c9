#include "mbus/UScanDecode.h"

#include "app/SerialPorts.h"
#include "app/UComon.h"
#include "app/ULanguage.h"
#include "app/Windows.h"
#include "mbus/MBusLook.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/StrToInt.h"
#include "platform/Xml.h"
#include "tree/StringTree.h"

#include <algorithm>

TFScanDecode* FScanDecode = nullptr;

using namespace MBusLook;

namespace {

constexpr int Button_Width = 145;
constexpr int Button_Gap = 6;
constexpr int Button_Left = 8;
constexpr int Control_Left = 176;
constexpr int Row_Left = 16;
constexpr int Section_Left = 32;

int Number_Or(const std::string& text, int fallback) {
  int value = fallback;
  return TryStrToInt(text, value) ? value : fallback;
}

// A decimal octet: digits only, 0 to 255.
bool Is_Octet(const std::string& text) {
  if (text.empty() || text.size() > 3) return false;
  if (!std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) return false;
  return std::stoi(text) <= 255;
}

bool Is_Port(const std::string& text) {
  if (text.empty() || text.size() > 5) return false;
  if (!std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) return false;
  const int port = std::stoi(text);
  return port >= 1 && port <= 65535;
}

} // namespace

TFScanDecode::TFScanDecode(TComponent* AOwner) : TForm(AOwner) {
  SetName("FScanDecode");
  SetBorderStyle(bsSingle);
  SetBorderIcons(biSystemMenu);
  SetPosition(poScreenCenter);
  Set_Form_Look(this, ScanDecode_Client_Width, ScanDecode_Height_Wired);
  Create_Controls();
  OnCreate = [this](TObject* s) { FormCreate(s); };
  OnShow = [this](TObject* s) { FormShow(s); };
  OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
}

TFScanDecode::~TFScanDecode() {
  // The engine goes first: no report of it may reach the controls being freed.
  FAlive.reset();
  TR_ScanDecode.reset();
  if (FScanDecode == this) FScanDecode = nullptr;
}

void TFScanDecode::Create_Controls() {
  P_Title = Make_Title(this, L_SW_Code, L_SW_Desc);
  Label1 = Make_Label(this, P_Title, "Label1", 600, 20);
  Label1->SetVisible(false);

  P_Button = Make_Panel(this, this, "P_Button", 40);
  P_Button->SetAlign(alBottom);
  const char* names[] = {"Btn_StartScan", "Btn_StopScan", "Btn_AbortScan",
                         "Btn_NewScan",   "Btn_SaveConf", "Btn_SaveConfManual"};
  TLbButton** buttons[] = {&Btn_StartScan, &Btn_StopScan, &Btn_AbortScan,
                           &Btn_NewScan,   &Btn_SaveConf, &Btn_SaveConfManual};
  for (int i = 0; i < 6; ++i)
    *buttons[i] = Make_Button(this, P_Button, names[i],
                              Bounds(Button_Left + i * (Button_Width + Button_Gap), 6, Button_Width, 28),
                              [this](TObject* s) { BtnClick(s); });

  T_InScan = new TTimer(this);
  T_InScan->SetName("T_InScan");
  T_InScan->SetInterval(1000);
  T_InScan->SetEnabled(false);
  T_InScan->OnTimer = [this](TObject* s) { T_InScanTimer(s); };
  PopupMenu1 = new TPopupMenu(this);
  PopupMenu1->SetName("PopupMenu1");
  Ciclic1 = new TMenuItem(this);
  Ciclic1->SetName("Ciclic1");
  Ciclic1->SetCaption("Scan Cyclic");
  Ciclic1->OnClick = [this](TObject* s) { Ciclic1Click(s); };
  PopupMenu1->Items()->Add(Ciclic1);

  Create_Options();
  Create_Results();
}

void TFScanDecode::Create_Options() {
  P_Main = Make_Panel(this, this, "P_Main", 300);
  P_Main->SetAlign(alClient);
  auto label = [this](TLabel*& l, const char* name) { l = Make_Label(this, P_Main, name, Row_Left, 0); };
  auto combo = [this](TComboBox*& c, const char* name, std::initializer_list<const char*> items, int index,
                      int width = 177) {
    c = Make<TComboBox>(this, P_Main, name);
    c->SetStyle(csDropDownList);
    c->SetBounds(Control_Left, 0, width, 21);
    c->Items().Assign({items.begin(), items.end()});
    c->SetItemIndex(index);
    c->OnChange = [this](TObject* s) { CB_HardwareTypeChange(s); };
  };
  auto check = [this](TCheckBox*& c, const char* name) {
    c = Make<TCheckBox>(this, P_Main, name);
    c->SetBounds(Section_Left, 0, 400, 17);
  };
  label(L_ScanMethod, "L_ScanMethod");
  combo(CB_ScanMethod, "CB_ScanMethod", {"M-Bus Wired", "M-Bus Wireless"}, 0);
  label(L_ScanBy, "L_ScanBy");
  combo(CB_ScanBy, "CB_ScanBy", {"Primary Address", "Secondary Address"}, 0);
  label(L_HardwareType, "L_HardwareType");
  combo(CB_HardwareType, "CB_HardwareType", {"Ethernet", "Serial"}, 0);
  label(L_IP, "L_IP");
  const char* ipNames[] = {"E_IP1", "E_IP2", "E_IP3", "E_IP4"};
  const char* ipDefaults[] = {"192", "168", "2", "205"};
  TEdit** ips[] = {&E_IP1, &E_IP2, &E_IP3, &E_IP4};
  for (int i = 0; i < 4; ++i) {
    *ips[i] = Make_Edit(this, P_Main, ipNames[i], Bounds(Control_Left + i * 66, 0, 60, 21), ipDefaults[i]);
    (*ips[i])->OnKeyPress = [this](TObject* s, WideChar& k) { IP_KeyPress(s, k); };
  }
  const char* dotNames[] = {"L_IP_Dot1", "L_IP_Dot2", "L_IP_Dot3"};
  TLabel** dots[] = {&L_IP_Dot1, &L_IP_Dot2, &L_IP_Dot3};
  for (int i = 0; i < 3; ++i) {
    *dots[i] = Make_Label(this, P_Main, dotNames[i], 237 + i * 66, 0);
    (*dots[i])->SetCaption(".");
  }
  label(L_ComPort, "L_ComPort");
  combo(CB_ComPort, "CB_ComPort", {}, -1, 120);
  Btn_COM_List = Make_Button(this, P_Main, "Btn_COM_List", Bounds(0, 0, 24, 24),
                             [this](TObject* s) { Btn_COM_ListClick(s); });
  Btn_COM_List->SetHint("Update COM Ports List");
  Btn_COM_List->SetShowHint(true);
  label(L_Port, "L_Port");
  E_Port = Make_Edit(this, P_Main, "E_Port", Bounds(Control_Left, 0, 80, 21), "502");
  label(L_MBus_ParGen, "L_MBus_ParGen");
  L_MBus_ParGen->Font().SetStyle(fsBold);
  label(L_MBus_Baud, "L_MBus_Baud");
  combo(CB_MBus_Baud, "CB_MBus_Baud", {"300", "600", "1200", "2400", "4800", "9600", "19200", "38400"}, 3);
  label(L_MBus_Parity, "L_MBus_Parity");
  combo(CB_MBus_Parity, "CB_MBus_Parity", {"NONE", "EVEN", "ODD"}, 1);
  label(L_wMBus_Mode, "L_wMBus_Mode");
  combo(CB_wMBus_Mode, "CB_wMBus_Mode", {"S", "T", "N1", "N2", "C"}, 0);
  label(L_wMBus_Radio_Channel, "L_wMBus_Radio_Channel");
  combo(CB_wMBus_Radio_Channel, "CB_wMBus_Radio_Channel",
        {"1a @ 4800 bps", "1b @ 4800 bps", "2a @ 2400 bps", "2b @ 2400 bps", "3a @ 4800 bps", "3b @ 4800 bps",
         "0 @ 19200 bps", "2a @ 4800 bps", "2b @ 4800 bps"},
        0);
  CB_wMBus_Radio_Channel->SetDropDownCount(9);
  label(L_Option_Scan, "L_Option_Scan");
  L_Option_Scan->Font().SetStyle(fsBold);
  check(CB_Opt_App_Reset, "CB_Opt_App_Reset");
  check(CB_Opt_SND_NKE, "CB_Opt_SND_NKE");
  label(L_Opt_Cut_After, "L_Opt_Cut_After");
  E_Opt_Cut_After = Make_Edit(this, P_Main, "E_Opt_Cut_After", Bounds(Control_Left, 0, 60, 21), "3");
  check(CB_Opt_Use_Fix_C_Field, "CB_Opt_Use_Fix_C_Field");
  CB_Opt_Use_Fix_C_Field->SetWidth(140);
  combo(CB_Opt_Use_Fix_C_Field_Value, "CB_Opt_Use_Fix_C_Field_Value", {"0x5X", "0x7X"}, 0, 80);
  check(CB_Opt_Check_BCD_to_Int, "CB_Opt_Check_BCD_to_Int");
  check(CB_Opt_Enable_Remote_Scan, "CB_Opt_Enable_Remote_Scan");
}

void TFScanDecode::Make_Engine(const TScanEndpoints& endpoints) {
  TR_ScanDecode.reset();
  FEndpoints = endpoints;
  TR_ScanDecode = std::make_unique<TMBusScanDecode>(TDispatcher{}, endpoints);
}

void TFScanDecode::Use_Endpoints(const TScanEndpoints& endpoints) {
  if (TR_ScanDecode && TR_ScanDecode->InScan()) return;
  const bool shown = Visible();
  Make_Engine(endpoints);
  if (shown) TR_ScanDecode->Open_Gate();
}

void TFScanDecode::FormCreate(TObject*) {
  Make_Engine(FEndpoints);
  Setup_Tree(VST);
  Setup_Tree(VST_Wireless);
  Form_Type = 0;
  CB_ScanMethod->SetItemIndex(0);
  Colomns_Width_Init();
  P_W_Table->SetHeight(200);
  Set_Lang();
  Form_Style(1);
}

void TFScanDecode::FormShow(TObject*) {
  Draw_Images();
  Move_Object_Type_Form();
  Update_List_of_COM_Port();
  TR_ScanDecode->Open_Gate();
  Load_IP_Address();
  Form_Style(1);
}

void TFScanDecode::Load_IP_Address() {
  if (!FileExists(FileName_ParGen)) return;
  TXmlDocument doc;
  if (!doc.LoadFromFile(FileName_ParGen)) return;
  const TXmlNode root = doc.DocumentElement();
  std::string prefix = "IP_";
  switch (XML_Code_Dev) {
  case 15:
    prefix = "Modbus_TCP_Slave_IP";
    break;
  case 11:
  case 17:
  case 20:
    prefix = "PROFINET_IP";
    break;
  case 10:
  case 16:
  case 19:
    prefix = "Eth_IP";
    break;
  case 6:
    prefix = "BACnet_IP";
    break;
  case 18:
    prefix = "Ethernet_IP";
    break;
  default:
    break;
  }
  TEdit* boxes[] = {E_IP1, E_IP2, E_IP3, E_IP4};
  for (int i = 0; i < 4; ++i) {
    const TXmlNode element = root.Child(prefix + std::to_string(i + 1));
    if (element) boxes[i]->SetText(element.Text());
  }
}

void TFScanDecode::Wait_For_Scan_End() {
  const std::int64_t deadline = Clock().NowMs() + 3 * (1000 + FScan_Add_TimeOut);
  const TCursor before = Cursor();
  SetCursor(crHourGlass);
  while (TR_ScanDecode->InScan()) {
    const std::int64_t left = deadline - Clock().NowMs();
    if (left <= 0) break;
    if (TR_ScanDecode->Wait_For_End(std::min<std::int64_t>(left, 50))) break;
    Repaint_Windows();
  }
  SetCursor(before);
}

void TFScanDecode::FormClose(TObject*, TCloseAction&) {
  T_InScan->SetEnabled(false);
  // The engine runs its closing steps (the gateway leaves analyzer or configuration mode) before
  // the gate closes; InScan is never forced.
  if (TR_ScanDecode->InScan()) {
    TR_ScanDecode->Abort_Scan();
    TR_ScanDecode->Open_Gate();
    Wait_For_Scan_End();
  }
  TR_ScanDecode->Close_Gate();
}

void TFScanDecode::BtnClick(TObject* Sender) {
  if (Sender == Btn_StartScan)
    Select_Scan();
  else if (Sender == Btn_StopScan)
    StopScan();
  else if (Sender == Btn_AbortScan)
    AbortScan();
  else if (Sender == Btn_NewScan)
    NewScan();
  else if (Sender == Btn_SaveConf)
    Select_SaveXML(0);
  else if (Sender == Btn_SaveConfManual)
    Select_SaveXML(1);
}

void TFScanDecode::CB_HardwareTypeChange(TObject*) {
  Move_Object_Type_Form();
}

void TFScanDecode::IP_KeyPress(TObject* Sender, WideChar& Key) {
  if (Key != '.') return;
  Key = 0;
  TEdit* next = Sender == E_IP1 ? E_IP2 : Sender == E_IP2 ? E_IP3 : Sender == E_IP3 ? E_IP4 : nullptr;
  if (next && next->CanFocus()) next->SetFocus();
}

void TFScanDecode::Btn_COM_ListClick(TObject*) {
  Update_List_of_COM_Port();
}

void TFScanDecode::Update_List_of_COM_Port() {
  CB_ComPort->Items().Clear();
  for (const std::string& n : List_COM_Ports())
    CB_ComPort->Items().Add("COM" + n);
  if (CB_ComPort->Items().Count() > 0) CB_ComPort->SetItemIndex(0);
}

bool TFScanDecode::Wireless_Method() const {
  return Form_Type == 1 && CB_ScanMethod->ItemIndex() == 1;
}

void TFScanDecode::Select_Scan() {
  if (Wireless_Method())
    StarScanWireless();
  else
    StartScan();
}

void TFScanDecode::StartScan() {
  if (TR_ScanDecode->InScan()) {
    MessageDlg(Lang_Text(2126), mtError, mbOK);
    return;
  }
  const bool serial = CB_HardwareType->ItemIndex() == 1;
  // The boxes reach the gateway's address as typed: refuse what no address is.
  if (!serial) {
    for (TEdit* box : {E_IP1, E_IP2, E_IP3, E_IP4})
      if (!Is_Octet(box->Text())) {
        MessageDlg(Lang_Text(Txt_Scan_Bad_IP), mtError, mbOK);
        return;
      }
  }
  Cancel_Device_List();
  TWiredScanSettings s;
  s.ScanT = CB_ScanBy->ItemIndex() == 0 ? TScanType::saPrimaryAddress : TScanType::saSecondaryAddress;
  if (serial) {
    s.SelHard = TSelectHard::shSerial;
    s.IP_COM = "\\\\.\\" + CB_ComPort->Text();
  } else {
    s.SelHard = TSelectHard::shEthernet;
    s.IP_COM = E_IP1->Text() + "." + E_IP2->Text() + "." + E_IP3->Text() + "." + E_IP4->Text();
  }
  s.Baud = Number_Or(CB_MBus_Baud->Text(), 2400);
  s.Par = CB_MBus_Parity->ItemIndex();
  s.AppReset = CB_Opt_App_Reset->Checked();
  s.SNDNKE = CB_Opt_SND_NKE->Checked();
  s.CutAfter = Number_Or(E_Opt_Cut_After->Text(), 3);
  s.FixCField = CB_Opt_Use_Fix_C_Field->Checked();
  s.FixCFieldValue = static_cast<std::uint8_t>(std::max(CB_Opt_Use_Fix_C_Field_Value->ItemIndex(), 0));
  s.RemoteTimeout = CB_Opt_Enable_Remote_Scan->Checked();
  LB_AvailableDevice->Clear();
  LB_AvailableDevice->SetVisible(true);
  TR_ScanDecode->Set_Result_File("", {});
  FScan_Add_TimeOut = s.RemoteTimeout ? 10000 : 0;
  std::weak_ptr<bool> alive = FAlive;
  bool started = false;
  try {
    started = TR_ScanDecode->Start_Scan(s, [this, alive](int kind, int id, int found, int scanKind) {
      if (!alive.expired()) Show_Scan_Progress(kind, id, found, scanKind);
    });
  } catch (const std::exception& e) {
    MessageDlg(e.what(), mtError, mbOK);
    return;
  }
  if (!started) {
    MessageDlg(Lang_Text(2126), mtError, mbOK);
    return;
  }
  Form_Style(2);
  T_InScan->SetEnabled(true);
}

void TFScanDecode::StarScanWireless() {
  if (TR_ScanDecode->InScan()) {
    MessageDlg(Lang_Text(2126), mtError, mbOK);
    return;
  }
  for (TEdit* box : {E_IP1, E_IP2, E_IP3, E_IP4})
    if (!Is_Octet(box->Text())) {
      MessageDlg(Lang_Text(Txt_Scan_Bad_IP), mtError, mbOK);
      return;
    }
  // "-1" would reach the engine as 65535.
  if (!Is_Port(E_Port->Text())) {
    MessageDlg(Lang_Text(Txt_Scan_Bad_Port), mtError, mbOK);
    return;
  }
  TWirelessScanSettings s;
  s.Port = static_cast<std::uint16_t>(std::stoi(E_Port->Text()));
  Cancel_Device_List_Wireless();
  s.IP_COM = E_IP1->Text() + "." + E_IP2->Text() + "." + E_IP3->Text() + "." + E_IP4->Text();
  s.SelHard = TSelectHard::shEthernet;
  static const int Modes[] = {1, 5, 15, 17, 11};
  s.wMBus_Mode = Modes[std::clamp(CB_wMBus_Mode->ItemIndex(), 0, 4)];
  s.wMBus_Radio_Channel = std::max(CB_wMBus_Radio_Channel->ItemIndex(), 0);
  s.RemoteTimeout = CB_Opt_Enable_Remote_Scan->Checked();
  s.FromDLL = false;
  Cancel_Grid_Wireless();
  FScan_Add_TimeOut = s.RemoteTimeout ? 10000 : 0;
  std::weak_ptr<bool> alive = FAlive;
  const bool started = TR_ScanDecode->Start_Scan_Wireless(
      s, [this, alive](int index, const std::optional<TSlave_wMBus>& slave) {
        if (!alive.expired()) Show_Wireless_Slave(index, slave);
      });
  if (!started) {
    MessageDlg(Lang_Text(2126), mtError, mbOK);
    return;
  }
  Form_Style(4);
  T_InScan->SetEnabled(true);
}

void TFScanDecode::StopScan() {
  if (TR_ScanDecode->InScan()) TR_ScanDecode->Stop_Scan();
}

void TFScanDecode::AbortScan() {
  if (TR_ScanDecode->InScan()) TR_ScanDecode->Abort_Scan();
}

void TFScanDecode::NewScan() {
  Cancel_Device_List();
  Form_Style(1);
}

void TFScanDecode::T_InScanTimer(TObject*) {
  T_InScan->SetEnabled(false);
  if (TR_ScanDecode->InScan()) {
    T_InScan->SetEnabled(true);
    return;
  }
  if (TR_ScanDecode->Result() == 2) {
    MessageDlg(Lang_Text(2129), mtError, mbOK);
    Form_Style(1);
  } else if (CB_ScanMethod->ItemIndex() == 1) {
    Form_Style(5);
  } else {
    Form_Style(3);
    Show_Slave_in_Tree();
  }
  if (Cyclic_Scan) {
    const int count = Wireless_Method() ? List_Slave_wMBus().Count() : List_Slave_MBus().Count();
    if (count != 30) {
      ++Error_Cyclic;
      Label1->SetCaption(std::to_string(Error_Cyclic));
    }
    Select_Scan();
  }
}

void TFScanDecode::Ciclic1Click(TObject*) {
  Cyclic_Scan = true;
  Error_Cyclic = 0;
  Select_Scan();
}

void TFScanDecode::Form_Style(int Index) {
  CB_HardwareType->SetItemIndex(0);
  CB_HardwareType->SetEnabled(false);
  if (Index < 1 || Index > 5) return;
  FFace = Index;
  const bool wired = Index == 2 || Index == 3;
  const bool wireless = Index == 4 || Index == 5;
  P_Main->SetVisible(true);
  P_TreeView->SetVisible(wired);
  P_View_Wireless->SetVisible(wireless);
  if (wired) P_TreeView->BringToFront();
  if (wireless) P_View_Wireless->BringToFront();
  for (TLbButton* b :
       {Btn_StartScan, Btn_StopScan, Btn_AbortScan, Btn_NewScan, Btn_SaveConf, Btn_SaveConfManual})
    b->SetVisible(false);
  auto place = [](TLbButton* b, int left) {
    b->SetLeft(left);
    b->SetVisible(true);
  };
  const int first = Button_Left;
  const int second = first + Button_Width + 8;
  const int third = second + Button_Width + 8;
  switch (Index) {
  case 1:
    place(Btn_StartScan, first);
    break;
  case 2:
  case 4:
    place(Btn_StopScan, first);
    place(Btn_AbortScan, second);
    break;
  case 3:
  case 5: {
    place(Btn_NewScan, first);
    place(Btn_SaveConf, second);
    const bool manual =
        Index == 3 ? !(XML_Code_Dev == 6 || XML_Code_Dev == 11 || XML_Code_Dev == 15 || XML_Code_Dev == 20)
                   : XML_Code_Dev != 15;
    if (manual) place(Btn_SaveConfManual, third);
    break;
  }
  }
  if (Index == 2) {
    L_ScanProgress->SetCaption(Lang_Text(2118));
    L_AvailableDevice->SetVisible(true);
    LB_AvailableDevice->SetVisible(true);
    VST->TControl::SetVisible(false);
    L_Num_Slave->SetVisible(false);
  } else if (Index == 3) {
    L_ScanProgress->SetCaption(Lang_Text(2119));
    L_Num_Slave->SetVisible(true);
    VST->TControl::SetVisible(true);
    L_AvailableDevice->SetVisible(false);
    LB_AvailableDevice->SetVisible(false);
  }
}

void TFScanDecode::Move_Object_Type_Form() {
  const bool choice = Form_Type == 1;
  const bool wireless = Wireless_Method();
  const bool serial = CB_HardwareType->ItemIndex() == 1;
  auto row = [](TLabel* label, int labelLeft, int labelTop, std::initializer_list<TControl*> controls) {
    label->SetLeft(labelLeft);
    label->SetTop(labelTop);
    label->SetVisible(true);
    for (TControl* c : controls) {
      c->SetTop(labelTop - 3);
      c->SetVisible(true);
    }
  };
  auto check = [](TCheckBox* c, int top) {
    c->SetLeft(Section_Left);
    c->SetTop(top);
    c->SetVisible(true);
  };
  // Everything hidden first; each layout shows its rows.
  for (int i = 0; i < P_Main->ControlCount(); ++i)
    P_Main->Controls(i)->SetVisible(false);
  const int shift = choice ? 32 : 0;
  if (choice) row(L_ScanMethod, Row_Left, 11, {CB_ScanMethod});
  auto address_row = [&](int top) {
    if (serial) {
      row(L_ComPort, Section_Left, top, {CB_ComPort});
      Btn_COM_List->SetLeft(CB_ComPort->Left() + CB_ComPort->Width() + 6);
      Btn_COM_List->SetTop(CB_ComPort->Top() - 3);
      Btn_COM_List->SetVisible(true);
    } else {
      row(L_IP, Section_Left, top, {E_IP1, E_IP2, E_IP3, E_IP4, L_IP_Dot1, L_IP_Dot2, L_IP_Dot3});
      for (TLabel* dot : {L_IP_Dot1, L_IP_Dot2, L_IP_Dot3})
        dot->SetTop(top);
    }
  };
  if (!wireless) {
    row(L_ScanBy, Row_Left, 11 + shift, {CB_ScanBy});
    row(L_HardwareType, Row_Left, 43 + shift, {CB_HardwareType});
    address_row(67 + shift);
    row(L_MBus_ParGen, Row_Left, 99 + shift, {});
    row(L_MBus_Baud, Section_Left, 123 + shift, {CB_MBus_Baud});
    row(L_MBus_Parity, Section_Left, 147 + shift, {CB_MBus_Parity});
    row(L_Option_Scan, Row_Left, 179 + shift, {});
    check(CB_Opt_App_Reset, 203 + shift);
    check(CB_Opt_SND_NKE, 227 + shift);
    row(L_Opt_Cut_After, Section_Left, 251 + shift, {E_Opt_Cut_After});
    check(CB_Opt_Use_Fix_C_Field, 275 + shift);
    CB_Opt_Use_Fix_C_Field_Value->SetTop(272 + shift);
    CB_Opt_Use_Fix_C_Field_Value->SetVisible(true);
    check(CB_Opt_Check_BCD_to_Int, 299 + shift);
    check(CB_Opt_Enable_Remote_Scan, 323 + shift);
  } else {
    row(L_HardwareType, Row_Left, 43, {CB_HardwareType});
    address_row(67);
    row(L_Port, Section_Left, 91, {E_Port});
    if (XML_Code_Dev == 12 || XML_Code_Dev == 15 || XML_Code_Dev == 18) E_Port->SetText("10001");
    E_Port->SetEnabled(!(XML_Code_Dev == 12 || XML_Code_Dev == 15));
    row(L_MBus_ParGen, Row_Left, 123, {});
    row(L_wMBus_Mode, Section_Left, 155, {CB_wMBus_Mode});
    row(L_wMBus_Radio_Channel, Section_Left, 179, {CB_wMBus_Radio_Channel});
    row(L_Option_Scan, Row_Left, 211, {});
    check(CB_Opt_Check_BCD_to_Int, 235);
    check(CB_Opt_Enable_Remote_Scan, 259);
  }
  SetClientHeight(choice ? ScanDecode_Height_Choice : ScanDecode_Height_Wired);
}

void TFScanDecode::Set_Lang() {
  SetCaption(Lang_Text(2100));
  L_SW_Code->SetCaption(Lang_Text(2101));
  L_SW_Desc->SetCaption(Lang_Text(2102));
  L_ScanBy->SetCaption(Lang_Text(2103));
  L_HardwareType->SetCaption(Lang_Text(2106));
  L_IP->SetCaption(Lang_Text(2109));
  L_ComPort->SetCaption(Lang_Text(2110));
  L_MBus_ParGen->SetCaption(Lang_Text(2111));
  L_MBus_Baud->SetCaption(Lang_Text(2112));
  L_MBus_Parity->SetCaption(Lang_Text(2113));
  L_Option_Scan->SetCaption(Lang_Text(2114));
  CB_Opt_App_Reset->SetCaption(Lang_Text(2115));
  CB_Opt_SND_NKE->SetCaption(Lang_Text(2116));
  L_Opt_Cut_After->SetCaption(Lang_Text(2117));
  L_ScanProgress->SetCaption(Lang_Text(2118));
  L_AvailableDevice->SetCaption(Lang_Text(2120));
  Btn_StartScan->SetCaption(Lang_Text(2121));
  Btn_StopScan->SetCaption(Lang_Text(2122));
  Btn_AbortScan->SetCaption(Lang_Text(2123));
  Btn_NewScan->SetCaption(Lang_Text(2124));
  Btn_SaveConf->SetCaption(Lang_Text(2125));
  L_ScanMethod->SetCaption(Lang_Text(2131));
  L_wMBus_Mode->SetCaption(Lang_Text(2134));
  L_wMBus_Radio_Channel->SetCaption(Lang_Text(2135));
  L_Port->SetCaption(Lang_Text(2136));
  Btn_SaveConfManual->SetCaption(Lang_Text(2139));
  CB_Opt_Use_Fix_C_Field->SetCaption(Lang_Text(2140));
  CB_Opt_Check_BCD_to_Int->SetCaption(Lang_Text(2141));
  CB_Opt_Enable_Remote_Scan->SetCaption(Lang_Text(2142));
  auto refill = [](TComboBox* c, int first, int second) {
    c->Items().Clear();
    c->Items().Add(Lang_Text(first));
    c->Items().Add(Lang_Text(second));
    c->SetItemIndex(0);
  };
  refill(CB_ScanBy, 2104, 2105);
  refill(CB_HardwareType, 2107, 2108);
  refill(CB_ScanMethod, 2132, 2133);
}
