#include "mbus/WirelessTelegram.h"

#include "mbus/AesCbc.h"
#include "mbus/AesCmac.h"
#include "mbus/DataRecords.h"
#include "mbus/FixedHeader.h"
#include "platform/Clock.h"

namespace {

// What the CI announces, checked against the telegram's last byte.
struct TLayout {
  bool Complete = false; // every header byte the CI announces is there
  int DataPos = -1;      // first byte of the data records
  bool Readable = false; // the data can be parsed as it stands
};

class TTelegram {
public:
  TTelegram(std::vector<std::uint8_t>& bytes, int last) : Bytes(bytes), Last(last) {}
  bool Has(int i) const { return i >= 0 && i <= Last; }
  std::uint8_t At(int i) const { return Bytes[static_cast<std::size_t>(i)]; }
  bool IsFiller(int i) const { return Has(i) && At(i) == 0x2F; }
  bool Fillers(int i) const { return IsFiller(i) && IsFiller(i + 1); }
  std::uint16_t Word(int i) const { return static_cast<std::uint16_t>(At(i) | (At(i + 1) << 8)); }
  std::int32_t Long(int i) const {
    return static_cast<std::int32_t>(At(i) | (std::uint32_t{At(i + 1)} << 8) |
                                     (std::uint32_t{At(i + 2)} << 16) | (std::uint32_t{At(i + 3)} << 24));
  }
  std::vector<std::uint8_t>& Bytes;
  const int Last;
};

// A readable short header: mode 0, or mode 5 with the two fillers that decrypted data starts with.
bool ShortHeaderReadable(const TTelegram& t, int cwHigh, int data) {
  const int mode = t.At(cwHigh) & 0x0F;
  return mode == 0 || (mode == 5 && t.Fillers(data));
}

TLayout LayoutOf(const TTelegram& t) {
  TLayout l;
  const int ci = t.At(10);
  const auto header = [&](int lastHeaderByte, int data) {
    l.Complete = t.Has(lastHeaderByte);
    l.DataPos = data;
  };
  switch (ci) {
  case 0x7A:
    header(14, 15);
    l.Readable = l.Complete && ShortHeaderReadable(t, 14, 15);
    return l;
  case 0x72:
    header(22, 23);
    // An unencrypted long header is readable too, not only data after two fillers.
    l.Readable = l.Complete && ((t.At(22) & 0x0F) == 0 || t.Fillers(23));
    return l;
  case 0x8C:
  case 0x8D: {
    const int base = ci == 0x8C ? 13 : 19; // index of the inner CI
    if (!t.Has(base)) return l;
    switch (t.At(base)) {
    case 0x78:
      header(base, base + 1);
      l.Readable = l.Complete;
      return l;
    case 0x7A:
      header(base + 4, base + 5);
      l.Readable = l.Complete && ShortHeaderReadable(t, base + 4, base + 5);
      return l;
    case 0x72:
      header(base + 12, base + 13);
      l.Readable = l.Complete && ShortHeaderReadable(t, base + 12, base + 13);
      return l;
    case 0x90:
      if (ci == 0x8D || !t.Has(14)) {
        l.Complete = ci == 0x8D;
        return l;
      }
      header(20 + t.At(14), 21 + t.At(14));
      l.Readable = l.Complete && t.Fillers(l.DataPos);
      return l;
    default:
      l.Complete = true;
      return l;
    }
  }
  default:
    l.Complete = true; // nothing more is announced; never readable
    return l;
  }
}

enum class TDecrypt { NotNeeded, Done, Incomplete, WrongKey };

TDecrypt DecryptMode5(TTelegram& t, const TSlave_wMBus& slave) {
  if (t.At(10) != 0x8C || t.At(13) != 0x7A) return TDecrypt::NotNeeded;
  if ((t.At(17) & 0x05) != 0x05 || t.IsFiller(18) || t.IsFiller(19) || !slave.Enable_Key)
    return TDecrypt::NotNeeded;
  const int start = 18, length = t.At(16) & 0xF0;
  if (!t.Has(start + length - 1) && length > 0) return TDecrypt::Incomplete;
  AesBlock iv;
  for (int i = 0; i < 8; ++i)
    iv[static_cast<std::size_t>(i)] = t.At(2 + i);
  for (int i = 8; i < 16; ++i)
    iv[static_cast<std::size_t>(i)] = t.At(14);
  TMemoryStream source, plain;
  LoadBytes(source, std::span(t.Bytes).subspan(start, static_cast<std::size_t>(length)));
  CbcDecryptStream(source, length, slave.Key, iv, plain);
  std::copy(plain.Bytes().begin(), plain.Bytes().end(), t.Bytes.begin() + start);
  return TDecrypt::Done;
}

int MacLength(int authenticationType) {
  switch (authenticationType) {
  case 3:
    return 2;
  case 4:
    return 4;
  case 5:
    return 8;
  case 6:
  case 8:
    return 12;
  case 7:
    return 16;
  default:
    return 0;
  }
}

TDecrypt DecryptMode7(TTelegram& t, const TSlave_wMBus& slave) {
  if (t.At(10) != 0x8C || t.At(13) != 0x90) return TDecrypt::NotNeeded;
  const int a = t.At(14);
  if (t.At(15 + a) != 0x7A || (t.At(19 + a) & 0x07) != 0x07 || t.IsFiller(21 + a) || t.IsFiller(22 + a) ||
      !slave.Enable_Key)
    return TDecrypt::NotNeeded;
  int p = 15;
  const auto take = [&](int count) {
    const int at = p;
    p += count;
    return t.Has(p - 1) ? at : -1;
  };
  int at = take(2);
  if (at < 0) return TDecrypt::Incomplete;
  const int fcl = t.Word(at);
  int authentication = 0;
  std::array<std::uint8_t, 4> counter{}; // none in the AFL: counted as 0
  if (fcl & 0x2000) {
    if ((at = take(1)) < 0) return TDecrypt::Incomplete;
    authentication = t.At(at) & 0x0F;
  }
  if ((fcl & 0x0200) && take(2) < 0) return TDecrypt::Incomplete;
  if (fcl & 0x0800) {
    if ((at = take(4)) < 0) return TDecrypt::Incomplete;
    for (int i = 0; i < 4; ++i)
      counter[static_cast<std::size_t>(i)] = t.At(at + i);
  }
  if ((fcl & 0x0400) && MacLength(authentication) > 0 && take(MacLength(authentication)) < 0)
    return TDecrypt::Incomplete;
  if ((fcl & 0x1000) && take(2) < 0) return TDecrypt::Incomplete;
  if ((at = take(6)) < 0) return TDecrypt::Incomplete; // transport CI, ACC, ST, CW, extension
  if (t.At(at) != 0x7A || (t.At(at + 4) & 0x1F) != 7) return TDecrypt::NotNeeded;
  const int start = p + ((t.At(at + 4) & 0x20) ? 4 : 0);
  const int length = t.At(at + 3) & 0xF0;
  if (length > 0 && !t.Has(start + length - 1)) return TDecrypt::Incomplete;
  if (t.IsFiller(start) || t.IsFiller(start + 1)) return TDecrypt::NotNeeded;

  std::array<std::uint8_t, 16> message{};
  message[0] = 0x00;
  for (int i = 0; i < 4; ++i) {
    message[static_cast<std::size_t>(1 + i)] = counter[static_cast<std::size_t>(i)];
    message[static_cast<std::size_t>(5 + i)] = t.At(4 + i);
  }
  for (int i = 9; i < 16; ++i)
    message[static_cast<std::size_t>(i)] = 0x07;
  TMemoryStream derivation;
  LoadBytes(derivation, message);
  AesBlock derived;
  CmacTag(derivation, 16, slave.Key, derived);
  TMemoryStream source, plain;
  LoadBytes(source,
            std::span(t.Bytes).subspan(static_cast<std::size_t>(start), static_cast<std::size_t>(length)));
  CbcDecryptStream(source, length, derived, AesBlock{}, plain);
  const std::string& bytes = plain.Bytes();
  if (bytes.size() < 2 || bytes[0] != '\x2F' || bytes[1] != '\x2F') return TDecrypt::WrongKey;
  std::copy(bytes.begin(), bytes.end(), t.Bytes.begin() + start);
  return TDecrypt::Done;
}

} // namespace

