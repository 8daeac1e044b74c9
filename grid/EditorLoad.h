// How a date picker editor takes a cell's date within its limits.
#pragma once

#include "controls/ProUtilDates.h"

// Value held within MinDate .. MaxDate (a limit of 0 is none); a date outside goes to the limit
// itself, so a valid boundary date loads unchanged.
inline TDateTime ClampPickerDate(TDateTime Value, TDateTime MinDate, TDateTime MaxDate) {
  if (MaxDate != 0 && Value > MaxDate) return MaxDate;
  if (MinDate != 0 && Value < MinDate) return MinDate;
  return Value;
}
