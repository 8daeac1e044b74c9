// Mapping modes: logical units other than pixels (tenths of a millimetre with the y axis up, or
// any window-to-viewport scaling), device capabilities, and drawing through such a mapping. Text
// is always drawn upright, whichever way an axis points.
#include "platform/ui/GraphicsImpl.h"

#include <algorithm>
#include <cmath>

// ---------------------------------------------------------------------------------------------
// State

QTransform TCanvas::Impl::Mapping() const {
  double sx = 1, sy = 1;
  if (MapMode == MM_LOMETRIC) {
    sx = DpiX / 254.0;
    sy = -DpiY / 254.0;
  } else if (MapMode == MM_ANISOTROPIC) {
    sx = double(ViewExt.width()) / WinExt.width();
    sy = double(ViewExt.height()) / WinExt.height();
  }
  return QTransform::fromTranslate(-WinOrg.x(), -WinOrg.y()) * QTransform::fromScale(sx, sy) *
         QTransform::fromTranslate(ViewOrg.x(), ViewOrg.y());
}

QRect TCanvas::Impl::ToDevice(const TRect& r) const {
  if (!Scaled()) return ToQRect(r).translated(-Org);
  const QRectF logical(QPointF(std::min(r.Left, r.Right), std::min(r.Top, r.Bottom)),
                       QPointF(std::max(r.Left, r.Right), std::max(r.Top, r.Bottom)));
  return Mapping().mapRect(logical).toAlignedRect();
}

TRect TCanvas::Impl::FromDevice(const QRect& box) const {
  if (!Scaled()) return FromQRect(box.translated(Org));
  const QTransform back = Mapping().inverted();
  const QPointF a = back.map(QPointF(box.left(), box.top()));
  const QPointF b = back.map(QPointF(box.left() + box.width(), box.top() + box.height()));
  return {static_cast<int>(std::lround(a.x())), static_cast<int>(std::lround(a.y())),
          static_cast<int>(std::lround(b.x())), static_cast<int>(std::lround(b.y()))};
}

void TCanvas::Impl::MappingChanged() {
  Org = WinOrg - ViewOrg;
  if (const double scale = FontScale(); scale != CachedFontScale) {
    Fonts.clear();
    CachedFontScale = scale;
  }
  StateChanged();
}

double TCanvas::Impl::FontScale() const {
  return MapMode == MM_TEXT && DpiY != ScreenPixelsPerInch ? DpiY / double(ScreenPixelsPerInch) : 1.0;
}

void SetCanvasDevice(TCanvas& canvas, int dpiX, int dpiY, TSize physical, TPoint offset) {
  auto& d = canvas.impl();
  d.DpiX = std::max(1, dpiX);
  d.DpiY = std::max(1, dpiY);
  d.Printer = true;
  d.Physical = QSize(physical.cx, physical.cy);
  d.PhysicalOffset = QPoint(offset.X, offset.Y);
  d.MappingChanged();
}

void ResetCanvasDevice(TCanvas& canvas) {
  auto& d = canvas.impl();
  d.DpiX = d.DpiY = ScreenPixelsPerInch;
  d.Printer = false;
  d.Physical = QSize();
  d.PhysicalOffset = QPoint();
  d.MapMode = MM_TEXT;
  d.WinOrg = d.ViewOrg = QPoint();
  d.WinExt = d.ViewExt = QSize(1, 1);
  d.MappingChanged();
}

// ---------------------------------------------------------------------------------------------
// The Windows functions

int SetMapMode(TCanvas& canvas, int mode) {
  if (mode != MM_TEXT && mode != MM_LOMETRIC && mode != MM_ANISOTROPIC) return 0;
  auto& d = canvas.impl();
  const int old = d.MapMode;
  d.MapMode = mode;
  d.MappingChanged();
  return old;
}

int GetMapMode(const TCanvas& canvas) {
  return canvas.impl().MapMode;
}

bool SetWindowOrgEx(TCanvas& canvas, int x, int y, TPoint* old) {
  auto& d = canvas.impl();
  if (old) *old = {d.WinOrg.x(), d.WinOrg.y()};
  d.WinOrg = QPoint(x, y);
  d.MappingChanged();
  return true;
}

bool SetViewportOrgEx(TCanvas& canvas, int x, int y, TPoint* old) {
  auto& d = canvas.impl();
  if (old) *old = {d.ViewOrg.x(), d.ViewOrg.y()};
  d.ViewOrg = QPoint(x, y);
  d.MappingChanged();
  return true;
}

