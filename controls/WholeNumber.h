// Reading a whole number the way typed fields are read: leading blanks, an optional sign,
// decimal digits and nothing after them, within the range of int.
#pragma once

#include <charconv>
#include <string_view>

inline bool ReadWholeNumber(std::string_view s, int& value) {
  while (!s.empty() && s.front() == ' ')
    s.remove_prefix(1);
  if (!s.empty() && s.front() == '+') s.remove_prefix(1);
  if (s.empty() || s.front() == '+') return false;
  int v = 0;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec != std::errc() || end != s.data() + s.size()) return false;
  value = v;
  return true;
}
