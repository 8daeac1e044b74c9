#include "RegionalSettings.h"
#include "controls/ProUtilCellText.h"
#include "controls/ProUtilDates.h"
#include "controls/ProUtilNumbers.h"
#include "controls/ProUtilText.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

using namespace std::string_literals;

namespace {

TDateTime Date(int y, int m, int d) {
  TDateTime date = 0;
  EXPECT_TRUE(TryEncodeDate(y, m, d, date)) << y << "-" << m << "-" << d;
  return date;
}

// "yyyy-mm-dd", or "0" for the not-a-date value.
std::string Ymd(TDateTime date) {
  if (date == 0) return "0";
  int y = 0, m = 0, d = 0;
  DecodeDate(date, y, m, d);
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", y, m, d);
  return buffer;
}

std::string Wrapped(std::string fragment) {
  WrapAsClipboardHTML(fragment);
  return fragment;
}

// The number after `name` in a clipboard envelope.
int EnvelopeOffset(const std::string& envelope, const std::string& name) {
  std::size_t p = envelope.find(name + ":");
  return p == std::string::npos ? -1 : std::stoi(envelope.substr(p + name.size() + 1, 8));
}

struct TEdgeCase {
  const char* What;
  std::function<std::string()> Actual;
  std::string Expected;
};

} // namespace

TEST(ProUtil, EdgeCases) {
  TRegionalSettings english(TRegionalSettings::English());
  const TEdgeCase cases[] = {
      {"kind of the empty text", [] { return std::to_string(CellTextKind("", true)); }, "0"},
      {"kind of a formula", [] { return std::to_string(CellTextKind("=A1+1", true)); }, "3"},
      {"kind of rich text", [] { return std::to_string(CellTextKind("{\\rtf1 \\ansi", true)); }, "2"},
      {"kind of mini-HTML through </", [] { return std::to_string(CellTextKind("<b>x</b>", true)); }, "1"},
      {"kind of an unclosed bold tag", [] { return std::to_string(CellTextKind("<b>x", true)); }, "0"},
      {"normalized bracketed German number",
       [] {
         TRegionalSettings german(TRegionalSettings::German());
         return NormalizeNumberText("(1.234,50)");
       },
       "-1234.50"},
      {"normalized currency with minus", [] { return NormalizeNumberText("$ -12"); }, "-12"},
      {"class of 123", [] { return std::to_string(ClassifyNumberText("123")); }, "0"},
      {"class of 1,234.5", [] { return std::to_string(ClassifyNumberText("1,234.5")); }, "1"},
      {"class of 1,23,4", [] { return std::to_string(ClassifyNumberText("1,23,4")); }, "2"},
      {"class of 1e5", [] { return std::to_string(ClassifyNumberText("1e5")); }, "5"},
      {"class of e5", [] { return std::to_string(ClassifyNumberText("e5")); }, "2"},
      {"class of 1e", [] { return std::to_string(ClassifyNumberText("1e")); }, "2"},
      {"class of 1.2.3", [] { return std::to_string(ClassifyNumberText("1.2.3")); }, "2"},
      {"day-first date of the last century", [] { return Ymd(ParseDateDMY("5.7.99")); }, "1999-07-05"},
      {"day-first date of this century", [] { return Ymd(ParseDateDMY("5.7.25")); }, "2025-07-05"},
      {"mixed separators", [] { return Ymd(ParseDateDMY("5/7-99")); }, "0"},
      // Impossible dates read as not a date instead of raising a conversion error.
      {"31 April", [] { return Ymd(ParseDateDMY("31.4.99")); }, "0"},
      {"month 13, month first", [] { return Ymd(ParseDateMDY("13/1/99")); }, "0"},
      {"29 February of a common year", [] { return Ymd(ParseDateMDY("2/29/99")); }, "0"},
      {"tilde text of the empty cell mark",
       [] {
         std::string t = "^";
         TildeToLineBreaks(t);
         return t;
       },
       ""},
      {"tilde text of two lines",
       [] {
         std::string t = "a~b";
         TildeToLineBreaks(t);
         return t;
       },
       "a\r\nb"},
      {"packed text unpacked as one line",
       [] { return UnpackLineBreaks(PackLineBreaks("one\r\ntwo"), false); }, "one"},
      {"clipboard EndHTML of <b>x</b>",
       [] { return std::to_string(EnvelopeOffset(Wrapped("<b>x</b>"), "EndHTML")); }, "314"},
      {"clipboard EndFragment of <b>x</b>",
       [] { return std::to_string(EnvelopeOffset(Wrapped("<b>x</b>"), "EndFragment")); }, "282"},
      // The envelope counts bytes of UTF-8: "é" takes two.
      {"clipboard EndFragment of é",
       [] { return std::to_string(EnvelopeOffset(Wrapped("é"), "EndFragment")); }, "276"},
      // A day the target month lacks becomes its last day instead of raising.
      {"one month after 31 January", [] { return Ymd(AdvanceDate(0, 1, 0, 0, Date(2021, 1, 31))); },
       "2021-02-28"},
      {"one year after 29 February", [] { return Ymd(AdvanceDate(1, 0, 0, 0, Date(2020, 2, 29))); },
       "2021-02-28"},
      {"one month after 31 March", [] { return Ymd(AdvanceDate(0, 1, 0, 0, Date(2021, 3, 31))); },
       "2021-04-30"},
  };
  for (const TEdgeCase& c : cases)
    EXPECT_EQ(c.Actual(), c.Expected) << c.What;
}

