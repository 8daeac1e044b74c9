#include "grid/GridCheckBox.h"
#include "grid/GridCombo.h"
#include "grid/ProCGrid.h"
#include "grid/ProInplaceEdit.h"

#include "EditGridFixture.h"
#include "platform/ui/Headless.h"
#include "platform/ui/StdCtrls.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class ProGridEditingTest : public TEditGridTest {
protected:
  ProGridEditingTest() : TEditGridTest(SmallEditGrid) {}
  void SetUp() override {
    TEditGridTest::SetUp();
    TGridColumnItem& c = *Grid->Columns().Items(1);
    c.SetEditor(edComboList);
    for (const char* s : {"a", "b", "c"})
      c.ComboItems().Add(s);
    Grid->OnComboChange = [this](TObject*, int col, int row, int i, const std::string& s) {
      Log.push_back("combo " + std::to_string(col) + "," + std::to_string(row) + " " + std::to_string(i) +
                    " " + s);
    };
    Grid->OnGetEditorType = [this](TObject*, int, int, TEditorType&) { Log.push_back("type"); };
    Grid->OnEditingDone = [this](TObject*) { Log.push_back("done"); };
    Grid->OnEditCellDone = [this](TObject*, int, int) { Log.push_back("celldone"); };
  }
  void Open(int ACol, int ARow) { ShowEditorAt(ACol, ARow); }
};

TEST_F(ProGridEditingTest, ComboListCellNotInTheListReportsWhatIsSelectedAndKeepsItsText) {
  Grid->SetCells(1, 2, "zz");
  Open(1, 2);
  TGridCombo* combo = Grid->EditCombo();
  ASSERT_TRUE(combo->Visible());
  EXPECT_EQ(combo->ItemIndex(), 0);
  EXPECT_EQ(Log, (std::vector<std::string>{"type", "combo 1,2 0 a"}));
  Leave();
  EXPECT_EQ(Grid->Cells(1, 2), "zz") << "an untouched combo writes nothing";
  EXPECT_FALSE(combo->Visible());
  EXPECT_FALSE(Grid->EditMode());
  EXPECT_EQ(std::count(Log.begin(), Log.end(), "done"), 1);
  EXPECT_EQ(std::count(Log.begin(), Log.end(), "celldone"), 1);
}

TEST_F(ProGridEditingTest, PreferredIndexAndEmptyListFireNothing) {
  Grid->SetCells(1, 1, "zz");
  Grid->SetComboSelection(2);
  Open(1, 1);
  EXPECT_EQ(Grid->EditCombo()->ItemIndex(), 2);
  EXPECT_EQ(Log, (std::vector<std::string>{"type"}));
  Leave();
  Grid->SetComboSelection(-1);
  Grid->Columns().Items(1)->ComboItems().Clear();
  Open(1, 2);
  EXPECT_EQ(Log, (std::vector<std::string>{"type"}));
}

TEST_F(ProGridEditingTest, EnterStoresThePickAndEscKeepsTheCell) {
  Grid->SetCells(1, 1, "a");
  Open(1, 1);
  TGridCombo* combo = Grid->EditCombo();
  ASSERT_EQ(combo->ItemIndex(), 0);
  Headless::PressKey(*combo, VK_DOWN);
  EXPECT_EQ(combo->ItemIndex(), 1);
  EXPECT_TRUE(combo->Visible()) << "Down only moves the selection";
  Headless::PressKey(*combo, VK_RETURN);
  Application->ProcessMessages();
  EXPECT_EQ(Grid->Cells(1, 1), "b");
  EXPECT_FALSE(combo->Visible());

  Grid->SetCells(1, 2, "c");
  Open(1, 2);
  Headless::PressKey(*combo, VK_UP);
  EXPECT_EQ(combo->ItemIndex(), 1);
  Headless::PressKey(*combo, VK_ESCAPE);
  Application->ProcessMessages();
  EXPECT_EQ(Grid->Cells(1, 2), "c");
}

TEST_F(ProGridEditingTest, ASecondCommitWritesAndAnnouncesNothing) {
  Grid->SetCells(1, 1, "a");
  Open(1, 1);
  Grid->SetComboTouched(true);
  Grid->EditCombo()->SetItemIndex(2);
  Grid->HideCellEdit();
  Grid->SetCells(1, 1, "x");
  Grid->HideCellEdit();
  Application->ProcessMessages();
  EXPECT_EQ(Grid->Cells(1, 1), "x");
  EXPECT_EQ(std::count(Log.begin(), Log.end(), "done"), 1);
}

TEST_F(ProGridEditingTest, KindsWithoutAnEditor) {
  struct {
    TEditorType Kind;
    bool InplaceShows;
  } cases[] = {{edNone, false}, {edDataCheckBox, false}, {edNormal, true}, {edNumeric, true}};
  for (const auto& c : cases) {
    Grid->Columns().Items(2)->SetEditor(c.Kind);
    Open(2, 1);
    const bool shows = Grid->NormalEdit() && Grid->NormalEdit()->Visible();
    EXPECT_EQ(shows, c.InplaceShows) << EnumName(c.Kind);
    EXPECT_EQ(Grid->EditMode(), c.InplaceShows) << EnumName(c.Kind);
    Grid->HideInplaceEdit();
  }
}

