// Picture decoding: the format by its signature, BMP and ICO through Qt's readers, GIF and JPEG by
// their own decoders; transparency becomes a key colour because bitmaps keep no alpha.
#include "platform/ui/PictureDecode.h"
#include "platform/ui/GraphicsQt.h"
#include "platform/ui/PictureDecodeImpl.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

#include <cstdint>
#include <vector>

// The format is fixed (never guessed from the content). A picture is not sized from its header
// alone: `pixelsPerByte` is the most the format's data can give (run-length bitmaps 128, icons
// holding compressed PNG about 8000), and data that could not fill half the picture is refused
// before anything of that size is made.
bool ReadImageWithQt(const std::string& bytes, const char* format, qint64 maxPixels, qint64 pixelsPerByte,
                     QImage& image, std::string& error) {
  QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, format);
  reader.setDecideFormatFromContent(false);
  // A bitmap stored top-down announces a negative height.
  const QSize size = reader.size();
  const qint64 pixels = qint64(qAbs(size.width())) * qAbs(size.height());
  if (pixels > maxPixels) {
    error = "The picture is too large";
    return false;
  }
  if (pixels / 2 > qint64(bytes.size()) * pixelsPerByte) {
    error = "The picture is damaged: its data is far too short for its size";
    return false;
  }
  QImage read;
  if (!reader.read(&read) || read.isNull()) {
    error = "The picture is damaged";
    return false;
  }
  if (qint64(read.width()) * read.height() > maxPixels) {
    error = "The picture is too large";
    return false;
  }
  image = std::move(read);
  return true;
}

namespace {

bool StartsWith(const std::string& bytes, const char* prefix, std::size_t n) {
  return bytes.size() >= n && bytes.compare(0, n, prefix, n) == 0;
}

// Through one of Qt's readers with the format fixed, converted for the key colour search.
bool DecodeWithQt(const std::string& bytes, const char* format, qint64 pixelsPerByte, QImage& image,
                  std::string& error) {
  QImage read;
  if (!ReadImageWithQt(bytes, format, MaxPicturePixels, pixelsPerByte, read, error)) return false;
  image = read.convertToFormat(QImage::Format_ARGB32);
  if (image.isNull()) {
    error = "The picture is too large";
    return false;
  }
  return true;
}

bool IsTransparent(QRgb pixel) {
  return qAlpha(pixel) < 128;
}

bool UsedByVisiblePixel(const QImage& image, std::uint32_t rgb) {
  const int w = image.width(), h = image.height();
  for (int y = 0; y < h; ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < w; ++x)
      if (!IsTransparent(row[x]) && (row[x] & 0xFFFFFFu) == rgb) return true;
  }
  return false;
}

// A colour no visible pixel has: magenta when it is free, else the first free one.
std::uint32_t FreeKeyColour(const QImage& image) {
  constexpr std::uint32_t magenta = 0xFF00FFu;
  if (!UsedByVisiblePixel(image, magenta)) return magenta;
  std::vector<bool> used(std::size_t(1) << 24);
  const int w = image.width(), h = image.height();
  for (int y = 0; y < h; ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < w; ++x)
      if (!IsTransparent(row[x])) used[row[x] & 0xFFFFFFu] = true;
  }
  for (std::uint32_t c = magenta; c > 0; --c)
    if (!used[c]) return c;
  return magenta; // every colour is in use: the transparent pixels fall back to magenta
}

bool StoreInto(const QImage& argb, TBitmap& picture) {
  const int w = argb.width(), h = argb.height();
  bool transparent = false;
  for (int y = 0; y < h && !transparent; ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
    for (int x = 0; x < w; ++x)
      if (IsTransparent(row[x])) {
        transparent = true;
        break;
      }
  }
  QImage rgb(argb.size(), QImage::Format_RGB32);
  if (rgb.isNull()) return false;
  const std::uint32_t key = transparent ? FreeKeyColour(argb) : 0;
  for (int y = 0; y < h; ++y) {
    const auto* in = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
    auto* out = reinterpret_cast<QRgb*>(rgb.scanLine(y));
    for (int x = 0; x < w; ++x) {
      // Mostly opaque pixels keep their own colour; the rest show what lies behind.
      out[x] = 0xFF000000u | (IsTransparent(in[x]) ? key : (in[x] & 0xFFFFFFu));
    }
  }
  BitmapImage(picture) = std::move(rgb);
  picture.SetTransparent(transparent);
  if (transparent) picture.SetTransparentColor(RGB((key >> 16) & 0xFF, (key >> 8) & 0xFF, key & 0xFF));
  return true;
}

} // namespace

TPictureFormat DetectPictureFormat(const std::string& bytes) {
  if (StartsWith(bytes, "BM", 2)) return TPictureFormat::Bmp;
  if (StartsWith(bytes, "\0\0\1\0", 4)) return TPictureFormat::Ico;
  if (StartsWith(bytes, "\xFF\xD8\xFF", 3)) return TPictureFormat::Jpeg;
  if (StartsWith(bytes, "GIF87a", 6) || StartsWith(bytes, "GIF89a", 6)) return TPictureFormat::Gif;
  return TPictureFormat::Unknown;
}

bool DecodePicture(const std::string& bytes, TBitmap& picture, std::string* error) {
  QImage image;
  std::string why;
  bool ok = false;
  switch (DetectPictureFormat(bytes)) {
  case TPictureFormat::Bmp:
    ok = DecodeWithQt(bytes, "BMP", 128, image, why);
    break;
  case TPictureFormat::Ico:
    ok = DecodeWithQt(bytes, "ICO", 8256, image, why);
    break;
  case TPictureFormat::Jpeg:
    ok = DecodeJpegImage(bytes, image, why);
    break;
  case TPictureFormat::Gif:
    ok = DecodeGifImage(bytes, image, why);
    break;
  case TPictureFormat::Unknown:
    why = "The data is not a BMP, ICO, JPEG or GIF picture";
    break;
  }
  if (ok && !StoreInto(image, picture)) {
    ok = false;
    why = "The picture is too large";
  }
  if (!ok && error) *error = why;
  return ok;
}
