#include "TreeFixture.h"

class TCheckTest : public TTreeTest {
protected:
  void SetUp() override {
    TTreeTest::SetUp();
    Tree->TreeOptions().SetMiscOptions(Tree->TreeOptions().MiscOptions() + TVTMiscOptions{toCheckSupport});
    Parent = Tree->AddChild(nullptr);
    Parent->CheckType = ctTriStateCheckBox;
    for (int i = 0; i < 3; ++i) Tree->AddChild(Parent)->CheckType = ctCheckBox;
    Tree->OnChecked = [this](TBaseNodeTree*, PVNode n) { Checked.push_back(n); };
  }
  PVNode Child(int i) {
    PVNode n = Parent->FirstChild;
    while (i-- > 0) n = n->NextSibling;
    return n;
  }
  PVNode Parent = nullptr;
  std::vector<PVNode> Checked;
};

TEST_F(TCheckTest, CheckingAParentChecksEnabledChildren) {
  Child(2)->CheckState = csUncheckedDisabled;
  Tree->SetCheckState(Parent, csCheckedNormal);
  EXPECT_EQ(Child(0)->CheckState, csCheckedNormal);
  EXPECT_EQ(Child(1)->CheckState, csCheckedNormal);
  EXPECT_EQ(Child(2)->CheckState, csUncheckedDisabled);
  EXPECT_EQ(Parent->CheckState, csCheckedNormal);
  EXPECT_EQ(Checked.size(), 3u);
}

TEST_F(TCheckTest, UncheckingAParentWithACheckedDisabledChildLeavesItMixed) {
  Tree->SetCheckState(Parent, csCheckedNormal);
  Child(2)->CheckState = csCheckedDisabled;
  Tree->SetCheckState(Parent, csUncheckedNormal);
  EXPECT_EQ(Parent->CheckState, csMixedNormal);
}

TEST_F(TCheckTest, ChildrenDriveTheParent) {
  struct TCase {
    std::vector<TCheckState> Children;
    TCheckState Parent;
  };
  const TCase cases[] = {
      {{csCheckedNormal, csCheckedNormal, csCheckedNormal}, csCheckedNormal},
      {{csCheckedNormal, csUncheckedNormal, csCheckedNormal}, csMixedNormal},
      {{csUncheckedNormal, csUncheckedNormal, csUncheckedNormal}, csUncheckedNormal},
  };
  for (const TCase& c : cases) {
    for (int i = 0; i < 3; ++i) Tree->SetCheckState(Child(i), c.Children[i]);
    EXPECT_EQ(Parent->CheckState, c.Parent);
  }
}

TEST_F(TCheckTest, RadioSiblingsChangeWithoutEvents) {
  for (int i = 0; i < 3; ++i) Child(i)->CheckType = ctRadioButton;
  Child(0)->CheckState = csCheckedNormal;
  std::vector<PVNode> asked;
  Tree->OnChecking = [&](TBaseNodeTree*, PVNode n, TCheckState&, bool&) { asked.push_back(n); };
  Tree->SetCheckState(Child(2), csCheckedNormal);
  EXPECT_EQ(Child(0)->CheckState, csUncheckedNormal);
  EXPECT_EQ(Child(2)->CheckState, csCheckedNormal);
  EXPECT_EQ(asked, std::vector<PVNode>{Child(2)});
}

TEST_F(TCheckTest, RefusalsAndTypeChanges) {
  Tree->SetDisabled(Child(0), true);
  Tree->SetCheckState(Child(0), csCheckedNormal);
  EXPECT_EQ(Child(0)->CheckState, csUncheckedNormal);
  Parent->CheckState = csMixedNormal;
  Tree->SetCheckType(Parent, ctCheckBox);
  EXPECT_EQ(Parent->CheckState, csUncheckedNormal);
  Tree->TreeOptions().SetMiscOptions(Tree->TreeOptions().MiscOptions() + TVTMiscOptions{toReadOnly});
  int asked = 0;
  Tree->OnChecking = [&](TBaseNodeTree*, PVNode, TCheckState&, bool&) { ++asked; };
  Tree->SetCheckState(Child(1), csCheckedNormal);
  EXPECT_EQ(asked, 0);
  EXPECT_EQ(Child(1)->CheckState, csUncheckedNormal);
}

TEST_F(TCheckTest, CountsAndImages) {
  Child(0)->CheckState = csCheckedNormal;
  Child(1)->CheckState = csCheckedPressed;
  Child(2)->CheckState = csCheckedDisabled;
  EXPECT_EQ(Tree->CheckedCount(), 1u);
  EXPECT_EQ(Tree->CheckImageIndex(nullptr, ctTriStateCheckBox, csCheckedDisabled, true), 16);
  EXPECT_EQ(Tree->CheckImageIndex(nullptr, ctNone, csCheckedNormal, true), -1);
  EXPECT_EQ(TBaseNodeTree::NextCheckState(ctCheckBox, csMixedNormal), csCheckedNormal);
}
