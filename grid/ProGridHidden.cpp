// Hidden columns (kept in the cell store behind the displayed ones) and hidden rows (taken out of
// the grid into items sorted by real index).
#include "grid/IntList.h"
#include "grid/ProGrid.h"

#include <algorithm>

const std::string& TGridItem::Text(int ACol) const {
  static const std::string empty;
  return ACol >= 0 && ACol < static_cast<int>(Cells.size()) ? Cells[ACol].Text : empty;
}

namespace {
bool IdxLess(const TGridItem& item, int idx) {
  return item.Idx < idx;
}
} // namespace

// --- Columns -----------------------------------------------------------------------------------

bool TProStringGrid::IsHiddenColumn(int ColIndex) const {
  return ColIndex >= 0 && ColIndex < static_cast<int>(FVisibleCol.size()) && !FVisibleCol[ColIndex];
}

int TProStringGrid::RealToDisplCol(int ACol) const {
  if (ACol < 0 || FNumHidden == 0) return ACol;
  int end = std::min<int>(ACol, static_cast<int>(FVisibleCol.size()));
  int hidden = 0;
  for (int c = 0; c < end; ++c)
    if (!FVisibleCol[c]) ++hidden;
  return ACol - hidden;
}

int TProStringGrid::DisplToRealCol(int ACol) const {
  if (FNumHidden == 0) return ACol;
  if (ACol < 0) return -1;
  int seen = 0;
  for (int c = 0; c < TotalColCount(); ++c) {
    if (!FVisibleCol[c]) continue;
    if (seen == ACol) return c;
    ++seen;
  }
  return -1; // no real column behind it: callers write nowhere
}

void TProStringGrid::HideColumns(int FromCol, int ToCol) {
  HideEditor();
  for (int c = std::max(0, FromCol); c <= ToCol && c < TotalColCount(); ++c) {
    if (!FVisibleCol[c] || ColCount() <= 1) continue;
    int d = RealToDisplCol(c);
    FAllColWidths[c] = ColWidths(d);
    for (int i = d; i < ColCount() - 1; ++i)
      SetColWidths(i, ColWidths(i + 1));
    ++FNumHidden;
    RefreshPlainRange();
    FVisibleCol[c] = false;
    if (Col() == ColCount() - 1 && Col() > FixedCols()) SetCol(Col() - 1);
    TBaseGrid::SetColCount(ColCount() - 1);
  }
  Invalidate();
}

void TProStringGrid::UnHideColumns(int FromCol, int ToCol) {
  HideEditor();
  for (int c = std::max(0, FromCol); c <= ToCol && c < TotalColCount(); ++c) {
    if (FVisibleCol[c]) continue;
    --FNumHidden;
    RefreshPlainRange();
    FVisibleCol[c] = true;
    TBaseGrid::SetColCount(ColCount() + 1);
    int b = RealToDisplCol(c + 1);
    for (int i = ColCount() - 1; i >= b && i > 0; --i)
      SetColWidths(i, ColWidths(i - 1));
    SetColWidths(RealToDisplCol(c), FAllColWidths[c]);
  }
  Invalidate();
}

void TProStringGrid::UnHideColumnsAll() {
  if (FNumHidden > 0) UnHideColumns(0, TotalColCount() - 1);
}

int TProStringGrid::AllColWidths(int ACol) const {
  if (ACol < 0 || ACol >= TotalColCount()) return 0;
  return IsHiddenColumn(ACol) ? FAllColWidths[ACol] : ColWidths(RealToDisplCol(ACol));
}

void TProStringGrid::SetAllColWidths(int ACol, int Value) {
  if (ACol < 0 || ACol >= TotalColCount()) return;
  FAllColWidths[ACol] = Value;
  if (!IsHiddenColumn(ACol)) SetColWidths(RealToDisplCol(ACol), Value);
}

// --- Row mappings --------------------------------------------------------------------------------

bool TProStringGrid::IsHiddenRow(int RowIndex) const {
  auto it = std::lower_bound(FGridItems.begin(), FGridItems.end(), RowIndex, IdxLess);
  return it != FGridItems.end() && it->Idx == RowIndex;
}

