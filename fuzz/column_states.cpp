// The column states text applied to a grid of three columns: a refused text changes nothing, and
// an accepted one gives a layout whose own text applies to it without changing it.
#include "support/FuzzGrid.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TProStringGrid* grid = &FuzzStringGrid();
  grid->ResetColumnOrder();
  grid->LoadColumnOrder({});
  grid->SetColCount(3);
  const std::string before = grid->ColumnStatesToString();
  try {
    grid->StringToColumnStates(std::string(AsText(data, size)));
  } catch (const EProGridError&) {
    FuzzCheck(grid->ColumnStatesToString() == before, "a refused text leaves the columns as they were");
    return 0;
  }
  FuzzCheck(grid->TotalColCount() <= 256, "a text stays within the load maximum");
  const std::string now = grid->ColumnStatesToString();
  grid->StringToColumnStates(now);
  FuzzCheck(grid->ColumnStatesToString() == now, "a grid's own text keeps its layout", now);
  return 0;
}
