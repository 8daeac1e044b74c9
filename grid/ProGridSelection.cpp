// The selected rectangle, rows and columns picked one by one, modified and enabled rows, and the
// repaint helpers.
#include "grid/ProGrid.h"

#include <algorithm>

namespace {
// The flag at i, the list grown with false up to it.
char& Flag(std::vector<char>& flags, int i) {
  if (static_cast<int>(flags.size()) <= i) flags.resize(i + 1, 0);
  return flags[i];
}
} // namespace

void TProStringGrid::FocusCell(int ACol, int ARow) {
  SetSelection({ACol, ARow, ACol, ARow});
}

void TProStringGrid::SelectRange(int FromCol, int ToCol, int FromRow, int ToRow) {
  SetRow(ToRow);
  SetCol(ToCol);
  SetSelection({FromCol, FromRow, ToCol, ToRow});
}

void TProStringGrid::SelectRows(int RowIndex, int RCount) {
  RCount = std::min(RCount, RowCount() - RowIndex);
  if (RCount <= 0 || RowIndex < 0) return;
  if (!FMouseActions->DisjunctRowSelect()) {
    SetSelection({FixedCols(), RowIndex, ColCount() - 1, RowIndex + RCount - 1});
    return;
  }
  for (int r = RowIndex; r < RowIndex + RCount && r < RowCount(); ++r)
    SetRowSelect(FMouseActions->RowSelectPersistent() ? RealRowIndex(r) : r, true);
}

void TProStringGrid::UnSelectRows(int RowIndex, int RCount) {
  if (!FMouseActions->DisjunctRowSelect() || RowIndex < 0) return;
  for (int r = RowIndex; r < RowIndex + RCount && r < RowCount(); ++r)
    SetRowSelect(FMouseActions->RowSelectPersistent() ? RealRowIndex(r) : r, false);
}

void TProStringGrid::SelectCols(int ColIndex, int CCount) {
  if (CCount <= 0 || ColIndex < 0) return;
  if (!FMouseActions->DisjunctColSelect()) {
    SetSelection({ColIndex, FixedRows(), std::min(ColIndex + CCount, ColCount()) - 1, RowCount() - 1});
    return;
  }
  for (int c = ColIndex; c < ColIndex + CCount && c < ColCount(); ++c)
    SetColSelect(c, true);
}

void TProStringGrid::UnSelectCols(int ColIndex, int CCount) {
  if (!FMouseActions->DisjunctColSelect() || ColIndex < 0) return;
  for (int c = ColIndex; c < ColIndex + CCount && c < ColCount(); ++c)
    SetColSelect(c, false);
}

bool TProStringGrid::RowSelect(int ARow) {
  if (!FMouseActions->RowSelectPersistent() && (ARow < 0 || ARow >= TotalRowCount()))
    throw EProGridError("Invalid row " + std::to_string(ARow) + " accessed");
  if (FMouseActions->DisjunctRowSelect()) return ARow >= 0 && Flag(FRowSelect, ARow);
  TGridRect s = Selection();
  return ARow >= std::min(s.Top, s.Bottom) && ARow <= std::max(s.Top, s.Bottom);
}

void TProStringGrid::SetRowSelect(int ARow, bool Value) {
  if (ARow < 0 || (ARow >= TotalRowCount() && RowCount() > FixedRows()))
    throw EProGridError("Invalid row accessed");
  bool beyond = ARow >= static_cast<int>(FRowSelect.size());
  if (beyond || (FRowSelect[ARow] != 0) != Value) {
    bool allow = true;
    if (OnRowDisjunctSelect) OnRowDisjunctSelect(this, ARow, Value, allow);
    if (!allow) return;
  }
  char& flag = Flag(FRowSelect, ARow);
  if (Value && !flag) {
    RepaintRow(ARow);
    flag = 1;
    if (ARow >= FixedRows()) FSelectedRows.push_back(ARow); // the flag says whether it is listed
  } else if (!Value && flag) {
    RepaintRow(ARow);
    flag = 0;
    auto it = std::find(FSelectedRows.begin(), FSelectedRows.end(), ARow);
    if (it != FSelectedRows.end()) FSelectedRows.erase(it);
  }
  if (OnRowDisjunctSelected) OnRowDisjunctSelected(this, ARow);
}

bool TProStringGrid::ColSelect(int ACol) {
  if (ACol < 0 || ACol >= ColCount()) throw EProGridError("Invalid column accessed");
  return Flag(FColSelect, ACol) != 0;
}

