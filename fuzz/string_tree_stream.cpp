// String tree streams from any bytes: caption chunks of any size read within their chunk and give
// valid UTF-8; loading raises or succeeds and leaves counts that hold.
#include "platform/TextCodec.h"
#include "support/FuzzSupport.h"
#include "tree/StreamValues.h"
#include "tree/StringTree.h"

#include <cstdint>
#include <cstdlib>

namespace {
TNodeStringTree* Tree() {
  static TNodeStringTree* tree = [] {
    EnsureFuzzGui();
    auto* t = new TNodeStringTree(nullptr);
    t->SetNodeDataSize(0);
    t->OnNewText = [](TBaseNodeTree*, PVNode, TColumnIndex, const std::string& text) {
      FuzzCheck(IsValidUtf8(text), "a caption gives UTF-8");
    };
    return t;
  }();
  return tree;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TNodeStringTree* tree = Tree();
  TMemoryStream stream;
  Fill(stream, AsText(data, size));
  try {
    tree->LoadFromStream(stream);
  } catch (const std::exception&) {
  }
  tree->FullExpand();
  if (tree->TotalCount() > 1000000) std::abort();
  tree->Clear();
  return 0;
}
