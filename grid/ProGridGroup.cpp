// Grouping: header rows (nodes) over runs of equal values, optional summary rows, and the
// calculations per group. Each level builds its new row list in one pass; a stack of the grouped
// levels lets UnGroup undo a sub-group before its group, so no value is lost on the way back.
#include "grid/ProGrid.h"
#include "platform/ui/Controls.h"

#include <algorithm>

void TProStringGrid::InsertRowsByOrder(const std::vector<int>& Order) {
  const int old = RowCount();
  const int n = static_cast<int>(Order.size());
  if (n < old) return;
  HideEditor();
  std::vector<int> heights(old);
  for (int r = 0; r < old; ++r)
    heights[r] = RowHeights(r);
  TBaseGrid::SetRowCount(n);
  FMaxRowCount = std::max(FMaxRowCount, n);
  SetNormalRowCount(n);
  PermuteRows(Order);
  for (int r = 0; r < n; ++r) {
    const int h = Order[r] < old ? heights[Order[r]] : DefaultRowHeight();
    if (RowHeights(r) != h) SetRowHeights(r, h);
  }
  std::vector<int> newPos(old, -1);
  for (int r = 0; r < n; ++r)
    if (Order[r] < old) newPos[Order[r]] = r;
  for (std::vector<char>* flags : {&FModifiedRows, &FDisabledRows, &FRowSelect}) {
    if (flags->empty()) continue;
    std::vector<char> out(static_cast<size_t>(n), 0);
    for (int r = 0; r < n; ++r)
      if (Order[r] < old && Order[r] < static_cast<int>(flags->size())) out[r] = (*flags)[Order[r]];
    *flags = std::move(out);
  }
  for (int& r : FSelectedRows)
    if (r >= 0 && r < old) r = newPos[r];
  FSortRowXRef.clear();
  if (FControlList.Count() > 0) CellControlsUpdate(true);
}

namespace {

struct TRun {
  int First, Last; // rows of the run before the new rows go in
};

void HeaderLook(TProStringGrid& g, int Row, bool Summary) {
  const TGrouping& s = g.Grouping();
  const TColor color = Summary ? s.SummaryColor() : s.HeaderColor();
  const TColor to = Summary ? s.SummaryColorTo() : s.HeaderColorTo();
  const TColor text = Summary ? s.SummaryTextColor() : s.HeaderTextColor();
  const bool merge = Summary ? s.MergeSummary() : s.MergeHeader();
  if (merge) {
    const int from = 1, span = g.ColCount() - 1;
    if (span > 0) g.MergeCells(from, Row, span, 1);
    if (color != clNone) g.SetColors(from, Row, color);
    if (to != clNone) g.SetColorsTo(from, Row, to);
    if (text != clNone) g.SetFontColors(from, Row, text);
    return;
  }
  if (color != clNone) g.SetRowColor(Row, color);
  if (to != clNone) g.SetRowColorTo(Row, to);
  if (text != clNone) g.SetRowFontColor(Row, text);
}

// Splits a merged header or summary row before it goes.
void SplitRow(TProStringGrid& g, int Row) {
  for (int c = 0; c < g.TotalColCount(); ++c)
    if (g.IsBaseCell(c, Row) && g.IsMergedCell(c, Row)) g.SplitCells(c, Row);
}

} // namespace

