// The date-and-time picker: its kinds, its companion time field and its values.
#include "dropdowns/ProDateTimePicker.h"
#include "platform/DateText.h"
#include "platform/Locale.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Headless.h"
#include "platform/ui/StdCtrls.h"

#include "support/ControlPicture.h"
#include "support/UiTestFixture.h"

#include <gtest/gtest.h>

namespace {

class ProDateTimePickerTest : public TUiTest {
protected:
  void SetUp() override {
    TUiTest::SetUp();
    TFormatSettings fs;
    fs.ShortDateFormat = "dd/mm/yyyy";
    fs.LongTimeFormat = "hh:nn:ss";
    SetFormatSettings(fs);
    Form = new TForm(nullptr);
    Picker = new TProDateTimePicker(Form);
    Picker->SetParent(Form);
    Picker->SetBounds(0, 0, 200, 22);
  }
  void TearDown() override {
    Form->Free();
    ResetFormatSettings();
    TUiTest::TearDown();
  }
  TForm* Form = nullptr;
  TProDateTimePicker* Picker = nullptr;
};

TEST_F(ProDateTimePickerTest, KindsAndTheCompanionTimeField) {
  EXPECT_EQ(Picker->Kind(), dkDateTime);
  ASSERT_NE(Picker->TimePicker(), nullptr);
  EXPECT_GT(Picker->TimePicker()->Left(), Picker->Width() / 3) << "at the right end";
  Picker->SetKind(dkDate);
  EXPECT_EQ(Picker->TimePicker(), nullptr);
  Picker->SetKind(dkDateTime);
  EXPECT_NE(Picker->TimePicker(), nullptr);
  EXPECT_EQ(Picker->Version(), "1.2.0.0");
}

TEST_F(ProDateTimePickerTest, ValuesDropMillisecondsAndDateKeepsTheTime) {
  const double value = StrToDate("15/03/2020") + StrToTime("10:45:30") + 0.4 / 86400.0;
  Picker->SetDateTime(value);
  EXPECT_EQ(TimeToStr(Picker->DateTime()), "10:45:30");
  EXPECT_DOUBLE_EQ(Picker->DateTime(), StrToDate("15/03/2020") + StrToTime("10:45:30"));
  Picker->SetDate(StrToDate("01/01/2021"));
  EXPECT_EQ(DateToStr(Picker->DateTime()), "01/01/2021");
  EXPECT_EQ(TimeToStr(Picker->DateTime()), "10:45:30");
}

TEST_F(ProDateTimePickerTest, UncheckedDisablesTheTimeField) {
  Picker->SetShowCheckbox(true);
  Picker->SetChecked(false);
  EXPECT_FALSE(Picker->TimePicker()->Enabled());
  Picker->SetChecked(true);
  EXPECT_TRUE(Picker->TimePicker()->Enabled());
  // The user's toggle (Space) couples the same way and reports a change.
  int changes = 0;
  Picker->OnChange = [&](TObject*) { ++changes; };
  Form->Show();
  Headless::PressKey(*Picker, VK_SPACE);
  EXPECT_FALSE(Picker->Checked());
  EXPECT_FALSE(Picker->TimePicker()->Enabled());
  Headless::PressKey(*Picker, VK_SPACE);
  EXPECT_TRUE(Picker->TimePicker()->Enabled());
  EXPECT_EQ(changes, 2);
}

TEST_F(ProDateTimePickerTest, TheLabelSitsBesideThePickerAndFollowsIt) {
  Picker->SetBounds(100, 50, 200, 21);
  EXPECT_EQ(Picker->PickerLabel(), nullptr) << "no label before a caption";
  int clicks = 0;
  Picker->OnLabelClick = [&](TObject*) { ++clicks; };
  Picker->SetLabelCaption("Start");
  TLabel* label = Picker->PickerLabel();
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->Parent(), Form);
  struct {
    TLabelPosition Position;
    bool Left, Above, Below;
  } cases[] = {
      {lpLeftTop, true, false, false}, {lpTopLeft, false, true, false}, {lpBottomCenter, false, false, true}};
  for (const auto& c : cases) {
    Picker->SetLabelPosition(c.Position);
    EXPECT_EQ(label->Left() + label->Width() <= 100, c.Left) << c.Position;
    EXPECT_EQ(label->Top() + label->Height() <= 50, c.Above) << c.Position;
    EXPECT_EQ(label->Top() >= 71, c.Below) << c.Position;
  }
  Picker->SetLabelPosition(lpLeftCenter);
  Picker->SetLabelMargin(10);
  EXPECT_EQ(label->Top(), 50 + (21 - label->Height()) / 2);
  const int left = label->Left();
  Picker->SetBounds(120, 50, 200, 21);
  EXPECT_EQ(label->Left(), left + 20) << "moves with the picker";

