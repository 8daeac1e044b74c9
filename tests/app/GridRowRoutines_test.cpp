#include "app/GridRowRoutines.h"
#include "app/ShellTexts.h"
#include "app/UComon.h"
#include "app/ULanguage.h"
#include "grid/ProCGrid.h"
#include "platform/ui/Forms.h"

#include "support/MessageResponder.h"
#include "support/UiTestFixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using TRows = std::vector<std::vector<std::string>>; // data rows 1 .. 3, data columns 1 .. 4

// Rows 1 .. 3 under a header, columns 1 .. 4 of which 1 is the Enable box and 4 is hidden.
template <class TGrid> class TRowFixture : public TUiTest {
protected:
  void SetUp() override {
    TUiTest::SetUp();
    Reset_Shared_State();
    Lang_Texts.assign(Lang_Text_Count, " ");
    for (const TDefaultText& t : RowRoutineTexts())
      Lang_Texts[t.Number] = std::string(t.Text);
    Form = new TForm(nullptr);
    Grid = new TGrid(Form);
    Grid->SetParent(Form);
    Grid->SetColCount(5);
    Grid->SetRowCount(4);
    Grid->SetCells(1, 0, "Enable");
  }
  void TearDown() override {
    Form->Free();
    Reset_Shared_State();
    TUiTest::TearDown();
  }
  TForm* Form = nullptr;
  TGrid* Grid = nullptr;
};

class ColumnRowsTest : public TRowFixture<TProColumnGrid> {
protected:
  void SetUp() override {
    TRowFixture::SetUp();
    Grid->Columns().Items(1)->SetEditor(edDataCheckBox);
    Grid->HideColumn(4);
  }
  void Fill(const TRows& rows) {
    for (int r = 0; r < 3; ++r)
      for (int c = 0; c < 4; ++c)
        Grid->SetCells(c + 1, r + 1, rows[r][c]);
  }
  TRows Read() const {
    TRows rows(3, std::vector<std::string>(4));
    for (int r = 0; r < 3; ++r)
      for (int c = 0; c < 4; ++c)
        rows[r][c] = Grid->Cells(c + 1, r + 1);
    return rows;
  }
};

const TRows Sample = {{"Y", "a", "b", "h1"}, {"N", "c", "d", "h2"}, {"Y", "", "", ""}};
const TRows Full = {{"Y", "a", "b", "h1"}, {"N", "c", "d", "h2"}, {"Y", "e", "", ""}};

struct TColumnCase {
  const char* Name;
  TRows Start;
  std::function<bool(TProColumnGrid*)> Op;
  std::vector<int> Answers;
  TRows Expected;
  std::vector<int> Texts; // message numbers shown, in order
  bool Changed;
};

