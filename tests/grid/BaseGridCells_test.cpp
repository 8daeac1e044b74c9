// The base grid's cell model: texts through merged areas and display events, cell properties
// made on demand and owned by the grid, and cells outside the grid left alone.
#include "BaseGridFixture.h"

#include "controls/ProUtilCellText.h"

#include <gtest/gtest.h>

TEST_F(BaseGridTest, NewGridDefaults) {
  TBaseGridForm f;
  TBaseGrid& g = *f.Grid;
  EXPECT_FALSE(g.DefaultDrawing());
  g.SetDefaultDrawing(true);
  EXPECT_TRUE(g.DefaultDrawing());
  EXPECT_FALSE(g.TCustomGrid::DefaultDrawing()) << "the platform grid never draws the cells itself";
  EXPECT_EQ(g.GridLineWidth(), 1);
  EXPECT_EQ(g.TGridCore::GridLineWidth(), 0) << "lines take no room between cells";
  EXPECT_EQ(g.GridLineColor(), 0xC0C0C0u);
  EXPECT_EQ(g.GridFixedLineColor(), 0x808080u);
  EXPECT_EQ(g.PaintID() >= 1, true);
  EXPECT_FALSE(g.HideLastRow());
  EXPECT_EQ(g.NormalRowCount(), 0);
  EXPECT_EQ(g.UndoRedo(), nullptr);
  EXPECT_TRUE(g.WordWrap());
  EXPECT_FALSE(g.ActiveRowShow());
  EXPECT_EQ(g.ActiveRowColor(), clInfoBk);
  EXPECT_EQ(g.ActiveRowColorTo(), clNone);
  EXPECT_EQ(g.ActiveRowMirrorColor(), clNone);
  EXPECT_EQ(g.ActiveRowMirrorColorTo(), clNone);
  EXPECT_EQ(g.SelectionStyle(), ssDefault);
  EXPECT_EQ(g.HoverRowIdx(), -1);
  EXPECT_FALSE(g.HoverRow());
  EXPECT_EQ(g.HoverRowCells().Bits(), 0b101u);
  EXPECT_EQ(g.HoverRowColor(), clInfoBk);
  EXPECT_EQ(g.HoverRowColorTo(), clNone);
  EXPECT_TRUE(g.ShowSel());
  EXPECT_FALSE(g.HasCellProps());
  EXPECT_EQ(g.MergeCount(), 0);
}

TEST_F(BaseGridTest, NewPropertiesTakeTheCellDefaults) {
  TBaseGridForm f;
  f.Grid->SetColor(clYellow);
  f.Grid->SetWordWrap(false);
  f.Grid->Font().SetName("Courier New");
  EXPECT_FALSE(f.Grid->HasCellProperties(2, 3));
  TCellProperties* p = f.Grid->CellProperties(2, 3);
  ASSERT_NE(p, nullptr);
  EXPECT_TRUE(f.Grid->HasCellProperties(2, 3));
  EXPECT_TRUE(f.Grid->HasCellProps());
  EXPECT_EQ(f.Grid->CellProperties(2, 3), p) << "made once";
  EXPECT_EQ(p->Alignment(), taLeftJustify);
  EXPECT_EQ(p->VAlignment(), vtaTop);
  EXPECT_FALSE(p->WordWrap());
  EXPECT_EQ(p->FontName(), "Courier New");
  EXPECT_EQ(p->BrushColor(), clYellow);
  EXPECT_EQ(p->BrushColorTo(), clNone);
  EXPECT_EQ(p->CellSpanX(), -1);
  EXPECT_EQ(p->CellSpanY(), -1);
  EXPECT_TRUE(p->IsBaseCell());
  EXPECT_EQ(p->Editor(), edNormal);
  EXPECT_EQ(p->CalcType(), acNONE);
  EXPECT_EQ(p->OwnerCol(), 2);
  EXPECT_EQ(p->OwnerRow(), 3);
  EXPECT_EQ(p->PaintID(), 0);
}