// The extents count in MM_ANISOTROPIC only; elsewhere they are kept and ignored, as the system does.
bool SetWindowExtEx(TCanvas& canvas, int x, int y, TSize* old) {
  auto& d = canvas.impl();
  if (old) *old = {d.WinExt.width(), d.WinExt.height()};
  if (x == 0 || y == 0) return false;
  if (d.MapMode != MM_ANISOTROPIC) return true;
  d.WinExt = QSize(x, y);
  d.MappingChanged();
  return true;
}

bool SetViewportExtEx(TCanvas& canvas, int x, int y, TSize* old) {
  auto& d = canvas.impl();
  if (old) *old = {d.ViewExt.width(), d.ViewExt.height()};
  if (x == 0 || y == 0) return false;
  if (d.MapMode != MM_ANISOTROPIC) return true;
  d.ViewExt = QSize(x, y);
  d.MappingChanged();
  return true;
}

bool LPtoDP(const TCanvas& canvas, TPoint* points, int count) {
  const QTransform m = canvas.impl().Mapping();
  for (int i = 0; i < count; ++i) {
    const QPointF p = m.map(QPointF(points[i].X, points[i].Y));
    points[i] = {static_cast<int>(std::lround(p.x())), static_cast<int>(std::lround(p.y()))};
  }
  return true;
}

bool DPtoLP(const TCanvas& canvas, TPoint* points, int count) {
  bool invertible = false;
  const QTransform m = canvas.impl().Mapping().inverted(&invertible);
  if (!invertible) return false;
  for (int i = 0; i < count; ++i) {
    const QPointF p = m.map(QPointF(points[i].X, points[i].Y));
    points[i] = {static_cast<int>(std::lround(p.x())), static_cast<int>(std::lround(p.y()))};
  }
  return true;
}

int GetDeviceCaps(const TCanvas& canvas, int index) {
  const auto& d = canvas.impl();
  const QSize s = d.Surface();
  switch (index) {
  case TECHNOLOGY:
    return d.Printer ? DT_RASPRINTER : DT_RASDISPLAY;
  case HORZSIZE:
    return static_cast<int>(std::lround(s.width() * 25.4 / d.DpiX));
  case VERTSIZE:
    return static_cast<int>(std::lround(s.height() * 25.4 / d.DpiY));
  case HORZRES:
    return s.width();
  case VERTRES:
    return s.height();
  case BITSPIXEL:
    return 32;
  case PLANES:
    return 1;
  case LOGPIXELSX:
    return d.DpiX;
  case LOGPIXELSY:
    return d.DpiY;
  case PHYSICALWIDTH:
    return d.Printer ? d.Physical.width() : 0;
  case PHYSICALHEIGHT:
    return d.Printer ? d.Physical.height() : 0;
  case PHYSICALOFFSETX:
    return d.Printer ? d.PhysicalOffset.x() : 0;
  case PHYSICALOFFSETY:
    return d.Printer ? d.PhysicalOffset.y() : 0;
  default:
    return 0;
  }
}

// ---------------------------------------------------------------------------------------------
// Drawing through a scaled mapping

