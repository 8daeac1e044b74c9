// Finding cells by text, stepping from match to match, replacing in the matches, and the prefix
// search of incremental typing.
#include "controls/FilterCondition.h"
#include "controls/HTMLTextTools.h"
#include "grid/ProGrid.h"
#include "platform/Collate.h"

#include <algorithm>

namespace {

// The rectangle searched and the cell the scan starts at.
struct TFindRange {
  int C0 = 0, C1 = -1, R0 = 0, R1 = -1;
};

size_t CodePointLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if ((lead >> 5) == 0x6) return 2;
  if ((lead >> 4) == 0xE) return 3;
  if ((lead >> 3) == 0x1E) return 4;
  return 1;
}

// Upper case of one code point; ASCII without a trip to the locale.
std::string UpperCodePoint(std::string_view cp) {
  if (cp.size() == 1) {
    char c = cp[0];
    return std::string(1, c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c);
  }
  return LocaleUpperCase(cp);
}

// Whether `pattern` stands at byte `at` of `text`, code point by code point without case; the
// length it covers in `text` goes to `length`.
bool MatchesIgnoringCase(std::string_view text, size_t at, std::string_view pattern, size_t& length) {
  size_t i = at, j = 0;
  while (j < pattern.size()) {
    if (i >= text.size()) return false;
    const size_t a = std::min(CodePointLength(static_cast<unsigned char>(text[i])), text.size() - i);
    const size_t b = std::min(CodePointLength(static_cast<unsigned char>(pattern[j])), pattern.size() - j);
    const std::string_view x = text.substr(i, a), y = pattern.substr(j, b);
    if (x != y && UpperCodePoint(x) != UpperCodePoint(y)) return false;
    i += a;
    j += b;
  }
  length = i - at;
  return true;
}

// Every occurrence of `from` replaced by `to`, left to right without overlaps.
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to, bool matchCase) {
  if (from.empty()) return std::string(text);
  std::string out;
  size_t i = 0;
  while (i < text.size()) {
    size_t length = 0;
    const bool hit =
        matchCase ? text.substr(i, from.size()) == from : MatchesIgnoringCase(text, i, from, length);
    if (hit) {
      out += to;
      i += matchCase ? from.size() : length;
    } else {
      const size_t n = std::min(CodePointLength(static_cast<unsigned char>(text[i])), text.size() - i);
      out.append(text.substr(i, n));
      i += n;
    }
  }
  return out;
}

} // namespace

bool TProStringGrid::FindCellMatches(int ACol, int ARow, TFindParams FindParams) const {
  const bool matchCase = FindParams & fnMatchCase;
  const int col = FindParams & fnIncludeHiddenColumns ? ACol : RealColIndex(ACol);
  std::string text = FindParams & fnIncludeHiddenRows ? AllCells(col, ARow) : Cells(col, ARow);
  if (FindParams & fnIgnoreHTMLTags) text = StripHTMLTags(text);
  if (!matchCase) text = LocaleUpperCase(text);
  if (FindParams & fnMatchRegular) {
    try {
      return MatchFilterCondition(FSearchCache, text, matchCase);
    } catch (...) {
      return false;
    }
  }
  if (FSearchCache == "\"\"") return text.empty();
  if (FSearchCache.empty()) return false;
  const size_t p = text.find(FSearchCache);
  const bool hit = FindParams & fnMatchStart ? p == 0 : p != std::string::npos;
  const bool full = !(FindParams & fnMatchFull) || text == FSearchCache;
  return hit && full;
}

TPoint TProStringGrid::FindCell(TPoint StartCell, const std::string& s, TFindParams FindParams) {
  TPoint result{-1, -1};
  FFindParams = FindParams;
  FFindBusy = true;
  FSearchCache = FindParams & fnMatchCase ? s : LocaleUpperCase(s);
  if (ColCount() == FixedCols() || ColCount() == 0 || TotalRowCount() == FixedRows() || RowCount() == 0)
    return result;

  TFindRange R;
  if (FindParams & fnIncludeFixed) {
    R = {0, ColCount() - 1, 0, RowCount() - 1};
  } else {
    R = {FixedCols(), ColCount() - FixedRightCols() - 1, FixedRows(), RowCount() - FixedFooters() - 1};
  }
  if (FindParams & fnSelectedCells) {
    const TGridRect sel = Selection();
    R = {sel.Left, sel.Right, sel.Top, sel.Bottom};
  }
  if (FindParams & fnIncludeHiddenColumns) R.C1 += NumHiddenColumns();
  if (FindParams & fnIncludeHiddenRows) R.R1 += NumHiddenRows();
  if (FindParams & fnFindInCurrentRow) R.R0 = R.R1 = Row();
  if (FindParams & fnFindInPresetRow) R.R0 = R.R1 = FFindRow;
  if (FindParams & fnFindInCurrentCol) R.C0 = R.C1 = Col();
  if (FindParams & fnFindInPresetCol) R.C0 = R.C1 = FFindCol;
  if (R.C0 > R.C1 || R.R0 > R.R1) return result;

  const bool back = FindParams & fnBackward;
  const bool rowWise = FindParams & fnDirectionLeftRight;
  // The scan runs over lines (rows row by row, columns column by column) and within each line
  // over its cells; `outer` and `inner` name those coordinates.
  const int o0 = rowWise ? R.R0 : R.C0, o1 = rowWise ? R.R1 : R.C1;
  const int i0 = rowWise ? R.C0 : R.R0, i1 = rowWise ? R.C1 : R.R1;
  int so, si;
  if (StartCell.X == -1 && StartCell.Y == -1) {
    so = back ? o1 : o0;
    si = back ? i1 : i0;
  } else {
    so = rowWise ? StartCell.Y : StartCell.X;
    si = (rowWise ? StartCell.X : StartCell.Y) + (back ? -1 : 1);
  }
  // A start before the range begins at its first cell; one past the range's end finds nothing.
  if (!back && so < o0) so = o0, si = i0;
  if (back && so > o1) so = o1, si = i1;

  ExportNotification(esExportStart, -1);
  auto test = [&](int outer, int inner) {
    const int c = rowWise ? inner : outer, r = rowWise ? outer : inner;
    if (rowWise && IgnoreColumns().count(c)) return false;
    ExportNotification(esExportNewRow, r);
    if (!FindCellMatches(c, r, FindParams)) return false;
    result = {c, r};
    return true;
  };
  bool found = false;
  if (!back) {
    for (int o = so; o <= o1 && !found; ++o) {
      const int from = o == so ? std::max(si, i0) : i0;
      for (int i = from; i <= i1 && !found; ++i)
        found = test(o, i);
    }
  } else {
    for (int o = so; o >= o0 && !found; --o) {
      const int from = o == so ? std::min(si, i1) : i1;
      for (int i = from; i >= i0 && !found; --i)
        found = test(o, i);
    }
  }

  if (!found) {
    FFindBusy = false;
    ExportNotification(esExportDone, -1);
    return result;
  }
  FSearchCell = result;
  ExportNotification(esExportFail, result.Y);
  if (FindParams & fnAutoGoto) GotoFoundCell(result, FindParams);
  return result;
}

