#include "grid/GridSpin.h"
#include "grid/ProCGrid.h"
#include "grid/ProGridError.h"

#include "ProGridFixture.h"
#include "platform/Streams.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

namespace {

class ProCGridTest : public TProGridTest<TProColumnGrid> {
protected:
  void SetUp() override {
    TProGridTest::SetUp();
    Grid->SetColCount(5);
    Grid->SetRowCount(6);
  }
  TGridColumnItem& Col(int i) { return *Grid->Columns().Items(i); }
};

TEST_F(ProCGridTest, NewItemTakesTheGridDefaults) {
  Grid->SetColor(0x00ABCDEF);
  Grid->Font().SetSize(11);
  Grid->SetColCount(6);
  const TGridColumnItem& c = Col(5);
  struct TCase {
    const char* What;
    bool Holds;
  } cases[] = {
      {"width from the grid", c.Width() == Grid->AllColWidths(5)},
      {"grid colour", c.Color() == 0x00ABCDEF},
      {"grid font", c.Font().Size() == 11},
      {"border pen", c.BorderPen().Color() == clSilver && c.BorderPen().Width() == 1},
      {"print pen", c.PrintBorderPen().Color() == clBlack && c.PrintBorderPen().Width() == 1},
      {"print borders", c.PrintBorders().Bits() == 0xF},
      {"print colour", c.PrintColor() == clWhite},
      {"drop-down count", c.DropDownCount() == 8},
      {"check texts", c.CheckTrue() == "Y" && c.CheckFalse() == "N"},
      {"spin step", c.SpinStep() == 1 && c.SpinMin() == 0 && c.SpinMax() == 0},
      {"editor", c.Editor() == edNormal && !c.ReadOnly() && !c.Fixed() && c.Header().empty()},
      {"popup type", c.ColumnPopupType() == cpFixedCellsRClick},
  };
  // The fresh item of a raised count copies the look before it, so check a first item too.
  for (const TCase& t : cases)
    EXPECT_TRUE(t.Holds) << t.What;
  EXPECT_EQ(Col(0).BorderPen().Color(), clSilver);
  EXPECT_EQ(Col(0).StoredWidth(), 50);
  TGridOnForm<TProColumnGrid> fresh(false);
  fresh.Grid->Font().SetSize(13);
  fresh.Grid->Columns().Clear();
  fresh.Grid->Columns().Add();
  EXPECT_EQ(fresh.Grid->Columns().Items(0)->PrintFont().Size(), 13);
  EXPECT_EQ(fresh.Grid->Columns().Items(0)->HeaderFont().Size(), 13);
}

TEST_F(ProCGridTest, RaisingTheCountCopiesVisualsButNotIdentity) {
  TGridColumnItem& last = Col(4);
  last.SetEditor(edComboList);
  last.SetCheckTrue("1");
  last.SetAlignment(taRightJustify);
  last.SetReadOnly(true);
  last.SetMinSize(30);
  last.SetHeader("Port");
  last.SetName("port");
  last.SetTag(7);
  last.ComboItems().Add("a");
  last.SetDropDownCount(3);
  last.SetColor(clRed);
  Grid->SetColCount(7);
  ASSERT_EQ(Grid->Columns().Count(), 7);
  for (int i : {5, 6}) {
    EXPECT_EQ(Col(i).Editor(), edComboList);
    EXPECT_EQ(Col(i).CheckTrue(), "1");
    EXPECT_EQ(Col(i).Alignment(), taRightJustify);
    EXPECT_TRUE(Col(i).ReadOnly());
    EXPECT_EQ(Col(i).MinSize(), 30);
    EXPECT_EQ(Col(i).Header(), "");
    EXPECT_EQ(Col(i).Name(), "");
    EXPECT_EQ(Col(i).Tag(), 0);
    EXPECT_EQ(Col(i).ComboItems().Count(), 0);
    EXPECT_EQ(Col(i).DropDownCount(), 8);
    EXPECT_EQ(Col(i).Color(), Grid->Color());
  }
}

TEST_F(ProCGridTest, CollectionDrivesTheColumnCountButNeverToFixedCols) {
  Grid->SetFixedCols(1);
  Grid->Columns().Add();
  EXPECT_EQ(Grid->ColCount(), 6);
  Grid->Columns().Delete(5);
  EXPECT_EQ(Grid->ColCount(), 5);
  for (int i = 0; i < 3; ++i)
    Grid->Columns().Delete(Grid->Columns().Count() - 1);
  EXPECT_EQ(Grid->ColCount(), 2);
  Grid->Columns().Delete(1);
  EXPECT_EQ(Grid->ColCount(), 2) << "the count never falls to FixedCols";
  EXPECT_THROW(Grid->Columns().Items(-1), EListError);
  EXPECT_THROW(Grid->Columns().Items(Grid->Columns().Count()), EListError);
}

TEST_F(ProCGridTest, HidingKeepsTheItems) {
  Col(2).SetName("two");
  Grid->HideColumn(2);
  EXPECT_EQ(Grid->ColCount(), 4);
  EXPECT_EQ(Grid->Columns().Count(), 5);
  EXPECT_EQ(Col(2).Name(), "two");
}

// A cell written outside the rows is not kept, and rows lost to a smaller count come back empty,
// hidden columns included: a table that grows again shows nothing it was not given.
TEST_F(ProCGridTest, CellsOutsideTheRowsAreNotKept) {
  Grid->HideColumn(2);
  for (int c : {1, 2, 4}) {
    Grid->SetCells(c, 5, "kept");
    Grid->SetCells(c, 6, "past");
  }
  Grid->SetRowCount(4);
  Grid->SetCells(4, 4, "past");
  EXPECT_EQ(Grid->Cells(4, 4), "");
  Grid->SetRowCount(6);
  for (int c : {1, 2, 4}) {
    SCOPED_TRACE(c);
    EXPECT_EQ(Grid->Cells(c, 4), "");
    EXPECT_EQ(Grid->Cells(c, 5), "") << "dropped with the rows";
  }
  Grid->SetRowCount(8);
  EXPECT_EQ(Grid->Cells(1, 6), "");
}

TEST_F(ProCGridTest, HeadersGoToRowZeroAndTheHeaderList) {
  Col(3).SetHeader("Address");
  EXPECT_EQ(Grid->Cells(3, 0), "Address");
  ASSERT_EQ(Grid->ColumnHeaders().size(), 5u);
  EXPECT_EQ(Grid->ColumnHeaders()[3], "Address");
  Grid->SetColumnHeaders({"a", "b", "c"});
  EXPECT_EQ(Col(0).Header(), "a");
  EXPECT_EQ(Col(2).Header(), "c");

  Grid->SetFixedRows(0);
  Col(1).SetHeader("x");
  EXPECT_EQ(Grid->Cells(1, 0), "b") << "no fixed row: the cell is left alone";
  EXPECT_EQ(Grid->ColumnHeaders()[1], "x");
}

TEST_F(ProCGridTest, MovingAColumnCarriesItsItemWithHiddenColumnBefore) {
  for (int i = 0; i < 5; ++i)
    Col(i).SetName("c" + std::to_string(i));
  Col(2).SetEditor(edComboList);
  Grid->HideColumn(1);
  int from = -1, to = -1;
  Grid->OnAfterColumnMoved = [&](TObject*, int f, int t) { from = f, to = t; };
  // Display 1 is real 2; display 3 is real 4.
  Grid->MoveColumn(1, 3);
  EXPECT_EQ(from, 2);
  EXPECT_EQ(to, 4);
  EXPECT_EQ(Col(4).Name(), "c2");
  EXPECT_EQ(Col(4).Editor(), edComboList);
  EXPECT_EQ(Col(1).Name(), "c1") << "the hidden column stays";
  EXPECT_EQ(Grid->Columns().Count(), 5);
}

TEST_F(ProCGridTest, ColumnByNameTakesTheLowerIndexAndNilForNone) {
  Col(1).SetName("dup");
  Col(3).SetName("dup");
  EXPECT_EQ(Grid->ColumnByName("dup"), &Col(1));
  EXPECT_EQ(Grid->ColumnByName("Dup"), nullptr);
  EXPECT_EQ(Col(1).DisplayName(), "Col 1: dup");
  EXPECT_EQ(Col(2).DisplayName(), "Column 2");
}

TEST_F(ProCGridTest, ScalingChangesDisplayedColumnFonts) {
  Col(1).Font().SetSize(8);
  Col(1).HeaderFont().SetSize(8);
  Col(1).PrintFont().SetSize(8);
  Grid->ChangeScale(120, 96);
  EXPECT_EQ(Col(1).Font().Size(), 10);
  EXPECT_EQ(Col(1).HeaderFont().Size(), 10);
  EXPECT_EQ(Col(1).PrintFont().Size(), 8);
}

TEST_F(ProCGridTest, WidthIsTheGridsAndSizeBoundsClamp) {
  Col(2).SetWidth(77);
  EXPECT_EQ(Grid->ColWidths(2), 77);
  Grid->SetColWidths(3, 64);
  EXPECT_EQ(Col(3).Width(), 64);
  Col(2).SetMinSize(30);
  Col(2).SetMaxSize(100);
  int w = 10;
  Grid->UpdateColumnSize(2, w);
  EXPECT_EQ(w, 30);
  w = 300;
  Grid->UpdateColumnSize(2, w);
  EXPECT_EQ(w, 100);
  w = 300;
  Grid->UpdateColumnSize(1, w);
  EXPECT_EQ(w, 300);
}

// --- Answers ------------------------------------------------------------------------------------

TEST_F(ProCGridTest, FloatFormatGoesThroughTheSafeFormatter) {
  Grid->SetCells(2, 1, "3.14159");
  Grid->SetCells(2, 2, "text");
  struct {
    const char* Fmt;
    int Row;
    const char* Shown;
  } cases[] = {{"%.2f", 1, "3.14"},
               {"%s%s", 1, "3.14159"},
               {"%d", 1, "3.14159"},
               {"%.2f", 2, "text"},
               {"", 1, "3.14159"}};
  for (const auto& c : cases) {
    Col(2).SetFloatFormat(c.Fmt);
    EXPECT_EQ(Grid->GetFormattedCell(2, c.Row), c.Shown) << c.Fmt;
  }
}

TEST_F(ProCGridTest, DataCheckBoxColumnsUseTheColumnTexts) {
  Grid->SetFixedFooters(1);
  Col(2).SetEditor(edDataCheckBox);
  Grid->SetCheckTrue("X");
  Grid->OnGetCheckTrue = [](TObject*, int, int, std::string& v) { v = "Z"; };
  struct {
    const char* Text;
    bool Checked;
  } cases[] = {{"Y", true}, {"y", false}, {"N", false}, {"", false}, {"1", false}};
  for (const auto& c : cases) {
    Grid->SetCells(2, 1, c.Text);
    EXPECT_EQ(Grid->IsChecked(2, 1), c.Checked) << c.Text;
  }
  Grid->SetCells(2, 1, "1");
  Grid->ToggleCheckBox(2, 1);
  EXPECT_EQ(Grid->Cells(2, 1), "Y");
  Grid->ToggleCheckBox(2, 1);
  EXPECT_EQ(Grid->Cells(2, 1), "N");
  Col(2).SetCheckTrue("1");
  Col(2).SetCheckFalse("0");
  Grid->ToggleCheckBox(2, 1);
  EXPECT_EQ(Grid->Cells(2, 1), "1");
  EXPECT_EQ(Grid->GetCellType(2, 0), ctEmpty) << "fixed row";
  EXPECT_EQ(Grid->GetCellType(2, Grid->RowCount() - 1), ctEmpty) << "footer row";
  EXPECT_EQ(Grid->GetCellType(2, 1), ctVirtCheckBox);
  EXPECT_FALSE(Grid->HasComboBox(2, 1));
}

TEST_F(ProCGridTest, ReadOnlyAndFixedColumnsRefuseEditingUnlessTheHandlerAllows) {
  Col(1).SetReadOnly(true);
  Col(3).SetFixed(true);
  auto canEdit = [&](int c, int r) {
    bool b = true;
    Grid->CanEditCell(c, r, b);
    return b;
  };
  EXPECT_FALSE(canEdit(1, 2));
  EXPECT_FALSE(canEdit(3, 2));
  EXPECT_TRUE(canEdit(2, 2));
  EXPECT_FALSE(canEdit(2, 0)) << "fixed row";
  bool isFixed = false;
  Grid->IsFixedCell(3, 2, isFixed);
  EXPECT_TRUE(isFixed);
  Grid->OnCanEditCell = [](TObject*, int, int c, bool& b) { b = b || c == 1; };
  EXPECT_TRUE(canEdit(1, 2));
}

TEST_F(ProCGridTest, CellColorsComeFromTheColumn) {
  Col(1).SetColor(0x00E0F0FF);
  Col(2).SetFixed(true);
  Col(3).SetShowBands(true);
  Col(3).SetColor(0x0000FF00);
  Col(1).HeaderFont().SetSize(14);
  auto brush = [&](int c, int r) {
    TBrush b;
    TFont f;
    b.SetColor(clWindow);
    Grid->GetCellColor(c, r, {}, b, f);
    return b.Color();
  };
  EXPECT_EQ(brush(1, 2), 0x00E0F0FFu);
  EXPECT_EQ(brush(2, 2), Grid->FixedColor());
  EXPECT_EQ(brush(3, 2), 0x0000FF00u);
  Grid->Bands().SetActive(true);
  EXPECT_EQ(brush(3, 2), static_cast<TColor>(clWindow)) << "bands colour the row";
  TBrush b;
  TFont f;
  Grid->GetCellColor(1, 0, {}, b, f);
  EXPECT_EQ(f.Size(), 14);
}

// The per-cell answers asked again after a change made between two queries: column settings,
// hidden, moved, inserted and removed columns, and the fixed counts on every side. Column k has
// its own editor, check text and colour; column 3 is read-only. -1: no column answers (the
// editor stays as passed, no edit, the grid's check text, the brush untouched).
TEST_F(ProCGridTest, AnswersFollowChangesMadeBetweenQueries) {
  const TEditorType editors[] = {edEditBtn, edComboEdit, edComboList, edNumeric, edPassword};
  struct TAnswers {
    TEditorType Editor = edCustom;
    bool CanEdit = true;
    std::string Check = "?";
    TColor Brush = clWindow;
  };
  const auto ask = [](TProColumnGrid& g, int c, int r) {
    TAnswers a;
    g.GetCellEditor(c, r, a.Editor);
    g.CanEditCell(c, r, a.CanEdit);
    g.GetCheckTrue(c, r, a.Check);
    TBrush brush;
    TFont font;
    brush.SetColor(clWindow);
    g.GetCellColor(c, r, {}, brush, font);
    a.Brush = brush.Color();
    return a;
  };
  using TStep = std::function<void(TProColumnGrid&)>;
  const TStep none = [](TProColumnGrid&) {};
  struct TCase {
    const char* What;
    TStep Before, Change;
    int Col, Row;
    int EditorFrom; // the column whose editor answers (-1: none)
    bool CanEdit;
    int CheckFrom; // the column whose check text and colour answer (-1: none)
  } cases[] = {
      {"read-only set", none, [](TProColumnGrid& g) { g.Columns().Items(2)->SetReadOnly(true); }, 2, 2, 2,
       false, 2},
      {"settings assigned", none,
       [](TProColumnGrid& g) { g.Columns().Items(2)->Assign(g.Columns().Items(4)); }, 2, 2, 4, true, 4},
      {"column hidden before", [](TProColumnGrid& g) { g.SetFixedRightCols(1); },
       [](TProColumnGrid& g) { g.HideColumn(1); }, 3, 2, 3, false, 3},
      {"column moved", none, [](TProColumnGrid& g) { g.MoveColumn(1, 3); }, 3, 2, 1, true, 1},
      {"column inserted before", none, [](TProColumnGrid& g) { g.InsertCols(1, 1); }, 3, 2, 2, true, 2},
      {"column removed before", none, [](TProColumnGrid& g) { g.RemoveCols(1, 1); }, 2, 2, 3, false, 3},
      {"fixed columns raised", none, [](TProColumnGrid& g) { g.SetFixedCols(2); }, 1, 2, -1, false, -1},
      {"fixed column kept shown", [](TProColumnGrid& g) { g.SetFixedCols(0); },
       [](TProColumnGrid& g) { g.SetFixedColAlways(true); }, 0, 2, -1, false, -1},
      {"fixed rows raised", none, [](TProColumnGrid& g) { g.SetFixedRows(2); }, 2, 1, -1, false, -1},
      {"right column fixed", none, [](TProColumnGrid& g) { g.SetFixedRightCols(1); }, 4, 2, 4, true, -1},
      {"footer row", none, [](TProColumnGrid& g) { g.SetFixedFooters(1); }, 2, 5, 2, true, -1},
      {"rows cut to the footer", [](TProColumnGrid& g) { g.SetFixedFooters(1); },
       [](TProColumnGrid& g) { g.SetRowCount(5); }, 2, 4, 2, true, -1},
      {"column shown again",
       [](TProColumnGrid& g) {
         g.SetFixedRightCols(1);
         g.HideColumn(1);
       },
       [](TProColumnGrid& g) { g.UnHideColumn(1); }, 3, 2, 3, false, 3},
      {"hidden column removed",
       [](TProColumnGrid& g) {
         g.SetFixedRightCols(1);
         g.HideColumn(1);
       },
       [](TProColumnGrid& g) { g.RemoveCols(1, 1); }, 3, 2, 4, true, -1},
      {"fixed columns lowered", [](TProColumnGrid& g) { g.SetFixedCols(2); },
       [](TProColumnGrid& g) { g.SetFixedCols(1); }, 1, 2, 1, true, 1},
      {"fixed row kept shown", [](TProColumnGrid& g) { g.SetFixedRows(0); },
       [](TProColumnGrid& g) { g.SetFixedRowAlways(true); }, 2, 0, -1, false, -1},
      {"fixed column no longer kept",
       [](TProColumnGrid& g) {
         g.SetFixedCols(0);
         g.SetFixedColAlways(true);
       },
       [](TProColumnGrid& g) { g.SetFixedColAlways(false); }, 0, 2, 0, true, 0},
      {"right column released", [](TProColumnGrid& g) { g.SetFixedRightCols(1); },
       [](TProColumnGrid& g) { g.SetFixedRightCols(0); }, 4, 2, 4, true, 4},
      {"columns added past the fixed right", [](TProColumnGrid& g) { g.SetFixedRightCols(1); },
       [](TProColumnGrid& g) { g.SetColCount(6); }, 4, 2, 4, true, 4},
      {"footer released", [](TProColumnGrid& g) { g.SetFixedFooters(1); },
       [](TProColumnGrid& g) { g.SetFixedFooters(0); }, 2, 5, 2, true, 2},
      {"rows added past the footer", [](TProColumnGrid& g) { g.SetFixedFooters(1); },
       [](TProColumnGrid& g) { g.SetRowCount(7); }, 2, 5, 2, true, 2},
      {"item moved by the collection", none, [](TProColumnGrid& g) { g.Columns().Items(1)->SetIndex(3); }, 3,
       2, 1, true, 1},
      {"item moved inside an update", none,
       [](TProColumnGrid& g) {
         g.Columns().BeginUpdate();
         g.Columns().Items(3)->SetIndex(1);
         g.Columns().EndUpdate();
       },
       1, 2, 3, false, 3},
      {"item inserted by the collection", none, [](TProColumnGrid& g) { g.Columns().Insert(1); }, 3, 2, 2,
       true, 2},
      {"item deleted by the collection", none, [](TProColumnGrid& g) { g.Columns().Delete(1); }, 2, 2, 3,
       false, 3},
      {"item destroyed", none, [](TProColumnGrid& g) { delete g.Columns().Items(2); }, 2, 2, 3, false, 3},
      {"columns reordered by their organisation",
       [](TProColumnGrid& g) {
         g.Columns().SetOrganization();
         g.MoveColumn(3, 1);
       },
       [](TProColumnGrid& g) { g.Columns().ResetOrganization(); }, 1, 2, 1, true, 1},
      {"columns assigned from another grid", none,
       [](TProColumnGrid& g) {
         TProColumnGrid other(nullptr);
         other.SetColCount(5);
         other.Columns().Assign(&g.Columns());
         other.Columns().Items(1)->SetIndex(2);
         g.SetColumns(other.Columns());
       },
       2, 2, 1, true, 1},
      {"look assigned from another grid", [](TProColumnGrid& g) { g.SetFixedRows(0); },
       [](TProColumnGrid& g) {
         TProColumnGrid other(nullptr);
         other.SetColCount(5);
         other.SetRowCount(6);
         other.SetFixedRows(0);
         other.SetFixedRowAlways(true);
         g.Assign(&other);
       },
       2, 0, -1, false, -1},
  };
  for (const TCase& t : cases) {
    SCOPED_TRACE(t.What);
    TGridOnForm<TProColumnGrid> fresh(false);
    TProColumnGrid& g = *fresh.Grid;
    g.SetColCount(5);
    g.SetRowCount(6);
    g.SetCheckTrue("grid");
    for (int k = 0; k < 5; ++k) {
      TGridColumnItem& item = *g.Columns().Items(k);
      item.SetEditor(editors[k]);
      item.SetCheckTrue("c" + std::to_string(k));
      item.SetColor(0x00F00000 + k);
    }
    g.Columns().Items(3)->SetReadOnly(true);
    t.Before(g);
    ask(g, t.Col, t.Row); // answered once before the change
    t.Change(g);
    const TAnswers a = ask(g, t.Col, t.Row);
    EXPECT_EQ(a.Editor, t.EditorFrom < 0 ? edCustom : editors[t.EditorFrom]);
    EXPECT_EQ(a.CanEdit, t.CanEdit);
    EXPECT_EQ(a.Check, t.CheckFrom < 0 ? "grid" : "c" + std::to_string(t.CheckFrom));
    EXPECT_EQ(a.Brush, t.CheckFrom < 0 ? static_cast<TColor>(clWindow) : 0x00F00000u + t.CheckFrom);
  }
}

// The font a painter keeps from cell to cell follows the column's font whichever way either
// changed since the last query.
TEST_F(ProCGridTest, CellFontFollowsTheColumnAcrossQueries) {
  using TStep = std::function<void(TProColumnGrid&, TFont&)>;
  struct TCase {
    const char* What;
    TStep Change;
    int Row;
    std::function<const TFont&(TProColumnGrid&)> Expected;
  } cases[] = {
      {"size changed in place", [](TProColumnGrid& g, TFont&) { g.Columns().Items(2)->Font().SetSize(14); },
       2, [](TProColumnGrid& g) -> const TFont& { return g.Columns().Items(2)->Font(); }},
      {"another column's font set",
       [](TProColumnGrid& g, TFont&) { g.Columns().Items(2)->SetFont(g.Columns().Items(1)->Font()); }, 2,
       [](TProColumnGrid& g) -> const TFont& { return g.Columns().Items(1)->Font(); }},
      {"changed and changed back",
       [](TProColumnGrid& g, TFont&) {
         TFont& f = g.Columns().Items(2)->Font();
         const int h = f.Height();
         f.SetHeight(h - 5);
         f.SetHeight(h);
       },
       2, [](TProColumnGrid& g) -> const TFont& { return g.Columns().Items(2)->Font(); }},
      {"long name changed past its first bytes",
       [](TProColumnGrid& g, TFont&) { g.Columns().Items(2)->Font().SetName("DejaVu Sans Mono Bold B"); }, 2,
       [](TProColumnGrid& g) -> const TFont& { return g.Columns().Items(2)->Font(); }},
      {"held font changed by the painter", [](TProColumnGrid&, TFont& held) { held.SetStyle(fsItalic); }, 2,
       [](TProColumnGrid& g) -> const TFont& { return g.Columns().Items(2)->Font(); }},
      {"held font equal to the column's under another identity",
       [](TProColumnGrid& g, TFont& held) {
         TFont& f = g.Columns().Items(2)->Font();
         held.SetHeight(f.Height() - 1);
         held.SetHeight(f.Height());
       },
       2, [](TProColumnGrid& g) -> const TFont& { return g.Columns().Items(2)->Font(); }},
      {"column moved", [](TProColumnGrid& g, TFont&) { g.MoveColumn(1, 2); }, 2,
       [](TProColumnGrid& g) -> const TFont& { return g.Columns().Items(2)->Font(); }},
      {"header row asked", [](TProColumnGrid&, TFont&) {}, 0,
       [](TProColumnGrid& g) -> const TFont& { return g.Columns().Items(2)->HeaderFont(); }},
  };
  for (const TCase& t : cases) {
    SCOPED_TRACE(t.What);
    TGridOnForm<TProColumnGrid> fresh(false);
    TProColumnGrid& g = *fresh.Grid;
    g.SetColCount(5);
    g.SetRowCount(6);
    for (int k = 0; k < 5; ++k) {
      g.Columns().Items(k)->Font().SetSize(8 + k);
      g.Columns().Items(k)->Font().SetName("DejaVu Sans Mono Bold " + std::string(1, char('A' + k % 2)));
      g.Columns().Items(k)->HeaderFont().SetSize(20 + k);
    }
    TFont held;
    TBrush brush;
    g.GetCellColor(2, t.Row, {}, brush, held);
    t.Change(g, held);
    g.GetCellColor(2, t.Row, {}, brush, held);
    const TFont& want = t.Expected(g);
    EXPECT_EQ(held.Name(), want.Name());
    EXPECT_EQ(held.Height(), want.Height());
    EXPECT_EQ(held.Color(), want.Color());
    EXPECT_EQ(held.Style(), want.Style());
    EXPECT_TRUE(held.SameAs(want));
  }
}

// Only spin columns set the grid's spin editor up, whichever way the column became one (or
// stopped being one) after an earlier query.
TEST_F(ProCGridTest, SpinSetUpFollowsTheColumnsEditor) {
  using TStep = std::function<void(TGridColumnItem & Two, const TGridColumnItem& Spin)>;
  struct TCase {
    const char* What;
    bool SpinBefore;
    TStep Change;
    int Max; // the spin editor's maximum after the second query
  } cases[] = {
      {"made a spin column", false,
       [](TGridColumnItem& c, const TGridColumnItem&) {
         c.SetEditor(edFloatSpinEdit);
         c.SetSpinMax(9);
       },
       9},
      {"assigned a spin column", false, [](TGridColumnItem& c, const TGridColumnItem& s) { c.Assign(&s); },
       7},
      {"made a plain column", true, [](TGridColumnItem& c, const TGridColumnItem&) { c.SetEditor(edNormal); },
       -1},
  };
  for (const TCase& t : cases) {
    SCOPED_TRACE(t.What);
    TGridOnForm<TProColumnGrid> fresh(false);
    TProColumnGrid& g = *fresh.Grid;
    g.SetColCount(5);
    TGridColumnItem& spin = *g.Columns().Items(4);
    spin.SetEditor(edSpinEdit);
    spin.SetSpinMax(7);
    TGridColumnItem& two = *g.Columns().Items(2);
    two.SetSpinMax(5);
    if (t.SpinBefore) two.SetEditor(edSpinEdit);
    TEditorType e = edNormal;
    g.GetCellEditor(2, 1, e);
    g.SpinEdit()->SetMaxValue(-1);
    t.Change(two, spin);
    g.GetCellEditor(2, 1, e);
    EXPECT_EQ(g.SpinEdit()->MaxValue(), t.Max);
    EXPECT_EQ(g.SpinMax(), two.SpinMax()) << "the grid holds the column's settings either way";
  }
}

TEST_F(ProCGridTest, EditorQueryLoadsTheColumnBeforeTheHandler) {
  Col(2).SetEditor(edComboList);
  Col(2).ComboItems().Add("a");
  Col(2).ComboItems().Add("b");
  Col(2).SetSpinMax(9);
  std::vector<std::string> seen;
  Grid->OnGetEditorType = [&](TObject*, int, int, TEditorType& e) {
    for (int i = 0; i < Grid->ComboList().Count(); ++i)
      seen.push_back(Grid->ComboList()[i]);
    Grid->ComboList().Clear();
    Grid->ComboList().Add("own");
    EXPECT_EQ(e, edComboList);
  };
  TEditorType e = edNormal;
  Grid->GetCellEditor(2, 1, e);
  EXPECT_EQ(seen, (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(Grid->ComboList()[0], "own");
  EXPECT_EQ(Grid->SpinMax(), 9);
  EXPECT_TRUE(Grid->HasComboBox(2, 1));
  EXPECT_FALSE(Grid->HasComboBox(2, 0));
}

TEST_F(ProCGridTest, FilterEntriesOfferNamesAndPickConditions) {
  Col(1).Filter().Add("Low=<10");
  Col(1).Filter().Add("High");
  ASSERT_TRUE(Grid->GetColumnFilter(1));
  EXPECT_EQ(Grid->FilterList(), (std::vector<std::string>{"Low", "High"}));
  EXPECT_FALSE(Grid->GetColumnFilter(2));
  Grid->SetAutoFilterDisplay(true);
  Grid->FilterSelect(1, 0);
  EXPECT_EQ(Grid->LastFilterCondition(), "<10");
  EXPECT_EQ(Grid->Cells(1, 0), "Low");
  Grid->FilterSelect(1, 1);
  EXPECT_EQ(Grid->LastFilterCondition(), "High");
}

TEST_F(ProCGridTest, VersionAndEditLimits) {
  EXPECT_EQ(Grid->GetVersionString(), "3.1.3.1 Aug, 2012");
  EXPECT_EQ(Grid->Version(), "3.1.3.1");
}

// --- Persistence --------------------------------------------------------------------------------

TEST_F(ProCGridTest, ColumnStreamReadsBackEveryProperty) {
  TGridColumnItem& c = Col(2);
  c.SetAutoMinSize(3);
  c.SetAutoMaxSize(300);
  c.SetAlignment(taCenter);
  c.SetBorders({cbTop, cbBottom});
  c.BorderPen().SetColor(clRed);
  c.BorderPen().SetWidth(2);
  c.SetCheckFalse("off");
  c.SetCheckTrue("on");
  c.SetColor(0x123456);
  c.SetColumnPopupType(cpAllCellsLClick);
  c.ComboItems().Add("x=1");
  c.ComboItems().Add("line\nbreak\\");
  c.SetDropDownCount(12);
  c.SetEditLength(40000);
  c.SetEditMask("!99;1;_");
  c.SetEditor(edComboEdit);
  c.Filter().Add("Low=<10");
  c.SetFilterCaseSensitive(true);
  c.SetFixed(true);
  c.SetFloatFormat("%.3f");
  c.Font().SetName("Courier New");
  c.Font().SetStyle(1);
  c.SetHeader("Hdr");
  c.SetHeaderAlignment(taRightJustify);
  c.HeaderFont().SetSize(12);
  c.SetMinSize(10);
  c.SetMaxSize(90);
  c.SetName("name, with comma");
  c.SetPassword(true);
  c.SetPrintBorderCustom(false);
  c.SetPrintBorders({cbLeft});
  c.PrintBorderPen().SetWidth(3);
  c.SetPrintColor(clYellow);
  c.SetPrintFontCustom(false);
  c.PrintFont().SetColor(clBlue);
  c.SetReadOnly(true);
  c.SetShowBands(true);
  c.SetSortStyle(ssNumeric);
  c.SetSortPrefix("$");
  c.SetSortSuffix(" V");
  c.SetSpinMax(5);
  c.SetSpinMin(-5);
  c.SetSpinStep(2);
  c.SetTag(42);
  c.SetWidth(88);

  TMemoryStream s;
  Grid->SaveColumnsToStream(s);
  TGridOnForm<TProColumnGrid> other(false);
  other.Grid->SetColCount(5);
  s.SetPosition(0);
  other.Grid->LoadColumnsFromStream(s);
  TMemoryStream again;
  other.Grid->SaveColumnsToStream(again);
  EXPECT_EQ(again.Bytes(), s.Bytes());
  const TGridColumnItem& d = *other.Grid->Columns().Items(2);
  EXPECT_EQ(d.ComboItems()[1], "line\nbreak\\");
  EXPECT_EQ(d.Name(), "name, with comma");
  EXPECT_EQ(d.Width(), 88);
  EXPECT_EQ(d.EditLength(), 40000);
  EXPECT_EQ(d.Font().Name(), "Courier New");
}

TEST_F(ProCGridTest, DamagedColumnStreamRaisesAndLeavesColumns) {
  Col(1).SetName("keep");
  TMemoryStream good;
  Grid->SaveColumnsToStream(good);
  std::string text = good.Bytes();
  const std::string damaged[] = {
      "",
      "garbage",
      text.substr(0, text.size() / 2),
      std::string(text).replace(text.find("Editor=edNormal"), 15, "Editor=edBogus"),
      std::string(text).replace(text.find("Count=5"), 7, "Count=9"),
      text + "extra\n",
      std::string(text).replace(text.find("SpinStep=1"), 10, "SpinStep=x"),
  };
  for (const std::string& bytes : damaged) {
    TMemoryStream s;
    s.WriteBuffer(bytes);
    s.SetPosition(0);
    EXPECT_THROW(Grid->LoadColumnsFromStream(s), EProGridError) << bytes.substr(0, 40);
    EXPECT_EQ(Grid->Columns().Count(), 5);
    EXPECT_EQ(Col(1).Name(), "keep");
  }
}

class ProCGridPositionsTest : public ProCGridTest {
protected:
  void SetUp() override {
    ProCGridTest::SetUp();
    Grid->SetColCount(3);
    for (int i = 0; i < 3; ++i)
      Col(i).SetName("c" + std::to_string(i));
    Grid->Loaded();
    Dir = std::filesystem::temp_directory_path() / ("colgrid_" + std::to_string(::getpid()));
    std::filesystem::create_directories(Dir);
    File = (Dir / "cols.ini").string();
  }
  void TearDown() override {
    std::filesystem::remove_all(Dir);
    ProCGridTest::TearDown();
  }
  void WriteIni(const std::string& Text) { std::ofstream(File) << Text; }
  std::vector<std::string> Names() {
    std::vector<std::string> out;
    for (int i = 0; i < Grid->Columns().Count(); ++i)
      out.push_back(Col(i).Name());
    return out;
  }
  std::filesystem::path Dir;
  std::string File;
};

TEST_F(ProCGridPositionsTest, SavedOrderLoadsIntoAFreshGrid) {
  Grid->MoveColumn(0, 2);
  Grid->SaveColumnPositions(File, "Cols");
  std::ifstream in(File);
  std::string text((std::istreambuf_iterator<char>(in)), {});
  EXPECT_NE(text.find("CP0=1"), std::string::npos);
  EXPECT_NE(text.find("CP1=2"), std::string::npos);
  EXPECT_NE(text.find("CP2=0"), std::string::npos);

  TGridOnForm<TProColumnGrid> fresh(false);
  fresh.Grid->SetColCount(3);
  for (int i = 0; i < 3; ++i)
    fresh.Grid->Columns().Items(i)->SetName("c" + std::to_string(i));
  fresh.Grid->Loaded();
  ASSERT_TRUE(fresh.Grid->LoadColumnPositions(File, "Cols"));
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(fresh.Grid->Columns().Items(i)->Name(), Col(i).Name());
}

TEST_F(ProCGridPositionsTest, IncompleteOrDuplicateKeysChangeNothing) {
  const char* bad[] = {"[Cols]\nCP0=1\nCP2=0\n", "[Cols]\nCP0=1\nCP1=2\nCP2=2\n",
                       "[Cols]\nCP0=1\nCP1=7\nCP2=0\n", "[Cols]\nCP0=-1\nCP1=2\nCP2=0\n"};
  for (const char* text : bad) {
    WriteIni(text);
    EXPECT_FALSE(Grid->LoadColumnPositions(File, "Cols")) << text;
    EXPECT_EQ(Names(), (std::vector<std::string>{"c0", "c1", "c2"})) << text;
  }
  WriteIni("[Cols]\nCP0=2\nCP1=0\nCP2=1\n");
  EXPECT_TRUE(Grid->LoadColumnPositions(File, "Cols"));
  EXPECT_EQ(Names(), (std::vector<std::string>{"c2", "c0", "c1"}));
}

} // namespace
