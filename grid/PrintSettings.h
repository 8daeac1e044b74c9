// How a string grid prints: page texts and their places, fonts, borders, margins and sizing.
#pragma once

#include "platform/Persistent.h"
#include "platform/StringList.h"
#include "platform/ui/Graphics.h"
#include "platform/ui/Printers.h"

#include <string>

enum TPrintPosition {
  ppNone,
  ppTopLeft,
  ppTopRight,
  ppTopCenter,
  ppBottomLeft,
  ppBottomRight,
  ppBottomCenter
};
enum TPrintBorders {
  pbNoborder,
  pbSingle,
  pbDouble,
  pbVertical,
  pbHorizontal,
  pbAround,
  pbAroundVertical,
  pbAroundHorizontal,
  pbCustom
};
enum TFitToPage { fpNever, fpGrow, fpShrink, fpAlways, fpCustom };

// Plain settings: (type, name, default). Sizes are in tenths of a millimetre.
#define VELMARIC_PRINT_SETTINGS(X)                                                                           \
  X(int, FooterSize, 0)                                                                                      \
  X(int, HeaderSize, 0)                                                                                      \
  X(TPrintPosition, Time, ppNone)                                                                            \
  X(TPrintPosition, Date, ppNone)                                                                            \
  X(std::string, DateFormat, "dd/mm/yyyy")                                                                   \
  X(TPrintPosition, PageNr, ppNone)                                                                          \
  X(TPrintPosition, Title, ppNone)                                                                           \
  X(std::string, TitleText, "")                                                                              \
  X(TPrintBorders, Borders, pbSingle)                                                                        \
  X(TPenStyle, BorderStyle, psSolid)                                                                         \
  X(bool, Centered, true)                                                                                    \
  X(bool, RepeatFixedRows, false)                                                                            \
  X(bool, RepeatFixedCols, false)                                                                            \
  X(int, LeftSize, 0)                                                                                        \
  X(int, RightSize, 0)                                                                                       \
  X(int, ColumnSpacing, 0)                                                                                   \
  X(int, RowSpacing, 0)                                                                                      \
  X(int, TitleSpacing, 0)                                                                                    \
  X(TPrinterOrientation, Orientation, poPortrait)                                                            \
  X(std::string, PagePrefix, "")                                                                             \
  X(std::string, PageSuffix, "")                                                                             \
  X(int, PageNumberOffset, 0)                                                                                \
  X(int, MaxPagesOffset, 0)                                                                                  \
  X(int, FixedWidth, 0)                                                                                      \
  X(int, FixedHeight, 0)                                                                                     \
  X(bool, UseFixedHeight, false)                                                                             \
  X(bool, UseFixedWidth, false)                                                                              \
  X(TFitToPage, FitToPage, fpNever)                                                                          \
  X(std::string, JobName, "")                                                                                \
  X(std::string, PageNumSep, "/")                                                                            \
  X(bool, NoAutoSize, false)                                                                                 \
  X(bool, NoAutoSizeRow, false)                                                                              \
  X(bool, PrintGraphics, false)                                                                              \
  X(bool, UseDisplayFont, true)                                                                              \
  X(bool, UseDefaultOrientation, false)                                                                      \
  X(TColor, BorderColor, 0)

class TPrintSettings : public TPersistent {
public:
#define VELMARIC_PRINT_ACCESS(T, N, D)                                                                       \
  const T& N() const {                                                                                       \
    return F##N;                                                                                             \
  }                                                                                                          \
  void Set##N(const T& Value) {                                                                              \
    F##N = Value;                                                                                            \
  }
  VELMARIC_PRINT_SETTINGS(VELMARIC_PRINT_ACCESS)
#undef VELMARIC_PRINT_ACCESS
  // The fonts and title lines are the settings' own; setters copy.
  TFont& Font() {
    return FFont;
  }
  void SetFont(const TFont& Value) {
    FFont.Assign(Value);
  }
  TFont& FixedFont() {
    return FFixedFont;
  }
  void SetFixedFont(const TFont& Value) {
    FFixedFont.Assign(Value);
  }
  TFont& HeaderFont() {
    return FHeaderFont;
  }
  void SetHeaderFont(const TFont& Value) {
    FHeaderFont.Assign(Value);
  }
  TFont& FooterFont() {
    return FFooterFont;
  }
  void SetFooterFont(const TFont& Value) {
    FFooterFont.Assign(Value);
  }
  TStringList& TitleLines() {
    return FTitleLines;
  }
  void SetTitleLines(const TStrings& Value) {
    FTitleLines.Assign(Value);
  }
  // Fixed cells printed also when only the selection is printed; not copied by Assign.
  bool FixedCellsAlways() const {
    return FFixedCellsAlways;
  }
  void SetFixedCellsAlways(bool Value) {
    FFixedCellsAlways = Value;
  }
  // From another print settings object only.
  void Assign(const TPersistent* Source) override {
    auto* o = dynamic_cast<const TPrintSettings*>(Source);
    if (!o) return;
#define VELMARIC_PRINT_COPY(T, N, D) F##N = o->F##N;
    VELMARIC_PRINT_SETTINGS(VELMARIC_PRINT_COPY)
#undef VELMARIC_PRINT_COPY
    FTitleLines.Assign(o->FTitleLines);
    FFont.Assign(o->FFont);
    FFixedFont.Assign(o->FFixedFont);
    FHeaderFont.Assign(o->FHeaderFont);
    FFooterFont.Assign(o->FFooterFont);
  }

private:
#define VELMARIC_PRINT_FIELD(T, N, D) T F##N = D;
  VELMARIC_PRINT_SETTINGS(VELMARIC_PRINT_FIELD)
#undef VELMARIC_PRINT_FIELD
  TFont FFont;
  TFont FFixedFont;
  TFont FHeaderFont;
  TFont FFooterFont;
  TStringList FTitleLines;
  bool FFixedCellsAlways = false;
};