int TProStringGrid::RealToDisplRow(int ARow) const {
  auto it = std::lower_bound(FGridItems.begin(), FGridItems.end(), ARow, IdxLess);
  return ARow - static_cast<int>(it - FGridItems.begin());
}

int TProStringGrid::DisplToRealRow(int ARow) const {
  if (ARow < 0) return -1;
  // Before the k-th hidden row lie Idx - k shown rows; that count never falls as k grows.
  auto it = std::partition_point(FGridItems.begin(), FGridItems.end(), [&](const TGridItem& item) {
    return item.Idx - static_cast<int>(&item - FGridItems.data()) <= ARow;
  });
  return ARow + static_cast<int>(it - FGridItems.begin());
}

// --- Hiding and showing rows -----------------------------------------------------------------------

void TProStringGrid::HideRealRows(const std::vector<int>& Rows, int Level) {
  if (Rows.empty()) return;
  HideEditor();
  const int n = RowCount();
  std::vector<TGridItem> taken;
  taken.reserve(Rows.size());
  std::vector<char> hide(n, 0);
  for (int r : Rows) {
    int d = RealToDisplRow(r);
    if (d < 0 || d >= n) continue;
    TGridItem item;
    item.Idx = r;
    item.Height = RowHeights(d);
    item.Level = Level;
    item.Cells = TakeRowCells(d); // objects and all: the item owns them now
    hide[d] = 1;
    taken.push_back(std::move(item));
  }
  if (taken.empty()) return;
  // The rows that stay move up with their heights; the hidden ones go to the end and are dropped.
  std::vector<int> order;
  order.reserve(n);
  std::vector<int> heights;
  heights.reserve(n);
  for (int d = 0; d < n; ++d)
    if (!hide[d]) {
      order.push_back(d);
      heights.push_back(RowHeights(d));
    }
  const int kept = static_cast<int>(order.size());
  for (int d = 0; d < n; ++d)
    if (hide[d]) order.push_back(d);
  PermuteRows(order);
  for (int d = 0; d < kept; ++d)
    if (RowHeights(d) != heights[d]) SetRowHeights(d, heights[d]);
  std::vector<TGridItem> merged;
  merged.reserve(FGridItems.size() + taken.size());
  std::merge(std::make_move_iterator(FGridItems.begin()), std::make_move_iterator(FGridItems.end()),
             std::make_move_iterator(taken.begin()), std::make_move_iterator(taken.end()),
             std::back_inserter(merged),
             [](const TGridItem& a, const TGridItem& b) { return a.Idx < b.Idx; });
  FGridItems = std::move(merged);
  TBaseGrid::SetRowCount(kept);
}

void TProStringGrid::RestoreItems(const std::vector<size_t>& Positions) {
  if (Positions.empty()) return;
  HideEditor();
  const int n = RowCount();
  const int k = static_cast<int>(Positions.size());
  // Display row of each restored item once all of them are back: its Idx less the items that
  // stay hidden below it.
  std::vector<int> target(k);
  {
    size_t next = 0; // walks Positions
    int staying = 0;
    for (size_t i = 0; i < FGridItems.size(); ++i) {
      if (next < Positions.size() && Positions[next] == i)
        target[next++] = FGridItems[i].Idx - staying;
      else
        ++staying;
    }
  }
  std::vector<int> oldHeights(n);
  for (int d = 0; d < n; ++d)
    oldHeights[d] = RowHeights(d);
  TBaseGrid::SetRowCount(n + k);
  for (int j = 0; j < k; ++j)
    PutRowCells(n + j, std::move(FGridItems[Positions[j]].Cells));
  std::vector<int> order(n + k);
  std::vector<int> heights(n + k);
  int src = 0, j = 0;
  for (int d = 0; d < n + k; ++d) {
    if (j < k && target[j] == d) {
      order[d] = n + j;
      heights[d] = FGridItems[Positions[j]].Height;
      ++j;
    } else {
      order[d] = src;
      heights[d] = src < n ? oldHeights[src] : DefaultRowHeight();
      ++src;
    }
  }
  PermuteRows(order);
  for (int d = 0; d < n + k; ++d)
    if (RowHeights(d) != heights[d]) SetRowHeights(d, heights[d]);
  // Drop the restored items in one pass.
  std::vector<TGridItem> rest;
  rest.reserve(FGridItems.size() - Positions.size());
  size_t next = 0;
  for (size_t i = 0; i < FGridItems.size(); ++i) {
    if (next < Positions.size() && Positions[next] == i)
      ++next;
    else
      rest.push_back(std::move(FGridItems[i]));
  }
  FGridItems = std::move(rest);
  Invalidate();
}