TEST_F(BaseGridTest, TextsGoThroughMergedAreasToTheBaseCell) {
  TBaseGridForm f;
  TTestBaseGrid& g = *f.Grid;
  g.SetCells(4, 3, "hidden under the area");
  g.MergeCells(3, 2, 2, 2);
  g.SetCells(3, 2, "base");
  for (auto [c, r] : {std::pair{3, 2}, {4, 2}, {3, 3}, {4, 3}})
    EXPECT_EQ(g.Cells(c, r), "base") << c << "," << r;
  g.TextChanged.clear();
  g.SetCells(4, 3, "written through a covered cell");
  EXPECT_EQ(g.GridCells(3, 2), "written through a covered cell");
  EXPECT_EQ(g.GridCells(4, 3), "hidden under the area") << "the raw text stays";
  EXPECT_EQ(g.TextChanged, (std::vector<std::pair<int, int>>{{3, 2}}));
  g.SplitCells(4, 3);
  EXPECT_EQ(g.Cells(4, 3), "hidden under the area") << "it shows again after the split";
  g.SetCells(1, 1, "plain");
  EXPECT_EQ(g.Cells(1, 1), "plain");
  EXPECT_FALSE(g.HasCellProperties(1, 1)) << "a plain write makes no properties";
}

TEST_F(BaseGridTest, DisplayEventsBelowNormalRowCountOnly) {
  TBaseGridForm f;
  TTestBaseGrid& g = *f.Grid;
  g.SetNormalRowCount(5);
  g.SetCells(1, 4, "raw");
  g.SetCells(1, 5, "raw");
  g.OnGetDisplText = [](TObject*, int c, int r, std::string& v) { v = "shown " + v; };
  EXPECT_EQ(g.Cells(1, 4), "shown raw");
  EXPECT_EQ(g.Cells(1, 5), "raw") << "at NormalRowCount: no event";
  EXPECT_EQ(g.GridCells(1, 4), "raw");

  g.OnGetDisplWideText = [](TObject*, int c, int r, std::string& v) {};
  EXPECT_EQ(g.Cells(1, 4), EncodeWideCellText("shown raw")) << "the wide form even for plain text";
  EXPECT_EQ(g.Cells(1, 5), "raw");
  g.OnGetDisplWideText = [](TObject*, int c, int r, std::string& v) { v += "!"; };
  EXPECT_EQ(DecodeWideCellText(g.Cells(1, 4)), "shown raw!");
}

TEST_F(BaseGridTest, LastRowChangedOnlyForTheHiddenLastRow) {
  TBaseGridForm f;
  TTestBaseGrid& g = *f.Grid;
  g.SetCells(1, 19, "a");
  EXPECT_EQ(g.LastRowChanges, 0) << "not while the last row shows";
  g.SetHideLastRow(true);
  g.SetCells(1, 18, "b");
  EXPECT_EQ(g.LastRowChanges, 0);
  g.SetCells(1, 19, "c");
  EXPECT_EQ(g.LastRowChanges, 1);
}

TEST_F(BaseGridTest, ObjectsOnAnEmptyCellLeaveItEmpty) {
  TBaseGridForm f;
  TTestBaseGrid& g = *f.Grid;
  TObject user;
  g.SetObjects(2, 2, &user);
  EXPECT_EQ(g.Objects(2, 2), &user);
  EXPECT_EQ(g.Cells(2, 2), "");
  EXPECT_EQ(g.Objects(3, 3), nullptr);
  EXPECT_FALSE(g.HasCellProperties(3, 3)) << "reading makes nothing";
  g.SetCells(5, 5, "kept");
  g.SetObjects(5, 5, &user);
  EXPECT_EQ(g.Cells(5, 5), "kept");
  // Properties taken out before the cell is cleared are the taker's; the cell is left bare.
  std::unique_ptr<TCellProperties> moved = g.TakeCellProperties(5, 5);
  ASSERT_NE(moved, nullptr);
  g.ClearCell(5, 5);
  EXPECT_EQ(g.Cells(5, 5), "");
  EXPECT_EQ(g.GridObjects(5, 5), nullptr);
  EXPECT_EQ(g.GraphicObjects(5, 5), nullptr);
  EXPECT_EQ(moved->CellObject(), &user);
  EXPECT_EQ(g.TakeCellProperties(5, 5), nullptr) << "nothing left to take";
  EXPECT_EQ(g.TakeCellProperties(-1, 5), nullptr);
}

