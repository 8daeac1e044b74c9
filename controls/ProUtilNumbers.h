// Reading displayed numbers with the user's regional separators (platform/Locale.h, read at
// each call). Texts are UTF-8.
#pragma once

#include <string>
#include <string_view>

// True for the Unicode number categories: decimal digits, letter numbers and other numbers.
bool IsNumberChar(char32_t ch);
// A displayed number as plain numeric text in the form "-1234.5": leading non-numeric
// characters and thousand separators dropped, the decimal separator made ".", the text after
// the number dropped, a "-" in front or a number in parentheses made negative.
std::string NormalizeNumberText(std::string_view text);
// 0 integer, 1 floating point, 5 scientific, 2 anything else (the empty text included).
int ClassifyNumberText(std::string_view text);
