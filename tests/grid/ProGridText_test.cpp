#include "grid/ProGrid.h"

#include "platform/ui/Forms.h"
#include "support/UiTestFixture.h"

#include <gtest/gtest.h>

namespace {

class ProGridTextTest : public TUiTest {
protected:
  void SetUp() override {
    TUiTest::SetUp();
    Form = new TForm(nullptr);
    Form->SetClientWidth(500);
    Form->SetClientHeight(400);
    Grid = new TProStringGrid(Form);
    Grid->SetParent(Form);
    Grid->SetColCount(5);
    Grid->SetRowCount(5);
    Form->Show();
    Application->ProcessMessages();
  }
  void TearDown() override {
    Form->Free();
    TUiTest::TearDown();
  }
  void FillAll(const std::string& text) {
    for (int r = 0; r < Grid->RowCount(); ++r)
      for (int c = 0; c < Grid->TotalColCount(); ++c)
        Grid->SetGridCells(c, r, text);
  }
  TForm* Form = nullptr;
  TProStringGrid* Grid = nullptr;
};

// Upper-cases every cell it corrects and counts the cells it saw.
class TUpperChecker : public TProStringGridCheck {
public:
  using TProStringGridCheck::TProStringGridCheck;
  std::string Correct(int, int, const std::string& s) override {
    ++Seen;
    std::string out = s;
    for (char& ch : out)
      ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    return out;
  }
  void StartCheck() override { ++Starts; }
  void StopCheck() override { ++Stops; }
  int Seen = 0, Starts = 0, Stops = 0;
};

} // namespace

TEST(ProGridTextOps, TagTextCases) {
  struct Case {
    bool mark, doCase;
    std::string s, text, want;
  } cases[] = {
      {false, true, "Hello hello", "hello", "Hello <hi>hello</hi>"},
      {false, false, "Hello hello", "hello", "<hi>Hello</hi> <hi>hello</hi>"},
      {true, true, "<b>a</b> bc", "bc", "<b>a</b> <e>bc</e>"},
      {false, true, "nothing", "x", "nothing"},
  };
  for (const Case& c : cases) {
    const std::string tagged = c.mark ? TProStringGrid::MarkText(c.doCase, c.s, c.text)
                                      : TProStringGrid::HilightText(c.doCase, c.s, c.text);
    EXPECT_EQ(tagged, c.want) << c.s;
    EXPECT_EQ(c.mark ? TProStringGrid::UnMarkText(tagged) : TProStringGrid::UnHilightText(tagged), c.s);
  }
}

TEST_F(ProGridTextTest, RangesOfHighlightingAndMarking) {
  FillAll("ab");
  Grid->HideColumn(1);
  // The row form takes the real columns: hidden column 1 and the last column are reached.
  Grid->HilightInRow(false, true, 2, "a");
  EXPECT_EQ(Grid->GridCells(0, 2), "ab");
  for (int c = 1; c < 5; ++c)
    EXPECT_EQ(Grid->AllCells(c, 2), "<hi>a</hi>b") << c;
  Grid->UnHilightInGrid(true);
  EXPECT_EQ(Grid->GridCells(4, 2), "ab");
  Grid->MarkInCol(false, true, 4, "b");
  EXPECT_EQ(Grid->GridCells(4, 0), "ab");
  EXPECT_EQ(Grid->GridCells(4, 1), "a<e>b</e>");
  EXPECT_EQ(Grid->GridCells(4, 4), "a<e>b</e>");
  Grid->UnMarkInGrid(false);
  for (int r = 0; r < 5; ++r)
    EXPECT_EQ(Grid->GridCells(4, r), "ab") << r;
}

TEST_F(ProGridTextTest, HighlightingALessThanSignRoundTrips) {
  Grid->SetCells(2, 3, "a<b");
  Grid->HilightInCell(true, 2, 3, "<b");
  EXPECT_EQ(Grid->GridCells(2, 3), "a<hi>&lt;b</hi>");
  Grid->UnHilightInCell(2, 3);
  EXPECT_EQ(Grid->GridCells(2, 3), "a<b");
}

