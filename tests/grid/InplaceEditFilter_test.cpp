#include "grid/InplaceEditFilter.h"

#include <gtest/gtest.h>

namespace {

struct TCharCase {
  TEditorType Kind;
  const char* Text;
  int Caret;
  char Key;
  const char* Result;
  bool Beep;
};

TEST(InplaceEditFilter, TypedCharactersByKind) {
  const TCharCase cases[] = {
      {edNormal, "ab", 2, 'x', "abx", false},
      {edPassword, "", 0, '!', "!", false},
      {edNumeric, "12", 2, '3', "123", false},
      {edNumeric, "12", 0, '-', "-12", false},
      {edNumeric, "-12", 0, '-', "-12", true},
      {edNumeric, "12", 1, '-', "12", true},
      {edNumeric, "12", 2, 'a', "12", true},
      {edNumeric, "12", 2, 8, "1", false},
      {edPositiveNumeric, "12", 0, '-', "12", true},
      {edPositiveNumeric, "12", 2, '5', "125", false},
      {edFloat, "1", 1, '.', "1.", false},
      {edFloat, "1.5", 3, '.', "1.5", false},
      {edFloat, "1", 1, ',', "1", false},
      {edFloat, "1", 0, '-', "-1", false},
      {edFloat, "-1", 0, '-', "-1", true},
      {edFloat, "1", 1, 'a', "1", false},
      {edPositiveFloat, "1", 0, '-', "1", false},
      {edCapital, "a", 1, 'b', "aB", false},
      {edUpperCase, "", 0, 'q', "Q", false},
      {edLowerCase, "", 0, 'Q', "q", false},
      {edValidChars, "a", 1, 'b', "ab", false},
      {edValidChars, "a", 1, 'z', "a", true},
      {edSpinEdit, "1", 1, '2', "1", false},
  };
  TEditCharRules rules;
  rules.ValidChars = "ab";
  for (const TCharCase& c : cases) {
    rules.Kind = c.Kind;
    bool beep = false;
    const TEditState out = TypeEditChar(rules, {c.Text, c.Caret, 0}, c.Key, false, beep);
    EXPECT_EQ(out.Text, c.Result) << EnumName(c.Kind) << " '" << c.Text << "' + " << int(c.Key);
    EXPECT_EQ(beep, c.Beep) << EnumName(c.Kind) << " '" << c.Text << "' + " << int(c.Key);
  }
}

TEST(InplaceEditFilter, FloatSeparatorRulesFollowTheSelectionAndCtrl) {
  TEditCharRules rules;
  rules.Kind = edFloat;
  bool beep = false;
  // The decimal separator replaces the selected one.
  EXPECT_EQ(TypeEditChar(rules, {"1.5", 1, 1}, '.', false, beep).Text, "1.5");
  // A "-" replacing a selected "-".
  EXPECT_EQ(TypeEditChar(rules, {"-1", 0, 1}, '-', false, beep).Text, "-1");
  EXPECT_FALSE(beep);
  EXPECT_EQ(FilterEditChar(rules, {"1", 1, 0}, 'c', true).Action, ecaAccept) << "Ctrl+C reaches the edit";
  rules.DecimalSeparator = ',';
  rules.ThousandSeparator = '.';
  EXPECT_EQ(TypeEditChar(rules, {"1", 1, 0}, ',', false, beep).Text, "1,");
  EXPECT_EQ(TypeEditChar(rules, {"1", 1, 0}, '.', false, beep).Text, "1");
  rules.Kind = edMixedCase;
  EXPECT_TRUE(FilterEditChar(rules, {"", 0, 0}, 'a', false).MixedCase);
  rules.Kind = edValidChars;
  rules.ValidCharSet.set('x');
  EXPECT_EQ(FilterEditChar(rules, {"", 0, 0}, 'x', false).Action, ecaAccept) << "empty ValidChars: the set";
}

TEST(InplaceEditFilter, PastedTextByKind) {
  struct {
    TEditorType Kind;
    const char* Text;
    const char* Pasted;
    int Limit;
    const char* Result; // nullptr: refused
  } cases[] = {
      {edNormal, "", "abc\r\n", 0, "abc"},
      {edNormal, "", "a\r\nb\r\n", 0, "a\r\nb\r\n"},
      {edNumeric, "", "1.5", 0, nullptr},
      {edNumeric, "", "-15", 0, "-15"},
      {edPositiveNumeric, "", "-15", 0, nullptr},
      {edFloat, "", "1.5", 0, "1.5"},
      {edPositiveFloat, "", "-1.5", 0, nullptr},
      {edUpperCase, "", "ab", 0, "AB"},
      {edLowerCase, "", "AB", 0, "ab"},
      {edCapital, "", "ab", 0, "ab"},
      {edValidChars, "", "abz", 0, nullptr},
      {edNormal, "xy", "abcd", 3, nullptr},
      {edNormal, "xy", "a", 3, "xya"},
  };
  TEditCharRules rules;
  rules.ValidChars = "ab";
  for (const auto& c : cases) {
    rules.Kind = c.Kind;
    const TEditState at{c.Text, static_cast<int>(std::string(c.Text).size()), 0};
    const auto out = PasteEditText(rules, at, c.Pasted, c.Limit);
    if (!c.Result)
      EXPECT_FALSE(out.has_value()) << EnumName(c.Kind) << " " << c.Pasted;
    else {
      EXPECT_TRUE(out.has_value()) << c.Pasted;
      if (out) {
        EXPECT_EQ(out->Text, c.Result) << EnumName(c.Kind);
      }
    }
  }
  // Pasting over a selection selects what was pasted.
  rules.Kind = edNormal;
  const auto over = PasteEditText(rules, {"abcd", 1, 2}, "XY", 0);
  ASSERT_TRUE(over);
  EXPECT_EQ(over->Text, "aXYd");
  EXPECT_EQ(over->SelStart, 1);
  EXPECT_EQ(over->SelLength, 2);
}

} // namespace
