// Node rows: a row heading the group of rows below it, collapsed by hiding the group's rows and
// expanded by showing them again; its symbol in column 0.
#include "controls/ProUtilDraw.h"
#include "grid/ProGrid.h"
#include "platform/ui/Graphics.h"

#include <algorithm>
#include <vector>

namespace {

TCellGraphic* NodeOf(const TProStringGrid& G, int ARow) {
  TCellGraphic* g = ARow >= 0 ? G.GetCellGraphic(0, ARow) : nullptr;
  return g && g->CellType() == ctNode ? g : nullptr;
}

} // namespace

int TProStringGrid::GetRowIndent(int ARow) const {
  if (!HasNodes() || ARow < 0) return 0;
  const TCellProperties* p = FindCellProperties(0, ARow);
  return p ? p->NodeLevel() * FCellNode.NodeIndent() : 0;
}

int TProStringGrid::RowNodeLevel(int ARow) const {
  const TCellProperties* p = ARow >= 0 ? FindCellProperties(0, ARow) : nullptr;
  return p ? p->NodeLevel() : 0;
}

void TProStringGrid::ChangeRowLevels(int FromRow, int Count, int Delta) {
  const int end = std::min(FromRow + Count, RowCount()); // only rows that exist
  for (int r = std::max(0, FromRow); r < end; ++r) {
    if (Delta < 0 && !FindCellProperties(0, r)) continue;
    if (TCellProperties* p = CellProperties(0, r)) p->SetNodeLevel(std::max(0, p->NodeLevel() + Delta));
  }
}

int TProStringGrid::NextNodeRow(int ARow) const {
  for (int r = ARow + 1; r < RowCount(); ++r)
    if (NodeOf(*this, r)) return r;
  return RowCount();
}

void TProStringGrid::AddNode(int ARow, int Span) {
  // A real row outside the grid, or one that is hidden, gets no node.
  if (ARow < 0 || ARow >= TotalRowCount() || IsHiddenRow(ARow)) return;
  const int d = RealToDisplRow(ARow);
  if (d < 0) return;
  TCellGraphic* g = CreateCellGraphic(0, d);
  if (!g) return;
  g->SetCellType(ctNode);
  g->SetCellBoolean(false);
  g->SetCellIndex(Span);
  g->SetCellErrFrom(0);
  g->SetCellAngle(d);
  g->SetCellHAlign(haBeforeText);
  g->SetCellVAlign(vaCenter);
  g->SetCellVar(-1);
  ChangeRowLevels(d, Span, 1);
  if (FNumNodes == 0) RepaintCol(0);
  ++FNumNodes;
  if (Col() == 0 && ColCount() > 1) SetCol(1);
}

void TProStringGrid::AddSummary(int ARow) {
  if (ARow < 0 || ARow >= TotalRowCount() || IsHiddenRow(ARow)) return;
  if (TCellGraphic* g = CreateCellGraphic(0, RealToDisplRow(ARow))) g->SetCellType(ctSummary);
}

void TProStringGrid::RemoveNode(int ARow) {
  if (ARow < 0 || ARow >= TotalRowCount() || IsHiddenRow(ARow)) return;
  const int d = RealToDisplRow(ARow);
  TCellGraphic* g = NodeOf(*this, d);
  if (!g) return;
  DoExpandNode(ARow);
  ChangeRowLevels(d, g->CellIndex(), -1);
  RemoveCellGraphic(0, d);
  FNumNodes = std::max(0, FNumNodes - 1);
}

void TProStringGrid::RemoveAllNodes() {
  for (int r = 0; r < RowCount(); ++r)
    if (TCellGraphic* g = NodeOf(*this, r)) {
      DoExpandNode(DisplToRealRow(r));
      ChangeRowLevels(r, g->CellIndex(), -1);
      RemoveCellGraphic(0, r);
      FNumNodes = std::max(0, FNumNodes - 1);
    }
  Invalidate();
}

bool TProStringGrid::IsNode(int ARow) const {
  return NodeOf(*this, ARow) != nullptr;
}

