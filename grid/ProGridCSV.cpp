// Delimiter-separated values. A line break inside a field is written as U+000B within quotes, so
// every row takes one line of the file.
#include "controls/ProUtilText.h"
#include "controls/ReplaceAll.h"
#include "grid/GridFileText.h"
#include "grid/ProGrid.h"
#include "platform/AtomicFile.h"
#include "platform/Files.h"
#include "platform/TextCodec.h"

#include <algorithm>

using namespace gridfile;

namespace {

std::string ReplaceLineBreaks(std::string_view text, std::string_view with) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      out += with;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::string CSVField(std::string text, const TGridFileOptions& o, char delimiter) {
  if (text.empty()) return o.JavaCSV ? "^" : o.QuoteEmptyCells ? "\"\"" : "";
  const bool breaks = text.find_first_of("\r\n") != std::string::npos;
  if (o.JavaCSV && breaks)
    text = ReplaceLineBreaks(text, "~");
  else if (breaks)
    text = ReplaceLineBreaks(text, "\v");
  const bool quote = o.AlwaysQuotes || text.find('"') != std::string::npos ||
                     text.find(delimiter) != std::string::npos || text.find('\v') != std::string::npos ||
                     text.front() == ' ';
  if (!quote) return text;
  std::string out = "\"";
  for (char ch : text)
    out += ch == '"' ? std::string("\"\"") : std::string(1, ch);
  return out + "\"";
}

std::string DecodeField(std::string field, const TGridFileOptions& o) {
  if (o.JavaCSV) return field == "^" ? std::string() : ReplaceAll(field, "~", "\r\n");
  return ReplaceAll(field, "\v", "\r\n");
}

std::string Undouble(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    out += text[i];
    if (text[i] == '"' && i + 1 < text.size() && text[i + 1] == '"') ++i;
  }
  return out;
}

std::string_view DropLeadingBlanks(std::string_view s) {
  while (s.size() > 1 && s.front() == ' ')
    s.remove_prefix(1);
  return s;
}

// The fields of one line; an unclosed quote gives an empty field and parsing goes on after the
// next delimiter.
std::vector<std::string> SplitFields(std::string_view line, char d, const TGridFileOptions& o) {
  std::vector<std::string> fields;
  std::string_view rest = line;
  while (rest.find(d) != rest.npos) {
    rest = DropLeadingBlanks(rest);
    if (rest.front() == '"') {
      std::size_t i = 1;
      std::size_t close = rest.npos;
      while (i < rest.size()) {
        if (rest[i] == '"') {
          if (i + 1 < rest.size() && rest[i + 1] == '"') {
            i += 2;
            continue;
          }
          close = i;
          break;
        }
        ++i;
      }
      if (close == rest.npos) {
        fields.emplace_back();
      } else {
        fields.push_back(DecodeField(Undouble(rest.substr(1, close - 1)), o));
        rest.remove_prefix(close + 1);
      }
    } else {
      fields.push_back(DecodeField(std::string(rest.substr(0, rest.find(d))), o));
    }
    std::size_t next = rest.find(d);
    rest = next == rest.npos ? std::string_view() : rest.substr(next + 1);
  }
  if (!rest.empty()) {
    rest = DropLeadingBlanks(rest);
    if (rest.front() == '"') {
      rest.remove_prefix(1);
      if (!rest.empty() && rest.back() == '"') rest.remove_suffix(1);
      fields.push_back(DecodeField(Undouble(rest), o));
    } else {
      fields.push_back(DecodeField(std::string(rest), o));
    }
  }
  return fields;
}

char GuessDelimiter(std::string_view first, std::string_view second) {
  static constexpr char candidates[] = {',', ';', '#', '\t', '|', '@', '*', '-', '+', '&'};
  char chosen = 0;
  int best = 0;
  for (char c : candidates) {
    int n1 = CountUndoubledChar(static_cast<unsigned char>(c), first);
    if (n1 == CountUndoubledChar(static_cast<unsigned char>(c), second) && n1 > best) chosen = c, best = n1;
  }
  if (chosen) return chosen;
  for (char c : candidates) {
    int n1 = CountCharOccurrences(static_cast<unsigned char>(c), first);
    if (n1 == CountCharOccurrences(static_cast<unsigned char>(c), second) && n1 > best) chosen = c, best = n1;
  }
  if (chosen) return chosen;
  for (char c : candidates) {
    int n = std::max(CountCharOccurrences(static_cast<unsigned char>(c), first),
                     CountCharOccurrences(static_cast<unsigned char>(c), second));
    if (n > best) chosen = c, best = n;
  }
  return chosen;
}

} // namespace

