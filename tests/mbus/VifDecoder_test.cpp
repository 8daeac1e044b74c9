#include "mbus/DataRecords.h"
#include "mbus/VifDecoder.h"
#include "mbus/VifTables.h"

#include "MBusTestSupport.h"

#include <gtest/gtest.h>

namespace {

TVariable_MBus Record(std::string_view hex) {
  std::vector<TVariable_MBus> records;
  const TBytes region = Hex(hex);
  Decode_Records(records, region, TMBusType::mtWired, 0);
  EXPECT_EQ(records.size(), 1u) << hex;
  return records.empty() ? TVariable_MBus{} : records[0];
}

} // namespace

TEST(VifDecoder, MeaningScaleAndValueText) {
  TScopedSettings settings(',');
  struct TCase {
    const char* Record;
    const char* Description;
    int Type;
    int Extension;
    const char* Value;
  };
  const TCase cases[] = {
      {"04 04 D2 04 00 00", "Energy Wh", 0, 0, "12340"},
      {"04 00 39 30 00 00", "Energy Wh", 0, 0, "12,345"},
      {"04 13 10 27 00 00", "Volume m3", 2, 0, "10"},
      {"02 FD 48 FD 08", "Electric Units Volts", 19, 38, "230,1"},
      {"04 93 3B 10 27 00 00",
       "Volume m3 - Accumulation Only if Positive Contributions (Forward Flow Contribution)", 2, 95, "10"},
      {"01 FB 81 22 07", "Energy MWh - Per Hour", 19, 51, "7"},
      {"04 6D 1E 0C E9 2A", "Time Point Date and Time (Type F)", 20, 0, "09/10/23 12:30"},
      {"05 5B 00 00 C0 3F", "Flow Temperature °C", 12, 0, "1,5"},
      {"0B 78 12 34 F5", "Fabrication No", 23, 0, "-53412"},
      {"04 93 08 10 27 00 00", "Volume m3 - Reserved", 2, 0, "10"},
      {"02 6C 21 0C", "Time Point Date (Type G)", 20, 0, "01/12/01"},
      {"03 6D 1E 0C 0A", "Time Point Extended Time Point (Type J)", 20, 0, "10:12:30"},
      {"06 6D 1E 0C 2A 09 1A 00", "Time Point Extended Date and Time Point (Type I)", 20, 0,
       "Monday 09/10/08 10:12:30"},
      {"01 6D 05", "", 20, 0, "5"},
      {"02 93 42 21 0C", "Volume m3 - Date(/Time) of Begin of First Lower Limit Exceed", 2, 99, "01/12/01"},
      {"01 93 42 05", "Volume m3 - Date(/Time) of Begin of First Lower Limit Exceed", 2, 99, "0,005"},
      {"02 FD C8 FC 01 FD 08", "Electric Units Volts - At Phase L1", 19, 38, "230,1"},
      {"04 93 7D 10 27 00 00", "Volume m3 - Multiplicative Cerrection Factor: 10^(3)", 2, 105, "10000"},
      {"04 93 F0 70 10 27 00 00",
       "Volume m3 - Moltiplicative Correction Factor: 10^(-6) - Moltiplicative Correction Factor: 10^(-6)", 2,
       103, "1E-11"},
      {"02 FD 23 05 00", "Reserved", 19, 0, "5"},
      {"02 FD F6 22 05 00", "Reserved - Per Hour", 19, 72, "5"},
      {"02 FD 97 00 05 00", "Error Flag (Binary) - None", 19, 18, "5"},
      {"01 FF 22 05", "Manufacturer Specific", NoTypeCode, 0, "5"},
      {"01 6F 05", "", NoTypeCode, 0, "5"},
      {"0D 13 C3 21 43 65", "Volume m3", 2, 0, "654,321"},
      {"0D 13 D2 21 43", "Volume m3", 2, 0, "-4,321"},
      {"0D 13 E2 21 43", "Volume m3", 2, 0, "0"},
      {"07 78 FF FF FF FF FF FF FF FF", "Fabrication No", 23, 0, "-1"},
      {"03 78 FF FF 7F", "Fabrication No", 23, 0, "8388607"},
      {"06 78 00 00 00 00 00 80", "Fabrication No", 23, 0, "-140737488355328"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Record);
    const TVariable_MBus r = Record(c.Record);
    EXPECT_EQ(r.Desc_Type_Data, c.Description);
    EXPECT_EQ(r.type_data, c.Type);
    EXPECT_EQ(r.Type_Data_Vife, c.Extension);
    EXPECT_EQ(r.ValueStr, c.Value);
  }
}

