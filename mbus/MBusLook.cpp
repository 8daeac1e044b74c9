#include "mbus/MBusLook.h"

namespace MBusLook {

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

TLbButton* Make_Button(TForm* form, TWinControl* parent, const std::string& name, TRect bounds,
                       TNotifyEvent click) {
  auto* b = Make<TLbButton>(form, parent, name);
  b->SetBounds(bounds.Left, bounds.Top, bounds.Right - bounds.Left, bounds.Bottom - bounds.Top);
  b->OnClick = std::move(click);
  Style_Button(b);
  return b;
}

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

TLabel* Make_Label(TForm* form, TWinControl* parent, const std::string& name, int left, int top) {
  auto* l = Make<TLabel>(form, parent, name);
  l->SetLeft(left);
  l->SetTop(top);
  return l;
}

TEdit* Make_Edit(TForm* form, TWinControl* parent, const std::string& name, TRect bounds,
                 const std::string& text) {
  auto* e = Make<TEdit>(form, parent, name);
  e->SetBounds(bounds.Left, bounds.Top, bounds.Right - bounds.Left, bounds.Bottom - bounds.Top);
  e->SetText(text);
  return e;
}

void Set_Form_Look(TForm* form, int width, int height) {
  form->SetColor(Form_Color);
  form->Font().SetName("Verdana");
  form->Font().SetHeight(-11);
  form->SetClientWidth(width);
  form->SetClientHeight(height);
}

} // namespace MBusLook
