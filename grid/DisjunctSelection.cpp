#include "grid/DisjunctSelection.h"

#include <algorithm>

bool TPickedCells::Add(int ACol, int ARow) {
  if (!FIndex.insert({ACol, ARow}).second) return false;
  FCells.push_back({ACol, ARow});
  return true;
}

bool TPickedCells::Remove(int ACol, int ARow) {
  if (FIndex.erase({ACol, ARow}) == 0) return false;
  FCells.erase(std::find(FCells.begin(), FCells.end(), TGridCoord{ACol, ARow}));
  return true;
}

void TPickedCells::Clear() {
  FCells.clear();
  FIndex.clear();
}

TGridCoord TPickedCells::Cell(int Index) const {
  if (Index < 0 || Index >= Count()) return {-1, -1};
  return FCells[static_cast<size_t>(Index)];
}
