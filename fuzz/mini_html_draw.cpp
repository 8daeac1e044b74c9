// The mini-HTML drawer: any mark-up is laid out, drawn and hit-tested on a small bitmap.
#include "controls/AsgHTMLE.h"
#include "platform/ui/Graphics.h"
#include "support/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  EnsureFuzzGui();
  if (size > 4096) return 0; // layout is measured per line; long texts add nothing new
  FuzzedDataProvider in(data, size);
  THTMLDrawParams params;
  params.WordWrap = in.ConsumeBool();
  params.X = in.ConsumeIntegralInRange(-1, 120);
  params.Y = in.ConsumeIntegralInRange(-1, 60);
  params.HitTestOnly = in.ConsumeBool();
  const std::string text = in.ConsumeRemainingBytesAsString();
  TBitmap bitmap(120, 60);
  THTMLDrawResult result;
  DrawHTML(bitmap.Canvas(), text, Rect(0, 0, 120, 60), params, result);
  params.MeasureOnly = true;
  DrawHTML(bitmap.Canvas(), text, Rect(0, 0, 120, 60), params, result);
  FuzzCheck(result.YSize >= 0 && result.XSize >= 0, "a layout has a size");
  return 0;
}
