// Button faces, gradients, colour arithmetic, transparent bitmaps and the layered-window calls.
#include "controls/ProUtilDraw.h"

#include "platform/ui/Resources.h"

#include <algorithm>
#include <utility>

namespace {

void Line(TCanvas& canvas, TColor color, int x1, int y1, int x2, int y2) {
  if (color == clNone) return;
  canvas.Pen().SetColor(color);
  canvas.MoveTo(x1, y1);
  canvas.LineTo(x2, y2);
}

void Pixel(TCanvas& canvas, TColor color, int x, int y) {
  if (color != clNone) canvas.SetPixels(x, y, color);
}

int Channel(int value) {
  return std::clamp(value, 0, 255);
}

} // namespace

void DrawSegmentButtonFace(TCanvas& canvas, const TRect& rect, int kind, TColor color, TColor colorTo,
                           TColor mirrorColor, TColor mirrorColorTo, TColor backgroundColor, TColor edgeColor,
                           TColor borderColor, TColor borderColorTop, TColor borderColorBottom) {
  TRect r = rect;
  r.Bottom -= 2;
  r.Right -= 1;
  const int middle = r.Top + (r.Bottom - r.Top) / 2;
  const bool leftEnd = kind == skWhole || kind == skLeftEnd;
  const bool rightEnd = kind == skWhole || kind == skRightEnd;

  Line(canvas, borderColorTop, r.Left, r.Top + 1, r.Right, r.Top + 1);
  if (leftEnd) Line(canvas, borderColorTop, r.Left + 1, r.Top + 1, r.Left + 1, middle);
  if (rightEnd) Line(canvas, borderColorTop, r.Right - 2, r.Top + 1, r.Right - 2, middle);

  Line(canvas, borderColorBottom, r.Left, r.Bottom - 1, r.Right, r.Bottom - 1);
  if (leftEnd) Line(canvas, borderColorBottom, r.Left + 1, middle, r.Left + 1, r.Bottom - 1);
  if (rightEnd) Line(canvas, borderColorBottom, r.Right - 2, middle, r.Right - 2, r.Bottom - 1);

  const int leftInset = (kind == skRightEnd || kind == skMiddle) ? 0 : 2;
  const int rightInset = (kind == skLeftEnd || kind == skMiddle) ? 0 : 2;
  Line(canvas, borderColor, r.Left + leftInset, r.Top, r.Right - rightInset, r.Top);
  Line(canvas, borderColor, r.Left + leftInset, r.Bottom, r.Right - rightInset, r.Bottom);
  if (rightEnd) Line(canvas, borderColor, r.Right - 1, r.Top + 2, r.Right - 1, r.Bottom - 1);
  if (leftEnd) Line(canvas, borderColor, r.Left, r.Top + 2, r.Left, r.Bottom - 1);

  if (leftEnd) {
    for (auto [x, y] : {std::pair{r.Left + 1, r.Top},
                        {r.Left + 1, r.Top + 1},
                        {r.Left, r.Top + 1},
                        {r.Left + 1, r.Bottom},
                        {r.Left + 1, r.Bottom - 1},
                        {r.Left, r.Bottom - 1}})
      Pixel(canvas, edgeColor, x, y);
    Pixel(canvas, backgroundColor, r.Left, r.Top);
    Pixel(canvas, backgroundColor, r.Left, r.Bottom);
  }
  if (rightEnd) {
    for (auto [x, y] : {std::pair{r.Right - 2, r.Top},
                        {r.Right - 2, r.Top + 1},
                        {r.Right - 1, r.Top + 1},
                        {r.Right - 2, r.Bottom},
                        {r.Right - 2, r.Bottom - 1},
                        {r.Right - 1, r.Bottom - 1}})
      Pixel(canvas, edgeColor, x, y);
    Pixel(canvas, backgroundColor, r.Right - 1, r.Top);
    Pixel(canvas, backgroundColor, r.Right - 1, r.Bottom);
  }

  const TRect inner{r.Left + leftInset, r.Top + 2, r.Right - rightInset, r.Bottom - 1};
  if (colorTo == clNone) {
    if (color == clNone) return;
    canvas.Pen().SetColor(color);
    canvas.Brush().SetColor(color);
    canvas.FillRect(inner);
  } else if (mirrorColor == clNone) {
    DrawGradient(canvas, color, colorTo, false, inner, 16);
  } else {
    const int half = inner.Top + inner.Height() / 2;
    DrawGradient(canvas, color, colorTo, false, {inner.Left, inner.Top, inner.Right, half}, 16);
    DrawGradient(canvas, mirrorColor, mirrorColorTo, false, {inner.Left, half, inner.Right, inner.Bottom},
                 16);
  }
}

