// A small dialog with glow buttons, and the fixture that drives it: headless driver failures fail
// the test, and what a button shows is read back from the rendered window.
#pragma once

#include "controls/LbButton.h"
#include "platform/ui/Application.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/Headless.h"
#include "platform/ui/StdCtrls.h"
#include "support/ControlPicture.h"
#include "support/UiTestFixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

// Face, hot and pressed colours as the program's windows set them.
constexpr TColor LbFace = RGB(248, 247, 237);
constexpr TColor LbDown = RGB(255, 128, 0);
constexpr TColor LbFormColor = RGB(40, 90, 160);

class TFLbDialog : public TForm {
public:
  explicit TFLbDialog(TComponent* AOwner) : TForm(AOwner) {
    SetName("FLbDialog");
    SetBorderStyle(bsSingle);
    SetClientWidth(320);
    SetClientHeight(120);
    SetColor(LbFormColor);
    E_Name = new TEdit(this);
    E_Name->SetName("E_Name");
    E_Name->SetParent(this);
    E_Name->SetBounds(10, 10, 150, 21);
    Btn_OK = Make("Btn_OK", 10, "&OK", mrOk);
    Btn_Cancel = Make("Btn_Cancel", 120, "Cancel", mrCancel);
    Btn_OK->SetDefault(true);
    Btn_Cancel->SetCancel(true);
  }
  TLbButton* Make(const char* name, int left, const char* caption, int modalResult) {
    auto* b = new TLbButton(this);
    b->SetName(name);
    b->SetParent(this);
    b->SetBounds(left, 60, 100, 25);
    b->SetStyle(bsEncarta);
    b->SetColor(LbFace);
    b->SetHotTrackColor(clYellow);
    b->SetColorWhenDown(LbDown);
    b->SetLightColor(clGray);
    b->SetModalResult(modalResult);
    b->SetCaption(caption);
    return b;
  }
  TEdit* E_Name;
  TLbButton* Btn_OK;
  TLbButton* Btn_Cancel;
};

class LbButtonTest : public TUiTest {
protected:
  void SetUp() override {
    TUiTest::SetUp();
    std::string error;
    ASSERT_TRUE(LoadProgramFonts(&error)) << error;
  }

  // A shown dialog, freed with the test (or the next Fresh).
  TFLbDialog& Dialog() {
    if (!Form) Fresh();
    return *Form;
  }
  // A new dialog in place of the last, with controls added before it shows: a control shown
  // later on an offscreen window is told the mouse entered it.
  TFLbDialog& Fresh(const std::function<void(TFLbDialog&)>& build = {}) {
    Form.reset();
    Headless::MouseLeave();
    Form.reset(NewForm<TFLbDialog>(nullptr));
    if (build) build(*Form);
    Form->Show();
    Application->ProcessMessages();
    return *Form;
  }

  TOwned<TFLbDialog> Form;
};

// Channels of a colour as text, for readable failures.
inline std::string ColorText(TColor c) {
  c = ColorToRGB(c);
  return "RGB(" + std::to_string(GetRValue(c)) + ", " + std::to_string(GetGValue(c)) + ", " +
         std::to_string(GetBValue(c)) + ")";
}
