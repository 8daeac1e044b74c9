// The flat look of the date and time picker: its frame, its border colours and, in the Metro
// look, its own drop-down button.
#include "controls/DropDownFrame.h"
#include "controls/ProStyleIF.h"
#include "dropdowns/ProDateTimePicker.h"
#include "platform/ui/Application.h"
#include "platform/ui/KeyState.h"
#include "platform/ui/ThemeDraw.h"

#include <vector>

namespace {

constexpr TColor ThemedFrameColor = 0xB99D7F;

bool MouseButtonDown() {
  return GetAsyncKeyState(VK_LBUTTON) < 0 || GetAsyncKeyState(VK_RBUTTON) < 0;
}

} // namespace

void TCustomDateTimePicker::SetBorderStyle(TBorderStyle Value) {
  if (Value == FBorderStyle) return;
  FBorderStyle = Value;
  Invalidate();
}

void TCustomDateTimePicker::SetBorderColor(TColor Value) {
  if (Value == FBorderColor) return;
  FBorderColor = Value;
  Invalidate();
}

void TCustomDateTimePicker::SetMetroStyle(bool Value) {
  if (Value == FMetroStyle) return;
  FMetroStyle = Value;
  Invalidate();
}

void TCustomDateTimePicker::SetCtl3D(bool Value) {
  FCtl3D = Value;
  Invalidate();
}

void TCustomDateTimePicker::SetFocusBorderColor(TColor Value) {
  FFocusBorderColor = Value;
  Invalidate();
}

void TCustomDateTimePicker::SetDisabledBorder(bool Value) {
  FDisabledBorder = Value;
  Invalidate();
}

bool TCustomDateTimePicker::Hot() const {
  return FMouseInControl || Screen->ActiveControl() == this;
}

bool TCustomDateTimePicker::PaintsOver() const {
  return !FCtl3D || (!NoCustomBorder() && FMetroStyle);
}

void TCustomDateTimePicker::PaintOver(TCanvas& canvas) {
  if (!FCtl3D) DrawFlatFrame(canvas);
  if (NoCustomBorder() || !FMetroStyle) return;
  if (Kind() != dtkTime) DrawButton(canvas);
  if (!Enabled() || FBorderColor != clNone || (FHasFocus && FFocusBorderColor != clNone)) DrawBorder(canvas);
}

void TCustomDateTimePicker::DrawFlatFrame(TCanvas& canvas) {
  const TColor parent = Parent() ? Parent()->Color() : clBtnFace;
  const TColor outer = FBorderStyle == bsNone ? parent : IsComCtl6() ? ThemedFrameColor : FBorderColor;
  const int W = Width(), H = Height();
  canvas.Pen().SetStyle(psSolid);
  canvas.Pen().SetColor(outer);
  canvas.Polyline(std::vector<TPoint>{{0, H - 1}, {0, 0}, {W - 1, 0}, {W - 1, H - 1}, {0, H - 1}});
  if (FBorderStyle == bsNone || FBorderStyle == bsSingle) {
    canvas.Pen().SetColor(parent);
    canvas.Polyline(std::vector<TPoint>{{1, H - 2}, {1, 1}, {W - 2, 1}, {W - 2, H - 2}, {1, H - 2}});
  }
}

void TCustomDateTimePicker::DrawBorder(TCanvas& canvas) {
  TDropDownFrame look;
  look.Enabled = Enabled();
  look.Themed = IsComCtl6();
  look.DisabledBorder = FDisabledBorder;
  look.HasFocus = FHasFocus;
  look.HotFocus = false;
  look.BorderColor = FBorderColor;
  look.FocusBorderColor = FFocusBorderColor;
  look.ParentColor = Parent() ? Parent()->Color() : clBtnFace;
  look.Color = Color();
  look.ButtonWidth = FButtonWidth;
  DrawDropDownFrame(canvas, Rect(0, 0, Width(), Height()), look);
}

void TCustomDateTimePicker::DrawButton(TCanvas& canvas) {
  const int right = ClientWidth();
  // The platform's own button goes under the control's colour first.
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(Color());
  canvas.FillRect(Rect(right - FButtonWidth - 15, 1, right, Height()));
  TRect r = Rect(right - FButtonWidth + 3, 1, Width() - 1, Height() - 1);
  const bool down = MouseButtonDown();
  if (FButtonColor != clNone) {
    const TColor fill = down && FButtonHover ? FButtonColorDown
                        : FButtonHover       ? FButtonColorHot
                                             : FButtonColor;
    r.Left += 2;
    canvas.Brush().SetColor(fill == clNone ? FButtonColor : fill);
    canvas.FillRect(r);
    canvas.Pen().SetStyle(psSolid);
    canvas.Pen().SetColor(FButtonBorderColor == clNone ? FButtonColor : FButtonBorderColor);
    canvas.MoveTo(r.Left, r.Top);
    canvas.LineTo(r.Left, r.Bottom);
    const TColor arrow = down && FButtonTextColorDown != clNone ? FButtonTextColorDown : FButtonTextColor;
    if (arrow != clNone) {
      canvas.Pen().SetColor(arrow);
      canvas.Brush().SetColor(arrow);
      canvas.Polygon(
          std::vector<TPoint>{{r.Left + 5, r.Top + 7}, {r.Left + 11, r.Top + 7}, {r.Left + 8, r.Top + 10}});
    }
    return;
  }
  if (HTHEME theme = IsThemeActive() ? OpenThemeData(this, "combobox") : nullptr) {
    const int state = !Enabled()                       ? CBXS_DISABLED
                      : down && DroppedDown()          ? CBXS_PRESSED
                      : FButtonHover && !DroppedDown() ? CBXS_HOT
                                                       : CBXS_NORMAL;
    DrawThemeBackground(theme, canvas, CP_DROPDOWNBUTTON, state, r);
    CloseThemeData(theme);
    return;
  }
  DrawFrameControl(canvas, r, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | (Enabled() ? DFCS_FLAT : DFCS_INACTIVE));
}

void TCustomDateTimePicker::DoEnter() {
  FHasFocus = true;
  Invalidate();
  TDateTimePicker::DoEnter();
}

void TCustomDateTimePicker::DoExit() {
  FHasFocus = false;
  Invalidate();
  TDateTimePicker::DoExit();
}

void TCustomDateTimePicker::CMMouseEnter(TMessage& Message) {
  TDateTimePicker::CMMouseEnter(Message);
  if (!FMouseInControl && Enabled()) {
    FMouseInControl = true;
    Invalidate();
  }
}

void TCustomDateTimePicker::CMMouseLeave(TMessage& Message) {
  TDateTimePicker::CMMouseLeave(Message);
  if (Enabled()) FMouseInControl = false;
  FButtonHover = false;
  Invalidate();
}

void TCustomDateTimePicker::MouseMove(TShiftState Shift, int X, int Y) {
  TDateTimePicker::MouseMove(Shift, X, Y);
  const bool hover = X > Width() - FButtonWidth && X < Width();
  if (hover != FButtonHover) {
    FButtonHover = hover;
    Invalidate();
  }
}
