#include "grid/CellGraphic.h"

#include "grid/FilePicture.h"
#include "grid/IntList.h"
#include "platform/StringList.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Graphics.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <type_traits>

TCellGraphic::~TCellGraphic() {
  FreeObjects();
}

void TCellGraphic::FreeObjects() {
  if (FOwnsObject)
    std::visit(
        [](auto v) {
          if constexpr (!std::is_same_v<decltype(v), std::monostate>) delete v;
        },
        FObjectSlot);
  if (FOwnsIcon) delete FIcon;
  FObjectSlot = std::monostate{};
  FIcon = nullptr;
  FOwnsObject = FOwnsIcon = false;
}

void TCellGraphic::FreeFromCell(TObject* Graphic) {
  auto* g = dynamic_cast<TCellGraphic*>(Graphic);
  if (g && !IsShared(g->CellType())) delete g;
}

void TCellGraphic::MarkCreated() {
  FOwnsObject = !std::holds_alternative<std::monostate>(FObjectSlot);
  FOwnsIcon = FIcon != nullptr;
}

void TCellGraphic::SetCellObjectSlot(TObjectSlot Value) {
  if (FOwnsObject) {
    TBitmap* icon = FIcon;
    bool ownsIcon = FOwnsIcon;
    FOwnsIcon = false;
    FreeObjects();
    FIcon = icon;
    FOwnsIcon = ownsIcon;
  }
  FObjectSlot = Value;
  FOwnsObject = false;
}

void TCellGraphic::SetCellIcon(TBitmap* Value) {
  if (FOwnsIcon && FIcon != Value) delete FIcon;
  FIcon = Value;
  FOwnsIcon = false;
}

void TCellGraphic::Assign(const TPersistent* Source) {
  auto* g = dynamic_cast<const TCellGraphic*>(Source);
  if (!g) {
    TPersistent::Assign(Source);
    return;
  }
  FCellType = g->FCellType;
  FCellVAlign = g->FCellVAlign;
  FCellHAlign = g->FCellHAlign;
  FCellIndex = g->FCellIndex;
  FCellTransparent = g->FCellTransparent;
  FCellValue = g->FCellValue;
  FCellAngle = g->FCellAngle;
  FCellBoolean = g->FCellBoolean;
  FCellErrFrom = g->FCellErrFrom;
  FCellErrLen = g->FCellErrLen;
  FCellText = g->FCellText;
}

void TCellGraphic::SetBitmap(TBitmap* ABmp, bool Transparent, TCellHAlign hal, TCellVAlign val) {
  FCellType = ctBitmap;
  SetCellObjectSlot(ABmp);
  FCellTransparent = Transparent;
  SetAligns(hal, val);
}

void TCellGraphic::SetPicture(TPicture* APicture, bool Transparent, TStretchMode StretchMode, int padding,
                              TCellHAlign hal, TCellVAlign val) {
  FCellType = ctPicture;
  SetCellObjectSlot(APicture);
  FCellTransparent = Transparent;
  FCellAngle = StretchMode;
  FCellIndex = padding;
  SetAligns(hal, val);
}

void TCellGraphic::SetFilePicture(TFilePicture* APicture, bool Transparent, TStretchMode StretchMode,
                                  int padding, TCellHAlign hal, TCellVAlign val) {
  FCellType = ctFilePicture;
  SetCellObjectSlot(APicture);
  FCellTransparent = Transparent;
  FCellAngle = StretchMode;
  FCellIndex = padding;
  SetAligns(hal, val);
}

void TCellGraphic::SetIcon(TBitmap* AIcon, TCellHAlign hal, TCellVAlign val) {
  FCellType = ctIcon;
  SetCellIcon(AIcon);
  SetAligns(hal, val);
}

void TCellGraphic::SetImageIdx(int idx, TCellHAlign hal, TCellVAlign val) {
  FCellType = ctImageList;
  FCellIndex = idx;
  SetAligns(hal, val);
}

void TCellGraphic::SetDataImage(int idx, TCellHAlign hal, TCellVAlign val) {
  FCellType = ctDataImage;
  FCellIndex = idx;
  SetAligns(hal, val);
}

