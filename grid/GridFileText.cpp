#include "grid/GridFileText.h"

#include "platform/TextCodec.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace gridfile {

std::string Utf8ToUtf16Le(std::string_view text) {
  std::string out;
  out.reserve(text.size() * 2);
  auto unit = [&out](unsigned u) {
    out += static_cast<char>(u & 0xFF);
    out += static_cast<char>(u >> 8);
  };
  for (std::size_t i = 0; i < text.size();) {
    char32_t c = Utf8Next(text, i);
    if (c >= 0x10000) {
      c -= 0x10000;
      unit(0xD800 + (c >> 10));
      unit(0xDC00 + (c & 0x3FF));
    } else {
      unit(c);
    }
  }
  return out;
}

std::optional<std::string> Utf8ToAnsiExact(std::string_view text) {
  std::string ansi = Utf8ToWindows1252(text);
  if (Windows1252ToUtf8(ansi) != text) return std::nullopt;
  return ansi;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

std::optional<int> StrictInt(std::string_view text) {
  if (text.empty() || text.size() > 12) return std::nullopt;
  int value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

int Percent(long long done, long long count) {
  if (count <= 0) return 100;
  long long p = std::llround(static_cast<double>(done) * 100.0 / static_cast<double>(count));
  return static_cast<int>(std::clamp(p, 0LL, 100LL));
}

std::string CellName(int ACol, int ARow) {
  return "[" + std::to_string(ACol) + ", " + std::to_string(ARow) + "]";
}

} // namespace gridfile
