// Merged areas, cell geometry, and the cursor's moves over merged areas.
#include "grid/BaseGrid.h"

#include <algorithm>

void TBaseGrid::MergeCells(int c, int r, int SpanX, int SpanY) {
  // An area that is empty or reaches outside the grid is refused whole.
  if (SpanX < 1 || SpanY < 1 || c < 0 || r < 0 || c > TotalColCount() - SpanX || r > RowCount() - SpanY)
    return;
  ++FMergeCount;
  for (int i = c; i < c + SpanX; ++i)
    for (int j = r; j < r + SpanY; ++j) {
      TCellProperties* p = CellProperties(i, j);
      bool base = i == c && j == r;
      p->SetIsBaseCell(base);
      p->SetCellSpanX(base ? SpanX - 1 : i - c);
      p->SetCellSpanY(base ? SpanY - 1 : j - r);
    }
  RepaintCell(c, r); // the whole area
}

void TBaseGrid::SplitCells(int c, int r) {
  TCellProperties* p = FindCellProperties(c, r);
  if (!p || p->CellSpanX() == -1 || p->CellSpanY() == -1) return; // not merged: nothing to split
  TPoint b = p->GetBaseCell(c, r);
  const TCellProperties* base = FindCellProperties(b.X, b.Y);
  int sx = base ? std::max(base->CellSpanX(), 0) : 0;
  int sy = base ? std::max(base->CellSpanY(), 0) : 0;
  RepaintCell(b.X, b.Y);
  int lastCol = std::min(b.X + sx, TotalColCount() - 1), lastRow = std::min(b.Y + sy, RowCount() - 1);
  for (int i = std::max(b.X, 0); i <= lastCol; ++i)
    for (int j = std::max(b.Y, 0); j <= lastRow; ++j)
      if (TCellProperties* q = FindCellProperties(i, j)) {
        q->SetIsBaseCell(true);
        q->SetCellSpanX(-1);
        q->SetCellSpanY(-1);
      }
  --FMergeCount;
}

TPoint TBaseGrid::BaseCell(int ACol, int ARow) const {
  const TCellProperties* p = FindCellProperties(ACol, ARow);
  return p ? p->GetBaseCell(ACol, ARow) : TPoint{ACol, ARow};
}

bool TBaseGrid::IsBaseCell(int ACol, int ARow) const {
  const TCellProperties* p = FindCellProperties(ACol, ARow);
  return !p || p->IsBaseCell();
}

bool TBaseGrid::IsMergedCell(int ACol, int ARow) const {
  const TCellProperties* p = FindCellProperties(ACol, ARow);
  return p && (p->CellSpanX() > 0 || p->CellSpanY() > 0);
}

bool TBaseGrid::IsMergedNonBaseCell(int ACol, int ARow) const {
  return IsMergedCell(ACol, ARow) && !FindCellProperties(ACol, ARow)->IsBaseCell();
}

bool TBaseGrid::IsXMergedCell(int ACol, int ARow) const {
  if (!HasCellProperties(ACol, ARow)) return false;
  TPoint b = BaseCell(ACol, ARow);
  const TCellProperties* base = FindCellProperties(b.X, b.Y);
  return base && base->CellSpanX() > 0;
}

bool TBaseGrid::IsYMergedCell(int ACol, int ARow) const {
  if (!HasCellProperties(ACol, ARow)) return false;
  TPoint b = BaseCell(ACol, ARow);
  const TCellProperties* base = FindCellProperties(b.X, b.Y);
  return base && base->CellSpanY() > 0;
}

TPoint TBaseGrid::CellSpan(int ACol, int ARow) const {
  const TCellProperties* p = FindCellProperties(ACol, ARow);
  if (!p || p->CellSpanX() == -1 || p->CellSpanY() == -1) return {0, 0};
  TPoint b = p->GetBaseCell(ACol, ARow);
  const TCellProperties* base = FindCellProperties(b.X, b.Y);
  if (!base) return {0, 0};
  return {std::max(base->CellSpanX(), 0), std::max(base->CellSpanY(), 0)};
}

TPoint TBaseGrid::CellExt(int ACol, int ARow) const {
  const TCellProperties* p = FindCellProperties(ACol, ARow);
  if (!p || p->CellSpanX() == -1 || p->CellSpanY() == -1) return {0, 0};
  TPoint b = p->GetBaseCell(ACol, ARow);
  TPoint s = CellSpan(ACol, ARow);
  return {b.X + s.X - ACol, b.Y + s.Y - ARow};
}

TRect TBaseGrid::FullCell(int c, int r) const {
  TPoint b = BaseCell(c, r);
  TPoint s = CellSpan(c, r);
  return {b.X, b.Y, b.X + s.X, b.Y + s.Y};
}

