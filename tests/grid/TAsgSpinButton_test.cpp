// The pair of spin buttons: layout in both directions, clicks and keys routed to the events, and
// the default glyphs.
#include "grid/TAsgSpinButton.h"

#include "platform/ui/Forms.h"
#include "platform/ui/Messages.h"
#include "support/UiTestFixture.h"

#include <string>
#include <vector>

namespace {

class AsgSpinButtonTest : public TUiTest {
protected:
  void SetUp() override {
    TUiTest::SetUp();
    Form.reset(new TForm(nullptr));
    Form->SetBounds(0, 0, 100, 60);
    Spin = new TAsgSpinButton(Form.get());
    Spin->SetParent(Form.get());
    Spin->OnUpClick = [this](TObject* s) { Log.push_back(s == Spin ? "up" : "up?"); };
    Spin->OnDownClick = [this](TObject* s) { Log.push_back(s == Spin ? "down" : "down?"); };
    Form->Show();
    Application->ProcessMessages();
  }
  TOwned<TForm> Form;
  TAsgSpinButton* Spin = nullptr;
  std::vector<std::string> Log;
};

TEST_F(AsgSpinButtonTest, LaysOutBothDirections) {
  EXPECT_EQ(Spin->Width(), 15);
  EXPECT_EQ(Spin->Height(), 25);
  EXPECT_FALSE(Spin->TabStop());
  EXPECT_EQ(Spin->UpButton()->BoundsRect(), Rect(0, 0, 15, 12));
  EXPECT_EQ(Spin->DownButton()->BoundsRect(), Rect(0, 11, 15, 25));
  Spin->SetBounds(0, 0, 10, 25);
  EXPECT_EQ(Spin->Width(), 15) << "at least 15 wide";
  Spin->SetDirection(spHorizontal);
  EXPECT_EQ(Spin->Width(), 20);
  EXPECT_EQ(Spin->DownButton()->BoundsRect(), Rect(0, 0, 10, 25));
  EXPECT_EQ(Spin->UpButton()->BoundsRect(), Rect(11, 0, 21, 25));
  EXPECT_EQ(Spin->UpButton()->ButtonDirection(), bdRight);
  EXPECT_EQ(Spin->DownButton()->ButtonDirection(), bdLeft);
}

TEST_F(AsgSpinButtonTest, ClicksAndKeysReachTheEvents) {
  Headless::Click(*Spin->UpButton());
  Headless::Click(*Spin->DownButton());
  Spin->Perform(WM_KEYDOWN, VK_UP);
  Spin->Perform(WM_KEYDOWN, VK_DOWN);
  EXPECT_EQ(Log, (std::vector<std::string>{"up", "down", "up", "down"}));
}

TEST_F(AsgSpinButtonTest, NilGlyphRestoresTheDefaultAndItsCount) {
  EXPECT_EQ(Spin->UpButton()->Glyph().Width(), 9);
  EXPECT_EQ(Spin->UpButton()->Glyph().Height(), 6);
  Spin->SetDownNumGlyphs(2);
  Spin->SetUpNumGlyphs(2);
  Spin->SetDownGlyph(nullptr);
  EXPECT_EQ(Spin->DownNumGlyphs(), 1);
  EXPECT_EQ(Spin->UpNumGlyphs(), 2) << "the up button keeps its count";
}

} // namespace
