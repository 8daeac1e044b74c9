// The paste side of the clipboard: the grid's own format first, then one cell of rich text, then
// the clipboard's text; a selection paste fills the rest of the selection with a repeated value,
// a series or a repeated block.
#include "controls/ProUtilCellText.h"
#include "controls/ProUtilDates.h"
#include "grid/GridClipboardText.h"
#include "grid/ProGrid.h"
#include "grid/ProGridUnit.h"
#include "grid/UndoRedo.h"
#include "platform/DateText.h"
#include "platform/Format.h"
#include "platform/Locale.h"
#include "platform/Persistent.h"
#include "platform/TextCodec.h"
#include "platform/ui/Clipboard.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>

namespace {

std::string FromUtf16UpToZero(std::string_view block) {
  std::u32string chars;
  const std::size_t n = block.size() / 2; // a lone last byte is no character
  auto unit = [&](std::size_t i) {
    return static_cast<char32_t>(static_cast<unsigned char>(block[2 * i]) |
                                 static_cast<unsigned char>(block[2 * i + 1]) << 8);
  };
  for (std::size_t i = 0; i < n; ++i) {
    char32_t u = unit(i);
    if (u == 0) break;
    if (u >= 0xD800 && u < 0xDC00 && i + 1 < n && unit(i + 1) >= 0xDC00 && unit(i + 1) < 0xE000) {
      u = 0x10000 + ((u - 0xD800) << 10) + (unit(i + 1) - 0xDC00);
      ++i;
    }
    chars += u;
  }
  return Utf32ToUtf8(chars);
}

std::optional<long long> AsInteger(const std::string& text) {
  long long v = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return v;
}

std::optional<double> AsNumber(std::string text) {
  const char sep = FormatSettings().DecimalSeparator;
  std::replace(text.begin(), text.end(), sep, '.');
  double v = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return v;
}

bool IsDateOrTime(const std::string& text) {
  return IsDateText(text) || text.find(FormatSettings().TimeSeparator) != std::string::npos;
}

// A date, a time or both ("date time").
double AsDateTime(const std::string& text) {
  const bool hasDate = text.find(FormatSettings().DateSeparator) != std::string::npos;
  if (!hasDate) return StrToTime(text);
  const std::size_t blank = text.find(' ');
  if (blank == std::string::npos) return StrToDate(text);
  return StrToDate(text.substr(0, blank)) + StrToTime(text.substr(blank + 1));
}

} // namespace

void TProStringGrid::PasteCell(int ACol, int ARow, const std::string& Value) {
  const int rc = RealColIndex(ACol);
  if (rc < 0) return;
  if (TProGridUndoRedo* undo = UndoRedo()) undo->RegisterChange(rc, ARow, GridCells(rc, ARow), Value);
  if (HasCheckBox(rc, ARow))
    ChangeCheckBoxState(rc, ARow, Value == CheckTrue());
  else
    SetCells(rc, ARow, Value);
  if (rc != ACol) RepaintCell(ACol, ARow);
}

void TProStringGrid::CellsPasted(TPoint, const TGridRect& ToRect, TClipOperation) {
  if (!FShowModified.Enabled()) return;
  for (int r = ToRect.Top; r <= ToRect.Bottom && r < RowCount(); ++r)
    SetRowModified(r, true);
}

bool TProStringGrid::PasteAllowedAt(int ACol, int ARow) {
  const int rc = RealColIndex(ACol);
  return rc >= 0 && ACol < ColCount() && ARow < RowCount() &&
         (FNavigation.AllowClipboardAlways() || IsEditable(rc, ARow));
}

bool TProStringGrid::PasteField(int ACol, int ARow, std::string Field, bool Events) {
  bool allow = true;
  const bool wide = Field.compare(0, 2, "|\\") == 0;
  if (wide) {
    std::string decoded = DecodeWideCellText(Field);
    if (Events && OnClipboardBeforePasteWideCell)
      OnClipboardBeforePasteWideCell(this, ACol, ARow, decoded, allow);
    Field = EncodeWideCellText(decoded);
  } else if (Events && OnClipboardBeforePasteCell) {
    OnClipboardBeforePasteCell(this, ACol, ARow, Field, allow);
  }
  if (!allow) return false;
  PasteCell(ACol, ARow, Field);
  if (Events && wide && OnClipboardAfterPasteWideCell)
    OnClipboardAfterPasteWideCell(this, ACol, ARow, DecodeWideCellText(Field));
  else if (Events && !wide && OnClipboardAfterPasteCell)
    OnClipboardAfterPasteCell(this, ACol, ARow, Field);
  return true;
}

