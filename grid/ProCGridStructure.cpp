// The column grid's structural edits: the column items stay one per real column, at their columns.
#include "grid/ProCGrid.h"

#include <algorithm>

void TProColumnGrid::InsertCols(int ColIndex, int CCount) {
  const int before = TotalColCount();
  TProStringGrid::InsertCols(ColIndex, CCount);
  const int added = TotalColCount() - before;
  if (added <= 0) return;
  const bool was = FColumnCollection->NoRecursiveUpdate();
  FColumnCollection->SetNoRecursiveUpdate(true);
  for (int i = 0; i < added; ++i)
    FColumnCollection->Insert(std::min(ColIndex, FColumnCollection->Count()));
  FColumnCollection->SetNoRecursiveUpdate(was);
  SyncColumnsQuiet();
}

void TProColumnGrid::RemoveCols(int ColIndex, int CCount) {
  const int before = TotalColCount();
  TProStringGrid::RemoveCols(ColIndex, CCount);
  const int removed = before - TotalColCount();
  if (removed <= 0) return;
  const bool was = FColumnCollection->NoRecursiveUpdate();
  FColumnCollection->SetNoRecursiveUpdate(true);
  for (int i = 0; i < removed && ColIndex < FColumnCollection->Count(); ++i)
    FColumnCollection->Delete(ColIndex);
  FColumnCollection->SetNoRecursiveUpdate(was);
  SyncColumnsQuiet();
}

void TProColumnGrid::Group(int Colindex) {
  if (TGridColumnItem* item = Item(Colindex)) FSaveCol->Assign(item);
  TProStringGrid::Group(Colindex);
}

void TProColumnGrid::UnGroup() {
  const bool plain = GroupColumn() != -1 && !SubGrouped();
  const int column = GroupColumn();
  TProStringGrid::UnGroup();
  if (plain)
    if (TGridColumnItem* item = Item(column)) item->Assign(FSaveCol.get());
}
