// The copy side of the clipboard: cells become TAB and CR LF text, optionally with the top-left
// cell's rich text and the block as a binary cell stream in the grid's own format; cut empties
// what it copied; the selection as text, and such text written back.
#include "controls/ProUtilCellText.h"
#include "controls/ProUtilText.h"
#include "grid/GridClipboardText.h"
#include "grid/ProGrid.h"
#include "grid/ProGridUnit.h"
#include "grid/UndoRedo.h"
#include "platform/TextCodec.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/RichEditText.h"

#include <algorithm>

namespace {

bool Contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

// One copied field holding line breaks: each CR LF (or lone CR) as one LF, in double quotes, so
// that the paste gives CR LF back.
std::string QuoteLineBreaks(const std::string& text) {
  std::string out = "\"";
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      out += '\n';
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      out += text[i];
    }
  }
  return out + "\"";
}

} // namespace

TClipFormat RichTextClipboardFormat() {
  static const TClipFormat f = RegisterClipboardFormat("Rich Text Format");
  return f;
}

std::vector<std::vector<std::string>> SplitPastedText(std::string_view Text, bool& EndsWithBreak) {
  std::vector<std::vector<std::string>> lines;
  EndsWithBreak = false;
  std::size_t i = 0;
  while (i < Text.size()) {
    std::size_t end = Text.find('\r', i);
    std::string_view line = Text.substr(i, end == Text.npos ? Text.npos : end - i);
    std::vector<std::string> fields;
    std::size_t k = 0;
    for (;;) {
      std::size_t tab = line.find('\t', k);
      std::string field(line.substr(k, tab == line.npos ? line.npos : tab - k));
      if (field.find('\n') != std::string::npos) {
        // A copied multi-line field: its quotes go, U+000B and each lone LF become CR LF.
        if (!field.empty() && field.front() == '"') field.erase(0, 1);
        if (!field.empty() && field.back() == '"') field.pop_back();
      }
      std::string fixed;
      for (std::size_t j = 0; j < field.size(); ++j) {
        if (field[j] == '\v' || (field[j] == '\n' && (j == 0 || field[j - 1] != '\r')))
          fixed += "\r\n";
        else
          fixed += field[j];
      }
      fields.push_back(std::move(fixed));
      if (tab == line.npos) break;
      k = tab + 1;
    }
    lines.push_back(std::move(fields));
    if (end == Text.npos) break;
    i = end + 1;
    if (i < Text.size() && Text[i] == '\n') ++i;
    if (i >= Text.size()) EndsWithBreak = true;
  }
  return lines;
}

std::string TProStringGrid::GetRectAsText(const TGridRect& R, bool Disjunct) {
  FClipTopLeft = {R.Left, R.Top};
  ExportNotification(esExportStart, -1);
  const bool rowsOnly = Disjunct && FMouseActions->DisjunctRowSelect() && !FMouseActions->DisjunctColSelect();
  const bool colsOnly = Disjunct && FMouseActions->DisjunctColSelect();
  std::string out;
  for (int r = R.Top; r <= R.Bottom; ++r) {
    if (rowsOnly && !RowSelect(FMouseActions->RowSelectPersistent() ? RealRowIndex(r) : r)) continue;
    ExportNotification(esExportNewRow, r);
    for (int c = R.Left; c <= R.Right; ++c) {
      if (colsOnly && !ColSelect(c)) continue;
      const int rc = RealColIndex(c);
      std::string text = rc >= 0 ? GetSaveCellText(rc, r) : std::string();
      if (text.compare(0, 2, "|\\") == 0) text = DecodeWideCellText(text);
      if (!FNavigation.CopyHTMLTagsToClipboard() && Contains(text, "</"))
        text = StrippedCells(c, r);
      else if (Contains(text, "{\\"))
        text = RichTextToPlain(text);
      if (FExcelClipboardFormat && CountTextLines(text, FMultilineCells) > 1)
        QuoteMultiLineCSV(text);
      else if (text.find_first_of("\r\n") != std::string::npos)
        text = QuoteLineBreaks(text);
      out += text;
      if (c != R.Right) out += '\t';
    }
    if (R.Bottom > R.Top) out += "\r\n";
  }
  ExportNotification(esExportDone, -1);
  return out;
}

