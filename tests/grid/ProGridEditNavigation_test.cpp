#include "grid/GridCombo.h"
#include "grid/ProCGrid.h"
#include "grid/ProInplaceEdit.h"

#include "EditGridFixture.h"
#include "platform/ui/BalloonHint.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/Headless.h"
#include "platform/ui/StdCtrls.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class ProGridEditNavigation : public TEditGridTest {
protected:
  ProGridEditNavigation() : TEditGridTest({480, 300, 6, 6, 320}) {}
  void SetUp() override {
    TEditGridTest::SetUp();
    Grid->SetFocus();
  }
  void Advance(bool Forward = true) {
    Grid->AdvanceEdit(Grid->Col(), Grid->Row(), false, false, Forward, false, false);
  }
  void ReadOnly(std::initializer_list<int> Cols) {
    for (int c : Cols)
      Grid->Columns().Items(c)->SetReadOnly(true);
  }
};

TEST_F(ProGridEditNavigation, AdvanceAtTheEndOfTheTable) {
  struct TCase {
    const char* name;
    TAdvanceDirection dir;
    bool insert, loop;
    TGridCoord expect;
    int rows, cols;
    std::vector<std::string> log;
  };
  const TCase cases[] = {
      {"insert appends a row", adLeftRight, true, false, {1, 6}, 7, 6, {"row 6"}},
      {"loop wraps to the first normal row", adLeftRight, false, true, {1, 1}, 6, 6, {}},
      {"neither stays", adLeftRight, false, false, {5, 5}, 6, 6, {}},
      {"top to bottom inserts a column", adTopBottom, true, false, {6, 1}, 6, 7, {"col 6"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    Grid->SetColCount(6);
    Grid->SetRowCount(6);
    Log.clear();
    Grid->Navigation().SetAdvanceOnEnter(true);
    Grid->Navigation().SetAdvanceDirection(c.dir);
    Grid->Navigation().SetAdvanceInsert(c.insert);
    Grid->Navigation().SetAdvanceOnEnterLoop(c.loop);
    Grid->OnAutoAddRow = [this](TObject*, int r) { Log.push_back("row " + std::to_string(r)); };
    Grid->OnAutoInsertCol = [this](TObject*, int col) { Log.push_back("col " + std::to_string(col)); };
    Grid->GotoCell(5, 5);
    Advance();
    EXPECT_EQ(Cell(), c.expect);
    EXPECT_EQ(Grid->RowCount(), c.rows);
    EXPECT_EQ(Grid->ColCount(), c.cols);
    EXPECT_EQ(Log, c.log);
  }
}

TEST_F(ProGridEditNavigation, ReadOnlyCellsArePassedOverOnlyWhenAsked) {
  ReadOnly({2, 3});
  Grid->Navigation().SetAdvanceOnEnter(true);
  Grid->GotoCell(1, 2);
  Advance();
  EXPECT_EQ(Cell(), (TGridCoord{4, 2}));
  Grid->Navigation().SetAdvanceSkipReadOnlyCells(false);
  Grid->GotoCell(1, 2);
  Advance();
  EXPECT_EQ(Cell(), (TGridCoord{2, 2}));
}

TEST_F(ProGridEditNavigation, AnAdvanceOverATableWithoutEditableCellsEnds) {
  ReadOnly({1, 2, 3, 4, 5});
  Grid->Navigation().SetAdvanceOnEnter(true);
  Grid->GotoCell(2, 3);
  Advance();
  EXPECT_GE(Grid->Col(), 1);
}

TEST_F(ProGridEditNavigation, AutoAdvanceMayRefuseOrRedirect) {
  Grid->Navigation().SetAdvanceOnEnter(true);
  Grid->OnAutoAdvance = [](TObject*, int, int, int&, int&, bool& Allow) { Allow = false; };
  Grid->GotoCell(1, 1);
  Advance();
  EXPECT_EQ(Cell(), (TGridCoord{1, 1}));
  Grid->OnAutoAdvance = [](TObject*, int, int, int&, int& NewCol, bool&) { NewCol = 4; };
  Advance();
  EXPECT_EQ(Cell(), (TGridCoord{4, 1}));
  Grid->Navigation().SetAdvanceOnEnter(false);
  Advance();
  EXPECT_EQ(Cell(), (TGridCoord{4, 1})) << "no advance without AdvanceOnEnter";
}

TEST_F(ProGridEditNavigation, EnterInTheEditorAdvancesAndOpensTheNextEditor) {
  Grid->Navigation().SetAdvanceOnEnter(true);
  TProInplaceEdit* e = Open(1, 1);
  ASSERT_TRUE(e);
  e->SetText("x");
  Headless::PressKey(*e, VK_RETURN);
  Application->ProcessMessages();
  EXPECT_EQ(Grid->Cells(1, 1), "x");
  EXPECT_EQ(Cell(), (TGridCoord{2, 1}));
  EXPECT_TRUE(Grid->NormalEdit()->Visible()) << "AdvanceAutoEdit opens the next cell";
}

TEST_F(ProGridEditNavigation, EscapeRestoresTheTextAndStillReachesOnKeyPress) {
  Grid->SetCells(2, 2, "old");
  Grid->OnKeyPress = [this](TObject*, WideChar& Key) { Log.push_back("press " + std::to_string(Key)); };
  TProInplaceEdit* e = Open(2, 2);
  ASSERT_TRUE(e);
  e->SetText("new");
  Headless::PressKey(*e, VK_ESCAPE);
  Application->ProcessMessages();
  EXPECT_EQ(Grid->Cells(2, 2), "old");
  EXPECT_FALSE(Grid->NormalEdit()->Visible());
  Log.clear();
  Headless::PressKey(*Grid, VK_ESCAPE);
  EXPECT_EQ(Log, (std::vector<std::string>{"press 27"}));
}

TEST_F(ProGridEditNavigation, OnKeyPressSeesEnterOnceAndMayStopIt) {
  int enters = 0;
  bool stop = false;
  Grid->OnKeyPress = [&](TObject*, WideChar& Key) {
    if (Key == 13) ++enters;
    if (stop) Key = 0;
  };
  Grid->GotoCell(1, 1);
  Headless::PressKey(*Grid, VK_RETURN);
  Application->ProcessMessages();
  EXPECT_EQ(enters, 1) << "closed cell";
  ASSERT_TRUE(Grid->NormalEdit());
  EXPECT_TRUE(Grid->NormalEdit()->Visible()) << "Enter opened the editor";
  Headless::PressKey(*Grid->NormalEdit(), VK_RETURN);
  Application->ProcessMessages();
  EXPECT_EQ(enters, 2) << "open editor";
  EXPECT_FALSE(Grid->NormalEdit()->Visible());

  stop = true;
  Headless::PressKey(*Grid, VK_RETURN);
  Application->ProcessMessages();
  EXPECT_EQ(enters, 3);
  EXPECT_FALSE(Grid->NormalEdit()->Visible()) << "Key 0 keeps the editor closed";
  stop = false;
  TProInplaceEdit* e = Open(1, 1);
  stop = true;
  Headless::PressKey(*e, VK_RETURN);
  Application->ProcessMessages();
  EXPECT_EQ(enters, 4);
  EXPECT_TRUE(e->Visible()) << "Key 0 keeps the editor open";
}

TEST_F(ProGridEditNavigation, ValidationRefusesKeepsOrRewrites) {
  struct TCase {
    const char* name;
    std::string rewrite; // empty: the handler refuses without touching the text
    std::string cell, editor;
  };
  const TCase cases[] = {
      {"refused unchanged", "", "old", "bad"},
      {"refused and rewritten", "fixed", "fixed", "fixed"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    Grid->SetCells(1, 1, "old");
    Grid->OnCellValidate = [&](TObject*, int, int, std::string& Value, bool& Valid) {
      Valid = false;
      if (!c.rewrite.empty()) Value = c.rewrite;
    };
    TProInplaceEdit* e = Open(1, 1);
    ASSERT_TRUE(e);
    e->SetText("bad");
    Headless::PressKey(*e, VK_DOWN);
    Application->ProcessMessages();
    EXPECT_EQ(Cell(), (TGridCoord{1, 1})) << "the editor stays on the cell";
    EXPECT_EQ(Grid->Cells(1, 1), c.cell);
    EXPECT_TRUE(Grid->NormalEdit()->Visible());
    EXPECT_EQ(Grid->NormalEdit()->Text(), c.editor);
    EXPECT_FALSE(Grid->LastValidation());
    Grid->OnCellValidate = nullptr;
    Grid->HideInplaceEdit();
  }
}

TEST_F(ProGridEditNavigation, AnUnchangedValueIsValidatedOnlyWhenAlwaysAsked) {
  int asked = 0;
  Grid->OnCellValidate = [&](TObject*, int, int, std::string&, bool&) { ++asked; };
  Grid->SetCells(1, 1, "same");
  TProInplaceEdit* e = Open(1, 1);
  Headless::PressKey(*e, VK_DOWN);
  EXPECT_EQ(asked, 0);
  EXPECT_FALSE(Grid->Modified());
  Grid->SetAlwaysValidate(true);
  e = Open(1, 1);
  Headless::PressKey(*e, VK_DOWN);
  EXPECT_EQ(asked, 1);
  EXPECT_FALSE(Grid->Modified()) << "an equal text never marks the grid modified";
  e = Open(1, 1);
  e->SetText("other");
  Headless::PressKey(*e, VK_DOWN);
  EXPECT_TRUE(Grid->Modified());
  EXPECT_TRUE(Grid->RowModified(1));
}

TEST_F(ProGridEditNavigation, TheRefusalBalloonShowsOnlyWithAText) {
  Grid->OnCellValidate = [](TObject*, int, int, std::string&, bool& Valid) { Valid = false; };
  TProInplaceEdit* e = Open(1, 1);
  e->SetText("x");
  Headless::PressKey(*e, VK_DOWN);
  EXPECT_FALSE(e->BalloonTip() && e->BalloonTip()->Showing());
  Grid->SetInvalidEntryTitle("Invalid");
  Grid->SetInvalidEntryText("Not a number");
  e->SetText("y");
  Headless::PressKey(*e, VK_DOWN);
  ASSERT_TRUE(e->BalloonTip());
  EXPECT_TRUE(e->BalloonTip()->Showing());
  EXPECT_EQ(e->BalloonTip()->Title(), "Invalid");
}

TEST_F(ProGridEditNavigation, IncrementalSearchInTheSortColumn) {
  Grid->SetOptions(Grid->Options() & ~goEditing);
  ReadOnly({1}); // an editable cell would switch editing on, and typing would open its editor
  Grid->Navigation().SetAutoGotoWhenSorted(true);
  Grid->Navigation().SetAutoGotoIncremental(true);
  Grid->SortSettings().SetColumn(2);
  const char* texts[] = {"", "apple", "Abacus", "abd", "zebra", "Abz"};
  for (int r = 1; r < 6; ++r)
    Grid->SetCells(2, r, texts[r]);
  Grid->GotoCell(1, 1);
  Headless::TypeText(*Grid, "ab");
  EXPECT_EQ(Grid->Row(), 2) << "upper-cased prefix";
  EXPECT_EQ(Grid->SearchInc(), "ab");
  Headless::TypeText(*Grid, "z");
  EXPECT_EQ(Grid->Row(), 5);
  Headless::PressKey(*Grid, VK_BACK);
  EXPECT_EQ(Grid->SearchInc(), "ab");
  Headless::TypeText(*Grid, "q");
  EXPECT_EQ(Grid->SearchInc(), "") << "a failed search starts afresh";
}

TEST_F(ProGridEditNavigation, ComboListEditEndedWithEnterInOrder) {
  TGridColumnItem& col = *Grid->Columns().Items(1);
  col.SetEditor(edComboList);
  for (const char* s : {"a", "b", "c"})
    col.ComboItems().Add(s);
  Grid->Navigation().SetAdvanceOnEnter(true);
  Grid->SetCells(1, 1, "zz");
  Grid->OnGetEditorType = [this](TObject*, int, int, TEditorType&) { Log.push_back("type"); };
  Grid->OnGetEditorProp = [this](TObject*, int, int, TEditLink*) { Log.push_back("prop"); };
  Grid->OnComboChange = [this](TObject*, int, int, int i, const std::string&) {
    Log.push_back("combo " + std::to_string(i));
  };
  Grid->OnComboObjectChange = [this](TObject*, int, int, int i, const std::string&, TObject*) {
    Log.push_back("object " + std::to_string(i));
  };
  Grid->OnCellValidate = [this](TObject*, int, int, std::string&, bool&) { Log.push_back("validate"); };
  Grid->OnEditingDone = [this](TObject*) { Log.push_back("done"); };
  Grid->OnAutoAdvance = [this](TObject*, int, int, int&, int&, bool&) { Log.push_back("advance"); };
  Grid->OnCellChanging = [this](TObject*, int, int, int, int, bool&) { Log.push_back("changing"); };
  Grid->OnEditCellDone = [this](TObject*, int, int) { Log.push_back("celldone"); };
  Grid->GotoCell(1, 1);
  Log.clear();
  Grid->ShowInplaceEdit();
  TGridCombo* combo = Grid->EditCombo();
  ASSERT_TRUE(combo->Visible());
  Headless::PressKey(*combo, VK_DOWN);
  Headless::PressKey(*combo, VK_RETURN);
  Application->ProcessMessages();
  EXPECT_EQ(Grid->Cells(1, 1), "b");
  EXPECT_EQ(Log, (std::vector<std::string>{"type", "prop", "combo 0", "object 0", "combo 1", "object 1",
                                           "validate", "done", "advance", "changing", "type", "celldone"}))
      << "the next cell's editor opens before the posted end arrives";
  EXPECT_EQ(Cell(), (TGridCoord{2, 1}));
}

TEST_F(ProGridEditNavigation, RightAtTheTextsEndWalksIntoTheNextCell) {
  Grid->Navigation().SetCursorWalkEditor(true);
  Grid->SetCells(1, 1, "ab");
  TProInplaceEdit* e = Open(1, 1);
  ASSERT_TRUE(e);
  e->SetSelStart(2);
  e->SetSelLength(0);
  Headless::PressKey(*e, VK_RIGHT);
  Application->ProcessMessages();
  EXPECT_EQ(Cell(), (TGridCoord{2, 1}));
  EXPECT_TRUE(Grid->NormalEdit()->Visible()) << "CursorWalkAlwaysEdit opens the editor there";
  Grid->Navigation().SetCursorWalkAlwaysEdit(false);
  e = Grid->NormalEdit();
  e->SetSelStart(0);
  Headless::PressKey(*e, VK_LEFT);
  Application->ProcessMessages();
  EXPECT_EQ(Cell(), (TGridCoord{1, 1}));
  EXPECT_FALSE(Grid->NormalEdit()->Visible());
}

TEST_F(ProGridEditNavigation, AFullEditMovesOnWithAdvanceAuto) {
  Grid->Navigation().SetAdvanceAuto(true);
  Grid->SetMaxEditLength(3);
  TProInplaceEdit* e = Open(1, 1);
  ASSERT_TRUE(e);
  e->SetText("");
  Headless::TypeText(*e, "abc");
  Application->ProcessMessages();
  EXPECT_EQ(Grid->Cells(1, 1), "abc");
  EXPECT_EQ(Cell(), (TGridCoord{2, 1}));
}

} // namespace
