// AES-CMAC (RFC 4493) with a full 16-byte tag; the wireless decoder derives keys with it.
#pragma once

#include "mbus/Aes128.h"
#include "platform/Streams.h"

// The tag of the first `count` bytes of the source, read from its start.
void CmacTag(TStream& source, std::int64_t count, const Aes128Key& key, AesBlock& tag);
void CmacTagExpanded(TStream& source, std::int64_t count, const Aes128Schedule& encryption, AesBlock& tag);

void CmacSubkeys(const Aes128Schedule& encryption, AesBlock& k1, AesBlock& k2);
// The first n (0 to 15) bytes of the block, then 0x80, then zeros.
AesBlock CmacPadBlock(const AesBlock& block, int n);
AesBlock BlockXor(const AesBlock& a, const AesBlock& b);
// Shifted left by one bit as a big-endian 128-bit number; the top bit is dropped.
AesBlock BlockShiftLeft(const AesBlock& block);
