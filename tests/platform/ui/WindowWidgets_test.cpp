// A window's widgets are made when it is first shown or measured: whatever was set before (text,
// items, choices, states, looks, places, stacking) and every event it fired must be the same as
// for a window whose widgets existed all along.
#include "support/ControlPicture.h"
#include "support/PixelTools.h"
#include "support/UiTestFixture.h"

#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"

#include <string>
#include <vector>

namespace {

// Builds a window's controls and sets their state the way the program's windows do, writing
// every event to Log and every state read back to Seen.
struct TScript {
  explicit TScript(TForm& form) : Form(form) {}
  TForm& Form;
  std::vector<std::string> Log;
  std::vector<TControl*> Controls;

  template <class T> T* Add(const std::string& name, TRect bounds, TWinControl* parent = nullptr) {
    auto* c = new T(&Form);
    c->SetName(name);
    c->SetParent(parent ? parent : &Form);
    c->SetBoundsRect(bounds);
    if (auto* win = dynamic_cast<TWinControl*>(c)) win->SetTabStop(false); // no caret in renders
    Controls.push_back(c);
    return c;
  }
  TNotifyEvent Logger(const std::string& what) {
    return
        [this, what](TObject* sender) { Log.push_back(what + " " + static_cast<TControl*>(sender)->Text()); };
  }

  void Run() {
    // Stacking: a control without a window of its own lies under its windowed siblings, a later
    // windowed sibling over an earlier one.
    auto* red = Add<TPanel>("P_Red", Bounds(0, 0, 100, 60));
    red->SetColor(clRed);
    red->SetBevelOuter(bvNone);
    auto* blue = Add<TLabel>("L_Blue", Bounds(50, 30, 100, 60));
    blue->SetAutoSize(false);
    blue->SetColor(clBlue);
    blue->SetBoundsRect(Bounds(50, 30, 100, 60));
    auto* green = Add<TPanel>("P_Green", Bounds(70, 40, 60, 60));
    green->SetColor(clLime);
    green->SetBevelOuter(bvNone);
    auto* under = Add<TPanel>("P_Under", Bounds(380, 10, 40, 40));
    under->SetColor(clYellow);
    under->SetBevelOuter(bvNone);
    auto* over = Add<TPanel>("P_Over", Bounds(400, 30, 40, 40));
    over->SetColor(clAqua);
    over->SetBevelOuter(bvNone);
    under->BringToFront();

    auto* edit = Add<TEdit>("E_Name", Bounds(10, 110, 120, 21));
    edit->OnChange = Logger("change");
    edit->SetText("Plant");
    edit->SetText("Plant 7");
    edit->SetReadOnly(true);
    edit->SetMaxLength(12);
    auto* masked = Add<TEdit>("E_IP", Bounds(10, 135, 120, 21));
    masked->OnChange = Logger("change");
    masked->SetEditMask("999.999.999.999;1;_");
    masked->SetText("192.168.001.010");
    auto* off = Add<TEdit>("E_Off", Bounds(10, 160, 120, 21));
    off->SetText("disabled");
    off->SetEnabled(false);
    auto* hidden = Add<TEdit>("E_Hidden", Bounds(10, 185, 120, 21));
    hidden->SetVisible(false);

    auto* list = Add<TComboBox>("CB_Band", Bounds(150, 110, 120, 22));
    list->OnChange = Logger("change");
    list->SetStyle(csDropDownList);
    for (const char* band : {"AS923", "AU915", "EU868", "US915"})
      list->Items().Add(band);
    list->SetItemIndex(2);
    list->Items().Delete(0);
    auto* free = Add<TComboBox>("CB_Free", Bounds(150, 135, 120, 22));
    free->SetText("typed");
    free->Items().Add("first");
    auto* chosen = Add<TComboBox>("CB_Chosen", Bounds(150, 160, 120, 22));
    chosen->Items().Assign({"one", "two"});
    chosen->SetItemIndex(1);
    chosen->SetText("two");

    auto* gray = Add<TCheckBox>("CK_Gray", Bounds(300, 110, 100, 17));
    gray->OnClick = Logger("click");
    gray->SetCaption("Gray");
    gray->SetAllowGrayed(true);
    gray->SetState(cbGrayed);
    auto* ticked = Add<TCheckBox>("CK_Ticked", Bounds(300, 130, 100, 17));
    ticked->OnClick = Logger("click");
    ticked->SetCaption("Ticked");
    ticked->SetChecked(true);

    auto* group = Add<TGroupBox>("GB_Mode", Bounds(150, 190, 200, 80));
    group->SetCaption("Mode");
    auto* wired = Add<TRadioButton>("RB_Wired", Bounds(10, 20, 90, 17), group);
    wired->OnClick = Logger("click");
    wired->SetCaption("Wired");
    wired->SetChecked(true);
    auto* radio = Add<TRadioButton>("RB_Radio", Bounds(10, 40, 90, 17), group);
    radio->OnClick = Logger("click");
    radio->SetCaption("Radio");
    radio->SetChecked(true);

    auto* ok = Add<TButton>("Btn_OK", Bounds(10, 220, 75, 25));
    ok->SetCaption("OK");
    ok->SetDefault(true);
    auto* names = Add<TListBox>("LB_Names", Bounds(360, 160, 90, 60));
    names->SetSorted(true);
    names->Items().Assign({"b", "c", "a"});
    names->SetItemIndex(1);
    auto* bar = Add<TScrollBar>("SB_Level", Bounds(10, 250, 120, 17));
    bar->SetParams(30, 0, 100);
    // Link labels without a text: one sized by its font changes, one placed afterwards.
    auto* link = Add<TLinkLabel>("LL_News", Bounds(360, 228, 50, 17));
    link->Font().SetHeight(-16);
    link->Font().SetStyle(fsBold);
    Add<TLinkLabel>("LL_Placed", Bounds(360, 250, 90, 17));
  }