void TProStringGrid::Group(int Colindex) {
  if (Colindex < std::max(1, FixedCols()) || Colindex >= TotalColCount()) return;
  while (!FGroupStack.empty())
    UnGroup();
  const int first = FixedRows();
  if (RowCount() - FFixedFooters - 1 < first) return;
  BeginUpdate();
  struct TEnd {
    TProStringGrid& G;
    ~TEnd() { G.EndUpdate(); }
  } end{*this};
  TGroupLevel level;
  level.Column = Colindex;
  level.Width = AllColWidths(Colindex);
  if (FixedRows() > 0) level.Caption = GridCells(Colindex, 0);
  if (FFixedFooters > 0) level.Footer = GridCells(Colindex, RowCount() - 1);
  if (FSortSettings.AutoSortForGrouping()) {
    FSortSettings.SetColumn(Colindex);
    QSort();
  }
  const int last = RowCount() - FFixedFooters - 1;
  std::vector<TRun> runs;
  for (int r = first; r <= last; ++r)
    if (runs.empty() || GridCells(Colindex, r) != GridCells(Colindex, r - 1))
      runs.push_back({r, r});
    else
      runs.back().Last = r;
  const bool summary = FGrouping.Summary();
  const int old = RowCount();
  std::vector<int> order;
  order.reserve(static_cast<size_t>(old) + runs.size() * 2);
  int fresh = old;
  for (int r = 0; r < first; ++r)
    order.push_back(r);
  std::vector<int> headers;
  for (const TRun& run : runs) {
    headers.push_back(static_cast<int>(order.size()));
    order.push_back(fresh++);
    for (int r = run.First; r <= run.Last; ++r)
      order.push_back(r);
    if (summary) order.push_back(fresh++);
  }
  for (int r = last + 1; r < old; ++r)
    order.push_back(r);
  InsertRowsByOrder(order);
  const int h = Colindex == 1 ? 2 : 1;
  for (size_t i = 0; i < runs.size(); ++i) {
    const int hr = headers[i];
    const int span = runs[i].Last - runs[i].First + 2;
    SetGridCells(h, hr, GridCells(Colindex, hr + 1));
    AddNode(DisplToRealRow(hr), span);
    if (summary) {
      AddSummary(DisplToRealRow(hr + span));
      HeaderLook(*this, hr + span, true);
    }
  }
  FGroupStack.push_back(level);
  RemoveCols(Colindex, 1);
  for (int hr : headers)
    HeaderLook(*this, hr, false);
  if (FCellNode.ExpandOne() && !headers.empty()) ExpandNode(DisplToRealRow(headers.front()));
  if (RowCount() > FixedRows()) {
    FForceSel = true;
    if (Col() >= ColCount()) SetCol(std::max(FixedCols(), ColCount() - 1));
    SetRow(FixedRows());
    FForceSel = false;
  }
}

void TProStringGrid::UnGroup() {
  if (FGroupStack.empty()) return;
  if (FGroupStack.back().Sub) {
    SubUnGroup(FGroupStack.back().Column);
    return;
  }
  const TGroupLevel level = FGroupStack.back();
  FGroupStack.pop_back();
  BeginUpdate();
  struct TEnd {
    TProStringGrid& G;
    ~TEnd() { G.EndUpdate(); }
  } end{*this};
  const bool expandOne = FCellNode.ExpandOne();
  FCellNode.SetExpandOne(false);
  ExpandAll();
  InsertCols(level.Column, 1);
  SetAllColWidths(level.Column, level.Width);
  if (FixedRows() > 0) SetGridCells(level.Column, 0, level.Caption);
  if (FFixedFooters > 0) SetGridCells(level.Column, RowCount() - 1, level.Footer);
  const int valueCol = level.Column == 1 ? 2 : 1;
  std::vector<char> remove(RowCount(), 0);
  std::string value;
  for (int r = FixedRows(); r < RowCount() - FFixedFooters; ++r) {
    if (IsNode(r)) {
      value = GridCells(valueCol, r);
      remove[r] = 1;
    } else if (IsSummary(r)) {
      remove[r] = 1;
    } else {
      SetGridCells(level.Column, r, value);
    }
  }
  for (int r = 0; r < RowCount(); ++r)
    if (remove[r]) SplitRow(*this, r);
  RemoveAllNodes();
  RemoveRowSet(remove);
  FCellNode.SetExpandOne(expandOne);
  Invalidate();
}

