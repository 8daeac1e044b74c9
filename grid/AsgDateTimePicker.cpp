#include "grid/AsgDateTimePicker.h"

#include "controls/ProStyleIF.h"
#include "controls/ProStyleIFSystem.h"
#include "platform/ui/Application.h"
#include "platform/ui/KeyState.h"
#include "platform/ui/ThemeDraw.h"

#include <vector>

namespace {

constexpr TColor DisabledFrameColor = 0xB99D7F;
constexpr int ScrollBarWidth = 17;

} // namespace

TAsgDateTimePicker::TAsgDateTimePicker(TComponent* AOwner)
    : TDateTimePicker(AOwner), FIsThemed(IsComCtl6()), FButtonWidth(ScrollBarWidth + 2),
      FIsWinXP(RunsOnXPOrLater()) {}

std::string TAsgDateTimePicker::Version() const {
  const std::uint32_t v = GetVersionNr();
  return std::to_string(v >> 24) + "." + std::to_string((v >> 16) & 0xFF) + "." +
         std::to_string((v >> 8) & 0xFF) + "." + std::to_string(v & 0xFF);
}

void TAsgDateTimePicker::SetBorderStyle(TBorderStyle value) {
  if (value == FBorderStyle) return;
  FBorderStyle = value;
  Invalidate();
}

void TAsgDateTimePicker::SetBorderColor(TColor value) {
  if (value == FBorderColor) return;
  FBorderColor = value;
  Invalidate();
}

void TAsgDateTimePicker::SetMetroStyle(bool value) {
  if (value == FMetroStyle) return;
  FMetroStyle = value;
  Invalidate();
}

void TAsgDateTimePicker::SetCtl3D(bool value) {
  FCtl3D = value;
  Invalidate();
}

bool TAsgDateTimePicker::MetroActive() const {
  return FMetroStyle;
}

bool TAsgDateTimePicker::ThemesOn() const {
  return FIsThemed && IsThemeActive();
}

bool TAsgDateTimePicker::NewerPlatform() const {
  return StyleSystem().KernelExports("GetLocaleInfoEx");
}

bool TAsgDateTimePicker::Hot() const {
  return FMouseInControl || Screen->ActiveControl() == this;
}

bool TAsgDateTimePicker::MouseButtonDown() const {
  return GetAsyncKeyState(VK_LBUTTON) < 0 || GetAsyncKeyState(VK_RBUTTON) < 0;
}

bool TAsgDateTimePicker::FlatBorderShown() const {
  return !FCtl3D && FBorderColor != clNone;
}

bool TAsgDateTimePicker::MetroBordersShown() const {
  return MetroActive() && (!Enabled() || FBorderColor != clNone || FFocusBorderColor != clNone);
}

bool TAsgDateTimePicker::PaintsOver() const {
  return FlatBorderShown() || MetroActive();
}

void TAsgDateTimePicker::PaintOver(TCanvas& canvas) {
  // What the system draws in the frame goes inside the control's own one-pixel frame here.
  if (FlatBorderShown()) DrawFlatBorder(canvas);
  if ((!Enabled() && ThemesOn() && !FDisabledBorder) || (FFocusBorderColor != clNone && FHasFocus) ||
      FBorderColor != clNone)
    DrawMetroBorders(canvas);
  if ((FCtl3D && !MetroActive()) || !NewerPlatform()) return;
  if (MetroActive() && Kind() != dtkTime) {
    if (IsComCtl6()) {
      const int right = ClientWidth();
      const TRect clear = IsThemeActive() ? Rect(right - FButtonWidth - 15, 1, right, Height())
                                          : Rect(right - FButtonWidth - 2, 4, right - 2, Height() - 4);
      canvas.Brush().SetStyle(bsSolid);
      canvas.Brush().SetColor(Color());
      canvas.FillRect(clear);
    }
    DrawMetroButton(canvas);
  }
  DrawMetroBorders(canvas);
}

