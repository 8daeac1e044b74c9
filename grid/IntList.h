// A list of whole numbers tied to one cell, and the grid's sort keys built on it.
#pragma once

#include "grid/GridTypes.h"

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// Raised when an entry outside the list is read or written.
class EListError : public std::out_of_range {
public:
  using std::out_of_range::out_of_range;
};

class TIntList : public TObject {
public:
  TIntList(int Col, int Row) : FCol(Col), FRow(Row) {}

  int Count() const { return static_cast<int>(FItems.size()); }
  // EListError outside 0 .. Count - 1.
  int Items(int Index) const;
  void SetItems(int Index, int Value); // fires OnChange
  int Add(int Value);                  // fires OnChange
  void Delete(int Index);              // fires OnChange; EListError outside the list
  void Insert(int Index, int Value);   // silent; EListError outside 0 .. Count
  void Clear() { FItems.clear(); }
  // Deletes the first entry equal to Value through Delete; nothing when there is none.
  void DeleteValue(int Value);
  bool HasValue(int Value) const;
  // The entries as decimal numbers joined by ",". Writing reads comma text (commas or blanks
  // between items, quotes around one that holds them) and adds each item, one OnChange each; an
  // item that is no whole number raises EConvertError, keeping the items added before it.
  std::string StrValue() const;
  void SetStrValue(std::string_view Value);
  const std::vector<int>& ToVector() const { return FItems; }

  TImageChangeEvent OnChange;

protected:
  void Changed();

private:
  std::vector<int> FItems;
  int FCol;
  int FRow;
};

// Sort keys, first key first: a column in bits 0 to 30, bit 31 set for descending.
class TSortIndexList : public TIntList {
public:
  TSortIndexList() : TIntList(0, 0) {}
  void AddIndex(int ColumnIndex, bool Ascending);
  // Position of the first key of the column; -1 when none.
  int FindIndex(int ColumnIndex) const;
  // Flips the direction of the column's first key.
  void ToggleIndex(int ColumnIndex);
  int SortColumns(int i) const;
  void SetSortColumns(int i, int Column); // keeps the direction
  bool SortDirections(int i) const;       // true: ascending
  void SetSortDirections(int i, bool Ascending);
  // Keys as "u" or "d" and the column's low 16 bits, joined by ";" ("u2;d0").
  std::string SaveToString() const;
  // Clears and reads ";"-separated keys: shorter than 2 characters is skipped; after the first
  // character the number is read as far as it fits (never past 32 bits); "u" is ascending, any
  // other first character descending.
  void LoadFromString(std::string_view S);
};