int TBaseGrid::MinRowSpan(int ARow) const {
  int result = RowCount();
  for (int c = 0; c < TotalColCount(); ++c) {
    int y = CellSpan(c, ARow).Y;
    if (y > 0) result = std::min(result, y);
  }
  return result;
}

int TBaseGrid::MaxRowSpan(int ARow) const {
  int result = 0;
  for (int c = 0; c < TotalColCount(); ++c)
    result = std::max(result, CellSpan(c, ARow).Y);
  return result;
}

bool TBaseGrid::RowSpanIdentical(int ARow1, int ARow2) const {
  bool result = false;
  for (int c = 0; c < TotalColCount(); ++c) {
    if (CellSpan(c, ARow1).Y > 0 && CellSpan(c, ARow2).Y > 0) {
      if (BaseCell(c, ARow1).Y != BaseCell(c, ARow2).Y) return false;
      result = true;
    }
  }
  return result;
}

bool TBaseGrid::ColSpanIdentical(int ACol1, int ACol2) const {
  bool found = false;
  for (int r = 0; r < RowCount(); ++r) {
    int x1 = CellSpan(ACol1, r).X, x2 = CellSpan(ACol2, r).X;
    if (x1 > 0 && x2 > 0) {
      if (BaseCell(ACol1, r).X != BaseCell(ACol2, r).X) return false;
      found = true;
    } else if (x1 != x2) {
      return false;
    }
  }
  return found;
}

bool TBaseGrid::ResolveBaseCell(int ACol, int ARow, int& BaseCol, int& BaseRow) const {
  BaseCol = ACol;
  BaseRow = ARow;
  const TCellProperties* p = FindCellProperties(ACol, ARow);
  if (!p || p->IsBaseCell()) return true;
  TPoint b = p->GetBaseCell(ACol, ARow);
  BaseCol = b.X;
  BaseRow = b.Y;
  return false;
}

void TBaseGrid::SnapToBaseCell() {
  if (!HasCellProperties(Col(), Row())) return;
  TPoint b = BaseCell(Col(), Row());
  if (b.X != Col() || b.Y != Row()) MoveColRow(b.X, b.Y, true, true);
}

// --- Geometry ------------------------------------------------------------------------------------

int TBaseGrid::FixedColsWidth() const {
  int w = 0;
  for (int i = 0; i < FixedCols(); ++i)
    w += ColWidths(i);
  return w;
}

int TBaseGrid::FixedRowsHeight() const {
  int h = 0;
  for (int i = 0; i < FixedRows(); ++i)
    h += RowHeights(i);
  return h;
}

TRect TBaseGrid::ComputeCellRect(int ACol, int ARow) const {
  // Only the sizes between the cell and the first scrolling column (row) in view are summed.
  int x = 0, y = 0;
  if (ACol < FixedCols()) {
    for (int i = 0; i < ACol; ++i)
      x += ColWidths(i);
  } else {
    x = FixedColsWidth();
    for (int i = LeftCol(); i < ACol; ++i)
      x += ColWidths(i);
    for (int i = ACol; i < LeftCol(); ++i)
      x -= ColWidths(i);
  }
  if (ARow < FixedRows()) {
    for (int i = 0; i < ARow; ++i)
      y += RowHeights(i);
  } else {
    y = FixedRowsHeight();
    for (int i = TopRow(); i < ARow; ++i)
      y += RowHeights(i);
    for (int i = ARow; i < TopRow(); ++i)
      y -= RowHeights(i);
  }
  return {x, y, x + ColWidths(ACol), y + RowHeights(ARow)};
}

namespace {
TRect Union(const TRect& a, const TRect& b) {
  return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
          std::max(a.Bottom, b.Bottom)};
}
} // namespace

TRect TBaseGrid::CellRect(int c, int r) const {
  const TCellProperties* p = FindCellProperties(c, r);
  if (p && (p->CellSpanX() != -1 || p->CellSpanY() != -1)) {
    TPoint b = p->GetBaseCell(c, r);
    TPoint s = CellSpan(b.X, b.Y);
    TRect r1 = ComputeCellRect(b.X, b.Y);
    if (r1.Right == r1.Left) ++r1.Right;
    TRect r2 = ComputeCellRect(b.X + s.X, b.Y + s.Y);
    if (r2.Right == r2.Left) --r2.Left;
    return Union(r1, r2);
  }
  if (p && p->Control()) return ComputeCellRect(c, r);
  TRect g = TGridCore::CellRect(c, r);
  if (g.IsEmpty()) return g; // out of view
  return {g.Left, g.Top, g.Left + ColWidths(c), g.Top + RowHeights(r)};
}

