// The data-record walk shared by wired frames and wireless telegrams: DIF, DIFEs, VIF, plain-text
// unit, VIFEs and value bytes, each record handed to the VIF decoder.
#pragma once

#include "mbus/DecodedSlaves.h"

#include <cstdint>
#include <span>
#include <vector>

enum class TMBusType { mtWired, mtWireless };

// Appends the records of `region` (exactly the data bytes, nothing after them). A record that
// does not fit in the region, an eleventh DIFE or VIFE, or a unit text longer than the parser
// keeps ends the walk; the records before it stay. False when a DIF 0x1F announced a further
// frame. `now` is the local time stamped on the records.
bool Decode_Records(std::vector<TVariable_MBus>& records, std::span<const std::uint8_t> region,
                    TMBusType type, double now);
