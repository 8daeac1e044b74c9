#include "controls/ProUtilCellText.h"

#include "controls/ProUtilUnicode.h"
#include "controls/ReplaceAll.h"
#include "controls/WholeNumber.h"
#include "platform/Format.h"

#include <algorithm>

namespace {

bool IsURLChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
         std::string_view("%()-./:@\\_{}").find(c) != std::string_view::npos;
}

} // namespace

int CellTextKind(std::string_view text, bool htmlEnabled) {
  if (text.empty()) return 0;
  if (text.front() == '=') return 3;
  if (text.starts_with("|\\")) {
    std::string t(text);
    t += ' ';
    // Characters 4 and 5: the low byte of the first encoded character and the high byte of the next.
    std::size_t i = 0;
    char32_t c[5] = {};
    int n = 0;
    while (n < 5 && i < t.size())
      c[n++] = Utf8Next(t, i);
    return (n == 5 && c[3] == U'=' && c[4] == 0) ? 3 : 5;
  }
  if (text.starts_with("{\\")) return 2;
  // Most texts hold no "<" at all: one pass over the (mostly short) text answers them.
  if (htmlEnabled && std::find(text.begin(), text.end(), '<') != text.end()) {
    for (std::string_view mark : {"</", "<B", "<I", "<C"})
      if (text.find(mark) != text.npos) return 1;
  }
  return 0;
}

std::string EncodeWideCellText(std::string_view wide) {
  std::string out = "|\\";
  auto put = [&out](char32_t unit) {
    AppendUtf8(out, unit >> 8);
    AppendUtf8(out, unit & 0xFF);
  };
  for (std::size_t i = 0; i < wide.size();) {
    char32_t c = Utf8Next(wide, i);
    if (c >= 0x10000) {
      put(0xD800 + ((c - 0x10000) >> 10));
      put(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      put(c);
    }
  }
  return out;
}

std::string DecodeWideCellText(std::string_view text) {
  if (!text.starts_with("|\\")) return std::string(text);
  std::string out;
  char32_t high = 0; // pending high surrogate
  std::size_t i = 2;
  while (i < text.size()) {
    char32_t first = Utf8Next(text, i);
    if (i >= text.size()) break; // an odd last character
    char32_t unit = (first * 256 + Utf8Next(text, i)) & 0xFFFF;
    if (high != 0) {
      if (unit >= 0xDC00 && unit <= 0xDFFF) {
        AppendUtf8(out, 0x10000 + ((high - 0xD800) << 10) + (unit - 0xDC00));
        high = 0;
        continue;
      }
      AppendUtf8(out, 0xFFFD);
      high = 0;
    }
    if (unit >= 0xD800 && unit <= 0xDBFF)
      high = unit;
    else
      AppendUtf8(out, unit); // a lone low surrogate becomes U+FFFD
  }
  if (high != 0) AppendUtf8(out, 0xFFFD);
  return out;
}

std::string ColorToRGBHex(TColor color) {
  static constexpr char Digits[] = "0123456789ABCDEF";
  TColor rgb = IsSystemColor(color) ? ColorToRGB(color) : color;
  std::string out;
  for (unsigned channel : {GetRValue(rgb), GetGValue(rgb), GetBValue(rgb)}) {
    out += Digits[channel >> 4];
    out += Digits[channel & 0xF];
  }
  return out;
}

bool IsURLText(std::string_view text) {
  return text.find("://") != std::string_view::npos || text.find("mailto:") != std::string_view::npos;
}

void StripURLScheme(std::string& text) {
  std::size_t p = text.find("://");
  if (p != std::string::npos) {
    text.erase(0, p + 3);
    return;
  }
  p = text.find("mailto:");
  if (p != std::string::npos) text.erase(0, p + 7);
}

bool ParseRCCellRef(std::string_view text, int& col, int& row) {
  if (Utf8Length(text) <= 3 || (text.front() != 'R' && text.front() != 'r')) return false;
  std::size_t c = text.find_first_of("Cc", 1);
  if (c == std::string_view::npos) return false;
  int r = 0;
  int k = 0;
  if (!ReadWholeNumber(text.substr(1, c - 1), r) || !ReadWholeNumber(text.substr(c + 1), k)) return false;
  row = r;
  col = k;
  return true;
}

int AnchorURLInText(std::string_view text, std::string_view upperPrefix, std::string& result) {
  result = ReplaceAll(ReplaceAll(text, "<", "&lt;"), ">", "&gt;");
  std::size_t p = upperPrefix.empty() ? std::string::npos : AsciiUpperCase(result).find(upperPrefix);
  if (p == std::string::npos) return 0;
  std::size_t end = p;
  while (end < result.size() && IsURLChar(result[end]))
    ++end;
  std::string url = result.substr(p, end - p);
  result.insert(end, "</a>");
  result.insert(p, "<a href=\"" + url + "\">");
  return 1;
}

void WrapAsClipboardHTML(std::string& text) {
  const auto length = static_cast<std::int64_t>(text.size());
  auto offset = [](std::int64_t value) { return Format("%.8d", {value}); };
  std::string out = "Version:1.0\r\n";
  out += "StartHTML:" + offset(97) + "\r\n";
  out += "EndHTML:" + offset(length + 306) + "\r\n";
  out += "StartFragment:" + offset(274) + "\r\n";
  out += "EndFragment:" + offset(length + 274) + "\r\n";
  out += "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">";
  out += "<html><head><META http-equiv=Content-Type content=\"text/html; charset=iso-8859-1\"></head>"
         "<body><!--StartFragment-->";
  out += text;
  out += "<!--EndFragment--></body></html>";
  text = std::move(out);
}
