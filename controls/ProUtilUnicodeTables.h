// Generated Unicode tables behind ProUtilUnicode; sorted by their first value.
#pragma once

#include <cstddef>

struct TCodePointPair {
  char32_t First;
  char32_t Second;
};

// Simple (one to one) case mapping: code point and its upper or lower case.
extern const TCodePointPair UpperCaseMap[];
extern const std::size_t UpperCaseMapCount;
extern const TCodePointPair LowerCaseMap[];
extern const std::size_t LowerCaseMapCount;
// Inclusive ranges of the number categories Nd, Nl and No.
extern const TCodePointPair NumberRanges[];
extern const std::size_t NumberRangesCount;
