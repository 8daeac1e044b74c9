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

TLbButton* Make_Glow_Button(TForm& form, TWinControl* parent, const std::string& name, const TRect& bounds) {
  auto* button = Make_Control<TLbButton>(form, parent, name);
  button->SetBoundsRect(bounds);
  button->SetStyle(bsEncarta);
  button->SetColor(Shell_Back_Color);
  button->SetColorWhenDown(Shell_Down_Color);
  return button;
}

TTitlePanel Make_Title_Panel(TForm& form) {
  TTitlePanel title;
  title.Panel = Make_Control<TPanel>(form, &form, "P_Title");
  title.Panel->SetAlign(alTop);
  title.Panel->SetHeight(69);
  title.Panel->SetBevelOuter(bvNone);
  title.Panel->SetColor(Shell_Title_Color);
  title.Panel->SetShowCaption(false);

  title.L_SW_Code = Make_Control<TLabel>(form, title.Panel, "L_SW_Code");
  title.L_SW_Code->SetBounds(16, 2, 10, 10);
  title.L_SW_Code->SetTransparent(true);
  title.L_SW_Code->Font().SetName("Verdana");
  title.L_SW_Code->Font().SetHeight(-32);
  title.L_SW_Code->Font().SetColor(Shell_Grey);

  title.L_SW_Desc = Make_Control<TLabel>(form, title.Panel, "L_SW_Desc");
  title.L_SW_Desc->SetBounds(16, 46, 10, 10);
  title.L_SW_Desc->SetTransparent(true);
  title.L_SW_Desc->Font().SetName("Verdana");
  title.L_SW_Desc->Font().SetHeight(-11);
  title.L_SW_Desc->Font().SetColor(Shell_Grey);
  title.L_SW_Desc->Font().SetStyle(fsBold);
  return title;
}

TPanel* Make_Button_Panel(TForm& form) {
  auto* panel = Make_Control<TPanel>(form, &form, "P_Buttons");
  panel->SetAlign(alBottom);
  panel->SetHeight(40);
  panel->SetBevelOuter(bvNone);
  panel->SetColor(Shell_Back_Color);
  panel->SetShowCaption(false);
  return panel;
}