void TProStringGrid::SubGroup(int Colindex) {
  if (Colindex < std::max(1, FixedCols()) || Colindex + 1 >= TotalColCount()) return;
  BeginUpdate();
  struct TEnd {
    TProStringGrid& G;
    ~TEnd() { G.EndUpdate(); }
  } end{*this};
  ExpandAll();
  TGroupLevel level;
  level.Column = Colindex;
  level.Sub = true;
  const int old = RowCount();
  const int last = old - FFixedFooters - 1;
  // The data rows of every group (not the footers, not the summary rows), split into runs.
  std::vector<TRun> runs;
  std::vector<int> parentOf; // the group header each run lies in (-1: none)
  int groupHeader = -1, groupEnd = -1;
  for (int r = FixedRows(); r <= last; ++r) {
    if (IsNode(r)) {
      groupHeader = r;
      int span = GetNodeSpan(r);
      if (span <= 0) span = NextNodeRow(r) - r;
      groupEnd = r + std::max(span, 1) - 1;
      continue;
    }
    if (IsSummary(r)) continue;
    const bool inGroup = groupHeader >= 0 && r <= groupEnd;
    const int parent = inGroup ? groupHeader : -1;
    if (runs.empty() || runs.back().Last != r - 1 || parentOf.back() != parent ||
        Cells(Colindex, r) != Cells(Colindex, r - 1)) {
      runs.push_back({r, r});
      parentOf.push_back(parent);
    } else {
      runs.back().Last = r;
    }
  }
  if (runs.empty()) return;
  std::vector<int> order;
  order.reserve(static_cast<size_t>(old) + runs.size());
  int fresh = old;
  size_t next = 0;
  for (int r = 0; r < old; ++r) {
    if (next < runs.size() && runs[next].First == r) {
      order.push_back(fresh++);
      ++next;
    }
    order.push_back(r);
  }
  std::vector<int> newPos(static_cast<size_t>(old));
  for (int i = 0; i < static_cast<int>(order.size()); ++i)
    if (order[i] < old) newPos[order[i]] = i;
  InsertRowsByOrder(order);
  // Group headers widen by the sub-headers they gained.
  std::vector<int> gained(static_cast<size_t>(old), 0);
  for (int p : parentOf)
    if (p >= 0) ++gained[p];
  for (int r = 0; r < old; ++r)
    if (gained[r] > 0) {
      const int hr = newPos[r];
      UpdateNodeSpan(hr, gained[r]);
    }
  for (size_t i = 0; i < runs.size(); ++i) {
    const int sh = newPos[runs[i].First] - 1;
    const int len = runs[i].Last - runs[i].First + 1;
    SetGridCells(Colindex + 1, sh, Cells(Colindex, sh + 1));
    for (int r = sh + 1; r <= sh + len; ++r)
      SetGridCells(Colindex, r, "");
    if (parentOf[i] >= 0) ChangeRowLevels(sh, 1, 1);
    AddNode(DisplToRealRow(sh), len + 1);
    if (TCellGraphic* g = GetCellGraphic(0, sh)) g->SetCellVar(Colindex);
    HeaderLook(*this, sh, false);
  }
  FGroupStack.push_back(level);
  if (RowCount() > FixedRows()) {
    FForceSel = true;
    SetRow(FixedRows());
    FForceSel = false;
  }
}

