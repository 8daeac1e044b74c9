// Mouse input on a shown tree: check boxes pressed and released, expand buttons, double clicks,
// the pending clear of a multi-selection, the band, wheel panning and the hot node.
#include "InputFixture.h"

#include "platform/ui/PanningWindow.h"
#include "platform/ui/Resources.h"

namespace {

class TreeMouseTest : public TTreeInputTest {
protected:
  void CheckBoxes() {
    Use(toCheckSupport);
    for (PVNode n = Tree->GetFirst(); n; n = Tree->GetNext(n)) Tree->SetCheckType(n, ctCheckBox);
  }
};

} // namespace

TEST_F(TreeMouseTest, CheckReleasedOnTheSameRowChecksItElsewhereOnlyRestoresTheImage) {
  struct TCase {
    const char* name;
    int releaseRow;
    bool onLabel;
    TCheckState expected;
    int checkedEvents;
  };
  for (const TCase c : {TCase{"same box", 0, false, csCheckedNormal, 1}, TCase{"same row", 0, true, csCheckedNormal, 1},
                        TCase{"other row", 2, true, csUncheckedNormal, 0}}) {
    SCOPED_TRACE(c.name);
    Build({"a", "b", "c"});
    CheckBoxes();
    int checked = 0;
    Tree->OnChecked = [&](TBaseNodeTree*, PVNode) { ++checked; };
    PVNode node = Top(0);
    const TPoint box = At(node, hiOnItemCheckbox);
    Headless::MouseMove(*Tree, box);
    Headless::MouseDown(*Tree, box);
    EXPECT_EQ(node->CheckState, csUncheckedPressed);
    EXPECT_TRUE(Tree->TreeStates().Has(tsMouseCheckPending));
    const TPoint release = c.onLabel ? At(Top(c.releaseRow), hiOnItemLabel) : box;
    Headless::MouseMove(*Tree, release);
    Headless::MouseUp(*Tree, release);
    EXPECT_EQ(node->CheckState, c.expected);
    EXPECT_EQ(checked, c.checkedEvents);
    EXPECT_FALSE(Tree->TreeStates().Has(tsMouseCheckPending));
    Tree->OnChecked = nullptr;
  }
}

TEST_F(TreeMouseTest, ACheckPressWhileTheSpaceKeyHoldsACheckDoesNothing) {
  Build({"a", "b"});
  CheckBoxes();
  Tree->SetFocusedNode(Top(0));
  Headless::KeyDown(*Form, VK_SPACE);
  ASSERT_TRUE(Tree->TreeStates().Has(tsKeyCheckPending));
  const TPoint box = At(Top(1), hiOnItemCheckbox);
  Headless::MouseDown(*Tree, box);
  Headless::MouseUp(*Tree, box);
  EXPECT_EQ(Top(1)->CheckState, csUncheckedNormal);
  Headless::KeyUp(*Form, VK_SPACE);
  EXPECT_EQ(Top(0)->CheckState, csCheckedNormal);
}

TEST_F(TreeMouseTest, TheExpandButtonTogglesWithoutMovingFocusOrSelection) {
  Build({"a", "b"}, {"b"});
  Tree->SetFocusedNode(Top(0));
  Tree->SetSelected(Top(0), true);
  Click(At(Top(1), hiOnItemButton));
  EXPECT_TRUE(Tree->Expanded(Top(1)));
  EXPECT_EQ(Tree->FocusedNode(), Top(0));
  EXPECT_EQ(Selection(), std::vector<PVNode>{Top(0)});
  Click(At(Top(1), hiOnItemButton));
  EXPECT_FALSE(Tree->Expanded(Top(1)));
}

