#include "TreeFixture.h"
#include "tree/StreamValues.h"

#include "support/TempDir.h"

#include <cstring>
#include <map>

namespace {

std::string Hex(std::string_view bytes) {
  std::string out;
  char buf[4];
  for (unsigned char c : bytes) {
    std::snprintf(buf, sizeof buf, "%02X ", c);
    out += buf;
  }
  if (!out.empty()) out.pop_back();
  return out;
}

std::string Saved(TBaseNodeTree& t) {
  TMemoryStream s;
  t.SaveToStream(s);
  return s.Bytes();
}

int LoadError(TBaseNodeTree& t, std::string_view bytes) {
  TMemoryStream s;
  Fill(s, bytes);
  try {
    t.LoadFromStream(s);
  } catch (const ENodeTreeError& e) {
    return e.HelpContext();
  } catch (const EReadError&) {
    return -1;
  }
  return 0;
}

// Writes the node index as 4 bytes of user data and reads it back.
void WithUserData(TBaseNodeTree& t) {
  t.SetNodeDataSize(8);
  t.OnSaveNode = [](TBaseNodeTree* tree, PVNode n, TStream& s) {
    WriteValue<std::uint32_t>(s, *static_cast<std::uint32_t*>(tree->GetNodeData(n)));
  };
  t.OnLoadNode = [](TBaseNodeTree* tree, PVNode n, TStream& s) {
    *static_cast<std::uint32_t*>(tree->GetNodeData(n)) = ReadValue<std::uint32_t>(s);
  };
}

} // namespace

class TStreamTest : public TTreeTest {
protected:
  void SetUp() override {
    TTreeTest::SetUp();
    Tree->TreeOptions().SetAutoOptions({});
  }
};

TEST_F(TStreamTest, EmptyTreeIsSixteenBytes) {
  EXPECT_EQ(Hex(Saved(*Tree)), "45 20 56 00 54 00 02 00 20 00 46 20 00 00 00 00");
}

TEST_F(TStreamTest, OneUninitialisedNode) {
  Tree->TreeOptions().SetMiscOptions(Tree->TreeOptions().MiscOptions() - TVTMiscOptions{toInitOnSave});
  Tree->SetRootNodeCount(1);
  const std::string bytes = Saved(*Tree);
  ASSERT_EQ(bytes.size(), 51u);
  std::int32_t count, nodeType, nodeSize, baseType, baseSize;
  std::memcpy(&count, bytes.data() + 12, 4);
  std::memcpy(&nodeType, bytes.data() + 16, 4);
  std::memcpy(&nodeSize, bytes.data() + 20, 4);
  std::memcpy(&baseType, bytes.data() + 24, 4);
  std::memcpy(&baseSize, bytes.data() + 28, 4);
  EXPECT_EQ(count, 1);
  EXPECT_EQ(nodeType, 1);
  EXPECT_EQ(nodeSize, 27);
  EXPECT_EQ(baseType, 2);
  EXPECT_EQ(baseSize, 19);
}

TEST_F(TStreamTest, HeaderChecksComeBeforeClearing) {
  Tree->SetRootNodeCount(3);
  std::string header = Saved(*Tree);
  struct TCase {
    std::string Bytes;
    int Error;
  };
  std::string version3 = header, noMagic = header, unit4 = header;
  version3[6] = 3;
  noMagic[0] = 'x';
  unit4[8] = 'Q';
  const TCase cases[] = {{header.substr(0, 5), 2004}, {version3, 2003}, {noMagic, 2002}};
  for (const TCase& c : cases) {
    EXPECT_EQ(LoadError(*Tree, c.Bytes), c.Error);
    EXPECT_EQ(Tree->RootNodeCount(), 3u);
  }
  EXPECT_EQ(LoadError(*Tree, unit4), 0);
  EXPECT_EQ(Tree->RootNodeCount(), 3u);
}

TEST_F(TStreamTest, SaveLoadSaveIsByteIdentical) {
  WithUserData(*Tree);
  Tree->OnInitNode = [](TBaseNodeTree* t, PVNode, PVNode n, TVNodeInitStates&) {
    *static_cast<std::uint32_t*>(t->GetNodeData(n)) = t->AbsoluteIndex(n) * 7;
  };
  Tree->SetRootNodeCount(100);
  for (PVNode n = Tree->GetFirstNoInit(); n; n = n->NextSibling) Tree->SetChildCount(n, 9);
  Tree->SetExpanded(Tree->GetFirst(), true);
  Tree->SetVisible(Tree->GetLast(), false);
  const std::string first = Saved(*Tree);
  TOwned<TTestTree> other(new TTestTree(nullptr));
  other->TreeOptions().SetAutoOptions({});
  WithUserData(*other);
  TMemoryStream s;
  Fill(s, first);
  other->LoadFromStream(s);
  EXPECT_EQ(other->TotalCount(), 1000u);
  EXPECT_EQ(CheckCounts(*other), "");
  EXPECT_EQ(Saved(*other), first);
}

