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
  const int rangeY = static_cast<int>(RangeY());
  const int offsetY = FOffsetY;
  const int delta = static_cast<int>(Delta);
  const bool advanced = Has(toAdvancedAnimatedToggle);
  const bool above = Has(toChildrenAbove);
  const bool autoScroll = Has(toAutoScrollOnExpand);
  const TRect& r = NodeRect;
  TToggleAnimation a;
  auto area = [&](int top, int bottom) { return Rect(r.Left, top, r.Right, bottom); };
  // Direction: -1 up, 1 down, 0 does not move.
  if (Collapsing) {
    if (!above) {
      if (rangeY + offsetY + delta < ch && ch < rangeY && offsetY != 0 && advanced) {
        a.Area1 = area(0, std::min(r.Bottom, ch));
        a.Direction1 = 1;
        a.Amount1 = std::min(-offsetY, ch - rangeY - offsetY - delta);
      } else {
        a.Area1 = area(r.Bottom, ch);
        a.Direction1 = -1;
        a.Amount1 = std::min(ch - r.Bottom + 1, -delta);
      }
    } else {
      if (r.Top >= ch) return;
      const int total = static_cast<int>(Node->TotalHeight);
      const bool scrolledPast = total - h + offsetY <= 0;
      if (advanced && !scrolledPast) {
        a.Area1 = area(std::max(r.Top + delta, 0), ch);
        a.Direction1 = -1;
        a.Amount1 = offsetY - delta;
      } else {
        a.Area1 = area(0, r.Top);
        a.Direction1 = 1;
        a.Amount1 = std::min(r.Top + 1, total - h);
      }
    }
    if (a.Area1.Top >= ch) return;
  } else {
    const bool fits = h + delta <= ch;
    if (!above) {
      const bool scrollable = fits;
      const bool roomBelow = ch >= r.Bottom + delta;
      if ((scrollable && roomBelow) || !autoScroll || !advanced || r.Top <= 0) {
        a.Area1 = area(r.Top + h, ch);
        a.Direction1 = 1;
        a.Amount1 = std::min(ch - r.Top - h, delta);
      } else {
        const int b = r.Top + h + 1;
        a.Area1 = area(0, b);
        a.Direction1 = -1;
        a.Amount1 = std::min(delta - (ch - b), r.Top + 1);
        a.Area2 = area(b, ch);
        a.Direction2 = 1;
        a.Amount2 = ch - b;
      }
    } else {
      const bool scrollable = fits && rangeY >= ch;
      const bool roomAbove = r.Top - delta >= 0;
      const bool rowInside = ch >= r.Bottom;
      if (!advanced || (scrollable && ((rowInside && roomAbove) || !autoScroll))) {
        a.Area1 = area(0, r.Top);
        a.Direction1 = -1;
        a.Amount1 = std::min(r.Top, delta);
      } else {
        a.Area1 = area(r.Top, ch);
        a.Direction1 = 1;
        a.Area2 = area(0, r.Top);
        a.Direction2 = -1;
        const int over = rangeY + delta - ch;
        if (!autoScroll) {
          a.Amount1 = -offsetY - std::max(over, 0) + delta;
          if (over <= 0)
            a.Direction2 = 0;
          else
            a.Amount2 = std::min(over, r.Top);
        } else if (fits && rowInside && over > 0) {
          a.Amount1 = r.Top <= delta ? delta - r.Top : ch - rangeY;
        } else if (over <= 0) {
          a.Direction2 = 0;
          a.Amount1 = delta;
        } else {
          a.Amount1 = ch - r.Top - h;
        }
        if (a.Direction2 != 0) {
          if (a.Amount1 > 0) {
            a.Amount2 = std::min(delta - a.Amount1, r.Top);
          } else {
            a.Direction1 = 0;
            a.Amount1 = 0;
            a.Amount2 = std::min(ch, delta);
          }
        }
      }
    }
    if (a.Area1.Top > ch) return;
  }
  if (a.Direction1 != 0 && a.Direction2 != 0 && a.Amount1 < a.Amount2) {
    std::swap(a.Area1, a.Area2);
    std::swap(a.Direction1, a.Direction2);
    std::swap(a.Amount1, a.Amount2);
  }
  if (a.Direction1 != 0 && a.Direction2 != 0 && a.Amount1 > 0) a.ScaleFactor = double(a.Amount2) / a.Amount1;
  a.Remainder = 0;
  const int steps = a.Direction1 != 0 ? a.Amount1 : a.Amount2;
  FToggleAnimation = a;
  if (steps <= 0) return;
  Animate(static_cast<std::uint32_t>(steps), FAnimationDuration,
          [this](int Step, int StepSize) { return ToggleAnimationStep(Step, StepSize); });
}

bool TBaseNodeTree::ToggleAnimationStep(int Step, int StepSize) {
  // The window shows the tree after the toggle already: each step repaints the strip of each area
  // that its movement has reached, so the new rows appear as the areas would move.
  TToggleAnimation& a = FToggleAnimation;
  if (StepSize == 0) {
    Invalidate();
    return true;
  }
  auto reveal = [this](const TRect& area, int direction, int moved) {
    if (direction == 0 || area.IsEmpty() || moved <= 0) return;
    TRect strip = area;
    if (direction > 0)
      strip.Bottom = std::min(strip.Bottom, strip.Top + moved + 1);
    else
      strip.Top = std::max(strip.Top, strip.Bottom - moved - 1);
    InvalidateClientRect(strip);
  };
  int step2 = StepSize;
  if (a.Direction1 != 0 && a.ScaleFactor > 0) {
    const double exact = (StepSize + a.Remainder) * a.ScaleFactor;
    step2 = static_cast<int>(std::lround(exact));
    a.Remainder = exact / a.ScaleFactor - step2 / a.ScaleFactor;
  }
  a.Moved1 += a.Direction1 != 0 ? StepSize : 0;
  a.Moved2 += a.Direction2 != 0 ? (a.Direction1 != 0 ? step2 : StepSize) : 0;
  reveal(a.Area1, a.Direction1, a.Moved1);
  reveal(a.Area2, a.Direction2, a.Moved2);
  (void)Step;
  return true;
}
