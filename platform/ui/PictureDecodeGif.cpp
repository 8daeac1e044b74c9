// The first image block of a GIF stream, in the block's own size. Every read is checked against
// the end of the data: a truncated or malformed stream is refused, never read past.
#include "platform/ui/PictureDecodeImpl.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace {

class TReader {
public:
  explicit TReader(const std::string& bytes) : FBytes(bytes) {}
  bool Has(std::size_t n) const { return FPos <= FBytes.size() && FBytes.size() - FPos >= n; }
  std::optional<std::uint8_t> Byte() {
    if (!Has(1)) return std::nullopt;
    return static_cast<std::uint8_t>(FBytes[FPos++]);
  }
  std::optional<std::uint16_t> Word() {
    if (!Has(2)) return std::nullopt;
    const auto lo = static_cast<std::uint8_t>(FBytes[FPos]), hi = static_cast<std::uint8_t>(FBytes[FPos + 1]);
    FPos += 2;
    return static_cast<std::uint16_t>(lo | (hi << 8));
  }
  bool Skip(std::size_t n) {
    if (!Has(n)) return false;
    FPos += n;
    return true;
  }
  const char* Here() const { return FBytes.data() + FPos; }

private:
  const std::string& FBytes;
  std::size_t FPos = 0;
};

using TPalette = std::vector<QRgb>;

bool ReadPalette(TReader& in, std::uint8_t packed, TPalette& palette) {
  const std::size_t count = std::size_t(2) << (packed & 7);
  if (!in.Has(count * 3)) return false;
  palette.resize(count);
  const auto* p = reinterpret_cast<const std::uint8_t*>(in.Here());
  for (std::size_t i = 0; i < count; ++i)
    palette[i] = qRgb(p[3 * i], p[3 * i + 1], p[3 * i + 2]);
  return in.Skip(count * 3);
}

// Data sub-blocks up to their terminator; false when the data ends first.
bool ReadSubBlocks(TReader& in, std::string* into) {
  for (;;) {
    const auto size = in.Byte();
    if (!size) return false;
    if (*size == 0) return true;
    if (!in.Has(*size)) return false;
    if (into) into->append(in.Here(), *size);
    in.Skip(*size);
  }
}

// LZW codes to colour indexes. Stops at the end code, at the end of the data, at a code that is
// not defined yet, or when every pixel has its index; pixels left over keep index 0.
void Decompress(const std::string& data, int minCodeSize, std::vector<std::uint8_t>& pixels) {
  constexpr int MaxCodes = 4096;
  std::array<std::uint16_t, MaxCodes> prefix{};
  std::array<std::uint8_t, MaxCodes> suffix{};
  std::array<std::uint8_t, MaxCodes + 1> stack{};
  const int clear = 1 << minCodeSize, end = clear + 1;
  int codeSize = minCodeSize + 1, next = clear + 2, previous = -1;
  std::uint8_t first = 0;
  for (int i = 0; i < clear; ++i)
    suffix[i] = static_cast<std::uint8_t>(i);

  std::size_t out = 0, bitPos = 0;
  const std::size_t bits = data.size() * 8;
  while (out < pixels.size() && bitPos + codeSize <= bits) {
    int code = 0;
    for (int b = 0; b < codeSize; ++b, ++bitPos)
      code |= ((static_cast<std::uint8_t>(data[bitPos / 8]) >> (bitPos % 8)) & 1) << b;
    if (code == clear) {
      codeSize = minCodeSize + 1;
      next = clear + 2;
      previous = -1;
      continue;
    }
    if (code == end) return;
    if (previous < 0) {
      if (code >= clear) return;
      pixels[out++] = first = suffix[code];
      previous = code;
      continue;
    }
    if (code > next || (code == next && next >= MaxCodes)) return;
    int sp = 0, c = code;
    if (code == next) { // the code being defined now: previous string plus its own first index
      stack[sp++] = first;
      c = previous;
    }
    while (c >= clear && sp < MaxCodes) {
      stack[sp++] = suffix[c];
      c = prefix[c];
    }
    stack[sp++] = first = suffix[c];
    while (sp > 0 && out < pixels.size())
      pixels[out++] = stack[--sp];
    if (next < MaxCodes) {
      prefix[next] = static_cast<std::uint16_t>(previous);
      suffix[next] = first;
      ++next;
      if (next == (1 << codeSize) && codeSize < 12) ++codeSize;
    }
    previous = code;
  }
}