TEST_F(TreeMouseTest, ADoubleClickOnTheLabelTogglesAndSchedulesNoEdit) {
  Build({"a", "b"}, {"a"});
  Use(toEditable);
  Use(toEditOnDblClick);
  Headless::DoubleClick(*Tree, At(Top(0), hiOnItemLabel));
  EXPECT_TRUE(Tree->Expanded(Top(0)));
  EXPECT_FALSE(Tree->TreeTimerRunning(EditTimer));
  EXPECT_FALSE(Tree->TreeStates().Has(tsEditPending));
  // Without the option a double click on the label does not toggle.
  Use(toToggleOnDblClick, false);
  Headless::DoubleClick(*Tree, At(Top(0), hiOnItemLabel));
  EXPECT_TRUE(Tree->Expanded(Top(0)));
}

TEST_F(TreeMouseTest, AClickOnASelectedNodeThatMayBeDraggedKeepsTheSelectionUntilTheRelease) {
  Build({"a", "b", "c"});
  Use(toMultiSelect);
  Tree->OnDragAllowed = [](TBaseNodeTree*, PVNode, TColumnIndex, bool& allowed) { allowed = true; };
  Tree->SetSelected(Top(0), true);
  Tree->SetSelected(Top(2), true);
  Tree->SetFocusedNode(Top(0));
  const TPoint p = At(Top(2), hiOnItemLabel);
  Headless::MouseMove(*Tree, p);
  Headless::MouseDown(*Tree, p);
  EXPECT_EQ(Selection().size(), 2u) << "a drag of both may still start";
  EXPECT_EQ(Tree->FocusedNode(), Top(2));
  Headless::MouseUp(*Tree, p);
  EXPECT_EQ(Selection(), std::vector<PVNode>{Top(2)});
}

TEST_F(TreeMouseTest, APressOnEmptySpaceClearsAndTheBandStartsOnlyPastTheDragThreshold) {
  Build({"a", "b", "c", "d"});
  Use(toMultiSelect);
  Tree->SetSelected(Top(0), true);
  const TPoint start{150, 8};
  Headless::MouseMove(*Tree, start);
  Headless::MouseDown(*Tree, start);
  EXPECT_TRUE(Selection().empty());
  EXPECT_TRUE(Tree->TreeStates().Has(tsDrawSelPending));
  Headless::MouseMove(*Tree, {147, 11});
  EXPECT_TRUE(Tree->TreeStates().Has(tsDrawSelPending)) << "3 pixels are within the threshold";
  EXPECT_FALSE(Tree->TreeStates().Has(tsDrawSelecting));
  Headless::MouseMove(*Tree, {10, 60});
  EXPECT_TRUE(Tree->TreeStates().Has(tsDrawSelecting));
  EXPECT_EQ(Selection().size(), 4u) << "the band swept rows 0 to 3";
  Headless::MouseUp(*Tree, {10, 60});
  EXPECT_FALSE(Tree->IsMouseSelecting());
  EXPECT_EQ(Selection().size(), 4u);
}

TEST_F(TreeMouseTest, AMiddleClickPansUntilTheNextClickWhichDoesNothingElse) {
  std::vector<std::string> names(40, "n");
  Build(names);
  Tree->SetFocusedNode(Top(0));
  const TPoint p{100, 90};
  Headless::MouseMove(*Tree, p);
  Headless::MouseDown(*Tree, p, mbMiddle);
  Headless::MouseUp(*Tree, p, mbMiddle);
  EXPECT_TRUE(Tree->TreeStates().Has(tsWheelScrolling));
  ASSERT_NE(Tree->PanningWindow(), nullptr);
  EXPECT_EQ(Tree->PanningCursorName(), "VT_MOVENS");
  // Pointing below the start pans down on every timer step.
  Headless::MouseMove(*Tree, {100, 150});
  EXPECT_EQ(Tree->PanningCursorName(), "VT_MOVES");
  Timers.Advance(20);
  const int afterOne = Tree->OffsetY();
  EXPECT_LT(afterOne, 0);
  Timers.Advance(20);
  EXPECT_LT(Tree->OffsetY(), afterOne);
  // The next click ends the pan and neither focuses nor selects.
  Click(At(Tree->GetNodeAt(10, 100), hiOnItemLabel));
  EXPECT_FALSE(Tree->TreeStates().Has(tsWheelPanning));
  EXPECT_FALSE(Tree->TreeStates().Has(tsWheelScrolling));
  EXPECT_EQ(Tree->PanningWindow(), nullptr);
  EXPECT_EQ(Tree->FocusedNode(), Top(0));
  const int offset = Tree->OffsetY();
  Timers.Advance(100);
  EXPECT_EQ(Tree->OffsetY(), offset);
}

