// The date and time picker of the drop-down editors: the platform's picker with automatic moving
// to the next field while digits are typed (TCustomDateTimePicker), and a third kind, date and
// time together, made of the date picker and a companion time picker inside its right end
// (TProDateTimePicker).
#pragma once

#include "platform/ui/DateTimePicker.h"

#include <string>

class TCustomDateTimePicker : public TDateTimePicker {
public:
  explicit TCustomDateTimePicker(TComponent* AOwner);
  bool AutoTab() const { return FAutoTab; }
  virtual void SetAutoTab(bool Value) { FAutoTab = Value; }
  void WndProc(TMessage& Message) override;

protected:
  void KeyPress(WideChar& Key) override;
  // The digit just typed changed a field: Right moves the input on (or a companion takes it).
  virtual void DoShiftFocus();
  int Fh = 0, Fm = 0, Fs = 0, Fms = 0;

private:
  bool FAutoTab = false;
};

enum TProDateTimeKind { dkDate, dkTime, dkDateTime };

class TProDateTimePicker : public TCustomDateTimePicker {
public:
  explicit TProDateTimePicker(TComponent* AOwner);

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
  // Unchecked (with the check box shown), the time field is disabled too.
  void SetChecked(bool Value) override;
  // The companion time picker of dkDateTime (nullptr for the other kinds).
  TCustomDateTimePicker* TimePicker() const { return FTimePicker; }
  void SetBounds(int left, int top, int width, int height) override;
  // "1.2.0.0".
  std::string Version() const { return "1.2.0.0"; }

  TNotifyEvent OnTimeChange;

protected:
  void DoShiftFocus() override;
  void KeyPress(WideChar& Key) override;
  // A change by the user; a toggled check box enables or disables the time field.
  void Change() override;

private:
  void CreateTimePicker();
  void UpdateTimePicker();
  TProDateTimeKind FKind = dkDateTime;
  std::string FTimeFormat;
  int Fy = 0, Fmo = 0, Fd = 0;
  TCustomDateTimePicker* FTimePicker = nullptr;
};

// The registered message that runs the auto-tab step after a typed digit.
unsigned DTPShiftFocusMsg();
