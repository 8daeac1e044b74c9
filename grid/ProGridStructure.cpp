// Structural edits: rows and columns inserted, removed, cleared, merged, split and swapped, with
// everything the grid keeps per row and per column following them. Bulk removals compact the
// rows in one pass, so their cost grows with the grid, not with the rows removed times the grid.
#include "controls/ProUtilUnicode.h"
#include "grid/ProGrid.h"
#include "platform/SysUtils.h"
#include "platform/ui/Controls.h"

#include <algorithm>
#include <numeric>
#include <unordered_set>

namespace {

// Erases the entries [At, At + Count) of a per-row or per-column list that reaches there.
template <class V> void EraseEntries(V& list, int At, int Count) {
  if (At >= static_cast<int>(list.size())) return;
  const int end = std::min<int>(At + Count, static_cast<int>(list.size()));
  list.erase(list.begin() + At, list.begin() + end);
}

template <class V> void InsertEntries(V& list, int At, int Count) {
  if (At > static_cast<int>(list.size())) return;
  list.insert(list.begin() + At, Count, typename V::value_type{});
}

// Keeps the flagged entries only (Keep indexed like the list; entries past it are kept).
template <class V> void CompactEntries(V& list, const std::vector<char>& Remove) {
  size_t out = 0;
  for (size_t i = 0; i < list.size(); ++i)
    if (i >= Remove.size() || !Remove[i]) list[out++] = list[i];
  list.resize(out);
}

} // namespace

// --- Rows ----------------------------------------------------------------------------------------

void TProStringGrid::InsertRows(int RowIndex, int RCount, bool UpdateCellControls) {
  const int n = RowCount();
  if (RCount <= 0 || RowIndex < 0 || RowIndex > n) return;
  HideEditor();
  // A fixed-last-row footer stays last.
  if (FFloatingFooter.Visible() && FFloatingFooter.FooterStyle() == fsFixedLastRow && RowIndex == n && n > 0)
    RowIndex = n - 1;
  const int real = RowIndex < n ? DisplToRealRow(RowIndex) : TotalRowCount();
  std::vector<int> heights(n);
  for (int r = 0; r < n; ++r)
    heights[r] = RowHeights(r);
  TBaseGrid::SetRowCount(n + RCount);
  FMaxRowCount = std::max(FMaxRowCount, n + RCount);
  SetNormalRowCount(n + RCount);
  std::vector<int> order(n + RCount);
  for (int r = 0; r < n + RCount; ++r)
    order[r] = r < RowIndex ? r : r < RowIndex + RCount ? n + (r - RowIndex) : r - RCount;
  PermuteRows(order);
  for (int r = RowIndex; r < n + RCount; ++r) {
    int h = r < RowIndex + RCount ? DefaultRowHeight() : heights[r - RCount];
    if (RowHeights(r) != h) SetRowHeights(r, h);
  }
  for (std::vector<char>* flags : {&FModifiedRows, &FDisabledRows, &FRowSelect})
    InsertEntries(*flags, RowIndex, RCount);
  for (int& r : FSelectedRows)
    if (r >= RowIndex) r += RCount;
  // A hidden row at or below the insertion point stays below the rows it stood below.
  for (TGridItem& item : FGridItems)
    if (item.Idx >= real) item.Idx += RCount;
  if (!FSortRowXRef.empty() && static_cast<int>(FSortRowXRef.size()) == n) FSortRowXRef.clear();
  if (Row() >= RowIndex && Row() + RCount < RowCount() && Row() >= FixedRows()) {
    // The current cell stays on its row.
    FForceSel = true;
    SetRow(Row() + RCount);
    FForceSel = false;
  }
  // Controls live in the cells' properties and moved with them; the list follows.
  if (UpdateCellControls && FControlList.Count() > 0) CellControlsUpdate(true);
  CellsChanged(TRect{0, RowIndex, ColCount() - 1, RowIndex + RCount});
  Invalidate();
}

