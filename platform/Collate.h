// Text comparison and upper case by the rules of the program's locale (the language's collation,
// not code units); tests fix the locale with SetCollationLocale.
#pragma once

#include <string>
#include <string_view>

// -1, 0 or 1 as a sorts before, with or after b.
int LocaleCompareText(std::string_view a, std::string_view b, bool IgnoreCase);
std::string LocaleUpperCase(std::string_view text);
// A BCP 47 name such as "en_US" or "de_DE"; empty for the system's locale.
void SetCollationLocale(const std::string& Name);
