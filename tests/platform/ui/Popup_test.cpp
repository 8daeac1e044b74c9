// Pop-up windows: placed inside the work area, never taking the activation, closing on a click
// outside (which still reaches its control) and on Escape (which never reaches the Cancel button of the form
// under it).
#include "SampleForm.h"
#include "support/UiTestFixture.h"

#include "platform/Clock.h"
#include "platform/ui/Popup.h"

#include <optional>

namespace {

TEST(PlacePopup, BelowTheAnchorAboveWhenOnlyThereItFitsAndAlwaysInsideTheWorkArea) {
  const TRect area{0, 0, 800, 600};
  struct Case {
    const char* name;
    TRect anchor;
    TSize size;
    TRect expected;
  };
  const Case cases[] = {
      {"room below", {100, 100, 200, 121}, {150, 200}, {100, 121, 250, 321}},
      {"near the bottom: above", {100, 500, 200, 521}, {150, 200}, {100, 300, 250, 500}},
      {"near the right edge: moved left", {700, 100, 780, 121}, {150, 100}, {650, 121, 800, 221}},
      {"room neither below nor above: inside anyway", {10, 250, 50, 270}, {100, 400}, {10, 200, 110, 600}},
      {"larger than the area: cut to it", {10, 10, 50, 30}, {1000, 700}, {0, 0, 800, 600}},
      {"anchor left of the area", {-50, 100, -10, 120}, {100, 50}, {0, 120, 100, 170}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(PlacePopup(c.anchor, c.size, area), c.expected);
  }
}

class PopupTest : public TUiTest {
protected:
  void SetUp() override {
    TUiTest::SetUp();
    Form.reset(NewForm<TFSample>(nullptr));
    Form->Show();
    Form->E_IP1->SetFocus();
    Popup = new TPopupForm(Form.get());
    Popup->SetBounds(0, 0, 160, 120);
    Inside = new TPanel(Popup);
    Inside->SetParent(Popup);
    Inside->SetAlign(alClient);
    Popup->OnPopupClose = [this](TObject*, bool cancelled) { Closed = cancelled; };
    Form->Btn_OK->OnClick = [this](TObject*) { ++OkClicks; };
  }
  TRect AnchorUnder(TControl& c) {
    const TPoint p = c.ClientToScreen({0, 0});
    return Bounds(p.X, p.Y, c.Width(), c.Height());
  }

  TOwned<TFSample> Form;
  TPopupForm* Popup = nullptr;
  TPanel* Inside = nullptr;
  std::optional<bool> Closed;
  int OkClicks = 0;
};

TEST_F(PopupTest, ShowsInsideTheWorkAreaWithoutTakingTheActivation) {
  const TRect area = WorkArea();
  ASSERT_FALSE(area.IsEmpty());
  Popup->PopupFor(Rect(area.Right - 40, area.Bottom - 20, area.Right, area.Bottom)); // bottom-right corner
  EXPECT_TRUE(Popup->Showing());
  const TRect placed = Popup->BoundsRect();
  EXPECT_EQ(placed.Width(), 160);
  EXPECT_GE(placed.Left, area.Left);
  EXPECT_LE(placed.Right, area.Right);
  EXPECT_LE(placed.Bottom, area.Bottom - 20); // above the anchor
  EXPECT_EQ(Screen->ActiveForm(), Form.get());
  EXPECT_EQ(Form->ActiveControl(), Form->E_IP1);
  EXPECT_TRUE(Form->E_IP1->Focused());
}

TEST_F(PopupTest, AClickInsideKeepsItAndAClickOutsideClosesItAndStillReachesItsControl) {
  TFakeClock clock;
  clock.Now = 5000;
  TScopedClock scoped(clock);
  for (bool cancel : {true, false}) {
    SCOPED_TRACE(cancel ? "cancelling" : "keeping the value");
    Closed.reset();
    Popup->SetCancelOnOutsideClick(cancel);
    Popup->PopupFor(AnchorUnder(*Form->E_IP1));
    Headless::Click(*Inside);
    EXPECT_TRUE(Popup->PoppedUp());
    EXPECT_FALSE(Closed.has_value());
    const int clicks = OkClicks;
    Headless::Click(*Form->Btn_OK);
    EXPECT_FALSE(Popup->PoppedUp());
    EXPECT_FALSE(Popup->Showing());
    EXPECT_EQ(Closed, std::optional<bool>(cancel));
    EXPECT_EQ(OkClicks, clicks + 1);
    EXPECT_EQ(Popup->OutsideCloseTime(), 5000);
  }
}

TEST_F(PopupTest, EscapeClosesTheTopmostPopupOnlyAndTheFormDoesNotSeeIt) {
  auto* nested = new TPopupForm(Popup);
  nested->SetBounds(0, 0, 60, 60);
  std::optional<bool> nestedClosed;
  nested->OnPopupClose = [&](TObject*, bool cancelled) { nestedClosed = cancelled; };
  Popup->PopupFor(AnchorUnder(*Form->E_IP1));
  nested->PopupFor(AnchorUnder(*Inside));
  Headless::Click(*nested); // inside the nested one: both stay
  EXPECT_TRUE(Popup->PoppedUp());

  bool formSawEscape = false; // through its Cancel button
  Form->Btn_Cancel->OnClick = [&](TObject*) { formSawEscape = true; };
  Headless::PressKey(*Form->E_IP1, VK_ESCAPE);
  EXPECT_EQ(nestedClosed, std::optional<bool>(true));
  EXPECT_TRUE(Popup->PoppedUp());
  Headless::PressKey(*Form->E_IP1, VK_ESCAPE);
  EXPECT_EQ(Closed, std::optional<bool>(true));
  EXPECT_FALSE(formSawEscape);
  Headless::PressKey(*Form->E_IP1, VK_ESCAPE); // no pop-up left: the form has it again
  EXPECT_TRUE(formSawEscape);

  // Hidden by code rather than closed: it no longer takes the Escape or closes on clicks.
  formSawEscape = false;
  Closed.reset();
  Popup->PopupFor(AnchorUnder(*Form->E_IP1));
  Popup->Hide();
  EXPECT_FALSE(Popup->PoppedUp());
  Headless::PressKey(*Form->E_IP1, VK_ESCAPE);
  EXPECT_TRUE(formSawEscape);
  Headless::Click(*Form->Btn_OK);
  EXPECT_FALSE(Closed.has_value());
}

} // namespace
