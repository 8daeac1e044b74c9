#include "controls/ProUtilDates.h"

#include "controls/WholeNumber.h"
#include "platform/Locale.h"

#include <algorithm>
#include <cmath>

namespace {

// Days from 1 January of year 1 (proleptic Gregorian) to 30 December 1899, day 0 of TDateTime.
constexpr long long DateDelta = 693593;

long long DaysBeforeYear(int year) {
  long long y = year - 1;
  return y * 365 + y / 4 - y / 100 + y / 400;
}

TDateTime ParseFixedOrderDate(std::string_view text, bool monthFirst) {
  char separator = 0;
  for (char candidate : {'/', '.', '-'}) {
    if (text.find(candidate) != std::string_view::npos) {
      separator = candidate;
      break;
    }
  }
  if (separator == 0) return 0;
  std::size_t first = text.find(separator);
  std::size_t second = text.find(separator, first + 1);
  if (second == std::string_view::npos) return 0;
  int a = 0;
  int b = 0;
  int year = 0;
  if (!ReadWholeNumber(text.substr(0, first), a) ||
      !ReadWholeNumber(text.substr(first + 1, second - first - 1), b) ||
      !ReadWholeNumber(text.substr(second + 1), year))
    return 0;
  // Two-digit years pivot at 25; a year written with more digits is taken as it stands.
  if (year >= 0 && year <= 25)
    year += 2000;
  else if (year < 100)
    year += 1900;
  TDateTime date = 0;
  if (!TryEncodeDate(year, monthFirst ? a : b, monthFirst ? b : a, date)) return 0;
  return date;
}

} // namespace

bool IsLeapYear(int year) {
  return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int year, int month) {
  static constexpr int Days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return (month == 2 && IsLeapYear(year)) ? 29 : Days[month - 1];
}

bool TryEncodeDate(int year, int month, int day, TDateTime& date) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
    return false;
  long long days = DaysBeforeYear(year);
  for (int m = 1; m < month; ++m)
    days += DaysInMonth(year, m);
  days += day - 1;
  date = static_cast<double>(days - DateDelta);
  return true;
}

bool TryEncodeTime(int hour, int minute, int second, int millisecond, TDateTime& time) {
  if (hour < 0 || hour >= 24 || minute < 0 || minute >= 60 || second < 0 || second >= 60 || millisecond < 0 ||
      millisecond >= 1000)
    return false;
  time = (((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + millisecond) / 86400000.0;
  return true;
}

void DecodeDate(TDateTime date, int& year, int& month, int& day) {
  // Days since 1 January 1, held to the years 1 to 9999.
  const double lastDay = static_cast<double>(DaysBeforeYear(10000) - 1);
  double whole = std::isfinite(date) ? std::trunc(date) + DateDelta : 0;
  long long days = static_cast<long long>(std::clamp(whole, 0.0, lastDay));
  int y = static_cast<int>(days / 365.2425) + 1;
  while (y > 1 && DaysBeforeYear(y) > days)
    --y;
  while (DaysBeforeYear(y + 1) <= days)
    ++y;
  days -= DaysBeforeYear(y);
  int m = 1;
  while (days >= DaysInMonth(y, m))
    days -= DaysInMonth(y, m++);
  year = y;
  month = m;
  day = static_cast<int>(days) + 1;
}

TDateTime ParseDateMDY(std::string_view text) {
  return ParseFixedOrderDate(text, true);
}
TDateTime ParseDateDMY(std::string_view text) {
  return ParseFixedOrderDate(text, false);
}

bool IsDateText(std::string_view text) {
  const char separator = FormatSettings().DateSeparator;
  std::size_t first = text.find(separator);
  if (first == std::string_view::npos || first < 1) return false;
  return text.find(separator, first + 2) != std::string_view::npos;
}

TDateTime AdvanceDate(int years, int months, int days, double step, TDateTime date) {
  const bool onlyDays = days != 0 && months == 0 && years == 0;
  const bool onlyYears = years != 0 && months == 0 && days == 0;
  const bool onlyMonths = months != 0 && years == 0 && days == 0;
  if (onlyDays) return date + days;
  if (!onlyYears && !onlyMonths) return date + step;

  int y = 0;
  int m = 0;
  int d = 0;
  DecodeDate(date, y, m, d);
  long long year = y;
  long long month = m;
  if (onlyYears) {
    year += years;
  } else {
    // Any number of months, not only a single wrap of the year.
    long long total = year * 12 + (month - 1) + months;
    year = total >= 0 ? total / 12 : -((-total + 11) / 12);
    month = total - year * 12 + 1;
  }
  if (year < 1 || year > 9999) return date;
  const int targetYear = static_cast<int>(year);
  const int targetMonth = static_cast<int>(month);
  TDateTime result = 0;
  TryEncodeDate(targetYear, targetMonth,
                d > DaysInMonth(targetYear, targetMonth) ? DaysInMonth(targetYear, targetMonth) : d, result);
  const double time = std::fabs(date - std::trunc(date));
  return result >= 0 ? result + time : result - time;
}
