// Sorting rows: each key column's style is resolved once, its keys parsed once per row, a
// permutation of the rows sorted stably and applied in one pass with everything the rows carry.
//
// The comparison is a strict weak order in every style: values that do not convert take one place
// after the valid ones (before them descending) and are ordered among themselves by their text.
// Comparisons that ask an event run in the merge sort below, which never reads outside its ranges
// whatever the event answers.
#include "controls/FilterCondition.h"
#include "controls/ProUtilDates.h"
#include "controls/ProUtilNumbers.h"
#include "grid/ProGrid.h"
#include "platform/Collate.h"
#include "platform/DateText.h"
#include "platform/Locale.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>

namespace {

enum TKeyState : unsigned char { ksValid, ksInvalid };

struct TSortKey {
  double Num = 0;
  std::string Text; // compared text (text styles), or the raw text of an invalid number
  TKeyState State = ksValid;
  bool Blank = false;
};

bool IsNumberStyle(TSortStyle s) {
  return s == ssNumeric || s == ssFinancial || s == ssDate || s == ssDateTime || s == ssTime ||
         s == ssShortDateEU || s == ssShortDateUS || s == ssImages || s == ssCheckBox;
}

std::string AsciiUpper(std::string s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return s;
}

void EraseFirst(std::string& s, const std::string& part) {
  if (part.empty()) return;
  size_t p = s.find(part);
  if (p != std::string::npos) s.erase(p, part.size());
}

// A decimal number filling the whole text (leading blanks and a sign allowed).
bool ReadDecimal(const std::string& s, double& v) {
  size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || s[i] == '\t'))
    ++i;
  if (i < s.size() && s[i] == '+') ++i;
  if (i >= s.size()) return false;
  const char* first = s.data() + i;
  const char* last = s.data() + s.size();
  auto [ptr, ec] = std::from_chars(first, last, v, std::chars_format::general);
  return ec == std::errc() && ptr == last;
}

bool IsNumberClass(const std::string& s) {
  const int k = ClassifyNumberText(s);
  return k == 0 || k == 1 || k == 5;
}

// The Part's date/time test on the first two texts of a column.
TSortStyle DateOrTimeStyle(const std::string& t1, const std::string& t2, TSortStyle textStyle) {
  const TFormatSettings& fs = FormatSettings();
  auto digit = [](char c) { return c >= '0' && c <= '9'; };
  auto test = [&](char sep, bool& firstStepFailed) {
    size_t p = t1.find(sep);
    firstStepFailed = p == std::string::npos || (p != 1 && p != 2) || p + 1 >= t1.size();
    if (firstStepFailed) return false;
    return digit(t1[p - 1]) && digit(t1[p + 1]) && t2.find(sep) != std::string::npos;
  };
  bool failedFirst = false;
  if (test(fs.DateSeparator, failedFirst))
    return t1.find(fs.TimeSeparator) != std::string::npos ? ssDateTime : ssDate;
  if (failedFirst) {
    bool dummy = false;
    if (test(fs.TimeSeparator, dummy)) return ssTime;
  }
  return textStyle;
}

// One key column of a sort.
struct TKeyColumn {
  int Col = 0;
  TSortStyle Style = ssAlphabetic;
  std::string Prefix, Suffix;
  bool Descending = false;
  bool Built = false;
  std::vector<TSortKey> Keys; // by row - First
};

class TRowSorter {
public:
  TRowSorter(TProStringGrid& g, int First, int Last) : G(g), FFirst(First), FLast(Last) {}

  // Adds a key column; its style is resolved now, its keys when first compared.
  void AddKey(int Col, bool Descending) {
    TKeyColumn k;
    k.Col = Col;
    k.Descending = Descending;
    Resolve(k);
    if (k.Style == ssCustom || k.Style == ssRaw) FAsksEvents = true;
    FKeys.push_back(std::move(k));
  }
  bool AsksEvents() const { return FAsksEvents; }

  // Final order of two rows (direction and blanks applied): < 0 when a goes first.
  int CompareRows(int a, int b) {
    for (TKeyColumn& k : FKeys) {
      if (G.IgnoreColumns().count(k.Col)) continue;
      int c = CompareKey(k, a, b);
      if (c != 0) return c;
    }
    return 0;
  }

