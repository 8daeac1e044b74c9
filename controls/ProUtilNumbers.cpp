#include "controls/ProUtilNumbers.h"

#include "controls/ProUtilUnicode.h"
#include "platform/Locale.h"

#include <vector>

namespace {

// A separator the settings leave empty matches no character.
char32_t Separator(char c) {
  return c == '\0' ? static_cast<char32_t>(0xFFFFFFFF) : static_cast<char32_t>(static_cast<unsigned char>(c));
}

// Blanks and control characters at both ends.
std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ')
    text.remove_prefix(1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ')
    text.remove_suffix(1);
  return text;
}

} // namespace

bool IsNumberChar(char32_t ch) {
  return UnicodeIsNumber(ch);
}

std::string NormalizeNumberText(std::string_view text) {
  if (text.empty()) return {};
  const TFormatSettings& fs = FormatSettings();
  const char32_t thousand = Separator(fs.ThousandSeparator);
  const char32_t decimal = Separator(fs.DecimalSeparator);
  text = Trimmed(text);
  bool negative = text.starts_with('(') && text.ends_with(')');

  std::u32string s = Utf8ToUtf32(text);
  std::size_t start = 0;
  // No number begins with an exponent letter: "EUR 3" loses its whole prefix, not all but the "E".
  while (s.size() - start >= 2) {
    char32_t c = s[start];
    if (IsNumberChar(c) || c == thousand || c == decimal) break;
    if (c == U'-') negative = true;
    ++start;
  }

  std::string out;
  for (std::size_t i = start; i < s.size(); ++i) {
    char32_t c = s[i];
    if (c == thousand) continue;
    if (c == decimal)
      out += '.';
    else if (IsNumberChar(c) || c == U'-' || c == U'.' || c == U'e' || c == U'E' || c == U'+')
      AppendUtf8(out, c);
    else
      break;
  }
  return negative ? "-" + out : out;
}

int ClassifyNumberText(std::string_view text) {
  if (text.empty()) return 2;
  const TFormatSettings& fs = FormatSettings();
  const char32_t thousand = Separator(fs.ThousandSeparator);
  const char32_t decimal = Separator(fs.DecimalSeparator);

  bool isInteger = true;
  bool isFloat = true;
  bool isScientific = true;
  int exponents = 0;
  int decimals = 0;
  int minuses = 0;
  std::ptrdiff_t lastThousand = -4;
  const std::u32string s = Utf8ToUtf32(text);
  for (std::size_t idx = 0; idx < s.size(); ++idx) {
    const char32_t c = s[idx];
    const auto i = static_cast<std::ptrdiff_t>(idx);
    const bool number = IsNumberChar(c);
    const bool leadingMinus = c == U'-' && i == 0;
    if (c == U'-') ++minuses;
    if (c == decimal) ++decimals;

    if (!number && !leadingMinus) isInteger = false;

    if (c == thousand) {
      if (i - lastThousand < 4) isFloat = false;
      lastThousand = i;
    } else if (!number && !leadingMinus && c != decimal) {
      isFloat = false;
    }

    if (c == U'e' || c == U'E') {
      ++exponents;
      if (i == 0 || exponents > 1) isScientific = false;
    } else if (!number && c != decimal && c != U'+' && c != U'-') {
      isScientific = false;
    }
  }
  const char32_t last = s.back();
  if (last == U'+' || last == U'-' || last == U'e' || last == U'E') isScientific = false;

  int kind;
  if (isInteger)
    kind = 0;
  else
    kind = (isFloat && exponents == 0) ? 1 : 2;
  if (exponents > 0 && isScientific) kind = 5;
  if (decimals > 1 || minuses > (kind == 5 ? 2 : 1)) kind = 2;
  return kind;
}
