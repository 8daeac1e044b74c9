#include "platform/SysUtils.h"

#include <algorithm>

namespace {

char Upper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

} // namespace

std::string_view Trim(std::string_view text) {
  std::size_t first = 0, last = text.size();
  while (first < last && static_cast<unsigned char>(text[first]) <= ' ')
    ++first;
  while (last > first && static_cast<unsigned char>(text[last - 1]) <= ' ')
    --last;
  return text.substr(first, last - first);
}

bool IsBlank(std::string_view text) {
  return Trim(text).empty();
}

bool SameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Upper(x) == Upper(y); });
}

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}
