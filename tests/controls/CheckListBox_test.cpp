#include "controls/CheckListBox.h"
#include "platform/ui/Forms.h"
#include "support/UiTestFixture.h"

#include <string>

namespace {

class CheckListBoxTest : public TUiTest {
protected:
  void SetUp() override {
    TUiTest::SetUp();
    Form.reset(new TForm(nullptr));
    Form->SetClientWidth(200);
    Form->SetClientHeight(200);
    List = new TCheckListBox(Form.get());
    List->SetParent(Form.get());
    List->SetBounds(10, 10, 120, 4 + 5 * List->ItemHeight());
    for (int i = 0; i < 20; ++i)
      List->Add("Value " + std::to_string(i));
    Form->Show();
  }
  TOwned<TForm> Form;
  TCheckListBox* List = nullptr;
};

// Twenty values in a box of five lines: the wheel reaches the last ones and stops there.
TEST_F(CheckListBoxTest, WheelScrollsALongListWithinItsEnds) {
  Headless::MouseWheel(*List, {20, 20}, -120);
  EXPECT_EQ(List->TopIndex(), 3);
  EXPECT_EQ(List->ItemAt({20, 2 + List->ItemHeight() / 2}), 3) << "a click takes the item shown";
  for (int i = 0; i < 10; ++i)
    Headless::MouseWheel(*List, {20, 20}, -120);
  EXPECT_EQ(List->TopIndex(), 15) << "the last five values fill the box";
  Headless::MouseWheel(*List, {20, 20}, 240);
  EXPECT_EQ(List->TopIndex(), 9);
  for (int i = 0; i < 10; ++i)
    Headless::MouseWheel(*List, {20, 20}, 120);
  EXPECT_EQ(List->TopIndex(), 0);
}

} // namespace
