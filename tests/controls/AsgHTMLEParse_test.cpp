// Reading mini-HTML for the renderer: preparing the text, cutting it into runs and tags,
// recognising tags, reading attributes and colours.
#include "controls/AsgHTMLE.h"
#include "controls/AsgHTMLEParse.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Texts(const std::vector<THTMLToken>& tokens) {
  std::vector<std::string> out;
  for (const THTMLToken& t : tokens)
    out.push_back((t.IsTag ? "T:" : "R:") + t.Text);
  return out;
}

} // namespace

TEST(AsgHTMLEParse, PreparesTheText) {
  const struct {
    const char* In;
    const char* Out;
  } cases[] = {
      {"a&amp;b", "a&&b"},
      {"a&AMP;b", "a&&b"}, // any case
      {"&quot;q&quot;", "\"q\""},
      {"&sect;&permil;&reg;&copy;&para;&trade;&euro;",
       "\xC2\xA7\xE2\x80\xB0\xC2\xAE\xC2\xA9\xC2\xB6\xE2\x84\xA2\xE2\x82\xAC"},
      {"&amp;amp;", "&&&"}, // replacing repeats until nothing is left to replace
      {"&AMP;Amp;amP;", "&&&&"},
      {"&amp;quot;", "&\""}, // the doubled ampersand's second half begins the next one
      {"&&amp;euro;x", "&&\xE2\x82\xACx"},
      {"&lt;&nbsp;", "&lt;&nbsp;"}, // left for each run
      {"a<#name>b", "a#nameb"},
      {"a<#open", "a#open"},
      {"one\r\ntwo\nthree\r", "one<BR>twothree<BR>"},
      {"<a href=\"?a=1&amp;b=2\">&amp;</a>", "<a href=\"?a=1&amp;b=2\">&&</a>"}, // mended: tags as written
  };
  for (const auto& c : cases)
    EXPECT_EQ(PrepareHTMLText(c.In), c.Out) << c.In;
  // One level of nesting per "amp;": 80 KB of them are done in one pass.
  std::string nested = "&amp;";
  for (int i = 0; i < 20000; ++i)
    nested += "amp;";
  EXPECT_EQ(PrepareHTMLText(nested), std::string(20002, '&'));
  EXPECT_EQ(ConvertRunEntities("x&nbsp;&LT;tag&gt;"), "x <tag>");
  EXPECT_EQ(VisibleRunText("a&&b &x&"), "a&b x");
}

