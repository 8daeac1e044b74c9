// Fixture of the mini-HTML renderer tests: a white bitmap with DejaVu Sans, text widths as the
// renderer measures them, and views of the pixels drawn.
#pragma once

#include "controls/AsgHTMLE.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/Graphics.h"

#include <gtest/gtest.h>

#include <string>

class HTMLRenderTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() { ASSERT_TRUE(EnsureGuiApplication()); }

  void SetUp() override {
    Canvas.Font().SetName("DejaVu Sans");
    Canvas.Font().SetHeight(-12);
    Canvas.Font().SetColor(clBlack);
    Canvas.Brush().SetColor(clWhite);
    Canvas.Brush().SetStyle(bsSolid);
    Canvas.FillRect(Rect(0, 0, Bitmap.Width(), Bitmap.Height()));
  }

  THTMLDrawResult Draw(const std::string& text, const TRect& r, const THTMLDrawParams& p = {}) {
    THTMLDrawResult result;
    Hit = DrawHTML(Canvas, text, r, p, result);
    return result;
  }
  THTMLDrawResult Measure(const std::string& text, const TRect& r, THTMLDrawParams p = {}) {
    p.MeasureOnly = true;
    return Draw(text, r, p);
  }

  // Width of a text in the base font with a style and, when given, a point size.
  int Width(const std::string& text, TFontStyles style = 0, int points = 0) {
    TFont saved(Canvas.Font());
    Canvas.Font().SetStyle(style);
    if (points) Canvas.Font().SetSize(points);
    TRect r{0, 0, 1 << 20, 0};
    Canvas.DrawText(text, r, DT_CALCRECT | DT_SINGLELINE);
    Canvas.Font().Assign(saved);
    return r.Width();
  }
  int Gh(int points = 0) {
    TFont saved(Canvas.Font());
    if (points) Canvas.Font().SetSize(points);
    const int h = Canvas.TextHeight("gh");
    Canvas.Font().Assign(saved);
    return h;
  }

  int Count(TColor color, const TRect& area) const {
    int n = 0;
    for (int y = area.Top; y < area.Bottom; ++y)
      for (int x = area.Left; x < area.Right; ++x)
        n += Bitmap.Pixel(x, y) == color;
    return n;
  }
  int Count(TColor color) const { return Count(color, Rect(0, 0, Bitmap.Width(), Bitmap.Height())); }
  // Bounding box of the pixels of a colour; empty when there are none.
  TRect InkOf(TColor color) const {
    TRect r{Bitmap.Width(), Bitmap.Height(), 0, 0};
    for (int y = 0; y < Bitmap.Height(); ++y)
      for (int x = 0; x < Bitmap.Width(); ++x)
        if (Bitmap.Pixel(x, y) == color) {
          r.Left = std::min(r.Left, x);
          r.Top = std::min(r.Top, y);
          r.Right = std::max(r.Right, x + 1);
          r.Bottom = std::max(r.Bottom, y + 1);
        }
    return r.IsEmpty() ? TRect{} : r;
  }
  TRect Ink() const {
    TRect r{Bitmap.Width(), Bitmap.Height(), 0, 0};
    for (int y = 0; y < Bitmap.Height(); ++y)
      for (int x = 0; x < Bitmap.Width(); ++x)
        if (Bitmap.Pixel(x, y) != clWhite) {
          r.Left = std::min(r.Left, x);
          r.Top = std::min(r.Top, y);
          r.Right = std::max(r.Right, x + 1);
          r.Bottom = std::max(r.Bottom, y + 1);
        }
    return r.IsEmpty() ? TRect{} : r;
  }
  void Clear() {
    Canvas.Brush().SetColor(clWhite);
    Canvas.Brush().SetStyle(bsSolid);
    Canvas.FillRect(Rect(0, 0, Bitmap.Width(), Bitmap.Height()));
  }

  TBitmap Bitmap{320, 200};
  TCanvas& Canvas = Bitmap.Canvas();
  bool Hit = false;
};
