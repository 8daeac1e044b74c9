#include "ProGridFixture.h"

#include "platform/ui/Graphics.h"

#include <gtest/gtest.h>

#include <numeric>
#include <string>

namespace {

class ProGridAutoSize : public TProGridTest<> {
protected:
  void SetUp() override {
    TProGridTest::SetUp();
    Grid->Font().SetName("DejaVu Sans");
    Grid->Font().SetSize(10);
    Grid->FixedFont().SetName("DejaVu Sans");
    Grid->FixedFont().SetSize(10);
    Grid->FixedFont().SetStyle(0);
    Grid->SetColCount(4);
    Grid->SetRowCount(6);
    Grid->SetFixedFooters(1);
    Grid->SetCells(1, 0, "Hd");
    Grid->SetCells(1, 1, "a");
    Grid->SetCells(1, 2, "wide text here");
    Grid->SetCells(1, 3, "mid");
    Grid->SetCells(1, 5, "a footer wider than every other text");
  }
  int Measure(const std::string& s) {
    TBitmap bmp;
    bmp.SetSize(1, 1);
    bmp.Canvas().Font().Assign(Grid->Font());
    return bmp.Canvas().TextWidth(s);
  }
};

TEST_F(ProGridAutoSize, AutoSizeColTable) {
  const int wide = Measure("wide text here"), footer = Measure("a footer wider than every other text");
  const int head = Measure("Hd");
  struct TCase {
    const char* name;
    TAutoSizeRows rows;
    int minW, maxW;
    bool growOnly;
    int before;
    int expected;
  };
  const TCase cases[] = {
      {"all rows: the widest text + 8", arAll, 0, 0, false, 64, footer + 8},
      {"normal rows leave the footer out", arNormal, 0, 0, false, 64, wide + 8},
      {"fixed rows only", arFixed, 0, 0, false, 64, head + 8},
      {"equal limits leave the width", arNormal, 60, 60, false, 64, wide + 8},
      {"a minimum only raises", arFixed, 60, 0, false, 64, 60},
      {"a minimum leaves wider ones", arNormal, 60, 0, false, 64, wide + 8},
      {"a maximum cuts", arNormal, 0, 50, false, 64, 50},
      {"grow only keeps a wider column", arNormal, 0, 0, true, 400, 400},
      {"grow only widens a narrower one", arNormal, 0, 0, true, 10, wide + 8},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    Grid->ColumnSize().SetRows(c.rows);
    Grid->SetMinColWidth(c.minW);
    Grid->SetMaxColWidth(c.maxW);
    Grid->SetSizeGrowOnly(c.growOnly);
    Grid->SetColWidths(1, c.before);
    Grid->AutoSizeCol(1, 0);
    EXPECT_EQ(Grid->ColWidths(1), c.expected);
  }
}

TEST_F(ProGridAutoSize, AutoFitFillsTheWidthExactly) {
  Grid->SetBounds(0, 0, 400, 200);
  Grid->SetRowCount(3);
  Grid->SetFixedFooters(0);
  for (int c = 0; c < 4; ++c)
    Grid->SetColWidths(c, 30 + 10 * c);
  Grid->AutoFitColumns(false);
  int fitted = 0;
  for (int c = 1; c < 4; ++c)
    fitted += Grid->ColWidths(c);
  EXPECT_EQ(fitted, 400 - Grid->ColWidths(0) - 4) << "the available width less the border";
  EXPECT_LT(Grid->ColWidths(1), Grid->ColWidths(3)) << "proportions kept";

  Grid->AutoFitColumns(true);
  int all = 0;
  for (int c = 0; c < 4; ++c)
    all += Grid->ColWidths(c);
  EXPECT_EQ(all, 400 - 4);
}

TEST_F(ProGridAutoSize, AutoFitWithNoWidthToShareChangesNothing) {
  Grid->SetRowCount(3);
  for (int c = 1; c < 4; ++c)
    Grid->SetColWidths(c, 0);
  Grid->AutoFitColumns(false);
  for (int c = 1; c < 4; ++c)
    EXPECT_EQ(Grid->ColWidths(c), 0);
  Grid->SetFixedCols(3); // no fitted column left of the three
  Grid->SetColCount(3);
  const int before = Grid->ColWidths(0);
  Grid->AutoFitColumns(false);
  EXPECT_EQ(Grid->ColWidths(0), before);
}

TEST_F(ProGridAutoSize, ZoomStaysWithinTenPoints) {
  const int w = Grid->ColWidths(2), h = Grid->RowHeights(2);
  Grid->Zoom(3);
  Grid->Zoom(3);
  Grid->Zoom(5);
  EXPECT_EQ(Grid->ZoomFactor(), 6);
  EXPECT_EQ(Grid->ColWidths(2), w + 6);
  EXPECT_EQ(Grid->RowHeights(2), h + 6);
}

TEST_F(ProGridAutoSize, SelectedTextJoinsCellsAndRows) {
  Grid->SetCells(1, 1, "a");
  Grid->SetCells(2, 1, "b");
  Grid->SetCells(1, 2, "c");
  Grid->SetCells(2, 2, "d");
  Grid->SelectCells(1, 1, 2, 2);
  EXPECT_EQ(Grid->SelectedText(), "a\tb\r\nc\td");

  // A hidden column left of the selection: text and rich text both come from the real column.
  Grid->SetCells(3, 1, "{\\rtf1\\ansi plain\\par}");
  Grid->SetCells(3, 2, "e");
  Grid->HideColumn(1);
  Grid->SelectCells(1, 1, 2, 2);
  EXPECT_EQ(Grid->SelectedText(), "b\tplain\r\nd\te");
}

TEST_F(ProGridAutoSize, IsSelectedIsFalseInFixedCells) {
  Grid->SetOptions(Grid->Options() | goRowSelect);
  Grid->SelectCells(0, 1, 3, 2);
  EXPECT_FALSE(Grid->IsSelected(0, 1));
  EXPECT_TRUE(Grid->IsSelected(1, 1));
}

TEST_F(ProGridAutoSize, AutoNumberStartsWhereAsked) {
  Grid->SetAutoNumberStart(2);
  Grid->AutoNumberCol(3);
  EXPECT_EQ(Grid->Cells(3, 1), "");
  EXPECT_EQ(Grid->Cells(3, 2), "");
  EXPECT_EQ(Grid->Cells(3, 3), "3");
  EXPECT_EQ(Grid->Cells(3, 5), "") << "not the footer";
}

} // namespace
