#include "app/UOpenConf.h"

#include "app/UComon.h"
#include "app/ULanguage.h"
#include "app/UVelmariceFirmWareLook.h"
#include "controls/ProUtilUnicode.h"
#include "platform/Files.h"

TFOpenConf::TFOpenConf(TComponent* AOwner) : TForm(AOwner) {
  SetName("FOpenConf");
  Shell_Form_Look(*this);
  SetBorderStyle(bsSizeable);
  SetBorderIcons(biSystemMenu | biMaximize);
  // The list is laid out on a taller window; it follows the window when FormCreate sizes it.
  SetClientWidth(377);
  SetClientHeight(415);

  Make_Title_Panel(*this, P_Title, L_SW_Code, L_SW_Desc);

  Label1 = Make_Label(*this, this, "Label1", 16, 76);
  ListBox1 = Make_Control<TListBox>(*this, this, "ListBox1");
  ListBox1->SetBounds(16, 94, 335, 273);
  ListBox1->SetTabStop(true);
  ListBox1->SetAnchors(akLeft | akTop | akRight | akBottom);

  Make_Button_Panel(*this, 133, P_Buttons, Btn_OK, Btn_Cancel);
  Btn_OK->SetAnchors(akTop | akRight);
  Btn_OK->SetModalResult(mrOk);
  Btn_Cancel->SetAnchors(akTop | akRight);

  OnCreate = [this](TObject* s) { FormCreate(s); };
  OnShow = [this](TObject* s) { FormShow(s); };
  ListBox1->OnClick = [this](TObject* s) { ListBox1Click(s); };
}

void TFOpenConf::FormCreate(TObject*) {
  L_SW_Code->SetCaption(SW_Code);
  SetClientWidth(377);
  SetClientHeight(351);
  Set_Lang();
}

void TFOpenConf::Set_Lang() {
  SetCaption(Lang_Text(200));
  L_SW_Desc->SetCaption(Lang_Text(201));
  Label1->SetCaption(Lang_Text(202));
  Btn_OK->SetCaption(Lang_Text(203));
  Btn_Cancel->SetCaption(Lang_Text(204));
  ListBox1->SetHint(Lang_Text(205));
  Btn_OK->SetHint(Lang_Text(206));
  Btn_Cancel->SetHint(Lang_Text(207));
}

void TFOpenConf::Load_Existing_Configuration() {
  SL.clear();
  // Only names a later start can open again.
  for (std::string& name : ListSubFolders(Projects_Dir))
    if (IsSafeFileName(name)) SL.push_back(std::move(name));
}

int TFOpenConf::Search_Open_Conf(const std::string& snc) const {
  const std::string wanted = UnicodeUpperCase(snc);
  for (std::size_t i = 0; i < SL.size(); ++i)
    if (UnicodeUpperCase(SL[i]) == wanted) return static_cast<int>(i);
  return -1;
}

void TFOpenConf::FormShow(TObject*) {
  Load_Existing_Configuration();
  ListBox1->Items().Assign(SL);

  std::string open;
  const std::string prefix = IncludeTrailingPathDelimiter(Projects_Dir);
  if (!Project_Path.empty() && Project_Path.compare(0, prefix.size(), prefix) == 0)
    open = Project_Path.substr(prefix.size());

  if (SL.empty()) {
    // Nothing to open: OK leaves no configuration open rather than the one chosen last time.
    Name_Conf.clear();
    return;
  }
  int index = open.empty() ? -1 : Search_Open_Conf(open);
  if (index < 0) index = 0;
  ListBox1->SetItemIndex(index);
  Name_Conf = SL[index];
}

void TFOpenConf::ListBox1Click(TObject*) {
  const int index = ListBox1->ItemIndex();
  if (index >= 0 && index < static_cast<int>(SL.size())) Name_Conf = SL[index];
}
