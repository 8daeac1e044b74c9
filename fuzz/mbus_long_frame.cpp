// Long frames with data records: the input as received, and the same bytes with their L fields,
// checksum and stop byte repaired so the records behind the checks are reached.
#include "mbus/DataRecords.h"
#include "mbus/LongFrame.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TWiredSlaveList list;
  bool noFurtherFrame;
  const std::vector<std::uint8_t> input(data, data + size);
  int index = Add_Wired_Slave(input, -1, list, noFurtherFrame);

  if (size >= 22 && size <= 261) {
    std::vector<std::uint8_t> frame = input;
    frame[0] = frame[3] = 0x68;
    frame[1] = frame[2] = static_cast<std::uint8_t>(size - 6);
    std::uint8_t sum = 0;
    for (std::size_t i = 4; i < size - 2; ++i)
      sum = static_cast<std::uint8_t>(sum + frame[i]);
    frame[size - 2] = sum;
    frame[size - 1] = 0x16;
    index = Add_Wired_Slave(frame, index, list, noFurtherFrame);
    if (index < 0) __builtin_trap(); // a repaired frame always passes the checks
  }

  std::vector<TVariable_MBus> records;
  Decode_Records(records, input, TMBusType::mtWireless, 0);
  return 0;
}
