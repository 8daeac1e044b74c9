// A page control of a window that starts hidden keeps its pages without its tab widget until the
// window shows: which page is current, which pages are visible, their sizes, the events and the
// look must come out as for a page control whose tab widget existed all along.
#include "support/ControlPicture.h"
#include "support/UiTestFixture.h"

#include "platform/ui/ComCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"

#include <functional>
#include <string>
#include <vector>

namespace {

struct TPages {
  explicit TPages(TForm& form) : Form(form) {
    Control = new TPageControl(&form);
    Control->SetName("PC_Pages");
    Control->SetParent(&form);
    Control->SetBounds(10, 10, 300, 200);
    Control->OnChanging = [this](TObject*, bool& allow) {
      Log.push_back("changing from " + std::to_string(Control->ActivePageIndex()));
      allow = Allow;
    };
    Control->OnChange = [this](TObject*) {
      Log.push_back("change to " + std::to_string(Control->ActivePageIndex()));
    };
  }
  TTabSheet* Add(const std::string& caption, bool captionFirst) {
    auto* sheet = new TTabSheet(&Form);
    if (captionFirst) sheet->SetCaption(caption);
    sheet->SetPageControl(Control);
    if (!captionFirst) sheet->SetCaption(caption);
    auto* edit = new TEdit(&Form);
    edit->SetParent(sheet);
    edit->SetBounds(8, 8, 120, 21);
    edit->SetText(caption);
    return sheet;
  }
  TTabSheet* Page(int index) const { return Control->Pages(index); }

  // What a program can read of the pages (their sizes follow Qt's layout of the pages it showed).
  std::string State() const {
    std::string s = "active " + std::to_string(Control->ActivePageIndex()) + " pages";
    for (int i = 0; i < Control->PageCount(); ++i) {
      const TTabSheet* p = Page(i);
      s += " " + p->Caption() + (p->Visible() ? "+" : "-") + (p->TabVisible() ? "" : "(no tab)") + "@" +
           std::to_string(p->PageIndex());
    }
    const TRect r = Control->DisplayRect();
    return s + " display " + std::to_string(r.Left) + "," + std::to_string(r.Top) + "," +
           std::to_string(r.Right) + "," + std::to_string(r.Bottom);
  }