void TProStringGrid::CopyRectToClipboard(const TGridRect& R, bool Disjunct) {
  const std::string text = GetRectAsText(R, Disjunct);
  TClipboard& clip = *Clipboard();
  clip.Open();
  try {
    clip.SetAsText(text);
    if (FNavigation.AllowRTFClipboard()) {
      const int rc = RealColIndex(R.Left);
      const std::string rtf = rc >= 0 ? GridCells(rc, R.Top) : std::string();
      if (Contains(rtf, "{\\")) {
        std::u32string chars = Utf8ToUtf32(rtf);
        std::string block;
        for (char32_t ch : chars) {
          auto unit = [&block](unsigned u) {
            block += static_cast<char>(u & 0xFF);
            block += static_cast<char>(u >> 8);
          };
          if (ch >= 0x10000) {
            unit(0xD800 + ((ch - 0x10000) >> 10));
            unit(0xDC00 + ((ch - 0x10000) & 0x3FF));
          } else {
            unit(ch);
          }
        }
        clip.SetBuffer(RichTextClipboardFormat(), block + std::string(2, '\0'));
      }
    }
    if (UseFmtClipboard()) {
      TMemoryStream stream;
      SaveRectToBinStream(R, stream);
      clip.SetBuffer(GridCellsClipboardFormat(), stream.Bytes());
    }
  } catch (...) {
    clip.Close();
    throw;
  }
  clip.Close();
}

void TProStringGrid::ExtendSelectionToMerges() {
  TGridRect s = Selection();
  const TGridRect old = s;
  if (IsMergedCell(s.Left, s.Top)) {
    const TPoint b = BaseCell(s.Left, s.Top);
    s.Left = b.X;
    s.Top = b.Y;
  }
  if (IsMergedCell(s.Right, s.Bottom)) {
    const TRect full = FullCell(s.Right, s.Bottom);
    s.Right = std::max(s.Right, full.Right);
    s.Bottom = std::max(s.Bottom, full.Bottom);
  }
  if (!(s == old)) SetSelection(s);
}

void TProStringGrid::CopySelectionToClipboard() {
  ExtendSelectionToMerges();
  const bool fmt = UseFmtClipboard();
  if (FMouseActions->DisjunctRowSelect() && !fmt)
    CopyRectToClipboard({FixedCols(), SaveStartRow(), ColCount() - FFixedRightCols - 1, SaveEndRow()}, true);
  else if (FMouseActions->DisjunctColSelect() && !fmt)
    CopyRectToClipboard({SaveStartCol(), SaveStartRow(), SaveEndCol(), SaveEndRow()}, true);
  else
    CopyRectToClipboard(Selection(), false);
  FClipLastOp = coCopy;
}

void TProStringGrid::CopyToClipBoard() {
  CopyRectToClipboard({SaveStartCol(), SaveStartRow(), SaveEndCol(), SaveEndRow()}, false);
  FClipLastOp = coCopy;
}

void TProStringGrid::CutToClipboard() {
  CopyToClipBoard();
  const bool always = FNavigation.AllowClipboardAlways();
  for (int r = SaveStartRow(); r <= SaveEndRow(); ++r) {
    for (int c = SaveStartCol(); c <= SaveEndCol(); ++c) {
      const int rc = RealColIndex(c);
      if (rc >= 0 && (always || IsEditable(rc, r))) SetCells(rc, r, "");
    }
    if (FShowModified.Enabled()) SetRowModified(r, true);
  }
  FClipLastOp = coCut;
}

