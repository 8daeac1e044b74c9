// A combo box's open list: wider than the box when asked, and opening towards the left with the
// right edges lined up when right-aligned, both as predicted while closed and as Qt shows it.
#include "support/UiTestFixture.h"

#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"

#include <algorithm>
#include <functional>

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

// A width measured from the items is worked out only when needed, once, and again after the
// items, the font or the drop-down count changed.
TEST_F(ComboDropDownTest, AMeasuredWidthIsWorkedOutWhenFirstNeededAndAfterChanges) {
  int measured = 0;
  Combo->SetDroppedWidthMeasure([&] {
    ++measured;
    std::size_t longest = 0;
    for (int i = 0; i < Combo->Items().Count(); ++i)
      longest = std::max(longest, Combo->Items()[i].size());
    return 150 + 20 * static_cast<int>(longest) + Combo->Font().Size() + Combo->DropDownCount();
  });
  EXPECT_EQ(measured, 0) << "not when set";
  const int size = Combo->Font().Size();
  struct TStep {
    const char* Name;
    std::function<void()> Change;
    int Measures; // expected after the change and two reads
    int Width;
  };
  const TStep steps[] = {
      {"first read", [] {}, 1, 150 + 20 * 5 + size + 8},
      {"nothing changed", [] {}, 1, 150 + 20 * 5 + size + 8},
      {"a longer item", [&] { Combo->Items().Add("seventeen"); }, 2, 150 + 20 * 9 + size + 8},
      {"the font", [&] { Combo->Font().SetSize(size + 4); }, 3, 150 + 20 * 9 + size + 4 + 8},
      {"the drop-down count", [&] { Combo->SetDropDownCount(3); }, 4, 150 + 20 * 9 + size + 4 + 3},
      {"the items cleared", [&] { Combo->Items().Clear(); }, 5, 150 + size + 4 + 3},
  };
  for (const TStep& s : steps) {
    SCOPED_TRACE(s.Name);
    s.Change();
    EXPECT_EQ(Combo->DroppedWidth(), s.Width);
    EXPECT_EQ(Combo->DroppedBounds().Right - Combo->DroppedBounds().Left, s.Width);
    EXPECT_EQ(measured, s.Measures);
  }
  // Opened by Qt, the list takes the width measured.
  Application->SetHeadless(false);
  Combo->Items().Add("three");
  Combo->SetDroppedDown(true);
  const TRect list = Combo->DroppedBounds();
  EXPECT_EQ(list.Right - list.Left, 150 + 20 * 5 + size + 4 + 3);
  EXPECT_EQ(measured, 6);
  Combo->SetDroppedDown(false);
  Combo->SetDroppedWidth(0);
  EXPECT_EQ(Combo->DroppedWidth(), 120) << "a width set replaces the measure";
  EXPECT_EQ(measured, 6);
}

} // namespace