void TProStringGrid::HideRows(int FromRow, int ToRow) {
  FromRow = std::max(0, FromRow);
  ToRow = std::min(ToRow, TotalRowCount() - 1);
  std::vector<int> rows;
  auto it = std::lower_bound(FGridItems.begin(), FGridItems.end(), FromRow, IdxLess);
  for (int r = FromRow; r <= ToRow; ++r) {
    if (it != FGridItems.end() && it->Idx == r) {
      ++it;
      continue;
    }
    rows.push_back(r);
  }
  HideRealRows(rows, -1);
}

void TProStringGrid::HideRowList(const TIntList& RowList) {
  HideRowList(RowList.ToVector());
}

void TProStringGrid::HideRowList(const std::vector<int>& RowList) {
  // Each listed row once, in order, and only rows the grid has.
  std::vector<int> display;
  display.reserve(RowList.size());
  for (int d : RowList)
    if (d >= 0 && d < RowCount()) display.push_back(d);
  std::sort(display.begin(), display.end());
  display.erase(std::unique(display.begin(), display.end()), display.end());
  std::vector<int> real;
  real.reserve(display.size());
  for (int d : display)
    real.push_back(DisplToRealRow(d));
  HideRealRows(real, FFilterLevel);
  ++FFilterLevel;
}

void TProStringGrid::UnHideRows(int FromRow, int ToRow) {
  if (!IsHiddenRow(FromRow)) return;
  auto first = std::lower_bound(FGridItems.begin(), FGridItems.end(), FromRow, IdxLess);
  auto last = std::lower_bound(first, FGridItems.end(), ToRow + 1, IdxLess);
  std::vector<size_t> positions;
  positions.reserve(last - first);
  for (auto it = first; it != last; ++it)
    positions.push_back(it - FGridItems.begin());
  RestoreItems(positions);
}

void TProStringGrid::UnHideRowsAll() {
  std::vector<size_t> positions(FGridItems.size());
  for (size_t i = 0; i < positions.size(); ++i)
    positions[i] = i;
  RestoreItems(positions);
}

void TProStringGrid::UnHideRowList() {
  // Only the newest level comes back; rows hidden otherwise (nodes, other levels) stay hidden
  // with their cells.
  int level = FFilterLevel - 1;
  if (level < 0) return;
  std::vector<size_t> positions;
  for (size_t i = 0; i < FGridItems.size(); ++i)
    if (FGridItems[i].Level == level) positions.push_back(i);
  RestoreItems(positions);
}

// --- Cells by real row ---------------------------------------------------------------------------

std::string TProStringGrid::AllCells(int ACol, int ARow) const {
  if (ACol < 0 || ACol >= TotalColCount() || ARow < 0) return {};
  auto it = std::lower_bound(FGridItems.begin(), FGridItems.end(), ARow, IdxLess);
  if (it != FGridItems.end() && it->Idx == ARow) return it->Text(ACol);
  return Cells(ACol, RealToDisplRow(ARow));
}

void TProStringGrid::SetAllCells(int ACol, int ARow, const std::string& Value) {
  if (ACol < 0 || ACol >= TotalColCount() || ARow < 0) return;
  auto it = std::lower_bound(FGridItems.begin(), FGridItems.end(), ARow, IdxLess);
  if (it != FGridItems.end() && it->Idx == ARow) {
    if (static_cast<int>(it->Cells.size()) <= ACol) it->Cells.resize(ACol + 1);
    it->Cells[ACol].Text = Value;
    return;
  }
  SetCells(ACol, RealToDisplRow(ARow), Value);
}
