#include "dropdowns/DropDownPaint.h"

#include "platform/Colors.h"

#include <algorithm>
#include <cmath>

void DrawGradientBands(TCanvas& Canvas, TColor FromColor, TColor ToColor, bool Horizontal, const TRect& Rect,
                       int Steps) {
  Steps = std::max(1, Steps);
  const TColor from = ColorToRGB(FromColor), to = ColorToRGB(ToColor);
  const int r0 = static_cast<int>(GetRValue(from)), g0 = static_cast<int>(GetGValue(from)),
            b0 = static_cast<int>(GetBValue(from));
  const int dr = static_cast<int>(GetRValue(to)) - r0, dg = static_cast<int>(GetGValue(to)) - g0,
            db = static_cast<int>(GetBValue(to)) - b0;
  TRect r = Rect;
  if (Horizontal)
    --r.Right;
  else
    --r.Bottom;
  const double d = (Horizontal ? r.Right - r.Left : r.Bottom - r.Top) / static_cast<double>(Steps);
  // Halves round to even, as the default rounding mode does.
  auto round = [](double v) { return static_cast<int>(std::nearbyint(v)); };
  for (int i = 0; i < Steps; ++i) {
    auto channel = [&](int from0, int delta) {
      return static_cast<unsigned>(from0 + round(i * static_cast<double>(delta) / Steps));
    };
    const TColor c = RGB(channel(r0, dr), channel(g0, dg), channel(b0, db));
    Canvas.Pen().SetColor(c);
    Canvas.Brush().SetColor(c);
    const int start = (Horizontal ? r.Left : r.Top) + round(i * d);
    const int end = start + round(d) + 1;
    if (Horizontal)
      Canvas.Rectangle(start, r.Top, end, Rect.Bottom);
    else
      Canvas.Rectangle(r.Left, start, Rect.Right, end);
  }
}
