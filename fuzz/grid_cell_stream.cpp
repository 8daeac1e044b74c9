// The cell text file's stream form read into a grid: a refused stream leaves the grid's size and the
// stream's position as they were, an accepted one stays within the grid's load maximums and leaves
// the stream inside itself.
#include "support/FuzzGrid.h"

#include "platform/Streams.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes = AsText(data, size);
  TMemoryStream stream;
  stream.WriteBuffer(bytes);
  stream.SetPosition(0);
  FuzzGridLoad(size, [&](TProStringGrid& grid) {
    try {
      grid.LoadFromStream(stream);
    } catch (const EProGridError&) {
      FuzzCheck(stream.Position() == 0, "a refused stream is left where it was");
      throw;
    }
  });
  FuzzCheck(stream.Position() <= stream.Size(), "the reader stops inside the stream");
  return 0;
}
