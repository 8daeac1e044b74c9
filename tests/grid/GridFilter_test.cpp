#include "grid/GridFilter.h"

#include <gtest/gtest.h>

TEST(GridFilter, AddInsertColumnFiltersAndRemoval) {
  TFilter f(nullptr);
  TFilterData* first = f.Add();
  EXPECT_EQ(first->Operation(), foNONE); // alone
  EXPECT_TRUE(first->CaseSensitive());
  EXPECT_EQ(first->Method(), fmExpression);
  EXPECT_EQ(first->Data(), fcVirtual);
  EXPECT_EQ(first->Column(), 0);
  first->SetColumn(2);
  EXPECT_EQ(f.Add()->Operation(), foAND);
  TFilterData* inserted = f.Insert(0);
  EXPECT_EQ(f.Items(2), inserted); // appended whatever the index
  EXPECT_EQ(inserted->Operation(), foSHORT);
  inserted->SetColumn(2);

  EXPECT_EQ(f.ColumnFilter(2), first);
  EXPECT_FALSE(f.HasFilter(5));
  TFilterData* made = f.ColumnFilter(5);
  EXPECT_EQ(made->Column(), 5);
  EXPECT_EQ(made->Operation(), foAND);
  EXPECT_EQ(f.Count(), 4);
  f.RemoveColumnFilter(2);
  EXPECT_EQ(f.Count(), 2);
  EXPECT_FALSE(f.HasFilter(2));
  EXPECT_TRUE(f.HasFilter(5));
}

TEST(GridFilter, AssignCopiesAllButTheMethod) {
  TFilter f(nullptr);
  TFilterData* src = f.Add();
  src->SetColumn(3);
  src->SetCondition(">5");
  src->SetCaseSensitive(false);
  src->SetData(fcStripHTML);
  src->SetPrefix("$");
  src->SetSuffix(" kg");
  src->SetOperation(foOR);
  src->SetMethod(fmLiteral);
  TFilterData* dst = f.Add();
  dst->Assign(src);
  EXPECT_EQ(dst->Column(), 3);
  EXPECT_EQ(dst->Condition(), ">5");
  EXPECT_FALSE(dst->CaseSensitive());
  EXPECT_EQ(dst->Data(), fcStripHTML);
  EXPECT_EQ(dst->Prefix(), "$");
  EXPECT_EQ(dst->Suffix(), " kg");
  EXPECT_EQ(dst->Operation(), foOR);
  EXPECT_EQ(dst->Method(), fmExpression);
  dst->Assign(nullptr); // nothing
  EXPECT_EQ(dst->Column(), 3);

  TFilter copy(nullptr);
  copy.Assign(&f);
  ASSERT_EQ(copy.Count(), 2);
  EXPECT_EQ(copy.Items(1)->Condition(), ">5");
}
