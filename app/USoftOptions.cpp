#include "app/USoftOptions.h"

#include "app/ShellTexts.h"
#include "app/UComon.h"
#include "app/ULanguage.h"
#include "app/UVelmariceFirmWare.h"
#include "app/UVelmariceFirmWareLook.h"
#include "app/UVersionCheck.h"
#include "app/Windows.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/Process.h"
#include "platform/SysUtils.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace {

constexpr char Language_Extension[] = ".lng";

struct TSlotPlace {
  TPoint Flag;
  TPoint Name;
};
const TSlotPlace Slot_Places[Languages_Per_Page] = {
    {{24, 40}, {80, 56}},   {{26, 94}, {80, 110}},   {{24, 148}, {80, 164}},
    {{254, 40}, {310, 56}}, {{254, 94}, {310, 110}}, {{254, 148}, {310, 164}},
};

bool Ends_With_Extension(const std::string& name) {
  const std::size_t n = sizeof(Language_Extension) - 1;
  return name.size() > n && name.compare(name.size() - n, n, Language_Extension) == 0;
}

std::string Language_Of(const std::string& fileName) {
  return fileName.substr(0, fileName.size() - (sizeof(Language_Extension) - 1));
}

} // namespace

TFSoftOptions::TFSoftOptions(TComponent* AOwner) : TForm(AOwner) {
  SetName("FSoftOptions");
  Shell_Form_Look(*this);
  SetClientWidth(509);
  SetClientHeight(373);

  Make_Title_Panel(*this, P_Title, L_SW_Code, L_SW_Desc);

  Make_Button_Panel(*this, 16, P_Buttons, Btn_OK, Btn_Cancel);

  PC_Options = Make_Control<TPageControl>(*this, this, "PC_Options");
  PC_Options->SetAlign(alClient);
  auto sheet = [this](const char* name) {
    auto* s = new TTabSheet(this);
    s->SetName(name);
    s->SetPageControl(PC_Options);
    s->SetColor(Shell_Back_Color);
    return s;
  };
  TS_Language = sheet("TS_Language");
  TS_Con_Options = sheet("TS_Con_Options");
  TS_Soft_Settings = sheet("TS_Soft_Settings");

  L_Sel_Lang = Make_Label(*this, TS_Language, "L_Sel_Lang", 12, 11);
  L_Sel_Lang->Font().SetStyle(fsBold);
  TImage** flags[] = {&I_L1, &I_L2, &I_L3, &I_L4, &I_L5, &I_L6};
  TLabel** names[] = {&L_L1, &L_L2, &L_L3, &L_L4, &L_L5, &L_L6};
  auto lang_click = [this](TObject* s) { LangClick(s); };
  for (int k = 0; k < Languages_Per_Page; ++k) {
    const std::string n = std::to_string(k + 1);
    TImage* image = Make_Control<TImage>(*this, TS_Language, "I_L" + n);
    image->SetBounds(Slot_Places[k].Flag.X, Slot_Places[k].Flag.Y, 48, 48);
    image->SetTransparent(true);
    image->SetCursor(crHandPoint);
    image->SetTag(k + 1);
    image->OnClick = lang_click;
    *flags[k] = image;
    TLabel* label = Make_Label(*this, TS_Language, "L_L" + n, Slot_Places[k].Name.X, Slot_Places[k].Name.Y);
    label->SetCursor(crHandPoint);
    label->SetTag(k + 1);
    label->OnClick = lang_click;
    *names[k] = label;
  }
  Btn_Prev = Make_Glow_Button(*this, TS_Language, "Btn_Prev", Bounds(12, 204, 110, 28));
  Btn_Next = Make_Glow_Button(*this, TS_Language, "Btn_Next", Bounds(379, 205, 110, 28));
  Btn_Prev->OnClick = Btn_Next->OnClick = [this](TObject* s) { Btn_NextClick(s); };
  L_Page_Lang = Make_Label(*this, TS_Language, "L_Page_Lang", 220, 212);

  auto check_box = [this](TTabSheet* page, const char* name, int left, int top) {
    auto* box = Make_Control<TCheckBox>(*this, page, name);
    box->SetBounds(left, top, 460, 17);
    box->SetTabStop(true);
    box->OnClick = [this](TObject* s) { CB_En_ConClick(s); };
    return box;
  };
  CB_En_Con = check_box(TS_Con_Options, "CB_En_Con", 12, 16);
  CB_Update = check_box(TS_Con_Options, "CB_Update", 36, 47);
  Btn_Check_Update = Make_Glow_Button(*this, TS_Con_Options, "Btn_Check_Update", Bounds(36, 78, 204, 28));
  Btn_Check_Update->OnClick = [this](TObject* s) { Btn_Check_UpdateClick(s); };
  LL_Check_Update = Make_Control<TLinkLabel>(*this, TS_Con_Options, "LL_Check_Update");
  LL_Check_Update->SetBounds(40, 120, 400, 17);
  LL_Check_Update->SetVisible(false);
  LL_Check_Update->OnLinkClick = [this](TObject* s, const std::string& link, TSysLinkType type) {
    LL_Check_UpdateLinkClick(s, link, type);
  };
  CB_Soft_Set_Jump_Table = check_box(TS_Soft_Settings, "CB_Soft_Set_Jump_Table", 12, 16);
  CB_DoubleClick_Auto_Size = check_box(TS_Soft_Settings, "CB_DoubleClick_Auto_Size", 12, 39);

  Btn_OK->OnClick = [this](TObject* s) { Btn_OKClick(s); };
  OnCreate = [this](TObject* s) { FormCreate(s); };
  OnShow = [this](TObject* s) { FormShow(s); };
}

