// The options window: the language, chosen from the language files present, the four option flags,
// and a check for a newer version.
#pragma once

#include "controls/LbButton.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"

#include <string>
#include <vector>

// Language slots on one page.
constexpr int Languages_Per_Page = 6;

class TFSoftOptions : public TForm {
public:
  explicit TFSoftOptions(TComponent* AOwner);

  TPanel* P_Title;
  TLabel* L_SW_Code;
  TLabel* L_SW_Desc;
  TPageControl* PC_Options;
  TTabSheet* TS_Language;
  TTabSheet* TS_Con_Options;
  TTabSheet* TS_Soft_Settings;
  TLabel* L_Sel_Lang;
  TImage* I_L1;
  TImage* I_L2;
  TImage* I_L3;
  TImage* I_L4;
  TImage* I_L5;
  TImage* I_L6;
  TLabel* L_L1;
  TLabel* L_L2;
  TLabel* L_L3;
  TLabel* L_L4;
  TLabel* L_L5;
  TLabel* L_L6;
  TLbButton* Btn_Prev;
  TLbButton* Btn_Next;
  TLabel* L_Page_Lang;
  TCheckBox* CB_En_Con;
  TCheckBox* CB_Update;
  TLbButton* Btn_Check_Update;
  TLinkLabel* LL_Check_Update;
  TCheckBox* CB_Soft_Set_Jump_Table;
  TCheckBox* CB_DoubleClick_Auto_Size;
  TPanel* P_Buttons;
  TLbButton* Btn_OK;
  TLbButton* Btn_Cancel;

  // The language files found (names with their extension), sorted.
  std::vector<std::string> SL_Languages;
  // The page of language slots shown, from 1.
  int Show_Page = 1;
  // The language chosen in this window.
  std::string Language_In_Use;

  void FormCreate(TObject* Sender);
  void Set_Lang();
  void FormShow(TObject* Sender);
  void Create_Lang_List();
  void Update_Lang_Page(int Num_Page);
  // Next and Previous.
  void Btn_NextClick(TObject* Sender);
  // A flag or a name of a language slot.
  void LangClick(TObject* Sender);
  void Update_CheckBox();
  void CB_En_ConClick(TObject* Sender);
  void Btn_Check_UpdateClick(TObject* Sender);
  void LL_Check_UpdateLinkClick(TObject* Sender, const std::string& Link, TSysLinkType LinkType);
  void Btn_OKClick(TObject* Sender);

  // Pages of language slots; at least 1.
  int Page_Count() const;

private:
  TImage* Flag(int slot) const;
  TLabel* Name(int slot) const;
  void Show_Page_Label();
};
