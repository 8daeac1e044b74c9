// The glow button's behaviour: what a new button holds, clicks by mouse, keys and accelerators
// with the modal result they give, disabled buttons, kind and colour presets, glyph strips and the
// hot colour that drops or fades when the mouse leaves.
#include "LbButtonFixture.h"

#include "platform/Clock.h"
#include "platform/ui/Menus.h"
#include "platform/ui/Resources.h"

#include <functional>
#include <string>
#include <vector>

namespace {

TEST_F(LbButtonTest, NewButtonHoldsItsDefaults) {
  auto& f = Dialog();
  f.Font().SetHeight(-15);
  auto* b = new TLbButton(&f);
  EXPECT_EQ(b->Width(), 100);
  EXPECT_EQ(b->Height(), 23);
  EXPECT_TRUE(b->TabStop());
  EXPECT_EQ(b->ControlStyle(), csCaptureMouse | csSetCaption) << "no automatic click, no double clicks";
  EXPECT_EQ(b->Alignment(), taCenter);
  EXPECT_FALSE(b->Cancel());
  EXPECT_FALSE(b->Default());
  EXPECT_EQ(b->Caption(), "");
  EXPECT_EQ(b->Color(), clBtnFace);
  EXPECT_EQ(b->ColorStyle(), lcsCustom);
  EXPECT_EQ(b->ColorWhenDown(), clNone);
  EXPECT_EQ(b->HotTrackColor(), clNone);
  EXPECT_EQ(b->LightColor(), RGB(255, 255, 255));
  EXPECT_EQ(b->ShadowColor(), RGB(128, 128, 128));
  EXPECT_TRUE(b->Enabled());
  EXPECT_FALSE(b->Flat());
  EXPECT_TRUE(b->Glyph().Empty());
  EXPECT_EQ(b->NumGlyphs(), 0);
  EXPECT_EQ(b->Kind(), bkCustom);
  EXPECT_EQ(b->Layout(), blGlyphLeft);
  EXPECT_EQ(b->ModalResult(), 0);
  EXPECT_FALSE(b->SlowDecease());
  EXPECT_EQ(b->Style(), bsNormal);
  EXPECT_FALSE(b->UseHotTrackFont());
  EXPECT_FALSE(b->WordWrap());
  EXPECT_TRUE(b->HotTrackFont().SameAs(f.Font())) << "the hot-track font copies the owner window's font";
  ASSERT_NE(b->FadeThread(), nullptr);
  EXPECT_TRUE(b->FadeThread()->Suspended()) << "the fade stepper is created suspended";
  EXPECT_FALSE(b->Down());
  EXPECT_EQ(b->HotTrackStep(), 0);

  // Caption is the control's text, read back as written (the windows fill it at run time).
  b->SetCaption("Schließen");
  EXPECT_EQ(b->Caption(), "Schließen");
  EXPECT_EQ(b->Text(), "Schließen");
}

TEST_F(LbButtonTest, ClickRunsOnClickThenSetsTheModalResultThenDropsTheMenu) {
  auto* form = NewForm<TFLbDialog>(nullptr);
  std::vector<std::string> log;
  auto* menu = new TPopupMenu(form);
  menu->SetName("PM_More");
  form->Btn_Cancel->SetPopupMenu(menu);
  form->Btn_Cancel->OnClick = [&](TObject* sender) {
    EXPECT_EQ(sender, form->Btn_Cancel);
    log.push_back("OnClick, result " + std::to_string(form->ModalResult()) + ", menu " +
                  (Headless::LastPopupMenu() == menu ? "open" : "closed"));
  };
  Headless::OnNextModal([&](TForm&) { Headless::Click(*form->Btn_Cancel); });
  EXPECT_EQ(form->ShowModal(), mrCancel);
  EXPECT_EQ(log, (std::vector<std::string>{"OnClick, result 0, menu closed"}));
  EXPECT_EQ(Headless::LastPopupMenu(), menu) << "the menu drops down after OnClick";
  EXPECT_EQ(menu->PopupComponent(), form->Btn_Cancel);
  form->Free();
}

TEST_F(LbButtonTest, MouseKeysAndAcceleratorsGiveTheModalResultTheySay) {
  struct Case {
    const char* name;
    std::function<void(TFLbDialog&)> act;
    int expected;
  };
  const auto down = [](TFLbDialog& f, TMouseButton button) {
    Headless::MouseDown(*f.Btn_OK, {5, 5}, button);
    Headless::MouseUp(*f.Btn_OK, {5, 5}, button);
  };
  const Case cases[] = {
      {"a click", [](TFLbDialog& f) { Headless::Click(*f.Btn_Cancel); }, mrCancel},
      {"pressed inside, released outside",
       [](TFLbDialog& f) {
         Headless::MouseDown(*f.Btn_OK, {5, 5});
         EXPECT_EQ(f.ModalResult(), mrNone) << "nothing before the release";
         Headless::MouseUp(*f.E_Name, {140, 3}); // beside and above the button
       },
       mrOk},
      {"the right mouse button", [&](TFLbDialog& f) { down(f, mbRight); }, mrNone},
      {"Enter in an edit: the default button",
       [](TFLbDialog& f) { Headless::PressKey(f, "E_Name", VK_RETURN); }, mrOk},
      {"Shift+Enter in an edit", [](TFLbDialog& f) { Headless::PressKey(f, "E_Name", VK_RETURN, ssShift); },
       mrNone},
      {"Escape in an edit: the cancel button",
       [](TFLbDialog& f) { Headless::PressKey(f, "E_Name", VK_ESCAPE); }, mrCancel},
      {"Enter on the focused cancel button: that button, not the default",
       [](TFLbDialog& f) { Headless::PressKey(*f.Btn_Cancel, VK_RETURN); }, mrCancel},
      {"Space on the focused cancel button",
       [](TFLbDialog& f) { Headless::PressKey(*f.Btn_Cancel, VK_SPACE); }, mrCancel},
      {"Escape while the default button has the focus: the cancel button",
       [](TFLbDialog& f) { Headless::PressKey(*f.Btn_OK, VK_ESCAPE); }, mrCancel},
      {"Alt + accelerator in an edit", [](TFLbDialog& f) { Headless::PressKey(f, "E_Name", 'O', ssAlt); },
       mrOk},
      {"accelerator letter while a button has the focus",
       [](TFLbDialog& f) { Headless::PressKey(*f.Btn_Cancel, 'O'); }, mrOk},
      {"the letter typed into an edit", [](TFLbDialog& f) { Headless::PressKey(f, "E_Name", 'O'); }, mrNone},
      {"Alt + a letter that is no accelerator",
       [](TFLbDialog& f) { Headless::PressKey(f, "E_Name", 'C', ssAlt); }, mrNone},
      {"disabled: mouse, Enter, accelerator and Click do nothing",
       [](TFLbDialog& f) {
         f.Btn_OK->SetEnabled(false);
         Headless::MouseDown(*f.Btn_OK, {5, 5});
         Headless::MouseUp(*f.Btn_OK, {5, 5});
         Headless::PressKey(f, "E_Name", VK_RETURN);
         Headless::PressKey(f, "E_Name", 'O', ssAlt);
         f.Btn_OK->Click();
       },
       mrNone},
      {"hidden: its accelerator does nothing",
       [](TFLbDialog& f) {
         f.Btn_OK->Hide();
         Headless::PressKey(f, "E_Name", 'O', ssAlt);
       },
       mrNone},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto* form = NewForm<TFLbDialog>(nullptr);
    int clicks = 0;
    form->Btn_OK->OnClick = [&](TObject*) { ++clicks; };
    int seen = -1;
    Headless::OnNextModal([&](TForm& f) {
      c.act(static_cast<TFLbDialog&>(f));
      seen = f.ModalResult();
      if (seen == mrNone) f.SetModalResult(99);
    });
    form->ShowModal();
    EXPECT_EQ(seen, c.expected);
    EXPECT_EQ(clicks, c.expected == mrOk ? 1 : 0) << "OnClick of the OK button";
    form->Free();
  }
}

TEST_F(LbButtonTest, PressedStateFollowsMouseKeysAndDisabling) {
  auto& f = Dialog();
  TLbButton& b = *f.Btn_Cancel;
  b.SetModalResult(mrNone);
  int clicks = 0;
  b.OnClick = [&](TObject*) { ++clicks; };

  Headless::MouseDown(b, {5, 5});
  EXPECT_TRUE(b.Down());
  EXPECT_TRUE(b.Focused()) << "a press takes the focus";
  SendMessage(&b, WM_MOUSEMOVE, 0, MakeLParam(500, 5));
  EXPECT_TRUE(b.Down()) << "moving off a captured button keeps it pressed";
  Headless::MouseUp(b, {5, 5});
  EXPECT_FALSE(b.Down());
  EXPECT_EQ(clicks, 1);

  Headless::KeyDown(f, VK_SPACE);
  EXPECT_TRUE(b.Down()) << "Space goes down on the focused button";
  EXPECT_EQ(clicks, 1) << "and clicks only when it comes up";
  Headless::KeyUp(f, VK_SPACE);
  EXPECT_FALSE(b.Down());
  EXPECT_EQ(clicks, 2);
  Headless::KeyUp(f, VK_RETURN);
  Headless::KeyUp(f, VK_SPACE);
  EXPECT_EQ(clicks, 2) << "a key-up whose key-down went elsewhere clicks nothing";

  Headless::MouseDown(b, {5, 5});
  b.SetEnabled(false);
  EXPECT_FALSE(b.Down()) << "disabling clears the pressed state";
  Headless::MouseUp(b, {5, 5});
  EXPECT_EQ(clicks, 2);
  b.SetEnabled(true);
  b.Click();
  EXPECT_EQ(clicks, 3) << "Click presses and clicks in one";
  EXPECT_FALSE(b.Down());
}

TEST_F(LbButtonTest, KindsSetGlyphStripModalResultAndCaption) {
  struct Case {
    TLbButtonKind kind;
    int modalResult;
    const char* resource;
    const char* caption;
  };
  const Case cases[] = {
      {bkOK, mrOk, "LBOK", "OK"},
      {bkCancel, mrCancel, "LBCANCEL", "Abbrechen"},
      {bkHelp, mrNone, "LBHELP", "Hilfe"},
      {bkYes, mrYes, "LBYES", "Ja"},
      {bkNo, mrNo, "LBNO", "Nein"},
      {bkClose, mrNone, "LBCLOSE", "Schließen"},
      {bkAbort, mrAbort, "LBABORT", "Abbrechen"},
      {bkRetry, mrRetry, "LBRETRY", "Wiederholen"},
      {bkIgnore, mrIgnore, "LBIGNORE", "Ignorieren"},
      {bkAll, 12, "LBALL", "Alle"},
  };
  auto& f = Dialog();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.resource);
    auto* b = new TLbButton(&f);
    b->SetKind(c.kind);
    EXPECT_EQ(b->Kind(), c.kind);
    EXPECT_EQ(b->ModalResult(), c.modalResult);
    EXPECT_EQ(b->Caption(), c.caption);
    EXPECT_EQ(b->NumGlyphs(), 2);
    const TBitmap& resource = ResourceBitmap(c.resource);
    ASSERT_EQ(b->Glyph().Width(), resource.Width());
    ASSERT_EQ(b->Glyph().Height(), resource.Height());
    EXPECT_EQ(b->Glyph().Pixel(b->Glyph().Width() / 4, 9), resource.Pixel(resource.Width() / 4, 9));