TEST_F(ProGridTextTest, CheckCellsRunsTheCheckerOverEveryCell) {
  FillAll("ok");
  EXPECT_TRUE(Grid->CheckGrid(true)); // no checker: true, nothing changed
  EXPECT_EQ(Grid->GridCells(2, 2), "ok");

  TUpperChecker checker(nullptr);
  checker.SetUseCorrect(true);
  checker.SetGotoCell(true);
  Grid->SetCellChecker(&checker);
  Grid->GotoCell(3, 4);
  Grid->SetCells(1, 1, "<e>OK</e>"); // an old mark goes; an unchanged text passes
  Grid->SetCells(2, 1, "OK");
  EXPECT_TRUE(Grid->CheckCells(1, 1, 2, 1));
  EXPECT_EQ(Grid->GridCells(1, 1), "OK");
  EXPECT_FALSE(Grid->CheckCells(1, 2, 4, 3));
  EXPECT_EQ(checker.Seen, 2 + 8); // all cells, also after the first failure
  EXPECT_EQ(Grid->GridCells(4, 3), "OK");
  EXPECT_EQ(Grid->GridCells(4, 4), "ok");
  EXPECT_EQ(checker.Starts, 2);
  EXPECT_EQ(checker.Stops, 2);
  EXPECT_EQ(Grid->Col(), 3);
  EXPECT_EQ(Grid->Row(), 4);
  EXPECT_FALSE(Grid->CheckRow(false, 4));
  EXPECT_EQ(Grid->GridCells(0, 4), "ok");
  Grid->SetCellChecker(nullptr);
}

TEST_F(ProGridTextTest, ControlValuesCases) {
  const std::string cell = R"(Qty <CONTROL TYPE="EDIT" ID="q" VALUE="5" WIDTH="40">)";
  Grid->SetCells(2, 1, cell);
  Grid->SetURLShowInText(true);
  EXPECT_EQ(Grid->ControlValues(2, 1, "q"), "5");
  EXPECT_EQ(Grid->ControlValues(2, 1, "x"), "");
  EXPECT_EQ(Grid->ControlValues(-1, 1, "q"), "");
  EXPECT_EQ(Grid->ControlValues(2, 99, "q"), "");
  Grid->SetControlValues(2, 1, "x", "7");
  EXPECT_EQ(Grid->GridCells(2, 1), cell);
  Grid->SetControlValues(2, 1, "q", "a<b");
  EXPECT_EQ(Grid->ControlValues(2, 1, "q"), "a<b");
  EXPECT_EQ(Grid->GridCells(2, 1).substr(0, 4), "Qty ");
  Grid->SetControlValues(9, 1, "q", "1"); // outside: nothing
}

TEST_F(ProGridTextTest, AddressesShownAsLinks) {
  struct Case {
    bool on;
    std::string stored, shown;
  } cases[] = {
      {false, "www.a.com", "www.a.com"},
      {true, "see www.a.com", "see <a href=\"www.a.com\">www.a.com</a>"},
      // "HTTP://" is tried first, so only that address becomes a link.
      {true, "www.a.com or http://b.com", "www.a.com or <a href=\"http://b.com\">http://b.com</a>"},
      {true, "mail MAILTO:x@y.org", "mail <a href=\"MAILTO:x@y.org\">MAILTO:x@y.org</a>"},
      {true, "plain", "plain"},
  };
  for (const Case& c : cases) {
    Grid->SetURLShowInText(c.on);
    Grid->SetGridCells(1, 2, c.stored);
    EXPECT_EQ(Grid->Cells(1, 2), c.shown) << c.stored;
    EXPECT_EQ(Grid->GridCells(1, 2), c.stored);
  }
}

TEST_F(ProGridTextTest, ScreenToCellCases) {
  const TRect r = Grid->CellRect(2, 3);
  struct Case {
    TPoint client;
    int col, row;
  } cases[] = {
      {{r.Left + 3, r.Top + 3}, 2, 3},
      {{1, 1}, 0, 0},
      {{4000, 4000}, -1, -1},
  };
  for (const Case& c : cases) {
    int col = 7, row = 7;
    Grid->ScreenToCell(Grid->ClientToScreen(c.client), col, row);
    EXPECT_EQ(col, c.col);
    EXPECT_EQ(row, c.row);
  }
}
