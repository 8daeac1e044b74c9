// The widest line of a column's save texts, which the plain-text and fixed-width savers size
// their columns by.
#include "grid/ProGrid.h"

#include "controls/ProUtilText.h"
#include "controls/ProUtilUnicode.h"

#include <algorithm>

int TProStringGrid::MaxColumnTextLength(int ACol) {
  std::size_t widest = 0;
  for (int r = 0; r < RowCount(); ++r) {
    std::string rest = GetSaveCellText(ACol, r);
    while (!rest.empty()) {
      const std::string line = TakeFirstLine(rest, FMultilineCells);
      widest = std::max(widest, Utf8Length(line));
    }
  }
  return static_cast<int>(std::min<std::size_t>(widest, 0x7FFFFFFF));
}
