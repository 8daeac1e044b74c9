// The cell text file read into a grid: a refused input leaves the grid's size as it was, an accepted one
// stays within the grid's load maximums.
#include "grid/ProGrid.h"
#include "grid/ProGridError.h"
#include "platform/ui/Forms.h"
#include "support/FuzzSupport.h"

namespace {

TProStringGrid& FuzzGrid() {
  static TProStringGrid* grid = [] {
    EnsureFuzzGui();
    auto* form = new TForm(nullptr);
    auto* g = new TProStringGrid(form);
    g->SetParent(form);
    g->FileOptions().MaxLoadColCount = 256;
    g->FileOptions().MaxLoadRowCount = 4096;
    return g;
  }();
  return *grid;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes = AsText(data, size);
  TProStringGrid& grid = FuzzGrid();
  grid.SetColCount(3);
  grid.SetRowCount(3);
  grid.SetDelimiter(0);
  grid.SetMultilineCells(size % 2 == 0);
  try {
    grid.LoadCellFileBytes(bytes, "fuzz");
  } catch (const EProGridError&) {
    FuzzCheck(grid.ColCount() == 3 && grid.RowCount() == 3, "a refused file leaves the grid as it was");
  }
  FuzzCheck(grid.TotalColCount() <= 256 && grid.RowCount() <= 4096, "a load stays within the maximums");
  return 0;
}