    b->SetModalResult(mrRetry);
    EXPECT_EQ(b->Kind(), bkCustom) << "a modal result of its own makes the kind custom";
    EXPECT_EQ(b->Caption(), c.caption) << "and keeps the caption";
    EXPECT_EQ(b->NumGlyphs(), 2) << "and the glyph strip";
    EXPECT_FALSE(b->Glyph().Empty());
    b->Free();
  }
  auto* b = new TLbButton(&f);
  b->SetCaption("Mine");
  b->SetKind(bkCustom);
  EXPECT_EQ(b->Caption(), "Mine");
  EXPECT_TRUE(b->Glyph().Empty());
  EXPECT_EQ(b->ModalResult(), mrNone);
}

TEST_F(LbButtonTest, ColorPresetsSetColoursAndStyleAndReadBackCustom) {
  struct Case {
    TLbColorStyle preset;
    TColor color, light, shadow, down, hot;
    TLbButtonStyle style;
    bool flat;
    TColor fontColor;
  };
  const Case cases[] = {
      {lcsGold, RGB(192, 192, 0), RGB(255, 255, 0), RGB(128, 128, 0), clNone, RGB(223, 223, 0), bsModern,
       false, clBlack},
      {lcsChrome, RGB(192, 192, 192), clWhite, RGB(128, 128, 128), clNone, clNone, bsModern, false, clBlack},
      {lcsBlue, RGB(0, 128, 255), RGB(0, 255, 255), RGB(0, 0, 255), clNone, clNone, bsModern, false, clBlack},
      {lcsRed, RGB(255, 0, 0), RGB(255, 192, 192), RGB(192, 0, 0), clNone, clNone, bsModern, false, clBlack},
      {lcsUltraFlat1, clBtnFace, RGB(132, 146, 181), RGB(132, 146, 181), RGB(132, 146, 181),
       RGB(214, 211, 222), bsNormal, true, clBlack},
      {lcsUltraFlat2, clBtnFace, clBlack, clBlack, RGB(188, 218, 36), RGB(228, 246, 140), bsNormal, true,
       clBlack},
      {lcsUltraFlatXP, RGB(219, 216, 209), RGB(132, 146, 181), RGB(133, 146, 181), RGB(133, 146, 181),
       RGB(182, 189, 210), bsNormal, true, clBlack},
      {lcsAqua, RGB(148, 206, 236), RGB(212, 230, 252), clBlack, clNone, clNone, bsModern, false, clBlack},
      {lcsDefault, clBtnFace, clWhite, RGB(128, 128, 128), clNone, clNone, bsNormal, false, clBlack},
      {lcsQuicken, RGB(0, 48, 96), RGB(192, 192, 192), RGB(192, 192, 192), RGB(41, 101, 173),
       RGB(156, 174, 206), bsQuicken, false, clWhite},
  };
  auto& f = Dialog();
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.preset));
    TLbButton& b = *f.Make("Btn_Preset", 220, "Preset", mrNone);
    b.SetFlat(!c.flat);
    b.Font().SetColor(clRed);
    b.SetColorStyle(c.preset);
    EXPECT_EQ(b.ColorStyle(), lcsCustom);
    EXPECT_EQ(b.Color(), c.color);
    EXPECT_EQ(b.LightColor(), c.light);
    EXPECT_EQ(b.ShadowColor(), c.shadow);
    EXPECT_EQ(b.ColorWhenDown(), c.down);
    EXPECT_EQ(b.HotTrackColor(), c.hot);
    EXPECT_EQ(b.Style(), c.style);
    EXPECT_EQ(b.Flat(), c.flat);
    EXPECT_EQ(b.Font().Color(), c.fontColor);
    b.Free();
  }
  TLbButton& b = *f.Btn_OK;
  b.SetColorStyle(lcsCustom);
  EXPECT_EQ(b.Color(), LbFace) << "lcsCustom changes nothing";
  EXPECT_EQ(b.Style(), bsEncarta);
  EXPECT_EQ(b.HotTrackColor(), clYellow);
}

