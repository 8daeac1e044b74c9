#include "tree/Utf16Text.h"

#include "platform/TextCodec.h"

std::u16string Utf8ToUtf16(std::string_view text) {
  std::u16string out;
  for (char32_t c : Utf8ToUtf32(text)) {
    if (c >= 0x10000) {
      c -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(c));
    }
  }
  return out;
}

std::string Utf16ToUtf8(const std::u16string& units) {
  std::u32string points;
  for (std::size_t i = 0; i < units.size(); ++i) {
    const char32_t u = units[i];
    if (u >= 0xD800 && u < 0xDC00 && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
        units[i + 1] < 0xE000) {
      points.push_back(0x10000 + ((u - 0xD800) << 10) + (units[i + 1] - 0xDC00));
      ++i;
    } else if (u >= 0xD800 && u < 0xE000) {
      points.push_back(0xFFFD);
    } else {
      points.push_back(u);
    }
  }
  return Utf32ToUtf8(points);
}
