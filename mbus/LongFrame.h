// RSP_UD long frames of the wired bus: 68 L L 68, C, A, CI, the fixed header, data records,
// checksum, 16.
#pragma once

#include "mbus/SlaveLists.h"

#include <cstdint>
#include <span>

// Start bytes, equal L fields, a length of L + 6, the checksum, the stop byte and more than 21 bytes.
bool Long_Frame_Valid(std::span<const std::uint8_t> frame);

// Makes a new slave from the fixed header when `index` is negative (appending it to the list),
// otherwise adds to the slave at `index`; the frame's records go to the end of its List_Var.
// Returns the slave's index, or -1 when the frame fails Long_Frame_Valid or the index is unknown
// (nothing changes then). `noFurtherFrame` is false when the meter announced another frame.
int Add_Wired_Slave(std::span<const std::uint8_t> frame, int index, TWiredSlaveList& list,
                    bool& noFurtherFrame);