TImage* TFSoftOptions::Flag(int slot) const {
  TImage* const flags[] = {I_L1, I_L2, I_L3, I_L4, I_L5, I_L6};
  return flags[slot - 1];
}

TLabel* TFSoftOptions::Name(int slot) const {
  TLabel* const names[] = {L_L1, L_L2, L_L3, L_L4, L_L5, L_L6};
  return names[slot - 1];
}

void TFSoftOptions::FormCreate(TObject*) {
  SL_Languages.clear();
  L_SW_Code->SetCaption(SW_Code);
  PC_Options->SetActivePage(TS_Con_Options);
  Set_Lang();
}

int TFSoftOptions::Page_Count() const {
  const int count = (static_cast<int>(SL_Languages.size()) + Languages_Per_Page - 1) / Languages_Per_Page;
  return std::max(count, 1);
}

void TFSoftOptions::Show_Page_Label() {
  L_Page_Lang->SetCaption(Lang_Text(305) + std::to_string(Show_Page) + Lang_Text(306) +
                          std::to_string(Page_Count()));
}

void TFSoftOptions::Set_Lang() {
  SetCaption(Lang_Text(300));
  L_SW_Desc->SetCaption(Lang_Text(301));
  TS_Language->SetCaption(Lang_Text(302));
  TS_Con_Options->SetCaption(Lang_Text(303));
  TS_Soft_Settings->SetCaption(Lang_Text(319));
  // A language change while the window is open keeps the page and the language shown.
  L_Sel_Lang->SetCaption(Lang_Text(304) + Language_In_Use);
  Show_Page_Label();
  Btn_Prev->SetCaption(Lang_Text(307));
  Btn_Next->SetCaption(Lang_Text(308));
  Btn_Check_Update->SetCaption(Lang_Text(311));
  Btn_OK->SetCaption(Lang_Text(312));
  Btn_Cancel->SetCaption(Lang_Text(313));
  CB_En_Con->SetCaption(Lang_Text(309));
  CB_Update->SetCaption(Lang_Text(310));
  CB_Soft_Set_Jump_Table->SetCaption(Lang_Text(320));
  CB_DoubleClick_Auto_Size->SetCaption(Lang_Text(321));
}

void TFSoftOptions::FormShow(TObject*) {
  Language_In_Use = Language_Name;
  Create_Lang_List();
  LL_Check_Update->Hide();
  PC_Options->SetActivePage(TS_Language);
  CB_En_Con->SetChecked(Opt_Enable_Internet);
  CB_Update->SetChecked(Opt_Enable_Update);
  CB_Soft_Set_Jump_Table->SetChecked(Opt_Jump_Field_Tables);
  CB_DoubleClick_Auto_Size->SetChecked(Opt_Double_Click_Auto_Size);
  Update_CheckBox();
}

void TFSoftOptions::Create_Lang_List() {
  SL_Languages.clear();
  // Writable files only; a name the loader would refuse (or not find) is not offered.
  for (std::string& file : ListFiles(Language_Dir, Language_Extension))
    if (Ends_With_Extension(file) && IsSafeFileName(Language_Of(file)))
      SL_Languages.push_back(std::move(file));
  // The built-in English texts need no file, so English can always be chosen back.
  const bool english_listed =
      std::any_of(SL_Languages.begin(), SL_Languages.end(),
                  [](const std::string& file) { return SameText(Language_Of(file), Default_Language_Name); });
  if (!english_listed) {
    const std::string english = std::string(Default_Language_Name) + Language_Extension;
    auto lower = [](unsigned char c) { return static_cast<char>(std::tolower(c)); };
    auto before = std::find_if(SL_Languages.begin(), SL_Languages.end(), [&](const std::string& file) {
      return std::lexicographical_compare(english.begin(), english.end(), file.begin(), file.end(),
                                          [&](char a, char b) { return lower(a) < lower(b); });
    });
    SL_Languages.insert(before, english);
  }
  Show_Page = 1;
  Update_Lang_Page(1);
}