bool TProStringGrid::IsSummary(int ARow) const {
  return ARow >= 0 && GetCellType(0, ARow) == ctSummary;
}

bool TProStringGrid::GetNodeState(int ARow) const {
  const TCellGraphic* g = NodeOf(*this, ARow);
  return g && g->CellBoolean();
}

void TProStringGrid::SetNodeState(int ARow, bool Value) {
  const TCellGraphic* g = NodeOf(*this, ARow);
  if (!g || g->CellBoolean() == Value) return;
  if (Value)
    ContractNode(DisplToRealRow(ARow));
  else
    ExpandNode(DisplToRealRow(ARow));
}

int TProStringGrid::GetNodeLevel(int ARow) const {
  return NodeOf(*this, ARow) ? RowNodeLevel(ARow) : -1;
}

int TProStringGrid::GetNodeSpan(int ARow) const {
  const TCellGraphic* g = NodeOf(*this, ARow);
  return g ? g->CellIndex() : -1;
}

void TProStringGrid::SetNodeSpan(int ARow, int Span) {
  if (TCellGraphic* g = NodeOf(*this, ARow)) g->SetCellIndex(Span);
}

void TProStringGrid::UpdateNodeSpan(int ARow, int Delta) {
  if (TCellGraphic* g = NodeOf(*this, ARow)) g->SetCellIndex(g->CellIndex() + Delta);
}

int TProStringGrid::GetSubNodeCount(int ARow) const {
  const TCellGraphic* g = NodeOf(*this, ARow);
  return g ? g->CellErrFrom() : 0;
}

void TProStringGrid::UpdateSubNodeCount(int ARow, int Delta) {
  if (TCellGraphic* g = NodeOf(*this, ARow)) g->SetCellErrFrom(g->CellErrFrom() + Delta);
}

int TProStringGrid::GetNodeSpanType(int ARow) const {
  if (IsNode(ARow)) return 0;
  if (ARow < RowCount() - FixedFooters() - 1 && FindCellProperties(0, ARow + 1) &&
      RowNodeLevel(ARow + 1) >= RowNodeLevel(ARow))
    return 2;
  return 1;
}

void TProStringGrid::ExpandNode(int ARow) {
  if (FCellNode.ExpandOne())
    for (int r = FixedRows(); r < RowCount(); ++r)
      if (const TCellGraphic* g = NodeOf(*this, r); g && !g->CellBoolean() && DisplToRealRow(r) != ARow)
        ContractNode(DisplToRealRow(r));
  DoExpandNode(ARow);
}

void TProStringGrid::DoExpandNode(int ARow) {
  if (ARow < 0 || ARow >= TotalRowCount() || IsHiddenRow(ARow)) return;
  const int d = RealToDisplRow(ARow);
  TCellGraphic* g = NodeOf(*this, d);
  if (!g || !g->CellBoolean()) return;
  g->SetCellBoolean(false);
  const int end = g->CellIndex() != 0 ? d + 1 : NextNodeRow(d);
  const int realEnd = end < RowCount() ? DisplToRealRow(end) : TotalRowCount();
  const bool disjunct = FMouseActions->DisjunctRowSelect();
  FMouseActions->SetDisjunctRowSelectDirect(false);
  const bool rowSelect = (Options() & goRowSelect) != 0;
  const int oldRow = Row(), oldTop = TopRow();
  if (rowSelect) SetOptions(Options() & ~goRowSelect);
  BeginUpdate();
  UnHideRows(ARow + 1, realEnd - 1);
  EndUpdate();
  if (rowSelect) {
    SetOptions(Options() | goRowSelect);
    if (oldRow < RowCount()) SetRow(oldRow);
    if (oldTop < RowCount()) SetTopRow(oldTop);
  }
  FMouseActions->SetDisjunctRowSelectDirect(disjunct);
  CalcFooter(-1);
  Invalidate();
}

