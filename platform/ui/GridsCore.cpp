#include "platform/ui/GridsCore.h"

#include <algorithm>
#include <cstdlib>

namespace {

int Clamp(int v, int lo, int hi) {
  return v < lo ? lo : (v > hi ? hi : v);
}

// a * b / c rounded to the nearest, for non-negative a and b and positive c.
int MulDiv(int a, int b, int c) {
  if (c <= 0) return 0;
  long long p = static_cast<long long>(a) * b;
  return static_cast<int>((p + c / 2) / c);
}

int ClampExtent(int v) {
  return Clamp(v, 0, TGridCore::MaxCellExtent);
}

// Moves sizes[from] to `to`; the ones between shift by one.
void MoveSize(std::vector<int>& sizes, int from, int to) {
  if (from < to)
    std::rotate(sizes.begin() + from, sizes.begin() + from + 1, sizes.begin() + to + 1);
  else
    std::rotate(sizes.begin() + to, sizes.begin() + from, sizes.begin() + from + 1);
}

} // namespace

TGridCore::TGridCore() {
  FCols.Count = 5;
  FCols.Fixed = 1;
  FCols.Default = 64;
  FCols.Sizes.assign(5, 64);
  FRows.Count = 5;
  FRows.Fixed = 1;
  FRows.Default = 24;
  FRows.Sizes.assign(5, 24);
}

// --- Axis helpers ----------------------------------------------------------------------------

int TGridCore::ExtentOf(const Axis& a, int i) const {
  return i >= 0 && i < a.Count ? a.Sizes[static_cast<size_t>(i)] : a.Default;
}

int TGridCore::FixedLine(bool horizontalAxis) const {
  return (FOptions & (horizontalAxis ? goFixedVertLine : goFixedHorzLine)) ? FGridLineWidth : 0;
}

int TGridCore::NormalLine(bool horizontalAxis) const {
  return (FOptions & (horizontalAxis ? goVertLine : goHorzLine)) ? FGridLineWidth : 0;
}

int TGridCore::FixedExtent(const Axis& a, bool horizontalAxis) const {
  int line = FixedLine(horizontalAxis);
  long long sum = 0;
  for (int i = 0; i < a.Fixed; ++i)
    sum += a.Sizes[static_cast<size_t>(i)] + line;
  return static_cast<int>(std::min<long long>(sum, 1LL << 30));
}

int TGridCore::FirstInView(const Axis& a, bool horizontalAxis, int client, int index) const {
  int line = NormalLine(horizontalAxis);
  long long avail = static_cast<long long>(client) - FixedExtent(a, horizontalAxis);
  int i = index;
  long long acc = ExtentOf(a, index);
  while (i > a.Fixed) {
    long long next = acc + ExtentOf(a, i - 1) + line;
    if (next > avail) break;
    acc = next;
    --i;
  }
  return i;
}

int TGridCore::MaxFirst(const Axis& a, bool horizontalAxis, int client) const {
  if (a.Count <= a.Fixed) return a.Fixed;
  return FirstInView(a, horizontalAxis, client, a.Count - 1);
}

int TGridCore::VisibleCount(const Axis& a, bool horizontalAxis, int first, int client) const {
  int line = NormalLine(horizontalAxis);
  long long pos = FixedExtent(a, horizontalAxis);
  int n = 0;
  for (int i = first; i < a.Count; ++i) {
    long long end = pos + ExtentOf(a, i);
    if (end > client) break;
    ++n;
    pos = end + line;
  }
  return n;
}

std::vector<TGridSpan> TGridCore::Spans(const Axis& a, bool horizontalAxis, int first, int client) const {
  std::vector<TGridSpan> out;
  int pos = 0;
  int line = FixedLine(horizontalAxis);
  for (int i = 0; i < a.Fixed && pos < client; ++i) {
    int end = pos + ExtentOf(a, i);
    out.push_back({i, pos, end, end + line});
    pos = end + line;
  }
  if (pos < client) pos = FixedExtent(a, horizontalAxis);
  line = NormalLine(horizontalAxis);
  for (int i = std::max(first, a.Fixed); i < a.Count && pos < client; ++i) {
    int end = pos + ExtentOf(a, i);
    out.push_back({i, pos, end, end + line});
    pos = end + line;
  }
  return out;
}

bool TGridCore::SpanOf(const Axis& a, bool horizontalAxis, int first, int client, int index,
                       TGridSpan& out) const {
  if (index < 0 || index >= a.Count) return false;
  long long pos = 0;
  int line;
  if (index < a.Fixed) {
    line = FixedLine(horizontalAxis);
    for (int i = 0; i < index; ++i)
      pos += ExtentOf(a, i) + line;
  } else {
    if (index < first || index >= ViewEnd(a, horizontalAxis, first, client)) return false;
    line = NormalLine(horizontalAxis);
    pos = FixedExtent(a, horizontalAxis);
    for (int i = first; i < index && pos < client; ++i)
      pos += ExtentOf(a, i) + line;
  }
  if (pos >= client) return false;
  int start = static_cast<int>(pos);
  int end = start + ExtentOf(a, index);
  out = {index, start, end, end + line};
  return true;
}

