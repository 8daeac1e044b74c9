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
  // The calendar is open (dates only). Headless, opening only changes the state.
  bool DroppedDown() const;
  void SetDroppedDown(bool dropped);
  // The calendar's own settings as it shows them, for checking.
  bool CalendarShowsWeekNumbers() const;
  bool CalendarMarksToday() const;

  unsigned DialogCode() const override { return DLGC_WANTARROWS | DLGC_WANTCHARS; }

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

private:
  friend class QtDateTimeEdit;
  void ApplyFormat();
  void ApplyCalendar();
  void SetSilently(double value);
  TDateTimeKind FKind = dtkDate;
  bool FWeekNumbers = false;
  bool FShowToday = true;
  bool FSilent = false;
  bool FHeadlessDropped = false;
  bool FCalendarWatched = false;
  std::unique_ptr<TCanvas> FOverCanvas;
};
