#include "platform/DateText.h"

#include "platform/Clock.h"
#include "platform/Locale.h"
#include "platform/Persistent.h"

#include <cmath>
#include <cstdint>
#include <string_view>
#include <vector>

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

// Days since 1970-01-01 of a civil date (proleptic Gregorian).
std::int64_t DaysFromCivil(int year, int month, int day) {
  year -= month <= 2 ? 1 : 0;
  const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
  const auto yoe = static_cast<unsigned>(year - era * 400);
  const unsigned doy =
      (153 * static_cast<unsigned>(month + (month > 2 ? -3 : 9)) + 2) / 5 + static_cast<unsigned>(day) - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

// Runs of digits split by `sep`, blanks around them allowed; false for anything else.
bool SplitNumbers(std::string_view text, char sep, std::vector<int>& out) {
  out.clear();
  std::size_t i = 0;
  auto skipBlanks = [&] {
    while (i < text.size() && text[i] == ' ')
      ++i;
  };
  skipBlanks();
  while (true) {
    if (i >= text.size() || text[i] < '0' || text[i] > '9') return false;
    long v = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9' && v < 100000)
      v = v * 10 + (text[i++] - '0');
    out.push_back(static_cast<int>(v));
    skipBlanks();
    if (i >= text.size()) return true;
    if (text[i] != sep) return false;
    ++i;
    skipBlanks();
  }
}

bool IsLeap(int y) {
  return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
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

double StrToDate(const std::string& text) {
  const TFormatSettings& fs = FormatSettings();
  std::vector<int> n;
  auto fail = [&]() -> double { throw EConvertError("'" + text + "' is not a valid date"); };
  if (!SplitNumbers(text, fs.DateSeparator, n) || n.size() < 2 || n.size() > 3) return fail();
  // The order of day, month and year as the short date format names them.
  std::string order;
  for (char c : fs.ShortDateFormat) {
    char l = static_cast<char>(c | 0x20);
    if ((l == 'd' || l == 'm' || l == 'y') && order.find(l) == std::string::npos) order += l;
  }
  if (order.size() != 3) order = "dmy";
  int day = 0, month = 0, year = DecodeDateTime(Clock().LocalNow()).Year;
  std::size_t k = 0;
  for (char f : order) {
    if (f == 'y' && n.size() == 2) continue;
    int v = n[k++];
    if (f == 'd') day = v;
    if (f == 'm') month = v;
    if (f == 'y') year = v < 100 ? (v < 50 ? 2000 + v : 1900 + v) : v;
  }
  static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
      day > days[month - 1] + (month == 2 && IsLeap(year) ? 1 : 0))
    return fail();
  return static_cast<double>(DaysFromCivil(year, month, day) + 25569);
}

double StrToTime(const std::string& text) {
  const TFormatSettings& fs = FormatSettings();
  auto fail = [&]() -> double { throw EConvertError("'" + text + "' is not a valid time"); };
  std::string t = text;
  int shift = -1; // -1 none, 0 AM, 12 PM
  auto endsWith = [&](const char* suffix) {
    std::string s = suffix;
    if (t.size() < s.size()) return false;
    for (std::size_t i = 0; i < s.size(); ++i)
      if ((t[t.size() - s.size() + i] | 0x20) != (s[i] | 0x20)) return false;
    return true;
  };
  if (endsWith("AM") || endsWith("PM")) {
    shift = (t[t.size() - 2] | 0x20) == 'p' ? 12 : 0;
    t.resize(t.size() - 2);
  }
  std::vector<int> n;
  if (!SplitNumbers(t, fs.TimeSeparator, n) || n.size() < 2 || n.size() > 3) return fail();
  int h = n[0], m = n[1], sec = n.size() > 2 ? n[2] : 0;
  if (shift >= 0) {
    if (h < 1 || h > 12) return fail();
    h = h % 12 + shift;
  }
  if (h > 23 || m > 59 || sec > 59) return fail();
  return (h * 3600 + m * 60 + sec) / 86400.0;
}