void TProStringGrid::RemoveRows(int RowIndex, int RCount) {
  const int n = RowCount();
  if (RowIndex < 0 || RowIndex >= n || RCount <= 0) return;
  RCount = std::min(RCount, n - RowIndex);
  std::vector<char> remove(n, 0);
  std::fill(remove.begin() + RowIndex, remove.begin() + RowIndex + RCount, 1);
  RemoveRowSet(remove);
}

void TProStringGrid::RemoveRowSet(const std::vector<char>& Remove) {
  const int n = RowCount();
  int first = -1, last = -1, k = 0;
  for (int r = 0; r < n && r < static_cast<int>(Remove.size()); ++r)
    if (Remove[r]) {
      if (first < 0) first = r;
      last = r;
      ++k;
    }
  if (k == 0) return;
  HideEditor();
  // Controls of removed rows are hidden: their cells go, the controls stay their owners'.
  if (FControlList.Count() > 0)
    for (int i = 0; i < FControlList.Count(); ++i) {
      const TControlItem* item = FControlList.Control(i);
      if (item->Y() >= 0 && item->Y() < n && item->Y() < static_cast<int>(Remove.size()) && Remove[item->Y()])
        item->Control()->SetVisible(false);
    }
  std::vector<int> removedReal;
  removedReal.reserve(k);
  std::vector<int> order;
  order.reserve(n);
  std::vector<int> heights;
  heights.reserve(n - k);
  for (int r = 0; r < n; ++r)
    if (r >= static_cast<int>(Remove.size()) || !Remove[r]) {
      order.push_back(r);
      heights.push_back(RowHeights(r));
    }
  const int kept = static_cast<int>(order.size());
  if (!FGridItems.empty()) {
    // Real indexes of the removed rows, ascending, in one walk over rows and items together.
    size_t it = 0;
    int real = 0;
    for (int d = 0; d < n; ++d, ++real) {
      while (it < FGridItems.size() && FGridItems[it].Idx == real) {
        ++it;
        ++real;
      }
      if (d < static_cast<int>(Remove.size()) && Remove[d]) removedReal.push_back(real);
    }
  }
  for (int r = 0; r < n; ++r)
    if (r < static_cast<int>(Remove.size()) && Remove[r]) order.push_back(r);
  const int oldRow = Row(), oldTop = TopRow();
  int rowsAbove = 0; // removed rows above the current one
  for (int r = 0; r < std::min(oldRow, n); ++r)
    if (r < static_cast<int>(Remove.size()) && Remove[r]) ++rowsAbove;
  const bool currentRemoved = oldRow < static_cast<int>(Remove.size()) && oldRow >= 0 && Remove[oldRow];
  PermuteRows(order);
  for (int r = 0; r < kept; ++r)
    if (RowHeights(r) != heights[r]) SetRowHeights(r, heights[r]);
  // The footer row (last) may not be removed with a visible fixed-last-row footer; the count
  // drop through the base grid keeps the footer where it is.
  TBaseGrid::SetRowCount(kept); // frees the removed rows' cell properties
  SetNormalRowCount(kept);
  FMaxRowCount = std::max(kept, FMaxRowCount - k);
  for (std::vector<char>* flags : {&FModifiedRows, &FDisabledRows, &FRowSelect})
    CompactEntries(*flags, Remove);
  {
    // Selected rows renumbered; removed ones dropped.
    std::vector<int> below(n + 1, 0);
    for (int r = 0; r < n; ++r)
      below[r + 1] = below[r] + (r < static_cast<int>(Remove.size()) && Remove[r] ? 1 : 0);
    std::vector<int> keptRows;
    for (int r : FSelectedRows)
      if (r >= n)
        keptRows.push_back(r - k);
      else if (r >= 0 && !(r < static_cast<int>(Remove.size()) && Remove[r]))
        keptRows.push_back(r - below[r]);
    FSelectedRows = std::move(keptRows);
  }
  for (TGridItem& item : FGridItems)
    item.Idx -= static_cast<int>(std::lower_bound(removedReal.begin(), removedReal.end(), item.Idx) -
                                 removedReal.begin());
  if (!FSortRowXRef.empty() && static_cast<int>(FSortRowXRef.size()) == n) FSortRowXRef.clear();
  // The current cell stays on its row, or goes to the last normal row when its row went.
  if (RowCount() > FixedRows()) {
    int target =
        currentRemoved ? std::min(oldRow - rowsAbove, RowCount() - FFixedFooters - 1) : oldRow - rowsAbove;
    target = std::max(FixedRows(), std::min(target, RowCount() - 1));
    if (target != Row()) {
      FForceSel = true;
      SetRow(target);
      FForceSel = false;
    }
    SetTopRow(std::min(oldTop, std::max(FixedRows(), RowCount() - 1)));
  }
  if (FControlList.Count() > 0) CellControlsUpdate(true);
  CellsChanged(TRect{0, first, ColCount() - 1, last});
  Invalidate();
}

