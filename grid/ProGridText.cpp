// Highlighting and marking text in cells, the cell checker, values of controls embedded in cell
// mark-up, addresses shown as links and the cell under a screen point.
#include "controls/HTMLControlTags.h"
#include "controls/HTMLEntities.h"
#include "controls/HTMLTextTools.h"
#include "controls/ProUtilCellText.h"
#include "grid/ProGrid.h"

#include <algorithm>

namespace {
constexpr const char* HilightTag = "hi";
constexpr const char* MarkTag = "e";
} // namespace

std::string TProStringGrid::HilightText(bool DoCase, const std::string& S, const std::string& Text) {
  return HighlightInHTML(S, Text, HilightTag, DoCase);
}
std::string TProStringGrid::UnHilightText(const std::string& S) {
  return UnhighlightInHTML(S, HilightTag);
}
std::string TProStringGrid::MarkText(bool DoCase, const std::string& S, const std::string& Text) {
  return HighlightInHTML(S, Text, MarkTag, DoCase);
}
std::string TProStringGrid::UnMarkText(const std::string& S) {
  return UnhighlightInHTML(S, MarkTag);
}

void TProStringGrid::FixedRangeRows(bool DoFixed, int& FromRow, int& ToRow) const {
  FromRow = DoFixed ? 0 : FixedRows();
  ToRow = DoFixed ? RowCount() - 1 : RowCount() - FixedFooters() - 1;
}

void TProStringGrid::FixedRangeCols(bool DoFixed, int& FromCol, int& ToCol) const {
  FromCol = DoFixed ? 0 : FixedCols();
  ToCol = DoFixed ? TotalColCount() - 1 : TotalColCount() - FixedRightCols() - 1;
}

void TProStringGrid::TagCells(int FromCol, int FromRow, int ToCol, int ToRow, const char* Tag, bool Add,
                              bool DoCase, const std::string& HiText) {
  FromCol = std::max(FromCol, 0);
  FromRow = std::max(FromRow, 0);
  ToCol = std::min(ToCol, TotalColCount() - 1);
  ToRow = std::min(ToRow, RowCount() - 1);
  // Search text and cell text are compared entity-encoded, so a "<" in either matches.
  const std::string search = Add ? EncodeHTMLEntities(HiText, false) : std::string();
  for (int r = FromRow; r <= ToRow; ++r)
    for (int c = FromCol; c <= ToCol; ++c) {
      if (!IsBaseCell(c, r)) continue;
      const std::string text = OnGetDisplText ? Cells(c, r) : GridCells(c, r);
      std::string out = Add ? HighlightInHTML(EncodeHTMLEntities(text, false), search, Tag, DoCase)
                            : UnhighlightInHTML(DecodeHTMLEntities(text, false), Tag);
      if (out != text) SetCells(c, r, out);
    }
}

void TProStringGrid::HilightInCell(bool DoCase, int Col, int Row, const std::string& HiText) {
  TagCells(Col, Row, Col, Row, HilightTag, true, DoCase, HiText);
}
void TProStringGrid::HilightInCol(bool DoFixed, bool DoCase, int Col, const std::string& HiText) {
  int r0, r1;
  FixedRangeRows(DoFixed, r0, r1);
  TagCells(Col, r0, Col, r1, HilightTag, true, DoCase, HiText);
}
void TProStringGrid::HilightInRow(bool DoFixed, bool DoCase, int Row, const std::string& HiText) {
  int c0, c1;
  FixedRangeCols(DoFixed, c0, c1);
  TagCells(c0, Row, c1, Row, HilightTag, true, DoCase, HiText);
}
void TProStringGrid::HilightInGrid(bool DoFixed, bool DoCase, const std::string& HiText) {
  int r0, r1, c0, c1;
  FixedRangeRows(DoFixed, r0, r1);
  FixedRangeCols(DoFixed, c0, c1);
  TagCells(c0, r0, c1, r1, HilightTag, true, DoCase, HiText);
}
void TProStringGrid::UnHilightInCell(int Col, int Row) {
  TagCells(Col, Row, Col, Row, HilightTag, false, false, {});
}
void TProStringGrid::UnHilightInCol(bool DoFixed, int Col) {
  int r0, r1;
  FixedRangeRows(DoFixed, r0, r1);
  TagCells(Col, r0, Col, r1, HilightTag, false, false, {});
}
void TProStringGrid::UnHilightInRow(bool DoFixed, int Row) {
  int c0, c1;
  FixedRangeCols(DoFixed, c0, c1);
  TagCells(c0, Row, c1, Row, HilightTag, false, false, {});
}
void TProStringGrid::UnHilightInGrid(bool DoFixed) {
  int r0, r1, c0, c1;
  FixedRangeRows(DoFixed, r0, r1);
  FixedRangeCols(DoFixed, c0, c1);
  TagCells(c0, r0, c1, r1, HilightTag, false, false, {});
}
void TProStringGrid::MarkInCell(bool DoCase, int Col, int Row, const std::string& HiText) {
  TagCells(Col, Row, Col, Row, MarkTag, true, DoCase, HiText);
}
void TProStringGrid::MarkInCol(bool DoFixed, bool DoCase, int Col, const std::string& HiText) {
  int r0, r1;
  FixedRangeRows(DoFixed, r0, r1);
  TagCells(Col, r0, Col, r1, MarkTag, true, DoCase, HiText);
}
void TProStringGrid::MarkInRow(bool DoFixed, bool DoCase, int Row, const std::string& HiText) {
  int c0, c1;
  FixedRangeCols(DoFixed, c0, c1);
  TagCells(c0, Row, c1, Row, MarkTag, true, DoCase, HiText);
}
void TProStringGrid::MarkInGrid(bool DoFixed, bool DoCase, const std::string& HiText) {
  int r0, r1, c0, c1;
  FixedRangeRows(DoFixed, r0, r1);
  FixedRangeCols(DoFixed, c0, c1);
  TagCells(c0, r0, c1, r1, MarkTag, true, DoCase, HiText);
}
void TProStringGrid::UnMarkInCell(int Col, int Row) {
  TagCells(Col, Row, Col, Row, MarkTag, false, false, {});
}
void TProStringGrid::UnMarkInCol(bool DoFixed, int Col) {
  int r0, r1;
  FixedRangeRows(DoFixed, r0, r1);
  TagCells(Col, r0, Col, r1, MarkTag, false, false, {});
}
void TProStringGrid::UnMarkInRow(bool DoFixed, int Row) {
  int c0, c1;
  FixedRangeCols(DoFixed, c0, c1);
  TagCells(c0, Row, c1, Row, MarkTag, false, false, {});
}
void TProStringGrid::UnMarkInGrid(bool DoFixed) {
  int r0, r1, c0, c1;
  FixedRangeRows(DoFixed, r0, r1);
  FixedRangeCols(DoFixed, c0, c1);
  TagCells(c0, r0, c1, r1, MarkTag, false, false, {});
}

