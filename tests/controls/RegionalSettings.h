// Injects regional settings for a test; the settings in use before apply again afterwards.
#pragma once

#include "platform/Locale.h"

class TRegionalSettings {
public:
  explicit TRegionalSettings(const TFormatSettings& settings) : Previous(FormatSettings()) {
    SetFormatSettings(settings);
  }
  ~TRegionalSettings() { SetFormatSettings(Previous); }
  TRegionalSettings(const TRegionalSettings&) = delete;
  TRegionalSettings& operator=(const TRegionalSettings&) = delete;

  // English: "," thousands, "." decimals, dd/mm/yyyy, ":" times.
  static TFormatSettings English() { return {}; }
  // German: "." thousands, "," decimals, dd.mm.yyyy.
  static TFormatSettings German() {
    TFormatSettings fs;
    fs.ThousandSeparator = '.';
    fs.DecimalSeparator = ',';
    fs.DateSeparator = '.';
    fs.ShortDateFormat = "dd.mm.yyyy";
    return fs;
  }

private:
  TFormatSettings Previous;
};
