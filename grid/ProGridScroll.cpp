// Moving columns and rows, hiding the selection, scrolling into view, scroll hints, drag scrolling,
// the stretched column, rows inserted and removed, and the update lock.
#include "grid/ProGrid.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Messages.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {
template <class T> void MoveEntry(std::vector<T>& v, int from, int to) {
  if (from < 0 || to < 0 || from >= static_cast<int>(v.size()) || to >= static_cast<int>(v.size())) return;
  T item = v[from];
  v.erase(v.begin() + from);
  v.insert(v.begin() + to, item);
}

int MulDiv(int a, int b, int c) {
  return c == 0 ? 0 : static_cast<int>((static_cast<long long>(a) * b + c / 2) / c);
}
} // namespace

// --- Moving ------------------------------------------------------------------------------------

void TProStringGrid::SetColumnOrder() {
  FColumnOrder.resize(std::max(0, ColCount()));
  std::iota(FColumnOrder.begin(), FColumnOrder.end(), 0);
}

void TProStringGrid::MoveColumn(int FromIndex, int ToIndex) {
  if (FColumnOrder.empty()) SetColumnOrder();
  TGridCore::MoveColumn(FromIndex, ToIndex);
}

void TProStringGrid::ColumnMoved(int FromIndex, int ToIndex) {
  int from = DisplToRealCol(FromIndex), to = DisplToRealCol(ToIndex);
  if (from < 0 || to < 0) return;
  TStringGrid::ColumnMoved(from, to);
  std::vector<bool> visible(FVisibleCol.begin(), FVisibleCol.end());
  if (FNumHidden > 0) {
    MoveEntry(visible, from, to);
    FVisibleCol.assign(visible.begin(), visible.end());
    MoveEntry(FAllColWidths, from, to);
  }
  MoveEntry(FColumnOrder, FromIndex, ToIndex);
  ColumnMovedFollow(FromIndex, ToIndex, from, to);
}

void TProStringGrid::MoveRow(int FromIndex, int ToIndex) {
  if (FFloatingFooter.Visible() && FFloatingFooter.FooterStyle() == fsFixedLastRow &&
      (ToIndex == RowCount() - 1 || FromIndex == RowCount() - 1))
    return;
  TGridCore::MoveRow(FromIndex, ToIndex);
}

void TProStringGrid::MoveRows(int FromIndex, int ToIndex, int Count) {
  const int n = RowCount();
  if (FromIndex < 0 || FromIndex >= n || ToIndex < 0) return;
  Count = std::min(Count, n - FromIndex);
  if (Count <= 0 || FromIndex == ToIndex) return;
  if (FromIndex + Count < ToIndex) ToIndex -= Count;
  ToIndex = std::min(ToIndex, n - Count);
  if (ToIndex == FromIndex) return;
  // The rows without the block, then the block put back at ToIndex; heights stay in place.
  std::vector<int> rest, order;
  rest.reserve(n);
  for (int r = 0; r < n; ++r)
    if (r < FromIndex || r >= FromIndex + Count) rest.push_back(r);
  order.reserve(n);
  order.insert(order.end(), rest.begin(), rest.begin() + ToIndex);
  for (int r = FromIndex; r < FromIndex + Count; ++r)
    order.push_back(r);
  order.insert(order.end(), rest.begin() + ToIndex, rest.end());
  HideEditor();
  PermuteRows(order);
}

// --- Selection hidden ----------------------------------------------------------------------------

void TProStringGrid::HideSelection() {
  if (!FSelHidden) FOldSelection = Selection();
  SetSelection({ColCount(), RowCount(), ColCount(), RowCount()});
  FSelHidden = true;
}

void TProStringGrid::UnHideSelection() {
  FSelHidden = false;
  if (FOldSelection.Top < RowCount() && FOldSelection.Left < ColCount()) {
    SetSelection(FOldSelection);
    return;
  }
  int r = FFixedRowAlways && FixedRows() >= RowCount() ? 0 : FixedRows();
  int c = FFixedColAlways && FixedCols() >= ColCount() ? 0 : FixedCols();
  FocusCell(c, r);
}

// --- Scrolling -----------------------------------------------------------------------------------

void TProStringGrid::SetTopRow(int Value) {
  if (Value < FixedRows() || Value >= RowCount()) return;
  TBaseGrid::SetTopRow(Value);
}

