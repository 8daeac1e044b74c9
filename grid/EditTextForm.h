// The text a cell's editor shows and the text written back: a cell holding encoded wide text
// ("|\") is edited as its decoded text (DecodeWideCellText) and keeps the encoded form. Every
// editor of the current cell goes through these, so none of them turns such a cell plain.
#pragma once

#include "controls/ProUtilCellText.h"

#include <string>
#include <string_view>

class TProStringGrid;

inline bool IsEncodedWideText(std::string_view Stored) {
  return Stored.starts_with("|\\");
}

// The edited text as it is stored over the cell's text Stored.
inline std::string StoredEditText(std::string_view Stored, const std::string& Edited) {
  return IsEncodedWideText(Stored) ? EncodeWideCellText(Edited) : Edited;
}

// A stored text as an editor shows it.
inline std::string ShownEditText(std::string_view Stored) {
  return DecodeWideCellText(Stored);
}

// The edited text as the grid's current cell stores it.
std::string StoredCurrentCellText(const TProStringGrid& Grid, const std::string& Edited);
