// Qt side of the drawing layer, for platform code only: colours, fonts, images and painter binding.
#pragma once

#include "platform/ui/Graphics.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>

#include <functional>
#include <string>

// Plain RGB of a colour (system colours resolved); clNone gives a fully transparent colour.
QColor ToQColor(TColor color);
TColor FromQColor(const QColor& color);
// The substituted face with the pixel size, style and (off by default) antialiasing of the font.
QFont ToQFont(const TFont& font, bool antialias = false);

// The bitmap's pixels. A writer may put any image in; it becomes Format_RGB32 (alpha dropped)
// before the next drawing or pixel access.
QImage& BitmapImage(TBitmap& bitmap);
const QImage& BitmapImage(const TBitmap& bitmap);

// Lets a canvas draw through a painter that someone else owns, for example in a widget's paint
// event: `QPainter p(this); TCanvasBinding bind(Canvas(), p); Paint();`. The painter's state is
// saved at binding and restored when the binding ends; the canvas is unbound again then.
// Pixel reads and raster operations that need the target's pixels work only when the painter
// draws on a QImage; elsewhere they are mapped to Qt's composition modes or ignored.
// Marks the canvas as a control's: drawing on it while no paint has bound it is reported through
// the unbound-drawing handler (`who` names the control for the message).
void MarkControlCanvas(TCanvas& canvas, std::function<std::string()> who);

class TCanvasBinding {
public:
  TCanvasBinding(TCanvas& canvas, QPainter& painter);
  ~TCanvasBinding();
  TCanvasBinding(const TCanvasBinding&) = delete;
  TCanvasBinding& operator=(const TCanvasBinding&) = delete;

private:
  TCanvas& FCanvas;
};
