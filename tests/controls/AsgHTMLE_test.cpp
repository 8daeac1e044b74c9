// The mini-HTML renderer: layout, extents, stripped text, drawing and hit-testing.
#include "AsgHTMLETestSupport.h"

#include <functional>
#include <string>
#include <vector>

namespace {

using AsgHTMLE = HTMLRenderTest;

struct TPiece {
  std::string Text;
  TFontStyles Style = 0;
};

} // namespace

// The visible text and the extents of a table of samples laid out in a wide rectangle.
TEST_F(AsgHTMLE, StrippedTextAndExtents) {
  const struct {
    const char* Markup;
    const char* Stripped;
    std::vector<std::vector<TPiece>> Lines; // the runs of each line as they are measured
  } cases[] = {
      {"plain text", "plain text", {{{"plain text"}}}},
      {"a&amp;b", "a&b", {{{"a&&b"}}}}, // "&&" is how the text output is given one "&"
      {"x &lt;tag&gt;", "x <tag>", {{{"x <tag>"}}}},
      {"a&nbsp;&nbsp;b", "a  b", {{{"a  b"}}}},
      {"<b>bold</b>x", "boldx", {{{"bold", fsBold}, {"x"}}}},
      {"<i>it</i><u>u</u><s>s</s>", "itus", {{{"it", fsItalic}, {"u", fsUnderline}, {"s", fsStrikeOut}}}},
      {"a<br>bc", "a\rbc", {{{"a"}}, {{"bc"}}}},
      {"one\r\ntwo", "one\rtwo", {{{"one"}}, {{"two"}}}},
      {"a<hr>b", "ab", {{{"a"}}, {{"b"}}}},
      {"<z>hidden</z>shown", "hiddenshown", {{{"shown"}}}},
      {"a<#name>b", "a#nameb", {{{"a#nameb"}}}},
      {"<a href=\"x\">link</a> end", "link end", {{{"link ", fsUnderline}, {"end"}}}},
      {"<q>x</q>y", "xy", {{{"x"}, {"y"}}}},
      {"<unknown>x", "x", {{}, {{"x"}}}}, // a "U" not followed by ">" is a list
      {"cut<here", "cut", {{{"cut"}}}},
      {"<p align=\"right\">r</p>left", "rleft", {{{"r"}}, {{"left"}}}},
      {"", "", {}},
  };
  for (const auto& c : cases) {
    const THTMLDrawResult r = Measure(c.Markup, Rect(0, 0, 300, 200));
    EXPECT_EQ(r.StrippedText, c.Stripped) << c.Markup;
    int widest = 0;
    for (const auto& line : c.Lines) {
      int w = 0;
      for (const TPiece& p : line)
        w += Width(p.Text, p.Style);
      widest = std::max(widest, w);
    }
    EXPECT_EQ(r.XSize, widest) << c.Markup;
    EXPECT_EQ(r.YSize, Gh() * std::max<int>(1, static_cast<int>(c.Lines.size()))) << c.Markup;
  }
}