// --- Checking --------------------------------------------------------------------------------

bool TProStringGrid::CheckCells(int FromCol, int FromRow, int ToCol, int ToRow) {
  TProStringGridCheck* checker = FCellChecker;
  if (!checker) return true;
  checker->StartCheck();
  const int oldCol = Col(), oldRow = Row();
  bool all = true;
  for (int r = std::max(FromRow, 0); r <= std::min(ToRow, RowCount() - 1); ++r)
    for (int c = std::max(FromCol, 0); c <= std::min(ToCol, TotalColCount() - 1); ++c)
      all = CheckCell(c, r) && all; // every cell is checked, also after a failure
  checker->StopCheck();
  if (checker->GotoCell()) MoveCurrentCell(oldCol, oldRow);
  return all;
}

bool TProStringGrid::CheckCell(int Col, int Row) {
  TProStringGridCheck* checker = FCellChecker;
  if (!checker || Col < 0 || Row < 0 || Col >= TotalColCount() || Row >= RowCount()) return true;
  // The stored text: what the display adds (links) must not be written back.
  const std::string unmarked = UnMarkText(GridCells(Col, Row));
  if (checker->GotoCell()) {
    const int display = RealToDisplCol(Col);
    if (display >= 0) MoveCurrentCell(display, Row);
  }
  std::string text = unmarked;
  if (checker->UseCorrect()) text = checker->Correct(Col, Row, text);
  if (checker->UseMarkError()) text = checker->MarkError(Col, Row, text);
  SetCells(Col, Row, text);
  return text == unmarked;
}

bool TProStringGrid::CheckCol(bool DoFixed, int Col) {
  int r0, r1;
  FixedRangeRows(DoFixed, r0, r1);
  return CheckCells(Col, r0, Col, r1);
}

bool TProStringGrid::CheckRow(bool DoFixed, int Row) {
  int c0, c1;
  FixedRangeCols(DoFixed, c0, c1);
  return CheckCells(c0, Row, c1, Row);
}

bool TProStringGrid::CheckGrid(bool DoFixed) {
  int r0, r1, c0, c1;
  FixedRangeRows(DoFixed, r0, r1);
  FixedRangeCols(DoFixed, c0, c1);
  return CheckCells(c0, r0, c1, r1);
}

// --- Embedded controls, links, positions --------------------------------------------------------

std::string TProStringGrid::ControlValues(int ACol, int ARow, const std::string& ID) const {
  if (ACol < 0 || ARow < 0 || ACol >= TotalColCount() || ARow >= RowCount()) return {};
  std::string value;
  return GetHTMLControlValue(GridCells(ACol, ARow), ID, value) ? value : std::string();
}

void TProStringGrid::SetControlValues(int ACol, int ARow, const std::string& ID, const std::string& Value) {
  if (ACol < 0 || ARow < 0 || ACol >= TotalColCount() || ARow >= RowCount()) return;
  std::string text = GridCells(ACol, ARow);
  if (SetHTMLControlValue(text, ID, Value)) SetCells(ACol, ARow, text);
}

void TProStringGrid::GetDisplText(int ACol, int ARow, std::string& Value) const {
  TBaseGrid::GetDisplText(ACol, ARow, Value);
  if (!FURLShowInText) return;
  // The first scheme found wins; "HTTP://" goes before "WWW." so a full address keeps its scheme.
  for (const char* prefix : {"HTTP://", "WWW.", "MAILTO:", "HTTPS://", "NNTP://", "FILE://", "FTP://"}) {
    std::string linked;
    if (AnchorURLInText(Value, prefix, linked)) {
      Value = linked;
      return;
    }
  }
}

void TProStringGrid::ScreenToCell(TPoint pt, int& ACol, int& ARow) const {
  const TPoint p = ScreenToClient(pt);
  const TGridCoord cell = MouseToCell(p.X, p.Y);
  ACol = cell.X;
  ARow = cell.Y;
}
