// Selections that are not one rectangle: cells picked one by one, and the counting and indexing
// that answer for either mode.
#include "grid/ProGrid.h"

#include <algorithm>
#include <cstdlib>

bool TProStringGrid::SelectedCells(int ACol, int ARow) const {
  if (FMouseActions->DisjunctCellSelect()) return FPickedCells.Contains(ACol, ARow);
  const TGridRect s = Selection();
  return ACol >= std::min(s.Left, s.Right) && ACol <= std::max(s.Left, s.Right) &&
         ARow >= std::min(s.Top, s.Bottom) && ARow <= std::max(s.Top, s.Bottom);
}

void TProStringGrid::SetSelectedCells(int ACol, int ARow, bool Value) {
  const bool changed = Value ? FPickedCells.Add(ACol, ARow) : FPickedCells.Remove(ACol, ARow);
  if (changed) RepaintCell(ACol, ARow);
}

int TProStringGrid::SelectedCellsCount() {
  if (FMouseActions->DisjunctCellSelect()) return FPickedCells.Count();
  FPickedCells.Clear();
  const TGridRect s = Selection();
  if (s.Left == s.Right && s.Top == s.Bottom) {
    FPickedCells.Add(Col(), Row());
  } else {
    for (int c = s.Left; c <= s.Right; ++c)
      for (int r = s.Top; r <= s.Bottom; ++r)
        FPickedCells.Add(c, r);
  }
  return FPickedCells.Count();
}

void TProStringGrid::ClearSelectedCells() {
  SetSelection({FixedCols(), FixedRows(), FixedCols(), FixedRows()});
  FPickedCells.Clear();
  Invalidate();
}

int TProStringGrid::SelectedRowCount() const {
  if (FMouseActions->DisjunctRowSelect()) return static_cast<int>(FSelectedRows.size());
  TGridRect s = Selection();
  if (s.Bottom >= RowCount() - FFixedFooters) s.Bottom = RowCount() - FFixedFooters - 1;
  const int first = RealColIndex(s.Left);
  if (IsMergedCell(first, s.Top)) {
    const int y = CellSpan(first, s.Top).Y;
    return s.Top + y > s.Bottom ? y + 1 : std::abs(s.Top - s.Bottom) + 1;
  }
  if (IsMergedCell(first, s.Bottom)) return std::abs(s.Top - s.Bottom) + CellSpan(first, s.Bottom).Y + 1;
  return std::abs(s.Top - s.Bottom) + 1;
}

int TProStringGrid::SelectedRow(int Index) const {
  if (Index < 0) return -1;
  if (FMouseActions->DisjunctRowSelect())
    return Index < static_cast<int>(FSelectedRows.size()) ? FSelectedRows[static_cast<size_t>(Index)] : -1;
  const TGridRect s = Selection();
  const int r = std::min(s.Top, s.Bottom) + Index;
  return r <= std::max(s.Top, s.Bottom) ? r : -1;
}

int TProStringGrid::SelectedColCount() const {
  if (FMouseActions->DisjunctColSelect()) return ColSelectCount();
  const TGridRect s = Selection();
  const int left = RealColIndex(s.Left), right = RealColIndex(s.Right);
  if (IsMergedCell(left, s.Top)) {
    const int x = CellSpan(left, s.Top).X;
    return s.Left + x > s.Right ? x + 1 : std::abs(s.Left - s.Right) + 1;
  }
  if (IsMergedCell(right, s.Top)) return std::abs(s.Left - s.Right) + CellSpan(right, s.Top).X + 1;
  return std::abs(s.Left - s.Right) + 1;
}

void TProStringGrid::ClearModifiedRows() {
  FModifiedRows.clear();
  Invalidate();
}

void TProStringGrid::InvalidateCellRange(const TGridRect& R) {
  const TRect a = CellRect(R.Left, R.Top), b = CellRect(R.Right, R.Bottom);
  const TRect u{std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
                std::max(a.Bottom, b.Bottom)};
  if (u.Right > u.Left && u.Bottom > u.Top) InvalidateRect(u);
}
