#include "platform/DateText.h"

#include "platform/Locale.h"

#include <cmath>
#include <cstdint>

namespace {

// Civil date of a day count since 1970-01-01 (proleptic Gregorian).
void CivilFromDays(std::int64_t z, int& year, int& month, int& day) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const auto doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
}

std::string Padded(int value, std::size_t width) {
  std::string s = std::to_string(value);
  if (s.size() < width) s.insert(0, width - s.size(), '0');
  return s;
}

// Runs of one pattern letter become the field; "/" and ":" the regional separators.
std::string Render(const std::string& pattern, const TDateParts& p) {
  const TFormatSettings& fs = FormatSettings();
  std::string out;
  for (std::size_t i = 0; i < pattern.size();) {
    const char c = static_cast<char>(pattern[i] | 0x20);
    std::size_t run = 1;
    while (i + run < pattern.size() && (pattern[i + run] | 0x20) == c)
      ++run;
    switch (c) {
    case 'd':
      out += Padded(p.Day, run >= 2 ? 2 : 1);
      break;
    case 'm':
      out += Padded(p.Month, run >= 2 ? 2 : 1);
      break;
    case 'y':
      out += run >= 3 ? Padded(p.Year, 4) : Padded(p.Year % 100, 2);
      break;
    case 'h':
      out += Padded(p.Hour, run >= 2 ? 2 : 1);
      break;
    case 'n':
      out += Padded(p.Minute, run >= 2 ? 2 : 1);
      break;
    case 's':
      out += Padded(p.Second, run >= 2 ? 2 : 1);
      break;
    default:
      for (std::size_t k = 0; k < run; ++k) {
        const char ch = pattern[i + k];
        out += ch == '/' ? fs.DateSeparator : ch == ':' ? fs.TimeSeparator : ch;
      }
    }
    i += run;
  }
  return out;
}

} // namespace

TDateParts DecodeDateTime(double dateTime) {
  TDateParts p;
  if (!std::isfinite(dateTime)) return p;
  // Rounded to the millisecond so 23:59:59.9995 does not show as 24:00:00 of the same day.
  const auto totalMs = static_cast<std::int64_t>(std::llround(dateTime * 86400000.0));
  std::int64_t days = totalMs / 86400000;
  std::int64_t msOfDay = totalMs % 86400000;
  if (msOfDay < 0) {
    msOfDay += 86400000;
    --days;
  }
  CivilFromDays(days - 25569, p.Year, p.Month, p.Day);
  const auto seconds = static_cast<int>(msOfDay / 1000);
  p.Hour = seconds / 3600;
  p.Minute = seconds / 60 % 60;
  p.Second = seconds % 60;
  return p;
}

std::string DateToStr(double dateTime) {
  return Render(FormatSettings().ShortDateFormat, DecodeDateTime(dateTime));
}

std::string TimeToStr(double dateTime) {
  return Render(FormatSettings().LongTimeFormat, DecodeDateTime(dateTime));
}
