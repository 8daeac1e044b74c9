#include "platform/ColorNames.h"

#include "platform/Persistent.h"
#include "platform/StrToInt.h"

#include <array>
#include <cstdio>

namespace {

struct TColorName {
  TColor Color;
  const char* Name;
};

// Writing takes the first name of a colour; reading knows the two older grey names as well.
constexpr std::array<TColorName, 54> Names{{
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"},
    {clSkyBlue, "clSkyBlue"},
    {clCream, "clCream"},
    {clMedGray, "clMedGray"},
    {clActiveBorder, "clActiveBorder"},
    {clActiveCaption, "clActiveCaption"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clBackground, "clBackground"},
    {clBtnFace, "clBtnFace"},
    {clBtnHighlight, "clBtnHighlight"},
    {clBtnShadow, "clBtnShadow"},
    {clBtnText, "clBtnText"},
    {clCaptionText, "clCaptionText"},
    {clDefault, "clDefault"},
    {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"},
    {clGrayText, "clGrayText"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clHotLight, "clHotLight"},
    {clInactiveBorder, "clInactiveBorder"},
    {clInactiveCaption, "clInactiveCaption"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clInfoBk, "clInfoBk"},
    {clInfoText, "clInfoText"},
    {clMenu, "clMenu"},
    {clMenuBar, "clMenuBar"},
    {clMenuHighlight, "clMenuHighlight"},
    {clMenuText, "clMenuText"},
    {clNone, "clNone"},
    {clScrollBar, "clScrollBar"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clWindowText, "clWindowText"},
    {clSilver, "clLtGray"},
    {clGray, "clDkGray"},
}};

bool SameAscii(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

} // namespace

std::string ColorToString(TColor Color) {
  for (const TColorName& n : Names)
    if (n.Color == Color) return n.Name;
  char hex[16];
  std::snprintf(hex, sizeof hex, "$%.8X", static_cast<unsigned>(Color));
  return hex;
}

std::optional<TColor> TryStringToColor(std::string_view Text) {
  for (const TColorName& n : Names)
    if (SameAscii(Text, n.Name)) return n.Color;
  int value = 0;
  if (TryStrToInt(Text, value)) return static_cast<TColor>(value);
  return std::nullopt;
}

TColor StringToColor(std::string_view Text) {
  if (auto c = TryStringToColor(Text)) return *c;
  throw EConvertError("'" + std::string(Text) + "' is not a valid integer value");
}

std::string_view ColorToIdent(TColor Color) {
  for (const TColorName& n : Names)
    if (n.Color == Color) return n.Name;
  return {};
}

bool IdentToColor(std::string_view Ident, TColor& Color) {
  for (const TColorName& n : Names)
    if (Ident == n.Name) {
      Color = n.Color;
      return true;
    }
  return false;
}