int TProStringGrid::PasteText(int ACol, int ARow, const std::string& Text, int& Lines, int& Fields) {
  Lines = Fields = 0;
  if (ACol < 0 || ARow < 0) return 0;
  if (!(Options() & goEditing) && !FNavigation.AllowClipboardAlways() && !FMouseActions->RangeSelectAndEdit())
    return 0;
  bool endsWithBreak = false;
  const auto lines = SplitPastedText(Text, endsWithBreak);
  const bool insert = FNavigation.ClipboardPasteAction() == paInsert;
  int widest = 0, nonEmpty = 0;
  for (const auto& line : lines) {
    widest = std::max(widest, static_cast<int>(line.size()));
    if (!(line.size() == 1 && line[0].empty())) ++nonEmpty;
  }
  // Growth is worked out and checked before anything is written.
  const bool footerRow = FFloatingFooter.Visible() && FFloatingFooter.FooterStyle() == fsFixedLastRow;
  long long needCols = ColCount(), needRows = RowCount();
  if (FNavigation.AllowClipboardColGrow())
    needCols = std::max<long long>(needCols, static_cast<long long>(ACol) + widest);
  if (insert)
    needRows += nonEmpty;
  else if (FNavigation.AllowClipboardRowGrow())
    needRows = std::max<long long>(needRows, static_cast<long long>(ARow) +
                                                 static_cast<long long>(lines.size()) + (footerRow ? 1 : 0));
  if (needCols > std::max(ColCount(), FFileOptions.MaxLoadColCount) ||
      needRows > std::max(RowCount(), FFileOptions.MaxLoadRowCount))
    throw EProGridError("The pasted text holds more columns or rows than the grid takes");
  if (needCols > ColCount()) SetColCount(static_cast<int>(needCols));
  if (!insert && needRows > RowCount()) SetRowCount(static_cast<int>(needRows));

  TProGridUndoRedo* undo = UndoRedo();
  if (undo) undo->StartSequence();
  int n = 0, lastCol = ACol, lastRow = ARow;
  for (std::size_t li = 0; li < lines.size(); ++li) {
    const int r = ARow + static_cast<int>(li);
    ++Lines;
    ImportNotification(FPasteAll ? isImportNewRow : isImportSelRow, r);
    const auto& line = lines[li];
    if (insert && !(line.size() == 1 && line[0].empty())) InsertRows(r, 1);
    for (std::size_t fi = 0; fi < line.size(); ++fi) {
      const int c = ACol + static_cast<int>(fi);
      ++n;
      if (!PasteAllowedAt(c, r)) continue;
      if (PasteField(c, r, line[fi], true)) {
        lastCol = std::max(lastCol, c);
        lastRow = std::max(lastRow, r);
      }
    }
    Fields = static_cast<int>(line.size());
  }
  if (endsWithBreak) ++n; // the empty remainder after the last line break counts
  if (undo) undo->StopSequence();
  const TGridRect written{ACol, ARow, lastCol, lastRow};
  FPastedSize = {widest, static_cast<int>(lines.size())};
  CellsPasted(FClipTopLeft, written, FClipLastOp);
  CellsChanged(TRect{RealColIndex(ACol), ARow, RealColIndex(lastCol), lastRow});
  return n;
}