int TGridCore::ViewEnd(const Axis& a, bool horizontalAxis, int first, int client) const {
  ViewEndMemo& m = a.ViewEnd;
  if (m.Valid && m.Gen == a.Gen && m.First == first && m.Client == client && m.Count == a.Count &&
      m.Fixed == a.Fixed)
    return m.End;
  int normalLine = NormalLine(horizontalAxis);
  long long pos = FixedExtent(a, horizontalAxis);
  int i = std::max(first, 0);
  for (; i < a.Count && pos < client; ++i)
    pos += ExtentOf(a, i) + normalLine;
  m = {true, a.Gen, first, client, a.Count, a.Fixed, i};
  return i;
}

int TGridCore::Hit(const Axis& a, bool horizontalAxis, int first, int client, int pos) const {
  if (pos < 0 || pos >= client) return -1;
  for (const TGridSpan& s : Spans(a, horizontalAxis, first, client))
    if (pos >= s.Start && pos < s.LineEnd) return s.Index;
  return -1;
}

int TGridCore::ClampNormal(int v, const Axis& a) const {
  if (a.Count <= 0) return 0;
  return Clamp(v, std::min(a.Fixed, a.Count - 1), a.Count - 1);
}

// --- Model -----------------------------------------------------------------------------------

void TGridCore::SetColCount(int value) {
  value = std::max(0, value);
  if (value == FCols.Count) return;
  int oldCols = FCols.Count, oldRows = FRows.Count;
  FCols.Sizes.resize(static_cast<size_t>(value), FCols.Default);
  ++FCols.Gen;
  FCols.Count = value;
  FCols.Fixed = Clamp(FCols.Fixed, 0, std::max(0, value - 1));
  int last = std::max(0, value - 1);
  if (FCurrent.X > last) FCurrent.X = last;
  if (FAnchor.X > last) FAnchor.X = last;
  Relayout();
  SizeChanged(oldCols, oldRows);
}

void TGridCore::SetRowCount(int value) {
  value = std::max(0, value);
  if (value == FRows.Count) return;
  int oldCols = FCols.Count, oldRows = FRows.Count;
  FRows.Sizes.resize(static_cast<size_t>(value), FRows.Default);
  ++FRows.Gen;
  FRows.Count = value;
  FRows.Fixed = Clamp(FRows.Fixed, 0, std::max(0, value - 1));
  int last = std::max(0, value - 1);
  if (FCurrent.Y > last) FCurrent.Y = last;
  if (FAnchor.Y > last) FAnchor.Y = last;
  Relayout();
  SizeChanged(oldCols, oldRows);
}

void TGridCore::SetFixedCols(int value) {
  value = Clamp(value, 0, std::max(0, FCols.Count - 1));
  if (value == FCols.Fixed) return;
  FCols.Fixed = value;
  if (FCurrent.X < value) FCurrent.X = value;
  if (FAnchor.X < value) FAnchor.X = value;
  Relayout();
}

void TGridCore::SetFixedRows(int value) {
  value = Clamp(value, 0, std::max(0, FRows.Count - 1));
  if (value == FRows.Fixed) return;
  FRows.Fixed = value;
  if (FCurrent.Y < value) FCurrent.Y = value;
  if (FAnchor.Y < value) FAnchor.Y = value;
  Relayout();
}

void TGridCore::SetDefaultColWidth(int value) {
  value = ClampExtent(value);
  FCols.Default = value;
  std::fill(FCols.Sizes.begin(), FCols.Sizes.end(), value);
  ++FCols.Gen;
  Relayout();
  ColWidthsChanged();
}

void TGridCore::SetDefaultRowHeight(int value) {
  value = ClampExtent(value);
  FRows.Default = value;
  std::fill(FRows.Sizes.begin(), FRows.Sizes.end(), value);
  ++FRows.Gen;
  Relayout();
  RowHeightsChanged();
}

int TGridCore::ColWidths(int index) const {
  return ExtentOf(FCols, index);
}
int TGridCore::RowHeights(int index) const {
  return ExtentOf(FRows, index);
}

void TGridCore::SetColWidths(int index, int value) {
  if (index < 0 || index >= FCols.Count) return;
  value = ClampExtent(value);
  int& slot = FCols.Sizes[static_cast<size_t>(index)];
  if (slot == value) return;
  slot = value;
  ++FCols.Gen;
  Relayout();
  ColWidthsChanged();
}

