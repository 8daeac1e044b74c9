#include "gateway/SaveBin.h"

#include "app/ShellTexts.h"
#include "gateway/IntegerText.h"
#include "gateway/LoRaWANRadio.h"
#include "platform/AtomicFile.h"
#include "platform/Files.h"
#include "platform/TextCodec.h"

#include <limits>
#include <optional>

namespace {

constexpr std::string_view ParGen_Name = "ParGen.xml";
constexpr std::size_t Device_Name_Chars = 31;

void PutU16(std::span<std::uint8_t> out, std::size_t at, std::uint16_t v) {
  out[at] = static_cast<std::uint8_t>(v);
  out[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

void PutU32(std::span<std::uint8_t> out, std::size_t at, std::uint32_t v) {
  out[at] = static_cast<std::uint8_t>(v);
  out[at + 1] = static_cast<std::uint8_t>(v >> 8);
  out[at + 2] = static_cast<std::uint8_t>(v >> 16);
  out[at + 3] = static_cast<std::uint8_t>(v >> 24);
}

std::string Quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

TGatewayResult NotBuilt(const std::string& why) {
  return TGatewayResult::Failure(Text_Images_Not_Built, {why});
}

// Reads the elements of ParGen.xml; the first refused value is kept and ends the reading.
class TParGenReader {
public:
  explicit TParGenReader(const TXmlNode& root) : Root(root) {}

  std::optional<std::string> Text(std::string_view name) const { return Element_Text(Root, name); }
  std::string TextOr(std::string_view name, std::string_view def) const { return Root.ChildText(name, def); }
  bool IsOne(std::string_view name) const { return Text(name) == "1"; }

  // The element as an integer in [low, high]; its default when missing or not a number.
  std::int64_t Number(std::string_view name, std::int32_t def, std::int64_t low, std::int64_t high) {
    std::optional<std::string> text = Text(name);
    if (!text) return def;
    std::optional<std::int32_t> value = TryStrToInt(*text);
    if (!value) return def;
    return Checked(name, *text, *value, low, high);
  }
  std::uint8_t Byte(std::string_view name, std::int32_t def) {
    return static_cast<std::uint8_t>(Number(name, def, 0, 255));
  }
  std::uint16_t Word(std::string_view name, std::int32_t def) {
    return static_cast<std::uint16_t>(Number(name, def, 0, 65535));
  }

  std::int64_t Checked(std::string_view name, std::string_view text, std::int64_t value, std::int64_t low,
                       std::int64_t high) {
    if (value >= low && value <= high) return value;
    Refuse(std::string(name) + " of ParGen.xml holds " + Quoted(text) + ", which must be between " +
           std::to_string(low) + " and " + std::to_string(high));
    return 0;
  }
  void Refuse(const std::string& why) {
    if (Status) Status = NotBuilt(why);
  }
  void Take(TGatewayResult result) {
    if (Status && !result) Status = std::move(result);
  }

  void Octets(std::string_view prefix, const std::array<std::int32_t, 4>& defaults,
              std::span<std::uint8_t> out) {
    std::string name(prefix);
    name += '1';
    for (std::size_t i = 0; i < 4; ++i) {
      name.back() = static_cast<char>('1' + i);
      out[i] = Byte(name, defaults[i]);
    }
  }

  TGatewayResult Status;

private:
  const TXmlNode& Root;
};

// The device name as single bytes: each character is one byte of its code, so only characters up
// to U+00FF can be stored.
void Read_Device_Name(TParGenReader& in, TBank1& bank) {
  const std::string name = in.TextOr("Eth_Conn_Device_Name", "");
  const std::u32string chars = Utf8ToUtf32(name);
  if (chars.size() > Device_Name_Chars) {
    in.Refuse("Eth_Conn_Device_Name of ParGen.xml is longer than " + std::to_string(Device_Name_Chars) +
              " characters");
    return;
  }
  for (std::size_t i = 0; i < chars.size(); ++i) {
    if (chars[i] > 0xFF) {
      in.Refuse("Eth_Conn_Device_Name of ParGen.xml holds a character that the device cannot store");
      return;
    }
    bank.Bytes[1300 + i] = static_cast<std::uint8_t>(chars[i]);
  }
}

void Read_LoRaWAN_Keys(TParGenReader& in, TBank2& b) {
  b.RF_Band = Get_LoRa_Band_Code(in.TextOr("LoRa_RF_Band", ""));
  b.Network_Type = Get_LoRa_Network_Type(in.TextOr("LoRa_Network_Type", ""));
  b.ADR = in.Byte("LoRa_Adaptive_DataRate", 0);
  if (auto text = in.Text("LoRa_DataRate"))
    b.DataRate =
        static_cast<std::uint8_t>(in.Checked("LoRa_DataRate", *text, LoRa_DataRate_Number(*text), 0, 255));
  else
    b.DataRate = 0;
  b.Confirmed = Get_LoRa_Confirmed(in.TextOr("LoRa_Transmission_Type", ""));
  b.Payload_Size = in.Byte("LoRa_Payload_Size", 1);
  in.Take(Hex_To_JoinEUI(b, in.TextOr("LoRa_JoinEUI", "")));
  b.Tx_Interval = static_cast<std::uint32_t>(
      in.Number("LoRa_Transmit_Interval", 1, 0, std::numeric_limits<std::int32_t>::max()));
  b.Activation = Get_LoRa_Activation(in.TextOr("LoRa_Activation_Method", ""));
  if (b.Activation == 0) {
    in.Take(Hex_To_DevAddr(b, in.TextOr("LoRa_Device_Address", "")));
    in.Take(Hex_To_NwkSKey(b, in.TextOr("LoRa_Network_Session_Key", "")));
    in.Take(Hex_To_AppSKey(b, in.TextOr("LoRa_Application_Session_Key", "")));
  } else {
    in.Take(Hex_To_AppKey(b, in.TextOr("LoRa_Application_Key", "")));
  }
  if (Is_FPort_Variable(in.TextOr("LoRa_FPort", ""))) b.FPort_Variable = 1;
  b.Sub_Band = in.Byte("LoRa_Frequency_SubBand", 1);
}

// One section of the rule file into its table: enabled rules only, in file order, no gaps.
// `rows(take)` hands each rule of the section to `take` in order and stops when it answers false.
template <typename TRule, typename TRows, typename TFill>
TGatewayResult Fill_Table(const TRows& rows, std::string_view section,
                          std::array<TLoRaWAN_Rule, LoRaWAN_Table_Slots>& table, std::uint16_t& count,
                          TFill fill) {
  TGatewayResult status = TGatewayResult::Success();
  std::size_t row = 0;
  rows([&](const TRule& rule) {
    ++row;
    if (!Is_LoRaWAN_Rule_Enabled(rule.Enable)) return true;
    if (count == LoRaWAN_Table_Slots) {
      status = NotBuilt(std::string(section) + " of LoRaWAN_SetAccess.xml holds more than " +
                        std::to_string(LoRaWAN_Table_Slots) + " enabled rules");
      return false;
    }
    std::string error;
    TLoRaWAN_Rule slot;
    if (!fill(rule, slot, error)) {
      status = NotBuilt(error + " in row " + std::to_string(row) + " of " + std::string(section) +
                        " of LoRaWAN_SetAccess.xml");
      return false;
    }
    table[count++] = slot;
    return true;
  });
  return status;
}

// Kept out of line: the message is built only for the one value that ends the compilation.
[[gnu::noinline]] bool RuleOutOfRange(std::string_view attribute, std::string_view text, std::int64_t high,
                                      std::string& error) {
  error = std::string(attribute) + " " + Quoted(text) + " must be between 0 and " + std::to_string(high);
  return false;
}

// A rule value as an integer in [low, high]; its default when it is no number. In line: a call
// with all these arguments costs more than reading the number.
[[gnu::always_inline]] inline bool RuleNumber(std::string_view attribute, std::string_view text,
                                              std::int32_t def, std::int64_t high, std::int64_t& value,
                                              std::string& error) {
  value = TryStrToIntInline(text).value_or(def);
  return (value >= 0 && value <= high) || RuleOutOfRange(attribute, text, high, error);
}

// SameText(text, "Y") in line, for the three flags of every uplink rule.
bool IsYes(std::string_view text) {
  return text.size() == 1 && (text[0] == 'Y' || text[0] == 'y');
}

bool Fill_Common(std::string_view startByte, std::string_view numByte, std::string_view fport,
                 bool fportVariable, TLoRaWAN_Rule& slot, std::string& error) {
  std::int64_t v = 0;
  if (!RuleNumber("StartByte", startByte, 0, 65535, v, error)) return false;
  slot.Start_Byte = static_cast<std::uint16_t>(v);
  if (!RuleNumber("NumByte", numByte, 0, 65535, v, error)) return false;
  slot.Num_Byte = static_cast<std::uint16_t>(v);
  slot.FPort = 2;
  if (fportVariable) {
    if (!RuleNumber("FPort", fport, 2, 255, v, error)) return false;
    slot.FPort = static_cast<std::uint8_t>(v);
  }
  return true;
}

} // namespace

std::string Pad_Hex_Left(std::string_view text, std::size_t width) {
  std::string out(text);
  if (out.size() < width) out.insert(0, width - out.size(), '0');
  return out;
}

TGatewayResult Hex_To_Bytes(std::string_view text, std::span<std::uint8_t> field, std::string_view element) {
  const std::size_t digits = field.size() * 2;
  const std::string padded = Pad_Hex_Left(text, digits);
  bool hex = padded.size() == digits;
  for (char c : padded)
    hex = hex && IsHexDigit(c);
  if (!hex)
    return NotBuilt(std::string(element) + " of " + std::string(ParGen_Name) + " holds " + Quoted(text) +
                    ", which must be at most " + std::to_string(digits) + " hexadecimal digits");
  // Every character is a hexadecimal digit by now.
  auto digit = [](char c) { return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10; };
  for (std::size_t k = 0; k < field.size(); ++k)
    field[k] = static_cast<std::uint8_t>(digit(padded[2 * k]) * 16 + digit(padded[2 * k + 1]));
  return TGatewayResult::Success();
}

TGatewayResult Hex_To_DevAddr(TBank2& b, std::string_view t) {
  return Hex_To_Bytes(t, b.Dev_Addr, "LoRa_Device_Address");
}
TGatewayResult Hex_To_JoinEUI(TBank2& b, std::string_view t) {
  return Hex_To_Bytes(t, b.Join_EUI, "LoRa_JoinEUI");
}
TGatewayResult Hex_To_NwkSKey(TBank2& b, std::string_view t) {
  return Hex_To_Bytes(t, b.Nwk_SKey, "LoRa_Network_Session_Key");
}
TGatewayResult Hex_To_AppSKey(TBank2& b, std::string_view t) {
  return Hex_To_Bytes(t, b.App_SKey, "LoRa_Application_Session_Key");
}
TGatewayResult Hex_To_AppKey(TBank2& b, std::string_view t) {
  return Hex_To_Bytes(t, b.App_Key, "LoRa_Application_Key");
}

void Init_Bank1(TBank1& bank) {
  bank.Bytes.fill(0);
  auto out = std::span(bank.Bytes);
  PutU32(out, 0, 250000);
  PutU32(out, 4, 250000);
  PutU32(out, 8, 0);
  PutU32(out, 12, 9600);
  constexpr std::uint8_t ip[] = {192, 168, 2, 205}, mask[] = {255, 255, 255, 0};
  for (std::size_t i = 0; i < 4; ++i) {
    out[40 + i] = ip[i];
    out[44 + i] = mask[i];
    out[48 + i] = 255;
  }
  PutU16(out, 52, 10000);
  PutU16(out, 54, 10001);
  PutU16(out, 56, 10001);
  for (std::size_t i = 436; i <= 443; ++i)
    out[i] = 8;
}

void Set_Bank1_Version(TBank1& bank) {
  constexpr std::string_view version = "1.000";
  for (std::size_t i = 0; i < 8; ++i)
    bank.Bytes[1644 + i] = i < version.size() ? version[i] : 0;
}

void Init_LoRaWAN_Bank(TBank2& bank) {
  bank = TBank2{};
}

TGatewayResult Read_ParGen_To_Banks(const TXmlNode& root, TBank1& bank1, TBank2& bank2) {
  TParGenReader in(root);
  auto out = std::span(bank1.Bytes);
  Set_Bank1_Version(bank1);
  Read_Device_Name(in, bank1);
  PutU16(out, 1256,
         static_cast<std::uint16_t>((in.IsOne("Eth_Conn_DHCP_Cable") ? 1 : 0) |
                                    (in.IsOne("Eth_Conn_DHCP_WiFi") ? 2 : 0)));
  if (in.IsOne("Eth_Conn_Enable_DNS")) {
    in.Octets("Eth_Conn_Primary_DNS", {8, 8, 8, 8}, out.subspan(1420, 4));
    in.Octets("Eth_Conn_Secondary_DNS", {8, 8, 4, 4}, out.subspan(1340, 4));
  } else {
    std::fill_n(out.begin() + 1420, 4, 0);
    std::fill_n(out.begin() + 1340, 4, 0);
  }
  Read_LoRaWAN_Keys(in, bank2);
  PutU32(out, 420, 19200);
  out[429] = 0;
  out[435] = 1;
  out[441] = 8;
  in.Octets("Ethernet_IP", {192, 168, 0, 10}, out.subspan(40, 4));
  in.Octets("Ethernet_SM", {255, 255, 255, 0}, out.subspan(44, 4));
  // Without the gateway the device is given the "no gateway" address, whatever the octets say.
  if (in.IsOne("Ethernet_EN_GAT"))
    in.Octets("Ethernet_GAT", {192, 168, 0, 1}, out.subspan(48, 4));
  else
    std::fill_n(out.begin() + 48, 4, 255);
  PutU16(out, 54, in.Word("Ethernet_TCP_Port", 10001));
  PutU16(out, 56, in.Word("Ethernet_UDP_Port", 10001));
  return in.Status;
}

namespace {

// The rule tables from copies or straight from the document alike; `upRows` and `downRows` hand
// out the rules of each section as Fill_Table asks. Without a rule file both tables stay empty.
template <class TText, class TUpRows, class TDownRows>
TGatewayResult ReadRuleTables(bool present, const TUpRows& upRows, const TDownRows& downRows,
                              std::uint32_t base, TBank2& bank) {
  bank.Uplink_Table_Addr = base + 0x400;
  bank.Downlink_Table_Addr = base + 0x1000;
  bank.Uplink_Count = 0;
  bank.Downlink_Count = 0;
  if (!present) return TGatewayResult::Success();
  const bool variable = bank.FPort_Variable == 1;
  TGatewayResult up = Fill_Table<TBasicUplinkRule<TText>>(
      upRows, "LoRaWAN_Uplink", bank.Uplink, bank.Uplink_Count,
      [&](const TBasicUplinkRule<TText>& r, TLoRaWAN_Rule& slot, std::string& error) {
        if (!Fill_Common(r.StartByte, r.NumByte, r.FPort, variable, slot, error)) return false;
        // The flags compare the text ignoring case as it stands, blanks kept.
        slot.Flags = static_cast<std::uint8_t>((IsYes(r.OnChange) ? 1 : 0) | (IsYes(r.OnCMD) ? 2 : 0) |
                                               (IsYes(r.OnTimer) ? 4 : 0));
        std::int64_t time = 0;
        if (!RuleNumber("Time", r.Time, 30, std::numeric_limits<std::int32_t>::max(), time, error))
          return false;
        slot.Time = static_cast<std::uint32_t>(time);
        return true;
      });
  if (!up) return up;
  return Fill_Table<TBasicDownlinkRule<TText>>(
      downRows, "LoRaWAN_Downlink", bank.Downlink, bank.Downlink_Count,
      [&](const TBasicDownlinkRule<TText>& r, TLoRaWAN_Rule& slot, std::string& error) {
        return Fill_Common(r.StartByte, r.NumByte, r.FPort, variable, slot, error);
      });
}

// The rules of a vector handed out one by one.
template <class TRule> auto VectorRows(const std::vector<TRule>* rules) {
  return [rules](const auto& take) {
    if (rules)
      for (const TRule& rule : *rules)
        if (!take(rule)) return;
  };
}

} // namespace

TGatewayResult Read_LoRaWAN_Rules(const TLoRaWANSetAccess* rules, std::uint32_t base, TBank2& bank) {
  return ReadRuleTables<std::string>(rules != nullptr, VectorRows(rules ? &rules->Uplink : nullptr),
                                     VectorRows(rules ? &rules->Downlink : nullptr), base, bank);
}

std::size_t Build_Bank1(TBank1& bank, std::size_t pos, std::span<std::uint8_t> buffer) {
  std::uint32_t sum = 0;
  for (std::size_t i = 0; i < Bank1_Checksum_Offset; ++i)
    sum += bank.Bytes[i];
  PutU32(bank.Bytes, Bank1_Checksum_Offset, sum);
  std::copy(bank.Bytes.begin(), bank.Bytes.end(), buffer.begin() + static_cast<std::ptrdiff_t>(pos));
  return pos + Bank1_Size;
}

std::size_t Build_Bank2(const TBank2& b, std::size_t pos, std::span<std::uint8_t> buffer) {
  auto out = buffer.subspan(pos, Bank2_Size);
  std::fill(out.begin(), out.end(), 0);
  out[0] = b.RF_Band;
  out[1] = b.Network_Type;
  out[2] = b.Activation;
  out[3] = b.DataRate;
  std::copy(b.Dev_Addr.begin(), b.Dev_Addr.end(), out.begin() + 4);
  std::copy(b.Join_EUI.begin(), b.Join_EUI.end(), out.begin() + 8);
  std::copy(b.Nwk_SKey.begin(), b.Nwk_SKey.end(), out.begin() + 16);
  std::copy(b.App_SKey.begin(), b.App_SKey.end(), out.begin() + 32);
  std::copy(b.App_Key.begin(), b.App_Key.end(), out.begin() + 48);
  out[64] = b.ADR;
  out[65] = b.Confirmed;
  out[66] = b.Payload_Size;
  out[67] = b.FPort_Variable;
  PutU32(out, 68, b.Tx_Interval);
  PutU32(out, 72, b.Uplink_Table_Addr);
  PutU32(out, 76, b.Downlink_Table_Addr);
  PutU16(out, 80, b.Uplink_Count);
  PutU16(out, 82, b.Downlink_Count);
  out[84] = b.Sub_Band;
  auto putRules = [&](const std::array<TLoRaWAN_Rule, LoRaWAN_Table_Slots>& table, std::size_t at) {
    for (const TLoRaWAN_Rule& r : table) {
      PutU16(out, at, r.Start_Byte);
      PutU16(out, at + 2, r.Num_Byte);
      out[at + 4] = r.Flags;
      out[at + 5] = r.FPort;
      PutU32(out, at + 8, r.Time);
      at += 12;
    }
  };
  putRules(b.Uplink, 1024);
  putRules(b.Downlink, 4096);
  return pos + Bank2_Size;
}

TCompileResult Compile_Bin(const std::string& parGenPath, const std::string& setAccessPath) {
  // Every way out returns this one result, so the images are built where the caller keeps them.
  TCompileResult result;
  auto fail = [&](TGatewayResult why) { static_cast<TGatewayResult&>(result) = std::move(why); };
  TBank1 bank1;
  TBank2 bank2;
  Init_Bank1(bank1);
  Init_LoRaWAN_Bank(bank2);

  TXmlFile parGen = Load_Xml_File(parGenPath);
  if (parGen.State == TXmlFileState::Unreadable) {
    fail(NotBuilt(parGen.Error));
    return result;
  }
  if (parGen.State == TXmlFileState::Loaded) {
    if (TGatewayResult read = Read_ParGen_To_Banks(parGen.Root, bank1, bank2); !read) {
      fail(std::move(read));
      return result;
    }
  }
  PutU32(bank1.Bytes, 1628, LoRaWAN_Bank_Address);

  // The rows go from the document straight into the table slots: no copy of thousands of texts
  // and no list of rules in between.
  TLoRaWANViewFile rules = Open_LoRaWAN_SetAccess(setAccessPath);
  if (rules.State == TXmlFileState::Unreadable) {
    fail(NotBuilt(rules.Error));
    return result;
  }
  TGatewayResult read = ReadRuleTables<std::string_view>(
      rules.State == TXmlFileState::Loaded,
      [&](const auto& take) {
        for (TXmlNode row = rules.Uplink.FirstChildElement(); row; row = row.NextSiblingElement())
          if (!take(Read_Uplink_Rule(row))) return;
      },
      [&](const auto& take) {
        for (TXmlNode row = rules.Downlink.FirstChildElement(); row; row = row.NextSiblingElement())
          if (!take(Read_Downlink_Rule(row))) return;
      },
      LoRaWAN_Bank_Address, bank2);
  if (!read) {
    fail(std::move(read));
    return result;
  }
  Build_Bank1(bank1, 0, result.Images.Bank1);
  Build_Bank2(bank2, 0, result.Images.Bank2);
  return result;
}

std::string Bank1_Path(const std::string& projectPath) {
  return JoinPath(JoinPath(projectPath, "bin"), "bank1.bin");
}
std::string Bank2_Path(const std::string& projectPath) {
  return JoinPath(JoinPath(projectPath, "bin"), "bank2.bin");
}

TGatewayResult Save_Bin(const std::string& projectPath, const TDeviceImages& images) {
  if (projectPath.empty()) return TGatewayResult::Failure(Text_Project_Not_Valid, {});
  const std::string folder = JoinPath(projectPath, "bin");
  if (!DirectoryExists(folder) && !ForceDirectories(folder))
    return TGatewayResult::Failure(Text_Folder_Not_Created, {Quoted(folder)});
  auto write = [](const std::string& path, std::span<const std::uint8_t> bytes) {
    TWriteResult w =
        WriteFileAtomic(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    if (!w) return TGatewayResult::Failure(Text_File_Not_Written, {Quoted(path), w.Error});
    return TGatewayResult::Success();
  };
  if (TGatewayResult r = write(Bank1_Path(projectPath), images.Bank1); !r) return r;
  return write(Bank2_Path(projectPath), images.Bank2);
}

TGatewayResult Compile_And_Save_Bin(const std::string& parGenPath, const std::string& setAccessPath,
                                    const std::string& projectPath) {
  TCompileResult compiled = Compile_Bin(parGenPath, setAccessPath);
  if (!compiled) return compiled;
  return Save_Bin(projectPath, compiled.Images);
}
