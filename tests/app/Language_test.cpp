#include "app/UComon.h"
#include "app/ULanguage.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

// UTF-16 bytes with a byte-order mark, for the files a Windows editor saves as "Unicode".
std::string Utf16(std::u16string_view text, bool bigEndian) {
  std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (char16_t c : text) {
    const char hi = static_cast<char>(c >> 8), lo = static_cast<char>(c & 0xFF);
    bytes += bigEndian ? hi : lo;
    bytes += bigEndian ? lo : hi;
  }
  return bytes;
}

struct TLngCase {
  const char* Name;
  std::string File;
  std::vector<std::pair<int, std::string>> Changes; // every other text keeps its built-in value
};

const std::vector<TLngCase>& LngCases() {
  static const std::vector<TLngCase> cases = {
      {"NoBlanks", "STR0012=X", {{12, "X"}}},
      {"BlanksRoundNumberAndEquals", "STR 0012  =  X", {{12, "X"}}},
      {"LowerCasePrefixIgnored", "str12=X", {}},
      {"NumberAboveTableIgnored", "STR6300=X", {}},
      {"NegativeNumberIgnored", "STR-1=X", {}},
      {"NumberWithLetterIgnored", "STR12a=X", {}},
      {"OverlongNumberIgnored", "STR99999999999999999999=X", {}},
      {"MissingNumberIgnored", "STR=X", {}},
      {"LineWithoutEqualsIgnored", "STR12 X", {}},
      {"EmptyValueKeepsText", "STR18=\nSTR18=   ", {}},
      {"OnlyCommentKeepsText", "STR18= /#/ note", {}},
      {"FirstAndLastNumber", "STR0=A\nSTR6299=B", {{0, "A"}, {6299, "B"}}},
      {"ValueMayHoldEquals", "STR12=a = b", {{12, "a = b"}}},
      {"CommentCutAndTrimmed", "STR12=Hello   /#/ note /#/ more", {{12, "Hello"}}},
      {"TrailingBlankDroppedWithoutQuotes",
       "STR0011 = Opened Configuration of the Converter : ",
       {{11, "Opened Configuration of the Converter :"}}},
      {"PilcrowsKeepTrailingBlank",
       "STR0011 = \xC2\xB6Opened Configuration of the Converter : \xC2\xB6",
       {{11, "Opened Configuration of the Converter : "}}},
      {"PilcrowsKeepBlankOnBothSides", "STR306=\xC2\xB6 / \xC2\xB6", {{306, " / "}}},
      {"PilcrowsBeforeComment", "STR0305=\xC2\xB6Page \xC2\xB6 /#/ a note", {{305, "Page "}}},
      {"TextAfterClosingPilcrowDropped", "STR12=\xC2\xB6 a \xC2\xB6 b", {{12, " a "}}},
      {"PilcrowWithoutOpeningOneEndsTheValue", "STR305=Page \xC2\xB6 b", {{305, "Page "}}},
      {"OnlyPilcrowsGiveTheEmptyText", "STR12=\xC2\xB6\xC2\xB6", {{12, ""}}},
      {"LaterLineWins", "STR12=A\nSTR12=B", {{12, "B"}}},
      {"HeadersAndCommentsSkipped", "[Language]\n; translated texts\n\nSTR12=A\n  # end", {{12, "A"}}},
      {"LineEndsCrLfCrAndLf", "  \tSTR12=A\t \r\nSTR13=B\rSTR14=C\n", {{12, "A"}, {13, "B"}, {14, "C"}}},
      {"Utf8WithoutMark",
       "STR12=Gr\xC3\xB6\xC3\x9F"
       "e",
       {{12, "Gr\xC3\xB6\xC3\x9F"
             "e"}}},
      {"Utf8WithMark",
       "\xEF\xBB\xBFSTR12=Gr\xC3\xB6\xC3\x9F"
       "e",
       {{12, "Gr\xC3\xB6\xC3\x9F"
             "e"}}},
      {"Utf16LittleEndian",
       Utf16(u"STR12=Gr\u00F6\u00DFe \u20AC\r\nSTR306=\u00B6 - \u00B6\r\n", false),
       {{12, "Gr\xC3\xB6\xC3\x9F"
             "e \xE2\x82\xAC"},
        {306, " - "}}},
      {"Utf16BigEndian",
       Utf16(u"STR12=Gr\u00F6\u00DFe \u20AC\r\nSTR306=\u00B6 - \u00B6\r\n", true),
       {{12, "Gr\xC3\xB6\xC3\x9F"
             "e \xE2\x82\xAC"},
        {306, " - "}}},
      {"Windows1252WithoutMark",
       "STR12=Gr\xF6\xDF"
       "e \x80\r\nSTR306=\xB6 - \xB6\r\n",
       {{12, "Gr\xC3\xB6\xC3\x9F"
             "e \xE2\x82\xAC"},
        {306, " - "}}},
  };
  return cases;
}

