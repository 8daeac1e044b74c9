#include "grid/ProGrid.h"

#include "ProGridFixture.h"
#include "grid/IntList.h"
#include "platform/ui/Forms.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace {

struct TProGridForm : TGridOnForm<> {
  // Fills every cell with "c,r" by real column and display row.
  void Fill() {
    for (int r = 0; r < Grid->RowCount(); ++r)
      for (int c = 0; c < Grid->TotalColCount(); ++c)
        Grid->SetCells(c, r, std::to_string(c) + "," + std::to_string(r));
  }
  std::vector<std::string> Column(int c) const {
    std::vector<std::string> out;
    for (int r = 0; r < Grid->RowCount(); ++r)
      out.push_back(Grid->Cells(c, r));
    return out;
  }
};

class ProGridTest : public TUiTest {};

} // namespace

TEST_F(ProGridTest, NewGridDefaults) {
  TProGridForm f;
  TProStringGrid& g = *f.Grid;
  struct Case {
    const char* name;
    long long got, want;
  } cases[] = {
      {"ColCount", g.ColCount(), 5},
      {"RowCount", g.RowCount(), 10},
      {"FixedCols", g.FixedCols(), 1},
      {"FixedRows", g.FixedRows(), 1},
      {"DefaultRowHeight", g.DefaultRowHeight(), 22},
      {"FixedRowHeight", g.FixedRowHeight(), 22},
      {"Width", g.Width(), 400},
      {"Height", g.Height(), 250},
      {"SelectionColor", g.SelectionColor(), 0xEACAB6},
      {"ActiveCellColor", g.ActiveCellColor(), 0x808080},
      {"DisabledFontColor", g.DisabledFontColor(), 0xC0C0C0},
      {"BorderColor", g.BorderColor(), 0xB99D7F},
      {"NumHiddenColumns", g.NumHiddenColumns(), 0},
      {"NumHiddenRows", g.NumHiddenRows(), 0},
      {"EnhRowColMove", g.EnhRowColMove(), 1},
      {"DefaultEditor", g.DefaultEditor(), edNormal},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.got, c.want) << c.name;
  EXPECT_EQ(g.Version(), "6.2.1.3");
  EXPECT_EQ(g.GetVersionString(), "6.2.1.3 Sep, 2012");
  EXPECT_EQ(g.CheckTrue(), "Y");
  EXPECT_EQ(g.CheckFalse(), "N");
  EXPECT_EQ(g.FloatFormat(), "%.2f");
  EXPECT_EQ(g.FilterDropDownClear(), "(All)");
  EXPECT_EQ(g.PasswordChar(), "*");
  g.SetVersion("1.0.0.0");
  EXPECT_EQ(g.Version(), "6.2.1.3") << "writing the version changes nothing";
}

TEST_F(ProGridTest, IntegralHeightCutsToWholeRows) {
  TProGridForm f;
  f.Grid->SetBorderStyle(bsNone);
  f.Grid->SetIntegralHeight(true);
  f.Grid->SetBounds(0, 0, 400, 100);
  EXPECT_EQ(f.Grid->Height(), 88);
  f.Grid->SetIntegralHeight(false);
  f.Grid->SetBounds(0, 0, 400, 100);
  EXPECT_EQ(f.Grid->Height(), 100);
}

// Two grids on one form, destroyed in the order they were made: the form keeps calling its own
// handler and never a destroyed grid.
TEST_F(ProGridTest, FormResizeChainSurvivesGridsDestroyedInCreationOrder) {
  TForm* form = new TForm(nullptr);
  int calls = 0;
  form->OnResize = [&](TObject*) { ++calls; };
  auto* g1 = new TProStringGrid(form);
  auto* g2 = new TProStringGrid(form);
  g1->SetParent(form);
  g2->SetParent(form);
  g1->SetSizeWithForm(true);
  form->SetBounds(0, 0, 600, 500);
  EXPECT_EQ(calls, 1);
  g1->Free();
  form->SetBounds(0, 0, 650, 520);
  EXPECT_EQ(calls, 2);
  g2->Free();
  form->SetBounds(0, 0, 700, 540);
  EXPECT_EQ(calls, 3);
  form->Free();
}

