// Decryption of a stream in cipher block chaining mode (no encryption: nothing here needs it).
#pragma once

#include "mbus/Aes128.h"
#include "platform/Streams.h"

#include <span>

// Decrypts `count` bytes from the source's position (all of the source from its start when count
// is 0; a count beyond the source is cut to what is left) into the destination. A byte count
// that is not a multiple of 16 raises EAESError before anything moves.
void CbcDecryptStream(TStream& source, std::int64_t count, const Aes128Key& key, const AesBlock& iv,
                      TStream& destination);
void CbcDecryptStreamExpanded(TStream& source, std::int64_t count, const Aes128Schedule& decryption,
                              const AesBlock& iv, TStream& destination);

// Decrypts whole blocks in place, chaining from `chain` and leaving the last cipher block in it.
// The processor's AES instructions serve where it has them; the round tables serve everywhere and
// can be asked for (tests compare the two).
void CbcDecryptBlocks(std::uint8_t* data, std::int64_t bytes, const Aes128Schedule& decryption,
                      AesBlock& chain, bool tablesOnly = false);

// A memory stream holding the bytes, positioned at its start.
void LoadBytes(TMemoryStream& stream, std::span<const std::uint8_t> bytes);
