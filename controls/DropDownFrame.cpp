#include "controls/DropDownFrame.h"

#include "platform/ui/ThemeDraw.h"

namespace {
constexpr TColor DisabledFrameColor = 0xB99D7F;

void Frame(TCanvas& canvas, const TRect& f, TColor color) {
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(color);
  canvas.FrameRect(f);
}

TRect Inside(const TRect& r) {
  return Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
}
} // namespace

std::optional<TRect> DrawDropDownFrame(TCanvas& canvas, TRect r, const TDropDownFrame& look) {
  if (!look.Enabled && look.Themed && !look.DisabledBorder) {
    Frame(canvas, r, DisabledFrameColor);
    return std::nullopt;
  }
  if (look.BorderColor != clNone && !(look.HasFocus && look.FocusBorderColor != clNone)) {
    Frame(canvas, r, look.BorderColor);
    return std::nullopt;
  }
  if (look.FocusBorderColor != clNone) {
    if (look.HasFocus) Frame(canvas, r, look.FocusBorderColor);
    return std::nullopt;
  }
  const TColor a = look.HotFocus ? clBtnFace : look.ParentColor;
  if (look.HotFocus) {
    DrawEdge(canvas, r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    Frame(canvas, r, a);
  } else {
    Frame(canvas, r, a);
    r = Inside(r);
    Frame(canvas, Rect(r.Left, r.Top, r.Right - look.ButtonWidth, r.Bottom), a);
  }
  r = Inside(r);
  Frame(canvas, r, look.Color);
  return r;
}

void FillButtonFaceAroundArrow(TCanvas& canvas, const TRect& b, int ClientWidth, int ClientHeight,
                               int ButtonWidth) {
  const TRect face = Rect(b.Left, b.Top + 1, b.Right - 1, b.Bottom - 1);
  const TRect keep = Rect(ClientWidth - ButtonWidth + 4, 4, ClientWidth - 4, ClientHeight - 4);
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(clBtnFace);
  canvas.FillRect(Rect(face.Left, face.Top, face.Right, keep.Top));
  canvas.FillRect(Rect(face.Left, keep.Bottom, face.Right, face.Bottom));
  canvas.FillRect(Rect(face.Left, keep.Top, keep.Left, keep.Bottom));
  canvas.FillRect(Rect(keep.Right, keep.Top, face.Right, keep.Bottom));
}

int DropDownButtonThemeState(bool Enabled, bool Down, bool Hover, bool DroppedDown, bool HotWhileHeld) {
  if (!Enabled) return CBXS_DISABLED;
  if (Down && DroppedDown) return CBXS_PRESSED;
  if ((!Down || HotWhileHeld) && Hover && !DroppedDown) return CBXS_HOT;
  return CBXS_NORMAL;
}