void TProStringGrid::ScrollInView(int ColIndex, int RowIndex) {
  if (ColIndex >= ColCount() || RowIndex >= RowCount() || ColIndex < 0 || RowIndex < 0) return;
  int left = LeftCol(), top = TopRow();
  const int vc = VisibleColCount(), vr = VisibleRowCount();
  if (ColIndex >= FixedCols() && (ColIndex < left || ColIndex >= left + vc)) {
    SetCol(ColIndex);
    left = std::max(FixedCols(), ColIndex - vc / 2);
  }
  if (RowIndex >= FixedRows() && (RowIndex < top || RowIndex >= top + vr)) {
    SetRow(RowIndex);
    top = std::max(FixedRows(), RowIndex - vr / 2);
  }
  left = std::min(left, ColCount() - vc + 1);
  if (FixedCols() + vc < ColCount()) TBaseGrid::SetLeftCol(left);
  top = std::min(top, RowCount() - vr + 1);
  if (FixedRows() + vr >= RowCount()) return;
  TBaseGrid::SetTopRow(top);
}

void TProStringGrid::ScrollHint(bool Vertical, TMessage& Message) {
  const unsigned code = static_cast<unsigned>(Message.WParam & 0xFFFF);
  const int pos = static_cast<int>(std::min<WPARAM>(Message.WParam >> 16, 0x7FFFFFFF));
  bool wanted = FScrollHints == shBoth || FScrollHints == (Vertical ? shVertical : shHorizontal);
  // Target row or column of the thumb; an empty grid has none (no division by its counts).
  int target = Vertical ? MulDiv(pos, RowCount() - VisibleRowCount() - FixedRows(), ThumbMax) + FixedRows()
                        : MulDiv(pos, ColCount() - VisibleColCount() - FixedCols(), ThumbMax) + FixedCols();
  if (wanted && code == SB_ENDSCROLL) FScrollHintText.clear();
  if (wanted && code == SB_THUMBTRACK) {
    std::string text = (Vertical ? "Row : " : "Col : ") + std::to_string(target);
    if (OnScrollHint) OnScrollHint(this, target, text);
    FScrollHintText = text;
  }
  if (code == SB_THUMBTRACK && FScrollSynch) {
    if (Vertical)
      SetTopRow(target);
    else if (target >= FixedCols() && target < ColCount())
      SetLeftCol(target);
  }
}

void TProStringGrid::WMVScroll(TMessage& Message) {
  ScrollHint(true, Message);
  TBaseGrid::WMVScroll(Message);
}

void TProStringGrid::WMHScroll(TMessage& Message) {
  ScrollHint(false, Message);
  if (FixedCols() == 0 && Col() >= 0) HideEditor();
  TBaseGrid::WMHScroll(Message);
}

// --- Drag scrolling ------------------------------------------------------------------------------

void TProStringGrid::DragScrollOver(int X, int Y, bool Leaving) {
  TDragScrollDirection oldV = FDragVert, oldH = FDragHorz;
  FDragVert = FDragHorz = dsdNone;
  if (!FDragScrollOptions.Active() || Leaving) {
    StopDragScroll();
    return;
  }
  if (Y < FDragScrollOptions.TopMargin())
    FDragVert = dsdUp;
  else if (Y > Height() - FDragScrollOptions.BottomMargin())
    FDragVert = dsdDown;
  if (X < FDragScrollOptions.LeftMargin())
    FDragHorz = dsdLeft;
  else if (X > Width() - FDragScrollOptions.RightMargin())
    FDragHorz = dsdRight;
  if (FDragVert == dsdNone && FDragHorz == dsdNone) {
    StopDragScroll();
    return;
  }
  if (!FDragTimer) {
    FDragTimer = new TTimer(this);
    FDragTimer->SetInterval(static_cast<unsigned>(FDragScrollOptions.InitialDelay()));
    FDragTimer->OnTimer = [this](TObject*) { DragScrollTick(); };
    FDragTimer->SetEnabled(true);
  } else if (oldV != dsdNone || oldH != dsdNone) {
    FDragTimer->SetInterval(static_cast<unsigned>(FDragScrollOptions.InitialDelay()));
  }
}

void TProStringGrid::StopDragScroll() {
  if (!FDragTimer) return;
  FDragTimer->SetEnabled(false);
  FDragTimer->Free();
  FDragTimer = nullptr;
}

