#include "mbus/AesCbc.h"

#include <algorithm>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define VELMARIC_AES_INSTRUCTIONS 1
#endif

namespace {

void CbcDecryptBlocksTables(std::uint8_t* data, std::int64_t bytes, const Aes128Schedule& decryption,
                            AesBlock& chain) {
  for (std::int64_t at = 0; at + 16 <= bytes; at += 16) {
    AesBlock cipher;
    std::copy_n(data + at, 16, cipher.begin());
    AesBlock plain = Aes128DecryptBlock(cipher, decryption);
    for (int i = 0; i < 16; ++i)
      data[at + i] = plain[i] ^ chain[i];
    chain = cipher;
  }
}

#ifdef VELMARIC_AES_INSTRUCTIONS
bool HasAesInstructions() {
  static const bool has = __builtin_cpu_supports("aes") && __builtin_cpu_supports("sse2");
  return has;
}

// Eight blocks at a time keep the instruction pipeline full: CBC decryption has no chain between
// the block decryptions, only in the final XOR.
__attribute__((target("aes,sse2"))) void CbcDecryptBlocksInstructions(std::uint8_t* data, std::int64_t bytes,
                                                                      const Aes128Schedule& decryption,
                                                                      AesBlock& chain) {
  // The schedule's words hold their bytes big-endian; the instructions take round keys as bytes.
  __m128i k[11];
  for (int r = 0; r < 11; ++r) {
    alignas(16) std::uint8_t b[16];
    for (int w = 0; w < 4; ++w) {
      const std::uint32_t v = decryption.W[static_cast<std::size_t>(4 * r + w)];
      b[4 * w] = static_cast<std::uint8_t>(v >> 24);
      b[4 * w + 1] = static_cast<std::uint8_t>(v >> 16);
      b[4 * w + 2] = static_cast<std::uint8_t>(v >> 8);
      b[4 * w + 3] = static_cast<std::uint8_t>(v);
    }
    k[r] = _mm_load_si128(reinterpret_cast<const __m128i*>(b));
  }
  auto load = [&](std::int64_t at) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + at)); };
  auto store = [&](std::int64_t at, __m128i v) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(data + at), v);
  };
  __m128i previous = _mm_loadu_si128(reinterpret_cast<const __m128i*>(chain.data()));
  std::int64_t at = 0;
  for (; at + 128 <= bytes; at += 128) {
    // Named states, so they stay in registers through the rounds.
    const __m128i c0 = load(at), c1 = load(at + 16), c2 = load(at + 32), c3 = load(at + 48);
    const __m128i c4 = load(at + 64), c5 = load(at + 80), c6 = load(at + 96), c7 = load(at + 112);
    __m128i s0 = _mm_xor_si128(c0, k[10]), s1 = _mm_xor_si128(c1, k[10]), s2 = _mm_xor_si128(c2, k[10]);
    __m128i s3 = _mm_xor_si128(c3, k[10]), s4 = _mm_xor_si128(c4, k[10]), s5 = _mm_xor_si128(c5, k[10]);
    __m128i s6 = _mm_xor_si128(c6, k[10]), s7 = _mm_xor_si128(c7, k[10]);
    for (int r = 9; r >= 1; --r) {
      const __m128i key = k[r];
      s0 = _mm_aesdec_si128(s0, key);
      s1 = _mm_aesdec_si128(s1, key);
      s2 = _mm_aesdec_si128(s2, key);
      s3 = _mm_aesdec_si128(s3, key);
      s4 = _mm_aesdec_si128(s4, key);
      s5 = _mm_aesdec_si128(s5, key);
      s6 = _mm_aesdec_si128(s6, key);
      s7 = _mm_aesdec_si128(s7, key);
    }
    store(at, _mm_xor_si128(_mm_aesdeclast_si128(s0, k[0]), previous));
    store(at + 16, _mm_xor_si128(_mm_aesdeclast_si128(s1, k[0]), c0));
    store(at + 32, _mm_xor_si128(_mm_aesdeclast_si128(s2, k[0]), c1));
    store(at + 48, _mm_xor_si128(_mm_aesdeclast_si128(s3, k[0]), c2));
    store(at + 64, _mm_xor_si128(_mm_aesdeclast_si128(s4, k[0]), c3));
    store(at + 80, _mm_xor_si128(_mm_aesdeclast_si128(s5, k[0]), c4));
    store(at + 96, _mm_xor_si128(_mm_aesdeclast_si128(s6, k[0]), c5));
    store(at + 112, _mm_xor_si128(_mm_aesdeclast_si128(s7, k[0]), c6));
    previous = c7;
  }
  for (; at + 16 <= bytes; at += 16) {
    const __m128i c = load(at);
    __m128i s = _mm_xor_si128(c, k[10]);
    for (int r = 9; r >= 1; --r)
      s = _mm_aesdec_si128(s, k[r]);
    store(at, _mm_xor_si128(_mm_aesdeclast_si128(s, k[0]), previous));
    previous = c;
  }
  _mm_storeu_si128(reinterpret_cast<__m128i*>(chain.data()), previous);
}
#endif

} // namespace

void CbcDecryptBlocks(std::uint8_t* data, std::int64_t bytes, const Aes128Schedule& decryption,
                      AesBlock& chain, bool tablesOnly) {
#ifdef VELMARIC_AES_INSTRUCTIONS
  if (!tablesOnly && HasAesInstructions())
    return CbcDecryptBlocksInstructions(data, bytes, decryption, chain);
#endif
  CbcDecryptBlocksTables(data, bytes, decryption, chain);
}

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
  constexpr std::int64_t Chunk = 16384;
  std::uint8_t buffer[Chunk];
  AesBlock chain = iv;
  while (remaining >= 16) {
    const std::int64_t wanted = std::min(remaining, Chunk);
    const std::int64_t got = source.Read(buffer, wanted);
    const std::int64_t whole = std::max<std::int64_t>(got, 0) / 16 * 16;
    CbcDecryptBlocks(buffer, whole, decryption, chain);
    if (whole > 0 && destination.Write(buffer, whole) != whole) throw EAESError("Stream write error");
    if (got != wanted) throw EAESError("Stream read error");
    remaining -= whole;
  }
}