void TGridCore::SetRowHeights(int index, int value) {
  if (index < 0 || index >= FRows.Count) return;
  value = ClampExtent(value);
  int& slot = FRows.Sizes[static_cast<size_t>(index)];
  if (slot == value) return;
  slot = value;
  ++FRows.Gen;
  Relayout();
  RowHeightsChanged();
}

void TGridCore::SetGridLineWidth(int value) {
  value = Clamp(value, 0, MaxCellExtent);
  if (value == FGridLineWidth) return;
  FGridLineWidth = value;
  Relayout();
}

void TGridCore::SetOptions(TGridOptions value) {
  if (value == FOptions) return;
  FOptions = value;
  Relayout();
}

void TGridCore::SetScrollBars(TGridScrollBars value) {
  if (value == FScrollBars) return;
  FScrollBars = value;
  GridScrollBarsChanged();
}

// --- View ------------------------------------------------------------------------------------

void TGridCore::SetCol(int value) {
  int row = FRows.Count > 0 ? Clamp(FCurrent.Y, 0, FRows.Count - 1) : 0;
  MoveColRow(value, row, true, true);
}

void TGridCore::SetRow(int value) {
  int col = FCols.Count > 0 ? Clamp(FCurrent.X, 0, FCols.Count - 1) : 0;
  MoveColRow(col, value, true, true);
}

TGridRect TGridCore::Selection() const {
  TGridRect r{std::min(FAnchor.X, FCurrent.X), std::min(FAnchor.Y, FCurrent.Y),
              std::max(FAnchor.X, FCurrent.X), std::max(FAnchor.Y, FCurrent.Y)};
  if (FOptions & goRowSelect) {
    r.Left = FCols.Fixed;
    r.Right = FCols.Count - 1;
  }
  return r;
}

void TGridCore::SetSelection(const TGridRect& value) {
  TGridRect old = Selection();
  TGridCoord cur{value.Right, value.Bottom};
  bool moved = !(cur == FCurrent);
  if (moved) CurrentCellChanging();
  FAnchor = {value.Left, value.Top};
  FCurrent = cur;
  InvalidateRange(old);
  InvalidateRange(Selection());
  if (moved) CurrentCellChanged();
}

int TGridCore::MaxTopRow() const {
  return MaxFirst(FRows, false, FClientHeight);
}
int TGridCore::MaxLeftCol() const {
  return MaxFirst(FCols, true, FClientWidth);
}
int TGridCore::VisibleColCount() const {
  return VisibleCount(FCols, true, FLeftCol, FClientWidth);
}
int TGridCore::VisibleRowCount() const {
  return VisibleCount(FRows, false, FTopRow, FClientHeight);
}

void TGridCore::ClampView() {
  MoveTopLeft(FLeftCol, FTopRow);
}

void TGridCore::Relayout() {
  // Line widths and options shape both axes.
  ++FCols.Gen;
  ++FRows.Gen;
  ClampView();
  GridInvalidateAll();
  GridScrollBarsChanged();
}

void TGridCore::MoveTopLeft(int left, int top) {
  left = Clamp(left, FCols.Fixed, std::max(FCols.Fixed, MaxLeftCol()));
  top = Clamp(top, FRows.Fixed, std::max(FRows.Fixed, MaxTopRow()));
  if (left == FLeftCol && top == FTopRow) return;
  FLeftCol = left;
  FTopRow = top;
  GridInvalidateAll();
  GridScrollBarsChanged();
  TopLeftChanged();
}

void TGridCore::SetTopRow(int value) {
  MoveTopLeft(FLeftCol, value);
}
void TGridCore::SetLeftCol(int value) {
  MoveTopLeft(value, FTopRow);
}

void TGridCore::SetGridClientSize(int width, int height) {
  width = std::max(0, width);
  height = std::max(0, height);
  if (width == FClientWidth && height == FClientHeight) return;
  FClientWidth = width;
  FClientHeight = height;
  ClampView();
  GridScrollBarsChanged();
}

void TGridCore::LayoutScrollBars(int totalWidth, int totalHeight, int barWidth, int barHeight, bool& showVert,
                                 bool& showHorz) {
  bool allowVert = FScrollBars == gsbVertical || FScrollBars == gsbBoth;
  bool allowHorz = FScrollBars == gsbHorizontal || FScrollBars == gsbBoth;
  bool v = false, h = false;
  for (int pass = 0; pass < 3; ++pass) {
    int w = std::max(0, totalWidth - (v ? barWidth : 0));
    int hh = std::max(0, totalHeight - (h ? barHeight : 0));
    bool nv = allowVert && (MaxFirst(FRows, false, hh) > FRows.Fixed || ScrollBarAlwaysShown(true));
    bool nh = allowHorz && (MaxFirst(FCols, true, w) > FCols.Fixed || ScrollBarAlwaysShown(false));
    if (nv == v && nh == h) break;
    v = nv;
    h = nh;
  }
  showVert = v;
  showHorz = h;
  SetGridClientSize(totalWidth - (v ? barWidth : 0), totalHeight - (h ? barHeight : 0));
}

