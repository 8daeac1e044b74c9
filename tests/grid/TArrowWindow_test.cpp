// The drop arrows: their outlines and the regions they are cut to, and the frame region.
#include "grid/TArrowWindow.h"

#include "platform/ui/Forms.h"
#include "support/UiTestFixture.h"

namespace {

class ArrowWindowTest : public TUiTest {
protected:
  void SetUp() override {
    TUiTest::SetUp();
    Form.reset(new TForm(nullptr));
    Form->SetBounds(0, 0, 100, 60);
  }
  TOwned<TForm> Form;
};

TEST_F(ArrowWindowTest, ArrowsAreCutToTheirOutlines) {
  struct Case {
    TArrowDirection dir;
    TPoint tipSide, inside, outside;
  };
  // Pixels next to the tip lie inside; the corners across from it lie outside.
  const Case cases[] = {
      {arrLeft, {7, 5}, {2, 5}, {8, 0}},  // points right, its tip at (8, 5)
      {arrRight, {1, 5}, {6, 5}, {0, 0}}, // points left, its tip at (0, 5)
      {arrUp, {5, 1}, {5, 7}, {0, 9}},
      {arrDown, {5, 7}, {5, 2}, {0, 8}},
  };
  for (const Case& c : cases) {
    auto* a = new TArrowWindow(Form.get(), c.dir);
    EXPECT_FALSE(a->Visible());
    EXPECT_EQ(a->Color(), 0x00FF00u);
    EXPECT_EQ(a->Parent(), Form.get());
    EXPECT_TRUE(a->HasWindowRegion());
    EXPECT_TRUE(a->RegionContains(c.tipSide)) << c.dir;
    EXPECT_TRUE(a->RegionContains(c.inside)) << c.dir;
    EXPECT_FALSE(a->RegionContains(c.outside)) << c.dir;
  }
  EXPECT_EQ(TArrowWindow(nullptr, arrLeft).Arrow()[4], (TPoint{8, 5}));
  EXPECT_EQ(TArrowWindow(nullptr, arrRight).Arrow()[0], (TPoint{0, 5}));
}

TEST_F(ArrowWindowTest, FrameRegionLeavesTheHoleOut) {
  auto* a = new TArrowWindow(Form.get(), arrUp);
  a->SetBounds(0, 0, 20, 20);
  a->SetWindowRegion(Rect(0, 0, 20, 20), Rect(4, 4, 16, 16));
  EXPECT_TRUE(a->RegionContains({1, 10}));
  EXPECT_FALSE(a->RegionContains({10, 10}));
  a->ClearWindowRegion();
  EXPECT_TRUE(a->RegionContains({10, 10}));
}

} // namespace