// Clearing frees what the cells still hold (with the graphics they own), so a cleared cell never
// keeps properties nobody frees; a caller's object stays the caller's.
TEST_F(BaseGridTest, ClearingFreesThePropertiesStillHeld) {
  ASSERT_EQ(TCountedGraphic::Alive, 0);
  TBaseGridForm f;
  TTestBaseGrid& g = *f.Grid;
  TObject user;
  for (int i = 0; i < 5; ++i) {
    g.SetGraphicObjects(2, i, new TCountedGraphic);     // column 2, rows 0..4
    g.SetGraphicObjects(i + 4, 6, new TCountedGraphic); // row 6, columns 4..8
    g.SetCells(2, i, "c" + std::to_string(i));
    g.SetCells(i + 4, 6, "r" + std::to_string(i));
  }
  g.SetGraphicObjects(1, 1, new TCountedGraphic);
  g.SetObjects(1, 2, &user);
  EXPECT_EQ(TCountedGraphic::Alive, 11);

  g.ClearCell(1, 1);
  g.ClearCell(1, 2);
  EXPECT_EQ(TCountedGraphic::Alive, 10);
  EXPECT_FALSE(g.HasCellProperties(1, 1));
  EXPECT_FALSE(g.HasCellProperties(1, 2));
  g.ClearColCells(2);
  EXPECT_EQ(TCountedGraphic::Alive, 5);
  g.ClearRowCells(6);
  EXPECT_EQ(TCountedGraphic::Alive, 0);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(g.Cells(2, i), "");
    EXPECT_EQ(g.Cells(i + 4, 6), "");
    EXPECT_FALSE(g.HasCellProperties(2, i));
  }
  // Outside the grid: nothing.
  for (int bad : {-1, 10, 20, 1 << 30}) {
    g.ClearCell(bad, 1);
    g.ClearCell(1, bad);
    g.ClearColCells(bad);
    g.ClearRowCells(bad);
  }

  // A merged area cleared cell by cell leaves no properties behind.
  g.MergeCells(3, 3, 2, 2);
  g.SetCells(3, 3, "area");
  for (auto [c, r] : {std::pair{3, 3}, {4, 3}, {3, 4}, {4, 4}})
    g.ClearCell(c, r);
  for (auto [c, r] : {std::pair{3, 3}, {4, 3}, {3, 4}, {4, 4}}) {
    EXPECT_FALSE(g.HasCellProperties(c, r));
    EXPECT_EQ(g.Cells(c, r), "");
  }
}

// Every cell operation that would reach outside the store: nothing happens, nothing breaks.
TEST_F(BaseGridTest, CellsOutsideTheGridAreLeftAlone) {
  TBaseGridForm f;
  TTestBaseGrid& g = *f.Grid;
  g.CellProperties(1, 1)->SetBrushColor(clRed);
  g.MergeCells(2, 2, 2, 2);
  const int merges = g.MergeCount();
  const std::pair<int, int> cells[] = {{-1, 1},     {1, -1},      {10, 1},       {1, 20},
                                       {100000, 5}, {5, 1 << 30}, {-1000, -1000}};
  TObject user;
  for (auto [c, r] : cells) {
    SCOPED_TRACE(std::to_string(c) + "," + std::to_string(r));
    EXPECT_EQ(g.CellProperties(c, r), nullptr);
    EXPECT_FALSE(g.HasCellProperties(c, r));
    auto props = std::make_unique<TCellProperties>(&g, 0, 0);
    g.SetCellProperties(c, r, std::move(props)); // refused: freed, not kept
    g.SetObjects(c, r, &user);
    EXPECT_EQ(g.Objects(c, r), nullptr);
    auto* graphic = new TCountedGraphic;
    g.SetGraphicObjects(c, r, graphic);
    EXPECT_EQ(g.GraphicObjects(c, r), nullptr);
    delete graphic;
    g.SetCells(c, r, "x");
    EXPECT_EQ(g.Cells(c, r), "");
    g.MergeCells(c, r, 2, 2);
    g.SplitCells(c, r);
    g.FreeCellProperties(c, r);
    EXPECT_FALSE(g.IsMergedCell(c, r));
    EXPECT_EQ(g.CellSpan(c, r), (TPoint{0, 0}));
  }
  // Areas reaching over the edge are refused whole.
  for (auto [c, r, sx, sy] :
       {std::tuple{9, 1, 2, 1}, {1, 19, 1, 2}, {8, 18, 3, 3}, {1, 1, 0, 2}, {1, 1, 2, -1}})
    g.MergeCells(c, r, sx, sy);
  EXPECT_EQ(g.MergeCount(), merges);
  EXPECT_FALSE(g.HasCellProperties(9, 1));
  EXPECT_FALSE(g.IsMergedCell(1, 19));
  EXPECT_EQ(g.CellProperties(1, 1)->BrushColor(), clRed);
  EXPECT_EQ(g.CellSpan(3, 3), (TPoint{1, 1}));
  EXPECT_EQ(TCountedGraphic::Alive, 0);
}