void TProStringGrid::ContractNode(int ARow) {
  if (ARow < 0 || ARow >= TotalRowCount() || IsHiddenRow(ARow)) return;
  HideEditor();
  const int d = RealToDisplRow(ARow);
  TCellGraphic* g = NodeOf(*this, d);
  if (!g || g->CellBoolean()) return;
  g->SetCellBoolean(true);
  // A span past the last row ends the group at the last row.
  int e = std::min(g->CellIndex() > 0 ? d + g->CellIndex() : NextNodeRow(d), RowCount());
  int r = d + 1;
  while (r < e) {
    TCellGraphic* sub = NodeOf(*this, r);
    if (sub && sub->CellBoolean()) {
      // Folded into this group: hidden with it, shown whole when it opens again.
      sub->SetCellBoolean(false);
      const int subSpan = sub->CellIndex();
      HideRows(DisplToRealRow(d + 1), DisplToRealRow(r));
      e -= (r - d - 1) + std::max(1, subSpan);
      r = d + 1;
      continue;
    }
    ++r;
  }
  if (r - 1 >= d + 1) HideRows(DisplToRealRow(d + 1), DisplToRealRow(r - 1));
  CalcFooter(-1);
  Invalidate();
}

void TProStringGrid::ExpandAll() {
  // Every collapsed node's group comes back in one move of the grid's rows, so a large outline
  // opens at the cost of one pass.
  std::vector<int> nodes;
  for (int r = FixedRows(); r < RowCount(); ++r)
    if (NodeOf(*this, r)) nodes.push_back(r);
  std::vector<size_t> positions;
  for (size_t k = 0; k < nodes.size(); ++k) {
    const int d = nodes[k];
    TCellGraphic* g = NodeOf(*this, d);
    if (!g->CellBoolean()) continue;
    g->SetCellBoolean(false);
    const int from = DisplToRealRow(d) + 1;
    if (!IsHiddenRow(from)) continue;
    const int end = g->CellIndex() != 0 ? d + 1 : k + 1 < nodes.size() ? nodes[k + 1] : RowCount();
    const int realEnd = end < RowCount() ? DisplToRealRow(end) : TotalRowCount();
    auto first = std::lower_bound(FGridItems.begin(), FGridItems.end(), from,
                                  [](const TGridItem& i, int idx) { return i.Idx < idx; });
    for (auto it = first; it != FGridItems.end() && it->Idx < realEnd; ++it)
      positions.push_back(static_cast<size_t>(it - FGridItems.begin()));
  }
  std::sort(positions.begin(), positions.end());
  positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
  BeginUpdate();
  RestoreItems(positions);
  EndUpdate();
  CalcFooter(-1);
  Invalidate();
}

void TProStringGrid::ContractAll() {
  BeginUpdate();
  struct TEnd {
    TProStringGrid* G;
    ~TEnd() { G->EndUpdate(); }
  } end{this};
  ExpandAll();
  std::vector<int> rows;
  int r = FixedRows();
  while (r < RowCount()) {
    TCellGraphic* g = NodeOf(*this, r);
    if (!g) {
      ++r;
      continue;
    }
    g->SetCellBoolean(true);
    const int last = std::min(g->CellIndex() > 0 ? r + g->CellIndex() : NextNodeRow(r), RowCount());
    for (int k = r + 1; k < last; ++k)
      rows.push_back(DisplToRealRow(k));
    r = std::max(last, r + 1);
  }
  HideRealRows(rows, -1);
  CalcFooter(-1);
}

int TProStringGrid::GetParentRow(int ARow) const {
  if (!HasNodes() || ARow < 0) return -1;
  int limit = 65535, answer = -1;
  if (IsNode(ARow)) {
    limit = GetNodeLevel(ARow);
    answer = ARow;
  }
  int hidden = 0;
  for (int r = std::min(ARow, RowCount() - 1); r >= FixedRows(); --r) {
    const TCellGraphic* g = NodeOf(*this, r);
    if (!g || RowNodeLevel(r) >= limit) continue;
    if (g->CellBoolean()) hidden += g->CellIndex() - 1;
    if (ARow < r + g->CellIndex() - hidden) return r;
  }
  return answer;
}

