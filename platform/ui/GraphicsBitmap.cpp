// Off-screen bitmaps: size, pixels, files.
#include "platform/AtomicFile.h"
#include "platform/Files.h"
#include "platform/ui/GraphicsImpl.h"
#include "platform/ui/PictureDecodeImpl.h"
#include "platform/ui/Resources.h"

#include <QBuffer>

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

// Larger pictures are refused instead of exhausting memory.
constexpr qint64 MaxPixels = qint64(1) << 27;

QImage NewImage(int w, int h) {
  if (w <= 0 || h <= 0 || qint64(w) * h > MaxPixels) return {};
  QImage img(w, h, QImage::Format_RGB32);
  if (!img.isNull()) img.fill(Qt::white);
  return img;
}

} // namespace

TBitmap::TBitmap() = default;
TBitmap::TBitmap(int width, int height) : TBitmap() {
  SetSize(width, height);
}
TBitmap::TBitmap(const TBitmap& other) : TBitmap() {
  Assign(other);
}
TBitmap& TBitmap::operator=(const TBitmap& other) {
  Assign(other);
  return *this;
}
TBitmap::~TBitmap() = default;

TBitmap::Impl& TBitmap::MakeImpl() const {
  d = std::make_unique<Impl>();
  return *d;
}

int TBitmap::Width() const {
  return d ? d->Image.width() : 0;
}
int TBitmap::Height() const {
  return d ? d->Image.height() : 0;
}
void TBitmap::SetWidth(int width) {
  SetSize(width, Height());
}
void TBitmap::SetHeight(int height) {
  SetSize(Width(), height);
}
bool TBitmap::Empty() const {
  return !d || d->Image.isNull();
}

void TBitmap::SetSize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == Width() && height == Height()) return;
  Impl& i = impl();
  i.Canvas.impl().EndPainter();
  QImage img = NewImage(width, height);
  if (!img.isNull() && !i.Image.isNull()) {
    const int w = std::min(width, Width()), h = std::min(height, Height());
    for (int y = 0; y < h; ++y)
      std::memcpy(img.scanLine(y), i.Image.constScanLine(y), std::size_t(w) * 4);
  }
  i.Image = std::move(img);
}

void TBitmap::Assign(const TBitmap& source) {
  if (this == &source) return;
  // Nothing to copy between two bitmaps that never had a picture.
  if (d || source.d) {
    Impl& i = impl();
    i.Canvas.impl().EndPainter();
    i.Image = source.d ? source.d->Image.copy() : QImage();
  }
  FTransparent = source.FTransparent;
  FTransparentColor = source.FTransparentColor;
  FTransparentMode = source.FTransparentMode;
  FPixelFormat = source.FPixelFormat;
}

TCanvas& TBitmap::Canvas() {
  return impl().Canvas;
}
const TCanvas& TBitmap::Canvas() const {
  return impl().Canvas;
}

TColor TBitmap::TransparentColor() const {
  if (FTransparentMode == tmFixed) return FTransparentColor;
  if (Empty()) return clDefault;
  return Pixel(0, Height() - 1);
}

void TBitmap::SetTransparentColor(TColor color) {
  FTransparentColor = color;
  FTransparentMode = tmFixed;
}

std::uint32_t* TBitmap::ScanLine(int y) {
  if (y < 0 || y >= Height()) return nullptr;
  std::uint32_t* bits = impl().Canvas.impl().MutableBits();
  return bits ? bits + qsizetype(y) * (d->Image.bytesPerLine() / 4) : nullptr;
}

const std::uint32_t* TBitmap::ScanLine(int y) const {
  if (y < 0 || y >= Height() || !d->Canvas.impl().PixelImage()) return nullptr;
  return reinterpret_cast<const std::uint32_t*>(d->Image.constScanLine(y));
}

TColor TBitmap::Pixel(int x, int y) const {
  if (!d || !d->Image.valid(x, y)) return clNone;
  const QRgb c = d->Image.pixel(x, y);
  return RGB(qRed(c), qGreen(c), qBlue(c));
}

void TBitmap::SetPixel(int x, int y, TColor color) {
  if (!d || !d->Image.valid(x, y)) return;
  ScanLine(y)[x] = ToQRgb(color);
}

bool TBitmap::LoadFromBytes(const std::string& bytes, std::string* error) {
  const bool bmp = bytes.size() >= 2 && bytes.compare(0, 2, "BM") == 0;
  const bool png = bytes.size() >= 8 && bytes.compare(0, 8, "\x89PNG\r\n\x1A\n") == 0;
  if (!bmp && !png) {
    if (error) *error = "The data is not a BMP or PNG picture";
    return false;
  }
  // Run-length bitmaps give at most 128 pixels a byte, deflated one-bit pictures about 8,000.
  QImage img;
  std::string why;
  if (!ReadImageWithQt(bytes, bmp ? "BMP" : "PNG", MaxPixels, bmp ? 128 : 8256, img, why)) {
    if (error) *error = (bmp ? "The BMP picture cannot be read: " : "The PNG picture cannot be read: ") + why;
    return false;
  }
  impl().Canvas.impl().EndPainter();
  d->Image = img.convertToFormat(QImage::Format_RGB32);
  return true;
}

bool TBitmap::LoadFromFile(const std::string& path, std::string* error) {
  std::string bytes;
  if (!ReadFileBytes(path, bytes)) {
    if (error) *error = "The file " + path + " cannot be read";
    return false;
  }
  std::string why;
  if (!LoadFromBytes(bytes, &why)) {
    if (error) *error = "The file " + path + " cannot be loaded: " + why;
    return false;
  }
  return true;
}

std::string TBitmap::SaveToBytes(const char* format) const {
  if (Empty()) return {};
  QByteArray data;
  QBuffer buffer(&data);
  buffer.open(QIODevice::WriteOnly);
  if (!d->Image.save(&buffer, format)) return {};
  return data.toStdString();
}

bool TBitmap::SaveToFile(const std::string& path, std::string* error) const {
  if (Empty()) {
    if (error) *error = "An empty picture cannot be saved";
    return false;
  }
  std::string ext = path.size() >= 4 ? path.substr(path.size() - 4) : std::string();
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::tolower(c)); });
  const std::string bytes = SaveToBytes(ext == ".png" ? "PNG" : "BMP");
  if (bytes.empty()) {
    if (error) *error = "The picture cannot be encoded";
    return false;
  }
  TWriteResult written = WriteFileAtomic(path, bytes);
  if (!written && error) *error = written.Error;
  return written.Ok;
}

bool TBitmap::LoadFromResourceName(const std::string& name, std::string* error) {
  const TBitmap* resource = FindResourceBitmap(name);
  if (!resource) {
    if (d) {
      d->Canvas.impl().EndPainter();
      d->Image = QImage();
    }
    if (error) *error = MissingResourceMessage(name);
    return false;
  }
  Assign(*resource);
  return true;
}

QImage& BitmapImage(TBitmap& bitmap) {
  bitmap.impl().Canvas.impl().EndPainter();
  return bitmap.impl().Image;
}

const QImage& BitmapImage(const TBitmap& bitmap) {
  return bitmap.impl().Image;
}
