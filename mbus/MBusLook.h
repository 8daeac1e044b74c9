// The look the M-Bus windows share: their background, the title with the software code, plain
// panels and the glow buttons.
#pragma once

#include "app/WindowLook.h"

#include <string>

namespace MBusLook {

using namespace WindowLook;

TLbButton* Make_Button(TForm* form, TWinControl* parent, const std::string& name, TRect bounds,
                       TNotifyEvent click);

TLabel* Make_Label(TForm* form, TWinControl* parent, const std::string& name, int left, int top);
TEdit* Make_Edit(TForm* form, TWinControl* parent, const std::string& name, TRect bounds,
                 const std::string& text = "");

// The form's common frame: Verdana 11 px, the window's colour, the client area.
void Set_Form_Look(TForm* form, int width, int height);

} // namespace MBusLook
