#include "platform/Locale.h"

#include <langinfo.h>
#include <locale.h>
#include <optional>
#include <string_view>

namespace {

std::optional<TFormatSettings>& Current() {
  static std::optional<TFormatSettings> settings;
  return settings;
}

// Single-byte separators only; a multi-byte one (a narrow no-break space) keeps the default.
char SeparatorFrom(const char* text, char fallback, bool allowNone) {
  if (!text) return fallback;
  if (text[0] == '\0') return allowNone ? '\0' : fallback;
  if (text[1] != '\0' || static_cast<unsigned char>(text[0]) >= 0x80) return fallback;
  return text[0];
}

// Turns a strftime date pattern ("%d/%m/%Y") into the program's form ("dd/mm/yyyy").
std::string DatePatternFrom(const char* pattern, char& separator) {
  std::string out;
  for (const char* p = pattern; *p; ++p) {
    if (*p != '%') {
      out += *p;
      if (*p != ' ') separator = *p;
      continue;
    }
    if (!*++p) break;
    switch (*p) {
    case 'd':
    case 'e':
      out += "dd";
      break;
    case 'm':
      out += "mm";
      break;
    case 'y':
      out += "yy";
      break;
    case 'Y':
      out += "yyyy";
      break;
    case 'D':
      out += "mm/dd/yy";
      separator = '/';
      break;
    case 'F':
      out += "yyyy-mm-dd";
      separator = '-';
      break;
    default:
      return {};
    }
  }
  return out;
}

TFormatSettings FromEnvironment() {
  TFormatSettings s;
  locale_t loc = newlocale(LC_ALL_MASK, "", static_cast<locale_t>(0));
  if (!loc) return s;
  s.DecimalSeparator = SeparatorFrom(nl_langinfo_l(RADIXCHAR, loc), '.', false);
  char thousands = SeparatorFrom(nl_langinfo_l(THOUSEP, loc), ',', true);
  // The C locale has no grouping character; keep the usual one then, unless it clashes.
  s.ThousandSeparator = thousands ? thousands : (s.DecimalSeparator == ',' ? '.' : ',');
  if (s.ThousandSeparator == s.DecimalSeparator) s.ThousandSeparator = s.DecimalSeparator == ',' ? '.' : ',';
  char dateSeparator = s.DateSeparator;
  const char* dateFormat = nl_langinfo_l(D_FMT, loc);
  // The C locale's two-digit-year pattern is no one's choice: keep the default then.
  std::string date =
      std::string_view(dateFormat) == "%m/%d/%y" ? std::string() : DatePatternFrom(dateFormat, dateSeparator);
  if (!date.empty() && date.find("dd") != std::string::npos && date.find("mm") != std::string::npos) {
    s.ShortDateFormat = date;
    s.DateSeparator = dateSeparator;
  }
  freelocale(loc);
  return s;
}

} // namespace

const TFormatSettings& FormatSettings() {
  if (!Current()) Current() = FromEnvironment();
  return *Current();
}

void SetFormatSettings(const TFormatSettings& settings) {
  Current() = settings;
}

void ResetFormatSettings() {
  Current().reset();
}
