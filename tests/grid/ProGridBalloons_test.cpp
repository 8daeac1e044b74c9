// Balloon texts over cells, the focus frame's geometry and the row hooks.
#include "ProGridFixture.h"

#include "support/ControlPicture.h"
#include "support/PixelTools.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class ProGridBalloonsTest : public TProGridTest<> {
protected:
  void SetUp() override {
    TProGridTest::SetUp();
    Grid->SetColCount(5);
    Grid->SetRowCount(6);
    Grid->Balloon().SetEnable(true);
  }
  struct TBalloon {
    bool Shown = false;
    std::string Title, Text;
    int Icon = -1;
  };
  TBalloon Over(int ACol, int ARow) {
    TRect r = Grid->CellRect(ACol, ARow);
    TBalloon b;
    b.Shown = Grid->CellBalloon((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2, b.Title, b.Text, b.Icon);
    return b;
  }
};

} // namespace

TEST_F(ProGridBalloonsTest, TextsAsTheBalloonShowsThem) {
  struct TCase {
    std::string Stored, Expected;
  } cases[] = {
      {"", ""},
      {"plain", "plain"},
      {"a\tb\tc", "a b c"},
      {"\r\n\r\nlead", "lead"},
      {"\r\n\tlead", " lead"}, // tabs become blanks first
      {"<b>bold</b> and <i>it</i>", "bold and it"},
      {"{\\rtf1 Rich\\par}", "Rich"},
      {std::string(2048, 'x'), std::string(2048, 'x')},
      {std::string(5000, 'x'), std::string(2045, 'x') + "..."},
  };
  for (const TCase& c : cases) {
    Grid->SetCells(2, 2, c.Stored);
    TBalloon b = Over(2, 2);
    EXPECT_TRUE(b.Shown);
    EXPECT_EQ(b.Text, c.Expected) << c.Stored.substr(0, 20);
    EXPECT_EQ(b.Title, " ");
    EXPECT_EQ(b.Icon, 1);
  }
}

TEST_F(ProGridBalloonsTest, EventGetsTheRealColumnAndLongTitlesAreCut) {
  Grid->HideColumn(1);
  Grid->SetCells(3, 2, "behind");
  int col = -1, row = -1;
  Grid->OnCellBalloon = [&](TObject*, int ACol, int ARow, std::string& ATitle, std::string& AText,
                            int& AIcon) {
    col = ACol;
    row = ARow;
    ATitle = std::string(120, 't');
    AText += "!";
    AIcon = 3;
  };
  TBalloon b = Over(2, 2);
  EXPECT_EQ(col, 3);
  EXPECT_EQ(row, 2);
  EXPECT_EQ(b.Text, "behind!");
  EXPECT_EQ(b.Title, std::string(97, 't') + "...");
  EXPECT_EQ(b.Icon, 3);
  EXPECT_EQ(Grid->LastBalloonPos(), (TPoint{2, 2}));
}

TEST_F(ProGridBalloonsTest, MergedCellsShowTheBaseCellAndDisabledBalloonsNothing) {
  Grid->SetCells(1, 1, "base");
  Grid->MergeCells(1, 1, 2, 2);
  EXPECT_EQ(Over(2, 2).Text, "base");
  Grid->Balloon().SetEnable(false);
  EXPECT_FALSE(Over(2, 2).Shown);
}

TEST(ProGridFocusFrame, FrameSurroundsTheCellByFourPixels) {
  TFocusFrameGeometry g = TProStringGrid::FocusFrameGeometry({100, 50, 164, 70});
  EXPECT_EQ(g.Window, (TRect{96, 46, 96 + 73, 46 + 29}));
  EXPECT_EQ(g.Hole, (TRect{4, 4, 68, 24}));
  EXPECT_EQ(g.Color, 0xFDD397);
  EXPECT_EQ(g.Opacity, 230);
}

TEST_F(ProGridBalloonsTest, RowHooks) {
  Grid->SetRowCount(2);
  Grid->SetCells(1, 1, "only");
  int deleted = -1;
  Grid->OnAutoDeleteRow = [&](TObject*, int ARow) { deleted = ARow; };
  Grid->AutoDeleteRow(1);
  EXPECT_EQ(Grid->RowCount(), 2) << "the only normal row is cleared, not removed";
  EXPECT_EQ(Grid->Cells(1, 1), "");
  EXPECT_EQ(deleted, 1);
  Grid->AutoInsertRow(1);
  EXPECT_EQ(Grid->RowCount(), 3);
  Grid->AutoDeleteRow(1);
  EXPECT_EQ(Grid->RowCount(), 2);

  int l = -1, b = -1;
  Grid->OnSelectionChanged = [&](TObject*, int ALeft, int, int, int ABottom) {
    l = ALeft;
    b = ABottom;
  };
  Grid->SelectionChanged(1, 1, 3, 1);
  EXPECT_EQ(l, 1);
  EXPECT_EQ(b, 1);
  EXPECT_TRUE(Grid->SelChange());
}

