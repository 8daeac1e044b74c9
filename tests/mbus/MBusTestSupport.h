// Helpers of the M-Bus tests: bytes from hex text, the public telegrams, a fixed clock and
// regional settings for the time of one test.
#pragma once

#include "platform/Clock.h"
#include "platform/Locale.h"
#include "platform/Streams.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

using TBytes = std::vector<std::uint8_t>;

// Hex digit pairs; blanks and line breaks between them are ignored.
inline TBytes Hex(std::string_view text) {
  TBytes out;
  int high = -1;
  for (char c : text) {
    int d;
    if (c >= '0' && c <= '9')
      d = c - '0';
    else if (c >= 'a' && c <= 'f')
      d = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
      d = c - 'A' + 10;
    else
      continue;
    if (high < 0) {
      high = d;
    } else {
      out.push_back(static_cast<std::uint8_t>(high * 16 + d));
      high = -1;
    }
  }
  return out;
}

inline TBytes BytesOf(const TMemoryStream& stream) {
  const std::string& bytes = stream.Bytes();
  return TBytes(bytes.begin(), bytes.end());
}

inline TBytes Join(TBytes a, const TBytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// A Telit datagram: the telegram, then 00 and the signal byte.
inline TBytes Telit(const TBytes& telegram, std::uint8_t signal = 0x50) {
  return Join(telegram, {0x00, signal});
}

// A RadioCrafts datagram: L counts the signal byte, which ends the datagram.
inline TBytes RadioCrafts(TBytes telegram, std::uint8_t signal = 0xB0) {
  telegram[0] = static_cast<std::uint8_t>(telegram[0] + 1);
  telegram.push_back(signal);
  return telegram;
}

// A long frame around C, A, CI, the fixed header and the records: start, L twice, checksum, stop.
inline TBytes LongFrame(std::string_view body) {
  const TBytes inner = Hex(body);
  const auto length = static_cast<std::uint8_t>(inner.size());
  TBytes frame;
  frame.reserve(inner.size() + 6);
  frame.push_back(0x68);
  frame.push_back(length);
  frame.push_back(length);
  frame.push_back(0x68);
  std::uint8_t sum = 0;
  for (std::uint8_t b : inner) {
    sum = static_cast<std::uint8_t>(sum + b);
    frame.push_back(b);
  }
  frame.push_back(sum);
  frame.push_back(0x16);
  return frame;
}

namespace telegrams {
// The public example telegrams (without block checksums) and the ones derived from them.
inline const char* const T1 =
    "2E4493157856341233037A2A0020255923C95AAA26D1B2E7493B013EC4A6F6D3529B520EDFF0EA6DEFC99D6D69EBF3";
inline const char* const T2 =
    "2E4493157856341233037A2A0000002F2F0C1427048502046D32371F1502FD1700002F2F2F2F2F2F2F2F2F2F2F2F2F";
inline const char* const T3 =
    "2E4493157856341233037A2A0020252F2F0C1427048502046D32371F1502FD1700002F2F2F2F2F2F2F2F2F2F2F2F2F";
inline const char* const T4 =
    "314493157856341233038C202A7A2A0020255923C95AAA26D1B2E7493B013EC4A6F6D3529B520EDFF0EA6DEFC99D6D69EBF3";
inline const char* const T5 =
    "434493157856341233038C2075900F002C25B30A000021924D4F2FB66E017A75002007109058475F4BC91DF8"
    "78B80A1B0F98B629024AAC727942BFC549233C0140829B93";
inline const char* const T6 =
    "68 38 38 68 08 C8 72 09 31 54 03 B4 05 B0 04 C9 10 FF FF 03 22 9A 00 00 05 2E A0 C8 51 46 05 "
    "3E B4 E3 D7 42 05 5B 90 D3 07 43 05 5F 0E AA E7 41 05 63 9C BC D5 42 04 6D 10 09 05 C5 77 16";
inline const char* const W1 = "68 1D 1D 68 08 05 72 78 56 34 12 93 15 33 03 2A 00 00 00 04 13 10 27 00 00 02 "
                              "5A 2C 01 01 FD 17 00 87 16";
inline const char* const KeyT1 = "0102030405060708090A0B0C0D0E0F11";
inline const char* const KeyT5 = "000102030405060708090A0B0C0D0E0F";
} // namespace telegrams

// A wall clock that stands still at 2026-03-14 09:26:53 for the time of a test.
class TFixedWallClock {
public:
  static constexpr double Moment = 46095.0 + (9 * 3600 + 26 * 60 + 53) / 86400.0;
  TFixedWallClock() { Fake.Local = Moment; }
  TFakeClock Fake;
  TScopedClock Scope{Fake};
};

// Regional settings for one test; the ones before apply again afterwards.
class TScopedSettings {
public:
  explicit TScopedSettings(char decimal = '.') : Previous(FormatSettings()) {
    TFormatSettings fs;
    fs.DecimalSeparator = decimal;
    fs.ThousandSeparator = decimal == ',' ? '.' : ',';
    SetFormatSettings(fs);
  }
  ~TScopedSettings() { SetFormatSettings(Previous); }
  TScopedSettings(const TScopedSettings&) = delete;
  TScopedSettings& operator=(const TScopedSettings&) = delete;

private:
  TFormatSettings Previous;
};
