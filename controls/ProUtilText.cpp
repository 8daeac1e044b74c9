#include "controls/ProUtilText.h"

#include "controls/ProUtilUnicode.h"
#include "controls/ReplaceAll.h"
#include "platform/TextCodec.h"

#include <algorithm>

namespace {

constexpr char CR = '\r';
constexpr char LF = '\n';
constexpr char VT = '\v';

int ToPos(std::size_t index) {
  return index == std::string_view::npos ? 0 : static_cast<int>(index) + 1;
}

std::string MapChars(std::string_view text, auto map) {
  std::string out;
  out.reserve(text.size());
  for (char c : text)
    map(out, c);
  return out;
}

} // namespace

int LocateSubStr(std::string_view sub, std::string_view text, int& pos) {
  pos = sub.empty() ? 0 : ToPos(text.find(sub));
  return pos;
}

int PosInUpperCase(std::string_view sub, std::string_view text) {
  if (sub.empty()) return 0;
  return ToPos(AsciiUpperCase(text).find(sub));
}

int LocateChar(char32_t ch, std::string_view text, int& pos) {
  int found = IndexOfChar(ch, text);
  if (found > 0) pos = found;
  return found;
}

int IndexOfChar(char32_t ch, std::string_view text) {
  return ToPos(text.find(CodePointToUtf8(ch)));
}

int PosWide(std::string_view sub, std::string_view text) {
  int pos = 0;
  return LocateSubStr(sub, text, pos);
}

int CountCharOccurrences(char32_t ch, std::string_view text) {
  std::string c = CodePointToUtf8(ch);
  int count = 0;
  for (std::size_t p = text.find(c); p != std::string_view::npos; p = text.find(c, p + c.size()))
    ++count;
  return count;
}

int FindUndoubledChar(char32_t ch, std::string_view text, int& pos) {
  std::string c = CodePointToUtf8(ch);
  pos = 0;
  std::size_t p = text.find(c);
  while (p != std::string_view::npos) {
    std::size_t run = 0;
    std::size_t last = p;
    while (text.compare(p, c.size(), c) == 0) {
      last = p;
      ++run;
      p += c.size();
    }
    if (p >= text.size() || run % 2 == 1) {
      pos = static_cast<int>(last) + 1;
      break;
    }
    p = text.find(c, p);
  }
  return pos;
}

int CountUndoubledChar(char32_t ch, std::string_view text) {
  int count = 0;
  int pos = 0;
  while (FindUndoubledChar(ch, text, pos) > 0) {
    ++count;
    // Cut after the whole character that was found.
    std::size_t after = static_cast<std::size_t>(pos) - 1;
    Utf8Next(text, after);
    text.remove_prefix(after);
  }
  return count;
}

int MaxOf(int a, int b) {
  return a > b ? a : b;
}
int MinOf(int a, int b) {
  return a < b ? a : b;
}

int ClampToLimits(int value, int lowerLimit, int upperLimit) {
  if (lowerLimit == upperLimit) return value;
  if (lowerLimit > 0 && value < lowerLimit) value = lowerLimit;
  if (upperLimit > 0 && value > upperLimit) value = upperLimit;
  return value;
}

bool IsCellInGridRect(int left, int top, int right, int bottom, int col, int row) {
  return col >= left && col <= right && row >= top && row <= bottom;
}

std::string ConcatLines(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& line : lines)
    out += line;
  return out;
}

std::string CutLeadingField(std::string& text, std::string_view separator) {
  std::size_t p = separator.empty() ? std::string::npos : text.find(separator);
  if (p == std::string::npos) return {};
  std::string field = text.substr(0, p);
  std::size_t firstCharLength = 0;
  Utf8Next(separator, firstCharLength);
  text.erase(0, p + firstCharLength);
  return field;
}

std::string PackLineBreaks(std::string_view text) {
  if (text.find(CR) == std::string_view::npos) return std::string(text);
  return MapChars(text, [](std::string& out, char c) {
    out += c == CR ? '\t' : c == LF ? '\b' : c == '\0' ? '\x01' : c;
  });
}