TEST_F(LbButtonTest, GlyphAssignmentCountsSquareFrames) {
  struct Case {
    int width, height, frames;
  };
  const Case cases[] = {{16, 16, 1}, {32, 16, 2}, {54, 18, 3}, {72, 18, 4}, {40, 16, 2}, {8, 16, 0}};
  auto& f = Dialog();
  TLbButton& b = *f.Btn_OK;
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
    b.SetKind(bkOK);
    TBitmap strip(c.width, c.height);
    b.SetGlyph(&strip);
    EXPECT_EQ(b.NumGlyphs(), c.frames);
    EXPECT_EQ(b.Glyph().Width(), c.width);
    EXPECT_EQ(b.Kind(), bkCustom);
  }
  b.SetGlyph(nullptr);
  EXPECT_TRUE(b.Glyph().Empty());
  EXPECT_EQ(b.Glyph().Height(), 0);
  EXPECT_EQ(b.NumGlyphs(), 0);
  b.SetNumGlyphs(3);
  EXPECT_EQ(b.NumGlyphs(), 3) << "a stored frame count stands as given";
}

TEST_F(LbButtonTest, MouseEnterAndLeaveMoveTheHotStepAndFireTheirEvents) {
  auto& f = Dialog();
  TLbButton& b = *f.Btn_OK;
  std::vector<std::string> log;
  b.OnMouseEnter = [&](TObject*) { log.push_back("enter " + std::to_string(b.HotTrackStep())); };
  b.OnMouseExit = [&](TObject*) { log.push_back("exit " + std::to_string(b.HotTrackStep())); };
  Headless::MouseMove(b, {3, 3});
  EXPECT_TRUE(b.CursorOnButton());
  Headless::MouseMove(*f.E_Name, {3, 3});
  EXPECT_FALSE(b.CursorOnButton());
  EXPECT_EQ(log, (std::vector<std::string>{"enter 8", "exit 0"}))
      << "without SlowDecease the hot colour drops";
  EXPECT_TRUE(b.FadeThread()->Suspended());

  log.clear();
  b.SetEnabled(false);
  Headless::MouseMove(b, {3, 3});
  Headless::MouseMove(*f.E_Name, {3, 3});
  EXPECT_EQ(b.HotTrackStep(), 0);
  EXPECT_TRUE(log.empty()) << "a disabled button neither lights up nor reports";
}

