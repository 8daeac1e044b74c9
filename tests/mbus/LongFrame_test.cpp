#include "mbus/FixedHeader.h"
#include "mbus/LongFrame.h"

#include "MBusTestSupport.h"

#include <gtest/gtest.h>

namespace {

struct TExpectedRecord {
  const char* Description;
  const char* Value;
};

struct TFrameCase {
  const char* Name;
  const char* Frame;
  int Primary;
  const char* Secondary;
  const char* Manufacturer;
  int Version;
  const char* Medium;
  int Status;
  std::vector<TExpectedRecord> Records;
  std::vector<int> DataFields;
};

} // namespace

TEST(LongFrame, PublicAndDerivedFrames) {
  TScopedSettings settings;
  const TFrameCase cases[] = {
      {"T6",
       telegrams::T6,
       200,
       "3543109",
       "AMT",
       176,
       "Heat (outlet)",
       0x10,
       {{"On Time Hours", "154"},
        {"Power W", "13426156.25"},
        {"Volume Flow m3/h", "107.944732666016"},
        {"Flow Temperature °C", "135.826416015625"},
        {"Return Temperature °C", "28.9580345153809"},
        {"Temperature Difference K", "106.868377685547"},
        {"Time Point Date and Time (Type F)", "05/05/96 09:16"}},
       {3, 5, 5, 5, 5, 5, 4}},
      {"W1",
       telegrams::W1,
       5,
       "12345678",
       "ELS",
       0x33,
       "Gas",
       0,
       {{"Volume m3", "10"}, {"Flow Temperature °C", "30"}, {"Error Flag (Binary)", "0"}},
       {4, 2, 1}},
  };
  for (const TFrameCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TWiredSlaveList list;
    bool noFurtherFrame = false;
    ASSERT_EQ(Add_Wired_Slave(Hex(c.Frame), -1, list, noFurtherFrame), 0);
    EXPECT_TRUE(noFurtherFrame);
    const TSlave_MBus slave = *list.SnapshotAt(0);
    EXPECT_EQ(slave.Primary_Addresss, c.Primary);
    EXPECT_EQ(slave.Secondary_Addresss, c.Secondary);
    EXPECT_EQ(slave.descManufacture, c.Manufacturer);
    EXPECT_EQ(slave.Version, c.Version);
    EXPECT_EQ(slave.descmedium, c.Medium);
    EXPECT_EQ(slave.Status, c.Status);
    ASSERT_EQ(slave.List_Var.size(), c.Records.size());
    for (std::size_t i = 0; i < c.Records.size(); ++i) {
      EXPECT_EQ(slave.List_Var[i].Desc_Type_Data, c.Records[i].Description) << i;
      EXPECT_EQ(slave.List_Var[i].ValueStr, c.Records[i].Value) << i;
      EXPECT_EQ(slave.List_Var[i].dimension, c.DataFields[i]) << i;
    }
  }
}

TEST(LongFrame, IdentificationIsTheHexTextOfItsDigits) {
  struct TCase {
    const char* Id;
    const char* Text;
  };
  for (const TCase& c :
       {TCase{"34 12 00 00", "1234"}, TCase{"78 56 34 12", "12345678"}, TCase{"05 00 00 00", "05"}}) {
    TWiredSlaveList list;
    bool noFurtherFrame;
    const TBytes frame = LongFrame(std::string("08 01 72 ") + c.Id + " 93 15 33 03 2A 00 00 00 01 FD 17 00");
    ASSERT_EQ(Add_Wired_Slave(frame, -1, list, noFurtherFrame), 0);
    EXPECT_EQ(list.SnapshotAt(0)->Secondary_Addresss, c.Text);
  }
}