TEST_F(ProGridTest, FormResizeGrowsGridWithSizeWithForm) {
  TProGridForm f;
  f.Grid->SetSizeWithForm(true);
  int w = f.Grid->Width(), h = f.Grid->Height();
  f.Form->SetBounds(f.Form->Left(), f.Form->Top(), f.Form->Width() + 30, f.Form->Height() + 20);
  EXPECT_EQ(f.Grid->Width(), w + 30);
  EXPECT_EQ(f.Grid->Height(), h + 20);
}

TEST_F(ProGridTest, QueriesPassRowAndColumnInTheEventsOrder) {
  TProGridForm f;
  TProStringGrid& g = *f.Grid;
  std::vector<std::string> seen;
  auto note = [&](const char* ev, int a, int b) {
    seen.push_back(std::string(ev) + ":" + std::to_string(a) + "," + std::to_string(b));
  };
  g.OnGetCellColor = [&](TObject*, int r, int c, TGridDrawState, TBrush&, TFont&) { note("color", r, c); };
  g.OnGetWordWrap = [&](TObject*, int c, int r, bool&) { note("wrap", c, r); };
  g.OnGridHint = [&](TObject*, int r, int c, std::string& h) {
    note("hint", r, c);
    h = "hint";
  };
  g.OnIsFixedCell = [&](TObject*, int r, int c, bool&) { note("fixed", r, c); };
  g.OnGetEditorType = [&](TObject*, int c, int r, TEditorType& e) {
    note("editor", c, r);
    e = edNone;
  };
  g.OnCanEditCell = [&](TObject*, int r, int c, bool&) { note("canedit", r, c); };
  g.OnGetAlignment = [&](TObject*, int r, int c, TAlignment&, TVAlignment&) { note("align", r, c); };
  TBrush brush;
  TFont font;
  TPen pen;
  g.GetCellColor(2, 3, 0, brush, font);
  bool ww = true;
  g.GetCellWordWrap(2, 3, ww);
  std::string hint, wide;
  g.GetCellHint(2, 3, hint, wide);
  bool fixed = false;
  g.IsFixedCell(2, 3, fixed);
  EXPECT_TRUE(g.HasNoEditor(2, 3));
  bool canEdit = true;
  g.CanEditCell(2, 3, canEdit);
  TAlignment ha = taLeftJustify;
  TVAlignment va = vtaTop;
  g.GetCellAlignment(2, 3, ha, va);
  std::vector<std::string> want{"color:3,2",  "wrap:2,3",    "hint:3,2", "fixed:3,2",
                                "editor:2,3", "canedit:3,2", "align:3,2"};
  EXPECT_EQ(seen, want);
  EXPECT_EQ(hint, "hint");
}

TEST_F(ProGridTest, UnassignedQueriesKeepTheCallersValue) {
  TProGridForm f;
  TProStringGrid& g = *f.Grid;
  g.SetDefaultEditor(edNone);
  EXPECT_FALSE(g.HasNoEditor(2, 3)) << "no handler: never without editor";
  bool ww = false;
  g.GetCellWordWrap(2, 3, ww);
  EXPECT_FALSE(ww);
  bool pw = true;
  g.IsPasswordCell(2, 3, pw);
  EXPECT_TRUE(pw);
  TEditorType e = edComboList;
  g.GetCellEditor(2, 3, e);
  EXPECT_EQ(e, edComboList);
  double rate = 3.5;
  EXPECT_TRUE(g.RatingChange(2, 3, rate));
  EXPECT_EQ(rate, 3.5);
  std::string check;
  g.GetCheckTrue(2, 3, check);
  EXPECT_EQ(check, "Y");
  g.GetCheckFalse(2, 3, check);
  EXPECT_EQ(check, "N");
  // A cell without properties is decided by the event alone: editable here.
  bool canEdit = true;
  g.CanEditCell(2, 3, canEdit);
  EXPECT_TRUE(canEdit);
}

