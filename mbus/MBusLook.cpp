#include "mbus/MBusLook.h"

namespace MBusLook {

TLbButton* Make_Button(TForm* form, TWinControl* parent, const std::string& name, TRect bounds,
                       TNotifyEvent click) {
  auto* b = Make<TLbButton>(form, parent, name);
  b->SetBounds(bounds.Left, bounds.Top, bounds.Right - bounds.Left, bounds.Bottom - bounds.Top);
  b->OnClick = std::move(click);
  Style_Button(b);
  return b;
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
