#include "platform/TextCodec.h"

#include <cstdint>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <array>

namespace {

constexpr char32_t Replacement = 0xFFFD;

// Windows-1252 0x80..0x9F; the five unassigned bytes map to the C1 controls as Windows does.
constexpr std::array<char16_t, 32> Cp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr std::array<char16_t, 128> Cp850High = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE,
    0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9, 0x00FF, 0x00D6,
    0x00DC, 0x00F8, 0x00A3, 0x00D8, 0x00D7, 0x0192, 0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA,
    0x00BA, 0x00BF, 0x00AE, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB, 0x2591, 0x2592, 0x2593, 0x2502,
    0x2524, 0x00C1, 0x00C2, 0x00C0, 0x00A9, 0x2563, 0x2551, 0x2557, 0x255D, 0x00A2, 0x00A5, 0x2510, 0x2514,
    0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x00E3, 0x00C3, 0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550,
    0x256C, 0x00A4, 0x00F0, 0x00D0, 0x00CA, 0x00CB, 0x00C8, 0x0131, 0x00CD, 0x00CE, 0x00CF, 0x2518, 0x250C,
    0x2588, 0x2584, 0x00A6, 0x00CC, 0x2580, 0x00D3, 0x00DF, 0x00D4, 0x00D2, 0x00F5, 0x00D5, 0x00B5, 0x00FE,
    0x00DE, 0x00DA, 0x00DB, 0x00D9, 0x00FD, 0x00DD, 0x00AF, 0x00B4, 0x00AD, 0x00B1, 0x2017, 0x00BE, 0x00B6,
    0x00A7, 0x00F7, 0x00B8, 0x00B0, 0x00A8, 0x00B7, 0x00B9, 0x00B3, 0x00B2, 0x25A0, 0x00A0};

char32_t Cp1252ToUnicode(unsigned char b) {
  return (b >= 0x80 && b < 0xA0) ? Cp1252High[b - 0x80] : b;
}
char32_t Cp850ToUnicode(unsigned char b) {
  return b >= 0x80 ? Cp850High[b - 0x80] : b;
}

// Decodes one UTF-8 sequence at `i`; false (and `i` past the lead byte) when it is not valid.
bool NextCodePoint(std::string_view s, std::size_t& i, char32_t& c) {
  auto b0 = static_cast<unsigned char>(s[i]);
  if (b0 < 0x80) {
    c = b0;
    ++i;
    return true;
  }
  std::size_t n;
  char32_t min;
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    n = 1, min = 0x80, c = b0 & 0x1F;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    n = 2, min = 0x800, c = b0 & 0x0F;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    n = 3, min = 0x10000, c = b0 & 0x07;
  } else {
    ++i;
    return false;
  }
  if (i + n >= s.size()) {
    ++i;
    return false;
  }
  for (std::size_t k = 1; k <= n; ++k) {
    auto b = static_cast<unsigned char>(s[i + k]);
    if ((b & 0xC0) != 0x80) {
      ++i;
      return false;
    }
    c = (c << 6) | (b & 0x3F);
  }
  if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
    ++i;
    return false;
  }
  i += n + 1;
  return true;
}

std::string DecodeUtf16(std::string_view bytes, bool bigEndian) {
  std::string out;
  out.reserve(bytes.size());
  auto unit = [&](std::size_t i) -> char16_t {
    auto a = static_cast<unsigned char>(bytes[i]), b = static_cast<unsigned char>(bytes[i + 1]);
    return bigEndian ? static_cast<char16_t>((a << 8) | b) : static_cast<char16_t>((b << 8) | a);
  };
  std::size_t i = 0;
  for (; i + 1 < bytes.size(); i += 2) {
    char16_t u = unit(i);
    if (u >= 0xD800 && u <= 0xDBFF && i + 3 < bytes.size()) {
      char16_t low = unit(i + 2);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        AppendUtf8(out, 0x10000 + ((char32_t(u) - 0xD800) << 10) + (low - 0xDC00));
        i += 2;
        continue;
      }
    }
    AppendUtf8(out, (u >= 0xD800 && u <= 0xDFFF) ? Replacement : char32_t(u));
  }
  if (i < bytes.size()) AppendUtf8(out, Replacement); // odd byte at the end
  return out;
}

