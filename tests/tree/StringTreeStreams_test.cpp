// Captions in tree streams, the selection restored by text, and the owner-draw tree.
#include "ClipboardFixture.h"

#include "tree/DrawTree.h"

#include <cstring>

namespace {

class TCaptionTest : public TClipboardTest {
protected:
  // Loads the stream into B and returns the texts B was given, in order.
  std::vector<std::string> LoadIntoB(TMemoryStream& stream) {
    std::vector<std::string> texts;
    B->OnNewText = [&](TBaseNodeTree*, PVNode, TColumnIndex column, const std::string& text) {
      EXPECT_EQ(column, NoColumn);
      texts.push_back(text);
    };
    stream.SetPosition(0);
    B->LoadFromStream(stream);
    B->OnNewText = nullptr;
    return texts;
  }
};

TEST_F(TCaptionTest, CaptionsRoundTripForInitialisedNodesWithText) {
  PVNode a = Add(*A, nullptr, 1);
  Add(*A, a, 22);
  Add(*A, nullptr, 0);
  A->OnGetText = [](TBaseNodeTree* t, PVNode n, TColumnIndex, TVSTTextType type, std::string& text) {
    const int label = *static_cast<int*>(t->GetNodeData(n));
    text = type == ttNormal && label ? "\xC3\xA9" + std::to_string(label) + "\xF0\x9F\x98\x80" : "";
  };
  TMemoryStream stream;
  A->SaveToStream(stream);
  EXPECT_EQ(LoadIntoB(stream), (std::vector<std::string>{"\xC3\xA9"
                                                         "22\xF0\x9F\x98\x80",
                                                         "\xC3\xA9"
                                                         "1\xF0\x9F\x98\x80"}))
      << "children are read inside their parent's chunk; an empty text writes no chunk";
  EXPECT_EQ(Shape(*B), "1[22] 0");

  A->TreeOptions().SetStringOptions({});
  TMemoryStream without;
  A->SaveToStream(without);
  EXPECT_LT(without.Size(), stream.Size());
  EXPECT_TRUE(LoadIntoB(without).empty());
}

TEST_F(TCaptionTest, OddSizedCaptionSkipsItsLastByte) {
  Add(*A, nullptr, 7);
  Add(*A, nullptr, 8);
  TMemoryStream stream;
  A->SaveToStream(stream);
  std::string bytes = stream.Bytes();
  // First node chunk: header at 16; its caption "N7" is the last chunk inside it.
  std::int32_t nodeSize = 0;
  std::memcpy(&nodeSize, bytes.data() + 20, 4);
  const std::size_t captionHeader = 24 + static_cast<std::size_t>(nodeSize) - 12;
  std::int32_t type = 0, size = 0;
  std::memcpy(&type, bytes.data() + captionHeader, 4);
  std::memcpy(&size, bytes.data() + captionHeader + 4, 4);
  ASSERT_EQ(type, 3);
  ASSERT_EQ(size, 4);
  size = 5;
  nodeSize += 1;
  std::memcpy(bytes.data() + captionHeader + 4, &size, 4);
  std::memcpy(bytes.data() + 20, &nodeSize, 4);
  bytes.insert(captionHeader + 12, 1, '\x7F');
  TMemoryStream patched;
  Fill(patched, bytes);
  EXPECT_EQ(LoadIntoB(patched), (std::vector<std::string>{"N7", "N8"}));
  EXPECT_EQ(B->RootNodeCount(), 2u);
}

TEST_F(TClipboardTest, SelectionIsRestoredByTextForAddedNodes) {
  A->TreeOptions().SetSelectionOptions({toMultiSelect, toRestoreSelection});
  PVNode one = Add(*A, nullptr, 1);
  Add(*A, nullptr, 2);
  PVNode three = Add(*A, nullptr, 3);
  A->SetSelected(one, true);
  A->SetSelected(three, true);
  EXPECT_EQ(A->PreviouslySelected(), (std::vector<std::string>{"N1", "N3"}));
  A->SetSelected(one, false);
  EXPECT_EQ(A->PreviouslySelected(), std::vector<std::string>{"N3"});
  A->Clear();
  // The text is asked before the node has its data, so the handler answers by the order of adding.
  int next = 0;
  A->OnGetText = [&](TBaseNodeTree*, PVNode, TColumnIndex, TVSTTextType, std::string& text) {
    text = next == 1 ? "n3" : "other";
  };
  next = 0;
  PVNode a = A->AddChild(nullptr);
  next = 1;
  PVNode b = A->AddChild(nullptr);
  EXPECT_FALSE(A->Selected(a));
  EXPECT_TRUE(A->Selected(b)) << "found case-blind";
}

TEST_F(TClipboardTest, DrawTreeLeavesPaintingAndMeasuringToTheApplication) {
  TOwned<TNodeDrawTree> tree(new TNodeDrawTree(nullptr));
  PVNode n = tree->AddChild(nullptr);
  EXPECT_EQ(tree->GetNodeContentWidth(n, NoColumn, nullptr), 2 * tree->TextMargin());
  tree->OnGetNodeWidth = [](TBaseNodeTree*, TCanvas&, PVNode, TColumnIndex, int& width) { width += 40; };
  EXPECT_EQ(tree->GetNodeContentWidth(n, NoColumn, nullptr), 2 * tree->TextMargin() + 40);
  EXPECT_EQ(tree->DoGetCellContentMargin(n, NoColumn).X, 0);
  EXPECT_EQ(tree->GetDefaultHintKind(), vhkOwnerDraw);
  TFormatEtcArray formats;
  tree->SetClipboardFormats({"Node Tree Data", "CSV"});
  tree->GetOfferedFormats(formats);
  ASSERT_EQ(formats.size(), 1u);
  EXPECT_EQ(formats[0].cfFormat, cfNodeTreeData());
}

} // namespace
