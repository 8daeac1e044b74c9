// The edit box's own messages, driven as a user would: typing through an edit mask (also in the
// grid's in-place edit), the clipboard keys and the box's context menu as messages a descendant
// can take, and the character under a point.
#include "support/UiTestFixture.h"

#include "platform/ui/Forms.h"
#include "platform/ui/Grids.h"
#include "platform/ui/Headless.h"
#include "platform/ui/Menus.h"
#include "platform/ui/StdCtrls.h"

#include <string>
#include <vector>

namespace {

// An edit that logs the clipboard messages and can refuse them.
class TClipEdit : public TEdit {
public:
  using TEdit::TEdit;
  std::vector<std::string> Seen;
  bool RefusePaste = false;
  void WndProc(TMessage& M) override {
    switch (M.Msg) {
    case WM_CUT:
      Seen.push_back("cut");
      break;
    case WM_COPY:
      Seen.push_back("copy");
      break;
    case WM_PASTE:
      Seen.push_back("paste");
      if (RefusePaste) return;
      break;
    case WM_CLEAR:
      Seen.push_back("clear");
      break;
    default:
      break;
    }
    TEdit::WndProc(M);
  }
};

class EditBoxTest : public TUiTest {
protected:
  void SetUp() override {
    TUiTest::SetUp();
    Form.reset(new TForm(nullptr));
    Form->SetClientWidth(320);
    Form->SetClientHeight(240);
    Edit = new TClipEdit(Form.get());
    Edit->SetName("E_Box");
    Edit->SetParent(Form.get());
    Edit->SetBounds(10, 10, 200, 21);
    Other = new TClipEdit(Form.get());
    Other->SetName("E_Other");
    Other->SetParent(Form.get());
    Other->SetBounds(10, 40, 200, 21);
    Form->Show();
    Application->ProcessMessages();
  }
  void TearDown() override {
    Form.reset();
    TUiTest::TearDown();
  }
  TOwned<TForm> Form;
  TClipEdit* Edit = nullptr;
  TClipEdit* Other = nullptr;
};

TEST_F(EditBoxTest, TypingFollowsTheEditMask) {
  Edit->SetEditMask("999.999.999.999;1;_");
  int changes = 0;
  Edit->OnChange = [&](TObject*) { ++changes; };
  EXPECT_TRUE(Headless::TypeText(*Edit, "192.168.x1.20"));
  EXPECT_EQ(Edit->EditText(), "192.168.1__.20_");
  EXPECT_EQ(Edit->Text(), "192.168.1  .20 ");
  EXPECT_GT(changes, 0);
  Headless::PressKey(*Edit, VK_BACK);
  EXPECT_EQ(Edit->EditText(), "192.168.1__.2__");

  // A value set by code takes the mask's shape; dropping the mask keeps the value.
  Edit->SetText("10.0.0.1");
  EXPECT_EQ(Edit->EditText(), "10_.0__.0__.1__");
  Edit->SetEditMask("");
  EXPECT_EQ(Edit->Text(), "10 .0  .0  .1  ");
  EXPECT_TRUE(Headless::TypeText(*Edit, "x"));
  EXPECT_NE(Edit->Text().find('x'), std::string::npos) << "without a mask typing is free";
}

TEST_F(EditBoxTest, TheGridsEditorTypesThroughTheCellsMask) {
  auto* grid = new TStringGrid(Form.get());
  grid->SetParent(Form.get());
  grid->SetBounds(10, 70, 300, 160);
  grid->SetColCount(3);
  grid->SetRowCount(3);
  grid->SetOptions(grid->Options() | goEditing);
  grid->OnGetEditMask = [](TObject*, int col, int, std::string& mask) {
    if (col == 1) mask = "00:00;1;_";
  };
  grid->SetFocus();
  grid->SetCol(1);
  grid->SetRow(1);
  EXPECT_TRUE(Headless::TypeText(*grid, "1a234"));
  ASSERT_NE(grid->InplaceEditor(), nullptr);
  EXPECT_EQ(grid->InplaceEditor()->EditMask(), "00:00;1;_");
  EXPECT_EQ(grid->InplaceEditor()->EditText(), "12:34");
  Headless::PressKey(*grid->InplaceEditor(), VK_RETURN);
  EXPECT_EQ(grid->Cells(1, 1), "12:34");

  // The next column has no mask: its editor takes anything.
  grid->SetCol(2);
  EXPECT_TRUE(Headless::TypeText(*grid, "ab"));
  EXPECT_EQ(grid->InplaceEditor()->EditMask(), "");
  EXPECT_EQ(grid->InplaceEditor()->Text(), "ab");
}

TEST_F(EditBoxTest, ClipboardKeysAndTheContextMenuSendTheirMessages) {
  Edit->SetText("alpha");
  Edit->SetFocus();
  Edit->SelectAll();
  Headless::PressKey(*Edit, 'C', ssCtrl);
  Other->SetFocus();
  Headless::PressKey(*Other, 'V', ssCtrl);
  EXPECT_EQ(Other->Text(), "alpha");
  Headless::PressKey(*Other, VK_INSERT, ssShift);
  EXPECT_EQ(Other->Text(), "alphaalpha");
  Other->SelectAll();
  Headless::PressKey(*Other, 'X', ssCtrl);
  EXPECT_EQ(Other->Text(), "");
  EXPECT_EQ(Edit->Seen, (std::vector<std::string>{"copy"}));
  EXPECT_EQ(Other->Seen, (std::vector<std::string>{"paste", "paste", "cut", "copy", "clear"}));

  // A descendant that takes WM_PASTE keeps the paste out, from the keys and from the menu.
  Other->RefusePaste = true;
  Headless::PressKey(*Other, 'V', ssCtrl);
  EXPECT_EQ(Other->Text(), "");
  Other->Seen.clear();
  Headless::ContextMenu(*Other, {5, 5});
  TPopupMenu* menu = Headless::LastPopupMenu();
  ASSERT_NE(menu, nullptr);
  TMenuItem* paste = dynamic_cast<TMenuItem*>(Headless::FindComponentDeep(*Other, "EditPaste"));
  ASSERT_NE(paste, nullptr);
  EXPECT_TRUE(paste->Enabled());
  EXPECT_FALSE(dynamic_cast<TMenuItem*>(Headless::FindComponentDeep(*Other, "EditCopy"))->Enabled())
      << "nothing is selected";
  EXPECT_TRUE(Headless::ClickMenuItem(*paste));
  EXPECT_EQ(Other->Text(), "");
  EXPECT_EQ(Other->Seen, (std::vector<std::string>{"paste"}));
  Other->RefusePaste = false;
  EXPECT_TRUE(Headless::ClickMenuItem(*paste));
  EXPECT_EQ(Other->Text(), "alphaalpha") << "what was cut last";

  // A control's own pop-up menu comes before the box's.
  auto* own = new TPopupMenu(Form.get());
  Other->SetPopupMenu(own);
  Headless::ContextMenu(*Other, {5, 5});
  EXPECT_EQ(Headless::LastPopupMenu(), own);
}

TEST_F(EditBoxTest, CharacterUnderAPointAndLineOfACharacter) {
  Edit->SetText("0123456789");
  int first = Edit->CharFromPos({4, 10});
  int later = Edit->CharFromPos({60, 10});
  EXPECT_EQ(first, 0);
  EXPECT_GT(later, first);
  EXPECT_LE(later, 10);
  EXPECT_EQ(Edit->Perform(EM_CHARFROMPOS, 0, MakeLParam(60, 10)), later);
  EXPECT_EQ(Edit->CharFromPos({-5, 10}), -1) << "outside the box";
  EXPECT_EQ(Edit->CharFromPos({500, 10}), -1);
  TPoint at = Edit->PosFromChar(later);
  EXPECT_EQ(Edit->CharFromPos({at.X, 10}), later) << "a character's position leads back to it";
  EXPECT_EQ(Edit->LineFromChar(5), 0);
  EXPECT_EQ(Edit->Perform(EM_LINEFROMCHAR, static_cast<WPARAM>(-1)), 0);
}

} // namespace

