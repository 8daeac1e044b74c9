// Fonts, pens, brushes, regions and the conversions to Qt.
#include "platform/ui/Fonts.h"
#include "platform/ui/GraphicsImpl.h"

#include <QFontMetricsF>
#include <QGuiApplication>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <map>
#include <mutex>
#include <tuple>
#include <vector>

#include <cmath>

namespace {
// Font identities; 0 is the defaults'.
std::atomic<std::uint64_t> NextFontId{1};
} // namespace

TFont::TFont() : FName("Tahoma"), FKey{-11, clWindowText, 0, fpDefault, 1, 0, {}} {
  KeyName();
}
// The change handler stays with its object.
TFont::TFont(const TFont& other) : FName(other.FName), FKey(other.FKey), FId(other.FId) {}
TFont& TFont::operator=(const TFont& other) {
  Assign(other);
  return *this;
}
TFont::~TFont() = default;
void TFont::Changed() {
  FId = NextFontId.fetch_add(1, std::memory_order_relaxed);
  if (OnChange) OnChange();
}
void TFont::KeyName() {
  const std::size_t n = FName.size();
  FKey.NameLength = static_cast<std::uint32_t>(std::min<std::size_t>(n, UINT32_MAX));
  std::memset(FKey.NameHead, 0, sizeof(FKey.NameHead));
  std::memcpy(FKey.NameHead, FName.data(), std::min(n, sizeof(FKey.NameHead)));
}
void TFont::SetName(const std::string& name) {
  if (name == FName) return;
  FName = name;
  KeyName();
  Changed();
}
void TFont::SetHeight(int height) {
  if (height == FKey.Height) return;
  FKey.Height = height;
  Changed();
}
int TFont::Size() const {
  return -static_cast<int>(std::lround(FKey.Height * 72.0 / ScreenPixelsPerInch));
}
void TFont::SetSize(int points) {
  SetHeight(-static_cast<int>(std::lround(points * double(ScreenPixelsPerInch) / 72.0)));
}
void TFont::SetColor(TColor color) {
  if (color == FKey.Color) return;
  FKey.Color = color;
  Changed();
}
void TFont::SetStyle(TFontStyles style) {
  if (style == FKey.Style) return;
  FKey.Style = style;
  Changed();
}
void TFont::SetPitch(TFontPitch pitch) {
  if (pitch == FKey.Pitch) return;
  FKey.Pitch = pitch;
  Changed();
}
void TFont::SetCharset(int charset) {
  if (charset == FKey.Charset) return;
  FKey.Charset = charset;
  Changed();
}
void TFont::AssignOther(const TFont& s) {
  // Equal settings under another identity: take it, so that the next compare is one step.
  const bool same = SameKey(s);
  FId = s.FId;
  if (same) return;
  FName = s.FName;
  FKey = s.FKey;
  if (OnChange) OnChange();
}

void TPen::Changed() {
  if (OnChange) OnChange();
}
void TPen::SetColor(TColor c) {
  if (c == FColor) return;
  FColor = c;
  Changed();
}
void TPen::SetWidth(int w) {
  w = w < 1 ? 1 : w;
  if (w == FWidth) return;
  FWidth = w;
  Changed();
}
void TPen::SetStyle(TPenStyle s) {
  if (s == FStyle) return;
  FStyle = s;
  Changed();
}
void TPen::SetMode(TPenMode m) {
  if (m == FMode) return;
  FMode = m;
  Changed();
}
void TPen::Assign(const TPen& s) {
  if (this == &s) return;
  FColor = s.FColor;
  FWidth = s.FWidth;
  FStyle = s.FStyle;
  FMode = s.FMode;
  Changed();
}
void TBrush::Changed() {
  if (OnChange) OnChange();
}
void TBrush::SetStyle(TBrushStyle s) {
  if (s == FStyle) return;
  FStyle = s;
  Changed();
}
void TBrush::Assign(const TBrush& s) {
  if (this == &s) return;
  FColor = s.FColor;
  FStyle = s.FStyle;
  Changed();
}

// ---------------------------------------------------------------------------------------------

TRegion::TRegion() : d(std::make_unique<Impl>()) {}
TRegion::TRegion(const TRect& r) : d(std::make_unique<Impl>()) {
  if (!r.IsEmpty()) d->region = QRegion(ToQRect(r));
}
TRegion::TRegion(const TRegion& o) : d(std::make_unique<Impl>(*o.d)) {}
TRegion& TRegion::operator=(const TRegion& o) {
  d->region = o.d->region;
  return *this;
}
TRegion::~TRegion() = default;
bool TRegion::IsEmpty() const {
  return d->region.isEmpty();
}
bool TRegion::Contains(TPoint p) const {
  return d->region.contains(QPoint(p.X, p.Y));
}
TRect TRegion::BoundingRect() const {
  return FromQRect(d->region.boundingRect());
}
std::vector<TRect> TRegion::Rects() const {
  std::vector<TRect> out;
  for (const QRect& r : d->region)
    out.push_back(FromQRect(r));
  return out;
}
void TRegion::Unite(const TRegion& o) {
  d->region = d->region.united(o.d->region);
}
void TRegion::Intersect(const TRegion& o) {
  d->region = d->region.intersected(o.d->region);
}
void TRegion::Subtract(const TRegion& o) {
  d->region = d->region.subtracted(o.d->region);
}
void TRegion::Xor(const TRegion& o) {
  d->region = d->region.xored(o.d->region);
}
void TRegion::Offset(int dx, int dy) {
  d->region.translate(dx, dy);
}
bool TRegion::operator==(const TRegion& o) const {
  return d->region == o.d->region;
}

