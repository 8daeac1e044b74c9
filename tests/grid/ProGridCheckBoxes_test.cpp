#include "grid/ProGrid.h"
#include "grid/UndoRedo.h"

#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "support/UiTestFixture.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct TTracked : TPersistent {
  explicit TTracked(bool* Freed) : FFreed(Freed) {}
  ~TTracked() override { *FFreed = true; }
  bool* FFreed;
};

struct TCheckGrid {
  TCheckGrid() {
    Form = new TForm(nullptr);
    Grid = new TProStringGrid(Form);
    Grid->SetParent(Form);
    Grid->SetColCount(4);
    Grid->SetRowCount(8);
    Grid->OnCheckBoxChange = [this](TObject*, int c, int r, bool s) { Events.push_back({c, r, s}); };
  }
  ~TCheckGrid() { Form->Free(); }
  TCheckGrid(const TCheckGrid&) = delete;
  TCheckGrid& operator=(const TCheckGrid&) = delete;
  struct TEvent {
    int c, r;
    bool s;
    bool operator==(const TEvent&) const = default;
  };
  TForm* Form;
  TProStringGrid* Grid;
  std::vector<TEvent> Events;
};

TEST(ProGridGraphics, KindOfABareCellAndReplacing) {
  TCheckGrid f;
  EXPECT_EQ(f.Grid->GetCellType(1, 1), ctEmpty);
  EXPECT_EQ(f.Grid->GetCellType(-1, 1), ctEmpty);
  f.Grid->AddCheckBox(1, 1, true, false);
  TPicture pic;
  f.Grid->AddPicture(1, 1, &pic, false, noStretch, 0, haLeft, vaTop);
  EXPECT_EQ(f.Grid->GetCellType(1, 1), ctPicture) << "adding replaces the check box";
  EXPECT_FALSE(f.Grid->RemoveBitmap(1, 1));
  EXPECT_EQ(f.Grid->GetPicture(1, 1), &pic) << "removing another kind leaves the picture";
  EXPECT_TRUE(f.Grid->RemovePicture(1, 1));
  EXPECT_EQ(f.Grid->GetCellType(1, 1), ctEmpty);
}

TEST(ProGridGraphics, WhoFreesWhat) {
  TCheckGrid f;
  bool callers = false, made = false;
  TTracked mine(&callers);
  f.Grid->CreateCellGraphic(1, 1)->SetInterfacedCell(&mine);
  TCellGraphic* g = f.Grid->CreateCellGraphic(1, 2);
  g->SetInterfacedCell(new TTracked(&made));
  g->MarkCreated();
  f.Grid->RemoveCellGraphic(1, 1);
  f.Grid->AddRotated(1, 2, -90, "up"); // replaces the graphic that made its object
  EXPECT_FALSE(callers);
  EXPECT_TRUE(made);
  int angle = 0;
  EXPECT_TRUE(f.Grid->IsRotated(1, 2, angle));
  EXPECT_EQ(angle, 270);
  EXPECT_EQ(f.Grid->Cells(1, 2), "up");

  // A shared virtual check box put into a cell outlives the cell's graphic being removed.
  TCellGraphic shared;
  shared.SetCellType(ctVirtCheckBox);
  f.Grid->SetGraphicObjects(2, 2, &shared);
  EXPECT_TRUE(f.Grid->RemoveCellGraphic(2, 2));
  f.Grid->SetGraphicObjects(2, 3, &shared);
  f.Grid->SetRowCount(2); // rows dropped with the shared graphic in them
  EXPECT_EQ(shared.CellType(), ctVirtCheckBox);
}

TEST(ProGridCheckBoxes, DataCheckBoxKeepsYesOrNoAndSetsOthers) {
  struct {
    const char* before;
    bool state;
    const char* after;
    bool checked;
  } cases[] = {{"N", true, "N", false}, {"Y", false, "Y", true}, {"", true, "Y", true},
               {"", false, "N", false}, {"x", true, "Y", true},  {"yes", false, "N", false}};
  for (auto c : cases) {
    TCheckGrid f;
    f.Grid->SetCells(2, 3, c.before);
    f.Grid->AddCheckBox(2, 3, c.state, true);
    EXPECT_EQ(f.Grid->Cells(2, 3), c.after) << c.before;
    EXPECT_EQ(f.Grid->IsChecked(2, 3), c.checked) << c.before;
    EXPECT_TRUE(f.Grid->HasDataCheckBox(2, 3));
    EXPECT_TRUE(f.Grid->IsDataGraphicCell(2, 3));
  }
}