TEST_F(ProGridTest, SpinAndComboButtonsFollowTheirSettings) {
  TProGridForm f;
  TProStringGrid& g = *f.Grid;
  g.OnHasSpinEdit = [](TObject*, int, int, bool& has) { has = true; };
  EXPECT_FALSE(g.HasSpinEdit(0, 3)) << "fixed column";
  EXPECT_FALSE(g.HasSpinEdit(2, 0)) << "fixed row";
  EXPECT_TRUE(g.HasSpinEdit(2, 3));
  g.OnHasSpinEdit = nullptr;
  g.SetDefaultEditor(edFloatSpinEdit);
  EXPECT_FALSE(g.HasSpinEdit(2, 3));
  g.SetSpinButtonsAlwaysVisible(true);
  EXPECT_TRUE(g.HasSpinEdit(2, 3));
  g.SetDefaultEditor(edComboList);
  EXPECT_FALSE(g.HasComboBox(2, 3));
  g.SetDropDownAlwaysVisible(true);
  EXPECT_TRUE(g.HasComboBox(2, 3));
}

TEST_F(ProGridTest, EditabilityOfCellsWithProperties) {
  TProGridForm f;
  TProStringGrid& g = *f.Grid;
  g.CellProperties(2, 3)->SetReadOnly(false);
  struct Case {
    bool editing, editDisable, rangeSelectAndEdit, want;
  } cases[] = {{false, false, false, false},
               {true, false, false, true},
               {false, true, false, true},
               {false, false, true, true}};
  for (const Case& c : cases) {
    g.SetOptions(c.editing ? (g.Options() | goEditing) : (g.Options() & ~goEditing));
    g.SetEditDisable(c.editDisable);
    g.MouseActions().SetRangeSelectAndEdit(c.rangeSelectAndEdit);
    bool canEdit = true;
    g.CanEditCell(2, 3, canEdit);
    EXPECT_EQ(canEdit, c.want) << c.editing << c.editDisable << c.rangeSelectAndEdit;
  }
  g.CellProperties(2, 3)->SetReadOnly(true);
  bool canEdit = true;
  g.CanEditCell(2, 3, canEdit);
  EXPECT_FALSE(canEdit);
}

TEST_F(ProGridTest, FixedRowAlwaysKeepsTheMinimumRowsFixed) {
  TProGridForm f;
  TProStringGrid& g = *f.Grid;
  g.SetFixedRows(2);
  g.Loaded();
  g.SetRowCount(2); // FixedRows has to come down to 1
  ASSERT_EQ(g.FixedRows(), 1);
  bool fixed = false;
  g.IsFixedCell(2, 1, fixed);
  EXPECT_FALSE(fixed) << "without FixedRowAlways it is a normal row";
  g.SetFixedRowAlways(true);
  fixed = false;
  g.IsFixedCell(2, 1, fixed);
  EXPECT_TRUE(fixed);
}

TEST_F(ProGridTest, ColumnFilterOffersDistinctSortedValues) {
  TProGridForm f;
  TProStringGrid& g = *f.Grid;
  g.SetRowCount(5);
  g.SetFilterDropDownAuto(true);
  g.SetCells(2, 1, "two words");
  g.SetCells(2, 2, "one");
  g.SetCells(2, 3, "one");
  g.SetCells(2, 4, "");
  EXPECT_TRUE(g.GetColumnFilter(2));
  std::vector<std::string> want{"(All)", "", "one", "two words=\"two words\""};
  EXPECT_EQ(g.FilterList(), want);
  EXPECT_FALSE(g.GetColumnFilter(0)) << "fixed column with fdNormal";
  g.OnGetColumnFilter = [](TObject*, int, TStrings* list) { list->Add("x"); };
  EXPECT_TRUE(g.GetColumnFilter(0));
}

// --- Hidden columns -------------------------------------------------------------------------------

TEST_F(ProGridTest, HiddenColumnMapping) {
  TProGridForm f;
  TProStringGrid& g = *f.Grid;
  for (int i : {-3, -1, 0, 2, 4, 9})
    EXPECT_EQ(g.RealColIndex(i), i) << "no hidden column: identity";
  f.Fill();
  g.SetColWidths(1, 33);
  g.HideColumn(1);
  EXPECT_EQ(g.ColCount(), 4);
  EXPECT_TRUE(g.IsHiddenColumn(1));
  struct Case {
    int displ, real;
  } map[] = {{0, 0}, {1, 2}, {2, 3}, {3, 4}};
  for (const Case& c : map) {
    EXPECT_EQ(g.RealColIndex(c.displ), c.real);
    EXPECT_EQ(g.DisplColIndex(c.real), c.displ);
  }
  EXPECT_EQ(g.DisplColIndex(1), 1);
  // Mended: no real column behind display column 4 or -1: -1 rather than the number column.
  EXPECT_EQ(g.RealColIndex(4), -1);
  EXPECT_EQ(g.RealColIndex(-1), -1);
  g.SetAllCells(g.RealColIndex(4), 2, "lost");
  EXPECT_EQ(g.Cells(0, 2), "0,2");
  EXPECT_EQ(g.Cells(1, 2), "1,2") << "cells of a hidden column never move";
  EXPECT_EQ(g.AllColWidths(1), 33);
  g.UnHideColumn(1);
  EXPECT_EQ(g.ColCount(), 5);
  EXPECT_EQ(g.ColWidths(1), 33);
  EXPECT_EQ(g.NumHiddenColumns(), 0);
}