void TAsgDateTimePicker::DrawFlatBorder(TCanvas& canvas) {
  const bool parentColour = FBorderStyle == bsNone && Parent();
  canvas.Pen().SetStyle(psSolid);
  canvas.Pen().SetColor(parentColour ? Parent()->Color() : FIsThemed ? DisabledFrameColor : FBorderColor);
  const int W = Width(), H = Height();
  canvas.Polyline(std::vector<TPoint>{{0, H}, {0, 0}, {W - 1, 0}, {W - 1, H - 1}, {0, H - 1}});
  if (FBorderStyle == bsSingle && Parent()) canvas.Pen().SetColor(Parent()->Color());
  if (FBorderStyle == bsNone || Parent())
    canvas.Polyline(std::vector<TPoint>{{1, H - 2}, {1, 1}, {W - 1, 1}});
}

void TAsgDateTimePicker::DrawMetroBorders(TCanvas& canvas) {
  if (!MetroBordersShown()) return;
  DrawDropDownFrame(canvas, Rect(0, 0, Width(), Height()), FrameLook());
  if (FIsWinXP && ThemesOn()) return;
  TRect b = Rect(ClientWidth() - FButtonWidth, 2, Width() - 2, Height() - 2);
  if (Hot()) {
    DrawEdge(canvas, b, BDR_RAISEDINNER, BF_RECT | (DroppedDown() ? BF_FLAT : 0u));
    return;
  }
  FillButtonFaceAroundArrow(canvas, b, ClientWidth(), ClientHeight(), FButtonWidth);
}

void TAsgDateTimePicker::DrawMetroButton(TCanvas& canvas) {
  TRect r = Rect(ClientWidth() - FButtonWidth + 2 + 1, 1, Width() - 1, Height() - 1);
  const bool down = MouseButtonDown();
  if (FButtonColor != clNone) {
    const TColor fill = down && FButtonHover ? FButtonColorDown
                        : FButtonHover       ? FButtonColorHot
                                             : FButtonColor;
    r.Left += 2;
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(fill);
    canvas.FillRect(r);
    canvas.Pen().SetStyle(psSolid);
    canvas.Pen().SetColor(FButtonBorderColor);
    canvas.MoveTo(r.Left, r.Top);
    canvas.LineTo(r.Left, r.Bottom);
    const TColor arrow = down ? FButtonTextColorDown : FButtonTextColor;
    if (arrow != clNone) {
      canvas.Pen().SetColor(arrow);
      canvas.Brush().SetColor(arrow);
      canvas.Polygon(
          std::vector<TPoint>{{r.Left + 5, r.Top + 7}, {r.Left + 11, r.Top + 7}, {r.Left + 8, r.Top + 10}});
    }
  } else if (HTHEME theme = ThemesOn() ? OpenThemeData(this, "combobox") : nullptr) {
    const int state = DropDownButtonThemeState(Enabled(), down, FButtonHover, DroppedDown());
    DrawThemeBackground(theme, canvas, CP_DROPDOWNBUTTON, state, r);
    CloseThemeData(theme);
  } else {
    DrawFrameControl(canvas, r, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | (Enabled() ? DFCS_FLAT : DFCS_INACTIVE));
  }
}

void TAsgDateTimePicker::DoEnter() {
  FHasFocus = true;
  Invalidate();
  TDateTimePicker::DoEnter();
}

void TAsgDateTimePicker::DoExit() {
  FHasFocus = false;
  Invalidate();
  TDateTimePicker::DoExit();
}

void TAsgDateTimePicker::CMMouseEnter(TMessage& Message) {
  TDateTimePicker::CMMouseEnter(Message);
  if (!FMouseInControl && Enabled()) {
    FMouseInControl = true;
    Invalidate();
  }
}

void TAsgDateTimePicker::CMMouseLeave(TMessage& Message) {
  TDateTimePicker::CMMouseLeave(Message);
  if (FMouseInControl && Enabled()) FMouseInControl = false;
  FButtonHover = false;
  Invalidate();
}

void TAsgDateTimePicker::MouseMove(TShiftState Shift, int X, int Y) {
  TDateTimePicker::MouseMove(Shift, X, Y);
  const bool hover = X > Width() - FButtonWidth && X < Width();
  if (hover != FButtonHover) {
    FButtonHover = hover;
    Invalidate();
  }
}

TDropDownFrame TAsgDateTimePicker::FrameLook() const {
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
