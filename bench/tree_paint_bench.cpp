// Painting one 800 x 600 viewport of a fully expanded string tree, per frame, at the top, the
// middle and the end of the content, for 10,000 and 1,000,000 nodes; against Qt's tree view over
// a standard item model with the same texts and row height rendered into an image of the same size.
#include "bench/WidgetFrames.h"
#include "platform/ui/Application.h"
#include "platform/ui/Graphics.h"
#include "tree/StringTree.h"

#include <QScrollBar>
#include <QStandardItemModel>
#include <QTreeView>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <string>

namespace {

constexpr int ViewWidth = 800, ViewHeight = 600, RowHeight = 18, Children = 999;

void EnsureApplication() {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  Application->Initialize();
}

// Same texts on both sides: the level and the index among the siblings.
std::string TextOf(int level, std::uint32_t index) {
  return (level == 0 ? "Meter " : "Variable ") + std::to_string(index);
}

struct TOursTree {
  std::unique_ptr<TNodeStringTree, void (*)(TNodeStringTree*)> Tree{nullptr,
                                                                    [](TNodeStringTree* t) { t->Free(); }};
  explicit TOursTree(int nodes) {
    EnsureApplication();
    Tree.reset(new TNodeStringTree(nullptr));
    Tree->SetBounds(0, 0, ViewWidth, ViewHeight);
    Tree->Font().SetName("DejaVu Sans");
    Tree->TreeOptions().SetAutoOptions({});
    Tree->SetNodeDataSize(0);
    Tree->SetColor(clWhite);
    Tree->OnGetText = [](TBaseNodeTree* sender, PVNode node, TColumnIndex, TVSTTextType type,
                         std::string& text) {
      if (type == ttNormal) text = TextOf(node->Parent == sender->RootNode() ? 0 : 1, node->Index);
    };
    const int tops = nodes / (Children + 1);
    Tree->BeginUpdate();
    for (int i = 0; i < tops; ++i) {
      PVNode top = Tree->AddChild(nullptr);
      Tree->SetChildCount(top, Children);
    }
    Tree->EndUpdate();
    Tree->FullExpand();
    Tree->WaitForPositionCache();
  }
};

struct TAnchorTree {
  QStandardItemModel Model;
  QTreeView View;
  explicit TAnchorTree(int nodes) {
    EnsureApplication();
    const int tops = nodes / (Children + 1);
    const QSize rowSize(-1, RowHeight);
    for (int i = 0; i < tops; ++i) {
      auto* top = new QStandardItem(QString::fromStdString(TextOf(0, static_cast<std::uint32_t>(i))));
      top->setSizeHint(rowSize);
      QList<QStandardItem*> rows;
      rows.reserve(Children);
      for (int j = 0; j < Children; ++j) {
        auto* child = new QStandardItem(QString::fromStdString(TextOf(1, static_cast<std::uint32_t>(j))));
        child->setSizeHint(rowSize);
        rows.append(child);
      }
      top->appendRows(rows);
      Model.appendRow(top);
    }
    View.setFont(QFont("DejaVu Sans", 8));
    View.setHeaderHidden(true);
    View.setUniformRowHeights(true);
    View.setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    View.setModel(&Model);
    View.resize(ViewWidth, ViewHeight);
    View.expandAll();
    View.doItemsLayout();
  }
};

// Built once per node count: building a million-node model takes far longer than a frame.
template <class T> T& Shared(int nodes) {
  static std::map<int, std::unique_ptr<T>> trees;
  auto& tree = trees[nodes];
  if (!tree) tree = std::make_unique<T>(nodes);
  return *tree;
}

// Position 0: the top, 1: the middle, 2: the last full viewport.
int TopOf(std::int64_t range, int position) {
  const std::int64_t last = std::max<std::int64_t>(range - ViewHeight, 0);
  return static_cast<int>(position == 0 ? 0 : position == 1 ? last / 2 : last);
}

void TreePaint_ours(benchmark::State& state) {
  TOursTree& ours = Shared<TOursTree>(static_cast<int>(state.range(0)));
  TNodeStringTree& tree = *ours.Tree;
  const int top = TopOf(tree.RangeY(), static_cast<int>(state.range(1)));
  TBitmap frame(ViewWidth, ViewHeight);
  frame.SetPixelFormat(pf32bit);
  const TVTInternalPaintOptions options{poBackground,    poColumnColor,  poDrawFocusRect,
                                        poDrawSelection, poDrawDropMark, poGridLines};
  for (auto _ : state) {
    tree.PaintTree(frame.Canvas(), TRect{0, top, ViewWidth, top + ViewHeight}, TPoint{0, 0}, options);
    benchmark::DoNotOptimize(frame.ScanLine(0));
  }
  state.counters["rows"] = ViewHeight / RowHeight;
}

void TreePaint_anchor(benchmark::State& state) {
  TAnchorTree& anchor = Shared<TAnchorTree>(static_cast<int>(state.range(0)));
  QScrollBar* bar = anchor.View.verticalScrollBar();
  const std::int64_t range = static_cast<std::int64_t>(bar->maximum()) + bar->pageStep();
  bar->setValue(TopOf(range, static_cast<int>(state.range(1))));
  RenderEachIteration(state, *anchor.View.viewport(), ViewWidth, ViewHeight);
  state.counters["rows"] = ViewHeight / RowHeight;
}

} // namespace

BENCHMARK(TreePaint_ours)
    ->Name("TreePaint/ours")
    ->ArgsProduct({{10000, 1000000}, {0, 1, 2}})
    ->ArgNames({"nodes", "at"})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(TreePaint_anchor)
    ->Name("TreePaint/anchor")
    ->ArgsProduct({{10000, 1000000}, {0, 1, 2}})
    ->ArgNames({"nodes", "at"})
    ->Unit(benchmark::kMicrosecond);
