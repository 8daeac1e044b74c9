// Cells picked one by one, in the order picked and without duplicates. A cell keeps its column and
// row as they are, however large.
#pragma once

#include "platform/ui/GridsCore.h"

#include <set>
#include <utility>
#include <vector>

class TPickedCells {
public:
  bool Contains(int ACol, int ARow) const { return FIndex.count({ACol, ARow}) != 0; }
  // False when the cell was listed already (Add) or was not listed (Remove).
  bool Add(int ACol, int ARow);
  bool Remove(int ACol, int ARow);
  void Clear();
  int Count() const { return static_cast<int>(FCells.size()); }
  // (-1, -1) outside the list.
  TGridCoord Cell(int Index) const;
  const std::vector<TGridCoord>& Cells() const { return FCells; }

private:
  std::vector<TGridCoord> FCells;
  std::set<std::pair<int, int>> FIndex;
};
