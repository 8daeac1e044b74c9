// Texts made from telegram bytes.
#pragma once

#include <cstdint>
#include <span>
#include <string>

// Each byte as a character (Latin-1); control characters and undefined codes become "?", so
// nothing unprintable reaches the views or the files.
std::string PrintableText(std::span<const std::uint8_t> bytes);
// Two upper-case hexadecimal digits per byte, each followed by `separator` and preceded by
// `prefix` ("$" and " " for the VIFE and DIFE texts).
std::string HexBytes(std::span<const std::uint8_t> bytes, const char* prefix = "",
                     const char* separator = "");
