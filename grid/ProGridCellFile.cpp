// The cell text file: a "C,R" header, a "cw c,w" line per column and a "c,r,text" line per
// non-empty cell, each text on one line.
#include "controls/ProUtilNumbers.h"
#include "grid/GridFileText.h"
#include "grid/ProGrid.h"
#include "platform/AtomicFile.h"
#include "platform/Files.h"
#include "platform/TextCodec.h"

#include <algorithm>
#include <charconv>

using namespace gridfile;

namespace {

struct TCellLine {
  int Col, Row;
  std::string Text;
};

} // namespace

std::string TProStringGrid::CellFileBytes(bool Unicode) {
  // With SaveHiddenCells every real column goes out under its real index; otherwise the visible
  // columns under their display index, each read from the real column behind it.
  const bool all = FFileOptions.SaveHiddenCells;
  const int h = all ? NumHiddenColumns() : 0;
  const int c0 = SaveStartCol(), c1 = SaveEndCol() + h;
  auto realCol = [&](int c) { return all ? c : DisplToRealCol(c); };
  std::string text = std::to_string(h + SaveColCount()) + "," + std::to_string(SaveRowCount()) + "\r\n";
  for (int c = c0; c <= c1; ++c)
    text += "cw " + std::to_string(c) + "," + std::to_string(all ? AllColWidths(c) : ColWidths(c)) + "\r\n";
  ExportNotification(esExportStart, SaveStartRow());
  int last = -1;
  std::string firstNonAscii; // the cell to name when the Windows-1252 bytes would read as UTF-8
  for (int r = SaveStartRow(); r <= SaveEndRow(); ++r) {
    ExportNotification(esExportNextRow, r);
    for (int c = c0; c <= c1; ++c) {
      int rc = realCol(c);
      if (rc < 0) continue;
      std::string cell = GetSaveCellText(rc, r);
      if (cell.empty()) continue;
      if (!Unicode && !Utf8ToAnsiExact(cell))
        throw EProGridError("Cell " + CellName(c, r) +
                            " holds text Windows-1252 cannot hold; nothing was saved");
      if (!Unicode && firstNonAscii.empty() && std::any_of(cell.begin(), cell.end(), [](char ch) {
            return static_cast<unsigned char>(ch) >= 0x80;
          }))
        firstNonAscii = CellName(c, r);
      text += std::to_string(c) + "," + std::to_string(r) + "," + PackLineBreaks(std::move(cell)) + "\r\n";
    }
    int p = Percent(r - SaveStartRow(), std::max(1, SaveRowCount() - 1));
    if (OnFileProgress && p != last) OnFileProgress(this, static_cast<std::int16_t>(last = p));
  }
  ExportNotification(esExportDone, -1);
  if (Unicode) return std::string("\xFF\xFE", 2) + Utf8ToUtf16Le(text);
  // The reader takes a file that is valid UTF-8 for UTF-8, so Windows-1252 bytes that happen to
  // form it ("Ã©" is C3 A9) would load as other characters.
  std::optional<std::string> ansi = EncodeAnsiTextFile(text);
  if (!ansi)
    throw EProGridError(
        "Cell " + firstNonAscii +
        " holds text that would load back as other characters from Windows-1252; nothing was saved");
  return std::move(*ansi);
}

void TProStringGrid::SaveToFile(const std::string& FileName, bool Unicode) {
  TWriteResult written = WriteFileAtomic(FileName, CellFileBytes(Unicode));
  if (!written) throw EProGridError(written.Error);
}

void TProStringGrid::LoadFromFile(const std::string& FileName) {
  std::string bytes;
  if (!ReadFileBytes(FileName, bytes)) throw EProGridError("File " + FileName + " not found");
  LoadCellFileBytes(bytes, FileName);
}

