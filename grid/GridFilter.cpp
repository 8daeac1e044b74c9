#include "grid/GridFilter.h"

#include "grid/ProGrid.h"

void TFilterData::Assign(const TPersistent* Source) {
  auto* o = dynamic_cast<const TFilterData*>(Source);
  if (!o) return;
  FColumn = o->FColumn;
  FCondition = o->FCondition;
  FCaseSensitive = o->FCaseSensitive;
  FData = o->FData;
  FPrefix = o->FPrefix;
  FSuffix = o->FSuffix;
  FOperation = o->FOperation;
}

TFilter::TFilter(TProStringGrid* AOwner) : TCollection(ItemClassOf<TFilterData>()), FGrid(AOwner) {}

TFilterData* TFilter::Add() {
  auto* item = static_cast<TFilterData*>(TCollection::Add());
  item->SetOperation(Count() == 1 ? foNONE : foAND);
  return item;
}

TFilterData* TFilter::Insert(int) {
  return static_cast<TFilterData*>(TCollection::Add());
}

TFilterData* TFilter::ColumnFilter(int Col) {
  for (int i = 0; i < Count(); ++i)
    if (Items(i)->Column() == Col) return Items(i);
  TFilterData* item = Add();
  item->SetColumn(Col);
  return item;
}

void TFilter::RemoveColumnFilter(int Col) {
  for (int i = Count() - 1; i >= 0; --i)
    if (Items(i)->Column() == Col) Delete(i);
  if (FGrid) FGrid->RepaintCell(Col, 0);
}

bool TFilter::HasFilter(int Col) const {
  for (int i = 0; i < Count(); ++i)
    if (Items(i)->Column() == Col) return true;
  return false;
}
