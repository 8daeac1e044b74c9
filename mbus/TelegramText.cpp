#include "mbus/TelegramText.h"

std::string PrintableText(std::span<const std::uint8_t> bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (std::uint8_t b : bytes) {
    if (b >= 0x20 && b <= 0x7E) {
      out += static_cast<char>(b);
    } else if (b >= 0xA0) {
      out += static_cast<char>(0xC0 | (b >> 6));
      out += static_cast<char>(0x80 | (b & 0x3F));
    } else {
      out += '?';
    }
  }
  return out;
}

std::string HexBytes(std::span<const std::uint8_t> bytes, const char* prefix, const char* separator) {
  static constexpr char Digits[] = "0123456789ABCDEF";
  std::string out;
  for (std::uint8_t b : bytes) {
    out += prefix;
    out += Digits[b >> 4];
    out += Digits[b & 0x0F];
    out += separator;
  }
  return out;
}
