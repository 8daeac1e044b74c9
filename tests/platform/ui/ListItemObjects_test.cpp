#include "platform/ui/StdCtrls.h"

#include "support/UiTestFixture.h"

#include <gtest/gtest.h>

namespace {

struct TTag : TObject {
  explicit TTag(int v) : Value(v) {}
  int Value;
};

int TagAt(const TControlItems& items, int i) {
  auto* tag = static_cast<TTag*>(items.Objects(i));
  return tag ? tag->Value : -1;
}

class ListItemObjectsTest : public TUiTest {};

} // namespace

TEST_F(ListItemObjectsTest, ObjectsFollowTheirItemsThroughChangesAndSorting) {
  TOwned<TForm> form(NewForm<TForm>(nullptr));
  auto* list = new TListBox(form.get());
  list->SetParent(form.get());
  TTag c(3), a(1), b(2), d(4);
  list->Items().AddObject("Charlie", &c);
  list->Items().AddObject("alpha", &a);
  list->Items().Add("none");
  list->Items().InsertObject(0, "Bravo", &b);
  list->SetSorted(true); // objects move with their texts
  EXPECT_EQ(list->Items().ToVector(), (std::vector<std::string>{"alpha", "Bravo", "Charlie", "none"}));
  EXPECT_EQ(TagAt(list->Items(), 0), 1);
  EXPECT_EQ(TagAt(list->Items(), 1), 2);
  EXPECT_EQ(TagAt(list->Items(), 2), 3);
  EXPECT_EQ(TagAt(list->Items(), 3), -1);
  list->Items().Delete(0);
  list->Items().SetObjects(2, &d);
  EXPECT_EQ(TagAt(list->Items(), 0), 2);
  EXPECT_EQ(TagAt(list->Items(), 2), 4);
  EXPECT_EQ(list->Items().Objects(3), nullptr); // out of range
  list->Items().SetObjects(-1, &a);             // ignored
  list->Items().Assign({"x", "y"});
  EXPECT_EQ(list->Items().Objects(0), nullptr);

  auto* combo = new TComboBox(form.get());
  combo->SetParent(form.get());
  combo->Items().AddObject("9600", &a);
  combo->Items().InsertObject(0, "4800", &b);
  EXPECT_EQ(TagAt(combo->Items(), 1), 1);
  combo->Items().Clear();
  EXPECT_EQ(combo->Items().Objects(0), nullptr);
}
