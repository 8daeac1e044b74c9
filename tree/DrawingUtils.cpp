#include "tree/DrawingUtils.h"

#include "platform/Assert.h"
#include "platform/TextCodec.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

TRect NormalizedRect(const TRect& R) {
  return TRect{std::min(R.Left, R.Right), std::min(R.Top, R.Bottom), std::max(R.Left, R.Right),
               std::max(R.Top, R.Bottom)};
}

void ClipCanvasToRect(TCanvas& Canvas, const TRect& ClipRect, const TRegion* VisibleRegion) {
  const TPoint origin = Canvas.WindowOrg();
  TRegion region(TRect{ClipRect.Left - origin.X, ClipRect.Top - origin.Y, ClipRect.Right - origin.X,
                       ClipRect.Bottom - origin.Y});
  if (VisibleRegion) region.Intersect(*VisibleRegion);
  Canvas.SelectClipRegion(&region);
}

void MeasureTextRect(TCanvas& Canvas, const std::string& S, TRect& Bounds, unsigned DrawFormat) {
  Bounds.Right = Bounds.Left + 1;
  Bounds.Bottom = Bounds.Top + 1;
  Canvas.DrawText(S, Bounds, DrawFormat | DT_CALCRECT);
}

namespace {
// Byte offsets where each character starts, and the text's length at the end.
std::vector<std::size_t> CharStarts(const std::string& s) {
  std::vector<std::size_t> starts;
  for (std::size_t i = 0; i < s.size();) {
    starts.push_back(i);
    Utf8Next(s, i);
  }
  starts.push_back(s.size());
  return starts;
}
} // namespace

std::string ShortenString(TCanvas& Canvas, const std::string& S, int Width, int EllipsisWidth) {
  if (S.empty() || Width <= 0) return {};
  if (EllipsisWidth == 0) EllipsisWidth = Canvas.TextWidth("...");
  const std::vector<std::size_t> starts = CharStarts(S);
  const std::size_t length = starts.size() - 1;
  std::size_t low = 0, high = length;
  while (high > low) {
    const std::size_t mid = (low + high + 1) / 2;
    const int w = Canvas.TextWidth(S.substr(0, starts[mid])) + EllipsisWidth;
    if (w <= Width)
      low = mid;
    else
      high = mid - 1;
  }
  if (low == length) return S;
  if (EllipsisWidth < Width) return S.substr(0, starts[low]) + "...";
  return {};
}

std::string WrapText(TCanvas& Canvas, const std::string& Text, const TRect& Bounds, bool RTL,
                     unsigned DrawFormat) {
  const std::size_t first = Text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  const std::string text = Text.substr(first, Text.find_last_not_of(' ') - first + 1);
  const int maxWidth = Bounds.Right - Bounds.Left;
  std::vector<std::string> words;
  for (std::size_t start = 0;;) {
    const std::size_t blank = text.find(' ', start);
    words.push_back(text.substr(start, blank == std::string::npos ? std::string::npos : blank - start));
    if (blank == std::string::npos) break;
    start = blank + 1;
  }
  if (RTL) std::reverse(words.begin(), words.end());
  auto width = [&](const std::string& s) {
    TRect r{0, 0, 0, 0};
    MeasureTextRect(Canvas, s, r, DrawFormat);
    return r.Right - r.Left;
  };
  auto join = [&](const std::string& line, const std::string& word) {
    if (line.empty()) return word;
    return RTL ? word + " " + line : line + " " + word;
  };
  std::string result, line;
  bool lineHasWords = false;
  auto finishLine = [&] {
    result += line + "\n";
    line.clear();
    lineHasWords = false;
  };
  for (std::size_t i = 0; i < words.size();) {
    const std::string candidate = lineHasWords ? join(line, words[i]) : words[i];
    if (width(candidate) <= maxWidth) {
      line = candidate;
      lineHasWords = true;
      ++i;
    } else if (lineHasWords) {
      finishLine();
    } else {
      // A word wider than a line: the longest part that fits (at least one character) ends it.
      const std::string& word = words[i];
      const std::vector<std::size_t> starts = CharStarts(word);
      const std::size_t length = starts.size() - 1;
      std::size_t take = 1;
      while (take < length) {
        const std::string part =
            RTL ? word.substr(starts[length - take - 1]) : word.substr(0, starts[take + 1]);
        if (width(part) > maxWidth) break;
        ++take;
      }
      if (take >= length) {
        line = word;
        ++i;
        finishLine();
        continue;
      }
      line = RTL ? word.substr(starts[length - take]) : word.substr(0, starts[take]);
      words[i] = RTL ? word.substr(0, starts[length - take]) : word.substr(starts[take]);
      finishLine();
    }
  }
  if (lineHasWords || !line.empty()) finishLine();
  if (!result.empty()) result.pop_back();
  return result;
}

