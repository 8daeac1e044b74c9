// The drag image: prepared once per drag, then moved with the mouse.
#include "tree/VTDragImage.h"

#include "platform/Colors.h"

#include <cmath>
#include <cstdlib>

void TVTDragImage::PrepareDrag(const TBitmap& DragImage, TPoint ImagePosition, TPoint HotSpot,
                               const IDataObjectPtr&) {
  // No shell image service here: the tree always carries its own picture.
  FStates.Exclude(disSystemSupport);
  FLastPosition = HotSpot;
  FDragImage.Assign(DragImage);
  if (FPreBlendBias != 0) {
    for (int y = 0; y < FDragImage.Height(); ++y) {
      std::uint32_t* row = FDragImage.ScanLine(y);
      for (int x = 0; x < FDragImage.Width(); ++x) {
        std::uint32_t p = row[x], out = 0xFF000000u;
        for (int shift = 0; shift <= 16; shift += 8) {
          int c = static_cast<int>((p >> shift) & 0xFF) + FPreBlendBias;
          c = c < 0 ? 0 : (c > 255 ? 255 : c);
          out |= static_cast<std::uint32_t>(c) << shift;
        }
        row[x] = out;
      }
    }
  }
  ComputeAlpha();
  FImagePosition = ImagePosition;
  FStates = {disHidden, disInDrag, disPrepared};
}

void TVTDragImage::ComputeAlpha() {
  const int W = FDragImage.Width(), H = FDragImage.Height();
  FAlpha.assign(static_cast<std::size_t>(W) * static_cast<std::size_t>(H), 0);
  const double M = std::max(W, H);
  const TColor key = FColorKey == clNone ? clNone : ColorToRGB(FColorKey);
  for (int y = 0; y < H; ++y) {
    const std::uint32_t* row = FDragImage.ScanLine(y);
    for (int x = 0; x < W; ++x) {
      std::uint8_t a;
      const std::uint32_t p = row[x];
      // Pixels are 0xRRGGBB on the scan line; colours are 0xBBGGRR.
      const TColor colour = static_cast<TColor>(((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16));
      if (key != clNone && colour == key) {
        a = 0;
      } else {
        const double dx = (x - W / 2) / M, dy = (y - H / 2) / M;
        const double d = std::sqrt(dx * dx + dy * dy);
        a = static_cast<std::uint8_t>(std::lround(255 * std::exp(-8 * d)));
      }
      FAlpha[static_cast<std::size_t>(y) * static_cast<std::size_t>(W) + static_cast<std::size_t>(x)] = a;
    }
  }
}

bool TVTDragImage::Visible() const {
  return FStates == TVTDragImageStates{disInDrag, disPrepared};
}

void TVTDragImage::ShowDragImage() {
  if (FStates == TVTDragImageStates{disHidden, disInDrag, disPrepared}) FStates.Exclude(disHidden);
}

void TVTDragImage::HideDragImage() {
  if (Visible()) FStates.Include(disHidden);
}

void TVTDragImage::EndDrag() {
  HideDragImage();
  FStates.Exclude(disInDrag);
  FStates.Exclude(disPrepared);
  FDragImage.SetSize(0, 0);
  FAlpha.clear();
}

TRect TVTDragImage::GetDragImageRect() const {
  if (!Visible()) return {};
  return {FImagePosition.X, FImagePosition.Y, FImagePosition.X + FDragImage.Width(),
          FImagePosition.Y + FDragImage.Height()};
}

bool TVTDragImage::WillMove(TPoint P) const {
  if (!Visible()) return false;
  switch (FRestriction) {
  case dmrHorizontalOnly:
    return P.X != FLastPosition.X;
  case dmrVerticalOnly:
    return P.Y != FLastPosition.Y;
  default:
    return P.X != FLastPosition.X || P.Y != FLastPosition.Y;
  }
}

bool TVTDragImage::DragTo(TPoint P, bool ForceRepaint) {
  int dx = FLastPosition.X - P.X, dy = FLastPosition.Y - P.Y;
  if (FRestriction == dmrHorizontalOnly) dy = 0;
  if (FRestriction == dmrVerticalOnly) dx = 0;
  const bool moved = dx != 0 || dy != 0 || ForceRepaint;
  if (!moved) return false;
  if (Visible()) {
    FImagePosition.X -= dx;
    FImagePosition.Y -= dy;
  }
  FLastPosition = P;
  return true;
}
