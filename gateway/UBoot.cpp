#include "gateway/UBoot.h"

#include "app/UComon.h"
#include "app/ULanguage.h"
#include "app/UStartProgram.h"
#include "app/Validators.h"
#include "gateway/BootTexts.h"
#include "gateway/GatewayLook.h"
#include "gateway/GatewayShell.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/Format.h"
#include "platform/ui/Application.h"

#include <algorithm>

TFBoot* FBoot = nullptr;

namespace {

using namespace GatewayLook;

constexpr int Client_Width = 449;
constexpr int Update_Option_Count = 3;
constexpr std::int64_t Repaint_Interval_Ms = 100;

// A decimal octet as a person writes it: "0", or 1 to 3 digits without a leading zero, at most 255.
std::optional<int> Octet_Value(const std::string& text) {
  if (text.empty() || text.size() > 3) return std::nullopt;
  if (!std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return std::nullopt;
  if (text.size() > 1 && text[0] == '0') return std::nullopt;
  const int value = std::stoi(text);
  if (value > 255) return std::nullopt;
  return value;
}

// The stored address part as an octet: plain digits, leading zeros dropped.
std::optional<std::string> Normalised_Octet(const std::string& part) {
  if (part.empty() || part.size() > 3 ||
      !std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return std::nullopt;
  return std::to_string(std::stoi(part));
}

// Keeps the windows painted while the updater runs; input stays blocked.
void Repaint_Showing_Forms() {
  static std::int64_t last = 0;
  const std::int64_t now = Clock().NowMs();
  if (now - last < Repaint_Interval_Ms) return;
  last = now;
  for (int i = 0; i < Screen->FormCount(); ++i)
    if (TForm* form = Screen->Forms(i); form && form->Showing()) form->Repaint();
}

class TBusyCursor {
public:
  TBusyCursor() : Previous(Screen->Cursor()) { Screen->SetCursor(crHourGlass); }
  ~TBusyCursor() { Screen->SetCursor(Previous); }
  TBusyCursor(const TBusyCursor&) = delete;
  TBusyCursor& operator=(const TBusyCursor&) = delete;

private:
  TCursor Previous;
};

} // namespace

TFBoot::TFBoot(TComponent* AOwner) : TForm(AOwner) {
  SetName("FBoot");
  SetBorderStyle(bsSingle);
  SetBorderIcons(biSystemMenu);
  SetPosition(poScreenCenter);
  SetClientWidth(Client_Width);
  SetClientHeight(230);
  SetColor(Form_Color);
  Font().SetName("Verdana");
  Font().SetHeight(-11);
  SetShowHint(true);
  Create_Controls();
  OnShow = [this](TObject* s) { FormShow(s); };
}

TFBoot::~TFBoot() {
  if (FBoot == this) FBoot = nullptr;
}

void TFBoot::Create_Controls() {
  P_Title = Make_Title(this, L_SW_Code, L_SW_Desc);

  P_IP_Address = Make_Panel(this, "P_IP_Address", 49);
  L_IP_Address = Make<TLabel>(this, P_IP_Address, "L_IP_Address");
  L_IP_Address->SetBounds(16, 17, 10, 10);
  constexpr int lefts[4] = {191, 252, 313, 374};
  for (std::size_t i = 0; i < 4; ++i) {
    TEdit* e = Make<TEdit>(this, P_IP_Address, "E_IP" + std::to_string(i + 1));
    e->SetBounds(lefts[i], 14, 55, 21);
    e->SetText("0");
    e->OnKeyPress = [this](TObject* s, WideChar& key) { Octet_KeyPress(s, key); };
    E_IP[i] = e;
    if (i < 3) {
      auto* dot = Make<TLabel>(this, P_IP_Address, "L_IP_Dot" + std::to_string(i + 1));
      dot->SetBounds(lefts[i] + 56, 17, 4, 13);
      dot->SetCaption(".");
    }
  }

  // The search for devices in the network has no action in this build and stays hidden.
  P_Eth_Search = Make_Panel(this, "P_Eth_Search", 200);
  L_List_Device = Make<TLabel>(this, P_Eth_Search, "L_List_Device");
  L_List_Device->SetBounds(16, 13, 10, 10);
  Btn_Search = Make<TLbButton>(this, P_Eth_Search, "Btn_Search");
  Btn_Search->SetBounds(323, 6, 110, 28);
  Style_Button(Btn_Search);
  ACG_List_Devices = Make<TProColumnGrid>(this, P_Eth_Search, "ACG_List_Devices");
  ACG_List_Devices->SetBounds(16, 40, 417, 130);
  ACG_List_Devices->SetColCount(2);
  ACG_List_Devices->SetRowCount(2);
  ACG_List_Devices->SetFixedCols(0);
  ACG_List_Devices->SetFixedRows(1);
  ACG_List_Devices->SetColWidths(0, 200);
  ACG_List_Devices->SetColWidths(1, 200);
  CB_Find_All_Qzr = Make<TCheckBox>(this, P_Eth_Search, "CB_Find_All_Qzr");
  CB_Find_All_Qzr->SetBounds(16, 176, 300, 17);
  CB_Find_All_Qzr->Hide();

  P_Options = Make_Panel(this, "P_Options", 72);
  L_Update_Option = Make<TLabel>(this, P_Options, "L_Update_Option");
  L_Update_Option->SetBounds(16, 13, 10, 10);
  CB_Update_Options = Make<TComboBox>(this, P_Options, "CB_Update_Options");
  CB_Update_Options->SetStyle(csDropDownList);
  CB_Update_Options->SetBounds(191, 10, 238, 22);
  CB_Update_Option_Read_Back = Make<TCheckBox>(this, P_Options, "CB_Update_Option_Read_Back");
  CB_Update_Option_Read_Back->SetBounds(191, 42, 238, 17);

  P_Button = Make_Panel(this, "P_Button", 40);
  P_Button->SetAlign(alBottom);
  Btn_Cancel = Make<TLbButton>(this, P_Button, "Btn_Cancel");
  Btn_Cancel->SetBounds(145, 6, 110, 28);
  Btn_Cancel->SetAnchors(akTop | akRight);
  Btn_Cancel->SetModalResult(mrCancel);
  Btn_Update = Make<TLbButton>(this, P_Button, "Btn_Update");
  Btn_Update->SetBounds(263, 6, 170, 28);
  Btn_Update->SetAnchors(akTop | akRight);
  Btn_Update->OnClick = [this](TObject* s) { Btn_UpdateClick(s); };
  Style_Button(Btn_Cancel);
  Style_Button(Btn_Update);

  for (TPanel* p : {P_IP_Address, P_Eth_Search, P_Options})
    p->Hide();
}

void TFBoot::FormShow(TObject*) {
  Set_Lang();
  L_SW_Code->SetCaption(SW_Code);
  for (TPanel* p : {P_IP_Address, P_Eth_Search, P_Options}) {
    p->Hide();
    p->SetAlign(alNone);
  }
  if (Form_Type != Boot_Form_Ethernet) return; // the other transports are not served by this build

  P_IP_Address->Show();
  P_Options->Show();
  SetClientWidth(Client_Width);
  // Aligned to the top in this order below the title.
  int top = P_Title->Height();
  for (TPanel* p : {P_IP_Address, P_Eth_Search, P_Options}) {
    p->SetTop(top++);
    p->SetAlign(alTop);
  }
  SetClientHeight(P_Title->Height() + P_IP_Address->Height() + P_Options->Height() + P_Button->Height());
  int order = 0;
  for (TPanel* p : {P_Title, P_IP_Address, P_Eth_Search, P_Options, P_Button})
    p->SetTabOrder(order++);

  std::string parts[4];
  if (!Last_IP_Address.empty() && Split_IP_Address(Last_IP_Address, parts[0], parts[1], parts[2], parts[3])) {
    std::optional<std::string> octets[4];
    for (int i = 0; i < 4; ++i)
      octets[i] = Normalised_Octet(parts[i]);
    if (std::all_of(std::begin(octets), std::end(octets), [](const auto& o) { return o.has_value(); }))
      for (std::size_t i = 0; i < 4; ++i)
        E_IP[i]->SetText(*octets[i]);
  }
  const bool knownOption = Last_Update_Option >= 0 && Last_Update_Option < Update_Option_Count;
  CB_Update_Options->SetItemIndex(knownOption ? Last_Update_Option : 0);
  CB_Update_Option_Read_Back->SetChecked(Last_Read_Back);
  SetActiveControl(E_IP[0]);
}

void TFBoot::Octet_KeyPress(TObject* Sender, WideChar& Key) {
  if (Key != '.') return;
  for (std::size_t i = 0; i + 1 < E_IP.size(); ++i)
    if (Sender == E_IP[i] && E_IP[i + 1]->CanFocus()) E_IP[i + 1]->SetFocus();
  Key = 0;
}

std::optional<std::string> TFBoot::Device_Address() const {
  std::string address;
  for (std::size_t i = 0; i < E_IP.size(); ++i) {
    std::optional<int> value = Octet_Value(E_IP[i]->Text());
    if (!value) return std::nullopt;
    if (i > 0) address += '.';
    address += std::to_string(*value);
  }
  return address;
}

void TFBoot::Btn_UpdateClick(TObject*) {
  if (Form_Type != Boot_Form_Ethernet || FChecking) return;
  // A text that is no address is refused here: no request is sent, no name looked up.
  std::optional<std::string> address = Device_Address();
  if (!address) {
    MessageDlg(Lang_Text(Txt_Boot_Check_IP), mtError, mbOK);
    return;
  }

  FChecking = true;
  Btn_Update->SetEnabled(false);
  const bool found = Send_Ping(*address);
  Btn_Update->SetEnabled(true);
  FChecking = false;
  if (ModalResult() != mrNone) return; // the dialog was closed during the check

  if (!found) {
    if (FEchoFailure && FEchoFailure->Status == TEchoStatus::NoSocket)
      MessageDlg(Format(Lang_Text(Txt_Boot_No_Echo), {FEchoFailure->Error}), mtError, mbOK);
    else if (ping_res == 2)
      MessageDlg(Lang_Text(Txt_Boot_Device_Not_Found), mtWarning, mbOK);
    else
      MessageDlg(Lang_Text(Txt_Boot_Check_IP), mtError, mbOK);
    return;
  }

  Last_IP_Address = *address;
  Last_Update_Option = std::max(CB_Update_Options->ItemIndex(), 0);
  Last_Read_Back = CB_Update_Option_Read_Back->Checked();
  if (!Compile_XML_Parameter_New_Boot(*address)) return;
  if (!Update_Files_Present()) return;
  Run_Updater();
}

bool TFBoot::Send_Ping(const std::string& address) {
  ping_res = 0;
  FEchoFailure.reset();
  const std::int64_t t0 = Clock().NowMs();
  int answered = 0;
  for (;;) {
    const std::int64_t t1 = Clock().NowMs();
    TEchoReply reply = EchoClient().Echo(address, Ping_Packet_Size, Ping_Timeout_Ms);
    if (reply.Status != TEchoStatus::Answered && reply.Status != TEchoStatus::TimedOut) {
      FEchoFailure = reply;
      return false;
    }
    PingReply(reply);
    // The windows keep working between the requests.
    do {
      Clock().SleepMs(Ping_Wait_Step_Ms);
      Application->ProcessMessages();
    } while (ping_res == 0 && Clock().NowMs() - t1 <= Ping_Timeout_Ms);
    if (ping_res == 1) ++answered;
    if (answered >= 2 || Clock().NowMs() - t0 > Ping_Check_Ms || ModalResult() != mrNone) break;
  }
  return ping_res == 1;
}

void TFBoot::PingReply(const TEchoReply& reply) {
  ping_res = reply.Status == TEchoStatus::Answered && reply.BytesReceived > 0 ? 1 : 2;
}

bool TFBoot::Compile_XML_Parameter_New_Boot(const std::string& address) {
  const int option = std::max(CB_Update_Options->ItemIndex(), 0);
  TGatewayResult written = ::Compile_XML_Parameter_New_Boot(
      Update_Command(address, option, CB_Update_Option_Read_Back->Checked()));
  if (!written) MessageDlg(written.Message, mtError, mbOK);
  return written.Ok;
}

bool TFBoot::Update_Files_Present() {
  const std::string updater = JoinPath(Program_Dir, Updater_Program);
  if (!FileExists(updater)) {
    MessageDlg(Format(Lang_Text(Txt_Boot_Updater_Missing), {"\"" + updater + "\""}), mtError, mbOK);
    return false;
  }
  // The command file names the firmware; the updater would only fail on it midway.
  const TUpdateCommand command = Update_Command({}, std::max(CB_Update_Options->ItemIndex(), 0), false);
  if (Updates_Firmware(command.Update_Option) && !FileExists(Firmware_Path(command))) {
    MessageDlg(Format(Lang_Text(Txt_Boot_Firmware_Missing), {"\"" + Firmware_Path(command) + "\""}), mtError,
               mbOK);
    return false;
  }
  return true;
}

void TFBoot::Run_Updater() {
  const std::string updater = JoinPath(Program_Dir, Updater_Program);
  TProcessResult run;
  {
    TBusyCursor busy;
    TStartProgramIdle previous = Set_Start_Program_Idle(nullptr);
    Set_Start_Program_Idle(previous ? previous : Repaint_Showing_Forms);
    run = Start_Program(updater, "", false);
    Set_Start_Program_Idle(previous);
  }
  if (run.Outcome == TProcessOutcome::NotStarted)
    MessageDlg(Format(Lang_Text(Txt_Boot_Updater_Not_Started), {updater, run.Error}), mtError, mbOK);
}

void TFBoot::Set_Lang() {
  int caption = Txt_Boot_Caption_Ethernet;
  if (Form_Type == Boot_Form_Serial) caption = Txt_Boot_Caption_Serial;
  if (Form_Type == Boot_Form_USB) caption = Txt_Boot_Caption_USB;
  SetCaption(Lang_Text(caption));
  L_SW_Desc->SetCaption(Lang_Text(caption + 1));
  L_IP_Address->SetCaption(Lang_Text(Txt_Boot_IP_Address));
  L_List_Device->SetCaption(Lang_Text(Txt_Boot_List_Device));
  Btn_Search->SetCaption(Lang_Text(Txt_Boot_Search));
  CB_Find_All_Qzr->SetCaption(Lang_Text(Txt_Boot_Find_All));
  L_Update_Option->SetCaption(Lang_Text(Txt_Boot_Update_Option));
  CB_Update_Options->Items().Clear();
  for (int i = 0; i < Update_Option_Count; ++i)
    CB_Update_Options->Items().Add(Lang_Text(Txt_Boot_Option_First + i));
  CB_Update_Options->SetItemIndex(0);
  CB_Update_Option_Read_Back->SetCaption(Lang_Text(Txt_Boot_Read_Back));
  Btn_Cancel->SetCaption(Lang_Text(Txt_Boot_Cancel));
  Btn_Update->SetCaption(Lang_Text(Txt_Boot_Update));
  for (std::size_t i = 0; i < E_IP.size(); ++i)
    E_IP[i]->SetHint(Lang_Text(Txt_Boot_Hint_IP1 + static_cast<int>(i)));
  Btn_Search->SetHint(Lang_Text(Txt_Boot_Hint_Search));
  ACG_List_Devices->Columns().Items(0)->SetHeader(Lang_Text(Txt_Boot_Device_IP));
  ACG_List_Devices->Columns().Items(1)->SetHeader(Lang_Text(Txt_Boot_Device_MAC));
  ACG_List_Devices->SetHint(Lang_Text(Txt_Boot_Hint_List_Devices));
  CB_Find_All_Qzr->SetHint(Lang_Text(Txt_Boot_Hint_Find_All));
  CB_Update_Options->SetHint(Lang_Text(Txt_Boot_Hint_Options));
  CB_Update_Option_Read_Back->SetHint(Lang_Text(Txt_Boot_Hint_Read_Back));
  Btn_Cancel->SetHint(Lang_Text(Txt_Boot_Hint_Cancel));
  Btn_Update->SetHint(Lang_Text(Txt_Boot_Hint_Update));
}
