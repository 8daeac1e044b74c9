// The binary cell stream read into a grid, whole and at a point: a refused stream leaves the grid's
// size as it was, an accepted one stays within the grid's load maximums.
#include "support/FuzzGrid.h"

#include "platform/Streams.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes = AsText(data, size);
  FuzzGridLoad(size, [&](TProStringGrid& grid) {
    TMemoryStream stream;
    stream.WriteBuffer(bytes);
    stream.SetPosition(0);
    try {
      if (size % 3 == 0)
        grid.LoadAtPointFromBinStream({1, 1}, stream);
      else
        grid.LoadFromBinStream(stream);
    } catch (const EStreamError&) {
      FuzzCheck(grid.ColCount() == 3 && grid.RowCount() == 3, "a refused stream leaves the grid as it was");
      FuzzCheck(stream.Position() == 0, "a refused stream is left where it was");
    }
  });
  return 0;
}
