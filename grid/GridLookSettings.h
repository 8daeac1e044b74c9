// Settings objects of the string grid held as data with their defaults: grouping, the look of
// check boxes and fixed cells, the background, balloons, modified marks and sort indicators. Each
// copies from another of its class only.
#pragma once

#include "platform/Colors.h"
#include "platform/Persistent.h"
#include "platform/ui/Graphics.h"

#include <functional>
#include <string>
#include <string_view>

#define VELMARIC_SETTINGS_ACCESS(T, N, D)                                                                    \
  T N() const {                                                                                              \
    return F##N;                                                                                             \
  }                                                                                                          \
  void Set##N(T Value) {                                                                                     \
    F##N = Value;                                                                                            \
  }
#define VELMARIC_SETTINGS_FIELD(T, N, D) T F##N = D;
#define VELMARIC_SETTINGS_COPY(T, N, D) F##N = o->F##N;

// Copied by Assign (type, name, default), then the ones Assign leaves alone.
#define VELMARIC_GROUPING_COPIED(X)                                                                          \
  X(std::string, GroupCountFormat, "")                                                                       \
  X(TColor, HeaderColor, clNone)                                                                             \
  X(TColor, HeaderColorTo, clNone)                                                                           \
  X(TColor, HeaderTextColor, clNone)                                                                         \
  X(bool, HeaderUnderline, false)                                                                            \
  X(bool, MergeHeader, false)                                                                                \
  X(bool, MergeSummary, false)                                                                               \
  X(bool, ShowGroupCount, false)                                                                             \
  X(TColor, SummaryColor, clNone)                                                                            \
  X(TColor, SummaryColorTo, clNone)                                                                          \
  X(TColor, SummaryTextColor, clNone)                                                                        \
  X(bool, SummaryLine, false)                                                                                \
  X(bool, AutoCheckGroup, false)                                                                             \
  X(bool, AutoSelectGroup, false)
#define VELMARIC_GROUPING_KEPT(X)                                                                            \
  X(bool, Summary, false)                                                                                    \
  X(int, SummaryLineWidth, 2)                                                                                \
  X(int, HeaderLineWidth, 2)                                                                                 \
  X(TColor, SummaryLineColor, 0xFF0000)                                                                      \
  X(TColor, HeaderLineColor, 0xFF0000)

class TGrouping : public TPersistent {
public:
  VELMARIC_GROUPING_COPIED(VELMARIC_SETTINGS_ACCESS)
  VELMARIC_GROUPING_KEPT(VELMARIC_SETTINGS_ACCESS)
  void Assign(const TPersistent* Source) override {
    auto* o = dynamic_cast<const TGrouping*>(Source);
    if (!o) return;
    VELMARIC_GROUPING_COPIED(VELMARIC_SETTINGS_COPY)
  }

private:
  VELMARIC_GROUPING_COPIED(VELMARIC_SETTINGS_FIELD)
  VELMARIC_GROUPING_KEPT(VELMARIC_SETTINGS_FIELD)
};

// (TControlStyle names the platform's control flags, hence the prefix.)
enum TGridControlStyle { csClassic, csFlat, csWinXP, csBorland, csZUZ, csGlyph, csTheme };

