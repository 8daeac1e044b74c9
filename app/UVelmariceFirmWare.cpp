#include "app/UVelmariceFirmWare.h"

#include "app/Composition.h"
#include "app/ShellTexts.h"
#include "app/StartUp.h"
#include "app/UAbout.h"
#include "app/UComon.h"
#include "app/ULanguage.h"
#include "app/UNew_Project.h"
#include "app/UOpenConf.h"
#include "app/USettings.h"
#include "app/USoftOptions.h"
#include "app/UVelmariceFirmWareLook.h"
#include "app/UVelmariceFirmWarePictures.h"
#include "app/UVersionCheck.h"
#include "app/Windows.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/Http.h"
#include "platform/Process.h"
#include "platform/ui/Application.h"

#include <string>

namespace {

using TButtonMember = TLbButton* TFVelmariceFirmWare::*;

// A button of the main window: its caption and hint by text number (-1: none), or a fixed caption.
struct TButtonSpec {
  TButtonMember Member;
  const char* Name;
  int Caption;
  int Hint;
  const char* Fixed_Caption = nullptr;
};

const TButtonSpec Corner_Buttons[] = {
    {&TFVelmariceFirmWare::Btn_Info, "Btn_Info", -1, 12},
    {&TFVelmariceFirmWare::Btn_Opz, "Btn_Opz", -1, 13},
    {&TFVelmariceFirmWare::Btn_Close, "Btn_Close", -1, 14},
};

const TButtonSpec Step_Buttons[] = {
    {&TFVelmariceFirmWare::Btn_New, "Btn_New", 15, 22},
    {&TFVelmariceFirmWare::Btn_Open, "Btn_Open", 16, 23},
    {&TFVelmariceFirmWare::Btn_Prm_Gen, "Btn_Prm_Gen", 20, 24},
    {&TFVelmariceFirmWare::Btn_LoRaWAN_Access, "Btn_LoRaWAN_Access", 21, 25},
    {&TFVelmariceFirmWare::Btn_CreateBin, "Btn_CreateBin", 17, 26},
    {&TFVelmariceFirmWare::Btn_BACnet_SetAccess, "Btn_BACnet_SetAccess", 27, 29},
    {&TFVelmariceFirmWare::Btn_BACnet_EDE_File, "Btn_BACnet_EDE_File", -1, -1, "BACnet EDE File"},
    {&TFVelmariceFirmWare::Btn_MBus, "Btn_MBus", 31, 32},
    {&TFVelmariceFirmWare::Btn_ScanDecode, "Btn_ScanDecode", 33, 34},
    {&TFVelmariceFirmWare::Btn_Modbus_Set_Access, "Btn_Modbus_Set_Access", 36, 37},
    {&TFVelmariceFirmWare::Btn_CAN_Rec_Frame, "Btn_CAN_Rec_Frame", 38, 39},
    {&TFVelmariceFirmWare::Btn_CAN_Send_Frame, "Btn_CAN_Send_Frame", 40, 41},
    {&TFVelmariceFirmWare::Btn_SDO_Server_CANopen, "Btn_SDO_Server_CANopen", 46, 47},
    {&TFVelmariceFirmWare::Btn_SDO_Client_CANopen, "Btn_SDO_Client_CANopen", 48, 49},
    {&TFVelmariceFirmWare::Btn_PDO_CANopen, "Btn_PDO_CANopen", 50, 51},
    {&TFVelmariceFirmWare::Btn_CANopen_EDS, "Btn_CANopen_EDS", 52, 53},
    {&TFVelmariceFirmWare::Btn_DNet_Net, "Btn_DNet_Net", 54, 55},
    {&TFVelmariceFirmWare::Btn_DNet_Offset, "Btn_DNet_Offset", 56, 57},
    {&TFVelmariceFirmWare::Btn_DMX_Default, "Btn_DMX_Default", 58, 59},
    {&TFVelmariceFirmWare::Btn_EtherNetIP_Access, "Btn_EtherNetIP_Access", 60, 61},
    {&TFVelmariceFirmWare::Btn_KNX_Access, "Btn_KNX_Access", -1, -1, "KNX Access"},
    {&TFVelmariceFirmWare::Btn_PROFIBUS_GSD, "Btn_PROFIBUS_GSD", 62, 63},
    {&TFVelmariceFirmWare::Btn_PROFINET_XML, "Btn_PROFINET_XML", 64, 65},
    {&TFVelmariceFirmWare::Btn_IEC61850_Client, "Btn_IEC61850_Client", 66, 67},
    {&TFVelmariceFirmWare::Btn_IEC61850_Access, "Btn_IEC61850_Access", 68, 69},
    {&TFVelmariceFirmWare::Btn_TLS_List_Certificates, "Btn_TLS_List_Certificates", 70, 71},
    {&TFVelmariceFirmWare::Btn_MQTT_Set_Topic, "Btn_MQTT_Set_Topic", 72, 73},
    {&TFVelmariceFirmWare::Btn_OPC_UA_Client_Access, "Btn_OPC_UA_Client_Access", 74, 75},
    {&TFVelmariceFirmWare::Btn_OPC_UA_Server_Access, "Btn_OPC_UA_Server_Access", 76, 77},
    {&TFVelmariceFirmWare::Btn_S7_Protocol_Access, "Btn_S7_Protocol_Access", 78, 79},
    {&TFVelmariceFirmWare::Btn_SNMP_Manager_Access, "Btn_SNMP_Manager_Access", 80, 81},
    {&TFVelmariceFirmWare::Btn_SNMP_Trap, "Btn_SNMP_Trap", 82, 83},
    {&TFVelmariceFirmWare::Btn_SNMP_MIB, "Btn_SNMP_MIB", 84, 85},
};

constexpr int Step_Label_Top = 128;
constexpr int Step_Label_Pitch = 44;

} // namespace