void TProStringGrid::RemoveCheckedRows(int CheckBoxColumn, bool RemoveChecked) {
  std::vector<char> remove(RowCount(), 0);
  for (int r = FixedRows(); r < RowCount(); ++r) {
    bool state = false;
    if (GetCheckBoxState(CheckBoxColumn, DisplToRealRow(r), state) && state == RemoveChecked) remove[r] = 1;
  }
  BeginUpdate();
  RemoveRowSet(remove);
  EndUpdate();
}

void TProStringGrid::RemoveSelectedRows() {
  std::vector<char> remove(RowCount(), 0);
  const int last = RowCount() - FFixedFooters;
  if (FMouseActions->DisjunctRowSelect()) {
    for (int r = FixedRows(); r < last; ++r)
      if (RowSelect(FMouseActions->RowSelectPersistent() ? DisplToRealRow(r) : r)) remove[r] = 1;
  } else {
    const TGridRect s = Selection();
    for (int r = std::max(FixedRows(), s.Top); r <= s.Bottom && r < last; ++r)
      remove[r] = 1;
  }
  BeginUpdate();
  RemoveRowSet(remove);
  if (FMouseActions->DisjunctRowSelect()) ClearRowSelect();
  EndUpdate();
}

void TProStringGrid::RemoveUnSelectedRows() {
  std::vector<char> remove(RowCount(), 0);
  for (int r = FixedRows(); r < RowCount() - FFixedFooters; ++r)
    if (!RowSelect(r)) remove[r] = 1;
  BeginUpdate();
  RemoveRowSet(remove);
  if (FMouseActions->RowSelectPersistent())
    SelectRows(FixedRows(), RowCount() - FFixedFooters - FixedRows());
  else
    ClearRowSelect();
  EndUpdate();
}

void TProStringGrid::RemoveDuplicates(int ACol, bool DoCase) {
  const int rc = DisplToRealCol(ACol);
  if (rc < 0) return;
  std::unordered_set<std::string> seen;
  std::vector<char> remove(RowCount(), 0);
  for (int r = FixedRows(); r < RowCount() - FFixedFooters; ++r) {
    const std::string& text = GridCells(rc, r);
    if (!seen.insert(DoCase ? text : UnicodeUpperCase(text)).second) remove[r] = 1;
  }
  BeginUpdate();
  RemoveRowSet(remove);
  EndUpdate();
}

void TProStringGrid::HideSelectedRows() {
  std::vector<int> rows;
  const bool persistent = FMouseActions->RowSelectPersistent();
  for (int r = FixedRows(); r < RowCount(); ++r) {
    const int real = DisplToRealRow(r);
    if (RowSelect(persistent ? real : r)) rows.push_back(real);
  }
  BeginUpdate();
  HideRealRows(rows, -1);
  EndUpdate();
}

void TProStringGrid::HideUnSelectedRows() {
  std::vector<int> rows;
  const bool persistent = FMouseActions->RowSelectPersistent();
  for (int r = FixedRows(); r < RowCount(); ++r) {
    const int real = DisplToRealRow(r);
    if (!RowSelect(persistent ? real : r)) rows.push_back(real);
  }
  BeginUpdate();
  HideRealRows(rows, -1);
  EndUpdate();
}

