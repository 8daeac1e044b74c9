#include "mbus/TypedNumber.h"

namespace {

int DigitValue(char c, int base) {
  int d = c >= '0' && c <= '9'   ? c - '0'
          : c >= 'a' && c <= 'f' ? c - 'a' + 10
          : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                 : 99;
  return d < base ? d : -1;
}

// Magnitude of the digits with the base prefix read; nullopt past `hexBits` or the signed limit.
std::optional<std::int64_t> Read(std::string_view text, int bits) {
  while (!text.empty() && text.front() == ' ')
    text.remove_prefix(1);
  bool negative = false;
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  int base = 10;
  if (!text.empty() && (text[0] == '$' || text[0] == 'x' || text[0] == 'X')) {
    base = 16;
    text.remove_prefix(1);
  } else if (text.size() > 1 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  }
  if (text.empty()) return std::nullopt;
  const std::uint64_t hexLimit = bits == 64 ? ~0ULL : (1ULL << bits) - 1;
  const std::uint64_t decLimit = (1ULL << (bits - 1)) - (negative ? 0 : 1);
  const std::uint64_t limit = base == 16 ? hexLimit : decLimit;
  std::uint64_t v = 0;
  for (char c : text) {
    int d = DigitValue(c, base);
    if (d < 0) return std::nullopt;
    if (v > (limit - static_cast<std::uint64_t>(d)) / static_cast<std::uint64_t>(base)) return std::nullopt;
    v = v * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(d);
  }
  if (negative) v = 0 - v;
  if (bits == 32) return static_cast<std::int64_t>(static_cast<std::int32_t>(static_cast<std::uint32_t>(v)));
  return static_cast<std::int64_t>(v);
}

} // namespace

std::optional<std::int32_t> Typed_Int32(std::string_view text) {
  auto v = Read(text, 32);
  if (!v) return std::nullopt;
  return static_cast<std::int32_t>(*v);
}

std::optional<std::int64_t> Typed_Int64(std::string_view text) {
  return Read(text, 64);
}
