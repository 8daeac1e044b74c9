// The tree's platform scroll bars: hidden while the content fits, shown disabled with
// AlwaysVisible, taking their room from the client area, and scrolling the tree when used.
#include "TreeFixture.h"

#include "platform/ui/Forms.h"
#include "platform/ui/Headless.h"
#include "platform/ui/StdCtrls.h"
#include "tree/StringTree.h"

#include <gtest/gtest.h>

namespace {

class TreeScrollBarsTest : public TUiTest {
protected:
  void SetUp() override {
    TUiTest::SetUp();
    Application->Initialize();
    Form = new TForm(nullptr);
    Form->SetClientWidth(220);
    Form->SetClientHeight(120);
    Tree = new TNodeStringTree(Form);
    Tree->SetParent(Form);
    Tree->SetBounds(0, 0, 200, 100);
    Tree->SetNodeDataSize(0);
    Form->Show();
    Application->ProcessMessages();
  }
  void TearDown() override {
    Form->Free();
    TUiTest::TearDown();
  }
  TForm* Form = nullptr;
  TNodeStringTree* Tree = nullptr;
};

} // namespace

TEST_F(TreeScrollBarsTest, BarsShowWhenNeededOrDisabledWithAlwaysVisible) {
  Tree->SetRootNodeCount(3);
  EXPECT_EQ(Tree->VertScrollBarControl(), nullptr);
  EXPECT_EQ(Tree->HorzScrollBarControl(), nullptr);
  EXPECT_EQ(Tree->ClientWidth(), 200);
  EXPECT_EQ(Tree->ClientHeight(), 100);

  Tree->ScrollBarOptions().SetAlwaysVisible(true);
  TScrollBar* v = Tree->VertScrollBarControl();
  TScrollBar* h = Tree->HorzScrollBarControl();
  ASSERT_NE(v, nullptr);
  ASSERT_NE(h, nullptr);
  EXPECT_TRUE(v->Visible());
  EXPECT_FALSE(v->Enabled()) << "nothing to scroll";
  EXPECT_FALSE(h->Enabled());
  EXPECT_EQ(Tree->ClientWidth(), 183);
  EXPECT_EQ(Tree->ClientHeight(), 83);
  EXPECT_EQ(v->Left(), 183);
  EXPECT_EQ(v->Height(), 83);
  EXPECT_EQ(h->Top(), 83);
  EXPECT_EQ(h->Width(), 183);

  Tree->ScrollBarOptions().SetAlwaysVisible(false);
  EXPECT_EQ(Tree->VertScrollBarControl(), nullptr);
  EXPECT_FALSE(v->Visible()) << "hidden, not disabled, once it is not needed";

  Tree->SetRootNodeCount(20);
  v = Tree->VertScrollBarControl();
  ASSERT_NE(v, nullptr);
  EXPECT_TRUE(v->Enabled());
  EXPECT_EQ(v->Max(), 360);
  EXPECT_EQ(v->PageSize(), Tree->ClientHeight() + 1);
  EXPECT_EQ(Tree->HorzScrollBarControl(), nullptr);

  Tree->ScrollBarOptions().SetScrollBars(ssHorizontal);
  EXPECT_EQ(Tree->VertScrollBarControl(), nullptr);
  EXPECT_EQ(Tree->ClientWidth(), 200);
  Tree->ScrollBarOptions().SetScrollBars(ssNone);
  Tree->ScrollBarOptions().SetAlwaysVisible(true);
  EXPECT_EQ(Tree->VertScrollBarControl(), nullptr);
  EXPECT_EQ(Tree->HorzScrollBarControl(), nullptr);
}

TEST_F(TreeScrollBarsTest, AWideTreeTakesBothBarsWhenOneLeavesTooLittleRoom) {
  Tree->OnGetText = [](TBaseNodeTree*, PVNode, TColumnIndex, TVSTTextType type, std::string& text) {
    if (type == ttNormal) text = "A rather long text for a meter that does not fit";
  };
  Tree->SetRootNodeCount(5); // 90 px: fits 100, not the 83 beside a horizontal bar
  Tree->UpdateRanges();
  Tree->ScrollBarOptions().SetScrollBars(ssNone);
  Tree->ScrollBarOptions().SetScrollBars(ssBoth);
  ASSERT_NE(Tree->HorzScrollBarControl(), nullptr);
  ASSERT_NE(Tree->VertScrollBarControl(), nullptr);
  EXPECT_TRUE(Tree->VertScrollBarControl()->Enabled());
  EXPECT_EQ(Tree->ClientHeight(), 83);
}

TEST_F(TreeScrollBarsTest, UsingTheBarScrollsTheTreeAndScrollingMovesTheBar) {
  Tree->SetRootNodeCount(20);
  TScrollBar* v = Tree->VertScrollBarControl();
  ASSERT_NE(v, nullptr);
  struct TCase {
    unsigned code;
    int pos, offset;
  };
  for (const TCase c :
       {TCase{SB_LINEDOWN, 0, -20}, TCase{SB_PAGEDOWN, 0, -120}, TCase{SB_THUMBTRACK, 200, -200},
        TCase{SB_ENDSCROLL, 0, -200}, TCase{SB_BOTTOM, 0, -260}, TCase{SB_TOP, 0, 0}}) {
    SCOPED_TRACE(c.code);
    v->Perform(WM_VSCROLL, static_cast<WPARAM>(c.code) | (static_cast<WPARAM>(c.pos) << 16), 0);
    EXPECT_EQ(Tree->OffsetY(), c.offset);
    EXPECT_EQ(v->Position(), -c.offset);
  }
  EXPECT_FALSE(Tree->TreeStates().Has(tsThumbTracking));
  // The thumb dragged past the end stops at the last full page: Max - Page + 1.
  v->Perform(WM_VSCROLL, static_cast<WPARAM>(SB_THUMBTRACK) | (static_cast<WPARAM>(5000) << 16), 0);
  EXPECT_EQ(v->Position(), v->Max() - v->PageSize() + 1);
  EXPECT_EQ(Tree->OffsetY(), -v->Position());
  v->Perform(WM_VSCROLL, SB_ENDSCROLL, 0);
  v->Perform(WM_VSCROLL, SB_TOP, 0);
  // A click on the bar's lower arrow, as a user makes it.
  Headless::MouseDown(*v, TPoint{8, v->Height() - 6});
  Headless::MouseUp(*v, TPoint{8, v->Height() - 6});
  EXPECT_LT(Tree->OffsetY(), 0);
  EXPECT_EQ(v->Position(), -Tree->OffsetY());
  // Scrolling the tree moves the bar.
  Tree->SetOffsetY(-123);
  EXPECT_EQ(v->Position(), 123);
}
