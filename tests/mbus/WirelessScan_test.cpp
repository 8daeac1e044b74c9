#include "ScanFixture.h"
#include "SimulatedRadio.h"
#include "mbus/GatewayProtocol.h"

#include <string>

namespace {

std::string Text_Of(const TGatewayBytes& b) {
  return std::string(b.begin(), b.end());
}

std::vector<std::string> Texts(const std::vector<TGatewayBytes>& requests) {
  std::vector<std::string> out;
  for (const auto& r : requests)
    out.push_back(Text_Of(r));
  return out;
}

const std::string Enable = "Ormida_Enable_Configuration_Mode";
const std::string Type = "Ormida_Type_Radio_Module";
const std::string Disable = "Ormida_Disable_Configuration_Mode";

class WirelessScan : public ::testing::Test, public TScanFixture {
public:
  WirelessScan() : TScanFixture("127.0.0.2", 0, "127.0.0.1") {}

  TWirelessScanSettings Settings(int mode = 5) const {
    TWirelessScanSettings s;
    s.IP_COM = Gateway.Address();
    s.Port = Gateway.Port();
    s.wMBus_Mode = mode;
    return s;
  }
  TWirelessProc Record_Devices() {
    return [this](int index, const std::optional<TSlave_wMBus>& device) {
      EXPECT_EQ(std::this_thread::get_id(), TestThread);
      Devices.emplace_back(index, device);
    };
  }
  int Add_Device(std::uint16_t manufacturer, std::int32_t address) {
    return List_Slave_wMBus().Locked([&](std::vector<TSlave_wMBus>& slaves) {
      TSlave_wMBus d;
      d.ALA_Manufacturer = manufacturer;
      d.ALA_Address = address;
      d.ALA_Version = 1;
      d.ALA_DeviceType = 7;
      slaves.push_back(d);
      return static_cast<int>(slaves.size()) - 1;
    });
  }

