// The wired result tree of a full scan (251 slaves of 50 records, each with twelve detail lines)
// built by the Scan & Decode window, and its first screen painted. Figure recorded, no anchor.
#include "app/UComon.h"
#include "app/ULanguage.h"
#include "mbus/SlaveLists.h"
#include "mbus/UScanDecode.h"
#include "platform/ui/Application.h"
#include "platform/ui/Graphics.h"
#include "tree/StringTree.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

std::vector<TSlave_MBus> Full_Scan() {
  std::vector<TSlave_MBus> out(251);
  for (std::size_t i = 0; i < out.size(); ++i) {
    TSlave_MBus& s = out[i];
    s.Primary_Addresss = static_cast<std::uint16_t>(i);
    s.Secondary_Addresss = std::to_string(10000000 + i);
    s.descManufacture = "ABC";
    s.List_Var.resize(50);
    for (std::size_t k = 0; k < s.List_Var.size(); ++k) {
      TVariable_MBus& v = s.List_Var[k];
      v.dimension = static_cast<std::uint8_t>(1 + k % 7);
      v.Desc_Type_Data = "Energy";
      v.ValueStr = std::to_string(k * 1000);
      v.storage_number = static_cast<std::int64_t>(k);
    }
  }
  return out;
}

void MBusScanTreeBuildAndFirstScreen(benchmark::State& state) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  Application->Initialize();
  Load_Default_Texts();
  TFScanDecode* form = NewForm<TFScanDecode>(nullptr);
  List_Slave_MBus().Locked([](std::vector<TSlave_MBus>& slaves) { slaves = Full_Scan(); });
  form->Form_Style(3);
  TNodeStringTree& tree = *form->VST;
  TBitmap frame(tree.ClientWidth(), tree.ClientHeight());
  frame.SetPixelFormat(pf32bit);
  const TVTInternalPaintOptions options{poBackground, poColumnColor, poDrawFocusRect, poDrawSelection};
  for (auto _ : state) {
    form->Show_Slave_in_Tree();
    tree.PaintTree(frame.Canvas(), TRect{0, 0, tree.ClientWidth(), tree.ClientHeight()}, TPoint{0, 0},
                   options);
    benchmark::DoNotOptimize(frame.ScanLine(0));
  }
  state.counters["nodes"] = static_cast<double>(tree.TotalCount());
  List_Slave_MBus().Clear();
  form->Free();
}

} // namespace

BENCHMARK(MBusScanTreeBuildAndFirstScreen)->Unit(benchmark::kMillisecond);
