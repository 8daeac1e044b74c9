#include "platform/ui/RichEditText.h"

#include <gtest/gtest.h>

TEST(RichEditText, PlainTextOfDocumentsTable) {
  struct TCase {
    const char* rtf;
    const char* plain;
  };
  const TCase cases[] = {
      {"{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Hello \\b bold\\b0\\par}", "Hello bold"},
      {"{\\rtf1 one\\par two\\par}", "one\r\ntwo"},
      {"{\\rtf1 caf\\'e9}", "caf\xC3\xA9"},
      {"{\\rtf1\\uc1 \\u8364?5}", "\xE2\x82\xAC" "5"},
      {"{\\rtf1 a\\tab b}", "a\tb"},
      {"{\\rtf1 {\\*\\generator x;}brace \\{ \\}}", "brace { }"},
      {"{\\rtf1 {\\colortbl;\\red0;}text", "text"},
      {"not rich text", "not rich text"},
      {"{\\rtf1 cut\\'", "cut"},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(RichTextToPlain(c.rtf), c.plain) << c.rtf;
}
