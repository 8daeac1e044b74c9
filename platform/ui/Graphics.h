// Drawing with GDI semantics: fonts, pens, brushes, canvases, off-screen bitmaps and regions.
// Right and bottom edges are exclusive everywhere; lines leave out their end point; antialiasing is off.
// Texts are UTF-8.
#pragma once

#include "platform/Colors.h"
#include "platform/ui/Types.h"

#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TBitmap;

// ---------------------------------------------------------------------------------------------
// Font, pen and brush

enum TFontStyle : unsigned {
  fsBold = 1u << 0,
  fsItalic = 1u << 1,
  fsUnderline = 1u << 2,
  fsStrikeOut = 1u << 3
};
using TFontStyles = unsigned; // set of TFontStyle bits
enum TFontPitch { fpDefault, fpVariable, fpFixed };

// Screen resolution the point sizes refer to.
constexpr int ScreenPixelsPerInch = 96;

class TFont {
public:
  TFont(); // "Tahoma", Height -11 (8 points), clWindowText, no style
  TFont(const TFont& other);
  TFont& operator=(const TFont& other); // Assign; OnChange of this object stays
  ~TFont();

  // Name as the program asks for it; the face actually used comes from the font substitution.
  const std::string& Name() const { return FName; }
  void SetName(const std::string& name);
  // Pixels. Negative: character height without internal leading (as Windows); positive: cell height.
  int Height() const { return FKey.Height; }
  void SetHeight(int height);
  // Points at ScreenPixelsPerInch; setting it sets Height to -Size * 96 / 72 rounded.
  int Size() const;
  void SetSize(int points);
  TColor Color() const { return FKey.Color; }
  void SetColor(TColor color);
  TFontStyles Style() const { return FKey.Style; }
  void SetStyle(TFontStyles style);
  TFontPitch Pitch() const { return FKey.Pitch; }
  void SetPitch(TFontPitch pitch);
  int Charset() const { return FKey.Charset; } // kept for callers; text is Unicode anyway
  void SetCharset(int charset);

  // Copies name, height, colour, style, pitch and charset; fires OnChange once when anything differs.
  // Painting assigns a font for every cell, mostly the one it already holds: fonts that share an
  // identity return at once.
  void Assign(const TFont& source) {
    if (FId != source.FId) AssignOther(source);
  }
  // Equal in everything Assign copies. Fonts copied from one another share an identity and answer
  // in one compare; others compare a few words, and only long names compare their text.
  bool SameAs(const TFont& other) const { return FId == other.FId || SameKey(other); }

  std::function<void()> OnChange;

private:
  bool SameKey(const TFont& other) const {
    return std::memcmp(&FKey, &other.FKey, sizeof(TKey)) == 0 &&
           (FKey.NameLength <= sizeof(FKey.NameHead) || FName == other.FName);
  }
  void AssignOther(const TFont& source);
  // Everything SameAs compares, without padding: the numbers, the name's length and its first
  // bytes (zero-filled), which decide names of up to 16 bytes alone.
  struct TKey {
    int Height;
    TColor Color;
    TFontStyles Style;
    TFontPitch Pitch;
    int Charset;
    std::uint32_t NameLength;
    char NameHead[16];
  };
  static_assert(sizeof(TKey) == 40, "TFont::TKey must have no padding");
  // A setter changed the font: a new identity, then OnChange.
  void Changed();
  void KeyName();
  std::string FName;
  TKey FKey;
  // Equal identities mean equal fonts: a new one is drawn at every change and travels with the
  // settings when they are copied. 0 stands for the defaults.
  std::uint64_t FId = 0;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
// Raster mixes of the pen (and of brush fills drawn together with it) with the target.
enum TPenMode {
  pmBlack,
  pmWhite,
  pmNop,
  pmNot,
  pmCopy,
  pmNotCopy,
  pmMergePenNot,
  pmMaskPenNot,
  pmMergeNotPen,
  pmMaskNotPen,
  pmMerge,
  pmNotMerge,
  pmMask,
  pmNotMask,
  pmXor,
  pmNotXor
};

class TPen {
public:
  TColor Color() const { return FColor; }
  void SetColor(TColor color);
  int Width() const { return FWidth; }
  void SetWidth(int width); // below 1 counts as 1
  TPenStyle Style() const { return FStyle; }
  void SetStyle(TPenStyle style);
  TPenMode Mode() const { return FMode; }
  void SetMode(TPenMode mode);
  void Assign(const TPen& source);

