// Balloon tips (their delays on the program clock, the edit box's balloon) and the program's own
// numbered cursors.
#include "support/UiTestFixture.h"

#include "platform/ui/Application.h"
#include "platform/ui/BalloonHint.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Graphics.h"
#include "platform/ui/Headless.h"
#include "platform/ui/StdCtrls.h"
#include "support/FakeTimers.h"

#include <memory>
#include <optional>

namespace {

class TipsTest : public TUiTest {
protected:
  void SetUp() override {
    TUiTest::SetUp();
    Timers.emplace(5'000'000);
    Form.reset(new TForm(nullptr));
    Form->SetClientWidth(300);
    Form->SetClientHeight(200);
    Edit = new TEdit(Form.get());
    Edit->SetParent(Form.get());
    Edit->SetBounds(10, 10, 150, 21);
    Other = new TEdit(Form.get());
    Other->SetParent(Form.get());
    Other->SetBounds(10, 40, 150, 21);
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
  TEdit* Edit = nullptr;
  TEdit* Other = nullptr;
};

TEST_F(TipsTest, ABalloonWaitsItsDelaysOnTheProgramClock) {
  auto* balloon = new TBalloonHint(Form.get());
  balloon->SetTitle("Invalid value");
  balloon->SetText("Enter a number from 1 to 255.");
  balloon->SetIcon(bhWarning);
  balloon->SetInitialDelay(500);
  balloon->SetAutoHideDelay(3000);
  balloon->SetReshowDelay(100);
  balloon->SetTransparency(150);
  EXPECT_EQ(balloon->Transparency(), 100);

  balloon->ShowAt(*Edit, {20, 15});
  EXPECT_TRUE(balloon->Pending());
  EXPECT_FALSE(balloon->Showing());
  Advance(499);
  EXPECT_FALSE(balloon->Showing());
  Advance(1);
  ASSERT_TRUE(balloon->Showing());
  EXPECT_EQ(balloon->Anchor(), Edit->ClientToScreen({20, 15}));
  TRect r = balloon->BoundsRect();
  EXPECT_GE(r.Width(), 60);
  EXPECT_EQ(r.Top, balloon->Anchor().Y) << "the tail points up at the place";

  // Moving on from a shown balloon waits only the reshow delay.
  balloon->ShowAt(*Other, {5, 5});
  Advance(100);
  EXPECT_TRUE(balloon->Showing());
  Advance(3000);
  EXPECT_FALSE(balloon->Showing()) << "hidden after the auto-hide delay";

  balloon->SetTitle("");
  balloon->SetText("");
  balloon->ShowAt(*Edit, {0, 0});
  EXPECT_FALSE(balloon->Pending()) << "nothing to say, nothing shows";
}

TEST_F(TipsTest, TheEditBoxBalloonGoesWithTheNextKeyOrTheFocus) {
  Edit->SetFocus();
  Edit->SetText("300");
  Edit->ShowBalloonTip("Invalid value", "At most 255.", bhError);
  ASSERT_NE(Edit->BalloonTip(), nullptr);
  EXPECT_TRUE(Edit->BalloonTip()->Showing());
  EXPECT_EQ(Edit->BalloonTip()->Text(), "At most 255.");
  Headless::PressKey(*Edit, VK_BACK);
  EXPECT_FALSE(Edit->BalloonTip()->Showing());
  Edit->ShowBalloonTip("Invalid value", "At most 255.", bhError);
  Other->SetFocus();
  EXPECT_FALSE(Edit->BalloonTip()->Showing());
}

TEST_F(TipsTest, NumberedCursorsOfOurOwn) {
  TBitmap picture(16, 16);
  picture.Canvas().Brush().SetColor(clFuchsia);
  picture.Canvas().FillRect(Rect(0, 0, 16, 16));
  picture.Canvas().Brush().SetColor(clBlack);
  picture.Canvas().FillRect(Rect(6, 0, 10, 16));
  EXPECT_FALSE(Screen->HasCursor(8000));
  Screen->SetCursors(8000, picture, {8, 3});
  EXPECT_TRUE(Screen->HasCursor(8000));
  EXPECT_EQ(Screen->CursorHotSpot(8000), Point(8, 3));
  Screen->SetCursors(8001, picture, {40, -2});
  EXPECT_EQ(Screen->CursorHotSpot(8001), Point(15, 0)) << "the hot spot stays inside the picture";

  Edit->SetCursor(8000);
  EXPECT_TRUE(Headless::ShowsCursor(*Edit, 8000));
  EXPECT_FALSE(Headless::ShowsCursor(*Edit, 8001));
  Edit->SetCursor(crHSplit);
  EXPECT_TRUE(Headless::ShowsCursor(*Edit, crHSplit));
  Edit->SetCursor(8099);
  EXPECT_TRUE(Headless::ShowsCursor(*Edit, crArrow)) << "a number without a cursor shows the arrow";
  Screen->SetCursors(-5, picture, {0, 0});
  EXPECT_FALSE(Screen->HasCursor(-5)) << "the standard numbers are not ours to replace";
}

} // namespace
