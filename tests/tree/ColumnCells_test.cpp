// The tree with columns: hit tests and rectangles per cell, spanning empty cells, fixed columns
// that do not scroll, the keys that walk the cells, and every column's cell painted.
#include "InputFixture.h"
#include "support/ControlPicture.h"
#include "support/PixelTools.h"
#include "tree/StringTree.h"
#include "tree/VTHeader.h"

namespace {

class TColumnCellsTest : public TTreeInputTest {
protected:
  void SetUp() override {
    TTreeInputTest::SetUp();
    Build({"a", "b", "c"});
  }
  TNodeTreeColumns& Columns() { return Tree->Header().Columns(); }
  void AddColumns(std::vector<int> widths) {
    for (int w : widths)
      Columns().Add()->SetWidth(w);
  }
  THitInfo Hit(int x, int y) {
    THitInfo hit;
    Tree->GetHitTestInfoAt(x, y, true, hit);
    return hit;
  }
  int RowMiddle(int row) { return row * static_cast<int>(Tree->DefaultNodeHeight()) + 5; }
};

TEST_F(TColumnCellsTest, HitTestFindsTheColumnAndThePartOfItsCell) {
  AddColumns({50, 50, 50});
  Use(toCheckSupport);
  Tree->SetCheckType(Top(0), ctCheckBox);
  const int indent = static_cast<int>(Tree->Indent()) + Tree->Margin();
  struct TCase {
    int X;
    TColumnIndex Column;
    THitPositions Positions;
  } cases[] = {
      {indent + 3, 0, {hiOnItem, hiOnItemCheckbox}},
      {50 + indent + 3, 1, {hiOnItem, hiOnItemLabel}},
      {100 + 2, 2, {hiOnItem, hiOnItemLabel}},
      {170, InvalidColumn, {hiNowhere}},
  };
  for (const auto& k : cases) {
    const THitInfo hit = Hit(k.X, RowMiddle(0));
    EXPECT_EQ(hit.HitColumn, k.Column) << "x " << k.X;
    EXPECT_EQ(hit.HitPositions, k.Positions) << "x " << k.X;
  }
  EXPECT_EQ(Hit(20, 100).HitColumn, NoColumn) << "below the nodes";
}

TEST_F(TColumnCellsTest, DisplayRectOfACellIsTheColumnsPart) {
  AddColumns({50, 60, 70});
  const TRect row = Tree->GetDisplayRect(Top(1), NoColumn, false);
  const TRect cell = Tree->GetDisplayRect(Top(1), 1, false);
  EXPECT_EQ(cell.Left, 50);
  EXPECT_EQ(cell.Right, 109);
  EXPECT_EQ(cell.Top, row.Top);
  EXPECT_EQ(cell.Bottom, row.Bottom);
  const TRect text = Tree->GetDisplayRect(Top(1), 2, true);
  EXPECT_EQ(text.Left, 110 + Tree->Margin()) << "no indentation outside the main column";
}

TEST_F(TColumnCellsTest, EmptyNeighbourCellsJoinTheCellWithAutoSpan) {
  AddColumns({50, 50, 50});
  Tree->OnGetCellIsEmpty = [](TBaseNodeTree*, PVNode, TColumnIndex column, bool& empty) {
    empty = column > 0;
  };
  EXPECT_EQ(Hit(120, RowMiddle(0)).HitColumn, 2);
  auto autoOptions = Tree->TreeOptions().AutoOptions();
  autoOptions.Include(toAutoSpanColumns);
  Tree->TreeOptions().SetAutoOptions(autoOptions);
  const THitInfo hit = Hit(120, RowMiddle(0));
  EXPECT_EQ(hit.HitColumn, 0);
  EXPECT_TRUE(hit.HitPositions.Has(hiOnItemRight)) << "right of the main column's text, in the joined cell";
}

TEST_F(TColumnCellsTest, FixedColumnDoesNotScroll) {
  AddColumns({100, 100, 100});
  TVTColumnOptions o = Columns()[0]->Options();
  o.Include(coFixed);
  Columns()[0]->SetOptions(o);
  Tree->SetOffsetX(-50);
  ASSERT_EQ(Tree->OffsetX(), -50);
  EXPECT_EQ(Hit(30, RowMiddle(0)).HitColumn, 0);
  EXPECT_EQ(Hit(120, RowMiddle(0)).HitColumn, 1) << "120 + 50 lies in the second column";
  EXPECT_EQ(Hit(160, RowMiddle(0)).HitColumn, 2);
  EXPECT_EQ(Tree->GetDisplayRect(Top(0), 0, false).Left, 0);
  EXPECT_EQ(Tree->GetDisplayRect(Top(0), 1, false).Left, 50);
}

TEST_F(TColumnCellsTest, TabWalksTheFocusableCells) {
  AddColumns({50, 50, 50});
  Use(toExtendedFocus);
  Tree->SetWantTabs(true);
  TVTColumnOptions o = Columns()[1]->Options();
  o.Exclude(coAllowFocus);
  Columns()[1]->SetOptions(o);
  Tree->SetFocusedNode(Top(0));
  Tree->SetFocusedColumn(1);
  EXPECT_EQ(Tree->FocusedColumn(), 0) << "a column without coAllowFocus refuses the focus";
  Key(VK_TAB);
  EXPECT_EQ(Tree->FocusedColumn(), 2);
  EXPECT_EQ(Tree->FocusedNode(), Top(0));
  Key(VK_TAB);
  EXPECT_EQ(Tree->FocusedColumn(), 0);
  EXPECT_EQ(Tree->FocusedNode(), Top(1)) << "past the last column on to the next node";
  Key(VK_TAB, ssShift);
  EXPECT_EQ(Tree->FocusedColumn(), 2);
  EXPECT_EQ(Tree->FocusedNode(), Top(0));
}

TEST_F(TColumnCellsTest, ArrowsMoveBetweenColumnsWithGridExtensions) {
  AddColumns({50, 50, 50});
  Use(toExtendedFocus);
  Use(toGridExtensions);
  Tree->SetFocusedNode(Top(1));
  Key(VK_RIGHT);
  EXPECT_EQ(Tree->FocusedColumn(), 1);
  Key(VK_END);
  EXPECT_EQ(Tree->FocusedColumn(), 2);
  Key(VK_LEFT);
  EXPECT_EQ(Tree->FocusedColumn(), 1);
  EXPECT_EQ(Tree->FocusedNode(), Top(1));
}

TEST_F(TColumnCellsTest, ScrollingAColumnIntoViewLeavesTheFixedAreaAlone) {
  AddColumns({100, 100, 100});
  ASSERT_EQ(Tree->ClientWidth(), 200);
  EXPECT_TRUE(Tree->ScrollIntoView(2, false));
  EXPECT_EQ(Tree->OffsetX(), -100);
  TVTColumnOptions o = Columns()[0]->Options();
  o.Include(coFixed);
  Columns()[0]->SetOptions(o);
  EXPECT_TRUE(Tree->ScrollIntoView(1, false)) << "column 1 lies under the fixed column";
  EXPECT_EQ(Tree->OffsetX(), 0);
  EXPECT_FALSE(Tree->ScrollIntoView(7, false));
}

TEST_F(TColumnCellsTest, ColumnsFollowTheTreesColourAndReadingDirection) {
  AddColumns({50, 50, 50});
  Columns()[1]->SetColor(clRed);
  Tree->SetColor(clYellow);
  EXPECT_EQ(Columns()[0]->Color(), clYellow);
  EXPECT_EQ(Columns()[1]->Color(), clRed) << "a column with its own colour keeps it";
  auto autoOptions = Tree->TreeOptions().AutoOptions();
  autoOptions.Include(toAutoBidiColumnOrdering);
  Tree->TreeOptions().SetAutoOptions(autoOptions);
  Tree->SetBiDiMode(bdRightToLeft);
  EXPECT_EQ(Columns()[2]->BiDiMode(), bdRightToLeft);
  EXPECT_EQ(Columns().PositionToIndex(), (std::vector<TColumnIndex>{2, 1, 0}));
  EXPECT_EQ(Columns()[2]->Left(), 0);
}

TEST_F(TColumnCellsTest, EveryColumnPaintsItsOwnCell) {
  auto* tree = new TNodeStringTree(Form);
  tree->SetParent(Form);
  tree->SetBounds(0, 0, 240, 100);
  tree->SetColor(clWhite);
  tree->Font().SetName("DejaVu Sans");
  tree->Font().SetColor(clBlack);
  for (int w : {80, 80, 80})
    tree->Header().Columns().Add()->SetWidth(w);
  tree->Header().Columns()[2]->SetColor(clYellow);
  tree->OnGetText = [](TBaseNodeTree*, PVNode, TColumnIndex column, TVSTTextType, std::string& text) {
    text = column == 1 ? "WWW" : "";
  };
  tree->SetRootNodeCount(1);
  tree->Invalidate();
  Application->ProcessMessages();
  const TBitmap shot = RenderPicture(*Form);
  const TPoint o = tree->ClientToScreen(TPoint{0, 0});
  const TPoint f = Form->ClientToScreen(TPoint{0, 0});
  auto area = [&](int left, int right) {
    return TRect{o.X - f.X + left, o.Y - f.Y, o.X - f.X + right, o.Y - f.Y + 18};
  };
  EXPECT_EQ(CountColor(shot, clBlack, area(0, 80)), 0) << "the main column's text is empty";
  EXPECT_GT(CountColor(shot, clBlack, area(80, 160)), 10) << "the second column shows its text";
  EXPECT_GT(CountColor(shot, clYellow, area(160, 240)), 100) << "the third column's own colour";
  EXPECT_EQ(CountColor(shot, clYellow, area(0, 160)), 0);
}

} // namespace
