// The text editor of wrapped and multi-line cells: it edits in lines, keeps the cell's line breaks,
// ends with Enter unless line feeds are typed, breaks lines with Ctrl+Enter where allowed, walks
// between its lines with Up and Down, and the row follows the lines typed.
#include "grid/ProCGrid.h"
#include "grid/ProInplaceEdit.h"

#include "ProGridFixture.h"
#include "platform/ui/Headless.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class ProInplaceEditLines : public TProGridTest<TProColumnGrid> {
protected:
  void SetUp() override {
    TProGridTest::SetUp();
    Grid->SetBounds(0, 0, 480, 300);
    Grid->SetColCount(5);
    Grid->SetRowCount(6);
    Grid->SetOptions(Grid->Options() | goEditing);
    Grid->SetCells(1, 1, "one\r\ntwo");
    Grid->SetRowHeights(1, 60);
  }
  TProInplaceEdit* Open(int ACol, int ARow) { return OpenNormalEdit(*Grid, ACol, ARow); }
  void Press(TWinControl& c, std::uint16_t Key, TShiftState Shift = 0) {
    Headless::PressKey(c, Key, Shift);
    Application->ProcessMessages();
  }
  TGridCoord Cell() const { return {Grid->Col(), Grid->Row()}; }
};

TEST_F(ProInplaceEditLines, WrappedAndMultiLineCellsAreEditedInLines) {
  struct TCase {
    const char* name;
    bool wordWrap, multilineCells;
    TEditorType kind;
    bool lines;
  };
  const TCase cases[] = {
      {"word wrap", true, false, edNormal, true},      {"multi-line cells", false, true, edNormal, true},
      {"a text kind", false, true, edUpperCase, true}, {"a password", true, true, edPassword, false},
      {"plain grid", false, false, edNormal, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    Grid->SetWordWrap(c.wordWrap);
    Grid->SetMultilineCells(c.multilineCells);
    Grid->Columns().Items(1)->SetEditor(c.kind);
    Grid->SetCells(1, 1, "one\r\ntwo");
    TProInplaceEdit* e = Open(1, 1);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->MultiLine(), c.lines);
    EXPECT_EQ(e->WordWrap(), c.wordWrap);
    if (c.lines) {
      EXPECT_EQ(e->Text(), "one\r\ntwo");
      EXPECT_EQ(e->LineFromChar(7), 1) << "the second line is a line of its own";
    }
    Press(*e, VK_RETURN);
    EXPECT_FALSE(Grid->NormalEdit()->Visible()) << "Enter ends the edit";
    if (c.lines) {
      EXPECT_EQ(Grid->Cells(1, 1), "one\r\ntwo") << "the line break kept";
    }
  }
}

TEST_F(ProInplaceEditLines, TheTextStandsInsideTheEditorsEdgesAndNoScrollBarShows) {
  const char* const many = "one\r\ntwo\r\nthree\r\nfour\r\nfive\r\nsix\r\nseven\r\neight";
  for (const bool wordWrap : {true, false}) {
    SCOPED_TRACE(wordWrap ? "word wrap" : "multi-line cells");
    Grid->SetWordWrap(wordWrap);
    Grid->SetMultilineCells(!wordWrap);
    Grid->SetCells(1, 1, many);
    TProInplaceEdit* e = Open(1, 1);
    ASSERT_TRUE(e && e->MultiLine());
    EXPECT_EQ(e->FormattingRect(), Rect(3, 3, e->Width() - 2, e->Height()));
    Press(*e, VK_HOME, ssCtrl);
    const TPoint first = e->PosFromChar(0);
    EXPECT_EQ(first.Y, 3) << "the first line starts 3 pixels down";
    EXPECT_GE(first.X, 3) << "and 3 pixels in";
    EXPECT_LE(first.X, 4);
    EXPECT_FALSE(e->ScrollBarShown()) << "more lines than the cell shows, and no scroll bar";
    Press(*e, VK_END, ssCtrl);
    const int end = static_cast<int>(std::string(many).size());
    EXPECT_LT(e->PosFromChar(end).Y, e->Height()) << "the text scrolls with the caret";
    Press(*e, VK_RETURN);
    EXPECT_EQ(Grid->Cells(1, 1), many);
  }
}