  std::function<void()> OnChange;

private:
  void Changed();
  TColor FColor = clBlack;
  int FWidth = 1;
  TPenStyle FStyle = psSolid;
  TPenMode FMode = pmCopy;
};

enum TBrushStyle {
  bsSolid,
  bsClear,
  bsHorizontal,
  bsVertical,
  bsFDiagonal,
  bsBDiagonal,
  bsCross,
  bsDiagCross
};

class TBrush {
public:
  TColor Color() const { return FColor; }
  void SetColor(TColor color) {
    // A colour asked for means a fill: a clear brush becomes solid again. Painting sets a colour
    // for every cell, so only a listener costs a call.
    if (color == FColor && FStyle != bsClear) return;
    FColor = color;
    if (FStyle == bsClear) FStyle = bsSolid;
    if (OnChange) Changed();
  }
  TBrushStyle Style() const { return FStyle; }
  void SetStyle(TBrushStyle style);
  void Assign(const TBrush& source);

  std::function<void()> OnChange;

private:
  void Changed();
  TColor FColor = clWhite;
  TBrushStyle FStyle = bsSolid;
};

// ---------------------------------------------------------------------------------------------
// Flags of the drawing functions (numeric values as on Windows)

// DrawText
constexpr unsigned DT_TOP = 0x0, DT_LEFT = 0x0, DT_CENTER = 0x1, DT_RIGHT = 0x2, DT_VCENTER = 0x4,
                   DT_BOTTOM = 0x8, DT_WORDBREAK = 0x10, DT_SINGLELINE = 0x20, DT_EXPANDTABS = 0x40,
                   DT_TABSTOP = 0x80, DT_NOCLIP = 0x100, DT_EXTERNALLEADING = 0x200, DT_CALCRECT = 0x400,
                   DT_NOPREFIX = 0x800, DT_INTERNAL = 0x1000, DT_EDITCONTROL = 0x2000,
                   DT_PATH_ELLIPSIS = 0x4000, DT_END_ELLIPSIS = 0x8000, DT_MODIFYSTRING = 0x10000,
                   DT_RTLREADING = 0x20000, DT_WORD_ELLIPSIS = 0x40000, DT_NOFULLWIDTHCHARBREAK = 0x80000,
                   DT_HIDEPREFIX = 0x100000, DT_PREFIXONLY = 0x200000;

// DrawEdge
constexpr unsigned BDR_RAISEDOUTER = 0x1, BDR_SUNKENOUTER = 0x2, BDR_RAISEDINNER = 0x4, BDR_SUNKENINNER = 0x8,
                   BDR_OUTER = 0x3, BDR_INNER = 0xC, BDR_RAISED = 0x5, BDR_SUNKEN = 0xA;
constexpr unsigned EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER,
                   EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER,
                   EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER,
                   EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;
constexpr unsigned BF_LEFT = 0x1, BF_TOP = 0x2, BF_RIGHT = 0x4, BF_BOTTOM = 0x8, BF_TOPLEFT = 0x3,
                   BF_TOPRIGHT = 0x6, BF_BOTTOMLEFT = 0x9, BF_BOTTOMRIGHT = 0xC, BF_RECT = 0xF,
                   BF_DIAGONAL = 0x10, BF_MIDDLE = 0x800, BF_SOFT = 0x1000, BF_ADJUST = 0x2000,
                   BF_FLAT = 0x4000, BF_MONO = 0x8000;

// DrawFrameControl: types, then the parts of each type, then state bits
constexpr unsigned DFC_CAPTION = 1, DFC_MENU = 2, DFC_SCROLL = 3, DFC_BUTTON = 4, DFC_POPUPMENU = 5;
constexpr unsigned DFCS_CAPTIONCLOSE = 0x0, DFCS_CAPTIONMIN = 0x1, DFCS_CAPTIONMAX = 0x2,
                   DFCS_CAPTIONRESTORE = 0x3, DFCS_CAPTIONHELP = 0x4;
constexpr unsigned DFCS_MENUARROW = 0x0, DFCS_MENUCHECK = 0x1, DFCS_MENUBULLET = 0x2,
                   DFCS_MENUARROWRIGHT = 0x4;
constexpr unsigned DFCS_SCROLLUP = 0x0, DFCS_SCROLLDOWN = 0x1, DFCS_SCROLLLEFT = 0x2, DFCS_SCROLLRIGHT = 0x3,
                   DFCS_SCROLLCOMBOBOX = 0x5, DFCS_SCROLLSIZEGRIP = 0x8, DFCS_SCROLLSIZEGRIPRIGHT = 0x10;
constexpr unsigned DFCS_BUTTONCHECK = 0x0, DFCS_BUTTONRADIOIMAGE = 0x1, DFCS_BUTTONRADIOMASK = 0x2,
                   DFCS_BUTTONRADIO = 0x4, DFCS_BUTTON3STATE = 0x8, DFCS_BUTTONPUSH = 0x10;
constexpr unsigned DFCS_INACTIVE = 0x100, DFCS_PUSHED = 0x200, DFCS_CHECKED = 0x400, DFCS_TRANSPARENT = 0x800,
                   DFCS_HOT = 0x1000, DFCS_ADJUSTRECT = 0x2000, DFCS_FLAT = 0x4000, DFCS_MONO = 0x8000;

// Raster operations of BitBlt: any ternary code works (pattern = the brush of the target canvas).
constexpr unsigned BLACKNESS = 0x00000042, NOTSRCERASE = 0x001100A6, NOTSRCCOPY = 0x00330008,
                   SRCERASE = 0x00440328, DSTINVERT = 0x00550009, PATINVERT = 0x005A0049,
                   SRCINVERT = 0x00660046, SRCAND = 0x008800C6, MERGEPAINT = 0x00BB0226,
                   MERGECOPY = 0x00C000CA, SRCCOPY = 0x00CC0020, SRCPAINT = 0x00EE0086, PATCOPY = 0x00F00021,
                   PATPAINT = 0x00FB0A09, WHITENESS = 0x00FF0062;
// Raster operation codes of TCanvas::CopyMode (same values).
using TCopyMode = unsigned;
constexpr TCopyMode cmBlackness = BLACKNESS, cmDstInvert = DSTINVERT, cmMergeCopy = MERGECOPY,
                    cmMergePaint = MERGEPAINT, cmNotSrcCopy = NOTSRCCOPY, cmNotSrcErase = NOTSRCERASE,
                    cmPatCopy = PATCOPY, cmPatInvert = PATINVERT, cmPatPaint = PATPAINT, cmSrcAnd = SRCAND,
                    cmSrcCopy = SRCCOPY, cmSrcErase = SRCERASE, cmSrcInvert = SRCINVERT,
                    cmSrcPaint = SRCPAINT, cmWhiteness = WHITENESS;

// Background mode of text output
constexpr int TRANSPARENT = 1, OPAQUE = 2;
// ExtTextOut options
constexpr int ETO_OPAQUE = 0x2, ETO_CLIPPED = 0x4, ETO_RTLREADING = 0x80;

// Region results
constexpr int RGN_ERROR = 0, NULLREGION = 1, SIMPLEREGION = 2, COMPLEXREGION = 3;

// ---------------------------------------------------------------------------------------------
// Region: a set of pixels made of rectangles (device coordinates)

class TRegion {
public:
  TRegion();
  explicit TRegion(const TRect& rect);
  TRegion(const TRegion& other);
  TRegion& operator=(const TRegion& other);
  ~TRegion();