TEST_F(ProGridTest, HidingTheLastDisplayedColumnAndTheLastOneLeft) {
  TProGridForm f;
  TProStringGrid& g = *f.Grid;
  g.SetCol(4);
  g.HideColumn(4);
  EXPECT_EQ(g.Col(), 3);
  EXPECT_EQ(g.ColCount(), 4);
  g.SetColCount(1);
  g.HideColumn(0);
  EXPECT_EQ(g.ColCount(), 1) << "the last displayed column stays";
}

// Mended: the column maps grow with the grid, so columns beyond 512 hide and map too.
TEST_F(ProGridTest, ColumnBeyond512Hides) {
  TProGridForm f;
  TProStringGrid& g = *f.Grid;
  g.SetColCount(700);
  g.SetCells(601, 1, "x");
  g.HideColumn(600);
  EXPECT_TRUE(g.IsHiddenColumn(600));
  EXPECT_EQ(g.ColCount(), 699);
  EXPECT_EQ(g.RealColIndex(600), 601);
  EXPECT_EQ(g.DisplColIndex(601), 600);
  EXPECT_EQ(g.Cells(601, 1), "x");
  g.UnHideColumnsAll();
  EXPECT_EQ(g.ColCount(), 700);
}

// --- Hidden rows ----------------------------------------------------------------------------------

TEST_F(ProGridTest, HideRowsSkipsRowsAlreadyHiddenAndBringsAllBack) {
  TProGridForm f;
  TProStringGrid& g = *f.Grid;
  g.SetRowCount(10);
  f.Fill();
  g.SetRowHeights(5, 30);
  g.SetRowHeights(7, 40);
  g.HideRow(6);
  EXPECT_EQ(g.RowCount(), 9);
  g.HideRows(5, 7);
  EXPECT_EQ(g.RowCount(), 7);
  EXPECT_EQ(g.NumHiddenRows(), 3);
  EXPECT_EQ(g.Cells(1, 5), "1,8");
  EXPECT_EQ(g.AllCells(1, 7), "1,7") << "hidden row read from its item";
  EXPECT_EQ(g.RealRowIndex(5), 8);
  EXPECT_EQ(g.DisplRowIndex(8), 5);
  EXPECT_EQ(g.RealRowIndex(-1), -1);
  g.UnHideRows(5, 7);
  EXPECT_EQ(g.RowCount(), 10);
  for (int r = 0; r < 10; ++r)
    EXPECT_EQ(g.Cells(3, r), "3," + std::to_string(r));
  EXPECT_EQ(g.RowHeights(5), 30);
  EXPECT_EQ(g.RowHeights(7), 40);
}

TEST_F(ProGridTest, UnHideRowsNeedsItsFirstRowHidden) {
  TProGridForm f;
  TProStringGrid& g = *f.Grid;
  g.HideRows(6, 7);
  g.UnHideRows(5, 7);
  EXPECT_EQ(g.NumHiddenRows(), 2);
  EXPECT_EQ(g.RowCount(), 8);
}

