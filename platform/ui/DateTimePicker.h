// The date and time picker: a date with a drop-down month calendar, or a time, edited part by part
// (Up and Down step the part at the caret). Texts follow the regional short date and long time
// formats. OnChange fires for the user's changes only; setting the value by code is silent.
#pragma once

#include "platform/ui/Controls.h"

#include <memory>

enum TDateTimeKind { dtkDate, dtkTime };

class TDateTimePicker : public TWinControl {
public:
  explicit TDateTimePicker(TComponent* AOwner);
  ~TDateTimePicker() override;

  TDateTimeKind Kind() const { return FKind; }
  void SetKind(TDateTimeKind kind);
  // Days since 30 December 1899, the fraction being the time of day.
  double DateTime() const;
  void SetDateTime(double value);
  double Date() const;
  void SetDate(double value);
  double Time() const;
  void SetTime(double value);

  // The drop-down calendar: week numbers beside the weeks, today's date marked.
  bool WeekNumbers() const { return FWeekNumbers; }
  void SetWeekNumbers(bool on);
  bool ShowToday() const { return FShowToday; }
  void SetShowToday(bool on);
  // Today's date circled (drawn underlined in red).
  bool ShowTodayCircle() const { return FShowTodayCircle; }
  void SetShowTodayCircle(bool on);
  // The calendar is open (dates only). Headless, opening only changes the state.
  bool DroppedDown() const;
  void SetDroppedDown(bool dropped);
  // The calendar's own settings as it shows them, for checking.
  bool CalendarShowsWeekNumbers() const;
  bool CalendarMarksToday() const;
  bool CalendarCirclesToday() const;

  // A check box before the value: unchecked, the picker holds no value (its text stays shown,
  // greyed). The user toggles it with a click or Space, which fires OnChange; by code silently.
  bool ShowCheckbox() const { return FShowCheckbox; }
  void SetShowCheckbox(bool on);
  bool Checked() const { return FChecked; }
  virtual void SetChecked(bool on);

  unsigned DialogCode() const override { return DLGC_WANTARROWS | DLGC_WANTCHARS; }

  // The earliest and latest dates the picker takes; 0 leaves that end open.
  double MinDate() const { return FMinDate; }
  void SetMinDate(double value);
  double MaxDate() const { return FMaxDate; }
  void SetMaxDate(double value);
  // Without: up and down buttons instead of the drop-down calendar (dates only).
  bool CalendarPopup() const { return FCalendarPopup; }
  void SetCalendarPopup(bool on);

  // A format of its own in the regional letters (d dd M MM yy yyyy, h hh n nn s ss); empty: the
  // regional short date or long time format.
  const std::string& Format() const { return FFormat; }
  void SetFormat(const std::string& format);
  // Input goes into one field at a time: digits typed fill it (a year only once its four digits
  // or a move complete it), Right and Left move to the next and previous field.
  int FieldIndex() const;
  int FieldCount() const;
  void SetFieldIndex(int index);
  // A field typed in part (a year) takes what was typed.
  void CompleteField();

  TNotifyEvent OnChange;
  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;

protected:
  // The user changed the value; fires OnChange.
  virtual void Change();
  // The calendar opens or has closed; they fire OnDropDown and OnCloseUp.
  virtual void DropDown();
  virtual void CloseUp();
  // A picker that draws over its own painting (frames, its button) says so; PaintOver then draws
  // on a canvas bound to each paint, after the picker's own painting.
  virtual bool PaintsOver() const { return false; }
  virtual void PaintOver(TCanvas& canvas) {}
  void ApplyLook() override;
  // The value as the picker shows it.
  std::string GetText() const override;
  void DefaultHandler(TMessage& Message) override;
  void DoExit() override;

private:
  friend class QtDateTimeEdit;
  void ApplyFormat();
  void ApplyCalendar();
  void SetSilently(double value);
  void TypeDigit(int digit);
  void ApplyCheckbox();
  void UserToggled(bool checked);
  std::string FFormat;
  double FMinDate = 0, FMaxDate = 0;
  bool FCalendarPopup = true;
  std::string FTyped; // digits typed into the field FTypedField so far
  int FTypedField = -1;
  TDateTimeKind FKind = dtkDate;
  bool FWeekNumbers = false;
  bool FShowToday = true;
  bool FShowTodayCircle = false;
  bool FShowCheckbox = false;
  bool FChecked = true;
  bool FSilent = false;
  bool FHeadlessDropped = false;
  bool FCalendarWatched = false;
  std::unique_ptr<TCanvas> FOverCanvas;
};
