// Typed views on cell texts, headers, fills and the ranges the file writers save.
#include "controls/HTMLTextTools.h"
#include "controls/ProUtilNumbers.h"
#include "controls/ProUtilText.h"
#include "grid/ProGrid.h"
#include "platform/DateText.h"
#include "platform/Format.h"
#include "platform/StrToInt.h"

#include <cerrno>
#include <cstdlib>

namespace {

// Blanks and control characters off both ends.
std::string TrimControls(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= ' ')
    ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ')
    --e;
  return s.substr(b, e - b);
}

int ReadInt(const std::string& text) {
  std::string t = TrimControls(text);
  if (t.empty() || t == "-") return 0;
  int v = 0;
  if (!TryStrToInt(t, v)) throw EProGridError("Cell does not contain integer value");
  return v;
}

double ReadFloat(const std::string& text) {
  std::string t = TrimControls(text);
  if (t.empty() || t == "-") return 0;
  std::string n = NormalizeNumberText(t);
  const char* begin = n.c_str();
  char* end = nullptr;
  errno = 0;
  double v = n.empty() ? 0 : std::strtod(begin, &end);
  if (n.empty() || end != begin + n.size() || errno == ERANGE)
    throw EProGridError("Cell does not contain a float value");
  return v;
}

// The value in the pattern given, or with "%.2f" when the pattern does not take one number.
std::string FormatFloat(const std::string& Fmt, double Value) {
  std::string out;
  if (TryFormat(Fmt, {Value}, out)) return out;
  return Format("%.2f", {Value});
}

} // namespace

std::string TProStringGrid::StrippedCells(int ACol, int ARow) const {
  return StripHTMLTags(Cells(ACol, ARow));
}

int TProStringGrid::Ints(int ACol, int ARow) const {
  return ReadInt(StrippedCells(ACol, ARow));
}

void TProStringGrid::SetInts(int ACol, int ARow, int Value) {
  SetCells(ACol, ARow, std::to_string(Value));
  if (FNumHidden > 0) RepaintCell(RealToDisplCol(ACol), ARow);
}

int TProStringGrid::AllInts(int ACol, int ARow) const {
  return ReadInt(AllCells(ACol, ARow));
}

void TProStringGrid::SetAllInts(int ACol, int ARow, int Value) {
  SetAllCells(ACol, ARow, std::to_string(Value));
}

double TProStringGrid::Floats(int ACol, int ARow) const {
  return ReadFloat(StrippedCells(ACol, ARow));
}

void TProStringGrid::GetColFloatFormat(int, int, std::string& Fmt) {
  Fmt = FFloatFormat;
}

void TProStringGrid::SetFloats(int ACol, int ARow, double Value) {
  std::string fmt;
  GetColFloatFormat(ACol, ARow, fmt);
  SetCells(ACol, ARow, FormatFloat(fmt, Value));
}

double TProStringGrid::AllFloats(int ACol, int ARow) const {
  return ReadFloat(AllCells(ACol, ARow));
}

void TProStringGrid::SetAllFloats(int ACol, int ARow, double Value) {
  SetAllCells(ACol, ARow, FormatFloat(FFloatFormat, Value));
}

double TProStringGrid::Dates(int ACol, int ARow) const {
  return StrToDate(Cells(ACol, ARow));
}

void TProStringGrid::SetDates(int ACol, int ARow, double Value) {
  SetCells(ACol, ARow, Value > 0 || FShowNullDates ? DateToStr(Value) : std::string());
}

double TProStringGrid::Times(int ACol, int ARow) const {
  return StrToTime(Cells(ACol, ARow));
}

void TProStringGrid::SetTimes(int ACol, int ARow, double Value) {
  SetCells(ACol, ARow, TimeToStr(Value));
}

int TProStringGrid::PrintColWidth(int ACol) const {
  if (ACol < 0 || ACol >= static_cast<int>(FPrintColWidths.size()) - 1)
    throw EProGridError("Columns is not in valid range");
  return FPrintColWidths[ACol];
}

int TProStringGrid::PrintColOffset(int ACol) const {
  if (ACol < 0 || ACol >= static_cast<int>(FPrintColOffsets.size()) - 1)
    throw EProGridError("Columns is not in valid range");
  return FPrintColOffsets[ACol];
}

// --- Headers -------------------------------------------------------------------------------------

void TProStringGrid::SetColumnHeaders(const std::vector<std::string>& Value) {
  FColumnHeaders = Value;
  if (FixedRows() > 0) ClearColumnHeaders();
  ColumnHeadersChanged();
  ShowColumnHeaders();
}

void TProStringGrid::ShowColumnHeaders() {
  if (FixedRows() <= 0) return;
  for (int i = 0; i < static_cast<int>(FColumnHeaders.size()) && i < TotalColCount(); ++i)
    SetCells(i, 0, UnescapeNewLines(FColumnHeaders[i]));
}

void TProStringGrid::ClearColumnHeaders() {
  if (ColCount() == 0 || RowCount() == 0) return;
  for (int i = 0; i < TotalColCount(); ++i)
    SetCells(i, 0, "");
}

void TProStringGrid::SetRowHeaders(const std::vector<std::string>& Value) {
  FRowHeaders = Value;
  ShowRowHeaders();
}

void TProStringGrid::ShowRowHeaders() {
  if (FixedCols() <= 0) return;
  for (int i = 0; i < static_cast<int>(FRowHeaders.size()) && i < RowCount(); ++i)
    SetCells(0, i, UnescapeNewLines(FRowHeaders[i]));
}