#define VELMARIC_CONTROL_LOOK(X)                                                                             \
  X(TGridControlStyle, ControlStyle, csTheme)                                                                \
  X(int, CheckSize, 15)                                                                                      \
  X(int, RadioSize, 10)                                                                                      \
  X(TColor, Color, 0x000000)                                                                                 \
  X(TColor, CommentColor, 0x0000FF)                                                                          \
  X(bool, NoDisabledCheckRadioLook, false)                                                                   \
  X(bool, NoDisabledButtonLook, false)                                                                       \
  X(bool, CheckAlwaysActive, false)                                                                          \
  X(bool, RadioAlwaysActive, false)                                                                          \
  X(bool, FlatButton, false)                                                                                 \
  X(bool, ProgressXP, false)                                                                                 \
  X(bool, DropDownAlwaysVisible, false)                                                                      \
  X(bool, SpinButtonsAlwaysVisible, false)                                                                   \
  X(bool, FixedDropDownButton, false)                                                                        \
  X(int, ProgressMarginX, 2)                                                                                 \
  X(int, ProgressMarginY, 2)                                                                                 \
  X(TColor, ProgressBorderColor, 0x808080)                                                                   \
  X(TColor, FixedGradientFrom, clNone)                                                                       \
  X(TColor, FixedGradientTo, clNone)                                                                         \
  X(TColor, FixedGradientMirrorFrom, clNone)                                                                 \
  X(TColor, FixedGradientMirrorTo, clNone)                                                                   \
  X(TColor, FixedGradientHoverFrom, 0xFFFFFF)                                                                \
  X(TColor, FixedGradientHoverTo, 0x808080)                                                                  \
  X(TColor, FixedGradientHoverMirrorFrom, clNone)                                                            \
  X(TColor, FixedGradientHoverMirrorTo, clNone)                                                              \
  X(TColor, FixedGradientHoverBorder, 0xC0C0C0)                                                              \
  X(TColor, FixedGradientDownFrom, 0xC0C0C0)                                                                 \
  X(TColor, FixedGradientDownTo, 0x808080)                                                                   \
  X(TColor, FixedGradientDownMirrorFrom, clNone)                                                             \
  X(TColor, FixedGradientDownMirrorTo, clNone)                                                               \
  X(TColor, FixedGradientDownBorder, 0x808080)

#define VELMARIC_LOOK_ACCESS(T, N, D)                                                                        \
  T N() const {                                                                                              \
    return F##N;                                                                                             \
  }                                                                                                          \
  void Set##N(T Value) {                                                                                     \
    F##N = Value;                                                                                            \
    if (OnChange) OnChange(#N);                                                                              \
  }

class TControlLook : public TPersistent {
public:
  VELMARIC_CONTROL_LOOK(VELMARIC_LOOK_ACCESS)
  // Told the name of each setting a setter stored (the owning grid takes the fixed-cell colours
  // and repaints for the style).
  std::function<void(std::string_view Name)> OnChange;
  TControlLook() { Init(); }
  // Sets the initial colours; styles, sizes and switches stay. The hover and pressed From and To
  // colours start the other way round from the values a saved look leaves out.
  void Init() {
    FColor = 0x000000;
    FCommentColor = 0x0000FF;
    FProgressBorderColor = 0x808080;
    FFixedGradientFrom = FFixedGradientTo = FFixedGradientMirrorFrom = FFixedGradientMirrorTo = clNone;
    FFixedGradientHoverFrom = 0x808080;
    FFixedGradientHoverTo = 0xFFFFFF;
    FFixedGradientHoverMirrorFrom = FFixedGradientHoverMirrorTo = clNone;
    FFixedGradientHoverBorder = 0xC0C0C0;
    FFixedGradientDownFrom = 0x808080;
    FFixedGradientDownTo = 0xC0C0C0;
    FFixedGradientDownMirrorFrom = FFixedGradientDownMirrorTo = clNone;
    FFixedGradientDownBorder = 0x808080;
  }
  // Copies another look but its flat-button, XP progress, disabled-look and fixed drop-down
  // switches.
  void Assign(const TPersistent* Source) override {
    auto* o = dynamic_cast<const TControlLook*>(Source);
    if (!o) return;
    const bool flat = FFlatButton, xp = FProgressXP, noCheck = FNoDisabledCheckRadioLook,
               noButton = FNoDisabledButtonLook, fixedDrop = FFixedDropDownButton;
    VELMARIC_CONTROL_LOOK(VELMARIC_SETTINGS_COPY)
    FFlatButton = flat;
    FProgressXP = xp;
    FNoDisabledCheckRadioLook = noCheck;
    FNoDisabledButtonLook = noButton;
    FFixedDropDownButton = fixedDrop;
    FCheckedGlyph = o->FCheckedGlyph;
    FUnCheckedGlyph = o->FUnCheckedGlyph;
    FRadioOnGlyph = o->FRadioOnGlyph;
    FRadioOffGlyph = o->FRadioOffGlyph;
  }
  // Glyphs of the csGlyph style, copied in.
  const TBitmap& CheckedGlyph() const { return FCheckedGlyph; }
  void SetCheckedGlyph(const TBitmap& Value) { FCheckedGlyph = Value; }
  const TBitmap& UnCheckedGlyph() const { return FUnCheckedGlyph; }
  void SetUnCheckedGlyph(const TBitmap& Value) { FUnCheckedGlyph = Value; }
  const TBitmap& RadioOnGlyph() const { return FRadioOnGlyph; }
  void SetRadioOnGlyph(const TBitmap& Value) { FRadioOnGlyph = Value; }
  const TBitmap& RadioOffGlyph() const { return FRadioOffGlyph; }
  void SetRadioOffGlyph(const TBitmap& Value) { FRadioOffGlyph = Value; }

private:
  VELMARIC_CONTROL_LOOK(VELMARIC_SETTINGS_FIELD)
  TBitmap FCheckedGlyph;
  TBitmap FUnCheckedGlyph;
  TBitmap FRadioOnGlyph;
  TBitmap FRadioOffGlyph;
};

