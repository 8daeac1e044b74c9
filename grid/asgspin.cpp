#include "grid/asgspin.h"

#include "platform/Locale.h"
#include "platform/StrToInt.h"
#include "platform/SysUtils.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>

int SpinTextToInt(const std::string& text, int minValue) {
  const std::string_view t = Trim(text);
  if (t.empty()) return 0;
  int v = 0;
  return TryStrToInt(t, v) ? v : minValue;
}

double SpinTextToFloat(const std::string& text, double minValue) {
  std::string t(Trim(text));
  const char ds = FormatSettings().DecimalSeparator;
  if (ds != '.' && t.find('.') != std::string::npos) return minValue;
  std::replace(t.begin(), t.end(), ds, '.');
  if (t.empty()) return minValue;
  double v = 0;
  const char* first = t.data() + (t[0] == '+' ? 1 : 0);
  const auto [end, ec] = std::from_chars(first, t.data() + t.size(), v);
  if (ec != std::errc() || end != t.data() + t.size()) return minValue;
  return v;
}

std::string SpinFloatToText(double value, int precision) {
  char buffer[64];
  if (precision > 0)
    std::snprintf(buffer, sizeof buffer, "%.*f", std::min(precision, 15), value);
  else
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
  std::string s = buffer;
  std::replace(s.begin(), s.end(), '.', FormatSettings().DecimalSeparator);
  return s;
}

namespace {

// 1-based position of `sep` in text after position `after` (1-based), 0 when none.
int PosAfter(const std::string& text, char sep, int after) {
  const auto p = text.find(sep, static_cast<std::size_t>(after));
  return p == std::string::npos ? 0 : static_cast<int>(p) + 1;
}

} // namespace

TDateTime SpinStepDate(TDateTime date, const std::string& text, int caret, bool up) {
  std::string upper = FormatSettings().ShortDateFormat;
  for (char& ch : upper)
    ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  const auto m = upper.find('M'), d = upper.find('D');
  const bool monthFirst = m != std::string::npos && (d == std::string::npos || m < d);
  const char sep = FormatSettings().DateSeparator;
  const int p1 = PosAfter(text, sep, 0);
  const int p2 = p1 ? PosAfter(text, sep, p1) : 0;
  const int pos = caret + 1; // the 1-based position of the character after the caret
  int part = 2;              // 0 first, 1 second, 2 the year
  if (pos <= p1)
    part = 0;
  else if (pos <= p2)
    part = 1;
  const int dir = up ? 1 : -1;
  const bool isDay = part == (monthFirst ? 1 : 0);
  if (part == 2) return AdvanceDate(dir, 0, 0, 0, date) + (date - std::floor(date));
  if (isDay) return date + dir;
  return AdvanceDate(0, dir, 0, 0, date) + (date - std::floor(date));
}

TDateTime SpinStepTime(TDateTime time, const std::string& text, int caret, bool showSeconds, int incHours,
                       int incMinutes, int incSeconds, bool up) {
  const char sep = FormatSettings().TimeSeparator;
  const int p1 = PosAfter(text, sep, 0);
  const int p2 = p1 ? PosAfter(text, sep, p1) : 0;
  const int pos = caret + 1;
  double delta;
  if (p1 == 0 || pos <= p1)
    delta = incHours / 24.0;
  else if (showSeconds && p2 && pos > p2)
    delta = incSeconds / 86400.0;
  else
    delta = incMinutes / 1440.0;
  double t = std::fmod(time + (up ? delta : -delta), 1.0);
  if (t < 0) t += 1.0;
  // Whole seconds, so repeated steps do not drift.
  t = std::round(t * 86400.0) / 86400.0;
  return t >= 1.0 ? 0.0 : t;
}

bool SpinIsValidChar(char16_t key, const TSpinCharContext& c) {
  const TFormatSettings& fs = FormatSettings();
  const char16_t DS = static_cast<unsigned char>(fs.DecimalSeparator),
                 TS = static_cast<unsigned char>(fs.ThousandSeparator),
                 TimeS = static_cast<unsigned char>(fs.TimeSeparator),
                 DateS = static_cast<unsigned char>(fs.DateSeparator);
  if (key == 8) return c.EditorEnabled;
  const bool digit = key >= u'0' && key <= u'9';
  bool ok = key == DS || key == TS || key == TimeS || key == DateS || digit || key == u'-' ||
            (key < 32 && key != 13);
  const auto sepRule = [&](char16_t sep, TAsgSpinType own) {
    if (key != sep || c.Kind == own) return;
    if (sep == DS || sep == TS || sep == u'-' || sep == u'+')
      ok = ok && (c.Kind == sptNormal || c.Kind == sptFloat);
    else
      ok = false;
  };
  sepRule(TimeS, sptTime);
  sepRule(DateS, sptDate);
  const auto outsideSelection = [&](char ch) {
    for (std::size_t i = 0; i < c.Text.size(); ++i)
      if (c.Text[i] == ch &&
          (static_cast<int>(i) < c.SelStart || static_cast<int>(i) >= c.SelStart + c.SelLength))
        return true;
    return false;
  };
  if (key == u'-') {
    if (outsideSelection('-') || c.SelStart != 0) ok = false;
  }
  if (c.Kind == sptNormal && !digit && key != u'-') ok = false;
  if (c.Kind == sptFloat && key != 27 && key != 13 && key != 8) {
    if (key == TS) ok = false;
    if (key == DS && outsideSelection(fs.DecimalSeparator)) ok = false;
    const auto p = c.Text.find(fs.DecimalSeparator);
    if (c.Precision > 0 && p != std::string::npos && ok && c.SelLength == 0) {
      const int P = static_cast<int>(p) + 1;
      if (c.SelStart >= P && static_cast<int>(c.Text.size()) >= P + c.Precision) ok = false;
    }
  }
  if (c.Kind == sptTime && key == TimeS && std::count(c.Text.begin(), c.Text.end(), fs.TimeSeparator) >= 2)
    ok = false;
  if (!c.EditorEnabled && key >= 32) ok = false;
  return ok;
}
