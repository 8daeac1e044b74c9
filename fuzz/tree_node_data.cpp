// "Node Tree Data" and "Node Tree Reference" from any bytes: node data is inserted whole or not at
// all (never part of it), a reference never names a tree, and the tree's counts hold.
#include "platform/ui/Application.h"
#include "support/FuzzSupport.h"
#include "tree/ClipboardFormats.h"
#include "tree/StreamValues.h"
#include "tree/StringTree.h"

#include <cstdint>
#include <cstdlib>

namespace {
TNodeStringTree* Tree() {
  static TNodeStringTree* tree = [] {
    EnsureFuzzGui();
    auto* t = new TNodeStringTree(nullptr);
    t->SetNodeDataSize(8);
    t->OnLoadNode = [](TBaseNodeTree* owner, PVNode node, TStream& stream) {
      std::uint64_t value = 0;
      stream.Read(&value, 3);
      *static_cast<std::uint64_t*>(owner->GetNodeData(node)) = value;
    };
    return t;
  }();
  return tree;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TNodeStringTree* tree = Tree();
  const std::string bytes(AsText(data, size));
  auto object = std::make_shared<TDataObject>();
  object->SetGlobal(cfNodeTreeData(), bytes);
  object->SetGlobal(cfNodeTreeReference(), bytes.substr(0, 12));
  FuzzCheck(tree->TreeFromDataObject(object) == nullptr || tree->TreeFromDataObject(object) == tree,
            "a reference names no tree but a live one");
  bool inserted = false;
  try {
    inserted = tree->ProcessOLEData(nullptr, object, nullptr, amAddChildLast, false);
  } catch (const std::exception&) {
  }
  FuzzCheck(inserted || tree->TotalCount() == 0, "refused data inserts nothing");
  // As a stream medium the same bytes are whole chunks without a count.
  auto streamed = std::make_shared<TDataObject>();
  TStgMedium medium;
  medium.tymed = TYMED_ISTREAM;
  auto stream = std::make_shared<TMemoryStream>();
  Fill(*stream, bytes);
  medium.Stream = stream;
  streamed->SetData(FormatEtc(cfNodeTreeData(), TYMED_ISTREAM), medium, true);
  try {
    tree->ProcessOLEData(nullptr, streamed, nullptr, amInsertAfter, false);
  } catch (const std::exception&) {
  }
  tree->FullExpand();
  if (tree->TotalCount() > 1000000) std::abort();
  tree->Clear();
  return 0;
}
