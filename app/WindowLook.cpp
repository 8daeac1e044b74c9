#include "app/WindowLook.h"

namespace WindowLook {

namespace {

void Make_Title_Labels(TForm* form, TPanel* title, TLabel*& code, TLabel*& desc) {
  code = Make<TLabel>(form, title, "L_SW_Code");
  code->SetBounds(16, 8, 10, 10);
  code->Font().SetName("Verdana");
  code->Font().SetHeight(-32);
  code->Font().SetColor(clGray);
  desc = Make<TLabel>(form, title, "L_SW_Desc");
  desc->SetBounds(16, 42, 10, 10);
  desc->Font().SetName("Verdana");
  desc->Font().SetHeight(-11);
  desc->Font().SetStyle(fsBold);
  desc->Font().SetColor(clGray);
}

} // namespace

TPanel* Make_Panel(TForm* form, TWinControl* parent, const std::string& name, int height) {
  auto* panel = Make<TPanel>(form, parent, name);
  panel->SetHeight(height);
  panel->SetBevelOuter(bvNone);
  panel->SetShowCaption(false);
  panel->SetColor(Form_Color);
  return panel;
}

void Style_Button(TLbButton* button) {
  button->SetStyle(bsEncarta);
  button->SetColor(Form_Color);
  button->SetHotTrackColor(clYellow);
  button->SetColorWhenDown(RGB(255, 128, 0));
}

TPanel* Make_Title(TForm* form, TLabel*& code, TLabel*& desc) {
  TPanel* title = Make_Panel(form, form, "P_Title", 69);
  title->SetAlign(alTop);
  Make_Title_Labels(form, title, code, desc);
  return title;
}

} // namespace WindowLook
