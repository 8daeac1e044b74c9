// The object request and the tree-view queries: nodes as item handles, refused unless they are
// live nodes of the tree, and text copied only into room that exists.
#include "TreeFixture.h"

#include "tree/StringTree.h"
#include "tree/StyleHooks.h"
#include "tree/TreeAccessibility.h"

#include <gtest/gtest.h>

namespace {

class TreeAccessibilityTest : public TUiTest {
protected:
  void SetUp() override {
    TUiTest::SetUp();
    Tree.reset(new TNodeStringTree(nullptr));
    Tree->SetBounds(0, 0, 200, 200);
    Tree->SetNodeDataSize(0);
    Tree->OnGetText = [this](TBaseNodeTree*, PVNode n, TColumnIndex, TVSTTextType type, std::string& text) {
      if (type == ttNormal) text = n == A ? "Gateway" : "x";
    };
    // A (A1, A2; expanded), B (B1; collapsed), C
    Tree->SetRootNodeCount(3);
    A = Tree->GetFirst();
    B = Tree->GetNextSibling(A);
    C = Tree->GetNextSibling(B);
    Tree->SetChildCount(A, 2);
    Tree->SetExpanded(A, true);
    A1 = Tree->GetFirstChild(A);
    A2 = Tree->GetNextSibling(A1);
    Tree->SetChildCount(B, 1);
    B1 = Tree->GetFirstChild(B);
  }
  void TearDown() override {
    Tree.reset();
    TUiTest::TearDown();
  }
  TOwned<TNodeStringTree> Tree;
  PVNode A = nullptr, A1 = nullptr, A2 = nullptr, B = nullptr, B1 = nullptr, C = nullptr;
};

class TProvider : public IVTAccessibleProvider {
public:
  std::shared_ptr<IAccessible> CreateIAccessible(TBaseNodeTree*) override {
    ++Made;
    return std::make_shared<IAccessible>();
  }
  int Made = 0;
};

} // namespace

TEST_F(TreeAccessibilityTest, ObjectRequestAnswersZeroWithoutAProvider) {
  EXPECT_EQ(GetAccessibilityFactory().ProviderCount(), 0u);
  EXPECT_EQ(Tree->GetAccessibleObject(OBJID_CLIENT), 0);
  EXPECT_EQ(Tree->Accessible(), nullptr);
  auto provider = std::make_shared<TProvider>();
  GetAccessibilityFactory().RegisterAccessibleProvider(provider);
  GetAccessibilityFactory().RegisterAccessibleProvider(provider);
  EXPECT_EQ(GetAccessibilityFactory().ProviderCount(), 1u) << "registered once";
  EXPECT_EQ(Tree->GetAccessibleObject(-1), 0) << "only the client object is answered";
  EXPECT_NE(Tree->GetAccessibleObject(OBJID_CLIENT), 0);
  EXPECT_NE(Tree->Accessible(), nullptr);
  EXPECT_EQ(provider->Made, 2) << "the object and its item";
  GetAccessibilityFactory().UnRegisterAccessibleProvider(provider);
  EXPECT_EQ(GetAccessibilityFactory().ProviderCount(), 0u);
}