void DrawGradient(TCanvas& canvas, TColor fromColor, TColor toColor, bool horizontal, TRect rect, int steps) {
  if (rect.Top == rect.Bottom) return;
  if (rect.Bottom < rect.Top) std::swap(rect.Top, rect.Bottom);
  if (fromColor == clNone || toColor == clNone) {
    const TColor solid = fromColor != clNone ? fromColor : toColor;
    if (solid == clNone) return;
    canvas.Pen().SetColor(solid);
    canvas.Brush().SetColor(solid);
    canvas.FillRect(rect);
    return;
  }
  const TColor from = ColorToRGB(fromColor), to = ColorToRGB(toColor);
  const int extent = (horizontal ? rect.Width() : rect.Height()) - 1;
  if (extent < 0) return;
  steps = std::max(1, std::min(steps, extent));
  const double bandSize = static_cast<double>(extent) / steps;
  const int farEdge = horizontal ? rect.Right : rect.Bottom;
  auto mix = [steps](unsigned a, unsigned b, int i) {
    return Channel(static_cast<int>(a) +
                   RoundHalfEven(i * (static_cast<double>(b) - static_cast<double>(a)) / steps));
  };
  for (int i = 0; i <= steps; ++i) {
    const TColor band = RGB(mix(GetRValue(from), GetRValue(to), i), mix(GetGValue(from), GetGValue(to), i),
                            mix(GetBValue(from), GetBValue(to), i));
    const int offset = static_cast<int>(i * bandSize);
    const int start = (horizontal ? rect.Left : rect.Top) + offset;
    const int end = std::min(farEdge, start + static_cast<int>(bandSize + 1));
    canvas.Pen().SetColor(band);
    canvas.Brush().SetColor(band);
    if (horizontal)
      canvas.FillRect({start, rect.Top, end, rect.Bottom});
    else
      canvas.FillRect({rect.Left, start, rect.Right, end});
  }
}

void DrawMirrorGradientRect(TCanvas& canvas, const TRect& rect, TColor color, bool fill, bool sideLinesOnly,
                            TColor borderColor, bool vertical, TColor mirrorColorTo, TColor mirrorColor,
                            TColor colorTo) {
  if (fill && color != clNone) {
    if (mirrorColor == clNone) {
      if (colorTo == clNone) {
        canvas.Brush().SetStyle(bsSolid);
        canvas.Brush().SetColor(color);
        canvas.Pen().SetStyle(psSolid);
        canvas.Pen().SetWidth(1);
        canvas.Pen().SetColor(color);
        canvas.Rectangle(rect.Left, rect.Top, rect.Right, rect.Bottom + 1);
      } else {
        DrawGradient(canvas, color, colorTo, !vertical, rect, 128);
      }
    } else if (vertical) {
      const int middle = rect.Top + rect.Height() / 2;
      DrawGradient(canvas, color, colorTo, false, {rect.Left, rect.Top, rect.Right, middle}, 128);
      DrawGradient(canvas, mirrorColor, mirrorColorTo, false, {rect.Left, middle, rect.Right, rect.Bottom},
                   128);
    } else {
      const int middle = rect.Left + rect.Width() / 2;
      DrawGradient(canvas, color, colorTo, true, {rect.Left, rect.Top, middle, rect.Bottom}, 128);
      DrawGradient(canvas, mirrorColor, mirrorColorTo, true, {middle, rect.Top, rect.Right, rect.Bottom},
                   128);
    }
  }
  if (borderColor == clNone) return;
  if (sideLinesOnly) {
    Line(canvas, borderColor, rect.Left, rect.Top, rect.Left, rect.Bottom);
    Line(canvas, borderColor, rect.Right - 1, rect.Top, rect.Right - 1, rect.Bottom);
  } else {
    canvas.Brush().SetColor(borderColor);
    canvas.FrameRect(rect);
  }
}

