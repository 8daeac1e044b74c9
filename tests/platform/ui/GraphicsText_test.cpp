#include "GraphicsTestSupport.h"
#include "platform/ui/ThemeDraw.h"

#include <functional>
#include <string>
#include <vector>

namespace {

class CanvasText : public GraphicsTest {
protected:
  void SetUp() override {
    Canvas.Font().SetName("DejaVu Sans");
    Canvas.Font().SetHeight(-12);
  }
  TBitmap Bitmap{200, 60};
  TCanvas& Canvas = Bitmap.Canvas();
};

std::string Repeat(const std::string& word, int n) {
  std::string s;
  for (int i = 0; i < n; ++i)
    s += (i ? " " : "") + word;
  return s;
}

TEST(FontSubstitution, NamesMapToTheDejaVuFaces) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"Verdana", "DejaVu Sans"},
      {"Tahoma", "DejaVu Sans"},
      {"Segoe UI", "DejaVu Sans"},
      {"MS Sans Serif", "DejaVu Sans"},
      {"arial", "DejaVu Sans"},
      {"Symbol", "DejaVu Sans"},
      {"Courier New", "DejaVu Sans Mono"},
      {"Nonexistent Face", "DejaVu Sans"},
      {"", "DejaVu Sans"},
  };
  for (const auto& [name, face] : cases)
    EXPECT_EQ(SubstituteFontName(name), face) << name;
  EXPECT_EQ(SubstituteFontName("Nonexistent Face", true), "DejaVu Sans Mono");
  EXPECT_EQ(SymbolTextToUnicode("a\xC2\xB7 b"), "a\xE2\x80\xA2 b");
}

TEST_F(CanvasText, FontSizesAndHeights) {
  TFont f;
  EXPECT_EQ(f.Height(), -11);
  EXPECT_EQ(f.Size(), 8);
  f.SetSize(10);
  EXPECT_EQ(f.Height(), -13);
  int changes = 0;
  f.OnChange = [&] { ++changes; };
  f.SetColor(clRed);
  f.SetColor(clRed);
  TFont g;
  g.Assign(f);
  EXPECT_TRUE(g.SameAs(f));
  f.Assign(g);
  EXPECT_EQ(changes, 1) << "only real changes notify";

  // A positive height asks for the cell height, a negative one for the character height.
  Canvas.Font().SetHeight(16);
  EXPECT_NEAR(Canvas.TextHeight("Xg"), 16, 1);
  Canvas.Font().SetHeight(-16);
  EXPECT_GT(Canvas.TextHeight("Xg"), 16);
  const TTextMetric m = Canvas.TextMetric();
  EXPECT_EQ(m.tmHeight, m.tmAscent + m.tmDescent);
  EXPECT_EQ(Canvas.TextHeight(""), m.tmHeight);
  EXPECT_EQ(Canvas.TextWidth(""), 0);
}