// ---------------------------------------------------------------------------------------------

QRgb ToQRgb(TColor color) {
  const TColor c = ColorToRGB(color);
  return qRgb(GetRValue(c), GetGValue(c), GetBValue(c));
}

QColor ToQColor(TColor color) {
  if (color == clNone) return QColor(0, 0, 0, 0);
  return QColor(ToQRgb(color));
}

TColor FromQColor(const QColor& c) {
  if (!c.isValid() || c.alpha() == 0) return clNone;
  return RGB(c.red(), c.green(), c.blue());
}

TRect Normalized(int x1, int y1, int x2, int y2) {
  return {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
}

QPainter::CompositionMode PenModeComposition(TPenMode mode) {
  switch (mode) {
  case pmNot:
    return QPainter::RasterOp_NotDestination;
  case pmNotCopy:
    return QPainter::RasterOp_NotSource;
  case pmMergePenNot:
    return QPainter::RasterOp_SourceOrNotDestination;
  case pmMaskPenNot:
    return QPainter::RasterOp_SourceAndNotDestination;
  case pmMergeNotPen:
    return QPainter::RasterOp_NotSourceOrDestination;
  case pmMaskNotPen:
    return QPainter::RasterOp_NotSourceAndDestination;
  case pmMerge:
    return QPainter::RasterOp_SourceOrDestination;
  case pmNotMerge:
    return QPainter::RasterOp_NotSourceAndNotDestination;
  case pmMask:
    return QPainter::RasterOp_SourceAndDestination;
  case pmNotMask:
    return QPainter::RasterOp_NotSourceOrNotDestination;
  case pmXor:
    return QPainter::RasterOp_SourceXorDestination;
  case pmNotXor:
    return QPainter::RasterOp_NotSourceXorDestination;
  default:
    return QPainter::CompositionMode_SourceOver;
  }
}

namespace {

// Cell height (ascent + descent) per pixel of em size, per face and style; positive font heights
// ask for a cell height, so they are divided by this.
double CellRatio(const QString& family, bool bold, bool italic) {
  static std::mutex lock;
  static std::map<std::tuple<QString, bool, bool>, double> cache;
  std::lock_guard<std::mutex> guard(lock);
  auto key = std::make_tuple(family, bold, italic);
  auto it = cache.find(key);
  if (it != cache.end()) return it->second;
  QFont probe(family);
  probe.setPixelSize(1000);
  probe.setBold(bold);
  probe.setItalic(italic);
  QFontMetricsF m(probe);
  double ratio = (m.ascent() + m.descent()) / 1000.0;
  if (!(ratio > 0.5 && ratio < 3.0)) ratio = 1.164;
  cache.emplace(key, ratio);
  return ratio;
}

} // namespace

int FontPixelSize(const TFont& font) {
  constexpr int limit = 1000; // larger asks are mistakes; keep memory and time bounded
  int h = font.Height();
  if (h == 0) h = -11;
  if (h < 0) return std::min(-h, limit);
  const bool bold = (font.Style() & fsBold) != 0, italic = (font.Style() & fsItalic) != 0;
  double ratio =
      FontsAvailable()
          ? CellRatio(QString::fromStdString(SubstituteFontName(font.Name(), font.Pitch() == fpFixed)), bold,
                      italic)
          : 1.164;
  return std::clamp(static_cast<int>(std::lround(h / ratio)), 1, limit);
}

QFont ToQFont(const TFont& font, bool antialias) {
  LoadProgramFonts();
  const std::string family = SubstituteFontName(font.Name(), font.Pitch() == fpFixed);
  const int pixels = FontPixelSize(font);
  // Windows measure and draw in a few fonts over and over, and making the QFont costs more than
  // measuring a short text in it: the last fonts made are kept. Never destroyed, as Qt's font
  // data must not outlive the application.
  struct TMade {
    std::string Family;
    int Pixels;
    TFontStyles Style;
    bool Antialias;
    QFont Font;
  };
  constexpr std::size_t kept = 16;
  static std::mutex lock;
  static auto* made = new std::vector<TMade>;
  std::lock_guard<std::mutex> guard(lock);
  for (const TMade& m : *made)
    if (m.Pixels == pixels && m.Style == font.Style() && m.Antialias == antialias && m.Family == family)
      return m.Font;
  QFont f(QString::fromStdString(family));
  f.setPixelSize(pixels);
  f.setBold((font.Style() & fsBold) != 0);
  f.setItalic((font.Style() & fsItalic) != 0);
  f.setUnderline((font.Style() & fsUnderline) != 0);
  f.setStrikeOut((font.Style() & fsStrikeOut) != 0);
  f.setKerning(false);
  f.setStyleStrategy(antialias ? QFont::PreferDefault : QFont::NoAntialias);
  if (made->size() == kept) made->erase(made->begin());
  made->push_back({family, pixels, font.Style(), antialias, f});
  return f;
}