TFVelmariceFirmWare::TFVelmariceFirmWare(TComponent* AOwner) : TForm(AOwner) {
  SetName("FVelmariceFirmWare");
  Shell_Form_Look(*this);
  SetClientWidth(694);
  SetClientHeight(480);

  L_SW_Code = Make_Label(*this, this, "L_SW_Code", 16, 8);
  L_SW_Code->Font().SetName("Verdana");
  L_SW_Code->Font().SetHeight(-32);
  L_SW_Code->Font().SetColor(Shell_Grey);
  L_SW_Desc = Make_Label(*this, this, "L_SW_Desc", 16, 42);
  L_SW_Desc->Font().SetColor(Shell_Grey);
  L_SW_Desc->Font().SetStyle(fsBold);
  L_Begin = Make_Label(*this, this, "L_Begin", 16, 84);
  L_Begin->Font().SetStyle(fsBold);

  Shape2 = Make_Control<TShape>(*this, this, "Shape2");
  Shape2->SetBounds(80, 70, 348, 36);
  Shape2->Pen().SetColor(clSilver);
  Shape2->Brush().SetStyle(bsClear);
  L_Name_Conf = Make_Label(*this, this, "L_Name_Conf", 87, 75);
  L_Name_Conf_L2 = Make_Label(*this, this, "L_Name_Conf_L2", 87, 88);
  L_Name_Conf_L2->Font().SetStyle(fsBold);

  TLabel** steps[] = {&L_Step_1, &L_Step_2, &L_Step_3, &L_Step_4, &L_Step_5, &L_Step_6, &L_Step_7, &L_Step_8};
  for (int k = 0; k < 8; ++k) {
    *steps[k] =
        Make_Label(*this, this, "L_Step_" + std::to_string(k + 1), 16, Step_Label_Top + k * Step_Label_Pitch);
    (*steps[k])->Font().SetStyle(fsBold);
  }

  Shape1 = Make_Control<TShape>(*this, this, "Shape1");
  Shape1->Pen().SetColor(clSilver);
  Shape1->Brush().SetColor(clSilver);

  L_Ormida = Make_Label(*this, this, "L_Ormida", 565, 392);
  L_Ormida->SetCursor(crHandPoint);
  L_Ormida->Font().SetColor(Shell_Grey);
  L_Ormida->Font().SetStyle(fsBold);
  L_Ormida->OnClick = [this](TObject* s) { L_OrmidaClick(s); };

  LL_Update = Make_Control<TLinkLabel>(*this, this, "LL_Update");
  LL_Update->SetBounds(80, 310, 400, 17);
  LL_Update->SetVisible(false);
  LL_Update->OnLinkClick = [this](TObject* s, const std::string& link, TSysLinkType type) {
    LL_UpdateLinkClick(s, link, type);
  };

  Timer_Update = new TTimer(this);
  Timer_Update->SetName("Timer_Update");
  Timer_Update->SetEnabled(false);
  Timer_Update->SetInterval(Version_Check_First_Ms);
  Timer_Update->OnTimer = [this](TObject* s) { Timer_UpdateTimer(s); };

  auto click = [this](TObject* s) { Btn_Click(s); };
  const TBitmap pictures[] = {Info_Picture(), Options_Picture(), Close_Picture()};
  int corner = 0;
  for (const TButtonSpec& spec : Corner_Buttons) {
    TLbButton* b = Make_Glow_Button(*this, this, spec.Name, Bounds(516, 8, 50, 50));
    b->SetGlyph(&pictures[corner++]);
    b->OnClick = click;
    this->*spec.Member = b;
  }
  for (const TButtonSpec& spec : Step_Buttons) {
    TLbButton* b = Make_Glow_Button(*this, this, spec.Name, Bounds(80, 156, 170, 36));
    b->SetAlignment(taLeftJustify);
    if (spec.Fixed_Caption) b->SetCaption(spec.Fixed_Caption);
    b->OnClick = click;
    this->*spec.Member = b;
  }

  OnCreate = [this](TObject* s) { FormCreate(s); };
  OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
}

