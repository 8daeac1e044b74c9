// The speed button and the beep: clicks on release over the button only, the glyph frame for the
// state, and beeps counted through the sink.
#include "platform/ui/Beep.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Forms.h"
#include "support/UiTestFixture.h"

namespace {

class TProbeButton : public TSpeedButton {
public:
  using TSpeedButton::GlyphIndex;
  using TSpeedButton::TSpeedButton;
};

class SpeedButtonTest : public TUiTest {
protected:
  void SetUp() override {
    TUiTest::SetUp();
    Form.reset(new TForm(nullptr));
    Form->SetBounds(0, 0, 100, 60);
    Button = new TProbeButton(Form.get());
    Button->SetParent(Form.get());
    Button->SetBounds(10, 10, 20, 20);
    Button->OnClick = [this](TObject*) { ++Clicks; };
    Form->Show();
    Application->ProcessMessages();
  }
  TOwned<TForm> Form;
  TProbeButton* Button = nullptr;
  int Clicks = 0;
};

TEST_F(SpeedButtonTest, ClicksOnReleaseOverItOnly) {
  Headless::MouseDown(*Button, {5, 5});
  EXPECT_TRUE(Button->Down());
  EXPECT_EQ(Clicks, 0) << "nothing before the release";
  Headless::MouseUp(*Button, {5, 5});
  EXPECT_EQ(Clicks, 1);
  Headless::MouseDown(*Button, {5, 5});
  Headless::MouseMove(*Button, {50, 5});
  EXPECT_FALSE(Button->Down()) << "dragged off, it shows up";
  Headless::MouseUp(*Button, {50, 5});
  EXPECT_EQ(Clicks, 1);
}

TEST_F(SpeedButtonTest, GlyphFrameFollowsTheState) {
  Button->SetGlyph(TBitmap(27, 9));
  Button->SetNumGlyphs(3);
  EXPECT_EQ(Button->GlyphIndex(), 0);
  Headless::MouseDown(*Button, {5, 5});
  EXPECT_EQ(Button->GlyphIndex(), 2);
  Headless::MouseUp(*Button, {5, 5});
  Button->SetEnabled(false);
  EXPECT_EQ(Button->GlyphIndex(), 1);
  Button->SetNumGlyphs(1);
  EXPECT_EQ(Button->GlyphIndex(), 0) << "one frame serves every state";
  Button->SetNumGlyphs(9);
  EXPECT_EQ(Button->NumGlyphs(), 4);
}

TEST(Beep, SinkCountsBeeps) {
  int beeps = 0;
  const TBeepSink previous = SetBeepSink([&](unsigned type) { beeps += type == 0 ? 1 : 100; });
  MessageBeep(0);
  MessageBeep(0);
  SetBeepSink(previous);
  EXPECT_EQ(beeps, 2);
}

} // namespace
