#include "platform/StrToInt.h"

#include "platform/SysUtils.h"

#include <cstdint>

namespace {

int DigitValue(char c, int base) {
  int d = c >= '0' && c <= '9'   ? c - '0'
          : c >= 'a' && c <= 'f' ? c - 'a' + 10
          : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                 : 99;
  return d < base ? d : -1;
}

// Sign and base prefix; the rest is left in `text`.
void ReadPrefix(std::string_view& text, bool& negative, int& base) {
  while (!text.empty() && text.front() == ' ')
    text.remove_prefix(1);
  negative = false;
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  base = 10;
  if (!text.empty() && text[0] == '$') {
    base = 16;
    text.remove_prefix(1);
  } else if (text.size() > 1 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  }
}

// Digits while they fit: decimal up to 2^31 (for -2^31), hexadecimal up to 32 bits.
std::int64_t ReadDigits(std::string_view& text, int base, bool negative) {
  std::int64_t limit = base == 16 ? 0xFFFFFFFFLL : negative ? 0x80000000LL : 0x7FFFFFFFLL;
  std::int64_t v = 0;
  while (!text.empty()) {
    int d = DigitValue(text.front(), base);
    if (d < 0 || v * base + d > limit) break;
    v = v * base + d;
    text.remove_prefix(1);
  }
  return v;
}

// Within 32 bits, so hexadecimal with the top bit set is negative.
int ToInt(std::int64_t v, bool negative) {
  return static_cast<int>(static_cast<std::uint32_t>(negative ? -v : v));
}

} // namespace

bool TryStrToInt(std::string_view text, int& value) {
  text = Trim(text);
  bool negative;
  int base;
  ReadPrefix(text, negative, base);
  if (text.empty()) return false;
  std::int64_t v = ReadDigits(text, base, negative);
  if (!text.empty()) return false;
  value = ToInt(v, negative);
  return true;
}

int ReadLeadingInt(std::string_view text) {
  bool negative;
  int base;
  ReadPrefix(text, negative, base);
  return ToInt(ReadDigits(text, base, negative), negative);
}