  // The state as the controls report it.
  std::vector<std::string> Seen() const {
    std::vector<std::string> seen;
    for (TControl* c : Controls) {
      std::string s = c->Name() + " '" + c->Text() + "' " + std::to_string(c->Left()) + "," +
                      std::to_string(c->Top()) + " " + std::to_string(c->Width()) + "x" +
                      std::to_string(c->Height());
      if (auto* e = dynamic_cast<TEdit*>(c))
        s += " ro " + std::to_string(e->ReadOnly()) + " mod " + std::to_string(e->Modified()) + " edit '" +
             e->EditText() + "'";
      if (auto* b = dynamic_cast<TComboBox*>(c)) s += " index " + std::to_string(b->ItemIndex());
      if (auto* b = dynamic_cast<TCheckBox*>(c)) s += " state " + std::to_string(b->State());
      if (auto* b = dynamic_cast<TRadioButton*>(c)) s += " checked " + std::to_string(b->Checked());
      if (auto* b = dynamic_cast<TListBox*>(c))
        s += " index " + std::to_string(b->ItemIndex()) + " first " + b->Items()[0];
      if (auto* b = dynamic_cast<TScrollBar*>(c)) s += " position " + std::to_string(b->Position());
      seen.push_back(s);
    }
    return seen;
  }
};

class WindowWidgetsTest : public TUiTest {
protected:
  TOwned<TForm> NewWindow() {
    TOwned<TForm> form(NewForm<TForm>(nullptr));
    form->SetClientWidth(460);
    form->SetClientHeight(280);
    form->SetColor(clWhite);
    form->Font().SetName("DejaVu Sans");
    form->Font().SetHeight(-11);
    return form;
  }
};

TEST_F(WindowWidgetsTest, AWindowBuiltHiddenShowsAndReportsWhatOneBuiltShownDoes) {
  // Built while shown: every widget is made as its control is.
  auto shownForm = NewWindow();
  shownForm->Show();
  TScript shown{*shownForm};
  shown.Run();
  Application->ProcessMessages();

  // Built hidden: nothing is made until the window shows.
  auto hiddenForm = NewWindow();
  TScript hidden{*hiddenForm};
  hidden.Run();
  EXPECT_FALSE(hiddenForm->HasWidget());
  for (TControl* c : hidden.Controls)
    EXPECT_FALSE(c->HasWidget()) << c->Name();
  const std::vector<std::string> seenHidden = hidden.Seen();
  const std::vector<std::string> logHidden = hidden.Log;
  hiddenForm->Show();
  Application->ProcessMessages();
  for (TControl* c : hidden.Controls)
    EXPECT_TRUE(c->HasWidget()) << c->Name();

  EXPECT_EQ(hidden.Log, logHidden) << "making the widgets fires no event";
  EXPECT_EQ(hidden.Log, shown.Log);
  EXPECT_EQ(seenHidden, shown.Seen());
  EXPECT_EQ(hidden.Seen(), shown.Seen());

  const TBitmap a = RenderPicture(*shownForm), b = RenderPicture(*hiddenForm);
  ASSERT_EQ(a.Width(), b.Width());
  ASSERT_EQ(a.Height(), b.Height());
  int differing = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.Pixel(x, y) != b.Pixel(x, y)) ++differing;
  EXPECT_EQ(differing, 0) << "the two windows look the same";
  // The label lies under both panels; the later panel over the earlier one.
  EXPECT_EQ(b.Pixel(60, 40), clRed);
  EXPECT_EQ(b.Pixel(80, 50), clLime);
  EXPECT_EQ(b.Pixel(140, 80), clBlue);
  EXPECT_EQ(b.Pixel(410, 40), clYellow) << "brought to the front before the widgets were made";
  EXPECT_EQ(b.Pixel(430, 60), clAqua);
}