TEST_F(BaseGridTest, PropertiesGoWithTheirRowsColumnsAndGrid) {
  ASSERT_EQ(TCountedGraphic::Alive, 0);
  {
    TBaseGridForm f;
    TTestBaseGrid& g = *f.Grid;
    auto give = [&](int c, int r) { g.SetGraphicObjects(c, r, new TCountedGraphic); };
    give(1, 19);
    give(1, 18);
    give(9, 1);
    give(2, 5);
    give(3, 3);
    give(4, 4);
    EXPECT_EQ(TCountedGraphic::Alive, 6);
    g.SetRowCount(19); // row 19 leaves
    EXPECT_EQ(TCountedGraphic::Alive, 5);
    g.DeleteRow(5); // row 5 leaves; rows below move up
    EXPECT_EQ(TCountedGraphic::Alive, 4);
    EXPECT_NE(g.GraphicObjects(1, 17), nullptr) << "row 18 moved up";
    g.SetColCount(9); // column 9 leaves
    EXPECT_EQ(TCountedGraphic::Alive, 3);
    g.SetColCount(10);
    EXPECT_FALSE(g.HasCellProperties(9, 1)) << "a column come back is new";
    g.SetGraphicObjects(3, 3, new TCountedGraphic); // replaces the one the cell owned
    EXPECT_EQ(TCountedGraphic::Alive, 3);
    g.SetCellProperties(4, 4, nullptr);
    EXPECT_EQ(TCountedGraphic::Alive, 2);
    TObject user; // a caller's object is never the grid's to free
    g.SetGraphicObjects(6, 6, &user);
    g.FreeCellProperties(6, 6);
  }
  EXPECT_EQ(TCountedGraphic::Alive, 0) << "the grid frees the rest";
}

// A descendant that hides columns keeps their cells behind the displayed ones.
class THidingGrid : public TTestBaseGrid {
public:
  using TTestBaseGrid::TTestBaseGrid;
  int Hidden = 0;
  int TotalColCount() const override { return ColCount() + Hidden; }
  void HideLast() {
    ++Hidden;
    SetCellCapacity(TotalColCount());
    SetColCount(ColCount() - 1);
  }
};

TEST_F(BaseGridTest, HiddenColumnsKeepTheirProperties) {
  TOwned<TForm> form(NewForm<TForm>(nullptr));
  auto* g = new THidingGrid(form.get());
  g->SetParent(form.get());
  g->SetColCount(5);
  g->SetRowCount(5);
  g->CellProperties(4, 2)->SetEditor(edCheckBox);
  g->SetCells(4, 2, "kept");
  g->HideLast();
  EXPECT_EQ(g->ColCount(), 4);
  ASSERT_TRUE(g->HasCellProperties(4, 2)) << "addressed by real column";
  EXPECT_EQ(g->CellProperties(4, 2)->Editor(), edCheckBox);
  EXPECT_EQ(g->Cells(4, 2), "kept");
  EXPECT_FALSE(g->HasCellProperties(5, 2));
}