// Fonts copied from one another compare by identity; that identity must part at every change of
// either and must not make equal fonts from separate paths compare unequal.
TEST(FontCompare, SameAsFollowsEveryWayAFontChanges) {
  using TStep = std::function<void(TFont & a, TFont & b)>;
  const std::string longA = "DejaVu Sans Mono Bold A", longB = "DejaVu Sans Mono Bold B";
  struct TCase {
    const char* What;
    TStep Make;
    bool Same;
  } cases[] = {
      {"two defaults", [](TFont&, TFont&) {}, true},
      {"copied",
       [](TFont& a, TFont& b) {
         a.SetColor(clRed);
         b = TFont(a);
       },
       true},
      {"copied, then the source's style changed",
       [](TFont& a, TFont& b) {
         b = TFont(a);
         a.SetStyle(fsBold);
       },
       false},
      {"copied, then the copy's height changed",
       [](TFont& a, TFont& b) {
         a.SetColor(clRed);
         b = TFont(a);
         b.SetHeight(-20);
       },
       false},
      {"assigned, then the source renamed",
       [](TFont& a, TFont& b) {
         a.SetColor(clRed);
         b.Assign(a);
         a.SetName("Verdana");
       },
       false},
      {"set alike separately",
       [](TFont& a, TFont& b) {
         a.SetColor(clRed);
         b.SetColor(clRed);
       },
       true},
      {"changed and changed back",
       [](TFont& a, TFont&) {
         a.SetHeight(-20);
         a.SetHeight(-11);
       },
       true},
      {"pitch", [](TFont& a, TFont&) { a.SetPitch(fpFixed); }, false},
      {"charset", [](TFont& a, TFont&) { a.SetCharset(0); }, false},
      {"long names differing at the end",
       [&](TFont& a, TFont& b) {
         a.SetName(longA);
         b.SetName(longB);
       },
       false},
      {"long names alike",
       [&](TFont& a, TFont& b) {
         a.SetName(longA);
         b.SetName(longA);
       },
       true},
      {"equal under two identities, one assigned the other, then the source changed",
       [](TFont& a, TFont& b) {
         a.SetColor(clRed);
         b.SetColor(clRed);
         b.Assign(a);
         a.SetColor(clBlue);
       },
       false},
      {"copy of a copy, the middle one changed",
       [](TFont& a, TFont& b) {
         a.SetSize(12);
         TFont middle(a);
         b = TFont(middle);
         middle.SetSize(14);
       },
       true},
  };
  for (const TCase& t : cases) {
    SCOPED_TRACE(t.What);
    TFont a, b;
    t.Make(a, b);
    EXPECT_EQ(a.SameAs(b), t.Same);
    EXPECT_EQ(b.SameAs(a), t.Same);
    const bool fieldsEqual = a.Name() == b.Name() && a.Height() == b.Height() && a.Color() == b.Color() &&
                             a.Style() == b.Style() && a.Pitch() == b.Pitch() && a.Charset() == b.Charset();
    EXPECT_EQ(fieldsEqual, t.Same);
    int changes = 0;
    b.OnChange = [&] { ++changes; };
    b.Assign(a);
    EXPECT_EQ(changes, t.Same ? 0 : 1) << "only a real change notifies";
    EXPECT_TRUE(b.SameAs(a));
    EXPECT_EQ(b.Name(), a.Name());
    EXPECT_EQ(b.Height(), a.Height());
    a.SetStyle(a.Style() ^ fsUnderline);
    EXPECT_FALSE(b.SameAs(a)) << "a change after the copy parts them";
  }
}

TEST_F(CanvasText, WidthsGrowWithTextAndStyle) {
  const int plain = Canvas.TextWidth("Configuration");
  EXPECT_GT(plain, Canvas.TextWidth("Config"));
  Canvas.Font().SetStyle(fsBold);
  EXPECT_GT(Canvas.TextWidth("Configuration"), plain);
  Canvas.Font().SetStyle(0);
  Canvas.Font().SetHeight(-24);
  EXPECT_GT(Canvas.TextWidth("Configuration"), plain);
  Canvas.Font().SetName("Courier New");
  EXPECT_EQ(Canvas.TextWidth("iiii"), Canvas.TextWidth("MMMM")) << "fixed pitch face";
  // Measurements stay with their font however often fonts take turns (more than are kept).
  Canvas.Font().SetName("Tahoma");
  Canvas.Font().SetHeight(-11);
  Canvas.Font().SetStyle(0);
  const int first = Canvas.TextWidth("Configuration");
  Canvas.Font().SetStyle(fsBold);
  const int bold = Canvas.TextWidth("Configuration");
  for (int round = 0; round < 3; ++round) {
    int smaller = 0;
    for (int h : {-11, -12, -13, -14, -15, -16}) {
      Canvas.Font().SetHeight(h);
      Canvas.Font().SetStyle(0);
      Canvas.Font().SetColor(round & 1 ? clRed : clBlack);
      const int normal = Canvas.TextWidth("Configuration");
      EXPECT_GT(normal, smaller) << h;
      smaller = normal;
      Canvas.Font().SetStyle(fsBold);
      EXPECT_GT(Canvas.TextWidth("Configuration"), normal) << h;
      if (h == -11) {
        EXPECT_EQ(normal, first);
        EXPECT_EQ(Canvas.TextWidth("Configuration"), bold);
      }
    }
  }
}

