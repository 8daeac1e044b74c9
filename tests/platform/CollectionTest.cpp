#include "platform/Collection.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class TColumnItem : public TCollectionItem {
public:
  explicit TColumnItem(TCollection* c) : TCollectionItem(c) { SetWidth(64); } // silent while created
  int Width() const { return FWidth; }
  void SetWidth(int w) {
    if (w == FWidth) return;
    FWidth = w;
    Changed(false);
  }
  void Assign(const TPersistent* Source) override {
    if (auto* other = dynamic_cast<const TColumnItem*>(Source)) {
      SetWidth(other->FWidth);
      return;
    }
    TCollectionItem::Assign(Source);
  }

protected:
  std::string GetDisplayName() const override { return "Column " + std::to_string(FWidth); }

private:
  int FWidth = 0;
};

// Records every Update: the item's width, or "all" for nullptr.
class TColumns : public TCollectionOf<TColumnItem> {
public:
  using TCollectionOf::TCollectionOf;
  std::vector<std::string> Log;

protected:
  void Update(TCollectionItem* Item) override {
    Log.push_back(Item ? std::to_string(static_cast<TColumnItem*>(Item)->Width()) : "all");
  }
  void Notify(TCollectionItem* Item, TCollectionNotification Action) override {
    Log.push_back(Action == cnAdded ? "added" : Action == cnDeleting ? "deleting" : "extracting");
  }
};

} // namespace

TEST(Collection, UpdateFollowsEveryAddChangeAndDelete) {
  TColumns columns;
  TColumnItem* a = columns.Add();
  EXPECT_EQ(columns.Log, (std::vector<std::string>{"added", "all"}));
  EXPECT_EQ(a->Width(), 64);
  columns.Log.clear();
  a->SetWidth(80);
  a->SetWidth(80); // no change, no notice
  columns.Delete(0);
  EXPECT_EQ(columns.Log, (std::vector<std::string>{"80", "deleting", "extracting", "all"}));
  EXPECT_EQ(columns.Count(), 0);
}

TEST(Collection, HeldUpdatesBecomeOneAtTheEnd) {
  TColumns columns;
  columns.BeginUpdate();
  columns.Add()->SetWidth(10);
  columns.Add();
  columns.Items(0)->SetWidth(20);
  columns.EndUpdate();
  EXPECT_EQ(columns.Log, (std::vector<std::string>{"added", "added", "all"}));
}

TEST(Collection, ItemsKnowTheirPlaceOwnerAndNumber) {
  TColumnItem owner(nullptr); // any persistent object
  TColumns columns(&owner);
  EXPECT_EQ(columns.Owner(), &owner);
  auto* a = columns.Add();
  auto* b = columns.Add();
  auto* c = columns.Insert(0);
  EXPECT_EQ(c->Index(), 0);
  EXPECT_EQ(a->Index(), 1);
  EXPECT_EQ(c->ID(), 2);
  EXPECT_EQ(columns.FindItemID(1), b);
  b->SetIndex(0);
  EXPECT_EQ(columns.Items(0), b);
  EXPECT_EQ(columns.Log.back(), "all");
  EXPECT_EQ(b->DisplayName(), "Column 64");
  EXPECT_EQ(columns.Items(3), nullptr);
  EXPECT_EQ(columns.Items(-1), nullptr);
  columns.Delete(7); // nothing outside the list
  EXPECT_EQ(columns.Count(), 3);

  delete a; // an item freed on its own leaves its collection
  EXPECT_EQ(columns.Count(), 2);
  TColumns other;
  c->SetCollection(&other);
  EXPECT_EQ(columns.Count(), 1);
  EXPECT_EQ(other.Items(0), c);
  EXPECT_EQ(c->Collection(), &other);
}

TEST(Collection, AssignCopiesItemByItemWithOneUpdate) {
  TColumns source, target;
  source.Add()->SetWidth(10);
  source.Add()->SetWidth(20);
  target.Add();
  target.Log.clear();
  target.Assign(&source);
  ASSERT_EQ(target.Count(), 2);
  EXPECT_EQ(target.Items(0)->Width(), 10);
  EXPECT_EQ(target.Items(1)->Width(), 20);
  EXPECT_EQ(target.Log.back(), "all");
  EXPECT_EQ(std::count(target.Log.begin(), target.Log.end(), "all"), 1);
  EXPECT_THROW(target.Assign(target.Items(0)), EConvertError);
}