int TProStringGrid::PasteAt(int ACol, int ARow, int& Lines, int& Fields) {
  Lines = Fields = 0;
  TClipboard& clip = *Clipboard();
  if (UseFmtClipboard() && clip.HasFormat(GridCellsClipboardFormat())) {
    BeginPaste();
    TMemoryStream stream;
    stream.WriteBuffer(clip.GetBuffer(GridCellsClipboardFormat()));
    stream.SetPosition(0);
    // Data from another program is read as hostile as a file: checked whole before the grid grows.
    const TGridStreamHeader h = ReadGridStreamHeader(stream);
    stream.SetPosition(0);
    const bool rowGrow = FNavigation.AllowClipboardRowGrow(), colGrow = FNavigation.AllowClipboardColGrow();
    const bool insert = FNavigation.ClipboardPasteAction() == paInsert;
    const long long needCols = static_cast<long long>(ACol) + h.ColCount;
    const long long needRows =
        insert ? static_cast<long long>(RowCount()) + h.RowCount : static_cast<long long>(ARow) + h.RowCount;
    if ((colGrow && needCols > std::max(ColCount(), FFileOptions.MaxLoadColCount)) ||
        ((rowGrow || insert) && needRows > std::max(RowCount(), FFileOptions.MaxLoadRowCount)))
      throw EProGridError("The pasted cells hold more columns or rows than the grid takes");
    // A damaged block is refused before the grid grows.
    LoadBinStream({ACol, ARow}, stream, false, true);
    stream.SetPosition(0);
    if (colGrow && needCols > ColCount()) SetColCount(static_cast<int>(needCols));
    if (insert && h.RowCount > 0)
      InsertRows(ARow, h.RowCount);
    else if (rowGrow && needRows > RowCount())
      SetRowCount(static_cast<int>(needRows));
    LoadBinStream({ACol, ARow}, stream, false, false);
    const TGridRect to{ACol, ARow, ACol + h.ColCount - 1, ARow + h.RowCount - 1};
    CellsPasted(h.ID == StreamID() ? FClipTopLeft : TPoint{-1, -1}, to, FClipLastOp);
    if (rowGrow || colGrow || insert) {
      Lines = RowCount();
      Fields = ColCount();
    }
    FPastedSize = {h.ColCount, h.RowCount};
    EndPaste();
    return h.ColCount * h.RowCount;
  }
  if (FNavigation.AllowRTFClipboard() && clip.HasFormat(RichTextClipboardFormat())) {
    // Read up to its zero character, or to the end of a block that has none.
    const std::string text = FromUtf16UpToZero(clip.GetBuffer(RichTextClipboardFormat()));
    if (PasteAllowedAt(ACol, ARow)) PasteCell(ACol, ARow, text);
    Lines = Fields = 1;
    FPastedSize = {1, 1};
    return 1;
  }
  if (clip.HasFormat(CF_UNICODETEXT) || clip.HasFormat(CF_TEXT))
    return PasteText(ACol, ARow, clip.AsText(), Lines, Fields);
  return 0;
}

void TProStringGrid::PasteFromClipboard() {
  ImportNotification(isImportStart, -1);
  FPasteAll = true;
  int lines = 0, fields = 0;
  PasteAt(SaveStartCol(), SaveStartRow(), lines, fields);
  ImportNotification(isImportDone, -1);
  CellsLoaded();
}

