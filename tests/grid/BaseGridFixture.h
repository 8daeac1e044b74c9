// A form with a base grid of 10 columns and 20 rows (one fixed of each), shown on the offscreen
// platform, with hooks that record what the grid asked of its descendant.
#pragma once

#include "grid/BaseGrid.h"
#include "grid/CellGraphic.h"
#include "platform/ui/Application.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Headless.h"
#include "support/UiTestFixture.h"

#include <string>
#include <vector>

class TTestBaseGrid : public TBaseGrid {
public:
  using TBaseGrid::SetCellCapacity;
  using TBaseGrid::TBaseGrid;
  int LastRowChanges = 0;
  std::vector<std::pair<int, int>> TextChanged;
  std::vector<std::pair<int, int>> Contents; // cells whose content was drawn
  std::vector<TRect> ContentRects;

  void LastRowChanged() override { ++LastRowChanges; }
  void CellTextChanged(int ACol, int ARow) override { TextChanged.push_back({ACol, ARow}); }
  void DrawCellContent(TCanvas& Canvas, int ACol, int ARow, const TRect& Rect,
                       TGridDrawState State) override {
    Contents.push_back({ACol, ARow});
    ContentRects.push_back(Rect);
    TBaseGrid::DrawCellContent(Canvas, ACol, ARow, Rect, State);
  }
};

// A cell graphic that counts the living ones, to see the grid free what it owns.
struct TCountedGraphic : TCellGraphic {
  static inline int Alive = 0;
  TCountedGraphic() { ++Alive; }
  ~TCountedGraphic() override { --Alive; }
};

struct TBaseGridForm {
  explicit TBaseGridForm(int cols = 10, int rows = 20) {
    Application->Initialize();
    Form = new TForm(nullptr);
    Form->SetName("FGrid");
    Form->SetClientWidth(420);
    Form->SetClientHeight(320);
    Grid = new TTestBaseGrid(Form);
    Grid->SetName("Grid");
    Grid->SetParent(Form);
    Grid->SetBounds(0, 0, 400, 300);
    Grid->SetColCount(cols);
    Grid->SetRowCount(rows);
    Form->Show();
    Application->ProcessMessages();
    Grid->SetFocus();
  }
  ~TBaseGridForm() { Form->Free(); }
  TBaseGridForm(const TBaseGridForm&) = delete;
  TBaseGridForm& operator=(const TBaseGridForm&) = delete;

  void Key(std::uint16_t key, TShiftState shift = 0) { Headless::PressKey(*Grid, key, shift); }
  TPoint Inside(int c, int r) const {
    TRect rect = Grid->CellRect(c, r);
    return {rect.Left + 3, rect.Top + 3};
  }
  TPoint Current() const { return {Grid->Col(), Grid->Row()}; }

  TForm* Form = nullptr;
  TTestBaseGrid* Grid = nullptr;
};

class BaseGridTest : public TUiTest {};
