#include "ProGridFixture.h"

#include "platform/Locale.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Messages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A panel that notes the key messages it receives.
class TKeyPanel : public TPanel {
public:
  using TPanel::TPanel;
  std::vector<unsigned> Keys;
  void WndProc(TMessage& Message) override {
    if (Message.Msg == WM_KEYDOWN) Keys.push_back(static_cast<unsigned>(Message.WParam));
    TPanel::WndProc(Message);
  }
};

class ProGridKeys : public TProGridTest<> {
protected:
  void SetUp() override {
    TProGridTest::SetUp();
    Grid->SetBounds(0, 0, 480, 380);
    Grid->SetColCount(6);
    Grid->SetRowCount(10);
    Grid->OnKeyDown = [this](TObject*, std::uint16_t& Key, TShiftState) {
      Log.push_back("down " + std::to_string(Key));
    };
    Grid->OnKeyPress = [this](TObject*, WideChar& Key) { Log.push_back("press " + std::to_string(Key)); };
    Grid->OnCheckBoxChange = [this](TObject*, int c, int r, bool s) {
      Log.push_back(Event("change", c, r, s));
    };
    Grid->OnCheckBoxClick = [this](TObject*, int c, int r, bool s) {
      Log.push_back(Event("click", c, r, s));
    };
    Grid->SetFocus();
  }
  static std::string Event(const char* what, int c, int r, int v) {
    return std::string(what) + " " + std::to_string(c) + " " + std::to_string(r) + " " + std::to_string(v);
  }
  void Press(std::uint16_t key, TShiftState shift = 0) { Headless::PressKey(*Grid, key, shift); }
  void Editing() { Grid->SetOptions(Grid->Options() | goEditing); }
  TGridCoord Cell() const { return {Grid->Col(), Grid->Row()}; }
  std::vector<std::string> Log;
};

TEST_F(ProGridKeys, EnterWithoutEditingIsSwallowedButItsCharacterArrives) {
  Grid->FocusCell(2, 3);
  Press(VK_RETURN);
  EXPECT_EQ(Log, (std::vector<std::string>{"down 13", "press 13"}));
  EXPECT_EQ(Cell(), (TGridCoord{2, 3}));
}

