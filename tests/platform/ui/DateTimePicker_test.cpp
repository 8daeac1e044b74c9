// The date and time picker on the pinned locale: its kinds and texts, the value by code (silent)
// and by the keys (OnChange), and the drop-down calendar's state and settings.
#include "platform/ui/DateTimePicker.h"

#include "platform/Locale.h"
#include "platform/ui/Forms.h"
#include "support/UiTestFixture.h"

#include <cmath>

namespace {

class DateTimePickerTest : public TUiTest {
protected:
  void SetUp() override {
    TUiTest::SetUp();
    Previous = FormatSettings();
    TFormatSettings fs;
    fs.DecimalSeparator = ',';
    fs.DateSeparator = '.';
    fs.ShortDateFormat = "dd.mm.yyyy";
    fs.LongTimeFormat = "hh:nn:ss";
    SetFormatSettings(fs);
    Form.reset(new TForm(nullptr));
    Form->SetBounds(0, 0, 300, 100);
    Picker = new TDateTimePicker(Form.get());
    Picker->SetParent(Form.get());
    Picker->SetBounds(10, 10, 150, 24);
    Picker->OnChange = [this](TObject*) { ++Changes; };
    Form->Show();
    Application->ProcessMessages();
  }
  void TearDown() override {
    Form.reset();
    SetFormatSettings(Previous);
    TUiTest::TearDown();
  }
  TFormatSettings Previous;
  TOwned<TForm> Form;
  TDateTimePicker* Picker = nullptr;
  int Changes = 0;
};

// 10 December 2026, 14:30:15.
constexpr double Sample = 46366 + (14 * 3600 + 30 * 60 + 15) / 86400.0;

TEST_F(DateTimePickerTest, ValueByCodeIsSilentAndKeysStepTheDay) {
  EXPECT_EQ(Picker->Kind(), dtkDate);
  Picker->SetDateTime(Sample);
  EXPECT_NEAR(Picker->DateTime(), Sample, 1e-6);
  EXPECT_EQ(Picker->Date(), 46366);
  EXPECT_EQ(Picker->Text(), "10.12.2026");
  EXPECT_EQ(Changes, 0) << "set by code";
  Headless::PressKey(*Picker, VK_UP);
  EXPECT_EQ(Picker->Date(), 46367) << "the day part at the caret";
  EXPECT_EQ(Changes, 1);
  Picker->SetKind(dtkTime);
  EXPECT_EQ(Picker->Text(), "14:30:15");
  Picker->SetTime(0.5);
  EXPECT_EQ(Picker->Text(), "12:00:00");
  EXPECT_EQ(Picker->Date(), 46367) << "the date stays";
}

TEST_F(DateTimePickerTest, CalendarOpensAndClosesWithItsSettings) {
  int drops = 0, closes = 0;
  Picker->OnDropDown = [&](TObject*) { ++drops; };
  Picker->OnCloseUp = [&](TObject*) { ++closes; };
  Picker->SetWeekNumbers(true);
  Picker->SetShowToday(false);
  EXPECT_TRUE(Picker->CalendarShowsWeekNumbers());
  EXPECT_FALSE(Picker->CalendarMarksToday());
  Picker->SetShowToday(true);
  EXPECT_TRUE(Picker->CalendarMarksToday());
  Picker->SetDroppedDown(true);
  EXPECT_TRUE(Picker->DroppedDown());
  Picker->SetDroppedDown(false);
  EXPECT_FALSE(Picker->DroppedDown());
  EXPECT_EQ(drops, 1);
  EXPECT_EQ(closes, 1);
  Picker->SetKind(dtkTime);
  Picker->SetDroppedDown(true);
  EXPECT_FALSE(Picker->DroppedDown()) << "a time has no calendar";
}

TEST_F(DateTimePickerTest, CheckBoxTogglesByTheUserAndSilentlyByCode) {
  Picker->SetDateTime(Sample);
  Picker->SetShowCheckbox(true);
  EXPECT_TRUE(Picker->Checked());
  Picker->SetChecked(false);
  EXPECT_EQ(Changes, 0) << "by code";
  Headless::PressKey(*Picker, VK_SPACE);
  EXPECT_TRUE(Picker->Checked());
  EXPECT_EQ(Changes, 1);
  EXPECT_EQ(Picker->Text(), "10.12.2026") << "the value is kept";
  Picker->SetShowCheckbox(false);
  Headless::PressKey(*Picker, VK_SPACE);
  EXPECT_TRUE(Picker->Checked()) << "without the box Space changes nothing";
  Picker->SetShowTodayCircle(true);
  EXPECT_TRUE(Picker->CalendarCirclesToday());
  Picker->SetShowTodayCircle(false);
  EXPECT_FALSE(Picker->CalendarCirclesToday());
}

} // namespace