  int CompareKey(TKeyColumn& k, int a, int b) {
    if (k.Style == ssRaw) {
      int res = 0;
      if (G.OnRawCompare) G.OnRawCompare(&G, k.Col, a, b, res);
      return Sign(res) * (k.Descending ? -1 : 1);
    }
    if (!k.Built) Build(k);
    const TSortKey& x = k.Keys[a - FFirst];
    const TSortKey& y = k.Keys[b - FFirst];
    if (G.SortSettings().IgnoreBlanks() && x.Blank != y.Blank) {
      const bool first = G.SortSettings().BlankPos() == blFirst;
      return x.Blank ? (first ? -1 : 1) : (first ? 1 : -1);
    }
    return Plain(k, x, y) * (k.Descending ? -1 : 1);
  }

  // A key of one cell, for pairs compared on their own.
  TSortKey KeyOf(const TKeyColumn& k, int Row) const { return MakeKey(k, Row); }
  int ComparePair(const TKeyColumn& k, const TSortKey& x, const TSortKey& y, int a, int b) {
    if (k.Style == ssRaw) {
      int res = 0;
      if (G.OnRawCompare) G.OnRawCompare(&G, k.Col, a, b, res);
      return Sign(res);
    }
    if (G.SortSettings().IgnoreBlanks() && x.Blank != y.Blank) {
      const bool first = G.SortSettings().BlankPos() == blFirst;
      const int r = x.Blank ? (first ? -1 : 1) : (first ? 1 : -1);
      return r * (k.Descending ? -1 : 1); // the caller applies the direction once more
    }
    return Plain(k, x, y);
  }
  TKeyColumn& Key(int i) { return FKeys[static_cast<size_t>(i)]; }

  // Rows First .. Last in their new order (entries are rows).
  std::vector<int> SortedRows() {
    std::vector<int> rows(static_cast<size_t>(FLast - FFirst + 1));
    for (int i = 0; i < static_cast<int>(rows.size()); ++i)
      rows[static_cast<size_t>(i)] = FFirst + i;
    auto less = [this](int a, int b) { return CompareRows(a, b) < 0; };
    if (FAsksEvents) {
      MergeSort(rows, less);
      return rows;
    }
    TKeyColumn* k0 = FKeys.empty() ? nullptr : &FKeys.front();
    if (k0 && IsNumberStyle(k0->Style) && !G.SortSettings().IgnoreBlanks() &&
        !G.IgnoreColumns().count(k0->Col)) {
      if (!k0->Built) Build(*k0);
      if (RadixByFirstKey(*k0, rows)) return rows;
      // The first key in a flat array: the common case compares two doubles, and only ties and
      // invalid values go the full way.
      const size_t n = k0->Keys.size();
      std::vector<double> num(n);
      std::vector<unsigned char> invalid(n);
      for (size_t i = 0; i < n; ++i) {
        num[i] = k0->Keys[i].Num;
        invalid[i] = k0->Keys[i].State == ksInvalid;
      }
      const int dir = k0->Descending ? -1 : 1;
      const int first = FFirst;
      std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) {
        const size_t x = static_cast<size_t>(a - first), y = static_cast<size_t>(b - first);
        int c = 0;
        if (invalid[x] != invalid[y])
          c = invalid[x] ? 1 : -1;
        else if (!invalid[x])
          c = num[x] < num[y] ? -1 : num[x] > num[y] ? 1 : 0;
        if (c != 0) return c * dir < 0;
        return CompareRows(a, b) < 0;
      });
      return rows;
    }
    std::stable_sort(rows.begin(), rows.end(), less);
    return rows;
  }

  // A bottom-up merge sort: no recursion, and every read stays inside the runs it merges.
  template <class Less> static void MergeSort(std::vector<int>& v, Less less) {
    const size_t n = v.size();
    std::vector<int> buf(n);
    for (size_t width = 1; width < n; width *= 2) {
      for (size_t lo = 0; lo < n; lo += 2 * width) {
        const size_t mid = std::min(lo + width, n), hi = std::min(lo + 2 * width, n);
        size_t i = lo, j = mid, o = lo;
        while (i < mid && j < hi)
          buf[o++] = less(v[j], v[i]) ? v[j++] : v[i++];
        while (i < mid)
          buf[o++] = v[i++];
        while (j < hi)
          buf[o++] = v[j++];
      }
      v.swap(buf);
    }
  }