TEST_F(ColumnRowsTest, RowOperations) {
  const std::vector<std::string> copied = {"N", "x", "y", "hx"};
  const TColumnCase cases[] = {
      {"delete moves the rows below up, hidden column included",
       Sample,
       [](TProColumnGrid* g) { return Delete_Grid_Row(1, g); },
       {},
       {{"N", "c", "d", "h2"}, {"Y", "", "", ""}, {"", "", "", ""}},
       {},
       true},
      {"delete of the last row only empties it",
       Sample,
       [](TProColumnGrid* g) { return Delete_Grid_Row(3, g); },
       {},
       {Sample[0], Sample[1], {"", "", "", ""}},
       {},
       true},
      {"insert with SetEnable puts Y in column 1 only",
       Sample,
       [](TProColumnGrid* g) { return Insert_Grid_Row(2, g, true); },
       {},
       {Sample[0], {"Y", "", "", ""}, Sample[1]},
       {},
       true},
      {"insert at the last row only empties it (a lone box does not use it)",
       Sample,
       [](TProColumnGrid* g) { return Insert_Grid_Row(3, g, false); },
       {},
       {Sample[0], Sample[1], {"", "", "", ""}},
       {},
       true},
      {"insert into a full table refuses",
       Full,
       [](TProColumnGrid* g) { return Insert_Grid_Row(1, g, true); },
       {mrOk},
       Full,
       {Text_Table_Full},
       false},
      {"delete of the header row",
       Sample,
       [](TProColumnGrid* g) { return Delete_Grid_Row(0, g); },
       {},
       Sample,
       {},
       false},
      {"delete past the rows",
       Sample,
       [](TProColumnGrid* g) { return Delete_Grid_Row(4, g); },
       {},
       Sample,
       {},
       false},
      {"insert at the header row",
       Sample,
       [](TProColumnGrid* g) { return Insert_Grid_Row(0, g, true); },
       {},
       Sample,
       {},
       false},
      {"insert past the rows",
       Sample,
       [](TProColumnGrid* g) { return Insert_Grid_Row(4, g, true); },
       {},
       Sample,
       {},
       false},
      {"paste into the header row",
       Sample,
       [](TProColumnGrid* g) { return Paste_Grid_Row(g, 0, true); },
       {},
       Sample,
       {},
       false},
      {"paste past the rows",
       Sample,
       [](TProColumnGrid* g) { return Paste_Grid_Row(g, 4, true); },
       {},
       Sample,
       {},
       false},
      {"paste without a copy",
       Sample,
       [](TProColumnGrid* g) { return Paste_Grid_Row(g, 3, false); },
       {mrOk},
       Sample,
       {1102},
       false},
      {"paste into a row whose only content is a box asks nothing",
       Sample,
       [](TProColumnGrid* g) { return Paste_Grid_Row(g, 3, true); },
       {},
       {Sample[0], Sample[1], copied},
       {},
       true},
      {"paste into a used row asks, No keeps it",
       Sample,
       [](TProColumnGrid* g) { return Paste_Grid_Row(g, 1, true); },
       {mrNo},
       Sample,
       {1100},
       false},
      {"paste into a used row asks, Yes writes it",
       Sample,
       [](TProColumnGrid* g) { return Paste_Grid_Row(g, 1, true); },
       {mrYes},
       {copied, Sample[1], Sample[2]},
       {1100},
       true},
  };
  for (const TColumnCase& t : cases) {
    SCOPED_TRACE(t.Name);
    Fill(t.Start);
    Row_Clipboard = copied;
    TMessageResponder messages;
    for (int a : t.Answers)
      messages.Answer(a);
    EXPECT_EQ(t.Op(Grid), t.Changed);
    EXPECT_EQ(Read(), t.Expected);
    std::vector<std::string> texts;
    for (int n : t.Texts)
      texts.push_back(Lang_Text(n));
    EXPECT_EQ(messages.Texts(), texts);
    EXPECT_EQ(Grid->Cells(1, 0), "Enable");
  }
}

TEST_F(ColumnRowsTest, CopyTakesEveryDataColumnAndAnotherTableIsRefused) {
  Fill(Sample);
  Row_Clipboard = {"old"};
  EXPECT_FALSE(Copy_Grid_Row(Grid, 0));
  EXPECT_FALSE(Copy_Grid_Row(Grid, 4));
  EXPECT_EQ(Row_Clipboard, std::vector<std::string>{"old"});
  ASSERT_TRUE(Copy_Grid_Row(Grid, 2));
  EXPECT_EQ(Row_Clipboard, Sample[1]);

  Row_Clipboard.pop_back(); // as copied from a table with one column less
  TMessageResponder messages({mrOk});
  EXPECT_FALSE(Paste_Grid_Row(Grid, 3, true));
  EXPECT_EQ(messages.Texts(), std::vector<std::string>{Lang_Text(1101)});
  EXPECT_EQ(Read(), Sample);
}

struct TEnterCase {
  const char* Name;
  bool Option;
  int Col, Row;
  int ExpectCol, ExpectRow;
  WideChar ExpectKey;
};

