#include "grid/GridOptions.h"

#include <gtest/gtest.h>

TEST(Navigation, AdvanceAutoAndChangeNotices) {
  TNavigation n;
  int changes = 0;
  n.OnChange = [&](TObject*) { ++changes; };
  n.SetAdvanceAuto(true);
  EXPECT_TRUE(n.AdvanceOnEnter());
  n.SetAdvanceOnEnter(true);
  n.SetAdvanceAuto(false);
  EXPECT_TRUE(n.AdvanceOnEnter()) << "switching it off leaves AdvanceOnEnter";
  EXPECT_EQ(changes, 0);
  n.SetAdvanceDirection(adTopBottom);
  n.SetAdvanceDirection(adTopBottom);
  n.SetAdvanceInsert(true);
  n.SetAllowInsertRow(true); // stores only
  EXPECT_EQ(changes, 2);
}

TEST(Navigation, AssignCopiesAllButKeepScrollOnSort) {
  TNavigation source, target;
  source.SetTabAdvanceDirection(adTopBottom);
  source.SetAdvanceDirection(adLeftRight);
  source.SetKeepScrollOnSort(true);
  source.SetHomeEndKey(heFirstLastCell);
  source.SetAdvanceAuto(true);
  int changes = 0;
  target.OnChange = [&](TObject*) { ++changes; };
  target.SetAdvanceDirection(adTopBottomInCol);
  changes = 0;
  target.Assign(&source);
  EXPECT_EQ(target.TabAdvanceDirection(), adTopBottom);
  EXPECT_EQ(target.AdvanceDirection(), adLeftRight);
  EXPECT_EQ(target.HomeEndKey(), heFirstLastCell);
  EXPECT_TRUE(target.AdvanceAuto());
  EXPECT_FALSE(target.KeepScrollOnSort());
  EXPECT_EQ(changes, 0);
  TBands other;
  target.Assign(&other); // ignored
  EXPECT_EQ(target.HomeEndKey(), heFirstLastCell);
}

TEST(MouseActions, DisjunctSelectionsExcludeEachOtherOnlyWhileDesigning) {
  struct TCase {
    bool Handler;
    bool Designing;
    bool RowAfter;
  };
  for (TCase c : {TCase{false, false, true}, TCase{true, false, true}, TCase{true, true, false}}) {
    TMouseActions m(nullptr);
    if (c.Handler) m.OnIsDesigning = [&](TObject*, bool& d) { d = c.Designing; };
    m.SetDisjunctRowSelect(true);
    m.SetDisjunctColSelect(true);
    EXPECT_EQ(m.DisjunctRowSelect(), c.RowAfter) << c.Handler << c.Designing;
    EXPECT_TRUE(m.DisjunctColSelect());
  }
}

TEST(MouseActions, SettersWithSideEffectsAndAssign) {
  TMouseActions m(nullptr);
  int invalidates = 0, disables = 0, changes = 0;
  m.OnInvalidate = [&](TObject*) { ++invalidates; };
  m.OnDisableEdit = [&](TObject*) { ++disables; };
  m.OnChange = [&](TObject*) { ++changes; };
  m.SetHotmailRowSelect(true);
  EXPECT_TRUE(m.DisjunctRowSelect());
  EXPECT_TRUE(m.CheckAllCheck());
  m.SetHotmailRowSelect(false);
  EXPECT_EQ(invalidates, 2);
  m.SetEditOnDblClickOnly(false);
  m.SetEditOnDblClickOnly(true);
  EXPECT_EQ(disables, 1);
  m.SetWheelAction(waScroll);
  m.SetWheelAction(waScroll);
  EXPECT_EQ(changes, 1);
  m.FixedComboValues().Add("a");

  TMouseActions target(nullptr);
  target.SetSizeFixedRow(true);
  m.SetRowSelect(true);
  m.SetWheelIncrement(3);
  target.Assign(&m);
  EXPECT_TRUE(target.RowSelect());
  EXPECT_EQ(target.WheelIncrement(), 3);
  EXPECT_EQ(target.WheelAction(), waScroll);
  EXPECT_TRUE(target.DisjunctRowSelect());
  EXPECT_TRUE(target.SizeFixedRow()) << "kept";
  EXPECT_FALSE(target.EditOnDblClickOnly()) << "not copied";
  EXPECT_FALSE(target.HotmailRowSelect()) << "not copied";
  EXPECT_EQ(target.FixedComboValues().Count(), 0) << "not copied";
}

