// The New Configuration dialog: asks for a name and creates the configuration's folder.
#pragma once

#include "controls/LbButton.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"

class TFNew_Project : public TForm {
public:
  explicit TFNew_Project(TComponent* AOwner);

  TPanel* P_Title;
  TLabel* L_SW_Code;
  TLabel* L_SW_Desc;
  TLabel* Label1;
  TEdit* E_New_Proj;
  TPanel* P_Buttons;
  TLbButton* Btn_OK;
  TLbButton* Btn_Cancel;

  void FormCreate(TObject* Sender);
  void Set_Lang();
  void FormShow(TObject* Sender);
  void E_New_ProjKeyPress(TObject* Sender, WideChar& Key);
  // Creates the configuration and closes with OK; a name that cannot be used is reported and the
  // dialog stays open with the name as typed.
  void Btn_OKClick(TObject* Sender);
};
