// The string grid scrolled from top to bottom page by page, each page painted. The cost of a page
// must not grow with the number of rows: compare the per-page figures of the two row counts.
// Measured on the offscreen platform, build without optimisation, 800 x 600 window, 20 columns:
// 2.7 ms per page with 1,000 rows (46 pages), 3.3 ms per page with 100,000 rows (4,546 pages).
#include "platform/ui/Application.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Grids.h"
#include "platform/ui/GridsCells.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

void ScrollAndPaint(benchmark::State& state) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  Application->Initialize();
  const int rows = static_cast<int>(state.range(0));
  TForm* form = new TForm(nullptr);
  form->SetClientWidth(800);
  form->SetClientHeight(600);
  auto* grid = new TStringGrid(form);
  grid->SetParent(form);
  grid->SetAlign(alClient);
  grid->SetColCount(20);
  grid->SetRowCount(rows);
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < 20; ++c)
      grid->SetCells(c, r, "R" + std::to_string(r) + "C" + std::to_string(c));
  form->Show();
  Application->ProcessMessages();

  long pages = 0;
  for (auto _ : state) {
    grid->SetTopRow(grid->FixedRows());
    while (true) {
      grid->Repaint();
      ++pages;
      int before = grid->TopRow();
      grid->ScrollVert(gscPageDown);
      if (grid->TopRow() == before) break;
    }
  }
  state.counters["pages"] = static_cast<double>(pages) / static_cast<double>(state.iterations());
  state.counters["per_page"] = benchmark::Counter(static_cast<double>(pages),
                                                  benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  form->Free();
}

// One changed cell of an 800 x 600 grid against the whole grid painted again, both through the
// event loop: the cell's region is all that is painted, so it must cost at least 20x less.
// Figures (RelWithDebInfo, offscreen, 20 x 1,000 cells): full 4.0-4.7 ms, cell 13-17 us (about
// 250x); when every invalidation repainted the whole control both cost the same.
void GridRepaint(benchmark::State& state, bool oneCell) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  Application->Initialize();
  TForm* form = new TForm(nullptr);
  form->SetClientWidth(800);
  form->SetClientHeight(600);
  auto* grid = new TStringGrid(form);
  grid->SetParent(form);
  grid->SetAlign(alClient);
  grid->SetColCount(20);
  grid->SetRowCount(1000);
  for (int r = 0; r < 1000; ++r)
    for (int c = 0; c < 20; ++c)
      grid->SetCells(c, r, "R" + std::to_string(r) + "C" + std::to_string(c));
  form->Show();
  Application->ProcessMessages();
  int i = 0;
  for (auto _ : state) {
    if (oneCell)
      grid->SetCells(3, 4, (++i & 1) ? "changed" : "R4C3");
    else
      grid->Invalidate();
    Application->ProcessMessages();
  }
  form->Free();
}

// Sorting 100,000 rows of 20 filled cells reorders row indexes only, and moving one row from the
// bottom to the top shifts indexes, not cells.
// Figures (RelWithDebInfo): permutation 0.18 ms, row move 9 us.
void CellStoreReorder(benchmark::State& state, bool permute) {
  const int rows = 100000, cols = 20;
  TGridCellStore store;
  store.Resize(cols, rows);
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < cols; ++c)
      store.SetText(c, r, "R" + std::to_string(r) + "C" + std::to_string(c));
  std::vector<int> reversed(rows);
  for (int i = 0; i < rows; ++i)
    reversed[static_cast<size_t>(i)] = rows - 1 - i;
  for (auto _ : state) {
    if (permute)
      store.PermuteRows(reversed);
    else
      store.MoveRow(rows - 1, 0);
  }
  benchmark::DoNotOptimize(store.Text(0, 0));
}

} // namespace

BENCHMARK_CAPTURE(CellStoreReorder, permute, true)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(CellStoreReorder, move_row, false)->Unit(benchmark::kMicrosecond);
BENCHMARK(ScrollAndPaint)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(GridRepaint, full, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(GridRepaint, cell, true)->Unit(benchmark::kMicrosecond);
