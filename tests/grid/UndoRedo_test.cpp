#include "grid/UndoRedo.h"

#include "BaseGridFixture.h"

#include <gtest/gtest.h>

namespace {

struct TUndoFixture {
  TBaseGridForm Form;
  TProGridUndoRedo* Undo = new TProGridUndoRedo(Form.Form);
  TTestBaseGrid& G = *Form.Grid;
  std::vector<std::string> Log;
  TUndoFixture() {
    G.SetUndoRedo(Undo);
    Undo->OnUndo = [this](TObject*, TBaseGrid*, int c, int r, const std::string& o, const std::string& n) {
      Log.push_back("undo " + std::to_string(c) + "," + std::to_string(r) + " " + o + "->" + n);
    };
    Undo->OnRedo = [this](TObject*, TBaseGrid*, int c, int r, const std::string& o, const std::string& n) {
      Log.push_back("redo " + std::to_string(c) + "," + std::to_string(r) + " " + o + "->" + n);
    };
  }
  // A user's edit: the cell changes and the change is registered.
  void Edit(int c, int r, const std::string& text) {
    Undo->RegisterChange(c, r, G.Cells(c, r), text);
    G.SetCells(c, r, text);
  }
};

} // namespace

TEST_F(BaseGridTest, UndoAndRedoOfSingleChanges) {
  TUndoFixture x;
  EXPECT_EQ(x.Undo->Grid(), x.Form.Grid);
  x.Edit(1, 1, "A");
  x.Edit(2, 2, "B");
  EXPECT_EQ(x.Undo->Level(), 2);
  x.Undo->Undo();
  EXPECT_EQ(x.G.Cells(2, 2), "");
  EXPECT_EQ(x.Undo->Level(), 1);
  EXPECT_EQ((TPoint{x.G.Col(), x.G.Row()}), (TPoint{2, 2})) << "the cursor goes to the cell";
  x.Undo->Redo();
  EXPECT_EQ(x.G.Cells(2, 2), "B");
  EXPECT_EQ(x.Undo->Level(), 2);
  EXPECT_EQ(x.Log, (std::vector<std::string>{"undo 2,2 B->", "redo 2,2 ->B"}));
}

TEST_F(BaseGridTest, SequencesAreOneStep) {
  TUndoFixture x;
  x.Undo->StartSequence();
  x.Edit(1, 1, "A");
  x.Edit(2, 1, "B");
  x.Undo->StopSequence();
  x.Undo->Undo();
  EXPECT_EQ(x.Log, (std::vector<std::string>{"undo 2,1 B->", "undo 1,1 A->"}));
  EXPECT_EQ(x.Undo->Level(), 0);
  EXPECT_FALSE(x.Undo->CanUndo());
  x.Log.clear();
  x.Undo->Redo();
  EXPECT_EQ(x.Log, (std::vector<std::string>{"redo 1,1 ->A", "redo 2,1 ->B"}));
  EXPECT_EQ(x.Undo->Level(), 4);
  EXPECT_FALSE(x.Undo->CanRedo());
}

TEST_F(BaseGridTest, MaxLevelDropsTheOldest) {
  TUndoFixture x;
  x.Undo->SetMaxLevel(3);
  for (const char* t : {"a", "b", "c", "d"})
    x.Edit(1, 1, t);
  EXPECT_EQ(x.Undo->Items().Count(), 3);
  EXPECT_EQ(x.Undo->Items().Items(0)->Value(), "b");
}

// Mended: a change after an undo drops what was undone, so undo never writes stale texts again.
TEST_F(BaseGridTest, ARegistrationAfterUndoDropsTheUndoneChanges) {
  TUndoFixture x;
  x.Edit(1, 1, "A");
  x.Undo->Undo();
  x.Edit(1, 1, "C");
  ASSERT_EQ(x.Undo->Items().Count(), 1);
  EXPECT_EQ(x.Undo->Items().Items(0)->Value(), "C");
  EXPECT_EQ(x.Undo->Level(), 1);
  EXPECT_FALSE(x.Undo->CanRedo());
  x.Undo->Undo();
  EXPECT_EQ(x.G.Cells(1, 1), "");
  x.Log.clear();
  x.Undo->Undo(); // nothing left
  EXPECT_TRUE(x.Log.empty());
  EXPECT_EQ(x.G.Cells(1, 1), "");
}

// Mended: Level stays within 0 .. Count, Reset leaves nothing to undo, and markers are never
// written into cells.
TEST_F(BaseGridTest, LevelStaysInRangeAndMarkersAreNoCellChanges) {
  TUndoFixture x;
  x.Edit(1, 1, "A");
  x.Undo->StartSequence(); // a start marker left last
  x.Undo->Undo();          // steps over the marker without writing
  EXPECT_EQ(x.Undo->Level(), 1);
  EXPECT_TRUE(x.Log.empty());
  x.Undo->Redo(); // a redo on the trailing start marker
  EXPECT_EQ(x.Undo->Level(), x.Undo->Items().Count());
  EXPECT_FALSE(x.Undo->CanRedo());
  EXPECT_TRUE(x.Undo->CanUndo());
  EXPECT_EQ((TPoint{x.G.Col(), x.G.Row()}), (TPoint{1, 1})) << "no marker moved the cursor to -1";
  x.Undo->Reset();
  EXPECT_EQ(x.Undo->Level(), 0);
  EXPECT_FALSE(x.Undo->CanUndo());
  EXPECT_FALSE(x.Undo->CanRedo());
  x.Undo->Undo();
  EXPECT_EQ(x.G.Cells(1, 1), "A");

  // A sequence whose start marker was dropped by MaxLevel undoes to the front and stops there.
  x.Undo->SetMaxLevel(3);
  x.Undo->StartSequence();
  x.Edit(1, 2, "p");
  x.Edit(1, 3, "q");
  x.Edit(1, 4, "r"); // the start marker falls out
  x.Undo->StopSequence();
  x.Undo->Undo();
  EXPECT_EQ(x.Undo->Level(), 0);
  EXPECT_EQ(x.G.Cells(1, 2), "");
}

TEST_F(BaseGridTest, UndoForgetsAGridThatGoes) {
  TProGridUndoRedo undo(nullptr);
  {
    TBaseGridForm f;
    f.Grid->SetUndoRedo(&undo);
    undo.RegisterChange(1, 1, "", "x");
  }
  EXPECT_EQ(undo.Grid(), nullptr);
  undo.Undo(); // no grid: nothing
  TBaseGridForm f;
  {
    TProGridUndoRedo* owned = new TProGridUndoRedo(nullptr);
    f.Grid->SetUndoRedo(owned);
    owned->Free();
  }
  EXPECT_EQ(f.Grid->UndoRedo(), nullptr);
}
