// The date-and-time picker: its kinds, its companion time field and its values.
#include "dropdowns/ProDateTimePicker.h"
#include "platform/DateText.h"
#include "platform/Locale.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Headless.h"

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

} // namespace
