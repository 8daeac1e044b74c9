// The string tree's exports of 100,000 nodes in 5 columns to HTML, RTF and CSV text, each against
// joining the same cell texts and separators into one std::string; and a cut of 100,000 nodes in
// one tree pasted into another of the process.
#include "platform/ui/Application.h"
#include "platform/ui/HeadlessServices.h"
#include "tree/StringTree.h"
#include "tree/VTColumns.h"
#include "tree/VTHeader.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace {

constexpr int Nodes = 100000;
constexpr int Columns = 5;

void EnsureApplication() {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  Application->Initialize();
}

std::string CellText(std::uint32_t node, int column) {
  return "cell " + std::to_string(node) + "/" + std::to_string(column);
}

using TTreePtr = std::unique_ptr<TNodeStringTree, void (*)(TNodeStringTree*)>;

TTreePtr MakeTree(int nodes, int columns) {
  EnsureApplication();
  TTreePtr tree(new TNodeStringTree(nullptr), [](TNodeStringTree* t) { t->Free(); });
  tree->SetNodeDataSize(sizeof(std::uint32_t));
  tree->TreeOptions().SetSelectionOptions({toMultiSelect});
  tree->SetClipboardFormats({"Node Tree Data"});
  for (int c = 0; c < columns; ++c) {
    TNodeTreeColumn* column = tree->Header().Columns().Add();
    column->SetText("Column " + std::to_string(c));
    column->SetWidth(80);
  }
  if (columns > 0) tree->Header().SetMainColumn(0);
  tree->OnGetText = [](TBaseNodeTree* t, PVNode n, TColumnIndex c, TVSTTextType type, std::string& text) {
    if (type == ttNormal) text = CellText(*static_cast<std::uint32_t*>(t->GetNodeData(n)), c);
  };
  tree->BeginUpdate();
  for (std::uint32_t i = 0; i < static_cast<std::uint32_t>(nodes); ++i)
    *static_cast<std::uint32_t*>(tree->GetNodeData(tree->AddChild(nullptr))) = i;
  tree->EndUpdate();
  return tree;
}

TNodeStringTree& ExportTree() {
  static TTreePtr tree = MakeTree(Nodes, Columns);
  return *tree;
}

// The anchor: the same texts and separators joined into one string.
void JoinAnchor(benchmark::State& state) {
  for (auto _ : state) {
    std::string out;
    for (std::uint32_t i = 0; i < static_cast<std::uint32_t>(Nodes); ++i) {
      for (int c = 0; c < Columns; ++c) {
        out += CellText(i, c);
        if (c + 1 < Columns) out += ',';
      }
      out += "\r\n";
    }
    benchmark::DoNotOptimize(out.data());
  }
  state.SetItemsProcessed(state.iterations() * Nodes);
}

void ExportHtml(benchmark::State& state) {
  TNodeStringTree& tree = ExportTree();
  for (auto _ : state)
    benchmark::DoNotOptimize(tree.ContentToHTML(tstAll).size());
  state.SetItemsProcessed(state.iterations() * Nodes);
}

void ExportRtf(benchmark::State& state) {
  TNodeStringTree& tree = ExportTree();
  for (auto _ : state)
    benchmark::DoNotOptimize(tree.ContentToRTF(tstAll).size());
  state.SetItemsProcessed(state.iterations() * Nodes);
}

void ExportCsv(benchmark::State& state) {
  TNodeStringTree& tree = ExportTree();
  for (auto _ : state)
    benchmark::DoNotOptimize(tree.ContentToText(tstAll, ",").size());
  state.SetItemsProcessed(state.iterations() * Nodes);
}

// Cut in one tree, paste into another: the nodes move without the clipboard's node data.
void CutPasteBetweenTrees(benchmark::State& state) {
  Headless::TClipboardScope clip;
  for (auto _ : state) {
    state.PauseTiming();
    TTreePtr source = MakeTree(Nodes, 0);
    TTreePtr target = MakeTree(0, 0);
    source->SelectAll(false);
    state.ResumeTiming();
    source->CutToClipboard();
    target->PasteFromClipboard();
    state.PauseTiming();
    if (target->RootNodeCount() != static_cast<std::uint32_t>(Nodes) || source->RootNodeCount() != 0)
      state.SkipWithError("the nodes did not move");
    source.reset();
    target.reset();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * Nodes);
}

} // namespace

BENCHMARK(ExportHtml)->Name("TreeExportHtml/ours")->Unit(benchmark::kMillisecond);
BENCHMARK(JoinAnchor)->Name("TreeExportHtml/anchor")->Unit(benchmark::kMillisecond);
BENCHMARK(ExportRtf)->Name("TreeExportRtf/ours")->Unit(benchmark::kMillisecond);
BENCHMARK(JoinAnchor)->Name("TreeExportRtf/anchor")->Unit(benchmark::kMillisecond);
BENCHMARK(ExportCsv)->Name("TreeExportCsv/ours")->Unit(benchmark::kMillisecond);
BENCHMARK(JoinAnchor)->Name("TreeExportCsv/anchor")->Unit(benchmark::kMillisecond);
BENCHMARK(CutPasteBetweenTrees)->Name("TreeCutPaste100k")->Unit(benchmark::kMillisecond)->Iterations(1);
