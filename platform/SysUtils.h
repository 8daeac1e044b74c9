// Small text routines of the runtime library that every folder uses.
#pragma once

#include <string_view>

// Drops every character up to the blank (control characters included) at both ends.
std::string_view Trim(std::string_view text);
// Empty after Trim: the blank cell of a grid or the empty text of a list.
bool IsBlank(std::string_view text);
// Equal when ASCII letters are compared without case.
bool SameText(std::string_view a, std::string_view b);
bool IsHexDigit(char c);
