// The search panel's check box: its caption, read-only clicks, a press dragged out, the box column
// it repaints, the themed states, Enter as Tab and the faces it paints.
#include "grid/TProCheckBox.h"

#include "ShownControlFixture.h"
#include "platform/ui/Messages.h"

#include <gtest/gtest.h>

namespace {

class ProCheckBoxTest : public TShownControlTest {
protected:
  void SetUp() override {
    TShownControlTest::SetUp();
    MakeForm(220, 100);
    Form->SetColor(clWhite);
    Box = Add<TProCheckBox>(10, 10, 98, 20);
    Box->OnClick = [this](TObject*) { ++Clicks; };
    AddOther(10, 50, 80);
    ShowForm();
  }
  void Press(TPoint down, TPoint up) {
    Headless::MouseDown(*Box, down);
    Headless::MouseMove(*Box, up);
    Headless::MouseUp(*Box, up);
  }
  TProCheckBox* Box = nullptr;
  int Clicks = 0;
};

TEST_F(ProCheckBoxTest, NewBoxShowsItsClassNameAndDefaults) {
  EXPECT_EQ(Box->Caption(), "TProCheckBox");
  EXPECT_EQ(Box->Width(), 98);
  EXPECT_EQ(Box->Height(), 20);
  EXPECT_EQ(Box->Color(), clWindow);
  EXPECT_FALSE(Box->Checked());
  EXPECT_EQ(Box->Alignment(), taLeftJustify);
  EXPECT_EQ(Box->ButtonVertAlign(), tlTop);
}

TEST_F(ProCheckBoxTest, ClicksAndSpaceToggleUnlessReadOnly) {
  Press({5, 5}, {5, 5});
  EXPECT_TRUE(Box->Checked());
  Headless::PressKey(*Box, VK_SPACE);
  EXPECT_FALSE(Box->Checked());
  EXPECT_EQ(Clicks, 2);
  Box->SetReadOnly(true);
  Press({5, 5}, {5, 5});
  Headless::PressKey(*Box, VK_SPACE);
  EXPECT_FALSE(Box->Checked()) << "read-only keeps the state";
  EXPECT_EQ(Clicks, 4) << "but the click event still fires";
}

TEST_F(ProCheckBoxTest, PressDraggedOutAndReleasedThereDoesNotToggle) {
  Headless::MouseDown(*Box, {5, 5});
  EXPECT_TRUE(Box->Down());
  Headless::MouseMove(*Box, {150, 5});
  EXPECT_FALSE(Box->Down());
  Headless::MouseUp(*Box, {150, 5});
  EXPECT_FALSE(Box->Checked());
  EXPECT_EQ(Clicks, 0);
}

TEST_F(ProCheckBoxTest, GrayedInvalidatesOnlyTheBoxColumn) {
  Box->ClearInvalidatedRects();
  Box->SetState(cbGrayed);
  ASSERT_EQ(Box->InvalidatedRects().size(), 1u);
  EXPECT_EQ(Box->InvalidatedRects()[0], Rect(0, 0, 20, 20));
  Box->SetAlignment(taRightJustify);
  Box->ClearInvalidatedRects();
  Box->SetState(cbChecked);
  EXPECT_EQ(Box->InvalidatedRects()[0], Rect(78, 0, 98, 20));
}

TEST_F(ProCheckBoxTest, ThemedBoxStates) {
  struct Case {
    TCheckBoxState state;
    bool enabled, down, hot;
    int expected;
  };
  const Case cases[] = {
      {cbUnchecked, true, false, false, 1}, {cbUnchecked, true, false, true, 2},
      {cbUnchecked, true, true, true, 3},   {cbUnchecked, false, true, true, 4},
      {cbChecked, true, false, false, 5},   {cbChecked, true, true, false, 7},
      {cbGrayed, true, false, true, 10},    {cbGrayed, false, false, false, 12},
  };
  for (const Case& c : cases) {
    Box->SetState(c.state);
    Box->SetEnabled(c.enabled);
    Box->SetDown(c.down);
    Headless::MouseLeave();
    if (c.hot && c.enabled) Headless::MouseMove(*Box, {3, 3});
    EXPECT_EQ(Box->ThemeState(), c.expected) << c.state << c.enabled << c.down << c.hot;
  }
}

TEST_F(ProCheckBoxTest, ReturnIsTabMovesTheFocusOn) {
  Box->SetFocus();
  Application->ProcessMessages();
  Headless::PressKey(*Box, VK_RETURN);
  Application->ProcessMessages();
  EXPECT_TRUE(Box->Focused()) << "Enter stays without ReturnIsTab";
  Box->SetReturnIsTab(true);
  Headless::PressKey(*Box, VK_RETURN);
  Application->ProcessMessages();
  EXPECT_TRUE(Other->Focused());
}

TEST_F(ProCheckBoxTest, PaintsThemedAndClassicBoxes) {
  Box->SetCaption("");
  Box->SetChecked(true);
  const TBitmap shot = Shot();
  EXPECT_EQ(shot.Pixel(10 + 60, 10 + 10), ColorToRGB(clWindow)) << "the face beside the box";
  EXPECT_NE(shot.Pixel(10 + 7, 10 + 4 + 7), ColorToRGB(clWindow)) << "the box is drawn at (0, 4)";
}

} // namespace