TEST_F(TreeMouseTest, AMiddlePressMovedPastTheThresholdPansOnlyWhileHeld) {
  std::vector<std::string> names(40, "n");
  Build(names);
  Headless::MouseMove(*Tree, {100, 90});
  Headless::MouseDown(*Tree, {100, 90}, mbMiddle);
  Headless::MouseMove(*Tree, {100, 120});
  EXPECT_TRUE(Tree->TreeStates().Has(tsWheelPanning));
  EXPECT_FALSE(Tree->TreeStates().Has(tsWheelScrolling));
  Headless::MouseUp(*Tree, {100, 120}, mbMiddle);
  EXPECT_FALSE(Tree->TreeStates().Has(tsWheelPanning));
  EXPECT_EQ(Tree->PanningWindow(), nullptr);
}

TEST_F(TreeMouseTest, TheMiddleButtonDoesNotPanWhenTheContentFits) {
  Build({"a", "b"});
  Click({100, 10}, mbMiddle);
  EXPECT_FALSE(Tree->TreeStates().Has(tsWheelPanning));
  EXPECT_EQ(Tree->PanningWindow(), nullptr);
}

TEST_F(TreeMouseTest, ARightClickSelectsOnlyWithRightClickSelect) {
  Build({"a", "b"});
  Tree->SetFocusedNode(Top(0));
  Tree->SetSelected(Top(0), true);
  Click(At(Top(1), hiOnItemLabel), mbRight);
  EXPECT_EQ(Tree->FocusedNode(), Top(0));
  EXPECT_EQ(Selection(), std::vector<PVNode>{Top(0)});
  Use(toRightClickSelect);
  Click(At(Top(1), hiOnItemLabel), mbRight);
  EXPECT_EQ(Tree->FocusedNode(), Top(1));
  EXPECT_EQ(Selection(), std::vector<PVNode>{Top(1)});
}

TEST_F(TreeMouseTest, TheHotNodeFollowsTheLabelAndGoesWithTheMouse) {
  Build({"a", "b"});
  std::vector<std::pair<PVNode, PVNode>> changes;
  Tree->OnHotChange = [&](TBaseNodeTree*, PVNode o, PVNode n) { changes.push_back({o, n}); };
  Headless::MouseMove(*Tree, At(Top(1), hiOnItemLabel));
  EXPECT_EQ(Tree->HotNode(), Top(1));
  Headless::MouseMove(*Tree, {190, 170});
  EXPECT_EQ(Tree->HotNode(), nullptr);
  Headless::MouseMove(*Tree, At(Top(0), hiOnItemLabel));
  Headless::MouseLeave();
  EXPECT_EQ(Tree->HotNode(), nullptr);
  const std::vector<std::pair<PVNode, PVNode>> expected{
      {nullptr, Top(1)}, {Top(1), nullptr}, {nullptr, Top(0)}, {Top(0), nullptr}};
  EXPECT_EQ(changes, expected);
}

