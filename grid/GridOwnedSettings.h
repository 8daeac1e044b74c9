// Settings objects of the string grid that carry pictures or tell their owner of changes: the
// progress bar colours in cells and the look of the filter drop-down lists. Each copies from
// another of its class only.
#pragma once

#include "platform/ui/Classes.h"
#include "platform/ui/Graphics.h"

enum TProgressStyle { psXP, psClassic };

#define VELMARIC_PROGRESS_APPEARANCE(X)                                                                      \
  X(TColor, CompleteColor, 0x0000FF)                                                                         \
  X(TColor, CompleteFontColor, 0xFF0000)                                                                     \
  X(TColor, UnCompleteColor, clNone)                                                                         \
  X(TColor, UnCompleteFontColor, clWindowText)                                                               \
  X(TColor, Level0Color, 0x00FF00)                                                                           \
  X(TColor, Level0ColorTo, 0xE1FFE1)                                                                         \
  X(TColor, Level1Color, 0x00FFFF)                                                                           \
  X(TColor, Level1ColorTo, 0xCAFFFF)                                                                         \
  X(TColor, Level2Color, 0x53A9FF)                                                                           \
  X(TColor, Level2ColorTo, 0xA8D3FF)                                                                         \
  X(TColor, Level3Color, 0x0000FF)                                                                           \
  X(TColor, Level3ColorTo, 0xCACAFF)                                                                         \
  X(int, Level1Perc, 70)                                                                                     \
  X(int, Level2Perc, 90)                                                                                     \
  X(TColor, BorderColor, 0)                                                                                  \
  X(bool, ShowBorder, false)                                                                                 \
  X(bool, Stacked, false)                                                                                    \
  X(bool, ShowPercentage, true)                                                                              \
  X(bool, CompletionSmooth, true)                                                                            \
  X(bool, ShowGradient, true)                                                                                \
  X(int, Steps, 11)                                                                                          \
  X(TProgressStyle, Style, psXP)

// Colours of progress bars drawn in cells; a setter tells OnChange only when the value changes.
class TGridProgressAppearance : public TPersistent {
public:
#define VELMARIC_PROGRESS_ACCESS(T, N, D)                                                                    \
  T N() const {                                                                                              \
    return F##N;                                                                                             \
  }                                                                                                          \
  void Set##N(T Value) {                                                                                     \
    if (F##N == Value) return;                                                                               \
    F##N = Value;                                                                                            \
    Changed();                                                                                               \
  }
  VELMARIC_PROGRESS_APPEARANCE(VELMARIC_PROGRESS_ACCESS)
#undef VELMARIC_PROGRESS_ACCESS
  // Copies every setting and tells OnChange once.
  void Assign(const TPersistent* Source) override {
    auto* o = dynamic_cast<const TGridProgressAppearance*>(Source);
    if (!o) return;
#define VELMARIC_PROGRESS_COPY(T, N, D) F##N = o->F##N;
    VELMARIC_PROGRESS_APPEARANCE(VELMARIC_PROGRESS_COPY)
#undef VELMARIC_PROGRESS_COPY
    Changed();
  }
  TNotifyEvent OnChange;

private:
  void Changed() {
    if (OnChange) OnChange(this);
  }
#define VELMARIC_PROGRESS_FIELD(T, N, D) T F##N = D;
  VELMARIC_PROGRESS_APPEARANCE(VELMARIC_PROGRESS_FIELD)
#undef VELMARIC_PROGRESS_FIELD
};

// The look of the filter drop-down lists; a new glyph tells OnChange.
class TFilterDropDown : public TPersistent {
public:
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value) { FAutoSize = Value; }
  int Height() const { return FHeight; }
  void SetHeight(int Value) { FHeight = Value; }
  int Width() const { return FWidth; }
  void SetWidth(int Value) { FWidth = Value; }
  TColor Color() const { return FColor; }
  void SetColor(TColor Value) { FColor = Value; }
  TFont& Font() { return FFont; }
  void SetFont(const TFont& Value) { FFont.Assign(Value); }
  const TBitmap& Glyph() const { return FGlyph; }
  void SetGlyph(const TBitmap& Value) {
    FGlyph = Value;
    Changed();
  }
  // The glyph of a column that has a filter.
  const TBitmap& GlyphActive() const { return FGlyphActive; }
  void SetGlyphActive(const TBitmap& Value) {
    FGlyphActive = Value;
    Changed();
  }
  bool ColumnWidth() const { return FColumnWidth; }
  void SetColumnWidth(bool Value) { FColumnWidth = Value; }
  // Everything but AutoSize.
  void Assign(const TPersistent* Source) override {
    auto* o = dynamic_cast<const TFilterDropDown*>(Source);
    if (!o) return;
    FColor = o->FColor;
    FColumnWidth = o->FColumnWidth;
    FFont.Assign(o->FFont);
    FHeight = o->FHeight;
    FWidth = o->FWidth;
    SetGlyph(o->FGlyph);
    SetGlyphActive(o->FGlyphActive);
  }
  TNotifyEvent OnChange;

private:
  void Changed() {
    if (OnChange) OnChange(this);
  }
  bool FAutoSize = false;
  int FHeight = 150;
  int FWidth = 150;
  TColor FColor = clWindow;
  TFont FFont;
  TBitmap FGlyph;
  TBitmap FGlyphActive;
  bool FColumnWidth = false;
};
