// The text editor while typing: look-up completion, clipboard events, double click, the row and
// column following the text, line breaks with LineFeedOnEnter and a filled mask moving on.
#include "grid/LookupCompletion.h"
#include "grid/ProCGrid.h"
#include "grid/ProInplaceEdit.h"

#include "EditGridFixture.h"
#include "platform/StringList.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/Headless.h"
#include "platform/ui/StdCtrls.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

int Chars(const std::string& s) {
  int n = 0;
  for (char c : s)
    n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return n;
}

TEST(LookupCompletion, FirstItemStartingWithTheTypedPartCompletes) {
  TStringList items;
  items.Assign(std::vector<std::string>{"Berlin", "Bern", "bordeaux", "Zürich"});
  struct TCase {
    const char* text;
    int caret;
    bool caseSensitive;
    const char* completed; // nullptr: no completion
    int index;
  };
  const TCase cases[] = {
      {"Ber", 3, false, "Berlin", 0}, {"bern", 4, false, "bern", 1}, // what was typed keeps its case
      {"bo", 2, true, "bordeaux", 2}, {"Bo", 2, true, nullptr, -1},
      {"zü", 2, false, "zürich", 3},  // letters beyond ASCII by the locale's case
      {"Bex", 2, false, "Berlin", 0}, // only the text up to the caret counts
      {"", 0, false, nullptr, -1},    {"Q", 1, false, nullptr, -1},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.text);
    const auto r = CompleteFromItems(items, c.text, c.caret, c.caseSensitive);
    ASSERT_EQ(r.has_value(), c.completed != nullptr);
    if (!r) continue;
    EXPECT_EQ(r->Text, c.completed);
    EXPECT_EQ(r->Index, c.index);
    EXPECT_EQ(r->SelStart, c.caret);
    EXPECT_EQ(r->SelStart + r->SelLength, Chars(c.completed));
  }
}

class ProInplaceEditTyping : public TEditGridTest {};

TEST_F(ProInplaceEditTyping, LookupCompletesTypingAndBackspaceStopsIt) {
  Grid->SetLookup(true);
  Grid->LookupItems().Assign(std::vector<std::string>{"Apple", "Apricot"});
  TProInplaceEdit* e = Open(1, 1);
  ASSERT_TRUE(e);
  e->SetText("");
  Headless::TypeText(*e, "a");
  EXPECT_EQ(e->Text(), "apple");
  EXPECT_EQ(e->SelStart(), 1);
  EXPECT_EQ(e->SelLength(), 4) << "the completed part is selected";
  Headless::TypeText(*e, "pr");
  EXPECT_EQ(e->Text(), "apricot");
  EXPECT_EQ(e->SelLength(), 4);
  Headless::PressKey(*e, VK_BACK);
  EXPECT_EQ(e->Text(), "apr") << "no completion after Backspace";
  Headless::PressKey(*e, VK_RETURN);
  EXPECT_EQ(Grid->Cells(1, 1), "apr");
}

TEST_F(ProInplaceEditTyping, LookupIsOffWithoutTheSwitchAndHistoryRemembersTexts) {
  Grid->LookupItems().Assign(std::vector<std::string>{"Apple"});
  TProInplaceEdit* e = Open(1, 1);
  e->SetText("");
  Headless::TypeText(*e, "a");
  EXPECT_EQ(e->Text(), "a");
  Grid->SetLookup(true);
  Grid->SetLookupHistory(true);
  e->SetText("");
  Headless::TypeText(*e, "Kiwi");
  Other->SetFocus();
  Application->ProcessMessages();
  EXPECT_EQ(Grid->Cells(1, 1), "Kiwi");
  EXPECT_EQ(Grid->LookupItems().IndexOf("Kiwi"), 1);
  e = Open(2, 1);
  e->SetText("");
  Headless::TypeText(*e, "k");
  EXPECT_EQ(e->Text(), "kiwi") << "the remembered text completes the next edit";
}

TEST_F(ProInplaceEditTyping, ClipboardEventsMayRefuse) {
  Grid->SetCells(1, 1, "hello");
  std::vector<std::string> log;
  bool allow = true;
  Grid->OnClipboardCopy = [&](TObject* Sender, const std::string& Value, bool& Allow) {
    EXPECT_EQ(Sender, Grid->NormalEdit());
    log.push_back("copy " + Value);
    Allow = allow;
  };
  Grid->OnClipboardCut = [&](TObject*, const std::string& Value, bool& Allow) {
    log.push_back("cut " + Value);
    Allow = allow;
  };
  TProInplaceEdit* e = Open(1, 1);
  Clipboard()->SetAsText("before");
  e->SetSelStart(0);
  e->SetSelLength(2);
  allow = false;
  e->CopyToClipboard();
  e->CutToClipboard();
  EXPECT_EQ(Clipboard()->AsText(), "before");
  EXPECT_EQ(e->Text(), "hello");
  allow = true;
  e->CopyToClipboard();
  EXPECT_EQ(Clipboard()->AsText(), "he");
  e->SetSelStart(3);
  e->SetSelLength(2);
  e->CutToClipboard();
  EXPECT_EQ(Clipboard()->AsText(), "lo");
  EXPECT_EQ(e->Text(), "hel");
  EXPECT_EQ(log, (std::vector<std::string>{"copy he", "cut he", "copy he", "cut lo"}))
      << "a cut fires its own event only";
}