void TProStringGrid::InsertChildRow(int ARow, int InsertAt) {
  if (ARow < 0 || ARow >= TotalRowCount() || IsHiddenRow(ARow)) return;
  int d = RealToDisplRow(ARow);
  const int p = GetParentRow(d);
  int level = 1;
  if (p >= 0) {
    UpdateNodeSpan(p, 1);
    UpdateSubNodeCount(p, 1);
    DoExpandNode(DisplToRealRow(p));
    level = GetNodeLevel(p);
    int last = level;
    for (int a = p - 1; last > 1 && a >= FixedRows(); --a)
      if (IsNode(a) && RowNodeLevel(a) < last) {
        UpdateNodeSpan(a, 1);
        UpdateSubNodeCount(a, 1);
        DoExpandNode(DisplToRealRow(a));
        last = RowNodeLevel(a);
      }
    d = RealToDisplRow(ARow);
  }
  const bool belowNode = IsNode(d) && InsertAt == 0;
  const int at = belowNode ? d + 1 : d + InsertAt;
  InsertRows(at, 1, true);
  if (belowNode) {
    // The node row keeps only its marker; its texts and other objects move down.
    SetGridCells(0, at, GridCells(0, d));
    SetGridCells(0, d, "");
    for (int c = 1; c < TotalColCount(); ++c)
      SwapCells({c, d}, {c, at}); // the new row is empty
  }
  if (p >= 0)
    if (TCellProperties* props = CellProperties(0, at)) props->SetNodeLevel(level);
  Invalidate();
}

void TProStringGrid::RemoveChildRow(int ARow) {
  if (ARow < 0 || ARow >= TotalRowCount() || IsHiddenRow(ARow)) return;
  const int d = RealToDisplRow(ARow);
  int p = GetParentRow(d);
  if (p == d) p = GetParentRow(d - 1);
  if (p >= 0 && p < d) {
    const int level = GetNodeLevel(p);
    if (GetNodeSpan(p) > 1) {
      UpdateNodeSpan(p, -1);
      UpdateSubNodeCount(p, -1);
    }
    for (;;) {
      DoExpandNode(DisplToRealRow(p));
      if (GetNodeLevel(p) <= 1) break;
      int q = -1;
      for (int a = p - 1; a >= FixedRows() && q < 0; --a)
        if (IsNode(a) && RowNodeLevel(a) < GetNodeLevel(p)) q = a;
      if (q < 0 || GetNodeLevel(q) >= level) break;
      if (GetNodeSpan(q) > 1) {
        UpdateNodeSpan(q, -1);
        UpdateSubNodeCount(q, -1);
      }
      p = q;
    }
  }
  DeleteRows(RealToDisplRow(ARow), 1);
  FMaxRowCount = std::max(0, FMaxRowCount - 1);
}

void TProStringGrid::InsertNormalRow(int ARow) {
  if (ARow < 0 || ARow >= TotalRowCount() || IsHiddenRow(ARow)) return;
  InsertRows(RealToDisplRow(ARow), 1, true); // hidden rows behind it move along there
}

void TProStringGrid::RemoveNormalRow(int ARow) {
  RemoveRows(ARow, 1);
  FMaxRowCount = std::max(0, FMaxRowCount - 1);
}

bool TProStringGrid::IsNodeClick(int ARow, int X) const {
  if (!FMouseActions->PreciseNodeClick()) return true;
  const int L = RowNodeLevel(ARow), I = FCellNode.NodeIndent();
  int g = 4, m = 4;
  switch (FCellNode.NodeType()) {
  case cn3D:
    g = 6, m = 0;
    break;
  case cnGlyph:
    g = FCellNode.ExpandGlyph().Empty() ? 0 : FCellNode.ExpandGlyph().Width() / 2;
    m = FCellNode.ExpandGlyph().Empty() ? 0 : 2;
    break;
  case cnLeaf:
    g = 8, m = 2;
    break;
  default:
    break;
  }
  return X > m + (L - 1) * I && X < g + L * I;
}

