// Watching what is drawn on one canvas in tests: every drawing call with its logical coordinates
// (page units on a canvas in the metric mode), its text and the pen, brush and font it used, and
// the device box it covers. Calls made inside another call (a polygon's lines, a text's pieces)
// are not recorded again.
//
//   Headless::TCanvasRecorder seen(bitmap.Canvas());
//   grid->PrintDraw(bitmap.Canvas(), r);
//   EXPECT_EQ(seen.Texts(), (std::vector<std::string>{"a", "b"}));
#pragma once

#include "platform/ui/Graphics.h"

#include <string>
#include <vector>

namespace Headless {

enum TDrawKind { dkLine, dkRectangle, dkFill, dkText, dkEllipse, dkPolygon, dkPicture };

struct TDrawCall {
  TDrawKind Kind = dkLine;
  TRect R{};      // logical: a line runs from (Left, Top) to (Right, Bottom); a text starts at (Left, Top)
  TRect Device{}; // the device pixels the call covers, normalised
  std::string Text;
  TColor PenColor = clBlack;
  int PenWidth = 1;
  TPenStyle PenStyle = psSolid;
  TColor BrushColor = clWhite;
  bool BrushClear = false;
  TColor FontColor = clBlack;
  int FontHeight = 0;
  int Escapement = 0; // tenths of a degree, counter-clockwise
};

class TCanvasRecorder {
public:
  explicit TCanvasRecorder(TCanvas& canvas);
  ~TCanvasRecorder();
  TCanvasRecorder(const TCanvasRecorder&) = delete;
  TCanvasRecorder& operator=(const TCanvasRecorder&) = delete;

  const std::vector<TDrawCall>& Calls() const { return FCalls; }
  std::vector<TDrawCall> Of(TDrawKind kind) const;
  std::vector<std::string> Texts() const;
  void Clear() { FCalls.clear(); }

  // Called by the canvas.
  void Add(TDrawCall call) { FCalls.push_back(std::move(call)); }

private:
  TCanvas& FCanvas;
  TCanvasRecorder* FOuter = nullptr;
  std::vector<TDrawCall> FCalls;
};

} // namespace Headless
