#include "GraphicsTestSupport.h"

#include "platform/ui/Resources.h"

namespace {

class BitmapResources : public GraphicsTest {};

TEST_F(BitmapResources, EveryNamedResourceHasItsSize) {
  const struct {
    const char* Name;
    int Width, Height;
  } cases[] = {
      {"LBOK", 36, 18},          {"LBCANCEL", 36, 18},      {"LBHELP", 36, 18},
      {"LBYES", 36, 18},         {"LBNO", 36, 18},          {"LBCLOSE", 36, 18},
      {"LBABORT", 36, 18},       {"LBRETRY", 36, 18},       {"LBIGNORE", 36, 18},
      {"LBALL", 36, 19},         {"LBARROW", 5, 3},         {"CBX_BMP_EDIT", 13, 11},
      {"CBX_BMP_NEW", 13, 11},   {"CBX_BMP_NEW_D", 13, 11}, {"CBX_BMP_DEL", 13, 11},
      {"CBX_BMP_DEL_D", 13, 11}, {"CBX_BMP_UP", 13, 11},    {"CBX_BMP_DOWN", 13, 11},
      {"CBX_BMP_PINS", 52, 11},  {"ASGCHK01", 16, 16},      {"ASGCHK02", 16, 16},
      {"ASGCHK03", 16, 16},      {"ASGCHK04", 16, 16},      {"ASGCHK05", 16, 16},
      {"ASGCHK06", 16, 16},      {"ASGCHK07", 16, 16},      {"ASGCHK08", 16, 16},
      {"ASGRAD01", 16, 16},      {"ASGRAD02", 16, 16},      {"ASGRAD03", 16, 16},
      {"ASGRAD04", 16, 16},      {"ASGRAD05", 16, 16},      {"ASGRAD06", 16, 16},
      {"ASGRAD07", 16, 16},      {"ASGRAD08", 16, 16},      {"metrocheckon", 16, 16},
      {"metrocheckoff", 16, 16}, {"metroradioon", 16, 16},  {"metroradiooff", 16, 16},
      {"ASGFILT", 16, 16},       {"ASGCLOSE", 14, 14},      {"ASGLEAFCLOSE", 12, 12},
      {"ASGLEAFOPEN", 12, 12},   {"XPNODEC", 9, 9},         {"XPNODEO", 9, 9},
      {"ASGSPINUP", 9, 6},       {"ASGSPINDOWN", 9, 6},     {"VT_MOVEALL", 32, 32},
      {"VT_MOVEEW", 32, 32},     {"VT_MOVENS", 32, 32},     {"VT_MOVEN", 32, 32},
      {"VT_MOVENE", 32, 32},     {"VT_MOVEE", 32, 32},      {"VT_MOVESE", 32, 32},
      {"VT_MOVES", 32, 32},      {"VT_MOVESW", 32, 32},     {"VT_MOVEW", 32, 32},
      {"VT_MOVENW", 32, 32},     {"ASGCLOSEH", 14, 14},     {"ASGCLOSED", 14, 14},
      {"ASGARDOWN", 16, 16},     {"ASGARDOWND", 16, 16},    {"ASGARUP", 16, 16},
      {"ASGARUPD", 16, 16},      {"ASGHI", 16, 16},         {"ASGHID", 16, 16},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.Name);
    const TBitmap* b = FindResourceBitmap(k.Name);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->Width(), k.Width);
    EXPECT_EQ(b->Height(), k.Height);
    // Both ways of finding the key colour must see the background (the arrow's top row is full).
    const bool arrow = std::string(k.Name) == "LBARROW";
    const TColor key = arrow ? clWhite : ResourceKeyColor;
    EXPECT_EQ(b->Pixel(0, b->Height() - 1), key);
    if (!arrow) {
      EXPECT_EQ(b->Pixel(0, 0), key);
    }
    EXPECT_LT(PixelsOf(*b, key).size(), size_t(b->Width() * b->Height())) << "something is drawn";
  }
  EXPECT_EQ(ResourceBitmapNames().size(), std::size(cases));
  EXPECT_EQ(ValidateResources({"LBOK", "asgchk01", "XPNODEO"}), "");
}

TEST_F(BitmapResources, GlyphStripsHoldANormalAndAGreyedFrame) {
  for (const char* name : {"LBOK", "LBCANCEL", "LBHELP", "LBALL"}) {
    SCOPED_TRACE(name);
    const TBitmap& b = ResourceBitmap(name);
    const int h = b.Height();
    bool colourLeft = false, colourRight = false;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < 18; ++x) {
        const TColor l = b.Pixel(x, y), r = b.Pixel(18 + x, y);
        if (l != ResourceKeyColor)
          colourLeft |= !(GetRValue(l) == GetGValue(l) && GetGValue(l) == GetBValue(l));
        if (r != ResourceKeyColor)
          colourRight |= !(GetRValue(r) == GetGValue(r) && GetGValue(r) == GetBValue(r));
      }
    EXPECT_TRUE(colourLeft);
    EXPECT_FALSE(colourRight) << "the disabled frame is grey";
  }
}

TEST_F(BitmapResources, ArrowIsADownwardTriangle) {
  TBitmap arrow;
  ASSERT_TRUE(arrow.LoadFromResourceName("lbarrow"));
  EXPECT_EQ(PixelsOf(arrow, clBlack),
            PixelSet({{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {1, 1}, {2, 1}, {3, 1}, {2, 2}}));
}

TEST_F(BitmapResources, UnknownNamesAreClearErrors) {
  EXPECT_EQ(FindResourceBitmap("NOPE"), nullptr);
  EXPECT_EQ(FindResourceBitmap(""), nullptr);
  try {
    ResourceBitmap("LBMISSING");
    FAIL() << "no exception";
  } catch (const EResNotFound& e) {
    EXPECT_STREQ(e.what(), "Resource LBMISSING not found");
  }
  TBitmap b(3, 3);
  std::string error;
  EXPECT_FALSE(b.LoadFromResourceName("LBMISSING", &error));
  EXPECT_EQ(error, "Resource LBMISSING not found");
  EXPECT_TRUE(b.Empty());
  const std::string problems = ValidateResources({"LBOK", "LBMISSING", "ASGNONE"});
  EXPECT_NE(problems.find("Resource LBMISSING not found"), std::string::npos) << problems;
  EXPECT_NE(problems.find("Resource ASGNONE not found"), std::string::npos) << problems;
}

TEST_F(BitmapResources, LoadedCopiesAreIndependent) {
  TBitmap a;
  ASSERT_TRUE(a.LoadFromResourceName("ASGCHK01"));
  a.Canvas().Brush().SetColor(clRed);
  a.Canvas().FillRect(Rect(0, 0, 16, 16));
  EXPECT_EQ(ResourceBitmap("ASGCHK01").Pixel(0, 0), ResourceKeyColor);
}

} // namespace
