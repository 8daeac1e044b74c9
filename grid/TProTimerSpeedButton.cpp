#include "grid/TProTimerSpeedButton.h"

#include "platform/ui/ThemeDraw.h"

TProTimerSpeedButton::TProTimerSpeedButton(TComponent* AOwner) : TSpeedButton(AOwner) {}

TProTimerSpeedButton::~TProTimerSpeedButton() = default;

void TProTimerSpeedButton::SetButtonDirection(TButtonDirection value) {
  FButtonDirection = value;
  Invalidate();
}

void TProTimerSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TSpeedButton::MouseDown(Button, Shift, X, Y);
  if (FTimeBtnState & tbAllowTimer) {
    if (!FRepeatTimer) {
      FRepeatTimer = new TTimer(this);
      FRepeatTimer->OnTimer = [this](TObject*) { TimerExpired(); };
    }
    FRepeatTimer->SetEnabled(false);
    FRepeatTimer->SetInterval(400);
    FRepeatTimer->SetEnabled(true);
  }
  if (Parent()) Parent()->Invalidate();
}

void TProTimerSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TSpeedButton::MouseUp(Button, Shift, X, Y);
  if (FRepeatTimer) FRepeatTimer->SetEnabled(false);
  if (Parent()) Parent()->Invalidate();
}

void TProTimerSpeedButton::TimerExpired() {
  FRepeatTimer->SetInterval(100);
  if (Down() && MouseCapture()) {
    try {
      Click();
    } catch (...) {
      FRepeatTimer->SetEnabled(false);
      throw;
    }
  }
}

void TProTimerSpeedButton::CMMouseEnter(TMessage& Message) {
  FHasMouse = true;
  Invalidate();
  TSpeedButton::CMMouseEnter(Message);
}

void TProTimerSpeedButton::CMMouseLeave(TMessage& Message) {
  FHasMouse = false;
  Invalidate();
  TSpeedButton::CMMouseLeave(Message);
}

void TProTimerSpeedButton::Paint() {
  TCanvas& canvas = Canvas();
  TRect r = ClientRect();
  if (FColors && FColors->Color != clNone) {
    const TColor fill = Down() ? FColors->ColorDown : FHasMouse ? FColors->ColorHot : FColors->Color;
    canvas.Pen().SetColor(fill);
    canvas.Brush().SetColor(fill);
    canvas.Brush().SetStyle(bsSolid);
    canvas.Rectangle(r.Left, r.Top, r.Right, r.Bottom);
    const int L = r.Left, T = r.Top;
    std::vector<TPoint> p;
    switch (FButtonDirection) {
    case bdLeft:
      p = {{L + 5, T + 5}, {L + 3, T + 7}, {L + 5, T + 9}};
      break;
    case bdRight:
      p = {{L + 3, T + 5}, {L + 5, T + 7}, {L + 3, T + 9}};
      break;
    case bdUp:
      p = {{L + 4, T + 4}, {L + 8, T + 4}, {L + 6, T + 2}};
      break;
    case bdDown:
      p = {{L + 4, T + 2}, {L + 8, T + 2}, {L + 6, T + 4}};
      break;
    }
    canvas.Pen().SetColor(clBlack);
    canvas.Brush().SetColor(clBlack);
    canvas.Polygon(p);
    return;
  }
  if (FIsWinXP) {
    if (HTHEME theme = OpenThemeData(Parent(), "spin")) {
      const int part = FButtonDirection == bdUp      ? 1
                       : FButtonDirection == bdDown  ? 2
                       : FButtonDirection == bdRight ? 3
                                                     : 4;
      DrawThemeBackground(theme, canvas, part, Down() ? 3 : FHasMouse ? 2 : 1, r);
      CloseThemeData(theme);
      return;
    }
  }
  if (FButtonDirection == bdLeft || FButtonDirection == bdRight) {
    DrawFrameControl(canvas, r, DFC_SCROLL,
                     (FButtonDirection == bdLeft ? DFCS_SCROLLLEFT : DFCS_SCROLLRIGHT) |
                         (Down() ? DFCS_PUSHED : 0u) | (Flat() ? DFCS_FLAT : 0u));
    return;
  }
  TSpeedButton::Paint();
}