TSize TBaseGrid::CellSize(int c, int r) const {
  TRect rc;
  const TCellProperties* p = FindCellProperties(c, r);
  if (p && (p->CellSpanX() != -1 || p->CellSpanY() != -1)) {
    TPoint b = p->GetBaseCell(c, r);
    TPoint s = CellSpan(b.X, b.Y);
    rc = Union(ComputeCellRect(b.X, b.Y), ComputeCellRect(b.X + s.X, b.Y + s.Y));
  } else {
    rc = ComputeCellRect(c, r);
  }
  return {rc.Right - rc.Left, rc.Bottom - rc.Top};
}

void TBaseGrid::InvalidateArea(const TRect& r) {
  if (!r.IsEmpty()) InvalidateRect(r);
}

bool TBaseGrid::CellsMayShow(const TRect& cells) const {
  bool rows =
      cells.Top < FixedRows() || (cells.Bottom >= TopRow() && cells.Top <= TopRow() + VisibleRowCount() + 1);
  bool cols = cells.Left < FixedCols() ||
              (cells.Right >= LeftCol() && cells.Left <= LeftCol() + VisibleColCount() + 1);
  return rows && cols;
}

void TBaseGrid::RepaintCell(int c, int r) {
  TPoint b = BaseCell(c, r);
  TPoint s = CellSpan(c, r);
  if (!CellsMayShow({b.X, b.Y, b.X + s.X, b.Y + s.Y})) return;
  InvalidateArea(CellRect(c, r));
}

// --- Cursor over merged areas ------------------------------------------------------------------

void TBaseGrid::MoveToAreaEdge(unsigned Key) {
  const TCellProperties* p = FindCellProperties(Col(), Row());
  if (!p || p->CellSpanX() == -1 || p->CellSpanY() == -1) return;
  TPoint b = p->GetBaseCell(Col(), Row());
  TPoint s = CellSpan(Col(), Row());
  switch (Key) {
  case GridKeys::Right: {
    int v = b.X + s.X;
    if (v >= Col() && Col() < ColCount() - 1 && b.X < ColCount() - 1 && v < ColCount() && v != Col())
      SetCol(v);
    break;
  }
  case GridKeys::Down: {
    int v = b.Y + s.Y;
    if (v >= Row() && Row() < RowCount() - 1 && b.Y < RowCount() - 1 && v != Row()) SetRow(v);
    break;
  }
  // Left and Up land on the cell just before the area: the move starts from its first column
  // (row).
  case GridKeys::Left:
    if (b.X < Col() && b.X >= FixedCols()) SetCol(b.X);
    break;
  case GridKeys::Up:
    if (b.Y < Row() && b.Y >= FixedRows()) SetRow(b.Y);
    break;
  default:
    break;
  }
}

void TBaseGrid::KeyDown(std::uint16_t& Key, TShiftState Shift) {
  MoveToAreaEdge(Key);
  TStringGrid::KeyDown(Key, Shift);
  // The footer's row is never reached by paging.
  if (Key == GridKeys::PageDown && FHideLastRow && RowCount() > 1 && Row() == RowCount() - 1)
    SetRow(RowCount() - 2);
  SnapToBaseCell();
}

bool TBaseGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  MoveToAreaEdge(GridKeys::Down); // else the wheel could never pass an area
  bool handled = TStringGrid::DoMouseWheelDown(Shift, MousePos);
  if (VisibleRowCount() < Row() - TopRow() && Row() < RowCount() - 1 && FHideLastRow) SetTopRow(TopRow() + 1);
  SnapToBaseCell();
  return handled;
}

bool TBaseGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  MoveToAreaEdge(GridKeys::Up);
  bool handled = TStringGrid::DoMouseWheelUp(Shift, MousePos);
  SnapToBaseCell();
  return handled;
}

void TBaseGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TStringGrid::MouseDown(Button, Shift, X, Y);
  SnapToBaseCell();
}

// A drag's end may set the cursor again where the press was.
void TBaseGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TStringGrid::MouseUp(Button, Shift, X, Y);
  SnapToBaseCell();
}

bool TBaseGrid::SelectCell(int ACol, int ARow) {
  RepaintCell(Col(), Row());
  bool result = TStringGrid::SelectCell(ACol, ARow);
  RepaintCell(ACol, ARow);
  return result;
}

void TBaseGrid::TopLeftChanged() {
  TStringGrid::TopLeftChanged();
  // Merged fixed cells follow the scrolling.
  for (int c = 0; c < FixedCols(); ++c)
    for (int r = TopRow(); r <= TopRow() + VisibleRowCount() && r < RowCount(); ++r)
      if (IsMergedCell(c, r)) RepaintCell(c, r);
  for (int r = 0; r < FixedRows(); ++r)
    for (int c = LeftCol(); c <= LeftCol() + VisibleColCount() && c < TotalColCount(); ++c)
      if (IsMergedCell(c, r)) RepaintCell(c, r);
}
