// Block transfers between canvases: raster operations, stretching, key-colour transparency, blending.
#include "platform/ui/GraphicsImpl.h"

#include <cstdlib>
#include <optional>

namespace {

// Source pixels of a block, mirrored when the signs of the sizes differ and scaled (nearest pixel)
// to w x h. Pixels outside the source surface are black.
std::optional<QImage> SourceBlock(const TCanvas& src, int sx, int sy, int sw, int sh, int w, int h) {
  const QImage* img = src.impl().PixelImage();
  if (!img || sw == 0 || sh == 0 || w == 0 || h == 0) return std::nullopt;
  const QPoint org = src.impl().Org;
  QRect r(sx - org.x(), sy - org.y(), std::abs(sw), std::abs(sh));
  if (sw < 0) r.moveLeft(sx - org.x() + sw);
  if (sh < 0) r.moveTop(sy - org.y() + sh);
  QImage block = img->copy(r);
  if (block.format() != QImage::Format_RGB32) block = block.convertToFormat(QImage::Format_RGB32);
  const bool flipX = (sw < 0) != (w < 0), flipY = (sh < 0) != (h < 0);
  if (flipX || flipY) block = block.mirrored(flipX, flipY);
  if (std::abs(w) != std::abs(sw) || std::abs(h) != std::abs(sh))
    block = block.scaled(std::abs(w), std::abs(h), Qt::IgnoreAspectRatio, Qt::FastTransformation);
  return block;
}

std::optional<QPainter::CompositionMode> SourceComposition(unsigned rop) {
  switch (rop) {
  case SRCCOPY:
    return QPainter::CompositionMode_Source;
  case SRCAND:
    return QPainter::RasterOp_SourceAndDestination;
  case SRCPAINT:
    return QPainter::RasterOp_SourceOrDestination;
  case SRCINVERT:
    return QPainter::RasterOp_SourceXorDestination;
  case NOTSRCCOPY:
    return QPainter::RasterOp_NotSource;
  case SRCERASE:
    return QPainter::RasterOp_SourceAndNotDestination;
  case NOTSRCERASE:
    return QPainter::RasterOp_NotSourceAndNotDestination;
  case MERGEPAINT:
    return QPainter::RasterOp_NotSourceOrDestination;
  default:
    return std::nullopt;
  }
}

// Codes that only need the target and the brush, drawn as fills.
bool PatternFill(TCanvas& dest, QPainter& p, const QRect& r, unsigned rop) {
  QColor color;
  QPainter::CompositionMode mode = QPainter::CompositionMode_Source;
  switch (rop) {
  case BLACKNESS:
    color = Qt::black;
    break;
  case WHITENESS:
    color = Qt::white;
    break;
  case DSTINVERT:
    color = Qt::white;
    mode = QPainter::RasterOp_NotDestination;
    break;
  case PATCOPY:
    color = QColor(ToQRgb(dest.Brush().Color()));
    break;
  case PATINVERT:
    color = QColor(ToQRgb(dest.Brush().Color()));
    mode = QPainter::RasterOp_SourceXorDestination;
    break;
  default:
    return false;
  }
  p.setCompositionMode(mode);
  p.fillRect(r, color);
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
  return true;
}

// Any ternary raster operation, pixel by pixel; needs a target whose pixels can be read.
bool TernaryBlt(TCanvas& dest, int x, int y, int w, int h, const QImage* block, unsigned rop) {
  auto& d = dest.impl();
  QImage* img = d.PixelImage();
  if (!img) return false;
  const unsigned code = (rop >> 16) & 0xFF;
  const std::uint32_t pattern = ToQRgb(dest.Brush().Color()) & 0xFFFFFFu;
  const QRect target(x - d.Org.x(), y - d.Org.y(), w, h);
  const QRegion area = d.DrawableRegion().intersected(target);
  if (area.isEmpty()) return true;
  std::uint32_t* bits = d.MutableBits();
  const qsizetype stride = img->bytesPerLine() / 4;
  for (const QRect& part : area) {
    for (int py = part.top(); py <= part.bottom(); ++py) {
      std::uint32_t* row = bits + py * stride;
      const std::uint32_t* srow =
          block ? reinterpret_cast<const std::uint32_t*>(block->constScanLine(py - target.top())) : nullptr;
      for (int px = part.left(); px <= part.right(); ++px) {
        const std::uint32_t D = row[px], S = srow ? srow[px - target.left()] : 0, P = pattern;
        std::uint32_t result = 0;
        for (unsigned i = 0; i < 8; ++i) {
          if (!((code >> i) & 1)) continue;
          result |= ((i & 4) ? P : ~P) & ((i & 2) ? S : ~S) & ((i & 1) ? D : ~D);
        }
        row[px] = 0xFF000000u | (result & 0xFFFFFFu);
      }
    }
  }
  return true;
}

bool UsesSource(unsigned rop) {
  const unsigned code = (rop >> 16) & 0xFF;
  // The result depends on S when swapping S changes some bit of the truth table.
  return ((code >> 2) & 0x33) != (code & 0x33);
}

bool Transfer(TCanvas& dest, int x, int y, int w, int h, const QImage* block, unsigned rop) {
  QPainter* p = dest.impl().Painter();
  if (!p) return false;
  if (w <= 0 || h <= 0) return true;
  if (block) {
    if (auto mode = SourceComposition(rop)) {
      p->setCompositionMode(*mode);
      p->drawImage(QPoint(x, y), *block);
      p->setCompositionMode(QPainter::CompositionMode_SourceOver);
      return true;
    }
  } else if (PatternFill(dest, *p, QRect(x, y, w, h), rop)) {
    return true;
  }
  return TernaryBlt(dest, x, y, w, h, block, rop);
}

} // namespace

