// Progress bar, pie, range indicator, level bar and cell shapes.
#include "controls/CellPainters.h"

#include "controls/ProUtilDraw.h"
#include "platform/Format.h"
#include "platform/ui/ThemeDraw.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <deque>
#include <numbers>
#include <string_view>
#include <utility>
#include <vector>

namespace {

constexpr TColor PieGrey = 0x808080;

// The conversion letter of the first placeholder of a Format pattern (0 when there is none).
char ConversionOf(const std::string& pattern) {
  for (std::size_t i = 0; i + 1 < pattern.size(); ++i) {
    if (pattern[i] != '%') continue;
    if (pattern[i + 1] == '%') {
      ++i;
      continue;
    }
    std::size_t j = i + 1;
    while (j < pattern.size() && std::string_view("-0123456789.:").find(pattern[j]) != std::string_view::npos)
      ++j;
    if (j < pattern.size()) return static_cast<char>(std::tolower(static_cast<unsigned char>(pattern[j])));
    return 0;
  }
  return 0;
}

std::int64_t RoundedWhole(double value) {
  constexpr double limit = 9.0e18;
  return static_cast<std::int64_t>(std::nearbyint(std::clamp(value, -limit, limit)));
}

int Percentage(double value) {
  return static_cast<int>(std::nearbyint(std::clamp(value, 0.0, 100.0)));
}

// Pixel value of a colour in a bitmap's scan line.
std::uint32_t ScanValue(TColor c) {
  c = ColorToRGB(c);
  return 0xFF000000u | (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

// Fills the area around (x, y) up to pixels of `border` (four neighbours per pixel).
void FloodFill(TBitmap& b, int x, int y, std::uint32_t border, std::uint32_t fill) {
  const int w = b.Width(), h = b.Height();
  auto at = [&](int px, int py) -> std::uint32_t& { return b.ScanLine(py)[px]; };
  if (x < 0 || y < 0 || x >= w || y >= h || at(x, y) == border || at(x, y) == fill) return;
  std::deque<std::pair<int, int>> todo{{x, y}};
  at(x, y) = fill;
  while (!todo.empty()) {
    auto [px, py] = todo.front();
    todo.pop_front();
    for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
      const int nx = px + dx, ny = py + dy;
      if (nx < 0 || ny < 0 || nx >= w || ny >= h) continue;
      std::uint32_t& v = at(nx, ny);
      if (v == border || v == fill) continue;
      v = fill;
      todo.emplace_back(nx, ny);
    }
  }
}

// Outline and both radii of the pie.
void PieOutline(TCanvas& canvas, const TRect& r, double theta) {
  const int cx = r.Left + (r.Right - r.Left) / 2;
  const int cy = r.Top + (r.Bottom - r.Top) / 2;
  canvas.Ellipse(r);
  canvas.MoveTo(cx, r.Top);
  canvas.LineTo(cx, cy);
  canvas.LineTo(cx + RoundHalfEven((r.Width() + 1) / 2.0 * std::sin(theta)),
                cy - RoundHalfEven((r.Height() + 1) / 2.0 * std::cos(theta)));
}

} // namespace

void DrawProgressBar(TCanvas& canvas, TRect rect, TColor filledColor, bool print, TColor borderColor,
                     const std::string& format, int maximum, int minimum, int verticalMargin,
                     int horizontalMargin, double value, TColor emptyTextColor, TColor emptyColor,
                     TColor filledTextColor) {
  const TColor background = canvas.Brush().Color();
  canvas.Brush().SetColor(filledColor);
  canvas.Pen().SetColor(filledColor);
  canvas.Font().SetColor(filledTextColor);

  std::string text;
  int percentage;
  if (!format.empty()) {
    const char kind = ConversionOf(format);
    if (kind == 'd' || kind == 'u' || kind == 'x')
      text = Format(format, {RoundedWhole(value)});
    else
      text = Format(format, {value});
    if (maximum == minimum) // a scale without length: full once the value reaches it
      percentage = value >= minimum ? 100 : 0;
    else
      percentage = Percentage((value - minimum) * 100.0 / (static_cast<double>(maximum) - minimum));
  } else {
    text = std::to_string(RoundedWhole(value)) + "%";
    percentage = Percentage(static_cast<double>(RoundedWhole(value)));
  }

  rect.Left += horizontalMargin;
  rect.Right -= horizontalMargin;
  rect.Top += verticalMargin;
  rect.Bottom -= verticalMargin;
  const int width = rect.Width(), height = rect.Height();
  const int filledRight = rect.Left + RoundHalfEven(percentage * width / 100.0);
  const int textWidth = canvas.TextWidth(text), textHeight = canvas.TextHeight(text);
  const int x = rect.Left + (width - textWidth) / 2;
  const int y = print ? rect.Top + (height + textHeight) / 2 : rect.Top + (height - textHeight) / 2;

  canvas.TextRect({rect.Left, rect.Top, filledRight, rect.Bottom}, x, y, text);
  canvas.Brush().SetColor(emptyColor);
  canvas.Pen().SetColor(emptyColor);
  canvas.Font().SetColor(emptyTextColor);
  canvas.TextRect({filledRight, rect.Top, rect.Right, rect.Bottom}, x, y, text);

  InflateRect(rect, 1, 1);
  if (borderColor != clNone) {
    canvas.Brush().SetColor(borderColor);
    canvas.FrameRect(rect);
  }
  InflateRect(rect, 1, 1);
  canvas.Brush().SetColor(background);
  canvas.FrameRect(rect);
}

void DrawProgressPie(TCanvas& canvas, const TRect& rect, TColor fillColor, bool, int percentage) {
  canvas.Pen().SetColor(PieGrey);
  canvas.Pen().SetWidth(1);
  if (rect.IsEmpty()) return;
  const double theta = std::clamp(percentage, 0, 100) / 100.0 * 2 * std::numbers::pi;
  PieOutline(canvas, rect, theta);
  if (percentage <= 0) return;

  // The sector is flood-filled in a scratch copy of the figure and only its pixels are copied,
  // so the fill works on any canvas. The seed lies on the sector's bisector, so that a thin
  // sector never floods the rest of the circle.
  const TColor key = ColorToRGB(fillColor) == RGB(255, 0, 255) ? RGB(0, 255, 255) : RGB(255, 0, 255);
  TBitmap scratch(rect.Width() + 2, rect.Height() + 2);
  scratch.Canvas().Brush().SetColor(key);
  scratch.Canvas().FillRect(Rect(0, 0, scratch.Width(), scratch.Height()));
  scratch.Canvas().Brush().SetStyle(bsClear);
  scratch.Canvas().Pen().SetColor(PieGrey);
  const TRect local = Bounds(1, 1, rect.Width(), rect.Height());
  PieOutline(scratch.Canvas(), local, theta);

  const std::uint32_t grey = ScanValue(PieGrey), fill = ScanValue(fillColor), keyValue = ScanValue(key);
  const double cx = local.Left + local.Width() / 2.0, cy = local.Top + local.Height() / 2.0;
  for (double share : {0.6, 0.45, 0.75, 0.3}) {
    const int sx = static_cast<int>(std::floor(cx + share * local.Width() / 2.0 * std::sin(theta / 2)));
    const int sy = static_cast<int>(std::floor(cy - share * local.Height() / 2.0 * std::cos(theta / 2)));
    if (sx < 0 || sy < 0 || sx >= scratch.Width() || sy >= scratch.Height()) continue;
    if (scratch.ScanLine(sy)[sx] == grey) continue;
    FloodFill(scratch, sx, sy, grey, fill);
    break;
  }
  for (int y = 0; y < scratch.Height(); ++y) {
    std::uint32_t* line = scratch.ScanLine(y);
    for (int x = 0; x < scratch.Width(); ++x)
      if (line[x] != fill) line[x] = keyValue;
  }
  canvas.Brush().SetColor(fillColor);
  TransparentBlt(canvas, rect.Left - 1, rect.Top - 1, scratch.Width(), scratch.Height(), scratch.Canvas(), 0,
                 0, scratch.Width(), scratch.Height(), key);
}

void DrawRangeIndicator(TCanvas& canvas, TRect rect, int value, TColor positiveColor, TColor negativeColor,
                        bool showValue, int range) {
  InflateRect(rect, -2, -2);
  // Set last: a brush change resets the background mode.
  struct TTransparentAtEnd {
    TCanvas& Canvas;
    bool On;
    ~TTransparentAtEnd() {
      if (On) Canvas.SetBkMode(TRANSPARENT);
    }
  } transparent{canvas, showValue};
  if (range <= 0) return; // no scale to draw on
  const int half = rect.Width() / 2;
  value = std::clamp(value, -range, range);
  const int x = RoundHalfEven(half * static_cast<double>(value) / range);
  const int middle = rect.Left + half;
  if (value < 0) {
    canvas.Pen().SetColor(negativeColor);
    canvas.Brush().SetColor(negativeColor);
    canvas.Rectangle(middle + x, rect.Top, middle, rect.Bottom);
  } else {
    canvas.Pen().SetColor(positiveColor);
    canvas.Brush().SetColor(positiveColor);
    canvas.Rectangle(middle, rect.Top, middle + x, rect.Bottom);
  }
}

void DrawLevelProgressBar(TCanvas& canvas, const TRect& rect, int percentage, const TLevelProgressParams& p) {
  const bool vertical = p.Vertical;
  const int length = (vertical ? rect.Height() : rect.Width()) - 2;
  const TColor outline = p.ShowBorder ? p.BorderColor : p.UnCompleteColor;
  canvas.Brush().SetColor(p.UnCompleteColor);
  canvas.Pen().SetColor(outline);
  canvas.Rectangle(rect);

  // The part from `offset` along the bar, `size` long, `inset` in from the frame across it;
  // never past the bar's inner end.
  auto segment = [&](int offset, int size, int inset) {
    const int end = std::min(offset + size, length + 1);
    if (vertical)
      return TRect{rect.Left + inset, rect.Bottom - end, rect.Right - inset, rect.Bottom - offset};
    return TRect{rect.Left + offset, rect.Top + inset, rect.Left + end, rect.Bottom - inset};
  };
  auto fillPart = [&](const TRect& r, TColor color, TColor colorTo) {
    if (r.IsEmpty()) return;
    if (!p.ShowGradient) {
      canvas.Brush().SetColor(color);
      canvas.FillRect(r);
    } else if (vertical) {
      const int mid = r.Left + r.Width() / 2;
      DrawGradient(canvas, colorTo, color, true, {r.Left, r.Top, mid, r.Bottom}, p.Steps);
      DrawGradient(canvas, color, colorTo, true, {mid, r.Top, r.Right, r.Bottom}, p.Steps);
    } else {
      const int mid = r.Top + r.Height() / 2;
      DrawGradient(canvas, colorTo, color, false, {r.Left, r.Top, r.Right, mid}, p.Steps);
      DrawGradient(canvas, color, colorTo, false, {r.Left, mid, r.Right, r.Bottom}, p.Steps);
    }
  };
  auto share = [length](double percent) { return RoundHalfEven(percent / 100.0 * length); };

  if (percentage > 0 && p.Stacked) {
    const int l0 = share(std::min(percentage, p.Level1Perc));
    fillPart(segment(1, l0, 1), p.Level0Color, p.Level0ColorTo);
    int l1 = 0;
    if (percentage >= p.Level1Perc) {
      l1 = share(std::min(percentage, p.Level2Perc) - p.Level1Perc);
      fillPart(segment(1 + l0, l1, 1), p.Level1Color, p.Level1ColorTo);
    }
    if (percentage >= p.Level2Perc) {
      const int l2 = percentage == 100 ? length - l0 - l1 : share(percentage - p.Level2Perc);
      fillPart(segment(1 + l0 + l1 + (vertical ? 1 : 0), l2, 1), p.Level3Color, p.Level3ColorTo);
    }
  } else if (percentage > 0) {
    TColor color = p.Level2Color, colorTo = p.Level2ColorTo;
    if (percentage < p.Level1Perc) {
      color = p.Level0Color;
      colorTo = p.Level0ColorTo;
    } else if (percentage < p.Level2Perc) {
      color = p.Level1Color;
      colorTo = p.Level1ColorTo;
    } else if (percentage >= 100) {
      color = p.Level3Color;
      colorTo = p.Level3ColorTo;
    }
    if (p.CompletionSmooth) {
      fillPart(segment(1, share(percentage), 1), color, colorTo);
    } else {
      const int t = RoundHalfEven(percentage * length / 100.0);
      if (t > 9) {
        for (int k = 0; k < t / 9; ++k)
          fillPart(segment(2 + 9 * k, 7, 2), color, colorTo);
        if (t % 9 > 2) fillPart(segment(2 + 9 * (t / 9), t % 9 - 1, 2), color, colorTo);
      } else if (t > 1) {
        fillPart(segment(2, t - 1, 2), color, colorTo);
      }
    }
  }

  if (p.ShowPercentage) {
    const std::string text = std::to_string(percentage) + "%";
    canvas.Font().Assign(p.Font);
    canvas.Font().SetColor(p.CompleteFontColor);
    canvas.SetBkMode(TRANSPARENT);
    const int textWidth = canvas.TextWidth(text), textHeight = canvas.TextHeight(text);
    if (vertical)
      TextOutRotated(canvas, rect.Left + rect.Width() / 2 - textHeight / 2,
                     rect.Top + rect.Height() / 2 + textWidth / 2, 900, text);
    else
      canvas.TextOut(rect.Left + rect.Width() / 2 - textWidth / 2,
                     rect.Top + rect.Height() / 2 - textHeight / 2, text);
  }
  canvas.Pen().SetColor(outline);
  canvas.Brush().SetStyle(bsClear);
  canvas.Rectangle(rect);
}

void DrawCellShape(TCanvas& canvas, int left, int top, TColor outlineColor, TColor fillColor, int shape,
                   int height, int width) {
  if (shape < csRectangle || shape > csHalfStar) return;
  const int x = left, y = top;
  int w = width, h = height;
  if (shape == csCircle || shape == csSquare || shape == csRoundSquare) w = h = std::min(w, h);
  canvas.Pen().SetColor(outlineColor);
  canvas.Brush().SetColor(fillColor);

  auto starPoint = [&](int k) {
    const double a = k * 36.0 * std::numbers::pi / 180.0;
    double rx = w / 2, ry = h / 2;
    if (k % 2 == 1) {
      rx /= 3.0;
      ry /= 3.0;
    }
    return TPoint{x + w / 2 + RoundHalfEven(std::sin(a) * rx), y + h / 2 - RoundHalfEven(std::cos(a) * ry)};
  };
  const int we = w - w % 2, he = h - h % 2, w4 = we / 4, h4 = he / 4;

  switch (shape) {
  case csRectangle:
  case csSquare:
    canvas.Rectangle(x + 1, y + 1, x + w - 1, y + h - 1);
    break;
  case csCircle:
  case csEllips:
    canvas.Ellipse(x, y, x + w, y + h);
    break;
  case csRoundRect:
  case csRoundSquare:
    canvas.RoundRect(x, y, x + w, y + h, 10, 10);
    break;
  case csTriangleLeft:
    canvas.Polygon({{x + w, y}, {x + w, y + h}, {x, y + h / 2}});
    break;
  case csTriangleRight:
    canvas.Polygon({{x, y}, {x, y + h}, {x + w, y + h / 2}});
    break;
  case csTriangleUp:
    canvas.Polygon({{x, y + h}, {x + w, y + h}, {x + w / 2, y}});
    break;
  case csTriangleDown:
    canvas.Polygon({{x, y}, {x + w, y}, {x + w / 2, y + h}});
    break;
  case csDiamond:
    canvas.Polygon(
        {{x, y + h / 2}, {x + w / 2, y}, {x + 2 * (w / 2), y + h / 2}, {x + w / 2, y + 2 * (h / 2)}});
    break;
  case csLineVert:
    canvas.Rectangle(x + w / 2, y, x + w / 2 + 1, y + h);
    break;
  case csLineHorz:
    canvas.Rectangle(x, y + h / 2, x + w, y + h / 2 + 1);
    break;
  case csStar: {
    std::vector<TPoint> points;
    for (int k = 0; k < 10; ++k)
      points.push_back(starPoint(k));
    canvas.Polygon(points);
    break;
  }
  case csHalfStar:
    canvas.Polygon({starPoint(0), starPoint(5), starPoint(6), starPoint(7), starPoint(8), starPoint(9)});
    break;
  case csArrowUp:
    canvas.Polygon({{x, y + h / 2},
                    {x + we / 2, y},
                    {x + we, y + h / 2},
                    {x + 3 * w4, y + h / 2},
                    {x + 3 * w4, y + h},
                    {x + w4, y + h},
                    {x + w4, y + h / 2}});
    break;
  case csArrowDown:
    canvas.Polygon({{x, y + h / 2},
                    {x + we / 2, y + h},
                    {x + we, y + h / 2},
                    {x + 3 * w4, y + h / 2},
                    {x + 3 * w4, y},
                    {x + w4, y},
                    {x + w4, y + h / 2}});
    break;
  case csArrowLeft:
    canvas.Polygon({{x, y + he / 2},
                    {x + w / 2, y},
                    {x + w / 2, y + h4},
                    {x + w, y + h4},
                    {x + w, y + 3 * h4},
                    {x + w / 2, y + 3 * h4},
                    {x + w / 2, y + he}});
    break;
  case csArrowRight:
    canvas.Polygon({{x + w, y + he / 2},
                    {x + w / 2, y},
                    {x + w / 2, y + h4},
                    {x, y + h4},
                    {x, y + 3 * h4},
                    {x + w / 2, y + 3 * h4},
                    {x + w / 2, y + he}});
    break;
  default:
    break;
  }
}
