// Row calculations and the custom column calculation. Cells that hold no number are skipped
// alike by every function, and extremes start at the first value counted.
#include "grid/ProGrid.h"

#include <optional>

namespace {

template <class F> void ForRowValues(TProStringGrid& g, int ARow, int fromCol, int toCol, F&& f) {
  for (int c = std::max(0, fromCol); c <= toCol && c < g.TotalColCount(); ++c) {
    if (!g.IsBaseCell(c, ARow)) continue;
    try {
      f(g.Floats(c, ARow));
    } catch (const EProGridError&) {
      // text that is no number does not count
    }
  }
}

} // namespace

double TProStringGrid::ColumnCustomCalc(int ACol, int FromRow, int ToRow) {
  double res = 0;
  if (OnColumnCalc) OnColumnCalc(this, ACol, FromRow, ToRow, res);
  return res;
}

double TProStringGrid::RowSum(int ARow, int fromCol, int toCol) {
  double sum = 0;
  ForRowValues(*this, ARow, fromCol, toCol, [&](double v) { sum += v; });
  return sum;
}

double TProStringGrid::RowAvg(int ARow, int fromCol, int toCol) {
  const int n = toCol - fromCol + 1;
  return n <= 0 ? 0 : RowSum(ARow, fromCol, toCol) / n;
}

double TProStringGrid::RowMin(int ARow, int fromCol, int toCol) {
  std::optional<double> m;
  ForRowValues(*this, ARow, fromCol, toCol, [&](double v) {
    if (!m || v < *m) m = v;
  });
  return m.value_or(0);
}

double TProStringGrid::RowMax(int ARow, int fromCol, int toCol) {
  std::optional<double> m;
  ForRowValues(*this, ARow, fromCol, toCol, [&](double v) {
    if (!m || v > *m) m = v;
  });
  return m.value_or(0);
}
