// A small dialog written the way the program's windows are: controls created in the constructor,
// owned by the form and named, events bound to methods; every event is written to Log.
#pragma once

#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"

#include <string>
#include <vector>

class TFSample : public TForm {
public:
  explicit TFSample(TComponent* AOwner) : TForm(AOwner) {
    SetName("FSample");
    SetCaption("Sample");
    SetBorderStyle(bsSingle);
    SetPosition(poScreenCenter);
    SetClientWidth(360);
    SetClientHeight(220);
    Font().SetName("Verdana");
    Font().SetHeight(-11);

    P_Title = Make<TPanel>("P_Title", this);
    P_Title->SetAlign(alTop);
    P_Title->SetHeight(40);
    P_Title->SetBevelOuter(bvNone);
    P_Title->SetColor(RGB(248, 247, 237));
    L_Title = Make<TLabel>("L_Title", P_Title);
    L_Title->SetBounds(16, 8, 10, 10);
    L_Title->SetCaption("Set the address");

    L_IP = Make<TLabel>("L_IP", this);
    L_IP->SetBounds(14, 55, 10, 10);
    L_IP->SetCaption("IP &Address");
    E_IP1 = Make<TEdit>("E_IP1", this);
    E_IP1->SetBounds(191, 52, 55, 21);
    E_IP2 = Make<TEdit>("E_IP2", this);
    E_IP2->SetBounds(252, 52, 55, 21);
    L_IP->SetFocusControl(E_IP1);

    L_Band = Make<TLabel>("L_Band", this);
    L_Band->SetBounds(14, 83, 10, 10);
    L_Band->SetCaption("RF Band");
    CB_Band = Make<TComboBox>("CB_Band", this);
    CB_Band->SetStyle(csDropDownList);
    CB_Band->SetBounds(191, 80, 120, 22);
    for (const char* band : {"AS923", "AU915", "EU868", "US915"})
      CB_Band->Items().Add(band);
    CB_Band->SetItemIndex(0);

    CB_DHCP = Make<TCheckBox>("CB_DHCP", this);
    CB_DHCP->SetBounds(14, 110, 200, 17);
    CB_DHCP->SetCaption("Obtain an address au&tomatically");
    CB_Gateway = Make<TCheckBox>("CB_Gateway", this);
    CB_Gateway->SetBounds(14, 132, 200, 17);
    CB_Gateway->SetCaption("Gateway");
    CB_Gateway->SetVisible(false);

    P_Button = Make<TPanel>("P_Button", this);
    P_Button->SetAlign(alBottom);
    P_Button->SetHeight(40);
    Btn_OK = Make<TButton>("Btn_OK", P_Button);
    Btn_OK->SetBounds(117, 6, 110, 28);
    Btn_OK->SetAnchors(akTop | akRight);
    Btn_OK->SetCaption("OK");
    Btn_OK->SetDefault(true);
    Btn_Cancel = Make<TButton>("Btn_Cancel", P_Button);
    Btn_Cancel->SetBounds(235, 6, 110, 28);
    Btn_Cancel->SetAnchors(akTop | akRight);
    Btn_Cancel->SetCaption("Cancel");
    Btn_Cancel->SetCancel(true);
    Btn_Cancel->SetModalResult(mrCancel);

    OnCreate = [this](TObject*) { Log.push_back("FormCreate"); };
    OnShow = [this](TObject*) { Log.push_back("FormShow"); };
    E_IP1->OnExit = [this](TObject*) { Log.push_back("E_IP1.Exit " + E_IP1->Text()); };
    E_IP1->OnKeyPress = [this](TObject*, WideChar& key) {
      // The octet jump: "." moves to the next box and is never typed.
      if (key == '.') {
        if (E_IP2->CanFocus()) E_IP2->SetFocus();
        key = 0;
      }
    };
    CB_Band->OnChange = [this](TObject*) { Log.push_back("CB_Band.Change " + CB_Band->Text()); };
    CB_DHCP->OnClick = [this](TObject*) {
      Log.push_back(std::string("CB_DHCP.Click ") + (CB_DHCP->Checked() ? "1" : "0"));
      E_IP1->SetEnabled(!CB_DHCP->Checked());
      E_IP2->SetEnabled(!CB_DHCP->Checked());
    };
    Btn_OK->OnClick = [this](TObject*) {
      Log.push_back("Btn_OK.Click");
      SetModalResult(mrOk);
    };
  }

  template <class T> T* Make(const std::string& name, TWinControl* parent) {
    T* control = new T(this);
    control->SetName(name);
    control->SetParent(parent);
    return control;
  }

  TPanel* P_Title;
  TLabel* L_Title;
  TLabel* L_IP;
  TEdit* E_IP1;
  TEdit* E_IP2;
  TLabel* L_Band;
  TComboBox* CB_Band;
  TCheckBox* CB_DHCP;
  TCheckBox* CB_Gateway;
  TPanel* P_Button;
  TButton* Btn_OK;
  TButton* Btn_Cancel;
  std::vector<std::string> Log;
};