TEST_F(CanvasText, UnknownAndSubstitutedNamesDrawTheSame) {
  auto render = [](const std::string& face) {
    TBitmap b(120, 20);
    b.Canvas().Font().SetName(face);
    b.Canvas().Font().SetHeight(-12);
    b.Canvas().TextOut(2, 2, "Ethernet 10");
    return b;
  };
  const TBitmap sans = render("DejaVu Sans");
  EXPECT_FALSE(InkBounds(sans).IsEmpty());
  EXPECT_TRUE(SamePixels(render("Tahoma"), sans));
  EXPECT_TRUE(SamePixels(render("No Such Face"), sans));
}

TEST_F(CanvasText, SymbolBulletDrawsAsUnicodeBullet) {
  TBitmap symbol(20, 20), bullet(20, 20);
  symbol.Canvas().Font().SetName("Symbol");
  symbol.Canvas().TextOut(2, 2, "\xC2\xB7");
  bullet.Canvas().Font().SetName("DejaVu Sans");
  bullet.Canvas().TextOut(2, 2, "\xE2\x80\xA2");
  EXPECT_FALSE(InkBounds(bullet).IsEmpty());
  EXPECT_TRUE(SamePixels(symbol, bullet));
}

struct WrapCase {
  const char* Name;
  std::string Text;
  int Width;
  unsigned Flags;
  int Lines;
};

TEST_F(CanvasText, CalcRectGivesOneLineHeightPerLine) {
  const int word = Canvas.TextWidth("word");
  const int pair = Canvas.TextWidth("word word");
  const int lineHeight = Canvas.TextHeight("word");
  const unsigned wrap = DT_CALCRECT | DT_WORDBREAK;
  const std::vector<WrapCase> cases = {
      {"two words per line", Repeat("word", 6), pair + 1, wrap, 3},
      {"odd count", Repeat("word", 5), pair + 1, wrap, 3},
      {"one word per line", Repeat("word", 4), word + 1, wrap, 4},
      {"everything fits", Repeat("word", 4), 1000, wrap, 1},
      {"exact fit", "word word", pair, wrap, 1},
      {"no wrapping without the flag", Repeat("word", 6), word, DT_CALCRECT, 1},
      {"hard breaks", "a\nb\r\nc", 1000, DT_CALCRECT, 3},
      {"empty line counts", "a\n\nb", 1000, DT_CALCRECT, 3},
      {"final break adds none", "a\n", 1000, DT_CALCRECT, 1},
      {"single line ignores breaks", "a\nb\nc", 1000, DT_CALCRECT | DT_SINGLELINE, 1},
      {"long word stays whole", "Supercalifragilistic", word, wrap, 1},
      {"edit control breaks long words", "Supercalifragilistic", word, wrap | DT_EDITCONTROL, 0},
      {"zero width puts each word on a line", Repeat("word", 3), 0, wrap, 3},
      {"empty text", "", 100, wrap, 0},
  };
  for (const WrapCase& k : cases) {
    SCOPED_TRACE(k.Name);
    TRect r = Bounds(10, 20, k.Width, 5);
    const int h = Canvas.DrawText(k.Text, r, k.Flags);
    const int lines =
        static_cast<int>(DrawTextLines(Canvas, k.Text, Bounds(10, 20, k.Width, 5), k.Flags).size());
    if (k.Lines > 0) {
      EXPECT_EQ(lines, k.Lines);
    } else if (!k.Text.empty()) {
      EXPECT_GT(lines, 1);
    }
    EXPECT_EQ(h, lines * lineHeight);
    EXPECT_EQ(r.Bottom - r.Top, h);
    EXPECT_EQ(r.Top, 20);
    EXPECT_EQ(r.Left, 10);
  }
  EXPECT_TRUE(InkBounds(Bitmap).IsEmpty()) << "DT_CALCRECT draws nothing";
}