private:
  static int Sign(int v) { return v < 0 ? -1 : v > 0 ? 1 : 0; }

  // A number's bits turned so that unsigned order is numeric order (-0 counts as 0).
  static std::uint64_t OrderedBits(double v) {
    if (v == 0) v = 0;
    std::uint64_t u = 0;
    std::memcpy(&u, &v, sizeof u);
    return u & (std::uint64_t{1} << 63) ? ~u : u | (std::uint64_t{1} << 63);
  }

  // Orders the rows by a numeric first key with a stable radix sort of the valid values (no
  // comparisons); runs of equal values and the invalid values are ordered by the other keys and
  // texts as the comparison would. False, with `rows` untouched, when a value is NaN.
  bool RadixByFirstKey(const TKeyColumn& k, std::vector<int>& rows) {
    const size_t n = k.Keys.size();
    struct TItem {
      std::uint64_t Key;
      int Row;
    };
    std::vector<TItem> valid, swap;
    std::vector<int> invalid;
    valid.reserve(n);
    for (size_t i = 0; i < n; ++i) {
      const TSortKey& key = k.Keys[i];
      const int row = FFirst + static_cast<int>(i);
      if (key.State == ksInvalid) {
        invalid.push_back(row);
        continue;
      }
      if (key.Num != key.Num) return false;
      std::uint64_t bits = OrderedBits(key.Num);
      valid.push_back({k.Descending ? ~bits : bits, row});
    }
    // Least significant digit first, 16 bits a pass; passes whose digit is the same everywhere
    // are skipped.
    swap.resize(valid.size());
    std::vector<size_t> count(65536);
    for (int shift = 0; shift < 64; shift += 16) {
      std::fill(count.begin(), count.end(), 0);
      for (const TItem& it : valid)
        ++count[(it.Key >> shift) & 0xFFFF];
      if (!valid.empty() && count[(valid.front().Key >> shift) & 0xFFFF] == valid.size()) continue;
      size_t sum = 0;
      for (size_t& c : count) {
        const size_t here = c;
        c = sum;
        sum += here;
      }
      for (const TItem& it : valid)
        swap[count[(it.Key >> shift) & 0xFFFF]++] = it;
      valid.swap(swap);
    }
    auto less = [this](int a, int b) { return CompareRows(a, b) < 0; };
    std::vector<int> sorted;
    sorted.reserve(n);
    for (size_t i = 0; i < valid.size();) {
      size_t j = i + 1;
      while (j < valid.size() && valid[j].Key == valid[i].Key)
        ++j;
      const size_t from = sorted.size();
      for (size_t x = i; x < j; ++x)
        sorted.push_back(valid[x].Row);
      if (j - i > 1 && FKeys.size() > 1) std::stable_sort(sorted.begin() + from, sorted.end(), less);
      i = j;
    }
    std::stable_sort(invalid.begin(), invalid.end(), less);
    if (k.Descending)
      sorted.insert(sorted.begin(), invalid.begin(), invalid.end());
    else
      sorted.insert(sorted.end(), invalid.begin(), invalid.end());
    rows = std::move(sorted);
    return true;
  }

  std::string ReadText(int Col, int Row) const {
    return G.SortSettings().SortOnVirtualCells() ? G.Cells(Col, Row) : G.GridCells(Col, Row);
  }

  void Resolve(TKeyColumn& k) {
    const TSortSettings& s = G.SortSettings();
    TSortStyle style = s.AutoFormat() ? ssAutomatic : s.IgnoreCase() ? ssAlphaNoCase : ssAlphabetic;
    G.GetColumnFormat(k.Col, style, k.Prefix, k.Suffix);
    if (style == ssAutomatic) {
      const TSortStyle textStyle = s.IgnoreCase() ? ssAlphaNoCase : ssAlphabetic;
      std::string t1, t2;
      bool have1 = false;
      for (int r = FFirst; r <= FLast; ++r) {
        std::string t = ReadText(k.Col, r);
        if (t.empty()) continue;
        if (!have1) {
          t1 = std::move(t);
          have1 = true;
        } else {
          t2 = std::move(t);
          break;
        }
      }
      const TCellType type = FFirst <= FLast ? G.GetCellType(k.Col, FFirst) : ctEmpty;
      if (type == ctCheckBox || type == ctDataCheckBox || type == ctVirtCheckBox || type == ctRowCheckBox)
        style = ssCheckBox;
      else if (IsNumberClass(t1))
        style = ssNumeric;
      else
        style = DateOrTimeStyle(t1, t2, textStyle);
    }
    k.Style = style;
  }

  void Build(TKeyColumn& k) {
    k.Keys.resize(static_cast<size_t>(FLast - FFirst + 1));
    for (int r = FFirst; r <= FLast; ++r)
      k.Keys[static_cast<size_t>(r - FFirst)] = MakeKey(k, r);
    k.Built = true;
  }

  TSortKey MakeKey(const TKeyColumn& k, int Row) const {
    TSortKey key;
    const int realRow = G.DisplToRealRow(Row);
    switch (k.Style) {
    case ssImages: {
      int idx = -1;
      if (!G.GetImageIdx(k.Col, Row, idx)) idx = -1;
      key.Num = idx;
      return key;
    }
    case ssCheckBox: {
      bool state = false;
      G.GetCheckBoxState(k.Col, realRow, state);
      key.Num = state ? 1 : 0;
      return key;
    }
    case ssRaw:
      return key;
    case ssHTML:
      key.Text = G.StrippedCells(k.Col, Row);
      key.Blank = key.Text.empty();
      return key;
    default:
      break;
    }
    std::string text = ReadText(k.Col, Row);
    switch (k.Style) {
    case ssNumeric:
    case ssFinancial:
    case ssAlphaNumeric:
    case ssAlphaNumericNoCase: {
      const bool alnum = k.Style == ssAlphaNumeric || k.Style == ssAlphaNumericNoCase;
      std::string t = text;
      if (!alnum) {
        EraseFirst(t, k.Suffix);
        EraseFirst(t, k.Prefix);
      }
      const TFormatSettings& fs = FormatSettings();
      if (k.Style == ssFinancial && fs.ThousandSeparator)
        t.erase(std::remove(t.begin(), t.end(), fs.ThousandSeparator), t.end());
      if (fs.DecimalSeparator != '.') {
        size_t p = t.find(fs.DecimalSeparator);
        if (p != std::string::npos) t[p] = '.';
      }
      key.Blank = t.empty();
      double v = 0;
      if (alnum ? IsNumberClass(text) && ReadDecimal(t, v) : ReadDecimal(t, v)) {
        key.Num = v;
      } else if (!alnum && G.Cells(k.Col, Row).empty()) {
        key.Num = 0;
      } else {
        key.State = ksInvalid;
        key.Text = k.Style == ssAlphaNumericNoCase ? AsciiUpper(text) : text;
      }
      return key;
    }
    case ssDate:
    case ssDateTime: {
      key.Blank = text.empty();
      TDateTime dt = 0;
      if (!text.empty() && !ParseLocaleDateTime(text, dt)) {
        try {
          dt = StrToDate(text);
        } catch (...) {
          dt = 0;
        }
      }
      key.Num = dt;
      return key;
    }
    case ssTime:
      key.Blank = text.empty();
      try {
        key.Num = StrToTime(text);
      } catch (...) {
        key.Num = 0;
      }
      return key;
    case ssShortDateEU:
      key.Blank = text.empty();
      key.Num = ParseDateDMY(text);
      return key;
    case ssShortDateUS:
      key.Blank = text.empty();
      key.Num = ParseDateMDY(text);
      return key;
    case ssAlphaNoCase:
      key.Blank = text.empty();
      key.Text = AsciiUpper(std::move(text));
      return key;
    default:
      key.Blank = text.empty();
      key.Text = std::move(text);
      return key;
    }
  }

  int Plain(const TKeyColumn& k, const TSortKey& x, const TSortKey& y) const {
    switch (k.Style) {
    case ssCustom: {
      int res = 0;
      if (G.OnCustomCompare) G.OnCustomCompare(&G, x.Text, y.Text, res);
      return Sign(res);
    }
    case ssAnsiAlphaCase:
      return LocaleCompareText(x.Text, y.Text, false);
    case ssAnsiAlphaNoCase:
      return LocaleCompareText(x.Text, y.Text, true);
    default:
      break;
    }
    if (IsNumberStyle(k.Style) || k.Style == ssAlphaNumeric || k.Style == ssAlphaNumericNoCase) {
      if (x.State != y.State) return x.State == ksInvalid ? 1 : -1;
      if (x.State == ksInvalid) return Sign(x.Text.compare(y.Text));
      return x.Num < y.Num ? -1 : x.Num > y.Num ? 1 : 0;
    }
    return Sign(x.Text.compare(y.Text));
  }

  TProStringGrid& G;
  int FFirst, FLast;
  std::vector<TKeyColumn> FKeys;
  bool FAsksEvents = false;
};

} // namespace

