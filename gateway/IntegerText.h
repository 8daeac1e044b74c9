// Reading numbers typed by the user or stored in the configuration files.
#pragma once

#include "platform/SysUtils.h"

#include <cstdint>
#include <optional>
#include <string_view>

// Leading blanks, an optional sign, then decimal digits or hexadecimal digits after "$", "x", "X",
// "0x" or "0X"; nothing may follow the digits and the value must fit a signed 32-bit integer.
std::optional<std::int32_t> TryStrToInt(std::string_view text);
std::int32_t StrToIntDef(std::string_view text, std::int32_t def);
// True when the text is such a number and lies in [low, high].
bool IsIntInRange(std::string_view text, std::int32_t low, std::int32_t high);
