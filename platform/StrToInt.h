// Whole numbers from text as the runtime reads them: optional blanks and sign, decimal or
// hexadecimal after "$" or "0x".
#pragma once

#include <string_view>

// The whole text must be the number, and it must fit 32 bits ("$FFFFFFFF" is -1); false otherwise.
bool TryStrToInt(std::string_view text, int& value);
// Reads from the start as far as the text fits: the digits read so far count, none giving 0. A
// digit that would carry the value past 32 bits ends the reading.
int ReadLeadingInt(std::string_view text);
