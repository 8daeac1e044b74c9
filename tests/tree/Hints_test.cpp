// Hints of the tree: the tooltip over cut text only, once per area, none while the mouse is busy,
// the modes over empty space, and the hint window kept inside the desktop.
#include "InputFixture.h"

#include "tree/TreeHintWindow.h"

namespace {

class TreeHintTest : public TTreeInputTest {
protected:
  void SetUp() override {
    TTreeInputTest::SetUp();
    Build({"a", "b"});
    Tree->SetShowHint(true);
    Tree->TooltipText = "the whole text of the node";
  }
  // The hint request as the platform sends it when the mouse rests at a client point.
  std::string Ask(TPoint p, TRect* rect = nullptr) {
    Headless::MouseMove(*Tree, p);
    THintInfo info;
    info.HintControl = Tree;
    info.CursorPos = p;
    info.CursorRect = Tree->ClientRect();
    if (Tree->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info)) != 0) return {};
    if (rect) *rect = info.CursorRect;
    return info.HintStr;
  }
};

} // namespace

TEST_F(TreeHintTest, ATooltipShowsOnlyForCutTextAndNotAgainInTheSameArea) {
  Tree->SetHintMode(hmTooltip);
  Tree->ContentWidth = 40; // fits the 200 pixels
  const TPoint p = At(Top(0), hiOnItemLabel);
  EXPECT_EQ(Ask(p), "");
  Tree->ContentWidth = 400; // cut at the right edge
  TRect area;
  EXPECT_EQ(Ask(p, &area), "the whole text of the node");
  EXPECT_EQ(area, Tree->GetDisplayRect(Top(0), NoColumn, true, true, true));
  EXPECT_TRUE(Tree->TreeStates().Has(tsHint));
  EXPECT_EQ(Ask({p.X + 5, p.Y}), "") << "the same area";
  Headless::MouseLeave();
  EXPECT_TRUE(Tree->LastHintRect().IsEmpty());
  EXPECT_EQ(Ask({p.X + 5, p.Y}), "the whole text of the node");
}

TEST_F(TreeHintTest, NoHintWhileTheMouseIsCapturedOrABandIsDrawn) {
  Tree->SetHintMode(hmHint);
  Tree->SetHint("tree hint");
  const TPoint p = At(Top(0), hiOnItemLabel);
  Tree->SetMouseCapture(true);
  EXPECT_EQ(Ask(p), "");
  Tree->SetMouseCapture(false);
  EXPECT_EQ(Ask(p), "tree hint");
}

TEST_F(TreeHintTest, OverEmptySpaceOnlyHintAndDefaultShowsTheControlsHint) {
  Tree->SetHint("the tree|long");
  const TPoint empty{100, 150};
  struct TCase {
    TVTHintMode mode;
    const char* expected;
  };
  for (const TCase c : {TCase{hmDefault, "the tree"}, TCase{hmHintAndDefault, "the tree"}, TCase{hmHint, ""},
                        TCase{hmTooltip, ""}}) {
    SCOPED_TRACE(c.mode);
    Tree->SetHintMode(c.mode);
    Headless::MouseLeave();
    EXPECT_EQ(Ask(empty), c.expected);
  }
}

TEST(TreeHintWindow, AWindowOutsideTheDesktopIsMovedInside) {
  const TRect desktop = Rect(0, 0, 800, 600);
  struct TCase {
    TRect r, expected;
  };
  for (const TCase c : {TCase{Rect(10, 10, 110, 30), Rect(10, 10, 110, 30)},
                        TCase{Rect(750, 590, 850, 610), Rect(700, 580, 800, 600)},
                        TCase{Rect(-20, -5, 80, 15), Rect(0, 0, 100, 20)}}) {
    EXPECT_EQ(TNodeTreeHintWindow::KeepInDesktop(c.r, desktop), c.expected);
  }
}

namespace {

TNodeTreeHintWindow* ShownTreeHintWindow() {
  for (int i = 0; i < Screen->FormCount(); ++i)
    if (auto* w = dynamic_cast<TNodeTreeHintWindow*>(Screen->Forms(i)); w && w->Visible()) return w;
  return nullptr;
}

} // namespace

TEST_F(TreeHintTest, TheTreesOwnWindowShowsTheTooltipOverTheCellText) {
  Tree->SetHintMode(hmTooltip);
  Tree->ContentWidth = 400;
  const TPoint p = At(Top(1), hiOnItemLabel);
  EXPECT_EQ(Headless::HintAt(*Tree, p), "the whole text of the node");
  TNodeTreeHintWindow* w = ShownTreeHintWindow();
  ASSERT_NE(w, nullptr);
  TRect cell = Tree->GetDisplayRect(Top(1), NoColumn, true, true, true);
  const TPoint corner = Tree->ClientToScreen({cell.Left, cell.Top});
  TRect expected = Bounds(corner.X - 1, corner.Y - 1, cell.Width() + 2, cell.Height() + 2);
  expected = TNodeTreeHintWindow::KeepInDesktop(expected, THintWindow::Desktop());
  EXPECT_EQ(w->BoundsRect(), expected);
  Headless::MouseLeave();
  EXPECT_EQ(ShownTreeHintWindow(), nullptr);
}

TEST_F(TreeHintTest, AFadingHintStepsOnTheClockAndEndsFinished) {
  Tree->SetHintMode(hmHint);
  Tree->SetHint("fading");
  Tree->SetHintAnimation(hatFade);
  Tree->SetAnimationDuration(100);
  EXPECT_EQ(Headless::HintAt(*Tree, At(Top(0), hiOnItemLabel)), "fading");
  TNodeTreeHintWindow* w = ShownTreeHintWindow();
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(Tree->Animating());
  Timers.Advance(60);
  EXPECT_GT(w->RenderedStep(), 0);
  for (int i = 0; i < 300 && Tree->Animating(); ++i) Timers.Advance(1);
  EXPECT_FALSE(Tree->Animating());
  EXPECT_EQ(w->RenderedStep(), 0) << "the last step shows the finished hint";
}
