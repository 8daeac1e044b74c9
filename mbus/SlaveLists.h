// The program's two lists of decoded slaves: meters read on the wired bus and devices heard on
// the radio. They live as long as the program; the window empties them before a new scan.
#pragma once

#include "mbus/DecodedSlaves.h"
#include "mbus/SlaveList.h"

using TWiredSlaveList = TSlaveList<TSlave_MBus>;
using TWirelessSlaveList = TSlaveList<TSlave_wMBus>;

TWiredSlaveList& List_Slave_MBus();
TWirelessSlaveList& List_Slave_wMBus();
