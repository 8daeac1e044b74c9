// Date values and the fixed-order date readers and series steps of the grid. A TDateTime counts
// days since 30 December 1899 in its integer part; its fraction is the time of day.
#pragma once

#include <string_view>

using TDateTime = double;

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);
// False for a date the calendar lacks (years 1 to 9999).
bool TryEncodeDate(int year, int month, int day, TDateTime& date);
// False unless hour < 24, minute < 60, second < 60 and millisecond < 1000.
bool TryEncodeTime(int hour, int minute, int second, int millisecond, TDateTime& time);
// Dates outside the years 1 to 9999 give the first or last day of that range.
void DecodeDate(TDateTime date, int& year, int& month, int& day);

// Day, month and year (or month, day and year) separated by the first "/", else ".", else "-",
// the same separator both times; a year of 0 to 25 is 2000 to 2025, any other v is 1900 + v.
// 0 when the text does not read as a date, also for an impossible one (31 April).
TDateTime ParseDateMDY(std::string_view text);
TDateTime ParseDateDMY(std::string_view text);
// The regional date separator at position 2 or later and again at least one character further.
bool IsDateText(std::string_view text);
// The next date of a series: by `days` when only days are given, by `years` (same month and day)
// when only years are, by `months` when only months are; otherwise date + step. A day the target
// month lacks becomes its last day; a target year outside 1..9999 leaves the date unchanged.
TDateTime AdvanceDate(int years, int months, int days, double step, TDateTime date);
