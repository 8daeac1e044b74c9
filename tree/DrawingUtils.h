// Stateless drawing routines of the tree, its hints and its drag image: rectangles, text
// shortening and wrapping, alpha blending of 32-bit pixel rows, image-list drawing.
#pragma once

#include "platform/ui/Graphics.h"
#include "platform/ui/ImageList.h"

#include <cstdint>
#include <string>

enum TAlphaBlendMode { abConstant, abPerPixel, abMaster, abConstantAndColor };

TRect NormalizedRect(const TRect& R);
// Clips the canvas to R (logical coordinates), within VisibleRegion (device coordinates) when given.
void ClipCanvasToRect(TCanvas& Canvas, const TRect& ClipRect, const TRegion* VisibleRegion = nullptr);
// Grows Bounds (from its top-left corner) to the text as DrawText lays it out with DrawFormat.
void MeasureTextRect(TCanvas& Canvas, const std::string& S, TRect& Bounds, unsigned DrawFormat);
// The longest leading part of S that fits Width together with "..." (EllipsisWidth 0: measured),
// followed by "..."; S itself when all of it fits with the ellipsis' room.
std::string ShortenString(TCanvas& Canvas, const std::string& S, int Width, int EllipsisWidth = 0);
// S broken into lines (joined by line feeds) that fit the width of Bounds.
std::string WrapText(TCanvas& Canvas, const std::string& Text, const TRect& Bounds, bool RTL,
                     unsigned DrawFormat);

// Row `Row` of pixel bits stored bottom-up for a positive Height, top-down for a negative one.
std::uint32_t* ScanlinePointer(std::uint32_t* Bits, int Width, int Height, int Row);
// The pixels of a 32-bit bitmap, top-down (Height negative); fails an assertion for anything else.
std::uint32_t* GetDIBBitsOfDC(TBitmap* Bitmap, int& Width, int& Height);

// One row: each of the four byte channels blended by alpha, then the bias added with saturation.
void BlendLineConstant(const std::uint32_t* Source, std::uint32_t* Destination, int Count, int ConstantAlpha,
                       int Bias);
void BlendLinePerPixel(const std::uint32_t* Source, std::uint32_t* Destination, int Count, int Bias);
void BlendLineMaster(const std::uint32_t* Source, std::uint32_t* Destination, int Count, int ConstantAlpha,
                     int Bias);
void BlendLineMasterAndColor(std::uint32_t* Destination, int Count, int ConstantAlpha, std::uint32_t Color);
// Ends the use of the packed registers; the row routines here are plain code, so nothing is due.
inline void EndMMX() {}
// Blends the part R of Source onto Destination at Target (abConstantAndColor: the colour in Bias
// over Destination's part R; Source is not read).
void AlphaBlendRect(TBitmap* Source, TBitmap* Destination, const TRect& R, TPoint Target,
                    TAlphaBlendMode Mode, int ConstantAlpha, int Bias);

constexpr std::uint32_t CLR_NONE = 0xFFFFFFFF, CLR_DEFAULT = 0xFF000000;
std::uint32_t ColorToImageListRGB(TColor Color);
void StretchDrawDIB(TCanvas& Canvas, const TRect& DestRect, const TBitmap& Bitmap);
// The row routines are portable code that runs everywhere.
inline bool CpuHasMMX() {
  return true;
}
void DrawListImage(const TImageList& ImageList, int Index, TCanvas& Canvas, int X, int Y, TDrawingStyle Style,
                   bool Enabled);
// The image in grey.
void DrawSaturatedImage(const TImageList& ImageList, TCanvas& Canvas, int X, int Y, int Index);

// The areas a drag image moved by (DeltaX, DeltaY) scrolls, samples and draws anew.
void ComputeDragRects(int DragWidth, int DragHeight, int DeltaX, int DeltaY, TRect& RClip, TRect& RScroll,
                      TRect& RSamp1, TRect& RSamp2, TRect& RDraw1, TRect& RDraw2);