TEST_F(CanvasText, CalcRectWidthIsTheWidestLine) {
  TRect r = Rect(0, 0, 1000, 0);
  Canvas.DrawText("short\nthe longest line\nmid", r, DT_CALCRECT);
  EXPECT_EQ(r.Width(), Canvas.TextWidth("the longest line"));
  const int pair = Canvas.TextWidth("word word");
  r = Rect(5, 0, 5 + pair + 10, 0);
  Canvas.DrawText(Repeat("word", 5), r, DT_CALCRECT | DT_WORDBREAK);
  EXPECT_EQ(r.Width(), pair) << "the rectangle shrinks to the text";
  const std::vector<std::string> lines =
      DrawTextLines(Canvas, Repeat("word", 5), Rect(0, 0, pair + 10, 0), DT_WORDBREAK);
  EXPECT_EQ(lines, (std::vector<std::string>{"word word", "word word", "word"})) << "blanks at breaks vanish";
  EXPECT_EQ(DrawTextLines(Canvas, "  word word   ", Rect(0, 0, 1000, 0), DT_WORDBREAK),
            (std::vector<std::string>{"  word word"}))
      << "a line that fits keeps its leading blanks and loses its trailing ones";
}

TEST_F(CanvasText, EllipsisShortensToFit) {
  const std::string longText = "Communication parameters of the gateway";
  const std::string path = "/home/user/PROJECTS/Plant_North/bin/bank1.bin";
  for (int width : {40, 80, 150}) {
    for (unsigned style : {DT_END_ELLIPSIS, DT_PATH_ELLIPSIS}) {
      SCOPED_TRACE(std::to_string(width) + (style == DT_END_ELLIPSIS ? " end" : " path"));
      const std::string& text = style == DT_END_ELLIPSIS ? longText : path;
      const auto lines = DrawTextLines(Canvas, text, Rect(0, 0, width, 20), style | DT_SINGLELINE);
      ASSERT_EQ(lines.size(), 1u);
      EXPECT_LE(Canvas.TextWidth(lines[0]), width) << lines[0];
      EXPECT_NE(lines[0].find("..."), std::string::npos) << lines[0];
      if (style == DT_END_ELLIPSIS) {
        EXPECT_EQ(lines[0].substr(lines[0].size() - 3), "...");
        EXPECT_EQ(text.compare(0, lines[0].size() - 3, lines[0], 0, lines[0].size() - 3), 0)
            << "keeps the start";
      }
      if (style == DT_PATH_ELLIPSIS && width >= 80) {
        EXPECT_EQ(lines[0].substr(lines[0].size() - 10), "/bank1.bin") << "keeps the file name";
      }
      // Drawn without clipping it still stays inside.
      TBitmap b(200, 20);
      b.Canvas().Font().Assign(Canvas.Font());
      TRect r = Rect(10, 0, 10 + width, 20);
      b.Canvas().DrawText(text, r, style | DT_SINGLELINE | DT_NOCLIP);
      const TRect ink = InkBounds(b);
      EXPECT_GE(ink.Left, 10);
      EXPECT_LE(ink.Right, 10 + width);
    }
  }
  EXPECT_EQ(DrawTextLines(Canvas, "fits", Rect(0, 0, 200, 20), DT_END_ELLIPSIS | DT_SINGLELINE),
            std::vector<std::string>{"fits"});
}

