#include "controls/FlatDateTimePicker.h"

#include "controls/ProStyleIF.h"

TFlatDateTimePicker::TFlatDateTimePicker(TComponent* AOwner, TColor BorderColor, bool Ctl3D)
    : TDateTimePicker(AOwner), FBorderColor(BorderColor), FIsThemed(IsComCtl6()), FIsWinXP(RunsOnXPOrLater()),
      FCtl3D(Ctl3D) {}

void TFlatDateTimePicker::SetBorderStyle(TBorderStyle Value) {
  if (Value == FBorderStyle) return;
  FBorderStyle = Value;
  Invalidate();
}

void TFlatDateTimePicker::SetBorderColor(TColor Value) {
  if (Value == FBorderColor) return;
  FBorderColor = Value;
  Invalidate();
}

void TFlatDateTimePicker::SetMetroStyle(bool Value) {
  if (Value == FMetroStyle) return;
  FMetroStyle = Value;
  Invalidate();
}

void TFlatDateTimePicker::SetCtl3D(bool Value) {
  FCtl3D = Value;
  Invalidate();
}

bool TFlatDateTimePicker::Hot() const {
  return FHotState.Hot(*this);
}

bool TFlatDateTimePicker::ThemesOn() const {
  return FIsThemed && IsThemeActive();
}

TDropDownFrame TFlatDateTimePicker::FrameLook() const {
  return DropDownFrameOf(*this, FHotState, FFocusBorder, FIsThemed, FDisabledBorder, FBorderColor,
                         FFocusBorderColor, FButtonWidth);
}

void TFlatDateTimePicker::DrawDropDownButton(TCanvas& canvas, TRect r, TButtonRules rules) {
  TDropDownButton b;
  b.Colors = FButtonColors;
  b.Face = Rect(r.Left + 2, r.Top, r.Right, r.Bottom);
  b.ArrowInset = 5;
  b.Themed = b.Classic = r;
  b.Enabled = Enabled();
  b.ThemesOn = ThemesOn();
  b.Down = DropDownMouseHeld();
  b.Hover = FHotState.ButtonHover;
  b.DroppedDown = DroppedDown();
  b.HotWhileHeld = rules.HotWhileHeld;
  b.UnsetColorsFallBack = rules.UnsetColorsFallBack;
  ::DrawDropDownButton(canvas, *this, b);
}

void TFlatDateTimePicker::DoEnter() {
  FHotState.HasFocus = true;
  Invalidate();
  TDateTimePicker::DoEnter();
}

void TFlatDateTimePicker::DoExit() {
  FHotState.HasFocus = false;
  Invalidate();
  TDateTimePicker::DoExit();
}

void TFlatDateTimePicker::CMMouseEnter(TMessage& Message) {
  TDateTimePicker::CMMouseEnter(Message);
  if (FHotState.MouseEnter(Enabled())) Invalidate();
}

void TFlatDateTimePicker::CMMouseLeave(TMessage& Message) {
  TDateTimePicker::CMMouseLeave(Message);
  FHotState.MouseLeave(Enabled());
  Invalidate();
}

void TFlatDateTimePicker::MouseMove(TShiftState Shift, int X, int Y) {
  TDateTimePicker::MouseMove(Shift, X, Y);
  if (FHotState.MouseMove(X, Width(), FButtonWidth)) Invalidate();
}
