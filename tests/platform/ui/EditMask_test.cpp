// Edit masks without a window: what typing, Backspace and Delete make of the edit text, and how
// values go in and come out.
#include "platform/ui/EditMask.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::u16string U(const std::string& s) {
  return std::u16string(s.begin(), s.end());
}
std::string A(const std::u16string& s) {
  return std::string(s.begin(), s.end());
}

// Types each character at the caret as a user would; refused characters leave all as it was.
std::string TypeAll(const TEditMask& mask, const std::string& typed, int* refused = nullptr) {
  std::u16string text = mask.Format(u"");
  int caret = 0;
  for (char c : typed)
    if (!mask.Type(text, caret, 0, static_cast<char16_t>(c)) && refused) ++*refused;
  return A(text);
}

TEST(EditMask, TypingFillsThePositionsAndRefusesWhatDoesNotFit) {
  struct Case {
    const char* mask;
    const char* typed;
    const char* shown;
    const char* value;
    int refused;
    bool complete;
  };
  const Case cases[] = {
      {"000.000;1;_", "12a3", "123.___", "123.   ", 1, false},
      {"000.000;1;_", "123456", "123.456", "123.456", 0, true},
      {">LL-0000;0; ", "ab1234", "AB-1234", "AB1234", 0, true},
      {"<ll;1;_", "AB", "ab", "ab", 0, true},
      {"999.999.999.999;1;_", "10.0.0.1", "10_.0__.0__.1__", "10 .0  .0  .1  ", 0, true},
      {"00:00;1;_", "1x2:34", "12:34", "12:34", 1, true},
      {"00:00;1;_", "12::", "12:__", "12:  ", 0, false},
      {"#99;1;_", "-12", "-12", "-12", 0, true},
      {"AAa;1;_", "a1!", "a1_", "a1 ", 1, true},
      {"\\A00;1;_", "A12", "A12", "A12", 0, true},
      {"0_0;0;*", "12", "1 2", "12", 0, true},
      {"00;1;_", "123", "12", "12", 1, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.mask) + " <- " + c.typed);
    TEditMask mask(c.mask);
    int refused = 0;
    std::string shown = TypeAll(mask, c.typed, &refused);
    EXPECT_EQ(shown, c.shown);
    EXPECT_EQ(A(mask.Value(U(shown))), c.value);
    EXPECT_EQ(refused, c.refused);
    EXPECT_EQ(mask.Complete(U(shown)), c.complete);
  }
}

TEST(EditMask, BackspaceDeleteAndSelectionsBlankInputPositionsOnly) {
  TEditMask mask("000-000;1;_");
  std::u16string text = U("123-456");
  int caret = 7;
  mask.Backspace(text, caret, 0);
  EXPECT_EQ(A(text), "123-45_");
  EXPECT_EQ(caret, 6);
  caret = 4;
  mask.Backspace(text, caret, 0);
  EXPECT_EQ(A(text), "12_-45_") << "the literal is passed over";
  EXPECT_EQ(caret, 2);
  caret = 3;
  mask.Delete(text, caret, 0);
  EXPECT_EQ(A(text), "12_-_5_");
  caret = 1;
  mask.Delete(text, caret, 4);
  EXPECT_EQ(A(text), "1__-_5_");
  // Typing over a selection replaces it.
  caret = 0;
  EXPECT_TRUE(mask.Type(text, caret, 7, u'9'));
  EXPECT_EQ(A(text), "9__-___");
  EXPECT_EQ(caret, 1);
  caret = 0;
  EXPECT_FALSE(mask.Type(text, caret, 7, u'x'));
  EXPECT_EQ(A(text), "9__-___") << "a refused character keeps the selection's text";
}

TEST(EditMask, ValuesGoInWithOrWithoutTheirLiterals) {
  TEditMask keep("!99/99/0000;1;_");
  EXPECT_EQ(A(keep.Format(U("01/02/2026"))), "01/02/2026");
  EXPECT_EQ(A(keep.Format(U("1/2/2026"))), "1_/2_/2026") << "short fields end at their literal";
  EXPECT_EQ(A(keep.Value(keep.Format(U("01/02/2026")))), "01/02/2026");
  TEditMask drop(">LL-0000;0;_");
  EXPECT_EQ(A(drop.Format(U("xy1234"))), "XY-1234");
  EXPECT_EQ(A(drop.Format(U("XY-1234"))), "XY-1234");
  EXPECT_EQ(A(drop.Format(U("X?Y1"))), "XY-1___") << "what fits nowhere is dropped";
  EXPECT_EQ(drop.FirstBlank(drop.Format(U("X"))), 1);
  EXPECT_EQ(drop.FirstBlank(drop.Format(U("XY1234"))), 7);
  EXPECT_TRUE(TEditMask("").Empty());
  EXPECT_TRUE(TEditMask(";1;_").Empty());
}

} // namespace
