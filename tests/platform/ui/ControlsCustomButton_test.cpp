// The hooks a self-drawn push button needs, exercised by a small button written on them the way
// the program's glow button works: pressed by mouse or key, clicked on release, Default and
// Cancel through the dialog keys (not while a button has the focus), accelerators, hot tracking.
#include "SampleForm.h"
#include "support/UiTestFixture.h"

#include "platform/ui/Application.h"
#include "platform/ui/Headless.h"

#include <algorithm>
#include <cctype>
#include <memory>
#include <string>
#include <vector>

namespace {

class TLbButtonStub : public TCustomControl {
public:
  explicit TLbButtonStub(TComponent* owner) : TCustomControl(owner) {
    SetControlStyle(csCaptureMouse | csSetCaption);
    SetTabStop(true);
    SetBounds(0, 0, 100, 23);
  }
  bool Default = false, Cancel = false, Down = false, Hot = false;
  int ModalResult = 0;
  int Paints = 0;

  void Click() override {
    Down = true;
    if (!Visible() || !Enabled() || !Down) return;
    Down = false;
    TCustomControl::Click();
    if (ModalResult)
      if (TForm* f = GetParentForm(this)) f->SetModalResult(ModalResult);
  }

protected:
  void Paint() override { ++Paints; }
  void MouseDown(TMouseButton b, TShiftState s, int x, int y) override {
    TCustomControl::MouseDown(b, s, x, y);
    if (b != mbLeft || !Enabled()) return;
    Down = true;
    SetFocus();
    Repaint();
  }
  void MouseUp(TMouseButton b, TShiftState s, int x, int y) override {
    TCustomControl::MouseUp(b, s, x, y);
    if (Down) Click();
    Down = false;
    Repaint();
  }
  void CNKeyDown(TMessage& m) override {
    TCustomControl::CNKeyDown(m);
    if (Enabled() && (m.WParam == VK_RETURN || m.WParam == VK_SPACE)) {
      Down = true;
      Repaint();
    }
  }
  void CNKeyUp(TMessage& m) override {
    TCustomControl::CNKeyUp(m);
    if (m.WParam == VK_RETURN || m.WParam == VK_SPACE) Click();
    Repaint();
  }
  void CMDialogChar(TMessage& m) override {
    if (IsAccel(static_cast<WideChar>(m.WParam), Caption()) && Visible() && Enabled() &&
        Parent()->Showing()) {
      Click();
      m.Result = 1;
      return;
    }
    TCustomControl::CMDialogChar(m);
  }
  void CMDialogKey(TMessage& m) override {
    bool noShift = (m.LParam & (ssShift | ssAlt | ssCtrl)) == 0;
    if (((m.WParam == VK_RETURN && Default) || (m.WParam == VK_ESCAPE && Cancel)) && noShift && Visible() &&
        Enabled() && !ButtonHasFocus()) {
      Click();
      m.Result = 1;
      return;
    }
    TCustomControl::CMDialogKey(m);
  }
  void CMMouseEnter(TMessage& m) override {
    if (Enabled() && Visible() && Parent()->Showing()) {
      Hot = true;
      Repaint();
      TCustomControl::CMMouseEnter(m);
    }
  }
  void CMMouseLeave(TMessage& m) override {
    Hot = false;
    Repaint();
    if (Enabled() && Visible() && Parent()->Showing()) TCustomControl::CMMouseLeave(m);
  }
  void CMEnabledChanged(TMessage& m) override {
    TCustomControl::CMEnabledChanged(m);
    Down = false;
    Repaint();
  }

private:
  bool ButtonHasFocus() const {
    TComponent* o = Owner();
    while (o && !dynamic_cast<TForm*>(o))
      o = o->Owner();
    auto* form = static_cast<TForm*>(o);
    if (!form || !form->ActiveControl()) return false;
    std::string name = form->ActiveControl()->ClassName();
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::toupper(c); });
    return name.find("BUTTON") != std::string::npos && name.find("RADIOBUTTON") == std::string::npos;
  }
};

