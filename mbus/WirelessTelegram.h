// Wireless M-Bus telegrams as the gateway's radio module passes them on: the device is found or
// created in the wireless list, its data decrypted (security modes 5 and 7) and parsed.
#pragma once

#include "mbus/SlaveLists.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

enum class TRadioModule { rmTelit, rmRadioCrafts };

// Called after each telegram with the device's index and a copy of the device, outside the lock.
using TWirelessListener = std::function<void(int index, const TSlave_wMBus& slave)>;

// Decodes one datagram: L field, the telegram from its C field on, then the module's signal
// strength (Telit: two bytes after the telegram; RadioCrafts: one byte counted by L). Returns the
// device's index, or -1 when the datagram was dropped (its length disagrees with L, or its link
// layer is incomplete).
int Decode_Wireless_Telegram(std::span<const std::uint8_t> datagram, TRadioModule module,
                             TWirelessSlaveList& list, const TWirelessListener& listener = {});

// First device whose application-layer address matches, or -1.
int Find_Wireless_Slave(const std::vector<TSlave_wMBus>& slaves, std::uint16_t manufacturer,
                        std::int32_t address, std::uint8_t version, std::uint8_t deviceType);

// Pairs of hexadecimal digits as bytes (a last single digit counts alone); nullopt for a pair that
// is not hexadecimal.
std::optional<std::vector<std::uint8_t>> Hex_To_Bytes(std::string_view text);
