// Rich-text cells: the cell keeps its RTF, the editor shows and edits its plain text.
#include "controls/ProUtilCellText.h"
#include "grid/ProRichEdit.h"
#include "platform/ui/RichEditText.h"

#include "EditorKindsFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using RichTextCellTest = EditorKindsTest;

TEST_F(RichTextCellTest, SubscriptAndSuperscriptOfTheSelection) {
  TProRichEdit* rich = Grid->RichEdit();
  rich->LoadRTF("{\\rtf1 x2}");
  rich->SetSelStart(1);
  rich->SetSelLength(1);
  EXPECT_TRUE(rich->IsSelNormal());
  EXPECT_FALSE(rich->IsSelSuperscript());
  rich->SelSuperscript();
  EXPECT_TRUE(rich->IsSelSuperscript());
  EXPECT_FALSE(rich->IsSelNormal());
  EXPECT_FALSE(rich->IsSelSubscript());
  EXPECT_NE(Grid->RichToString(rich).find("\\up4 2"), std::string::npos) << "40 twips up";
  rich->SelSubscript();
  EXPECT_TRUE(rich->IsSelSubscript());
  rich->SelNormal();
  EXPECT_TRUE(rich->IsSelNormal());
  EXPECT_FALSE(rich->IsSelSuperscript());
}

TEST_F(RichTextCellTest, AnUneditedCellKeepsItsRtfByteForByte) {
  const std::string stored = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\b bold\\b0  and \\up4 up\\up0\\par}";
  Grid->SetCells(RichCol, 1, stored);
  Open(RichCol, 1);
  TProRichEdit* rich = Grid->InplaceRichEdit();
  ASSERT_TRUE(rich->Visible());
  EXPECT_EQ(rich->Text(), "bold and up");
  Leave();
  EXPECT_EQ(Grid->Cells(RichCol, 1), stored);

  Open(RichCol, 1);
  rich->SetSelStart(static_cast<int>(rich->Text().size()));
  Headless::TypeText(*rich, "!");
  Leave();
  const TRichPlainText now = RichTextRead(Grid->Cells(RichCol, 1));
  EXPECT_EQ(now.Text, "bold and up!");
  EXPECT_EQ(now.Offsets[9], 4) << "the offsets are kept";
  EXPECT_EQ(Grid->Cells(RichCol, 1).find("\\b"), std::string::npos) << "other formatting is not";
}

TEST_F(RichTextCellTest, EscKeepsTheCellAndTabOpensTheNextEditor) {
  Grid->SetCells(RichCol, 2, "{\\rtf1 caf\\'e9}");
  Grid->SetOptions(Grid->Options() | goTabs);
  Grid->Columns().Items(RichCol + 1)->SetEditor(edRichEdit);
  Open(RichCol, 2);
  TProRichEdit* rich = Grid->InplaceRichEdit();
  EXPECT_EQ(rich->Text(), "caf\xC3\xA9");
  Press(*rich, VK_TAB);
  EXPECT_EQ(Grid->Col(), RichCol + 1);
  EXPECT_TRUE(Grid->EditMode());
  EXPECT_TRUE(rich->Visible()) << "the next cell's editor opened";
  EXPECT_EQ(Grid->Cells(RichCol, 2), "{\\rtf1 caf\\'e9}");
}

TEST_F(RichTextCellTest, AWideCellStaysWideUnlessACharacterIsRaised) {
  // The wide form keeps no offsets: a raised character turns the cell into RTF.
  Grid->SetOptions(Grid->Options() | goTabs);
  std::vector<std::string> asked;
  Grid->OnCellValidateWide = [&](TObject*, int, int, std::string& v, bool&) { asked.push_back(v); };
  enum TEnd { TabAway, FocusLoss };
  struct {
    TEnd End;
    bool Raise;
  } cases[] = {{TabAway, false}, {FocusLoss, false}, {FocusLoss, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.End == TabAway ? "Tab" : "focus loss") + (c.Raise ? ", raised" : ""));
    asked.clear();
    Grid->SetCells(RichCol, 3, EncodeWideCellText("{\\rtf1 x2}"));
    Open(RichCol, 3);
    TProRichEdit* rich = Grid->InplaceRichEdit();
    ASSERT_TRUE(rich->Visible());
    EXPECT_EQ(rich->Text(), "{\\rtf1 x2}") << "wide text is never read as RTF";
    rich->SetSelStart(static_cast<int>(rich->Text().size()));
    Headless::TypeText(*rich, "!");
    if (c.Raise) {
      rich->SetSelStart(1);
      rich->SetSelLength(1);
      rich->SelSuperscript();
    }
    if (c.End == TabAway)
      Press(*rich, VK_TAB);
    else
      Leave();
    const std::string stored = Grid->Cells(RichCol, 3);
    if (c.Raise) {
      const TRichPlainText now = RichTextRead(stored);
      EXPECT_EQ(now.Text, "{\\rtf1 x2}!");
      EXPECT_EQ(now.Offsets[1], 4);
    } else {
      EXPECT_EQ(stored, EncodeWideCellText("{\\rtf1 x2}!"));
    }
    EXPECT_EQ(asked, c.End == TabAway ? std::vector<std::string>{"{\\rtf1 x2}!"} : std::vector<std::string>{})
        << "asked about the text as edited";
    Grid->HideInplaceEdit();
  }
}

TEST_F(RichTextCellTest, TypingGrowsTheRowButNotPastTheGrid) {
  Grid->SizeWhileTyping().SetHeight(true);
  Grid->SetRowHeights(1, 20);
  std::vector<int> sized;
  Grid->OnEndRowSize = [&](TObject*, int row) { sized.push_back(row); };
  Open(RichCol, 1);
  TProRichEdit* rich = Grid->InplaceRichEdit();
  rich->SetText("one\r\ntwo\r\nthree");
  EXPECT_GT(Grid->RowHeights(1), 20);
  EXPECT_EQ(sized, std::vector<int>{1});
  const int grown = Grid->RowHeights(1);
  std::string tall;
  for (int i = 0; i < 40; ++i)
    tall += "line\r\n";
  rich->SetText(tall);
  EXPECT_EQ(Grid->RowHeights(1), grown) << "the grid's bottom stops it";
  EXPECT_LE(Grid->CellRect(RichCol, 1).Top + Grid->RowHeights(1), Grid->ClientHeight());
  Leave();
}

} // namespace
