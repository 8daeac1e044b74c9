#include "mbus/LongFrame.h"
#include "mbus/SlaveLists.h"
#include "mbus/WirelessTelegram.h"

#include "MBusTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

TEST(DecodedSlaves, CreationDefaults) {
  const TVariable_MBus record;
  EXPECT_EQ(record.vifvalue, -1);
  EXPECT_TRUE(record.Enable);
  EXPECT_FALSE(record.errata);
  EXPECT_FALSE(record.Real_Wireless_Var);
  EXPECT_EQ(record.Node, nullptr);
  EXPECT_TRUE(record.VIFE.empty() && record.DIF.empty() && record.DIFE.empty() && record.totdati.empty());
  EXPECT_EQ(record.nbyte, 0);
  EXPECT_EQ(record.casovif, 0);

  const TSlave_wMBus device;
  EXPECT_TRUE(device.Enable);
  EXPECT_FALSE(device.Enable_Key);
  EXPECT_EQ(device.RadioCrafts_Ind_Tab_Decript, -1);
  EXPECT_TRUE(device.List_Var.empty());
  EXPECT_EQ(TSlave_MBus{}.Node, nullptr);
}

TEST(DecodedSlaves, CancelVarDropsRecordsAndKeepsTheDevice) {
  TSlave_wMBus device;
  device.Cancel_Var();
  EXPECT_TRUE(device.List_Var.empty());
  device.ALA_Address = 42;
  device.Enable_Key = true;
  device.List_Var.resize(3);
  device.Cancel_Var();
  EXPECT_TRUE(device.List_Var.empty());
  EXPECT_EQ(device.ALA_Address, 42);
  EXPECT_TRUE(device.Enable_Key);
}

TEST(DecodedSlaves, ProgramListsLiveForTheRun) {
  EXPECT_EQ(&List_Slave_MBus(), &List_Slave_MBus());
  EXPECT_EQ(&List_Slave_wMBus(), &List_Slave_wMBus());
  bool noFurtherFrame;
  List_Slave_MBus().Clear();
  EXPECT_EQ(Add_Wired_Slave(Hex(telegrams::W1), -1, List_Slave_MBus(), noFurtherFrame), 0);
  EXPECT_EQ(List_Slave_MBus().Count(), 1);
  List_Slave_MBus().Clear();
  EXPECT_EQ(List_Slave_MBus().Count(), 0);
}

TEST(DecodedSlaves, WindowReadsSnapshotsWhileTheListenerDecodes) {
  // The listener thread decodes telegrams of many devices while the window thread takes snapshots
  // and enters a key; every snapshot is a whole state (a device has all its records or none).
  TWirelessSlaveList list;
  std::atomic<bool> done = false;
  std::thread listener([&] {
    TBytes telegram = Hex(telegrams::T2);
    for (int i = 0; i < 300; ++i) {
      telegram[4] = static_cast<std::uint8_t>(i % 40);
      Decode_Wireless_Telegram(Telit(telegram), TRadioModule::rmTelit, list);
    }
    done = true;
  });
  int snapshots = 0;
  while (!done || snapshots == 0) {
    for (const TSlave_wMBus& s : list.Snapshot())
      EXPECT_EQ(s.List_Var.size(), 18u);
    list.Locked([](std::vector<TSlave_wMBus>& slaves) {
      if (!slaves.empty()) slaves.front().Enable_Key = true;
    });
    ++snapshots;
  }
  listener.join();
  EXPECT_EQ(list.Count(), 40);
}
