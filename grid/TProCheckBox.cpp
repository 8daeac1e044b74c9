#include "grid/TProCheckBox.h"

#include "controls/ProStyleIF.h"
#include "platform/ui/Application.h"
#include "platform/ui/Messages.h"
#include "platform/ui/ThemeDraw.h"

TProCheckBox::TProCheckBox(TComponent* AOwner) : TCustomControl(AOwner), FIsWinXP(RunsOnXPOrLater()) {
  SetBounds(0, 0, 98, 20);
  SetColor(clWindow);
  SetTabStop(true);
  SetCaption("TProCheckBox");
  // The box toggles and clicks itself on release.
  SetControlStyle(ControlStyle() & ~csClickEvents);
}

TProCheckBox::~TProCheckBox() = default;

void TProCheckBox::InvalidatePart(const TRect& r) {
  FInvalidated.push_back(r);
  InvalidateRect(r);
}

void TProCheckBox::SetChecked(bool value) {
  SetState(value ? cbChecked : cbUnchecked);
  Invalidate();
}

void TProCheckBox::SetState(TCheckBoxState value) {
  if (FState == value) return;
  FState = value;
  const int w = ClientWidth(), h = ClientHeight();
  InvalidatePart(FAlignment == taRightJustify ? Rect(w - 20, 0, w, h) : Rect(0, 0, 20, h));
}

void TProCheckBox::Toggle() {
  if (!FReadOnly) SetChecked(!Checked());
}

void TProCheckBox::SetAlignment(TAlignment value) {
  if (FAlignment == value) return;
  FAlignment = value;
  Invalidate();
}

void TProCheckBox::SetButtonVertAlign(TTextLayout value) {
  if (FBtnVAlign == value) return;
  FBtnVAlign = value;
  Invalidate();
}

void TProCheckBox::SetEllipsis(bool value) {
  if (FEllipsis == value) return;
  FEllipsis = value;
  Invalidate();
}

void TProCheckBox::SetTransparent(bool value) {
  if (FTransparent != value) {
    FTransparent = value;
    FBkgCache = false;
  }
  Repaint();
}

void TProCheckBox::SetEnabled(bool enabled) {
  TCustomControl::SetEnabled(enabled);
  Invalidate();
}

void TProCheckBox::SetBounds(int left, int top, int width, int height) {
  TCustomControl::SetBounds(left, top, width, height);
  if (FTransparent) {
    FBkgCache = false;
    Repaint();
  }
}

void TProCheckBox::DoEnter() {
  FFocused = true;
  Invalidate();
  TCustomControl::DoEnter();
}

void TProCheckBox::DoExit() {
  FFocused = false;
  Invalidate();
  TCustomControl::DoExit();
}

void TProCheckBox::CMDialogChar(TMessage& Message) {
  if (IsAccel(static_cast<WideChar>(Message.WParam), Caption()) && CanFocus()) {
    Toggle();
    if (TabStop()) SetFocus();
    Message.Result = 1;
    return;
  }
  TCustomControl::CMDialogChar(Message);
}

void TProCheckBox::CMMouseEnter(TMessage& Message) {
  FHot = true;
  InvalidatePart(Rect(0, 0, 16, 16));
  TCustomControl::CMMouseEnter(Message);
}

void TProCheckBox::CMMouseLeave(TMessage& Message) {
  FHot = false;
  InvalidatePart(Rect(0, 0, 16, 16));
  TCustomControl::CMMouseLeave(Message);
}

void TProCheckBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  FMouseDown = true;
  if (!Focused() && CanFocus()) {
    SetFocus();
    FFocused = true;
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
  SetMouseCapture(true);
  FDown = true;
  if (FIsWinXP) InvalidatePart(Rect(0, 0, 16, 16));
}

void TProCheckBox::MouseMove(TShiftState Shift, int X, int Y) {
  if (MouseCapture()) FDown = X >= 0 && X <= Width() && Y >= 0 && Y <= Height();
  TCustomControl::MouseMove(Shift, X, Y);
}

void TProCheckBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  SetMouseCapture(false);
  FDown = false;
  const bool inside = X >= 0 && X <= Width() && Y >= 0 && Y <= Height();
  if (inside && FFocused && FMouseDown) {
    FClicksDisabled = true;
    Toggle();
    FClicksDisabled = false;
    Click();
  }
  FMouseDown = false;
  TCustomControl::MouseUp(Button, Shift, X, Y);
  if (FIsWinXP) InvalidatePart(Rect(0, 0, 16, 16));
}

void TProCheckBox::KeyDown(std::uint16_t& Key, TShiftState Shift) {
  if (Key == VK_RETURN && FReturnIsTab) {
    Key = VK_TAB;
    PostMessage(this, WM_KEYDOWN, VK_TAB, 0);
  }
  if (Key == VK_SPACE) FDown = true;
  TCustomControl::KeyDown(Key, Shift);
}

// The Tab posted for Enter moves the focus on as a Tab would.
void TProCheckBox::WMKeyDown(TMessage& Message) {
  if (Message.WParam == VK_TAB) {
    if (TWinControl* form = GetParentForm(this)) form->SelectNext(this, true, true);
    return;
  }
  TCustomControl::WMKeyDown(Message);
}

// The key-up goes no further: OnKeyUp never fires for this control.
void TProCheckBox::CNKeyUp(TMessage& Message) {
  if (Message.WParam == VK_SPACE) {
    FDown = false;
    Toggle();
    Click();
  }
  Message.Result = 1;
}

int TProCheckBox::ThemeState() const {
  const int base = FState == cbChecked ? 5 : FState == cbGrayed ? 9 : 1;
  if (!Enabled()) return base + 3;
  if (FDown) return base + 2;
  if (FHot) return base + 1;
  return base;
}

void TProCheckBox::Paint() {
  TCanvas& canvas = Canvas();
  canvas.Font().Assign(Font());
  if (!FTransparent) {
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(Color());
    canvas.FillRect(ClientRect());
  }
  const int cw = ClientWidth(), ch = ClientHeight();
  HTHEME theme = nullptr;
  if (FIsWinXP && IsThemeActive() && IsComCtl6()) theme = OpenThemeData(this, "button");
  if (theme) {
    const int y = FBtnVAlign == tlTop ? 4 : FBtnVAlign == tlCenter ? ch / 2 - 6 : ch - 14;
    const int x = FAlignment == taRightJustify ? cw - 15 : 0;
    DrawThemeBackground(theme, canvas, BP_CHECKBOX, ThemeState(), Rect(x, y, x + 14, y + 14));
    CloseThemeData(theme);
  } else {
    const int x = FAlignment == taRightJustify ? cw - 13 : 0;
    const int y = FBtnVAlign == tlTop ? 4 : FBtnVAlign == tlCenter ? ch / 2 - 6 : ch - 17;
    TRect box = Rect(x, y, x + 13, y + 13);
    unsigned state = DFCS_BUTTONCHECK;
    if (FState == cbGrayed || !Enabled()) state |= DFCS_INACTIVE;
    if (FState == cbChecked) state |= DFCS_CHECKED;
    DrawFrameControl(canvas, box, DFC_BUTTON, state);
  }
  TRect r = ClientRect();
  if (FAlignment == taRightJustify) {
    r.Left = 0;
    r.Right -= 9;
  } else {
    r.Left += 9;
  }
  r.Top += 4;
  r.Left += 6;
  canvas.Brush().SetStyle(bsClear);
  const unsigned flags = DT_SINGLELINE | (FEllipsis ? DT_END_ELLIPSIS : 0u);
  if (!Enabled()) {
    TRect shadow = Rect(r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1);
    canvas.Font().SetColor(static_cast<TColor>(0xFFFFFF));
    DrawText(canvas, Caption(), shadow, flags);
    canvas.Font().SetColor(static_cast<TColor>(0x808080));
  }
  TRect text = r;
  DrawText(canvas, Caption(), text, flags);
  if (FFocused) {
    TRect m = r;
    DrawText(canvas, Caption(), m, flags | DT_CALCRECT);
    canvas.Brush().SetStyle(bsSolid);
    canvas.DrawFocusRect(
        Rect(r.Left - 2, r.Top, r.Left + (m.Right - m.Left) + 1, r.Top + (m.Bottom - m.Top) + 1));
  }
}
