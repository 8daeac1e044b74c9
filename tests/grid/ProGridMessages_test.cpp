#include "ProGridFixture.h"

#include "grid/ProGridUnit.h"
#include "support/FakeTimers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using ProGridMessages = TProGridTest<>;

TEST_F(ProGridMessages, UpdateLockNestsAndResetEndsEveryLevel) {
  Grid->Repaint();
  const int painted = Grid->PaintID();
  Grid->BeginUpdate();
  Grid->BeginUpdate();
  Grid->EndUpdate();
  EXPECT_TRUE(Grid->LockUpdate());
  Grid->Repaint();
  EXPECT_EQ(Grid->PaintID(), painted) << "one level still holds";
  Grid->ResetUpdate();
  EXPECT_EQ(Grid->UpdateCount(), 0);
  EXPECT_EQ(Grid->PaintID(), painted) << "ending the lock this way repaints nothing";
  Grid->Repaint();
  EXPECT_GT(Grid->PaintID(), painted) << "and painting works again";
}

TEST(ProGridUpdateLock, AHiddenGridTakesNoLock) {
  TGridOnForm<> place;
  place.Grid->SetVisible(false);
  place.Grid->BeginUpdate();
  EXPECT_EQ(place.Grid->UpdateCount(), 0);
  place.Grid->EndUpdate();
  EXPECT_EQ(place.Grid->UpdateCount(), 0);
}

TEST_F(ProGridMessages, EditDoneArrivesAfterTheKeyHandlerNamingItsCell) {
  std::vector<std::string> log;
  Grid->OnEditCellDone = [&](TObject*, int c, int r) {
    log.push_back("done " + std::to_string(c) + " " + std::to_string(r));
  };
  Grid->OnKeyDown = [&](TObject*, std::uint16_t& Key, TShiftState) {
    if (Key != VK_DOWN) return;
    Grid->PostEditDone(2, 3);
    log.push_back("handler");
  };
  Grid->MoveCurrentCell(2, 3);
  Grid->SetFocus();
  Headless::PressKey(*Grid, VK_DOWN);
  EXPECT_EQ(log, (std::vector<std::string>{"handler", "done 2 3"}));
  EXPECT_EQ(Grid->Row(), 4) << "the current cell moved meanwhile";
}

TEST(ProGridEditDone, PostedToADestroyedGridIsDropped) {
  TGridOnForm<> place;
  int fired = 0;
  auto* grid = new TProStringGrid(place.Form);
  grid->SetParent(place.Form);
  grid->OnEditCellDone = [&](TObject*, int, int) { ++fired; };
  grid->PostEditDone(1, 1);
  grid->Free();
  Application->ProcessMessages();
  EXPECT_EQ(fired, 0);
  EXPECT_NE(GridEditDoneMessage(), 0u);
  EXPECT_EQ(GridEditDoneMessage(), RegisterWindowMessage("GridEditDone")) << "one id for the process";
}

TEST_F(ProGridMessages, AWheelNotchMovesByTheSystemLinesWithinTheNormalRows) {
  Grid->SetRowCount(30);
  Grid->SetFixedFooters(1);
  const int lines = WheelScrollLines();
  ASSERT_GT(lines, 0);
  Grid->MoveCurrentCell(1, 5);
  Headless::MouseWheel(*Grid, {50, 50}, -120);
  EXPECT_EQ(Grid->Row(), 5 + lines);
  Grid->MoveCurrentCell(1, 1 + lines / 2);
  Headless::MouseWheel(*Grid, {50, 50}, 120);
  EXPECT_EQ(Grid->Row(), 1) << "never into the fixed rows";
  Grid->MoveCurrentCell(1, 27);
  Headless::MouseWheel(*Grid, {50, 50}, -120);
  EXPECT_EQ(Grid->Row(), 28) << "never into the footer";
}

TEST(ProGridTimer, TheSearchTextGoesAfterFourTicks) {
  TFakeTimers timers(1000);
  TGridOnForm<> place;
  place.Grid->Navigation().SetAutoGotoIncremental(true);
  place.Grid->SetSearchInc("ab");
  for (int tick = 0; tick < 3; ++tick)
    timers.Advance(500);
  EXPECT_EQ(place.Grid->SearchInc(), "ab");
  timers.Advance(500);
  EXPECT_EQ(place.Grid->SearchInc(), "");
  EXPECT_EQ(place.Grid->TimerTicks(), 4);
}

} // namespace

namespace {

TEST_F(ProGridMessages, EditingEndsWithEveryFinishedEditWhenOnlyDoubleClicksEdit) {
  Grid->MouseActions().SetEditOnDblClickOnly(true);
  Grid->SetOptions(Grid->Options() | goEditing);
  Grid->PostEditDone(1, 1);
  Application->ProcessMessages();
  EXPECT_FALSE(Grid->Options() & goEditing);
  EXPECT_FALSE(Grid->EditMode());
}

} // namespace