namespace {

TRect Normal(const TRect& r) {
  return {std::min(r.Left, r.Right), std::min(r.Top, r.Bottom), std::max(r.Left, r.Right),
          std::max(r.Top, r.Bottom)};
}

int Sign(double v) {
  return v < 0 ? -1 : 1;
}

// A pen in logical units; at least one device pixel wide.
QPen MappedPen(const TCanvas& canvas) {
  const TPen& pen = canvas.Pen();
  const QTransform m = canvas.impl().Mapping();
  const double scale = std::min(std::abs(m.m11()), std::abs(m.m22()));
  QPen q(QColor(ToQRgb(pen.Color())), pen.Width(), Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
  if (pen.Width() * scale < 1.5) q.setWidth(0); // cosmetic: one device pixel
  q.setStyle(QtPenStyle(pen.Style()));
  return q;
}

// Upright text space at a logical point: device scale, the origin on that point, y downward.
QTransform TextSpace(const TCanvas::Impl& d, double x, double y) {
  const QTransform m = d.Mapping();
  const QPointF at = m.map(QPointF(x, y));
  return QTransform::fromScale(std::abs(m.m11()), std::abs(m.m22())) *
         QTransform::fromTranslate(at.x(), at.y()) * d.BaseTransform;
}

// Runs `draw` in upright text space at (x, y); the canvas's own text code draws there.
template <class F> void InTextSpace(TCanvas& canvas, int x, int y, F draw) {
  auto& d = canvas.impl();
  QPainter* p = d.Painter();
  if (p) {
    p->save();
    p->setTransform(TextSpace(d, x, y));
  }
  d.InTextSpace = true;
  draw();
  d.InTextSpace = false;
  if (p) p->restore();
}

} // namespace

bool MappedLineTo(TCanvas& canvas, TPoint from, TPoint to) {
  QPainter* p = canvas.impl().Painter();
  if (!p) return true;
  p->setCompositionMode(PenModeComposition(canvas.Pen().Mode()));
  p->setPen(MappedPen(canvas));
  p->drawLine(QPointF(from.X, from.Y), QPointF(to.X, to.Y));
  p->setCompositionMode(QPainter::CompositionMode_SourceOver);
  return true;
}

void MappedRectangle(TCanvas& canvas, const TRect& rect) {
  QPainter* p = canvas.impl().Painter();
  if (!p) return;
  const TRect r = Normal(rect);
  if (r.IsEmpty()) return;
  const QRectF box(r.Left, r.Top, r.Width(), r.Height());
  p->setCompositionMode(PenModeComposition(canvas.Pen().Mode()));
  if (canvas.Brush().Style() != bsClear) p->fillRect(box, QColor(ToQRgb(canvas.Brush().Color())));
  if (canvas.Pen().Style() != psClear && canvas.Pen().Mode() != pmNop) {
    p->setBrush(Qt::NoBrush);
    p->setPen(MappedPen(canvas));
    p->drawRect(box);
  }
  p->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

TRect MappedNormal(const TRect& r) {
  return Normal(r);
}

void MappedTextOut(TCanvas& canvas, int x, int y, const std::string& text) {
  const int width = canvas.TextWidth(text);
  InTextSpace(canvas, x, y, [&] { canvas.TextOut(0, 0, text); });
  canvas.SetPenPos({x + Sign(canvas.impl().Mapping().m11()) * width, y});
}

void RotatedTextOut(TCanvas& canvas, int x, int y, int escapement, const std::string& text) {
  TDrawCallScope call(canvas, TDrawCallKind::Text, {x, y, x, y}, text, escapement);
  if (escapement % 3600 == 0) return canvas.TextOut(x, y, text);
  auto& d = canvas.impl();
  QPainter* p = d.Painter();
  if (p) {
    p->save();
    p->setTransform(QTransform().rotate(-escapement / 10.0) * TextSpace(d, x, y));
  }
  d.InTextSpace = true;
  canvas.TextOut(0, 0, text);
  d.InTextSpace = false;
  if (p) p->restore();
}

void MappedTextRect(TCanvas& canvas, const TRect& r, int x, int y, const std::string& text) {
  const QTransform m = canvas.impl().Mapping();
  const int sx = Sign(m.m11()), sy = Sign(m.m22());
  const TRect local = Normal({(r.Left - x) * sx, (r.Top - y) * sy, (r.Right - x) * sx, (r.Bottom - y) * sy});
  InTextSpace(canvas, x, y, [&] { canvas.TextRect(local, 0, 0, text); });
}

void MappedStretchDraw(TCanvas& canvas, const TRect& dest, const TBitmap& bitmap) {
  auto& d = canvas.impl();
  QPainter* p = d.Painter();
  if (!p || bitmap.Empty() || dest.Left == dest.Right || dest.Top == dest.Bottom) return;
  QImage picture = BitmapImage(bitmap).convertToFormat(QImage::Format_ARGB32);
  if (bitmap.Transparent()) {
    const QRgb key = ToQRgb(bitmap.TransparentColor()) & 0xFFFFFFu;
    for (int y = 0; y < picture.height(); ++y) {
      auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
      for (int x = 0; x < picture.width(); ++x)
        if ((row[x] & 0xFFFFFFu) == key) row[x] = 0;
    }
  }
  const QRect target = d.ToDevice(dest);
  p->save();
  p->setTransform(d.BaseTransform);
  p->setCompositionMode(QPainter::CompositionMode_SourceOver);
  p->drawImage(target, picture);
  p->restore();
}

int MappedDrawText(TCanvas& canvas, const std::string& text, TRect& r, unsigned flags) {
  const QTransform m = canvas.impl().Mapping();
  const int sx = Sign(m.m11()), sy = Sign(m.m22());
  TRect local{0, 0, (r.Right - r.Left) * sx, (r.Bottom - r.Top) * sy};
  int result = 0;
  InTextSpace(canvas, r.Left, r.Top, [&] { result = canvas.DrawText(text, local, flags); });
  if (flags & DT_CALCRECT) {
    r.Right = r.Left + local.Right * sx;
    r.Bottom = r.Top + local.Bottom * sy;
  }
  return result;
}

Qt::PenStyle QtPenStyle(TPenStyle style) {
  switch (style) {
  case psDash:
    return Qt::DashLine;
  case psDot:
    return Qt::DotLine;
  case psDashDot:
    return Qt::DashDotLine;
  case psDashDotDot:
    return Qt::DashDotDotLine;
  case psClear:
    return Qt::NoPen;
  default:
    return Qt::SolidLine;
  }
}