// The renderer's own edge cases, and the faults mended in it (marked so).
TEST_F(AsgHTMLE, EdgeCases) {
  struct TCase {
    const char* Name;
    std::function<void()> Check;
  };
  const TRect wide = Rect(0, 0, 300, 200);
  const TCase cases[] = {
      {"an escaped ampersand shows as one",
       [&] {
         Draw("a&amp;b", Rect(10, 10, 200, 40));
         TBitmap expected(Bitmap.Width(), Bitmap.Height());
         expected.Canvas().Font().Assign(Canvas.Font());
         expected.Canvas().Brush().SetStyle(bsClear);
         expected.Canvas().TextOut(11, 10, "a&b");
         for (int y = 0; y < 60; ++y)
           for (int x = 0; x < 200; ++x)
             ASSERT_EQ(Bitmap.Pixel(x, y), expected.Pixel(x, y)) << x << "," << y;
       }},
      {"entities of angle brackets show as brackets",
       [&] { EXPECT_EQ(Measure("x &lt;tag&gt;", wide).XSize, Width("x <tag>")); }},
      {"word wrap breaks after a blank where the next word does not fit",
       [&] {
         const THTMLDrawResult r = Measure("aaa bbb", Rect(0, 0, Width("aaa ") + 1, 200));
         EXPECT_EQ(r.YSize, 2 * Gh());
         EXPECT_EQ(r.XSize, std::max(Width("aaa"), Width("bbb"))) << "the trailing blank does not count";
         EXPECT_EQ(r.StrippedText, "aaa bbb");
       }},
      {"runs continuing a word stay on its line",
       [&] {
         const THTMLDrawResult r = Measure("aa<b>a</b>bbb", Rect(0, 0, Width("aa") + 1, 200));
         EXPECT_EQ(r.YSize, Gh());
         EXPECT_EQ(r.XSize, Width("aa") + Width("a", fsBold) + Width("bbb"));
       }},
      {"a word wider than the line stays where it is, the next one wraps",
       [&] {
         const THTMLDrawResult r = Measure("a verylongword b", Rect(0, 0, Width("very") + 1, 200));
         EXPECT_EQ(r.YSize, 2 * Gh());
         EXPECT_EQ(r.XSize, Width("a ") + Width("verylongword"));
       }},
      {"without word wrap the text is one line ending in an ellipsis",
       [&] {
         THTMLDrawParams p;
         p.WordWrap = false;
         const TRect r = Rect(0, 0, Width("abc de") + 1, 200);
         const THTMLDrawResult m = Draw("abc <b>defghij</b> tail<br>next", r, p);
         EXPECT_EQ(m.StrippedText, "abc defghij") << "up to the end of the run that reached the edge";
         EXPECT_EQ(m.YSize, Gh());
         EXPECT_LE(m.XSize, r.Right - 1);
         EXPECT_LE(Ink().Right, r.Right);
       }},
      {"FONT SIZE 2 is 10 points",
       [&] {
         const THTMLDrawResult r = Measure("<font size=\"2\">Xy</font>", wide);
         EXPECT_EQ(r.XSize, Width("Xy", 0, 10));
         EXPECT_EQ(r.YSize, Gh(10));
       }},
      {"FONT SIZE 20 is 20 points",
       [&] { EXPECT_EQ(Measure("<font size=\"20\">Xy</font>", wide).YSize, Gh(20)); }},
      {"mended: FONT SIZE is kept within 200 points",
       [&] { EXPECT_EQ(Measure("<font size=\"99999999999\">Xy</font>", wide).YSize, Gh(200)); }},
      {"FONT ends back in the base font",
       [&] {
         EXPECT_EQ(Measure("<font face=\"Courier New\" size=\"4\">a</font><br>b", wide).YSize, Gh(14) + Gh());
       }},
      {"measuring draws nothing",
       [&] {
         const THTMLDrawResult r =
             Measure("<b>abc</b><br><font color=\"clred\">de</font>", Rect(0, 0, 50, 5));
         EXPECT_EQ(r.XSize, Width("abc", fsBold));
         EXPECT_EQ(r.YSize, 2 * Gh()) << "every line counts, whatever the rectangle's height";
         EXPECT_TRUE(Ink().IsEmpty());
       }},
      {"an empty text is as high as \"gh\"",
       [&] {
         const THTMLDrawResult r = Measure("", wide);
         EXPECT_EQ(r.XSize, 0);
         EXPECT_EQ(r.YSize, Gh());
       }},
      {"a hit on the second line of a wrapped anchor finds that part",
       [&] {
         const std::string text = "go <a href=\"target\" title=\"tip\">first second</a> end";
         const TRect r = Rect(5, 5, 5 + Width("go first ") + 1, 100);
         THTMLDrawParams p;
         p.X = 5 + 1 + Width("sec");
         p.Y = 5 + Gh() + Gh() / 2;
         const THTMLDrawResult hit = Draw(text, r, p);
         EXPECT_TRUE(Hit);
         EXPECT_EQ(hit.AnchorHRef, "target");
         EXPECT_EQ(hit.AnchorTitle, "tip");
         EXPECT_EQ(hit.MouseLink, 1);
         EXPECT_EQ(hit.MouseRect, Rect(6, 5 + Gh(), 6 + Width("second"), 5 + 2 * Gh()));
         EXPECT_EQ(hit.HyperLinks, 1);
       }},
      {"drawing stops below the rectangle",
       [&] {
         const THTMLDrawResult r = Draw("a<br>b<br>c", Rect(0, 0, 100, Gh() + Gh() / 2));
         EXPECT_EQ(r.StrippedText, "a\r");
         EXPECT_EQ(r.YSize, Gh());
       }},
      {"mended: an item outside a list keeps its bullet inside the rectangle",
       [&] {
         Draw("<li>x", Rect(0, 0, 100, 40));
         EXPECT_GE(Ink().Left, 1);
         EXPECT_EQ(Measure("<li>x", wide).XSize, 12 + Width("x"));
       }},
      {"lists indent 12 pixels a level, a second item starts a line",
       [&] {
         const THTMLDrawResult r = Measure("<ul><li>one<ul><li>two</ul></ul>three", wide);
         EXPECT_EQ(r.StrippedText, "onetwothree");
         EXPECT_EQ(r.XSize, 24 + Width("two") + Width("three")) << "closing a list does not end the line";
         EXPECT_EQ(r.YSize, 3 * Gh()) << "each UL ends its line";
         EXPECT_EQ(Measure("<li>a<li>b", wide).YSize, 2 * Gh());
       }},
      {"IND moves the next output",
       [&] { EXPECT_EQ(Measure("a<ind x=\"60\">b", wide).XSize, 60 + Width("b")); }},
      {"superscript and subscript make room above and below",
       [&] {
         EXPECT_EQ(Measure("x<sup>2</sup>", wide).YSize, Gh() + Gh() / 4);
         EXPECT_EQ(Measure("x<sub>2</sub><sup>3</sup>", wide).YSize, Gh() + 2 * (Gh() / 4));
       }},
      {"the focused anchor's HREF is reported",
       [&] {
         THTMLDrawParams p;
         p.FocusLink = 1;
         const THTMLDrawResult r = Draw("<a href=\"a\">1</a> <a href=\"b\">2</a>", wide, p);
         EXPECT_EQ(r.FocusAnchor, "b");
         EXPECT_EQ(r.HyperLinks, 2);
         EXPECT_FALSE(Hit);
       }},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Clear();
    c.Check();
  }
}

