// Column-aligned plain text for reading and printing: every column as wide as its longest line,
// lines of multi-line cells on continuation lines below their row.
#include "grid/GridFileText.h"
#include "grid/ProGrid.h"
#include "platform/AtomicFile.h"
#include "platform/Files.h"
#include "platform/TextCodec.h"
#include "platform/ui/Application.h"

#include <algorithm>

using namespace gridfile;

namespace {

// The cursor shows the hourglass while the export runs, and what it showed before afterwards.
class TBusyCursor {
public:
  TBusyCursor() : FOld(Screen->Cursor()) { Screen->SetCursor(crHourGlass); }
  ~TBusyCursor() { Screen->SetCursor(FOld); }
  TBusyCursor(const TBusyCursor&) = delete;
  TBusyCursor& operator=(const TBusyCursor&) = delete;

private:
  TCursor FOld;
};

// The lines of a cell text, split at CR LF, CR or LF; only the first one unless every line is kept.
std::vector<std::string_view> TextLines(std::string_view text, bool every) {
  std::vector<std::string_view> lines = SplitLines(text);
  if (lines.empty()) lines.emplace_back();
  if (!every) lines.resize(1);
  return lines;
}

std::string Blanks(long long n) {
  return std::string(static_cast<std::size_t>(std::max(0LL, n)), ' ');
}

// The piece aligned in a column of width w, followed by the blank that separates the columns.
std::string Aligned(std::string_view piece, int w, TAlignment align) {
  std::string out(piece);
  long long length = CharCount(piece);
  if (align == taRightJustify) {
    out = Blanks(w - length) + out;
    length = std::max<long long>(length, w);
  } else if (align == taCenter) {
    while (length < w) {
      out = " " + out + " ";
      length += 2;
    }
  }
  return out + Blanks(w - length + 1);
}

} // namespace

std::vector<std::string> TProStringGrid::ASCIILines() {
  TBusyCursor busy;
  const bool all = FFileOptions.SaveHiddenCells;
  const int h = all ? NumHiddenColumns() : 0;
  const int a = FSaveFixedCells || FSaveFixedCols ? 0 : FixedCols();
  const int b = FSaveFixedCells || FSaveFixedRows ? 0 : FixedRows();
  std::vector<int> real, width, start;
  int x = 0;
  for (int c = a; c < ColCount() + h; ++c) {
    real.push_back(all ? c : DisplToRealCol(c));
    width.push_back(real.back() < 0 ? 0 : MaxColumnTextLength(real.back()));
    start.push_back(x);
    x += width.back() + 1;
  }
  std::vector<std::string> lines;
  ExportNotification(esExportStart, b);
  for (int r = b; r < RowCount(); ++r) {
    ExportNotification(esExportNextRow, r);
    std::string line;
    std::vector<std::string> more;
    for (std::size_t k = 0; k < real.size(); ++k) {
      if (real[k] < 0) {
        line += Aligned({}, width[k], taLeftJustify);
        continue;
      }
      const std::string text = GetSaveCellText(real[k], r);
      TAlignment ha = taLeftJustify;
      TVAlignment va = vtaTop;
      CalcCellAlignment(real[k], r, ha, va);
      const std::vector<std::string_view> pieces = TextLines(text, FMultilineCells);
      line += Aligned(pieces[0], width[k], ha);
      for (std::size_t i = 1; i < pieces.size(); ++i) {
        if (more.size() < i) more.emplace_back();
        std::string& cont = more[i - 1];
        cont += Blanks(start[k] - CharCount(cont));
        cont += Aligned(pieces[i], width[k], ha);
      }
    }
    lines.push_back(std::move(line));
    for (std::string& cont : more)
      lines.push_back(std::move(cont));
  }
  ExportNotification(esExportDone, -1);
  return lines;
}

namespace {

void SaveASCIIFile(TProStringGrid& Grid, const std::string& FileName, bool Unicode, bool Append) {
  std::string text;
  std::string old;
  if (Append && FileExists(FileName) && ReadFileBytes(FileName, old)) AppendFileLines(text, old);
  for (const std::string& line : Grid.ASCIILines()) {
    text += line;
    text += "\r\n";
  }
  // Nothing reads this file back: characters Windows-1252 lacks are written as "?".
  const std::string bytes =
      Unicode ? std::string("\xFF\xFE", 2) + Utf8ToUtf16Le(text) : Utf8ToWindows1252(text);
  TWriteResult written = WriteFileAtomic(FileName, bytes);
  if (!written) throw EProGridError(written.Error);
}

} // namespace

void TProStringGrid::SaveToASCII(const std::string& FileName, bool Unicode) {
  SaveASCIIFile(*this, FileName, Unicode, false);
}

void TProStringGrid::AppendToASCII(const std::string& FileName, bool Unicode) {
  SaveASCIIFile(*this, FileName, Unicode, true);
}