TEST(SearchFooter, CaptionsWithInitDesignAndNoneWithout) {
  const char* expected[][2] = {{"Find &previous", "FindPrevCaption"},
                               {"Find &next", "FindNextCaption"},
                               {"Match case", "MatchCaseCaption"},
                               {"Highlight", "HighLightCaption"},
                               {"Close", "HintClose"},
                               {"Find next occurrence", "HintFindNext"},
                               {"Find previous occurrence", "HintFindPrev"},
                               {"Highlight occurrences", "HintHighlight"}};
  for (bool init : {true, false}) {
    TSearchFooter f(nullptr, init);
    const std::string texts[] = {f.FindPrevCaption(),  f.FindNextCaption(), f.MatchCaseCaption(),
                                 f.HighLightCaption(), f.HintClose(),       f.HintFindNext(),
                                 f.HintFindPrev(),     f.HintHighlight()};
    for (int i = 0; i < 8; ++i)
      EXPECT_EQ(texts[i], init ? expected[i][0] : "") << expected[i][1];
    EXPECT_TRUE(f.ShowClose() && f.ShowFindNext() && f.ShowFindPrev() && f.ShowHighLight() &&
                f.ShowMatchCase());
    EXPECT_EQ(f.SearchColumn(), -1);
    EXPECT_EQ(f.Color(), 0xFFFFFFu);
  }
}

TEST(SearchFooter, ChangeNoticesAndAssign) {
  TSearchFooter f(nullptr, false);
  int changes = 0;
  f.OnChange = [&](TObject*) { ++changes; };
  f.SetColor(f.Color());   // fires even unchanged
  f.SetShowClose(true);    // fires even unchanged
  f.SetShowFindNext(true); // unchanged: silent
  f.SetVisible(true);      // changed: fires
  f.SetSearchColumn(3);    // stores only
  f.SetHintClose("x");     // fires
  EXPECT_EQ(changes, 4);

  TSearchFooter target(nullptr, true);
  target.SetAutoSearch(false);
  target.SetLastSearch("kept");
  f.SetSearchFixedCells(true);
  changes = 0;
  target.OnChange = [&](TObject*) { ++changes; };
  target.Assign(&f);
  EXPECT_EQ(target.HintClose(), "x");
  EXPECT_EQ(target.FindNextCaption(), "");
  EXPECT_TRUE(target.Visible());
  EXPECT_EQ(target.SearchColumn(), 3);
  EXPECT_FALSE(target.AutoSearch()) << "left alone";
  EXPECT_FALSE(target.SearchFixedCells()) << "left alone";
  EXPECT_EQ(target.LastSearch(), "kept");
  EXPECT_EQ(changes, 0);
}

TEST(Bands, LengthsKeepTheTotalAlsoThroughAssign) {
  TBands b;
  int changes = 0;
  b.OnChange = [&](TObject*) { ++changes; };
  EXPECT_EQ(b.TotalLength(), 2);
  b.SetPrimaryColor(clRed); // not active: silent
  b.SetPrimaryLength(3);
  EXPECT_EQ(b.TotalLength(), 4);
  EXPECT_EQ(changes, 0);
  b.SetActive(true);
  b.SetSecondaryColor(clBlue);
  b.SetSecondaryColor(clBlue);
  EXPECT_EQ(changes, 2);
  TBands copy;
  copy.Assign(&b);
  EXPECT_EQ(copy.PrimaryLength(), 3);
  EXPECT_EQ(copy.TotalLength(), 4) << "Assign recomputes the sum";
  EXPECT_TRUE(copy.Active());
}

TEST(SyncGrid, NeverItsOwnGrid) {
  auto* owner = reinterpret_cast<TBaseGrid*>(0x1000); // only compared, never used
  auto* other = reinterpret_cast<TBaseGrid*>(0x2000);
  TSyncGrid target(owner), source(nullptr);
  source.SetGrid(owner);
  source.SetMoveRow(true);
  target.SetGrid(other);
  target.Assign(&source);
  EXPECT_EQ(target.Grid(), other);
  EXPECT_TRUE(target.MoveRow());
  target.SetGrid(owner);
  EXPECT_EQ(target.Grid(), other);
  TFocusHelper a(nullptr), b(nullptr);
  a.SetEnabled(true);
  b.Assign(&a);
  EXPECT_TRUE(b.Enabled());
}

TEST(ProStringGridCheck, PassesTextsThrough) {
  TProStringGridCheck check(nullptr);
  EXPECT_EQ(check.Correct(1, 2, "abc"), "abc");
  EXPECT_EQ(check.MarkError(1, 2, "abc"), "abc");
  EXPECT_FALSE(check.AutoCorrect() || check.AutoMarkError() || check.GotoCell() || check.UseCorrect() ||
               check.UseMarkError());
}
