// The cell text file's stream form: the same lines as UTF-16 little-endian, each ended by CR LF,
// without a byte-order mark, cell indexes relative to the save range. Its reader stops at the
// first line that is not its own, so several grids (or a grid and other data) share one stream.
#include "grid/GridFileText.h"
#include "grid/ProGrid.h"
#include "platform/TextCodec.h"

#include <algorithm>

using namespace gridfile;

namespace {

std::string Utf16Line(const std::string& utf8) {
  return Utf8ToUtf16Le(utf8) + std::string("\r\0\n\0", 4);
}

// Reads one line from the position: code units up to a CR, whose following unit is dropped; a
// line also ends at the end of the stream, and a lone last byte is no unit.
std::string ReadUtf16Line(const std::string& bytes, std::size_t& pos) {
  std::u16string units;
  while (pos + 2 <= bytes.size()) {
    char16_t u = static_cast<char16_t>(static_cast<unsigned char>(bytes[pos]) |
                                       static_cast<unsigned char>(bytes[pos + 1]) << 8);
    pos += 2;
    if (u == u'\r') {
      if (pos + 2 <= bytes.size()) pos += 2;
      break;
    }
    units += u;
  }
  std::string out;
  for (std::size_t i = 0; i < units.size(); ++i) {
    char32_t c = units[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] < 0xE000)
      c = 0x10000 + ((c - 0xD800) << 10) + (units[++i] - 0xDC00);
    AppendUtf8(out, c);
  }
  return out;
}

struct TStreamCell {
  int Col, Row;
  std::string Text;
};

} // namespace

void TProStringGrid::SaveToStream(TStream& Stream) {
  std::string out = Utf16Line(std::to_string(SaveColCount()) + "," + std::to_string(SaveRowCount()));
  for (int c = 0; c < ColCount(); ++c)
    out += Utf16Line("cw " + std::to_string(c) + "," + std::to_string(ColWidths(c)));
  ExportNotification(esExportStart, SaveStartRow());
  for (int r = SaveStartRow(); r <= SaveEndRow(); ++r) {
    ExportNotification(esExportNextRow, r);
    for (int c = SaveStartCol(); c <= SaveEndCol(); ++c) {
      const int rc = DisplToRealCol(c);
      if (rc < 0) continue;
      std::string text = GetSaveCellText(rc, r);
      if (text.empty()) continue;
      out += Utf16Line(std::to_string(c - SaveStartCol()) + "," + std::to_string(r - SaveStartRow()) + "," +
                       PackLineBreaks(std::move(text)));
    }
  }
  ExportNotification(esExportDone, -1);
  Stream.WriteBuffer(out);
}

void TProStringGrid::LoadFromStream(TStream& Stream) {
  const std::int64_t start = Stream.Position();
  const std::string bytes = Stream.ReadRest();
  Stream.SetPosition(start);
  std::size_t pos = 0;
  if (bytes.empty()) return;
  const int c0 = SaveStartCol(), r0 = SaveStartRow();
  int colCount = ColCount(), rowCount = RowCount();
  int savedCols = -1;
  const std::string header = ReadUtf16Line(bytes, pos);
  if (!header.empty()) {
    const std::size_t comma = header.find(',');
    std::optional<int> cols = StrictInt(std::string_view(header).substr(0, comma));
    std::optional<int> rows =
        comma == header.npos ? std::nullopt : StrictInt(std::string_view(header).substr(comma + 1));
    if (!cols || !rows || *cols < 0 || *rows < 0) throw EProGridError("The stream holds no grid of cells");
    if (static_cast<long long>(*cols) + c0 > FFileOptions.MaxLoadColCount ||
        static_cast<long long>(*rows) + r0 > FFileOptions.MaxLoadRowCount)
      throw EProGridError("The stream holds more columns or rows than the grid loads");
    colCount = *cols + c0;
    rowCount = *rows + r0;
    savedCols = *cols;
  }

  // The whole stream is read and checked before the grid changes.
  std::vector<std::pair<int, int>> widths;
  std::vector<TStreamCell> cells;
  std::size_t end = pos;
  while (bytes.size() - pos >= 2) {
    const std::size_t here = pos;
    const std::string line = ReadUtf16Line(bytes, pos);
    if (line.compare(0, 2, "cw") == 0) {
      const std::string_view rest = std::string_view(line).substr(std::min<std::size_t>(3, line.size()));
      const std::size_t k = rest.find(',');
      std::optional<int> c = StrictInt(rest.substr(0, k));
      std::optional<int> w = k == rest.npos ? std::nullopt : StrictInt(rest.substr(k + 1));
      if (!c || !w || *w < 0 || *w > 65535) throw EProGridError("The stream's column widths are damaged");
      if (*c < 0 || *c >= colCount) throw EProGridError("Grid index out of range");
      widths.emplace_back(*c, *w);
      end = pos;
      continue;
    }
    const std::size_t k1 = line.find(',');
    const std::size_t k2 = k1 == line.npos ? line.npos : line.find(',', k1 + 1);
    // A line whose column or row field is empty is no line of ours: the stream stays before it.
    if (k1 == 0 || k1 == line.npos || k2 == k1 + 1 || k2 == line.npos) {
      pos = here;
      break;
    }
    std::optional<int> c = StrictInt(std::string_view(line).substr(0, k1));
    std::optional<int> r = StrictInt(std::string_view(line).substr(k1 + 1, k2 - k1 - 1));
    if (!c || !r) throw EProGridError("The stream's cell lines are damaged");
    end = pos;
    const long long tc = static_cast<long long>(*c) + c0, tr = static_cast<long long>(*r) + r0;
    if (*c < 0 || *r < 0 || tc >= colCount || tr >= rowCount) continue; // outside the grid: dropped
    cells.push_back(
        {static_cast<int>(tc), static_cast<int>(tr), UnpackLineBreaks(line.substr(k2 + 1), FMultilineCells)});
  }
  // The writer gives every column of the grid its width line: a header claiming more columns
  // than that is no stream of ours.
  if (savedCols > static_cast<int>(widths.size()))
    throw EProGridError("The stream holds more columns than width lines");

  if (colCount != ColCount()) SetColCount(colCount);
  if (rowCount != RowCount()) SetRowCount(rowCount);
  for (auto [c, w] : widths)
    SetColWidths(c, w);
  for (TStreamCell& cell : cells) {
    const int rc = DisplToRealCol(cell.Col);
    if (rc >= 0) LoadCellText(rc, cell.Row, cell.Text);
  }
  Stream.SetPosition(start + static_cast<std::int64_t>(end));
  CellsChanged(TRect{0, 0, ColCount(), RowCount()});
  CellsLoaded();
}
