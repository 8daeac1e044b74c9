#include "app/UVelmariceFirmWarePictures.h"

#include "platform/ui/Resources.h"

#include <cmath>

namespace {

constexpr int S = Corner_Picture_Size;

TBitmap Blank() {
  TBitmap b(S, S);
  b.Canvas().Brush().SetColor(ResourceKeyColor);
  b.Canvas().FillRect(Rect(0, 0, S, S));
  return b;
}

// A filled disc with a darker rim, leaving the corners see-through.
void Disc(TBitmap& b, TColor fill, TColor rim) {
  TCanvas& c = b.Canvas();
  c.Pen().SetColor(rim);
  c.Pen().SetWidth(2);
  c.Brush().SetColor(fill);
  c.Ellipse(2, 2, S - 2, S - 2);
  c.Pen().SetWidth(1);
}

} // namespace

TBitmap Info_Picture() {
  TBitmap b = Blank();
  Disc(b, RGB(40, 110, 200), RGB(20, 60, 130));
  TCanvas& c = b.Canvas();
  c.Brush().SetColor(clWhite);
  c.FillRect(Rect(18, 10, 23, 15)); // the dot
  c.FillRect(Rect(18, 17, 23, 30)); // the stem
  c.FillRect(Rect(15, 17, 18, 19));
  c.FillRect(Rect(15, 28, 26, 30));
  return b;
}

TBitmap Options_Picture() {
  TBitmap b = Blank();
  TCanvas& c = b.Canvas();
  const TColor steel = RGB(110, 110, 120);
  // Eight teeth round a wheel with a hole.
  c.Pen().SetColor(steel);
  c.Brush().SetColor(steel);
  const double cx = (S - 1) / 2.0, cy = (S - 1) / 2.0;
  for (int k = 0; k < 8; ++k) {
    const double a = k * 3.14159265358979 / 4;
    const double ux = std::cos(a), uy = std::sin(a), vx = -uy, vy = ux;
    auto at = [&](double r, double w) {
      return Point(static_cast<int>(std::lround(cx + ux * r + vx * w)),
                   static_cast<int>(std::lround(cy + uy * r + vy * w)));
    };
    c.Polygon({at(10, -4), at(18, -3), at(18, 3), at(10, 4)});
  }
  c.Ellipse(7, 7, S - 7, S - 7);
  c.Brush().SetColor(ResourceKeyColor);
  c.Pen().SetColor(RGB(70, 70, 80));
  c.Ellipse(14, 14, S - 14, S - 14);
  return b;
}

TBitmap Close_Picture() {
  TBitmap b = Blank();
  Disc(b, RGB(210, 40, 30), RGB(130, 20, 15));
  TCanvas& c = b.Canvas();
  c.Pen().SetColor(clWhite);
  c.Pen().SetWidth(4);
  c.MoveTo(13, 13);
  c.LineTo(27, 27);
  c.MoveTo(27, 13);
  c.LineTo(13, 27);
  return b;
}
