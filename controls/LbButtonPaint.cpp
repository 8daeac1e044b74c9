// The face of the glow button: fill, border, glyph frame, caption and drop-down arrow.
#include "controls/LbButtons.h"

#include "controls/ProUtilUnicode.h"
#include "platform/ui/Resources.h"

#include <algorithm>
#include <cmath>

namespace {

// Vertical gradient in 32 stripes from `top` (colour c1) to `bottom` (colour c2), x in [left, right).
void Gradient(TCanvas& canvas, int left, int right, int top, int bottom, TColor c1, TColor c2) {
  c1 = ColorToRGB(c1);
  c2 = ColorToRGB(c2);
  const int span = bottom - top;
  const int height = span / 31 + 1;
  const double dr = (static_cast<double>(GetRValue(c2)) - GetRValue(c1)) / 31.0;
  const double dg = (static_cast<double>(GetGValue(c2)) - GetGValue(c1)) / 31.0;
  const double db = (static_cast<double>(GetBValue(c2)) - GetBValue(c1)) / 31.0;
  const TPenStyle penStyle = canvas.Pen().Style();
  canvas.Pen().SetStyle(psClear);
  canvas.Brush().SetStyle(bsSolid);
  for (int i = 0; i < 32; ++i) {
    const int y = top + i * span / 31;
    const int yEnd = std::min(y + height, bottom);
    if (yEnd <= y) continue;
    const auto channel = [i](unsigned base, double step) {
      return static_cast<unsigned>(std::clamp(std::lround(base + step * i), 0L, 255L));
    };
    canvas.Brush().SetColor(
        RGB(channel(GetRValue(c1), dr), channel(GetGValue(c1), dg), channel(GetBValue(c1), db)));
    canvas.FillRect(Rect(left, y, right, yEnd));
  }
  canvas.Pen().SetStyle(penStyle);
}

void Line(TCanvas& canvas, TColor color, int x, int y) {
  canvas.Pen().SetColor(color);
  canvas.LineTo(x, y);
}

void DrawBorder(TCanvas& canvas, const TLbButtonPaintState& s, bool pressed, bool hot, TColor face) {
  const int W = s.Width, H = s.Height;
  canvas.Brush().SetStyle(bsClear);
  canvas.Pen().SetStyle(psSolid);
  const bool flatHidden = s.Flat && (!s.Enabled || (!hot && !pressed));
  switch (s.Style) {
  case bsNormal:
  case bsEncarta:
    if (flatHidden) break;
    canvas.MoveTo(0, H - 1);
    Line(canvas, pressed ? s.ShadowColor : s.LightColor, 0, 0);
    canvas.LineTo(W - 1, 0);
    Line(canvas, pressed ? s.LightColor : s.ShadowColor, W - 1, H - 1);
    canvas.LineTo(0, H - 1);
    break;
  case bsOld:
    if (flatHidden) break;
    if (!pressed) {
      canvas.MoveTo(W - 2, 0);
      Line(canvas, s.ShadowColor, W - 2, H - 2);
      canvas.LineTo(0, H - 2);
      canvas.MoveTo(0, H - 1);
      Line(canvas, s.LightColor, 0, 0);
      canvas.LineTo(W - 1, 0);
      Line(canvas, cl3DDkShadow, W - 1, H - 1);
      canvas.LineTo(-1, H - 1);
    } else {
      canvas.MoveTo(1, H - 3);
      Line(canvas, s.ShadowColor, 1, 1);
      canvas.LineTo(W - 2, 1);
      canvas.MoveTo(0, H - 1);
      Line(canvas, cl3DDkShadow, 0, 0);
      canvas.LineTo(W - 1, 0);
      Line(canvas, s.LightColor, W - 1, H - 1);
      canvas.LineTo(-1, H - 1);
    }
    break;
  case bsModern:
    canvas.Pen().SetColor(pressed ? s.ShadowColor : face);
    canvas.Rectangle(1, 1, W - 1, H - 1);
    canvas.Pen().SetColor(s.ShadowColor);
    canvas.RoundRect(0, 0, W, H, 6, 6);
    break;
  case bsQuicken:
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(face);
    canvas.Pen().SetStyle(psClear);
    canvas.RoundRect(0, 1, W, H, 4, 4);
    canvas.Brush().SetStyle(bsClear);
    canvas.Pen().SetStyle(psSolid);
    canvas.Pen().SetColor(s.ShadowColor);
    canvas.MoveTo(4, 0);
    canvas.LineTo(W - 5, 0);
    canvas.MoveTo(4, H - 1);
    canvas.LineTo(W - 5, H - 1);
    break;
  case bsShape:
    break;
  }
  canvas.Brush().SetStyle(bsClear);
}

void DrawGlyphFrame(TCanvas& canvas, const TBitmap& strip, int frame, int gw, int gh, int x, int y) {
  if (gw <= 0 || gh <= 0 || (frame + 1) * gw > strip.Width()) return;
  // The frame's lower-left pixel is its see-through colour.
  TransparentBlt(canvas, x, y, gw, gh, strip.Canvas(), frame * gw, 0, gw, gh,
                 strip.Pixel(frame * gw, gh - 1));
}

// Height and widest line of the caption wrapped at `width`.
TSize Measure(TCanvas& canvas, const std::string& caption, int width, unsigned format) {
  TRect r = Rect(0, 0, width, 0);
  canvas.DrawText(caption, r, format | DT_CALCRECT);
  return {r.Width(), r.Height()};
}

} // namespace

