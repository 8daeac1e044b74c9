#include "app/Validators.h"

#include "platform/Locale.h"
#include "platform/SysUtils.h"

#include <array>
#include <charconv>
#include <cmath>
#include <optional>

namespace {

// A whole number in plain decimal digits; signs, hexadecimal and blanks are not numbers here.
std::optional<std::uint64_t> WholeNumber(std::string_view text) {
  if (text.empty()) return std::nullopt;
  std::uint64_t value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

bool InRange(std::string_view text, std::uint64_t low, std::uint64_t high) {
  auto value = WholeNumber(text);
  return value && *value >= low && *value <= high;
}

// Cuts `rest` at its first `separator`: returns the part before it and leaves what follows it in
// `rest`. Without a separator the answer is empty and `rest` stays as it was.
std::optional<std::string_view> CutAt(std::string_view& rest, char separator) {
  std::size_t at = rest.find(separator);
  if (at == std::string_view::npos) return std::nullopt;
  std::string_view part = rest.substr(0, at);
  rest.remove_prefix(at + 1);
  return part;
}

} // namespace

bool Split_IP_Address(std::string_view Text, std::string& A, std::string& B, std::string& C, std::string& D) {
  A.clear();
  B.clear();
  C.clear();
  D.clear();
  std::string_view rest = Trim(Text);
  std::array<std::string*, 3> leading{&A, &B, &C};
  for (std::string* part : leading) {
    auto cut = CutAt(rest, '.');
    if (!cut) return false;
    *part = std::string(Trim(*cut));
  }
  D = std::string(Trim(rest));
  return InRange(A, 0, 255) && InRange(B, 0, 255) && InRange(C, 0, 255) && InRange(D, 0, 255);
}

bool IP_Text_To_Bytes(std::string_view Text, std::uint8_t& B1, std::uint8_t& B2, std::uint8_t& B3,
                      std::uint8_t& B4) {
  if (Text.empty()) return true;
  std::array<std::uint8_t*, 4> bytes{&B1, &B2, &B3, &B4};
  std::string_view rest = Text;
  bool error = false;
  for (std::size_t step = 0; step < bytes.size(); ++step) {
    std::string_view part;
    if (step < 3) {
      std::size_t at = rest.find('.');
      part = at == std::string_view::npos ? std::string_view() : rest.substr(0, at);
    } else {
      part = rest;
    }
    auto value = WholeNumber(part);
    if (value && *value <= 255) {
      *bytes[step] = static_cast<std::uint8_t>(*value);
    } else {
      *bytes[step] = 0;
      error = true;
    }
    std::size_t at = rest.find('.');
    rest = at == std::string_view::npos ? std::string_view() : rest.substr(at + 1);
  }
  return error;
}

bool Split_IP_Port(std::string_view Text, std::uint8_t& B1, std::uint8_t& B2, std::uint8_t& B3,
                   std::uint8_t& B4, std::uint16_t& Port) {
  B1 = B2 = B3 = B4 = 0;
  Port = 0;
  std::string_view rest = Text;
  std::array<std::uint64_t, 4> parts{};
  for (std::size_t i = 0; i < parts.size(); ++i) {
    auto cut = CutAt(rest, i < 3 ? '.' : ':');
    if (!cut) return false;
    auto value = WholeNumber(Trim(*cut));
    if (!value || *value > 255) return false;
    parts[i] = *value;
  }
  auto port = WholeNumber(Trim(rest));
  if (!port || *port > 65535) return false;
  B1 = static_cast<std::uint8_t>(parts[0]);
  B2 = static_cast<std::uint8_t>(parts[1]);
  B3 = static_cast<std::uint8_t>(parts[2]);
  B4 = static_cast<std::uint8_t>(parts[3]);
  Port = static_cast<std::uint16_t>(*port);
  return true;
}

int Check_KNX_Address(std::string_view Text, bool IsGroup, bool AllowZero) {
  constexpr int valid = 0, invalid = 1;
  const char separator = IsGroup ? '/' : '.';
  const char foreign = IsGroup ? '.' : '/';
  if (Text.find(foreign) != std::string_view::npos) return invalid;
  if (Text.find(separator) == std::string_view::npos) return InRange(Trim(Text), 1, 65535) ? valid : invalid;

  std::string_view rest = Text;
  std::string_view first = Trim(*CutAt(rest, separator));
  auto second = CutAt(rest, separator);
  if (!second) {
    // Only a group address has a two-level form; an individual one needs area, line and device.
    if (!IsGroup) return invalid;
    auto main = WholeNumber(first), sub = WholeNumber(Trim(rest));
    if (!main || !sub || *main > 31 || *sub > 2047) return invalid;
    return *main == 0 && *sub == 0 ? invalid : valid;
  }
  std::string_view third = Trim(rest);
  if (third.find(separator) != std::string_view::npos) return invalid; // a fourth part
  auto a = WholeNumber(first), b = WholeNumber(Trim(*second)), c = WholeNumber(third);
  if (!a || !b || !c) return invalid;
  const bool allZero = *a == 0 && *b == 0 && *c == 0;
  if (IsGroup) return *a <= 31 && *b <= 7 && *c <= 255 && !allZero ? valid : invalid;
  return *a <= 15 && *b <= 15 && *c <= 255 && (AllowZero || !allZero) ? valid : invalid;
}

bool Is_KNX_Group_Address(std::string_view Text) {
  return Text.find('.') == std::string_view::npos;
}

char Get_Decimal_Separator() {
  char separator = FormatSettings().DecimalSeparator;
  return separator == '.' || separator == ',' ? separator : ',';
}

bool Str_To_Float_Sep(std::string_view Text, char Separator, float& Value) {
  Value = 1.0f;
  // After the swap the text uses `decimal` as its separator, so it is read under that one; callers
  // pass the user's separator, which is also the program's.
  const char decimal = Separator == '.' ? '.' : ',';
  const char other = decimal == '.' ? ',' : '.';
  std::string_view text = Trim(Text);

  // Rebuilt in the neutral form that from_chars reads: [sign] digits [. digits] [e [sign] digits].
  std::string plain;
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    if (text[i] == '-') plain += '-';
    ++i;
  }
  std::size_t digits = 0;
  auto takeDigits = [&] {
    std::size_t count = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
      plain += text[i++];
      ++count;
    }
    return count;
  };
  digits += takeDigits();
  if (i < text.size() && (text[i] == decimal || text[i] == other)) {
    plain += '.';
    ++i;
    digits += takeDigits();
  }
  if (digits == 0) return false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    plain += 'e';
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) plain += text[i++];
    if (takeDigits() == 0) return false;
  }
  if (i != text.size()) return false;

  double number = 0;
  auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), number);
  // Beyond what a double holds either way is beyond what a single holds.
  if (error != std::errc() || end != plain.data() + plain.size()) return false;
  const float single = static_cast<float>(number);
  if (!std::isfinite(single)) return false;
  Value = single;
  return true;
}