TEST_F(CanvasText, PrefixCharacters) {
  const struct {
    std::string Text;
    unsigned Flags;
    std::string Shown;
  } cases[] = {
      {"&File", 0, "File"},         {"Save && Exit", 0, "Save & Exit"},
      {"Trailing&", 0, "Trailing"}, {"&File", DT_NOPREFIX, "&File"},
      {"&&", DT_NOPREFIX, "&&"},    {"&File", DT_HIDEPREFIX, "File"},
  };
  for (const auto& k : cases)
    EXPECT_EQ(DrawTextLines(Canvas, k.Text, Rect(0, 0, 500, 20), k.Flags | DT_SINGLELINE),
              std::vector<std::string>{k.Shown})
        << k.Text;

  // The prefixed character is underlined: the pictures differ only below the baseline.
  auto render = [&](const std::string& text, unsigned flags) {
    TBitmap b(100, 30);
    b.Canvas().Font().Assign(Canvas.Font());
    TRect r = Rect(0, 0, 100, 30);
    b.Canvas().DrawText(text, r, flags | DT_SINGLELINE);
    return b;
  };
  const TBitmap plain = render("File", 0), prefixed = render("&File", 0);
  EXPECT_TRUE(SamePixels(render("&File", DT_HIDEPREFIX), plain));
  EXPECT_FALSE(SamePixels(prefixed, plain));
  const int ascent = Canvas.TextMetric().tmAscent;
  const int fWidth = Canvas.TextWidth("F");
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 100; ++x)
      if (plain.Pixel(x, y) != prefixed.Pixel(x, y)) {
        EXPECT_GT(y, ascent - 1) << x << "," << y;
        EXPECT_LT(x, fWidth + 1) << "only under the F";
      }
}

TEST_F(CanvasText, AlignmentPlacesTheText) {
  auto ink = [&](unsigned flags) {
    TBitmap b(200, 60);
    b.Canvas().Font().Assign(Canvas.Font());
    TRect r = Rect(20, 10, 180, 50);
    b.Canvas().DrawText("Gateway", r, flags);
    return InkBounds(b);
  };
  const int tw = Canvas.TextWidth("Gateway"), th = Canvas.TextHeight("Gateway");
  const TRect left = ink(DT_SINGLELINE), right = ink(DT_SINGLELINE | DT_RIGHT);
  const TRect centre = ink(DT_SINGLELINE | DT_CENTER | DT_VCENTER), bottom = ink(DT_SINGLELINE | DT_BOTTOM);
  EXPECT_GE(left.Left, 20);
  EXPECT_LE(left.Left, 22);
  EXPECT_GE(left.Top, 10);
  EXPECT_LE(right.Right, 180);
  EXPECT_GE(right.Right, 178);
  EXPECT_NEAR((centre.Left + centre.Right) / 2.0, 100, 2);
  EXPECT_NEAR((centre.Top + centre.Bottom) / 2.0, 30, th / 3.0);
  EXPECT_LE(bottom.Bottom, 50);
  EXPECT_GT(bottom.Top, 50 - th - 1);
  EXPECT_LE(right.Right - right.Left, tw);
  // Vertical centring applies to single lines only.
  EXPECT_EQ(ink(DT_VCENTER).Top, left.Top);
  TRect r = Rect(0, 0, 100, 40);
  EXPECT_EQ(Canvas.DrawText("x", r, DT_SINGLELINE | DT_BOTTOM), 40) << "offset to the bottom of the text";
}

TEST_F(CanvasText, ClippingToTheRectangle) {
  for (bool noclip : {false, true}) {
    TBitmap b(200, 30);
    b.Canvas().Font().Assign(Canvas.Font());
    TRect r = Rect(10, 5, 40, 25);
    b.Canvas().DrawText("A text much wider than the rectangle", r, DT_SINGLELINE | (noclip ? DT_NOCLIP : 0));
    const TRect ink = InkBounds(b);
    if (noclip)
      EXPECT_GT(ink.Right, 40);
    else
      EXPECT_LE(ink.Right, 40);
  }
}