void TProStringGrid::AddRow() {
  if (FFloatingFooter.Visible() && RowCount() > 0) {
    InsertRows(RowCount() - 1, 1, true);
    if (FFloatingFooter.FooterStyle() == fsFixedLastRow) ClearRows(RowCount() - 2, 1);
  } else {
    InsertRows(RowCount(), 1, true);
    ClearRows(RowCount() - 1, 1);
  }
}

// --- Columns -------------------------------------------------------------------------------------

void TProStringGrid::ShiftColumnState(int At, int Delta) {
  auto shift = [&](int c) {
    if (c < At) return c;
    if (Delta < 0 && c < At - Delta) return -1; // removed
    return c + Delta;
  };
  const int sortCol = FSortSettings.Column();
  if (sortCol >= 0) FSortSettings.SetColumn(shift(sortCol));
  for (int i = FSortIndexes.Count() - 1; i >= 0; --i) {
    const int c = shift(FSortIndexes.SortColumns(i));
    if (c < 0)
      FSortIndexes.Delete(i);
    else
      FSortIndexes.SetSortColumns(i, c);
  }
  if (!FColumnOrder.empty()) {
    if (Delta > 0) {
      for (int& v : FColumnOrder)
        if (v >= At) v += Delta;
      if (At <= static_cast<int>(FColumnOrder.size()))
        for (int k = 0; k < Delta; ++k)
          FColumnOrder.insert(FColumnOrder.begin() + At + k, At + k);
    } else {
      std::vector<int> gone;
      for (int p = At; p < At - Delta && p < static_cast<int>(FColumnOrder.size()); ++p)
        gone.push_back(FColumnOrder[p]);
      EraseEntries(FColumnOrder, At, -Delta);
      std::sort(gone.begin(), gone.end());
      // The initial indexes stay a permutation of 0 .. n - 1.
      for (int& v : FColumnOrder)
        v -= static_cast<int>(std::lower_bound(gone.begin(), gone.end(), v) - gone.begin());
    }
  }
  if (Delta > 0)
    InsertEntries(FColSelect, At, Delta);
  else
    EraseEntries(FColSelect, At, -Delta);
  for (int i = FFilter->Count() - 1; i >= 0; --i) {
    TFilterData* f = FFilter->Items(i);
    if (f->Column() < 0) continue;
    const int c = shift(f->Column());
    if (c < 0)
      FFilter->Delete(i);
    else
      f->SetColumn(c);
  }
  std::set<int> ignored;
  for (int c : FIgnoreColumns)
    if (int s = shift(c); s >= 0) ignored.insert(s);
  FIgnoreColumns = std::move(ignored);
}

void TProStringGrid::InsertCols(int ColIndex, int CCount) {
  const int total = TotalColCount();
  if (CCount <= 0 || ColIndex < 0 || ColIndex > total) return;
  HideEditor();
  std::vector<int> widths(total);
  for (int c = 0; c < total; ++c)
    widths[c] = AllColWidths(c);
  const int oldCount = ColCount();
  TBaseGrid::SetColCount(oldCount + CCount); // the new columns are visible
  FMaxColCount = std::max(FMaxColCount, ColCount());
  if (CellCapacity() < total + CCount) SetCellCapacity(total + CCount);
  auto shiftRow = [&](TGridCellRow& cells) {
    if (static_cast<int>(cells.size()) <= ColIndex) return;
    cells.insert(cells.begin() + ColIndex, CCount, TGridCell{});
  };
  for (int r = 0; r < RowCount(); ++r) {
    TGridCellRow cells = TakeRowCells(r);
    shiftRow(cells);
    PutRowCells(r, std::move(cells));
  }
  for (TGridItem& item : FGridItems)
    shiftRow(item.Cells);
  FVisibleCol.resize(static_cast<size_t>(total), true);
  FVisibleCol.insert(FVisibleCol.begin() + ColIndex, CCount, true);
  FAllColWidths.resize(static_cast<size_t>(total), 0);
  widths.insert(widths.begin() + ColIndex, CCount, DefaultColWidth());
  FAllColWidths.insert(FAllColWidths.begin() + ColIndex, CCount, DefaultColWidth());
  for (int c = 0; c < total + CCount; ++c)
    if (FVisibleCol[c]) {
      const int d = RealToDisplCol(c);
      if (d >= 0 && d < ColCount() && ColWidths(d) != widths[c]) SetColWidths(d, widths[c]);
    }
  ShiftColumnState(ColIndex, CCount);
  if (FControlList.Count() > 0) CellControlsUpdate(true);
  CellsChanged(TRect{ColIndex, 0, ColIndex + CCount, RowCount() - 1});
  Invalidate();
}

