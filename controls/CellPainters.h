// Figures the grid paints inside a cell: a progress bar with its text, a progress pie, a range
// indicator, a multi-level progress bar and nineteen shapes. No state is kept between calls.
#pragma once

#include "platform/Colors.h"
#include "platform/ui/Graphics.h"

#include <string>

enum TCellShape {
  csRectangle,
  csCircle,
  csTriangleLeft,
  csTriangleRight,
  csTriangleUp,
  csTriangleDown,
  csDiamond,
  csLineVert,
  csLineHorz,
  csRoundRect,
  csEllips,
  csSquare,
  csRoundSquare,
  csStar,
  csArrowUp,
  csArrowDown,
  csArrowLeft,
  csArrowRight,
  csHalfStar
};

// What the grid's progress appearance says for one call of DrawLevelProgressBar.
struct TLevelProgressParams {
  TColor Level0Color = clLime;
  TColor Level0ColorTo = clNone;
  TColor Level1Color = clYellow;
  TColor Level1ColorTo = clNone;
  TColor Level2Color = clRed;
  TColor Level2ColorTo = clNone;
  TColor Level3Color = clRed;
  TColor Level3ColorTo = clNone;
  int Level1Perc = 70;
  int Level2Perc = 90;
  TColor BorderColor = clBlack;
  bool ShowBorder = false;
  bool Stacked = false;
  bool ShowPercentage = true;
  TFont Font; // copied for the percentage text
  TColor CompleteFontColor = clBlue;
  bool CompletionSmooth = true;
  bool ShowGradient = true;
  int Steps = 8; // gradient steps
  TColor UnCompleteColor = clWhite;
  bool Vertical = false;
};

// A bar filled up to the value's percentage, with the text centred and changing colour where the
// fill ends. Without a format the value is the percentage ("150%"); with one, the percentage runs
// from minimum to maximum and the text is the format applied to the value (whole for %d %u %x).
// A scale without length (maximum = minimum) is full once the value reaches it.
void DrawProgressBar(TCanvas& canvas, TRect rect, TColor filledColor, bool print, TColor borderColor,
                     const std::string& format, int maximum, int minimum, int verticalMargin,
                     int horizontalMargin, double value, TColor emptyTextColor, TColor emptyColor,
                     TColor filledTextColor);
// A circle with the sector for the percentage filled, clockwise from twelve o'clock.
void DrawProgressPie(TCanvas& canvas, const TRect& rect, TColor fillColor, bool print, int percentage);
// A bar growing left (negative) or right from the middle for value within -range..range; nothing
// for a range that is not positive.
void DrawRangeIndicator(TCanvas& canvas, TRect rect, int value, TColor positiveColor, TColor negativeColor,
                        bool showValue, int range);
// A bar in up to four level colours, stacked or by the level reached, smooth or in blocks.
void DrawLevelProgressBar(TCanvas& canvas, const TRect& rect, int percentage, const TLevelProgressParams& p);
// The shape in the box (left, top, width, height); shapes outside the enumeration draw nothing.
void DrawCellShape(TCanvas& canvas, int left, int top, TColor outlineColor, TColor fillColor, int shape,
                   int height, int width);
