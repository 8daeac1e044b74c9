#include "platform/IniFiles.h"

#include "platform/StringList.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

TEST(IniFiles, MemIniRoundTripsSectionsAndKeys) {
  TTempDir dir;
  std::string path = dir.File("cols.ini");
  {
    TMemIniFile ini(path);
    ini.WriteInteger("Grid", "CP0", 2);
    ini.WriteInteger("Grid", "CP1", -1);
    ini.WriteString("Print", "Title",
                    "Gr\xC3\xBC\xC3\x9F"
                    "e = 1");
    ini.WriteBool("Print", "Centered", true);
    ini.WriteInteger("grid", "cp0", 3); // names ignore letter case
    EXPECT_FALSE(dir.Exists("cols.ini"));
    ASSERT_TRUE(ini.UpdateFile());
  }
  EXPECT_EQ(dir.Read("cols.ini"), "[Grid]\r\nCP0=3\r\nCP1=-1\r\n\r\n[Print]\r\nTitle=Gr\xFC\xDF"
                                  "e = 1\r\nCentered=1\r\n\r\n");
  TMemIniFile back(path);
  EXPECT_EQ(back.ReadInteger("GRID", "CP0", 0), 3);
  EXPECT_EQ(back.ReadString("Print", "Title", ""), "Gr\xC3\xBC\xC3\x9F"
                                                   "e = 1");
  EXPECT_TRUE(back.ReadBool("Print", "Centered", false));
  TStringList keys, sections, values;
  back.ReadSection("Grid", keys);
  back.ReadSections(sections);
  back.ReadSectionValues("Grid", values);
  EXPECT_EQ(keys.ToVector(), (std::vector<std::string>{"CP0", "CP1"}));
  EXPECT_EQ(sections.ToVector(), (std::vector<std::string>{"Grid", "Print"}));
  EXPECT_EQ(values.ToVector(), (std::vector<std::string>{"CP0=3", "CP1=-1"}));
}

TEST(IniFiles, ReadsWhatOthersWriteAndFallsBackToDefaults) {
  TTempDir dir;
  std::string path = dir.Write("in.ini", "stray=1\n; comment\n[ S ]\n a = 1 \nhex=$1F\nhex2=0x10\nbad=12x\n"
                                         "big=4294967296\nneg=-7\nflag\na=2\n");
  TMemIniFile ini(path);
  struct TCase {
    const char* Key;
    int Expected;
  };
  const TCase cases[] = {{"a", 1},     {"hex", 31}, {"hex2", 16},  {"bad", -99},
                         {"big", -99}, {"neg", -7}, {"flag", -99}, {"missing", -99}};
  for (const auto& c : cases)
    EXPECT_EQ(ini.ReadInteger("s", c.Key, -99), c.Expected) << c.Key;
  EXPECT_TRUE(ini.ValueExists("S", "flag"));
  EXPECT_FALSE(ini.ValueExists("", "stray")); // keys before a section belong nowhere
  EXPECT_EQ(ini.ReadString("none", "a", "dflt"), "dflt");
  EXPECT_FALSE(ini.ReadBool("S", "bad", false));
  ini.DeleteKey("S", "A");
  EXPECT_FALSE(ini.ValueExists("S", "a"));
  ini.EraseSection("s");
  EXPECT_FALSE(ini.SectionExists("S"));
}

// Mended: a line break in a value wrote keys of their own, and blanks at the ends were lost.
TEST(IniFiles, WhatTheLinesCannotHoldIsRefusedAndNothingWritten) {
  TTempDir dir;
  struct TCase {
    std::string Section, Key, Value;
    bool Written;
  };
  const TCase cases[] = {
      {"S", "K", "a\r\nOther=1", false},
      {"S", "K", "lone\rCR", false},
      {"S", "K", " padded", false},
      {"S", "K", std::string("end\0", 4), false},
      {"S", "K=V", "1", false},
      {"S", ";K", "1", false},
      {"S", "[K", "1]", false},
      {"S\nT", "K", "1", false},
      {" S", "K", "1", false},
      {"S", "K", std::string("a\0b", 3), true},
      {"S", "[K", "1", true},
      {"S", "K", "[x]", true},
      {"S", "K", "\"quoted\"", true},
  };
  for (const auto& c : cases) {
    const std::string path = dir.Write("kept.ini", "[Old]\r\nA=1\r\n");
    TMemIniFile ini(path);
    ini.WriteString(c.Section, c.Key, c.Value);
    const TWriteResult r = ini.UpdateFile();
    EXPECT_EQ(static_cast<bool>(r), c.Written) << c.Key << "=" << c.Value;
    if (!c.Written) {
      EXPECT_EQ(dir.Read("kept.ini"), "[Old]\r\nA=1\r\n");
      EXPECT_NE(r.Error.find(path), std::string::npos) << r.Error;
    } else {
      EXPECT_EQ(TMemIniFile(path).ReadString(c.Section, c.Key, "?"), c.Value);
    }
  }
}

TEST(IniFiles, FailedSaveLeavesTheOldFile) {
  TTempDir dir;
  std::string path = dir.Write("locked.ini", "[A]\r\nk=old\r\n");
  dir.SetReadOnly("locked.ini", true);
  TMemIniFile mem(path);
  mem.WriteString("A", "k", "new");
  TWriteResult result = mem.UpdateFile();
  EXPECT_FALSE(result);
  EXPECT_FALSE(result.Error.empty());
  EXPECT_EQ(dir.Read("locked.ini"), "[A]\r\nk=old\r\n");

  TIniFile ini(path);
  EXPECT_THROW(ini.WriteString("A", "k", "new"), EIniFileException);
  EXPECT_EQ(ini.ReadString("A", "k", ""), "old"); // the store is as the file
  EXPECT_EQ(dir.Read("locked.ini"), "[A]\r\nk=old\r\n");
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"locked.ini"});
}

TEST(IniFiles, IniFileWritesEveryChangeAtOnce) {
  TTempDir dir;
  TIniFile ini(dir.File("now.ini"));
  ini.WriteInteger("Cols", "CP0", 1);
  EXPECT_EQ(dir.Read("now.ini"), "[Cols]\r\nCP0=1\r\n\r\n");
  ini.DeleteKey("Cols", "CP0");
  EXPECT_EQ(dir.Read("now.ini"), "[Cols]\r\n\r\n");
}
