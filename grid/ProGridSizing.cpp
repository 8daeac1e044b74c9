// Selection queries and sizing columns and rows to their content.
#include "grid/ProGrid.h"

#include "controls/HTMLTextTools.h"
#include "controls/ProUtilText.h"
#include "platform/ui/RichEditText.h"
#include "platform/ui/SystemMetrics.h"

#include <algorithm>
#include <cmath>

namespace {
// Rounds to the nearest integer, ties to even.
int RoundEven(double v) {
  return static_cast<int>(std::nearbyint(v));
}
} // namespace

// --- Selection -----------------------------------------------------------------------------------

void TProStringGrid::SelectCells(int FromCol, int FromRow, int ToCol, int ToRow) {
  SetSelection({FromCol, FromRow, ToCol, ToRow});
}

bool TProStringGrid::IsSelected(int ACol, int ARow) {
  if (ACol < FixedCols() || ARow < FixedRows()) return false;
  if (FMouseActions->DisjunctCellSelect()) return SelectedCells(ACol, ARow);
  if (FMouseActions->DisjunctRowSelect())
    return RowSelect(FMouseActions->RowSelectPersistent() ? RealRowIndex(ARow) : ARow);
  if (FMouseActions->DisjunctColSelect()) return ColSelect(ACol);
  const TGridRect s = Selection();
  return s.Contains(ACol, ARow);
}

std::string TProStringGrid::SelectedText() {
  TGridRect R = Selection();
  if ((Options() & goRowSelect) && FDragDropSettings.OleEntireRows()) {
    R.Left = 0;
    R.Right = ColCount() - 1;
  }
  std::vector<int> rows;
  if (FMouseActions->DisjunctRowSelect()) {
    for (int r = FixedRows(); r < RowCount(); ++r)
      if (RowSelect(FMouseActions->RowSelectPersistent() ? RealRowIndex(r) : r)) rows.push_back(r);
  } else {
    for (int r = R.Top; r <= R.Bottom; ++r)
      rows.push_back(r);
  }
  std::string out;
  for (int r : rows) {
    for (int c = R.Left; c <= R.Right; ++c) {
      if (c > R.Left) out += '\t';
      // The text and its rich-text reading both come from the real column.
      std::string t = GridCells(RealColIndex(c), r);
      if (t.find("{\\") != std::string::npos) t = RichTextToPlain(t);
      if (FExcelClipboardFormat && CountTextLines(t, FMultilineCells) > 1) QuoteMultiLineCSV(t);
      out += t;
    }
    if (r != R.Bottom) out += "\r\n";
  }
  return out;
}

void TProStringGrid::AutoNumberCol(int ACol) {
  if (RowCount() <= 0) return;
  const int n = RowCount() - FFixedFooters - FixedRows();
  for (int k = FAutoNumberStart; k < n; ++k)
    SetInts(ACol, FAutoNumberDescending ? RowCount() - FFixedFooters - 1 - k : FixedRows() + k,
            k + 1 + FAutoNumberOffset);
}

void TProStringGrid::AutoNumberRow(int ARow) {
  if (ColCount() <= 0) return;
  const int n = ColCount() - FFixedRightCols - FixedCols();
  for (int k = FAutoNumberStart; k < n; ++k)
    SetInts(FAutoNumberDescending ? ColCount() - FFixedRightCols - 1 - k : FixedCols() + k, ARow,
            k + 1 + FAutoNumberOffset);
}

// --- Measuring -----------------------------------------------------------------------------------

TSize TProStringGrid::CellTextSize(int ACol, int ARow) {
  if (!FMeasure) {
    FMeasure = std::make_unique<TBitmap>();
    FMeasure->SetSize(1, 1);
  }
  TCanvas& c = FMeasure->Canvas();
  const int dc = RealToDisplCol(ACol);
  const bool fixed = ARow < FixedRows() || (dc >= 0 && dc < FixedCols());
  const TFont& base = fixed ? FFixedFont : Font();
  if (FindCellProperties(ACol, ARow) || OnGetCellColor || FActiveCellShow) {
    TBrush brush;
    FCellFont.Assign(base);
    GetCellColor(ACol, ARow, fixed ? TGridDrawState(gdFixed) : 0, brush, FCellFont);
    c.Font().Assign(FCellFont);
  } else if (c.Font().Name() != base.Name() || c.Font().Height() != base.Height() ||
             c.Font().Style() != base.Style()) {
    c.Font().Assign(base);
  }
  if (FZoomFactor != 0) c.Font().SetSize(c.Font().Size() + FZoomFactor);
  std::string text = Cells(ACol, ARow);
  if (FEnableHTML && text.find('<') != std::string::npos) text = StripHTMLTags(text);
  TSize size{0, 0};
  size_t from = 0;
  int lines = 0;
  while (from <= text.size()) {
    size_t to = text.find('\n', from);
    std::string line = text.substr(from, to == std::string::npos ? std::string::npos : to - from);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    size.cx = std::max(size.cx, line.empty() ? 0 : c.TextWidth(line));
    ++lines;
    if (to == std::string::npos) break;
    from = to + 1;
  }
  size.cy = lines * c.TextHeight("gh");
  if (FZoomFactor != 0) c.Font().SetSize(c.Font().Size() - FZoomFactor);
  return size;
}

