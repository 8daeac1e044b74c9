// Text and one object reference per cell for the string grid. Rows keep storage only once a cell
// of theirs is written, so large grids of empty rows cost little.
//
// Columns are addressed by their real index: the store keeps `Capacity` columns, never fewer than
// the displayed `ColCount`, so a descendant that hides columns shrinks the displayed count without
// losing their cells. Rows are reached through a permutation, so moving and sorting rows reorders
// indexes instead of cells.
//
// A loaded file's rows may stay lazy: a range of the file's bytes, decoded into the row's cells
// the first time anything reaches the row. Every entry point decodes first, so a lazy row reads,
// writes, moves and copies as if the load had written its cells at once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

class TObject;
class TGridCellStore;

// One cell's text and object reference; a row taken out of the store is a vector of them (as many
// as were ever written, up to the capacity).
struct TGridCell {
  std::string Text;
  TObject* Object = nullptr;
};
using TGridCellRow = std::vector<TGridCell>;

// Where a lazy row lies in its source's bytes, and how many fields it holds.
struct TGridLazyRow {
  std::uint32_t Begin = 0;
  std::uint32_t Size = 0;
  std::int32_t Fields = 0;
};

// The bytes lazy rows were loaded from (kept unchanged while a row needs them) and their decoding.
class TGridRowSource {
public:
  virtual ~TGridRowSource() = default;
  // The real column of each field (negative: the field is dropped). A row's decoding writes the
  // texts of the columns of its first Fields entries and no other part of the row.
  virtual const std::vector<int>& Columns() const = 0;
  // Writes the row's texts into cells, which hold what the row held before; a cell written grows
  // the row to at least colCount cells.
  virtual void Decode(const TGridLazyRow& row, TGridCellRow& cells, int colCount) const = 0;
};

// A read-only row or column of the store; it copies nothing and is valid until the store changes
// size or order.
class TGridCellLine {
public:
  TGridCellLine(const TGridCellStore& store, int index, bool column)
      : FStore(&store), FIndex(index), FColumn(column) {}
  int Count() const;
  const std::string& operator[](int i) const;
  std::vector<std::string> ToVector() const;

  class Iterator {
  public:
    Iterator(const TGridCellLine* line, int i) : FLine(line), FI(i) {}
    const std::string& operator*() const { return (*FLine)[FI]; }
    Iterator& operator++() {
      ++FI;
      return *this;
    }
    bool operator!=(const Iterator& o) const { return FI != o.FI; }

  private:
    const TGridCellLine* FLine;
    int FI;
  };
  Iterator begin() const { return Iterator(this, 0); }
  Iterator end() const { return Iterator(this, Count()); }

private:
  const TGridCellStore* FStore;
  int FIndex;
  bool FColumn;
};

class TGridCellStore {
public:
  int ColCount() const { return FColCount; }
  int RowCount() const { return FRowCount; }
  // Columns kept: at least ColCount, and it does not shrink with ColCount.
  int Capacity() const { return FCapacity; }
  // A smaller column count keeps the cells behind it (the capacity stays); rows outside the new
  // count are dropped; new cells are empty.
  void Resize(int colCount, int rowCount);
  // Sets the columns kept, never below ColCount; cells at or beyond a lowered capacity are dropped.
  void SetCapacity(int columns);

  // Cells outside Capacity x RowCount read as empty (nullptr) and ignore writes.
  // Reads are inline: grids read every visible cell on each paint.
  const std::string& Text(int col, int row) const {
    const Cell* c = Find(col, row);
    return c ? c->Text : FEmptyText;
  }
  // Copying assigns into the cell's text, so rewriting a cell reuses its storage.
  void SetText(int col, int row, const std::string& value) {
    if (!InStore(col, row)) return;
    // Rewriting a cell the row already holds is the common case: no second lookup.
    RowData& r = Stored(row);
    if (static_cast<std::size_t>(col) < r.size())
      r[static_cast<std::size_t>(col)].Text = value;
    else if (!value.empty())
      Touch(col, row)->Text = value;
  }
  void SetText(int col, int row, std::string&& value);
  // Writes the text and answers whether the cell changed, looking the cell up once.
  bool ChangeText(int col, int row, const std::string& value);
  TObject* Object(int col, int row) const {
    const Cell* c = Find(col, row);
    return c ? c->Object : nullptr;
  }
  // The cell's text and object together (nullptr for a cell never written or outside the store),
  // for readers that want both from one look-up.
  const TGridCell* CellAt(int col, int row) const { return Find(col, row); }
  // The cells a row holds, by real column, for readers going through whole rows: fewer than
  // Capacity when its later cells were never written, none for a row outside the store. Valid
  // until the store changes.
  const TGridCellRow& RowCells(int row) const {
    if (row < 0 || row >= FRowCount) return FEmptyRow;
    return Stored(row);
  }
  void SetObject(int col, int row, TObject* value);

