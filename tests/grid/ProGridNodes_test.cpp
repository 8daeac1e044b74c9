// Node rows: adding, collapsing, expanding and nesting groups, rows inserted and removed in them,
// and the node symbol's look.
#include "ProGridFixture.h"

#include "platform/ui/Graphics.h"
#include "support/PixelTools.h"

#include <gtest/gtest.h>

namespace {

class ProGridNodesTest : public TProGridTest<> {
protected:
  void SetUp() override {
    TProGridTest::SetUp();
    Grid->SetColCount(3);
    Grid->SetRowCount(10);
    for (int r = 0; r < 10; ++r)
      Grid->SetCells(1, r, "r" + std::to_string(r));
  }
  int Level(int Row) {
    const TCellProperties* p = Grid->FindCellProperties(0, Row);
    return p ? p->NodeLevel() : 0;
  }
  std::string Shown() {
    std::string s;
    for (int r = 0; r < Grid->RowCount(); ++r)
      s += Grid->Cells(1, r) + " ";
    return s;
  }
};

TEST_F(ProGridNodesTest, AddNodeRaisesTheLevelOfItsSpanAndLeavesColumnZero) {
  Grid->SetFixedCols(0);
  Grid->SetCol(0);
  Grid->AddNode(1, 3);
  EXPECT_TRUE(Grid->IsNode(1));
  EXPECT_EQ(Grid->NodeCount(), 1);
  EXPECT_EQ(Grid->GetNodeLevel(1), 1);
  EXPECT_EQ(Grid->GetNodeSpan(1), 3);
  for (int r : {1, 2, 3})
    EXPECT_EQ(Level(r), 1) << r;
  EXPECT_EQ(Level(4), 0);
  EXPECT_EQ(Grid->GetNodeLevel(2), -1) << "a row in a group is no node, though it keeps its level";
  EXPECT_EQ(Grid->GetRowIndent(2), 12);
  EXPECT_EQ(Grid->Col(), 1);
  EXPECT_FALSE(Grid->GetNodeState(1));
}

TEST_F(ProGridNodesTest, AddNodeOutsideTheGridOrPastItsEnd) {
  // Mended: the span reached rows that do not exist; a row outside the grid got a node.
  Grid->AddNode(8, 5);
  EXPECT_EQ(Level(8), 1);
  EXPECT_EQ(Level(9), 1);
  EXPECT_EQ(Grid->RowCount(), 10);
  Grid->ContractNode(8);
  EXPECT_EQ(Grid->RowCount(), 9);
  Grid->ExpandNode(8);
  EXPECT_EQ(Grid->RowCount(), 10);
  for (int row : {10, 50, -1}) {
    Grid->AddNode(row, 1);
    EXPECT_EQ(Grid->NodeCount(), 1) << row;
  }
}

TEST_F(ProGridNodesTest, CollapseHidesTheGroupAndExpandShowsItInPlace) {
  Grid->AddNode(1, 3);
  const std::string all = Shown();
  Grid->ContractNode(1);
  EXPECT_TRUE(Grid->GetNodeState(1));
  EXPECT_TRUE(Grid->IsHiddenRow(2));
  EXPECT_TRUE(Grid->IsHiddenRow(3));
  EXPECT_EQ(Grid->RowCount(), 8);
  EXPECT_EQ(Grid->Cells(1, 2), "r4");
  Grid->ContractNode(1); // already collapsed: nothing
  EXPECT_EQ(Grid->RowCount(), 8);
  Grid->ExpandNode(1);
  EXPECT_FALSE(Grid->GetNodeState(1));
  EXPECT_EQ(Shown(), all);
  Grid->SetNodeState(1, true);
  EXPECT_EQ(Grid->RowCount(), 8);
  Grid->SetNodeState(1, false);
  EXPECT_EQ(Shown(), all);
}

TEST_F(ProGridNodesTest, SpanZeroReachesTheNextNode) {
  Grid->AddNode(1, 0);
  Grid->AddNode(4, 2);
  Grid->ContractNode(1);
  EXPECT_EQ(Shown(), "r0 r1 r4 r5 r6 r7 r8 r9 ");
  Grid->ExpandNode(1);
  Grid->ContractAll();
  EXPECT_EQ(Shown(), "r0 r1 r4 r6 r7 r8 r9 ");
  EXPECT_TRUE(Grid->GetNodeState(1));
  EXPECT_TRUE(Grid->GetNodeState(2));
  Grid->ExpandAll();
  EXPECT_EQ(Grid->RowCount(), 10);
}

TEST_F(ProGridNodesTest, WholeOutlineClosesAndOpensInOrder) {
  Grid->SetRowCount(401);
  for (int r = 1; r < 401; ++r)
    Grid->SetCells(1, r, std::to_string(r));
  for (int r = 1; r < 401; r += 10)
    Grid->AddNode(r, r % 20 == 1 ? 10 : 0); // every other group reaches the next node by span 0
  Grid->ContractAll();
  EXPECT_EQ(Grid->RowCount(), 41);
  EXPECT_EQ(Grid->Cells(1, 2), "11");
  Grid->ExpandAll();
  ASSERT_EQ(Grid->RowCount(), 401);
  for (int r = 1; r < 401; ++r)
    ASSERT_EQ(Grid->Cells(1, r), std::to_string(r));
  for (int r = 1; r < 401; r += 10)
    EXPECT_FALSE(Grid->GetNodeState(r)) << r;
}

TEST_F(ProGridNodesTest, CollapsedChildFoldsIntoItsParent) {
  Grid->AddNode(1, 5); // rows 1 .. 5
  Grid->AddNode(2, 2); // rows 2, 3
  EXPECT_EQ(Grid->GetNodeLevel(2), 2);
  const std::string all = Shown();
  Grid->ContractNode(2);
  EXPECT_EQ(Shown(), "r0 r1 r2 r4 r5 r6 r7 r8 r9 ");
  Grid->ContractNode(1);
  EXPECT_EQ(Shown(), "r0 r1 r6 r7 r8 r9 ");
  Grid->ExpandNode(1);
  EXPECT_EQ(Shown(), all);
  EXPECT_FALSE(Grid->GetNodeState(2)) << "the child is left expanded";
}

TEST_F(ProGridNodesTest, ExpandOneCollapsesTheOthers) {
  Grid->AddNode(1, 2);
  Grid->AddNode(4, 2);
  Grid->ContractNode(1);
  Grid->CellNode().SetExpandOne(true);
  Grid->ExpandNode(1);
  EXPECT_FALSE(Grid->GetNodeState(1));
  EXPECT_TRUE(Grid->GetNodeState(4));
  EXPECT_EQ(Shown(), "r0 r1 r2 r3 r4 r6 r7 r8 r9 ");
}

TEST_F(ProGridNodesTest, ParentRows) {
  Grid->AddNode(1, 3);
  EXPECT_EQ(Grid->GetParentRow(1), 1);
  EXPECT_EQ(Grid->GetParentRow(2), 1);
  EXPECT_EQ(Grid->GetParentRow(3), 1);
  EXPECT_EQ(Grid->GetParentRow(5), -1);
  EXPECT_EQ(Grid->GetNodeSpanType(1), 0);
  EXPECT_EQ(Grid->GetNodeSpanType(2), 2);
  EXPECT_EQ(Grid->GetNodeSpanType(3), 1);
}

TEST_F(ProGridNodesTest, ChildRowsInsertedAndRemoved) {
  Grid->AddNode(1, 2);
  Grid->InsertChildRow(1, 0);
  EXPECT_EQ(Grid->GetNodeSpan(1), 3);
  EXPECT_EQ(Grid->GetSubNodeCount(1), 1);
  EXPECT_EQ(Grid->Cells(1, 1), "") << "the node row keeps only its marker";
  EXPECT_TRUE(Grid->IsNode(1));
  EXPECT_EQ(Grid->Cells(1, 2), "r1");
  EXPECT_EQ(Level(2), 1);
  EXPECT_EQ(Grid->RowCount(), 11);

  Grid->RemoveChildRow(2);
  EXPECT_EQ(Grid->GetNodeSpan(1), 2);
  EXPECT_EQ(Grid->GetSubNodeCount(1), 0);
  EXPECT_EQ(Grid->RowCount(), 10);
  Grid->RemoveChildRow(2);
  EXPECT_EQ(Grid->GetNodeSpan(1), 1);
  Grid->SetCells(1, 2, "next");
  Grid->RemoveChildRow(2);
  EXPECT_EQ(Grid->GetNodeSpan(1), 1) << "a span of 1 is never lowered";
}

TEST_F(ProGridNodesTest, RemoveNodesExpandsAndLowersLevels) {
  Grid->AddNode(1, 3);
  Grid->AddNode(5, 2);
  Grid->ContractNode(1);
  Grid->RemoveNode(1);
  EXPECT_EQ(Grid->RowCount(), 10);
  EXPECT_FALSE(Grid->IsNode(1));
  EXPECT_EQ(Level(2), 0);
  EXPECT_EQ(Grid->NodeCount(), 1);
  Grid->RemoveAllNodes();
  EXPECT_FALSE(Grid->HasNodes());
  EXPECT_EQ(Level(5), 0);
}

TEST_F(ProGridNodesTest, NodeClickOnTheSymbolOnly) {
  Grid->AddNode(1, 3);
  Grid->AddNode(2, 2); // level 2
  // cnXP: margin 4, half-width 4; level L hits between 4 + (L - 1) * 12 and 4 + L * 12.
  EXPECT_FALSE(Grid->IsNodeClick(1, 4));
  EXPECT_TRUE(Grid->IsNodeClick(1, 5));
  EXPECT_FALSE(Grid->IsNodeClick(1, 16));
  EXPECT_TRUE(Grid->IsNodeClick(2, 20));
  EXPECT_FALSE(Grid->IsNodeClick(2, 10));
  Grid->MouseActions().SetPreciseNodeClick(false);
  EXPECT_TRUE(Grid->IsNodeClick(1, 100));
}

TEST_F(ProGridNodesTest, NodeSymbolShowsCollapsedAndExpanded) {
  Grid->SetRowHeights(1, 20);
  Grid->AddNode(1, 3);
  Grid->CellNode().SetShowTree(false);
  auto paint = [&] {
    TBitmap b(40, 20);
    b.Canvas().Brush().SetColor(clWhite);
    b.Canvas().FillRect(Rect(0, 0, 40, 20));
    TRect R = Rect(0, 0, 40, 20);
    Grid->DrawCellGraphic(b.Canvas(), R, 0, 1, taLeftJustify, vtaTop, 0, 0);
    return b;
  };
  for (TNodeType type : {cnXP, cnLeaf, cnFlat, cn3D, cnGlyph}) {
    Grid->CellNode().SetNodeType(type);
    Grid->GetCellGraphic(0, 1)->SetCellBoolean(false);
    const TBitmap expanded = paint();
    Grid->GetCellGraphic(0, 1)->SetCellBoolean(true);
    const TBitmap collapsed = paint();
    EXPECT_NE(InkBounds(expanded), TRect()) << type;
    EXPECT_FALSE(SamePixels(expanded, collapsed)) << type;
  }
  // Glyph nodes without both glyphs fall back to the raised or sunken box; with them they show
  // the glyphs.
  for (bool closed : {false, true}) {
    Grid->GetCellGraphic(0, 1)->SetCellBoolean(closed);
    Grid->CellNode().SetNodeType(cn3D);
    const TBitmap box = paint();
    Grid->CellNode().SetNodeType(cnGlyph);
    EXPECT_TRUE(SamePixels(paint(), box)) << closed;
    TBitmap glyph(8, 8);
    glyph.Canvas().Brush().SetColor(closed ? clRed : clBlue);
    glyph.Canvas().FillRect(Rect(0, 0, 8, 8));
    glyph.Canvas().SetPixels(0, 0, clWhite); // the transparent key
    Grid->CellNode().SetExpandGlyph(glyph);
    Grid->CellNode().SetContractGlyph(glyph);
    EXPECT_GT(CountColor(paint(), closed ? clRed : clBlue, Rect(0, 0, 40, 20)), 40) << closed;
    Grid->CellNode().SetExpandGlyph(TBitmap());
    Grid->CellNode().SetContractGlyph(TBitmap());
  }
  // The flat box: a minus, and when collapsed a plus. Level 1, indent 12: the box starts at
  // 12 - 6 - 4 + 4 = 6, centred in the row's 20 pixels.
  Grid->CellNode().SetNodeType(cnFlat);
  Grid->GetCellGraphic(0, 1)->SetCellBoolean(true);
  const TBitmap plus = paint();
  const TColor sign = Grid->CellNode().NodeColor();
  EXPECT_EQ(plus.Pixel(6 + 4, 6 + 3), sign) << Sketch(plus);
  EXPECT_EQ(plus.Pixel(6 + 3, 6 + 4), sign);
  Grid->GetCellGraphic(0, 1)->SetCellBoolean(false);
  const TBitmap minus = paint();
  EXPECT_NE(minus.Pixel(6 + 4, 6 + 3), sign);
  EXPECT_EQ(minus.Pixel(6 + 3, 6 + 4), sign);
}

} // namespace
