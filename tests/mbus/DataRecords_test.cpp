#include "mbus/DataRecords.h"

#include "MBusTestSupport.h"

#include <gtest/gtest.h>

namespace {

struct TWalk {
  std::vector<TVariable_MBus> Records;
  bool NoFurtherFrame = true;
};

TWalk Walk(std::string_view hex, TMBusType type = TMBusType::mtWired) {
  TWalk w;
  const TBytes region = Hex(hex);
  w.NoFurtherFrame = Decode_Records(w.Records, region, type, TFixedWallClock::Moment);
  return w;
}

} // namespace

TEST(DataRecords, FillersAreHiddenRecordsOnlyOnTheRadio) {
  struct TCase {
    TMBusType Type;
    std::size_t Records;
  };
  for (const TCase& c : {TCase{TMBusType::mtWired, 0}, TCase{TMBusType::mtWireless, 3}}) {
    const TWalk w = Walk("2F 2F 2F", c.Type);
    ASSERT_EQ(w.Records.size(), c.Records);
    for (const TVariable_MBus& r : w.Records) {
      EXPECT_FALSE(r.Real_Wireless_Var);
      EXPECT_FALSE(r.errata);
      EXPECT_EQ(r.DIF, "$2F");
    }
    EXPECT_TRUE(w.NoFurtherFrame);
  }
}

TEST(DataRecords, ManufacturerDataEndsTheWalkAndMayAnnounceAFrame) {
  struct TCase {
    const char* Region;
    bool NoFurtherFrame;
  };
  // Two records, then manufacturer data (0x1F: more frames follow) that would read as a third.
  for (const TCase& c : {TCase{"01 FD 17 05  02 5A 2C 01  1F 04 13 10 27 00 00", false},
                         TCase{"01 FD 17 05  02 5A 2C 01  0F 04 13 10 27 00 00", true}}) {
    const TWalk w = Walk(c.Region);
    EXPECT_EQ(w.Records.size(), 2u) << c.Region;
    EXPECT_EQ(w.NoFurtherFrame, c.NoFurtherFrame) << c.Region;
  }
}

TEST(DataRecords, OneRecordWithAllItsFields) {
  TFixedWallClock clock;
  TScopedSettings settings;
  const TWalk w = Walk("04 13 10 27 00 00");
  ASSERT_EQ(w.Records.size(), 1u);
  const TVariable_MBus& r = w.Records[0];
  EXPECT_EQ(r.dimension, 4);
  EXPECT_EQ(r.nbyte, 4);
  EXPECT_EQ(r.descdim, "32 Bit Integer");
  EXPECT_EQ(r.DataFieldStr, "32 Bit Integer");
  EXPECT_EQ(r.dato_A, 10000);
  EXPECT_EQ(r.storage_number, 0);
  EXPECT_EQ(r.DIF, "$04");
  EXPECT_EQ(r.VIF, 0x13);
  EXPECT_EQ(r.vifvalue, 0x13);
  EXPECT_EQ(r.casovif, 0);
  EXPECT_EQ(r.totdati, "10270000");
  EXPECT_EQ(r.FunctionFieldStr, "Istantaneous value");
  EXPECT_EQ(r.Desc_Type_Data, "Volume m3");
  EXPECT_EQ(r.ValueStr, "10");
  EXPECT_EQ(r.datagiorno, "14/03/2026");
  EXPECT_EQ(r.tempo, "09:26:53");
  EXPECT_TRUE(r.Real_Wireless_Var);
}

TEST(DataRecords, HeaderFieldsOfSingleRecords) {
  struct TCase {
    const char* Region;
    int Device, Tariff;
    std::int64_t Storage;
    int Difes;
    const char* Dife;
    int Casovif, Vifvalue;
    const char* Vife;
    int Bytes;
    const char* Descdim;
  };
  const TCase cases[] = {
      // storage bit and 6-digit BCD, DIFE with subunit 1 and tariff 2
      {"CB 60 13 56 34 12", 1, 2, 1, 1, "$60 ", 0, 0x13, "", 3, "6 digit BCD"},
      // two DIFEs: storage 0x21 * 2 + 1, tariff (1 * 4 + 2), subunit (0 * 2 + 1)
      {"C4 E1 12 13 10 27 00 00", 1, 6, 0x43, 2, "$E1 $12 ", 0, 0x13, "", 4, "32 Bit Integer"},
      {"01 FD 0E 07", 0, 0, 0, 0, "", 1, 14, "$0E ", 1, "8 Bit Integer"},
      {"01 FB 81 22 07", 0, 0, 0, 0, "", 2, 0x81, "$81 $22 ", 1, "8 Bit Integer"},
      {"0D 13 C3 21 43 65", 0, 0, 0, 0, "", 0, 0x13, "", 3,
       "Variable length: Positive BCD number with 3 *2 digits"},
      {"01 FF 07 05", 0, 0, 0, 0, "", 100, -1, "$07 ", 1, "8 Bit Integer"},
      {"01 7B 07", 0, 0, 0, 0, "", 0, -1, "", 1, "8 Bit Integer"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Region);
    const TWalk w = Walk(c.Region);
    ASSERT_EQ(w.Records.size(), 1u);
    const TVariable_MBus& r = w.Records[0];
    EXPECT_EQ(r.device, c.Device);
    EXPECT_EQ(r.tarif, c.Tariff);
    EXPECT_EQ(r.storage_number, c.Storage);
    EXPECT_EQ(r.numdife, c.Difes);
    EXPECT_EQ(r.DIFE, c.Dife);
    EXPECT_EQ(r.casovif, c.Casovif);
    EXPECT_EQ(r.vifvalue, c.Vifvalue);
    EXPECT_EQ(r.VIFE, c.Vife);
    EXPECT_EQ(r.nbyte, c.Bytes);
    EXPECT_EQ(r.descdim, c.Descdim);
  }
}