// However narrow the rectangle, every line takes something, so layout ends.
TEST_F(AsgHTMLE, NarrowRectanglesTerminate) {
  const char* texts[] = {"long words here and there",
                         "<li>a<li>b<li>c",
                         "a<ind x=\"50\">z y",
                         "<control type=\"edit\" width=\"50\" value=\"v\">x",
                         "a<br><br>b",
                         "<b></b><i></i>  <u>x</u>",
                         "<font size=\"7\">a b</font> c"};
  for (int width : {-100, 0, 1, 2, 5}) {
    for (const char* text : texts) {
      const THTMLDrawResult m = Measure(text, Rect(10, 0, 10 + width, 100));
      EXPECT_GT(m.YSize, 0) << text << " in " << width;
      EXPECT_LE(m.YSize, 64 * Gh(7)) << text << " in " << width;
      Draw(text, Rect(10, 0, 10 + width, 100));
    }
  }
  // Where no word fits, each is as wide as the line and stays on it.
  const THTMLDrawResult words = Measure("ab cd ef", Rect(0, 0, 0, 10));
  EXPECT_EQ(words.YSize, Gh());
  EXPECT_EQ(words.XSize, Width("ab ") + Width("cd ") + Width("ef"));
}

// The anchor found under a point is the one drawn there: every pixel of the hovered anchor's
// colour hit-tests to that anchor, in any alignment and across wrapped lines.
TEST_F(AsgHTMLE, HitTestAgreesWithDrawing) {
  const char* texts[] = {
      "x <a href=\"1\">one</a> y <a href=\"2\">two words</a> z",
      "<p align=\"center\">centred <a href=\"1\">link</a> and <a href=\"2\">another long one</a></p>",
      "<p align=\"right\"><a href=\"1\">right</a> <sup><a href=\"2\">up</a></sup> <a href=\"3\">end</a></p>",
      "<p indent=\"20\">in <a href=\"1\">dented wrapping anchor text</a></p>",
      "<font size=\"14\">big</font> <a href=\"1\">small</a> <ind x=\"100\"><a href=\"2\">there</a>",
  };
  const TRect r = Rect(10, 8, 130, 190);
  for (const char* text : texts) {
    const int anchors = Measure(text, r).HyperLinks;
    ASSERT_GT(anchors, 0) << text;
    for (int n = 1; n <= anchors; ++n) {
      Clear();
      THTMLDrawParams p;
      p.HoverStyle = true;
      p.HoverLink = n;
      p.HoverFontColor = clLime;
      Draw(text, r, p);
      const int pixels = Count(clLime);
      ASSERT_GT(pixels, 0) << text << " anchor " << n;
      int checked = 0;
      for (int y = 0; y < Bitmap.Height(); ++y)
        for (int x = 0; x < Bitmap.Width(); ++x) {
          if (Bitmap.Pixel(x, y) != clLime) continue;
          THTMLDrawParams q;
          q.HitTestOnly = true;
          q.X = x;
          q.Y = y;
          THTMLDrawResult hit;
          ASSERT_TRUE(DrawHTML(Canvas, text, r, q, hit)) << text << " at " << x << "," << y;
          ASSERT_EQ(hit.MouseLink, n) << text << " at " << x << "," << y;
          ASSERT_TRUE(hit.MouseRect.Contains({x, y}));
          ++checked;
        }
      EXPECT_EQ(checked, pixels);
    }
  }
  // Text outside anchors hits nothing.
  Clear();
  THTMLDrawParams p;
  p.X = 10 + 1 + Width("x") / 2;
  p.Y = 8 + Gh() / 2;
  const THTMLDrawResult miss = Draw(texts[0], r, p);
  EXPECT_FALSE(Hit);
  EXPECT_EQ(miss.MouseLink, -1);
  EXPECT_EQ(miss.AnchorHRef, "");
}

