// Wireless telegrams in both module framings, reaching a device that holds a key: the datagram
// is decoded once to create the device, the key is entered, and it is decoded again.
#include "mbus/WirelessTelegram.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const std::uint8_t control = data[0];
  std::vector<std::uint8_t> datagram(data + 1, data + size);
  const TRadioModule module = (control & 1) ? TRadioModule::rmRadioCrafts : TRadioModule::rmTelit;
  // Mostly with an L field that fits the framing, so the telegram gets past the length check.
  if ((control & 2) == 0) {
    const std::size_t trailer = module == TRadioModule::rmTelit ? 3 : 1;
    if (datagram.size() >= trailer && datagram.size() - trailer <= 255)
      datagram[0] = static_cast<std::uint8_t>(datagram.size() - trailer);
  }
  TWirelessSlaveList list;
  const int index = Decode_Wireless_Telegram(datagram, module, list);
  if (index >= 0) {
    list.Locked([&](std::vector<TSlave_wMBus>& slaves) {
      TSlave_wMBus& slave = slaves[static_cast<std::size_t>(index)];
      slave.Enable_Key = true;
      // The keys of the example telegrams: 01 .. 0F 11 (mode 5) and 00 .. 0F (mode 7).
      for (std::size_t i = 0; i < slave.Key.size(); ++i)
        slave.Key[i] = static_cast<std::uint8_t>((control & 4) ? i : i + 1);
      slave.Key[15] = (control & 4) ? 0x0F : 0x11;
    });
    Decode_Wireless_Telegram(datagram, module, list, [](int, const TSlave_wMBus&) {});
  }
  return 0;
}
