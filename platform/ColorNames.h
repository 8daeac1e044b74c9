// Colours as text the way the runtime names them: a standard colour by its identifier
// ("clWindow"), any other as "$" and eight hexadecimal digits.
#pragma once

#include "platform/Colors.h"

#include <optional>
#include <string>
#include <string_view>

std::string ColorToString(TColor Color);
// The identifier of a standard colour (letter case ignored), or a whole number as the runtime
// reads one (decimal, "$" or "0x" hexadecimal); nothing otherwise.
std::optional<TColor> TryStringToColor(std::string_view Text);
// As above; a text that is neither raises EConvertError "'<text>' is not a valid integer value".
TColor StringToColor(std::string_view Text);

// The exact identifier of a standard colour, as component images write it; "" when it has none.
std::string_view ColorToIdent(TColor Color);
// False for a text that is no colour's identifier (compared exactly, letter case included).
bool IdentToColor(std::string_view Ident, TColor& Color);
