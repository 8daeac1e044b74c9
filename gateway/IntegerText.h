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

// The same reading, with the plain digits that rule tables hold by the thousand taken in line.
inline std::optional<std::int32_t> TryStrToIntInline(std::string_view text) {
  // Up to nine digits cannot overflow.
  if (!text.empty() && text.size() <= 9) {
    std::int32_t value = 0;
    for (char c : text) {
      const unsigned d = static_cast<unsigned char>(c) - unsigned{'0'};
      if (d > 9) return TryStrToInt(text);
      value = value * 10 + static_cast<std::int32_t>(d);
    }
    return value;
  }
  return TryStrToInt(text);
}
// True when the text is such a number and lies in [low, high].
bool IsIntInRange(std::string_view text, std::int32_t low, std::int32_t high);
