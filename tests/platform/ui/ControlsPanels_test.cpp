// Containers that place their children themselves: the stack of category panels and the pages
// of a page control.
#include "support/UiTestFixture.h"

#include "platform/ui/Application.h"
#include "platform/ui/CategoryPanels.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/Headless.h"
#include "platform/ui/StdCtrls.h"

#include <memory>
#include <string>
#include <vector>

namespace {

class PanelsTest : public TUiTest {
protected:
  void SetUp() override {
    TUiTest::SetUp();
    Form.reset(NewForm<TForm>(nullptr));
    Form->SetName("FParams");
    Form->SetClientWidth(460);
    Form->SetClientHeight(300);
    Group = new TCategoryPanelGroup(Form.get());
    Group->SetName("CPG");
    Group->SetParent(Form.get());
    Group->SetAlign(alClient);
    Group->SetHeaderHeight(24);
    for (const char* name : {"CP_Ethernet_Connection", "CP_LoRa", "CP_Ethernet"}) {
      auto* p = new TCategoryPanel(Form.get());
      p->SetName(name);
      p->SetPanelGroup(Group);
      p->SetCaption(name);
      p->SetHeight(150);
      Panels.push_back(p);
    }
  }
  TOwned<TForm> Form;
  TCategoryPanelGroup* Group = nullptr;
  std::vector<TCategoryPanel*> Panels;
};

TEST_F(PanelsTest, PanelsStackFromTheTopAndTheirControlsCountFromBelowTheHeader) {
  auto* edit = new TEdit(Form.get());
  edit->SetName("E_LoRa_JoinEUI");
  edit->SetParent(Panels[1]);
  edit->SetBounds(191, 9, 238, 21);
  EXPECT_EQ(Group->BoundsRect(), Rect(0, 0, 460, 300));
  EXPECT_EQ(Panels[0]->Top(), 0);
  EXPECT_EQ(Panels[1]->Top(), 150);
  EXPECT_EQ(Panels[2]->Top(), 300);
  EXPECT_EQ(Group->VertScrollRange(), 450);
  EXPECT_LT(Panels[0]->Width(), 460) << "the scroll bar takes its share";
  EXPECT_EQ(Panels[1]->ClientHeight(), 150 - 24);
  EXPECT_EQ(edit->ClientOrigin().Y - Panels[1]->ClientOrigin().Y, 24 + 9);

  // A relayout that changes a height moves the panels below it.
  Panels[1]->SetHeight(372);
  EXPECT_EQ(Panels[2]->Top(), 522);
  Panels[0]->Hide();
  EXPECT_EQ(Panels[1]->Top(), 0);
  EXPECT_EQ(Panels[2]->Top(), 372);
}

TEST_F(PanelsTest, LineScrollMessagesMoveTheViewAndAHeaderClickCollapses) {
  Form->Show();
  Group->SetVertScrollIncrement(8);
  Group->Perform(WM_VSCROLL, SB_LINEDOWN);
  Group->Perform(WM_VSCROLL, SB_ENDSCROLL);
  Group->Perform(WM_VSCROLL, SB_LINEDOWN);
  EXPECT_EQ(Group->VertScrollPosition(), 16);
  Group->Perform(WM_VSCROLL, SB_LINEUP);
  EXPECT_EQ(Group->VertScrollPosition(), 8);
  Group->Perform(WM_VSCROLL, SB_BOTTOM);
  EXPECT_EQ(Group->VertScrollPosition(), 450 - 300);
  Group->Perform(WM_VSCROLL, SB_TOP);

  std::vector<std::string> log;
  Panels[0]->OnCollapse = [&](TObject*) { log.push_back("collapse"); };
  Panels[0]->OnExpand = [&](TObject*) { log.push_back("expand"); };
  Headless::MouseDown(*Panels[0], {20, 10});
  Headless::MouseUp(*Panels[0], {20, 10});
  EXPECT_TRUE(Panels[0]->Collapsed());
  EXPECT_EQ(Panels[0]->Height(), 24);
  EXPECT_EQ(Panels[1]->Top(), 24);
  Headless::MouseDown(*Panels[0], {20, 60}); // below the header: nothing
  Headless::MouseUp(*Panels[0], {20, 60});
  Panels[0]->Expand();
  EXPECT_EQ(Panels[0]->Height(), 150);
  EXPECT_EQ(log, (std::vector<std::string>{"collapse", "expand"}));
}

TEST_F(PanelsTest, TheFormSeesTheWheelFirstWithTheScreenPoint) {
  Form->Show();
  std::vector<std::string> log;
  Form->OnMouseWheel = [&](TObject*, TShiftState, int delta, TPoint pos, bool& handled) {
    TPoint p = Group->ScreenToClient(pos);
    handled = Group->ClientRect().Contains(p);
    log.push_back(std::to_string(delta) + " at " + std::to_string(p.X) + "," + std::to_string(p.Y));
    if (handled)
      for (int i = 0; i < WheelScrollLines(); ++i)
        Group->Perform(WM_VSCROLL, delta > 0 ? SB_LINEUP : SB_LINEDOWN);
  };
  Headless::MouseWheel(*Panels[1], {30, 40}, -120);
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0], "-120 at 30," + std::to_string(150 + 40));
  EXPECT_EQ(Group->VertScrollPosition(), 8 * WheelScrollLines());
}

TEST_F(PanelsTest, OnlyTheShownPageCountsAsVisibleSoTabSkipsTheOthers) {
  auto* pc = new TPageControl(Form.get());
  pc->SetParent(Form.get());
  pc->SetAlign(alClient);
  Group->Hide();
  std::vector<TEdit*> edits;
  for (int i = 0; i < 2; ++i) {
    auto* sheet = new TTabSheet(Form.get());
    sheet->SetPageControl(pc);
    sheet->SetCaption("Page " + std::to_string(i));
    auto* e = new TEdit(Form.get());
    e->SetName("E" + std::to_string(i));
    e->SetParent(sheet);
    edits.push_back(e);
  }
  Form->Show();
  EXPECT_TRUE(pc->Pages(0)->Visible());
  EXPECT_FALSE(pc->Pages(1)->Visible());
  EXPECT_TRUE(edits[0]->CanFocus());
  EXPECT_FALSE(edits[1]->CanFocus());
  EXPECT_EQ(Form->ActiveControl(), pc) << "the page control is first in Tab order";
  for (int i = 0; i < 3; ++i) {
    Headless::PressKey(*Form, VK_TAB);
    EXPECT_NE(Form->ActiveControl(), edits[1]) << "the edit on the hidden page is skipped";
  }
  edits[0]->SetFocus();
  pc->SetActivePageIndex(1);
  EXPECT_TRUE(edits[1]->CanFocus());
  EXPECT_FALSE(edits[0]->CanFocus());
  EXPECT_EQ(Form->ActiveControl(), nullptr) << "the focused control went out of view";
}

} // namespace