TRect TGridCore::CellRect(int col, int row) const {
  TGridSpan c, r;
  if (!SpanOf(FCols, true, FLeftCol, FClientWidth, col, c)) return {};
  if (!SpanOf(FRows, false, FTopRow, FClientHeight, row, r)) return {};
  return {c.Start, r.Start, c.End, r.End};
}

TGridCoord TGridCore::MouseToCell(int x, int y) const {
  int c = Hit(FCols, true, FLeftCol, FClientWidth, x);
  int r = Hit(FRows, false, FTopRow, FClientHeight, y);
  if (c < 0 || r < 0) return {-1, -1};
  return {c, r};
}

std::vector<TGridSpan> TGridCore::VisibleColumns() const {
  return Spans(FCols, true, FLeftCol, FClientWidth);
}
std::vector<TGridSpan> TGridCore::VisibleRows() const {
  return Spans(FRows, false, FTopRow, FClientHeight);
}

TRect TGridCore::RangeRect(const TGridRect& range) const {
  auto extent = [](const std::vector<TGridSpan>& spans, int lo, int hi, int& a, int& b) {
    a = -1;
    b = -1;
    for (const TGridSpan& s : spans) {
      if (s.Index < lo || s.Index > hi) continue;
      if (a < 0 || s.Start < a) a = s.Start;
      if (s.LineEnd > b) b = s.LineEnd;
    }
    return a >= 0 && b > a;
  };
  int x1, x2, y1, y2;
  TGridRect n{std::min(range.Left, range.Right), std::min(range.Top, range.Bottom),
              std::max(range.Left, range.Right), std::max(range.Top, range.Bottom)};
  if (!extent(VisibleColumns(), n.Left, n.Right, x1, x2)) return {};
  if (!extent(VisibleRows(), n.Top, n.Bottom, y1, y2)) return {};
  return {x1, y1, x2, y2};
}

TGridDrawState TGridCore::CellDrawState(int col, int row, bool focused) const {
  TGridDrawState s = 0;
  if (IsFixedCell(col, row)) {
    s |= gdFixed;
    if ((FOptions & goFixedHotTrack) && FHotCell == TGridCoord{col, row}) s |= gdHotTrack;
    if (FPressedCell == TGridCoord{col, row}) s |= gdPressed;
    return s;
  }
  bool current = FCurrent == TGridCoord{col, row};
  if (current && focused) s |= gdFocused;
  if (Selection().Contains(col, row)) {
    bool plainFocus = current && focused && !(FOptions & (goDrawFocusSelected | goRowSelect));
    if (!plainFocus) s |= gdSelected;
    if (FOptions & goRowSelect) s |= gdRowSelected;
  }
  return s;
}

bool TGridCore::CellPastViewMeasured(int col, int row) const {
  auto pastEdge = [this](const Axis& a, bool horizontalAxis, int first, int client, int index) {
    return index >= a.Fixed && index >= ViewEnd(a, horizontalAxis, first, client);
  };
  return pastEdge(FRows, false, FTopRow, FClientHeight, row) ||
         pastEdge(FCols, true, FLeftCol, FClientWidth, col);
}

void TGridCore::InvalidateCellArea(int col, int row) {
  // Cheap for cells out of view: no span lists are built, and no walk starts for a cell whose row or
  // column lies past the client edge.
  if (CellPastView(col, row)) return;
  TGridSpan c, r;
  if (!SpanOf(FCols, true, FLeftCol, FClientWidth, col, c)) return;
  if (!SpanOf(FRows, false, FTopRow, FClientHeight, row, r)) return;
  if (c.LineEnd > c.Start && r.LineEnd > r.Start) GridInvalidate({c.Start, r.Start, c.LineEnd, r.LineEnd});
}

void TGridCore::InvalidateRange(const TGridRect& range) {
  TRect r = RangeRect(range);
  if (!r.IsEmpty()) GridInvalidate(r);
}

// --- Scroll bars -----------------------------------------------------------------------------

int TGridCore::VertThumb() const {
  int range = MaxTopRow() - FRows.Fixed;
  if (range <= 0) return 0;
  return Clamp(MulDiv(FTopRow - FRows.Fixed, ThumbMax, range), 0, ThumbMax);
}

int TGridCore::HorzThumb() const {
  int range = MaxLeftCol() - FCols.Fixed;
  if (range <= 0) return 0;
  return Clamp(MulDiv(FLeftCol - FCols.Fixed, ThumbMax, range), 0, ThumbMax);
}

