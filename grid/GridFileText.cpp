#include "grid/GridFileText.h"

#include "platform/TextCodec.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace gridfile {

std::optional<std::string> Utf8ToAnsiExact(std::string_view text) {
  std::string ansi = Utf8ToWindows1252(text);
  if (Windows1252ToUtf8(ansi) != text) return std::nullopt;
  return ansi;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  // The next CR and the next LF, each looked for again only once passed.
  std::size_t cr = text.find('\r'), lf = text.find('\n');
  while (start < text.size()) {
    if (cr < start) cr = text.find('\r', start);
    if (lf < start) lf = text.find('\n', start);
    const std::size_t end = std::min(cr, lf);
    if (end == text.npos) break;
    lines.push_back(text.substr(start, end - start));
    start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

void AppendFileLines(std::string& text, std::string_view bytes) {
  const std::string decoded = DecodeTextFile(bytes);
  for (std::string_view line : SplitLines(decoded)) {
    text += line;
    text += "\r\n";
  }
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

long long CharCount(std::string_view text) {
  long long n = 0;
  for (char ch : text)
    n += (static_cast<unsigned char>(ch) & 0xC0) != 0x80;
  return n;
}

std::string_view CharSlice(std::string_view text, long long from, long long to) {
  auto offset = [text](long long chars) {
    std::size_t i = 0;
    for (; i < text.size(); ++i)
      if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && chars-- <= 0) break;
    return i;
  };
  if (to <= from) return {};
  const std::size_t begin = offset(from);
  const std::size_t end = offset(to);
  return text.substr(begin, end - begin);
}

std::string CellName(int ACol, int ARow) {
  return "[" + std::to_string(ACol) + ", " + std::to_string(ARow) + "]";
}

std::string PackLineBreaks(std::string text) {
  if (text.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos) return text;
  for (char& ch : text)
    ch = ch == '\r' ? '\t' : ch == '\n' ? '\b' : ch == '\0' ? '\x01' : ch;
  return text;
}

std::string UnpackLineBreaks(std::string text, bool multiline) {
  if (text.find('\b') == std::string::npos) return text;
  for (char& ch : text)
    ch = ch == '\t' ? '\r' : ch == '\b' ? '\n' : ch == '\x01' ? '\0' : ch;
  if (!multiline) text.erase(std::min(text.find_first_of("\r\n"), text.size()));
  return text;
}

} // namespace gridfile
