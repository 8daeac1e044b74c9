#include "TreeFixture.h"

TEST_F(TTreeTest, HitTestPositions) {
  Tree->TreeOptions().SetMiscOptions(Tree->TreeOptions().MiscOptions() + TVTMiscOptions{toCheckSupport});
  PVNode a = Tree->AddChild(nullptr);
  PVNode b = Tree->AddChild(nullptr);
  b->CheckType = ctCheckBox;
  THitInfo hit;
  Tree->GetHitTestInfoAt(-1, 5, true, hit);
  EXPECT_EQ(hit.HitPositions, THitPositions{hiToLeft});
  EXPECT_EQ(hit.HitNode, nullptr);
  Tree->GetHitTestInfoAt(-1, -1, true, hit);
  EXPECT_EQ(hit.HitPositions, (THitPositions{hiToLeft, hiAbove}));
  Tree->GetHitTestInfoAt(50, 60, true, hit);
  EXPECT_EQ(hit.HitPositions, THitPositions{hiNowhere});
  EXPECT_EQ(hit.HitColumn, -1);
  Tree->GetHitTestInfoAt(150, 5, true, hit);
  EXPECT_EQ(hit.HitNode, a);
  EXPECT_EQ(hit.HitPositions, (THitPositions{hiOnItem, hiOnItemRight}));
  // Indent 18 (shown root) + margin 4, then the 16 + 2 pixels of the check box.
  Tree->GetHitTestInfoAt(25, 20, true, hit);
  EXPECT_EQ(hit.HitNode, b);
  EXPECT_EQ(hit.HitPositions, (THitPositions{hiOnItem, hiOnItemCheckbox}));
  Tree->GetHitTestInfoAt(25, 5, true, hit);
  EXPECT_EQ(hit.HitPositions, (THitPositions{hiOnItem, hiOnItemRight}));
}

TEST_F(TTreeTest, GeometryOfNodes) {
  PVNode a = Tree->AddChild(nullptr);
  PVNode a1 = Tree->AddChild(a);
  PVNode b = Tree->AddChild(nullptr);
  EXPECT_EQ(Tree->GetDisplayRect(a1, NoColumn, false), TRect{});
  EXPECT_EQ(Tree->GetDisplayRect(b, NoColumn, false), Rect(0, 18, 200, 36));
  int top = -1;
  EXPECT_EQ(Tree->GetNodeAt(0, -50, true, top), a);
  EXPECT_EQ(top, 0);
  EXPECT_EQ(Tree->GetNodeAt(0, 36), nullptr);
  Tree->TreeOptions().SetPaintOptions(Tree->TreeOptions().PaintOptions() - TVTPaintOptions{toShowRoot} +
                                      TVTPaintOptions{toFixedIndent});
  EXPECT_TRUE(Tree->TreeOptions().PaintOptions().Has(toShowRoot));
}
