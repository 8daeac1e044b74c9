// The search bar at the grid's foot, driven as a user would: its layout, typing, its keys and
// buttons, and how it is painted.
#include "ProGridFixture.h"
#include "grid/SearchPanel.h"
#include "platform/Collate.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Resources.h"
#include "support/ControlPicture.h"

#include <gtest/gtest.h>

namespace {

class SearchPanelTest : public TProGridTest<> {
protected:
  void SetUp() override {
    TProGridTest<>::SetUp();
    SetCollationLocale("en_US");
    Grid->SetColCount(4);
    Grid->SetRowCount(6);
    const char* texts[] = {"apple", "pear", "plum", "apple pie", "fig"};
    for (int r = 1; r <= 5; ++r)
      Grid->SetCells(1, r, texts[r - 1]);
    TSearchFooter& s = Grid->SearchFooter();
    s.SetFindNextCaption("Find &next");
    s.SetFindPrevCaption("Find &previous");
    s.SetHighLightCaption("&Highlight");
    s.SetMatchCaseCaption("Match case");
    s.SetVisible(true);
    Application->ProcessMessages();
    Panel = Grid->SearchPanel();
    ASSERT_NE(Panel, nullptr);
  }
  void TearDown() override {
    SetCollationLocale("");
    TProGridTest<>::TearDown();
  }
  void Type(const std::string& Text) { Headless::TypeText(*Panel->Edit(), Text); }
  TSearchPanel* Panel = nullptr;
};

TEST_F(SearchPanelTest, ControlsStandWhereTheBarPutsThem) {
  EXPECT_TRUE(Panel->Visible());
  EXPECT_EQ(Panel->Height(), 32);
  EXPECT_EQ(Panel->Top() + Panel->Height(), Grid->ClientHeight());
  struct TPlace {
    const char* Name;
    TControl* Control;
    int Left, Top, Width, Height;
  } places[] = {
      {"close", Panel->ExitButton(), 5, 7, 14, 14},
      {"edit", Panel->Edit(), 25, 6, 110, -1},
      {"next", Panel->ForwardButton(), 140, 5, 90, 23},
      {"previous", Panel->BackwardButton(), 235, 5, 90, 23},
      {"highlight", Panel->HiliteButton(), 330, 5, 90, 23},
      {"match case", Panel->MatchCase(), 425, 8, -1, 18},
  };
  for (const TPlace& p : places) {
    EXPECT_EQ(p.Control->Left(), p.Left) << p.Name;
    EXPECT_EQ(p.Control->Top(), p.Top) << p.Name;
    if (p.Width >= 0) {
      EXPECT_EQ(p.Control->Width(), p.Width) << p.Name;
    }
    if (p.Height >= 0) {
      EXPECT_EQ(p.Control->Height(), p.Height) << p.Name;
    }
  }
  EXPECT_EQ(Panel->ForwardButton()->Caption(), "Find &next");
  EXPECT_EQ(Panel->MatchCase()->Caption(), "Match case");

  Grid->SearchFooter().SetShowHighLight(false);
  EXPECT_FALSE(Panel->HiliteButton()->Visible());
  EXPECT_EQ(Panel->MatchCase()->Left(), 330) << "the box takes the hidden button's place";

  Grid->SearchFooter().SetVisible(false);
  EXPECT_FALSE(Panel->Visible());
  EXPECT_EQ(Panel->Height(), 0);
}

TEST_F(SearchPanelTest, TheButtonsNeedAText) {
  for (TProGridButton* b : {Panel->ForwardButton(), Panel->BackwardButton(), Panel->HiliteButton()})
    EXPECT_FALSE(b->Enabled());
  Type("p");
  for (TProGridButton* b : {Panel->ForwardButton(), Panel->BackwardButton(), Panel->HiliteButton()})
    EXPECT_TRUE(b->Enabled());
  Headless::PressKey(*Panel->Edit(), VK_BACK);
  EXPECT_EQ(Panel->Edit()->Text(), "");
  for (TProGridButton* b : {Panel->ForwardButton(), Panel->BackwardButton(), Panel->HiliteButton()})
    EXPECT_FALSE(b->Enabled());
}

TEST_F(SearchPanelTest, TypingSearchesAndColoursTheBox) {
  std::vector<TSearchAction> actions;
  Grid->OnSearchFooterAction = [&](TObject*, const std::string&, int, int, TSearchAction a) {
    actions.push_back(a);
  };
  Type("plu");
  EXPECT_EQ(Panel->Edit()->Color(), clWindow);
  EXPECT_EQ(Grid->Row(), 3) << "the match is current";
  Type("x");
  EXPECT_EQ(Panel->Edit()->Color(), static_cast<TColor>(0x0000FF)) << "nothing matches";
  Headless::PressKey(*Panel->Edit(), VK_BACK);
  EXPECT_EQ(Panel->Edit()->Color(), clWindow);
  ASSERT_FALSE(actions.empty());
  EXPECT_EQ(actions.back(), saFindFirst);

  Grid->SearchFooter().SetAutoSearch(false);
  Grid->MoveCurrentCell(1, 1);
  Type("f");
  EXPECT_EQ(Grid->Row(), 1) << "without AutoSearch typing only types";
}

TEST_F(SearchPanelTest, EnterFindsNextAndCtrlEnterPrevious) {
  Type("apple");
  EXPECT_EQ(Grid->Row(), 1);
  Headless::PressKey(*Panel->Edit(), VK_RETURN);
  EXPECT_EQ(Grid->Row(), 4);
  EXPECT_EQ(Panel->Edit()->Text(), "apple") << "Enter types no line break";
  {
    Headless::THeldKeys ctrl{VK_CONTROL};
    Headless::PressKey(*Panel->Edit(), VK_RETURN, ssCtrl);
  }
  EXPECT_EQ(Grid->Row(), 1);
  EXPECT_EQ(Grid->SearchCell().Y, 1);
}

TEST_F(SearchPanelTest, CtrlFFocusesTheEditAndAltRunsAButton) {
  Grid->SetFocus();
  Headless::PressKey(*Grid, 'F', ssCtrl);
  EXPECT_TRUE(Panel->Edit()->Focused());

  Type("pl");
  Grid->SearchFooter().SetAutoSearch(false);
  Grid->SetSearchCell({-1, -1});
  Grid->SetFocus();
  Grid->MoveCurrentCell(2, 5);
  {
    Headless::THeldKeys alt{VK_MENU};
    Headless::PressKey(*Grid, 'N', ssAlt);
  }
  EXPECT_EQ(Grid->Row(), 1) << "Alt+N finds the first match";
  EXPECT_EQ(Grid->Perform(CM_DIALOGCHAR, 'z', 0), 0) << "no button of that letter";
  EXPECT_EQ(Grid->Perform(CM_DIALOGCHAR, 'h', 0), 1);
  EXPECT_TRUE(Panel->HiliteButton()->Down());
  EXPECT_NE(Grid->Cells(1, 3).find("<hi>"), std::string::npos) << "the text is highlighted";
  Grid->SearchFooter().SetVisible(false);
  EXPECT_EQ(Grid->Perform(CM_DIALOGCHAR, 'n', 0), 0) << "a hidden bar takes no accelerator";
}

TEST_F(SearchPanelTest, TheCloseButtonHidesTheBar) {
  bool closed = false;
  Grid->OnSearchFooterClose = [&](TObject*) { closed = true; };
  Headless::Click(*Panel->ExitButton());
  EXPECT_TRUE(closed);
  EXPECT_FALSE(Grid->SearchFooter().Visible());
  EXPECT_FALSE(Panel->Visible());
}

TEST_F(SearchPanelTest, PaintsAGradientUnderALineInTheGridLineColour) {
  Grid->SetGridLineColor(RGB(0, 128, 0));
  Grid->SearchFooter().SetColor(RGB(255, 255, 255));
  Grid->SearchFooter().SetColorTo(RGB(0, 0, 255));
  Grid->SearchFooter().SetShowMatchCase(false);
  Application->ProcessMessages();
  const TBitmap shot = RenderPicture(*Panel);
  ASSERT_EQ(shot.Height(), 32);
  const int x = 137; // between the edit box and the first button
  EXPECT_EQ(shot.Pixel(x, 0), RGB(0, 128, 0)) << "top line";
  const TColor near = shot.Pixel(x, 1), far = shot.Pixel(x, 31);
  EXPECT_GE(GetRValue(near), 240) << "the gradient starts at Color";
  EXPECT_LE(GetRValue(far), 16) << "and ends at ColorTo";
  EXPECT_GE(GetBValue(far), 240);
  EXPECT_LT(GetRValue(far), GetRValue(shot.Pixel(x, 16)));
  EXPECT_LT(GetRValue(shot.Pixel(x, 16)), GetRValue(near));

  Grid->SearchFooter().SetColorTo(clNone);
  Application->ProcessMessages();
  const TBitmap flat = RenderPicture(*Panel);
  EXPECT_EQ(flat.Pixel(x, 20), RGB(255, 255, 255)) << "no ColorTo: one fill";
}

TEST(SearchPanelGlyphs, TheNineGlyphsAreOurOwn) {
  const std::pair<const char*, int> glyphs[] = {{"ASGCLOSE", 14},  {"ASGCLOSEH", 14},  {"ASGCLOSED", 14},
                                                {"ASGARDOWN", 16}, {"ASGARDOWND", 16}, {"ASGARUP", 16},
                                                {"ASGARUPD", 16},  {"ASGHI", 16},      {"ASGHID", 16}};
  for (const auto& [name, size] : glyphs) {
    const TBitmap* b = FindResourceBitmap(name);
    ASSERT_NE(b, nullptr) << name;
    EXPECT_EQ(b->Width(), size) << name;
    EXPECT_EQ(b->Height(), size) << name;
  }
  EXPECT_EQ(ValidateResources({"ASGCLOSEH", "ASGHID"}), "");
}

} // namespace