TEST_F(ProGridEditingTest, CheckBoxAndCustomKindsWriteNothing) {
  Grid->SetCells(2, 1, "text");
  Grid->Columns().Items(2)->SetEditor(edCheckBox);
  Open(2, 1);
  TGridCheckBox* check = Grid->EditCheck();
  ASSERT_TRUE(check->Visible());
  EXPECT_EQ(check->Caption(), "text");
  check->Toggle();
  Leave();
  EXPECT_EQ(Grid->Cells(2, 1), "text");
  EXPECT_FALSE(check->Visible());

  Grid->Columns().Items(2)->SetEditor(edCustom);
  Open(2, 1);
  EXPECT_TRUE(Grid->EditMode()) << "no edit link: nothing shows, the edit stays open";
  Log.clear();
  Grid->HideInplaceEdit();
  Application->ProcessMessages();
  EXPECT_EQ(Grid->Cells(2, 1), "text");
  EXPECT_EQ(std::count(Log.begin(), Log.end(), "done"), 1) << "the end is still announced";
}

TEST_F(ProGridEditingTest, ComboListOperations) {
  Grid->ClearComboString();
  Grid->AddComboString("one");
  Grid->AddComboString("two");
  EXPECT_FALSE(Grid->RemoveComboString("three"));
  EXPECT_FALSE(Grid->SetComboSelectionString("three"));
  EXPECT_EQ(Grid->GetComboCount(), 2);
  Grid->OnGetEditorProp = nullptr;
  Grid->SetCells(3, 1, "zz");
  EXPECT_EQ(Grid->ComboIndex(3, 1), -1);
  Grid->SetComboIndex(3, 1, 1);
  EXPECT_EQ(Grid->Cells(3, 1), "two");
  EXPECT_EQ(Grid->ComboIndex(3, 1), 1);
}

} // namespace

namespace {

TEST_F(ProGridEditingTest, ComboEnterValidatesAndARefusalKeepsTheEditorOpen) {
  Grid->SetCells(1, 1, "a");
  Grid->OnCellValidate = [](TObject*, int, int, std::string& v, bool& valid) { valid = v != "c"; };
  Open(1, 1);
  TGridCombo* combo = Grid->EditCombo();
  combo->SetItemIndex(2);
  Headless::PressKey(*combo, VK_RETURN);
  Application->ProcessMessages();
  EXPECT_TRUE(combo->Visible()) << "refused: the editor stays";
  EXPECT_EQ(Grid->Cells(1, 1), "a");
  combo->SetItemIndex(1);
  Headless::PressKey(*combo, VK_RETURN);
  Application->ProcessMessages();
  EXPECT_FALSE(combo->Visible());
  EXPECT_EQ(Grid->Cells(1, 1), "b");
}

TEST_F(ProGridEditingTest, AValidationHandlerThatRaisesLeavesValidationOff) {
  Grid->SetCells(1, 1, "a");
  Grid->OnCellValidate = [](TObject*, int, int, std::string&, bool&) { throw std::runtime_error("bad"); };
  Open(1, 1);
  EXPECT_THROW(Grid->ValidateCell("b"), std::runtime_error);
  EXPECT_FALSE(Grid->Validating());
  Grid->HideInplaceEdit();
  Grid->OnCellValidate = nullptr;
  Open(1, 2);
  EXPECT_TRUE(Grid->EditCombo()->Visible()) << "editors open again";
}

} // namespace

namespace {

TEST_F(ProGridEditingTest, DirectComboCloseCommitsAPickAndKeepsTheTextWithoutOne) {
  Grid->MouseActions().SetDirectComboClose(true);
  Grid->Columns().Items(2)->SetEditor(edComboEdit);
  Grid->Columns().Items(2)->ComboItems().Add("x");
  Grid->SetCells(2, 1, "typed");
  Open(2, 1);
  TGridCombo* combo = Grid->EditCombo();
  ASSERT_TRUE(combo->Visible());
  EXPECT_EQ(combo->ItemIndex(), -1);
  combo->SetDroppedDown(true);
  combo->SetDroppedDown(false);
  Application->ProcessMessages();
  EXPECT_TRUE(combo->Visible()) << "nothing picked: the edit goes on";
  EXPECT_EQ(combo->Text(), "typed");
  EXPECT_EQ(
      std::count_if(Log.begin(), Log.end(), [](const std::string& s) { return s.starts_with("combo"); }), 0);

  Grid->SetCells(1, 1, "a");
  Open(1, 1);
  combo->SetDroppedDown(true);
  combo->SetItemIndex(2);
  combo->SetDroppedDown(false);
  Application->ProcessMessages();
  EXPECT_FALSE(combo->Visible());
  EXPECT_EQ(Grid->Cells(1, 1), "c");
}

} // namespace

namespace {

TEST_F(ProGridEditingTest, WheelStopsAtTheListEndsAndStillReports) {
  Grid->SetCells(1, 1, "b");
  Open(1, 1);
  TGridCombo* combo = Grid->EditCombo();
  Log.clear();
  for (int i = 0; i < 3; ++i)
    Headless::MouseWheel(*combo, {5, 5}, -120);
  EXPECT_EQ(combo->ItemIndex(), 2);
  EXPECT_EQ(Log, (std::vector<std::string>{"combo 1,1 2 c", "combo 1,1 2 c", "combo 1,1 2 c"}));
  Headless::MouseWheel(*combo, {5, 5}, 120);
  EXPECT_EQ(combo->ItemIndex(), 1);
}

} // namespace
