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

// The reverse, in the same regional formats: the date's day, month and year in the order the short
// date format names them, split by the date separator (a two-digit year below 50 is 20yy, else
// 19yy; no year is this year); a time of hours and minutes with optional seconds, split by the time
// separator, with an optional AM or PM. Texts that are no date or time raise EConvertError
// ("'<text>' is not a valid date" / "... time").
double StrToDate(const std::string& text);
double StrToTime(const std::string& text);