void TProStringGrid::RemoveCols(int ColIndex, int CCount) {
  const int total = TotalColCount();
  if (ColIndex < 0 || ColIndex >= total || CCount <= 0) return;
  CCount = std::min(CCount, total - ColIndex);
  HideEditor();
  if (FControlList.Count() > 0)
    for (int i = 0; i < FControlList.Count(); ++i) {
      const TControlItem* item = FControlList.Control(i);
      if (item->X() >= ColIndex && item->X() < ColIndex + CCount) item->Control()->SetVisible(false);
    }
  FreeCellPropertiesRange(ColIndex, 0, ColIndex + CCount - 1, RowCount() - 1);
  std::vector<int> widths(total);
  for (int c = 0; c < total; ++c)
    widths[c] = AllColWidths(c);
  auto cutRow = [&](TGridCellRow& cells, bool free) {
    if (static_cast<int>(cells.size()) <= ColIndex) return;
    const int end = std::min<int>(ColIndex + CCount, static_cast<int>(cells.size()));
    if (free)
      for (int c = ColIndex; c < end; ++c)
        DeleteCellProperties(cells[c].Object);
    cells.erase(cells.begin() + ColIndex, cells.begin() + end);
  };
  for (int r = 0; r < RowCount(); ++r) {
    TGridCellRow cells = TakeRowCells(r);
    cutRow(cells, false);
    PutRowCells(r, std::move(cells));
  }
  for (TGridItem& item : FGridItems)
    cutRow(item.Cells, true);
  int visibleGone = 0, hiddenGone = 0;
  for (int c = ColIndex; c < ColIndex + CCount; ++c)
    (FVisibleCol[c] ? visibleGone : hiddenGone)++;
  FVisibleCol.erase(FVisibleCol.begin() + ColIndex, FVisibleCol.begin() + ColIndex + CCount);
  FVisibleCol.resize(static_cast<size_t>(total), true);
  FAllColWidths.erase(FAllColWidths.begin() + ColIndex, FAllColWidths.begin() + ColIndex + CCount);
  FAllColWidths.resize(static_cast<size_t>(total), 0);
  widths.erase(widths.begin() + ColIndex, widths.begin() + ColIndex + CCount);
  FNumHidden -= hiddenGone;
  RefreshPlainRange();
  if (Col() >= ColCount() - visibleGone && ColCount() - visibleGone > FixedCols()) {
    FForceSel = true;
    SetCol(ColCount() - visibleGone - 1);
    FForceSel = false;
  }
  TBaseGrid::SetColCount(ColCount() - visibleGone);
  for (int c = 0; c < TotalColCount(); ++c)
    if (FVisibleCol[c]) {
      const int d = RealToDisplCol(c);
      if (d >= 0 && d < ColCount() && ColWidths(d) != widths[c]) SetColWidths(d, widths[c]);
    }
  ShiftColumnState(ColIndex, -CCount);
  if (FControlList.Count() > 0) CellControlsUpdate(true);
  CellsChanged(TRect{ColIndex, 0, ColIndex + CCount, RowCount() - 1});
  Invalidate();
}

void TProStringGrid::RemoveSelectedCols() {
  if (FMouseActions->DisjunctColSelect()) {
    for (int c = TotalColCount() - 1; c >= FixedCols(); --c)
      if (ColSelect(c)) RemoveCols(c, 1);
    ClearColSelect();
    return;
  }
  const TGridRect s = Selection();
  const int from = DisplToRealCol(s.Left), to = DisplToRealCol(s.Right);
  if (from >= 0 && to >= from) RemoveCols(from, to - from + 1);
}

