// Line layout of the mini-HTML renderer: mark-up cut into lines of positioned drawing steps.
#pragma once

#include "controls/AsgHTMLE.h"
#include "controls/AsgHTMLEModel.h"

#include <string_view>

// Point sizes a FONT SIZE may ask for.
constexpr int HTMLMinFontSize = 1;
constexpr int HTMLMaxFontSize = 200;

// Indent of each list level; the bullet sits in the last 12 pixels of it.
constexpr int HTMLListIndent = 12;

// Lays the mark-up out for `rect`: lines start one pixel right of its left edge and break at its
// right edge. The canvas's font is the base font and `background` the background colour; the
// canvas measures (its font changes). Unless measuring only, layout stops at the first line
// whose top plus the height of "gh" passes the rectangle's bottom. Every line takes at least one
// run or tag, so a rectangle of any width ends.
THTMLLayout LayoutHTML(TCanvas& canvas, std::string_view text, const TRect& rect,
                       const THTMLDrawParams& params, unsigned textFlags, TColor background);

// Width and height of a run as the text output shows it in `font`, within `room` pixels when the
// flags ask for an ellipsis.
TSize MeasureHTMLRun(TCanvas& canvas, const TFont& font, const std::string& text, unsigned flags,
                     int room = 1 << 24);
