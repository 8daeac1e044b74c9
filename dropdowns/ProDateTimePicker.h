// The date and time picker of the drop-down editors: the platform's picker with automatic moving
// to the next field while digits are typed (TCustomDateTimePicker), and a third kind, date and
// time together, made of the date picker and a companion time picker inside its right end
// (TProDateTimePicker).
#pragma once

#include "controls/FlatDateTimePicker.h"
#include "controls/LabelPlace.h"
#include "platform/ui/Graphics.h"

#include <string>

class TCustomDateTimePicker : public TFlatDateTimePicker {
public:
  explicit TCustomDateTimePicker(TComponent* AOwner);
  bool AutoTab() const { return FAutoTab; }
  virtual void SetAutoTab(bool Value) { FAutoTab = Value; }
  void WndProc(TMessage& Message) override;

  // The flat look: without Ctl3D a one-pixel frame (in the parent's colour without a border
  // style, else the themed frame colour) with an inner line in the parent's colour; with
  // MetroStyle, where the class draws its own border and button, a border in BorderColor (or
  // FocusBorderColor while focused) and a drop-down button in the button colours.
  TColor FocusBorderColor() const { return FFocusBorderColor; }
  void SetFocusBorderColor(TColor Value);
  bool DisabledBorder() const { return FDisabledBorder; }
  void SetDisabledBorder(bool Value);

protected:
  void KeyPress(WideChar& Key) override;
  // The digit just typed changed a field: Right moves the input on (or a companion takes it).
  virtual void DoShiftFocus();
  // True here: no custom border or button is drawn, only the flat frame.
  virtual bool NoCustomBorder() const { return true; }
  bool PaintsOver() const override;
  void PaintOver(TCanvas& canvas) override;
  int Fh = 0, Fm = 0, Fs = 0, Fms = 0;

private:
  void DrawFlatFrame(TCanvas& canvas);
  void DrawButton(TCanvas& canvas);
  bool FAutoTab = false;
};

enum TProDateTimeKind { dkDate, dkTime, dkDateTime };

class TLabel;

class TProDateTimePicker : public TCustomDateTimePicker {
public:
  explicit TProDateTimePicker(TComponent* AOwner);
  ~TProDateTimePicker() override;

  TProDateTimeKind Kind() const { return FKind; }
  void SetKind(TProDateTimeKind Value);
  // The value without milliseconds; the time part is the companion's for dkDateTime.
  double DateTime() const;
  virtual void SetDateTime(double Value);
  // Writing the date keeps the time of day.
  void SetDate(double Value);
  double Time() const;
  void SetTime(double Value);
  const std::string& TimeFormat() const { return FTimeFormat; }
  void SetTimeFormat(const std::string& Value);
  void SetAutoTab(bool Value) override;
  void SetBorderStyle(TBorderStyle Value) override;
  // Unchecked (with the check box shown), the time field is disabled too.
  void SetChecked(bool Value) override;
  // The companion time picker of dkDateTime (nullptr for the other kinds).
  TCustomDateTimePicker* TimePicker() const { return FTimePicker; }
  void SetBounds(int left, int top, int width, int height) override;
  // "1.2.0.0".
  std::string Version() const { return "1.2.0.0"; }

  // The caption label beside the picker: made on the first caption, on the picker's parent,
  // shown, enabled and moved with it.
  TLabel* PickerLabel() const { return FLabel; }
  std::string LabelCaption() const;
  void SetLabelCaption(const std::string& Value);
  TLabelPosition LabelPosition() const { return FLabelPosition; }
  void SetLabelPosition(TLabelPosition Value);
  int LabelMargin() const { return FLabelMargin; }
  void SetLabelMargin(int Value);
  bool LabelTransparent() const { return FLabelTransparent; }
  void SetLabelTransparent(bool Value);
  bool LabelAlwaysEnabled() const { return FLabelAlwaysEnabled; }
  void SetLabelAlwaysEnabled(bool Value);
  TFont& LabelFont() { return FLabelFont; }
  void SetLabelFont(const TFont& Value);
  // The label's caption turns bold while the picker has the focus.
  bool FocusLabel() const { return FFocusLabel; }
  void SetFocusLabel(bool Value) { FFocusLabel = Value; }
  void SetParent(TWinControl* AParent) override;
  void SetEnabled(bool Value) override;

  TNotifyEvent OnTimeChange;
  TNotifyEvent OnLabelClick;
  TNotifyEvent OnLabelDblClick;

protected:
  void DoShiftFocus() override;
  void KeyPress(WideChar& Key) override;
  // A change by the user; a toggled check box enables or disables the time field.
  void Change() override;
  bool NoCustomBorder() const override { return false; }
  void CMVisibleChanged(TMessage& Message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void DoEnter() override;
  void DoExit() override;

private:
  void UpdateLabel();
  void CreateTimePicker();
  void UpdateTimePicker();
  TProDateTimeKind FKind = dkDateTime;
  std::string FTimeFormat;
  int Fy = 0, Fmo = 0, Fd = 0;
  TCustomDateTimePicker* FTimePicker = nullptr;
  TLabel* FLabel = nullptr;
  TFont FLabelFont;
  TLabelPosition FLabelPosition = lpLeftTop;
  int FLabelMargin = 4;
  bool FLabelTransparent = false;
  bool FLabelAlwaysEnabled = false;
  bool FFocusLabel = false;
};

// The registered message that runs the auto-tab step after a typed digit.
unsigned DTPShiftFocusMsg();