void TProStringGrid::RemoveUnSelectedCols() {
  if (FMouseActions->DisjunctColSelect()) {
    for (int c = TotalColCount() - 1; c >= FixedCols(); --c)
      if (!ColSelect(c) && !IsHiddenColumn(c)) RemoveCols(c, 1);
  } else {
    const TGridRect s = Selection();
    // Right of the selection first, so the left part's indexes stay valid; hidden columns stay.
    for (int d = ColCount() - 1; d > s.Right; --d)
      RemoveCols(DisplToRealCol(d), 1);
    for (int d = s.Left - 1; d >= FixedCols(); --d)
      RemoveCols(DisplToRealCol(d), 1);
  }
  ClearColSelect();
}

void TProStringGrid::MergeCols(int ColIndex1, int ColIndex2, const std::string& Separator) {
  if (ColIndex1 < 0 || ColIndex2 < 0 || ColIndex1 >= TotalColCount() || ColIndex2 >= TotalColCount() ||
      ColIndex1 == ColIndex2)
    return;
  for (int r = FixedRows(); r < RowCount(); ++r)
    SetGridCells(ColIndex1, r,
                 std::string(Trim(GridCells(ColIndex1, r) + Separator + GridCells(ColIndex2, r))));
  RemoveCols(ColIndex2, 1);
}

// --- Clearing, trimming, colouring ------------------------------------------------------------------

void TProStringGrid::ClearRect(int ACol1, int ARow1, int ACol2, int ARow2) {
  if (RowCount() == 0 || TotalColCount() == 0) return;
  ACol1 = std::max(0, ACol1);
  ARow1 = std::max(0, ARow1);
  ACol2 = std::min(ACol2, TotalColCount() - 1);
  ARow2 = std::min(ARow2, RowCount() - 1);
  if (ACol1 > ACol2 || ARow1 > ARow2) return;
  if (!FClearTextOnly) FreeCellPropertiesRange(ACol1, ARow1, ACol2, ARow2);
  for (int r = ARow1; r <= ARow2; ++r)
    for (int c = ACol1; c <= ACol2; ++c)
      if (!GridCells(c, r).empty()) SetGridCells(c, r, "");
  if (!FClearTextOnly && ACol1 == 0 && ARow1 == 0 && ACol2 == TotalColCount() - 1 && ARow2 == RowCount() - 1)
    SetHasCellProps(false);
  CellsChanged(TRect{ACol1, ARow1, ACol2, ARow2});
  Invalidate();
}

void TProStringGrid::ClearRows(int RowIndex, int RCount) {
  if (RCount <= 0 || RowIndex < 0 || RowIndex >= RowCount()) return;
  ClearRect(0, RowIndex, TotalColCount() - 1, RowIndex + RCount - 1);
}

void TProStringGrid::ClearCols(int ColIndex, int CCount) {
  if (CCount <= 0) return;
  ClearRect(ColIndex, 0, ColIndex + CCount - 1, RowCount() - 1);
}

void TProStringGrid::ClearNormalCols(int ColIndex, int CCount) {
  if (CCount <= 0) return;
  ClearRect(ColIndex, FixedRows(), ColIndex + CCount - 1, RowCount() - FFixedFooters - 1);
}

void TProStringGrid::ClearNormalRows(int RowIndex, int RCount) {
  if (RCount <= 0) return;
  ClearRect(FixedCols(), RowIndex, TotalColCount() - FFixedRightCols - 1, RowIndex + RCount - 1);
}

void TProStringGrid::ClearNormalCells() {
  if (FixedCols() == 0 && HasNodes()) RemoveAllNodes();
  ClearRect(FixedCols(), FixedRows(), TotalColCount() - FFixedRightCols - 1, RowCount() - FFixedFooters - 1);
}

void TProStringGrid::Clear() {
  RemoveAllNodes();
  ClearRect(0, 0, TotalColCount() - 1, RowCount() - 1);
  FSearchInc.clear();
}

void TProStringGrid::ClearAll() {
  Clear();
  for (TGridItem& item : FGridItems)
    for (TGridCell& cell : item.Cells)
      cell.Text.clear();
}