TEST_F(LbButtonTest, SlowDeceaseFadesInEightStepsOnTheProgramClock) {
  TFakeClock clock;
  TScopedClock scoped(clock);
  auto& f = Dialog();
  TLbButton& b = *f.Btn_OK;
  b.SetSlowDecease(true);
  ASSERT_NE(b.FadeThread(), nullptr);
  EXPECT_TRUE(b.FadeThread()->Suspended());

  Headless::MouseMove(b, {3, 3});
  Headless::MouseMove(*f.E_Name, {3, 3});
  EXPECT_EQ(b.HotTrackStep(), 8) << "the leave only starts the fade";
  EXPECT_FALSE(b.FadeThread()->Suspended());
  std::vector<int> steps;
  for (int i = 0; i < 10; ++i) {
    clock.Advance(29);
    Application->ProcessTimers();
    const int before = b.HotTrackStep();
    clock.Advance(1);
    Application->ProcessTimers();
    EXPECT_EQ(before, i < 8 ? 8 - i : 0) << "nothing before 30 ms have passed";
    steps.push_back(b.HotTrackStep());
  }
  EXPECT_EQ(steps, (std::vector<int>{7, 6, 5, 4, 3, 2, 1, 0, 0, 0}));
  EXPECT_TRUE(b.FadeThread()->Suspended()) << "the stepper suspends itself at 0";

  // Entering again during a fade lifts the step back to 8; the fade goes on from there.
  Headless::MouseMove(b, {3, 3});
  Headless::MouseMove(*f.E_Name, {3, 3});
  clock.Advance(60);
  Application->ProcessTimers();
  EXPECT_EQ(b.HotTrackStep(), 7);
  Headless::MouseMove(b, {3, 3});
  EXPECT_EQ(b.HotTrackStep(), 8);
  clock.Advance(30);
  Application->ProcessTimers();
  EXPECT_EQ(b.HotTrackStep(), 7);

  b.SetSlowDecease(false);
  EXPECT_EQ(b.FadeThread(), nullptr) << "switching it off ends the stepper";
  EXPECT_EQ(b.HotTrackStep(), 0);
  clock.Advance(300);
  Application->ProcessTimers();
  Headless::MouseMove(*f.E_Name, {3, 3});
  EXPECT_EQ(b.HotTrackStep(), 0) << "the leave drops the hot colour at once again";
}

} // namespace
