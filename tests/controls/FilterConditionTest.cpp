#include "controls/FilterCondition.h"
#include "RegionalSettings.h"

#include <gtest/gtest.h>

#include <string>

namespace {

enum TRegion { English, German };

struct TFilterCase {
  const char* Condition;
  std::string Text;
  bool CaseSensitive;
  bool Expected;
  TRegion Region = English;
};

void ExpectMatches(const TFilterCase& c) {
  TRegionalSettings settings(c.Region == German ? TRegionalSettings::German() : TRegionalSettings::English());
  EXPECT_EQ(MatchFilterCondition(c.Condition, c.Text, c.CaseSensitive), c.Expected)
      << "'" << c.Condition << "' against '" << c.Text << "'";
}

} // namespace

TEST(FilterCondition, EdgeCases) {
  const TFilterCase cases[] = {
      {"=5", "5", true, true},
      {"5", "5", true, true},
      {">=10&<20", "15", true, true},
      {">=10&<20", "20", true, false},
      {">=10&<20", "abc", true, false},
      {"A*|B*", "Apple", true, true},
      {"A*|B*", "Berry", true, true},
      {"A*|B*", "Cherry", true, false},
      {"!A*", "Cherry", true, true},
      {"?", "", true, false},
      {"*", "", true, true},
      {"apple", "APPLE", false, true},
      {">1,5", "2,5", true, true, German},
      {"5|", "", true, true},
      {"5|", "6", true, false},
      // A "(" without its ")" takes the rest of the condition as its group, and the condition ends
      // there, instead of never ending.
      {"(A*|B*", "Berry", true, true},
      {"A*&(B*|C*", "Apple", true, false},
      {"(((", "", true, true},
  };
  for (const TFilterCase& c : cases)
    ExpectMatches(c);
}

TEST(FilterCondition, TermsCombineLeftToRightWithoutPrecedence) {
  const TFilterCase cases[] = {
      {"A*|B*&*y", "Apple", true, false},                                        // (A* or B*) and *y
      {"A*|B*&*y", "Berry", true, true},     {"*y&A*|B*", "Apple", true, false}, // (*y and A*) or B*
      {"(A*|B*)&*y", "Berry", true, true},   {"*e&(A*|B*)", "Apple", true, true},
      {"*e&(A*|B*)", "Prune", true, false},  {"((A*))", "Apple", true, true},
      {"A*;C*", "Cherry", true, true},       {"A*^C*", "Cherry", true, true},
      {" = A* | C* ", "Cherry", true, true}, // blanks outside quotes do not count
      {"\"a b\"", "a b", true, true},        {"\"a b\"", "ab", true, false},
      {"\"a&b\"", "a&b", true, true}, // operators inside quotes are text
      {"!*e*", "Berry", false, false},       {"!*e*", "Kiwi", false, true},
  };
  for (const TFilterCase& c : cases)
    ExpectMatches(c);
}

TEST(FilterCondition, ComparisonsAsNumbersDatesOrTexts) {
  const TFilterCase cases[] = {
      {">9", "10", true, true}, // numbers, although the text "10" sorts before "9"
      {"<9", "10", true, false},
      {">1,000", "1,500.5", true, true},
      {">1.000", "1.500,5", true, true, German},
      {"<=5", "5", true, true},
      {"<5", "5", true, false},
      {">b", "c", true, true}, // texts
      {">b", "B", false, false},
      {">\"m n\"", "m o", true, true}, // a quoted operand keeps its blank
      {">01/01/2020", "15/03/2021", true, true},
      {">01/01/2020", "15/03/2019", true, false},
      {"<\"01/01/2020 12:00\"", "01/01/2020 11:59", true, true}, // quoted: the blank stays
      {"<\"01/01/2020 12:00\"", "01/01/2020 12:00:01", true, false},
      {"<\"01/01/2020 12:00\"", "02/01/2019 12:00", true, true}, // as dates, not as texts
      {">31.12.2019", "01.01.2020", true, true, German},
      {">5", "", true, false},
      {">5", ">5", true, true}, // a failed comparison falls back to the pattern
  };
  for (const TFilterCase& c : cases)
    ExpectMatches(c);
}

TEST(FilterCondition, WildcardsCountCharactersNotBytes) {
  const TFilterCase cases[] = {
      {"?", "é", true, true},          {"??", "é", true, false},        {"gr??e", "grüße", true, true},
      {"*SSE", "grüße", false, false}, {"ÄPFEL", "äpfel", false, true}, {"a*b*c", "aXbYc", true, true},
      {"a*b*c", "aXbY", true, false},  {"**c", "abc", true, true},      {"!?", "", true, true},
  };
  for (const TFilterCase& c : cases)
    ExpectMatches(c);
}

