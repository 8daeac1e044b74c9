// Internal state of canvases, bitmaps and regions; shared by the Graphics*.cpp files only.
#pragma once

#include "platform/ui/GraphicsQt.h"

#include <QFontMetrics>
#include <QHash>
#include <QRegion>
#include <QTextLayout>

#include <memory>
#include <optional>
#include <utility>
#include <vector>

struct TRegion::Impl {
  QRegion region;
};

namespace Headless {
class TCanvasRecorder;
}

struct TCanvas::Impl {
  explicit Impl(TCanvas& owner) : Owner(owner) {}
  ~Impl() { EndPainter(); }

  TCanvas& Owner;
  QImage* Image = nullptr;       // surface of a bitmap (owned by the bitmap)
  QPainter* External = nullptr;  // painter bound from outside (a paint event)
  std::unique_ptr<QPainter> Own; // painter on Image, started on demand
  QTransform BaseTransform;      // of the external painter when it was bound
  bool BaseHasClip = false;
  QRegion BaseClip; // clip of the external painter when it was bound (its coordinates)

  // Set for a control's canvas: names the control when it is drawn on outside a paint.
  std::function<std::string()> ControlName;

  bool HasClip = false;
  QRegion Clip; // device coordinates
  QPoint Org;   // window origin
  int BkMode = OPAQUE;
  TColor BkColor = clWhite;
  // Brush as last seen; a change of the brush resets the background mode and colour.
  TColor SeenBrushColor = clWhite;
  TBrushStyle SeenBrushStyle = bsSolid;

  // Mapping (GraphicsMapped.cpp). MM_TEXT keeps the pixel-exact paths with Org = WinOrg -
  // ViewOrg; the other modes draw through Mapping(), text upright in device scale.
  int MapMode = MM_TEXT;
  QPoint WinOrg, ViewOrg;
  QSize WinExt{1, 1}, ViewExt{1, 1};
  int DpiX = ScreenPixelsPerInch, DpiY = ScreenPixelsPerInch;
  bool Printer = false;
  QSize Physical;
  QPoint PhysicalOffset;
  bool InTextSpace = false; // drawing text in upright device scale at the moment
  double CachedFontScale = 1.0;
  bool Scaled() const { return MapMode != MM_TEXT && !InTextSpace; }
  QTransform Mapping() const;
  // Logical rectangle to device (normalised, covering) and a device box back to logical corners.
  QRect ToDevice(const TRect& r) const;
  TRect FromDevice(const QRect& box) const;
  bool LogicalEmpty(const TRect& r) const {
    return Scaled() ? (r.Left == r.Right || r.Top == r.Bottom) : r.IsEmpty();
  }
  void MappingChanged();
  // Fonts count in screen pixels on a device of another resolution in MM_TEXT (as points would).
  double FontScale() const;

  struct Saved {
    TPen Pen;
    TBrush Brush;
    TFont Font;
    bool HasClip;
    QRegion Clip;
    QPoint Org;
    int BkMode;
    TColor BkColor;
    TColor SeenBrushColor;
    TBrushStyle SeenBrushStyle;
    int MapMode;
    QPoint WinOrg, ViewOrg;
    QSize WinExt, ViewExt;
  };
  std::vector<Saved> SavedStates;

  // A test's recorder of the drawing calls (HeadlessCanvas.h) and the depth of calls in progress.
  Headless::TCanvasRecorder* Recorder = nullptr;
  int CallDepth = 0;

  // Font cache
  // Measuring is keyed on what shapes the glyphs (not the colour), and a few fonts are kept, so
  // cells that switch between bold and normal keep their measurements.
  struct FontEntry {
    std::string Name;
    int Height = 0;
    TFontStyles Style = 0;
    TFontPitch Pitch = fpDefault;
    QFont Font;
    std::optional<QFontMetrics> Metrics;
    QHash<QString, int> Widths;
    // Texts measured while painting, shaped once for both measuring and drawing (newest last).
    std::vector<std::pair<QString, std::unique_ptr<QTextLayout>>> Shaped;
    bool Matches(const TFont& f) const {
      return Height == f.Height() && Style == f.Style() && Pitch == f.Pitch() && Name == f.Name();
    }
  };
  std::vector<std::unique_ptr<FontEntry>> Fonts; // most recently used first
  FontEntry& CurrentFont();
  int TextAdvance(const QString& text);
  // The layout a text was shaped into when measured in the current font, or nullptr.
  const QTextLayout* ShapedText(const QString& text);

