// The value-information tables: primary VIFs, the extension tables after 0xFD and 0xFB, and the
// combinable VIFEs. Codes are the type-of-data and VIFE indices of the network file.
#pragma once

#include <cstdint>
#include <string>

constexpr std::uint16_t NoTypeCode = 0xFFFF;

struct TVifRow {
  std::string Text; // description (primary, extension) or text appended (VIFE)
  int Code = 0;     // type code, extension code or VIFE code; see HasCode
  bool HasCode = false;
  int Exponent = 0;    // decimal exponent of the factor
  bool IsDate = false; // the value text becomes a date (VIF 0x6C, 0x6D; date VIFEs)
};

// E is the VIF without its extension bit; `dataField` picks the time-point text.
TVifRow PrimaryVifRow(int e, int dataField);
TVifRow ExtensionFdRow(int e);
TVifRow ExtensionFbRow(int e);
// Every combinable VIFE but 0x7C, whose next VIFE is a second-level code.
TVifRow CombinableVifeRow(int e);
std::string SecondLevelVifeText(int e);
