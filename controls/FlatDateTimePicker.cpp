#include "controls/FlatDateTimePicker.h"

#include "controls/ProStyleIF.h"
#include "platform/ui/Application.h"
#include "platform/ui/KeyState.h"
#include "platform/ui/ThemeDraw.h"

#include <vector>

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
  return FMouseInControl || Screen->ActiveControl() == this;
}

bool TFlatDateTimePicker::ThemesOn() const {
  return FIsThemed && IsThemeActive();
}

bool TFlatDateTimePicker::MouseButtonDown() {
  return GetAsyncKeyState(VK_LBUTTON) < 0 || GetAsyncKeyState(VK_RBUTTON) < 0;
}

TDropDownFrame TFlatDateTimePicker::FrameLook() const {
  TDropDownFrame look;
  look.Enabled = Enabled();
  look.Themed = FIsThemed;
  look.DisabledBorder = FDisabledBorder;
  look.HasFocus = FHasFocus;
  look.HotFocus = Hot() && FFocusBorder;
  look.BorderColor = FBorderColor;
  look.FocusBorderColor = FFocusBorderColor;
  look.ParentColor = Parent() ? Parent()->Color() : clBtnFace;
  look.Color = Color();
  look.ButtonWidth = FButtonWidth;
  return look;
}

void TFlatDateTimePicker::DrawDropDownButton(TCanvas& canvas, TRect r, TButtonRules rules) {
  const bool down = MouseButtonDown();
  if (FButtonColor != clNone) {
    auto orNormal = [&](TColor c, TColor normal) {
      return rules.UnsetColorsFallBack && c == clNone ? normal : c;
    };
    const TColor fill = down && FButtonHover ? FButtonColorDown
                        : FButtonHover       ? FButtonColorHot
                                             : FButtonColor;
    r.Left += 2;
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(orNormal(fill, FButtonColor));
    canvas.FillRect(r);
    canvas.Pen().SetStyle(psSolid);
    canvas.Pen().SetColor(orNormal(FButtonBorderColor, FButtonColor));
    canvas.MoveTo(r.Left, r.Top);
    canvas.LineTo(r.Left, r.Bottom);
    const TColor arrow = down ? orNormal(FButtonTextColorDown, FButtonTextColor) : FButtonTextColor;
    if (arrow != clNone) {
      canvas.Pen().SetColor(arrow);
      canvas.Brush().SetColor(arrow);
      canvas.Polygon(
          std::vector<TPoint>{{r.Left + 5, r.Top + 7}, {r.Left + 11, r.Top + 7}, {r.Left + 8, r.Top + 10}});
    }
  } else if (HTHEME theme = ThemesOn() ? OpenThemeData(this, "combobox") : nullptr) {
    const int state =
        DropDownButtonThemeState(Enabled(), down, FButtonHover, DroppedDown(), rules.HotWhileHeld);
    DrawThemeBackground(theme, canvas, CP_DROPDOWNBUTTON, state, r);
    CloseThemeData(theme);
  } else {
    DrawFrameControl(canvas, r, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | (Enabled() ? DFCS_FLAT : DFCS_INACTIVE));
  }
}

void TFlatDateTimePicker::DoEnter() {
  FHasFocus = true;
  Invalidate();
  TDateTimePicker::DoEnter();
}

void TFlatDateTimePicker::DoExit() {
  FHasFocus = false;
  Invalidate();
  TDateTimePicker::DoExit();
}

void TFlatDateTimePicker::CMMouseEnter(TMessage& Message) {
  TDateTimePicker::CMMouseEnter(Message);
  if (!FMouseInControl && Enabled()) {
    FMouseInControl = true;
    Invalidate();
  }
}

void TFlatDateTimePicker::CMMouseLeave(TMessage& Message) {
  TDateTimePicker::CMMouseLeave(Message);
  if (Enabled()) FMouseInControl = false;
  FButtonHover = false;
  Invalidate();
}

void TFlatDateTimePicker::MouseMove(TShiftState Shift, int X, int Y) {
  TDateTimePicker::MouseMove(Shift, X, Y);
  const bool hover = X > Width() - FButtonWidth && X < Width();
  if (hover != FButtonHover) {
    FButtonHover = hover;
    Invalidate();
  }
}