  std::vector<std::pair<int, std::optional<TSlave_wMBus>>> Devices;
};

const std::vector<std::string> Telit_T = {
    "+++",        "ATR\r",      "ATS400=5\r", "ATS401=0\r", "ATS402=191\r", "ATS420=0\r",
    "ATS421=0\r", "ATS422=3\r", "ATS430=5\r", "ATS431=5\r", "ATS440=0\r",   "ATS441=0\r",
    "ATS442=0\r", "ATS452=0\r", "ATS453=0\r", "ATS454=0\r", "ATO\r"};

template <class T> std::vector<T> Cat(std::vector<T> a, const std::vector<T>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST_F(WirelessScan, TelitModeTListensThenStops) {
  Gateway.SetScript(Radio());
  ASSERT_TRUE(Engine->Start_Scan_Wireless(Settings(5), Record_Devices()));
  ASSERT_TRUE(Run_To_Step(134));
  EXPECT_EQ(Texts(Gateway.Requests()), Cat({Enable, Type}, Telit_T));
  EXPECT_EQ(Engine->Radio_Module(), TRadioModule::rmTelit);
  Engine->Stop_Scan();
  ASSERT_TRUE(Run_To_End());
  EXPECT_EQ(Texts(Gateway.Requests()).back(), Disable);
  EXPECT_EQ(Engine->Result(), 1);
  EXPECT_EQ(Engine->Step(), 503);
}

TEST_F(WirelessScan, TelitModeN1SkipsThreeCommands) {
  Gateway.SetScript(Radio());
  ASSERT_TRUE(Engine->Start_Scan_Wireless(Settings(15), Record_Devices()));
  ASSERT_TRUE(Run_To_Step(134));
  std::vector<std::string> expected;
  for (const std::string& c : Telit_T)
    if (c != "ATS421=0\r" && c != "ATS442=0\r" && c != "ATS454=0\r")
      expected.push_back(c == "ATS400=5\r" ? "ATS400=15\r" : c);
  EXPECT_EQ(Texts(Gateway.Requests()), Cat({Enable, Type}, expected));
  Engine->Abort_Scan();
  ASSERT_TRUE(Run_To_End());
}

TEST_F(WirelessScan, TelitAnswerWithOtherLineEndsFails) {
  TModuleOptions o;
  o.Telit_Answer = "\r\nOK\r\n";
  Gateway.SetScript(Radio(o));
  ASSERT_TRUE(Engine->Start_Scan_Wireless(Settings(), Record_Devices()));
  ASSERT_TRUE(Run_To_End());
  EXPECT_EQ(Texts(Gateway.Requests()), (std::vector<std::string>{Enable, Type, "+++", Disable}));
  EXPECT_EQ(Engine->Result(), 2);
}

TEST_F(WirelessScan, TelitKeyDownload) {
  Gateway.SetScript(Radio());
  ASSERT_TRUE(Engine->Start_Scan_Wireless(Settings(), Record_Devices()));
  ASSERT_TRUE(Run_To_Step(134));
  const int index = Add_Device(0x2C2D, 0x12345678);
  Aes128Key key;
  for (int i = 0; i < 16; ++i)
    key[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(240 + i);
  const std::size_t before = Gateway.Requests().size();
  EXPECT_FALSE(Engine->Insert_Wireless_Key(index + 1, key)) << "outside the list";
  EXPECT_EQ(Engine->Step(), 134);
  ASSERT_TRUE(Engine->Insert_Wireless_Key(index, key));
  ASSERT_TRUE(Run_Until([&] { return Engine->Step() == 134 && Gateway.Requests().size() > before; }));
  const auto all = Texts(Gateway.Requests());
  std::vector<std::string> expected = {"+++",          "ATS461=45\r", "ATS462=44\r",
                                       "ATS463=120\r", "ATS464=86\r", "ATS465=52\r",
                                       "ATS466=18\r",  "ATS467=1\r",  "ATS468=7\r"};
  for (int i = 0; i < 16; ++i)
    expected.push_back("ATS" + std::to_string(470 + i) + "=" + std::to_string(240 + i) + "\r");
  expected.push_back("ATS460=5\r");
  expected.push_back("ATO\r");
  EXPECT_EQ(std::vector<std::string>(all.begin() + static_cast<std::ptrdiff_t>(before), all.end()), expected);
  const auto device = List_Slave_wMBus().SnapshotAt(index);
  EXPECT_TRUE(device->Enable_Key);
  EXPECT_EQ(device->Key, key);
  Engine->Stop_Scan();
  ASSERT_TRUE(Run_To_End());
}

TEST_F(WirelessScan, StopDuringAKeyDownloadEndsTheScanAndTheKeyStays) {
  Gateway.SetScript(Radio());
  ASSERT_TRUE(Engine->Start_Scan_Wireless(Settings(), Record_Devices()));
  ASSERT_TRUE(Run_To_Step(134));
  const int index = Add_Device(0x2C2D, 0x12345678);
  const Aes128Key key{1, 2, 3};
  ASSERT_TRUE(Engine->Insert_Wireless_Key(index, key));
  ASSERT_TRUE(Run_To_Step(206));
  Engine->Stop_Scan();
  ASSERT_TRUE(Run_To_End());
  EXPECT_EQ(Texts(Gateway.Requests()).back(), Disable);
  EXPECT_FALSE(Engine->StopScan());
  EXPECT_TRUE(List_Slave_wMBus().SnapshotAt(index)->Enable_Key);
  EXPECT_EQ(List_Slave_wMBus().SnapshotAt(index)->Key, key);
}

TEST_F(WirelessScan, RadioCraftsSetUpErasesEveryKeyEntry) {
  TModuleOptions o;
  o.RadioCrafts = true;
  Gateway.SetScript(Radio(o));
  ASSERT_TRUE(Engine->Start_Scan_Wireless(Settings(15), Record_Devices()));
  ASSERT_TRUE(Run_To_Step(320));
  const auto requests = Gateway.Requests();
  EXPECT_EQ(Engine->Radio_Module(), TRadioModule::rmRadioCrafts);
  ASSERT_GE(requests.size(), 9u);
  EXPECT_EQ(requests[2], Hex("00"));
  EXPECT_EQ(requests[3], Hex("30"));
  EXPECT_EQ(requests[4], Hex("4D"));
  EXPECT_EQ(requests[5], Build_RadioCrafts_Config(15));
  EXPECT_EQ(requests[6], Hex("FF"));
  // Entries 1 to 64, each: B, its number, eight zero bytes.
  std::vector<int> erased;
  for (std::size_t i = 7; i + 2 < requests.size(); i += 3) {
    ASSERT_EQ(requests[i], Hex("42"));
    erased.push_back(requests[i + 1].at(0));
    EXPECT_EQ(requests[i + 2], TGatewayBytes(8, 0));
  }
  std::vector<int> all(64);
  for (int i = 0; i < 64; ++i)
    all[static_cast<std::size_t>(i)] = i + 1;
  EXPECT_EQ(erased, all);
  EXPECT_EQ(requests.back(), Hex("58"));
  Engine->Abort_Scan();
  ASSERT_TRUE(Run_To_End());
  EXPECT_EQ(Engine->Result(), 1);
}

TEST(WirelessScanCases, RadioCraftsMemoryRead) {
  for (std::size_t size : {257u, 256u}) {
    SCOPED_TRACE(size);
    TScanFixture f("127.0.0.2", 0, "127.0.0.1");
    TModuleOptions o;
    o.RadioCrafts = true;
    o.Memory_Size = size;
    f.Gateway.SetScript(Radio(o));
    TWirelessScanSettings s;
    s.IP_COM = f.Gateway.Address();
    s.Port = f.Gateway.Port();
    ASSERT_TRUE(f.Engine->Start_Scan_Wireless(s, {}));
    ASSERT_TRUE(f.Run_Until([&] { return f.Engine->Step() == 320 || !f.Engine->InScan(); }));
    EXPECT_EQ(f.Engine->Step() == 320, size == 257);
    EXPECT_EQ(f.Engine->Result(), size == 257 ? 1 : 2);
    f.Engine->Abort_Scan();
    ASSERT_TRUE(f.Run_To_End());
  }
}

TEST_F(WirelessScan, RadioCraftsKeysTheSixtyFifthIsRefused) {
  TModuleOptions o;
  o.RadioCrafts = true;
  Gateway.SetScript(Radio(o));
  ASSERT_TRUE(Engine->Start_Scan_Wireless(Settings(), Record_Devices()));
  ASSERT_TRUE(Run_To_Step(320));
  for (int i = 0; i < 65; ++i)
    Add_Device(0x2C2D, 0x12345600 + i);
  const Aes128Key key{9};
  const std::size_t before = Gateway.Requests().size();
  ASSERT_TRUE(Engine->Insert_Wireless_Key(0, key));
  // Outside listening the entries are given all the same, up to the 64th.
  for (int i = 1; i < 64; ++i)
    EXPECT_FALSE(Engine->Insert_Wireless_Key(i, key));
  ASSERT_TRUE(Run_Until([&] { return Engine->Step() == 320 && Gateway.Requests().size() > before; }));
  const auto requests = Gateway.Requests();
  const std::vector<TGatewayBytes> download(requests.begin() + static_cast<std::ptrdiff_t>(before),
                                            requests.end());
  TGatewayBytes keyBytes(key.begin(), key.end());
  EXPECT_EQ(download, (std::vector<TGatewayBytes>{Hex("00"), Hex("42"), Hex("01"),
                                                  Hex("00 56 34 12 2D 2C 01 07"), Hex("4B"), Hex("01"),
                                                  keyBytes, Hex("41"), Hex("01"), Hex("00 40"), Hex("58")}));
  // Listening again, the 65th device gets no entry and the step stays.
  EXPECT_FALSE(Engine->Insert_Wireless_Key(64, key));
  EXPECT_EQ(Engine->Step(), 320);
  EXPECT_EQ(List_Slave_wMBus().SnapshotAt(63)->RadioCrafts_Ind_Tab_Decript, 64);
  EXPECT_EQ(List_Slave_wMBus().SnapshotAt(64)->RadioCrafts_Ind_Tab_Decript, -1);
  EXPECT_FALSE(List_Slave_wMBus().SnapshotAt(64)->Enable_Key);
  EXPECT_FALSE(Engine->Insert_Wireless_Key(-1, key));
  EXPECT_FALSE(Engine->Insert_Wireless_Key(65, key));
  Engine->Stop_Scan();
  ASSERT_TRUE(Run_To_End());
}

TEST_F(WirelessScan, TelegramsWhileListeningLandInTheListAndNotifyInOrder) {
  Gateway.SetScript(Radio());
  ASSERT_TRUE(Engine->Start_Scan_Wireless(Settings(), Record_Devices()));
  ASSERT_TRUE(Run_To_Step(134));
  const char* const telegrams[] = {telegrams::T1, telegrams::T2, telegrams::T3, telegrams::T4, telegrams::T5};
  TWirelessSlaveList reference;
  std::vector<std::pair<int, TSlave_wMBus>> expected;
  for (const char* t : telegrams) {
    const TBytes datagram = Telit(Hex(t));
    Gateway.Push(datagram);
    Decode_Wireless_Telegram(datagram, TRadioModule::rmTelit, reference,
                             [&](int index, const TSlave_wMBus& d) { expected.emplace_back(index, d); });
  }
  // A datagram whose length disagrees with its first byte is dropped, and is no answer either.
  Gateway.Push(Hex("05 01 02"));
  ASSERT_TRUE(Settle());
  Ui.Run();
  ASSERT_EQ(Devices.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(Devices[i].first, expected[i].first);
    ASSERT_TRUE(Devices[i].second.has_value());
    EXPECT_EQ(Devices[i].second->ALA_Address, expected[i].second.ALA_Address);
    EXPECT_EQ(Devices[i].second->List_Var.size(), expected[i].second.List_Var.size());
  }
  EXPECT_EQ(List_Slave_wMBus().Count(), reference.Count());
  EXPECT_EQ(Engine->Step(), 134);
  Engine->Stop_Scan();
  ASSERT_TRUE(Run_To_End());
}

TEST_F(WirelessScan, PortZeroAndASecondStartAreRefused) {
  Gateway.SetScript(Radio());
  TWirelessScanSettings s = Settings();
  s.Port = 0;
  EXPECT_FALSE(Engine->Start_Scan_Wireless(s, {}));
  EXPECT_FALSE(Engine->InScan());
  ASSERT_TRUE(Engine->Start_Scan_Wireless(Settings(), {}));
  EXPECT_FALSE(Engine->Start_Scan_Wireless(Settings(17), {}));
  EXPECT_FALSE(Engine->Start_Scan(Wired(), {}));
  ASSERT_TRUE(Run_To_Step(134));
  EXPECT_EQ(Texts(Gateway.Requests()).at(4), "ATS400=5\r");
  Engine->Abort_Scan();
  ASSERT_TRUE(Run_To_End());
}

} // namespace

namespace {

TEST_F(WirelessScan, ShortFormNotifiesTheIndexAlone) {
  Gateway.SetScript(Radio());
  TWirelessScanSettings s = Settings();
  s.FromDLL = true;
  ASSERT_TRUE(Engine->Start_Scan_Wireless(s, Record_Devices()));
  ASSERT_TRUE(Run_To_Step(134));
  Gateway.Push(Telit(Hex(telegrams::T2)));
  ASSERT_TRUE(Settle());
  Ui.Run();
  ASSERT_EQ(Devices.size(), 1u);
  EXPECT_EQ(Devices[0].first, 0);
  EXPECT_FALSE(Devices[0].second.has_value());
  Engine->Stop_Scan();
  ASSERT_TRUE(Run_To_End());
}

} // namespace

namespace {

TEST_F(WirelessScan, OverSerialTheScanWaitsInItsFirstStepUntilStopped) {
  TWirelessScanSettings s = Settings();
  s.SelHard = TSelectHard::shSerial;
  s.IP_COM = "COM1";
  ASSERT_TRUE(Engine->Start_Scan_Wireless(s, Record_Devices()));
  for (int turn = 0; turn < 50; ++turn) {
    ASSERT_TRUE(Settle());
    Clock.AdvanceToNextWake();
  }
  EXPECT_EQ(Engine->Step(), 0);
  EXPECT_TRUE(Gateway.Requests().empty());
  Engine->Stop_Scan();
  ASSERT_TRUE(Run_To_End());
  EXPECT_EQ(Engine->Step(), 503);
  EXPECT_TRUE(Gateway.Requests().empty());
}

} // namespace
