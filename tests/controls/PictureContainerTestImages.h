// Small pictures made in the tests: GIF streams built byte by byte (with a real LZW coder, frames,
// delays, offsets and transparency), and BMP, ICO and JPEG through the platform's bitmap encoder.
#pragma once

#include "platform/Colors.h"
#include "platform/ui/Graphics.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace testimages {

inline void PutWord(std::string& s, unsigned v) {
  s += char(v & 0xFF);
  s += char((v >> 8) & 0xFF);
}

// LZW as GIF writes it: variable code size from minCodeSize + 1 up to 12 bits, a clear code first
// and whenever the table is full, the end code last.
inline std::string LzwEncode(const std::vector<std::uint8_t>& indexes, int minCodeSize) {
  std::string out;
  std::uint32_t bitBuffer = 0;
  int bitCount = 0;
  int codeSize = minCodeSize + 1;
  const int clear = 1 << minCodeSize, end = clear + 1;
  int next = clear + 2;
  std::unordered_map<std::uint32_t, int> table;
  auto emit = [&](int code) {
    bitBuffer |= std::uint32_t(code) << bitCount;
    bitCount += codeSize;
    while (bitCount >= 8) {
      out += char(bitBuffer & 0xFF);
      bitBuffer >>= 8;
      bitCount -= 8;
    }
  };
  emit(clear);
  if (!indexes.empty()) {
    int prefix = indexes[0];
    for (std::size_t i = 1; i < indexes.size(); ++i) {
      const std::uint32_t key = (std::uint32_t(prefix) << 8) | indexes[i];
      if (auto it = table.find(key); it != table.end()) {
        prefix = it->second;
        continue;
      }
      emit(prefix);
      table[key] = next++;
      if (next > (1 << codeSize) && codeSize < 12) ++codeSize;
      if (next == 4096) {
        emit(clear);
        table.clear();
        codeSize = minCodeSize + 1;
        next = clear + 2;
      }
      prefix = indexes[i];
    }
    emit(prefix);
  }
  emit(end);
  if (bitCount > 0) out += char(bitBuffer & 0xFF);
  return out;
}

// Data sub-blocks of at most 255 bytes and the terminator.
inline std::string SubBlocks(const std::string& data) {
  std::string out;
  for (std::size_t i = 0; i < data.size(); i += 255) {
    const std::size_t n = std::min<std::size_t>(255, data.size() - i);
    out += char(n);
    out.append(data, i, n);
  }
  out += '\0';
  return out;
}

inline std::string ColourTable(const std::vector<TColor>& colours) {
  std::string out;
  for (TColor c : colours) {
    out += char(GetRValue(c));
    out += char(GetGValue(c));
    out += char(GetBValue(c));
  }
  return out;
}

// Packed bits of a colour table with 2, 4, ... 256 entries.
inline unsigned TableSizeBits(std::size_t entries) {
  unsigned bits = 0;
  while ((std::size_t(2) << bits) < entries)
    ++bits;
  return bits;
}

struct TGifFrame {
  int Left = 0, Top = 0, Width = 1, Height = 1;
  int Delay = 10;                   // hundredths of a second
  int Transparent = -1;             // colour index shown as transparent
  bool Control = true;              // with a graphic control extension
  bool Interlaced = false;          // rows stored in the four interlace passes
  std::vector<std::uint8_t> Pixels; // row by row; empty: all index 0
};

inline std::string Gif(int screenWidth, int screenHeight, const std::vector<TColor>& palette,
                       const std::vector<TGifFrame>& frames) {
  std::string s = "GIF89a";
  PutWord(s, screenWidth);
  PutWord(s, screenHeight);
  const unsigned bits = TableSizeBits(palette.size());
  s += char(0x80 | (bits << 4) | bits);
  s += '\0'; // background index
  s += '\0'; // aspect
  std::vector<TColor> table = palette;
  table.resize(std::size_t(2) << bits, clBlack);
  s += ColourTable(table);
  // Loop forever (application extension), as animated pictures usually say.
  s += std::string("\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00", 19);
  for (const TGifFrame& f : frames) {
    if (f.Control) {
      s += "\x21\xF9\x04";
      s += char(f.Transparent >= 0 ? 1 : 0);
      PutWord(s, f.Delay);
      s += char(f.Transparent >= 0 ? f.Transparent : 0);
      s += '\0';
    }
    s += '\x2C';
    PutWord(s, f.Left);
    PutWord(s, f.Top);
    PutWord(s, f.Width);
    PutWord(s, f.Height);
    s += char(f.Interlaced ? 0x40 : 0);
    std::vector<std::uint8_t> pixels = f.Pixels;
    pixels.resize(std::size_t(f.Width) * f.Height, 0);
    if (f.Interlaced) { // store the rows in pass order
      std::vector<std::uint8_t> stored;
      const int starts[] = {0, 4, 2, 1}, steps[] = {8, 8, 4, 2};
      for (int pass = 0; pass < 4; ++pass)
        for (int y = starts[pass]; y < f.Height; y += steps[pass])
          stored.insert(stored.end(), pixels.begin() + std::size_t(y) * f.Width,
                        pixels.begin() + std::size_t(y + 1) * f.Width);
      pixels = stored;
    }
    const int minCodeSize = std::max(2u, bits + 1);
    s += char(minCodeSize);
    s += SubBlocks(LzwEncode(pixels, minCodeSize));
  }
  s += '\x3B';
  return s;
}

// A frame of one colour index.
inline TGifFrame Plain(int left, int top, int width, int height, std::uint8_t index, int delay = 10) {
  TGifFrame f;
  f.Left = left;
  f.Top = top;
  f.Width = width;
  f.Height = height;
  f.Delay = delay;
  f.Pixels.assign(std::size_t(width) * height, index);
  return f;
}

// A bitmap in the platform's encoding of `format` ("BMP", "ICO", "JPEG").
inline std::string Encoded(int width, int height, TColor colour, const char* format) {
  TBitmap b(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      b.SetPixel(x, y, colour);
  return b.SaveToBytes(format);
}

} // namespace testimages