void TCellGraphic::SetMultiImage(int Col, int Row, int dir, TCellHAlign hal, TCellVAlign val) {
  FCellType = ctImages;
  SetCellObjectSlot(new TIntList(Col, Row));
  FOwnsObject = true;
  FCellBoolean = dir == 0;
  SetAligns(hal, val);
}

void TCellGraphic::SetAngle(int AAngle) {
  FCellType = ctRotated;
  // The angle arrives as a 16-bit value.
  int a = static_cast<std::int16_t>(AAngle);
  while (a < 0)
    a += 360;
  while (a > 360)
    a -= 360;
  FCellAngle = a;
}

void TCellGraphic::SetInterfacedCell(TPersistent* AObject) {
  FCellType = ctInterface;
  SetCellObjectSlot(AObject);
}

void TCellGraphic::SetCheckBox(bool Value, bool Data, bool Flat, TCellHAlign hal, TCellVAlign val) {
  FCellType = Data ? ctDataCheckBox : ctCheckBox;
  FCellAngle = 0;
  FCellBoolean = Value;
  FCellTransparent = Flat;
  SetAligns(hal, val);
}

void TCellGraphic::SetCheckBox(TCheckBoxState Value, bool Flat, TCellHAlign hal, TCellVAlign val) {
  FCellType = ctTriStateCheckBox;
  FCellCheckBoxState = Value;
  FCellBoolean = false;
  FCellTransparent = Flat;
  SetAligns(hal, val);
}

void TCellGraphic::SetRadioButton(bool Value, bool Flat, TCellHAlign hal, TCellVAlign val) {
  FCellType = ctRadioButton;
  FCellAngle = 0;
  FCellBoolean = Value;
  FCellTransparent = Flat;
  SetAligns(hal, val);
}

void TCellGraphic::SetButton(int bw, int bh, const std::string& caption, TCellHAlign hal, TCellVAlign val) {
  FCellType = ctButton;
  FCellIndex = static_cast<int>((static_cast<unsigned>(bh) << 16) | (static_cast<unsigned>(bw) & 0xFFFF));
  FCellBoolean = false;
  FCellText = caption;
  SetAligns(hal, val);
}

void TCellGraphic::SetBitButton(int bw, int bh, const std::string& caption, TBitmap* Glyph, TCellHAlign hal,
                                TCellVAlign val) {
  SetButton(bw, bh, caption, hal, val);
  FCellType = ctBitButton;
  SetCellObjectSlot(Glyph);
}

TPoint TCellGraphic::GetPictureSize(int cw, int rh, bool) const {
  int w = 0, h = 0;
  if (FCellType == ctPicture && CellPicture()) {
    w = CellPicture()->Width();
    h = CellPicture()->Height();
  } else if (FCellType == ctFilePicture && CellFilePicture()) {
    w = CellFilePicture()->Width();
    h = CellFilePicture()->Height();
  } else {
    return {0, 0};
  }
  const int W = cw - FCellIndex;
  const int H = rh - FCellIndex;
  const bool fits = W >= w && H >= h;
  auto aspect = [&](bool cap) -> TPoint {
    double fx = w > 0 && h > 0 ? static_cast<double>(W) / w : 1;
    double fy = w > 0 && h > 0 ? static_cast<double>(H) / h : 1;
    if (cap) {
      fx = std::min(fx, 1.0);
      fy = std::min(fy, 1.0);
    }
    // Rounded half to even, as the platform's rounding does.
    if (fx >= fy)
      return {static_cast<int>(std::nearbyint(w * fy)), cap ? static_cast<int>(std::nearbyint(h * fy)) : H};
    return {cap ? static_cast<int>(std::nearbyint(w * fx)) : W, static_cast<int>(std::nearbyint(h * fx))};
  };
  switch (static_cast<TStretchMode>(FCellAngle)) {
  case Stretch:
    return {W, H};
  case StretchWithAspectRatio:
    return aspect(false);
  case Shrink:
    return fits ? TPoint{w, h} : TPoint{W, H};
  case ShrinkWithAspectRatio:
    return fits ? TPoint{w, h} : aspect(true);
  default:
    return {w, h};
  }
}
