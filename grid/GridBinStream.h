// The pieces of the grid's binary cell stream that other code reads on its own: the header record
// (the clipboard paste reads the size and the saving grid before it loads), the number telling
// grids apart, and the names the stream writes for the cell enumerations.
#pragma once

#include "grid/CellGraphic.h"
#include "grid/EnumNames.h"
#include "platform/Streams.h"
#include "platform/ui/Graphics.h"
#include "platform/ui/StdCtrls.h"

#include <array>
#include <cstdint>
#include <string>

VELMARIC_ENUM_NAMES(TCellType, "ctBitmap", "ctIcon", "ctNone", "ctImageList", "ctCheckBox", "ctDataCheckBox",
                    "ctRotated", "ctDataImage", "ctNode", "ctRadio", "ctEmpty", "ctImages", "ctPicture",
                    "ctFilePicture", "ctValue", "ctProgress", "ctComment", "ctButton", "ctBitButton",
                    "ctVirtCheckBox", "ctRowCheckBox", "ctProgressPie", "ctSummary", "ctRangeIndicator",
                    "ctXPProgress", "ctInterface", "ctScrollbar", "ctRadioButton", "ctBalloon", "ctShape",
                    "ctRating", "ctTriStateCheckBox", "ctExpand");
VELMARIC_ENUM_NAMES(TCellVAlign, "vaTop", "vaBottom", "vaCenter", "vaUnderText", "vaAboveText", "vaFull");
VELMARIC_ENUM_NAMES(TCellHAlign, "haLeft", "haRight", "haCenter", "haBeforeText", "haAfterText", "haFull");
VELMARIC_ENUM_NAMES(TCheckBoxState, "cbUnchecked", "cbChecked", "cbGrayed");
VELMARIC_ENUM_NAMES(TBrushStyle, "bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal",
                    "bsBDiagonal", "bsCross", "bsDiagCross");
// A font style set by its bits, fsBold first.
inline constexpr std::array<const char*, 4> FontStyleNames{"fsBold", "fsItalic", "fsUnderline",
                                                           "fsStrikeOut"};

// The header: the rectangle's size, its widths and heights as comma text, whether it is the whole
// grid, and the saving grid's number.
struct TGridStreamHeader {
  int ColCount = 0;
  int RowCount = 0;
  std::string ColWidths;
  std::string RowHeights;
  bool FullGrid = false;
  std::int32_t ID = 0;
};

std::string GridStreamHeaderImage(const TGridStreamHeader& Header);
// Reads the header at the stream's position: EReadError for anything that is no header record,
// EProGridError for negative counts.
TGridStreamHeader ReadGridStreamHeader(TStream& Stream);

// A number for each live grid, different from every other live grid's in every running process:
// a task number this process holds in the high bits, a slot under it below; however many grids
// live, the process takes one more task number per 1024.
class TGridStreamID {
public:
  TGridStreamID();
  ~TGridStreamID();
  TGridStreamID(const TGridStreamID&) = delete;
  TGridStreamID& operator=(const TGridStreamID&) = delete;
  std::int32_t Value() const { return FValue; }

private:
  std::int32_t FValue;
};
