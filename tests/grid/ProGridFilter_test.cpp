#include "grid/GridFilter.h"
#include "grid/ProGrid.h"

#include "ProGridFixture.h"

#include <gtest/gtest.h>

namespace {

// Column 1 holds texts, column 2 each row's starting index.
class ProGridFilterTest : public TProGridTest<> {
protected:
  void Load(const std::vector<std::string>& Texts) {
    Grid->SetColCount(3);
    Grid->SetRowCount(static_cast<int>(Texts.size()) + 1);
    for (int i = 0; i < static_cast<int>(Texts.size()); ++i) {
      Grid->SetCells(1, i + 1, Texts[i]);
      Grid->SetCells(2, i + 1, std::to_string(i + 1));
    }
  }
  std::vector<std::string> Shown() const {
    std::vector<std::string> out;
    for (int r = 1; r < Grid->RowCount(); ++r)
      out.push_back(Grid->Cells(1, r));
    return out;
  }

public:
  TFilterData* Condition(int Col, const std::string& Text, TFilterOperation Op) {
    TFilterData* f = Grid->Filter().Add();
    f->SetColumn(Col);
    f->SetCondition(Text);
    f->SetOperation(Op);
    return f;
  }

protected:
  using V = std::vector<std::string>;
};

} // namespace

TEST_F(ProGridFilterTest, ConditionCases) {
  struct Case {
    const char* name;
    std::function<void(ProGridFilterTest&)> setup;
    V want;
  } cases[] = {
      {"pattern", [](ProGridFilterTest& t) { t.Condition(1, "a*", foNONE); }, {"apple", "avocado"}},
      {"empty condition accepts all",
       [](ProGridFilterTest& t) { t.Condition(1, "", foNONE); },
       {"apple", "banana", "avocado", "$$5", "5kg"}},
      {"literal",
       [](ProGridFilterTest& t) { t.Condition(1, "banana", foNONE)->SetMethod(fmLiteral); },
       {"banana"}},
      {"prefix removed once",
       [](ProGridFilterTest& t) { t.Condition(1, "$5", foNONE)->SetPrefix("$"); },
       {"$$5"}},
      {"suffix only at the end",
       [](ProGridFilterTest& t) { t.Condition(1, "5", foNONE)->SetSuffix("kg"); },
       {"5kg"}},
      {"a failing short condition ends the evaluation",
       [](ProGridFilterTest& t) {
         t.Condition(1, "*", foNONE);
         t.Condition(1, "zzz", foSHORT);
         t.Condition(1, "*", foOR);
       },
       {}},
      {"whole row", [](ProGridFilterTest& t) { t.Condition(-1, "NAN", foNONE)->SetData(fcRow); }, {"banana"}},
  };
  for (const Case& c : cases) {
    Load({"apple", "banana", "avocado", "$$5", "5kg"});
    Grid->Filter().Clear();
    c.setup(*this);
    Grid->ApplyFilter();
    EXPECT_EQ(Shown(), c.want) << c.name;
    Grid->RemoveAllFilters();
  }
}

TEST_F(ProGridFilterTest, LevelsStackAndComeBackNewestFirst) {
  Load({"a1", "a2", "b1", "b2"});
  Condition(1, "a*|b1", foNONE);
  Grid->ApplyFilter();
  EXPECT_EQ(Shown(), (V{"a1", "a2", "b1"}));
  Grid->Filter().Clear();
  Condition(1, "*1", foNONE);
  Grid->ApplyFilter();
  EXPECT_EQ(Shown(), (V{"a1", "b1"}));
  EXPECT_EQ(Grid->FilterLevel(), 2);
  Grid->RemoveLastFilter();
  EXPECT_EQ(Shown(), (V{"a1", "a2", "b1"}));
  Grid->RemoveAllFilters();
  EXPECT_EQ(Shown(), (V{"a1", "a2", "b1", "b2"}));
  EXPECT_EQ(Grid->Filter().Count(), 1) << "with levels the conditions stay";
  Grid->RemoveAllFilters();
  EXPECT_EQ(Grid->Filter().Count(), 0) << "without levels they go";
}

TEST_F(ProGridFilterTest, FilterActiveSwitchesTheNewestLevel) {
  Load({"x", "y", "x"});
  Condition(1, "x", foNONE);
  Grid->SetFilterActive(true);
  EXPECT_EQ(Shown(), (V{"x", "x"}));
  Grid->SetFilterActive(false);
  EXPECT_EQ(Shown(), (V{"x", "y", "x"}));
}

TEST_F(ProGridFilterTest, NarrowDownFollowsTyping) {
  Load({"abc", "abd", "xab", "zzz"});
  Grid->NarrowDown("a", 1);
  EXPECT_EQ(Shown(), (V{"abc", "abd", "xab"}));
  Grid->NarrowDown("ab", 1);
  EXPECT_EQ(Shown(), (V{"abc", "abd", "xab"}));
  Grid->NarrowDown("abc", 1);
  EXPECT_EQ(Shown(), (V{"abc"}));
  Grid->NarrowDown("ab", 1);
  EXPECT_EQ(Shown(), (V{"abc", "abd", "xab"}));
  Grid->NarrowDown("", 1);
  EXPECT_EQ(Shown(), (V{"abc", "abd", "xab", "zzz"}));
  EXPECT_EQ(Grid->LastFilter(), "");
  Grid->NarrowDown("a b", 1);
  EXPECT_EQ(Grid->Filter().Items(0)->Condition(), "*a b*") << "given at once: unquoted";
}

TEST_F(ProGridFilterTest, ConditionDataHoldsAnyColumnAndIgnoresOtherSources) {
  TFilterData* f = Grid->Filter().Add();
  f->SetColumn(40000); // mended: a 16-bit field wrapped
  EXPECT_EQ(f->Column(), 40000);
  TFilterData* g = Grid->Filter().Add();
  g->SetCondition("keep");
  TSortSettings other;
  g->Assign(&other); // mended: another class is ignored
  EXPECT_EQ(g->Condition(), "keep");
}

TEST_F(ProGridFilterTest, NodeRowsStayWithFilterNormalCellsOnly) {
  Load({"h", "a", "b"});
  Grid->AddNode(1, 3);
  Condition(1, "a", foNONE);
  Grid->ApplyFilter();
  EXPECT_EQ(Shown(), (V{"h", "a"}));
}
