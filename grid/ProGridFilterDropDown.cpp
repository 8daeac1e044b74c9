// The header filter list: opened by a release on a filter button of the filter row, filled from
// the column's filter entries, and what a pick does to the column's condition.
#include "grid/FilterDropCheckList.h"
#include "grid/FilterDropList.h"
#include "grid/ProGrid.h"

#include <algorithm>

namespace {

// The shown part of a filter entry and its condition: before and after the first "=".
void SplitFilterEntry(const std::string& Entry, std::string& Name, std::string& Condition) {
  const size_t eq = Entry.find('=');
  Name = eq == std::string::npos ? Entry : Entry.substr(0, eq);
  Condition = eq == std::string::npos ? Entry : Entry.substr(eq + 1);
}

constexpr int EdgeSize = 2; // the list's sunken frame on each side

} // namespace

TDropList* TProStringGrid::DropList() {
  if (!FDropList) {
    FDropList = new TDropList(this);
    FDropList->OnSelect = [this](TObject*, int ItemIndex) {
      FilterSelect(FFilterCol, ItemIndex);
      FFilterCol = -1;
    };
    FDropList->OnCancel = [this](TObject*) { FFilterCol = -1; };
  }
  return FDropList;
}

TDropCheckList* TProStringGrid::DropCheckList() {
  if (!FDropCheckList) {
    FDropCheckList = new TDropCheckList(this);
    FDropCheckList->OnSelect = [this](TObject*, int ItemIndex) { FilterCheck(ItemIndex); };
    FDropCheckList->OnCancel = [this](TObject*) { FFilterCol = -1; };
  }
  return FDropCheckList;
}

void TProStringGrid::FilterListRelease(int X, int Y) {
  const TGridCoord cell = MouseToCell(X, Y);
  if (FFilterRow >= 0 && cell.Y == FFilterRow && cell.X >= 0 && cell.X < ColCount()) {
    const int rc = RealColIndex(cell.X);
    const TRect r = CellRect(cell.X, cell.Y);
    if (rc != FFilterCol && X > r.Right - 16 && Y < r.Top + 19 && X < r.Right - 3 && GetColumnFilter(rc)) {
      OpenFilterList(rc, cell.X, r);
      return;
    }
  }
  if (FDropList && FDropList->Visible()) FDropList->SetVisible(false);
  FFilterCol = -1;
}

void TProStringGrid::OpenFilterList(int RealCol, int DisplayCol, const TRect& CellR) {
  FFilterCol = RealCol;
  TWinControl* shown = nullptr;
  int count = 0, itemHeight = 0;
  TBitmap measure(1, 1);
  measure.Canvas().Font().Assign(FFilterDropDown.Font());
  int widest = 0;
  if (FFilterDropDownCheck) {
    TDropCheckList& list = *DropCheckList();
    list.SetColor(FFilterDropDown.Color());
    list.Font().Assign(FFilterDropDown.Font());
    list.Clear();
    for (const std::string& entry : FFilterList) {
      std::string name, condition;
      SplitFilterEntry(entry, name, condition);
      list.Add(name);
      const std::string quoted = name.find(' ') != std::string::npos ? "\"" + name + "\"" : name;
      for (int i = 0; i < FFilter->Count(); ++i) {
        const TFilterData* f = FFilter->Items(i);
        if (f->Column() == RealCol && f->Condition() == quoted) list.SetChecked(list.Count() - 1, true);
      }
      widest = std::max(widest, measure.Canvas().TextWidth(name) + 8);
    }
    shown = &list;
    count = list.Count();
    itemHeight = list.ItemHeight();
  } else {
    TDropList& list = *DropList();
    list.SetColor(FFilterDropDown.Color());
    list.Font().Assign(FFilterDropDown.Font());
    list.Items().Clear();
    for (const std::string& entry : FFilterList) {
      std::string name, condition;
      SplitFilterEntry(entry, name, condition);
      list.Items().Add(name);
      widest = std::max(widest, measure.Canvas().TextWidth(name) + 8);
    }
    list.SetItemIndex(list.Items().Count() > 0 ? 0 : -1);
    shown = &list;
    count = list.Items().Count();
    itemHeight = list.ItemHeight();
  }
  TWinControl& list = *shown;

  int width = FFilterDropDown.Width(), height = FFilterDropDown.Height();
  if (FFilterDropDown.AutoSize()) {
    height = count * itemHeight + 2 * EdgeSize;
    width = widest + 2 * EdgeSize;
  }
  int left = CellR.Right - 16;
  const int top = CellR.Top + 16;
  if (FFilterDropDown.ColumnWidth()) {
    left = CellR.Left;
    width = CellR.Right - CellR.Left;
  }
  if (left + width > Width()) left = std::max(0, CellRect(DisplayCol, 0).Right - width);
  list.SetParent(this);
  list.SetBounds(left, top, width, height);
  list.SetVisible(true);
  if (list.CanFocus()) list.SetFocus();
}

void TProStringGrid::FilterSelect(int FilterCol, int ItemIndex) {
  if (CanFocus()) SetFocus();
  if (FilterCol < 0 || FilterCol >= TotalColCount()) return;
  GetColumnFilter(FilterCol);
  if (ItemIndex < 0 || ItemIndex >= static_cast<int>(FFilterList.size())) return;
  std::string name, condition;
  SplitFilterEntry(FFilterList[static_cast<size_t>(ItemIndex)], name, condition);
  if (FAutoFilterUpdate) SetFilterActive(false);
  if (condition == FFilterDropDownClear) condition.clear();
  if (OnFilterSelect) OnFilterSelect(this, FilterCol, ItemIndex, name, condition);
  if (!condition.empty())
    FFilter->ColumnFilter(FilterCol)->SetCondition(condition);
  else
    FFilter->RemoveColumnFilter(FilterCol);
  if (FAutoFilterUpdate) {
    SetFixedRowAlways(true);
    SetFilterActive(true);
    if (RowCount() != FixedRows() && RowCount() != 1) SetRow(FixedRows());
    FilterDone();
  }
}

void TProStringGrid::FilterCheck(int) {
  if (FFilterCol < 0 || FFilterCol >= TotalColCount() || !FDropCheckList) return;
  GetColumnFilter(FFilterCol);
  if (FAutoFilterUpdate) SetFilterActive(false);
  // A choice in the check list replaces the conditions of every column.
  FFilter->Clear();
  bool first = true;
  const int n = std::min(FDropCheckList->Count(), static_cast<int>(FFilterList.size()));
  for (int i = 0; i < n; ++i) {
    if (!FDropCheckList->Checked(i)) continue;
    std::string name, condition;
    SplitFilterEntry(FFilterList[static_cast<size_t>(i)], name, condition);
    if (condition == FFilterDropDownClear) condition.clear();
    if (OnFilterCheck) OnFilterCheck(this, FFilterCol, i, name, condition, FDropCheckList);
    TFilterData* f = FFilter->Add();
    f->SetColumn(FFilterCol);
    f->SetCondition(condition);
    f->SetOperation(first ? foNONE : foOR);
    first = false;
  }
  SetFilterActive(true);
  FDropCheckList->Invalidate();
}