TEST_F(ProGridBalloonsTest, RowHooksWithNodesInsertChildAndNormalRows) {
  Grid->SetRowCount(8);
  Grid->AddNode(2, 3); // rows 2 .. 4
  Grid->AutoInsertRow(3);
  EXPECT_EQ(Grid->RowCount(), 9);
  EXPECT_EQ(Grid->GetNodeSpan(2), 4) << "a child row joins the group";
  Grid->AutoInsertRow(7);
  EXPECT_EQ(Grid->RowCount(), 10);
  EXPECT_EQ(Grid->GetNodeSpan(2), 4) << "a normal row outside the group";
  Grid->AutoDeleteRow(3);
  EXPECT_EQ(Grid->RowCount(), 9);
  EXPECT_EQ(Grid->GetNodeSpan(2), 3);
}

TEST_F(ProGridBalloonsTest, MovingOverACellShowsItsBalloon) {
  Grid->SetCells(2, 2, "first");
  Grid->SetCells(3, 2, "second");
  auto centre = [&](int c, int r) {
    TRect rc = Grid->CellRect(c, r);
    return TPoint{(rc.Left + rc.Right) / 2, (rc.Top + rc.Bottom) / 2};
  };
  Headless::MouseMove(*Grid, centre(2, 2));
  ASSERT_NE(Grid->BalloonTip(), nullptr);
  EXPECT_TRUE(Grid->BalloonTip()->Showing());
  EXPECT_EQ(Grid->BalloonTip()->Text(), "first");
  EXPECT_EQ(Grid->BalloonTip()->Icon(), bhInfo);
  Headless::MouseMove(*Grid, centre(3, 2));
  EXPECT_EQ(Grid->BalloonTip()->Text(), "second");
  Grid->Balloon().SetEnable(false);
  Grid->BalloonTip()->Hide();
  Headless::MouseMove(*Grid, centre(2, 2));
  EXPECT_FALSE(Grid->BalloonTip()->Showing());
}

TEST_F(ProGridBalloonsTest, FixedCellUnderTheMouseIsTracked) {
  Grid->Balloon().SetEnable(false);
  Grid->SetHoverFixedCells(hfFixedRows);
  TRect head = Grid->CellRect(2, 0);
  auto shot = [&] { return RenderPicture(*Grid); };
  TBitmap before = shot();
  Headless::MouseMove(*Grid, {(head.Left + head.Right) / 2, (head.Top + head.Bottom) / 2});
  TBitmap over = shot();
  EXPECT_FALSE(SamePixels(before, over));
  TRect cell = Grid->CellRect(2, 3);
  Headless::MouseMove(*Grid, {(cell.Left + cell.Right) / 2, (cell.Top + cell.Bottom) / 2});
  EXPECT_TRUE(SamePixels(before, shot()));
}

TEST_F(ProGridBalloonsTest, LinkUnderTheMouseIsUnderlinedWithHoverStyle) {
  Grid->Balloon().SetEnable(false);
  Grid->SetColWidths(2, 150);
  Grid->SetCells(2, 2, "<a href=\"x\">link</a> and text");
  Grid->SetURLUnderlineOnHover(true);
  auto shot = [&] { return RenderPicture(*Grid); };
  TBitmap before = shot();
  TRect text = Grid->HTMLTextRect(2, 2);
  Headless::MouseMove(*Grid, {text.Left + 6, text.Top + 6});
  EXPECT_EQ(Grid->HoverLink(), 1);
  EXPECT_EQ(Grid->HoverCell(), (TPoint{2, 2}));
  TBitmap over = shot();
  EXPECT_FALSE(SamePixels(before, over)) << "the hovered link is underlined";
  Headless::MouseMove(*Grid, {text.Right - 4, text.Bottom - 4});
  EXPECT_EQ(Grid->HoverLink(), -1);
  EXPECT_TRUE(SamePixels(before, shot()));
}