class LngFileTest : public testing::TestWithParam<TLngCase> {};

TEST_P(LngFileTest, SetsOnlyWhatTheFileSays) {
  const TLngCase& c = GetParam();
  TTempDir dir;
  Load_Default_Texts();
  std::vector<std::string> expected = Lang_Texts;
  for (const auto& [number, text] : c.Changes)
    expected[number] = text;

  ASSERT_TRUE(Load_Lng_File(dir.Write("Test.lng", c.File)));
  ASSERT_EQ(Lang_Texts.size(), expected.size());
  for (std::size_t n = 0; n < expected.size(); ++n)
    EXPECT_EQ(Lang_Texts[n], expected[n]) << "text " << n;
}

INSTANTIATE_TEST_SUITE_P(Lines, LngFileTest, testing::ValuesIn(LngCases()),
                         [](const testing::TestParamInfo<TLngCase>& c) { return c.param.Name; });

TEST(LngFile, UnreadableFileLeavesTheTable) {
  TTempDir dir;
  Load_Default_Texts();
  Lang_Texts[12] = "kept";
  EXPECT_FALSE(Load_Lng_File(dir.File("Missing.lng")));
  EXPECT_EQ(Lang_Texts[12], "kept");
  EXPECT_EQ(Lang_Texts.size(), 6300u);
}

TEST(LngFile, AppliedToAnEmptyTableStillGivesAFullTable) {
  TTempDir dir;
  Lang_Texts.clear();
  ASSERT_TRUE(Load_Lng_File(dir.Write("Test.lng", "STR12=X")));
  ASSERT_EQ(Lang_Texts.size(), 6300u);
  EXPECT_EQ(Lang_Texts[12], "X");
  EXPECT_EQ(Lang_Texts[18], "Error! Project not Valid");
}

// Load_Language with a LANGUAGE folder of its own.
class LoadLanguageTest : public testing::Test {
protected:
  void SetUp() override {
    Reset_Shared_State();
    Program_Dir = Dir.Path();
    Language_Dir = Dir.MakeDir("LANGUAGE");
  }
  void TearDown() override { Reset_Shared_State(); }
  TTempDir Dir;
};

TEST_F(LoadLanguageTest, MissingFileLeavesEnglishAndNamesIt) {
  Language_Name = "Deutsch";
  Load_Language();
  EXPECT_EQ(Language_Name, "English");
  EXPECT_EQ(Lang_Texts.size(), 6300u);
  EXPECT_EQ(Lang_Text(18), "Error! Project not Valid");
}

TEST_F(LoadLanguageTest, MissingFileFallsBackToEnglishFile) {
  Dir.Write("LANGUAGE/English.lng", "STR0=Start");
  Language_Name = "Deutsch";
  Load_Language();
  EXPECT_EQ(Language_Name, "English");
  EXPECT_EQ(Lang_Text(0), "Start");
}

TEST_F(LoadLanguageTest, EnglishFileThatSetsNothingLeavesBuiltInTexts) {
  Dir.Write("LANGUAGE/English.lng", "; nothing here\r\n");
  Load_Default_Texts();
  const std::vector<std::string> builtIn = Lang_Texts;
  Load_Language();
  EXPECT_EQ(Language_Name, "English");
  EXPECT_EQ(Lang_Texts, builtIn);
}

TEST_F(LoadLanguageTest, ChangingLanguageRebuildsTheWholeTable) {
  Dir.Write("LANGUAGE/Italiano.lng", "STR0=Inizio\nSTR18=Errore! Progetto non valido");
  Dir.Write("LANGUAGE/Deutsch.lng", "STR0=Anfang");
  Language_Name = "Italiano";
  Load_Language();
  EXPECT_EQ(Lang_Text(18), "Errore! Progetto non valido");

  Language_Name = "Deutsch";
  Load_Language();
  EXPECT_EQ(Language_Name, "Deutsch");
  EXPECT_EQ(Lang_Text(0), "Anfang");
  EXPECT_EQ(Lang_Text(18), "Error! Project not Valid");
}

TEST_F(LoadLanguageTest, NameThatWouldLeaveTheFolderCountsAsMissing) {
  // Files that such names would reach if they were used as paths.
  Dir.Write("Evil.lng", "STR18=outside");
  Dir.Write("LANGUAGE/sub/Evil.lng", "STR18=below");
  for (const char* name : {"../Evil", "sub/Evil", "..", "", " Deutsch"}) {
    Language_Name = name;
    Load_Language();
    EXPECT_EQ(Language_Name, "English") << name;
    EXPECT_EQ(Lang_Text(18), "Error! Project not Valid") << name;
  }
}

} // namespace
