// The grid's date and time picker: its defaults and version, the flat border in the parent's or
// the themed colour, and the Metro look's own drop-down button, which a time does not get.
#include "grid/AsgDateTimePicker.h"

#include "ShownControlFixture.h"

namespace {

class AsgDateTimePickerTest : public TShownControlTest {
protected:
  void SetUp() override {
    TShownControlTest::SetUp();
    MakeForm(300, 100);
    AddPanel(RGB(10, 120, 30));
    Picker = Add<TAsgDateTimePicker>(10, 10, 150, 24);
    ShowForm();
  }
  TAsgDateTimePicker* Picker = nullptr;
};

TEST_F(AsgDateTimePickerTest, NewPickerLooksLikeThePlatformsAndKeepsItsVersion) {
  EXPECT_EQ(Picker->BorderStyle(), bsNone);
  EXPECT_EQ(Picker->BorderColor(), clNone);
  EXPECT_TRUE(Picker->Ctl3D());
  EXPECT_FALSE(Picker->MetroStyle());
  EXPECT_FALSE(Picker->DrawsOwnParts());
  EXPECT_EQ(Picker->ButtonWidth(), 19);
  EXPECT_EQ(Picker->Version(), "1.0.0.0");
  Picker->SetVersion("2.0.0.0");
  EXPECT_EQ(Picker->Version(), "1.0.0.0");
  EXPECT_EQ(Picker->GetVersionNr(), 0x01000000u);
}

TEST_F(AsgDateTimePickerTest, FlatBorderTakesTheParentsOrTheThemedColour) {
  Picker->SetCtl3D(false);
  Picker->SetBorderColor(clRed);
  EXPECT_EQ(Shot().Pixel(10, 10 + 12), RGB(10, 120, 30)) << "bsNone: the parent's colour";
  Picker->SetBorderStyle(bsSingle);
  TBitmap shot = Shot();
  EXPECT_EQ(shot.Pixel(10, 10 + 12), TColor(0xB99D7F)) << "bsSingle, themed";
  EXPECT_EQ(shot.Pixel(10 + 1, 10 + 12), RGB(10, 120, 30)) << "the inner line in the parent's colour";
}

TEST_F(AsgDateTimePickerTest, MetroDrawsItsOwnButtonButNotForATime) {
  Picker->SetButtonColor(RGB(0, 160, 0));
  Picker->SetButtonTextColor(clBlack);
  Picker->SetMetroStyle(true);
  const int x = 10 + 150 - 19 + 2 + 1 + 2 + 4, y = 10 + 4;
  EXPECT_EQ(Shot().Pixel(x, y), RGB(0, 160, 0));
  Picker->SetBorderColor(clBlue);
  TBitmap framed = Shot();
  EXPECT_EQ(framed.Pixel(10, 10 + 12), clBlue) << "the Metro frame";
  Picker->SetKind(dtkTime);
  TBitmap time = Shot();
  EXPECT_NE(time.Pixel(x, y), RGB(0, 160, 0)) << "no custom drop-down button for a time";
  EXPECT_EQ(time.Pixel(10, 10 + 12), clBlue) << "the frame stays";
}

} // namespace