int TProStringGrid::MaxLinesInRow(int ARow) {
  if (ColCount() == 0 || !FMultilineCells) return 1;
  int most = 1;
  for (int c = 0; c < ColCount(); ++c)
    most = std::max(most, CountTextLines(Cells(DisplToRealCol(c), ARow), true));
  return most;
}

// --- Columns -------------------------------------------------------------------------------------

void TProStringGrid::SizeColToContent(int Index, bool GrowOnly) {
  const int rc = RealColIndex(Index);
  if (rc < 0) return;
  int from = 0, to = RowCount() - 1;
  switch (FColumnSize.Rows()) {
  case arNormal:
    from = FixedRows();
    to = RowCount() - FFixedFooters - 1;
    break;
  case arFixed:
    to = FixedRows() - 1;
    break;
  default:
    break;
  }
  int widest = 0;
  for (int r = from; r <= to; ++r) {
    if (IsXMergedCell(rc, r)) continue;
    const TPoint graphic = GetCellGraphicSize(rc, r);
    int w = graphic.X + CellTextSize(rc, r).cx;
    if (FDropDownAlwaysVisible && HasComboBox(rc, r)) w += 16;
    if (const TCellGraphic* g = GetCellGraphic(rc, r); g && g->CellHAlign() == haFull)
      w = graphic.X - (2 * GridLineWidth() + FXYOffset.X + 2);
    widest = std::max(widest, w);
  }
  int width = widest + TotalXOffset() + 2 * GridLineWidth() + 2;
  if (GrowOnly && ColWidths(Index) >= width) return;
  UpdateAutoColumnSize(Index, width);
  SetColWidths(Index, ClampToLimits(width, FMinColWidth, FMaxColWidth));
}

void TProStringGrid::AutoSizeCol(int Index, int Padding) {
  if (Index < 0 || Index >= ColCount()) return;
  SizeColToContent(Index, FSizeGrowOnly);
  if (Padding != 0) SetColWidths(Index, ClampToLimits(ColWidths(Index) + Padding, FMinColWidth, FMaxColWidth));
}

void TProStringGrid::AutoSizeColumns(bool DoFixedCols, int Padding) {
  const int from = DoFixedCols ? 0 : FixedCols();
  const int to = DoFixedCols ? ColCount() - 1 : ColCount() - FFixedRightCols - 1;
  for (int c = from; c <= to; ++c) {
    AutoSizeCol(c, 0);
    if (Padding != 0) SetColWidths(c, ClampToLimits(ColWidths(c) + Padding, FMinColWidth, FMaxColWidth));
  }
}

void TProStringGrid::AutoSizeCells(bool DoFixedCells, int PaddingX, int PaddingY) {
  BeginUpdate();
  const int c0 = DoFixedCells ? 0 : FixedCols(), r0 = DoFixedCells ? 0 : FixedRows();
  for (int c = c0; c < ColCount(); ++c) {
    const int rc = RealColIndex(c);
    int w = FSizeGrowOnly ? ColWidths(c) : 0;
    bool sized = false;
    for (int r = r0; r < RowCount(); ++r) {
      const TSize text = CellTextSize(rc, r);
      const TPoint graphic = GetCellGraphicSize(rc, r);
      const int cw = text.cx + graphic.X + PaddingX + FXYOffset.X;
      const int ch = text.cy + graphic.Y + PaddingY + FXYOffset.Y;
      if (!IsXMergedCell(rc, r) && cw > w) {
        w = ClampToLimits(cw, FMinColWidth, FMaxColWidth);
        sized = true;
      }
      if (!IsYMergedCell(rc, r) && ch > RowHeights(r))
        SetRowHeights(r, std::max(RowHeights(r), ClampToLimits(ch, FMinRowHeight, FMaxRowHeight)));
    }
    if (sized || !FSizeGrowOnly) SetColWidths(c, w);
  }
  EndUpdate();
}

// --- Rows ----------------------------------------------------------------------------------------

void TProStringGrid::SizeRowToContent(int Index, bool GrowOnly, int Padding) {
  if (Index < 0 || Index >= RowCount()) return;
  int tallest = 0;
  for (int c = 0; c < ColCount(); ++c) {
    const int rc = RealColIndex(c);
    if (rc < 0 || IsYMergedCell(rc, Index)) continue;
    int h = 0;
    if (IsMergedCell(rc, Index) && !IsBaseCell(rc, Index)) {
      h = 0;
    } else if (HasCheckBox(rc, Index) || HasRadioButton(rc, Index)) {
      h = DefaultRowHeight();
    } else {
      TPoint graphic;
      CalcCellGraphicSize(rc, Index, graphic, Padding);
      h = CellTextSize(rc, Index).cy + graphic.Y;
    }
    tallest = std::max(tallest, h);
  }
  const int height = TotalYOffset() + tallest + 2 * GridLineWidth() + (FXYOffsetTopLeftOnly ? 2 : 0);
  if (GrowOnly && RowHeights(Index) >= height) return;
  SetRowHeights(Index, ClampToLimits(height, FMinRowHeight, FMaxRowHeight));
}

