// Colours of the mini-HTML mark-up: colour names, "#rrggbb" values and the highlight colours of
// the HI tag, which hold for the whole program.
#pragma once

#include "platform/Colors.h"

#include <string_view>

// The colour of a lower-case name such as "clred" or "clbtnface" (system colours as 0xFF0000nn);
// 0 (black) for an unknown name.
TColor HTMLColorByName(std::string_view lowerName);

// Two characters read as one hexadecimal byte: a digit counts its value, a letter from "A" up its
// code minus 55 (so the characters are expected in upper case). Kept within 0..255.
int HexPairValue(std::string_view pair);

// "#" and six hexadecimal digits (either case), red first. Anything that does not hold six
// hexadecimal digits after the "#" is black.
TColor HexToColor(std::string_view value);

// A colour attribute's value: "#rrggbb" or a colour name (any case); black when unreadable.
TColor HTMLAttributeColor(std::string_view value);

// The colours the HI tag paints with: initially clHighlight and clHighlightText.
void SetHTMLHighlightColors(TColor color, TColor textColor);
TColor HTMLHighlightColor();
TColor HTMLHighlightTextColor();
