// A combo box's open list: wider than the box when asked, and opening towards the left with the
// right edges lined up when right-aligned, both as predicted while closed and as Qt shows it.
#include "support/UiTestFixture.h"

#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"

namespace {

class ComboDropDownTest : public TUiTest {
protected:
  void SetUp() override {
    TUiTest::SetUp();
    Form.reset(new TForm(nullptr));
    Form->SetBounds(100, 100, 400, 300);
    Combo = new TComboBox(Form.get());
    Combo->SetParent(Form.get());
    Combo->SetStyle(csDropDownList);
    Combo->SetBounds(200, 20, 120, 21);
    for (const char* item : {"one", "two", "three"})
      Combo->Items().Add(item);
    Combo->SetItemIndex(0);
    Form->Show();
  }
  void TearDown() override {
    Combo->SetDroppedDown(false);
    Application->SetHeadless(true);
    Form.reset();
    TUiTest::TearDown();
  }
  int Box_Left() const { return Combo->ClientToScreen({0, 0}).X; }
  int Box_Right() const { return Box_Left() + Combo->Width(); }

  TOwned<TForm> Form;
  TComboBox* Combo = nullptr;
};

TEST_F(ComboDropDownTest, AWideListOpensUnderTheBoxFromItsLeftOrItsRightEdge) {
  struct TCase {
    const char* Name;
    int Width;  // asked for; 0: none
    bool Right; // right-aligned
    int Left;   // expected, from the box's left edge, when right-aligned
    int Shown;  // expected width
  };
  const TCase cases[] = {{"as wide as the box", 0, false, 0, 120},
                         {"right-aligned, as wide as the box", 0, true, 0, 120},
                         {"wider, from the left", 250, false, 0, 250},
                         {"wider, right-aligned", 250, true, 120 - 250, 250}};
  for (bool real : {false, true}) {
    for (const TCase& c : cases) {
      SCOPED_TRACE(std::string(c.Name) + (real ? ", shown by Qt" : ", predicted"));
      Application->SetHeadless(!real);
      Combo->SetDroppedWidth(c.Width);
      Combo->SetDropDownRightAligned(c.Right);
      Combo->SetDroppedDown(true);
      const TRect list = Combo->DroppedBounds();
      EXPECT_EQ(list.Right - list.Left, c.Shown);
      if (c.Right) {
        EXPECT_EQ(list.Left - Box_Left(), c.Left);
        EXPECT_EQ(list.Right, Box_Right());
      } else {
        EXPECT_NEAR(list.Left, Box_Left(), 2) << "inside the frame of its pop-up";
      }
      EXPECT_GE(list.Top, Combo->ClientToScreen({0, 0}).Y) << "never above the box";
      Combo->SetDroppedDown(false);
    }
  }
}

} // namespace
