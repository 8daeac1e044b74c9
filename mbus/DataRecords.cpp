#include "mbus/DataRecords.h"

#include "mbus/TelegramText.h"
#include "mbus/VifDecoder.h"
#include "platform/DateText.h"

#include <string>

namespace {

constexpr int MaxExtensions = 10;
constexpr std::size_t MaxUnitText = 192;

struct TDataField {
  int Bytes = 0;
  std::string Text;      // DataFieldStr
  std::string Dimension; // descdim
  bool Analysable = true;
};

TDataField DescribeDataField(int dataField, std::uint8_t lvar) {
  static const int Sizes[16] = {0, 1, 2, 3, 4, 4, 6, 8, 0, 1, 2, 3, 4, 0, 6, 0};
  static const char* const Texts[16] = {"",
                                        "8 Bit Integer",
                                        "16 Bit Integer",
                                        "24 Bit Integer",
                                        "32 Bit Integer",
                                        "32 Bit Real",
                                        "48 Bit Integer",
                                        "64 Bit Integer",
                                        "",
                                        "2 Digit BCD",
                                        "4 Digit BCD",
                                        "6 Digit BCD",
                                        "8 Digit BCD",
                                        "",
                                        "12 Digit BCD",
                                        "Special Function"};
  static const char* const Dimensions[16] = {"No data",
                                             "8 Bit Integer",
                                             "16 Bit Integer",
                                             "24 Bit Integer",
                                             "32 Bit Integer",
                                             "32 Bit real",
                                             "48 Bit Integer",
                                             "64 Bit Integer",
                                             "Selection for Readout",
                                             "2 digit BCD",
                                             "4 digit BCD",
                                             "6 digit BCD",
                                             "8 digit BCD",
                                             "",
                                             "12 digit BCD",
                                             ""};
  TDataField f;
  if (dataField != 13) {
    f.Bytes = Sizes[dataField];
    f.Text = Texts[dataField];
    f.Dimension = Dimensions[dataField];
    return f;
  }
  if (lvar <= 0xBF) {
    f.Bytes = lvar;
    f.Text = "Variable Length - ASCII String with " + std::to_string(f.Bytes) + "characters";
    f.Dimension = "Variable length: ASCII string with " + std::to_string(f.Bytes) + " characters";
  } else if (lvar <= 0xCF) {
    f.Bytes = lvar - 0xC0;
    f.Text = "Variable Length - Positive BCD Number with " + std::to_string(2 * f.Bytes) + " digits";
    f.Dimension = "Variable length: Positive BCD number with " + std::to_string(f.Bytes) + " *2 digits";
  } else if (lvar <= 0xDF) {
    f.Bytes = lvar - 0xD0;
    f.Text = "Variable Length - Negative BCD Number with " + std::to_string(2 * f.Bytes) + " digits";
    f.Dimension = "Variable length: Negative BCD number with " + std::to_string(f.Bytes) + " *2 digits";
  } else if (lvar <= 0xEF) {
    f.Bytes = lvar - 0xE0;
    f.Text = "Variable Length - Binary Number with " + std::to_string(f.Bytes) + " Bytes";
    f.Dimension = "Variable length: Binary number with " + std::to_string(f.Bytes) + " bytes";
  } else if (lvar <= 0xFA) {
    f.Bytes = lvar - 0xF0;
    f.Text = "Variable Length - Floating Point Number with " + std::to_string(f.Bytes) + " Bytes";
    f.Dimension = "Variable length: Floating Point number with " + std::to_string(f.Bytes) + " bytes";
  } else {
    f.Bytes = 0;
    f.Text = "Variable Length - Reserved";
    f.Dimension = "Variable length: Reserved";
    f.Analysable = false;
  }
  return f;
}

// Reads within the region only; every step says whether its bytes were there.
class TCursor {
public:
  explicit TCursor(std::span<const std::uint8_t> region) : Region(region) {}
  bool AtEnd() const { return Pos >= Region.size(); }
  bool Next(std::uint8_t& b) {
    if (Pos >= Region.size()) return false;
    b = Region[Pos++];
    return true;
  }
  bool Take(std::size_t count, std::span<const std::uint8_t>& bytes) {
    if (count > Region.size() - Pos) return false;
    bytes = Region.subspan(Pos, count);
    Pos += count;
    return true;
  }

private:
  std::span<const std::uint8_t> Region;
  std::size_t Pos = 0;
};

// Extension bytes while the byte before has bit 7 set; false when an eleventh would follow or
// the region ends first.
bool ReadExtensions(TCursor& cursor, std::uint8_t first, std::vector<std::uint8_t>& out) {
  std::uint8_t previous = first;
  while (previous & 0x80) {
    if (out.size() == MaxExtensions) return false;
    if (!cursor.Next(previous)) return false;
    out.push_back(previous);
  }
  return true;
}

} // namespace