TEST_F(TreeAccessibilityTest, NextItemCodes) {
  Tree->SetFocusedNode(B1); // inside a collapsed branch
  TNodeStringTree other(nullptr);
  other.SetNodeDataSize(0);
  other.SetRootNodeCount(1);
  PVNode foreign = other.GetFirst();
  struct TCase {
    unsigned code;
    PVNode item, expected;
    const char* what;
  };
  const TCase cases[] = {
      {TVGN_ROOT, nullptr, A, "root"},
      {TVGN_NEXT, A, B, "next sibling"},
      {TVGN_PREVIOUS, A, nullptr, "no previous sibling"},
      {TVGN_PARENT, A, nullptr, "a top-level node has no parent"},
      {TVGN_PARENT, A1, A, "parent"},
      {TVGN_CHILD, A, A1, "child"},
      {TVGN_FIRSTVISIBLE, nullptr, A, "first visible"},
      {TVGN_NEXTVISIBLE, A2, B, "next visible"},
      {TVGN_PREVIOUSVISIBLE, B, A2, "previous visible"},
      {TVGN_LASTVISIBLE, nullptr, C, "last visible"},
      {TVGN_CARET, nullptr, B1, "the focused node, though not visible"},
      {TVGN_DROPHILITE, nullptr, nullptr, "no drop target"},
      {TVGN_NEXT, nullptr, nullptr, "no item"},
      {TVGN_NEXT, foreign, nullptr, "a node of another tree"},
      {TVGN_CHILD, Tree->RootNode(), nullptr, "the hidden root"},
      {11, A, nullptr, "unknown code"},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(Tree->TreeViewGetNextItem(c.code, c.item), c.expected) << c.what;
  // A deleted node is refused, not followed.
  PVNode gone = A2;
  Tree->DeleteNode(gone);
  EXPECT_EQ(Tree->TreeViewGetNextItem(TVGN_PREVIOUS, gone), nullptr);
  EXPECT_FALSE(Tree->IsLiveNode(gone));
  EXPECT_TRUE(Tree->IsLiveNode(A1));
}

TEST_F(TreeAccessibilityTest, ItemRectOnlyForShownLiveNodes) {
  const TRect untouched{1, 2, 3, 4};
  TRect r = untouched;
  EXPECT_TRUE(Tree->TreeViewGetItemRect(A1, false, r));
  EXPECT_EQ(r, Tree->GetDisplayRect(A1, NoColumn, false));
  EXPECT_EQ(r.Top, 18);
  TRect text = untouched;
  EXPECT_TRUE(Tree->TreeViewGetItemRect(A1, true, text));
  EXPECT_GT(text.Left, r.Left) << "the text only";
  for (PVNode n : {B1, static_cast<PVNode>(nullptr), Tree->RootNode()}) {
    r = untouched;
    EXPECT_FALSE(Tree->TreeViewGetItemRect(n, false, r));
    EXPECT_EQ(r, untouched);
  }
}

TEST_F(TreeAccessibilityTest, ItemRecordIsFilledByItsMask) {
  Tree->OnGetImageIndex = [this](TBaseNodeTree*, PVNode n, TVTImageKind kind, TColumnIndex, bool&,
                                 int& index) {
    if (n != A) return;
    index = kind == ikNormal ? 3 : kind == ikSelected ? 4 : kind == ikState ? 1 : -1;
  };
  Tree->SetFocusedNode(A);
  Tree->SetSelected(A, true);
  TVITEMW item;
  item.mask = TVIF_CHILDREN | TVIF_STATE;
  item.hItem = A;
  EXPECT_EQ(Tree->TreeViewGetItem(item), 0) << "without TVIF_HANDLE";
  EXPECT_EQ(item.cChildren, 0);
  EXPECT_EQ(item.state, 0u);
  item.mask |= TVIF_HANDLE | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  EXPECT_EQ(Tree->TreeViewGetItem(item), 1);
  EXPECT_EQ(item.cChildren, 2);
  EXPECT_EQ(item.iImage, 3);
  EXPECT_EQ(item.iSelectedImage, 4);
  EXPECT_EQ(item.stateMask, 0xFF2Fu);
  EXPECT_EQ(item.state, TVIS_FOCUSED | TVIS_SELECTED | TVIS_EXPANDED | (2u << 12));
  item.hItem = B;
  EXPECT_EQ(Tree->TreeViewGetItem(item), 1);
  EXPECT_EQ(item.iImage, -1);
  EXPECT_EQ(item.state, 0u);
}

TEST_F(TreeAccessibilityTest, TextIsCutToTheBufferAndNothingIsWrittenWithoutRoom) {
  struct TCase {
    int room;
    const char16_t* expected; // the first 8 units of the buffer afterwards, '#' untouched
  };
  for (const TCase& c : {TCase{4, u"Gat\0####"}, TCase{8, u"Gateway\0"}, TCase{20, u"Gateway\0"},
                         TCase{1, u"\0#######"}, TCase{0, u"########"}, TCase{-5, u"########"}}) {
    SCOPED_TRACE(c.room);
    std::u16string buffer(c.room > 8 ? c.room : 8, u'#');
    TVITEMW item;
    item.mask = TVIF_HANDLE | TVIF_TEXT;
    item.hItem = A;
    item.pszText = buffer.data();
    item.cchTextMax = c.room;
    EXPECT_EQ(Tree->TreeViewGetItem(item), 1);
    EXPECT_EQ(buffer.substr(0, 8), std::u16string(c.expected, 8));
  }
  // A node of another tree is refused and its record left alone.
  TNodeStringTree other(nullptr);
  other.SetNodeDataSize(0);
  other.SetRootNodeCount(1);
  std::u16string buffer(8, u'#');
  TVITEMW item;
  item.mask = TVIF_HANDLE | TVIF_TEXT;
  item.hItem = other.GetFirst();
  item.pszText = buffer.data();
  item.cchTextMax = 8;
  EXPECT_EQ(Tree->TreeViewGetItem(item), 0);
  EXPECT_EQ(buffer, u"########");
}

TEST_F(TreeAccessibilityTest, StyledScrollBarsNeverEngage) {
  auto paint = Tree->TreeOptions().PaintOptions();
  paint.Include(toUseExplorerTheme);
  paint.Include(toThemeAware);
  Tree->TreeOptions().SetPaintOptions(paint);
  EXPECT_FALSE(VclStyleEnabled(*Tree));
  EXPECT_FALSE(StyledScrollBarsEngaged(*Tree));
}
