#include "controls/AsgHTMLEColors.h"

#include "controls/ProUtilUnicode.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>

namespace {

struct TNamedColor {
  std::string_view Name;
  TColor Color;
};

constexpr std::array<TNamedColor, 40> NamedColors = {{
    {"clred", clRed},
    {"clblack", clBlack},
    {"clblue", clBlue},
    {"clgreen", clGreen},
    {"claqua", clAqua},
    {"clyellow", clYellow},
    {"clfuchsia", clFuchsia},
    {"clwhite", clWhite},
    {"cllime", clLime},
    {"clsilver", clSilver},
    {"clgray", clGray},
    {"clolive", clOlive},
    {"clnavy", clNavy},
    {"clpurple", clPurple},
    {"clteal", clTeal},
    {"clmaroon", clMaroon},
    {"clbackground", SystemColor(1)},
    {"clactivecaption", SystemColor(2)},
    {"clinactivecaption", SystemColor(3)},
    {"clmenu", SystemColor(4)},
    {"clwindow", SystemColor(5)},
    {"clwindowframe", SystemColor(6)},
    {"clmenutext", SystemColor(7)},
    {"clwindowtext", SystemColor(8)},
    {"clcaptiontext", SystemColor(9)},
    {"clactiveborder", SystemColor(10)},
    {"clinactiveborder", SystemColor(11)},
    {"clappworkspace", SystemColor(12)},
    {"clhighlight", SystemColor(13)},
    {"clhighlighttext", SystemColor(14)},
    {"clbtnface", SystemColor(15)},
    {"clbtnshadow", SystemColor(16)},
    {"clgraytext", SystemColor(17)},
    {"clbtntext", SystemColor(18)},
    {"clinactivecaptiontext", SystemColor(19)},
    {"clbtnhighlight", SystemColor(20)},
    {"cl3ddkshadow", SystemColor(21)},
    {"cl3dlight", SystemColor(22)},
    {"clinfotext", SystemColor(23)},
    {"clinfobk", SystemColor(24)},
}};

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  return static_cast<unsigned char>(c) >= 'A' ? static_cast<unsigned char>(c) - 55 : 0;
}

bool IsHexDigit(char c) {
  return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}

struct THighlightColors {
  TColor Color = clHighlight;
  TColor TextColor = clHighlightText;
};

THighlightColors& HighlightColors() {
  static THighlightColors colors;
  return colors;
}

} // namespace

TColor HTMLColorByName(std::string_view lowerName) {
  for (const TNamedColor& c : NamedColors)
    if (c.Name == lowerName) return c.Color;
  return 0;
}

int HexPairValue(std::string_view pair) {
  if (pair.size() < 2) return 0;
  return std::clamp(HexDigitValue(pair[0]) * 16 + HexDigitValue(pair[1]), 0, 255);
}

TColor HexToColor(std::string_view value) {
  if (value.size() < 7 || value[0] != '#') return clBlack;
  const std::string digits = AsciiUpperCase(value.substr(1, 6));
  if (!std::all_of(digits.begin(), digits.end(), IsHexDigit)) return clBlack;
  const std::string_view d(digits);
  return RGB(HexPairValue(d.substr(0, 2)), HexPairValue(d.substr(2, 2)), HexPairValue(d.substr(4, 2)));
}

TColor HTMLAttributeColor(std::string_view value) {
  if (!value.empty() && value[0] == '#') return HexToColor(value);
  std::string lower(value);
  for (char& c : lower)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return HTMLColorByName(lower);
}

void SetHTMLHighlightColors(TColor color, TColor textColor) {
  HighlightColors() = {color, textColor};
}

TColor HTMLHighlightColor() {
  return HighlightColors().Color;
}

TColor HTMLHighlightTextColor() {
  return HighlightColors().TextColor;
}
