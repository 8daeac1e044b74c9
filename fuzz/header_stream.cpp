// Header streams from any bytes: loading must raise a read error or succeed, never crash, and
// leave columns whose position map names each of them once.
#include "platform/ui/Application.h"
#include "tree/NodeTrees.h"
#include "tree/StreamValues.h"
#include "tree/VTHeader.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {
TBaseNodeTree* Tree() {
  static TBaseNodeTree* tree = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    Application->Initialize();
    auto* t = new TBaseNodeTree(nullptr);
    t->SetBounds(0, 0, 300, 200);
    return t;
  }();
  return tree;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TBaseNodeTree* tree = Tree();
  TMemoryStream stream;
  Fill(stream, std::string_view(reinterpret_cast<const char*>(data), size));
  try {
    tree->Header().LoadFromStream(stream);
  } catch (const EReadError&) {
  }
  TNodeTreeColumns& columns = tree->Header().Columns();
  const auto& map = columns.PositionToIndex();
  if (static_cast<int>(map.size()) != columns.Count()) std::abort();
  std::vector<bool> seen(map.size(), false);
  for (TColumnIndex index : map) {
    if (index < 0 || index >= columns.Count() || seen[static_cast<std::size_t>(index)]) std::abort();
    seen[static_cast<std::size_t>(index)] = true;
  }
  // Everything read must be usable: navigation, geometry and writing it again.
  for (TColumnIndex c = columns.GetFirstVisibleColumn(); c >= 0; c = columns.GetNextVisibleColumn(c)) {
  }
  columns.TotalWidth();
  TMemoryStream again;
  tree->Header().SaveToStream(again);
  if (tree->MainColumn() >= columns.Count()) std::abort();
  return 0;
}
