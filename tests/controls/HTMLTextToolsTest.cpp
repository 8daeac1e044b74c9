#include "controls/HTMLTextTools.h"
#include "controls/HTMLControlTags.h"
#include "controls/HTMLEntities.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

const std::string Controls = R"(<CONTROL TYPE="CHECK" ID="c1"><CONTROL TYPE="EDIT" ID="e1">)";

std::string WithValue(std::string markup, const char* id, const char* value) {
  SetHTMLControlValue(markup, id, value);
  return markup;
}

struct TEdgeCase {
  const char* What;
  std::function<std::string()> Actual;
  std::string Expected;
};

} // namespace

TEST(HTMLTextTools, EdgeCases) {
  const TEdgeCase cases[] = {
      {"encoded specials", [] { return EncodeHTMLEntities(R"(a<b & "c")", false); },
       "a&lt;b &amp; &quot;c&quot;"},
      {"encoded accents", [] { return EncodeHTMLEntities("été", true); }, "&eacute;t&eacute;"},
      {"decoded capital and small e acute", [] { return DecodeHTMLEntities("&Eacute;&eacute;", true); },
       "Éé"},
      {"unknown entity", [] { return DecodeHTMLEntities("&atilde;", true); }, "&atilde;"},
      {"ampersand decoded after lt", [] { return DecodeHTMLEntities("&amp;lt;", false); }, "&lt;"},
      {"stripped tags and break", [] { return StripHTMLTags("a<b>b</b><br>c"); }, "ab\r\nc"},
      {"unclosed tag kept", [] { return StripHTMLTags("a<b"); }, "a<b"},
      {"highlighted across tags", [] { return HighlightInHTML("x<b>abc</b>abc", "bc", "hi", true); },
       "x<b>a<hi>bc</hi></b>a<hi>bc</hi>"},
      {"highlight removed again",
       [] { return UnhighlightInHTML(HighlightInHTML("x<b>abc</b>abc", "bc", "hi", true), "hi"); },
       "x<b>abc</b>abc"},
      // The HEIGHT of a control is kept when its value is set.
      {"value set on a control with a height",
       [] {
         return WithValue(R"(<CONTROL TYPE="EDIT" ID="e1" WIDTH="80" HEIGHT="24" VALUE="a">)", "e1", "b");
       },
       R"(<CONTROL ID="e1" VALUE="b" WIDTH="80" HEIGHT="24" TYPE="EDIT">)"},
      {"value set on an unknown ID", [] { return WithValue(Controls, "x9", "b"); }, Controls},
      {"first edit control", [] { return NextHTMLEditControlID(Controls, ""); }, "e1"},
      {"edit control after the last", [] { return NextHTMLEditControlID(Controls, "e1"); }, ""},
  };
  for (const TEdgeCase& c : cases)
    EXPECT_EQ(c.Actual(), c.Expected) << c.What;
}

TEST(HTMLTextTools, Entities) {
  EXPECT_EQ(EncodeHTMLEntities("*amp; &", false), "&amp; &amp;")
      << "a '*amp;' in the text ends as '&amp;' too";
  EXPECT_EQ(EncodeHTMLEntities("5 € «x» ©", true), "5 &euro; &laquo;x&raquo; &copy;");
  EXPECT_EQ(EncodeHTMLEntities("ã", true), "ã") << "only the characters of the table";
  EXPECT_EQ(DecodeHTMLEntities("&euro;&lt;", false), "&euro;<") << "names only when asked";

  const std::string all = "éèëêóòöôíìïîúùüûáàäâÉÈËÊÓÒÖÔÍÌÏÎÚÙÜÛÁÀÄÂçÇøØåÅ©®€«» <&> \"q\"";
  const std::string encoded = EncodeHTMLEntities(all, true);
  EXPECT_EQ(encoded.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ&; "),
            std::string::npos)
      << encoded;
  EXPECT_EQ(DecodeHTMLEntities(encoded, true), all);
  EXPECT_EQ(SpacesToNbsp("a b  c"), "a&nbsp;b&nbsp;&nbsp;c");
}

