// The objects mini-HTML places in a line besides text: images (IMG), the background of the whole
// rectangle (BODY) and embedded controls (CONTROL: edit, password, mask and combo fields, check
// boxes, radio buttons and buttons). Each is sized for the layout and drawn at its place.
#pragma once

#include "controls/AsgHTMLE.h"
#include "controls/AsgHTMLEModel.h"

#include <string>
#include <string_view>

// Largest width or height, in pixels, an image or control is laid out with.
constexpr int HTMLMaxObjectSize = 8192;

// Control frame colours with and without themes.
constexpr TColor HTMLControlThemedFrame = 0xB99D7F;
constexpr TColor HTMLControlClassicFrame = 0x808080;

// The picture an IMG or BODY source names: by name in the picture container when the source has
// no ":", through the picture cache when it holds "://" (loaded into the cache when absent; web
// addresses stay empty). Null when there is none.
THTMLPicture* FindHTMLPicture(const std::string& source, const THTMLDrawParams& params);

// An IMG tag's image and layout size; false when it yields none (unknown source, index out of
// range, empty picture), so that it takes no room.
bool SizeHTMLImage(std::string_view tag, const THTMLDrawParams& params, THTMLImageOp& op, TSize& size);

// A CONTROL tag with its layout width and the height the line takes at least; false without a
// readable WIDTH. `canvas` has the font the control shows its value in.
bool SizeHTMLControl(std::string_view tag, TCanvas& canvas, THTMLControlOp& op, int& width, int& lineHeight);

// A BODY tag's background: a colour (BGCOLOR holding "CL" or "#") and a picture (BACKGROUND).
THTMLBodyOp HTMLBodyOp(std::string_view tag, const THTMLDrawParams& params);

// Draws an image into `dest` (its layout rectangle). Pictures without a given size are drawn in
// their own size; an animated GIF's screen is filled with `background` first.
void DrawHTMLImage(TCanvas& canvas, const THTMLImageOp& op, const TRect& dest, const THTMLDrawParams& params,
                   TColor background);

// Draws a control at x standing on `bottom` in a line `lineHeight` high. `hot`: the point lies over
// it; `pressed`: a button is held down. Themed parts are opened for `window` (may be null).
void DrawHTMLControl(TCanvas& canvas, const TControl* window, const THTMLControlOp& op, int x, int bottom,
                     int lineHeight, bool hot, bool pressed);

// Fills `rect` with the body colour, then tiles the picture over it from its top-left corner.
void DrawHTMLBody(TCanvas& canvas, const THTMLBodyOp& op, const TRect& rect);

// An icon of the system's small or large image list for a source (an index, a path, or a file
// name judged by its extension). This platform has no system image list: the size is 0 x 0 and
// nothing is drawn; false.
bool DrawSystemIcon(TCanvas& canvas, int x, int y, TSize& size, double scale, bool print, bool draw,
                    bool large, const std::string& source);

// The bitmap stretched into the rectangle (pictures for the printer).
void StretchBitmapToRect(TCanvas& canvas, const TRect& rect, const TBitmap& bitmap);

// True when the path names an existing folder.
bool IsDirectoryPath(const std::string& path);