TEST(LongFrame, FurtherFramesAddToTheSameSlave) {
  TWiredSlaveList list;
  bool noFurtherFrame = true;
  const TBytes first = LongFrame("08 01 72 78 56 34 12 93 15 33 03 2A 00 00 00 04 13 10 27 00 00 1F");
  const TBytes second = LongFrame("08 01 72 78 56 34 12 93 15 33 03 2B 00 00 00 01 FD 17 00");
  const int index = Add_Wired_Slave(first, -1, list, noFurtherFrame);
  ASSERT_EQ(index, 0);
  EXPECT_FALSE(noFurtherFrame);
  EXPECT_EQ(Add_Wired_Slave(second, index, list, noFurtherFrame), 0);
  EXPECT_TRUE(noFurtherFrame);
  EXPECT_EQ(list.Count(), 1);
  ASSERT_EQ(list.SnapshotAt(0)->List_Var.size(), 2u);
  EXPECT_EQ(list.SnapshotAt(0)->List_Var[1].Desc_Type_Data, "Error Flag (Binary)");
  EXPECT_EQ(Add_Wired_Slave(second, 5, list, noFurtherFrame), -1) << "no slave at that index";
}

TEST(LongFrame, FramesFailingTheChecksAreRejected) {
  const TBytes good = Hex(telegrams::W1);
  ASSERT_TRUE(Long_Frame_Valid(good));
  struct TCase {
    const char* Name;
    std::size_t At; // byte to change
    std::uint8_t Value;
  };
  const TCase cases[] = {{"first start byte", 0, 0x69},       {"second start byte", 3, 0x10},
                         {"L fields differ", 2, 0x1C},        {"L longer than the frame", 1, 0x1E},
                         {"checksum", good.size() - 2, 0x88}, {"stop byte", good.size() - 1, 0x17}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TBytes bad = good;
    bad[c.At] = c.Value;
    if (c.At == 1) bad[2] = c.Value;
    TWiredSlaveList list;
    bool noFurtherFrame;
    EXPECT_FALSE(Long_Frame_Valid(bad));
    EXPECT_EQ(Add_Wired_Slave(bad, -1, list, noFurtherFrame), -1);
    EXPECT_EQ(list.Count(), 0);
  }
  // A frame without a data record is too short to be an answer.
  EXPECT_FALSE(Long_Frame_Valid(LongFrame("08 01 72 78 56 34 12 93 15 33 03 2A 00 00")));
}

TEST(LongFrame, CutFramesReadNothingPastTheirBytes) {
  // Every prefix of the frames (and the frame without its stop byte) is rejected or decoded
  // inside its own bytes; under AddressSanitizer a read beyond them fails the test.
  for (const char* hex : {telegrams::T6, telegrams::W1}) {
    const TBytes whole = Hex(hex);
    for (std::size_t n = 0; n < whole.size(); ++n) {
      const TBytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(n));
      TWiredSlaveList list;
      bool noFurtherFrame;
      EXPECT_EQ(Add_Wired_Slave(cut, -1, list, noFurtherFrame), -1) << n;
    }
  }
}

TEST(FixedHeader, ManufacturerLettersAndMedia) {
  struct TMan {
    int Code;
    const char* Letters;
  };
  for (const TMan& c : {TMan{0x0442, "ABB"}, TMan{0, "???"}, TMan{-5, "???"}, TMan{0x05B4, "AMT"},
                        TMan{0x1593, "ELS"}, TMan{0xFFFF, "???"}, TMan{0x6B5A, "ZZZ"}})
    EXPECT_EQ(Trova_Man(c.Code), c.Letters) << c.Code;
  struct TMedium {
    int Medium;
    const char* Text;
  };
  for (const TMedium& c :
       {TMedium{0x00, "Other"}, TMedium{0x03, "Gas"}, TMedium{0x0C, "Heat (inlet) "}, TMedium{0x10, "Other"},
        TMedium{0x16, "Cold Water"}, TMedium{0x19, "A/D Converter"}, TMedium{0x1A, "Other"}})
    EXPECT_EQ(Medium_Name(c.Medium), c.Text) << c.Medium;
  EXPECT_EQ(Manufacturer_Letter('A'), "A");
  EXPECT_EQ(Manufacturer_Letter('['), "?");
}
