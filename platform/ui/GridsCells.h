// Text and one object reference per cell for the string grid. Rows keep storage only once a cell
// of theirs is written, so large grids of empty rows cost little.
#pragma once

#include <string>
#include <vector>

class TObject;

class TGridCellStore {
public:
  int ColCount() const { return FColCount; }
  int RowCount() const { return FRowCount; }
  // Cells outside the new size are dropped; new cells are empty.
  void Resize(int colCount, int rowCount);

  // Cells outside the grid read as empty (nullptr) and ignore writes.
  const std::string& Text(int col, int row) const;
  void SetText(int col, int row, std::string value);
  TObject* Object(int col, int row) const;
  void SetObject(int col, int row, TObject* value);

  // A whole row (column) as ColCount (RowCount) texts; writing takes the texts in order and
  // empties the cells it has no text for. Objects stay.
  std::vector<std::string> RowTexts(int row) const;
  void SetRowTexts(int row, const std::vector<std::string>& texts);
  std::vector<std::string> ColTexts(int col) const;
  void SetColTexts(int col, const std::vector<std::string>& texts);

  // Moves a column (row) with texts and objects; the ones between shift by one.
  void MoveColumn(int fromIndex, int toIndex);
  void MoveRow(int fromIndex, int toIndex);
  // Empties every cell.
  void Clear();

private:
  struct RowData {
    std::vector<std::string> Texts;
    std::vector<TObject*> Objects;
  };
  RowData& Touch(int row, int col);

  int FColCount = 0;
  int FRowCount = 0;
  std::vector<RowData> FRows;
};