void TGridCore::ScrollAxis(bool vertical, TGridScrollCode code, int pos) {
  const Axis& a = vertical ? FRows : FCols;
  int first = vertical ? FTopRow : FLeftCol;
  int maxFirst = vertical ? MaxTopRow() : MaxLeftCol();
  int page = std::max(1, vertical ? VisibleRowCount() : VisibleColCount());
  int to = first;
  switch (code) {
  case gscLineUp:
    to = first - 1;
    break;
  case gscLineDown:
    to = first + 1;
    break;
  case gscPageUp:
    to = first - page;
    break;
  case gscPageDown:
    to = first + page;
    break;
  case gscTop:
    to = a.Fixed;
    break;
  case gscBottom:
    to = maxFirst;
    break;
  case gscTrack:
    if (!(FOptions & goThumbTracking)) return;
    [[fallthrough]];
  case gscPosition:
    to = ScrollPosToIndex(vertical, pos);
    break;
  }
  if (vertical)
    MoveTopLeft(FLeftCol, to);
  else
    MoveTopLeft(to, FTopRow);
}

TGridScrollInfo TGridCore::GetScrollInfo(bool vertical) const {
  TGridScrollInfo info;
  info.Max = ThumbMax;
  info.Pos = vertical ? VertThumb() : HorzThumb();
  info.Enabled = vertical ? CanScrollVert() : CanScrollHorz();
  return info;
}

int TGridCore::ScrollPosToIndex(bool vertical, int pos) const {
  const Axis& a = vertical ? FRows : FCols;
  int maxFirst = vertical ? MaxTopRow() : MaxLeftCol();
  return a.Fixed + MulDiv(Clamp(pos, 0, ThumbMax), std::max(0, maxFirst - a.Fixed), ThumbMax);
}

TGridScrollInfo TGridCore::IndexScrollInfo(bool vertical) const {
  const Axis& a = vertical ? FRows : FCols;
  int maxFirst = vertical ? MaxTopRow() : MaxLeftCol();
  TGridScrollInfo info;
  info.Min = a.Fixed;
  info.Page = std::max(1, vertical ? VisibleRowCount() : VisibleColCount());
  // The last position is the largest first row, whatever the rows' heights.
  info.Max = std::max(maxFirst, a.Fixed) + info.Page - 1;
  info.Pos = vertical ? FTopRow : FLeftCol;
  info.Enabled = maxFirst > a.Fixed;
  return info;
}

void TGridCore::ScrollVert(TGridScrollCode code, int pos) {
  ScrollAxis(true, code, pos);
}
void TGridCore::ScrollHorz(TGridScrollCode code, int pos) {
  ScrollAxis(false, code, pos);
}

// --- Current cell ----------------------------------------------------------------------------

bool TGridCore::MoveColRow(int col, int row, bool moveAnchor, bool show) {
  if (col < 0 || row < 0 || col >= FCols.Count || row >= FRows.Count) return false;
  bool same = FCurrent == TGridCoord{col, row};
  if (!same && !SelectCell(col, row)) return false;
  TGridRect old = Selection();
  if (!same) CurrentCellChanging();
  FCurrent = {col, row};
  if (moveAnchor) FAnchor = FCurrent;
  TGridRect now = Selection();
  if (!same || !(old == now)) {
    InvalidateRange(old);
    InvalidateRange(now);
  }
  if (show) ScrollCellInView(col, row);
  if (!same) CurrentCellChanged();
  return true;
}

void TGridCore::ScrollCellInView(int col, int row) {
  int left = FLeftCol, top = FTopRow;
  if (!(FOptions & goRowSelect) && col >= FCols.Fixed && col < FCols.Count) {
    int vis = VisibleColCount();
    if (col < FLeftCol)
      left = col;
    else if (col >= FLeftCol + vis)
      left = FirstInView(FCols, true, FClientWidth, col);
  }
  if (row >= FRows.Fixed && row < FRows.Count) {
    int vis = VisibleRowCount();
    if (row < FTopRow)
      top = row;
    else if (row >= FTopRow + vis)
      top = FirstInView(FRows, false, FClientHeight, row);
  }
  MoveTopLeft(left, top);
}

// --- Structure -------------------------------------------------------------------------------

void TGridCore::MoveColumn(int fromIndex, int toIndex) {
  if (fromIndex < 0 || toIndex < 0 || fromIndex >= FCols.Count || toIndex >= FCols.Count ||
      fromIndex == toIndex)
    return;
  MoveSize(FCols.Sizes, fromIndex, toIndex);
  ++FCols.Gen;
  ColumnMoved(fromIndex, toIndex);
  GridInvalidateAll();
}

void TGridCore::MoveRow(int fromIndex, int toIndex) {
  if (fromIndex < 0 || toIndex < 0 || fromIndex >= FRows.Count || toIndex >= FRows.Count ||
      fromIndex == toIndex)
    return;
  MoveSize(FRows.Sizes, fromIndex, toIndex);
  ++FRows.Gen;
  RowMoved(fromIndex, toIndex);
  GridInvalidateAll();
}

