// Canvas state, shapes, pixels and clipping.
#include "platform/ui/GraphicsImpl.h"

#include <QPaintDevice>

#include <algorithm>
#include <cstdlib>

// ---------------------------------------------------------------------------------------------
// Backend state

QSize TCanvas::Impl::Surface() const {
  if (Image) return Image->size();
  if (External && External->device()) return QSize(External->device()->width(), External->device()->height());
  return {};
}

QRegion TCanvas::Impl::DrawableRegion() const {
  QRegion all(QRect(QPoint(0, 0), Surface()));
  return HasClip ? all.intersected(Clip) : all;
}

void TCanvas::Impl::ApplyState(QPainter& p) {
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setRenderHint(QPainter::TextAntialiasing, false);
  p.setRenderHint(QPainter::SmoothPixmapTransform, false);
  p.setTransform(BaseTransform);
  if (External) {
    if (HasClip) {
      QRegion clip = Clip;
      p.setClipRegion(BaseHasClip ? clip.intersected(BaseClip) : clip);
    } else if (BaseHasClip) {
      p.setClipRegion(BaseClip);
    } else {
      p.setClipping(false);
    }
  } else if (HasClip) {
    p.setClipRegion(Clip);
  } else {
    p.setClipping(false);
  }
  p.setTransform(QTransform::fromTranslate(-Org.x(), -Org.y()) * BaseTransform);
}

QPainter* TCanvas::Impl::Painter() {
  if (External) return External;
  if (!Own && !PixelImage()) return nullptr;
  if (!Own) {
    Own = std::make_unique<QPainter>();
    if (!Own->begin(Image)) {
      Own.reset();
      return nullptr;
    }
    ApplyState(*Own);
  }
  return Own.get();
}

void TCanvas::Impl::EndPainter() {
  if (Own) {
    Own->end();
    Own.reset();
  }
}

void TCanvas::Impl::StateChanged() {
  if (External)
    ApplyState(*External);
  else if (Own)
    ApplyState(*Own);
}

std::uint32_t* TCanvas::Impl::MutableBits() {
  if (!PixelImage()) return nullptr;
  if (!Image->isDetached()) EndPainter();
  return reinterpret_cast<std::uint32_t*>(Image->bits());
}

void TCanvas::Impl::SyncBrush() {
  const TBrush& b = Owner.Brush();
  if (b.Color() == SeenBrushColor && b.Style() == SeenBrushStyle) return;
  SeenBrushColor = b.Color();
  SeenBrushStyle = b.Style();
  // As the framework selects a brush: a solid one makes text opaque on the brush colour.
  if (b.Style() == bsSolid) {
    BkMode = OPAQUE;
    BkColor = b.Color();
  } else {
    BkMode = TRANSPARENT;
    BkColor = ColorToRGB(b.Color()) ^ 0xFFFFFFu;
  }
}

const QFont& TCanvas::Impl::Font() {
  if (!CachedFor || !CachedFor->SameAs(Owner.Font())) {
    CachedFor.emplace(Owner.Font());
    CachedFont = ToQFont(Owner.Font());
    CachedMetrics.reset();
    CachedWidths.clear();
  }
  return CachedFont;
}

int TCanvas::Impl::TextAdvance(const QString& text) {
  const QFontMetrics& m = Metrics(); // checks the font first
  if (auto it = CachedWidths.constFind(text); it != CachedWidths.constEnd()) return *it;
  if (CachedWidths.size() >= 2048) CachedWidths.clear();
  const int width = m.horizontalAdvance(text);
  CachedWidths.insert(text, width);
  return width;
}

const QFontMetrics& TCanvas::Impl::Metrics() {
  const QFont& f = Font();
  if (!CachedMetrics) CachedMetrics.emplace(f);
  return *CachedMetrics;
}

// ---------------------------------------------------------------------------------------------
// Binding to a foreign painter