void TFVelmariceFirmWare::Layout_For_Model() {
  // What every model shows first.
  L_SW_Code->SetBounds(16, 8, L_SW_Code->Width(), L_SW_Code->Height());
  L_SW_Desc->SetLeft(16), L_SW_Desc->SetTop(42);
  L_Begin->SetLeft(16), L_Begin->SetTop(84);
  Shape2->SetBounds(80, 70, 348, 36);
  L_Name_Conf->SetLeft(87), L_Name_Conf->SetTop(75);
  L_Name_Conf_L2->SetLeft(87), L_Name_Conf_L2->SetTop(88);
  for (TLabel* l : {L_SW_Code, L_SW_Desc, L_Begin, L_Name_Conf, L_Name_Conf_L2})
    l->Show();
  Shape2->Show();
  TLbButton* corners[] = {Btn_Info, Btn_Opz, Btn_Close};
  for (int k = 0; k < 3; ++k) {
    corners[k]->SetBounds(516 + 58 * k, 8, 50, 50);
    corners[k]->Show();
  }
  TLabel* steps[] = {L_Step_1, L_Step_2, L_Step_3, L_Step_4, L_Step_5, L_Step_6, L_Step_7, L_Step_8};
  for (int k = 0; k < 8; ++k) {
    steps[k]->SetLeft(16), steps[k]->SetTop(Step_Label_Top + k * Step_Label_Pitch);
    steps[k]->Hide();
  }
  L_Ormida->SetLeft(565), L_Ormida->SetTop(392);
  L_Ormida->Hide();
  for (const TButtonSpec& spec : Step_Buttons)
    (this->*spec.Member)->Hide();
  Btn_New->SetBounds(80, 112, 170, 36);
  Btn_Open->SetBounds(258, 112, 170, 36);
  Btn_Prm_Gen->SetBounds(80, 156, 170, 36);
  Btn_CreateBin->SetBounds(80, 332, 170, 36);
  for (TLbButton* b : {Btn_New, Btn_Open, Btn_Prm_Gen, Btn_CreateBin})
    b->Show();

  // This model's four steps: configuration, communication, LoRaWAN rules, device update.
  for (TLabel* l : {L_Step_1, L_Step_2, L_Step_3, L_Step_4})
    l->Show();
  L_Ormida->SetTop(L_Step_4->Top());
  L_Ormida->Show();
  Btn_LoRaWAN_Access->SetBounds(80, 200, 170, 36);
  Btn_LoRaWAN_Access->Show();
  Btn_CreateBin->SetTop(244);
  Shape1->SetBounds(10, Btn_CreateBin->Top() + 51, 674, 1);
  SetClientWidth(694);
  SetClientHeight(Btn_CreateBin->Top() + 152);
}

void TFVelmariceFirmWare::FormCreate(TObject*) {
  Lang_Texts.clear();
  Layout_For_Model();
  Prepare_Shared_State(ProgramFolder());
  Timer_Update->SetEnabled(Opt_Enable_Internet && Opt_Enable_Update);
  SetCaption(SW_Title);
  Application->SetTitle(SW_Title);
  L_SW_Code->SetCaption(SW_Code);
  L_SW_Desc->SetCaption(SW_Desc);
  L_Ormida->SetCaption(VersionCheckHost());
  Set_Lang();
}