  bool IsEmpty() const;
  bool Contains(TPoint p) const;
  TRect BoundingRect() const;
  std::vector<TRect> Rects() const;
  void Unite(const TRegion& other);
  void Intersect(const TRegion& other);
  void Subtract(const TRegion& other);
  void Xor(const TRegion& other);
  void Offset(int dx, int dy);
  bool operator==(const TRegion& other) const;

  struct Impl;
  Impl& impl() const { return *d; }

private:
  std::unique_ptr<Impl> d;
};

inline TRegion CreateRectRgn(int left, int top, int right, int bottom) {
  return TRegion(Rect(left, top, right, bottom));
}

// ---------------------------------------------------------------------------------------------
// Canvas

struct TTextMetric {
  int tmHeight = 0;
  int tmAscent = 0;
  int tmDescent = 0;
  int tmInternalLeading = 0;
  int tmExternalLeading = 0;
  int tmAveCharWidth = 0;
  int tmMaxCharWidth = 0;
};

// A drawing surface: the canvas of an off-screen bitmap, or of a control while it paints.
// A canvas that is bound to nothing measures text with its font and ignores drawing.
class TCanvas {
public:
  TCanvas();
  ~TCanvas();
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  TPen& Pen() { return FPen; }
  TBrush& Brush() { return FBrush; }
  TFont& Font() { return FFont; }
  const TPen& Pen() const { return FPen; }
  const TBrush& Brush() const { return FBrush; }
  const TFont& Font() const { return FFont; }
  // True while there is something to draw on.
  bool HandleAllocated() const;
  // Size of the surface in pixels (0 x 0 when unbound).
  TSize SurfaceSize() const;

