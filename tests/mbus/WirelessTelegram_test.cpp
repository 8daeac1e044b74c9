#include "mbus/AesCbc.h"
#include "mbus/AesCmac.h"
#include "mbus/WirelessTelegram.h"

#include "MBusTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

Aes128Key Key(const char* hex) {
  const TBytes b = Hex(hex);
  Aes128Key k{};
  std::copy_n(b.begin(), 16, k.begin());
  return k;
}

// The wireless list, a record of the notifications and the key entry of the window.
class WirelessTelegram : public ::testing::Test {
protected:
  int Decode(const TBytes& datagram, TRadioModule module = TRadioModule::rmTelit) {
    return Decode_Wireless_Telegram(datagram, module, List, [this](int index, const TSlave_wMBus& slave) {
      Notified.emplace_back(index, slave);
    });
  }
  void EnterKey(int index, const char* hex) {
    List.Locked([&](std::vector<TSlave_wMBus>& slaves) {
      slaves[static_cast<std::size_t>(index)].Key = Key(hex);
      slaves[static_cast<std::size_t>(index)].Enable_Key = true;
    });
  }
  TSlave_wMBus Slave(int index) const { return List.SnapshotAt(index).value_or(TSlave_wMBus{}); }

  // The records of the plain example telegram: three real ones among fifteen fillers.
  static void ExpectT2Records(const TSlave_wMBus& s) {
    ASSERT_EQ(s.List_Var.size(), 18u);
    std::vector<const TVariable_MBus*> real;
    for (const TVariable_MBus& r : s.List_Var)
      if (r.Real_Wireless_Var) real.push_back(&r);
    ASSERT_EQ(real.size(), 3u);
    EXPECT_EQ(real[0]->Desc_Type_Data, "Volume m3");
    EXPECT_EQ(real[0]->ValueStr, "28504.27");
    EXPECT_EQ(real[1]->Desc_Type_Data, "Time Point Date and Time (Type F)");
    EXPECT_EQ(real[1]->ValueStr, "31/05/08 23:50");
    EXPECT_EQ(real[2]->Desc_Type_Data, "Error Flag (Binary)");
    EXPECT_EQ(real[2]->Type_Data_Vife, 18);
    EXPECT_EQ(real[2]->ValueStr, "0");
  }

  TFixedWallClock Clock;
  TScopedSettings Settings;
  TWirelessSlaveList List;
  std::vector<std::pair<int, TSlave_wMBus>> Notified;
};

} // namespace

TEST_F(WirelessTelegram, FirstTelegramCreatesTheDevice) {
  ASSERT_EQ(Decode(Telit(Hex(telegrams::T1))), 0);
  const TSlave_wMBus s = Slave(0);
  EXPECT_EQ(s.ALA_Manu_str, "ELS");
  EXPECT_EQ(s.LLA_Manu_str, "ELS");
  EXPECT_EQ(s.ALA_Address, 0x12345678);
  EXPECT_EQ(s.ALA_Version, 0x33);
  EXPECT_EQ(s.ALA_DeviceType, 3);
  EXPECT_EQ(s.Message_Type, 0x44);
  EXPECT_EQ(s.RSSI, -82);
  EXPECT_EQ(s.RadioCrafts_Ind_Tab_Decript, -1);
  EXPECT_DOUBLE_EQ(s.DateTime, TFixedWallClock::Moment);
  EXPECT_TRUE(s.Cripted);
  EXPECT_TRUE(s.List_Var.empty());
  EXPECT_TRUE(s.Enable);
  EXPECT_FALSE(s.Enable_Key);
  ASSERT_EQ(Notified.size(), 1u);
  EXPECT_EQ(Notified[0].first, 0);
  EXPECT_EQ(Notified[0].second.ALA_Address, 0x12345678);
}

