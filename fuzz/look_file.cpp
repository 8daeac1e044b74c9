// The look file read into a grid: a refused file leaves the look as it was, and an accepted look
// saves to a file that loads back to the same look.
#include "support/FuzzGrid.h"

#include "platform/Files.h"

namespace {

std::string Saved(TProStringGrid& grid, const std::string& name) {
  const std::string path = JoinPath(FuzzFolder(), name);
  grid.SaveVisualProps(path);
  std::string bytes;
  ReadFileBytes(path, bytes);
  return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TProStringGrid* grid = &FuzzStringGrid();
  const std::string path = WriteFuzzFile("look.txt", AsText(data, size));
  std::string before;
  try {
    before = Saved(*grid, "before.txt");
  } catch (const EProGridError&) {
    before.clear(); // a font name Windows-1252 cannot hold, from an earlier input
  }
  try {
    grid->LoadVisualProps(path);
  } catch (const std::exception&) {
    if (!before.empty())
      FuzzCheck(Saved(*grid, "after.txt") == before, "a refused file leaves the look as it was");
    return 0;
  }
  std::string first;
  try {
    first = Saved(*grid, "first.txt");
  } catch (const EProGridError&) {
    return 0;
  }
  grid->LoadVisualProps(JoinPath(FuzzFolder(), "first.txt"));
  FuzzCheck(Saved(*grid, "second.txt") == first, "a saved look loads back the same", first);
  return 0;
}