TEST(ProUtil, SearchesAnswerBytePositionsAndSetTheirOutArguments) {
  int pos = 99;
  EXPECT_EQ(LocateSubStr("cd", "abcdcd", pos), 3);
  EXPECT_EQ(pos, 3);
  EXPECT_EQ(LocateSubStr("x", "abc", pos), 0);
  EXPECT_EQ(pos, 0);
  EXPECT_EQ(LocateSubStr("", "abc", pos), 0);

  pos = 99;
  EXPECT_EQ(LocateChar(U'x', "abc", pos), 0);
  EXPECT_EQ(pos, 99) << "left alone when absent";
  EXPECT_EQ(LocateChar(U'€', "a€b", pos), 2);
  EXPECT_EQ(pos, 2);
  EXPECT_EQ(IndexOfChar(U'b', "a€b"), 5) << "after the three bytes of the euro sign";

  EXPECT_EQ(PosInUpperCase("ABC", "xxabc"), 3);
  EXPECT_EQ(PosInUpperCase("abc", "xxabc"), 0) << "the caller passes upper case";
  EXPECT_EQ(PosWide("€b", "a€b"), 2);
  EXPECT_EQ(CountCharOccurrences(U'"', R"("a""b")"), 4);
  EXPECT_EQ(CountCharOccurrences(U'ä', "äaä"), 2);
}