TEST(AsgHTMLEParse, CutsRunsAndTags) {
  const struct {
    const char* In;
    bool Wrap;
    std::vector<std::string> Out;
  } cases[] = {
      {"ab cd <b>ef</b>", true, {"R:ab ", "R:cd ", "T:<b>", "R:ef", "T:</b>"}},
      {"ab cd <b>ef</b>", false, {"R:ab cd ", "T:<b>", "R:ef", "T:</b>"}},
      {"a  b", true, {"R:a ", "R: ", "R:b"}},
      {"x<y", true, {"R:x"}},  // "<" among the last two characters ends the text
      {"x<yz", true, {"R:x"}}, // "<" without ">" ends the text
      {"x<>", true, {"R:x"}},  //
      {"x<a>y<", true, {"R:x", "T:<a>", "R:y"}},
      {"", true, {}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Texts(TokenizeHTML(c.In, c.Wrap)), c.Out) << c.In;
}

TEST(AsgHTMLEParse, RecognisesTagsByTheirFirstLetters) {
  using K = THTMLTag;
  const struct {
    const char* Tag;
    THTMLTag Kind;
  } cases[] = {
      {"<B>", K::Bold},
      {"<b>", K::Bold},
      {"<BR>", K::Break},
      {"<br/>", K::Break},
      {"<BLINK>", K::Blink},
      {"<BODY bgcolor=\"clred\">", K::Body},
      {"<BIG>", K::Unknown},
      {"<I>", K::Italic},
      {"<IND x=\"5\">", K::Indent},
      {"<IMG src=\"a\">", K::Image},
      {"<IX>", K::Unknown},
      {"<U>", K::Underline},
      {"<UL>", K::List},
      {"<S>", K::Strike},
      {"<SUB>", K::Sub},
      {"<sup>", K::Sup},
      {"<SUB x>", K::Unknown},
      {"<SHAD>", K::Shadow},
      {"<SPAN>", K::Unknown},
      {"<HI>", K::Highlight},
      {"<HR>", K::Rule},
      {"<H1>", K::Unknown},
      {"<A href=\"x\">", K::Anchor},
      {"<CONTROL>", K::Control},
      {"<E>", K::Error},
      {"<FONT>", K::Font},
      {"<LI>", K::ListItem},
      {"<P>", K::Paragraph},
      {"<R a=\"90\">", K::Rotate},
      {"<Z>", K::Hidden},
      {"<Q>", K::Unknown},
      {"</A>", K::EndAnchor},
      {"</B>", K::EndBold},
      {"</BLINK>", K::EndColor},
      {"</BODY>", K::EndColor},
      {"</E>", K::EndError},
      {"</FONT>", K::EndFont},
      {"</HI>", K::EndHighlight},
      {"</I>", K::EndItalic},
      {"</LI>", K::EndListItem},
      {"</P>", K::EndParagraph},
      {"</R>", K::EndRotate},
      {"</SUB>", K::EndSubSup},
      {"</SUP>", K::EndSubSup},
      {"</SHAD>", K::EndShadow},
      {"</S>", K::EndStrike},
      {"</U>", K::EndUnderline},
      {"</UL>", K::EndList},
      {"</Z>", K::EndHidden},
      {"</>", K::Unknown},
      {"</Q>", K::Unknown},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ClassifyHTMLTag(c.Tag), c.Kind) << c.Tag;
}

TEST(AsgHTMLEParse, ReadsAttributes) {
  const char* tag = "<A title=\"see HREF\" Href = \"http://x/Y\">";
  EXPECT_EQ(HTMLTagAttribute(tag, "HREF"), "http://x/Y") << "a name inside a value is not the attribute";
  EXPECT_EQ(HTMLTagAttribute(tag, "HREF", true), "HTTP://X/Y");
  EXPECT_EQ(HTMLTagAttribute(tag, "TITLE"), "see HREF");
  EXPECT_EQ(HTMLTagAttribute("<A href=x>", "HREF"), "") << "unquoted values read as empty";
  EXPECT_TRUE(HTMLTagHasAttribute("<A href=x>", "HREF"));
  EXPECT_FALSE(HTMLTagHasAttribute("<FONT bgcolor=\"clred\">", " COLOR"));
  EXPECT_EQ(HTMLTagAttribute("<FONT color=\"clred\">", " COLOR", true), "CLRED");

  EXPECT_EQ(LeadingDigits("12px", 1000), 12);
  EXPECT_EQ(LeadingDigits("px", 1000), 0);
  EXPECT_EQ(LeadingDigits("99999999999999999999", 1000), 1000);
  EXPECT_EQ(NumberAfterLetter("<IND x=\"40\">", 'x', 1000), 40);
  EXPECT_EQ(NumberAfterLetter("<IND X=\"4a0\">", 'x', 1000), 4);
  EXPECT_EQ(NumberAfterLetter("<R a=\"-90\">", 'a', 1000), -90);
  EXPECT_EQ(NumberAfterLetter("<IND x=\"\">", 'x', 1000), std::nullopt);
  EXPECT_EQ(HTMLFontSizeValue("<FONT size=\"3\">", 1000), 3);
  EXPECT_EQ(HTMLFontSizeValue("<FONT SIZE=20>", 1000), 20);
  EXPECT_EQ(HTMLFontSizeValue("<FONT face=\"x\">", 1000), std::nullopt);
}

// "#" colours with fewer than six hexadecimal digits are black (they read other bytes before).
TEST(AsgHTMLEColors, ReadsNamesAndHexValues) {
  const struct {
    const char* Value;
    TColor Color;
  } cases[] = {
      {"#FF0000", RGB(255, 0, 0)},
      {"#00ff80", RGB(0, 255, 128)},
      {"#123456789", RGB(0x12, 0x34, 0x56)},
      {"#FFF", clBlack},    // mended: too short
      {"#FFFFF", clBlack},  // mended: too short
      {"#12345G", clBlack}, // mended: five hexadecimal digits
      {"#", clBlack},
      {"clRed", clRed},
      {"CLBTNFACE", clBtnFace},
      {"clinfobk", clInfoBk},
      {"cl3ddkshadow", cl3DDkShadow},
      {"red", clBlack}, // unknown names are black
      {"", clBlack},
  };
  for (const auto& c : cases)
    EXPECT_EQ(HTMLAttributeColor(c.Value), c.Color) << c.Value;
  EXPECT_EQ(HTMLColorByName("clteal"), clTeal);
  EXPECT_EQ(HTMLColorByName("clTeal"), 0u) << "names are looked up in lower case";
  EXPECT_EQ(HexToColor("#0A0B0C"), RGB(10, 11, 12));
  EXPECT_EQ(HexPairValue("FF"), 255);
  EXPECT_EQ(HexPairValue("0A"), 10);
  EXPECT_EQ(HexPairValue("ZZ"), 255) << "beyond F the value is kept within a byte";
  EXPECT_EQ(HexPairValue("7"), 0);
}

TEST(AsgHTMLEColors, HighlightColorsHoldUntilChanged) {
  EXPECT_EQ(HTMLHighlightColor(), clHighlight);
  EXPECT_EQ(HTMLHighlightTextColor(), clHighlightText);
  SetHTMLHighlightColors(clYellow, clNavy);
  EXPECT_EQ(HTMLHighlightColor(), clYellow);
  EXPECT_EQ(HTMLHighlightTextColor(), clNavy);
  SetHTMLHighlightColors(clHighlight, clHighlightText);
}

TEST(AsgHTMLEFlags, BiDiFlags) {
  const unsigned base = DT_BOTTOM | DT_SINGLELINE;
  const struct {
    unsigned Flags;
    int Mode;
    bool RightToLeft;
    unsigned Out;
  } cases[] = {
      {base, 1, false, base},
      {base, 0, true, base},
      {base, 1, true, base | DT_RIGHT | DT_RTLREADING},
      {base | DT_RIGHT, 1, true, base | DT_RTLREADING},
      {base | DT_CENTER, 1, true, base | DT_CENTER | DT_RTLREADING},
      {base, 2, true, base | DT_RTLREADING},
  };
  for (const auto& c : cases)
    EXPECT_EQ(BiDiDrawTextFlags(c.Flags, c.Mode, c.RightToLeft), c.Out) << c.Flags << " " << c.Mode;
  EXPECT_EQ(BiDiDrawTextFlags(base, 1), base) << "the locales here read left to right";
}
