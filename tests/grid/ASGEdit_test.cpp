// The edit with a button and its unit variant: splitting a value into text and unit, the unit menu
// chosen through the headless pop-up, F4 with and without Ctrl, a release outside the button, and
// the editor switched off.
#include "grid/ASGEdit.h"

#include "ShownControlFixture.h"

#include <string>
#include <vector>

namespace {

class AsgEditTest : public TShownControlTest {
protected:
  void SetUp() override {
    TShownControlTest::SetUp();
    MakeForm(300, 120);
    Edit = Add<TAsgUnitEditBtn>(10, 10, 150, 24);
    Edit->OnClickBtn = [this](TObject* s) {
      Clicks.push_back(s == Edit ? "edit" : s == Edit->Button() ? "button" : "?");
    };
    AddOther(10, 60, 100);
    ShowForm();
  }
  TAsgUnitEditBtn* Edit = nullptr;
  std::vector<std::string> Clicks;
};

TEST_F(AsgEditTest, TextAndUnitSplitsAtTheFirstUnitThatEndsTheValue) {
  struct Case {
    std::vector<std::string> units;
    std::string value, text, unit;
  } cases[] = {
      {{"cm", "mm"}, "12.5mm", "12.5", "mm"},
      {{"mm"}, "5mm5mm", "0", ""}, // the first "mm" does not end the value
      {{"m", "mm"}, "12", "0", ""},
      {{"m", "mm"}, "3mm", "3", "mm"},
      {{"m", "cm"}, "3cm", "3c", "m"},
  };
  for (const Case& c : cases) {
    Edit->SetText("0");
    Edit->SetUnitID("");
    Edit->SetUnits(c.units);
    Edit->SetTextAndUnit(c.value);
    EXPECT_EQ(Edit->Text(), c.text) << c.value;
    EXPECT_EQ(Edit->UnitID(), c.unit) << c.value;
  }
  Edit->SetUnits({"cm", "mm"});
  Edit->SetTextAndUnit("12.5mm");
  EXPECT_EQ(Edit->TextAndUnit(), "12.5mm");
}

TEST_F(AsgEditTest, UnitMenuOffersTheUnitsAndReportsAChange) {
  Edit->SetUnits({"cm", "mm", "m"});
  Edit->SetUnitID("cm");
  std::vector<std::string> changes;
  Edit->OnUnitChanged = [&](TObject* s, const std::string& unit) {
    changes.push_back(s == Edit ? unit : "?");
  };
  ASSERT_TRUE(Headless::Click(*Edit->Button()->SpeedButton()));
  EXPECT_EQ(Clicks, (std::vector<std::string>{"edit"})) << "OnClickBtn first, with the edit";
  TPopupMenu* menu = Headless::LastPopupMenu();
  ASSERT_EQ(menu, Edit->UnitMenu());
  ASSERT_EQ(menu->Items()->Count(), 3);
  const TPoint origin = Edit->ClientOrigin();
  EXPECT_EQ(Edit->UnitMenu()->PopupPoint(),
            (TPoint{origin.X + Edit->ClientWidth() - 15, origin.Y + Edit->ClientHeight()}));
  EXPECT_TRUE(Headless::ClickMenuItem(*menu->Items()->Items(1)));
  EXPECT_EQ(Edit->UnitID(), "mm");
  Headless::Click(*Edit->Button()->SpeedButton());
  EXPECT_TRUE(Headless::ClickMenuItem(*Headless::LastPopupMenu()->Items()->Items(1)));
  EXPECT_EQ(changes, (std::vector<std::string>{"mm"})) << "picking the current unit reports nothing";
}

TEST_F(AsgEditTest, F4ClicksUnlessCtrlOrAltIsHeld) {
  auto* plain = new TAsgEditBtn(Form.get());
  plain->SetParent(Form.get());
  plain->SetBounds(170, 10, 100, 24);
  std::vector<TObject*> senders;
  plain->OnClickBtn = [&](TObject* s) { senders.push_back(s); };
  EXPECT_EQ(plain->ButtonWidth(), 0);
  EXPECT_EQ(plain->Button()->Width(), 18);
  {
    Headless::THeldKeys ctrl({VK_CONTROL});
    Headless::PressKey(*plain, VK_F4, ssCtrl);
  }
  {
    Headless::THeldKeys alt({VK_LMENU});
    Headless::PressKey(*plain, VK_F4, ssAlt);
  }
  EXPECT_TRUE(senders.empty());
  Headless::PressKey(*plain, VK_F4);
  EXPECT_EQ(senders, (std::vector<TObject*>{plain}));

  // A press on the button released far outside it still clicks, with the button control.
  Headless::MouseDown(*plain->Button()->SpeedButton(), {4, 4});
  Headless::MouseUp(*plain->Button()->SpeedButton(), {-80, 60});
  EXPECT_EQ(senders, (std::vector<TObject*>{plain, plain->Button()}));
  EXPECT_TRUE(plain->Focused()) << "the click focuses the edit";
}

TEST_F(AsgEditTest, EditorOffDropsTypingAndPastingButTheButtonStillFires) {
  Other->SetText("77");
  Other->SelectAll();
  Other->CopyToClipboard();
  Edit->SetEditorEnabled(false);
  Edit->SetText("5");
  Headless::TypeText(*Edit, "12");
  Edit->PasteFromClipboard();
  Headless::PressKey(*Edit, 'V', ssCtrl);
  EXPECT_EQ(Edit->Text(), "5");
  Headless::Click(*Edit->Button()->SpeedButton());
  EXPECT_EQ(Clicks.size(), 1u);
  Edit->SetEditorEnabled(true);
  Edit->SelectAll();
  Headless::PressKey(*Edit, 'V', ssCtrl);
  EXPECT_EQ(Edit->Text(), "77");
}

TEST_F(AsgEditTest, LayoutKeepsRoomForTheUnitAndTheButton) {
  EXPECT_TRUE(Edit->RightAlign());
  EXPECT_EQ(Edit->UnitSpace(), 20);
  const int bw = Edit->Button()->Width();
  EXPECT_EQ(Edit->Button()->Left(), Edit->Width() - bw - 5);
  EXPECT_EQ(Edit->FormattingRect(),
            Rect(1, 1, Edit->ClientWidth() - bw - 5 - 20 - 3, Edit->ClientHeight() + 1));
  Edit->SetBorderStyle(bsNone);
  Edit->SetUnitSpace(0);
  EXPECT_EQ(Edit->FormattingRect(), Rect(3, 3, Edit->ClientWidth() - bw - 5, Edit->ClientHeight() + 1));
}

TEST_F(AsgEditTest, ButtonPaintsItsCustomColoursByState) {
  TAsgEditButton& holder = *Edit->Button();
  holder.SetButtonColor(RGB(0, 160, 0));
  holder.SetButtonColorHot(RGB(0, 0, 160));
  holder.SetButtonColorDown(RGB(160, 0, 0));
  const auto pixel = [&] {
    const TBitmap b = Shot();
    const TPoint at = holder.ClientToScreen({2, 2});
    const TPoint origin = Form->ClientToScreen({0, 0});
    return b.Pixel(at.X - origin.X, at.Y - origin.Y);
  };
  EXPECT_EQ(pixel(), RGB(0, 160, 0));
  EXPECT_TRUE(holder.SpeedButton()->Flat()) << "custom colours paint flat";
  Headless::MouseMove(*holder.SpeedButton(), {3, 3});
  EXPECT_TRUE(holder.SpeedButton()->Hot());
  EXPECT_EQ(pixel(), RGB(0, 0, 160));
  Headless::MouseDown(*holder.SpeedButton(), {3, 3});
  EXPECT_EQ(pixel(), RGB(160, 0, 0));
  Headless::MouseUp(*holder.SpeedButton(), {3, 3});
}

} // namespace
