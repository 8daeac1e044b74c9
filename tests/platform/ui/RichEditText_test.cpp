// The rich-edit stand-in's plain text of RTF documents.
#include "platform/ui/RichEditText.h"

#include <gtest/gtest.h>

TEST(RichEditText, PlainTextOfDocuments) {
  struct TCase {
    const char* Rtf;
    const char* Plain;
  } cases[] = {
      {"plain, no RTF", "plain, no RTF"},
      {"{\\rtf1\\ansi Hello}", "Hello"},
      {"{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss Arial;}}{\\colortbl;\\red255\\green0\\blue0;}\\f0\\cf1 "
       "Red\\par}",
       "Red"},
      {"{\\rtf1 one\\par two\\line three\\par}", "one\r\ntwo\r\nthree"},
      {"{\\rtf1 a\\tab b}", "a\tb"},
      {"{\\rtf1 caf\\'e9}", "caf\xC3\xA9"},
      {"{\\rtf1\\uc1 \\u8364?uro}", "\xE2\x82\xACuro"},
      {"{\\rtf1 \\{braces\\} and \\\\}", "{braces} and \\"},
      {"{\\rtf1 keep{\\*\\generator Writer;} this}", "keep this"},
      {"{\\rtf1 {\\b bold} text\r\n}", "bold text"},
      {"{\\rtf1 cut\\'", "cut"},
      {"{\\rtf1 unbalanced}}}", "unbalanced"},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(RichTextToPlain(c.Rtf), c.Plain) << c.Rtf;
}
