#include "mbus/UInsertKeyWireless.h"

#include "app/ULanguage.h"
#include "mbus/MBusLook.h"
#include "mbus/ScanDialogChecks.h"
#include "mbus/ScanTexts.h"
#include "platform/Dialogs.h"

TFInsertKeyWireless* FInsertKeyWireless = nullptr;

using namespace MBusLook;

TFInsertKeyWireless::TFInsertKeyWireless(TComponent* AOwner) : TForm(AOwner) {
  SetName("FInsertKeyWireless");
  SetBorderStyle(bsNone);
  SetColor(clBtnFace);
  Font().SetName("Verdana");
  Font().SetHeight(-11);
  SetClientWidth(InsertKey_Client_Width);
  SetClientHeight(InsertKey_Client_Height);

  Shape1 = Make<TShape>(this, this, "Shape1");
  Shape1->SetAlign(alClient);
  Shape1->Brush().SetStyle(bsClear);
  Shape1->Pen().SetColor(clGray);
  L_InsKey = Make_Label(this, this, "L_InsKey", 8, 16);
  E_Key = Make_Edit(this, this, "E_Key", Bounds(120, 12, 150, 21));
  E_Key->SetMaxLength(32);
  E_Key->SetCharCase(ecUpperCase);
  Btn_OK = Make_Button(this, this, "Btn_OK", Bounds(276, 9, 96, 28), [this](TObject* s) { Btn_OKClick(s); });
  Btn_Cancel = Make_Button(this, this, "Btn_Cancel", Bounds(378, 9, 96, 28), nullptr);
  Btn_Cancel->SetModalResult(mrCancel);
  for (TLbButton* b : {Btn_OK, Btn_Cancel})
    b->SetColor(clBtnFace);
  OnCreate = [this](TObject* s) { FormCreate(s); };
}

TFInsertKeyWireless::~TFInsertKeyWireless() {
  if (FInsertKeyWireless == this) FInsertKeyWireless = nullptr;
}

void TFInsertKeyWireless::FormCreate(TObject*) {
  SetClientWidth(InsertKey_Client_Width);
  SetClientHeight(InsertKey_Client_Height);
  Set_Lang();
}

bool TFInsertKeyWireless::Check_Data() const {
  for (char c : E_Key->Text())
    if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'))) return false;
  return true;
}

void TFInsertKeyWireless::Btn_OKClick(TObject*) {
  if (auto message = Check_Wireless_Key(E_Key->Text())) {
    MessageDlg(*message, mtError, mbOK);
    return;
  }
  SetModalResult(mrOk);
}

void TFInsertKeyWireless::Set_Lang() {
  L_InsKey->SetCaption(Lang_Text(2300));
  Btn_OK->SetCaption(Lang_Text(2301));
  Btn_Cancel->SetCaption(Lang_Text(2302));
}
