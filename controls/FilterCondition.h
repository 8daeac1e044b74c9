// The grid filter's condition language, evaluated against one cell text: comparisons (">",
// ">=", "<", "<=") of numbers, dates with times or texts, wildcard patterns ("*", "?"), negation
// ("!"), "&" for and, "|", ";" or "^" for or, and parentheses. Terms combine strictly left to
// right without precedence, so "A|B&C" is (A or B) and C. Texts are UTF-8; the regional
// separators and short date format are read at each call.
#pragma once

#include "controls/ProUtilDates.h"

#include <string>
#include <string_view>

bool MatchFilterCondition(std::string_view condition, std::string_view text, bool caseSensitive);

// Blanks outside double quotes removed (a blank after an odd number of quotes stays).
std::string RemoveUnquotedBlanks(std::string_view text);
// The first character of `operators` outside double quotes, with its 1-based position in `pos`;
// '\0' and -1 when there is none.
char FindUnquotedOperator(std::string_view operators, std::string_view text, int& pos);
bool IsCharInSet(char32_t ch, std::string_view set);
// The position of the ")" that closes the "(" counted so far; 0 when none does.
int FindClosingParen(std::string_view text);
// Without `caseSensitive` both are compared in upper case.
bool MatchFilterTerm(std::string_view term, std::string_view text, bool caseSensitive);
bool CompareOrMatchTerm(std::string_view term, std::string_view text);
// Thousand separators dropped, the decimal separator made ".".
std::string FilterNumberText(std::string_view text);
// A date in the order of the short date format, optionally a blank and a time; false when it
// does not read or the date or time does not exist. Without the time separator in the time part
// the result is false, but the date is still stored.
bool ParseLocaleDateTime(std::string_view text, TDateTime& dateTime);
