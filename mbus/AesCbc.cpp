#include "mbus/AesCbc.h"

#include <algorithm>

void LoadBytes(TMemoryStream& stream, std::span<const std::uint8_t> bytes) {
  stream.Clear();
  stream.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
  stream.SetPosition(0);
}

void CbcDecryptStream(TStream& source, std::int64_t count, const Aes128Key& key, const AesBlock& iv,
                      TStream& destination) {
  CbcDecryptStreamExpanded(source, count, Aes128DecryptSchedule(key), iv, destination);
}

void CbcDecryptStreamExpanded(TStream& source, std::int64_t count, const Aes128Schedule& decryption,
                              const AesBlock& iv, TStream& destination) {
  std::int64_t remaining;
  if (count != 0) {
    remaining = std::min(count, std::max<std::int64_t>(source.Size() - source.Position(), 0));
  } else {
    source.SetPosition(0);
    remaining = source.Size();
  }
  if (remaining <= 0) return;
  if (remaining % 16 != 0) throw EAESError("Invalid buffer size for decryption");
  AesBlock chain = iv;
  while (remaining >= 16) {
    AesBlock cipher;
    if (source.Read(cipher.data(), 16) != 16) throw EAESError("Stream read error");
    AesBlock plain = Aes128DecryptBlock(cipher, decryption);
    for (int i = 0; i < 16; ++i)
      plain[i] ^= chain[i];
    if (destination.Write(plain.data(), 16) != 16) throw EAESError("Stream write error");
    chain = cipher;
    remaining -= 16;
  }
}