// The node symbol in column 0; R's left edge moves to where the symbol starts.
void TProStringGrid::DrawNodeGlyph(TCanvas& C, TRect& R, const TCellGraphic& g, int RCol, int ARow,
                                   TGridDrawState State) {
  // Node positions count from the grid's left edge, where column 0 sits.
  const int base = 0;
  const int L = GetRowIndent(ARow), NI = FCellNode.NodeIndent();
  const bool collapsed = g.CellBoolean();
  const int height = R.Bottom - R.Top;
  R.Left = base + L - NI;
  if (FCellNode.ShowTree() && ARow >= FixedRows()) {
    C.Pen().SetColor(FCellNode.TreeColor());
    C.Pen().SetWidth(1);
    C.Pen().SetStyle(psSolid);
    const int x = R.Left + NI / 2 + 2, mid = R.Top + (R.Bottom - R.Top) / 2;
    if (ARow + 1 < RowCount() && GetRowIndent(ARow + 1) > 0 && !(collapsed && GetRowIndent(ARow + 1) < L)) {
      C.MoveTo(x, mid);
      C.LineTo(x, R.Bottom);
    }
    if (ARow > 0 && GetRowIndent(ARow - 1) >= L && L > 0) {
      C.MoveTo(x, R.Top);
      C.LineTo(x, R.Top + 6);
    }
  }
  const int dcol = RealToDisplCol(RCol);
  const bool fixedCol = dcol >= 0 && dcol < FixedCols();
  if (fixedCol && !FFlat && (FLook == glSoft || FLook == glZUZ || FLook == glXP || FLook == glListView))
    ++R.Left;

  R.Left = base + L - NI / 2 - 4;
  TColor back = C.Brush().Color();
  if (back == clNone) back = FixedCols() == 0 ? Color() : FixedColor();
  if (ShowSelection() && (State & gdSelected) && !FMouseActions->DisjunctRowSelect()) back = SelectionColor();

  TRect box = R;
  switch (FCellNode.NodeType()) {
  case cnLeaf:
    OffsetRect(box, 0, (height - 12) / 2);
    DrawBitmapResource(C, back, box, collapsed ? "ASGLEAFCLOSE" : "ASGLEAFOPEN");
    return;
  case cnXP:
    OffsetRect(box, 4, (height - 10) / 2);
    DrawBitmapResource(C, back, box, collapsed ? "XPNODEC" : "XPNODEO");
    return;
  case cnGlyph:
    if (!FCellNode.ContractGlyph().Empty() && !FCellNode.ExpandGlyph().Empty()) {
      const TBitmap& glyph = collapsed ? FCellNode.ContractGlyph() : FCellNode.ExpandGlyph();
      box.Top += (height - glyph.Height()) / 2;
      DrawTransparentBitmap(C, glyph, back, box);
      return;
    }
    break;
  default:
    break;
  }
  const int top = R.Top + std::max(0, height - 8) / 2;
  TRect sq = Rect(R.Left + 4, top, R.Left + 12, top + 8);
  C.Brush().SetColor(FCellNode.Color());
  C.Brush().SetStyle(bsSolid);
  if (FCellNode.NodeType() == cnFlat) {
    C.Pen().SetColor(FCellNode.NodeColor());
    C.Rectangle(sq.Left, sq.Top, sq.Right + 1, sq.Bottom + 1);
    C.MoveTo(sq.Left + 2, sq.Top + 4);
    C.LineTo(sq.Left + 7, sq.Top + 4);
    if (collapsed) {
      C.MoveTo(sq.Left + 4, sq.Top + 2);
      C.LineTo(sq.Left + 4, sq.Top + 7);
    }
  } else {
    C.FillRect(sq);
    DrawEdge(C, sq, collapsed ? BDR_RAISEDINNER | BDR_RAISEDOUTER : BDR_SUNKENINNER | BDR_SUNKENOUTER,
             BF_RECT | BF_SOFT);
  }
  C.Brush().SetColor(back);
}
