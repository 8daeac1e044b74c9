// Internal state of canvases, bitmaps and regions; shared by the Graphics*.cpp files only.
#pragma once

#include "platform/ui/GraphicsQt.h"

#include <QFontMetrics>
#include <QHash>
#include <QRegion>

#include <memory>
#include <optional>
#include <vector>

struct TRegion::Impl {
  QRegion region;
};

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
  };
  std::vector<Saved> SavedStates;

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
    bool Matches(const TFont& f) const {
      return Height == f.Height() && Style == f.Style() && Pitch == f.Pitch() && Name == f.Name();
    }
  };
  std::vector<std::unique_ptr<FontEntry>> Fonts; // most recently used first
  FontEntry& CurrentFont();
  int TextAdvance(const QString& text);

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