// --- Applying an order -----------------------------------------------------------------------------

void TProStringGrid::ApplyRowOrder(const std::vector<int>& Order) {
  const int n = static_cast<int>(Order.size());
  if (n != RowCount()) return;
  bool identity = true;
  for (int r = 0; r < n && identity; ++r)
    identity = Order[r] == r;
  if (identity) return;
  if (FSortSettings.SingleColumn()) {
    const int c = FSortSettings.Column();
    if (c >= 0 && c < TotalColCount()) {
      std::vector<TGridCell> cells(n);
      for (int r = 0; r < n; ++r)
        cells[r] = {GridCells(c, r), GridObjects(c, r)};
      for (int r = 0; r < n; ++r) {
        SetGridCells(c, r, cells[Order[r]].Text);
        SetGridObjects(c, r, cells[Order[r]].Object);
      }
    }
  } else {
    // Column 0 (row numbers) stays with NormalCellsOnly.
    const bool keep0 = FSortSettings.NormalCellsOnly() && FixedCols() > 0;
    std::vector<TGridCell> col0;
    if (keep0) {
      col0.resize(n);
      for (int r = 0; r < n; ++r)
        col0[r] = {GridCells(0, r), GridObjects(0, r)};
    }
    std::vector<int> heights(n);
    for (int r = 0; r < n; ++r)
      heights[r] = RowHeights(r);
    PermuteRows(Order);
    for (int r = 0; r < n; ++r)
      if (RowHeights(r) != heights[Order[r]]) SetRowHeights(r, heights[Order[r]]);
    if (keep0)
      for (int r = 0; r < n; ++r) {
        SetGridCells(0, r, col0[r].Text);
        SetGridObjects(0, r, col0[r].Object);
      }
    PermuteRowFlags(Order);
  }
  if (static_cast<int>(FSortRowXRef.size()) == n) {
    std::vector<int> x(n);
    for (int r = 0; r < n; ++r)
      x[r] = FSortRowXRef[Order[r]];
    FSortRowXRef = std::move(x);
  }
  for (int r = 0; r < n; ++r)
    if (Order[r] == FSortRow) {
      FSortRow = r;
      break;
    }
  FSwaps += n;
}

