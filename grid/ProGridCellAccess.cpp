// Cell access around the plain cells: the edit text, the current cell, cells and objects by real
// index, and the per-cell look kept in each cell's properties.
#include "grid/EditTextForm.h"
#include "grid/ProGrid.h"
#include "grid/ProInplaceEdit.h"

#include "controls/HTMLTextTools.h"
#include "controls/ProUtilText.h"

#include <algorithm>

// --- Edit text and current cell ------------------------------------------------------------------

std::string TProStringGrid::GetEditText(int ACol, int ARow) {
  const int rc = RealColIndex(ACol);
  if (rc < 0) return {};
  const TPoint base = BaseCell(rc, ARow);
  if (TProInplaceEdit* edit = NormalEdit()) {
    TAlignment ha = taLeftJustify;
    TVAlignment va = vtaTop;
    CalcCellAlignment(base.X, base.Y, ha, va);
    edit->SetVAlign(ha == taRightJustify);
  }
  std::string text = DecodeWideCellText(TBaseGrid::GetEditText(base.X, base.Y));
  if (!FEditWithTags) text = StripHTMLTags(text);
  return text;
}

void TProStringGrid::SetEditText(int ACol, int ARow, const std::string& Value) {
  const int rc = RealColIndex(ACol);
  if (rc < 0) return;
  const TPoint base = BaseCell(rc, ARow);
  TBaseGrid::SetEditText(base.X, base.Y, StoredEditText(GridCells(base.X, base.Y), Value));
}

std::string TProStringGrid::CurrentCell() const {
  const TPoint base = BaseCell(RealCol(), Row());
  return base.X >= 0 && base.Y >= 0 ? GridCells(base.X, base.Y) : std::string();
}

void TProStringGrid::SetCurrentCell(const std::string& Value) {
  const TPoint base = BaseCell(RealCol(), Row());
  if (base.X >= 0 && base.Y >= 0) SetCells(base.X, base.Y, Value);
}

std::string TProStringGrid::GetCurrentCellText() const {
  const TPoint base = BaseCell(RealCol(), Row());
  return base.X >= 0 && base.Y >= 0 ? Cells(base.X, base.Y) : std::string();
}

void TProStringGrid::SetCurrentCellText(const std::string& Value) {
  SetEditText(Col(), Row(), Value);
}

int TProStringGrid::LinesInCell(int ACol, int ARow) const {
  return CountTextLines(Cells(ACol, ARow), true);
}

// --- Real-index access ---------------------------------------------------------------------------

std::string TProStringGrid::AllGridCells(int ACol, int ARow) const {
  if (ACol < 0 || ACol >= TotalColCount() || ARow < 0) return {};
  for (const TGridItem& item : FGridItems)
    if (item.Idx == ARow) return item.Text(ACol);
  const int r = RealToDisplRow(ARow);
  return r >= 0 ? GridCells(ACol, r) : std::string();
}

void TProStringGrid::SetAllGridCells(int ACol, int ARow, const std::string& Value) {
  if (IsHiddenRow(ARow)) {
    SetAllCells(ACol, ARow, Value);
    return;
  }
  const int r = RealToDisplRow(ARow);
  if (ACol >= 0 && ACol < TotalColCount() && r >= 0) SetGridCells(ACol, r, Value);
}

// --- Per-cell look -------------------------------------------------------------------------------

namespace {
template <class T, class Get> T ReadProp(const TCellProperties* p, T Default, Get get) {
  return p ? get(*p) : Default;
}
} // namespace

TColor TProStringGrid::Colors(int ACol, int ARow) const {
  return ReadProp(FindCellProperties(ACol, ARow), clNone,
                  [](const TCellProperties& p) { return p.BrushColor(); });
}

void TProStringGrid::SetColors(int ACol, int ARow, TColor Value) {
  if (TCellProperties* p = CellProperties(ACol, ARow)) p->SetBrushColor(Value);
  if (FUpdateCount == 0) RepaintCell(RealToDisplCol(ACol), ARow);
}

TColor TProStringGrid::ColorsTo(int ACol, int ARow) const {
  return ReadProp(FindCellProperties(ACol, ARow), clNone,
                  [](const TCellProperties& p) { return p.BrushColorTo(); });
}

void TProStringGrid::SetColorsTo(int ACol, int ARow, TColor Value) {
  if (TCellProperties* p = CellProperties(ACol, ARow)) p->SetBrushColorTo(Value);
  RepaintCell(RealToDisplCol(ACol), ARow);
}

TColor TProStringGrid::FontColors(int ACol, int ARow) const {
  return ReadProp(FindCellProperties(ACol, ARow), clNone,
                  [](const TCellProperties& p) { return p.FontColor(); });
}

void TProStringGrid::SetFontColors(int ACol, int ARow, TColor Value) {
  if (TCellProperties* p = CellProperties(ACol, ARow)) p->SetFontColor(Value);
  RepaintCell(RealToDisplCol(ACol), ARow);
}

