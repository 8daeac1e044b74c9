#include "platform/ui/GridsCells.h"

#include <algorithm>
#include <numeric>

namespace {

size_t At(int i) {
  return static_cast<size_t>(i);
}

template <class T> void Rotate(std::vector<T>& v, int from, int to) {
  if (from < to)
    std::rotate(v.begin() + from, v.begin() + from + 1, v.begin() + to + 1);
  else
    std::rotate(v.begin() + to, v.begin() + from, v.begin() + from + 1);
}
} // namespace

int TGridCellLine::Count() const {
  return FColumn ? FStore->RowCount() : FStore->ColCount();
}

const std::string& TGridCellLine::operator[](int i) const {
  return FColumn ? FStore->Text(FIndex, i) : FStore->Text(i, FIndex);
}

std::vector<std::string> TGridCellLine::ToVector() const {
  std::vector<std::string> out;
  const bool valid = FIndex >= 0 && (FColumn ? FIndex < FStore->Capacity() : FIndex < FStore->RowCount());
  if (!valid) return out;
  out.reserve(At(Count()));
  for (const std::string& s : *this)
    out.push_back(s);
  return out;
}

void TGridCellStore::Resize(int colCount, int rowCount) {
  colCount = std::max(0, colCount);
  rowCount = std::max(0, rowCount);
  if (rowCount < FRowCount) {
    // Keep the surviving rows in display order and let the permutation start afresh, so storage
    // never holds rows that are gone. Dropped rows let go of their sources undecoded.
    for (int r = rowCount; r < FRowCount && FLazyCount; ++r)
      Forget(At(FOrder[At(r)]));
    std::vector<RowData> kept(At(rowCount));
    for (int r = 0; r < rowCount; ++r)
      kept[At(r)] = std::move(FRows[At(FOrder[At(r)])]);
    FRows = std::move(kept);
    if (!FLazy.empty()) {
      std::vector<Lazy> lazy(At(rowCount));
      for (int r = 0; r < rowCount; ++r)
        lazy[At(r)] = FLazy[At(FOrder[At(r)])];
      FLazy = std::move(lazy);
    }
    FOrder.resize(At(rowCount));
    std::iota(FOrder.begin(), FOrder.end(), 0);
  } else if (rowCount > FRowCount) {
    FRows.resize(At(rowCount));
    if (!FLazy.empty()) FLazy.resize(At(rowCount));
    FOrder.reserve(At(rowCount));
    for (int r = FRowCount; r < rowCount; ++r)
      FOrder.push_back(r);
  }
  FRowCount = rowCount;
  FColCount = colCount;
  FCapacity = std::max(FCapacity, colCount);
}

void TGridCellStore::SetCapacity(int columns) {
  columns = std::max(columns, FColCount);
  if (columns < FCapacity) DecodeAll();
  if (columns < FCapacity)
    for (RowData& r : FRows)
      if (r.size() > At(columns)) r.resize(At(columns));
  FCapacity = columns;
}

TGridCellStore::Cell* TGridCellStore::Touch(int col, int row) {
  RowData& r = Stored(row);
  if (r.size() <= At(col)) r.resize(At(std::max(col + 1, FColCount)));
  return &r[At(col)];
}

void TGridCellStore::SetText(int col, int row, std::string&& value) {
  if (!InStore(col, row)) return;
  if (value.empty() && !Find(col, row)) return;
  Touch(col, row)->Text = std::move(value);
}

bool TGridCellStore::ChangeText(int col, int row, const std::string& value) {
  if (!InStore(col, row)) return false;
  if (Cell* c = const_cast<Cell*>(Find(col, row))) {
    if (c->Text == value) return false;
    c->Text = value;
    return true;
  }
  if (value.empty()) return false;
  Touch(col, row)->Text = value;
  return true;
}

void TGridCellStore::SetObject(int col, int row, TObject* value) {
  if (!InStore(col, row)) return;
  if (!value && !Find(col, row)) return;
  Touch(col, row)->Object = value;
}

std::vector<std::string> TGridCellStore::RowTexts(int row) const {
  return Row(row).ToVector();
}

std::vector<std::string> TGridCellStore::ColTexts(int col) const {
  return Col(col).ToVector();
}

void TGridCellStore::SetRowTexts(int row, const std::vector<std::string>& texts) {
  if (row < 0 || row >= FRowCount) return;
  for (int c = 0; c < FColCount; ++c)
    SetText(c, row, At(c) < texts.size() ? texts[At(c)] : std::string());
}

void TGridCellStore::SetColTexts(int col, const std::vector<std::string>& texts) {
  if (col < 0 || col >= FCapacity) return;
  for (int r = 0; r < FRowCount; ++r)
    SetText(col, r, At(r) < texts.size() ? texts[At(r)] : std::string());
}