TEST(HTMLTextTools, PlainAndVisibleText) {
  EXPECT_EQ(StripHTMLTags("<P>one<Br>two<hR>three</P>"), "one\r\ntwo\r\nthree");
  EXPECT_EQ(StripHTMLTags("1 > 0 <i>yes</i>"), "1 > 0 yes");
  struct {
    const char* Markup;
    const char* Visible;
  } const cases[] = {
      {"a<b>c</b>", "ac"},
      {"a > b<i>c</i>", "a > b<i>c</i>"}, // a ">" outside tags stops the stripping
      {"x<y", "x<y"},
      {"<b>a</b> < <i>b</i>", "a b"}, // a "<" before a tag reads as the tag's start
      {"", ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(StripTagsForSearch(c.Markup), c.Visible) << c.Markup;
}

TEST(HTMLTextTools, VisibleToMarkupPos) {
  const std::string markup = "<b>ab</b>c";
  struct {
    int Visible, Markup;
  } const cases[] = {{0, 0}, {1, 1}, {2, 5}, {3, 6}, {4, 11}, {5, 0}};
  for (const auto& c : cases)
    EXPECT_EQ(VisibleToMarkupPos(markup, c.Visible), c.Markup) << c.Visible;
  EXPECT_EQ(VisibleToMarkupPos("ab<i>", 3), 3) << "before a tag that follows the last character";
}

TEST(HTMLTextTools, FindInVisibleText) {
  int pos = -1;
  EXPECT_EQ(FindInVisibleText("ab", "abxab", 0, pos, true), 1);
  EXPECT_EQ(pos, 1);
  EXPECT_EQ(FindInVisibleText("ab", "abxab", 1, pos, true), 4) << "counted from the start of the whole text";
  EXPECT_EQ(FindInVisibleText("AB", "abxab", 0, pos, true), 0);
  EXPECT_EQ(pos, 0);
  EXPECT_EQ(FindInVisibleText("ÄB", "xäb", 0, pos, false), 2);
  EXPECT_EQ(FindInVisibleText("", "abc", 0, pos, false), 0);
  EXPECT_EQ(FindInVisibleText("a", "abc", 9, pos, false), 0);
}

TEST(HTMLTextTools, Highlighting) {
  struct {
    const char* Markup;
    const char* Search;
    bool CaseSensitive;
    const char* Expected;
  } const cases[] = {
      {"xabc", "ABC", false, "x<hi>abc</hi>"},
      {"xabc", "ABC", true, "xabc"},
      // An occurrence that follows another directly gets a mark of its own after the other's
      // closing tag, not one opened inside it.
      {"aaaa", "aa", true, "<hi>aa</hi><hi>aa</hi>"},
      {"b<b>b</b>", "b", true, "<hi>b</hi><hi><b>b</hi></b>"},
      {"a < b", "b", true, "a &lt; <hi>b</hi>"}, // literal "<": the text is escaped
      {"xıy", "I", false, "x<hi>ı</hi>y"},       // cases of different byte lengths
      {"<i>Grüße</i>", "üß", true, "<i>Gr<hi>üß</hi>e</i>"},
      {"abc", "", true, "abc"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(HighlightInHTML(c.Markup, c.Search, "hi", c.CaseSensitive), c.Expected) << c.Markup;
  EXPECT_EQ(HighlightInHTML("x<b>abc</b>abc", "bc", "e", false), "x<b>a<e>bc</e></b>a<e>bc</e>");
  std::string many, marked;
  for (int i = 0; i < 20000; ++i) {
    many += "a<i>b</i>";
    marked += "a<hi><i>b</hi></i>"; // the mark opens ahead of the tags, as for one match
  }
  EXPECT_EQ(HighlightInHTML(many, "B", "hi", false), marked) << "20,000 matches in one pass";
  EXPECT_EQ(UnhighlightInHTML("<HI>a</Hi> &lt;b&gt; <e>c</e>", "hi"), "a <b> <e>c</e>");
  EXPECT_EQ(UnhighlightInHTML(HighlightInHTML("a < b", "b", "hi", true), "hi"), "a < b");
}

TEST(HTMLTextTools, ReadingControls) {
  const std::string markup = R"(Name: <control type="edit" id="n" value="a &amp; &eacute;" width="80" )"
                             R"(prop="&lt;99&gt;" maxlen="12x"> <CONTROL TYPE="RADIO" ID="r">)";
  EXPECT_TRUE(HasHTMLControl(markup));
  EXPECT_TRUE(HasHTMLControl("<Control"));
  EXPECT_FALSE(HasHTMLControl("no <CONTRO here"));

  const THTMLControlTag tag = ParseControlTag(markup.substr(6));
  EXPECT_EQ(tag.Type, "EDIT");
  EXPECT_EQ(tag.ID, "n");
  EXPECT_EQ(tag.Value, "a & é");
  EXPECT_EQ(tag.Prop, "<99>");
  EXPECT_EQ(tag.Width, "80");
  EXPECT_EQ(tag.Height, "");
  EXPECT_EQ(tag.MaxLen, "12x");

  std::string value = "unchanged";
  EXPECT_EQ(GetHTMLControlValue(markup, "n", value), 1);
  EXPECT_EQ(value, "a & é");
  EXPECT_EQ(GetHTMLControlValue(markup, "x", value), 0);
  EXPECT_EQ(value, "a & é");
  EXPECT_EQ(GetHTMLControlProp(markup, "n"), "<99>");
  EXPECT_EQ(GetHTMLControlProp(markup, "r"), "");
  EXPECT_EQ(GetHTMLControlMaxLen(markup, "n"), 12);
  EXPECT_EQ(GetHTMLControlMaxLen(markup, "r"), 0);
  EXPECT_EQ(GetHTMLControlMaxLen(markup, "x"), 0);

  const std::string form = R"(<CONTROL TYPE="EDIT" ID="a"><CONTROL TYPE="BUTTON" ID="b">)"
                           R"(<CONTROL TYPE="combo" ID="c"><CONTROL TYPE="RADIO" ID="d">)";
  EXPECT_EQ(NextHTMLEditControlID(form, "a"), "c");
  EXPECT_EQ(NextHTMLEditControlID(form, "c"), "");
  EXPECT_EQ(NextHTMLEditControlID(form, "zz"), "");
}

TEST(HTMLTextTools, RewritingControls) {
  std::string markup =
      R"(pre<control type="edit" id="e1" width="80" prop="a&lt;b" maxlen="5" value="old">post)";
  EXPECT_EQ(SetHTMLControlValue(markup, "e1", R"(x "é")"), 1);
  EXPECT_EQ(markup,
            R"(pre<CONTROL ID="e1" VALUE="x &quot;&eacute;&quot;" WIDTH="80" TYPE="EDIT" PROP="a&lt;b" )"
            R"(MAXLEN="5">post)");
  std::string value;
  GetHTMLControlValue(markup, "e1", value);
  EXPECT_EQ(value, R"(x "é")");

  const std::string radios =
      R"(<CONTROL TYPE="RADIO" ID="r1" VALUE="TRUE"> <CONTROL TYPE="CHECK" VALUE="TRUE">)"
      R"( <CONTROL TYPE="RADIO" VALUE="TRUE">)";
  EXPECT_EQ(UncheckHTMLRadios(radios), R"(<CONTROL ID="r1" VALUE="FALSE" WIDTH="" TYPE="RADIO">)"
                                       R"( <CONTROL TYPE="CHECK" VALUE="TRUE">)"
                                       R"( <CONTROL ID="" VALUE="FALSE" WIDTH="" TYPE="RADIO">)");
}

TEST(HTMLTextTools, ControlValueReadsBackExactlyAsWritten) {
  const char* values[] = {
      "&eacute;",  "&quot;",    "&euro;5",           "*amp;", "&amp;amp;", "a TYPE=\"x\" ID=y",
      "<CONTROL ", "été & «€»", " ID=\"e1\" WIDTH=", "",      "&"};
  for (const char* v : values) {
    // WIDTH before ID: "ID=" inside "WIDTH=" is no attribute.
    std::string markup = R"(<CONTROL TYPE="EDIT" WIDTH="80" ID="e1" PROP="p">)";
    for (int round = 0; round < 2; ++round) {
      ASSERT_EQ(SetHTMLControlValue(markup, "e1", v), 1) << v;
      std::string back;
      EXPECT_EQ(GetHTMLControlValue(markup, "e1", back), 1) << v;
      EXPECT_EQ(back, v) << markup;
      const THTMLControlTag tag = ParseControlTag(markup);
      EXPECT_EQ(tag.Type, "EDIT") << markup;
      EXPECT_EQ(tag.Width, "80") << markup;
      EXPECT_EQ(tag.Prop, "p") << markup;
    }
  }
  EXPECT_EQ(DecodeHTMLEntities("&amp;eacute; &amp;quot; &amp;euro;5", true), "&eacute; &quot; &euro;5")
      << "what an entity turns into is not read again";
  EXPECT_EQ(EncodeHTMLText("*amp; &", false), "*amp; &amp;");
}

TEST(HTMLTextTools, SmallHelpers) {
  EXPECT_EQ(PasswordMask("pässwörd"), "********");
  std::string text = "One TWO two";
  EXPECT_EQ(ReplaceFirstIgnoreCase("two", "2", text), 1);
  EXPECT_EQ(text, "One 2 two");
  EXPECT_EQ(ReplaceFirstIgnoreCase("three", "3", text), 0);
  EXPECT_EQ(text, "One 2 two");
  EXPECT_EQ(PosIgnoreCase("TWO", "one two"), 5);
  EXPECT_EQ(PosIgnoreCase("x", "one two"), 0);
  EXPECT_EQ(LineBreaksToBR("a\r\nb\rc\n", true), "a<BR>b<BR>c");
  EXPECT_EQ(LineBreaksToBR("a\r\nb\rc\n", false), "abc");
}
