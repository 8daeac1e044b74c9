// What the grid's text file and CSV readers and writers take from the grid, and how far a file may
// grow it.
#pragma once

#include <string>

struct TGridFileOptions {
  char Delimiter = 0; // 0: "," when writing, guessed per file when reading
  bool AlwaysQuotes = false;
  bool QuoteEmptyCells = true;
  bool JavaCSV = false;
  bool LoadFirstRow = true;
  bool SaveHiddenCells = false;
  bool OemConvert = false;
  std::string XMLEncoding = "ISO-8859-1";
  // A file asking for more columns or rows than these is refused before the grid changes.
  int MaxLoadColCount = 16384;
  int MaxLoadRowCount = 1048576;
};