TEST(ProUtil, FindUndoubledCharFindsTheClosingQuoteOfACsvField) {
  struct {
    const char* Text;
    int Expected;
  } const cases[] = {
      {R"(ab"c)", 3},  {R"(a""b"c)", 5}, {R"(a""b)", 0}, {R"(a"")", 3}, // a run at the end counts
      {R"(a"""b)", 4}, {"", 0},          {"abc", 0},     {R"(")", 1},
  };
  for (const auto& c : cases) {
    int pos = -7;
    EXPECT_EQ(FindUndoubledChar(U'"', c.Text, pos), c.Expected) << c.Text;
    EXPECT_EQ(pos, c.Expected) << c.Text;
  }
  EXPECT_EQ(CountUndoubledChar(U'"', R"(a"b"c""d")"), 3);
  EXPECT_EQ(CountUndoubledChar(U'"', R"(a""b)"), 0);
}

TEST(ProUtil, SmallArithmetic) {
  struct {
    int Value, Lower, Upper, Expected;
  } const clamps[] = {
      {5, 0, 0, 5},    {5, 7, 7, 5},    {5, 10, 20, 10}, {25, 10, 20, 20},
      {25, 0, 20, 20}, {-5, 0, 20, -5}, {50, 10, 0, 50}, {5, 10, 3, 3}, // the upper limit wins
  };
  for (const auto& c : clamps)
    EXPECT_EQ(ClampToLimits(c.Value, c.Lower, c.Upper), c.Expected)
        << c.Value << " " << c.Lower << " " << c.Upper;
  EXPECT_EQ(MaxOf(-3, 2), 2);
  EXPECT_EQ(MinOf(-3, 2), -3);
  EXPECT_TRUE(IsCellInGridRect(1, 2, 3, 4, 3, 4));
  EXPECT_TRUE(IsCellInGridRect(1, 2, 3, 4, 1, 2));
  EXPECT_FALSE(IsCellInGridRect(1, 2, 3, 4, 4, 4));
  EXPECT_FALSE(IsCellInGridRect(1, 2, 3, 4, 2, 1));
  EXPECT_EQ(ConcatLines({"a", "", "bc"}), "abc");
}

TEST(ProUtil, CutLeadingFieldDropsOnlyTheSeparatorsFirstCharacter) {
  std::string text = "a, b, c";
  EXPECT_EQ(CutLeadingField(text, ", "), "a");
  EXPECT_EQ(text, " b, c");
  text = "a€€b";
  EXPECT_EQ(CutLeadingField(text, "€€"), "a");
  EXPECT_EQ(text, "€b");
  text = "abc";
  EXPECT_EQ(CutLeadingField(text, ";"), "");
  EXPECT_EQ(text, "abc");
}

TEST(ProUtil, TakeFirstLine) {
  struct {
    std::string Text;
    bool Keep;
    std::string Line, Rest;
  } const cases[] = {
      {"a\r\nb\r\nc", true, "a", "b\r\nc"}, {"a\rb", true, "a", "b"}, {"a\r\n\nb", true, "a", "\nb"},
      {"a\r\nb", false, "a", ""},           {"abc", true, "abc", ""}, {"", true, "", ""},
  };
  for (const auto& c : cases) {
    std::string text = c.Text;
    EXPECT_EQ(TakeFirstLine(text, c.Keep), c.Line) << c.Text;
    EXPECT_EQ(text, c.Rest) << c.Text;
  }
  EXPECT_EQ(CountTextLines("a\r\nb\r\n", true), 3);
  EXPECT_EQ(CountTextLines("a\r\nb\r\n", false), 1);
}

TEST(ProUtil, LineBreakEncodingsRoundTrip) {
  const std::string multi = "one\r\ntwo\0three"s;
  const std::string packed = PackLineBreaks(multi);
  EXPECT_EQ(packed, "one\t\btwo\x01three");
  EXPECT_EQ(UnpackLineBreaks(packed, true), multi);
  EXPECT_EQ(PackLineBreaks("tab\tonly\0"s), "tab\tonly\0"s) << "no CR: unchanged";
  EXPECT_EQ(UnpackLineBreaks("tab\tonly", true), "tab\tonly") << "no #8: unchanged";

  EXPECT_EQ(EscapeNewLines("a\r\nb"), "a\\nb");
  EXPECT_EQ(UnescapeNewLines("a\\nb\\n"), "a\rb\r");

  std::string csv = "a\r\nb\r\n";
  QuoteMultiLineCSV(csv);
  EXPECT_EQ(csv, "\"a\vb\v\"");
  std::string vt = "a\vb";
  VTToCRLF(vt);
  EXPECT_EQ(vt, "a\r\nb");

  std::string crlf = "a\r\nb\rc";
  CRLFToLF(crlf);
  EXPECT_EQ(crlf, "a\nb\rc") << "lone CRs stay";
  std::string tilde = "a\r\nb";
  LineBreaksToTilde(tilde);
  EXPECT_EQ(tilde, "a~b");

  EXPECT_EQ(CRToLF("a\r\nb"), "a\n\nb");
  EXPECT_EQ(RemoveAllCR("a\r\nb\r"), "a\nb");
  EXPECT_EQ(CRToHTMLBreaks("a\r\nb"), "a<br>\nb");
  EXPECT_EQ(CRToHTMLBreaks("ab"), "ab");
}

TEST(ProUtil, QuotesAndFilling) {
  EXPECT_EQ(DoubleQuoteMarks(R"(say "hi")"), R"(say ""hi"")");
  EXPECT_EQ(UndoubleChar(U'"', R"(say ""hi"" ")"), R"(say "hi" ")");
  EXPECT_EQ(UndoubleChar(U'x', "abc"), "abc");
  std::string secret = "päss€";
  FillWithChar(secret, U'*');
  EXPECT_EQ(secret, "*****") << "one per character, not per byte";
}

TEST(ProUtil, OemConversionsFollowCp850AndWindows1252) {
  std::string text = "Grüße";
  TextToOem(text);
  // ü is 0x81 and ß 0xE1 in CP850; read as Windows-1252 they are U+0081 and á.
  EXPECT_EQ(text, "Gr\xC2\x81\xC3\xA1"
                  "e");
  OemToText(text);
  EXPECT_EQ(text, "Grüße");
}

TEST(ProUtil, MixedCase) {
  struct {
    const char* Text;
    const char* Expected;
  } const cases[] = {
      {"mcdonald", "McDonald"},
      {"mary mcdonald", "Mary McDonald"},
      {"henry iii", "Henry III"},
      {"henry ii", "Henry II"},
      {"henry iii jr", "Henry Iii Jr"}, // Roman numbers only at the end
      {"o'neil-smith, jr.", "O'Neil-Smith, Jr."},
      {"ÉLAN ÀLA öl", "Élan Àla Öl"},
      {"", ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ToMixedCase(c.Text), c.Expected) << c.Text;
}

TEST(ProUtil, WideCellTexts) {
  EXPECT_EQ(EncodeWideCellText("A€"), "|\\\0A\x20\xC2\xAC"s) << "0x20AC as the characters 0x20 and 0xAC";
  for (std::string wide : {"", "plain", "Grüße €", "emoji 😀 ok", "=1+2"})
    EXPECT_EQ(DecodeWideCellText(EncodeWideCellText(wide)), wide) << wide;
  EXPECT_EQ(DecodeWideCellText("|\\\0A\0"s), "A") << "an odd last character is ignored";
  EXPECT_EQ(DecodeWideCellText("plain"), "plain");
  EXPECT_EQ(CellTextKind(EncodeWideCellText("=1+2"), false), 3);
  EXPECT_EQ(CellTextKind(EncodeWideCellText("=€"), false), 5) << "the character after '=' is above 255";
  EXPECT_EQ(CellTextKind(EncodeWideCellText("abc"), false), 5);
  EXPECT_EQ(CellTextKind("<B>bold", false), 0) << "mark-up only where enabled";
  EXPECT_EQ(CellTextKind("<b>bold", true), 0) << "the search is case-sensitive";
  EXPECT_EQ(CellTextKind("<C>x", true), 1);
}

TEST(ProUtil, ColoursAndUrls) {
  EXPECT_EQ(ColorToRGBHex(RGB(0x12, 0xAB, 0x0F)), "12AB0F");
  EXPECT_EQ(ColorToRGBHex(clRed), "FF0000");
  EXPECT_EQ(ColorToRGBHex(clWindow), ColorToRGBHex(ColorToRGB(clWindow))) << "system colours by their value";

  EXPECT_TRUE(IsURLText("http://x"));
  EXPECT_TRUE(IsURLText("write to mailto:a@b"));
  EXPECT_FALSE(IsURLText("www.x.com"));
  struct {
    std::string Text, Expected;
  } const schemes[] = {{"http://x.com/a", "x.com/a"},
                       {"mailto:a@b.c", "a@b.c"},
                       {"www.x.com", "www.x.com"},
                       {"a://b mailto:c", "b mailto:c"}};
  for (const auto& c : schemes) {
    std::string text = c.Text;
    StripURLScheme(text);
    EXPECT_EQ(text, c.Expected);
  }
}

TEST(ProUtil, ParseRCCellRef) {
  struct {
    const char* Text;
    bool Ok;
    int Col, Row;
  } const cases[] = {
      {"R2C3", true, 3, 2},    {"r10c1", true, 1, 10},   {"R2C", false, -1, -1},
      {"RxC3", false, -1, -1}, {"R2C3x", false, -1, -1}, {"C2R3", false, -1, -1},
  };
  for (const auto& c : cases) {
    int col = -1, row = -1;
    EXPECT_EQ(ParseRCCellRef(c.Text, col, row), c.Ok) << c.Text;
    EXPECT_EQ(col, c.Col) << c.Text;
    EXPECT_EQ(row, c.Row) << c.Text;
  }
}

TEST(ProUtil, AnchorURLInText) {
  std::string result;
  EXPECT_EQ(AnchorURLInText("see <http://a.b/c?d=1>", "HTTP://", result), 1);
  EXPECT_EQ(result, "see &lt;<a href=\"http://a.b/c\">http://a.b/c</a>?d=1&gt;");
  EXPECT_EQ(AnchorURLInText("Mail MAILTO:Me@X.org now", "MAILTO:", result), 1);
  EXPECT_EQ(result, "Mail <a href=\"MAILTO:Me@X.org\">MAILTO:Me@X.org</a> now");
  EXPECT_EQ(AnchorURLInText("no <link>", "HTTP://", result), 0);
  EXPECT_EQ(result, "no &lt;link&gt;");
}

TEST(ProUtil, ClipboardEnvelopeOffsetsPointAtItsParts) {
  for (std::string fragment : {"<b>x</b>", "", "<i>Grüße €</i>"}) {
    const std::string envelope = Wrapped(fragment);
    EXPECT_EQ(envelope.substr(0, 13), "Version:1.0\r\n");
    EXPECT_EQ(envelope.compare(EnvelopeOffset(envelope, "StartHTML"), 9, "<!DOCTYPE"), 0) << fragment;
    EXPECT_EQ(EnvelopeOffset(envelope, "EndHTML"), static_cast<int>(envelope.size())) << fragment;
    EXPECT_EQ(envelope.substr(EnvelopeOffset(envelope, "StartFragment"), fragment.size()), fragment);
    EXPECT_EQ(envelope.compare(EnvelopeOffset(envelope, "EndFragment"), 18, "<!--EndFragment-->"), 0)
        << fragment;
  }
  EXPECT_NE(Wrapped("x").find("StartHTML:00000097\r\n"), std::string::npos);
}

TEST(ProUtil, NumberCharacters) {
  for (char32_t c : {U'0', U'9', U'\u0663', U'½', U'Ⅻ', U'²'})
    EXPECT_TRUE(IsNumberChar(c)) << static_cast<unsigned>(c);
  for (char32_t c : {U'a', U'.', U'-', U' ', U'€'})
    EXPECT_FALSE(IsNumberChar(c)) << static_cast<unsigned>(c);
}

// The "EUR" cases are mended: a prefix starting with "E" kept that letter and gave no number.
TEST(ProUtil, NormalizeNumberText) {
  TRegionalSettings english(TRegionalSettings::English());
  struct {
    const char* Text;
    const char* Expected;
  } const cases[] = {
      {"", ""},         {"1,234.5 kg", "1234.5"},
      {"  -7  ", "-7"}, {"-", "-"},
      {"abc", ""},      {"$1e5", "1e5"},
      {"(12)", "-12"},  {"--3", "-3"},
      {"+4", "4"},      {"\u0663\u0664", "\u0663\u0664"},
      {"EUR 3", "3"},   {"EUR -3", "-3"},
      {"e5", "5"},      {"Euro 1,5e2", "15e2"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(NormalizeNumberText(c.Text), c.Expected) << c.Text;
}

TEST(ProUtil, ClassifyNumberText) {
  TRegionalSettings english(TRegionalSettings::English());
  struct {
    const char* Text;
    int Expected;
  } const cases[] = {
      {"", 2},      {"-", 0},      {"-12", 0},          {"1-2", 2},   {"1,234,567.5", 1}, {".5", 1},
      {"-1e-5", 5}, {"-1e-5-", 2}, {"1E+5", 5},         {"1e5e5", 2}, {"1,000e5", 2},     {"1e5.5", 5},
      {"1..2", 2},  {"12a", 2},    {"\u0663\u0664", 0}, {"1 000", 2},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ClassifyNumberText(c.Text), c.Expected) << c.Text;
  TRegionalSettings german(TRegionalSettings::German());
  EXPECT_EQ(ClassifyNumberText("1.234,5"), 1);
  EXPECT_EQ(ClassifyNumberText("1.23.4"), 2);
}

TEST(ProUtil, DateEncoding) {
  EXPECT_EQ(Date(1899, 12, 30), 0);
  EXPECT_EQ(Date(1900, 1, 1), 2);
  EXPECT_EQ(Date(1999, 7, 5), 36346);
  EXPECT_EQ(Date(1, 1, 1), -693593);
  for (TDateTime d = -693593; d < 2958466; d += 997) {
    int y = 0, m = 0, day = 0;
    DecodeDate(d, y, m, day);
    EXPECT_EQ(Date(y, m, day), d);
  }
  for (int y : {1, 1600, 1899, 1900, 2000, 2024, 9998}) {
    for (int m = 1; m <= 12; ++m) {
      int year = 0, month = 0, day = 0;
      DecodeDate(Date(y, m, DaysInMonth(y, m)) + 1, year, month, day);
      EXPECT_EQ(day, 1) << y << "-" << m;
      EXPECT_EQ(month, m % 12 + 1) << y << "-" << m;
      EXPECT_EQ(year, m == 12 ? y + 1 : y) << y << "-" << m;
    }
  }
  EXPECT_EQ(DaysInMonth(2000, 2), 29);
  EXPECT_EQ(DaysInMonth(1900, 2), 28);
  TDateTime t = 0;
  EXPECT_FALSE(TryEncodeDate(2023, 2, 29, t));
  EXPECT_FALSE(TryEncodeDate(0, 1, 1, t));
  EXPECT_FALSE(TryEncodeTime(12, 0, 60, 0, t));
  EXPECT_TRUE(TryEncodeTime(18, 0, 0, 0, t));
  EXPECT_DOUBLE_EQ(t, 0.75);
}

TEST(ProUtil, DateTexts) {
  TRegionalSettings english(TRegionalSettings::English());
  EXPECT_EQ(Ymd(ParseDateMDY("7/5/1999")), "1999-07-05") << "a four-digit year is taken as written, not 3899";
  EXPECT_EQ(Ymd(ParseDateMDY("12-31-0")), "2000-12-31");
  EXPECT_EQ(Ymd(ParseDateMDY("7/5")), "0");
  EXPECT_EQ(Ymd(ParseDateMDY("a/5/99")), "0");
  EXPECT_EQ(Ymd(ParseDateMDY("7/5/99x")), "0");
  EXPECT_EQ(Ymd(ParseDateDMY("5.7.10000")), "0") << "beyond year 9999";

  struct {
    const char* Text;
    bool Expected;
  } const cases[] = {{"1/2/3", true}, {"/1/2", false}, {"1//2", false},
                     {"1/2/", true},  {"12/5", false}, {"", false}};
  for (const auto& c : cases)
    EXPECT_EQ(IsDateText(c.Text), c.Expected) << c.Text;
}

TEST(ProUtil, AdvanceDateStepsASeries) {
  const TDateTime start = Date(2021, 5, 15) + 0.25;
  struct {
    int Years, Months, Days;
    double Step;
    std::string Expected;
  } const cases[] = {
      {0, 0, 3, 99, "2021-05-18"},  {0, 0, -20, 99, "2021-04-25"},
      {2, 0, 0, 99, "2023-05-15"},  {0, 7, 0, 99, "2021-12-15"},
      {0, 8, 0, 99, "2022-01-15"},  {0, -5, 0, 99, "2020-12-15"},
      {0, -7, 0, 99, "2020-10-15"}, // more than one wrap of the year back: no impossible month
      {0, 31, 0, 99, "2023-12-15"}, {1, 1, 0, 40, "2021-06-24"},
      {0, 0, 0, 2, "2021-05-17"}, // nothing differs: the step
  };
  for (const auto& c : cases) {
    TDateTime next = AdvanceDate(c.Years, c.Months, c.Days, c.Step, start);
    EXPECT_EQ(Ymd(next), c.Expected) << c.Years << " " << c.Months << " " << c.Days;
    EXPECT_NEAR(next - static_cast<long long>(next), 0.25, 1e-9) << "the time of day is kept";
  }
  EXPECT_EQ(AdvanceDate(1, 0, 0, 0, Date(9999, 6, 1)), Date(9999, 6, 1)) << "no year 10000";
}