bool BitBlt(TCanvas& dest, int x, int y, int w, int h, const TCanvas* src, int sx, int sy, unsigned rop) {
  if (w <= 0 || h <= 0) return dest.impl().Painter() != nullptr;
  if (!UsesSource(rop)) return Transfer(dest, x, y, w, h, nullptr, rop);
  if (!src || !src->impl().PixelImage()) return false;
  // Only the part of the block that lies on the source is copied.
  const QPoint org = src->impl().Org;
  const QRect wanted(sx - org.x(), sy - org.y(), w, h);
  const QRect have = wanted.intersected(src->impl().PixelImage()->rect());
  if (have.isEmpty()) return dest.impl().Painter() != nullptr;
  const int dx = have.left() - wanted.left(), dy = have.top() - wanted.top();
  auto block = SourceBlock(*src, sx + dx, sy + dy, have.width(), have.height(), have.width(), have.height());
  return block && Transfer(dest, x + dx, y + dy, have.width(), have.height(), &*block, rop);
}

bool StretchBlt(TCanvas& dest, int x, int y, int w, int h, const TCanvas& src, int sx, int sy, int sw, int sh,
                unsigned rop) {
  if (w == 0 || h == 0 || sw == 0 || sh == 0) return dest.impl().Painter() != nullptr;
  if (!UsesSource(rop))
    return Transfer(dest, std::min(x, x + w), std::min(y, y + h), std::abs(w), std::abs(h), nullptr, rop);
  auto block = SourceBlock(src, sx, sy, sw, sh, w, h);
  return block &&
         Transfer(dest, std::min(x, x + w), std::min(y, y + h), std::abs(w), std::abs(h), &*block, rop);
}

bool PatBlt(TCanvas& dest, int x, int y, int w, int h, unsigned rop) {
  if (UsesSource(rop)) return false;
  return Transfer(dest, std::min(x, x + w), std::min(y, y + h), std::abs(w), std::abs(h), nullptr, rop);
}

namespace {

// The block (RGB32) with key-colour pixels made fully transparent. Every pixel is either opaque or
// clear, so the premultiplied form holds the same colours and the painter blends it unconverted.
QImage Masked(const QImage& block, TColor keyColor) {
  QImage out(block.size(), QImage::Format_ARGB32_Premultiplied);
  const std::uint32_t key = ToQRgb(keyColor) & 0xFFFFFFu;
  const int w = out.width(), h = out.height();
  for (int y = 0; y < h; ++y) {
    const auto* in = reinterpret_cast<const std::uint32_t*>(block.constScanLine(y));
    auto* row = reinterpret_cast<std::uint32_t*>(out.scanLine(y));
    for (int x = 0; x < w; ++x)
      row[x] = (in[x] & 0xFFFFFFu) == key ? 0u : (0xFF000000u | in[x]);
  }
  return out;
}

} // namespace