std::uint32_t* ScanlinePointer(std::uint32_t* Bits, int Width, int Height, int Row) {
  if (Height > 0) return Bits + static_cast<std::ptrdiff_t>(Width) * (Height - Row - 1);
  return Bits + static_cast<std::ptrdiff_t>(Width) * Row;
}

std::uint32_t* GetDIBBitsOfDC(TBitmap* Bitmap, int& Width, int& Height) {
  Width = 0;
  Height = 0;
  Assert(Bitmap != nullptr && !Bitmap->Empty() && Bitmap->ScanLine(0) != nullptr,
         "Alpha blending DC error: no bitmap available.");
  Assert(Bitmap->PixelFormat() == pf32bit, "Alpha blending error: bitmap must use 32 bpp.");
  Width = Bitmap->Width();
  Height = -Bitmap->Height();
  return Bitmap->ScanLine(0);
}

namespace {

inline std::uint32_t Channel(std::uint32_t pixel, int shift) {
  return (pixel >> shift) & 0xFF;
}

// The blended channel, then the bias added with 16-bit signed saturation around 128 and the
// result saturated to a byte.
inline std::uint32_t BlendChannel(std::uint32_t s, std::uint32_t d, int a, int bias) {
  const int blend = (static_cast<int>(d) * 256 + (static_cast<int>(s) - static_cast<int>(d)) * a) / 256;
  int v = std::clamp(blend - 128 + std::clamp(bias, -32768, 32767), -32768, 32767) + 128;
  return static_cast<std::uint32_t>(std::clamp(v, 0, 255));
}

inline std::uint32_t BlendPixel(std::uint32_t s, std::uint32_t d, int a, int bias) {
  std::uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8)
    out |= BlendChannel(Channel(s, shift), Channel(d, shift), a, bias) << shift;
  return out;
}

} // namespace

void BlendLineConstant(const std::uint32_t* Source, std::uint32_t* Destination, int Count, int ConstantAlpha,
                       int Bias) {
  for (int i = 0; i < Count; ++i)
    Destination[i] = BlendPixel(Source[i], Destination[i], ConstantAlpha, Bias);
}

void BlendLinePerPixel(const std::uint32_t* Source, std::uint32_t* Destination, int Count, int Bias) {
  for (int i = 0; i < Count; ++i)
    Destination[i] = BlendPixel(Source[i], Destination[i], static_cast<int>(Channel(Source[i], 24)), Bias);
}

void BlendLineMaster(const std::uint32_t* Source, std::uint32_t* Destination, int Count, int ConstantAlpha,
                     int Bias) {
  for (int i = 0; i < Count; ++i) {
    const int a = ConstantAlpha * static_cast<int>(Channel(Source[i], 24)) / 256;
    Destination[i] = BlendPixel(Source[i], Destination[i], a, Bias);
  }
}

void BlendLineMasterAndColor(std::uint32_t* Destination, int Count, int ConstantAlpha, std::uint32_t Color) {
  // The colour is 0x00BBGGRR; the pixel's channels from the low byte are blue, green, red, alpha.
  const std::uint32_t c[4] = {(Color >> 16) & 0xFF, (Color >> 8) & 0xFF, Color & 0xFF, 0};
  for (int i = 0; i < Count; ++i) {
    std::uint32_t out = 0;
    for (int k = 0; k < 4; ++k) {
      const int d = static_cast<int>(Channel(Destination[i], 8 * k));
      const int v = (static_cast<int>(c[k]) * ConstantAlpha + d * (256 - ConstantAlpha)) / 256;
      out |= static_cast<std::uint32_t>(v & 0xFF) << (8 * k);
    }
    Destination[i] = out;
  }
}

