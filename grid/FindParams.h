// The options of a search in the string grid's cells (a set of bits, one per option).
#pragma once

#include <cstdint>

enum TFindParameters : std::uint16_t {
  fnMatchCase = 1u << 0,
  fnMatchFull = 1u << 1,
  fnMatchRegular = 1u << 2, // the search text is a filter condition
  fnDirectionLeftRight = 1u << 3,
  fnMatchStart = 1u << 4,
  fnFindInCurrentRow = 1u << 5,
  fnFindInCurrentCol = 1u << 6,
  fnIncludeFixed = 1u << 7,
  fnAutoGoto = 1u << 8,
  fnIgnoreHTMLTags = 1u << 9,
  fnBackward = 1u << 10,
  fnIncludeHiddenColumns = 1u << 11,
  fnFindInPresetCol = 1u << 12,
  fnFindInPresetRow = 1u << 13,
  fnSelectedCells = 1u << 14,
  fnIncludeHiddenRows = 1u << 15,
};
using TFindParams = std::uint16_t;
