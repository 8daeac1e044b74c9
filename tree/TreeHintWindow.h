// The tree's hint window: sized for the hint data, kept inside the desktop, drawn over the cell
// in tooltip mode and faded or slid in by steps on the program clock.
#pragma once

#include "platform/ui/HintWindow.h"
#include "tree/NodeTrees.h"

class TNodeTreeHintWindow : public THintWindow {
public:
  explicit TNodeTreeHintWindow(TComponent* AOwner);
  ~TNodeTreeHintWindow() override;
  // The window's rectangle for the hint data (empty: no hint); keeps a copy of the data.
  TRect CalcHintRect(int MaxWidth, const TVTHintData* Data);
  TRect CalcHintRect(int MaxWidth, const std::string& AHint, const void* AData) override;
  void ActivateHint(const TRect& Rect, const std::string& AHint) override;
  // A rectangle moved inside the desktop: up from below, left from the right, then down and right
  // to the top and left edges.
  static TRect KeepInDesktop(TRect R, const TRect& Desktop);
  const TVTHintData& HintData() const { return FHintData; }
  int TextHeight() const { return FTextHeight; }
  // One step of the fade or slide (the animation's callback); false ends it.
  bool HintAnimationStep(int Step, int StepSize);
  // The step shown now (0: the finished hint).
  int RenderedStep() const { return FStep; }
  THintAnimationType Animation() const { return FAnimation; }

protected:
  void PaintHint(TCanvas& Canvas) override;

private:
  TVTHintData FHintData;
  int FTextHeight = 0;
  int FStep = 0;
  THintAnimationType FAnimation = hatNone;
};

// False while a tree hint window exists and is shown; animation steps stop when it turns true.
extern bool HintWindowDestroyed;
