#include "TreeFixture.h"

#include "platform/ui/ImageList.h"
#include "platform/ui/Menus.h"

TEST_F(TTreeTest, DispatchersKeepTheirPresetsWithoutHandlers) {
  PVNode a = Tree->AddChild(nullptr);
  TCanvas& canvas = Tree->Canvas();
  EXPECT_FALSE(Tree->DoPaintBackground(canvas, Rect(0, 0, 5, 5)));
  EXPECT_FALSE(Tree->DoBeforeItemPaint(canvas, a, Rect(0, 0, 5, 5)));
  EXPECT_FALSE(Tree->DoBeforeDrag(a, NoColumn));
  EXPECT_TRUE(Tree->DoExpanding(a));
  EXPECT_TRUE(Tree->DoNodeMoving(a, nullptr));
  EXPECT_EQ(Tree->DoCompare(a, a, NoColumn), 0);
  std::uint16_t key = 13;
  TShiftState shift = 0;
  EXPECT_TRUE(Tree->DoKeyAction(key, shift));
  EXPECT_EQ(Tree->DoGetPopupMenu(a, NoColumn, Point(0, 0)), nullptr);
}

TEST_F(TTreeTest, CellEventsCarryNoColumn) {
  PVNode a = Tree->AddChild(nullptr);
  std::vector<TColumnIndex> columns;
  Tree->OnGetImageIndex = [&](TBaseNodeTree*, PVNode, TVTImageKind, TColumnIndex c, bool&, int&) {
    columns.push_back(c);
  };
  Tree->OnGetCellIsEmpty = [&](TBaseNodeTree*, PVNode, TColumnIndex c, bool&) { columns.push_back(c); };
  TImageList images;
  Tree->SetImages(&images);
  THitInfo hit;
  Tree->GetHitTestInfoAt(60, 5, true, hit);
  Tree->DoGetCellIsEmpty(a, hit.HitColumn);
  ASSERT_FALSE(columns.empty());
  for (TColumnIndex c : columns) EXPECT_EQ(c, -1);
}

TEST_F(TTreeTest, ImageIndexExWinsAndDecidesTheList) {
  PVNode a = Tree->AddChild(nullptr);
  TImageList images;
  Tree->SetImages(&images);
  int plain = 0;
  Tree->OnGetImageIndex = [&](TBaseNodeTree*, PVNode, TVTImageKind, TColumnIndex, bool&, int& index) {
    ++plain;
    index = 0;
  };
  Tree->OnGetImageIndexEx = [&](TBaseNodeTree*, PVNode, TVTImageKind, TColumnIndex, bool&, int& index,
                                TImageList*& list) {
    EXPECT_EQ(list, &images);
    index = 0;
    list = nullptr;
  };
  bool ghosted = false;
  int index = -1;
  EXPECT_EQ(Tree->DoGetImageIndex(a, ikNormal, NoColumn, ghosted, index), nullptr);
  EXPECT_EQ(plain, 0);
  // A handler that leaves no list shows no image: the label starts right after the margin.
  THitInfo hit;
  Tree->GetHitTestInfoAt(18 + 4 + 1, 5, true, hit);
  EXPECT_FALSE(hit.HitPositions.Has(hiOnNormalIcon));
}

TEST_F(TTreeTest, PopupMenuIsAskedUpTheParents) {
  PVNode a = Tree->AddChild(nullptr);
  PVNode a1 = Tree->AddChild(a);
  PVNode a11 = Tree->AddChild(a1);
  std::vector<PVNode> asked;
  bool stop = false;
  Tree->OnGetPopupMenu = [&](TBaseNodeTree*, PVNode n, TColumnIndex, TPoint, bool& askParent, TPopupMenu*&) {
    asked.push_back(n);
    if (stop) askParent = false;
  };
  Tree->DoGetPopupMenu(a11, NoColumn, Point(0, 0));
  EXPECT_EQ(asked, (std::vector<PVNode>{a11, a1, a}));
  asked.clear();
  stop = true;
  Tree->DoGetPopupMenu(a11, NoColumn, Point(0, 0));
  EXPECT_EQ(asked, std::vector<PVNode>{a11});
}

TEST_F(TTreeTest, StateChangesAreReportedOnlyWhenTheyChangeSomething) {
  std::vector<std::pair<TNodeTreeStates, TNodeTreeStates>> seen;
  Tree->OnStateChange = [&](TBaseNodeTree*, TNodeTreeStates enter, TNodeTreeStates leave) {
    if (enter.Has(tsUpdating) || leave.Has(tsUpdating)) seen.emplace_back(enter, leave);
  };
  Tree->BeginUpdate();
  Tree->BeginUpdate();
  Tree->EndUpdate();
  Tree->EndUpdate();
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_TRUE(seen[0].first.Has(tsUpdating));
  EXPECT_TRUE(seen[1].second.Has(tsUpdating));
}

TEST_F(TTreeTest, FreeNodeOnlyForUsedNodes) {
  Tree->TreeOptions().SetAutoOptions({});
  Tree->SetRootNodeCount(3);
  int freed = 0;
  Tree->OnFreeNode = [&](TBaseNodeTree*, PVNode) { ++freed; };
  Tree->DeleteNode(Tree->GetFirstNoInit());
  EXPECT_EQ(freed, 0);
  Tree->GetNodeData(Tree->GetFirstNoInit());
  Tree->DeleteNode(Tree->GetFirstNoInit());
  EXPECT_EQ(freed, 1);
}
