#include "platform/ui/ImageList.h"
#include "platform/ui/GraphicsImpl.h"

#include <algorithm>
#include <vector>

struct TImageList::Impl {
  std::vector<QImage> Images; // ARGB32, alpha 0 where transparent

  // Appends the cut images; the index of the first, -1 when there are none.
  int Append(std::vector<QImage> parts) {
    if (parts.empty()) return -1;
    const int first = static_cast<int>(Images.size());
    for (auto& p : parts)
      Images.push_back(std::move(p));
    return first;
  }
  // Puts the first cut image at a valid index; false when nothing was cut.
  bool Put(int index, std::vector<QImage> parts) {
    if (parts.empty()) return false;
    Images[index] = std::move(parts.front());
    return true;
  }
};

TImageList::TImageList(int width, int height)
    : d(std::make_unique<Impl>()), FWidth(std::max(1, width)), FHeight(std::max(1, height)) {}
TImageList::TImageList(const TImageList& o)
    : d(std::make_unique<Impl>(*o.d)), FWidth(o.FWidth), FHeight(o.FHeight), FMasked(o.FMasked),
      FBkColor(o.FBkColor), FBlendColor(o.FBlendColor), FDrawingStyle(o.FDrawingStyle) {}
TImageList& TImageList::operator=(const TImageList& o) {
  if (this == &o) return *this;
  *d = *o.d;
  FWidth = o.FWidth;
  FHeight = o.FHeight;
  FMasked = o.FMasked;
  FBkColor = o.FBkColor;
  FBlendColor = o.FBlendColor;
  FDrawingStyle = o.FDrawingStyle;
  Changed();
  return *this;
}
TImageList::~TImageList() = default;

void TImageList::Changed() {
  if (OnChange) OnChange();
}

int TImageList::Count() const {
  return static_cast<int>(d->Images.size());
}

void TImageList::SetSize(int width, int height) {
  width = std::max(1, width);
  height = std::max(1, height);
  if (width == FWidth && height == FHeight) return;
  FWidth = width;
  FHeight = height;
  d->Images.clear();
  Changed();
}

namespace {

// Cuts the picture into list-sized images; transparent(x, y) tells which picture pixels vanish.
template <typename Transparent>
std::vector<QImage> Cut(const TBitmap& image, int width, int height, bool masked, Transparent transparent) {
  std::vector<QImage> out;
  if (image.Empty()) return out;
  const int count = std::max(1, image.Width() / width);
  for (int n = 0; n < count; ++n) {
    QImage img(width, height, QImage::Format_ARGB32);
    if (img.isNull()) return {}; // a size no memory can hold: nothing is added
    img.fill(0);
    for (int y = 0; y < height && y < image.Height(); ++y) {
      auto* row = reinterpret_cast<std::uint32_t*>(img.scanLine(y));
      const std::uint32_t* src = image.ScanLine(y);
      for (int x = 0; x < width; ++x) {
        const int sx = n * width + x;
        if (sx >= image.Width()) break;
        row[x] = (masked && transparent(sx, y)) ? 0u : (0xFF000000u | src[sx]);
      }
    }
    out.push_back(std::move(img));
  }
  return out;
}

std::vector<QImage> CutWithMask(const TBitmap& image, const TBitmap* mask, int w, int h, bool masked) {
  return Cut(image, w, h, masked && mask, [mask](int x, int y) {
    const TColor m = mask->Pixel(x, y);
    return m != clNone && m == clWhite;
  });
}

std::vector<QImage> CutWithColor(const TBitmap& image, TColor maskColor, int w, int h, bool masked) {
  const TColor key = maskColor == clDefault ? image.Pixel(0, 0) : ColorToRGB(maskColor);
  return Cut(image, w, h, masked, [&image, key](int x, int y) { return image.Pixel(x, y) == key; });
}

} // namespace

int TImageList::Add(const TBitmap& image, const TBitmap* mask) {
  const int first = d->Append(CutWithMask(image, mask, FWidth, FHeight, FMasked));
  if (first >= 0) Changed();
  return first;
}

