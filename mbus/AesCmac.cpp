#include "mbus/AesCmac.h"

AesBlock BlockXor(const AesBlock& a, const AesBlock& b) {
  AesBlock r;
  for (int i = 0; i < 16; ++i)
    r[i] = a[i] ^ b[i];
  return r;
}

AesBlock BlockShiftLeft(const AesBlock& block) {
  AesBlock r;
  for (int i = 0; i < 16; ++i)
    r[i] = static_cast<std::uint8_t>((block[i] << 1) | (i < 15 ? block[i + 1] >> 7 : 0));
  return r;
}

AesBlock CmacPadBlock(const AesBlock& block, int n) {
  AesBlock r{};
  for (int i = 0; i < n && i < 16; ++i)
    r[i] = block[i];
  if (n >= 0 && n < 16) r[n] = 0x80;
  return r;
}

void CmacSubkeys(const Aes128Schedule& encryption, AesBlock& k1, AesBlock& k2) {
  const AesBlock l = Aes128EncryptBlock(AesBlock{}, encryption);
  k1 = BlockShiftLeft(l);
  if (l[0] & 0x80) k1[15] ^= 0x87;
  k2 = BlockShiftLeft(k1);
  if (k1[0] & 0x80) k2[15] ^= 0x87;
}

void CmacTag(TStream& source, std::int64_t count, const Aes128Key& key, AesBlock& tag) {
  CmacTagExpanded(source, count, Aes128KeySchedule(key), tag);
}

void CmacTagExpanded(TStream& source, std::int64_t count, const Aes128Schedule& encryption, AesBlock& tag) {
  if (count < 0) count = 0;
  AesBlock k1, k2;
  CmacSubkeys(encryption, k1, k2);
  std::int64_t n = (count + 15) / 16;
  bool complete = n > 0 && count % 16 == 0;
  if (n == 0) n = 1;
  // Only the message's own bytes of the last block are read; the rest of the block is padding.
  const auto lastCount = static_cast<int>(count - (n - 1) * 16);
  AesBlock last{};
  source.SetPosition((n - 1) * 16);
  if (lastCount > 0) source.Read(last.data(), lastCount);
  last = complete ? BlockXor(last, k1) : BlockXor(CmacPadBlock(last, lastCount), k2);
  source.SetPosition(0);
  AesBlock x{};
  for (std::int64_t i = 0; i + 1 < n; ++i) {
    AesBlock block{};
    source.Read(block.data(), 16);
    x = Aes128EncryptBlock(BlockXor(x, block), encryption);
  }
  tag = Aes128EncryptBlock(BlockXor(x, last), encryption);
}