template <typename Table> std::string Utf8ToCodePage(std::string_view text, const Table& toUnicode) {
  std::string out;
  out.reserve(text.size());
  for (char32_t c : Utf8ToUtf32(text)) {
    if (c < 0x80) {
      out += static_cast<char>(c);
      continue;
    }
    char found = '?';
    for (unsigned b = 0x80; b <= 0xFF; ++b) {
      if (toUnicode(static_cast<unsigned char>(b)) == c) {
        found = static_cast<char>(b);
        break;
      }
    }
    out += found;
  }
  return out;
}

} // namespace

void AppendUtf8(std::string& out, char32_t c) {
  if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = Replacement;
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

char32_t Utf8Next(std::string_view text, std::size_t& i) {
  char32_t c = 0;
  return NextCodePoint(text, i, c) ? c : Replacement;
}

bool IsValidUtf8(std::string_view text) {
  std::size_t i = 0;
  char32_t c;
  while (i < text.size()) {
    // ASCII, most of every file the program reads, sixteen bytes at a time.
#if defined(__SSE2__)
    for (; i + 16 <= text.size(); i += 16) {
      const int high = _mm_movemask_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i)));
      if (high != 0) {
        i += static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(high)));
        break;
      }
    }
#endif
    for (std::uint64_t word; i + 8 <= text.size(); i += 8) {
      std::memcpy(&word, text.data() + i, 8);
      if (word & 0x8080808080808080ull) break;
    }
    if (i == text.size()) break;
    // Two-byte characters (Latin letters, signs) without the general reader.
    const auto b0 = static_cast<unsigned char>(text[i]);
    if (b0 >= 0xC2 && b0 <= 0xDF && i + 1 < text.size() &&
        (static_cast<unsigned char>(text[i + 1]) & 0xC0) == 0x80) {
      i += 2;
      continue;
    }
    if (b0 < 0x80) {
      ++i;
      continue;
    }
    if (!NextCodePoint(text, i, c)) return false;
  }
  return true;
}

std::u32string Utf8ToUtf32(std::string_view text) {
  std::u32string out;
  out.reserve(text.size());
  std::size_t i = 0;
  char32_t c;
  while (i < text.size())
    out += NextCodePoint(text, i, c) ? c : Replacement;
  return out;
}

std::string Utf32ToUtf8(std::u32string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char32_t c : text)
    AppendUtf8(out, c);
  return out;
}

std::string Windows1252ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text)
    AppendUtf8(out, Cp1252ToUnicode(static_cast<unsigned char>(c)));
  return out;
}

std::string Cp850ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text)
    AppendUtf8(out, Cp850ToUnicode(static_cast<unsigned char>(c)));
  return out;
}

std::string Utf8ToWindows1252(std::string_view text) {
  return Utf8ToCodePage(text, Cp1252ToUnicode);
}
std::string Utf8ToCp850(std::string_view text) {
  return Utf8ToCodePage(text, Cp850ToUnicode);
}

std::string DecodeTextFile(std::string_view bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) {
    std::string_view rest = bytes.substr(3);
    return IsValidUtf8(rest) ? std::string(rest) : Utf32ToUtf8(Utf8ToUtf32(rest));
  }
  if (bytes.starts_with("\xFF\xFE")) return DecodeUtf16(bytes.substr(2), false);
  if (bytes.starts_with("\xFE\xFF")) return DecodeUtf16(bytes.substr(2), true);
  if (IsValidUtf8(bytes)) return std::string(bytes);
  return Windows1252ToUtf8(bytes);
}

std::optional<std::string> EncodeAnsiTextFile(std::string_view text) {
  std::string ansi = Utf8ToWindows1252(text);
  if (DecodeTextFile(ansi) != text) return std::nullopt;
  return ansi;
}

std::string Utf8ToUtf16Le(std::string_view text) {
  std::string out;
  out.reserve(text.size() * 2);
  auto unit = [&out](unsigned u) {
    out += static_cast<char>(u & 0xFF);
    out += static_cast<char>(u >> 8);
  };
  for (std::size_t i = 0; i < text.size();) {
    char32_t c = Utf8Next(text, i);
    if (c >= 0x10000) {
      c -= 0x10000;
      unit(0xD800 + (c >> 10));
      unit(0xDC00 + (c & 0x3FF));
    } else {
      unit(c);
    }
  }
  return out;
}
