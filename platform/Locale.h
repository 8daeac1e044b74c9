// The user's regional settings as the program reads them; tests inject their own.
#pragma once

#include <string>

struct TFormatSettings {
  char DecimalSeparator = '.';
  char ThousandSeparator = ',';
  char DateSeparator = '/';
  char TimeSeparator = ':';
  std::string ShortDateFormat = "dd/mm/yyyy";
  std::string LongTimeFormat = "hh:nn:ss";
};

// The settings in use: read from the C locale's environment at first use unless injected.
const TFormatSettings& FormatSettings();
void SetFormatSettings(const TFormatSettings& settings);
void ResetFormatSettings();
