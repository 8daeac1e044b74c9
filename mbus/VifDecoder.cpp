#include "mbus/VifDecoder.h"

#include "mbus/TelegramText.h"
#include "mbus/VifTables.h"
#include "platform/Format.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <span>

namespace {

std::int64_t SignedLittleEndian(const TRecordBytes& bytes, int count) {
  std::uint64_t v = 0;
  for (int i = count - 1; i >= 0; --i)
    v = (v << 8) | bytes.Value[static_cast<std::size_t>(i)];
  const int shift = 64 - 8 * count;
  return static_cast<std::int64_t>(v << shift) >> shift;
}

float Single(const TRecordBytes& bytes) {
  std::uint32_t bits = 0;
  for (int i = 3; i >= 0; --i)
    bits = (bits << 8) | bytes.Value[static_cast<std::size_t>(i)];
  float f;
  std::memcpy(&f, &bits, sizeof f);
  return f;
}

long double RawValue(const TRecordBytes& bytes, int dataField, std::uint8_t lvar) {
  switch (dataField) {
  case 1:
    return static_cast<long double>(SignedLittleEndian(bytes, 1));
  case 2:
    return static_cast<long double>(SignedLittleEndian(bytes, 2));
  case 3:
    return static_cast<long double>(SignedLittleEndian(bytes, 3));
  case 4:
    return static_cast<long double>(SignedLittleEndian(bytes, 4));
  case 5:
    return Single(bytes);
  case 6:
    return static_cast<long double>(SignedLittleEndian(bytes, 6));
  case 7:
    return static_cast<long double>(SignedLittleEndian(bytes, 8));
  case 9:
    return static_cast<long double>(BCD_To_Int64(bytes, 1));
  case 10:
    return static_cast<long double>(BCD_To_Int64(bytes, 2));
  case 11:
    return static_cast<long double>(BCD_To_Int64(bytes, 3));
  case 12:
    return static_cast<long double>(BCD_To_Int64(bytes, 4));
  case 14:
    return static_cast<long double>(BCD_To_Int64(bytes, 6));
  case 13:
    if (lvar >= 0xC0 && lvar <= 0xC9) return static_cast<long double>(BCD_To_Int64(bytes, lvar - 0xC0));
    if (lvar >= 0xD0 && lvar <= 0xD9) return -static_cast<long double>(BCD_To_Int64(bytes, lvar - 0xD0));
    return 0;
  default:
    return 0;
  }
}

std::string DateText(const TRecordBytes& bytes, int dataField) {
  const auto b = [&](int i) { return static_cast<int>(bytes.Value[static_cast<std::size_t>(i)]); };
  const auto year = [&](int lo, int hi) { return (b(lo) >> 5) + ((b(hi) >> 1) & 0x78); };
  switch (dataField) {
  case 2: // type G
    return Two_Digits(b(0) & 0x1F) + "/" + Two_Digits(b(1) & 0x0F) + "/" + Two_Digits(year(0, 1));
  case 4: // type F
    return Two_Digits(b(2) & 0x1F) + "/" + Two_Digits(b(3) & 0x0F) + "/" + Two_Digits(year(2, 3)) + " " +
           Two_Digits(b(1) & 0x1F) + ":" + Two_Digits(b(0) & 0x3F);
  case 3: // type J
    return Two_Digits(b(2) & 0x1F) + ":" + Two_Digits(b(1) & 0x3F) + ":" + Two_Digits(b(0) & 0x3F);
  case 6: { // type I
    static const char* const Days[8] = {"",          "Monday ", "Tuesday ",  "Wednesday ",
                                        "Thursday ", "Friday ", "Saturday ", "Sunday "};
    return std::string(Days[b(2) >> 5]) + Two_Digits(b(3) & 0x1F) + "/" + Two_Digits(b(4) & 0x0F) + "/" +
           Two_Digits(year(3, 4)) + " " + Two_Digits(b(2) & 0x1F) + ":" + Two_Digits(b(1) & 0x3F) + ":" +
           Two_Digits(b(0) & 0x3F);
  }
  default:
    return {};
  }
}

// Scaled by 10^exponent; dividing for negative exponents keeps 12345 * 10^-3 at 12.345.
long double Scaled(long double value, int exponent) {
  if (exponent >= 0) return value * std::pow(10.0L, exponent);
  return value / std::pow(10.0L, -exponent);
}

} // namespace

