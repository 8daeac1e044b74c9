#include "platform/ui/GridsCells.h"

#include <algorithm>

namespace {
const std::string EmptyText;

template <class T> void Rotate(std::vector<T>& v, int from, int to) {
  if (from < to)
    std::rotate(v.begin() + from, v.begin() + from + 1, v.begin() + to + 1);
  else
    std::rotate(v.begin() + to, v.begin() + from, v.begin() + from + 1);
}
} // namespace

void TGridCellStore::Resize(int colCount, int rowCount) {
  colCount = std::max(0, colCount);
  rowCount = std::max(0, rowCount);
  FRows.resize(static_cast<size_t>(rowCount));
  if (colCount < FColCount) {
    for (RowData& r : FRows) {
      if (r.Texts.size() > static_cast<size_t>(colCount)) r.Texts.resize(static_cast<size_t>(colCount));
      if (r.Objects.size() > static_cast<size_t>(colCount)) r.Objects.resize(static_cast<size_t>(colCount));
    }
  }
  FColCount = colCount;
  FRowCount = rowCount;
}

TGridCellStore::RowData& TGridCellStore::Touch(int row, int col) {
  RowData& r = FRows[static_cast<size_t>(row)];
  if (r.Texts.size() <= static_cast<size_t>(col)) r.Texts.resize(static_cast<size_t>(FColCount));
  if (r.Objects.size() <= static_cast<size_t>(col)) r.Objects.resize(static_cast<size_t>(FColCount), nullptr);
  return r;
}

const std::string& TGridCellStore::Text(int col, int row) const {
  if (col < 0 || row < 0 || col >= FColCount || row >= FRowCount) return EmptyText;
  const RowData& r = FRows[static_cast<size_t>(row)];
  return static_cast<size_t>(col) < r.Texts.size() ? r.Texts[static_cast<size_t>(col)] : EmptyText;
}

void TGridCellStore::SetText(int col, int row, std::string value) {
  if (col < 0 || row < 0 || col >= FColCount || row >= FRowCount) return;
  RowData& r = FRows[static_cast<size_t>(row)];
  if (value.empty() && static_cast<size_t>(col) >= r.Texts.size()) return;
  if (r.Texts.size() <= static_cast<size_t>(col)) r.Texts.resize(static_cast<size_t>(FColCount));
  r.Texts[static_cast<size_t>(col)] = std::move(value);
}

TObject* TGridCellStore::Object(int col, int row) const {
  if (col < 0 || row < 0 || col >= FColCount || row >= FRowCount) return nullptr;
  const RowData& r = FRows[static_cast<size_t>(row)];
  return static_cast<size_t>(col) < r.Objects.size() ? r.Objects[static_cast<size_t>(col)] : nullptr;
}

void TGridCellStore::SetObject(int col, int row, TObject* value) {
  if (col < 0 || row < 0 || col >= FColCount || row >= FRowCount) return;
  RowData& r = FRows[static_cast<size_t>(row)];
  if (!value && static_cast<size_t>(col) >= r.Objects.size()) return;
  if (r.Objects.size() <= static_cast<size_t>(col)) r.Objects.resize(static_cast<size_t>(FColCount), nullptr);
  r.Objects[static_cast<size_t>(col)] = value;
}

std::vector<std::string> TGridCellStore::RowTexts(int row) const {
  std::vector<std::string> out;
  if (row < 0 || row >= FRowCount) return out;
  out.reserve(static_cast<size_t>(FColCount));
  for (int c = 0; c < FColCount; ++c)
    out.push_back(Text(c, row));
  return out;
}

void TGridCellStore::SetRowTexts(int row, const std::vector<std::string>& texts) {
  if (row < 0 || row >= FRowCount) return;
  for (int c = 0; c < FColCount; ++c)
    SetText(c, row, static_cast<size_t>(c) < texts.size() ? texts[static_cast<size_t>(c)] : std::string());
}

std::vector<std::string> TGridCellStore::ColTexts(int col) const {
  std::vector<std::string> out;
  if (col < 0 || col >= FColCount) return out;
  out.reserve(static_cast<size_t>(FRowCount));
  for (int r = 0; r < FRowCount; ++r)
    out.push_back(Text(col, r));
  return out;
}

void TGridCellStore::SetColTexts(int col, const std::vector<std::string>& texts) {
  if (col < 0 || col >= FColCount) return;
  for (int r = 0; r < FRowCount; ++r)
    SetText(col, r, static_cast<size_t>(r) < texts.size() ? texts[static_cast<size_t>(r)] : std::string());
}

void TGridCellStore::MoveColumn(int fromIndex, int toIndex) {
  if (fromIndex < 0 || toIndex < 0 || fromIndex >= FColCount || toIndex >= FColCount || fromIndex == toIndex)
    return;
  int need = std::max(fromIndex, toIndex);
  for (int row = 0; row < FRowCount; ++row) {
    RowData& r = FRows[static_cast<size_t>(row)];
    if (r.Texts.empty() && r.Objects.empty()) continue;
    Touch(row, need);
    Rotate(r.Texts, fromIndex, toIndex);
    Rotate(r.Objects, fromIndex, toIndex);
  }
}

void TGridCellStore::MoveRow(int fromIndex, int toIndex) {
  if (fromIndex < 0 || toIndex < 0 || fromIndex >= FRowCount || toIndex >= FRowCount || fromIndex == toIndex)
    return;
  Rotate(FRows, fromIndex, toIndex);
}

void TGridCellStore::Clear() {
  for (RowData& r : FRows) {
    r.Texts.clear();
    r.Objects.clear();
  }
}