TEST_F(ProInplaceEditLines, AWrappingEditorBreaksALongTextAtItsWidth) {
  Grid->SetWordWrap(true);
  Grid->SetCells(1, 1, "a long text that cannot fit on one line of this column");
  TProInplaceEdit* e = Open(1, 1);
  ASSERT_TRUE(e);
  const int last = static_cast<int>(e->Text().size());
  EXPECT_GT(e->LineFromChar(last), 0);
  EXPECT_EQ(e->Text().find('\r'), std::string::npos) << "wrapping adds no line break";
}

TEST_F(ProInplaceEditLines, CtrlEnterBreaksTheLineOnlyWhereAllowed) {
  Grid->SetMultilineCells(true);
  struct TCase {
    const char* name;
    bool allowCtrlEnter;
    const char* text;
  };
  const TCase cases[] = {{"allowed", true, "ab\r\ncd"}, {"not allowed", false, "abcd"}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    Grid->Navigation().SetAllowCtrlEnter(c.allowCtrlEnter);
    Grid->SetCells(2, 2, "");
    TProInplaceEdit* e = Open(2, 2);
    ASSERT_TRUE(e);
    Headless::TypeText(*e, "ab");
    Press(*e, VK_RETURN, ssCtrl);
    Headless::TypeText(*e, "cd");
    ASSERT_TRUE(Grid->NormalEdit()->Visible()) << "Ctrl+Enter does not end the edit";
    EXPECT_EQ(e->Text(), c.text);
    Press(*e, VK_RETURN);
    EXPECT_EQ(Grid->Cells(2, 2), c.text);
  }
}

TEST_F(ProInplaceEditLines, UpAndDownWalkTheLinesAndLeaveAtTheEdges) {
  Grid->SetMultilineCells(true);
  TProInplaceEdit* e = Open(1, 1);
  ASSERT_TRUE(e);
  e->SetSelStart(1);
  e->SetSelLength(0);
  Press(*e, VK_DOWN);
  EXPECT_EQ(Cell(), (TGridCoord{1, 1})) << "down to the second line";
  EXPECT_EQ(e->LineFromChar(-1), 1);
  Press(*e, VK_UP);
  EXPECT_EQ(e->LineFromChar(-1), 0);
  EXPECT_EQ(Cell(), (TGridCoord{1, 1}));
  Press(*e, VK_UP);
  EXPECT_EQ(Cell(), (TGridCoord{1, 0 + Grid->FixedRows()})) << "up from the first line leaves the cell";
  EXPECT_EQ(Grid->Cells(1, 1), "one\r\ntwo");
}

TEST_F(ProInplaceEditLines, TheRowAndTheEditorFollowTheLinesTyped) {
  Grid->SetMultilineCells(true);
  Grid->Navigation().SetAllowCtrlEnter(true);
  Grid->SizeWhileTyping().SetHeight(true);
  Grid->SetCells(2, 3, "");
  TProInplaceEdit* e = Open(2, 3);
  ASSERT_TRUE(e);
  const int before = Grid->RowHeights(3);
  const int gap = Grid->CellRect(2, 3).Height() - e->Height();
  Headless::TypeText(*e, "one");
  Press(*e, VK_RETURN, ssCtrl);
  Headless::TypeText(*e, "two");
  Press(*e, VK_RETURN, ssCtrl);
  Headless::TypeText(*e, "three");
  const int grown = Grid->RowHeights(3);
  EXPECT_GT(grown, before);
  EXPECT_EQ(Grid->CellRect(2, 3).Height() - e->Height(), gap) << "the editor covers the grown cell";
  EXPECT_EQ(e->LineFromChar(static_cast<int>(e->Text().size())), 2);
  Press(*e, VK_RETURN);
  EXPECT_EQ(Grid->Cells(2, 3), "one\r\ntwo\r\nthree");
}

} // namespace