void TProStringGrid::ClearRowHeaders() {
  if (RowCount() == 0 || ColCount() == 0) return;
  for (int i = 0; i < RowCount(); ++i)
    SetCells(0, i, "");
}

// --- Fills ---------------------------------------------------------------------------------------

namespace {
// The rows and the counted columns of a fill.
template <class F> void ForFillRange(TProStringGrid& g, bool DoFixed, F&& f) {
  int r0 = DoFixed ? 0 : g.FixedRows(), r1 = DoFixed ? g.RowCount() - 1 : g.RowCount() - g.FixedFooters() - 1;
  int c0 = DoFixed ? 0 : g.FixedCols(),
      c1 = DoFixed ? g.ColCount() - 1 : g.ColCount() - g.FixedRightCols() - 1;
  for (int r = r0; r <= r1; ++r)
    for (int c = c0; c <= c1; ++c)
      f(c, r);
}
} // namespace

void TProStringGrid::TextFill(bool DoFixed, const std::string& Txt) {
  ForFillRange(*this, DoFixed, [&](int c, int r) { SetCells(c, r, Txt); });
  CellsLoaded();
}

void TProStringGrid::FormatFill(bool DoFixed, const std::string& Fmt) {
  std::string probe;
  if (!TryFormat(Fmt, {std::int64_t{0}, std::int64_t{0}}, probe)) return;
  ForFillRange(*this, DoFixed, [&](int c, int r) {
    std::string out;
    if (TryFormat(Fmt, {std::int64_t{c}, std::int64_t{r}}, out)) SetCells(c, r, out);
  });
  CellsLoaded();
}

void TProStringGrid::RandomFill(bool DoFixed, int Rnd) {
  ForFillRange(*this, DoFixed, [&](int c, int r) {
    // A small linear congruential generator: repeatable, like the runtime's.
    FRandomState = FRandomState * 134775813u + 1u;
    int v =
        Rnd > 0
            ? static_cast<int>((static_cast<std::uint64_t>(FRandomState) * static_cast<unsigned>(Rnd)) >> 32)
            : 0;
    SetInts(c, r, v);
  });
  CellsLoaded();
}

void TProStringGrid::LinearFill(bool DoFixed) {
  ForFillRange(*this, DoFixed,
               [&](int c, int r) { SetCells(c, r, std::to_string(c) + ":" + std::to_string(r)); });
  CellsLoaded();
}

void TProStringGrid::SwapCells(TGridCoord FromCell, TGridCoord ToCell) {
  auto inside = [&](TGridCoord p) {
    return p.X >= 0 && p.Y >= 0 && p.X < TotalColCount() && p.Y < RowCount();
  };
  if (!inside(FromCell) || !inside(ToCell)) return;
  std::string t = GridCells(FromCell.X, FromCell.Y);
  TObject* o = GridObjects(FromCell.X, FromCell.Y);
  SetGridCells(FromCell.X, FromCell.Y, GridCells(ToCell.X, ToCell.Y));
  SetGridObjects(FromCell.X, FromCell.Y, GridObjects(ToCell.X, ToCell.Y));
  SetGridCells(ToCell.X, ToCell.Y, t);
  SetGridObjects(ToCell.X, ToCell.Y, o);
}

TGridRect TProStringGrid::UsedCells() const {
  int left = -1, top = -1, right = -1, bottom = -1;
  for (int r = 0; r < RowCount(); ++r)
    for (int c = 0; c < ColCount(); ++c) {
      if (Cells(c, r).empty()) continue;
      if (left < 0 || c < left) left = c;
      if (top < 0) top = r;
      right = std::max(right, c);
      bottom = r;
    }
  if (left < 0) return {0, 0, 0, 0};
  return {left, top, right, bottom};
}

int TProStringGrid::SaveStartCol() const {
  return FSaveFixedCells || FSaveFixedCols ? 0 : FixedCols();
}
int TProStringGrid::SaveEndCol() const {
  return FSaveFixedCells || FSaveFixedCols ? ColCount() - 1 : ColCount() - FFixedRightCols - 1;
}
int TProStringGrid::SaveColCount() const {
  return FSaveFixedCells || FSaveFixedCols ? ColCount() : ColCount() - FixedCols() - FFixedRightCols;
}
int TProStringGrid::SaveStartRow() const {
  return FSaveFixedCells || FSaveFixedRows ? 0 : FixedRows();
}
int TProStringGrid::SaveEndRow() const {
  return FSaveFixedCells || FSaveFixedRows ? RowCount() - 1 : RowCount() - FFixedFooters - 1;
}
int TProStringGrid::SaveRowCount() const {
  return FSaveFixedCells || FSaveFixedRows ? RowCount() : RowCount() - FixedRows() - FFixedFooters;
}

void TProStringGrid::CellsChanged(const TRect& R) {
  if (OnCellsChanged) OnCellsChanged(this, R);
  for (TGridChangeNotifier* n : FNotifiers)
    n->CellsChanged(this, R);
  CalcFooter(-1);
}

void TProStringGrid::CellsLoaded() {
  CalcFooter(-1);
}

std::string TProStringGrid::GroupCountText(int n) const {
  std::string out;
  if (!FGrouping.GroupCountFormat().empty() &&
      TryFormat(FGrouping.GroupCountFormat(), {std::int64_t{n}}, out))
    return out;
  return " (" + std::to_string(n) + ")";
}
