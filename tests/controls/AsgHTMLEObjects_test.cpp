// Images, backgrounds and embedded controls in mini-HTML.
#include "AsgHTMLETestSupport.h"
#include "PictureContainerTestImages.h"
#include "controls/AsgHTMLEObjects.h"
#include "controls/PictureContainer.h"
#include "controls/ProStyleIFSystem.h"
#include "platform/ui/Forms.h"
#include "platform/ui/ImageList.h"
#include "support/TempDir.h"

#include <functional>
#include <memory>
#include <string>

using namespace testimages;

namespace {

// A system without visual styles: controls draw classic.
class TClassicSystem : public TStyleSystem {
public:
  bool ThemeActive() const override { return false; }
};

class AsgHTMLEObjects : public HTMLRenderTest {
protected:
  void SetUp() override {
    HTMLRenderTest::SetUp();
    Images.SetSize(16, 16);
    for (TColor c : {clRed, clLime, clBlue}) {
      TBitmap b(16, 16);
      for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
          b.SetPixel(x, y, c);
      Images.Add(b);
    }
    AddPicture("wide", Encoded(100, 40, clBlue, "BMP"));
    AddPicture("tile", Encoded(4, 4, clFuchsia, "BMP"));
    Params.Images = &Images;
    Params.PictureContainer = &Container;
    Params.PictureCache = &Cache;
  }

  void AddPicture(const std::string& name, const std::string& bytes) {
    TPictureItem* item = Container.Items().Add();
    item->SetName(name);
    item->Picture().LoadFromBytes(bytes);
  }

  THTMLDrawResult DrawP(const std::string& text, const TRect& r) { return Draw(text, r, Params); }
  THTMLDrawResult MeasureP(const std::string& text, const TRect& r) { return Measure(text, r, Params); }

  TImageList Images;
  TPictureContainer Container{nullptr};
  THTMLPictureCache Cache;
  THTMLDrawParams Params;
};

const TRect Wide = Rect(0, 0, 300, 150);

} // namespace