TEST_F(TStreamTest, UserDataChunksAreBoundedAndUnknownChunksSkipped) {
  Tree->SetNodeDataSize(8);
  // Writes 8 bytes per node, then an unknown chunk inside the node chunk.
  Tree->OnSaveNode = [](TBaseNodeTree*, PVNode, TStream& s) {
    WriteValue<std::uint64_t>(s, 0x1122334455667788ull);
  };
  Tree->SetRootNodeCount(2);
  std::string bytes = Saved(*Tree);
  // Node chunk of the first node: base (8 + 19) and user data (8 + 8) after its header.
  const std::size_t firstEnd = 16 + 8 + 43;
  std::string unknown(8 + 3, '\0');
  const std::int32_t type = 77, size = 3;
  std::memcpy(unknown.data(), &type, 4);
  std::memcpy(unknown.data() + 4, &size, 4);
  bytes.insert(firstEnd, unknown);
  std::int32_t nodeSize;
  std::memcpy(&nodeSize, bytes.data() + 20, 4);
  nodeSize += 11;
  std::memcpy(bytes.data() + 20, &nodeSize, 4);
  std::vector<std::uint32_t> seen;
  Tree->OnLoadNode = [&](TBaseNodeTree*, PVNode, TStream& s) { seen.push_back(ReadValue<std::uint32_t>(s)); };
  EXPECT_EQ(LoadError(*Tree, bytes), 0);
  EXPECT_EQ(Tree->RootNodeCount(), 2u);
  EXPECT_EQ(seen, (std::vector<std::uint32_t>{0x55667788u, 0x55667788u}));
}

TEST_F(TStreamTest, SelectedNodeLoadsUnselectedWithoutMultiSelect) {
  Tree->TreeOptions().SetSelectionOptions({toMultiSelect});
  Tree->SetRootNodeCount(2);
  Tree->SetSelected(Tree->GetFirst(), true);
  const std::string bytes = Saved(*Tree);
  TOwned<TTestTree> other(new TTestTree(nullptr));
  EXPECT_EQ(LoadError(*other, bytes), 0);
  EXPECT_FALSE(other->GetFirstNoInit()->States.Has(vsSelected));
  EXPECT_EQ(other->SelectedCount(), 0);
  other->TreeOptions().SetSelectionOptions({toMultiSelect});
  EXPECT_EQ(LoadError(*other, bytes), 0);
  EXPECT_EQ(other->SelectedCount(), 1);
}

TEST_F(TStreamTest, CorruptStreamsAreRejected) {
  Tree->SetRootNodeCount(1);
  const std::string good = Saved(*Tree);
  auto with = [&](std::size_t offset, std::uint32_t value) {
    std::string b = good;
    std::memcpy(b.data() + offset, &value, 4);
    return b;
  };
  struct TCase {
    const char* Name;
    std::string Bytes;
    int Error;
  };
  const TCase cases[] = {
      {"huge child count", with(32, 0x7FFFFFFF), 2006},
      {"negative node size", with(20, 0xFFFFFFF0), 2006},
      {"oversized node size", with(20, 1000), 2006},
      {"negative base size", with(28, 0x80000000), 2006},
      {"missing node header", with(16, 2), 2005},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(LoadError(*Tree, c.Bytes), c.Error) << c.Name;
    EXPECT_EQ(CheckCounts(*Tree), "") << c.Name;
  }
  // Transient states in the stream are dropped.
  std::string transient = with(40, (1u << vsReleaseCallOnUserDataRequired) | (1u << vsDeleting) | (1u << vsVisible));
  EXPECT_EQ(LoadError(*Tree, transient), 0);
  EXPECT_FALSE(Tree->GetFirstNoInit()->States.Has(vsReleaseCallOnUserDataRequired));
  EXPECT_FALSE(Tree->GetFirstNoInit()->States.Has(vsDeleting));
  for (std::size_t cut = 0; cut < good.size(); ++cut) {
    const int error = LoadError(*Tree, good.substr(0, cut));
    EXPECT_NE(error, 0) << "cut at " << cut;
    EXPECT_EQ(CheckCounts(*Tree), "") << "cut at " << cut;
  }
}

TEST_F(TStreamTest, FileIsWrittenWhole) {
  TTempDir dir;
  Tree->SetRootNodeCount(4);
  const std::string path = dir.Path() + "/tree.vtd";
  ASSERT_TRUE(Tree->SaveToFile(path));
  TOwned<TTestTree> other(new TTestTree(nullptr));
  other->LoadFromFile(path);
  EXPECT_EQ(other->RootNodeCount(), 4u);
  std::string error;
  EXPECT_FALSE(Tree->SaveToFile(dir.Path() + "/missing/tree.vtd", &error));
  EXPECT_FALSE(error.empty());
}

