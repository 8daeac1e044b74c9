// The grid's combo box: it can draw its own drop-down button (in custom colours, themed or
// classic), its frame and its focus state over the platform's box, take its parent's colour when
// flat, and carry a caption label at one of thirteen places around it.
#pragma once

#include "controls/DropDownFrame.h"
#include "controls/LabelPlace.h"
#include "platform/ui/StdCtrls.h"

class TAsgCustomCombo : public TComboBox {
public:
  explicit TAsgCustomCombo(TComponent* AOwner);
  ~TAsgCustomCombo() override;

  // Records the colour to come back to after the focus.
  void Init();
  // Selects the first item equal to the text; nothing when there is none.
  void SelectItem(const std::string& text);

  int ButtonWidth() const { return FButtonWidth; }
  // 14 to 32; other widths are ignored.
  void SetButtonWidth(int value);
  bool Flat() const { return FFlat; }
  void SetFlat(bool value);
  bool Etched() const { return FEtched; }
  void SetEtched(bool value);
  TColor FlatLineColor() const { return FFlatLineColor; }
  void SetFlatLineColor(TColor value);
  bool FlatParentColor() const { return FFlatParentColor; }
  void SetFlatParentColor(bool value);
  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor value);
  TColor FocusBorderColor() const { return FFocusBorderColor; }
  void SetFocusBorderColor(TColor value) { FFocusBorderColor = value; }
  bool FocusBorder() const { return FFocusBorder; }
  void SetFocusBorder(bool value) { FFocusBorder = value; }
  TColor FocusColor() const { return FFocusColor; }
  void SetFocusColor(TColor value) { FFocusColor = value; }
  bool FocusLabel() const { return FFocusLabel; }
  void SetFocusLabel(bool value) { FFocusLabel = value; }
  bool DisabledBorder() const { return FDisabledBorder; }
  void SetDisabledBorder(bool value) { FDisabledBorder = value; }
  bool AutoFocus() const { return FAutoFocus; }
  void SetAutoFocus(bool value) { FAutoFocus = value; }
  int DropWidth() const { return FDropWidth; }
  void SetDropWidth(int value);
  bool IsWinXP() const { return FIsWinXP; }
  void SetIsWinXP(bool value) { FIsWinXP = value; }
  bool IsVista() const { return FIsVista; }
  void SetIsVista(bool value) { FIsVista = value; }
  bool ButtonHover() const { return FHotState.ButtonHover; }
  bool MouseInControl() const { return FHotState.MouseInControl; }

  // Custom button colours: ButtonColor set replaces the platform's button.
  TColor ButtonColor() const { return FButtonColors.Color; }
  void SetButtonColor(TColor c);
  TColor ButtonColorHot() const { return FButtonColors.ColorHot; }
  void SetButtonColorHot(TColor c) { FButtonColors.ColorHot = c; }
  TColor ButtonColorDown() const { return FButtonColors.ColorDown; }
  void SetButtonColorDown(TColor c) { FButtonColors.ColorDown = c; }
  TColor ButtonTextColor() const { return FButtonColors.TextColor; }
  void SetButtonTextColor(TColor c) { FButtonColors.TextColor = c; }
  TColor ButtonTextColorHot() const { return FButtonColors.TextColorHot; }
  void SetButtonTextColorHot(TColor c) { FButtonColors.TextColorHot = c; }
  TColor ButtonTextColorDown() const { return FButtonColors.TextColorDown; }
  void SetButtonTextColorDown(TColor c) { FButtonColors.TextColorDown = c; }
  TColor ButtonBorderColor() const { return FButtonColors.BorderColor; }
  void SetButtonBorderColor(TColor c) { FButtonColors.BorderColor = c; }

  // ---- the attached label, made on the first caption written
  TLabel* ComboLabel() const { return FLabel; }
  std::string LabelCaption() const;
  void SetLabelCaption(const std::string& caption);
  TLabelPosition LabelPosition() const { return FLabelPosition; }
  void SetLabelPosition(TLabelPosition value);
  int LabelMargin() const { return FLabelMargin; }
  void SetLabelMargin(int value);
  bool LabelTransparent() const { return FLabelTransparent; }
  void SetLabelTransparent(bool value);
  bool LabelAlwaysEnabled() const { return FLabelAlwaysEnabled; }
  void SetLabelAlwaysEnabled(bool value);
  TFont& LabelFont() { return FLabelFont; }
  // Copied only while the combo does not use its parent's font.
  void SetLabelFont(const TFont& font);

  void SetEnabled(bool enabled) override;
  void SetBounds(int left, int top, int width, int height) override;
  void SetParent(TWinControl* parent) override;

  TNotifyEvent OnDropUp;

protected:
  void DropDown() override;
  void CloseUp() override;
  bool PaintsOver() const override;
  void PaintOver(TCanvas& canvas) override;
  void DoEnter() override;
  void DoExit() override;
  void CMMouseEnter(TMessage& Message) override;
  void CMMouseLeave(TMessage& Message) override;
  void CMVisibleChanged(TMessage& Message) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  bool CustomPainting() const;
  bool FrameOverPlatform() const;
  bool ThemesOn() const;
  bool Hot() const;
  void DrawButton(TCanvas& canvas);
  void DrawBorders(TCanvas& canvas);
  TDropDownFrame FrameLook() const;
  void PlaceLabel();
  void InvalidateButton();

  bool FAutoFocus = false;
  bool FFlat = false;
  bool FEtched = false;
  TColor FOldColor = clWindow;
  TColor FLoadedColor = clWindow;
  bool FOldParentColor = false;
  int FButtonWidth;
  bool FFocusBorder = false;
  int FDropWidth = 0;
  bool FIsWinXP = false;
  bool FIsThemed;
  bool FLabelAlwaysEnabled = false;
  bool FLabelTransparent = false;
  int FLabelMargin = 4;
  TFont FLabelFont;
  TLabelPosition FLabelPosition = lpLeftTop;
  TLabel* FLabel = nullptr;
  TColor FFlatLineColor = clNone;
  bool FFlatParentColor = true;
  TColor FFocusColor = clNone;
  TColor FFocusBorderColor = clNone;
  TColor FBorderColor = clNone;
  bool FDisabledBorder = true;
  TColor FNormalColor = 0;
  TDropDownHotState FHotState;
  bool FFocusLabel = false;
  TDropDownButtonColors FButtonColors;
  bool FIsVista = false;
};

class TAsgComboBox : public TAsgCustomCombo {
public:
  using TAsgCustomCombo::TAsgCustomCombo;
};
