// The tree's window: buffering, invalidation inside updates, the wheel, timers on the program
// clock and the toggle animation stepped on it.
#include "InputFixture.h"

namespace {

class TreeWindowTest : public TTreeInputTest {};

} // namespace

TEST_F(TreeWindowTest, DoubleBufferedAlwaysReadsTrue) {
  Tree->SetDoubleBuffered(false);
  EXPECT_TRUE(Tree->DoubleBuffered());
}

TEST_F(TreeWindowTest, InvalidateNodeInsideAnUpdateAnswersMinusOnes) {
  Build({"a", "b"});
  EXPECT_EQ(Tree->InvalidateNodeRect(Top(1)), Tree->GetDisplayRect(Top(1), NoColumn, false));
  Tree->BeginUpdate();
  EXPECT_EQ(Tree->InvalidateNodeRect(Top(1)), Rect(-1, -1, -1, -1));
  Tree->EndUpdate();
}

TEST_F(TreeWindowTest, TheWheelScrollsLinesAPageWithCtrlAndSidewaysWithShift) {
  Build(std::vector<std::string>(40, "n"));
  Tree->ContentWidth = 600;
  Tree->UpdateRanges();
  Tree->SetWheelScrollLines(3);
  Headless::MouseWheel(*Tree, {50, 50}, -120);
  EXPECT_EQ(Tree->OffsetY(), -3 * 18);
  Headless::MouseWheel(*Tree, {50, 50}, -120, ssCtrl);
  EXPECT_EQ(Tree->OffsetY(), -3 * 18 - Tree->ClientHeight());
  Headless::MouseWheel(*Tree, {50, 50}, -120, ssShift);
  EXPECT_EQ(Tree->OffsetX(), -3 * Tree->ScrollBarOptions().HorizontalIncrement());
}

TEST_F(TreeWindowTest, TheToggleAnimationStepsOnTheClockAndNeverInsideUpdatesOrFullExpand) {
  Build({"a", "b", "c"}, {"a", "b"});
  auto anim = Tree->TreeOptions().AnimationOptions();
  anim.Include(toAnimatedToggle);
  Tree->TreeOptions().SetAnimationOptions(anim);
  Tree->SetAnimationDuration(200);
  Tree->ToggleNode(Top(0));
  // The toggle is done at once; the animation runs on from the clock without blocking.
  EXPECT_TRUE(Tree->Expanded(Top(0)));
  EXPECT_TRUE(Tree->Animating());
  const auto& a = Tree->ToggleAnimationData();
  EXPECT_EQ(a.Amount1, 36) << "the two children's rows";
  EXPECT_EQ(a.Area1.Top, 18);
  EXPECT_EQ(a.Direction1, 1);
  Timers.Advance(100);
  EXPECT_TRUE(Tree->Animating());
  Timers.Advance(150);
  EXPECT_FALSE(Tree->Animating());

  Tree->BeginUpdate();
  Tree->ToggleNode(Top(0));
  EXPECT_FALSE(Tree->Animating());
  Tree->EndUpdate();
  Tree->FullExpand();
  EXPECT_FALSE(Tree->Animating());
  EXPECT_TRUE(Tree->Expanded(Top(1)));
}

TEST_F(TreeWindowTest, CancelModeEndsPendingStatesAndStopsTheTimers) {
  Build({"apple", "banana"});
  Tree->SetIncrementalSearch(isAll);
  Key('B');
  ASSERT_TRUE(Tree->TreeTimerRunning(SearchTimer));
  Headless::MouseDown(*Tree, {150, 150});
  Tree->Perform(WM_KILLFOCUS);
  EXPECT_FALSE(Tree->TreeTimerRunning(SearchTimer));
  EXPECT_TRUE(Tree->SearchBuffer().empty());
  EXPECT_FALSE(Tree->TreeStates().Has(tsLeftButtonDown));
  Headless::MouseUp(*Tree, {150, 150});
}

TEST_F(TreeWindowTest, TheToggleAnimationMovesItsAreasByTheirAmountsInSteps) {
  std::vector<std::string> names(20, "n");
  Build(names);
  Tree->SetChildCount(Top(0), 4);
  Tree->SetChildCount(Top(8), 4);
  auto anim = Tree->TreeOptions().AnimationOptions();
  anim.Include(toAnimatedToggle);
  anim.Include(toAdvancedAnimatedToggle);
  Tree->TreeOptions().SetAnimationOptions(anim);
  const int ch = Tree->ClientHeight();
  ASSERT_GE(ch, 170);
  auto run = [&](PVNode node) {
    Tree->ToggleNode(node);
    for (int i = 0; i < 1000 && Tree->Animating(); ++i) Timers.Advance(1);
    EXPECT_FALSE(Tree->Animating());
    return Tree->ToggleAnimationData();
  };
  // Expanding a node near the bottom whose children do not fit below it: the rows above move up
  // and the rest moves down, in proportion.
  auto a = run(Top(8));
  const int b = 8 * 18 + 18 + 1;
  EXPECT_EQ(a.Area1.Top, 0);
  EXPECT_EQ(a.Area1.Bottom, b);
  EXPECT_EQ(a.Direction1, -1);
  EXPECT_EQ(a.Amount1, std::min(72 - (ch - b), 8 * 18 + 1));
  EXPECT_EQ(a.Area2.Top, b);
  EXPECT_EQ(a.Direction2, 1);
  EXPECT_EQ(a.Amount2, ch - b);
  EXPECT_EQ(a.Moved1, a.Amount1);
  EXPECT_EQ(a.Moved2, a.Amount2) << "the scaled steps add up to the second area's amount";

  Tree->SetOffsetY(0);
  Tree->ToggleNode(Top(0)); // expanded inside no animation run: collapse it animated below
  while (Tree->Animating()) Timers.Advance(10);
  a = run(Top(0));
  EXPECT_EQ(a.Area1.Top, 18);
  EXPECT_EQ(a.Direction1, -1);
  EXPECT_EQ(a.Amount1, 72);
  EXPECT_EQ(a.Direction2, 0);
}
