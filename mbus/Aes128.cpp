#include "mbus/Aes128.h"

namespace {

constexpr std::uint8_t Mul2(std::uint8_t x) {
  return static_cast<std::uint8_t>((x << 1) ^ ((x & 0x80) ? 0x1B : 0x00));
}

constexpr std::uint8_t Mul(std::uint8_t a, std::uint8_t b) {
  std::uint8_t r = 0;
  while (b) {
    if (b & 1) r ^= a;
    a = Mul2(a);
    b >>= 1;
  }
  return r;
}

constexpr std::uint8_t Rotl8(std::uint8_t x, int s) {
  return static_cast<std::uint8_t>((x << s) | (x >> (8 - s)));
}

// S-box from the multiplicative inverse and the affine map: p walks the powers of 3, q those of
// its inverse, so q is the inverse of p at every step.
constexpr std::array<std::uint8_t, 256> MakeSbox() {
  std::array<std::uint8_t, 256> s{};
  std::uint8_t p = 1, q = 1;
  do {
    p = static_cast<std::uint8_t>(p ^ Mul2(p));
    q = static_cast<std::uint8_t>(q ^ (q << 1));
    q = static_cast<std::uint8_t>(q ^ (q << 2));
    q = static_cast<std::uint8_t>(q ^ (q << 4));
    if (q & 0x80) q ^= 0x09;
    s[p] = static_cast<std::uint8_t>(q ^ Rotl8(q, 1) ^ Rotl8(q, 2) ^ Rotl8(q, 3) ^ Rotl8(q, 4) ^ 0x63);
  } while (p != 1);
  s[0] = 0x63;
  return s;
}

constexpr std::array<std::uint8_t, 256> Sbox = MakeSbox();

constexpr std::array<std::uint8_t, 256> MakeInvSbox() {
  std::array<std::uint8_t, 256> s{};
  for (int x = 0; x < 256; ++x)
    s[Sbox[x]] = static_cast<std::uint8_t>(x);
  return s;
}

constexpr std::array<std::uint8_t, 256> InvSbox = MakeInvSbox();

constexpr std::uint32_t Word(std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d) {
  return (std::uint32_t{a} << 24) | (std::uint32_t{b} << 16) | (std::uint32_t{c} << 8) | d;
}

// One table each way; the other three columns are byte rotations of it.
constexpr std::array<std::uint32_t, 256> MakeTe() {
  std::array<std::uint32_t, 256> t{};
  for (int x = 0; x < 256; ++x) {
    const std::uint8_t s = Sbox[x];
    t[x] = Word(Mul(s, 2), s, s, Mul(s, 3));
  }
  return t;
}

constexpr std::array<std::uint32_t, 256> MakeTd() {
  std::array<std::uint32_t, 256> t{};
  for (int x = 0; x < 256; ++x) {
    const std::uint8_t s = InvSbox[x];
    t[x] = Word(Mul(s, 0x0E), Mul(s, 0x09), Mul(s, 0x0D), Mul(s, 0x0B));
  }
  return t;
}

constexpr std::array<std::uint32_t, 256> Te = MakeTe();
constexpr std::array<std::uint32_t, 256> Td = MakeTd();

inline std::uint32_t Ror(std::uint32_t x, int s) {
  return (x >> s) | (x << (32 - s));
}

inline std::uint32_t Load(const std::uint8_t* p) {
  return Word(p[0], p[1], p[2], p[3]);
}

inline void Store(std::uint8_t* p, std::uint32_t w) {
  p[0] = static_cast<std::uint8_t>(w >> 24);
  p[1] = static_cast<std::uint8_t>(w >> 16);
  p[2] = static_cast<std::uint8_t>(w >> 8);
  p[3] = static_cast<std::uint8_t>(w);
}

inline std::uint8_t B(std::uint32_t w, int i) {
  return static_cast<std::uint8_t>(w >> (24 - 8 * i));
}

inline std::uint32_t SubWord(std::uint32_t w) {
  return Word(Sbox[B(w, 0)], Sbox[B(w, 1)], Sbox[B(w, 2)], Sbox[B(w, 3)]);
}

// InvMixColumns of one word through the decryption table: Td(S(x)) is InvMixColumns of x alone.
inline std::uint32_t InvMixWord(std::uint32_t w) {
  return Td[Sbox[B(w, 0)]] ^ Ror(Td[Sbox[B(w, 1)]], 8) ^ Ror(Td[Sbox[B(w, 2)]], 16) ^
         Ror(Td[Sbox[B(w, 3)]], 24);
}

} // namespace

Aes128Schedule Aes128KeySchedule(const Aes128Key& key) {
  static constexpr std::uint8_t Rcon[10] = {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80, 0x1B, 0x36};
  Aes128Schedule s;
  for (int i = 0; i < 4; ++i)
    s.W[i] = Load(key.data() + 4 * i);
  for (int i = 4; i < 44; ++i) {
    std::uint32_t t = s.W[i - 1];
    if (i % 4 == 0) t = SubWord((t << 8) | (t >> 24)) ^ (std::uint32_t{Rcon[i / 4 - 1]} << 24);
    s.W[i] = s.W[i - 4] ^ t;
  }
  return s;
}

Aes128Schedule Aes128InvertSchedule(const Aes128Schedule& encryption) {
  Aes128Schedule d = encryption;
  for (int i = 4; i < 40; ++i)
    d.W[i] = InvMixWord(encryption.W[i]);
  return d;
}

Aes128Schedule Aes128DecryptSchedule(const Aes128Key& key) {
  return Aes128InvertSchedule(Aes128KeySchedule(key));
}

