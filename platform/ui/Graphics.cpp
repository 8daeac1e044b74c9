// Temporary: compiling placeholders until the Qt backend lands.
#include "platform/ui/Graphics.h"

#include <cmath>

TFont::TFont()
    : FName("Tahoma"), FHeight(-11), FColor(clWindowText), FStyle(0), FPitch(fpDefault), FCharset(1) {}
TFont::TFont(const TFont& other)
    : FName(other.FName), FHeight(other.FHeight), FColor(other.FColor), FStyle(other.FStyle),
      FPitch(other.FPitch), FCharset(other.FCharset) {}
TFont& TFont::operator=(const TFont& other) {
  Assign(other);
  return *this;
}
TFont::~TFont() = default;
void TFont::Changed() {
  if (OnChange) OnChange();
}
void TFont::SetName(const std::string& name) {
  if (name == FName) return;
  FName = name;
  Changed();
}
void TFont::SetHeight(int height) {
  if (height == FHeight) return;
  FHeight = height;
  Changed();
}
int TFont::Size() const {
  return -static_cast<int>(std::lround(FHeight * 72.0 / ScreenPixelsPerInch));
}
void TFont::SetSize(int points) {
  SetHeight(-static_cast<int>(std::lround(points * double(ScreenPixelsPerInch) / 72.0)));
}
void TFont::SetColor(TColor color) {
  if (color == FColor) return;
  FColor = color;
  Changed();
}
void TFont::SetStyle(TFontStyles style) {
  if (style == FStyle) return;
  FStyle = style;
  Changed();
}
void TFont::SetPitch(TFontPitch pitch) {
  if (pitch == FPitch) return;
  FPitch = pitch;
  Changed();
}
void TFont::SetCharset(int charset) {
  if (charset == FCharset) return;
  FCharset = charset;
  Changed();
}
bool TFont::SameAs(const TFont& o) const {
  return FName == o.FName && FHeight == o.FHeight && FColor == o.FColor && FStyle == o.FStyle &&
         FPitch == o.FPitch && FCharset == o.FCharset;
}
void TFont::Assign(const TFont& s) {
  if (this == &s || SameAs(s)) return;
  FName = s.FName;
  FHeight = s.FHeight;
  FColor = s.FColor;
  FStyle = s.FStyle;
  FPitch = s.FPitch;
  FCharset = s.FCharset;
  Changed();
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
void TBrush::SetColor(TColor c) {
  if (c == FColor) return;
  FColor = c;
  Changed();
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

struct TRegion::Impl {};
TRegion::TRegion() : d(std::make_unique<Impl>()) {}
TRegion::TRegion(const TRect&) : d(std::make_unique<Impl>()) {}
TRegion::TRegion(const TRegion&) : d(std::make_unique<Impl>()) {}
TRegion& TRegion::operator=(const TRegion&) {
  return *this;
}
TRegion::~TRegion() = default;
bool TRegion::IsEmpty() const {
  return true;
}
bool TRegion::Contains(TPoint) const {
  return false;
}
TRect TRegion::BoundingRect() const {
  return {};
}
std::vector<TRect> TRegion::Rects() const {
  return {};
}
void TRegion::Unite(const TRegion&) {}
void TRegion::Intersect(const TRegion&) {}
void TRegion::Subtract(const TRegion&) {}
void TRegion::Xor(const TRegion&) {}
void TRegion::Offset(int, int) {}
bool TRegion::operator==(const TRegion&) const {
  return true;
}

struct TCanvas::Impl {
  int bkMode = OPAQUE;
  TColor bkColor = clWhite;
  TPoint org;
};
TCanvas::TCanvas() : d(std::make_unique<Impl>()) {}
TCanvas::~TCanvas() = default;
bool TCanvas::HandleAllocated() const {
  return false;
}
TSize TCanvas::SurfaceSize() const {
  return {};
}
void TCanvas::LineTo(int x, int y) {
  FPenPos = {x, y};
}
void TCanvas::Polyline(const std::vector<TPoint>&) {}
void TCanvas::Polygon(const std::vector<TPoint>&) {}
void TCanvas::Rectangle(int, int, int, int) {}
void TCanvas::RoundRect(int, int, int, int, int, int) {}
void TCanvas::Ellipse(int, int, int, int) {}
void TCanvas::FillRect(const TRect&) {}
void TCanvas::FrameRect(const TRect&) {}
void TCanvas::DrawFocusRect(const TRect&) {}
TColor TCanvas::Pixels(int, int) const {
  return clNone;
}
void TCanvas::SetPixels(int, int, TColor) {}
void TCanvas::TextOut(int x, int y, const std::string& t) {
  FPenPos = {x + TextWidth(t), y};
}
void TCanvas::TextRect(const TRect&, int, int, const std::string&) {}
int TCanvas::TextWidth(const std::string& t) const {
  return TextExtent(t).cx;
}
int TCanvas::TextHeight(const std::string& t) const {
  return TextExtent(t).cy;
}
TSize TCanvas::TextExtent(const std::string& t) const {
  int h = FFont.Height() < 0 ? -FFont.Height() : FFont.Height();
  return {static_cast<int>(t.size()) * h / 2, h + h / 5};
}
TTextMetric TCanvas::TextMetric() const {
  return {};
}
int TCanvas::DrawText(const std::string& t, TRect& r, unsigned) {
  return TextHeight(t);
}
void TCanvas::Draw(int, int, const TBitmap&) {}
void TCanvas::StretchDraw(const TRect&, const TBitmap&) {}
void TCanvas::CopyRect(const TRect&, const TCanvas&, const TRect&) {}
void TCanvas::BrushCopy(const TRect&, const TBitmap&, const TRect&, TColor) {}
TRect TCanvas::ClipRect() const {
  return {};
}
void TCanvas::SetClipRect(const TRect&) {}
void TCanvas::IntersectClipRect(const TRect&) {}
void TCanvas::ExcludeClipRect(const TRect&) {}
void TCanvas::ResetClip() {}
void TCanvas::SelectClipRegion(const TRegion*) {}
bool TCanvas::HasClipRegion() const {
  return false;
}
TPoint TCanvas::WindowOrg() const {
  return d->org;
}
void TCanvas::SetWindowOrg(TPoint p) {
  d->org = p;
}
int TCanvas::BkMode() const {
  return d->bkMode;
}
void TCanvas::SetBkMode(int m) {
  d->bkMode = m;
}
TColor TCanvas::BkColor() const {
  return d->bkColor;
}
void TCanvas::SetBkColor(TColor c) {
  d->bkColor = c;
}
int TCanvas::SaveDC() {
  return 1;
}
bool TCanvas::RestoreDC(int) {
  return false;
}

int DrawText(TCanvas& c, const std::string& t, TRect& r, unsigned f) {
  return c.DrawText(t, r, f);
}
bool DrawEdge(TCanvas&, TRect&, unsigned, unsigned) {
  return true;
}
bool DrawFrameControl(TCanvas&, TRect&, unsigned, unsigned) {
  return true;
}
void DrawFocusRect(TCanvas& c, const TRect& r) {
  c.DrawFocusRect(r);
}
void FillRect(TCanvas&, const TRect&, TColor) {}
void FrameRect(TCanvas&, const TRect&, TColor) {}
void InvertRect(TCanvas&, const TRect&) {}
bool BitBlt(TCanvas&, int, int, int, int, const TCanvas*, int, int, unsigned) {
  return false;
}
bool StretchBlt(TCanvas&, int, int, int, int, const TCanvas&, int, int, int, int, unsigned) {
  return false;
}
bool PatBlt(TCanvas&, int, int, int, int, unsigned) {
  return false;
}
bool TransparentBlt(TCanvas&, int, int, int, int, const TCanvas&, int, int, int, int, TColor) {
  return false;
}
bool AlphaBlend(TCanvas&, int, int, int, int, const TCanvas&, int, int, int, int, int) {
  return false;
}
int SelectClipRgn(TCanvas& c, const TRegion* r) {
  c.SelectClipRegion(r);
  return SIMPLEREGION;
}
int IntersectClipRect(TCanvas& c, int l, int t, int r, int b) {
  c.IntersectClipRect(Rect(l, t, r, b));
  return SIMPLEREGION;
}
int ExcludeClipRect(TCanvas& c, int l, int t, int r, int b) {
  c.ExcludeClipRect(Rect(l, t, r, b));
  return SIMPLEREGION;
}
int GetClipBox(const TCanvas& c, TRect& r) {
  r = c.ClipRect();
  return SIMPLEREGION;
}

struct TBitmap::Impl {
  int w = 0, h = 0;
  std::vector<std::uint32_t> px;
  TCanvas canvas;
};
TBitmap::TBitmap() : d(std::make_unique<Impl>()) {}
TBitmap::TBitmap(int w, int h) : TBitmap() {
  SetSize(w, h);
}
TBitmap::TBitmap(const TBitmap& o) : TBitmap() {
  Assign(o);
}
TBitmap& TBitmap::operator=(const TBitmap& o) {
  Assign(o);
  return *this;
}
TBitmap::~TBitmap() = default;
int TBitmap::Width() const {
  return d->w;
}
int TBitmap::Height() const {
  return d->h;
}
void TBitmap::SetWidth(int w) {
  SetSize(w, d->h);
}
void TBitmap::SetHeight(int h) {
  SetSize(d->w, h);
}
void TBitmap::SetSize(int w, int h) {
  d->w = w < 0 ? 0 : w;
  d->h = h < 0 ? 0 : h;
  d->px.assign(std::size_t(d->w) * d->h, 0xFFFFFFu);
}
bool TBitmap::Empty() const {
  return d->w == 0 || d->h == 0;
}
void TBitmap::Assign(const TBitmap& o) {
  if (this == &o) return;
  d->w = o.d->w;
  d->h = o.d->h;
  d->px = o.d->px;
  FTransparent = o.FTransparent;
  FTransparentColor = o.FTransparentColor;
  FTransparentMode = o.FTransparentMode;
  FPixelFormat = o.FPixelFormat;
}
TCanvas& TBitmap::Canvas() {
  return d->canvas;
}
const TCanvas& TBitmap::Canvas() const {
  return d->canvas;
}
TColor TBitmap::TransparentColor() const {
  if (FTransparentMode == tmFixed) return FTransparentColor;
  return Pixel(0, d->h - 1);
}
void TBitmap::SetTransparentColor(TColor c) {
  FTransparentColor = c;
  FTransparentMode = tmFixed;
}
std::uint32_t* TBitmap::ScanLine(int y) {
  return y >= 0 && y < d->h && d->w > 0 ? d->px.data() + std::size_t(y) * d->w : nullptr;
}
const std::uint32_t* TBitmap::ScanLine(int y) const {
  return y >= 0 && y < d->h && d->w > 0 ? d->px.data() + std::size_t(y) * d->w : nullptr;
}
TColor TBitmap::Pixel(int x, int y) const {
  const std::uint32_t* row = ScanLine(y);
  if (!row || x < 0 || x >= d->w) return clNone;
  std::uint32_t p = row[x];
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}
void TBitmap::SetPixel(int x, int y, TColor c) {
  std::uint32_t* row = ScanLine(y);
  if (!row || x < 0 || x >= d->w) return;
  row[x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}
bool TBitmap::LoadFromFile(const std::string&, std::string* e) {
  if (e) *e = "not implemented yet";
  return false;
}
bool TBitmap::SaveToFile(const std::string&, std::string* e) const {
  if (e) *e = "not implemented yet";
  return false;
}
bool TBitmap::LoadFromBytes(const std::string&, std::string* e) {
  if (e) *e = "not implemented yet";
  return false;
}
std::string TBitmap::SaveToBytes(const char*) const {
  return {};
}
bool TBitmap::LoadFromResourceName(const std::string& name, std::string* e) {
  if (e) *e = "Unknown bitmap resource \"" + name + "\"";
  return false;
}
