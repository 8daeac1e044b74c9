// AES-128 (FIPS-197) on 32-bit words with round tables: key schedules and single blocks.
#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>

using Aes128Key = std::array<std::uint8_t, 16>;
using AesBlock = std::array<std::uint8_t, 16>;

// 11 round keys of four words, each word holding four key bytes big-endian. The decryption form
// has InvMixColumns applied to round keys 1 to 9 (the equivalent inverse cipher).
struct Aes128Schedule {
  std::array<std::uint32_t, 44> W{};
};

class EAESError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

Aes128Schedule Aes128KeySchedule(const Aes128Key& key);
Aes128Schedule Aes128InvertSchedule(const Aes128Schedule& encryption);
Aes128Schedule Aes128DecryptSchedule(const Aes128Key& key);

AesBlock Aes128EncryptBlock(const AesBlock& in, const Aes128Schedule& encryption);
AesBlock Aes128DecryptBlock(const AesBlock& in, const Aes128Schedule& decryption);