// --- The sorts -------------------------------------------------------------------------------------

namespace {

// Rows of the sorted range: the normal rows above the footers (and a fixed-last-row footer).
void NormalRange(TProStringGrid& g, int& First, int& Last) {
  First = g.FixedRows();
  int footers = g.FixedFooters();
  if (g.FloatingFooter().Visible() && g.FloatingFooter().FooterStyle() == fsFixedLastRow)
    footers = std::max(footers, 1);
  Last = g.RowCount() - footers - 1;
}

} // namespace

void TProStringGrid::InitSortXRef() {
  FSortRowXRef.resize(static_cast<size_t>(RowCount()));
  for (int r = 0; r < RowCount(); ++r)
    FSortRowXRef[static_cast<size_t>(r)] = r;
}

int TProStringGrid::UnSortedRowIndex(int ARow) const {
  if (ARow < 0 || ARow >= static_cast<int>(FSortRowXRef.size())) return ARow;
  return FSortRowXRef[static_cast<size_t>(ARow)];
}

int TProStringGrid::SortedRowIndex(int ARow) const {
  for (size_t r = 0; r < FSortRowXRef.size(); ++r)
    if (FSortRowXRef[r] == ARow) return static_cast<int>(r);
  return ARow;
}

namespace {

// Runs a sort of some ranges with the grid's bookkeeping: an open edit commits first, the current
// row follows its row with MoveRowOnSort, the view and the footers are kept.
template <class Body> void RunSort(TProStringGrid& g, Body&& body, bool fireRowUpdate) {
  g.HideInplaceEdit();
  if (static_cast<int>(g.SortRowXRef().size()) != g.RowCount()) g.InitSortXRef();
  const int oldTop = g.TopRow();
  const int oldRow = g.Row();
  g.BeginUpdate();
  struct TEnd {
    TProStringGrid& G;
    ~TEnd() { G.EndUpdate(); }
  } end{g};
  body();
  if (g.Navigation().KeepScrollOnSort()) g.SetTopRow(oldTop);
  if (fireRowUpdate && g.OnRowUpdate && !g.Navigation().MoveRowOnSort()) g.OnRowUpdate(&g, oldRow, g.Row());
}

} // namespace

