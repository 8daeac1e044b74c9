#include "app/UVelmariceFirmWareLook.h"

void Shell_Form_Look(TForm& form) {
  form.SetBorderStyle(bsSingle);
  form.SetBorderIcons(biSystemMenu);
  form.SetPosition(poScreenCenter);
  form.Font().SetName("Verdana");
  form.Font().SetHeight(-11);
  form.SetColor(Shell_Back_Color);
  form.SetShowHint(true);
}

TLabel* Make_Label(TForm& form, TWinControl* parent, const std::string& name, int left, int top) {
  auto* label = Make_Control<TLabel>(form, parent, name);
  label->SetBounds(left, top, 10, 10);
  label->SetTransparent(true);
  return label;
}

TLbButton* Make_Glow_Button(TForm& form, TWinControl* parent, const std::string& name, const TRect& bounds) {
  auto* button = Make_Control<TLbButton>(form, parent, name);
  button->SetBoundsRect(bounds);
  button->SetStyle(bsEncarta);
  button->SetColor(Shell_Back_Color);
  button->SetColorWhenDown(Shell_Down_Color);
  return button;
}

void Make_Title_Panel(TForm& form, TPanel*& panel, TLabel*& code, TLabel*& desc) {
  panel = Make_Control<TPanel>(form, &form, "P_Title");
  panel->SetAlign(alTop);
  panel->SetHeight(69);
  panel->SetBevelOuter(bvNone);
  panel->SetColor(Shell_Title_Color);
  panel->SetShowCaption(false);

  code = Make_Label(form, panel, "L_SW_Code", 16, 2);
  code->Font().SetName("Verdana");
  code->Font().SetHeight(-32);
  code->Font().SetColor(Shell_Grey);

  desc = Make_Label(form, panel, "L_SW_Desc", 16, 46);
  desc->Font().SetName("Verdana");
  desc->Font().SetHeight(-11);
  desc->Font().SetColor(Shell_Grey);
  desc->Font().SetStyle(fsBold);
}

void Make_Button_Panel(TForm& form, int okLeft, TPanel*& panel, TLbButton*& ok, TLbButton*& cancel) {
  panel = Make_Control<TPanel>(form, &form, "P_Buttons");
  panel->SetAlign(alBottom);
  panel->SetHeight(40);
  panel->SetBevelOuter(bvNone);
  panel->SetColor(Shell_Back_Color);
  panel->SetShowCaption(false);
  ok = Make_Glow_Button(form, panel, "Btn_OK", Bounds(okLeft, 6, 110, 28));
  cancel = Make_Glow_Button(form, panel, "Btn_Cancel", Bounds(okLeft + 118, 6, 110, 28));
  cancel->SetModalResult(mrCancel);
}
