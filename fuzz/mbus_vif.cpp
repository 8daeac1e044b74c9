// The VIF/VIFE decoder on its own: VIF, data field, LVAR, ten VIFEs and the value bytes.
#include "mbus/VifDecoder.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  const std::uint8_t vif = data[0], dataField = data[1] & 0x0F, lvar = data[2];
  const int nbyte = data[3];
  data += 4;
  size -= 4;
  TRecordBytes bytes;
  const std::size_t vifes = std::min<std::size_t>(size, bytes.Vife.size());
  std::copy_n(data, vifes, bytes.Vife.begin());
  std::copy_n(data + vifes, std::min(size - vifes, bytes.Value.size()), bytes.Value.begin());
  TVariable_MBus record;
  Decode_VIF(vif, bytes.Vife[0], record, nbyte, lvar, dataField, bytes);
  return 0;
}
