// CSV read into a grid: a refused input leaves the grid's size as it was, an accepted one stays
// within the grid's load maximums, and rows kept undecoded until reached read as a load that
// decoded every cell at once wrote them, also under a second load over the first.
#include "support/FuzzGrid.h"

namespace {

// A grid like FuzzStringGrid() whose per-cell hook makes every load decode each cell at once.
TProStringGrid& EagerGrid() {
  static TProStringGrid* grid = [] {
    auto* form = new TForm(nullptr);
    auto* g = new TProStringGrid(form);
    g->SetParent(form);
    g->FileOptions() = FuzzStringGrid().FileOptions();
    g->OnLoadCell = [](TObject*, int, int, std::string&) {};
    return g;
  }();
  return *grid;
}

// 3 x 3 cells holding the same text, kept columns included, so each input starts alike.
void Reset(TProStringGrid& g, std::size_t size) {
  g.SetColCount(3);
  g.SetRowCount(3);
  g.SetDelimiter(0);
  g.SetMultilineCells(size % 2 == 0);
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < g.CellCapacity(); ++c)
      g.SetCells(c, r, "o");
}

void Load(TProStringGrid& g, std::string_view bytes) {
  try {
    g.LoadCSVBytes(bytes, 0);
  } catch (const EProGridError&) {
  }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes = AsText(data, size);
  TProStringGrid& lazy = FuzzStringGrid();
  TProStringGrid& eager = EagerGrid();
  Reset(lazy, size);
  Reset(eager, size);
  FuzzGridLoad(size, [&](TProStringGrid& grid) { grid.LoadCSVBytes(bytes, 0); });
  Load(eager, bytes);
  // Rows still lazy are replaced by the second load's or decoded before it.
  const std::string_view half = bytes.substr(size / 2);
  Load(lazy, half);
  Load(eager, half);
  FuzzCheck(lazy.ColCount() == eager.ColCount() && lazy.RowCount() == eager.RowCount() &&
                lazy.CellCapacity() == eager.CellCapacity(),
            "a lazy load sizes the grid as an eager one");
  for (int r = 0; r < eager.RowCount(); ++r)
    for (int c = 0; c < eager.CellCapacity(); ++c)
      FuzzCheck(lazy.Cells(c, r) == eager.Cells(c, r), "a lazy row reads as the eager load wrote it",
                lazy.Cells(c, r) + " | " + eager.Cells(c, r));
  return 0;
}
