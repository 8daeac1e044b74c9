// Dates and times as texts in the user's regional formats (short date, long time).
#pragma once

#include <string>

// Days since 30 December 1899; the fraction is the time of day.
struct TDateParts {
  int Year = 1899, Month = 12, Day = 30, Hour = 0, Minute = 0, Second = 0;
};
TDateParts DecodeDateTime(double dateTime);

// ShortDateFormat and LongTimeFormat of FormatSettings(): d dd m mm yy yyyy, h hh n nn s ss;
// "/" stands for the date separator and ":" for the time separator.
std::string DateToStr(double dateTime);
std::string TimeToStr(double dateTime);