TColor InterpolateColor(TColor color, TColor colorTo, int firstStep, int step, int lastStep) {
  if (colorTo == clNone) return color;
  const TColor c1 = ColorToRGB(color), c2 = ColorToRGB(colorTo);
  if (lastStep == firstStep) return c1; // a scale without length stays at its start
  const double span = lastStep - firstStep;
  auto mix = [&](unsigned a, unsigned b) {
    return Channel(static_cast<int>(a) +
                   RoundHalfEven((static_cast<double>(b) - static_cast<double>(a)) / span * step));
  };
  return RGB(mix(GetRValue(c1), GetRValue(c2)), mix(GetGValue(c1), GetGValue(c2)),
             mix(GetBValue(c1), GetBValue(c2)));
}

TColor HalveColor(TColor color) {
  return (ColorToRGB(color) >> 1) & 0x7F7F7F;
}

TColor ScaleColorPercent(TColor color, int percent) {
  const TColor c = ColorToRGB(color);
  auto scale = [percent](unsigned channel) {
    const int v = static_cast<int>(channel);
    return Channel(RoundHalfEven(v + v * static_cast<double>(percent) / 100.0));
  };
  return RGB(scale(GetRValue(c)), scale(GetGValue(c)), scale(GetBValue(c)));
}

void DrawTransparentBitmap(TCanvas& canvas, const TBitmap& bitmap, TColor background, const TRect& rect) {
  if (bitmap.Empty()) return;
  const int w = bitmap.Width(), h = bitmap.Height();
  const TColor key = bitmap.Pixel(0, 0);
  if (background == clNone) {
    TransparentBlt(canvas, rect.Left, rect.Top, w, h, bitmap.Canvas(), 0, 0, w, h, key);
    return;
  }
  TBitmap work(w, h);
  work.Canvas().Brush().SetColor(background);
  work.Canvas().BrushCopy(Rect(0, 0, w, h), bitmap, Rect(0, 0, w, h), key);
  BitBlt(canvas, rect.Left, rect.Top, w, h, &work.Canvas(), 0, 0, SRCCOPY);
}

void DrawBitmapResource(TCanvas& canvas, TColor background, const TRect& rect, const std::string& name) {
  DrawTransparentBitmap(canvas, ResourceBitmap(name), background, rect);
}

void FillRectColor(TCanvas& canvas, const TRect& rect, TColor color) {
  canvas.Brush().SetColor(color);
  canvas.FillRect(rect);
}

void DrawDownTriangle(TCanvas& canvas, int x, int y, TColor color) {
  canvas.Pen().SetColor(color);
  canvas.Brush().SetColor(color);
  canvas.Polygon({{x - 3, y}, {x + 3, y}, {x, y + 3}});
}

bool CallUpdateLayeredWindow(TControl*, TCanvas*, const TPoint*, const TSize*, TCanvas*, const TPoint*,
                             TColor, const TBlendFunction*, unsigned) {
  return true;
}

bool CallSetLayeredWindowAttributes(TControl*, TColor, std::uint8_t, unsigned) {
  return true;
}