enum TBackGroundDisplay { bdTile, bdFixed, bdGradientHorz, bdGradientVert };
enum TBackGroundCells { bcNormal, bcFixed, bcAll };

#define VELMARIC_BACKGROUND(X)                                                                               \
  X(TBackGroundDisplay, Display, bdTile)                                                                     \
  X(TBackGroundCells, Cells, bcNormal)                                                                       \
  X(int, Left, 0)                                                                                            \
  X(int, Top, 0)                                                                                             \
  X(TColor, Color, clWindow)                                                                                 \
  X(TColor, ColorTo, clBtnFace)

// Owns its picture, which the setter and Assign copy.
class TBackGround : public TPersistent {
public:
  VELMARIC_BACKGROUND(VELMARIC_SETTINGS_ACCESS)
  const TBitmap& Bitmap() const { return FBitmap; }
  void SetBitmap(const TBitmap& Value) { FBitmap = Value; }
  void Assign(const TPersistent* Source) override {
    auto* o = dynamic_cast<const TBackGround*>(Source);
    if (!o) return;
    VELMARIC_BACKGROUND(VELMARIC_SETTINGS_COPY)
    FBitmap = o->FBitmap;
  }

private:
  VELMARIC_BACKGROUND(VELMARIC_SETTINGS_FIELD)
  TBitmap FBitmap;
};

#define VELMARIC_BALLOON(X)                                                                                  \
  X(bool, Enable, false)                                                                                     \
  X(TColor, BackgroundColor, clNone)                                                                         \
  X(TColor, TextColor, clNone)                                                                               \
  X(int, Transparency, 0)
#define VELMARIC_SHOW_MODIFIED(X)                                                                            \
  X(bool, Enabled, false)                                                                                    \
  X(TColor, Color, 0x0000FF)
#define VELMARIC_SORT_SETTINGS(X)                                                                            \
  X(bool, Show, false)                                                                                       \
  X(int, Row, 0)                                                                                             \
  X(int, Column, -1)                                                                                         \
  X(bool, Descending, false)                                                                                 \
  X(bool, IndexShow, false)                                                                                  \
  X(TColor, IndexColor, 0x00FFFF)                                                                            \
  X(bool, FixedCols, false)                                                                                  \
  X(TColor, HeaderColor, clNone)                                                                             \
  X(TColor, HeaderColorTo, clNone)                                                                           \
  X(TColor, HeaderMirrorColor, clNone)                                                                       \
  X(TColor, HeaderMirrorColorTo, clNone)                                                                     \
  X(bool, Full, true)                                                                                        \
  X(bool, SingleColumn, false)                                                                               \
  X(bool, IgnoreBlanks, false)                                                                               \
  X(TSortBlankPosition, BlankPos, blFirst)                                                                   \
  X(bool, AutoFormat, true)                                                                                  \
  X(bool, NormalCellsOnly, false)                                                                            \
  X(bool, AutoColumnMerge, false)                                                                            \
  X(bool, InitDescending, false)                                                                             \
  X(bool, UndoSort, false)                                                                                   \
  X(bool, AutoSortForGrouping, true)                                                                         \
  X(TIndexSortKey, IndexSortKey, ikShift)