TEST(ProGridCheckBoxes, InvalidCellIsRaisedOutsideTheGrid) {
  TCheckGrid f;
  f.Grid->HideRow(2);
  const int rows = f.Grid->RowCount() + f.Grid->NumHiddenRows();
  struct {
    int c, r;
  } cases[] = {{4, 1}, {1, rows}, {-1, 1} /* mended */, {1, -1} /* mended */};
  for (auto c : cases) {
    for (int form = 0; form < 3; ++form) {
      try {
        if (form == 0) f.Grid->AddCheckBox(c.c, c.r, true, true);
        if (form == 1) f.Grid->AddCheckBox(c.c, c.r, cbChecked);
        if (form == 2) f.Grid->AddRadioButton(c.c, c.r, true);
        ADD_FAILURE() << "no exception for " << c.c << "," << c.r << " form " << form;
      } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "Invalid cell");
      }
    }
  }
  // The last real row is still a cell.
  EXPECT_NO_THROW(f.Grid->AddCheckBox(1, rows - 1, true, false));
}

TEST(ProGridCheckBoxes, ToggleDataCheckBoxTwice) {
  TCheckGrid f;
  f.Grid->SetCells(1, 2, "N");
  f.Grid->AddCheckBox(1, 2, false, true);
  EXPECT_TRUE(f.Grid->ToggleCheckBox(1, 2));
  EXPECT_EQ(f.Grid->Cells(1, 2), "Y");
  EXPECT_TRUE(f.Grid->ToggleCheckBox(1, 2));
  EXPECT_EQ(f.Grid->Cells(1, 2), "N");
  EXPECT_EQ(f.Events, (std::vector<TCheckGrid::TEvent>{{1, 2, true}, {1, 2, false}}));
  EXPECT_FALSE(f.Grid->ToggleCheckBox(0, 2)) << "a cell without a check box";
}

TEST(ProGridCheckBoxes, TriStateCycleOutsideNodes) {
  TCheckGrid f;
  f.Grid->AddCheckBox(1, 1, cbUnchecked);
  for (TCheckBoxState next : {cbGrayed, cbChecked, cbUnchecked}) {
    f.Grid->ToggleCheckBox(1, 1);
    TCheckBoxState s = cbChecked;
    EXPECT_TRUE(f.Grid->GetCheckBoxState(1, 1, s));
    EXPECT_EQ(s, next);
    bool b = true;
    EXPECT_FALSE(f.Grid->GetCheckBoxState(1, 1, b)) << "the Boolean form does not report a tri-state box";
  }
  for (const auto& e : f.Events)
    EXPECT_FALSE(e.s);
  EXPECT_EQ(f.Events.size(), 3u);
}

TEST(ProGridCheckBoxes, ChangeToTheSameStateFiresNothing) {
  TCheckGrid f;
  f.Grid->AddCheckBox(1, 1, true, false);
  f.Grid->AddCheckBox(2, 1, true, true);
  EXPECT_TRUE(f.Grid->ChangeCheckBoxState(1, 1, true));
  EXPECT_TRUE(f.Grid->ChangeCheckBoxState(2, 1, true));
  EXPECT_TRUE(f.Events.empty());
  EXPECT_TRUE(f.Grid->ChangeCheckBoxState(2, 1, false));
  EXPECT_EQ(f.Grid->Cells(2, 1), "N");
  EXPECT_FALSE(f.Grid->ChangeCheckBoxState(3, 1, true));
  f.Grid->CheckAll(2);
  EXPECT_EQ(f.Grid->Cells(2, 1), "Y");
  EXPECT_EQ(f.Events.size(), 2u);
}

TEST(ProGridCheckBoxes, StateByRealRowWithAHiddenRowBefore) {
  TCheckGrid f;
  for (int r = 1; r < 8; ++r)
    f.Grid->AddCheckBox(1, r, r == 5, true);
  f.Grid->HideRow(2);
  bool s = false;
  EXPECT_TRUE(f.Grid->GetCheckBoxState(1, 5, s));
  EXPECT_TRUE(s) << "real row 5, shown at display row 4";
  EXPECT_EQ(f.Grid->Cells(1, 4), "Y");
  // The hidden row itself is reachable by its real index.
  EXPECT_TRUE(f.Grid->SetCheckBoxState(1, 2, true));
  EXPECT_EQ(f.Grid->AllCells(1, 2), "Y");
  EXPECT_TRUE(f.Grid->IsChecked(1, 2));
}

TEST(ProGridCheckBoxes, RadioButtonsOfAColumn) {
  TCheckGrid f;
  f.Grid->AddRadioButtonColumn(1);
  EXPECT_EQ(f.Grid->GetRadioButtonColumnIndex(1), -1);
  f.Grid->DoToggleRadioButton(1, 3, false);
  f.Grid->DoToggleRadioButton(1, 5, false);
  EXPECT_EQ(f.Grid->GetRadioButtonColumnIndex(1), 5);
  EXPECT_FALSE(f.Grid->IsRadioButtonChecked(1, 3));
  f.Grid->SetRadioButtonColumnIndex(1, 0); // a fixed row: nothing stays checked
  EXPECT_EQ(f.Grid->GetRadioButtonColumnIndex(1), -1);
}

