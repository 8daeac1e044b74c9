// Numbers as the user types them into the M-Bus boxes and as the network file keeps them: leading
// blanks, an optional sign, then decimal digits or hexadecimal digits after "$", "x", "X", "0x" or
// "0X". Nothing may follow the digits (not even a blank).
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// Decimal must fit 32 bits signed; hexadecimal may use all 32 bits ("$FFFFFFFF" is -1).
std::optional<std::int32_t> Typed_Int32(std::string_view text);
// The same within 64 bits.
std::optional<std::int64_t> Typed_Int64(std::string_view text);

// What the checks count an unconvertible text as: -1, which every range excludes.
inline std::int64_t Typed_Or_Minus1(std::string_view text) {
  return Typed_Int32(text).value_or(-1);
}
inline std::int64_t Typed64_Or_Minus1(std::string_view text) {
  return Typed_Int64(text).value_or(-1);
}