void TProStringGrid::AutoSizeRow(int Index, int Padding) {
  SizeRowToContent(Index, FSizeGrowOnly, Padding);
  if (Padding != 0 && Index >= 0 && Index < RowCount())
    SetRowHeights(Index, ClampToLimits(RowHeights(Index) + Padding, FMinRowHeight, FMaxRowHeight));
}

void TProStringGrid::SizeRowToLines(int Index, int Lines, int Padding) {
  if (Index < 0 || Index >= RowCount()) return;
  const int h = CellTextSize(RealColIndex(FixedCols()), Index).cy / std::max(1, CountTextLines(Cells(RealColIndex(FixedCols()), Index), true));
  SetRowHeights(Index, ClampToLimits(Padding + Lines * (h + h / 8), FMinRowHeight, FMaxRowHeight));
}

void TProStringGrid::AutoSizeRows(bool DoFixedRows, int Padding) {
  if (RowCount() == 0) return;
  for (int r = DoFixedRows ? 0 : FixedRows(); r < RowCount(); ++r) {
    if (WordWrap()) {
      AutoSizeRow(r, 0);
      if (Padding != 0) SetRowHeights(r, ClampToLimits(RowHeights(r) + Padding, FMinRowHeight, FMaxRowHeight));
    } else {
      SizeRowToLines(r, MaxLinesInRow(r), Padding);
    }
  }
}

// --- Fitting -------------------------------------------------------------------------------------

void TProStringGrid::AutoFitColumns(bool DoFixedCells) {
  const bool vertBar = FScrollBarAlways == saVert || FScrollBarAlways == saBoth ||
                       (ScrollBars() != ssNone && VisibleRowCount() + FixedRows() < RowCount());
  const int sb = vertBar ? GetSystemMetrics(SM_CXVSCROLL) : 0;
  const int border = BorderStyle() == bsSingle ? 4 : 0;
  int from = 0, to = ColCount() - 1;
  int avail = Width();
  if (!DoFixedCells) {
    from = FixedCols();
    to = ColCount() - FFixedRightCols - 1;
    for (int c = 0; c < ColCount(); ++c)
      if (c < from || c > to) avail -= ColWidths(c);
  }
  int lines = (Options() & goVertLine) ? GridLineWidth() * (ColCount() - FixedCols() - FFixedRightCols) : 0;
  if ((Options() & goFixedVertLine) && DoFixedCells) lines += FixedCols() + FFixedRightCols;
  if (ColCount() < 2) {
    if (ColCount() == 1) SetColWidths(0, Width() - sb - 5);
    return;
  }
  const int n = to - from + 1;
  long long sum = 0;
  for (int c = from; c <= to; ++c)
    sum += ColWidths(c);
  // No column to fit, or none with any width: there is no proportion to keep.
  if (n <= 0 || sum <= 0) return;
  const int target = avail - sb - border;
  if (sum == target) return;
  const double f = static_cast<double>(target - lines) / static_cast<double>(sum);
  long long total = 0;
  for (int c = from; c <= to; ++c)
    total += RoundEven(ColWidths(c) * f);
  std::vector<int> widths;
  for (int c = from; c <= to; ++c)
    widths.push_back(RoundEven(static_cast<double>(ColWidths(c)) * static_cast<double>(total) / static_cast<double>(sum)));
  int rest = target;
  for (int w : widths)
    rest -= w;
  if (n >= 2 && rest > n) {
    for (int& w : widths)
      w += rest / n;
    rest %= n;
  }
  const auto widest = std::max_element(widths.begin(), widths.end());
  *widest += rest;
  for (int c = from; c <= to; ++c)
    SetColWidths(c, std::max(0, widths[c - from]));
}

void TProStringGrid::SizeToCols() {
  int w = 0;
  for (int c = 0; c < ColCount(); ++c)
    w += ColWidths(c);
  SetClientWidth(w);
}

void TProStringGrid::SizeToRows() {
  int h = 0;
  for (int r = 0; r < RowCount(); ++r)
    h += RowHeights(r);
  SetClientHeight(h);
}

void TProStringGrid::SizeToCells() {
  const TScrollStyle bars = ScrollBars();
  SetScrollBars(ssNone);
  SizeToCols();
  SizeToRows();
  SetScrollBars(bars);
}

void TProStringGrid::Zoom(int x) {
  const int z = FZoomFactor + x;
  if (z < -10 || z > 10) return;
  FZoomFactor = z;
  for (int c = 0; c < ColCount(); ++c)
    if (ColWidths(c) > 0 && ColWidths(c) + x > 0) SetColWidths(c, ColWidths(c) + x);
  for (int r = 0; r < RowCount(); ++r)
    if (RowHeights(r) > 0 && RowHeights(r) + x > 0) SetRowHeights(r, RowHeights(r) + x);
}