  Picker->SetEnabled(false);
  EXPECT_FALSE(label->Enabled());
  EXPECT_FALSE(Picker->TimePicker()->Enabled());
  Picker->SetLabelAlwaysEnabled(true);
  EXPECT_TRUE(label->Enabled());
  Picker->SetEnabled(true);
  Picker->SetVisible(false);
  EXPECT_FALSE(label->Visible());
  Picker->SetVisible(true);
  EXPECT_TRUE(label->Visible());

  Picker->SetFocusLabel(true);
  auto* other = new TEdit(Form);
  other->SetParent(Form);
  Form->Show();
  Picker->SetFocus();
  Application->ProcessMessages();
  EXPECT_TRUE(label->Font().Style() & fsBold) << "bold while the picker has the focus";
  other->SetFocus();
  Application->ProcessMessages();
  EXPECT_FALSE(label->Font().Style() & fsBold);
  Headless::Click(*label);
  EXPECT_EQ(clicks, 1);
}

TEST_F(ProDateTimePickerTest, FlatAndMetroLooks) {
  Form->SetColor(clYellow);
  Picker->SetColor(clWhite);
  Picker->SetKind(dkDate);
  Form->Show();
  EXPECT_TRUE(Picker->Ctl3D());
  EXPECT_EQ(Picker->BorderStyle(), bsSingle);
  EXPECT_EQ(Picker->BorderColor(), clBlack);
  const int w = Picker->Width(), h = Picker->Height();
  struct {
    bool Ctl3D, Metro;
    TBorderStyle Style;
    TColor Outer, Inner, Button;
  } cases[] = {
      {false, false, bsNone, clYellow, clYellow, clNone},   // both rings in the parent's colour
      {false, false, bsSingle, 0xB99D7F, clYellow, clNone}, // the themed frame, inner in the parent's
      {true, true, bsSingle, clRed, clNone, clBlue},        // Metro: its border and its button
  };
  for (const auto& c : cases) {
    Picker->SetCtl3D(c.Ctl3D);
    Picker->SetMetroStyle(c.Metro);
    Picker->SetBorderStyle(c.Style);
    Picker->SetBorderColor(c.Metro ? clRed : clBlack);
    Picker->SetButtonColor(c.Metro ? clBlue : clNone);
    Application->ProcessMessages();
    const TBitmap shot = RenderPicture(*Picker);
    EXPECT_EQ(ColorToRGB(shot.Canvas().Pixels(w / 3, 0)), ColorToRGB(c.Outer)) << c.Style << c.Metro;
    EXPECT_EQ(ColorToRGB(shot.Canvas().Pixels(0, h / 2)), ColorToRGB(c.Outer));
    if (c.Inner != clNone) {
      EXPECT_EQ(ColorToRGB(shot.Canvas().Pixels(w / 3, 1)), ColorToRGB(c.Inner));
    }
    if (c.Button != clNone) {
      EXPECT_EQ(ColorToRGB(shot.Canvas().Pixels(w - 4, h / 2)), ColorToRGB(c.Button)) << "the button";
    }
  }
  // The companion time field has no 3D border: it draws the flat frame.
  Picker->SetKind(dkDateTime);
  EXPECT_FALSE(Picker->TimePicker()->Ctl3D());
}

} // namespace