TEST(FilterCondition, ManyStarsStayFast) {
  // Without remembering failed states this pattern tries an astronomic number of splits.
  EXPECT_FALSE(MatchFilterCondition("*a*a*a*a*a*a*a*a*a*a*a*a*b", std::string(200, 'a'), true));
  EXPECT_TRUE(MatchFilterCondition("*a*a*a*a*a*a*a*a*a*a*a*a*b", std::string(200, 'a') + "b", true));
  std::string stars;
  for (int i = 0; i < 2000; ++i)
    stars += "*a";
  EXPECT_FALSE(MatchFilterCondition(stars + "b", std::string(2000, 'a'), true));
  EXPECT_TRUE(MatchFilterCondition(stars + "b", std::string(2000, 'a') + "b", true));
  // A star per character neither recurses nor takes long; each "!" negates the match after its star.
  std::string negations;
  for (int i = 0; i < 100000; ++i)
    negations += "*!";
  EXPECT_EQ(MatchFilterCondition(negations, "x", true), MatchFilterCondition("*!*!*!*!", "x", true));
  EXPECT_NE(MatchFilterCondition("*!*!*!", "x", true), MatchFilterCondition("*!*!*!*!", "x", true));
}

TEST(FilterCondition, DeepGroupsDoNotExhaustTheStack) {
  EXPECT_TRUE(MatchFilterCondition(std::string(150, '(') + "x" + std::string(150, ')'), "x", true));
  EXPECT_TRUE(MatchFilterCondition(std::string(150, '(') + "x", "x", true));
  // Deeper groups are matched as one term.
  EXPECT_FALSE(MatchFilterCondition(std::string(20000, '(') + "x", "x", true));
}

TEST(FilterCondition, Parts) {
  EXPECT_EQ(RemoveUnquotedBlanks(" a b \"c d\" e "), "ab\"c d\"e");

  int pos = 0;
  EXPECT_EQ(FindUnquotedOperator("&|", "a\"&\"|b", pos), '|');
  EXPECT_EQ(pos, 5);
  EXPECT_EQ(FindUnquotedOperator("&|", "a\"&|\"b", pos), '\0');
  EXPECT_EQ(pos, -1);

  EXPECT_TRUE(IsCharInSet(U'é', "aé"));
  EXPECT_FALSE(IsCharInSet(U'e', "aé"));

  EXPECT_EQ(FindClosingParen("(a(b)c)d"), 7);
  EXPECT_EQ(FindClosingParen("(a(b)c"), 0);
  EXPECT_EQ(FindClosingParen("a)"), 0);
  EXPECT_EQ(FindClosingParen("()"), 2);

  EXPECT_TRUE(MatchFilterTerm("straße", "STRASSE", false) == false) << "one character is not two";
  EXPECT_TRUE(MatchFilterTerm("ärger", "ÄRGER", false));
  EXPECT_FALSE(MatchFilterTerm("ärger", "ÄRGER", true));
  EXPECT_TRUE(CompareOrMatchTerm(">=a", "a"));

  TRegionalSettings german(TRegionalSettings::German());
  EXPECT_EQ(FilterNumberText("1.234.567,5"), "1234567.5");
}

TEST(FilterCondition, ParseLocaleDateTime) {
  struct {
    const char* Text;
    bool Ok;
    const char* Format = "dd/mm/yyyy";
    char Separator = '/';
  } const cases[] = {
      {"31/12/2020", true},
      {" 31/12/2020 ", true},
      {"31/12/2020 23:59", true},
      {"31/12/2020 23:59:59", true},
      {"31/12/2020 24:00", false},
      {"31/12/2020 23:60", false},
      {"31/12/2020 23:59:60", false}, // passes the range check, fails encoding
      {"30/02/2020", false},
      {"32/01/2020", false},
      {"01/13/2020", false},
      {"1/2", false},
      {"a/2/2020", false},
      {"12/31/2020", true, "mm/dd/yyyy"},
      {"31/12/2020", false, "mm/dd/yyyy"},
      {"2020-12-31 08:15", true, "yyyy-mm-dd", '-'},
  };
  for (const auto& c : cases) {
    TFormatSettings fs;
    fs.ShortDateFormat = c.Format;
    fs.DateSeparator = c.Separator;
    TRegionalSettings settings(fs);
    TDateTime value = -1;
    EXPECT_EQ(ParseLocaleDateTime(c.Text, value), c.Ok) << c.Text << " as " << c.Format;
  }

  TRegionalSettings english(TRegionalSettings::English());
  TDateTime value = -1;
  ASSERT_TRUE(ParseLocaleDateTime("02/01/1900 18:00", value));
  EXPECT_DOUBLE_EQ(value, 3.75);
  ASSERT_TRUE(ParseLocaleDateTime("02/01/1900 06:00:30", value));
  EXPECT_NEAR(value, 3.25 + 30.0 / 86400, 1e-9);
  value = -1;
  EXPECT_FALSE(ParseLocaleDateTime("02/01/1900 1800", value)) << "no time separator";
  EXPECT_EQ(value, 3) << "the date is still stored";
}