std::string TProStringGrid::CSVBytes(bool Unicode) {
  const TGridFileOptions& o = FFileOptions;
  const char d = o.Delimiter ? o.Delimiter : ',';
  const bool all = o.SaveHiddenCells;
  const int h = all ? NumHiddenColumns() : 0;
  std::string text;
  ExportNotification(esExportStart, SaveStartRow());
  int last = -1;
  for (int r = SaveStartRow(); r <= SaveEndRow(); ++r) {
    ExportNotification(esExportNextRow, r);
    for (int c = SaveStartCol(); c <= SaveEndCol() + h; ++c) {
      int rc = all ? c : DisplToRealCol(c);
      std::string cell = rc < 0 ? std::string() : GetSaveCellText(rc, r);
      if (!Unicode && !Utf8ToAnsiExact(cell))
        throw EProGridError("Cell " + CellName(c, r) +
                            " holds text Windows-1252 cannot hold; nothing was saved");
      if (c > SaveStartCol()) text += d;
      text += CSVField(std::move(cell), o, d);
    }
    text += "\r\n";
    int p = Percent(r - SaveStartRow(), std::max(1, SaveRowCount() - 1));
    if (OnFileProgress && p != last) OnFileProgress(this, static_cast<std::int16_t>(last = p));
  }
  ExportNotification(esExportDone, -1);
  if (Unicode) return "\xEF\xBB\xBF" + text;
  return Utf8ToWindows1252(text);
}

void TProStringGrid::SaveToCSV(const std::string& FileName, bool Unicode) {
  TWriteResult written = WriteFileAtomic(FileName, CSVBytes(Unicode));
  if (!written) throw EProGridError(written.Error);
}

void TProStringGrid::LoadFromCSV(const std::string& FileName, int MaxRows) {
  std::string bytes;
  if (!ReadFileBytes(FileName, bytes)) throw EProGridError("File " + FileName + " not found");
  if (bytes.empty()) return;
  LoadCSVBytes(bytes, MaxRows);
}

void TProStringGrid::LoadCSVBytes(std::string_view Bytes, int MaxRows) {
  const TGridFileOptions& o = FFileOptions;
  const std::string text = DecodeTextFile(Bytes);
  const std::vector<std::string_view> lines = SplitLines(text);
  if (lines.empty()) throw EProGridError("File is empty");
  const char d =
      o.Delimiter ? o.Delimiter : GuessDelimiter(lines[0], lines.size() > 1 ? lines[1] : std::string_view());
  const bool all = o.SaveHiddenCells;
  const int c0 = SaveStartCol(), r0 = SaveStartRow();

  // Every line is split and counted before the grid changes.
  std::vector<std::vector<std::string>> rows;
  std::size_t widest = 0;
  for (std::size_t i = o.LoadFirstRow ? 0 : 1; i < lines.size(); ++i) {
    if (MaxRows > 0 && static_cast<int>(rows.size()) >= MaxRows) break;
    if (static_cast<long long>(r0) + static_cast<long long>(rows.size()) + FFixedFooters >= o.MaxLoadRowCount)
      throw EProGridError("The file holds more rows than the grid loads");
    rows.push_back(d ? SplitFields(lines[i], d, o)
                     : std::vector<std::string>{DecodeField(std::string(lines[i]), o)});
    widest = std::max(widest, rows.back().size());
    if (static_cast<long long>(c0) + static_cast<long long>(widest) > o.MaxLoadColCount)
      throw EProGridError("The file holds more columns than the grid loads");
  }

  const int h = NumHiddenColumns();
  const int needCols = c0 + static_cast<int>(widest);
  if (all ? needCols > ColCount() + h : needCols > ColCount()) SetColCount(all ? needCols - h : needCols);
  SetRowCount(r0 + static_cast<int>(rows.size()) + FFixedFooters);
  int last = -1;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    for (std::size_t k = 0; k < rows[i].size(); ++k) {
      int c = c0 + static_cast<int>(k);
      int rc = all ? c : DisplToRealCol(c);
      if (rc >= 0) LoadCellText(rc, r0 + static_cast<int>(i), rows[i][k]);
    }
    int p = Percent(static_cast<long long>(i) + 1, static_cast<long long>(rows.size()));
    if (OnFileProgress && p != last) OnFileProgress(this, static_cast<std::int16_t>(last = p));
  }
  CellsChanged(TRect{0, 0, ColCount(), RowCount()});
  CellsLoaded();
}
