// The control base: focus and Tab order, accelerators, mouse capture and hover, painting,
// messages, inherited fonts and colours, hints, ownership.
#include "SampleForm.h"
#include "support/UiTestFixture.h"

#include "platform/ui/Application.h"
#include "platform/ui/Headless.h"
#include "platform/ui/HeadlessPaint.h"
#include "tests/support/ControlPicture.h"
#include "tests/support/PixelTools.h"

#include <string>
#include <vector>

namespace {

// A self-drawn control that records what the platform tells it.
class TProbe : public TCustomControl {
public:
  explicit TProbe(TComponent* owner) : TCustomControl(owner) {
    SetTabStop(true);
    SetBounds(10, 10, 50, 30);
  }
  std::vector<std::string> Log;
  int Paints = 0;
  bool CanvasUsable = false;
  TRect PaintClip;
  std::vector<bool> Visible; // of the two halves, during the last paint
  bool Overlay = false;
  TRect OverlayClip;
  unsigned Dialog = 0;
  unsigned DialogCode() const override { return Dialog; }

protected:
  void Paint() override {
    ++Paints;
    CanvasUsable = Canvas().HandleAllocated() && Painting();
    PaintClip = Canvas().ClipRect();
    Visible = {Canvas().RectVisible(Rect(0, 0, 25, 30)), Canvas().RectVisible(Rect(25, 0, 50, 30))};
    Canvas().SetClipRect(Rect(0, 0, 1, 1)); // left behind on purpose
  }
  void PaintOverlay() override {
    if (!Overlay) return;
    OverlayClip = Canvas().ClipRect();
    Canvas().Brush().SetColor(clRed);
    Canvas().FillRect(Rect(20, 0, 21, 30));
  }
  void MouseDown(TMouseButton b, TShiftState s, int x, int y) override {
    Log.push_back("down " + std::to_string(x) + "," + std::to_string(y));
    TCustomControl::MouseDown(b, s, x, y);
  }
  void MouseUp(TMouseButton b, TShiftState s, int x, int y) override {
    Log.push_back("up " + std::to_string(x) + "," + std::to_string(y));
    TCustomControl::MouseUp(b, s, x, y);
  }
  void CMMouseEnter(TMessage& m) override {
    Log.push_back("enter");
    TCustomControl::CMMouseEnter(m);
  }
  void CMMouseLeave(TMessage& m) override {
    Log.push_back("leave");
    TCustomControl::CMMouseLeave(m);
  }
  void CMEnabledChanged(TMessage& m) override {
    Log.push_back(std::string("enabled ") + (Enabled() ? "1" : "0"));
    TCustomControl::CMEnabledChanged(m);
  }
  void CMTextChanged(TMessage& m) override {
    Log.push_back("text " + Caption());
    TCustomControl::CMTextChanged(m);
  }
  void CMFontChanged(TMessage& m) override {
    Log.push_back("font " + std::to_string(Font().Height()));
    TCustomControl::CMFontChanged(m);
  }
  void CMDialogKey(TMessage& m) override {
    Log.push_back("dialogkey " + std::to_string(m.WParam));
    TCustomControl::CMDialogKey(m);
  }
  void CMDialogChar(TMessage& m) override {
    if (IsAccel(static_cast<WideChar>(m.WParam), Caption())) {
      Log.push_back("accel");
      m.Result = 1;
      return;
    }
    TCustomControl::CMDialogChar(m);
  }
  void WndProc(TMessage& m) override {
    if (m.Msg == CM_CURSORCHANGED) Log.push_back("cursor " + std::to_string(Cursor()));
    if (m.Msg >= WM_USER && m.Msg < CM_BASE) {
      Log.push_back("msg " + std::to_string(m.Msg - WM_USER));
      m.Result = 42;
      return;
    }
    TCustomControl::WndProc(m);
  }
};

class ControlsTest : public TUiTest {
protected:
  void SetUp() override {
    TUiTest::SetUp();
    Form.reset(NewForm<TFSample>(nullptr));
    Probe = new TProbe(Form.get());
    Probe->SetName("Probe");
    Probe->SetParent(Form.get());
    Probe->Log.clear();
  }
  void TearDown() override {
    Form.reset();
    TUiTest::TearDown();
  }
  TOwned<TFSample> Form;
  TProbe* Probe = nullptr;
};

std::string FocusName(TForm& f) {
  return f.ActiveControl() ? f.ActiveControl()->Name() : "none";
}

TEST_F(ControlsTest, TabFollowsTheTabOrderAndSkipsHiddenDisabledAndNonStopControls) {
  TFSample& f = *Form;
  f.Show();
  EXPECT_EQ(FocusName(f), "E_IP1") << "the first control in Tab order gets the focus at show";
  std::vector<std::string> order;
  for (int i = 0; i < 7; ++i) {
    Headless::PressKey(f, VK_TAB);
    order.push_back(FocusName(f));
  }
  // Depth first in the order the controls were added: the panel's buttons, then the probe.
  EXPECT_EQ(order, (std::vector<std::string>{"E_IP2", "CB_Band", "CB_DHCP", "Btn_OK", "Btn_Cancel", "Probe",
                                             "E_IP1"}));

  f.E_IP2->SetEnabled(false);
  f.CB_Band->SetTabStop(false);
  Probe->SetTabOrder(0);
  Headless::PressKey(f, VK_TAB, ssShift);
  EXPECT_EQ(FocusName(f), "Probe") << "Shift+Tab goes backwards";
  Headless::PressKey(f, VK_TAB);
  EXPECT_EQ(FocusName(f), "E_IP1");
  Headless::PressKey(f, VK_TAB);
  EXPECT_EQ(FocusName(f), "CB_DHCP");
}

TEST_F(ControlsTest, AcceleratorsReachTheirControls) {
  TFSample& f = *Form;
  f.Show();
  Probe->SetCaption("&Probe");
  Probe->Log.clear();
  // Alt+letter works from anywhere; the label's accelerator focuses its control.
  f.CB_DHCP->SetFocus();
  Headless::PressKey(f, 'A', ssAlt);
  EXPECT_EQ(FocusName(f), "E_IP1");
  // A plain letter typed in an edit is text, not an accelerator.
  Headless::PressKey(*f.E_IP1, 'P');
  EXPECT_EQ(f.E_IP1->Text(), "p");
  EXPECT_TRUE(Probe->Log.empty());
  // On a control that takes no characters, a plain letter is an accelerator.
  f.Btn_OK->SetFocus();
  f.Log.clear();
  Headless::PressKey(*f.Btn_OK, 'P');
  EXPECT_EQ(Probe->Log, std::vector<std::string>{"accel"});
  Headless::PressKey(*f.Btn_OK, 'T');
  EXPECT_EQ(f.Log, (std::vector<std::string>{"CB_DHCP.Click 1"})) << "the check box's accelerator toggles it";
}

TEST_F(ControlsTest, DialogKeysReachACustomControlOnlyWhenItDoesNotWantThem) {
  TFSample& f = *Form;
  f.Btn_OK->SetDefault(false);
  f.Show();
  Probe->SetFocus();
  Headless::PressKey(*Probe, VK_RETURN);
  EXPECT_EQ(Probe->Log, std::vector<std::string>{"dialogkey 13"});
  Probe->Log.clear();
  std::vector<std::string> keys;
  Probe->OnKeyDown = [&](TObject*, std::uint16_t& k, TShiftState) {
    keys.push_back("down " + std::to_string(k));
  };
  Probe->Dialog = DLGC_WANTALLKEYS | DLGC_WANTARROWS;
  Headless::PressKey(*Probe, VK_RETURN);
  Headless::PressKey(*Probe, VK_RIGHT);
  EXPECT_TRUE(Probe->Log.empty());
  EXPECT_EQ(keys, (std::vector<std::string>{"down 13", "down 39"}));
  EXPECT_EQ(FocusName(f), "Probe") << "an arrow the control wants does not move the focus";
  Probe->Dialog = 0;
  Headless::PressKey(*Probe, VK_RIGHT);
  EXPECT_NE(FocusName(f), "Probe") << "an arrow it does not want moves the focus";
}

TEST_F(ControlsTest, MouseCaptureKeepsTheMouseUntilReleaseAndHoverIsReported) {
  TFSample& f = *Form;
  f.Show();
  int clicks = 0;
  Probe->OnClick = [&](TObject*) { ++clicks; };
  Headless::MouseMove(*Probe, {5, 5});
  Headless::MouseDown(*Probe, {5, 5});
  EXPECT_TRUE(Probe->MouseCapture());
  Headless::MouseMove(*f.E_IP1, {2, 2});
  Headless::MouseUp(*f.E_IP1, {2, 2});
  EXPECT_FALSE(Probe->MouseCapture());
  // The release outside still reaches the control, in its own coordinates; it is no click.
  int upX = f.E_IP1->Left() + 2 - Probe->Left(), upY = f.E_IP1->Top() + 2 - Probe->Top();
  EXPECT_EQ(Probe->Log, (std::vector<std::string>{"enter", "down 5,5", "leave",
                                                  "up " + std::to_string(upX) + "," + std::to_string(upY)}));
  EXPECT_EQ(clicks, 0);
  Probe->Log.clear();
  EXPECT_TRUE(Headless::Click(*Probe));
  EXPECT_EQ(clicks, 1) << "released inside: a click";
  EXPECT_EQ(FocusName(f), "E_IP1") << "a self-drawn control takes the focus only when it asks";
}

TEST_F(ControlsTest, InvalidateWaitsForTheLoopRepaintPaintsNowAndTheCanvasDrawsOnlyThen) {
  TFSample& f = *Form;
  f.Show();
  Application->ProcessMessages();
  int before = Probe->Paints;
  Probe->Invalidate();
  EXPECT_EQ(Probe->Paints, before);
  Application->ProcessMessages();
  EXPECT_GT(Probe->Paints, before);
  before = Probe->Paints;
  Probe->Repaint();
  EXPECT_EQ(Probe->Paints, before + 1);
  EXPECT_TRUE(Probe->CanvasUsable);
  EXPECT_FALSE(Probe->Canvas().HandleAllocated()) << "outside Paint the canvas only measures";
  EXPECT_GT(Probe->Canvas().TextWidth("Wide text"), Probe->Canvas().TextWidth("W"));
}

TEST_F(ControlsTest, ARegionRepaintClipsThePaintAndTheRedrawSwitchHoldsPaints) {
  Form->Show();
  Application->ProcessMessages();
  Headless::TPaintObserver seen;
  Probe->InvalidateRect(Rect(30, 5, 40, 10));
  Application->ProcessMessages();
  EXPECT_EQ(seen.Regions(*Probe), (std::vector<TRect>{Rect(30, 5, 40, 10)}));
  EXPECT_EQ(Probe->PaintClip, Rect(30, 5, 40, 10));
  EXPECT_EQ(Probe->Visible, (std::vector<bool>{false, true}));

  // The overlay draws with the paint's clip, whatever clip Paint left behind.
  Probe->Overlay = true;
  Probe->InvalidateRect(Rect(10, 0, 30, 30));
  Application->ProcessMessages();
  EXPECT_EQ(Probe->OverlayClip, Rect(10, 0, 30, 30));
  const TBitmap shot = RenderPicture(*Probe);
  EXPECT_EQ(ColorBounds(shot, clRed), Rect(20, 0, 21, 30));

  seen.Clear();
  Probe->SetRedraw(false);
  Probe->Invalidate();
  Probe->InvalidateRect(Rect(0, 0, 5, 5));
  Probe->Repaint();
  Application->ProcessMessages();
  EXPECT_EQ(seen.Count(*Probe), 0);
  Probe->SetRedraw(true);
  Application->ProcessMessages();
  EXPECT_EQ(seen.Count(*Probe), 1) << "the held paint comes once";
  Probe->SetRedraw(false);
  Probe->SetRedraw(true);
  Application->ProcessMessages();
  EXPECT_EQ(seen.Count(*Probe), 1) << "nothing was held back";
}

TEST_F(ControlsTest, DrawingOutsideThePaintIsReported) {
  ExpectFailures = true;
  Form->Show();
  Application->ProcessMessages();
  Probe->Canvas().FillRect(Rect(0, 0, 5, 5));
  Probe->Canvas().TextOut(0, 0, "x");
  ASSERT_EQ(Failures.size(), 2u);
  EXPECT_NE(Failures[0].find("TProbe \"Probe\""), std::string::npos) << Failures[0];
  EXPECT_GT(Probe->Canvas().TextWidth("Wide text"), 0) << "measuring is no drawing";
  TBitmap b(4, 4);
  b.Canvas().FillRect(Rect(0, 0, 4, 4)); // a bitmap's canvas always draws
  EXPECT_EQ(Failures.size(), 2u);
}

TEST_F(ControlsTest, PerformAndCustomMessagesReachTheWindowProcedure) {
  EXPECT_EQ(Probe->Perform(WM_USER + 5, 1, 2), 42);
  EXPECT_EQ(SendMessage(Probe, WM_USER + 6), 42);
  EXPECT_EQ(Probe->Log, (std::vector<std::string>{"msg 5", "msg 6"}));
  EXPECT_EQ(Form->E_IP1->Perform(WM_APP + 9), 0) << "an unknown message does nothing";
  EXPECT_FALSE(PostMessage(nullptr, WM_USER));
  const unsigned done = RegisterWindowMessage("GridEditDone");
  EXPECT_EQ(RegisterWindowMessage("GridEditDone"), done);
  EXPECT_NE(RegisterWindowMessage("DTPShiftFocus"), done);
  EXPECT_GE(done, 0xC000u);
  EXPECT_LE(done, 0xFFFFu);
  EXPECT_EQ(RegisterWindowMessage(""), 0u);
  EXPECT_EQ(Form->E_IP1->Perform(done), 0) << "a registered message nobody handles does nothing";
}

TEST_F(ControlsTest, NotificationsFollowChangesOfEnabledTextFontAndCursor) {
  Probe->Log.clear();
  Probe->SetEnabled(false);
  Probe->SetEnabled(false);
  Probe->SetCaption("x");
  Probe->SetCaption("x");
  Probe->Font().SetHeight(-20);
  Probe->SetCursor(crHandPoint);
  Probe->SetCursor(crHandPoint);
  EXPECT_EQ(Probe->Log, (std::vector<std::string>{"enabled 0", "text x", "font -20", "cursor -21"}));
}

TEST_F(ControlsTest, FontsAndColoursComeFromTheParentUntilSetOnTheControl) {
  TFSample& f = *Form;
  EXPECT_EQ(f.E_IP1->Font().Name(), "Verdana");
  EXPECT_EQ(f.L_Title->Font().Name(), "Verdana") << "through the panel";
  f.Font().SetHeight(-13);
  EXPECT_EQ(f.Btn_OK->Font().Height(), -13);
  EXPECT_TRUE(f.Btn_OK->ParentFont());
  f.L_IP->Font().SetStyle(fsBold);
  EXPECT_FALSE(f.L_IP->ParentFont());
  f.Font().SetHeight(-15);
  EXPECT_EQ(f.L_IP->Font().Height(), -13) << "a label with its own font keeps it";
  EXPECT_EQ(f.L_Title->Color(), RGB(248, 247, 237)) << "a label takes its panel's colour";
  f.P_Title->SetColor(clWhite);
  EXPECT_EQ(f.L_Title->Color(), clWhite);
  EXPECT_EQ(f.E_IP1->Color(), clWindow) << "an edit has a colour of its own";
}

// A window that starts hidden gets its widgets' looks only when first shown: what was changed
// while it was hidden (colours, controls hidden, shown, or hidden and shown again) shows then.
TEST_F(ControlsTest, AWindowShownLateShowsWhatChangedWhileItWasHidden) {
  TFSample& f = *Form;
  Application->ProcessMessages(); // Qt's requests to polish the new widgets
  f.P_Title->SetColor(clRed);
  f.L_Band->Hide();
  f.CB_Gateway->Show();
  f.L_IP->Hide();
  f.L_IP->Show();
  f.Show();
  Application->ProcessMessages();

  const TBitmap shot = RenderPicture(f);
  ASSERT_EQ(shot.Width(), f.ClientWidth());
  const TRect title = f.P_Title->BoundsRect();
  EXPECT_GT(CountColor(shot, clRed, title), title.Width() * title.Height() / 2) << "colour set while hidden";
  const TColor face = shot.Pixel(5, 165);
  auto ink = [&](const TControl* c) {
    const TRect r = c->BoundsRect();
    return r.Width() * r.Height() - CountColor(shot, face, r);
  };
  EXPECT_GT(ink(f.L_IP), 0) << "hidden and shown again";
  EXPECT_GT(ink(f.CB_Gateway), 0) << "shown while hidden";
  EXPECT_EQ(ink(f.L_Band), 0) << "hidden while hidden";
}

TEST_F(ControlsTest, HintsShowWhereShowHintIsOnOrInherited) {
  TFSample& f = *Form;
  f.E_IP1->SetHint("First octet|The first part of the address");
  EXPECT_EQ(Headless::HintOf(*f.E_IP1), "") << "forms do not show hints unless asked";
  f.SetShowHint(true);
  EXPECT_EQ(Headless::HintOf(*f.E_IP1), "First octet");
  f.E_IP1->SetShowHint(false);
  EXPECT_EQ(Headless::HintOf(*f.E_IP1), "");
  Application->SetShowHint(false);
  f.E_IP1->SetShowHint(true);
  EXPECT_EQ(Headless::HintOf(*f.E_IP1), "");
  Application->SetShowHint(true);
  EXPECT_EQ(Headless::HintOf(*f.E_IP1), "First octet");
}

TEST_F(ControlsTest, DestroyingAContainerDestroysItsChildrenAndForgetsTheFocus) {
  TFSample& f = *Form;
  f.Show();
  int exits = 0;
  f.Btn_OK->OnExit = [&](TObject*) { ++exits; };
  f.Btn_OK->SetFocus();
  int components = f.ComponentCount();
  f.P_Button->Free();
  EXPECT_EQ(f.FindComponent("Btn_OK"), nullptr);
  EXPECT_EQ(f.FindComponent("btn_cancel"), nullptr);
  EXPECT_EQ(f.ComponentCount(), components - 3);
  EXPECT_EQ(f.ActiveControl(), nullptr);
  EXPECT_EQ(exits, 0) << "no events from controls being destroyed";
  Headless::PressKey(f, VK_TAB);
  EXPECT_EQ(FocusName(f), "E_IP1");
}

TEST_F(ControlsTest, KeyPreviewLetsTheFormSeeAndSwallowKeysFirst) {
  TFSample& f = *Form;
  f.Show();
  std::vector<std::string> log;
  f.SetKeyPreview(true);
  f.OnKeyPress = [&](TObject*, WideChar& k) {
    log.push_back("form " + std::string(1, char(k)));
    if (k == 'x') k = 0;
  };
  f.E_IP2->OnKeyPress = [&](TObject*, WideChar& k) { log.push_back("edit " + std::string(1, char(k))); };
  Headless::TypeText(f, "E_IP2", "xy");
  EXPECT_EQ(log, (std::vector<std::string>{"form x", "form y", "edit y"}));
  EXPECT_EQ(f.E_IP2->Text(), "y");
}

TEST_F(ControlsTest, EditLimitsCaseAndSelection) {
  TFSample& f = *Form;
  f.Show();
  f.E_IP2->SetMaxLength(4);
  f.E_IP2->SetCharCase(ecUpperCase);
  Headless::TypeText(f, "E_IP2", "abcdef");
  EXPECT_EQ(f.E_IP2->Text(), "ABCD");
  f.E_IP2->SetText("longer than four");
  EXPECT_EQ(f.E_IP2->Text(), "longer than four") << "text set by code is neither cut nor changed";
  f.E_IP2->SetSelStart(2);
  f.E_IP2->SetSelLength(4);
  EXPECT_EQ(f.E_IP2->SelText(), "nger");
  f.E_IP2->SetSelText("");
  EXPECT_EQ(f.E_IP2->Text(), "lo than four");
}

TEST_F(ControlsTest, DegenerateInputsDoNotBreakAnything) {
  TFSample& f = *Form;
  f.Show();
  Probe->SetBounds(-5, -5, -10, -20);
  EXPECT_EQ(Probe->Width(), 0);
  EXPECT_EQ(Probe->Height(), 0);
  Probe->Repaint();
  f.P_Title->SetParent(f.P_Title); // a control cannot hold itself
  EXPECT_EQ(f.P_Title->Parent(), &f);
  f.CB_Band->SetItemIndex(99);
  EXPECT_EQ(f.CB_Band->ItemIndex(), -1);
  EXPECT_EQ(f.CB_Band->Items().Strings(-1), "");
  f.CB_Band->Items().Delete(42);
  f.CB_Band->Items().Clear();
  EXPECT_EQ(f.CB_Band->Text(), "");
  auto* label = new TLabel(&f);
  label->SetParent(&f);
  label->SetCaption("");
  EXPECT_GT(label->Height(), 0) << "an empty label keeps the height of a line";
  label->Font().SetName("No Such Face");
  label->SetCaption(std::string(5000, 'W'));
  EXPECT_GT(label->Width(), 1000);
  f.CB_Gateway->SetFocus(); // hidden: refused
  EXPECT_NE(FocusName(f), "CB_Gateway");
  auto* bar = new TScrollBar(&f);
  bar->SetParams(50, 10, 5); // inverted range
  EXPECT_EQ(bar->Min(), 10);
  EXPECT_EQ(bar->Max(), 10);
  EXPECT_EQ(bar->Position(), 10);
  auto* orphan = new TEdit(&f);
  EXPECT_FALSE(orphan->CanFocus()) << "without a parent it is on no form";
  orphan->SetFocus();
  f.SetClientWidth(0);
  f.SetClientHeight(0);
  Application->ProcessMessages();
  EXPECT_EQ(f.P_Button->Width(), 0);
}

} // namespace
