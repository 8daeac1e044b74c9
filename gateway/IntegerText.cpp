#include "gateway/IntegerText.h"

namespace {

int DigitValue(char c, int base) {
  int v = -1;
  if (c >= '0' && c <= '9')
    v = c - '0';
  else if (c >= 'a' && c <= 'f')
    v = c - 'a' + 10;
  else if (c >= 'A' && c <= 'F')
    v = c - 'A' + 10;
  return v < base ? v : -1;
}

} // namespace

std::optional<std::int32_t> TryStrToInt(std::string_view text) {
  // Rule tables hold thousands of short plain numbers: up to nine digits cannot overflow.
  if (!text.empty() && text.size() <= 9) {
    std::int32_t value = 0;
    std::size_t i = 0;
    for (; i < text.size(); ++i) {
      const unsigned d = static_cast<unsigned char>(text[i]) - unsigned{'0'};
      if (d > 9) break;
      value = value * 10 + static_cast<std::int32_t>(d);
    }
    if (i == text.size()) return value;
  }
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ')
    ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  int base = 10;
  if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
    base = 16;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i == text.size()) return std::nullopt;
  // The magnitude may reach 2^31 only for a negative value.
  const std::int64_t limit = negative ? 2147483648LL : 2147483647LL;
  std::int64_t value = 0;
  for (; i < text.size(); ++i) {
    int d = DigitValue(text[i], base);
    if (d < 0) return std::nullopt;
    value = value * base + d;
    if (value > limit) return std::nullopt;
  }
  return static_cast<std::int32_t>(negative ? -value : value);
}

std::int32_t StrToIntDef(std::string_view text, std::int32_t def) {
  return TryStrToInt(text).value_or(def);
}

bool IsIntInRange(std::string_view text, std::int32_t low, std::int32_t high) {
  const std::optional<std::int32_t> value = TryStrToInt(text);
  return value && *value >= low && *value <= high;
}