// The colours tags paint with, and the ones that do not show.
TEST_F(AsgHTMLE, TagsPaintTheirColours) {
  const TColor purple = RGB(0x80, 0x20, 0x60);
  struct TCase {
    const char* Markup;
    std::function<void(THTMLDrawParams&)> Setup;
    TColor Color;
    bool Shown;
  };
  const TCase cases[] = {
      {"<font color=\"clRed\">W</font>", {}, clRed, true},
      {"<font color=\"#802060\">W</font>", {}, purple, true},
      {"<font color=\"#FFF\">W</font>", {}, clBlack, true}, // mended: short hex is black
      {"<font color=\"clRed\">W</font>", [](THTMLDrawParams& p) { p.Selected = true; }, clRed, false},
      {"<font bgcolor=\"clYellow\">W</font>", {}, clYellow, true},
      {"<font color=\"clred\">a</font>b", {}, clBlack, true},
      {"<a href=\"x\">W</a>", [](THTMLDrawParams& p) { p.URLColor = clGreen; }, clGreen, true},
      {"<a href=\"x\">W</a>", [](THTMLDrawParams& p) { p.HoverColor = clAqua; }, clAqua, true},
      {"<a href=\"x\">W</a>",
       [](THTMLDrawParams& p) {
         p.HoverStyle = true;
         p.HoverColor = clAqua;
       },
       clAqua, false},
      {"<hi>W</hi>", {}, ColorToRGB(clHighlight), true},
      {"<blink><font color=\"clred\">W</font></blink>", [](THTMLDrawParams& p) { p.BlinkPhase = false; },
       clRed, true},
      {"<blink>W</blink>", [](THTMLDrawParams& p) { p.BlinkPhase = false; }, clBlack, false},
      {"<blink>W</blink>", {}, clBlack, true},
      {"<shad>W</shad>", [](THTMLDrawParams& p) { p.ShadowColor = clFuchsia; }, clFuchsia, true},
      {"W", [](THTMLDrawParams& p) { p.ShadowColor = clFuchsia; }, clFuchsia, false},
      {"<e>error</e>", {}, clRed, true},
      {"<p bgcolor=\"clLime\">W</p>x", {}, clLime, true},
      {"<body bgcolor=\"#00FF00\">W", {}, clLime, true},
      {"<body bgcolor=\"00FF00\">W", {}, clLime, false},
      {"<z><font bgcolor=\"clYellow\">hidden</font></z>", {}, clYellow, false},
      {"<a href=\"x\">W</a>", [](THTMLDrawParams& p) { p.URLColor = clLime; }, clBlack, false},
      {"<a href=\"x\">W</a>",
       [](THTMLDrawParams& p) {
         p.URLColor = clLime;
         p.FocusLink = 0;
       },
       clBlack, true}, // the focus frame
  };
  for (const TCase& c : cases) {
    Clear();
    THTMLDrawParams p;
    if (c.Setup) c.Setup(p);
    Draw(c.Markup, Rect(4, 4, 200, 60), p);
    EXPECT_EQ(Count(c.Color) > 0, c.Shown) << c.Markup;
  }
}

