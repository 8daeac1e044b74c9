// The grid's date and time pickers: TGridDatePicker for edDateEdit, edDateEditUpDown and
// edTimeEdit cells, TGridDateTimePicker for edDateTimeEdit cells.
#pragma once

#include "dropdowns/ProDateTimePicker.h"
#include "grid/AsgDateTimePicker.h"

class TProStringGrid;

class TGridDatePicker : public TAsgDateTimePicker {
public:
  explicit TGridDatePicker(TComponent* AOwner);
  TProStringGrid* Grid() const { return FGrid; }
  void ReCreate() {}
  bool Weeknumbers() const { return WeekNumbers(); }
  // Applied to the calendar each time it drops down.
  bool ShowTodayCircle() const { return FShowTodayCircle; }
  void SetShowTodayCircle(bool Value) { FShowTodayCircle = Value; }
  // The calendar was dropped down and not closed up since.
  bool OldDropped() const { return FOldDropped; }
  unsigned DialogCode() const override;
  void WndProc(TMessage& Message) override;
  // After a typed digit: Right moves the input on once the digit changed its field.
  virtual void ShiftFocus();

protected:
  void KeyDown(std::uint16_t& Key, TShiftState Shift) override;
  void KeyPress(WideChar& Key) override;
  void DoExit() override;
  void DropDown() override;
  void CloseUp() override;
  bool PaintsOver() const override { return true; }
  void PaintOver(TCanvas& canvas) override;

private:
  int Fy = 0, Fm = 0, Fd = 0, Fth = 0, Ftm = 0, Fts = 0, Ftms = 0;
  bool FOldDropped = false;
  bool FShowTodayCircle = true;
  TProStringGrid* FGrid;
};

class TGridDateTimePicker : public TProDateTimePicker {
public:
  explicit TGridDateTimePicker(TComponent* AOwner);
  TProStringGrid* Grid() const { return FGrid; }
  unsigned DialogCode() const override;

protected:
  void KeyDown(std::uint16_t& Key, TShiftState Shift) override;
  void DoExit() override;

private:
  // The focus left both the picker and its time field: the edit ends.
  void Left();
  TProStringGrid* FGrid;
};
