#include "ProGridFixture.h"

#include "grid/FooterPanel.h"
#include "support/ControlPicture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using ProGridFooters = TProGridTest<>;

TEST(FooterTemplate, MarkersTakeTheCurrentRowsCells) {
  const auto cell = [](int c) { return "c" + std::to_string(c); };
  struct TCase {
    const char* text;
    const char* expected;
  };
  const TCase cases[] = {
      {"Total: <#2>", "Total: c2"},
      {"<#1> and <#3>!", "c1 and c3!"},
      {"a<#x>b", "ab"},
      {"open <#2 never closed", "open <#2 never closed"},
      {"<#1><#", "c1<#"},
      {"no markers", "no markers"},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(ExpandFooterTemplate(c.text, cell), c.expected) << c.text;
}

TEST_F(ProGridFooters, VisibleWithTheLastRowFixesIt) {
  Grid->FloatingFooter().SetVisible(true);
  EXPECT_EQ(Grid->FixedFooters(), 1);
  EXPECT_TRUE(Grid->HideLastRow());
  ASSERT_NE(Grid->FooterPanel(), nullptr);
  EXPECT_EQ(Grid->FooterPanel()->Height(), Grid->FloatingFooter().Height() - 1);
  Grid->FloatingFooter().SetVisible(false);
  EXPECT_EQ(Grid->FixedFooters(), 0);
  EXPECT_EQ(Grid->FooterPanel()->Height(), 0);
  Grid->FloatingFooter().SetFooterStyle(fsColumnPreview);
  Grid->FloatingFooter().SetVisible(true);
  EXPECT_EQ(Grid->FixedFooters(), 0) << "a preview keeps every row";
  EXPECT_FALSE(Grid->HideLastRow());
}

TEST_F(ProGridFooters, ClicksReportTheFooterCell) {
  Grid->SetColCount(12);
  Grid->FloatingFooter().SetVisible(true);
  Application->ProcessMessages();
  std::vector<std::string> log;
  Grid->OnClick = [&](TObject*) { log.push_back("click"); };
  Grid->OnClickCell = [&](TObject*, int r, int c) {
    log.push_back(std::to_string(r) + "," + std::to_string(c));
  };
  TFooterPanel& panel = *Grid->FooterPanel();
  auto clickAt = [&](int x) {
    log.clear();
    Headless::MouseDown(panel, {x, 5});
    Headless::MouseUp(panel, {x, 5});
  };
  clickAt(Grid->ColWidths(0) + 3);
  EXPECT_EQ(log, (std::vector<std::string>{"click", "9,1"}));
  Grid->SetLeftCol(4);
  clickAt(Grid->ColWidths(0) + 3);
  EXPECT_EQ(log, (std::vector<std::string>{"click", "9,4"}));
  Grid->SetColCount(3);
  clickAt(Grid->ColWidths(0) * 3 + 10);
  EXPECT_EQ(log, (std::vector<std::string>{"click"})) << "right of the last column";
}

TEST_F(ProGridFooters, RenderedFooterShowsItsColoursAndLines) {
  Grid->SetColCount(3);
  Grid->SetColor(0xFFFFFF);
  TFloatingFooter& f = Grid->FloatingFooter();
  f.SetColor(0x00C000);
  f.SetBorderColor(0x0000FF);
  f.SetHeight(30);
  f.SetVisible(true);
  Application->ProcessMessages();
  TBitmap png = RenderPicture(*Grid->FooterPanel());
  const int used = Grid->ColWidths(0) + Grid->ColWidths(1) + Grid->ColWidths(2);
  ASSERT_GT(png.Width(), used + 20);
  EXPECT_EQ(png.Pixel(used + 10, 15), 0xFFFFFFu) << "the rest in the grid's colour";
  EXPECT_EQ(png.Pixel(20, 0), 0x0000FFu) << "the border line along the top";
  EXPECT_EQ(png.Pixel(used + 10, 0), 0xFFFFFFu) << "which ends with the columns";
  EXPECT_EQ(png.Pixel(Grid->ColWidths(0) + Grid->ColWidths(1) - 1, 15), 0x808080u)
      << "a scrolling column's right edge";

  f.SetBorderColor(clNone);
  png = RenderPicture(*Grid->FooterPanel());
  EXPECT_NE(png.Pixel(20, 0), 0x0000FFu) << "no border colour, no line";

  // A template preview shows its text on the footer colour, framed.
  f.SetFooterStyle(fsCustomPreview);
  f.SetCustomTemplate("<#1>");
  png = RenderPicture(*Grid->FooterPanel());
  EXPECT_EQ(png.Pixel(used - 10, 25), 0x00C000u) << "the used part in the footer colour";
  EXPECT_EQ(png.Pixel(used - 1, 15), 0x808080u) << "its right edge framed";
  EXPECT_EQ(png.Pixel(used + 10, 15), 0xFFFFFFu);
}

TEST_F(ProGridFooters, ColumnCalcLivesInTheLastRowsCell) {
  Grid->FloatingFooter().SetVisible(true);
  EXPECT_EQ(Grid->FloatingFooter().ColumnCalc(1), acNONE);
  EXPECT_FALSE(Grid->HasCellProperties(1, Grid->RowCount() - 1)) << "reading creates nothing";
  for (int r = 1; r < Grid->RowCount() - 1; ++r)
    Grid->SetInts(1, r, 2);
  Grid->FloatingFooter().SetColumnCalc(1, acSUM);
  EXPECT_EQ(Grid->FloatingFooter().ColumnCalc(1), acSUM);
  EXPECT_EQ(Grid->Cells(1, Grid->RowCount() - 1), "16.00");
}

} // namespace
