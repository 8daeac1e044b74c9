#include "TreeFixture.h"
#include "tree/VTHeader.h"

#include <vector>

namespace {

// A tree 400 pixels wide whose client area is known, with n columns of the given widths.
class TColumnsTest : public TTreeTest {
protected:
  void SetUp() override {
    TTreeTest::SetUp();
    Tree->SetBounds(0, 0, 400, 300);
  }
  TNodeTreeColumns& Columns() { return Tree->Header().Columns(); }
  void AddColumns(std::vector<int> widths) {
    for (int w : widths)
      Columns().Add()->SetWidth(w);
  }
  std::vector<int> Widths() {
    std::vector<int> out;
    for (int i = 0; i < Columns().Count(); ++i)
      out.push_back(Columns()[i]->Width());
    return out;
  }
  std::vector<TColumnIndex> Order() { return Columns().PositionToIndex(); }
  void SetFixed(TColumnIndex i, bool fixed) {
    TVTColumnOptions o = Columns()[i]->Options();
    fixed ? o.Include(coFixed) : o.Exclude(coFixed);
    Columns()[i]->SetOptions(o);
  }
};

TEST_F(TColumnsTest, TreeWithoutColumnsIsOneCellAcrossTheClient) {
  EXPECT_FALSE(Tree->Header().UseColumns());
  EXPECT_EQ(Tree->MainColumn(), NoColumn);
  int left = -1, right = -1;
  Columns().GetColumnBounds(NoColumn, left, right);
  EXPECT_EQ(left, 0);
  EXPECT_EQ(right, Tree->ClientWidth());
  EXPECT_EQ(Columns().TotalWidth(), 0);
  EXPECT_EQ(Columns().GetScrollWidth(), static_cast<int>(Tree->Indent()));
  EXPECT_EQ(Columns().GetFirstVisibleColumn(), InvalidColumn);
  EXPECT_EQ(Columns().GetFirstColumn(), InvalidColumn);
  Tree->Header().SetMainColumn(7);
  EXPECT_EQ(Tree->MainColumn(), NoColumn);
}

TEST_F(TColumnsTest, MainColumnFollowsItsColumnThroughDeletionsAndClamps) {
  Columns().Add();
  EXPECT_EQ(Tree->MainColumn(), 0) << "the first column becomes the main column";
  delete Columns()[0];
  EXPECT_EQ(Tree->MainColumn(), NoColumn);

  AddColumns({50, 60, 70});
  Columns()[2]->SetText("main");
  Tree->Header().SetMainColumn(2);
  delete Columns()[0];
  EXPECT_EQ(Tree->MainColumn(), 1);
  EXPECT_EQ(Columns()[Tree->MainColumn()]->Text(), "main");
  EXPECT_EQ(Order(), (std::vector<TColumnIndex>{0, 1}));

  Columns().Add();
  Tree->Header().SetMainColumn(7);
  EXPECT_EQ(Tree->MainColumn(), 2);
  Tree->Header().SetMainColumn(-4);
  EXPECT_EQ(Tree->MainColumn(), 0);
  Columns().Delete(0); // the main column itself goes: the first remaining one takes over
  EXPECT_EQ(Tree->MainColumn(), 0);
}

TEST_F(TColumnsTest, DeletingAColumnRenumbersSortAndAutoSizeColumns) {
  AddColumns({50, 50, 50, 50});
  Tree->Header().SetSortColumn(3);
  Tree->Header().SetAutoSizeIndex(1);
  delete Columns()[1];
  EXPECT_EQ(Tree->Header().SortColumn(), 2);
  EXPECT_EQ(Tree->Header().AutoSizeIndex(), NoColumn);
  Tree->Header().SetSortColumn(-5);
  EXPECT_EQ(Tree->Header().SortColumn(), NoColumn);
  Tree->Header().SetSortColumn(9);
  EXPECT_EQ(Tree->Header().SortColumn(), 2);
}

TEST_F(TColumnsTest, WidthStaysWithinItsBounds) {
  AddColumns({50});
  TNodeTreeColumn& c = *Columns()[0];
  struct TCase {
    const char* Step;
    std::function<void()> Do;
    int Width, Min, Max;
  } cases[] = {
      {"width below the minimum", [&] { c.SetWidth(3); }, 10, 10, 10000},
      {"minimum raised above the width", [&] { c.SetMinWidth(80); }, 80, 80, 10000},
      {"maximum below the minimum", [&] { c.SetMaxWidth(20); }, 80, 80, 80},
      {"minimum never below 0", [&] { c.SetMinWidth(-7); }, 80, 0, 80},
      {"width above the maximum", [&] { c.SetWidth(500); }, 80, 0, 80},
  };
  for (const auto& k : cases) {
    k.Do();
    EXPECT_EQ(c.Width(), k.Width) << k.Step;
    EXPECT_EQ(c.MinWidth(), k.Min) << k.Step;
    EXPECT_EQ(c.MaxWidth(), k.Max) << k.Step;
  }
}

TEST_F(TColumnsTest, FixedAreaKeepsWithinItsPercentageOfTheClientWidth) {
  Tree->SetBounds(0, 0, 400, 300);
  ASSERT_EQ(Tree->ClientWidth(), 400);
  AddColumns({100, 100, 100});
  SetFixed(0, true);
  Columns()[1]->SetPosition(0); // its right neighbour is fixed: it becomes fixed too
  ASSERT_TRUE(Columns()[1]->Has(coFixed));
  Tree->Header().FixedAreaConstraints().SetMaxWidthPercent(50);
  Columns()[0]->SetWidth(190);
  Columns()[1]->SetWidth(190);
  EXPECT_LE(Columns()[0]->Width() + Columns()[1]->Width(), 200);
  EXPECT_EQ(Columns().GetVisibleFixedWidth(), Columns()[0]->Width() + Columns()[1]->Width());
}

TEST_F(TColumnsTest, AMovedColumnTakesTheFixedStateOfItsNeighbour) {
  AddColumns({50, 50, 50, 50});
  SetFixed(0, true);
  // Column 2 moves in front of the fixed column 0: its right neighbour is fixed.
  Columns()[2]->SetPosition(0);
  EXPECT_EQ(Order(), (std::vector<TColumnIndex>{2, 0, 1, 3}));
  EXPECT_TRUE(Columns()[2]->Has(coFixed));
  // The fixed column 0 moves behind column 3, whose side is not fixed.
  Columns()[0]->SetPosition(3);
  EXPECT_EQ(Order(), (std::vector<TColumnIndex>{2, 1, 3, 0}));
  EXPECT_FALSE(Columns()[0]->Has(coFixed));
  // A position past the end goes last.
  Columns()[2]->SetPosition(static_cast<TColumnPosition>(Columns().Count() + 5));
  EXPECT_EQ(Columns()[2]->Position(), 3u);
  EXPECT_EQ(Order(), (std::vector<TColumnIndex>{1, 3, 0, 2}));
}

TEST_F(TColumnsTest, HiddenColumnTakesNoWidth) {
  AddColumns({40, 30, 20});
  TVTColumnOptions o = Columns()[1]->Options();
  o.Exclude(coVisible);
  Columns()[1]->SetOptions(o);
  EXPECT_EQ(Columns()[1]->Left(), Columns()[2]->Left());
  EXPECT_EQ(Columns()[2]->Left(), 40);
  EXPECT_EQ(Columns().TotalWidth(), 60);
  EXPECT_EQ(Columns().ColumnFromPosition(TPoint{45, 1}), 2);
  EXPECT_EQ(Columns().ColumnFromPosition(TPoint{60, 1}), InvalidColumn);
  EXPECT_EQ(Columns().GetNextVisibleColumn(0), 2);
  EXPECT_EQ(Columns().GetPreviousVisibleColumn(2), 0);
  EXPECT_EQ(Columns().GetLastVisibleColumn(), 2);
  o = Columns()[2]->Options();
  o.Exclude(coVisible);
  Columns()[2]->SetOptions(o);
  EXPECT_EQ(Columns().TotalWidth(), 40) << "the last shown column ends the total";
}

TEST_F(TColumnsTest, DisplayNameNamesCaptionsBeyondLatin1ByNumber) {
  AddColumns({50, 50, 50, 50});
  Columns()[3]->SetText("Druck \u2192 bar");
  Columns()[2]->SetText("Gr\u00f6\u00dfe");
  EXPECT_EQ(Columns()[3]->DisplayName(), "Column 3");
  EXPECT_EQ(Columns()[2]->DisplayName(), "Gr\u00f6\u00dfe");
}

TEST_F(TColumnsTest, AutoSizeColumnFillsTheRestAndCannotBeWidenedDirectly) {
  AddColumns({100, 50, 100});
  Tree->Header().SetAutoSizeIndex(1);
  Tree->Header().SetOptions(Tree->Header().Options() + TVTHeaderOptions{hoAutoResize});
  EXPECT_EQ(Columns()[1]->Width(), Tree->ClientWidth() - 200);
  Columns()[1]->SetWidth(30);
  EXPECT_EQ(Columns()[1]->Width(), Tree->ClientWidth() - 200);
  Columns()[0]->SetWidth(150);
  EXPECT_EQ(Columns()[1]->Width(), Tree->ClientWidth() - 250);
}

TEST_F(TColumnsTest, ResizeColumnsHandsOutRemainderPixelsInTurn) {
  AddColumns({50, 50, 50});
  EXPECT_EQ(Tree->Header().ResizeColumns(7, 0, 2, {coVisible}), 7);
  EXPECT_EQ(Widths(), (std::vector<int>{53, 52, 52}));
  EXPECT_EQ(Tree->Header().ResizeColumns(7, 0, 2, {coVisible}), 7);
  EXPECT_EQ(Widths(), (std::vector<int>{55, 55, 54}));
  // Shrinking gives the bonus pixels back first.
  EXPECT_EQ(Tree->Header().ResizeColumns(-2, 0, 2, {coVisible}), -2);
  EXPECT_EQ(Widths(), (std::vector<int>{54, 54, 54}));
}

TEST_F(TColumnsTest, ResizeColumnsAppliesAsMuchAsTheLimitsAllow) {
  AddColumns({50, 50, 50});
  Columns()[0]->SetMaxWidth(52);
  Columns()[1]->SetMaxWidth(51);
  TVTColumnOptions o = Columns()[2]->Options();
  o.Exclude(coResizable);
  Columns()[2]->SetOptions(o);
  EXPECT_EQ(Tree->Header().ResizeColumns(10, 0, 2, {coVisible, coResizable}), 3);
  EXPECT_EQ(Widths(), (std::vector<int>{52, 51, 50}));
  EXPECT_EQ(Tree->Header().ResizeColumns(0, 0, 2), 0);
}

TEST_F(TColumnsTest, ResizeColumnsFiresNoResizeEventForItsSteps) {
  AddColumns({50, 50});
  std::vector<TColumnIndex> resized;
  Tree->OnColumnResize = [&](TVTHeader*, TColumnIndex c) { resized.push_back(c); };
  Tree->Header().ResizeColumns(4, 0, 1);
  EXPECT_TRUE(resized.empty());
  Columns()[0]->SetWidth(70);
  EXPECT_EQ(resized, (std::vector<TColumnIndex>{0}));
}

TEST_F(TColumnsTest, SpringColumnsShareAWidthChange) {
  AddColumns({50, 50, 50, 50});
  for (int i : {0, 1, 3}) {
    TVTColumnOptions o = Columns()[i]->Options();
    o.Include(coAutoSpring);
    Columns()[i]->SetOptions(o);
  }
  Tree->Header().SetOptions(Tree->Header().Options() + TVTHeaderOptions{hoAutoSpring});
  Tree->Header().DistributeSpringWidth();
  EXPECT_EQ(Widths(), (std::vector<int>{50, 50, 50, 50})) << "the first call only records the width";
  Tree->SetBounds(0, 0, 410, 300);
  Tree->Header().DistributeSpringWidth();
  EXPECT_EQ(Widths(), (std::vector<int>{53, 53, 50, 53}));
  for (int i : {0, 1, 3})
    EXPECT_NEAR(Columns()[i]->SpringRest(), 1.0 / 3, 0.01);
}

// A tree that can hold an operation open, as a long run does while its handler cancels it.
class TOperationTree : public TTestTree {
public:
  using TBaseNodeTree::EndOperation;
  using TBaseNodeTree::StartOperation;
  using TTestTree::TTestTree;
};

TEST_F(TColumnsTest, MaxColumnWidthOfACancelledRunWithoutColumnsIsZero) {
  TOwned<TOperationTree> tree(new TOperationTree(nullptr));
  tree->StartOperation(okExport);
  tree->CancelOperation();
  ASSERT_TRUE(tree->OperationCanceled());
  EXPECT_EQ(tree->GetMaxColumnWidth(NoColumn, false), 0);
  tree->Header().Columns().Add()->SetWidth(77);
  EXPECT_EQ(tree->GetMaxColumnWidth(0, false), 77) << "a real column answers its width";
  tree->EndOperation(okExport);
}

TEST_F(TColumnsTest, AutoFitColumnsOutsideTheColumnsFiresNothing) {
  AddColumns({50, 50});
  int events = 0;
  Tree->OnBeforeAutoFitColumns = [&](TVTHeader*, TSmartAutoFitType&) { ++events; };
  Tree->OnAfterAutoFitColumns = [&](TVTHeader*) { ++events; };
  Tree->Header().AutoFitColumns(false, smaUseColumnOption, 5, -1);
  EXPECT_EQ(events, 0);
  Tree->Header().AutoFitColumns(false, smaUseColumnOption, 0, -1);
  EXPECT_EQ(events, 2);
}

TEST_F(TColumnsTest, HeaderHeightKeepsItsBounds) {
  TVTHeader& h = Tree->Header();
  h.SetHeight(5);
  EXPECT_EQ(h.Height(), 10) << "MinHeight 10";
  // The total is the client height plus the header: 200 pixels here.
  Tree->SetBounds(0, 0, 400, 200 - 10 + Tree->HeaderHeightShown());
  ASSERT_EQ(Tree->ClientHeight() + h.Height(), 200);
  h.FixedAreaConstraints().SetMaxHeightPercent(10);
  h.SetHeight(50);
  EXPECT_EQ(h.Height(), 20);
}

TEST_F(TColumnsTest, SplitterAreaIsTheBandAroundTheHeadersBottomEdge) {
  TVTHeader& h = Tree->Header();
  EXPECT_FALSE(h.InHeaderSplitterArea(TPoint{10, -2})) << "a hidden header has none";
  h.SetOptions(h.Options() + TVTHeaderOptions{hoVisible});
  EXPECT_FALSE(h.InHeaderSplitterArea(TPoint{10, -3}));
  EXPECT_TRUE(h.InHeaderSplitterArea(TPoint{10, -2}));
  EXPECT_TRUE(h.InHeaderSplitterArea(TPoint{10, 1}));
  EXPECT_FALSE(h.InHeaderSplitterArea(TPoint{10, 2}));
  EXPECT_TRUE(h.InHeader(TPoint{10, -1}));
  EXPECT_FALSE(h.InHeader(TPoint{10, 0}));
}

TEST_F(TColumnsTest, SortDirectionSortsTheTreeUnlessUpdating) {
  Tree->SetNodeDataSize(sizeof(int));
  Tree->TreeOptions().SetAutoOptions(Tree->TreeOptions().AutoOptions() - TVTAutoOptions{toAutoSort});
  Tree->SetRootNodeCount(3);
  int next = 0;
  for (PVNode n : AllNodes(*Tree))
    *static_cast<int*>(Tree->GetNodeData(n)) = next++;
  Tree->OnCompareNodes = [&](TBaseNodeTree*, PVNode a, PVNode b, TColumnIndex, int& result) {
    result = *static_cast<int*>(Tree->GetNodeData(a)) - *static_cast<int*>(Tree->GetNodeData(b));
  };
  AddColumns({50});
  TVTHeader& h = Tree->Header();
  h.SetOptions(h.Options() + TVTHeaderOptions{hoHeaderClickAutoSort});
  auto first = [&] { return *static_cast<int*>(Tree->GetNodeData(Tree->GetFirst())); };
  Tree->BeginUpdate();
  h.SetSortDirection(sdDescending);
  EXPECT_EQ(first(), 0) << "not while updating";
  Tree->EndUpdate();
  h.SetSortDirection(sdAscending);
  h.SetSortDirection(sdDescending);
  EXPECT_EQ(first(), 2);
}

} // namespace
