// The focus window: a disabled, top-most tool window that shows without taking the activation,
// and the focus frame's glow it carries, composed over what lies beneath.
#include "grid/TGridFocusWindow.h"

#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"
#include "support/TempDir.h"
#include "support/UiTestFixture.h"

namespace {

class GridFocusWindowTest : public TUiTest {
protected:
  void SetUp() override {
    TUiTest::SetUp();
    Form.reset(new TForm(nullptr));
    Form->SetBounds(0, 0, 200, 100);
    Edit = new TEdit(Form.get());
    Edit->SetParent(Form.get());
    Form->Show();
    Application->ProcessMessages();
    Edit->SetFocus();
    Focus.reset(new TGridFocusWindow(Form.get()));
  }
  void TearDown() override {
    Focus.reset();
    Form.reset();
    TUiTest::TearDown();
  }
  TOwned<TForm> Form;
  TEdit* Edit = nullptr;
  TOwned<TGridFocusWindow> Focus;
};

TEST_F(GridFocusWindowTest, StartsEmptyRedDisabledAndHidden) {
  EXPECT_EQ(Focus->Width(), 0);
  EXPECT_EQ(Focus->Height(), 0);
  EXPECT_EQ(Focus->Color(), clRed);
  EXPECT_FALSE(Focus->Enabled());
  EXPECT_FALSE(Focus->Visible());
  EXPECT_TRUE(Focus->TopMost());
  EXPECT_TRUE(Focus->ToolWindow());
}

TEST_F(GridFocusWindowTest, ShowingTheGlowKeepsTheActivationAndTheFocus) {
  Focus->SetMask(MakeFocusGlow(60, 40));
  EXPECT_EQ(Focus->Width(), 60);
  EXPECT_EQ(Focus->Height(), 40);
  EXPECT_EQ(Focus->Opacity(), 230);
  Focus->SetBounds(20, 20, 60, 40);
  Focus->Show();
  EXPECT_EQ(Screen->ActiveForm(), Form.get()) << "before";
  Application->ProcessMessages();
  EXPECT_EQ(Screen->ActiveForm(), Form.get());
  EXPECT_TRUE(Edit->Focused());

  // Inside the frame the window is clear; on the frame's line the glow's colour (0xFDD397: blue
  // above green above red) lies over what is beneath.
  EXPECT_EQ(Focus->ComposedPixel(30, 20, clWhite), clWhite);
  const TColor line = Focus->ComposedPixel(4, 20, clBlack);
  EXPECT_GT(GetBValue(line), GetGValue(line));
  EXPECT_GT(GetGValue(line), GetRValue(line));
  EXPECT_GT(GetRValue(line), 0);
  EXPECT_LT(GetBValue(line), 0xFD) << "opacity 230 lets some of the background through";
  const TColor overWhite = Focus->ComposedPixel(4, 20, clWhite);
  EXPECT_GT(GetRValue(overWhite), GetRValue(line)) << "the background shows through";
  EXPECT_NE(overWhite, clWhite);
}

} // namespace
