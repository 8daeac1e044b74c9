// Copy, cut and paste on the in-process clipboard: the text layout, the formats placed together,
// the order of preference when pasting, smart fill, and pasted text that must not grow the grid
// past its maximums.
#include "ProGridFixture.h"
#include "controls/ProUtilDates.h"
#include "grid/GridClipboardText.h"
#include "grid/ProGridUnit.h"
#include "platform/DateText.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/Headless.h"

#include <gtest/gtest.h>

namespace {

using namespace std::literals;

template <bool Shown> class TClipboardTestOf : public TProGridTest<TProStringGrid, Shown> {
protected:
  void SetUp() override {
    Previous = SetClipboardBackend(NewMemoryClipboard());
    TProGridTest<TProStringGrid, Shown>::SetUp();
    TProStringGrid& g = *this->Grid;
    g.SetFixedCols(1);
    g.SetFixedRows(1);
    g.SetColCount(5);
    g.SetRowCount(8);
    g.SetOptions(g.Options() | goEditing);
  }
  void TearDown() override {
    TProGridTest<TProStringGrid, Shown>::TearDown();
    SetClipboardBackend(std::move(Previous));
  }
  static void PutOnClipboard(const std::string& text, const std::string& rtf, const std::string& cells) {
    Clipboard()->Open();
    if (!text.empty()) Clipboard()->SetAsText(text);
    if (!rtf.empty()) Clipboard()->SetBuffer(RichTextClipboardFormat(), rtf);
    if (!cells.empty()) Clipboard()->SetBuffer(GridCellsClipboardFormat(), cells);
    Clipboard()->Close();
  }
  std::unique_ptr<IClipboardBackend> Previous;
};

using TClipboardTest = TClipboardTestOf<false>;
using TClipboardMouseTest = TClipboardTestOf<true>;

TEST_F(TClipboardTest, CopiedTextHasTabsBetweenCellsAndLineEndsAfterRowsOfABlock) {
  Grid->SetCells(1, 1, "a");
  Grid->SetCells(2, 1, "b");
  Grid->SetCells(1, 2, "c");
  Grid->SetCells(2, 2, "d");
  Grid->SelectCells(1, 1, 2, 2);
  Grid->CopySelectionToClipboard();
  EXPECT_EQ(Clipboard()->AsText(), "a\tb\r\nc\td\r\n");
  EXPECT_EQ(Grid->ClipLastOp(), coCopy);
  Grid->SelectCells(1, 1, 2, 1);
  Grid->CopySelectionToClipboard();
  EXPECT_EQ(Clipboard()->AsText(), "a\tb");
  EXPECT_FALSE(Clipboard()->HasFormat(GridCellsClipboardFormat()));
}

TEST_F(TClipboardTest, AMultiLineCellIsCopiedWithOneLineBreakAndPastedBackWithCRLF) {
  Grid->SetCells(1, 1, "x\r\ny");
  Grid->SelectCells(1, 1, 1, 1);
  Grid->CopySelectionToClipboard();
  EXPECT_EQ(Clipboard()->AsText(), "\"x\ny\""); // mended: not "x\n\ny"
  Grid->SelectCells(2, 2, 2, 2);
  Grid->PasteSelectionFromClipboard();
  EXPECT_EQ(Grid->Cells(2, 2), "x\r\ny");
}

TEST_F(TClipboardTest, DisjunctRowsCopyOnlyTheSelectedRows) {
  Grid->MouseActions().SetDisjunctRowSelect(true);
  for (int r = 1; r < 8; ++r)
    Grid->SetCells(1, r, "r" + std::to_string(r));
  Grid->SetRowSelect(3, true);
  Grid->SetRowSelect(5, true);
  Grid->CopySelectionToClipboard();
  EXPECT_EQ(Clipboard()->AsText(), "r3\t\t\t\r\nr5\t\t\t\r\n");
}

TEST_F(TClipboardTest, CutEmptiesEditableCellsAndLeavesReadOnlyOnesUnlessAlways) {
  for (bool always : {false, true}) {
    Grid->SetCells(1, 1, "free");
    Grid->SetCells(2, 1, "locked");
    Grid->OnCanEditCell = [](TObject*, int, int ACol, bool& can) { can = ACol != 2; };
    Grid->Navigation().SetAllowClipboardAlways(always);
    Grid->SelectCells(1, 1, 2, 1);
    Grid->CutSelectionToClipboard();
    EXPECT_EQ(Clipboard()->AsText(), "free\tlocked");
    EXPECT_EQ(Grid->Cells(1, 1), "");
    EXPECT_EQ(Grid->Cells(2, 1), always ? "" : "locked") << always;
    EXPECT_EQ(Grid->ClipLastOp(), coCut);
  }
}

TEST_F(TClipboardTest, PasteTakesTheOwnFormatThenRichTextThenText) {
  Grid->Navigation().SetAllowFmtClipboard(true);
  Grid->Navigation().SetAllowRTFClipboard(true);
  TGridOnForm<> other(false);
  other.Grid->SetCells(0, 0, "own");
  TMemoryStream cells;
  other.Grid->SaveRectToBinStream({0, 0, 0, 0}, cells);
  const std::string rtf = "{\0\\\0r\0t\0f\0 \0R\0}\0\0\0"s;
  struct {
    const char* Name;
    bool Cells, Rtf;
    const char* Expected;
  } cases[] = {{"all three", true, true, "own"},
               {"rich text and text", false, true, "{\\rtf R}"},
               {"text only", false, false, "text"}};
  for (const auto& c : cases) {
    PutOnClipboard("text", c.Rtf ? rtf : "", c.Cells ? cells.Bytes() : "");
    Grid->SelectCells(2, 2, 2, 2);
    Grid->PasteSelectionFromClipboard();
    EXPECT_EQ(Grid->Cells(2, 2), c.Expected) << c.Name;
  }
  // Mended: a rich-text block without its zero ends with the block (an odd last byte is no unit).
  PutOnClipboard("text", "{\0x\0}\0!"s, "");
  Grid->SelectCells(3, 3, 3, 3);
  Grid->PasteSelectionFromClipboard();
  EXPECT_EQ(Grid->Cells(3, 3), "{x}");
}

TEST_F(TClipboardTest, ABlockCopiedFromOneGridPastesIntoAnotherWithItsProperties) {
  TGridOnForm<> from(false);
  from.Grid->SetColCount(4);
  from.Grid->SetRowCount(4);
  from.Grid->Navigation().SetAllowFmtClipboard(true);
  from.Grid->SetCells(1, 1, "red");
  from.Grid->SetColors(1, 1, clRed);
  from.Grid->SetCells(2, 2, "two");
  from.Grid->SelectCells(1, 1, 2, 2);
  from.Grid->CopySelectionToClipboard();
  EXPECT_TRUE(Clipboard()->HasFormat(GridCellsClipboardFormat()));
  EXPECT_EQ(Clipboard()->AsText(), "red\t\r\n\ttwo\r\n");

  Grid->Navigation().SetAllowFmtClipboard(true);
  Grid->SelectCells(3, 5, 3, 5);
  Grid->PasteSelectionFromClipboard();
  EXPECT_EQ(Grid->Cells(3, 5), "red");
  EXPECT_EQ(Grid->Colors(3, 5), clRed);
  EXPECT_EQ(Grid->Cells(4, 6), "two");
  EXPECT_EQ(Grid->ColCount(), 5);
  // Pasted at the grid's right edge, the block grows the grid by what the header says.
  Grid->SelectCells(4, 1, 4, 1);
  Grid->PasteSelectionFromClipboard();
  EXPECT_EQ(Grid->ColCount(), 6);
  EXPECT_EQ(Grid->Cells(5, 2), "two");
}

TEST_F(TClipboardTest, SmartFillRepeatsOneValueAndContinuesSeries) {
  Grid->Navigation().SetAllowSmartClipboard(true);
  int before = 0, after = 0;
  Grid->OnClipboardBeforePasteCell = [&](TObject*, int, int, std::string&, bool&) { ++before; };
  Grid->OnClipboardAfterPasteCell = [&](TObject*, int, int, const std::string&) { ++after; };
  PutOnClipboard("v", "", "");
  Grid->SelectCells(1, 1, 3, 4);
  Grid->PasteSelectionFromClipboard();
  for (int c = 1; c <= 3; ++c)
    for (int r = 1; r <= 4; ++r)
      EXPECT_EQ(Grid->Cells(c, r), "v") << c << "," << r;
  EXPECT_EQ(before, 12); // the paste of the top-left cell and the eleven fills
  EXPECT_EQ(after, 12);

  // Two values in a column: an integer series, a number series, dates by month, times by hour.
  TDateTime jan = 0, feb = 0;
  ASSERT_TRUE(TryEncodeDate(2024, 1, 15, jan) && TryEncodeDate(2024, 2, 15, feb));
  const struct {
    std::string First, Second;
    std::vector<std::string> Expected;
  } series[] = {
      {"1", "3", {"1", "3", "5", "7", "9", "11"}},
      {"1.5", "2", {"1.50", "2.00", "2.50", "3.00", "3.50", "4.00"}},
      {DateToStr(jan), DateToStr(feb), {}},
      {TimeToStr(0.25), TimeToStr(0.25 + 1.0 / 24), {}},
  };
  for (const auto& s : series) {
    Grid->SetCells(2, 1, s.First);
    Grid->SetCells(2, 2, s.Second);
    Grid->SelectCells(2, 1, 2, 2);
    Grid->CopySelectionToClipboard();
    Grid->SelectCells(2, 1, 2, 6);
    Grid->PasteSelectionFromClipboard();
    for (int r = 1; r <= 6; ++r) {
      std::string expected = r <= static_cast<int>(s.Expected.size()) ? s.Expected[r - 1] : "";
      if (s.Expected.empty()) {
        TDateTime d = 0;
        if (s.First == DateToStr(jan)) {
          ASSERT_TRUE(TryEncodeDate(2024, r, 15, d));
          expected = DateToStr(d);
        } else {
          expected = TimeToStr(0.25 + (r - 1) / 24.0);
        }
      }
      EXPECT_EQ(Grid->Cells(2, r), expected) << s.First << " row " << r;
    }
  }
}

TEST_F(TClipboardTest, TextBlocksRepeatWholeAndAnExactFitStops) {
  Grid->Navigation().SetAllowSmartClipboard(true);
  Grid->SetColCount(9);
  // Mended: a copied row repeats whole (period 3, not 2).
  PutOnClipboard("a\tb\tc", "", "");
  Grid->SelectCells(1, 1, 7, 1);
  Grid->PasteSelectionFromClipboard();
  std::string row;
  for (int c = 1; c <= 7; ++c)
    row += Grid->Cells(c, 1);
  EXPECT_EQ(row, "abcabca");
  // A copied column repeats too.
  PutOnClipboard("x\r\ny\r\n", "", "");
  Grid->SelectCells(1, 2, 1, 6);
  Grid->PasteSelectionFromClipboard();
  std::string col;
  for (int r = 2; r <= 6; ++r)
    col += Grid->Cells(1, r);
  EXPECT_EQ(col, "xyxyx");
  // A 2 x 2 copy pasted into a 2 x 2 selection fills exactly and stops.
  PutOnClipboard("1\t2\r\n3\t4\r\n", "", "");
  Grid->SetCells(3, 3, "keep");
  Grid->SelectCells(1, 2, 2, 3);
  Grid->PasteSelectionFromClipboard();
  EXPECT_EQ(Grid->Cells(2, 3), "4");
  EXPECT_EQ(Grid->Cells(3, 3), "keep");
}

TEST_F(TClipboardTest, InsertModeAndReadOnlyCells) {
  Grid->Navigation().SetClipboardPasteAction(paInsert);
  Grid->SetCells(1, 1, "below");
  PutOnClipboard("n1\r\nn2\r\n", "", "");
  Grid->SelectCells(1, 1, 1, 1);
  Grid->PasteSelectionFromClipboard();
  EXPECT_EQ(Grid->RowCount(), 10);
  EXPECT_EQ(Grid->Cells(1, 1), "n1");
  EXPECT_EQ(Grid->Cells(1, 2), "n2");
  EXPECT_EQ(Grid->Cells(1, 3), "below");

  Grid->Navigation().SetClipboardPasteAction(paReplace);
  Grid->OnCanEditCell = [](TObject*, int, int ACol, bool& can) { can = ACol != 2; };
  PutOnClipboard("p\tq\tr", "", "");
  Grid->SelectCells(1, 5, 1, 5);
  Grid->PasteSelectionFromClipboard();
  EXPECT_EQ(Grid->Cells(1, 5), "p");
  EXPECT_EQ(Grid->Cells(2, 5), "");
  EXPECT_EQ(Grid->Cells(3, 5), "r");
}

TEST_F(TClipboardTest, HostilePastedTextIsRefusedOrStaysInsideTheGrid) {
  Grid->FileOptions().MaxLoadColCount = 1000;
  Grid->FileOptions().MaxLoadRowCount = 1000;
  const struct {
    const char* Name;
    std::string Text;
    bool Refused;
  } cases[] = {
      {"a line of 100,000 delimiters", std::string(100000, '\t'), true},
      {"100,000 lines", std::string(100000, '\r'), true},
      {"unclosed quote", "\"abc\ndef", false},
      {"a field past the last column without growth", "1\t2\t3\t4\t5\t6", false},
  };
  for (const auto& c : cases) {
    Grid->SetColCount(5);
    Grid->SetRowCount(8);
    Grid->Navigation().SetAllowClipboardColGrow(c.Refused);
    Grid->SetCells(1, 1, "old");
    PutOnClipboard(c.Text, "", "");
    Grid->SelectCells(1, 1, 1, 1);
    if (c.Refused) {
      EXPECT_THROW(Grid->PasteSelectionFromClipboard(), EProGridError) << c.Name;
      EXPECT_EQ(Grid->Cells(1, 1), "old") << c.Name;
    } else {
      Grid->PasteSelectionFromClipboard();
    }
    EXPECT_EQ(Grid->ColCount(), 5) << c.Name;
    EXPECT_LE(Grid->RowCount(), 9) << c.Name;
  }
  EXPECT_EQ(Grid->Cells(4, 1), "4");
  // The unclosed quote lost its quote; the lone LF came back as CR LF.
  PutOnClipboard("\"abc\ndef", "", "");
  Grid->PasteSelectionFromClipboard();
  EXPECT_EQ(Grid->Cells(1, 1), "abc\r\ndef");
  // Foreign own-format data follows the stream's rules: damaged data changes nothing.
  Grid->Navigation().SetAllowFmtClipboard(true);
  PutOnClipboard("t", "",
                 "TPF0\x0BTGridPropIO\0\x08"
                 "ColCount\x04\xFF\xFF\xFF\x7F"s);
  EXPECT_THROW(Grid->PasteSelectionFromClipboard(), EStreamError);
  EXPECT_EQ(Grid->ColCount(), 5);
}

TEST_F(TClipboardTest, SelectionAsTextGrowsTheGridFirstAndWritesInside) {
  Grid->SelectCells(3, 6, 3, 6);
  Grid->SetSelectionAsText("a\tb\tc\r\nd\r\ne");
  EXPECT_EQ(Grid->ColCount(), 6);
  EXPECT_EQ(Grid->RowCount(), 9);
  EXPECT_EQ(Grid->Cells(5, 6), "c");
  EXPECT_EQ(Grid->Cells(3, 8), "e");
  Grid->SelectCells(3, 6, 5, 6);
  EXPECT_EQ(Grid->GetSelectionAsText(), "a\tb\tc");
  EXPECT_EQ(Grid->TextCellExtent("a\tb\tc\r\nd\r\n"), (TPoint{3, 1}));
}

TEST_F(TClipboardMouseTest, TheSelectionResizerCopiesAndFills) {
  Grid->Navigation().SetAllowSmartClipboard(true);
  Grid->SetOptions(Grid->Options() | goRangeSelect);
  Grid->SetSelectionRectangle(true);
  Grid->SetSelectionResizer(true);
  Grid->SetCells(1, 1, "1");
  Grid->SetCells(1, 2, "3");
  Grid->SelectCells(1, 1, 1, 2);
  const TRect corner = Grid->CellRect(1, 2);
  const TPoint handle{corner.Right - 1, corner.Bottom - 1};
  Headless::MouseMove(*Grid, handle);
  Headless::MouseDown(*Grid, handle);
  EXPECT_EQ(Clipboard()->AsText(), "1\r\n3\r\n");
  const TRect last = Grid->CellRect(1, 6);
  const TPoint to{(last.Left + last.Right) / 2, (last.Top + last.Bottom) / 2};
  Headless::MouseMove(*Grid, to);
  Headless::MouseUp(*Grid, to);
  std::string col;
  for (int r = 1; r <= 6; ++r)
    col += Grid->Cells(1, r) + " ";
  EXPECT_EQ(col, "1 3 5 7 9 11 ");
}

} // namespace