void TProStringGrid::QSort() {
  const int col = FSortSettings.Column();
  if (col < 0 || col >= TotalColCount()) return;
  FSortIndexes.Clear();
  RunSort(
      *this,
      [&] {
        int first = 0, last = 0;
        NormalRange(*this, first, last);
        QuickSort(col, first, last);
      },
      true);
  Invalidate();
}

void TProStringGrid::QSortIndexed() {
  if (FSortIndexes.Count() == 0) throw EProGridError("No indexes specified for indexed sort");
  RunSort(
      *this,
      [&] {
        int first = 0, last = 0;
        NormalRange(*this, first, last);
        QuickSortIndexed(first, last);
      },
      false);
  Invalidate();
}

void TProStringGrid::QuickSort(int Col, int Left, int Right) {
  Left = std::max(0, Left);
  Right = std::min(Right, RowCount() - 1);
  if (Col < 0 || Col >= TotalColCount() || Right - Left < 1) return;
  TRowSorter sorter(*this, Left, Right);
  const bool desc = FSortSettings.Direction() == sdDescending;
  sorter.AddKey(Col, desc);
  if (FSortSettings.Full())
    for (int c = Col + 1; c < TotalColCount(); ++c)
      sorter.AddKey(c, desc);
  ApplySortedRows(sorter.SortedRows(), Left, !FMouseActions->DisjunctRowSelect());
}

void TProStringGrid::QuickSortIndexed(int Left, int Right) {
  Left = std::max(0, Left);
  Right = std::min(Right, RowCount() - 1);
  if (FSortIndexes.Count() == 0 || Right - Left < 1) return;
  TRowSorter sorter(*this, Left, Right);
  const int keys = FSortSettings.Full() ? FSortIndexes.Count() : 1;
  for (int i = 0; i < keys; ++i) {
    const int c = FSortIndexes.SortColumns(i);
    if (c >= 0 && c < TotalColCount()) sorter.AddKey(c, !FSortIndexes.SortDirections(i));
  }
  ApplySortedRows(sorter.SortedRows(), Left, true);
}

void TProStringGrid::ApplySortedRows(const std::vector<int>& Rows, int Left, bool FollowRow) {
  std::vector<int> order(static_cast<size_t>(RowCount()));
  for (int r = 0; r < RowCount(); ++r)
    order[static_cast<size_t>(r)] = r;
  std::copy(Rows.begin(), Rows.end(), order.begin() + Left);
  FSortRow = Row();
  ApplyRowOrder(order);
  if (FollowRow && FNavigation.MoveRowOnSort() && FSortRow >= FixedRows() && FSortRow < RowCount() &&
      FSortRow != Row()) {
    FForceSel = true;
    SetRow(FSortRow);
    FForceSel = false;
  }
}

namespace {

// The data rows of every expanded node of the deepest level, as (first, last) ranges.
std::vector<std::pair<int, int>> GroupRanges(TProStringGrid& g) {
  std::vector<std::pair<int, int>> ranges;
  int first = 0, last = 0;
  NormalRange(g, first, last);
  int deepest = -1;
  for (int r = first; r <= last; ++r)
    if (g.IsNode(r)) deepest = std::max(deepest, g.GetNodeLevel(r));
  if (deepest < 0) return ranges;
  for (int r = first; r <= last; ++r) {
    if (!g.IsNode(r) || g.GetNodeState(r) || g.GetNodeLevel(r) != deepest) continue;
    int span = g.GetNodeSpan(r);
    if (span <= 0) {
      // Up to the next node.
      span = 1;
      while (r + span <= last && !g.IsNode(r + span))
        ++span;
    }
    if (span > 2) ranges.emplace_back(r + 1, std::min(last, r + span - 1));
  }
  return ranges;
}

} // namespace