TEST_F(AsgHTMLE, LinesAndBandsSpanTheRectangle) {
  const TRect r = Rect(10, 10, 150, 100);
  Draw("a<hr>b", r);
  const int y = 10 + Gh();
  EXPECT_EQ(Count(clBlack, Rect(10, y, 150, y + 1)), 140) << "the rule crosses the rectangle under its line";

  Clear();
  Draw("<p bgcolor=\"clAqua\">one <font bgcolor=\"clRed\">red<br>two</font></p>three", r);
  EXPECT_EQ(InkOf(clAqua), Rect(10, 10, 150, 10 + 2 * Gh())) << "the band of each line of the paragraph";

  Clear();
  Draw("<body bgcolor=\"clYellow\">x", r);
  EXPECT_EQ(InkOf(clYellow), r);
}

TEST_F(AsgHTMLE, AlignmentPlacesLines) {
  const TRect r = Rect(0, 0, 201, 100);
  const struct {
    const char* Markup;
    int Left;
  } cases[] = {
      {"<font color=\"clred\">abc</font>", 1},
      {"<p align=\"right\"><font color=\"clred\">abc</font></p>", 201 - Width("abc")},
      {"<p align=\"center\"><font color=\"clred\">abc</font></p>", 1 + (200 - Width("abc")) / 2},
      {"<p indent=\"30\"><font color=\"clred\">abc</font></p>", 31},
  };
  for (const auto& c : cases) {
    Clear();
    Draw(c.Markup, r);
    const TRect ink = InkOf(clRed);
    ASSERT_FALSE(ink.IsEmpty()) << c.Markup;
    EXPECT_NEAR(ink.Left, c.Left, 2) << c.Markup;
    EXPECT_LE(ink.Right, c.Left + Width("abc") + 1) << c.Markup;
  }
  Clear();
  Draw("<sup><font color=\"clred\">x</font></sup><font color=\"clblue\">x</font><sub><font "
       "color=\"clgreen\">x</font></sub>",
       r);
  EXPECT_LT(InkOf(clRed).Top, InkOf(clBlue).Top);
  EXPECT_GT(InkOf(clGreen).Top, InkOf(clBlue).Top);
}

TEST_F(AsgHTMLE, RotatedTextTurnsAroundItsCorner) {
  const THTMLDrawResult r =
      Draw("<r a=\"90\"><font color=\"clred\">rotated</font></r><font color=\"clblue\">x</font>",
           Rect(10, 80, 300, 190));
  const TRect turned = InkOf(clRed);
  ASSERT_FALSE(turned.IsEmpty());
  EXPECT_GT(turned.Height(), turned.Width()) << "reads upward";
  EXPECT_LE(turned.Bottom, 80 + Gh() + 1);
  EXPECT_EQ(r.XSize, Width("rotated") + Width("x")) << "the run advances as it would unturned";
  EXPECT_GE(InkOf(clBlue).Left, 11 + Width("rotated") - 1) << "the font before the turn comes back";
}

TEST_F(AsgHTMLE, CanvasIsLeftAsItWas) {
  Canvas.Font().SetStyle(fsItalic);
  Canvas.Font().SetColor(clMaroon);
  Canvas.Pen().SetColor(clTeal);
  Canvas.Pen().SetWidth(3);
  Canvas.Brush().SetColor(clCream);
  const TFont font(Canvas.Font());
  THTMLDrawParams p;
  p.FocusLink = 0;
  Draw("<b><font face=\"Courier New\" color=\"clred\" bgcolor=\"clblue\">x<a href=\"y\">y</a><e>z<hr>",
       Rect(0, 0, 100, 50), p);
  EXPECT_TRUE(Canvas.Font().SameAs(font));
  EXPECT_EQ(Canvas.Pen().Color(), clTeal);
  EXPECT_EQ(Canvas.Pen().Width(), 3);
  EXPECT_EQ(Canvas.Brush().Color(), clCream);
  EXPECT_EQ(Canvas.Brush().Style(), bsSolid);
}
