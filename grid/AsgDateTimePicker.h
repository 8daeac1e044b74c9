// The grid's date and time picker: the platform's picker with a flat one-pixel border in a chosen
// colour, custom drop-down button colours, and a Metro look in which it draws its own frame and
// drop-down button.
#pragma once

#include "controls/DropDownFrame.h"
#include "platform/ui/DateTimePicker.h"

#include <cstdint>
#include <string>

class TAsgDateTimePicker : public TDateTimePicker {
public:
  explicit TAsgDateTimePicker(TComponent* AOwner);

  // "1.0.0.0"; writing changes nothing.
  std::string Version() const;
  void SetVersion(const std::string&) {}
  std::uint32_t GetVersionNr() const { return 0x01000000; }

  TBorderStyle BorderStyle() const { return FBorderStyle; }
  virtual void SetBorderStyle(TBorderStyle value);
  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor value);
  bool MetroStyle() const { return FMetroStyle; }
  void SetMetroStyle(bool value);
  // The 3D border of the platform's picker (on after construction).
  bool Ctl3D() const { return FCtl3D; }
  void SetCtl3D(bool value);

  TColor ButtonColor() const { return FButtonColor; }
  void SetButtonColor(TColor c) { FButtonColor = c; }
  TColor ButtonColorHot() const { return FButtonColorHot; }
  void SetButtonColorHot(TColor c) { FButtonColorHot = c; }
  TColor ButtonColorDown() const { return FButtonColorDown; }
  void SetButtonColorDown(TColor c) { FButtonColorDown = c; }
  TColor ButtonTextColor() const { return FButtonTextColor; }
  void SetButtonTextColor(TColor c) { FButtonTextColor = c; }
  TColor ButtonTextColorHot() const { return FButtonTextColorHot; }
  void SetButtonTextColorHot(TColor c) { FButtonTextColorHot = c; }
  TColor ButtonTextColorDown() const { return FButtonTextColorDown; }
  void SetButtonTextColorDown(TColor c) { FButtonTextColorDown = c; }
  TColor ButtonBorderColor() const { return FButtonBorderColor; }
  void SetButtonBorderColor(TColor c) { FButtonBorderColor = c; }

  int ButtonWidth() const { return FButtonWidth; }
  bool ButtonHover() const { return FButtonHover; }
  bool IsWinXP() const { return FIsWinXP; }
  // Whether this draws anything over the platform's picker now.
  bool DrawsOwnParts() const { return PaintsOver(); }

protected:
  bool PaintsOver() const override;
  void PaintOver(TCanvas& canvas) override;
  void DoEnter() override;
  void DoExit() override;
  void CMMouseEnter(TMessage& Message) override;
  void CMMouseLeave(TMessage& Message) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;

  // Left unset here; a descendant may set them.
  TColor FFocusBorderColor = clNone;
  bool FDisabledBorder = false;
  bool FFocusBorder = false;

private:
  bool MetroActive() const;
  bool ThemesOn() const;
  bool NewerPlatform() const;
  bool Hot() const;
  bool MouseButtonDown() const;
  bool FlatBorderShown() const;
  bool MetroBordersShown() const;
  void DrawFlatBorder(TCanvas& canvas);
  void DrawMetroBorders(TCanvas& canvas);
  TDropDownFrame FrameLook() const;
  void DrawMetroButton(TCanvas& canvas);

  TBorderStyle FBorderStyle = bsNone;
  TColor FBorderColor = clNone;
  bool FIsThemed;
  TColor FButtonColorDown = clNone, FButtonBorderColor = clNone, FButtonTextColor = clNone,
         FButtonTextColorHot = clNone, FButtonColor = clNone, FButtonColorHot = clNone,
         FButtonTextColorDown = clNone;
  int FButtonWidth;
  bool FButtonHover = false;
  bool FMouseInControl = false;
  bool FIsWinXP;
  bool FMetroStyle = false;
  bool FHasFocus = false;
  bool FCtl3D = true;
};