int TImageList::AddMasked(const TBitmap& image, TColor maskColor) {
  const int first = d->Append(CutWithColor(image, maskColor, FWidth, FHeight, FMasked));
  if (first >= 0) Changed();
  return first;
}

bool TImageList::Replace(int index, const TBitmap& image, const TBitmap* mask) {
  if (index < 0 || index >= Count() || !d->Put(index, CutWithMask(image, mask, FWidth, FHeight, FMasked)))
    return false;
  Changed();
  return true;
}

bool TImageList::ReplaceMasked(int index, const TBitmap& image, TColor maskColor) {
  if (index < 0 || index >= Count() ||
      !d->Put(index, CutWithColor(image, maskColor, FWidth, FHeight, FMasked)))
    return false;
  Changed();
  return true;
}

bool TImageList::Delete(int index) {
  if (index < 0 || index >= Count()) return false;
  d->Images.erase(d->Images.begin() + index);
  Changed();
  return true;
}

bool TImageList::Move(int from, int to) {
  if (from < 0 || from >= Count() || to < 0 || to >= Count()) return false;
  QImage img = std::move(d->Images[from]);
  d->Images.erase(d->Images.begin() + from);
  d->Images.insert(d->Images.begin() + to, std::move(img));
  Changed();
  return true;
}

void TImageList::Clear() {
  if (d->Images.empty()) return;
  d->Images.clear();
  Changed();
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) const {
  Draw(canvas, x, y, index, FDrawingStyle, itImage, enabled);
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index, TDrawingStyle style, TImageType type,
                      bool enabled) const {
  if (index < 0 || index >= Count()) return;
  QPainter* p = canvas.impl().Painter();
  if (!p) return;
  QImage img = d->Images[index];
  if (type == itMask) {
    // Black where the image shows, white where it is transparent.
    for (int yy = 0; yy < img.height(); ++yy) {
      auto* row = reinterpret_cast<std::uint32_t*>(img.scanLine(yy));
      for (int xx = 0; xx < img.width(); ++xx)
        row[xx] = qAlpha(row[xx]) ? 0xFF000000u : 0xFFFFFFFFu;
    }
  } else {
    const TColor blendWith = (FBlendColor == clNone || FBlendColor == clDefault) ? clHighlight : FBlendColor;
    const QRgb blend = ToQRgb(blendWith);
    const int percent = style == dsFocus ? 25 : style == dsSelected ? 50 : 0;
    for (int yy = 0; yy < img.height(); ++yy) {
      auto* row = reinterpret_cast<std::uint32_t*>(img.scanLine(yy));
      for (int xx = 0; xx < img.width(); ++xx) {
        QRgb c = row[xx];
        if (!qAlpha(c)) continue;
        int r = qRed(c), g = qGreen(c), b = qBlue(c);
        if (!enabled) {
          // Greyed and lightened.
          const int grey = (r * 30 + g * 59 + b * 11) / 100;
          r = g = b = 128 + grey / 2;
        }
        if (percent) {
          r = (r * (100 - percent) + qRed(blend) * percent) / 100;
          g = (g * (100 - percent) + qGreen(blend) * percent) / 100;
          b = (b * (100 - percent) + qBlue(blend) * percent) / 100;
        }
        row[xx] = qRgba(r, g, b, 255);
      }
    }
    if (style == dsNormal && FBkColor != clNone) {
      QImage under(img.size(), QImage::Format_ARGB32);
      under.fill(QColor(ToQRgb(FBkColor)));
      QPainter merge(&under);
      merge.drawImage(0, 0, img);
      merge.end();
      img = under;
    }
  }
  p->setCompositionMode(QPainter::CompositionMode_SourceOver);
  p->drawImage(QPoint(x, y), img);
}

bool TImageList::GetBitmap(int index, TBitmap& bitmap) const {
  if (index < 0 || index >= Count()) return false;
  bitmap.SetSize(FWidth, FHeight);
  Draw(bitmap.Canvas(), 0, 0, index, dsTransparent, itImage, true);
  return true;
}