TEST_F(ColumnRowsTest, EnterJumpsToTheNextCell) {
  Form->Show();
  const TEnterCase cases[] = {
      {"next column", true, 1, 2, 2, 2, 0},
      {"last visible column to the next row", true, 3, 1, 1, 2, 0},
      {"last visible column of the last row back to row 1", true, 3, 3, 1, 1, 0},
      {"option off leaves the key to the grid", false, 1, 2, 1, 2, 13},
  };
  for (const TEnterCase& t : cases) {
    SCOPED_TRACE(t.Name);
    Opt_Jump_Field_Tables = t.Option;
    Grid->FocusCell(t.Col, t.Row);
    WideChar key = 13;
    Grid_Enter_Next_Cell(Grid, key);
    EXPECT_EQ(key, t.ExpectKey);
    EXPECT_EQ(Grid->Col(), t.ExpectCol);
    EXPECT_EQ(Grid->Row(), t.ExpectRow);
  }
  Opt_Jump_Field_Tables = true;
  WideChar other = 'a';
  Grid_Enter_Next_Cell(Grid, other);
  EXPECT_EQ(other, 'a');
}

// Enter past the last column shows the cell it goes to, also when that row lies outside the view.
TEST_F(ColumnRowsTest, EnterBringsTheNextRowIntoView) {
  Grid->SetRowCount(100);
  Grid->SetBounds(0, 0, 300, 120);
  Form->Show();
  Opt_Jump_Field_Tables = true;
  auto shown = [this](int row) {
    return row >= Grid->TopRow() && row < Grid->TopRow() + Grid->VisibleRowCount();
  };

  Grid->MoveCurrentCell(3, 99);
  WideChar key = 13;
  Grid_Enter_Next_Cell(Grid, key);
  EXPECT_EQ(Grid->Row(), 1);
  EXPECT_EQ(Grid->Col(), 1);
  EXPECT_TRUE(shown(1)) << "back at the top";

  const int lastShown = Grid->TopRow() + Grid->VisibleRowCount() - 1;
  Grid->MoveCurrentCell(3, lastShown);
  key = 13;
  Grid_Enter_Next_Cell(Grid, key);
  EXPECT_EQ(Grid->Row(), lastShown + 1);
  EXPECT_TRUE(shown(lastShown + 1)) << "the view follows down";
}

TEST_F(ColumnRowsTest, DoubleClickSizesOnlyAHeaderWithTheOption) {
  Grid->SetCells(2, 0, "A rather long header text");
  Grid->SetColWidths(2, 10);
  Opt_Double_Click_Auto_Size = true;
  Grid_DblClick_AutoSize(Grid, 1, 2);
  EXPECT_EQ(Grid->ColWidths(2), 10) << "a data cell never sizes";
  Opt_Double_Click_Auto_Size = false;
  Grid_DblClick_AutoSize(Grid, 0, 2);
  EXPECT_EQ(Grid->ColWidths(2), 10) << "the option is off";
  Opt_Double_Click_Auto_Size = true;
  Grid_DblClick_AutoSize(Grid, 0, 2);
  EXPECT_GT(Grid->ColWidths(2), 10);
}

// Column 1 holds check boxes, columns 2 .. 4 texts.
class CheckBoxRowsTest : public TRowFixture<TProStringGrid> {
protected:
  void SetUp() override {
    TRowFixture::SetUp();
    for (int r = 1; r < 4; ++r)
      Grid->AddCheckBox(1, r, false, false);
  }
  // A row as "Y"/"N" for the box, then the texts, then "ro" where column 2 is read-only.
  std::vector<std::string> Row(int r) {
    bool state = false;
    Grid->GetCheckBoxState(1, r, state);
    return {state ? "Y" : "N", Grid->Cells(2, r), Grid->Cells(3, r), Grid->Cells(4, r),
            Grid->ReadOnly(2, r) ? "ro" : "rw"};
  }
  void Put(int r, bool box, const std::string& a, const std::string& b, bool ro) {
    Grid->SetCheckBoxState(1, r, box);
    Grid->SetCells(2, r, a);
    Grid->SetCells(3, r, b);
    Grid->SetReadOnly(2, r, ro);
  }
};