void AlphaBlendRect(TBitmap* Source, TBitmap* Destination, const TRect& R, TPoint Target,
                    TAlphaBlendMode Mode, int ConstantAlpha, int Bias) {
  if (R.IsEmpty()) return;
  int dw = 0, dh = 0;
  std::uint32_t* dest = GetDIBBitsOfDC(Destination, dw, dh);
  if (Mode == abConstantAndColor) {
    TRect area;
    IntersectRect(area, R, TRect{0, 0, dw, std::abs(dh)});
    for (int y = area.Top; y < area.Bottom; ++y)
      BlendLineMasterAndColor(ScanlinePointer(dest, dw, dh, y) + area.Left, area.Width(), ConstantAlpha,
                              static_cast<std::uint32_t>(Bias));
    EndMMX();
    return;
  }
  int sw = 0, sh = 0;
  std::uint32_t* source = GetDIBBitsOfDC(Source, sw, sh);
  // Only pixels inside both bitmaps take part.
  const int width = std::min({R.Width(), sw - R.Left, dw - Target.X});
  const int height = std::min({R.Height(), std::abs(sh) - R.Top, std::abs(dh) - Target.Y});
  if (R.Left < 0 || R.Top < 0 || Target.X < 0 || Target.Y < 0 || width <= 0 || height <= 0) {
    EndMMX();
    return;
  }
  for (int y = 0; y < height; ++y) {
    const std::uint32_t* s = ScanlinePointer(source, sw, sh, R.Top + y) + R.Left;
    std::uint32_t* d = ScanlinePointer(dest, dw, dh, Target.Y + y) + Target.X;
    switch (Mode) {
    case abConstant:
      BlendLineConstant(s, d, width, ConstantAlpha, Bias);
      break;
    case abPerPixel:
      BlendLinePerPixel(s, d, width, Bias);
      break;
    default:
      BlendLineMaster(s, d, width, ConstantAlpha, Bias);
      break;
    }
  }
  EndMMX();
}

std::uint32_t ColorToImageListRGB(TColor Color) {
  if (Color == clNone) return CLR_NONE;
  if (Color == clDefault) return CLR_DEFAULT;
  return static_cast<std::uint32_t>(ColorToRGB(Color));
}

void StretchDrawDIB(TCanvas& Canvas, const TRect& DestRect, const TBitmap& Bitmap) {
  const TCopyMode mode = Canvas.CopyMode();
  Canvas.SetCopyMode(cmSrcCopy);
  Canvas.StretchDraw(DestRect, Bitmap);
  Canvas.SetCopyMode(mode);
}

void DrawListImage(const TImageList& ImageList, int Index, TCanvas& Canvas, int X, int Y, TDrawingStyle Style,
                   bool Enabled) {
  if (Enabled)
    ImageList.Draw(Canvas, X, Y, Index, Style, itImage, true);
  else
    DrawSaturatedImage(ImageList, Canvas, X, Y, Index);
}

void DrawSaturatedImage(const TImageList& ImageList, TCanvas& Canvas, int X, int Y, int Index) {
  ImageList.Draw(Canvas, X, Y, Index, dsTransparent, itImage, false);
}

void ComputeDragRects(int DragWidth, int DragHeight, int DeltaX, int DeltaY, TRect& RClip, TRect& RScroll,
                      TRect& RSamp1, TRect& RSamp2, TRect& RDraw1, TRect& RDraw2) {
  const int w = DragWidth, h = DragHeight, dx = DeltaX, dy = DeltaY;
  RClip = TRect{0, 0, w, h};
  // The four values are Left, Top, Right, Bottom as the drag image's blits read them.
  auto set = [](TRect& r, int a, int b, int c, int d) { r = TRect{a, b, c, d}; };
  const int ady = std::abs(dy);
  if (dx > 0) {
    if (dy != 0) {
      set(RScroll, 0, dy >= 0 ? 0 : -dy, w - dx, dy >= 0 ? h - dy : h);
      set(RSamp1, 0, 0, dx, h);
      set(RSamp2, dx, dy >= 0 ? 0 : h + dy, w - dx, ady);
      set(RDraw1, 0, dy >= 0 ? h - dy : 0, w - dx, ady);
      set(RDraw2, w - dx, 0, dx, h);
    } else {
      set(RScroll, 0, 0, w - dx, h);
      set(RSamp1, 0, 0, dx, h);
      set(RDraw1, w - dx, 0, dx, h);
    }
  } else if (dx == 0) {
    set(RScroll, 0, dy >= 0 ? 0 : -dy, w, dy >= 0 ? h - dy : h);
    set(RSamp2, 0, dy >= 0 ? 0 : h + dy, w, ady);
    set(RDraw2, 0, dy >= 0 ? h - dy : 0, w, ady);
  } else if (dy > 0) {
    set(RScroll, -dx, 0, w, h);
    set(RSamp1, 0, 0, w + dx, dy);
    set(RSamp2, w + dx, 0, -dx, h);
    set(RDraw1, 0, 0, -dx, h);
    set(RDraw2, -dx, h - dy, w + dx, dy);
  } else if (dy < 0) {
    set(RScroll, -dx, -dy, w, h);
    set(RSamp1, 0, h + dy, w + dx, -dy);
    set(RSamp2, w + dx, 0, -dx, h);
    set(RDraw1, 0, 0, -dx, h);
    set(RDraw2, -dx, 0, w + dx, -dy);
  } else {
    set(RScroll, -dx, 0, w, h);
    set(RSamp1, w + dx, 0, -dx, h);
    set(RDraw1, 0, 0, -dx, h);
  }
}