void TFVelmariceFirmWare::FormClose(TObject*, TCloseAction&) {
  // A settings file that cannot be written is reported there; the program still ends.
  Save_Setting();
}

void TFVelmariceFirmWare::Show_Configuration() {
  if (!Project_Path.empty()) {
    L_Name_Conf->SetCaption(Lang_Text(11));
    L_Name_Conf_L2->SetCaption(Project_Name);
  } else {
    L_Name_Conf->SetCaption(Lang_Text(9));
    L_Name_Conf_L2->SetCaption(Lang_Text(10));
  }
}

void TFVelmariceFirmWare::Set_Lang() {
  L_Begin->SetCaption(Lang_Text(0));
  TLabel* steps[] = {L_Step_1, L_Step_2, L_Step_3, L_Step_4, L_Step_5, L_Step_6, L_Step_7, L_Step_8};
  for (int k = 0; k < 8; ++k)
    steps[k]->SetCaption(Lang_Text(k + 1));
  for (const TButtonSpec& spec : Corner_Buttons)
    (this->*spec.Member)->SetHint(Lang_Text(spec.Hint));
  for (const TButtonSpec& spec : Step_Buttons) {
    TLbButton* b = this->*spec.Member;
    if (spec.Caption >= 0) b->SetCaption(Lang_Text(spec.Caption));
    if (spec.Hint >= 0) b->SetHint(Lang_Text(spec.Hint));
  }
  Show_Configuration();
}

void TFVelmariceFirmWare::Change_Language() {
  Set_Lang();
  Set_Lang_Of_Windows();
}

void TFVelmariceFirmWare::Btn_Click(TObject* Sender) {
  if (Sender == Btn_New) return Create_New_Project();
  if (Sender == Btn_Open) return Open_Project();
  if (Sender == Btn_Close) return Close();
  if (Sender == Btn_Info) {
    if (FAbout) FAbout->ShowModal();
    return;
  }
  if (Sender == Btn_Opz) return Show_Options();

  // Every other step works on the open configuration.
  if (Project_Path.empty()) {
    MessageDlg(Lang_Text(Text_Project_Not_Valid), mtError, mbOK);
    return;
  }

  // What a step does comes with its subsystem; a step without an action does nothing yet.
  for (const TButtonSpec& spec : Step_Buttons)
    if (this->*spec.Member == Sender) {
      for (const TStepAction& step : Composition().Steps)
        if (step.Button == spec.Name) return step.Run();
      return;
    }
}

void TFVelmariceFirmWare::Show_Options() {
  if (!FSoftOptions || FSoftOptions->ShowModal() != mrOk) return;
  Save_Setting();
  Timer_Update->SetEnabled(Opt_Enable_Internet && Opt_Enable_Update);
}

void TFVelmariceFirmWare::Create_New_Project() {
  if (!FNew_Project || FNew_Project->ShowModal() != mrOk) return;
  // The dialog has set the state already.
  Show_Configuration();
}

void TFVelmariceFirmWare::Open_Project() {
  if (!FOpenConf || FOpenConf->ShowModal() != mrOk) return;
  Project_Name = FOpenConf->Name_Conf;
  Project_Path = Project_Name.empty() ? std::string() : JoinPath(Projects_Dir, Project_Name);
  Show_Configuration();
  Set_Files();
}

void TFVelmariceFirmWare::L_OrmidaClick(TObject*) {
  OpenURL(Home_Page_Url());
}

void TFVelmariceFirmWare::LL_UpdateLinkClick(TObject*, const std::string& Link, TSysLinkType) {
  OpenURL(Link);
}

void TFVelmariceFirmWare::Timer_UpdateTimer(TObject*) {
  Timer_Update->SetEnabled(false);
  if (Check_Version()) {
    LL_Update->SetCaption(Link_Markup(Download_Page_Url(), Lang_Text(19)));
    LL_Update->Show();
  } else {
    LL_Update->Hide();
  }
  Timer_Update->SetInterval(Version_Check_Every_Ms);
  Timer_Update->SetEnabled(true);
}
