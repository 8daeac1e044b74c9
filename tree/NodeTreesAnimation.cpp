// Animations stepped on the program clock: the callback runs once per step from a timer, so
// nothing waits busily and the window keeps handling input between the steps.
#include "platform/Clock.h"
#include "platform/ui/Application.h"
#include "platform/ui/ExtCtrls.h"
#include "tree/NodeTrees.h"

#include <algorithm>
#include <cmath>


void TBaseNodeTree::Animate(std::uint32_t Steps, std::uint32_t Duration, TVTAnimationCallback Callback) {
  if (TreeStates().Has(tsInAnimation) || Duration == 0 || !Callback) return;
  DoStateChange({tsInAnimation});
  TAnimationRun& run = FAnimation;
  run = TAnimationRun{};
  run.Callback = std::move(Callback);
  run.Steps = Steps;
  run.StepSize = std::max(1, static_cast<int>(std::lround(double(Steps) / Duration)));
  run.RemainingSteps = Steps / static_cast<std::uint32_t>(run.StepSize);
  run.RemainingTime = Duration;
  auto finish = [this] {
    if (FAnimationTimer) FAnimationTimer->SetEnabled(false);
    TVTAnimationCallback callback = std::move(FAnimation.Callback);
    FAnimation = TAnimationRun{};
    try {
      if (callback && !Application->Terminated()) callback(0, 0);
    } catch (...) {
      DoStateChange({}, {tsCancelHintAnimation, tsInAnimation});
      throw;
    }
    DoStateChange({}, {tsCancelHintAnimation, tsInAnimation});
  };
  auto stepNow = [this, finish]() {
    TAnimationRun& r = FAnimation;
    if (r.RemainingSteps == 0 || r.RemainingTime <= 0 || Application->Terminated()) {
      finish();
      return;
    }
    r.StepStart = Clock().NowMs();
    const int step = static_cast<int>(r.Steps - r.RemainingSteps);
    bool goOn = false;
    try {
      goOn = r.Callback(step, r.StepSize);
    } catch (...) {
      finish();
      throw;
    }
    if (!goOn) {
      finish();
      return;
    }
    // The next step is due when this step's share of the remaining time has passed.
    FAnimationTimer->SetEnabled(false);
    FAnimationTimer->SetInterval(
        static_cast<unsigned>(std::max<std::int64_t>(1, r.RemainingTime / std::max<std::uint32_t>(1, r.RemainingSteps))));
    FAnimationTimer->SetEnabled(true);
  };
  if (!FAnimationTimer) {
    FAnimationTimer = new TTimer(this);
    FAnimationTimer->SetEnabled(false);
  }
  FAnimationTimer->OnTimer = [this, stepNow, finish](TObject*) {
    TAnimationRun& r = FAnimation;
    FAnimationTimer->SetEnabled(false);
    const std::int64_t elapsed = Clock().NowMs() - r.StepStart;
    if (elapsed > r.RemainingTime) {
      r.RemainingTime = 0;
      r.RemainingSteps = 0;
    } else {
      r.RemainingTime -= elapsed;
      --r.RemainingSteps;
    }
    // Steps too short for the clock are taken together.
    while (r.RemainingSteps > 0 && r.RemainingTime / r.RemainingSteps < 1) {
      ++r.StepSize;
      r.RemainingSteps = static_cast<std::uint32_t>(r.RemainingTime / r.StepSize);
    }
    if (TreeStates().Has(tsCancelHintAnimation)) {
      finish();
      return;
    }
    stepNow();
  };
  stepNow();
}

// ---------------------------------------------------------------- the toggle animation

void TBaseNodeTree::AnimateToggle(PVNode Node, std::int64_t Delta, bool Collapsing, const TRect& NodeRect) {
  if (TreeStates().Has(tsHint)) Application->CancelHint();
  const int ch = ClientHeight();
  const int h = static_cast<int>(NodeHeight(Node));
  const TRect& r = NodeRect;
  TToggleAnimation a;
  const int delta = static_cast<int>(Delta);
  if (Collapsing) {
    if (!Has(toChildrenAbove)) {
      a.Area1 = Rect(r.Left, r.Bottom, r.Right, ch);
      a.Direction1 = -1;
      a.Amount1 = std::min(ch - r.Bottom + 1, -delta);
    } else {
      if (r.Top >= ch) return;
      a.Area1 = Rect(r.Left, 0, r.Right, r.Top);
      a.Direction1 = 1;
      a.Amount1 = std::min<int>(r.Top + 1, static_cast<int>(Node->TotalHeight) - h);
    }
    if (a.Area1.Top >= ch) return;
  } else {
    if (!Has(toChildrenAbove)) {
      a.Area1 = Rect(r.Left, r.Top + h, r.Right, ch);
      a.Direction1 = 1;
      a.Amount1 = std::min(ch - r.Top - h, delta);
    } else {
      a.Area1 = Rect(r.Left, 0, r.Right, r.Top);
      a.Direction1 = -1;
      a.Amount1 = std::min(r.Top, delta);
    }
    if (a.Area1.Top > ch) return;
  }
  if (a.Amount1 <= 0) return;
  FToggleAnimation = a;
  Animate(static_cast<std::uint32_t>(a.Amount1), FAnimationDuration,
          [this](int Step, int StepSize) { return ToggleAnimationStep(Step, StepSize); });
}

bool TBaseNodeTree::ToggleAnimationStep(int Step, int StepSize) {
  (void)Step;
  // The moving area and the strip it uncovers are painted anew in their state after the toggle.
  TToggleAnimation& a = FToggleAnimation;
  if (StepSize > 0 && a.Direction1 != 0 && !a.Area1.IsEmpty()) {
    TRect strip = a.Area1;
    if (a.Direction1 > 0)
      strip.Bottom = std::min(strip.Bottom, strip.Top + Step + StepSize + 1);
    else
      strip.Top = std::max(strip.Top, strip.Bottom - Step - StepSize - 1);
    InvalidateClientRect(strip);
  } else if (StepSize == 0) {
    Invalidate();
  }
  return true;
}
