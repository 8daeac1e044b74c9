// A string grid that grid file readers load fuzz input into: 3 x 3 before each input, a refused
// input leaves it that size, and no load goes past the grid's load maximums.
#pragma once

#include "grid/ProGrid.h"
#include "grid/ProGridError.h"
#include "platform/ui/Forms.h"
#include "support/FuzzSupport.h"

// A string grid on a form, made once per run, loading at most 256 columns and 4,096 rows.
inline TProStringGrid& FuzzStringGrid() {
  static TProStringGrid* grid = [] {
    EnsureFuzzGui();
    auto* form = new TForm(nullptr);
    auto* g = new TProStringGrid(form);
    g->SetParent(form);
    g->FileOptions().MaxLoadColCount = 256;
    g->FileOptions().MaxLoadRowCount = 4096;
    return g;
  }();
  return *grid;
}

template <class Load> void FuzzGridLoad(std::size_t size, Load load) {
  TProStringGrid* grid = &FuzzStringGrid();
  grid->SetColCount(3);
  grid->SetRowCount(3);
  grid->SetDelimiter(0);
  grid->SetMultilineCells(size % 2 == 0);
  try {
    load(*grid);
  } catch (const EProGridError&) {
    FuzzCheck(grid->ColCount() == 3 && grid->RowCount() == 3, "a refused file leaves the grid as it was");
  }
  FuzzCheck(grid->TotalColCount() <= 256 && grid->RowCount() <= 4096, "a load stays within the maximums");
}