// Row order of an interlaced image: every 8th from 0, every 8th from 4, every 4th from 2, every 2nd from 1.
std::vector<int> RowOrder(int height, bool interlaced) {
  std::vector<int> rows;
  rows.reserve(height);
  if (!interlaced) {
    for (int y = 0; y < height; ++y)
      rows.push_back(y);
    return rows;
  }
  const int starts[] = {0, 4, 2, 1}, steps[] = {8, 8, 4, 2};
  for (int pass = 0; pass < 4; ++pass)
    for (int y = starts[pass]; y < height; y += steps[pass])
      rows.push_back(y);
  return rows;
}

} // namespace

bool DecodeGifImage(const std::string& bytes, QImage& image, std::string& error) {
  const auto fail = [&](const char* why) {
    error = why;
    return false;
  };
  TReader in(bytes);
  if (!in.Skip(6)) return fail("The GIF picture is damaged: no header");
  const auto screenWidth = in.Word(), screenHeight = in.Word();
  const auto screenPacked = in.Byte();
  if (!screenWidth || !screenHeight || !screenPacked || !in.Skip(2))
    return fail("The GIF picture is damaged: no screen descriptor");
  TPalette global;
  if ((*screenPacked & 0x80) && !ReadPalette(in, *screenPacked, global))
    return fail("The GIF picture is damaged: its colour table is cut short");

  int transparentIndex = -1;
  for (;;) {
    const auto block = in.Byte();
    if (!block) return fail("The GIF picture is damaged: it ends before its image");
    if (*block == 0x3B) return fail("The GIF picture holds no image");
    if (*block == 0x21) {
      const auto label = in.Byte();
      if (!label) return fail("The GIF picture is damaged: an extension is cut short");
      if (*label == 0xF9 && in.Has(6) && static_cast<std::uint8_t>(*in.Here()) == 4) {
        in.Skip(1);
        const auto packed = in.Byte();
        in.Skip(2); // delay
        const auto index = in.Byte();
        transparentIndex = (*packed & 1) ? *index : -1;
      }
      if (!ReadSubBlocks(in, nullptr)) return fail("The GIF picture is damaged: an extension is cut short");
      continue;
    }
    if (*block != 0x2C) return fail("The GIF picture is damaged: unknown block");
    break;
  }

  if (!in.Has(9)) return fail("The GIF picture is damaged: its image descriptor is cut short");
  const auto left = in.Word(), top = in.Word(); // the caller places the image on the screen
  const auto width = in.Word(), height = in.Word();
  const auto packed = in.Byte();
  if (!left || !top || !width || !height || !packed)
    return fail("The GIF picture is damaged: its image descriptor is cut short");
  if (*width == 0 || *height == 0) return fail("The GIF picture is damaged: its image has no size");
  if (*left + *width > *screenWidth || *top + *height > *screenHeight)
    return fail("The GIF picture is damaged: its image lies outside its screen");
  if (qint64(*width) * *height > MaxPicturePixels) return fail("The picture is too large");
  TPalette local;
  if ((*packed & 0x80) && !ReadPalette(in, *packed, local))
    return fail("The GIF picture is damaged: its colour table is cut short");
  const TPalette& palette = (*packed & 0x80) ? local : global;
  if (palette.empty()) return fail("The GIF picture is damaged: it has no colour table");
  const auto minCodeSize = in.Byte();
  if (!minCodeSize || *minCodeSize < 1 || *minCodeSize > 8)
    return fail("The GIF picture is damaged: bad code size");
  std::string data;
  if (!ReadSubBlocks(in, &data)) return fail("The GIF picture is damaged: its image data is cut short");
  // Each code yields at most one pixel more than the code before it, and no more than the table's
  // 4096 entries: data that could not fill half the image is no picture of that size, and its size
  // is not allocated.
  const qint64 codes = qint64(data.size()) * 8 / (*minCodeSize + 1);
  const qint64 growing = std::min<qint64>(codes, 4096);
  const qint64 most = growing * (growing + 1) / 2 + (codes - growing) * 4096;
  if (most < qint64(*width) * *height / 2)
    return fail("The GIF picture is damaged: its image data is far too short for its size");

  std::vector<std::uint8_t> indexes(std::size_t(*width) * *height, 0);
  Decompress(data, *minCodeSize, indexes);
  QImage decoded(*width, *height, QImage::Format_ARGB32);
  if (decoded.isNull()) return fail("The picture is too large");
  const std::vector<int> rows = RowOrder(*height, *packed & 0x40);
  for (int r = 0; r < *height; ++r) {
    auto* line = reinterpret_cast<QRgb*>(decoded.scanLine(rows[r]));
    const std::uint8_t* idx = indexes.data() + std::size_t(r) * *width;
    for (int x = 0; x < *width; ++x)
      line[x] = idx[x] == transparentIndex ? qRgba(0, 0, 0, 0)
                : idx[x] < palette.size()  ? palette[idx[x]]
                                           : qRgb(0, 0, 0);
  }
  image = std::move(decoded);
  return true;
}
