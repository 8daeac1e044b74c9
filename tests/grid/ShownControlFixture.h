// A form holding the controls under test at fixed bounds, straight on the form or on a borderless
// panel filling it (for looks that take the parent's colour), with an edit to take the focus away.
#pragma once

#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"
#include "support/ControlPicture.h"
#include "support/UiTestFixture.h"

class TShownControlTest : public TUiTest {
protected:
  // The form, not shown yet; the controls added next go straight on it.
  void MakeForm(int width, int height) {
    Form.reset(new TForm(nullptr));
    Form->SetBounds(0, 0, width, height);
    FParent = Form.get();
  }
  // A borderless panel of one colour filling the form; the controls added next go on it.
  void AddPanel(TColor color) {
    Panel = new TPanel(Form.get());
    Panel->SetParent(Form.get());
    Panel->SetBounds(0, 0, Form->Width(), Form->Height());
    Panel->SetColor(color);
    Panel->SetBevelOuter(bvNone);
    FParent = Panel;
  }
  template <class T> T* Add(int left, int top, int width, int height) {
    auto* c = new T(Form.get());
    c->SetParent(FParent);
    c->SetBounds(left, top, width, height);
    return c;
  }
  void AddOther(int left, int top, int width) { Other = Add<TEdit>(left, top, width, 21); }
  void ShowForm() {
    Form->Show();
    Application->ProcessMessages();
  }
  TBitmap Shot() { return RenderPicture(*Form); }

  TOwned<TForm> Form;
  TPanel* Panel = nullptr;
  TEdit* Other = nullptr;

private:
  TWinControl* FParent = nullptr;
};
