#include "platform/ui/LayeredWindow.h"

#include <QImage>
#include <QPainter>
#include <QWidget>

#include <algorithm>

TLayeredWindow::TLayeredWindow(TComponent* AOwner) : TForm(AOwner) {
  SetBorderStyle(bsNone);
  ApplyLayeredFlags();
}

// The frame of a form sets its own window flags; these go on top, again before every showing.
void TLayeredWindow::DoShow() {
  ApplyLayeredFlags();
  TForm::DoShow();
}

void TLayeredWindow::ApplyLayeredFlags() {
  if (QWidget* w = Widget()) {
    // A tool-tip window stays above the others, is in no task bar and is never activated, not even
    // by the off-screen platform when it shows.
    w->setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus |
                      Qt::WindowTransparentForInput);
    w->setAttribute(Qt::WA_ShowWithoutActivating);
    w->setAttribute(Qt::WA_TranslucentBackground);
    w->setAutoFillBackground(false);
  }
}

void TLayeredWindow::SetLayeredImage(int width, int height, const std::vector<std::uint32_t>& pixels,
                                     std::uint8_t opacity) {
  FWidth = std::max(0, width);
  FHeight = std::max(0, height);
  FOpacity = opacity;
  FPixels.assign(static_cast<std::size_t>(FWidth) * FHeight, 0);
  std::copy_n(pixels.begin(), std::min(pixels.size(), FPixels.size()), FPixels.begin());
  SetBounds(Left(), Top(), FWidth, FHeight);
  Invalidate();
}

TColor TLayeredWindow::ComposedPixel(int x, int y, TColor background) const {
  const TColor bg = ColorToRGB(background);
  if (x < 0 || y < 0 || x >= FWidth || y >= FHeight) return bg;
  const std::uint32_t p = FPixels[static_cast<std::size_t>(y) * FWidth + x];
  const auto scaled = [this](std::uint32_t v) { return (v * FOpacity + 127) / 255; };
  const std::uint32_t a = scaled(p >> 24);
  const auto channel = [&](int shiftSrc, int shiftBg) {
    const std::uint32_t src = scaled((p >> shiftSrc) & 0xFF);
    const std::uint32_t under = (static_cast<std::uint32_t>(bg) >> shiftBg) & 0xFF;
    return std::min<std::uint32_t>(255, src + (under * (255 - a) + 127) / 255);
  };
  // TColor is 0x00BBGGRR; the pixel 0xAARRGGBB.
  return RGB(channel(16, 0), channel(8, 8), channel(0, 16));
}

void TLayeredWindow::PaintWidget(QPainter& painter) {
  if (FPixels.empty()) return;
  const QImage image(reinterpret_cast<const uchar*>(FPixels.data()), FWidth, FHeight, FWidth * 4,
                     QImage::Format_ARGB32_Premultiplied);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.setOpacity(FOpacity / 255.0);
  painter.drawImage(0, 0, image);
}
