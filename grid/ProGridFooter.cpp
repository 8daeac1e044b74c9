// Column calculations and the fixed-last-row footer built on them.
#include "controls/ProUtilUnicode.h"
#include "grid/ProGrid.h"

#include <cmath>
#include <set>
#include <vector>

namespace {
struct TRange {
  int From, To;
  bool Real; // indexes count hidden rows (the range reaches past the displayed rows)
};
} // namespace

static TRange ColumnRange(const TProStringGrid& g, int FromRow, int ToRow) {
  if (FromRow == -1 || ToRow == -1) {
    FromRow = g.FixedRows();
    ToRow = g.RowCount() - g.FixedFooters() - 1;
  }
  bool footer = const_cast<TProStringGrid&>(g).FloatingFooter().Visible();
  bool real = footer ? ToRow > g.RowCount() - 1 : ToRow > g.RowCount();
  return {FromRow, ToRow, real};
}

namespace {
// Every counted value of the range: base cells holding numbers.
template <class F> void ForCounted(TProStringGrid& g, int ACol, const TRange& r, F&& f) {
  for (int row = r.From; row <= r.To; ++row) {
    int displ = r.Real ? g.RealToDisplRow(row) : row;
    if (!r.Real || !g.IsHiddenRow(row)) {
      if (!g.IsBaseCell(ACol, displ)) continue;
      // Header and summary rows of a grouped grid hold group figures, not data.
      if (g.GroupColumn() != -1 && (g.IsNode(displ) || g.IsSummary(displ))) continue;
    }
    try {
      f(r.Real ? g.AllFloats(ACol, row) : g.Floats(ACol, row));
    } catch (const EProGridError&) {
      // text that is no number does not count
    }
  }
}
} // namespace

double TProStringGrid::ColumnSum(int ACol, int FromRow, int ToRow) {
  double sum = 0;
  ForCounted(*this, ACol, ColumnRange(*this, FromRow, ToRow), [&](double v) { sum += v; });
  return sum;
}

double TProStringGrid::ColumnAvg(int ACol, int FromRow, int ToRow) {
  TRange r = ColumnRange(*this, FromRow, ToRow);
  int n = r.To - r.From + 1;
  return n <= 0 ? 0 : ColumnSum(ACol, r.From, r.To) / n;
}

double TProStringGrid::ColumnMin(int ACol, int FromRow, int ToRow) {
  TRange r = ColumnRange(*this, FromRow, ToRow);
  double m = 0;
  bool first = true;
  ForCounted(*this, ACol, r, [&](double v) {
    if (first || v < m) m = v;
    first = false;
  });
  return m;
}

double TProStringGrid::ColumnMax(int ACol, int FromRow, int ToRow) {
  TRange r = ColumnRange(*this, FromRow, ToRow);
  double m = 0;
  bool first = true;
  ForCounted(*this, ACol, r, [&](double v) {
    if (first || v > m) m = v;
    first = false;
  });
  return m;
}

double TProStringGrid::ColumnStdDev(int ACol, int FromRow, int ToRow) {
  // Mean and count of the counted cells only: text is skipped as the sum skips it, and an empty
  // range gives 0.
  std::vector<double> values;
  ForCounted(*this, ACol, ColumnRange(*this, FromRow, ToRow), [&](double v) { values.push_back(v); });
  if (values.empty()) return 0;
  double mean = 0;
  for (double v : values)
    mean += v;
  mean /= static_cast<double>(values.size());
  double sum = 0;
  for (double v : values)
    sum += (v - mean) * (v - mean);
  return std::sqrt(sum / static_cast<double>(values.size()));
}

double TProStringGrid::ColumnDistinct(int ACol, int FromRow, int ToRow) {
  TRange r = ColumnRange(*this, FromRow, ToRow);
  std::set<std::string> seen;
  for (int row = r.From; row <= r.To; ++row)
    seen.insert(UnicodeUpperCase(r.Real ? AllCells(ACol, row) : Cells(ACol, row)));
  return static_cast<double>(seen.size());
}

void TProStringGrid::CalcFooterCells(int ACol) {
  if (!FFloatingFooter.Visible() || FFloatingFooter.FooterStyle() != fsFixedLastRow ||
      !FFloatingFooter.EnableCalculation() || RowCount() == 0)
    return;
  const int last = RowCount() - 1;
  const int h = FFloatingFooter.CalculateHiddenRows() ? NumHiddenRows() : 0;
  const int from = ACol == -1 ? 0 : ACol, to = ACol == -1 ? AllColCount() - 1 : ACol;
  for (int c = std::max(0, from); c <= to && c < AllColCount(); ++c) {
    const TCellProperties* props = FindCellProperties(c, last);
    if (!props) continue;
    const int fr = FixedRows(), tr = last - 1 + h;
    switch (props->CalcType()) {
    case acSUM:
      SetFloats(c, last, ColumnSum(c, fr, tr));
      break;
    case acAVG:
      SetFloats(c, last, ColumnAvg(c, fr, tr));
      break;
    case acCOUNT:
      SetInts(c, last, h + last - fr);
      break;
    case acMIN:
      SetFloats(c, last, ColumnMin(c, fr, tr));
      break;
    case acMAX:
      SetFloats(c, last, ColumnMax(c, fr, tr));
      break;
    case acDISTINCT:
      SetFloats(c, last, ColumnDistinct(c, fr, tr));
      break;
    case acSTDDEV:
      SetFloats(c, last, ColumnStdDev(c, fr, tr));
      break;
    case acCUSTOM: {
      std::string value;
      if (OnFooterCalc)
        OnFooterCalc(this, c, last + h, value);
      else if (FFloatingFooter.OnCalcFooter)
        FFloatingFooter.OnCalcFooter(this, c, last + h, value);
      SetCells(c, last, value);
      break;
    }
    default:
      break;
    }
  }
}
