// The value rules of the spin edit: reading its text as one of four kinds with the fallbacks the
// editor relies on, clamping to bounds, stepping a date or time part chosen by the caret, and the
// filter for typed characters. Texts follow the regional format settings.
#pragma once

#include "controls/ProUtilDates.h"

#include <cstdint>
#include <string>

enum TAsgSpinType { sptNormal, sptFloat, sptDate, sptTime };

// Equal bounds mean no bounds.
template <class T> T ClampSpinValue(T value, T lo, T hi) {
  if (lo == hi) return value;
  return value < lo ? lo : value > hi ? hi : value;
}

// The trimmed text as an integer; an empty text is 0, anything else that does not read is minValue.
int SpinTextToInt(const std::string& text, int minValue);
// The text as a number with the regional decimal separator; minValue when it does not read.
double SpinTextToFloat(const std::string& text, double minValue);
// Fixed-point with `precision` decimals, or the shortest general form for 0.
std::string SpinFloatToText(double value, int precision);

// The date one step from `date` in the part of the short date text the caret (0-based) is in: the
// day by one day, the month by one calendar month (a day the month lacks becomes its last), the
// year keeping month and day, 29 February becoming 28 February in a year without it.
TDateTime SpinStepDate(TDateTime date, const std::string& text, int caret, bool up);

// The time of day one step from `time` in the hours, minutes or seconds the caret is in; the
// increment is a span of time, so 90 minutes or 25 hours step as far, wrapping past midnight
// either way as the display does.
TDateTime SpinStepTime(TDateTime time, const std::string& text, int caret, bool showSeconds, int incHours,
                       int incMinutes, int incSeconds, bool up);

// What the character filter needs of the edit.
struct TSpinCharContext {
  TAsgSpinType Kind = sptNormal;
  std::string Text;
  int SelStart = 0; // 0-based, in characters of Text
  int SelLength = 0;
  int Precision = 0;
  bool EditorEnabled = true;
};
// Whether a typed character is accepted; refused keys are dropped with the beep by the caller.
bool SpinIsValidChar(char16_t key, const TSpinCharContext& c);
