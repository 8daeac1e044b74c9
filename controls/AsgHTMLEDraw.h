// Drawing and hit-testing the laid-out lines of the mini-HTML renderer. Both work on the same
// positions, so what is found under a point is what is drawn there.
#pragma once

#include "controls/AsgHTMLE.h"
#include "controls/AsgHTMLEModel.h"

struct THTMLDrawContext {
  TCanvas& Canvas;
  const TRect& Rect;
  const THTMLDrawParams& Params;
  const THTMLLayout& Layout;
  unsigned TextFlags;
  TColor Background;
  bool Draw; // false: hit-test only
  THTMLDrawResult& Result;
  bool Hit = false;
};

// Left edge of a line as drawn: one pixel right of the rectangle's left edge, moved by the
// line's alignment (never left of that) and indent.
int HTMLLineLeft(const THTMLLine& line, const TRect& rect);

// One line of DrawHTML: draws it (when ctx.Draw) and hit-tests it against the point.
void DrawHTMLLine(THTMLDrawContext& ctx, const THTMLLine& line);