  TPoint PenPos() const { return FPenPos; }
  void SetPenPos(TPoint p) { FPenPos = p; }
  void MoveTo(int x, int y) { FPenPos = {x, y}; }
  void LineTo(int x, int y);                        // the end point is not drawn; PenPos moves there
  void Polyline(const std::vector<TPoint>& points); // each segment as LineTo
  void Polygon(const std::vector<TPoint>& points);  // closed, outlined with the pen, filled with the brush
  void Rectangle(int x1, int y1, int x2, int y2);
  void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
  void RoundRect(int x1, int y1, int x2, int y2, int cornerWidth, int cornerHeight);
  void Ellipse(int x1, int y1, int x2, int y2);
  void Ellipse(const TRect& r) { Ellipse(r.Left, r.Top, r.Right, r.Bottom); }
  void FillRect(const TRect& r);      // with the brush, no outline
  void FrameRect(const TRect& r);     // one-pixel frame in the brush colour
  void DrawFocusRect(const TRect& r); // dotted, inverting: drawing it twice restores the pixels

  // Colour of a pixel; clNone outside the surface or when it cannot be read.
  TColor Pixels(int x, int y) const;
  void SetPixels(int x, int y, TColor color);

  // Text: the top-left of the first character cell at (x, y). An opaque background (solid brush)
  // is filled with the brush colour behind the text.
  void TextOut(int x, int y, const std::string& text);                  // PenPos moves to the end of the text
  void TextRect(const TRect& r, int x, int y, const std::string& text); // clipped to r
  int TextWidth(const std::string& text) const;
  int TextHeight(const std::string& text) const;
  TSize TextExtent(const std::string& text) const;
  TTextMetric TextMetric() const;
  // As DrawText of Windows; returns the height of the text drawn (or measured with DT_CALCRECT).
  int DrawText(const std::string& text, TRect& r, unsigned flags);