TEST_F(WirelessTelegram, PublicTelegramsInSequence) {
  struct TStep {
    const char* Telegram;
    const char* Key; // entered before this telegram; nullptr for none
    bool Cripted;
    bool T2Records;
  };
  struct TCase {
    const char* Name;
    std::vector<TStep> Steps;
  };
  const TCase cases[] = {
      {"T1: mode 5 in a short header is the module's to decrypt",
       {{telegrams::T1, nullptr, true, false}, {telegrams::T1, telegrams::KeyT1, true, false}}},
      {"T2: plain", {{telegrams::T2, nullptr, false, true}}},
      {"T3: mode 5 already decrypted", {{telegrams::T3, nullptr, false, true}}},
      {"T4: mode 5 behind the extended link layer",
       {{telegrams::T4, nullptr, true, false}, {telegrams::T4, telegrams::KeyT1, false, true}}},
      {"T4 with a wrong key",
       {{telegrams::T4, nullptr, true, false}, {telegrams::T4, telegrams::KeyT5, true, false}}},
      {"T5: mode 7", {{telegrams::T5, nullptr, true, false}, {telegrams::T5, telegrams::KeyT5, false, true}}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    List.Clear();
    for (const TStep& step : c.Steps) {
      if (step.Key) EnterKey(0, step.Key);
      ASSERT_EQ(Decode(Telit(Hex(step.Telegram))), 0);
      const TSlave_wMBus s = Slave(0);
      EXPECT_EQ(s.Cripted, step.Cripted);
      if (step.T2Records)
        ExpectT2Records(s);
      else
        EXPECT_TRUE(s.List_Var.empty());
    }
    EXPECT_EQ(List.Count(), 1);
  }
}

TEST_F(WirelessTelegram, Mode7DerivesItsKeyFromCounterAndAddress) {
  // Message: 00, counter B3 0A 00 00, identification 78 56 34 12, then 07 x 7.
  TMemoryStream message;
  LoadBytes(message, Hex("00 B30A0000 78563412 07070707070707"));
  AesBlock derived;
  CmacTag(message, 16, Key(telegrams::KeyT5), derived);
  EXPECT_EQ(TBytes(derived.begin(), derived.end()), Hex("eccf39d475d730b8284fdfdc1995d52f"));
}

TEST_F(WirelessTelegram, Mode7WithAWrongKeyLeavesTheDeviceAsItWas) {
  ASSERT_EQ(Decode(Telit(Hex(telegrams::T5))), 0);
  EnterKey(0, telegrams::KeyT5);
  ASSERT_EQ(Decode(Telit(Hex(telegrams::T5), 0x40)), 0);
  const TSlave_wMBus before = Slave(0);
  ExpectT2Records(before);
  EnterKey(0, telegrams::KeyT1);
  Clock.Fake.Local += 1;
  ASSERT_EQ(Decode(Telit(Hex(telegrams::T5), 0x60)), 0);
  const TSlave_wMBus after = Slave(0);
  EXPECT_FALSE(after.Cripted);
  EXPECT_EQ(after.RSSI, before.RSSI);
  EXPECT_DOUBLE_EQ(after.DateTime, before.DateTime);
  EXPECT_EQ(after.List_Var.size(), before.List_Var.size());
  EXPECT_EQ(Notified.size(), 3u) << "the window still hears of the telegram";
}

TEST_F(WirelessTelegram, SignalStrengthOfBothModules) {
  struct TCase {
    TRadioModule Module;
    std::uint8_t Signal;
    int Rssi;
  };
  const TCase cases[] = {{TRadioModule::rmTelit, 0x50, -82},
                         {TRadioModule::rmTelit, 0x00, -2},
                         {TRadioModule::rmRadioCrafts, 0xB0, -39},
                         {TRadioModule::rmRadioCrafts, 0x21, 17},
                         {TRadioModule::rmRadioCrafts, 0xFF, 1}};
  for (const TCase& c : cases) {
    List.Clear();
    const TBytes telegram = Hex(telegrams::T2);
    const TBytes datagram =
        c.Module == TRadioModule::rmTelit ? Telit(telegram, c.Signal) : RadioCrafts(telegram, c.Signal);
    ASSERT_EQ(Decode(datagram, c.Module), 0);
    EXPECT_EQ(Slave(0).RSSI, c.Rssi) << int{c.Signal};
    // The records end before the signal byte: the last filler is the telegram's last byte.
    ExpectT2Records(Slave(0));
  }
}

TEST_F(WirelessTelegram, RadioCraftsMode7) {
  ASSERT_EQ(Decode(RadioCrafts(Hex(telegrams::T5)), TRadioModule::rmRadioCrafts), 0);
  EnterKey(0, telegrams::KeyT5);
  ASSERT_EQ(Decode(RadioCrafts(Hex(telegrams::T5)), TRadioModule::rmRadioCrafts), 0);
  EXPECT_FALSE(Slave(0).Cripted);
  ExpectT2Records(Slave(0));
}

TEST_F(WirelessTelegram, TwoTelegramsOfOneDeviceKeepOneSlave) {
  const TBytes first = Hex(telegrams::T2);
  TBytes second = first;
  second[19] = 0x99; // another volume
  ASSERT_EQ(Decode(Telit(first)), 0);
  Clock.Fake.Local += 0.5;
  ASSERT_EQ(Decode(Telit(second, 0x30)), 0);
  EXPECT_EQ(List.Count(), 1);
  const TSlave_wMBus s = Slave(0);
  EXPECT_EQ(s.List_Var.size(), 18u) << "the second telegram's records replace the first's";
  EXPECT_EQ(s.List_Var[2].ValueStr, "28504.99");
  EXPECT_EQ(s.RSSI, -50);
  EXPECT_DOUBLE_EQ(s.DateTime, TFixedWallClock::Moment + 0.5);

  TBytes other = first;
  other[4] = 0x79; // another identification number
  EXPECT_EQ(Decode(Telit(other)), 1);
  EXPECT_EQ(List.Count(), 2);
}

TEST_F(WirelessTelegram, ReadabilityByHeader) {
  struct TCase {
    const char* Name;
    const char* Telegram;
    bool Cripted;
    std::size_t Records;
  };
  const TCase cases[] = {
      // long header, CW 00 00: unencrypted even without the two fillers
      {"CI 72 mode 0", "1C 44 9315 78563412 33 03 72 21436587 9315 33 03 2A 00 0000 04 13 10 27 00 00", false,
       1},
      {"CI 72 mode 5 with fillers",
       "1E 44 9315 78563412 33 03 72 21436587 9315 33 03 2A 00 1025 2F2F 04 13 10 27 00 00", false, 3},
      {"CI 72 mode 5 encrypted",
       "1C 44 9315 78563412 33 03 72 21436587 9315 33 03 2A 00 1025 04 13 10 27 00 00", true, 0},
      {"CI 8C inner 78", "13 44 9315 78563412 33 03 8C 20 2A 78 04 13 10 27 00 00", false, 1},
      {"CI 8D inner 7A mode 0",
       "1D 44 9315 78563412 33 03 8D 20 2A 01020304 0506 7A 2A 00 0000 04 13 10 27 00 00", false, 1},
      {"CI 8C inner 72 mode 0",
       "1F 44 9315 78563412 33 03 8C 20 2A 72 21436587 9315 33 03 2A 00 0000 04 13 10 27 00 00", false, 1},
      {"CI 78", "10 44 9315 78563412 33 03 78 04 13 10 27 00 00", true, 0},
      {"CI 8E", "18 44 9315 78563412 33 03 8E 21436587 9315 33 03 04 13 10 27 00 00", true, 0},
      {"CI 8F", "18 44 9315 78563412 33 03 8F 21436587 9315 33 03 2F 2F 10 27 00 00", true, 0},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    List.Clear();
    const TBytes telegram = Hex(c.Telegram);
    ASSERT_EQ(telegram[0] + 1u, telegram.size());
    ASSERT_EQ(Decode(Telit(telegram)), 0);
    EXPECT_EQ(Slave(0).Cripted, c.Cripted);
    EXPECT_EQ(Slave(0).List_Var.size(), c.Records);
  }
}

TEST_F(WirelessTelegram, ApplicationAddress) {
  struct TCase {
    const char* Name;
    const char* Telegram;
    std::uint32_t Address;
    const char* Manufacturer;
  };
  const TCase cases[] = {
      {"long header", "1C 44 9315 78563412 33 03 72 21436587 4204 33 03 2A 00 0000 04 13 10 27 00 00",
       0x87654321, "ABB"},
      {"unknown CI with eight bytes after it", "12 44 9315 78563412 33 03 78 21436587 4204 33 03", 0x87654321,
       "ABB"},
      {"unknown CI with fewer", "0F 44 9315 78563412 33 03 78 2143658742", 0x12345678, "ELS"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    List.Clear();
    ASSERT_EQ(Decode(Telit(Hex(c.Telegram))), 0);
    EXPECT_EQ(static_cast<std::uint32_t>(Slave(0).ALA_Address), c.Address);
    EXPECT_EQ(Slave(0).ALA_Manu_str, c.Manufacturer);
    EXPECT_EQ(Slave(0).LLA_Address, 0x12345678);
  }
}

TEST_F(WirelessTelegram, MalformedDatagrams) {
  struct TCase {
    const char* Name;
    TBytes Datagram;
    TRadioModule Module;
    int Index; // -1: dropped
  };
  TBytes afl = Hex(telegrams::T5);
  afl[14] = 0xFF; // AFL length 255 in a 68-byte telegram
  TBytes blocks = Hex(telegrams::T4);
  blocks[16] = 0xF0; // fifteen blocks announced, two there
  TBytes longL = Hex(telegrams::T2);
  longL[0] = 0x40;
  const TCase cases[] = {
      {"empty", {}, TRadioModule::rmTelit, -1},
      {"L longer than the datagram", Telit(longL), TRadioModule::rmTelit, -1},
      {"Telit framing read as RadioCrafts", Telit(Hex(telegrams::T2)), TRadioModule::rmRadioCrafts, -1},
      {"link layer cut", Telit(Hex("09 44 9315 78563412 33 03")), TRadioModule::rmTelit, -1},
      {"AFL length 255", Telit(afl), TRadioModule::rmTelit, 0},
      {"fifteen blocks over two", Telit(blocks), TRadioModule::rmTelit, 0},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    List.Clear();
    EXPECT_EQ(Decode(c.Datagram, c.Module), c.Index);
    EXPECT_EQ(List.Count(), c.Index < 0 ? 0 : 1);
  }
}

TEST_F(WirelessTelegram, HeadersBeyondTheTelegramAreNeitherDecryptedNorParsed) {
  // A known, keyed device: its records stay while a damaged telegram arrives.
  struct TCase {
    const char* Name;
    const char* Telegram;
    const char* Key;
    std::size_t At;
    std::uint8_t Value;
  };
  const TCase cases[] = {{"mode 5 block count over the payload", telegrams::T4, telegrams::KeyT1, 16, 0xF0},
                         {"mode 7 AFL beyond the telegram", telegrams::T5, telegrams::KeyT5, 14, 0xFF},
                         {"mode 7 block count over the payload", telegrams::T5, telegrams::KeyT5, 33, 0xF0}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    List.Clear();
    ASSERT_EQ(Decode(Telit(Hex(c.Telegram))), 0);
    EnterKey(0, c.Key);
    ASSERT_EQ(Decode(Telit(Hex(c.Telegram))), 0);
    ExpectT2Records(Slave(0));
    TBytes damaged = Hex(c.Telegram);
    damaged[c.At] = c.Value;
    ASSERT_EQ(Decode(Telit(damaged, 0x10)), 0);
    ExpectT2Records(Slave(0));
    EXPECT_EQ(Slave(0).RSSI, -82);
  }
}

TEST_F(WirelessTelegram, EveryCutOfEveryTelegramStaysInsideItsBytes) {
  // Each telegram cut after every byte, its L field fitted to the cut, in both framings and for
  // a device that holds the right key; a read past the datagram fails under AddressSanitizer.
  const std::pair<const char*, const char*> vectors[] = {{telegrams::T1, telegrams::KeyT1},
                                                         {telegrams::T2, telegrams::KeyT1},
                                                         {telegrams::T3, telegrams::KeyT1},
                                                         {telegrams::T4, telegrams::KeyT1},
                                                         {telegrams::T5, telegrams::KeyT5}};
  for (const auto& [hex, key] : vectors) {
    const TBytes whole = Hex(hex);
    for (std::size_t n = 1; n <= whole.size(); ++n) {
      for (TRadioModule module : {TRadioModule::rmTelit, TRadioModule::rmRadioCrafts}) {
        List.Clear();
        ASSERT_EQ(Decode(module == TRadioModule::rmTelit ? Telit(whole) : RadioCrafts(whole), module), 0);
        EnterKey(0, key);
        TBytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(n));
        cut[0] = static_cast<std::uint8_t>(n - 1);
        const TBytes datagram = module == TRadioModule::rmTelit ? Telit(cut) : RadioCrafts(cut);
        const int index = Decode(datagram, module);
        EXPECT_EQ(index, n >= 11 ? 0 : -1) << hex << " cut at " << n;
        // The unframed cut alone must be dropped or kept inside its bytes as well.
        Decode(cut, module);
      }
    }
  }
}

TEST_F(WirelessTelegram, HexToBytes) {
  EXPECT_EQ(Hex_To_Bytes("0A1bFF"), std::optional<TBytes>(TBytes{0x0A, 0x1B, 0xFF}));
  EXPECT_EQ(Hex_To_Bytes("ABC"), std::optional<TBytes>(TBytes{0xAB, 0x0C}));
  EXPECT_EQ(Hex_To_Bytes(""), std::optional<TBytes>(TBytes{}));
  EXPECT_EQ(Hex_To_Bytes("0G"), std::nullopt);
}