// The sample dialog with its buttons replaced by self-drawn ones.
struct TFGlow : TFSample {
  explicit TFGlow(TComponent* owner) : TFSample(owner) {
    Btn_OK->Hide();
    Btn_Cancel->Hide();
    Lb_OK = new TLbButtonStub(this);
    Lb_OK->SetName("Lb_OK");
    Lb_OK->SetParent(P_Button);
    Lb_OK->SetBounds(117, 6, 110, 28);
    Lb_OK->SetCaption("&OK");
    Lb_OK->Default = true;
    Lb_OK->ModalResult = mrOk;
    Lb_Cancel = new TLbButtonStub(this);
    Lb_Cancel->SetName("Lb_Cancel");
    Lb_Cancel->SetParent(P_Button);
    Lb_Cancel->SetBounds(235, 6, 110, 28);
    Lb_Cancel->SetCaption("Cancel");
    Lb_Cancel->Cancel = true;
    Lb_Cancel->ModalResult = mrCancel;
  }
  TLbButtonStub* Lb_OK;
  TLbButtonStub* Lb_Cancel;
};

class CustomButtonTest : public TUiTest {};

TEST_F(CustomButtonTest, KeysMouseAndAcceleratorsCloseTheFormAsTheButtonsSay) {
  struct Case {
    const char* name;
    std::function<void(TFGlow&)> act;
    int expected;
  };
  const Case cases[] = {
      {"Enter in an edit: the default button", [](TFGlow& f) { Headless::PressKey(f, "E_IP1", VK_RETURN); },
       mrOk},
      {"Escape in an edit: the cancel button", [](TFGlow& f) { Headless::PressKey(f, "E_IP1", VK_ESCAPE); },
       mrCancel},
      {"Enter on the focused cancel button: that button",
       [](TFGlow& f) { Headless::PressKey(*f.Lb_Cancel, VK_RETURN); }, mrCancel},
      {"Escape while a button has the focus: nothing",
       [](TFGlow& f) { Headless::PressKey(*f.Lb_OK, VK_ESCAPE); }, mrNone},
      {"Space on the focused button", [](TFGlow& f) { Headless::PressKey(*f.Lb_OK, VK_SPACE); }, mrOk},
      {"its accelerator from a check box", [](TFGlow& f) { Headless::PressKey(f, "CB_DHCP", 'O'); }, mrOk},
      {"a click", [](TFGlow& f) { Headless::Click(*f.Lb_Cancel); }, mrCancel},
      {"pressed inside, released outside",
       [](TFGlow& f) {
         Headless::MouseDown(*f.Lb_OK, {5, 5});
         Headless::MouseUp(*f.E_IP1, {1, 1});
       },
       mrOk},
      {"disabled: a click does nothing",
       [](TFGlow& f) {
         f.Lb_OK->SetEnabled(false);
         Headless::MouseDown(*f.Lb_OK, {5, 5});
         Headless::MouseUp(*f.Lb_OK, {5, 5});
         Headless::PressKey(f, "E_IP1", VK_RETURN);
       },
       mrNone},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto* form = NewForm<TFGlow>(nullptr);
    int seen = -1;
    Headless::OnNextModal([&](TForm& f) {
      c.act(static_cast<TFGlow&>(f));
      seen = f.ModalResult();
      if (seen == mrNone) f.SetModalResult(99);
    });
    form->ShowModal();
    EXPECT_EQ(seen, c.expected);
    form->Free();
  }
}

TEST_F(CustomButtonTest, HoverAndFocusRepaintAtOnce) {
  auto* form = NewForm<TFGlow>(nullptr);
  form->Show();
  Application->ProcessMessages(); // the window is exposed: painting can happen
  TLbButtonStub& b = *form->Lb_OK;
  int paints = b.Paints;
  std::vector<std::string> log;
  b.OnMouseEnter = [&](TObject*) { log.push_back("enter"); };
  b.OnMouseLeave = [&](TObject*) { log.push_back("leave"); };
  Headless::MouseMove(b, {3, 3});
  EXPECT_TRUE(b.Hot);
  EXPECT_EQ(b.Paints, paints + 1) << "repainted at once, not later";
  Headless::MouseMove(*form->E_IP1, {3, 3});
  EXPECT_FALSE(b.Hot);
  EXPECT_EQ(log, (std::vector<std::string>{"enter", "leave"}));
  Headless::MouseDown(b, {3, 3});
  EXPECT_TRUE(b.Down);
  EXPECT_TRUE(b.Focused()) << "the button took the focus on the press";
  Headless::MouseUp(b, {3, 3});
  EXPECT_FALSE(b.Down);
  form->Free();
}

} // namespace