TEST_F(WindowWidgetsTest, MeasuringAControlOfAHiddenWindowMakesTheWindowsWidgets) {
  auto form = NewWindow();
  form->SetBounds(100, 50, form->Width(), form->Height());
  TScript script{*form};
  auto* panel = script.Add<TPanel>("P_Box", Bounds(20, 30, 200, 100));
  auto* edit = script.Add<TEdit>("E_Inside", Bounds(5, 6, 80, 21), panel);
  EXPECT_FALSE(edit->HasWidget());
  const TPoint inside = edit->ClientOrigin();
  EXPECT_TRUE(form->HasWidget());
  EXPECT_TRUE(panel->HasWidget());
  EXPECT_EQ(inside.X - form->ClientOrigin().X, 25);
  EXPECT_EQ(inside.Y - form->ClientOrigin().Y, 36);
  // A control added to a window whose widgets exist gets its own at once.
  auto* later = script.Add<TLabel>("L_Later", Bounds(5, 40, 80, 17), panel);
  EXPECT_TRUE(later->HasWidget());
  EXPECT_FALSE(form->Showing());
}

TEST_F(WindowWidgetsTest, AControlMovedIntoAHiddenWindowKeepsItsStateAndTheWindowItsOrder) {
  auto shown = NewWindow();
  shown->Show();
  auto hidden = NewWindow();
  auto* back = new TPanel(hidden.get());
  back->SetParent(hidden.get());
  back->SetBoundsRect(Bounds(0, 0, 100, 100));
  back->SetColor(clRed);
  back->SetBevelOuter(bvNone);
  auto* moved = new TPanel(hidden.get());
  moved->SetParent(shown.get());
  moved->SetBoundsRect(Bounds(50, 50, 100, 100));
  moved->SetColor(clLime);
  moved->SetBevelOuter(bvNone);
  ASSERT_TRUE(moved->HasWidget());
  moved->SetParent(hidden.get());
  hidden->Show();
  Application->ProcessMessages();
  const TBitmap b = RenderPicture(*hidden);
  EXPECT_EQ(b.Pixel(75, 75), clLime) << "added last, it lies on top";
  EXPECT_EQ(b.Pixel(25, 25), clRed);
  EXPECT_EQ(ColorBounds(b, clLime), Bounds(50, 50, 100, 100));
}

TEST_F(WindowWidgetsTest, ALinkLabelOfAHiddenWindowGivenATextMeasuresAndClicksAsInAShownOne) {
  auto shown = NewWindow();
  shown->Show();
  auto hidden = NewWindow();
  std::vector<std::string> clicked;
  auto link = [&](TForm& form) {
    auto* l = new TLinkLabel(&form);
    l->SetParent(&form);
    l->SetBounds(10, 10, 400, 17);
    l->Font().SetHeight(-15);
    l->SetCaption("New version: <a href=\"https://example.org/d\">Click Here</a>");
    l->OnLinkClick = [&](TObject*, const std::string& target, TSysLinkType) { clicked.push_back(target); };
    return l;
  };
  const TLinkLabel* a = link(*shown);
  TLinkLabel* b = link(*hidden);
  EXPECT_EQ(b->BoundsRect(), a->BoundsRect());
  EXPECT_NE(b->Width(), 400) << "measured for its text";
  EXPECT_TRUE(b->ClickLink(0));
  EXPECT_EQ(clicked, std::vector<std::string>{"https://example.org/d"});
}

} // namespace