TEST_F(TreeMouseTest, AClickOnTheFocusedSelectedLabelStartsAnEditAfterTheDelay) {
  struct TLink : IVTEditLink {
    int* Begun;
    explicit TLink(int* b) : Begun(b) {}
    bool BeginEdit() override { return ++*Begun, true; }
    bool CancelEdit() override { return true; }
    bool EndEdit() override { return true; }
    bool PrepareEdit(TBaseNodeTree*, PVNode, TColumnIndex) override { return true; }
    TRect GetBounds() override { return {}; }
    void ProcessMessage(TMessage&) override {}
    void SetBounds(TRect) override {}
  };
  int begun = 0;
  Tree->OnCreateEditor = [&](TBaseNodeTree*, PVNode, TColumnIndex, std::shared_ptr<IVTEditLink>& link) {
    link = std::make_shared<TLink>(&begun);
  };
  Build({"a", "b"});
  Use(toEditable);
  Tree->SetEditDelay(500);
  Click(At(Top(0), hiOnItemLabel));
  EXPECT_FALSE(Tree->TreeTimerRunning(EditTimer)) << "the first click only selects";
  Click(At(Top(0), hiOnItemLabel));
  EXPECT_TRUE(Tree->TreeTimerRunning(EditTimer));
  Timers.Advance(499);
  EXPECT_EQ(begun, 0);
  Timers.Advance(1);
  EXPECT_EQ(begun, 1);
  EXPECT_TRUE(Tree->IsEditing());
  EXPECT_FALSE(Tree->TreeTimerRunning(EditTimer));
}

TEST(PanningWindow, TheShapeIsTheRunsOfPixelsNotOfTheKeyColour) {
  TBitmap b(5, 2);
  const TColor k = RGB(255, 0, 255);
  const TColor pixels[2][5] = {{k, clBlack, clBlack, k, clBlack}, {clWhite, k, k, k, k}};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 5; ++x) b.SetPixel(x, y, pixels[y][x]);
  const std::vector<TRect> expected{Rect(1, 0, 3, 1), Rect(4, 0, 5, 1), Rect(0, 1, 1, 2)};
  EXPECT_EQ(OpaqueRuns(b, k), expected);
}

TEST(PanningWindow, EveryPanningPictureIsAResourceOfTheProgram) {
  EXPECT_EQ(ValidateResources(TreeResourceNames()), "");
  EXPECT_NE(ValidateResources({"VT_MOVEUP"}), "");
}

TEST_F(TreeMouseTest, TheHotCursorShowsOverAHotNodeWithHotTracking) {
  Build({"a", "b"});
  Use(toHotTrack);
  Tree->SetHotCursor(crHandPoint);
  Headless::MouseMove(*Tree, At(Top(0), hiOnItemLabel));
  EXPECT_TRUE(Headless::ShowsCursor(*Tree, crHandPoint));
  Headless::MouseMove(*Tree, {190, 170});
  EXPECT_TRUE(Headless::ShowsCursor(*Tree, crDefault));
}

TEST_F(TreeMouseTest, ABandAtTheBottomEdgeScrollsAfterTheAutoScrollDelay) {
  Build(std::vector<std::string>(40, "n"));
  Use(toMultiSelect);
  auto autoOptions = Tree->TreeOptions().AutoOptions();
  autoOptions.Include(toAutoScroll);
  Tree->TreeOptions().SetAutoOptions(autoOptions);
  Headless::MouseMove(*Tree, {150, 60});
  Headless::MouseDown(*Tree, {150, 60});
  Headless::MouseMove(*Tree, {150, 90});
  ASSERT_TRUE(Tree->TreeStates().Has(tsDrawSelecting));
  const int edge = Tree->ClientHeight() - 4;
  Headless::MouseMove(*Tree, {150, edge});
  EXPECT_TRUE(Tree->TreeStates().Has(tsScrollPending));
  Timers.Advance(999);
  EXPECT_EQ(Tree->OffsetY(), 0);
  Timers.Advance(1);
  EXPECT_TRUE(Tree->TreeStates().Has(tsScrolling));
  EXPECT_LT(Tree->OffsetY(), 0);
  const std::size_t before = Selection().size();
  Timers.Advance(5);
  EXPECT_GE(Selection().size(), before) << "the band follows the scrolled rows";
  Headless::MouseUp(*Tree, {150, edge});
  EXPECT_FALSE(Tree->TreeStates().Has(tsScrolling));
  EXPECT_FALSE(Tree->TreeTimerRunning(ScrollTimer));
}