TEST(DataRecords, VariableLengthTexts) {
  struct TCase {
    const char* Region;
    const char* DataField;
    const char* Descdim;
    bool Errata;
  };
  const TCase cases[] = {
      {"0D 13 C3 21 43 65", "Variable Length - Positive BCD Number with 6 digits",
       "Variable length: Positive BCD number with 3 *2 digits", false},
      {"0D FD 11 02 41 42", "Variable Length - ASCII String with 2characters",
       "Variable length: ASCII string with 2 characters", false},
      {"0D 13 D1 05", "Variable Length - Negative BCD Number with 2 digits",
       "Variable length: Negative BCD number with 1 *2 digits", false},
      {"0D 13 E2 01 02", "Variable Length - Binary Number with 2 Bytes",
       "Variable length: Binary number with 2 bytes", false},
      {"0D 13 F4 00 00 C0 3F", "Variable Length - Floating Point Number with 4 Bytes",
       "Variable length: Floating Point number with 4 bytes", false},
      {"0D 13 FB", "Variable Length - Reserved", "Variable length: Reserved", true},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Region);
    const TWalk w = Walk(c.Region);
    ASSERT_EQ(w.Records.size(), 1u);
    EXPECT_EQ(w.Records[0].DataFieldStr, c.DataField);
    EXPECT_EQ(w.Records[0].descdim, c.Descdim);
    EXPECT_EQ(w.Records[0].errata, c.Errata);
    if (c.Errata) {
      EXPECT_EQ(w.Records[0].sterror, "Non analizabile");
    }
  }
}

TEST(DataRecords, EntriesThatEndTheWalkKeepTheRecordsBefore) {
  struct TCase {
    const char* Name;
    const char* Region;
    std::size_t Records;
  };
  const TCase cases[] = {
      {"selection for readout", "01 FD 17 05  08 13", 1},
      {"special function 0x3F", "01 FD 17 05  3F 13 01 02", 1},
      {"any VIF", "01 FD 17 05  01 7E 05  01 13 05", 1},
      {"reserved special 0x8F is skipped", "01 FD 17 05  8F 00 13  01 13 05", 2},
      // Faults of the bytes themselves: nothing is read past the region.
      {"value cut by the region's end", "01 FD 17 05  04 13 10 27 00", 1},
      {"VIF missing", "01 FD 17 05  04", 1},
      {"DIFE chain cut", "01 FD 17 05  84 80", 1},
      {"VIFE chain cut", "01 FD 17 05  04 93 80", 1},
      {"LVAR missing", "01 FD 17 05  0D 13", 1},
      {"string longer than the region", "01 FD 17 05  0D 13 05 41 42", 1},
      {"unit text cut", "01 FD 17 05  01 7C 05 41 42", 1},
      {"eleventh DIFE", "01 FD 17 05  81 80 80 80 80 80 80 80 80 80 80 00 13 05", 1},
      {"eleventh VIFE", "01 FD 17 05  01 93 80 80 80 80 80 80 80 80 80 80 00 05", 1},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    // The walk sees only its region, so a read beyond it would be a read past the vector.
    EXPECT_EQ(Walk(c.Region).Records.size(), c.Records);
  }
}

TEST(DataRecords, TenExtensionsFitAndLongUnitTextsDoNot) {
  // Ten DIFEs and ten VIFEs are the most a record holds.
  const TWalk ten = Walk("81 80 80 80 80 80 80 80 80 80 00 93 80 80 80 80 80 80 80 80 00 05");
  ASSERT_EQ(ten.Records.size(), 1u);
  EXPECT_EQ(ten.Records[0].numdife, 10);

  std::string unit(192 * 2, 'A'); // "AA" x 192: 0xAA
  std::string tooLong(193 * 2, 'A');
  const TWalk fits = Walk("01 7C C0 " + unit + " 05");
  ASSERT_EQ(fits.Records.size(), 1u);
  EXPECT_EQ(fits.Records[0].casovif, 101);
  EXPECT_EQ(Walk("01 7C C1 " + tooLong + " 05").Records.size(), 0u);
}

TEST(DataRecords, UnitTextIsReversedAndPrintable) {
  const TWalk w = Walk("01 FC 04 74 69 6D 07 00 05");
  ASSERT_EQ(w.Records.size(), 1u);
  EXPECT_EQ(w.Records[0].casovif, 101);
  EXPECT_EQ(w.Records[0].VIF_ASCII, "?mit");
}
