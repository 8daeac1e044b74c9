// The look the table and parameter windows share: their background, the title with the software
// code, plain panels and the glow buttons.
#pragma once

#include "controls/LbButton.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"

#include <string>

namespace WindowLook {

constexpr TColor Form_Color = RGB(248, 247, 237);

// A control owned by `owner`, named and placed in `parent`, showing hints as its parent does.
template <class T> T* Make(TComponent* owner, TWinControl* parent, const std::string& name) {
  T* control = new T(owner);
  control->SetName(name);
  control->SetParent(parent);
  control->SetParentShowHint(true);
  return control;
}

// A panel without border or caption, in the window's colour.
TPanel* Make_Panel(TForm* form, TWinControl* parent, const std::string& name, int height);

// Encarta glow buttons in the window's colour, yellow when hot and orange while pressed.
void Style_Button(TLbButton* button);

// The window's title strip "P_Title" along its top: the software code in 32-pixel grey Verdana
// and the bold grey description under it.
TPanel* Make_Title(TForm* form, TLabel*& code, TLabel*& desc);

} // namespace WindowLook
