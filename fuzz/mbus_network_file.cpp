// The M-Bus network file as the editor reads it; whatever it reads must write out as a file that
// reads back whole, with as many nodes and variables.
#include "mbus/NetworkFile.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const TNetworkRead read = Parse_MBus_Network(std::string_view(reinterpret_cast<const char*>(data), size));
  const TNetworkRead again = Parse_MBus_Network(MBus_Network_Xml(read.Nodes));
  if (!again.Complete || again.Nodes.size() != read.Nodes.size()) __builtin_trap();
  for (std::size_t i = 0; i < read.Nodes.size(); ++i)
    if (again.Nodes[i].Var_List.size() != read.Nodes[i].Var_List.size()) __builtin_trap();
  return 0;
}