  // Bitmaps: a transparent bitmap leaves the target untouched under its key colour.
  void Draw(int x, int y, const TBitmap& bitmap);
  void StretchDraw(const TRect& dest, const TBitmap& bitmap);
  // Copies (stretching when sizes differ) with CopyMode.
  void CopyRect(const TRect& dest, const TCanvas& source, const TRect& sourceRect);
  TCopyMode CopyMode() const { return FCopyMode; }
  void SetCopyMode(TCopyMode mode) { FCopyMode = mode; }
  // ExtTextOut flags (ETO_) that text-painting code may consult; the canvas only keeps them.
  int TextFlags() const { return FTextFlags; }
  void SetTextFlags(int flags) { FTextFlags = flags; }
  // Copies a part of a bitmap, its pixels of colour `color` replaced by the brush colour.
  void BrushCopy(const TRect& dest, const TBitmap& bitmap, const TRect& sourceRect, TColor color);

  // Clipping (logical coordinates). ClipRect is the bounding box of what can still be drawn; in a
  // paint that is the part of the control being repainted.
  TRect ClipRect() const;
  // True when some of the rectangle can still be drawn (cheaper to skip what cannot).
  bool RectVisible(const TRect& r) const;
  void SetClipRect(const TRect& r); // replaces the clip region by r (within the surface)
  void IntersectClipRect(const TRect& r);
  void ExcludeClipRect(const TRect& r);
  void ResetClip(); // the whole surface
  // Device-coordinate region; nullptr removes the clip region.
  void SelectClipRegion(const TRegion* region);
  bool HasClipRegion() const;

  // Logical point (0, 0) lands on device point -WindowOrg.
  TPoint WindowOrg() const;
  void SetWindowOrg(TPoint origin);

  int BkMode() const; // TRANSPARENT or OPAQUE; follows the brush style whenever the brush changes
  void SetBkMode(int mode);
  TColor BkColor() const;
  void SetBkColor(TColor color);

  // Saves pen, brush, font, clip region, origin and background mode; returns a positive id.
  int SaveDC();
  // Restores the state saved under id (and drops it and any saved after it); -1 the last one.
  bool RestoreDC(int id);