// Not copied by Assign.
#define VELMARIC_SORT_SETTINGS_KEPT(X)                                                                       \
  X(bool, SortOnVirtualCells, true)                                                                          \
  X(bool, IgnoreCase, false)
#define VELMARIC_PLAIN_SETTINGS_CLASS(Name, LIST)                                                            \
  class Name : public TPersistent {                                                                          \
  public:                                                                                                    \
    LIST(VELMARIC_SETTINGS_ACCESS)                                                                           \
    void Assign(const TPersistent* Source) override {                                                        \
      auto* o = dynamic_cast<const Name*>(Source);                                                           \
      if (!o) return;                                                                                        \
      LIST(VELMARIC_SETTINGS_COPY)                                                                           \
    }                                                                                                        \
                                                                                                             \
  private:                                                                                                   \
    LIST(VELMARIC_SETTINGS_FIELD)                                                                            \
  };

VELMARIC_PLAIN_SETTINGS_CLASS(TBalloonSettings, VELMARIC_BALLOON)
VELMARIC_PLAIN_SETTINGS_CLASS(TShowModified, VELMARIC_SHOW_MODIFIED)
enum TSortBlankPosition { blFirst, blLast };
enum TSortDirection { sdAscending, sdDescending };
enum TIndexSortKey { ikShift, ikCtrl };
class TProStringGrid;

// Sort indicators; owns its four glyphs, which setters and Assign copy.
class TSortSettings : public TPersistent {
public:
  VELMARIC_SORT_SETTINGS(VELMARIC_SETTINGS_ACCESS)
  VELMARIC_SORT_SETTINGS_KEPT(VELMARIC_SETTINGS_ACCESS)
  TSortDirection Direction() const { return FDescending ? sdDescending : sdAscending; }
  void SetDirection(TSortDirection Value) { FDescending = Value == sdDescending; }
  void ToggleDirection() { FDescending = !FDescending; }
  // The grid sorted (set by the grid); the string forms below sort it (ProGridSort.cpp).
  void SetGrid(TProStringGrid* Grid) { FGrid = Grid; }
  // "u3" / "d3" for column 3 up or down; with IndexShow "i;" and the sort keys.
  std::string SaveToString() const;
  // Reads what SaveToString writes and sorts by it; "Invalid sort settings specifier" for a text
  // of one character. An empty text does nothing.
  void LoadFromString(const std::string& Value);
  // No sort column and no keys; no row moves.
  void Remove();
  const TBitmap& UpGlyph() const { return FUpGlyph; }
  void SetUpGlyph(const TBitmap& Value) { FUpGlyph = Value; }
  const TBitmap& DownGlyph() const { return FDownGlyph; }
  void SetDownGlyph(const TBitmap& Value) { FDownGlyph = Value; }
  const TBitmap& IndexUpGlyph() const { return FIndexUpGlyph; }
  void SetIndexUpGlyph(const TBitmap& Value) { FIndexUpGlyph = Value; }
  const TBitmap& IndexDownGlyph() const { return FIndexDownGlyph; }
  void SetIndexDownGlyph(const TBitmap& Value) { FIndexDownGlyph = Value; }
  void Assign(const TPersistent* Source) override {
    auto* o = dynamic_cast<const TSortSettings*>(Source);
    if (!o) return;
    VELMARIC_SORT_SETTINGS(VELMARIC_SETTINGS_COPY)
    FUpGlyph = o->FUpGlyph;
    FDownGlyph = o->FDownGlyph;
    FIndexUpGlyph = o->FIndexUpGlyph;
    FIndexDownGlyph = o->FIndexDownGlyph;
  }

private:
  VELMARIC_SORT_SETTINGS(VELMARIC_SETTINGS_FIELD)
  VELMARIC_SORT_SETTINGS_KEPT(VELMARIC_SETTINGS_FIELD)
  TProStringGrid* FGrid = nullptr;
  TBitmap FUpGlyph;
  TBitmap FDownGlyph;
  TBitmap FIndexUpGlyph;
  TBitmap FIndexDownGlyph;
};