void TProStringGrid::SubUnGroup(int Colindex) {
  if (FGroupStack.empty() || !FGroupStack.back().Sub || FGroupStack.back().Column != Colindex) return;
  FGroupStack.pop_back();
  BeginUpdate();
  struct TEnd {
    TProStringGrid& G;
    ~TEnd() { G.EndUpdate(); }
  } end{*this};
  ExpandAll();
  auto isSubHeader = [&](int r) {
    const TCellGraphic* g = IsNode(r) ? GetCellGraphic(0, r) : nullptr;
    return g && std::holds_alternative<int>(g->CellVar()) && std::get<int>(g->CellVar()) == Colindex;
  };
  std::vector<char> remove(RowCount(), 0);
  std::string value;
  int parent = -1;
  for (int r = FixedRows(); r < RowCount() - FFixedFooters; ++r) {
    if (isSubHeader(r)) {
      value = GridCells(Colindex + 1, r);
      remove[r] = 1;
      if (parent >= 0) UpdateNodeSpan(parent, -1);
    } else if (IsNode(r)) {
      parent = r;
      value.clear();
    } else if (!IsSummary(r)) {
      SetGridCells(Colindex, r, value);
    }
  }
  for (int r = RowCount() - 1; r >= 0; --r)
    if (remove[r]) {
      SplitRow(*this, r);
      RemoveNode(DisplToRealRow(r));
      ChangeRowLevels(r, 1, -1);
    }
  RemoveRowSet(remove);
  Invalidate();
}

void TProStringGrid::SetGroupColumn(int Value) {
  if (Value == -1) {
    while (!FGroupStack.empty())
      UnGroup();
  } else if (Value > 0) {
    Group(Value);
  }
}

double TProStringGrid::DoGroupCalc(int ACol, int FromRow, int ToRow) {
  double res = 0;
  if (OnGroupCalc) OnGroupCalc(this, ACol, FromRow, ToRow, res);
  return res;
}

void TProStringGrid::GroupCalc(int Colindex, int Method) {
  if (Method < 1 || Method > 8) return;
  int r = FixedRows();
  while (r < RowCount()) {
    if (!IsNode(r) || GetNodeState(r)) {
      ++r;
      continue;
    }
    int span = GetNodeSpan(r);
    // 0 reaches up to the next node; every step moves on by one row at least.
    if (span <= 0) span = NextNodeRow(r) - r;
    span = std::max(span, 1);
    const int target = FGrouping.Summary() ? r + span : r;
    const int from = r + 1, to = r + span - 1;
    if (target < RowCount()) {
      switch (Method) {
      case 1:
        SetFloats(Colindex, target, ColumnSum(Colindex, from, to));
        break;
      case 2:
        SetFloats(Colindex, target, ColumnAvg(Colindex, from, to));
        break;
      case 3:
        SetFloats(Colindex, target, ColumnMin(Colindex, from, to));
        break;
      case 4:
        SetFloats(Colindex, target, ColumnMax(Colindex, from, to));
        break;
      case 5:
        SetInts(Colindex, target, span - 1);
        break;
      case 6:
        SetFloats(Colindex, target, DoGroupCalc(Colindex, from, to));
        break;
      case 7:
        SetFloats(Colindex, target, ColumnDistinct(Colindex, from, to));
        break;
      case 8:
        SetFloats(Colindex, target, ColumnStdDev(Colindex, from, to));
        break;
      }
    }
    r += span;
  }
}

namespace {

// A group calculation, shown in the floating footer's column as well when the footer is visible.
void GroupCalcShown(TProStringGrid& Grid, int Colindex, int Method, TColumnCalcType Shown) {
  Grid.GroupCalc(Colindex, Method);
  if (Grid.FloatingFooter().Visible()) Grid.FloatingFooter().SetColumnCalc(Colindex, Shown);
}

} // namespace

void TProStringGrid::GroupSum(int Colindex) {
  GroupCalcShown(*this, Colindex, 1, acSUM);
}

void TProStringGrid::GroupAvg(int Colindex) {
  GroupCalcShown(*this, Colindex, 2, acAVG);
}

void TProStringGrid::GroupMin(int Colindex) {
  GroupCalcShown(*this, Colindex, 3, acMIN);
}

void TProStringGrid::GroupMax(int Colindex) {
  GroupCalcShown(*this, Colindex, 4, acMAX);
}

void TProStringGrid::GroupCount(int Colindex) {
  GroupCalcShown(*this, Colindex, 5, acCOUNT);
}
