#include "app/UNew_Project.h"

#include "app/ShellTexts.h"
#include "app/UComon.h"
#include "app/ULanguage.h"
#include "app/UVelmariceFirmWareLook.h"
#include "controls/ProUtilUnicode.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/Format.h"

#include <string>

namespace {

// The configurations folder holds a folder of this name in any letter case (the name's folder
// would be the same one on a file system that ignores case).
bool Configuration_Exists(const std::string& name) {
  const std::string wanted = UnicodeUpperCase(name);
  for (const std::string& folder : ListSubFolders(Projects_Dir))
    if (UnicodeUpperCase(folder) == wanted) return true;
  return DirectoryExists(JoinPath(Projects_Dir, name));
}

} // namespace

TFNew_Project::TFNew_Project(TComponent* AOwner) : TForm(AOwner) {
  SetName("FNew_Project");
  Shell_Form_Look(*this);
  SetClientWidth(331);
  SetClientHeight(162);

  Make_Title_Panel(*this, P_Title, L_SW_Code, L_SW_Desc);

  Label1 = Make_Label(*this, this, "Label1", 16, 76);
  E_New_Proj = Make_Control<TEdit>(*this, this, "E_New_Proj");
  E_New_Proj->SetBounds(16, 94, 297, 21);
  E_New_Proj->SetTabStop(true);

  Make_Button_Panel(*this, 93, P_Buttons, Btn_OK, Btn_Cancel);

  OnCreate = [this](TObject* s) { FormCreate(s); };
  OnShow = [this](TObject* s) { FormShow(s); };
  E_New_Proj->OnKeyPress = [this](TObject* s, WideChar& k) { E_New_ProjKeyPress(s, k); };
  Btn_OK->OnClick = [this](TObject* s) { Btn_OKClick(s); };
}

void TFNew_Project::FormCreate(TObject*) {
  L_SW_Code->SetCaption(SW_Code);
  SetClientWidth(331);
  SetClientHeight(162);
  Set_Lang();
}

void TFNew_Project::Set_Lang() {
  SetCaption(Lang_Text(100));
  L_SW_Desc->SetCaption(Lang_Text(101));
  Label1->SetCaption(Lang_Text(102));
  Btn_OK->SetCaption(Lang_Text(103));
  Btn_Cancel->SetCaption(Lang_Text(104));
  E_New_Proj->SetHint(Lang_Text(108));
  Btn_OK->SetHint(Lang_Text(109));
  Btn_Cancel->SetHint(Lang_Text(110));
}

void TFNew_Project::FormShow(TObject*) {
  E_New_Proj->SetText("");
  if (E_New_Proj->CanFocus()) E_New_Proj->SetFocus();
}

void TFNew_Project::E_New_ProjKeyPress(TObject*, WideChar& Key) {
  if (Key != 13) return;
  Key = 0;
  Btn_OKClick(Btn_OK);
}

void TFNew_Project::Btn_OKClick(TObject*) {
  const std::string name = E_New_Proj->Text();
  if (name.empty()) {
    MessageDlg(Lang_Text(107), mtError, mbOK);
    return;
  }
  // A name that would leave the configurations folder, or that the folder could not keep as typed.
  if (!IsSafeFileName(name)) {
    MessageDlg(Lang_Text(105), mtError, mbOK);
    return;
  }
  if (Configuration_Exists(name)) {
    MessageDlg(Lang_Text(106), mtError, mbOK);
    return;
  }
  const std::string folder = JoinPath(Projects_Dir, name);
  // The name passed its checks: a folder that cannot be made is the folder's fault, not the name's.
  if (!CreateDir(folder)) {
    MessageDlg(Format(Lang_Text(Text_Folder_Not_Created), {"\"" + folder + "\""}), mtError, mbOK);
    return;
  }
  ForceDirectories(JoinPath(folder, "bin"));
  Project_Name = name;
  Project_Path = folder;
  Set_Files();
  SetModalResult(mrOk);
}
