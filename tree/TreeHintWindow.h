// The geometry of the tree's hint window: the size a hint asks for and its place on the desktop.
#pragma once

#include "tree/NodeTrees.h"

class TNodeTreeHintWindow {
public:
  // The window's rectangle for the hint data (empty: no hint); keeps a copy of the data.
  TRect CalcHintRect(int MaxWidth, const TVTHintData* Data);
  // A rectangle moved inside the desktop: up from below, left from the right, then down and right
  // to the top and left edges.
  static TRect KeepInDesktop(TRect R, const TRect& Desktop);
  const TVTHintData& HintData() const { return FHintData; }
  int TextHeight() const { return FTextHeight; }

private:
  TVTHintData FHintData;
  int FTextHeight = 0;
};
