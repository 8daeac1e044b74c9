#include "mbus/RequestFrames.h"

#include <algorithm>
#include <string_view>

namespace {

std::uint8_t Sum(std::span<const std::uint8_t> bytes) {
  unsigned sum = 0;
  for (std::uint8_t b : bytes)
    sum += b;
  return static_cast<std::uint8_t>(sum);
}

std::uint8_t SND_UD_C_Field(TCFieldChoice c) {
  return c.Fix_C_Field && c.Fix_C_Field_Value == 0 ? 0x53 : 0x73;
}

TFrameBytes Short_Frame(std::uint8_t cField, std::uint8_t address) {
  return {0x10, cField, address, static_cast<std::uint8_t>(cField + address), 0x16};
}

std::uint8_t Nibble(int digit) {
  return digit < 0 ? 0x0F : static_cast<std::uint8_t>(digit & 0x0F);
}

} // namespace

TFrameBytes Build_SND_NKE(std::uint8_t address) {
  return Short_Frame(0x40, address);
}

TFrameBytes Build_REQ_UD2(std::uint8_t address, int frameNumber, TCFieldChoice c) {
  std::uint8_t cField;
  if (c.Fix_C_Field)
    cField = c.Fix_C_Field_Value == 0 ? 0x5B : 0x7B;
  else
    cField = frameNumber % 2 == 0 ? 0x7B : 0x5B;
  return Short_Frame(cField, address);
}

TFrameBytes Build_App_Reset(std::uint8_t address, TCFieldChoice c) {
  TFrameBytes f = {0x68, 0x03, 0x03, 0x68, SND_UD_C_Field(c), address, 0x50, 0, 0x16};
  f[7] = Sum(std::span(f).subspan(4, 3));
  return f;
}

TFrameBytes Build_Select_Secondary(const std::array<int, 8>& d, TCFieldChoice c) {
  TFrameBytes f = {0x68, 0x0B, 0x0B, 0x68, SND_UD_C_Field(c), MBus_Address_Selected, 0x52};
  for (int pair = 3; pair >= 0; --pair) // least significant byte first: digits 7 and 8 first
    f.push_back(static_cast<std::uint8_t>(Nibble(d[static_cast<std::size_t>(pair * 2)]) << 4 |
                                          Nibble(d[static_cast<std::size_t>(pair * 2 + 1)])));
  f.insert(f.end(), {0xFF, 0xFF, 0xFF, 0xFF});
  f.push_back(Sum(std::span(f).subspan(4, 11)));
  f.push_back(0x16);
  return f;
}

bool Is_Ack(std::span<const std::uint8_t> a) {
  return a.size() == 1 && a[0] == 0xE5;
}

bool Is_No_Slave(std::span<const std::uint8_t> a) {
  constexpr std::string_view text = "NO_SLAVE\n\r";
  return a.size() == text.size() && std::equal(a.begin(), a.end(), text.begin(), [](std::uint8_t b, char c) {
           return b == static_cast<std::uint8_t>(c);
         });
}

bool Is_Valid_Long_Frame(std::span<const std::uint8_t> a) {
  if (a.size() <= 21) return false;
  if (a[0] != 0x68 || a[3] != 0x68 || a[1] != a[2] || a.back() != 0x16) return false;
  return a[a.size() - 2] == Sum(a.subspan(4, a.size() - 6));
}
