// The spin, ellipsis, unit and button editors driven in their cells.
#include "grid/GridButton.h"
#include "grid/GridCheckBox.h"
#include "grid/GridEditBtn.h"
#include "grid/GridSpin.h"

#include "EditorKindsFixture.h"
#include "platform/ui/Clipboard.h"

#include <gtest/gtest.h>

namespace {

using SpinEditorTest = EditorKindsTest;

TEST_F(SpinEditorTest, ValueKeysStayWithinTheBoundsAndAlwaysReport) {
  struct {
    const char* Start;
    std::uint16_t Key;
    int Expected;
    bool UpDown;
  } cases[] = {
      {"95", VK_PRIOR, 95, true},   {"90", VK_PRIOR, 100, true}, {"5", VK_NEXT, 5, false},
      {"40", VK_NEXT, 30, false},   {"95", VK_HOME, 100, true},  {"95", VK_END, 0, false},
      {"100", VK_PRIOR, 100, true},
  };
  for (const auto& c : cases) {
    std::vector<std::pair<int, bool>> clicks;
    Grid->OnSpinClick = [&](TObject*, int, int, int v, bool up) { clicks.push_back({v, up}); };
    Grid->SetCells(SpinCol, 1, c.Start);
    Open(SpinCol, 1);
    TGridSpin* spin = Grid->SpinEdit();
    ASSERT_TRUE(spin->Visible()) << c.Start;
    Press(*spin, c.Key);
    EXPECT_TRUE(spin->Visible()) << "value keys do not leave the cell";
    EXPECT_EQ(spin->Value(), c.Expected) << c.Start << " key " << c.Key;
    ASSERT_EQ(clicks.size(), 1u) << "reported whether or not the value moved";
    EXPECT_EQ(clicks[0], std::make_pair(c.Expected, c.UpDown));
    Press(*spin, VK_RETURN);
    EXPECT_EQ(Grid->Cells(SpinCol, 1), std::to_string(c.Expected));
  }
}

TEST_F(SpinEditorTest, LoadAndWriteBack) {
  // "12abc" opens as its number; Esc keeps the text as it was (mended: it wrote the number).
  Grid->SetCells(SpinCol, 1, "12abc");
  Open(SpinCol, 1);
  EXPECT_EQ(Grid->SpinEdit()->Value(), 12);
  Leave();
  EXPECT_EQ(Grid->Cells(SpinCol, 1), "12");

  Grid->SetCells(SpinCol, 2, "12 kg");
  Open(SpinCol, 2);
  TGridSpin* spin = Grid->SpinEdit();
  Press(*spin, VK_PRIOR);
  Press(*spin, VK_ESCAPE);
  EXPECT_FALSE(spin->Visible());
  EXPECT_EQ(Grid->Cells(SpinCol, 2), "12 kg");
  EXPECT_EQ(std::count(Log.begin(), Log.end(), "done"), 1);

  // An empty cell stays empty with AllowEmptyValue, else gets the spin's value.
  for (bool allow : {true, false}) {
    spin->SetAllowEmptyValue(allow);
    Grid->SetCells(SpinCol, 3, "");
    Open(SpinCol, 3);
    Leave();
    EXPECT_EQ(Grid->Cells(SpinCol, 3), allow ? "" : "0");
  }
  spin->SetAllowEmptyValue(false);
}

TEST_F(SpinEditorTest, UpAndDownLeaveTheCellAndEnterValidates) {
  Grid->SetCells(SpinCol, 2, "20");
  Grid->OnCellValidate = [](TObject*, int, int, std::string& v, bool& valid) { valid = v != "30"; };
  Open(SpinCol, 2);
  TGridSpin* spin = Grid->SpinEdit();
  Press(*spin, VK_PRIOR);
  Press(*spin, VK_RETURN);
  EXPECT_TRUE(spin->Visible()) << "refused: the editor stays";
  EXPECT_EQ(Grid->Cells(SpinCol, 2), "20");
  EXPECT_EQ(spin->Text(), "20") << "the refused value gives way to the cell's";
  Press(*spin, VK_PRIOR);
  Press(*spin, VK_PRIOR);
  Press(*spin, VK_DOWN);
  EXPECT_FALSE(spin->Visible());
  EXPECT_EQ(Grid->Cells(SpinCol, 2), "40");
  EXPECT_EQ(Grid->Row(), 3);
}

TEST_F(SpinEditorTest, FloatSpinStoresItsNumber) {
  Grid->SetCells(FloatSpinCol, 1, "2.5");
  Open(FloatSpinCol, 1);
  TGridSpin* spin = Grid->SpinEdit();
  EXPECT_EQ(spin->SpinType(), sptFloat);
  EXPECT_DOUBLE_EQ(spin->FloatValue(), 2.5);
  Press(*spin, VK_ESCAPE);
  EXPECT_EQ(Grid->Cells(FloatSpinCol, 1), "2.5");
}

using EditButtonTest = EditorKindsTest;

TEST_F(EditButtonTest, EllipsisShowsTheAnswerSelectedAndMayStoreIt) {
  Grid->OnEllipsClick = [](TObject*, int, int, std::string& s) { s = "<" + s + ">"; };
  for (bool stop : {false, true}) {
    Grid->SetCells(EllipsCol, 1, "abc");
    Open(EllipsCol, 1);
    TGridEditBtn* edit = Grid->EditBtn();
    ASSERT_TRUE(edit->Visible());
    edit->SetStopEditAfterClick(stop);
    edit->ButtonClick(edit->Button());
    Application->ProcessMessages();
    EXPECT_EQ(edit->Text(), "<abc>");
    if (!stop) {
      EXPECT_EQ(edit->SelLength(), 5);
    }
    EXPECT_EQ(edit->Visible(), !stop);
    if (stop)
      EXPECT_EQ(Grid->Cells(EllipsCol, 1), "<abc>");
    else
      Press(*edit, VK_ESCAPE);
    EXPECT_EQ(Grid->Cells(EllipsCol, 1), stop ? "<abc>" : "abc");
  }
}

TEST_F(EditButtonTest, TypedTextIsStoredAndEscKeepsTheCell) {
  Grid->SetCells(EllipsCol, 2, "old");
  Open(EllipsCol, 2);
  TGridEditBtn* edit = Grid->EditBtn();
  edit->SelectAll();
  Headless::TypeText(*edit, "new");
  Press(*edit, VK_ESCAPE);
  EXPECT_EQ(Grid->Cells(EllipsCol, 2), "old");
  Open(EllipsCol, 2);
  edit->SelectAll();
  Headless::TypeText(*edit, "new");
  Press(*edit, VK_RETURN);
  EXPECT_FALSE(edit->Visible());
  EXPECT_EQ(Grid->Cells(EllipsCol, 2), "new");
}

TEST_F(EditButtonTest, PasteAsksTheGridDropsOneClosingBreakAndEscUndoesIt) {
  struct {
    const char* Clip;
    bool Allow;
    const char* Text;
  } cases[] = {{"xyz\r\n", true, "axyzc"}, {"x\r\ny\r\n", true, "ax\r\ny\r\nc"}, {"xyz", false, "abc"}};
  for (const auto& c : cases) {
    Clipboard()->SetAsText(c.Clip);
    std::vector<std::string> asked;
    Grid->OnClipboardPaste = [&](TObject*, const std::string& v, bool& allow) {
      asked.push_back(v);
      allow = allow && c.Allow;
    };
    Grid->OnClipboardBeforePasteCell = [&](TObject*, int col, int row, std::string&, bool&) {
      asked.push_back(std::to_string(col) + "," + std::to_string(row));
    };
    Grid->SetCells(EllipsCol, 3, "abc");
    Open(EllipsCol, 3);
    TGridEditBtn* edit = Grid->EditBtn();
    edit->SetSelStart(1);
    edit->SetSelLength(1);
    edit->PasteFromClipboard();
    EXPECT_EQ(edit->Text(), c.Text) << c.Clip;
    EXPECT_EQ(asked.size(), c.Allow ? 2u : 1u);
    if (c.Allow) {
      EXPECT_EQ(asked[1], std::to_string(EllipsCol) + ",3");
      EXPECT_EQ(Grid->Cells(EllipsCol, 3), c.Text) << "the pasted text reaches the cell";
    }
    Press(*edit, VK_ESCAPE);
    EXPECT_EQ(Grid->Cells(EllipsCol, 3), "abc") << "Esc undoes the paste too";
  }
  Grid->OnClipboardPaste = nullptr;
  Grid->OnClipboardBeforePasteCell = nullptr;
}

TEST_F(EditButtonTest, TypingCompletesFromTheLookupItemsUntilBackspace) {
  Grid->SetLookup(true);
  Grid->LookupItems().Assign(std::vector<std::string>{"Apple", "Apricot"});
  Grid->SetCells(EllipsCol, 4, "");
  Open(EllipsCol, 4);
  TGridEditBtn* edit = Grid->EditBtn();
  edit->SetText("");
  Headless::TypeText(*edit, "apr");
  EXPECT_EQ(edit->Text(), "apricot");
  EXPECT_EQ(edit->SelStart(), 3);
  EXPECT_EQ(edit->SelLength(), 4) << "the completed part is selected";
  Headless::PressKey(*edit, VK_BACK);
  EXPECT_EQ(edit->Text(), "apr") << "no completion after Backspace";
  Press(*edit, VK_RETURN);
  EXPECT_EQ(Grid->Cells(EllipsCol, 4), "apr");
  Grid->SetLookup(false);
}

TEST_F(EditButtonTest, DoubleClickReportsTheCellAndArrowsWalkOutAtTheEnds) {
  std::vector<std::pair<int, int>> dbl;
  Grid->OnDblClickCell = [&](TObject*, int row, int col) { dbl.push_back({col, row}); };
  Grid->SetCells(EllipsCol, 1, "ab");
  Open(EllipsCol, 1);
  TGridEditBtn* edit = Grid->EditBtn();
  Headless::DoubleClick(*edit, {3, 3});
  EXPECT_EQ(dbl, (std::vector<std::pair<int, int>>{{EllipsCol, 1}}));

  Grid->Navigation().SetCursorWalkEditor(true);
  edit->SetSelStart(1);
  edit->SetSelLength(0);
  Press(*edit, VK_RIGHT);
  EXPECT_TRUE(edit->Visible()) << "inside the text Right moves the caret";
  edit->SetText("abz");
  edit->SetSelStart(3);
  Press(*edit, VK_RIGHT);
  EXPECT_FALSE(edit->Visible());
  EXPECT_EQ(Grid->Col(), EllipsCol + 1);
  EXPECT_EQ(Grid->Cells(EllipsCol, 1), "abz") << "leaving committed the text";

  Grid->Navigation().SetCursorWalkAlwaysEdit(true);
  Grid->GotoCell(EllipsCol, 2);
  Open(EllipsCol, 2);
  edit->SetSelStart(0);
  edit->SetSelLength(0);
  Press(*edit, VK_LEFT);
  EXPECT_EQ(Grid->Col(), EllipsCol - 1) << "Left at the start walks back";
  EXPECT_TRUE(Grid->SpinEdit()->Visible()) << "and opens the editor there";
  Leave();
  Grid->Navigation().SetCursorWalkEditor(false);
  Grid->Navigation().SetCursorWalkAlwaysEdit(false);
}

TEST_F(EditButtonTest, UnitCellSplitsAndEscKeepsTheUnit) {
  Grid->UnitEditBtn()->SetUnits({"kg", "g"});
  Grid->SetCells(UnitCol, 1, "5 kg");
  Open(UnitCol, 1);
  TGridUnitEditBtn* edit = Grid->UnitEditBtn();
  ASSERT_TRUE(edit->Visible());
  EXPECT_EQ(edit->Text(), "5 ");
  EXPECT_EQ(edit->UnitID(), "kg");
  edit->SetText("7 ");
  Press(*edit, VK_ESCAPE);
  EXPECT_FALSE(edit->Visible());
  EXPECT_EQ(Grid->Cells(UnitCol, 1), "5 kg");

  Open(UnitCol, 1);
  edit->SetText("7 ");
  Press(*edit, VK_RETURN);
  EXPECT_EQ(Grid->Cells(UnitCol, 1), "7 kg");
}

TEST_F(EditButtonTest, ButtonAndCheckBoxCellsWriteNothingAndArrowsMove) {
  std::vector<std::pair<int, int>> clicks;
  Grid->OnButtonClick = [&](TObject*, int c, int r) { clicks.push_back({c, r}); };
  Grid->SetCells(ButtonCol, 2, "Press");
  Open(ButtonCol, 2);
  TGridButton* button = Grid->GridButton();
  ASSERT_TRUE(button->Visible());
  EXPECT_EQ(button->Caption(), "Press");
  Headless::Click(*button);
  Application->ProcessMessages();
  EXPECT_EQ(clicks, (std::vector<std::pair<int, int>>{{ButtonCol, 2}}));
  Press(*button, VK_RIGHT);
  EXPECT_FALSE(button->Visible());
  EXPECT_EQ(Grid->Col(), ButtonCol + 1) << "the arrow moved the current cell";
  EXPECT_EQ(Grid->Cells(ButtonCol, 2), "Press");

  Grid->SetCells(CheckCol, 2, "text");
  Open(CheckCol, 2);
  ASSERT_TRUE(Grid->EditCheck()->Visible());
  Grid->EditCheck()->Toggle();
  Leave();
  EXPECT_EQ(Grid->Cells(CheckCol, 2), "text");
}

} // namespace