  // The backend's state; for platform code only (see GraphicsQt.h).
  struct Impl;
  Impl& impl() const { return *d; }

private:
  TPen FPen;
  TBrush FBrush;
  TFont FFont;
  TPoint FPenPos;
  TCopyMode FCopyMode = cmSrcCopy;
  int FTextFlags = 0;
  std::unique_ptr<Impl> d;
};

// The Windows drawing functions on a canvas.
int DrawText(TCanvas& canvas, const std::string& text, TRect& r, unsigned flags);
// The lines DrawText would show in r with these flags: prefixes removed, wrapped, shortened.
std::vector<std::string> DrawTextLines(TCanvas& canvas, const std::string& text, const TRect& r,
                                       unsigned flags);
// Draws one or two 3-D edge lines; with BF_ADJUST r shrinks by what was drawn. False for bad flags.
bool DrawEdge(TCanvas& canvas, TRect& r, unsigned edge, unsigned flags);
// Check boxes, radio buttons, push buttons, scroll arrows, combo-box buttons, caption buttons.
bool DrawFrameControl(TCanvas& canvas, TRect& r, unsigned type, unsigned state);
void DrawFocusRect(TCanvas& canvas, const TRect& r);
void FillRect(TCanvas& canvas, const TRect& r, TColor color); // solid colour, brush untouched
void FrameRect(TCanvas& canvas, const TRect& r, TColor color);
void InvertRect(TCanvas& canvas, const TRect& r);
// Copies a w x h block from src at (sx, sy) to dest at (x, y) through the raster operation.
// src may be null for operations that do not read a source (PATCOPY, DSTINVERT, BLACKNESS ...).
bool BitBlt(TCanvas& dest, int x, int y, int w, int h, const TCanvas* src, int sx, int sy, unsigned rop);
bool StretchBlt(TCanvas& dest, int x, int y, int w, int h, const TCanvas& src, int sx, int sy, int sw, int sh,
                unsigned rop);
bool PatBlt(TCanvas& dest, int x, int y, int w, int h, unsigned rop);
// Copies like StretchBlt with SRCCOPY but leaves the target untouched under source pixels of keyColor.
bool TransparentBlt(TCanvas& dest, int x, int y, int w, int h, const TCanvas& src, int sx, int sy, int sw,
                    int sh, TColor keyColor);
// Blends the source over the target with a constant opacity 0..255.
bool AlphaBlend(TCanvas& dest, int x, int y, int w, int h, const TCanvas& src, int sx, int sy, int sw, int sh,
                int opacity);
inline int SetBkMode(TCanvas& canvas, int mode) {
  int old = canvas.BkMode();
  canvas.SetBkMode(mode);
  return old;
}
inline int SaveDC(TCanvas& canvas) {
  return canvas.SaveDC();
}
inline bool RestoreDC(TCanvas& canvas, int id) {
  return canvas.RestoreDC(id);
}
// Returns the kind of the resulting clip region (NULLREGION, SIMPLEREGION, COMPLEXREGION).
int SelectClipRgn(TCanvas& canvas, const TRegion* region);
int IntersectClipRect(TCanvas& canvas, int left, int top, int right, int bottom);
int ExcludeClipRect(TCanvas& canvas, int left, int top, int right, int bottom);
int GetClipBox(const TCanvas& canvas, TRect& r);

// ---------------------------------------------------------------------------------------------
// Mapping modes: how logical coordinates become device pixels. MM_TEXT: one unit a pixel (moved by
// the window and viewport origins); MM_LOMETRIC: a tenth of a millimetre at the device's
// resolution, the y axis upward (so a page runs to negative y); MM_ANISOTROPIC: the window extent
// maps onto the viewport extent. Text is drawn upright in every mode; font heights count in
// logical units.
constexpr int MM_TEXT = 1, MM_LOMETRIC = 2, MM_ANISOTROPIC = 8;
// The previous mode; 0 (nothing changed) for a mode not supported.
int SetMapMode(TCanvas& canvas, int mode);
int GetMapMode(const TCanvas& canvas);
bool SetWindowOrgEx(TCanvas& canvas, int x, int y, TPoint* old = nullptr);
bool SetViewportOrgEx(TCanvas& canvas, int x, int y, TPoint* old = nullptr);
// Count in MM_ANISOTROPIC only (kept and ignored in the other modes); false for a zero extent.
bool SetWindowExtEx(TCanvas& canvas, int x, int y, TSize* old = nullptr);
bool SetViewportExtEx(TCanvas& canvas, int x, int y, TSize* old = nullptr);
bool LPtoDP(const TCanvas& canvas, TPoint* points, int count);
bool DPtoLP(const TCanvas& canvas, TPoint* points, int count);

// Text turned about its start point (the top-left of its first character cell) by escapement
// tenths of a degree counter-clockwise, as a font with that escapement draws it.
void RotatedTextOut(TCanvas& canvas, int x, int y, int escapement, const std::string& text);

// Device capabilities (GetDeviceCaps indexes and answers).
constexpr int TECHNOLOGY = 2, HORZSIZE = 4, VERTSIZE = 6, HORZRES = 8, VERTRES = 10, BITSPIXEL = 12,
              PLANES = 14, LOGPIXELSX = 88, LOGPIXELSY = 90, PHYSICALWIDTH = 110, PHYSICALHEIGHT = 111,
              PHYSICALOFFSETX = 112, PHYSICALOFFSETY = 113;
constexpr int DT_RASDISPLAY = 1, DT_RASPRINTER = 2;
// HORZRES/VERTRES: the drawable area in pixels; LOGPIXELSX/Y: its resolution; HORZSIZE/VERTSIZE:
// its size in millimetres; PHYSICAL*: the whole page and the printable area's offset (printers
// only, 0 elsewhere).
int GetDeviceCaps(const TCanvas& canvas, int index);

// ---------------------------------------------------------------------------------------------
// Bitmap: 32-bit pixels, rows top-down, each pixel in memory order blue, green, red, unused.

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
enum TTransparentMode { tmAuto, tmFixed };

class TBitmap {
public:
  TBitmap();
  TBitmap(int width, int height);
  TBitmap(const TBitmap& other);            // deep copy
  TBitmap& operator=(const TBitmap& other); // Assign
  ~TBitmap();