std::int64_t Pow10(int n) {
  std::int64_t r = 1;
  for (int i = 0; i < n && i < 18; ++i)
    r *= 10;
  return r;
}

std::string Two_Digits(int number) {
  std::string s = std::to_string(number);
  return s.size() == 1 ? "0" + s : s;
}

std::int64_t BCD_To_Int64(const TRecordBytes& bytes, int n) {
  std::int64_t sum = 0;
  for (int i = 0; i < n && i < 9; ++i) {
    const std::uint8_t b = bytes.Value[static_cast<std::size_t>(i)];
    sum += (b & 0x0F) * Pow10(2 * i);
    if (i == n - 1 && (b >> 4) == 0x0F) return -sum;
    sum += (b >> 4) * Pow10(2 * i + 1);
  }
  return sum;
}

void Decode_VIF(std::uint8_t vif, std::uint8_t firstVife, TVariable_MBus& record, int nbyte,
                std::uint8_t lvar, int dataField, const TRecordBytes& bytes) {
  const long double raw = RawValue(bytes, dataField, lvar);
  int exponent = 0;
  int typeCode = -1;
  int extensionCode = 0;
  std::string description;
  std::string valueText;

  const TVifRow primary = PrimaryVifRow(vif & 0x7F, dataField);
  if (primary.HasCode) typeCode = primary.Code;
  description = primary.Text;
  exponent += primary.Exponent;
  if (primary.IsDate) valueText = DateText(bytes, dataField);
  if ((vif & 0x7F) == 0x7C) {
    // Characters only for a variable-length string; a number stays a number.
    if (dataField == 13 && lvar <= 0xBF)
      valueText =
          PrintableText(std::span(bytes.Value.data(), static_cast<std::size_t>(std::clamp(nbyte, 0, 256))));
  }

  int next = -1; // index of the first combinable VIFE
  if (vif == 0xFD || vif == 0xFB) {
    const TVifRow row = vif == 0xFD ? ExtensionFdRow(firstVife & 0x7F) : ExtensionFbRow(firstVife & 0x7F);
    description = row.Text;
    if (row.HasCode) extensionCode = row.Code;
    exponent += row.Exponent;
    if (firstVife & 0x80) next = 1;
  } else if ((vif & 0x80) && vif != 0xFE && vif != 0xFF) {
    next = 0;
  }

  for (int i = next; i >= 0 && i < 10;) {
    std::uint8_t handled = bytes.Vife[static_cast<std::size_t>(i)];
    const int e = handled & 0x7F;
    if (e == 0x7C) {
      if (i < 9) {
        ++i;
        handled = bytes.Vife[static_cast<std::size_t>(i)];
        description += SecondLevelVifeText(handled & 0x7F);
      }
    } else {
      const TVifRow row = CombinableVifeRow(e);
      description += row.Text;
      exponent += row.Exponent;
      if (row.HasCode && extensionCode == 0) extensionCode = row.Code;
      if (row.IsDate)
        valueText = dataField == 2 || dataField == 4 ? DateText(bytes, dataField) : std::string();
    }
    ++i;
    if (!(handled & 0x80)) break;
  }

  record.type_data = typeCode < 0 ? NoTypeCode : static_cast<std::uint16_t>(typeCode);
  record.Type_Data_Vife = extensionCode;
  record.Desc_Type_Data = description;
  record.ValueStr =
      !valueText.empty() ? valueText : Format("%g", {static_cast<double>(Scaled(raw, exponent))});
}