bool Decode_Records(std::vector<TVariable_MBus>& records, std::span<const std::uint8_t> region,
                    TMBusType type, double now) {
  const std::string date = DateToStr(now);
  const std::string time = TimeToStr(now);
  bool noFurtherFrame = true;
  TCursor cursor(region);
  while (!cursor.AtEnd()) {
    std::uint8_t dif = 0;
    cursor.Next(dif);
    const int dataField = dif & 0x0F;
    std::vector<std::uint8_t> difes, vifes;
    std::uint8_t vif = 0;
    std::span<const std::uint8_t> unit;
    const bool special = dif == 0x0F || dif == 0x1F || dif == 0x2F;
    if (!special) {
      if (!ReadExtensions(cursor, dif, difes)) return noFurtherFrame;
      if (!cursor.Next(vif)) return noFurtherFrame;
      if (vif == 0x7C || vif == 0xFC) {
        std::uint8_t length = 0;
        if (!cursor.Next(length) || length > MaxUnitText || !cursor.Take(length, unit)) return noFurtherFrame;
      }
      if (!ReadExtensions(cursor, vif, vifes)) return noFurtherFrame;
    }
    std::uint8_t lvar = 0;
    if (dataField == 13 && !cursor.Next(lvar)) return noFurtherFrame;
    const TDataField field = DescribeDataField(dataField, lvar);
    std::span<const std::uint8_t> value;
    if (!cursor.Take(static_cast<std::size_t>(field.Bytes), value)) return noFurtherFrame;
    if (dif == 0x1F) noFurtherFrame = false;

    TVariable_MBus record;
    record.Is_BCD = (dataField >= 9 && dataField <= 12) || dataField == 14;
    record.DataFieldStr = field.Text;
    record.datagiorno = date;
    record.tempo = time;
    record.Real_Wireless_Var = true;
    record.DIF = HexBytes(std::span(&dif, 1), "$");

    if (dataField == 15) {
      if (dif == 0x2F || dif >= 0x8F) {
        // Idle filler and reserved specials are skipped; a radio telegram shows its fillers hidden.
        if (dif == 0x2F && type == TMBusType::mtWireless) {
          record.Real_Wireless_Var = false;
          records.push_back(std::move(record));
        }
        continue;
      }
      return noFurtherFrame; // manufacturer data (0x0F, 0x1F) or a special function without records
    }
    if (dataField == 8) return noFurtherFrame; // selection for readout

    record.dimension = static_cast<std::uint8_t>(dataField);
    record.descdim = field.Dimension;
    record.nbyte = field.Bytes;
    if (!field.Analysable) {
      record.sterror = "Non analizabile";
      record.errata = true;
    }
    record.function_fild = static_cast<std::int16_t>((dif >> 4) & 3);
    record.storage_number = (dif >> 6) & 1;
    if (!difes.empty()) {
      std::uint32_t storage = 0, tariff = 0, subunit = 0;
      for (auto it = difes.rbegin(); it != difes.rend(); ++it) {
        storage = storage * 16 + (*it & 0x0F);
        tariff = tariff * 4 + ((*it >> 4) & 3);
        subunit = subunit * 2 + ((*it >> 6) & 1);
      }
      storage = storage * 2 + ((dif >> 6) & 1);
      record.DIFE = HexBytes(difes, "$", " ");
      record.numdife = static_cast<std::int32_t>(difes.size());
      record.storage_number = static_cast<std::int32_t>(storage);
      record.tarif = static_cast<std::int16_t>(tariff);
      record.device = static_cast<std::int16_t>(subunit);
    }
    record.VIF = vif;
    if (vif == 0x7E || vif == 0xFE) return noFurtherFrame; // any VIF: nothing this program can show

    const std::uint8_t firstVife = vifes.empty() ? 0 : vifes.front();
    if (vif == 0x7C || vif == 0xFC) {
      record.casovif = 101;
      record.VIF_ASCII = PrintableText(std::vector<std::uint8_t>(unit.rbegin(), unit.rend()));
    } else if (vif < 0x7B || (vif >= 0x80 && vif <= 0xFA)) {
      record.vifvalue = vif;
      record.casovif = 0;
    } else if (vif == 0xFB) {
      record.casovif = 2;
      record.vifvalue = firstVife;
    } else if (vif == 0xFD) {
      record.casovif = 1;
      record.vifvalue = firstVife;
    } else if (vif == 0x7F || vif == 0xFF) {
      record.casovif = 100;
    }
    record.PrinVIFE = firstVife;
    record.VIFE = HexBytes(vifes, "$", " ");
    record.totdati = HexBytes(value);
    std::uint32_t a = 0, b = 0;
    for (std::size_t i = 0; i < value.size() && i < 8; ++i) {
      if (i < 4)
        a |= std::uint32_t{value[i]} << (8 * i);
      else
        b |= std::uint32_t{value[i]} << (8 * (i - 4));
    }
    record.dato_A = static_cast<std::int32_t>(a);
    record.dato_B = static_cast<std::int32_t>(b);

    TRecordBytes bytes;
    std::copy(value.begin(), value.end(), bytes.Value.begin());
    std::copy(vifes.begin(), vifes.end(), bytes.Vife.begin());
    Decode_VIF(vif, firstVife, record, field.Bytes, lvar, dataField, bytes);
    static const char* const Functions[4] = {"Istantaneous value", "Maximum value", "Minimum value",
                                             "Value during error state"};
    record.FunctionFieldStr = Functions[record.function_fild];
    records.push_back(std::move(record));
  }
  return noFurtherFrame;
}