std::string UnpackLineBreaks(std::string_view text, bool multiLine) {
  if (text.find('\b') == std::string_view::npos) return std::string(text);
  std::string out = MapChars(text, [](std::string& to, char c) {
    to += c == '\t' ? CR : c == '\b' ? LF : c == '\x01' ? '\0' : c;
  });
  if (!multiLine) {
    std::size_t p = out.find(CR);
    if (p != std::string::npos) out.erase(p);
  }
  return out;
}

std::string TakeFirstLine(std::string& text, bool keep) {
  std::size_t p = text.find(CR);
  std::string line = text.substr(0, p);
  if (keep && p != std::string::npos) {
    std::size_t rest = p + 1;
    if (rest < text.size() && text[rest] == LF) ++rest;
    text.erase(0, rest);
  } else {
    text.clear();
  }
  return line;
}

int CountTextLines(std::string_view text, bool multiLine) {
  return multiLine ? 1 + static_cast<int>(std::count(text.begin(), text.end(), CR)) : 1;
}

std::string EscapeNewLines(std::string_view text) {
  return MapChars(text, [](std::string& out, char c) {
    if (c == CR)
      out += "\\n";
    else if (c != LF)
      out += c;
  });
}

std::string UnescapeNewLines(std::string_view text) {
  return ReplaceAll(text, "\\n", "\r");
}

void QuoteMultiLineCSV(std::string& text) {
  text = '"' + ReplaceAll(text, "\r\n", "\v") + '"';
}

void VTToCRLF(std::string& text) {
  if (text.find(VT) != std::string::npos) text = ReplaceAll(text, "\v", "\r\n");
}

void CRLFToLF(std::string& text) {
  text = ReplaceAll(text, "\r\n", "\n");
}

void LineBreaksToTilde(std::string& text) {
  text = MapChars(text, [](std::string& out, char c) {
    if (c == CR)
      out += '~';
    else if (c != LF)
      out += c;
  });
}

void TildeToLineBreaks(std::string& text) {
  text = ReplaceAll(text, "~", "\r\n");
  if (text == "^") text.clear();
}

std::string CRToLF(std::string_view text) {
  return MapChars(text, [](std::string& out, char c) { out += c == CR ? LF : c; });
}

std::string RemoveAllCR(std::string_view text) {
  return MapChars(text, [](std::string& out, char c) {
    if (c != CR) out += c;
  });
}

std::string CRToHTMLBreaks(std::string_view text) {
  return ReplaceAll(text, "\r", "<br>");
}

std::string DoubleQuoteMarks(std::string_view text) {
  return ReplaceAll(text, "\"", "\"\"");
}

std::string UndoubleChar(char32_t ch, std::string_view text) {
  std::string c = CodePointToUtf8(ch);
  return ReplaceAll(text, c + c, c);
}

void FillWithChar(std::string& text, char32_t ch) {
  std::size_t count = Utf8Length(text);
  std::string c = CodePointToUtf8(ch);
  text.clear();
  for (std::size_t i = 0; i < count; ++i)
    text += c;
}

void TextToOem(std::string& text) {
  text = Windows1252ToUtf8(Utf8ToCp850(text));
}

void OemToText(std::string& text) {
  text = Cp850ToUtf8(Utf8ToWindows1252(text));
}

std::string ToMixedCase(std::string_view text) {
  const std::u32string in = Utf8ToUtf32(text);
  std::u32string out;
  out.reserve(in.size());
  const std::size_t n = in.size();
  bool capitaliseNext = true;
  for (std::size_t i = 0; i < n; ++i) {
    char32_t c = in[i];
    if (c == U' ' || c == U'\'' || c == U',' || c == U'-' || c == U'.') {
      capitaliseNext = true;
      out += c;
    } else {
      out += capitaliseNext ? UnicodeUpper(c) : UnicodeLower(c);
      capitaliseNext = false;
    }
    const std::size_t len = i + 1; // characters done
    std::u32string_view done(out);
    if (done == U"Mc") capitaliseNext = true;
    std::size_t mc = done.find(U" Mc");
    if (mc != std::u32string_view::npos && mc + 3 == len && len > 2) capitaliseNext = true;
    if (len + 2 >= n && (done.ends_with(U" I") || done.ends_with(U" II"))) capitaliseNext = true;
  }
  return Utf32ToUtf8(out);
}
