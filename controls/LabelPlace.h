// Where the caption label of an edit, combo box or picker sits around it.
#pragma once

#include "platform/ui/Types.h"

enum TLabelPosition {
  lpLeftTop,
  lpLeftCenter,
  lpLeftBottom,
  lpTopLeft,
  lpBottomLeft,
  lpLeftTopLeft,
  lpLeftCenterLeft,
  lpLeftBottomLeft,
  lpTopCenter,
  lpBottomCenter,
  lpRightTop,
  lpRightCenter,
  lpRighBottom
};

// Where a label of size (LW, LH) goes around a control at (L, T) of size (CW, CH): W is the
// caption's measured width and M the margin.
TPoint LabelPlace(TLabelPosition position, const TRect& control, int W, int LW, int LH, int M);