// The objects' own edge cases, and the faults mended in them (marked so).
TEST_F(AsgHTMLEObjects, EdgeCases) {
  struct TCase {
    const char* Name;
    std::function<void()> Check;
  };
  const TCase cases[] = {
      {"an index past the image list takes no room and draws nothing",
       [&] {
         EXPECT_EQ(MeasureP("a<img src=\"idx:3\">b", Wide).XSize, Width("a") + Width("b"));
         DrawP("<img src=\"idx:3\">", Wide);
         EXPECT_TRUE(Ink().IsEmpty());
       }},
      {"an image of the list takes its size and is drawn on the line's bottom",
       [&] {
         const THTMLDrawResult r = DrawP("a<img src=\"IDX:2\">", Rect(10, 10, 300, 150));
         EXPECT_EQ(r.XSize, Width("a") + 16);
         EXPECT_EQ(r.YSize, std::max(Gh(), 16));
         EXPECT_EQ(InkOf(clBlue), Bounds(11 + Width("a"), 10 + r.YSize - 16, 16, 16));
       }},
      {"printing stretches list images by the scale factor",
       [&] {
         Params.Print = true;
         Params.ScaleFactor = 2.0;
         DrawP("<img src=\"idx:0\">", Wide);
         EXPECT_EQ(InkOf(clRed), Bounds(1, 0, 32, 32));
         Params.Print = false;
       }},
      {"only WIDTH 50 of a 100 x 40 picture is drawn 50 x 20",
       [&] {
         DrawP("<img src=\"wide\" width=\"50\">", Wide);
         EXPECT_EQ(InkOf(clBlue), Bounds(1, 0, 50, 20));
       }},
      {"only HEIGHT keeps the aspect ratio too",
       [&] { EXPECT_EQ(MeasureP("<img src=\"WIDE\" height=\"10\">", Wide).XSize, 25); }},
      {"both sizes stretch, none keeps the picture's own",
       [&] {
         DrawP("<img src=\"wide\" width=\"30\" height=\"30\">", Wide);
         EXPECT_EQ(InkOf(clBlue), Bounds(1, 0, 30, 30));
         Clear();
         DrawP("<img src=\"wide\">", Wide);
         EXPECT_EQ(InkOf(clBlue), Bounds(1, 0, 100, 40));
       }},
      {"unknown pictures and web addresses take no room",
       [&] {
         EXPECT_EQ(MeasureP("<img src=\"nothing\">x", Wide).XSize, Width("x"));
         EXPECT_EQ(MeasureP("<img src=\"http://example.org/p.bmp\">x", Wide).XSize, Width("x"));
         EXPECT_EQ(MeasureP("<img src=\"ssys:0\">x", Wide).XSize, Width("x")) << "no system image list";
         EXPECT_EQ(Cache.Count(), 1) << "the address is tried once and kept";
         MeasureP("<img src=\"http://example.org/p.bmp\">", Wide);
         EXPECT_EQ(Cache.Count(), 1);
       }},
      {"mended: a file address keeps the case of its path",
       [&] {
         TTempDir dir;
         const std::string path = dir.Write("Mixed/Pic.BMP", Encoded(8, 6, clLime, "BMP"));
         DrawP("<img src=\"file://" + path + "\">", Wide);
         EXPECT_EQ(InkOf(clLime), Bounds(1, Gh() - 6, 8, 6)) << "standing on the line's bottom";
       }},
      {"a CHECK with VALUE true is drawn checked",
       [&] {
         auto picture = [&](const char* value) {
           Clear();
           DrawP(std::string("<control type=\"check\" width=\"20\" value=\"") + value + "\">", Wide);
           return TBitmap(Bitmap);
         };
         const TBitmap lower = picture("true"), upper = picture("TRUE"), unchecked = picture("false");
         EXPECT_EQ(lower.SaveToBytes(), upper.SaveToBytes());
         EXPECT_NE(lower.SaveToBytes(), unchecked.SaveToBytes());
         // The caller's window opens the theme; the box is the same.
         TForm window(nullptr);
         Params.Window = &window;
         EXPECT_EQ(picture("true").SaveToBytes(), lower.SaveToBytes());
         Params.Window = nullptr;
         // Classic look: the flat check box of the frame controls.
         TClassicSystem classic;
         TScopedStyleSystem scope(classic);
         Clear();
         DrawP("<control type=\"check\" width=\"20\" value=\"true\">", Wide);
         TBitmap expected(Bitmap.Width(), Bitmap.Height());
         TRect box = Rect(1 + 2, 16 - 15, 1 + 15, 16);
         DrawFrameControl(expected.Canvas(), box, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_FLAT | DFCS_CHECKED);
         EXPECT_EQ(Bitmap.SaveToBytes(), expected.SaveToBytes());
       }},
      {"a CONTROL without WIDTH leaves the line unchanged",
       [&] {
         EXPECT_EQ(MeasureP("a<control type=\"edit\" id=\"e\" value=\"v\">b", Wide).XSize,
                   Width("a") + Width("b"));
         EXPECT_EQ(MeasureP("a<control type=\"edit\" width=\"-5\">b", Wide).XSize, Width("a") + Width("b"));
       }},
      {"in hit-test mode the control with the ID is reported wherever the point is; mended: its value "
       "keeps single ampersands",
       [&] {
         Params.HitTestOnly = true;
         Params.ControlID = "e2";
         Params.X = Params.Y = 200;
         const THTMLDrawResult r = DrawP(
             "ab<control type=\"edit\" id=\"e1\" width=\"40\"><control type=\"combo\" id=\"e2\" width=\"50\" "
             "value=\"x &amp; y\">",
             Wide);
         EXPECT_TRUE(Hit);
         EXPECT_EQ(r.AnchorHRef, "ctrl");
         EXPECT_EQ(r.ControlID, "e2");
         EXPECT_EQ(r.ControlType, "COMBO");
         EXPECT_EQ(r.ControlValue, "x & y");
         EXPECT_EQ(r.ControlRect, Bounds(1 + Width("ab") + 40, 0, 50, 25));
         EXPECT_TRUE(Ink().IsEmpty());
         // Drawing goes by the point only: the ID is no hit there, the control under the point is.
         Params.HitTestOnly = false;
         Params.X = 1 + Width("ab") + 20;
         Params.Y = 10;
         const THTMLDrawResult drawn = DrawP("ab<control type=\"edit\" id=\"e1\" width=\"40\"><control "
                                             "type=\"combo\" id=\"e2\" width=\"50\">",
                                             Wide);
         EXPECT_TRUE(Hit);
         EXPECT_EQ(drawn.ControlID, "e1");
         Params.X = Params.Y = 200;
         EXPECT_EQ(DrawP("<control type=\"combo\" id=\"e2\" width=\"50\">", Wide).ControlID, "");
         EXPECT_FALSE(Hit);
         Params = {};
         Params.Images = &Images;
         Params.PictureContainer = &Container;
         Params.PictureCache = &Cache;
       }},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Clear();
    c.Check();
  }
}

TEST_F(AsgHTMLEObjects, ControlsSizeTheirLine) {
  const struct {
    const char* Markup;
    int Width;
    int Height;
  } cases[] = {
      {"<control type=\"check\" width=\"80\">", 16, 16},
      {"<control type=\"radio\" width=\"80\">", 16, 16},
      {"<control type=\"button\" width=\"80\">", 80, 23},
      {"<control type=\"combo\" width=\"80\">", 80, 23},
      {"<control type=\"edit\" width=\"80\" height=\"40\">", 80, 38},
      {"<control type=\"edit\" width=\"99999\">", HTMLMaxObjectSize, 23},
  };
  for (const auto& c : cases) {
    const THTMLDrawResult r = MeasureP(c.Markup, Wide);
    EXPECT_EQ(r.XSize, c.Width) << c.Markup;
    EXPECT_EQ(r.YSize, std::max(c.Height, Gh())) << c.Markup;
  }
}

