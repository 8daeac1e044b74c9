// What one run of the tree's painting carries from cell to cell.
#pragma once

#include "platform/ui/Controls.h"
#include "platform/ui/Graphics.h"
#include "tree/NodeTypes.h"

#include <array>
#include <cstdint>
#include <vector>

class TImageList;

enum TVTInternalPaintOption {
  poBackground,
  poColumnColor,
  poDrawFocusRect,
  poDrawSelection,
  poDrawDropMark,
  poGridLines,
  poMainOnly,
  poSelectedOnly,
  poUnbuffered,
};
using TVTInternalPaintOptions = TEnumSet<TVTInternalPaintOption, std::uint16_t>;

enum TVTLineStyle { lsCustomStyle, lsDotted, lsSolid };
enum TVTLineMode { lmNormal, lmBands };
enum TVTButtonStyle { bsRectangle, bsTriangle };
enum TVTButtonFillMode { fmTreeColor, fmWindowColor, fmShaded, fmTransparent };
enum TVTLineType : std::uint8_t {
  ltNone,
  ltBottomRight,
  ltTopDown,
  ltTopDownRight,
  ltRight,
  ltTopRight,
  ltLeft,
  ltLeftBottom,
};
using TLineImage = std::vector<std::uint8_t>;

enum TVTImageSlotKind { imgNormal, imgState, imgCheck, imgOverlay };
struct TVTImageSlot {
  int Index = -1;
  int X = 0;
  int Y = 0;
  bool Ghosted = false;
  TImageList* ImageList = nullptr;
};

struct TVTPaintInfo {
  TCanvas* Canvas = nullptr;
  TVTInternalPaintOptions PaintOptions;
  PVNode Node = nullptr;
  TColumnIndex Column = NoColumn;
  TRect CellRect;
  TRect ContentRect;
  int NodeWidth = 0;
  TAlignment Alignment = taLeftJustify;
  TBiDiMode BidiMode = bdLeftToRight;
  TPoint BrushOrigin;
  std::array<TVTImageSlot, 4> ImageInfo;
};