void TProStringGrid::PasteSelectionFromClipboard() {
  ImportNotification(isImportStart, -1);
  FPasteAll = false;
  ExtendSelectionToMerges();
  const TGridRect s = Selection();
  const int x = (Options() & goRowSelect) ? FixedCols() : s.Left;
  int lines = 0, fields = 0;
  const int n = PasteAt(x, s.Top, lines, fields);
  const TSize pasted = FPastedSize;
  const int pastedLines = lines, pastedFields = fields;
  const long long cells = static_cast<long long>(s.Right - s.Left + 1) * (s.Bottom - s.Top + 1);
  if (!FNavigation.AllowSmartClipboard() || n == cells + 1) return;

  const bool always = FNavigation.AllowClipboardAlways();
  auto editable = [&](int c, int r) {
    const int rc = RealColIndex(c);
    return rc >= 0 && (always || IsEditable(rc, r));
  };
  auto fillCell = [&](int c, int r, const std::string& value) {
    if (!editable(c, r)) return;
    if (PasteField(c, r, value, !(c == s.Left && r == s.Top)))
      CellsPasted(FClipTopLeft, {c, r, c, r}, FClipLastOp);
  };

  if (n == 1 && cells > 1) {
    BeginPaste();
    const int rc0 = RealColIndex(s.Left);
    std::string value = Cells(rc0, s.Top);
    bool state = false;
    if (HasCheckBox(rc0, s.Top) && GetCheckBoxState(rc0, s.Top, state))
      value = state ? CheckTrue() : CheckFalse();
    for (int c = s.Left; c <= s.Right; ++c)
      for (int r = s.Top; r <= s.Bottom; ++r)
        fillCell(c, r, value);
    EndPaste();
  } else if (n > 1 && (s.Left == s.Right || s.Top == s.Bottom)) {
    const bool column = s.Left == s.Right;
    const std::string first = Cells(RealColIndex(s.Left), s.Top);
    const std::string second =
        column ? Cells(RealColIndex(s.Left), s.Top + 1) : Cells(RealColIndex(s.Left + 1), s.Top);
    // The cells of the selection in fill order: column by column, top to bottom.
    std::vector<std::pair<int, int>> order;
    for (int c = s.Left; c <= s.Right; ++c)
      for (int r = s.Top; r <= s.Bottom; ++r)
        order.emplace_back(c, r);
    bool series = true;
    try {
      if (IsDateOrTime(first) && IsDateOrTime(second)) {
        const double a = AsDateTime(first), b = AsDateTime(second);
        const TDateParts pa = DecodeDateTime(a), pb = DecodeDateTime(b);
        const bool timeOnly = first.find(FormatSettings().DateSeparator) == std::string::npos;
        double v = a;
        for (auto [c, r] : order) {
          fillCell(c, r, timeOnly ? TimeToStr(v) : DateToStr(v));
          v = AdvanceDate(pb.Year - pa.Year, pb.Month - pa.Month, pb.Day - pa.Day, b - a, v);
        }
      } else if (first.find(FormatSettings().DecimalSeparator) != std::string::npos ||
                 second.find(FormatSettings().DecimalSeparator) != std::string::npos) {
        const std::optional<double> a = AsNumber(first), b = AsNumber(second);
        if (!a || !b) throw EConvertError("not a number");
        for (std::size_t i = 0; i < order.size(); ++i)
          fillCell(order[i].first, order[i].second,
                   Format(FFloatFormat, {*a + (*b - *a) * static_cast<double>(i)}));
      } else if (AsInteger(first) && AsInteger(second)) {
        const long long a = *AsInteger(first), b = *AsInteger(second);
        for (std::size_t i = 0; i < order.size(); ++i)
          fillCell(order[i].first, order[i].second, std::to_string(a + (b - a) * static_cast<long long>(i)));
      } else {
        series = false;
      }
    } catch (const std::exception&) {
      // A value that does not convert ends the series where it is.
    }
    if (series) {
      CellsChanged(TRect{RealColIndex(s.Left), s.Top, RealColIndex(s.Right), s.Bottom});
      return;
    }
    // Text: the pasted block repeats; its period is the number of pasted values in that direction.
    const int period = std::max(1, column ? pasted.cy : pasted.cx);
    if (column) {
      for (int r = s.Top + period; r <= s.Bottom; ++r)
        fillCell(s.Left, r, Cells(RealColIndex(s.Left), r - period));
    } else {
      for (int c = s.Left + period; c <= s.Right; ++c)
        fillCell(c, s.Top, Cells(RealColIndex(c - period), s.Top));
    }
    CellsPasted({s.Left, s.Top}, s, FClipLastOp);
  } else if (s.Left != s.Right && s.Top != s.Bottom) {
    if (pastedLines == 1)
      for (int r = s.Top + 1; r <= s.Bottom; ++r)
        PasteAt(x, r, lines, fields);
    if (pastedFields == 1)
      for (int c = s.Left + 1; c <= s.Right; ++c)
        PasteAt(c, s.Top, lines, fields);
    SetSelection(s);
  }
  ImportNotification(isImportDone, -1);
  CellsChanged(TRect{RealColIndex(s.Left), s.Top, RealColIndex(s.Right), s.Bottom});
  CellsLoaded();
}

void TProStringGrid::FillFromResizedSelection() {
  const bool was = FEditDisable;
  FEditDisable = true;
  try {
    PasteSelectionFromClipboard();
  } catch (...) {
    FEditDisable = was;
    throw;
  }
  FEditDisable = was;
}
