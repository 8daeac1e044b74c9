// Window regions: a winding-filled polygon and a frame, and the whole client area without one.
#include "platform/ui/Controls.h"
#include "platform/ui/Forms.h"
#include "support/UiTestFixture.h"

namespace {

class WindowRegionTest : public TUiTest {};

TEST_F(WindowRegionTest, PolygonAndFrameRegions) {
  TOwned<TForm> form(new TForm(nullptr));
  auto* c = new TCustomControl(form.get());
  c->SetParent(form.get());
  c->SetBounds(0, 0, 20, 20);
  EXPECT_FALSE(c->HasWindowRegion());
  EXPECT_TRUE(c->RegionContains({19, 19}));
  EXPECT_FALSE(c->RegionContains({20, 5}));
  c->SetWindowRegion({{0, 0}, {20, 0}, {0, 20}}); // the upper-left triangle
  EXPECT_TRUE(c->RegionContains({2, 2}));
  EXPECT_FALSE(c->RegionContains({18, 18}));
  c->SetWindowRegion(Rect(0, 0, 20, 20), Rect(5, 5, 15, 15));
  EXPECT_TRUE(c->RegionContains({2, 10}));
  EXPECT_FALSE(c->RegionContains({10, 10}));
}

} // namespace
