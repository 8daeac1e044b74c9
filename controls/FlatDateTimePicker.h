// The platform's date and time picker with the flat look's state shared by the grid's picker and
// the drop-down editors' picker: border and button colours, the focus, the mouse over the control
// and over its drop-down button, and the drawing of that button.
#pragma once

#include "controls/DropDownFrame.h"
#include "platform/ui/DateTimePicker.h"

class TFlatDateTimePicker : public TDateTimePicker {
public:
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  virtual void SetBorderStyle(TBorderStyle Value);
  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value);
  bool MetroStyle() const { return FMetroStyle; }
  void SetMetroStyle(bool Value);
  bool Ctl3D() const { return FCtl3D; }
  void SetCtl3D(bool Value);

  TColor ButtonColor() const { return FButtonColor; }
  void SetButtonColor(TColor c) {
    FButtonColor = c;
    Invalidate();
  }
  TColor ButtonColorHot() const { return FButtonColorHot; }
  void SetButtonColorHot(TColor c) { FButtonColorHot = c; }
  TColor ButtonColorDown() const { return FButtonColorDown; }
  void SetButtonColorDown(TColor c) { FButtonColorDown = c; }
  TColor ButtonTextColor() const { return FButtonTextColor; }
  void SetButtonTextColor(TColor c) {
    FButtonTextColor = c;
    Invalidate();
  }
  TColor ButtonTextColorHot() const { return FButtonTextColorHot; }
  void SetButtonTextColorHot(TColor c) { FButtonTextColorHot = c; }
  TColor ButtonTextColorDown() const { return FButtonTextColorDown; }
  void SetButtonTextColorDown(TColor c) { FButtonTextColorDown = c; }
  TColor ButtonBorderColor() const { return FButtonBorderColor; }
  void SetButtonBorderColor(TColor c) {
    FButtonBorderColor = c;
    Invalidate();
  }
  int ButtonWidth() const { return FButtonWidth; }
  bool ButtonHover() const { return FButtonHover; }

protected:
  TFlatDateTimePicker(TComponent* AOwner, TColor BorderColor, bool Ctl3D);

  void DoEnter() override;
  void DoExit() override;
  void CMMouseEnter(TMessage& Message) override;
  void CMMouseLeave(TMessage& Message) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;

  // The mouse is over the control, or it is the active control.
  bool Hot() const;
  bool ThemesOn() const;
  static bool MouseButtonDown();
  TDropDownFrame FrameLook() const;

  // Where the two pickers' buttons differ: whether the themed button shows hot while a mouse
  // button is held, and whether an unset hot, down or border colour takes the normal one.
  struct TButtonRules {
    bool HotWhileHeld = false;
    bool UnsetColorsFallBack = false;
  };
  // The drop-down button in R: the button colours when ButtonColor is set, else the theme's
  // combo-box button, else the platform's flat combo-box frame control.
  void DrawDropDownButton(TCanvas& canvas, TRect R, TButtonRules Rules);

  TBorderStyle FBorderStyle = bsNone;
  TColor FBorderColor;
  bool FIsThemed;
  TColor FButtonColorDown = clNone, FButtonBorderColor = clNone, FButtonTextColor = clNone,
         FButtonTextColorHot = clNone, FButtonColor = clNone, FButtonColorHot = clNone,
         FButtonTextColorDown = clNone;
  int FButtonWidth = 17 + 2; // the system's vertical scroll bar and two
  bool FButtonHover = false;
  bool FMouseInControl = false;
  bool FIsWinXP;
  bool FMetroStyle = false;
  TColor FFocusBorderColor = clNone;
  bool FDisabledBorder = false;
  bool FHasFocus = false;
  bool FFocusBorder = false;
  bool FCtl3D;
};