  // A whole row of ColCount texts (a column of RowCount); reading copies nothing.
  TGridCellLine Row(int row) const { return TGridCellLine(*this, row, false); }
  TGridCellLine Col(int col) const { return TGridCellLine(*this, col, true); }
  std::vector<std::string> RowTexts(int row) const;
  std::vector<std::string> ColTexts(int col) const;
  // Writing takes the texts in order and empties the cells it has no text for. Objects stay.
  void SetRowTexts(int row, const std::vector<std::string>& texts);
  void SetColTexts(int col, const std::vector<std::string>& texts);

  // Moves a column (row) with texts and objects; the ones between shift by one. Any column below
  // Capacity may move.
  void MoveColumn(int fromIndex, int toIndex);
  void MoveRow(int fromIndex, int toIndex);
  // Reorders the rows: row i takes the cells of row order[i]. Refused (false) unless order holds
  // each row index once.
  bool PermuteRows(const std::vector<int>& order);
  // Moves a whole row's cells out, leaving the row empty (hiding rows keeps them aside this way),
  // and puts such cells back into an existing row, replacing what it held; cells beyond the
  // capacity are dropped. Rows outside the store give nothing and take nothing.
  TGridCellRow TakeRow(int row);
  void PutRow(int row, TGridCellRow cells);
  // Empties every cell.
  void Clear();

  // Rows row, row + 1, ... take the texts of rows' entries from source when first reached, written
  // over what they hold then (their objects and the cells past their fields stay). A row already
  // lazy is decoded first unless the new one writes every cell it would.
  void PutLazyRows(int row, std::shared_ptr<const TGridRowSource> source, std::span<const TGridLazyRow> rows);
  // Rows not yet decoded.
  int LazyRowCount() const { return FLazyCount; }

private:
  using Cell = TGridCell;
  using RowData = TGridCellRow;
  // The cells of a row in the store, decoded first when the row is lazy.
  RowData& Stored(int row) const {
    const auto at = static_cast<std::size_t>(FOrder[static_cast<std::size_t>(row)]);
    if (FLazyCount && FLazy[at].Source >= 0) Decode(at);
    return FRows[at];
  }
  const Cell* Find(int col, int row) const {
    if (!InStore(col, row)) return nullptr;
    const RowData& r = Stored(row);
    return static_cast<std::size_t>(col) < r.size() ? &r[static_cast<std::size_t>(col)] : nullptr;
  }
  Cell* Touch(int col, int row);
  bool InStore(int col, int row) const { return col >= 0 && row >= 0 && col < FCapacity && row < FRowCount; }

  // A stored row's range in a source (Source an index into FSources, negative when not lazy).
  struct Lazy {
    TGridLazyRow Row;
    std::int32_t Source = -1;
  };
  // A source and how many stored rows still need it; the bytes go with the last one.
  struct Source {
    std::shared_ptr<const TGridRowSource> Rows;
    int Count = 0;
  };
  // Decoding a lazy row changes what the store keeps, not what it holds: reads decode too.
  void Decode(std::size_t at) const;
  void DecodeAll() const;
  // Forgets a stored row's range without decoding it (the row is dropped or replaced).
  void Forget(std::size_t at) const;
  void Release(std::int32_t source) const;

  int FColCount = 0;
  int FCapacity = 0;
  int FRowCount = 0;
  // FRows[FOrder[row]] holds the cells of row `row`; FLazy[FOrder[row]] its range while lazy
  // (FLazy is empty while no row ever was).
  mutable std::vector<RowData> FRows;
  std::vector<int> FOrder;
  mutable std::vector<Lazy> FLazy;
  mutable std::vector<Source> FSources;
  mutable int FLazyCount = 0;
  inline static const std::string FEmptyText;
  inline static const TGridCellRow FEmptyRow;
};
