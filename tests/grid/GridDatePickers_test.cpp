// The date, time and date-and-time pickers driven in their cells, on the test clock.
#include "grid/GridDatePicker.h"
#include "grid/ProGridUnit.h"
#include "platform/Clock.h"
#include "platform/DateText.h"
#include "platform/Locale.h"
#include "support/ControlPicture.h"

#include "EditorKindsFixture.h"

#include <gtest/gtest.h>

namespace {

class DatePickerTest : public EditorKindsTest {
protected:
  void SetUp() override {
    EditorKindsTest::SetUp();
    TFormatSettings fs;
    fs.ShortDateFormat = "dd/mm/yyyy";
    fs.LongTimeFormat = "hh:nn:ss";
    SetFormatSettings(fs);
    Clock.Local = StrToDate("10/12/2026") + StrToTime("08:15:00");
  }
  void TearDown() override {
    EditorKindsTest::TearDown();
    ResetFormatSettings();
  }
  void Type(TWinControl& c, const std::string& text) {
    Headless::TypeText(c, text);
    Application->ProcessMessages();
  }
  TFakeClock Clock;
  TScopedClock Scope{Clock};
};

TEST_F(DatePickerTest, ADigitThatChangesAFieldMovesToTheNext) {
  Grid->SetCells(DateCol, 1, "15/03/2020");
  TGridDatePicker* picker = Grid->DateTimePicker();
  picker->SetFormat("dd/MM/yyyy");
  Open(DateCol, 1);
  ASSERT_TRUE(picker->Visible());
  picker->SetFieldIndex(0);
  Type(*picker, "3");
  EXPECT_EQ(picker->Text(), "03/03/2020");
  EXPECT_EQ(picker->FieldIndex(), 1) << "the day changed: on to the month";
  Type(*picker, "3");
  EXPECT_EQ(picker->FieldIndex(), 1) << "the month stayed 3: no move";
  picker->SetFieldIndex(2);
  Type(*picker, "2");
  EXPECT_EQ(picker->FieldIndex(), 2) << "the year is the last field";

  // Time: a digit that leaves the hour as it was does not move.
  picker->SetFormat("");
  Grid->SetCells(TimeCol, 1, "01:30:00");
  Open(TimeCol, 1);
  ASSERT_EQ(picker->Kind(), dtkTime);
  picker->SetFieldIndex(0);
  Type(*picker, "1");
  EXPECT_EQ(picker->FieldIndex(), 0);
  Type(*picker, "2");
  EXPECT_EQ(picker->Text(), "12:30:00");
  EXPECT_EQ(picker->FieldIndex(), 1);
  picker->SetFormat("");
}

TEST_F(DatePickerTest, EnterCompletesAFieldTypedInPartBeforeValidating) {
  std::string validated;
  Grid->OnCellValidate = [&](TObject*, int, int, std::string& v, bool&) { validated = v; };
  Grid->SetCells(DateCol, 2, "15/03/2020");
  Open(DateCol, 2);
  TGridDatePicker* picker = Grid->DateTimePicker();
  picker->SetFieldIndex(2);
  Type(*picker, "19");
  EXPECT_EQ(picker->Text(), "15/03/2020") << "a year waits for its digits";
  Press(*picker, VK_RETURN);
  EXPECT_EQ(validated, "15/03/2019");
  EXPECT_EQ(Grid->Cells(DateCol, 2), "15/03/2019");
  EXPECT_FALSE(picker->Visible());
}

TEST_F(DatePickerTest, EscLeavesTheCellAsItWas) {
  for (const char* start : {"15/03/2020", "", "n/a"}) {
    Grid->SetCells(DateCol, 1, start);
    Open(DateCol, 1);
    TGridDatePicker* picker = Grid->DateTimePicker();
    ASSERT_TRUE(picker->Visible());
    if (*start == 0 || start[0] == 'n') {
      EXPECT_EQ(picker->Text(), "10/12/2026") << "opens on today";
    }
    picker->SetFieldIndex(0);
    Type(*picker, "4");
    Press(*picker, VK_ESCAPE);
    EXPECT_FALSE(picker->Visible());
    EXPECT_EQ(Grid->Cells(DateCol, 1), start) << "mended: an empty or unreadable cell kept its text";
  }
  Grid->SetCells(DateTimeCol, 1, "");
  Open(DateTimeCol, 1);
  TGridDateTimePicker* dt = Grid->DateAndTimePicker();
  dt->SetDate(StrToDate("01/01/2000"));
  Press(*dt, VK_ESCAPE);
  EXPECT_EQ(Grid->Cells(DateTimeCol, 1), "");
}

TEST_F(DatePickerTest, LimitsClampToThemselves) {
  TGridDatePicker* picker = Grid->DateTimePicker();
  picker->SetMinDate(StrToDate("01/01/2020"));
  picker->SetMaxDate(StrToDate("31/01/2020"));
  struct {
    const char* Cell;
    const char* Opens;
  } cases[] = {{"15/02/2020", "31/01/2020"},
               {"01/01/2020", "01/01/2020"}, // mended: a boundary date opened one day inside
               {"15/01/2020", "15/01/2020"},
               {"31/12/2019", "01/01/2020"}};
  for (const auto& c : cases) {
    Grid->SetCells(DateCol, 3, c.Cell);
    Open(DateCol, 3);
    EXPECT_EQ(picker->Text(), c.Opens) << c.Cell;
    Leave();
    EXPECT_EQ(Grid->Cells(DateCol, 3), c.Opens);
  }
  picker->SetMinDate(0);
  picker->SetMaxDate(0);
}

TEST_F(DatePickerTest, DateAndTimeWritesShortDateAndTimeOrNothingUnchecked) {
  Grid->SetCells(DateTimeCol, 2, "15/03/2020 10:45:30");
  Open(DateTimeCol, 2);
  TGridDateTimePicker* dt = Grid->DateAndTimePicker();
  ASSERT_TRUE(dt->Visible());
  EXPECT_EQ(DateToStr(Grid->OriginalDateTime()), "15/03/2020");
  Press(*dt, VK_RETURN);
  EXPECT_EQ(Grid->Cells(DateTimeCol, 2), "15/03/2020 10:45");
  Open(DateTimeCol, 2);
  dt->SetChecked(false);
  Leave();
  EXPECT_EQ(Grid->Cells(DateTimeCol, 2), "");
  dt->SetChecked(true);
}

TEST_F(DatePickerTest, UncheckedWritesNothingAndTimeFollowsThePickersFormat) {
  TGridDatePicker* picker = Grid->DateTimePicker();
  picker->SetShowCheckbox(true);
  Grid->SetCells(DateCol, 4, "15/03/2020");
  Open(DateCol, 4);
  EXPECT_TRUE(picker->Checked());
  Press(*picker, VK_SPACE);
  EXPECT_FALSE(picker->Checked()) << "Space toggles the check box";
  Leave();
  EXPECT_EQ(Grid->Cells(DateCol, 4), "");
  Grid->SetCells(DateCol, 4, "16/03/2020");
  Open(DateCol, 4);
  EXPECT_TRUE(picker->Checked()) << "a loaded value opens checked";
  Leave();
  EXPECT_EQ(Grid->Cells(DateCol, 4), "16/03/2020");
  picker->SetShowCheckbox(false);

  picker->SetFormat("hh:nn");
  Grid->SetCells(TimeCol, 4, "12:30:45");
  Open(TimeCol, 4);
  EXPECT_EQ(picker->Text(), "12:30");
  Press(*picker, VK_RETURN);
  EXPECT_EQ(Grid->Cells(TimeCol, 4), "12:30");
  picker->SetFormat("");
}

TEST_F(DatePickerTest, CalendarTakesItsDisplayFlagsWhenItDrops) {
  TGridDatePicker* picker = Grid->DateTimePicker();
  EXPECT_TRUE(picker->ShowTodayCircle());
  Grid->SetCells(DateCol, 5, "15/03/2020");
  Open(DateCol, 5);
  bool dropped = false, closed = false;
  Grid->OnDatePickerDropDown = [&](TObject*, int, int) { dropped = true; };
  Grid->OnDatePickerCloseUp = [&](TObject*, int, int) { closed = true; };
  for (bool circle : {false, true}) {
    picker->SetShowTodayCircle(circle);
    picker->SetDroppedDown(true);
    EXPECT_TRUE(picker->OldDropped());
    EXPECT_EQ(picker->CalendarCirclesToday(), circle);
    Press(*picker, VK_RETURN);
    EXPECT_TRUE(picker->Visible()) << "Enter while the calendar is open does not end the edit";
    picker->SetDroppedDown(false);
    EXPECT_FALSE(picker->OldDropped());
  }
  EXPECT_TRUE(dropped);
  EXPECT_TRUE(closed);
  Leave();
}

TEST_F(DatePickerTest, NoBorderInsideTheCell) {
  Grid->SetCells(DateCol, 1, "15/03/2020");
  Open(DateCol, 1);
  TGridDatePicker* picker = Grid->DateTimePicker();
  picker->SetColor(clYellow);
  Application->ProcessMessages();
  TBitmap shot = RenderPicture(*picker);
  ASSERT_GT(shot.Width(), 6);
  const TColor window = ColorToRGB(clWindow);
  for (int ring : {0, 1}) {
    for (TPoint p : {TPoint{ring, shot.Height() / 2}, TPoint{shot.Width() / 2, ring},
                     TPoint{shot.Width() - 1 - ring, shot.Height() / 2},
                     TPoint{shot.Width() / 2, shot.Height() - 1 - ring}})
      EXPECT_EQ(ColorToRGB(shot.Canvas().Pixels(p.X, p.Y)), window) << ring << " at " << p.X << "," << p.Y;
  }
}

} // namespace
