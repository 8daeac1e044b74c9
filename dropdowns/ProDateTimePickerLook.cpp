// The flat look of the date and time picker: its frame, its border colours and, in the Metro
// look, its own drop-down button.
#include "dropdowns/ProDateTimePicker.h"

#include <vector>

namespace {

constexpr TColor ThemedFrameColor = 0xB99D7F;

} // namespace

void TCustomDateTimePicker::SetFocusBorderColor(TColor Value) {
  FFocusBorderColor = Value;
  Invalidate();
}

void TCustomDateTimePicker::SetDisabledBorder(bool Value) {
  FDisabledBorder = Value;
  Invalidate();
}

bool TCustomDateTimePicker::PaintsOver() const {
  return !FCtl3D || (!NoCustomBorder() && FMetroStyle);
}

void TCustomDateTimePicker::PaintOver(TCanvas& canvas) {
  if (!FCtl3D) DrawFlatFrame(canvas);
  if (NoCustomBorder() || !FMetroStyle) return;
  if (Kind() != dtkTime) DrawButton(canvas);
  if (!Enabled() || FBorderColor != clNone || (FHotState.HasFocus && FFocusBorderColor != clNone))
    DrawDropDownFrame(canvas, Rect(0, 0, Width(), Height()), FrameLook());
}

void TCustomDateTimePicker::DrawFlatFrame(TCanvas& canvas) {
  const TColor parent = Parent() ? Parent()->Color() : clBtnFace;
  const TColor outer = FBorderStyle == bsNone ? parent : FIsThemed ? ThemedFrameColor : FBorderColor;
  const int W = Width(), H = Height();
  canvas.Pen().SetStyle(psSolid);
  canvas.Pen().SetColor(outer);
  canvas.Polyline(std::vector<TPoint>{{0, H - 1}, {0, 0}, {W - 1, 0}, {W - 1, H - 1}, {0, H - 1}});
  if (FBorderStyle == bsNone || FBorderStyle == bsSingle) {
    canvas.Pen().SetColor(parent);
    canvas.Polyline(std::vector<TPoint>{{1, H - 2}, {1, 1}, {W - 2, 1}, {W - 2, H - 2}, {1, H - 2}});
  }
}

void TCustomDateTimePicker::DrawButton(TCanvas& canvas) {
  const int right = ClientWidth();
  // The platform's own button goes under the control's colour first.
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(Color());
  canvas.FillRect(Rect(right - FButtonWidth - 15, 1, right, Height()));
  DrawDropDownButton(canvas, Rect(right - FButtonWidth + 3, 1, Width() - 1, Height() - 1),
                     {.HotWhileHeld = true, .UnsetColorsFallBack = true});
}