void TProStringGrid::SetColSelect(int ACol, bool Value) {
  if (ACol < 0 || ACol >= ColCount()) throw EProGridError("Invalid column accessed");
  char& flag = Flag(FColSelect, ACol);
  if ((flag != 0) != Value) RepaintCol(ACol);
  flag = Value ? 1 : 0;
}

void TProStringGrid::ClearRowSelect() {
  for (size_t r = 0; r < FRowSelect.size(); ++r)
    if (FRowSelect[r]) {
      RepaintRow(static_cast<int>(r));
      FRowSelect[r] = 0;
    }
  FSelectedRows.clear();
}

void TProStringGrid::ClearColSelect() {
  for (size_t c = 0; c < FColSelect.size(); ++c)
    if (FColSelect[c]) {
      RepaintCol(static_cast<int>(c));
      FColSelect[c] = 0;
    }
}

int TProStringGrid::RowSelectCount() const {
  if (FMouseActions->DisjunctRowSelect()) {
    size_t n = std::min(FRowSelect.size(), static_cast<size_t>(std::max(0, TotalRowCount())));
    return static_cast<int>(std::count(FRowSelect.begin(), FRowSelect.begin() + n, 1));
  }
  TGridRect s = Selection();
  return std::abs(s.Bottom - s.Top) + 1;
}

int TProStringGrid::ColSelectCount() const {
  if (FMouseActions->DisjunctColSelect())
    return static_cast<int>(std::count(FColSelect.begin(), FColSelect.end(), 1));
  TGridRect s = Selection();
  return s.Right - s.Left + 1;
}

void TProStringGrid::SyncRowSelect(bool All) {
  TGridRect s = Selection();
  s.Bottom = std::min(s.Bottom, RowCount() - FFixedFooters - 1);
  for (int r = FixedRows(); r < RowCount(); ++r) {
    bool inside = r >= s.Top && r <= s.Bottom;
    if (inside || All) SetRowSelect(FMouseActions->RowSelectPersistent() ? RealRowIndex(r) : r, inside);
  }
  if (NumHiddenRows() > 0) Invalidate();
}

void TProStringGrid::SyncColSelect(bool All) {
  TGridRect s = Selection();
  for (int c = FixedCols(); c < ColCount(); ++c) {
    bool inside = c >= s.Left && c <= s.Right;
    if (inside || All) SetColSelect(c, inside);
  }
}

// --- Modified and enabled rows -------------------------------------------------------------------

bool TProStringGrid::RowModified(int ARow) const {
  return ARow >= 0 && ARow < static_cast<int>(FModifiedRows.size()) && FModifiedRows[ARow];
}

void TProStringGrid::SetRowModified(int ARow, bool Value) {
  if (ARow < 0) return;
  Flag(FModifiedRows, ARow) = Value ? 1 : 0;
  RepaintCell(0, ARow);
}

int TProStringGrid::ModifiedRowCount() const {
  return static_cast<int>(std::count(FModifiedRows.begin(), FModifiedRows.end(), 1));
}

bool TProStringGrid::RowEnabled(int ARow) const {
  return ARow < 0 || ARow >= static_cast<int>(FDisabledRows.size()) || !FDisabledRows[ARow];
}

void TProStringGrid::SetRowEnabled(int ARow, bool Value) {
  if (ARow < 0) return;
  if (ARow == Row() && !Value)
    for (int r = FixedRows(); r < RowCount(); ++r)
      if (r != ARow && RowEnabled(r)) {
        SetRow(r);
        break;
      }
  FUseEnabledRows = true;
  Flag(FDisabledRows, ARow) = Value ? 0 : 1;
  RepaintRow(ARow);
}

// --- Repainting ----------------------------------------------------------------------------------

void TProStringGrid::RepaintRow(int ARow) {
  if (ARow >= 0 && ARow < RowCount()) InvalidateRow(ARow);
}

void TProStringGrid::RepaintCol(int ACol) {
  if (ACol >= 0 && ACol < ColCount()) InvalidateCol(ACol);
}

void TProStringGrid::RepaintRect(const TRect& R) {
  if (R.Left < 0 || R.Top < 0 || R.Right < 0 || R.Bottom < 0) return;
  TRect a = CellRect(R.Left, R.Top);
  TRect b = CellRect(std::min(VisibleColCount() + FixedCols(), R.Right), R.Bottom);
  if (a.Width() <= 0 || b.Width() <= 0) {
    Invalidate();
    return;
  }
  InvalidateRect({std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
                  std::max(a.Bottom, b.Bottom)});
}