TColor LbBlendHot(TColor base, TColor hot, int step) {
  base = ColorToRGB(base);
  hot = ColorToRGB(hot);
  step = std::clamp(step, 0, LbHotTrackSteps);
  const double s = static_cast<double>(step) / LbHotTrackSteps;
  const auto mix = [s](unsigned b, unsigned h) {
    return static_cast<unsigned>(std::lround(b * (1.0 - s) + h * s));
  };
  return RGB(mix(GetRValue(base), GetRValue(hot)), mix(GetGValue(base), GetGValue(hot)),
             mix(GetBValue(base), GetBValue(hot)));
}

int LbGlyphFrame(int numGlyphs, bool enabled, bool pressed, bool hot) {
  // A one-frame strip has no disabled picture: it shows its only frame.
  if (!enabled) return numGlyphs >= 2 ? 1 : 0;
  if (pressed && numGlyphs > 2) return 2;
  if (hot && numGlyphs > 3) return 3;
  return 0;
}

std::string LbFitCaption(const TCanvas& canvas, const std::string& caption, int width) {
  std::string text = caption;
  while (!text.empty() && canvas.TextWidth(text) > width)
    DropLastUtf8Chars(text, 1);
  return text;
}

void DrawLbButtonFace(TCanvas& canvas, const TLbButtonPaintState& s) {
  const int W = s.Width, H = s.Height;
  const bool pressed = s.Pressed && s.Enabled;
  const int offset = pressed && s.Style != bsEncarta ? 1 : 0;

  TColor face = ColorToRGB(s.Color);
  if (s.Enabled && s.HotTrackColor != clNone) face = LbBlendHot(s.Color, s.HotTrackColor, s.HotTrackStep);
  if (pressed && s.ColorWhenDown != clNone) face = ColorToRGB(s.ColorWhenDown);

  canvas.Pen().SetStyle(psSolid);
  canvas.Brush().SetStyle(bsSolid);
  switch (s.Style) {
  case bsShape:
    canvas.Brush().SetColor(LbKeyColor);
    canvas.FillRect(Rect(-1, -1, W + 1, H + 1));
    break;
  case bsNormal:
  case bsEncarta:
  case bsOld:
    canvas.Brush().SetColor(face);
    canvas.FillRect(Rect(-1, -1, W + 1, H + 1));
    break;
  case bsModern:
    Gradient(canvas, 2, W - 2, 2, H / 4 + offset, s.LightColor, face);
    Gradient(canvas, 2, W - 2, H / 4 + offset, H - 1, face, s.LightColor);
    break;
  case bsQuicken:
    break;
  }
  DrawBorder(canvas, s, pressed, s.Hot, face);

  TFont font = s.Font;
  if (pressed && s.Style == bsEncarta) font.SetStyle(font.Style() | fsBold);
  canvas.Font().Assign(font);

  const TBitmap* strip = s.Glyph && !s.Glyph->Empty() ? s.Glyph : nullptr;
  const int GW = strip && s.NumGlyphs > 0 ? strip->Width() / s.NumGlyphs : 0;
  const int GH = strip ? strip->Height() : 0;
  const int frame = LbGlyphFrame(s.NumGlyphs, s.Enabled, pressed, s.Hot);

  unsigned format = DT_WORDBREAK | DT_CENTER;
  if (s.Alignment == taLeftJustify) format = DT_WORDBREAK | DT_LEFT;
  if (s.Alignment == taRightJustify) format = DT_WORDBREAK | DT_RIGHT;

  if (s.Style == bsShape) {
    const int TW = std::max(W - 8, 0);
    const std::string caption = s.WordWrap ? s.Caption : LbFitCaption(canvas, s.Caption, TW);
    const int TH = Measure(canvas, caption, TW, DT_WORDBREAK | DT_CENTER).cy;
    if (strip) DrawGlyphFrame(canvas, *strip, frame, GW, GH, (W - GW) / 2, (H - GH) / 2);
    TRect r = Rect(offset, (H - TH) / 2 + offset, W, H);
    canvas.DrawText(caption, r, DT_WORDBREAK | DT_CENTER);
  } else {
    int TW = std::max(W - 8, 0), TL = offset + 4, TT = 0, GX = offset + 4, GY = 0;
    std::string caption;
    int TH = 0;
    if (s.Layout == blGlyphLeft || s.Layout == blGlyphRight) {
      if (GW > 0) TW = std::max(W - 8 - (GW + 4), 0);
      caption = s.WordWrap ? s.Caption : LbFitCaption(canvas, s.Caption, TW);
      const TSize size = Measure(canvas, caption, TW, format);
      TH = size.cy;
      TT = (H - TH) / 2 + offset;
      GY = (H - GH) / 2 + offset;
      const int C = caption.empty() ? 0 : size.cx + 4;
      if (s.Layout == blGlyphLeft) {
        if (GW > 0) TL += GW + 4;
        GX = offset + 4;
        if (!s.WordWrap) {
          if (s.Alignment == taRightJustify) GX = W - 4 - GW - C + offset;
          if (s.Alignment == taCenter) GX = (W - GW) / 2 + offset - C / 2;
        }
      } else {
        GX = TL + C;
        if (!s.WordWrap) {
          if (s.Alignment == taRightJustify) GX = W - 4 + offset - GW;
          if (s.Alignment == taCenter) GX = (W - GW) / 2 + offset + C / 2;
        }
      }
    } else {
      caption = s.WordWrap ? s.Caption : LbFitCaption(canvas, s.Caption, TW);
      TH = Measure(canvas, caption, TW, format).cy;
      const int S = TH + (GH > 0 ? GH + 4 : 0);
      if (s.Layout == blGlyphTop) {
        GY = (H - S) / 2 + offset;
        TT = (H - S) / 2 + GH + offset;
      } else {
        TT = (H - S) / 2 + offset;
        GY = (H - S) / 2 + TH + offset;
      }
      GX = offset + 4;
      if (s.Alignment == taRightJustify) GX = W - GW - 4 + offset;
      if (s.Alignment == taCenter) GX = (W - GW) / 2 + offset;
    }
    if (!s.Enabled) canvas.Font().SetColor(RGB(128, 128, 128));
    TRect r = Rect(TL, TT, TL + TW, TT + TH);
    canvas.DrawText(caption, r, format);
    if (strip) DrawGlyphFrame(canvas, *strip, frame, GW, GH, GX, GY);
  }

  if (s.HasPopupMenu) {
    if (const TBitmap* arrow = FindResourceBitmap("LBARROW")) {
      TBitmap a(*arrow);
      a.SetTransparent(true);
      canvas.Draw(W - 11, H / 2 - 1, a);
    }
  }
}
