// The look the shell's windows share: colours, fonts, the title panel with the software code, the
// button panel and the glow buttons.
#pragma once

#include "controls/LbButton.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"

#include <string>

constexpr TColor Shell_Back_Color = RGB(248, 247, 237);
constexpr TColor Shell_Down_Color = RGB(255, 128, 0);
constexpr TColor Shell_Grey = RGB(128, 128, 128);
constexpr TColor Shell_Title_Color = RGB(255, 255, 255);

// A control owned by `form`, named and placed in `parent`.
template <class T> T* Make_Control(TForm& form, TWinControl* parent, const std::string& name) {
  T* control = new T(&form);
  control->SetName(name);
  control->SetParent(parent);
  return control;
}

// A transparent label owned by `form`, named and placed at (left, top) in `parent`.
TLabel* Make_Label(TForm& form, TWinControl* parent, const std::string& name, int left, int top);

// Single border with the system menu only, centred, 11-pixel Verdana, the shell's background,
// hints on.
void Shell_Form_Look(TForm& form);

// A glow button in the shell's colours.
TLbButton* Make_Glow_Button(TForm& form, TWinControl* parent, const std::string& name, const TRect& bounds);

// The panel across the top of a dialog: the software code in large grey letters, and a line of
// description under it.
void Make_Title_Panel(TForm& form, TPanel*& panel, TLabel*& code, TLabel*& desc);

// The panel across the bottom of a dialog with its OK button at `okLeft` and Cancel, which closes
// the dialog with mrCancel, beside it.
void Make_Button_Panel(TForm& form, int okLeft, TPanel*& panel, TLbButton*& ok, TLbButton*& cancel);