void TGridCore::DeleteRow(int index) {
  if (index < 0 || index >= FRows.Count) return;
  MoveRow(index, FRows.Count - 1);
  SetRowCount(FRows.Count - 1);
}

void TGridCore::DeleteColumn(int index) {
  if (index < 0 || index >= FCols.Count) return;
  MoveColumn(index, FCols.Count - 1);
  SetColCount(FCols.Count - 1);
}

// --- Keyboard --------------------------------------------------------------------------------

bool TGridCore::NavigateKey(unsigned key, bool shift, bool ctrl) {
  using namespace GridKeys;
  switch (key) {
  case Up:
  case Down:
  case Left:
  case Right:
  case PageUp:
  case PageDown:
  case Home:
  case End:
    break;
  case Tab:
    if (!(FOptions & goTabs)) return false;
    break;
  default:
    return false;
  }
  if (FCols.Count <= FCols.Fixed || FRows.Count <= FRows.Fixed) return true; // no normal cell
  bool rowSelect = FOptions & goRowSelect;
  TGridCoord cur{ClampNormal(FCurrent.X, FCols), ClampNormal(FCurrent.Y, FRows)};
  TGridCoord to = cur;
  int firstCol = FCols.Fixed, lastCol = FCols.Count - 1;
  int firstRow = FRows.Fixed, lastRow = FRows.Count - 1;
  int page = std::max(1, VisibleRowCount());
  int topDelta = 0;
  switch (key) {
  case Up:
    if (ctrl) {
      SetTopRow(FTopRow - 1);
      return true;
    }
    --to.Y;
    break;
  case Down:
    if (ctrl) {
      SetTopRow(FTopRow + 1);
      return true;
    }
    ++to.Y;
    break;
  case Left:
    if (ctrl || rowSelect) {
      SetLeftCol(FLeftCol - 1);
      return true;
    }
    --to.X;
    break;
  case Right:
    if (ctrl || rowSelect) {
      SetLeftCol(FLeftCol + 1);
      return true;
    }
    ++to.X;
    break;
  case PageUp:
    to.Y -= page;
    topDelta = -page;
    break;
  case PageDown:
    to.Y += page;
    topDelta = page;
    break;
  case Home:
    if (ctrl || rowSelect)
      to = {rowSelect ? cur.X : firstCol, firstRow};
    else
      to.X = firstCol;
    break;
  case End:
    if (ctrl || rowSelect)
      to = {rowSelect ? cur.X : lastCol, lastRow};
    else
      to.X = lastCol;
    break;
  case Tab:
    if (rowSelect) {
      if (!shift)
        to.Y = cur.Y < lastRow ? cur.Y + 1 : firstRow;
      else
        to.Y = cur.Y > firstRow ? cur.Y - 1 : lastRow;
    } else if (!shift) {
      if (++to.X > lastCol) {
        to.X = firstCol;
        if (++to.Y > lastRow) to.Y = firstRow;
      }
    } else if (--to.X < firstCol) {
      to.X = lastCol;
      if (--to.Y < firstRow) to.Y = lastRow;
    }
    break;
  }
  to.X = Clamp(to.X, firstCol, lastCol);
  to.Y = Clamp(to.Y, firstRow, lastRow);
  bool extend = shift && (FOptions & goRangeSelect) && key != Tab;
  if (!MoveColRow(to.X, to.Y, !extend, topDelta == 0)) return true;
  if (topDelta != 0) {
    SetTopRow(FTopRow + topDelta);
    ScrollCellInView(to.X, to.Y);
  }
  return true;
}

// --- Mouse -----------------------------------------------------------------------------------

void TGridCore::CalcSizingState(int x, int y, TGridState& state, int& index, int& sizingPos, int& sizingOfs) {
  state = gsNormal;
  index = -1;
  auto pick = [&](const std::vector<TGridSpan>& spans, int p) {
    int best = -1, bestDist = 0, bestBorder = 0;
    for (const TGridSpan& s : spans) {
      if (p < s.End - SizingMargin || p >= s.LineEnd + SizingMargin) continue;
      int d = std::abs(p - s.End);
      if (best < 0 || d <= bestDist) {
        best = s.Index;
        bestDist = d;
        bestBorder = s.End;
      }
    }
    if (best >= 0) {
      index = best;
      sizingPos = p;
      sizingOfs = p - bestBorder;
    }
    return best >= 0;
  };
  if ((FOptions & goColSizing) && FRows.Fixed > 0 && y >= 0 && y < FixedExtent(FRows, false) &&
      y < FClientHeight && pick(VisibleColumns(), x)) {
    state = gsColSizing;
    return;
  }
  if ((FOptions & goRowSizing) && FCols.Fixed > 0 && x >= 0 && x < FixedExtent(FCols, true) &&
      x < FClientWidth && pick(VisibleRows(), y)) {
    state = gsRowSizing;
    return;
  }
  index = -1;
}