TFontStyles TProStringGrid::FontStyles(int ACol, int ARow) const {
  return ReadProp(FindCellProperties(ACol, ARow), TFontStyles(0),
                  [](const TCellProperties& p) { return p.FontStyle(); });
}

void TProStringGrid::SetFontStyles(int ACol, int ARow, TFontStyles Value) {
  if (TCellProperties* p = CellProperties(ACol, ARow)) p->SetFontStyle(Value);
  RepaintCell(RealToDisplCol(ACol), ARow);
}

std::string TProStringGrid::FontNames(int ACol, int ARow) const {
  return ReadProp(FindCellProperties(ACol, ARow), std::string(),
                  [](const TCellProperties& p) { return p.FontName(); });
}

void TProStringGrid::SetFontNames(int ACol, int ARow, const std::string& Value) {
  if (TCellProperties* p = CellProperties(ACol, ARow)) p->SetFontName(Value);
  RepaintCell(RealToDisplCol(ACol), ARow);
}

int TProStringGrid::FontSizes(int ACol, int ARow) const {
  return ReadProp(FindCellProperties(ACol, ARow), 0, [](const TCellProperties& p) { return p.FontSize(); });
}

void TProStringGrid::SetFontSizes(int ACol, int ARow, int Value) {
  if (TCellProperties* p = CellProperties(ACol, ARow)) p->SetFontSize(Value);
  RepaintCell(RealToDisplCol(ACol), ARow);
}

TAlignment TProStringGrid::Alignments(int ACol, int ARow) const {
  return ReadProp(FindCellProperties(ACol, ARow), taLeftJustify,
                  [](const TCellProperties& p) { return p.Alignment(); });
}

void TProStringGrid::SetAlignments(int ACol, int ARow, TAlignment Value) {
  if (TCellProperties* p = CellProperties(ACol, ARow)) p->SetAlignment(Value);
  RepaintCell(RealToDisplCol(ACol), ARow);
}

bool TProStringGrid::ReadOnly(int ACol, int ARow) const {
  return ReadProp(FindCellProperties(ACol, ARow), false,
                  [](const TCellProperties& p) { return p.ReadOnly(); });
}

void TProStringGrid::SetReadOnly(int ACol, int ARow, bool Value) {
  if (TCellProperties* p = CellProperties(ACol, ARow)) p->SetReadOnly(Value);
  RepaintCell(RealToDisplCol(ACol), ARow);
}

bool TProStringGrid::WordWraps(int ACol, int ARow) {
  const TCellProperties* p = CellProperties(ACol, ARow);
  return p && p->WordWrap();
}

void TProStringGrid::SetWordWraps(int ACol, int ARow, bool Value) {
  if (TCellProperties* p = CellProperties(ACol, ARow)) p->SetWordWrap(Value);
  RepaintCell(RealToDisplCol(ACol), ARow);
}

void TProStringGrid::SetFonts(int ACol, int ARow, const TFont& Value) {
  if (TCellProperties* p = CellProperties(ACol, ARow)) {
    p->SetFontName(Value.Name());
    p->SetFontSize(Value.Size());
    p->SetFontStyle(Value.Style());
    p->SetFontColor(Value.Color());
  }
  if (FUpdateCount == 0) RepaintCell(RealToDisplCol(ACol), ARow);
}

void TProStringGrid::SetRowColor(int ARow, TColor Value) {
  for (int c = FixedCols(); c < TotalColCount(); ++c) {
    if (Value == clNone) {
      if (!FindCellProperties(c, ARow)) continue;
      if (GetCellType(c, ARow) == ctEmpty || GetCellType(c, ARow) == ctNone)
        FreeCellProperties(c, ARow);
      else
        CellProperties(c, ARow)->SetBrushColor(clNone);
    } else if (TCellProperties* p = CellProperties(c, ARow)) {
      p->SetBrushColor(Value);
    }
  }
  RepaintRow(ARow);
}

void TProStringGrid::SetRowColorTo(int ARow, TColor Value) {
  for (int c = FixedCols(); c < TotalColCount(); ++c) {
    if (Value == clNone) {
      // A cell's graphic (a check box, a picture) lives in its record and stays.
      if (!FindCellProperties(c, ARow)) continue;
      if (GetCellType(c, ARow) == ctEmpty)
        FreeCellProperties(c, ARow);
      else
        CellProperties(c, ARow)->SetBrushColorTo(clNone);
    } else if (TCellProperties* p = CellProperties(c, ARow)) {
      p->SetBrushColorTo(Value);
    }
  }
  RepaintRow(ARow);
}

void TProStringGrid::SetRowFontColor(int ARow, TColor Value) {
  for (int c = FixedCols(); c < TotalColCount(); ++c) {
    if (Value == clNone) {
      if (!FindCellProperties(c, ARow) || Colors(c, ARow) != clNone) continue;
      if (GetCellType(c, ARow) == ctEmpty)
        FreeCellProperties(c, ARow);
      else
        CellProperties(c, ARow)->SetFontColor(clNone);
    } else if (TCellProperties* p = CellProperties(c, ARow)) {
      p->SetFontColor(Value);
    }
  }
  RepaintRow(ARow);
}
