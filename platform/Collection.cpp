#include "platform/Collection.h"

#include <algorithm>

TCollectionItem::TCollectionItem(TCollection* Collection) {
  SetCollection(Collection);
}

TCollectionItem::~TCollectionItem() {
  if (FCollection) FCollection->RemoveItem(this);
}

void TCollectionItem::SetCollection(TCollection* Value) {
  if (FCollection == Value) return;
  if (FCollection) FCollection->RemoveItem(this);
  if (Value) Value->InsertItem(this);
}

int TCollectionItem::Index() const {
  if (!FCollection) return -1;
  auto& items = FCollection->FItems;
  auto it = std::find(items.begin(), items.end(), this);
  return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

void TCollectionItem::SetIndex(int Value) {
  int current = Index();
  if (current < 0 || Value < 0 || current == Value) return;
  auto& items = FCollection->FItems;
  Value = std::min(Value, static_cast<int>(items.size()) - 1);
  items.erase(items.begin() + current);
  items.insert(items.begin() + Value, this);
  Changed(true);
}

void TCollectionItem::Changed(bool AllItems) {
  if (FCollection && FCollection->FUpdateCount == 0 && !FCollection->FCreating)
    FCollection->Update(AllItems ? nullptr : this);
}

TPersistent* TCollectionItem::GetOwner() const {
  return FCollection;
}

TCollection::TCollection(TItemFactory ItemClass, TPersistent* Owner)
    : FItemClass(std::move(ItemClass)), FOwner(Owner) {}

TCollection::~TCollection() {
  ++FUpdateCount; // no Update from a collection being destroyed
  while (!FItems.empty()) {
    TCollectionItem* item = FItems.back();
    FItems.pop_back();
    item->FCollection = nullptr;
    delete item;
  }
}

void TCollection::InsertItem(TCollectionItem* Item) {
  FItems.push_back(Item);
  Item->FCollection = this;
  Item->FID = FNextID++;
  if (FCreating) {
    // The item is still being built: Add tells about it once it is whole.
    FCreated = Item;
    return;
  }
  Notify(Item, cnAdded);
  Changed();
}

void TCollection::RemoveItem(TCollectionItem* Item) {
  Notify(Item, cnExtracting);
  auto it = std::find(FItems.begin(), FItems.end(), Item);
  if (it != FItems.end()) FItems.erase(it);
  Item->FCollection = nullptr;
  Changed();
}

TCollectionItem* TCollection::Add() {
  return Insert(Count());
}

TCollectionItem* TCollection::Insert(int Index) {
  FCreating = true;
  FCreated = nullptr;
  TCollectionItem* item = nullptr;
  try {
    item = FItemClass(this);
  } catch (...) {
    FCreating = false;
    throw;
  }
  FCreating = false;
  if (!item) return nullptr;
  if (FCreated != item)
    item->SetCollection(this); // a factory that made it without us
  else {
    Index = std::clamp(Index, 0, Count() - 1);
    if (Index != Count() - 1) {
      FItems.pop_back();
      FItems.insert(FItems.begin() + Index, item);
    }
    Notify(item, cnAdded);
    Changed();
  }
  return item;
}

void TCollection::Delete(int Index) {
  TCollectionItem* item = Items(Index);
  if (!item) return;
  Notify(item, cnDeleting);
  RemoveItem(item);
  delete item;
}

void TCollection::Clear() {
  if (FItems.empty()) return;
  BeginUpdate();
  while (!FItems.empty())
    Delete(Count() - 1);
  EndUpdate();
}

TCollectionItem* TCollection::FindItemID(int ID) const {
  for (auto* item : FItems)
    if (item->FID == ID) return item;
  return nullptr;
}

void TCollection::BeginUpdate() {
  ++FUpdateCount;
}

void TCollection::EndUpdate() {
  if (FUpdateCount == 0) return;
  --FUpdateCount;
  Changed();
}

void TCollection::Changed() {
  if (FUpdateCount == 0) Update(nullptr);
}

void TCollection::Assign(const TPersistent* Source) {
  auto* source = dynamic_cast<const TCollection*>(Source);
  if (!source) {
    TPersistent::Assign(Source);
    return;
  }
  if (source == this) return;
  BeginUpdate();
  Clear();
  for (auto* item : source->FItems)
    Add()->Assign(item);
  EndUpdate();
}
