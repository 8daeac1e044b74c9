// The tree core against Qt's tree view over a standard item model: adding 1,000 top-level nodes of
// 999 children inside one update, expanding everything, the node at evenly spaced heights, and
// sorting by a precomputed key per node.
#include "platform/ui/Application.h"
#include "tree/NodeTrees.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTreeView>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

namespace {

constexpr int Tops = 1000;
constexpr int Children = 999;

std::uint32_t KeyOf(std::uint32_t i) {
  return (i * 2654435761u) >> 8;
}

void EnsureApplication() {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  Application->Initialize();
}

struct TOurs {
  std::unique_ptr<TBaseNodeTree, void (*)(TBaseNodeTree*)> Tree{nullptr, [](TBaseNodeTree* t) { t->Free(); }};
  explicit TOurs(int tops, int children) {
    EnsureApplication();
    Tree.reset(new TBaseNodeTree(nullptr));
    Tree->TreeOptions().SetAutoOptions({});
    Tree->SetNodeDataSize(sizeof(std::uint32_t));
    Tree->BeginUpdate();
    std::uint32_t n = 0;
    for (int i = 0; i < tops; ++i) {
      PVNode top = Tree->AddChild(nullptr);
      *static_cast<std::uint32_t*>(Tree->GetNodeData(top)) = KeyOf(n++);
      for (int j = 0; j < children; ++j)
        *static_cast<std::uint32_t*>(Tree->GetNodeData(Tree->AddChild(top))) = KeyOf(n++);
    }
    Tree->EndUpdate();
  }
};

struct TAnchor {
  QStandardItemModel Model;
  QTreeView View;
  TAnchor(int tops, int children) {
    EnsureApplication();
    std::uint32_t n = 0;
    for (int i = 0; i < tops; ++i) {
      auto* top = new QStandardItem;
      top->setData(KeyOf(n++), Qt::UserRole);
      for (int j = 0; j < children; ++j) {
        auto* child = new QStandardItem;
        child->setData(KeyOf(n++), Qt::UserRole);
        top->appendRow(child);
      }
      Model.appendRow(top);
    }
    View.setUniformRowHeights(true);
    View.setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    View.resize(200, 100);
    View.setModel(&Model);
  }
};

void TreeAdd_ours(benchmark::State& state) {
  for (auto _ : state) {
    TOurs ours(Tops, Children);
    benchmark::DoNotOptimize(ours.Tree->RootNodeCount());
  }
}

void TreeAdd_anchor(benchmark::State& state) {
  for (auto _ : state) {
    TAnchor anchor(Tops, Children);
    benchmark::DoNotOptimize(anchor.Model.rowCount());
  }
}

// One iteration each: the tree is built before the timed step.
void TreeExpand_ours(benchmark::State& state) {
  TOurs ours(Tops, Children);
  for (auto _ : state) {
    ours.Tree->FullExpand();
    benchmark::DoNotOptimize(ours.Tree->VisibleCount());
  }
}

void TreeExpand_anchor(benchmark::State& state) {
  TAnchor anchor(Tops, Children);
  for (auto _ : state) {
    anchor.View.expandAll();
    anchor.View.doItemsLayout();
  }
}

// The node at 1,000 evenly spaced heights over the whole content, per call.
void TreeNodeAt_ours(benchmark::State& state) {
  const int tops = static_cast<int>(state.range(0)) / (Children + 1);
  TOurs ours(tops, Children);
  ours.Tree->FullExpand();
  ours.Tree->WaitForPositionCache();
  const std::int64_t height = ours.Tree->RangeY();
  int k = 0;
  for (auto _ : state) {
    int top = 0;
    benchmark::DoNotOptimize(ours.Tree->GetNodeAt(0, static_cast<int>(height * (k++ % 1000) / 1000), false, top));
  }
}

void TreeNodeAt_anchor(benchmark::State& state) {
  const int tops = static_cast<int>(state.range(0)) / (Children + 1);
  TAnchor anchor(tops, Children);
  anchor.View.expandAll();
  anchor.View.doItemsLayout();
  QScrollBar* bar = anchor.View.verticalScrollBar();
  const int rows = bar->maximum() + bar->pageStep();
  int k = 0;
  for (auto _ : state) {
    bar->setValue(static_cast<int>(static_cast<std::int64_t>(rows) * (k++ % 1000) / 1000));
    benchmark::DoNotOptimize(anchor.View.indexAt(QPoint(5, 1)));
  }
}

void TreeSort_ours(benchmark::State& state) {
  TOurs ours(Tops, Children);
  ours.Tree->OnCompareNodes = [](TBaseNodeTree*, PVNode a, PVNode b, TColumnIndex, int& result) {
    const std::uint32_t ka = *static_cast<std::uint32_t*>(a->GetData());
    const std::uint32_t kb = *static_cast<std::uint32_t*>(b->GetData());
    result = ka < kb ? -1 : ka > kb ? 1 : 0;
  };
  for (auto _ : state) ours.Tree->SortTree(0, sdAscending, true);
}

void TreeSort_anchor(benchmark::State& state) {
  TAnchor anchor(Tops, Children);
  anchor.Model.setSortRole(Qt::UserRole);
  for (auto _ : state) anchor.Model.sort(0);
}

} // namespace

BENCHMARK(TreeAdd_ours)->Name("TreeAdd/ours")->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(TreeAdd_anchor)->Name("TreeAdd/anchor")->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(TreeExpand_ours)->Name("TreeExpand/ours")->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(TreeExpand_anchor)->Name("TreeExpand/anchor")->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(TreeNodeAt_ours)->Name("TreeNodeAt/ours")->Arg(10000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(TreeNodeAt_anchor)->Name("TreeNodeAt/anchor")->Arg(10000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(TreeSort_ours)->Name("TreeSort/ours")->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(TreeSort_anchor)->Name("TreeSort/anchor")->Iterations(1)->Unit(benchmark::kMillisecond);