TEST_F(ProInplaceEditTyping, DoubleClickInTheEditorReportsTheCell) {
  std::vector<TGridCoord> clicks;
  Grid->OnDblClickCell = [&](TObject* Sender, int ARow, int ACol) {
    EXPECT_EQ(Sender, Grid);
    clicks.push_back({ACol, ARow});
  };
  TProInplaceEdit* e = Open(2, 3);
  ASSERT_TRUE(e);
  Headless::DoubleClick(*e, {4, 4});
  EXPECT_EQ(clicks, (std::vector<TGridCoord>{{2, 3}}));
}

TEST_F(ProInplaceEditTyping, TheColumnGrowsWithTheTextAndNeverShrinks) {
  Grid->SizeWhileTyping().SetWidth(true);
  const int before = Grid->ColWidths(1);
  TProInplaceEdit* e = Open(1, 1);
  e->SetText("");
  Headless::TypeText(*e, "a much longer text than the column holds");
  const int grown = Grid->ColWidths(1);
  EXPECT_GT(grown, before);
  EXPECT_EQ(Grid->Cells(1, 1), "") << "the cell gets the text only when the edit ends";
  Headless::PressKey(*e, VK_BACK);
  EXPECT_EQ(Grid->ColWidths(1), grown);
  Grid->SizeWhileTyping().SetWidth(false);
  e = Open(2, 1);
  Headless::TypeText(*e, "a much longer text than the column holds");
  EXPECT_EQ(Grid->ColWidths(2), before);
}

TEST_F(ProInplaceEditTyping, AWrappingRowGrowsWhileTyping) {
  Grid->SetWordWrap(true);
  Grid->SizeWhileTyping().SetHeight(true);
  std::vector<int> sized;
  Grid->OnEndRowSize = [&](TObject*, int ARow) { sized.push_back(ARow); };
  const std::string text = "words that wrap over several lines of this narrow column";
  TProInplaceEdit* e = Open(1, 2);
  e->SetText("");
  Headless::TypeText(*e, text);
  const int typed = Grid->RowHeights(2);
  ASSERT_FALSE(sized.empty());
  EXPECT_EQ(sized.back(), 2);
  EXPECT_EQ(Grid->Cells(1, 2), "") << "measured with the typed text, the cell keeps its own";
  Headless::PressKey(*e, VK_RETURN);
  Grid->SetRowHeights(2, 5);
  Grid->AutoSizeRow(2, 0);
  EXPECT_EQ(typed, Grid->RowHeights(2)) << "the height the committed text gets";
}

TEST_F(ProInplaceEditTyping, LineFeedOnEnterSwapsEnterAndCtrlEnter) {
  Grid->Navigation().SetLineFeedOnEnter(true);
  Grid->SetWordWrap(true);
  TProInplaceEdit* e = Open(1, 1);
  ASSERT_TRUE(e);
  e->SetText("");
  Headless::TypeText(*e, "ab");
  Headless::PressKey(*e, VK_RETURN);
  Headless::TypeText(*e, "cd");
  EXPECT_TRUE(e->Visible()) << "Enter breaks the line";
  EXPECT_EQ(Cell(), (TGridCoord{1, 1}));
  Headless::PressKey(*e, VK_RETURN, ssCtrl);
  Application->ProcessMessages();
  EXPECT_FALSE(Grid->NormalEdit()->Visible()) << "Ctrl+Enter ends the edit";
  const std::string text = Grid->Cells(1, 1);
  EXPECT_TRUE(text == "ab\r\ncd" || text == "ab\ncd") << text;
}

TEST_F(ProInplaceEditTyping, WithoutLineFeedOnEnterEnterEndsTheEdit) {
  TProInplaceEdit* e = Open(1, 1);
  e->SetText("");
  Headless::TypeText(*e, "ab");
  Headless::PressKey(*e, VK_RETURN);
  Application->ProcessMessages();
  EXPECT_FALSE(Grid->NormalEdit()->Visible());
  EXPECT_EQ(Grid->Cells(1, 1), "ab");
}

TEST_F(ProInplaceEditTyping, AFilledMaskMovesOnWithAdvanceAuto) {
  Grid->Columns().Items(1)->SetEditMask("99-99;1;_");
  Grid->Navigation().SetAdvanceAuto(true);
  TProInplaceEdit* e = Open(1, 1);
  ASSERT_TRUE(e);
  Headless::TypeText(*e, "123");
  EXPECT_EQ(Cell(), (TGridCoord{1, 1})) << "not yet full";
  Headless::TypeText(*e, "4");
  Application->ProcessMessages();
  EXPECT_EQ(Cell(), (TGridCoord{2, 1}));
  EXPECT_EQ(Grid->Cells(1, 1), "12-34");
  Grid->Navigation().SetAdvanceAuto(false);
  e = Open(1, 2);
  Headless::TypeText(*e, "1234");
  EXPECT_EQ(Cell(), (TGridCoord{1, 2})) << "without AdvanceAuto the edit stays";
}

} // namespace
