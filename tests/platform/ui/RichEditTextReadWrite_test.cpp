// The rich-edit stand-in's RTF reader (code pages, Unicode, offsets, damaged input) and writer.
#include "platform/TextCodec.h"
#include "platform/ui/RichEditText.h"

#include <gtest/gtest.h>

#include <random>

TEST(RichEditTextRead, SamplesAndTheirPlainTexts) {
  struct TCase {
    std::string Rtf;
    std::string Plain;
  } cases[] = {
      {"{\\rtf1\\ansi caf\\'e9}", "caf\xC3\xA9"},
      {"{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0}", "\xD0\x9F\xD1\x80"},
      {"{\\rtf1\\ansi\\ansicpg99999 \\'e9}", "\xC3\xA9"}, // unknown code page: Windows-1252
      {"{\\rtf1 \\u8364?5}", "\xE2\x82\xAC"
                             "5"},
      {"{\\rtf1\\uc2 \\u8364\\'80\\'80x}", "\xE2\x82\xACx"},
      {"{\\rtf1\\uc0 \\u8364 x}", "\xE2\x82\xACx"},
      {"{\\rtf1 \\u-10179?\\u-8704?}", "\xF0\x9F\x98\x80"},
      {"{\\rtf1 a\\par b\\line c\\tab d\\par}", "a\r\nb\r\nc\td"},
      {"{\\rtf1 a\\par\\par}", "a\r\n"},
      {"{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red1;}{\\stylesheet{x}}{\\info{\\title t}}"
       "{\\pict 0102}{\\*\\unknown skip}kept}",
       "kept"},
      // Damaged input shows what is readable.
      {"{\\rtf1 open{{{", "open"},
      {"{\\rtf1 close}}}}more", "closemore"},
      {"{\\rtf1 cut\\'4", "cut"},
      {"{\\rtf1 cut\\u", "cut"},
      {"{\\rtf1 cut\\", "cut"},
      {"{\\rtf1 \\u99999999999999? x}", "? x"},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(RichTextToPlain(c.Rtf), c.Plain) << c.Rtf;
}

TEST(RichEditTextRead, DeepNestingNeitherCrashesNorRecurses) {
  std::string rtf = "{\\rtf1 ";
  rtf += std::string(200000, '{') + "deep" + std::string(200000, '}') + " end}";
  EXPECT_EQ(RichTextToPlain(rtf), "deep end");
}

TEST(RichEditTextRead, OffsetsOfRaisedAndLoweredText) {
  const TRichPlainText t = RichTextRead("{\\rtf1 H{\\dn4 2}O x{\\up4 2}\\up6 a\\plain b}");
  EXPECT_EQ(t.Text, "H2O x2ab");
  EXPECT_EQ(t.Offsets, (std::vector<int>{0, -4, 0, 0, 0, 4, 6, 0}));
}

TEST(RichEditTextWrite, SevenBitWithOffsetsInHalfPoints) {
  const std::string rtf = RichTextWrite("x\xC2\xB2 {\\}\t\r\n\xE2\x82\xAC", {0, 4, 0, 0, 0, 0, 0, 0, 0, -4});
  for (char c : rtf)
    EXPECT_LT(static_cast<unsigned char>(c), 0x80u);
  EXPECT_NE(rtf.find("\\up4 \\u178?"), std::string::npos) << rtf;
  EXPECT_NE(rtf.find("\\dn4 \\u8364?"), std::string::npos) << rtf;
  EXPECT_NE(rtf.find("\\{\\\\\\}\\tab \\par "), std::string::npos) << rtf;
}

TEST(RichEditTextWrite, RandomUnicodeTextsWithOffsetsSurviveARoundTrip) {
  std::mt19937 random(20261210);
  std::uniform_int_distribution<int> kind(0, 9), offset(-3, 3), len(0, 40);
  for (int n = 0; n < 500; ++n) {
    std::u32string text;
    std::vector<int> offsets;
    const int count = len(random);
    for (int i = 0; i < count; ++i) {
      char32_t c;
      switch (kind(random)) {
      case 0:
        c = std::uniform_int_distribution<int>(0, 31)(random);
        break;
      case 1:
        c = U"\\{}\r\n\t "[std::uniform_int_distribution<int>(0, 7)(random)];
        break;
      case 2:
        c = std::uniform_int_distribution<int>(0x10000, 0x10FFFF)(random);
        break;
      case 3:
        c = std::uniform_int_distribution<int>(0x80, 0xD7FF)(random);
        break;
      case 4:
        c = std::uniform_int_distribution<int>(0xE000, 0xFFFF)(random);
        break;
      default:
        c = std::uniform_int_distribution<int>(0x20, 0x7E)(random);
        break;
      }
      text += c;
      offsets.push_back(offset(random) * 2);
    }
    const std::string utf8 = Utf32ToUtf8(text);
    const TRichPlainText back = RichTextRead(RichTextWrite(utf8, offsets));
    ASSERT_EQ(back.Text, utf8) << n;
    ASSERT_EQ(back.Offsets, offsets) << n;
  }
}
