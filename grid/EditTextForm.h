// The text a cell's editor shows and the text written back: a cell holding encoded wide text
// ("|\") is edited as its decoded text (DecodeWideCellText) and keeps the encoded form.
#pragma once

#include "controls/ProUtilCellText.h"

#include <string>
#include <string_view>

inline bool IsEncodedWideText(std::string_view Stored) {
  return Stored.starts_with("|\\");
}

// The edited text as it is stored over the cell's text Stored.
inline std::string StoredEditText(std::string_view Stored, const std::string& Edited) {
  return IsEncodedWideText(Stored) ? EncodeWideCellText(Edited) : Edited;
}