void TProStringGrid::ClearSelection() {
  if (FMouseActions->DisjunctRowSelect()) {
    const bool persistent = FMouseActions->RowSelectPersistent();
    for (int r = FixedRows(); r < RowCount(); ++r)
      if (RowSelect(persistent ? DisplToRealRow(r) : r)) ClearRows(r, 1);
  } else if (FMouseActions->DisjunctColSelect()) {
    for (int c = FixedCols(); c < TotalColCount(); ++c)
      if (ColSelect(c)) ClearCols(c, 1);
  } else {
    const TGridRect s = Selection();
    ClearRect(DisplToRealCol(s.Left), s.Top, DisplToRealCol(s.Right), s.Bottom);
  }
}

void TProStringGrid::TrimRect(int ACol1, int ARow1, int ACol2, int ARow2) {
  for (int r = std::max(0, ARow1); r <= ARow2 && r < RowCount(); ++r)
    for (int c = std::max(0, ACol1); c <= ACol2 && c < TotalColCount(); ++c) {
      const std::string& text = GridCells(c, r);
      std::string t(Trim(text));
      if (t.size() != text.size()) SetGridCells(c, r, t);
    }
  Invalidate();
}

void TProStringGrid::ColorRect(int ACol1, int ARow1, int ACol2, int ARow2, TColor AColor) {
  for (int r = std::max(0, ARow1); r <= ARow2 && r < RowCount(); ++r)
    for (int c = std::max(0, ACol1); c <= ACol2 && c < TotalColCount(); ++c)
      SetColors(c, r, AColor);
}

// --- Merging and splitting -------------------------------------------------------------------------

void TProStringGrid::MergeColumnCells(int ColIndex, bool MainMerge) {
  const int end = RowCount() - FFixedFooters;
  int start = FixedRows();
  auto close = [&](int r) {
    if (r - start > 1) MergeCells(ColIndex, start, 1, r - start);
  };
  for (int r = FixedRows() + 1; r < end; ++r) {
    if (Cells(ColIndex, r) == Cells(ColIndex, r - 1) && (MainMerge || RowSpanIdentical(r, r - 1))) continue;
    close(r);
    start = r;
  }
  close(end);
}

void TProStringGrid::MergeRowCells(int RowIndex, bool MainMerge) {
  const int end = ColCount() - FFixedRightCols;
  int start = FixedCols();
  for (int c = FixedCols() + 1; c < end; ++c) {
    if (Cells(c, RowIndex) == Cells(c - 1, RowIndex) && (MainMerge || ColSpanIdentical(c, c - 1))) continue;
    if (c - start > 1) MergeCells(start, RowIndex, c - start, 1);
    start = c;
  }
  if (end - start > 1) MergeCells(start, RowIndex, end - start, 1);
}

void TProStringGrid::SplitColumnCells(int ColIndex) {
  for (int r = 0; r < RowCount() - FFixedFooters;) {
    const TPoint span = CellSpan(ColIndex, r);
    if (IsBaseCell(ColIndex, r) && span.Y > 0) {
      SplitCells(ColIndex, r);
      r += span.Y + 1;
    } else {
      ++r;
    }
  }
}

void TProStringGrid::SplitRowCells(int RowIndex) {
  for (int c = 0; c < ColCount() - FFixedRightCols;) {
    const TPoint span = CellSpan(c, RowIndex);
    if (IsBaseCell(c, RowIndex) && span.X > 0) {
      SplitCells(c, RowIndex);
      c += span.X + 1;
    } else {
      ++c;
    }
  }
}

void TProStringGrid::SplitAllCells() {
  if (MergeCount() == 0) return;
  for (int r = 0; r < RowCount(); ++r)
    for (int c = 0; c < TotalColCount(); ++c)
      if (IsBaseCell(c, r) && IsMergedCell(c, r)) SplitCells(c, r);
}

// --- Queries ---------------------------------------------------------------------------------------

bool TProStringGrid::IsWideCell(int ACol, int ARow) const {
  return GridCells(ACol, ARow).rfind("|\\", 0) == 0;
}