int Find_Wireless_Slave(const std::vector<TSlave_wMBus>& slaves, std::uint16_t manufacturer,
                        std::int32_t address, std::uint8_t version, std::uint8_t deviceType) {
  for (std::size_t i = 0; i < slaves.size(); ++i) {
    const TSlave_wMBus& s = slaves[i];
    if (s.ALA_Manufacturer == manufacturer && s.ALA_Address == address && s.ALA_Version == version &&
        s.ALA_DeviceType == deviceType)
      return static_cast<int>(i);
  }
  return -1;
}

std::optional<std::vector<std::uint8_t>> Hex_To_Bytes(std::string_view text) {
  const auto digit = [](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  };
  std::vector<std::uint8_t> out;
  for (std::size_t i = 0; i < text.size(); i += 2) {
    int value = 0;
    for (std::size_t k = i; k < i + 2 && k < text.size(); ++k) {
      const int d = digit(text[k]);
      if (d < 0) return std::nullopt;
      value = value * 16 + d;
    }
    out.push_back(static_cast<std::uint8_t>(value));
  }
  return out;
}

int Decode_Wireless_Telegram(std::span<const std::uint8_t> datagram, TRadioModule module,
                             TWirelessSlaveList& list, const TWirelessListener& listener) {
  const double now = Clock().LocalNow();
  if (datagram.empty()) return -1;
  const bool telit = module == TRadioModule::rmTelit;
  if (datagram.size() != std::size_t{datagram[0]} + (telit ? 3 : 1)) return -1;
  const int last = static_cast<int>(datagram.size()) - (telit ? 3 : 2);
  std::vector<std::uint8_t> bytes(datagram.begin(), datagram.end());
  TTelegram t(bytes, last);
  if (!t.Has(10)) return -1; // no complete link-layer address: nothing to show it under

  const std::uint16_t llaManufacturer = t.Word(2);
  const std::int32_t llaAddress = t.Long(4);
  const int ci = t.At(10);
  std::uint16_t alaManufacturer = llaManufacturer;
  std::int32_t alaAddress = llaAddress;
  std::uint8_t alaVersion = t.At(8), alaType = t.At(9);
  if ((ci == 0x72 || (ci != 0x7A && ci != 0x8C && ci != 0x8D)) && t.Has(18)) {
    alaAddress = t.Long(11);
    alaManufacturer = t.Word(15);
    alaVersion = t.At(17);
    alaType = t.At(18);
  }
  const std::uint8_t strength = datagram.back();
  const auto rssi = telit ? static_cast<std::int8_t>(-strength - 2)
                          : static_cast<std::int8_t>(static_cast<std::int8_t>(strength) / 2 + 1);

  std::optional<TSlave_wMBus> copy;
  int index = -1;
  try {
    list.Locked([&](std::vector<TSlave_wMBus>& slaves) {
      index = Find_Wireless_Slave(slaves, alaManufacturer, alaAddress, alaVersion, alaType);
      const TLayout layout = LayoutOf(t);
      bool update = true;
      if (index < 0) {
        TSlave_wMBus slave;
        slave.Message_Type = t.At(1);
        slave.ALA_Manufacturer = alaManufacturer;
        slave.ALA_Address = alaAddress;
        slave.ALA_Version = alaVersion;
        slave.ALA_DeviceType = alaType;
        slave.ALA_Manu_str = Trova_Man(alaManufacturer);
        slave.LLA_Manufacturer = llaManufacturer;
        slave.LLA_Address = llaAddress;
        slave.LLA_Version = t.At(8);
        slave.LLA_DeviceType = t.At(9);
        slave.LLA_Manu_str = Trova_Man(llaManufacturer);
        slave.RSSI = rssi;
        slave.RadioCrafts_Ind_Tab_Decript = -1;
        slaves.push_back(std::move(slave));
        index = static_cast<int>(slaves.size()) - 1;
      } else if (!layout.Complete) {
        update = false;
      } else {
        TDecrypt result = DecryptMode5(t, slaves[static_cast<std::size_t>(index)]);
        if (result == TDecrypt::NotNeeded) result = DecryptMode7(t, slaves[static_cast<std::size_t>(index)]);
        update = result == TDecrypt::NotNeeded || result == TDecrypt::Done;
      }
      TSlave_wMBus& slave = slaves[static_cast<std::size_t>(index)];
      if (update) {
        slave.Cancel_Var();
        slave.DateTime = now;
        slave.RSSI = rssi;
        // Decryption wrote the plaintext into the telegram, so the readability is judged afresh.
        const TLayout after = LayoutOf(t);
        slave.Cripted = !after.Readable;
        if (after.Readable && after.DataPos <= last)
          Decode_Records(slave.List_Var,
                         std::span(bytes).subspan(static_cast<std::size_t>(after.DataPos),
                                                  static_cast<std::size_t>(last - after.DataPos + 1)),
                         TMBusType::mtWireless, now);
      }
      copy = slave;
    });
  } catch (const EAESError&) {
    return index; // the device keeps what it had
  }
  if (listener && copy) listener(index, *copy);
  return index;
}
