#include "grid/ProGrid.h"

#include "platform/StringList.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Graphics.h"
#include "support/UiTestFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

struct TSizeGrid {
  TSizeGrid() {
    Form = new TForm(nullptr);
    Grid = new TProStringGrid(Form);
    Grid->SetParent(Form);
    Grid->SetColCount(3);
    Grid->SetRowCount(3);
  }
  ~TSizeGrid() { Form->Free(); }
  TSizeGrid(const TSizeGrid&) = delete;
  TSizeGrid& operator=(const TSizeGrid&) = delete;
  TForm* Form;
  TProStringGrid* Grid;
};

TEST(ProGridGraphicSize, ByKindTextAndAlignment) {
  TBitmap icon(16, 16), bmp(24, 24);
  struct {
    const char* name;
    const char* text;
    std::function<void(TCellGraphic&)> set;
    TPoint size;
  } cases[] = {
      {"icon beside no text", "abc", [&](TCellGraphic& g) { g.SetIcon(&icon, haLeft, vaTop); }, {0, 16}},
      {"icon without text", "", [&](TCellGraphic& g) { g.SetIcon(&icon, haLeft, vaTop); }, {16, 16}},
      {"icon before text", "abc", [&](TCellGraphic& g) { g.SetIcon(&icon, haBeforeText, vaTop); }, {16, 16}},
      {"bitmap with text", "abc", [&](TCellGraphic& g) { g.SetBitmap(&bmp, false, haLeft, vaTop); }, {0, 0}},
      {"bitmap under text",
       "abc",
       [&](TCellGraphic& g) { g.SetBitmap(&bmp, false, haLeft, vaUnderText); },
       {0, 24}},
      {"button", "", [](TCellGraphic& g) { g.SetButton(80, 20, "", haLeft, vaTop); }, {80, 20}},
      {"check box",
       "Y",
       [](TCellGraphic& g) { g.SetCheckBox(true, true, true, haBeforeText, vaTop); },
       {15, 15}},
      {"tri-state",
       "",
       [](TCellGraphic& g) { g.SetCheckBox(cbGrayed, true, haBeforeText, vaTop); },
       {15, 15}},
      {"radio button",
       "",
       [](TCellGraphic& g) { g.SetRadioButton(true, true, haBeforeText, vaTop); },
       {10, 10}},
      {"rating keeps width when full",
       "",
       [](TCellGraphic& g) {
         g.SetCellType(ctRating);
         g.SetCellAngle(5);
         g.SetCellHAlign(haFull);
       },
       {90, 16}},
      {"rotated", "abc", [](TCellGraphic& g) { g.SetAngle(90); }, {0, 0}},
  };
  for (auto& c : cases) {
    TSizeGrid f;
    f.Grid->SetCells(1, 1, c.text);
    c.set(*f.Grid->CreateCellGraphic(1, 1));
    EXPECT_EQ(f.Grid->GetCellGraphicSize(1, 1), c.size) << c.name;
  }
  TSizeGrid f;
  EXPECT_EQ(f.Grid->GetCellGraphicSize(1, 1), (TPoint{0, 0})) << "a cell without graphic";
}

TEST(ProGridGraphicSize, FullAlignmentTakesTheCell) {
  TSizeGrid f;
  f.Grid->CreateCellGraphic(1, 1)->SetCheckBox(true, false, true, haFull, vaFull);
  TRect r = f.Grid->CellRect(1, 1);
  EXPECT_EQ(f.Grid->GetCellGraphicSize(1, 1), (TPoint{r.Width(), r.Height()}));
}

TEST(ProGridGraphicSize, StackedRadioGroup) {
  TSizeGrid f;
  TCellGraphic* g = f.Grid->CreateCellGraphic(1, 1);
  auto* items = new TStringList;
  for (const char* s : {"one", "two", "three"})
    items->Add(s);
  g->SetCellType(ctRadio);
  g->SetCellObjectSlot(items);
  g->MarkCreated();
  const int h = f.Grid->Canvas().TextHeight("gh");
  TPoint size = f.Grid->GetCellGraphicSize(1, 1);
  EXPECT_EQ(size.Y, 3 * std::max(16, h));
  EXPECT_EQ(size.X, f.Grid->Canvas().TextWidth("three") + 12);
  g->SetCellBoolean(true); // side by side
  size = f.Grid->GetCellGraphicSize(1, 1);
  EXPECT_EQ(size.Y, h);
}

} // namespace
