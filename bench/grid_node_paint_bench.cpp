// Node rows and cell graphics on a large grid: one 800 x 600 page of a 100,000-row outline (a
// node heading every 20 rows, a nested node inside each group, a rating, a comment and a radio
// group column) at the top (at:0) and at row 90,000 (at:1), which must cost the same: painting
// looks only at the rows on the page. Then closing and opening the whole outline (10,000 nodes).
// Figures (RelWithDebInfo, offscreen, CPU time): 2.55 ms at the top, 2.49 ms at row 90,000;
// closing and opening the outline 18.9 ms.
#include "bench/WidgetFrames.h"
#include "grid/ProGrid.h"
#include "platform/StringList.h"
#include "platform/ui/Application.h"
#include "platform/ui/Forms.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace {

constexpr int Rows = 100000, Cols = 8, ViewWidth = 800, ViewHeight = 600, Group = 20;

struct TOutline {
  TForm* Form = nullptr;
  TProStringGrid* Grid = nullptr;
  TStringList Items;
  TOutline() {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    Application->Initialize();
    Form = new TForm(nullptr);
    Form->SetClientWidth(ViewWidth);
    Form->SetClientHeight(ViewHeight);
    Grid = new TProStringGrid(Form);
    Grid->SetParent(Form);
    Grid->SetBounds(0, 0, ViewWidth, ViewHeight);
    Grid->SetColCount(Cols);
    Grid->SetRowCount(Rows);
    Items.Add("on");
    Items.Add("off");
    for (int r = 1; r < Rows; ++r) {
      Grid->SetCells(1, r, "Row " + std::to_string(r));
      Grid->SetCells(2, r, std::to_string(r % 6) + ".5");
      Grid->AddRating(2, r, 5, 0x0000FF, 0xC0C0C0);
      if (r % 7 == 0) Grid->AddComment(3, r, "note");
      Grid->AddRadio(4, r, 1, r % 2, &Items);
    }
    for (int r = 1; r + Group <= Rows; r += Group) {
      Grid->AddNode(r, Group);
      Grid->AddNode(r + 2, 5);
    }
    Form->Show();
    Application->ProcessMessages();
  }
  ~TOutline() { Form->Free(); }
};

TOutline& Outline() {
  static std::unique_ptr<TOutline> built;
  if (!built) built = std::make_unique<TOutline>();
  return *built;
}

void NodePage(benchmark::State& state) {
  TOutline& o = Outline();
  o.Grid->SetTopRow(state.range(0) == 0 ? 1 : 90000);
  Application->ProcessMessages();
  RenderEachIteration(state, *o.Grid->Widget(), ViewWidth, ViewHeight);
}

void NodeOutlineCloseAndOpen(benchmark::State& state) {
  TOutline& o = Outline();
  for (auto _ : state) {
    o.Grid->ContractAll();
    o.Grid->ExpandAll();
  }
  o.Grid->SetTopRow(1);
}

} // namespace

BENCHMARK(NodePage)->Name("NodePage")->Arg(0)->Arg(1)->ArgName("at")->Unit(benchmark::kMicrosecond);
BENCHMARK(NodeOutlineCloseAndOpen)->Name("NodeOutline/CloseAndOpen")->Unit(benchmark::kMillisecond);