TEST_F(CanvasText, TabsExpandOnlyWhenAsked) {
  const int expanded =
      DrawTextLines(Canvas, "a\tb", Rect(0, 0, 500, 20), DT_SINGLELINE | DT_EXPANDTABS).size();
  EXPECT_EQ(expanded, 1);
  TRect plain = Rect(0, 0, 500, 20), tabs = plain;
  Canvas.DrawText("a\tb", plain, DT_SINGLELINE | DT_CALCRECT);
  Canvas.DrawText("a\tb", tabs, DT_SINGLELINE | DT_CALCRECT | DT_EXPANDTABS);
  EXPECT_GE(tabs.Width(), 8 * Canvas.TextMetric().tmAveCharWidth);
  EXPECT_LT(plain.Width(), tabs.Width());
}

TEST_F(CanvasText, OpaqueBackgroundFollowsTheBrush) {
  for (TBrushStyle style : {bsSolid, bsClear}) {
    TBitmap b(100, 30);
    b.Canvas().Font().Assign(Canvas.Font());
    b.Canvas().Brush().SetColor(clYellow);
    b.Canvas().Brush().SetStyle(style);
    b.Canvas().TextOut(5, 5, "Text");
    const auto yellow = PixelsOf(b, clYellow).size();
    if (style == bsSolid)
      EXPECT_GT(yellow, 0u);
    else
      EXPECT_EQ(yellow, 0u);
    EXPECT_EQ(b.Canvas().PenPos(), (TPoint{5 + b.Canvas().TextWidth("Text"), 5}));
  }
  TBitmap b(100, 30);
  b.Canvas().Brush().SetColor(clYellow);
  b.Canvas().TextRect(Rect(10, 10, 30, 20), 10, 10, "Wide text that overflows");
  EXPECT_EQ(InkBounds(b), Rect(10, 10, 30, 20)) << "TextRect fills and clips to its rectangle";
}

TEST_F(CanvasText, RotatedTextTurnsItsCell) {
  TBitmap b(60, 100);
  b.Canvas().Font().Assign(Canvas.Font());
  b.Canvas().Font().SetColor(clRed);
  b.Canvas().Brush().SetColor(clYellow);
  const int w = b.Canvas().TextWidth("Text"), h = b.Canvas().TextHeight("Text");
  TextOutRotated(b.Canvas(), 10, 90, 900, "Text");
  EXPECT_EQ(InkBounds(b), Rect(10, 90 - w, 10 + h, 90)) << Sketch(b);
  EXPECT_GT(PixelsOf(b, clRed).size(), 0u);
  EXPECT_GT(PixelsOf(b, clYellow).size(), 0u);
}

TEST_F(CanvasText, BadInputDoesNotCrash) {
  TRect r = Rect(50, 50, 10, 10);
  Canvas.DrawText("inverted", r, DT_WORDBREAK);
  r = Rect(0, 0, 0, 0);
  Canvas.DrawText("zero", r, DT_END_ELLIPSIS | DT_SINGLELINE);
  Canvas.DrawText("&", r, DT_CALCRECT);
  Canvas.DrawText(std::string("\xFF\xFE bad utf8 \xC3", 14), r, DT_CALCRECT | DT_WORDBREAK);
  Canvas.DrawText("/", r, DT_PATH_ELLIPSIS);
  Canvas.Font().SetHeight(0);
  EXPECT_GT(Canvas.TextHeight("x"), 0);
  Canvas.Font().SetHeight(-100000);
  EXPECT_GT(Canvas.TextHeight("x"), 0);
  Canvas.TextOut(-1000, -1000, "far away");
  Canvas.TextRect(Rect(5, 5, 5, 5), 0, 0, "empty rect");
  TRect e = Rect(0, 0, 100, 0);
  EXPECT_EQ(Canvas.DrawText("", e, DT_CALCRECT), 0);
  EXPECT_EQ(e, Rect(0, 0, 0, 0));
}

} // namespace
