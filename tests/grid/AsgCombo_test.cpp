// The grid's combo box: button widths, the flat parent colour, the focus colour, the label's
// thirteen places, closing the list, and its own button and frame painted in custom colours.
#include "grid/AsgCombo.h"

#include "ShownControlFixture.h"

namespace {

class AsgComboTest : public TShownControlTest {
protected:
  void SetUp() override {
    TShownControlTest::SetUp();
    MakeForm(400, 240);
    Form->SetColor(clWhite);
    AddPanel(clWhite);
    Combo = Add<TAsgComboBox>(150, 100, 120, 21);
    Combo->Items().Add("one");
    Combo->Items().Add("two");
    AddOther(10, 200, 80);
    ShowForm();
    Other->SetFocus();
  }
  TAsgComboBox* Combo = nullptr;
};

TEST_F(AsgComboTest, ButtonWidthKeepsOnly14To32) {
  EXPECT_EQ(Combo->ButtonWidth(), 19);
  struct Case {
    int set, expected;
  } cases[] = {{13, 19}, {33, 19}, {14, 14}, {32, 32}};
  for (const Case& c : cases) {
    Combo->SetButtonWidth(c.set);
    EXPECT_EQ(Combo->ButtonWidth(), c.expected) << c.set;
  }
}

TEST_F(AsgComboTest, FlatTakesTheParentColourAndFocusTakesTheFocusColour) {
  Panel->SetColor(clGray);
  Combo->SetFlat(true);
  EXPECT_EQ(Combo->Color(), clGray);
  Combo->SetEnabled(false);
  EXPECT_TRUE(Combo->ParentColor()) << "a disabled flat combo takes its parent's colour";
  Panel->SetColor(clSilver);
  Combo->SetEnabled(true);
  EXPECT_FALSE(Combo->ParentColor());
  EXPECT_EQ(Combo->Color(), clGray) << "enabled again, its own colour comes back";
  Combo->SetFlat(false);
  EXPECT_EQ(Combo->Color(), clWindow) << "the loaded colour";

  Combo->SetFocusColor(clYellow);
  Combo->SetFocus();
  EXPECT_EQ(Combo->Color(), clYellow);
  Other->SetFocus();
  EXPECT_EQ(Combo->Color(), clWindow) << "the colour Init took";

  Combo->SelectItem("TWO");
  EXPECT_EQ(Combo->ItemIndex(), 1);
  Combo->SelectItem("three");
  EXPECT_EQ(Combo->ItemIndex(), 1) << "a text not in the list changes nothing";
}

TEST_F(AsgComboTest, LabelTakesEachOfItsThirteenPlaces) {
  Combo->SetLabelCaption("Unit");
  TLabel* label = Combo->ComboLabel();
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->Parent(), Panel);
  const int LW = label->Width(), LH = label->Height(), W = LW, M = 4;
  const int L = 150, T = 100, CW = 120, CH = Combo->Height();
  const int middle = T + (CH - LH) / 2, centre = L + (CW - LW) / 2;
  struct Case {
    TLabelPosition position;
    int left, top;
  } cases[] = {
      {lpLeftTop, L - W - M, T},
      {lpLeftCenter, L - W - M, middle},
      {lpLeftBottom, L - W - M, T + CH - LH},
      {lpTopLeft, L, T - LH - M},
      {lpBottomLeft, L, T + CH + M},
      {lpLeftTopLeft, L - M, T},
      {lpLeftCenterLeft, L - M, middle},
      {lpLeftBottomLeft, L - M, T + CH - LH},
      {lpTopCenter, centre, T - LH - M},
      {lpBottomCenter, centre, T + CH + M},
      {lpRightTop, L + CW + M, T},
      {lpRightCenter, L + CW + M, middle},
      {lpRighBottom, L + CW + M, T + CH - LH},
  };
  for (const Case& c : cases) {
    Combo->SetLabelPosition(c.position);
    EXPECT_EQ(label->Left(), c.left) << c.position;
    EXPECT_EQ(label->Top(), c.top) << c.position;
  }

