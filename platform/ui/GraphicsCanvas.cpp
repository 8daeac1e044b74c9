// Canvas state, shapes, pixels and clipping.
#include "platform/ui/GraphicsImpl.h"

#include <QPaintDevice>

#include <algorithm>
#include <cassert>
#include <cstdio>
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
  // A paint's region comes as the bound painter's clip.
  if (External && BaseHasClip) all = all.intersected(BaseClip);
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
  p.setTransform((Scaled() ? Mapping() : QTransform::fromTranslate(-Org.x(), -Org.y())) * BaseTransform);
}

QPainter* TCanvas::Impl::Painter() {
  if (External) return External;
  if (ControlName && !Image) {
    ReportUnboundDrawing(ControlName());
    return nullptr;
  }
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

TCanvas::Impl::FontEntry& TCanvas::Impl::CurrentFont() {
  const TFont& font = Owner.Font();
  if (!Fonts.empty() && Fonts.front()->Matches(font)) return *Fonts.front();
  auto it = std::find_if(Fonts.begin(), Fonts.end(), [&](const auto& e) { return e->Matches(font); });
  if (it == Fonts.end()) {
    constexpr size_t kept = 4;
    if (Fonts.size() >= kept) Fonts.pop_back();
    auto entry = std::make_unique<FontEntry>();
    entry->Name = font.Name();
    entry->Height = font.Height();
    entry->Style = font.Style();
    entry->Pitch = font.Pitch();
    entry->Font = ToQFont(font);
    if (const double scale = FontScale(); scale != 1.0)
      entry->Font.setPixelSize(std::max(1, static_cast<int>(std::lround(FontPixelSize(font) * scale))));
    Fonts.insert(Fonts.begin(), std::move(entry));
  } else {
    std::rotate(Fonts.begin(), it, it + 1);
  }
  return *Fonts.front();
}

const QFont& TCanvas::Impl::Font() {
  return CurrentFont().Font;
}

namespace {

// Texts a one-line layout draws exactly as QPainter::drawText does: no controls, nothing written
// right to left or needing complex shaping, no lines drawn through or under the glyphs.
bool DrawsAsLaidOut(const QString& text, const QFont& font) {
  if (font.underline() || font.strikeOut() || font.overline()) return false;
  return std::all_of(text.begin(), text.end(), [](QChar c) {
    const char16_t u = c.unicode();
    return u >= 0x20 && (u < 0x7F || u > 0x9F) && u < 0x0590;
  });
}

} // namespace

int TCanvas::Impl::TextAdvance(const QString& text) {
  FontEntry& e = CurrentFont();
  if (auto it = e.Widths.constFind(text); it != e.Widths.constEnd()) return *it;
  if (e.Widths.size() >= 2048) e.Widths.clear();
  int width = 0;
  if (External && DrawsAsLaidOut(text, e.Font)) {
    // Measured while painting, so most likely drawn next: shaped once, for both.
    auto layout = std::make_unique<QTextLayout>(text, e.Font);
    QTextOption option;
    option.setTextDirection(Qt::LeftToRight);
    option.setAlignment(Qt::AlignLeft);
    layout->setTextOption(option);
    layout->setCacheEnabled(true); // keeps the shaped glyphs for drawing
    layout->beginLayout();
    QTextLine line = layout->createLine();
    line.setLineWidth(0x01000000); // never wrapped
    layout->endLayout();
    width = qRound(line.horizontalAdvance());
    constexpr std::size_t kept = 8;
    if (e.Shaped.size() >= kept) e.Shaped.erase(e.Shaped.begin());
    e.Shaped.emplace_back(text, std::move(layout));
  } else {
    if (!e.Metrics) e.Metrics.emplace(e.Font);
    width = e.Metrics->horizontalAdvance(text);
  }
  e.Widths.insert(text, width);
  return width;
}

const QTextLayout* TCanvas::Impl::ShapedText(const QString& text) {
  FontEntry& e = CurrentFont();
  for (auto it = e.Shaped.rbegin(); it != e.Shaped.rend(); ++it)
    if (it->first == text) return it->second.get();
  return nullptr;
}

const QFontMetrics& TCanvas::Impl::Metrics() {
  FontEntry& e = CurrentFont();
  if (!e.Metrics) e.Metrics.emplace(e.Font);
  return *e.Metrics;
}

// ---------------------------------------------------------------------------------------------
// Binding to a foreign painter

void MarkControlCanvas(TCanvas& canvas, std::function<std::string()> who) {
  canvas.impl().ControlName = std::move(who);
}

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

// The pixels of one-pixel pen strokes, sorted into the dashes and gaps of the pen's pattern as
// they are walked. Only pixels inside `bounds` are kept; lines reaching far outside are walked
// only where they can meet the bounds, so no stroke costs more than the surface it is drawn on.
class TPenPixels {
public:
  TPenPixels(std::vector<int> pattern, const QRect& bounds) : FPattern(std::move(pattern)), FBounds(bounds) {
    for (int n : FPattern)
      FCycle += n;
    if (!FPattern.empty()) FLeft = FPattern[0];
  }

  // A line from (x0, y0) towards (x1, y1), without the end point.
  void Line(long long x0, long long y0, long long x1, long long y1) {
    const long long dx = std::abs(x1 - x0), dy = std::abs(y1 - y0);
    const long long major = std::max(dx, dy);
    if (major == 0) return;
    long long from = 0, to = major;
    if (major > ExactWalk && !Reach(x0, y0, x1, y1, major, from, to)) {
      Skip(major);
      return;
    }
    Skip(from);
    const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    // The walk's state after `from` steps: the minor axis has moved to the nearest pixel (halves
    // round up), and the error term follows from the steps made on each axis.
    using Wide = __int128;
    const Wide minorLen = dx >= dy ? dy : dx;
    const long long minor = static_cast<long long>((2 * Wide(from) * minorLen + major) / (2 * Wide(major)));
    const long long ix = dx >= dy ? from : minor, iy = dx >= dy ? minor : from;
    long long x = x0 + sx * ix, y = y0 + sy * iy;
    long long err = static_cast<long long>(Wide(dx) - dy - Wide(ix) * dy + Wide(iy) * dx);
    for (long long i = from; i < to; ++i) {
      Add(x, y);
      const long long e2 = 2 * err;
      if (e2 >= -dy) {
        err -= dy;
        x += sx;
      }
      if (e2 <= dx) {
        err += dx;
        y += sy;
      }
    }
    Skip(major - to);
  }
  void Point(long long x, long long y) { Add(x, y); }

  std::vector<QPoint> On, Off;

private:
  // Lines up to this length are walked whole, pixel for pixel as always.
  static constexpr long long ExactWalk = 1 << 16;

  void Add(long long x, long long y) {
    bool on = true;
    if (!FPattern.empty()) {
      on = FSeg % 2 == 0;
      if (--FLeft == 0) Next();
    }
    if (x >= FBounds.left() && x <= FBounds.right() && y >= FBounds.top() && y <= FBounds.bottom())
      (on ? On : Off).emplace_back(static_cast<int>(x), static_cast<int>(y));
  }
  void Next() {
    FSeg = (FSeg + 1) % FPattern.size();
    FLeft = FPattern[FSeg];
  }
  // Moves the pattern on by n pixels that are not drawn.
  void Skip(long long n) {
    if (FPattern.empty() || n <= 0) return;
    if (n >= FLeft) {
      n -= FLeft;
      Next();
      n %= FCycle;
    }
    while (n >= FLeft) {
      n -= FLeft;
      Next();
    }
    FLeft -= n;
  }
  // The steps [from, to) of the line that come near the bounds; false when none does.
  bool Reach(long long x0, long long y0, long long x1, long long y1, long long major, long long& from,
             long long& to) const {
    double t0 = 0, t1 = 1;
    const double dx = double(x1 - x0), dy = double(y1 - y0);
    auto clip = [&](double p, double q) {
      if (p == 0) return q >= 0;
      const double t = q / p;
      if (p < 0) {
        if (t > t1) return false;
        t0 = std::max(t0, t);
      } else {
        if (t < t0) return false;
        t1 = std::min(t1, t);
      }
      return true;
    };
    const double m = 2; // margin for the rounding of the restart
    if (!clip(-dx, double(x0) - (FBounds.left() - m)) || !clip(dx, (FBounds.right() + m) - double(x0)) ||
        !clip(-dy, double(y0) - (FBounds.top() - m)) || !clip(dy, (FBounds.bottom() + m) - double(y0)))
      return false;
    from = std::clamp<long long>(static_cast<long long>(t0 * double(major)) - 2, 0, major);
    to = std::clamp<long long>(static_cast<long long>(t1 * double(major)) + 3, from, major);
    return true;
  }

  std::vector<int> FPattern;
  long long FCycle = 0;
  std::size_t FSeg = 0;
  long long FLeft = 0;
  QRect FBounds;
};

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

// The strokes of a one-pixel pen on this canvas: its pattern, and the pixels that can show.
static TPenPixels PenPixelsFor(const TCanvas& canvas) {
  auto& d = canvas.impl();
  QRect bounds = d.DrawableRegion().boundingRect().translated(d.Org);
  return TPenPixels(PenPattern(canvas.Pen().Style()), bounds);
}

// Draws the pixels of a one-pixel pen; gaps take the background colour when opaque.
static void PlotPenPixels(TCanvas& canvas, QPainter& p, const TPenPixels& pixels) {
  const TPen& pen = canvas.Pen();
  if (pen.Mode() == pmNop || (pixels.On.empty() && pixels.Off.empty())) return;
  p.setCompositionMode(PenModeComposition(pen.Mode()));
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(PenColorFor(pen), 0));
  if (!pixels.On.empty()) p.drawPoints(pixels.On.data(), static_cast<int>(pixels.On.size()));
  auto& d = canvas.impl();
  d.SyncBrush();
  if (d.BkMode == OPAQUE && !pixels.Off.empty()) {
    p.setPen(QPen(QColor(ToQRgb(d.BkColor)), 0));
    p.drawPoints(pixels.Off.data(), static_cast<int>(pixels.Off.size()));
  }
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

// A wide or special pen as Qt draws it.
static QPen WidePen(const TPen& pen) {
  QPen q(PenColorFor(pen), pen.Width(), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  if (pen.Style() != psClear) q.setStyle(QtPenStyle(pen.Style()));
  return q;
}

static bool PenVisible(const TPen& pen) {
  return pen.Style() != psClear && pen.Mode() != pmNop;
}

// Sets the painter up for a shape in the pen's mode: filled with the brush, outlined by the pen
// when asked (one-pixel pens as Qt's cosmetic pen).
static void PrepareShape(QPainter& p, const TPen& pen, const TBrush& brush, bool outline) {
  p.setCompositionMode(PenModeComposition(pen.Mode()));
  p.setBackgroundMode(Qt::TransparentMode);
  p.setBrush(ToQBrush(brush));
  if (outline) {
    QPen q = WidePen(pen);
    if (pen.Width() <= 1) q.setWidth(0);
    p.setPen(q);
  } else {
    p.setPen(Qt::NoPen);
  }
}

namespace {
TRect PolygonBox(const std::vector<TPoint>& points) {
  if (points.empty()) return {};
  TRect r{points[0].X, points[0].Y, points[0].X, points[0].Y};
  for (const TPoint& p : points)
    r = {std::min(r.Left, p.X), std::min(r.Top, p.Y), std::max(r.Right, p.X), std::max(r.Bottom, p.Y)};
  return r;
}
} // namespace

void TCanvas::LineTo(int x, int y) {
  TDrawCallScope call(*this, TDrawCallKind::Line, {FPenPos.X, FPenPos.Y, x, y});
  const TPoint from = FPenPos;
  FPenPos = {x, y};
  QPainter* p = d->Painter();
  if (!p || !PenVisible(FPen)) return;
  if (d->Scaled()) {
    MappedLineTo(*this, from, {x, y});
    return;
  }
  const bool straight = from.X == x || from.Y == y;
  if (FPen.Width() <= 1 && straight && PenPattern(FPen.Style()).empty() && FPen.Mode() != pmNop) {
    // Grid lines: one run of pixels, end point left out.
    if (from.X == x && from.Y == y) return;
    long long a = from.Y == y ? from.X : from.Y, z = from.Y == y ? x : y; // along the line
    long long first = z < a ? z + 1 : a, last = z < a ? a : z - 1;
    // Kept to the surface only to stay finite: the painter's clip cuts the rest.
    const QRect bounds = QRect(QPoint(0, 0), d->Surface()).translated(d->Org);
    const bool horizontal = from.Y == y;
    first = std::max<long long>(first, (horizontal ? bounds.left() : bounds.top()) - 1LL);
    last = std::min<long long>(last, (horizontal ? bounds.right() : bounds.bottom()) + 1LL);
    if (first > last) return;
    const int f = static_cast<int>(first), l = static_cast<int>(last);
    const QRect run = horizontal ? QRect(QPoint(f, y), QPoint(l, y)) : QRect(QPoint(x, f), QPoint(x, l));
    p->setCompositionMode(PenModeComposition(FPen.Mode()));
    p->fillRect(run, PenColorFor(FPen));
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
  } else if (FPen.Width() <= 1) {
    TPenPixels pixels = PenPixelsFor(*this);
    pixels.Line(from.X, from.Y, x, y);
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
  TDrawCallScope call(*this, TDrawCallKind::Polygon, PolygonBox(points));
  QPainter* p = d->Painter();
  if (!p || points.size() < 2) return;
  QPolygon poly;
  for (const TPoint& pt : points)
    poly << QPoint(pt.X, pt.Y);
  if (FBrush.Style() != bsClear && points.size() >= 3) {
    PrepareShape(*p, FPen, FBrush, false);
    p->drawPolygon(poly, Qt::OddEvenFill);
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
  }
  if (!PenVisible(FPen)) return;
  std::vector<TPoint> ring = points;
  ring.push_back(points[0]);
  Polyline(ring);
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  TDrawCallScope call(*this, TDrawCallKind::Rectangle, {x1, y1, x2, y2});
  if (d->Scaled()) return MappedRectangle(*this, Rect(x1, y1, x2, y2));
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
    PrepareShape(*p, FPen, FBrush, false);
    p->drawRect(ToQRect(inner));
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
  }
  if (!pen) return;
  if (PenPattern(FPen.Style()).empty()) {
    // A solid pen: each frame as four runs of pixels that do not overlap (as the walk plots them).
    d->SyncBrush();
    const QRect bounds = d->DrawableRegion().boundingRect().translated(d->Org).adjusted(-1, -1, 1, 1);
    const QColor color = PenColorFor(FPen);
    p->setCompositionMode(PenModeComposition(FPen.Mode()));
    auto run = [&](int left, int top, int right, int bottom) {
      const QRect part = QRect(QPoint(left, top), QPoint(right, bottom)) & bounds;
      if (!part.isEmpty()) p->fillRect(part, color);
    };
    for (int i = 0; i < border; ++i) {
      const int l = r.Left + i, t = r.Top + i, rr = r.Right - 1 - i, b = r.Bottom - 1 - i;
      if (l == rr || t == b) {
        run(l, t, rr, b);
      } else {
        run(l, t, rr - 1, t);
        run(rr, t, rr, b - 1);
        run(l + 1, b, rr, b);
        run(l, t + 1, l, b);
      }
    }
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    return;
  }
  // Wide pens stay inside the box: nested one-pixel frames.
  for (int i = 0; i < border; ++i) {
    const long long l = r.Left + i, t = r.Top + i, rr = r.Right - 1LL - i, b = r.Bottom - 1LL - i;
    TPenPixels pixels = PenPixelsFor(*this);
    if (l == rr || t == b) {
      pixels.Line(l, t, rr, b);
      pixels.Point(rr, b);
    } else {
      pixels.Line(l, t, rr, t);
      pixels.Line(rr, t, rr, b);
      pixels.Line(rr, b, l, b);
      pixels.Line(l, b, l, t);
    }
    PlotPenPixels(*this, *p, pixels);
  }
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int cornerWidth, int cornerHeight) {
  TDrawCallScope call(*this, TDrawCallKind::Rectangle, {x1, y1, x2, y2});
  QPainter* p = d->Painter();
  if (!p) return;
  const TRect r = Normalized(x1, y1, x2, y2);
  if (r.Width() < 2 || r.Height() < 2) return Rectangle(r);
  const double rx = std::clamp(std::abs(cornerWidth) / 2.0, 0.0, (r.Width() - 1) / 2.0);
  const double ry = std::clamp(std::abs(cornerHeight) / 2.0, 0.0, (r.Height() - 1) / 2.0);
  PrepareShape(*p, FPen, FBrush, PenVisible(FPen));
  p->drawRoundedRect(QRectF(r.Left, r.Top, r.Width() - 1, r.Height() - 1), rx, ry);
  p->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  TDrawCallScope call(*this, TDrawCallKind::Ellipse, {x1, y1, x2, y2});
  QPainter* p = d->Painter();
  if (!p) return;
  const TRect r = Normalized(x1, y1, x2, y2);
  if (r.IsEmpty()) return;
  PrepareShape(*p, FPen, FBrush, PenVisible(FPen));
  // Aliased Qt outlines cover width + 1 pixels; the box is exclusive.
  p->drawEllipse(QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1));
  p->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TCanvas::FillRect(const TRect& r) {
  TDrawCallScope call(*this, TDrawCallKind::Fill, r);
  if (d->Scaled() && (r.Right < r.Left || r.Bottom < r.Top)) return FillRect(MappedNormal(r));
  QPainter* p = d->Painter();
  if (!p || r.IsEmpty() || FBrush.Style() == bsClear) return;
  p->setCompositionMode(QPainter::CompositionMode_SourceOver);
  p->setBackgroundMode(Qt::TransparentMode);
  p->fillRect(ToQRect(r), ToQBrush(FBrush));
}

void TCanvas::FrameRect(const TRect& r) {
  TDrawCallScope call(*this, TDrawCallKind::Rectangle, r);
  if (d->Scaled() && (r.Right < r.Left || r.Bottom < r.Top)) return FrameRect(MappedNormal(r));
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
  // Only the part of the frame on the surface is walked.
  const QRect b = d->DrawableRegion().boundingRect().translated(d->Org);
  if (b.isEmpty()) return;
  std::vector<QPoint> pixels;
  auto add = [&](int x, int y) {
    if (((x - d->Org.x()) + (y - d->Org.y())) % 2 == 0 && b.contains(x, y)) pixels.emplace_back(x, y);
  };
  for (int x = std::max(r.Left, b.left()), end = std::min(r.Right, b.right() + 1); x < end; ++x) {
    add(x, r.Top);
    if (r.Bottom - 1 > r.Top) add(x, r.Bottom - 1);
  }
  for (int y = std::max(r.Top + 1, b.top()), end = std::min(r.Bottom - 1, b.bottom() + 1); y < end; ++y) {
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
  return d->FromDevice(box);
}

bool TCanvas::RectVisible(const TRect& r) const {
  if (d->LogicalEmpty(r)) return false;
  return d->DrawableRegion().intersects(d->ToDevice(r));
}

void TCanvas::SetClipRect(const TRect& r) {
  d->HasClip = true;
  d->Clip = d->LogicalEmpty(r) ? QRegion() : QRegion(d->ToDevice(r));
  d->StateChanged();
}

void TCanvas::IntersectClipRect(const TRect& r) {
  QRegion rect = d->LogicalEmpty(r) ? QRegion() : QRegion(d->ToDevice(r));
  d->Clip = d->DrawableRegion().intersected(rect);
  d->HasClip = true;
  d->StateChanged();
}

void TCanvas::ExcludeClipRect(const TRect& r) {
  if (d->LogicalEmpty(r)) return;
  d->Clip = d->DrawableRegion().subtracted(QRegion(d->ToDevice(r)));
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
  return {d->WinOrg.x(), d->WinOrg.y()};
}

void TCanvas::SetWindowOrg(TPoint origin) {
  d->WinOrg = QPoint(origin.X, origin.Y);
  d->MappingChanged();
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
                            d->SeenBrushColor, d->SeenBrushStyle, d->MapMode, d->WinOrg, d->ViewOrg,
                            d->WinExt, d->ViewExt});
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
  d->MapMode = s.MapMode;
  d->WinOrg = s.WinOrg;
  d->ViewOrg = s.ViewOrg;
  d->WinExt = s.WinExt;
  d->ViewExt = s.ViewExt;
  d->MappingChanged();
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

void FillRect(TCanvas& canvas, const TRect& rect, TColor color) {
  const TRect r = canvas.impl().Scaled() ? MappedNormal(rect) : rect;
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

// ---------------------------------------------------------------------------------------------
// Drawing outside a paint

namespace {
TUnboundDrawingHandler& UnboundHandler() {
  static auto* handler = new TUnboundDrawingHandler;
  return *handler;
}
} // namespace

TUnboundDrawingHandler SetUnboundDrawingHandler(TUnboundDrawingHandler handler) {
  TUnboundDrawingHandler previous = std::move(UnboundHandler());
  UnboundHandler() = std::move(handler);
  return previous;
}

void ReportUnboundDrawing(const std::string& control) {
  const std::string message =
      "drawing on " + control + " outside its paint draws nothing: keep the state and invalidate instead";
  if (UnboundHandler()) {
    UnboundHandler()(message);
    return;
  }
#ifndef NDEBUG
  std::fprintf(stderr, "%s\n", message.c_str());
  assert(false && "drawing on a control's canvas outside its paint");
#endif
}
