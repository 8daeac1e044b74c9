// Drop-down, push and spin buttons in the four looks.
#include "controls/ProUtilDraw.h"

#include "platform/ui/ThemeDraw.h"

#include <vector>

namespace {

const TColorTone& ToneOf(const TColorTones& tones, int state) {
  switch (state) {
  case btsHot:
    return tones.Hover;
  case btsPressed:
    return tones.Selected;
  case btsDisabled:
    return tones.Disabled;
  default:
    return tones.Background;
  }
}

// The theme of the class opened for the window and closed again when the scope ends.
class TThemeScope {
public:
  TThemeScope(const TControl* window, const char* className) : FTheme(OpenThemeData(window, className)) {}
  ~TThemeScope() { CloseThemeData(FTheme); }
  TThemeScope(const TThemeScope&) = delete;
  TThemeScope& operator=(const TThemeScope&) = delete;
  HTHEME Theme() const { return FTheme; }

private:
  HTHEME FTheme;
};

void FrameControl(TCanvas& canvas, TRect r, unsigned type, unsigned state) {
  DrawFrameControl(canvas, r, type, state);
}

void Arrow(TCanvas& canvas, std::vector<TPoint> points) {
  canvas.Pen().SetColor(clBlack);
  canvas.Brush().SetColor(clBlack);
  canvas.Polygon(points);
}

} // namespace

void DrawComboButton(TCanvas& canvas, const TControl* window, TRect r, const TColorTones& tones, int state,
                     int style) {
  r.Left = r.Right - 17;
  r.Top += 1;
  r.Bottom -= 1;
  OffsetRect(r, -2, 0);
  if (style == bdsThemed) {
    TThemeScope theme(window, "combobox");
    if (theme.Theme()) {
      DrawThemeBackground(theme.Theme(), canvas, CP_DROPDOWNBUTTON,
                          state == btsDisabled ? CBXS_DISABLED : CBXS_NORMAL, r);
      return;
    }
  }
  if (style != bdsTones) {
    unsigned flags = DFCS_SCROLLCOMBOBOX;
    if (state == btsDisabled) flags |= DFCS_INACTIVE;
    if (style == bdsFlat) flags |= DFCS_FLAT;
    FrameControl(canvas, r, DFC_SCROLL, flags);
    return;
  }
  r.Left += 3;
  const TColorTone& tone = ToneOf(tones, state);
  canvas.Brush().SetColor(tone.BrushColor);
  canvas.Pen().SetColor(tone.BrushColor);
  canvas.Rectangle(r);
  canvas.Pen().SetColor(tones.Background.BorderColor);
  canvas.MoveTo(r.Left + 1, r.Top);
  canvas.LineTo(r.Left + 1, r.Bottom);
  canvas.Pen().SetColor(tones.Background.TextColor);
  canvas.Brush().SetColor(tones.Background.TextColor);
  canvas.Polygon({{r.Left + 5, r.Top + 8}, {r.Left + 11, r.Top + 8}, {r.Left + 8, r.Top + 11}});
}

void DrawPushButton(TCanvas& canvas, const TControl* window, TRect r, const TColorTones& tones, int state,
                    int style) {
  if (style == bdsThemed) {
    TThemeScope theme(window, "button");
    if (theme.Theme()) {
      static constexpr int States[] = {PBS_NORMAL, PBS_HOT, PBS_PRESSED, PBS_DISABLED};
      DrawThemeBackground(theme.Theme(), canvas, BP_PUSHBUTTON,
                          state >= 0 && state <= 3 ? States[state] : PBS_NORMAL, r);
      return;
    }
  }
  if (style != bdsTones) {
    unsigned flags = DFCS_BUTTONPUSH;
    if (state == btsHot) flags |= DFCS_HOT;
    if (state == btsPressed) flags |= DFCS_PUSHED;
    if (state == btsDisabled) flags |= DFCS_INACTIVE;
    if (style == bdsFlat) flags |= DFCS_FLAT;
    FrameControl(canvas, r, DFC_BUTTON, flags);
    return;
  }
  const TColorTone& tone = ToneOf(tones, state);
  canvas.Brush().SetColor(tone.BrushColor);
  canvas.Pen().SetColor(tone.BorderColor);
  canvas.Rectangle(r);
}

void DrawSpinButtons(TCanvas& canvas, const TControl* window, TRect r, const TColorTones& tones, int state,
                     int style) {
  r.Left = r.Right - 15;
  OffsetRect(r, -1, -1);
  const int mid = r.Top + (r.Bottom - r.Top) / 2;
  const TRect up{r.Left, r.Top, r.Right, mid};
  const TRect down{r.Left, mid, r.Right, r.Bottom};
  if (style == bdsThemed) {
    TThemeScope theme(window, "spin");
    if (theme.Theme()) {
      const bool disabled = state == btsDisabled;
      DrawThemeBackground(theme.Theme(), canvas, SPNP_UP, disabled ? UPS_DISABLED : UPS_NORMAL, up);
      DrawThemeBackground(theme.Theme(), canvas, SPNP_DOWN, disabled ? DNS_DISABLED : DNS_NORMAL, down);
      return;
    }
  }
  if (style != bdsTones) {
    unsigned flags = 0;
    if (state == btsDisabled) flags |= DFCS_INACTIVE;
    if (style == bdsFlat) flags |= DFCS_FLAT;
    FrameControl(canvas, up, DFC_SCROLL, DFCS_SCROLLUP | flags);
    FrameControl(canvas, {r.Left, mid + 1, r.Right, r.Bottom}, DFC_SCROLL, DFCS_SCROLLDOWN | flags);
    return;
  }
  const TColorTone& tone = ToneOf(tones, state);
  canvas.Brush().SetColor(tone.BrushColor);
  canvas.Pen().SetColor(tone.BrushColor);
  canvas.Rectangle(up);
  canvas.Rectangle(down);
  Arrow(canvas, {{r.Left + 5, r.Top + 5}, {r.Left + 9, r.Top + 5}, {r.Left + 7, r.Top + 3}});
  Arrow(canvas, {{r.Left + 5, mid + 2}, {r.Left + 9, mid + 2}, {r.Left + 7, mid + 4}});
}