TEST(VifDecoder, PlainTextVifKeepsNumbersAndPrintableStrings) {
  struct TCase {
    const char* Record;
    const char* Value;
  };
  const TCase cases[] = {
      {"01 7C 01 41 05", "5"},            // a number stays a number, not the character 0x05
      {"02 FC 01 41 00 34 12", "4660"},   // also after the VIFEs of 0xFC
      {"0D 7C 01 41 03 41 42 43", "ABC"}, // a string: its characters in received order
      {"0D 7C 01 41 03 41 01 43", "A?C"}, // control characters never reach the views
      {"0D 7C 01 41 02 E9 7F", "é?"},     // Latin-1 letters stay, DEL does not
      {"0D 7C 01 41 C2 21 43", "4321"},   // a BCD variable length is a number
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Record);
    const TVariable_MBus r = Record(c.Record);
    EXPECT_EQ(r.Desc_Type_Data.rfind("Vif in following String", 0), 0u);
    EXPECT_EQ(r.type_data, 21);
    EXPECT_EQ(r.ValueStr, c.Value);
  }
}

TEST(VifDecoder, ExtensionTableRows) {
  struct TCase {
    int Table; // 0xFD or 0xFB
    int E;
    const char* Text;
    int Code;
  };
  const TCase cases[] = {
      {0xFD, 0x00, "Credit of (currency units)", 1},
      {0xFD, 0x10, "Customer LOcation", 11},
      {0xFD, 0x1D, "Responce Delay Time [Bit-Times]", 23},
      {0xFD, 0x19, "Security Key", 126},
      {0xFD, 0x27, "Storage Interval Day(s)", 28},
      {0xFD, 0x31, "Duration of Tariff Minute(s)", 33},
      {0xFD, 0x33, "Duration of Tariff Day(s)", 33},
      {0xFD, 0x3F, "Period of Nominal Data Transmissions Day(s)", 131},
      {0xFD, 0x5F, "Electric Units A", 39},
      {0xFD, 0x6B, "Duration Since Last Cumulation Year(s)", 48},
      {0xFD, 0x6C, "Operating Time Battery Hour(s)", 49},
      {0xFD, 0x75, "Number Times the Meter Was Stopped", 136},
      {0xFD, 0x7F, "Reserved", 0},
      {0xFB, 0x21, "Volume 0,1 Feet 3", 55},
      {0xFB, 0x0E, "Energy MCal", 139},
      {0xFB, 0x7F, "Cum. Max. of Active Power W", 69},
      {0xFB, 0x74, "Cold / Warm Temperature Limit °C", 68},
      {0xFB, 0x40, "Reserved", 0},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.E);
    const TBytes region = {0x01, static_cast<std::uint8_t>(c.Table), static_cast<std::uint8_t>(c.E), 0x01};
    std::vector<TVariable_MBus> records;
    Decode_Records(records, region, TMBusType::mtWired, 0);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].Desc_Type_Data, c.Text);
    EXPECT_EQ(records[0].Type_Data_Vife, c.Code);
  }
}

TEST(VifDecoder, BcdPowersAndTwoDigits) {
  TRecordBytes bytes;
  bytes.Value[0] = 0x12;
  bytes.Value[1] = 0x34;
  bytes.Value[2] = 0xF5;
  EXPECT_EQ(BCD_To_Int64(bytes, 3), -53412);
  EXPECT_EQ(BCD_To_Int64(bytes, 2), 3412);
  bytes.Value[0] = 0xAB; // nibbles above 9 are taken as they are
  EXPECT_EQ(BCD_To_Int64(bytes, 1), 10 * 10 + 11);
  EXPECT_EQ(Pow10(0), 1);
  EXPECT_EQ(Pow10(18), 1000000000000000000);
  EXPECT_EQ(Two_Digits(7), "07");
  EXPECT_EQ(Two_Digits(123), "123");
}
