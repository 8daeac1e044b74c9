#include "controls/ProUtilUnicode.h"

#include "controls/ProUtilUnicodeTables.h"

#include <algorithm>

namespace {

constexpr char32_t Replacement = 0xFFFD;

char32_t LookUp(const TCodePointPair* table, std::size_t count, char32_t c) {
  const TCodePointPair* end = table + count;
  auto it = std::lower_bound(table, end, c, [](const TCodePointPair& p, char32_t v) { return p.First < v; });
  return (it != end && it->First == c) ? it->Second : c;
}

char AsciiUpper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

template <typename Map> std::string MapCodePoints(std::string_view text, Map map) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    std::size_t start = i;
    char32_t c = Utf8Next(text, i);
    if (c == Replacement && i - start == 1 && static_cast<unsigned char>(text[start]) >= 0x80)
      out += text[start]; // not UTF-8: kept as it was
    else
      AppendUtf8(out, map(c));
  }
  return out;
}

} // namespace

char32_t Utf8Next(std::string_view text, std::size_t& i) {
  auto b0 = static_cast<unsigned char>(text[i]);
  if (b0 < 0x80) {
    ++i;
    return b0;
  }
  std::size_t n;
  char32_t c;
  char32_t min;
  if (b0 >= 0xC2 && b0 <= 0xDF)
    n = 1, c = b0 & 0x1F, min = 0x80;
  else if (b0 >= 0xE0 && b0 <= 0xEF)
    n = 2, c = b0 & 0x0F, min = 0x800;
  else if (b0 >= 0xF0 && b0 <= 0xF4)
    n = 3, c = b0 & 0x07, min = 0x10000;
  else {
    ++i;
    return Replacement;
  }
  if (text.size() - i <= n) {
    ++i;
    return Replacement;
  }
  for (std::size_t k = 1; k <= n; ++k) {
    auto b = static_cast<unsigned char>(text[i + k]);
    if ((b & 0xC0) != 0x80) {
      ++i;
      return Replacement;
    }
    c = (c << 6) | (b & 0x3F);
  }
  if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
    ++i;
    return Replacement;
  }
  i += n + 1;
  return c;
}

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

std::string CodePointToUtf8(char32_t c) {
  std::string out;
  AppendUtf8(out, c);
  return out;
}

std::size_t Utf8Length(std::string_view text) {
  std::size_t n = 0;
  for (std::size_t i = 0; i < text.size(); ++n)
    Utf8Next(text, i);
  return n;
}

char32_t UnicodeUpper(char32_t c) {
  if (c < 0x80) return (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c;
  return LookUp(UpperCaseMap, UpperCaseMapCount, c);
}

char32_t UnicodeLower(char32_t c) {
  if (c < 0x80) return (c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c;
  return LookUp(LowerCaseMap, LowerCaseMapCount, c);
}

bool UnicodeIsNumber(char32_t c) {
  if (c < 0x80) return c >= '0' && c <= '9';
  const TCodePointPair* end = NumberRanges + NumberRangesCount;
  auto it =
      std::upper_bound(NumberRanges, end, c, [](char32_t v, const TCodePointPair& p) { return v < p.First; });
  return it != NumberRanges && c <= (it - 1)->Second;
}

std::string UnicodeUpperCase(std::string_view text) {
  return MapCodePoints(text, UnicodeUpper);
}
std::string UnicodeLowerCase(std::string_view text) {
  return MapCodePoints(text, UnicodeLower);
}

std::string AsciiUpperCase(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    c = AsciiUpper(c);
  return out;
}

std::size_t FindIgnoringCase(std::string_view text, std::string_view sub, std::size_t from,
                             std::size_t* matchLength) {
  if (sub.empty()) return std::string_view::npos;
  std::size_t start = from;
  while (start < text.size()) {
    std::size_t i = start;
    std::size_t j = 0;
    while (j < sub.size() && i < text.size()) {
      if (UnicodeUpper(Utf8Next(text, i)) != UnicodeUpper(Utf8Next(sub, j))) break;
      if (j == sub.size()) {
        if (matchLength) *matchLength = i - start;
        return start;
      }
    }
    Utf8Next(text, start);
  }
  return std::string_view::npos;
}

std::size_t FindIgnoringAsciiCase(std::string_view text, std::string_view sub, std::size_t from) {
  if (sub.empty() || sub.size() > text.size()) return std::string_view::npos;
  for (std::size_t i = from; i + sub.size() <= text.size(); ++i) {
    std::size_t k = 0;
    while (k < sub.size() && AsciiUpper(text[i + k]) == AsciiUpper(sub[k]))
      ++k;
    if (k == sub.size()) return i;
  }
  return std::string_view::npos;
}