TRect TGridCore::DragMarkRect() const {
  switch (FGridState) {
  case gsColSizing:
    return {FSizingPos, 0, FSizingPos + 1, FClientHeight};
  case gsRowSizing:
    return {0, FSizingPos, FClientWidth, FSizingPos + 1};
  case gsColMoving:
  case gsRowMoving: {
    if (FMovePos == FMoveIndex) return {};
    const bool cols = FGridState == gsColMoving;
    const TRect r = cols ? CellRect(FMovePos, 0) : CellRect(0, FMovePos);
    if (r.IsEmpty()) return {};
    if (cols) {
      const int x = FMovePos > FMoveIndex ? r.Right : r.Left;
      return {x - 1, 0, x + 2, FClientHeight};
    }
    const int y = FMovePos > FMoveIndex ? r.Bottom : r.Top;
    return {0, y - 1, FClientWidth, y + 2};
  }
  default:
    return {};
  }
}

void TGridCore::SetGridState(TGridState value) {
  if (value == FGridState) return;
  const TRect mark = DragMarkRect();
  FGridState = value;
  if (value == gsNormal) {
    FSizingIndex = -1;
    FMoveIndex = FMovePos = -1;
  }
  if (!mark.IsEmpty()) GridInvalidate(mark);
}

void TGridCore::GridMouseDown(int x, int y, bool shift) {
  FLastMouse = {x, y};
  if (FGridState != gsNormal) return;
  TGridState state = gsNormal;
  int index = -1, pos = 0, ofs = 0;
  CalcSizingState(x, y, state, index, pos, ofs);
  if ((state == gsColSizing || state == gsRowSizing) && index >= 0) {
    FGridState = state;
    FSizingIndex = index;
    FSizingPos = pos;
    FSizingOfs = ofs;
    GridInvalidate(DragMarkRect());
    return;
  }
  TGridCoord cell = MouseToCell(x, y);
  if (cell.X < 0 || cell.Y < 0) return;
  if ((FOptions & goColMoving) && cell.Y < FRows.Fixed && cell.X >= FCols.Fixed) {
    FGridState = gsColMoving;
    FMoveIndex = FMovePos = cell.X;
    return;
  }
  if ((FOptions & goRowMoving) && cell.X < FCols.Fixed && cell.Y >= FRows.Fixed) {
    FGridState = gsRowMoving;
    FMoveIndex = FMovePos = cell.Y;
    return;
  }
  if (IsFixedCell(cell.X, cell.Y)) {
    bool clickable = ((FOptions & goFixedColClick) && cell.Y < FRows.Fixed && cell.X >= FCols.Fixed) ||
                     ((FOptions & goFixedRowClick) && cell.X < FCols.Fixed && cell.Y >= FRows.Fixed);
    if (clickable) {
      FPressedCell = cell;
      InvalidateCellArea(cell.X, cell.Y);
    }
    return;
  }
  bool extend = shift && (FOptions & goRangeSelect);
  if (MoveColRow(cell.X, cell.Y, !extend, true) && (FOptions & goRangeSelect)) FGridState = gsSelecting;
}

void TGridCore::DragSelectTo(int x, int y) {
  int c = FCurrent.X, r = FCurrent.Y;
  if (!(FOptions & goRowSelect)) {
    int fixedW = FixedExtent(FCols, true);
    if (x >= FClientWidth) {
      SetLeftCol(FLeftCol + 1);
      c = FLeftCol + std::max(1, VisibleColCount()) - 1;
    } else if (x < fixedW && FCols.Count > FCols.Fixed) {
      SetLeftCol(FLeftCol - 1);
      c = FLeftCol;
    } else {
      c = Hit(FCols, true, FLeftCol, FClientWidth, x);
      if (c < 0) c = FCols.Count - 1;
    }
  }
  int fixedH = FixedExtent(FRows, false);
  if (y >= FClientHeight) {
    SetTopRow(FTopRow + 1);
    r = FTopRow + std::max(1, VisibleRowCount()) - 1;
  } else if (y < fixedH && FRows.Count > FRows.Fixed) {
    SetTopRow(FTopRow - 1);
    r = FTopRow;
  } else {
    r = Hit(FRows, false, FTopRow, FClientHeight, y);
    if (r < 0) r = FRows.Count - 1;
  }
  if (FCols.Count <= FCols.Fixed || FRows.Count <= FRows.Fixed) return;
  MoveColRow(ClampNormal(c, FCols), ClampNormal(r, FRows), false, true);
}