TEST_F(CheckBoxRowsTest, DeleteAndInsertCarryStatesAndReadOnly) {
  Put(1, true, "a", "b", false);
  Put(2, false, "c", "", true);
  Put(3, true, "", "", false);
  ASSERT_TRUE(Delete_Grid_Row_CheckBox(1, Grid, true));
  EXPECT_EQ(Row(1), (std::vector<std::string>{"N", "c", "", "", "ro"}));
  EXPECT_EQ(Row(2), (std::vector<std::string>{"Y", "", "", "", "rw"}));
  EXPECT_EQ(Row(3), (std::vector<std::string>{"Y", "", "", "", "ro"})) << "emptied by delete: read-only";

  Grid->SetReadOnly(2, 3, false);
  ASSERT_TRUE(Insert_Grid_Row_CheckBox(1, Grid, false));
  EXPECT_EQ(Row(1), (std::vector<std::string>{"N", "", "", "", "rw"})) << "emptied by insert: editable";
  EXPECT_EQ(Row(2), (std::vector<std::string>{"N", "c", "", "", "ro"}));
  EXPECT_EQ(Row(3), (std::vector<std::string>{"Y", "", "", "", "rw"}));

  Grid->SetCells(4, 3, " "); // blanks use a row in this family
  TMessageResponder messages({mrOk});
  EXPECT_FALSE(Insert_Grid_Row_CheckBox(1, Grid, true));
  EXPECT_EQ(messages.Texts(), std::vector<std::string>{Lang_Text(Text_Table_Full)});
  EXPECT_EQ(Row(1), (std::vector<std::string>{"N", "", "", "", "rw"}));
  EXPECT_EQ(Grid->Cells(4, 3), " ");
}

TEST_F(CheckBoxRowsTest, HeaderAndRowsOutsideAreLeftAlone) {
  Put(1, true, "a", "b", false);
  Row_Clipboard = {"N", "x", "y", ""};
  Clipboard_CheckBox_Cols = {true, false, false, false};
  for (int row : {0, 4}) {
    SCOPED_TRACE(row);
    EXPECT_FALSE(Delete_Grid_Row_CheckBox(row, Grid, true));
    EXPECT_FALSE(Insert_Grid_Row_CheckBox(row, Grid, true));
    EXPECT_FALSE(Copy_Grid_Row_CheckBox(Grid, row));
    EXPECT_FALSE(Paste_Grid_Row_CheckBox(Grid, row, true));
  }
  EXPECT_EQ(Row(1), (std::vector<std::string>{"Y", "a", "b", "", "rw"}));
  EXPECT_EQ(Grid->Cells(1, 0), "Enable");
  EXPECT_EQ(Row_Clipboard.size(), 4u);
}

TEST_F(CheckBoxRowsTest, CopyAndPasteCarryTheBoxes) {
  Put(1, true, "a", "", false);
  Put(2, false, "", "", false);
  Put(3, false, " ", "", false);
  ASSERT_TRUE(Copy_Grid_Row_CheckBox(Grid, 1));
  EXPECT_EQ(Row_Clipboard, (std::vector<std::string>{"Y", "a", "", ""}));
  EXPECT_EQ(Clipboard_CheckBox_Cols, (std::vector<bool>{true, false, false, false}));

  {
    TMessageResponder none;
    ASSERT_TRUE(Paste_Grid_Row_CheckBox(Grid, 2, true));
  }
  EXPECT_EQ(Row(2), (std::vector<std::string>{"Y", "a", "", "", "rw"}));
  {
    TMessageResponder messages({mrNo});
    EXPECT_FALSE(Paste_Grid_Row_CheckBox(Grid, 3, true)) << "a blank counts as text";
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{Lang_Text(1100)});
  }
  {
    TMessageResponder messages({mrOk});
    EXPECT_FALSE(Paste_Grid_Row_CheckBox(Grid, 3, false));
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{Lang_Text(1102)});
  }
  EXPECT_EQ(Row(3), (std::vector<std::string>{"N", " ", "", "", "rw"}));
}

} // namespace