bool TransparentBlt(TCanvas& dest, int x, int y, int w, int h, const TCanvas& src, int sx, int sy, int sw,
                    int sh, TColor keyColor) {
  QPainter* p = dest.impl().Painter();
  if (!p) return false;
  if (w <= 0 || h <= 0 || sw <= 0 || sh <= 0) return true;
  auto block = SourceBlock(src, sx, sy, sw, sh, w, h);
  if (!block) return false;
  p->setCompositionMode(QPainter::CompositionMode_SourceOver);
  p->drawImage(QPoint(x, y), Masked(*block, keyColor));
  return true;
}

bool AlphaBlend(TCanvas& dest, int x, int y, int w, int h, const TCanvas& src, int sx, int sy, int sw, int sh,
                int opacity) {
  QPainter* p = dest.impl().Painter();
  if (!p) return false;
  if (w <= 0 || h <= 0 || sw <= 0 || sh <= 0) return true;
  auto block = SourceBlock(src, sx, sy, sw, sh, w, h);
  if (!block) return false;
  p->save();
  p->setCompositionMode(QPainter::CompositionMode_SourceOver);
  p->setOpacity(std::clamp(opacity, 0, 255) / 255.0);
  p->drawImage(QPoint(x, y), *block);
  p->restore();
  return true;
}

// ---------------------------------------------------------------------------------------------

void TCanvas::Draw(int x, int y, const TBitmap& bitmap) {
  if (bitmap.Empty()) return;
  StretchDraw(Bounds(x, y, bitmap.Width(), bitmap.Height()), bitmap);
}

void TCanvas::StretchDraw(const TRect& dest, const TBitmap& bitmap) {
  TDrawCallScope call(*this, TDrawCallKind::Picture, dest);
  if (d->Scaled()) return MappedStretchDraw(*this, dest, bitmap);
  if (bitmap.Empty() || dest.IsEmpty()) return;
  const TCanvas& src = bitmap.Canvas();
  const TPoint org = src.WindowOrg(); // the bitmap's own origin does not move its picture
  if (bitmap.Transparent())
    TransparentBlt(*this, dest.Left, dest.Top, dest.Width(), dest.Height(), src, org.X, org.Y, bitmap.Width(),
                   bitmap.Height(), bitmap.TransparentColor());
  else
    StretchBlt(*this, dest.Left, dest.Top, dest.Width(), dest.Height(), src, org.X, org.Y, bitmap.Width(),
               bitmap.Height(), FCopyMode);
}

void TCanvas::CopyRect(const TRect& dest, const TCanvas& source, const TRect& sourceRect) {
  StretchBlt(*this, dest.Left, dest.Top, dest.Width(), dest.Height(), source, sourceRect.Left, sourceRect.Top,
             sourceRect.Width(), sourceRect.Height(), FCopyMode);
}

void TCanvas::BrushCopy(const TRect& dest, const TBitmap& bitmap, const TRect& sourceRect, TColor color) {
  if (dest.IsEmpty() || sourceRect.IsEmpty() || bitmap.Empty()) return;
  const TPoint org = bitmap.Canvas().WindowOrg();
  auto block = SourceBlock(bitmap.Canvas(), sourceRect.Left + org.X, sourceRect.Top + org.Y,
                           sourceRect.Width(), sourceRect.Height(), dest.Width(), dest.Height());
  if (!block) return;
  const std::uint32_t key = ToQRgb(color) & 0xFFFFFFu, fill = ToQRgb(FBrush.Color());
  for (int y = 0; y < block->height(); ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(block->scanLine(y));
    for (int x = 0; x < block->width(); ++x)
      if ((row[x] & 0xFFFFFFu) == key) row[x] = fill;
  }
  Transfer(*this, dest.Left, dest.Top, dest.Width(), dest.Height(), &*block, SRCCOPY);
}