void TGridCore::GridMouseMove(int x, int y) {
  FLastMouse = {x, y};
  switch (FGridState) {
  case gsSelecting:
    DragSelectTo(x, y);
    break;
  case gsColSizing:
  case gsRowSizing: {
    const TRect old = DragMarkRect();
    FSizingPos = FGridState == gsColSizing ? x : y;
    GridInvalidate(old);
    GridInvalidate(DragMarkRect());
    break;
  }
  case gsColMoving:
  case gsRowMoving: {
    bool cols = FGridState == gsColMoving;
    const Axis& a = cols ? FCols : FRows;
    int p = cols ? x : y;
    int i = cols ? Hit(FCols, true, FLeftCol, FClientWidth, x) : Hit(FRows, false, FTopRow, FClientHeight, y);
    if (i < 0) {
      if (p < 0)
        i = a.Fixed;
      else {
        std::vector<TGridSpan> spans = cols ? VisibleColumns() : VisibleRows();
        i = spans.empty() ? a.Count - 1 : spans.back().Index;
      }
    }
    i = Clamp(i, a.Fixed, a.Count - 1);
    if (i != FMovePos) {
      const TRect old = DragMarkRect();
      FMovePos = i;
      if (!old.IsEmpty()) GridInvalidate(old);
      const TRect now = DragMarkRect();
      if (!now.IsEmpty()) GridInvalidate(now);
    }
    break;
  }
  case gsNormal:
    if (FOptions & goFixedHotTrack) {
      TGridCoord cell = MouseToCell(x, y);
      TGridCoord hot = cell.X >= 0 && IsFixedCell(cell.X, cell.Y) ? cell : TGridCoord{-1, -1};
      if (!(hot == FHotCell)) {
        TGridCoord old = FHotCell;
        FHotCell = hot;
        if (old.X >= 0) InvalidateCellArea(old.X, old.Y);
        if (hot.X >= 0) InvalidateCellArea(hot.X, hot.Y);
      }
    }
    break;
  }
}

void TGridCore::GridMouseUp(int x, int y) {
  FLastMouse = {x, y};
  TGridState state = FGridState;
  switch (state) {
  case gsSelecting:
    if (x >= 0 && y >= 0 && x < FClientWidth && y < FClientHeight) DragSelectTo(x, y);
    SetGridState(gsNormal);
    break;
  case gsColSizing:
  case gsRowSizing: {
    bool cols = state == gsColSizing;
    int index = FSizingIndex, ofs = FSizingOfs;
    TGridSpan s;
    bool shown = cols ? SpanOf(FCols, true, FLeftCol, FClientWidth, index, s)
                      : SpanOf(FRows, false, FTopRow, FClientHeight, index, s);
    SetGridState(gsNormal);
    if (shown) {
      int size = (cols ? x : y) - ofs - s.Start;
      if (cols)
        SetColWidths(index, size);
      else
        SetRowHeights(index, size);
    }
    break;
  }
  case gsColMoving:
  case gsRowMoving: {
    int from = FMoveIndex, to = FMovePos;
    SetGridState(gsNormal);
    if (from >= 0 && to >= 0 && from != to) {
      if (state == gsColMoving)
        MoveColumn(from, to);
      else
        MoveRow(from, to);
    }
    break;
  }
  case gsNormal:
    if (FPressedCell.X >= 0) {
      TGridCoord pressed = FPressedCell;
      FPressedCell = {-1, -1};
      InvalidateCellArea(pressed.X, pressed.Y);
      if (MouseToCell(x, y) == pressed) FixedCellClick(pressed.X, pressed.Y);
    }
    break;
  }
}

void TGridCore::AutoScrollStep() {
  if (FGridState != gsSelecting) return;
  int x = FLastMouse.X, y = FLastMouse.Y;
  bool outside = x >= FClientWidth || y >= FClientHeight ||
                 (x < FixedExtent(FCols, true) && !(FOptions & goRowSelect)) || y < FixedExtent(FRows, false);
  if (outside) DragSelectTo(x, y);
}

void TGridCore::GridMouseLeave() {
  if (FHotCell.X >= 0) {
    TGridCoord old = FHotCell;
    FHotCell = {-1, -1};
    InvalidateCellArea(old.X, old.Y);
  }
}

bool TGridCore::WheelDown() {
  if (FCols.Count <= FCols.Fixed || FRows.Count <= FRows.Fixed) return true;
  int r = ClampNormal(FCurrent.Y, FRows);
  if (r < FRows.Count - 1) MoveColRow(ClampNormal(FCurrent.X, FCols), r + 1, true, true);
  return true;
}

bool TGridCore::WheelUp() {
  if (FCols.Count <= FCols.Fixed || FRows.Count <= FRows.Fixed) return true;
  int r = ClampNormal(FCurrent.Y, FRows);
  if (r > FRows.Fixed) MoveColRow(ClampNormal(FCurrent.X, FCols), r - 1, true, true);
  return true;
}
