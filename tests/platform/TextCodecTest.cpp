#include "platform/TextCodec.h"

#include <gtest/gtest.h>

TEST(DecodeTextFile, ByteOrderMarksThenUtf8ThenWindows1252) {
  struct TCase {
    std::string Bytes;
    std::string Utf8;
  };
  const TCase cases[] = {
      {"", ""},
      {"plain", "plain"},
      {"\xEF\xBB\xBFSTR 1 = K\xC3\xA4se", "STR 1 = Käse"},
      {std::string("\xFF\xFEK\0\xE4\0", 6), "Kä"},
      {std::string("\xFE\xFF\0K\0\xE4", 6), "Kä"},
      {std::string("\xFF\xFE\x3D\xD8\x00\xDE", 6), "\xF0\x9F\x98\x80"}, // surrogate pair
      {std::string("\xFF\xFE\x00\xD8", 4), "\xEF\xBF\xBD"},             // lone surrogate
      {std::string("\xFF\xFEK\0x", 5), "K\xEF\xBF\xBD"},                // odd last byte
      {"K\xC3\xA4se", "Käse"},
      {"K\xE4se \x80 \x93q\x94", "Käse € “q”"},
      {"\xC3", "Ã"},                        // cut UTF-8 is not UTF-8
      {"\xEF\xBB\xBF\xFF", "\xEF\xBF\xBD"}, // marked but damaged
  };
  for (const auto& c : cases)
    EXPECT_EQ(DecodeTextFile(c.Bytes), c.Utf8) << c.Bytes;
}

TEST(Utf8, ValidityFollowsTheStandard) {
  struct TCase {
    std::string Text;
    bool Valid;
  };
  const TCase cases[] = {
      {"abc", true},           {"\xC3\xA4", true},
      {"\xE2\x82\xAC", true},  {"\xF0\x9F\x98\x80", true},
      {"\xC0\x80", false},     {"\xE0\x80\x80", false}, // overlong
      {"\xED\xA0\x80", false}, {"\xF4\x90\x80\x80", false},
      {"\x80", false}, // surrogate, too big, stray
      {"\xE2\x82", false},     {"\xFE", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(IsValidUtf8(c.Text), c.Valid) << c.Text;
  EXPECT_EQ(Utf8ToUtf32("a\xFF"
                        "b"),
            (std::u32string{U'a', 0xFFFD, U'b'}));
  EXPECT_EQ(Utf32ToUtf8(U"K\u00e4se\U0001F600"), "Käse\xF0\x9F\x98\x80");
}

TEST(CodePages, BothWaysWithQuestionMarksForTheRest) {
  EXPECT_EQ(Windows1252ToUtf8("\x80\x9F\xA0\xFF"), "€Ÿ\xC2\xA0ÿ");
  EXPECT_EQ(Cp850ToUtf8("\x80\x81\xB0\xD5\xFF"), "Çü░ı\xC2\xA0");
  EXPECT_EQ(Utf8ToWindows1252("Käse €"), "K\xE4se \x80");
  EXPECT_EQ(Utf8ToCp850("Käse €"), "K\x84se ?");
  EXPECT_EQ(Utf8ToWindows1252("日本"), "??");
  for (int b = 0x80; b <= 0xFF; ++b) {
    std::string one(1, static_cast<char>(b));
    EXPECT_EQ(Utf8ToCp850(Cp850ToUtf8(one)), one) << b;
    EXPECT_EQ(Utf8ToWindows1252(Windows1252ToUtf8(one)), one) << b;
  }
}

TEST(EncodeAnsiTextFile, OnlyBytesThatReadBackAsTheText) {
  struct TCase {
    std::string Text;
    std::optional<std::string> Bytes;
  };
  const TCase cases[] = {
      {"plain\r\n", "plain\r\n"},
      {"K\xC3\xA4se \xE2\x82\xAC", "K\xE4se \x80"},
      {"\xE6\x97\xA5", std::nullopt},              // no place in the code page
      {"\xC3\x83\xC2\xA9", std::nullopt},          // C3 A9 would read as UTF-8
      {"\xC3\x8D\xC2\xAD", std::nullopt},          // CD AD likewise (found by fuzzing)
      {"\xC3\xBF\xC3\xBEK", std::nullopt},         // FF FE would read as a byte-order mark
      {"\xC3\xAF\xC2\xBB\xC2\xBFx", std::nullopt}, // EF BB BF likewise
      {"\xC3\x83 x", "\xC3 x"},                    // C3 20 is no UTF-8
  };
  for (const auto& c : cases)
    EXPECT_EQ(EncodeAnsiTextFile(c.Text), c.Bytes) << c.Text;
}