bool TProStringGrid::IsCell(const std::string& SubStr, int& ACol, int& ARow) const {
  for (int r = 0; r < RowCount(); ++r)
    for (int c = 0; c < ColCount(); ++c)
      if (GridCells(c, r) == SubStr) {
        ACol = c;
        ARow = r;
        return true;
      }
  return false;
}

// --- Swapping --------------------------------------------------------------------------------------

void TProStringGrid::SwapColumns(int Index, int Index2) {
  const int total = TotalColCount();
  if (Index < 0 || Index2 < 0 || Index >= total || Index2 >= total || Index == Index2) return;
  HideEditor();
  for (int r = 0; r < RowCount(); ++r)
    SwapCells({Index, r}, {Index2, r});
  for (TGridItem& item : FGridItems) {
    const size_t need = static_cast<size_t>(std::max(Index, Index2)) + 1;
    if (item.Cells.size() < need) item.Cells.resize(need);
    std::swap(item.Cells[Index], item.Cells[Index2]);
  }
  const int w1 = AllColWidths(Index), w2 = AllColWidths(Index2);
  SetAllColWidths(Index, w2);
  SetAllColWidths(Index2, w1);
  const int sortCol = FSortSettings.Column();
  if (sortCol == Index)
    FSortSettings.SetColumn(Index2);
  else if (sortCol == Index2)
    FSortSettings.SetColumn(Index);
  if (FControlList.Count() > 0) CellControlsUpdate(true);
  Invalidate();
}

std::vector<int> TProStringGrid::ExchangeRows(int Index, int Index2) {
  std::vector<int> order(static_cast<std::size_t>(RowCount()));
  std::iota(order.begin(), order.end(), 0);
  std::swap(order[Index], order[Index2]);
  const int h1 = RowHeights(Index), h2 = RowHeights(Index2);
  PermuteRows(order);
  if (h1 != h2) {
    SetRowHeights(Index, h2);
    SetRowHeights(Index2, h1);
  }
  return order;
}

void TProStringGrid::SwapRows(int Index, int Index2) {
  const int n = RowCount();
  if (Index < 0 || Index2 < 0 || Index >= n || Index2 >= n || Index == Index2) return;
  HideEditor();
  ExchangeRows(Index, Index2);
  if (FControlList.Count() > 0) CellControlsUpdate(true);
  Invalidate();
}

void TProStringGrid::SortSwapRows(int Index, int Index2) {
  ++FSwaps;
  const int n = RowCount();
  if (Index < 0 || Index2 < 0 || Index >= n || Index2 >= n || Index == Index2) return;
  if (Index < static_cast<int>(FSortRowXRef.size()) && Index2 < static_cast<int>(FSortRowXRef.size()))
    std::swap(FSortRowXRef[Index], FSortRowXRef[Index2]);
  if (FSortSettings.SingleColumn()) {
    const int c = FSortSettings.Column();
    if (c >= 0 && c < TotalColCount()) SwapCells({c, Index}, {c, Index2});
    return;
  }
  const std::vector<int> order = ExchangeRows(Index, Index2);
  PermuteRowFlags(order);
  if (FSortRow == Index)
    FSortRow = Index2;
  else if (FSortRow == Index2)
    FSortRow = Index;
}

void TProStringGrid::PermuteRowFlags(const std::vector<int>& Order) {
  const int n = static_cast<int>(Order.size());
  auto permute = [&](std::vector<char>& flags) {
    if (flags.empty()) return;
    std::vector<char> out(std::max<size_t>(flags.size(), n), 0);
    for (int r = 0; r < n; ++r)
      out[r] = Order[r] < static_cast<int>(flags.size()) ? flags[Order[r]] : 0;
    for (size_t r = n; r < flags.size(); ++r)
      out[r] = flags[r];
    flags = std::move(out);
  };
  if (FMouseActions->DisjunctRowSelect() && FNavigation.MoveRowOnSort() && FGridItems.empty())
    permute(FRowSelect);
  permute(FModifiedRows);
}
