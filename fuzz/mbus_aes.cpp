// CBC decryption and CMAC over memory streams: any count, position and source length.
#include "mbus/AesCbc.h"
#include "mbus/AesCmac.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 35) return 0;
  Aes128Key key;
  AesBlock iv;
  std::copy_n(data, 16, key.begin());
  std::copy_n(data + 16, 16, iv.begin());
  const std::int64_t count = data[32] | (data[33] << 8);
  const std::int64_t start = data[34];
  data += 35;
  size -= 35;

  TMemoryStream source, plain;
  LoadBytes(source, {data, size});
  source.SetPosition(std::min<std::int64_t>(start, static_cast<std::int64_t>(size)));
  try {
    CbcDecryptStream(source, count, key, iv, plain);
  } catch (const EAESError&) {
  }

  // The CMAC reads exactly the message it is given.
  const std::int64_t length = std::min<std::int64_t>(count, static_cast<std::int64_t>(size));
  TMemoryStream message;
  LoadBytes(message, {data, static_cast<std::size_t>(length)});
  AesBlock tag;
  CmacTag(message, length, key, tag);
  return 0;
}
