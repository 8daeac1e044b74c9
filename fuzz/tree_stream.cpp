// Tree streams from any bytes: loading and adding below a node must raise or succeed, never crash,
// and leave a tree whose counts hold.
#include "platform/ui/Application.h"
#include "tree/NodeTrees.h"
#include "tree/StreamValues.h"

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {
TBaseNodeTree* Tree() {
  static TBaseNodeTree* tree = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    Application->Initialize();
    auto* t = new TBaseNodeTree(nullptr);
    t->SetNodeDataSize(8);
    t->TreeOptions().SetSelectionOptions({toMultiSelect});
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
  TBaseNodeTree* tree = Tree();
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  TMemoryStream stream;
  Fill(stream, bytes);
  try {
    tree->LoadFromStream(stream);
  } catch (const std::exception&) {
  }
  Fill(stream, bytes);
  try {
    if (PVNode first = tree->GetFirstNoInit()) tree->AddFromStream(stream, first);
  } catch (const std::exception&) {
  }
  tree->FullExpand();
  if (tree->TotalCount() > 1000000) std::abort();
  tree->Clear();
  return 0;
}
