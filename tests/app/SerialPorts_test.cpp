#include "app/SerialPorts.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

class SerialPorts : public ::testing::Test {
protected:
  TTempDir Dir;
  TSerialPortFolders Folders{Dir.File("dev"), Dir.File("sys")};

  void Device(const char* name) { Dir.Write(std::string("dev/") + name, ""); }
  void UartType(const char* name, const char* type) { Dir.Write(std::string("sys/") + name + "/type", type); }
};

TEST_F(SerialPorts, FamiliesInOrderEachByNumber) {
  for (const char* name : {"ttyACM0", "ttyUSB1", "ttyS10", "ttyS2", "ttyUSB0", "ttyS0", "ttyS1", "tty0",
                           "console", "ttyS", "ttySAC0"})
    Device(name);
  Dir.MakeDir("dev/ttyS7"); // not a device
  UartType("ttyS0", "4\n");
  UartType("ttyS1", "0\n"); // a slot without a chip
  // ttyS2 and ttyS10 say nothing: taken as present.

  const auto ports = Serial_Ports(Folders);
  const std::vector<std::string> expected{"ttyS0",   "ttyS2",   "ttyS10", "ttySAC0",
                                          "ttyUSB0", "ttyUSB1", "ttyACM0"};
  ASSERT_EQ(ports.size(), expected.size());
  for (std::size_t i = 0; i < ports.size(); ++i) {
    EXPECT_EQ(ports[i].Number, static_cast<int>(i + 1));
    EXPECT_EQ(ports[i].Device, Dir.File("dev/" + expected[i]));
  }
  EXPECT_EQ(List_COM_Ports(Folders), (std::vector<std::string>{"1", "2", "3", "4", "5", "6", "7"}));
  EXPECT_EQ(COM_Port_Device(3, Folders), Dir.File("dev/ttyS10"));
  EXPECT_EQ(COM_Port_Device(8, Folders), "");
  EXPECT_EQ(COM_Port_Device(0, Folders), "");
}

TEST_F(SerialPorts, PortHeldOpenIsListed) {
  Device("ttyUSB0");
  std::ofstream held(Dir.File("dev/ttyUSB0"));
  ASSERT_TRUE(held.is_open());
  EXPECT_EQ(List_COM_Ports(Folders), std::vector<std::string>{"1"});
}

TEST_F(SerialPorts, NoDeviceFolderMeansNoPorts) {
  EXPECT_TRUE(List_COM_Ports(Folders).empty());
  EXPECT_EQ(COM_Port_Device(1, Folders), "");
}

TEST_F(SerialPorts, AtMost256Ports) {
  for (int i = 0; i < 260; ++i)
    Device(("ttyUSB" + std::to_string(i)).c_str());
  const auto ports = Serial_Ports(Folders);
  ASSERT_EQ(ports.size(), 256u);
  EXPECT_EQ(ports.back().Device, Dir.File("dev/ttyUSB255"));
}

} // namespace
