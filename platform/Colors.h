// 32-bit colour values: red in the low byte, then green, then blue; system colours as 0xFF0000nn.
#pragma once

#include <cstdint>

using TColor = std::uint32_t;

constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

constexpr TColor RGB(unsigned r, unsigned g, unsigned b) {
  return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16);
}
constexpr unsigned GetRValue(TColor c) { return c & 0xFF; }
constexpr unsigned GetGValue(TColor c) { return (c >> 8) & 0xFF; }
constexpr unsigned GetBValue(TColor c) { return (c >> 16) & 0xFF; }

constexpr TColor clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000, clOlive = 0x008080,
                 clNavy = 0x800000, clPurple = 0x800080, clTeal = 0x808000, clGray = 0x808080,
                 clSilver = 0xC0C0C0, clRed = 0x0000FF, clLime = 0x00FF00, clYellow = 0x00FFFF,
                 clBlue = 0xFF0000, clFuchsia = 0xFF00FF, clAqua = 0xFFFF00, clWhite = 0xFFFFFF,
                 clMoneyGreen = 0xC0DCC0, clSkyBlue = 0xF0CAA6, clCream = 0xF0FBFF, clMedGray = 0xA4A0A0;

constexpr TColor SystemColor(unsigned index) { return 0xFF000000u | index; }
constexpr TColor clScrollBar = SystemColor(0), clBackground = SystemColor(1),
                 clActiveCaption = SystemColor(2), clInactiveCaption = SystemColor(3),
                 clMenu = SystemColor(4), clWindow = SystemColor(5), clWindowFrame = SystemColor(6),
                 clMenuText = SystemColor(7), clWindowText = SystemColor(8),
                 clCaptionText = SystemColor(9), clActiveBorder = SystemColor(10),
                 clInactiveBorder = SystemColor(11), clAppWorkSpace = SystemColor(12),
                 clHighlight = SystemColor(13), clHighlightText = SystemColor(14),
                 clBtnFace = SystemColor(15), clBtnShadow = SystemColor(16), clGrayText = SystemColor(17),
                 clBtnText = SystemColor(18), clInactiveCaptionText = SystemColor(19),
                 clBtnHighlight = SystemColor(20), cl3DDkShadow = SystemColor(21), cl3DLight = SystemColor(22),
                 clInfoText = SystemColor(23), clInfoBk = SystemColor(24), clHotLight = SystemColor(26),
                 clGradientActiveCaption = SystemColor(27), clGradientInactiveCaption = SystemColor(28),
                 clMenuHighlight = SystemColor(29), clMenuBar = SystemColor(30);

constexpr bool IsSystemColor(TColor c) { return (c & 0xFF000000u) == 0xFF000000u; }

// RGB value of a colour: system colours from the one fixed table, clNone and clDefault as given
// by the platform (clNone black, clDefault the window colour), plain colours unchanged.
TColor ColorToRGB(TColor c);
