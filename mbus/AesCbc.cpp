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
  // Whole blocks in chunks: one stream call per chunk rather than two per block.
  constexpr std::int64_t Chunk = 4096;
  std::uint8_t buffer[Chunk];
  AesBlock chain = iv;
  while (remaining >= 16) {
    const std::int64_t wanted = std::min(remaining, Chunk);
    const std::int64_t got = source.Read(buffer, wanted);
    const std::int64_t whole = std::max<std::int64_t>(got, 0) / 16 * 16;
    for (std::int64_t at = 0; at < whole; at += 16) {
      AesBlock cipher;
      std::copy_n(buffer + at, 16, cipher.begin());
      AesBlock plain = Aes128DecryptBlock(cipher, decryption);
      for (int i = 0; i < 16; ++i)
        buffer[at + i] = plain[i] ^ chain[i];
      chain = cipher;
    }
    if (whole > 0 && destination.Write(buffer, whole) != whole) throw EAESError("Stream write error");
    if (got != wanted) throw EAESError("Stream read error");
    remaining -= whole;
  }
}
