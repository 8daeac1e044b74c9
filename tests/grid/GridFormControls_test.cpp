// Form controls in mini-HTML cells, and header editing.
#include "controls/HTMLControlTags.h"
#include "grid/ControlEditors.h"
#include "grid/MouseActions.h"

#include "EditorKindsFixture.h"

#include <gtest/gtest.h>

namespace {

using FormControlTest = EditorKindsTest;

const char* Form1 = "<CONTROL TYPE=\"EDIT\" ID=\"e1\" VALUE=\"abc\" WIDTH=\"50\" MAXLEN=\"5\"> "
                    "<CONTROL TYPE=\"BUTTON\" ID=\"b1\" VALUE=\"Go\" WIDTH=\"30\"> "
                    "<CONTROL TYPE=\"PASSWORD\" ID=\"p1\" VALUE=\"\" WIDTH=\"50\"> "
                    "<CONTROL TYPE=\"CHECK\" ID=\"c1\" VALUE=\"TRUE\"> "
                    "<CONTROL TYPE=\"MASK\" ID=\"m1\" VALUE=\"12\" PROP=\"99\" WIDTH=\"30\"> "
                    "<CONTROL TYPE=\"RADIO\" ID=\"r1\" VALUE=\"FALSE\"> "
                    "<CONTROL TYPE=\"COMBO\" ID=\"k1\" VALUE=\"x\" WIDTH=\"50\">";

std::string ValueOf(const std::string& html, const char* id) {
  std::string v;
  GetHTMLControlValue(html, id, v);
  return v;
}

TEST_F(FormControlTest, EditSitsOnTheControlAndTakesAtMostItsLength) {
  Grid->SetColWidths(1, 300);
  Grid->SetRowHeights(1, 40);
  Grid->SetCells(1, 1, Form1);
  Grid->GotoCell(1, 1);
  Grid->StartControlEdit(1, 1, "e1", "EDIT");
  TControlEdit* edit = Grid->FormControlEdit();
  ASSERT_TRUE(edit->Visible());
  const TRect r = Grid->FormControlRect(1, 1, "e1", nullptr);
  EXPECT_EQ(edit->Left(), r.Left + 1);
  EXPECT_EQ(edit->Top(), r.Top + 8);
  EXPECT_EQ(edit->Width(), r.Width() - 4);
  EXPECT_EQ(edit->Height(), 14);
  edit->SelectAll();
  Headless::TypeText(*edit, "1234567");
  EXPECT_EQ(edit->Text(), "12345");
  Leave();
  EXPECT_FALSE(Grid->ControlEditing());
  EXPECT_EQ(ValueOf(Grid->Cells(1, 1), "e1"), "12345");

  Grid->StartControlEdit(1, 1, "p1", "PASSWORD");
  EXPECT_EQ(edit->PasswordChar(), u'*');
  Leave();
}

TEST_F(FormControlTest, TabWalksTheEditableControlsThenTheGridTakesTheFocus) {
  std::vector<std::string> done;
  Grid->OnControlEditDone = [&](TObject*, int, int, const std::string& id, const std::string&,
                                const std::string&) { done.push_back(id); };
  Grid->SetColWidths(1, 400);
  Grid->SetRowHeights(1, 40);
  Grid->SetCells(1, 1, Form1);
  Grid->GotoCell(1, 1);
  Grid->EditControlByID("");
  std::vector<std::string> walked;
  for (int i = 0; i < 5 && Grid->ControlEditing(); ++i) {
    walked.push_back(Grid->ControlEditID());
    TWinControl* editor = Grid->ControlEditID() == "k1" ? static_cast<TWinControl*>(Grid->FormControlCombo())
                                                        : static_cast<TWinControl*>(Grid->FormControlEdit());
    Press(*editor, VK_TAB);
  }
  EXPECT_EQ(walked, (std::vector<std::string>{"e1", "p1", "m1", "k1"}));
  EXPECT_EQ(done, walked);
  EXPECT_FALSE(Grid->ControlEditing());
  EXPECT_TRUE(Grid->Focused());
}

TEST_F(FormControlTest, ComboListHandlerMakesAPickOnlyListFourRowsHigh) {
  Grid->OnControlComboList = [](TObject*, int, int, const std::string&, const std::string&,
                                const std::string&, TStringList* values, bool& edit, int& count) {
    values->Add("x");
    values->Add("y");
    edit = false;
    count = 4;
  };
  Grid->SetColWidths(1, 400);
  Grid->SetCells(1, 1, Form1);
  Grid->GotoCell(1, 1);
  Grid->StartControlEdit(1, 1, "k1", "COMBO");
  TControlCombo* combo = Grid->FormControlCombo();
  ASSERT_TRUE(combo->Visible());
  EXPECT_EQ(combo->Style(), csDropDownList);
  EXPECT_EQ(combo->DropDownCount(), 4);
  EXPECT_EQ(combo->ItemIndex(), 0);
  combo->SetItemIndex(1);
  Leave();
  EXPECT_EQ(ValueOf(Grid->Cells(1, 1), "k1"), "y");
}

TEST_F(FormControlTest, BadTagsNeitherCrashNorTouchAnotherControl) {
  const std::string cell =
      "<CONTROL TYPE=\"EDIT\" VALUE=\"noid\"> <CONTROL TYPE=\"EDIT\" ID=\"d\" VALUE=\"one\"> "
      "<CONTROL TYPE=\"EDIT\" ID=\"d\" VALUE=\"two\"> "
      "<CONTROL TYPE=\"EDIT\" ID=\"n\" VALUE=\"v\" MAXLEN=\"abc\">";
  Grid->SetColWidths(1, 400);
  Grid->SetCells(1, 1, cell);
  Grid->GotoCell(1, 1);
  Grid->StartControlEdit(1, 1, "", "EDIT");
  EXPECT_FALSE(Grid->ControlEditing()) << "a control without ID opens nothing";
  Grid->StartControlEdit(1, 1, "missing", "EDIT");
  EXPECT_FALSE(Grid->ControlEditing());
  Grid->StartControlEdit(1, 1, "n", "EDIT");
  ASSERT_TRUE(Grid->ControlEditing());
  EXPECT_EQ(Grid->FormControlEdit()->MaxLength(), 0) << "a MAXLEN that is no number limits nothing";
  Grid->FormControlEdit()->SetText("w");
  Leave();
  const std::string now = Grid->Cells(1, 1);
  EXPECT_EQ(ValueOf(now, "n"), "w");
  EXPECT_NE(now.find("VALUE=\"noid\""), std::string::npos);
  EXPECT_NE(now.find("VALUE=\"one\""), std::string::npos);
  EXPECT_NE(now.find("VALUE=\"two\""), std::string::npos);
}

TEST_F(FormControlTest, HeaderEditorKeepsARefusedTextAndStoresAChangedOne) {
  Grid->MouseActions().SetFixedRowsEdit(fceDblClick);
  Grid->SetCells(2, 0, "Head");
  Grid->OnCellValidate = [](TObject*, int, int, std::string& v, bool& valid) {
    if (v == "bad")
      valid = false;
    else
      v = "<" + v + ">";
  };
  Grid->StartFixedCellEdit(2, 0);
  TGridTransEdit* edit = Grid->EditTrans();
  ASSERT_TRUE(edit->Visible());
  EXPECT_EQ(edit->Text(), "Head");
  edit->SetText("bad");
  Press(*edit, VK_RETURN);
  EXPECT_TRUE(edit->Visible()) << "refused: the header editor stays";
  EXPECT_EQ(Grid->Cells(2, 0), "Head");
  edit->SetText("New");
  Press(*edit, VK_RETURN);
  EXPECT_FALSE(edit->Visible());
  EXPECT_EQ(Grid->Cells(2, 0), "<New>");

  Grid->MouseActions().SetFixedRowsEditor(fceComboList);
  Grid->MouseActions().FixedComboValues().Add("A");
  Grid->MouseActions().FixedComboValues().Add("B");
  Grid->OnCellValidate = nullptr;
  Grid->StartFixedCellEdit(3, 0);
  TGridTransCombo* combo = Grid->ComboTrans();
  ASSERT_TRUE(combo->Visible());
  EXPECT_EQ(combo->Style(), csDropDownList);
  combo->SetItemIndex(1);
  Leave();
  EXPECT_EQ(Grid->Cells(3, 0), "B");
}

} // namespace