void TGridCellStore::MoveColumn(int fromIndex, int toIndex) {
  if (fromIndex < 0 || toIndex < 0 || fromIndex >= FCapacity || toIndex >= FCapacity || fromIndex == toIndex)
    return;
  const size_t need = At(std::max(fromIndex, toIndex) + 1);
  // A lazy row's fields go to the columns they went to at its load.
  DecodeAll();
  for (RowData& r : FRows) {
    if (r.empty()) continue;
    if (r.size() < need) r.resize(need);
    Rotate(r, fromIndex, toIndex);
  }
}

void TGridCellStore::MoveRow(int fromIndex, int toIndex) {
  if (fromIndex < 0 || toIndex < 0 || fromIndex >= FRowCount || toIndex >= FRowCount || fromIndex == toIndex)
    return;
  Rotate(FOrder, fromIndex, toIndex);
}

bool TGridCellStore::PermuteRows(const std::vector<int>& order) {
  if (order.size() != At(FRowCount)) return false;
  std::vector<bool> seen(order.size(), false);
  std::vector<int> next(order.size());
  for (size_t i = 0; i < order.size(); ++i) {
    const int from = order[i];
    if (from < 0 || from >= FRowCount || seen[At(from)]) return false;
    seen[At(from)] = true;
    next[i] = FOrder[At(from)];
  }
  FOrder = std::move(next);
  return true;
}

TGridCellRow TGridCellStore::TakeRow(int row) {
  if (row < 0 || row >= FRowCount) return {};
  RowData& r = Stored(row);
  RowData out = std::move(r);
  r.clear();
  return out;
}

void TGridCellStore::PutRow(int row, TGridCellRow cells) {
  if (row < 0 || row >= FRowCount) return;
  if (cells.size() > At(FCapacity)) cells.resize(At(FCapacity));
  const size_t at = At(FOrder[At(row)]);
  if (FLazyCount) Forget(at);
  FRows[at] = std::move(cells);
}

void TGridCellStore::Clear() {
  for (RowData& r : FRows)
    r = RowData();
  FLazy.clear();
  FSources.clear();
  FLazyCount = 0;
}

void TGridCellStore::PutLazyRows(int row, std::shared_ptr<const TGridRowSource> source,
                                 std::span<const TGridLazyRow> rows) {
  if (row < 0 || !source) return;
  const size_t n = std::min(rows.size(), At(std::max(0, FRowCount - row)));
  if (n == 0) return;
  if (FLazy.empty()) FLazy.resize(FRows.size());
  // A freed slot is taken again, so the slots stay as few as the sources rows still need.
  std::int32_t slot = 0;
  while (At(slot) < FSources.size() && FSources[At(slot)].Rows)
    ++slot;
  if (At(slot) == FSources.size()) FSources.emplace_back();
  const std::vector<int>& columns = source->Columns();
  FSources[At(slot)].Rows = std::move(source);
  // Fields of an earlier lazy row that the new one writes again, to the same columns, need not
  // be decoded: how far two sources' columns agree is found once per pair.
  std::int32_t compared = -1;
  std::size_t agree = 0;
  for (size_t k = 0; k < n; ++k) {
    const size_t at = At(FOrder[At(row) + k]);
    Lazy& lazy = FLazy[at];
    if (lazy.Source >= 0) {
      if (lazy.Source != compared) {
        compared = lazy.Source;
        const std::vector<int>& old = FSources[At(compared)].Rows->Columns();
        agree = static_cast<size_t>(
            std::mismatch(old.begin(),
                          old.begin() + static_cast<std::ptrdiff_t>(std::min(old.size(), columns.size())),
                          columns.begin())
                .first -
            old.begin());
      }
      const auto fields = static_cast<size_t>(std::max(0, lazy.Row.Fields));
      if (lazy.Row.Fields <= rows[k].Fields && fields <= agree)
        Forget(at);
      else
        Decode(at);
    }
    lazy.Row = rows[k];
    lazy.Source = slot;
  }
  FSources[At(slot)].Count += static_cast<int>(n);
  FLazyCount += static_cast<int>(n);
}

void TGridCellStore::Decode(size_t at) const {
  Lazy& lazy = FLazy[at];
  const std::int32_t source = lazy.Source;
  lazy.Source = -1;
  --FLazyCount;
  RowData& cells = FRows[at];
  FSources[At(source)].Rows->Decode(lazy.Row, cells, FColCount);
  if (cells.size() > At(FCapacity)) cells.resize(At(FCapacity));
  Release(source);
}

void TGridCellStore::DecodeAll() const {
  for (size_t at = 0; FLazyCount && at < FLazy.size(); ++at)
    if (FLazy[at].Source >= 0) Decode(at);
}

void TGridCellStore::Forget(size_t at) const {
  Lazy& lazy = FLazy[at];
  if (lazy.Source < 0) return;
  const std::int32_t source = lazy.Source;
  lazy.Source = -1;
  --FLazyCount;
  Release(source);
}

void TGridCellStore::Release(std::int32_t source) const {
  Source& s = FSources[At(source)];
  if (--s.Count == 0) s.Rows.reset();
}
