// Integer texts: the reader agrees with a plain reading of the same grammar.
#include "gateway/IntegerText.h"
#include "support/FuzzSupport.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(AsText(data, size));
  const std::optional<std::int32_t> value = TryStrToInt(text);
  std::size_t i = text.find_first_not_of(' ');
  std::optional<std::int64_t> expected;
  if (i != std::string::npos) {
    bool negative = false;
    if (text[i] == '+' || text[i] == '-') negative = text[i++] == '-';
    int base = 10;
    if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
      base = 16;
      ++i;
    } else if (text.compare(i, 2, "0x") == 0 || text.compare(i, 2, "0X") == 0) {
      base = 16;
      i += 2;
    }
    const std::string digits = text.substr(std::min(i, text.size()));
    const char* allowed = base == 16 ? "0123456789abcdefABCDEF" : "0123456789";
    if (!digits.empty() && digits.find_first_not_of(allowed) == std::string::npos) {
      const std::size_t first = digits.find_first_not_of('0');
      const std::string significant = first == std::string::npos ? "0" : digits.substr(first);
      if (significant.size() <= 12) {
        const std::int64_t magnitude = std::strtoll(significant.c_str(), nullptr, base);
        const std::int64_t v = negative ? -magnitude : magnitude;
        if (v >= INT32_MIN && v <= INT32_MAX) expected = v;
      }
    }
  }
  FuzzCheck(value.has_value() == expected.has_value() && (!value || *value == *expected),
            "reads as the grammar says", text);
  IsIntInRange(text, -5, 5);
  return 0;
}
