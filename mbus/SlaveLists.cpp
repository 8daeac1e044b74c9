#include "mbus/SlaveLists.h"

TWiredSlaveList& List_Slave_MBus() {
  static TWiredSlaveList list;
  return list;
}

TWirelessSlaveList& List_Slave_wMBus() {
  static TWirelessSlaveList list;
  return list;
}