  TForm& Form;
  TPageControl* Control;
  std::vector<std::string> Log;
  bool Allow = true;
};

struct TStep {
  const char* What;
  std::function<void(TPages&)> Do;
  // Places the pages (a page added, the control resized).
  bool Places = false;
};

// Every way the current page can move: first tab, tabs hidden and shown before, at and after the
// current one, pages moved across it, the current page destroyed, no tab left, the user's choice
// allowed and refused.
const std::vector<TStep>& Steps() {
  static const std::vector<TStep> steps = {
      {"pages added",
       [](TPages& t) {
         t.Add("Alpha", true);
         t.Add("Beta", false);
         t.Add("Gamma", true);
         t.Add("Delta", false);
         t.Add("Epsilon", true);
       },
       true},
      {"third chosen", [](TPages& t) { t.Control->SetActivePageIndex(2); }},
      {"caption changed", [](TPages& t) { t.Page(1)->SetCaption("Beta two"); }},
      {"tab before hidden", [](TPages& t) { t.Page(0)->SetTabVisible(false); }},
      {"current tab hidden", [](TPages& t) { t.Page(2)->SetTabVisible(false); }},
      {"last tab made current and hidden",
       [](TPages& t) {
         t.Control->SetActivePage(t.Page(4));
         t.Page(4)->SetTabVisible(false);
       }},
      {"hidden page chosen", [](TPages& t) { t.Control->SetActivePage(t.Page(0)); }},
      {"tabs shown again",
       [](TPages& t) {
         t.Page(0)->SetTabVisible(true);
         t.Page(2)->SetTabVisible(true);
         t.Page(4)->SetTabVisible(true);
       }},
      {"current page moved first", [](TPages& t) { t.Control->ActivePage()->SetPageIndex(0); }},
      {"page moved across the current one", [](TPages& t) { t.Page(4)->SetPageIndex(0); }},
      {"user chooses", [](TPages& t) { t.Control->SelectByUser(3); }},
      {"user refused",
       [](TPages& t) {
         t.Allow = false;
         t.Control->SelectByUser(0);
         t.Allow = true;
       }},
      {"user chooses a hidden tab",
       [](TPages& t) {
         t.Page(2)->SetTabVisible(false);
         t.Control->SelectByUser(2);
       }},
      {"current page destroyed",
       [](TPages& t) {
         const int count = t.Control->PageCount();
         t.Control->ActivePage()->Free();
         EXPECT_EQ(t.Control->PageCount(), count - 1) << "a page destroyed leaves its page control";
       }},
      {"page before the current destroyed",
       [](TPages& t) {
         TTabSheet* first = t.Page(0);
         first->Free();
         EXPECT_NE(t.Page(0), first);
       }},
      {"every tab hidden",
       [](TPages& t) {
         for (int i = 0; i < t.Control->PageCount(); ++i)
           t.Page(i)->SetTabVisible(false);
       }},
      {"a page added with no tab shown", [](TPages& t) { t.Add("Zeta", true); }, true},
      {"a tab shown again", [](TPages& t) { t.Page(1)->SetTabVisible(true); }},
      {"bigger font and resized",
       [](TPages& t) {
         t.Control->Font().SetHeight(-17);
         t.Control->SetBounds(10, 10, 320, 230);
       },
       true},
  };
  return steps;
}

class PageControlWidgetsTest : public TUiTest {
protected:
  TOwned<TForm> NewWindow() {
    TOwned<TForm> form(NewForm<TForm>(nullptr));
    form->SetClientWidth(340);
    form->SetClientHeight(260);
    form->Font().SetName("DejaVu Sans");
    form->Font().SetHeight(-11);
    return form;
  }
};

TEST_F(PageControlWidgetsTest, PagesKeptWithoutTheTabWidgetBehaveAsWithIt) {
  auto shownForm = NewWindow();
  shownForm->Show();
  TPages shown{*shownForm};
  auto hiddenForm = NewWindow();
  TPages hidden{*hiddenForm};
  for (const TStep& step : Steps()) {
    step.Do(shown);
    step.Do(hidden);
    EXPECT_EQ(hidden.State(), shown.State()) << "after: " << step.What;
    EXPECT_EQ(hidden.Log, shown.Log) << "after: " << step.What;
    // Until Qt lays them out, the pages take the display area.
    const TRect r = hidden.Control->DisplayRect();
    for (int i = 0; step.Places && i < hidden.Control->PageCount(); ++i)
      EXPECT_EQ(hidden.Page(i)->BoundsRect(), Bounds(0, 0, r.Width(), r.Height())) << "after: " << step.What;
  }
  EXPECT_FALSE(hidden.Control->HasWidget()) << "nothing needed the tab widget";

  hiddenForm->Show();
  Application->ProcessMessages();
  Application->ProcessMessages();
  EXPECT_EQ(hidden.State(), shown.State()) << "once shown";
  EXPECT_EQ(hidden.Log, shown.Log) << "showing fires no event";

  const TBitmap a = RenderPicture(*shownForm), b = RenderPicture(*hiddenForm);
  ASSERT_EQ(a.Width(), b.Width());
  ASSERT_EQ(a.Height(), b.Height());
  int differing = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.Pixel(x, y) != b.Pixel(x, y)) ++differing;
  EXPECT_EQ(differing, 0) << "the same tabs, in the same order, the same one current";

  // Both go on alike once shown.
  for (TPages* t : {&shown, &hidden}) {
    t->Page(0)->SetTabVisible(true);
    t->Control->SelectByUser(0);
  }
  EXPECT_EQ(hidden.State(), shown.State());
  EXPECT_EQ(hidden.Log, shown.Log);
}

} // namespace
