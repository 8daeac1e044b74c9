#include "mbus/LongFrame.h"

#include "mbus/DataRecords.h"
#include "mbus/FixedHeader.h"
#include "platform/Clock.h"
#include "platform/Format.h"

bool Long_Frame_Valid(std::span<const std::uint8_t> frame) {
  if (frame.size() <= 21) return false;
  if (frame[0] != 0x68 || frame[3] != 0x68 || frame[1] != frame[2]) return false;
  if (frame.size() != std::size_t{frame[1]} + 6 || frame.back() != 0x16) return false;
  std::uint8_t sum = 0;
  for (std::size_t i = 4; i < frame.size() - 2; ++i)
    sum = static_cast<std::uint8_t>(sum + frame[i]);
  return sum == frame[frame.size() - 2];
}

int Add_Wired_Slave(std::span<const std::uint8_t> frame, int index, TWiredSlaveList& list,
                    bool& noFurtherFrame) {
  noFurtherFrame = true;
  if (!Long_Frame_Valid(frame)) return -1;
  std::vector<TVariable_MBus> records;
  noFurtherFrame =
      Decode_Records(records, frame.subspan(19, frame.size() - 21), TMBusType::mtWired, Clock().LocalNow());
  return list.Locked([&](std::vector<TSlave_MBus>& slaves) {
    if (index < 0) {
      TSlave_MBus slave;
      slave.Primary_Addresss = frame[5];
      const std::uint32_t id = frame[7] | (std::uint32_t{frame[8]} << 8) | (std::uint32_t{frame[9]} << 16) |
                               (std::uint32_t{frame[10]} << 24);
      slave.Secondary_Addresss = Format("%.2x", {static_cast<std::int64_t>(id)});
      slave.Manufacture = frame[11] | (frame[12] << 8);
      slave.Version = frame[13];
      slave.Medium = frame[14];
      slave.Status = frame[16];
      slave.descmedium = Medium_Name(slave.Medium);
      slave.descManufacture = Trova_Man(slave.Manufacture);
      slaves.push_back(std::move(slave));
      index = static_cast<int>(slaves.size()) - 1;
    } else if (static_cast<std::size_t>(index) >= slaves.size()) {
      return -1;
    }
    auto& target = slaves[static_cast<std::size_t>(index)].List_Var;
    target.insert(target.end(), std::make_move_iterator(records.begin()),
                  std::make_move_iterator(records.end()));
    return index;
  });
}
