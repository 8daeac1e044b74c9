// The Open Configuration dialog: lists the configuration folders and lets the user choose one.
#pragma once

#include "controls/LbButton.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"

#include <string>
#include <vector>

class TFOpenConf : public TForm {
public:
  explicit TFOpenConf(TComponent* AOwner);

  TPanel* P_Title;
  TLabel* L_SW_Code;
  TLabel* L_SW_Desc;
  TLabel* Label1;
  TListBox* ListBox1;
  TPanel* P_Buttons;
  TLbButton* Btn_OK;
  TLbButton* Btn_Cancel;

  // The configuration folders found.
  std::vector<std::string> SL;
  // The configuration chosen; empty when there is none to choose.
  std::string Name_Conf;

  void FormCreate(TObject* Sender);
  void Set_Lang();
  void FormShow(TObject* Sender);
  void ListBox1Click(TObject* Sender);
  void Load_Existing_Configuration();
  // Index of the entry of SL equal to snc in any letter case; -1 when none is.
  int Search_Open_Conf(const std::string& snc) const;
};