void TProStringGrid::LoadCellFileBytes(std::string_view Bytes, const std::string& Name) {
  const std::string corrupt = "File contains no data or corrupt file " + Name;
  const std::string text = DecodeTextFile(Bytes);
  const std::vector<std::string_view> lines = SplitLines(text);
  if (lines.empty()) throw EProGridError(corrupt);
  const int a = FSaveFixedCells || FSaveFixedCols ? 0 : FixedCols();
  const int b = FSaveFixedCells || FSaveFixedRows ? 0 : FixedRows();
  std::string_view header = lines[0];
  std::size_t comma = header.find(',');
  std::optional<int> cols = StrictInt(header.substr(0, comma));
  std::optional<int> rows = comma == header.npos ? std::nullopt : StrictInt(header.substr(comma + 1));
  if (!cols || !rows || *cols <= 0 || *rows <= 0) throw EProGridError(corrupt);
  if (*cols > FFileOptions.MaxLoadColCount - a || *rows > FFileOptions.MaxLoadRowCount - b)
    throw EProGridError("File " + Name + " holds more columns or rows than the grid loads");
  const int colCount = a + *cols, rowCount = b + *rows;

  // The whole file is checked before the grid changes; malformed lines and cells outside are skipped.
  std::vector<std::pair<int, int>> widths;
  std::vector<TCellLine> cells;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    std::string_view line = lines[i];
    if (line.substr(0, 2) == "cw") {
      std::string_view rest = line.substr(std::min<std::size_t>(3, line.size()));
      std::size_t k = rest.find(',');
      if (k == rest.npos) continue;
      std::optional<int> c = StrictInt(rest.substr(0, k)), w = StrictInt(rest.substr(k + 1));
      if (c && w && *c >= 0 && *c < colCount && *w >= 0 && *w <= 65535) widths.emplace_back(*c, *w);
      continue;
    }
    std::size_t k1 = line.find(',');
    if (k1 == line.npos) continue;
    std::size_t k2 = line.find(',', k1 + 1);
    if (k2 == line.npos) continue;
    std::optional<int> c = StrictInt(line.substr(0, k1)), r = StrictInt(line.substr(k1 + 1, k2 - k1 - 1));
    if (!c || !r || *c < 0 || *c >= colCount || *r < 0 || *r >= rowCount) continue;
    cells.push_back({*c, *r, UnpackLineBreaks(std::string(line.substr(k2 + 1)), FMultilineCells)});
  }
  // The writer gives every column its width line: a header claiming more columns than that is no
  // file of ours.
  if (static_cast<long long>(widths.size()) < *cols) throw EProGridError(corrupt);

  UnHideColumnsAll();
  SetColCount(colCount);
  SetRowCount(rowCount);
  for (auto [c, w] : widths)
    SetColWidths(c, w);
  int last = -1;
  for (TCellLine& cell : cells) {
    LoadCellText(cell.Col, cell.Row, cell.Text);
    int p = Percent(cell.Row - b, std::max(1, *rows - 1));
    if (OnFileProgress && p != last) OnFileProgress(this, static_cast<std::int16_t>(last = p));
  }
  CellsChanged(TRect{0, 0, ColCount(), RowCount()});
  CellsLoaded();
}

double TProStringGrid::CellToReal(int ACol, int ARow) {
  const std::string text = Cells(ACol, ARow);
  if (text.empty()) return 0;
  const std::string plain = NormalizeNumberText(text);
  double value = 0;
  const char* end = plain.data() + plain.size();
  const auto [stop, error] = std::from_chars(plain.data(), end, value);
  if (error != std::errc() || stop != end) {
    // An empty or unreadable start fails at the first character, a tail at its own.
    const std::size_t at = error != std::errc() ? 1 : static_cast<std::size_t>(stop - plain.data()) + 1;
    throw EProGridError("Error at position: " + std::to_string(at) + " in Cell [" + std::to_string(ACol) +
                        ", " + std::to_string(ARow) + "].");
  }
  return value;
}