TEST_F(TStreamTest, MovingIntoAnotherTreeNamesNoDeletedNode) {
  Tree->SetRootNodeCount(2);
  TOwned<TTestTree> other(new TTestTree(nullptr));
  std::vector<PVNode> named;
  Tree->OnStructureChange = [&](TBaseNodeTree*, PVNode n, TChangeReason r) {
    if (r == crNodeMoved) named.push_back(n);
  };
  Tree->MoveTo(Tree->GetFirstNoInit(), other.get(), amAddChildLast, false);
  EXPECT_EQ(other->RootNodeCount(), 1u);
  EXPECT_EQ(Tree->RootNodeCount(), 1u);
  EXPECT_EQ(named, std::vector<PVNode>{nullptr});
  PVNode copy = Tree->CopyTo(Tree->GetFirstNoInit(), static_cast<PVNode>(nullptr), amInsertAfter, false);
  EXPECT_EQ(Tree->GetFirstNoInit(), copy);
  PVNode x = Tree->GetFirstNoInit();
  PVNode child = Tree->AddChild(x);
  try {
    Tree->MoveTo(x, child, amAddChildLast, false);
    FAIL();
  } catch (const ENodeTreeError& e) {
    EXPECT_EQ(e.HelpContext(), 2001);
  }
}

TEST_F(TStreamTest, SortingIsStableAndRenumbers) {
  Tree->SetRootNodeCount(3);
  std::vector<PVNode> nodes = AllNodes(*Tree);
  Tree->Sort(nullptr, NoColumn, sdDescending);
  EXPECT_EQ(AllNodes(*Tree), nodes);
  std::map<PVNode, int> key{{nodes[0], 3}, {nodes[1], 1}, {nodes[2], 2}};
  Tree->OnCompareNodes = [&](TBaseNodeTree*, PVNode a, PVNode b, TColumnIndex, int& r) { r = key[a] - key[b]; };
  Tree->Sort(nullptr, NoColumn, sdAscending);
  EXPECT_EQ(AllNodes(*Tree), (std::vector<PVNode>{nodes[1], nodes[2], nodes[0]}));
  EXPECT_EQ(CheckCounts(*Tree), "");
}

TEST_F(TStreamTest, ChildrenThatAreNotWrittenAreNotAnnounced) {
  Tree->TreeOptions().SetMiscOptions(Tree->TreeOptions().MiscOptions() - TVTMiscOptions{toInitOnSave});
  Tree->SetRootNodeCount(2);
  Tree->SetChildCount(Tree->GetFirstNoInit(), 3); // children of a node never initialised
  const std::string bytes = Saved(*Tree);
  TOwned<TTestTree> other(new TTestTree(nullptr));
  EXPECT_EQ(LoadError(*other, bytes), 0);
  EXPECT_EQ(other->RootNodeCount(), 2u);
  EXPECT_EQ(other->GetFirstNoInit()->ChildCount, 0u);
  EXPECT_EQ(CheckCounts(*other), "");
}

TEST_F(TStreamTest, CheckFieldsOutOfRangeAndDeepNestingAreRefused) {
  Tree->SetRootNodeCount(1);
  std::string bytes = Saved(*Tree);
  bytes[45] = static_cast<char>(200); // check state
  bytes[46] = static_cast<char>(99);  // check type
  EXPECT_EQ(LoadError(*Tree, bytes), 0);
  EXPECT_EQ(Tree->GetFirstNoInit()->CheckState, csUncheckedNormal);
  EXPECT_EQ(Tree->GetFirstNoInit()->CheckType, ctNone);
  // A chain of nodes, each the only child of the one before, deeper than any real tree.
  std::string chain;
  for (int depth = 0; depth < 5000; ++depth) {
    std::string base(19, '\0');
    const std::uint32_t children = chain.empty() ? 0 : 1, height = 18, states = 1u << vsVisible;
    std::memcpy(base.data(), &children, 4);
    std::memcpy(base.data() + 4, &height, 4);
    std::memcpy(base.data() + 8, &states, 4);
    std::string baseChunk(8, '\0');
    std::int32_t type = 2, size = static_cast<std::int32_t>(19 + chain.size());
    std::memcpy(baseChunk.data(), &type, 4);
    std::memcpy(baseChunk.data() + 4, &size, 4);
    std::string node(8, '\0');
    type = 1;
    size = static_cast<std::int32_t>(8 + size);
    std::memcpy(node.data(), &type, 4);
    std::memcpy(node.data() + 4, &size, 4);
    chain = node + baseChunk + base + chain;
  }
  const std::string header = Saved(*Tree).substr(0, 12) + std::string("\x01\0\0\0", 4);
  EXPECT_EQ(LoadError(*Tree, header + chain), 2006);
  EXPECT_EQ(CheckCounts(*Tree), "");
}