AesBlock Aes128EncryptBlock(const AesBlock& in, const Aes128Schedule& encryption) {
  const std::uint32_t* rk = encryption.W.data();
  std::uint32_t s0 = Load(in.data()) ^ rk[0], s1 = Load(in.data() + 4) ^ rk[1];
  std::uint32_t s2 = Load(in.data() + 8) ^ rk[2], s3 = Load(in.data() + 12) ^ rk[3];
  for (int round = 1; round < 10; ++round) {
    rk += 4;
    const std::uint32_t t0 = Te[s0 >> 24] ^ Ror(Te[(s1 >> 16) & 0xFF], 8) ^ Ror(Te[(s2 >> 8) & 0xFF], 16) ^
                             Ror(Te[s3 & 0xFF], 24) ^ rk[0];
    const std::uint32_t t1 = Te[s1 >> 24] ^ Ror(Te[(s2 >> 16) & 0xFF], 8) ^ Ror(Te[(s3 >> 8) & 0xFF], 16) ^
                             Ror(Te[s0 & 0xFF], 24) ^ rk[1];
    const std::uint32_t t2 = Te[s2 >> 24] ^ Ror(Te[(s3 >> 16) & 0xFF], 8) ^ Ror(Te[(s0 >> 8) & 0xFF], 16) ^
                             Ror(Te[s1 & 0xFF], 24) ^ rk[2];
    const std::uint32_t t3 = Te[s3 >> 24] ^ Ror(Te[(s0 >> 16) & 0xFF], 8) ^ Ror(Te[(s1 >> 8) & 0xFF], 16) ^
                             Ror(Te[s2 & 0xFF], 24) ^ rk[3];
    s0 = t0;
    s1 = t1;
    s2 = t2;
    s3 = t3;
  }
  rk += 4;
  AesBlock out;
  Store(out.data(),
        Word(Sbox[s0 >> 24], Sbox[(s1 >> 16) & 0xFF], Sbox[(s2 >> 8) & 0xFF], Sbox[s3 & 0xFF]) ^ rk[0]);
  Store(out.data() + 4,
        Word(Sbox[s1 >> 24], Sbox[(s2 >> 16) & 0xFF], Sbox[(s3 >> 8) & 0xFF], Sbox[s0 & 0xFF]) ^ rk[1]);
  Store(out.data() + 8,
        Word(Sbox[s2 >> 24], Sbox[(s3 >> 16) & 0xFF], Sbox[(s0 >> 8) & 0xFF], Sbox[s1 & 0xFF]) ^ rk[2]);
  Store(out.data() + 12,
        Word(Sbox[s3 >> 24], Sbox[(s0 >> 16) & 0xFF], Sbox[(s1 >> 8) & 0xFF], Sbox[s2 & 0xFF]) ^ rk[3]);
  return out;
}

AesBlock Aes128DecryptBlock(const AesBlock& in, const Aes128Schedule& decryption) {
  const std::uint32_t* rk = decryption.W.data() + 40;
  std::uint32_t s0 = Load(in.data()) ^ rk[0], s1 = Load(in.data() + 4) ^ rk[1];
  std::uint32_t s2 = Load(in.data() + 8) ^ rk[2], s3 = Load(in.data() + 12) ^ rk[3];
  for (int round = 9; round >= 1; --round) {
    rk -= 4;
    const std::uint32_t t0 = Td[s0 >> 24] ^ Ror(Td[(s3 >> 16) & 0xFF], 8) ^ Ror(Td[(s2 >> 8) & 0xFF], 16) ^
                             Ror(Td[s1 & 0xFF], 24) ^ rk[0];
    const std::uint32_t t1 = Td[s1 >> 24] ^ Ror(Td[(s0 >> 16) & 0xFF], 8) ^ Ror(Td[(s3 >> 8) & 0xFF], 16) ^
                             Ror(Td[s2 & 0xFF], 24) ^ rk[1];
    const std::uint32_t t2 = Td[s2 >> 24] ^ Ror(Td[(s1 >> 16) & 0xFF], 8) ^ Ror(Td[(s0 >> 8) & 0xFF], 16) ^
                             Ror(Td[s3 & 0xFF], 24) ^ rk[2];
    const std::uint32_t t3 = Td[s3 >> 24] ^ Ror(Td[(s2 >> 16) & 0xFF], 8) ^ Ror(Td[(s1 >> 8) & 0xFF], 16) ^
                             Ror(Td[s0 & 0xFF], 24) ^ rk[3];
    s0 = t0;
    s1 = t1;
    s2 = t2;
    s3 = t3;
  }
  rk -= 4;
  AesBlock out;
  Store(out.data(),
        Word(InvSbox[s0 >> 24], InvSbox[(s3 >> 16) & 0xFF], InvSbox[(s2 >> 8) & 0xFF], InvSbox[s1 & 0xFF]) ^
            rk[0]);
  Store(out.data() + 4,
        Word(InvSbox[s1 >> 24], InvSbox[(s0 >> 16) & 0xFF], InvSbox[(s3 >> 8) & 0xFF], InvSbox[s2 & 0xFF]) ^
            rk[1]);
  Store(out.data() + 8,
        Word(InvSbox[s2 >> 24], InvSbox[(s1 >> 16) & 0xFF], InvSbox[(s0 >> 8) & 0xFF], InvSbox[s3 & 0xFF]) ^
            rk[2]);
  Store(out.data() + 12,
        Word(InvSbox[s3 >> 24], InvSbox[(s2 >> 16) & 0xFF], InvSbox[(s1 >> 8) & 0xFF], InvSbox[s0 & 0xFF]) ^
            rk[3]);
  return out;
}
