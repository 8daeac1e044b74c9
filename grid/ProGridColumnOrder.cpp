// The columns' initial order: addressing columns by their initial place and putting them back.
#include "grid/ColumnPermutation.h"
#include "grid/ProGrid.h"

#include <algorithm>

bool IsColumnPermutation(const std::vector<int>& Order, int Count) {
  if (Count < 0 || static_cast<long long>(Order.size()) != Count) return false;
  std::vector<bool> seen(Order.size(), false);
  for (int v : Order) {
    if (v < 0 || v >= Count || seen[static_cast<size_t>(v)]) return false;
    seen[static_cast<size_t>(v)] = true;
  }
  return true;
}

int TProStringGrid::ColumnPosition(int ACol) const {
  if (FColumnOrder.empty()) return ACol;
  const int places = std::min(static_cast<int>(FColumnOrder.size()), TotalColCount());
  for (int p = 0; p < places; ++p)
    if (FColumnOrder[static_cast<size_t>(p)] == ACol) return p;
  return ACol;
}

int TProStringGrid::ColumnAtPosition(int Place) {
  if (FColumnOrder.empty()) SetColumnOrder();
  if (Place < 0 || Place >= static_cast<int>(FColumnOrder.size())) return Place;
  return FColumnOrder[static_cast<size_t>(Place)];
}

void TProStringGrid::ResetColumnOrder() {
  UnHideColumnsAll();
  if (FColumnOrder.empty()) {
    SetColumnOrder();
    return;
  }
  // Only an order naming every column once can be walked back; a stored layout with duplicates
  // or strange entries just leaves the columns shown.
  const int n = ColCount();
  if (!IsColumnPermutation(FColumnOrder, n)) return;
  for (int pass = 0; pass < n; ++pass) {
    bool moved = false;
    for (int i = 0; i < n; ++i) {
      const int to = FColumnOrder[static_cast<size_t>(i)];
      if (to < i) {
        MoveColumn(i, to);
        moved = true;
      }
    }
    if (!moved) break;
  }
}

int TProStringGrid::ColumnByHeader(const std::string& AValue) const {
  for (int c = 0; c < TotalColCount(); ++c)
    if (GridCells(c, 0) == AValue) return c;
  return -1;
}

std::string TProStringGrid::OriginalCells(int ACol, int ARow) const {
  const int p = ColumnPosition(ACol);
  return Cells(p < 0 ? ACol : p, ARow);
}

void TProStringGrid::SetOriginalCells(int ACol, int ARow, const std::string& Value) {
  const int p = ColumnPosition(ACol);
  SetCells(p < 0 ? ACol : p, ARow, Value);
}
