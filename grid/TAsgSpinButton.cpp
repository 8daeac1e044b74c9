#include "grid/TAsgSpinButton.h"

#include "platform/ui/Messages.h"
#include "platform/ui/Resources.h"

#include <algorithm>

TAsgSpinButton::TAsgSpinButton(TComponent* AOwner) : TCustomControl(AOwner) {
  SetTabStop(false);
  const auto make = [this](TButtonDirection dir) {
    auto* b = new TProTimerSpeedButton(this);
    b->SetParent(this);
    b->SetTimeBtnState(tbAllowTimer);
    b->SetButtonDirection(dir);
    b->SetColors(&FColors);
    b->OnClick = [this](TObject* sender) { BtnClick(sender); };
    return b;
  };
  FUpButton = make(bdUp);
  FDownButton = make(bdDown);
  FFocusedButton = FUpButton;
  SetUpGlyph(nullptr);
  SetDownGlyph(nullptr);
  SetBounds(0, 0, 15, 25);
}

TAsgSpinButton::~TAsgSpinButton() = default;

void TAsgSpinButton::SetUpGlyph(const TBitmap* glyph) {
  FUpButton->SetGlyph(glyph ? *glyph : ResourceBitmap("AsgSpinUp"));
  if (!glyph) FUpButton->SetNumGlyphs(1);
}

void TAsgSpinButton::SetDownGlyph(const TBitmap* glyph) {
  FDownButton->SetGlyph(glyph ? *glyph : ResourceBitmap("AsgSpinDown"));
  if (!glyph) FDownButton->SetNumGlyphs(1);
}

void TAsgSpinButton::SetIsWinXP(bool value) {
  FUpButton->SetIsWinXP(value);
  FDownButton->SetIsWinXP(value);
}

void TAsgSpinButton::SetButtonColor(TColor c) {
  FColors.Color = c;
  FUpButton->Invalidate();
  FDownButton->Invalidate();
}

void TAsgSpinButton::SetFocusControl(TWinControl* control) {
  FFocusControl = control;
  if (control) control->FreeNotification(this);
}

void TAsgSpinButton::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

void TAsgSpinButton::SetDirection(TSpinDirection value) {
  if (value == FDirection) return;
  FDirection = value;
  FUpButton->SetButtonDirection(value == spVertical ? bdUp : bdRight);
  FDownButton->SetButtonDirection(value == spVertical ? bdDown : bdLeft);
  SetBounds(Left(), Top(), value == spVertical ? 15 : 20, Height());
}

void TAsgSpinButton::SetBounds(int left, int top, int width, int height) {
  width = std::max(width, FDirection == spVertical ? 15 : 20);
  TCustomControl::SetBounds(left, top, width, height);
  Layout();
}

void TAsgSpinButton::Layout() {
  const int W = Width(), H = Height();
  if (FDirection == spVertical) {
    const int upHeight = H / 2;
    FUpButton->SetBounds(0, 0, W, upHeight);
    FDownButton->SetBounds(0, upHeight - 1, W, H - upHeight + 1);
  } else {
    FDownButton->SetBounds(0, 0, W / 2, H);
    FUpButton->SetBounds(W / 2 + 1, 0, W / 2, H);
  }
}

void TAsgSpinButton::BtnClick(TObject* Sender) {
  if (Sender == FUpButton && OnUpClick) OnUpClick(this);
  if (Sender == FDownButton && OnDownClick) OnDownClick(this);
}

unsigned TAsgSpinButton::DialogCode() const {
  return DLGC_WANTARROWS;
}

void TAsgSpinButton::KeyDown(std::uint16_t& Key, TShiftState Shift) {
  if (Key == VK_SPACE) FFocusedButton->Click();
  if (Key == VK_UP) {
    FFocusedButton = FUpButton;
    FUpButton->Click();
  }
  if (Key == VK_DOWN) {
    FFocusedButton = FDownButton;
    FDownButton->Click();
  }
  TCustomControl::KeyDown(Key, Shift);
}