void TProStringGrid::DragScrollTick() {
  if (!FDragScrollOptions.Active()) {
    StopDragScroll();
    return;
  }
  FDragTimer->SetInterval(static_cast<unsigned>(FDragScrollOptions.RepeatDelay()));
  for (TDragScrollDirection* dir : {&FDragVert, &FDragHorz}) {
    TDragScrollDirection d = *dir;
    if (d == dsdNone) continue;
    bool can = true;
    if (OnDragScroll) OnDragScroll(this, TopRow(), LeftCol(), d, can);
    if (!can) continue;
    if (d == dsdUp && TopRow() > FixedRows()) SetTopRow(TopRow() - 1);
    if (d == dsdDown && TopRow() + VisibleRowCount() < RowCount()) SetTopRow(TopRow() + 1);
    if (d == dsdLeft && LeftCol() > FixedCols()) SetLeftCol(LeftCol() - 1);
    if (d == dsdRight && LeftCol() + VisibleColCount() < ColCount()) SetLeftCol(LeftCol() + 1);
  }
}

// --- Stretching ----------------------------------------------------------------------------------

void TProStringGrid::DoStretchColumn(int Index) {
  if (Index < -1 || Index >= ColCount()) throw std::out_of_range("Stretch column index out of range");
  if (Index == -1) Index = ColCount() - 1;
  if (ColCount() == 0 || !FColumnSize.Stretch() || FIsColChanging) return;
  FIsColChanging = true;
  const int client = ClientWidth();
  if (ColCount() == 1) {
    SetColWidths(0, client);
  } else {
    int others = 0;
    for (int c = 0; c < ColCount(); ++c)
      if (c != Index) others += ColWidths(c);
    if (others < client)
      SetColWidths(Index, client - others - 1);
    else if (LeftCol() == FixedCols())
      SetColWidths(Index, DefaultColWidth());
  }
  FIsColChanging = false;
}

void TProStringGrid::StretchIfWanted() {
  int index = FColumnSize.StretchColumn();
  if (!FColumnSize.Stretch() || FIsColChanging || index < -1 || index >= ColCount()) return;
  DoStretchColumn(index);
}

void TProStringGrid::ColWidthsChanged() {
  TBaseGrid::ColWidthsChanged();
  StretchIfWanted();
  if (!FColSized) return;
  // The widths set below are no user resize.
  FColSized = false;
  const int sized = FColClicked;
  if (sized >= 0 && sized < ColCount()) {
    const int width = ColWidths(sized);
    if (MouseActions().AllColumnSize() && FColClickedSize > 0) {
      const double factor = static_cast<double>(width) / FColClickedSize;
      for (int c = FixedCols(); c < ColCount(); ++c)
        if (c != sized) SetColWidths(c, static_cast<int>(std::lround(ColWidths(c) * factor)));
    }
    if (OnEndColumnSize) OnEndColumnSize(this, sized);
    int w = ColWidths(sized);
    UpdateColumnSize(sized, w);
    if (w != ColWidths(sized)) SetColWidths(sized, w);
  }
  FColClicked = FRowClicked = -1;
}

void TProStringGrid::RowHeightsChanged() {
  TBaseGrid::RowHeightsChanged();
  if (!FRowSized) return;
  FRowSized = false;
  const int sized = FRowClicked;
  if (sized >= 0 && sized < RowCount()) {
    if (MouseActions().AllRowSize() && FRowClickedSize > 0) {
      const double factor = static_cast<double>(RowHeights(sized)) / FRowClickedSize;
      for (int r = FixedRows(); r < RowCount(); ++r)
        if (r != sized) SetRowHeights(r, static_cast<int>(std::lround(RowHeights(r) * factor)));
    }
    if (OnEndRowSize) OnEndRowSize(this, sized);
  }
  FColClicked = FRowClicked = -1;
}

bool TProStringGrid::IsSizingBorder(int X, int Y) const {
  const TGridCoord cell = MouseToCell(X, Y);
  if (cell.X < 0 || cell.Y < 0) return false;
  const TRect r = CellRect(cell.X, cell.Y);
  bool result = false;
  if (cell.Y <= FixedRows() && (Options() & goColSizing))
    result = std::abs(X - r.Left) < 4 || std::abs(r.Right - X) < 4;
  if (cell.X <= FixedCols() && (Options() & goRowSizing))
    result = std::abs(Y - r.Top) < 4 || std::abs(r.Bottom - Y) < 4;
  return result;
}

// --- Update lock ---------------------------------------------------------------------------------

void TProStringGrid::BeginUpdate() {
  if (!Visible()) return;
  if (FUpdateCount++ == 0) SetRedraw(false);
}

void TProStringGrid::EndUpdate() {
  if (!Visible() || FUpdateCount == 0) return;
  if (--FUpdateCount == 0) {
    SetRedraw(true);
    Invalidate();
  }
}