TCanvasBinding::TCanvasBinding(TCanvas& canvas, QPainter& painter) : FCanvas(canvas) {
  auto& d = canvas.impl();
  d.EndPainter();
  painter.save();
  d.External = &painter;
  d.BaseTransform = painter.transform();
  d.BaseHasClip = painter.hasClipping();
  d.BaseClip = d.BaseHasClip ? painter.clipRegion() : QRegion();
  d.ApplyState(painter);
}

TCanvasBinding::~TCanvasBinding() {
  auto& d = FCanvas.impl();
  if (d.External) d.External->restore();
  d.External = nullptr;
  d.BaseTransform = QTransform();
  d.BaseHasClip = false;
  d.BaseClip = QRegion();
}

// ---------------------------------------------------------------------------------------------
// Canvas

TCanvas::TCanvas() : d(std::make_unique<Impl>(*this)) {}
TCanvas::~TCanvas() = default;

bool TCanvas::HandleAllocated() const {
  return d->Bound();
}

TSize TCanvas::SurfaceSize() const {
  QSize s = d->Surface();
  return {s.width(), s.height()};
}

namespace {

// Dash lengths of the styled one-pixel pens (on, off, on, off ...).
std::vector<int> PenPattern(TPenStyle style) {
  switch (style) {
  case psDash:
    return {18, 6};
  case psDot:
    return {3, 3};
  case psDashDot:
    return {9, 6, 3, 6};
  case psDashDotDot:
    return {9, 3, 3, 3, 3, 3};
  default:
    return {};
  }
}

// Pixels of a line from (x0, y0) towards (x1, y1), without the end point.
void LinePixels(int x0, int y0, int x1, int y1, std::vector<QPoint>& out) {
  int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
  int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  while (x0 != x1 || y0 != y1) {
    out.emplace_back(x0, y0);
    int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x0 += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y0 += sy;
    }
  }
}

QColor PenColorFor(const TPen& pen) {
  if (pen.Mode() == pmBlack) return Qt::black;
  if (pen.Mode() == pmWhite) return Qt::white;
  if (pen.Mode() == pmNot) return Qt::white; // the source does not count
  return QColor(ToQRgb(pen.Color()));
}

QBrush ToQBrush(const TBrush& brush) {
  const QColor color(ToQRgb(brush.Color()));
  switch (brush.Style()) {
  case bsClear:
    return Qt::NoBrush;
  case bsHorizontal:
    return QBrush(color, Qt::HorPattern);
  case bsVertical:
    return QBrush(color, Qt::VerPattern);
  case bsFDiagonal:
    return QBrush(color, Qt::BDiagPattern);
  case bsBDiagonal:
    return QBrush(color, Qt::FDiagPattern);
  case bsCross:
    return QBrush(color, Qt::CrossPattern);
  case bsDiagCross:
    return QBrush(color, Qt::DiagCrossPattern);
  default:
    return QBrush(color);
  }
}

} // namespace