int Check_SNMP_OID(std::string_view OID) {
  if (OID.size() > 128) return oidTooLong;
  // An empty identifier names nothing; it fails as a text without digits.
  if (OID.empty()) return oidBadChar;
  for (char c : OID)
    if (c != '.' && (c < '0' || c > '9')) return oidBadChar;
  if (OID.front() == '.') return oidLeadingDot;
  if (OID.back() == '.') return oidTrailingDot;
  if (OID.find("..") != std::string_view::npos) return oidDoubleDot;
  std::string_view rest = OID;
  while (!rest.empty()) {
    std::size_t at = rest.find('.');
    std::string_view arc = rest.substr(0, at);
    // More than ten digits never fits 32 bits, however the 64-bit reading would end.
    if (arc.size() > 10) return oidArcTooLarge;
    auto value = WholeNumber(arc);
    if (!value || *value > 4294967295ULL) return oidArcTooLarge;
    rest = at == std::string_view::npos ? std::string_view() : rest.substr(at + 1);
  }
  return 0;
}

int SNMP_Security_Level(std::string_view Text) {
  const std::string_view level = Trim(Text);
  if (level.empty()) return -1;
  if (SameText(level, "AUTH NOPRIV")) return 1;
  if (SameText(level, "AUTH PRIV")) return 3;
  return 0;
}