TEST(ProGridCheckBoxes, ControlGraphics) {
  TCheckGrid f;
  f.Grid->CreateCellGraphic(1, 1)->SetButton(40, 20, "Go", haCenter, vaCenter);
  f.Grid->CreateCellGraphic(2, 1)->SetBitButton(40, 20, "Go", nullptr, haCenter, vaCenter);
  EXPECT_TRUE(f.Grid->HasControlGraphic(1, 1));
  EXPECT_FALSE(f.Grid->HasControlGraphic(2, 1));
  EXPECT_FALSE(f.Grid->HasControlGraphic(-1, 1));
}

TEST(ProGridCheckBoxes, CheckAllCheckStartsAtRowZero) {
  TCheckGrid f;
  f.Grid->AddCheckBoxColumn(1, false, true);
  EXPECT_FALSE(f.Grid->HasCheckBox(1, 0));
  f.Grid->RemoveCheckBoxColumn(1);
  EXPECT_FALSE(f.Grid->HasCheckBox(1, 1));
  f.Grid->MouseActions().SetCheckAllCheck(true);
  f.Grid->AddCheckBoxColumn(1, false, true);
  EXPECT_TRUE(f.Grid->HasCheckBox(1, 0));
}

TEST(ProGridCheckBoxes, RowCheckBoxFollowsTheRowSelection) {
  TCheckGrid f;
  f.Grid->SetRowCount(11); // ten normal rows
  f.Grid->MouseActions().SetHotmailRowSelect(true);
  EXPECT_EQ(f.Grid->GetCellType(0, 5), ctRowCheckBox);
  EXPECT_EQ(f.Grid->GetCellType(1, 5), ctEmpty);
  for (int r = 1; r <= 3; ++r)
    f.Grid->SetRowSelect(r, true);
  TCellGraphic* head = f.Grid->GetCellGraphic(0, 0);
  EXPECT_EQ(head->CellAngle(), 1) << "some but not all rows: partial";
  EXPECT_FALSE(head->CellBoolean());
  bool s = false;
  EXPECT_TRUE(f.Grid->GetCheckBoxState(0, 2, s));
  EXPECT_TRUE(s);
  EXPECT_TRUE(f.Grid->ChangeCheckBoxState(0, 4, true));
  EXPECT_TRUE(f.Grid->RowSelect(4));
  EXPECT_EQ(f.Events, (std::vector<TCheckGrid::TEvent>{{0, 4, true}}));
  for (int r = 1; r <= 10; ++r)
    f.Grid->SetCheckBoxState(0, r, true);
  head = f.Grid->GetCellGraphic(0, 0);
  EXPECT_EQ(head->CellAngle(), 0);
  EXPECT_TRUE(head->CellBoolean());
  // The shared graphic is never freed with a cell.
  f.Grid->RemoveCellGraphic(0, 3);
  EXPECT_EQ(f.Grid->GetCellType(0, 3), ctRowCheckBox);
}

TEST(ProGridCheckBoxes, ToggleCanBeUndone) {
  TCheckGrid f;
  TProGridUndoRedo undo(nullptr);
  f.Grid->SetUndoRedo(&undo);
  f.Grid->AddCheckBox(1, 2, false, true);
  f.Grid->ToggleCheckBox(1, 2);
  ASSERT_TRUE(undo.CanUndo());
  undo.Undo();
  EXPECT_EQ(f.Grid->Cells(1, 2), "N");
  undo.Redo();
  EXPECT_EQ(f.Grid->Cells(1, 2), "Y");
  f.Grid->SetUndoRedo(nullptr);
}

TEST(ProGridCheckBoxes, HitTest) {
  TCheckGrid f;
  f.Grid->AddCheckBox(1, 1, true, false); // top aligned, left
  TRect r = f.Grid->CellRect(1, 1);
  EXPECT_TRUE(f.Grid->IsInCheckBox(1, 1, r.Right - 1, r.Bottom - 1)) << "the whole cell by default";
  EXPECT_FALSE(f.Grid->IsInCheckBox(2, 1, r.Left + 3, r.Top + 3)) << "no check box";
  f.Grid->MouseActions().SetPreciseCheckBoxCheck(true);
  struct {
    int dx, dy;
    bool in;
  } cases[] = {{2, 2, true}, {16, 16, true}, {1, 5, false}, {17, 5, false}, {5, 17, false}};
  for (auto c : cases)
    EXPECT_EQ(f.Grid->IsInCheckBox(1, 1, r.Left + c.dx, r.Top + c.dy), c.in) << c.dx << "," << c.dy;
}

} // namespace