// Draws pixel runs of a one-pixel pen with its style; gaps take the background colour when opaque.
static void PlotPenPixels(TCanvas& canvas, QPainter& p, const std::vector<QPoint>& pixels) {
  const TPen& pen = canvas.Pen();
  if (pen.Mode() == pmNop || pixels.empty()) return;
  p.setCompositionMode(PenModeComposition(pen.Mode()));
  p.setBrush(Qt::NoBrush);
  const std::vector<int> pattern = PenPattern(pen.Style());
  if (pattern.empty()) {
    p.setPen(QPen(PenColorFor(pen), 0));
    p.drawPoints(pixels.data(), static_cast<int>(pixels.size()));
  } else {
    std::vector<QPoint> on, off;
    std::size_t seg = 0;
    int left = pattern[0];
    for (const QPoint& px : pixels) {
      (seg % 2 == 0 ? on : off).push_back(px);
      if (--left == 0) {
        seg = (seg + 1) % pattern.size();
        left = pattern[seg];
      }
    }
    p.setPen(QPen(PenColorFor(pen), 0));
    if (!on.empty()) p.drawPoints(on.data(), static_cast<int>(on.size()));
    auto& d = canvas.impl();
    d.SyncBrush();
    if (d.BkMode == OPAQUE && !off.empty()) {
      p.setPen(QPen(QColor(ToQRgb(d.BkColor)), 0));
      p.drawPoints(off.data(), static_cast<int>(off.size()));
    }
  }
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

// A wide or special pen as Qt draws it.
static QPen WidePen(const TPen& pen) {
  QPen q(PenColorFor(pen), pen.Width(), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  switch (pen.Style()) {
  case psDash:
    q.setStyle(Qt::DashLine);
    break;
  case psDot:
    q.setStyle(Qt::DotLine);
    break;
  case psDashDot:
    q.setStyle(Qt::DashDotLine);
    break;
  case psDashDotDot:
    q.setStyle(Qt::DashDotDotLine);
    break;
  default:
    break;
  }
  return q;
}

static bool PenVisible(const TPen& pen) {
  return pen.Style() != psClear && pen.Mode() != pmNop;
}

void TCanvas::LineTo(int x, int y) {
  const TPoint from = FPenPos;
  FPenPos = {x, y};
  QPainter* p = d->Painter();
  if (!p || !PenVisible(FPen)) return;
  const bool straight = from.X == x || from.Y == y;
  if (FPen.Width() <= 1 && straight && PenPattern(FPen.Style()).empty() && FPen.Mode() != pmNop) {
    // Grid lines: one run of pixels, end point left out.
    if (from.X == x && from.Y == y) return;
    const QRect run = from.Y == y ? QRect(std::min(from.X, x + 1), y, std::abs(x - from.X), 1)
                                  : QRect(x, std::min(from.Y, y + 1), 1, std::abs(y - from.Y));
    p->setCompositionMode(PenModeComposition(FPen.Mode()));
    p->fillRect(run, PenColorFor(FPen));
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
  } else if (FPen.Width() <= 1) {
    std::vector<QPoint> pixels;
    LinePixels(from.X, from.Y, x, y, pixels);
    PlotPenPixels(*this, *p, pixels);
  } else {
    p->setCompositionMode(PenModeComposition(FPen.Mode()));
    p->setPen(WidePen(FPen));
    p->drawLine(from.X, from.Y, x, y);
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
  }
}

void TCanvas::Polyline(const std::vector<TPoint>& points) {
  if (points.empty()) return;
  const TPoint keep = FPenPos;
  MoveTo(points[0].X, points[0].Y);
  for (std::size_t i = 1; i < points.size(); ++i)
    LineTo(points[i].X, points[i].Y);
  FPenPos = keep; // Polyline leaves the pen position alone
}

void TCanvas::Polygon(const std::vector<TPoint>& points) {
  QPainter* p = d->Painter();
  if (!p || points.size() < 2) return;
  QPolygon poly;
  for (const TPoint& pt : points)
    poly << QPoint(pt.X, pt.Y);
  if (FBrush.Style() != bsClear && points.size() >= 3) {
    p->setCompositionMode(PenModeComposition(FPen.Mode()));
    p->setPen(Qt::NoPen);
    p->setBrush(ToQBrush(FBrush));
    p->setBackgroundMode(Qt::TransparentMode);
    p->drawPolygon(poly, Qt::OddEvenFill);
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
  }
  if (!PenVisible(FPen)) return;
  const TPoint keep = FPenPos;
  MoveTo(points[0].X, points[0].Y);
  for (std::size_t i = 1; i < points.size(); ++i)
    LineTo(points[i].X, points[i].Y);
  LineTo(points[0].X, points[0].Y);
  FPenPos = keep;
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  QPainter* p = d->Painter();
  if (!p) return;
  const TRect r = Normalized(x1, y1, x2, y2);
  if (r.IsEmpty()) return;
  const bool pen = PenVisible(FPen);
  const int border = pen ? std::min(FPen.Width(), (std::min(r.Width(), r.Height()) + 1) / 2) : 0;
  // Without a pen the fill stops one pixel short at the right and bottom, as on Windows.
  const TRect inner = pen ? TRect{r.Left + border, r.Top + border, r.Right - border, r.Bottom - border}
                          : TRect{r.Left, r.Top, r.Right - 1, r.Bottom - 1};
  if (FBrush.Style() != bsClear && !inner.IsEmpty()) {
    p->setCompositionMode(PenModeComposition(FPen.Mode()));
    p->setPen(Qt::NoPen);
    p->setBrush(ToQBrush(FBrush));
    p->setBackgroundMode(Qt::TransparentMode);
    p->drawRect(ToQRect(inner));
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
  }
  if (!pen) return;
  // Wide pens stay inside the box: nested one-pixel frames.
  for (int i = 0; i < border; ++i) {
    const int l = r.Left + i, t = r.Top + i, rr = r.Right - 1 - i, b = r.Bottom - 1 - i;
    std::vector<QPoint> pixels;
    if (l == rr || t == b) {
      LinePixels(l, t, rr, b, pixels);
      pixels.emplace_back(rr, b);
    } else {
      LinePixels(l, t, rr, t, pixels);
      LinePixels(rr, t, rr, b, pixels);
      LinePixels(rr, b, l, b, pixels);
      LinePixels(l, b, l, t, pixels);
    }
    PlotPenPixels(*this, *p, pixels);
  }
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int cornerWidth, int cornerHeight) {
  QPainter* p = d->Painter();
  if (!p) return;
  const TRect r = Normalized(x1, y1, x2, y2);
  if (r.Width() < 2 || r.Height() < 2) return Rectangle(r);
  const double rx = std::clamp(std::abs(cornerWidth) / 2.0, 0.0, (r.Width() - 1) / 2.0);
  const double ry = std::clamp(std::abs(cornerHeight) / 2.0, 0.0, (r.Height() - 1) / 2.0);
  p->setCompositionMode(PenModeComposition(FPen.Mode()));
  p->setBackgroundMode(Qt::TransparentMode);
  p->setBrush(ToQBrush(FBrush));
  if (PenVisible(FPen)) {
    QPen q = WidePen(FPen);
    if (FPen.Width() <= 1) q.setWidth(0);
    p->setPen(q);
  } else {
    p->setPen(Qt::NoPen);
  }
  p->drawRoundedRect(QRectF(r.Left, r.Top, r.Width() - 1, r.Height() - 1), rx, ry);
  p->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  QPainter* p = d->Painter();
  if (!p) return;
  const TRect r = Normalized(x1, y1, x2, y2);
  if (r.IsEmpty()) return;
  p->setCompositionMode(PenModeComposition(FPen.Mode()));
  p->setBackgroundMode(Qt::TransparentMode);
  p->setBrush(ToQBrush(FBrush));
  if (PenVisible(FPen)) {
    QPen q = WidePen(FPen);
    if (FPen.Width() <= 1) q.setWidth(0);
    p->setPen(q);
  } else {
    p->setPen(Qt::NoPen);
  }
  // Aliased Qt outlines cover width + 1 pixels; the box is exclusive.
  p->drawEllipse(QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1));
  p->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TCanvas::FillRect(const TRect& r) {
  QPainter* p = d->Painter();
  if (!p || r.IsEmpty() || FBrush.Style() == bsClear) return;
  p->setCompositionMode(QPainter::CompositionMode_SourceOver);
  p->setBackgroundMode(Qt::TransparentMode);
  p->fillRect(ToQRect(r), ToQBrush(FBrush));
}

void TCanvas::FrameRect(const TRect& r) {
  QPainter* p = d->Painter();
  if (!p || r.IsEmpty() || FBrush.Style() == bsClear) return;
  const QColor c(ToQRgb(FBrush.Color()));
  p->setCompositionMode(QPainter::CompositionMode_SourceOver);
  p->fillRect(QRect(r.Left, r.Top, r.Width(), 1), c);
  p->fillRect(QRect(r.Left, r.Bottom - 1, r.Width(), 1), c);
  p->fillRect(QRect(r.Left, r.Top, 1, r.Height()), c);
  p->fillRect(QRect(r.Right - 1, r.Top, 1, r.Height()), c);
}

void TCanvas::DrawFocusRect(const TRect& r) {
  QPainter* p = d->Painter();
  if (!p || r.IsEmpty()) return;
  // Every other pixel of the frame inverted, chosen by device position, so that a second call
  // restores the picture.
  std::vector<QPoint> pixels;
  auto add = [&](int x, int y) {
    if (((x - d->Org.x()) + (y - d->Org.y())) % 2 == 0) pixels.emplace_back(x, y);
  };
  for (int x = r.Left; x < r.Right; ++x) {
    add(x, r.Top);
    if (r.Bottom - 1 > r.Top) add(x, r.Bottom - 1);
  }
  for (int y = r.Top + 1; y < r.Bottom - 1; ++y) {
    add(r.Left, y);
    if (r.Right - 1 > r.Left) add(r.Right - 1, y);
  }
  if (pixels.empty()) return;
  p->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  p->setPen(QPen(Qt::white, 0));
  p->drawPoints(pixels.data(), static_cast<int>(pixels.size()));
  p->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

TColor TCanvas::Pixels(int x, int y) const {
  const QImage* img = d->PixelImage();
  if (!img) return clNone;
  const int dx = x - d->Org.x(), dy = y - d->Org.y();
  if (!img->valid(dx, dy)) return clNone;
  const QRgb c = img->pixel(dx, dy);
  return RGB(qRed(c), qGreen(c), qBlue(c));
}

void TCanvas::SetPixels(int x, int y, TColor color) {
  const int dx = x - d->Org.x(), dy = y - d->Org.y();
  if (QImage* img = d->PixelImage()) {
    if (!img->valid(dx, dy) || (d->HasClip && !d->Clip.contains(QPoint(dx, dy)))) return;
    std::uint32_t* bits = d->MutableBits();
    bits[static_cast<std::size_t>(dy) * (img->bytesPerLine() / 4) + dx] = ToQRgb(color);
    return;
  }
  if (QPainter* p = d->Painter()) {
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    p->setPen(QPen(QColor(ToQRgb(color)), 0));
    p->drawPoint(x, y);
  }
}

// ---------------------------------------------------------------------------------------------
// Clipping and state

TRect TCanvas::ClipRect() const {
  QRect box = d->DrawableRegion().boundingRect();
  if (box.isEmpty()) return {};
  return FromQRect(box.translated(d->Org));
}

void TCanvas::SetClipRect(const TRect& r) {
  d->HasClip = true;
  d->Clip = r.IsEmpty() ? QRegion() : QRegion(ToQRect(r).translated(-d->Org));
  d->StateChanged();
}

void TCanvas::IntersectClipRect(const TRect& r) {
  QRegion rect = r.IsEmpty() ? QRegion() : QRegion(ToQRect(r).translated(-d->Org));
  d->Clip = d->DrawableRegion().intersected(rect);
  d->HasClip = true;
  d->StateChanged();
}

void TCanvas::ExcludeClipRect(const TRect& r) {
  if (r.IsEmpty()) return;
  d->Clip = d->DrawableRegion().subtracted(QRegion(ToQRect(r).translated(-d->Org)));
  d->HasClip = true;
  d->StateChanged();
}

void TCanvas::ResetClip() {
  d->HasClip = false;
  d->Clip = QRegion();
  d->StateChanged();
}

void TCanvas::SelectClipRegion(const TRegion* region) {
  if (!region) return ResetClip();
  d->HasClip = true;
  d->Clip = region->impl().region;
  d->StateChanged();
}

bool TCanvas::HasClipRegion() const {
  return d->HasClip;
}

TPoint TCanvas::WindowOrg() const {
  return {d->Org.x(), d->Org.y()};
}

void TCanvas::SetWindowOrg(TPoint origin) {
  d->Org = QPoint(origin.X, origin.Y);
  d->StateChanged();
}

int TCanvas::BkMode() const {
  d->SyncBrush();
  return d->BkMode;
}

void TCanvas::SetBkMode(int mode) {
  d->SyncBrush();
  if (mode == TRANSPARENT || mode == OPAQUE) d->BkMode = mode;
}

TColor TCanvas::BkColor() const {
  d->SyncBrush();
  return d->BkColor;
}

void TCanvas::SetBkColor(TColor color) {
  d->SyncBrush();
  d->BkColor = color;
}

int TCanvas::SaveDC() {
  d->SyncBrush();
  d->SavedStates.push_back({FPen, FBrush, FFont, d->HasClip, d->Clip, d->Org, d->BkMode, d->BkColor,
                            d->SeenBrushColor, d->SeenBrushStyle});
  return static_cast<int>(d->SavedStates.size());
}

bool TCanvas::RestoreDC(int id) {
  const int count = static_cast<int>(d->SavedStates.size());
  if (id < 0) id = count + 1 + id;
  if (id < 1 || id > count) return false;
  Impl::Saved s = d->SavedStates[id - 1];
  d->SavedStates.resize(id - 1);
  FPen.Assign(s.Pen);
  FBrush.Assign(s.Brush);
  FFont.Assign(s.Font);
  d->HasClip = s.HasClip;
  d->Clip = s.Clip;
  d->Org = s.Org;
  d->BkMode = s.BkMode;
  d->BkColor = s.BkColor;
  d->SeenBrushColor = s.SeenBrushColor;
  d->SeenBrushStyle = s.SeenBrushStyle;
  d->StateChanged();
  return true;
}

// ---------------------------------------------------------------------------------------------
// The Windows functions on canvases

static int RegionKind(const TCanvas& c) {
  QRegion r = c.impl().DrawableRegion();
  if (r.isEmpty()) return NULLREGION;
  return r.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

int SelectClipRgn(TCanvas& canvas, const TRegion* region) {
  canvas.SelectClipRegion(region);
  return RegionKind(canvas);
}

int IntersectClipRect(TCanvas& canvas, int left, int top, int right, int bottom) {
  canvas.IntersectClipRect(Rect(left, top, right, bottom));
  return RegionKind(canvas);
}

int ExcludeClipRect(TCanvas& canvas, int left, int top, int right, int bottom) {
  canvas.ExcludeClipRect(Rect(left, top, right, bottom));
  return RegionKind(canvas);
}

int GetClipBox(const TCanvas& canvas, TRect& r) {
  r = canvas.ClipRect();
  return RegionKind(canvas);
}

void DrawFocusRect(TCanvas& canvas, const TRect& r) {
  canvas.DrawFocusRect(r);
}

void FillRect(TCanvas& canvas, const TRect& r, TColor color) {
  QPainter* p = canvas.impl().Painter();
  if (!p || r.IsEmpty()) return;
  p->setCompositionMode(QPainter::CompositionMode_SourceOver);
  p->fillRect(ToQRect(r), QColor(ToQRgb(color)));
}

void FrameRect(TCanvas& canvas, const TRect& r, TColor color) {
  TBrush keep;
  keep.Assign(canvas.Brush());
  canvas.Brush().SetColor(color);
  canvas.Brush().SetStyle(bsSolid);
  canvas.FrameRect(r);
  canvas.Brush().Assign(keep);
}

void InvertRect(TCanvas& canvas, const TRect& r) {
  QPainter* p = canvas.impl().Painter();
  if (!p || r.IsEmpty()) return;
  p->setCompositionMode(QPainter::RasterOp_NotDestination);
  p->fillRect(ToQRect(r), Qt::white);
  p->setCompositionMode(QPainter::CompositionMode_SourceOver);
}