TEST_F(ProGridTest, HideRowListAndBackKeepHeightsAndOrder) {
  TProGridForm f;
  TProStringGrid& g = *f.Grid;
  g.SetRowCount(6);
  f.Fill();
  for (int r = 0; r < 6; ++r)
    g.SetRowHeights(r, 20 + r);
  TIntList list(0, 0);
  list.Add(2);
  list.Add(4);
  g.HideRowList(list);
  EXPECT_EQ(g.RowCount(), 4);
  EXPECT_EQ(g.FilterLevel(), 1);
  std::vector<std::string> want{"0,0", "0,1", "0,3", "0,5"};
  EXPECT_EQ(f.Column(0), want);
  std::vector<int> heights;
  for (int r = 0; r < 4; ++r)
    heights.push_back(g.RowHeights(r));
  EXPECT_EQ(heights, (std::vector<int>{20, 21, 23, 25}));
  g.UnHideRowList();
  g.SetFilterLevel(g.FilterLevel() - 1);
  EXPECT_EQ(g.RowCount(), 6);
  for (int r = 0; r < 6; ++r) {
    EXPECT_EQ(g.Cells(0, r), "0," + std::to_string(r));
    EXPECT_EQ(g.RowHeights(r), 20 + r);
  }
}

// Mended: a list unsorted, with repeats and rows outside the grid hides each existing row once.
TEST_F(ProGridTest, HideRowListClipsAndTakesEachRowOnce) {
  TProGridForm f;
  TProStringGrid& g = *f.Grid;
  g.SetRowCount(6);
  f.Fill();
  g.HideRowList(std::vector<int>{4, 2, 4, -1, 99, 6});
  EXPECT_EQ(g.RowCount(), 4);
  EXPECT_EQ(g.NumHiddenRows(), 2);
  g.UnHideRowList();
  EXPECT_EQ(g.RowCount(), 6);
  for (int r = 0; r < 6; ++r)
    EXPECT_EQ(g.Cells(2, r), "2," + std::to_string(r));
}

// Filter levels stack; rows hidden by HideRows survive popping the last level.
TEST_F(ProGridTest, FilterLevelsAndRowsHiddenOtherwise) {
  TProGridForm f;
  TProStringGrid& g = *f.Grid;
  g.SetRowCount(10);
  f.Fill();
  g.HideRow(1);
  g.HideRowList(std::vector<int>{1, 2}); // real rows 2, 3
  g.HideRowList(std::vector<int>{2});    // real row 5
  EXPECT_EQ(g.RowCount(), 6);
  EXPECT_TRUE(g.IsHiddenRow(5));
  g.UnHideRowList();
  g.SetFilterLevel(1);
  EXPECT_EQ(g.RowCount(), 7);
  EXPECT_FALSE(g.IsHiddenRow(5));
  g.UnHideRowList();
  g.SetFilterLevel(0);
  EXPECT_EQ(g.RowCount(), 9);
  EXPECT_TRUE(g.IsHiddenRow(1));
  g.UnHideRowsAll();
  for (int r = 0; r < 10; ++r)
    EXPECT_EQ(g.Cells(4, r), "4," + std::to_string(r));
}

// The mappings agree with a plain walk over the hidden rows for a random set.
TEST_F(ProGridTest, RowMappingsAgreeWithAWalk) {
  TProGridForm f;
  TProStringGrid& g = *f.Grid;
  g.SetRowCount(300);
  std::mt19937 rng(7);
  std::set<int> hidden;
  for (int i = 0; i < 40; ++i) {
    int from = rng() % 300, len = rng() % 5;
    g.HideRows(from, from + len);
    for (int r = from; r <= std::min(from + len, 299); ++r)
      hidden.insert(r);
  }
  ASSERT_EQ(g.NumHiddenRows(), static_cast<int>(hidden.size()));
  int displ = 0;
  for (int r = 0; r < 300; ++r) {
    EXPECT_EQ(g.IsHiddenRow(r), hidden.count(r) == 1);
    EXPECT_EQ(g.DisplRowIndex(r), displ);
    if (!hidden.count(r)) {
      EXPECT_EQ(g.RealRowIndex(displ), r);
      ++displ;
    }
  }
}

// Hidden rows' cell properties go with them and are freed with the grid.
TEST_F(ProGridTest, HiddenRowsKeepTheirCellProperties) {
  TProGridForm f;
  TProStringGrid& g = *f.Grid;
  g.CellProperties(2, 4)->SetFontSize(14);
  g.HideRow(4);
  EXPECT_FALSE(g.HasCellProperties(2, 4)) << "the row below moved up without them";
  g.UnHideRow(4);
  ASSERT_TRUE(g.HasCellProperties(2, 4));
  EXPECT_EQ(g.FindCellProperties(2, 4)->FontSize(), 14);
  g.HideRow(4); // freed by the grid's destructor
}