TEST_F(ProGridKeys, HomeAndEnd) {
  struct TCase {
    const char* name;
    THomeEndAction mode;
    std::uint16_t key;
    TShiftState shift;
    int footers;
    TGridCoord to;
    TGridRect selection;
  };
  const TCase cases[] = {
      {"Home", heFirstLastColumn, VK_HOME, 0, 0, {1, 4}, {1, 4, 1, 4}},
      {"End", heFirstLastColumn, VK_END, 0, 0, {5, 4}, {5, 4, 5, 4}},
      {"Shift+Home selects back to the first column",
       heFirstLastColumn,
       VK_HOME,
       ssShift,
       0,
       {1, 4},
       {1, 4, 3, 4}},
      {"Shift+End selects to the last column", heFirstLastColumn, VK_END, ssShift, 0, {5, 4}, {3, 4, 5, 4}},
      {"Ctrl+Home", heFirstLastColumn, VK_HOME, ssCtrl, 0, {1, 1}, {1, 1, 1, 1}},
      {"Ctrl+End is the runtime grid's", heFirstLastColumn, VK_END, ssCtrl, 0, {5, 9}, {5, 9, 5, 9}},
      {"Home, first cell", heFirstLastCell, VK_HOME, 0, 0, {1, 1}, {1, 1, 1, 1}},
      {"End, last cell", heFirstLastCell, VK_END, 0, 0, {5, 9}, {5, 9, 5, 9}},
      {"Home, first row", heFirstLastRow, VK_HOME, 0, 0, {3, 1}, {3, 1, 3, 1}},
      {"End, last row", heFirstLastRow, VK_END, 0, 0, {3, 9}, {3, 9, 3, 9}},
      {"End, last row above the footer", heFirstLastRow, VK_END, 0, 1, {3, 8}, {3, 8, 3, 8}},
      {"Shift+End, rows", heFirstLastRow, VK_END, ssShift, 0, {5, 9}, {0, 4, 5, 9}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    Log.clear();
    Grid->Navigation().SetHomeEndKey(c.mode);
    Grid->SetFixedFooters(c.footers);
    Grid->MoveCurrentCell(3, 4);
    Press(c.key, c.shift);
    EXPECT_EQ(Cell(), c.to);
    EXPECT_EQ(Grid->Selection(), c.selection);
    EXPECT_EQ(Log.front(), "down " + std::to_string(c.key)) << "OnKeyDown fires once";
    EXPECT_EQ(std::count(Log.begin(), Log.end(), Log.front()), 1);
  }
}

TEST_F(ProGridKeys, SpaceTogglesADataCheckBoxWhereItMayBeEdited) {
  Editing();
  for (int r = 1; r <= 3; ++r) {
    Grid->SetCells(2, r, "N");
    Grid->AddCheckBox(2, r, false, true);
  }
  Grid->CellProperties(2, 2)->SetReadOnly(true);
  Grid->CellProperties(2, 3)->SetReadOnly(true);
  Grid->ControlLook().SetCheckAlwaysActive(false);

  Grid->MoveCurrentCell(2, 1);
  Press(VK_SPACE);
  EXPECT_EQ(Grid->Cells(2, 1), "Y");
  EXPECT_EQ(Log, (std::vector<std::string>{"change 2 1 1", "click 2 1 1", "down 32", "press 32"}))
      << "toggled before the runtime grid sees the key";
  EXPECT_FALSE(Grid->EditorMode()) << "a check box cell opens no editor";

  Log.clear();
  Grid->MoveCurrentCell(2, 2);
  Press(VK_SPACE);
  EXPECT_EQ(Grid->Cells(2, 2), "N") << "read-only";
  EXPECT_EQ(std::count(Log.begin(), Log.end(), "click 2 2 1"), 0);

  Grid->ControlLook().SetCheckAlwaysActive(true);
  Log.clear();
  Grid->MoveCurrentCell(2, 3);
  Press(VK_SPACE);
  EXPECT_EQ(Grid->Cells(2, 3), "Y") << "checks always active";
  EXPECT_EQ(std::count(Log.begin(), Log.end(), "click 2 3 1"), 1);
}

TEST_F(ProGridKeys, TabWalk) {
  Grid->SetOptions(Grid->Options() | goTabs);
  Grid->Navigation().SetAdvanceAutoEdit(false);
  Grid->MoveCurrentCell(5, 9);
  Press(VK_TAB);
  EXPECT_EQ(Cell(), (TGridCoord{1, 1})) << "the last cell wraps to the first";
  Press(VK_TAB, ssShift);
  EXPECT_EQ(Cell(), (TGridCoord{5, 9})) << "and back";

  // An OnKeyDown that changes Tab stops the move.
  Grid->OnKeyDown = [](TObject*, std::uint16_t& Key, TShiftState) {
    if (Key == VK_TAB) Key = 0;
  };
  Grid->MoveCurrentCell(2, 2);
  EXPECT_TRUE(Grid->TabNavigate(false));
  EXPECT_EQ(Cell(), (TGridCoord{2, 2}));
  Grid->OnKeyDown = nullptr;

  // Read-only cells are skipped while editing.
  Editing();
  Grid->CellProperties(2, 2)->SetReadOnly(true);
  Grid->CellProperties(3, 2)->SetReadOnly(true);
  Grid->MoveCurrentCell(1, 2);
  Grid->TabNavigate(false);
  EXPECT_EQ(Cell(), (TGridCoord{4, 2}));
}

TEST_F(ProGridKeys, TabAtTheEndHandsOnOrAppends) {
  auto* panel = new TKeyPanel(Form);
  panel->SetParent(Form);
  panel->SetBounds(0, 0, 480, 380);
  Grid->SetParent(panel);
  Grid->SetOptions(Grid->Options() | goTabs);
  Grid->Navigation().SetAdvanceAutoEdit(false);

  Grid->Navigation().SetTabToNextAtEnd(true);
  Grid->MoveCurrentCell(5, 9);
  EXPECT_FALSE(Grid->TabNavigate(false));
  Application->ProcessMessages();
  EXPECT_EQ(panel->Keys, (std::vector<unsigned>{VK_TAB})) << "the parent gets a Tab key";

  Grid->Navigation().SetTabToNextAtEnd(false);
  Grid->Navigation().SetAdvanceInsert(true);
  std::vector<int> added;
  Grid->OnAutoAddRow = [&](TObject*, int r) { added.push_back(r); };
  Grid->MoveCurrentCell(5, 9);
  EXPECT_TRUE(Grid->TabNavigate(false));
  EXPECT_EQ(Grid->RowCount(), 11);
  EXPECT_EQ(added, std::vector<int>{10});
  EXPECT_EQ(Cell(), (TGridCoord{1, 10}));
}

TEST_F(ProGridKeys, TabOverAGridWithoutEditableCellsReturnsAndStays) {
  Grid->SetColCount(20);
  Grid->SetRowCount(100000);
  Grid->SetOptions(Grid->Options() | goEditing | goTabs);
  Grid->OnCanEditCell = [](TObject*, int, int, bool& CanEdit) { CanEdit = false; };
  Grid->MoveCurrentCell(3, 50);
  Grid->SetOptions(Grid->Options() | goEditing); // selecting may have switched it off
  EXPECT_TRUE(Grid->TabNavigate(false));
  EXPECT_EQ(Cell(), (TGridCoord{3, 50}));
  EXPECT_TRUE(Grid->TabNavigate(true));
  EXPECT_EQ(Cell(), (TGridCoord{3, 50}));
}

TEST_F(ProGridKeys, CtrlASelectsExactlyTheNormalCells) {
  Grid->SetFixedFooters(1);
  Grid->MoveCurrentCell(2, 2);
  Press('A', ssCtrl);
  EXPECT_EQ(Grid->Selection(), (TGridRect{1, 1, 5, 8}));
}

TEST_F(ProGridKeys, SnakeWrapsToTheNextAndPreviousRow) {
  Grid->Navigation().SetCursorAdvance(caSnake);
  Grid->MoveCurrentCell(5, 3);
  Press(VK_RIGHT);
  EXPECT_EQ(Cell(), (TGridCoord{1, 4}));
  Press(VK_LEFT);
  EXPECT_EQ(Cell(), (TGridCoord{5, 3}));
  Grid->Navigation().SetCursorAdvance(caLoop);
  Grid->MoveCurrentCell(5, 3);
  Press(VK_RIGHT);
  EXPECT_EQ(Cell(), (TGridCoord{1, 3})) << "a loop wraps in the row";
}

TEST_F(ProGridKeys, TypingOpensTheEditorWithTheCharacter) {
  Editing();
  Grid->MoveCurrentCell(2, 2);
  Press('A');
  EXPECT_EQ(Log, (std::vector<std::string>{"down 65", "press 97"}));
  ASSERT_NE(Grid->InplaceEditor(), nullptr);
  EXPECT_TRUE(Grid->InplaceEditor()->Visible());
  EXPECT_EQ(Grid->InplaceEditor()->Text(), "a");
  EXPECT_EQ(Grid->StartEditChar(), u'a');
}

TEST_F(ProGridKeys, KeypadDecimalTypesTheLocaleSeparator) {
  TFormatSettings comma;
  comma.DecimalSeparator = ',';
  SetFormatSettings(comma);
  Editing();
  Grid->SetExcelStyleDecimalSeparator(true);
  Grid->MoveCurrentCell(2, 2);
  Press(VK_DECIMAL);
  ResetFormatSettings();
  ASSERT_NE(Grid->InplaceEditor(), nullptr);
  EXPECT_EQ(Grid->InplaceEditor()->Text(), ",");

  Grid->HideEditor();
  Grid->SetExcelStyleDecimalSeparator(false);
  SetFormatSettings(comma);
  Grid->MoveCurrentCell(3, 2);
  Press(VK_DECIMAL);
  ResetFormatSettings();
  EXPECT_EQ(Grid->InplaceEditor()->Text(), ".") << "without the setting the key types its own";
}

} // namespace
