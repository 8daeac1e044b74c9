// The pair of spin buttons beside the spin edit: laid out one above the other or side by side,
// routing their clicks to OnUpClick and OnDownClick, with optional custom colours.
#pragma once

#include "grid/TProTimerSpeedButton.h"
#include "platform/ui/Controls.h"

enum TSpinDirection { spVertical, spHorizontal };

class TAsgSpinButton : public TCustomControl {
public:
  // 15 x 25, both buttons repeating, default arrow glyphs.
  explicit TAsgSpinButton(TComponent* AOwner);
  ~TAsgSpinButton() override;

  TProTimerSpeedButton* UpButton() const { return FUpButton; }
  TProTimerSpeedButton* DownButton() const { return FDownButton; }
  TSpinDirection Direction() const { return FDirection; }
  void SetDirection(TSpinDirection value);
  TWinControl* FocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* control);
  // nullptr loads the default arrow and sets the count back to 1.
  void SetUpGlyph(const TBitmap* glyph);
  void SetDownGlyph(const TBitmap* glyph);
  int UpNumGlyphs() const { return FUpButton->NumGlyphs(); }
  void SetUpNumGlyphs(int n) { FUpButton->SetNumGlyphs(n); }
  int DownNumGlyphs() const { return FDownButton->NumGlyphs(); }
  void SetDownNumGlyphs(int n) { FDownButton->SetNumGlyphs(n); }
  void SetIsWinXP(bool value);

  TColor ButtonColor() const { return FColors.Color; }
  void SetButtonColor(TColor c);
  TColor ButtonColorHot() const { return FColors.ColorHot; }
  void SetButtonColorHot(TColor c) { FColors.ColorHot = c; }
  TColor ButtonColorDown() const { return FColors.ColorDown; }
  void SetButtonColorDown(TColor c) { FColors.ColorDown = c; }
  TColor ButtonBorderColor() const { return FButtonBorderColor; }
  void SetButtonBorderColor(TColor c) { FButtonBorderColor = c; }

  void SetBounds(int left, int top, int width, int height) override;

  TNotifyEvent OnUpClick;
  TNotifyEvent OnDownClick;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void KeyDown(std::uint16_t& Key, TShiftState Shift) override;
  unsigned DialogCode() const override;

private:
  void BtnClick(TObject* Sender);
  void Layout();

  TProTimerSpeedButton* FUpButton;
  TProTimerSpeedButton* FDownButton;
  TProTimerSpeedButton* FFocusedButton;
  TWinControl* FFocusControl = nullptr;
  TSpinDirection FDirection = spVertical;
  TSpinButtonColors FColors;
  TColor FButtonBorderColor = 0;
};
