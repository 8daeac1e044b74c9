// Fixed-width fields: written with a width per column, read from given start positions.
#include "grid/GridFileText.h"
#include "grid/ProGrid.h"
#include "platform/AtomicFile.h"
#include "platform/Files.h"
#include "platform/TextCodec.h"

#include <algorithm>

using namespace gridfile;

namespace {

// A field never spans lines: every line break in it is written as a blank.
std::string OneLine(std::string text) {
  std::replace_if(
      text.begin(), text.end(), [](char ch) { return ch == '\r' || ch == '\n'; }, ' ');
  return text;
}

} // namespace

std::string TProStringGrid::FixedBytes(TIntList& Positions) {
  const bool all = FFileOptions.SaveHiddenCells;
  const int h = all ? NumHiddenColumns() : 0;
  const int c0 = SaveStartCol(), c1 = SaveEndCol() + h;
  std::vector<int> real;
  for (int c = c0; c <= c1; ++c)
    real.push_back(all ? c : DisplToRealCol(c));
  for (std::size_t i = static_cast<std::size_t>(Positions.Count()); i < real.size(); ++i)
    Positions.Add(real[i] < 0 ? 1 : MaxColumnTextLength(real[i]) + 1);
  std::string text;
  ExportNotification(esExportStart, SaveStartRow());
  for (int r = SaveStartRow(); r <= SaveEndRow(); ++r) {
    ExportNotification(esExportNextRow, r);
    for (std::size_t k = 0; k < real.size(); ++k) {
      const long long w = std::max(0, Positions.Items(static_cast<int>(k)));
      const std::string cell = real[k] < 0 ? std::string() : OneLine(GetSaveCellText(real[k], r));
      if (!Utf8ToAnsiExact(cell))
        throw EProGridError("Cell " + CellName(c0 + static_cast<int>(k), r) +
                            " holds text Windows-1252 cannot hold; nothing was saved");
      std::string_view piece = CharSlice(cell, 0, w);
      text += piece;
      text.append(static_cast<std::size_t>(w - CharCount(piece)), ' ');
    }
    text += "\r\n";
  }
  ExportNotification(esExportDone, -1);
  return Utf8ToWindows1252(text);
}

void TProStringGrid::SaveToFixed(const std::string& FileName, TIntList& Positions) {
  const std::string bytes = FixedBytes(Positions);
  if (!WriteFileAtomic(FileName, bytes)) throw EProGridError("Cannot Create file " + FileName);
}

void TProStringGrid::LoadFromFixed(const std::string& FileName, TIntList& Positions, bool DoTrim,
                                   int MaxRows) {
  std::string bytes;
  if (!ReadFileBytes(FileName, bytes)) throw EProGridError("File " + FileName + " not found");
  LoadFixedBytes(bytes, Positions, DoTrim, MaxRows);
}

void TProStringGrid::LoadFixedBytes(std::string_view Bytes, TIntList& Positions, bool DoTrim, int MaxRows) {
  if (Positions.Count() < 2)
    throw EProGridError(
        "Fixed-width fields need at least two positions: the start of each field and the end of "
        "the last");
  std::vector<int> pos = Positions.ToVector();
  std::sort(pos.begin(), pos.end());
  Positions.Clear();
  for (int p : pos)
    Positions.Add(p);
  const std::string text = DecodeTextFile(Bytes);
  const std::vector<std::string_view> lines = SplitLines(text);
  const int fields = static_cast<int>(pos.size()) - 1;
  const int c0 = SaveStartCol(), r0 = SaveStartRow();
  std::size_t count = lines.size();
  if (MaxRows != -1) count = std::min(count, static_cast<std::size_t>(std::max(1, MaxRows)));
  // Checked before the grid changes.
  if (static_cast<long long>(FixedCols()) + fields > FFileOptions.MaxLoadColCount ||
      static_cast<long long>(c0) + fields > FFileOptions.MaxLoadColCount)
    throw EProGridError("The positions give more columns than the grid loads");
  if (static_cast<long long>(r0) + static_cast<long long>(count) > FFileOptions.MaxLoadRowCount)
    throw EProGridError("The file holds more rows than the grid loads");

  SetColCount(std::max(FixedCols() + fields, c0 + fields));
  if (r0 + static_cast<int>(count) > RowCount()) SetRowCount(r0 + static_cast<int>(count));
  std::vector<int> real;
  for (int k = 0; k < fields; ++k)
    real.push_back(DisplToRealCol(c0 + k));
  for (std::size_t i = 0; i < count; ++i)
    for (int k = 0; k < fields; ++k) {
      std::string_view field = CharSlice(lines[i], std::max(1, pos[k]) - 1LL, std::max(1, pos[k + 1]) - 1LL);
      if (DoTrim) {
        while (!field.empty() && field.front() == ' ')
          field.remove_prefix(1);
        while (!field.empty() && field.back() == ' ')
          field.remove_suffix(1);
      }
      if (real[k] >= 0) LoadCellText(real[k], r0 + static_cast<int>(i), std::string(field));
    }
  CellsChanged(TRect{0, 0, ColCount(), RowCount()});
  CellsLoaded();
}
