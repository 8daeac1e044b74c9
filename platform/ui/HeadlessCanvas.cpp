#include "platform/ui/HeadlessCanvas.h"

#include "platform/ui/GraphicsImpl.h"

#include <algorithm>

namespace Headless {

TCanvasRecorder::TCanvasRecorder(TCanvas& canvas) : FCanvas(canvas), FOuter(canvas.impl().Recorder) {
  canvas.impl().Recorder = this;
}

TCanvasRecorder::~TCanvasRecorder() {
  FCanvas.impl().Recorder = FOuter;
}

std::vector<TDrawCall> TCanvasRecorder::Of(TDrawKind kind) const {
  std::vector<TDrawCall> out;
  std::copy_if(FCalls.begin(), FCalls.end(), std::back_inserter(out),
               [kind](const TDrawCall& c) { return c.Kind == kind; });
  return out;
}

std::vector<std::string> TCanvasRecorder::Texts() const {
  std::vector<std::string> out;
  for (const TDrawCall& c : FCalls)
    if (c.Kind == dkText) out.push_back(c.Text);
  return out;
}

} // namespace Headless

TDrawCallScope::TDrawCallScope(TCanvas& canvas, TDrawCallKind kind, const TRect& logical,
                               const std::string& text, int escapement)
    : FCanvas(canvas) {
  auto& d = canvas.impl();
  if (d.Recorder && d.CallDepth == 0 && !d.InTextSpace) {
    Headless::TDrawCall call;
    call.Kind = static_cast<Headless::TDrawKind>(kind);
    call.R = logical;
    const TRect n = Normalized(logical.Left, logical.Top, logical.Right, logical.Bottom);
    call.Device = FromQRect(d.ToDevice(
        n.Left == n.Right || n.Top == n.Bottom ? TRect{n.Left, n.Top, n.Right + 1, n.Bottom + 1} : n));
    call.Text = text;
    call.PenColor = canvas.Pen().Color();
    call.PenWidth = canvas.Pen().Width();
    call.PenStyle = canvas.Pen().Style();
    call.BrushColor = canvas.Brush().Color();
    call.BrushClear = canvas.Brush().Style() == bsClear;
    call.FontColor = canvas.Font().Color();
    call.FontHeight = canvas.Font().Height();
    call.Escapement = escapement;
    d.Recorder->Add(std::move(call));
  }
  ++d.CallDepth;
}
