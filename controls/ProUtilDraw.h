// Free drawing routines shared by the grid, the cell-graphic painters and the drop-downs: button
// faces, gradients, themed / classic / flat / toned buttons, transparent bitmaps, colour arithmetic.
// Each draws on the canvas it is given and leaves pen and brush as its last step set them.
#pragma once

#include "controls/ProStyleIF.h"
#include "platform/Colors.h"
#include "platform/ui/Graphics.h"

#include <cmath>
#include <cstdint>
#include <string>

class TControl;

// Rounds to the nearest integer, halves to the even neighbour.
inline int RoundHalfEven(double value) {
  return static_cast<int>(std::nearbyint(value));
}

// Segment kinds of DrawSegmentButtonFace.
constexpr int skWhole = 0, skLeftEnd = 1, skRightEnd = 2, skMiddle = 3;
// Button states of the button routines.
constexpr int btsNormal = 0, btsHot = 1, btsPressed = 2, btsDisabled = 3;
// Button looks: the platform's visual styles, 3-D frame controls, flat frame controls, colour tones.
constexpr int bdsThemed = 0, bdsClassic = 1, bdsFlat = 2, bdsTones = 3;

// A button face with two-pixel rounded corners: outer lines in borderColor, inner lines in
// borderColorTop (upper) and borderColorBottom (lower), corner pixels in edgeColor and the
// outermost ones in backgroundColor; filled solid (colorTo clNone), with a 16-step gradient
// (mirrorColor clNone) or with two gradients, color..colorTo above and mirrorColor..mirrorColorTo
// below. A colour of clNone leaves its lines or pixels undrawn.
void DrawSegmentButtonFace(TCanvas& canvas, const TRect& rect, int kind, TColor color, TColor colorTo,
                           TColor mirrorColor, TColor mirrorColorTo, TColor backgroundColor, TColor edgeColor,
                           TColor borderColor, TColor borderColorTop, TColor borderColorBottom);

// Two-colour gradient in bands, left to right (horizontal) or top to bottom; at most one band per
// pixel. A clNone colour gives a solid fill in the other one; both clNone draw nothing.
void DrawGradient(TCanvas& canvas, TColor fromColor, TColor toColor, bool horizontal, TRect rect, int steps);

// Fills (when `fill`) and frames a rectangle: solid, one 128-step gradient, or with a mirror colour
// two gradients, one in each half (halves above each other when `vertical`, else side by side).
// The border is a frame, or with sideLinesOnly a line down each side.
void DrawMirrorGradientRect(TCanvas& canvas, const TRect& rect, TColor color, bool fill, bool sideLinesOnly,
                            TColor borderColor, bool vertical, TColor mirrorColorTo, TColor mirrorColor,
                            TColor colorTo);

// The colour `step` steps from color toward colorTo on a scale from firstStep to lastStep; color
// itself (unconverted) when colorTo is clNone, and its RGB when the scale has no length.
TColor InterpolateColor(TColor color, TColor colorTo, int firstStep, int step, int lastStep);
// Every channel halved.
TColor HalveColor(TColor color);
// Every channel changed by `percent` of itself (negative darkens), kept within 0..255.
TColor ScaleColorPercent(TColor color, int percent);

// Buttons in a state (bts...) and a look (bds...). The theme is opened for `window` (may be null).
// Drop-down button at the right end of the rectangle.
void DrawComboButton(TCanvas& canvas, const TControl* window, TRect rect, const TColorTones& tones, int state,
                     int style);
// Push button filling the rectangle.
void DrawPushButton(TCanvas& canvas, const TControl* window, TRect rect, const TColorTones& tones, int state,
                    int style);
// Up and down buttons at the right end of the rectangle.
void DrawSpinButtons(TCanvas& canvas, const TControl* window, TRect rect, const TColorTones& tones, int state,
                     int style);

// The bitmap at the rectangle's top-left corner in its own size, its top-left pixel's colour
// replaced by the background colour (left undrawn when that is clNone).
void DrawTransparentBitmap(TCanvas& canvas, const TBitmap& bitmap, TColor background, const TRect& rect);
// One of the program's bitmap resources drawn so; an unknown name raises EResNotFound.
void DrawBitmapResource(TCanvas& canvas, TColor background, const TRect& rect, const std::string& name);
void FillRectColor(TCanvas& canvas, const TRect& rect, TColor color);
// A small filled triangle pointing down from (x - 3, y) .. (x + 3, y) to (x, y + 3).
void DrawDownTriangle(TCanvas& canvas, int x, int y, TColor color);

// Left edge of each character of a single-line edit in `font`, relative to its client area.
TPoint EditCharPos(const TFont& font, const std::string& text, int index);
// A red zig-zag under `count` characters from `first` (0-based) of a single-line text shown in
// `rect` in the owner's font (the canvas's font without an owner).
void DrawWavyUnderline(const TControl* owner, TCanvas& canvas, const std::string& text, int first, int count,
                       int offset, const TRect& rect);

// Layered-window calls of the platform; this platform has none, so they do nothing and answer true.
struct TBlendFunction {
  std::uint8_t BlendOp = 0;
  std::uint8_t BlendFlags = 0;
  std::uint8_t SourceConstantAlpha = 255;
  std::uint8_t AlphaFormat = 0;
};
constexpr unsigned ULW_COLORKEY = 1, ULW_ALPHA = 2, ULW_OPAQUE = 4;
constexpr unsigned LWA_COLORKEY = 1, LWA_ALPHA = 2;
bool CallUpdateLayeredWindow(TControl* window, TCanvas* destination, const TPoint* destinationPos,
                             const TSize* size, TCanvas* source, const TPoint* sourcePos, TColor colorKey,
                             const TBlendFunction* blend, unsigned flags);
bool CallSetLayeredWindowAttributes(TControl* window, TColor colorKey, std::uint8_t alpha, unsigned flags);