void TProStringGrid::GotoFoundCell(TPoint Cell, TFindParams FindParams) {
  int row = Cell.Y;
  if ((FindParams & fnIncludeHiddenRows) && NumHiddenRows() > 0) {
    if (IsHiddenRow(row)) {
      // The row lies under the node row shown just above it.
      const int node = RealToDisplRow(row) - 1;
      if (node >= FixedRows() && IsNode(node) && GetNodeState(node)) ExpandNode(DisplToRealRow(node));
    }
    if (IsHiddenRow(row)) return; // hidden by a filter: nothing to go to
    row = RealToDisplRow(row);
  }
  int col = Cell.X;
  if (FindParams & fnIncludeHiddenColumns) {
    if (IsHiddenColumn(col)) return;
    col = RealToDisplCol(col);
  }
  if (row < FixedRows() || row >= RowCount() || col < FixedCols() || col >= ColCount()) return;
  if (FMouseActions->DisjunctRowSelect()) {
    ClearRowSelect();
    SetRowSelect(row, true);
    SetRow(row);
  } else {
    MoveCurrentCell(col, row);
  }
}

TPoint TProStringGrid::Find(TPoint StartCell, const std::string& s, TFindParams FindParams) {
  const TPoint result = FindCell(StartCell, s, FindParams);
  if (FindParams & fnAutoGoto) {
    const int a = FFloatingFooter.Visible() ? 2 : 0;
    if (Row() > TopRow() + VisibleRowCount() - 2 - a && RowCount() > VisibleRowCount() + FixedRows() + a)
      SetTopRow(TopRow() + 1 + a);
  }
  return result;
}

TPoint TProStringGrid::FindWide(TPoint StartCell, const std::string& s, TFindParams FindParams) {
  return FindCell(StartCell, s, FindParams);
}

TPoint TProStringGrid::FindFirst(const std::string& s, TFindParams FindParams) {
  FSearchCell = Find({-1, -1}, s, FindParams);
  return FSearchCell;
}

TPoint TProStringGrid::FindNext() {
  // The cached text is upper-cased already unless the case counts, and upper-casing it again
  // changes nothing.
  FSearchCell = Find(FSearchCell, FSearchCache, FFindParams);
  return FSearchCell;
}

int TProStringGrid::Replace(const std::string& OrigStr, const std::string& NewStr, TFindParams FindParams) {
  int count = 0;
  TPoint at{-1, -1};
  const bool matchCase = FindParams & fnMatchCase;
  for (;;) {
    at = Find(at, OrigStr, FindParams);
    if (at.X == -1) break;
    const int col = FindParams & fnIncludeHiddenColumns ? at.X : RealColIndex(at.X);
    if (FindParams & fnIncludeHiddenRows) {
      SetAllCells(col, at.Y, ReplaceAll(AllCells(col, at.Y), OrigStr, NewStr, matchCase));
    } else {
      SetCells(col, at.Y, ReplaceAll(Cells(col, at.Y), OrigStr, NewStr, matchCase));
      if (FShowModified.Enabled()) SetRowModified(at.Y, true);
    }
    ++count;
  }
  return count;
}

int TProStringGrid::Search(const std::string& s) {
  if (RowCount() < 2) return -1;
  int key = FixedCols();
  if (FSortSettings.Show()) {
    if (FSortSettings.IndexShow())
      key = FSortIndexes.Count() > 0 ? FSortIndexes.SortColumns(0) : FixedCols();
    else
      key = FSortSettings.Column();
  }
  if (key < 0 || key >= TotalColCount()) return -1;
  for (int r = FixedRows(); r < RowCount(); ++r)
    if (LocaleUpperCase(StrippedCells(key, r)).starts_with(s)) return r;
  return -1;
}
