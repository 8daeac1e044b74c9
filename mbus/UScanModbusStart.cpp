#include "mbus/UScanModbusStart.h"

#include "app/ULanguage.h"
#include "mbus/MBusLook.h"
#include "mbus/ScanDialogChecks.h"
#include "platform/Dialogs.h"

TFScanModbusStart* FScanModbusStart = nullptr;

using namespace MBusLook;

namespace {
constexpr int Client_Width = 331;
constexpr int Client_Height = 162;
} // namespace

TFScanModbusStart::TFScanModbusStart(TComponent* AOwner) : TForm(AOwner) {
  SetName("FScanModbusStart");
  SetBorderStyle(bsSingle);
  SetBorderIcons(biSystemMenu);
  SetPosition(poScreenCenter);
  Set_Form_Look(this, Client_Width, Client_Height);

  P_Title = Make_Title(this, L_SW_Code, L_SW_Desc);
  P_Button = Make_Panel(this, this, "P_Button", 40);
  P_Button->SetAlign(alBottom);
  Btn_OK =
      Make_Button(this, P_Button, "Btn_OK", Bounds(88, 6, 110, 28), [this](TObject* s) { Btn_OKClick(s); });
  Btn_Cancel = Make_Button(this, P_Button, "Btn_Cancel", Bounds(210, 6, 110, 28), nullptr);
  Btn_Cancel->SetModalResult(mrCancel);
  L_StartModAdd = Make_Label(this, this, "L_StartModAdd", 16, 80);
  E_StartModAdd = Make_Edit(this, this, "E_StartModAdd", Bounds(16, 96, 120, 21));
  OnCreate = [this](TObject* s) { FormCreate(s); };
}

TFScanModbusStart::~TFScanModbusStart() {
  if (FScanModbusStart == this) FScanModbusStart = nullptr;
}

void TFScanModbusStart::FormCreate(TObject*) {
  SetClientWidth(Client_Width);
  SetClientHeight(Client_Height);
  Set_Lang();
}

void TFScanModbusStart::Btn_OKClick(TObject*) {
  int value = 0;
  if (auto message = Check_Start_Modbus(E_StartModAdd->Text(), value)) {
    MessageDlg(*message, mtError, mbOK);
    return;
  }
  StartModAdd = value;
  SetModalResult(mrOk);
}

void TFScanModbusStart::Set_Lang() {
  SetCaption(Lang_Text(2200));
  L_SW_Code->SetCaption(Lang_Text(2201));
  L_SW_Desc->SetCaption(Lang_Text(2202));
  L_StartModAdd->SetCaption(Lang_Text(2203));
  Btn_OK->SetCaption(Lang_Text(2204));
  Btn_Cancel->SetCaption(Lang_Text(2205));
}
