#include "controls/LbButtons.h"

TColor LbBlendHot(TColor base, TColor hot, int step) {
  return ColorToRGB(step >= LbHotTrackSteps ? hot : base);
}

int LbGlyphFrame(int, bool, bool, bool) {
  return 0;
}

std::string LbFitCaption(const TCanvas&, const std::string& caption, int) {
  return caption;
}

void DrawLbButtonFace(TCanvas& canvas, const TLbButtonPaintState& s) {
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(s.Color);
  canvas.FillRect(Rect(0, 0, s.Width, s.Height));
}
