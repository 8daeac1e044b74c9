// One spin button: a speed button that repeats its click while held (first after 400 ms, then
// every 100 ms of the program clock) and paints an arrow in custom colours, themed or classic.
#pragma once

#include "platform/ui/Buttons.h"
#include "platform/ui/ExtCtrls.h"

enum TButtonDirection { bdLeft, bdRight, bdUp, bdDown };
enum TTimeBtnStateFlag : unsigned { tbFocusRect = 1, tbAllowTimer = 2 };
using TTimeBtnState = unsigned;

// The colours a spin button takes from its holder; clNone for ButtonColor paints themed or classic.
struct TSpinButtonColors {
  TColor Color = clNone, ColorHot = clNone, ColorDown = clNone;
};

class TProTimerSpeedButton : public TSpeedButton {
public:
  explicit TProTimerSpeedButton(TComponent* AOwner);
  ~TProTimerSpeedButton() override;

  TTimeBtnState TimeBtnState() const { return FTimeBtnState; }
  void SetTimeBtnState(TTimeBtnState value) { FTimeBtnState = value; }
  TButtonDirection ButtonDirection() const { return FButtonDirection; }
  void SetButtonDirection(TButtonDirection value);
  void SetIsWinXP(bool value) { FIsWinXP = value; }
  // Where the colours come from; nullptr paints without custom colours.
  void SetColors(const TSpinButtonColors* colors) { FColors = colors; }
  bool HasMouse() const { return FHasMouse; }
  // The repeat timer, once the button was pressed.
  const TTimer* RepeatTimer() const { return FRepeatTimer; }

protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void CMMouseEnter(TMessage& Message) override;
  void CMMouseLeave(TMessage& Message) override;

private:
  void TimerExpired();

  TTimer* FRepeatTimer = nullptr;
  TTimeBtnState FTimeBtnState = 0;
  TButtonDirection FButtonDirection = bdUp;
  bool FIsWinXP = false;
  bool FHasMouse = false;
  const TSpinButtonColors* FColors = nullptr;
};