void TProStringGrid::QSortGroup() {
  RunSort(
      *this,
      [&] {
        for (auto [a, b] : GroupRanges(*this))
          QuickSort(FSortSettings.Column(), a, b);
      },
      false);
  Invalidate();
}

void TProStringGrid::QSortGroupIndexed() {
  RunSort(
      *this,
      [&] {
        for (auto [a, b] : GroupRanges(*this))
          QuickSortIndexed(a, b);
      },
      false);
  Invalidate();
}

void TProStringGrid::QUnSort() {
  const int n = RowCount();
  HideInplaceEdit();
  if (static_cast<int>(FSortRowXRef.size()) != n) {
    // Rows were added or removed since: their order is the unsorted one now.
    InitSortXRef();
    return;
  }
  std::vector<int> order(static_cast<size_t>(n), -1);
  for (int p = 0; p < n; ++p) {
    const int from = FSortRowXRef[static_cast<size_t>(p)];
    if (from < 0 || from >= n || order[static_cast<size_t>(from)] != -1) {
      InitSortXRef();
      return;
    }
    order[static_cast<size_t>(from)] = p;
  }
  BeginUpdate();
  FSortRow = Row();
  ApplyRowOrder(order);
  EndUpdate();
  Invalidate();
}

void TProStringGrid::Sort(int Column, TSortDirection Direction) {
  FSortSettings.SetColumn(Column);
  FSortSettings.SetDirection(Direction);
  QSort();
}

void TProStringGrid::SortByColumn(int Col) {
  if (RowCount() < 2) return;
  FSortSettings.SetColumn(Col);
  QSort();
}

int TProStringGrid::CompareCells(int ACol, int ARow1, int ARow2, TSortDirection Direction) {
  if (ACol < 0 || ACol >= TotalColCount() || ARow1 < 0 || ARow2 < 0 || ARow1 >= RowCount() ||
      ARow2 >= RowCount())
    return 0;
  const int lo = std::min(ARow1, ARow2), hi = std::max(ARow1, ARow2);
  TRowSorter sorter(*this, lo, hi);
  sorter.AddKey(ACol, Direction == sdDescending);
  TKeyColumn& k = sorter.Key(0);
  const TSortKey x = sorter.KeyOf(k, ARow1), y = sorter.KeyOf(k, ARow2);
  return sorter.ComparePair(k, x, y, ARow1, ARow2);
}

bool TProStringGrid::SortLine(int Col, int ARow1, int ARow2) {
  const int dir = FSortSettings.Direction() == sdDescending ? -1 : 1;
  for (int c = Col; c >= 0 && c < TotalColCount(); ++c) {
    const int r = CompareCells(c, ARow1, ARow2, FSortSettings.Direction());
    if (r == dir) {
      SortSwapRows(ARow1, ARow2);
      return true;
    }
    if (r != 0) return false;
  }
  return false;
}

// --- The settings' string form ---------------------------------------------------------------------

std::string TSortSettings::SaveToString() const {
  if (FIndexShow) return "i;" + (FGrid ? FGrid->SortIndexes().SaveToString() : std::string());
  return (FDescending ? "d" : "u") + std::to_string(FColumn);
}

void TSortSettings::LoadFromString(const std::string& Value) {
  if (Value.empty()) return;
  FShow = true;
  if (FGrid) FGrid->Invalidate();
  if (Value.size() < 2) throw std::runtime_error("Invalid sort settings specifier");
  if (Value.find("i;") != std::string::npos) {
    FIndexShow = true;
    const std::string rest = Value.substr(2);
    if (!rest.empty() && FGrid) {
      FGrid->SortIndexes().LoadFromString(rest);
      FGrid->QSortIndexed();
    }
    return;
  }
  FIndexShow = false;
  FDescending = Value.find('u') == std::string::npos;
  const std::string rest = Value.substr(1);
  int col = 0;
  auto [ptr, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), col);
  if (ec != std::errc() || ptr != rest.data() + rest.size()) return;
  FColumn = col;
  if (FGrid) FGrid->QSort();
}

void TSortSettings::Remove() {
  FColumn = -1;
  if (!FGrid) return;
  FGrid->SortIndexes().Clear();
  if (FGrid->FixedRows() > 0) FGrid->RepaintRow(FGrid->FixedRows() - 1);
}
