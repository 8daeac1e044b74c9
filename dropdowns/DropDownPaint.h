// Painting helpers of the drop-down controls that the grid shares.
#pragma once

#include "platform/ui/Graphics.h"

// Fills Rect with a gradient from FromColor to ToColor in Steps bands (at least one), each band
// the per-channel mix of the two colours; left to right when Horizontal, else top to bottom.
// Neighbouring bands overlap by a pixel so that no gap shows.
void DrawGradientBands(TCanvas& Canvas, TColor FromColor, TColor ToColor, bool Horizontal, const TRect& Rect,
                       int Steps);
