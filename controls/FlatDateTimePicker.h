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

  TColor ButtonColor() const { return FButtonColors.Color; }
  void SetButtonColor(TColor c) {
    FButtonColors.Color = c;
    Invalidate();
  }
  TColor ButtonColorHot() const { return FButtonColors.ColorHot; }
  void SetButtonColorHot(TColor c) { FButtonColors.ColorHot = c; }
  TColor ButtonColorDown() const { return FButtonColors.ColorDown; }
  void SetButtonColorDown(TColor c) { FButtonColors.ColorDown = c; }
  TColor ButtonTextColor() const { return FButtonColors.TextColor; }
  void SetButtonTextColor(TColor c) {
    FButtonColors.TextColor = c;
    Invalidate();
  }
  TColor ButtonTextColorHot() const { return FButtonColors.TextColorHot; }
  void SetButtonTextColorHot(TColor c) { FButtonColors.TextColorHot = c; }
  TColor ButtonTextColorDown() const { return FButtonColors.TextColorDown; }
  void SetButtonTextColorDown(TColor c) { FButtonColors.TextColorDown = c; }
  TColor ButtonBorderColor() const { return FButtonColors.BorderColor; }
  void SetButtonBorderColor(TColor c) {
    FButtonColors.BorderColor = c;
    Invalidate();
  }
  int ButtonWidth() const { return FButtonWidth; }
  bool ButtonHover() const { return FHotState.ButtonHover; }

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
  TDropDownButtonColors FButtonColors;
  int FButtonWidth = 17 + 2; // the system's vertical scroll bar and two
  bool FIsWinXP;
  bool FMetroStyle = false;
  TColor FFocusBorderColor = clNone;
  bool FDisabledBorder = false;
  TDropDownHotState FHotState;
  bool FFocusBorder = false;
  bool FCtl3D;
};
