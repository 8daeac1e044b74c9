// Replacing every occurrence of a text, left to right without overlaps.
#pragma once

#include "controls/ProUtilUnicode.h"

#include <string>
#include <string_view>

inline std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
  if (from.empty()) return std::string(text);
  std::string out;
  out.reserve(text.size());
  std::size_t start = 0;
  for (std::size_t p; (p = text.find(from, start)) != std::string_view::npos; start = p + from.size()) {
    out.append(text, start, p - start);
    out += to;
  }
  out.append(text, start);
  return out;
}

// The same, finding `from` in any case of its ASCII letters.
inline std::string ReplaceAllIgnoringAsciiCase(std::string_view text, std::string_view from,
                                               std::string_view to) {
  std::string out;
  std::size_t start = 0;
  for (std::size_t p; (p = FindIgnoringAsciiCase(text, from, start)) != std::string_view::npos;
       start = p + from.size()) {
    out.append(text, start, p - start);
    out += to;
  }
  out.append(text, start);
  return out;
}
