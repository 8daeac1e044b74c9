// The spin button's repeat on the test clock, and its faces in custom colours, themed and classic.
#include "grid/TProTimerSpeedButton.h"

#include "platform/ui/Forms.h"
#include "support/ControlPicture.h"
#include "support/FakeTimers.h"
#include "support/UiTestFixture.h"

#include <memory>
#include <optional>

namespace {

class TimerSpeedButtonTest : public TUiTest {
protected:
  void SetUp() override {
    TUiTest::SetUp();
    Timers.emplace(1'000'000);
    Form.reset(new TForm(nullptr));
    Form->SetBounds(0, 0, 100, 60);
    Form->SetColor(clWhite);
    Up = new TProTimerSpeedButton(Form.get());
    Up->SetParent(Form.get());
    Up->SetBounds(10, 10, 15, 12);
    Up->SetTimeBtnState(tbAllowTimer);
    Up->OnClick = [this](TObject*) { ++Clicks; };
    Form->Show();
    Application->ProcessMessages();
  }
  void TearDown() override {
    Form.reset();
    Timers.reset();
    TUiTest::TearDown();
  }
  void Advance(std::int64_t ms) { Timers->Advance(ms); }
  std::optional<TFakeTimers> Timers;
  TOwned<TForm> Form;
  TProTimerSpeedButton* Up = nullptr;
  int Clicks = 0;
};

TEST_F(TimerSpeedButtonTest, HeldButtonRepeatsAfter400ThenEvery100Ms) {
  Headless::MouseDown(*Up, {5, 5});
  Advance(399);
  EXPECT_EQ(Clicks, 0);
  Advance(1);
  EXPECT_EQ(Clicks, 1) << "the first repeat after 400 ms";
  Advance(99);
  EXPECT_EQ(Clicks, 1);
  Advance(1);
  EXPECT_EQ(Clicks, 2);
  Advance(100);
  EXPECT_EQ(Clicks, 3);
  Headless::MouseUp(*Up, {5, 5});
  EXPECT_EQ(Clicks, 4) << "the release clicks once more";
  Advance(1000);
  EXPECT_EQ(Clicks, 4) << "released, the timer stops";
  Headless::MouseDown(*Up, {5, 5});
  Headless::MouseUp(*Up, {5, 5});
  Advance(1000);
  EXPECT_EQ(Clicks, 5) << "a quick click steps once";
}

TEST_F(TimerSpeedButtonTest, PaintsCustomColoursThemedAndClassic) {
  TSpinButtonColors colors{RGB(0, 200, 0), RGB(0, 0, 200), RGB(200, 0, 0)};
  Up->SetColors(&colors);
  const auto shot = [&] { return RenderPicture(*Form); };
  Headless::MouseMove(*Form, {90, 50});
  TBitmap coloured = shot();
  EXPECT_EQ(coloured.Pixel(10 + 12, 10 + 9), RGB(0, 200, 0));
  EXPECT_EQ(coloured.Pixel(10 + 6, 10 + 3), clBlack) << "the up arrow";
  Up->SetColors(nullptr);
  Up->SetIsWinXP(true);
  TBitmap themed = shot();
  EXPECT_NE(themed.Pixel(10 + 7, 10 + 6), clWhite) << "the themed part is drawn";
  Up->SetIsWinXP(false);
  Up->SetButtonDirection(bdRight);
  TBitmap classic = shot();
  EXPECT_NE(classic.Pixel(10 + 7, 10 + 6), clWhite) << "the classic scroll arrow";
}

} // namespace