  int Width() const;
  int Height() const;
  void SetWidth(int width);
  void SetHeight(int height);
  // New pixels are white; kept pixels keep their place. Negative sizes count as 0.
  void SetSize(int width, int height);
  bool Empty() const;
  void Assign(const TBitmap& source);

  TCanvas& Canvas();
  const TCanvas& Canvas() const;

  // With Transparent set, Draw leaves the target untouched under TransparentColor pixels.
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool transparent) { FTransparent = transparent; }
  // tmAuto: the colour of the bottom-left pixel; tmFixed: the colour set.
  TColor TransparentColor() const;
  void SetTransparentColor(TColor color); // switches to tmFixed
  TTransparentMode TransparentMode() const { return FTransparentMode; }
  void SetTransparentMode(TTransparentMode mode) { FTransparentMode = mode; }

  // Remembered for callers; storage is always 32 bits per pixel.
  TPixelFormat PixelFormat() const { return FPixelFormat; }
  void SetPixelFormat(TPixelFormat format) { FPixelFormat = format; }

  // Row y as 32-bit pixels, numerically 0xFFRRGGBB (the top byte is not a colour; write 0xFF);
  // nullptr outside the bitmap.
  std::uint32_t* ScanLine(int y);
  const std::uint32_t* ScanLine(int y) const;
  TColor Pixel(int x, int y) const; // clNone outside
  void SetPixel(int x, int y, TColor color);

  // BMP or PNG (by content when loading, by extension when saving: ".png" else BMP).
  // On failure the bitmap is unchanged and error (when given) says why.
  bool LoadFromFile(const std::string& path, std::string* error = nullptr);
  bool SaveToFile(const std::string& path, std::string* error = nullptr) const;
  bool LoadFromBytes(const std::string& bytes, std::string* error = nullptr);
  std::string SaveToBytes(const char* format = "PNG") const;
  // One of our own resources (Resources.h). Unknown names leave the bitmap empty and return false.
  bool LoadFromResourceName(const std::string& name, std::string* error = nullptr);

  // The backend's image; for platform code only (see GraphicsQt.h).
  struct Impl;
  Impl& impl() const { return d ? *d : MakeImpl(); }

private:
  // Many bitmaps stay empty (glyphs a control may be given, pictures made on first paint): the
  // image and its canvas are made when first needed.
  Impl& MakeImpl() const;
  mutable std::unique_ptr<Impl> d;
  bool FTransparent = false;
  TColor FTransparentColor = clDefault;
  TTransparentMode FTransparentMode = tmAuto;
  TPixelFormat FPixelFormat = pfDevice;
};

// Drawing on a control's canvas outside its paint draws nothing. The handler hears of each such
// drawing: without one, debug builds stop on an assertion and others stay silent; tests install
// one that fails the test. Returns the previous handler.
using TUnboundDrawingHandler = std::function<void(const std::string& message)>;
TUnboundDrawingHandler SetUnboundDrawingHandler(TUnboundDrawingHandler handler);
void ReportUnboundDrawing(const std::string& control);
