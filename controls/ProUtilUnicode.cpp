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

void DropLastUtf8Chars(std::string& text, std::size_t count) {
  std::size_t end = text.size();
  for (std::size_t n = 0; n < count && end > 0; ++n) {
    --end;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
      --end;
  }
  text.erase(end);
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
