// An XML document read into a grid, records as rows: a refused input leaves the grid's size as it
// was, an accepted one stays within the grid's load maximums.
#include "support/FuzzGrid.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes = AsText(data, size);
  FuzzGridLoad(size, [&](TProStringGrid& grid) { grid.LoadXMLBytes(bytes, size % 3 == 0, size % 5 == 0); });
  return 0;
}
