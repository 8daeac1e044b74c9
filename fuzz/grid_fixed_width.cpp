// Fixed-width fields read into a grid: the positions come from the input's end, the lines from the
// rest. A refused input leaves the grid's size as it was, an accepted one stays within the grid's
// load maximums.
#include "support/FuzzGrid.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  TIntList positions(0, 0);
  const int count = input.ConsumeIntegralInRange<int>(0, 300);
  for (int i = 0; i < count && input.remaining_bytes() > 0; ++i)
    positions.Add(input.ConsumeIntegralInRange<int>(-5, 400));
  const bool trim = input.ConsumeBool();
  const int maxRows = input.ConsumeIntegralInRange<int>(-1, 50);
  const std::string bytes = input.ConsumeRemainingBytesAsString();
  FuzzGridLoad(size, [&](TProStringGrid& grid) { grid.LoadFixedBytes(bytes, positions, trim, maxRows); });
  return 0;
}
