#include "controls/DropDownFrame.h"

#include "platform/ui/KeyState.h"
#include "platform/ui/Messages.h"
#include "platform/ui/ThemeDraw.h"

#include <vector>

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

void DrawDropDownButton(TCanvas& canvas, const TControl& Owner, const TDropDownButton& b) {
  const TDropDownButtonColors& c = b.Colors;
  if (c.Color != clNone) {
    auto orNormal = [&](TColor color) { return b.UnsetColorsFallBack && color == clNone ? c.Color : color; };
    const TColor fill = b.Down && b.Hover ? c.ColorDown : b.Hover ? c.ColorHot : c.Color;
    const TRect r = b.Face;
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(orNormal(fill));
    canvas.FillRect(r);
    canvas.Pen().SetStyle(psSolid);
    canvas.Pen().SetColor(orNormal(c.BorderColor));
    canvas.MoveTo(r.Left, r.Top);
    canvas.LineTo(r.Left, r.Bottom);
    const TColor arrow =
        b.Down ? (b.UnsetColorsFallBack && c.TextColorDown == clNone ? c.TextColor : c.TextColorDown)
               : c.TextColor;
    if (arrow != clNone) {
      const int x = r.Left + b.ArrowInset;
      canvas.Pen().SetColor(arrow);
      canvas.Brush().SetColor(arrow);
      canvas.Polygon(std::vector<TPoint>{{x, r.Top + 7}, {x + 6, r.Top + 7}, {x + 3, r.Top + 10}});
    }
  } else if (HTHEME theme = b.ThemesOn ? OpenThemeData(&Owner, "combobox") : nullptr) {
    const int state = DropDownButtonThemeState(b.Enabled, b.Down, b.Hover, b.DroppedDown, b.HotWhileHeld);
    DrawThemeBackground(theme, canvas, CP_DROPDOWNBUTTON, state, b.Themed);
    CloseThemeData(theme);
  } else {
    TRect classic = b.Classic;
    DrawFrameControl(canvas, classic, DFC_SCROLL,
                     DFCS_SCROLLCOMBOBOX | (b.Enabled ? DFCS_FLAT : DFCS_INACTIVE));
  }
}

bool DropDownMouseHeld() {
  return GetAsyncKeyState(VK_LBUTTON) < 0 || GetAsyncKeyState(VK_RBUTTON) < 0;
}

TDropDownFrame DropDownFrameOf(const TControl& control, const TDropDownHotState& State, bool FocusBorder,
                               bool Themed, bool DisabledBorder, TColor BorderColor, TColor FocusBorderColor,
                               int ButtonWidth) {
  TDropDownFrame look;
  look.Enabled = control.Enabled();
  look.Themed = Themed;
  look.DisabledBorder = DisabledBorder;
  look.HasFocus = State.HasFocus;
  look.HotFocus = FocusBorder && State.Hot(control);
  look.BorderColor = BorderColor;
  look.FocusBorderColor = FocusBorderColor;
  look.ParentColor = control.Parent() ? control.Parent()->Color() : clBtnFace;
  look.Color = control.Color();
  look.ButtonWidth = ButtonWidth;
  return look;
}
