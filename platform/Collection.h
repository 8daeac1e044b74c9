// Collections of the runtime: a list of items of one kind that the collection creates, owns and
// numbers, telling its virtual Update after every add, delete or change.
#pragma once

#include "platform/Persistent.h"

#include <functional>
#include <string>
#include <vector>

class TCollection;

enum TCollectionNotification { cnAdded, cnExtracting, cnDeleting };

class TCollectionItem : public TPersistent {
public:
  // Joins `Collection` (when given) at its end.
  explicit TCollectionItem(TCollection* Collection);
  // Leaves its collection first.
  ~TCollectionItem() override;
  TCollectionItem(const TCollectionItem&) = delete;
  TCollectionItem& operator=(const TCollectionItem&) = delete;

  TCollection* Collection() const { return FCollection; }
  // Moves the item to another collection (nullptr: none; the caller then owns it).
  void SetCollection(TCollection* Value);
  // Position in the collection (-1 without one); setting moves the item there.
  int Index() const;
  virtual void SetIndex(int Value);
  // Number given by the collection when the item joined; never reused within it.
  int ID() const { return FID; }
  // The name the designer lists; the class name unless a descendant says otherwise.
  std::string DisplayName() const { return GetDisplayName(); }

protected:
  // Tells the collection: Update(this), or Update(nullptr) when every item is concerned.
  void Changed(bool AllItems);
  virtual std::string GetDisplayName() const { return ClassName(); }
  TPersistent* GetOwner() const override;

private:
  friend class TCollection;
  TCollection* FCollection = nullptr;
  int FID = 0;
};

class TCollection : public TPersistent {
public:
  using TItemFactory = std::function<TCollectionItem*(TCollection* Collection)>;
  // The factory makes the items Add and Insert create (the item class).
  explicit TCollection(TItemFactory ItemClass, TPersistent* Owner = nullptr);
  template <class TItem> static TItemFactory ItemClassOf() {
    return [](TCollection* c) -> TCollectionItem* { return new TItem(c); };
  }
  // Deletes every item.
  ~TCollection() override;
  TCollection(const TCollection&) = delete;
  TCollection& operator=(const TCollection&) = delete;

  int Count() const { return static_cast<int>(FItems.size()); }
  // nullptr outside 0 .. Count - 1.
  TCollectionItem* Items(int Index) const {
    return Index >= 0 && Index < Count() ? FItems[static_cast<std::size_t>(Index)] : nullptr;
  }
  TCollectionItem* Add();
  // A new item at Index (clamped into 0 .. Count).
  TCollectionItem* Insert(int Index);
  // Deletes the item at Index; nothing outside the list.
  void Delete(int Index);
  void Clear();
  // The item with this ID, or nullptr.
  TCollectionItem* FindItemID(int ID) const;
  // Every Update between the outermost pair becomes one Update(nullptr) at the last EndUpdate.
  void BeginUpdate();
  virtual void EndUpdate();
  int UpdateCount() const { return FUpdateCount; }

  // Replaces the items by new ones, each assigned from the source collection's item.
  void Assign(const TPersistent* Source) override;
  TPersistent* Owner() const { return GetOwner(); }

protected:
  // Called after an item was added or deleted (nullptr) or after one item changed (that item),
  // never while updates are held.
  virtual void Update(TCollectionItem* Item) {}
  virtual void Notify(TCollectionItem* Item, TCollectionNotification Action) {}
  TPersistent* GetOwner() const override { return FOwner; }
  // Update(nullptr) unless updates are held.
  void Changed();

private:
  friend class TCollectionItem;
  void InsertItem(TCollectionItem* Item);
  void RemoveItem(TCollectionItem* Item);
  TItemFactory FItemClass;
  TPersistent* FOwner;
  std::vector<TCollectionItem*> FItems;
  int FNextID = 0;
  int FUpdateCount = 0;
  // Set while Add makes an item, whose constructor has not finished when it joins.
  bool FCreating = false;
  TCollectionItem* FCreated = nullptr;
};

// A collection whose items are of one class.
template <class TItem> class TCollectionOf : public TCollection {
public:
  explicit TCollectionOf(TPersistent* Owner = nullptr) : TCollection(ItemClassOf<TItem>(), Owner) {}
  TItem* Items(int Index) const { return static_cast<TItem*>(TCollection::Items(Index)); }
  TItem* Add() { return static_cast<TItem*>(TCollection::Add()); }
  TItem* Insert(int Index) { return static_cast<TItem*>(TCollection::Insert(Index)); }
};