void TFSoftOptions::Update_Lang_Page(int Num_Page) {
  L_Sel_Lang->SetCaption(Lang_Text(304) + Language_In_Use);
  Show_Page_Label();
  Btn_Prev->SetVisible(Num_Page > 1);
  Btn_Next->SetVisible(Num_Page < Page_Count());

  const int first = (Num_Page - 1) * Languages_Per_Page;
  const int on_page = std::clamp(static_cast<int>(SL_Languages.size()) - first, 0, Languages_Per_Page);
  const std::string default_flag = JoinPath(Language_Dir, "DefaultFlag.bmp");
  for (int slot = 1; slot <= Languages_Per_Page; ++slot) {
    TImage* flag = Flag(slot);
    TLabel* name = Name(slot);
    if (slot > on_page) {
      flag->Hide();
      name->Hide();
      continue;
    }
    const std::string language = Language_Of(SL_Languages[first + slot - 1]);
    name->SetCaption(language);
    name->Show();
    // The language's own flag, else the default one; a picture that cannot be read counts as missing.
    flag->Picture().Clear();
    const std::string own = JoinPath(Language_Dir, language + ".bmp");
    bool shown = FileExists(own) && flag->Picture().LoadFromFile(own);
    if (!shown) shown = FileExists(default_flag) && flag->Picture().LoadFromFile(default_flag);
    flag->SetVisible(shown);
  }
}

void TFSoftOptions::Btn_NextClick(TObject* Sender) {
  if (Sender == Btn_Next) {
    if (Page_Count() >= Show_Page + 1) ++Show_Page;
  } else if (Show_Page - 1 > 0) {
    --Show_Page;
  }
  Update_Lang_Page(Show_Page);
}

void TFSoftOptions::LangClick(TObject* Sender) {
  const auto* slot_control = dynamic_cast<const TComponent*>(Sender);
  if (!slot_control) return;
  const int entry = (Show_Page - 1) * Languages_Per_Page + static_cast<int>(slot_control->Tag()) - 1;
  if (entry < 0 || entry >= static_cast<int>(SL_Languages.size())) return;
  const std::string name = Language_Of(SL_Languages[entry]);

  if (MessageDlg(Lang_Text(316) + Language_In_Use + Lang_Text(317) + name + Lang_Text(318), mtConfirmation,
                 mbYesNo) != mrYes)
    return;
  Language_In_Use = name;
  // The language becomes the program's only when the window is confirmed.
  const std::string former = Language_Name;
  Language_Name = name;
  Load_Language();
  Language_Name = former;
  if (FVelmariceFirmWare)
    FVelmariceFirmWare->Change_Language();
  else
    Set_Lang();
  L_Sel_Lang->SetCaption(Lang_Text(304) + Language_In_Use);
}

void TFSoftOptions::Update_CheckBox() {
  CB_Update->SetEnabled(CB_En_Con->Checked());
  Btn_Check_Update->SetEnabled(CB_Update->Enabled() && CB_Update->Checked());
}

void TFSoftOptions::CB_En_ConClick(TObject*) {
  Update_CheckBox();
}

void TFSoftOptions::Btn_Check_UpdateClick(TObject*) {
  // "No Update Available" only on the server's word; a check that got no answer says so.
  switch (Ask_Version()) {
  case TVersionAnswer::Newer:
    LL_Check_Update->SetCaption(Link_Markup(Download_Page_Url(), Lang_Text(314)));
    break;
  case TVersionAnswer::NoNewer:
    LL_Check_Update->SetCaption(Lang_Text(315));
    break;
  case TVersionAnswer::NoAnswer:
    LL_Check_Update->SetCaption(Lang_Text(Text_Update_Check_Failed));
    break;
  }
  LL_Check_Update->Show();
}

void TFSoftOptions::LL_Check_UpdateLinkClick(TObject*, const std::string& Link, TSysLinkType) {
  OpenURL(Link);
}

void TFSoftOptions::Btn_OKClick(TObject*) {
  Language_Name = Language_In_Use;
  Opt_Enable_Internet = CB_En_Con->Checked();
  Opt_Enable_Update = CB_Update->Checked();
  Opt_Jump_Field_Tables = CB_Soft_Set_Jump_Table->Checked();
  Opt_Double_Click_Auto_Size = CB_DoubleClick_Auto_Size->Checked();
  SetModalResult(mrOk);
}
