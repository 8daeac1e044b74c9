// Grid cells, hints and drop-down items lay out their mini-HTML on every paint: DrawHTML on a
// mark-up text of 200 characters, measured, drawn and hit-tested.
#include "controls/AsgHTMLE.h"
#include "platform/ui/Fonts.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// 200 characters.
const std::string Markup =
    "<b>Gateway</b> <font color=\"clRed\">Z9K59</font> is <i>online</i>; see <a "
    "href=\"http://x\">details</a> or <hi>press</hi> here.<br><u>Second</u> line &amp; "
    "<font size=\"3\">bigger</font> words to wrap!!!!!";

void RenderHTML(benchmark::State& state, bool measureOnly, bool hitTestOnly) {
  if (!EnsureGuiApplication()) {
    state.SkipWithError("no GUI application for the faces");
    return;
  }
  TBitmap bitmap(240, 120);
  TCanvas& canvas = bitmap.Canvas();
  canvas.Font().SetName("Tahoma");
  canvas.Font().SetHeight(-11);
  THTMLDrawParams params;
  params.MeasureOnly = measureOnly;
  params.HitTestOnly = hitTestOnly;
  params.X = 120;
  params.Y = 20;
  const TRect r = Rect(2, 2, 238, 118);
  for (auto _ : state) {
    THTMLDrawResult result;
    benchmark::DoNotOptimize(DrawHTML(canvas, Markup, r, params, result));
    benchmark::DoNotOptimize(result.XSize);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(Markup.size()));
}

} // namespace

BENCHMARK_CAPTURE(RenderHTML, Measure, true, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(RenderHTML, Draw, false, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(RenderHTML, HitTest, false, true)->Unit(benchmark::kMicrosecond);
