// Small settings objects the string grid owns: column sizes and stretching, sizing while typing,
// the HTML export, and scrolling while something is dragged over the grid's edges.
#pragma once

#include "grid/IntList.h"
#include "platform/Persistent.h"

#include <functional>
#include <memory>
#include <string>

enum TColumnSizeLocation { clRegistry, clIniFile };
enum TAutoSizeRows { arAll, arNormal, arFixed };

class TColumnSize : public TPersistent {
public:
  bool Save() const { return FSave; }
  void SetSave(bool Value) { FSave = Value; }
  const std::string& Key() const { return FKey; }
  void SetKey(const std::string& Value) { FKey = Value; }
  const std::string& Section() const { return FSection; }
  void SetSection(const std::string& Value) { FSection = Value; }
  bool Stretch() const { return FStretch; }
  // Stores the flag and lets the grid stretch at once (OnStretchChange).
  void SetStretch(bool Value);
  int StretchColumn() const { return FStretchColumn; }
  void SetStretchColumn(int Value) { FStretchColumn = Value; }
  bool SynchWithGrid() const { return FSynchWithGrid; }
  void SetSynchWithGrid(bool Value) { FSynchWithGrid = Value; }
  bool SynchNormalCellsOnly() const { return FSynchNormalCellsOnly; }
  void SetSynchNormalCellsOnly(bool Value) { FSynchNormalCellsOnly = Value; }
  TColumnSizeLocation Location() const { return FLocation; }
  void SetLocation(TColumnSizeLocation Value) { FLocation = Value; }
  TAutoSizeRows Rows() const { return FRows; }
  void SetRows(TAutoSizeRows Value) { FRows = Value; }
  void Assign(const TPersistent* Source) override;
  TNotifyEvent OnStretchChange;

private:
  bool FSave = false;
  std::string FKey;
  std::string FSection;
  bool FStretch = false;
  int FStretchColumn = -1;
  bool FSynchWithGrid = false;
  bool FSynchNormalCellsOnly = false;
  TColumnSizeLocation FLocation = clRegistry;
  TAutoSizeRows FRows = arAll;
};

class TSizeWhileTyping : public TPersistent {
public:
  bool Height() const { return FHeight; }
  void SetHeight(bool Value) { FHeight = Value; }
  bool Width() const { return FWidth; }
  void SetWidth(bool Value) { FWidth = Value; }
  void Assign(const TPersistent* Source) override;

private:
  bool FHeight = false;
  bool FWidth = false;
};

// The stored settings of the HTML export, in stream order: type, name, default.
#define VELMARIC_HTML_SETTINGS(X)                                                                            \
  X(bool, AutoPreview, false)                                                                                \
  X(bool, ConvertSpecialChars, false)                                                                        \
  X(bool, NonBreakingText, false)                                                                            \
  X(bool, SaveColor, true)                                                                                   \
  X(bool, SaveFonts, true)                                                                                   \
  X(std::string, FooterFile, "")                                                                             \
  X(std::string, HeaderFile, "")                                                                             \
  X(int, BorderSize, 1)                                                                                      \
  X(int, CellSpacing, 0)                                                                                     \
  X(int, CellPadding, 0)                                                                                     \
  X(std::string, TableStyle, "")                                                                             \
  X(std::string, PrefixTag, "")                                                                              \
  X(std::string, SuffixTag, "")                                                                              \
  X(std::string, Summary, "")                                                                                \
  X(int, Width, 100)                                                                                         \
  X(bool, XHTML, false)                                                                                      \
  X(bool, ExportImages, true)

class THTMLSettings : public TPersistent {
public:
#define VELMARIC_HTML_ACCESS(T, N, D)                                                                        \
  const T& N() const {                                                                                       \
    return F##N;                                                                                             \
  }                                                                                                          \
  void Set##N(const T& Value) {                                                                              \
    F##N = Value;                                                                                            \
  }
  VELMARIC_HTML_SETTINGS(VELMARIC_HTML_ACCESS)
#undef VELMARIC_HTML_ACCESS
  TIntList& ColWidths() {
    return FColWidths;
  }
  // Copies everything but ExportImages and the column widths.
  void Assign(const TPersistent* Source) override;

private:
#define VELMARIC_HTML_FIELD(T, N, D) T F##N = D;
  VELMARIC_HTML_SETTINGS(VELMARIC_HTML_FIELD)
#undef VELMARIC_HTML_FIELD
  TIntList FColWidths{0, 0};
};

class TDragScrollOptions : public TPersistent {
public:
  bool Active() const { return FActive; }
  void SetActive(bool Value) { FActive = Value; }
  int InitialDelay() const { return FInitialDelay; }
  void SetInitialDelay(int Value) { FInitialDelay = Value; }
  int RepeatDelay() const { return FRepeatDelay; }
  void SetRepeatDelay(int Value) { FRepeatDelay = Value; }
  int TopMargin() const { return FTopMargin; }
  void SetTopMargin(int Value) { FTopMargin = Value; }
  int BottomMargin() const { return FBottomMargin; }
  void SetBottomMargin(int Value) { FBottomMargin = Value; }
  int LeftMargin() const { return FLeftMargin; }
  void SetLeftMargin(int Value) { FLeftMargin = Value; }
  int RightMargin() const { return FRightMargin; }
  void SetRightMargin(int Value) { FRightMargin = Value; }
  void Assign(const TPersistent* Source) override;

private:
  bool FActive = false;
  int FInitialDelay = 1000;
  int FRepeatDelay = 250;
  int FTopMargin = 50;
  int FBottomMargin = 50;
  int FLeftMargin = 50;
  int FRightMargin = 50;
};