void TProStringGrid::CutSelectionToClipboard() {
  const TGridRect before = Selection();
  CopySelectionToClipboard();
  const bool persistent = FMouseActions->RowSelectPersistent();
  if (FMouseActions->DisjunctRowSelect()) {
    for (int r = FixedRows(); r < RowCount(); ++r)
      if (RowSelect(persistent ? RealRowIndex(r) : r)) {
        ClearRows(r, 1);
        if (FShowModified.Enabled()) SetRowModified(r, true);
      }
  } else if (FMouseActions->DisjunctColSelect()) {
    for (int c = FixedCols(); c < ColCount(); ++c)
      if (ColSelect(c)) ClearCols(c, 1);
  } else {
    const TGridRect s = Selection();
    const bool always = FNavigation.AllowClipboardAlways();
    TProGridUndoRedo* undo = UndoRedo();
    if (undo) undo->StartSequence();
    for (int r = s.Top; r <= s.Bottom; ++r) {
      for (int c = s.Left; c <= s.Right; ++c) {
        const int rc = RealColIndex(c);
        if (rc < 0 || !(always || IsEditable(rc, r))) continue;
        if (undo) undo->RegisterChange(rc, r, GridCells(rc, r), "");
        SetCells(rc, r, "");
      }
      if (FShowModified.Enabled()) SetRowModified(r, true);
    }
    if (undo) undo->StopSequence();
    if (FNavigation.AllowFmtClipboard())
      FreeCellPropertiesRange(RealColIndex(s.Left), s.Top, RealColIndex(s.Right), s.Bottom);
  }
  FClipLastOp = coCut;
  if (OnCellsChanged) OnCellsChanged(this, TRect{before.Left, before.Top, before.Right, before.Bottom});
  if (NumHiddenColumns() > 0) Invalidate();
}

std::string TProStringGrid::GetSelectionAsText() {
  return GetRectAsText(Selection(), false);
}

TPoint TProStringGrid::TextCellExtent(const std::string& Text) {
  bool endsWithBreak = false;
  const auto lines = SplitPastedText(Text, endsWithBreak);
  int fields = 0;
  for (const auto& line : lines)
    fields = std::max(fields, static_cast<int>(line.size()));
  return {fields, std::max(0, static_cast<int>(lines.size()) - 1)};
}

void TProStringGrid::SetSelectionAsText(const std::string& Value) {
  const TGridRect s = Selection();
  bool endsWithBreak = false;
  const auto lines = SplitPastedText(Value, endsWithBreak);
  if (lines.empty()) return;
  int fields = 0;
  for (const auto& line : lines)
    fields = std::max(fields, static_cast<int>(line.size()));
  // The grid grows to hold the text before anything is written, and never past its maximums.
  const bool footerRow = FFloatingFooter.Visible() && FFloatingFooter.FooterStyle() == fsFixedLastRow;
  const long long needCols = static_cast<long long>(s.Left) + fields;
  const long long needRows =
      static_cast<long long>(s.Top) + static_cast<long long>(lines.size()) + (footerRow ? 1 : 0);
  if (needCols > FFileOptions.MaxLoadColCount || needRows > FFileOptions.MaxLoadRowCount)
    throw EProGridError("The text holds more columns or rows than the grid takes");
  if (needCols > ColCount()) SetColCount(static_cast<int>(needCols));
  if (needRows > RowCount()) SetRowCount(static_cast<int>(needRows));
  int lastCol = s.Left, lastRow = s.Top;
  for (std::size_t li = 0; li < lines.size(); ++li) {
    const int r = s.Top + static_cast<int>(li);
    for (std::size_t fi = 0; fi < lines[li].size(); ++fi) {
      const int c = s.Left + static_cast<int>(fi);
      std::string field = lines[li][fi];
      if (field.compare(0, 2, "|\\") == 0) field = EncodeWideCellText(DecodeWideCellText(field));
      const int rc = RealColIndex(c);
      if (rc < 0 || r >= RowCount()) continue;
      SetGridCells(rc, r, field);
      lastCol = std::max(lastCol, rc);
      lastRow = std::max(lastRow, r);
    }
  }
  CellsChanged(TRect{RealColIndex(s.Left), s.Top, lastCol, lastRow});
}