  // Taller than the combo, a centred label stands above it by half the difference.
  Combo->SetParentFont(false);
  Combo->LabelFont().SetSize(40);
  Combo->SetLabelPosition(lpLeftCenter);
  ASSERT_GT(label->Height(), CH);
  EXPECT_EQ(label->Top(), T - (label->Height() - CH) / 2);

  Combo->SetLeft(200);
  EXPECT_EQ(label->Left(), 200 - label->Width() - M) << "the label follows the combo";
  Combo->Hide();
  EXPECT_FALSE(label->Visible());
  Combo->Show();
  Combo->SetEnabled(false);
  EXPECT_FALSE(label->Enabled());
  Combo->SetLabelAlwaysEnabled(true);
  EXPECT_TRUE(label->Enabled());
}

TEST_F(AsgComboTest, ClosingTheListFiresOnDropUpOnce) {
  int dropUps = 0, dropDowns = 0;
  Combo->OnDropUp = [&](TObject* s) { dropUps += s == Combo; };
  Combo->OnDropDown = [&](TObject*) { ++dropDowns; };
  Combo->SetDroppedDown(true);
  EXPECT_EQ(dropUps, 0) << "opening does not";
  Combo->SetDroppedDown(false);
  EXPECT_EQ(dropUps, 1);
  EXPECT_EQ(dropDowns, 1);
  Combo->SetDropWidth(300);
  EXPECT_EQ(Combo->Perform(CB_GETDROPPEDWIDTH), 300);
}

TEST_F(AsgComboTest, PaintsCustomButtonColoursAndItsFrames) {
  Combo->SetButtonColor(RGB(0, 160, 0));
  Combo->SetButtonColorHot(RGB(0, 0, 160));
  Combo->SetButtonBorderColor(RGB(160, 0, 0));
  Combo->SetButtonTextColor(clBlack);
  TBitmap shot = Shot();
  const int bl = 150 + 120 - 19 + 2; // the button's rectangle starts here, less one
  EXPECT_EQ(shot.Pixel(bl + 6, 100 + 4), RGB(0, 160, 0)) << "the button's fill";
  EXPECT_EQ(shot.Pixel(bl + 7, 100 + 2 + 7), clBlack) << "the arrow";
  EXPECT_EQ(shot.Pixel(bl, 100 + 10), RGB(160, 0, 0)) << "the line left of the button";

  Headless::MouseMove(*Combo, {120 - 5, 10});
  EXPECT_TRUE(Combo->ButtonHover());
  EXPECT_EQ(Shot().Pixel(bl + 6, 100 + 4), RGB(0, 0, 160)) << "hot";
  Headless::MouseMove(*Combo, {10, 10});
  EXPECT_FALSE(Combo->ButtonHover());

  // Both frame colours: the focus frame while focused, the border colour otherwise.
  Combo->SetBorderColor(RGB(200, 0, 200));
  Combo->SetFocusBorderColor(RGB(0, 200, 200));
  EXPECT_EQ(Shot().Pixel(150, 100 + 10), RGB(200, 0, 200));
  Combo->SetFocus();
  EXPECT_EQ(Shot().Pixel(150, 100 + 10), RGB(0, 200, 200));
  Combo->SetBorderColor(clNone);
  Other->SetFocus();
  EXPECT_NE(Shot().Pixel(150, 100 + 10), RGB(0, 200, 200)) << "no custom frame while unfocused";
}

TEST_F(AsgComboTest, VistaWithoutButtonColourDrawsNoButtonAndOnlyTheBorderColoursFrame) {
  Combo->SetIsVista(true);
  Combo->SetFocusBorderColor(RGB(0, 200, 200));
  Combo->SetFocus();
  EXPECT_NE(Shot().Pixel(150, 100 + 10), RGB(0, 200, 200));
  Combo->SetFocusBorderColor(clNone);
  Combo->SetBorderColor(RGB(200, 0, 200));
  EXPECT_EQ(Shot().Pixel(150, 100 + 10), RGB(200, 0, 200)) << "a border colour still frames it";
}

} // namespace