namespace {

TEST_F(EditBoxTest, AMultiLineBoxKeepsItsLinesAndCountsThem) {
  Edit->SetText("first");
  Edit->SetFocus();
  Edit->SetMultiLine(true);
  EXPECT_TRUE(Edit->MultiLine());
  EXPECT_TRUE(Edit->Focused());
  EXPECT_EQ(Edit->Text(), "first") << "the text carries over to the new window";
  Edit->SetSelStart(5);
  EXPECT_TRUE(Headless::TypeText(*Edit, "\nsecond"));
  EXPECT_EQ(Edit->Text(), "first\r\nsecond");
  EXPECT_EQ(Edit->SelStart(), 13) << "a line break counts two";
  EXPECT_EQ(Edit->LineFromChar(3), 0);
  EXPECT_EQ(Edit->LineFromChar(7), 1);
  EXPECT_EQ(Edit->Perform(EM_LINEFROMCHAR, static_cast<WPARAM>(-1)), 1) << "the caret's line";
  Edit->SetSelStart(7);
  Edit->SetSelLength(3);
  EXPECT_EQ(Edit->SelText(), "sec");
  TPoint second = Edit->PosFromChar(9);
  EXPECT_EQ(Edit->CharFromPos({second.X, second.Y + 2}), 9);

  // Without WantReturns, Enter leaves the text alone; with WordWrap long lines break.
  Edit->SetWantReturns(false);
  Headless::PressKey(*Edit, VK_RETURN);
  EXPECT_EQ(Edit->Text(), "first\r\nsecond");
  Edit->SetText(std::string(200, 'w'));
  EXPECT_EQ(Edit->LineFromChar(199), 0);
  Edit->SetWordWrap(true);
  EXPECT_GT(Edit->LineFromChar(199), 0);

  // Back to one line: the first line stays.
  Edit->SetText("top\r\nbottom");
  Edit->SetMultiLine(false);
  EXPECT_EQ(Edit->Text(), "top");
  EXPECT_TRUE(Edit->Focused());
}

TEST_F(EditBoxTest, TheGridsEditorCanEditSeveralLines) {
  struct TWrapGrid : TStringGrid {
    using TStringGrid::TStringGrid;
    TInplaceEdit* CreateEditor() override {
      TInplaceEdit* e = TStringGrid::CreateEditor();
      e->SetMultiLine(true);
      e->SetWantReturns(false); // Enter ends the edit; the cell's lines stay
      return e;
    }
  };
  auto* grid = new TWrapGrid(Form.get());
  grid->SetParent(Form.get());
  grid->SetBounds(10, 70, 300, 160);
  grid->SetColCount(3);
  grid->SetRowCount(3);
  grid->SetOptions(grid->Options() | goEditing);
  grid->SetCells(1, 1, "one\r\ntwo");
  grid->SetFocus();
  grid->SetCol(1);
  grid->SetRow(1);
  Headless::PressKey(*grid, VK_F2);
  TInplaceEdit* editor = grid->InplaceEditor();
  ASSERT_NE(editor, nullptr);
  ASSERT_TRUE(editor->MultiLine());
  EXPECT_TRUE(editor->Focused());
  EXPECT_EQ(editor->Text(), "one\r\ntwo");
  editor->SetSelStart(static_cast<int>(editor->Text().size()));
  EXPECT_TRUE(Headless::TypeText(*editor, "!"));
  Headless::PressKey(*editor, VK_RETURN);
  EXPECT_FALSE(editor->Visible());
  EXPECT_EQ(grid->Cells(1, 1), "one\r\ntwo!");
}

} // namespace