TEST_F(AsgHTMLEObjects, ControlsUnderThePoint) {
  const std::string text =
      "<control type=\"button\" id=\"b\" width=\"60\" value=\"Go\"> <control type=\"edit\" "
      "id=\"e\" width=\"50\" value=\"typed\">";
  Params.X = 30;
  Params.Y = 10;
  THTMLDrawResult r = DrawP(text, Wide);
  EXPECT_TRUE(Hit);
  EXPECT_EQ(r.ControlID, "b");
  EXPECT_EQ(r.ControlType, "BUTTON");
  EXPECT_EQ(r.ControlRect, Bounds(1, 0, 60, 25));
  const TBitmap hot(Bitmap);

  Clear();
  Params.MouseDown = true;
  DrawP(text, Wide);
  EXPECT_NE(Bitmap.SaveToBytes(), hot.SaveToBytes()) << "a held button is drawn pressed";

  Clear();
  Params.MouseDown = false;
  Params.X = 1 + 60 + Width(" ") + 10;
  r = DrawP(text, Wide);
  EXPECT_EQ(r.ControlID, "e");
  EXPECT_EQ(r.ControlValue, "typed");
  EXPECT_EQ(Count(HTMLControlThemedFrame) > 0, true) << "themed fields have their frame colour";

  Params.X = 290;
  r = DrawP(text, Wide);
  EXPECT_FALSE(Hit);
  EXPECT_EQ(r.ControlID, "");
}

TEST_F(AsgHTMLEObjects, ImagesInAnchorsAreHit) {
  Params.X = 5;
  Params.Y = 5;
  THTMLDrawResult r = DrawP("<a href=\"pic\" title=\"t\"><img src=\"idx:1\"></a>", Wide);
  EXPECT_TRUE(Hit);
  EXPECT_EQ(r.AnchorHRef, "pic");
  EXPECT_EQ(r.AnchorTitle, "t");
  EXPECT_EQ(r.MouseRect, Bounds(1, 0, 16, 16));
  r = DrawP("<img src=\"idx:1\">", Wide);
  EXPECT_FALSE(Hit) << "an image outside an anchor is no link";
}

TEST_F(AsgHTMLEObjects, ImageAlignmentMovesTheText) {
  const auto textTop = [&](const char* align) {
    Clear();
    DrawP(std::string("<img src=\"wide\" width=\"40\" height=\"40\"") + align +
              "><font color=\"clred\">x</font>",
          Wide);
    return InkOf(clRed).Top;
  };
  const int bottom = textTop(""), top = textTop(" align=\"top\""), middle = textTop(" align=\"middle\"");
  EXPECT_EQ(bottom - top, 40 - Gh());
  EXPECT_EQ(bottom - middle, (40 - Gh()) / 2);
}

TEST_F(AsgHTMLEObjects, BackgroundsFillTheRectangle) {
  const TRect r = Rect(10, 10, 50, 30);
  DrawP("<body background=\"tile\">x", r);
  EXPECT_EQ(InkOf(clFuchsia), r) << "tiles cover the rectangle and stay inside it";

  Clear();
  // An animated picture drawn in its own size: its screen in the background colour, the frame
  // at its place on it.
  const std::string gif = Gif(20, 10, {clRed, clLime}, {Plain(0, 0, 20, 10, 0), Plain(5, 2, 6, 4, 1)});
  AddPicture("anim", gif);
  Container.FindPicture("anim")->SetFrame(2);
  Canvas.Brush().SetColor(clCream);
  DrawP("<img src=\"anim\">", Wide);
  EXPECT_EQ(InkOf(clCream), Bounds(1, Gh() - 10, 20, 10));
  EXPECT_EQ(InkOf(clLime), Bounds(1 + 5, Gh() - 10 + 2, 6, 4));
}

TEST(AsgHTMLEObjectsSystem, HelpersOfThePlatform) {
  TTempDir dir;
  EXPECT_TRUE(IsDirectoryPath(dir.Path()));
  EXPECT_FALSE(IsDirectoryPath(dir.Write("f.txt", "x")));
  EXPECT_FALSE(IsDirectoryPath(""));
  TCanvas canvas;
  TSize size{5, 5};
  EXPECT_FALSE(DrawSystemIcon(canvas, 0, 0, size, 1.0, false, true, false, "0"));
  EXPECT_EQ(size, TSize{});
}
