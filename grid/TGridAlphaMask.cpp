#include "grid/TGridAlphaMask.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

TGridAlphaMask::TGridAlphaMask(int width, int height) {
  SetSize(width, height);
}

void TGridAlphaMask::SetSize(int width, int height) {
  FWidth = std::max(width, 0);
  FHeight = std::max(height, 0);
  FPixels.assign(static_cast<std::size_t>(FWidth) * FHeight, 0);
}

std::uint32_t TGridAlphaMask::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= FWidth || y >= FHeight) return 0;
  return FPixels[static_cast<std::size_t>(y) * FWidth + x];
}

void TGridAlphaMask::SetPixel(int x, int y, std::uint32_t argb) {
  if (x < 0 || y < 0 || x >= FWidth || y >= FHeight) return;
  FPixels[static_cast<std::size_t>(y) * FWidth + x] = argb;
}

void TGridAlphaMask::Assign(const TGridAlphaMask& source) {
  if (&source == this) return;
  FOpacity = source.FOpacity;
  std::fill(FPixels.begin(), FPixels.end(), 0u);
  const int w = std::min(FWidth, source.FWidth), h = std::min(FHeight, source.FHeight);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      SetPixel(x, y, source.Pixel(x, y));
}

void TGridAlphaMask::Assign(const TBitmap& source) {
  SetSize(source.Width(), source.Height());
  for (int y = 0; y < FHeight; ++y) {
    const std::uint32_t* row = source.ScanLine(y);
    for (int x = 0; x < FWidth; ++x)
      SetPixel(x, y, 0xFF000000u | (row[x] & 0xFFFFFFu));
  }
}

std::uint8_t Premultiply(std::uint8_t channel, std::uint8_t alpha) {
  return static_cast<std::uint8_t>(std::nearbyint(channel * alpha / 255.0));
}

void TGridAlphaMask::MergeMask(const TBitmap& mask, const TBitmap& bitmap, TColor) {
  if (bitmap.PixelFormat() != pf24bit) return;
  SetSize(bitmap.Width(), bitmap.Height());
  const int w = std::min(FWidth, mask.Width()), h = std::min(FHeight, mask.Height());
  for (int y = 0; y < h; ++y) {
    const std::uint32_t* m = mask.ScanLine(y);
    const std::uint32_t* b = bitmap.ScanLine(y);
    for (int x = 0; x < w; ++x) {
      const auto alpha = static_cast<std::uint8_t>(m[x] >> 16);
      const auto r = Premultiply(static_cast<std::uint8_t>(b[x] >> 16), alpha);
      const auto g = Premultiply(static_cast<std::uint8_t>(b[x] >> 8), alpha);
      const auto bl = Premultiply(static_cast<std::uint8_t>(b[x]), alpha);
      SetPixel(x, y, (std::uint32_t{alpha} << 24) | (std::uint32_t{r} << 16) | (std::uint32_t{g} << 8) | bl);
    }
  }
}

TBlurKernel MakeBlurKernel(double radius) {
  TBlurKernel k;
  double w[21];
  double sum = 0;
  for (int i = -10; i <= 10; ++i) {
    const double q = i / radius;
    w[i + 10] = std::exp(-q * q / 2);
    sum += w[i + 10];
  }
  for (double& v : w)
    v /= sum;
  int s = 10;
  double t = 0;
  while (t < 1.0 / (2 * 255) && s > 1) {
    t += 2 * w[s + 10];
    --s;
  }
  sum = 0;
  for (int i = -s; i <= s; ++i)
    sum += w[i + 10];
  for (int i = -10; i <= 10; ++i)
    k.Weights[i + 10] = std::abs(i) <= s ? static_cast<float>(w[i + 10] / sum) : 0.0f;
  k.Size = s;
  return k;
}

namespace {

void BlurLine(const TBlurKernel& k, std::vector<std::uint32_t>& line) {
  const int n = static_cast<int>(line.size());
  std::vector<std::uint32_t> out(line.size());
  for (int x = 0; x < n; ++x) {
    std::uint32_t pixel = 0xFF000000u;
    for (int shift = 0; shift <= 16; shift += 8) {
      float v = 0;
      for (int i = -k.Size; i <= k.Size; ++i)
        v += k.Weights[i + 10] * static_cast<float>((line[std::clamp(x - i, 0, n - 1)] >> shift) & 0xFF);
      const std::uint32_t c = v >= 255 ? 255u : v < 0 ? 0u : static_cast<std::uint32_t>(v);
      pixel |= c << shift;
    }
    out[x] = pixel;
  }
  line.swap(out);
}

} // namespace

void BlurBitmap24(TBitmap& bitmap, double radius) {
  if (bitmap.PixelFormat() != pf24bit) throw std::runtime_error("Blur only works for 24-bit bitmaps");
  // A radius of zero or below has no kernel; nothing to soften.
  if (!(radius > 0)) return;
  const TBlurKernel k = MakeBlurKernel(radius);
  const int W = bitmap.Width(), H = bitmap.Height();
  if (W == 0 || H == 0) return;
  std::vector<std::uint32_t> line;
  for (int i = 0; i < H; ++i) {
    std::uint32_t* row = bitmap.ScanLine(i);
    if (i > 20 && i < H - 20) {
      std::copy_n(bitmap.ScanLine(15), W, row);
      continue;
    }
    line.assign(row, row + W);
    BlurLine(k, line);
    std::copy(line.begin(), line.end(), row);
  }
  for (int j = 0; j < W; ++j) {
    if (j > 20 && j < W - 20) {
      for (int y = 0; y < H; ++y)
        bitmap.ScanLine(y)[j] = bitmap.ScanLine(y)[15];
      continue;
    }
    line.resize(H);
    for (int y = 0; y < H; ++y)
      line[y] = bitmap.ScanLine(y)[j];
    BlurLine(k, line);
    for (int y = 0; y < H; ++y)
      bitmap.ScanLine(y)[j] = line[y];
  }
}

void DrawGlowMask(TBitmap& bitmap, int W, int H, int PenWidth, int Corner, double Blur) {
  bitmap.SetPixelFormat(pf24bit);
  bitmap.SetSize(W, H);
  TCanvas& canvas = bitmap.Canvas();
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(clBlack);
  canvas.FillRect(Rect(0, 0, W, H));
  canvas.Pen().SetStyle(psSolid);
  canvas.Pen().SetColor(clWhite);
  if (PenWidth < 1) {
    canvas.Pen().SetWidth(1);
    canvas.Brush().SetColor(clWhite);
  } else {
    canvas.Pen().SetWidth(PenWidth);
    canvas.Brush().SetColor(clBlack);
  }
  const int c = PenWidth / 2;
  canvas.RoundRect(c + 2, c + 2, W - c - 2, H - c - 2, Corner, Corner);
  canvas.Pen().SetWidth(1);
  if (Blur > 0) BlurBitmap24(bitmap, Blur);
}
