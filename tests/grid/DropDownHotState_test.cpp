// The grid's combo, its date picker and the drop-down editors' picker follow the mouse and the
// focus alike: the drop-down button shows hot only under the mouse, the frame takes the focus
// colour (where there is one) only while focused.
#include "dropdowns/ProDateTimePicker.h"
#include "grid/AsgCombo.h"
#include "grid/AsgDateTimePicker.h"

#include "ShownControlFixture.h"

#include "platform/ui/Headless.h"

#include <functional>
#include <string>

namespace {

constexpr TColor Button = RGB(0, 160, 0), ButtonHot = RGB(0, 0, 160), Border = RGB(200, 0, 200),
                 FocusBorder = RGB(0, 200, 200);

class DropDownHotStateTest : public TShownControlTest {
protected:
  void SetUp() override {
    TShownControlTest::SetUp();
    MakeForm(400, 240);
    AddPanel(clWhite);
    Combo = Add<TAsgComboBox>(150, 100, 120, 21);
    Combo->SetButtonColor(Button);
    Combo->SetButtonColorHot(ButtonHot);
    Combo->SetButtonTextColor(clBlack);
    Combo->SetBorderColor(Border);
    Combo->SetFocusBorderColor(FocusBorder);
    Picker = Add<TAsgDateTimePicker>(150, 40, 150, 24);
    Picker->SetButtonColor(Button);
    Picker->SetButtonColorHot(ButtonHot);
    Picker->SetButtonTextColor(clBlack);
    Picker->SetMetroStyle(true);
    Picker->SetBorderColor(Border);
    ProPicker = Add<TProDateTimePicker>(150, 150, 150, 24);
    ProPicker->SetKind(dkDate);
    ProPicker->SetButtonColor(Button);
    ProPicker->SetButtonColorHot(ButtonHot);
    ProPicker->SetButtonTextColor(clBlack);
    ProPicker->SetMetroStyle(true);
    ProPicker->SetBorderColor(Border);
    ProPicker->SetFocusBorderColor(FocusBorder);
    AddOther(10, 200, 80);
    ShowForm();
    Other->SetFocus();
  }
  TAsgComboBox* Combo = nullptr;
  TAsgDateTimePicker* Picker = nullptr;
  TProDateTimePicker* ProPicker = nullptr;
};

TEST_F(DropDownHotStateTest, ButtonFollowsTheMouseAndFrameTheFocus) {
  struct TControlCase {
    const char* Name;
    TWinControl* Control;
    TPoint ButtonFill; // on the form
    std::function<bool()> ButtonHover;
    TColor FocusedFrame;
  };
  const TControlCase controls[] = {
      {"combo",
       Combo,
       {150 + 120 - 19 + 2 + 6, 100 + 4},
       [this] { return Combo->ButtonHover(); },
       FocusBorder},
      // The grid's picker has no focus colour.
      {"grid picker",
       Picker,
       {150 + 150 - 19 + 2 + 1 + 2 + 4, 40 + 4},
       [this] { return Picker->ButtonHover(); },
       Border},
      {"drop-down editors' picker",
       ProPicker,
       {150 + 150 - 19 + 3 + 2 + 5, 150 + 4},
       [this] { return ProPicker->ButtonHover(); },
       FocusBorder},
  };
  enum TState { Away, OverBody, OverButton, BackOnBody, Left, Focused, Unfocused };
  const std::pair<TState, const char*> states[] = {{Away, "away"},
                                                   {OverBody, "over the body"},
                                                   {OverButton, "over the button"},
                                                   {BackOnBody, "back on the body"},
                                                   {Left, "left"},
                                                   {Focused, "focused"},
                                                   {Unfocused, "focus gone"}};
  for (const TControlCase& c : controls) {
    for (auto [state, name] : states) {
      SCOPED_TRACE(std::string(c.Name) + ", " + name);
      TWinControl& w = *c.Control;
      switch (state) {
      case Away:
        break;
      case OverBody:
      case BackOnBody:
        Headless::MouseMove(w, {10, 10});
        break;
      case OverButton:
        Headless::MouseMove(w, {w.Width() - 5, 10});
        break;
      case Left:
        Headless::MouseLeave();
        break;
      case Focused:
        w.SetFocus();
        break;
      case Unfocused:
        Other->SetFocus();
        break;
      }
      Application->ProcessMessages();
      const TBitmap shot = Shot();
      EXPECT_EQ(c.ButtonHover(), state == OverButton);
      EXPECT_EQ(shot.Pixel(c.ButtonFill.X, c.ButtonFill.Y), state == OverButton ? ButtonHot : Button);
      EXPECT_EQ(shot.Pixel(w.Left(), w.Top() + w.Height() / 2), state == Focused ? c.FocusedFrame : Border);
    }
  }
}

} // namespace
