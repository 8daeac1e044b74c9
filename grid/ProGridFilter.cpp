// Filtering: the conditions are read once per apply and the failing rows hidden in one batch as a
// new filter level; levels stack and come back newest first.
#include "controls/FilterCondition.h"
#include "controls/ProUtilCellText.h"
#include "grid/ProGrid.h"
#include "platform/SysUtils.h"

#include <cmath>

namespace {

std::string AsciiUpper(std::string s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return s;
}

// One condition as an apply uses it.
struct TCondition {
  int Column;
  std::string Condition;
  std::string UpperCondition; // fcRow
  bool CaseSensitive;
  std::string Prefix, Suffix;
  TFilterOperation Operation;
  TFilterCells Data;
  TFilterMethod Method;
};

std::vector<TCondition> ReadConditions(const TFilter& f) {
  std::vector<TCondition> out;
  out.reserve(static_cast<size_t>(f.Count()));
  for (int i = 0; i < f.Count(); ++i) {
    const TFilterData* d = f.Items(i);
    out.push_back({d->Column(), d->Condition(), AsciiUpper(d->Condition()), d->CaseSensitive(), d->Prefix(),
                   d->Suffix(), d->Operation(), d->Data(), d->Method()});
  }
  return out;
}

} // namespace

namespace {

bool MatchConditions(TProStringGrid& g, const std::vector<TCondition>& conditions, int ARow) {
  bool result = true;
  for (const TCondition& c : conditions) {
    bool stop = false;
    std::string text;
    switch (c.Data) {
    case fcVirtual:
      text = g.Cells(c.Column, ARow);
      break;
    case fcNormal:
      text = g.GridCells(c.Column, ARow);
      break;
    case fcStripHTML:
      text = g.StrippedCells(c.Column, ARow);
      break;
    case fcCalculated:
      text = g.GetCalculatedCell(c.Column, ARow);
      break;
    case fcRow:
      for (int col = 0; col < g.TotalColCount(); ++col)
        text += g.Cells(col, ARow) + "\n";
      break;
    }
    text = std::string(Trim(text));
    if (text.find("|\\") != std::string::npos) text = DecodeWideCellText(text);
    bool match = false;
    if (c.Data == fcRow) {
      match = !c.Condition.empty() && AsciiUpper(text).find(c.UpperCondition) != std::string::npos;
    } else {
      if (!c.Prefix.empty() && text.rfind(c.Prefix, 0) == 0) text.erase(0, c.Prefix.size());
      if (!c.Suffix.empty()) {
        const size_t p = text.find(c.Suffix);
        if (p != std::string::npos && p + c.Suffix.size() == text.size()) text.erase(p);
      }
      if (c.Condition.empty())
        match = true;
      else if (c.Method == fmLiteral)
        match = c.Condition == text;
      else
        try {
          match = MatchFilterCondition(c.Condition, text, c.CaseSensitive);
        } catch (...) {
          match = false; // a condition the matcher cannot read fails
        }
    }
    switch (c.Operation) {
    case foSHORT:
      result = match;
      stop = !match; // a failing short condition ends the evaluation
      break;
    case foNONE:
      result = match;
      break;
    case foAND:
      result = result && match;
      break;
    case foXOR:
      result = result != match;
      break;
    case foOR:
      result = result || match;
      break;
    }
    if (stop) break;
  }
  if (g.OnCustomFilter) g.OnCustomFilter(&g, ARow, result);
  return result;
}

} // namespace

bool TProStringGrid::MatchFilter(int ARow) {
  return MatchConditions(*this, ReadConditions(*FFilter), ARow);
}

void TProStringGrid::FilterRow(int ARow) {
  if (ARow >= 0 && ARow < RowCount() && !MatchFilter(ARow)) HideRow(DisplToRealRow(ARow));
}

void TProStringGrid::ApplyFilter() {
  FFilterFixedRows = FixedRows();
  const int first = FixedRows(), last = RowCount() - FFixedFooters - 1;
  const int total = last - first + 1;
  const std::vector<TCondition> conditions = ReadConditions(*FFilter);
  std::vector<int> failing;
  int tested = 0, progress = -1;
  auto report = [&] {
    if (!OnFilterProgress || total <= 0) return;
    const int p = static_cast<int>(std::lround(100.0 * tested / total));
    if (p != progress) OnFilterProgress(this, static_cast<short>(p));
    progress = p;
  };
  for (int r = first; r <= last; ++r) {
    if (FFilterNormalCellsOnly && HasNodes() && (IsNode(r) || IsSummary(r))) continue;
    if (!MatchConditions(*this, conditions, r)) failing.push_back(r);
    ++tested;
    report();
  }
  HideRowList(failing);
  if (OnFilterProgress && total > 0) OnFilterProgress(this, static_cast<short>(std::max(progress, 0)));
}

void TProStringGrid::SetFilterActive(bool Value) {
  if (Value != FFilterActive) {
    FFilterActive = Value;
    if (Value) {
      if (Row() >= RowCount() || Col() >= ColCount()) FocusCell(FixedCols(), FixedRows());
      BeginUpdate();
      ApplyFilter();
      EndUpdate();
    } else {
      UnHideRowList();
      if (FFilterFixedRows < RowCount()) SetFixedRows(FFilterFixedRows);
      if (SelectionHidden()) UnHideSelection();
    }
    if (RowCount() > FixedRows()) SetTopRow(FixedRows());
  }
  CalcFooter(-1);
}

bool TProStringGrid::RemoveLastFilter() {
  if (FFilterLevel <= 0) return false;
  UnHideRowList();
  if (FFilterFixedRows < RowCount()) SetFixedRows(FFilterFixedRows);
  if (SelectionHidden()) UnHideSelection();
  CalcFooter(-1);
  --FFilterLevel;
  return FFilterLevel > 1;
}

void TProStringGrid::RemoveAllFilters() {
  if (FFilterLevel <= 0) {
    FFilter->Clear();
    return;
  }
  while (FFilterLevel > 0)
    RemoveLastFilter();
}

void TProStringGrid::NarrowDown(const std::string& ACondition, int AColumn) {
  SetFixedRowAlways(true);
  auto single = [&](bool quote) {
    FFilter->Clear();
    TFilterData* f = FFilter->Add();
    f->SetCaseSensitive(false);
    f->SetColumn(AColumn);
    if (AColumn == -1) {
      f->SetData(fcRow);
      f->SetCondition(ACondition);
    } else {
      f->SetData(fcNormal);
      std::string c = "*" + ACondition + "*";
      if (quote && c.find(' ') != std::string::npos) c = "\"" + c + "\"";
      f->SetCondition(c);
    }
    ApplyFilter();
  };
  const size_t n = ACondition.size(), last = FLastFilter.size();
  if (!FLastFilter.empty() && n == last + 1 && ACondition.compare(0, last, FLastFilter) == 0) {
    single(true);
  } else if (!ACondition.empty() && n + 1 == last && FLastFilter.compare(0, n, ACondition) == 0) {
    RemoveLastFilter();
  } else {
    RemoveAllFilters();
    if (!ACondition.empty()) single(false);
  }
  FLastFilter = ACondition;
  if (ACondition.empty() && NumHiddenRows() > 0) UnHideRowsAll();
}
