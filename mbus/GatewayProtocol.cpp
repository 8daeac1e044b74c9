#include "mbus/GatewayProtocol.h"

#include <algorithm>

std::vector<std::uint8_t> Build_Serial_Setup(std::int32_t baudrate, std::int32_t parity) {
  constexpr std::string_view prefix = "Ormida_S_M:";
  const auto b = static_cast<std::uint32_t>(baudrate);
  std::vector<std::uint8_t> r(prefix.size() + 6);
  std::copy(prefix.begin(), prefix.end(), r.begin());
  for (int i = 0; i < 4; ++i)
    r[prefix.size() + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(b >> (24 - 8 * i));
  r[prefix.size() + 4] = 0x2C;
  r[prefix.size() + 5] = parity == 1 ? 2 : parity == 2 ? 1 : 0;
  return r;
}

bool Answer_Is(std::span<const std::uint8_t> answer, std::string_view text) {
  return answer.size() == text.size() &&
         std::equal(answer.begin(), answer.end(), text.begin(),
                    [](std::uint8_t b, char c) { return b == static_cast<std::uint8_t>(c); });
}

std::vector<std::uint8_t> Build_RadioCrafts_Config(std::int32_t mode) {
  const std::uint8_t m = mode == 5 ? 1 : mode == 11 ? 10 : mode == 15 ? 17 : mode == 17 ? 16 : 3;
  return {0x03, m, 0x04, 0x00, 0x05, 0x01, 0x12, 0x01, 0x16, 0x17, 0x3A, 0x01, 0x3D, 0x02, 0x37, 0x01};
}
