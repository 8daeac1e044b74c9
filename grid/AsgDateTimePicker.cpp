#include "grid/AsgDateTimePicker.h"

#include "controls/ProStyleIF.h"
#include "controls/ProStyleIFSystem.h"
#include "platform/ui/ThemeDraw.h"

#include <vector>

namespace {

constexpr TColor DisabledFrameColor = 0xB99D7F;

} // namespace

TAsgDateTimePicker::TAsgDateTimePicker(TComponent* AOwner) : TFlatDateTimePicker(AOwner, clNone, true) {}

std::string TAsgDateTimePicker::Version() const {
  const std::uint32_t v = GetVersionNr();
  return std::to_string(v >> 24) + "." + std::to_string((v >> 16) & 0xFF) + "." +
         std::to_string((v >> 8) & 0xFF) + "." + std::to_string(v & 0xFF);
}

bool TAsgDateTimePicker::MetroActive() const {
  return FMetroStyle;
}

bool TAsgDateTimePicker::NewerPlatform() const {
  return StyleSystem().KernelExports("GetLocaleInfoEx");
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
  if ((!Enabled() && ThemesOn() && !FDisabledBorder) || (FFocusBorderColor != clNone && FHotState.HasFocus) ||
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
    DrawDropDownButton(canvas, Rect(ClientWidth() - FButtonWidth + 2 + 1, 1, Width() - 1, Height() - 1), {});
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