  bool Bound() const { return Image ? !Image->isNull() : External != nullptr; }
  QSize Surface() const;
  // The painter to draw with (origin and clip applied), or nullptr when there is no surface.
  QPainter* Painter();
  void EndPainter();
  void ApplyState(QPainter& painter);
  void StateChanged(); // clip or origin changed
  // Drawable area in device coordinates: the surface, cut by the clip region.
  QRegion DrawableRegion() const;
  // Image whose pixels can be read and written directly, or nullptr.
  QImage* PixelImage() const {
    if (!Image || Image->isNull()) return nullptr;
    if (Image->format() != QImage::Format_RGB32) *Image = Image->convertToFormat(QImage::Format_RGB32);
    return Image;
  }
  // Writable bits of PixelImage, ending the own painter first when the image is shared.
  std::uint32_t* MutableBits();
  void SyncBrush();
  const QFont& Font();
  const QFontMetrics& Metrics();
};

struct TBitmap::Impl {
  Impl() { Canvas.impl().Image = &Image; }
  QImage Image; // Format_RGB32; declared before Canvas so the canvas's painter ends first
  TCanvas Canvas;
};

// Drawing through a scaled mapping (GraphicsMapped.cpp).
// Qt's line style for a pen style: the dash styles as Qt names them, psClear no line, others solid.
Qt::PenStyle QtPenStyle(TPenStyle style);

bool MappedLineTo(TCanvas& canvas, TPoint from, TPoint to);
void MappedRectangle(TCanvas& canvas, const TRect& r);
TRect MappedNormal(const TRect& r);
void MappedTextOut(TCanvas& canvas, int x, int y, const std::string& text);
void MappedTextRect(TCanvas& canvas, const TRect& r, int x, int y, const std::string& text);
int MappedDrawText(TCanvas& canvas, const std::string& text, TRect& r, unsigned flags);
// The picture upright in the device rectangle the logical one maps to (pictures are never mirrored).
void MappedStretchDraw(TCanvas& canvas, const TRect& dest, const TBitmap& bitmap);
// The canvas draws on a printer page: its resolution, the whole page and the printable area's
// offset in dots; and back to a screen-like device.
void SetCanvasDevice(TCanvas& canvas, int dpiX, int dpiY, TSize physical, TPoint offset);
void ResetCanvasDevice(TCanvas& canvas);

// One drawing call of the canvas: recorded when a recorder watches and no other call is running.
enum class TDrawCallKind { Line, Rectangle, Fill, Text, Ellipse, Polygon, Picture };
class TDrawCallScope {
public:
  TDrawCallScope(TCanvas& canvas, TDrawCallKind kind, const TRect& logical, const std::string& text = {},
                 int escapement = 0);
  ~TDrawCallScope() { --FCanvas.impl().CallDepth; }
  TDrawCallScope(const TDrawCallScope&) = delete;
  TDrawCallScope& operator=(const TDrawCallScope&) = delete;

private:
  TCanvas& FCanvas;
};

// Helpers shared by the drawing files.
QRgb ToQRgb(TColor color);
QPainter::CompositionMode PenModeComposition(TPenMode mode);
inline QRect ToQRect(const TRect& r) {
  return QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
}
inline TRect FromQRect(const QRect& r) {
  return r.isEmpty() ? TRect{} : TRect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}
TRect Normalized(int x1, int y1, int x2, int y2);
// Em size in pixels the font is drawn with (positive heights are cell heights).
int FontPixelSize(const TFont& font);
// The text as the canvas's font draws it (the Symbol face's bullet mapped).
QString TextFor(const TCanvas& canvas, const std::string& text);
// Font, colour and plain composition of the canvas's text on the painter.
void PrepareTextPainter(TCanvas& canvas, QPainter& p);
