// The print engine's counting pass over a 100,000 x 10 grid, against measuring the same cell texts
// once with Qt's font metrics.
#include "grid/ProGrid.h"
#include "platform/ui/Application.h"
#include "platform/ui/Forms.h"

#include <QFont>
#include <QFontMetrics>
#include <QString>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

namespace {

class TCountingGrid : public TProStringGrid {
public:
  using TProStringGrid::TProStringGrid;
  int CountPages(TCanvas& c) { return PrintPages(c, 3, false, -1); }
};

struct TPrintGrid {
  TPrintGrid() {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    Application->Initialize();
    Form = new TForm(nullptr);
    Grid = new TCountingGrid(Form);
    Grid->SetParent(Form);
    Grid->Font().SetName("DejaVu Sans");
    Grid->SetColCount(10);
    Grid->SetRowCount(100000);
    for (int r = 0; r < 100000; ++r)
      for (int c = 0; c < 10; ++c)
        Grid->SetGridCells(c, r, c % 3 == 0 ? "meter " + std::to_string(r) : std::to_string(r * c + 7));
    // The page the preview lays out on: A4 at the screen's resolution.
    Grid->PrintDraw(Page.Canvas(), {0, 0, Page.Width(), Page.Height()});
    SetMapMode(Page.Canvas(), MM_LOMETRIC);
  }
  ~TPrintGrid() { Form->Free(); }
  TForm* Form = nullptr;
  TCountingGrid* Grid = nullptr;
  TBitmap Page{794, 1123};
};

TPrintGrid& Data() {
  static TPrintGrid data;
  return data;
}

void BM_GridPrintCount_ours(benchmark::State& state) {
  TPrintGrid& d = Data();
  int pages = 0;
  for (auto _ : state)
    benchmark::DoNotOptimize(pages = d.Grid->CountPages(d.Page.Canvas()));
  if (pages < 100) state.SkipWithError("too few pages counted");
  state.counters["pages"] = pages;
}

void BM_GridPrintCount_anchor(benchmark::State& state) {
  TPrintGrid& d = Data();
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(35);
  const QFontMetrics metrics(font);
  for (auto _ : state) {
    long long total = 0;
    for (int r = 0; r < d.Grid->RowCount(); ++r)
      for (int c = 0; c < 10; ++c)
        total += metrics.horizontalAdvance(QString::fromStdString(d.Grid->GridCells(c, r)));
    benchmark::DoNotOptimize(total);
  }
}

} // namespace

BENCHMARK(BM_GridPrintCount_ours)->Name("GridPrintCount/ours")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GridPrintCount_anchor)->Name("GridPrintCount/anchor")->Unit(benchmark::kMillisecond);
